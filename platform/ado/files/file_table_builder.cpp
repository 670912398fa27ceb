#include "platform/ado/files/file_table_builder.h"

namespace orlix::ado {

namespace {

long AttributesOf(int type) {
  long attributes = adFldIsNullable | adFldMayBeNull;
  switch (type) {
    case kFileVarWChar: case kFileVarBinary: case kFileNumeric: return attributes;
    case kFileLongVarWChar: case kFileLongVarBinary: return attributes | adFldLong;
    default: return attributes | adFldFixed;
  }
}

}  // namespace

void TableBuilderSink::SetFields(std::vector<FileField> fields) {
  for (auto& f : fields) {
    auto type = static_cast<DataType>(f.type);
    types_.push_back(type);
    builder_.addField(std::move(f.name), type, f.definedSize, AttributesOf(f.type));
  }
}

void TableBuilderSink::AddRow(std::span<const FileCell> cells) {
  builder_.addRow();
  for (std::size_t c = 0; c < cells.size() && c < types_.size(); ++c) {
    const FileCell& cell = cells[c];
    if (auto* b = std::get_if<bool>(&cell)) builder_.setBool(c, *b);
    else if (auto* i = std::get_if<std::int32_t>(&cell)) builder_.setInt32(c, *i);
    else if (auto* d = std::get_if<double>(&cell)) types_[c] == adDate ? builder_.setDate(c, *d) : builder_.setDouble(c, *d);
    else if (auto* money = std::get_if<std::int64_t>(&cell)) builder_.setCurrency(c, *money);
    else if (auto* s = std::get_if<std::string>(&cell)) types_[c] == adNumeric ? builder_.setDecimal(c, *s) : builder_.setText(c, *s);
  }
}

}  // namespace orlix::ado
