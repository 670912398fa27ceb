#include "engine/segment_report.h"

#include <array>
#include <charconv>

#include "engine/node_list.h"

namespace orlix::engine {

namespace {

std::string rightAligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string leftAligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

// Two decimals in the C locale, whatever locale the program runs in.
std::string twoDecimals(double value) {
  std::array<char, 400> buffer;  // enough for the largest double in fixed notation
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                 std::chars_format::fixed, 2);
  return ec == std::errc() ? std::string(buffer.data(), end) : std::string("?");
}

std::string dashes(std::size_t count) { return std::string(count, '-') + "\n"; }

void appendHeader(std::string& text, const SegmentReportInput& input, const std::tm& now) {
  text += input.kind == MapKind::Regression ? "Regression Map\n" : "Category Map\n";
  text += " Wendmoor Project Manager, " + dateTimeText(now) + "\n";
  text += " " + noticeText(now) + "\n";
  text += " Segment Summary Report\n\n";
  text += dashes(85) + "Specification\n" + dashes(85);
  text += leftAligned(" Source File: ", 24) + input.sourceTable + "\n";
  text += leftAligned(" Target Variable: ", 24) + input.targetName + "\n";
  const long long predictors = static_cast<long long>(input.variableCount) - 1;
  text += leftAligned(" Number of Predictors: ", 24) + std::to_string(predictors) + "\n";
  text += leftAligned(" Minimum Segment Count: ", 24) + std::to_string(input.minimumCount) + "\n";
  text += "\n\n";
}

void appendSegmentTitle(std::string& text, std::size_t number) {
  text += dashes(56) + "SEGMENT " + std::to_string(number) + "\n" + dashes(56);
  text += "Classification rule:\n";
}

void appendRegressionStatistics(std::string& text, const std::string& target, const NodeLine& node) {
  text += "Segment statistics for " + target + ":\n";
  text += leftAligned("Count:  ", 8) + std::to_string(node.count) + "\n";
  text += leftAligned("Mean:  ", 8) + twoDecimals(node.mean) + "\n";
  text += leftAligned("SD:  ", 8) + twoDecimals(node.sd) + "\n";
  text += leftAligned("Min:  ", 8) + twoDecimals(node.min) + "\n";
  text += leftAligned("Max:  ", 8) + twoDecimals(node.max) + "\n";
  text += "\n\n";
}

void appendCategoryStatistics(std::string& text, const std::string& target, const NodeLine& node) {
  text += "Segment statistics for target " + target + ":\n";
  text += "Count:  " + std::to_string(node.count) + "\n";
  for (const auto& [name, count] : node.classCounts) {
    // A node of no rows (only in a damaged file) shows 0 rather than nan.
    double percent = node.count != 0 ? count * 100.0 / node.count : 0.0;
    text += rightAligned(name, 12) + ": " + rightAligned(std::to_string(count), 9) + " (" +
            rightAligned(twoDecimals(percent), 8) + "%)\n";
  }
  text += "\n\n";
}

}  // namespace

std::tm systemLocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string dateTimeText(const std::tm& time) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  auto twoDigits = [](int value) {
    return std::string(value < 10 ? "0" : "") + std::to_string(value);
  };
  // Out-of-range fields (only from a faulty clock) are wrapped, never indexed past.
  std::string text = kDays[((time.tm_wday % 7) + 7) % 7];
  text += " ";
  text += kMonths[((time.tm_mon % 12) + 12) % 12];
  text += rightAligned(std::to_string(time.tm_mday), 3) + " ";
  text += twoDigits(time.tm_hour) + ":" + twoDigits(time.tm_min) + ":" + twoDigits(time.tm_sec);
  text += " " + std::to_string(1900 + static_cast<long>(time.tm_year));
  return text;
}

std::string noticeText(const std::tm& time) {
  return "Copyright (c) " + std::to_string(1900 + static_cast<long>(time.tm_year)) +
         " Quorvane Inc. All rights reserved.";
}

void appendSegments(GeneratedText& result, const std::string& nodeFileName,
                    NodeLineKind content, std::size_t classCount,
                    const std::string& loneRoot, const SegmentWriter& writeSegment) {
  NodeList list = readNodeList(nodeFileName, content, classCount);
  result.problems = std::move(list.problems);
  if (list.recordCount <= 1) {
    if (list.recordCount == 1) result.text += loneRoot;
    result.status = 1;
    return;
  }
  std::vector<SegmentPath> segments = segmentOrder(list.nodes);
  for (std::size_t number = 0; number < segments.size(); ++number)
    writeSegment(number, list.nodes[segments[number].leaf], ruleLines(list.nodes, segments[number]));
}

GeneratedText makeSegmentReport(const SegmentReportInput& input, const LocalClock& clock) {
  GeneratedText result;
  appendHeader(result.text, input, clock());
  const bool regression = input.kind == MapKind::Regression;
  appendSegments(
      result, input.nodeFileName,
      regression ? NodeLineKind::Regression : NodeLineKind::Category,
      input.classCount > 0 ? static_cast<std::size_t>(input.classCount) : 0,
      "No splitting beyone the root node\n",
      [&](std::size_t number, const NodeLine& leaf, const std::string& rule) {
        appendSegmentTitle(result.text, number);
        result.text += rule + "\n";
        if (regression) appendRegressionStatistics(result.text, input.targetName, leaf);
        else appendCategoryStatistics(result.text, input.targetName, leaf);
      });
  return result;
}

}  // namespace orlix::engine
