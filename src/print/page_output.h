#pragma once

// Sending the print page out: to a picture or PDF file and to a printer.
// The page is given as a drawing routine in page pixels (96 per inch), so
// text stays text on a printer and in a PDF.

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;
class QPainter;
class QPrinter;

namespace quarrin {

struct SheetPuzzle;
struct SheetStyle;

using PagePainter = std::function<void(QPainter &)>;

enum class PageFileFormat
{
    Bmp,
    Png,
    Pdf,
    Worksheet // two-page PDF: the puzzle, then its answer key
};

// The format for a file name: by its extension, else by the dialog filter.
PageFileFormat pageFileFormat(const QString &path, const QString &filter);

// Writes the page to `path` through a temporary file in the same folder, so
// an existing file is replaced only by a complete new one. BMP and PNG hold
// `image`; PDF draws the page as a vector page of `pageSize` pixels.
// Returns the message to show, or an empty text on success.
QString writePageFile(const QString &path, PageFileFormat format, const QImage &image,
                      const PagePainter &paint, const QSize &pageSize);

// The worksheet in the sheet layout: the puzzle on page 1 and, with
// `withKey`, its answer key on page 2, inside the margins of `paper`.
// Written like writePageFile.
QString writeWorksheetFile(const QString &path, const SheetPuzzle &puzzle, const SheetStyle &style,
                           const QPageLayout &paper, bool withKey = true);
// A4 or Letter after the locale's measurement system, portrait, with 10 mm margins.
QPageLayout worksheetPaper();
// The paper, orientation and margins the printer is set up for.
QPageLayout worksheetPaper(const QPrinter &printer);

// Prints one page on `printer`: the page drawn at its on-screen size
// (page pixels x printer dots per inch / 96) at the top left of the printable
// area, or with `fitToPage` scaled to the printable width (proportions kept,
// the height permitting) and centred at the top. Returns the message to
// show, or an empty text when the job was sent.
QString printPageOn(QPrinter &printer, const PagePainter &paint, const QSize &pageSize,
                    bool fitToPage = false);

// Prints the worksheet on `printer` (on `paper` when given, else on the paper
// it is set up for), within its printable area and at least 10 mm from each
// edge. Returns the message to show, or an empty text when the job was sent.
QString printWorksheetOn(QPrinter &printer, const SheetPuzzle &puzzle, const SheetStyle &style,
                         const std::optional<QPageSize> &paper, bool withKey = true);

inline constexpr double kScreenDpi = 96.0;

} // namespace quarrin
