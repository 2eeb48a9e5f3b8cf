#pragma once

// The print window: one per grid size, created once and shown modally by the
// editor's Print command. The window is itself the page: its top 604 pixels
// hold the title, the framed letter grid and the numbered word list; below
// them sit the tools (title, fonts, colours, printing, saving) and the clue
// row that replaces word labels by clues.
//
// The page is drawn by one routine, PageRenderer, from a description of what
// the page controls hold; it serves the page picture, the PDF files, the
// worksheet, the printer and the answer key on screen. The page controls on
// screen paint themselves through the same element routines, so all of them
// show the same page.
//
// Below the clue row, three check boxes: "Answer Key" shows (and prints and
// saves) the key instead of the page; "Fit to page" and "White background"
// change only what the printer gets. All three keep their state for the run.
// Beside them, "Print Worksheet..." prints the puzzle and its key in the
// sheet layout for paper, with options of its own; "Save Image" writes the
// worksheet PDF with the same options.

#include "files/puzzle_document.h"
#include "grid/pub_str_grid.h"
#include "print/page_elements.h"
#include "print/page_renderer.h"
#include "print/print_dialogs.h"
#include "print/print_layout.h"
#include "puzzle/size_table.h"
#include "sheet/sheet_puzzle.h"

#include <QDialog>
#include <QImage>

#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QPrinter;

namespace quarrin {

struct PuzzleSnapshot;

class PrintWindow : public QDialog
{
    Q_OBJECT

public:
    PrintWindow(GridSize size, PuzzleSnapshot *snapshot, QWidget *parent = nullptr);
    ~PrintWindow() override;

    GridSize gridSize() const { return m_layout.size; }
    const PrintLayout &layout() const { return m_layout; }

    // Replaces the dialogs the window asks through (tests answer at once).
    void setDialogs(std::unique_ptr<PrintDialogs> dialogs);
    PrintDialogs &dialogs() { return *m_dialogs; }

    // The printer that "Print" uses; made on first use from the system's
    // default printer, then kept with whatever "Printer Setup" chose.
    QPrinter &printer();

    // The page: width() x 604 pixels.
    QSize pageSize() const;
    // What the page shows now: title, labels, fonts, colours and the puzzle
    // of the last activation.
    PageDescription pageDescription() const;
    // The page or, with "Answer Key" ticked, the key.
    bool showsAnswerKey() const;
    // The puzzle of the page as the sheet layout takes it: its title, letters,
    // words and the clues that replace word labels.
    SheetPuzzle sheetPuzzle() const;
    const WorksheetOptions &worksheetOptions() const { return m_worksheet; }
    // Draws the page shown in page pixels onto any painter.
    void paintPage(QPainter &p) const;
    // The page as a picture, pixel for pixel what the window shows.
    QImage pageImage() const;

    bool inCaptureState() const { return m_captured; }
    QColor pageColour() const { return m_pageColour; }
    // The last choice of each dialog, which it opens with next time.
    QFont lastFontChoice(const QString &dialogName) const;
    QColor lastColourChoice(const QString &dialogName) const;
    QString lastSavePath() const { return m_lastSavePath; }

    // The page's title, fonts, colours and options, as a puzzle document
    // keeps them, and setting them from one.
    PageSettings pageSettings() const;
    void applyPageSettings(const PageSettings &page);

public slots:
    void showSnapshot();
    void changeTitle();
    void moveTitle();
    void changeGridFont();
    void changeTitleFont();
    void changeWordListFont();
    void changeGridColour();
    void changeBackgroundColour();
    void printPage();
    void printWorksheet();
    void setUpPrinter();
    void savePageImage();
    void fillClueBox();
    void replaceWordLabel();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Frame
    {
        Sizeable,
        Fixed,
        None
    };

    QPushButton *makeButton(const ToolPlace &place);
    QLabel *makeLabel(const ToolPlace &place);
    QList<QWidget *> toolControls() const;
    void enterCaptureState();
    void leaveCaptureState(bool clearSelection);
    void applyFrame(Frame frame);
    void setPageColour(const QColor &colour);
    std::optional<QFont> askFont(const QString &dialogName);
    std::optional<QColor> askColour(const QString &dialogName);
    static QString numberPrefix(int k);
    QCheckBox *makeCheckBox(const char *name, const char *caption, int left);
    // Repaints the key on screen after anything on the page changed.
    void pageChanged();
    // Places the grid and the word labels of a size other than the record
    // sizes for the labels' captions and font.
    void arrangePage();
    // The grid font chosen; the grid of a size other than the record sizes
    // draws it no larger than its cells take.
    void setGridFont(const QFont &font);

    const PrintLayout &m_layout;
    const SizeSpec &m_spec;
    PuzzleSnapshot *m_snapshot;
    std::unique_ptr<PrintDialogs> m_dialogs;
    std::unique_ptr<QPrinter> m_printer;

    // the page
    PageLabel *m_title = nullptr;
    PageFrame *m_frame = nullptr;
    TPubStrGrid *m_grid = nullptr;
    std::vector<PageLabel *> m_words;
    QColor m_pageColour;
    QFont m_gridFont;

    // the tools
    QPushButton *m_printButton = nullptr;
    QPushButton *m_setupButton = nullptr;
    QPushButton *m_gridFontButton = nullptr;
    QPushButton *m_gridColourButton = nullptr;
    QPushButton *m_pageColourButton = nullptr;
    QLabel *m_positionLabel = nullptr;
    UpDownArrows *m_titleArrows = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_titleButton = nullptr;
    QPushButton *m_titleFontButton = nullptr;
    QPushButton *m_wordFontButton = nullptr;

    // the clue row
    DropDownComboBox *m_clueBox = nullptr;
    QLineEdit *m_clueText = nullptr;
    QPushButton *m_replaceButton = nullptr;
    int m_chosenClue = -1; // item chosen in the clue box, -1 when only text was typed

    // the key and print options
    QCheckBox *m_answerKey = nullptr;
    QCheckBox *m_fitToPage = nullptr;
    QCheckBox *m_whiteBackground = nullptr;
    QPushButton *m_worksheetButton = nullptr;
    WorksheetOptions m_worksheet; // the last options of "Print Worksheet..."
    QWidget *m_keyView = nullptr; // covers the page while the key is shown
    std::unique_ptr<PageRenderer> m_renderer;
    PuzzleSnapshot m_shown;     // the puzzle of the last activation that had one
    bool m_paperChosen = false; // "Printer Setup" was confirmed: its paper serves the worksheet

    // what the dialogs open with next time
    QFont m_fontChoice[3];
    QColor m_colourChoice[2];
    QString m_lastSavePath;

    GridRect m_selectionBeforeCapture; // anchor in left/top, current cell in right/bottom
    bool m_captured = false;
    Frame m_frameKind = Frame::Fixed;
};

// The 15x15 print window.
class TprintPage : public PrintWindow
{
    Q_OBJECT
public:
    explicit TprintPage(PuzzleSnapshot *snapshot, QWidget *parent = nullptr)
        : PrintWindow(GridSize::Small, snapshot, parent)
    {
    }
};

// The 30x30 print window.
class TprintComplex : public PrintWindow
{
    Q_OBJECT
public:
    explicit TprintComplex(PuzzleSnapshot *snapshot, QWidget *parent = nullptr)
        : PrintWindow(GridSize::Large, snapshot, parent)
    {
    }
};

} // namespace quarrin
