// Every letter printable: before the print window prints or saves a Greek or
// Russian puzzle ("Print", "Print Worksheet...", "Save Image" as a picture, a
// page PDF or the worksheet PDF), the letters are checked against the fonts
// the user chose. A font without them gets a warning naming it, the letters
// and a font that has them, and nothing is printed or written; with DejaVu
// Sans (or the page's own start fonts) the same command writes its file, a
// PDF with its fonts embedded and its letters extractable.

#include "language/language.h"
#include "language/printable_check.h"
#include "modal_answerer.h"
#include "print/print_window.h"
#include "print/worksheet_dialog.h"
#include "stub_print_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quarrin;
using quarrin::testing::StubPrintDialogs;

namespace {

// A URW base35 face with no Greek, Cyrillic or Latin letters.
const QString kDingbats = QStringLiteral("D050000L");
const QString kDejaVu = QStringLiteral("DejaVu Sans");

struct Word
{
    const char16_t *text;
    int x, y;
    const char *direction;
};

// A clock that moves on by a fixed step at every reading: the same fill at every run.
RandomGenerator::Clock stepping()
{
    auto ticks = std::make_shared<std::uint64_t>(5);
    return [ticks] { return *ticks += 7919; };
}

// A 10x8 document puzzle in the language, its words placed and the rest filled.
PuzzleSnapshot documentSnapshot(const char16_t *code, std::initializer_list<Word> words)
{
    RandomGenerator random(stepping());
    PuzzleModel model(GridSize(10, 8), &random);
    model.setLetters(Alphabet(*Language::find(code)), FillKind::Natural);
    for (const Word &w : words) {
        AddWordRequest r;
        r.word = QString::fromUtf16(w.text);
        r.x = QString::number(w.x);
        r.y = QString::number(w.y);
        r.direction = QLatin1String(w.direction);
        r.randomPosition = false;
        if (!model.addWord(r).placed)
            qFatal("a fixture word does not fit");
    }
    model.fillRandom();
    PuzzleSnapshot snapshot;
    takeSnapshot(model, snapshot);
    return snapshot;
}

PuzzleSnapshot greek()
{
    return documentSnapshot(
        u"el", {{u"ΛΟΓΟΣ", 1, 1, "Right"}, {u"ΨΥΧΗ", 2, 3, "Down"}, {u"ΖΩΗ", 9, 2, "Down-Left"}});
}

PuzzleSnapshot russian()
{
    return documentSnapshot(
        u"ru", {{u"ЩУКА", 1, 1, "Right"}, {u"ЖИЗНЬ", 3, 2, "Down"}, {u"ЭХО", 10, 8, "Left"}});
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool havePoppler()
{
    for (const char *name : {"pdffonts", "pdftotext"})
        if (QStandardPaths::findExecutable(QLatin1String(name)).isEmpty())
            return false;
    return true;
}

// The family as the font dialogs list it: the first entry of the font
// database for the face.
QString listedFamily(const QString &face)
{
    for (const QString &family : QFontDatabase::families())
        if (family == face || family.startsWith(face + QLatin1String(" [")))
            return family;
    return QString();
}

enum class Output
{
    Print,          // "Print" on a printer that prints to a PDF file
    PrintWorksheet, // "Print Worksheet..." on the same
    SavePng,        // "Save Image", a picture
    SavePdf,        // "Save Image", the page as a PDF
    SaveWorksheet   // "Save Image", the worksheet PDF
};

bool isWorksheet(Output output)
{
    return output == Output::PrintWorksheet || output == Output::SaveWorksheet;
}

struct Window
{
    PuzzleSnapshot snapshot;
    std::unique_ptr<PrintWindow> window;
    StubPrintDialogs *dialogs = nullptr;

    explicit Window(const PuzzleSnapshot &puzzle) : snapshot(puzzle)
    {
        window = std::make_unique<PrintWindow>(GridSize(10, 8), &snapshot);
        auto stub = std::make_unique<StubPrintDialogs>();
        dialogs = stub.get();
        window->setDialogs(std::move(stub));
        window->show();
        QApplication::processEvents();
    }

    void click(const char *name)
    {
        auto *button = window->findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The family for the output's text: the three page fonts through their
    // font dialogs, and the worksheet's font. Empty: the fonts the window
    // starts with.
    void chooseFamily(const QString &family)
    {
        WorksheetOptions options;
        if (!family.isEmpty()) {
            options.style.fontFamily = listedFamily(family);
            dialogs->fontAnswer = QFont(listedFamily(family), 14);
            for (const char *button : {"BitBtn3", "Button2", "Button6"})
                click(button);
        }
        dialogs->worksheetAnswer = options;
        // "Save Image" writes the worksheet with the options "Print
        // Worksheet..." took last; what that said of them is not asked here.
        QTemporaryDir dir;
        test::ModalAnswerer first;
        produce(Output::PrintWorksheet, dir.filePath(QStringLiteral("first.pdf")));
    }

    void produce(Output output, const QString &path)
    {
        switch (output) {
        case Output::Print:
        case Output::PrintWorksheet:
            window->printer().setOutputFormat(QPrinter::PdfFormat);
            window->printer().setOutputFileName(path);
            click(output == Output::Print ? "BitBtn2" : "printWorksheet");
            return;
        case Output::SavePng:
        case Output::SavePdf:
        case Output::SaveWorksheet: {

            const char *filter = output == Output::SavePng   ? kPngFilter
                                 : output == Output::SavePdf ? kPdfFilter
                                                             : kWorksheetFilter;
            dialogs->onSave = [path, filter](QWidget *, const QString &) {
                return std::optional<SaveChoice>(SaveChoice{path, QLatin1String(filter)});
            };
            click("Button8");
            return;
        }
        }
    }
};

} // namespace

class TestPrintGlyphs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Both faces come with the fonts scripts/setup.sh installs.
        for (const QString &family : {kDejaVu, kDingbats})
            QCOMPARE(resolvedFamily(QFont(family)), family);
    }

    // The dingbat face is one a user can choose: the font dialogs list it
    // under its foundry ("D050000L [urw]"), as the worksheet's font box does.
    void theDingbatFaceCanBeChosen()
    {
        QVERIFY2(!listedFamily(kDingbats).isEmpty(),
                 qPrintable(QFontDatabase::families().join(QLatin1Char(','))));
        WorksheetOptions initial;
        initial.style.fontFamily = listedFamily(kDingbats);
        WorksheetDialog dialog(initial);
        QVERIFY(dialog.findChild<QFontComboBox *>(QStringLiteral("fontFamily")));
        QCOMPARE(dialog.options().style.fontFamily, listedFamily(kDingbats));
    }

    void fontWithoutTheLettersStopsEveryOutput_data()
    {
        QTest::addColumn<int>("output");
        QTest::addColumn<bool>("russianPuzzle");
        QTest::addColumn<QString>("suffix");
        const struct
        {
            const char *name;
            Output output;
            const char *suffix;
        } outputs[] = {{"Print", Output::Print, "pdf"},
                       {"Print Worksheet", Output::PrintWorksheet, "pdf"},
                       {"Save Image png", Output::SavePng, "png"},
                       {"Save Image pdf", Output::SavePdf, "pdf"},
                       {"Save Image worksheet", Output::SaveWorksheet, "pdf"}};
        for (const auto &o : outputs)
            for (const bool ru : {false, true})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(
                    QLatin1String(o.name),
                    ru ? QStringLiteral("Russian") : QStringLiteral("Greek"))))
                    << int(o.output) << ru << QString::fromLatin1(o.suffix);
    }
    void fontWithoutTheLettersStopsEveryOutput()
    {
        QFETCH(int, output);
        QFETCH(bool, russianPuzzle);
        QFETCH(QString, suffix);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.") + suffix);
        Window w(russianPuzzle ? russian() : greek());
        w.chooseFamily(kDingbats);
        test::ModalAnswerer answerer;
        w.produce(Output(output), path);

        QCOMPARE(answerer.boxNames, QStringList{QLatin1String(kUnprintableLettersBox)});
        const QString message = answerer.messages.value(0);
        // named as the font dialogs list it
        QVERIFY2(message.startsWith(QStringLiteral("The font \"%1\" cannot draw these letters: ")
                                        .arg(listedFamily(kDingbats))),
                 qPrintable(message));
        // the letters of the words among those named, and a font that has them
        for (const QString &letter :
             russianPuzzle ? QStringList{"Щ", "Ж", "Э", "Ь"} : QStringList{"Λ", "Ψ", "Ζ", "Ω"})
            QVERIFY2(message.contains(letter + QLatin1Char(',')) ||
                         message.contains(letter + QLatin1Char('.')),
                     qPrintable(letter));
        QVERIFY2(message.endsWith(QStringLiteral("Nothing was printed or saved. Choose a font "
                                                 "that has them, such as \"DejaVu Sans\", and "
                                                 "try again.")),
                 qPrintable(message));
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        QCOMPARE(w.dialogs->messages, QStringList()); // no "successfully saved"
        // the window is back as it was, its tools shown
        QVERIFY(!w.window->inCaptureState());
    }

    // DejaVu Sans, or the page's start fonts (and the worksheet's), draw the
    // same puzzles: nothing is asked and the file is written; a PDF embeds
    // every font it uses and gives the words back as text.
    void fontWithTheLettersWritesTheFile_data()
    {
        QTest::addColumn<int>("output");
        QTest::addColumn<bool>("russianPuzzle");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("suffix");
        for (const QString &family : {kDejaVu, QString()})
            for (const bool ru : {false, true}) {
                const QString name = (family.isEmpty() ? QStringLiteral("start fonts") : family) +
                                     (ru ? QStringLiteral(", Russian") : QStringLiteral(", Greek"));
                QTest::newRow(qPrintable(name + QStringLiteral(", Print")))
                    << int(Output::Print) << ru << family << QStringLiteral("pdf");
                QTest::newRow(qPrintable(name + QStringLiteral(", Print Worksheet")))
                    << int(Output::PrintWorksheet) << ru << family << QStringLiteral("pdf");
                QTest::newRow(qPrintable(name + QStringLiteral(", Save Image png")))
                    << int(Output::SavePng) << ru << family << QStringLiteral("png");
                QTest::newRow(qPrintable(name + QStringLiteral(", Save Image pdf")))
                    << int(Output::SavePdf) << ru << family << QStringLiteral("pdf");
                QTest::newRow(qPrintable(name + QStringLiteral(", Save Image worksheet")))
                    << int(Output::SaveWorksheet) << ru << family << QStringLiteral("pdf");
            }
    }
    void fontWithTheLettersWritesTheFile()
    {
        QFETCH(int, output);
        QFETCH(bool, russianPuzzle);
        QFETCH(QString, family);
        QFETCH(QString, suffix);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.") + suffix);
        Window w(russianPuzzle ? russian() : greek());
        w.chooseFamily(family);
        test::ModalAnswerer answerer;
        w.produce(Output(output), path);
        QCOMPARE(answerer.messages, QStringList());
        QVERIFY(QFileInfo::exists(path));
        if (suffix == QLatin1String("png")) {
            QVERIFY(!QImage(path).isNull());
            return;
        }
        if (!havePoppler())
            QSKIP("the poppler tools are not installed");
        const QStringList faces = run(QStringLiteral("pdffonts"), {path})
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                      .mid(2);
        QVERIFY(!faces.isEmpty());
        const QString expected = family.isEmpty() && !isWorksheet(Output(output))
                                     ? QStringLiteral("Liberation")
                                     : QStringLiteral("DejaVu");
        for (const QString &face : faces) {
            // name, type, encoding, then the emb, sub and uni columns
            const QStringList columns = face.simplified().split(QLatin1Char(' '));
            QVERIFY2(columns.size() >= 7, qPrintable(face));
            QCOMPARE(columns.at(columns.size() - 5), QStringLiteral("yes"));
            QVERIFY2(face.contains(expected), qPrintable(face));
        }
        const QString text = run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        for (const QString &word : russianPuzzle ? QStringList{"ЩУКА", "ЖИЗНЬ", "ЭХО"}
                                                 : QStringList{"ΛΟΓΟΣ", "ΨΥΧΗ", "ΖΩΗ"})
            QVERIFY2(text.contains(word), qPrintable(word + QStringLiteral(" in ") + text));
    }

    // A record puzzle of A to Z on its start fonts asks nothing either.
    void recordPuzzleAsksNothing()
    {
        QTemporaryDir dir;
        PuzzleSnapshot snapshot;
        {
            RandomGenerator random(stepping());
            PuzzleModel model(GridSize::Small, &random);
            AddWordRequest r;
            r.word = QStringLiteral("HORSE");
            r.x = QStringLiteral("1");
            r.y = QStringLiteral("1");
            r.direction = QStringLiteral("Right");
            r.randomPosition = false;
            QVERIFY(model.addWord(r).placed);
            model.fillRandom();
            takeSnapshot(model, snapshot);
        }
        PrintWindow window(GridSize::Small, &snapshot);
        auto stub = std::make_unique<StubPrintDialogs>();
        StubPrintDialogs *dialogs = stub.get();
        window.setDialogs(std::move(stub));
        window.show();
        const QString path = dir.filePath(QStringLiteral("record.png"));
        dialogs->onSave = [path](QWidget *, const QString &) {
            return std::optional<SaveChoice>(SaveChoice{path, QLatin1String(kPngFilter)});
        };
        test::ModalAnswerer answerer;
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Button8")),
                          Qt::LeftButton);
        QCOMPARE(answerer.messages, QStringList());
        QVERIFY(QFileInfo::exists(path));
    }
};

QTEST_MAIN(TestPrintGlyphs)
#include "test_print_glyphs.moc"
