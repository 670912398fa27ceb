#pragma once
// Pictures of a whole diagram (or of its selection), sized to the drawing
// with a small margin: a raster image for the clipboard, and files whose
// format follows their extension. Errors throw DiagramFileError naming the file.
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "platform/graphon/diagram.h"

namespace orlix::graphon::view {

struct PictureOptions {
  bool selectedOnly = false;    // only the selected items
  bool withBackground = true;   // white behind the drawing; else transparent (PNG, SVG)
  double dpi = 96;              // raster resolution: pixels per 1440 twips
};

// The picture as an image of (area in twips × dpi / 1440) pixels.
QImage renderImage(const Diagram& diagram, const PictureOptions& options = {});
// The picture as SVG text: vector shapes, text kept as text.
QByteArray renderSvg(const Diagram& diagram, const PictureOptions& options = {});

enum class PictureFormat { Jpeg, Png, Bmp, Svg, Pdf };
// The format for a file name by its extension, ignoring case: .jpg/.jpeg,
// .png, .bmp, .svg, .pdf; no extension at all means JPEG. Empty for any other.
std::optional<PictureFormat> pictureFormatFor(const QString& fileName);
// The extensions pictureFormatFor knows, for messages and file dialogs.
QString pictureFormatList();

// Writes the picture to `fileName` in the format of its extension (a PDF is
// one page the size of the drawing, text kept as text). The file is replaced
// only once the whole picture is written.
void savePicture(const Diagram& diagram, const QString& fileName, const PictureOptions& options = {});

}  // namespace orlix::graphon::view
