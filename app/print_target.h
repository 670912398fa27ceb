// PrintTarget: the printer one of the program's printouts goes to, as the
// session's printer choice names it. A PDF file is written in place. A print
// queue is given the document only once it is complete: the pages are drawn
// into a private PDF file first and handed to the queue at the end, so a
// printout that is cancelled or fails never reaches the printer half done
// (a queue printer of Qt's own sends whatever was drawn when a job is
// abandoned). Errors are diagramprint::ControlError.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "diagramprint/printer_access.h"

class QPrinter;

namespace orlix::app {

class PrintTarget {
 public:
  // Throws "You have no default printer!" when the selection names no PDF
  // file and there is no such printer.
  explicit PrintTarget(const diagramprint::PrinterSelection& selection);
  ~PrintTarget();
  PrintTarget(const PrintTarget&) = delete;
  PrintTarget& operator=(const PrintTarget&) = delete;

  // What the printout is drawn on: the printer's page, margins and resolution.
  QPrinter& printer() { return *printer_; }
  // The queue's name, or empty when the printout goes to a PDF file.
  const QString& queue() const { return queue_; }
  // Hands the finished document to the queue; a PDF file is already in
  // place. Throws printer error 482 naming the document and the queue when
  // the queue does not take it.
  void deliver(const QString& docName);

 private:
  std::unique_ptr<QPrinter> printer_;
  QString queue_;
  QTemporaryDir spool_;
};

}  // namespace orlix::app
