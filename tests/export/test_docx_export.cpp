// The default word processor: the .docx document it writes, read back with an
// independent reader (python-docx), its file naming, and opening the document
// through the desktop's registered application.

#include "export/docx_save.h"
#include "export/docx_word_processor.h"
#include "export/word_export.h"
#include "file_faults.h"

#include <QtTest>

#include <cerrno>

using namespace quarrin;
using quarrin::test::DiskFull;

namespace {

// The default word processor, waiting as long as its opener takes: on a busy
// machine xdg-open itself can take longer than the default wait.
std::unique_ptr<WordProcessor> patientWordProcessor()
{
    DocxWordProcessorOptions options;
    options.openWaitMs = 60000;
    return std::make_unique<DocxWordProcessor>(options);
}


const QString kPython = QStringLiteral("/usr/bin/python3");

// Runs the python-docx reader on `path` and returns its JSON answer.
QJsonObject readDocx(const QString &path)
{
    QProcess reader;
    reader.start(kPython, {QStringLiteral(QUARRIN_READ_DOCX), path});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
        qWarning().noquote() << "reader failed:" << reader.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

QStringList docxFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.docx")}, QDir::Files, QDir::Name);
}

QStringList allFiles(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void writeText(const QString &path, const QByteArray &text, bool executable = false)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

QStringList cellsOf(const PuzzleModel &model)
{
    QStringList cells;
    for (int c = 0; c < model.storeColumns(); ++c)
        for (int r = 0; r < model.storeRows(); ++r)
            cells << model.cell(c, r);
    return cells;
}

// A puzzle with a word, random letters, a swept blank and a margin letter.
void fillFixture(PuzzleModel &model)
{
    const int n = model.columns();
    model.setCell(2, 0, QStringLiteral("C"));
    model.setCell(3, 0, QStringLiteral("A"));
    model.setCell(4, 0, QStringLiteral("T"));
    model.setCell(0, 1, QStringLiteral("K") + kFillerMark);
    model.setCell(1, 1, QStringLiteral(" "));
    model.setCell(n - 1, n - 1, QStringLiteral("Z") + kFillerMark);
    model.setCell(n, 0, QStringLiteral("M"));
}

} // namespace

class TestDocxExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tableReadBack_data();
    void tableReadBack();
    void everyExportIsANewFile();
    void unwritableFolderLeavesNothing();
    void fullDiskExportIsReported();
    void documentsFolderOrTemporaryFolder();
    void registeredHandlerOpensTheDocument();
    void noHandlerShowsTheMessage();
    void failingHandlerLeavesNoFile();
    void savedDocumentIsTheExportsDocument_data();
    void savedDocumentIsTheExportsDocument();
    void failedDocumentSaveKeepsTheEarlierFile();

private:
    // A desktop of its own: XDG folders under a temporary directory, with an
    // optional handler for .docx documents that runs `handlerScript`.
    struct FakeDesktop
    {
        QTemporaryDir root;
        QString documents;
        QString record;
    };
    void setUpDesktop(FakeDesktop &desktop, QByteArray handlerScript);
    bool haveXdgUtils() const;
};

void TestDocxExport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(kPython), "python3 is needed to read the documents back");
}

void TestDocxExport::tableReadBack_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<double>("width");
    QTest::newRow("15x15") << GridSize::Small << 0.0;
    QTest::newRow("30x30") << GridSize::Large << 15.0;
}

void TestDocxExport::tableReadBack()
{
    QFETCH(GridSize, size);
    QFETCH(double, width);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    RandomGenerator random;
    PuzzleModel model(size, &random);
    fillFixture(model);
    const int n = model.columns();

    DocxWordProcessorOptions options;
    options.folder = folder.path();
    options.handlerQuery.clear();
    options.opener.clear();
    DocxWordProcessor processor(options);
    QCOMPARE(exportGrid(model, processor), QString());
    QVERIFY(QFileInfo::exists(processor.writtenPath()));
    QCOMPARE(QFileInfo(processor.writtenPath()).absolutePath(), QDir(folder.path()).absolutePath());

    const QJsonObject doc = readDocx(processor.writtenPath());
    const QJsonArray tables = doc.value("tables").toArray();
    QCOMPARE(tables.size(), 1);
    const QJsonObject table = tables.at(0).toObject();
    QCOMPARE(table.value("rows").toInt(), n);
    QCOMPARE(table.value("columns").toInt(), n);

    const QJsonArray cells = table.value("cells").toArray();
    const QJsonArray widths = table.value("widths").toArray();
    const QJsonArray paragraphs = table.value("paragraphs").toArray();
    QCOMPARE(cells.size(), n);
    for (int r = 0; r < n; ++r) {
        const QJsonArray row = cells.at(r).toArray();
        QCOMPARE(row.size(), n);
        for (int c = 0; c < n; ++c) {
            const QString expected = model.cell(c, r).left(1);
            QCOMPARE(row.at(c).toString(), expected);
            QCOMPARE(paragraphs.at(r).toArray().at(c).toInt(), 1);
            const QJsonValue w = widths.at(r).toArray().at(c);
            if (width > 0)
                QCOMPARE(w.toDouble(), width);
            else
                QVERIFY2(w.isNull(), "the small grid keeps the word processor's widths");
        }
    }
    // The fixture's own letters, explicitly: bare letters, a space for a blank.
    QCOMPARE(cells.at(0).toArray().at(2).toString(), QStringLiteral("C"));
    QCOMPARE(cells.at(1).toArray().at(0).toString(), QStringLiteral("K"));
    QCOMPARE(cells.at(1).toArray().at(1).toString(), QStringLiteral(" "));
    QCOMPARE(cells.at(n - 1).toArray().at(n - 1).toString(), QStringLiteral("Z"));
    QCOMPARE(cells.at(2).toArray().at(2).toString(), QString());

    const QJsonArray grid = table.value("grid").toArray();
    QCOMPARE(grid.size(), n);
    if (width > 0) {
        for (const QJsonValue &g : grid)
            QCOMPARE(g.toDouble(), width);
    }
}

void TestDocxExport::everyExportIsANewFile()
{
    QTemporaryDir folder;
    RandomGenerator random;
    PuzzleModel model(GridSize::Small, &random);
    DocxWordProcessorOptions options;
    options.folder = folder.path();
    options.handlerQuery.clear();
    options.opener.clear();

    model.setCell(0, 0, QStringLiteral("A"));
    DocxWordProcessor first(options);
    QCOMPARE(exportGrid(model, first), QString());
    QFile firstFile(first.writtenPath());
    QVERIFY(firstFile.open(QIODevice::ReadOnly));
    const QByteArray firstBytes = firstFile.readAll();
    firstFile.close();

    model.setCell(0, 0, QStringLiteral("B"));
    DocxWordProcessor second(options);
    QCOMPARE(exportGrid(model, second), QString());
    QVERIFY(second.writtenPath() != first.writtenPath());

    // The same processor again makes a third document.
    QCOMPARE(exportGrid(model, second), QString());
    QCOMPARE(docxFiles(folder.path()).size(), 3);
    QCOMPARE(allFiles(folder.path()).size(), 3); // no temporary files left

    QVERIFY(firstFile.open(QIODevice::ReadOnly));
    QCOMPARE(firstFile.readAll(), firstBytes);
    QCOMPARE(readDocx(first.writtenPath())["tables"][0]["cells"][0][0].toString(),
             QStringLiteral("A"));
    QCOMPARE(readDocx(second.writtenPath())["tables"][0]["cells"][0][0].toString(),
             QStringLiteral("B"));
}

void TestDocxExport::unwritableFolderLeavesNothing()
{
    QTemporaryDir root;
    const QString missing = root.filePath(QStringLiteral("no such folder"));
    QString error;
    const QString path =
        DocxWordProcessor::writeFresh(missing, QStringLiteral("grid"), QByteArray("x"), &error);
    QVERIFY(path.isEmpty());
    QVERIFY(error.contains(QDir::toNativeSeparators(missing)));
    QVERIFY(allFiles(root.path()).isEmpty());
    QVERIFY(!QFileInfo::exists(missing));
}

// The export command on a full disk: the document cannot be written, the
// message names the folder and the system's reason, no part file is left,
// and the puzzle is as it was.
void TestDocxExport::fullDiskExportIsReported()
{
    QTemporaryDir dir;
    RandomGenerator random;
    PuzzleModel model(GridSize::Large, &random);
    fillFixture(model);
    const QStringList before = cellsOf(model);
    DocxWordProcessorOptions options;
    options.folder = dir.path();
    options.handlerQuery.clear();
    options.opener.clear();
    DocxWordProcessor processor(options);
    QString message;
    {
        DiskFull full(100);
        QVERIFY(full.active());
        message = exportGrid(model, processor);
    }
    QCOMPARE(message, QStringLiteral("The document could not be written in %1: %2")
                          .arg(QDir::toNativeSeparators(QFileInfo(dir.path()).absoluteFilePath()),
                               qt_error_string(EFBIG)));
    QCOMPARE(allFiles(dir.path()), QStringList());
    QCOMPARE(cellsOf(model), before);

    // With room again the same command writes the document.
    QCOMPARE(exportGrid(model, processor), QString());
    QCOMPARE(docxFiles(dir.path()).size(), 1);
}

void TestDocxExport::documentsFolderOrTemporaryFolder()
{
    FakeDesktop desktop;
    setUpDesktop(desktop, QByteArray());
    QCOMPARE(DocxWordProcessor::documentFolder(QString()), desktop.documents);
    QVERIFY(QDir(desktop.documents).removeRecursively());
    QCOMPARE(DocxWordProcessor::documentFolder(QString()), QDir::tempPath());
}

bool TestDocxExport::haveXdgUtils() const
{
    return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty();
}

void TestDocxExport::setUpDesktop(FakeDesktop &desktop, QByteArray handlerScript)
{
    QVERIFY(desktop.root.isValid());
    const QDir root(desktop.root.path());
    for (const char *sub : {"data/applications", "data/mime", "config", "system-data",
                            "system-config", "home/Documents", "bin"})
        QVERIFY(root.mkpath(QString::fromLatin1(sub)));
    desktop.documents = root.filePath(QStringLiteral("home/Documents"));
    desktop.record = root.filePath(QStringLiteral("opened.txt"));

    // Only this desktop's folders are searched, and no desktop environment
    // is detected, so xdg-open uses the registered application.
    qputenv("HOME", root.filePath(QStringLiteral("home")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", root.filePath(QStringLiteral("system-data")).toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", root.filePath(QStringLiteral("system-config")).toLocal8Bit());
    qputenv("DISPLAY", ":quarrin-test");
    for (const char *var :
         {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
          "MATE_DESKTOP_SESSION_ID", "WAYLAND_DISPLAY", "BROWSER", "XDG_MENU_PREFIX"})
        qunsetenv(var);

    writeText(root.filePath(QStringLiteral("config/user-dirs.dirs")),
              "XDG_DOCUMENTS_DIR=\"" + desktop.documents.toLocal8Bit() + "\"\n");

    // The desktop's MIME database knows .docx documents by their extension.
    writeText(root.filePath(QStringLiteral("data/mime/globs")),
              QByteArray(kDocxMimeType) + ":*.docx\n");
    writeText(root.filePath(QStringLiteral("data/mime/globs2")),
              "50:" + QByteArray(kDocxMimeType) + ":*.docx\n");

    if (handlerScript.isEmpty())
        return;
    const QString handler = root.filePath(QStringLiteral("bin/fake-writer"));
    writeText(handler,
              "#!/bin/sh\n" + handlerScript.replace("RECORD", desktop.record.toLocal8Bit()), true);
    writeText(root.filePath(QStringLiteral("data/applications/fake-writer.desktop")),
              "[Desktop Entry]\nType=Application\nName=Fake Writer\nExec=" + handler.toLocal8Bit() +
                  " %f\nMimeType=" + QByteArray(kDocxMimeType) + ";\n");
    writeText(root.filePath(QStringLiteral("config/mimeapps.list")),
              "[Default Applications]\n" + QByteArray(kDocxMimeType) + "=fake-writer.desktop\n");
}

void TestDocxExport::registeredHandlerOpensTheDocument()
{
    if (!haveXdgUtils())
        QSKIP("xdg-utils (xdg-open, xdg-mime) are not installed");
    FakeDesktop desktop;
    setUpDesktop(desktop, "printf '%s' \"$1\" > 'RECORD'\n");
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
             desktop.documents);

    RandomGenerator random;
    PuzzleModel model(GridSize::Large, &random);
    fillFixture(model);
    // The handler's run is waited for whatever the machine's load: the
    // default wait decides only what counts as a word processor left running.
    auto processor = patientWordProcessor();
    QCOMPARE(exportGrid(model, *processor), QString());

    const QStringList files = docxFiles(desktop.documents);
    QCOMPARE(files.size(), 1);
    const QString written = QDir(desktop.documents).filePath(files.front());
    QFile record(desktop.record);
    QVERIFY2(record.open(QIODevice::ReadOnly), "the handler was not run");
    QCOMPARE(QString::fromLocal8Bit(record.readAll()), written);
    QCOMPARE(readDocx(written)["tables"][0]["cells"][0][2].toString(), QStringLiteral("C"));
}

void TestDocxExport::noHandlerShowsTheMessage()
{
    FakeDesktop desktop;
    setUpDesktop(desktop, QByteArray());
    RandomGenerator random;
    PuzzleModel model(GridSize::Small, &random);
    fillFixture(model);
    auto processor = createDefaultWordProcessor();
    QCOMPARE(exportGrid(model, *processor), wordProcessorStartFailureMessage());
    QVERIFY(allFiles(desktop.documents).isEmpty());
    QCOMPARE(model.cell(2, 0), QStringLiteral("C"));
}

void TestDocxExport::failingHandlerLeavesNoFile()
{
    if (!haveXdgUtils())
        QSKIP("xdg-utils (xdg-open, xdg-mime) are not installed");
    FakeDesktop desktop;
    setUpDesktop(desktop, "printf '%s' \"$1\" > 'RECORD'\nexit 3\n");
    RandomGenerator random;
    PuzzleModel model(GridSize::Small, &random);
    auto processor = patientWordProcessor();
    const QString message = exportGrid(model, *processor);
    QVERIFY(message.startsWith(QStringLiteral("The document could not be opened")));
    QVERIFY(QFileInfo::exists(desktop.record)); // it was tried
    QVERIFY(allFiles(desktop.documents).isEmpty());
}


void TestDocxExport::savedDocumentIsTheExportsDocument_data()
{
    tableReadBack_data();
}

// The document saved where the user chooses, when no word processor takes
// the export, holds what the export's own document holds.
void TestDocxExport::savedDocumentIsTheExportsDocument()
{
    QFETCH(GridSize, size);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    RandomGenerator random;
    PuzzleModel model(size, &random);
    fillFixture(model);

    DocxWordProcessorOptions options;
    options.folder = folder.filePath(QString());
    options.handlerQuery.clear();
    options.opener.clear();
    DocxWordProcessor processor(options);
    QCOMPARE(exportGrid(model, processor), QString());

    const GridDocument document = gridDocument(model);
    QCOMPARE(document.error, QString());
    QCOMPARE(document.name, QFileInfo(processor.writtenPath()).fileName());
    const QString saved = folder.filePath(QStringLiteral("chosen/name.docx"));
    QVERIFY(QDir().mkpath(QFileInfo(saved).path()));
    QCOMPARE(saveDocument(document.bytes, saved), QString());
    const QJsonObject read = readDocx(saved);
    QVERIFY(!read.value("tables").toArray().isEmpty());
    QCOMPARE(read, readDocx(processor.writtenPath()));
    QCOMPARE(allFiles(QFileInfo(saved).path()), QStringList{"name.docx"});
}

// A save that fails (a full disk, a folder that is not there) says why and
// leaves an earlier file of that name as it was, and no part file.
void TestDocxExport::failedDocumentSaveKeepsTheEarlierFile()
{
    QTemporaryDir dir;
    RandomGenerator random;
    PuzzleModel model(GridSize::Large, &random);
    fillFixture(model);
    const GridDocument document = gridDocument(model);
    QVERIFY(document.bytes.size() > 200);
    const QString path = dir.filePath(QStringLiteral("grid.docx"));
    writeText(path, "an earlier document");
    QString message;
    {
        DiskFull full(100);
        QVERIFY(full.active());
        message = saveDocument(document.bytes, path);
    }
    QCOMPARE(message, QStringLiteral("The document could not be saved as %1: %2")
                          .arg(QDir::toNativeSeparators(path), qt_error_string(EFBIG)));
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("an earlier document"));
    QCOMPARE(allFiles(dir.path()), QStringList{"grid.docx"});

    const QString nowhere = dir.filePath(QStringLiteral("missing/grid.docx"));
    QVERIFY(saveDocument(document.bytes, nowhere)
                .startsWith(QStringLiteral("The document could not be saved as %1: ")
                                .arg(QDir::toNativeSeparators(nowhere))));
    QVERIFY(!QFileInfo::exists(nowhere));
}

QTEST_GUILESS_MAIN(TestDocxExport)
#include "test_docx_export.moc"
