#include "platform/ado/recordset.h"

#include <gtest/gtest.h>

#include "platform/ado/error.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

using namespace orlix::ado;
using orlix::com::Variant;
using orlix::test::TempDir;

namespace {

const std::string kTextDriver = "Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=";

// The tree list shape the components build: fields appended, rows added.
std::shared_ptr<Recordset> treeList() {
  auto rs = std::make_shared<Recordset>();
  rs->Fields().Append("ID", adInteger, 10, adFldLong);
  rs->Fields().Append("Name", adBSTR, 256, adFldUnspecified);
  rs->Fields().Append("Mean", adDouble, 12, adFldNegativeScale);
  rs->Open();
  const char* names[] = {"root", "root_L", "root_R"};
  for (int i = 0; i < 3; ++i) {
    rs->AddNew();
    rs->Fields().Item("ID").SetValue(Variant(i + 1));
    rs->Fields().Item(1L).SetValue(Variant(names[i]));
    rs->Fields().Item(Variant("mean")).SetValue(Variant(10.0 - i));
    rs->Update();
  }
  return rs;
}

}  // namespace

TEST(RecordsetTest, DisconnectedRecordSetBuiltInMemory) {
  auto rs = treeList();
  EXPECT_EQ(rs->State(), adStateOpen);
  EXPECT_EQ(rs->RecordCount(), 3);
  EXPECT_EQ(rs->Fields().Count(), 3);
  EXPECT_EQ(rs->AbsolutePosition(), 3);  // the current row is the last one added
  Field id = rs->Fields().Item(0L);
  EXPECT_EQ(id.Name(), "ID");
  EXPECT_EQ(id.Type(), adInteger);
  EXPECT_EQ(id.DefinedSize(), 10);
  EXPECT_EQ(id.Attributes(), adFldLong);
  EXPECT_EQ(rs->Fields().Item("NAME").Attributes(), adFldUnspecified);
  rs->MoveFirst();
  std::vector<std::string> names;
  for (; !rs->Eof(); rs->MoveNext()) {
    names.push_back(rs->Fields().Item("Name").Value().text());
    EXPECT_EQ(rs->Fields().Item("ID").Value().type(), orlix::com::VT_I4);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"root", "root_L", "root_R"}));
  EXPECT_THROW(rs->Fields().Item("Name").Value(), DataError);  // at EOF
  EXPECT_THROW(rs->MoveNext(), DataError);
}

TEST(RecordsetTest, ValuesAreConvertedToTheFieldType) {
  auto rs = treeList();
  rs->MoveFirst();
  rs->Fields().Item("ID").SetValue(Variant("42"));
  EXPECT_EQ(rs->Fields().Item("ID").Value(), Variant(42));
  rs->Fields().Item("Mean").SetValue(Variant::null());
  EXPECT_TRUE(rs->Fields().Item("Mean").Value().isNull());
  try {
    rs->Fields().Item("ID").SetValue(Variant("forty"));
    FAIL() << "no error";
  } catch (const DataError& e) {
    EXPECT_NE(std::string(e.what()).find("field 'ID', row 1"), std::string::npos) << e.what();
  }
}

TEST(RecordsetTest, MisuseGivesAdoErrors) {
  Recordset rs;
  EXPECT_EQ(rs.State(), adStateClosed);
  EXPECT_THROW(rs.Open(), DataError);  // no fields appended
  EXPECT_THROW(rs.RecordCount(), DataError);
  EXPECT_THROW(rs.MoveFirst(), DataError);
  EXPECT_THROW(rs.Close(), DataError);
  rs.Fields().Append("A", adInteger);
  EXPECT_THROW(rs.Fields().Append("a", adDouble), DataError);  // names ignore case
  EXPECT_EQ(rs.Fields().Item(0L).Type(), adInteger);  // appended fields show before Open
  EXPECT_THROW(rs.Fields().Item(0L).Value(), DataError);
  rs.Open();
  EXPECT_TRUE(rs.Eof());
  EXPECT_TRUE(rs.Bof());
  EXPECT_THROW(rs.Fields().Append("B", adInteger), DataError);
  EXPECT_THROW(rs.Fields().Item("B"), DataError);
  EXPECT_THROW(rs.Fields().Item(5L), DataError);
  EXPECT_THROW(rs.Fields().Item(0L).Value(), DataError);  // no current record
  EXPECT_THROW(rs.SetSort("B"), DataError);
  rs.Close();
  EXPECT_EQ(rs.State(), adStateClosed);
}

TEST(RecordsetTest, CloneSharesRowsAndSortOrdersThem) {
  auto rs = treeList();
  auto clone = rs->Clone();
  EXPECT_EQ(clone->RecordCount(), 3);
  EXPECT_EQ(clone->Fields().Item("Name").Value(), Variant("root"));  // clones start at the first row
  rs->AddNew();
  rs->Fields().Item("Name").SetValue(Variant("Alpha"));
  rs->Update();
  EXPECT_EQ(clone->RecordCount(), 4);  // rows added through one cursor show in the other

  rs->SetSort("Mean");
  std::vector<std::string> order;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
    order.push_back(rs->Fields().Item("Name").Value().text());
  // NULL first, then ascending.
  EXPECT_EQ(order, (std::vector<std::string>{"Alpha", "root_R", "root_L", "root"}));
  rs->SetSort("Name DESC");
  rs->MoveFirst();
  EXPECT_EQ(rs->Fields().Item("Name").Value(), Variant("root_R"));
  rs->SetSort("name");  // text ignores case: Alpha < root
  rs->MoveFirst();
  EXPECT_EQ(rs->Fields().Item("Name").Value(), Variant("Alpha"));
  rs->SetSort("");
  rs->MoveFirst();
  EXPECT_EQ(rs->Fields().Item("Name").Value(), Variant("root"));
  rs->Close();
  EXPECT_EQ(clone->RecordCount(), 4);  // a clone outlives the closing of its original
}

TEST(RecordsetTest, SaveAndOpenAFile) {
  TempDir dir;
  auto rs = treeList();
  const std::string path = dir.file("treelist.xml");
  rs->Save(path);
  EXPECT_THROW(rs->Save(path), DataError);  // like ADO, never replaces a file
  Recordset back;
  back.Open(path, std::shared_ptr<Connection>(), adOpenUnspecified, adLockUnspecified, adCmdFile);
  ASSERT_EQ(back.RecordCount(), 3);
  EXPECT_EQ(back.Fields().Item("ID").Type(), adInteger);
  EXPECT_EQ(back.Fields().Item("ID").Attributes(), adFldLong);
  EXPECT_EQ(back.Fields().Item("Name").Type(), adBSTR);
  back.MoveLast();
  EXPECT_EQ(back.Fields().Item("Name").Value(), Variant("root_R"));
  EXPECT_EQ(back.Fields().Item("Mean").Value(), Variant(8.0));
  Recordset missing;
  EXPECT_THROW(missing.Open(dir.file("none.xml")), DataError);
}

TEST(RecordsetTest, OpensATextTableOnAConnection) {
  auto conn = std::make_shared<Connection>();
  conn->Open(kTextDriver + orlix::test::sampleFile("formats/warpbreaks") + ";DefaultDir=x;Uid=Admin;Pwd=;");
  for (const char* source : {"select * from [warpbrk.csv]", "[WARPBRK.CSV]", "warpbrk.txt", "[warpbrk#csv]"}) {
    Recordset rs;
    rs.SetActiveConnection(conn);
    rs.SetCursorLocation(adUseClient);
    rs.Open(source, std::shared_ptr<Connection>(), adOpenKeyset, adLockBatchOptimistic, -1);
    EXPECT_EQ(rs.RecordCount(), 54) << source;
    EXPECT_EQ(rs.Fields().Item("breaks").Type(), adInteger);
    EXPECT_EQ(rs.Fields().Item("breaks").Value(), Variant(26));
    EXPECT_EQ(rs.Fields().Item("wool").Value(), Variant("A"));
    rs.Close();
  }
  Recordset rs;
  rs.SetActiveConnection(conn);
  EXPECT_THROW(rs.Open("[nosuch.csv]"), DataError);
  EXPECT_THROW(rs.Open("[warpbrk.csv]; drop table x"), DataError);
  EXPECT_THROW(rs.Open("[../toothgrowth/toothgr.csv]"), DataError);
  Recordset viaString;
  viaString.Open("[warpbrk.csv]", kTextDriver + orlix::test::sampleFile("formats/warpbreaks") + ";");
  EXPECT_EQ(viaString.RecordCount(), 54);
}
