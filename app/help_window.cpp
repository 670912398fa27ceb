#include "app/help_window.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "app/action_registry.h"

namespace orlix::app {

namespace {

QString readText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList words(const QString& text) {
  return text.toLower().split(QRegularExpression(QStringLiteral("\\W+")), Qt::SkipEmptyParts);
}

}  // namespace

QList<HelpTopic> readHelpContents(const QString& bookFolder) {
  const QString html = readText(QDir(bookFolder).filePath(QStringLiteral("index.html")));
  if (html.isEmpty()) return {};
  QTextDocument document;
  document.setHtml(html);
  QString title = document.metaInformation(QTextDocument::DocumentTitle);
  QList<HelpTopic> topics{{QStringLiteral("index.html"), title.isEmpty() ? QStringLiteral("Welcome") : title}};
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      const QString href = format.anchorHref();
      if (!format.isAnchor() || href.isEmpty() || href.contains(QLatin1Char(':')) || href.contains(QLatin1Char('#')))
        continue;
      const bool known = std::any_of(topics.cbegin(), topics.cend(), [&](const HelpTopic& t) { return t.file == href; });
      if (!known) topics.append({href, it.fragment().text().trimmed()});
    }
  }
  return topics;
}

HelpWindow::HelpWindow(const QString& bookFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(bookFolder), topics_(readHelpContents(bookFolder)) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QStringLiteral("Orlix Help"));
  setWindowIcon(programIcon(QStringLiteral("help-contents")));

  contents_ = new QListWidget(this);
  contents_->setObjectName(QStringLiteral("lstContents"));
  contents_->setAccessibleName(QStringLiteral("Contents"));
  for (const HelpTopic& topic : topics_) contents_->addItem(topic.title);

  auto* searchPage = new QWidget(this);
  auto* label = new QLabel(QStringLiteral("Type the &words to find:"), searchPage);
  label->setObjectName(QStringLiteral("lblSearch"));
  searchBox_ = new QLineEdit(searchPage);
  searchBox_->setObjectName(QStringLiteral("txtSearch"));
  searchBox_->setAccessibleName(QStringLiteral("Search"));
  searchBox_->setClearButtonEnabled(true);
  label->setBuddy(searchBox_);
  auto* find = new QPushButton(QStringLiteral("List &Topics"), searchPage);
  find->setObjectName(QStringLiteral("cmdListTopics"));
  results_ = new QListWidget(searchPage);
  results_->setObjectName(QStringLiteral("lstResults"));
  results_->setAccessibleName(QStringLiteral("Topics found"));
  auto* searchLayout = new QVBoxLayout(searchPage);
  searchLayout->addWidget(label);
  auto* row = new QHBoxLayout;
  row->addWidget(searchBox_, 1);
  row->addWidget(find);
  searchLayout->addLayout(row);
  searchLayout->addWidget(results_, 1);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabHelp"));
  tabs_->setAccessibleName(QStringLiteral("Help navigation"));
  tabs_->addTab(contents_, QStringLiteral("&Contents"));
  tabs_->addTab(searchPage, QStringLiteral("&Search"));

  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("brwTopic"));
  browser_->setAccessibleName(QStringLiteral("Help topic"));
  browser_->setSearchPaths({folder_});
  browser_->setOpenExternalLinks(true);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(tabs_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({240, 660});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(splitter);
  resize(940, 640);

  connect(contents_, &QListWidget::currentRowChanged, this, &HelpWindow::openTopic);
  connect(searchBox_, &QLineEdit::returnPressed, this, [this] { search(searchBox_->text()); });
  connect(find, &QPushButton::clicked, this, [this] { search(searchBox_->text()); });
  connect(results_, &QListWidget::currentRowChanged, this, &HelpWindow::openResult);
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::followSource);

  if (topics_.isEmpty())
    browser_->setHtml(QStringLiteral("<h2>The help book was not found</h2><p>Orlix looks for it in <tt>%1</tt>.</p>")
                          .arg(folder_.toHtmlEscaped()));
  else
    contents_->setCurrentRow(0);
}

void HelpWindow::showContents() {
  tabs_->setCurrentIndex(0);
  contents_->setFocus();
}

void HelpWindow::showSearch() {
  tabs_->setCurrentIndex(1);
  searchBox_->setFocus();
  searchBox_->selectAll();
}

void HelpWindow::openTopic(int index) {
  if (index < 0 || index >= topics_.size()) return;
  browser_->setSource(QUrl::fromLocalFile(QDir(folder_).filePath(topics_[index].file)));
  browser_->setExtraSelections({});
  const QSignalBlocker quiet(contents_);
  contents_->setCurrentRow(index);
}

const QStringList& HelpWindow::topicTexts() {
  if (texts_.isEmpty()) {
    for (const HelpTopic& topic : topics_) {
      QTextDocument document;
      document.setHtml(readText(QDir(folder_).filePath(topic.file)));
      texts_.append(document.toPlainText().toLower());
    }
  }
  return texts_;
}

void HelpWindow::search(const QString& text) {
  results_->clear();
  const QStringList wanted = words(text);
  searchedWord_ = wanted.isEmpty() ? QString() : wanted.constFirst();
  if (wanted.isEmpty()) return;
  QList<std::pair<int, int>> found;  // hits, topic
  for (int t = 0; t < topicTexts().size(); ++t) {
    int hits = 0;
    bool all = true;
    for (const QString& word : wanted) {
      const int count = static_cast<int>(topicTexts()[t].count(word));
      all = all && count > 0;
      hits += count;
    }
    if (all) found.append({hits, t});
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& [hits, topic] : found) {
    auto* item = new QListWidgetItem(topics_[topic].title, results_);
    item->setData(Qt::UserRole, topic);
  }
  if (found.isEmpty()) results_->addItem(QStringLiteral("No topic holds these words."));
}

void HelpWindow::openResult(int row) {
  const QListWidgetItem* item = results_->item(row);
  if (!item || !item->data(Qt::UserRole).isValid()) return;
  openTopic(item->data(Qt::UserRole).toInt());
  highlight(searchedWord_);
}

void HelpWindow::highlight(const QString& word) {
  QList<QTextEdit::ExtraSelection> marks;
  QTextCursor cursor(browser_->document());
  while (!word.isEmpty() && !(cursor = browser_->document()->find(word, cursor)).isNull()) {
    QTextEdit::ExtraSelection mark;
    mark.cursor = cursor;
    mark.format.setBackground(QColor(255, 230, 120));
    marks.append(mark);
  }
  browser_->setExtraSelections(marks);
  if (!marks.isEmpty()) browser_->setTextCursor(marks.constFirst().cursor);
}

void HelpWindow::followSource() {
  // A link followed inside the book: the contents follow it.
  const QString file = QDir(folder_).relativeFilePath(browser_->source().toLocalFile());
  for (int i = 0; i < topics_.size(); ++i) {
    if (topics_[i].file != file) continue;
    const QSignalBlocker quiet(contents_);
    contents_->setCurrentRow(i);
  }
}

}  // namespace orlix::app
