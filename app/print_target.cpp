#include "app/print_target.h"

#include <cups/cups.h>

#include <QPrinter>

#include "diagramprint/control_error.h"

namespace orlix::app {

namespace {

using diagramprint::ControlError;

[[noreturn]] void fail(const QString& detail) { throw ControlError::printerError(detail.toStdString()); }

}  // namespace

PrintTarget::PrintTarget(const diagramprint::PrinterSelection& selection) {
  std::unique_ptr<QPrinter> chosen = diagramprint::openPrinterOrThrow(selection, diagramprint::OrientPortrait);
  if (chosen->outputFormat() == QPrinter::PdfFormat) {
    printer_ = std::move(chosen);
    return;
  }
  queue_ = chosen->printerName();
  if (!spool_.isValid())
    fail(QStringLiteral("no file could be made to hold the printout for \"%1\" (%2)").arg(queue_, spool_.errorString()));
  // The queue's own page, margins and resolution, so the printout is laid
  // out exactly as the queue would have it.
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setOutputFileName(spool_.filePath(QStringLiteral("printout.pdf")));
  printer_->setResolution(chosen->resolution());
  printer_->setPageLayout(chosen->pageLayout());
}

PrintTarget::~PrintTarget() = default;

void PrintTarget::deliver(const QString& docName) {
  if (queue_.isEmpty()) return;
  // "queue/instance" names a saved set of options for the queue.
  const QByteArray name = queue_.section(QLatin1Char('/'), 0, 0).toUtf8();
  const QByteArray instance = queue_.section(QLatin1Char('/'), 1).toUtf8();
  const QByteArray file = printer_->outputFileName().toUtf8();
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests(&dests);
  const cups_dest_t* dest =
      cupsGetDest(name.constData(), instance.isEmpty() ? nullptr : instance.constData(), count, dests);
  const int job = cupsPrintFile(name.constData(), file.constData(), docName.toUtf8().constData(),
                                dest ? dest->num_options : 0, dest ? dest->options : nullptr);
  cupsFreeDests(count, dests);
  if (job == 0)
    fail(QStringLiteral("the printer \"%1\" did not take the print job \"%2\" (%3)")
             .arg(queue_, docName, QString::fromUtf8(cupsLastErrorString())));
}

}  // namespace orlix::app
