// Puzzles in a chosen language through the program's own windows: "New
// Puzzle..." with a language opens the document editor in it (a record size
// too), the word box takes that alphabet's letters as typed and names a
// letter it refuses, the editor names its language, and a saved document
// opens again in its language. English with the record editors' letters
// keeps the record editors exactly as they were.

#include "app/quarrin_app.h"
#include "app_options.h"
#include "editor/editor_window.h"
#include "files/puzzle_document.h"
#include "modal_answerer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;
using quarrin::test::ModalAnswerer;
using quarrin::test::noSplash;

namespace {

struct Letters
{
    QString code;
    bool keepAccents = true;
    int sharpS = 0; // the row of the ß choice: 0 SS, 1 ẞ
};

// Answers "New Puzzle..." with the sides and the letters; `seen` gets what
// the dialog showed for ß and the language it started at.
std::function<void(QDialog *)> answerNewPuzzle(int columns, int rows, Letters letters,
                                               QStringList *seen = nullptr)
{
    return [=](QDialog *dialog) {
        if (dialog->objectName() != QLatin1String("newPuzzle"))
            return;
        auto *language = dialog->findChild<QComboBox *>("language");
        auto *sharpS = dialog->findChild<QComboBox *>("sharpS");
        if (seen)
            *seen << language->currentData().toString();
        dialog->findChild<QSpinBox *>("columns")->setValue(columns);
        dialog->findChild<QSpinBox *>("rows")->setValue(rows);
        language->setCurrentIndex(language->findData(letters.code));
        dialog->findChild<QCheckBox *>("keepAccents")->setChecked(letters.keepAccents);
        if (seen)
            *seen << (sharpS->isVisible() ? QStringLiteral("ß shown") : QStringLiteral("ß hidden"));
        if (sharpS->isVisible())
            sharpS->setCurrentIndex(letters.sharpS);
        dialog->findChild<QPushButton *>("ok")->click();
    };
}

QStringList listLines(QWidget *w, const char *name)
{
    return w->findChild<QPlainTextEdit *>(name)->toPlainText().split('\n', Qt::SkipEmptyParts);
}

// Types text key by key as a keyboard of its alphabet sends it: each key
// press carries its character as text, its key code the letter's capital
// (QTest::keyClicks takes Latin-1 only).
void typeKeys(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        const auto key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

// Types into the word box key by key and adds the word at a random place.
QString typeAndAdd(EditorWindow *editor, const QString &typed, QStringList *messages)
{
    auto *wordBox = editor->findChild<QLineEdit *>("wordEB");
    auto *random = editor->findChild<QCheckBox *>("CheckBox1");
    if (!random->isChecked())
        random->click();
    wordBox->clear();
    ModalAnswerer answerer;
    typeKeys(wordBox, typed);
    const QString inBox = wordBox->text();
    editor->findChild<QPushButton *>("BitBtn1")->click();
    if (messages)
        *messages = answerer.messages;
    return inBox;
}

EditorWindow *newPuzzle(QuarrinApp &app, EditorWindow *from, int columns, int rows, Letters letters,
                        QStringList *seen = nullptr)
{
    ModalAnswerer answerer;
    answerer.onDialog = answerNewPuzzle(columns, rows, letters, seen);
    answerer.questionAnswer = QStringLiteral("discardAnswer");
    from->findChild<QAction *>("NewPuzzle1")->trigger();
    return app.shownEditor();
}

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT
private slots:
    // Any letters but English with accents kept and the natural fill open the
    // document editor, at a record size too; those letters open the record editor.
    void languageChoosesTheEditor_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("keepAccents");
        QTest::addColumn<bool>("record");
        QTest::addColumn<QString>("label");
        QTest::newRow("15x15 English") << 15 << "en" << true << true << "";
        QTest::newRow("30x30 English") << 30 << "en" << true << true << "";
        QTest::newRow("15x15 Greek") << 15 << "el" << true << false << "Ελληνικά (Greek)";
        QTest::newRow("30x30 Russian") << 30 << "ru" << true << false << "Русский (Russian)";
        QTest::newRow("15x15 English without accents")
            << 15 << "en" << false << false << "English, no accents";
        QTest::newRow("12x12 Polish") << 12 << "pl" << true << false << "Polski (Polish)";
    }

    void languageChoosesTheEditor()
    {
        QFETCH(int, side);
        QFETCH(QString, code);
        QFETCH(bool, keepAccents);
        QFETCH(bool, record);
        QFETCH(QString, label);
        QuarrinApp app(noSplash());
        app.start();
        EditorWindow *editor = newPuzzle(app, app.main(), side, side, {code, keepAccents});
        QCOMPARE(editor->gridSize(), GridSize(side, side));
        if (record) {
            QCOMPARE(editor, side == 15 ? static_cast<EditorWindow *>(app.main())
                                        : static_cast<EditorWindow *>(app.mainC()));
            QVERIFY(!editor->model().hasAlphabet());
            QVERIFY(!editor->findChild<QLabel *>("languageLabel"));
            return;
        }
        QCOMPARE(editor, app.documentEditor());
        QCOMPARE(editor->model().alphabet().language().code(), code);
        QCOMPARE(editor->model().alphabet().rules().keepAccents, keepAccents);
        auto *languageLabel = editor->findChild<QLabel *>("languageLabel");
        QVERIFY(languageLabel);
        QCOMPARE(languageLabel->text(), label);
        QVERIFY(languageLabel->isVisible());
    }

    // The word box takes the alphabet's letters as typed, upper-cases them the
    // language's way, and drops a key of another alphabet; text that arrives
    // whole (a paste) stays, so Add Word can name the letter it refuses.
    void wordBoxTakesTheAlphabet_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("sharpS");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("inBox");
        QTest::addColumn<QString>("placed");
        QTest::newRow("Turkish") << "tr" << 0 << "istanbul"
                                 << "istanbul"
                                 << "İSTANBUL";
        QTest::newRow("Turkish dotless") << "tr" << 0 << "ışık"
                                         << "ışık"
                                         << "IŞIK";
        QTest::newRow("German SS") << "de" << 0 << "straße"
                                   << "straße"
                                   << "STRASSE";
        QTest::newRow("German ẞ") << "de" << 1 << "straße"
                                  << "straße"
                                  << "STRAẞE";
        QTest::newRow("Greek") << "el" << 0 << "λόγος"
                               << "λόγος"
                               << "ΛΌΓΟΣ";
        QTest::newRow("Russian, a Latin key dropped") << "ru" << 0 << "кoт"
                                                      << "кт"
                                                      << "КТ";
        QTest::newRow("Polish, a digit dropped") << "pl" << 0 << "łó1dź"
                                                 << "łódź"
                                                 << "ŁÓDŹ";
    }

    void wordBoxTakesTheAlphabet()
    {
        QFETCH(QString, code);
        QFETCH(int, sharpS);
        QFETCH(QString, typed);
        QFETCH(QString, inBox);
        QFETCH(QString, placed);
        QuarrinApp app(noSplash());
        app.start();
        QStringList seen;
        EditorWindow *editor = newPuzzle(app, app.main(), 12, 12, {code, true, sharpS}, &seen);
        QCOMPARE(seen.at(1), code == QLatin1String("de") ? QStringLiteral("ß shown")
                                                         : QStringLiteral("ß hidden"));
        QStringList messages;
        QCOMPARE(typeAndAdd(editor, typed, &messages), inBox);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('|')));
        QCOMPARE(listLines(editor, "log"), QStringList{placed});
    }

    void pastedForeignLetterIsNamed()
    {
        QuarrinApp app(noSplash());
        app.start();
        EditorWindow *editor = newPuzzle(app, app.main(), 12, 12, {QStringLiteral("pl")});
        auto *wordBox = editor->findChild<QLineEdit *>("wordEB");
        editor->findChild<QCheckBox *>("CheckBox1")->setChecked(true);
        wordBox->setFocus();
        wordBox->insert(QStringLiteral("жук")); // as a paste arrives
        QCOMPARE(wordBox->text(), QStringLiteral("жук"));
        ModalAnswerer answerer;
        editor->findChild<QPushButton *>("BitBtn1")->click();
        QCOMPARE(answerer.messages,
                 QStringList{QStringLiteral("The letter \"ж\" is not in the Polish alphabet.")});
        QCOMPARE(wordBox->text(), QStringLiteral("жук"));
        QVERIFY(listLines(editor, "log").isEmpty());
    }

    // Saved, the puzzle keeps its language; opened by a fresh program it comes
    // back in the document editor with its letters, its fill and New Puzzle
    // starting at its language.
    void savedDocumentOpensInItsLanguage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("greek.ipuz"));
        {
            QuarrinApp app(noSplash());
            app.start();
            EditorWindow *editor = newPuzzle(app, app.main(), 15, 15, {QStringLiteral("el")});
            typeAndAdd(editor, QStringLiteral("ψυχή"), nullptr);
            editor->findChild<QPushButton *>("Button1")->click(); // Fill blank with Random
            PuzzleDocument document = documentFromModel(editor->model());
            QVERIFY(saveDocument(document, path).ok);
        }
        QuarrinApp app(noSplash());
        app.start();
        {
            ModalAnswerer answerer;
            const FileResult opened = app.openPuzzleFile(app.main(), path);
            QVERIFY2(opened.ok, qPrintable(opened.error));
        }
        EditorWindow *editor = app.shownEditor();
        QCOMPARE(editor, app.documentEditor());
        QCOMPARE(editor->gridSize(), GridSize::Small);
        QCOMPARE(editor->model().alphabet().language().code(), QStringLiteral("el"));
        QCOMPARE(listLines(editor, "log"), QStringList{QStringLiteral("ΨΥΧΉ")});
        const Alphabet greek = editor->model().alphabet();
        const LetterGrid grid = editor->model().letterGrid();
        for (int row = 0; row < 15; ++row)
            for (int col = 0; col < 15; ++col)
                QVERIFY2(greek.contains(QChar(grid.at(col, row))),
                         qPrintable(QStringLiteral("%1, %2").arg(col + 1).arg(row + 1)));
        QStringList seen;
        newPuzzle(app, editor, 15, 15, {QStringLiteral("el")}, &seen);
        QCOMPARE(seen.value(0), QStringLiteral("el"));
    }
};

QTEST_MAIN(TestLanguages)
#include "test_languages.moc"
