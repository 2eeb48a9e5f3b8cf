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

PaperPdf::PaperPdf(QIODevice &device, const QString &title, const QPageLayout &paper)
    : m_writer(&device)
{
    m_writer.setCreator(QStringLiteral("Word Quarrin Generator"));
    m_writer.setTitle(title);
    m_writer.setResolution(1200);
    m_writer.setPageLayout(paper);
}

bool PaperPdf::begin()
{
    if (!m_painter.begin(&m_writer))
        return false;
    const QRectF printable = m_writer.pageLayout().paintRectPixels(m_writer.resolution());
    m_area = QRectF(0, 0, printable.width(), printable.height());
    return true;
}

} // namespace quarrin
