// What every benchmark needs: the application object the layer expects of a
// program, and a clock in milliseconds.
#pragma once

#include <afxwin.h>

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
