#include "app/convert_data.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "platform/ado/catalog.h"
#include "platform/ado/error.h"
#include "project/data_source.h"
#include "project/project_error.h"

namespace orlix::app {

bool SourceFileExists(const QString& path) { return QFileInfo(path).isFile(); }

QString ParentFolderOf(const QString& path) { return QFileInfo(path).absolutePath(); }

QString BaseNameOf(const QString& path) { return QFileInfo(path).completeBaseName(); }

QString FileNameOf(const QString& path) { return QFileInfo(path).fileName(); }

QString BuildSourceConnection(const QString& path, int format, const QString& table, QString& tableExpression,
                              QWidget* parent) {
  try {
    const project::DataSource source = project::buildSourceConnection(path.toStdString(), format, table.toStdString());
    tableExpression = QString::fromStdString(source.tableExpression);
    return QString::fromStdString(source.connectionString);
  } catch (const project::ProjectError& error) {
    QMessageBox::warning(parent, QStringLiteral("Invalid FileName..."), QString::fromStdString(error.what()));
    tableExpression.clear();
    return {};
  }
}

void FillTableList(const QString& path, int format, QComboBox* combo, QWidget* parent) {
  const QString trimmed = path.trimmed();
  if (trimmed.isEmpty()) return;
  if (!SourceFileExists(trimmed)) {
    QMessageBox::warning(parent, QStringLiteral("Invalid FileName..."),
                         QStringLiteral("The file [") + trimmed + QStringLiteral("] does not seem to ") +
                             QStringLiteral("be a valid filename.") + QStringLiteral("\r\n\r\n") +
                             QStringLiteral("Please select a valid file before continuing..."));
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    const std::string connection =
        project::buildSourceConnection(trimmed.toStdString(), format, std::string()).connectionString;
    ado::Catalog catalog;
    catalog.SetActiveConnection(connection);
    combo->clear();
    for (const std::string& table : catalog.Tables()) combo->addItem(QString::fromStdString(table).trimmed());
    QApplication::restoreOverrideCursor();
  } catch (const std::exception& error) {
    QApplication::restoreOverrideCursor();
    // A damaged or unreadable file: say which file and why, and carry on.
    QMessageBox::warning(parent, QStringLiteral("Data Import"),
                         QStringLiteral("The tables of %1 could not be read.\n\n%2")
                             .arg(trimmed, QString::fromStdString(error.what())));
  }
}

}  // namespace orlix::app

namespace orlix::app {

namespace {

// The value of `key` in a connection string ("" when absent).
QString connectionValue(const QString& connection, const QString& key) {
  for (const QString& part : connection.split(QLatin1Char(';'))) {
    const int equals = part.indexOf(QLatin1Char('='));
    if (equals > 0 && part.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
      return part.mid(equals + 1).trimmed();
  }
  return {};
}

QString withoutBrackets(QString table) {
  if (table.startsWith(QLatin1Char('[')) && table.endsWith(QLatin1Char(']'))) table = table.mid(1, table.size() - 2);
  return table;
}

}  // namespace

QString describeSource(const QString& connection, const QString& table) {
  const QString file = connectionValue(connection, QStringLiteral("Data Source"));
  if (!file.isEmpty()) return file;
  const QString textFolder = connectionValue(connection, QStringLiteral("DBQ"));
  if (!textFolder.isEmpty()) return QDir(textFolder).filePath(withoutBrackets(table));
  const QString dbaseFolder = connectionValue(connection, QStringLiteral("DefaultDir"));
  if (!dbaseFolder.isEmpty()) return QDir(dbaseFolder).filePath(withoutBrackets(table) + QStringLiteral(".dbf"));
  return connection;
}

}  // namespace orlix::app
