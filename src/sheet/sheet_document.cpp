#include "sheet/sheet_document.h"

#include "sheet/sheet_paper.h"

namespace quarrin {

bool paintWorksheet(QPainter &p, const QPaintDevice &device, const std::function<bool()> &newPage,
                    const SheetPuzzle &puzzle, const SheetStyle &style, const QRectF &live,
                    bool withKey)
{
    const QRectF body = live.adjusted(0, 0, 0, -footerHeight(style, device));
    for (int page = 1; page <= (withKey ? 2 : 1); ++page) {
        if (page > 1 && !newPage())
            return false;
        const bool key = page == 2;
        paintSheet(p, puzzle, style, layoutSheet(puzzle, style, body, device, key));
        paintPageNumber(p, style, live, page, device);
    }
    return true;
}

bool writeWorksheetPdf(QIODevice &out, const SheetPuzzle &puzzle, const SheetStyle &style,
                       const QPageLayout &paper, bool withKey)
{
    SheetPdf pdf(out, QStringLiteral("Word search worksheet"), paper);
    if (!pdf.begin())
        return false;
    const QRectF live = paper.paintRectPixels(int(pdf.unit() * 72.0));
    if (!paintWorksheet(pdf.painter(), pdf.device(), [&] { return pdf.newPage(); }, puzzle, style,
                        live, withKey))
        return false;
    return pdf.end();
}

} // namespace quarrin
