#pragma once
// The decision map's Print and Print Preview commands, for the map's context
// menu and the customisation dialog: the title prompt, then the print
// preview form's control set up for the map and either printing (the form
// never shown) or previewing (the form shown modally).
#include <QDate>
#include <QString>
#include <optional>

#include "diagramprint/print_record.h"
#include "display/printing/dlg_print_preview.h"

class QWidget;

namespace orlix::display {

inline constexpr const char* kPrintTitlePrompt = "Enter a Title for the printout";
inline constexpr const char* kPrintTitleCaption = "Set Titles";

// The title the user enters; nothing when the prompt is cancelled. An empty
// title is a title.
std::optional<QString> askPrintTitle(QWidget* parent);

// On `form`'s control: the map's set-up (date, title, border, footer, blue),
// then PrintDoc, printing or previewing. Print control errors pass to the caller.
void runMapPrint(dlgPrintPreview& form, diagramprint::PrintMessageTarget* diagram,
                 const QString& title, const QDate& date, bool preview);

// The whole command. Returns false when the title prompt was cancelled;
// print control errors (diagramprint::ControlError) pass to the caller.
bool printMap(QWidget* parent, diagramprint::PrintMessageTarget* diagram, bool preview,
              const dlgPrintPreview::PictureExport& exportPicture = {});

}  // namespace orlix::display
