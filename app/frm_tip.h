// FrmTip: the tip of the day, a random line of the tips file "TIPOFDAY.TXT"
// in the program folder, shown at start-up unless the user turned it off
// ("Show Tips at Startup", kept in the user settings).
#pragma once

#include <QDialog>
#include <QRandomGenerator>
#include <QStringList>

class QAction;
class QCheckBox;
class QLabel;

namespace orlix::app {

// The tips of a tips file, one per non-blank line in file order (UTF-8); an
// empty list when the file cannot be read.
QStringList readTips(const QString& path);
// The 1-based index of the tip chosen by a random number in [0, 1):
// the whole part of count * random, plus 1.
int tipIndex(int count, double random);
// What the tip label says when the tips file is missing or holds no tip.
QString tipsFileNotFoundText();

class FrmTip : public QDialog {
  Q_OBJECT

 public:
  // Loads the window: reads the setting and, when it is not 0, the tips.
  // `menuItem` (Help > Show Startup Tips) is checked or unchecked to match.
  FrmTip(const QString& tipsFile, QAction* menuItem, QWidget* parent);

  // False when the setting is 0: the window unloaded itself at load.
  bool wantsToShow() const { return wantsToShow_; }
  const QStringList& tips() const { return tips_; }
  // 1-based index of the tip shown; 0 when there is none.
  int currentTip() const { return current_; }

 public slots:
  void showRandomTip();

 private:
  void storeSetting(bool checked);

  QAction* menuItem_;
  QLabel* tipText_;
  QCheckBox* showAtStartup_;
  QStringList tips_;
  QRandomGenerator random_;
  bool wantsToShow_ = true;
  int current_ = 0;
};

}  // namespace orlix::app
