#include "editor/editor_grid.h"

#include "puzzle/puzzle_model.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quarrin {

// --- EditorGridModel ---

EditorGridModel::EditorGridModel(const PuzzleModel *puzzle, QObject *parent)
    : QAbstractTableModel(parent), m_puzzle(puzzle)
{
}

int EditorGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_puzzle->rows();
}

int EditorGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_puzzle->columns();
}

QVariant EditorGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_puzzle->cell(index.column(), index.row());
    case Qt::ToolTipRole:
        return m_hint.isEmpty() ? QVariant() : QVariant(m_hint);
    default:
        return {};
    }
}

Qt::ItemFlags EditorGridModel::flags(const QModelIndex &index) const
{
    // Cells can be read but neither selected nor edited.
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void EditorGridModel::refresh()
{
    const int rows = m_puzzle->rows();
    const int columns = m_puzzle->columns();
    if (rows > 0 && columns > 0)
        emit dataChanged(index(0, 0), index(rows - 1, columns - 1), {Qt::DisplayRole});
}

// --- EditorCellDelegate ---

EditorCellDelegate::EditorCellDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void EditorCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect cell = option.rect;
    const bool highlight = m_highlighting && text.size() == 1;
    const bool marked = !m_marked.isEmpty() && isMarked(index.column(), index.row());

    painter->save();
    painter->setClipRect(cell);
    painter->fillRect(cell, marked      ? QColor(255, 128, 128)
                            : highlight ? QColor(Qt::yellow)
                                        : QColor(Qt::white));
    painter->setFont(option.font);
    painter->setPen(highlight ? QColor(Qt::blue) : QColor(Qt::black));
    if (m_centred) {
        // Only the letter; the filler mark is no part of what a cell shows.
        painter->drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, text.left(1));
    } else {
        // The text starts 2 pixels right of and below the cell's corner and is
        // clipped to the cell, so a filled cell shows only its letter.
        const QRect textRect = cell.adjusted(2, 2, 0, 0);
        painter->drawText(QRect(textRect.topLeft(), QSize(100000, textRect.height())),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }
    painter->restore();
}

void EditorCellDelegate::setMarked(const QVector<QPoint> &cells)
{
    m_marked = QSet<QPoint>(cells.begin(), cells.end());
}

// --- EditorGridView ---

EditorGridView::EditorGridView(int cellPixels, QWidget *parent) : QTableView(parent)
{
    for (QHeaderView *header : {horizontalHeader(), verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    setCellPixels(cellPixels);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setTabKeyNavigation(false);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setAutoScroll(false);
    viewport()->setCursor(Qt::CrossCursor);
}

void EditorGridView::setCellPixels(int cellPixels)
{
    m_cellPixels = cellPixels;
    // Each section holds the cell and the one-pixel grid line on its right
    // and bottom edge.
    for (QHeaderView *header : {horizontalHeader(), verticalHeader()})
        header->setDefaultSectionSize(cellPixels + 1);
}

void EditorGridView::unselect()
{
    if (selectionModel()) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

bool EditorGridView::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // A click names its cell (the editor fills X and Y with it); the
        // grid itself still takes no input.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && index.isValid())
            emit cellClicked(index.column(), index.row());
        event->accept();
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        // The grid only shows the puzzle; it takes no mouse input.
        event->accept();
        return true;
    default:
        return QTableView::viewportEvent(event);
    }
}

void EditorGridView::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}

} // namespace quarrin
