// Puzzle documents in the languages of a class: words typed in Turkish,
// German, Greek, Russian and Polish are placed in the puzzle's own upper
// case, accents kept or folded as the puzzle says, saved as a document and
// read back with the same letters, language and rules; a letter outside the
// alphabet is refused by name, at the word box and in a document alike.

#include "../puzzle/board.h"
#include "files/puzzle_document.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace quarrin;
using namespace quarrin::test;

Q_DECLARE_METATYPE(LetterRules)

namespace {

LetterRules rulesOf(bool keepAccents, SharpS sharpS = SharpS::DoubleS)
{
    LetterRules rules;
    rules.keepAccents = keepAccents;
    rules.sharpS = sharpS;
    return rules;
}

// A 12x12 document puzzle in `code` under `rules`, the words placed along
// rows 1, 2, ... from the first column, then filled as the language fills.
std::unique_ptr<PuzzleModel> documentPuzzle(RandomGenerator &random, const QString &code,
                                            LetterRules rules, const QStringList &typed)
{
    auto model = std::make_unique<PuzzleModel>(GridSize(12, 12), &random);
    model->setLetters(Alphabet(*Language::find(code), rules), FillKind::Natural);
    for (int k = 0; k < typed.size(); ++k)
        place(*model, typed.at(k), 1, k + 1, QStringLiteral("Right"));
    model->fillRandom();
    return model;
}

// The letters of row `row` (1-based) from the first column, `length` of them.
QString rowLetters(const PuzzleModel &model, int row, int length)
{
    const LetterGrid grid = model.letterGrid();
    QString out;
    for (int col = 0; col < length; ++col)
        out += QChar(grid.at(col, row - 1));
    return out;
}

} // namespace

class TestDocumentLanguages : public QObject
{
    Q_OBJECT
private slots:
    void wordsRoundTrip_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<LetterRules>("rules");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("letters");

        const LetterRules kept = rulesOf(true);
        QTest::newRow("Turkish dotted and dotless i")
            << "tr" << kept << QStringList{"istanbul", "ışık", "Çiğdem"}
            << QStringList{"İSTANBUL", "IŞIK", "ÇİĞDEM"};
        QTest::newRow("Turkish folded") << "tr" << rulesOf(false) << QStringList{"ışık", "çiğdem"}
                                        << QStringList{"ISIK", "CIGDEM"};
        QTest::newRow("German ß as SS") << "de" << kept << QStringList{"Straße", "Äpfel", "Grüße"}
                                        << QStringList{"STRASSE", "ÄPFEL", "GRÜSSE"};
        QTest::newRow("German ß as ẞ")
            << "de" << rulesOf(true, SharpS::Capital) << QStringList{"Straße", "weiß"}
            << QStringList{"STRAẞE", "WEIẞ"};
        QTest::newRow("German folded")
            << "de" << rulesOf(false, SharpS::Capital) << QStringList{"Äpfel", "Straße"}
            << QStringList{"APFEL", "STRASSE"};
        QTest::newRow("Greek final sigma and tonos")
            << "el" << kept << QStringList{"λόγος", "ψυχή", "Άλφα"}
            << QStringList{"ΛΌΓΟΣ", "ΨΥΧΉ", "ΆΛΦΑ"};
        QTest::newRow("Greek folded") << "el" << rulesOf(false) << QStringList{"λόγος", "ψυχή"}
                                      << QStringList{"ΛΟΓΟΣ", "ΨΥΧΗ"};
        QTest::newRow("Russian") << "ru" << kept << QStringList{"ёлка", "щука", "Объём"}
                                 << QStringList{"ЁЛКА", "ЩУКА", "ОБЪЁМ"};
        QTest::newRow("Russian folded")
            << "ru" << rulesOf(false) << QStringList{"ёлка"} << QStringList{"ЕЛКА"};
        QTest::newRow("Polish") << "pl" << kept << QStringList{"źdźbło", "łódź", "Gęś"}
                                << QStringList{"ŹDŹBŁO", "ŁÓDŹ", "GĘŚ"};
        QTest::newRow("Polish folded") << "pl" << rulesOf(false) << QStringList{"źdźbło", "łódź"}
                                       << QStringList{"ZDZBLO", "LODZ"};
    }

    void wordsRoundTrip()
    {
        QFETCH(QString, code);
        QFETCH(LetterRules, rules);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, letters);

        RandomGenerator random = fixedRandom();
        const auto model = documentPuzzle(random, code, rules, typed);
        QCOMPARE(model->log(), letters);
        for (int k = 0; k < letters.size(); ++k)
            QCOMPARE(rowLetters(*model, k + 1, int(letters.at(k).size())), letters.at(k));

        const QByteArray bytes = documentBytes(documentFromModel(*model));
        // The letters are in the file as themselves, readable by any JSON tool.
        const QJsonObject root = QJsonDocument::fromJson(bytes).object();
        QVERIFY(QString::fromUtf8(bytes).contains(letters.first()));
        QVERIFY(!root.isEmpty());

        PuzzleDocument back;
        const FileResult read = parseDocument(bytes, &back, QStringLiteral("words.ipuz"));
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(back.language, code);
        QVERIFY(back.rules == rules);
        QCOMPARE(back.fill, FillKind::Natural);
        QCOMPARE(back.words, letters);

        RandomGenerator other = fixedRandom(7);
        PuzzleModel again(GridSize(12, 12), &other);
        again.setLetters(Alphabet(), FillKind::Uniform);
        const FileResult applied = applyDocument(back, again);
        QVERIFY2(applied.ok, qPrintable(applied.error));
        QCOMPARE(stateOf(again), stateOf(*model));
        QCOMPARE(again.alphabet().language().code(), code);
        QVERIFY(again.alphabet().rules() == rules);
    }

    // The word box's refusal names the letter as it was typed and leaves the
    // puzzle as it was.
    void letterOutsideTheAlphabetIsRefused_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("Cyrillic in Polish") << "pl"
                                            << "жук"
                                            << "The letter \"ж\" is not in the Polish alphabet.";
        QTest::newRow("Polish in Russian") << "ru"
                                           << "łoś"
                                           << "The letter \"ł\" is not in the Russian alphabet.";
        QTest::newRow("German in English") << "en"
                                           << "Äpfel"
                                           << "The letter \"Ä\" is not in the English alphabet.";
        QTest::newRow("Q in Turkish") << "tr"
                                      << "Quiz"
                                      << "The letter \"Q\" is not in the Turkish alphabet.";
        QTest::newRow("digit") << "de"
                               << "b2b"
                               << "The character \"2\" is not a letter.";
    }

    void letterOutsideTheAlphabetIsRefused()
    {
        QFETCH(QString, code);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        RandomGenerator random = fixedRandom();
        const auto model = documentPuzzle(random, code, rulesOf(true), {});
        const PuzzleState before = stateOf(*model);
        for (const bool randomPosition : {false, true}) {
            AddWordRequest r;
            r.word = typed;
            r.randomPosition = randomPosition;
            r.x = randomPosition ? QStringLiteral("N/A") : QStringLiteral("1");
            r.y = randomPosition ? QStringLiteral("N/A") : QStringLiteral("1");
            r.direction = randomPosition ? QStringLiteral("N/A") : QStringLiteral("Right");
            r.allowed = DirectionSet::all();
            const CommandOutcome out = model->addWord(r);
            QVERIFY(!out.placed);
            QCOMPARE(out.messages, QStringList{message});
            QVERIFY(!out.clearWord); // the word stays in its box to be put right
            QCOMPARE(stateOf(*model), before);
        }
    }

    // A document whose words hold a letter its language has not is refused
    // with that letter named, and the puzzle on screen stays as it was.
    void documentWithAForeignLetterIsRefused()
    {
        RandomGenerator random = fixedRandom();
        const auto model = documentPuzzle(random, QStringLiteral("ru"), rulesOf(true),
                                          {QStringLiteral("жук"), QStringLiteral("кот")});
        QByteArray bytes = documentBytes(documentFromModel(*model));
        bytes.replace("\"ru\"", "\"pl\"");

        PuzzleDocument back;
        const FileResult read = parseDocument(bytes, &back, QStringLiteral("bugs.ipuz"));
        QVERIFY(!read.ok);
        QVERIFY2(read.error.startsWith(QStringLiteral("\"bugs.ipuz\" could not be loaded")),
                 qPrintable(read.error));
        QVERIFY2(read.error.contains(QStringLiteral("\"Ж\", which is not in the Polish alphabet")),
                 qPrintable(read.error));
    }

    // Another program's document names no language: it opens in the first
    // language whose alphabet holds all its letters, English when none does.
    void languageOfAnotherProgramsDocument_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("languageSeen");
        QTest::addColumn<QString>("word");
        QTest::newRow("English") << "en"
                                 << "en"
                                 << "orbit";
        QTest::newRow("Russian") << "ru"
                                 << "ru"
                                 << "кот";
        QTest::newRow("German") << "de"
                                << "de"
                                << "Äpfel";
        QTest::newRow("Greek") << "el"
                               << "el"
                               << "λόγος";
        QTest::newRow("Turkish") << "tr"
                                 << "tr"
                                 << "ışık";
        QTest::newRow("Hebrew, which no language here holds") << "he"
                                                              << "en"
                                                              << "שלום";
    }

    void languageOfAnotherProgramsDocument()
    {
        QFETCH(QString, code);
        QFETCH(QString, languageSeen);
        QFETCH(QString, word);
        // The grid of a document in the word's letters, written without our extension.
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize(12, 12), &random);
        const Language *language = Language::find(code);
        if (language)
            model.setLetters(Alphabet(*language), FillKind::Natural);
        const QString letters = language ? Alphabet(*language).lettersOf(word) : word;
        QVERIFY(!letters.isEmpty());
        for (int k = 0; k < letters.size(); ++k)
            model.setCell(k, 0, letters.mid(k, 1));
        QJsonObject root =
            QJsonDocument::fromJson(documentBytes(documentFromModel(model))).object();
        root.remove(kDocumentExtensionKey);
        root.insert(QStringLiteral("solution"), QJsonValue(letters));

        PuzzleDocument back;
        const FileResult read =
            parseDocument(QJsonDocument(root).toJson(), &back, QStringLiteral("other.ipuz"));
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(back.words, QStringList{letters});
        QCOMPARE(back.language, languageSeen);
    }

    // The record editors hold A to Z: a document in another language stays
    // out of them, and their puzzle is kept.
    void recordModelRefusesAnotherLanguage()
    {
        RandomGenerator random = fixedRandom();
        PuzzleModel russian(GridSize::Small, &random);
        russian.setLetters(Alphabet(*Language::find(u"ru")), FillKind::Natural);
        place(russian, QStringLiteral("кот"), 1, 1, QStringLiteral("Right"));
        const PuzzleDocument document = documentFromModel(russian);

        RandomGenerator other = fixedRandom();
        PuzzleModel record(GridSize::Small, &other);
        place(record, QStringLiteral("CAT"), 1, 1, QStringLiteral("Right"));
        const PuzzleState before = stateOf(record);
        const FileResult applied = applyDocument(document, record);
        QVERIFY(!applied.ok);
        QVERIFY(!applied.error.isEmpty());
        QCOMPARE(stateOf(record), before);
        QVERIFY(!record.hasAlphabet());
    }
};

QTEST_APPLESS_MAIN(TestDocumentLanguages)
#include "test_document_languages.moc"
