#pragma once

// TPubStrGrid: the string-grid control of the play and print windows.
//
// A grid of text cells addressed by column and row from 0. Cells beyond the
// last column or row can be written and read like any other; their texts are
// stored but never drawn. The control draws its own cells (left, right or
// centred text, vertically centred on the height of "W", an optional raised
// edge), offers hooks for a per-cell colour and alignment, keys that append,
// insert and delete rows, and its own text file format with a ".bak" backup.
//
// Events: `selectCell` is raised when a click or a navigation key moves the
// current cell, before `clicked`, which follows every click and every move.
// After `unselect` the current cell lies off the grid, so the next click on
// any cell raises both.
//
// paintCells() draws the control as it looks on screen (without selection
// marks) into any QPainter, so a printer receives vector text.

#include <QColor>
#include <QFlags>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>
#include <utility>

class QPainter;

class QIODevice;

namespace quarrin {

// The outcome of reading or writing the grid text file. `error` is the
// message to show the user when `ok` is false.
struct GridFileResult
{
    bool ok = true;
    QString error;
};

// A rectangle of cells; left/right are columns, top/bottom rows.
struct GridRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const GridRect &o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

enum class Caption2Placement
{
    cpTop,
    cpBottom
};

class TPubStrGrid : public QWidget
{
    Q_OBJECT

public:
    enum GridOption
    {
        goFixedVertLine = 0x0001,
        goFixedHorzLine = 0x0002,
        goVertLine = 0x0004,
        goHorzLine = 0x0008,
        goRangeSelect = 0x0010,
        goRowSizing = 0x0020,
        goColSizing = 0x0040,
        goRowMoving = 0x0080,
        goColMoving = 0x0100,
        goEditing = 0x0200,
        goTabs = 0x0400,
    };
    Q_DECLARE_FLAGS(GridOptions, GridOption)

    enum DrawStateFlag
    {
        gdSelected = 0x1,
        gdFocused = 0x2,
        gdFixed = 0x4
    };
    Q_DECLARE_FLAGS(DrawState, DrawStateFlag)

    // Raised before each cell is drawn; may change the brush, the font and the
    // text colour used for that cell.
    using GridColorEvent =
        std::function<void(TPubStrGrid *sender, int row, int col, DrawState state, QBrush &brush,
                           QFont &font, QColor &fontColor)>;
    // Lets the owner change the horizontal alignment of one cell.
    using GridAlignEvent =
        std::function<void(TPubStrGrid *sender, int row, int col, Qt::Alignment &alignment)>;
    // Raised for every character typed while the grid has the focus, before the
    // grid's own editing; setting `key` to QChar() discards the character.
    using KeyPressEvent = std::function<void(TPubStrGrid *sender, QChar &key)>;

    explicit TPubStrGrid(QWidget *parent = nullptr);
    ~TPubStrGrid() override;

    // --- size and layout -------------------------------------------------
    int colCount() const { return m_colCount; }
    int rowCount() const { return m_rowCount; }
    void setColCount(int count);
    void setRowCount(int count);
    int defaultColWidth() const { return m_defaultColWidth; }
    int defaultRowHeight() const { return m_defaultRowHeight; }
    // Setting a default size gives every column (row) that size.
    void setDefaultColWidth(int width);
    void setDefaultRowHeight(int height);
    int colWidth(int col) const;
    int rowHeight(int row) const;
    void setColWidth(int col, int width);
    void setRowHeight(int row, int height);
    int gridLineWidth() const { return 1; }
    GridOptions options() const { return m_options; }
    void setOptions(GridOptions options);

    // Rectangle of a cell in widget coordinates (without the grid lines).
    QRect cellRect(int col, int row) const;
    // The cell under a widget point; false when the point is on no cell.
    bool cellAt(const QPoint &pos, int *col, int *row) const;

    // --- cells -------------------------------------------------------------
    QString cell(int col, int row) const;
    // Writes unconditionally (and repaints the cell). Negative indexes are ignored.
    void setCellText(int col, int row, const QString &text);
    // Writes the text only when it differs from what the cell holds, so an
    // unchanged cell is not redrawn.
    void setCell(int col, int row, const QString &text);
    // Empties every cell of columns 0 to colCount() - 1 (texts beyond stay).
    void clearCells();

    // --- current cell and selection --------------------------------------
    int col() const { return m_col; }
    int row() const { return m_row; }
    GridRect selection() const;
    // Moves anchor and current cell without raising any event; the cell may
    // lie outside the grid (e.g. -1, -1 for "nothing selected").
    void setSelection(const GridRect &rect);
    // Anchor and current cell to column colCount(), row 0: nothing is shown
    // selected and a click on any cell moves the current cell.
    void unselect();

    // --- rows ------------------------------------------------------------
    void insertRow(int row);
    void deleteRow(int row);

    // --- drawing -----------------------------------------------------------
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    bool grid3D() const { return m_grid3D; }
    void setGrid3D(bool on);
    // Colour of normal cells (the grid's colour).
    QColor cellColor() const { return m_cellColor; }
    void setCellColor(const QColor &color);
    void setOnGetCellColor(GridColorEvent handler) { m_onGetCellColor = std::move(handler); }
    void setOnGetAlignment(GridAlignEvent handler) { m_onGetAlignment = std::move(handler); }
    void setOnKeyPress(KeyPressEvent handler) { m_onKeyPress = std::move(handler); }

    // Draws the control as it looks on screen, without selection or focus
    // marks, scaled so that the widget's rectangle fills `target`. Text stays
    // text, so a printer painter receives vector output.
    void paintCells(QPainter &p, const QRect &target) const;
    // The rectangle a cell's text is drawn in: vertically centred on the text
    // height (rounded down), 2 pixels in from the left and right edges.
    static QRect textRectFor(const QRect &cell, int textHeight);

    // --- headers -----------------------------------------------------------
    QStringList colHeaders() const { return m_colHeaders; }
    QStringList rowHeaders() const { return m_rowHeaders; }
    void setColHeaders(const QStringList &lines);
    void setRowHeaders(const QStringList &lines);
    void showColHeaders();
    void showRowHeaders();

    // --- grid text file ------------------------------------------------------
    QChar cellDelimiter() const { return m_cellDelimiter; }
    void setCellDelimiter(QChar c) { m_cellDelimiter = c; }
    QString caption1() const { return m_caption1; }
    void setCaption1(const QString &text) { m_caption1 = text; }
    QString caption2() const { return m_caption2; }
    void setCaption2(const QString &text) { m_caption2 = text; }
    Caption2Placement caption2Placement() const { return m_caption2Placement; }
    void setCaption2Placement(Caption2Placement p) { m_caption2Placement = p; }
    bool autoBackup() const { return m_autoBackup; }
    void setAutoBackup(bool on) { m_autoBackup = on; }
    bool autoSave() const { return m_autoSave; }
    void setAutoSave(bool on) { m_autoSave = on; }
    QString fileName() const { return m_fileName; }
    // Stores the name and, when it is not empty, loads the file at once.
    GridFileResult setFileName(const QString &name);
    // Reads the grid text file. A missing file is no error. On a bad line the
    // reading stops with a message; what was read before stays applied.
    GridFileResult loadFromFile(const QString &name);
    // The same reading from an open device; `name` is for the messages.
    GridFileResult loadFromDevice(QIODevice &device, const QString &name = QString());
    // Writes the grid text file through a temporary file in the same folder;
    // the previous file is replaced only when the new one is complete. With
    // autoBackup() the previous content is kept under the ".bak" name.
    GridFileResult saveToFile(const QString &name) const;
    // The bytes saveToFile writes.
    QByteArray fileText() const;
    // Run by the owner once its settings are applied: loads fileName() if set,
    // then writes the header cells.
    GridFileResult finishSetup();
    // The ".bak" name for a file name: its extension replaced (or added).
    static QString backupName(const QString &name);

signals:
    void selectCell(int col, int row);
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    // The default cell drawing; subclasses may draw differently.
    virtual void drawCell(QPainter &p, int col, int row, const QRect &rect, DrawState state,
                          bool forPrint) const;

private:
    void drawControl(QPainter &p, bool forPrint) const;
    // Whether drawControl cuts its rectangles to the inner area itself
    // instead of clipping the painter (vector painters).
    static bool cutsByHand(const QPainter &p);
    void moveCurrent(int col, int row);
    void endEdit() { m_editCol = m_editRow = -1; }
    void updateCell(int col, int row);
    void moveRow(int from, int to);
    int frameWidth() const { return 2; }

    int m_colCount = 5;
    int m_rowCount = 5;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 21;
    std::map<int, int> m_colWidths;  // only columns whose width differs
    std::map<int, int> m_rowHeights; // only rows whose height differs
    GridOptions m_options;
    std::map<std::pair<int, int>, QString> m_cells; // (row, col) -> text

    int m_col = 0;
    int m_row = 0;
    int m_anchorCol = 0;
    int m_anchorRow = 0;
    bool m_pressOnCell = false;
    int m_editCol = -1;
    int m_editRow = -1;

    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_grid3D = false;
    QColor m_cellColor = Qt::white;
    mutable QRect m_cutTo; // while drawControl cuts by hand: the inner area
    GridColorEvent m_onGetCellColor;
    GridAlignEvent m_onGetAlignment;
    KeyPressEvent m_onKeyPress;

    QStringList m_colHeaders;
    QStringList m_rowHeaders;

    QChar m_cellDelimiter = QLatin1Char('|');
    QString m_caption1;
    QString m_caption2;
    Caption2Placement m_caption2Placement = Caption2Placement::cpTop;
    bool m_autoBackup = true;
    bool m_autoSave = true;
    QString m_fileName;
};

} // namespace quarrin

Q_DECLARE_OPERATORS_FOR_FLAGS(quarrin::TPubStrGrid::GridOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(quarrin::TPubStrGrid::DrawState)
