#include "check/puzzle_check.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quarrin {

// --- Places ---

bool Place::sameCells(const Place &other) const
{
    if (length != other.length)
        return false;
    const QPoint a = cell(0), b = last(), c = other.cell(0), d = other.last();
    return (a == c && b == d) || (a == d && b == c);
}

bool Place::contains(QPoint point) const
{
    const DirectionInfo &info = directionInfo(direction);
    const int dx = point.x() - col;
    const int dy = point.y() - row;
    const int t = info.columnStep != 0 ? dx * info.columnStep : dy * info.rowStep;
    return t >= 0 && t < length && dx == t * info.columnStep && dy == t * info.rowStep;
}

bool Place::within(const Place &outer) const
{
    // Both are straight runs, so both ends inside means every cell inside.
    return length > 0 && outer.contains(cell(0)) && outer.contains(last());
}

QString Place::text() const
{
    return QStringLiteral("%1, %2 %3").arg(col + 1).arg(row + 1).arg(directionName(direction));
}

QStringList CheckReport::lines() const
{
    QStringList out;
    for (const Problem &p : problems)
        out << p.text;
    return out;
}

QString noProblemsText()
{
    return QStringLiteral("No problems found: every word appears exactly once.");
}

// --- Matching ---

// A letter tree of every word sought (blocked words first, then the listed
// words), walked from every cell in every direction over a copy of the grid
// with a border of non-letters, so a walk stops at the edge by itself. The
// tree's letters are those of the blocked words' alphabet; a word or a cell
// with any other letter reads nowhere.
struct PuzzleCheck::Matcher
{
    struct Tree
    {
        int width = 0;                      // letters a node can branch on
        std::vector<std::int32_t> child;    // node * width + letter -> node, -1 for none
        std::vector<std::int32_t> firstEnd; // per node, into ends: the words that end here

        explicit Tree(int letters = 0) : width(letters) { addNode(); }
        // Room for `nodes` nodes, so that adding words moves nothing.
        void reserve(std::size_t nodes)
        {
            child.reserve(nodes * std::size_t(width));
            firstEnd.reserve(nodes);
        }
        std::size_t nodeCount() const { return firstEnd.size(); }
        std::int32_t addNode()
        {
            const std::size_t at = child.size();
            child.resize(at + std::size_t(width));
            std::fill_n(child.begin() + std::ptrdiff_t(at), width, -1);
            firstEnd.push_back(-1);
            return std::int32_t(firstEnd.size()) - 1;
        }
    };
    struct End
    {
        int id;
        int next;
    };
    struct Match
    {
        int id;
        int start; // index into the bordered grid
        int direction;
        int length;
    };

    Alphabet alphabet;
    std::uint8_t noLetter = 0; // the border's and any non-letter's code
    int blockedCount = 0;
    Tree blockedTree; // the tree of the blocked words alone
    std::vector<End> blockedEnds;
    Tree tree; // blocked words plus the listed words of `listed`
    std::vector<End> ends;
    QStringList listed;
    bool prepared = false;

    std::vector<std::uint8_t> grid;
    std::vector<Match> matches;

    int letterIndex(QChar c) const { return alphabet.indexOf(c); }

    static std::size_t letterCount(const QStringList &words)
    {
        std::size_t n = 0;
        for (const QString &w : words)
            n += std::size_t(w.size());
        return n;
    }

    void insert(Tree &t, std::vector<End> &endList, const QString &word, int id) const
    {
        if (word.isEmpty())
            return;
        int node = 0;
        for (const QChar c : word) {
            const int l = letterIndex(c);
            if (l < 0)
                return; // a word of other characters reads nowhere
            const std::size_t at = std::size_t(node) * std::size_t(t.width) + std::size_t(l);
            if (t.child[at] < 0) {
                const std::int32_t added = t.addNode();
                t.child[at] = added;
            }
            node = t.child[at];
        }
        endList.push_back({id, t.firstEnd[std::size_t(node)]});
        t.firstEnd[std::size_t(node)] = int(endList.size()) - 1;
    }

    explicit Matcher(const BlockedWords &blocked)
        : alphabet(blocked.alphabet()), noLetter(std::uint8_t(alphabet.size())),
          blockedTree(alphabet.size())
    {
        blockedCount = blocked.size();
        blockedTree.reserve(1 + letterCount(blocked.words()));
        for (int i = 0; i < blockedCount; ++i)
            insert(blockedTree, blockedEnds, blocked.words().at(i), i);
    }

    void prepare(const QStringList &log)
    {
        if (prepared && log == listed)
            return;
        tree.width = blockedTree.width;
        tree.reserve(blockedTree.nodeCount() + letterCount(log));
        tree.child = blockedTree.child; // into the room reserved
        tree.firstEnd = blockedTree.firstEnd;
        ends = blockedEnds;
        for (int i = 0; i < log.size(); ++i)
            insert(tree, ends, log.at(i), blockedCount + i);
        listed = log;
        prepared = true;
    }

    // Every (word, start, direction) that reads in the visible grid.
    void match(const PuzzleModel &model)
    {
        const int columns = model.columns();
        const int rows = model.rows();
        const int side = columns + 2; // the bordered grid's row length
        grid.assign(std::size_t(side) * std::size_t(rows + 2), noLetter);
        for (int row = 0; row < rows; ++row) {
            for (int col = 0; col < columns; ++col) {
                const Cell &c = model.cellAt(col, row);
                const int l = c.kind == Cell::Empty ? -1 : letterIndex(QChar(c.letter));
                if (l >= 0)
                    grid[std::size_t((row + 1) * side + col + 1)] = std::uint8_t(l);
            }
        }
        int step[8];
        for (int d = 0; d < 8; ++d) {
            const DirectionInfo &info = directionTable()[std::size_t(d)];
            step[d] = info.rowStep * side + info.columnStep;
        }
        matches.clear();
        const std::int32_t *child = tree.child.data();
        const std::int32_t *firstEnd = tree.firstEnd.data();
        const int width = tree.width;
        const std::uint8_t none = noLetter;
        const std::uint8_t *g = grid.data();
        for (int row = 1; row <= rows; ++row) {
            for (int col = 1; col <= columns; ++col) {
                const int start = row * side + col;
                const std::uint8_t first = g[start];
                if (first == none)
                    continue;
                const int firstNode = child[first];
                if (firstNode < 0)
                    continue;
                for (int d = 0; d < 8; ++d) {
                    int node = firstNode;
                    int at = start;
                    int length = 1;
                    for (;;) {
                        for (int e = firstEnd[node]; e >= 0; e = ends[std::size_t(e)].next)
                            matches.push_back({ends[std::size_t(e)].id, start, d, length});
                        at += step[d];
                        const std::uint8_t l = g[at];
                        if (l == none)
                            break;
                        node = child[std::size_t(node) * std::size_t(width) + l];
                        if (node < 0)
                            break;
                        ++length;
                    }
                }
            }
        }
    }

    Place placeOf(const Match &m, int side) const
    {
        return {m.start % side - 1, m.start / side - 1,
                directionTable()[std::size_t(m.direction)].direction, m.length};
    }
};

PuzzleCheck::PuzzleCheck(const BlockedWords &blocked)
    : m_blocked(blocked), m_matcher(std::make_unique<Matcher>(m_blocked))
{
}

PuzzleCheck::~PuzzleCheck() = default;

namespace {

void addPlace(std::vector<Place> &places, const Place &place)
{
    for (const Place &p : places) {
        if (p.sameCells(place))
            return;
    }
    places.push_back(place);
}

// A listed word's position and direction lines, read the way the puzzle reads
// them: a line without a comma keeps the previous word's cell.
struct ListedPlace
{
    bool readable = false; // a number pair and a direction name
    Place place;
    QString asWritten; // the two lines, for a message
};

std::vector<ListedPlace> readListedPlaces(const PuzzleModel &model)
{
    std::vector<ListedPlace> out;
    int col = 0, row = 0;
    bool known = true;
    const QStringList &log = model.log();
    for (int k = 0; k < log.size(); ++k) {
        const QString pos = k < model.positions().size() ? model.positions().at(k) : QString();
        const QString dir =
            k < model.directionMemo().size() ? model.directionMemo().at(k) : QString();
        const int comma = int(pos.indexOf(QLatin1Char(',')));
        if (comma >= 0) {
            const auto x = parseInteger(pos.left(comma));
            const auto y = parseInteger(pos.mid(comma + 1));
            known = x && y;
            if (known) {
                col = int(std::clamp<qint64>(qint64(*x) - 1, -1000000, 1000000));
                row = int(std::clamp<qint64>(qint64(*y) - 1, -1000000, 1000000));
            }
        }
        ListedPlace lp;
        lp.asWritten = (pos.trimmed() + QLatin1Char(' ') + dir.trimmed()).trimmed();
        const auto direction = directionFromName(dir);
        lp.readable = known && direction.has_value();
        if (lp.readable)
            lp.place = Place{col, row, *direction, int(log.at(k).size())};
        out.push_back(lp);
    }
    return out;
}

bool inGrid(const Place &p, const PuzzleModel &model)
{
    const auto inside = [&model](QPoint c) { return model.inGrid(c.x(), c.y()); };
    return p.length > 0 && inside(p.cell(0)) && inside(p.last());
}

QString placesText(const std::vector<Place> &places)
{
    QStringList parts;
    for (const Place &p : places)
        parts << p.text();
    return parts.join(QStringLiteral("; "));
}

} // namespace

CheckReport PuzzleCheck::run(const PuzzleModel &model) const
{
    Matcher &m = *m_matcher;
    const QStringList &log = model.log();
    m.prepare(log);
    m.match(model);

    const int side = model.columns() + 2;
    const int wordCount = int(log.size());
    std::vector<std::vector<Place>> found(static_cast<std::size_t>(wordCount));
    std::vector<std::pair<int, Place>> blockedFound;
    for (const Matcher::Match &match : m.matches) {
        const Place place = m.placeOf(match, side);
        if (match.id >= m.blockedCount) {
            addPlace(found[std::size_t(match.id - m.blockedCount)], place);
        } else {
            bool known = false;
            for (const auto &[id, p] : blockedFound)
                known = known || (id == match.id && p.sameCells(place));
            if (!known)
                blockedFound.emplace_back(match.id, place);
        }
    }

    const std::vector<ListedPlace> listed = readListedPlaces(model);
    // The cells each listed word covers, where its lines name cells of the grid.
    std::vector<const Place *> segment(static_cast<std::size_t>(wordCount), nullptr);
    for (int i = 0; i < wordCount; ++i) {
        const ListedPlace &lp = listed[std::size_t(i)];
        if (lp.readable && inGrid(lp.place, model))
            segment[std::size_t(i)] = &lp.place;
    }

    CheckReport report;
    for (int i = 0; i < wordCount; ++i) {
        const QString &word = log.at(i);
        if (word.isEmpty())
            continue;
        std::vector<Place> &places = found[std::size_t(i)];
        const ListedPlace &lp = listed[std::size_t(i)];
        // The listed place comes first, read in its listed direction.
        int listedAt = -1;
        for (int k = 0; k < int(places.size()) && lp.readable; ++k) {
            if (places[std::size_t(k)].sameCells(lp.place))
                listedAt = k;
        }
        if (listedAt >= 0) {
            places.erase(places.begin() + listedAt);
            places.insert(places.begin(), lp.place);
        }

        if (listedAt < 0) {
            Problem p;
            p.kind = ProblemKind::NotAtListedPlace;
            p.word = word;
            p.wordIndex = i;
            const QString where =
                lp.readable ? lp.place.text() : QStringLiteral("\"%1\"").arg(lp.asWritten);
            p.text = QStringLiteral("%1 is not at its listed place %2; ").arg(word, where) +
                     (places.empty() ? QStringLiteral("it reads nowhere in the grid")
                                     : QStringLiteral("it reads at %1").arg(placesText(places)));
            if (segment[std::size_t(i)])
                p.places.push_back(lp.place);
            p.places.insert(p.places.end(), places.begin(), places.end());
            report.problems.push_back(p);
        }

        if (places.size() > 1) {
            Problem p;
            p.kind = ProblemKind::FoundMoreThanOnce;
            p.word = word;
            p.wordIndex = i;
            p.text = QStringLiteral("%1 is found %2 times: %3")
                         .arg(word)
                         .arg(places.size())
                         .arg(placesText(places));
            p.places = places;
            p.offending.assign(places.begin() + (listedAt >= 0 ? 1 : 0), places.end());
            report.problems.push_back(p);
        }

        for (const Place &place : places) {
            for (int j = 0; j < wordCount; ++j) {
                const Place *outer = segment[std::size_t(j)];
                if (j == i || !outer || !place.within(*outer))
                    continue;
                // Two entries on the same cells: name the pair once, at the later one.
                const bool same = place.sameCells(*outer);
                const bool sameEntry =
                    segment[std::size_t(i)] && segment[std::size_t(i)]->sameCells(*outer);
                if (same && sameEntry && j > i)
                    continue;
                // The same word listed again at a place of its own is not inside
                // anything: "found N times" already names both places.
                if (same && !sameEntry && log.at(j) == word)
                    continue;
                Problem p;
                p.kind = ProblemKind::InsideAnotherWord;
                p.word = word;
                p.wordIndex = i;
                if (same && log.at(j) == word)
                    p.text =
                        QStringLiteral("%1 is listed twice, both at %2").arg(word, place.text());
                else
                    p.text = QStringLiteral("%1 lies inside %2 at %3")
                                 .arg(word, log.at(j), place.text());
                p.places.push_back(place);
                report.problems.push_back(p);
            }
        }
    }

    for (std::size_t b = 0; b < blockedFound.size(); ++b) {
        const auto &[id, place] = blockedFound[b];
        bool excused = false;
        for (const Place *outer : segment)
            excused = excused || (outer && place.within(*outer));
        // A blocked word inside a longer one, or on the same cells as one named
        // before (one read backwards), says nothing new.
        for (std::size_t o = 0; o < blockedFound.size(); ++o) {
            const Place &other = blockedFound[o].second;
            excused = excused || (place.within(other) && (other.length > place.length ||
                                                          (o < b && other.sameCells(place))));
        }
        if (excused)
            continue;
        Problem p;
        p.kind = ProblemKind::BlockedWord;
        p.word = m_blocked.words().at(id);
        p.text = QStringLiteral("Blocked word %1 reads at %2").arg(p.word, place.text());
        p.places.push_back(place);
        p.offending.push_back(place);
        report.problems.push_back(p);
    }
    return report;
}

// --- Refill ---

namespace {

QString triesText(int tries)
{
    return tries == 1 ? QStringLiteral("1 try") : QStringLiteral("%1 tries").arg(tries);
}

} // namespace

RefillResult refill(PuzzleModel &model, const PuzzleCheck &check, const QString &message,
                    int maxTries, const RefillFill &fill)
{
    RefillResult result;
    const int storeColumns = model.storeColumns();
    const int storeRows = model.storeRows();
    std::vector<QString> original;
    original.reserve(std::size_t(storeColumns) * std::size_t(storeRows));
    for (int col = 0; col < storeColumns; ++col)
        for (int row = 0; row < storeRows; ++row)
            original.push_back(model.cell(col, row));
    const auto restore = [&] {
        std::size_t i = 0;
        for (int col = 0; col < storeColumns; ++col)
            for (int row = 0; row < storeRows; ++row)
                model.setCell(col, row, original[i++]);
    };

    // Cells that every try writes the same: word letters and the message.
    const int rows = model.rows();
    std::vector<bool> fixed;
    const auto curable = [&](const Problem &p) {
        if (p.offending.empty())
            return false;
        for (const Place &place : p.offending) {
            bool redrawn = false;
            for (int k = 0; k < place.length && !redrawn; ++k) {
                const QPoint c = place.cell(k);
                redrawn = !fixed[std::size_t(c.x() * rows + c.y())];
            }
            if (!redrawn)
                return false;
        }
        return true;
    };

    CheckReport last;
    for (int t = 1; t <= maxTries; ++t) {
        const CommandOutcome removed = model.removeFill();
        if (!removed.ok) {
            restore();
            result.report = check.run(model);
            result.summary = removed.messages.join(QLatin1Char('\n'));
            return result;
        }
        if (!message.isEmpty())
            model.fillMessage(message);
        if (fixed.empty()) {
            fixed.resize(std::size_t(model.columns()) * std::size_t(rows));
            for (int col = 0; col < model.columns(); ++col)
                for (int row = 0; row < rows; ++row)
                    fixed[std::size_t(col * rows + row)] = model.cellAt(col, row).kind != Cell::Empty;
        }
        if (fill)
            fill(model);
        else
            model.fillRandom();
        last = check.run(model);
        std::vector<Problem> incurable;
        bool anyCurable = false;
        for (const Problem &p : last.problems) {
            if (curable(p))
                anyCurable = true;
            else
                incurable.push_back(p);
        }
        if (!anyCurable) {
            result.refilled = true;
            result.clean = true;
            result.tries = t;
            result.report = last;
            result.incurable = incurable;
            if (incurable.empty()) {
                result.summary =
                    QStringLiteral("Refilled in %1: no problems found.").arg(triesText(t));
            } else {
                QStringList lines;
                for (const Problem &p : incurable)
                    lines << p.text;
                result.summary = QStringLiteral("Refilled in %1, but no fill can cure these "
                                                "problems; change the words to mend them:\n%2")
                                     .arg(triesText(t), lines.join(QLatin1Char('\n')));
            }
            return result;
        }
    }
    restore();
    result.tries = maxTries;
    result.report = check.run(model);
    for (const Problem &p : result.report.problems) {
        if (fixed.empty() ? p.offending.empty() : !curable(p))
            result.incurable.push_back(p);
    }
    result.summary = QStringLiteral("No fill without problems was found in %1; the puzzle is "
                                    "unchanged. The last try still had:\n%2")
                         .arg(triesText(maxTries), last.lines().join(QLatin1Char('\n')));
    return result;
}

QString readMessage(const PuzzleModel &model, int letters)
{
    QString out;
    for (int row = 0; row < model.rows() && out.size() < letters; ++row) {
        for (int col = 0; col < model.columns() && out.size() < letters; ++col) {
            const Cell &c = model.cellAt(col, row);
            if (!c.takesMessageLetter())
                continue;
            if (c.kind == Cell::Empty || c.letter == u' ')
                return out;
            out += QChar(c.letter);
        }
    }
    return out;
}

} // namespace quarrin
