#include "platform/ado/xml_document.h"

#include <libxml/parser.h>
#include <strings.h>

#include <climits>

#include "platform/ado/file_table.h"

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
         strcasecmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

std::vector<xmlNode*> ChildElements(const xmlNode* node, const char* name) {
  std::vector<xmlNode*> out;
  if (!node) return out;
  for (xmlNode* child = node->children; child; child = child->next)
    if (IsElement(child, name)) out.push_back(child);
  return out;
}

xmlNode* FindDescendant(xmlNode* node, const char* name) {
  // Iterative, so a deeply nested document cannot exhaust the stack.
  xmlNode* current = node ? node->children : nullptr;
  while (current) {
    if (IsElement(current, name)) return current;
    if (current->children && current->type == XML_ELEMENT_NODE) {
      current = current->children;
      continue;
    }
    while (current && !current->next) {
      current = current->parent;
      if (current == node) return nullptr;
    }
    if (current) current = current->next;
  }
  return nullptr;
}

bool Attribute(const xmlNode* node, const char* name, std::string& value) {
  for (xmlAttr* a = node->properties; a; a = a->next) {
    if (!a->name || strcasecmp(reinterpret_cast<const char*>(a->name), name) != 0) continue;
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
