#include "diagramprint/print_job.h"

#include <QFile>
#include <QPrinter>

#include "diagramprint/control_error.h"

namespace orlix::diagramprint {

PrintJob::PrintJob(QPrinter& printer, const QString& docName) : printer_(printer), docName_(docName) {
  printer_.setDocName(docName_);
  if (!painter_.begin(&printer_)) fail(QStringLiteral("could not be started"));
  open_ = true;
  begun_ = true;
}

PrintJob::~PrintJob() {
  if (open_) abandon();
}

void PrintJob::newPage() {
  if (!printer_.newPage() || printer_.printerState() == QPrinter::Error)
    fail(QStringLiteral("could not start a new page"));
}

void PrintJob::finish() {
  open_ = false;
  if (!painter_.end() || printer_.printerState() == QPrinter::Error ||
      printer_.printerState() == QPrinter::Aborted) {
    abandon();
    fail(QStringLiteral("could not be finished"));
  }
}

void PrintJob::cancel() {
  if (!open_) return;
  open_ = false;
  abandon();
}

void PrintJob::abandon() {
  open_ = false;
  if (painter_.isActive()) {
    printer_.abort();
    painter_.end();
  }
  // A PDF cannot be taken back once written: remove what this job wrote of it.
  if (begun_ && printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty())
    QFile::remove(printer_.outputFileName());
}

void PrintJob::fail(const QString& what) {
  abandon();
  const QString where = printer_.outputFormat() == QPrinter::PdfFormat
                            ? QStringLiteral(" (file \"%1\")").arg(printer_.outputFileName())
                            : QStringLiteral(" (printer \"%1\")").arg(printer_.printerName());
  throw ControlError::printerError(
      QStringLiteral("the print job \"%1\"%2 %3 and was abandoned").arg(docName_, where, what)
          .toStdString());
}

}  // namespace orlix::diagramprint
