#pragma once

// Putting pages drawn in page pixels onto paper: a page scaled to fit a
// printable area, and a PDF of whole sheets at print resolution for the
// worksheet and the puzzle book. Both lay pages out the same way, so a puzzle
// looks alike on a worksheet, in a book and on a printer set to fit the page.

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>

class QIODevice;

namespace quarrin {

// Draws a page of `pageSize` pixels into `target`: scaled to its width, or to
// its height where the width would make the page too tall; centred across and
// at the top. An empty page or target draws nothing.
void paintFittedPage(QPainter &p, const std::function<void(QPainter &)> &paint,
                     const QSize &pageSize, const QRectF &target);

// A4 or Letter, portrait, with 10 mm margins.
QPageLayout sheetPaper(bool letter);

// A PDF of sheets of `paper` at 1200 dots per inch, written to `device`.
// The painter's origin is the top-left of the printable area.
class PaperPdf
{
public:
    PaperPdf(QIODevice &device, const QString &title, const QPageLayout &paper);
    PaperPdf(const PaperPdf &) = delete;
    PaperPdf &operator=(const PaperPdf &) = delete;

    // Starts the first sheet; false when the device takes no drawing.
    bool begin();
    QPainter &painter() { return m_painter; }
    // The printable area of a sheet, in painter coordinates.
    QRectF area() const { return m_area; }
    bool newPage() { return m_writer.newPage(); }
    // Finishes the file; false when it could not be completed.
    bool end() { return m_painter.end(); }

private:
    QPdfWriter m_writer;
    QPainter m_painter; // ends before the writer goes
    QRectF m_area;
};

} // namespace quarrin
