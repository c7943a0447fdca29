// painter_bench: the background painter where a user waits on it, each
// figure beside a floor measured in the same run:
//  - an erase of a 1600 x 1200 client tiled with a 32 x 32 image, beside the
//    same BitBlts of the image alone (the budget is a frame: 16 ms);
//  - 20,000 messages to a window the thread's organizer refused, beside the
//    same messages with no organizer on the thread.
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "OXBackgroundPainter.h"

namespace {

CBenchApp theBenchApp("PellucorPainterBench");

void BenchTiledErase()
{
    CWnd wnd;
    wnd.CreateEx(0, AfxRegisterWndClass(0), "tiled", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1600, 1200), NULL, 0);
    COXDIB image;
    image.CreateEmpty(24, 32, 32);
    BYTE* p = (BYTE*)image.FindDIBBits();
    for (DWORD i = 0; i < OXDIBLayout::RowBytes(24, 32) * 32; i++)
        p[i] = (BYTE)(i * 7);
    COXBackgroundPainter painter;
    painter.Attach(&wnd, &image, OXPaintTiled, RGB(255, 255, 255));
    HDC hdc = ::GetDC(wnd.m_hWnd);
    ::SendMessageA(wnd.m_hWnd, WM_ERASEBKGND, (WPARAM)hdc, 0);   // the first one after a move repaints all
    double erase = MedianMs(21, [&] {
        ::SendMessageA(wnd.m_hWnd, WM_ERASEBKGND, (WPARAM)hdc, 0);
        ::GdiFlush();
    });

    CDC* pDC = CDC::FromHandle(hdc);
    CBitmap* pBitmap = image.MakeBitmap(pDC);
    HDC hdcImage = ::CreateCompatibleDC(hdc);
    HGDIOBJ old = ::SelectObject(hdcImage, pBitmap->GetSafeHandle());
    double blits = MedianMs(21, [&] {
        for (int x = 0; x < 1600; x += 32)
            for (int y = 0; y < 1200; y += 32)
                ::BitBlt(hdc, x, y, 32, 32, hdcImage, 0, 0, SRCCOPY);
        ::GdiFlush();
    });
    ::SelectObject(hdcImage, old);
    ::DeleteDC(hdcImage);
    delete pBitmap;
    ::ReleaseDC(wnd.m_hWnd, hdc);
    Report("erase of 1600x1200 tiled with 32x32", erase, "the same BitBlts", blits);
    printf("%-46s %9.2f ms   budget 16 ms: %s\n", "", erase, erase < 16.0 ? "within" : "OVER");
    painter.Detach(FALSE);
    wnd.DestroyWindow();
}

void BenchRefusedWindow()
{
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), "refusing", WS_POPUP, CRect(0, 0, 200, 100), NULL, 0);
    const int n = 20000;
    auto pump = [&] {
        MSG msg;
        for (int i = 0; i < n; i++) {
            ::PostMessageA(frame.m_hWnd, WM_NULL, 0, 0);
            while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
        }
    };
    // Rounds with and without the organizer in turn, so that the load of a
    // shared machine falls on both alike.
    COXBackgroundPainterOrganizer organizer;
    std::vector<double> bare, organized;
    for (int round = 0; round < 5; round++) {
        bare.push_back(MedianMs(1, pump));
        organizer.AttachToThread(&frame);
        organized.push_back(MedianMs(1, pump));
        organizer.DetachFromThread(FALSE);
    }
    std::sort(bare.begin(), bare.end());
    std::sort(organized.begin(), organized.end());
    frame.DestroyWindow();
    Report("20,000 messages to a refused window", organized[2], "no organizer", bare[2]);
}

} // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOWNORMAL))
        return 1;
    BenchTiledErase();
    BenchRefusedWindow();
    return 0;
}
