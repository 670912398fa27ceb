#include "app/frm_about.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "app/action_registry.h"
#include "app/program_version.h"

namespace orlix::app {

namespace {

QLabel* label(const char* name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setWordWrap(true);
  return l;
}

}  // namespace

QStringList systemInfoTools() {
  return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter")};
}

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  const QString title = QApplication::applicationDisplayName();
  setWindowTitle(QStringLiteral("About ") + title);
  setModal(true);

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("picIcon"));
  picture->setAccessibleName(QStringLiteral("picIcon"));
  picture->setPixmap(programIcon(QStringLiteral("orlix")).pixmap(64, 64));
  QLabel* titleLabel = label("lblTitle", title, this);
  QFont big = titleLabel->font();
  big.setPointSizeF(big.pointSizeF() * 1.4);
  big.setBold(true);
  titleLabel->setFont(big);
  QLabel* version = label("lblVersion", versionLabel(), this);
  QLabel* description = label(
      "lblDescription",
      QStringLiteral("Decision trees for analysts: grows a regression or category map from a table of any "
                     "Access, Excel, dBase, HTML, text or SQLite file and shows its descriptives, segment "
                     "summaries, scoring code and decision map."),
      this);
  QLabel* disclaimer = label("lblDisclaimer", QStringLiteral("%1— all rights reserved.").arg(companyName()), this);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  auto* sysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
  sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(sysInfo, &QPushButton::clicked, this, &FrmAbout::startSysInfo);

  auto* texts = new QVBoxLayout;
  texts->addWidget(titleLabel);
  texts->addWidget(version);
  texts->addSpacing(8);
  texts->addWidget(description);
  texts->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(picture, 0, Qt::AlignTop);
  top->addLayout(texts, 1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(sysInfo);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(disclaimer, 1);
  bottom->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(bottom);
  setMinimumWidth(460);
}

void FrmAbout::startSysInfo() {
  for (const QString& tool : systemInfoTools()) {
    const QString path = QStandardPaths::findExecutable(tool);
    if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
  }
  QMessageBox::information(this, QApplication::applicationDisplayName(),
                           QStringLiteral("System Information Is Unavailable At This Time"),
                           QMessageBox::Ok);
}

}  // namespace orlix::app
