#pragma once

// Sending the print page out: to a picture or PDF file and to a printer.
// The page is given as a drawing routine in page pixels (96 per inch), so
// text stays text on a printer and in a PDF.

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;

namespace quarrin {

using PagePainter = std::function<void(QPainter &)>;

enum class PageFileFormat
{
    Bmp,
    Png,
    Pdf
};

// The format for a file name: by its extension, else by the dialog filter.
PageFileFormat pageFileFormat(const QString &path, const QString &filter);

// Writes the page to `path` through a temporary file in the same folder, so
// an existing file is replaced only by a complete new one. BMP and PNG hold
// `image`; PDF draws the page as a vector page of `pageSize` pixels.
// Returns the message to show, or an empty text on success.
QString writePageFile(const QString &path, PageFileFormat format, const QImage &image,
                      const PagePainter &paint, const QSize &pageSize);

// Prints one page on `printer`: the page drawn at its on-screen size
// (page pixels x printer dots per inch / 96) at the top left of the printable
// area. Returns the message to show, or an empty text when the job was sent.
QString printPageOn(QPrinter &printer, const PagePainter &paint, const QSize &pageSize);

inline constexpr double kScreenDpi = 96.0;

} // namespace quarrin
