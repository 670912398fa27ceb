// Tree list record sets for the map tests: built in memory with the fields of
// either kind of run, or read from a real run on the bundled penguins.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ado/recordset.h"
#include "platform/com/variant.h"
#include "project/data_source.h"
#include "server/category_map.h"
#include "server/regression_map.h"

namespace orlix::display::testing {

struct RegressionRow {
  int id;
  int parent;
  std::string rule = "R";
  int n = 10;
  double mean = 1, sd = 0.5, min = 0, max = 2;
};

inline std::shared_ptr<ado::Recordset> regressionTreeList(const std::vector<RegressionRow>& rows) {
  auto rs = std::make_shared<ado::Recordset>();
  rs->Fields().Append("ID", ado::adInteger, 10, ado::adFldLong);
  rs->Fields().Append("Name", ado::adBSTR, 256);
  rs->Fields().Append("Rule", ado::adBSTR, 256);
  rs->Fields().Append("N", ado::adInteger, 12, ado::adFldLong);
  for (const char* name : {"Mean", "SD", "Min", "Max"}) rs->Fields().Append(name, ado::adDouble, 12);
  for (const char* name : {"Parent", "LeftChild", "RightChild"}) rs->Fields().Append(name, ado::adInteger, 10);
  rs->Open();
  for (const RegressionRow& r : rows) {
    rs->AddNew();
    const com::Variant values[] = {r.id, "node" + std::to_string(r.id), r.rule, r.n, r.mean, r.sd,
                                   r.min, r.max, r.parent, 0, 0};
    for (long i = 0; i < 11; ++i) rs->Fields().Item(i).SetValue(values[i]);
    rs->Update();
  }
  return rs;
}

struct CategoryRow {
  int id;
  int parent;
  std::string rule;
  int n;
  std::vector<int> counts;
};

inline std::shared_ptr<ado::Recordset> categoryTreeList(const std::vector<std::string>& classes,
                                                        const std::vector<CategoryRow>& rows) {
  auto rs = std::make_shared<ado::Recordset>();
  rs->Fields().Append("ID", ado::adInteger, 10, ado::adFldLong);
  rs->Fields().Append("Name", ado::adBSTR, 256);
  rs->Fields().Append("Rule", ado::adBSTR, 256);
  rs->Fields().Append("N", ado::adInteger, 12, ado::adFldLong);
  for (const std::string& c : classes) rs->Fields().Append("Val_" + c, ado::adInteger, 12, ado::adFldLong);
  for (const char* name : {"Parent", "LeftChild", "RightChild"}) rs->Fields().Append(name, ado::adInteger, 10);
  rs->Open();
  for (const CategoryRow& r : rows) {
    rs->AddNew();
    long f = 0;
    rs->Fields().Item(f++).SetValue(r.id);
    rs->Fields().Item(f++).SetValue("node" + std::to_string(r.id));
    rs->Fields().Item(f++).SetValue(r.rule);
    rs->Fields().Item(f++).SetValue(r.n);
    for (int c : r.counts) rs->Fields().Item(f++).SetValue(c);
    rs->Fields().Item(f++).SetValue(r.parent);
    rs->Fields().Item(f++).SetValue(0);
    rs->Fields().Item(f++).SetValue(0);
    rs->Update();
  }
  return rs;
}

// The tree list of a real run on samples/penguins.csv: body mass (a
// regression map) or species (a category map, with its number of classes).
struct PenguinRun {
  std::shared_ptr<ado::Recordset> treeList;
  bool characterTarget = false;
  int targetValueCount = 0;
};

inline PenguinRun penguinRun(bool category) {
  const project::DataSource source =
      project::dataSourceForFile(std::string(ORLIX_SAMPLES_DIR) + "/penguins.csv", "");
  std::unique_ptr<server::IMap> map;
  if (category) map = std::make_unique<server::CategoryMap>();
  else map = std::make_unique<server::RegressionMap>();
  PenguinRun run;
  if (map->ConnectOLEDB(source.connectionString, source.tableExpression) != com::S_OK) return run;
  if (map->SetAsTarget(category ? "species" : "body_mass_g") != com::S_OK) return run;
  if (map->SetMinimumN(25) != com::S_OK || map->Run() != com::S_OK) return run;
  com::Variant list;
  if (map->rs_TreeList(&list) != com::S_OK) return run;
  run.treeList = server::recordsetOf(list);
  run.characterTarget = category;
  if (auto* categoryMap = dynamic_cast<server::ICategoryMap*>(map.get())) {
    std::int32_t classes = 0;
    categoryMap->NumTargetValues(&classes);
    run.targetValueCount = classes;
  }
  return run;
}

}  // namespace orlix::display::testing
