// The memo file (.dbt) of a dBase table: the text of a memo by its block number.
#pragma once

#include <string>

namespace orlix::ado {

class DbaseMemoFile {
 public:
  // Reads the whole memo file; `dbase4` selects the dBase IV block layout.
  // Throws DataError naming the file when it cannot be read.
  DbaseMemoFile(const std::string& path, bool dbase4);
  // The raw bytes of the memo in `block`; throws DataError when the block
  // lies outside the file or its length is damaged.
  std::string Memo(long block) const;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string bytes_;
  bool dbase4_;
  std::size_t block_size_ = 512;
};

}  // namespace orlix::ado
