#include "files/puzzle_document.h"

#include "puzzle/code_page.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPoint>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace quarrin {

namespace {

const QString kVersion = QStringLiteral("http://ipuz.org/v2");
const QString kKind = QStringLiteral("http://ipuz.org/wordsearch#1");
const QString kKindPrefix = QStringLiteral("http://ipuz.org/wordsearch");
const QString kWideMark = QStringLiteral("      .");
constexpr int kFormat = 1; // of our extension

// The ipuz fields of a word search and of every puzzle, which a reader may
// meet without a notice.
const QStringList &knownFields()
{
    static const QStringList fields{
        // every kind
        QStringLiteral("version"), QStringLiteral("kind"), QStringLiteral("copyright"),
        QStringLiteral("publisher"), QStringLiteral("publication"), QStringLiteral("url"),
        QStringLiteral("uniqueid"), QStringLiteral("title"), QStringLiteral("intro"),
        QStringLiteral("explanation"), QStringLiteral("annotation"), QStringLiteral("author"),
        QStringLiteral("editor"), QStringLiteral("date"), QStringLiteral("notes"),
        QStringLiteral("difficulty"), QStringLiteral("origin"), QStringLiteral("block"),
        QStringLiteral("empty"), QStringLiteral("styles"), QStringLiteral("checksum"),
        QStringLiteral("volatile"),
        // the word-search kind
        QStringLiteral("dimensions"), QStringLiteral("puzzle"), QStringLiteral("solution"),
        QStringLiteral("dictionary"), QStringLiteral("saved"), QStringLiteral("showanswers"),
        QStringLiteral("time"), QStringLiteral("points"), QStringLiteral("zigzag"),
        QStringLiteral("retrace"), QStringLiteral("useall"), QStringLiteral("misses")};
    return fields;
}

const QStringList &extensionFields()
{
    static const QStringList fields{
        QStringLiteral("format"),  QStringLiteral("words"),    QStringLiteral("cells"),
        QStringLiteral("message"), QStringLiteral("margin"),   QStringLiteral("reserved"),
        QStringLiteral("page"),    QStringLiteral("language"), QStringLiteral("keepAccents"),
        QStringLiteral("sharpS"),  QStringLiteral("fill")};
    return fields;
}

const QStringList &pageFields()
{
    static const QStringList fields{QStringLiteral("titleTop"),       QStringLiteral("titleFont"),
                                    QStringLiteral("gridFont"),       QStringLiteral("wordFont"),
                                    QStringLiteral("gridColour"),     QStringLiteral("pageColour"),
                                    QStringLiteral("answerKey"),      QStringLiteral("fitToPage"),
                                    QStringLiteral("whiteBackground")};
    return fields;
}

QString displayName(const QString &fileName)
{
    return fileName.isEmpty() ? QStringLiteral("The document")
                              : QStringLiteral("\"%1\"").arg(QFileInfo(fileName).fileName());
}

// ipuz titles are HTML: the three characters that must be escaped, and back.
QString escapeHtml(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    out.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    out.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return out;
}

QString unescapeHtml(const QString &text)
{
    QString out = text;
    out.replace(QLatin1String("&lt;"), QLatin1String("<"));
    out.replace(QLatin1String("&gt;"), QLatin1String(">"));
    out.replace(QLatin1String("&quot;"), QLatin1String("\""));
    out.replace(QLatin1String("&#39;"), QLatin1String("'"));
    out.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return out;
}

// --- Writing ---------------------------------------------------------------

// JSON text with objects spread over lines and arrays of plain values on one
// line each, so a grid reads as rows. Strings are written by Qt's own JSON.
void writeValue(QByteArray &out, const QJsonValue &value, int indent);

// A JSON string: quotes, backslashes and control characters escaped, the
// rest as UTF-8.
QByteArray stringText(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

QByteArray scalarText(const QJsonValue &value)
{
    if (value.isString())
        return stringText(value.toString());
    if (value.isBool())
        return value.toBool() ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
    if (value.isNull())
        return QByteArrayLiteral("null");
    if (value.isDouble() && value.toDouble() == double(value.toInteger()))
        return QByteArray::number(value.toInteger());
    QByteArray one = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return one.mid(1, one.size() - 2); // without the brackets
}

bool isFlat(const QJsonArray &array)
{
    return std::all_of(array.begin(), array.end(),
                       [](const QJsonValue &v) { return !v.isArray() && !v.isObject(); });
}

void writeValue(QByteArray &out, const QJsonValue &value, int indent)
{
    const QByteArray pad(indent + 2, ' ');
    const QByteArray closePad(indent, ' ');
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        if (object.isEmpty()) {
            out += "{}";
            return;
        }
        out += "{\n";
        bool first = true;
        // Keys in a fixed order: ipuz's own first, ours last.
        QStringList keys = object.keys();
        std::stable_sort(keys.begin(), keys.end(), [](const QString &a, const QString &b) {
            const int ia = int(knownFields().indexOf(a)), ib = int(knownFields().indexOf(b));
            return (ia < 0 ? 1000 : ia) < (ib < 0 ? 1000 : ib);
        });
        for (const QString &key : keys) {
            if (!first)
                out += ",\n";
            first = false;
            out += pad + scalarText(key) + ": ";
            writeValue(out, object.value(key), indent + 2);
        }
        out += "\n" + closePad + "}";
        return;
    }
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        if (isFlat(array)) {
            out += "[";
            for (int i = 0; i < array.size(); ++i) {
                if (i)
                    out += ", ";
                out += scalarText(array.at(i));
            }
            out += "]";
            return;
        }
        out += "[\n";
        for (int i = 0; i < array.size(); ++i) {
            if (i)
                out += ",\n";
            out += pad;
            writeValue(out, array.at(i), indent + 2);
        }
        out += "\n" + closePad + "]";
        return;
    }
    out += scalarText(value);
}

QJsonObject pageObject(const PageSettings &page)
{
    QJsonObject o;
    o.insert(QStringLiteral("titleTop"), page.titleTop);
    const auto text = [&o](const char *key, const QString &value) {
        if (!value.isEmpty())
            o.insert(QLatin1String(key), value);
    };
    text("titleFont", page.titleFont);
    text("gridFont", page.gridFont);
    text("wordFont", page.wordFont);
    text("gridColour", page.gridColour);
    text("pageColour", page.pageColour);
    o.insert(QStringLiteral("answerKey"), page.answerKey);
    o.insert(QStringLiteral("fitToPage"), page.fitToPage);
    o.insert(QStringLiteral("whiteBackground"), page.whiteBackground);
    return o;
}

// --- Reading ---------------------------------------------------------------

struct Reader
{
    QString name; // "The document" or the file's name in quotes
    QStringList passedOver;

    FileResult fail(const QString &what) const
    {
        return FileResult::failure(QStringLiteral("%1 could not be loaded: %2").arg(name, what));
    }
};

QString cellName(int col, int row)
{
    return QStringLiteral("column %1, row %2").arg(col + 1).arg(row + 1);
}

// One cell's letter: a single letter (upper-cased), 0 for a blank cell, or
// an error naming what the cell holds.
struct CellValue
{
    char16_t letter = 0;
    QString error;
};

CellValue readCell(const QJsonValue &raw, const QJsonValue &empty)
{
    QJsonValue value = raw;
    if (value.isObject())
        value = value.toObject().value(QStringLiteral("value"));
    if (value.isNull() || value.isUndefined())
        return {};
    if (value.isDouble()) {
        if (empty.isDouble() ? value.toDouble() == empty.toDouble()
                             : QString::number(value.toDouble()) == empty.toString())
            return {};
        return {0, QStringLiteral("holds %1, which is not a letter").arg(value.toDouble())};
    }
    if (!value.isString())
        return {0, QStringLiteral("holds no letter")};
    const QString text = value.toString().normalized(QString::NormalizationForm_C);
    const QString emptyText =
        empty.isString() ? empty.toString() : QString::number(empty.toDouble());
    if (text.isEmpty() || text == QLatin1String(" ") || text == emptyText)
        return {};
    const QList<uint> points = text.toUcs4();
    if (points.size() > 1)
        return {0, QStringLiteral("holds \"%1\"; a cell holds one letter").arg(text)};
    if (!QChar::isLetter(points.first()))
        return {0, QStringLiteral("holds \"%1\", which is not a letter").arg(text)};
    if (points.first() > 0xFFFF)
        return {0, QStringLiteral("holds \"%1\", a letter this program cannot hold yet").arg(text)};
    return {upperCaseChar(QChar(char16_t(points.first()))).unicode(), QString()};
}

// Reads an integer field; false when it is missing or not a whole number.
bool readInt(const QJsonObject &o, const char *key, int *out)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    // The range first: a double beyond it has no integer to convert to.
    if (!(d >= -1e9 && d <= 1e9) || d != double(qint64(d)))
        return false;
    *out = int(d);
    return true;
}

// The direction from a word's first cell to its second; "Right" for a
// one-letter word, nothing when the cells are not one straight step apart.
std::optional<Direction> stepDirection(int dx, int dy)
{
    for (const DirectionInfo &info : directionTable())
        if (info.columnStep == dx && info.rowStep == dy)
            return info.direction;
    return std::nullopt;
}

QString positionLine(int x, int y)
{
    return QStringLiteral("%1, %2").arg(x).arg(y);
}

// The words of a document from another program: ipuz's solution, each word
// with the cells it lies on.
FileResult readSolution(const QJsonValue &solution, PuzzleDocument &doc, const Reader &reader)
{
    if (solution.isUndefined() || solution.isNull())
        return {};
    // A plain word or list of words says nothing of where they lie.
    if (solution.isString() || solution.isArray()) {
        const QJsonArray array = solution.isString() ? QJsonArray{solution} : solution.toArray();
        for (const QJsonValue &v : array) {
            if (!v.isString())
                return reader.fail(
                    QStringLiteral("its solution lists something that is not a word."));
            doc.words << upperCaseEachChar(v.toString().normalized(QString::NormalizationForm_C));
            doc.positions << QString();
            doc.directions << QString();
        }
        return {};
    }
    if (!solution.isObject())
        return reader.fail(QStringLiteral("its solution is neither words nor words with cells."));
    const QJsonObject words = solution.toObject();
    for (auto it = words.begin(); it != words.end(); ++it) {
        const QString word = upperCaseEachChar(it.key().normalized(QString::NormalizationForm_C));
        const QJsonArray cells = it.value().toObject().value(QStringLiteral("cells")).toArray();
        QString position, direction;
        if (!cells.isEmpty()) {
            QVector<QPoint> points;
            for (const QJsonValue &c : cells) {
                const QJsonArray pair = c.toArray();
                if (pair.size() != 2 || !pair.at(0).isDouble() || !pair.at(1).isDouble())
                    return reader.fail(QStringLiteral("the cells of the word \"%1\" are not "
                                                      "[column, row] pairs.")
                                           .arg(word));
                points << QPoint(pair.at(0).toInt(), pair.at(1).toInt());
            }
            if (points.size() != word.size())
                return reader.fail(QStringLiteral("the word \"%1\" has %2 letters but %3 cells.")
                                       .arg(word)
                                       .arg(word.size())
                                       .arg(points.size()));
            // A one-letter word has no direction of its own: it reads Right.
            const QPoint step = points.size() > 1 ? points[1] - points[0] : QPoint(1, 0);
            const std::optional<Direction> d = stepDirection(step.x(), step.y());
            bool straight = bool(d);
            for (int i = 1; straight && i < points.size(); ++i)
                straight = points[i] - points[i - 1] == step;
            if (!straight)
                return reader.fail(QStringLiteral("the cells of the word \"%1\" do not run in a "
                                                  "straight line.")
                                       .arg(word));
            position = positionLine(points.first().x(), points.first().y());
            direction = directionName(d.value_or(Direction::Right));
        }
        doc.words << word;
        doc.positions << position;
        doc.directions << direction;
    }
    return {};
}

// Finds a word that a document lists without cells: its first place in the
// grid, in reading order and the eight directions.
bool locateWord(PuzzleDocument &doc, int k)
{
    const QString &word = doc.words.at(k);
    if (word.isEmpty())
        return false;
    const int columns = doc.size.columns(), rows = doc.size.rows();
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < columns; ++col) {
            for (const DirectionInfo &info : directionTable()) {
                bool reads = true;
                for (int p = 0; p < word.size() && reads; ++p) {
                    const int c = col + p * info.columnStep, r = row + p * info.rowStep;
                    reads = c >= 0 && r >= 0 && c < columns && r < rows &&
                            doc.letterAt(c, r) == word.at(p).unicode();
                }
                if (reads) {
                    doc.positions[k] = positionLine(col + 1, row + 1);
                    doc.directions[k] = QString::fromLatin1(info.name);
                    return true;
                }
            }
        }
    }
    return false;
}

// The language, letter rules and fill kind; a missing field keeps its
// default, a field this program cannot follow refuses the document.
FileResult readLetters(const QJsonObject &ext, PuzzleDocument &doc, const Reader &reader)
{
    if (ext.contains(QStringLiteral("language"))) {
        const QString code = ext.value(QStringLiteral("language")).toString();
        const Language *language = Language::find(code);
        if (!language)
            return reader.fail(
                QStringLiteral("its language \"%1\" is not one this program knows.").arg(code));
        doc.language = language->code();
    }
    if (ext.contains(QStringLiteral("keepAccents"))) {
        const QJsonValue keep = ext.value(QStringLiteral("keepAccents"));
        if (!keep.isBool())
            return reader.fail(QStringLiteral("its \"keepAccents\" is neither true nor false."));
        doc.rules.keepAccents = keep.toBool();
    }
    if (ext.contains(QStringLiteral("sharpS"))) {
        const QString sharpS = ext.value(QStringLiteral("sharpS")).toString();
        if (sharpS == QLatin1String("capital"))
            doc.rules.sharpS = SharpS::Capital;
        else if (sharpS == QLatin1String("ss"))
            doc.rules.sharpS = SharpS::DoubleS;
        else
            return reader.fail(
                QStringLiteral("its \"sharpS\" is \"%1\", not \"ss\" or \"capital\".").arg(sharpS));
    }
    if (ext.contains(QStringLiteral("fill"))) {
        const QString fill = ext.value(QStringLiteral("fill")).toString();
        const std::optional<FillKind> kind = fillKindFromName(fill);
        if (!kind)
            return reader.fail(
                QStringLiteral("its fill \"%1\" is not \"natural\" or \"uniform\".").arg(fill));
        doc.fill = *kind;
    }
    return {};
}

FileResult readExtension(const QJsonObject &ext, PuzzleDocument &doc, Reader &reader)
{
    for (const QString &key : ext.keys())
        if (!extensionFields().contains(key))
            reader.passedOver << key;
    int format = 0;
    if (readInt(ext, "format", &format) && format > kFormat)
        reader.passedOver << QStringLiteral("format %1").arg(format);

    const FileResult letters = readLetters(ext, doc, reader);
    if (!letters.ok)
        return letters;

    const QJsonArray words = ext.value(QStringLiteral("words")).toArray();
    for (const QJsonValue &v : words) {
        const QJsonObject w = v.toObject();
        const QString word = w.value(QStringLiteral("word")).toString();
        if (word.isEmpty())
            return reader.fail(QStringLiteral("its word list holds an entry without a word."));
        doc.words << upperCaseEachChar(word.normalized(QString::NormalizationForm_C));
        doc.positions << w.value(QStringLiteral("position")).toString();
        doc.directions << w.value(QStringLiteral("direction")).toString();
        doc.clues << w.value(QStringLiteral("clue")).toString();
    }

    const QJsonArray cells = ext.value(QStringLiteral("cells")).toArray();
    const int columns = doc.size.columns(), rows = doc.size.rows();
    if (!cells.isEmpty()) {
        if (cells.size() != rows)
            return reader.fail(QStringLiteral("its cell kinds have %1 rows for a grid of %2.")
                                   .arg(cells.size())
                                   .arg(rows));
        for (int row = 0; row < rows; ++row) {
            const QString line = cells.at(row).toString();
            if (line.size() != columns)
                return reader.fail(QStringLiteral("row %1 of its cell kinds has %2 cells for a "
                                                  "grid of %3 columns.")
                                       .arg(row + 1)
                                       .arg(line.size())
                                       .arg(columns));
            for (int col = 0; col < columns; ++col) {
                const char16_t k = line.at(col).unicode();
                DocumentCell kind = DocumentCell::Filler;
                if (k == u'.' || k == u'W' || k == u'F' || k == u'M')
                    kind = DocumentCell(char(k));
                else
                    return reader.fail(QStringLiteral("the kind of the cell at %1 is \"%2\".")
                                           .arg(cellName(col, row), line.at(col)));
                const std::size_t i = std::size_t(col) * std::size_t(rows + 1) + std::size_t(row);
                // The kinds say what a letter is; the letters say whether there is one.
                if (doc.letters[i] == 0)
                    kind = DocumentCell::Blank;
                else if (kind == DocumentCell::Blank)
                    kind = DocumentCell::Filler;
                doc.kinds[i] = kind;
            }
        }
    }
    doc.message = ext.value(QStringLiteral("message")).toString();

    // The margin: the store's last column (top to bottom), then its last row
    // (left to right, without the corner).
    const QJsonObject margin = ext.value(QStringLiteral("margin")).toObject();
    const QString column = margin.value(QStringLiteral("column")).toString();
    const QString row = margin.value(QStringLiteral("row")).toString();
    const auto putMargin = [&doc](std::size_t i, QChar c) {
        // Blanks and control characters hold no letter; a record's margin
        // may hold any other character.
        const bool blank = c.unicode() <= u' ';
        doc.letters[i] = blank ? 0 : c.unicode();
        doc.kinds[i] = blank ? DocumentCell::Blank : DocumentCell::Filler;
    };
    for (int r = 0; r < column.size() && r <= rows; ++r)
        putMargin(std::size_t(columns) * std::size_t(rows + 1) + std::size_t(r), column.at(r));
    for (int c = 0; c < row.size() && c < columns; ++c)
        putMargin(std::size_t(c) * std::size_t(rows + 1) + std::size_t(rows), row.at(c));

    const QString reserved = ext.value(QStringLiteral("reserved")).toString();
    if (!reserved.isEmpty())
        doc.reserved = QByteArray::fromBase64(reserved.toLatin1());

    if (ext.contains(QStringLiteral("page"))) {
        const QJsonObject page = ext.value(QStringLiteral("page")).toObject();
        for (const QString &key : page.keys())
            if (!pageFields().contains(key))
                reader.passedOver << QStringLiteral("page.%1").arg(key);
        doc.hasPage = true;
        readInt(page, "titleTop", &doc.page.titleTop);
        doc.page.titleFont = page.value(QStringLiteral("titleFont")).toString();
        doc.page.gridFont = page.value(QStringLiteral("gridFont")).toString();
        doc.page.wordFont = page.value(QStringLiteral("wordFont")).toString();
        doc.page.gridColour = page.value(QStringLiteral("gridColour")).toString();
        doc.page.pageColour = page.value(QStringLiteral("pageColour")).toString();
        doc.page.answerKey = page.value(QStringLiteral("answerKey")).toBool();
        doc.page.fitToPage = page.value(QStringLiteral("fitToPage")).toBool();
        doc.page.whiteBackground = page.value(QStringLiteral("whiteBackground")).toBool();
    }
    return {};
}

// Every word that the lists draw must read in the grid's letters where it
// lies; the words are drawn by the puzzle model itself, so the test is the
// one the editor will make.
// A document that names its language has its words in that language's
// letters: one that does not was damaged or edited by hand, and the editor
// could never type its words.
FileResult checkAlphabet(const PuzzleDocument &doc, const Reader &reader)
{
    const Alphabet alphabet = doc.alphabet();
    for (const QString &word : doc.words) {
        for (const QChar c : word) {
            if (!alphabet.contains(c))
                return reader.fail(QStringLiteral("the word \"%1\" holds the letter \"%2\", "
                                                  "which is not in the %3 alphabet.")
                                       .arg(word, c, alphabet.language().englishName()));
        }
    }
    return {};
}

// Another program's document names no language: it takes the first one of
// the table (English first) whose alphabet holds every letter of its words
// and grid, and stays English when none does.
void guessLanguage(PuzzleDocument &doc)
{
    QString letters = doc.words.join(QString());
    for (const char16_t c : doc.letters) {
        if (c)
            letters += QChar(c);
    }
    for (const Language &language : Language::all()) {
        const bool holdsAll = std::all_of(letters.cbegin(), letters.cend(),
                                          [&](QChar c) { return language.hasLetter(c); });
        if (!holdsAll)
            continue;
        doc.language = language.code();
        // The capital ẞ is a letter of its own only when it is written so.
        if (letters.contains(QChar(0x1E9E)))
            doc.rules.sharpS = SharpS::Capital;
        return;
    }
}

FileResult checkWords(const PuzzleDocument &doc, const Reader &reader,
                      std::vector<std::optional<WordPath>> *wordPaths)
{
    RandomGenerator random([] { return std::uint64_t(0); });
    PuzzleModel model(doc.size, &random);
    model.setLetters(doc.alphabet(), doc.fill);
    const FileResult applied = applyDocument(doc, model);
    if (!applied.ok)
        return reader.fail(applied.error);
    const std::vector<std::optional<WordPath>> paths = model.wordPaths();
    *wordPaths = paths;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        if (!paths[k])
            continue;
        const QString &word = doc.words.at(int(k));
        QString found;
        for (int p = 0; p < paths[k]->length; ++p) {
            const CellPos c = paths[k]->cell(p);
            const char16_t l = doc.letterAt(c.col, c.row);
            found += l ? QChar(l) : QLatin1Char(' ');
        }
        if (found != word) {
            return reader.fail(QStringLiteral("the word \"%1\" does not read at %2 going %3: the "
                                              "grid holds \"%4\" there.")
                                   .arg(word, doc.positions.at(int(k)), doc.directions.at(int(k)),
                                        found.trimmed()));
        }
    }
    return {};
}

} // namespace

bool PageSettings::operator==(const PageSettings &o) const
{
    return title == o.title && titleTop == o.titleTop && titleFont == o.titleFont &&
           gridFont == o.gridFont && wordFont == o.wordFont && gridColour == o.gridColour &&
           pageColour == o.pageColour && answerKey == o.answerKey && fitToPage == o.fitToPage &&
           whiteBackground == o.whiteBackground;
}

PuzzleDocument PuzzleDocument::empty(GridSize size)
{
    PuzzleDocument doc;
    doc.size = size;
    const SizeSpec &spec = sizeSpec(size);
    doc.letters.assign(std::size_t(spec.storeCells()), 0);
    doc.kinds.assign(std::size_t(spec.storeCells()), DocumentCell::Blank);
    return doc;
}

char16_t PuzzleDocument::letterAt(int col, int row) const
{
    const int rows = size.rows() + 1;
    if (col < 0 || row < 0 || col > size.columns() || row >= rows)
        return 0;
    const std::size_t i = std::size_t(col) * std::size_t(rows) + std::size_t(row);
    return i < letters.size() ? letters[i] : 0;
}

Alphabet PuzzleDocument::alphabet() const
{
    return Alphabet::forCode(language, rules);
}

bool PuzzleDocument::hasDefaultLetters() const
{
    return areRecordLetters(alphabet(), fill);
}

DocumentCell PuzzleDocument::kindAt(int col, int row) const
{
    const int rows = size.rows() + 1;
    if (col < 0 || row < 0 || col > size.columns() || row >= rows)
        return DocumentCell::Blank;
    const std::size_t i = std::size_t(col) * std::size_t(rows) + std::size_t(row);
    return i < kinds.size() ? kinds[i] : DocumentCell::Blank;
}

PuzzleDocument documentFromModel(const PuzzleModel &model, int messageLetters,
                                 const PageSettings *page)
{
    PuzzleDocument doc = PuzzleDocument::empty(model.size());
    const int storeColumns = model.storeColumns(), storeRows = model.storeRows();
    for (int col = 0; col < storeColumns; ++col) {
        for (int row = 0; row < storeRows; ++row) {
            const Cell &c = model.cellAt(col, row);
            const std::size_t i = std::size_t(col) * std::size_t(storeRows) + std::size_t(row);
            const bool blank = c.kind == Cell::Empty || c.letter == u' ';
            doc.letters[i] = blank ? 0 : c.letter;
            doc.kinds[i] = blank                    ? DocumentCell::Blank
                           : c.kind == Cell::Single ? DocumentCell::Word
                                                    : DocumentCell::Filler;
        }
    }
    // The message: the first letters of the cells that take message letters,
    // in reading order, up to the first blank, as the message fills wrote them.
    for (int row = 0; row < model.rows() && doc.message.size() < messageLetters; ++row) {
        for (int col = 0; col < model.columns() && doc.message.size() < messageLetters; ++col) {
            const Cell &c = model.cellAt(col, row);
            if (!c.takesMessageLetter())
                continue;
            if (c.kind == Cell::Empty || c.letter == u' ') {
                messageLetters = 0; // the message ends at the first blank
                break;
            }
            doc.kinds[std::size_t(col) * std::size_t(storeRows) + std::size_t(row)] =
                DocumentCell::Message;
            doc.message += QChar(c.letter);
        }
    }
    doc.words = model.log();
    doc.positions = model.positions();
    doc.directions = model.directionMemo();
    doc.clues = model.clues();
    doc.paths = model.wordPaths();
    doc.language = model.alphabet().language().code();
    doc.rules = model.alphabet().rules();
    doc.fill = model.fillKind();
    if (page) {
        doc.page = *page;
        doc.hasPage = true;
    }
    return doc;
}

FileResult applyDocument(const PuzzleDocument &document, PuzzleModel &model)
{
    if (model.size() != document.size)
        return FileResult::failure(QStringLiteral("the puzzle is %1, not %2.")
                                       .arg(document.size.text(), model.size().text()));
    const Alphabet alphabet = document.alphabet();
    if (!model.hasAlphabet() && alphabet.language() != Language::english())
        return FileResult::failure(
            QStringLiteral("the puzzle is in %1; this editor holds English puzzles only.")
                .arg(alphabet.language().englishName()));
    const bool wide = model.spec().wideMessageMark;
    const CommandOutcome out = model.runAtomically([&](CommandOutcome &) {
        model.setListTexts(PuzzleModel::linesToText(document.words),
                           PuzzleModel::linesToText(document.positions),
                           PuzzleModel::linesToText(document.directions));
        model.setClues(document.clues);
        model.padDirections();
        const int storeColumns = model.storeColumns(), storeRows = model.storeRows();
        for (int col = 0; col < storeColumns; ++col) {
            for (int row = 0; row < storeRows; ++row) {
                const std::size_t i = std::size_t(col) * std::size_t(storeRows) + std::size_t(row);
                const char16_t letter = i < document.letters.size() ? document.letters[i] : 0;
                if (!letter) {
                    model.setCell(col, row, QString());
                    continue;
                }
                const bool message =
                    i < document.kinds.size() && document.kinds[i] == DocumentCell::Message;
                model.setCell(col, row,
                              QChar(letter) + (message && wide ? kWideMark : kFillerMark));
            }
        }
        model.refreshGrid();
    });
    if (!out.ok)
        return FileResult::failure(out.messages.join(QLatin1Char(' ')));
    if (model.hasAlphabet())
        model.setLetters(alphabet, document.fill);
    return {};
}

QByteArray documentBytes(const PuzzleDocument &doc)
{
    const int columns = doc.size.columns(), rows = doc.size.rows();
    QJsonObject root;
    root.insert(QStringLiteral("version"), kVersion);
    root.insert(QStringLiteral("kind"), QJsonArray{kKind});
    root.insert(QStringLiteral("origin"), QStringLiteral("Word Quarrin Generator 1.0"));
    root.insert(QStringLiteral("title"), escapeHtml(doc.page.title));
    root.insert(QStringLiteral("dimensions"),
                QJsonObject{{QStringLiteral("width"), columns}, {QStringLiteral("height"), rows}});
    QJsonArray grid;
    QJsonArray kinds;
    bool anyKind = false;
    for (int row = 0; row < rows; ++row) {
        QJsonArray line;
        QString kindLine;
        for (int col = 0; col < columns; ++col) {
            const char16_t l = doc.letterAt(col, row);
            line.append(l ? QJsonValue(QString(QChar(l))) : QJsonValue(0));
            const DocumentCell k = doc.kindAt(col, row);
            kindLine += QLatin1Char(char(k));
            anyKind = anyKind || k != DocumentCell::Blank;
        }
        grid.append(line);
        kinds.append(kindLine);
    }
    root.insert(QStringLiteral("puzzle"), grid);

    // The solution: every word that lies in the grid, with its cells.
    std::vector<std::optional<WordPath>> paths = doc.paths;
    if (paths.size() != std::size_t(doc.words.size())) {
        RandomGenerator random([] { return std::uint64_t(0); });
        PuzzleModel model(doc.size, &random);
        paths.clear();
        if (applyDocument(doc, model).ok)
            paths = model.wordPaths();
    }
    QJsonObject solution;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        const QString &word = doc.words.at(int(k));
        if (!paths[k] || solution.contains(word))
            continue;
        QJsonArray cells;
        for (int p = 0; p < paths[k]->length; ++p) {
            const CellPos c = paths[k]->cell(p);
            cells.append(QJsonArray{c.col + 1, c.row + 1});
        }
        solution.insert(word, QJsonObject{{QStringLiteral("cells"), cells}});
    }
    root.insert(QStringLiteral("solution"), solution);

    QJsonObject ext;
    ext.insert(QStringLiteral("format"), kFormat);
    QJsonArray words;
    for (int k = 0; k < doc.words.size(); ++k) {
        QJsonObject w{{QStringLiteral("word"), doc.words.at(k)},
                      {QStringLiteral("position"), doc.positions.value(k)},
                      {QStringLiteral("direction"), doc.directions.value(k)}};
        if (!doc.clues.value(k).isEmpty())
            w.insert(QStringLiteral("clue"), doc.clues.value(k));
        words.append(w);
    }
    ext.insert(QStringLiteral("words"), words);
    if (anyKind)
        ext.insert(QStringLiteral("cells"), kinds);
    if (!doc.message.isEmpty())
        ext.insert(QStringLiteral("message"), doc.message);
    QString marginColumn, marginRow;
    bool marginUsed = false;
    for (int r = 0; r <= rows; ++r) {
        const char16_t l = doc.letterAt(columns, r);
        marginColumn += l ? QChar(l) : QLatin1Char(' ');
        marginUsed = marginUsed || l;
    }
    for (int c = 0; c < columns; ++c) {
        const char16_t l = doc.letterAt(c, rows);
        marginRow += l ? QChar(l) : QLatin1Char(' ');
        marginUsed = marginUsed || l;
    }
    if (marginUsed)
        ext.insert(QStringLiteral("margin"), QJsonObject{{QStringLiteral("column"), marginColumn},
                                                         {QStringLiteral("row"), marginRow}});
    if (!doc.reserved.isEmpty() && doc.reserved.count('\0') != doc.reserved.size())
        ext.insert(QStringLiteral("reserved"), QString::fromLatin1(doc.reserved.toBase64()));
    if (doc.hasPage)
        ext.insert(QStringLiteral("page"), pageObject(doc.page));
    // Only what differs from what a document without the field means, so an
    // English puzzle's document is as it always was.
    if (doc.language != Language::english().code())
        ext.insert(QStringLiteral("language"), doc.language);
    if (!doc.rules.keepAccents)
        ext.insert(QStringLiteral("keepAccents"), false);
    if (doc.rules.sharpS == SharpS::Capital)
        ext.insert(QStringLiteral("sharpS"), QStringLiteral("capital"));
    if (doc.fill != FillKind::Natural)
        ext.insert(QStringLiteral("fill"), fillKindName(doc.fill));
    root.insert(kDocumentExtensionKey, ext);

    QByteArray out;
    writeValue(out, root, 0);
    out += '\n';
    return out;
}

FileResult parseDocument(const QByteArray &bytes, PuzzleDocument *document, const QString &fileName)
{
    Reader reader{displayName(fileName), {}};
    if (bytes.size() > kMaxDocumentBytes)
        return reader.fail(
            QStringLiteral("it holds %1 MB, and a puzzle document holds at most 10 MB.")
                .arg(double(bytes.size()) / (1024.0 * 1024.0), 0, 'f', 1));
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        const QByteArray before = bytes.left(error.offset);
        const int line = int(before.count('\n')) + 1;
        const int column = int(error.offset - (before.lastIndexOf('\n') + 1)) + 1;
        return reader.fail(QStringLiteral("it is not a puzzle document: its JSON is damaged at "
                                          "line %1, column %2 (%3).")
                               .arg(line)
                               .arg(column)
                               .arg(error.errorString()));
    }
    if (!json.isObject())
        return reader.fail(QStringLiteral("it is not a puzzle document: it holds no ipuz object."));
    const QJsonObject root = json.object();

    const QString version = root.value(QStringLiteral("version")).toString();
    if (!version.startsWith(QLatin1String("http://ipuz.org/v")))
        return reader.fail(
            QStringLiteral("it is not a puzzle document: it names no ipuz version."));
    bool numbered = false;
    const int versionNumber = version.mid(17).toInt(&numbered);
    if (!numbered || versionNumber < 1)
        return reader.fail(
            QStringLiteral("it names the ipuz version \"%1\", which is not one.").arg(version));
    if (versionNumber > 2)
        reader.passedOver << QStringLiteral("ipuz version %1").arg(versionNumber);

    const QJsonArray kinds = root.value(QStringLiteral("kind")).toArray();
    bool wordSearch = false;
    QString otherKind;
    for (const QJsonValue &k : kinds) {
        const QString kind = k.toString();
        wordSearch = wordSearch || kind.startsWith(kKindPrefix);
        if (otherKind.isEmpty() && kind.startsWith(QLatin1String("http://ipuz.org/")))
            otherKind =
                kind.mid(16).section(QLatin1Char('/'), 0, 0).section(QLatin1Char('#'), 0, 0);
    }
    if (!wordSearch) {
        if (otherKind.isEmpty())
            return reader.fail(QStringLiteral("it is not a word search: it names no puzzle kind "
                                              "this program knows."));
        return reader.fail(QStringLiteral("it is a %1 puzzle, not a word search.").arg(otherKind));
    }

    int width = 0, height = 0;
    const QJsonObject dimensions = root.value(QStringLiteral("dimensions")).toObject();
    if (!readInt(dimensions, "width", &width) || !readInt(dimensions, "height", &height))
        return reader.fail(QStringLiteral("it gives no width and height of its grid."));
    const GridSize size(width, height);
    if (!size.isValid())
        return reader.fail(QStringLiteral("its grid is %1 columns by %2 rows; columns and rows "
                                          "must each be from %3 to %4.")
                               .arg(width)
                               .arg(height)
                               .arg(GridSize::kMinSide)
                               .arg(GridSize::kMaxSide));

    PuzzleDocument doc = PuzzleDocument::empty(size);
    const QJsonValue empty = root.contains(QStringLiteral("empty"))
                                 ? root.value(QStringLiteral("empty"))
                                 : QJsonValue(0);
    const QJsonValue puzzle = root.value(QStringLiteral("puzzle"));
    if (!puzzle.isArray())
        return reader.fail(QStringLiteral("it holds no letter grid."));
    const QJsonArray rows = puzzle.toArray();
    if (rows.size() != height)
        return reader.fail(QStringLiteral("its letter grid has %1 rows, and its dimensions say %2.")
                               .arg(rows.size())
                               .arg(height));
    for (int row = 0; row < height; ++row) {
        const QJsonArray line = rows.at(row).toArray();
        if (line.size() != width)
            return reader.fail(QStringLiteral("row %1 of its letter grid has %2 cells, and its "
                                              "dimensions say %3.")
                                   .arg(row + 1)
                                   .arg(line.size())
                                   .arg(width));
        for (int col = 0; col < width; ++col) {
            const CellValue cell = readCell(line.at(col), empty);
            if (!cell.error.isEmpty())
                return reader.fail(
                    QStringLiteral("the cell at %1 %2.").arg(cellName(col, row), cell.error));
            const std::size_t i = std::size_t(col) * std::size_t(height + 1) + std::size_t(row);
            doc.letters[i] = cell.letter;
            doc.kinds[i] = cell.letter ? DocumentCell::Filler : DocumentCell::Blank;
        }
    }
    if (root.contains(QStringLiteral("title")))
        doc.page.title = unescapeHtml(root.value(QStringLiteral("title")).toString());

    for (const QString &key : root.keys()) {
        // Other programs' extensions are named with a dot; only plain names
        // that ipuz does not define are fields of a newer version.
        if (!knownFields().contains(key) && !key.contains(QLatin1Char('.')))
            reader.passedOver << key;
    }

    const QJsonValue ext = root.value(kDocumentExtensionKey);
    if (ext.isObject()) {
        const FileResult read = readExtension(ext.toObject(), doc, reader);
        if (!read.ok)
            return read;
    } else {
        const FileResult read = readSolution(root.value(QStringLiteral("solution")), doc, reader);
        if (!read.ok)
            return read;
        for (int k = 0; k < doc.words.size(); ++k) {
            if (doc.positions.at(k).isEmpty() && !locateWord(doc, k))
                return reader.fail(QStringLiteral("the word \"%1\" does not read anywhere in its "
                                                  "grid.")
                                       .arg(doc.words.at(k)));
        }
    }
    for (const QString &word : doc.words) {
        for (const QChar c : word) {
            if (!c.isLetter() || c.isSurrogate())
                return reader.fail(
                    QStringLiteral("the word \"%1\" holds \"%2\", which is not a letter.")
                        .arg(word, c));
        }
    }
    const bool languageNamed =
        ext.isObject() && ext.toObject().contains(QStringLiteral("language"));
    if (languageNamed) {
        const FileResult inAlphabet = checkAlphabet(doc, reader);
        if (!inAlphabet.ok)
            return inAlphabet;
    } else {
        guessLanguage(doc);
    }
    while (doc.clues.size() < doc.words.size())
        doc.clues << QString();

    const FileResult words = checkWords(doc, reader, &doc.paths);
    if (!words.ok)
        return words;
    // The cells of the words drawn are word letters, whatever the kinds said.
    for (const std::optional<WordPath> &path : doc.paths) {
        if (!path)
            continue;
        for (int p = 0; p < path->length; ++p) {
            const CellPos c = path->cell(p);
            if (c.col >= 0 && c.row >= 0 && c.col < width && c.row < height)
                doc.kinds[std::size_t(c.col) * std::size_t(height + 1) + std::size_t(c.row)] =
                    DocumentCell::Word;
        }
    }

    *document = std::move(doc);
    FileResult result;
    if (!reader.passedOver.isEmpty()) {
        reader.passedOver.removeDuplicates();
        result.notice = QStringLiteral("%1 was written by a newer version of Word Quarrin "
                                       "Generator. These parts of it were passed over: %2.")
                            .arg(reader.name, reader.passedOver.join(QStringLiteral(", ")));
    }
    return result;
}

FileResult writeDocument(QIODevice &device, const PuzzleDocument &document)
{
    return writeRecord(device, documentBytes(document));
}

FileResult saveDocument(const PuzzleDocument &document, const QString &path)
{
    const QString shown = QFileInfo(path).absoluteFilePath();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileResult::failure(QStringLiteral("The puzzle could not be saved to \"%1\": %2")
                                       .arg(shown, file.errorString()));
    const FileResult result = writeDocument(file, document);
    if (!result.ok || !file.flush()) {
        const int flushError = errno;
        const QString why =
            result.ok && flushError != 0 ? qt_error_string(flushError) : file.errorString();
        file.cancelWriting();
        return FileResult::failure(
            QStringLiteral("The puzzle could not be saved to \"%1\": %2").arg(shown, why));
    }
    if (!file.commit())
        return FileResult::failure(QStringLiteral("The puzzle could not be saved to \"%1\": %2")
                                       .arg(shown, file.errorString()));
    return {};
}

FileResult readDocument(QIODevice &device, PuzzleDocument *document, const QString &fileName)
{
    // One byte more than the largest document tells a larger file apart.
    const QByteArray bytes = device.read(kMaxDocumentBytes + 1);
    if (bytes.size() > kMaxDocumentBytes) {
        const qint64 total = device.isSequential() ? -1 : device.size();
        return FileResult::failure(
            QStringLiteral("%1 could not be loaded: it holds %2, and a puzzle document holds at "
                           "most 10 MB.")
                .arg(displayName(fileName),
                     total > 0
                         ? QStringLiteral("%1 MB").arg(double(total) / (1024.0 * 1024.0), 0, 'f', 1)
                         : QStringLiteral("more than 10 MB")));
    }
    return parseDocument(bytes, document, fileName);
}

FileResult loadDocument(const QString &path, PuzzleDocument *document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::failure(
            QStringLiteral("\"%1\" could not be opened: %2")
                .arg(QFileInfo(path).absoluteFilePath(), file.errorString()));
    return readDocument(file, document, path);
}

bool isDocumentFileName(const QString &path)
{
    return path.endsWith(kDocumentExtension, Qt::CaseInsensitive);
}

QString documentFileNameForSaving(const QString &chosen)
{
    return isDocumentFileName(chosen) ? chosen : chosen + kDocumentExtension;
}

FileResult documentFromRecord(const QByteArray &recordBytes, GridSize size,
                              PuzzleDocument *document, const QString &fileName)
{
    if (!size.isFixed())
        return FileResult::failure(
            QStringLiteral("%1 puzzles have no record file.").arg(size.text()));
    PuzzleFileRecord record(size);
    FileResult read = record.fromBytes(recordBytes, fileName);
    if (!read.ok)
        return read;
    RandomGenerator random([] { return std::uint64_t(0); });
    PuzzleModel model(size, &random);
    read = record.applyTo(model, PuzzleFileRecord::WholeGrid);
    if (!read.ok)
        return read;
    PuzzleDocument doc = documentFromModel(model);
    // The reserved field is carried whole (its length byte first) when it
    // holds anything.
    if (record.reserved.count('\0') != record.reserved.size())
        doc.reserved = record.reserved;
    *document = std::move(doc);
    return {};
}

FileResult recordFromDocument(const PuzzleDocument &document, QByteArray *recordBytes)
{
    const GridSize size = document.size;
    if (!size.isFixed())
        return FileResult::failure(
            QStringLiteral("A %1 puzzle cannot be saved as a record file: record files hold only "
                           "15x15 (.qrn) and 30x30 (.qrn2) puzzles. Save it as a puzzle document "
                           "(.ipuz).")
                .arg(size.text()));
    if (document.alphabet().language() != Language::english())
        return FileResult::failure(
            QStringLiteral("The puzzle is in %1; a record file holds English puzzles only. Save "
                           "it as a puzzle document (.ipuz).")
                .arg(document.alphabet().language().englishName()));
    for (const char16_t l : document.letters) {
        if (l && codePageByte(QChar(l)) < 0)
            return FileResult::failure(
                QStringLiteral("The puzzle holds the letter \"%1\", which a record file cannot "
                               "hold. Save it as a puzzle document (.ipuz).")
                    .arg(QChar(l)));
    }
    for (const QString &word : document.words) {
        for (const QChar c : word) {
            if (codePageByte(c) < 0)
                return FileResult::failure(
                    QStringLiteral("The word \"%1\" holds the letter \"%2\", which a record file "
                                   "cannot hold. Save it as a puzzle document (.ipuz).")
                        .arg(word, c));
        }
    }
    RandomGenerator random([] { return std::uint64_t(0); });
    PuzzleModel model(size, &random);
    const FileResult applied = applyDocument(document, model);
    if (!applied.ok)
        return applied;
    PuzzleFileRecord record(size);
    if (!document.reserved.isEmpty())
        record.reserved = document.reserved;
    record.fillFrom(model);
    const auto capacity = [&record](FieldKind kind) {
        int total = 0;
        for (const FieldSpec &f : record.layout())
            if (f.kind == kind)
                total += f.capacity;
        return total;
    };
    const QString extension = sizeSpec(size).fileExtension;
    if (record.words.size() > capacity(FieldKind::Words))
        return FileResult::failure(
            QStringLiteral("The word list takes %1 characters, and a %2 file holds %3.")
                .arg(record.words.size())
                .arg(extension)
                .arg(capacity(FieldKind::Words)));
    if (record.positions.size() > capacity(FieldKind::Positions))
        return FileResult::failure(
            QStringLiteral("The positions take %1 characters, and a %2 file holds %3.")
                .arg(record.positions.size())
                .arg(extension)
                .arg(capacity(FieldKind::Positions)));
    *recordBytes = record.toBytes();
    return {};
}

} // namespace quarrin
