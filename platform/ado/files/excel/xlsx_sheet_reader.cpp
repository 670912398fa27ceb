#include "platform/ado/files/excel/xlsx_sheet_reader.h"

#include <libxml/parser.h>

#include <charconv>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

#include "platform/ado/files/file_table.h"
#include "platform/ado/files/excel/excel_number_format.h"
#include "platform/com/ole_date.h"

namespace orlix::ado {

namespace {

constexpr size_t kPieceBytes = 1u << 20;
constexpr size_t kPiecesAhead = 4;

// Inflates a part on a thread of its own, a piece at a time, at most a few
// pieces ahead of the parser.
class Inflater {
 public:
  Inflater(const Package& package, const PackagePart& part) : file_(package.Open(part)) {
    thread_ = std::thread([this] { Run(); });
  }
  ~Inflater() {
    {
      std::lock_guard lock(mutex_);
      stopped_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // The next piece into `piece`; false at the end. Throws when the part is damaged.
  bool Next(std::string& piece, const std::string& path, const std::string& part) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !pieces_.empty() || done_; });
    if (pieces_.empty()) {
      if (damaged_) ThrowFileError(path, "part " + part + " of the workbook is damaged");
      return false;
    }
    piece.swap(pieces_.front());
    pieces_.pop_front();
    changed_.notify_all();
    return true;
  }

 private:
  void Run() {
    for (;;) {
      std::string piece(kPieceBytes, '\0');
      const zip_int64_t got = zip_fread(file_.get(), piece.data(), piece.size());
      std::unique_lock lock(mutex_);
      if (got <= 0) {
        damaged_ = got < 0;
        done_ = true;
        changed_.notify_all();
        return;
      }
      piece.resize(static_cast<size_t>(got));
      changed_.wait(lock, [&] { return pieces_.size() < kPiecesAhead || stopped_; });
      if (stopped_) return;
      pieces_.push_back(std::move(piece));
      changed_.notify_all();
    }
  }

  std::unique_ptr<zip_file_t, ZipFileCloser> file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> pieces_;
  bool done_ = false, damaged_ = false, stopped_ = false;
  std::thread thread_;
};

// Whether `name` is `wanted` (lower case), ASCII case ignored: called for
// every element and attribute, so without a library call.
bool Named(const xmlChar* name, const char* wanted) {
  for (;; ++name, ++wanted) {
    const unsigned char c = *name;
    if ((c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) != static_cast<unsigned char>(*wanted)) return false;
    if (c == 0) return true;
  }
}

// "B12" -> column 1, row 11; false when malformed.
bool ParseReference(std::string_view ref, int& row, int& column) {
  std::size_t i = 0;
  long col = 0;
  while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && col <= SheetGrid::kMaxColumns) col = col * 26 + (ref[i++] - 'A' + 1);
  long r = 0;
  auto [end, ec] = std::from_chars(ref.data() + i, ref.data() + ref.size(), r);
  if (col == 0 || ec != std::errc() || end != ref.data() + ref.size() || r < 1 || r > SheetGrid::kMaxRows ||
      col > SheetGrid::kMaxColumns)
    return false;
  row = static_cast<int>(r - 1);
  column = static_cast<int>(col - 1);
  return true;
}

// The parser's callbacks: the rows of the first <sheetData>, their cells,
// and the text of each cell's first <v> and first <is>, as the grid takes
// them. An error ends the parse and is thrown again once the parser returns.
class CellCollector {
 public:
  CellCollector(const std::string& path, const SheetSettings& settings, SheetGrid& grid)
      : path_(path), settings_(settings), grid_(grid) {}

  static void Start(void* self, const xmlChar* local, const xmlChar*, const xmlChar*, int, const xmlChar**,
                    int attributes, int, const xmlChar** values) {
    static_cast<CellCollector*>(self)->Guard([&](CellCollector& c) { c.OnStart(local, attributes, values); });
  }
  static void End(void* self, const xmlChar*, const xmlChar*, const xmlChar*) {
    static_cast<CellCollector*>(self)->Guard([](CellCollector& c) { c.OnEnd(); });
  }
  static void Characters(void* self, const xmlChar* text, int length) {
    auto* c = static_cast<CellCollector*>(self);
    if (c->collecting_) c->collecting_->append(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
  }

  void SetParser(xmlParserCtxtPtr parser) { parser_ = parser; }
  void RethrowError() const {
    if (error_) std::rethrow_exception(error_);
  }

 private:
  enum class In { Before, Data, Row, Cell, After };
  // The cell types of the t attribute; any other is a number.
  enum class Type { Number, Shared, Inline, Formula, Bool, Error, Date };

  static Type TypeOf(std::string_view t) {
    if (t == "s") return Type::Shared;
    if (t == "inlineStr") return Type::Inline;
    if (t == "str") return Type::Formula;
    if (t == "b") return Type::Bool;
    if (t == "e") return Type::Error;
    if (t == "d") return Type::Date;
    return Type::Number;
  }

  template <typename Body>
  void Guard(Body&& body) {
    if (error_) return;
    try {
      body(*this);
    } catch (...) {
      error_ = std::current_exception();
      xmlStopParser(parser_);
    }
  }

  // Attribute i of a SAX2 start: local name, prefix, URI, value, value end.
  static std::string_view Value(const xmlChar** values, int i) {
    return {reinterpret_cast<const char*>(values[5 * i + 3]), static_cast<size_t>(values[5 * i + 4] - values[5 * i + 3])};
  }

  void OnStart(const xmlChar* local, int attributes, const xmlChar** values) {
    ++depth_;
    switch (in_) {
      case In::Before:
        if (Named(local, "sheetdata")) in_ = In::Data, dataDepth_ = depth_;
        return;
      case In::Data:
        if (depth_ != dataDepth_ + 1 || !Named(local, "row")) return;
        in_ = In::Row;
        column_ = -1;
        ++row_;
        for (int i = 0; i < attributes; ++i)
          if (Named(values[5 * i], "r")) row_ = std::atoi(std::string(Value(values, i)).c_str()) - 1;
        return;
      case In::Row:
        if (depth_ != dataDepth_ + 2 || !Named(local, "c")) return;
        in_ = In::Cell;
        StartCell(attributes, values);
        return;
      case In::Cell:
        if (depth_ != dataDepth_ + 3 || collecting_) return;
        if (!hasValue_ && Named(local, "v")) {
          hasValue_ = true, collecting_ = &value_, collectingDepth_ = depth_;
        } else if (!hasInline_ && Named(local, "is")) {
          hasInline_ = true, collecting_ = &inline_, collectingDepth_ = depth_;
        }
        return;
      case In::After:
        return;
    }
  }

  void OnEnd() {
    if (collecting_ && depth_ == collectingDepth_) collecting_ = nullptr;
    if (in_ == In::Cell && depth_ == dataDepth_ + 2) {
      in_ = In::Row;
      Place();
    } else if (in_ == In::Row && depth_ == dataDepth_ + 1) {
      in_ = In::Data;
    } else if (in_ == In::Data && depth_ == dataDepth_) {
      in_ = In::After;
    }
    --depth_;
  }

  void StartCell(int attributes, const xmlChar** values) {
    bool hasRef = false;
    hasStyle_ = hasValue_ = hasInline_ = false;
    type_ = Type::Number;
    value_.clear();
    inline_.clear();
    cellRow_ = row_;
    for (int i = 0; i < attributes; ++i) {
      const xmlChar* name = values[5 * i];
      if (Named(name, "r")) hasRef = true, ref_ = Value(values, i);
      else if (Named(name, "t")) type_ = TypeOf(Value(values, i));
      else if (Named(name, "s")) hasStyle_ = true, style_ = Value(values, i);
    }
    if (!hasRef) {
      ++column_;
    } else if (!ParseReference(ref_, cellRow_, column_)) {
      Bad("cell reference " + ref_);
    }
  }

  [[noreturn]] void Bad(const std::string& what) const {
    ThrowFileError(path_, "sheet " + settings_.sheet + " has a bad " + what);
  }

  void Place() {
    const int row = cellRow_, column = column_;
    if (type_ == Type::Inline) return grid_.SetText(row, column, inline_, path_);
    if (!hasValue_) return;
    if (type_ == Type::Shared) {
      std::uint32_t index = 0;
      auto [end, ec] = std::from_chars(value_.data(), value_.data() + value_.size(), index);
      if (ec != std::errc() || end != value_.data() + value_.size() || index >= settings_.sharedStrings)
        Bad("shared string number " + value_);
      return grid_.SetString(row, column, index, path_);
    }
    if (type_ == Type::Formula) return grid_.SetText(row, column, value_, path_);
    if (type_ == Type::Bool) return grid_.SetValue(row, column, SheetCell::kBool, value_ == "1" || value_ == "true", path_);
    if (type_ == Type::Error) return grid_.SetValue(row, column, SheetCell::kError, 0, path_);
    if (type_ == Type::Date) {
      auto date = com::parseIsoDate(value_.substr(0, 19));
      if (!date) Bad("date " + value_);
      return grid_.SetValue(row, column, SheetCell::kDate, *date, path_);
    }
    double number = 0;
    auto [end, ec] = std::from_chars(value_.data(), value_.data() + value_.size(), number);
    if (ec != std::errc() || end != value_.data() + value_.size()) Bad("number " + value_);
    const std::size_t s = hasStyle_ ? std::strtoul(style_.c_str(), nullptr, 10) : 0;
    if (s < settings_.dateStyles.size() && settings_.dateStyles[s])
      return grid_.SetValue(row, column, SheetCell::kDate, OleDateFromExcelSerial(number, settings_.date1904), path_);
    grid_.SetValue(row, column, SheetCell::kNumber, number, path_);
  }

  const std::string& path_;
  const SheetSettings& settings_;
  SheetGrid& grid_;
  xmlParserCtxtPtr parser_ = nullptr;
  std::exception_ptr error_;
  In in_ = In::Before;
  int depth_ = 0, dataDepth_ = 0, collectingDepth_ = 0;
  int row_ = -1, column_ = -1, cellRow_ = 0;
  bool hasStyle_ = false, hasValue_ = false, hasInline_ = false;
  Type type_ = Type::Number;
  std::string* collecting_ = nullptr;
  std::string ref_, style_, value_, inline_;  // reused from cell to cell
};

struct ParserFree {
  void operator()(xmlParserCtxt* parser) const { xmlFreeParserCtxt(parser); }
};

}  // namespace

void ReadSheetCells(const Package& package, const PackagePart& part, const SheetSettings& settings, SheetGrid& grid) {
  const std::string& path = package.path();
  CellCollector collector(path, settings, grid);
  xmlSAXHandler handler{};
  handler.initialized = XML_SAX2_MAGIC;
  handler.startElementNs = &CellCollector::Start;
  handler.endElementNs = &CellCollector::End;
  handler.characters = &CellCollector::Characters;
  handler.cdataBlock = &CellCollector::Characters;
  handler.ignorableWhitespace = &CellCollector::Characters;
  std::unique_ptr<xmlParserCtxt, ParserFree> parser(
      xmlCreatePushParserCtxt(&handler, &collector, nullptr, 0, part.name.c_str()));
  if (!parser) ThrowFileError(path, part.name + " cannot be read");
  xmlCtxtUseOptions(parser.get(), XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  collector.SetParser(parser.get());

  Inflater inflater(package, part);
  std::string piece;
  bool wellFormed = true;
  while (wellFormed && inflater.Next(piece, path, part.name)) {
    wellFormed = xmlParseChunk(parser.get(), piece.data(), static_cast<int>(piece.size()), 0) == 0;
    collector.RethrowError();
  }
  if (wellFormed) wellFormed = xmlParseChunk(parser.get(), nullptr, 0, 1) == 0;
  collector.RethrowError();
  if (!wellFormed || !parser->wellFormed) ThrowFileError(path, part.name + " is not well-formed XML");
}

}  // namespace orlix::ado
