// Synthetic analysis tables for benchmarks: 20 numeric predictors, 5 character
// predictors and a numeric or a 4-class target, reproducible from a seed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace orlix::bench {

enum class TargetKind { Numeric, FourClass };

// Column-wise table; columns are the 20 numeric predictors, then the 5
// character predictors, then the target ("Y" numeric or "CLASS").
struct GeneratedTable {
  static constexpr size_t kNumeric = 20;
  static constexpr size_t kCharacter = 5;
  static constexpr size_t kColumns = kNumeric + kCharacter + 1;

  TargetKind kind = TargetKind::Numeric;
  std::vector<std::string> names;                  // kColumns names, target last
  std::vector<std::vector<double>> numeric;        // kNumeric columns, values as printed
  std::vector<std::vector<std::string>> levels;    // level texts per character predictor
  std::vector<std::vector<uint8_t>> codes;         // kCharacter columns of level indices
  std::vector<double> target;                      // numeric target (TargetKind::Numeric)
  std::vector<std::string> classNames;             // the 4 classes (TargetKind::FourClass)
  std::vector<uint8_t> targetClass;                // class index per row

  size_t rows() const { return codes.empty() ? 0 : codes[0].size(); }
  bool isNumericColumn(size_t col) const;
  // The cell as the CSV writer prints it.
  std::string cellText(size_t row, size_t col) const;
};

// Most numeric predictors are continuous with 3 decimals; the last four are
// integers with 50 distinct values. Character predictors have 3 to 10 levels.
// The target depends on several predictors plus noise.
GeneratedTable generateTable(size_t rows, TargetKind kind, uint64_t seed = 20261208);

// Writes a header line of names, then one comma-separated line per row.
void writeCsv(const GeneratedTable& table, std::ostream& out);

}  // namespace orlix::bench
