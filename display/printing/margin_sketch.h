#pragma once
// The page setup's small picture of the page: the page scaled so that 8.5
// inches fill the picture's width, with a rectangle inset by the margins.
#include <QSize>
#include <QWidget>

namespace orlix::display {

class MarginSketch : public QWidget {
 public:
  explicit MarginSketch(QWidget* parent = nullptr);

  // In twips.
  void setPage(QSize pageTwips);
  void setMargins(int left, int top, int right, int bottom);
  // The page and the margin rectangle in the picture's pixels.
  QRect pageRect() const;
  QRect marginRect() const;

  QSize sizeHint() const override { return {136, 176}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int toPixels(int twips) const;

  QSize page_{12240, 15840};
  int left_ = 1440, top_ = 1440, right_ = 1440, bottom_ = 1440;
};

}  // namespace orlix::display
