#pragma once

// Putting pages drawn in page pixels onto paper: a page scaled to fit a
// printable area (a printer set to fit the page), and the worksheet's paper.

#include <QPageLayout>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>

namespace quarrin {

// Draws a page of `pageSize` pixels into `target`: scaled to its width, or to
// its height where the width would make the page too tall; centred across and
// at the top. An empty page or target draws nothing.
void paintFittedPage(QPainter &p, const std::function<void(QPainter &)> &paint,
                     const QSize &pageSize, const QRectF &target);

// A4 or Letter, portrait, with 10 mm margins.
QPageLayout sheetPaper(bool letter);

} // namespace quarrin
