#pragma once
// The vertices of one layout call: read from the diagram, checked to form one
// rooted tree, and written back. Taking a node in sets its scratch number to the
// vertex index; the table gives every scratch number back when it is written
// back or destroyed, whatever went wrong in between.
#include <cstdint>
#include <vector>

#include "treelayout/layout_diagram.h"
#include "treelayout/layout_vertex.h"

namespace orlix::treelayout {

class VertexTable {
 public:
  explicit VertexTable(LayoutDiagram& diagram) : diagram_(diagram) {}
  VertexTable(const VertexTable&) = delete;
  VertexTable& operator=(const VertexTable&) = delete;
  ~VertexTable();

  // Makes a vertex for every node that passes the filter, in collection order.
  void readNodes();
  // Reads the links, restyling every tree edge, and returns the root; kNoVertex
  // when there is no vertex. Throws ControlError::notATree() when a node has
  // more than one in-link or there is not exactly one parentless vertex.
  std::int32_t readLinks();
  // Sets parent, first child and sibling links from the root down and marks the
  // vertices reached.
  void linkTree(std::int32_t root);
  // Moves every node to its vertex's centre with the redraw off once, and gives
  // the scratch numbers back.
  void writeBack();

  std::vector<LayoutVertex>& vertices() { return vertices_; }

 private:
  bool passes(NodeRef node);
  bool passes(LinkRef link);
  std::int32_t vertexOf(NodeRef node);
  void readInLinks(LayoutVertex& vertex);
  void readOutLinks(LayoutVertex& vertex);
  void restoreScratchFrom(std::size_t first);

  LayoutDiagram& diagram_;
  bool filter_ = false;
  std::vector<LayoutVertex> vertices_;
  std::size_t restored_ = 0;  // vertices below this index have their scratch number back
};

}  // namespace orlix::treelayout
