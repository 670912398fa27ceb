#pragma once
// The print control as a visible control: its window is the preview area,
// with the page window centred or scrolled inside it, two scroll bars, the
// mouse's zoom and page changes, the print dialog and the about box. The
// widget owns its PagrixCtrl; forms reach the control through control().
#include <QFrame>

#include "diagramprint/pagrix_ctrl.h"
#include "diagramprint/widgets/print_dialog_chooser.h"

class QScrollBar;

namespace orlix::diagramprint {

class PreviewPageWidget;

class PagrixWidget : public QFrame {
  Q_OBJECT

 public:
  explicit PagrixWidget(QWidget* parent = nullptr);
  ~PagrixWidget() override;

  PagrixCtrl& control() { return control_; }
  const PagrixCtrl& control() const { return control_; }
  // The page window (for tests and screenshots).
  QWidget* pageWindow() const;
  QScrollBar* horizontalBar() const { return horizontal_; }
  QScrollBar* verticalBar() const { return vertical_; }

  QSize sizeHint() const override { return {480, 360}; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void place();
  void applyBorderStyle();
  void showAbout();
  QRect clientRect() const;

  PagrixCtrl control_;
  PrintDialogChooser chooser_{this};
  QScrollBar* horizontal_;
  QScrollBar* vertical_;
  QWidget* viewport_;  // the client area, clipping the page window
  PreviewPageWidget* page_;
  bool horizontalShown_ = false;
  bool verticalShown_ = false;
  bool placing_ = false;
};

}  // namespace orlix::diagramprint
