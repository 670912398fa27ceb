#pragma once
// The print control: prints a diagram over one or more pages with header,
// footer and page border, or previews it page by page at a zoom. It draws no
// diagram itself: it measures the printer's page and asks the diagram, through
// its PrintMessageTarget, to paginate and to draw one page. Its pagination,
// printing and preview drawing need no widgets; the visible preview area
// (PagrixWidget) drives the preview members below.
//
// Errors are raised as ControlError: 380 for an invalid property value (the
// value stays), 394/383 for run-time-only properties used at design time,
// 1000 "You have no default printer!", 482 for a print job that failed and was
// abandoned. The control never owns the diagram.
#include <QColor>
#include <QFont>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

#include "diagramprint/pagrix_ids.h"
#include "diagramprint/pagrix_properties.h"
#include "diagramprint/preview_geometry.h"
#include "diagramprint/print_record.h"
#include "diagramprint/printer_access.h"

class QPainter;
class QPrinter;

namespace orlix::diagramprint {

class PrintRangeChooser;

class PagrixCtrl : public QObject {
  Q_OBJECT

 public:
  explicit PagrixCtrl(QObject* parent = nullptr);
  ~PagrixCtrl() override;

  // --- Properties -----------------------------------------------------------
  const QString& Footer() const { return p_.footer; }
  void SetFooter(const QString& value);
  const QString& Header() const { return p_.header; }
  void SetHeader(const QString& value);
  const QString& DocName() const { return p_.docName; }
  void SetDocName(const QString& value);
  bool PrinterSettings() const { return p_.printerSettings; }
  void SetPrinterSettings(bool value);
  bool MousePage() const { return p_.mousePage; }
  void SetMousePage(bool value);
  bool MouseZoom() const { return p_.mouseZoom; }
  void SetMouseZoom(bool value);
  OrientationConstants Orientation() const { return static_cast<OrientationConstants>(p_.orientation); }
  void SetOrientation(std::int32_t value);  // 1 or 2, else 380
  bool FitToPage() const { return p_.fitToPage; }
  void SetFitToPage(bool value);
  // The diagram's "window"; null for none. Readable only at run time.
  PrintMessageTarget* hWndFlow() const;
  void SethWndFlow(PrintMessageTarget* value);
  // Read only and run time only; each read measures again (1 with FitToPage).
  std::int32_t PageCount();
  std::int32_t HorzPageCount();
  std::int32_t VertPageCount();
  std::int32_t PageBorder() const { return p_.pageBorder; }
  void SetPageBorder(std::int32_t value);  // 0 ... 8, else 380
  // Margins in twips, truncated; at least 0 and, once the page is measured, at
  // most the page width (left, right) or height (the others), else 380.
  float MarginLeft() const { return static_cast<float>(p_.marginLeft); }
  void SetMarginLeft(float value);
  float MarginRight() const { return static_cast<float>(p_.marginRight); }
  void SetMarginRight(float value);
  float MarginTop() const { return static_cast<float>(p_.marginTop); }
  void SetMarginTop(float value);
  float MarginBottom() const { return static_cast<float>(p_.marginBottom); }
  void SetMarginBottom(float value);
  float MarginFooter() const { return static_cast<float>(p_.marginFooter); }
  void SetMarginFooter(float value);
  float MarginHeader() const { return static_cast<float>(p_.marginHeader); }
  void SetMarginHeader(float value);
  // Run time only; ignored while hWndFlow is null; 1 ... PageCount, else 380.
  std::int32_t PreviewPage() const;
  void SetPreviewPage(std::int32_t value);
  // 0 (fit the page's height) or 10 ... 400, else 380.
  std::int32_t Zoom() const { return p_.zoom; }
  void SetZoom(std::int32_t value);
  bool Preview() const { return p_.preview; }
  void SetPreview(bool value);

  // Stock properties.
  const QFont& Font() const { return p_.font; }
  void SetFont(const QFont& value);
  const QColor& ForeColor() const { return p_.foreColor; }
  void SetForeColor(const QColor& value);
  const QColor& BackColor() const { return p_.backColor; }
  void SetBackColor(const QColor& value);
  std::int32_t BorderStyle() const { return p_.borderStyle; }
  void SetBorderStyle(std::int32_t value);  // 0 or 1, else 380

  // --- Methods --------------------------------------------------------------
  void NextPage();
  void PriorPage();
  // Previews when Preview is true, prints otherwise. Does nothing while
  // hWndFlow is null.
  void PrintDoc();
  void UndocMethod(std::int16_t value);
  void AboutBox();

  // --- The container's side -------------------------------------------------
  void ResetProperties();
  void Save(treelayout::PropertyBag& bag) const;
  void Load(const treelayout::PropertyBag& bag);
  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified) { modified_ = modified; }
  // False in a form designer (design time); run time by default.
  bool UserMode() const { return userMode_; }
  void SetUserMode(bool runTime) { userMode_ = runTime; }

  // --- Choices beyond the control's interface --------------------------------
  // The printer to measure with and print on: the system's default unless a
  // printer is named; a PDF file instead of any printer when one is named.
  const PrinterSelection& printerSelection() const { return printer_; }
  void SetPrinterName(const QString& name);
  void SetOutputFileName(const QString& pdfFile);
  // The print dialog shown with PrinterSettings; without one the control
  // prints as if PrinterSettings were false. Not owned.
  void SetPrintRangeChooser(PrintRangeChooser* chooser) { chooser_ = chooser; }
  // The size the diagram is printed at, in per cent (10 ... 400, else 380):
  // the diagram paginates and draws at 100 % inside a print rectangle scaled
  // by 100 / scale. Not stored; 100 after reset.
  std::int32_t PrintScale() const { return printScale_; }
  void SetPrintScale(std::int32_t percent);

  // --- Pages ----------------------------------------------------------------
  // The page measured last, in twips (0 before the first measuring).
  QSize pageSizeTwips() const { return {pageWidth_, pageHeight_}; }
  // Measures `printer`'s page (as PrintDoc does with the default printer).
  void Measure(const QPrinter& printer);
  // Draws page n (diagram and decorations) into `painter`, whose device's
  // resolution converts the twips; the page's corner is the painter's origin.
  void PrintPage(int page, QPainter& painter);

  // --- The preview area (used by PagrixWidget) -------------------------------
  void setClientSize(const QSize& pixels);
  int effectiveZoom() const;
  PreviewPlacement previewPlacement() const;
  void scroll(Qt::Orientation axis, ScrollAction action, int position = 0);
  // Paints the preview page into the page window: its background, then the
  // page recorded at 100 % and played back at the effective zoom.
  void paintPreviewPage(QPainter& painter);
  void mouseReleased(Qt::KeyboardModifiers modifiers);
  void mouseDoubleClicked(Qt::MouseButton button);

 signals:
  void BeforeHeader();
  void BeforeFooter();
  void BeforePageBorder();
  // The page window needs painting again.
  void previewChanged();
  // The page window and the scroll bars need placing again.
  void placementChanged();
  void aboutBoxRequested();
  // A property changed (its dispatch identifier).
  void propertyChanged(int dispid);

 private:
  void changed(int dispid);
  void requireRunTime(const char* property) const;
  void setMargin(std::int32_t& margin, float value, int limit, int dispid);
  void measureWithDefaultPrinter();
  void paginate(int dpiX, int dpiY);
  PrintRecord record(int page, QPainter* painter, int dpiX, int dpiY, bool scaled) const;
  void drawDiagramPage(int page, QPainter& painter, int dpiX, int dpiY);
  void drawDecorations(int page, QPainter& painter, int dpiX, int dpiY);
  void drawHeaderLine(QPainter& painter, const QString& text, int page, bool footer);
  void drawPageBorder(QPainter& painter, int dpiX, int dpiY);
  void printPages(QPrinter& printer, const std::vector<int>& pages);
  void printDocument();
  void previewDocument();
  void showPreviewPage(int page);
  bool hasPrintArea() const;

  PagrixProperties p_;
  PrintMessageTarget* flow_ = nullptr;
  PrinterSelection printer_;
  PrintRangeChooser* chooser_ = nullptr;
  std::int32_t printScale_ = 100;
  bool modified_ = false;
  bool userMode_ = true;

  // Measured state.
  bool pageKnown_ = false;
  int pageWidth_ = 0;  // twips
  int pageHeight_ = 0;
  int pageCount_ = 0;
  int horzPageCount_ = 0;
  int vertPageCount_ = 0;

  // Preview state.
  int previewPage_ = 1;
  QSize clientPixels_;
  QSize clientTwips_;
  QPoint scrollTwips_;
  bool shiftAtRelease_ = false;
};

}  // namespace orlix::diagramprint
