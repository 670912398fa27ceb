// The result record sets: descriptives from the engine's variables, the tree
// list read back from the node file, and a typed copy of the source's fields.
#include <algorithm>
#include <charconv>
#include <climits>
#include <iostream>
#include <string_view>

#include "engine/delimited_reader.h"
#include "engine/number_text.h"
#include "platform/ado/error.h"
#include "platform/ado/field_names.h"
#include "platform/ado/recordset.h"
#include "server/map_component.h"

namespace orlix::server {

namespace {

using ado::adBSTR;
using ado::adDouble;
using ado::adInteger;
constexpr long kUnspecified = ado::adFldUnspecified;
constexpr long kLong = ado::adFldLong;
constexpr long kNegativeScale = ado::adFldNegativeScale;

com::Variant asDispatch(const std::shared_ptr<ado::Recordset>& rs) { return com::Variant::dispatch(rs); }

// A disconnected record set held in memory, opened on the appended fields.
struct FieldSpec {
  std::string name;
  ado::DataType type;
  long size;
  long attributes;
};

// "Val_" and the class text. Field names are matched ignoring case, so a
// class that differs from an earlier one only in case ("yes" after "Yes")
// takes a number ("Val_yes~2"): every class keeps its own count field.
std::string classFieldName(const std::string& text, const std::vector<FieldSpec>& fields) {
  const auto taken = [&fields](const std::string& name) {
    return std::any_of(fields.begin(), fields.end(), [&name](const FieldSpec& f) { return ado::equalsIgnoreCase(f.name, name); });
  };
  std::string name = "Val_" + text;
  for (int n = 2; taken(name); ++n) name = "Val_" + text + "~" + std::to_string(n);
  return name;
}

std::shared_ptr<ado::Recordset> openInMemory(const std::vector<FieldSpec>& fields) {
  auto rs = std::make_shared<ado::Recordset>();
  for (const FieldSpec& f : fields) rs->Fields().Append(f.name, f.type, f.size, f.attributes);
  rs->Open("", std::shared_ptr<ado::Connection>(), ado::adOpenUnspecified, ado::adLockUnspecified, ado::adCmdUnspecified);
  return rs;
}

void addRow(ado::Recordset& rs, const std::vector<com::Variant>& values) {
  rs.AddNew();
  for (size_t i = 0; i < values.size(); ++i) rs.Fields().Item(static_cast<long>(i)).SetValue(values[i]);
  rs.Update();
}

std::string fixed6(float value) { return engine::FormatFixed6(static_cast<double>(value)); }

// Integer and number fields of a node line as the C library reads them in
// its own locale: the leading number after blanks, 0 when there is none.
int32_t integerField(const std::string& text) {
  std::string_view s = text;
  while (!s.empty() && (s.front() == ' ' || (s.front() >= '\t' && s.front() <= '\r'))) s.remove_prefix(1);
  if (s.size() > 1 && s.front() == '+' && s[1] != '-') s.remove_prefix(1);
  long value = 0;
  if (std::from_chars(s.data(), s.data() + s.size(), value).ec == std::errc::result_out_of_range)
    value = s.front() == '-' ? LONG_MIN : LONG_MAX;
  return static_cast<int32_t>(value);
}
double singleField(const std::string& text) {
  return static_cast<double>(static_cast<float>(engine::ParseNumberPrefix(text)));
}

// 1 + the position of the first line named `name`; 0 when none is.
int32_t idOf(const std::vector<std::vector<std::string>>& lines, const std::string& name) {
  for (size_t k = 0; k < lines.size(); ++k)
    if (lines[k][0] == name) return static_cast<int32_t>(k + 1);
  return 0;
}

}  // namespace

std::shared_ptr<ado::Recordset> MapComponent::buildDescriptives() const {
  auto rs = openInMemory({{"VarName", adBSTR, 24, kUnspecified},
                          {"Type", adBSTR, 24, kUnspecified},
                          {"Min", adBSTR, 24, kUnspecified},
                          {"Max", adBSTR, 24, kUnspecified},
                          {"Mean", adDouble, 24, kNegativeScale},
                          {"SD", adDouble, 24, kUnspecified},
                          {"Cardinality", adInteger, 24, kLong},
                          {"Uniques", adInteger, 24, kLong}});
  for (int i = 0; engine_ && i < engineColumnCount_; ++i) {
    const engine::ColumnDescriptor& c = engine_->columns()[i];
    const bool numeric = c.kind == engine::kNumericKind;
    addRow(*rs, {c.name, numeric ? "Numeric" : "Character", numeric ? fixed6(c.min) : c.minText,
                 numeric ? fixed6(c.max) : c.maxText, c.mean, c.sd, static_cast<int32_t>(c.cardinality),
                 static_cast<int32_t>(c.uniques)});
  }
  return rs;
}

com::HRESULT MapComponent::buildTreeList(std::shared_ptr<ado::Recordset>& out) const {
  engine::DelimitedReader reader;
  if (nodeFileName_.empty() || !reader.open(nodeFileName_)) return com::S_FALSE;
  reader.readHeader();
  reader.countLines();
  if (reader.recordCount() == 0) return com::S_FALSE;
  if (reader.recordCount() == 1) return fail(com::E_FAIL, "No splitting beyond the root node");

  std::vector<std::vector<std::string>> lines;
  std::string line;
  while (lines.size() < reader.recordCount() && reader.readLine(line)) {
    lines.push_back(reader.split(line));
    lines.back().resize(std::max<size_t>(lines.back().size(), 3), " ");
  }
  for (const std::string& problem : reader.problems()) std::cerr << problem << std::endl;

  const bool category = traits_.mapKind == engine::MapKind::Category;
  const engine::ColumnDescriptor* target = engineTarget();
  const engine::ValueCounts classes = category && target ? target->valueCounts : engine::ValueCounts{};
  const int statistics = category ? classes.size() : 4;

  std::vector<FieldSpec> fields{{"ID", adInteger, 10, kLong}, {"Name", adBSTR, 256, kUnspecified},
                                {"Rule", adBSTR, 256, kUnspecified}, {"N", adInteger, 12, kLong}};
  if (category) {
    for (const auto& [text, count] : classes) fields.push_back({classFieldName(text, fields), adInteger, 12, kLong});
  } else {
    for (const char* name : {"Mean", "SD", "Min", "Max"}) fields.push_back({name, adDouble, 12, kNegativeScale});
  }
  for (const char* name : {"Parent", "LeftChild", "RightChild"}) fields.push_back({name, adInteger, 10, kLong});
  auto rs = openInMemory(fields);

  const auto field = [](const std::vector<std::string>& l, size_t i) { return i < l.size() ? l[i] : std::string(" "); };
  for (size_t k = 0; k < lines.size(); ++k) {
    const std::vector<std::string>& l = lines[k];
    std::vector<com::Variant> row{static_cast<int32_t>(k + 1), l[0], l[1], integerField(l[2])};
    if (category) {
      std::vector<int32_t> counts(static_cast<size_t>(statistics), 0);
      const int pairs = target ? target->cardinality : 0;
      for (int j = 0; j < pairs; ++j) {
        const int index = classes.IndexOf(field(l, 3 + 2 * j));
        if (index >= 0) counts[static_cast<size_t>(index)] = integerField(field(l, 4 + 2 * j));
      }
      for (int32_t count : counts) row.emplace_back(count);
    } else {
      for (size_t i = 3; i < 7; ++i) row.emplace_back(singleField(field(l, i)));
    }
    const std::string& name = l[0];
    row.emplace_back(name.size() >= 2 ? idOf(lines, name.substr(0, name.size() - 2)) : 0);
    row.emplace_back(idOf(lines, name + "_L"));
    row.emplace_back(idOf(lines, name + "_R"));
    addRow(*rs, row);
  }
  out = rs;
  return com::S_OK;
}

std::shared_ptr<ado::Recordset> MapComponent::buildAnalysisData() {
  auto rs = std::make_shared<ado::Recordset>();
  if (sourceRowCount_ == 0 || sourceColumnCount_ == 0) return rs;
  std::vector<int> included;
  for (int i = 0; i < sourceColumnCount_; ++i) {
    const engine::ColumnDescriptor& c = (*columns_)[i];
    if (!c.included) continue;
    included.push_back(i);
    if (c.kind == engine::kNumericKind)
      rs->Fields().Append("VAR" + std::to_string(i), adDouble, 12, kNegativeScale);
    else
      rs->Fields().Append(c.name, adBSTR, 24, kUnspecified);
  }
  rs->Open("", std::shared_ptr<ado::Connection>(), ado::adOpenUnspecified, ado::adLockUnspecified, ado::adCmdUnspecified);

  openSource();
  const std::shared_ptr<const ado::Table> source = sourceRecordset_->table();
  for (size_t row = 0; row < source->rowCount(); ++row) {
    rs->AddNew();
    for (size_t f = 0; f < included.size(); ++f) {
      const size_t col = static_cast<size_t>(included[f]);
      if (col >= source->fieldCount() || source->isNull(row, col)) continue;  // stays empty
      const com::Variant value = source->value(row, col);
      const bool numeric = (*columns_)[included[f]].kind == engine::kNumericKind;
      rs->Fields().Item(static_cast<long>(f)).SetValue(numeric ? com::Variant(value.toDouble())
                                                               : com::Variant(value.toString()));
    }
    rs->Update();
  }
  closeSource();
  return rs;
}

com::HRESULT MapComponent::rs_Descriptives(com::Variant* pVal) {
  if (!pVal) return com::E_POINTER;
  try {
    descriptivesRecordset_ = buildDescriptives();
  } catch (const std::exception& e) {
    return fail(com::E_FAIL, std::string("Could not build the descriptives: ") + e.what());
  }
  *pVal = asDispatch(descriptivesRecordset_);
  return com::S_OK;
}

com::HRESULT MapComponent::rs_TreeList(com::Variant* pVal) {
  if (!pVal) return com::E_POINTER;
  std::shared_ptr<ado::Recordset> rs;
  com::HRESULT result = com::S_OK;
  try {
    result = buildTreeList(rs);
  } catch (const std::exception& e) {
    return fail(com::E_FAIL, std::string("Could not build the tree list: ") + e.what());
  }
  if (result != com::S_OK) return result;
  treeListRecordset_ = rs;
  *pVal = asDispatch(treeListRecordset_);
  return com::S_OK;
}

com::HRESULT MapComponent::rs_AnalysisData(com::Variant* pVal) {
  if (!pVal) return com::E_POINTER;
  try {
    analysisRecordset_ = buildAnalysisData();
  } catch (const std::exception& e) {
    closeSource();
    return fail(com::E_FAIL, std::string("Could not copy the source data: ") + e.what());
  }
  *pVal = asDispatch(analysisRecordset_);
  return com::S_OK;
}

}  // namespace orlix::server
