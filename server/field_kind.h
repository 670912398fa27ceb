// The kind a source field gets at ConnectOLEDB: only 32-bit integers and
// doubles are numeric; every other type, other numbers and dates included,
// is character. Deliberately narrower than ado::isCharacterType, which
// decides the component for a target and the missing-value rule.
#pragma once

#include "engine/column_descriptor.h"
#include "platform/ado/constants.h"

namespace orlix::server {

inline int fieldKindOf(ado::DataType type) {
  return type == ado::adInteger || type == ado::adDouble ? engine::kNumericKind : engine::kCharacterKind;
}

}  // namespace orlix::server
