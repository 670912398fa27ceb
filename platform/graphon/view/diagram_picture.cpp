#include "platform/graphon/view/diagram_picture.h"

#include <cmath>

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "platform/graphon/view/diagram_bounds.h"
#include "platform/graphon/view/diagram_file_error.h"
#include "platform/graphon/view/diagram_painter.h"
#include "platform/graphon/view/twips.h"

namespace orlix::graphon::view {
namespace {

QSize pixelSize(const QRectF& area, double dpi) {
  const double scale = deviceUnitsPerTwip(dpi);
  return QSize(std::max(1, static_cast<int>(std::ceil(area.width() * scale))),
               std::max(1, static_cast<int>(std::ceil(area.height() * scale))));
}

// Draws the picture's area into `painter`, whose device has `dpi` units per inch.
void drawArea(QPainter& painter, const Diagram& diagram, const QRectF& area, double dpi, const PictureOptions& options) {
  const double scale = deviceUnitsPerTwip(dpi);
  if (options.withBackground)
    painter.fillRect(QRectF(0, 0, area.width() * scale, area.height() * scale), Qt::white);
  painter.scale(scale, scale);
  painter.translate(-area.topLeft());
  PaintOptions paint;
  paint.selectedOnly = options.selectedOnly;
  paintDiagram(painter, diagram, paint);
}

QString displayName(const QString& fileName) { return QLatin1Char('"') + fileName + QLatin1Char('"'); }

[[noreturn]] void fail(const QString& fileName, const QString& cause) {
  throw DiagramFileError(QStringLiteral("Cannot save the picture %1: %2").arg(displayName(fileName), cause).toStdString());
}

void writeSvg(const Diagram& diagram, QIODevice& device, const PictureOptions& options) {
  const QRectF area = pictureArea(diagram, options.selectedOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&device);
  svg.setResolution(96);
  svg.setSize(pixelSize(area, 96));
  svg.setViewBox(QRectF(QPointF(0, 0), pixelSize(area, 96)));
  svg.setTitle(QStringLiteral("Decision map"));
  QPainter painter(&svg);
  drawArea(painter, diagram, area, 96, options);
}

void writePdf(const Diagram& diagram, QIODevice& device, const PictureOptions& options) {
  const QRectF area = pictureArea(diagram, options.selectedOnly);
  QPdfWriter pdf(&device);
  pdf.setTitle(QStringLiteral("Decision map"));
  pdf.setCreator(QStringLiteral("Orlix"));
  pdf.setResolution(1440);
  const QPageSize size(QSizeF(area.width() / kTwipsPerPoint, area.height() / kTwipsPerPoint), QPageSize::Point,
                       QString(), QPageSize::ExactMatch);
  pdf.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  QPainter painter(&pdf);
  drawArea(painter, diagram, area, pdf.resolution(), options);
}

const char* rasterFormat(PictureFormat format) {
  switch (format) {
    case PictureFormat::Png: return "png";
    case PictureFormat::Bmp: return "bmp";
    default: return "jpeg";
  }
}

}  // namespace

QImage renderImage(const Diagram& diagram, const PictureOptions& options) {
  const QRectF area = pictureArea(diagram, options.selectedOnly);
  QImage image(pixelSize(area, options.dpi), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  const int dotsPerMeter = static_cast<int>(std::lround(options.dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  QPainter painter(&image);
  drawArea(painter, diagram, area, options.dpi, options);
  painter.end();
  return image;
}

QByteArray renderSvg(const Diagram& diagram, const PictureOptions& options) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  writeSvg(diagram, buffer, options);
  return bytes;
}

std::optional<PictureFormat> pictureFormatFor(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix.isEmpty() || suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return PictureFormat::Jpeg;
  if (suffix == QLatin1String("png")) return PictureFormat::Png;
  if (suffix == QLatin1String("bmp")) return PictureFormat::Bmp;
  if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
  if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
  return std::nullopt;
}

QString pictureFormatList() { return QStringLiteral(".jpg, .jpeg, .png, .bmp, .svg or .pdf"); }

void savePicture(const Diagram& diagram, const QString& fileName, const PictureOptions& options) {
  const std::optional<PictureFormat> format = pictureFormatFor(fileName);
  if (!format) fail(fileName, QStringLiteral("the name must end in ") + pictureFormatList());
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) fail(fileName, file.errorString());
  if (*format == PictureFormat::Svg) {
    writeSvg(diagram, file, options);
  } else if (*format == PictureFormat::Pdf) {
    writePdf(diagram, file, options);
  } else {
    PictureOptions raster = options;
    // JPEG and BMP have no transparency: they always get the white background.
    if (*format != PictureFormat::Png) raster.withBackground = true;
    const QImage image = renderImage(diagram, raster);
    QImageWriter writer(&file, rasterFormat(*format));
    if (*format == PictureFormat::Jpeg) writer.setQuality(92);
    if (!writer.write(*format == PictureFormat::Png ? image : image.convertToFormat(QImage::Format_RGB32)))
      fail(fileName, writer.errorString());
  }
  if (!file.commit()) fail(fileName, file.errorString());
}

}  // namespace orlix::graphon::view
