// Puzzle documents (ipuz): written and read back at any size, the fields other
// programs read, documents from other programs, damaged and foreign documents
// refused with what is wrong, and records converted to documents and back.

#include "../puzzle/board.h"
#include "file_faults.h"
#include "files/puzzle_document.h"
#include "files/puzzle_file.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;
using namespace quarrin::test;

namespace {

// A device that takes no bytes, as a full disk would.
class RefusingDevice : public QBuffer
{
protected:
    qint64 writeData(const char *, qint64) override { return -1; }
};

struct Made
{
    PuzzleDocument document;
    PuzzleState state;
    QStringList clues;
};

// A puzzle of `size` with a word along each edge it can take, a clue, a
// hidden message, a random fill and page settings.
Made makePuzzle(GridSize size, RandomGenerator &random)
{
    PuzzleModel model(size, &random);
    const int w = size.columns(), h = size.rows();
    const int longest = std::min(w, sizeSpec(size).maxWordLength);
    place(model, QString(longest, QLatin1Char('A')).replace(0, 1, QStringLiteral("Z")), 1, 1,
          QStringLiteral("Right"));
    place(model, QStringLiteral("OWL"), w, h, QStringLiteral("Up-Left"));
    place(model, QStringLiteral("DOG"), 1, h, QStringLiteral("Up"));
    model.setClue(1, QStringLiteral("Wise bird"));
    model.fillMessage(QStringLiteral("hi there"));
    model.fillRandom();
    PageSettings page;
    page.title = QStringLiteral("Birds & <Beasts>");
    page.titleTop = 3;
    page.titleFont = QStringLiteral("Liberation Serif,20,-1,5,700,0,0,0,0,0,0,0,0,0,0,1");
    page.gridColour = QStringLiteral("#ffeecc");
    page.answerKey = true;
    Made made;
    made.document = documentFromModel(model, 7, &page);
    made.state = stateOf(model);
    made.clues = model.clues();
    return made;
}

QByteArray minimalDocument(const QString &kindAndRest)
{
    return (QStringLiteral("{\"version\": \"http://ipuz.org/v2\", ") + kindAndRest +
            QStringLiteral("}"))
        .toUtf8();
}

// A 5x5 word search in ipuz fields alone, as another program writes it.
QJsonObject foreignDocument()
{
    QJsonObject root;
    root.insert("version", "http://ipuz.org/v2");
    root.insert("kind", QJsonArray{"http://ipuz.org/wordsearch#1"});
    root.insert("title", "Pets");
    root.insert("dimensions", QJsonObject{{"width", 5}, {"height", 5}});
    root.insert("puzzle",
                QJsonArray{QJsonArray{"c", "a", "t", "x", "y"}, QJsonArray{"q", "d", "w", "e", "r"},
                           QJsonArray{"o", "z", "o", "u", "i"}, QJsonArray{"p", "a", "s", "g", "d"},
                           QJsonArray{"f", "g", "h", "j", "k"}});
    root.insert(
        "solution",
        QJsonObject{{"CAT", QJsonObject{{"cells", QJsonArray{QJsonArray{1, 1}, QJsonArray{2, 1},
                                                             QJsonArray{3, 1}}}}},
                    {"DOG", QJsonObject{{"cells", QJsonArray{QJsonArray{2, 2}, QJsonArray{3, 3},
                                                             QJsonArray{4, 4}}}}}});
    return root;
}

QByteArray bytesOf(const QJsonObject &o)
{
    return QJsonDocument(o).toJson();
}

} // namespace

class TestPuzzleDocument : public QObject
{
    Q_OBJECT
private slots:
    void writtenAndReadBack_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::newRow("5x5") << GridSize(5, 5);
        QTest::newRow("50x50") << GridSize(50, 50);
        QTest::newRow("7x23") << GridSize(7, 23);
        QTest::newRow("23x7") << GridSize(23, 7);
        QTest::newRow("15x15") << GridSize::Small;
        QTest::newRow("30x30") << GridSize::Large;
    }
    void writtenAndReadBack()
    {
        QFETCH(GridSize, size);
        RandomGenerator random = fixedRandom(77);
        const Made made = makePuzzle(size, random);
        const QByteArray bytes = documentBytes(made.document);

        PuzzleDocument read;
        const FileResult parsed = parseDocument(bytes, &read);
        QVERIFY2(parsed.ok, qPrintable(parsed.error));
        QVERIFY2(parsed.notice.isEmpty(), qPrintable(parsed.notice));
        QCOMPARE(read.size, size);
        QCOMPARE(read.page, made.document.page);
        QCOMPARE(read.message, QStringLiteral("HITHERE"));
        QVERIFY(read.letters == made.document.letters);
        QVERIFY(read.kinds == made.document.kinds);

        PuzzleModel loaded(size, &random);
        QVERIFY(applyDocument(read, loaded).ok);
        QVERIFY(stateOf(loaded) == made.state);
        QCOMPARE(loaded.clues(), made.clues);
        // And once more: the text a document gives is the text it was read from.
        QCOMPARE(documentBytes(read), bytes);
    }

    // The fields another program reads: ipuz's own, with the words' cells
    // counted from 1 as [column, row].
    void fieldsOtherProgramsRead()
    {
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize(7, 5), &random);
        place(model, QStringLiteral("CAT"), 2, 1, QStringLiteral("Down-Right"));
        place(model, QStringLiteral("CAT"), 2, 1, QStringLiteral("Down-Right")); // twice
        PageSettings page;
        page.title = QStringLiteral("Farm & Home");
        const QJsonObject root =
            QJsonDocument::fromJson(documentBytes(documentFromModel(model, 0, &page))).object();
        QCOMPARE(root.value("version").toString(), QStringLiteral("http://ipuz.org/v2"));
        QCOMPARE(root.value("kind").toArray(), QJsonArray{"http://ipuz.org/wordsearch#1"});
        QCOMPARE(root.value("title").toString(), QStringLiteral("Farm &amp; Home"));
        QCOMPARE(root.value("dimensions").toObject(), (QJsonObject{{"width", 7}, {"height", 5}}));
        const QJsonArray rows = root.value("puzzle").toArray();
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows.at(0).toArray().size(), 7);
        QCOMPARE(rows.at(0).toArray().at(1).toString(), QStringLiteral("C"));
        QCOMPARE(rows.at(2).toArray().at(3).toString(), QStringLiteral("T"));
        QCOMPARE(rows.at(0).toArray().at(0).toInt(-1), 0); // a blank cell: ipuz's empty value
        QCOMPARE(root.value("solution").toObject(),
                 (QJsonObject{
                     {"CAT", QJsonObject{{"cells", QJsonArray{QJsonArray{2, 1}, QJsonArray{3, 2},
                                                              QJsonArray{4, 3}}}}}}));
        // Both entries of the word list, in order, are in our own extension.
        const QJsonArray words =
            root.value(kDocumentExtensionKey).toObject().value("words").toArray();
        QCOMPARE(words.size(), 2);
        QCOMPARE(words.at(1).toObject().value("direction").toString(),
                 QStringLiteral("Down-Right"));
        QCOMPARE(words.at(1).toObject().value("position").toString(), QStringLiteral("2, 1"));
    }

    // A document from another program loads from the ipuz fields alone:
    // lower-case letters become capitals, the words come from the solution.
    void documentFromAnotherProgram()
    {
        PuzzleDocument read;
        const FileResult parsed = parseDocument(bytesOf(foreignDocument()), &read);
        QVERIFY2(parsed.ok, qPrintable(parsed.error));
        QCOMPARE(read.page.title, QStringLiteral("Pets"));
        QCOMPARE(read.words, (QStringList{"CAT", "DOG"}));
        QCOMPARE(read.positions, (QStringList{"1, 1", "2, 2"}));
        QCOMPARE(read.directions, (QStringList{"Right", "Down-Right"}));
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize(5, 5), &random);
        QVERIFY(applyDocument(read, model).ok);
        QCOMPARE(board(model), (QStringList{
                                   "CATxy",
                                   "qDwer",
                                   "ozOui",
                                   "pasGd",
                                   "fghjk",
                               }));
    }

    // Words listed without cells are looked for in the grid.
    void wordsWithoutCellsAreFound()
    {
        QJsonObject root = foreignDocument();
        root.insert("solution", QJsonArray{"dog", "CAT"});
        PuzzleDocument read;
        const FileResult parsed = parseDocument(bytesOf(root), &read);
        QVERIFY2(parsed.ok, qPrintable(parsed.error));
        QCOMPARE(read.words, (QStringList{"DOG", "CAT"}));
        QCOMPARE(read.positions, (QStringList{"2, 2", "1, 1"}));
        QCOMPARE(read.directions, (QStringList{"Down-Right", "Right"}));
    }

    // Fields of a newer version load without them, with a notice naming them;
    // other programs' extensions are passed over quietly.
    void newerFieldsArePassedOverWithANotice()
    {
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize(6, 6), &random);
        place(model, QStringLiteral("EMU"), 1, 1, QStringLiteral("Down"));
        QJsonObject root =
            QJsonDocument::fromJson(documentBytes(documentFromModel(model))).object();
        root.insert("sparkle", true);
        root.insert("com.example.other.theme", "holiday");
        QJsonObject ext = root.value(kDocumentExtensionKey).toObject();
        ext.insert("hologram", 3);
        ext.insert("format", 2);
        root.insert(kDocumentExtensionKey, ext);
        PuzzleDocument read;
        const FileResult parsed = parseDocument(bytesOf(root), &read, "/tmp/emu.ipuz");
        QVERIFY2(parsed.ok, qPrintable(parsed.error));
        QCOMPARE(parsed.notice,
                 QStringLiteral("\"emu.ipuz\" was written by a newer version of Word Quarrin "
                                "Generator. These parts of it were passed over: sparkle, "
                                "hologram, format 2."));
        QCOMPARE(read.words, QStringList{"EMU"});
    }

    void damagedAndForeignDocumentsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected"); // part of the message
        const QByteArray kind = "\"kind\": [\"http://ipuz.org/wordsearch#1\"]";
        QTest::newRow("bad JSON") << QByteArray(
                                         "{\"version\": \"http://ipuz.org/v2\",\n \"kind\": [")
                                  << "its JSON is damaged at line 2, column 11";
        QTest::newRow("not an object") << QByteArray("[1, 2]") << "it holds no ipuz object";
        QTest::newRow("no version") << QByteArray("{\"kind\": []}") << "names no ipuz version";
        QTest::newRow("a crossword")
            << minimalDocument("\"kind\": [\"http://ipuz.org/crossword#1\"], \"dimensions\": "
                               "{\"width\": 5, \"height\": 5}")
            << "it is a crossword puzzle, not a word search";
        QTest::newRow("another program's kind")
            << minimalDocument("\"kind\": [\"http://example.com/maze\"]")
            << "names no puzzle kind this program knows";
        QTest::newRow("no dimensions") << minimalDocument(kind) << "gives no width and height";
        QTest::newRow("too wide")
            << minimalDocument(kind + ", \"dimensions\": {\"width\": 60, \"height\": 10}")
            << "its grid is 60 columns by 10 rows; columns and rows must each be from 5 to 50";
        // No integer holds it (the sanitizers once caught its conversion).
        QTest::newRow("width beyond any integer")
            << minimalDocument(kind + ", \"dimensions\": {\"width\": 5e85, \"height\": 10}")
            << "gives no width and height";
        QTest::newRow("too small")
            << minimalDocument(kind + ", \"dimensions\": {\"width\": 4, \"height\": 10}")
            << "its grid is 4 columns by 10 rows";
        QTest::newRow("no letters")
            << minimalDocument(kind + ", \"dimensions\": {\"width\": 5, \"height\": 5}")
            << "it holds no letter grid";

        auto withCell = [](int row, int col, const QJsonValue &value) {
            QJsonObject root = foreignDocument();
            QJsonArray rows = root.value("puzzle").toArray();
            QJsonArray line = rows.at(row).toArray();
            line[col] = value;
            rows[row] = line;
            root.insert("puzzle", rows);
            return bytesOf(root);
        };
        QTest::newRow("a cell of two letters")
            << withCell(4, 2, "QU")
            << "the cell at column 3, row 5 holds \"QU\"; a cell holds one letter";
        QTest::newRow("a digit") << withCell(0, 4, "7") << "holds \"7\", which is not a letter";
        QTest::newRow("a number") << withCell(0, 4, 7) << "holds 7, which is not a letter";
        QJsonObject shortRow = foreignDocument();
        QJsonArray rows = shortRow.value("puzzle").toArray();
        rows[1] = QJsonArray{"a", "b"};
        shortRow.insert("puzzle", rows);
        QTest::newRow("a short row")
            << bytesOf(shortRow)
            << "row 2 of its letter grid has 2 cells, and its dimensions say 5";

        QJsonObject misplaced = foreignDocument();
        misplaced.insert(
            "solution",
            QJsonObject{{"CAT", QJsonObject{{"cells", QJsonArray{QJsonArray{1, 2}, QJsonArray{2, 2},
                                                                 QJsonArray{3, 2}}}}}});
        QTest::newRow("a word that does not read where it says")
            << bytesOf(misplaced)
            << "the word \"CAT\" does not read at 1, 2 going Right: the grid holds \"QDW\" there";
        QJsonObject crooked = foreignDocument();
        crooked.insert(
            "solution",
            QJsonObject{{"CAT", QJsonObject{{"cells", QJsonArray{QJsonArray{1, 1}, QJsonArray{2, 1},
                                                                 QJsonArray{3, 2}}}}}});
        QTest::newRow("a word off a line")
            << bytesOf(crooked) << "the cells of the word \"CAT\" do not run in a straight line";
        QJsonObject missing = foreignDocument();
        missing.insert("solution", QJsonArray{"HORSE"});
        QTest::newRow("a word nowhere in the grid")
            << bytesOf(missing) << "the word \"HORSE\" does not read anywhere in its grid";
        QTest::newRow("over 10 MB")
            << QByteArray(kMaxDocumentBytes + 1, ' ') << "a puzzle document holds at most 10 MB";
    }
    void damagedAndForeignDocumentsAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        PuzzleDocument read = PuzzleDocument::empty(GridSize(9, 9));
        read.words << QStringLiteral("KEPT");
        const FileResult parsed = parseDocument(bytes, &read, "/home/t/puzzle.ipuz");
        QVERIFY(!parsed.ok);
        QVERIFY2(parsed.error.startsWith(QStringLiteral("\"puzzle.ipuz\" could not be loaded: ")),
                 qPrintable(parsed.error));
        QVERIFY2(parsed.error.contains(expected), qPrintable(parsed.error));
        // A refused document leaves what it was to be read into alone.
        QCOMPARE(read.size, GridSize(9, 9));
        QCOMPARE(read.words, QStringList{"KEPT"});
    }

    // The margin holds what a record's margin held; a control character
    // there is no letter, and the document reads back the same.
    void marginControlCharactersAreBlank()
    {
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize(6, 5), &random);
        place(model, QStringLiteral("EMU"), 1, 1, QStringLiteral("Right"));
        QJsonObject root =
            QJsonDocument::fromJson(documentBytes(documentFromModel(model))).object();
        QJsonObject ext = root.value(kDocumentExtensionKey).toObject();
        ext.insert("margin", QJsonObject{{"column", QString("Q\u0001 X\tZ")},
                                         {"row", QString(QChar(0)) + "ABCD"}});
        root.insert(kDocumentExtensionKey, ext);
        PuzzleDocument read;
        QVERIFY(parseDocument(bytesOf(root), &read).ok);
        QCOMPARE(read.letterAt(6, 0), u'Q');
        QCOMPARE(read.letterAt(6, 1), char16_t(0));
        QCOMPARE(read.kindAt(6, 1), DocumentCell::Blank);
        QCOMPARE(read.letterAt(6, 3), u'X');
        QCOMPARE(read.letterAt(6, 4), char16_t(0));
        QCOMPARE(read.letterAt(0, 5), char16_t(0));
        QCOMPARE(read.letterAt(1, 5), u'A');
        PuzzleDocument again;
        QVERIFY(parseDocument(documentBytes(read), &again).ok);
        QVERIFY(again.letters == read.letters);
        QVERIFY(again.kinds == read.kinds);
    }

    // A file over 10 MB is not read whole to find that out.
    void aLargeFileIsRefusedWithItsSize()
    {
        QBuffer big;
        big.setData(QByteArray(12 * 1024 * 1024, ' '));
        QVERIFY(big.open(QIODevice::ReadOnly));
        PuzzleDocument read;
        const FileResult result = readDocument(big, &read, "big.ipuz");
        QVERIFY(!result.ok);
        QCOMPARE(result.error, QStringLiteral("\"big.ipuz\" could not be loaded: it holds 12.0 MB, "
                                              "and a puzzle document holds at most 10 MB."));
    }

    void failedWritesAreReported()
    {
        RefusingDevice device;
        QVERIFY(device.open(QIODevice::WriteOnly));
        const FileResult result = writeDocument(device, PuzzleDocument::empty(GridSize(8, 8)));
        QVERIFY(!result.ok);
        QVERIFY(result.error.startsWith(QStringLiteral("The puzzle could not be written")));

        // A save that fails keeps the old file as it was.
        QTemporaryDir dir;
        const QString path = dir.filePath("kept.ipuz");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents");
        old.close();
        {
            DiskFull full(100);
            QVERIFY(full.active());
            RandomGenerator random = fixedRandom();
            const Made made = makePuzzle(GridSize(20, 20), random);
            const FileResult saved = saveDocument(made.document, path);
            QVERIFY(!saved.ok);
            QVERIFY2(saved.error.contains(QStringLiteral("could not be saved")),
                     qPrintable(saved.error));
        }
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old contents"));
    }

    // A record made by the program, converted to a document and back, is
    // the same bytes: margin letters and the reserved field included.
    void recordToDocumentAndBack_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<bool>("reservedUsed");
        QTest::newRow("15x15") << GridSize::Small << false;
        QTest::newRow("15x15 with a reserved field") << GridSize::Small << true;
        QTest::newRow("30x30") << GridSize::Large << false;
    }
    void recordToDocumentAndBack()
    {
        QFETCH(GridSize, size);
        QFETCH(bool, reservedUsed);
        RandomGenerator random = fixedRandom(9);
        PuzzleModel model(size, &random);
        place(model, QStringLiteral("HEDGEHOG"), 2, 3, QStringLiteral("Down-Right"));
        place(model, QStringLiteral("FOX"), 15, 1, QStringLiteral("Left"));
        model.fillRandom(); // the margin takes letters too
        PuzzleFileRecord record(size);
        record.fillFrom(model);
        if (reservedUsed)
            record.reserved = QByteArray("\x05HELLO") + QByteArray(250, '\0');
        const QByteArray original = record.toBytes();

        PuzzleDocument doc;
        const FileResult toDocument = documentFromRecord(original, size, &doc);
        QVERIFY2(toDocument.ok, qPrintable(toDocument.error));
        PuzzleDocument read;
        QVERIFY(parseDocument(documentBytes(doc), &read).ok);
        QByteArray back;
        const FileResult toRecord = recordFromDocument(read, &back);
        QVERIFY2(toRecord.ok, qPrintable(toRecord.error));
        QCOMPARE(back.size(), original.size());
        QCOMPARE(back.toHex(), original.toHex());
    }

    void recordsRefuseWhatTheyCannotHold_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a 20x20 puzzle")
            << GridSize(20, 20) << "BEE"
            << "A 20x20 puzzle cannot be saved as a record file: record files hold only 15x15 "
               "(.qrn) and 30x30 (.qrn2) puzzles. Save it as a puzzle document (.ipuz).";
        QTest::newRow("a Greek letter")
            << GridSize::Small << QStringLiteral("\u0394ELTA")
            << QStringLiteral(
                   "The puzzle holds the letter \"\u0394\", which a record file cannot hold");
    }
    void recordsRefuseWhatTheyCannotHold()
    {
        QFETCH(GridSize, size);
        QFETCH(QString, word);
        QFETCH(QString, expected);
        PuzzleDocument doc = PuzzleDocument::empty(size);
        doc.words << word;
        doc.positions << QStringLiteral("1, 1");
        doc.directions << QStringLiteral("Right");
        doc.clues << QString();
        for (int p = 0; p < word.size(); ++p)
            doc.letters[std::size_t(p) * std::size_t(size.rows() + 1)] = word.at(p).unicode();
        QByteArray bytes("untouched");
        const FileResult result = recordFromDocument(doc, &bytes);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.startsWith(expected), qPrintable(result.error));
        QCOMPARE(bytes, QByteArray("untouched"));
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension") << "puzzle"
                                      << "puzzle.ipuz";
        QTest::newRow("with it") << "puzzle.ipuz"
                                 << "puzzle.ipuz";
        QTest::newRow("capitals") << "PUZZLE.IPUZ"
                                  << "PUZZLE.IPUZ";
        QTest::newRow("a record's") << "puzzle.qrn"
                                    << "puzzle.qrn.ipuz";
    }
    void fileNames()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        QCOMPARE(documentFileNameForSaving(chosen), saved);
        QVERIFY(isDocumentFileName(saved));
    }
};

QTEST_GUILESS_MAIN(TestPuzzleDocument)
#include "test_puzzle_document.moc"
