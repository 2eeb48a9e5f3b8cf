#include "print/puzzle_book.h"

#include "print/paper_pdf.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quarrin {

namespace {

constexpr int kKeysAcross = 2;
constexpr int kKeysDown = 2;

} // namespace

QPageLayout bookPaper(bool letter)
{
    return sheetPaper(letter);
}

bool writePuzzleBookPdf(QIODevice &device, const std::vector<PageDescription> &pages,
                        const QPageLayout &paper)
{
    if (pages.empty())
        return false;
    PaperPdf pdf(device, QStringLiteral("Word search puzzles"), paper);
    if (!pdf.begin())
        return false;
    QPainter &p = pdf.painter();
    const QRectF area = pdf.area();
    PageRenderer renderer;
    bool first = true;
    const auto nextPage = [&] {
        if (!first && !pdf.newPage())
            return false;
        first = false;
        return true;
    };
    for (const PageDescription &page : pages) {
        if (!nextPage())
            return false;
        renderer.paintFitted(p, page, PageOptions{}, area);
    }
    PageOptions key;
    key.answerKey = true;
    const int perSheet = kKeysAcross * kKeysDown;
    const QSizeF cell(area.width() / kKeysAcross, area.height() / kKeysDown);
    for (std::size_t k = 0; k < pages.size(); ++k) {
        const int slot = int(k % std::size_t(perSheet));
        if (slot == 0 && !nextPage())
            return false;
        const QRectF box(
            QPointF((slot % kKeysAcross) * cell.width(), (slot / kKeysAcross) * cell.height()),
            cell);
        renderer.paintFitted(p, pages[k], key, box.adjusted(8, 8, -8, -8));
    }
    return pdf.end();
}

QString writePuzzleBook(const QString &path, const std::vector<PageDescription> &pages,
                        const QPageLayout &paper)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writePuzzleBookPdf(buffer, pages, paper))
        return QStringLiteral("cannot write %1: the pages could not be drawn").arg(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.size() ||
        !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return QString();
}

} // namespace quarrin
