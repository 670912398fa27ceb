// Pictures of a diagram in each format, read back: the raster's size follows
// the drawing, the SVG parses and keeps its text, the PDF is one page of the
// drawing's size with its text as text.
#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "platform/graphon/view/diagram_bounds.h"
#include "platform/graphon/view/diagram_file_error.h"
#include "platform/graphon/view/diagram_picture.h"
#include "tests/graphon/view_test_support.h"

namespace orlix::graphon::view {
namespace {

class PictureTest : public ::testing::Test {
 protected:
  PictureTest() { testing::threeNodeTree(diagram); }
  // 5500 + 15 twips of drawing and 2 × 120 of margin: 5755 × 2755 twips.
  QString path(const char* name) const { return dir.filePath(name); }

  Diagram diagram;
  QTemporaryDir dir;
};

// Runs a poppler tool; empty when it is not installed.
QString poppler(const QString& tool, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(tool).isEmpty()) return {};
  QProcess process;
  process.start(tool, arguments);
  process.waitForFinished(30000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(PictureTest, RasterPicturesAreSizedToTheDrawingWithAMargin) {
  EXPECT_EQ(pictureArea(diagram).size(), QSizeF(5755, 2755));
  const QImage image = renderImage(diagram);
  EXPECT_EQ(image.size(), QSize(384, 184));  // ceil(5755 / 15), ceil(2755 / 15)
  EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
  PictureOptions clear;
  clear.withBackground = false;
  EXPECT_EQ(renderImage(diagram, clear).pixelColor(1, 1).alpha(), 0);
  PictureOptions fine;
  fine.dpi = 192;
  EXPECT_EQ(renderImage(diagram, fine).size(), QSize(768, 368));

  savePicture(diagram, path("map.png"));
  savePicture(diagram, path("graphTree.jpg"));
  savePicture(diagram, path("map.bmp"));
  savePicture(diagram, path("noextension"));
  for (const char* name : {"map.png", "graphTree.jpg", "map.bmp", "noextension"}) {
    QImageReader reader(path(name));
    EXPECT_EQ(reader.size(), QSize(384, 184)) << name;
  }
  EXPECT_EQ(QImageReader(path("graphTree.jpg")).format(), "jpeg");
  EXPECT_EQ(QImageReader(path("noextension")).format(), "jpeg");
  EXPECT_EQ(QImageReader(path("map.png")).format(), "png");
}

TEST_F(PictureTest, SvgIsVectorWithItsTextKept) {
  savePicture(diagram, path("map.svg"));
  QFile file(path("map.svg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray svg = file.readAll();
  QXmlStreamReader xml(svg);
  QStringList texts;
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
      texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(texts, QStringList({"Root", "Left", "Right"}));
  QSvgRenderer renderer(svg);
  EXPECT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 384, 184));
  EXPECT_EQ(renderSvg(diagram), svg);
}

TEST_F(PictureTest, PdfIsOnePageOfTheDrawingsSizeWithText) {
  savePicture(diagram, path("map.pdf"));
  const QString info = poppler("pdfinfo", {path("map.pdf")});
  if (info.isEmpty()) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
  // 5755 × 2755 twips are 287.75 × 137.75 points; PDF pages are whole points.
  EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+288 x 138 pts"))) << info.toStdString();
  const QString text = poppler("pdftotext", {path("map.pdf"), "-"});
  EXPECT_TRUE(text.contains("Root") && text.contains("Left") && text.contains("Right")) << text.toStdString();
}

TEST_F(PictureTest, UnknownFormatsAndUnwritableFilesAreErrorsThatKeepTheOldFile) {
  EXPECT_EQ(pictureFormatFor("x.JPEG"), PictureFormat::Jpeg);
  EXPECT_EQ(pictureFormatFor("x.Svg"), PictureFormat::Svg);
  EXPECT_EQ(pictureFormatFor("x.gif"), std::nullopt);
  try {
    savePicture(diagram, path("map.gif"));
    FAIL() << "saved a GIF";
  } catch (const DiagramFileError& e) {
    EXPECT_NE(std::string(e.what()).find("map.gif"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find(".svg"), std::string::npos);
  }
  EXPECT_FALSE(QFile::exists(path("map.gif")));
  EXPECT_THROW(savePicture(diagram, path("missing/folder/map.png")), DiagramFileError);
}

}  // namespace
}  // namespace orlix::graphon::view
