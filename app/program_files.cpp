#include "app/program_files.h"

#include <QCoreApplication>
#include <QDir>

namespace orlix::app {

ProgramFiles ProgramFiles::besideExecutable() { return ProgramFiles(QCoreApplication::applicationDirPath()); }

QString ProgramFiles::tipsFile() const { return QDir(folder_).filePath(QStringLiteral("TIPOFDAY.TXT")); }

QString ProgramFiles::helpBook() const { return QDir(folder_).filePath(QStringLiteral("orlxhelp")); }

QString ProgramFiles::traceFile() const { return QDir(folder_).filePath(QStringLiteral("zzz.log")); }

}  // namespace orlix::app
