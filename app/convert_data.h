// ConvertData: the data import dialog's procedures on file names and data
// sources. Connection strings and table expressions come from project/, so
// the program and the batch front end reach a file through the same strings.
// Failures are shown to the user as warnings naming the file.
#pragma once

#include <QString>

class QComboBox;
class QWidget;

namespace orlix::app {

bool SourceFileExists(const QString& path);
QString ParentFolderOf(const QString& path);  // absolute
QString BaseNameOf(const QString& path);      // name without its last extension
QString FileNameOf(const QString& path);      // name with extension

// The connection string for `path` in `format` and, through `tableExpression`,
// its table expression. Empty, after a warning, when the file does not exist.
QString BuildSourceConnection(const QString& path, int format, const QString& table, QString& tableExpression,
                              QWidget* parent);

// Fills `combo` with the tables of the file, in catalog order. A missing file
// or a catalog that cannot read the file is reported in a warning.
void FillTableList(const QString& path, int format, QComboBox* combo, QWidget* parent);

}  // namespace orlix::app

namespace orlix::app {

// The file a data source reads, for messages: the Data Source of a Jet or
// SQLite string, the table's file in the folder of a text or dBase string,
// or the connection string itself.
QString describeSource(const QString& connectionString, const QString& tableExpression);

}  // namespace orlix::app
