// Every file reader of the program against the damaged inputs a user can
// produce, in one table: the 15x15 and 30x30 puzzle files read through
// PuzzleFile::load from real files, and the grid control's text file read
// through TPubStrGrid::loadFromFile. Each input is either refused with a
// message naming the fault (and a refused puzzle load changes nothing), or
// read into a sound result that is checked here.
//
// Also: a save that fails part-way (a full disk) leaves the previous file as
// it was and reports why.

#include "../puzzle/board.h"
#include "file_faults.h"
#include "files/puzzle_file.h"
#include "grid/pub_str_grid.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace quarrin;
using quarrin::test::DiskFull;
using quarrin::test::PuzzleState;
using quarrin::test::stateOf;

namespace {

enum Reader
{
    Small15,
    Large30,
    GridText
};

// Offsets of the text fields a table row rewrites.
struct RecordOffsets
{
    int words;
    int positions;
    int directions;
};

RecordOffsets offsetsFor(GridSize size)
{
    return size == GridSize::Small ? RecordOffsets{240, 1008, 1209}
                                   : RecordOffsets{964, 1732, 1973};
}

GridSize sizeOf(Reader reader)
{
    return reader == Large30 ? GridSize::Large : GridSize::Small;
}

QByteArray savedBytes(PuzzleModel &model)
{
    PuzzleFile file(model.spec().size);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (!file.save(model, out).ok)
        return {};
    return out.data();
}

// A record of an empty puzzle whose three lists hold the given texts. The
// texts are put in raw, length byte and all, as a damaged file would hold them.
QByteArray record(GridSize size, const QByteArray &words, const QByteArray &positions,
                  const QByteArray &directions)
{
    RandomGenerator random([] { return std::uint64_t(1); });
    PuzzleModel empty(size, &random);
    QByteArray bytes = savedBytes(empty);
    const RecordOffsets at = offsetsFor(size);
    auto put = [&bytes](int offset, const QByteArray &text) {
        bytes[offset] = char(text.size());
        bytes.replace(offset + 1, text.size(), text);
    };
    put(at.words, words);
    put(at.positions, positions);
    put(at.directions, directions);
    return bytes;
}

// The file of a puzzle with CAT from X 1, Y 1 going right, as the program saves it.
QByteArray catRecord(GridSize size)
{
    return record(size, "CAT\r\n", "1, 1\r\n", "Right\r\n");
}

QByteArray withByte(QByteArray bytes, int offset, int value)
{
    bytes[offset] = char(value);
    return bytes;
}

int wordLetterCells(const PuzzleModel &model)
{
    int count = 0;
    for (int c = 0; c < model.storeColumns(); ++c)
        for (int r = 0; r < model.storeRows(); ++r)
            count += isWordLetter(model.cell(c, r)) ? 1 : 0;
    return count;
}

// The puzzle on screen before a load: a placed word and a random fill.
void fillTarget(PuzzleModel &model)
{
    AddWordRequest add;
    add.word = QStringLiteral("DOG");
    add.x = QStringLiteral("2");
    add.y = QStringLiteral("3");
    add.direction = QStringLiteral("Down");
    QVERIFY(model.addWord(add).placed);
    model.fillRandom();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Lowers the largest file this process may write, the way a full disk stops a
// write part-way; restored when it goes out of scope.
// A grid text file from its lines (each ended by a line break).
QByteArray gridFile(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &line : lines)
        out += line + '\n';
    return out;
}

const QByteArray kGridHead = gridFile({"|", "3|3", "21", "", "", "Top"});

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void readers_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QByteArray>("bytes");
        // Part of the message of a refused file; empty: the file must be read.
        QTest::addColumn<QString>("refused");
        // Puzzle files read: the word list and the number of word-letter cells.
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<int>("wordLetters");
        // Grid files: "col,row=text" cells, and "size=RxC" for the grid's size.
        QTest::addColumn<QStringList>("grid");

        const QStringList none;
        const QStringList cat{QStringLiteral("CAT")};
        for (Reader reader : {Small15, Large30}) {
            const GridSize size = sizeOf(reader);
            const QString tag =
                reader == Small15 ? QStringLiteral("15x15 ") : QStringLiteral("30x30 ");
            const int bytes = sizeSpec(size).recordBytes;
            const RecordOffsets at = offsetsFor(size);
            const QByteArray good = catRecord(size);
            auto row = [&](const char *name) -> QTestData & {
                return QTest::newRow(qPrintable(tag + name));
            };

            row("empty file") << int(reader) << QByteArray() << "holds 0 bytes" << none << 0
                              << none;
            row("one byte short") << int(reader) << good.left(bytes - 1)
                                  << QStringLiteral("holds %1 bytes").arg(bytes - 1) << none << 0
                                  << none;
            row("one record plus extra bytes")
                << int(reader) << good + QByteArray(7, 'x')
                << QStringLiteral("holds %1 bytes, and a %2 puzzle file holds %3")
                       .arg(bytes + 7)
                       .arg(reader == Small15 ? "15x15" : "30x30")
                       .arg(bytes)
                << none << 0 << none;
            row("grid length above capacity") << int(reader) << withByte(good, 0, 241)
                                              << "grid field claims 241" << none << 0 << none;
            row("positions length above capacity")
                << int(reader) << withByte(good, at.positions, 255) << "positions field claims 255"
                << none << 0 << none;
            row("directions length above capacity")
                << int(reader) << withByte(good, at.directions, 250)
                << "directions field claims 250" << none << 0 << none;
            row("position with letters")
                << int(reader) << record(size, "CAT\r\n", "A, 1\r\n", "Right\r\n")
                << "'A' is not a valid integer value" << none << 0 << none;
            row("position with letters after digits")
                << int(reader) << record(size, "CAT\r\n", "1, 1B\r\n", "Right\r\n")
                << "' 1B' is not a valid integer value" << none << 0 << none;
            row("position beyond any integer")
                << int(reader) << record(size, "CAT\r\n", "99999999999, 1\r\n", "Right\r\n")
                << "'99999999999' is not a valid integer value" << none << 0 << none;
            row("position at the largest integer")
                << int(reader) << record(size, "CAT\r\n", "2147483647, 2147483647\r\n", "Right\r\n")
                << QString() << cat << 0 << none;
            row("negative position")
                << int(reader) << record(size, "CAT\r\n", "-5, 1\r\n", "Right\r\n") << QString()
                << cat << 0 << none;
            row("negative row going up")
                << int(reader) << record(size, "CAT\r\n", "3, -1\r\n", "Up\r\n") << QString() << cat
                << 0 << none;
            const QByteArray edge = QByteArray::number(sizeSpec(size).columns);
            row("word leaving the store to the right")
                << int(reader) << record(size, "CAT\r\n", edge + ", 1\r\n", "Right\r\n")
                << QString() << cat << 0 << none;
            row("word leaving the store downward")
                << int(reader) << record(size, "CAT\r\n", "1, " + edge + "\r\n", "Down\r\n")
                << QString() << cat << 0 << none;
            row("lower-case direction")
                << int(reader) << record(size, "CAT\r\n", "1, 1\r\n", "right\r\n") << QString()
                << cat << 0 << none;
            row("cut direction") << int(reader)
                                 << record(size, "CAT\r\nOWL\r\n", "1, 1\r\n5, 5\r\n",
                                           "Right\r\nDown-Rig")
                                 << QString() << QStringList{"CAT", "OWL"} << 3 << none;
            // The second word has no position line: it starts where the first did.
            row("more words than positions")
                << int(reader) << record(size, "CAT\r\nCOW\r\n", "1, 1\r\n", "Right\r\nDown\r\n")
                << QString() << QStringList{"CAT", "COW"} << 5 << none;
            row("more words than directions")
                << int(reader) << record(size, "CAT\r\nDOG\r\n", "1, 1\r\n4, 4\r\n", "Right\r\n")
                << QString() << QStringList{"CAT", "DOG"} << 3 << none;
            row("non-ASCII letters")
                << int(reader) << record(size, "\xC4\xD6\xDC\r\n", "1, 1\r\n", "Down\r\n")
                << QString() << QStringList{QString::fromLatin1("\xC4\xD6\xDC")} << 3 << none;
            row("non-ASCII byte in a position")
                << int(reader) << record(size, "CAT\r\n", "1, 1\xFF\r\n", "Right\r\n")
                << "is not a valid integer value" << none << 0 << none;
            row("zero bytes in the word list")
                << int(reader) << record(size, QByteArray("C\0T\r\n", 5), "1, 1\r\n", "Right\r\n")
                << QString() << QStringList{QString::fromLatin1(QByteArray("C\0T", 3))} << 3
                << none;
        }
        {
            RandomGenerator random;
            PuzzleModel large(GridSize::Large, &random);
            PuzzleModel small(GridSize::Small, &random);
            QTest::newRow("30x30 file in the 15x15 editor")
                << int(Small15) << savedBytes(large) << "holds a 30x30 puzzle" << none << 0 << none;
            QTest::newRow("15x15 file in the 30x30 editor")
                << int(Large30) << savedBytes(small) << "holds a 15x15 puzzle" << none << 0 << none;
        }

        // The grid reader starts from a 3x3 grid whose cell 0,0 holds "keep".
        auto grid = [](const char *name) -> QTestData & {
            return QTest::newRow(name) << int(GridText);
        };
        grid("grid: empty file") << QByteArray() << QString() << none << 0
                                 << QStringList{"size=3x3", "0,0=keep"};
        grid("grid: empty first line")
            << gridFile({"", "3|3"}) << "not a valid cell delimiter" << none << 0 << none;
        grid("grid: size with letters")
            << gridFile({"|", "a|3"}) << "'a' is not a valid integer value" << none << 0 << none;
        grid("grid: size cut") << gridFile({"|", "3"}) << "'' is not a valid integer value" << none
                               << 0 << none;
        grid("grid: huge size") << gridFile({"|", "99999999999|3"})
                                << "'99999999999' is not a valid integer value" << none << 0
                                << none;
        grid("grid: size too large to show")
            << gridFile({"|", "3|2000000"}) << "'2000000' is not a valid integer value" << none << 0
            << none;
        grid("grid: negative size")
            << gridFile({"|", "-3|3"}) << "'-3' is not a valid integer value" << none << 0 << none;
        grid("grid: row height with letters")
            << gridFile({"|", "3|3", "2l"}) << "'2l' is not a valid integer value" << none << 0
            << none;
        grid("grid: cut row line") << kGridHead + "Row 1 Heig\n"
                                   << "not a valid integer value" << none << 0 << none;
        grid("grid: negative column width")
            << kGridHead + "Column 1 Width: -40\n"
            << "'-40' is not a valid integer value" << none << 0 << none;
        grid("grid: cell position with letters")
            << kGridHead + "x|1|A\n"
            << "'x' is not a valid integer value" << none << 0 << none;
        grid("grid: cell line with one delimiter")
            << kGridHead + "1|A\n"
            << "'' is not a valid integer value" << none << 0 << none;
        grid("grid: negative cell position")
            << kGridHead + "-1|0|A\n"
            << "'-1' is not a valid integer value" << none << 0 << none;
        grid("grid: huge cell position")
            << kGridHead + "0|4294967296|A\n"
            << "'4294967296' is not a valid integer value" << none << 0 << none;
        grid("grid: cell beyond the grid is kept")
            << kGridHead + "7|9|Z\n"
            << QString() << none << 0 << QStringList{"size=3x3", "7,9=Z"};
        grid("grid: text with delimiters") << kGridHead + "1|2|a|b|\n"
                                           << QString() << none << 0 << QStringList{"1,2=a|b|"};
        grid("grid: lower-case row line is not a row line")
            << kGridHead + "row 1 Height: 40\n"
            << QString() << none << 0 << QStringList{"size=3x3", "rowHeight1=21"};
        grid("grid: lower-case placement")
            << gridFile({"|", "3|3", "21", "a", "b", "top"}) << QString() << none << 0
            << QStringList{"placement=Bottom"};
        grid("grid: CR LF line ends") << QByteArray("|\r\n2|4\r\n21\r\n\r\n\r\nTop\r\n1|1|Q\r\n")
                                      << QString() << none << 0 << QStringList{"size=2x4", "1,1=Q"};
        grid("grid: Latin-1 text")
            << kGridHead + "0|1|\xE9t\xE9\n"
            << QString() << none << 0 << QStringList{"0,1=\xEF\xBF\xBDt\xEF\xBF\xBD"};
        grid("grid: no line break at the end")
            << kGridHead + "2|2|W" << QString() << none << 0 << QStringList{"2,2=W"};
        grid("grid: byte order marks as the delimiter")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF")
            << "'U+FEFF' is not a valid cell delimiter" << none << 0 << none;
        grid("grid: binary bytes") << QByteArray("\x01\x02\x00\xFF\n\x00|\x00\n", 9)
                                   << "not a valid integer value" << none << 0 << none;
    }

    void readers()
    {
        QFETCH(int, reader);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, refused);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("input"));
        QVERIFY(writeFile(path, bytes));
        if (reader == GridText)
            checkGridReader(path, refused);
        else
            checkPuzzleReader(sizeOf(Reader(reader)), path, refused);
    }

    // A save that runs out of room keeps the previous file and says why.
    void fullDiskKeepsThePreviousPuzzle_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::newRow("15x15") << GridSize::Small;
        QTest::newRow("30x30") << GridSize::Large;
    }
    void fullDiskKeepsThePreviousPuzzle()
    {
        QFETCH(GridSize, size);
        const GridSize gs = size;
        QTemporaryDir dir;
        const QString path = dir.filePath(PuzzleFile::fileNameForSaving(gs, "puzzle"));
        const QByteArray previous = catRecord(gs);
        QVERIFY(writeFile(path, previous));

        RandomGenerator random([] { return std::uint64_t(5); });
        PuzzleModel model(gs, &random);
        fillTarget(model);
        PuzzleFile file(gs);
        FileResult result;
        {
            DiskFull full(100);
            QVERIFY(full.active());
            result = file.save(model, path);
        }
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(QStringLiteral("could not be saved")),
                 qPrintable(result.error));
        // The message gives the system's reason: here the size limit standing in for the disk.
        QVERIFY2(result.error.contains(qt_error_string(EFBIG)), qPrintable(result.error));
        QCOMPARE(readFile(path), previous);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});

        // With room again the same save goes through.
        QVERIFY(file.save(model, path).ok);
        QCOMPARE(QFileInfo(path).size(), qint64(sizeSpec(gs).recordBytes));
    }

    void fullDiskKeepsThePreviousGridFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("grid.txt"));
        const QByteArray previous = kGridHead + "0|0|old\n\n";
        QVERIFY(writeFile(path, previous));
        TPubStrGrid grid;
        grid.setAutoSave(false);
        grid.setColCount(40);
        grid.setRowCount(40);
        for (int c = 0; c < 40; ++c)
            for (int r = 0; r < 40; ++r)
                grid.setCell(c, r, QStringLiteral("NEW"));
        GridFileResult result;
        {
            DiskFull full(100);
            QVERIFY(full.active());
            result = grid.saveToFile(path);
        }
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(QStringLiteral("grid.txt")), qPrintable(result.error));
        QVERIFY2(!result.error.contains(QStringLiteral("Unknown error")), qPrintable(result.error));
        QCOMPARE(readFile(path), previous);
    }

    // A save into a folder that cannot exist (its parent is a file) is
    // refused before anything is written; this holds for root as well.
    void unwritablePlaceIsReported()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("not-a-folder"));
        QVERIFY(writeFile(blocker, "x"));
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        PuzzleFile file(GridSize::Small);
        const FileResult puzzle = file.save(model, blocker + "/puzzle.qrn");
        QVERIFY(!puzzle.ok);
        QVERIFY2(puzzle.error.contains(QStringLiteral("not-a-folder")), qPrintable(puzzle.error));
        TPubStrGrid grid;
        grid.setAutoSave(false);
        const GridFileResult text = grid.saveToFile(blocker + "/grid.txt");
        QVERIFY(!text.ok);
        QVERIFY2(text.error.contains(QStringLiteral("grid.txt")), qPrintable(text.error));
        QCOMPARE(readFile(blocker), QByteArray("x"));
    }

    // A folder picked where a file is expected is refused by every reader.
    void folderInsteadOfFile()
    {
        QTemporaryDir dir;
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        fillTarget(model);
        const QByteArray savedBefore = savedBytes(model);
        const PuzzleState before = stateOf(model);
        PuzzleFile file(GridSize::Small);
        const FileResult puzzle = file.load(model, dir.path());
        QVERIFY(!puzzle.ok);
        QVERIFY2(!puzzle.error.isEmpty(), "no message");
        QVERIFY(stateOf(model) == before);
        QCOMPARE(savedBytes(model), savedBefore);

        TPubStrGrid grid;
        grid.setAutoSave(false);
        const GridFileResult text = grid.loadFromFile(dir.path());
        QVERIFY(!text.ok);
        QVERIFY2(!text.error.isEmpty(), "no message");
    }

private:
    void checkPuzzleReader(GridSize size, const QString &path, const QString &refused)
    {
        QFETCH(QStringList, log);
        QFETCH(int, wordLetters);
        RandomGenerator random([] { return std::uint64_t(9); });
        PuzzleModel model(size, &random);
        fillTarget(model);
        PuzzleFile file(size);
        const QByteArray savedBefore = savedBytes(model); // gives empty cells their space
        const PuzzleState before = stateOf(model);
        const QByteArray recordBefore = file.record().toBytes();

        const FileResult result = file.load(model, path);
        if (!refused.isEmpty()) {
            QVERIFY2(!result.ok, "the damaged file was loaded");
            QVERIFY2(result.error.contains(refused), qPrintable(result.error));
            QVERIFY(stateOf(model) == before);
            QCOMPARE(file.record().toBytes(), recordBefore);
            QCOMPARE(savedBytes(model), savedBefore);
            return;
        }
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(model.log(), log);
        QCOMPARE(wordLetterCells(model), wordLetters);
        // The loaded puzzle takes every command and saves as one whole record.
        QVERIFY(model.fillRandom().ok);
        QVERIFY(model.removeFill().ok);
        QVERIFY(model.deleteWord(0).ok);
        QCOMPARE(savedBytes(model).size(), sizeSpec(size).recordBytes);
    }

    void checkGridReader(const QString &path, const QString &refused)
    {
        QFETCH(QStringList, grid);
        TPubStrGrid control;
        control.setAutoSave(false);
        control.resize(200, 200);
        control.setColCount(3);
        control.setRowCount(3);
        control.setCell(0, 0, QStringLiteral("keep"));

        const GridFileResult result = control.loadFromFile(path);
        if (!refused.isEmpty()) {
            QVERIFY2(!result.ok, "the damaged file was read without a message");
            QVERIFY2(result.error.contains(refused), qPrintable(result.error));
        } else {
            QVERIFY2(result.ok, qPrintable(result.error));
        }
        for (const QString &check : grid) {
            const QString key = check.section(QLatin1Char('='), 0, 0);
            const QString value = check.section(QLatin1Char('='), 1);
            if (key == QLatin1String("size")) {
                QCOMPARE(QStringLiteral("%1x%2").arg(control.rowCount()).arg(control.colCount()),
                         value);
            } else if (key == QLatin1String("placement")) {
                QCOMPARE(control.caption2Placement() == Caption2Placement::cpTop
                             ? QStringLiteral("Top")
                             : QStringLiteral("Bottom"),
                         value);
            } else if (key == QLatin1String("rowHeight1")) {
                QCOMPARE(QString::number(control.rowHeight(1)), value);
            } else {
                const int c = key.section(QLatin1Char(','), 0, 0).toInt();
                const int r = key.section(QLatin1Char(','), 1).toInt();
                QCOMPARE(control.cell(c, r), value);
            }
        }
        // Whatever was read, the control still draws.
        QImage picture(control.size(), QImage::Format_RGB32);
        QPainter p(&picture);
        control.paintCells(p, picture.rect());
    }
};

QTEST_MAIN(TestBadInput)
#include "test_bad_input.moc"
