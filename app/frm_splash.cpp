#include "app/frm_splash.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/action_registry.h"
#include "app/program_version.h"

namespace orlix::app {

namespace {

QLabel* label(const char* name, const QString& text, qreal scale, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  QFont f = l->font();
  f.setPointSizeF(f.pointSizeF() * scale);
  l->setFont(f);
  return l;
}

}  // namespace

FrmSplash::FrmSplash(QWidget* parent) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmSplash"));
  setWindowTitle(productName());
  setModal(true);

  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("fraMainFrame"));
  frame->setFrameShape(QFrame::Box);
  auto* picture = new QLabel(frame);
  picture->setObjectName(QStringLiteral("imgLogo"));
  picture->setPixmap(programIcon(QStringLiteral("orlix")).pixmap(96, 96));
  picture->setAccessibleName(QStringLiteral("imgLogo"));

  auto* text = new QVBoxLayout;
  text->addWidget(label("lblCompany", companyName(), 1.0, frame));
  text->addWidget(label("lblProductName", productName(), 1.8, frame));
  text->addStretch();
  text->addWidget(label("lblVersion", versionLabel(), 1.0, frame), 0, Qt::AlignRight);
  text->addWidget(label("lblPlatform", QStringLiteral("for Linux"), 1.0, frame), 0, Qt::AlignRight);

  auto* row = new QHBoxLayout(frame);
  row->setContentsMargins(24, 24, 24, 24);
  row->setSpacing(24);
  row->addWidget(picture, 0, Qt::AlignTop);
  row->addLayout(text, 1);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);
  setMinimumSize(480, 220);
  adjustSize();

  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  QTimer::singleShot(5000, this, &FrmSplash::closeSoon);
}

// Queued, so that a key pressed while the window is still being shown ends
// its modal loop too.
void FrmSplash::closeSoon() { QMetaObject::invokeMethod(this, &QDialog::accept, Qt::QueuedConnection); }

void FrmSplash::mousePressEvent(QMouseEvent*) { closeSoon(); }

void FrmSplash::keyPressEvent(QKeyEvent*) { closeSoon(); }

}  // namespace orlix::app
