#include "app/grid_printout.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextDocument>
#include <QThread>

namespace orlix::app {

QString tabSeparatedText(const display::GridCells& cells) {
  const int rows = cells.rowCount();
  const int columns = cells.columnCount();
  QString text;
  QStringList line;
  for (int row = 0; row < rows; ++row) {
    line.clear();
    for (int column = 0; column < columns; ++column) line << cells.text(row, column);
    if (row > 0) text += QLatin1Char('\n');
    text += line.join(QLatin1Char('\t'));
  }
  return text;
}

PreviewDocument::~PreviewDocument() = default;

std::shared_ptr<PreviewDocument> makePreviewDocument(const display::GridCells& cells) {
  auto made = std::make_shared<PreviewDocument>();
  made->document = std::make_unique<QTextDocument>();
  made->document->setPlainText(tabSeparatedText(cells));
  // Only the thread an object lives in can hand it on; the window thread
  // then adopts it as a child of the text box.
  made->document->moveToThread(QCoreApplication::instance()->thread());
  return made;
}

}  // namespace orlix::app
