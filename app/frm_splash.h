// FrmSplash: the start-up window with the product, the maker and the version;
// it closes itself after five seconds or at the first click or key press.
#pragma once

#include <QDialog>

namespace orlix::app {

class FrmSplash : public QDialog {
  Q_OBJECT

 public:
  explicit FrmSplash(QWidget* parent = nullptr);

 private slots:
  void closeSoon();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace orlix::app
