#pragma once
// The layout control's property page "General" (TIERIO.TierioPropPage.1) and
// its about box. The page edits Orientation ("0 - North" .. "3 - West"),
// LayerDistance and VertexDistance of one TierioCtrl and writes them when
// applied; a value the control refuses is shown to the user and left in the
// page for correction.
#include <QDialog>

#include "treelayout/tierio_ctrl.h"

class QComboBox;
class QLineEdit;

namespace orlix::treelayout {

class TierioPropPage : public QWidget {
  Q_OBJECT

 public:
  TierioPropPage(TierioCtrl& control, QWidget* parent = nullptr);

  // Writes the page's values into the control. Returns false (after telling
  // the user which value is wrong) when one is refused; nothing is written then.
  bool apply();
  // The page's values differ from what was last read or applied.
  bool isDirty() const { return dirty_; }

 signals:
  void changed();

 private:
  void load();
  void markDirty();

  TierioCtrl* control_;
  QComboBox* orientation_;
  QLineEdit* layerDistance_;
  QLineEdit* vertexDistance_;
  bool dirty_ = false;
};

// Shows the property page in a dialog with OK, Cancel and Apply, owned by
// `owner`. Returns true when values were applied to the control.
bool DisplayPropertyPage(TierioCtrl& control, QWidget* owner);

// The control's about box.
void AboutBox(QWidget* owner);

}  // namespace orlix::treelayout
