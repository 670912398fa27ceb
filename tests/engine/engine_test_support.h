// Helpers for engine tests: filling a table, running an engine through its
// operations in order and capturing its node file and advisories.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "engine/regression_engine.h"
#include "engine/row_table.h"
#include "tests/support/test_files.h"

namespace orlix::engine::testing {

// A cell to append: int, float, double, text or empty.
using TestCell = std::variant<std::monostate, int, float, double, std::string>;

inline void AppendCell(RowTable& table, const TestCell& cell) {
  switch (cell.index()) {
    case 0: table.AppendEmpty(); break;
    case 1: table.AppendInt32(std::get<int>(cell)); break;
    case 2: table.AppendFloat(std::get<float>(cell)); break;
    case 3: table.AppendDouble(std::get<double>(cell)); break;
    default: table.AppendString(std::get<std::string>(cell)); break;
  }
}

// columns[c][r]: the cells of a table, column by column.
inline void FillTable(RowTable& table, const std::vector<std::vector<TestCell>>& columns) {
  table.Reset(static_cast<int>(columns.size()));
  const std::size_t rows = columns.empty() ? 0 : columns[0].size();
  for (std::size_t r = 0; r < rows; ++r) {
    for (const auto& column : columns) AppendCell(table, column[r]);
    table.EndRow();
  }
}

inline ColumnDescriptor Variable(std::string name, int kind = kNumericKind, int decile = 0) {
  ColumnDescriptor d;
  d.name = std::move(name);
  d.kind = kind;
  d.decile = decile;
  return d;
}

// A column of rows cells made by cell(row).
inline std::vector<TestCell> Column(int rows, const std::function<TestCell(int)>& cell) {
  std::vector<TestCell> cells;
  for (int r = 0; r < rows; ++r) cells.push_back(cell(r));
  return cells;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Captures what is written to std::cerr while it lives.
class CerrCapture {
 public:
  CerrCapture() : old_(std::cerr.rdbuf(buffer_.rdbuf())) {}
  ~CerrCapture() { std::cerr.rdbuf(old_); }
  std::string text() const { return buffer_.str(); }

 private:
  std::ostringstream buffer_;
  std::streambuf* old_;
};

using test::readFile;

struct RunResult {
  int status = 0;          // first operation that failed (its step number), 0 when all passed
  std::string nodeFile;
  std::string advisories;
};

// A file name of its own for the running test (tests run in parallel).
inline std::string TestFileName(const std::string& suffix) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(test->test_suite_name()) + "." + test->name() + suffix;
}

// Runs the operations in the components' order on engine; descriptors are
// copied into it first. The node file goes to a file named after the test.
template <typename Engine>
RunResult RunEngine(Engine& engine, const RowTable& table, const std::vector<ColumnDescriptor>& descriptors,
                    int minimumN, std::string nodeFile = "") {
  if (nodeFile.empty()) nodeFile = TestFileName(".nodes.dat");
  RunResult result;
  CerrCapture capture;
  for (std::size_t i = 0; i < descriptors.size(); ++i) engine.columns()[i] = descriptors[i];
  engine.SetOutputFileName(nodeFile);
  std::filesystem::remove(nodeFile);
  int step = 0;
  auto run = [&](int status) {
    ++step;
    if (status != 0 && result.status == 0) result.status = step;
    return status == 0;
  };
  if (run(engine.SetNumCols(static_cast<int>(descriptors.size()))) &&
      run(engine.SetNumRows(table.RowCount())) && run(engine.SetOption1(0)) &&
      run(engine.SetMinimumN(minimumN)) && run(engine.SetOption2(0)) && run(engine.InitializeVars()) &&
      run(engine.CreateRoot()) && run(engine.Grow(*engine.root())) && run(engine.PrintResult())) {
    result.nodeFile = readFile(nodeFile);
  }
  result.advisories = capture.text();
  return result;
}

}  // namespace orlix::engine::testing
