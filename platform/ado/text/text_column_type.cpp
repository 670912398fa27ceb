#include "platform/ado/text/text_column_type.h"

#include <string>

#include "platform/ado/text/text_cell_kind.h"

namespace orlix::ado {

void TextColumnTyper::See(std::string_view cell) {
  if (cell.empty()) return;
  any_ = true;
  double ignored;
  const TextCellKind kind = classifyTextCell(cell, ignored);
  if (kind != TextCellKind::Int32) all_int_ = false;
  if (kind == TextCellKind::Text) all_number_ = false;
}

int TextColumnTyper::Type() const {
  if (!any_) return kFileVarWChar;
  if (all_int_) return kFileInteger;
  return all_number_ ? kFileDouble : kFileVarWChar;
}

FileCell TextCellValue(std::string_view text, int type) {
  if (text.empty()) return std::monostate{};
  double value = 0;
  classifyTextCell(text, value);
  if (type == kFileInteger) return static_cast<std::int32_t>(value);
  if (type == kFileDouble) return value;
  return std::string(text);
}

}  // namespace orlix::ado
