#include "bench/common/table_generator.h"

#include <charconv>
#include <cmath>
#include <ostream>
#include <random>

namespace orlix::bench {
namespace {

constexpr size_t kIntegerPredictors = 4;
constexpr int kLevelCounts[GeneratedTable::kCharacter] = {3, 4, 5, 7, 10};

double round3(double v) { return std::round(v * 1000.0) / 1000.0; }

std::string formatNumber(double v, int decimals) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  return std::string(buf, res.ptr);
}

void addNames(GeneratedTable& t) {
  for (size_t i = 0; i < GeneratedTable::kNumeric; ++i)
    t.names.push_back((i < 9 ? "X0" : "X") + std::to_string(i + 1));
  for (size_t i = 0; i < GeneratedTable::kCharacter; ++i) {
    t.names.push_back("C" + std::to_string(i + 1));
    std::vector<std::string> lv;
    for (int l = 0; l < kLevelCounts[i]; ++l) lv.push_back("L" + std::to_string(i + 1) + std::string(1, char('a' + l)));
    t.levels.push_back(std::move(lv));
  }
  t.names.push_back(t.kind == TargetKind::Numeric ? "Y" : "CLASS");
}

void fillPredictors(GeneratedTable& t, size_t rows, std::mt19937_64& rng) {
  std::normal_distribution<double> normal(0.0, 1.0);
  std::uniform_real_distribution<double> uniform(0.0, 100.0);
  std::uniform_int_distribution<int> fifty(0, 49);
  t.numeric.assign(GeneratedTable::kNumeric, std::vector<double>(rows));
  for (size_t c = 0; c < GeneratedTable::kNumeric; ++c) {
    bool integer = c >= GeneratedTable::kNumeric - kIntegerPredictors;
    for (size_t r = 0; r < rows; ++r) {
      double v = integer ? fifty(rng) : (c % 2 == 0 ? uniform(rng) : 50.0 + 15.0 * normal(rng));
      t.numeric[c][r] = integer ? v : round3(v);
    }
  }
  t.codes.assign(GeneratedTable::kCharacter, std::vector<uint8_t>(rows));
  for (size_t c = 0; c < GeneratedTable::kCharacter; ++c) {
    std::uniform_int_distribution<int> level(0, kLevelCounts[c] - 1);
    for (size_t r = 0; r < rows; ++r) t.codes[c][r] = static_cast<uint8_t>(level(rng));
  }
}

// A latent score that several predictors drive, so trees have real structure.
double latentScore(const GeneratedTable& t, size_t r) {
  double s = 0.08 * t.numeric[0][r] + (t.numeric[1][r] > 55.0 ? 4.0 : -1.0) +
             0.05 * t.numeric[2][r] * (t.codes[0][r] == 1 ? 1.0 : 0.3) + 0.1 * t.numeric[16][r];
  static constexpr double kLevelEffect[4] = {-2.0, 0.5, 1.5, 3.0};
  s += kLevelEffect[t.codes[1][r]];
  return s;
}

void fillTarget(GeneratedTable& t, size_t rows, std::mt19937_64& rng) {
  std::normal_distribution<double> noise(0.0, 1.5);
  if (t.kind == TargetKind::Numeric) {
    t.target.resize(rows);
    for (size_t r = 0; r < rows; ++r) t.target[r] = round3(10.0 + latentScore(t, r) + noise(rng));
    return;
  }
  t.classNames = {"alpha", "beta", "delta", "gamma"};
  t.targetClass.resize(rows);
  for (size_t r = 0; r < rows; ++r) {
    double s = latentScore(t, r) + noise(rng);
    t.targetClass[r] = static_cast<uint8_t>(s < 5.0 ? 0 : s < 8.0 ? 1 : s < 11.0 ? 2 : 3);
  }
}

}  // namespace

bool GeneratedTable::isNumericColumn(size_t col) const {
  return col < kNumeric || (col == kColumns - 1 && kind == TargetKind::Numeric);
}

std::string GeneratedTable::cellText(size_t row, size_t col) const {
  if (col < kNumeric) {
    bool integer = col >= kNumeric - kIntegerPredictors;
    return formatNumber(numeric[col][row], integer ? 0 : 3);
  }
  if (col < kNumeric + kCharacter) return levels[col - kNumeric][codes[col - kNumeric][row]];
  return kind == TargetKind::Numeric ? formatNumber(target[row], 3) : classNames[targetClass[row]];
}

GeneratedTable generateTable(size_t rows, TargetKind kind, uint64_t seed) {
  GeneratedTable t;
  t.kind = kind;
  std::mt19937_64 rng(seed);
  addNames(t);
  fillPredictors(t, rows, rng);
  fillTarget(t, rows, rng);
  return t;
}

void writeCsv(const GeneratedTable& table, std::ostream& out) {
  for (size_t c = 0; c < table.names.size(); ++c) out << (c ? "," : "") << table.names[c];
  out << '\n';
  std::string line;
  for (size_t r = 0; r < table.rows(); ++r) {
    line.clear();
    for (size_t c = 0; c < GeneratedTable::kColumns; ++c) {
      if (c) line += ',';
      line += table.cellText(r, c);
    }
    line += '\n';
    out << line;
  }
}

}  // namespace orlix::bench
