#pragma once

// The play windows: the player solves an editor's puzzle on screen against a
// clock. START shows the grid and starts the 1-second clock; two clicks (or
// navigation keys) on the grid mark the first and the last letter of a word;
// a selection whose letters equal a listed word turns that word green; when
// every listed word is found a message gives the time taken.
//
// One class serves both grid sizes; `TSolveMode15` and `Tsolvemode30` only
// choose the size. The window copies the editor's PuzzleSnapshot each time it
// becomes active, and closing it runs the close hook (the editor switches its
// highlighting off and refreshes).

#include "puzzle/puzzle_snapshot.h"
#include "puzzle/size_table.h"

#include <QDialog>
#include <QVector>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTimer;

namespace quarrin {

class TPubStrGrid;

// The clock of a play window: ticks once a second while started. The window
// owns one; tests inject a clock they tick by hand.
class ClockTimer
{
public:
    virtual ~ClockTimer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    void setOnTick(std::function<void()> onTick) { m_onTick = std::move(onTick); }

protected:
    void fire()
    {
        if (m_onTick)
            m_onTick();
    }

private:
    std::function<void()> m_onTick;
};

// "m:ss": minutes without leading zeros and without an hour part, seconds as
// two digits (0 -> "0:00", 75 -> "1:15", 3600 -> "60:00").
QString timeText(int seconds);

class SolveWindow : public QDialog
{
    Q_OBJECT

public:
    SolveWindow(GridSize size, PuzzleSnapshot *snapshot, QWidget *parent = nullptr);
    ~SolveWindow() override;

    GridSize gridSize() const { return m_size; }
    // Run whenever the window closes: the editor of the same size switches
    // its word highlighting off and runs refreshGrid.
    void setCloseHook(std::function<void()> hook) { m_closeHook = std::move(hook); }
    // Replaces the clock (the window takes ownership).
    void setClockTimer(std::unique_ptr<ClockTimer> clock);
    ClockTimer *clockTimer() const { return m_clock.get(); }

    // --- events ------------------------------------------------------------------
    // Set-up from the snapshot; runs each time the window becomes active.
    void showSnapshot();
    // Reset on closing; runs whenever the window closes.
    void resetGame();
    // START: shows the grid and starts the clock, whose button shows the time.
    void startGame();
    // Each second of the clock.
    void advanceClock();
    // A move of the grid's current cell marks the first point, or the last
    // one, and then reads the letters between them.
    void markPoint(int col, int row);
    // After every click: a selection that spells a listed word turns it
    // green, and finding the last word ends the game.
    void checkSelection();
    // Discards every character typed into the grid.
    void dropTypedKey(QChar &key);

    // --- reading the letters of a selection (points count from 1) -----------------
    void readWordUp(QObject *sender, int x1, int y1, int x2, int y2);
    void readWordDown(QObject *sender, int x1, int y1, int x2, int y2);
    void readWordLeft(QObject *sender, int x1, int y1, int x2, int y2);
    void readWordRight(QObject *sender, int x1, int y1, int x2, int y2);
    void readWordUpRight(QObject *sender, int x1, int y1, int x2, int y2);
    void readWordUpLeft(QObject *sender, int x1, int y1, int x2, int y2);
    void readWordDownRight(QObject *sender, int x1, int y1, int x2, int y2);
    void readWordDownLeft(QObject *sender, int x1, int y1, int x2, int y2);

    // --- game state ----------------------------------------------------------------
    int wordsToFind() const { return m_wordsToFind; }
    int wordsFound() const { return m_wordsFound; }
    int secondsElapsed() const { return m_secondsElapsed; }
    bool firstPointSet() const { return m_firstPointSet; }
    bool clockRunning() const { return m_clock && m_clock->isActive(); }
    int slotCount() const { return int(m_slots.size()); }
    // Slot k counted from 1.
    QLabel *slot(int k) const { return m_slots.value(k - 1); }
    bool slotFound(int k) const { return m_slotFound.value(k - 1); }
    TPubStrGrid *grid() const { return m_grid; }

    // The green of found words and the black of slots after a close.
    static QColor foundColor() { return QColor(0x00, 0x80, 0x00); }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

public slots:
    void done(int result) override;

private:
    void buildControls();
    void readLetters(int x1, int y1, int x2, int y2, int colStep, int rowStep);
    void matchSelection();
    void finishTest();
    void setSlotColor(int index, const QColor &color);

    GridSize m_size;
    PuzzleSnapshot *m_snapshot;
    std::function<void()> m_closeHook;
    std::unique_ptr<ClockTimer> m_clock;

    int m_wordsToFind = 0;
    int m_wordsFound = 0;
    int m_secondsElapsed = 0;
    bool m_firstPointSet = false;
    int m_x1 = 0;
    int m_y1 = 0;
    int m_x2 = 0;
    int m_y2 = 0;
    bool m_closing = false;

    TPubStrGrid *m_grid = nullptr;
    QLabel *m_promptPanel = nullptr;
    QPushButton *m_point1 = nullptr;
    QPushButton *m_point2 = nullptr;
    QLabel *m_directionLabel = nullptr;
    QLabel *m_selectedWord = nullptr;
    QPushButton *m_clockButton = nullptr;
    QVector<QLabel *> m_slots;
    QVector<bool> m_slotFound;
};

// The 15x15 play window.
class TSolveMode15 : public SolveWindow
{
    Q_OBJECT
public:
    explicit TSolveMode15(PuzzleSnapshot *snapshot, QWidget *parent = nullptr)
        : SolveWindow(GridSize::Small, snapshot, parent)
    {
    }
};

class Tsolvemode30 : public SolveWindow
{
    Q_OBJECT
public:
    explicit Tsolvemode30(PuzzleSnapshot *snapshot, QWidget *parent = nullptr)
        : SolveWindow(GridSize::Large, snapshot, parent)
    {
    }
};

} // namespace quarrin
