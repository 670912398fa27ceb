#include "display/printing/dlg_print_preview.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>
#include <QVBoxLayout>

#include "diagramprint/control_error.h"
#include "diagramprint/pagrix_ctrl.h"
#include "diagramprint/preview_geometry.h"
#include "diagramprint/widgets/pagrix_widget.h"
#include "display/printing/dlg_page_setups.h"

namespace orlix::display {

using diagramprint::ControlError;
using diagramprint::PagrixCtrl;
using diagramprint::PagrixWidget;

const QStringList& zoomListEntries() {
  static const QStringList entries{"50%",  "75%",  "88%",  "90%",  "100%", "120%",
                                   "150%", "200%", "250%", "300%", "350%", "400%"};
  return entries;
}

dlgPrintPreview::dlgPrintPreview(QWidget* parent)
    : QDialog(parent),
      pagrix_(new PagrixWidget(this)),
      cboZoom_(new QComboBox(this)),
      cboPage_(new QComboBox(this)),
      lblPages_(new QLabel(this)),
      menuBar_(new QMenuBar(this)) {
  setObjectName(QStringLiteral("dlgPrintPreview"));
  setWindowTitle(tr("Print Preview"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  pagrix_->setObjectName(QStringLiteral("Pagrix1"));
  cboZoom_->setObjectName(QStringLiteral("cboZoom"));
  cboPage_->setObjectName(QStringLiteral("cboPage"));
  lblPages_->setObjectName(QStringLiteral("lblPages"));
  buildMenus();

  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("tbrPreview"));
  buildToolBar(bar);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menuBar_);
  layout->addWidget(bar);
  layout->addWidget(pagrix_, 1);

  cboZoom_->addItems(zoomListEntries());
  // The zoom list also shows zooms between its entries and takes typed ones.
  cboZoom_->setEditable(true);
  cboZoom_->setInsertPolicy(QComboBox::NoInsert);
  connect(cboZoom_, &QComboBox::textActivated, this, &dlgPrintPreview::chooseZoom);
  connect(cboPage_, &QComboBox::textActivated, this, &dlgPrintPreview::choosePage);
  // Loading selects "100%", which sets the zoom.
  cboZoom_->setCurrentIndex(4);
  guarded([this] { printControl().SetZoom(100); });
  rebuildPageList();
  resize(760, 640);
}

PagrixCtrl& dlgPrintPreview::printControl() const { return pagrix_->control(); }

void dlgPrintPreview::buildMenus() {
  QMenu* file = menuBar_->addMenu(tr("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* print = file->addAction(tr("&Print..."), this, &dlgPrintPreview::printDocument);
  print->setObjectName(QStringLiteral("mnuFilePrint"));
  print->setShortcut(QKeySequence::Print);
  QAction* setup = file->addAction(tr("Print Set&up..."), this, &dlgPrintPreview::printSetup);
  setup->setObjectName(QStringLiteral("mnuFilePrintSetup"));
  file->addSeparator();
  QAction* exit = file->addAction(tr("E&xit"), this, &QDialog::close);
  exit->setObjectName(QStringLiteral("mnuFileExit"));

  QMenu* format = menuBar_->addMenu(tr("F&ormat"));
  format->setObjectName(QStringLiteral("mnuFormat"));
  portrait_ = format->addAction(tr("&Portrait"), this, [this] { setLandscape(false); });
  portrait_->setObjectName(QStringLiteral("mnuFormatPortrait"));
  portrait_->setCheckable(true);
  portrait_->setChecked(true);
  landscape_ = format->addAction(tr("&Landscape"), this, [this] { setLandscape(true); });
  landscape_->setObjectName(QStringLiteral("mnuFormatLandscape"));
  landscape_->setCheckable(true);
  format->addSeparator();
  toPage_ = format->addAction(tr("&Fit to Page"), this, &dlgPrintPreview::toggleFitToPage);
  toPage_->setObjectName(QStringLiteral("mnuFormatToPage"));
  toPage_->setCheckable(true);

  QMenu* view = menuBar_->addMenu(tr("&View"));
  view->setObjectName(QStringLiteral("mnuView"));
  QAction* in = view->addAction(tr("Zoom &In"), this, &dlgPrintPreview::zoomIn);
  in->setObjectName(QStringLiteral("mnuViewZoomIn"));
  in->setShortcut(QKeySequence::ZoomIn);
  QAction* out = view->addAction(tr("Zoom &Out"), this, &dlgPrintPreview::zoomOut);
  out->setObjectName(QStringLiteral("mnuViewZoomOut"));
  out->setShortcut(QKeySequence::ZoomOut);
}

void dlgPrintPreview::buildToolBar(QToolBar* bar) {
  QAction* copy = bar->addAction(tr("Copy"), this, &dlgPrintPreview::copyPicture);
  copy->setObjectName(QStringLiteral("Copy"));
  copy->setToolTip(tr("Copy the map's picture"));
  QAction* print = bar->addAction(tr("Print"), this, &dlgPrintPreview::printDocument);
  print->setObjectName(QStringLiteral("Print"));
  bar->addSeparator();
  bar->addWidget(new QLabel(tr(" Zoom "), bar));
  bar->addWidget(cboZoom_);
  bar->addWidget(new QLabel(tr("  Page "), bar));
  bar->addWidget(cboPage_);
  bar->addWidget(lblPages_);
}

void dlgPrintPreview::guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const ControlError& e) {
    QMessageBox::critical(this, windowTitle(), QString::fromStdString(e.description()));
  }
}

void dlgPrintPreview::preview() {
  guarded([this] {
    printControl().SetPreview(true);
    printControl().PrintDoc();
  });
  rebuildPageList();
}

void dlgPrintPreview::rebuildPageList() {
  int pages = 0;
  guarded([&] { pages = printControl().PageCount(); });
  const int current = cboPage_->currentIndex();
  cboPage_->clear();
  for (int page = 1; page <= pages; ++page) cboPage_->addItem(QString::number(page));
  if (current >= 0 && current < pages) cboPage_->setCurrentIndex(current);
  lblPages_->setText(QStringLiteral("of ") + QString::number(pages) + QStringLiteral(" pages"));
}

void dlgPrintPreview::showZoom(int zoom) { cboZoom_->setEditText(QString::number(zoom) + QLatin1Char('%')); }

void dlgPrintPreview::chooseZoom(const QString& text) {
  QString number = text;
  number.remove(QLatin1Char('%'));
  bool ok = false;
  const int zoom = number.trimmed().toInt(&ok);
  if (!ok) return;
  guarded([&] { printControl().SetZoom(zoom); });
  showZoom(printControl().Zoom());
  preview();
}

void dlgPrintPreview::choosePage(const QString& text) {
  bool ok = false;
  const int page = text.toInt(&ok);
  if (ok) guarded([&] { printControl().SetPreviewPage(page); });
}

void dlgPrintPreview::setLandscape(bool landscape) {
  landscape_->setChecked(landscape);
  portrait_->setChecked(!landscape);
  guarded([&] {
    printControl().SetOrientation(landscape ? diagramprint::OrientLandscape : diagramprint::OrientPortrait);
  });
  preview();
}

void dlgPrintPreview::toggleFitToPage() {
  // The menu item's own check mark has already flipped.
  printControl().SetFitToPage(toPage_->isChecked());
  preview();
}

void dlgPrintPreview::zoomIn() {
  // From the fitted view the step starts at the zoom shown, not at 0.
  const int zoom = printControl().Zoom() ? printControl().Zoom() : printControl().effectiveZoom();
  if (zoom < diagramprint::kMaxZoom) {
    guarded([&] { printControl().SetZoom(std::min(zoom + 10, diagramprint::kMaxZoom)); });
    showZoom(printControl().Zoom());
  }
  preview();
}

void dlgPrintPreview::zoomOut() {
  const int zoom = printControl().Zoom() ? printControl().Zoom() : printControl().effectiveZoom();
  if (zoom > 50) {
    guarded([&] { printControl().SetZoom(zoom - 10); });
    showZoom(printControl().Zoom());
  }
  preview();
}

void dlgPrintPreview::printDocument() {
  guarded([this] {
    printControl().SetPreview(false);
    printControl().PrintDoc();
  });
  printControl().SetPreview(true);
  rebuildPageList();
}

void dlgPrintPreview::printSetup() {
  dlgPageSetups setup(printControl(), this);
  setup.exec();
  preview();
}

void dlgPrintPreview::copyPicture() {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  if (!exportPicture_) return;
  diagramprint::PrintMessageTarget* diagram = nullptr;
  guarded([&] { diagram = printControl().hWndFlow(); });
  if (diagram) clipboard->setImage(exportPicture_(diagram));
}

bool dlgPrintPreview::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) rebuildPageList();
  return QDialog::event(event);
}

void dlgPrintPreview::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  rebuildPageList();
}

}  // namespace orlix::display
