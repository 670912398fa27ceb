#include "platform/ado/adoxml/adoxml.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/ado/error.h"
#include "platform/ado/recordset.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

using namespace orlix::ado;
using orlix::com::oleDateFromParts;
using orlix::com::Variant;

namespace {

std::string sample(const std::string& name) {
  return orlix::test::readFile(orlix::test::sampleFile("rowset/" + name));
}

std::shared_ptr<Table> read(const std::string& name) {
  return readAdoXmlFile(orlix::test::sampleFile("rowset/" + name));
}

std::string errorOf(const std::string& xml) {
  try {
    readAdoXml(xml, "x.xml");
  } catch (const DataError& e) {
    return e.what();
  }
  return "no error";
}

const char* kHead =
    "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882' "
    "xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882' xmlns:rs='urn:schemas-microsoft-com:rowset' "
    "xmlns:z='#RowsetSchema'><s:Schema id='RowsetSchema'><s:ElementType name='row' content='eltOnly'>"
    "<s:AttributeType name='ID' rs:number='1'><s:datatype dt:type='int' dt:maxLength='4'/>"
    "</s:AttributeType></s:ElementType></s:Schema><rs:data>";

}  // namespace

TEST(AdoXmlTest, ReadsTypesBasic) {
  auto t = read("types_basic.xml");
  ASSERT_EQ(t->fieldCount(), 5u);
  EXPECT_EQ(t->field(0).type, adInteger);
  EXPECT_EQ(t->field(1).type, adBoolean);
  EXPECT_EQ(t->field(2).type, adCurrency);
  EXPECT_EQ(t->field(3).type, adDouble);
  EXPECT_EQ(t->field(4).type, adDate);
  EXPECT_EQ(t->field(4).definedSize, 16);
  ASSERT_EQ(t->rowCount(), 2u);
  EXPECT_EQ(t->rowStatus(0), RowStatus::Inserted);
  EXPECT_EQ(t->value(1, 0), Variant(-2));
  EXPECT_EQ(t->value(0, 1), Variant(true));
  EXPECT_EQ(t->value(0, 2), Variant::currency(12345600));
  EXPECT_EQ(t->value(1, 2), Variant::currency(-78900));
  EXPECT_EQ(t->value(0, 3), Variant(3.14159));
  EXPECT_EQ(t->value(0, 4), Variant::date(oleDateFromParts(2001, 2, 3, 4, 5, 6)));
  EXPECT_EQ(t->value(1, 4), Variant::date(oleDateFromParts(1999, 12, 31, 23, 59, 58)));
}

TEST(AdoXmlTest, ReadsNullsAndRowStates) {
  auto n = read("nulls.xml");
  EXPECT_EQ(n->field(1).type, adVarWChar);
  EXPECT_EQ(n->field(1).definedSize, 40);
  EXPECT_EQ(n->field(1).attributes, adFldIsNullable);
  EXPECT_TRUE(n->isNull(0, 1));
  EXPECT_TRUE(n->isNull(0, 2));
  EXPECT_EQ(n->value(1, 1), Variant(""));  // empty text is not NULL
  EXPECT_EQ(n->value(1, 2), Variant(0));

  auto d = read("flat_Double_boundaries.xml");
  ASSERT_EQ(d->rowCount(), 6u);
  EXPECT_EQ(d->rowStatus(0), RowStatus::Unchanged);
  EXPECT_EQ(d->value(0, 1), Variant(-123456789.125));
  EXPECT_EQ(d->value(4, 1), Variant(123456789.5));
  EXPECT_TRUE(d->isNull(5, 1));  // an omitted attribute is NULL

  auto b = read("flat_BSTR_states.xml");
  EXPECT_EQ(b->field(1).type, adBSTR);
  ASSERT_EQ(b->rowCount(), 3u);  // the deleted row is gone
  EXPECT_EQ(b->value(0, 0), Variant(1));  // the update keeps the original key
  EXPECT_EQ(b->value(0, 1), Variant("\xED\x95\x9C\xEA\xB8\x80"));
  EXPECT_EQ(b->value(1, 1), Variant("Joe's <xml> & data"));
  EXPECT_EQ(b->value(2, 0), Variant(4));
  EXPECT_EQ(b->rowStatus(2), RowStatus::Inserted);
}

TEST(AdoXmlTest, WritesWhatAdoWrote) {
  // A record set read from an ADO file is written back byte for byte.
  for (const char* name : {"types_basic.xml", "nulls.xml", "flat_Double_boundaries.xml"})
    EXPECT_EQ(adoXmlText(*read(name)), sample(name)) << name;
}

TEST(AdoXmlTest, BuildsNullsXmlInMemory) {
  orlix::test::TempDir dir;
  Recordset rs;
  rs.Fields().Append("ID", adInteger, 4);
  rs.Fields().Append("MAYBE_TEXT", adVarWChar, 40, adFldIsNullable);
  rs.Fields().Append("MAYBE_INT", adInteger, 4, adFldIsNullable);
  rs.Open();
  rs.AddNew();
  rs.Fields().Item("ID").SetValue(Variant(1));
  rs.Update();
  rs.AddNew();
  rs.Fields().Item("ID").SetValue(Variant(2));
  rs.Fields().Item("MAYBE_TEXT").SetValue(Variant(""));
  rs.Fields().Item("MAYBE_INT").SetValue(Variant(0));
  rs.Update();
  rs.Save(dir.file("nulls.xml"));
  EXPECT_EQ(orlix::test::readFile(dir.file("nulls.xml")), sample("nulls.xml"));
}

TEST(AdoXmlTest, BuildsTypesBasicInMemory) {
  Recordset rs;
  rs.Fields().Append("ID", adInteger, 4);
  rs.Fields().Append("FLAG", adBoolean, 2);
  rs.Fields().Append("AMOUNT", adCurrency, 8);
  rs.Fields().Append("RATIO", adDouble, 8);
  rs.Fields().Append("WHEN_AT", adDate, 16);
  rs.Open();
  const Variant rows[2][5] = {
      {Variant(1), Variant(true), Variant("1234.56"), Variant(3.14159), Variant("2001-02-03T04:05:06")},
      {Variant(-2), Variant(false), Variant(-7.89), Variant(-0.25), Variant("1999-12-31 23:59:58")}};
  for (const auto& row : rows) {
    rs.AddNew();
    for (long c = 0; c < 5; ++c) rs.Fields().Item(c).SetValue(row[c]);
    rs.Update();
  }
  EXPECT_EQ(adoXmlText(*rs.table()), sample("types_basic.xml"));
}

TEST(AdoXmlTest, RoundTripsEveryTypeAndWrapsLongTags) {
  TableBuilder b("t");
  b.addField("i2", adSmallInt, 2);
  b.addField("i8", adBigInt, 8);
  b.addField("u1", adUnsignedTinyInt, 1);
  b.addField("r4", adSingle, 4);
  FieldInfo num{"num", adNumeric, 19, -1, 10, 4};
  b.addField(num);
  b.addField("dec", adDecimal, 16);
  b.addField("day", adDBDate, 6);
  b.addField("clock", adDBTime, 6);
  b.addField("stamp", adDBTimeStamp, 16);
  b.addField("guid", adGUID, 16);
  b.addField("bytes", adVarBinary, 8);
  b.addField("memo", adLongVarChar, 65535, adFldIsNullable | adFldMayBeNull);
  b.addField("Bank Name", adChar, 10);
  b.addRow();
  b.setInt32(0, -32768);
  b.setInt64(1, INT64_MAX);
  b.setInt32(2, 255);
  b.setDouble(3, 1.25);
  b.setDecimal(4, "-0.5");
  b.setDecimal(5, "12.3400");
  b.setDate(6, oleDateFromParts(2026, 12, 8));
  b.setDate(7, oleDateFromParts(1899, 12, 30, 14, 30, 15));
  b.setDate(8, oleDateFromParts(2038, 1, 19, 3, 14, 7));
  b.setText(9, "{01234567-89AB-CDEF-0123-456789ABCDEF}");
  b.setText(10, std::string("\x00\xff\x10", 3));
  b.setText(11, "line1\r\n\tline2 'quoted' \"double\" <&>");
  b.setText(12, "fixed     ");
  auto t = b.finish();
  const std::string xml = adoXmlText(*t);
  EXPECT_NE(xml.find("num='-.5000'"), std::string::npos);
  EXPECT_NE(xml.find("dec='12.34'"), std::string::npos);
  EXPECT_NE(xml.find("clock='14:30:15'"), std::string::npos);
  EXPECT_NE(xml.find("bytes='00ff10'"), std::string::npos);
  EXPECT_NE(xml.find("<s:AttributeType name='c12' rs:name='Bank Name'"), std::string::npos);
  // Tags longer than ADO's line continue on a line indented one blank more.
  EXPECT_NE(xml.find("rs:fixedlength='true'\r\n\t\t\t rs:maybenull='false'/>"), std::string::npos);
  EXPECT_NE(xml.find("\r\n\t "), std::string::npos);  // the row wraps too
  auto back = readAdoXml(xml, "back");
  ASSERT_EQ(back->fieldCount(), t->fieldCount());
  for (size_t c = 0; c < t->fieldCount(); ++c) {
    EXPECT_EQ(back->field(c).name, t->field(c).name);
    EXPECT_EQ(back->field(c).type, t->field(c).type) << t->field(c).name;
    EXPECT_EQ(back->field(c).attributes, t->field(c).attributes) << t->field(c).name;
  }
  for (size_t c = 0; c < t->fieldCount(); ++c)
    EXPECT_EQ(back->value(0, c), t->value(0, c)) << t->field(c).name;
  EXPECT_EQ(t->value(0, 4).text(), "-0.5");
  EXPECT_EQ(adoXmlText(*back), xml);
}

TEST(AdoXmlTest, RefusesTextXmlCannotCarry) {
  TableBuilder b("rs");
  b.addField("Note", adVarWChar, 10);
  b.addRow();
  b.setText(0, std::string("bell\x07", 5));
  try {
    adoXmlText(*b.finish());
    FAIL() << "no error";
  } catch (const DataError& e) {
    EXPECT_EQ(std::string(e.what()),
              "rs: field 'Note', row 1: the control character 0x07 cannot be saved in XML");
  }
}

TEST(AdoXmlTest, RefusesFieldsThatShareAName) {
  TableBuilder b("join");
  b.addField("x", adInteger, 4);
  b.addField("x", adInteger, 4);
  EXPECT_THROW(adoXmlText(*b.finish()), DataError);
}

TEST(AdoXmlTest, MalformedFilesGiveClearErrors) {
  const std::string head = kHead;
  EXPECT_NE(errorOf("").find("x.xml: line"), std::string::npos);
  EXPECT_NE(errorOf("<xml><unclosed></xml>").find("x.xml: line 1:"), std::string::npos);
  EXPECT_NE(errorOf("<root/>").find("the root element is not <xml>"), std::string::npos);
  EXPECT_NE(errorOf("<xml/>").find("no s:Schema"), std::string::npos);
  EXPECT_NE(errorOf(head + "<z:row ID='abc'/></rs:data></xml>").find("\"abc\" is not a valid adInteger"),
            std::string::npos);
  EXPECT_NE(errorOf(head + "<z:row ID='1' OTHER='2'/></rs:data></xml>").find("does not declare"),
            std::string::npos);
  EXPECT_NE(errorOf(head + "<z:row rs:forcenull='NOPE'/></rs:data></xml>").find("undeclared field 'NOPE'"),
            std::string::npos);
  EXPECT_NE(errorOf(head + "<z:row ID='99999999999'/></rs:data></xml>").find("out of range"),
            std::string::npos);
  EXPECT_NE(errorOf(head + "<bogus/></rs:data></xml>").find("unexpected element <bogus>"),
            std::string::npos);
  EXPECT_NE(errorOf("<!DOCTYPE xml [<!ENTITY a 'b'>]>" + head + "</rs:data></xml>").find("document type"),
            std::string::npos);
  // With an XML declaration it reads the same.
  auto t = readAdoXml("<?xml version='1.0' encoding='UTF-8'?>\n" + head + "<z:row ID='7'/></rs:data></xml>",
                      "x.xml");
  EXPECT_EQ(t->value(0, 0), Variant(7));
}
