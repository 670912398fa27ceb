// ShortCutBar (Picture1): the vertical strip of seven short-cut buttons on the
// left of the main window, each an image (imgButton_N) with its caption
// (lblTool_N) below, laid out top to bottom; cmdUp and cmdDown scroll the
// strip when it is taller than the window. Emits the index (1 to 7) clicked.
#pragma once

#include <QFrame>
#include <QList>

class QLabel;
class QToolButton;
class QPushButton;

namespace orlix::app {

class ShortCutBar : public QFrame {
  Q_OBJECT

 public:
  explicit ShortCutBar(QWidget* parent = nullptr);

  // Makes every button and caption visible and lays the strip out.
  void showAllButtons();
  // Places the visible buttons; called again when one is shown or hidden.
  void layoutButtons();
  QToolButton* button(int index) const { return buttons_.at(index - 1); }
  QLabel* caption(int index) const { return captions_.at(index - 1); }
  // How far the strip is scrolled, in pixels.
  int scrollOffset() const { return offset_; }

 public slots:
  void scrollUp();
  void scrollDown();

 signals:
  void buttonClicked(int index);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void placeStrip();
  int stepPixels() const;
  int maxOffset() const;

  QPushButton* header_;
  QWidget* viewport_;
  QWidget* content_;
  QPushButton* up_;
  QPushButton* down_;
  QList<QToolButton*> buttons_;
  QList<QLabel*> captions_;
  int contentHeight_ = 0;
  int offset_ = 0;
};

}  // namespace orlix::app
