// ADO XML and the text driver are the same bytes and values whatever the
// process locale: here a locale with a decimal comma and grouped thousands.
#include <gtest/gtest.h>

#include "platform/ado/adoxml/adoxml.h"
#include "platform/ado/text/csv_reader.h"
#include "platform/com/variant.h"
#include "tests/support/scoped_locale.h"

namespace orlix::ado {
namespace {

using com::Variant;
using test::InBothLocales;

std::shared_ptr<Table> NumbersAndDates() {
  TableBuilder b("t");
  b.addField("r8", adDouble, 8);
  b.addField("r4", adSingle, 4);
  b.addField("cy", adCurrency, 8);
  b.addField("num", adDecimal, 16);
  b.addField("stamp", adDate, 8);
  b.addField("i4", adInteger, 4);
  for (int r = 0; r < 3; ++r) {
    b.addRow();
    b.setDouble(0, 1234567.125 * (r + 1) + 0.1);
    b.setDouble(1, static_cast<float>(2.5f / (r + 3)));
    b.setCurrency(2, 12345678 + r);
    b.setDecimal(3, r == 1 ? "-0.5" : "1234.25");
    b.setDate(4, com::oleDateFromParts(2026, 12, 8 + r, 13, 45, 30));
    b.setInt32(5, 1234567 * (r + 1));
  }
  return b.finish();
}

TEST(Locale, AdoXmlIsWrittenAndReadTheSameWay) {
  auto [inC, inOther] = InBothLocales([] { return adoXmlText(*NumbersAndDates()); });
  EXPECT_NE(inC.find("r8='1234567.2250000001'"), std::string::npos) << inC;
  EXPECT_EQ(inOther, inC);
  auto read = [&xml = inC] {
    auto t = readAdoXml(xml, "t.xml");
    std::string values;
    for (size_t r = 0; r < t->rowCount(); ++r)
      for (size_t c = 0; c < t->fieldCount(); ++c) values += t->value(r, c).toString() + "|";
    return values;
  };
  auto [readInC, readInOther] = InBothLocales(read);
  EXPECT_NE(readInC.find("1234567.225|"), std::string::npos) << readInC;
  EXPECT_NE(readInC.find("1234.5678|"), std::string::npos) << readInC;  // currency
  EXPECT_NE(readInC.find("2026-12-08 13:45:30|"), std::string::npos) << readInC;
  EXPECT_EQ(readInOther, readInC);
}

TEST(Locale, VariantTextsAreTheCLocales) {
  auto texts = [] {
    return Variant(1234.5).toString() + "|" + Variant::single(0.25f).toString() + "|" +
           Variant::currency(-78900).toString() + "|" + com::formatSignificant(1e21, 17) + "|" +
           Variant(Variant("3.75").toDouble() * 2).toString() + "|" +
           Variant("1234.5").changeType(com::VT_CY).toString();
  };
  auto [inC, inOther] = InBothLocales(texts);
  EXPECT_EQ(inC, "1234.5|0.25|-7.89|1E+21|7.5|1234.5");
  EXPECT_EQ(inOther, inC);
  test::ScopedLocale decimalComma;
  EXPECT_THROW(Variant("2,5").toDouble(), com::TypeMismatch);  // a comma is never a decimal point
}

TEST(Locale, TheTextDriverReadsTheSameNumbers) {
  auto read = [] {
    auto t = readCsv("x,y,name\n1.5,1234567,a\n-0.25,2,b\n1e3,3,c\n", "t.csv");
    std::string values = std::to_string(t->field(0).type) + ":";
    for (size_t r = 0; r < t->rowCount(); ++r)
      values += com::formatDouble(t->value(r, 0).toDouble()) + "," + t->value(r, 1).toString() + "," +
                t->value(r, 2).toString() + "|";
    return values;
  };
  auto [inC, inOther] = InBothLocales(read);
  EXPECT_EQ(inC, "5:1.5,1234567,a|-0.25,2,b|1000,3,c|");
  EXPECT_EQ(inOther, inC);
}

}  // namespace
}  // namespace orlix::ado
