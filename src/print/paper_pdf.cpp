#include "print/paper_pdf.h"

#include <QPageSize>

#include <algorithm>

namespace quarrin {

void paintFittedPage(QPainter &p, const std::function<void(QPainter &)> &paint,
                     const QSize &pageSize, const QRectF &target)
{
    if (pageSize.isEmpty() || target.isEmpty())
        return;
    const double scale =
        std::min(target.width() / pageSize.width(), target.height() / pageSize.height());
    p.save();
    p.translate(target.left() + (target.width() - pageSize.width() * scale) / 2.0, target.top());
    p.scale(scale, scale);
    paint(p);
    p.restore();
}

QPageLayout sheetPaper(bool letter)
{
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

} // namespace quarrin
