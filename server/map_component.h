// MapComponent: what RegressionMap and CategoryMap share: the 250 field
// descriptors of the source, the settings a client makes, loading the table
// (ConnectOLEDB, move_to_memory), Run driving the engine, and the results.
// Members report failures as HRESULTs with the thread's error information
// (description, the class's versioned ProgID, its dual interface's IID).
// The component owns its engine, its analysis table and its node file, a
// fresh file in the temporary directory that is deleted with the component.
// A file source is read once per analysis: ConnectOLEDB keeps what it read
// for Run while the files stay unchanged (see table_loading.cpp).
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/column_descriptor.h"
#include "engine/row_table.h"
#include "engine/segment_report.h"
#include "engine/tree_engine.h"
#include "platform/ado/constants.h"
#include "platform/com/class_registry.h"
#include "platform/ado/provider.h"
#include "server/map_interfaces.h"
#include "server/run_progress.h"

namespace orlix::ado {
class Connection;
class Recordset;
}  // namespace orlix::ado

namespace orlix::server {

// What sets the two components apart.
struct MapTraits {
  com::ClassInfo identity;
  int targetKind = engine::kNumericKind;
  engine::MapKind mapKind = engine::MapKind::Regression;
  const char* wrongTargetMessage = "";     // SetAsTarget, + the given name
  const char* targetCheckMessage = "";     // Run, when the engine's target has the wrong kind
};

class MapComponent : public virtual IMap {
 public:
  explicit MapComponent(MapTraits traits);
  virtual ~MapComponent();
  MapComponent(const MapComponent&) = delete;
  MapComponent& operator=(const MapComponent&) = delete;

  bool QueryInterface(const com::Guid& iid) const override;
  com::HRESULT InterfaceSupportsErrorInfo(const com::Guid& iid) const override;
  com::HRESULT FindConnectionPoint(const com::Guid& iid) const override;
  std::vector<com::Guid> EnumConnectionPoints() const override { return {}; }

  com::HRESULT ConnectOLEDB(const std::string& connection_string, const std::string& table_name) override;
  com::HRESULT SetAsExcluded(const std::string& field_name) override;
  com::HRESULT SetMinimumN(int32_t min_n) override;
  com::HRESULT SetAsTarget(const std::string& field_name) override;
  com::HRESULT SetAsDecile(const std::string& field_name) override;
  com::HRESULT SetAsCharacter(const std::string& field_name) override;
  com::HRESULT Run() override;
  com::HRESULT Rows(int32_t* pVal) const override;
  com::HRESULT Cols(int32_t* pVal) const override;
  com::HRESULT MAPRules(std::string* pVal) override;
  com::HRESULT MAPCode(std::string* pVal) override;
  com::HRESULT rs_Descriptives(com::Variant* pVal) override;
  com::HRESULT rs_TreeList(com::Variant* pVal) override;
  com::HRESULT rs_AnalysisData(com::Variant* pVal) override;

  // Beyond the type library, for the batch front end and tests.
  const std::string& NodeFileName() const { return nodeFileName_; }
  // The source's fields as the last successful ConnectOLEDB found them.
  struct SourceField {
    std::string name;
    ado::DataType type;
  };
  std::vector<SourceField> SourceFields() const;
  // Connects to the source `other` was last connected to, as ConnectOLEDB
  // with the same strings would, taking over its connection and what it read
  // there, so that the source is not read again; `other` is left as if never
  // connected. For a front end that learns the target's type from the fields
  // only after connecting and then needs the other class. E_FAIL when `other`
  // never connected.
  com::HRESULT TakeConnection(MapComponent& other);
  // Reports the stages of ConnectOLEDB and Run to `progress` (none: empty).
  void SetProgress(RunProgress progress) { progress_ = std::move(progress); }
  // Lets `cancel` stop ConnectOLEDB and Run (see RunCancel); null: never.
  void SetCancel(RunCancel cancel) { cancel_ = cancel; }
  // Has the next Run append the engine's split trace to `path`.
  void SetSplitTrace(bool on, std::string path = "zzz.log");
  // The analysis table the last Run filled (the engine rewrites its numbers).
  const engine::RowTable& analysisTable() const { return *table_; }
  // The engine of the last Run; null before.
  const engine::TreeEngine* engine() const { return engine_.get(); }

 protected:
  // A new engine of this component's kind, on `table`.
  virtual std::unique_ptr<engine::TreeEngine> makeEngine(engine::RowTable& table) const = 0;
  const MapTraits& traits() const { return traits_; }
  // The engine's target descriptor (its last variable); null before Run.
  const engine::ColumnDescriptor* engineTarget() const;
  // Sets the error information with this component's identity; returns code.
  com::HRESULT fail(com::HRESULT code, const std::string& description) const;

 private:
  // Index of the first of the source's columns named `name` (ASCII case
  // ignored); -1 when none.
  int findColumn(const std::string& name) const;
  // Source positions of the engine's variables: every included column that
  // is not a target, in source order, then the first column marked as
  // target; empty when no column among the source's is marked.
  std::vector<int> engineOrder() const;
  com::HRESULT connect(const std::string& connection_string, const std::string& table_name);
  com::HRESULT runSteps();
  // "select * from " + the table name: every query of the source.
  std::string sourceQuery() const;
  // Reports a stage; throws the cancellation when the flag is raised.
  void report(RunStage stage, long count) const;
  bool cancelled() const { return cancel_ && cancel_->load(); }
  com::HRESULT failCancelled() const;
  // Opens the source query on sourceRecordset_ with the settings every
  // query of the source uses. Throws ado::DataError.
  void openSource();
  void closeSource();
  // The provider of the connection, opened again if it was closed. Throws ado::DataError.
  ado::Provider& sourceProvider();
  // The source's rows for Run, this component's alone: those ConnectOLEDB
  // kept while its files are unchanged, else read now. Throws ado::DataError.
  std::shared_ptr<ado::Table> takeSourceRows();
  // Fills table_ from the source: 0, 1 when there is nothing to load, or
  // after an error already reported, 2.
  int move_to_memory();
  std::shared_ptr<ado::Recordset> buildDescriptives() const;
  com::HRESULT buildTreeList(std::shared_ptr<ado::Recordset>& out) const;
  std::shared_ptr<ado::Recordset> buildAnalysisData();

  MapTraits traits_;
  std::unique_ptr<std::array<engine::ColumnDescriptor, engine::kMaxColumns>> columns_;
  std::vector<ado::DataType> sourceTypes_;  // ADO type of each source field, from ConnectOLEDB
  int sourceRowCount_ = 0;
  int sourceColumnCount_ = 0;
  int minimumN_ = 25;
  std::string connectionString_ = "E_NOT_SET";
  std::string tableName_ = "E_NOT_SET";
  std::string nodeFileName_;
  std::string targetName_ = "E_NOT_SET";
  std::string codeText_, rulesText_;
  std::shared_ptr<ado::Recordset> sourceRecordset_;
  // What ConnectOLEDB read of a file source, with the files' stamps then.
  struct KeptSource {
    std::shared_ptr<ado::Table> rows;
    std::vector<ado::FileStamp> stamps;
  };
  KeptSource kept_;
  RunProgress progress_;
  RunCancel cancel_ = nullptr;
  std::shared_ptr<ado::Connection> connection_;
  std::unique_ptr<engine::RowTable> table_;
  std::unique_ptr<engine::TreeEngine> engine_;
  int engineRowCount_ = 0;
  int engineColumnCount_ = 0;
  std::shared_ptr<ado::Recordset> analysisRecordset_, descriptivesRecordset_, treeListRecordset_;
  bool traceOn_ = false;
  std::string tracePath_ = "zzz.log";
};

}  // namespace orlix::server
