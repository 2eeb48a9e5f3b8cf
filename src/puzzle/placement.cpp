// "Add Word": random placement and placement at a given position.

#include "puzzle/puzzle_model.h"

namespace quarrin {

namespace {

constexpr int kAttemptBudget = 1500;
constexpr int kDirectionCodes = 10;  // codes 8 and 9 name no direction

QString limitMessage(int limit)
{
    return QStringLiteral("You may not enter any more words, maximum word limit of %1 reached.")
        .arg(limit);
}

} // namespace

CommandOutcome PuzzleModel::AddWord(const AddWordRequest &request)
{
    return runAtomically([&](CommandOutcome &out) {
        if (request.randomPosition)
            addRandom(request, out);
        else
            addAtPosition(request, out);
    });
}

void PuzzleModel::addRandom(const AddWordRequest &request, CommandOutcome &out)
{
    const QString &text = request.word;
    const bool limitReached = wordCount() >= m_spec->maxWords;
    QString word;
    bool placed = false;
    if (limitReached) {
        out.messages << limitMessage(m_spec->maxWords);
    } else {
        const QString upper = text.toUpper();
        if (upper.size() > m_spec->maxWordLength)
            out.messages << QString::fromLatin1(m_spec->tooLargeMessage);
        if (!upper.isEmpty() && upper.size() <= m_spec->maxWordLength) {
            word = upper;
            m_random->reseedFromClock();
            for (int attempt = 0; attempt < kAttemptBudget && !placed; ++attempt) {
                const int col = m_random->below(n());
                const int row = m_random->below(n());
                const auto dir = directionFromRandomCode(m_random->below(kDirectionCodes));
                if (dir && fits(*dir, col, row, int(word.size())) &&
                    request.allowed.contains(*dir) && check(*dir, col, word, row)) {
                    AddToMemo(col, QString::fromLatin1(directionInfo(*dir).name), word, row);
                    RefreshGrid();
                    placed = true;
                }
            }
        }
    }
    out.clearWord = true;
    if (!placed && !limitReached)
        out.messages << QStringLiteral("Failed to insert word: %1.Try again, it may work").arg(word);
    out.placed = placed;
    RefreshGrid();
}

void PuzzleModel::addAtPosition(const AddWordRequest &request, CommandOutcome &out)
{
    const SizeSpec &spec = *m_spec;
    if (request.direction.isEmpty() || request.word.isEmpty() || request.x.isEmpty() ||
        request.y.isEmpty()) {
        out.messages << QStringLiteral("Error: You have not entered a word, X/Y coordinates, or "
                                       "have not selected a direction.");
    }
    if (request.x.isEmpty() || request.y.isEmpty())
        return;

    const auto x = parseInteger(request.x);
    if (!x)
        throw PuzzleError{invalidIntegerMessage(request.x)};
    const auto y = parseInteger(request.y);
    if (!y)
        throw PuzzleError{invalidIntegerMessage(request.y)};
    if (*x > spec.n || *x < 1 || *y < 1 || *y > spec.n) {
        out.messages << QString::fromLatin1(spec.coordinateMessage);
        return;
    }

    bool placed = false;
    if (wordCount() >= spec.maxWords) {
        out.messages << limitMessage(spec.maxWords);
    } else {
        if (request.word.size() > spec.maxWordLength)
            out.messages << QString::fromLatin1(spec.tooLargeMessage);
        if (!request.word.isEmpty() && request.word.size() <= spec.maxWordLength) {
            const QString word = request.word.toUpper();
            const int col = *x - 1;
            const int row = *y - 1;
            // This path draws no numbers, but it reseeds all the same, which
            // the small grid's random fill goes on from.
            m_random->reseedFromClock();
            if (const auto dir = directionFromName(request.direction)) {
                if (fits(*dir, col, row, int(word.size())) && check(*dir, col, word, row)) {
                    AddToMemo(col, request.direction, word, row);
                    RefreshGrid();
                    placed = true;
                } else {
                    out.messages << QStringLiteral("Invalid position to enter word");
                }
            }
        }
    }
    if (placed) {
        out.clearWord = true;
        out.clearCoordinates = true;
    }
    out.placed = placed;
    RefreshGrid();
}

} // namespace quarrin
