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
