#pragma once

// The editor windows: the 15x15 editor `Main` (TMain), the program's main
// window, and the 30x30 editor `MainC` (TMainC). Both are one class driven by
// the size table; they hold one puzzle each (a PuzzleModel that the grid and
// the three word lists show) and run every command of the puzzle on it:
// adding and deleting words, filling and removing the fill, clearing, the
// direction presets, word highlighting, the switch between the two sizes,
// saving and loading, printing, playing, the export to Word, the web page
// export and help.
//
// The windows are created once by the application, which wires them to each
// other (setTwin) and to the print, play and help windows before the run.

#include "editor/editor_layout.h"
#include "editor/new_puzzle_dialog.h"
#include "export/word_export.h"
#include "files/puzzle_document.h"
#include "files/puzzle_file.h"
#include "puzzle/puzzle_model.h"
#include "puzzle/puzzle_snapshot.h"
#include "web/web_puzzle.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QDialog;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QUndoStack;
class QAction;

namespace quarrin {

class CheckWindow;
class EditorHost;
class EditorCellDelegate;
class EditorGridModel;
class EditorGridView;
struct EditorLayout;

class EditorWindow : public QMainWindow
{
    Q_OBJECT

public:
    using WordProcessorFactory = std::function<std::unique_ptr<WordProcessor>()>;

    // A record editor (15x15 or 30x30).
    EditorWindow(GridSize size, RandomGenerator *random, PuzzleSnapshot *snapshot,
                 QWidget *parent = nullptr);
    // An editor of either kind; a record editor only for a record size.
    EditorWindow(GridSize size, EditorKind kind, RandomGenerator *random, PuzzleSnapshot *snapshot,
                 QWidget *parent = nullptr);
    ~EditorWindow() override;

    // --- Wiring, done once by the application ---
    void setTwin(EditorWindow *twin) { m_twin = twin; }
    void setPrintWindow(QDialog *window) { m_printWindow = window; }
    void setPlayWindow(QDialog *window) { m_playWindow = window; }
    void setHelpWindow(QDialog *window) { m_helpWindow = window; }
    // Creates the word processor of each export; the default writes a .docx
    // document and opens it.
    void setWordProcessorFactory(WordProcessorFactory factory);
    // The program around the editor, which opens puzzles that belong in
    // another editor.
    void setHost(EditorHost *host) { m_host = host; }
    // How a document reads and sets the print page's settings: the print
    // window of this editor keeps them.
    using PageSettingsSource = std::function<PageSettings()>;
    using PageSettingsSink = std::function<void(const PageSettings &)>;
    void setPageSettingsAccess(PageSettingsSource source, PageSettingsSink sink);
    // The print page's title and labels, whose clues "Export Web Page..." takes.
    void setPrintedTexts(std::function<PrintedTexts()> source)
    {
        m_printedTexts = std::move(source);
    }

    GridSize gridSize() const { return m_size; }
    EditorKind kind() const { return m_kind; }
    PuzzleModel &model() { return m_model; }
    const PuzzleModel &model() const { return m_model; }

    // Writes every listed word into the grid again and shows the result.
    void refreshGrid();
    // The word highlighting flag; the grid is repainted at once.
    void setHighlighting(bool on);
    bool highlighting() const;
    // Shows the model's cells and lists in the window's controls.
    void showPuzzle();

    // The title of every message box of the editor.
    static QString messageTitle();
    // Shows a notice in a message box with OK.
    void showMessage(const QString &text);

    // Loads a puzzle file as "Load" does, without the dialog. The caller
    // shows the message of a failed load, which leaves the puzzle as it was.
    FileResult loadFile(const QString &path);
    // Puts a document read from `path` into this editor, whose size it must
    // have; its page settings go to the print window.
    FileResult loadDocument(const PuzzleDocument &document, const QString &path);
    // The puzzle as a document, with the print page's settings.
    PuzzleDocument puzzleDocument() const;
    // The document file this editor's puzzle was last saved to or loaded
    // from, if any.
    QString documentPath() const { return m_documentPath; }
    // Starts an empty puzzle here, as "New Puzzle..." chose it. False when
    // the user kept unsaved work instead (Cancel).
    bool startEmptyPuzzle(bool densePlacement);
    // The same with the puzzle's letters, which a document editor takes (a
    // record editor keeps A to Z and its pool).
    bool startEmptyPuzzle(const NewPuzzleChoice &choice);
    // New puzzles of this editor place their words densely.
    void setDensePlacement(bool on);
    bool densePlacement() const { return m_densePlacement; }

    // --- Undo and unsaved work ---

    // What Undo gives back: the puzzle, and what the editor knows of its fill.
    struct PuzzleState
    {
        PuzzleModel model;
        int messageLetters = 0;
        bool loadedFill = false;
    };
    PuzzleState currentState() const { return {m_model, m_messageLetters, m_loadedFill}; }
    // The commands done on this editor's puzzle, for Undo and Redo.
    QUndoStack *history() const { return m_history; }
    // The puzzle has changed since it was last saved or loaded (an empty
    // puzzle holds nothing to lose).
    bool hasUnsavedWork() const;
    // Before unsaved work is lost: asks "Save changes to this puzzle?" and
    // saves when told to. True when the work may go (saved, discarded, or
    // nothing unsaved); false for Cancel or a save that did not happen.
    bool confirmLoss();
    // Every file this editor saved or opened, newest first (shared by all
    // editors, kept between runs).
    static QStringList recentFiles();
    static void addRecentFile(const QString &path);
    // The folder the save and open dialogs start in, kept between runs.
    static QString lastFolder();
    static void setLastFolder(const QString &folder);

    // A line of "Add Words...": a word, its clue if the line gave one.
    struct WordLine
    {
        QString word;
        QString clue;
    };
    // Splits pasted text into words: one a line, or several separated by
    // commas or blanks; a line "WORD: clue" is one word with its clue.
    static QVector<WordLine> splitWordLines(const QString &text);
    // Adds each word by random placement among the allowed directions and
    // returns the report, a line a word: placed where, or why not.
    QStringList addWordList(const QVector<WordLine> &words);

public slots:
    // Commands: one for each button, then the menu's own Help, Check Puzzle
    // and Export Web Page
    void addWord();
    void deleteWord();
    // Runs before the delete list opens, so it lists the words as they stand.
    void refreshDeleteList();
    void fillWithRandom();
    void fillWithMessage();
    void removeFill();
    void clearPuzzle();
    void chooseEasyDirections();
    void chooseMediumDirections();
    void chooseHardDirections();
    // "Random Position" switched: the coordinate boxes read "N/A" or empty.
    void applyRandomPosition();
    void toggleHighlighting();
    void switchToOtherSize();
    void openPrintWindow();
    void openPlayWindow();
    void savePuzzle();
    void loadPuzzle();
    void exportToWord();
    void showHelp();
    void checkPuzzle();
    // "New Puzzle...": asks for a size, then starts a puzzle of it in the
    // editor that holds that size.
    void newPuzzle();
    void exportWebPage();
    // "Add Words...": a list of words pasted or read from a text file.
    void addWords();
    // "Save As...": always asks for a name.
    void savePuzzleAs();
    void undo();
    void redo();

    // Window events
    void focusWordBox();
    void closeTwin();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The document editor: every control placed for the window's size, the
    // grid's cells as large as the panel allows.
    void arrangeScaledLayout();
    void buildControls();
    void buildFileDialogs();
    static void closeCompleterListWhenDone(QFileDialog *dialog);
    // The file dialogs start in the folder last used.
    static void startInLastFolder(QFileDialog *dialog);
    // Saves through the save dialog; true when the puzzle was written.
    bool saveThroughDialog();
    void buildEditMenu();
    void fillRecentMenu(QMenu *menu);
    void openRecentFile(const QString &path);
    // Opens a chosen puzzle file here or, through the host, in the editor of
    // its size; `asDocument` when the dialog's document type was chosen.
    void openPuzzlePath(const QString &path, bool asDocument = false);
    // The puzzle on screen as the last command left it becomes an undo step
    // named `label` when it differs from the one before.
    void record(const QString &label);
    // Takes a change that is no command of its own (a redraw of the grid) as
    // the state the next command starts from.
    void absorbChange();
    // The puzzle as it stands is what was last saved or loaded.
    void markSaved();
    void restoreState(const PuzzleState &state);
    // A cell of the grid was clicked: X and Y take it.
    void takeClickedCell(int col, int row);
    // Every menu item but Exit, Check Puzzle and Help clicks the button of its command.
    void buildMenu();
    QLabel *addLabel(const QString &text, const QRect &rect, const QFont &font, const char *name);
    QPushButton *addButton(const char *name, const QString &caption, const QRect &rect,
                           const QString &hint = QString());

    // Key filters: true when the key is dropped.
    bool dropsWordKey(QKeyEvent *event) const;
    bool dropsCoordinateKey(QKeyEvent *event) const;
    bool dropsAnyTyping(QKeyEvent *event) const;

    // Shows a command's messages one after another, empties the boxes it
    // names and shows the puzzle again.
    void apply(const CommandOutcome &outcome);
    void setAllowedDirections(std::initializer_list<Direction> checked);
    DirectionSet allowedDirections() const;
    QCheckBox *allowedBox(Direction d) const;
    // Fills the snapshot and shows `window` modally.
    void handOver(QDialog *window);
    void afterLoad(bool loaded);
    // Saves the puzzle as a document at `path`; the caller shows the result.
    FileResult saveAsDocument(const QString &path);
    void setDocumentPath(const QString &path);
    // After a failed export: offers to save the table's document where the
    // user chooses, so that it is not lost.
    void offerDocumentSave();
    // The fill is gone (taken out, or the puzzle cleared): nothing of it is
    // left for Refill to keep.
    void forgetFill();

    GridSize m_size;
    EditorKind m_kind;
    const SizeSpec &m_spec;
    const EditorLayout &m_layout;
    PuzzleModel m_model;
    PuzzleFile m_file;
    PuzzleSnapshot *m_snapshot;
    EditorWindow *m_twin = nullptr;
    QDialog *m_printWindow = nullptr;
    QDialog *m_playWindow = nullptr;
    QDialog *m_helpWindow = nullptr;
    WordProcessorFactory m_wordProcessorFactory;
    std::function<PrintedTexts()> m_printedTexts;
    CheckWindow *m_checkWindow = nullptr;
    EditorHost *m_host = nullptr;
    PageSettingsSource m_pageSettingsSource;
    PageSettingsSink m_pageSettingsSink;
    QString m_documentPath;
    bool m_densePlacement = false;
    QUndoStack *m_history = nullptr;
    // The puzzle as the last recorded command left it, and as it was last
    // saved or loaded.
    std::unique_ptr<PuzzleState> m_recorded;
    std::unique_ptr<PuzzleModel> m_saved;
    // The user has already agreed to lose the unsaved work (the size switch
    // asked before it clicks Clear).
    bool m_lossConfirmed = false;
    QMenu *m_recentMenu = nullptr;
    // Letters the message fills wrote since the fill was last taken out;
    // Refill writes them again.
    int m_messageLetters = 0;
    // The letters outside the words came with a loaded puzzle and may hold a
    // hidden message; nothing in the file tells which.
    bool m_loadedFill = false;

    // Controls; buildControls() gives each its objectName.
    QLabel *m_languageLabel = nullptr; // the document editor's: the puzzle's language
    QLineEdit *m_wordBox = nullptr;
    QCheckBox *m_randomPositionBox = nullptr;
    QLineEdit *m_xPos = nullptr;
    QLineEdit *m_yPos = nullptr;
    QComboBox *m_directionChoice = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_highlightButton = nullptr;
    QFrame *m_gridPanel = nullptr;
    EditorGridView *m_grid = nullptr;
    EditorGridModel *m_gridModel = nullptr;
    EditorCellDelegate *m_cellDelegate = nullptr;
    QPlainTextEdit *m_log = nullptr;
    QPlainTextEdit *m_positions = nullptr;
    QPlainTextEdit *m_directionMemo = nullptr;
    QComboBox *m_deleteWordBox = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QGroupBox *m_allowedGroup = nullptr;
    QCheckBox *m_allowedBoxes[8] = {}; // in the order of directionTable()
    QPushButton *m_fillRandomButton = nullptr;
    QPushButton *m_fillMessageButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_exportButton = nullptr;
    QPushButton *m_easyButton = nullptr;
    QPushButton *m_mediumButton = nullptr;
    QPushButton *m_hardButton = nullptr;
    QPushButton *m_removeFillButton = nullptr;
    QPushButton *m_switchSizeButton = nullptr;
    QPushButton *m_playButton = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_loadButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QFileDialog *m_saveDialog = nullptr;
    QFileDialog *m_openDialog = nullptr;
    QFileDialog *m_documentDialog = nullptr; // made at the first failed export
};

// The 15x15 editor, the program's main window.
class TMain : public EditorWindow
{
    Q_OBJECT

public:
    TMain(RandomGenerator *random, PuzzleSnapshot *snapshot, QWidget *parent = nullptr)
        : EditorWindow(GridSize::Small, random, snapshot, parent)
    {
    }
};

// The 30x30 editor.
class TMainC : public EditorWindow
{
    Q_OBJECT

public:
    TMainC(RandomGenerator *random, PuzzleSnapshot *snapshot, QWidget *parent = nullptr)
        : EditorWindow(GridSize::Large, random, snapshot, parent)
    {
    }
};

} // namespace quarrin
