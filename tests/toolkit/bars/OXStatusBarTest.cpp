// The status bar with pane extras and its skins: the pane layout, bitmap
// placement and percentage as tables; a real bar in a frame for progress
// controls, fonts, colours, cursors, tips, double clicks and pane objects
// dropped by a second SetIndicators; the skins' drawing on memory DCs with
// the skins' colours given by the test.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include "OXSkinnedApp.h"
#include "OXStatusBar.h"
#include "OXStatusbarSkin.h"
#include "SkinTestSupport.h"
#include "bars_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"
#include "toolkit_res.h"

static void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

namespace {

// ---------------------------------------------------------------------------
// Window-free arithmetic
// ---------------------------------------------------------------------------
TEST(StatusBarLayout, StretchPanesShareTheSpareWidthTheLastTakingTheOddPixel)
{
    struct Case
    {
        const char* what;
        int cxInside, nBorder, nGap;
        std::vector<int> widths;
        std::vector<BOOL> stretch;
        std::vector<int> rights;
    } cases[] = {
        // fixed: 10+6, 20+6 from border 0 with gap 2 -> 16, 18+26=44
        {"no stretch pane", 300, 0, 2, {10, 20}, {FALSE, FALSE}, {16, 44}},
        // spare = 101 + 2 - (16+2 + 26+2 + 16+2) = 39: 19 then 20
        {"two stretch panes", 101, 0, 2, {10, 20, 10}, {TRUE, FALSE, TRUE}, {35, 63, 101}},
        {"border shifts every edge", 101, 3, 2, {10, 20, 10}, {TRUE, FALSE, TRUE}, {38, 66, 104}},
        {"no room: nothing stretches", 30, 0, 2, {10, 20}, {TRUE, FALSE}, {16, 44}},
    };
    for (const Case& c : cases) {
        std::vector<int> rights(c.widths.size());
        COXStatusBar::LayoutPaneRights(c.cxInside, c.nBorder, c.nGap, c.widths.data(), c.stretch.data(),
                                       (int)c.widths.size(), rights.data());
        EXPECT_EQ(c.rights, rights) << c.what;
    }
}

TEST(StatusBarLayout, BitmapPlacementPerMode)
{
    const CRect inner(10, 2, 110, 22);   // 100 x 20
    struct Case
    {
        int w, h, nMode;
        CRect dest;
        CSize source;
    } cases[] = {
        // small bitmap (20 x 10): vertically centred at 2 + 5
        {20, 10, 0, CRect(10, 7, 30, 17), CSize(20, 10)},
        {20, 10, 2, CRect(10, 7, 30, 17), CSize(20, 10)},
        {20, 10, 1, inner, CSize(20, 10)},
        {20, 10, 3, CRect(50, 7, 70, 17), CSize(20, 10)},
        {20, 10, 4, CRect(90, 7, 110, 17), CSize(20, 10)},
        {20, 10, 5, CRect(10, 7, 30, 17), CSize(20, 10)},
        {20, 10, 6, CRect(50, 7, 70, 17), CSize(20, 10)},
        {20, 10, 7, CRect(90, 7, 110, 17), CSize(20, 10)},
        // larger than the pane (200 x 40): squeezed into it in modes 0 to
        // 4, cut to its top-left part in modes 5 to 7
        {200, 40, 0, inner, CSize(200, 40)},
        {200, 40, 3, inner, CSize(200, 40)},
        {200, 40, 4, inner, CSize(200, 40)},
        {200, 40, 5, inner, CSize(100, 20)},
        {200, 40, 6, inner, CSize(100, 20)},
        {200, 40, 7, inner, CSize(100, 20)},
        // as tall as the pane: its whole height at the top
        {20, 20, 0, CRect(10, 2, 30, 22), CSize(20, 20)},
    };
    for (const Case& c : cases) {
        CRect dest;
        CSize source;
        COXStatusBar::PlaceBitmap(inner, c.w, c.h, c.nMode, dest, source);
        EXPECT_EQ(c.dest, dest) << c.w << "x" << c.h << " mode " << c.nMode;
        EXPECT_EQ(c.source, source) << c.w << "x" << c.h << " mode " << c.nMode;
    }
}

TEST(StatusBarLayout, PercentageIsExactPastThirtyTwoBitsAndClamped)
{
    struct Case
    {
        LONGLONG nBound, nPos;
        UINT nPercent;
    } cases[] = {
        {100, 0, 0},
        {100, 37, 37},
        {3, 1, 33},
        {7, 5, 71},
        {0, 0, 0},   // no bound: 0, not a division by zero
        {0, 5, 0},
        {100000000, 50000000, 50},   // position x 100 past 32 bits
        {10000000000LL, 5000000000LL, 50},
        {10000000000LL, 9999999999LL, 99},
        {100, 250, 100},
        {100, -5, 0},
        {-100, 5, 0},
        {LLONG_MAX, LLONG_MAX / 2 + 1, 50},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nPercent, COXStatusBar::ProgressPercent(c.nBound, c.nPos)) << c.nPos << " of " << c.nBound;
}

// ---------------------------------------------------------------------------
// A bar in a frame
// ---------------------------------------------------------------------------
class CStatusFrame : public CFrameWnd
{
public:
    std::vector<WPARAM> m_dblClicks;

protected:
    afx_msg LRESULT OnPaneDblClk(WPARAM wParam, LPARAM lParam)
    {
        if (lParam == 0)
            m_dblClicks.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStatusFrame, CFrameWnd)
    ON_MESSAGE(WM_SB_PANEDBLCLK, OnPaneDblClk)
END_MESSAGE_MAP()

const UINT kIndicators[] = {ID_SEPARATOR, 18310, 18311, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
enum { paneMessage, paneProgress, paneBitmap, paneCaps, paneNum, paneCount };

class StatusBarWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create("Status bar test", CRect(40, 40, 640, 240)));
        ASSERT_TRUE(m_bar.Create(m_frame));
        ASSERT_TRUE(m_bar.SetIndicators(kIndicators, paneCount) || m_bar.GetCount() == paneCount);
        m_bar.SetPaneInfo(paneProgress, kIndicators[paneProgress], SBPS_NORMAL, 120);
        m_bar.SetPaneInfo(paneBitmap, kIndicators[paneBitmap], SBPS_NORMAL, 60);
        m_frame.Show();
        PumpPending();
    }

    CRect PaneRect(int i)
    {
        CRect rect;
        m_bar.GetItemRect(i, &rect);
        return rect;
    }

    CScopedFrame<CStatusFrame> m_frame;
    COXStatusBar m_bar;
};

TEST_F(StatusBarWindow, PercentTextFollowsThePositionAndIsSetOnlyWhenItChanges)
{
    ASSERT_TRUE(m_bar.SetPaneProgress(paneProgress, 0, TRUE));
    COXStatusBar::CEvolInfo* pInfo = m_bar.GetPaneProgress(paneProgress);
    ASSERT_TRUE(pInfo != NULL && pInfo->m_bCreated);
    HWND hProgress = pInfo->m_progress.m_hWnd;
    EXPECT_EQ(m_bar.m_hWnd, ::GetParent(hProgress));
    EXPECT_EQ(paneProgress, ::GetDlgCtrlID(hProgress));
    // The control sits right of the text, inside its pane.
    const CRect rectPane = PaneRect(paneProgress);
    CRect rectProgress;
    ::GetWindowRect(hProgress, &rectProgress);
    m_bar.ScreenToClient(&rectProgress);
    EXPECT_GT(rectProgress.left, rectPane.left + 10);
    EXPECT_LE(rectProgress.right, rectPane.right);

    struct Step
    {
        LONGLONG nBound, nPos;
        const char* text;
    } steps[] = {
        {100, 0, "0%"},
        {0, 0, "0%"},
        {10000000000LL, 5000000000LL, "50%"},
        {10000000000LL, 10000000000LL, "100%"},
        {200, 50, "25%"},
    };
    for (const Step& s : steps) {
        m_bar.SetProgressPos(paneProgress, 0, s.nBound, s.nPos);
        EXPECT_STREQ(s.text, m_bar.GetPaneText(paneProgress)) << s.nPos << " of " << s.nBound;
    }
    // The 10^10 range reaches the control scaled into 32 bits, half full.
    m_bar.SetProgressPos(paneProgress, 0, 10000000000LL, 5000000000LL);
    PBRANGE range = {};
    ::SendMessage(hProgress, PBM_GETRANGE, FALSE, (LPARAM)&range);
    const int nPos = (int)::SendMessage(hProgress, PBM_GETPOS, 0, 0);
    EXPECT_GT(range.iHigh, 0);
    EXPECT_NEAR(range.iHigh / 2, nPos, 1);

    // The same percentage again sets no text: a text put there meanwhile stays.
    m_bar.CStatusBar::SetPaneText(paneProgress, "kept");
    m_bar.SetProgressPos(paneProgress, 0, 10000000000LL, 5000000001LL);
    EXPECT_STREQ("kept", m_bar.GetPaneText(paneProgress));

    m_bar.ResetProgress(paneProgress);
    EXPECT_STREQ("0%", m_bar.GetPaneText(paneProgress));
    m_bar.ResetProgress(paneProgress, TRUE);
    EXPECT_TRUE(m_bar.GetPaneProgress(paneProgress) == NULL);
    EXPECT_FALSE(::IsWindow(hProgress));
    EXPECT_STREQ("", m_bar.GetPaneText(paneProgress));
}

TEST_F(StatusBarWindow, ProgressControlFollowsItsPaneWhenThePanesAreLaidOutAgain)
{
    ASSERT_TRUE(m_bar.SetPaneProgress(paneProgress, 0, FALSE));
    HWND hProgress = m_bar.GetPaneProgress(paneProgress)->m_progress.m_hWnd;
    m_bar.SetPaneInfo(paneProgress, kIndicators[paneProgress], m_bar.GetPaneStyle(paneProgress), 200);
    const CRect rectPane = PaneRect(paneProgress);
    CRect rectProgress;
    ::GetWindowRect(hProgress, &rectProgress);
    m_bar.ScreenToClient(&rectProgress);
    EXPECT_GT(rectProgress.Width(), 180);
    EXPECT_LE(rectProgress.right, rectPane.right);
    EXPECT_GE(rectProgress.left, rectPane.left);
}

TEST(StatusBarProgress, ControlMadeBeforeTheBarHasASizeIsPlacedWhenTheFrameLaysOut)
{
    CScopedFrame<CStatusFrame> frame;
    ASSERT_TRUE(frame.Create("Status bar test", CRect(40, 40, 640, 240)));
    COXStatusBar bar;
    ASSERT_TRUE(bar.Create(frame));
    bar.SetIndicators(kIndicators, paneCount);
    bar.SetPaneInfo(paneMessage, ID_SEPARATOR, bar.GetPaneStyle(paneMessage), 100);
    bar.SetPaneInfo(paneProgress, kIndicators[paneProgress], bar.GetPaneStyle(paneProgress), 120);
    ASSERT_TRUE(bar.SetPaneProgress(paneProgress, 0, TRUE));
    frame.Show();
    PumpPending();
    HWND hProgress = bar.GetPaneProgress(paneProgress)->m_progress.m_hWnd;
    CRect rectProgress, rectPane;
    ::GetWindowRect(hProgress, &rectProgress);
    bar.ScreenToClient(&rectProgress);
    bar.GetItemRect(paneProgress, &rectPane);
    EXPECT_TRUE(::IsWindowVisible(hProgress));
    EXPECT_GT(rectProgress.Width(), 60);
    EXPECT_GT(rectProgress.Height(), 4);
    EXPECT_GE(rectProgress.left, rectPane.left);
    EXPECT_LE(rectProgress.right, rectPane.right);
}

TEST_F(StatusBarWindow, SecondSetIndicatorsFreesPaneObjectsAndDestroysOldProgressWindows)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Arial"));
    ASSERT_TRUE(m_bar.SetPaneFont(paneMessage, &font));
    ASSERT_TRUE(m_bar.SetPaneBitmap(paneBitmap, IDB_BT_PANE_SMALL));
    ASSERT_TRUE(m_bar.SetPaneProgress(paneProgress));
    HGDIOBJ hFont = m_bar.GetPaneFont(paneMessage)->GetSafeHandle();
    HGDIOBJ hBitmap = m_bar.GetPaneBitmap(paneBitmap)->m_pBitmap->GetSafeHandle();
    HWND hProgress = m_bar.GetPaneProgress(paneProgress)->m_progress.m_hWnd;
    ASSERT_NE(0u, ::GetObjectType(hFont));
    ASSERT_NE(0u, ::GetObjectType(hBitmap));
    ASSERT_TRUE(::IsWindow(hProgress));
    const DWORD nGdiBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);

    const UINT ids[] = {ID_SEPARATOR, ID_INDICATOR_CAPS};
    ASSERT_TRUE(m_bar.SetIndicators(ids, 2));
    EXPECT_EQ(0u, ::GetObjectType(hFont));
    EXPECT_EQ(0u, ::GetObjectType(hBitmap));
    EXPECT_FALSE(::IsWindow(hProgress));
    EXPECT_EQ(NULL, ::GetWindow(m_bar.m_hWnd, GW_CHILD));
    EXPECT_TRUE(m_bar.GetPaneFont(paneMessage) == NULL);
    EXPECT_EQ(2, m_bar.m_arrFonts.GetSize());
    if (nGdiBefore != 0) {
        EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), nGdiBefore - 2);
    }
}

TEST_F(StatusBarWindow, FontsAndColoursMakeAPaneOwnerDrawnUntilBothAreBackToPlain)
{
    const COLORREF clrPlain = ::GetSysColor(COLOR_BTNTEXT);
    CFont bold;
    LOGFONT lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = FW_BOLD;
    lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    ASSERT_TRUE(bold.CreateFontIndirect(&lf));
    auto ownerDrawn = [&] { return (m_bar.GetPaneStyle(paneBitmap) & SBT_OWNERDRAW) != 0; };

    ASSERT_TRUE(m_bar.SetPaneFont(paneBitmap, &bold));
    EXPECT_TRUE(ownerDrawn());
    LOGFONT lfPane = {};
    m_bar.GetPaneFont(paneBitmap)->GetLogFont(&lfPane);
    EXPECT_STREQ("Tahoma", lfPane.lfFaceName);
    EXPECT_EQ(FW_BOLD, lfPane.lfWeight);
    EXPECT_NE(bold.GetSafeHandle(), m_bar.GetPaneFont(paneBitmap)->GetSafeHandle());   // a copy

    ASSERT_TRUE(m_bar.SetPaneText(paneBitmap, "red", RGB(255, 0, 0), TRUE));
    ASSERT_TRUE(m_bar.SetPaneFont(paneBitmap, NULL));
    EXPECT_TRUE(ownerDrawn()) << "the colour still needs the bar's drawing";
    ASSERT_TRUE(m_bar.SetPaneText(paneBitmap, "plain", clrPlain, TRUE));
    EXPECT_FALSE(ownerDrawn());
    EXPECT_STREQ("plain", m_bar.GetPaneText(paneBitmap));

    ASSERT_TRUE(m_bar.SetPaneFont(paneBitmap, &bold));
    ASSERT_TRUE(m_bar.SetPaneFont(paneBitmap, NULL));
    EXPECT_FALSE(ownerDrawn());
    CFont none;
    EXPECT_FALSE(m_bar.SetPaneFont(paneBitmap, &none));
    EXPECT_TRUE(m_bar.GetPaneFont(paneBitmap) == NULL);
}

TEST_F(StatusBarWindow, OwnerDrawnPaneTextIsDrawnInItsColour)
{
    ASSERT_TRUE(m_bar.SetPaneText(paneBitmap, "WWWW", kRed, TRUE));
    const CRect rect = PaneRect(paneBitmap);
    CPixelCanvas canvas(rect.right + 4, rect.bottom + 4, kWhite);
    DRAWITEMSTRUCT dis = {};
    dis.itemID = paneBitmap;
    dis.hDC = canvas.dc.GetSafeHdc();
    dis.rcItem = rect;
    m_bar.DrawItem(&dis);
    int nRed = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            nRed += canvas.At(x, y) == kRed;
    EXPECT_GT(nRed, 10);
    EXPECT_EQ(kWhite, canvas.At(rect.left, rect.top));   // transparent background
}

TEST_F(StatusBarWindow, BitmapIsDrawnWhereItsModePlacesItWithoutItsTransparentColour)
{
    ASSERT_FALSE(m_bar.SetPaneBitmap(paneBitmap, 18399));
    EXPECT_TRUE(m_bar.GetPaneBitmap(paneBitmap) == NULL);
    ASSERT_TRUE(m_bar.SetPaneBitmap(paneBitmap, IDB_BT_PANE_SMALL, COXStatusBar::bmpRight, kMagenta));
    COXStatusBar::CBmpInfo* pInfo = m_bar.GetPaneBitmap(paneBitmap);
    ASSERT_TRUE(pInfo != NULL);
    EXPECT_EQ(8, pInfo->m_nWidth);
    EXPECT_EQ(6, pInfo->m_nHeight);

    const CRect inner = m_bar.GetPaneInnerRect(paneBitmap);
    ASSERT_GT(inner.Width(), 8);
    ASSERT_GT(inner.Height(), 6);
    CRect client;
    m_bar.GetClientRect(&client);
    CRect dest;
    CSize source;
    COXStatusBar::PlaceBitmap(inner, 8, 6, COXStatusBar::bmpRight, dest, source);
    {
        CPixelCanvas canvas(client.Width(), client.Height(), kGreen);
        m_bar.DrawBitmapPane(&canvas.dc, paneBitmap, SBPS_NORMAL);
        EXPECT_EQ(7 * 6, canvas.Count(kRed)) << "the magenta column is left out";
        EXPECT_EQ(kRed, canvas.At(dest.left, dest.top));
        EXPECT_EQ(kGreen, canvas.At(dest.right - 1, dest.top)) << "transparent column";
        EXPECT_EQ(kGreen, canvas.At(dest.left - 1, dest.top));
        EXPECT_EQ(0, canvas.Count(kMagenta));
    }
    {
        CPixelCanvas canvas(client.Width(), client.Height(), kGreen);
        m_bar.DrawBitmapPane(&canvas.dc, paneBitmap, SBPS_DISABLED);
        EXPECT_EQ(0, canvas.Count(kRed)) << "a disabled pane shows no bitmap";
    }

    // A bitmap wider and taller than the pane: squeezed, both halves show;
    // cut, only its red top-left part.
    ASSERT_TRUE(m_bar.SetPaneBitmap(paneBitmap, IDB_BT_PANE_LARGE, COXStatusBar::bmpLeft));
    ASSERT_LT(inner.Width(), 100);
    {
        CPixelCanvas canvas(client.Width(), client.Height(), kGreen);
        m_bar.DrawBitmapPane(&canvas.dc, paneBitmap, SBPS_NORMAL);
        EXPECT_EQ(kRed, canvas.At(inner.left, inner.top));
        EXPECT_EQ(kBlue, canvas.At(inner.right - 1, inner.bottom - 1));
    }
    ASSERT_TRUE(m_bar.SetPaneBitmap(paneBitmap, IDB_BT_PANE_LARGE, COXStatusBar::bmpCutLeft));
    {
        CPixelCanvas canvas(client.Width(), client.Height(), kGreen);
        m_bar.DrawBitmapPane(&canvas.dc, paneBitmap, SBPS_NORMAL);
        EXPECT_EQ(inner.Width() * inner.Height(), canvas.Count(kRed));
        EXPECT_EQ(0, canvas.Count(kBlue));
    }
    ASSERT_TRUE(m_bar.SetPaneBitmap(paneBitmap, 0));
    EXPECT_TRUE(m_bar.GetPaneBitmap(paneBitmap) == NULL);
}

TEST_F(StatusBarWindow, DoubleClickTellsTheParentTheFirstPaneUnderThePoint)
{
    const CRect rect = PaneRect(paneCaps);
    m_bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
    CRect client;
    m_bar.GetClientRect(&client);
    m_bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(client.right - 1, client.bottom - 1));
    ASSERT_EQ(1u, m_frame->m_dblClicks.size());
    EXPECT_EQ((WPARAM)ID_INDICATOR_CAPS, m_frame->m_dblClicks[0]);
}

TEST_F(StatusBarWindow, TipsComeFromThePaneOrItsProgressButNotWithTheButtonHeld)
{
    ASSERT_TRUE(m_bar.SetPaneTooltip(paneCaps, "Caps Lock"));
    ASSERT_TRUE(m_bar.SetPaneProgress(paneProgress, 0, TRUE));
    ASSERT_TRUE(m_bar.SetPaneTooltip(paneProgress, "Working"));
    ::GetAsyncKeyState(VK_LBUTTON);   // forget any earlier press

    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    const CRect rectCaps = PaneRect(paneCaps);
    EXPECT_EQ((INT_PTR)ID_INDICATOR_CAPS, m_bar.OnToolHitTest(rectCaps.CenterPoint(), &ti));
    ASSERT_TRUE(ti.lpszText != NULL);
    EXPECT_STREQ("Caps Lock", ti.lpszText);
    EXPECT_EQ(rectCaps, CRect(ti.rect));
    free(ti.lpszText);

    CRect rectProgress = m_bar.GetPaneProgress(paneProgress)->m_rect;
    TOOLINFO tiChild = {};
    tiChild.cbSize = sizeof(tiChild);
    tiChild.uFlags = TTF_CENTERTIP;
    EXPECT_EQ(paneProgress + paneCount, m_bar.OnToolHitTest(rectProgress.CenterPoint(), &tiChild));
    ASSERT_TRUE(tiChild.lpszText != NULL);
    EXPECT_STREQ("Working", tiChild.lpszText);
    EXPECT_EQ(0u, tiChild.uFlags & TTF_CENTERTIP);
    free(tiChild.lpszText);

    // The left button held down (a real press, at the pane).
    CPoint pt = rectCaps.CenterPoint();
    m_bar.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &input, sizeof(input));
    ASSERT_TRUE(PumpUntil([] { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }, 2000))
        << "the press did not arrive";
    TOOLINFO tiHeld = {};
    tiHeld.cbSize = sizeof(tiHeld);
    EXPECT_EQ(-1, m_bar.OnToolHitTest(rectCaps.CenterPoint(), &tiHeld));
    EXPECT_TRUE(tiHeld.lpszText == NULL);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof(input));
    ASSERT_TRUE(PumpUntil([] { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }, 2000));
    m_bar.RemovePaneTooltip(paneCaps);
    EXPECT_STREQ("", m_bar.GetPaneTooltip(paneCaps));
}

TEST_F(StatusBarWindow, PaneCursorIsShownOverItsPane)
{
    EXPECT_FALSE(m_bar.SetPaneCursor(paneBitmap, 18398));
    ASSERT_TRUE(m_bar.SetPaneCursor(paneBitmap, IDC_OX_HAND));
    HCURSOR hHand = m_bar.GetPaneCursor(paneBitmap);
    ASSERT_TRUE(hHand != NULL);
    m_frame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CPoint pt = PaneRect(paneBitmap).CenterPoint();
    m_bar.ClientToScreen(&pt);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (pt.x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = (pt.y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
    EXPECT_TRUE(PumpUntil([&] { return ::GetCursor() == hHand; }, 2000)) << "the pane's cursor did not show";
    ASSERT_TRUE(m_bar.SetPaneCursor(paneBitmap, 0));
    EXPECT_TRUE(m_bar.GetPaneCursor(paneBitmap) == NULL);
}

TEST_F(StatusBarWindow, AnIndexOutsideThePanesIsRefused)
{
    try {
        m_bar.SetPaneTooltip(paneCount, "x");
        ADD_FAILURE() << "no exception";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
}

// ---------------------------------------------------------------------------
// Skins on memory DCs
// ---------------------------------------------------------------------------
TEST(StatusbarSkins, EachSkinMakesItsForm)
{
    COXSkinClassic classic;
    CTestSkinXP xp;
    CTestSkin2003 skin2003(FALSE);
    EXPECT_TRUE(dynamic_cast<COXStatusbarSkinClassic*>(classic.GetStatusbarSkin()) != NULL);
    EXPECT_TRUE(dynamic_cast<COXStatusbarSkinXP*>(xp.GetStatusbarSkin()) != NULL);
    EXPECT_TRUE(dynamic_cast<COXStatusbarSkin2003*>(xp.GetStatusbarSkin()) == NULL);
    EXPECT_TRUE(dynamic_cast<COXStatusbarSkin2003*>(skin2003.GetStatusbarSkin()) != NULL);
}

TEST(StatusbarSkins, StatusColoursPlainAndThemed)
{
    // W (255,255,255), F (212,208,200), shadow (230,128,20), TH (49,106,197)
    CTestSkin2003 plain(FALSE), themed(TRUE);
    auto* pPlain = static_cast<COXStatusbarSkin2003*>(plain.GetStatusbarSkin());
    auto* pThemed = static_cast<COXStatusbarSkin2003*>(themed.GetStatusbarSkin());
    struct Case
    {
        COLORREF got, expected;
        const char* what;
    } cases[] = {
        {pPlain->GetStatusTopColor(), RGB(230, 128, 20), "plain top"},
        {pPlain->GetStatusBackgroundColor(), RGB(233, 231, 227), "plain back"},
        {pPlain->GetStatusBottomColor(), RGB(220, 217, 211), "plain bottom"},
        {pThemed->GetStatusTopColor(), RGB(91, 108, 135), "themed top"},
        {pThemed->GetStatusBackgroundColor(), RGB(172, 195, 231), "themed back"},
        {pThemed->GetStatusBottomColor(), RGB(110, 150, 214), "themed bottom"},
        {static_cast<COXStatusbarSkinXP*>(pPlain)->PaneFrameColor(), RGB(229, 220, 216), "pane frame"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.got) << c.what;
}

TEST(StatusbarSkins, GripGeometry)
{
    EXPECT_EQ(CRect(80, 0, 100, 20), COXStatusbarSkinXP::GripSquare(CRect(0, 0, 100, 20)));
    EXPECT_EQ(CRect(80, 1, 100, 21), COXStatusbarSkinXP::GripSquare(CRect(0, 0, 100, 21)));
    EXPECT_EQ(81, COXStatusbarSkin2003::GripLeft(CRect(0, 0, 100, 20)));
    EXPECT_EQ(79, COXStatusbarSkin2003::GripLeft(CRect(0, 0, 100, 21)));
    const std::vector<CPoint> dots = COXStatusbarSkin2003::GripDots(CRect(0, 0, 100, 20));
    const std::vector<CPoint> expected = {CPoint(96, 7), CPoint(92, 11), CPoint(96, 11),
                                          CPoint(88, 15), CPoint(92, 15), CPoint(96, 15)};
    EXPECT_EQ(expected, dots);
}

// A bar in a sizable frame, painted by the test skins onto a memory DC.
class StatusBarSkinDrawing : public StatusBarWindow
{
protected:
    int CountIn(const CPixelCanvas& canvas, const CRect& rect, COLORREF clr)
    {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                n += canvas.At(x, y) == clr;
        return n;
    }

    void SetCapsLock(BOOL bOn)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CAPITAL] = bOn ? 1 : 0;
        ::SetKeyboardState(keys);
    }

    CTestSkinXP m_xp;
    CTestSkin2003 m_2003{FALSE};
};

TEST_F(StatusBarSkinDrawing, LockKeysAreDrawnInTheTextColourOnlyWhenOn)
{
    CRect client;
    m_bar.GetClientRect(&client);
    const CRect rectCaps = COXStatusbarSkin::PaneRects(&m_bar)[paneCaps];
    const COLORREF clrOn = m_xp.SysColor(COLOR_BTNTEXT), clrOff = m_xp.GetDisabledTextColor();
    BYTE keys[256];
    ::GetKeyboardState(keys);
    for (COXSkinXP* pSkin : {static_cast<COXSkinXP*>(&m_xp), static_cast<COXSkinXP*>(&m_2003)}) {
        for (BOOL bOn : {FALSE, TRUE}) {
            SetCapsLock(bOn);
            CPixelCanvas canvas(client.Width(), client.Height(), kMagenta);
            pSkin->GetStatusbarSkin()->DrawBackground(&canvas.dc, &m_bar);
            EXPECT_GT(CountIn(canvas, rectCaps, bOn ? clrOn : clrOff), 3) << pSkin->GetName() << " on " << bOn;
            EXPECT_EQ(0, CountIn(canvas, rectCaps, bOn ? clrOff : clrOn)) << pSkin->GetName() << " on " << bOn;
            EXPECT_EQ(0, canvas.Count(kMagenta)) << "the whole bar is painted";
        }
    }
    ::SetKeyboardState(keys);
}

// Classic leaves the bar to the control, which shows an indicator's text
// whatever its key: over that, an indicator whose key is off comes out grey,
// one whose key is on stays as the control drew it.
TEST_F(StatusBarSkinDrawing, ClassicGreysALockKeyThatIsOffOverTheControlsText)
{
    COXSkinClassic classic;
    CRect client;
    m_bar.GetClientRect(&client);
    CRect rectCaps;
    m_bar.GetItemRect(paneCaps, &rectCaps);
    const COLORREF clrOn = ::GetSysColor(COLOR_BTNTEXT), clrOff = ::GetSysColor(COLOR_GRAYTEXT);
    ASSERT_NE(clrOn, clrOff);
    BYTE keys[256];
    ::GetKeyboardState(keys);
    for (BOOL bOn : {FALSE, TRUE}) {
        SetCapsLock(bOn);
        CPixelCanvas canvas(client.Width(), client.Height(), kMagenta);
        m_bar.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc.GetSafeHdc(), PRF_CLIENT);
        ASSERT_GT(CountIn(canvas, rectCaps, clrOn), 3) << "the control shows the text itself";
        classic.GetStatusbarSkin()->DrawBackground(&canvas.dc, &m_bar);
        EXPECT_GT(CountIn(canvas, rectCaps, bOn ? clrOn : clrOff), 3) << "on " << bOn;
        EXPECT_EQ(0, CountIn(canvas, rectCaps, bOn ? clrOff : clrOn)) << "on " << bOn;
    }
    ::SetKeyboardState(keys);
}

TEST_F(StatusBarSkinDrawing, BackgroundsAndPaneBorders)
{
    CRect client;
    m_bar.GetClientRect(&client);
    const std::vector<CRect> rects = COXStatusbarSkin::PaneRects(&m_bar);
    auto* pSkin2003 = static_cast<COXStatusbarSkin2003*>(m_2003.GetStatusbarSkin());
    auto* pSkinXP = static_cast<COXStatusbarSkinXP*>(m_xp.GetStatusbarSkin());
    ASSERT_GT(client.Height(), 10);
    {
        CPixelCanvas canvas(client.Width(), client.Height(), kMagenta);
        pSkin2003->DrawBackground(&canvas.dc, &m_bar);
        pSkin2003->DrawPaneBorders(&canvas.dc, &m_bar);
        // The bands: top row the top colour, the middle the background.
        const int x = rects[paneMessage].right - 3;   // clear of the message text
        EXPECT_EQ(pSkin2003->GetStatusTopColor(), canvas.At(x, 0));
        EXPECT_EQ(pSkin2003->GetStatusBackgroundColor(), canvas.At(x, client.Height() / 2));
        // A separator, then its white shadow, at the right edge of a pane.
        const CRect& r = rects[paneProgress];
        EXPECT_EQ(m_2003.GetSeparatorColor(), canvas.At(r.right - 1, r.top + 4));
        EXPECT_EQ(kWhite, canvas.At(r.right, r.top + 4));
        EXPECT_EQ(pSkin2003->GetStatusBackgroundColor(), canvas.At(r.right - 1, r.top + 1));
    }
    {
        CPixelCanvas canvas(client.Width(), client.Height(), kMagenta);
        pSkinXP->DrawBackground(&canvas.dc, &m_bar);
        pSkinXP->DrawPaneBorders(&canvas.dc, &m_bar);
        EXPECT_EQ(m_xp.SysColor(COLOR_BTNFACE), canvas.At(rects[paneMessage].right - 3, client.Height() / 2));
        // Each pane framed, the last reaching its text width + 6.
        const COLORREF clrFrame = pSkinXP->PaneFrameColor();
        for (const CRect& r : rects) {
            EXPECT_EQ(clrFrame, canvas.At(r.left, r.top + 3));
            EXPECT_EQ(clrFrame, canvas.At(r.right - 1, r.top + 3));
        }
    }
}

TEST_F(StatusBarSkinDrawing, GripIsDrawnInASizableFrameAndNotWhenMaximized)
{
    CRect client;
    m_bar.GetClientRect(&client);
    const CRect square = COXStatusbarSkinXP::GripSquare(client);
    auto drawGrips = [&](int& nShadow, int& nDots) {
        CPixelCanvas canvasXP(client.Width(), client.Height(), kMagenta);
        m_xp.GetStatusbarSkin()->DrawSizeGrip(&canvasXP.dc, &m_bar);
        nShadow = CountIn(canvasXP, square, m_xp.SysColor(COLOR_BTNSHADOW));
        CPixelCanvas canvas2003(client.Width(), client.Height(), kMagenta);
        m_2003.GetStatusbarSkin()->DrawSizeGrip(&canvas2003.dc, &m_bar);
        nDots = 0;
        for (const CPoint& pt : COXStatusbarSkin2003::GripDots(client))
            nDots += canvas2003.At(pt.x + 1, pt.y + 1) == m_2003.SysColor(COLOR_WINDOW) &&
                     canvas2003.At(pt.x - 1, pt.y - 1) == m_2003.GetGripperColor();
        return canvasXP.Count(kMagenta) + canvas2003.Count(kMagenta);
    };
    int nShadow = 0, nDots = 0;
    const int nUntouched = drawGrips(nShadow, nDots);
    EXPECT_GT(nShadow, 4);
    EXPECT_EQ(6, nDots);
    EXPECT_LT(nUntouched, 2 * client.Width() * client.Height());

    m_frame->ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return m_frame->IsZoomed() != FALSE; }, 2000));
    m_bar.GetClientRect(&client);
    EXPECT_EQ(2 * client.Width() * client.Height(), drawGrips(nShadow, nDots)) << "nothing drawn maximized";
}

} // namespace
