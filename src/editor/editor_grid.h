#pragma once

// The editor's letter grid: a table view over the puzzle's visible cells.
// The view takes no input; it shows every cell's text clipped to the cell
// and, with word highlighting on, paints word letters yellow with blue text.

#include <QAbstractTableModel>
#include <QPoint>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTableView>

namespace quarrin {

class PuzzleModel;

// Exposes the visible N x N cells of a puzzle; Qt::DisplayRole is the cell's
// whole text, filler mark included.
class EditorGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit EditorGridModel(const PuzzleModel *puzzle, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void setHint(const QString &hint) { m_hint = hint; }
    // Tells the views that every cell may have changed.
    void refresh();

private:
    const PuzzleModel *m_puzzle;
    QString m_hint;
};

// Draws one cell: the text 2 pixels in from the cell's top-left corner in the
// grid font, black on white; with highlighting on, a cell whose text is
// exactly one character is filled yellow and its text drawn in blue.
class EditorCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit EditorCellDelegate(QObject *parent = nullptr);

    void setHighlighting(bool on) { m_highlighting = on; }
    // Letters centred in their cells rather than at the top-left corner (the
    // document editor's grid, whose cells change size).
    void setCentredText(bool on) { m_centred = on; }
    bool highlighting() const { return m_highlighting; }
    // Cells (column, row) painted as marked, over any highlighting: the cells
    // of the problem chosen in the check window.
    void setMarked(const QVector<QPoint> &cells);
    bool isMarked(int col, int row) const { return m_marked.contains(QPoint(col, row)); }
    int markedCount() const { return int(m_marked.size()); }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    bool m_highlighting = false;
    bool m_centred = false;
    QSet<QPoint> m_marked;
};

// The grid view: fixed cells, grid lines, no headers, no scroll bars, and no
// keyboard input; a click only tells which cell it hit (the hint still shows).
class EditorGridView : public QTableView
{
    Q_OBJECT

public:
    explicit EditorGridView(int cellPixels, QWidget *parent = nullptr);

    // No cell is shown as selected or current.
    void unselect();
    // Cells of `cellPixels` square, each with its grid line.
    void setCellPixels(int cellPixels);
    int cellPixels() const { return m_cellPixels; }

signals:
    // A left click on the cell at 0-based (col, row).
    void cellClicked(int col, int row);

protected:
    bool viewportEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_cellPixels = 0;
};

} // namespace quarrin
