#include "server/analysis_columns.h"

#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/parallel_for.h"

namespace orlix::server {

namespace {

using Cells = engine::RowTable::ColumnCells;
using ado::Table;

constexpr std::string_view kMissing = "MISSING";
// Rows converted between two looks at the cancel flag.
constexpr std::size_t kRowsPerCancelCheck = 4096;

// Which rows are stored: none of the used fields of a non-character type is NULL.
std::vector<char> storedRows(const std::vector<Table::ColumnData>& source, const std::vector<std::size_t>& used,
                             std::size_t rows) {
  std::vector<char> stored(rows, 1);
  for (std::size_t col : used) {
    const Table::ColumnData& column = source[col];
    if (ado::isCharacterType(column.info.type)) continue;
    for (std::size_t r = 0; r < rows; ++r)
      if (column.nulls[r]) stored[r] = 0;
  }
  return stored;
}

// Codes of a column's texts in the order they first appear.
class Strings {
 public:
  explicit Strings(std::vector<std::string>& strings) : strings_(strings) {}
  double code(std::string_view text) {
    auto it = codes_.find(text);
    if (it == codes_.end()) {
      it = codes_.emplace(std::string(text), static_cast<std::uint32_t>(strings_.size())).first;
      strings_.emplace_back(text);
    }
    return it->second;
  }

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };
  std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> codes_;
  std::vector<std::string>& strings_;
};

// The doubles of the stored rows, in the source's own array.
std::vector<double> storedDoubles(std::vector<double>&& values, const std::vector<char>& stored, std::size_t count) {
  if (count != values.size()) {
    std::size_t kept = 0;
    for (std::size_t r = 0; r < values.size(); ++r)
      if (stored[r]) values[kept++] = values[r];
    values.resize(count);
  }
  return std::move(values);
}

Cells convert(Table::ColumnData& column, const std::vector<char>& stored, std::size_t count, engine::CancelFlag cancel) {
  Cells out;
  const ado::DataType type = column.info.type;
  const std::size_t rows = column.nulls.size();
  if (type == ado::adDouble) {  // a NULL here drops its row
    out.types.assign(count, engine::CellType::Double);
    out.values = storedDoubles(std::move(column.reals), stored, count);
    return out;
  }
  out.types.reserve(count);
  out.values.reserve(count);
  Strings strings(out.strings);
  auto text = [&](std::size_t r) {
    out.types.push_back(engine::CellType::String);
    if (column.nulls[r]) return out.values.push_back(strings.code(kMissing));
    if (ado::storageOf(type) == ado::Storage::Text)
      return out.values.push_back(strings.code(std::string_view(column.chars).substr(column.offsets[r], column.lengths[r])));
    out.values.push_back(strings.code(Table::valueOf(column, r).toString()));
  };
  for (std::size_t r = 0; r < rows; ++r) {
    if (r % kRowsPerCancelCheck == 0) engine::ThrowIfCancelled(cancel);
    if (!stored[r]) continue;
    if (type == ado::adInteger && !column.nulls[r]) {
      out.types.push_back(engine::CellType::Int32);
      out.values.push_back(static_cast<std::int32_t>(column.ints[r]));
    } else {
      text(r);
    }
  }
  return out;
}

}  // namespace

std::vector<Cells> analysisColumns(std::vector<Table::ColumnData> source, const std::vector<std::size_t>& used,
                                   engine::CancelFlag cancel) {
  const std::size_t rows = source.empty() ? 0 : source[0].nulls.size();
  const std::vector<char> stored = storedRows(source, used, rows);
  std::size_t count = 0;
  for (char s : stored) count += s;
  // Fields that take no part go first.
  std::vector<char> isUsed(source.size());
  for (std::size_t col : used) isUsed[col] = 1;
  for (std::size_t col = 0; col < source.size(); ++col)
    if (!isUsed[col]) source[col] = Table::ColumnData();

  std::vector<Cells> out(used.size());
  engine::ParallelFor(static_cast<int>(used.size()), [&](int i) {
    engine::ThrowIfCancelled(cancel);
    Table::ColumnData& column = source[used[static_cast<std::size_t>(i)]];
    out[static_cast<std::size_t>(i)] = convert(column, stored, count, cancel);
    column = Table::ColumnData();
  });
  return out;
}

}  // namespace orlix::server
