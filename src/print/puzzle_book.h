#pragma once

// A puzzle book as one PDF: every puzzle on a page of its own, fitted to the
// paper, then the answer keys at the back, four to a page. Pages are drawn by
// the PageRenderer, so text stays text and the fonts are embedded. Needs a
// GUI application object (the offscreen platform does) but no window.

#include "print/page_renderer.h"

#include <QPageLayout>
#include <QString>

#include <vector>

class QIODevice;

namespace quarrin {

// Writes the book to `device`; false when a page could not be drawn.
bool writePuzzleBookPdf(QIODevice &device, const std::vector<PageDescription> &pages,
                        const QPageLayout &paper);

// Writes the book to `path` through a file beside it that is renamed over
// `path` when complete. Returns what went wrong, or an empty text.
QString writePuzzleBook(const QString &path, const std::vector<PageDescription> &pages,
                        const QPageLayout &paper);

// A4 or Letter, portrait, 10 mm margins.
QPageLayout bookPaper(bool letter);

} // namespace quarrin
