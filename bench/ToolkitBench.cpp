// toolkit_bench: the toolkit's window utilities where a user waits on them,
// each figure beside a floor measured in the same run:
//  - a 4000 x 3000 24-bit image rotated and resized, beside a plain per-pixel
//    copy and StretchDIBits of the same sizes; 1- and 4-bit rotations;
//  - 100,000 messages to an edit through three pass-through hooks, beside the
//    bare edit;
//  - a WM_SIZE of 50 constrained children (10 with minimums), beside one
//    DeferWindowPos batch of the same moves;
//  - the shadow of an 800 x 600 window, beside one BitBlt of its bands.
// Build it optimised and run it under Wine on a display; no test runs it.
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "OXDIB.h"
#include "OXHookWnd.h"
#include "OXLayoutManager.h"
#include "OXShdWnd.h"

namespace {

CBenchApp theBenchApp("PellucorToolkitBench");

void BenchImages()
{
    const int W = 4000, H = 3000;
    COXDIB dib;
    dib.CreateEmpty(24, W, H);
    BYTE* p = (BYTE*)dib.FindDIBBits();
    for (size_t i = 0; i < (size_t)OXDIBLayout::RowBytes(24, W) * H; i++)
        p[i] = (BYTE)(i * 31);
    // Floor: every pixel copied once to a transposed place, as plainly as it goes.
    std::vector<BYTE> out((size_t)OXDIBLayout::RowBytes(24, H) * W);
    const DWORD rowIn = OXDIBLayout::RowBytes(24, W), rowOut = OXDIBLayout::RowBytes(24, H);
    double copy = MedianMs(3, [&] {
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++) {
                const BYTE* s = p + (size_t)y * rowIn + 3 * x;
                BYTE* d = out.data() + (size_t)x * rowOut + 3 * y;
                d[0] = s[0]; d[1] = s[1]; d[2] = s[2];
            }
    });
    Report("rotate 90, 24-bit 4000x3000", MedianMs(3, [&] { dib.Rotate(90); }), "per-pixel copy", copy);
    Report("rotate 270 flipped, 24-bit", MedianMs(3, [&] { dib.Rotate(270, TRUE, TRUE); }), "per-pixel copy", copy);

    // Floor for the resize: StretchDIBits of the same image into a DIB of the new size.
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 6000, 4500, 1, 24, BI_RGB};
    void* pvBits = NULL;
    HDC hdc = ::CreateCompatibleDC(NULL);
    HBITMAP hbm = ::CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    HGDIOBJ old = ::SelectObject(hdc, hbm);
    COXDIB source;
    source.CreateEmpty(24, W, H);
    const BITMAPINFO* pSrcInfo = (const BITMAPINFO*)::GlobalLock(source.GetHandle());
    double stretch = MedianMs(3, [&] {
        ::SetStretchBltMode(hdc, COLORONCOLOR);
        ::StretchDIBits(hdc, 0, 0, 6000, 4500, 0, 0, W, H, source.FindDIBBits(), pSrcInfo, DIB_RGB_COLORS, SRCCOPY);
        ::GdiFlush();
    });
    ::GlobalUnlock(source.GetHandle());
    double resize = MedianMs(3, [&] {
        COXDIB copyOf(source);
        copyOf.Resize(6000, 4500);
    });
    Report("resize 4000x3000 -> 6000x4500", resize, "StretchDIBits", stretch);
    ::SelectObject(hdc, old);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);

    for (WORD bits : {1, 4}) {
        COXDIB low;
        low.CreateEmpty(bits, W, H);
        char what[64];
        sprintf(what, "rotate 90, %d-bit 4000x3000", bits);
        Report(what, MedianMs(3, [&] { low.Rotate(90); }), "24-bit per-pixel copy", copy);
    }
}

class CPassHook : public COXHookWnd {};

void BenchHooks()
{
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, NULL, NULL, NULL, NULL);
    const int n = 100000;
    auto send = [&] {
        for (int i = 0; i < n; i++)
            ::SendMessageA(hEdit, WM_GETTEXTLENGTH, 0, 0);
    };
    double bare = MedianMs(5, send);
    CWnd wnd;
    wnd.Attach(hEdit);
    CPassHook hooks[3];
    for (CPassHook& h : hooks)
        h.HookWindow(&wnd);
    double hooked = MedianMs(5, send);
    for (CPassHook& h : hooks)
        h.Unhook();
    wnd.Detach();
    ::DestroyWindow(hEdit);
    Report("100,000 messages through 3 hooks", hooked, "bare edit", bare);
}

void BenchLayout()
{
    CWnd container;
    container.CreateEx(0, AfxRegisterWndClass(0), "layout", WS_POPUP, CRect(0, 0, 800, 600), NULL, 0);
    COXLayoutManager layout(&container);
    std::vector<HWND> children;
    for (int i = 0; i < 50; i++) {
        int id = 100 + i;
        children.push_back(::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10 * i, 100, 8,
                                             container.GetSafeHwnd(), (HMENU)(INT_PTR)id, NULL, NULL));
        layout.SetConstraint(id, OX_LMS_LEFT, OX_LMT_SAME, 10);
        layout.SetConstraint(id, OX_LMS_RIGHT, OX_LMT_POSITION, 50 + i % 50);
        layout.SetConstraint(id, OX_LMS_TOP, OX_LMT_SAME, 10 * i + 2);
        if (i % 5 == 0)
            layout.SetMinMax(id, 80, 0, 0, 0);
    }
    int size = 0;
    double laid = MedianMs(21, [&] {
        size = (size + 1) % 20;
        layout.OnSize(700 + size, 600);
    });
    double batch = MedianMs(21, [&] {
        size = (size + 1) % 20;
        HDWP hdwp = ::BeginDeferWindowPos(50);
        for (int i = 0; i < 50; i++)
            hdwp = ::DeferWindowPos(hdwp, children[i], NULL, 10, 10 * i + 2, 300 + size, 8, SWP_NOZORDER);
        ::EndDeferWindowPos(hdwp);
    });
    Report("layout of 50 children on WM_SIZE", laid, "one DeferWindowPos batch", batch);
    layout.Detach();
    container.DestroyWindow();
}

void BenchShadow()
{
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 800, 600, 1, 32, BI_RGB};
    void* pvBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(dc.GetSafeHdc(), &bi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), hbm);
    CRect rect(100, 100, 900, 700);
    double shadow = MedianMs(21, [&] { COXShdWnd::DrawShadow(&dc, rect); });
    HDC hdcScreen = ::GetDC(NULL);
    double blit = MedianMs(21, [&] {
        ::BitBlt(dc.GetSafeHdc(), 796, 0, 4, 600, hdcScreen, 896, 100, SRCCOPY);
        ::BitBlt(dc.GetSafeHdc(), 0, 596, 800, 4, hdcScreen, 100, 696, SRCCOPY);
        ::GdiFlush();
    });
    ::ReleaseDC(NULL, hdcScreen);
    Report("shadow of an 800x600 window", shadow, "BitBlt of its bands", blit);
    ::SelectObject(dc.GetSafeHdc(), old);
    ::DeleteObject(hbm);
}

} // namespace

int main()
{
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOWNORMAL))
        return 1;
    BenchImages();
    BenchHooks();
    BenchLayout();
    BenchShadow();
    return 0;
}
