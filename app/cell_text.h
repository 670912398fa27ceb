// The text a grid shows for a record-set cell, the same bytes in any process
// locale: NULL as an empty cell, doubles in their shortest round-trip form.
#pragma once

#include <QString>

#include "platform/com/variant.h"

namespace orlix::app {

QString cellText(const com::Variant& value);

}  // namespace orlix::app
