// The dual interfaces of the two map components as abstract C++ classes:
// the members of IRegressionMap and ICategoryMap in dispatch order, plus the
// small component-model answers every object gives (QueryInterface,
// ISupportErrorInfo, the connection point container). Every member returns
// an HRESULT and, on failure, leaves the thread's error information set;
// nothing throws across this boundary.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/variant.h"

namespace orlix::ado {
class Recordset;
}

namespace orlix::server {

// Members shared by IRegressionMap and ICategoryMap.
class IMap {
 public:
  virtual ~IMap() = default;

  // Whether the object answers for the interface `iid` (IUnknown, IDispatch,
  // its dual interface, ISupportErrorInfo, IConnectionPointContainer).
  virtual bool QueryInterface(const com::Guid& iid) const = 0;
  // ISupportErrorInfo: S_OK for the object's own dual interface, else S_FALSE.
  virtual com::HRESULT InterfaceSupportsErrorInfo(const com::Guid& iid) const = 0;
  // IConnectionPointContainer: the container holds no connection point.
  virtual com::HRESULT FindConnectionPoint(const com::Guid& iid) const = 0;
  virtual std::vector<com::Guid> EnumConnectionPoints() const = 0;

  virtual com::HRESULT ConnectOLEDB(const std::string& connection_string, const std::string& table_name) = 0;
  virtual com::HRESULT SetAsExcluded(const std::string& field_name) = 0;
  virtual com::HRESULT SetMinimumN(int32_t min_n) = 0;
  virtual com::HRESULT SetAsTarget(const std::string& field_name) = 0;
  virtual com::HRESULT Rows(int32_t* pVal) const = 0;
  virtual com::HRESULT Cols(int32_t* pVal) const = 0;
  virtual com::HRESULT MAPRules(std::string* pVal) = 0;
  virtual com::HRESULT MAPCode(std::string* pVal) = 0;
  // The record set properties fill pVal with a VT_DISPATCH Variant holding a
  // new reference to an ado::Recordset (see recordsetOf); the caller shares it.
  virtual com::HRESULT rs_Descriptives(com::Variant* pVal) = 0;
  virtual com::HRESULT rs_TreeList(com::Variant* pVal) = 0;
  virtual com::HRESULT rs_AnalysisData(com::Variant* pVal) = 0;
  virtual com::HRESULT Run() = 0;
  virtual com::HRESULT SetAsDecile(const std::string& field_name) = 0;
  virtual com::HRESULT SetAsCharacter(const std::string& field_name) = 0;
};

class IRegressionMap : public virtual IMap {};

class ICategoryMap : public virtual IMap {
 public:
  // Number of target classes of the last Run.
  virtual com::HRESULT NumTargetValues(int32_t* pVal) const = 0;
};

// The record set a record set property handed out; null for any other Variant.
std::shared_ptr<ado::Recordset> recordsetOf(const com::Variant& value);

}  // namespace orlix::server
