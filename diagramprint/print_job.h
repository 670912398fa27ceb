#pragma once
// One document on a printer: started with a name, broken into pages, ended.
// A document that cannot start, a page that cannot end or a document that
// cannot be finished aborts the document (a PDF file half written is removed)
// and raises ControlError 482 naming the document; so does a job that is
// destroyed unfinished, silently. Not copyable.
#include <QPainter>
#include <QString>

class QPrinter;

namespace orlix::diagramprint {

class PrintJob {
 public:
  PrintJob(QPrinter& printer, const QString& docName);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  QPainter& painter() { return painter_; }
  QPrinter& printer() { return printer_; }
  // Ends the current page and starts the next.
  void newPage();
  // Ends the document and hands it to the printer.
  void finish();
  // Abandons the document without error (the user cancelled).
  void cancel();

 private:
  [[noreturn]] void fail(const QString& what);
  void abandon();

  QPrinter& printer_;
  QString docName_;
  QPainter painter_;
  bool open_ = false;
  bool begun_ = false;  // the document was started, so any file is this job's
};

}  // namespace orlix::diagramprint
