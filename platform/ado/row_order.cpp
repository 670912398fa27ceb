#include "platform/ado/row_order.h"

#include <algorithm>
#include <cctype>
#include <numeric>

#include "platform/ado/connection_string.h"
#include "platform/ado/field_names.h"
#include "platform/ado/error.h"

namespace orlix::ado {

namespace {

int compareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int ca = static_cast<unsigned char>(asciiLower(a[i]));
    int cb = static_cast<unsigned char>(asciiLower(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
}

int compareCells(const Table& t, size_t col, size_t a, size_t b) {
  const bool na = t.isNull(a, col), nb = t.isNull(b, col);
  if (na || nb) return na == nb ? 0 : na ? -1 : 1;
  switch (storageOf(t.field(col).type)) {
    case Storage::Integer: {
      int64_t x = t.integerAt(a, col), y = t.integerAt(b, col);
      return x < y ? -1 : x > y ? 1 : 0;
    }
    case Storage::Real: {
      double x = t.realAt(a, col), y = t.realAt(b, col);
      return x < y ? -1 : x > y ? 1 : 0;
    }
    case Storage::Text:
      break;
  }
  const DataType type = t.field(col).type;
  if (type == adNumeric || type == adDecimal || type == adVarNumeric) {
    double x = t.value(a, col).toDouble(), y = t.value(b, col).toDouble();
    return x < y ? -1 : x > y ? 1 : 0;
  }
  return compareText(t.textAt(a, col), t.textAt(b, col));
}

}  // namespace

std::vector<SortKey> parseSortKeys(std::string_view text, const Table& table) {
  std::vector<SortKey> keys;
  text = trimSpace(text);
  while (!text.empty()) {
    size_t comma = text.find(',');
    std::string_view part = trimSpace(text.substr(0, comma));
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    bool descending = false;
    size_t blank = part.find_last_of(" \t");
    if (blank != std::string_view::npos) {
      std::string_view word = part.substr(blank + 1);
      if (equalsIgnoreCase(word, "DESC") || equalsIgnoreCase(word, "ASC")) {
        descending = equalsIgnoreCase(word, "DESC");
        part = trimSpace(part.substr(0, blank));
      }
    }
    if (part.size() >= 2 && part.front() == '[' && part.back() == ']')
      part = part.substr(1, part.size() - 2);
    size_t col = table.findField(part);
    if (col == Table::npos)
      throw DataError("Recordset", "cannot sort: no field \"" + std::string(part) + "\"");
    keys.push_back({col, descending});
  }
  return keys;
}

std::vector<size_t> sortedRows(const Table& table, const std::vector<SortKey>& keys) {
  std::vector<size_t> rows(table.rowCount());
  std::iota(rows.begin(), rows.end(), size_t{0});
  std::stable_sort(rows.begin(), rows.end(), [&](size_t a, size_t b) {
    for (const SortKey& k : keys) {
      int c = compareCells(table, k.column, a, b);
      if (c != 0) return k.descending ? c > 0 : c < 0;
    }
    return false;
  });
  return rows;
}

}  // namespace orlix::ado
