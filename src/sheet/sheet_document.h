#pragma once

// Whole pages in the sheet layout: the worksheet (the puzzle, then its answer
// key), on a PDF or on any paged device such as a printer.

#include "sheet/sheet_layout.h"

#include <QPageLayout>

#include <functional>

class QIODevice;

namespace quarrin {

// Draws the worksheet on `p`: the puzzle laid out in `live` with page number
// 1 at its foot; with `withKey`, a new page (through `newPage`) and the key,
// page 2. False when a page could not be started.
bool paintWorksheet(QPainter &p, const QPaintDevice &device, const std::function<bool()> &newPage,
                    const SheetPuzzle &puzzle, const SheetStyle &style, const QRectF &live,
                    bool withKey = true);

// The worksheet as a PDF of `paper` (its size, orientation and margins).
bool writeWorksheetPdf(QIODevice &out, const SheetPuzzle &puzzle, const SheetStyle &style,
                       const QPageLayout &paper, bool withKey = true);

} // namespace quarrin
