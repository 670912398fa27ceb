#include "engine/node_file.h"

#include "engine/number_text.h"

namespace orlix::engine {

std::string QuotedField(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string TextField(std::string_view text) {
  if (text.find_first_of(",;|\t\"\r\n") == std::string_view::npos) return std::string(text);
  return QuotedField(text);
}

std::string RegressionNodeLine(const TreeNode& node) {
  return TextField(node.name) + "," + QuotedField(node.rule) + "," + std::to_string(node.N) + "," +
         FormatGeneral(node.mean) + "," + FormatGeneral(node.sd) + "," + FormatGeneral(node.min) + "," +
         FormatGeneral(node.max);
}

std::string CategoryNodeLine(const TreeNode& node) {
  std::string line = TextField(node.name) + "," + TextField(node.rule) + "," + std::to_string(node.N);
  for (const auto& [text, count] : node.classCounts) {
    line += "," + TextField(text) + "," + std::to_string(count);
  }
  return line;
}

}  // namespace orlix::engine
