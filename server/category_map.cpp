#include "server/category_map.h"

#if __has_include("engine/category_engine.h")
#include "engine/category_engine.h"
#define ORLIX_HAVE_CATEGORY_ENGINE 1
#endif
#include "server/identifiers.h"

namespace orlix::server {

CategoryMap::CategoryMap()
    : MapComponent({kCategoryMapClass, kCharacterKind, engine::MapKind::Category,
                    "Specified target variable must be character-based: ",
                    "Target variable is not a character field"}) {}

com::HRESULT CategoryMap::NumTargetValues(int32_t* pVal) const {
  if (!pVal) return com::E_POINTER;
  const ColumnDescriptor* target = engineTarget();
  *pVal = target ? target->cardinality : 0;
  return com::S_OK;
}

std::unique_ptr<TreeEngine> CategoryMap::makeEngine(RowTable& table) const {
#ifdef ORLIX_HAVE_CATEGORY_ENGINE
  return std::make_unique<CategoryEngine>(table);
#else
  return nullptr;
#endif
}

}  // namespace orlix::server
