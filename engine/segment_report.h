// The segment summary report of a grown tree, built from the node file the
// engine wrote: the run's settings, then each segment's rule and target
// statistics. Also the pieces the scoring code shares with it (map kind,
// clock, stamp). Nothing throws; problems come back in GeneratedText.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "engine/node_list.h"

namespace orlix::engine {

enum class MapKind { Regression, Category };

// Supplies the local date and time a generated text is stamped with.
using LocalClock = std::function<std::tm()>;
std::tm systemLocalTime();

// "Www Mmm dd hh:mm:ss yyyy" (24 characters), in English whatever the locale.
std::string dateTimeText(const std::tm& time);
// The one-line notice naming the year and the maker.
std::string noticeText(const std::tm& time);

// A generated text, owned by the caller. status is 1 when the tree is the
// root alone or the node file holds no line (or cannot be opened), else 0.
// problems names the node file and line of anything unreadable in it.
struct GeneratedText {
  std::string text;
  int status = 0;
  std::vector<std::string> problems;
};

// Reads the node file and hands each segment, in order, its number, its leaf
// and its rule lines. A tree of the root alone appends loneRoot; a file of no
// line, or one that cannot be opened, appends nothing; both set status 1.
using SegmentWriter =
    std::function<void(std::size_t number, const NodeLine& leaf, const std::string& ruleLines)>;
void appendSegments(GeneratedText& result, const std::string& nodeFileName,
                    NodeLineKind content, std::size_t classCount,
                    const std::string& loneRoot, const SegmentWriter& writeSegment);

struct SegmentReportInput {
  MapKind kind = MapKind::Regression;
  std::string nodeFileName;
  std::string sourceTable;
  std::string targetName;
  int variableCount = 0;  // C, the target included
  int minimumCount = 0;
  int classCount = 0;  // K: the target's classes (category maps)
};

// Reads the node file afresh on every call and returns a complete report.
GeneratedText makeSegmentReport(const SegmentReportInput& input,
                                const LocalClock& clock = systemLocalTime);

}  // namespace orlix::engine
