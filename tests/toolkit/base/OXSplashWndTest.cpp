// The splash window: a shape cut from its transparent colour, the tolerance
// rule, the traced outline's vertices, closing by time-out and by input.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "OXDIB.h"
#include "OXSplashWnd.h"
#include "TestFolder.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

const COLORREF kMagenta24 = RGB(255, 0, 255);

// A 24-bit BMP file: magenta all round a filled rectangle of another colour.
CString WriteShapeFile(const CTestFolder& folder, const CRect& shape, COLORREF inside, int w = 40, int h = 20)
{
    COXDIB dib;
    dib.CreateEmpty(24, w, h);
    BYTE* p = (BYTE*)dib.FindDIBBits();
    const DWORD row = OXDIBLayout::RowBytes(24, w);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            COLORREF c = shape.PtInRect(CPoint(x, y)) ? inside : kMagenta24;
            BYTE* px = p + (size_t)(h - 1 - y) * row + 3 * x;   // rows bottom first
            px[0] = GetBValue(c);
            px[1] = GetGValue(c);
            px[2] = GetRValue(c);
        }
    CString path = folder.File("shape.bmp");
    EXPECT_TRUE(dib.Save(path));
    return path;
}

class CTracedSplash : public COXSplashWnd
{
public:
    using COXSplashWnd::TraceOutline;
};

TEST(OXSplashWnd, TheTransparentColourFromTheCornerCutsTheShape)
{
    CTestFolder folder;
    CString path = WriteShapeFile(folder, CRect(10, 5, 30, 15), RGB(0, 0, 200));
    CTracedSplash splash;
    ASSERT_TRUE(splash.LoadBitmapFile(path, 0xFF000000, NULL, 0));
    EXPECT_EQ(splash.m_clrTransparent, kMagenta24);
    ASSERT_NE(splash.GetRegion().GetSafeHandle(), nullptr);
    HRGN hRgn = (HRGN)splash.GetRegion().GetSafeHandle();
    EXPECT_TRUE(::PtInRegion(hRgn, 15, 10));
    EXPECT_FALSE(::PtInRegion(hRgn, 2, 2));
    EXPECT_FALSE(::PtInRegion(hRgn, 35, 10));
    // Straight edges: four corners, not a point per pixel.
    std::vector<POINT> vertices;
    ASSERT_TRUE(splash.TraceOutline(vertices));
    EXPECT_LE(vertices.size(), 6u);
    EXPECT_GE(vertices.size(), 4u);
}

TEST(OXSplashWnd, EachChannelWithinTheToleranceIsTransparent)
{
    CTestFolder folder;
    struct Case { COLORREF inside; BYTE tolerance; bool transparent; } cases[] = {
        {RGB(250, 5, 250), 5, true},
        {RGB(249, 0, 255), 5, false},   // red off by tolerance + 1
        {RGB(255, 6, 255), 5, false},   // green
        {RGB(255, 0, 255), 0, true},
    };
    for (const Case& c : cases) {
        CString path = WriteShapeFile(folder, CRect(10, 5, 30, 15), c.inside);
        COXSplashWnd splash;
        splash.LoadBitmapFile(path, kMagenta24, NULL, c.tolerance);
        EXPECT_EQ(splash.IsTransparent(15, 10) != FALSE, c.transparent) << std::hex << c.inside;
        EXPECT_TRUE(splash.IsTransparent(-1, 3, TRUE));   // outside: the default given
        EXPECT_FALSE(splash.IsTransparent(100, 3, FALSE));
    }
    // All transparent: no outline to be had.
    CString path = WriteShapeFile(folder, CRect(0, 0, 0, 0), RGB(0, 0, 0));
    COXSplashWnd empty;
    EXPECT_FALSE(empty.LoadBitmapFile(path, 0xFF000000, NULL, 0));
    EXPECT_EQ(empty.GetRegion().GetSafeHandle(), nullptr);
}

// Runs this thread's messages through the application's pump, where the
// splash sees input before its window does, until pred() holds or the limit.
bool PumpThroughAppUntil(const std::function<bool()>& pred, DWORD ms = 10000)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (!pred()) {
        MSG msg;
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
            AfxPumpMessage();
        else if (::GetTickCount64() >= end)
            return false;
        else
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

TEST(OXSplashWnd, ClosesAfterItsTimeOutOrAtTheFirstKeyOrClick)
{
    CTestFolder folder;
    CString path = WriteShapeFile(folder, CRect(10, 5, 30, 15), RGB(0, 0, 200));
    COXSplashWnd timed, untimed;
    ASSERT_TRUE(timed.LoadBitmapFile(path, 0xFFFFFFFF));
    ASSERT_TRUE(untimed.LoadBitmapFile(path, 0xFFFFFFFF));
    EXPECT_EQ(timed.GetRegion().GetSafeHandle(), nullptr);   // no colour: rectangular

    // Time-out 0 means 750 ms; -1 means none: the untimed splash outlives
    // the timed one, shown at the same moment.
    ASSERT_TRUE(untimed.Show(-1));
    const ULONGLONG start = ::GetTickCount64();
    ASSERT_TRUE(timed.Show(0));
    EXPECT_EQ(timed.GetTimeout(), 750);
    HWND hTimed = timed.GetSafeHwnd(), hUntimed = untimed.GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(hTimed));
    CRect rect;
    ::GetWindowRect(hTimed, &rect);
    EXPECT_EQ(rect.Size(), CSize(40, 20));
    ASSERT_TRUE(PumpThroughAppUntil([&] { return !::IsWindow(hTimed); })) << "the time-out never closed the splash";
    EXPECT_GE(::GetTickCount64() - start, 700u);
    EXPECT_TRUE(::IsWindow(hUntimed));

    // A key, then a click, posted to the splash as the user's input would come.
    for (UINT nMessage : {WM_KEYDOWN, WM_LBUTTONDOWN}) {
        ASSERT_TRUE(untimed.Show(-1));
        hUntimed = untimed.GetSafeHwnd();
        ::PostMessageA(hUntimed, nMessage, nMessage == WM_KEYDOWN ? VK_SPACE : MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_TRUE(PumpThroughAppUntil([&] { return !::IsWindow(hUntimed); }))
            << CMessageRecorder::MessageName(nMessage) << " left the splash up";
    }
    // Unless it is told to stay.
    untimed.SetHideOnUserInput(FALSE);
    ASSERT_TRUE(untimed.Show(-1));
    hUntimed = untimed.GetSafeHwnd();
    ::PostMessageA(hUntimed, WM_KEYDOWN, VK_SPACE, 0);
    ::PostMessageA(hUntimed, WM_APP, 0, 0);
    MSG last = {};
    ASSERT_TRUE(PumpThroughAppUntil([&] { return ::PeekMessageA(&last, hUntimed, WM_APP, WM_APP, PM_NOREMOVE) == FALSE; }));
    EXPECT_TRUE(::IsWindow(hUntimed));
    untimed.Close();
}

TEST(OXSplashWnd, TheProcessWideSplashShowsAgainAndDeletesItselfWhenClosed)
{
    CTestFolder folder;
    CString path = WriteShapeFile(folder, CRect(10, 5, 30, 15), RGB(0, 0, 200));
    ASSERT_TRUE(COXSplashWnd::LoadGlobalBitmapFile(path, 0xFF000000));
    COXSplashWnd* pSplash = COXSplashWnd::GetGlobalSplash();
    ASSERT_NE(pSplash, nullptr);
    ASSERT_TRUE(pSplash->Show(-1));
    // Shown again while up: the window is made anew, the object stays.
    ASSERT_TRUE(pSplash->Show(-1));
    ASSERT_EQ(COXSplashWnd::GetGlobalSplash(), pSplash);
    HWND hWnd = pSplash->GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(hWnd));
    ::PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 10));
    EXPECT_TRUE(PumpThroughAppUntil([] { return COXSplashWnd::GetGlobalSplash() == nullptr; }))
        << "the click left the process-wide splash up";
    EXPECT_FALSE(::IsWindow(hWnd));
    // A broken file loads nothing.
    WriteFileBytes(folder.File("broken.bmp"), "BM not an image");
    COXSplashWnd splash;
    EXPECT_FALSE(splash.LoadBitmapFile(folder.File("broken.bmp")));
    EXPECT_FALSE(splash.Show());
}

} // namespace
