#include "tests/app/print_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <vector>

#include "app/app_state.h"
#include "app/mdi_main.h"
#include "platform/ado/recordset.h"
#include "tests/diagramprint/support/pdf_text.h"

namespace orlix::app::test {

std::shared_ptr<ado::Recordset> threeNodeTreeList() {
  auto treeList = std::make_shared<ado::Recordset>();
  for (const char* name : {"ID", "Name", "Rule", "N"}) {
    const bool text = qstrcmp(name, "Name") == 0 || qstrcmp(name, "Rule") == 0;
    treeList->Fields().Append(name, text ? ado::adBSTR : ado::adInteger, text ? 256 : 10);
  }
  for (const char* name : {"Mean", "SD", "Min", "Max"}) treeList->Fields().Append(name, ado::adDouble, 12);
  for (const char* name : {"Parent", "LeftChild", "RightChild"}) treeList->Fields().Append(name, ado::adInteger, 10);
  treeList->Open();
  const std::vector<std::vector<com::Variant>> rows{
      {1, "root", "ALL CASES", 30, 5.0, 1.0, 1.0, 9.0, 0, 2, 3},
      {2, "root_L", "AGE <= 35.000000", 12, 3.0, 1.0, 1.0, 5.0, 1, 0, 0},
      {3, "root_R", "AGE >  35.000000", 18, 7.0, 1.0, 4.0, 9.0, 1, 0, 0}};
  for (const auto& row : rows) {
    treeList->AddNew();
    for (size_t c = 0; c < row.size(); ++c) treeList->Fields().Item(static_cast<long>(c)).SetValue(row[c]);
    treeList->Update();
  }
  return treeList;
}

void useLongRawData(MdiMain& main, const QString& folder, int rows) {
  QFile file(QDir(folder).filePath(QStringLiteral("long.csv")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QTextStream out(&file);
  out << "Id,Name,Value\n";
  for (int row = 1; row <= rows; ++row) out << row << ",name" << row << ',' << row % 97 << '\n';
  file.close();
  const std::string dir = QDir(folder).absolutePath().toStdString();
  main.state().gSourceTable = "[long.csv]";
  main.state().gConnectString =
      "Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" + dir + ";DefaultDir=" + dir + ";Uid=Admin;Pwd=;";
}

QString pdfText(const QString& path) {
  QString text;
  const int pages = orlix::test::pdfPageCount(path);
  for (int page = 1; page <= pages; ++page) text += orlix::test::pdfPageText(path, page);
  return text;
}

}  // namespace orlix::app::test
