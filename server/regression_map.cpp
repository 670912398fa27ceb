#include "server/regression_map.h"

#include "engine/regression_engine.h"
#include "server/identifiers.h"

namespace orlix::server {

RegressionMap::RegressionMap()
    : MapComponent({kRegressionMapClass, engine::kNumericKind, engine::MapKind::Regression,
                    "Specified target variable must be numeric: ", "Target variable is not a numeric field"}) {}

std::unique_ptr<engine::TreeEngine> RegressionMap::makeEngine(engine::RowTable& table) const {
  return std::make_unique<engine::RegressionEngine>(table);
}

}  // namespace orlix::server
