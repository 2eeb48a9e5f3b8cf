#include "print/page_renderer.h"

#include "grid/pub_str_grid.h"
#include "print/page_elements.h"
#include "print/paper_pdf.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace quarrin {

namespace {

// Font names standing in for the design's faces.
const QString kSansFace = QStringLiteral("Liberation Sans");
const QString kKeySuffix = QStringLiteral(" \u2013 Answer Key");
// The grid's outline on white paper: the darkest shade of its on-screen edge.
const QColor kGridOutline(0x40, 0x40, 0x40);

QString numberPrefix(int k)
{
    return QString::number(k) + QStringLiteral(". ");
}

// Fills the one-pixel ring just inside `r`.
void fillRing(QPainter &p, const QRect &r, const QColor &colour)
{
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    p.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), colour);
    p.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), colour);
}

// Covers the grid control's sunken two-pixel edge (dark top and left, white
// bottom and right) with a dark outline of the same width on all four sides.
void outlineGridOnWhite(QPainter &p, const QRect &grid, const QColor &frame)
{
    // The control draws its edge as lines, which a PDF or printer strokes
    // half a pixel outside the grid; a ring of the frame's colour hides that
    // sliver (on a picture it lies on the frame already).
    fillRing(p, grid.adjusted(-1, -1, 1, 1), frame);
    fillRing(p, grid, kGridOutline);
    fillRing(p, grid.adjusted(1, 1, -1, -1), kGridOutline);
}

} // namespace

QFont pageWindowFont()
{
    QFont f(kSansFace);
    f.setPixelSize(11);
    return f;
}

QFont pageTitleFont()
{
    QFont f(kSansFace);
    f.setPixelSize(32);
    f.setBold(true);
    return f;
}

PageDescription PageDescription::standard(GridSize size, const PuzzleSnapshot &puzzle)
{
    const PrintLayout &layout = printLayout(size);
    PageDescription page;
    page.size = size;
    page.width = layout.clientWidth;
    page.title = QStringLiteral("Word Quarrin");
    page.titlePos = layout.titlePos;
    page.titleFont = pageTitleFont();
    const int count = sizeSpec(size).snapshotWords;
    for (int k = 1; k <= count; ++k) {
        const QString word = k - 1 < puzzle.words.size() ? puzzle.words.at(k - 1) : QString();
        const QString clue = puzzle.clues.value(k - 1);
        page.labels << (word.isEmpty() ? QString()
                                       : numberPrefix(k) + (clue.isEmpty() ? word : clue));
    }
    page.wordFont = pageWindowFont();
    page.gridFont = pageWindowFont();
    page.pageColour = kStartPageColour;
    page.frameColour = kStartFrameColour;
    page.cellColour = kStartCellColour;
    page.puzzle = puzzle;
    return page;
}

std::vector<AnswerRing> answerRings(const PuzzleSnapshot &puzzle)
{
    std::vector<AnswerRing> rings;
    const int count =
        int(std::min<std::size_t>(puzzle.paths.size(), std::size_t(puzzle.words.size())));
    for (int k = 0; k < count; ++k) {
        const std::optional<WordPath> &path = puzzle.paths[std::size_t(k)];
        if (path && path->length > 0 && !puzzle.words.at(k).isEmpty())
            rings.push_back(AnswerRing{k, *path});
    }
    return rings;
}

QString answerKeyTitle(const QString &title)
{
    return title + kKeySuffix;
}

QString answerKeyCaption(const QString &caption, const QString &word)
{
    const int dot = int(caption.indexOf(QLatin1String(". ")));
    if (caption.isEmpty() || word.isEmpty() || dot < 0)
        return caption;
    const QString shown = caption.mid(dot + 2);
    if (shown == word)
        return caption;
    // a label emptied by a blank clue shows the bare answer
    if (shown.isEmpty())
        return caption + word;
    return caption + QStringLiteral(": ") + word;
}

QList<DrawnText> pageDrawnTexts(const PageDescription &page, const PageOptions &options)
{
    // As paint() draws them.
    QString labels;
    for (int k = 0; k < page.labels.size(); ++k) {
        const QString &caption = page.labels.at(k);
        labels +=
            (options.answerKey ? answerKeyCaption(caption, page.puzzle.words.value(k)) : caption) +
            QLatin1Char(' ');
    }
    return {
        DrawnText{{page.titleFont}, options.answerKey ? answerKeyTitle(page.title) : page.title},
        DrawnText{{page.wordFont}, labels}, DrawnText{{page.gridFont}, page.puzzle.letters}};
}

PageRenderer::PageRenderer() : m_grid(std::make_unique<TPubStrGrid>())
{
    // set up as the print windows set up their grids
    m_grid->setOptions(TPubStrGrid::goFixedVertLine | TPubStrGrid::goFixedHorzLine |
                       TPubStrGrid::goVertLine | TPubStrGrid::goHorzLine |
                       TPubStrGrid::goRangeSelect | TPubStrGrid::goRowSizing |
                       TPubStrGrid::goColSizing | TPubStrGrid::goRowMoving |
                       TPubStrGrid::goColMoving | TPubStrGrid::goEditing | TPubStrGrid::goTabs);
    m_grid->setGrid3D(false);
    m_grid->setAlignment(Qt::AlignHCenter);
    m_grid->setOnGetCellColor([this](TPubStrGrid *, int row, int col, TPubStrGrid::DrawState,
                                     QBrush &, QFont &, QColor &fontColor) {
        if (m_dimFilled && m_puzzle && m_puzzle->isFilled(col, row))
            fontColor = kKeyFilledLetterColour;
    });
}

PageRenderer::~PageRenderer() = default;

void PageRenderer::setUpGrid(const PageDescription &page, const PageOptions &options,
                             const PageGeometry &geometry)
{
    const SizeSpec &spec = sizeSpec(page.size);
    if (m_grid->colCount() != spec.columns || m_grid->rowCount() != spec.rows ||
        m_grid->defaultColWidth() != geometry.cellPixels) {
        m_grid->setColCount(spec.columns);
        m_grid->setRowCount(spec.rows);
        m_grid->setDefaultColWidth(geometry.cellPixels);
        m_grid->setDefaultRowHeight(geometry.cellPixels);
    }
    m_grid->resize(geometry.gridRect.size());
    m_grid->setCellColor(page.cellColour);
    m_grid->setFont(fittedGridFont(page.gridFont, page.size, geometry.cellPixels));
    const QString &letters = page.puzzle.letters;
    for (int i = 0; i < spec.storeColumns; ++i) {
        for (int j = 0; j < spec.storeRows; ++j)
            m_grid->setCell(i, j, letters.mid(i * spec.storeRows + j, 1));
    }
    m_dimFilled = options.answerKey;
    m_puzzle = &page.puzzle;
}

void PageRenderer::paint(QPainter &p, const PageDescription &page, const PageOptions &options)
{
    const PageGeometry layout = pageGeometry(page.size, page.labels, page.wordFont);
    const QRect pageRect(QPoint(0, 0), page.pageSize());
    const QColor pageColour = options.whiteBackground ? QColor(Qt::white) : page.pageColour;
    const QColor frameColour = options.whiteBackground ? QColor(Qt::white) : page.frameColour;

    // No clip of its own: a PDF repeats the whole clip with every cell drawn.
    p.save();
    p.fillRect(pageRect, pageColour);

    auto label = [&p](const QPoint &pos, const QFont &font, const QString &text) {
        drawLabelText(p, QRect(pos, labelSizeFor(font, text)), font, Qt::black, text);
    };
    label(page.titlePos, page.titleFont,
          options.answerKey ? answerKeyTitle(page.title) : page.title);
    for (int k = 0; k < page.labels.size(); ++k) {
        QString caption = page.labels.at(k);
        if (options.answerKey)
            caption = answerKeyCaption(caption, page.puzzle.words.value(k));
        label(layout.labelPositions[std::size_t(k)], page.wordFont, caption);
    }
    // On white paper the frame's bevel would show only its shadow half: the
    // frame is left plain and the grid gets an even outline instead.
    if (options.whiteBackground)
        p.fillRect(layout.frameRect, frameColour);
    else
        drawSunkenPanel(p, layout.frameRect, frameColour);

    setUpGrid(page, options, layout);
    m_grid->paintCells(p, layout.gridRect);
    if (options.whiteBackground)
        outlineGridOnWhite(p, layout.gridRect, frameColour);

    if (options.answerKey) {
        // Rings round the words: a rounded outline from the first letter's
        // centre to the last's, as wide as most of a cell.
        const double cell = layout.cellPixels;
        const double half = cell * 0.42;
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.translate(layout.gridRect.topLeft());
        p.setClipRect(QRect(2, 2, layout.gridRect.width() - 4, layout.gridRect.height() - 4),
                      Qt::IntersectClip);
        QPen pen(Qt::black);
        pen.setWidthF(std::max(1.2, cell / 15.0));
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        for (const AnswerRing &ring : answerRings(page.puzzle)) {
            const CellPos first = ring.path.cell(0);
            const CellPos last = ring.path.cell(ring.path.length - 1);
            const QPointF a = QRectF(m_grid->cellRect(first.col, first.row)).center();
            const QPointF b = QRectF(m_grid->cellRect(last.col, last.row)).center();
            const QPointF d = b - a;
            const double length = std::hypot(d.x(), d.y());
            p.save();
            p.translate(a);
            p.rotate(std::atan2(d.y(), d.x()) * 180.0 / M_PI);
            p.drawRoundedRect(QRectF(-half, -half, length + 2 * half, 2 * half), half, half);
            p.restore();
        }
        p.restore();
    }
    m_puzzle = nullptr;
    p.restore();
}

void PageRenderer::paintFitted(QPainter &p, const PageDescription &page, const PageOptions &options,
                               const QRectF &target)
{
    paintFittedPage(
        p, [&](QPainter &painter) { paint(painter, page, options); }, page.pageSize(), target);
}

QImage PageRenderer::image(const PageDescription &page, const PageOptions &options)
{
    QImage picture(page.pageSize(), QImage::Format_RGB32);
    picture.fill(options.whiteBackground ? QColor(Qt::white) : page.pageColour);
    QPainter p(&picture);
    paint(p, page, options);
    p.end();
    return picture;
}

} // namespace quarrin
