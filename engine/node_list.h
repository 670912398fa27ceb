// The node file as the segment summary report and the scoring code read it:
// every node but the root, parsed into plain records, and the order in which
// the leaves become segments. Errors never throw: they are listed in
// NodeList::problems, each naming the node file and its line.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace orlix::engine {

// Which fields of a node line to read: name and rule alone, or with the
// statistics of a regression or a category node.
enum class NodeLineKind { NameAndRule, Regression, Category };

struct NodeLine {
  std::string name;
  std::string rule;
  int count = 0;  // N
  // Regression lines: the written numbers read back as floats.
  float mean = 0, sd = 0, min = 0, max = 0;
  // Category lines: class text -> rows, in byte-wise text order.
  std::map<std::string, int> classCounts;
};

struct NodeList {
  bool opened = false;
  std::size_t recordCount = 0;  // lines of the file, the root's included
  std::vector<NodeLine> nodes;  // file order, root left out
  std::vector<std::string> problems;
};

// Reads the node file; classCount is the number of (class, count) pairs a
// category line holds. A file that cannot be opened gives opened == false.
NodeList readNodeList(const std::string& fileName, NodeLineKind content,
                      std::size_t classCount = 0);

// One segment: the nodes whose rules make its classification rule, in file
// order (ancestors below the root, then the leaf), as indexes into nodes.
struct SegmentPath {
  std::size_t leaf = 0;
  std::vector<std::size_t> path;
};

// Leaves become segments deepest first (the longest name), the first in file
// order on a tie; a node's ancestors are the listed nodes whose names occur
// in its name.
std::vector<SegmentPath> segmentOrder(const std::vector<NodeLine>& nodes);

// The segment's rule lines: each rule followed by " \n   AND ", the leaf's
// rule by " \n".
std::string ruleLines(const std::vector<NodeLine>& nodes, const SegmentPath& segment);

}  // namespace orlix::engine
