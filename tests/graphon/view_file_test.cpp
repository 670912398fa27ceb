// The diagram file: every property round-trips, the contract other tools
// read (node geometry in whole twips, text, links by 0-based node index),
// and damaged or foreign files are refused with a message naming the cause.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "platform/graphon/diagram_state.h"
#include "platform/graphon/view/diagram_file.h"
#include "platform/graphon/view/diagram_file_error.h"
#include "tests/graphon/view_test_support.h"

namespace orlix::graphon::view {
namespace {

// A diagram whose every property differs from its default somewhere.
DiagramFile unusualFile() {
  Diagram d;
  ItemDefaults defaults;
  defaults.drawColor = 0x123456;
  defaults.fillColor = 0xABCDEF;
  defaults.drawStyle = kLineDashDot;
  defaults.drawWidth = 3;
  defaults.shape = 8;
  defaults.font = Font{"Liberation Serif", 11.5f, true, false, true, false};
  d.setDefaults(defaults);
  d.permissions().canMoveNode = false;
  d.permissions().canFireError = true;
  d.viewOptions().scrollBars = 1;
  d.viewOptions().drawMethod = 2;
  d.setFilterFlag(true);
  testing::threeNodeTree(d);
  Node& root = d.nodes().item(1);
  root.setText("ALL CASES N: 3\r\nDistribution:\r\nA:\t1\t33.33%\r\n\"<&>\" é ✓");
  root.setTipText("tip \x01 text");  // a control character XML cannot hold
  root.setScratchNumber(-7);
  root.setSelected(true);
  root.setFillColor(0x00FF00);
  root.setBorderColor(0x80000005);
  root.setFont(Font{"Arial", 9.25f, false, true, false, true});
  root.setBorderWidth(0);
  root.setBorderStyle(kLineInsideSolid);
  root.setShape(kShapeOctogon);
  root.setIncluded(false);
  root.setFlag49(true);
  Link& link = d.links().item(2);
  link.setColor(0x0000FF);
  link.setSelected(true);
  link.setWidth(5);
  link.setStyle(kLineDot);
  link.setStyleNumber(4);
  link.points().add({1234.5f, -17.25f});
  link.points().add({0.1f, 3e7f});
  link.setIncluded(false);
  d.nodes().item(3).outLinks().add(d.nodes().item(3));  // a loop
  DiagramFile file;
  file.sections = {{"First", {{"A", StoredProperty::Type::Int16, "-1"}, {"B", StoredProperty::Type::Text, "x\ny"}}},
                   {"Second", {}}};
  file.diagram = captureState(d);
  return file;
}

TEST(DiagramFile, EveryPropertyRoundTrips) {
  DiagramFile file = unusualFile();
  const DiagramFile back = parseDiagramFile(diagramFileBytes(file), "test");
  file.diagram.nodes[0].tipText = "tip \xEF\xBF\xBD text";  // the control character became U+FFFD
  EXPECT_EQ(back.sections, file.sections);
  EXPECT_EQ(back.diagram.defaults, file.diagram.defaults);
  EXPECT_EQ(back.diagram.permissions, file.diagram.permissions);
  EXPECT_EQ(back.diagram.viewOptions, file.diagram.viewOptions);
  ASSERT_EQ(back.diagram.nodes.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(back.diagram.nodes[i], file.diagram.nodes[i]) << i;
  ASSERT_EQ(back.diagram.links.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(back.diagram.links[i], file.diagram.links[i]) << i;
  EXPECT_EQ(back, file);

  // Restored into a diagram, captured again: the same state.
  Diagram d;
  restoreState(d, back.diagram);
  EXPECT_EQ(captureState(d), back.diagram);
  EXPECT_EQ(&d.nodes().item(3).outLinks().item(1).destination(), &d.nodes().item(3));
}

TEST(DiagramFile, NodesAndLinksFollowTheContractOtherToolsRead) {
  DiagramFile file;
  Diagram d;
  testing::threeNodeTree(d);
  d.nodes().item(2).setText("two\r\nlines");
  file.diagram = captureState(d);
  QXmlStreamReader xml(diagramFileBytes(file));
  QStringList nodes, links;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto a = xml.attributes();
    if (xml.name() == QLatin1String("node"))
      nodes << QStringList({a.value("left").toString(), a.value("top").toString(), a.value("width").toString(),
                            a.value("height").toString(), a.value("text").toString()})
                   .join(',');
    if (xml.name() == QLatin1String("link")) links << a.value("from").toString() + "->" + a.value("to").toString();
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(nodes, QStringList({"1625,125,2500,1000,Root", "125,1625,2500,1000,two\r\nlines",
                                "3125,1625,2500,1000,Right"}));
  EXPECT_EQ(links, QStringList({"0->1", "0->2"}));
  // Line breaks are character references, so they survive attribute normalisation.
  EXPECT_TRUE(diagramFileBytes(file).contains("two&#13;&#10;lines"));
}

TEST(DiagramFile, AMinimalFileOfAnotherToolReads) {
  const QByteArray text =
      "<diagramfile version='1'><diagram>"
      "<node left='0' top='10' width='100' height='50' text='a'/>"
      "<node left='200' top='10' width='100' height='50' text='b'/>"
      "<link from='0' to='1'/></diagram></diagramfile>";
  const DiagramFile file = parseDiagramFile(text, "minimal");
  ASSERT_EQ(file.diagram.nodes.size(), 2u);
  EXPECT_EQ(file.diagram.nodes[1].left, 200);
  EXPECT_EQ(file.diagram.nodes[1].shape, kShapeEllipse);  // the defaults fill the rest
  ASSERT_EQ(file.diagram.links.size(), 1u);
  EXPECT_EQ(file.diagram.links[0].to, 1);
}

std::string refusal(const QByteArray& bytes) {
  try {
    parseDiagramFile(bytes, "bad.afl");
  } catch (const DiagramFileError& e) {
    return e.what();
  }
  return "accepted";
}

TEST(DiagramFile, DamagedAndForeignFilesAreRefusedWithTheirCause) {
  const QByteArray good = diagramFileBytes(unusualFile());
  struct Case {
    QByteArray bytes;
    std::string cause;
  };
  const Case cases[] = {
      {"", "it is empty"},
      {"<?xml version='1.0'?>", "Premature end of document"},
      {"not xml at all", "line 1"},
      {"<html><body/></html>", "its first element is <html>"},
      {"<diagramfile version='2'><diagram/></diagramfile>", "version 2"},
      {"<diagramfile version='1'></diagramfile>", "no <diagram>"},
      {good.left(good.size() / 2), "line"},
      {"<diagramfile version='1'><diagram><node left='0' top='0' width='1' text='a'/></diagram></diagramfile>",
       "<node> has no attribute \"height\""},
      {"<diagramfile version='1'><diagram><node left='x' top='0' width='1' height='1' text='a'/></diagram></diagramfile>",
       "bad \"left\" value \"x\""},
      {"<diagramfile version='1'><diagram><node left='0' top='0' width='-5' height='1' text='a'/></diagram></diagramfile>",
       "node 0: width must not be negative"},
      {"<diagramfile version='1'><diagram><node left='0' top='0' width='1' height='1' text='a' shape='16'/></diagram></diagramfile>",
       "shape 16 is outside 0..15"},
      {"<diagramfile version='1'><diagram><node left='0' top='0' width='1' height='1' text='a'/><link from='0' to='1'/></diagram></diagramfile>",
       "link 0: its ends 0 and 1 must be node indices 0..0"},
      {"<diagramfile version='1'><diagram><node left='0' top='0' width='1' height='1' text='a' fillColor='red'/></diagram></diagramfile>",
       "bad \"fillColor\" value \"red\""},
      {"<diagramfile version='1'><diagram><picture/></diagram></diagramfile>", "unexpected element <picture>"},
      {"<diagramfile version='1'><diagram>words</diagram></diagramfile>", "text outside any attribute"},
      {"<diagramfile version='1'><properties owner='x'><property name='a' type='blob' value='1'/></properties><diagram/></diagramfile>",
       "unknown type \"blob\""},
  };
  for (const Case& c : cases) {
    const std::string message = refusal(c.bytes);
    EXPECT_NE(message.find("\"bad.afl\""), std::string::npos) << message;
    EXPECT_NE(message.find(c.cause), std::string::npos) << message << "\n  expected: " << c.cause;
  }
}

TEST(DiagramFile, FilesAreWrittenWholeAndMissingOnesNamed) {
  QTemporaryDir dir;
  const QString path = dir.filePath("map.afl");
  const DiagramFile file = unusualFile();
  writeDiagramFile(path, file);
  EXPECT_EQ(readDiagramFile(path).diagram.nodes.size(), 3u);
  try {
    readDiagramFile(dir.filePath("none.afl"));
    FAIL() << "a missing file was read";
  } catch (const DiagramFileError& e) {
    EXPECT_NE(std::string(e.what()).find("none.afl"), std::string::npos);
  }
  EXPECT_THROW(writeDiagramFile(dir.filePath("no/such/folder/map.afl"), file), DiagramFileError);
}

}  // namespace
}  // namespace orlix::graphon::view
