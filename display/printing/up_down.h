#pragma once
// A spinner of two arrow buttons holding a whole number within limits, for
// controls whose value is shown elsewhere (the page setup's margin boxes).
#include <QWidget>

class QToolButton;

namespace orlix::display {

class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent = nullptr);

  int value() const { return value_; }
  // Clamped to the limits; notifies only a change.
  void setValue(int value);
  void setRange(int minimum, int maximum);
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  void stepUp() { setValue(value_ + 1); }
  void stepDown() { setValue(value_ - 1); }

 signals:
  void valueChanged(int value);

 private:
  QToolButton* up_;
  QToolButton* down_;
  int value_ = 0;
  int minimum_ = 0;
  int maximum_ = 100;
};

}  // namespace orlix::display
