// HelpWindow: the help book beside the program (the folder "orlxhelp", whose
// index.html lists the topics in reading order), shown with a contents list,
// a search box and the chosen topic in a browser.
#pragma once

#include <QList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

namespace orlix::app {

struct HelpTopic {
  QString file;   // relative to the book's folder
  QString title;
};

// The book's topics: index.html first, then the pages it links to, in order.
// Empty when the book has no index.html.
QList<HelpTopic> readHelpContents(const QString& bookFolder);

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow(const QString& bookFolder, QWidget* parent);

  const QList<HelpTopic>& topics() const { return topics_; }
  QTextBrowser* browser() const { return browser_; }
  QListWidget* results() const { return results_; }

 public slots:
  void showContents();
  void showSearch();
  void openTopic(int index);
  // Lists the topics holding every word of `words`, those with most hits first.
  void search(const QString& words);

 private:
  void openResult(int row);
  void highlight(const QString& word);
  void followSource();
  const QStringList& topicTexts();

  QString folder_;
  QList<HelpTopic> topics_;
  QStringList texts_;  // plain text of each topic, read at the first search
  QTabWidget* tabs_;
  QListWidget* contents_;
  QLineEdit* searchBox_;
  QListWidget* results_;
  QTextBrowser* browser_;
  QString searchedWord_;
};

}  // namespace orlix::app
