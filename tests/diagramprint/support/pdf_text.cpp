#include "tests/diagramprint/support/pdf_text.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace orlix::test {
namespace {

QString run(const QString& program, const QStringList& arguments, bool* ok = nullptr) {
  QProcess process;
  process.start(program, arguments);
  const bool finished = process.waitForFinished(60000);
  if (ok) *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

int pdfPageCount(const QString& path) {
  bool ok = false;
  const QString info = run(QStringLiteral("pdfinfo"), {path}, &ok);
  if (!ok) return -1;
  const QRegularExpressionMatch match =
      QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
          .match(info);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pdfPageText(const QString& path, int page) {
  const QString number = QString::number(page);
  return run(QStringLiteral("pdftotext"),
             {QStringLiteral("-layout"), QStringLiteral("-f"), number, QStringLiteral("-l"), number,
              path, QStringLiteral("-")});
}

bool pdfPageToPng(const QString& path, int page, int dpi, const QString& pngPath) {
  QString base = pngPath;
  base.chop(4);  // pdftoppm adds ".png"
  const QString number = QString::number(page);
  bool ok = false;
  run(QStringLiteral("pdftoppm"),
      {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
       number, QStringLiteral("-l"), number, QStringLiteral("-singlefile"), path, base},
      &ok);
  return ok && QFile::exists(pngPath);
}

}  // namespace orlix::test
