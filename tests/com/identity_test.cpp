#include <gtest/gtest.h>

#include <thread>

#include "platform/com/class_registry.h"
#include "platform/com/error_info.h"
#include "platform/com/guid.h"
#include "platform/com/hresult.h"

using namespace orlix::com;

TEST(Guid, ParsesAndPrintsTheRegistryForm) {
  auto g = Guid::parse("{c33a72ad-3a5f-11d6-97c1-00e098053f2d}");
  ASSERT_TRUE(g);
  EXPECT_EQ(g->toString(), "{C33A72AD-3A5F-11D6-97C1-00E098053F2D}");
  EXPECT_EQ(g->data1, 0xC33A72ADu);
  EXPECT_EQ(g->data4[7], 0x2D);
  EXPECT_EQ(Guid::parse("C33A72AD-3A5F-11D6-97C1-00E098053F2D"), g);
}

TEST(Guid, RefusesMalformedText) {
  for (const char* bad : {"", "{}", "{C33A72AD-3A5F-11D6-97C1-00E098053F2}", "{C33A72AD-3A5F-11D6-97C1-00E098053F2G}",
                          "{C33A72AD+3A5F-11D6-97C1-00E098053F2D}", "C33A72AD-3A5F-11D6-97C1-00E098053F2D}"})
    EXPECT_FALSE(Guid::parse(bad)) << bad;
}

TEST(Hresult, PrintsUpperCaseHexAndClassifies) {
  EXPECT_EQ(hresultHex(E_FAIL), "80004005");
  EXPECT_EQ(hresultHex(DISP_E_EXCEPTION), "80020009");
  EXPECT_EQ(hresultHex(S_FALSE), "1");
  EXPECT_TRUE(SUCCEEDED(S_FALSE));
  EXPECT_TRUE(FAILED(CONNECT_E_NOCONNECTION));
}

TEST(ErrorInfo, IsPerThreadAndHandedOverOnce) {
  const Guid iid = Guid::fromLiteral("{C33A72AC-3A5F-11D6-97C1-00E098053F2D}");
  EXPECT_EQ(ReportError(E_FAIL, "broken", "Orlix.RegressionMap.1", iid), E_FAIL);
  std::thread([] { EXPECT_FALSE(GetErrorInfo()); }).join();
  auto info = GetErrorInfo();
  ASSERT_TRUE(info);
  EXPECT_EQ(info->description, "broken");
  EXPECT_EQ(info->source, "Orlix.RegressionMap.1");
  EXPECT_EQ(info->guid, iid);
  EXPECT_FALSE(GetErrorInfo());
}

namespace {
struct Thing {
  virtual ~Thing() = default;
  virtual int id() const = 0;
};
struct One : Thing {
  int id() const override { return 1; }
};
}  // namespace

TEST(ClassRegistry, CreatesByClassIdOrEitherProgIdIgnoringCase) {
  ClassRegistry<Thing> reg;
  ClassInfo info{Guid::fromLiteral("{C33A72AD-3A5F-11D6-97C1-00E098053F2D}"), {}, "Orlix.One.1", "Orlix.One", "One Class"};
  reg.add(info, [] { return std::make_unique<One>(); });
  std::unique_ptr<Thing> t;
  ASSERT_EQ(reg.createInstance(info.clsid, t), S_OK);
  EXPECT_EQ(t->id(), 1);
  EXPECT_EQ(reg.createInstance(std::string_view("orlix.one"), t), S_OK);
  EXPECT_EQ(reg.createInstance(std::string_view("ORLIX.ONE.1"), t), S_OK);
  EXPECT_EQ(reg.createInstance(std::string_view("Orlix.Two"), t), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(reg.createInstance(Guid{}, t), REGDB_E_CLASSNOTREG);
}
