// The document editor's check and clean fill take the blocked words of the
// puzzle's language: the user's blocked-words-ru.txt for a Russian puzzle,
// English's lists again once the puzzle is English. The words of one fixture
// grid are found by "Check Puzzle"; the clean fill of a seeded puzzle whose
// plain fill spells them leaves none.

#include "../puzzle/board.h"
#include "check/puzzle_check.h"
#include "editor/check_window.h"
#include "editor/editor_window.h"
#include "editor/fill_settings.h"
#include "modal_answerer.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quarrin;

namespace {

const Language &russian()
{
    return *Language::find(u"ru");
}

// A clock that moves on by a fixed step at every reading, from `start`.
RandomGenerator::Clock stepping(std::uint64_t start)
{
    auto ticks = std::make_shared<std::uint64_t>(start);
    return [ticks] { return *ticks += 7919; };
}

// Short words of the most frequent Russian letters, which a natural fill
// spells now and then; and one English word.
const QStringList kRussianBlocked = {"ОНО", "ОНА", "ОНИ", "НЕТ", "ТОТ", "ТАК",  "КОТ",
                                     "РОТ", "ТОН", "НОС", "ВОР", "СОН", "НОТА", "ЛЕТО"};
const QString kEnglishBlocked = QStringLiteral("ZAPQ");

struct Word
{
    const char16_t *text;
    int x, y;
    const char *direction;
};
// Letters no blocked word is made of, so a problem can only come from the fill.
constexpr Word kRussianWords[] = {
    {u"ЩУКА", 1, 1, "Right"},
    {u"ЖУЧОК", 9, 2, "Down"},
    {u"ЭХО", 3, 8, "Right"},
};

void placeWords(PuzzleModel &model)
{
    for (const Word &w : kRussianWords) {
        AddWordRequest r;
        r.word = QString::fromUtf16(w.text);
        r.x = QString::number(w.x);
        r.y = QString::number(w.y);
        r.direction = QString::fromLatin1(w.direction);
        r.randomPosition = false;
        QVERIFY2(model.addWord(r).placed, qPrintable(r.word));
    }
}

void placeWord(EditorWindow &editor, const QString &word, int x, int y, const char *direction)
{
    AddWordRequest r;
    r.word = word;
    r.x = QString::number(x);
    r.y = QString::number(y);
    r.direction = QString::fromLatin1(direction);
    r.randomPosition = false;
    QVERIFY2(editor.model().addWord(r).placed, qPrintable(word));
}

// Filled letters across row `row` (0-based) from column 0.
void writeFiller(PuzzleModel &model, int row, const QString &letters)
{
    for (int c = 0; c < letters.size(); ++c)
        model.setCell(c, row, letters.mid(c, 1) + kFillerMark);
}

QStringList blockedProblems(const PuzzleCheck &check, const PuzzleModel &model)
{
    QStringList out;
    for (const Problem &p : check.run(model).problems)
        if (p.kind == ProblemKind::BlockedWord)
            out << p.text;
    return out;
}

NewPuzzleChoice choice(const char *language)
{
    NewPuzzleChoice c;
    c.size = GridSize(10, 8);
    c.language = QString::fromLatin1(language);
    return c;
}

QStringList problemTexts(CheckWindow *window)
{
    QStringList out;
    auto *list = window->findChild<QListWidget *>(QStringLiteral("problems"));
    for (int i = 0; list && i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class TestLanguageLists : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    PuzzleSnapshot m_snapshot;

    static void writeList(const QString &path, const QStringList &words)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(words.join(QLatin1Char('\n')).toUtf8() + '\n');
    }

    // The first clock start from 1 whose plain Russian fill of the words
    // spells one of the Russian blocked words.
    static std::uint64_t startWithABlockedFill(const PuzzleCheck &check)
    {
        for (std::uint64_t start = 1; start < 500; ++start) {
            RandomGenerator random(stepping(start));
            PuzzleModel model(GridSize(10, 8), &random);
            model.setLetters(Alphabet(russian()), FillKind::Natural);
            placeWords(model);
            model.fillRandom();
            if (!blockedProblems(check, model).isEmpty())
                return start;
        }
        return 0;
    }

private slots:
    void initTestCase()
    {
        // This run's own lists and settings only.
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QCoreApplication::setApplicationName(QStringLiteral("Word Quarrin Generator"));
        QVERIFY(BlockedWords::userListPath(russian()).startsWith(m_config.path()));
        writeList(BlockedWords::userListPath(russian()), kRussianBlocked);
        writeList(BlockedWords::userListPath(), {kEnglishBlocked});
        QCOMPARE(FillSettings::instance().setKeepFillClean(true), QString());
    }

    // One editor, its puzzle Russian and then English: the check reads the
    // list of the language the puzzle has when it opens.
    void checkTakesTheListOfThePuzzlesLanguage()
    {
        RandomGenerator random(stepping(1));
        EditorWindow editor(GridSize(10, 8), EditorKind::Document, &random, &m_snapshot);
        editor.show();
        QVERIFY(editor.startEmptyPuzzle(choice("ru")));
        QCOMPARE(editor.model().alphabet().language().code(), QStringLiteral("ru"));
        placeWord(editor, QStringLiteral("ЩУКА"), 1, 1, "Right");
        writeFiller(editor.model(), 2, QStringLiteral("ВОР"));
        editor.showPuzzle();

        auto *item = editor.findChild<QAction *>(QStringLiteral("CheckPuzzle1"));
        QVERIFY(item);
        item->trigger();
        auto *window = editor.findChild<CheckWindow *>(QStringLiteral("checkWindow"));
        QVERIFY(window && window->isVisible());
        QCOMPARE(problemTexts(window),
                 QStringList{QStringLiteral("Blocked word ВОР reads at 1, 3 Right")});
        window->reject();

        // The same editor, an English puzzle: English's lists, not Russian's.
        {
            test::ModalAnswerer answerer; // "Save changes?": discard
            answerer.questionAnswer = QStringLiteral("discardAnswer");
            QVERIFY(editor.startEmptyPuzzle(choice("en")));
        }
        QCOMPARE(editor.model().alphabet().language().code(), QStringLiteral("en"));
        placeWord(editor, QStringLiteral("HORSE"), 1, 1, "Right");
        writeFiller(editor.model(), 2, kEnglishBlocked);
        editor.showPuzzle();
        item->trigger();
        QVERIFY(window->isVisible());
        QCOMPARE(problemTexts(window),
                 QStringList{QStringLiteral("Blocked word ZAPQ reads at 1, 3 Right")});
        window->reject();
    }

    // A seeded Russian puzzle whose plain fill spells blocked Russian words:
    // "Fill blank with Random" with Keep Fill Clean on leaves none of them
    // (only filled letters redrawn); off, it is the plain fill.
    void cleanFillLeavesNoRussianBlockedWord()
    {
        const PuzzleCheck check(BlockedWords::standard(Alphabet(russian())));
        QCOMPARE(check.blocked().size(), int(kRussianBlocked.size()));
        const std::uint64_t start = startWithABlockedFill(check);
        QVERIFY2(start > 0, "no seed gave a fill with a blocked word");

        RandomGenerator plainRandom(stepping(start));
        PuzzleModel plain(GridSize(10, 8), &plainRandom);
        plain.setLetters(Alphabet(russian()), FillKind::Natural);
        placeWords(plain);
        plain.fillRandom();
        QVERIFY(!blockedProblems(check, plain).isEmpty());

        for (const bool on : {true, false}) {
            QCOMPARE(FillSettings::instance().setKeepFillClean(on), QString());
            RandomGenerator random(stepping(start));
            EditorWindow editor(GridSize(10, 8), EditorKind::Document, &random, &m_snapshot);
            QVERIFY(editor.startEmptyPuzzle(choice("ru")));
            placeWords(editor.model());
            editor.showPuzzle();
            editor.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
            if (!on) {
                QCOMPARE(test::visibleCells(editor.model()), test::visibleCells(plain));
                continue;
            }
            QCOMPARE(blockedProblems(check, editor.model()), QStringList());
            QVERIFY(test::visibleCells(editor.model()) != test::visibleCells(plain));
            // Check Puzzle, on the same lists, agrees.
            editor.findChild<QAction *>(QStringLiteral("CheckPuzzle1"))->trigger();
            auto *window = editor.findChild<CheckWindow *>(QStringLiteral("checkWindow"));
            QVERIFY(window);
            for (const QString &text : problemTexts(window))
                QVERIFY2(!text.startsWith(QStringLiteral("Blocked word")), qPrintable(text));
            window->reject();
        }
        QCOMPARE(FillSettings::instance().setKeepFillClean(true), QString());
    }
};

QTEST_MAIN(TestLanguageLists)
#include "test_language_lists.moc"
