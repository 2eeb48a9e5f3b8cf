// The grid control as a widget: sizes, cells, selection, rows, drawing,
// mouse and keys. Its text file is read and written in pub_str_grid_file.cpp.

#include "grid/pub_str_grid.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace quarrin {

namespace {

constexpr int kMaxDrawnChars = 255;

int floorDiv2(int v)
{
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

} // namespace

TPubStrGrid::TPubStrGrid(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_options =
        GridOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect |
                    goRowMoving | goColMoving | goEditing | goTabs | goRowSizing | goColSizing);
    m_defaultRowHeight = 21;
    m_cellDelimiter = QLatin1Char('|');
    m_colWidths[0] = 21;
    m_alignment = Qt::AlignLeft;
}

TPubStrGrid::~TPubStrGrid()
{
    if (m_autoSave && !m_fileName.isEmpty()) {
        const GridFileResult r = saveToFile(m_fileName);
        if (!r.ok)
            qWarning("%s", qPrintable(r.error));
    }
}

// --- size and layout ---------------------------------------------------------

void TPubStrGrid::setColCount(int count)
{
    count = std::max(count, 1);
    if (count == m_colCount)
        return;
    m_colCount = count;
    updateGeometry();
    update();
}

void TPubStrGrid::setRowCount(int count)
{
    count = std::max(count, 1);
    if (count == m_rowCount)
        return;
    m_rowCount = count;
    updateGeometry();
    update();
}

void TPubStrGrid::setDefaultColWidth(int width)
{
    m_defaultColWidth = std::max(width, 0);
    m_colWidths.clear();
    updateGeometry();
    update();
}

void TPubStrGrid::setDefaultRowHeight(int height)
{
    m_defaultRowHeight = std::max(height, 0);
    m_rowHeights.clear();
    updateGeometry();
    update();
}

int TPubStrGrid::colWidth(int col) const
{
    const auto it = m_colWidths.find(col);
    return it == m_colWidths.end() ? m_defaultColWidth : it->second;
}

int TPubStrGrid::rowHeight(int row) const
{
    const auto it = m_rowHeights.find(row);
    return it == m_rowHeights.end() ? m_defaultRowHeight : it->second;
}

void TPubStrGrid::setColWidth(int col, int width)
{
    if (col < 0)
        return;
    width = std::max(width, 0);
    if (width == m_defaultColWidth)
        m_colWidths.erase(col);
    else
        m_colWidths[col] = width;
    update();
}

void TPubStrGrid::setRowHeight(int row, int height)
{
    if (row < 0)
        return;
    height = std::max(height, 0);
    if (height == m_defaultRowHeight)
        m_rowHeights.erase(row);
    else
        m_rowHeights[row] = height;
    update();
}

void TPubStrGrid::setOptions(GridOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    update();
}

QRect TPubStrGrid::cellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= m_colCount || row >= m_rowCount)
        return QRect();
    int x = frameWidth();
    for (int c = 0; c < col; ++c)
        x += colWidth(c) + gridLineWidth();
    int y = frameWidth();
    for (int r = 0; r < row; ++r)
        y += rowHeight(r) + gridLineWidth();
    return QRect(x, y, colWidth(col), rowHeight(row));
}

bool TPubStrGrid::cellAt(const QPoint &pos, int *col, int *row) const
{
    int x = frameWidth();
    int foundCol = -1;
    for (int c = 0; c < m_colCount && x <= pos.x(); ++c) {
        const int w = colWidth(c) + gridLineWidth();
        if (pos.x() < x + w) {
            foundCol = c;
            break;
        }
        x += w;
    }
    int y = frameWidth();
    int foundRow = -1;
    for (int r = 0; r < m_rowCount && y <= pos.y(); ++r) {
        const int h = rowHeight(r) + gridLineWidth();
        if (pos.y() < y + h) {
            foundRow = r;
            break;
        }
        y += h;
    }
    if (foundCol < 0 || foundRow < 0)
        return false;
    *col = foundCol;
    *row = foundRow;
    return true;
}

// --- cells -----------------------------------------------------------------------

QString TPubStrGrid::cell(int col, int row) const
{
    const auto it = m_cells.find({row, col});
    return it == m_cells.end() ? QString() : it->second;
}

void TPubStrGrid::setCellText(int col, int row, const QString &text)
{
    if (col < 0 || row < 0)
        return;
    if (text.isEmpty())
        m_cells.erase({row, col});
    else
        m_cells[{row, col}] = text;
    updateCell(col, row);
}

void TPubStrGrid::setCell(int col, int row, const QString &text)
{
    if (cell(col, row) != text)
        setCellText(col, row, text);
}

void TPubStrGrid::clearCells()
{
    bool changed = false;
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (it->first.second < m_colCount) {
            it = m_cells.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    if (changed)
        update();
}

void TPubStrGrid::updateCell(int col, int row)
{
    // update() ignores a hidden grid; finding the cell's place costs a walk
    // over every column and row before it, so skip it as well.
    if (!isVisible() || !updatesEnabled())
        return;
    const QRect r = cellRect(col, row);
    if (r.isValid())
        update(r);
}

// --- current cell and selection ----------------------------------------------

GridRect TPubStrGrid::selection() const
{
    return GridRect{std::min(m_anchorCol, m_col), std::min(m_anchorRow, m_row),
                    std::max(m_anchorCol, m_col), std::max(m_anchorRow, m_row)};
}

void TPubStrGrid::setSelection(const GridRect &rect)
{
    endEdit();
    m_anchorCol = rect.left;
    m_anchorRow = rect.top;
    m_col = rect.right;
    m_row = rect.bottom;
    update();
}

void TPubStrGrid::unselect()
{
    setSelection(GridRect{m_colCount, 0, m_colCount, 0});
}

void TPubStrGrid::moveCurrent(int col, int row)
{
    if (col == m_col && row == m_row)
        return;
    endEdit();
    emit selectCell(col, row);
    m_col = m_anchorCol = col;
    m_row = m_anchorRow = row;
    update();
    emit clicked();
}

// --- rows ------------------------------------------------------------------------

void TPubStrGrid::moveRow(int from, int to)
{
    if (from == to)
        return;
    auto target = [from, to](int r) {
        if (r == from)
            return to;
        if (from < to && r > from && r <= to)
            return r - 1;
        if (from > to && r >= to && r < from)
            return r + 1;
        return r;
    };
    std::map<std::pair<int, int>, QString> cells;
    for (auto &entry : m_cells)
        cells[{target(entry.first.first), entry.first.second}] = std::move(entry.second);
    m_cells.swap(cells);
    std::map<int, int> heights;
    for (const auto &entry : m_rowHeights)
        heights[target(entry.first)] = entry.second;
    m_rowHeights.swap(heights);
}

void TPubStrGrid::insertRow(int row)
{
    if (row < 0 || row > m_rowCount)
        return;
    endEdit();
    setRowCount(m_rowCount + 1);
    moveRow(m_rowCount, row);
    update();
}

void TPubStrGrid::deleteRow(int row)
{
    if (row < 0 || row >= m_rowCount || m_rowCount <= 1)
        return;
    endEdit();
    const int last = m_rowCount;
    moveRow(row, last);
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (it->first.first == last)
            it = m_cells.erase(it);
        else
            ++it;
    }
    m_rowHeights.erase(last);
    setRowCount(last - 1);
    if (m_row >= m_rowCount && m_col >= 0 && m_col < m_colCount)
        m_row = m_anchorRow = m_rowCount - 1;
    update();
}

// --- drawing ---------------------------------------------------------------------

void TPubStrGrid::setAlignment(Qt::Alignment alignment)
{
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TPubStrGrid::setGrid3D(bool on)
{
    if (on == m_grid3D)
        return;
    m_grid3D = on;
    update();
}

void TPubStrGrid::setCellColor(const QColor &color)
{
    if (color == m_cellColor)
        return;
    m_cellColor = color;
    update();
}

void TPubStrGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    drawControl(p, false);
}

void TPubStrGrid::paintCells(QPainter &p, const QRect &target) const
{
    if (width() <= 0 || height() <= 0)
        return;
    p.save();
    p.translate(target.topLeft());
    p.scale(double(target.width()) / width(), double(target.height()) / height());
    // (a vector painter gets its rectangles cut by hand in drawControl)
    if (!cutsByHand(p))
        p.setClipRect(QRect(0, 0, width(), height()), Qt::IntersectClip);
    drawControl(p, true);
    p.restore();
}

void TPubStrGrid::drawControl(QPainter &p, bool forPrint) const
{
    const int w = width();
    const int h = height();
    p.fillRect(QRect(0, 0, w, h), m_cellColor);

    // Sunken two-pixel frame.
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, 0, 0, h - 1);
    p.setPen(Qt::white);
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawLine(1, 1, w - 2, 1);
    p.drawLine(1, 1, 1, h - 2);
    p.setPen(QColor(0xd4, 0xd0, 0xc8));
    p.drawLine(1, h - 2, w - 2, h - 2);
    p.drawLine(w - 2, 1, w - 2, h - 2);

    const int fw = frameWidth();
    const QRect inner(fw, fw, w - 2 * fw, h - 2 * fw);
    const bool byHand = cutsByHand(p);
    p.save();
    if (byHand)
        m_cutTo = inner;
    else
        p.setClipRect(inner, Qt::IntersectClip);
    const auto cut = [&](const QRect &r) { return byHand ? r & inner : r; };
    const QColor lineColor(0xc0, 0xc0, 0xc0);
    const GridRect sel = selection();
    int y = fw;
    for (int r = 0; r < m_rowCount && y < h; ++r) {
        const int rh = rowHeight(r);
        int x = fw;
        for (int c = 0; c < m_colCount && x < w; ++c) {
            const int cw = colWidth(c);
            const QRect rect(x, y, cw, rh);
            DrawState state;
            if (!forPrint && c >= sel.left && c <= sel.right && r >= sel.top && r <= sel.bottom)
                state |= gdSelected;
            if (!forPrint && c == m_col && r == m_row && hasFocus())
                state |= gdFocused;
            drawCell(p, c, r, rect, state, forPrint);
            if (m_options & goVertLine)
                p.fillRect(cut(QRect(x + cw, y, gridLineWidth(), rh + gridLineWidth())), lineColor);
            if (m_options & goHorzLine)
                p.fillRect(cut(QRect(x, y + rh, cw + gridLineWidth(), gridLineWidth())), lineColor);
            x += cw + gridLineWidth();
        }
        y += rh + gridLineWidth();
    }
    p.restore();
    m_cutTo = QRect();
}

bool TPubStrGrid::cutsByHand(const QPainter &p)
{
    // A PDF or printer painter writes the whole clip again with every change
    // of colour, which for a 30x30 grid is most of the file.
    const QPaintEngine *engine = p.paintEngine();
    return engine && engine->type() != QPaintEngine::Raster;
}

QRect TPubStrGrid::textRectFor(const QRect &cell, int textHeight)
{
    const int top = floorDiv2(cell.top() + cell.top() + cell.height() - textHeight);
    return QRect(cell.left() + 2, top, cell.width() - 4, textHeight);
}

void TPubStrGrid::drawCell(QPainter &p, int col, int row, const QRect &rect, DrawState state,
                           bool forPrint) const
{
    QBrush brush(m_cellColor);
    QFont cellFont = font();
    QColor fontColor = palette().color(QPalette::WindowText);
    if (!forPrint && (state & gdSelected)) {
        brush = palette().brush(QPalette::Active, QPalette::Highlight);
        fontColor = palette().color(QPalette::Active, QPalette::HighlightedText);
    }
    if (m_onGetCellColor)
        m_onGetCellColor(const_cast<TPubStrGrid *>(this), row, col, state, brush, cellFont,
                         fontColor);

    Qt::Alignment align = m_alignment;
    if (m_onGetAlignment)
        m_onGetAlignment(const_cast<TPubStrGrid *>(this), row, col, align);

    const QRect visible = m_cutTo.isNull() ? rect : rect & m_cutTo;
    p.fillRect(visible, brush);
    const QString text = cell(col, row).left(kMaxDrawnChars);
    if (!text.isEmpty()) {
        const QFontMetrics fm(cellFont);
        const QRect textRect = textRectFor(rect, fm.height());
        const int flags = int((align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter) |
                          Qt::TextSingleLine | Qt::TextExpandTabs;
        // Cut by hand: a text whose ink stays inside the visible cell needs no clip.
        bool inside = false;
        if (!m_cutTo.isNull()) {
            const int advance = fm.horizontalAdvance(text);
            int x = textRect.left();
            if (flags & Qt::AlignHCenter)
                x += (textRect.width() - advance) / 2;
            else if (flags & Qt::AlignRight)
                x = textRect.right() + 1 - advance;
            const int baseline =
                textRect.top() + (textRect.height() - fm.height()) / 2 + fm.ascent();
            const QRect ink = fm.boundingRect(text).translated(x, baseline);
            inside = visible.contains(ink.adjusted(-1, -1, 1, 1));
        }
        if (inside) {
            p.setFont(cellFont);
            p.setPen(fontColor);
            p.drawText(textRect, flags | Qt::TextDontClip, text);
        } else {
            p.save();
            p.setClipRect(rect, Qt::IntersectClip);
            p.setFont(cellFont);
            p.setPen(fontColor);
            p.drawText(textRect, flags, text);
            p.restore();
        }
    }

    if (m_grid3D && (m_options & goVertLine) && (m_options & goHorzLine)) {
        p.setPen(palette().color(QPalette::HighlightedText));
        const int right = rect.left() + rect.width();
        const int bottom = rect.top() + rect.height();
        p.drawLine(rect.left(), bottom - 1, rect.left(), rect.top());
        p.drawLine(rect.left(), rect.top(), right, rect.top());
    }
}

// --- mouse and keys --------------------------------------------------------------

void TPubStrGrid::mousePressEvent(QMouseEvent *event)
{
    m_pressOnCell = false;
    if (event->button() != Qt::LeftButton)
        return;
    int c = 0;
    int r = 0;
    if (!cellAt(event->position().toPoint(), &c, &r))
        return;
    m_pressOnCell = true;
    if (c != m_col || r != m_row) {
        endEdit();
        emit selectCell(c, r);
        m_col = m_anchorCol = c;
        m_row = m_anchorRow = r;
        update();
    }
}

void TPubStrGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressOnCell)
        return;
    m_pressOnCell = false;
    emit clicked();
}

bool TPubStrGrid::focusNextPrevChild(bool next)
{
    if (m_options & goTabs)
        return false;
    return QWidget::focusNextPrevChild(next);
}

void TPubStrGrid::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;

    // Row keys, before the ordinary key handling.
    if (key == Qt::Key_Down && m_row == m_rowCount - 1) {
        setRowCount(m_rowCount + 1);
    } else if (key == Qt::Key_Insert) {
        insertRow(m_row);
    } else if (key == Qt::Key_Delete && ctrl && m_rowCount > 2) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"),
                        QStringLiteral("Are you sure you want to delete this row?"),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Ok);
        if (box.exec() == QMessageBox::Ok)
            deleteRow(m_row);
        return;
    }

    const int lastCol = m_colCount - 1;
    const int lastRow = m_rowCount - 1;
    const int curCol = std::clamp(m_col, 0, lastCol);
    const int curRow = std::clamp(m_row, 0, lastRow);
    const bool inside = m_col >= 0 && m_col <= lastCol && m_row >= 0 && m_row <= lastRow;
    switch (key) {
    case Qt::Key_Up:
        moveCurrent(curCol, std::clamp(m_row - 1, 0, lastRow));
        return;
    case Qt::Key_Down:
        moveCurrent(curCol, std::clamp(m_row + 1, 0, lastRow));
        return;
    case Qt::Key_Left:
        moveCurrent(std::clamp(m_col - 1, 0, lastCol), curRow);
        return;
    case Qt::Key_Right:
        moveCurrent(std::clamp(m_col + 1, 0, lastCol), curRow);
        return;
    case Qt::Key_Home:
        moveCurrent(0, ctrl ? 0 : curRow);
        return;
    case Qt::Key_End:
        moveCurrent(lastCol, ctrl ? lastRow : curRow);
        return;
    case Qt::Key_PageUp:
        moveCurrent(curCol, 0);
        return;
    case Qt::Key_PageDown:
        moveCurrent(curCol, lastRow);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (m_options & goTabs) {
            const bool back = key == Qt::Key_Backtab;
            int index = inside ? m_row * m_colCount + m_col : (back ? 0 : -1);
            const int cells = m_colCount * m_rowCount;
            index = ((index + (back ? -1 : 1)) % cells + cells) % cells;
            moveCurrent(index % m_colCount, index / m_colCount);
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        endEdit();
        return;
    default:
        break;
    }

    const QString typed = event->text();
    for (QChar ch : typed) {
        if (!ch.isPrint() && ch != QLatin1Char('\b'))
            continue;
        if (m_onKeyPress)
            m_onKeyPress(this, ch);
        if (ch.isNull() || !(m_options & goEditing) || !inside)
            continue;
        // In-place editing: the first character replaces the text, further
        // ones append until the current cell moves.
        QString text = (m_editCol == m_col && m_editRow == m_row) ? cell(m_col, m_row) : QString();
        if (ch == QLatin1Char('\b'))
            text.chop(1);
        else
            text.append(ch);
        m_editCol = m_col;
        m_editRow = m_row;
        setCellText(m_col, m_row, text);
    }
}

// --- headers -----------------------------------------------------------------------

void TPubStrGrid::setColHeaders(const QStringList &lines)
{
    m_colHeaders = lines;
    showColHeaders();
    update();
}

void TPubStrGrid::setRowHeaders(const QStringList &lines)
{
    m_rowHeaders = lines;
    showRowHeaders();
    update();
}

void TPubStrGrid::showColHeaders()
{
    for (int i = 0; i < m_colCount; ++i)
        setCell(i, 0, i < m_colHeaders.size() ? m_colHeaders.at(i) : QString());
}

void TPubStrGrid::showRowHeaders()
{
    for (int i = 0; i <= m_rowCount - 2; ++i)
        setCell(0, i + 1, i < m_rowHeaders.size() ? m_rowHeaders.at(i) : QString());
}

} // namespace quarrin
