#pragma once

// Paper for sheets and books: trim sizes by name, the margins print-on-demand
// services ask of a bound book, and a PDF of whole pages measured in device
// units at print resolution.

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

class QIODevice;

namespace quarrin {

// A paper or trim size: a4, letter, a5, 6x9in, 7x10in, 8x10in, 8.25x11in,
// 8.5x11in, or any WxHin or WxHmm (width first; 2 to 40 inches a side).
std::optional<QPageSize> parseTrimSize(const QString &text);
// What parseTrimSize takes, for messages and the help.
QString trimSizeNames();
// A4 or Letter, after whether the locale measures in inches.
QPageSize localePaper();

// Bound books (all in inches). The inside margin grows with the page count
// so that nothing is lost in the binding; the other three edges keep at
// least a quarter inch.
inline constexpr double kBleedInches = 0.125;
inline constexpr double kOutsideMarginInches = 0.375;
inline constexpr double kTopMarginInches = 0.5;
inline constexpr double kBottomMarginInches = 0.5;
inline constexpr double kLeastOutsideMarginInches = 0.25;
inline constexpr int kLeastBookPages = 24;
double gutterInches(int pageCount);

// A PDF of pages of one size and orientation (the layout's margins are left
// to whoever draws), at 1200 dots per inch: the painter's origin is the
// top-left corner of the page.
// The fonts are embedded as subsets; each font's name carries the subset's
// tag, as the PDF format asks of a subset and print services check.
class SheetPdf
{
public:
    SheetPdf(QIODevice &device, const QString &title, const QPageLayout &paper);
    SheetPdf(const SheetPdf &) = delete;
    SheetPdf &operator=(const SheetPdf &) = delete;

    bool begin() { return m_painter.begin(&m_writer); }
    QPainter &painter() { return m_painter; }
    const QPaintDevice &device() const { return m_writer; }
    // The whole page, in painter coordinates.
    QRectF pageRect() const { return m_page; }
    // Painter units per point.
    double unit() const { return m_writer.resolution() / 72.0; }
    bool newPage() { return m_writer.newPage(); }
    // Finishes the file and writes it to the device; false when it could not.
    bool end();

private:
    QIODevice &m_out;
    QBuffer m_buffer;
    QPdfWriter m_writer;
    QPainter m_painter; // ends before the writer goes
    QRectF m_page;
};

// The PDF with each embedded subset font's /BaseFont named like its
// descriptor's /FontName ("ABCDEF+Name"), the cross-reference offsets
// moved to match; the bytes unchanged when there is nothing to name.
QByteArray tagSubsetFonts(const QByteArray &pdf);

} // namespace quarrin
