#pragma once
// The page setup dialog: the print control's four margins in inches, each
// with an up-down in tenths of an inch, a sketch of the page, and the
// printer. OK ("Apply") stores the margins as twips and redraws the preview;
// a margin the control refuses is reported and the dialog stays open.
#include <QDialog>
#include <array>
#include <optional>

#include "diagramprint/printer_access.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orlix::diagramprint {
class PagrixCtrl;
}

namespace orlix::display {

class MarginSketch;
class UpDown;

class dlgPageSetups : public QDialog {
  Q_OBJECT

 public:
  explicit dlgPageSetups(diagramprint::PagrixCtrl& control, QWidget* parent = nullptr);

  // Stores the margins and closes; false (and a message) when a box does not hold a margin.
  bool apply();

 private:
  struct Margin {
    const char* name;
    QLineEdit* box;
    UpDown* upDown;
  };
  void browse();
  void redrawSketch();
  void showPrinter();
  std::optional<double> inches(const Margin& margin) const;

  diagramprint::PagrixCtrl& control_;
  diagramprint::PrinterSelection printer_;
  std::array<Margin, 4> margins_;  // top, left, right, bottom
  MarginSketch* picPage_;
  QLabel* lblPrinter_;
};

// The text a margin box shows for `twips`: inches in the C locale ("1.25").
QString inchesText(double twips);

}  // namespace orlix::display
