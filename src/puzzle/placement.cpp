// "Add Word": random placement and placement at a given position.

#include "puzzle/code_page.h"
#include "puzzle/dense_placement.h"
#include "puzzle/puzzle_model.h"

#include <array>

namespace quarrin {

namespace {

constexpr int kAttemptBudget = 1500;
constexpr int kDirectionCodes = 10; // codes 8 and 9 name no direction

QString limitMessage(int limit)
{
    return QStringLiteral("You may not enter any more words, maximum word limit of %1 reached.")
        .arg(limit);
}

// Upper case. Typed words are plain letters, converted here directly; anything
// else one character at a time, so that the word keeps its length.
QString upperCase(const QString &text)
{
    bool lower = false;
    for (QChar c : text) {
        if (c.unicode() > 127)
            return upperCaseEachChar(text);
        lower = lower || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
    }
    if (!lower)
        return text;
    QString out(text.size(), Qt::Uninitialized);
    QChar *o = out.data();
    for (QChar c : text)
        *o++ = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ? QChar(c.unicode() - 32) : c;
    return out;
}

} // namespace

PuzzleWord PuzzleModel::wordLetters(const QString &typed) const
{
    if (m_letters)
        return m_letters->alphabet.word(typed);
    PuzzleWord word;
    word.letters = upperCase(typed);
    word.status = word.letters.isEmpty() ? PuzzleWord::Status::Empty : PuzzleWord::Status::Ok;
    return word;
}

CommandOutcome PuzzleModel::addWord(const AddWordRequest &request)
{
    return runCommand([&](CommandOutcome &out) {
        if (request.randomPosition)
            addRandom(request, out);
        else
            addAtPosition(request, out);
    });
}

void PuzzleModel::addRandom(const AddWordRequest &request, CommandOutcome &out)
{
    const bool limitReached = wordCount() >= m_spec->maxWords;
    QString word;
    bool placed = false;
    if (limitReached) {
        out.messages << limitMessage(m_spec->maxWords);
    } else {
        PuzzleWord typed = wordLetters(request.word);
        if (typed.status == PuzzleWord::Status::NotALetter ||
            typed.status == PuzzleWord::Status::NotInAlphabet) {
            // The word stays in its box, to be put right.
            out.messages << typed.message;
            refreshGrid();
            return;
        }
        QString upper = std::move(typed.letters);
        if (upper.size() > m_spec->maxWordLength)
            out.messages << m_spec->tooLargeMessage;
        if (!upper.isEmpty() && upper.size() <= m_spec->maxWordLength) {
            word = std::move(upper);
            m_random->reseedFromClock();
            if (m_placementRule == PlacementRule::Dense) {
                // One word alone: no words of its own to take back, so a
                // small effort finds its best place or that it has none.
                placed = placeTogether({word}, request.allowed, 50'000).front();
            } else if (const std::optional<Placement> spot =
                           findRandomPlacement(word, request.allowed)) {
                appendWord(spot->col, spot->direction, word, spot->row);
                placed = true;
            } else if (m_placementRule == PlacementRule::DrawsThenSearch) {
                // The draws missed: every place is tried before the word is refused.
                LcgState state = m_random->state();
                const std::optional<WordPath> path =
                    findAnyPlace(letterGrid(), word, request.allowed, state);
                m_random->setState(state);
                if (path) {
                    appendWord(path->col, path->direction, word, path->row);
                    placed = true;
                }
            }
        }
    }
    out.clearWord = true;
    // The word box is emptied before a failed placement is reported.
    out.messagesBeforeClearing = int(out.messages.size());
    if (!placed && !limitReached)
        out.messages
            << QStringLiteral("Failed to insert word: %1.Try again, it may work").arg(word);
    out.placed = placed;
    // Draws the new word, if any; a second refresh would find nothing left to draw.
    refreshGrid();
}

namespace {

// A draw below n from a seed s is floor(n * s / 2^32), so it lies in [lo, hi)
// exactly when s lies in [T(lo), T(hi)) with T(k) = ceil(k * 2^32 / n). The
// cheap tests of an attempt can then look at the seeds without scaling them.
struct SeedRange
{
    std::uint64_t low;
    std::uint64_t span; // 0: no seed passes; a seed s passes when s - low < span
};

std::uint64_t seedThreshold(int k, int n)
{
    return ((std::uint64_t(k) << 32) + std::uint64_t(n) - 1) / std::uint64_t(n);
}

SeedRange seedRange(int lo, int hi, int n)
{
    if (lo >= hi)
        return {0, 0};
    const std::uint64_t low = seedThreshold(lo, n);
    return {low, seedThreshold(hi, n) - low};
}

} // namespace

std::optional<PuzzleModel::Placement> PuzzleModel::findRandomPlacement(const QString &word,
                                                                       DirectionSet allowed)
{
    // Each attempt draws a column, a row and a direction code, and examines
    // that one direction: the fit, the allowed box, then the fit check.
    //
    // The attempts are worked out a batch at a time: every draw's seed follows
    // from the batch's first seed by a fixed jump, so the draws of a batch do
    // not wait on each other, and the cheap tests (code, box, fit) of the whole
    // batch become a bit mask without a branch. Only the candidates left in the
    // mask have their cells checked, in attempt order; the first that fits is
    // the attempt the one-at-a-time loop would have stopped at, and the
    // generator is left just after its three draws.
    constexpr int kBatch = 10;
    static_assert(kAttemptBudget % kBatch == 0, "batches must cover the budget exactly");
    static constexpr std::array<LcgJump, 3 *kBatch + 1> jumps = [] {
        std::array<LcgJump, 3 * kBatch + 1> j{};
        for (int k = 0; k <= 3 * kBatch; ++k)
            j[std::size_t(k)] = LcgJump::steps(k);
        return j;
    }();

    const int W = columns();
    const int H = rows();
    const int store = m_spec->storeRows;
    const int last = int(word.size()) - 1;
    const QChar *letters = word.constData();
    const Cell *cells = m_cells.data();
    // last + 1 bits (a word too long for any line finds no candidate anyway)
    const quint64 walkBits = last < 63 ? (quint64(2) << last) - 1 : ~quint64(0);
    if (m_blockedRevision != m_revision)
        rebuildBlocked();
    // Per direction code: the steps, and the seeds of the column and row draws
    // for which the word stays in the grid. Codes 8 and 9 name no direction,
    // and a direction whose box is not ticked is out: no seed passes for them.
    // Then the blocked line the walk runs along: its index is
    // base + col * lineCol + row * lineRow, and the walk's place on it is its
    // column (its row for a column line), counted up or down.
    int columnStep[kDirectionCodes] = {};
    int rowStep[kDirectionCodes] = {};
    int lineBase[kDirectionCodes] = {}, lineCol[kDirectionCodes] = {},
        lineRow[kDirectionCodes] = {};
    bool alongRow[kDirectionCodes] = {}, forward[kDirectionCodes] = {};
    // The seed bounds as plain arrays, each entry written once: copying
    // whole structs here lets the compiler mix narrow stores with wide loads.
    std::uint64_t columnLow[kDirectionCodes] = {}, columnSpan[kDirectionCodes] = {};
    std::uint64_t rowLow[kDirectionCodes] = {}, rowSpan[kDirectionCodes] = {};
    // By step -1, 0, +1: the start must leave room behind, anywhere, room ahead.
    const SeedRange byColumnStep[3] = {seedRange(last, W, W), seedRange(0, W, W),
                                       seedRange(0, W - last, W)};
    const SeedRange byRowStep[3] = {seedRange(last, H, H), seedRange(0, H, H),
                                    seedRange(0, H - last, H)};
    for (int code = 0; code < 8; ++code) {
        const Direction dir = kDirectionByRandomCode[code];
        const int cs = kDirectionTable[std::size_t(dir)].columnStep;
        const int rs = kDirectionTable[std::size_t(dir)].rowStep;
        columnStep[code] = cs;
        rowStep[code] = rs;
        if (rs == 0) { // along a row
            lineBase[code] = rowLine(0);
            lineRow[code] = 1;
        } else if (cs == 0) { // along a column
            lineBase[code] = columnLine(0);
            lineCol[code] = 1;
            alongRow[code] = true;
        } else if (cs == rs) {
            lineBase[code] = diagonalLine(0, 0);
            lineCol[code] = 1;
            lineRow[code] = -1;
        } else {
            lineBase[code] = antiDiagonalLine(0, 0);
            lineCol[code] = 1;
            lineRow[code] = 1;
        }
        forward[code] = (cs != 0 ? cs : rs) > 0;
        if (allowed.contains(dir)) {
            columnLow[code] = byColumnStep[cs + 1].low;
            columnSpan[code] = byColumnStep[cs + 1].span;
            rowLow[code] = byRowStep[rs + 1].low;
            rowSpan[code] = byRowStep[rs + 1].span;
        }
    }

    std::uint32_t seed = m_random->seed();
    for (int batch = 0; batch < kAttemptBudget; batch += kBatch) {
        std::uint32_t columnSeed[kBatch], rowSeed[kBatch];
        int code[kBatch];
        unsigned candidates = 0;
#pragma GCC unroll 16
        for (int k = 0; k < kBatch; ++k) {
            const std::size_t draw = std::size_t(3 * k);
            columnSeed[k] = jumps[draw + 1].from(seed);
            rowSeed[k] = jumps[draw + 2].from(seed);
            code[k] = LcgState::scaled(jumps[draw + 3].from(seed), kDirectionCodes);
            const int c = code[k];
            const unsigned candidate =
                unsigned(std::uint64_t(columnSeed[k]) - columnLow[c] < columnSpan[c]) &
                unsigned(std::uint64_t(rowSeed[k]) - rowLow[c] < rowSpan[c]);
            candidates |= candidate << k;
        }
        while (candidates) {
            const int k = __builtin_ctz(candidates);
            candidates &= candidates - 1;
            const int col = LcgState::scaled(columnSeed[k], W);
            const int row = LcgState::scaled(rowSeed[k], H);
            // Only the walk's blocked cells can clash, and only by holding
            // another letter.
            const int d = code[k];
            const int line = lineBase[d] + col * lineCol[d] + row * lineRow[d];
            const int place = alongRow[d] ? row : col;
            const int start = forward[d] ? place : place - last;
            quint64 blocked = m_blocked[std::size_t(line)] & (walkBits << start);
            bool free = true;
            while (blocked) {
                const int bit = __builtin_ctzll(blocked);
                blocked &= blocked - 1;
                const int p = forward[d] ? bit - place : place - bit;
                const Cell &c = cells[(col + p * columnStep[d]) * store + row + p * rowStep[d]];
                if (c.letter != letters[p].unicode()) {
                    free = false;
                    break;
                }
            }
            Q_ASSERT(free == cellsFree(kDirectionByRandomCode[d], col, word, row));
            if (free) {
                m_random->setSeed(jumps[std::size_t(3 * (k + 1))].from(seed));
                return Placement{col, row, kDirectionByRandomCode[code[k]]};
            }
        }
        seed = jumps[3 * kBatch].from(seed);
    }
    m_random->setSeed(seed);
    return std::nullopt;
}

LetterGrid PuzzleModel::letterGrid() const
{
    LetterGrid grid(columns(), rows());
    for (int col = 0; col < columns(); ++col) {
        for (int row = 0; row < rows(); ++row) {
            // The fit rule: an empty cell or a space takes any letter.
            const Cell &c = cellAt(col, row);
            if (c.kind != Cell::Empty && c.letter != u' ')
                grid.set(col, row, c.letter);
        }
    }
    return grid;
}

std::vector<bool> PuzzleModel::placeTogether(const QStringList &words, DirectionSet allowed,
                                             long long effort)
{
    std::vector<bool> placed(std::size_t(words.size()), false);
    // A word the puzzle's alphabet refuses has no letters and no place.
    QStringList upper;
    std::vector<int> given; // the index in `words` of each entry of `upper`
    for (int k = 0; k < words.size(); ++k) {
        const PuzzleWord w = wordLetters(words.at(k));
        if (m_letters && !w.ok())
            continue;
        upper << w.letters;
        given.push_back(k);
    }
    LetterGrid grid = letterGrid();
    LcgState state = m_random->state();
    DenseOptions options;
    options.budget = effort;
    const DenseResult result = placeDense(grid, upper, allowed, state, options);
    m_random->setState(state);
    for (int k = 0; k < upper.size(); ++k) {
        const std::optional<WordPath> &path = result.places[std::size_t(k)];
        if (!path)
            continue;
        appendWord(path->col, path->direction, upper.at(k), path->row);
        placed[std::size_t(given[std::size_t(k)])] = true;
    }
    refreshGrid();
    return placed;
}

QString PuzzleModel::positionDetail(Direction d, int col, const QString &word, int row) const
{
    const DirectionInfo &info = directionInfo(d);
    if (!fits(d, col, row, int(word.size()))) {
        int inside = 0;
        while (inGrid(col + inside * info.columnStep, row + inside * info.rowStep))
            ++inside;
        return QStringLiteral("Going %1 from %2, %3, %4 leaves the grid after %5 of its %6 "
                              "letters.")
            .arg(QString::fromLatin1(info.name))
            .arg(col + 1)
            .arg(row + 1)
            .arg(word)
            .arg(inside)
            .arg(word.size());
    }
    for (int p = 0; p < word.size(); ++p) {
        const int c = col + p * info.columnStep;
        const int r = row + p * info.rowStep;
        const Cell &cell = cellAt(c, r);
        if (!cell.freeFor(word.at(p))) {
            return QStringLiteral("%1 needs %2 at %3, %4, where the letter %5 stands.")
                .arg(word, word.at(p))
                .arg(c + 1)
                .arg(r + 1)
                .arg(QChar(cell.letter));
        }
    }
    return QString();
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
    if (*x > spec.columns || *x < 1 || *y < 1 || *y > spec.rows) {
        out.messages << spec.coordinateMessage;
        return;
    }

    bool placed = false;
    if (wordCount() >= spec.maxWords) {
        out.messages << limitMessage(spec.maxWords);
    } else {
        const PuzzleWord typed = wordLetters(request.word);
        if (typed.status == PuzzleWord::Status::NotALetter ||
            typed.status == PuzzleWord::Status::NotInAlphabet) {
            out.messages << typed.message;
            refreshGrid();
            return;
        }
        // A document's word is as long as its letters (ß may become SS).
        const int length = m_letters ? int(typed.letters.size()) : int(request.word.size());
        if (length > spec.maxWordLength)
            out.messages << spec.tooLargeMessage;
        if (!request.word.isEmpty() && length <= spec.maxWordLength) {
            const QString &word = typed.letters;
            const int col = *x - 1;
            const int row = *y - 1;
            // This path draws no numbers, but it reseeds all the same, which
            // the small grid's random fill goes on from.
            m_random->reseedFromClock();
            if (const auto dir = directionFromName(request.direction)) {
                if (fits(*dir, col, row, int(word.size())) && cellsFree(*dir, col, word, row)) {
                    addToLists(col, request.direction, word, row);
                    refreshGrid();
                    placed = true;
                } else {
                    out.messages << QStringLiteral("Invalid position to enter word");
                    out.positionDetail = positionDetail(*dir, col, word, row);
                }
            }
        }
    }
    if (placed) {
        out.clearWord = true;
        out.clearCoordinates = true;
    }
    out.placed = placed;
    refreshGrid();
}

} // namespace quarrin
