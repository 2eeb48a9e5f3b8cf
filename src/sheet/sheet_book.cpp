#include "sheet/sheet_book.h"

#include "sheet/sheet_layout.h"
#include "sheet/sheet_paper.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace quarrin {

namespace {

// Where the pages of a book put things, in device units.
struct BookGeometry
{
    double unit = 1; // device units per point
    double bleed = 0;
    QSizeF trim;
    double gutter = 0;

    double inches(double in) const { return in * 72.0 * unit; }
    // Odd pages are right-hand pages: their binding edge is on the left,
    // and the bleed, when there is one, on the right.
    QRectF trimRect(int number) const
    {
        const bool right = number % 2 == 1;
        return QRectF(QPointF(right ? 0.0 : bleed, bleed), trim);
    }
    QRectF live(int number) const
    {
        const QRectF t = trimRect(number);
        const bool right = number % 2 == 1;
        const double outside = inches(kOutsideMarginInches);
        return QRectF(QPointF(t.left() + (right ? gutter : outside), t.top() + inches(kTopMarginInches)),
                      QPointF(t.right() - (right ? outside : gutter),
                              t.bottom() - inches(kBottomMarginInches)));
    }
};

// Keys across and down a solutions page.
QSize keyGrid(int perPage)
{
    switch (perPage) {
    case 1:
        return QSize(1, 1);
    case 2:
        return QSize(1, 2);
    case 6:
        return QSize(2, 3);
    case 9:
        return QSize(3, 3);
    default:
        return QSize(2, 2);
    }
}

struct TocEntry
{
    QString title;
    int page = 0;
};

// One line of the table of contents, from the top-left of the live area; an
// entry's last line carries its page number and the dotted leader to it.
struct TocLine
{
    QString text;
    QPointF baseline;
    bool heading = false;
    QString number;
    QPointF numberAt;
    QLineF leader;
};

using TocPage = std::vector<TocLine>;

std::vector<TocPage> layOutContents(const std::vector<TocEntry> &entries, const SheetStyle &style,
                                    const QSizeF &live, double footer, const QPaintDevice &device)
{
    const QFont headingFont = sheetFont(style, style.effectiveTitlePoints(), true);
    const QFont font = sheetFont(style, style.effectiveListPoints());
    const QFontMetricsF heading(headingFont, &device);
    const QFontMetricsF metrics(font, &device);
    const double numberColumn = metrics.horizontalAdvance(QStringLiteral("0000"));
    const double textWidth = std::max(1.0, live.width() - numberColumn - metrics.height() * 2);
    const double bottom = live.height() - footer;
    std::vector<TocPage> pages(1);
    const QString title = QStringLiteral("Contents");
    TocLine top;
    top.text = title;
    top.baseline = QPointF((live.width() - heading.horizontalAdvance(title)) / 2.0, heading.ascent());
    top.heading = true;
    pages[0].push_back(top);
    double y = heading.lineSpacing() * 1.6;
    for (const TocEntry &entry : entries) {
        const std::vector<SheetWrapped> wrapped = sheetWrap(entry.title, font, device, textWidth);
        const double height = double(wrapped.size()) * metrics.lineSpacing();
        if (y + height > bottom && y > 0) {
            pages.emplace_back();
            y = 0;
        }
        TocPage &page = pages.back();
        for (std::size_t i = 0; i < wrapped.size(); ++i) {
            TocLine out;
            out.text = wrapped[i].text;
            out.baseline = QPointF(0, y + metrics.ascent());
            if (i + 1 == wrapped.size()) {
                out.number = QString::number(entry.page);
                const double numberLeft = live.width() - metrics.horizontalAdvance(out.number);
                out.numberAt = QPointF(numberLeft, out.baseline.y());
                out.leader = QLineF(wrapped[i].width + metrics.height() * 0.5, out.baseline.y(),
                                    numberLeft - metrics.height() * 0.5, out.baseline.y());
            }
            page.push_back(out);
            y += metrics.lineSpacing();
        }
        y += metrics.lineSpacing() * 0.25;
    }
    return pages;
}

void paintContentsPage(QPainter &p, const TocPage &page, const SheetStyle &style,
                       const QPointF &origin, double unit)
{
    const QFont headingFont = sheetFont(style, style.effectiveTitlePoints(), true);
    const QFont font = sheetFont(style, style.effectiveListPoints());
    QPen dots(QColor(120, 120, 120));
    dots.setWidthF(0.8 * unit);
    dots.setStyle(Qt::DotLine);
    dots.setCapStyle(Qt::RoundCap);
    p.save();
    // each entry's title, then its page number: the order it is read in
    for (const TocLine &line : page) {
        p.setPen(Qt::black);
        p.setFont(line.heading ? headingFont : font);
        p.drawText(origin + line.baseline, line.text);
        if (line.number.isEmpty())
            continue;
        p.drawText(origin + line.numberAt, line.number);
        if (line.leader.dx() > 0) {
            p.setPen(dots);
            p.drawLine(line.leader.translated(origin));
        }
    }
    p.restore();
}

void paintTitlePage(QPainter &p, const BookOptions &options, int puzzles, const QRectF &live,
                    const QPaintDevice &device)
{
    const QFont big = sheetFont(options.style, options.style.effectiveTitlePoints() * 1.6, true);
    const QFont small = sheetFont(options.style, options.style.effectiveListPoints() * 1.2);
    const QFontMetricsF bigMetrics(big, &device);
    const QFontMetricsF smallMetrics(small, &device);
    p.save();
    p.setPen(Qt::black);
    double y = live.top() + live.height() * 0.3;
    const auto centred = [&](const QString &text, const QFont &font, const QFontMetricsF &m) {
        p.setFont(font);
        for (const SheetWrapped &line : sheetWrap(text, font, device, live.width())) {
            p.drawText(QPointF(live.left() + (live.width() - line.width) / 2.0, y + m.ascent()),
                       line.text);
            y += m.lineSpacing();
        }
    };
    centred(options.title, big, bigMetrics);
    y += bigMetrics.lineSpacing();
    centred(puzzles == 1 ? QStringLiteral("1 word search puzzle")
                         : QStringLiteral("%1 word search puzzles").arg(puzzles),
            small, smallMetrics);
    centred(QStringLiteral("with solutions"), small, smallMetrics);
    p.restore();
}

// Whether two puzzles to a page keep their letters legible and their lists whole.
bool twoUpLegible(const std::vector<SheetPuzzle> &puzzles, const SheetStyle &style,
                  const QRectF &half, const QPaintDevice &device)
{
    const double least = style.largePrint ? kLargeGridPoints : kLeastTwoUpLetterPoints;
    for (const SheetPuzzle &puzzle : puzzles) {
        const SheetLayout layout = layoutSheet(puzzle, style, half, device, false);
        if (layout.gridPoints() < least - 0.01 || layout.bottom > half.bottom() + 0.5)
            return false;
    }
    return true;
}

QString keyLabel(const SheetPuzzle &puzzle, int page)
{
    return QStringLiteral("%1 (page %2)").arg(puzzle.title).arg(page);
}

} // namespace

bool writeSheetBookPdf(QIODevice &out, const std::vector<SheetPuzzle> &puzzles,
                       const BookOptions &options, BookReport *report)
{
    if (puzzles.empty())
        return false;
    const SheetStyle &style = options.style;
    const QSizeF trimPoints = options.trim.sizePoints();
    const double bleedPoints = options.bleed ? kBleedInches * 72.0 : 0.0;
    const QPageSize pageSize(
        QSizeF(trimPoints.width() + bleedPoints, trimPoints.height() + 2 * bleedPoints),
        QPageSize::Point, QString(), QPageSize::ExactMatch);
    SheetPdf pdf(out, options.title, QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()));
    if (!pdf.begin())
        return false;
    const QPaintDevice &device = pdf.device();
    QPainter &p = pdf.painter();

    BookGeometry geometry;
    geometry.unit = pdf.unit();
    geometry.bleed = bleedPoints * geometry.unit;
    geometry.trim = trimPoints * geometry.unit;
    const double footer = footerHeight(style, device);
    const int count = int(puzzles.size());
    const int keysPerPage = std::clamp(options.keysPerPage, 1, 9);
    const QSize keysAcross = keyGrid(keysPerPage);
    const int keyPages = (count + keysPerPage - 1) / keysPerPage;

    // The page count sets the inside margin, which sets how much the table of
    // contents takes: settled in a few rounds.
    int perPage = 1;
    int contentsPages = 0;
    int total = 0;
    int padded = 0;
    geometry.gutter = geometry.inches(gutterInches(kLeastBookPages));
    for (int round = 0; round < 4; ++round) {
        const QRectF live = geometry.live(1);
        if (round == 0 && options.perPage == 2) {
            const double gap = geometry.inches(0.3);
            const QRectF body = live.adjusted(0, 0, 0, -footer);
            const QRectF half(body.topLeft(), QSizeF(body.width(), (body.height() - gap) / 2.0));
            perPage = twoUpLegible(puzzles, style, half, device) ? 2 : 1;
        }
        const int puzzlePages = (count + perPage - 1) / perPage;
        if (options.contents) {
            std::vector<TocEntry> entries(static_cast<std::size_t>(count) + 1);
            for (int k = 0; k < count; ++k)
                entries[std::size_t(k)].title = puzzles[std::size_t(k)].title;
            entries.back().title = QStringLiteral("Solutions");
            contentsPages = int(layOutContents(entries, style, live.size(), footer, device).size());
        }
        total = (options.titlePage ? 1 : 0) + contentsPages + puzzlePages + keyPages;
        padded = total;
        if (options.pad)
            padded = std::max(kLeastBookPages, total + total % 2);
        const double gutter = geometry.inches(gutterInches(padded));
        if (gutter == geometry.gutter)
            break;
        geometry.gutter = gutter;
    }

    const int firstPuzzlePage = (options.titlePage ? 1 : 0) + contentsPages + 1;
    const int puzzlePages = (count + perPage - 1) / perPage;
    const int firstKeyPage = firstPuzzlePage + puzzlePages;
    std::vector<int> puzzlePage(static_cast<std::size_t>(count), 0);
    for (int k = 0; k < count; ++k)
        puzzlePage[std::size_t(k)] = firstPuzzlePage + k / perPage;

    int number = 0;
    const auto nextPage = [&] {
        if (number > 0 && !pdf.newPage())
            return false;
        ++number;
        return true;
    };

    if (options.titlePage) {
        if (!nextPage())
            return false;
        paintTitlePage(p, options, count, geometry.live(number), device);
    }
    if (options.contents) {
        std::vector<TocEntry> entries;
        for (int k = 0; k < count; ++k)
            entries.push_back({puzzles[std::size_t(k)].title, puzzlePage[std::size_t(k)]});
        entries.push_back({QStringLiteral("Solutions"), firstKeyPage});
        const std::vector<TocPage> pages =
            layOutContents(entries, style, geometry.live(1).size(), footer, device);
        for (const TocPage &page : pages) {
            if (!nextPage())
                return false;
            const QRectF live = geometry.live(number);
            paintContentsPage(p, page, style, live.topLeft(), geometry.unit);
            paintPageNumber(p, style, live, number, device);
        }
    }
    for (int k = 0; k < count; k += perPage) {
        if (!nextPage())
            return false;
        const QRectF live = geometry.live(number);
        const QRectF body = live.adjusted(0, 0, 0, -footer);
        const double gap = perPage == 2 ? geometry.inches(0.3) : 0.0;
        const double height = (body.height() - gap * (perPage - 1)) / perPage;
        for (int i = 0; i < perPage && k + i < count; ++i) {
            const QRectF area(QPointF(body.left(), body.top() + i * (height + gap)),
                              QSizeF(body.width(), height));
            const SheetPuzzle &puzzle = puzzles[std::size_t(k + i)];
            paintSheet(p, puzzle, style, layoutSheet(puzzle, style, area, device, false));
        }
        paintPageNumber(p, style, live, number, device);
    }
    const QFont headingFont = sheetFont(style, style.effectiveTitlePoints() * 0.8, true);
    const QFontMetricsF heading(headingFont, &device);
    const QString solutions = QStringLiteral("Solutions");
    for (int k = 0; k < count; k += keysPerPage) {
        if (!nextPage())
            return false;
        const QRectF live = geometry.live(number);
        p.save();
        p.setFont(headingFont);
        p.setPen(Qt::black);
        p.drawText(QPointF(live.left() + (live.width() - heading.horizontalAdvance(solutions)) / 2.0,
                           live.top() + heading.ascent()),
                   solutions);
        p.restore();
        const QRectF body = live.adjusted(0, heading.lineSpacing() * 1.5, 0, -footer);
        const double gapX = geometry.inches(0.25);
        const double gapY = geometry.inches(0.2);
        const QSizeF box((body.width() - gapX * (keysAcross.width() - 1)) / keysAcross.width(),
                         (body.height() - gapY * (keysAcross.height() - 1)) / keysAcross.height());
        for (int i = 0; i < keysPerPage && k + i < count; ++i) {
            const int col = i % keysAcross.width();
            const int row = i / keysAcross.width();
            const QRectF cell(QPointF(body.left() + col * (box.width() + gapX),
                                      body.top() + row * (box.height() + gapY)),
                              box);
            const SheetPuzzle &puzzle = puzzles[std::size_t(k + i)];
            paintSheetKey(p, puzzle, style, cell, keyLabel(puzzle, puzzlePage[std::size_t(k + i)]),
                          device);
        }
        paintPageNumber(p, style, live, number, device);
    }
    // Blank pages to make up the count: nothing on them, not even a number.
    while (number < padded) {
        if (!nextPage())
            return false;
    }
    if (report) {
        report->pages = number;
        report->blankPages = number - total;
        report->perPage = perPage;
        report->gutterInches = geometry.gutter / geometry.inches(1.0);
        report->puzzlePages = puzzlePage;
    }
    return pdf.end();
}

} // namespace quarrin
