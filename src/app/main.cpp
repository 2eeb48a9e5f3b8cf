#include "app/quarrin_app.h"
#include "cli/commands.h"

#include <QApplication>

#include <vector>

int main(int argc, char **argv)
{
    // Commands, help, version and mistakes end here, without a display.
    const quarrin::cli::Invocation invocation = quarrin::cli::dispatch(argc, argv);
    if (!invocation.startWindows)
        return invocation.exitStatus;

    // The command line has been read; the toolkit sees the program name and
    // its own options only, never the puzzle file.
    std::vector<QByteArray> words{QByteArray(argv[0])};
    for (const QString &a : invocation.toolkitArguments)
        words.push_back(a.toLocal8Bit());
    std::vector<char *> toolkitArgv;
    for (QByteArray &w : words)
        toolkitArgv.push_back(w.data());
    toolkitArgv.push_back(nullptr);
    int toolkitArgc = int(words.size());
    QApplication app(toolkitArgc, toolkitArgv.data());

    quarrin::QuarrinApp::Options options;
    options.openFile = invocation.file;
    quarrin::QuarrinApp quarrin(options);
    quarrin.start();
    return app.exec();
}
