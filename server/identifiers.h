// The fixed identities of the two map components and their type library:
// part of the external contract, so they live here and nowhere else.
#pragma once

#include "platform/com/class_registry.h"
#include "platform/com/guid.h"
#include "platform/com/server_registration.h"

namespace orlix::server {

inline const com::Guid kLibidOrlixLib = com::Guid::fromLiteral("{C33A72A0-3A5F-11D6-97C1-00E098053F2D}");
inline const com::Guid kIidIRegressionMap = com::Guid::fromLiteral("{C33A72AC-3A5F-11D6-97C1-00E098053F2D}");
inline const com::Guid kClsidRegressionMap = com::Guid::fromLiteral("{C33A72AD-3A5F-11D6-97C1-00E098053F2D}");
inline const com::Guid kDiidIRegressionMapEvents = com::Guid::fromLiteral("{C33A72AE-3A5F-11D6-97C1-00E098053F2D}");
inline const com::Guid kIidICategoryMap = com::Guid::fromLiteral("{C33A72AF-3A5F-11D6-97C1-00E098053F2D}");
inline const com::Guid kClsidCategoryMap = com::Guid::fromLiteral("{C33A72B0-3A5F-11D6-97C1-00E098053F2D}");
inline const com::Guid kDiidICategoryMapEvents = com::Guid::fromLiteral("{C33A72B1-3A5F-11D6-97C1-00E098053F2D}");
inline const com::Guid kIidIDispatch = com::Guid::fromLiteral("{00020400-0000-0000-C000-000000000046}");
inline const com::Guid kIidIUnknown = com::Guid::fromLiteral("{00000000-0000-0000-C000-000000000046}");
inline const com::Guid kIidISupportErrorInfo = com::Guid::fromLiteral("{DF0B3D60-548F-101B-8E65-08002B2BD119}");
inline const com::Guid kIidIConnectionPointContainer =
    com::Guid::fromLiteral("{B196B284-BAB4-101A-B69C-00AA00341D07}");

inline const com::ClassInfo kRegressionMapClass{kClsidRegressionMap, kIidIRegressionMap, "Orlix.RegressionMap.1",
                                                "Orlix.RegressionMap", "RegressionMap Class"};
inline const com::ClassInfo kCategoryMapClass{kClsidCategoryMap, kIidICategoryMap, "Orlix.CategoryMap.1",
                                              "Orlix.CategoryMap", "CategoryMap Class"};

inline const com::TypeLibInfo kOrlixTypeLib{kLibidOrlixLib,
                                            "1.0",
                                            "Orlix 1.0 Type Library",
                                            {{kIidIRegressionMap, "IRegressionMap"}, {kIidICategoryMap, "ICategoryMap"}}};

// Dispatch identifiers of the members of IRegressionMap and ICategoryMap.
enum MapDispId : int {
  DISPID_ConnectOLEDB = 1,
  DISPID_SetAsExcluded = 2,
  DISPID_SetMinimumN = 3,
  DISPID_SetAsTarget = 4,
  DISPID_Rows = 5,
  DISPID_Cols = 6,
  DISPID_MAPRules = 7,
  DISPID_MAPCode = 8,
  DISPID_rs_Descriptives = 9,
  DISPID_rs_TreeList = 10,
  DISPID_rs_AnalysisData = 11,
  DISPID_Run = 12,
  DISPID_SetAsDecile = 13,
  DISPID_SetAsCharacter = 14,
  DISPID_NumTargetValues = 15,
};

}  // namespace orlix::server
