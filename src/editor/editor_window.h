#pragma once

// The editor windows: the 15x15 editor `Main` (TMain), the program's main
// window, and the 30x30 editor `MainC` (TMainC). Both are one class driven by
// the size table; they hold one puzzle each (a PuzzleModel that the grid and
// the three word lists show) and run every command of the puzzle on it:
// adding and deleting words, filling and removing the fill, clearing, the
// direction presets, word highlighting, the switch between the two sizes,
// saving and loading, printing, playing, the export to Word and help.
//
// The windows are created once by the application, which wires them to each
// other (setTwin) and to the print, play and help windows before the run.

#include "export/word_export.h"
#include "files/puzzle_file.h"
#include "puzzle/puzzle_model.h"
#include "puzzle/puzzle_snapshot.h"

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

namespace quarrin {

class CheckWindow;
class EditorCellDelegate;
class EditorGridModel;
class EditorGridView;
struct EditorLayout;

class EditorWindow : public QMainWindow
{
    Q_OBJECT

public:
    using WordProcessorFactory = std::function<std::unique_ptr<WordProcessor>()>;

    EditorWindow(GridSize size, RandomGenerator *random, PuzzleSnapshot *snapshot,
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

    GridSize gridSize() const { return m_size; }
    PuzzleModel &model() { return m_model; }
    const PuzzleModel &model() const { return m_model; }

    // Writes every listed word into the grid again and shows the result.
    void RefreshGrid();
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

public slots:
    // Commands
    void BitBtn1Click();      // Add Word
    void Button4Click();      // Delete
    void ComboBox1DropDown(); // the delete list is about to open
    void Button1Click();      // Fill blank with Random
    void Button8Click();      // Fill blank with Message
    void removeRandomClick(); // Remove random characters and message
    void Button2Click();      // Clear
    void Button6Click();      // Easy
    void Button3Click();      // Medium
    void Button7Click();      // Hard
    void CheckBox1Click();    // Random Position
    void BitBtn5Click();      // Highlight Words (On/Off)
    void Button5Click();      // switch to the other grid size
    void BitBtn2Click();      // Print
    void Button9Click();      // Play it!
    void saveBTNClick();      // Save
    void BitBtn4Click();      // Load
    void ExportWordClick();   // Export to Word

    // Menu items: each clicks its button.
    void AddWord1Click();
    void Clear1Click();
    void Fillrestwithrandom1Click();
    void Fillblankwithmessage1Click();
    void Fillblankspaceswithmessage1Click() { Fillblankwithmessage1Click(); }
    void RemoveRandom1Click();
    void Print1Click();
    void Load1Click();
    void Save1Click();
    void ExporttoWord1Click();
    void Exit1Click();
    void Help1Click();
    void CheckPuzzle1Click(); // opens the "Check Puzzle" window

    // Window events
    void FormActivate();
    void FormClose();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    QLabel *addLabel(const QString &text, const QRect &rect, const QFont &font, const char *name);
    QPushButton *addButton(const char *name, const QString &caption, const QRect &rect,
                           const QString &hint = QString());

    // Key filters: true when the key is dropped.
    bool wordEBKeyPress(QKeyEvent *event) const;
    bool xPosKeyPress(QKeyEvent *event) const;
    bool yPosKeyPress(QKeyEvent *event) const;
    bool noTypingKeyPress(QKeyEvent *event) const;

    // Shows a command's messages one after another, empties the boxes it
    // names and shows the puzzle again.
    void apply(const CommandOutcome &outcome);
    void setDirectionBoxes(std::initializer_list<Direction> checked);
    DirectionSet allowedDirections() const;
    QCheckBox *directionBox(Direction d) const;
    // Fills the snapshot and shows `window` modally.
    void handOver(QDialog *window);
    void afterLoad();

    GridSize m_size;
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
    CheckWindow *m_checkWindow = nullptr;
    // Letters the message fills wrote since the fill was last taken out;
    // Refill writes them again.
    int m_messageLetters = 0;

    // Controls, named as in the window's design.
    QLineEdit *m_wordEB = nullptr;
    QCheckBox *m_CheckBox1 = nullptr;
    QLineEdit *m_xPos = nullptr;
    QLineEdit *m_yPos = nullptr;
    QComboBox *m_direction = nullptr;
    QPushButton *m_BitBtn1 = nullptr;
    QPushButton *m_BitBtn5 = nullptr;
    QFrame *m_Panel1 = nullptr;
    EditorGridView *m_grid = nullptr;
    EditorGridModel *m_gridModel = nullptr;
    EditorCellDelegate *m_cellDelegate = nullptr;
    QPlainTextEdit *m_log = nullptr;
    QPlainTextEdit *m_positions = nullptr;
    QPlainTextEdit *m_directionMemo = nullptr;
    QComboBox *m_ComboBox1 = nullptr;
    QPushButton *m_Button4 = nullptr;
    QGroupBox *m_GroupBox1 = nullptr;
    QCheckBox *m_directionBoxes[8] = {}; // in the order of directionTable()
    QPushButton *m_Button1 = nullptr;
    QPushButton *m_Button8 = nullptr;
    QPushButton *m_Button2 = nullptr;
    QPushButton *m_ExportWord = nullptr;
    QPushButton *m_Button6 = nullptr;
    QPushButton *m_Button3 = nullptr;
    QPushButton *m_Button7 = nullptr;
    QPushButton *m_removeRandom = nullptr;
    QPushButton *m_Button5 = nullptr;
    QPushButton *m_Button9 = nullptr;
    QPushButton *m_BitBtn2 = nullptr;
    QPushButton *m_BitBtn4 = nullptr;
    QPushButton *m_saveBTN = nullptr;
    QPushButton *m_BitBtn3 = nullptr;
    QFileDialog *m_save = nullptr;
    QFileDialog *m_open = nullptr;
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
