// `word_quarrin generate --language` run as the real program with no display:
// words written in the language's alphabet and read back from the documents,
// accents kept and folded, letters outside the alphabet named, the record
// format refused, the fill drawn from the alphabet, the message in its
// letters, the check of a document in its language with the user's list of
// that language, the pages' lang, and books of Greek and Russian puzzles
// with their fonts embedded and their letters extractable.

#include "document_files.h"
#include "files/puzzle_document.h"
#include "generate/puzzle_batch.h"
#include "headless_run.h"
#include "puzzle/puzzle_snapshot.h"
#include "sheet/sheet_book.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;

using Run = testing::HeadlessRun;

namespace {

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool havePoppler()
{
    for (const char *tool : {"pdffonts", "pdftotext", "pdftoppm"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return false;
    return true;
}

// What is wrong with a PDF's fonts, as a print service would see it: no
// font, or one not embedded. Empty when every face listed is embedded.
QString fontProblem(const QString &pdf)
{
    // Two heading lines, then one line per face: name, type, encoding, then
    // emb, sub and uni (yes/no), then the object's number and generation.
    const QStringList faces = runTool(QStringLiteral("pdffonts"), {pdf})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  .mid(2);
    if (faces.isEmpty())
        return QStringLiteral("no font in ") + pdf;
    for (const QString &face : faces) {
        const QStringList fields = face.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 5 || fields.at(fields.size() - 5) != QLatin1String("yes"))
            return QStringLiteral("not embedded: ") + face;
    }
    return QString();
}

} // namespace

class TestGenerateLanguages : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    Run run(const QStringList &args) const { return testing::runHeadless(m_dir.path(), args); }
    Run generate(const QStringList &args) const { return run(QStringList{"generate"} + args); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        testing::writeTestFile(path(name), bytes);
    }

    static PuzzleDocument document(const QString &file) { return testing::loadedDocument(file); }

    // The user's own blocked words of a language, in the settings folder of
    // the runs (config/ of the test's folder).
    QString userList(const QString &code) const
    {
        return path(QStringLiteral("config/Word Quarrin Generator/blocked-words-%1.txt").arg(code));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // The batch made here reads no blocked words of the machine's user.
        QStandardPaths::setTestModeEnabled(true);
    }

    // A 15x15 puzzle in another language than English is a document without
    // being asked; its words are written the way the language upper-cases
    // them and read back so, and every filled cell holds a letter of the
    // alphabet in effect.
    void wordsAreWrittenInTheLanguagesLetters_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("Turkish, i to İ and ı to I")
            << QStringList{"--language", "TR"} << QByteArray("istanbul ılık çiçek") << "tr"
            << QStringList{"İSTANBUL", "ILIK", "ÇİÇEK"};
        QTest::newRow("German, ß as SS")
            << QStringList{"--language", "de"} << QByteArray("Straße Fuß Äpfel") << "de"
            << QStringList{"STRASSE", "FUSS", "ÄPFEL"};
        QTest::newRow("German, ß as ẞ")
            << QStringList{"--language", "de", "--sharp-s", "capital"}
            << QByteArray("Straße Fuß Äpfel") << "de" << QStringList{"STRAẞE", "FUẞ", "ÄPFEL"};
        QTest::newRow("Greek, final ς to Σ")
            << QStringList{"--language", "el"} << QByteArray("σοφία λόγος ψυχή") << "el"
            << QStringList{"ΣΟΦΊΑ", "ΛΌΓΟΣ", "ΨΥΧΉ"};
        QTest::newRow("Russian") << QStringList{"--language", "ru"}
                                 << QByteArray("москва ёлка щука объём") << "ru"
                                 << QStringList{"МОСКВА", "ЁЛКА", "ЩУКА", "ОБЪЁМ"};
        QTest::newRow("Polish") << QStringList{"--language", "pl"} << QByteArray("żółw łódź gęś")
                                << "pl" << QStringList{"ŻÓŁW", "ŁÓDŹ", "GĘŚ"};
        QTest::newRow("Polish, accents folded")
            << QStringList{"--language", "pl", "--no-accents"} << QByteArray("żółw łódź gęś")
            << "pl" << QStringList{"ZOLW", "LODZ", "GES"};
        QTest::newRow("Greek, accents folded")
            << QStringList{"--language", "el", "--no-accents"} << QByteArray("σοφία λόγος ψυχή")
            << "el" << QStringList{"ΣΟΦΙΑ", "ΛΟΓΟΣ", "ΨΥΧΗ"};
        QTest::newRow("German, accents folded")
            << QStringList{"--language", "de", "--no-accents", "--sharp-s", "capital"}
            << QByteArray("Straße Äpfel") << "de" << QStringList{"STRASSE", "APFEL"};
        QTest::newRow("Russian, uniform fill")
            << QStringList{"--language", "ru", "--letters", "uniform"} << QByteArray("москва щука")
            << "ru" << QStringList{"МОСКВА", "ЩУКА"};
        QTest::newRow("English, accents folded")
            << QStringList{"--no-accents"} << QByteArray("café naïve") << "en"
            << QStringList{"CAFE", "NAIVE"};
    }
    void wordsAreWrittenInTheLanguagesLetters()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, line);
        QFETCH(QString, language);
        QFETCH(QStringList, words);
        const QString tag = QString::number(qHash(QString::fromLatin1(QTest::currentDataTag())));
        write(tag + ".txt", line + '\n');
        const Run r = generate(
            QStringList{"--words", tag + ".txt", "--out", "out-" + tag, "--seed", "5", "--quiet"} +
            options);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(QDir(path("out-" + tag)).entryList(QDir::Files), QStringList{"puzzle-001.ipuz"});

        // The document reads back whole (every word where it says) in its language.
        const PuzzleDocument doc = document(path("out-" + tag + "/puzzle-001.ipuz"));
        QCOMPARE(doc.language, language);
        QCOMPARE(doc.rules.keepAccents, !options.contains("--no-accents"));
        QCOMPARE(doc.rules.sharpS, options.contains("capital") ? SharpS::Capital : SharpS::DoubleS);
        QCOMPARE(doc.fill, options.contains("uniform") ? FillKind::Uniform : FillKind::Natural);
        QCOMPARE(doc.words, words);
        const Alphabet alphabet = doc.alphabet();
        for (int col = 0; col < 15; ++col) {
            for (int row = 0; row < 15; ++row) {
                const QChar letter(doc.letterAt(col, row));
                QVERIFY2(
                    alphabet.contains(letter),
                    qPrintable(QStringLiteral("%1, %2: \"%3\"").arg(col).arg(row).arg(letter)));
            }
        }
        RandomGenerator random;
        PuzzleModel model(doc.size, &random);
        model.setLetters(alphabet, doc.fill);
        QVERIFY(applyDocument(doc, model).ok);
        QCOMPARE(model.log(), words);
    }

    // A letter outside the alphabet is named, with the language; under
    // --strict it is an error and nothing is written.
    void aLetterOutsideTheAlphabetIsNamed()
    {
        write("mixed.txt", "żółw жук kot\n");
        const QStringList common{"--words", "mixed.txt", "--language", "pl",
                                 "--seed",  "2",         "--quiet"};
        const Run loose = generate(QStringList{"--out", "mixed"} + common);
        QCOMPARE(loose.status, 0);
        QCOMPARE(loose.err, QStringLiteral("word_quarrin generate: warning: puzzle 1, line 1: "
                                           "'жук': the letter \"ж\" is not in the Polish "
                                           "alphabet\n"));
        QCOMPARE(document(path("mixed/puzzle-001.ipuz")).words, (QStringList{"ŻÓŁW", "KOT"}));

        const Run strict = generate(QStringList{"--out", "mixed-strict", "--strict"} + common);
        QCOMPARE(strict.status, 1);
        QVERIFY2(strict.err.contains("error: puzzle 1, line 1: 'жук': the letter \"ж\" is not in "
                                     "the Polish alphabet"),
                 qPrintable(strict.err));
        QVERIFY(!QDir(path("mixed-strict")).exists());
    }

    void badLanguageOptions_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("an unknown language")
            << QStringList{"--language", "xx"}
            << QStringList{"bad value 'xx' for --language: expected a language code: en (English), "
                           "es (Spanish)",
                           "el (Greek), ru (Russian), uk (Ukrainian)"};
        QTest::newRow("a record in Russian")
            << QStringList{"--language", "ru", "--format", "qrn"}
            << QStringList{"record files hold the letters A to Z",
                           "--language ru needs puzzle documents", "--format ipuz"};
        QTest::newRow("a record without accents")
            << QStringList{"--no-accents", "--format", "qrn"}
            << QStringList{"--no-accents needs puzzle documents"};
        QTest::newRow("a 30x30 record with a uniform fill")
            << QStringList{"--letters", "uniform", "--size", "30", "--format", "qrn"}
            << QStringList{"--letters uniform needs puzzle documents"};
        QTest::newRow("a fill of another kind")
            << QStringList{"--language", "ru", "--letters", "frequent"}
            << QStringList{"bad value 'frequent' for --letters: expected natural, uniform"};
        QTest::newRow("ß written otherwise")
            << QStringList{"--language", "de", "--sharp-s", "sz"}
            << QStringList{"bad value 'sz' for --sharp-s: expected ss, capital"};
        QTest::newRow("a message outside the alphabet")
            << QStringList{"--language", "ru", "--fill", "message:привет hello"}
            << QStringList{"bad value 'message:привет hello' for --fill: The letter \"h\" is not "
                           "in the Russian alphabet."};
        QTest::newRow("a message with a sign")
            << QStringList{"--language", "de", "--fill", "message:gut!"}
            << QStringList{"The character \"!\" is not a letter."};
    }
    void badLanguageOptions()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, said);
        write("ru.txt", "москва щука\n");
        const Run r = generate(QStringList{"--words", "ru.txt", "--out", "refused"} + options);
        QCOMPARE(r.status, 2);
        const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        for (const QString &part : said)
            QVERIFY2(lines[0].contains(part), qPrintable(lines[0]));
        QVERIFY(!QDir(path("refused")).exists());
    }

    // The message of a document is written in its alphabet: Turkish i is İ,
    // German ß is SS (the document keeps the message as the grid holds it).
    void theMessageTakesTheLanguagesLetters_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("written");
        QTest::newRow("Turkish") << "tr"
                                 << "iyi gün"
                                 << "İYİGÜN";
        QTest::newRow("German") << "de"
                                << "süß"
                                << "SÜSS";
        QTest::newRow("Greek") << "el"
                               << "καλός"
                               << "ΚΑΛΌΣ";
    }
    void theMessageTakesTheLanguagesLetters()
    {
        QFETCH(QString, language);
        QFETCH(QString, message);
        QFETCH(QString, written);
        write("one.txt", "ok\n");
        write("el-one.txt", "ένα\n");
        const QString out = "message-" + language;
        const Run r = generate({"--words", language == "el" ? "el-one.txt" : "one.txt",
                                "--language", language, "--size", "6", "--fill",
                                "message:" + message, "--out", out, "--seed", "1", "--quiet"});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(document(path(out + "/puzzle-001.ipuz")).message, written);
    }

    // generate cleans the fill of the language's blocked words (the user's
    // blocked-words-ru.txt), and check reads a Russian document in Russian
    // and finds one there.
    void checkReadsADocumentInItsLanguage()
    {
        write("zh.txt", "жабра жакет жезлы жилет жюрии\n");
        write("config/Word Quarrin Generator/blocked-words-ru.txt", "жжж\n");
        // Five words of five letters going right fill a 5x5 grid row by row:
        // the first column reads ЖЖЖЖЖ wherever each goes.
        const Run made =
            generate({"--words", "zh.txt", "--language", "ru", "--size", "5", "--directions",
                      "Right", "--out", "zh", "--seed", "4", "--quiet"});
        QCOMPARE(made.status, 0);
        QVERIFY2(made.err.contains("the words spell a blocked word in each of 20 placements") &&
                     made.err.contains("Blocked word ЖЖЖ reads at"),
                 qPrintable(made.err));

        Run checked = run({"check", "zh/puzzle-001.ipuz"});
        QCOMPARE(checked.status, 1);
        QCOMPARE(checked.err, QString());
        QVERIFY2(checked.out.startsWith("zh/puzzle-001.ipuz: Blocked word ЖЖЖ reads at "),
                 qPrintable(checked.out));
        // The English list is not the Russian one: a Russian word there has no say.
        QVERIFY(
            QFile::rename(userList("ru"), path("config/Word Quarrin Generator/blocked-words.txt")));
        checked = run({"check", "zh/puzzle-001.ipuz"});
        QVERIFY(QFile::remove(path("config/Word Quarrin Generator/blocked-words.txt")));
        QCOMPARE(checked.out, QStringLiteral("zh/puzzle-001.ipuz: no problems\n"));
        QCOMPARE(checked.status, 0);
    }

    // The pages and their index say the puzzles' language; their own English
    // texts say theirs.
    void pagesCarryThePuzzlesLanguage_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("lang");
        QTest::newRow("Greek") << QStringList{"--language", "el"} << "el";
        QTest::newRow("Turkish") << QStringList{"--language", "tr"} << "tr";
        QTest::newRow("English") << QStringList{} << "en";
    }
    void pagesCarryThePuzzlesLanguage()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, lang);
        write("el-tr-en.txt", lang == "el"   ? "σοφία λόγος\n"
                              : lang == "tr" ? "kedi köpek\n"
                                             : "cat dog\n");
        const QString site = "site-" + lang;
        const Run r = generate(
            QStringList{"--words", "el-tr-en.txt", "--html", site, "--seed", "3", "--quiet"} +
            options);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        for (const QString &page :
             {QStringLiteral("puzzle-001.html"), QStringLiteral("index.html")}) {
            const QString html = QString::fromUtf8(testing::fileBytes(path(site + "/" + page)));
            QVERIFY2(html.contains(QStringLiteral("<html lang=\"%1\">").arg(lang)),
                     qPrintable(html.left(80)));
            // Only a page in another language marks its English texts.
            const QString body = html.mid(html.indexOf(QLatin1String("<body>")));
            QCOMPARE(body.contains(QLatin1String(" lang=\"en\"")), lang != "en");
        }
        const QString page = QString::fromUtf8(testing::fileBytes(path(site + "/puzzle-001.html")));
        QVERIFY(page.contains(lang == "el"   ? "data-word=\"ΣΟΦΊΑ\""
                              : lang == "tr" ? "data-word=\"KEDİ\""
                                             : "data-word=\"CAT\""));
    }

    // A book of each language by the command: its fonts embedded, its words
    // extractable as text.
    void booksInGreekAndRussian_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("Greek") << "el" << QByteArray("Ζώα: γάτα σκύλος άλογο ψάρι")
                               << QStringList{"ΓΆΤΑ", "ΣΚΎΛΟΣ", "ΆΛΟΓΟ", "ΨΆΡΙ", "Ζώα"};
        QTest::newRow("Russian") << "ru" << QByteArray("Звери: кошка собака лошадь ёж")
                                 << QStringList{"КОШКА", "СОБАКА", "ЛОШАДЬ", "ЁЖ", "Звери"};
    }
    void booksInGreekAndRussian()
    {
        if (!havePoppler())
            QSKIP("pdffonts, pdftotext and pdftoppm (poppler-utils) are not installed");
        QFETCH(QString, language);
        QFETCH(QByteArray, line);
        QFETCH(QStringList, words);
        write("book-" + language + ".txt", line + '\n');
        const QString pdf = path("book-" + language + ".pdf");
        const Run r = generate({"--words", "book-" + language + ".txt", "--language", language,
                                "--pdf", pdf, "--no-padding", "--seed", "6", "--quiet"});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(fontProblem(pdf), QString());
        const QString text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        for (const QString &word : words)
            QVERIFY2(text.contains(word), qPrintable(word + QStringLiteral(" in:\n") + text));
    }

    // One book of a Greek and a Russian puzzle, made by the batch as the
    // command makes them: both alphabets in one PDF.
    void oneBookOfAGreekAndARussianPuzzle()
    {
        if (!havePoppler())
            QSKIP("pdffonts, pdftotext and pdftoppm (poppler-utils) are not installed");
        struct Puzzle
        {
            const char *code;
            QString title;
            QStringList words;
            QStringList upper;
        };
        const Puzzle made[] = {
            {"el",
             QStringLiteral("Θάλασσα"),
             {"θάλασσα", "ψάρι", "κύμα", "άμμος"},
             {"ΘΆΛΑΣΣΑ", "ΨΆΡΙ", "ΚΎΜΑ", "ΆΜΜΟΣ"}},
            {"ru",
             QStringLiteral("Море"),
             {"море", "рыба", "волна", "песок", "ёрш"},
             {"МОРЕ", "РЫБА", "ВОЛНА", "ПЕСОК", "ЁРШ"}},
        };
        std::vector<SheetPuzzle> sheets;
        for (const Puzzle &p : made) {
            generate::BatchOptions options;
            options.seed = 8;
            options.clean = true;
            options.alphabet = Alphabet(*Language::find(QString::fromLatin1(p.code)));
            generate::PuzzleBatch batch(options);
            PuzzleModel model(GridSize(12, 12), &batch.random());
            generate::PuzzleWords input;
            for (const QString &w : p.words)
                input.push_back({w, 1});
            std::vector<generate::Warning> warnings;
            batch.make(input, model, 1, warnings);
            QVERIFY(warnings.empty());
            QCOMPARE(model.log(), p.upper);
            PuzzleSnapshot snapshot;
            takeSnapshot(model, snapshot);
            QCOMPARE(snapshot.language, QLatin1String(p.code));
            sheets.push_back(sheetPuzzleFromSnapshot(snapshot, p.title));
        }
        BookOptions book;
        book.pad = false;
        book.title = QStringLiteral("Θάλασσα · Море");
        QBuffer bytes;
        QVERIFY(bytes.open(QIODevice::WriteOnly));
        QVERIFY(writeSheetBookPdf(bytes, sheets, book));
        const QString pdf = path("greek-and-russian.pdf");
        {
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(bytes.data()), bytes.data().size());
        }
        QCOMPARE(fontProblem(pdf), QString());
        // Page 1 is the Greek puzzle, page 2 the Russian one.
        const QStringList pages = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                                      .split(QLatin1Char('\f'));
        QVERIFY(pages.size() >= 3);
        for (int k = 0; k < 2; ++k) {
            QVERIFY2(pages.at(k).contains(made[k].title), qPrintable(pages.at(k)));
            for (const QString &word : made[k].upper)
                QVERIFY2(pages.at(k).contains(word),
                         qPrintable(word + QLatin1Char('\n') + pages.at(k)));
            // The grid's letters are the alphabet's: no stand-in, no box.
            const Alphabet alphabet(*Language::find(QString::fromLatin1(made[k].code)));
            for (const QString &cell : sheets[std::size_t(k)].letters)
                QVERIFY(cell.size() == 1 && alphabet.contains(cell.at(0)));
        }
    }

    // A letter the book's font has no glyph for is reported before anything
    // is written: no book, no pages, no puzzle files.
    void aLetterTheFontCannotDrawWritesNothing_data()
    {
        QTest::addColumn<QStringList>("outputs");
        QTest::addColumn<QString>("named");
        QTest::newRow("book") << QStringList{"--pdf", "kanji.pdf", "--out", "kanji"} << "kanji.pdf";
        QTest::newRow("pages") << QStringList{"--html", "kanji-site", "--out", "kanji"}
                               << "kanji-site";
    }
    void aLetterTheFontCannotDrawWritesNothing()
    {
        QFETCH(QStringList, outputs);
        QFETCH(QString, named);
        write("kanji.txt", "Кошки 漢字: кошка кот\n");
        const Run r = generate(
            QStringList{"--words", "kanji.txt", "--language", "ru", "--seed", "1", "--quiet"} +
            outputs);
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err,
                 QStringLiteral("word_quarrin generate: cannot write %1: The font \"DejaVu "
                                "Sans\" cannot draw these letters: 漢, 字. Nothing written.\n")
                     .arg(named));
        QVERIFY(!QFile::exists(path("kanji.pdf")));
        QVERIFY(!QDir(path("kanji-site")).exists());
        QVERIFY(!QDir(path("kanji")).exists());
    }
};

QTEST_MAIN(TestGenerateLanguages)
#include "test_generate_languages.moc"
