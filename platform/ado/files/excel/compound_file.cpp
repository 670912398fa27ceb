#include "platform/ado/files/excel/compound_file.h"

#include <cstdint>
#include <vector>

#include "platform/ado/field_names.h"
#include "platform/ado/files/byte_order.h"
#include "platform/ado/files/file_table.h"

namespace orlix::ado {

namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;

class CompoundFile {
 public:
  CompoundFile(const std::string& bytes, const std::string& path) : bytes_(bytes), path_(path) {
    static const char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    if (bytes.size() < 512 || bytes.compare(0, 8, kSignature, 8) != 0)
      ThrowFileError(path, "is no Excel 97-2003 workbook (no compound-file header)");
    unsigned shift = Le16(bytes, 0x1E);
    unsigned mini_shift = Le16(bytes, 0x20);
    if ((shift != 9 && shift != 12) || mini_shift != 6) Damaged("sector sizes");
    sector_size_ = std::size_t{1} << shift;
    mini_cutoff_ = Le32(bytes, 0x38);
    ReadFat();
  }

  std::optional<std::string> Stream(const std::string& name) {
    std::string directory = Chain(Le32(bytes_, 0x30), fat_, sector_size_, nullptr);
    std::string root_stream;
    for (std::size_t at = 0; at + 128 <= directory.size(); at += 128) {
      int type = static_cast<std::uint8_t>(directory[at + 66]);
      std::uint32_t start = Le32(directory, at + 116);
      std::uint32_t size = Le32(directory, at + 120);
      if (type == 5 && at == 0) root_stream = Chain(start, fat_, sector_size_, nullptr);
      if (type != 2 || !equalsIgnoreCase(EntryName(directory, at), name)) continue;
      std::string data;
      if (size < mini_cutoff_) {
        std::vector<std::uint32_t> mini_fat = Table(Chain(Le32(bytes_, 0x3C), fat_, sector_size_, nullptr));
        data = Chain(start, mini_fat, 64, &root_stream);
      } else {
        data = Chain(start, fat_, sector_size_, nullptr);
      }
      if (data.size() < size) Damaged("stream " + name);
      data.resize(size);
      return data;
    }
    return std::nullopt;
  }

 private:
  [[noreturn]] void Damaged(const std::string& what) const {
    ThrowFileError(path_, "is a damaged workbook: its compound file has bad " + what);
  }

  static std::string EntryName(const std::string& dir, std::size_t at) {
    std::size_t length = Le16(dir, at + 64);
    std::string name;
    for (std::size_t i = 0; i + 2 < length && i < 64; i += 2) {
      std::uint16_t c = Le16(dir, at + i);
      name.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return name;
  }

  static std::vector<std::uint32_t> Table(const std::string& bytes) {
    std::vector<std::uint32_t> out;
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) out.push_back(Le32(bytes, at));
    return out;
  }

  const char* Sector(std::uint32_t index) const {
    std::size_t at = (static_cast<std::size_t>(index) + 1) * sector_size_;
    if (at + sector_size_ > bytes_.size()) return nullptr;
    return bytes_.data() + at;
  }

  void ReadFat() {
    std::vector<std::uint32_t> fat_sectors;
    for (std::size_t i = 0; i < 109; ++i) fat_sectors.push_back(Le32(bytes_, 0x4C + 4 * i));
    std::uint32_t difat = Le32(bytes_, 0x44);
    for (std::size_t guard = 0; difat != kEndOfChain && difat != kFreeSector; ++guard) {
      const char* s = Sector(difat);
      if (!s || guard > bytes_.size() / sector_size_) Damaged("allocation table");
      std::string sector(s, sector_size_);
      for (std::size_t i = 0; i + 4 < sector_size_; i += 4) fat_sectors.push_back(Le32(sector, i));
      difat = Le32(sector, sector_size_ - 4);
    }
    std::string fat;
    for (std::uint32_t index : fat_sectors) {
      if (index == kFreeSector || index == kEndOfChain) continue;
      const char* s = Sector(index);
      if (!s) Damaged("allocation table");
      fat.append(s, sector_size_);
    }
    fat_ = Table(fat);
  }

  // Follows a chain of sectors, of the file or (with `mini`) of the mini stream.
  std::string Chain(std::uint32_t start, const std::vector<std::uint32_t>& table, std::size_t size,
                    const std::string* mini) const {
    std::string out;
    std::size_t limit = table.size();
    for (std::uint32_t index = start; index != kEndOfChain; index = table[index]) {
      if (index >= table.size() || limit-- == 0) Damaged("sector chains");
      if (mini) {
        std::size_t at = static_cast<std::size_t>(index) * size;
        if (at + size > mini->size()) Damaged("mini-stream chains");
        out.append(*mini, at, size);
      } else {
        const char* s = Sector(index);
        if (!s) Damaged("sector chains");
        out.append(s, size);
      }
    }
    return out;
  }

  const std::string& bytes_;
  std::string path_;
  std::size_t sector_size_ = 512;
  std::uint32_t mini_cutoff_ = 4096;
  std::vector<std::uint32_t> fat_;
};

}  // namespace

std::optional<std::string> ReadCompoundStream(const std::string& bytes, const std::string& name,
                                              const std::string& path) {
  return CompoundFile(bytes, path).Stream(name);
}

}  // namespace orlix::ado
