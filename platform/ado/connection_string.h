// ConnectionString: the key=value;... pairs of an ADO or ODBC connection
// string. Keys compare without regard to case; values may be wrapped in
// {braces}, "double" or 'single' quotes. parse() throws DataError on a
// malformed string (unbalanced braces or quotes, a pair without "=").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ado/field_names.h"

namespace orlix::ado {

class ConnectionString {
 public:
  ConnectionString() = default;
  static ConnectionString parse(std::string_view text);

  const std::string& text() const { return text_; }
  // The value of the first pair named `key` (trimmed, quotes and braces removed).
  std::optional<std::string> value(std::string_view key) const;
  std::string valueOr(std::string_view key, std::string fallback) const;
  bool has(std::string_view key) const { return value(key).has_value(); }
  const std::vector<std::pair<std::string, std::string>>& pairs() const { return pairs_; }

 private:
  std::string text_;
  std::vector<std::pair<std::string, std::string>> pairs_;
};

// `s` without leading and trailing white space.
std::string_view trimSpace(std::string_view s);

}  // namespace orlix::ado
