// Seconds for one run of work, the best of a few runs. On Linux processor
// time, because the benchmarks run one thread on a shared machine, where
// wall time says little; on Windows the C library's clock() is itself wall
// time in whole milliseconds, so the finer steady clock is used there.
#pragma once

#include <chrono>
#include <ctime>

inline double BenchNowSeconds()
{
#ifdef _WIN32
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#else
    return double(std::clock()) / CLOCKS_PER_SEC;
#endif
}

template <typename Work>
double BestSeconds(int runs, Work work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = BenchNowSeconds();
        work();
        const double seconds = BenchNowSeconds() - start;
        if (seconds < best) best = seconds;
    }
    return best;
}
