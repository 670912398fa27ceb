// The help book with its contents and search, and the About window.
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextBrowser>

#include "app/frm_about.h"
#include "app/help_window.h"
#include "tests/app/app_test_support.h"

namespace orlix::app::test {
namespace {

using HelpTest = AppTest;

const QString kBook = QStringLiteral(ORLIX_APP_RESOURCES "/orlxhelp");

TEST_F(HelpTest, TheContentsListEveryTopicOfTheBookInOrder) {
  const QList<HelpTopic> topics = readHelpContents(kBook);
  ASSERT_GE(topics.size(), 10);
  EXPECT_EQ(topics[0].file, QStringLiteral("index.html"));
  EXPECT_EQ(topics[0].title, QStringLiteral("Orlix Help"));
  EXPECT_EQ(topics[1].title, QStringLiteral("A first analysis"));
  QStringList files;
  for (const HelpTopic& topic : topics) {
    files << topic.file;
    EXPECT_TRUE(QFile::exists(kBook + QLatin1Char('/') + topic.file)) << topic.file.toStdString();
  }
  for (const char* needed : {"choosing-data.html", "tree-options.html", "reading-results.html", "scoring-code.html",
                             "decision-map.html", "project-folders.html", "batch.html"})
    EXPECT_TRUE(files.contains(QString::fromLatin1(needed))) << needed;

  HelpWindow help(kBook, nullptr);
  const int batch = static_cast<int>(files.indexOf(QStringLiteral("batch.html")));
  help.openTopic(batch);
  EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("orlix-cli run --data FILE")));
  EXPECT_EQ(help.findChild<QListWidget*>(QStringLiteral("lstContents"))->currentRow(), batch);
}

TEST_F(HelpTest, SearchListsTheTopicsHoldingEveryWord) {
  HelpWindow help(kBook, nullptr);
  help.search(QStringLiteral("scoring -999"));
  ASSERT_GT(help.results()->count(), 0);
  EXPECT_EQ(help.results()->item(0)->text(), QStringLiteral("The scoring code"));
  help.results()->setCurrentRow(0);
  EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("SEGMENT = -999")));
  EXPECT_FALSE(help.browser()->extraSelections().isEmpty());  // the word is marked

  help.search(QStringLiteral("xylophone"));
  ASSERT_EQ(help.results()->count(), 1);
  EXPECT_EQ(help.results()->item(0)->text(), QStringLiteral("No topic holds these words."));
}

TEST_F(HelpTest, AMissingBookSaysWhereItWasLookedFor) {
  HelpWindow help(QStringLiteral("/no/such/book"), nullptr);
  EXPECT_TRUE(help.topics().isEmpty());
  EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("/no/such/book")));
}

TEST_F(HelpTest, AboutShowsTheTitleAndVersionAndExplainsAMissingSystemInformationTool) {
  FrmAbout about(nullptr);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About Wendmoor Decision Trees"));
  EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Wendmoor Decision Trees"));
  EXPECT_TRUE(about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text().startsWith(QStringLiteral("Version ")));
  for (const QString& tool : systemInfoTools())
    if (!QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << tool.toStdString() << " is installed";
  ModalWatcher watcher;
  about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
  ASSERT_EQ(watcher.messages().size(), 1u);
  EXPECT_EQ(watcher.messages()[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
}

}  // namespace
}  // namespace orlix::app::test
