// CategoryMap's own results: the class count columns of its tree list, the
// number of target classes, and the limit of 10 classes.
#include <gtest/gtest.h>

#include "server/category_map.h"
#include "server_test_support.h"

namespace orlix::server {
namespace {

using testing::csvSource;
using testing::fieldNames;
using testing::recordset;
using testing::rowText;
using testing::TempDir;

std::string classesByA(int classCount) {
  std::string text = "A,Answer\n";
  for (int a = 1; a <= 40; ++a)
    text += std::to_string(a) + "," + (classCount == 2 ? (a > 20 ? "Yes" : "No") : "c" + std::to_string(a % classCount)) + "\n";
  return text;
}

// Field names are matched ignoring case: classes that differ only in case
// each keep a count field of their own, the later one numbered.
TEST(CategoryMapResults, ClassesDifferingOnlyInCaseKeepTheirOwnCountFields) {
  TempDir dir;
  std::string text = "A,Answer\n";
  for (int a = 1; a <= 40; ++a) text += std::to_string(a) + "," + (a > 20 ? "yes" : "Yes") + "\n";
  const auto source = csvSource(dir, "d.csv", text);
  CategoryMap map;
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  ASSERT_EQ(map.SetAsTarget("Answer"), com::S_OK);
  map.SetMinimumN(5);
  ASSERT_EQ(map.Run(), com::S_OK);
  com::Variant v;
  ASSERT_EQ(map.rs_TreeList(&v), com::S_OK);
  auto rs = recordset(v);
  EXPECT_EQ(fieldNames(*rs), "ID,Name,Rule,N,Val_Yes,Val_yes~2,Parent,LeftChild,RightChild");
  rs->MoveFirst();  // the root: 20 of each
  EXPECT_EQ(rs->Fields().Item("Val_Yes").Value().toString(), "20");
  EXPECT_EQ(rs->Fields().Item("Val_yes~2").Value().toString(), "20");
}

TEST(CategoryMapResults, TreeListHasOneCountFieldPerClass) {
  TempDir dir;
  const auto source = csvSource(dir, "d.csv", classesByA(2));
  CategoryMap map;
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  ASSERT_EQ(map.SetAsTarget("ANSWER"), com::S_OK);
  map.SetMinimumN(5);
  ASSERT_EQ(map.Run(), com::S_OK);
  int32_t classes = 0;
  EXPECT_EQ(map.NumTargetValues(&classes), com::S_OK);
  EXPECT_EQ(classes, 2);

  com::Variant v;
  ASSERT_EQ(map.rs_TreeList(&v), com::S_OK);
  auto rs = recordset(v);
  EXPECT_EQ(fieldNames(*rs), "ID,Name,Rule,N,Val_No,Val_Yes,Parent,LeftChild,RightChild");
  EXPECT_EQ(rs->Fields().Item(4L).Type(), ado::adInteger);
  EXPECT_EQ(rs->Fields().Item(4L).DefinedSize(), 12);
  EXPECT_EQ(rs->Fields().Item(4L).Attributes(), 0x80);
  rs->MoveFirst();
  EXPECT_EQ(rowText(*rs).substr(0, 26), "1|root|ALL CASES|40|20|20|");
  // Every node's class counts add up to its N; the root's left child holds
  // the No rows alone, so its Yes count is 0.
  for (; !rs->Eof(); rs->MoveNext()) {
    const auto count = [&](long i) { return rs->Fields().Item(i).Value().toInt32(); };
    EXPECT_EQ(count(4) + count(5), count(3)) << rowText(*rs);
    if (rs->Fields().Item(1L).Value().toString() == "root_L") {
      EXPECT_EQ(count(4), 20);
      EXPECT_EQ(count(5), 0);
      EXPECT_EQ(count(6), 1);
    }
  }
  std::string report;
  map.MAPRules(&report);
  EXPECT_NE(report.find("Answer"), std::string::npos);
}

TEST(CategoryMapResults, ALaterRunLeavesAnEarlierComponentsResults) {
  TempDir dir;
  const auto two = csvSource(dir, "two.csv", classesByA(2));
  const auto three = csvSource(dir, "three.csv", classesByA(3));
  CategoryMap first, second;
  for (auto [map, source] : {std::pair{&first, two}, std::pair{&second, three}}) {
    ASSERT_EQ(map->ConnectOLEDB(source.connection, source.table), com::S_OK);
    ASSERT_EQ(map->SetAsTarget("Answer"), com::S_OK);
    map->SetMinimumN(5);
    ASSERT_EQ(map->Run(), com::S_OK);
  }
  com::Variant v;
  ASSERT_EQ(first.rs_TreeList(&v), com::S_OK);
  EXPECT_EQ(fieldNames(*recordset(v)), "ID,Name,Rule,N,Val_No,Val_Yes,Parent,LeftChild,RightChild");
  ASSERT_EQ(second.rs_TreeList(&v), com::S_OK);
  EXPECT_EQ(fieldNames(*recordset(v)), "ID,Name,Rule,N,Val_c0,Val_c1,Val_c2,Parent,LeftChild,RightChild");
}

TEST(CategoryMapResults, MoreThanTenClassesFailRun) {
  TempDir dir;
  const auto source = csvSource(dir, "d.csv", classesByA(11));
  CategoryMap map;
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  ASSERT_EQ(map.SetAsTarget("Answer"), com::S_OK);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(map.Run(), com::E_FAIL);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("more than 10 classes"), std::string::npos);
  EXPECT_EQ(com::GetErrorInfo()->description, "Could not create decision map - possibly invalid data");
}

}  // namespace
}  // namespace orlix::server
