#include "sheet/sheet_layout.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace quarrin {

namespace {

using Wrapped = SheetWrapped;

// Letters take this share of a cell's side, unless the style asks for more.
constexpr double kLetterShare = 0.58;
constexpr double kLargestLetterShare = 0.8;
// A small grid on a large page stops growing here: 0.6 in a cell.
constexpr double kLargestCellPoints = 43.2;
// Grid letters on a key of a book's solutions section.
constexpr double kKeyLetterShare = 0.6;

double unitOf(const QPaintDevice &device)
{
    return device.logicalDpiY() / 72.0;
}

// One entry of the word list: a word, or a numbered clue.
struct Entry
{
    QString number; // "3." before a clue; empty for a plain word
    QString text;
};

std::vector<Entry> listEntries(const SheetPuzzle &puzzle, const SheetStyle &style, bool answerKey)
{
    std::vector<Entry> entries;
    const bool clues = puzzle.hasClues();
    for (int k = 0; k < puzzle.words.size(); ++k) {
        const QString word = inCase(puzzle.words.at(k), style.letterCase);
        const QString clue = puzzle.clues.value(k);
        Entry e;
        if (clues)
            e.number = QString::number(k + 1) + QLatin1Char('.');
        if (clue.isEmpty())
            e.text = word;
        else
            e.text = answerKey ? clue + QStringLiteral(": ") + word : clue;
        entries.push_back(e);
    }
    // Clues keep the order of their numbers.
    if (!clues && style.order == WordOrder::Alphabetical) {
        std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
            return QString::localeAwareCompare(a.text, b.text) < 0;
        });
    }
    return entries;
}

// The word list laid out in columns of one width.
struct ListFit
{
    int columns = 0;
    double columnWidth = 0; // of the text, the number included
    double pitch = 0;       // from one column's left to the next
    double numberWidth = 0;
    double height = 0;
    double width = 0;                        // from the first column's left to the last one's right
    std::vector<std::vector<Wrapped>> lines; // per entry
    std::vector<int> column;                 // per entry
};

class ListFitter
{
public:
    ListFitter(const std::vector<Entry> &entries, const QFont &font, const QPaintDevice &device)
        : m_entries(entries), m_font(font), m_device(device), m_metrics(font, &device)
    {
        m_gap = m_metrics.height() * 1.2;
        for (const Entry &e : entries) {
            m_numberWidth =
                std::max(m_numberWidth, e.number.isEmpty() ? 0.0
                                                           : m_metrics.horizontalAdvance(e.number) +
                                                                 m_metrics.horizontalAdvance(u' '));
            m_natural = std::max(m_natural, m_metrics.horizontalAdvance(e.text));
            m_clues = m_clues || !e.number.isEmpty();
        }
        m_natural += m_numberWidth;
    }

    bool empty() const { return m_entries.empty(); }
    double gap() const { return m_gap; }
    double lineSpacing() const { return m_metrics.lineSpacing(); }
    // The widest a column needs to be.
    double natural() const { return m_natural; }
    // The narrowest a column of clues may be made before it wraps.
    double clueColumn() const { return std::min(m_natural, m_metrics.height() * 14.0); }

    // As many columns as fit in `width` (or exactly `columns` when given).
    ListFit fit(double width, int columns = 0) const
    {
        ListFit f;
        const int n = int(m_entries.size());
        if (n == 0)
            return f;
        const double wanted = m_clues ? clueColumn() : m_natural;
        if (columns <= 0)
            columns = int(std::floor((width + m_gap) / (wanted + m_gap)));
        columns = std::clamp(columns, 1, n);
        if (!m_clues) {
            // no column left shorter than it needs to be
            const int rows = (n + columns - 1) / columns;
            columns = (n + rows - 1) / rows;
        }
        f.columns = columns;
        f.numberWidth = m_numberWidth;
        if (m_clues) {
            f.columnWidth = std::max(1.0, (width - (columns - 1) * m_gap) / columns);
            f.pitch = f.columnWidth + m_gap;
        } else {
            f.columnWidth = std::min(m_natural, width);
            f.pitch = columns > 1 ? std::min((width - f.columnWidth) / (columns - 1),
                                             f.columnWidth + 2.5 * m_gap)
                                  : 0;
        }
        f.width = (columns - 1) * f.pitch + f.columnWidth;
        int total = 0;
        for (const Entry &e : m_entries) {
            // Words get a little room over their measured width: the text
            // layout may measure a word a hair wider than the font metrics
            // did, and the longest word must not break; the gap between
            // columns takes it. Clues wrap at the column's edge.
            const double room = m_clues ? 0.0 : m_metrics.height() * 0.25;
            f.lines.push_back(
                sheetWrap(e.text, m_font, m_device, f.columnWidth - m_numberWidth + room));
            total += int(f.lines.back().size());
        }
        // Down each column in turn, the columns about equally long.
        const double spacing = m_metrics.lineSpacing();
        const double entryGap = m_clues ? spacing * 0.25 : 0.0;
        const int rowsPerColumn = (n + columns - 1) / columns;
        const double target = double(total) / columns;
        int col = 0;
        int inColumn = 0;
        int linesInColumn = 0;
        std::vector<double> heights(std::size_t(columns), 0.0);
        for (int k = 0; k < n; ++k) {
            const int count = int(f.lines[std::size_t(k)].size());
            const bool full = m_clues ? inColumn > 0 && linesInColumn + count / 2.0 > target
                                      : inColumn >= rowsPerColumn;
            if (full && col + 1 < columns) {
                ++col;
                inColumn = 0;
                linesInColumn = 0;
            }
            f.column.push_back(col);
            heights[std::size_t(col)] += (inColumn > 0 ? entryGap : 0.0) + count * spacing;
            ++inColumn;
            linesInColumn += count;
        }
        f.height = *std::max_element(heights.begin(), heights.end());
        return f;
    }

    // Adds the list's lines with its top-left corner at `topLeft`.
    void place(const ListFit &f, const QPointF &topLeft, std::vector<SheetLine> &out) const
    {
        const double spacing = m_metrics.lineSpacing();
        const double entryGap = m_clues ? spacing * 0.25 : 0.0;
        int col = -1;
        double y = 0;
        for (std::size_t k = 0; k < m_entries.size(); ++k) {
            if (f.column[k] != col) {
                col = f.column[k];
                y = topLeft.y();
            } else {
                y += entryGap;
            }
            const double x = topLeft.x() + col * f.pitch;
            const Entry &e = m_entries[k];
            bool first = true;
            for (const Wrapped &line : f.lines[k]) {
                const double baseline = y + m_metrics.ascent();
                if (first && !e.number.isEmpty()) {
                    const double w = m_metrics.horizontalAdvance(e.number);
                    out.push_back(
                        {e.number,
                         QPointF(x + f.numberWidth - w - m_metrics.horizontalAdvance(u' '),
                                 baseline),
                         SheetLine::List, w});
                }
                out.push_back(
                    {line.text, QPointF(x + f.numberWidth, baseline), SheetLine::List, line.width});
                first = false;
                y += spacing;
            }
        }
    }

private:
    const std::vector<Entry> &m_entries;
    QFont m_font;
    const QPaintDevice &m_device;
    QFontMetricsF m_metrics;
    double m_gap = 0;
    double m_numberWidth = 0;
    double m_natural = 0;
    bool m_clues = false;
};

// The grid letter size for cells of `cellPoints`.
double letterPoints(const SheetStyle &style, int columns, int rows, double cellPoints)
{
    const double largest = cellPoints * kLargestLetterShare;
    double points = style.gridPoints > 0 ? style.gridPoints : cellPoints * kLetterShare;
    points = std::max(points, style.minimumGridPoints(columns, rows));
    return std::max(1.0, std::min(points, largest));
}

} // namespace

std::vector<SheetWrapped> sheetWrap(const QString &text, const QFont &font,
                                    const QPaintDevice &device, double width)
{
    std::vector<SheetWrapped> lines;
    if (text.isEmpty())
        return lines;
    QTextLayout layout(text, font, &device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(std::max(width, 1.0));
    layout.endLayout();
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const QString part = text.mid(line.textStart(), line.textLength()).trimmed();
        if (!part.isEmpty())
            lines.push_back({part, line.naturalTextWidth()});
    }
    return lines;
}

QFont sheetFont(const SheetStyle &style, double points, bool bold)
{
    QFont font(style.fontFamily);
    font.setPointSizeF(std::max(1.0, points));
    font.setBold(bold);
    // Letters are placed one by one; kerning or hinting would only move them.
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QString sheetKeyTitle(const QString &title)
{
    return title + QStringLiteral(" \u2013 Answer Key");
}

SheetLayout layoutSheet(const SheetPuzzle &puzzle, const SheetStyle &style, const QRectF &area,
                        const QPaintDevice &device, bool answerKey)
{
    SheetLayout layout;
    layout.area = area;
    layout.answerKey = answerKey;
    layout.unit = unitOf(device);
    const double u = layout.unit;
    layout.titleFont = sheetFont(style, style.effectiveTitlePoints(), true);
    layout.listFont = sheetFont(style, style.effectiveListPoints());
    const QFontMetricsF title(layout.titleFont, &device);
    const QFontMetricsF list(layout.listFont, &device);

    // The title, centred, over as many lines as it needs.
    double y = area.top();
    const QString heading = answerKey ? sheetKeyTitle(puzzle.title) : puzzle.title;
    for (const Wrapped &line : sheetWrap(heading, layout.titleFont, device, area.width())) {
        layout.lines.push_back(
            {line.text,
             QPointF(area.left() + (area.width() - line.width) / 2.0, y + title.ascent()),
             SheetLine::Title, line.width});
        y += title.lineSpacing();
    }
    if (!heading.isEmpty())
        y += list.lineSpacing() * 0.6;

    // "Name ______  Date ______" across the width: the name gets the most room.
    if (style.nameLine) {
        const double baseline = y + list.ascent();
        const QString name = QStringLiteral("Name");
        const QString date = QStringLiteral("Date");
        const double space = list.horizontalAdvance(u' ');
        const double ruleY = baseline + list.descent() * 0.25;
        const double dateLeft = area.left() + area.width() * 0.66;
        const double nameWidth = list.horizontalAdvance(name);
        const double dateWidth = list.horizontalAdvance(date);
        layout.lines.push_back({name, QPointF(area.left(), baseline), SheetLine::List, nameWidth});
        layout.rules.emplace_back(area.left() + nameWidth + space, ruleY, dateLeft - 2 * space,
                                  ruleY);
        layout.lines.push_back({date, QPointF(dateLeft, baseline), SheetLine::List, dateWidth});
        layout.rules.emplace_back(dateLeft + dateWidth + space, ruleY, area.right(), ruleY);
        y += list.lineSpacing() * 1.8;
    }

    const std::vector<Entry> entries = listEntries(puzzle, style, answerKey);
    const ListFitter fitter(entries, layout.listFont, device);
    const QRectF body(area.left(), y, area.width(), std::max(0.0, area.bottom() - y));
    const int cols = std::max(1, puzzle.columns);
    const int rows = std::max(1, puzzle.rows);
    const double gapY = fitter.empty() ? 0.0 : list.lineSpacing() * 0.9;
    const double gapX = list.lineSpacing() * 1.2;

    // Below: the list across the whole width under the grid.
    const ListFit below = fitter.fit(body.width());
    double cell = std::min(body.width() / cols, (body.height() - below.height - gapY) / rows);
    ListFit chosen = below;
    // Beside: one or two columns right of the grid, when the grid gets larger.
    if (!fitter.empty()) {
        for (int columns = 1; columns <= 2; ++columns) {
            const double width = fitter.natural() > 0
                                     ? columns * std::min(fitter.natural(), body.width() / 2) +
                                           (columns - 1) * fitter.gap()
                                     : 0;
            const ListFit beside = fitter.fit(width, columns);
            if (beside.height > body.height())
                continue;
            const double c =
                std::min((body.width() - beside.width - gapX) / cols, body.height() / rows);
            if (c > cell * 1.02) {
                cell = c;
                chosen = beside;
                layout.listBeside = true;
            }
        }
    }
    cell = std::clamp(cell, 0.0, kLargestCellPoints * u);
    layout.cell = cell;
    layout.listColumns = chosen.columns;
    const QSizeF gridSize(cols * cell, rows * cell);
    layout.gridFont = sheetFont(style, letterPoints(style, cols, rows, cell / u));

    QPointF listTopLeft;
    if (layout.listBeside) {
        const double block = gridSize.width() + gapX + chosen.width;
        const double left = body.left() + (body.width() - block) / 2.0;
        layout.grid = QRectF(QPointF(left, body.top()), gridSize);
        listTopLeft = QPointF(layout.grid.right() + gapX, body.top());
    } else {
        layout.grid = QRectF(
            QPointF(body.left() + (body.width() - gridSize.width()) / 2.0, body.top()), gridSize);
        listTopLeft =
            QPointF(body.left() + (body.width() - chosen.width) / 2.0, layout.grid.bottom() + gapY);
    }
    layout.headLines = layout.lines.size();
    if (!fitter.empty()) {
        layout.list = QRectF(listTopLeft, QSizeF(chosen.width, chosen.height));
        fitter.place(chosen, listTopLeft, layout.lines);
    }
    layout.bottom =
        std::max(layout.grid.bottom(), layout.list.isEmpty() ? 0.0 : layout.list.bottom());
    return layout;
}

void paintSheetGrid(QPainter &p, const SheetPuzzle &puzzle, LetterCase letterCase,
                    const QPointF &topLeft, double cell, const QFont &font, bool answerKey,
                    double unit)
{
    if (cell <= 0 || puzzle.columns <= 0 || puzzle.rows <= 0)
        return;
    const QRectF grid(topLeft, QSizeF(puzzle.columns * cell, puzzle.rows * cell));
    p.save();
    // cell lines, then the outline over them
    QPen thin(kSheetCellLineColour);
    thin.setWidthF(0.4 * unit);
    p.setPen(thin);
    for (int c = 1; c < puzzle.columns; ++c)
        p.drawLine(QPointF(grid.left() + c * cell, grid.top()),
                   QPointF(grid.left() + c * cell, grid.bottom()));
    for (int r = 1; r < puzzle.rows; ++r)
        p.drawLine(QPointF(grid.left(), grid.top() + r * cell),
                   QPointF(grid.right(), grid.top() + r * cell));
    QPen frame(kSheetFrameColour);
    frame.setWidthF(1.0 * unit);
    frame.setJoinStyle(Qt::MiterJoin);
    p.setPen(frame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(grid);

    // the letters, row by row, each centred in its cell
    p.setFont(font);
    const QFontMetricsF metrics(font, p.device());
    const double capHeight = metrics.capHeight();
    const double xHeight = metrics.xHeight();
    QHash<QString, double> advances;
    QColor current = Qt::black;
    p.setPen(current);
    for (int r = 0; r < puzzle.rows; ++r) {
        for (int c = 0; c < puzzle.columns; ++c) {
            const QString letter = inCase(puzzle.letterAt(c, r), letterCase);
            if (letter.isEmpty())
                continue;
            auto it = advances.find(letter);
            if (it == advances.end())
                it = advances.insert(letter, metrics.horizontalAdvance(letter));
            const QColor colour =
                answerKey && puzzle.isFiller(c, r) ? kSheetFillerKeyColour : QColor(Qt::black);
            if (colour != current) {
                current = colour;
                p.setPen(current);
            }
            const double height = letter.at(0).isLower() ? xHeight : capHeight;
            p.drawText(QPointF(grid.left() + c * cell + (cell - *it) / 2.0,
                               grid.top() + r * cell + (cell + height) / 2.0),
                       letter);
        }
    }

    if (answerKey) {
        // Rings round the words: a rounded outline from the first letter's
        // centre to the last's, as wide as most of a cell.
        const double half = cell * 0.42;
        p.setRenderHint(QPainter::Antialiasing, true);
        QPen pen(Qt::black);
        pen.setWidthF(std::max(0.6 * unit, cell / 15.0));
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        for (int k = 0; k < puzzle.words.size(); ++k) {
            const std::optional<WordPath> &path =
                std::size_t(k) < puzzle.paths.size() ? puzzle.paths[std::size_t(k)] : std::nullopt;
            if (!path || path->length <= 0)
                continue;
            const CellPos first = path->cell(0);
            const CellPos last = path->cell(path->length - 1);
            const QPointF a(grid.left() + (first.col + 0.5) * cell,
                            grid.top() + (first.row + 0.5) * cell);
            const QPointF b(grid.left() + (last.col + 0.5) * cell,
                            grid.top() + (last.row + 0.5) * cell);
            const QPointF d = b - a;
            const double length = std::hypot(d.x(), d.y());
            p.save();
            p.translate(a);
            p.rotate(std::atan2(d.y(), d.x()) * 180.0 / M_PI);
            p.drawRoundedRect(QRectF(-half, -half, length + 2 * half, 2 * half), half, half);
            p.restore();
        }
    }
    p.restore();
}

void paintSheet(QPainter &p, const SheetPuzzle &puzzle, const SheetStyle &style,
                const SheetLayout &layout)
{
    p.save();
    p.setPen(Qt::black);
    // Title and name line, the grid, then the list: the order a reader takes.
    std::size_t k = 0;
    const auto drawLine = [&](const SheetLine &line) {
        p.setFont(line.font == SheetLine::Title ? layout.titleFont : layout.listFont);
        p.drawText(line.baseline, line.text);
    };
    for (; k < layout.headLines; ++k)
        drawLine(layout.lines[k]);
    QPen rule(Qt::black);
    rule.setWidthF(0.6 * layout.unit);
    p.setPen(rule);
    for (const QLineF &line : layout.rules)
        p.drawLine(line);
    p.setPen(Qt::black);
    paintSheetGrid(p, puzzle, style.letterCase, layout.grid.topLeft(), layout.cell, layout.gridFont,
                   layout.answerKey, layout.unit);
    p.setPen(Qt::black);
    for (; k < layout.lines.size(); ++k)
        drawLine(layout.lines[k]);
    p.restore();
}

double paintSheetKey(QPainter &p, const SheetPuzzle &puzzle, const SheetStyle &style,
                     const QRectF &box, const QString &label, const QPaintDevice &device)
{
    const double u = unitOf(device);
    const QFont labelFont =
        sheetFont(style, std::max(7.0, style.effectiveListPoints() * 0.8), true);
    const QFontMetricsF metrics(labelFont, &device);
    const std::vector<Wrapped> lines = sheetWrap(label, labelFont, device, box.width());
    const double labelHeight = lines.size() * metrics.lineSpacing() + metrics.lineSpacing() * 0.3;
    const int cols = std::max(1, puzzle.columns);
    const int rows = std::max(1, puzzle.rows);
    const double cell =
        std::clamp(std::min(box.width() / cols, (box.height() - labelHeight) / rows), 0.0,
                   kLargestCellPoints * u);
    const double gridWidth = cols * cell;
    const double left = box.left() + (box.width() - gridWidth) / 2.0;
    p.save();
    p.setPen(Qt::black);
    p.setFont(labelFont);
    double y = box.top();
    for (const Wrapped &line : lines) {
        p.drawText(QPointF(box.left() + (box.width() - line.width) / 2.0, y + metrics.ascent()),
                   line.text);
        y += metrics.lineSpacing();
    }
    const double points = std::max(1.0, cell / u * kKeyLetterShare);
    paintSheetGrid(p, puzzle, style.letterCase, QPointF(left, box.top() + labelHeight), cell,
                   sheetFont(style, points), true, u);
    p.restore();
    return points;
}

double footerHeight(const SheetStyle &style, const QPaintDevice &device)
{
    const QFontMetricsF metrics(sheetFont(style, std::max(9.0, style.effectiveListPoints() * 0.85)),
                                &device);
    return metrics.height() * 1.8;
}

void paintPageNumber(QPainter &p, const SheetStyle &style, const QRectF &live, int number,
                     const QPaintDevice &device)
{
    const QFont font = sheetFont(style, std::max(9.0, style.effectiveListPoints() * 0.85));
    const QFontMetricsF metrics(font, &device);
    const QString text = QString::number(number);
    p.save();
    p.setPen(Qt::black);
    p.setFont(font);
    p.drawText(QPointF(live.center().x() - metrics.horizontalAdvance(text) / 2.0,
                       live.bottom() - metrics.descent()),
               text);
    p.restore();
}

QList<DrawnText> sheetDrawnTexts(const SheetPuzzle &puzzle, const SheetStyle &style, bool withKey)
{
    // The family is what counts, not the size; the title is bold.
    const QFont plain = sheetFont(style, style.effectiveListPoints());
    const QFont bold = sheetFont(style, style.effectiveTitlePoints(), true);
    QString titles = puzzle.title;
    QString list;
    if (style.nameLine)
        list += QStringLiteral("Name Date ");
    list += QStringLiteral("1 2 "); // page numbers
    for (bool key : {false, true}) {
        if (key && !withKey)
            break;
        if (key)
            titles += QLatin1Char(' ') + sheetKeyTitle(puzzle.title);
        for (const Entry &e : listEntries(puzzle, style, key))
            list += e.number + QLatin1Char(' ') + e.text + QLatin1Char(' ');
    }
    QString letters;
    for (int r = 0; r < puzzle.rows; ++r)
        for (int c = 0; c < puzzle.columns; ++c)
            letters += inCase(puzzle.letterAt(c, r), style.letterCase);
    return {DrawnText{{bold}, titles}, DrawnText{{plain}, list}, DrawnText{{plain}, letters}};
}

} // namespace quarrin
