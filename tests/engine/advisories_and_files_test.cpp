// Advisories on standard error, the node file and the split trace.
#include <gtest/gtest.h>

#include "engine/cart_error.h"
#include "engine/node_file.h"
#include "engine/regression_engine.h"
#include "engine/split_trace.h"
#include "engine_test_support.h"

namespace orlix::engine::testing {
namespace {

std::string Advisory(const char* module, const char* severity, const char* message, const char* remedy) {
  return std::string("Advisory at module: ") + module + "\nSeverity: " + severity + "\n" + message + "\n" + remedy + "\n";
}

TEST(Advisories, SizeAndSettingChecks) {
  RegressionEngine engine;
  CerrCapture capture;
  EXPECT_EQ(engine.SetNumRows(0), 1);
  EXPECT_EQ(capture.text(), Advisory("SetNumRows", "Warning", "No data in the data set", "Check data source for valid file"));
  CerrCapture second;
  EXPECT_EQ(engine.SetNumCols(0), 1);
  EXPECT_EQ(engine.SetMinimumN(0), 1);
  EXPECT_EQ(engine.InitializeVars(), 1);
  EXPECT_EQ(second.text(),
            Advisory("SetNumCols", "Critical Error", "No data in the data set", "Check data source for valid file") +
                Advisory("SetMinimumN", "Severe Warning", "Minimum N less than one",
                         "Use SetMinimumN to increase minimum number per node") +
                Advisory("InitializeVars", "Warning", "No data in the data set", "Check data source for valid file"));
  EXPECT_EQ(engine.SetNumCols(251), 1);
  EXPECT_EQ(engine.SetNumCols(250), 0);
  EXPECT_EQ(engine.SetMinimumN(1), 0);
}

TEST(Advisories, EmptyTextsPrintAsEmptyLines) {
  std::ostringstream out;
  WriteAdvisory(out, _cart_error("M", "", "", "Warning"));
  EXPECT_EQ(out.str(), "Advisory at module: M\nSeverity: Warning\n\n\n");
}

TEST(Advisories, OperationsOutOfOrderFailCleanly) {
  RegressionEngine engine;
  CerrCapture capture;
  EXPECT_EQ(engine.CreateRoot(), 1);
  engine.SetOutputFileName("out_of_order_nodes.dat");
  EXPECT_EQ(engine.PrintResult(), 1);
  EXPECT_NE(capture.text().find("Attempting to print uninitialized node"), std::string::npos);
  EXPECT_EQ(engine.PrintNode(nullptr), 1);
}

TEST(NodeFile, UnwritableFileIsAnAdvisory) {
  RowTable table;
  FillTable(table, {{1.0, 2.0, 3.0}});
  RegressionEngine engine(table);
  const RunResult ok = RunEngine(engine, table, {Variable("Y")}, 1);
  ASSERT_EQ(ok.status, 0);
  engine.SetOutputFileName("no/such/folder/nodes.dat");
  CerrCapture capture;
  EXPECT_EQ(engine.PrintResult(), 1);
  EXPECT_EQ(capture.text(), Advisory("PrintResult", "Warning", "Cannot create output file",
                                     "Check disk space and verify valid file name"));
}

TEST(NodeFile, OldFileIsReplaced) {
  RowTable table;
  FillTable(table, {{1.0, 2.0, 3.0}});
  {
    std::ofstream old("replaced_nodes.dat");
    old << "old line 1\nold line 2\nold line 3\n";
  }
  RegressionEngine engine(table);
  const RunResult r = RunEngine(engine, table, {Variable("Y")}, 1, "replaced_nodes.dat");
  EXPECT_EQ(r.nodeFile, "root,\"ALL CASES\",3,2,0.816497,1,3\n");
}

TEST(NodeFile, FieldsWithSeparatorsAreQuoted) {
  TreeNode node(0);
  node.name = "root";
  node.rule = "A,B IS_IN { x\"y }";
  node.N = 3;
  node.mean = 1.5f;
  node.sd = 0.25f;
  node.min = 1;
  node.max = 2;
  EXPECT_EQ(RegressionNodeLine(node), "root,\"A,B IS_IN { x\"\"y }\",3,1.5,0.25,1,2");
  node.rule = "AGE <= 35.000000";
  node.classCounts.Add("no", 80);
  node.classCounts.Add("yes", 40);
  node.N = 120;
  node.name = "root_L";
  EXPECT_EQ(CategoryNodeLine(node), "root_L,AGE <= 35.000000,120,no,80,yes,40");
  node.rule = "REGION, WEST IS_IN { a }";
  node.classCounts.Add("a;b", 1);
  EXPECT_EQ(CategoryNodeLine(node), "root_L,\"REGION, WEST IS_IN { a }\",120,\"a;b\",1,no,80,yes,40");
  EXPECT_EQ(TextField("tab\there"), "\"tab\there\"");
  EXPECT_EQ(TextField("pipe|"), "\"pipe|\"");
  EXPECT_EQ(TextField("plain text"), "plain text");
}

TEST(NodeFile, NumbersUseTheStreamDefault) {
  TreeNode node(0);
  node.name = "root";
  node.rule = "ALL CASES";
  node.N = 200;
  node.mean = 41.5f;
  node.sd = 12.25f;
  node.min = 3;
  node.max = 98;
  EXPECT_EQ(RegressionNodeLine(node), "root,\"ALL CASES\",200,41.5,12.25,3,98");
  node.mean = 1234567.0f;
  node.sd = 0.000012345f;
  EXPECT_EQ(RegressionNodeLine(node), "root,\"ALL CASES\",200,1.23457e+06,1.2345e-05,3,98");
}

TEST(SplitTrace, BlockLayout) {
  TraceBlock b{2, "root_L", 98, 1, 0.4f, 0.707851f, "root_L_L", 14, 0.171429f, 0.574989f, "root_L_R", 84, -0.0119048f, 0.614198f};
  std::ostringstream out;
  WriteTraceBlock(out, b);
  EXPECT_EQ(out.str(),
            "Tree nodes: 2\n"
            "Found partition within root_L ( N = 98 )\n"
            "  Split Coordinate: { 1, 0.4 }\n"
            "  RMS: 0.707851\n"
            "  Left Child: root_L_L\tN: 14\tRule: V[1] <= 0.4\n"
            "  Left Child: root_L_L\tM: 0.171429\tRule: V[1] <= 0.4\n"
            "  Left Child: root_L_L\tSD: 0.574989\tRule: V[1] <= 0.4\n"
            "  Right Child: root_L_R\tN: 84\tRule: V[1] >  0.4\n"
            "  Right Child: root_L_R\tM: -0.0119048\tRule: V[1] >  0.4\n"
            "  Right Child: root_L_R\tSD: 0.614198\tRule: V[1] >  0.4\n");
}

TEST(SplitTrace, OffByDefaultAndAppendedAcrossRuns) {
  const std::string path = "trace_runs.log";
  std::filesystem::remove(path);
  std::filesystem::remove("zzz.log");
  auto run = [&](bool trace) {
    RowTable table;
    FillTable(table, {{1.0, 2.0, 3.0, 4.0, 5.0, 6.0}, {1.0, 1.0, 1.0, 5.0, 5.0, 6.0}});
    RegressionEngine engine(table);
    if (trace) engine.SetSplitTrace(true, path);
    return RunEngine(engine, table, {Variable("X"), Variable("Y")}, 1);
  };
  ASSERT_EQ(run(false).status, 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(std::filesystem::exists("zzz.log"));
  ASSERT_EQ(run(true).status, 0);
  const std::string once = readFile(path);
  EXPECT_NE(once.find("Found partition within root ( N = 6 )"), std::string::npos);
  ASSERT_EQ(run(true).status, 0);
  EXPECT_EQ(readFile(path), once + once);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace orlix::engine::testing
