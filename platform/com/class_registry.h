// Creates components by class identity or ProgID: the in-process class
// factories of the component model. Instances are owned by the caller.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

namespace orlix::com {

// The identity of one component class, as it is registered.
struct ClassInfo {
  Guid clsid;
  Guid iid;                              // its default (dual) interface
  std::string progId;                    // versioned, e.g. "Orlix.RegressionMap.1"
  std::string versionIndependentProgId;  // e.g. "Orlix.RegressionMap"
  std::string description;               // e.g. "RegressionMap Class"
};

template <class Interface>
class ClassRegistry {
 public:
  using Factory = std::function<std::unique_ptr<Interface>()>;
  struct Entry {
    ClassInfo info;
    Factory create;
  };

  void add(ClassInfo info, Factory create) { entries_.push_back({std::move(info), std::move(create)}); }
  const std::vector<Entry>& classes() const { return entries_; }

  // S_OK and a new instance, or REGDB_E_CLASSNOTREG for an unknown class.
  HRESULT createInstance(const Guid& clsid, std::unique_ptr<Interface>& out) const {
    for (const auto& e : entries_)
      if (e.info.clsid == clsid) return construct(e, out);
    return REGDB_E_CLASSNOTREG;
  }

  // Either ProgID form, compared without regard to ASCII case as the registry does.
  HRESULT createInstance(std::string_view progId, std::unique_ptr<Interface>& out) const {
    for (const auto& e : entries_)
      if (sameNoCase(e.info.progId, progId) || sameNoCase(e.info.versionIndependentProgId, progId))
        return construct(e, out);
    return REGDB_E_CLASSNOTREG;
  }

 private:
  static bool sameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      char x = a[i], y = b[i];
      if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
      if (x != y) return false;
    }
    return true;
  }

  static HRESULT construct(const Entry& e, std::unique_ptr<Interface>& out) {
    try {
      out = e.create();
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
    return out ? S_OK : E_FAIL;
  }

  std::vector<Entry> entries_;
};

}  // namespace orlix::com
