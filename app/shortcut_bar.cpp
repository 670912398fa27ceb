#include "app/shortcut_bar.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/action_registry.h"
#include "app/twips.h"

namespace orlix::app {

namespace {

// Index order; captions keep the spelling the program has always shown.
struct ButtonEntry {
  const char* tip;
  const char* caption;
  const char* icon;
};
const ButtonEntry kButtons[] = {
    {"Descriptive Data", "Descirptive Data", "descriptives"},
    {"Raw Data", "Raw Data", "raw-data"},
    {"Tree Rules", "Terminal Nodes", "terminal-nodes"},
    {"Decision Tree", "Decision Tree", "decision-tree"},
    {"Tree Code", "Scoring Code", "scoring-code"},
    {"List Tree Nodes", "Tree Nodes", "tree-nodes"},
    {"Tree Options", "Tree Options", "tree-options"},
};

constexpr int kBarWidth = 1095;
constexpr int kImageSize = 480;
constexpr int kImageLeft = 240;
constexpr int kCaptionWidth = 975;
constexpr int kCaptionHeight = 495;
constexpr int kCaptionDrop = 500;
constexpr int kGapAbove = 100;
constexpr int kGapBelow = 20;

QPushButton* arrowButton(const char* name, const QString& icon, QWidget* parent) {
  auto* button = new QPushButton(programIcon(icon), QString(), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(QString::fromLatin1(name));
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRepeat(true);
  return button;
}

}  // namespace

ShortCutBar::ShortCutBar(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("Picture1"));
  setAccessibleName(QStringLiteral("Short Cuts"));
  setFrameShape(QFrame::StyledPanel);
  setFixedWidth(twipsToPixels(kBarWidth, this));
  setBackgroundRole(QPalette::Mid);
  setAutoFillBackground(true);

  header_ = new QPushButton(QStringLiteral("Short Cuts"), this);
  header_->setObjectName(QStringLiteral("cmdShortCuts"));
  header_->setFocusPolicy(Qt::NoFocus);
  viewport_ = new QWidget(this);
  content_ = new QWidget(viewport_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(header_);
  layout->addWidget(viewport_, 1);

  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  for (int i = 0; i < 7; ++i) {
    const ButtonEntry& entry = kButtons[i];
    auto* image = new QToolButton(content_);
    image->setObjectName(QStringLiteral("imgButton_%1").arg(i + 1));
    image->setAutoRaise(true);
    image->setIcon(programIcon(QString::fromLatin1(entry.icon)));
    image->setToolTip(QString::fromLatin1(entry.tip));
    image->setAccessibleName(QString::fromLatin1(entry.caption));
    image->setAccessibleDescription(QString::fromLatin1(entry.tip));
    image->setFocusPolicy(Qt::NoFocus);
    connect(image, &QToolButton::clicked, this, [this, i] { emit buttonClicked(i + 1); });
    auto* caption = new QLabel(QString::fromLatin1(entry.caption), content_);
    caption->setObjectName(QStringLiteral("lblTool_%1").arg(i + 1));
    caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    caption->setWordWrap(true);
    caption->setFont(small);
    caption->setForegroundRole(QPalette::BrightText);
    caption->installEventFilter(this);
    buttons_.append(image);
    captions_.append(caption);
  }
  up_ = arrowButton("cmdUp", QStringLiteral("go-up"), viewport_);
  down_ = arrowButton("cmdDown", QStringLiteral("go-down"), viewport_);
  connect(up_, &QPushButton::clicked, this, &ShortCutBar::scrollUp);
  connect(down_, &QPushButton::clicked, this, &ShortCutBar::scrollDown);
  layoutButtons();
}

void ShortCutBar::showAllButtons() {
  for (int i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->setVisible(true);
    captions_[i]->setVisible(true);
  }
  layoutButtons();
}

void ShortCutBar::layoutButtons() {
  const auto px = [this](int twips) { return twipsToPixels(twips, this); };
  const int arrowHeight = up_->sizeHint().height();
  const int width = px(kBarWidth) - 2 * frameWidth();
  up_->setFixedHeight(arrowHeight);
  down_->setFixedHeight(arrowHeight);
  const int imageSize = px(kImageSize);
  for (QToolButton* image : buttons_) image->setIconSize(QSize(imageSize, imageSize) * 4 / 5);

  int y = arrowHeight;
  for (int i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->isHidden()) continue;
    y += px(kGapAbove);
    buttons_[i]->setGeometry(px(kImageLeft), y, imageSize, imageSize);
    captions_[i]->setGeometry(0, y + px(kCaptionDrop), px(kCaptionWidth), px(kCaptionHeight));
    y += imageSize + px(kCaptionHeight) + px(kGapBelow);
  }
  contentHeight_ = y;
  content_->resize(width, y);
  placeStrip();
}

int ShortCutBar::stepPixels() const { return twipsToPixels(kGapAbove + kImageSize + kCaptionHeight + kGapBelow, this); }

int ShortCutBar::maxOffset() const {
  return qMax(0, contentHeight_ + down_->height() - viewport_->height());
}

void ShortCutBar::placeStrip() {
  offset_ = qBound(0, offset_, maxOffset());
  content_->move(0, -offset_);
  const bool scrolls = maxOffset() > 0;
  up_->setGeometry(0, 0, viewport_->width(), up_->height());
  down_->setGeometry(0, viewport_->height() - down_->height(), viewport_->width(), down_->height());
  up_->setVisible(scrolls);
  down_->setVisible(scrolls);
  up_->setEnabled(offset_ > 0);
  down_->setEnabled(offset_ < maxOffset());
  up_->raise();
  down_->raise();
}

void ShortCutBar::scrollUp() {
  offset_ -= stepPixels();
  placeStrip();
}

void ShortCutBar::scrollDown() {
  offset_ += stepPixels();
  placeStrip();
}

void ShortCutBar::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  placeStrip();
}

bool ShortCutBar::eventFilter(QObject* watched, QEvent* event) {
  // A click on a caption does what its image does.
  if (event->type() == QEvent::MouseButtonRelease) {
    const int index = captions_.indexOf(static_cast<QLabel*>(watched));
    if (index >= 0) emit buttonClicked(index + 1);
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace orlix::app
