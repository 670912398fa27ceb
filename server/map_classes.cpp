#include "server/map_classes.h"

#include "platform/com/server_registration.h"
#include "server/category_map.h"
#include "server/identifiers.h"
#include "server/regression_map.h"

namespace orlix::server {

com::ClassRegistry<IMap> mapClasses() {
  com::ClassRegistry<IMap> classes;
  classes.add(kRegressionMapClass, [] { return std::make_unique<RegressionMap>(); });
  classes.add(kCategoryMapClass, [] { return std::make_unique<CategoryMap>(); });
  return classes;
}

void registerMapServer(com::RegistryFile& registry, const std::string& libraryPath) {
  com::registerServer(registry, {kRegressionMapClass, kCategoryMapClass}, kOrlixTypeLib, libraryPath);
  registry.save();
}

void unregisterMapServer(com::RegistryFile& registry) {
  com::unregisterServer(registry, {kRegressionMapClass, kCategoryMapClass}, kOrlixTypeLib);
  registry.save();
}

}  // namespace orlix::server
