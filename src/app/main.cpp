#include "app/quarrin_app.h"
#include "cli/commands.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // Commands, help, version and mistakes end here, without a display.
    const quarrin::cli::Invocation invocation = quarrin::cli::dispatch(argc, argv);
    if (!invocation.startWindows)
        return invocation.exitStatus;

    // The command line has been read; the toolkit sees only the program name.
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, argv);
    quarrin::QuarrinApp::Options options;
    options.openFile = invocation.file;
    quarrin::QuarrinApp quarrin(options);
    quarrin.start();
    return app.exec();
}
