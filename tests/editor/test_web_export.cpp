// "Export Web Page..." in both editors, driven through the menu and its two
// dialogs: the page written is the page of the editor's puzzle with the print
// page's clues, the "Show answers" choice is kept, a cancel writes nothing and
// a failed write is reported with the old file kept.

#include "editor/editor_window.h"
#include "file_faults.h"
#include "language/printable_check.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace quarrin;
using quarrin::test::DiskFull;

namespace {

// Answers the export's dialogs as they open: the options dialog gets the
// title and choice prepared (or is cancelled), the save dialog the file (or
// is cancelled), message boxes are noted and confirmed.
class ExportAnswerer : public QObject
{
public:
    std::optional<QString> title; // nothing: keep what the dialog offers
    std::optional<bool> answers;  // nothing: keep the box as it is
    bool cancelOptions = false;
    QString file; // empty: cancel the save dialog
    bool cancelFile = false;
    QStringList seen; // object names of the dialogs, in order
    QString offeredTitle;
    bool offeredAnswers = false;
    QStringList accessibleNames; // of the options dialog's controls
    QStringList filters;
    QString offeredFile;
    QStringList messages;
    QStringList boxNames; // objectNames of the message boxes

    ExportAnswerer()
    {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, &ExportAnswerer::poll);
        m_timer.start();
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_answered)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            boxNames << box->objectName();
            QAbstractButton *yes = box->button(QMessageBox::Yes);
            (yes ? yes : box->button(QMessageBox::Ok))->click();
        } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            seen << files->objectName();
            filters = files->nameFilters();
            if (auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                offeredFile = name->text();
            if (file.isEmpty() || cancelFile) {
                files->reject();
            } else {
                m_answered = files;
                files->selectFile(file);
                // Queued: a question about replacing the file opens inside
                // accept(), and this timer must be free to answer it.
                QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
            }
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            seen << dialog->objectName();
            auto *titleBox = dialog->findChild<QLineEdit *>(QStringLiteral("webTitle"));
            auto *answersBox = dialog->findChild<QCheckBox *>(QStringLiteral("webShowAnswers"));
            auto *save = dialog->findChild<QPushButton *>(QStringLiteral("webSaveButton"));
            if (!titleBox || !answersBox || !save) {
                dialog->reject();
                return;
            }
            offeredTitle = titleBox->text();
            offeredAnswers = answersBox->isChecked();
            accessibleNames = {dialog->accessibleName(), titleBox->accessibleName(),
                               answersBox->accessibleName(), save->accessibleName()};
            if (title)
                titleBox->setText(*title);
            if (answers)
                answersBox->setChecked(*answers);
            if (cancelOptions)
                dialog->reject();
            else
                save->click();
        }
    }

    QTimer m_timer;
    QPointer<QWidget> m_answered; // accepted, its answer still on the way
};

void placeWord(EditorWindow &window, const QString &word, int x, int y, const char *direction)
{
    AddWordRequest request;
    request.word = word;
    request.x = QString::number(x);
    request.y = QString::number(y);
    request.direction = QString::fromLatin1(direction);
    QVERIFY2(window.model().addWord(request).placed, qPrintable(word));
    window.showPuzzle();
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QAction *exportItem(EditorWindow &editor)
{
    return editor.findChild<QAction *>(QStringLiteral("ExportWebPage1"));
}

} // namespace

class TestWebExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    RandomGenerator m_random{[] {
        static std::uint64_t ticks = 101;
        return ticks += 7919;
    }};
    PuzzleSnapshot m_snapshot;

    // An editor with three words (HORSE across, SHEEP down, GOAT backwards)
    // filled at random, and a print page that replaced HORSE by a clue.
    std::unique_ptr<EditorWindow> farm(GridSize size)
    {
        auto editor = std::make_unique<EditorWindow>(size, &m_random, &m_snapshot);
        placeWord(*editor, QStringLiteral("HORSE"), 1, 1, "Right");
        placeWord(*editor, QStringLiteral("SHEEP"), 2, 3, "Down");
        placeWord(*editor, QStringLiteral("GOAT"), 15, 4, "Left");
        editor->model().fillRandom();
        editor->showPuzzle();
        EditorWindow *raw = editor.get();
        editor->setPrintedTexts([raw] {
            PuzzleSnapshot shown;
            takeSnapshot(raw->model(), shown);
            return PrintedTexts{QStringLiteral("Farm week"),
                                {QStringLiteral("1. Neighs"), QStringLiteral("2. SHEEP"),
                                 QStringLiteral("3. GOAT")},
                                shown.words};
        });
        return editor;
    }

    // The page the export must write for the editor's puzzle.
    static QByteArray expectedPage(EditorWindow &editor, const QString &title, bool answers)
    {
        PuzzleSnapshot snapshot;
        takeSnapshot(editor.model(), snapshot);
        QStringList clues = {QStringLiteral("Neighs")};
        WebPageOptions options;
        options.showAnswers = answers;
        return webPageHtml(webPuzzleFromSnapshot(snapshot, title, clues), options);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void menuEndsWithTheExport_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::newRow("15x15") << GridSize::Small;
        QTest::newRow("30x30") << GridSize::Large;
    }
    void menuEndsWithTheExport()
    {
        QFETCH(GridSize, size);
        EditorWindow editor(size, &m_random, &m_snapshot);
        auto *file = editor.findChild<QMenu *>(QStringLiteral("File1"));
        QVERIFY(file);
        // After every command that came before it; only the later commands
        // (Add Words..., Save As..., Recent Puzzles) and settings follow it.
        const QList<QAction *> items = file->actions();
        const qsizetype at = items.indexOf(exportItem(editor));
        QVERIFY(at >= 0);
        QCOMPARE(items.at(at - 1)->objectName(), QStringLiteral("NewPuzzle1"));
        const QStringList later{"AddWords1", "SaveAs1", "RecentPuzzlesItem"};
        for (qsizetype k = at + 1; k < items.size(); ++k)
            QVERIFY2(items[k]->isSeparator() || items[k]->isCheckable() ||
                         later.contains(items[k]->objectName()),
                     qPrintable(items[k]->text()));
        QCOMPARE(exportItem(editor)->text(), QStringLiteral("Export Web Page..."));
    }

    void exportWritesThePuzzlesPage_data() { menuEndsWithTheExport_data(); }
    void exportWritesThePuzzlesPage()
    {
        QFETCH(GridSize, size);
        auto editor = farm(size);
        ExportAnswerer answer;
        answer.answers = true;
        answer.file = m_dir.filePath(QStringLiteral("farm-") + size.text()); // no suffix typed
        exportItem(*editor)->trigger();
        QCOMPARE(answer.seen, (QStringList{"webExportDialog", "webSave"}));
        QCOMPARE(answer.offeredTitle, QStringLiteral("Farm week"));
        QCOMPARE(answer.accessibleNames,
                 (QStringList{"Export Web Page", "Title", "Include \"Show answers\"", "Save"}));
        QCOMPARE(answer.filters, QStringList{QStringLiteral("Web page (*.html)")});
        QCOMPARE(answer.offeredFile, QStringLiteral("Farm week.html"));
        QCOMPARE(answer.messages, QStringList());
        QCOMPARE(contents(answer.file + QStringLiteral(".html")),
                 expectedPage(*editor, QStringLiteral("Farm week"), true));
    }

    void answersChoiceIsKeptForTheNextExport()
    {
        auto editor = farm(GridSize::Small);
        const QString path = m_dir.filePath(QStringLiteral("plain.html"));
        {
            ExportAnswerer answer;
            answer.answers = false;
            answer.title = QStringLiteral("  Without answers ");
            answer.file = path;
            exportItem(*editor)->trigger();
            QCOMPARE(contents(path),
                     expectedPage(*editor, QStringLiteral("Without answers"), false));
        }
        // The other editor's next export offers the same choice.
        auto other = farm(GridSize::Large);
        ExportAnswerer again;
        again.cancelOptions = true;
        exportItem(*other)->trigger();
        QCOMPARE(again.offeredAnswers, false);
        again.cancelOptions = false;
        again.answers = true;
        again.file = path;
        exportItem(*other)->trigger(); // over the earlier page: confirmed
        QCOMPARE(again.messages.size(), 1);
        QVERIFY2(again.messages.first().contains(QLatin1String("already exists")),
                 qPrintable(again.messages.first()));
        QCOMPARE(contents(path), expectedPage(*other, QStringLiteral("Farm week"), true));
    }

    void cancelWritesNothing_data()
    {
        QTest::addColumn<bool>("cancelOptions"); // or else the save dialog
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("the options") << true << QStringList{"webExportDialog"};
        QTest::newRow("the file") << false << QStringList{"webExportDialog", "webSave"};
    }
    void cancelWritesNothing()
    {
        QFETCH(bool, cancelOptions);
        QFETCH(QStringList, seen);
        auto editor = farm(GridSize::Small);
        QTemporaryDir empty;
        ExportAnswerer answer;
        answer.cancelOptions = cancelOptions;
        answer.cancelFile = !cancelOptions;
        answer.file = empty.filePath(QStringLiteral("page.html"));
        exportItem(*editor)->trigger();
        QCOMPARE(answer.seen, seen);
        QCOMPARE(answer.messages, QStringList());
        QCOMPARE(QDir(empty.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void failedWriteIsReportedAndKeepsTheOldFile()
    {
        auto editor = farm(GridSize::Large);
        const QString path = m_dir.filePath(QStringLiteral("kept.html"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old page");
        }
        ExportAnswerer answer;
        answer.file = path;
        {
            DiskFull full(1000);
            QVERIFY(full.active());
            exportItem(*editor)->trigger();
        }
        QCOMPARE(answer.messages.size(), 2); // replace it?, then the failure
        QCOMPARE(
            answer.messages.last(),
            QStringLiteral("The web page could not be saved to \"%1\": File too large").arg(path));
        QCOMPARE(contents(path), QByteArray("old page"));
    }

    // A Russian document puzzle: its page is written with its letters; a
    // clue in letters none of the page's fonts has here (Cherokee) stops the
    // export before the file is asked for, with the letters named.
    void lettersTheFontsLackStopTheExport_data()
    {
        QTest::addColumn<QString>("clue");
        QTest::addColumn<QString>("message"); // empty: the page is written
        QTest::newRow("Russian") << QStringLiteral("Речная рыба") << QString();
        QTest::newRow("a Cherokee clue")
            << QStringLiteral("ᏣᎳᎩ рыба")
            << QStringLiteral("can draw these letters: Ꮳ, Ꮃ, Ꭹ.\n\nNothing was printed or saved. "
                              "No font on this computer has them: install one that does, or "
                              "leave these letters out.");
    }
    void lettersTheFontsLackStopTheExport()
    {
        QFETCH(QString, clue);
        QFETCH(QString, message);
        EditorWindow editor(GridSize(10, 8), EditorKind::Document, &m_random, &m_snapshot);
        NewPuzzleChoice russian;
        russian.size = GridSize(10, 8);
        russian.language = QStringLiteral("ru");
        QVERIFY(editor.startEmptyPuzzle(russian));
        placeWord(editor, QStringLiteral("ЩУКА"), 1, 1, "Right");
        placeWord(editor, QStringLiteral("ЖИЗНЬ"), 3, 2, "Down");
        editor.model().fillRandom();
        editor.showPuzzle();
        EditorWindow *raw = &editor;
        editor.setPrintedTexts([raw, clue] {
            PuzzleSnapshot shown;
            takeSnapshot(raw->model(), shown);
            return PrintedTexts{QStringLiteral("Рыбы"),
                                {QStringLiteral("1. ") + clue, QStringLiteral("2. ЖИЗНЬ")},
                                shown.words};
        });
        QTemporaryDir dir;
        ExportAnswerer answer;
        answer.file = dir.filePath(QStringLiteral("fish.html"));
        exportItem(editor)->trigger();
        if (message.isEmpty()) {
            QCOMPARE(answer.messages, QStringList());
            const QString page = QString::fromUtf8(contents(answer.file));
            for (const QString &text : {QStringLiteral("Рыбы"), clue, QStringLiteral("ЖИЗНЬ")})
                QVERIFY2(page.contains(text), qPrintable(text));
            return;
        }
        QCOMPARE(answer.seen, QStringList{"webExportDialog"}); // no file asked for
        QCOMPARE(answer.boxNames, QStringList{QLatin1String(kUnprintableLettersBox)});
        QVERIFY2(answer.messages.value(0).startsWith(QStringLiteral("None of the fonts \"")),
                 qPrintable(answer.messages.value(0)));
        QVERIFY2(answer.messages.value(0).endsWith(message), qPrintable(answer.messages.value(0)));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void puzzleWithoutWordsIsRefused()
    {
        EditorWindow editor(GridSize::Small, &m_random, &m_snapshot);
        ExportAnswerer answer;
        exportItem(editor)->trigger();
        QCOMPARE(answer.seen, QStringList());
        QCOMPARE(answer.messages,
                 QStringList{QStringLiteral("The puzzle has no words yet. Add words before "
                                            "exporting it as a web page.")});
    }
};

QTEST_MAIN(TestWebExport)
#include "test_web_export.moc"
