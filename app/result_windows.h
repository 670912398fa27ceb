// The result windows, MDI children of the main window named as the program
// knows them: GridWindow holds one grid (the raw data frmRawD, the
// descriptives frmDescrip, the tree list frmTreeList); TextWindow holds one
// read-only text (the segment summaries frmRules, the scoring code frmCode).
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "diagramprint/printer_access.h"

class QTextEdit;

namespace orlix::ado {
class Recordset;
}

namespace orlix::app {

struct AppState;
class OrlFlexGrid;

class GridWindow : public QWidget {
  Q_OBJECT

 public:
  GridWindow(const QString& name, const QString& caption, QWidget* parent = nullptr);
  OrlFlexGrid* grid() const { return grid_; }

 private:
  OrlFlexGrid* grid_;
};

// Reads a table as the raw data window shows it, read-only: the record set,
// or (null) the data layer's message naming the file and the cause. Safe to
// call off the window's thread.
struct RawDataRead {
  std::shared_ptr<ado::Recordset> recordset;
  std::string error;
};
RawDataRead readRawData(const std::string& table, const std::string& connectionString);

// Binds a result record set to a grid: without a fixed column while binding,
// then with the first column fixed as the rows' labels.
void bindResult(OrlFlexGrid& grid, std::shared_ptr<ado::Recordset> recordset);
bool isOpen(const std::shared_ptr<ado::Recordset>& recordset);

// The raw data window: shows gRawData, read from gConnectString and gSourceTable.
class FrmRawD : public GridWindow {
  Q_OBJECT

 public:
  FrmRawD(AppState& state, QWidget* parent = nullptr);

  // Reads the raw data again (off the window's thread), binds it and asks
  // the tree options to refill their lists. Does nothing while no data
  // source is chosen; a source that cannot be read is reported naming the
  // file and the cause, leaving the grid empty.
  void RefreshData();
  // Binds raw data read elsewhere (an opened project) as RefreshData binds
  // what it reads, and asks the tree options to refill their lists.
  void bindRawData(std::shared_ptr<ado::Recordset> rawData);

 signals:
  void rawDataBound();

 private:
  AppState& state_;
};

class TextWindow : public QWidget {
  Q_OBJECT

 public:
  // `text` is shown in "Arial" 10 (or its metric-compatible substitute).
  TextWindow(const QString& name, const QString& caption, const std::string& text, QWidget* parent = nullptr);
  QTextEdit* textBox() const { return text_; }
  QString text() const;
  // Prints the trimmed text on `printer` unless it is empty; returns the
  // pages printed.
  int PrintFunction(const diagramprint::PrinterSelection& printer);

 private:
  QTextEdit* text_;
};

}  // namespace orlix::app
