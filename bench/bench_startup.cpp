// Start-up time of the program: from the start of the process to the splash
// being on screen, and to the 15x15 editor being on screen (which includes
// the splash's three-second wait). Runs the real start-up (QuarrinApp) in a
// fresh process each round; the process is started by this same executable
// with the start time in its environment, so loading the libraries counts.
// Run it under an X server for figures that mean something:
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_startup [ROUNDS]
//
// A window counts as on screen at its first paint while the window system
// shows it (exposed).

#include "app/quarrin_app.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char *kStartVar = "QUARRIN_BENCH_START_NS";

long long nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

// Watches paint events and notes the first one of each window while it is exposed.
class Marks : public QObject
{
public:
    explicit Marks(long long start) : m_start(start) {}

    double splashMs = -1;
    double editorMs = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            if (auto *w = qobject_cast<QWidget *>(watched)) {
                QWidget *top = w->window();
                QWindow *handle = top->windowHandle();
                if (handle && handle->isExposed()) {
                    const double ms = (nowNs() - m_start) / 1e6;
                    if (top->objectName() == QLatin1String("SplashScreen") && splashMs < 0)
                        splashMs = ms;
                    if (top->objectName() == QLatin1String("Main") && editorMs < 0) {
                        editorMs = ms;
                        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
                    }
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    long long m_start;
};

int runChild(int argc, char **argv, long long start)
{
    QApplication app(argc, argv);
    Marks marks(start);
    app.installEventFilter(&marks);
    QTimer::singleShot(20000, &app, &QCoreApplication::quit); // never hang
    quarrin::QuarrinApp quarrin;
    quarrin.start();
    app.exec();
    std::printf("%.1f %.1f\n", marks.splashMs, marks.editorMs);
    return marks.editorMs < 0 ? 1 : 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (const char *start = std::getenv(kStartVar))
        return runChild(argc, argv, std::atoll(start));

    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<double> splash, editor;
    for (int i = 0; i < rounds; ++i) {
        int pipeFd[2];
        if (pipe(pipeFd) != 0)
            return 1;
        const long long start = nowNs();
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(pipeFd[1], STDOUT_FILENO);
            close(pipeFd[0]);
            setenv(kStartVar, std::to_string(start).c_str(), 1);
            char *args[] = {argv[0], nullptr};
            execv("/proc/self/exe", args);
            _exit(127);
        }
        close(pipeFd[1]);
        std::string out;
        char buf[256];
        ssize_t n;
        while ((n = read(pipeFd[0], buf, sizeof buf)) > 0)
            out.append(buf, size_t(n));
        close(pipeFd[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        double s = -1, e = -1;
        if (std::sscanf(out.c_str(), "%lf %lf", &s, &e) != 2 || e < 0) {
            std::fprintf(stderr, "round %d: the editor was not shown\n", i + 1);
            return 1;
        }
        std::printf("round %d: splash on screen %7.1f ms, editor on screen %7.1f ms\n", i + 1, s,
                    e);
        splash.push_back(s);
        editor.push_back(e);
    }
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("median of %d (platform %s): splash %.1f ms (target < 300), editor %.1f ms "
                "(target < 3300)\n",
                rounds, platform ? platform : "default", median(splash), median(editor));
    return 0;
}
