#include "engine/delimited_reader.h"

#include <array>
#include <filesystem>

namespace orlix::engine {

namespace {

bool isSeparator(char c) { return c == ',' || c == ';' || c == '|' || c == '\t'; }

// Candidates in the order that settles a tie.
constexpr std::array<char, 4> kDelimiters = {',', '\t', ';', '|'};

struct DelimiterCount {
  std::array<std::size_t, 4> count{};
  int endsWith = -1;  // index of the delimiter that ends the line, if one does
};

// Reads the quoted field whose opening quote stands at line[open], handing
// each character of its content to take ("" inside is one quote). Returns the
// position after the closing quote, or the line's end when none closes it.
template <typename Take>
std::size_t readQuoted(std::string_view line, std::size_t open, Take take) {
  for (std::size_t i = open + 1; i < line.size(); ++i) {
    if (line[i] != '"') { take(line[i]); continue; }
    if (i + 1 < line.size() && line[i + 1] == '"') { take('"'); ++i; continue; }
    return i + 1;
  }
  return line.size();
}

// Counts the candidate delimiters outside quoted fields, so that a quoted
// value's separators do not add phantom fields.
DelimiterCount countDelimiters(std::string_view line) {
  DelimiterCount result;
  bool fieldStart = true;
  for (std::size_t i = 0; i < line.size();) {
    char c = line[i];
    result.endsWith = -1;
    if (c == '"' && fieldStart) {
      i = readQuoted(line, i, [](char) {});
      fieldStart = false;
      continue;
    }
    fieldStart = isSeparator(c);
    for (std::size_t d = 0; d < kDelimiters.size(); ++d) {
      if (c == kDelimiters[d]) {
        ++result.count[d];
        result.endsWith = static_cast<int>(d);
      }
    }
    ++i;
  }
  return result;
}

}  // namespace

bool DelimitedReader::open(const std::string& fileName) {
  *this = DelimitedReader();
  fileName_ = fileName;
  std::error_code ec;
  if (std::filesystem::is_directory(fileName, ec)) return false;
  in_.open(fileName, std::ios::in | std::ios::binary);
  return in_.is_open();
}

void DelimitedReader::rewind() {
  in_.clear();
  in_.seekg(0);
  lineNumber_ = 0;
}

void DelimitedReader::note(const std::string& what) {
  problems_.push_back(fileName_ + " line " + std::to_string(lineNumber_) + ": " + what);
}

void DelimitedReader::readHeader() {
  if (!isOpen()) return;
  rewind();
  std::vector<std::string> keep;
  keep.swap(problems_);  // the first line is read again as a record; report it once
  std::string first;
  readLine(first);
  problems_.swap(keep);
  DelimiterCount counted = countDelimiters(first);
  std::size_t best = 0;
  for (std::size_t d = 1; d < kDelimiters.size(); ++d)
    if (counted.count[d] > counted.count[best]) best = d;
  delimiter_ = kDelimiters[best];
  fieldCount_ = counted.count[best] + (counted.endsWith == static_cast<int>(best) ? 0 : 1);
  rewind();
}

void DelimitedReader::countLines() {
  if (!isOpen()) return;
  rewind();
  recordCount_ = 0;
  std::array<char, 65536> block;
  char last = '\n';
  std::streambuf* buf = in_.rdbuf();
  for (std::streamsize got; (got = buf->sgetn(block.data(), block.size())) > 0;) {
    for (std::streamsize i = 0; i < got; ++i)
      if (block[i] == '\n') ++recordCount_;
    last = block[got - 1];
  }
  unterminatedLastLine_ = last != '\n';
  rewind();
}

bool DelimitedReader::readLine(std::string& line) {
  line.clear();
  if (!isOpen()) return false;
  std::streambuf* buf = in_.rdbuf();
  int c = buf->sbumpc();
  if (c == std::char_traits<char>::eof()) return false;
  ++lineNumber_;
  // Keep one character beyond the limit so that a CR before the newline can
  // still be told from content.
  std::size_t length = 0;
  int previous = 0;
  bool endedByNewline = false;
  for (; c != std::char_traits<char>::eof(); c = buf->sbumpc()) {
    if (c == '\n') { endedByNewline = true; break; }
    if (line.size() <= kMaxLineLength) line.push_back(static_cast<char>(c));
    ++length;
    previous = c;
  }
  // A file written on Windows ends its lines with CR LF; the CR is line end.
  if (endedByNewline && previous == '\r') {
    --length;
    if (line.size() > length) line.pop_back();
  }
  if (length > kMaxLineLength) {
    line.resize(kMaxLineLength);
    note("longer than " + std::to_string(kMaxLineLength) + " characters; the rest is ignored");
  }
  return true;
}

std::vector<std::string> DelimitedReader::split(std::string_view line) {
  std::vector<std::string> fields;
  bool fieldStart = true;
  bool fieldCut = false;
  std::size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (isSeparator(c)) { ++i; fieldStart = true; continue; }
    if (c == '"' && !fieldStart) { ++i; continue; }  // a stray quote is one more break
    if (fields.size() == kMaxFields) {
      note("more than " + std::to_string(kMaxFields) + " fields; the rest is ignored");
      break;
    }
    std::string field;
    auto append = [&](char ch) {
      if (field.size() < kMaxFieldLength) field.push_back(ch); else fieldCut = true;
    };
    if (c == '"') {
      i = readQuoted(line, i, append);
    } else {
      for (; i < line.size() && !isSeparator(line[i]) && line[i] != '"'; ++i) append(line[i]);
    }
    fields.push_back(std::move(field));
    fieldStart = false;
  }
  if (fieldCut)
    note("a field longer than " + std::to_string(kMaxFieldLength) + " characters was cut");
  std::size_t wanted = fieldCount_ < kMaxFields ? fieldCount_ : kMaxFields;
  while (fields.size() < wanted) fields.emplace_back(" ");
  return fields;
}

}  // namespace orlix::engine
