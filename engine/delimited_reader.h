// Reads a delimited text file (the engine's node file) line by line and splits
// lines into fields. Failures never throw: open() returns false, and lines or
// fields that had to be cut are listed in problems(), each naming file and line.
#pragma once

#include <cstddef>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace orlix::engine {

class DelimitedReader {
 public:
  static constexpr std::size_t kMaxLineLength = 4095;
  static constexpr std::size_t kMaxFields = 250;
  static constexpr std::size_t kMaxFieldLength = 4095;

  // Opens the named file for reading; false when it cannot be opened.
  bool open(const std::string& fileName);
  bool isOpen() const { return in_.is_open(); }

  // Reads the first line to choose the delimiter and set fieldCount, then
  // starts again at the first line: the file has no header of its own.
  void readHeader();
  // Sets recordCount to the number of lines ended by a newline, then starts
  // again at the first line.
  void countLines();
  // The next line without its line end, cut to kMaxLineLength characters (the
  // rest of an overlong line is skipped); false at the end of the file.
  bool readLine(std::string& line);
  // Breaks a line into at most kMaxFields fields. A run of ",", ";", "|", tab
  // and double quote characters is one break, so empty fields vanish; a field
  // that begins with a double quote runs to its closing quote, separators
  // included, and "" inside it is one quote. Missing fields up to fieldCount
  // are a single blank. Fields are cut to kMaxFieldLength characters.
  std::vector<std::string> split(std::string_view line);

  char delimiter() const { return delimiter_; }
  std::size_t fieldCount() const { return fieldCount_; }
  std::size_t recordCount() const { return recordCount_; }
  // True when countLines found text after the last newline (not a record).
  bool unterminatedLastLine() const { return unterminatedLastLine_; }
  const std::string& fileName() const { return fileName_; }
  // Lines and fields cut to the limits, in the order met.
  const std::vector<std::string>& problems() const { return problems_; }

 private:
  void rewind();
  void note(const std::string& what);

  std::ifstream in_;
  std::string fileName_;
  char delimiter_ = ',';
  std::size_t fieldCount_ = 0;
  std::size_t recordCount_ = 0;
  std::size_t lineNumber_ = 0;  // of the line readLine returned last
  bool unterminatedLastLine_ = false;
  std::vector<std::string> problems_;
};

}  // namespace orlix::engine
