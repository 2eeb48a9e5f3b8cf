#include "app/quarrin_app.h"

#include "editor/editor_window.h"
#include "help/help_window.h"
#include "help/splash_screen.h"
#include "play/solve_window.h"
#include "print/print_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

namespace quarrin {

QuarrinApp::QuarrinApp() : QuarrinApp(Options{}) {}

QuarrinApp::QuarrinApp(Options options) : m_options(options) {}

QuarrinApp::~QuarrinApp()
{
    delete m_documentPlay;
    delete m_documentPrint;
    delete m_document;
    // Windows without a parent are ours to free, the dialogs first.
    delete m_solvemode30;
    delete m_solveMode15;
    delete m_helpForm;
    delete m_printComplex;
    delete m_mainC;
    delete m_printPage;
    delete m_main;
}

QIcon QuarrinApp::programIcon()
{
    // One PNG per size under :/icons/<size>/, the same pictures as the theme icon.
    QIcon icon;
    QDirIterator it(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        icon.addFile(it.next());
    return icon;
}

void QuarrinApp::start()
{
    QApplication::setWindowIcon(programIcon());
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUARRIN_APP_ID));
    std::unique_ptr<TSplashScreen> splash;
    if (m_options.showSplash) {
        splash = std::make_unique<TSplashScreen>();
        splash->show();
        // Draw the splash at once, before the long creation of the windows.
        splash->repaint();
        QApplication::processEvents();
    }
    // No display name: the window system would append it to every caption.
    QApplication::setApplicationName(QStringLiteral("Word Quarrin Generator"));

    createWindows();
    wireWindows();

    if (splash)
        splash->hideAfterWait(m_options.splashWaitMs);
    splash.reset();

    m_main->show();
    m_main->activateWindow();
    if (!m_options.openFile.isEmpty())
        openPuzzle(m_options.openFile);
}

void QuarrinApp::openPuzzle(const QString &path)
{
    if (isDocumentFileName(path)) {
        // A document opens in the editor of its size.
        const FileResult result = openPuzzleFile(m_main, path);
        const QString message = result.ok ? result.notice : result.error;
        if (!message.isEmpty()) {
            QPointer<EditorWindow> shown = shownEditor();
            QTimer::singleShot(0, shown, [shown, message] { shown->showMessage(message); });
        }
        return;
    }
    // A 30x30 record goes to the 30x30 editor; anything else to the 15x15
    // one, whose loader names what is wrong with it.
    const QFileInfo info(path);
    const bool large = info.isFile() && info.size() == sizeSpec(GridSize::Large).recordBytes;
    EditorWindow *editor = m_main;
    if (large) {
        m_main->switchToOtherSize();
        editor = m_mainC;
    }
    const FileResult result = editor->loadFile(path);
    if (result.ok)
        return;
    if (large)
        m_mainC->switchToOtherSize(); // back to the empty 15x15 editor
    // Shown over the editor once the event loop runs.
    EditorWindow *main = m_main;
    QTimer::singleShot(0, main, [main, message = result.error] { main->showMessage(message); });
}

template <typename W, typename... Args> static W *create(QStringList &order, Args &&...args)
{
    W *w = new W(std::forward<Args>(args)...);
    order << w->objectName();
    return w;
}

void QuarrinApp::createWindows()
{
    m_main = create<TMain>(m_creationOrder, &m_random, &m_snapshot15);
    m_printPage = create<TprintPage>(m_creationOrder, &m_snapshot15);
    m_mainC = create<TMainC>(m_creationOrder, &m_random, &m_snapshot30);
    m_printComplex = create<TprintComplex>(m_creationOrder, &m_snapshot30);
    m_helpForm = create<ThelpForm>(m_creationOrder);
    m_solveMode15 = create<TSolveMode15>(m_creationOrder, &m_snapshot15);
    m_solvemode30 = create<Tsolvemode30>(m_creationOrder, &m_snapshot30);
}

void QuarrinApp::wireWindows()
{
    m_main->setTwin(m_mainC);
    m_mainC->setTwin(m_main);
    m_main->setPrintWindow(m_printPage);
    m_mainC->setPrintWindow(m_printComplex);
    // The web page export takes the clues typed into the print page.
    const auto printedTexts = [](const PrintWindow *window) {
        return [window] {
            const PageDescription page = window->pageDescription();
            return PrintedTexts{page.title, page.labels, page.puzzle.words};
        };
    };
    m_main->setPrintedTexts(printedTexts(m_printPage));
    m_mainC->setPrintedTexts(printedTexts(m_printComplex));
    m_main->setPlayWindow(m_solveMode15);
    m_mainC->setPlayWindow(m_solvemode30);
    m_main->setHelpWindow(m_helpForm);
    m_mainC->setHelpWindow(m_helpForm);
    for (EditorWindow *editor :
         {static_cast<EditorWindow *>(m_main), static_cast<EditorWindow *>(m_mainC)})
        editor->setHost(this);
    PrintWindow *printPage = m_printPage, *printComplex = m_printComplex;
    m_main->setPageSettingsAccess(
        [printPage] { return printPage->pageSettings(); },
        [printPage](const PageSettings &page) { printPage->applyPageSettings(page); });
    m_mainC->setPageSettingsAccess(
        [printComplex] { return printComplex->pageSettings(); },
        [printComplex](const PageSettings &page) { printComplex->applyPageSettings(page); });

    // Closing a play window switches its editor's highlighting off and
    // rebuilds that editor's grid.
    EditorWindow *main = m_main;
    EditorWindow *mainC = m_mainC;
    m_solveMode15->setCloseHook([main] {
        main->setHighlighting(false);
        main->refreshGrid();
    });
    m_solvemode30->setCloseHook([mainC] {
        mainC->setHighlighting(false);
        mainC->refreshGrid();
    });

    // The program ends when the main window closes, whether or not it is shown.
    m_main->installEventFilter(this);
}

EditorWindow *QuarrinApp::shownEditor() const
{
    if (m_document && m_document->isVisible())
        return m_document;
    if (m_mainC && m_mainC->isVisible())
        return m_mainC;
    return m_main;
}

EditorWindow *QuarrinApp::documentEditorFor(GridSize size)
{
    if (m_document && m_document->gridSize() == size)
        return m_document;
    // A grid of another size is a new editor; the old one and its windows go
    // once nothing runs in them any more (the old editor may be asking).
    for (QWidget *old : {static_cast<QWidget *>(m_documentPlay.data()),
                         static_cast<QWidget *>(m_documentPrint.data()),
                         static_cast<QWidget *>(m_document.data())}) {
        if (old) {
            old->hide();
            old->deleteLater();
        }
    }
    auto *editor = new EditorWindow(size, EditorKind::Document, &m_random, &m_documentSnapshot);
    auto *print = new PrintWindow(size, &m_documentSnapshot);
    auto *play = new SolveWindow(size, &m_documentSnapshot);
    editor->setTwin(m_main); // closing it ends the program, as the 30x30 editor does
    editor->setPrintWindow(print);
    editor->setPlayWindow(play);
    editor->setHelpWindow(m_helpForm);
    editor->setHost(this);
    editor->setPageSettingsAccess(
        [print] { return print->pageSettings(); },
        [print](const PageSettings &page) { print->applyPageSettings(page); });
    play->setCloseHook([editor] {
        editor->setHighlighting(false);
        editor->refreshGrid();
    });
    m_document = editor;
    m_documentPrint = print;
    m_documentPlay = play;
    return editor;
}

void QuarrinApp::showInstead(EditorWindow *from, EditorWindow *to)
{
    if (!to || from == to)
        return;
    to->show();
    if (from)
        from->hide();
    to->raise();
    to->activateWindow();
}

namespace {

// A record editor can hold the document: its size is a record size and a
// record can hold all of it.
bool fitsRecordEditor(const PuzzleDocument &document)
{
    QByteArray record;
    return document.size.isFixed() && recordFromDocument(document, &record).ok;
}

} // namespace

EditorWindow *QuarrinApp::editorForDocument(const PuzzleDocument &document)
{
    // Only an English puzzle with the record editors' letters goes to them.
    if (document.hasDefaultLetters() && fitsRecordEditor(document))
        return document.size == GridSize::Small ? static_cast<EditorWindow *>(m_main)
                                                : static_cast<EditorWindow *>(m_mainC);
    return documentEditorFor(document.size);
}

QList<EditorWindow *> QuarrinApp::editors() const
{
    QList<EditorWindow *> out;
    for (EditorWindow *editor :
         {static_cast<EditorWindow *>(m_main), static_cast<EditorWindow *>(m_mainC),
          static_cast<EditorWindow *>(m_document.data())}) {
        if (editor)
            out << editor;
    }
    return out;
}

bool QuarrinApp::mayReplaceDocumentEditor(GridSize size)
{
    return !m_document || m_document->gridSize() == size || m_document->confirmLoss();
}

void QuarrinApp::startNewPuzzle(EditorWindow *from, const NewPuzzleChoice &choice)
{
    EditorWindow *target = nullptr;
    // Records hold A to Z and fill from their pool: any other letters take
    // the document editor, whatever the size.
    if (choice.size == GridSize::Small && choice.hasDefaultLetters()) {
        target = m_main;
    } else if (choice.size == GridSize::Large && choice.hasDefaultLetters()) {
        target = m_mainC;
    } else {
        if (!mayReplaceDocumentEditor(choice.size))
            return;
        target = documentEditorFor(choice.size);
    }
    if (!target->startEmptyPuzzle(choice))
        return;
    showInstead(from, target);
}

FileResult QuarrinApp::openPuzzleFile(EditorWindow *from, const QString &path)
{
    if (!isDocumentFileName(path)) {
        // A record goes to the editor of its size, known by its length.
        const QFileInfo info(path);
        EditorWindow *target = info.isFile() && info.size() == sizeSpec(GridSize::Large).recordBytes
                                   ? static_cast<EditorWindow *>(m_mainC)
                                   : static_cast<EditorWindow *>(m_main);
        // An empty error: the user kept the work the load would replace.
        if (!target->confirmLoss())
            return FileResult::failure(QString());
        const FileResult result = target->loadFile(path);
        if (result.ok)
            showInstead(from, target);
        return result;
    }
    PuzzleDocument document;
    FileResult result = loadDocument(path, &document);
    if (!result.ok)
        return result;
    const QString notice = result.notice;
    if (!(document.hasDefaultLetters() && fitsRecordEditor(document)) &&
        !mayReplaceDocumentEditor(document.size))
        return FileResult::failure(QString());
    EditorWindow *target = editorForDocument(document);
    if (!target->confirmLoss())
        return FileResult::failure(QString());
    result = target->loadDocument(document, path);
    if (!result.ok)
        return result;
    result.notice = notice;
    showInstead(from, target);
    return result;
}

bool QuarrinApp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_main && event->type() == QEvent::Close) {
        // Let the window handle the close first, then end the event loop if it went.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_main->isVisible())
                    QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quarrin
