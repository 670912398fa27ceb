#include "app/result_windows.h"

#include <QMessageBox>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/app_state.h"
#include "app/busy_work.h"
#include "app/convert_data.h"
#include "app/orl_flex_grid.h"
#include "app/printing.h"
#include "platform/ado/recordset.h"

namespace orlix::app {

namespace {

// A window's single control fills it, so it keeps its place and its share
// of the window whatever the window's size.
void fillWith(QWidget* window, QWidget* control) {
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(control);
}

}  // namespace

RawDataRead readRawData(const std::string& table, const std::string& connectionString) {
  RawDataRead read;
  try {
    auto recordset = std::make_shared<ado::Recordset>();
    recordset->Open(table, connectionString, ado::adOpenStatic, ado::adLockReadOnly);
    read.recordset = std::move(recordset);
  } catch (const std::exception& error) {
    read.error = error.what();
  }
  return read;
}

GridWindow::GridWindow(const QString& name, const QString& caption, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setWindowTitle(caption);
  setAccessibleName(caption);
  grid_ = new OrlFlexGrid(this);
  grid_->setObjectName(QStringLiteral("OrlFlexGrid1"));
  grid_->setAccessibleName(caption);
  fillWith(this, grid_);
  setFocusProxy(grid_);
}

bool isOpen(const std::shared_ptr<ado::Recordset>& recordset) {
  return recordset && recordset->State() == ado::adStateOpen;
}

void bindResult(OrlFlexGrid& grid, std::shared_ptr<ado::Recordset> recordset) {
  grid.setFixedCols(0);
  grid.setDataSource(std::move(recordset));
  grid.setFixedCols(1);
}

FrmRawD::FrmRawD(AppState& state, QWidget* parent)
    : GridWindow(QStringLiteral("frmRawD"), QStringLiteral("Raw Data"), parent), state_(state) {}

void FrmRawD::RefreshData() {
  if (state_.gSourceTable.empty() || state_.gConnectString.empty()) return;
  state_.gRawData.reset();
  grid()->setDataSource(nullptr);
  const QString table = QString::fromStdString(state_.gSourceTable);
  const QString file = describeSource(QString::fromStdString(state_.gConnectString), table);
  const std::optional<RawDataRead> opened = runWhileBusy<RawDataRead>(
      this, QStringLiteral("Reading %1...").arg(file),
      [source = state_.gSourceTable, connection = state_.gConnectString] { return readRawData(source, connection); });
  if (opened && opened->recordset) {
    bindRawData(opened->recordset);
    return;
  }
  setWindowTitle(QStringLiteral("Raw Data"));
  if (opened)
    QMessageBox::warning(this, QStringLiteral("Raw Data"),
                         QStringLiteral("The raw data could not be read from %1.\n\n%2")
                             .arg(file, QString::fromStdString(opened->error)));
  emit rawDataBound();
}

void FrmRawD::bindRawData(std::shared_ptr<ado::Recordset> rawData) {
  state_.gRawData = std::move(rawData);
  grid()->setFixedCols(0);
  grid()->setDataSource(state_.gRawData);
  setWindowTitle(state_.gRawData ? QStringLiteral("Raw Data %1 - %2 records")
                                       .arg(QString::fromStdString(state_.gSourceTable))
                                       .arg(state_.gRawData->RecordCount())
                                 : QStringLiteral("Raw Data"));
  emit rawDataBound();
}

TextWindow::TextWindow(const QString& name, const QString& caption, const std::string& text, QWidget* parent)
    : QWidget(parent) {
  setObjectName(name);
  setWindowTitle(caption);
  setAccessibleName(caption);
  text_ = new QTextEdit(this);
  text_->setObjectName(QStringLiteral("RichTextBox1"));
  text_->setAccessibleName(caption);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QTextEdit::NoWrap);
  text_->setFont(QFont(QStringLiteral("Arial"), 10));
  text_->setPlainText(QString::fromStdString(text));
  fillWith(this, text_);
  setFocusProxy(text_);
}

QString TextWindow::text() const { return text_->toPlainText(); }

int TextWindow::PrintFunction(const diagramprint::PrinterSelection& printer) {
  return printText(text(), text_->font(), windowTitle(), printer, this);
}

}  // namespace orlix::app
