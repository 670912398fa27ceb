#include "platform/ado/connection_string.h"

#include <cctype>

#include "platform/ado/error.h"

namespace orlix::ado {

std::string_view trimSpace(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

ConnectionString ConnectionString::parse(std::string_view text) {
  ConnectionString cs;
  cs.text_ = std::string(text);
  size_t i = 0;
  auto fail = [&](const std::string& why) -> DataError {
    return DataError("connection string \"" + cs.text_ + "\"", why);
  };
  while (i < text.size()) {
    size_t eq = text.find_first_of("=;", i);
    if (eq == std::string_view::npos || text[eq] == ';') {
      std::string_view rest = trimSpace(text.substr(i, eq == std::string_view::npos ? eq : eq - i));
      if (!rest.empty()) throw fail("\"" + std::string(rest) + "\" has no \"=\"");
      if (eq == std::string_view::npos) break;
      i = eq + 1;
      continue;
    }
    std::string key(trimSpace(text.substr(i, eq - i)));
    if (key.empty()) throw fail("a value without a key at position " + std::to_string(eq + 1));
    i = eq + 1;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string value;
    char open = i < text.size() ? text[i] : '\0';
    if (open == '{' || open == '"' || open == '\'') {
      char close = open == '{' ? '}' : open;
      size_t end = text.find(close, i + 1);
      if (end == std::string_view::npos)
        throw fail("the value of " + key + " has no closing " + std::string(1, close));
      value = std::string(text.substr(i + 1, end - i - 1));
      if (open == '{') value = "{" + value + "}";  // braces belong to ODBC driver names
      i = end + 1;
      while (i < text.size() && text[i] != ';') {
        if (!std::isspace(static_cast<unsigned char>(text[i])))
          throw fail("unexpected text after the value of " + key);
        ++i;
      }
    } else {
      size_t end = text.find(';', i);
      value = std::string(trimSpace(text.substr(i, end == std::string_view::npos ? end : end - i)));
      i = end == std::string_view::npos ? text.size() : end;
    }
    if (i < text.size()) ++i;  // the ';'
    cs.pairs_.emplace_back(std::move(key), std::move(value));
  }
  return cs;
}

std::optional<std::string> ConnectionString::value(std::string_view key) const {
  for (const auto& [k, v] : pairs_) {
    if (!equalsIgnoreCase(k, key)) continue;
    if (v.size() >= 2 && v.front() == '{' && v.back() == '}') return v.substr(1, v.size() - 2);
    return v;
  }
  return std::nullopt;
}

std::string ConnectionString::valueOr(std::string_view key, std::string fallback) const {
  auto v = value(key);
  return v ? *v : std::move(fallback);
}

}  // namespace orlix::ado
