// The background painter: where the image goes per paint type and how the
// tiles fall (window-free tables), what a painter draws, one continuous
// picture behind an MDI client and two docked tool bars, repainting after a
// move, windows taken on later, the profile, and images that are no images.
#include <afxcmn.h>
#include <afxext.h>
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>

#include "OXBackgroundPainter.h"
#include "TestFolder.h"
#include "customize_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// ---------------------------------------------------------------------------
// Window-free rules
// ---------------------------------------------------------------------------

TEST(OXBackgroundLayout, PlacementPerPaintType)
{
    const CSize image(20, 10), reference(101, 51);
    struct Case {
        int nType;
        CRect expected;
    } cases[] = {
        {1, CRect(0, 0, 101, 51)},     // stretched over the reference
        {2, CRect(0, 0, 20, 10)},      // top-left
        {3, CRect(40, 0, 60, 10)},     // top, centred: (101 - 20) / 2
        {4, CRect(81, 0, 101, 10)},    // top-right
        {5, CRect(0, 20, 20, 30)},     // left, centred: (51 - 10) / 2
        {6, CRect(40, 20, 60, 30)},
        {7, CRect(81, 20, 101, 30)},
        {8, CRect(0, 41, 20, 51)},     // bottom-left
        {9, CRect(40, 41, 60, 51)},
        {10, CRect(81, 41, 101, 51)},
        {0, CRect(0, 0, 0, 0)},        // tiling has no one rectangle
        {11, CRect(0, 0, 0, 0)},       // no such type: no image
        {-1, CRect(0, 0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OXBackgroundLayout::Placement(c.nType, image, reference), c.expected) << "type " << c.nType;
    // Larger than the reference: placed off its edges, not clamped.
    EXPECT_EQ(OXBackgroundLayout::Placement(10, CSize(200, 100), reference), CRect(-99, -49, 101, 51));
    // An image without area places nothing, whatever the type.
    EXPECT_TRUE(OXBackgroundLayout::Placement(6, CSize(0, 0), reference).IsRectEmpty());
    EXPECT_TRUE(OXBackgroundLayout::Placement(1, CSize(5, 0), reference).IsRectEmpty());
}

TEST(OXBackgroundLayout, TilesCoverTheWindowInTheOriginsPhase)
{
    struct Case {
        CPoint offset;
        CSize image, window;
        CPoint first;
        int nColumns, nRows;
    } cases[] = {
        {CPoint(0, 0), CSize(32, 32), CSize(64, 64), CPoint(0, 0), 2, 2},
        {CPoint(0, 0), CSize(32, 32), CSize(65, 1), CPoint(0, 0), 3, 1},
        // A bar docked below the origin's top-left: negative offsets.
        {CPoint(-40, -70), CSize(32, 32), CSize(100, 20), CPoint(-8, -6), 4, 1},
        {CPoint(-64, -32), CSize(32, 32), CSize(32, 32), CPoint(0, 0), 1, 1},
        // The origin inside the window: the tiles still start at its left
        // and top, in the same phase, leaving no strip uncovered.
        {CPoint(10, 45), CSize(32, 32), CSize(50, 50), CPoint(-22, -19), 3, 3},
        {CPoint(5, 5), CSize(1, 1), CSize(3, 2), CPoint(0, 0), 3, 2},
        // Nothing to tile with, or nothing to cover: no tiles, no division.
        {CPoint(-7, 3), CSize(0, 0), CSize(100, 100), CPoint(0, 0), 0, 0},
        {CPoint(-7, 3), CSize(0, 32), CSize(100, 100), CPoint(0, 0), 0, 0},
        {CPoint(-7, 3), CSize(32, 0), CSize(100, 100), CPoint(0, 0), 0, 0},
        {CPoint(-7, 3), CSize(32, 32), CSize(0, 100), CPoint(0, 0), 0, 0},
    };
    for (const Case& c : cases) {
        OXBackgroundLayout::Tiles t = OXBackgroundLayout::Tiling(c.offset, c.image, c.window);
        SCOPED_TRACE(testing::Message() << "offset " << c.offset.x << "," << c.offset.y << " image " << c.image.cx
                                        << "x" << c.image.cy);
        EXPECT_EQ(t.ptFirst, c.first);
        EXPECT_EQ(t.nColumns, c.nColumns);
        EXPECT_EQ(t.nRows, c.nRows);
    }
}

// ---------------------------------------------------------------------------
// Images
// ---------------------------------------------------------------------------

// A 24-bit image whose four quadrants are red, green (top), blue, yellow
// (bottom): the colour at a point tells where in the image it is.
COLORREF QuadrantColour(int x, int y, int cx, int cy)
{
    x = ((x % cx) + cx) % cx;
    y = ((y % cy) + cy) % cy;
    const bool bLeft = x < cx / 2, bTop = y < cy / 2;
    return bTop ? (bLeft ? kRed : kGreen) : (bLeft ? kBlue : kYellow);
}

void MakeQuadrants(COXDIB& dib, int cx, int cy)
{
    ASSERT_TRUE(dib.CreateEmpty(24, cx, cy));
    BYTE* pBits = (BYTE*)dib.FindDIBBits();
    const DWORD nRow = OXDIBLayout::RowBytes(24, cx);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++) {
            COLORREF c = QuadrantColour(x, y, cx, cy);
            BYTE* p = pBits + (size_t)(cy - 1 - y) * nRow + 3 * x;   // bottom row first
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
}

class OXBackgroundPainterDrawTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Away from the screen's corner: a drawing into memory stands for the
        // window's own client area wherever the window is.
        ASSERT_TRUE(CreateHostWindow(m_host, "Background", WS_POPUP, CRect(30, 40, 230, 190)));
        ASSERT_TRUE(m_child.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 80), &m_host, 1));
    }
    void TearDown() override { m_host.DestroyWindow(); }
    CWnd m_host, m_child;
};

TEST_F(OXBackgroundPainterDrawTest, EachPaintTypeDrawsImageAndColourWhereItSays)
{
    COXDIB image;
    MakeQuadrants(image, 20, 10);
    COXBackgroundPainter painter;
    ASSERT_TRUE(painter.Attach(&m_child, &image, OXPaintTiled, kMagenta));
    struct Probe {
        int nType;
        int x, y;
        COLORREF expected;
    } probes[] = {
        {0, 0, 0, kRed},   {0, 35, 2, kGreen}, {0, 99, 79, kYellow}, {0, 41, 16, kBlue},
        {1, 0, 0, kRed},   {1, 99, 79, kYellow},                    // stretched over all of it
        {2, 0, 0, kRed},   {2, 19, 9, kYellow}, {2, 20, 0, kMagenta}, {2, 0, 10, kMagenta},
        {6, 40, 35, kRed}, {6, 59, 44, kYellow}, {6, 39, 35, kMagenta}, {6, 0, 0, kMagenta},
        {10, 99, 79, kYellow}, {10, 80, 70, kRed}, {10, 79, 79, kMagenta},
        {11, 0, 0, kMagenta}, {11, 50, 40, kMagenta},               // no such type: colour only
    };
    for (const Probe& p : probes) {
        painter.SetPaintType(p.nType, FALSE);
        CPixelCanvas canvas(100, 80, kWhite);
        painter.DrawBackground(&canvas.dc);
        EXPECT_EQ(canvas.At(p.x, p.y), p.expected) << "type " << p.nType << " at " << p.x << "," << p.y;
    }
    painter.Detach(FALSE);
}

// A keyed colour shows the background colour, tiled, stretched or placed;
// CLR_DEFAULT keys the top-left pixel's colour (red here) out.
TEST_F(OXBackgroundPainterDrawTest, AKeyedColourShowsTheBackgroundColour)
{
    COXDIB image;
    MakeQuadrants(image, 20, 10);
    COXBackgroundPainter painter;
    ASSERT_TRUE(painter.Attach(&m_child, &image, OXPaintTiled, kCyan));
    EXPECT_EQ(painter.GetTransparentColor(), CLR_NONE);
    struct Probe {
        COLORREF clrKey;
        int nType;
        int x, y;
        COLORREF expected;
    } probes[] = {
        {CLR_NONE, 0, 0, 0, kRed},       {kGreen, 0, 0, 0, kRed},         {kGreen, 0, 35, 2, kCyan},
        {CLR_DEFAULT, 0, 0, 0, kCyan},   {CLR_DEFAULT, 0, 99, 79, kYellow}, {CLR_DEFAULT, 0, 41, 16, kBlue},
        {CLR_DEFAULT, 1, 0, 0, kCyan},   {CLR_DEFAULT, 1, 99, 79, kYellow},
        {CLR_DEFAULT, 6, 40, 35, kCyan}, {CLR_DEFAULT, 6, 59, 44, kYellow}, {CLR_DEFAULT, 6, 0, 0, kCyan},
    };
    for (const Probe& p : probes) {
        painter.SetTransparentColor(p.clrKey, FALSE);
        painter.SetPaintType(p.nType, FALSE);
        CPixelCanvas canvas(100, 80, kWhite);
        painter.DrawBackground(&canvas.dc);
        EXPECT_EQ(canvas.At(p.x, p.y), p.expected)
            << "key " << std::hex << p.clrKey << std::dec << ", type " << p.nType << " at " << p.x << "," << p.y;
    }
    painter.Detach(FALSE);
}

TEST_F(OXBackgroundPainterDrawTest, AnOriginThatIsGoneLeavesThePainterOnItsOwnWindow)
{
    COXDIB image;
    MakeQuadrants(image, 20, 10);
    CWnd origin;
    ASSERT_TRUE(origin.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(110, 90, 190, 140), &m_host, 3));
    COXBackgroundPainter painter;
    ASSERT_TRUE(painter.Attach(&m_child, &image, OXPaintTopLeft, kMagenta, &origin));
    CPixelCanvas before(100, 80, kWhite);
    painter.DrawBackground(&before.dc);
    EXPECT_EQ(before.At(0, 0), kMagenta);   // the image sits at the origin, off this window
    origin.DestroyWindow();
    EXPECT_EQ(painter.GetOriginWnd()->GetSafeHwnd(), m_child.m_hWnd);
    CPixelCanvas after(100, 80, kWhite);
    painter.DrawBackground(&after.dc);
    EXPECT_EQ(after.At(0, 0), kRed);
    EXPECT_EQ(after.At(19, 9), kYellow);
    painter.Detach(FALSE);
}

TEST_F(OXBackgroundPainterDrawTest, WithoutAnImageTheColourOrTheClassBrush)
{
    COXBackgroundPainter painter;
    for (int nType : {OXPaintTiled, OXPaintStretched, OXPaintCenter}) {
        ASSERT_TRUE(painter.Attach(&m_child, NULL, nType, kCyan));
        CPixelCanvas canvas(100, 80, kWhite);
        painter.DrawBackground(&canvas.dc);
        EXPECT_EQ(canvas.Count(kCyan), 100 * 80) << "type " << nType;
        painter.Detach(FALSE);
    }
    // The default colour is the class brush, or the button face without one.
    CWnd bare;
    ASSERT_TRUE(bare.Create(AfxRegisterWndClass(0), NULL, WS_CHILD, CRect(0, 0, 100, 80), &m_host, 2));
    struct Case {
        CWnd* pWnd;
        COLORREF expected;
    } cases[] = {
        {&m_child, ::GetSysColor(COLOR_WINDOW)},   // the layer's class brush
        {&bare, ::GetSysColor(COLOR_BTNFACE)},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(painter.Attach(c.pWnd, NULL, OXPaintTiled, OX_DEFAULT_BACKGROUND));
        CPixelCanvas canvas(100, 80, kMagenta);
        painter.DrawBackground(&canvas.dc);
        EXPECT_EQ(canvas.At(50, 40), c.expected);
        painter.Detach(FALSE);
    }
}

// ---------------------------------------------------------------------------
// An MDI frame with two docked tool bars
// ---------------------------------------------------------------------------

const UINT kButtons[] = {40001, 40002};

// The pixel at a screen point, read through the window that shows it.
COLORREF PixelOf(HWND hWnd, CPoint ptScreen)
{
    ::ScreenToClient(hWnd, &ptScreen);
    HDC hdc = ::GetDC(hWnd);
    COLORREF c = ::GetPixel(hdc, ptScreen.x, ptScreen.y);
    ::ReleaseDC(hWnd, hdc);
    return c;
}

class OXBackgroundOrganizerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pApp = AfxGetApp();
        m_pSavedMain = m_pApp->m_pMainWnd;
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_CT_MDIFRAME, WS_OVERLAPPEDWINDOW));
        m_pApp->m_pMainWnd = m_pFrame;
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        for (CToolBar& bar : m_bars) {
            ASSERT_TRUE(bar.CreateEx(m_pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
            ASSERT_TRUE(bar.SetButtons(kButtons, 2));
            bar.EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
        }
        m_pFrame->MoveWindow(20, 20, 600, 400);
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pFrame->RecalcLayout();
        MakeQuadrants(m_image, 32, 32);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\BackgroundTest");
    }
    void TearDown() override
    {
        if (::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        m_pApp->m_pMainWnd = m_pSavedMain;
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\BackgroundTest");
    }
    // The picture anchored to the frame's client top-left, as it should be at
    // a window's point (client coordinates of that window).
    ::testing::AssertionResult ShowsThePicture(HWND hWnd, CPoint pt)
    {
        CPoint ptScreen = pt;
        ::ClientToScreen(hWnd, &ptScreen);
        CPoint ptFrame = ptScreen;
        ::ScreenToClient(m_pFrame->m_hWnd, &ptFrame);
        const COLORREF expected = QuadrantColour(ptFrame.x, ptFrame.y, 32, 32);
        const COLORREF got = PixelOf(hWnd, ptScreen);
        if (got == expected)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "at frame point " << ptFrame.x << "," << ptFrame.y << ": 0x"
                                             << std::hex << got << ", expected 0x" << expected;
    }
    // A few points of a window, away from its buttons.
    bool PictureEverywhereIn(HWND hWnd)
    {
        CRect rect;
        ::GetClientRect(hWnd, &rect);
        const CPoint points[] = {CPoint(rect.right - 2, 1), CPoint(rect.right - 3, rect.bottom - 2),
                                 CPoint(rect.right - 17, rect.bottom / 2)};
        for (CPoint pt : points)
            if (!ShowsThePicture(hWnd, pt))
                return false;
        return true;
    }
    CDockBar* TopDockBar() { return (CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP); }

    CWinApp* m_pApp = NULL;
    CWnd* m_pSavedMain = NULL;
    CMDIFrameWnd* m_pFrame = NULL;
    CToolBar m_bars[2];
    COXDIB m_image;
};

TEST_F(OXBackgroundOrganizerTest, OnePictureBehindTheMDIClientAndBothBars)
{
    COXBackgroundPainterOrganizer organizer;
    ASSERT_TRUE(organizer.AttachToThread(m_pFrame, &m_image, OXPaintTiled, kMagenta));
    COXBackgroundPainterOrganizer second;
    EXPECT_FALSE(second.AttachToThread(m_pFrame));   // one organizer a thread
    EXPECT_TRUE(organizer.IsAttached(&m_bars[0]));
    EXPECT_TRUE(organizer.IsAttached(&m_bars[1]));
    EXPECT_TRUE(organizer.IsAttached(TopDockBar()));
    EXPECT_TRUE(organizer.IsAttached(CWnd::FromHandle(m_pFrame->m_hWndMDIClient)));
    EXPECT_FALSE(organizer.IsAttached(m_pFrame));
    EXPECT_EQ(organizer.GetPainter(&m_bars[0])->GetOriginWnd(), m_pFrame);

    const HWND windows[] = {m_bars[0].m_hWnd, m_bars[1].m_hWnd, TopDockBar()->m_hWnd, m_pFrame->m_hWndMDIClient};
    for (HWND hWnd : windows)
        ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_TRUE(PumpUntil([&] {
        for (HWND hWnd : windows)
            if (!PictureEverywhereIn(hWnd))
                return false;
        return true;
    }, kWaitMs)) << ShowsThePicture(m_bars[1].m_hWnd, CPoint(2, 2)).message();

    EXPECT_TRUE(organizer.DetachFromThread(FALSE));
    EXPECT_FALSE(organizer.IsAttached(&m_bars[0]));
    EXPECT_FALSE(organizer.DetachFromThread(FALSE));
}

TEST_F(OXBackgroundOrganizerTest, ABarMovedWithinItsDockBarIsRepainted)
{
    COXBackgroundPainterOrganizer organizer;
    ASSERT_TRUE(organizer.AttachToThread(m_pFrame, &m_image, OXPaintTiled, kMagenta));
    HWND hBar = m_bars[1].m_hWnd;
    ASSERT_TRUE(PumpUntil([&] { return PictureEverywhereIn(hBar); }, kWaitMs));
    // 7 pixels right, not a whole tile: the pixels the system copies along
    // are off by 7.
    CRect rect;
    m_bars[1].GetWindowRect(&rect);
    TopDockBar()->ScreenToClient(&rect);
    m_bars[1].SetWindowPos(NULL, rect.left + 7, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(PumpUntil([&] { return PictureEverywhereIn(hBar); }, kWaitMs))
        << ShowsThePicture(hBar, CPoint(1, 1)).message();
    organizer.DetachFromThread(FALSE);
}

TEST_F(OXBackgroundOrganizerTest, WindowsMadeLaterTakeTheOrganizersSettings)
{
    COXBackgroundPainterOrganizer organizer;
    ASSERT_TRUE(organizer.AttachToThread(m_pFrame, &m_image, OXPaintTiled, kMagenta));
    ASSERT_TRUE(organizer.SetPaintType(NULL, OXPaintCenter, FALSE));
    ASSERT_TRUE(organizer.SetBackgroundColor(NULL, kCyan, FALSE));
    EXPECT_EQ(organizer.GetDefaultPaintType(), OXPaintCenter);
    EXPECT_EQ(organizer.GetDefaultBackgroundColor(), kCyan);
    ASSERT_TRUE(organizer.SetTransparentColor(NULL, CLR_DEFAULT, FALSE));

    // Made on the frame, the bar is refused; docked, it qualifies.
    CToolBar later;
    ASSERT_TRUE(later.CreateEx(m_pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), 4711));
    ASSERT_TRUE(later.SetButtons(kButtons, 2));
    EXPECT_FALSE(organizer.IsAttached(&later));
    later.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&later, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(PumpUntil([&] { return organizer.IsAttached(&later); }, kWaitMs));
    COXBackgroundPainter* pPainter = organizer.GetPainter(&later);
    EXPECT_EQ(pPainter->GetPaintType(), OXPaintCenter);
    EXPECT_EQ(pPainter->GetBackgroundColor(), kCyan);
    EXPECT_EQ(pPainter->GetTransparentColor(), CLR_DEFAULT);
    EXPECT_EQ(pPainter->GetImage()->GetSize(), CSize(32, 32));
    EXPECT_EQ(pPainter->GetOriginWnd(), m_pFrame);

    // Every window anchored to itself: a window made later is anchored to
    // itself too, not to whichever window it copied.
    ASSERT_TRUE(organizer.SetOriginWnd(NULL, NULL, FALSE));
    // A tab control on the MDI frame qualifies; a plain button does not.
    CTabCtrl tabs;
    CButton button;
    ASSERT_TRUE(tabs.Create(WS_CHILD, CRect(0, 0, 50, 20), m_pFrame, 4712));
    ASSERT_TRUE(button.Create("b", WS_CHILD, CRect(0, 0, 50, 20), m_pFrame, 4713));
    ASSERT_TRUE(organizer.IsAttached(&tabs));
    EXPECT_EQ(organizer.GetPainter(&tabs)->GetOriginWnd()->GetSafeHwnd(), tabs.m_hWnd);
    EXPECT_FALSE(organizer.IsAttached(&button));
    // A destroyed window gives its painter back.
    tabs.DestroyWindow();
    EXPECT_FALSE(organizer.IsAttached(&tabs));
    button.DestroyWindow();
    later.DestroyWindow();
    organizer.DetachFromThread(FALSE);
}

TEST_F(OXBackgroundOrganizerTest, SettingsKeptInTheProfileAndReadBack)
{
    CTestFolder folder;
    const CString sFile = folder.File("tile.bmp");
    ASSERT_TRUE(m_image.Save(sFile));
    COXBackgroundPainter painter;
    ASSERT_FALSE(painter.SaveState("BackgroundTest"));   // not attached
    ASSERT_TRUE(painter.Attach(&m_bars[0], NULL, OXPaintBottomRight, RGB(1, 2, 3), m_pFrame));
    ASSERT_TRUE(painter.LoadImage(sFile, FALSE));
    ASSERT_TRUE(painter.SaveState("BackgroundTest"));

    HKEY hKey;
    ASSERT_EQ(::RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\BackgroundTest", &hKey),
              ERROR_SUCCESS);
    char szName[MAX_PATH] = {};
    DWORD cb = sizeof szName, dwType = 0, dwValue = 0;
    EXPECT_EQ(::RegQueryValueExA(hKey, "ImageFileName", NULL, &dwType, (BYTE*)szName, &cb), ERROR_SUCCESS);
    EXPECT_STREQ(szName, (LPCTSTR)sFile);
    cb = sizeof dwValue;
    EXPECT_EQ(::RegQueryValueExA(hKey, "PaintType", NULL, &dwType, (BYTE*)&dwValue, &cb), ERROR_SUCCESS);
    EXPECT_EQ(dwType, (DWORD)REG_DWORD);
    EXPECT_EQ(dwValue, 10u);
    cb = sizeof dwValue;
    EXPECT_EQ(::RegQueryValueExA(hKey, "BackgroundColor", NULL, &dwType, (BYTE*)&dwValue, &cb), ERROR_SUCCESS);
    EXPECT_EQ(dwValue, (DWORD)RGB(1, 2, 3));

    COXBackgroundPainter back;
    ASSERT_TRUE(back.Attach(&m_bars[1]));
    ASSERT_TRUE(back.LoadState("BackgroundTest", FALSE));
    EXPECT_EQ(back.GetImageFileName(), sFile);
    EXPECT_EQ(back.GetImage()->GetSize(), CSize(32, 32));
    EXPECT_EQ(back.GetPaintType(), OXPaintBottomRight);
    EXPECT_EQ(back.GetBackgroundColor(), RGB(1, 2, 3));

    // A section with only the paint type: colour and image stay.
    ::RegDeleteValueA(hKey, "ImageFileName");
    ::RegDeleteValueA(hKey, "BackgroundColor");
    ::RegSetValueExA(hKey, "PaintType", 0, REG_DWORD, (const BYTE*)"\x06\0\0\0", 4);
    ::RegCloseKey(hKey);
    ASSERT_TRUE(back.LoadState("BackgroundTest", FALSE));
    EXPECT_EQ(back.GetPaintType(), OXPaintCenter);
    EXPECT_EQ(back.GetBackgroundColor(), RGB(1, 2, 3));
    EXPECT_EQ(back.GetImage()->GetSize(), CSize(32, 32));
    EXPECT_EQ(back.GetImageFileName(), sFile);
    back.Detach(FALSE);
    painter.Detach(FALSE);
}

TEST_F(OXBackgroundOrganizerTest, AMalformedImageKeepsThePainterAndItsColour)
{
    CTestFolder folder;
    const CString sBad = folder.File("bad.bmp");
    std::string header("BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0", 18);
    const std::string malformed[] = {
        "",                                                    // empty
        "BM",                                                  // no header
        header + std::string("\0\0\0\0\0\0\0\0\1\0\x18\0", 12),   // 0 x 0 pixels
        header + std::string("\xff\xff\xff\x7f\xff\xff\xff\x7f\1\0\x18\0", 12),   // past any memory
        "not an image at all",
    };
    COXBackgroundPainterOrganizer organizer;
    ASSERT_TRUE(organizer.AttachToThread(m_pFrame, &m_image, OXPaintTiled, kMagenta));
    COXBackgroundPainter* pPainter = organizer.GetPainter(&m_bars[0]);
    ASSERT_NE(pPainter, nullptr);
    for (const std::string& bytes : malformed) {
        WriteFileBytes(sBad, bytes);
        SCOPED_TRACE(bytes.size());
        EXPECT_FALSE(organizer.LoadImage(NULL, sBad));
        EXPECT_FALSE(pPainter->LoadImage(sBad));
        EXPECT_EQ(organizer.GetPainter(&m_bars[0]), pPainter);
        EXPECT_EQ(pPainter->GetImage()->GetSize(), CSize(32, 32));
        EXPECT_EQ(pPainter->GetBackgroundColor(), kMagenta);
        EXPECT_EQ(organizer.GetDefaultImage()->GetSize(), CSize(32, 32));
    }
    // Named by the profile: the other values still apply, the image stays.
    m_pApp->WriteProfileString("BackgroundTest", "ImageFileName", sBad);
    m_pApp->WriteProfileInt("BackgroundTest", "PaintType", OXPaintStretched);
    EXPECT_TRUE(organizer.LoadState(NULL, "BackgroundTest", FALSE));
    EXPECT_EQ(pPainter->GetPaintType(), OXPaintStretched);
    EXPECT_EQ(pPainter->GetBackgroundColor(), kMagenta);
    EXPECT_EQ(pPainter->GetImage()->GetSize(), CSize(32, 32));
    // And the bar still paints the picture.
    ASSERT_TRUE(organizer.SetPaintType(NULL, OXPaintTiled, TRUE));
    EXPECT_TRUE(PumpUntil([&] { return PictureEverywhereIn(m_bars[0].m_hWnd); }, kWaitMs));
    organizer.DetachFromThread(FALSE);
}

} // namespace
