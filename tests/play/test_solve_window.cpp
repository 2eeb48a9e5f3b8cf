#include "grid/pub_str_grid.h"
#include "manual_clock.h"
#include "play/solve_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace quarrin;
using quarrin::test::ManualClock;

namespace {

// Answers every message box while it lives, recording the texts; `whileOpen`
// runs while a box is shown (before it is answered).
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(std::function<void()> whileOpen = {}) : m_whileOpen(std::move(whileOpen))
    {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            texts << box->text();
            titles << box->windowTitle();
            if (m_whileOpen)
                m_whileOpen();
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start();
    }
    QStringList texts;
    QStringList titles;

private:
    QTimer m_timer;
    std::function<void()> m_whileOpen;
};

// A letter store of one size, filled with Z, margin blank, with words placed
// at 1-based coordinates.
class Board
{
public:
    explicit Board(GridSize size)
        : m_side(sizeSpec(size).storeColumns), m_words(sizeSpec(size).snapshotWords)
    {
        m_letters = QString(m_side * m_side, QChar(' '));
        for (int c = 0; c < m_side - 1; ++c)
            for (int r = 0; r < m_side - 1; ++r)
                m_letters[c * m_side + r] = QChar('Z');
    }
    void place(const QString &word, int x, int y, int dx, int dy)
    {
        for (int i = 0; i < word.size(); ++i) {
            const int index = (x - 1 + i * dx) * m_side + (y - 1 + i * dy);
            QCOMPARE_NE(index, -1);
            if (m_letters[index] != QChar('Z') && m_letters[index] != word[i])
                QFAIL(qPrintable(QString("overlap placing %1").arg(word)));
            m_letters[index] = word[i];
        }
    }
    PuzzleSnapshot snapshot(QStringList words) const
    {
        while (words.size() < m_words)
            words << QString();
        return PuzzleSnapshot{m_letters, words.mid(0, m_words)};
    }
    int side() const { return m_side; }

private:
    int m_side;
    int m_words;
    QString m_letters;
};

struct Placed
{
    const char *word;
    int x, y, dx, dy;
};

// Eighteen words; the first eight run in the eight directions.
const Placed kFixture[] = {
    {"CAT", 1, 1, 1, 0},    {"DOG", 5, 1, 0, 1},      {"BIRD", 1, 5, 1, 1},
    {"FISH", 6, 10, 1, -1}, {"MOUSE", 15, 15, -1, 0}, {"HORSE", 14, 12, 0, -1},
    {"LION", 13, 1, -1, 1}, {"BEAR", 10, 14, -1, -1}, {"GOAT", 1, 3, 1, 0},
    {"EEL", 6, 5, 1, 0},    {"APE", 1, 12, 1, 0},     {"COW", 1, 14, 1, 0},
    {"PIG", 1, 10, 1, 0},   {"YAK", 10, 6, 1, 0},     {"ANT", 1, 2, 1, 0},
    {"WOLF", 1, 13, 1, 0},  {"DEER", 6, 6, 1, 0},     {"SEAL", 1, 9, 1, 0},
};

QStringList fixtureWords()
{
    QStringList words;
    for (const Placed &p : kFixture)
        words << QString::fromLatin1(p.word);
    return words;
}

PuzzleSnapshot fixtureSnapshot(GridSize size)
{
    Board board(size);
    for (const Placed &p : kFixture)
        board.place(QString::fromLatin1(p.word), p.x, p.y, p.dx, p.dy);
    return board.snapshot(fixtureWords());
}

// A play window under test with a hand-ticked clock.
struct Game
{
    Game(GridSize size, PuzzleSnapshot s) : snapshot(std::move(s))
    {
        window = size == GridSize::Small
                     ? std::unique_ptr<SolveWindow>(new TSolveMode15(&snapshot))
                     : std::unique_ptr<SolveWindow>(new Tsolvemode30(&snapshot));
        auto c = std::make_unique<ManualClock>();
        clock = c.get();
        window->setClockTimer(std::move(c));
        window->setCloseHook([this] { ++closeHookCalls; });
    }
    void open()
    {
        window->show();
        QCoreApplication::processEvents();
    }
    void start() { timeBox()->click(); }
    TPubStrGrid *grid() const { return window->grid(); }
    QPushButton *timeBox() const { return window->findChild<QPushButton *>("timeBox"); }
    QString text(const char *name) const
    {
        if (auto *l = window->findChild<QLabel *>(name))
            return l->text();
        if (auto *b = window->findChild<QPushButton *>(name))
            return b->text();
        return "<no control>";
    }
    // Clicks the cell at 1-based X, Y.
    void click(int x, int y)
    {
        QTest::mouseClick(grid(), Qt::LeftButton, {}, grid()->cellRect(x - 1, y - 1).center());
    }
    void select(int x1, int y1, int x2, int y2)
    {
        click(x1, y1);
        click(x2, y2);
    }
    void selectPlaced(const Placed &p)
    {
        const int len = int(qstrlen(p.word)) - 1;
        select(p.x, p.y, p.x + len * p.dx, p.y + len * p.dy);
    }
    QColor slotColor(int k) const { return window->slot(k)->palette().color(QPalette::WindowText); }
    // Every cell of the store, column by column.
    QStringList cells() const
    {
        QStringList out;
        const int side = sizeSpec(window->gridSize()).storeColumns;
        for (int c = 0; c < side; ++c)
            for (int r = 0; r < side; ++r)
                out << grid()->cell(c, r);
        return out;
    }
    QStringList slotTexts() const
    {
        QStringList out;
        for (int k = 1; k <= window->slotCount(); ++k)
            out << window->slot(k)->text() + (window->slot(k)->isVisible() ? "" : " (hidden)");
        return out;
    }

    PuzzleSnapshot snapshot;
    std::unique_ptr<SolveWindow> window;
    ManualClock *clock = nullptr;
    int closeHookCalls = 0;
};

const QColor kGreen(0x00, 0x80, 0x00);
const QColor kBlack(0x00, 0x00, 0x00);

} // namespace

class TestSolveWindow : public QObject
{
    Q_OBJECT

private slots:
    void windowLayout_data();
    void windowLayout();
    void setUpShowsFirstWordsOnly();
    void startShowsGridAndRunsClock();
    void timeText_data();
    void timeText();
    void clockCaptionLagsOneSecond();
    void startAgainDuringGame();
    void selections_data();
    void selections();
    void firstClickNeverCounts();
    void wordInTwoSlotsAndCountedOnce();
    void hiddenSlotKeepsGameOpen();
    void finishMessageWithTime();
    void finishWithoutWords();
    void fullGameLarge();
    void navigationKeysActLikeClicks();
    void typingChangesNothing();
    void closeAndReopen_data();
    void closeAndReopen();
};

void TestSolveWindow::windowLayout_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("gridName");
    QTest::addColumn<QString>("timerName");
    QTest::addColumn<int>("cells");
    QTest::addColumn<int>("cellPixels");
    QTest::addColumn<int>("slotTotal");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QPoint>("lastSlot");
    QTest::addColumn<int>("slotPixels");
    QTest::newRow("15x15") << GridSize::Small << "SolveMode15"
                           << "quarrin"
                           << "Timer1" << 15 << 29 << 15 << "PRESS START TO BEGIN!"
                           << "green in the list below." << QPoint(752, 264) << 16;
    QTest::newRow("30x30") << GridSize::Large << "solvemode30"
                           << "quarrin2"
                           << "Timer2" << 30 << 14 << 28 << "PRESS THE START BUTTON BELOW TO BEGIN"
                           << "green in the list." << QPoint(512, 39 + 27 * 16) << 13;
}

void TestSolveWindow::windowLayout()
{
    QFETCH(GridSize, size);
    QFETCH(QString, form);
    QFETCH(QString, gridName);
    QFETCH(QString, timerName);
    QFETCH(int, cells);
    QFETCH(int, cellPixels);
    QFETCH(int, slotTotal);
    QFETCH(QString, prompt);
    QFETCH(QString, hint);
    QFETCH(QPoint, lastSlot);
    QFETCH(int, slotPixels);

    PuzzleSnapshot snapshot;
    std::unique_ptr<SolveWindow> w(size == GridSize::Small
                                       ? static_cast<SolveWindow *>(new TSolveMode15(&snapshot))
                                       : new Tsolvemode30(&snapshot));
    QCOMPARE(w->objectName(), form);
    QCOMPARE(w->windowTitle(), QString("Word Quarrin Generator"));
    QCOMPARE(w->palette().color(QPalette::Window), QColor(0xA6, 0xCA, 0xF0));

    auto *grid = w->findChild<TPubStrGrid *>(gridName);
    QVERIFY(grid);
    QCOMPARE(grid->colCount(), cells);
    QCOMPARE(grid->rowCount(), cells);
    QCOMPARE(grid->defaultColWidth(), cellPixels);
    QCOMPARE(grid->defaultRowHeight(), cellPixels);
    QCOMPARE(grid->alignment(), Qt::Alignment(Qt::AlignHCenter));
    QVERIFY(!grid->grid3D());
    QVERIFY(grid->isHidden());

    auto *timer = w->findChild<QTimer *>(timerName);
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 1000);
    QVERIFY(!timer->isActive());

    auto *panel = w->findChild<QLabel *>("Panel1");
    QVERIFY(panel);
    QCOMPARE(panel->text(), prompt);
    QCOMPARE(panel->geometry(), QRect(16, 19, 473, 473));
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(0x57, 0xA0, 0xE3));

    const QList<QPair<QString, QString>> captions = {
        {"Label2", "Point 1 (X, Y)"},
        {"Label3", "Point 2 (X, Y)"},
        {"Label4", "Direction:"},
        {"Label6", "Word at selected"},
        {"Label7", "coordinates:"},
        {"Label9", "List:"},
        {"Label10", "Time: "},
        {"Label11", "TO PLAY:"},
        {"Label12", "Click first grid square"},
        {"Label13", "(start of word)"},
        {"Label14", "Click second grid square"},
        {"Label15", "(end of word)"},
        {"Label16", "The word should now be"},
        {"Label17", hint},
    };
    for (const auto &[name, caption] : captions) {
        auto *l = w->findChild<QLabel *>(name);
        QVERIFY2(l, qPrintable(name));
        QCOMPARE(l->text(), caption);
        QCOMPARE(l->font().pixelSize(), 16);
    }
    for (const char *bold :
         {"Label2", "Label3", "Label4", "Label6", "Label7", "Label9", "Label10", "Label11"})
        QVERIFY2(w->findChild<QLabel *>(bold)->font().bold(), bold);
    QVERIFY(!w->findChild<QLabel *>("Label12")->font().bold());
    QCOMPARE(w->findChild<QLabel *>("Label16")->palette().color(QPalette::WindowText), kGreen);
    QCOMPARE(w->findChild<QLabel *>("Label17")->palette().color(QPalette::WindowText), kGreen);
    for (const char *name : {"point1", "point2", "timeBox"})
        QVERIFY2(w->findChild<QPushButton *>(name), name);
    QVERIFY(w->findChild<QPushButton *>("timeBox")->font().bold());
    QCOMPARE(w->findChild<QPushButton *>("timeBox")->text(), QString("START"));
    for (const char *name : {"directionLabel", "selectedWord"})
        QVERIFY2(w->findChild<QLabel *>(name), name);

    QCOMPARE(w->slotCount(), slotTotal);
    for (int k = 1; k <= slotTotal; ++k) {
        auto *l = w->findChild<QLabel *>(QString("l%1").arg(k));
        QVERIFY(l);
        QCOMPARE(l, w->slot(k));
        QVERIFY(l->isHidden());
        QCOMPARE(l->font().pixelSize(), slotPixels);
    }
    QVERIFY(!w->findChild<QLabel *>(QString("l%1").arg(slotTotal + 1)));
    QCOMPARE(w->slot(slotTotal)->pos(), lastSlot);
    QCOMPARE(w->slot(1)->x(), size == GridSize::Small ? 520 : 512);
}

void TestSolveWindow::setUpShowsFirstWordsOnly()
{
    Game g(GridSize::Small, fixtureSnapshot(GridSize::Small));
    QCOMPARE(g.snapshot.words.size(), 15);
    g.snapshot.words = fixtureWords(); // all 18, as a careless caller might hand over
    g.open();
    const QStringList words = fixtureWords();
    for (int k = 1; k <= 15; ++k) {
        QVERIFY(g.window->slot(k)->isVisible());
        QCOMPARE(g.window->slot(k)->text(), words.at(k - 1));
    }
    QCOMPARE(g.window->slotCount(), 15);
    QCOMPARE(g.window->wordsToFind(), 15);
    QVERIFY(g.grid()->isHidden());
    QCOMPARE(g.grid()->selection(), (GridRect{-1, -1, -1, -1}));

    // Every cell of the store, margin included, holds its letter.
    for (int c = 0; c < 16; ++c)
        for (int r = 0; r < 16; ++r)
            QCOMPARE(g.grid()->cell(c, r), QString(g.snapshot.letters.at(c * 16 + r)));
    QCOMPARE(g.grid()->cell(0, 0), QString("C"));
    QCOMPARE(g.grid()->cell(15, 4), QString(" "));

    // Coming back to the window (another window was active meanwhile) puts
    // the same letters and words up again and keeps the game as it stands.
    BoxAnswerer answerer;
    g.start();
    g.clock->tick();
    g.clock->tick();
    g.select(1, 1, 3, 1); // CAT turns green
    QCOMPARE(g.slotColor(1), kGreen);
    const QStringList cellsBefore = g.cells();
    const QStringList slotsBefore = g.slotTexts();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    g.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(g.window.get()));
    QCOMPARE(g.cells(), cellsBefore);
    QCOMPARE(g.slotTexts(), slotsBefore);
    QCOMPARE(g.slotColor(1), kGreen);
    QCOMPARE(g.window->wordsFound(), 1);
    QCOMPARE(g.text("timeBox"), QString("0:01"));
    QVERIFY(answerer.texts.isEmpty());
}

void TestSolveWindow::startShowsGridAndRunsClock()
{
    Game g(GridSize::Small, fixtureSnapshot(GridSize::Small));
    g.open();
    QVERIFY(!g.window->clockRunning());
    g.start();
    QVERIFY(g.grid()->isVisible());
    QVERIFY(g.window->clockRunning());
    QCOMPARE(g.text("timeBox"), QString("0:00"));
}

void TestSolveWindow::timeText_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "0:00";
    QTest::newRow("9") << 9 << "0:09";
    QTest::newRow("59") << 59 << "0:59";
    QTest::newRow("60") << 60 << "1:00";
    QTest::newRow("75") << 75 << "1:15";
    QTest::newRow("609") << 609 << "10:09";
    QTest::newRow("3600") << 3600 << "60:00";
}

void TestSolveWindow::timeText()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(quarrin::timeText(seconds), text);
}

void TestSolveWindow::clockCaptionLagsOneSecond()
{
    Game g(GridSize::Large, fixtureSnapshot(GridSize::Large));
    g.open();
    g.clock->tick(); // not started: nothing happens
    QCOMPARE(g.window->secondsElapsed(), 0);
    g.start();
    QCOMPARE(g.text("timeBox"), QString("0:00"));
    g.clock->tick();
    QCOMPARE(g.text("timeBox"), QString("0:00"));
    g.clock->tick();
    QCOMPARE(g.text("timeBox"), QString("0:01"));
    g.clock->tick();
    QCOMPARE(g.text("timeBox"), QString("0:02"));
    QCOMPARE(g.window->secondsElapsed(), 3);
}

void TestSolveWindow::startAgainDuringGame()
{
    Game g(GridSize::Small, fixtureSnapshot(GridSize::Small));
    g.open();
    g.start();
    for (int i = 0; i < 3; ++i)
        g.clock->tick();
    QCOMPARE(g.text("timeBox"), QString("0:02"));
    g.start();
    QCOMPARE(g.text("timeBox"), QString("0:00"));
    g.clock->tick();
    QCOMPARE(g.text("timeBox"), QString("0:03"));
}

void TestSolveWindow::selections_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<QPoint>("p1");
    QTest::addColumn<QPoint>("p2");
    QTest::addColumn<QString>("direction");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("slot"); // 0: no find

    for (GridSize size : {GridSize::Small, GridSize::Large}) {
        const char *tag = size == GridSize::Small ? "15 " : "30 ";
        auto row = [&](const char *name) {
            return &(QTest::newRow(qPrintable(QString(tag) + name)) << size);
        };
        *row("right") << QPoint(1, 1) << QPoint(3, 1) << "Right"
                      << "CAT" << 1;
        *row("down") << QPoint(5, 1) << QPoint(5, 3) << "Down"
                     << "DOG" << 2;
        *row("down-right") << QPoint(1, 5) << QPoint(4, 8) << "Down-Right"
                           << "BIRD" << 3;
        *row("up-right") << QPoint(6, 10) << QPoint(9, 7) << "Up-Right"
                         << "FISH" << 4;
        *row("left") << QPoint(15, 15) << QPoint(11, 15) << "Left"
                     << "MOUSE" << 5;
        *row("up") << QPoint(14, 12) << QPoint(14, 8) << "Up"
                   << "HORSE" << 6;
        *row("down-left") << QPoint(13, 1) << QPoint(10, 4) << "Down-Left"
                          << "LION" << 7;
        *row("up-left") << QPoint(10, 14) << QPoint(7, 11) << "Up-Left"
                        << "BEAR" << 8;
        *row("backwards") << QPoint(3, 1) << QPoint(1, 1) << "Left"
                          << "TAC" << 0;
        *row("backwards diagonal") << QPoint(4, 8) << QPoint(1, 5) << "Up-Left"
                                   << "DRIB" << 0;
        *row("longer than the word") << QPoint(1, 1) << QPoint(4, 1) << "Right"
                                     << "CATZ" << 0;
        *row("off line") << QPoint(1, 1) << QPoint(4, 5) << ""
                         << "" << 0;
        *row("knight move") << QPoint(1, 1) << QPoint(2, 3) << ""
                            << "" << 0;
        *row("same cell") << QPoint(2, 2) << QPoint(2, 2) << ""
                          << "" << 0;
        // The 16th word reaches only the 30x30 list (28 slots).
        *row("word 16") << QPoint(1, 13) << QPoint(4, 13) << "Right"
                        << "WOLF" << (size == GridSize::Small ? 0 : 16);
    }
}

void TestSolveWindow::selections()
{
    QFETCH(GridSize, size);
    QFETCH(QPoint, p1);
    QFETCH(QPoint, p2);
    QFETCH(QString, direction);
    QFETCH(QString, word);
    QFETCH(int, slot);

    Game g(size, fixtureSnapshot(size));
    BoxAnswerer answerer;
    g.open();
    g.start();
    g.click(p1.x(), p1.y());
    QCOMPARE(g.text("point1"), QString("(%1, %2)").arg(p1.x()).arg(p1.y()));
    QCOMPARE(g.text("point2"), QString());
    QVERIFY(g.window->firstPointSet());
    QCOMPARE(g.grid()->col(), g.grid()->colCount()); // unselected after the click
    QCOMPARE(g.grid()->row(), 0);

    g.click(p2.x(), p2.y());
    QCOMPARE(g.text("point1"), QString("(%1, %2)").arg(p1.x()).arg(p1.y()));
    QCOMPARE(g.text("point2"), QString("(%1, %2)").arg(p2.x()).arg(p2.y()));
    QCOMPARE(g.text("directionLabel"), direction);
    QCOMPARE(g.text("selectedWord"), word);
    QVERIFY(!g.window->firstPointSet());
    QCOMPARE(g.window->wordsFound(), slot ? 1 : 0);
    for (int k = 1; k <= g.window->slotCount(); ++k)
        QCOMPARE(g.slotColor(k) == kGreen, k == slot);
    QCOMPARE(g.grid()->col(), g.grid()->colCount());
    QCOMPARE(g.grid()->row(), 0);
    QVERIFY(answerer.texts.isEmpty());
}

void TestSolveWindow::firstClickNeverCounts()
{
    Game g(GridSize::Small, fixtureSnapshot(GridSize::Small));
    BoxAnswerer answerer;
    g.open();
    g.start();
    g.select(1, 1, 3, 1); // CAT
    QCOMPARE(g.window->wordsFound(), 1);
    QCOMPARE(g.text("selectedWord"), QString("CAT"));
    // The first click of the next selection empties the displays and counts nothing.
    g.click(1, 1);
    QCOMPARE(g.window->wordsFound(), 1);
    QCOMPARE(g.text("selectedWord"), QString());
    QCOMPARE(g.text("directionLabel"), QString());
    QCOMPARE(g.text("point2"), QString());
    QVERIFY(answerer.texts.isEmpty());
}

void TestSolveWindow::wordInTwoSlotsAndCountedOnce()
{
    Board board(GridSize::Small);
    board.place("CAT", 1, 1, 1, 0);
    board.place("CAT", 7, 9, 0, -1); // the same word elsewhere
    board.place("DOG", 5, 1, 0, 1);
    Game g(GridSize::Small, board.snapshot({"CAT", "DOG", "CAT"}));
    BoxAnswerer answerer;
    g.open();
    g.start();
    QCOMPARE(g.window->wordsToFind(), 3);

    g.select(1, 1, 3, 1);
    QCOMPARE(g.slotColor(1), kGreen);
    QCOMPARE(g.slotColor(2), kBlack);
    QCOMPARE(g.slotColor(3), kGreen);
    QCOMPARE(g.window->wordsFound(), 2);

    // Finding it again, also at its other place, counts nothing more.
    g.select(7, 9, 7, 7);
    QCOMPARE(g.text("selectedWord"), QString("CAT"));
    QCOMPARE(g.window->wordsFound(), 2);
    QVERIFY(answerer.texts.isEmpty());

    g.select(5, 1, 5, 3);
    QCOMPARE(g.window->wordsFound(), 3);
    QCOMPARE(answerer.texts, QStringList({"You finished!! Time: 0:00"}));
}

void TestSolveWindow::hiddenSlotKeepsGameOpen()
{
    Board board(GridSize::Small);
    board.place("CAT", 1, 1, 1, 0);
    board.place("DOG", 5, 1, 0, 1);
    board.place("EEL", 6, 5, 1, 0);
    Game g(GridSize::Small, board.snapshot({"CAT", "DOG", "", "EEL"}));
    BoxAnswerer answerer;
    g.open();
    g.start();
    QVERIFY(g.window->slot(1)->isVisible());
    QVERIFY(g.window->slot(3)->isHidden());
    QVERIFY(g.window->slot(4)->isVisible());
    QVERIFY(g.window->slot(5)->isHidden());
    QCOMPARE(g.window->wordsToFind(), 4);
    g.select(1, 1, 3, 1);
    g.select(5, 1, 5, 3);
    g.select(6, 5, 8, 5);
    QCOMPARE(g.window->wordsFound(), 3);
    QVERIFY(answerer.texts.isEmpty());
    QVERIFY(g.window->clockRunning());
}

void TestSolveWindow::finishMessageWithTime()
{
    Game g(GridSize::Small, fixtureSnapshot(GridSize::Small));
    ManualClock *clock = g.clock;
    BoxAnswerer answerer([clock] { clock->tick(); }); // a tick arrives while the box is open
    g.open();
    g.start();
    g.clock->tick();
    g.clock->tick(); // count 2: the caption shows 0:01
    QCOMPARE(g.text("timeBox"), QString("0:01"));
    for (int i = 0; i < 14; ++i)
        g.selectPlaced(kFixture[i]);
    QVERIFY(answerer.texts.isEmpty());
    QCOMPARE(g.window->wordsFound(), 14);
    g.selectPlaced(kFixture[14]);
    QCOMPARE(answerer.texts, QStringList({"You finished!! Time: 0:02"}));
    QCOMPARE(answerer.titles, QStringList({"Word Quarrin Generator"}));
    QVERIFY(!g.window->clockRunning());
    QCOMPARE(g.window->secondsElapsed(), 3);
    for (int k = 1; k <= 15; ++k)
        QCOMPARE(g.slotColor(k), kGreen);

    // Any further click shows the message again with the stopped count.
    g.clock->tick();
    g.click(2, 2);
    QCOMPARE(answerer.texts.size(), 2);
    QCOMPARE(answerer.texts.at(1), QString("You finished!! Time: 0:03"));

    // START runs the clock on from the stopped count.
    g.start();
    QVERIFY(g.window->clockRunning());
    g.clock->tick();
    QCOMPARE(g.text("timeBox"), QString("0:03"));
}

void TestSolveWindow::finishWithoutWords()
{
    Board board(GridSize::Small);
    Game g(GridSize::Small, board.snapshot({}));
    BoxAnswerer answerer;
    g.open();
    for (int k = 1; k <= 15; ++k)
        QVERIFY(g.window->slot(k)->isHidden());
    QCOMPARE(g.window->wordsToFind(), 0);
    g.start();
    g.click(4, 4);
    QCOMPARE(answerer.texts, QStringList({"You finished!! Time: 0:00"}));
}

void TestSolveWindow::fullGameLarge()
{
    Board board(GridSize::Large);
    QStringList words;
    for (int k = 0; k < 28; ++k) {
        const QString word = QString("Q%1%2").arg(QChar('A' + k / 5)).arg(QChar('A' + k % 5));
        words << word;
        board.place(word, 2 + k % 3, k + 1, 1, 0);
    }
    Game g(GridSize::Large, board.snapshot(words));
    BoxAnswerer answerer;
    g.open();
    QCOMPARE(g.window->wordsToFind(), 28);
    QCOMPARE(g.window->slot(28)->text(), words.last());
    g.start();
    for (int i = 0; i < 65; ++i)
        g.clock->tick();
    for (int k = 0; k < 28; ++k) {
        // Each word stands in its own row, shifted by 0 to 2 cells.
        g.select(2 + k % 3, k + 1, 4 + k % 3, k + 1);
        QCOMPARE(g.text("selectedWord"), words.at(k));
    }
    QCOMPARE(g.window->wordsFound(), 28);
    QCOMPARE(answerer.texts, QStringList({"You finished!! Time: 1:05"}));
    // The far corner of the 30x30 grid is reachable.
    g.select(30, 30, 30, 28);
    QCOMPARE(g.text("point2"), QString("(30, 28)"));
    QCOMPARE(g.text("selectedWord"), QString("ZZZ"));
}

void TestSolveWindow::navigationKeysActLikeClicks()
{
    Game g(GridSize::Small, fixtureSnapshot(GridSize::Small));
    BoxAnswerer answerer;
    g.open();
    g.start();
    g.grid()->setFocus();
    QTest::keyClick(g.grid(), Qt::Key_Right); // from "no cell" to column 1, row 1
    QCOMPARE(g.text("point1"), QString("(1, 1)"));
    QCOMPARE(g.grid()->col(), 15);
    QTest::keyClick(g.grid(), Qt::Key_Left); // from off the grid to the last column
    QCOMPARE(g.text("point2"), QString("(15, 1)"));
    QCOMPARE(g.text("directionLabel"), QString("Right"));
    QVERIFY(g.text("selectedWord").startsWith("CAT"));
    QCOMPARE(g.text("selectedWord").size(), 15);
    QVERIFY(!g.window->firstPointSet());
}

void TestSolveWindow::typingChangesNothing()
{
    Game g(GridSize::Small, fixtureSnapshot(GridSize::Small));
    g.open();
    g.start();
    g.grid()->setFocus();
    g.grid()->setSelection(GridRect{0, 0, 0, 0});
    const QStringList before = g.cells();
    QTest::keyClicks(g.grid(), "xy");
    QTest::keyClick(g.grid(), Qt::Key_Backspace);
    QCOMPARE(g.grid()->cell(0, 0), QString("C"));
    // A click moves the current cell; typing there changes nothing either.
    g.click(7, 7);
    QTest::keyClicks(g.grid(), "q");
    QCOMPARE(g.cells(), before);
}

void TestSolveWindow::closeAndReopen_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("15x15 close") << GridSize::Small << false;
    QTest::newRow("15x15 escape first") << GridSize::Small << true;
    QTest::newRow("30x30 close") << GridSize::Large << false;
    QTest::newRow("30x30 escape first") << GridSize::Large << true;
}

void TestSolveWindow::closeAndReopen()
{
    QFETCH(GridSize, size);
    QFETCH(bool, byEscape);
    Game g(size, fixtureSnapshot(size));
    BoxAnswerer answerer;
    g.open();
    g.start();
    g.clock->tick();
    g.clock->tick();
    g.select(1, 1, 3, 1); // CAT turns green
    QCOMPARE(g.slotColor(1), kGreen);
    g.click(5, 1); // a first point is left pending
    QVERIFY(g.window->firstPointSet());

    if (byEscape) {
        // Esc ends nothing, wherever the focus is: the game goes on until the close box.
        for (QWidget *target :
             {static_cast<QWidget *>(g.window.get()), static_cast<QWidget *>(g.grid()),
              static_cast<QWidget *>(g.timeBox())})
            QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(g.window->isVisible());
        QCOMPARE(g.closeHookCalls, 0);
        QCOMPARE(g.window->wordsFound(), 1);
        QCOMPARE(g.window->secondsElapsed(), 2);
        QVERIFY(g.window->clockRunning());
        QVERIFY(g.window->firstPointSet());
    }
    g.window->close();
    QVERIFY(!g.window->isVisible());
    QCOMPARE(g.closeHookCalls, 1);
    QCOMPARE(g.window->wordsFound(), 0);
    QCOMPARE(g.window->wordsToFind(), 0);
    QCOMPARE(g.window->secondsElapsed(), 0);
    QVERIFY(!g.window->clockRunning());
    QVERIFY(!g.window->firstPointSet());
    QCOMPARE(g.grid()->cell(0, 0), QString());
    for (const char *name : {"point1", "point2", "directionLabel", "selectedWord"})
        QCOMPARE(g.text(name), QString());

    g.open();
    QCOMPARE(g.closeHookCalls, 1);
    for (int k = 1; k <= 15; ++k) {
        QVERIFY(g.window->slot(k)->isVisible());
        QCOMPARE(g.slotColor(k), kBlack);
    }
    QVERIFY(g.grid()->isHidden());
    QCOMPARE(g.text("timeBox"), QString("START"));
    QCOMPARE(g.grid()->cell(0, 0), QString("C"));
    QCOMPARE(g.window->wordsToFind(), size == GridSize::Small ? 15 : 18);

    // The first click of the new game is a first point again.
    g.start();
    QCOMPARE(g.text("timeBox"), QString("0:00"));
    g.clock->tick();
    g.clock->tick();
    QCOMPARE(g.text("timeBox"), QString("0:01"));
    g.click(3, 1);
    QCOMPARE(g.text("point1"), QString("(3, 1)"));
    QVERIFY(g.window->firstPointSet());
    QVERIFY(answerer.texts.isEmpty());
}

QTEST_MAIN(TestSolveWindow)
#include "test_solve_window.moc"
