#pragma once
// The small drawing beside the orientation choice: a root and its two
// children, turned to North, East, South or West.
#include <QWidget>

namespace orlix::display {

class OrientationSketch : public QWidget {
 public:
  explicit OrientationSketch(QWidget* parent = nullptr);
  int orientation() const { return orientation_; }
  void setOrientation(int orientation);
  QSize sizeHint() const override { return QSize(72, 72); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int orientation_ = 0;
};

}  // namespace orlix::display
