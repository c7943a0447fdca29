// What every benchmark needs: the application object the layer expects of a
// program, a clock in milliseconds, the median of a few runs, and one line per
// figure with its floor beside it.
#pragma once

#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

class CBenchApp : public CWinApp
{
public:
    explicit CBenchApp(LPCTSTR lpszName) : CWinApp(lpszName) {}
    BOOL InitInstance() override { return TRUE; }
};

inline double Now()
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
        double t0 = Now();
        f();
        times.push_back(Now() - t0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void Report(const char* what, double ms, const char* floorWhat, double floorMs)
{
    printf("%-46s %9.2f ms   floor (%s) %9.2f ms   ratio %5.2f\n", what, ms, floorWhat, floorMs,
           floorMs > 0 ? ms / floorMs : 0.0);
}
