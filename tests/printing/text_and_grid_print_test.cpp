// Printing rich texts and grids into PDF files read back with poppler; the
// record-set text viewer. The printed grid and scoring code are kept as
// pictures in docs/screenshots.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardItemModel>
#include <QTextDocument>
#include <QTextEdit>

#include "diagramprint/control_error.h"
#include "diagramprint/printer_access.h"
#include "display/printing/frm_preview.h"
#include "display/printing/grid_print.h"
#include "display/printing/recordset_text.h"
#include "display/printing/rich_text_print.h"
#include "platform/ado/recordset.h"
#include "tests/diagramprint/support/pdf_text.h"

namespace orlix::display {
namespace {

using test::pdfPageCount;
using test::pdfPageText;

QString outputPath(const QString& name) { return QDir::current().absoluteFilePath(name); }

std::unique_ptr<QPrinter> pdfPrinter(const QString& name) {
  return diagramprint::letterPaper(diagramprint::OrientPortrait, outputPath(name));
}

QString lines(int count) {
  QStringList text;
  for (int i = 1; i <= count; ++i) text << QStringLiteral("Line %1 of the text").arg(i);
  return text.join(QLatin1Char('\n'));
}

// A scoring code text of the kind the scoring code window holds.
const char* const kScoringCode =
    "/* Scoring code for the decision map: target body_mass_g */\n"
    "IF flipper_length_mm <= 206.5 THEN DO;\n"
    "   IF sex = 'female' THEN DO;\n"
    "      SEGMENT = 1;  /* N = 107, Mean = 3419.1589 */\n"
    "   END;\n"
    "   ELSE DO;\n"
    "      SEGMENT = 2;  /* N = 109, Mean = 3998.3945 */\n"
    "   END;\n"
    "END;\n"
    "ELSE DO;\n"
    "   IF sex = 'female' THEN DO;\n"
    "      SEGMENT = 3;  /* N = 58, Mean = 4679.7414 */\n"
    "   END;\n"
    "   ELSE DO;\n"
    "      SEGMENT = 4;  /* N = 61, Mean = 5484.8361 */\n"
    "   END;\n"
    "END;\n";

TEST(RichTextPrintTest, ATextThatFitsPrintsOnePageAndNoBlankOne) {
  auto printer = pdfPrinter(QStringLiteral("short.pdf"));
  QTextDocument document(lines(20));
  EXPECT_EQ(printRichText(document, *printer, {1440, 1440, 1440, 1440}, QStringLiteral("Short")), 1);
  EXPECT_EQ(pdfPageCount(printer->outputFileName()), 1);
  EXPECT_TRUE(pdfPageText(printer->outputFileName(), 1).contains(QStringLiteral("Line 20 of the text")));
}

TEST(RichTextPrintTest, ALongTextRunsOnWithoutLosingALine) {
  auto printer = pdfPrinter(QStringLiteral("long.pdf"));
  QTextDocument document(lines(200));
  const int pages = printRichText(document, *printer, {1440, 1440, 1440, 1440});
  ASSERT_GT(pages, 2);
  ASSERT_EQ(pdfPageCount(printer->outputFileName()), pages);
  QString all;
  for (int page = 1; page <= pages; ++page) all += pdfPageText(printer->outputFileName(), page);
  for (int i = 1; i <= 200; ++i)
    EXPECT_TRUE(all.contains(QStringLiteral("Line %1 of the text\n").arg(i))) << i;
}

TEST(RichTextPrintTest, WindowTextIsTrimmedAndEmptyTextPrintsNothing) {
  auto printer = pdfPrinter(QStringLiteral("empty.pdf"));
  EXPECT_EQ(printWindowText(QStringLiteral("  \n\t "), QFont(QStringLiteral("Arial"), 10), *printer,
                            QStringLiteral("Rules")),
            0);
  EXPECT_FALSE(QFile::exists(printer->outputFileName()));
}

TEST(RichTextPrintTest, TheScoringCodePrintsAsTheWindowShowsIt) {
  auto printer = pdfPrinter(QStringLiteral("scoring-code.pdf"));
  ASSERT_EQ(printWindowText(QString::fromLatin1(kScoringCode), QFont(QStringLiteral("Arial"), 10),
                            *printer, QStringLiteral("Scoring Code")),
            1);
  const QString text = pdfPageText(printer->outputFileName(), 1);
  EXPECT_TRUE(text.contains(QStringLiteral("SEGMENT = 4;")));
  const QString png = QStringLiteral(ORLIX_SCREENSHOTS_DIR "/printed-scoring-code.png");
  QDir().mkpath(QStringLiteral(ORLIX_SCREENSHOTS_DIR));
  EXPECT_TRUE(test::pdfPageToPng(printer->outputFileName(), 1, 60, png));
}

TEST(RichTextPrintTest, TheRecordSetViewerShowsTabSeparatedRowsAndPrintsThem) {
  ado::Recordset rs;
  rs.Fields().Append("Segment", ado::adInteger);
  rs.Fields().Append("Rule", ado::adBSTR, 256);
  rs.Fields().Append("Mean", ado::adDouble);
  rs.Open();
  const struct {
    int segment;
    const char* rule;
    double mean;
  } rows[] = {{1, "flipper_length_mm <= 206.5", 3419.25}, {2, "sex = 'male'", 0.5}};
  for (const auto& row : rows) {
    rs.AddNew();
    rs.Fields().Item(0L).SetValue(com::Variant(row.segment));
    rs.Fields().Item(1L).SetValue(com::Variant(std::string(row.rule)));
    rs.Fields().Item(2L).SetValue(com::Variant(row.mean));
    rs.Update();
  }
  rs.AddNew();
  rs.Fields().Item(0L).SetValue(com::Variant(3));
  rs.Fields().Item(2L).SetValue(com::Variant::null());
  rs.Update();
  rs.MoveFirst();
  rs.MoveNext();
  const QString expected = QStringLiteral(
      "Segment\tRule\tMean\n1\tflipper_length_mm <= 206.5\t3419.25\n2\tsex = 'male'\t0.5\n3\t\t");
  EXPECT_EQ(recordsetText(rs), expected);
  EXPECT_EQ(rs.AbsolutePosition(), 2) << "the caller's record stays current";
  frmPreview form(&rs);
  EXPECT_EQ(form.RichTextBox1()->toPlainText(), expected);
  auto printer = pdfPrinter(QStringLiteral("recordset.pdf"));
  EXPECT_EQ(form.PrintFunction(*printer), 1);
  EXPECT_TRUE(pdfPageText(printer->outputFileName(), 1).contains(QStringLiteral("3419.25")));

  ado::Recordset closed;
  EXPECT_EQ(recordsetText(closed), QString());
}

// The descriptives of a small table, as the descriptives window's grid holds them.
class DescriptivesCells : public GridCells {
 public:
  int rowCount() const override { return rows_; }
  int columnCount() const override { return 5; }
  QString text(int row, int column) const override {
    static const char* const heading[] = {"Variable", "Type", "N", "Mean", "SD"};
    static const char* const names[] = {"bill_length_mm", "bill_depth_mm", "flipper_length_mm",
                                        "body_mass_g", "sex"};
    if (row == 0) return QString::fromLatin1(heading[column]);
    switch (column) {
      case 0: return QString::fromLatin1(names[(row - 1) % 5]) + (row > 5 ? QString::number(row) : QString());
      case 1: return (row - 1) % 5 == 4 ? QStringLiteral("Character") : QStringLiteral("Numeric");
      case 2: return QStringLiteral(" %1 ").arg(333 + row);  // trimmed when printed
      case 3: return QString::number(40.5 + row * 1.25);
      default: return QString::number(5.25 + row * 0.5);
    }
  }
  int rows_ = 6;
};

TEST(GridPrintTest, EveryCellPrintsAtItsColumnOnItsLine) {
  auto printer = pdfPrinter(QStringLiteral("grid.pdf"));
  DescriptivesCells cells;
  EXPECT_EQ(printGrid(cells, *printer, QStringLiteral("Descriptives")), 1);
  const QString text = pdfPageText(printer->outputFileName(), 1);
  const QStringList printed = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_GE(printed.size(), 6);
  EXPECT_TRUE(printed[0].simplified() == QStringLiteral("Variable Type N Mean SD")) << printed[0].toStdString();
  EXPECT_TRUE(printed[3].simplified().startsWith(QStringLiteral("flipper_length_mm Numeric 336")))
      << printed[3].toStdString();
  // Each column starts at its own place: the heading's words line up with the values.
  EXPECT_EQ(printed[0].indexOf(QStringLiteral("Mean")), printed[1].indexOf(QStringLiteral("41.75")));
  const QString png = QStringLiteral(ORLIX_SCREENSHOTS_DIR "/printed-grid.png");
  QDir().mkpath(QStringLiteral(ORLIX_SCREENSHOTS_DIR));
  EXPECT_TRUE(test::pdfPageToPng(printer->outputFileName(), 1, 60, png));
}

TEST(GridPrintTest, ANewPageStartsBeforeTheFoot) {
  auto printer = pdfPrinter(QStringLiteral("long-grid.pdf"));
  DescriptivesCells cells;
  cells.rows_ = 200;
  const int pages = printGrid(cells, *printer, QStringLiteral("Raw data"));
  // Lines of Arial 10 (about 0.16 inch) on 11 inches less 600 twips.
  EXPECT_GE(pages, 3);
  ASSERT_EQ(pdfPageCount(printer->outputFileName()), pages);
  QString all;
  for (int page = 1; page <= pages; ++page) all += pdfPageText(printer->outputFileName(), page);
  EXPECT_EQ(all.count(QStringLiteral("Numeric")) + all.count(QStringLiteral("Character")), 199)
      << "every row but the heading";
}

TEST(GridPrintTest, AModelPrintsWithItsHeadingAndCancellingPrintsNothing) {
  QStandardItemModel model(2, 2);
  model.setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
  model.setItem(0, 0, new QStandardItem(QStringLiteral("alpha")));
  model.setItem(1, 1, new QStandardItem(QStringLiteral("42")));
  const ModelGridCells cells(model);
  EXPECT_EQ(cells.rowCount(), 3);
  EXPECT_EQ(cells.text(0, 1), QStringLiteral("Value"));
  EXPECT_EQ(cells.text(1, 0), QStringLiteral("alpha"));
  EXPECT_EQ(cells.text(2, 1), QStringLiteral("42"));
  auto printer = pdfPrinter(QStringLiteral("cancelled.pdf"));
  int calls = 0;
  EXPECT_EQ(printGrid(cells, *printer, QString(), [&](int done, int total) {
              ++calls;
              EXPECT_EQ(total, 3);
              return done < 2;
            }),
            0);
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(QFile::exists(printer->outputFileName()));
}

TEST(GridPrintTest, AJobThatCannotStartIsReported) {
  auto printer = diagramprint::letterPaper(diagramprint::OrientPortrait,
                                           outputPath(QStringLiteral("missing/grid.pdf")));
  DescriptivesCells cells;
  EXPECT_THROW(printGrid(cells, *printer, QStringLiteral("Grid")), diagramprint::ControlError);
}

}  // namespace
}  // namespace orlix::display
