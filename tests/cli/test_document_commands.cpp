// The command line with puzzle documents, run as the real program with no
// display: generate of any size (documents for other sizes, --format, --dense),
// convert between record files and documents, and check of documents.

#include "document_files.h"
#include "files/puzzle_document.h"
#include "files/puzzle_file.h"
#include "headless_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;

using Run = testing::HeadlessRun;

class TestDocumentCommands : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    Run run(const QStringList &args) const { return testing::runHeadless(m_dir.path(), args); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        testing::writeTestFile(path(name), bytes);
    }

    static PuzzleDocument document(const QString &file) { return testing::loadedDocument(file); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        write("words.txt", "Farm animals: cow, pig, horse, sheep\nowl emu yak gnu\n");
    }

    // Other sizes are written as documents of their size; 15 and 30 as
    // records unless --format ipuz asks for documents.
    void generateWritesEachSizeInItsFormat_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("columns"); // 0: a record file
        QTest::addColumn<int>("rows");
        QTest::newRow("20x12") << "20x12" << QStringList() << "puzzle-001.ipuz" << 20 << 12;
        QTest::newRow("one side") << "10" << QStringList() << "puzzle-001.ipuz" << 10 << 10;
        QTest::newRow("tall") << "7x23" << QStringList() << "puzzle-001.ipuz" << 7 << 23;
        QTest::newRow("15 as a record") << "15" << QStringList() << "puzzle-001.qrn" << 0 << 0;
        QTest::newRow("30 as a record") << "30" << QStringList() << "puzzle-001.qrn2" << 0 << 0;
        QTest::newRow("15 as a document")
            << "15" << QStringList{"--format", "ipuz"} << "puzzle-001.ipuz" << 15 << 15;
        QTest::newRow("dense") << "12x9" << QStringList{"--dense"} << "puzzle-001.ipuz" << 12 << 9;
    }
    void generateWritesEachSizeInItsFormat()
    {
        QFETCH(QString, size);
        QFETCH(QStringList, extra);
        QFETCH(QString, file);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const QString out = QStringLiteral("out-") + QTest::currentDataTag();
        const Run r = run(QStringList{"generate", "--words", "words.txt", "--size", size, "--out",
                                      out, "--seed", "3", "--quiet"} +
                          extra);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        const QString written = path(out + "/" + file);
        QVERIFY2(QFile::exists(written), qPrintable(QDir(path(out)).entryList().join(' ')));
        if (columns == 0)
            return;
        const PuzzleDocument first = document(written);
        QCOMPARE(first.size, GridSize(columns, rows));
        QCOMPARE(first.words, (QStringList{"COW", "PIG", "HORSE", "SHEEP"}));
        // The line's own title.
        QCOMPARE(first.page.title, QStringLiteral("Farm animals"));
        const PuzzleDocument second =
            document(path(out + "/" + QString(file).replace("001", "002")));
        QCOMPARE(second.page.title, QStringLiteral("Word Quarrin 2"));
        QCOMPARE(second.words.size(), 4);
        // Every cell holds a letter.
        for (int col = 0; col < columns; ++col)
            for (int row = 0; row < rows; ++row)
                QVERIFY(first.letterAt(col, row) != 0);
    }

    void generateRefusesSizesAndFormatsThatDoNotGo_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("too small")
            << QStringList{"--size", "4"}
            << "bad value '4' for --size: expected a side or WxH, each from 5 to 50";
        QTest::newRow("too wide") << QStringList{"--size", "51x10"}
                                  << "bad value '51x10' for --size";
        QTest::newRow("not a size") << QStringList{"--size", "big"} << "bad value 'big' for --size";
        QTest::newRow("a record of another size")
            << QStringList{"--size", "20", "--format", "qrn"}
            << "a 20x20 puzzle has no record file: record files hold 15x15 and 30x30 puzzles";
        QTest::newRow("an unknown format")
            << QStringList{"--format", "docx"} << "bad value 'docx' for --format";
    }
    void generateRefusesSizesAndFormatsThatDoNotGo()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r =
            run(QStringList{"generate", "--words", "words.txt", "--out", "refused"} + args);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QDir(path("refused")).exists());
    }

    // The anchor of dense placement: the 118 element names fit a 32x32 grid.
    void denseGenerationPlacesEveryElement()
    {
        QFile elements(QStringLiteral(QUARRIN_SOURCE_DIR "/bench/data/elements.txt"));
        QVERIFY(elements.open(QIODevice::ReadOnly));
        QByteArray line;
        for (const QByteArray &name : elements.readAll().split('\n'))
            if (!name.trimmed().isEmpty() && !name.startsWith('#'))
                line += name.trimmed() + ' ';
        write("elements.txt", line + '\n');
        const Run r = run({"generate", "--words", "elements.txt", "--size", "32", "--dense",
                           "--strict", "--seed", "11", "--out", "elements", "--quiet"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        QCOMPARE(document(path("elements/puzzle-001.ipuz")).words.size(), 118);
    }

    // A record converted to a document and back is the same bytes; a
    // document the record cannot hold is refused with the reason.
    void convertBothWays()
    {
        QVERIFY(run({"generate", "--words", "words.txt", "--out", "records", "--seed", "8",
                     "--fill", "message:hello there", "--quiet"})
                    .status == 0);
        const QString record = path("records/puzzle-001.qrn");
        const QByteArray original = testing::fileBytes(record);
        QCOMPARE(original.size(), 1410);

        Run r = run({"convert", record, "converted.ipuz"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        const PuzzleDocument doc = document(path("converted.ipuz"));
        QCOMPARE(doc.size, GridSize::Small);
        QCOMPARE(doc.words, (QStringList{"COW", "PIG", "HORSE", "SHEEP"}));

        r = run({"convert", "converted.ipuz", "back.qrn"});
        QCOMPARE(r.status, 0);
        QCOMPARE(testing::fileBytes(path("back.qrn")).toHex(), original.toHex());

        QVERIFY(run({"generate", "--words", "words.txt", "--size", "20", "--out", "big", "--quiet"})
                    .status == 0);
        r = run({"convert", "big/puzzle-001.ipuz", "big.qrn"});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains("holds a 20x20 puzzle, and a .qrn file holds 15x15 puzzles"),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(path("big.qrn")));

        r = run({"convert", "words.txt", "out.ipuz"});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains("give a record file (.qrn, .qrn2) and a puzzle document (.ipuz)"),
                 qPrintable(r.err));
    }

    void checkReadsDocuments()
    {
        // Refilled until the check is clean.
        QVERIFY(run({"generate", "--words", "words.txt", "--size", "18x11", "--out", "tocheck",
                     "--seed", "2", "--clean", "--quiet"})
                    .status == 0);
        Run r = run({"check", "tocheck/puzzle-001.ipuz"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("tocheck/puzzle-001.ipuz: no problems\n"));

        // A word listed twice reads twice.
        PuzzleDocument doc = document(path("tocheck/puzzle-002.ipuz"));
        doc.words << doc.words.first();
        doc.positions << doc.positions.first();
        doc.directions << doc.directions.first();
        doc.clues << QString();
        QVERIFY(saveDocument(doc, path("twice.ipuz")).ok);
        r = run({"check", "twice.ipuz"});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.out.startsWith("twice.ipuz: "), qPrintable(r.out));

        write("broken.ipuz", "{\"version\": \"http://ipuz.org/v2\"");
        r = run({"check", "broken.ipuz"});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains("its JSON is damaged"), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TestDocumentCommands)
#include "test_document_commands.moc"
