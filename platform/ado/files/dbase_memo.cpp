#include "platform/ado/files/dbase_memo.h"

#include <fstream>
#include <iterator>

#include "platform/ado/files/byte_order.h"
#include "platform/ado/files/file_table.h"

namespace orlix::ado {

DbaseMemoFile::DbaseMemoFile(const std::string& path, bool dbase4) : path_(path), dbase4_(dbase4) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ThrowFileError(path, "cannot open the memo file");
  bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (bytes_.size() < 512) ThrowFileError(path, "memo file is truncated");
  if (dbase4_) {
    std::size_t size = Le16(bytes_, 20);
    if (size >= 64 && size <= 32768) block_size_ = size;
  }
}

std::string DbaseMemoFile::Memo(long block) const {
  if (block <= 0 || static_cast<std::size_t>(block) >= bytes_.size() / block_size_)
    ThrowFileError(path_, "memo block " + std::to_string(block) + " lies outside the memo file");
  std::size_t start = static_cast<std::size_t>(block) * block_size_;
  if (dbase4_ && Le32(bytes_, start) == 0x0008FFFF) {
    std::size_t length = Le32(bytes_, start + 4);
    if (length < 8 || length - 8 > bytes_.size() - start - 8)
      ThrowFileError(path_, "memo block " + std::to_string(block) + " has a damaged length");
    return bytes_.substr(start + 8, length - 8);
  }
  // dBase III: the text runs to the end-of-text mark 0x1A.
  std::size_t end = bytes_.find('\x1A', start);
  if (end == std::string::npos) end = bytes_.size();
  return bytes_.substr(start, end - start);
}

}  // namespace orlix::ado
