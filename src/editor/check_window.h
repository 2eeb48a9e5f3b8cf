#pragma once

// The "Check Puzzle" window of an editor: lists the problems the puzzle check
// finds (or says there are none), marks the cells of the chosen problem in
// the editor's grid while it is open, and offers "Refill", which draws new
// fills (clean fills while "Keep Fill Clean" is on) until the check is clean
// and says how many tries that took or why it cannot succeed.
//
// The window blocks its editor while it is open, so the puzzle it lists is the
// puzzle on screen. It reads the blocked words afresh each time it opens, so
// changes to the user's own list, and the lists of the puzzle's language, count
// at once.

#include "check/puzzle_check.h"

#include <QDialog>
#include <QPoint>
#include <QVector>

#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;

namespace quarrin {

class CheckWindow : public QDialog
{
    Q_OBJECT

public:
    CheckWindow(PuzzleModel *model, QWidget *parent = nullptr);
    ~CheckWindow() override;

    // Where Refill finds the hidden message to keep; none by default.
    void setMessageSource(std::function<QString()> source) { m_messageSource = std::move(source); }
    // Whether the letters outside the words came from a file, where a hidden
    // message cannot be told from random letters; Refill then asks first.
    void setLoadedFillSource(std::function<bool()> source) { m_loadedFill = std::move(source); }

    // Reads the blocked words, checks the puzzle and shows the window.
    void start();
    const CheckReport &report() const { return m_report; }

signals:
    // The cells of the chosen problem, as (column, row) from 0; empty: none.
    void markCells(const QVector<QPoint> &cells);
    // Refill changed the puzzle.
    void puzzleChanged();

private:
    void runCheck();
    void showReport();
    void refillPuzzle();
    bool confirmRefillOverLoadedFill();
    void markChosenProblem();

    PuzzleModel *m_model;
    std::unique_ptr<PuzzleCheck> m_check;
    CheckReport m_report;
    std::function<QString()> m_messageSource;
    std::function<bool()> m_loadedFill;
    QString m_listWarning;

    QLabel *m_summary = nullptr;
    QListWidget *m_problems = nullptr;
    QLabel *m_refillResult = nullptr;
    QPushButton *m_refill = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace quarrin
