#include "app/frm_tip.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextStream>
#include <QVBoxLayout>

#include "app/action_registry.h"
#include "app/user_settings.h"

namespace orlix::app {

QStringList readTips(const QString& path) {
  QFile file(path);
  QStringList tips;
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return tips;
  QTextStream in(&file);
  in.setEncoding(QStringConverter::Utf8);
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (!line.isEmpty()) tips.append(line);
  }
  return tips;
}

int tipIndex(int count, double random) { return static_cast<int>(count * random) + 1; }

QString tipsFileNotFoundText() {
  const QString name = QStringLiteral("TIPOFDAY.TXT");
  return QStringLiteral("That the ") + name + QStringLiteral(" file was not found? ") + QStringLiteral("\r\n\r\n") +
         QStringLiteral("Create a text file named ") + name + QStringLiteral(" using NotePad with 1 tip per line. ") +
         QStringLiteral("Then place it in the same directory as the application. ");
}

FrmTip::FrmTip(const QString& tipsFile, QAction* menuItem, QWidget* parent)
    : QDialog(parent), menuItem_(menuItem), random_(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch())) {
  setObjectName(QStringLiteral("frmTip"));
  setWindowTitle(QStringLiteral("Tip of the Day"));

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("imgTip"));
  icon->setAccessibleName(QStringLiteral("imgTip"));
  icon->setPixmap(programIcon(QStringLiteral("tip")).pixmap(40, 40));
  auto* heading = new QLabel(QStringLiteral("Did you know..."), this);
  heading->setObjectName(QStringLiteral("Label1"));
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  heading->setFont(bold);
  tipText_ = new QLabel(this);
  tipText_->setObjectName(QStringLiteral("lblTipText"));
  tipText_->setWordWrap(true);
  tipText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  tipText_->setMinimumSize(380, 110);
  tipText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  showAtStartup_ = new QCheckBox(QStringLiteral("Show Tips at Startup"), this);
  showAtStartup_->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
  auto* next = new QPushButton(QStringLiteral("&Next Tip"), this);
  next->setObjectName(QStringLiteral("cmdNextTip"));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);

  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  auto* texts = new QVBoxLayout;
  texts->addWidget(heading);
  texts->addWidget(tipText_, 1);
  top->addLayout(texts, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(showAtStartup_);
  buttons->addStretch();
  buttons->addWidget(next);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);

  connect(next, &QPushButton::clicked, this, &FrmTip::showRandomTip);
  connect(ok, &QPushButton::clicked, this, &QDialog::close);
  connect(showAtStartup_, &QCheckBox::clicked, this, &FrmTip::storeSetting);

  if (showTipsAtStartup() == 0) {
    wantsToShow_ = false;
    if (menuItem_) menuItem_->setChecked(false);
    return;
  }
  if (menuItem_) menuItem_->setChecked(true);
  showAtStartup_->setChecked(true);
  tips_ = readTips(tipsFile);
  showRandomTip();
}

void FrmTip::showRandomTip() {
  if (tips_.isEmpty()) {
    current_ = 0;
    tipText_->setText(tipsFileNotFoundText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    return;
  }
  current_ = tipIndex(static_cast<int>(tips_.size()), random_.generateDouble());
  tipText_->setText(tips_.at(current_ - 1));
}

void FrmTip::storeSetting(bool checked) {
  setShowTipsAtStartup(checked ? 1 : 0);
  if (menuItem_) menuItem_->setChecked(checked);
}

}  // namespace orlix::app
