// A per-user registry kept in a text file (the platform's registry on Linux):
// keys are backslash paths compared without regard to ASCII case, each with
// named string values ("" is the default value). Errors throw RegistryError.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace orlix::com {

class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class RegistryFile {
 public:
  // Loads the file when it exists; a missing file is an empty registry.
  explicit RegistryFile(std::filesystem::path file);

  // $XDG_CONFIG_HOME/orlix/registry.reg, or ~/.config/orlix/registry.reg.
  static std::filesystem::path defaultPath();

  const std::filesystem::path& path() const { return file_; }

  // Creates the key and its missing parents.
  void createKey(const std::string& key);
  // Creates the key as createKey does and sets one value ("" = default value).
  void setValue(const std::string& key, const std::string& name, const std::string& value);
  bool hasKey(const std::string& key) const;
  std::optional<std::string> value(const std::string& key, const std::string& name = "") const;
  // Names of the direct subkeys, in key order.
  std::vector<std::string> subkeys(const std::string& key) const;
  // Removes the key with all its subkeys; nothing when it does not exist.
  void deleteTree(const std::string& key);

  // Writes the whole registry to its file, replacing it atomically.
  void save() const;

 private:
  struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  using Values = std::map<std::string, std::string, CaseInsensitiveLess>;

  void load();

  std::filesystem::path file_;
  std::map<std::string, Values, CaseInsensitiveLess> keys_;
};

}  // namespace orlix::com
