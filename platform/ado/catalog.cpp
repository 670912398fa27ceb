#include "platform/ado/catalog.h"

#include "platform/ado/open_provider.h"

namespace orlix::ado {

void Catalog::setActiveConnection(std::string_view connectionString) {
  tables_ = openProvider(connectionString)->tableNames();
}

}  // namespace orlix::ado
