// A parsed XML or HTML document (libxml2), owned, and the few walks the file
// readers make over it.
#pragma once

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <vector>

namespace orlix::ado {

struct XmlDocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocFree>;

// Parses XML without fetching anything from the network or expanding entities
// into the tree. Throws DataError naming `path` and `part` when not well formed.
XmlDocPtr ParseXml(const std::string& text, const std::string& path, const std::string& part);

// True when `node` is an element with this local name (namespace ignored, ASCII case ignored).
bool IsElement(const xmlNode* node, const char* name);

// The element children of `node` with this local name.
std::vector<xmlNode*> ChildElements(const xmlNode* node, const char* name);

// The first descendant element with this local name, or nullptr.
xmlNode* FindDescendant(xmlNode* node, const char* name);

// All descendant elements with this local name, in document order.
std::vector<xmlNode*> Descendants(xmlNode* node, const char* name);

// Sets `value` to the attribute with this local name; false when there is none.
bool Attribute(const xmlNode* node, const char* name, std::string& value);

// All the text below `node`, in document order.
std::string TextContent(const xmlNode* node);

}  // namespace orlix::ado
