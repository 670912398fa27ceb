// CategoryMap: the map component that grows a category map on a character
// target (class "Orlix.CategoryMap.1"). Created by the class registry or
// directly; the creator owns it.
#pragma once

#include "server/map_component.h"

namespace orlix::server {

class CategoryMap : public ICategoryMap, public MapComponent {
 public:
  CategoryMap();

  // The number of target classes of the last Run; 0 before a Run.
  com::HRESULT NumTargetValues(int32_t* pVal) const override;

 protected:
  std::unique_ptr<engine::TreeEngine> makeEngine(engine::RowTable& table) const override;
};

}  // namespace orlix::server
