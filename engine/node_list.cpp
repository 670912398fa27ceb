#include "engine/node_list.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>
#include <string_view>
#include <system_error>

#include "engine/delimited_reader.h"

namespace orlix::engine {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Reads a whole field as a number in the C locale; false when the field is
// blank or holds anything else.
template <typename T>
bool parseNumber(std::string_view text, T& value) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

// Narrows as the writer's floats were held, without undefined behaviour for
// a value beyond the float range.
float toFloat(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (value > kMax) return std::numeric_limits<float>::infinity();
  if (value < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

class LineParser {
 public:
  LineParser(const std::string& fileName, std::size_t lineNumber,
             std::vector<std::string> fields, std::vector<std::string>& problems)
      : fileName_(fileName), lineNumber_(lineNumber), fields_(std::move(fields)),
        problems_(problems) {}

  // A field the line does not hold reads as a single blank.
  const std::string& field(std::size_t index) const {
    static const std::string kBlank = " ";
    return index < fields_.size() ? fields_[index] : kBlank;
  }
  std::size_t size() const { return fields_.size(); }

  int integer(std::size_t index, const std::string& what) {
    int value = 0;
    if (!parseNumber(field(index), value)) {
      complain(what + " is not a whole number: \"" + field(index) + "\"; read as 0");
      value = 0;
    }
    return value;
  }

  float number(std::size_t index, const std::string& what) {
    double value = 0;
    if (!parseNumber(field(index), value)) {
      complain(what + " is not a number: \"" + field(index) + "\"; read as 0");
      value = 0;
    }
    return toFloat(value);
  }

  void complain(const std::string& what) {
    problems_.push_back(fileName_ + " line " + std::to_string(lineNumber_) + ": " + what);
  }

 private:
  const std::string& fileName_;
  std::size_t lineNumber_;
  std::vector<std::string> fields_;
  std::vector<std::string>& problems_;
};

void readRegression(LineParser& line, NodeLine& node) {
  node.mean = line.number(3, "the mean");
  node.sd = line.number(4, "the sd");
  node.min = line.number(5, "the min");
  node.max = line.number(6, "the max");
}

void readCategory(LineParser& line, NodeLine& node, std::size_t classCount) {
  for (std::size_t j = 0; j < classCount; ++j) {
    std::size_t at = 3 + 2 * j;
    if (trimmed(line.field(at + 1)).empty()) {
      line.complain("lists " + std::to_string(j) + " of " + std::to_string(classCount) +
                    " classes");
      return;
    }
    node.classCounts[line.field(at)] = line.integer(at + 1, "the count of a class");
  }
}

NodeLine parseNode(LineParser& line, NodeLineKind content, std::size_t classCount) {
  NodeLine node;
  node.name = line.field(0);
  node.rule = line.field(1);
  if (content == NodeLineKind::NameAndRule) return node;
  node.count = line.integer(2, "N");
  if (content == NodeLineKind::Regression) readRegression(line, node);
  else readCategory(line, node, classCount);
  return node;
}

}  // namespace

NodeList readNodeList(const std::string& fileName, NodeLineKind content,
                      std::size_t classCount) {
  NodeList list;
  DelimitedReader reader;
  if (!reader.open(fileName)) {
    list.problems.push_back(fileName + ": cannot open the node file");
    return list;
  }
  list.opened = true;
  reader.readHeader();
  reader.countLines();
  list.recordCount = reader.recordCount();
  std::vector<std::string> parseProblems;
  std::string text;
  for (std::size_t index = 0; index < list.recordCount && reader.readLine(text); ++index) {
    if (index == 0) continue;  // the root: every segment lies below it
    LineParser line(fileName, index + 1, reader.split(text), parseProblems);
    list.nodes.push_back(parseNode(line, content, classCount));
  }
  list.problems = reader.problems();
  list.problems.insert(list.problems.end(), parseProblems.begin(), parseProblems.end());
  if (reader.unterminatedLastLine())
    list.problems.push_back(fileName + ": the last line has no line end and is not read");
  return list;
}

std::vector<SegmentPath> segmentOrder(const std::vector<NodeLine>& nodes) {
  const std::size_t n = nodes.size();
  std::vector<char> flagged(n, 1);
  std::vector<char> listed(n, 1);
  // Longest name first, file order within a length. Flags only ever fall, so
  // each next segment is the first node of this order that is still flagged.
  std::vector<std::size_t> deepestFirst(n);
  std::iota(deepestFirst.begin(), deepestFirst.end(), std::size_t{0});
  std::stable_sort(deepestFirst.begin(), deepestFirst.end(), [&](std::size_t a, std::size_t b) {
    return nodes[a].name.size() > nodes[b].name.size();
  });

  std::vector<SegmentPath> segments;
  for (std::size_t next = 0;; ++next) {
    while (next < n && !flagged[deepestFirst[next]]) ++next;
    if (next == n) break;
    SegmentPath segment;
    segment.leaf = deepestFirst[next];
    const std::string& leafName = nodes[segment.leaf].name;
    for (std::size_t i = 0; i < n; ++i) {
      if (listed[i] && leafName.find(nodes[i].name) != std::string::npos) {
        segment.path.push_back(i);
        flagged[i] = 0;
      }
    }
    listed[segment.leaf] = 0;
    segments.push_back(std::move(segment));
  }
  return segments;
}

std::string ruleLines(const std::vector<NodeLine>& nodes, const SegmentPath& segment) {
  std::string text;
  for (std::size_t i : segment.path) {
    text += nodes[i].rule;
    text += i == segment.leaf ? " \n" : " \n   AND ";
  }
  return text;
}

}  // namespace orlix::engine
