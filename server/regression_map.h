// RegressionMap: the map component that grows a regression map on a numeric
// target (class "Orlix.RegressionMap.1"). Created by the class registry or
// directly; the creator owns it.
#pragma once

#include "server/map_component.h"

namespace orlix::server {

class RegressionMap : public IRegressionMap, public MapComponent {
 public:
  RegressionMap();

 protected:
  std::unique_ptr<engine::TreeEngine> makeEngine(engine::RowTable& table) const override;
};

}  // namespace orlix::server
