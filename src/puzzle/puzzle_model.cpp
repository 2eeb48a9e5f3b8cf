#include "puzzle/puzzle_model.h"

#include <algorithm>

namespace quarrin {

std::optional<Direction> directionFromName(const QString &name)
{
    for (const auto &info : kDirectionTable) {
        if (name == QLatin1String(info.name))
            return info.direction;
    }
    return std::nullopt;
}

DirectionSet DirectionSet::all()
{
    DirectionSet s;
    s.m_bits = 0xffu;
    return s;
}

void DirectionSet::set(Direction d, bool on)
{
    if (on)
        m_bits |= bit(d);
    else
        m_bits &= ~bit(d);
}

QString Cell::text() const
{
    switch (kind) {
    case Empty:
        return QString();
    case Single:
        return QString(QChar(letter));
    case Filled:
        return QChar(letter) + kFillerMark;
    case FilledWide:
        return QChar(letter) + QStringLiteral("      .");
    }
    return QString();
}

Cell Cell::fromText(const QString &text)
{
    if (text.isEmpty())
        return {};
    if (text.size() == 1)
        return {text.at(0).unicode(), Single};
    static const QString wide = QStringLiteral("      .");
    const bool isWide = text.size() == 8 && QStringView(text).mid(1) == wide;
    return {text.at(0).unicode(), isWide ? FilledWide : Filled};
}

bool isFreeFor(const QString &cell, QChar letter)
{
    return Cell::fromText(cell).freeFor(letter);
}

bool takesRandomLetter(const QString &cell)
{
    return Cell::fromText(cell).takesRandomLetter();
}

bool takesMessageLetter(const QString &cell)
{
    return Cell::fromText(cell).takesMessageLetter();
}

bool isWordLetter(const QString &cell)
{
    return cell.size() == 1;
}

std::optional<int> parseInteger(const QString &text)
{
    int i = 0;
    const int len = int(text.size());
    while (i < len && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < len && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i == len)
        return std::nullopt;
    qint64 value = 0;
    for (; i < len; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > qint64(2147483648LL))
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL || value < -2147483648LL)
        return std::nullopt;
    return int(value);
}

QString invalidIntegerMessage(const QString &text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

PuzzleModel::PuzzleModel(GridSize size, RandomGenerator *random)
    : m_spec(&sizeSpec(size)), m_random(random),
      m_cells(std::size_t(m_spec->storeCells()))
{
    m_log.reserve(m_spec->maxWords);
    m_positions.reserve(m_spec->maxWords);
    m_directions.reserve(m_spec->maxWords);
    m_parsed.reserve(std::size_t(m_spec->maxWords));
    Q_ASSERT(m_spec->columns <= kMaxBlockedSide && m_spec->rows <= kMaxBlockedSide);
}

QString PuzzleModel::cell(int col, int row) const
{
    return cellAt(col, row).text();
}

void PuzzleModel::put(int col, int row, Cell c)
{
    Cell &target = at(col, row);
    if (target != c) {
        target = c;
        touch();
    }
}

void PuzzleModel::setCell(int col, int row, const QString &text)
{
    if (!inStore(col, row))
        return;
    const Cell c = Cell::fromText(text);
    if (at(col, row) != c) {
        at(col, row) = c;
        gridTouched();
    }
}

void PuzzleModel::setColumnLetters(QStringView letters, int columns)
{
    const std::size_t count =
        std::min({std::size_t(letters.size()), m_cells.size(),
                  std::size_t(std::max(columns, 0)) * std::size_t(m_spec->storeRows)});
    bool changed = false;
    std::transform(letters.begin(), letters.begin() + count, m_cells.begin(), m_cells.begin(),
                   [&changed](QChar letter, Cell old) {
                       const Cell c{letter.unicode(), Cell::Single};
                       changed |= c != old;
                       return c;
                   });
    if (changed)
        gridTouched();
}

QStringList PuzzleModel::textToLines(const QString &text)
{
    // A multi-line field breaks lines at CR LF, CR or LF; a final line end
    // does not start another line.
    QStringList lines;
    int start = 0;
    const int size = int(text.size());
    for (int i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines << text.mid(start, i - start);
            if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < size)
        lines << text.mid(start);
    return lines;
}

QString PuzzleModel::linesToText(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

void PuzzleModel::setListTexts(const QString &log, const QString &positions,
                               const QString &directions)
{
    settleDeleteList();
    settleLines();
    m_log = textToLines(log);
    m_clues.clear();
    m_positions = textToLines(positions);
    m_directions = textToLines(directions);
    listsChanged();
}

namespace {

// The direction names as shared strings, so appending one allocates nothing.
const std::array<QString, 8> &directionNames()
{
    static const std::array<QString, 8> names = [] {
        std::array<QString, 8> n;
        for (std::size_t i = 0; i < 8; ++i)
            n[i] = QString::fromLatin1(directionTable()[i].name);
        return n;
    }();
    return names;
}

} // namespace

const QString &directionName(Direction d)
{
    return directionNames()[std::size_t(d)];
}

namespace {

// Writes a number in decimal at the end of `out`; returns the new end.
QChar *appendNumber(QChar *out, int value)
{
    char16_t digits[12];
    int n = 0;
    unsigned v = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        digits[n++] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v);
    if (value < 0)
        *out++ = QLatin1Char('-');
    while (n)
        *out++ = QChar(digits[--n]);
    return out;
}

QString positionLine(int x, int y)
{
    QChar buffer[32];
    QChar *end = appendNumber(buffer, x);
    *end++ = QLatin1Char(',');
    *end++ = QLatin1Char(' ');
    end = appendNumber(end, y);
    return QString(buffer, int(end - buffer));
}

} // namespace

void PuzzleModel::addToLists(int col, const QString &directionName, const QString &word, int row)
{
    if (const auto dir = directionFromName(directionName)) {
        appendWord(col, *dir, word, row);
        return;
    }
    settleLines();
    m_log << word;
    m_positions << positionLine(col + 1, row + 1);
    m_directions << directionName;
    m_parsedValid = false;
    touchLists();
}

void PuzzleModel::appendWord(int col, Direction d, const QString &word, int row)
{
    // While every word has its parsed form and its two lines, the new word's
    // lines can wait until someone reads them: they follow from its parsed form.
    const qsizetype words = m_log.size();
    const bool inStep = m_parsedValid && m_parsed.size() == std::size_t(words) &&
                        m_positions.size() + m_linesPending == words &&
                        m_directions.size() + m_linesPending == words;
    m_log << word;
    if (inStep) {
        m_parsed.push_back({col, row, int(d)});
        ++m_linesPending;
        touchLists();
        return;
    }
    settleLines();
    m_positions << positionLine(col + 1, row + 1);
    m_directions << directionNames()[std::size_t(d)];
    // Keep the parsed form in step, when every earlier line has its own.
    if (m_parsedValid && m_parsed.size() + 1 == std::size_t(m_log.size()) &&
        m_positions.size() == m_log.size())
        m_parsed.push_back({col, row, int(d)});
    else
        m_parsedValid = false;
    touchLists();
}

void PuzzleModel::writePendingLines() const
{
    Q_ASSERT(m_parsedValid && m_parsed.size() == std::size_t(m_log.size()));
    for (qsizetype k = m_log.size() - m_linesPending; k < m_log.size(); ++k) {
        const ListedWord &w = m_parsed[std::size_t(k)];
        m_positions << positionLine(w.col + 1, w.row + 1);
        m_directions << directionNames()[std::size_t(w.direction)];
    }
    m_linesPending = 0;
}

const QStringList &PuzzleModel::deleteList() const
{
    settleDeleteList();
    return m_deleteList;
}

void PuzzleModel::settleDeleteList() const
{
    if (m_deleteListPrefix < 0)
        return;
    m_deleteList = m_deleteListPrefix == m_log.size() ? m_log : m_log.mid(0, m_deleteListPrefix);
    m_deleteListPrefix = -1;
}

CellPos PuzzleModel::readPosition(int index, CellPos previous) const
{
    const QString line = index < m_positions.size() ? m_positions.at(index) : QString();
    const int comma = int(line.indexOf(QLatin1Char(',')));
    if (comma < 0)
        return previous;
    const QString xText = line.left(comma);
    const QString yText = line.mid(comma + 1);
    const auto x = parseInteger(xText);
    if (!x)
        throw PuzzleError{invalidIntegerMessage(xText)};
    const auto y = parseInteger(yText);
    if (!y)
        throw PuzzleError{invalidIntegerMessage(yText)};
    // Damaged lists can hold any number; keep the arithmetic in range.
    const auto clampToInt = [](qint64 v) { return int(std::clamp<qint64>(v, -1000000, 1000000)); };
    return {clampToInt(qint64(*x) - 1), clampToInt(qint64(*y) - 1)};
}

const std::vector<PuzzleModel::ListedWord> &PuzzleModel::listedWords() const
{
    if (m_parsedValid)
        return m_parsed;
    Q_ASSERT(m_linesPending == 0);
    std::vector<ListedWord> parsed;
    parsed.reserve(std::size_t(std::max<qsizetype>(m_log.size(), m_spec->maxWords)));
    CellPos pos;
    for (int k = 0; k < m_log.size(); ++k) {
        pos = readPosition(k, pos);
        const auto dir =
            directionFromName(k < m_directions.size() ? m_directions.at(k) : QString());
        parsed.push_back({pos.col, pos.row, dir ? int(*dir) : -1});
    }
    m_parsed = std::move(parsed);
    m_parsedValid = true;
    return m_parsed;
}

bool PuzzleModel::walkInStore(const ListedWord &w, int length) const
{
    const DirectionInfo &info = directionTable()[std::size_t(w.direction)];
    return inStore(w.col, w.row) &&
           inStore(w.col + (length - 1) * info.columnStep, w.row + (length - 1) * info.rowStep);
}

template <typename Visit> void PuzzleModel::forEachListedWord(Visit visit, int from) const
{
    const std::vector<ListedWord> &words = listedWords();
    for (int k = from; k < int(words.size()); ++k) {
        const ListedWord &w = words[std::size_t(k)];
        const QString &word = m_log.at(k);
        const int len = int(word.size());
        // A word with no known direction, or whose walk would leave the cell
        // store (only a damaged file can hold one), stays in the lists but is
        // not drawn.
        if (w.direction < 0 || len == 0 || !walkInStore(w, len))
            continue;
        const DirectionInfo &info = directionTable()[std::size_t(w.direction)];
        for (int p = 0; p < len; ++p)
            visit(w.col + p * info.columnStep, w.row + p * info.rowStep, word.at(p));
    }
}

void PuzzleModel::refreshGrid()
{
    if (m_log.isEmpty())
        return;
    // Words already drawn and untouched since keep their letters; the rest
    // are written in list order, so a later word wins a shared cell.
    listedWords(); // a bad position line stops here, before anything changes
    // Cells are written directly: the refresh counts as a change as a whole.
    const bool blockedInStep = m_blockedRevision == m_revision;
    forEachListedWord(
        [this, blockedInStep](int col, int row, QChar letter) {
            const Cell c{letter.unicode(), Cell::Single};
            at(col, row) = c;
            if (blockedInStep)
                noteBlocked(col, row, blocks(c));
        },
        m_drawn);
    m_drawn = int(m_log.size());
    m_deleteListPrefix = int(m_log.size());
    touch();
    if (blockedInStep)
        m_blockedRevision = m_revision;
}

void PuzzleModel::rebuildBlocked()
{
    m_blocked.fill(0);
    for (int col = 0; col < columns(); ++col)
        for (int row = 0; row < rows(); ++row)
            if (blocks(at(col, row)))
                noteBlocked(col, row, true);
    m_blockedRevision = m_revision;
}

void PuzzleModel::blankWords()
{
    if (m_log.isEmpty())
        return;
    listedWords();
    forEachListedWord([this](int col, int row, QChar) { put(col, row, Cell{}); });
    gridTouched();
}

void PuzzleModel::clearVisible()
{
    for (int col = 0; col < columns(); ++col) {
        const auto top = m_cells.begin() + std::ptrdiff_t(col) * m_spec->storeRows;
        std::fill(top, top + rows(), Cell{});
    }
    gridTouched();
}

bool PuzzleModel::samePuzzle(const PuzzleModel &other) const
{
    return m_spec == other.m_spec && m_cells == other.m_cells && m_log == other.m_log &&
           positions() == other.positions() && directionMemo() == other.directionMemo() &&
           clues() == other.clues();
}

void PuzzleModel::restore(const PuzzleModel &saved)
{
    Q_ASSERT(saved.m_spec == m_spec);
    RandomGenerator *random = m_random;
    const PlacementRule rule = m_placementRule;
    const quint64 revision = std::max(m_revision, saved.m_revision) + 1;
    const bool blockedInStep = saved.m_blockedRevision == saved.m_revision;
    *this = saved;
    m_random = random;
    m_placementRule = rule;
    m_revision = revision;
    // The blocked lines came along with the cells; they are in step only if
    // they were in the copy.
    m_blockedRevision = blockedInStep ? revision : revision - 1;
}

CommandOutcome PuzzleModel::runAtomically(const std::function<void(CommandOutcome &)> &change)
{
    CommandOutcome out;
    settleDeleteList();
    settleLines();
    const std::vector<Cell> cells = m_cells;
    const QStringList log = m_log, positions = m_positions, directions = m_directions,
                      deleteList = m_deleteList, clues = m_clues;
    try {
        change(out);
    } catch (const PuzzleError &e) {
        m_cells = cells;
        m_log = log;
        m_clues = clues;
        m_positions = positions;
        m_directions = directions;
        m_linesPending = 0;
        m_deleteList = deleteList;
        m_deleteListPrefix = -1;
        listsChanged();
        out = CommandOutcome{};
        out.ok = false;
        out.messages << e.message;
    }
    return out;
}

CommandOutcome PuzzleModel::clear()
{
    return runCommand([this](CommandOutcome &out) {
        refreshGrid();
        m_deleteList.clear();
        m_deleteListPrefix = -1;
        std::fill(m_cells.begin(), m_cells.end(), Cell{});
        m_log.clear();
        m_clues.clear();
        m_positions.clear();
        m_directions.clear();
        m_linesPending = 0;
        m_log.reserve(m_spec->maxWords);
        m_positions.reserve(m_spec->maxWords);
        m_directions.reserve(m_spec->maxWords);
        listsChanged();
        m_blocked.fill(0);
        m_blockedRevision = m_revision;
        out.clearDeleteText = true;
    });
}

CommandOutcome PuzzleModel::deleteWord(int index)
{
    return runCommand([this, index](CommandOutcome &out) {
        if (index < 0 || index >= m_log.size())
            return;
        settleDeleteList();
        settleLines();
        m_log.removeAt(index);
        if (index < m_clues.size())
            m_clues.removeAt(index);
        if (index < m_directions.size())
            m_directions.removeAt(index);
        if (index < m_positions.size())
            m_positions.removeAt(index);
        listsChanged();
        clearVisible();
        refreshGrid();
        settleDeleteList();
        if (m_deleteList.size() == 1)
            m_deleteList.clear();
        out.clearDeleteText = true;
        touch();
    });
}

CommandOutcome PuzzleModel::refreshDeleteList()
{
    return runCommand([this](CommandOutcome &) { refreshGrid(); });
}

void PuzzleModel::restoreCellKinds()
{
    blankWords();
    std::for_each(m_cells.begin(), m_cells.end(), [](Cell &c) {
        if (c.kind != Cell::Empty && c.kind != Cell::FilledWide)
            c.kind = Cell::Filled;
    });
    gridTouched();
    refreshGrid();
}

void PuzzleModel::recoverDirections(bool lastLineCut)
{
    settleLines();
    const int count = int(m_log.size());
    const int stored = int(m_directions.size());
    bool changed = false;
    CellPos pos;
    for (int k = 0; k < count; ++k) {
        pos = readPosition(k, pos);
        const bool missing = k >= stored;
        const bool cut = lastLineCut && k == stored - 1;
        if (!missing && !cut)
            continue; // complete lines stay as they were saved
        // Only names that begin with what the cut left can have been cut to
        // it; a missing line may have been any of them.
        const QString prefix = cut ? m_directions.at(k) : QString();
        static const Direction order[] = {
            Direction::Up,        Direction::Down,    Direction::Left,     Direction::Right,
            Direction::DownRight, Direction::UpRight, Direction::DownLeft, Direction::UpLeft};
        const QString &word = m_log.at(k);
        QString found;
        for (Direction d : order) {
            const QString &name = directionNames()[std::size_t(d)];
            if (!name.startsWith(prefix) || word.isEmpty() || !inGrid(pos.col, pos.row) ||
                !fits(d, pos.col, pos.row, int(word.size())))
                continue;
            const DirectionInfo &info = directionInfo(d);
            bool spells = true;
            for (int p = 0; p < word.size() && spells; ++p) {
                const Cell &c = cellAt(pos.col + p * info.columnStep, pos.row + p * info.rowStep);
                spells = c.kind != Cell::Empty && c.letter == word.at(p).unicode();
            }
            if (spells) {
                found = name;
                break;
            }
        }
        if (missing) {
            while (m_directions.size() < k)
                m_directions << QString();
            m_directions << found;
            changed = true;
        } else if (!found.isEmpty()) {
            m_directions[k] = found;
            changed = true;
        }
    }
    if (changed)
        listsChanged();
}

QString PuzzleModel::clue(int index) const
{
    return m_clues.value(index);
}

QStringList PuzzleModel::clues() const
{
    QStringList out = m_clues.mid(0, m_log.size());
    while (out.size() < m_log.size())
        out << QString();
    return out;
}

void PuzzleModel::setClue(int index, const QString &text)
{
    if (index < 0 || index >= m_log.size())
        return;
    while (m_clues.size() <= index)
        m_clues << QString();
    m_clues[index] = text;
    touch();
}

void PuzzleModel::setClues(const QStringList &clues)
{
    m_clues = clues.mid(0, m_log.size());
    touch();
}

void PuzzleModel::padDirections()
{
    if (m_directions.size() >= m_log.size())
        return;
    while (m_directions.size() < m_log.size())
        m_directions << QString();
    listsChanged();
}

void PuzzleModel::trimPositionLines()
{
    settleLines();
    for (QString &line : m_positions) {
        int b = 0, e = int(line.size());
        while (b < e && line.at(b).unicode() <= ' ')
            ++b;
        while (e > b && line.at(e - 1).unicode() <= ' ')
            --e;
        if (b > 0 || e < line.size())
            line = line.mid(b, e - b);
    }
    listsChanged();
}

std::vector<std::optional<WordPath>> PuzzleModel::wordPaths() const
{
    std::vector<std::optional<WordPath>> paths(std::size_t(m_log.size()));
    try {
        const std::vector<ListedWord> &words = listedWords();
        for (std::size_t k = 0; k < words.size(); ++k) {
            const ListedWord &w = words[k];
            const int len = int(m_log.at(int(k)).size());
            // the same test refreshGrid makes before it writes a word
            if (w.direction < 0 || len == 0 || !walkInStore(w, len))
                continue;
            paths[k] = WordPath{w.col, w.row, Direction(w.direction), len};
        }
    } catch (const PuzzleError &) {
        // a position line that is not "X, Y": refreshGrid draws nothing either
    }
    return paths;
}

QString PuzzleModel::sweepLetters()
{
    const auto isEmpty = [](const Cell &c) { return c.kind == Cell::Empty; };
    const auto firstEmpty = std::find_if(m_cells.begin(), m_cells.end(), isEmpty);
    if (firstEmpty != m_cells.end()) {
        std::replace_if(firstEmpty, m_cells.end(), isEmpty, Cell{u' ', Cell::Single});
        touch();
    }
    // The store is column-major, as the sweep goes.
    QString letters(qsizetype(m_cells.size()), Qt::Uninitialized);
    std::transform(m_cells.cbegin(), m_cells.cend(), letters.data(),
                   [](const Cell &c) { return QChar(c.letter); });
    return letters;
}

} // namespace quarrin
