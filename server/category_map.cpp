#include "server/category_map.h"

#include "engine/category_engine.h"
#include "server/identifiers.h"

namespace orlix::server {

CategoryMap::CategoryMap()
    : MapComponent({kCategoryMapClass, engine::kCharacterKind, engine::MapKind::Category,
                    "Specified target variable must be character-based: ",
                    "Target variable is not a character field"}) {}

com::HRESULT CategoryMap::NumTargetValues(int32_t* pVal) const {
  if (!pVal) return com::E_POINTER;
  const engine::ColumnDescriptor* target = engineTarget();
  *pVal = target ? target->cardinality : 0;
  return com::S_OK;
}

std::unique_ptr<engine::TreeEngine> CategoryMap::makeEngine(engine::RowTable& table) const {
  return std::make_unique<engine::CategoryEngine>(table);
}

}  // namespace orlix::server
