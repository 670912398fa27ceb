#include <cctype>

#include "platform/ado/connection_string.h"
#include "platform/ado/error.h"
#include "platform/ado/provider.h"

namespace orlix::ado {

namespace {

// Strips a leading "select * from " (any case, any blanks) if present.
std::string_view stripSelect(std::string_view s) {
  auto word = [&](std::string_view w) {
    s = trimSpace(s);
    if (s.size() < w.size() || !equalsIgnoreCase(s.substr(0, w.size()), w)) return false;
    if (w != "*" && s.size() > w.size() && !std::isspace(static_cast<unsigned char>(s[w.size()])) &&
        s[w.size()] != '*')
      return false;
    s.remove_prefix(w.size());
    return true;
  };
  std::string_view original = s;
  if (word("select") && word("*") && word("from")) return trimSpace(s);
  return trimSpace(original);
}

}  // namespace

std::string tableNameFromSource(std::string_view source, const std::string& sourceName) {
  std::string_view s = stripSelect(source);
  auto refuse = [&](const std::string& why) -> DataError {
    return DataError(sourceName, why + ": \"" + std::string(source) + "\"");
  };
  if (s.empty()) throw refuse("no table named in the query");
  char open = s.front();
  std::string name;
  if (open == '[' || open == '`' || open == '"') {
    char close = open == '[' ? ']' : open;
    size_t end = s.find(close, 1);
    if (end == std::string_view::npos) throw refuse("unbalanced " + std::string(1, open));
    name = std::string(s.substr(1, end - 1));
    s = trimSpace(s.substr(end + 1));
  } else {
    size_t end = 0;
    while (end < s.size() && !std::isspace(static_cast<unsigned char>(s[end])) && s[end] != ';')
      ++end;
    name = std::string(s.substr(0, end));
    s = trimSpace(s.substr(end));
  }
  if (!s.empty() && s.front() == ';') {
    s = trimSpace(s.substr(1));
    if (!s.empty()) throw refuse("only one statement is allowed");
  }
  if (!s.empty()) throw refuse("only a table name or \"select * from\" a table is supported");
  if (trimSpace(name).empty()) throw refuse("no table named in the query");
  return name;
}

}  // namespace orlix::ado
