#include "engine/variable_statistics.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <unordered_map>

#include "engine/cart_error.h"
#include "engine/number_text.h"
#include "engine/parallel_for.h"

namespace orlix::engine {
namespace {

std::string RowName(const ColumnDescriptor& column, int row) {
  return "variable \"" + column.name + "\", row " + std::to_string(row + 1);
}

// Converts every cell of a numeric variable to a double in place.
void ConvertToDoubles(RowTable& table, int c, const ColumnDescriptor& column, int rows) {
  for (int r = 0; r < rows; ++r) {
    const CellType type = table.TypeAt(r, c);
    if (type == CellType::Double && std::isfinite(table.NumberAt(r, c))) continue;
    const Cell cell = table.GetCell(r, c);
    double value = cell.number;
    if (type == CellType::String && !ParseWholeNumber(cell.text, value)) {
      throw EngineDataError("Cannot convert \"" + std::string(cell.text) + "\" to a number: " + RowName(column, r));
    }
    if (type == CellType::Empty) throw EngineDataError("Empty cell where a number is expected: " + RowName(column, r));
    if (!std::isfinite(value)) throw EngineDataError("Value is not a finite number: " + RowName(column, r));
    table.SetDouble(r, c, value);
  }
}

std::span<const double> FirstRows(const RowTable& table, int c, int rows) {
  return std::span<const double>(table.ColumnValues(c)).first(static_cast<std::size_t>(rows));
}

std::int16_t Truncate16(double int32_value) {
  return static_cast<std::int16_t>(static_cast<std::int32_t>(int32_value));
}

// Text read back as a number, for texts known to be "%lf" output.
double ParseFixed(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Cut points from values in ascending numeric order (value, rows).
template <typename Walk>
void SetCuts(ColumnDescriptor& column, int rows, Walk&& walk) {
  column.cuts = ColumnDescriptor::DefaultCuts();
  int d = 0;
  long long running = 0;
  walk([&](int count, auto&& value_of) {
    running += count;
    while (d < 10 && running >= DecileGoal(rows, d)) {
      column.cuts[d][0] = static_cast<float>(value_of());
      ++d;
    }
  });
}

void NumericStatistics(RowTable& table, int c, ColumnDescriptor& column, int rows, SortedColumn& sorted,
                       SortScratch& scratch) {
  ConvertToDoubles(table, c, column, rows);
  const std::span<const double> values = FirstRows(table, c, rows);
  for (double v : values) {
    column.sum += v;
    column.sumSquares += v * v;
  }
  sorted = SortByValue(values, scratch);
  const std::vector<SweepRow>& order = sorted.rows;

  // Distinct texts in numeric order: equal "%lf" texts are neighbours, and only
  // distinct values are formatted.
  std::vector<ValueCounts::Entry> distinct;
  for (int i = 0; i < rows;) {
    const int k = order[i].valueIndex;
    int j = i;
    while (j < rows && order[j].valueIndex == k) ++j;
    std::string text = FormatFixed6(sorted.distinct[k]);
    if (!distinct.empty() && distinct.back().first == text) {
      distinct.back().second += j - i;
    } else {
      distinct.emplace_back(std::move(text), j - i);
    }
    i = j;
  }
  SetCuts(column, rows, [&](auto&& visit) {
    for (const auto& entry : distinct) visit(entry.second, [&] { return ParseFixed(entry.first); });
  });

  // min/max: the extreme value as a float; the text is that of the first row
  // (in row order) whose float equals it.
  auto valueAt = [&](int i) { return sorted.distinct[order[i].valueIndex]; };
  const float high = static_cast<float>(valueAt(rows - 1));
  if (high > column.max) {
    int first = rows;
    for (int i = rows - 1; i >= 0 && static_cast<float>(valueAt(i)) == high; --i) first = std::min(first, order[i].row);
    column.max = high;
    column.maxText = FormatFixed6(values[first]);
  }
  const float low = static_cast<float>(valueAt(0));
  if (low < column.min) {
    int first = rows;
    for (int i = 0; i < rows && static_cast<float>(valueAt(i)) == low; ++i) first = std::min(first, order[i].row);
    column.min = low;
    column.minText = FormatFixed6(values[first]);
  }
  column.valueCounts = ValueCounts::FromUnsorted(std::move(distinct));
}

void CharacterStatistics(const RowTable& table, int c, ColumnDescriptor& column, int rows) {
  std::vector<int> perString(table.ColumnStrings(c).size());
  std::unordered_map<std::uint64_t, int> perDouble;  // by bit pattern: -0 and 0 print apart
  std::unordered_map<int, int> perInt;
  int empties = 0;
  for (int r = 0; r < rows; ++r) {
    switch (table.TypeAt(r, c)) {
      case CellType::String: ++perString[table.StringCodeAt(r, c)]; break;
      case CellType::Int32: ++perInt[Truncate16(table.NumberAt(r, c))]; break;
      case CellType::Double:
      case CellType::Float: ++perDouble[std::bit_cast<std::uint64_t>(table.NumberAt(r, c))]; break;
      case CellType::Empty: ++empties; break;
    }
  }
  std::vector<ValueCounts::Entry> entries;
  for (std::size_t code = 0; code < perString.size(); ++code) {
    if (perString[code] > 0) entries.emplace_back(table.ColumnStrings(c)[code], perString[code]);
  }
  for (auto [value, n] : perInt) entries.emplace_back(std::to_string(value), n);
  for (auto [bits, n] : perDouble) entries.emplace_back(FormatFixed0(std::bit_cast<double>(bits)), n);
  if (empties > 0) entries.emplace_back(std::string(), empties);
  column.valueCounts = ValueCounts::FromUnsorted(std::move(entries));

  // Deciles walk the texts read as numbers, ascending (NaN last).
  std::vector<std::pair<double, int>> numbers;
  for (const auto& [text, n] : column.valueCounts) numbers.emplace_back(ParseNumberPrefix(text), n);
  std::stable_sort(numbers.begin(), numbers.end(), [](const auto& a, const auto& b) {
    if (std::isnan(a.first)) return false;
    return std::isnan(b.first) || a.first < b.first;
  });
  SetCuts(column, rows, [&](auto&& visit) {
    for (const auto& number : numbers) visit(number.second, [&] { return number.first; });
  });
}

void ConvertToDeciles(RowTable& table, int c, const ColumnDescriptor& column, int rows) {
  for (int r = 0; r < rows; ++r) {
    switch (table.TypeAt(r, c)) {
      case CellType::Int32:
      case CellType::Float:
      case CellType::Double: table.SetDouble(r, c, DecileOf(table.NumberAt(r, c), column)); break;
      case CellType::String: table.SetString(r, c, ""); break;  // value 0, type kept
      case CellType::Empty: break;
    }
  }
}

}  // namespace

std::string CharacterValueText(const Cell& cell) {
  switch (cell.type) {
    case CellType::Int32: return std::to_string(Truncate16(cell.number));
    case CellType::Double:
    case CellType::Float: return FormatFixed0(cell.number);
    case CellType::String: return std::string(cell.text);
    case CellType::Empty: break;
  }
  return std::string();
}

std::string CharacterComparisonText(const Cell& cell) {
  switch (cell.type) {
    case CellType::Int32: return std::to_string(Truncate16(cell.number));
    case CellType::Double: return FormatStandard(cell.number);
    case CellType::Float: return FormatStandardFloat(static_cast<float>(cell.number));
    case CellType::String: return std::string(cell.text);
    case CellType::Empty: break;
  }
  return std::string();
}

int DecileGoal(int rows, int d) {
  const float fraction = static_cast<float>(d + 1) * 0.1f;
  const float goal = static_cast<float>(rows) * fraction;
  return static_cast<int>(goal);
}

int DecileOf(double value, const ColumnDescriptor& column) {
  for (int d = 0; d < 10; ++d) {
    if (value <= static_cast<double>(column.cuts[d][0])) return d;
  }
  return 9;
}

namespace {

void ResetStatistics(ColumnDescriptor& column) {
  const ColumnDescriptor fresh;
  column.minText = fresh.minText;
  column.min = fresh.min;
  column.maxText = fresh.maxText;
  column.max = fresh.max;
  column.sum = column.sumSquares = column.mean = column.sd = 0;
  column.valueCounts.clear();
}

void OneVariable(RowTable& table, ColumnDescriptor& column, int c, int rows, SortedColumn& sorted,
                 SortScratch& scratch) {
  ResetStatistics(column);
  if (column.kind == kNumericKind) {
    NumericStatistics(table, c, column, rows, sorted, scratch);
    column.mean = column.sum / rows;
    const double variance = (column.sumSquares - column.sum * column.sum / rows) / rows;
    // Rounding must not give a column of equal values a spread.
    const bool constant = sorted.distinct.front() == sorted.distinct.back();
    column.sd = constant ? 0.0 : std::sqrt(std::max(variance, 0.0));
  } else {
    CharacterStatistics(table, c, column, rows);
  }
  column.count = rows;
  column.cardinality = column.valueCounts.size();
  column.uniques = static_cast<int>(std::count_if(column.valueCounts.begin(), column.valueCounts.end(),
                                                  [](const auto& entry) { return entry.second == 1; }));
  if (column.decile == 1) {
    ConvertToDeciles(table, c, column, rows);
    if (column.kind == kNumericKind) sorted = SortByValue(FirstRows(table, c, rows), scratch);
  }
}

}  // namespace

std::vector<SortedColumn> ComputeVariableStatistics(RowTable& table, std::span<ColumnDescriptor> columns, int rows,
                                                    CancelFlag cancel) {
  const int count = static_cast<int>(columns.size());
  if (table.ColumnCount() != count) {
    throw EngineDataError("The analysis table has " + std::to_string(table.ColumnCount()) +
                          " columns; the engine has " + std::to_string(count) + " variables");
  }
  if (table.RowCount() != rows) {
    throw EngineDataError("The analysis table has " + std::to_string(table.RowCount()) +
                          " rows; the engine was given " + std::to_string(rows));
  }
  // Each variable reads and rewrites only its own column.
  std::vector<SortedColumn> sorted(static_cast<std::size_t>(count));
  std::vector<SortScratch> scratch(kParallelWorkers);
  ParallelFor(count, [&](int c, int worker) {
    ThrowIfCancelled(cancel);
    OneVariable(table, columns[c], c, rows, sorted[c], scratch[worker]);
  });
  return sorted;
}

}  // namespace orlix::engine
