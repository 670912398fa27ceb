#include "app/frm_progress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_state.h"

namespace orlix::app {

FrmProgress::FrmProgress(AppState& state, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state),
      label_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
  setObjectName(QStringLiteral("frmProgress"));
  setWindowTitle(QStringLiteral("Progress"));
  setModal(false);
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setWordWrap(true);
  label_->setMinimumWidth(360);
  // Room for a caption of two lines, so that a longer stage is never clipped.
  label_->setMinimumHeight(2 * label_->fontMetrics().lineSpacing());
  bar_->setObjectName(QStringLiteral("ccrpProgressBar1"));
  bar_->setRange(0, 100);
  bar_->setValue(0);
  cancel_->setObjectName(QStringLiteral("cmdCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  layout->addLayout(buttons);
  connect(cancel_, &QPushButton::clicked, this, &FrmProgress::requestCancel);
}

void FrmProgress::setStage(int value, const QString& caption) {
  bar_->setValue(value);
  label_->setText(caption);
  repaint();
  QCoreApplication::processEvents();
}

void FrmProgress::requestCancel() {
  state_.gCancelRequested = true;
  cancel_->setEnabled(false);
  emit cancelRequested();
}

void FrmProgress::closeEvent(QCloseEvent* event) {
  event->ignore();
  requestCancel();
}

void FrmProgress::reject() { requestCancel(); }

}  // namespace orlix::app
