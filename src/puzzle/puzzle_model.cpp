#include "puzzle/puzzle_model.h"

#include <algorithm>

namespace quarrin {

namespace {

const std::array<DirectionInfo, 8> kDirections{{
    {Direction::Up, "Up", 0, -1, 0},
    {Direction::Down, "Down", 0, 1, 1},
    {Direction::Left, "Left", -1, 0, 2},
    {Direction::Right, "Right", 1, 0, 3},
    {Direction::UpRight, "Up-Right", 1, -1, 5},
    {Direction::UpLeft, "Up-Left", -1, -1, 7},
    {Direction::DownRight, "Down-Right", 1, 1, 4},
    {Direction::DownLeft, "Down-Left", -1, 1, 6},
}};

const QString kEmpty;

} // namespace

const std::array<DirectionInfo, 8> &directionTable()
{
    return kDirections;
}

const DirectionInfo &directionInfo(Direction d)
{
    return kDirections[std::size_t(d)];
}

std::optional<Direction> directionFromName(const QString &name)
{
    for (const auto &info : kDirections) {
        if (name == QLatin1String(info.name))
            return info.direction;
    }
    return std::nullopt;
}

std::optional<Direction> directionFromRandomCode(int code)
{
    for (const auto &info : kDirections) {
        if (info.randomCode == code)
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

bool isFreeFor(const QString &cell, QChar letter)
{
    return cell.isEmpty() || cell.at(0) == QLatin1Char(' ') || cell.at(0) == letter;
}

bool takesRandomLetter(const QString &cell)
{
    return cell.isEmpty() || cell == QLatin1String(" ");
}

bool takesMessageLetter(const QString &cell)
{
    return cell.isEmpty() || cell == QLatin1String(" ") || cell.size() > 1;
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
      m_cells(std::size_t(m_spec->store) * std::size_t(m_spec->store))
{
}

bool PuzzleModel::inStore(int col, int row) const
{
    return col >= 0 && row >= 0 && col < m_spec->store && row < m_spec->store;
}

const QString &PuzzleModel::cell(int col, int row) const
{
    if (!inStore(col, row))
        return kEmpty;
    return m_cells[std::size_t(col) * std::size_t(m_spec->store) + std::size_t(row)];
}

void PuzzleModel::setCell(int col, int row, const QString &text)
{
    if (!inStore(col, row))
        return;
    QString &c = m_cells[std::size_t(col) * std::size_t(m_spec->store) + std::size_t(row)];
    if (c != text) {
        c = text;
        touch();
    }
}

QStringList PuzzleModel::textToLines(const QString &text)
{
    // A multi-line field breaks lines at CR LF, CR or LF; a final line end
    // does not start another line.
    QStringList lines;
    QString current;
    bool pending = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines << current;
            current.clear();
            pending = false;
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        lines << current;
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
    m_log = textToLines(log);
    m_positions = textToLines(positions);
    m_directions = textToLines(directions);
    touch();
}

void PuzzleModel::AddToMemo(int col, const QString &directionName, const QString &word, int row)
{
    m_log << word;
    m_positions << QStringLiteral("%1, %2").arg(col + 1).arg(row + 1);
    m_directions << directionName;
    touch();
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

template <typename Visit>
void PuzzleModel::forEachListedWord(Visit visit) const
{
    CellPos pos;
    for (int k = 0; k < m_log.size(); ++k) {
        pos = readPosition(k, pos);
        const QString dirName = k < m_directions.size() ? m_directions.at(k) : QString();
        const auto dir = directionFromName(dirName);
        if (!dir)
            continue;
        const DirectionInfo &info = directionInfo(*dir);
        const QString &word = m_log.at(k);
        const int len = int(word.size());
        if (len == 0)
            continue;
        // A word whose walk would leave the cell store (only a damaged file
        // can hold one) stays in the lists but is not drawn.
        const int lastCol = pos.col + (len - 1) * info.columnStep;
        const int lastRow = pos.row + (len - 1) * info.rowStep;
        if (!inStore(pos.col, pos.row) || !inStore(lastCol, lastRow))
            continue;
        for (int p = 0; p < len; ++p)
            visit(pos.col + p * info.columnStep, pos.row + p * info.rowStep, word.at(p));
    }
}

void PuzzleModel::RefreshGrid()
{
    if (m_log.isEmpty())
        return;
    // Read every position first so that a bad line changes nothing.
    std::vector<std::tuple<int, int, QChar>> writes;
    forEachListedWord([&](int col, int row, QChar letter) { writes.emplace_back(col, row, letter); });
    for (const auto &[col, row, letter] : writes)
        setCell(col, row, QString(letter));
    m_deleteList = m_log;
    touch();
}

void PuzzleModel::WordsToBlank()
{
    if (m_log.isEmpty())
        return;
    std::vector<std::pair<int, int>> cells;
    forEachListedWord([&](int col, int row, QChar) { cells.emplace_back(col, row); });
    for (const auto &[col, row] : cells)
        setCell(col, row, QString());
}

void PuzzleModel::clearVisible()
{
    for (int col = 0; col < n(); ++col)
        for (int row = 0; row < n(); ++row)
            setCell(col, row, QString());
}

bool PuzzleModel::fits(Direction d, int col, int row, int length) const
{
    const DirectionInfo &info = directionInfo(d);
    const int last = length - 1;
    const int N = n();
    if (info.rowStep < 0 && row < last)
        return false;
    if (info.rowStep > 0 && row + last > N - 1)
        return false;
    if (info.columnStep < 0 && col < last)
        return false;
    if (info.columnStep > 0 && col + last > N - 1)
        return false;
    return true;
}

bool PuzzleModel::check(Direction d, int col, const QString &word, int row) const
{
    const DirectionInfo &info = directionInfo(d);
    bool free = true;
    for (int p = 0; p < word.size(); ++p) {
        if (!isFreeFor(cell(col + p * info.columnStep, row + p * info.rowStep), word.at(p)))
            free = false;
    }
    return free;
}

bool PuzzleModel::CheckUp(int col, const QString &word, int row) const
{
    return check(Direction::Up, col, word, row);
}
bool PuzzleModel::CheckDown(int col, const QString &word, int row) const
{
    return check(Direction::Down, col, word, row);
}
bool PuzzleModel::CheckLeft(int col, const QString &word, int row) const
{
    return check(Direction::Left, col, word, row);
}
bool PuzzleModel::CheckRight(int col, const QString &word, int row) const
{
    return check(Direction::Right, col, word, row);
}
bool PuzzleModel::CheckUpRight(int col, const QString &word, int row) const
{
    return check(Direction::UpRight, col, word, row);
}
bool PuzzleModel::CheckUpLeft(int col, const QString &word, int row) const
{
    return check(Direction::UpLeft, col, word, row);
}
bool PuzzleModel::CheckDownRight(int col, const QString &word, int row) const
{
    return check(Direction::DownRight, col, word, row);
}
bool PuzzleModel::CheckDownLeft(int col, const QString &word, int row) const
{
    return check(Direction::DownLeft, col, word, row);
}

CommandOutcome PuzzleModel::runAtomically(const std::function<void(CommandOutcome &)> &change)
{
    const std::vector<QString> cells = m_cells;
    const QStringList log = m_log, positions = m_positions, directions = m_directions,
                      deleteList = m_deleteList;
    CommandOutcome out;
    try {
        change(out);
    } catch (const PuzzleError &e) {
        m_cells = cells;
        m_log = log;
        m_positions = positions;
        m_directions = directions;
        m_deleteList = deleteList;
        touch();
        out = CommandOutcome{};
        out.ok = false;
        out.messages << e.message;
    }
    return out;
}

CommandOutcome PuzzleModel::Clear()
{
    return runAtomically([this](CommandOutcome &out) {
        RefreshGrid();
        m_deleteList.clear();
        for (auto &c : m_cells)
            c.clear();
        m_log.clear();
        m_positions.clear();
        m_directions.clear();
        out.clearDeleteText = true;
        touch();
    });
}

CommandOutcome PuzzleModel::DeleteWord(int index)
{
    return runAtomically([this, index](CommandOutcome &out) {
        if (index < 0 || index >= m_log.size())
            return;
        m_log.removeAt(index);
        if (index < m_directions.size())
            m_directions.removeAt(index);
        if (index < m_positions.size())
            m_positions.removeAt(index);
        clearVisible();
        RefreshGrid();
        if (m_deleteList.size() == 1)
            m_deleteList.clear();
        out.clearDeleteText = true;
        touch();
    });
}

CommandOutcome PuzzleModel::RefreshDeleteList()
{
    return runAtomically([this](CommandOutcome &) { RefreshGrid(); });
}

void PuzzleModel::KindRestore()
{
    WordsToBlank();
    for (auto &c : m_cells) {
        if (!c.isEmpty())
            c += kFillerMark;
    }
    touch();
    RefreshGrid();
}

void PuzzleModel::trimPositionLines()
{
    for (QString &line : m_positions) {
        int b = 0, e = int(line.size());
        while (b < e && line.at(b).unicode() <= ' ')
            ++b;
        while (e > b && line.at(e - 1).unicode() <= ' ')
            --e;
        line = line.mid(b, e - b);
    }
    touch();
}

QString PuzzleModel::sweepLetters()
{
    QString letters;
    letters.reserve(m_spec->store * m_spec->store);
    for (int col = 0; col < m_spec->store; ++col) {
        for (int row = 0; row < m_spec->store; ++row) {
            if (cell(col, row).isEmpty())
                setCell(col, row, QStringLiteral(" "));
            letters += cell(col, row).at(0);
        }
    }
    return letters;
}

} // namespace quarrin
