// Seconds of processor time for one run of work, the best of a few runs.
// Processor time, because the benchmarks run one thread on a shared
// machine, where wall time says little. (clock() would be processor time
// on Linux only: Windows' counts wall time.)
#pragma once

#include <algorithm>
#include <time.h>

inline double ProcessSeconds()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <typename Work>
double BestSeconds(int runs, Work work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = ProcessSeconds();
        work();
        const double seconds = ProcessSeconds() - start;
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
