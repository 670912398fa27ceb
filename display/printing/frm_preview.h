#pragma once
// The text preview window: a record set shown as tab-separated text in a
// rich text box; its print command prints the box with no margins.
#include <QWidget>

class QPrinter;
class QTextEdit;

namespace orlix::ado {
class Recordset;
}

namespace orlix::display {

class frmPreview : public QWidget {
  Q_OBJECT

 public:
  // Shows `recordset`'s rows when it is open (read through a clone; not kept).
  explicit frmPreview(const ado::Recordset* recordset, QWidget* parent = nullptr);

  QTextEdit* RichTextBox1() const { return text_; }
  // Prints the box on `printer`; returns the pages printed. Throws
  // diagramprint::ControlError when the job fails.
  int PrintFunction(QPrinter& printer);

 private:
  QTextEdit* text_;
};

}  // namespace orlix::display
