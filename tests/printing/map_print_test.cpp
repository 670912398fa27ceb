// The map's Print and Print Preview commands on the preview form, and
// `orlix-cli print` with a map handed in place of the project's file.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <fstream>
#include <sstream>

#include "cli/print_command.h"
#include "diagramprint/map_print_setup.h"
#include "diagramprint/pagrix_ctrl.h"
#include "display/printing/dlg_print_preview.h"
#include "display/printing/map_print_command.h"
#include "tests/diagramprint/support/fake_diagram.h"
#include "tests/diagramprint/support/pdf_text.h"

namespace orlix {
namespace {

using test::FakeDiagram;

QString outputPath(const QString& name) { return QDir::current().absoluteFilePath(name); }

TEST(MapPrintCommandTest, PrintUsesTheHiddenFormsControl) {
  FakeDiagram diagram = FakeDiagram::grid(21, 7);
  display::dlgPrintPreview form;
  diagramprint::PagrixCtrl& ctrl = form.printControl();
  ctrl.SetOutputFileName(outputPath(QStringLiteral("printed-map.pdf")));
  display::runMapPrint(form, &diagram, QString(), QDate(2027, 1, 31), false);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(ctrl.Header(), QStringLiteral("31-Jan-2027||"));
  EXPECT_EQ(ctrl.Footer(), QStringLiteral("|- Page <PAGE> -|"));
  EXPECT_EQ(ctrl.PageBorder(), 8);
  EXPECT_EQ(ctrl.ForeColor(), QColor(0, 0, 255));
  EXPECT_EQ(ctrl.DocName(), QString());
  const int pages = test::pdfPageCount(ctrl.printerSelection().pdfFile);
  EXPECT_EQ(pages, ctrl.PageCount());
  EXPECT_TRUE(test::pdfPageText(ctrl.printerSelection().pdfFile, pages).contains(QStringLiteral("31-Jan-2027")));
}

TEST(MapPrintCommandTest, PreviewFillsThePageList) {
  FakeDiagram diagram = FakeDiagram::grid(3, 3);
  display::dlgPrintPreview form;
  display::runMapPrint(form, &diagram, QStringLiteral("Small"), QDate(2027, 1, 31), true);
  EXPECT_TRUE(form.printControl().Preview());
  EXPECT_EQ(form.printControl().DocName(), QStringLiteral("Small"));
  EXPECT_EQ(form.printControl().PageCount(), 1);
}

TEST(MapPrintCommandTest, TheHeaderDateIsEnglishInAnyLocale) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(diagramprint::headerDate(QDate(2026, 3, 9)), QStringLiteral("09-Mar-2026"));
  EXPECT_EQ(diagramprint::mapHeader(QDate(2026, 12, 8), QStringLiteral("T")), QStringLiteral("08-Dec-2026||T"));
  QLocale::setDefault(QLocale::c());
}

// A project folder for the command line; the map comes from the test.
class CliPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    project = QDir::current().absoluteFilePath(QStringLiteral("project")).toStdString();
    std::filesystem::create_directories(project);
    std::ofstream(project / "flowdiag.afl") << "<map/>";
    pdf = QDir::current().absoluteFilePath(QStringLiteral("cli-map.pdf")).toStdString();
    std::filesystem::remove(pdf);
  }

  int run(std::vector<std::string> args, cli::MapLoader loader) {
    err.str({});
    return cli::runPrintCommand(args, err, loader);
  }

  static cli::MapLoader fakeMap(int boxes, int perRow, std::vector<std::filesystem::path>* asked = nullptr) {
    return [=](const std::filesystem::path& dir) -> std::unique_ptr<diagramprint::PrintMessageTarget> {
      if (asked) asked->push_back(dir);
      return std::make_unique<FakeDiagram>(FakeDiagram::grid(boxes, perRow));
    };
  }

  std::filesystem::path project;
  std::string pdf;
  std::ostringstream err;
};

TEST_F(CliPrintTest, OptionsAreReadAndCheckedByName) {
  const cli::PrintOptions options = cli::parsePrintOptions(
      {"--project", "p", "--pdf", "o.pdf", "--title", "T", "--fit", "--landscape", "--zoom", "50"});
  EXPECT_EQ(options.project, "p");
  EXPECT_EQ(options.pdf, "o.pdf");
  EXPECT_EQ(options.title, "T");
  EXPECT_TRUE(options.fit);
  EXPECT_TRUE(options.landscape);
  EXPECT_EQ(options.zoom, 50);
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--pdf", "o.pdf"}, {"--project", "p"}, {"--project"},
        {"--project", "p", "--pdf", "o", "--zoom", "5"}, {"--project", "p", "--pdf", "o", "--zoom", "1e2"},
        {"--project", "p", "--pdf", "o", "--colour"}})
    EXPECT_THROW(cli::parsePrintOptions(bad), cli::CliFailure);
}

TEST_F(CliPrintTest, TheMapPrintsWithDateTitleAndPageNumbers) {
  std::vector<std::filesystem::path> asked;
  ASSERT_EQ(run({"--project", project.string(), "--pdf", pdf, "--title", "Penguin mass"},
                fakeMap(21, 7, &asked)),
            0)
      << err.str();
  EXPECT_EQ(asked, std::vector<std::filesystem::path>{project});
  const QString file = QString::fromStdString(pdf);
  const int pages = test::pdfPageCount(file);
  EXPECT_EQ(pages, 2) << "21 boxes seven to a row: two pages across at 100 %";
  const QString today = diagramprint::headerDate(QDate::currentDate());
  for (int page = 1; page <= pages; ++page) {
    const QString text = test::pdfPageText(file, page);
    EXPECT_TRUE(text.contains(today)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Penguin mass")));
    EXPECT_TRUE(text.contains(QStringLiteral("- Page %1 -").arg(page)));
  }
}

TEST_F(CliPrintTest, FitLandscapeAndZoomChangeThePages) {
  ASSERT_EQ(run({"--project", project.string(), "--pdf", pdf, "--fit"}, fakeMap(60, 12)), 0) << err.str();
  EXPECT_EQ(test::pdfPageCount(QString::fromStdString(pdf)), 1);
  ASSERT_EQ(run({"--project", project.string(), "--pdf", pdf}, fakeMap(60, 12)), 0);
  const int portrait = test::pdfPageCount(QString::fromStdString(pdf));
  ASSERT_EQ(run({"--project", project.string(), "--pdf", pdf, "--zoom", "25"}, fakeMap(60, 12)), 0);
  EXPECT_EQ(test::pdfPageCount(QString::fromStdString(pdf)), 1);
  ASSERT_EQ(run({"--project", project.string(), "--pdf", pdf, "--landscape"}, fakeMap(60, 12)), 0);
  EXPECT_LT(test::pdfPageCount(QString::fromStdString(pdf)), portrait);
}

TEST_F(CliPrintTest, AMissingProjectFailsWithoutAFile) {
  EXPECT_EQ(run({"--project", (project / "nowhere").string(), "--pdf", pdf}, cli::loadProjectMap), 1);
  EXPECT_EQ(err.str().rfind("Error from orlix-cli\n", 0), 0u) << err.str();
  EXPECT_NE(err.str().find("does not exist"), std::string::npos);
  EXPECT_NE(err.str().find("HRESULT: "), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(pdf));

  std::filesystem::remove(project / "flowdiag.afl");
  EXPECT_EQ(run({"--project", project.string(), "--pdf", pdf}, cli::loadProjectMap), 1);
  EXPECT_NE(err.str().find("flowdiag.afl"), std::string::npos) << err.str();
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(CliPrintTest, APdfThatCannotBeWrittenFailsWithThePrintersError) {
  EXPECT_EQ(run({"--project", project.string(), "--pdf", (project / "no" / "map.pdf").string()},
                fakeMap(3, 3)),
            1);
  EXPECT_EQ(err.str().rfind("Error from PAGRIX.PagrixCtrl.1\n", 0), 0u) << err.str();
  EXPECT_NE(err.str().find("HRESULT: 800A01E2"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace orlix
