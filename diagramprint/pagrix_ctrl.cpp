#include "diagramprint/pagrix_ctrl.h"

#include "diagramprint/control_error.h"

namespace orlix::diagramprint {

PagrixCtrl::PagrixCtrl(QObject* parent) : QObject(parent) {}

PagrixCtrl::~PagrixCtrl() = default;

void PagrixCtrl::changed(int dispid) {
  modified_ = true;
  emit propertyChanged(dispid);
}

void PagrixCtrl::requireRunTime(const char* property) const {
  if (!userMode_) throw ControlError::getNotSupported(property);
}

void PagrixCtrl::SetFooter(const QString& value) {
  p_.footer = value;
  changed(dispid::Footer);
}

void PagrixCtrl::SetHeader(const QString& value) {
  p_.header = value;
  changed(dispid::Header);
}

void PagrixCtrl::SetDocName(const QString& value) {
  p_.docName = value;
  changed(dispid::DocName);
}

void PagrixCtrl::SetPrinterSettings(bool value) {
  p_.printerSettings = value;
  changed(dispid::PrinterSettings);
}

void PagrixCtrl::SetMousePage(bool value) {
  p_.mousePage = value;
  changed(dispid::MousePage);
}

void PagrixCtrl::SetMouseZoom(bool value) {
  p_.mouseZoom = value;
  changed(dispid::MouseZoom);
}

void PagrixCtrl::SetOrientation(std::int32_t value) {
  if (!isOrientation(value)) throw ControlError::invalidPropertyValue("Orientation is 1 or 2");
  p_.orientation = value;
  changed(dispid::Orientation);
}

void PagrixCtrl::SetFitToPage(bool value) {
  p_.fitToPage = value;
  changed(dispid::FitToPage);
}

PrintMessageTarget* PagrixCtrl::hWndFlow() const {
  requireRunTime("hWndFlow");
  return flow_;
}

void PagrixCtrl::SethWndFlow(PrintMessageTarget* value) {
  flow_ = value;
  changed(dispid::hWndFlow);
}

std::int32_t PagrixCtrl::PageCount() {
  requireRunTime("PageCount");
  measureWithDefaultPrinter();
  return pageCount_;
}

std::int32_t PagrixCtrl::HorzPageCount() {
  requireRunTime("HorzPageCount");
  measureWithDefaultPrinter();
  return horzPageCount_;
}

std::int32_t PagrixCtrl::VertPageCount() {
  requireRunTime("VertPageCount");
  measureWithDefaultPrinter();
  return vertPageCount_;
}

void PagrixCtrl::SetPageBorder(std::int32_t value) {
  if (!isPageBorder(value)) throw ControlError::invalidPropertyValue("PageBorder is 0 to 8");
  p_.pageBorder = value;
  changed(dispid::PageBorder);
}

void PagrixCtrl::setMargin(std::int32_t& margin, float value, int limit, int dispid) {
  const std::optional<std::int32_t> twips = marginTwips(value);
  if (!twips) throw ControlError::invalidPropertyValue("a margin is 0 twips or more");
  if (pageKnown_ && *twips > limit)
    throw ControlError::invalidPropertyValue("the margin is larger than the page (" +
                                             std::to_string(limit) + " twips)");
  margin = *twips;
  changed(dispid);
}

void PagrixCtrl::SetMarginLeft(float value) {
  setMargin(p_.marginLeft, value, pageWidth_, dispid::MarginLeft);
}

void PagrixCtrl::SetMarginRight(float value) {
  setMargin(p_.marginRight, value, pageWidth_, dispid::MarginRight);
}

void PagrixCtrl::SetMarginTop(float value) {
  setMargin(p_.marginTop, value, pageHeight_, dispid::MarginTop);
}

void PagrixCtrl::SetMarginBottom(float value) {
  setMargin(p_.marginBottom, value, pageHeight_, dispid::MarginBottom);
}

void PagrixCtrl::SetMarginFooter(float value) {
  setMargin(p_.marginFooter, value, pageHeight_, dispid::MarginFooter);
}

void PagrixCtrl::SetMarginHeader(float value) {
  setMargin(p_.marginHeader, value, pageHeight_, dispid::MarginHeader);
}

std::int32_t PagrixCtrl::PreviewPage() const {
  requireRunTime("PreviewPage");
  return previewPage_;
}

void PagrixCtrl::SetPreviewPage(std::int32_t value) {
  if (!userMode_) throw ControlError::setNotSupported("PreviewPage is available only at run time");
  if (!flow_) return;
  if (value < 1 || value > PageCount())
    throw ControlError::invalidPropertyValue("PreviewPage is 1 to the page count");
  showPreviewPage(value);
  changed(dispid::PreviewPage);
}

void PagrixCtrl::SetZoom(std::int32_t value) {
  if (!isZoom(value)) throw ControlError::invalidPropertyValue("Zoom is 0 or 10 to 400");
  p_.zoom = value;
  changed(dispid::Zoom);
  if (userMode_) {
    emit placementChanged();
    emit previewChanged();
  }
}

void PagrixCtrl::SetPreview(bool value) {
  p_.preview = value;
  changed(dispid::Preview);
}

void PagrixCtrl::SetFont(const QFont& value) {
  p_.font = value;
  changed(dispid::Font);
}

void PagrixCtrl::SetForeColor(const QColor& value) {
  p_.foreColor = value;
  changed(dispid::ForeColor);
}

void PagrixCtrl::SetBackColor(const QColor& value) {
  p_.backColor = value;
  changed(dispid::BackColor);
  emit previewChanged();
}

void PagrixCtrl::SetBorderStyle(std::int32_t value) {
  if (!isBorderStyle(value)) throw ControlError::invalidPropertyValue("BorderStyle is 0 or 1");
  p_.borderStyle = value;
  changed(dispid::BorderStyle);
}

void PagrixCtrl::UndocMethod(std::int16_t) {}

void PagrixCtrl::AboutBox() { emit aboutBoxRequested(); }

void PagrixCtrl::ResetProperties() {
  p_ = PagrixProperties{};
  printScale_ = 100;
  pageCount_ = horzPageCount_ = vertPageCount_ = 0;
  previewPage_ = 1;
}

void PagrixCtrl::Save(treelayout::PropertyBag& bag) const { saveProperties(p_, bag); }

void PagrixCtrl::Load(const treelayout::PropertyBag& bag) { p_ = loadProperties(bag, p_); }

void PagrixCtrl::SetPrinterName(const QString& name) { printer_.printerName = name; }

void PagrixCtrl::SetOutputFileName(const QString& pdfFile) { printer_.pdfFile = pdfFile; }

void PagrixCtrl::SetPrintScale(std::int32_t percent) {
  if (percent < kMinZoom || percent > kMaxZoom)
    throw ControlError::invalidPropertyValue("the print scale is 10 to 400 per cent");
  printScale_ = percent;
  emit previewChanged();
}

}  // namespace orlix::diagramprint
