// Puzzle file records: layout, save and load, damaged files and failed writes.

#include "../puzzle/board.h"
#include "file_faults.h"
#include "files/puzzle_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quarrin;
using namespace quarrin::test;

namespace {

// A "size" column with one row for each grid size.
void bothSizes()
{
    QTest::addColumn<GridSize>("size");
    QTest::newRow("15x15") << GridSize::Small;
    QTest::newRow("30x30") << GridSize::Large;
}

// A device that accepts `limit` bytes and then fails every write.
class FailDevice : public QBuffer
{
public:
    explicit FailDevice(qint64 limit) : m_limit(limit) { open(QIODevice::WriteOnly); }

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        const qint64 room = m_limit - size();
        if (room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        return QBuffer::writeData(data, qMin(len, room));
    }

private:
    qint64 m_limit;
};

QByteArray saveToBytes(PuzzleFile &file, PuzzleModel &model)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const FileResult r = file.save(model, buffer);
    return r.ok ? buffer.data() : QByteArray();
}

FileResult loadBytes(PuzzleFile &file, PuzzleModel &model, const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return file.load(model, buffer, QStringLiteral("puzzle"));
}

QString field(const QByteArray &bytes, int offset)
{
    return QString::fromLatin1(bytes.mid(offset + 1, quint8(bytes.at(offset))));
}

void fillSample(PuzzleModel &model)
{
    place(model, "CAT", 1, 1, "Right");
    place(model, "TOP", 3, 1, "Down");
    place(model, "OWL", 10, 10, "Up-Left");
    model.fillMessage(QStringLiteral("hello"));
    model.fillRandom();
}

const QFileDevice::Permissions kReadOnlyFolder = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                 QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                 QFileDevice::ReadOther | QFileDevice::ExeOther;
const QFileDevice::Permissions kOwnFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

const char *const kReachable = "the previous file cannot be reached as the user saving: the "
                               "temporary folder's parents (TMPDIR) must be open to everyone";

// Whether the file may be written by the effective user (access() would ask
// for the real one).
bool writableAsNow(const QString &path)
{
    return faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

// Whether a refused save's message names the file and the system's reason.
bool namesFileAndReason(const QString &error, const QString &path, int reason)
{
    return error.startsWith(QStringLiteral("The puzzle could not be saved to \"%1\": ")
                                .arg(QFileInfo(path).absoluteFilePath())) &&
           error.contains(qt_error_string(reason));
}

// A previous file that anyone may write in place.
void writePrevious(const QString &path)
{
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("previous puzzle");
    old.close();
    QVERIFY(old.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                               QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                               QFileDevice::ReadOther | QFileDevice::WriteOther));
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestPuzzleFile : public QObject
{
    Q_OBJECT
private slots:
    void fileNameForSaving_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("15 bare") << GridSize::Small << "puzzle"
                                 << "puzzle.qrn";
        QTest::newRow("15 kept") << GridSize::Small << "puzzle.qrn"
                                 << "puzzle.qrn";
        QTest::newRow("15 case") << GridSize::Small << "puzzle.QRN"
                                 << "puzzle.QRN.qrn";
        QTest::newRow("30 kept") << GridSize::Large << "puzzle.qrn2"
                                 << "puzzle.qrn2";
        QTest::newRow("30 small ext") << GridSize::Large << "puzzle.qrn"
                                      << "puzzle.qrn.qrn2";
    }
    void fileNameForSaving()
    {
        QFETCH(GridSize, size);
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        QCOMPARE(PuzzleFile::fileNameForSaving(size, chosen), saved);
    }

    void emptySmallPuzzleLayout()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        PuzzleFile file(GridSize::Small);
        const QByteArray bytes = saveToBytes(file, model);
        QCOMPARE(bytes.size(), 1410);
        QCOMPARE(quint8(bytes.at(0)), 239);
        QCOMPARE(field(bytes, 0), QString(239, QLatin1Char(' ')));
        for (int offset : {240, 496, 752, 1008, 1209})
            QCOMPARE(quint8(bytes.at(offset)), 0);
        QCOMPARE(bytes.mid(753, 255), QByteArray(255, '\0')); // reserved, nothing loaded yet

        PuzzleModel loaded(GridSize::Small, &random);
        QVERIFY(loadBytes(file, loaded, bytes).ok);
        QCOMPARE(loaded.wordCount(), 0);
        QCOMPARE(loaded.cell(0, 0), QStringLiteral(" ") + kFillerMark);
        QCOMPARE(loaded.cell(14, 14), QStringLiteral(" ") + kFillerMark);
    }

    void smallRecordFields()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        place(model, "CAT", 2, 3, "Right");
        PuzzleFile file(GridSize::Small);
        const QByteArray bytes = saveToBytes(file, model);
        QCOMPARE(field(bytes, 240), QStringLiteral("CAT\r\n"));
        QCOMPARE(field(bytes, 1008), QStringLiteral("2, 3\r\n"));
        QCOMPARE(field(bytes, 1209), QStringLiteral("Right\r\n"));
        // Cell (i, j) at index i * 16 + j of the grid text.
        QCOMPARE(field(bytes, 0).at(1 * 16 + 2), QLatin1Char('C'));
        QCOMPARE(field(bytes, 0).at(3 * 16 + 2), QLatin1Char('T'));
    }

    void largeRecordFields()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Large, &random);
        place(model, "ZEBRA", 30, 26, "Down");
        PuzzleFile file(GridSize::Large);
        const QByteArray bytes = saveToBytes(file, model);
        QCOMPARE(bytes.size(), 2214);
        QCOMPARE(quint8(bytes.at(0)), 239);
        QCOMPARE(bytes.at(240), '\0'); // padding after grid 1
        for (int offset : {241, 482, 723})
            QCOMPARE(quint8(bytes.at(offset)), 240);
        const QString grid =
            field(bytes, 0) + field(bytes, 241) + field(bytes, 482) + field(bytes, 723);
        QCOMPARE(grid.size(), 959);
        QCOMPARE(grid.at(29 * 31 + 25), QLatin1Char('Z'));
        QCOMPARE(grid.at(29 * 31 + 29), QLatin1Char('A'));
        QCOMPARE(field(bytes, 964), QStringLiteral("ZEBRA\r\n"));
        QCOMPARE(field(bytes, 1732), QStringLiteral("30, 26\r\n"));
        QCOMPARE(field(bytes, 1973), QStringLiteral("Down\r\n"));
    }

    void roundTrip_data()
    {
        bothSizes();
    }
    void roundTrip()
    {
        QFETCH(GridSize, size);
        RandomGenerator random;
        PuzzleModel model{size, &random};
        fillSample(model);
        QTemporaryDir dir;
        const QString path = dir.filePath(PuzzleFile::fileNameForSaving(size, "p"));
        PuzzleFile file{size};
        QVERIFY(file.save(model, path).ok);
        QCOMPARE(QFileInfo(path).size(), qint64(sizeSpec(size).recordBytes));

        PuzzleModel loaded{size, &random};
        PuzzleFile reader{size};
        const FileResult r = reader.load(loaded, path);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(loaded.log(), model.log());
        QCOMPARE(loaded.positions(), model.positions());
        QCOMPARE(loaded.directionMemo(), model.directionMemo());
        for (int c = 0; c < model.columns(); ++c) {
            for (int r = 0; r < model.rows(); ++r) {
                QCOMPARE(loaded.cell(c, r).at(0), model.cell(c, r).at(0));
                QCOMPARE(isWordLetter(loaded.cell(c, r)), isWordLetter(model.cell(c, r)));
            }
        }
    }

    void longWordListSpansTwoFields()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        QStringList words;
        for (int k = 0; k < 18; ++k)
            words << QString(14, QChar('A' + k));
        QStringList pos, dir;
        for (int k = 0; k < 18; ++k) {
            pos << QStringLiteral("1, %1").arg(k % 15 + 1);
            dir << QStringLiteral("Right");
        }
        model.setListTexts(words.join("\r\n"), pos.join("\r\n"), dir.join("\r\n"));
        PuzzleFile file(GridSize::Small);
        const QByteArray bytes = saveToBytes(file, model);
        QCOMPARE(quint8(bytes.at(240)), 255);
        QCOMPARE(quint8(bytes.at(496)), 33);
        PuzzleModel loaded(GridSize::Small, &random);
        QVERIFY(loadBytes(file, loaded, bytes).ok);
        QCOMPARE(loaded.log(), words);
    }

    void cutDirectionsAreRecoveredFromTheLetters_data()
    {
        QTest::addColumn<bool>("spoilLastWord");
        QTest::newRow("every word spelled") << false;
        QTest::newRow("last word not spelled") << true;
    }
    void cutDirectionsAreRecoveredFromTheLetters()
    {
        QFETCH(bool, spoilLastWord);
        // 18 words going Down-Right: the directions text is 216 characters,
        // and the file keeps 200 of them ("Down-Rig" and then nothing).
        // The fill comes from a fixed seed: a clock-seeded fill now and then
        // spells a word in a second direction, which the recovery rightly takes.
        RandomGenerator random([] { return std::uint64_t(11); });
        PuzzleModel model(GridSize::Small, &random);
        QStringList words;
        for (int k = 0; k < 18; ++k) {
            const QString word = QString(QChar('A' + k % 26)) + QChar('A' + (k + 7) % 26) +
                                 QChar('A' + (k + 13) % 26);
            words << word;
            place(model, word, 1 + k % 9, 1 + (k / 9) * 5, "Down-Right");
        }
        model.fillRandom();
        PuzzleFile file(GridSize::Small);
        QByteArray bytes = saveToBytes(file, model);
        QCOMPARE(quint8(bytes.at(1209)), 200);
        if (spoilLastWord) {
            // The last word (from column 8, row 5) has its middle letter, cell
            // (9, 6), changed in the file.
            bytes[1 + 9 * 16 + 6] = 'Q' == bytes.at(1 + 9 * 16 + 6) ? 'R' : 'Q';
        }
        PuzzleModel loaded(GridSize::Small, &random);
        QVERIFY(loadBytes(file, loaded, bytes).ok);
        QCOMPARE(loaded.log(), words);
        QCOMPARE(loaded.directionMemo().size(), 18);
        QCOMPARE(loaded.directionMemo().at(16), QStringLiteral("Down-Right"));
        QCOMPARE(loaded.directionMemo().at(17),
                 spoilLastWord ? QString() : QStringLiteral("Down-Right"));
        // The recovered word is drawn again; the unrecovered one stays letters only.
        QCOMPARE(isWordLetter(loaded.cell(8, 5)), !spoilLastWord);
        QCOMPARE(isWordLetter(loaded.cell(7, 5)), true); // the 17th word starts at X 8, Y 6
        // The bytes that are saved again are those of the cut record.
        PuzzleFile again(GridSize::Small);
        QCOMPARE(saveToBytes(again, loaded).mid(1209, 201), bytes.mid(1209, 201));
    }

    // The example: the cut leaves "Down" of the last "Down-Right",
    // which is a name of its own; the word must come back going Down-Right.
    void cutLineThatNamesAShorterDirection()
    {
        RandomGenerator random([] { return std::uint64_t(3); });
        PuzzleModel model(GridSize::Small, &random);
        for (int k = 0; k < 16; ++k)
            place(model, "Q", 1 + k % 15, 1, "Down-Right");
        place(model, "HI", 1, 5, "Up");
        place(model, "OWL", 10, 10, "Down-Right");
        model.fillRandom();
        PuzzleFile file(GridSize::Small);
        const QByteArray bytes = saveToBytes(file, model);
        QVERIFY(field(bytes, 1209).endsWith(QStringLiteral("Up\r\nDown")));
        PuzzleModel loaded(GridSize::Small, &random);
        QVERIFY(loadBytes(file, loaded, bytes).ok);
        QCOMPARE(loaded.directionMemo().last(), QStringLiteral("Down-Right"));
        for (int p = 0; p < 3; ++p)
            QCOMPARE(loaded.cell(9 + p, 9 + p), QString(QStringLiteral("OWL").at(p)));
        // The cells below the first letter keep their filled letters.
        QVERIFY(loaded.cell(9, 10).endsWith(kFillerMark));
        QVERIFY(loaded.cell(9, 11).endsWith(kFillerMark));
        // Saving again gives the same bytes.
        PuzzleFile again(GridSize::Small);
        QCOMPARE(saveToBytes(again, loaded), bytes);
    }

    // A cut line is recovered only among the names that begin with what the
    // cut left, the first in drawing order that spells the word; every prefix
    // of every name, in both sizes.
    void cutLineRecoveryByPrefix_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<int>("truth");    // the one direction that spells the word, -1: all do
        QTest::addColumn<QString>("tail"); // what the full field ends with
        QTest::addColumn<QString>("expected");
        // When every direction spells the word, the first name in drawing
        // order (Up, Down, Left, Right, Down-Right, Up-Right, Down-Left,
        // Up-Left) that begins with the cut text wins.
        const QHash<QString, QString> firstOfSeveral{
            {"U", "Up"},    {"Up", "Up"},    {"Up-", "Up-Right"}, {"D", "Down"},
            {"Do", "Down"}, {"Dow", "Down"}, {"Down", "Down"},    {"Down-", "Down-Right"},
        };
        for (GridSize size : {GridSize::Small, GridSize::Large}) {
            const QString tag = size == GridSize::Small ? "15 " : "30 ";
            for (int d = 0; d < 8; ++d) {
                const QString name = QString::fromLatin1(directionTable()[std::size_t(d)].name);
                for (int len = 1; len <= name.size(); ++len) {
                    const QString cut = name.left(len);
                    QTest::newRow(qPrintable(tag + cut + " of " + name + ", only it spells"))
                        << size << d << cut << name;
                    QTest::newRow(qPrintable(tag + cut + " of " + name + ", all spell"))
                        << size << -1 << cut << firstOfSeveral.value(cut, name);
                }
            }
            // Nothing that begins with the cut text spells the word: kept as stored.
            QTest::newRow(qPrintable(tag + "Up- when only Down-Right spells"))
                << size << int(Direction::DownRight) << "Up-"
                << "Up-";
            QTest::newRow(qPrintable(tag + "Dow when only Up spells"))
                << size << int(Direction::Up) << "Dow"
                << "Dow";
            // A line that ends in CR was complete; only its LF was cut.
            QTest::newRow(qPrintable(tag + "Dow and CR"))
                << size << int(Direction::Down) << "Dow\r"
                << "Dow";
            QTest::newRow(qPrintable(tag + "Up and CR"))
                << size << int(Direction::UpRight) << "Up\r"
                << "Up";
        }
    }
    void cutLineRecoveryByPrefix()
    {
        QFETCH(GridSize, size);
        QFETCH(int, truth);
        QFETCH(QString, tail);
        QFETCH(QString, expected);
        const GridSize gs = size;
        const SizeSpec &spec = sizeSpec(gs);
        PuzzleFileRecord record(gs);
        const int capacity = gs == GridSize::Small ? 200 : 240;
        const int side = spec.storeColumns;

        // The grid: 'A' everywhere, the word QRS from the middle cell in the
        // direction that spells it (or in all eight), and Z at the top left
        // for the one-letter words whose lines fill the field.
        const int mid = spec.columns / 2;
        QByteArray grid(gs == GridSize::Small ? 239 : 959, 'A');
        grid[0] = 'Z';
        for (int d = 0; d < 8; ++d) {
            if (truth != -1 && truth != d)
                continue;
            const DirectionInfo &info = directionTable()[std::size_t(d)];
            for (int p = 0; p < 3; ++p)
                grid[(mid + p * info.columnStep) * side + mid + p * info.rowStep] = "QRS"[p];
        }
        record.grid = grid;

        // Whole lines ("Z" words going Down-Right, a few shorter names to hit
        // the length exactly), then the cut line, filling the field.
        QByteArray lines;
        int room = capacity - int(tail.size());
        const char *const shorter[] = {"Up", "Down", "Right", "Up-Left", "Up-Right", "Down-Left"};
        QList<QByteArray> filler;
        while (room >= 12 + 12 || room == 12) {
            filler << "Down-Right";
            room -= 12;
        }
        while (room > 0) {
            // The longest shorter line that leaves a remainder lines can fill
            // (every length but 1, 2, 3 and 5).
            bool took = false;
            for (int i = 5; i >= 0 && !took; --i) {
                const int rest = room - int(qstrlen(shorter[i])) - 2;
                if (rest == 0 || rest == 4 || rest >= 6) {
                    filler << shorter[i];
                    room = rest;
                    took = true;
                }
            }
            QVERIFY(took);
        }
        QByteArray words, positions;
        for (const QByteArray &line : filler) {
            lines += line + "\r\n";
            words += "Z\r\n";
            positions += "1, 1\r\n";
        }
        lines += tail.toLatin1();
        QCOMPARE(lines.size(), capacity);
        words += "QRS\r\n";
        positions += QByteArray::number(mid + 1) + ", " + QByteArray::number(mid + 1) + "\r\n";
        record.words = words;
        record.positions = positions;
        record.directions = lines;
        const QByteArray bytes = record.toBytes();

        RandomGenerator random([] { return std::uint64_t(1); });
        PuzzleModel loaded(gs, &random);
        PuzzleFile file(gs);
        QVERIFY(loadBytes(file, loaded, bytes).ok);
        QCOMPARE(loaded.wordCount(), filler.size() + 1);
        QCOMPARE(loaded.directionMemo().size(), filler.size() + 1);
        QCOMPARE(loaded.directionMemo().last(), expected);
        // Only the recovered direction is drawn: three word letters there, none elsewhere.
        int wordLetters = 0;
        for (int c = 0; c < spec.columns; ++c)
            for (int r = 0; r < spec.rows; ++r)
                wordLetters += (c || r) && isWordLetter(loaded.cell(c, r));
        const std::optional<Direction> drawn = directionFromName(expected);
        QCOMPARE(wordLetters, drawn ? 3 : 0);
        if (drawn) {
            const DirectionInfo &info = directionInfo(*drawn);
            for (int p = 0; p < 3; ++p)
                QCOMPARE(loaded.cell(mid + p * info.columnStep, mid + p * info.rowStep),
                         QString(QLatin1Char("QRS"[p])));
        }
        // The file's bytes are not changed by the load.
        PuzzleFile again(gs);
        QCOMPARE(saveToBytes(again, loaded).mid(bytes.size() - capacity - 1),
                 bytes.mid(bytes.size() - capacity - 1));
    }

    // Complete lines are kept as stored, even when they name no direction
    // and the letters spell the word one way.
    void completeLinesAreKeptAsStored_data()
    {
        bothSizes();
    }
    void completeLinesAreKeptAsStored()
    {
        QFETCH(GridSize, size);
        const GridSize gs = size;
        RandomGenerator random;
        PuzzleModel source(gs, &random);
        place(source, "CAT", 2, 5, "Up");
        place(source, "DOG", 5, 5, "Right");
        PuzzleFile writer(gs);
        QByteArray bytes = saveToBytes(writer, source);
        const int at = gs == GridSize::Small ? 1209 : 1973;
        QCOMPARE(field(bytes, at), QStringLiteral("Up\r\nRight\r\n"));
        bytes.replace(at + 1, 10, "up\r\nRigh\r\n");
        bytes[at] = char(10);
        PuzzleModel loaded(gs, &random);
        PuzzleFile reader(gs);
        QVERIFY(loadBytes(reader, loaded, bytes).ok);
        QCOMPARE(loaded.directionMemo(), (QStringList{"up", "Righ"}));
        // Neither word is drawn: their letters come back as filled cells.
        QCOMPARE(loaded.cell(1, 4), QStringLiteral("C") + kFillerMark);
        QCOMPARE(loaded.cell(4, 4), QStringLiteral("D") + kFillerMark);
    }

    // Record text is Windows-1252: its letters and signs in 0x80..0x9F are
    // written as their own bytes and read back as the same characters.
    void codePageCharactersRoundTrip_data()
    {
        bothSizes();
    }
    void codePageCharactersRoundTrip()
    {
        QFETCH(GridSize, size);
        const GridSize gs = size;
        RandomGenerator random([] { return std::uint64_t(6); });
        PuzzleModel model(gs, &random);
        model.setListTexts(QStringLiteral("ŠÖŸ\r\n"), QStringLiteral("1, 1\r\n"),
                           QStringLiteral("Right\r\n"));
        model.refreshGrid();
        model.fillMessage(QStringLiteral("€ ßœ"));
        PuzzleFile file(gs);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const FileResult saved = file.save(model, buffer);
        QVERIFY(saved.ok);
        QVERIFY2(saved.notice.isEmpty(), qPrintable(saved.notice));
        const QByteArray bytes = buffer.data();
        // The grid's first row, column by column: the word, then the message.
        const int side = model.storeColumns();
        QByteArray firstRow;
        for (int col = 0; col < 6; ++col)
            firstRow += bytes.at(1 + col * side);
        QCOMPARE(firstRow, QByteArray("\x8A\xD6\x9F\x80\xDF\x8C"));
        const int wordsAt = gs == GridSize::Small ? 240 : 964;
        QCOMPARE(bytes.mid(wordsAt, 6), QByteArray("\x05\x8A\xD6\x9F\r\n"));

        PuzzleModel loaded(gs, &random);
        QVERIFY(loadBytes(file, loaded, bytes).ok);
        QCOMPARE(loaded.log(), QStringList{QStringLiteral("ŠÖŸ")});
        QCOMPARE(loaded.cell(2, 0), QStringLiteral("Ÿ"));
        QCOMPARE(loaded.cell(3, 0), QStringLiteral("€") + kFillerMark);
        QCOMPARE(loaded.cell(5, 0), QStringLiteral("Œ") + kFillerMark);
    }

    // A character the files cannot hold is saved as "?", and the save says which.
    void charactersWithoutAByteAreNamed()
    {
        RandomGenerator random([] { return std::uint64_t(6); });
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts(QStringLiteral("ЖУК\r\n"), QStringLiteral("1, 1\r\n"),
                           QStringLiteral("Right\r\n"));
        model.refreshGrid();
        model.fillMessage(QStringLiteral("a✓"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.qrn"));
        PuzzleFile file(GridSize::Small);
        const FileResult saved = file.save(model, path);
        QVERIFY(saved.ok);
        for (const char *needle : {"\"Ж\"", "\"У\"", "\"К\"", "\"✓\"", "\"?\""})
            QVERIFY2(saved.notice.contains(QString::fromUtf8(needle)), qPrintable(saved.notice));
        QVERIFY2(!saved.notice.contains(QStringLiteral("\"A\"")), qPrintable(saved.notice));
        QFile in(path);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();
        QCOMPARE(bytes.mid(240, 6), QByteArray("\x05???\r\n"));
        QCOMPARE(bytes.at(1 + 3 * 16), 'A');
        QCOMPARE(bytes.at(1 + 4 * 16), '?');
        // A puzzle that fits the code page saves without a notice.
        PuzzleModel plain(GridSize::Small, &random);
        place(plain, "CAT", 1, 1, "Right");
        QVERIFY(file.save(plain, path).notice.isEmpty());
    }

    void reservedFieldIsCarriedFromTheLastLoad()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        PuzzleFile file(GridSize::Small);
        QByteArray bytes = saveToBytes(file, model);
        bytes[752] = char(3);
        bytes.replace(753, 3, "abc");
        QVERIFY(loadBytes(file, model, bytes).ok);
        const QByteArray again = saveToBytes(file, model);
        QCOMPARE(again.mid(752, 256), bytes.mid(752, 256));
    }

    void damagedFilesAreRefusedWhole_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<int>("offset"); // -1: cut the file instead
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("needle");
        QTest::newRow("15 grid length") << GridSize::Small << 0 << 240 << "grid field";
        QTest::newRow("15 positions length")
            << GridSize::Small << 1008 << 201 << "positions field claims 201";
        QTest::newRow("15 directions length")
            << GridSize::Small << 1209 << 255 << "directions field";
        QTest::newRow("30 grid 2 length") << GridSize::Large << 241 << 241 << "grid field";
        QTest::newRow("30 positions length")
            << GridSize::Large << 1732 << 250 << "positions field";
        QTest::newRow("15 empty file") << GridSize::Small << -1 << 0 << "holds 0 bytes";
        QTest::newRow("15 one byte short") << GridSize::Small << -1 << 1409 << "1409 bytes";
        QTest::newRow("30 one byte short") << GridSize::Large << -1 << 2213 << "2213 bytes";
        QTest::newRow("30x30 file in 15x15") << GridSize::Small << -2 << 0 << "30x30 puzzle";
        QTest::newRow("15x15 file in 30x30") << GridSize::Large << -2 << 0 << "15x15 puzzle";
        QTest::newRow("positions with letters")
            << GridSize::Small << -3 << 0 << "'A' is not a valid integer value";
    }
    void damagedFilesAreRefusedWhole()
    {
        QFETCH(GridSize, size);
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(QString, needle);
        const GridSize gs = size;
        RandomGenerator random;
        PuzzleModel source(gs, &random);
        place(source, "CAT", 1, 1, "Right");
        PuzzleFile writer(gs);
        QByteArray bytes = saveToBytes(writer, source);
        if (offset >= 0) {
            bytes[offset] = char(value);
        } else if (offset == -1) {
            bytes.truncate(value);
        } else if (offset == -2) {
            const GridSize other = gs == GridSize::Small ? GridSize::Large : GridSize::Small;
            PuzzleModel otherModel(other, &random);
            PuzzleFile otherFile(other);
            bytes = saveToBytes(otherFile, otherModel);
        } else {
            const int posOffset = 1008;
            bytes[posOffset] = char(6);
            bytes.replace(posOffset + 1, 6, "A, 1\r\n");
        }

        PuzzleModel target(gs, &random);
        place(target, "DOG", 2, 2, "Down");
        target.fillRandom();
        const PuzzleState before = stateOf(target);
        PuzzleFile reader(gs);
        const FileResult r = loadBytes(reader, target, bytes);
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(needle), qPrintable(r.error));
        QVERIFY(stateOf(target) == before);
    }

    // Only a file of exactly this size's record length loads; the message
    // names the length expected, and the other grid for the other's length.
    void wrongLengthsAreRefused_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<int>("length");
        QTest::addColumn<QStringList>("needles");
        const GridSize s = GridSize::Small, l = GridSize::Large;
        QTest::newRow("15: one byte extra")
            << s << 1411 << QStringList{"holds 1411 bytes", "a 15x15 puzzle file holds 1410"};
        QTest::newRow("15: a 30x30 file and one byte")
            << s << 2215 << QStringList{"holds 2215 bytes", "holds 1410"};
        QTest::newRow("15: far too long")
            << s << 6410 << QStringList{"holds 6410 bytes", "holds 1410"};
        QTest::newRow("15: a 30x30 file")
            << s << 2214 << QStringList{"30x30 puzzle", "holds 1410", "Load it in the 30x30 grid"};
        QTest::newRow("30: one byte extra")
            << l << 2215 << QStringList{"holds 2215 bytes", "a 30x30 puzzle file holds 2214"};
        QTest::newRow("30: a 15x15 file and one byte")
            << l << 1411 << QStringList{"holds 1411 bytes", "holds 2214"};
        QTest::newRow("30: a 15x15 file")
            << l << 1410 << QStringList{"15x15 puzzle", "holds 2214", "Load it in the 15x15 grid"};
    }
    void wrongLengthsAreRefused()
    {
        QFETCH(GridSize, size);
        QFETCH(int, length);
        QFETCH(QStringList, needles);
        const GridSize gs = size;
        RandomGenerator random([] { return std::uint64_t(4); });
        PuzzleModel source(gs, &random);
        place(source, "CAT", 1, 1, "Right");
        PuzzleFile writer(gs);
        const QByteArray good = saveToBytes(writer, source);
        const QByteArray bytes = good.leftJustified(length, 'x', true);

        PuzzleModel target(gs, &random);
        place(target, "DOG", 2, 2, "Down");
        target.fillRandom();
        const PuzzleState before = stateOf(target);
        PuzzleFile reader(gs);
        // Both through a file and through a device.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("puzzle"));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(bytes), qint64(bytes.size()));
        out.close();
        for (const FileResult &r : {reader.load(target, path), loadBytes(reader, target, bytes)}) {
            QVERIFY(!r.ok);
            for (const QString &needle : needles)
                QVERIFY2(r.error.contains(needle), qPrintable(r.error));
            QVERIFY(stateOf(target) == before);
        }
        // The exact length loads.
        QVERIFY(loadBytes(reader, target, good).ok);
        QCOMPARE(target.log(), QStringList{"CAT"});
    }

    void positionsLeavingTheGridLoadButAreNotDrawn()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        PuzzleFile file(GridSize::Small);
        QByteArray bytes = saveToBytes(file, model);
        const QByteArray words = "CAT\r\n", pos = "-5, 40\r\n", dirs = "Right\r\n";
        bytes[240] = char(words.size());
        bytes.replace(241, words.size(), words);
        bytes[1008] = char(pos.size());
        bytes.replace(1009, pos.size(), pos);
        bytes[1209] = char(dirs.size());
        bytes.replace(1210, dirs.size(), dirs);
        QVERIFY(loadBytes(file, model, bytes).ok);
        QCOMPARE(model.log(), QStringList{"CAT"});
        for (int c = 0; c < 16; ++c)
            for (int r = 0; r < 15; ++r)
                QVERIFY(!isWordLetter(model.cell(c, r)));
    }

    void nonAsciiBytesLoad()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        PuzzleFile file(GridSize::Small);
        QByteArray bytes = saveToBytes(file, model);
        bytes[1] = char(0xE9);
        bytes[2] = char(0);
        bytes[240] = char(3);
        bytes.replace(241, 3, "\xC4\xD6\xDC");
        QVERIFY(loadBytes(file, model, bytes).ok);
        QCOMPARE(model.cell(0, 0), QString(QChar(0xE9)) + kFillerMark);
        QCOMPARE(model.log(), QStringList{QString::fromLatin1("\xC4\xD6\xDC")});
    }

    void failedWriteReports()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        PuzzleFile file(GridSize::Small);
        FailDevice device(700);
        const FileResult r = file.save(model, device);
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains("No space left"), qPrintable(r.error));
    }

    // The previous file is the target of a save into a folder that takes no
    // new file (read-only for the user saving). The file itself could be
    // written in place, so only a save through a separate file keeps it.
    void unwritableFolderKeepsThePreviousFile()
    {
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize::Small, &random);
        place(model, "CAT", 1, 1, "Right");
        QTemporaryDir dir;
        const QString path = dir.filePath("old.qrn");
        writePrevious(path);
        QVERIFY(QFile::setPermissions(dir.path(), kReadOnlyFolder));
        PuzzleFile file(GridSize::Small);
        FileResult bad;
        {
            OrdinaryUser user;
            QVERIFY(user.active());
            QVERIFY2(writableAsNow(path), kReachable);
            bad = file.save(model, path);
        }
        QVERIFY(QFile::setPermissions(dir.path(), kOwnFolder));
        QVERIFY(!bad.ok);
        QVERIFY2(namesFileAndReason(bad.error, path, EACCES), qPrintable(bad.error));
        QCOMPARE(readAll(path), QByteArray("previous puzzle"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.qrn"});
    }

    // Everything is written, but the finished file cannot be put in the old
    // one's place: in a shared folder (sticky bit) a user may not replace
    // another user's file. The old file stays, nothing is left behind, and
    // the message names the file and the system's reason.
    void failedFinalRenameKeepsThePreviousFile()
    {
        if (geteuid() != 0)
            QSKIP("needs root, to save as another user than the previous file's owner");
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize::Small, &random);
        place(model, "CAT", 1, 1, "Right");
        QTemporaryDir dir;
        const QString path = dir.filePath("old.qrn");
        writePrevious(path);
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 01777) == 0);
        PuzzleFile file(GridSize::Small);
        FileResult bad;
        {
            OrdinaryUser user;
            QVERIFY(user.switched());
            QVERIFY2(writableAsNow(path), kReachable);
            bad = file.save(model, path);
        }
        QVERIFY(!bad.ok);
        QVERIFY2(namesFileAndReason(bad.error, path, EPERM), qPrintable(bad.error));
        QCOMPARE(readAll(path), QByteArray("previous puzzle"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.qrn"});

        // Saved by the file's owner, the same puzzle goes through.
        QVERIFY(file.save(model, path).ok);
        QCOMPARE(readAll(path).size(), sizeSpec(GridSize::Small).recordBytes);
    }

    void missingFileIsReported()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        PuzzleFile file(GridSize::Small);
        const FileResult r = file.load(model, QStringLiteral("/nonexistent/puzzle.qrn"));
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains("could not be opened"));
    }
};

QTEST_APPLESS_MAIN(TestPuzzleFile)
#include "test_puzzle_file.moc"
