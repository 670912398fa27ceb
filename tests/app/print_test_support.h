// What the printing tests share: the tree list a decision map is drawn from,
// a long raw data file, and the PDF files the printouts are read back from.
#pragma once

#include <QString>
#include <memory>

namespace orlix::ado {
class Recordset;
}

namespace orlix::app {
class MdiMain;
}

namespace orlix::app::test {

// A run's tree list of three nodes: the root and its two children.
std::shared_ptr<ado::Recordset> threeNodeTreeList();
// Writes "long.csv" of `rows` numbered records (fields Id, Name, Value) into
// `folder` and makes it the program's raw data source.
void useLongRawData(MdiMain& main, const QString& folder, int rows);
// Every page's text, pdftotext's layout, pages in order.
QString pdfText(const QString& path);

}  // namespace orlix::app::test
