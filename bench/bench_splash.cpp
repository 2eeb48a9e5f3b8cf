// Wall time of the splash's hideAfterWait: a wait of 0 must hide at once, and
// a real wait should last about as long as asked. Runs on whatever platform
// Qt picks (set QT_QPA_PLATFORM=offscreen without a display):
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_splash [ROUNDS]

#include "help/splash_screen.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

double timedWait(quarrin::TSplashScreen &splash, int ms)
{
    splash.show();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    splash.hideAfterWait(ms);
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    quarrin::TSplashScreen splash;
    std::vector<double> zero, wait300;
    for (int i = 0; i < rounds; ++i) {
        zero.push_back(timedWait(splash, 0));
        wait300.push_back(timedWait(splash, 300));
    }
    std::printf("median of %d: hideAfterWait(0) %.2f ms (target < 1000), "
                "hideAfterWait(300) %.1f ms\n",
                rounds, median(zero), median(wait300));
    return 0;
}
