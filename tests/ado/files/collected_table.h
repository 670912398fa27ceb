// A FileTableSink that keeps everything, for looking at what a reader produced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ado/files/file_table.h"

namespace orlix::ado::testing {

struct CollectedTable : FileTableSink {
  std::vector<FileField> fields;
  std::vector<std::vector<FileCell>> rows;

  void SetFields(std::vector<FileField> f) override { fields = std::move(f); }
  void AddRow(std::span<const FileCell> cells) override { rows.emplace_back(cells.begin(), cells.end()); }

  int Column(const std::string& name) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
      if (fields[i].name == name) return static_cast<int>(i);
    return -1;
  }
  const FileCell& At(std::size_t row, const std::string& name) const { return rows.at(row).at(Column(name)); }
  bool IsNull(std::size_t row, const std::string& name) const {
    return std::holds_alternative<std::monostate>(At(row, name));
  }
  std::string Text(std::size_t row, const std::string& name) const { return std::get<std::string>(At(row, name)); }
  double Number(std::size_t row, const std::string& name) const {
    const FileCell& c = At(row, name);
    if (auto* i = std::get_if<std::int32_t>(&c)) return *i;
    return std::get<double>(c);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (const auto& f : fields) out.push_back(f.name);
    return out;
  }
};

}  // namespace orlix::ado::testing
