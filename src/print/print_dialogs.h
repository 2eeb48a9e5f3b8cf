#pragma once

// The dialogs a print window asks its questions through. The window holds a
// PrintDialogs object; tests replace it by one that answers at once.

#include "sheet/sheet_style.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

namespace quarrin {

// Filters of the "Save Image" dialog; the first is the default.
inline constexpr const char *kBmpFilter = "Image Files (BMP) (*.bmp)";
inline constexpr const char *kPngFilter = "Image Files (PNG) (*.png)";
inline constexpr const char *kPdfFilter = "PDF Document (*.pdf)";
inline constexpr const char *kWorksheetFilter = "Worksheet PDF (puzzle and answer key) (*.pdf)";

struct SaveChoice
{
    QString path;   // with its extension
    QString filter; // the filter the user left selected
};

// What "Print Worksheet..." prints: the sheet's style, the paper (a name as
// parseTrimSize takes it; empty for the paper the printer is set up for) and
// whether the answer key follows on a second page. "Save Image" writes the
// worksheet PDF with the same choices.
struct WorksheetOptions
{
    SheetStyle style;
    QString paper;
    bool answerKey = true;
};

class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;
    // `dialogName` is the dialog's objectName ("font", "font2", "FontDialog1").
    // No value when the user cancels.
    virtual std::optional<QFont> chooseFont(QWidget *parent, const QString &dialogName,
                                            const QFont &initial);
    // `dialogName`: "ColorDialog1" or "ColorDialog2".
    virtual std::optional<QColor> chooseColour(QWidget *parent, const QString &dialogName,
                                               const QColor &initial);
    // The "Change Title" prompt; cancelling gives the empty default answer.
    virtual QString askTitle(QWidget *parent);
    // The "Save Image" dialog, opened on the last name chosen. No value on cancel.
    virtual std::optional<SaveChoice> askImageFile(QWidget *parent, const QString &lastPath);
    // The system's print set-up on `printer`; true when the user confirmed.
    virtual bool setupPrinter(QWidget *parent, QPrinter *printer);
    // The worksheet's options before it is printed; no value on cancel.
    virtual std::optional<WorksheetOptions> askWorksheetOptions(QWidget *parent,
                                                                const WorksheetOptions &initial);
    // A notice or error with an OK button.
    virtual void message(QWidget *parent, const QString &text);
};

} // namespace quarrin
