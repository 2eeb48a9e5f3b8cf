// Filling blank cells with random letters or a message, and taking the fill out.

#include "puzzle/puzzle_model.h"

namespace quarrin {

namespace {

// The letter pool of the random fill; common letters stand in it twice.
const QString kLetterPool = QStringLiteral("qetuopiyrwadgjlkhfszcbmnvxertioplkhgfdsacbmn").toUpper();
constexpr int kMessageBoxLimit = 255;

} // namespace

CommandOutcome PuzzleModel::FillRandom()
{
    return runAtomically([this](CommandOutcome &) {
        if (m_spec->reseedRandomFill)
            m_random->reseedFromClock();
        for (int col = 0; col < m_spec->store; ++col) {
            if (m_spec->reseedRandomFill)
                m_random->reseedFromClock();
            for (int row = 0; row < m_spec->store; ++row) {
                if (takesRandomLetter(cell(col, row))) {
                    const QChar letter = kLetterPool.at(m_random->below(int(kLetterPool.size())));
                    setCell(col, row, letter + kFillerMark);
                }
            }
        }
    });
}

int PuzzleModel::messageCapacity() const
{
    int free = 0;
    for (int col = 0; col < n(); ++col)
        for (int row = 0; row < n(); ++row)
            if (takesMessageLetter(cell(col, row)))
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
    return runAtomically([this, &answer](CommandOutcome &) {
        const int capacity = std::min(messageCapacity(), kMessageBoxLimit);
        const QString message = answer.left(capacity).toUpper().remove(QLatin1Char(' '));
        if (message.isEmpty())
            return;
        const QString mark = QString::fromLatin1(m_spec->messageFillMark);
        int next = 0;
        for (int row = 0; row < n() && next < message.size(); ++row) {
            for (int col = 0; col < n() && next < message.size(); ++col) {
                if (takesMessageLetter(cell(col, row)))
                    setCell(col, row, message.at(next++) + mark);
            }
        }
    });
}

CommandOutcome PuzzleModel::RemoveFill()
{
    return runAtomically([this](CommandOutcome &) {
        clearVisible();
        RefreshGrid();
    });
}

} // namespace quarrin
