#include "tests/diagramprint/support/paint_recorder.h"

#include <QTextItem>

namespace orlix::test {
namespace {

class RecordingEngine : public QPaintEngine {
 public:
  explicit RecordingEngine(PaintRecorder& device)
      : QPaintEngine(QPaintEngine::AllFeatures), device_(device) {}

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& state) override {
    if (state.state() & DirtyTransform) transform_ = state.transform();
    if (state.state() & DirtyPen) pen_ = state.pen();
  }

  void drawTextItem(const QPointF& point, const QTextItem& item) override {
    const QFont font = item.font();
    const double size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
    device_.texts.push_back({item.text(), transform_.map(point), pen_.color(), size * transform_.m22()});
  }

  void drawLines(const QLineF* lines, int count) override {
    for (int i = 0; i < count; ++i)
      device_.lines.push_back(
          {transform_.map(lines[i]), pen_.style(), pen_.color(), pen_.isCosmetic(), pen_.widthF()});
  }
  void drawLines(const QLine* lines, int count) override {
    for (int i = 0; i < count; ++i) {
      const QLineF line(lines[i]);
      drawLines(&line, 1);
    }
  }
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawPath(const QPainterPath&) override {}

 private:
  PaintRecorder& device_;
  QTransform transform_;
  QPen pen_;
};

}  // namespace

PaintRecorder::PaintRecorder(QSize size, int dpi)
    : size_(size), dpi_(dpi), engine_(std::make_unique<RecordingEngine>(*this)) {}

PaintRecorder::~PaintRecorder() = default;

QPaintEngine* PaintRecorder::paintEngine() const { return engine_.get(); }

int PaintRecorder::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return size_.width() * 254 / (dpi_ * 10);
    case PdmHeightMM: return size_.height() * 254 / (dpi_ * 10);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return dpi_;
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return 0;
  }
}

QString PaintRecorder::describeTexts() const {
  QString out;
  for (const RecordedText& text : texts)
    out += QStringLiteral("\"%1\" at %2,%3\n").arg(text.text).arg(text.position.x()).arg(text.position.y());
  return out;
}

}  // namespace orlix::test
