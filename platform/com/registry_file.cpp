#include "platform/com/registry_file.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace orlix::com {
namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string quote(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    if (c == '\n') { out += "\\n"; continue; }
    out += c;
  }
  return out + "\"";
}

// Reads a quoted string starting at `pos` (at the opening quote); advances pos.
std::string unquote(const std::string& line, size_t& pos, const std::string& where) {
  if (pos >= line.size() || line[pos] != '"') throw RegistryError(where + ": expected a quoted string");
  std::string out;
  for (++pos; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '"') { ++pos; return out; }
    if (c == '\\' && pos + 1 < line.size()) {
      char n = line[++pos];
      out += n == 'n' ? '\n' : n;
    } else {
      out += c;
    }
  }
  throw RegistryError(where + ": unterminated string");
}

bool startsWithNoCase(const std::string& s, const std::string& prefix) {
  return s.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), s.begin(), [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
}

std::string parentOf(const std::string& key) {
  auto slash = key.rfind('\\');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

}  // namespace

bool RegistryFile::CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return lowerAscii(x) < lowerAscii(y); });
}

RegistryFile::RegistryFile(std::filesystem::path file) : file_(std::move(file)) { load(); }

std::filesystem::path RegistryFile::defaultPath() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    return std::filesystem::path(xdg) / "orlix" / "registry.reg";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : ".") / ".config" / "orlix" / "registry.reg";
}

void RegistryFile::createKey(const std::string& key) {
  for (std::string k = key; !k.empty(); k = parentOf(k)) keys_.try_emplace(k);
}

void RegistryFile::setValue(const std::string& key, const std::string& name, const std::string& value) {
  createKey(key);
  keys_[key][name] = value;
}

bool RegistryFile::hasKey(const std::string& key) const { return keys_.count(key) != 0; }

std::optional<std::string> RegistryFile::value(const std::string& key, const std::string& name) const {
  auto k = keys_.find(key);
  if (k == keys_.end()) return std::nullopt;
  auto v = k->second.find(name);
  if (v == k->second.end()) return std::nullopt;
  return v->second;
}

std::vector<std::string> RegistryFile::subkeys(const std::string& key) const {
  std::vector<std::string> out;
  std::string prefix = key + "\\";
  // Keys that start with the prefix form one run in key order.
  for (auto it = keys_.lower_bound(prefix); it != keys_.end(); ++it) {
    const std::string& k = it->first;
    if (!startsWithNoCase(k, prefix)) break;
    if (k.find('\\', prefix.size()) == std::string::npos) out.push_back(k.substr(prefix.size()));
  }
  return out;
}

void RegistryFile::deleteTree(const std::string& key) {
  std::vector<std::string> doomed{key};
  for (size_t i = 0; i < doomed.size(); ++i)
    for (const auto& sub : subkeys(doomed[i])) doomed.push_back(doomed[i] + "\\" + sub);
  for (const auto& k : doomed) keys_.erase(k);
}

void RegistryFile::load() {
  std::ifstream in(file_);
  if (!in) {
    if (std::filesystem::exists(file_)) throw RegistryError("cannot read registry file " + file_.string());
    return;
  }
  std::string line, current;
  for (int lineNo = 1; std::getline(in, line); ++lineNo) {
    std::string where = file_.string() + ":" + std::to_string(lineNo);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']') throw RegistryError(where + ": malformed key line");
      current = line.substr(1, line.size() - 2);
      createKey(current);
      continue;
    }
    if (current.empty()) throw RegistryError(where + ": value outside any key");
    size_t pos = 0;
    std::string name = line[0] == '@' ? (pos = 1, std::string()) : unquote(line, pos, where);
    if (pos >= line.size() || line[pos] != '=') throw RegistryError(where + ": expected '='");
    ++pos;
    keys_[current][name] = unquote(line, pos, where);
  }
}

void RegistryFile::save() const {
  std::ostringstream out;
  out << "; Orlix per-user registry\n";
  for (const auto& [key, values] : keys_) {
    out << "\n[" << key << "]\n";
    for (const auto& [name, value] : values) out << (name.empty() ? "@" : quote(name)) << '=' << quote(value) << '\n';
  }
  std::filesystem::create_directories(file_.parent_path().empty() ? "." : file_.parent_path());
  auto temp = file_;
  temp += ".tmp";
  {
    std::ofstream f(temp, std::ios::trunc);
    f << out.str();
    f.close();
    if (!f) throw RegistryError("cannot write registry file " + temp.string());
  }
  std::error_code ec;
  std::filesystem::rename(temp, file_, ec);
  if (ec) throw RegistryError("cannot replace registry file " + file_.string() + ": " + ec.message());
}

}  // namespace orlix::com
