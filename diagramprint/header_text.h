#pragma once
// The three parts of a header or footer text and the page-number field in
// them: "left|centre|right", with "<PAGE>" standing for the page number.
#include <QString>

namespace orlix::diagramprint {

struct HeaderParts {
  QString left;
  QString centre;
  QString right;
};

// Splits at the first "|" into left and rest, and the rest at its first "|"
// into centre and right: no "|" leaves everything left, further bars stay in
// the right part.
HeaderParts splitHeaderText(const QString& text);

// `part` with every "<PAGE>" replaced by `page` in decimal.
QString withPageNumber(const QString& part, int page);

}  // namespace orlix::diagramprint
