#include "display/tree_display_window.h"

#include <exception>

#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>

#include "display/map/tree_map_builder.h"
#include "display/orl_flow_control.h"
#include "platform/ado/recordset.h"

namespace orlix::display {

TreeDisplayWindow::TreeDisplayWindow(std::shared_ptr<ado::Recordset> treeList, bool characterTarget,
                                     int targetValueCount, QWidget* parent)
    : QWidget(parent), flow_(new OrlFlowControl(this)) {
  setObjectName(QStringLiteral("frmTreeDisplay"));
  setWindowTitle(QStringLiteral("Decision Tree"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(flow_);
  resize(720, 480);

  if (!treeList || treeList->State() != ado::adStateOpen) {
    refused_ = true;
    QMessageBox::information(parent, QStringLiteral("Tree Display"),
                             QStringLiteral("Tree Display Data is not available at this time"));
    return;
  }
  try {
    working_ = buildTreeMap(*treeList, {characterTarget, targetValueCount}, flow_->map());
  } catch (const std::exception& e) {
    buildError_ = QStringLiteral("The decision map could not be built completely: %1").arg(QString::fromUtf8(e.what()));
    QMessageBox::warning(parent, QStringLiteral("Tree Display"), buildError_);
  }
}

TreeDisplayWindow::~TreeDisplayWindow() = default;

void TreeDisplayWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (refused_) QTimer::singleShot(0, this, &QWidget::close);
}

}  // namespace orlix::display
