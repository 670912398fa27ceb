#include "app/printing.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTextDocument>
#include <QTextEdit>
#include <functional>
#include <optional>

#include "app/action_registry.h"
#include "app/app_state.h"
#include "app/busy_work.h"
#include "app/child_windows.h"
#include "app/grid_printout.h"
#include "app/orl_flex_grid.h"
#include "app/print_target.h"
#include "app/result_windows.h"
#include "diagramprint/pagrix_ctrl.h"
#include "display/orl_flow_control.h"
#include "display/printing/frm_preview.h"
#include "display/printing/map_print_command.h"
#include "display/printing/printer_choice.h"
#include "display/printing/rich_text_print.h"
#include "display/tree_display_window.h"

namespace orlix::app {

namespace {

using diagramprint::PrinterSelection;

constexpr int kProgressDelayMs = 500;  // a printout shorter than this shows no progress window
constexpr int kProgressStepMs = 50;    // how often the progress window is brought up to date

void tell(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, QApplication::applicationDisplayName(), text);
}

void reportFailure(QWidget* parent, const QString& docName, const std::exception& error) {
  QMessageBox::warning(parent, QApplication::applicationDisplayName(),
                       QStringLiteral("\"%1\" could not be printed.\n\n%2")
                           .arg(docName, QString::fromUtf8(error.what())));
}

// Draws the document with `print` on the chosen printer and hands it on.
int runPrint(const PrinterSelection& printer, const QString& docName, QWidget* parent,
             const std::function<int(QPrinter&)>& print) {
  try {
    PrintTarget target(printer);
    const int pages = print(target.printer());
    if (pages > 0) target.deliver(docName);
    return pages;
  } catch (const std::exception& error) {
    reportFailure(parent, docName, error);
    return 0;
  }
}

// The progress window of a grid printout: modal, with Cancel, shown once
// the printout takes more than a moment.
class GridPrintProgress {
 public:
  GridPrintProgress(QWidget* parent, const QString& docName, int rows)
      : dialog_(QStringLiteral("Printing \"%1\"...").arg(docName), QStringLiteral("Cancel"), 0, rows, parent) {
    dialog_.setObjectName(QStringLiteral("frmPrinting"));
    dialog_.setWindowTitle(QApplication::applicationDisplayName());
    dialog_.setWindowModality(Qt::ApplicationModal);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setMinimumDuration(kProgressDelayMs);
    // Escape and the window's close button stop the printout as Cancel does.
    QObject::connect(&dialog_, &QDialog::rejected, &dialog_, &QProgressDialog::cancel);
    dialog_.setValue(0);
    sinceUpdate_.start();
  }

  // After each row: false once the user has cancelled.
  bool operator()(int done, int total) {
    if (done == total || sinceUpdate_.elapsed() >= kProgressStepMs) {
      dialog_.setValue(done);  // also lets the windows repaint and Cancel be pressed
      sinceUpdate_.restart();
    }
    return !dialog_.wasCanceled();
  }

 private:
  QProgressDialog dialog_;
  QElapsedTimer sinceUpdate_;
};

bool isGridWindow(const QString& name) {
  return name == QLatin1String("frmRawD") || name == QLatin1String("frmTreeList") ||
         name == QLatin1String("frmDescrip");
}

bool isTextWindow(const QString& name) {
  return name == QLatin1String("frmRules") || name == QLatin1String("frmCode");
}

// The decision map's Print and Print Preview commands (the title prompt,
// then the print preview form's control), on the session's printer.
void printMap(display::TreeDisplayWindow& map, const PrinterSelection& printer, bool preview, QWidget* parent) {
  const std::optional<QString> title = display::askPrintTitle(parent);
  if (!title) return;
  try {
    display::OrlFlowControl& flow = map.flowControl();
    display::dlgPrintPreview form(parent);
    form.setPictureExport(
        [&flow](diagramprint::PrintMessageTarget*) { return flow.ExportPicture(display::AllItems, false, false); });
    form.printControl().SetPrinterName(printer.printerName);
    form.printControl().SetOutputFileName(printer.pdfFile);
    display::runMapPrint(form, flow.hWnd(), *title, QDate::currentDate(), preview);
    if (preview) form.exec();
  } catch (const std::exception& error) {
    reportFailure(parent, title->isEmpty() ? map.windowTitle() : *title, error);
  }
}

// A text preview window showing the grid's cells, made a child window.
void previewGrid(GridWindow& window, ChildWindows& windows, QWidget* parent) {
  const QString caption = window.windowTitle();
  GridPrintCells cells(window.grid()->cells());
  if (cells.rowCount() == 0 || cells.columnCount() == 0) {
    tell(parent, QStringLiteral("\"%1\" has nothing to preview.").arg(caption));
    return;
  }
  // A million rows take seconds to lay out as text: off the window's thread.
  const std::optional<std::shared_ptr<PreviewDocument>> made = runWhileBusy<std::shared_ptr<PreviewDocument>>(
      parent, QStringLiteral("Preparing the preview of \"%1\"...").arg(caption),
      [cells = std::move(cells)] { return makePreviewDocument(cells); });
  if (!made) return;  // cancelled
  auto* preview = new display::frmPreview(nullptr);
  preview->setWindowTitle(QStringLiteral("Preview of %1").arg(caption));
  preview->setAccessibleName(preview->windowTitle());
  QTextEdit* box = preview->RichTextBox1();
  QTextDocument* document = (*made)->document.release();
  document->setParent(box);
  box->setDocument(document);
  windows.adopt(preview);
  if (QWidget* frame = preview->parentWidget()) frame->setWindowIcon(programIcon(QStringLiteral("document-print-preview")));
  windows.show(preview);
}

}  // namespace

int printGrid(const OrlFlexGrid& grid, const QString& docName, const PrinterSelection& printer, QWidget* parent) {
  const GridPrintCells cells(grid.cells());
  if (cells.rowCount() == 0 || cells.columnCount() == 0) {
    tell(parent, QStringLiteral("\"%1\" has nothing to print.").arg(docName));
    return 0;
  }
  return runPrint(printer, docName, parent, [&](QPrinter& target) {
    GridPrintProgress progress(parent, docName, cells.rowCount());
    return display::printGrid(cells, target, docName, std::ref(progress));
  });
}

int printText(const QString& text, const QFont& font, const QString& docName, const PrinterSelection& printer,
              QWidget* parent) {
  if (text.trimmed().isEmpty()) {
    tell(parent, QStringLiteral("\"%1\" is empty: there is nothing to print.").arg(docName));
    return 0;
  }
  return runPrint(printer, docName, parent,
                  [&](QPrinter& target) { return display::printWindowText(text, font, target, docName); });
}

int printPreviewText(display::frmPreview& preview, const PrinterSelection& printer, QWidget* parent) {
  return runPrint(printer, preview.windowTitle(), parent,
                  [&](QPrinter& target) { return preview.PrintFunction(target); });
}

void printWindow(QWidget* activeWindow, AppState& state, QWidget* parent) {
  const QString name = activeWindow ? activeWindow->objectName() : QString();
  if (auto* text = qobject_cast<TextWindow*>(activeWindow); text && isTextWindow(name)) {
    text->PrintFunction(state.gPrinter);
  } else if (auto* grid = qobject_cast<GridWindow*>(activeWindow); grid && isGridWindow(name)) {
    grid->grid()->PrintGrid(state.gPrinter, grid->windowTitle());
  } else if (auto* preview = qobject_cast<display::frmPreview*>(activeWindow);
             preview && name == QLatin1String("frmPreview")) {
    printPreviewText(*preview, state.gPrinter, parent);
  } else if (auto* map = qobject_cast<display::TreeDisplayWindow*>(activeWindow);
             map && name == QLatin1String("frmTreeDisplay")) {
    printMap(*map, state.gPrinter, false, parent);
  } else {
    tell(parent, QStringLiteral("There is no window to print: open the window you want printed first."));
  }
}

void printPreview(QWidget* activeWindow, AppState& state, ChildWindows& windows, QWidget* parent) {
  const QString name = activeWindow ? activeWindow->objectName() : QString();
  if (auto* grid = qobject_cast<GridWindow*>(activeWindow); grid && isGridWindow(name)) {
    previewGrid(*grid, windows, parent);
  } else if (auto* map = qobject_cast<display::TreeDisplayWindow*>(activeWindow);
             map && name == QLatin1String("frmTreeDisplay")) {
    printMap(*map, state.gPrinter, true, parent);
  } else {
    tell(parent, QStringLiteral("Print Preview shows the Raw Data, Descriptives, Tree Nodes and Decision Tree "
                                "windows: make one of them the active window first."));
  }
}

bool printSetup(AppState& state, QWidget* parent) { return display::choosePrinter(parent, state.gPrinter); }

}  // namespace orlix::app
