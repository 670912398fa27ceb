// How text files type a cell: a 32-bit integer, a plain decimal number (an
// optional sign, digits with an optional point, an optional exponent; no
// blanks, inf, nan or hex; finite as a double), or text. The one rule the CSV
// and the HTML readers share.
#pragma once

#include <string_view>

namespace orlix::ado {

enum class TextCellKind { Int32, Number, Text };

// The kind of `cell`, and its value in `value` when it is a number.
// An empty cell is Text (callers treat empty cells as NULL before asking).
TextCellKind classifyTextCell(std::string_view cell, double& value);

}  // namespace orlix::ado
