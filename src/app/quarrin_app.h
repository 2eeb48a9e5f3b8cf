#pragma once

// Program start-up: shows the splash, creates every window once in a fixed
// order, wires the editors to each other and to their print, play and help
// windows, hides the splash after its wait and shows the 15x15 editor.
// Nothing is created again during the run; closing the 15x15 editor ends it.

#include "editor/editor_host.h"
#include "editor/editor_window.h"
#include "files/puzzle_document.h"
#include "play/solve_window.h"
#include "print/print_window.h"
#include "puzzle/puzzle_snapshot.h"
#include "puzzle/random_generator.h"

#include <QIcon>
#include <QObject>
#include <QPointer>

#include <memory>

namespace quarrin {

class TMain;
class TMainC;
class TprintPage;
class TprintComplex;
class ThelpForm;
class TSolveMode15;
class Tsolvemode30;
class TSplashScreen;

class QuarrinApp : public QObject, public EditorHost
{
    Q_OBJECT

public:
    struct Options
    {
        int splashWaitMs = 3000; // 0 builds the windows without the wait
        bool showSplash = true;
        QString openFile; // a puzzle to load into the editor of its size after the splash
    };

    QuarrinApp();
    explicit QuarrinApp(Options options);
    ~QuarrinApp() override;

    // Runs the start-up up to showing the main window.
    void start();

    // The program's icon in every size it ships, from the resources.
    static QIcon programIcon();

    RandomGenerator &random() { return m_random; }
    TMain *main() const { return m_main; }
    TMainC *mainC() const { return m_mainC; }
    TprintPage *printPage() const { return m_printPage; }
    TprintComplex *printComplex() const { return m_printComplex; }
    ThelpForm *helpForm() const { return m_helpForm; }
    TSolveMode15 *solveMode15() const { return m_solveMode15; }
    Tsolvemode30 *solvemode30() const { return m_solvemode30; }

    // Object names of the windows in the order they were created.
    QStringList creationOrder() const { return m_creationOrder; }

    // The document editor, with its print and play windows: made for the
    // size of the first puzzle that needs it, and made anew for another size.
    EditorWindow *documentEditor() const { return m_document; }
    PrintWindow *documentPrintWindow() const { return m_documentPrint; }
    SolveWindow *documentPlayWindow() const { return m_documentPlay; }
    // The editor shown now.
    EditorWindow *shownEditor() const;

    // EditorHost
    void startNewPuzzle(EditorWindow *from, const NewPuzzleChoice &choice) override;
    FileResult openPuzzleFile(EditorWindow *from, const QString &path) override;
    QList<EditorWindow *> editors() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createWindows();
    void wireWindows();
    void openPuzzle(const QString &path);
    // The document editor for `size`, made when there is none of that size.
    EditorWindow *documentEditorFor(GridSize size);
    // A puzzle of `size` would take the place of the document editor of
    // another size: its unsaved work is asked about first. False for Cancel.
    bool mayReplaceDocumentEditor(GridSize size);
    // Shows `to` in place of `from`.
    void showInstead(EditorWindow *from, EditorWindow *to);
    // The editor a document belongs in: the record editor of its size when
    // a record could hold it, the document editor otherwise.
    EditorWindow *editorForDocument(const PuzzleDocument &document);

    Options m_options;
    RandomGenerator m_random;
    PuzzleSnapshot m_snapshot15;
    PuzzleSnapshot m_snapshot30;
    QStringList m_creationOrder;

    TMain *m_main = nullptr;
    TprintPage *m_printPage = nullptr;
    TMainC *m_mainC = nullptr;
    TprintComplex *m_printComplex = nullptr;
    ThelpForm *m_helpForm = nullptr;
    TSolveMode15 *m_solveMode15 = nullptr;
    Tsolvemode30 *m_solvemode30 = nullptr;

    PuzzleSnapshot m_documentSnapshot;
    QPointer<EditorWindow> m_document;
    QPointer<PrintWindow> m_documentPrint;
    QPointer<SolveWindow> m_documentPlay;
};

} // namespace quarrin
