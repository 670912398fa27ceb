// FrmAbout: the program's title, version and maker, and a button that starts
// the desktop's system information tool when one is installed.
#pragma once

#include <QDialog>

namespace orlix::app {

// The system information tools the About window knows, by executable name.
QStringList systemInfoTools();

class FrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit FrmAbout(QWidget* parent);

 public slots:
  // Starts the first installed tool; otherwise says none is available.
  void startSysInfo();
};

}  // namespace orlix::app
