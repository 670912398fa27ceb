#include "display/printing/frm_preview.h"

#include <QTextEdit>
#include <QVBoxLayout>

#include "display/printing/recordset_text.h"
#include "display/printing/rich_text_print.h"
#include "platform/ado/recordset.h"

namespace orlix::display {

frmPreview::frmPreview(const ado::Recordset* recordset, QWidget* parent)
    : QWidget(parent), text_(new QTextEdit(this)) {
  setObjectName(QStringLiteral("frmPreview"));
  setWindowTitle(tr("Preview"));
  text_->setObjectName(QStringLiteral("RichTextBox1"));
  text_->setLineWrapMode(QTextEdit::NoWrap);
  text_->setAcceptRichText(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  if (recordset) text_->setPlainText(recordsetText(*recordset));
}

int frmPreview::PrintFunction(QPrinter& printer) {
  return printRichText(*text_->document(), printer, {0, 0, 0, 0}, windowTitle());
}

}  // namespace orlix::display
