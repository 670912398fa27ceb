#pragma once
// A property bag that keeps its entries in the order they were written, so
// a control's properties can be stored in a file and read back from it.
#include <string>
#include <utility>
#include <vector>

#include "platform/graphon/view/diagram_file.h"
#include "treelayout/property_bag.h"

namespace orlix::display {

class OrderedPropertyBag : public treelayout::PropertyBag {
 public:
  std::optional<treelayout::PropertyValue> read(const std::string& name) const override;
  void write(const std::string& name, const treelayout::PropertyValue& value) override;

  const std::vector<std::pair<std::string, treelayout::PropertyValue>>& entries() const { return entries_; }

  // The entries as a file's property section of `owner`, numbers in C-locale text.
  graphon::view::PropertySection section(const std::string& owner) const;
  // The bag a file's section holds. Throws std::invalid_argument naming an
  // entry whose text is not a number of its type.
  static OrderedPropertyBag fromSection(const graphon::view::PropertySection& section);

 private:
  std::vector<std::pair<std::string, treelayout::PropertyValue>> entries_;
};

}  // namespace orlix::display
