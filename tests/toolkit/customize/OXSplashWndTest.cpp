// The splash window: a shape cut from its transparent colour, the tolerance
// rule, the traced outline's vertices, closing by time-out and by input.
#include <afxwin.h>
#include <gtest/gtest.h>

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

TEST(OXSplashWnd, ClosesAfterItsTimeOutOrAtTheFirstKey)
{
    CTestFolder folder;
    CString path = WriteShapeFile(folder, CRect(10, 5, 30, 15), RGB(0, 0, 200));
    COXSplashWnd splash;
    ASSERT_TRUE(splash.LoadBitmapFile(path, 0xFFFFFFFF));
    EXPECT_EQ(splash.GetRegion().GetSafeHandle(), nullptr);   // no colour: rectangular
    DWORD start = ::GetTickCount();
    ASSERT_TRUE(splash.Show(0));
    EXPECT_EQ(splash.GetTimeout(), 750);
    HWND hWnd = splash.GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(hWnd));
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    EXPECT_EQ(rect.Size(), CSize(40, 20));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hWnd); }, 3000));
    DWORD elapsed = ::GetTickCount() - start;
    EXPECT_GE(elapsed, 700u);
    EXPECT_LE(elapsed, 2000u);

    ASSERT_TRUE(splash.Show(-1));
    hWnd = splash.GetSafeHwnd();
    PumpMessagesFor(900);
    EXPECT_TRUE(::IsWindow(hWnd));   // no time-out
    MSG key = {hWnd, WM_KEYDOWN, VK_SPACE, 0};
    EXPECT_TRUE(splash.PreTranslateMessage(&key));
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(OXSplashWnd, TheProcessWideSplashDeletesItselfWhenClosed)
{
    CTestFolder folder;
    CString path = WriteShapeFile(folder, CRect(10, 5, 30, 15), RGB(0, 0, 200));
    ASSERT_TRUE(COXSplashWnd::LoadGlobalBitmapFile(path, 0xFF000000));
    COXSplashWnd* pSplash = COXSplashWnd::GetGlobalSplash();
    ASSERT_NE(pSplash, nullptr);
    ASSERT_TRUE(pSplash->Show(-1));
    MSG click = {pSplash->GetSafeHwnd(), WM_LBUTTONDOWN, 0, 0};
    EXPECT_TRUE(pSplash->PreTranslateMessage(&click));
    EXPECT_EQ(COXSplashWnd::GetGlobalSplash(), nullptr);
    // A broken file loads nothing.
    WriteFileBytes(folder.File("broken.bmp"), "BM not an image");
    COXSplashWnd splash;
    EXPECT_FALSE(splash.LoadBitmapFile(folder.File("broken.bmp")));
    EXPECT_FALSE(splash.Show());
}

} // namespace
