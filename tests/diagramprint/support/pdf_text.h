// Reading printed PDF files back with poppler's command-line tools.
#pragma once

#include <QString>

namespace orlix::test {

// The page count pdfinfo reports; -1 when the file cannot be read.
int pdfPageCount(const QString& path);
// The text pdftotext finds on one page (1-based), in its layout.
QString pdfPageText(const QString& path, int page);
// Renders one page to a PNG at `dpi` (pdftoppm); returns false on failure.
bool pdfPageToPng(const QString& path, int page, int dpi, const QString& pngPath);

}  // namespace orlix::test
