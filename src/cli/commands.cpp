#include "cli/commands.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <utility>

namespace quarrin::cli {

namespace {

// Run from cron, ssh, CI or a container, a command often has no
// XDG_RUNTIME_DIR; the toolkit then warns about it whenever it starts, though
// no command uses that folder. While a command runs, that one warning is
// dropped; every other message goes through as before.
class RuntimeFolderWarningDropped
{
public:
    RuntimeFolderWarningDropped()
    {
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            s_next = qInstallMessageHandler(filter);
    }
    ~RuntimeFolderWarningDropped()
    {
        if (s_next)
            qInstallMessageHandler(std::exchange(s_next, nullptr));
    }
    RuntimeFolderWarningDropped(const RuntimeFolderWarningDropped &) = delete;
    RuntimeFolderWarningDropped &operator=(const RuntimeFolderWarningDropped &) = delete;

private:
    static void filter(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtWarningMsg &&
            text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
            return;
        s_next(type, context, text);
    }
    static inline QtMessageHandler s_next = nullptr;
};

} // namespace

QString programName()
{
    return QStringLiteral("Word Quarrin Generator");
}

QString programVersion()
{
    return QStringLiteral(QUARRIN_VERSION);
}

QString commandName()
{
    return QStringLiteral("word_quarrin");
}

CommandSpec openCommand()
{
    CommandSpec c;
    c.operands = QStringLiteral("FILE");
    c.summary = QStringLiteral("Opens the puzzle editor; with FILE (.qrn, .qrn2 or .ipuz), loads "
                               "it into the editor of its size.");
    c.minOperands = 0;
    c.maxOperands = 1;
    c.needsDisplay = true;
    // The toolkit's own options, handed on to it.
    const auto qt = [](const char *name, const char *value, const char *help) {
        return OptionSpec::toolkitOption(QLatin1String(name), QLatin1String(value),
                                         QLatin1String(help));
    };
    c.options = {
        qt("platform", "NAME", "window system plugin (xcb, wayland, offscreen, ...)"),
        qt("platformpluginpath", "PATH", "where to look for window system plugins"),
        qt("platformtheme", "NAME", "platform theme"),
        qt("plugin", "NAME", "an extra input plugin"),
        qt("display", "DISPLAY", "the X display to use"),
        qt("geometry", "GEOMETRY", "the main window's geometry on X"),
        qt("qwindowgeometry", "GEOMETRY", "the main window's geometry"),
        qt("qwindowtitle", "TITLE", "the main window's title"),
        qt("qwindowicon", "FILE", "the main window's icon"),
        qt("style", "STYLE", "widget style, for example Fusion"),
        qt("stylesheet", "FILE", "a style sheet"),
        qt("session", "ID", "restore a session"),
        qt("reverse", "", "lay the windows out right to left"),
        qt("widgetcount", "", "report the widgets left at the end"),
    };
    return c;
}

const std::vector<CommandSpec> &commandTable()
{
    static const std::vector<CommandSpec> table{
        openCommand(),
        checkCommand(),
        generateCommand(),
        convertCommand(),
    };
    return table;
}

ArgParser makeParser()
{
    return ArgParser(commandName(), commandTable());
}

Invocation dispatch(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ArgParser parser = makeParser();
    const ParseResult parsed = parser.parse(arguments);
    Invocation inv;
    switch (parsed.action) {
    case ParseResult::Help: {
        const CommandSpec *c = parsed.args.command;
        QTextStream(stdout) << parser.helpText(c && !c->name.isEmpty() ? c : nullptr);
        return inv;
    }
    case ParseResult::Version:
        QTextStream(stdout) << programName() << ' ' << programVersion() << '\n';
        return inv;
    case ParseResult::Error:
        QTextStream(stderr) << commandName() << ": " << parsed.error << " (see " << commandName()
                            << " --help)\n";
        inv.exitStatus = kUsageError;
        return inv;
    case ParseResult::Run:
        break;
    }
    const CommandSpec &command = *parsed.args.command;
    if (command.needsDisplay) {
        inv.startWindows = true;
        inv.file = parsed.args.operands.value(0);
        inv.toolkitArguments = parsed.args.toolkitArguments;
        return inv;
    }
    // No display: a core application only, with the names the windows use,
    // so both find the same configuration folder.
    QCoreApplication::setApplicationName(programName());
    const RuntimeFolderWarningDropped quiet;
    if (command.drawsPages && command.drawsPages(parsed.args)) {
        // Pages are drawn with the toolkit's fonts but never shown: the
        // offscreen platform needs no display, and is picked before the
        // application exists.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        inv.exitStatus = command.run ? command.run(parsed.args) : 0;
        return inv;
    }
    QCoreApplication app(argc, argv);
    inv.exitStatus = command.run ? command.run(parsed.args) : 0;
    return inv;
}

} // namespace quarrin::cli
