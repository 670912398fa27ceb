// Lines of the node file (one per node, pre-order, fields separated by ",").
// A text field holding ",", ";", "|", a tab, a line break or a double quote is
// written in double quotes with inner quotes doubled; a regression rule is
// always quoted. Numbers use the stream's default format ("%g").
#pragma once

#include <string>
#include <string_view>

#include "engine/tree_node.h"

namespace orlix::engine {

std::string QuotedField(std::string_view text);
// text as it stands, or quoted when it holds a separator or a quote.
std::string TextField(std::string_view text);

std::string RegressionNodeLine(const TreeNode& node);
std::string CategoryNodeLine(const TreeNode& node);

}  // namespace orlix::engine
