#include "platform/ado/files/xml_document.h"

#include <libxml/parser.h>

#include <climits>

#include "platform/ado/field_names.h"
#include "platform/ado/files/file_table.h"

namespace orlix::ado {

XmlDocPtr ParseXml(const std::string& text, const std::string& path, const std::string& part) {
  if (text.size() > static_cast<std::size_t>(INT_MAX)) ThrowFileError(path, part + " is too large");
  XmlDocPtr doc(xmlReadMemory(text.data(), static_cast<int>(text.size()), part.c_str(), nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc || !xmlDocGetRootElement(doc.get())) ThrowFileError(path, part + " is not well-formed XML");
  return doc;
}

bool IsElement(const xmlNode* node, const char* name) {
  return node && node->type == XML_ELEMENT_NODE && node->name &&
         equalsIgnoreCase(reinterpret_cast<const char*>(node->name), name);
}

std::vector<xmlNode*> ChildElements(const xmlNode* node, const char* name) {
  std::vector<xmlNode*> out;
  if (!node) return out;
  for (xmlNode* child = node->children; child; child = child->next)
    if (IsElement(child, name)) out.push_back(child);
  return out;
}

namespace {

// The node after `node` in document order within `root`'s subtree, iteratively
// so that a deeply nested document cannot exhaust the stack.
xmlNode* NextInDocument(xmlNode* node, const xmlNode* root) {
  if (node->children && node->type == XML_ELEMENT_NODE) return node->children;
  while (node && node != root && !node->next) node = node->parent;
  return node && node != root ? node->next : nullptr;
}

}  // namespace

xmlNode* FindDescendant(xmlNode* node, const char* name) {
  if (!node) return nullptr;
  for (xmlNode* n = node->children; n; n = NextInDocument(n, node))
    if (IsElement(n, name)) return n;
  return nullptr;
}

std::vector<xmlNode*> Descendants(xmlNode* node, const char* name) {
  std::vector<xmlNode*> out;
  if (!node) return out;
  for (xmlNode* n = node->children; n; n = NextInDocument(n, node))
    if (IsElement(n, name)) out.push_back(n);
  return out;
}

bool Attribute(const xmlNode* node, const char* name, std::string& value) {
  for (xmlAttr* a = node->properties; a; a = a->next) {
    if (!a->name || !equalsIgnoreCase(reinterpret_cast<const char*>(a->name), name)) continue;
    xmlChar* text = xmlNodeListGetString(node->doc, a->children, 1);
    value = text ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return true;
  }
  return false;
}

std::string TextContent(const xmlNode* node) {
  xmlChar* text = xmlNodeGetContent(node);
  std::string out = text ? reinterpret_cast<const char*>(text) : "";
  xmlFree(text);
  return out;
}

}  // namespace orlix::ado
