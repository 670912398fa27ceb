#include "cli/project_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/ado/recordset.h"

namespace orlix::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSaveSource = "Saving To Disk";
constexpr com::HRESULT kSaveError = com::hr(0x800403E8);

CliFailure saveFailure(const std::string& description) { return {kSaveSource, description, kSaveError}; }

std::string cellText(const com::Variant& value) {
  switch (value.type()) {
    case com::VT_EMPTY:
    case com::VT_NULL:
      return {};
    case com::VT_R4:
    case com::VT_R8: {
      char text[64];
      std::snprintf(text, sizeof text, "%.15g", value.realBits());
      return text;
    }
    default:
      return value.toString();
  }
}

void writeFile(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw saveFailure("Could not write " + file.string());
}

void saveRecordset(const ado::Recordset& rs, const fs::path& xml, const fs::path& text) {
  std::error_code ec;
  fs::remove(xml, ec);
  try {
    rs.Save(xml.string());
  } catch (const std::exception& e) {
    throw saveFailure(std::string("Could not write ") + xml.string() + ": " + e.what());
  }
  std::ofstream out(text, std::ios::binary | std::ios::trunc);
  writeTabSeparated(rs, out);
  out.close();
  if (!out) throw saveFailure("Could not write " + text.string());
}

}  // namespace

std::string settingsText(const std::string& absoluteFolder, const ProjectContent& c) {
  std::string text;
  const auto line = [&text](const char* key, const std::string& value) { text += key + ("\t" + value) + "\r\n"; };
  line("PrjDir:", absoluteFolder);
  line("Cstring:", c.connectionString);
  line("Src:", c.sourceTable);
  line("RawF:", c.names.rawData);
  line("Desc:", c.names.descriptives);
  line("Code:", c.names.code);
  line("Rules:", c.names.rules);
  line("Treelist:", c.names.treeList);
  line("TreeDisp:", c.names.treeDisplay);
  if (!c.target.empty()) line("Target:", c.target);
  if (!c.selected.empty()) {
    std::string joined;
    for (const std::string& name : c.selected) joined += (joined.empty() ? "" : ",") + name;
    line("Selvars:", joined);
  }
  return text;
}

void writeTabSeparated(const ado::Recordset& recordset, std::ostream& out) {
  const std::shared_ptr<ado::Recordset> rs = recordset.Clone();
  const long fields = rs->Fields().Count();
  for (long i = 0; i < fields; ++i) out << '\t' << rs->Fields().Item(i).Name();
  out << "\r\n";
  for (; !rs->Eof(); rs->MoveNext()) {
    for (long i = 0; i < fields; ++i) out << '\t' << cellText(rs->Fields().Item(i).Value());
    out << "\r\n";
  }
}

void saveProject(const std::string& folder, const ProjectContent& content) {
  std::error_code ec;
  const std::string trimmed = folder;
  if (trimmed.find_first_not_of(" \t") == std::string::npos)
    throw saveFailure("Project Directory missing or invalid. Check Project Options.");
  fs::path dir = fs::absolute(trimmed, ec).lexically_normal();
  if (!dir.has_filename()) dir = dir.parent_path();
  if (!fs::is_directory(dir, ec)) fs::create_directory(dir, ec);
  if (ec || !fs::is_directory(dir, ec)) throw saveFailure("Project Directory missing or invalid. Check Project Options.");

  writeFile(dir / "TreeParms.cfg", settingsText(dir.string(), content));
  writeFile(dir / content.names.rules, content.rulesText);
  writeFile(dir / content.names.code, content.codeText);
  if (content.descriptives)
    saveRecordset(*content.descriptives, dir / "descrip.xml", dir / content.names.descriptives);
  if (content.treeList) saveRecordset(*content.treeList, dir / "treelist.xml", dir / content.names.treeList);
}

}  // namespace orlix::cli
