#include "puzzle/dense_placement.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace quarrin {

namespace {

// The four lines a cell lies on: its row, its column and its two diagonals.
int lineFamily(const DirectionInfo &info)
{
    if (info.rowStep == 0)
        return 0;
    if (info.columnStep == 0)
        return 1;
    return info.columnStep == info.rowStep ? 2 : 3;
}

// Every place of the right length inside the grid, for the allowed directions,
// numbered 0 .. count() - 1: per direction, the starts form a rectangle.
class Candidates
{
public:
    Candidates(int columns, int rows, int length, DirectionSet allowed)
    {
        if (length <= 0)
            return;
        for (const DirectionInfo &info : directionTable()) {
            if (!allowed.contains(info.direction))
                continue;
            Range r{info.direction, 0, 0, 0, 0, 0};
            axis(info.columnStep, columns, length, r.colLow, r.colCount);
            axis(info.rowStep, rows, length, r.rowLow, r.rowCount);
            if (r.colCount <= 0 || r.rowCount <= 0)
                continue;
            r.first = m_count;
            m_count += r.colCount * r.rowCount;
            m_ranges[std::size_t(m_rangeCount++)] = r;
        }
        m_length = length;
    }

    int count() const { return m_count; }

    WordPath at(int i) const
    {
        int k = m_rangeCount - 1;
        while (m_ranges[std::size_t(k)].first > i)
            --k;
        const Range &r = m_ranges[std::size_t(k)];
        const int local = i - r.first;
        return WordPath{r.colLow + local % r.colCount, r.rowLow + local / r.colCount, r.direction,
                        m_length};
    }

private:
    struct Range
    {
        Direction direction;
        int first;
        int colLow, colCount, rowLow, rowCount;
    };

    // The starts along one axis from which `length` cells stay inside `side`.
    static void axis(int step, int side, int length, int &low, int &count)
    {
        if (step == 0) {
            low = 0;
            count = side;
        } else {
            low = step > 0 ? 0 : length - 1;
            count = side - length + 1;
        }
    }

    std::array<Range, 8> m_ranges{};
    int m_rangeCount = 0;
    int m_count = 0;
    int m_length = 0;
};

// A random order of 0 .. count - 1: a random start and a random stride that
// shares no factor with the count, so every number comes exactly once.
class RandomOrder
{
public:
    RandomOrder(int count, LcgState &random) : m_count(count)
    {
        if (count <= 0)
            return;
        m_next = random.below(count);
        m_stride = count > 1 ? 1 + random.below(count - 1) : 1;
        while (std::gcd(m_stride, count) != 1) // ends by count - 1 at the latest
            ++m_stride;
    }
    int count() const { return m_count; }
    int next()
    {
        const int i = m_next;
        m_next += m_stride;
        if (m_next >= m_count)
            m_next -= m_count;
        return i;
    }

private:
    int m_count = 0;
    int m_next = 0;
    int m_stride = 1;
};

bool validWord(QStringView word)
{
    return !word.isEmpty() && !word.contains(QChar(0));
}

} // namespace

bool wordFits(const LetterGrid &grid, QStringView word, const WordPath &place)
{
    if (word.isEmpty() || place.length != int(word.size()))
        return false;
    const DirectionInfo &info = directionInfo(place.direction);
    const int last = place.length - 1;
    if (!grid.contains(place.col, place.row) ||
        !grid.contains(place.col + last * info.columnStep, place.row + last * info.rowStep))
        return false;
    const int step = info.rowStep * grid.columns + info.columnStep;
    const char16_t *cell = grid.letters.data() + grid.index(place.col, place.row);
    for (int p = 0; p < place.length; ++p, cell += step) {
        if (*cell != 0 && *cell != word[p].unicode())
            return false;
    }
    return true;
}

void writeWord(LetterGrid &grid, QStringView word, const WordPath &place)
{
    for (int p = 0; p < place.length && p < int(word.size()); ++p) {
        const CellPos c = place.cell(p);
        grid.set(c.col, c.row, word[p].unicode());
    }
}

QString readWord(const LetterGrid &grid, const WordPath &place)
{
    QString out;
    for (int p = 0; p < place.length; ++p) {
        const CellPos c = place.cell(p);
        out += QChar(grid.at(c.col, c.row));
    }
    return out;
}

std::optional<WordPath> findRandomPlace(const LetterGrid &grid, QStringView word,
                                        DirectionSet allowed, LcgState &random, int attempts)
{
    if (!validWord(word))
        return std::nullopt;
    // Per direction code: where a start keeps the word inside the grid, and
    // the step between its cells; codes 8 and 9 and directions not allowed
    // take no start.
    struct Code
    {
        Direction direction = Direction::Right;
        int colLow = 0, colHigh = -1, rowLow = 0, rowHigh = -1;
        int step = 0;
    };
    const int last = int(word.size()) - 1;
    std::array<Code, 10> codes{};
    for (int k = 0; k < 8; ++k) {
        const Direction d = kDirectionByRandomCode[k];
        if (!allowed.contains(d))
            continue;
        const DirectionInfo &info = directionInfo(d);
        Code &c = codes[std::size_t(k)];
        c.direction = d;
        c.colLow = info.columnStep < 0 ? last : 0;
        c.colHigh = grid.columns - 1 - (info.columnStep > 0 ? last : 0);
        c.rowLow = info.rowStep < 0 ? last : 0;
        c.rowHigh = grid.rows - 1 - (info.rowStep > 0 ? last : 0);
        c.step = info.rowStep * grid.columns + info.columnStep;
    }
    const char16_t *letters = reinterpret_cast<const char16_t *>(word.data());
    for (int a = 0; a < attempts; ++a) {
        const int col = random.below(grid.columns);
        const int row = random.below(grid.rows);
        const Code &c = codes[std::size_t(random.below(10))];
        if (col < c.colLow || col > c.colHigh || row < c.rowLow || row > c.rowHigh)
            continue;
        const char16_t *cell = grid.letters.data() + grid.index(col, row);
        bool fits = true;
        for (int p = 0; p <= last && fits; ++p, cell += c.step)
            fits = *cell == 0 || *cell == letters[p];
        if (fits)
            return WordPath{col, row, c.direction, last + 1};
    }
    return std::nullopt;
}

std::optional<WordPath> findAnyPlace(const LetterGrid &grid, QStringView word, DirectionSet allowed,
                                     LcgState &random)
{
    if (!validWord(word))
        return std::nullopt;
    const Candidates candidates(grid.columns, grid.rows, int(word.size()), allowed);
    RandomOrder order(candidates.count(), random);
    for (int k = 0; k < order.count(); ++k) {
        const WordPath place = candidates.at(order.next());
        if (wordFits(grid, word, place))
            return place;
    }
    return std::nullopt;
}

std::optional<WordPath> findPlace(const LetterGrid &grid, QStringView word, DirectionSet allowed,
                                  LcgState &random)
{
    if (std::optional<WordPath> place = findRandomPlace(grid, word, allowed, random))
        return place;
    return findAnyPlace(grid, word, allowed, random);
}

// --- Dense packing ---

namespace {

class Packer
{
public:
    Packer(LetterGrid &grid, const QStringList &words, DirectionSet allowed, LcgState &random,
           const DenseOptions &options)
        : m_grid(grid), m_random(random), m_options(options), m_columns(grid.columns),
          m_initial(grid.letters), m_owner(grid.letters.size() * 4, -1),
          m_uses(grid.letters.size(), 0), m_fixed(grid.letters.size(), 0)
    {
        for (std::size_t i = 0; i < m_fixed.size(); ++i)
            m_fixed[i] = grid.letters[i] != 0;
        for (const DirectionInfo &info : directionTable()) {
            const Step s{info.direction, info.columnStep, info.rowStep,
                         info.rowStep * m_columns + info.columnStep, lineFamily(info)};
            m_stepByDirection[std::size_t(info.direction)] = s;
            if (allowed.contains(info.direction))
                m_steps.push_back(s);
        }
        m_words.reserve(std::size_t(words.size()));
        for (const QString &w : words) {
            Word word{w, Candidates(grid.columns, grid.rows, int(w.size()), allowed), std::nullopt};
            word.plain = w.size() <= 64 &&
                         std::all_of(w.begin(), w.end(), [](QChar c) { return c.unicode() < 128; });
            for (int p = 0; word.plain && p < int(w.size()); ++p)
                word.positions[w[p].unicode()] |= std::uint64_t(1) << p;
            m_words.push_back(word);
        }
        m_locked.assign(m_words.size(), 0);
    }

    DenseResult run()
    {
        // Longest first; equal lengths in list order.
        std::vector<int> order;
        for (int w = 0; w < int(m_words.size()); ++w) {
            if (validWord(m_words[std::size_t(w)].text) &&
                m_words[std::size_t(w)].candidates.count() > 0)
                order.push_back(w);
        }
        std::stable_sort(order.begin(), order.end(),
                         [this](int a, int b) { return length(a) > length(b); });

        std::vector<std::optional<WordPath>> best(m_words.size());
        int bestPlaced = -1;
        long long bestLetters = 0;
        // Rounds: each word in turn takes its best free place, or makes room
        // for itself; while words are left out and the budget lasts, the next
        // round starts again from the grid as it came, with new random draws,
        // and the round that placed the most words is kept.
        for (bool first = true; first || (bestPlaced < int(order.size()) && budgetLeft());
             first = false) {
            for (int w : order) {
                if (m_words[std::size_t(w)].place)
                    take(w);
            }
            for (int w : order) {
                makeRoom(w, kRoomDepth);
                // What the try changed stands: nothing is locked any more.
                for (const Change &c : m_log) {
                    m_locked[std::size_t(c.word)] = 0;
                    m_takenBack += c.before ? 1 : 0;
                }
                m_log.clear();
            }
            int placed = 0;
            long long letters = 0;
            for (int w : order) {
                if (m_words[std::size_t(w)].place) {
                    ++placed;
                    letters += length(w);
                }
            }
            if (placed > bestPlaced || (placed == bestPlaced && letters > bestLetters)) {
                bestPlaced = placed;
                bestLetters = letters;
                for (std::size_t i = 0; i < m_words.size(); ++i)
                    best[i] = m_words[i].place;
            }
        }

        // The best round's words, written over the grid as it came.
        m_grid.letters = m_initial;
        for (std::size_t i = 0; i < m_words.size(); ++i) {
            if (best[i])
                writeWord(m_grid, m_words[i].text, *best[i]);
        }
        DenseResult result;
        result.places = best;
        result.placed = std::max(bestPlaced, 0);
        result.looked = m_looked;
        result.takenBack = m_takenBack;
        return result;
    }

private:
    struct Word
    {
        QString text;
        Candidates candidates;
        std::optional<WordPath> place;
        // Plain words (letters below 128, at most 64 of them): per letter, the
        // positions that hold it, as bits.
        bool plain = false;
        std::array<std::uint64_t, 128> positions{};
    };

    struct Step
    {
        Direction direction;
        int dc, dr;
        int offset; // from one cell of the walk to the next
        int family; // the kind of line it runs along: see lineFamily
    };

    int length(int w) const { return int(m_words[std::size_t(w)].text.size()); }

    // The letters the word would share at the place starting at `cell` and
    // running along `s`, or -1 when it does not fit.
    int shared(const char16_t *letters, int len, int cell, const Step &s) const
    {
        const char16_t *grid = m_grid.letters.data();
        int overlap = 0, fixedShared = 0;
        for (int p = 0; p < len; ++p, cell += s.offset) {
            const char16_t held = grid[cell];
            if (held == 0)
                continue;
            if (held != letters[p] || m_owner[std::size_t(cell * 4 + s.family)] >= 0)
                return -1;
            ++overlap;
            fixedShared += m_fixed[std::size_t(cell)];
        }
        return fixedShared == len ? -1 : overlap;
    }
    int shared(const Word &word, const WordPath &place) const
    {
        return shared(reinterpret_cast<const char16_t *>(word.text.constData()), place.length,
                      startCell(place), stepOf(place.direction));
    }
    int startCell(const WordPath &place) const { return place.row * m_columns + place.col; }
    const Step &stepOf(Direction d) const { return m_stepByDirection[std::size_t(d)]; }

    // The free place that shares the most letters, ties broken at random.
    // A place that shares a letter runs through a cell that holds it, so those
    // are found from the grid's letters; when there are none, every place
    // shares nothing and the first free one in a random order is taken.
    std::optional<WordPath> bestFreePlace(int w)
    {
        const Word &word = m_words[std::size_t(w)];
        const int len = int(word.text.size());
        const char16_t *letters = reinterpret_cast<const char16_t *>(word.text.constData());
        const char16_t *grid = m_grid.letters.data();
        const int cellCount = int(m_grid.letters.size());
        std::optional<WordPath> best;
        int bestScore = 0;
        int ties = 0;
        const auto tryAnchor = [&](int cell, int p) {
            const int col = cell % m_columns, row = cell / m_columns;
            for (const Step &s : m_steps) {
                const int c0 = col - p * s.dc, r0 = row - p * s.dr;
                const int c1 = c0 + (len - 1) * s.dc, r1 = r0 + (len - 1) * s.dr;
                if (!m_grid.contains(c0, r0) || !m_grid.contains(c1, r1))
                    continue;
                ++m_looked;
                const int score = shared(letters, len, cell - p * s.offset, s);
                if (score <= 0 || score < bestScore)
                    continue;
                if (score > bestScore) {
                    bestScore = score;
                    ties = 0;
                }
                // Each place sharing k letters is met k times, as is every
                // other place of the same score, so this stays even.
                if (m_random.below(++ties) == 0)
                    best = WordPath{c0, r0, s.direction, len};
            }
        };
        for (int cell = 0; cell < cellCount; ++cell) {
            const char16_t held = grid[cell];
            if (held == 0)
                continue;
            if (word.plain) {
                if (held >= 128)
                    continue;
                for (std::uint64_t at = word.positions[held]; at; at &= at - 1)
                    tryAnchor(cell, __builtin_ctzll(at));
            } else {
                for (int p = 0; p < len; ++p) {
                    if (letters[p] == held)
                        tryAnchor(cell, p);
                }
            }
        }
        if (best)
            return best;
        RandomOrder order(word.candidates.count(), m_random);
        for (int k = 0; k < order.count(); ++k) {
            ++m_looked;
            const WordPath place = word.candidates.at(order.next());
            if (shared(word, place) >= 0)
                return place;
        }
        return std::nullopt;
    }

    bool budgetLeft() const { return m_looked < m_options.budget; }

    // Places word w, taking back the words in its way when it finds no free
    // place: they then look for places of their own in the same way, one
    // level less deep. A try that leaves any of them out is undone and the
    // next place is tried. Every change is logged so that it can be undone;
    // words placed on the way are locked against being taken back again.
    bool makeRoom(int w, int depth)
    {
        if (!budgetLeft())
            return false;
        if (const std::optional<WordPath> place = bestFreePlace(w)) {
            change(w, *place);
            return true;
        }
        if (depth == 0 || !budgetLeft())
            return false;
        for (const Room &room : leastInTheWay(w)) {
            const std::size_t mark = m_log.size();
            for (int o : room.inTheWay)
                change(o, std::nullopt);
            change(w, room.place);
            bool all = true;
            for (int o : room.inTheWay)
                all = all && makeRoom(o, depth - 1);
            if (all)
                return true;
            undo(mark);
        }
        return false;
    }

    struct Change
    {
        int word;
        std::optional<WordPath> before;
    };
    // Puts word w at a place, or takes it back (none), logging what it was.
    void change(int w, const std::optional<WordPath> &place)
    {
        m_log.push_back({w, m_words[std::size_t(w)].place});
        if (m_words[std::size_t(w)].place)
            take(w);
        if (place) {
            put(w, *place);
            m_locked[std::size_t(w)] = 1;
        }
    }
    void undo(std::size_t mark)
    {
        while (m_log.size() > mark) {
            const Change c = m_log.back();
            m_log.pop_back();
            if (m_words[std::size_t(c.word)].place)
                take(c.word);
            m_locked[std::size_t(c.word)] = 0;
            if (c.before)
                put(c.word, *c.before);
        }
    }

    // A place for a word and the placed words in its way there.
    struct Room
    {
        WordPath place;
        std::vector<int> inTheWay; // longest first
        int cost = 0;              // their letters
    };

    // The few places where the fewest letters of other words are in the way
    // (those words are the ones to take back), cheapest first, ties in a
    // random order. A place is out where the grid's own letters are in the
    // way, or a word placed in the present try.
    std::vector<Room> leastInTheWay(int w)
    {
        const Word &word = m_words[std::size_t(w)];
        const char16_t *letters = reinterpret_cast<const char16_t *>(word.text.constData());
        const char16_t *grid = m_grid.letters.data();
        RandomOrder order(word.candidates.count(), m_random);
        m_looked += order.count();
        std::vector<Room> rooms;
        Room room;
        for (int k = 0; k < order.count(); ++k) {
            room.place = word.candidates.at(order.next());
            room.inTheWay.clear();
            room.cost = 0;
            const Step &s = stepOf(room.place.direction);
            bool possible = true;
            int fixedShared = 0;
            const auto add = [&](int o) {
                if (o < 0 ||
                    std::find(room.inTheWay.begin(), room.inTheWay.end(), o) != room.inTheWay.end())
                    return;
                possible = possible && !m_locked[std::size_t(o)];
                room.inTheWay.push_back(o);
                room.cost += length(o);
            };
            int cell = startCell(room.place);
            for (int p = 0; p < room.place.length && possible; ++p, cell += s.offset) {
                const char16_t held = grid[cell];
                if (held == 0)
                    continue;
                if (held == letters[p]) {
                    fixedShared += m_fixed[std::size_t(cell)];
                    add(m_owner[std::size_t(cell * 4 + s.family)]);
                    continue;
                }
                if (m_fixed[std::size_t(cell)]) {
                    possible = false;
                    break;
                }
                for (int f = 0; f < 4; ++f)
                    add(m_owner[std::size_t(cell * 4 + f)]);
            }
            if (!possible || fixedShared == room.place.length || room.inTheWay.empty())
                continue;
            if (int(rooms.size()) == kRoomChoices && room.cost >= rooms.back().cost)
                continue;
            const auto at = std::upper_bound(rooms.begin(), rooms.end(), room.cost,
                                             [](int cost, const Room &r) { return cost < r.cost; });
            rooms.insert(at, room);
            if (int(rooms.size()) > kRoomChoices)
                rooms.pop_back();
        }
        for (Room &r : rooms) {
            std::stable_sort(r.inTheWay.begin(), r.inTheWay.end(),
                             [this](int a, int b) { return length(a) > length(b); });
        }
        return rooms;
    }

    void put(int w, const WordPath &place)
    {
        Word &word = m_words[std::size_t(w)];
        const Step &s = stepOf(place.direction);
        int cell = startCell(place);
        for (int p = 0; p < place.length; ++p, cell += s.offset) {
            m_grid.letters[std::size_t(cell)] = word.text[p].unicode();
            m_owner[std::size_t(cell * 4 + s.family)] = w;
            ++m_uses[std::size_t(cell)];
        }
        word.place = place;
    }

    void take(int w)
    {
        Word &word = m_words[std::size_t(w)];
        const Step &s = stepOf(word.place->direction);
        int cell = startCell(*word.place);
        for (int p = 0; p < word.place->length; ++p, cell += s.offset) {
            m_owner[std::size_t(cell * 4 + s.family)] = -1;
            if (--m_uses[std::size_t(cell)] == 0 && !m_fixed[std::size_t(cell)])
                m_grid.letters[std::size_t(cell)] = 0;
        }
        word.place.reset();
    }

    // How deep a word taking others back may go, and how many places it tries.
    static constexpr int kRoomDepth = 2;
    static constexpr int kRoomChoices = 3;

    LetterGrid &m_grid;
    LcgState &m_random;
    DenseOptions m_options;
    int m_columns;
    std::vector<char16_t> m_initial;
    std::vector<int> m_owner;  // per cell and line family: the word running along it, or -1
    std::vector<int> m_uses;   // per cell: how many placed words run through it
    std::vector<char> m_fixed; // per cell: a letter the grid had from the start
    std::vector<Word> m_words;
    std::vector<char> m_locked; // per word: placed in the present try
    std::vector<Change> m_log;  // the present try's changes
    std::vector<Step> m_steps;  // the allowed directions
    std::array<Step, 8> m_stepByDirection{};
    long long m_looked = 0; // places looked at
    long long m_takenBack = 0;
};

} // namespace

DenseResult placeDense(LetterGrid &grid, const QStringList &words, DirectionSet allowed,
                       LcgState &random, const DenseOptions &options)
{
    Packer packer(grid, words, allowed, random, options);
    return packer.run();
}

} // namespace quarrin
