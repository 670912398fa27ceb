// A paint device that keeps what is painted on it instead of pixels: texts
// with their baseline start in device units, and lines with their pen. Its
// resolution is chosen by the test (1440 makes device units twips).
#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QString>
#include <QTransform>
#include <memory>
#include <vector>

namespace orlix::test {

struct RecordedText {
  QString text;
  QPointF position;  // device units
  QColor color;
  double heightInDevice = 0;  // the font's pixel size times the transform's scale
};

struct RecordedLine {
  QLineF line;  // device units
  Qt::PenStyle style = Qt::SolidLine;
  QColor color;
  bool cosmetic = false;
  double width = 0;
};

class PaintRecorder : public QPaintDevice {
 public:
  PaintRecorder(QSize size, int dpi);
  ~PaintRecorder() override;

  QPaintEngine* paintEngine() const override;
  std::vector<RecordedText> texts;
  std::vector<RecordedLine> lines;
  // The texts as one line each, for messages.
  QString describeTexts() const;

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  QSize size_;
  int dpi_;
  std::unique_ptr<QPaintEngine> engine_;
};

}  // namespace orlix::test
