#pragma once

// The times of repeated runs of one piece of work, in milliseconds: by the
// wall clock and by this thread's CPU time, which is steadier on a busy
// machine (it leaves out waiting for the disk and for other programs).
//
//     RunTimes times;
//     for (...) { set up; times.start(); work; times.stop(); }
//     std::printf("what, %d runs: %s\n", n, times.summary(20.0).c_str());

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace quarrin::bench {

inline double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

class RunTimes
{
public:
    void start()
    {
        m_cpuStart = threadCpuMs();
        m_timer.start();
    }
    void stop()
    {
        m_wall.push_back(double(m_timer.nsecsElapsed()) / 1e6);
        m_cpu.push_back(threadCpuMs() - m_cpuStart);
    }

    // The median wall-clock time of the runs so far (at least one).
    double median() const { return sorted(m_wall)[m_wall.size() / 2]; }
    // The median CPU time of the runs so far (at least one).
    double cpuMedian() const { return sorted(m_cpu)[m_cpu.size() / 2]; }

    // "median 1.00 ms, best 0.90 ms, worst 1.20 ms (target < 20 ms); CPU time median 0.95 ms"
    std::string summary(double targetMs) const
    {
        const std::vector<double> wall = sorted(m_wall);
        const std::vector<double> cpu = sorted(m_cpu);
        char text[200];
        std::snprintf(text, sizeof text,
                      "median %.2f ms, best %.2f ms, worst %.2f ms (target < %g ms); "
                      "CPU time median %.2f ms",
                      wall[wall.size() / 2], wall.front(), wall.back(), targetMs,
                      cpu[cpu.size() / 2]);
        return text;
    }

private:
    static std::vector<double> sorted(std::vector<double> times)
    {
        std::sort(times.begin(), times.end());
        return times;
    }

    QElapsedTimer m_timer;
    double m_cpuStart = 0;
    std::vector<double> m_wall;
    std::vector<double> m_cpu;
};

} // namespace quarrin::bench
