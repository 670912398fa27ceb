// Fills a Table from a file-format reader: the FileTableSink in front of TableBuilder.
#pragma once

#include <memory>
#include <string>

#include "platform/ado/files/file_table.h"
#include "platform/ado/table.h"

namespace orlix::ado {

class TableBuilderSink : public FileTableSink {
 public:
  explicit TableBuilderSink(std::string source) : builder_(std::move(source)) {}

  void SetFields(std::vector<FileField> fields) override;
  void AddRow(std::span<const FileCell> cells) override;
  void ReserveRows(std::size_t rows) override { builder_.reserveRows(rows); }
  // The filled table; the caller owns it. Call once, after the reader is done.
  std::shared_ptr<Table> Finish() { return builder_.finish(); }

 private:
  TableBuilder builder_;
  std::vector<DataType> types_;
};

}  // namespace orlix::ado
