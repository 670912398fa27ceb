// The server's classes: creating a map component by CLSID or ProgID, and
// writing or removing the server's keys in a per-user registry file.
#pragma once

#include <string>

#include "platform/com/class_registry.h"
#include "platform/com/registry_file.h"
#include "server/map_interfaces.h"

namespace orlix::server {

// A registry of RegressionMap and CategoryMap; instances it creates belong
// to the caller.
com::ClassRegistry<IMap> mapClasses();

// The registration entry points: write or remove the keys of both classes and
// the type library in `registry` and save it. `libraryPath` is the server's
// file. Errors throw com::RegistryError.
void registerMapServer(com::RegistryFile& registry, const std::string& libraryPath);
void unregisterMapServer(com::RegistryFile& registry);

}  // namespace orlix::server
