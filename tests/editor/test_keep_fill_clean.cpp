// "Keep Fill Clean" in the editors: the check item at the end of the File
// menu, on at first, one setting for every editor and kept between runs; with
// it on, "Fill blank with Random" and Refill leave no blocked word in the
// fill, with it off they draw exactly what the model's own fill draws.

#include "check/clean_fill_model.h"
#include "check/puzzle_check.h"
#include "editor/check_window.h"
#include "editor/editor_window.h"
#include "editor/fill_settings.h"
#include "modal_answerer.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quarrin;

namespace {

// A clock that moves on by a fixed step at every reading, from `start`.
RandomGenerator::Clock stepping(std::uint64_t start)
{
    auto ticks = std::make_shared<std::uint64_t>(start);
    return [ticks] { return *ticks += 7919; };
}

struct Word
{
    const char *text;
    int x, y;
    const char *direction;
};
// Long words of their own letters: no fill spells one of them again, so the
// only problems a fill can make are blocked words.
constexpr Word kWords[] = {
    {"OTTER", 2, 2, "Right"},
    {"BADGER", 3, 5, "Down"},
    {"HERON", 8, 9, "Right"},
    {"MAGPIE", 10, 1, "Down-Left"},
};

void placeWords(PuzzleModel &model)
{
    for (const Word &w : kWords) {
        AddWordRequest r;
        r.word = QString::fromLatin1(w.text);
        r.x = QString::number(w.x);
        r.y = QString::number(w.y);
        r.direction = QString::fromLatin1(w.direction);
        QVERIFY(model.addWord(r).placed);
    }
}

QStringList allCells(const PuzzleModel &model)
{
    QStringList out;
    for (int c = 0; c < model.columns(); ++c)
        for (int r = 0; r < model.rows(); ++r)
            out << model.cell(c, r);
    return out;
}

QStringList blockedProblems(const PuzzleCheck &check, const PuzzleModel &model)
{
    QStringList out;
    for (const Problem &p : check.run(model).problems)
        if (p.kind == ProblemKind::BlockedWord)
            out << p.text;
    return out;
}

std::unique_ptr<EditorWindow> makeEditor(GridSize size, RandomGenerator *random,
                                         PuzzleSnapshot *snapshot)
{
    const EditorKind kind = size.isFixed() ? EditorKind::Record : EditorKind::Document;
    return std::make_unique<EditorWindow>(size, kind, random, snapshot);
}

QAction *keepCleanItem(EditorWindow &editor)
{
    return editor.findChild<QAction *>(QStringLiteral("keepFillCleanItem"));
}

void addSizes()
{
    QTest::addColumn<GridSize>("size");
    QTest::newRow("15x15") << GridSize::Small;
    QTest::newRow("30x30") << GridSize::Large;
    QTest::newRow("20x12 document") << GridSize(20, 12);
}

} // namespace

class TestKeepFillClean : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    PuzzleSnapshot m_snapshot;
    const PuzzleCheck m_check{BlockedWords::builtIn()};

    QString settingsFolder() const
    {
        return m_config.filePath(QStringLiteral("Word Quarrin Generator"));
    }

    static void setKeepClean(bool on)
    {
        QCOMPARE(FillSettings::instance().setKeepFillClean(on), QString());
    }

    // A document editor's puzzle has letters of its own (English, the natural
    // fill); a model standing in for it takes the same.
    static void takeEditorLetters(PuzzleModel &model)
    {
        if (!model.size().isFixed())
            model.setLetters(Alphabet(), FillKind::Natural);
    }

    // The first clock start from 1 on whose plain fill of the words reads
    // a blocked word.
    static std::uint64_t startWithABlockedFill(GridSize size, const PuzzleCheck &check)
    {
        for (std::uint64_t start = 1; start < 500; ++start) {
            RandomGenerator random(stepping(start));
            PuzzleModel model(size, &random);
            takeEditorLetters(model);
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
        // No user list and no settings but this run's own.
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QCoreApplication::setApplicationName(QStringLiteral("Word Quarrin Generator"));
        QCOMPARE(FillSettings::settingsPath(), settingsFolder() + QStringLiteral("/settings.ini"));
    }

    void cleanup()
    {
        // Every test starts from a run that never changed the setting.
        QFile::remove(FillSettings::settingsPath());
        FillSettings::instance().reload();
    }

    void itemEndsTheFileMenuAndStartsOn_data() { addSizes(); }
    void itemEndsTheFileMenuAndStartsOn()
    {
        QFETCH(GridSize, size);
        RandomGenerator random(stepping(1));
        const auto editor = makeEditor(size, &random, &m_snapshot);
        auto *file = editor->findChild<QMenu *>(QStringLiteral("File1"));
        QVERIFY(file);
        QAction *item = keepCleanItem(*editor);
        QVERIFY(item);
        QCOMPARE(file->actions().last(), item);
        QVERIFY(file->actions().at(file->actions().size() - 2)->isSeparator());
        QCOMPARE(item->text(), QStringLiteral("Keep Fill Clean"));
        QVERIFY(item->isCheckable());
        QVERIFY(item->isChecked());
        QVERIFY(!QFile::exists(FillSettings::settingsPath())); // nothing written by looking
    }

    // One setting: whichever editor changes it, every editor shows it; it is
    // written at once and read back by the next run.
    void oneSettingForEveryEditorKeptBetweenRuns()
    {
        RandomGenerator random(stepping(1));
        std::vector<std::unique_ptr<EditorWindow>> editors;
        for (const GridSize size : {GridSize::Small, GridSize::Large, GridSize(20, 12)})
            editors.push_back(makeEditor(size, &random, &m_snapshot));
        const auto shown = [&editors] {
            QList<bool> out;
            for (const auto &e : editors)
                out << keepCleanItem(*e)->isChecked();
            return out;
        };
        QCOMPARE(shown(), (QList<bool>{true, true, true}));

        test::ModalAnswerer answerer;
        keepCleanItem(*editors[1])->trigger();
        QCOMPARE(shown(), (QList<bool>{false, false, false}));
        QVERIFY(!FillSettings::instance().keepFillClean());
        QCOMPARE(answerer.messages, QStringList());
        QCOMPARE(QSettings(FillSettings::settingsPath(), QSettings::IniFormat)
                     .value(QStringLiteral("Fill/KeepFillClean"))
                     .toBool(),
                 false);

        // The next run reads it: its editors start with the item off.
        FillSettings::instance().reload();
        QVERIFY(!FillSettings::instance().keepFillClean());
        const auto next = makeEditor(GridSize::Small, &random, &m_snapshot);
        QVERIFY(!keepCleanItem(*next)->isChecked());

        keepCleanItem(*next)->trigger();
        QCOMPARE(shown(), (QList<bool>{true, true, true}));
        FillSettings::instance().reload();
        QVERIFY(FillSettings::instance().keepFillClean());
    }

    // A settings file that cannot be written: a message says so, and the
    // choice holds for the run.
    void unwritableSettingsAreReported()
    {
        // A file where the folder should be stops it being made, also as root.
        QVERIFY(QDir(settingsFolder()).removeRecursively());
        QFile inTheWay(settingsFolder());
        QVERIFY(inTheWay.open(QIODevice::WriteOnly));
        inTheWay.close();
        RandomGenerator random(stepping(1));
        const auto editor = makeEditor(GridSize::Small, &random, &m_snapshot);
        {
            test::ModalAnswerer answerer;
            keepCleanItem(*editor)->trigger();
            QCOMPARE(answerer.messages,
                     QStringList{QStringLiteral("Keep Fill Clean is off for now, but it could not "
                                                "be remembered: %1 cannot be written.")
                                     .arg(FillSettings::settingsPath())});
        }
        QVERIFY(!keepCleanItem(*editor)->isChecked());
        QVERIFY(!FillSettings::instance().keepFillClean());
        QVERIFY(QFile::remove(settingsFolder()));
        setKeepClean(true);
    }

    // The same seeded puzzle filled by the button: on, no blocked word is
    // left and only filler cells differ from the model's own fill; off, the
    // fill is the model's own, letter for letter.
    void fillBlankWithRandom_data() { addSizes(); }
    void fillBlankWithRandom()
    {
        QFETCH(GridSize, size);
        const std::uint64_t start = startWithABlockedFill(size, m_check);
        QVERIFY2(start > 0, "no seed gave a fill with a blocked word");

        RandomGenerator plainRandom(stepping(start));
        PuzzleModel plain(size, &plainRandom);
        takeEditorLetters(plain);
        placeWords(plain);
        const QStringList unfilled = allCells(plain);
        plain.fillRandom();
        QVERIFY(!blockedProblems(m_check, plain).isEmpty());

        for (const bool on : {true, false}) {
            setKeepClean(on);
            RandomGenerator random(stepping(start));
            const auto editor = makeEditor(size, &random, &m_snapshot);
            placeWords(editor->model());
            editor->showPuzzle();
            editor->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
            const QStringList cells = allCells(editor->model());
            if (!on) {
                QCOMPARE(cells, allCells(plain));
                continue;
            }
            QCOMPARE(blockedProblems(m_check, editor->model()), QStringList());
            QVERIFY(m_check.run(editor->model()).clean());
            int redrawn = 0;
            for (int k = 0; k < cells.size(); ++k) {
                const bool filler =
                    unfilled.at(k).isEmpty() || unfilled.at(k) == QLatin1String(" ");
                QVERIFY2(filler || cells.at(k) == unfilled.at(k), "a word letter changed");
                QVERIFY2(!filler || cells.at(k).endsWith(kFillerMark), "a blank was left");
                redrawn += cells.at(k) != allCells(plain).at(k) ? 1 : 0;
            }
            QVERIFY(redrawn > 0);
        }
        setKeepClean(true);
    }

    // Refill: on, each try is a clean fill, so a puzzle whose plain tries
    // spell blocked words is clean at the first try; off, it takes the same
    // tries as Refill on the model with the model's own fill.
    void refillTriesCleanFills()
    {
        const GridSize size = GridSize::Large; // more blocked words by chance than 15x15
        const auto refillModel = [&](std::uint64_t start, bool clean) {
            RandomGenerator random(stepping(start));
            PuzzleModel model(size, &random);
            placeWords(model);
            const BlockedWordMatcher matcher(m_check.blocked().words());
            RefillFill fill;
            if (clean)
                fill = [&matcher](PuzzleModel &m) { fillRandomClean(m, m.random(), matcher); };
            return refill(model, m_check, QString(), kRefillTries, fill);
        };
        std::uint64_t start = 1;
        while (start < 500 && refillModel(start, false).tries < 2)
            ++start;
        QVERIFY2(start < 500, "no seed needed a second plain try");
        const RefillResult plain = refillModel(start, false);
        QVERIFY(plain.clean);
        QVERIFY(plain.tries > 1);
        QCOMPARE(refillModel(start, true).summary,
                 QStringLiteral("Refilled in 1 try: no problems found."));

        for (const bool on : {true, false}) {
            setKeepClean(on);
            RandomGenerator random(stepping(start));
            const auto editor = makeEditor(size, &random, &m_snapshot);
            placeWords(editor->model());
            editor->showPuzzle();
            editor->findChild<QAction *>(QStringLiteral("CheckPuzzle1"))->trigger();
            auto *window = editor->findChild<CheckWindow *>(QStringLiteral("checkWindow"));
            QVERIFY(window);
            window->findChild<QPushButton *>(QStringLiteral("refillButton"))->click();
            QCOMPARE(window->findChild<QLabel *>(QStringLiteral("refillResult"))->text(),
                     on ? QStringLiteral("Refilled in 1 try: no problems found.") : plain.summary);
            QVERIFY(window->report().clean());
            window->reject();
        }
        setKeepClean(true);
    }
};

QTEST_MAIN(TestKeepFillClean)
#include "test_keep_fill_clean.moc"
