#include "check/clean_fill.h"

#include <QSet>

#include <algorithm>

namespace quarrin {

namespace {

// The four ways along which every line is read once: rows to the right,
// columns down and both diagonals down. A word read backwards along one of
// them is a reversed pattern read forwards.
struct LineKind
{
    Direction forwards;
    Direction backwards;
    int dc, dr;
};
constexpr LineKind kLineKinds[4] = {
    {Direction::Right, Direction::Left, 1, 0},
    {Direction::Down, Direction::Up, 0, 1},
    {Direction::DownRight, Direction::UpLeft, 1, 1},
    {Direction::DownLeft, Direction::UpRight, -1, 1},
};

// Every row, column and diagonal of a grid, and the four lines through each cell.
class Lines
{
public:
    struct Line
    {
        int kind;
        int col, row; // first cell
        int length;
        int first; // into cells()
    };

    Lines(int columns, int rows) : m_columns(columns), m_through(std::size_t(columns * rows) * 4)
    {
        for (int r = 0; r < rows; ++r)
            add(0, 0, r, columns);
        for (int c = 0; c < columns; ++c)
            add(1, c, 0, rows);
        for (int c = 0; c < columns; ++c)
            add(2, c, 0, std::min(columns - c, rows));
        for (int r = 1; r < rows; ++r)
            add(2, 0, r, std::min(columns, rows - r));
        for (int c = 0; c < columns; ++c)
            add(3, c, 0, std::min(c + 1, rows));
        for (int r = 1; r < rows; ++r)
            add(3, columns - 1, r, std::min(columns, rows - r));
    }

    int count() const { return int(m_lines.size()); }
    const Line &line(int i) const { return m_lines[std::size_t(i)]; }
    // The grid index of cell k of a line.
    int cell(const Line &l, int k) const { return m_cells[std::size_t(l.first + k)]; }
    // The line of the given kind through a cell.
    int through(int cell, int kind) const { return m_through[std::size_t(cell * 4 + kind)]; }

private:
    void add(int kind, int col, int row, int length)
    {
        const int index = int(m_lines.size());
        m_lines.push_back({kind, col, row, length, int(m_cells.size())});
        const LineKind &k = kLineKinds[kind];
        for (int i = 0; i < length; ++i) {
            const int cell = (row + i * k.dr) * m_columns + col + i * k.dc;
            m_cells.push_back(cell);
            m_through[std::size_t(cell * 4 + kind)] = index;
        }
    }

    int m_columns;
    std::vector<Line> m_lines;
    std::vector<int> m_cells;
    std::vector<int> m_through;
};

// A match on a line: the pattern and the positions [end - length + 1, end].
struct Match
{
    int pattern;
    int end;
};

} // namespace

BlockedWordMatcher::BlockedWordMatcher(const QStringList &words)
{
    QSet<QString> seen;
    for (const QString &w : words) {
        if (w.isEmpty() || seen.contains(w))
            continue;
        seen.insert(w);
        m_words << w;
    }
    if (m_words.isEmpty())
        return;

    char16_t highest = 0;
    for (const QString &w : std::as_const(m_words))
        for (const QChar c : w)
            highest = std::max(highest, char16_t(c.unicode()));
    m_symbol.assign(std::size_t(highest) + 1, 0);
    for (const QString &w : std::as_const(m_words)) {
        for (const QChar c : w) {
            if (c.unicode() != 0 && m_symbol[c.unicode()] == 0)
                m_symbol[c.unicode()] = std::uint16_t(m_symbols++);
        }
    }

    // The tree of every word and every reverse that is not already a word
    // or a palindrome's own spelling; -1 marks a missing branch for now.
    const auto newState = [this] {
        m_states.emplace_back();
        m_delta.insert(m_delta.end(), std::size_t(m_symbols), -1);
        return int(m_states.size()) - 1;
    };
    std::size_t letters = 0;
    for (const QString &w : std::as_const(m_words))
        letters += std::size_t(w.size());
    m_states.reserve(2 * letters + 1);
    m_delta.reserve((2 * letters + 1) * std::size_t(m_symbols));
    newState();
    const auto insert = [&](const QString &text, int word, bool reversed) {
        int state = 0;
        for (const QChar c : text) {
            const int s = symbol(c.unicode());
            if (s == 0)
                return; // a word with a 0 unit reads nowhere
            const std::size_t at = std::size_t(state) * std::size_t(m_symbols) + std::size_t(s);
            if (m_delta[at] < 0) {
                const int created = newState(); // may move m_delta: index it again
                m_delta[at] = created;
            }
            state = m_delta[at];
        }
        if (m_states[std::size_t(state)].output < 0) {
            m_states[std::size_t(state)].output = int(m_patterns.size());
            m_patterns.push_back({word, reversed, int(text.size())});
        }
    };
    for (int i = 0; i < int(m_words.size()); ++i)
        insert(m_words.at(i), i, false);
    for (int i = 0; i < int(m_words.size()); ++i) {
        QString reversed = m_words.at(i);
        std::reverse(reversed.begin(), reversed.end());
        insert(reversed, i, true);
    }

    // Breadth first: each state's fall-back is its longest proper suffix in
    // the tree; missing branches follow the fall-back's, so reading a letter
    // is one look-up.
    std::vector<int> fail(m_states.size(), 0);
    std::vector<int> queue;
    for (int s = 0; s < m_symbols; ++s) {
        int &to = m_delta[std::size_t(s)];
        if (to < 0) {
            to = 0;
        } else {
            fail[std::size_t(to)] = 0;
            queue.push_back(to);
        }
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int u = queue[head];
        for (int s = 0; s < m_symbols; ++s) {
            const std::size_t at = std::size_t(u) * std::size_t(m_symbols) + std::size_t(s);
            const int v = m_delta[at];
            const int viaFail = next(fail[std::size_t(u)], s);
            if (v < 0) {
                m_delta[at] = viaFail;
                continue;
            }
            fail[std::size_t(v)] = viaFail;
            const State &f = m_states[std::size_t(viaFail)];
            m_states[std::size_t(v)].outputLink = f.output >= 0 ? viaFail : f.outputLink;
            queue.push_back(v);
        }
    }
}

namespace {

// Every match along one line of the grid.
void scanLine(const BlockedWordMatcher &m, const LetterGrid &grid, const Lines &lines, int index,
              std::vector<Match> &out)
{
    out.clear();
    const Lines::Line &line = lines.line(index);
    int state = 0;
    for (int k = 0; k < line.length; ++k) {
        state = m.next(state, m.symbol(grid.letters[std::size_t(lines.cell(line, k))]));
        for (int t = m.output(state) >= 0 ? state : m.outputLink(state); t >= 0;
             t = m.outputLink(t)) {
            // A one-letter word is read once per cell: along its row.
            if (line.kind == 0 || m.pattern(m.output(t)).length > 1)
                out.push_back({m.output(t), k});
        }
    }
}

BlockedOccurrence occurrenceOf(const BlockedWordMatcher &m, const Lines &lines, int index,
                               const Match &match)
{
    const Lines::Line &line = lines.line(index);
    const BlockedWordMatcher::Pattern &p = m.pattern(match.pattern);
    const LineKind &kind = kLineKinds[line.kind];
    // A word read forwards starts at the match's first cell; one read
    // backwards at its last.
    const int start = p.reversed ? match.end : match.end - p.length + 1;
    return {p.word, WordPath{line.col + start * kind.dc, line.row + start * kind.dr,
                             p.reversed ? kind.backwards : kind.forwards, p.length}};
}

} // namespace

std::vector<BlockedOccurrence> BlockedWordMatcher::find(const LetterGrid &grid) const
{
    std::vector<BlockedOccurrence> found;
    if (isEmpty() || grid.columns <= 0 || grid.rows <= 0)
        return found;
    const Lines lines(grid.columns, grid.rows);
    std::vector<Match> matches;
    for (int i = 0; i < lines.count(); ++i) {
        scanLine(*this, grid, lines, i, matches);
        for (const Match &match : matches)
            found.push_back(occurrenceOf(*this, lines, i, match));
    }
    return found;
}

CleanFillResult cleanFill(LetterGrid &grid, const std::vector<std::uint8_t> &filler,
                          const BlockedWordMatcher &matcher, const LetterSource &draw,
                          int maxRedraws)
{
    CleanFillResult result;
    const std::size_t cellCount = grid.letters.size();
    if (filler.size() != cellCount) {
        result.clean = false; // nothing was looked at
        return result;
    }
    if (matcher.isEmpty() || grid.columns <= 0 || grid.rows <= 0)
        return result;
    if (maxRedraws < 0) {
        const auto fillerCells =
            std::count_if(filler.begin(), filler.end(), [](std::uint8_t f) { return f != 0; });
        maxRedraws = 16 * int(fillerCells) + 256;
    }

    const Lines lines(grid.columns, grid.rows);
    std::vector<std::vector<Match>> byLine(std::size_t(lines.count()));
    for (int i = 0; i < lines.count(); ++i)
        scanLine(matcher, grid, lines, i, byLine[std::size_t(i)]);

    // Calls visit(cell) for each cell of a match; stops when visit says so.
    const auto forEachCell = [&](int line, const Match &m, const auto &visit) {
        const Lines::Line &l = lines.line(line);
        for (int k = m.end - matcher.pattern(m.pattern).length + 1; k <= m.end; ++k) {
            if (!visit(lines.cell(l, k)))
                return;
        }
    };
    const auto curable = [&](int line, const Match &m) {
        bool any = false;
        forEachCell(line, m, [&](int cell) {
            any = filler[std::size_t(cell)] != 0;
            return !any;
        });
        return any;
    };

    std::vector<int> covering(cellCount, 0); // per filler cell: the matches through it
    std::vector<int> counted;
    for (;;) {
        // The filler cell that the most curable matches run through.
        int best = -1;
        for (int i = 0; i < lines.count(); ++i) {
            for (const Match &m : byLine[std::size_t(i)]) {
                forEachCell(i, m, [&](int cell) {
                    if (!filler[std::size_t(cell)])
                        return true;
                    if (covering[std::size_t(cell)]++ == 0)
                        counted.push_back(cell);
                    if (best < 0 || covering[std::size_t(cell)] > covering[std::size_t(best)])
                        best = cell;
                    return true;
                });
            }
        }
        for (int cell : counted)
            covering[std::size_t(cell)] = 0;
        counted.clear();
        if (best < 0)
            break;
        if (result.redrawn >= maxRedraws) {
            result.clean = false;
            break;
        }
        grid.letters[std::size_t(best)] = draw();
        ++result.redrawn;
        for (int kind = 0; kind < 4; ++kind) {
            const int line = lines.through(best, kind);
            scanLine(matcher, grid, lines, line, byLine[std::size_t(line)]);
        }
    }

    for (int i = 0; i < lines.count(); ++i) {
        for (const Match &m : byLine[std::size_t(i)]) {
            if (curable(i, m))
                result.remaining.push_back(occurrenceOf(matcher, lines, i, m));
            else
                result.incurable.push_back(occurrenceOf(matcher, lines, i, m));
        }
    }
    return result;
}

} // namespace quarrin
