// Filling blank cells with random letters or a message, and taking the fill out.

#include "puzzle/code_page.h"
#include "puzzle/puzzle_model.h"

namespace quarrin {

namespace {

// The letter pool of the random fill; common letters stand in it twice.
const QString kLetterPool =
    QStringLiteral("qetuopiyrwadgjlkhfszcbmnvxertioplkhgfdsacbmn").toUpper();
constexpr int kMessageBoxLimit = 255;

} // namespace

CommandOutcome PuzzleModel::FillRandom()
{
    return runCommand([this](CommandOutcome &) {
        if (m_spec->reseedRandomFill)
            m_random->reseedFromClock();
        touch();
        const QChar *pool = kLetterPool.constData();
        const int poolSize = int(kLetterPool.size());
        Cell *c = m_cells.data(); // column-major, as the fill visits
        for (int col = 0; col < m_spec->store; ++col) {
            if (m_spec->reseedRandomFill)
                m_random->reseedFromClock();
            // Without branches: only a cell that takes a letter steps the
            // generator, exactly as a draw per filled cell would.
            LcgState random = m_random->state();
            for (int row = 0; row < m_spec->store; ++row, ++c) {
                const bool take = c->takesRandomLetter();
                const Cell filled{pool[random.belowWhen(take, poolSize)].unicode(), Cell::Filled};
                *c = take ? filled : *c;
            }
            m_random->setState(random);
        }
    });
}

int PuzzleModel::messageCapacity() const
{
    int free = 0;
    for (int col = 0; col < n(); ++col)
        for (int row = 0; row < n(); ++row)
            if (cellAt(col, row).takesMessageLetter())
                ++free;
    return free;
}

QString PuzzleModel::messagePrompt() const
{
    if (m_spec->messagePromptShowsCount) {
        return QStringLiteral("Enter a word up to %1 characters long(spaces will be removed).")
            .arg(messageCapacity());
    }
    return QStringLiteral("Enter a word up to 255 characters long(spaces will be removed). You may "
                          "enter more messages after this by selecting this function again. ");
}

CommandOutcome PuzzleModel::FillMessage(const QString &answer)
{
    return runCommand([this, &answer](CommandOutcome &) {
        const int capacity = std::min(messageCapacity(), kMessageBoxLimit);
        const QString message = upperCaseEachChar(answer.left(capacity)).remove(QLatin1Char(' '));
        if (message.isEmpty())
            return;
        const Cell::Kind kind = m_spec->wideMessageMark ? Cell::FilledWide : Cell::Filled;
        int next = 0;
        for (int row = 0; row < n() && next < message.size(); ++row) {
            for (int col = 0; col < n() && next < message.size(); ++col) {
                if (cellAt(col, row).takesMessageLetter())
                    put(col, row, Cell{message.at(next++).unicode(), kind});
            }
        }
    });
}

CommandOutcome PuzzleModel::RemoveFill()
{
    return runCommand([this](CommandOutcome &) {
        clearVisible();
        RefreshGrid();
    });
}

} // namespace quarrin
