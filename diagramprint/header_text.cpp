#include "diagramprint/header_text.h"

namespace orlix::diagramprint {

HeaderParts splitHeaderText(const QString& text) {
  HeaderParts parts;
  const qsizetype first = text.indexOf(QLatin1Char('|'));
  if (first < 0) {
    parts.left = text;
    return parts;
  }
  parts.left = text.left(first);
  const QString rest = text.mid(first + 1);
  const qsizetype second = rest.indexOf(QLatin1Char('|'));
  if (second < 0) {
    parts.centre = rest;
    return parts;
  }
  parts.centre = rest.left(second);
  parts.right = rest.mid(second + 1);
  return parts;
}

QString withPageNumber(const QString& part, int page) {
  QString result = part;
  return result.replace(QStringLiteral("<PAGE>"), QString::number(page));
}

}  // namespace orlix::diagramprint
