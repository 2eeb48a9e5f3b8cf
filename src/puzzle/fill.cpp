// Filling blank cells with random letters or a message, and taking the fill out.

#include "puzzle/code_page.h"
#include "puzzle/fill_letters.h"
#include "puzzle/puzzle_model.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <type_traits>

namespace quarrin {

namespace {

// The letter pool of the random fill; common letters stand in it twice.
const QString kLetterPool =
    QStringLiteral("qetuopiyrwadgjlkhfszcbmnvxertioplkhgfdsacbmn").toUpper();
constexpr int kMessageBoxLimit = 255;

} // namespace

const QString &randomFillLetters()
{
    return kLetterPool;
}

void PuzzleModel::setLetters(const Alphabet &alphabet, FillKind fill)
{
    m_letters = std::make_shared<const Letters>(Letters{alphabet, LetterSampler(alphabet, fill)});
}

const Alphabet &PuzzleModel::alphabet() const
{
    static const Alphabet english;
    return m_letters ? m_letters->alphabet : english;
}

FillKind PuzzleModel::fillKind() const
{
    return m_letters ? m_letters->sampler.kind() : FillKind::Natural;
}

QChar PuzzleModel::drawFillerLetter()
{
    if (m_letters)
        return m_letters->sampler.letterFor(m_random->step());
    return kLetterPool.at(m_random->below(int(kLetterPool.size())));
}

template <typename Pick> void PuzzleModel::fillBlanks(Pick pick)
{
    // The fill goes column by column and draws one number per cell that
    // takes a letter. Within a column the k-th draw's seed is a fixed jump
    // from the column's first seed, so the cells do not wait on each other
    // and no branch depends on a cell: a cell that takes a letter only
    // moves the count of draws on by one.
    static_assert(sizeof(Cell) == sizeof(std::uint32_t) && std::is_trivially_copyable_v<Cell>,
                  "a cell is one 32-bit word");
    static constexpr int kMaxSide = 64;
    static constexpr std::array<LcgJump, kMaxSide + 1> jumps = [] {
        std::array<LcgJump, kMaxSide + 1> j{};
        for (int k = 0; k <= kMaxSide; ++k)
            j[std::size_t(k)] = LcgJump::steps(k);
        return j;
    }();
    const int storeColumns = m_spec->storeColumns;
    const int storeRows = m_spec->storeRows;
    Q_ASSERT(storeRows <= kMaxSide);
    Cell *c = m_cells.data(); // column-major, as the fill visits
    for (int col = 0; col < storeColumns; ++col) {
        if (m_spec->reseedRandomFill)
            m_random->reseedFromClock();
        const std::uint32_t first = m_random->seed();
        std::size_t draws = 0;
        for (int row = 0; row < storeRows; ++row, ++c) {
            // takesRandomLetter(), spelled without a short-circuit.
            const unsigned take = unsigned(c->kind == Cell::Empty) |
                                  (unsigned(c->kind == Cell::Single) & unsigned(c->letter == u' '));
            // The cell is chosen as a whole word with masks rather than by a
            // choice, so that no compiler makes a branch of it.
            const Cell filled{pick(jumps[draws + 1].from(first)), Cell::Filled};
            std::uint32_t before, after;
            std::memcpy(&before, c, sizeof before);
            std::memcpy(&after, &filled, sizeof after);
            const std::uint32_t mask = 0u - take; // all ones: the cell takes the letter
            const std::uint32_t bits = (before & ~mask) | (after & mask);
            std::memcpy(static_cast<void *>(c), &bits, sizeof bits);
            draws += take;
        }
        m_random->setSeed(jumps[draws].from(first));
    }
}

CommandOutcome PuzzleModel::fillRandom()
{
    return runCommand([this](CommandOutcome &) {
        if (m_spec->reseedRandomFill)
            m_random->reseedFromClock();
        touch();
        if (m_letters) {
            const LetterSampler &sampler = m_letters->sampler;
            fillBlanks(
                [&sampler](std::uint32_t seed) { return sampler.letterFor(seed).unicode(); });
        } else {
            const QChar *pool = kLetterPool.constData();
            const int poolSize = int(kLetterPool.size());
            fillBlanks([pool, poolSize](std::uint32_t seed) {
                return pool[LcgState::scaled(seed, poolSize)].unicode();
            });
        }
    });
}

int PuzzleModel::messageCapacity() const
{
    int free = 0;
    for (int col = 0; col < columns(); ++col) {
        const auto top = m_cells.cbegin() + std::ptrdiff_t(col) * m_spec->storeRows;
        free += int(
            std::count_if(top, top + rows(), [](const Cell &c) { return c.takesMessageLetter(); }));
    }
    return free;
}

QString PuzzleModel::messagePrompt() const
{
    if (m_spec->messagePromptShowsCount) {
        // The input box takes 255 characters at most, whatever the grid holds.
        return QStringLiteral("Enter a word up to %1 characters long(spaces will be removed).")
            .arg(std::min(messageCapacity(), kMessageBoxLimit));
    }
    return QStringLiteral("Enter a word up to 255 characters long(spaces will be removed). You may "
                          "enter more messages after this by selecting this function again. ");
}

CommandOutcome PuzzleModel::fillMessage(const QString &answer)
{
    return runCommand([this, &answer](CommandOutcome &) {
        const int capacity = std::min(messageCapacity(), kMessageBoxLimit);
        const QString message = upperCaseEachChar(answer.left(capacity)).remove(QLatin1Char(' '));
        if (message.isEmpty())
            return;
        const Cell::Kind kind = m_spec->wideMessageMark ? Cell::FilledWide : Cell::Filled;
        int next = 0;
        for (int row = 0; row < rows() && next < message.size(); ++row) {
            for (int col = 0; col < columns() && next < message.size(); ++col) {
                if (cellAt(col, row).takesMessageLetter())
                    put(col, row, Cell{message.at(next++).unicode(), kind});
            }
        }
    });
}

CommandOutcome PuzzleModel::removeFill()
{
    return runCommand([this](CommandOutcome &) {
        clearVisible();
        refreshGrid();
    });
}

} // namespace quarrin
