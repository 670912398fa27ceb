// Types a column of text cells the way text files are typed: every non-empty cell
// a 32-bit integer -> adInteger; every one a plain decimal number -> adDouble;
// otherwise, or with no value at all, adVarWChar. Empty cells are NULL.
#pragma once

#include <string_view>

#include "platform/ado/files/file_table.h"

namespace orlix::ado {

class TextColumnTyper {
 public:
  void See(std::string_view cell);  // feed every cell of the column
  int Type() const;                 // the ADO type code once all are seen
 private:
  bool any_ = false;
  bool all_int_ = true;
  bool all_number_ = true;
};

// The cell of `text` in a column of `type` (as TextColumnTyper decided it).
FileCell TextCellValue(std::string_view text, int type);

}  // namespace orlix::ado
