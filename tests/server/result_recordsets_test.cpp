// The result record sets: their fields (names, types, sizes, attributes),
// the tree list's IDs and links read back from the node file, the
// descriptives of numeric and character variables and the analysis data.
#include <gtest/gtest.h>

#include "server/regression_map.h"
#include "server_test_support.h"

namespace orlix::server {
namespace {

using testing::csvSource;
using testing::fieldNames;
using testing::recordset;
using testing::rowText;
using testing::TempDir;

com::Variant value(const ado::Recordset& rs, std::string_view name) { return rs.Fields().Item(name).Value(); }

// T is 10, 20 or 50 by A's range: root splits at 20, its left child at 10.
std::string steps(int split) {
  std::string text = "A,B,T\n";
  for (int a = 1; a <= 40; ++a)
    text += std::to_string(a) + "," + (a % 2 ? "odd" : "even") + "," +
            std::to_string(a <= split ? 10 : a <= 20 ? 20 : 50) + "\n";
  return text;
}

class ResultRecordsets : public ::testing::Test {
 protected:
  void run(const std::string& text, int minimumN = 5) {
    const auto source = csvSource(dir, "data.csv", text);
    ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
    ASSERT_EQ(map.SetAsTarget("T"), com::S_OK);
    map.SetMinimumN(minimumN);
    ASSERT_EQ(map.Run(), com::S_OK);
  }
  std::shared_ptr<ado::Recordset> treeList() {
    com::Variant v;
    EXPECT_EQ(map.rs_TreeList(&v), com::S_OK);
    auto rs = recordset(v);
    rs->MoveFirst();
    return rs;
  }
  TempDir dir;
  RegressionMap map;
};

TEST_F(ResultRecordsets, TreeListOfOneSplit) {
  run(steps(0));
  auto rs = treeList();
  EXPECT_EQ(fieldNames(*rs), "ID,Name,Rule,N,Mean,SD,Min,Max,Parent,LeftChild,RightChild");
  const long sizes[] = {10, 256, 256, 12, 12, 12, 12, 12, 10, 10, 10};
  const int types[] = {3, 8, 8, 3, 5, 5, 5, 5, 3, 3, 3};
  const long attributes[] = {0x80, -1, -1, 0x80, 0x4000, 0x4000, 0x4000, 0x4000, 0x80, 0x80, 0x80};
  for (long i = 0; i < 11; ++i) {
    EXPECT_EQ(rs->Fields().Item(i).DefinedSize(), sizes[i]) << i;
    EXPECT_EQ(rs->Fields().Item(i).Type(), types[i]) << i;
    EXPECT_EQ(rs->Fields().Item(i).Attributes(), attributes[i]) << i;
  }
  ASSERT_EQ(rs->RecordCount(), 3);
  // Twenty 20s and twenty 50s: mean 35, population standard deviation 15.
  EXPECT_EQ(rowText(*rs), "1|root|ALL CASES|40|35|15|20|50|0|2|3");
  rs->MoveNext();
  EXPECT_EQ(value(*rs, "Name").toString(), "root_L");
  EXPECT_EQ(value(*rs, "N").toInt32(), 20);
  EXPECT_EQ(value(*rs, "Parent").toInt32(), 1);
  EXPECT_EQ(value(*rs, "LeftChild").toInt32(), 0);
  rs->MoveNext();
  EXPECT_EQ(value(*rs, "Name").toString(), "root_R");
  EXPECT_EQ(value(*rs, "Parent").toInt32(), 1);
  EXPECT_EQ(value(*rs, "RightChild").toInt32(), 0);
}

TEST_F(ResultRecordsets, TreeListOfADeeperTreeIsInPreOrder) {
  run(steps(10));
  auto rs = treeList();
  std::vector<std::string> names;
  for (; !rs->Eof(); rs->MoveNext()) {
    names.push_back(value(*rs, "Name").toString());
    const int id = value(*rs, "ID").toInt32();
    EXPECT_EQ(id, static_cast<int>(names.size()));
    EXPECT_LT(value(*rs, "Parent").toInt32(), id);
  }
  ASSERT_EQ(names, (std::vector<std::string>{"root", "root_L", "root_L_L", "root_L_R", "root_R"}));
  rs->MoveFirst();
  rs->MoveNext();
  EXPECT_EQ(rowText(*rs).substr(rowText(*rs).size() - 6), "|1|3|4");
  rs->MoveLast();
  EXPECT_EQ(rowText(*rs).substr(rowText(*rs).size() - 6), "|1|0|0");
}

TEST_F(ResultRecordsets, NodeStatisticsAreSinglePrecision) {
  std::string text = "A,T\n";
  for (int a = 1; a <= 20; ++a) text += std::to_string(a) + "," + (a <= 10 ? "3.3" : "7.1") + "\n";
  run(text);
  auto rs = treeList();
  rs->MoveNext();
  EXPECT_EQ(value(*rs, "Mean").toDouble(), static_cast<double>(3.3f));
  EXPECT_NE(value(*rs, "Mean").toDouble(), 3.3);
}

TEST_F(ResultRecordsets, TreeListReadTwiceGivesTwoRecordSetsWithTheSameRows) {
  run(steps(0));
  auto first = treeList();
  auto second = treeList();
  EXPECT_NE(first, second);
  for (; !first->Eof(); first->MoveNext(), second->MoveNext()) EXPECT_EQ(rowText(*first), rowText(*second));
}

TEST_F(ResultRecordsets, TreeListBeforeRunAndOfALoneRoot) {
  com::Variant v;
  EXPECT_EQ(map.rs_TreeList(&v), com::S_FALSE);
  EXPECT_TRUE(v.isEmpty());
  run("A,T\n1,5\n2,6\n3,7\n4,8\n", 3);
  EXPECT_EQ(map.rs_TreeList(&v), com::E_FAIL);
  EXPECT_EQ(com::GetErrorInfo()->description, "No splitting beyond the root node");
  EXPECT_TRUE(v.isEmpty());
}

TEST_F(ResultRecordsets, DescriptivesOfNumericAndCharacterVariables) {
  com::Variant v;
  ASSERT_EQ(map.rs_Descriptives(&v), com::S_OK);
  EXPECT_EQ(recordset(v)->RecordCount(), 0);
  EXPECT_EQ(fieldNames(*recordset(v)), "VarName,Type,Min,Max,Mean,SD,Cardinality,Uniques");

  run("A,B,T\n1,p,5\n2,q,6\n1,q,7\n2,p,8\n", 1);
  ASSERT_EQ(map.rs_Descriptives(&v), com::S_OK);
  auto rs = recordset(v);
  const long sizes[] = {24, 24, 24, 24, 24, 24, 24, 24};
  const long attributes[] = {-1, -1, -1, -1, 0x4000, -1, 0x80, 0x80};
  for (long i = 0; i < 8; ++i) {
    EXPECT_EQ(rs->Fields().Item(i).DefinedSize(), sizes[i]);
    EXPECT_EQ(rs->Fields().Item(i).Attributes(), attributes[i]);
  }
  ASSERT_EQ(rs->RecordCount(), 3);
  rs->MoveFirst();
  EXPECT_EQ(rowText(*rs).substr(0, 28), "A|Numeric|1.000000|2.000000|");
  rs->MoveNext();
  EXPECT_EQ(rowText(*rs).substr(0, 24), "B|Character|ZZZ|   |0|0|");
  rs->MoveNext();
  EXPECT_EQ(value(*rs, "VarName").toString(), "T");
  EXPECT_EQ(value(*rs, "Mean").toDouble(), 6.5);
}

TEST_F(ResultRecordsets, AnalysisDataKeepsIncludedFieldsAndEveryRecord) {
  const auto source = csvSource(dir, "d.csv", "ID,Price,Name\n1,2.5,a\n2,,b\n3,4.5,\n");
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  map.SetAsExcluded("ID");
  com::Variant v;
  ASSERT_EQ(map.rs_AnalysisData(&v), com::S_OK);
  auto rs = recordset(v);
  EXPECT_EQ(fieldNames(*rs), "VAR1,Name");
  EXPECT_EQ(rs->Fields().Item(0L).Type(), ado::adDouble);
  EXPECT_EQ(rs->Fields().Item(1L).Type(), ado::adBSTR);
  EXPECT_EQ(rs->Fields().Item(1L).DefinedSize(), 24);
  ASSERT_EQ(rs->RecordCount(), 3);
  rs->MoveFirst();
  EXPECT_EQ(rowText(*rs), "2.5|a");
  rs->MoveNext();
  EXPECT_EQ(rowText(*rs), "|b");
  rs->MoveNext();
  EXPECT_EQ(rowText(*rs), "4.5|");
  int32_t cols = -1;
  map.Cols(&cols);
  EXPECT_EQ(cols, 0);
}

}  // namespace
}  // namespace orlix::server
