// The toolkit benchmarks' clock: milliseconds from the performance counter,
// the median of a few runs, and one line per figure with its floor beside it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

inline double BenchNow()
{
    static LARGE_INTEGER freq = {};
    if (freq.QuadPart == 0)
        ::QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)freq.QuadPart;
}

template <class F>
double MedianMs(int runs, F f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; i++) {
        double t0 = BenchNow();
        f();
        times.push_back(BenchNow() - t0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void Report(const char* what, double ms, const char* floorWhat, double floorMs)
{
    printf("%-46s %9.2f ms   floor (%s) %9.2f ms   ratio %5.2f\n", what, ms, floorWhat, floorMs,
           floorMs > 0 ? ms / floorMs : 0.0);
}
