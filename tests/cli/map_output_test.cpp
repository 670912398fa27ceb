// orlix-cli run --project also writes the decision map file and its picture,
// drawn with no display: both kinds of target, the picture's name and format,
// the orientation, and the options' errors.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QFile>
#include <QXmlStreamReader>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/print_command.h"
#include "cli/run_command.h"
#include "tests/cli/run_in_process.h"
#include "platform/graphon/view/diagram_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orlix::cli {
namespace {

namespace fs = std::filesystem;

using test::readFile;

const std::string kPenguins = test::sampleFile("penguins.csv");

class MapOutputTest : public ::testing::Test {
 protected:
  MapOutputTest() : dir(temp.path()) {
    // Whatever display the machine has, the batch front end draws offscreen.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("DISPLAY", ":99", 1);
  }
  ~MapOutputTest() override {
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("DISPLAY");
  }

  int run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    return testing::runInProcess(args, out, err);
  }
  graphon::view::DiagramFile mapFile() const {
    return graphon::view::readDiagramFile(QString::fromStdString((dir / "project" / "flowdiag.afl").string()));
  }
  std::string property(const graphon::view::DiagramFile& file, const std::string& name) const {
    for (const auto& section : file.sections)
      for (const auto& p : section.properties)
        if (p.name == name) return p.value;
    return "(none)";
  }

  test::TempDir temp{"orlix-map"};
  fs::path dir;
  std::ostringstream out, err;
};

TEST_F(MapOutputTest, ARegressionRunWritesTheMapFileAndAJpegPicture) {
  const fs::path project = dir / "project";
  ASSERT_EQ(run({"--data", kPenguins, "--target", "body_mass_g", "--project", project.string()}), 0) << err.str();
  EXPECT_EQ(err.str(), "");
  const graphon::view::DiagramFile file = mapFile();
  const std::string treeList = readFile(project / "rules.csv");
  const auto rows = std::count(treeList.begin(), treeList.end(), '\n') - 1;
  EXPECT_EQ(static_cast<long>(file.diagram.nodes.size()), rows);
  EXPECT_EQ(static_cast<long>(file.diagram.links.size()), rows - 1);
  EXPECT_EQ(file.diagram.nodes[0].text.rfind("ALL CASES N: 342 Mean: ", 0), 0u);
  EXPECT_EQ(file.diagram.nodes[0].top, 125);
  EXPECT_EQ(property(file, "Orientation"), "0");
  const std::string jpeg = readFile(project / "graphTree.jpg");
  ASSERT_GT(jpeg.size(), 1000u);
  EXPECT_EQ(jpeg.substr(0, 3), "\xFF\xD8\xFF");
  EXPECT_NE(readFile(project / "TreeParms.cfg").find("TreeDisp:\tgraphTree.jpg\r\n"), std::string::npos);
}

TEST_F(MapOutputTest, ACategoryRunTurnedWestWithAnSvgPicture) {
  const fs::path project = dir / "project";
  ASSERT_EQ(run({"--data", kPenguins, "--target", "species", "--project", project.string(), "--map-picture",
                 "species.svg", "--orientation", "3"}),
            0)
      << err.str();
  const graphon::view::DiagramFile file = mapFile();
  EXPECT_EQ(property(file, "Orientation"), "3");
  // West: the root at the left margin, its text the class distribution.
  EXPECT_EQ(file.diagram.nodes[0].left, 125);
  EXPECT_NE(file.diagram.nodes[0].text.find("\r\nDistribution:\r\nAdelie:\t"), std::string::npos);
  for (const auto& node : file.diagram.nodes) EXPECT_GE(node.left, file.diagram.nodes[0].left);
  QFile svg(QString::fromStdString((project / "species.svg").string()));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&svg);
  int texts = 0;
  while (!xml.atEnd()) texts += xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text");
  EXPECT_FALSE(xml.hasError());
  EXPECT_GT(texts, 5);
  EXPECT_NE(readFile(project / "TreeParms.cfg").find("TreeDisp:\tspecies.svg\r\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(project / "graphTree.jpg"));
}

TEST_F(MapOutputTest, BadPictureNamesAndOrientationsFailBeforeTheRun) {
  const fs::path project = dir / "project";
  EXPECT_EQ(run({"--data", kPenguins, "--target", "species", "--project", project.string(), "--map-picture",
                 "map.gif"}),
            1);
  EXPECT_EQ(err.str().rfind("Error from orlix-cli\n--map-picture \"map.gif\" must end in .jpg", 0), 0u) << err.str();
  EXPECT_EQ(out.str(), "");
  EXPECT_FALSE(fs::exists(project));
  EXPECT_EQ(run({"--data", kPenguins, "--target", "species", "--orientation", "4"}), 1);
  EXPECT_NE(err.str().find("--orientation must be 0 to 3"), std::string::npos);
  EXPECT_EQ(run({"--data", kPenguins, "--target", "species", "--orientation", "west"}), 1);
  EXPECT_NE(err.str().find("--orientation needs a whole number"), std::string::npos);
}

TEST_F(MapOutputTest, TheSavedMapPrintsThroughThePrintCommand) {
  const fs::path project = dir / "project";
  ASSERT_EQ(run({"--data", kPenguins, "--target", "body_mass_g", "--project", project.string()}), 0) << err.str();
  const fs::path pdf = dir / "map.pdf";
  setenv("QT_QPA_PLATFORM", "offscreen", 1);  // the print command follows the environment
  std::ostringstream printErr;
  ASSERT_EQ(runPrintCommand({"--project", project.string(), "--pdf", pdf.string(), "--title", "Body mass"}, printErr),
            0)
      << printErr.str();
  const std::string bytes = readFile(pdf);
  EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
  // The map's text is in the PDF as text: its pages carry fonts.
  EXPECT_NE(bytes.find("/Font"), std::string::npos);

  // A damaged map file is refused with its cause, and no PDF is left.
  std::ofstream(project / "flowdiag.afl") << "<diagramfile version='1'><diagram><node/></diagram></diagramfile>";
  fs::remove(pdf);
  EXPECT_EQ(runPrintCommand({"--project", project.string(), "--pdf", pdf.string()}, printErr), 1);
  EXPECT_NE(printErr.str().find("<node> has no attribute \"left\""), std::string::npos) << printErr.str();
  EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(MapOutputTest, WithoutAProjectFolderNoMapIsDrawn) {
  ASSERT_EQ(run({"--data", kPenguins, "--target", "body_mass_g"}), 0) << err.str();
  EXPECT_FALSE(fs::exists("flowdiag.afl"));
  EXPECT_FALSE(fs::exists("graphTree.jpg"));
}

}  // namespace
}  // namespace orlix::cli
