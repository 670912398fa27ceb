#include "project/project_files.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/number_text.h"
#include "platform/ado/recordset.h"

namespace orlix::project {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSaveSource = "Saving To Disk";
constexpr const char* kOpenSource = "Opening Project";
constexpr com::HRESULT kSaveError = com::hr(0x800403E8);
constexpr const char* kBadFolder = "Project Directory missing or invalid. Check Project Options.";

ProjectError saveError(const std::string& description) { return ProjectError(kSaveSource, description, kSaveError); }
ProjectError openError(const std::string& description) { return ProjectError(kOpenSource, description); }

std::string cellText(const com::Variant& value) {
  switch (value.type()) {
    case com::VT_EMPTY:
    case com::VT_NULL:
      return {};
    case com::VT_R4:
    case com::VT_R8:
      return engine::FormatStandard(value.realBits());
    default:
      return value.toString();
  }
}

void writeFile(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw saveError("Could not write " + file.string());
}

void saveRecordset(const ado::Recordset& rs, const fs::path& xml, const fs::path& text) {
  std::error_code ec;
  fs::remove(xml, ec);
  try {
    rs.Save(xml.string());
  } catch (const std::exception& e) {
    throw saveError("Could not write " + xml.string() + ": " + e.what());
  }
  std::ofstream out(text, std::ios::binary | std::ios::trunc);
  writeTabSeparated(rs, out);
  out.close();
  if (!out) throw saveError("Could not write " + text.string());
}

bool blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

std::string withoutLineBreaksAndTabs(std::string text) {
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n' || c == '\t'; });
  return text;
}

std::vector<std::string> splitAtCommas(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
    parts.push_back(text.substr(start, comma - start));
  parts.push_back(text.substr(start));
  return parts;
}

// The whole file, or "" when it does not exist.
std::string readTextIfPresent(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return {};
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw openError("Could not read " + file.string());
  return text.str();
}

std::shared_ptr<ado::Recordset> readRecordsetIfPresent(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return nullptr;
  auto rs = std::make_shared<ado::Recordset>();
  try {
    rs->Open(file.string(), std::shared_ptr<ado::Connection>(), ado::adOpenUnspecified, ado::adLockUnspecified, ado::adCmdFile);
  } catch (const std::exception& e) {
    throw openError("Could not read " + file.string() + ": " + e.what());
  }
  return rs;
}

}  // namespace

std::string outputNameProblem(const std::string& name) {
  if (blank(name)) return "is empty";
  if (name.find_first_of("/\\") != std::string::npos) return "holds a path separator";
  if (name.find("..") != std::string::npos) return "holds \"..\"";
  return {};
}

void checkOutputNames(const ProjectFileNames& names, const std::string& settingsFile) {
  const std::pair<const char*, const std::string*> keyed[] = {
      {"RawF:", &names.rawData}, {"Desc:", &names.descriptives},   {"Code:", &names.code},
      {"Rules:", &names.rules},  {"Treelist:", &names.treeList}, {"TreeDisp:", &names.treeDisplay}};
  for (const auto& [key, name] : keyed) {
    const std::string problem = outputNameProblem(*name);
    if (!problem.empty())
      throw ProjectError(kOpenSource, "The project file " + settingsFile + " names the output " + key + " \"" + *name +
                                          "\", which " + problem +
                                          ": output names must be plain file names inside the project folder");
  }
}

std::string absoluteProjectDir(const std::string& folder) {
  std::error_code ec;
  fs::path dir = fs::absolute(folder, ec).lexically_normal();
  if (!dir.has_filename() && dir.has_parent_path() && dir != dir.root_path()) dir = dir.parent_path();
  return dir.string();
}

std::string settingsText(const std::string& absoluteFolder, const ProjectSettings& s) {
  std::string text;
  const auto line = [&text](const char* key, const std::string& value) { text += key + ("\t" + value) + "\r\n"; };
  line("PrjDir:", absoluteFolder);
  line("Cstring:", s.connectionString);
  line("Src:", s.sourceTable);
  line("RawF:", s.names.rawData);
  line("Desc:", s.names.descriptives);
  line("Code:", s.names.code);
  line("Rules:", s.names.rules);
  line("Treelist:", s.names.treeList);
  line("TreeDisp:", s.names.treeDisplay);
  if (!s.target.empty()) line("Target:", s.target);
  if (!s.selected.empty()) {
    std::string joined;
    for (const std::string& name : s.selected) joined += (joined.empty() ? "" : ",") + name;
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
  if (blank(folder)) throw saveError(kBadFolder);
  std::error_code ec;
  const fs::path dir = absoluteProjectDir(folder);
  if (!fs::is_directory(dir, ec)) fs::create_directory(dir, ec);
  const ProjectWriter writer(dir.string());
  const ProjectFileNames& names = content.settings.names;
  writer.writeSettings(content.settings);
  writer.writeText(names.rules, content.rulesText);
  writer.writeText(names.code, content.codeText);
  if (content.descriptives) writer.writeRecordset(*content.descriptives, "descrip.xml", names.descriptives);
  if (content.treeList) writer.writeRecordset(*content.treeList, "treelist.xml", names.treeList);
}

ProjectWriter::ProjectWriter(const std::string& folder) {
  std::error_code ec;
  if (blank(folder) || !fs::is_directory(absoluteProjectDir(folder), ec)) throw saveError(kBadFolder);
  folder_ = absoluteProjectDir(folder);
}

std::string ProjectWriter::path(const std::string& name) const {
  if (const std::string problem = outputNameProblem(name); !problem.empty())
    throw saveError("The output name \"" + name + "\" " + problem +
                    ": output names must be plain file names inside the project folder");
  return (fs::path(folder_) / name).string();
}

void ProjectWriter::writeSettings(const ProjectSettings& settings) const {
  const ProjectFileNames& n = settings.names;
  for (const std::string* name : {&n.rawData, &n.descriptives, &n.code, &n.rules, &n.treeList, &n.treeDisplay})
    path(*name);
  writeFile(path("TreeParms.cfg"), settingsText(folder_, settings));
}

void ProjectWriter::writeText(const std::string& name, const std::string& text) const { writeFile(path(name), text); }

void ProjectWriter::writeRecordset(const ado::Recordset& recordset, const std::string& xmlName,
                                   const std::string& textName) const {
  saveRecordset(recordset, path(xmlName), path(textName));
}

std::vector<SettingLine> readSettingsLines(const std::string& settingsPath) {
  std::ifstream in(settingsPath, std::ios::binary);
  if (!in) throw openError("Could not open the project file " + settingsPath);
  std::vector<SettingLine> lines;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t tab = line.find('\t');
    if (tab == std::string::npos)
      throw openError("The project file " + settingsPath + " is damaged: line " + std::to_string(number) +
                      " has no tab between its key and its value");
    const size_t next = line.find('\t', tab + 1);
    lines.push_back({line.substr(0, tab), withoutLineBreaksAndTabs(line.substr(tab + 1, next - tab - 1))});
  }
  if (in.bad()) throw openError("Could not read the project file " + settingsPath);
  return lines;
}

ProjectSettings settingsFromLines(const std::vector<SettingLine>& lines) {
  ProjectSettings s;
  for (const SettingLine& l : lines) {
    if (l.key == "PrjDir:") s.projectDir = l.value;
    else if (l.key == "Cstring:") s.connectionString = l.value;
    else if (l.key == "Src:") s.sourceTable = l.value;
    else if (l.key == "RawF:") s.names.rawData = l.value;
    else if (l.key == "Desc:") s.names.descriptives = l.value;
    else if (l.key == "Code:") s.names.code = l.value;
    else if (l.key == "Rules:") s.names.rules = l.value;
    else if (l.key == "Treelist:") s.names.treeList = l.value;
    else if (l.key == "TreeDisp:") s.names.treeDisplay = l.value;
    else if (l.key == "Target:") s.target = l.value;
    else if (l.key == "Selvars:") s.selected = splitAtCommas(l.value);
  }
  return s;
}

ProjectSettings readSettings(const std::string& settingsPath) {
  ProjectSettings settings = settingsFromLines(readSettingsLines(settingsPath));
  checkOutputNames(settings.names, settingsPath);
  return settings;
}

std::string readProjectText(const std::string& folder, const std::string& name) {
  return readTextIfPresent(fs::path(folder) / name);
}

std::shared_ptr<ado::Recordset> readProjectRecordset(const std::string& folder, const std::string& name) {
  return readRecordsetIfPresent(fs::path(folder) / name);
}

ProjectContent readProject(const std::string& settingsPath) {
  ProjectContent c;
  c.settings = readSettings(settingsPath);
  const std::string dir = fs::path(settingsPath).parent_path().string();
  c.rulesText = readProjectText(dir, c.settings.names.rules);
  c.codeText = readProjectText(dir, c.settings.names.code);
  c.descriptives = readProjectRecordset(dir, "descrip.xml");
  c.treeList = readProjectRecordset(dir, "treelist.xml");
  return c;
}

}  // namespace orlix::project
