// The editor windows, driven through their controls.

#include "editor/editor_window.h"
#include "export/docx_word_processor.h"
#include "file_faults.h"
#include "modal_answerer.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <functional>
#include <memory>

using namespace quarrin;
using quarrin::test::DiskFull;
using quarrin::test::ModalAnswerer;

namespace {

// A word processor that cannot be started.
class MissingWordProcessor : public WordProcessor
{
public:
    bool start() override { return false; }
    void setVisible(bool) override {}
    void addDocument() override {}
    void addTable(int, int) override {}
    void setCellWidth(int, int, double) override {}
    void setCellText(int, int, const QString &) override {}
    bool release(QString *) override { return true; }
};

// Records the close events a window receives.
class CloseSpy : public QObject
{
public:
    int closes = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            ++closes;
        return false;
    }
};

template <typename T> T *find(QWidget *window, const char *name)
{
    T *child = window->findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

QStringList listLines(QWidget *window, const char *name)
{
    const QString text = find<QPlainTextEdit>(window, name)->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QString gridText(EditorWindow &window, int col, int row)
{
    auto *view = window.findChild<QTableView *>(
        QString::fromLatin1(window.gridSize() == GridSize::Small ? "quarrin" : "quarrin2"));
    return view->model()->index(row, col).data(Qt::DisplayRole).toString();
}

QTableView *gridView(EditorWindow &window)
{
    return window.findChild<QTableView *>(
        QString::fromLatin1(window.gridSize() == GridSize::Small ? "quarrin" : "quarrin2"));
}

void placeWord(EditorWindow &window, const QString &word, int x, int y, const char *direction)
{
    AddWordRequest request;
    request.word = word;
    request.x = QString::number(x);
    request.y = QString::number(y);
    request.direction = QString::fromLatin1(direction);
    const CommandOutcome out = window.model().addWord(request);
    QVERIFY2(out.placed, qPrintable(word));
    window.showPuzzle();
}

void chooseDirection(EditorWindow &window, const QString &name)
{
    auto *box = find<QComboBox>(&window, "direction");
    box->setCurrentIndex(box->findText(name));
}

} // namespace

class TestEditorWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowsCarryTheirNames_data();
    void windowsCarryTheirNames();
    void enterAddsWordAtGivenPosition_data();
    void enterAddsWordAtGivenPosition();
    void enterAddsWordAtRandomPosition();
    void addWordMessages_data();
    void addWordMessages();
    void keyFiltersDropWhatTheyMust_data();
    void keyFiltersDropWhatTheyMust();
    void presetsSetTheDirectionBoxes_data();
    void presetsSetTheDirectionBoxes();
    void randomSwitchSetsTheEntryBoxes();
    void highlightingPaintsExactlyTheWordCells_data();
    void highlightingPaintsExactlyTheWordCells();
    void sizeSwitchEmptiesTheTargetAndKeepsTheOther();
    void deleteKeepsSharedLetters();
    void openingTheDeleteListKeepsTheWordBox();
    void chosenEntryOutlivesARefill();
    void pastedTextObeysTheFilters();
    void messageFillAsksWithTheFreeCellCount();
    void messageFillInTheLargeWindow();
    void saveThenLoadRestoresThePuzzle_data();
    void saveThenLoadRestoresThePuzzle();
    void cancelledLoadStillTrimsPositionLines();
    void typedFileNameLeavesNoPopupOverTheGrid_data();
    void typedFileNameLeavesNoPopupOverTheGrid();
    void damagedFileShowsMessageAndChangesNothing();
    void unwritableFileShowsMessageAndChangesNothing();
    void fullDiskSaveNamesTheFileAndTheReason();
    void saveNamesCharactersTheFilesCannotHold();
    void printAndPlayHandOverTheSnapshot();
    void menuItemsClickTheirButtons();
    void exportWithoutWordProcessorShowsMessage();
    void exportWithoutWordProcessorOffersToSaveTheTable_data();
    void exportWithoutWordProcessorOffersToSaveTheTable();
    void activationFocusesTheWordBox();
    void closingTheLargeWindowEndsTheProgram();

private:
    std::unique_ptr<RandomGenerator> m_random;
    std::unique_ptr<PuzzleSnapshot> m_small;
    std::unique_ptr<PuzzleSnapshot> m_large;
    std::unique_ptr<TMain> m_main;
    std::unique_ptr<TMainC> m_mainC;
    std::uint64_t m_ticks = 0;

    EditorWindow &window(GridSize size)
    {
        return size == GridSize::Small ? static_cast<EditorWindow &>(*m_main)
                                       : static_cast<EditorWindow &>(*m_mainC);
    }
};

void TestEditorWindow::initTestCase()
{
    // The tests close windows; the test run itself must go on.
    QApplication::setQuitOnLastWindowClosed(false);
    // Recent files and the last folder go to a settings file of the tests' own.
    QStandardPaths::setTestModeEnabled(true);
}

void TestEditorWindow::init()
{
    m_ticks = 12345;
    m_random = std::make_unique<RandomGenerator>([this] { return m_ticks += 7919; });
    m_small = std::make_unique<PuzzleSnapshot>();
    m_large = std::make_unique<PuzzleSnapshot>();
    m_main = std::make_unique<TMain>(m_random.get(), m_small.get());
    m_mainC = std::make_unique<TMainC>(m_random.get(), m_large.get());
    m_main->setTwin(m_mainC.get());
    m_mainC->setTwin(m_main.get());
}

void TestEditorWindow::cleanup()
{
    m_mainC.reset();
    m_main.reset();
}

void TestEditorWindow::windowsCarryTheirNames_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("gridName");
    QTest::addColumn<int>("cells");
    QTest::addColumn<int>("wordLength");
    QTest::addColumn<QString>("switchCaption");
    QTest::addColumn<QString>("positionsHint");
    QTest::addColumn<QString>("deleteHint");
    QTest::newRow("15x15") << GridSize::Small << QString("Main")
                           << QString("Word Quarrin Generator 15x15 Grid") << QString("quarrin")
                           << 15 << 14 << QString("Change to 30x30 Grid")
                           << QString("Positions of words") << QString("Delete word");
    QTest::newRow("30x30") << GridSize::Large << QString("MainC")
                           << QString("Word Quarrin Generator 30x30 Grid") << QString("quarrin2")
                           << 30 << 22 << QString("Change to 15x15 Grid")
                           << QString("Positions of Words") << QString("Delete Word");
}

void TestEditorWindow::windowsCarryTheirNames()
{
    QFETCH(GridSize, size);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, gridName);
    QFETCH(int, cells);
    QFETCH(int, wordLength);
    QFETCH(QString, switchCaption);
    QFETCH(QString, positionsHint);
    QFETCH(QString, deleteHint);
    EditorWindow &w = window(size);
    QCOMPARE(w.objectName(), name);
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(w.centralWidget()->size(), QSize(998, 668));
    QCOMPARE(w.minimumSize(), w.maximumSize());

    auto *grid = w.findChild<QTableView *>(gridName);
    QVERIFY(grid);
    QCOMPARE(grid->model()->rowCount(), cells);
    QCOMPARE(grid->model()->columnCount(), cells);
    QCOMPARE(find<QLineEdit>(&w, "wordEB")->maxLength(), wordLength);
    QCOMPARE(find<QPushButton>(&w, "Button5")->text(), switchCaption);
    QCOMPARE(find<QPushButton>(&w, "Button5")->toolTip(), switchCaption);
    QCOMPARE(find<QWidget>(&w, "positions")->toolTip(), positionsHint);
    QCOMPARE(find<QWidget>(&w, "Button4")->toolTip(), deleteHint);
    QCOMPARE(find<QWidget>(&w, "wordEB")->toolTip(), QStringLiteral("Word to Enter"));
    QCOMPARE(grid->toolTip(), QStringLiteral("Quarrin"));
    QCOMPARE(grid->model()->index(0, 0).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Quarrin"));

    // Every named control is there and can be found by its accessible name.
    for (const char *control :
         {"wordEB",       "CheckBox1",   "xPos",       "yPos",      "direction",     "BitBtn1",
          "BitBtn5",      "Panel1",      "log",        "positions", "directionMemo", "ComboBox1",
          "Button4",      "GroupBox1",   "upBox",      "downBox",   "leftBox",       "rightBox",
          "downRightBox", "downLeftBox", "upRightBox", "upLeftBox", "Button1",       "Button8",
          "Button2",      "ExportWord",  "Button6",    "Button3",   "Button7",       "removeRandom",
          "Button5",      "Button9",     "BitBtn2",    "BitBtn4",   "saveBTN",       "BitBtn3",
          "MainMenu1"}) {
        QWidget *child = find<QWidget>(&w, control);
        QVERIFY2(!child->accessibleName().isEmpty(), control);
    }
    const QStringList directions = {"Up",       "Down",    "Left",       "Right",
                                    "Up-Right", "Up-Left", "Down-Right", "Down-Left"};
    auto *direction = find<QComboBox>(&w, "direction");
    QCOMPARE(direction->count(), 8);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(direction->itemText(i), directions.at(i));
}

void TestEditorWindow::enterAddsWordAtGivenPosition_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("direction");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("colStep");
    QTest::addColumn<int>("rowStep");
    QTest::addColumn<QString>("enterIn"); // the field that gets the Enter key
    struct Row
    {
        const char *name;
        GridSize size;
        const char *typed, *x, *y, *direction, *word;
        int colStep, rowStep;
        const char *enterIn;
    };
    const Row rows[] = {
        {"15x15 right", GridSize::Small, "cat", "1", "1", "Right", "CAT", 1, 0, "wordEB"},
        {"15x15 corner up-left", GridSize::Small, "Dog", "15", "15", "Up-Left", "DOG", -1, -1,
         "xPos"},
        {"15x15 one letter down-left", GridSize::Small, "q", "1", "15", "Down-Left", "Q", -1, 1,
         "yPos"},
        {"30x30 long word down", GridSize::Large, "abcdefghijklmnopqrstuv", "30", "9", "Down",
         "ABCDEFGHIJKLMNOPQRSTUV", 0, 1, "wordEB"},
    };
    for (const Row &r : rows) {
        QTest::newRow(r.name) << r.size << QString(r.typed) << QString(r.x) << QString(r.y)
                              << QString(r.direction) << QString(r.word) << r.colStep << r.rowStep
                              << QString(r.enterIn);
    }
}

void TestEditorWindow::enterAddsWordAtGivenPosition()
{
    QFETCH(GridSize, size);
    QFETCH(QString, typed);
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, direction);
    QFETCH(QString, word);
    QFETCH(int, colStep);
    QFETCH(int, rowStep);
    QFETCH(QString, enterIn);
    EditorWindow &w = window(size);
    w.show();
    ModalAnswerer answerer;

    chooseDirection(w, direction);
    QTest::keyClicks(find<QLineEdit>(&w, "xPos"), x);
    QTest::keyClicks(find<QLineEdit>(&w, "yPos"), y);
    auto *wordBox = find<QLineEdit>(&w, "wordEB");
    QTest::keyClicks(wordBox, typed);
    QTest::keyClick(find<QLineEdit>(&w, enterIn.toLatin1().constData()), Qt::Key_Return);

    QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('|')));
    QCOMPARE(listLines(&w, "log"), QStringList{word});
    QCOMPARE(listLines(&w, "positions"), QStringList{x + ", " + y});
    QCOMPARE(listLines(&w, "directionMemo"), QStringList{direction});
    for (int p = 0; p < word.size(); ++p) {
        QCOMPARE(gridText(w, x.toInt() - 1 + p * colStep, y.toInt() - 1 + p * rowStep),
                 QString(word.at(p)));
    }
    // A placed word empties the word and coordinate boxes; the direction stays.
    QVERIFY(wordBox->text().isEmpty());
    QVERIFY(find<QLineEdit>(&w, "xPos")->text().isEmpty());
    QVERIFY(find<QLineEdit>(&w, "yPos")->text().isEmpty());
    QCOMPARE(find<QComboBox>(&w, "direction")->currentText(), direction);
    QCOMPARE(find<QComboBox>(&w, "ComboBox1")->count(), 1);
}

void TestEditorWindow::enterAddsWordAtRandomPosition()
{
    EditorWindow &w = *m_main;
    w.show();
    ModalAnswerer answerer;
    find<QPushButton>(&w, "Button7")->click(); // Hard: every direction
    find<QCheckBox>(&w, "CheckBox1")->click();
    auto *wordBox = find<QLineEdit>(&w, "wordEB");
    QTest::keyClicks(wordBox, "quarrin");
    QTest::keyClick(wordBox, Qt::Key_Enter);

    QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('|')));
    QCOMPARE(listLines(&w, "log"), QStringList{"QUARRIN"});
    const QStringList position = listLines(&w, "positions").value(0).split(", ");
    QCOMPARE(position.size(), 2);
    const auto dir = directionFromName(listLines(&w, "directionMemo").value(0));
    QVERIFY(dir);
    const DirectionInfo &info = directionInfo(*dir);
    const int col = position.at(0).toInt() - 1, row = position.at(1).toInt() - 1;
    for (int p = 0; p < 7; ++p) {
        QCOMPARE(gridText(w, col + p * info.columnStep, row + p * info.rowStep),
                 QString(QStringLiteral("QUARRIN").at(p)));
    }
    QVERIFY(wordBox->text().isEmpty());
}

void TestEditorWindow::addWordMessages_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<bool>("random");
    QTest::addColumn<int>("wordsBefore");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("direction");
    QTest::addColumn<bool>("noDirectionAllowed");
    QTest::addColumn<QStringList>("messages");
    // What the word box shows while each message is up.
    QTest::addColumn<QStringList>("wordBoxAtMessages");

    const char *missing = "Error: You have not entered a word, X/Y coordinates, or have not "
                          "selected a direction.";
    const char *outside15 = "Invalid X, Y Values. Coordinates must be between 1 and 15 only";
    const char *outside30 = "Invalid X, Y Values. Coordinates must be between 1 and 30 only";
    const QByteArray notNumber = invalidIntegerMessage("99999999999").toUtf8();
    struct Row
    {
        const char *name;
        GridSize size;
        bool random;
        int wordsBefore;
        const char *word, *x, *y, *direction;
        bool noDirectionAllowed;
        const char *message;
        const char *wordBoxAtMessage; // nullptr: as typed
        const char *firstMessage = nullptr;
    };
    const GridSize small = GridSize::Small, large = GridSize::Large;
    const Row rows[] = {
        {"nothing entered", small, false, 0, "", "", "", "", false, missing, nullptr},
        {"no word", small, false, 0, "", "3", "3", "Right", false, missing, nullptr},
        {"no direction", small, false, 0, "cat", "3", "3", "", false, missing, nullptr},
        {"X above 15", small, false, 0, "cat", "16", "3", "Right", false, outside15, nullptr},
        {"Y zero", small, false, 0, "cat", "3", "0", "Right", false, outside15, nullptr},
        {"X above 30", large, false, 0, "cat", "31", "3", "Right", false, outside30, nullptr},
        {"X too large for a number", small, false, 0, "cat", "99999999999", "3", "Right", false,
         notNumber.constData(), nullptr},
        // Both messages, in order: the missing input, then the conversion error.
        {"no word and X too large for a number", small, false, 0, "", "99999999999", "3", "Right",
         false, notNumber.constData(), nullptr, missing},
        // A word that does not fit says where it leaves the grid, or which
        // cell and letter are in its way.
        {"leaves the grid", small, false, 0, "ab", "15", "15", "Right", false,
         "Invalid position to enter word: Going Right from 15, 15, AB leaves the grid after 1 of "
         "its 2 letters.",
         nullptr},
        {"up-left from the corner", small, false, 0, "abc", "1", "1", "Up-Left", false,
         "Invalid position to enter word: Going Up-Left from 1, 1, ABC leaves the grid after 1 "
         "of its 3 letters.",
         nullptr},
        {"clashes with a word", small, false, 1, "xyz", "1", "1", "Down", false,
         "Invalid position to enter word: XYZ needs X at 1, 1, where the letter A stands.",
         nullptr},
        {"19th word", small, false, 18, "cat", "1", "1", "Right", false,
         "You may not enter any more words, maximum word limit of 18 reached.", nullptr},
        // The limit message comes while the word is still in its box, which is
        // emptied after it.
        {"19th word at random", small, true, 18, "cat", "", "", "", false,
         "You may not enter any more words, maximum word limit of 18 reached.", nullptr},
        {"29th word at random", large, true, 28, "cat", "", "", "", false,
         "You may not enter any more words, maximum word limit of 28 reached.", nullptr},
        // A failed placement empties the box first, then says so.
        {"random, empty word", small, true, 0, "", "", "", "", false,
         "Failed to insert word: .Try again, it may work", ""},
        {"random, no direction allowed", small, true, 0, "cat", "", "", "", true,
         "Failed to insert word: CAT.Try again, it may work", ""},
    };
    for (const Row &r : rows) {
        QStringList messages{QString(r.message)};
        if (r.firstMessage)
            messages.prepend(QString(r.firstMessage));
        const QString box = r.wordBoxAtMessage ? QString(r.wordBoxAtMessage) : QString(r.word);
        QTest::newRow(r.name) << r.size << r.random << r.wordsBefore << QString(r.word)
                              << QString(r.x) << QString(r.y) << QString(r.direction)
                              << r.noDirectionAllowed << messages
                              << QStringList(messages.size(), box);
    }
}

void TestEditorWindow::addWordMessages()
{
    QFETCH(GridSize, size);
    QFETCH(bool, random);
    QFETCH(int, wordsBefore);
    QFETCH(QString, word);
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, direction);
    QFETCH(bool, noDirectionAllowed);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, wordBoxAtMessages);
    EditorWindow &w = window(size);
    w.show();
    // Words of one letter, row by row from the top left.
    const int n = w.model().columns();
    for (int k = 0; k < wordsBefore; ++k)
        placeWord(w, QStringLiteral("A"), 1 + k % n, 1 + k / n, "Right");
    const QStringList logBefore = w.model().log();

    if (random)
        find<QCheckBox>(&w, "CheckBox1")->click();
    if (noDirectionAllowed) {
        for (const char *name : {"upBox", "downBox", "leftBox", "rightBox", "downRightBox",
                                 "downLeftBox", "upRightBox", "upLeftBox"}) {
            find<QCheckBox>(&w, name)->setChecked(false);
        }
    }
    if (!random) {
        if (!direction.isEmpty())
            chooseDirection(w, direction);
        QTest::keyClicks(find<QLineEdit>(&w, "xPos"), x);
        QTest::keyClicks(find<QLineEdit>(&w, "yPos"), y);
    }
    QTest::keyClicks(find<QLineEdit>(&w, "wordEB"), word);

    ModalAnswerer answerer;
    answerer.watched = find<QLineEdit>(&w, "wordEB");
    find<QPushButton>(&w, "BitBtn1")->click();
    QCOMPARE(answerer.messages, messages);
    QCOMPARE(answerer.watchedAtMessages, wordBoxAtMessages);
    for (const QString &title : answerer.titles)
        QCOMPARE(title, QStringLiteral("Word Quarrin Generator"));
    QCOMPARE(w.model().log(), logBefore);
    QCOMPARE(listLines(&w, "log"), logBefore);
    if (!random) {
        // A refused word keeps every box as typed.
        QCOMPARE(find<QLineEdit>(&w, "xPos")->text(), x);
        QCOMPARE(find<QLineEdit>(&w, "wordEB")->text(), word);
    } else {
        QVERIFY(find<QLineEdit>(&w, "wordEB")->text().isEmpty());
    }
}

void TestEditorWindow::keyFiltersDropWhatTheyMust_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    auto row = [](const char *name, const char *control, const char *typed, const char *expected) {
        QTest::newRow(name) << QString(control) << QString(typed) << QString(expected);
    };
    row("word: letters only", "wordEB", "ab1 C-d.9Z", "abCdZ");
    row("x: digits only", "xPos", "1a 2-.", "12");
    row("y: digits only", "yPos", "x7+8", "78");
    row("direction: nothing", "direction", "Up", "");
    row("delete list: nothing", "ComboBox1", "cat", "");
}

void TestEditorWindow::keyFiltersDropWhatTheyMust()
{
    QFETCH(QString, control);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    m_main->show();
    QWidget *target = find<QWidget>(m_main.get(), control.toLatin1().constData());
    if (auto *box = qobject_cast<QComboBox *>(target)) {
        QTest::keyClicks(box->lineEdit(), typed);
        QTest::keyClicks(box, typed);
        QCOMPARE(box->currentText(), expected);
    } else {
        auto *edit = qobject_cast<QLineEdit *>(target);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), expected);
        // Backspace gets through.
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), expected.chopped(1));
    }
}

void TestEditorWindow::presetsSetTheDirectionBoxes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("Easy") << "Button6" << QStringList{"downBox", "rightBox"};
    QTest::newRow("Medium") << "Button3"
                            << QStringList{"downBox", "rightBox", "downRightBox", "upRightBox"};
    QTest::newRow("Hard") << "Button7"
                          << QStringList{"upBox",        "downBox",     "leftBox",    "rightBox",
                                         "downRightBox", "downLeftBox", "upRightBox", "upLeftBox"};
}

void TestEditorWindow::presetsSetTheDirectionBoxes()
{
    QFETCH(QString, button);
    QFETCH(QStringList, checked);
    EditorWindow &w = *m_mainC;
    const QStringList all = {"upBox",        "downBox",     "leftBox",    "rightBox",
                             "downRightBox", "downLeftBox", "upRightBox", "upLeftBox"};
    // Start from the opposite of the preset.
    for (const QString &name : all)
        find<QCheckBox>(&w, name.toLatin1().constData())->setChecked(!checked.contains(name));
    find<QPushButton>(&w, button.toLatin1().constData())->click();
    for (const QString &name : all) {
        QCOMPARE(find<QCheckBox>(&w, name.toLatin1().constData())->isChecked(),
                 checked.contains(name));
    }
    // A box ticked by hand afterwards stays ticked.
    find<QCheckBox>(&w, "upLeftBox")->click();
    QCOMPARE(find<QCheckBox>(&w, "upLeftBox")->isChecked(), !checked.contains("upLeftBox"));
}

void TestEditorWindow::randomSwitchSetsTheEntryBoxes()
{
    EditorWindow &w = *m_main;
    auto *x = find<QLineEdit>(&w, "xPos");
    auto *y = find<QLineEdit>(&w, "yPos");
    auto *direction = find<QComboBox>(&w, "direction");
    QTest::keyClicks(x, "3");
    chooseDirection(w, "Left");
    // The start state: "Down" and "Right" allowed, fixed position.
    QVERIFY(find<QCheckBox>(&w, "downBox")->isChecked());
    QVERIFY(find<QCheckBox>(&w, "rightBox")->isChecked());
    QVERIFY(!find<QCheckBox>(&w, "CheckBox1")->isChecked());

    find<QCheckBox>(&w, "CheckBox1")->click();
    for (QWidget *field : {static_cast<QWidget *>(x), static_cast<QWidget *>(y),
                           static_cast<QWidget *>(direction)}) {
        QVERIFY(!field->isEnabled());
    }
    QCOMPARE(x->text(), QStringLiteral("N/A"));
    QCOMPARE(y->text(), QStringLiteral("N/A"));
    QCOMPARE(direction->currentText(), QStringLiteral("N/A"));

    find<QCheckBox>(&w, "CheckBox1")->click();
    for (QWidget *field : {static_cast<QWidget *>(x), static_cast<QWidget *>(y),
                           static_cast<QWidget *>(direction)}) {
        QVERIFY(field->isEnabled());
    }
    QVERIFY(x->text().isEmpty());
    QVERIFY(y->text().isEmpty());
    QVERIFY(direction->currentText().isEmpty());
}

void TestEditorWindow::highlightingPaintsExactlyTheWordCells_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::newRow("15x15") << GridSize::Small;
    QTest::newRow("30x30") << GridSize::Large;
}

void TestEditorWindow::highlightingPaintsExactlyTheWordCells()
{
    QFETCH(GridSize, size);
    EditorWindow &w = window(size);
    placeWord(w, "CAT", 1, 1, "Right");
    placeWord(w, "COW", 1, 1, "Down");
    placeWord(w, "MOUSE", 8, 9, "Up-Right");
    w.model().fillRandom();
    w.showPuzzle();
    w.show();

    QTableView *view = gridView(w);
    const int n = w.model().columns();
    auto colourAt = [&](const QImage &image, int col, int row) {
        const QRect cell = view->visualRect(view->model()->index(row, col));
        const QPoint corner = view->viewport()->mapTo(view, cell.topLeft() + QPoint(1, 1));
        return image.pixelColor(corner);
    };

    find<QPushButton>(&w, "BitBtn5")->click();
    QVERIFY(w.highlighting());
    QImage image = view->grab().toImage();
    int yellow = 0;
    for (int col = 0; col < n; ++col) {
        for (int row = 0; row < n; ++row) {
            const bool wordLetter = gridText(w, col, row).size() == 1;
            const QColor expected = wordLetter ? QColor(Qt::yellow) : QColor(Qt::white);
            QCOMPARE(colourAt(image, col, row), expected);
            yellow += wordLetter;
        }
    }
    QCOMPARE(yellow, 3 + 2 + 5); // CAT and COW share the C

    // The word letters are drawn in blue on the yellow (the T of CAT).
    {
        const QRect cell = view->visualRect(view->model()->index(0, 2));
        const QRect inner = QRect(view->viewport()->mapTo(view, cell.topLeft()), cell.size());
        bool blue = false;
        for (int px = inner.left(); px <= inner.right(); ++px) {
            for (int py = inner.top(); py <= inner.bottom(); ++py) {
                const QColor c = image.pixelColor(px, py);
                blue = blue || (c.blue() > 150 && c.red() < 100 && c.green() < 100);
            }
        }
        QVERIFY(blue);
    }

    find<QPushButton>(&w, "BitBtn5")->click();
    QVERIFY(!w.highlighting());
    image = view->grab().toImage();
    for (int col = 0; col < n; ++col)
        for (int row = 0; row < n; ++row)
            QCOMPARE(colourAt(image, col, row), QColor(Qt::white));
}

void TestEditorWindow::sizeSwitchEmptiesTheTargetAndKeepsTheOther()
{
    placeWord(*m_main, "CAT", 2, 2, "Right");
    placeWord(*m_mainC, "DOG", 5, 5, "Down");
    m_mainC->model().fillRandom();
    m_mainC->showPuzzle();
    m_main->show();

    // The 30x30 puzzle was never saved: the switch asks before emptying it.
    {
        ModalAnswerer answerer;
        answerer.questionAnswer = QStringLiteral("discardAnswer");
        find<QPushButton>(m_main.get(), "Button5")->click();
        QCOMPARE(answerer.questions, QStringList{QStringLiteral("Save changes to this puzzle?")});
    }
    QVERIFY(m_mainC->isVisible());
    QVERIFY(!m_main->isVisible());
    QCOMPARE(m_mainC->model().wordCount(), 0);
    QVERIFY(listLines(m_mainC.get(), "log").isEmpty());
    for (int col = 0; col < 31; ++col)
        for (int row = 0; row < 31; ++row)
            QVERIFY(m_mainC->model().cell(col, row).isEmpty());
    // The window left behind keeps its puzzle while hidden.
    QCOMPARE(m_main->model().log(), QStringList{"CAT"});
    QCOMPARE(gridText(*m_main, 1, 1), QStringLiteral("C"));

    {
        ModalAnswerer answerer;
        answerer.questionAnswer = QStringLiteral("discardAnswer");
        find<QPushButton>(m_mainC.get(), "Button5")->click();
        QCOMPARE(answerer.questions, QStringList{QStringLiteral("Save changes to this puzzle?")});
    }
    QVERIFY(m_main->isVisible());
    QVERIFY(!m_mainC->isVisible());
    QCOMPARE(m_main->model().wordCount(), 0);
    QVERIFY(gridText(*m_main, 1, 1).isEmpty());
}

void TestEditorWindow::deleteKeepsSharedLetters()
{
    EditorWindow &w = *m_main;
    placeWord(w, "CAT", 1, 1, "Right");
    placeWord(w, "COW", 1, 1, "Down");
    placeWord(w, "EMU", 10, 10, "Down");
    w.model().fillRandom();
    w.showPuzzle();
    w.show();
    auto *deleteList = find<QComboBox>(&w, "ComboBox1");
    QCOMPARE(deleteList->count(), 3);

    ModalAnswerer answerer;
    find<QPushButton>(&w, "Button4")->click(); // nothing chosen: nothing happens
    QCOMPARE(w.model().wordCount(), 3);

    deleteList->setCurrentIndex(0); // CAT
    find<QPushButton>(&w, "Button4")->click();
    QVERIFY(answerer.messages.isEmpty());
    QCOMPARE(listLines(&w, "log"), (QStringList{"COW", "EMU"}));
    QCOMPARE(listLines(&w, "positions"), (QStringList{"1, 1", "10, 10"}));
    QCOMPARE(listLines(&w, "directionMemo"), (QStringList{"Down", "Down"}));
    QCOMPARE(gridText(w, 0, 0), QStringLiteral("C")); // shared with COW
    QCOMPARE(gridText(w, 0, 1), QStringLiteral("O"));
    QVERIFY(gridText(w, 1, 0).isEmpty()); // A of CAT went, so did the fill
    QVERIFY(gridText(w, 5, 5).isEmpty());
    QVERIFY(deleteList->currentText().isEmpty());

    deleteList->setCurrentIndex(deleteList->findText("EMU"));
    find<QPushButton>(&w, "Button4")->click();
    QCOMPARE(w.model().log(), QStringList{"COW"});
    // With one word left the list is emptied; it is refilled when it opens.
    QCOMPARE(deleteList->count(), 0);
    deleteList->showPopup();
    deleteList->hidePopup();
    QCOMPARE(deleteList->count(), 1);
    deleteList->setCurrentIndex(0);
    find<QPushButton>(&w, "Button4")->click();
    QVERIFY(listLines(&w, "log").isEmpty());
    QCOMPARE(deleteList->count(), 0);
    for (int col = 0; col < 15; ++col)
        for (int row = 0; row < 15; ++row)
            QVERIFY(gridText(w, col, row).isEmpty());
}

void TestEditorWindow::openingTheDeleteListKeepsTheWordBox()
{
    EditorWindow &w = *m_main;
    placeWord(w, "CAT", 1, 1, "Right");
    placeWord(w, "DOG", 1, 2, "Right");
    w.show();
    auto *wordBox = find<QLineEdit>(&w, "wordEB");
    QTest::keyClicks(wordBox, "half");
    auto *deleteList = find<QComboBox>(&w, "ComboBox1");
    deleteList->showPopup();
    QCOMPARE(wordBox->text(), QStringLiteral("half"));
    QCOMPARE(deleteList->count(), 2);
    QCOMPARE(deleteList->itemText(1), QStringLiteral("DOG"));
    deleteList->hidePopup();
}

void TestEditorWindow::chosenEntryOutlivesARefill()
{
    EditorWindow &w = *m_main;
    placeWord(w, "CAT", 1, 1, "Right");
    placeWord(w, "DOG", 1, 2, "Right");
    w.show();
    auto *deleteList = find<QComboBox>(&w, "ComboBox1");
    deleteList->setCurrentIndex(1); // DOG

    // Adding a word refills the list; the chosen entry stays chosen.
    chooseDirection(w, "Down");
    QTest::keyClicks(find<QLineEdit>(&w, "xPos"), "9");
    QTest::keyClicks(find<QLineEdit>(&w, "yPos"), "9");
    QTest::keyClicks(find<QLineEdit>(&w, "wordEB"), "emu");
    QTest::keyClick(find<QLineEdit>(&w, "wordEB"), Qt::Key_Return);
    QCOMPARE(deleteList->count(), 3);
    QCOMPARE(deleteList->currentText(), QStringLiteral("DOG"));

    find<QPushButton>(&w, "Button4")->click();
    QCOMPARE(w.model().log(), (QStringList{"CAT", "EMU"}));
}

void TestEditorWindow::pastedTextObeysTheFilters()
{
    EditorWindow &w = *m_main;
    w.show();
    auto *wordBox = find<QLineEdit>(&w, "wordEB");
    auto *x = find<QLineEdit>(&w, "xPos");
    wordBox->insert("ab1");
    x->insert("4b");
    QVERIFY(wordBox->text().isEmpty());
    QVERIFY(x->text().isEmpty());
    wordBox->insert("abc");
    x->insert("42");
    QCOMPARE(wordBox->text(), QStringLiteral("abc"));
    QCOMPARE(x->text(), QStringLiteral("42"));
}

void TestEditorWindow::messageFillAsksWithTheFreeCellCount()
{
    EditorWindow &w = *m_main;
    placeWord(w, "CRANE", 1, 3, "Right");
    placeWord(w, "HORSE", 1, 5, "Right");
    placeWord(w, "SNAKE", 1, 7, "Right");
    w.show();
    ModalAnswerer answerer;
    answerer.inputAnswer = QStringLiteral("meet at noon");
    find<QPushButton>(&w, "Button8")->click();
    QCOMPARE(answerer.inputCaptions, QStringList{"Fill blank spaces with message"});
    QCOMPARE(answerer.inputPrompts,
             QStringList{"Enter a word up to 210 characters long(spaces will be removed)."});
    QCOMPARE(answerer.inputLimits, QList<int>{255});
    QVERIFY(answerer.messages.isEmpty());
    const QString written = "MEETATNOON";
    for (int i = 0; i < written.size(); ++i)
        QCOMPARE(gridText(w, i, 0), QString(written.at(i)) + kFillerMark);
    QVERIFY(gridText(w, 10, 0).isEmpty());

    // Cancelling changes nothing.
    answerer.inputAnswer.reset();
    const QString before = gridText(w, 0, 0);
    find<QPushButton>(&w, "Button8")->click();
    QCOMPARE(answerer.inputPrompts.size(), 2);
    QCOMPARE(gridText(w, 0, 0), before);
}

void TestEditorWindow::messageFillInTheLargeWindow()
{
    EditorWindow &w = *m_mainC;
    w.show();
    ModalAnswerer answerer;
    answerer.inputAnswer = QStringLiteral("hi");
    QAction *item = w.findChild<QAction *>("Fillblankspaceswithmessage1");
    QVERIFY(item);
    item->trigger();
    QCOMPARE(answerer.inputPrompts,
             QStringList{"Enter a word up to 255 characters long(spaces will be removed). You may "
                         "enter more messages after this by selecting this function again. "});
    QCOMPARE(gridText(w, 1, 0), QStringLiteral("I      ."));
}

void TestEditorWindow::saveThenLoadRestoresThePuzzle_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QString>("filter"); // as the file type box shows it
    QTest::newRow("15x15") << GridSize::Small << ".qrn" << 1410 << "Quarrin 15x15 (.qrn)";
    QTest::newRow("30x30") << GridSize::Large << ".qrn2" << 2214 << "Quarrin 30x30 (.qrn2)";
}

void TestEditorWindow::saveThenLoadRestoresThePuzzle()
{
    QFETCH(GridSize, size);
    QFETCH(QString, extension);
    QFETCH(int, bytes);
    QFETCH(QString, filter);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    EditorWindow &w = window(size);
    placeWord(w, "PUZZLE", 2, 2, "Right");
    placeWord(w, "SEARCH", 3, 4, "Down-Right");
    placeWord(w, "LETTER", 7, 14, "Up");
    w.model().fillRandom();
    w.showPuzzle();
    w.show();

    const int side = w.model().columns();
    auto firstLetters = [&] {
        QStringList rows;
        for (int row = 0; row < side; ++row) {
            QString line;
            for (int col = 0; col < side; ++col)
                line += gridText(w, col, row).left(1);
            rows << line;
        }
        return rows;
    };
    auto wordCells = [&] {
        QList<QPoint> cells;
        for (int row = 0; row < side; ++row)
            for (int col = 0; col < side; ++col)
                if (gridText(w, col, row).size() == 1)
                    cells << QPoint(col, row);
        return cells;
    };
    const QStringList letters = firstLetters();
    const QList<QPoint> words = wordCells();
    const QStringList log = listLines(&w, "log");
    const QStringList positions = listLines(&w, "positions");
    const QStringList directions = listLines(&w, "directionMemo");

    ModalAnswerer answerer;
    answerer.fileToChoose = dir.filePath("puzzle");
    find<QPushButton>(&w, "saveBTN")->click();
    QCOMPARE(answerer.fileDialogs, QStringList{"save"});
    QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('|')));
    const QString saved = dir.filePath("puzzle" + extension);
    QVERIFY(QFile::exists(saved));
    QCOMPARE(QFileInfo(saved).size(), qint64(bytes));

    find<QPushButton>(&w, "Button2")->click();
    QVERIFY(listLines(&w, "log").isEmpty());

    answerer.fileToChoose = saved;
    w.findChild<QAction *>("Load1")->trigger();
    QCOMPARE(answerer.fileDialogs, (QStringList{"save", "open"}));
    // The record type first, puzzle documents beside it, in both dialogs.
    QCOMPARE(answerer.fileFilters,
             (QStringList{filter, "Puzzle document", filter, "Puzzle document"}));
    QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('|')));
    QCOMPARE(firstLetters(), letters);
    QCOMPARE(wordCells(), words);
    QCOMPARE(listLines(&w, "log"), log);
    QCOMPARE(listLines(&w, "positions"), positions);
    QCOMPARE(listLines(&w, "directionMemo"), directions);
    QCOMPARE(find<QComboBox>(&w, "ComboBox1")->count(), 3);
}

void TestEditorWindow::typedFileNameLeavesNoPopupOverTheGrid_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::newRow("15x15") << GridSize::Small;
    QTest::newRow("30x30") << GridSize::Large;
}

// A file named by typing its path into the file dialog and pressing Enter:
// the dialog's name completer offers the file while it is typed, and its list
// is gone with the dialog, not left drawn over the grid.
void TestEditorWindow::typedFileNameLeavesNoPopupOverTheGrid()
{
    QFETCH(GridSize, size);
    EditorWindow &w = window(size);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString extension = sizeSpec(size).fileExtension;
    const QString file = dir.filePath("otter" + extension);
    {
        RandomGenerator random;
        PuzzleModel model(size, &random);
        AddWordRequest otter;
        otter.word = QStringLiteral("OTTER");
        otter.x = otter.y = QStringLiteral("2");
        otter.direction = QStringLiteral("Right");
        QVERIFY(model.addWord(otter).placed);
        QVERIFY(PuzzleFile(size).save(model, file).ok);
    }
    QVERIFY(QFile::copy(file, dir.filePath("otters" + extension)));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // What happened in the dialog; whatever goes wrong there, the dialog is
    // closed so that the load returns.
    QString fault = QStringLiteral("no file dialog");
    QTimer typist;
    typist.setInterval(0);
    connect(&typist, &QTimer::timeout, &w, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        typist.stop();
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!name || !name->completer()) {
            fault = QStringLiteral("no name box with a completer");
            dialog->reject();
            return;
        }
        // The folder the user went to, read by the dialog's file system
        // model in a thread of its own.
        dialog->setDirectory(dir.path());
        auto *files = dialog->findChild<QFileSystemModel *>();
        for (int k = 0; k < 200 && files && files->rowCount(files->index(dir.path())) < 2; ++k)
            QTest::qWait(50);
        // Keys go where the window system sends them: to the open list, once
        // it is open, which hands them on to the name box.
        const auto typeAt = [&] {
            QWidget *popup = QApplication::activePopupWidget();
            return popup ? popup : static_cast<QWidget *>(name);
        };
        for (const QChar c : QStringLiteral("ott"))
            QTest::keyClick(typeAt(), c.toLatin1());
        // The completer offers the two files.
        if (!name->completer()->popup()->isVisible()) {
            fault = QStringLiteral("the completer offered nothing");
            dialog->reject();
            return;
        }
        fault.clear();
        for (const QChar c : QString("er" + extension))
            QTest::keyClick(typeAt(), c.toLatin1());
        QTest::keyClick(typeAt(), Qt::Key_Return);
        if (dialog->isVisible()) {
            fault = QStringLiteral("Enter did not take the file");
            dialog->reject();
        }
    });
    typist.start();
    find<QPushButton>(&w, "BitBtn4")->click(); // Load
    QCOMPARE(fault, QString());
    QCOMPARE(listLines(&w, "log"), QStringList{"OTTER"});
    QApplication::processEvents();
    QStringList popups;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->windowType() == Qt::Popup) {
            popups << QString::fromLatin1(top->metaObject()->className());
            top->hide(); // so that it grabs no input from the tests after this one
        }
    }
    QCOMPARE(popups, QStringList());
}

void TestEditorWindow::cancelledLoadStillTrimsPositionLines()
{
    EditorWindow &w = *m_main;
    w.model().setListTexts("CAT\r\n", " 1, 1 \r\n", "Right\r\n");
    w.showPuzzle();
    w.show();
    ModalAnswerer answerer; // no file chosen: the dialog is cancelled
    find<QPushButton>(&w, "BitBtn4")->click();
    QCOMPARE(answerer.fileDialogs, QStringList{"open"});
    QCOMPARE(listLines(&w, "positions"), QStringList{"1, 1"});
    QVERIFY(answerer.messages.isEmpty());
}

// The save goes through, with "?" for what the files cannot hold, and says which.
void TestEditorWindow::saveNamesCharactersTheFilesCannotHold()
{
    QTemporaryDir dir;
    EditorWindow &w = *m_main;
    w.model().setListTexts(QStringLiteral("ЖУК\r\n"), "1, 1\r\n", "Right\r\n");
    w.model().refreshGrid();
    w.showPuzzle();
    w.show();
    ModalAnswerer answerer;
    answerer.fileToChoose = dir.filePath("puzzle");
    find<QPushButton>(&w, "saveBTN")->click();
    QCOMPARE(QFileInfo(dir.filePath("puzzle.qrn")).size(), qint64(1410));
    QCOMPARE(answerer.messages.size(), 1);
    for (const QString &c : {QStringLiteral("Ж"), QStringLiteral("У"), QStringLiteral("К")})
        QVERIFY2(answerer.messages.first().contains('"' + c + '"'),
                 qPrintable(answerer.messages.first()));
    QCOMPARE(listLines(&w, "log"), QStringList{QStringLiteral("ЖУК")});
}

void TestEditorWindow::damagedFileShowsMessageAndChangesNothing()
{
    QTemporaryDir dir;
    EditorWindow &w = *m_main;
    placeWord(w, "CAT", 1, 1, "Right");
    w.model().fillRandom();
    w.showPuzzle();
    w.show();
    const QStringList log = listLines(&w, "log");
    const QString cell = gridText(w, 5, 5);

    const QString damaged = dir.filePath("damaged.qrn");
    {
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a puzzle");
    }
    ModalAnswerer answerer;
    answerer.fileToChoose = damaged;
    // The unsaved puzzle is let go; the refused file still changes nothing.
    answerer.questionAnswer = QStringLiteral("discardAnswer");
    find<QPushButton>(&w, "BitBtn4")->click();
    QCOMPARE(answerer.questions.size(), 1);
    QCOMPARE(answerer.messages.size(), 1);
    QVERIFY(!answerer.messages.first().isEmpty());
    QCOMPARE(listLines(&w, "log"), log);
    QCOMPARE(gridText(w, 5, 5), cell);
    QCOMPARE(gridText(w, 0, 0), QStringLiteral("C"));
}

void TestEditorWindow::unwritableFileShowsMessageAndChangesNothing()
{
    QTemporaryDir dir;
    EditorWindow &w = *m_mainC;
    placeWord(w, "CAT", 1, 1, "Right");
    w.show();
    // The target name is taken by a folder, so the file cannot be written.
    QVERIFY(QDir(dir.path()).mkdir("blocked.qrn2"));
    ModalAnswerer answerer;
    answerer.fileToChoose = dir.filePath("blocked");
    find<QPushButton>(&w, "saveBTN")->click();
    QCOMPARE(answerer.messages.size(), 1);
    // The message names the file and gives a reason after it.
    const QString message = answerer.messages.first();
    const QString named = QStringLiteral("The puzzle could not be saved to \"%1\": ")
                              .arg(QFileInfo(dir.filePath("blocked.qrn2")).absoluteFilePath());
    QVERIFY2(message.startsWith(named), qPrintable(message));
    QVERIFY2(message.size() > named.size() + 3, qPrintable(message));
    QVERIFY2(!message.contains("Unknown error"), qPrintable(message));
    QVERIFY(QFileInfo(dir.filePath("blocked.qrn2")).isDir());
    QCOMPARE(listLines(&w, "log"), QStringList{"CAT"});
    QCOMPARE(gridText(w, 2, 0), QStringLiteral("T"));
}

void TestEditorWindow::fullDiskSaveNamesTheFileAndTheReason()
{
    QTemporaryDir dir;
    EditorWindow &w = *m_main;
    placeWord(w, "CAT", 1, 1, "Right");
    w.show();
    ModalAnswerer answerer;
    answerer.fileToChoose = dir.filePath("full");
    {
        DiskFull full(100);
        QVERIFY(full.active());
        find<QPushButton>(&w, "saveBTN")->click();
    }
    const QString path = QFileInfo(dir.filePath("full.qrn")).absoluteFilePath();
    QCOMPARE(answerer.messages,
             QStringList{QStringLiteral("The puzzle could not be saved to \"%1\": %2")
                             .arg(path, qt_error_string(EFBIG))});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(listLines(&w, "log"), QStringList{"CAT"});
    QCOMPARE(gridText(w, 2, 0), QStringLiteral("T"));
}

void TestEditorWindow::printAndPlayHandOverTheSnapshot()
{
    EditorWindow &w = *m_main;
    QDialog print, play;
    print.setObjectName("printStub");
    play.setObjectName("playStub");
    w.setPrintWindow(&print);
    w.setPlayWindow(&play);
    for (int k = 0; k < 18; ++k)
        placeWord(w, QString(QChar('A' + k)), 1 + (k % 15), 1 + k / 15, "Right");
    w.show();

    ModalAnswerer answerer;
    QStringList shown;
    PuzzleSnapshot seen;
    answerer.onDialog = [&](QDialog *dialog) {
        shown << dialog->objectName();
        seen = *m_small;
    };
    find<QPushButton>(&w, "BitBtn2")->click();
    QCOMPARE(shown, QStringList{"printStub"});
    QCOMPARE(seen.letters.size(), 256);
    QCOMPARE(seen.words.size(), 15);
    QCOMPARE(seen.words.at(14), QStringLiteral("O"));
    QCOMPARE(seen.letterAt(0, 0), QChar('A'));
    // The sweep gave every empty cell a single space, which highlighting now
    // paints like a word letter.
    QCOMPARE(gridText(w, 14, 14), QStringLiteral(" "));
    w.setHighlighting(true);
    QTableView *view = gridView(w);
    const QRect blank = view->visualRect(view->model()->index(14, 14));
    const QImage image = view->grab().toImage();
    QCOMPARE(image.pixelColor(view->viewport()->mapTo(view, blank.topLeft() + QPoint(1, 1))),
             QColor(Qt::yellow));

    find<QPushButton>(&w, "Button9")->click();
    QCOMPARE(shown, (QStringList{"printStub", "playStub"}));
}

void TestEditorWindow::menuItemsClickTheirButtons()
{
    EditorWindow &w = *m_main;
    QDialog help;
    help.setObjectName("helpStub");
    w.setHelpWindow(&help);
    w.show();
    ModalAnswerer answerer;
    QStringList shown;
    answerer.onDialog = [&](QDialog *dialog) { shown << dialog->objectName(); };

    chooseDirection(w, "Down");
    QTest::keyClicks(find<QLineEdit>(&w, "xPos"), "4");
    QTest::keyClicks(find<QLineEdit>(&w, "yPos"), "2");
    QTest::keyClicks(find<QLineEdit>(&w, "wordEB"), "owl");
    w.findChild<QAction *>("AddWord1")->trigger();
    QCOMPARE(w.model().log(), QStringList{"OWL"});

    w.findChild<QAction *>("Fillrestwithrandom1")->trigger();
    QVERIFY(gridText(w, 0, 0).endsWith(kFillerMark));
    w.findChild<QAction *>("RemoveRandom1")->trigger();
    QVERIFY(gridText(w, 0, 0).isEmpty());
    QCOMPARE(gridText(w, 3, 1), QStringLiteral("O"));
    answerer.questionAnswer = QStringLiteral("discardAnswer");
    w.findChild<QAction *>("Clear1")->trigger();
    QCOMPARE(answerer.questions.size(), 1);
    QCOMPARE(w.model().wordCount(), 0);
    QVERIFY(gridText(w, 3, 1).isEmpty());

    w.findChild<QAction *>("Help1")->trigger();
    QCOMPARE(shown, QStringList{"helpStub"});
    QVERIFY(answerer.messages.isEmpty());

    w.findChild<QAction *>("Exit1")->trigger();
    QVERIFY(!w.isVisible());
}

void TestEditorWindow::exportWithoutWordProcessorShowsMessage()
{
    EditorWindow &w = *m_mainC;
    int created = 0;
    w.setWordProcessorFactory([&] {
        ++created;
        return std::make_unique<MissingWordProcessor>();
    });
    w.show();
    ModalAnswerer answerer;
    w.findChild<QAction *>("ExporttoWord1")->trigger();
    QCOMPARE(created, 1);
    QCOMPARE(answerer.messages,
             QStringList{"There was an error initialising Microsoft Word. It might not have been "
                         "installed correctly or is not installed at all."});
}

void TestEditorWindow::exportWithoutWordProcessorOffersToSaveTheTable_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<QString>("answer"); // the name typed into the save dialog; empty: cancel
    QTest::addColumn<QString>("saved");  // the file that must hold the table
    QTest::newRow("15x15, a name without its extension") << GridSize::Small << "grid"
                                                         << "grid.docx";
    QTest::newRow("30x30, a name with it") << GridSize::Large << "big.docx"
                                           << "big.docx";
    QTest::newRow("15x15, cancelled") << GridSize::Small << "" << "";
}

// With no word processor the message comes first, then a save dialog for
// the table's document, so that the table is not lost; no answer writes
// nothing.
void TestEditorWindow::exportWithoutWordProcessorOffersToSaveTheTable()
{
    QFETCH(GridSize, size);
    QFETCH(QString, answer);
    QFETCH(QString, saved);
    EditorWindow &w = window(size);
    w.setWordProcessorFactory([] { return std::make_unique<MissingWordProcessor>(); });
    placeWord(w, QStringLiteral("OTTER"), 2, 3, "Down-Right");
    w.model().fillRandom();
    w.showPuzzle();
    w.show();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString documents = DocxWordProcessor::documentFolder(QString());
    const QStringList documentsBefore = QDir(documents).entryList({"*.docx"}, QDir::Files);

    ModalAnswerer answerer;
    answerer.fileToChoose = answer.isEmpty() ? QString() : dir.filePath(answer);
    find<QPushButton>(&w, "ExportWord")->click();
    QCOMPARE(answerer.messages,
             QStringList{"There was an error initialising Microsoft Word. It might not have been "
                         "installed correctly or is not installed at all."});
    QCOMPARE(answerer.fileDialogs, QStringList{"saveDocument"});
    QCOMPARE(answerer.fileFilters, QStringList{"Word document (*.docx)"});
    auto *dialog = w.findChild<QFileDialog *>(QStringLiteral("saveDocument"));
    QVERIFY(dialog);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);

    QCOMPARE(QDir(documents).entryList({"*.docx"}, QDir::Files), documentsBefore);
    if (saved.isEmpty()) {
        // It opened where an export goes, under the export's name.
        QCOMPARE(dialog->directory().absolutePath(), QDir(documents).absolutePath());
        QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(),
                 QStringLiteral("Word Quarrin grid 15x15.docx"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        return;
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{saved});
    // Read back by an independent reader: the grid, one letter a cell.
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(QUARRIN_READ_DOCX), dir.filePath(saved)});
    QVERIFY(reader.waitForFinished(60000));
    QCOMPARE(reader.exitCode(), 0);
    const QJsonArray tables =
        QJsonDocument::fromJson(reader.readAllStandardOutput()).object().value("tables").toArray();
    QCOMPARE(tables.size(), 1);
    const QJsonArray cells = tables.at(0).toObject().value("cells").toArray();
    const int n = w.model().columns();
    QCOMPARE(cells.size(), n);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            QCOMPARE(cells.at(r).toArray().at(c).toString(), w.model().cell(c, r).left(1));
    QCOMPARE(cells.at(2).toArray().at(1).toString(), QStringLiteral("O"));
}

void TestEditorWindow::activationFocusesTheWordBox()
{
    EditorWindow &w = *m_main;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), find<QWidget>(&w, "wordEB"));
    QVERIFY(!gridView(w)->currentIndex().isValid());

    // A click into a word list sends the focus back to the word box.
    find<QPushButton>(&w, "Button6")->setFocus();
    auto *log = find<QPlainTextEdit>(&w, "log");
    QTest::mouseClick(log->viewport(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), find<QWidget>(&w, "wordEB"));
}

void TestEditorWindow::closingTheLargeWindowEndsTheProgram()
{
    CloseSpy closes;
    m_main->installEventFilter(&closes);
    m_main->show();
    find<QPushButton>(m_main.get(), "Button5")->click();
    QVERIFY(m_mainC->isVisible());
    QVERIFY(!m_main->isVisible());

    find<QPushButton>(m_mainC.get(), "BitBtn3")->click();
    QVERIFY(!m_mainC->isVisible());
    QCOMPARE(closes.closes, 1); // the main window was closed too
    // No window is left open, so the program ends.
    for (QWidget *top : QApplication::topLevelWidgets())
        QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
}

QTEST_MAIN(TestEditorWindow)
#include "test_editor_window.moc"
