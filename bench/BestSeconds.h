// Seconds for one run of work, the best of a few runs. On Linux processor
// time, because the benchmarks run one thread on a shared machine, where
// wall time says little. Under Wine the process clock counts in coarse
// ticks and now and then runs backwards, so the Windows build times with
// the steady (performance counter) clock: run it on a quiet machine.
#pragma once

#include <algorithm>
#include <chrono>
#include <time.h>

inline double BenchClockSeconds()
{
#ifdef _WIN32
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#else
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
#endif
}

template <typename Work>
double BestSeconds(int runs, Work work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = BenchClockSeconds();
        work();
        const double seconds = BenchClockSeconds() - start;
        if (seconds < best) best = seconds;
    }
    return best;
}

// Best times of two rivals, run by turns so that both see the same load.
template <typename First, typename Second>
void BestSecondsOfBoth(int runs, First first, Second second, double& bestFirst, double& bestSecond)
{
    bestFirst = BestSeconds(1, first);
    bestSecond = BestSeconds(1, second);
    for (int i = 1; i < runs; ++i) {
        bestFirst = std::min(bestFirst, BestSeconds(1, first));
        bestSecond = std::min(bestSecond, BestSeconds(1, second));
    }
}
