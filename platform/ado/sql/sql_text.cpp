#include "platform/ado/sql/sql_text.h"

#include <cctype>

#include "platform/ado/connection_string.h"
#include "platform/ado/error.h"

namespace orlix::ado {

namespace {

// Offset of the first ";" that ends a statement, or npos.
size_t statementEnd(std::string_view s, bool& unterminated) {
  unterminated = false;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    char close = c == '\'' ? '\'' : c == '"' ? '"' : c == '[' ? ']' : c == '`' ? '`' : 0;
    if (close) {
      size_t end = s.find(close, i + 1);
      if (end == std::string_view::npos) {
        unterminated = true;
        return std::string_view::npos;
      }
      i = end;
    } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
      size_t end = s.find('\n', i);
      if (end == std::string_view::npos) return std::string_view::npos;
      i = end;
    } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
      size_t end = s.find("*/", i + 2);
      if (end == std::string_view::npos) {
        unterminated = true;
        return std::string_view::npos;
      }
      i = end + 1;
    } else if (c == ';') {
      return i;
    }
  }
  return std::string_view::npos;
}

bool startsWithWord(std::string_view s, std::string_view word) {
  if (s.size() < word.size() || !equalsIgnoreCase(s.substr(0, word.size()), word)) return false;
  return s.size() == word.size() ||
         !(std::isalnum(static_cast<unsigned char>(s[word.size()])) || s[word.size()] == '_');
}

}  // namespace

std::string sqlForSource(std::string_view source, const std::string& sourceName) {
  std::string_view s = trimSpace(source);
  if (s.empty()) throw DataError(sourceName, "no table or query given");
  bool unterminated = false;
  size_t end = statementEnd(s, unterminated);
  if (unterminated)
    throw DataError(sourceName, "unbalanced quote, bracket or comment in \"" + std::string(s) + "\"");
  if (end != std::string_view::npos) {
    if (!trimSpace(s.substr(end + 1)).empty())
      throw DataError(sourceName, "only one statement is allowed: \"" + std::string(s) + "\"");
    s = trimSpace(s.substr(0, end));
  }
  if (startsWithWord(s, "select") || startsWithWord(s, "with") || startsWithWord(s, "values"))
    return std::string(s);
  return "select * from " + std::string(s);
}

}  // namespace orlix::ado
