// Editing that loses no work: undo and redo of every command, the question
// before unsaved work goes, Add Words..., and the desktop habits (shortcuts,
// Save As..., recent files, the last folder, a clicked cell).

#include "editor/editor_window.h"
#include "editor/fill_settings.h"
#include "modal_answerer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <functional>
#include <memory>

using namespace quarrin;
using quarrin::test::ModalAnswerer;

namespace {

const QString kQuestion = QStringLiteral("Save changes to this puzzle?");

template <typename T> T *find(QWidget *window, const QString &name)
{
    T *child = window->findChild<T *>(name);
    if (!child)
        qFatal("no control %s", qPrintable(name));
    return child;
}

void click(QWidget *window, const char *button)
{
    find<QPushButton>(window, QString::fromLatin1(button))->click();
}

void trigger(QWidget *window, const char *item)
{
    find<QAction>(window, QString::fromLatin1(item))->trigger();
}

// Adds a word at a cell through the editor's boxes, as a user would.
void addAt(EditorWindow &w, const QString &word, int x, int y, const QString &direction)
{
    auto *random = find<QCheckBox>(&w, QStringLiteral("CheckBox1"));
    if (random->isChecked())
        random->setChecked(false);
    find<QLineEdit>(&w, QStringLiteral("wordEB"))->setText(word);
    find<QLineEdit>(&w, QStringLiteral("xPos"))->setText(QString::number(x));
    find<QLineEdit>(&w, QStringLiteral("yPos"))->setText(QString::number(y));
    auto *direction_ = find<QComboBox>(&w, QStringLiteral("direction"));
    direction_->setCurrentIndex(direction_->findText(direction));
    click(&w, "BitBtn1");
}

// The puzzle with a few words, some crossing, and a random fill.
void makePuzzle(EditorWindow &w)
{
    addAt(w, QStringLiteral("ORBIT"), 1, 1, QStringLiteral("Right"));
    addAt(w, QStringLiteral("OCEAN"), 1, 1, QStringLiteral("Down"));
    addAt(w, QStringLiteral("COMET"), 3, 4, QStringLiteral("Down-Right"));
    QCOMPARE(w.model().wordCount(), 3);
}

QString describe(const PuzzleModel &m)
{
    QString out = m.log().join(QLatin1Char(' ')) + QLatin1Char('|') +
                  m.positions().join(QLatin1Char(' ')) + QLatin1Char('|') +
                  m.directionMemo().join(QLatin1Char(' ')) + QLatin1Char('\n');
    for (int row = 0; row < m.rows(); ++row) {
        for (int col = 0; col < m.columns(); ++col) {
            const QString text = m.cell(col, row);
            out += text.isEmpty() ? QStringLiteral(".") : text.left(1);
        }
        out += QLatin1Char('\n');
    }
    return out;
}

// Undo must give back the puzzle exactly: cells, lists and clues.
#define COMPARE_PUZZLE(actual, expected)                                                           \
    QVERIFY2((actual).samePuzzle(expected),                                                        \
             qPrintable(QStringLiteral("\nhave:\n%1\nwant:\n%2")                                   \
                            .arg(describe(actual), describe(expected))))

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }
    void init()
    {
        QFile::remove(FillSettings::settingsPath());
        FillSettings::instance().reload();
        m_ticks = 777;
        m_random = std::make_unique<RandomGenerator>([this] { return m_ticks += 104729; });
        m_snapshot = std::make_unique<PuzzleSnapshot>();
        m_snapshotC = std::make_unique<PuzzleSnapshot>();
        m_main = std::make_unique<TMain>(m_random.get(), m_snapshot.get());
        m_mainC = std::make_unique<TMainC>(m_random.get(), m_snapshotC.get());
        m_main->setTwin(m_mainC.get());
        m_mainC->setTwin(m_main.get());
    }
    void cleanup()
    {
        m_main.reset();
        m_mainC.reset();
    }

    void undoAndRedoGiveBackThePuzzle_data();
    void undoAndRedoGiveBackThePuzzle();
    void undoKeysWorkFromTheWordBox();
    void manyLevelsOfUndo();
    void questionOnlyWithUnsavedWork_data();
    void questionOnlyWithUnsavedWork();
    void questionDefaultsToCancel();
    void closingAsksForTheHiddenEditorToo();
    void splitWordLines_data();
    void splitWordLines();
    void addWordsReportsEveryWord();
    void addWordsReadsATextFile();
    void shortcutsOfTheMenus_data();
    void shortcutsOfTheMenus();
    void saveAsAlwaysAsksForAName();
    void recentPuzzlesAndTheLastFolder();
    void clickedCellFillsXAndY();

private:
    EditorWindow &editor(GridSize size)
    {
        return size == GridSize::Small ? static_cast<EditorWindow &>(*m_main)
                                       : static_cast<EditorWindow &>(*m_mainC);
    }
    QString savedPuzzle(EditorWindow &w, const QString &name)
    {
        ModalAnswerer answerer;
        answerer.fileToChoose = m_dir.filePath(name);
        click(&w, "saveBTN");
        return PuzzleFile::fileNameForSaving(w.gridSize(), m_dir.filePath(name));
    }

    QTemporaryDir m_dir;
    std::uint64_t m_ticks = 0;
    std::unique_ptr<RandomGenerator> m_random;
    std::unique_ptr<PuzzleSnapshot> m_snapshot;
    std::unique_ptr<PuzzleSnapshot> m_snapshotC;
    std::unique_ptr<TMain> m_main;
    std::unique_ptr<TMainC> m_mainC;
};

void TestEditing::undoAndRedoGiveBackThePuzzle_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<QString>("command");
    const char *commands[] = {"Add Word",     "Delete", "Fill with Random", "Fill with Message",
                              "Remove Fill",  "Clear",  "Load",             "Size switch",
                              "New Puzzle",   "Refill", "Add Words"};
    for (GridSize size : {GridSize::Small, GridSize::Large}) {
        for (const char *command : commands)
            QTest::addRow("%s %s", qPrintable(size.text()), command) << size << command;
    }
}

void TestEditing::undoAndRedoGiveBackThePuzzle()
{
    QFETCH(GridSize, size);
    QFETCH(QString, command);
    EditorWindow &w = editor(size);
    w.show();
    makePuzzle(w);
    // Every command that needs one finds a saved file, a fill or a twin.
    const QString saved = savedPuzzle(w, QStringLiteral("undo-%1").arg(size.text()));
    QVERIFY(QFile::exists(saved));
    addAt(w, QStringLiteral("STAR"), 10, 2, QStringLiteral("Down"));
    click(&w, "Button1");

    // The editor whose puzzle the command changes, made ready for it.
    EditorWindow *changed = &w;
    ModalAnswerer answerer;
    answerer.questionAnswer = QStringLiteral("discardAnswer");
    answerer.inputAnswer = QStringLiteral("hidden message");
    if (command == "Fill with Random" || command == "Fill with Message" || command == "Add Word" ||
        command == "Add Words")
        click(&w, "removeRandom");
    if (command == "Size switch") {
        // The other editor holds unsaved work, which the switch empties.
        changed = &editor(size == GridSize::Small ? GridSize::Large : GridSize::Small);
        addAt(*changed, QStringLiteral("PLANET"), 2, 2, QStringLiteral("Down"));
    }
    const PuzzleModel before = changed->model();

    if (command == "Add Word") {
        addAt(w, QStringLiteral("MOON"), 5, 9, QStringLiteral("Right"));
    } else if (command == "Delete") {
        auto *list = find<QComboBox>(&w, QStringLiteral("ComboBox1"));
        list->setCurrentIndex(0);
        click(&w, "Button4");
    } else if (command == "Fill with Random") {
        click(&w, "Button1");
    } else if (command == "Fill with Message") {
        click(&w, "Button8");
    } else if (command == "Remove Fill") {
        click(&w, "removeRandom");
    } else if (command == "Clear") {
        click(&w, "Button2");
    } else if (command == "Load") {
        answerer.fileToChoose = saved;
        click(&w, "BitBtn4");
    } else if (command == "Size switch") {
        click(&w, "Button5");
    } else if (command == "New Puzzle") {
        QVERIFY(w.startEmptyPuzzle(false));
    } else if (command == "Refill") {
        trigger(&w, "CheckPuzzle1");
        auto *refill = w.findChild<QPushButton *>(QStringLiteral("refillButton"));
        QVERIFY(refill);
        refill->click();
    } else if (command == "Add Words") {
        w.addWordList({{QStringLiteral("MARS"), QStringLiteral("red")},
                       {QStringLiteral("VENUS"), QString()}});
    }
    const PuzzleModel after = changed->model();
    QVERIFY2(!after.samePuzzle(before), qPrintable(command));
    const QString label = command == "Size switch" || command == "New Puzzle"
                              ? QStringLiteral("Clear")
                              : command;
    QCOMPARE(changed->history()->undoText(), label);

    find<QAction>(changed, QStringLiteral("Undo1"))->trigger();
    COMPARE_PUZZLE(changed->model(), before);
    find<QAction>(changed, QStringLiteral("Redo1"))->trigger();
    COMPARE_PUZZLE(changed->model(), after);
    find<QAction>(changed, QStringLiteral("Undo1"))->trigger();
    COMPARE_PUZZLE(changed->model(), before);
    // The grid and the lists show what the model holds.
    auto *grid = changed->findChild<QTableView *>();
    QVERIFY(grid);
    for (int k = 0; k < changed->model().columns(); ++k)
        QCOMPARE(grid->model()->index(k % changed->model().rows(), k).data().toString(),
                 changed->model().cell(k, k % changed->model().rows()));
    QCOMPARE(find<QPlainTextEdit>(changed, QStringLiteral("log"))->toPlainText(),
             changed->model().log().join(QLatin1Char('\n')));
}

void TestEditing::undoKeysWorkFromTheWordBox()
{
    EditorWindow &w = *m_main;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const PuzzleModel empty = w.model();
    addAt(w, QStringLiteral("ORBIT"), 1, 1, QStringLiteral("Right"));
    const PuzzleModel one = w.model();
    auto *box = find<QLineEdit>(&w, QStringLiteral("wordEB"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    COMPARE_PUZZLE(w.model(), empty);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    COMPARE_PUZZLE(w.model(), one);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
    COMPARE_PUZZLE(w.model(), one);
}

void TestEditing::manyLevelsOfUndo()
{
    EditorWindow &w = *m_mainC;
    QList<PuzzleModel> states{w.model()};
    const QStringList words{"ALPHA", "BRAVO", "CHARLIE", "DELTA", "ECHO", "FOXTROT", "GOLF",
                            "HOTEL", "INDIA", "JULIETT", "KILO", "LIMA"};
    for (int k = 0; k < words.size(); ++k) {
        addAt(w, words.at(k), 1, k + 1, QStringLiteral("Right"));
        states << w.model();
    }
    click(&w, "Button1");
    states << w.model();
    for (int k = int(states.size()) - 2; k >= 0; --k) {
        trigger(&w, "Undo1");
        COMPARE_PUZZLE(w.model(), states.at(k));
    }
    QVERIFY(!w.history()->canUndo());
    for (int k = 1; k < states.size(); ++k) {
        trigger(&w, "Redo1");
        COMPARE_PUZZLE(w.model(), states.at(k));
    }
    // A new command after an undo drops the steps that were undone.
    trigger(&w, "Undo1");
    addAt(w, QStringLiteral("MIKE"), 20, 20, QStringLiteral("Down"));
    QVERIFY(!w.history()->canRedo());
}

void TestEditing::questionOnlyWithUnsavedWork_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<QString>("answer"); // objectName of the answer's button
    for (const char *command : {"Clear", "Load", "New Puzzle", "Close", "Size switch"}) {
        QTest::addRow("%s, saved", command) << command << false << QString();
        for (const char *answer : {"saveAnswer", "discardAnswer", "cancelAnswer"})
            QTest::addRow("%s, unsaved, %s", command, answer) << command << true << answer;
    }
}

void TestEditing::questionOnlyWithUnsavedWork()
{
    QFETCH(QString, command);
    QFETCH(bool, unsaved);
    QFETCH(QString, answer);
    EditorWindow &w = *m_main;
    EditorWindow &twin = *m_mainC;
    w.show();
    // The puzzle at risk: this editor's, or for the switch the other one's.
    EditorWindow &atRisk = command == "Size switch" ? twin : w;
    makePuzzle(w);
    const QString loadable = savedPuzzle(w, QStringLiteral("loadable"));
    addAt(atRisk, QStringLiteral("PLANET"), 9, 9, QStringLiteral("Down"));
    if (!unsaved)
        savedPuzzle(atRisk, QStringLiteral("saved-%1").arg(atRisk.gridSize().text()));
    QCOMPARE(atRisk.hasUnsavedWork(), unsaved);
    const PuzzleModel kept = atRisk.model();
    const QString saveTo = m_dir.filePath(QStringLiteral("answered-save"));
    const QString written = PuzzleFile::fileNameForSaving(atRisk.gridSize(), saveTo);
    QFile::remove(written);

    ModalAnswerer answerer;
    answerer.questionAnswer = answer;
    answerer.fileToChoose = command == "Load" && answer != "saveAnswer" ? loadable : saveTo;
    bool started = true;
    if (command == "Clear") {
        click(&w, "Button2");
    } else if (command == "Load") {
        // Save answers with the save dialog; then the open dialog comes.
        if (answer == "saveAnswer")
            answerer.filesToChoose = QStringList{loadable, saveTo};
        click(&w, "BitBtn4");
    } else if (command == "New Puzzle") {
        started = w.startEmptyPuzzle(false);
    } else if (command == "Close") {
        w.close();
    } else {
        click(&w, "Button5");
    }

    if (!unsaved) {
        QVERIFY(answerer.questions.isEmpty());
    } else {
        QCOMPARE(answerer.questions, QStringList{kQuestion});
    }
    const bool cancelled = unsaved && answer == "cancelAnswer";
    if (cancelled) {
        // Nothing happened: the puzzle, and the window, are as they were.
        COMPARE_PUZZLE(atRisk.model(), kept);
        QVERIFY(w.isVisible());
        QVERIFY(!started || command != "New Puzzle");
        return;
    }
    if (unsaved && answer == "saveAnswer") {
        // The work went to the chosen file before it was let go.
        QVERIFY2(QFile::exists(written), qPrintable(written));
        PuzzleModel reread(atRisk.gridSize(), m_random.get());
        PuzzleFile file(atRisk.gridSize());
        QVERIFY(file.load(reread, written).ok);
        QCOMPARE(reread.log(), kept.log());
    }
    if (command == "Close") {
        QVERIFY(!w.isVisible());
    } else if (command == "Load") {
        QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join(' ')));
        QCOMPARE(w.model().wordCount(), 3);
        QVERIFY(!w.hasUnsavedWork());
    } else if (command == "Size switch") {
        QCOMPARE(twin.model().wordCount(), 0);
        QVERIFY(twin.isVisible());
    } else {
        QCOMPARE(w.model().wordCount(), 0);
    }
}

void TestEditing::questionDefaultsToCancel()
{
    EditorWindow &w = *m_main;
    w.show();
    makePuzzle(w);
    QString defaultButton;
    bool answered = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->objectName(), QStringLiteral("saveChangesQuestion"));
        QCOMPARE(box->text(), kQuestion);
        defaultButton = box->defaultButton()->objectName();
        QTest::keyClick(box, Qt::Key_Escape);
        answered = true;
    });
    click(&w, "Button2");
    QVERIFY(answered);
    QCOMPARE(defaultButton, QStringLiteral("cancelAnswer"));
    // Esc answered Cancel: the puzzle stays.
    QCOMPARE(w.model().wordCount(), 3);
}

void TestEditing::closingAsksForTheHiddenEditorToo()
{
    // Closing the 15x15 editor ends the program, which would lose the
    // hidden 30x30 editor's work as well.
    EditorWindow &w = *m_main;
    w.show();
    addAt(*m_mainC, QStringLiteral("COMET"), 1, 1, QStringLiteral("Down"));
    {
        ModalAnswerer answerer;
        answerer.questionAnswer = QStringLiteral("cancelAnswer");
        w.close();
        QCOMPARE(answerer.questions, QStringList{kQuestion});
    }
    QVERIFY(w.isVisible());
    {
        ModalAnswerer answerer;
        answerer.questionAnswer = QStringLiteral("discardAnswer");
        w.close();
        QCOMPARE(answerer.questions, QStringList{kQuestion});
    }
    QVERIFY(!w.isVisible());
}

void TestEditing::splitWordLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("clues");
    QTest::newRow("one a line") << "orbit\ncomet\r\ngravity\n"
                                << QStringList{"orbit", "comet", "gravity"}
                                << QStringList{"", "", ""};
    QTest::newRow("commas and blanks") << "orbit, comet gravity;moon\t star"
                                       << QStringList{"orbit", "comet", "gravity", "moon", "star"}
                                       << QStringList{"", "", "", "", ""};
    QTest::newRow("clue lines") << "CORE: the centre of the Earth\nmantle\n  crust :  outer layer  "
                                << QStringList{"CORE", "mantle", "crust"}
                                << QStringList{"the centre of the Earth", "", "outer layer"};
    QTest::newRow("a clue keeps its commas") << "lava: hot, molten rock"
                                             << QStringList{"lava"}
                                             << QStringList{"hot, molten rock"};
    QTest::newRow("blank lines and a lone colon") << "\n\n  \n:\n"
                                                  << QStringList{":"} << QStringList{""};
}

void TestEditing::splitWordLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QFETCH(QStringList, clues);
    QStringList gotWords, gotClues;
    for (const EditorWindow::WordLine &line : EditorWindow::splitWordLines(text)) {
        gotWords << line.word;
        gotClues << line.clue;
    }
    QCOMPARE(gotWords, words);
    QCOMPARE(gotClues, clues);
}

void TestEditing::addWordsReportsEveryWord()
{
    EditorWindow &w = *m_main;
    w.show();
    addAt(w, QStringLiteral("ORBIT"), 1, 1, QStringLiteral("Right"));
    const QString pasted = QStringLiteral("comet, gravity\n"
                                          "core: the centre of the Earth\n"
                                          "extraterrestrially\n"
                                          "café\n"
                                          "orbit\n"
                                          "comet\n"
                                          "solar system: our star and its planets\n");
    QStringList report;
    QString summary;
    ModalAnswerer answerer;
    answerer.onDialog = [&](QDialog *dialog) {
        if (dialog->objectName() == QLatin1String("addWordsDialog")) {
            find<QPlainTextEdit>(dialog, QStringLiteral("addWordsText"))->setPlainText(pasted);
            find<QPushButton>(dialog, QStringLiteral("addWordsOk"))->click();
        } else if (dialog->objectName() == QLatin1String("addWordsReport")) {
            report = find<QPlainTextEdit>(dialog, QStringLiteral("addWordsReportText"))
                         ->toPlainText()
                         .split(QLatin1Char('\n'));
            summary = find<QLabel>(dialog, QStringLiteral("addWordsSummary"))->text();
            dialog->accept();
        }
    };
    trigger(&w, "AddWords1");

    QCOMPARE(w.model().log(), (QStringList{"ORBIT", "COMET", "GRAVITY", "CORE"}));
    QCOMPARE(w.model().clue(3), QStringLiteral("the centre of the Earth"));
    QCOMPARE(report.size(), 8);
    for (int k : {0, 1, 2})
        QVERIFY2(report.at(k).contains(QStringLiteral(": placed at ")), qPrintable(report.at(k)));
    // Where each went, as the lists say.
    QCOMPARE(report.at(0), QStringLiteral("COMET: placed at %1, %2")
                               .arg(w.model().positions().at(1), w.model().directionMemo().at(1)));
    QVERIFY(report.at(2).endsWith(QStringLiteral(", clue \u201cthe centre of the Earth\u201d")));
    QCOMPARE(report.at(3), QStringLiteral("EXTRATERRESTRIALLY: not added, too long for this grid "
                                          "(18 letters, at most 14)"));
    QCOMPARE(report.at(4), QStringLiteral("café: not added, not letters only (\u201cé\u201d)"));
    QCOMPARE(report.at(5), QStringLiteral("ORBIT: not added, it is already in the puzzle"));
    QCOMPARE(report.at(6), QStringLiteral("COMET: not added, it is already in the puzzle"));
    QCOMPARE(report.at(7), QStringLiteral("solar system: not added, not letters only (a blank)"));
    QCOMPARE(summary, QStringLiteral("3 of 8 words placed."));
    // Every word placed reads in the grid where the lists put it.
    const auto paths = w.model().wordPaths();
    for (int k = 0; k < w.model().wordCount(); ++k) {
        QVERIFY(paths.at(std::size_t(k)).has_value());
        QString read;
        for (int p = 0; p < paths.at(std::size_t(k))->length; ++p) {
            const CellPos c = paths.at(std::size_t(k))->cell(p);
            read += w.model().cell(c.col, c.row).left(1);
        }
        QCOMPARE(read, w.model().log().at(k));
    }
    // All of it is one step.
    trigger(&w, "Undo1");
    QCOMPARE(w.model().log(), QStringList{"ORBIT"});
}

void TestEditing::addWordsReadsATextFile()
{
    EditorWindow &w = *m_mainC;
    w.show();
    // Only Down allowed: a word limit and a full grid are reported too.
    const QString path = m_dir.filePath(QStringLiteral("words.txt"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QString text;
        for (int k = 0; k < 120; ++k)
            text += QStringLiteral("w%1\n").arg(QString(QChar(u'a' + k % 26)).repeated(3 + k / 26));
        file.write(text.toUtf8());
    }
    QStringList report;
    QStringList fileDialogs;
    ModalAnswerer answerer;
    answerer.onDialog = [&](QDialog *dialog) {
        if (dialog->objectName() == QLatin1String("addWordsDialog")) {
            {
                // The file dialog opens inside this answer: a second answerer takes it.
                ModalAnswerer inner;
                inner.fileToChoose = path;
                find<QPushButton>(dialog, QStringLiteral("addWordsOpen"))->click();
                fileDialogs = inner.fileDialogs;
            }
            find<QPushButton>(dialog, QStringLiteral("addWordsOk"))->click();
        } else if (dialog->objectName() == QLatin1String("addWordsReport")) {
            report = find<QPlainTextEdit>(dialog, QStringLiteral("addWordsReportText"))
                         ->toPlainText()
                         .split(QLatin1Char('\n'));
            dialog->accept();
        }
    };
    trigger(&w, "AddWords1");
    QVERIFY(!fileDialogs.isEmpty());
    QCOMPARE(fileDialogs.first(), QStringLiteral("addWordsFile"));
    QCOMPARE(report.size(), 120);
    const int limit = w.model().spec().maxWords;
    QCOMPARE(w.model().wordCount(), limit);
    // Words past the limit say so; none goes missing from the report.
    QCOMPARE(report.filter(QStringLiteral(": placed at ")).size(), limit);
    QCOMPARE(report.filter(QStringLiteral("over the word limit of %1").arg(limit)).size(),
             120 - limit);
}

void TestEditing::shortcutsOfTheMenus_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("New Puzzle") << "NewPuzzle1" << QKeySequence(Qt::CTRL | Qt::Key_N);
    QTest::newRow("Load") << "Load1" << QKeySequence(Qt::CTRL | Qt::Key_O);
    QTest::newRow("Save") << "Save1" << QKeySequence(Qt::CTRL | Qt::Key_S);
    QTest::newRow("Save As") << "SaveAs1" << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    QTest::newRow("Print") << "Print1" << QKeySequence(Qt::CTRL | Qt::Key_P);
    QTest::newRow("Help") << "Help1" << QKeySequence(Qt::Key_F1);
    QTest::newRow("Exit") << "Exit1" << QKeySequence(Qt::CTRL | Qt::Key_Q);
    QTest::newRow("Undo") << "Undo1" << QKeySequence(Qt::CTRL | Qt::Key_Z);
    QTest::newRow("Redo") << "Redo1" << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
}

void TestEditing::shortcutsOfTheMenus()
{
    QFETCH(QString, item);
    QFETCH(QKeySequence, keys);
    for (EditorWindow *w : {static_cast<EditorWindow *>(m_main.get()),
                            static_cast<EditorWindow *>(m_mainC.get())}) {
        auto *action = find<QAction>(w, item);
        QVERIFY2(action->shortcuts().contains(keys),
                 qPrintable(action->shortcut().toString()));
    }
    if (item == "Redo1")
        QVERIFY(find<QAction>(m_main.get(), item)->shortcuts().contains(
            QKeySequence(Qt::CTRL | Qt::Key_Y)));
}

void TestEditing::saveAsAlwaysAsksForAName()
{
    EditorWindow w(GridSize(12, 9), EditorKind::Document, m_random.get(), m_snapshot.get());
    w.show();
    addAt(w, QStringLiteral("ORBIT"), 1, 1, QStringLiteral("Right"));
    const QString first = m_dir.filePath(QStringLiteral("first.ipuz"));
    const QString second = m_dir.filePath(QStringLiteral("second.ipuz"));
    {
        ModalAnswerer answerer;
        answerer.fileToChoose = first;
        trigger(&w, "Save1");
    }
    QCOMPARE(w.documentPath(), first);
    {
        // Save As asks even though the document has a name.
        ModalAnswerer answerer;
        answerer.onDialog = nullptr;
        answerer.fileToChoose = second;
        trigger(&w, "SaveAs1");
        QCOMPARE(answerer.fileDialogs, QStringList{QStringLiteral("save")});
    }
    QVERIFY(QFile::exists(second));
    QCOMPARE(w.documentPath(), second);
    QVERIFY(!w.hasUnsavedWork());
}

void TestEditing::recentPuzzlesAndTheLastFolder()
{
    EditorWindow &w = *m_main;
    w.show();
    QTemporaryDir folder;
    QStringList saved;
    for (int k = 1; k <= 10; ++k) {
        addAt(w, QStringLiteral("WORD") + QString(QChar(u'A' + k)), 1, k, QStringLiteral("Right"));
        ModalAnswerer answerer;
        answerer.fileToChoose = folder.filePath(QStringLiteral("p%1").arg(k));
        click(&w, "saveBTN");
        saved.prepend(folder.filePath(QStringLiteral("p%1.qrn").arg(k)));
    }
    // The last eight, newest first, and the folder they went to.
    QCOMPARE(EditorWindow::recentFiles(), saved.mid(0, 8));
    QCOMPARE(EditorWindow::lastFolder(), QFileInfo(folder.path()).absoluteFilePath());

    // Another editor (a later run reads the same file) offers them and starts there.
    TMain later(m_random.get(), m_snapshot.get());
    auto *menu = find<QMenu>(&later, QStringLiteral("RecentPuzzles1"));
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QCOMPARE(menu->actions().size(), 8);
    QCOMPARE(menu->actions().first()->data().toString(), saved.first());
    QString startedIn;
    {
        ModalAnswerer answerer;
        auto *open = find<QFileDialog>(&later, QStringLiteral("open"));
        QTimer::singleShot(0, this, [&] { startedIn = open->directory().absolutePath(); });
        click(&later, "BitBtn4");
    }
    QCOMPARE(startedIn, QFileInfo(folder.path()).absoluteFilePath());

    // Choosing an entry opens that puzzle.
    menu->actions().at(3)->trigger();
    PuzzleModel expected(GridSize::Small, m_random.get());
    PuzzleFile file(GridSize::Small);
    QVERIFY(file.load(expected, saved.at(3)).ok);
    QCOMPARE(later.model().log(), expected.log());
    QCOMPARE(EditorWindow::recentFiles().first(), saved.at(3));

    // A file gone since is said so and leaves the list.
    QVERIFY(QFile::remove(saved.at(0)));
    {
        ModalAnswerer answerer;
        QMetaObject::invokeMethod(menu, "aboutToShow");
        QAction *gone = nullptr;
        for (QAction *item : menu->actions())
            if (item->data().toString() == saved.at(0))
                gone = item;
        QVERIFY(gone);
        gone->trigger();
        QCOMPARE(answerer.messages.size(), 1);
        QVERIFY(answerer.messages.first().contains(QStringLiteral("no longer there")));
    }
    QVERIFY(!EditorWindow::recentFiles().contains(saved.at(0)));
    QCOMPARE(later.model().log(), expected.log());
}

void TestEditing::clickedCellFillsXAndY()
{
    EditorWindow &w = *m_mainC;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *random = find<QCheckBox>(&w, QStringLiteral("CheckBox1"));
    random->setChecked(true);
    auto *grid = w.findChild<QTableView *>(QStringLiteral("quarrin2"));
    QVERIFY(grid);
    const QRect cell = grid->visualRect(grid->model()->index(6, 11)); // row 7, column 12
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(!random->isChecked());
    QCOMPARE(find<QLineEdit>(&w, QStringLiteral("xPos"))->text(), QStringLiteral("12"));
    QCOMPARE(find<QLineEdit>(&w, QStringLiteral("yPos"))->text(), QStringLiteral("7"));
    // The word then goes there.
    find<QLineEdit>(&w, QStringLiteral("wordEB"))->setText(QStringLiteral("orbit"));
    auto *direction = find<QComboBox>(&w, QStringLiteral("direction"));
    direction->setCurrentIndex(direction->findText(QStringLiteral("Right")));
    click(&w, "BitBtn1");
    QCOMPARE(w.model().positions(), QStringList{QStringLiteral("12, 7")});
}

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
