#include "display/printing/recordset_text.h"

#include <QStringList>

#include "platform/ado/recordset.h"

namespace orlix::display {

QString recordsetText(const ado::Recordset& recordset) {
  if (recordset.State() != ado::adStateOpen) return {};
  const std::shared_ptr<ado::Recordset> rows = recordset.Clone();
  const long count = rows->Fields().Count();
  QStringList names;
  for (long i = 0; i < count; ++i) names << QString::fromStdString(rows->Fields().Item(i).Name());
  QString text = names.join(QLatin1Char('\t'));
  QStringList values;
  for (; !rows->Eof(); rows->MoveNext()) {
    values.clear();
    for (long i = 0; i < count; ++i) {
      const com::Variant value = rows->Fields().Item(i).Value();
      values << (value.isNull() ? QString() : QString::fromStdString(value.toString()));
    }
    text += QLatin1Char('\n') + values.join(QLatin1Char('\t'));
  }
  return text;
}

}  // namespace orlix::display
