#pragma once

// The real program run from a test as from a terminal with no display: the
// X11 platform is asked for and there is no X server to reach, so a command
// that needed one would fail. WORD_QUARRIN_PROGRAM names the built program.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace quarrin::testing {

struct HeadlessRun
{
    int status = -1; // -1: the program did not finish normally in time
    QString out;
    QString err;
};

// Runs the program with `args` in `folder`, whose config/ stands in for the
// user's settings folder (no blocked words of the machine's user), with
// `input` on its standard input and without the variables named in `unset`.
inline HeadlessRun runHeadless(const QString &folder, const QStringList &args,
                               const QByteArray &input = QByteArray(),
                               const QStringList &unset = QStringList())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : unset)
        env.remove(name);
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(WORD_QUARRIN_PROGRAM), args);
    p.write(input);
    p.closeWriteChannel();
    HeadlessRun r;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.status = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

// What a file holds; empty when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace quarrin::testing
