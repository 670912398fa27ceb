// ProgramFiles: where the program finds the files it ships beside itself (the
// tips file, the help book) and the engine's trace file it removes at the end.
// The folder is the executable's own unless a test names another.
#pragma once

#include <QString>

namespace orlix::app {

class ProgramFiles {
 public:
  // The folder of the running executable.
  static ProgramFiles besideExecutable();
  explicit ProgramFiles(QString folder) : folder_(std::move(folder)) {}

  const QString& folder() const { return folder_; }
  QString tipsFile() const;     // "TIPOFDAY.TXT"
  QString helpBook() const;     // the help book's folder, "orlxhelp"
  QString traceFile() const;    // the engine's diagnostic log, "zzz.log"

 private:
  QString folder_;
};

}  // namespace orlix::app
