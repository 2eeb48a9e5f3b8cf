// Shows the help window and the splash window and saves what the screen
// shows of each: help.png and splash.png in the folder given.
// Used by scripts/screenshot_help.sh under Xvfb.

#include "help/help_window.h"
#include "help/splash_screen.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QThread>

#include <cstdio>

using namespace quarrin;

namespace {

bool shoot(QWidget &window, const QString &path)
{
    window.show();
    window.raise();
    window.activateWindow();
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
    }
    const QPixmap shot = window.screen()->grabWindow(window.winId());
    window.hide();
    if (shot.isNull() || !shot.save(path)) {
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s: %dx%d\n", qPrintable(path), shot.width(), shot.height());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    TSplashScreen splash;
    ThelpForm help;
    const bool ok = shoot(splash, out.filePath(QStringLiteral("splash.png"))) &&
                    shoot(help, out.filePath(QStringLiteral("help.png")));
    return ok ? 0 : 1;
}
