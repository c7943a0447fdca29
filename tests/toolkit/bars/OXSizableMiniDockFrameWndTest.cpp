// The floating frame of the sizing bars and its skin element: the element's
// geometry and drawing on memory DCs in the XP and 2003 colours, which
// element each skin holds, then real frames floating real bars in a
// size-dock frame: the trimmed system menu, the border fed to the float
// size (by a real drag of the border), the caption press handing the drag
// to the bar, closing (hide, delete on close) and the shared mouse hook,
// floating at a point on either frame, and a floating frame that stays
// above its frame at a click on its caption however its bar came to float;
// last a docked document window's bar floating in one, under real input:
// its close asking the document and bringing the window back, the dock
// item of its system menu, activation.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "OXCoolToolBar.h"
#include "OXDockTabCtrl.h"
#include "MDIDockTestSupport.h"
#include "OXFrameWndDock.h"
#include "OXMiniFrameSkin.h"
#include "OXSizableMiniDockFrameWnd.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"
#include "SkinTestSupport.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// ---------------------------------------------------------------------------
// The element on memory DCs
// ---------------------------------------------------------------------------

// A 120 x 60 frame whose client area starts at (4, 22): the caption runs
// from (3, 3) to (117, 20), the close button is its last 17 x 17 square.
const CSize kWindow(120, 60);
const CPoint kClient(4, 22);

TEST(MiniFrameSkinGeometry, CaptionAndCloseButton)
{
    const CRect rectCaption = COXMiniFrameSkinXP::CaptionRect(kWindow, kClient);
    EXPECT_EQ(CRect(3, 3, 117, 20), rectCaption);
    const CRect rectButton = COXMiniFrameSkinXP::CloseButtonRect(rectCaption);
    EXPECT_EQ(CRect(100, 3, 117, 20), rectButton);
    struct Case
    {
        CPoint pt;
        BOOL bHot;
    } cases[] = {
        {{100, 3}, TRUE},  {{115, 18}, TRUE},  {{116, 10}, FALSE},   // the last column is not the button's
        {{110, 19}, FALSE}, {{99, 10}, FALSE}, {{110, 2}, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bHot, COXMiniFrameSkinXP::CloseButtonHot(rectButton, c.pt)) << c.pt.x << "," << c.pt.y;
}

class MiniFrameSkinPaint : public ::testing::Test
{
protected:
    // Paints the whole non-client area of the test frame into a canvas.
    void Paint(COXSkinXP& skin, LPCTSTR lpszText, BOOL bNoButton, COXMiniFrameSkinXP::ButtonState nState)
    {
        COXMiniFrameSkinXP element(&skin);
        element.PaintNonClient(&m_canvas.dc, kWindow, kClient, lpszText, bNoButton, nState);
    }
    CPixelCanvas m_canvas{kWindow.cx, kWindow.cy, kMagenta};
};

TEST_F(MiniFrameSkinPaint, FlatBorderWithRoundedInnerCornersAndACaptionBand)
{
    CTestSkinXP skin;
    Paint(skin, "", TRUE, COXMiniFrameSkinXP::buttonPlain);
    const COLORREF clrBorder = skin.GetMiniFrameBorderColor(), clrBack = skin.GetMiniFrameBackgroundColor();
    ASSERT_NE(clrBorder, clrBack);
    EXPECT_EQ(RGB(221, 119, 11), clrBorder) << "the shadow darkened by 9";
    struct Case
    {
        int x, y;
        COLORREF clr;
        const char* what;
    } cases[] = {
        {0, 0, clrBorder, "outer border"},
        {1, 30, clrBorder, "outer border, left"},
        {2, 2, clrBorder, "inner corner top left"},
        {117, 2, clrBorder, "inner corner top right"},
        {2, 57, clrBorder, "inner corner bottom left"},
        {117, 57, clrBorder, "inner corner bottom right"},
        {3, 2, clrBack, "beside the corner"},
        {2, 30, clrBack, "inner edge"},
        {60, 21, clrBack, "between caption and client"},
        {10, 10, skin.GetMiniFrameCaptionColor(), "caption band"},
        {116, 19, skin.GetMiniFrameCaptionColor(), "caption band's last pixel"},
        {117, 10, clrBack, "right of the caption"},
        {108, 7, skin.GetMiniFrameCaptionColor(), "no button: no glyph"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.clr, m_canvas.At(c.x, c.y)) << c.what;
}

TEST_F(MiniFrameSkinPaint, CaptionTextInTheCaptionTextColour)
{
    CTestSkinXP skin;
    Paint(skin, "", TRUE, COXMiniFrameSkinXP::buttonPlain);
    const int nWithout = m_canvas.Count(skin.GetMiniFrameCaptionTextColor());
    Paint(skin, "MMMM", TRUE, COXMiniFrameSkinXP::buttonPlain);
    EXPECT_GT(m_canvas.Count(skin.GetMiniFrameCaptionTextColor()), nWithout + 10);
}

TEST_F(MiniFrameSkinPaint, CloseButtonPlainHotAndPressed)
{
    // the button's square starts at (100, 3); its X runs inside (4, 4, 12, 12)
    CTestSkinXP skin;
    struct Case
    {
        COXMiniFrameSkinXP::ButtonState nState;
        COLORREF clrFrame, clrFill, clrGlyph;
        const char* name;
    } cases[] = {
        {COXMiniFrameSkinXP::buttonPlain, skin.GetMiniFrameCaptionColor(), skin.GetMiniFrameCaptionColor(),
         skin.GetMiniFrameCaptionTextColor(), "plain"},
        {COXMiniFrameSkinXP::buttonHot, skin.GetHotItemBorderColor(), skin.GetHotItemColor(),
         skin.SysColor(COLOR_BTNTEXT), "hot"},
        {COXMiniFrameSkinXP::buttonPressed, skin.GetHotItemBorderColor(), skin.GetPressedItemColor(),
         skin.SysColor(COLOR_HIGHLIGHTTEXT), "pressed"},
    };
    for (const Case& c : cases) {
        Paint(skin, "", FALSE, c.nState);
        EXPECT_EQ(c.clrFrame, m_canvas.At(100, 3)) << c.name;
        EXPECT_EQ(c.clrFrame, m_canvas.At(116, 19)) << c.name;
        EXPECT_EQ(c.clrFill, m_canvas.At(101, 4)) << c.name;
        EXPECT_EQ(c.clrFill, m_canvas.At(108, 7)) << c.name << ": between the strokes";
        // both strokes two pixels wide, each reaching its far corner
        for (CPoint pt : {CPoint(104, 7), CPoint(105, 7), CPoint(112, 15), CPoint(113, 15), CPoint(112, 7),
                          CPoint(113, 7), CPoint(104, 15), CPoint(105, 15), CPoint(108, 11)})
            EXPECT_EQ(c.clrGlyph, m_canvas.At(pt.x, pt.y)) << c.name << " glyph at " << pt.x << "," << pt.y;
        EXPECT_EQ(c.clrFill, m_canvas.At(106, 7)) << c.name << ": a stroke is two pixels, not three";
    }
}

TEST_F(MiniFrameSkinPaint, The2003SkinPaintsThroughTheXPElementInItsOwnColours)
{
    CTestSkin2003 skin(TRUE);
    CTestSkinXP xp;
    ASSERT_NE(xp.GetMiniFrameBorderColor(), skin.GetMiniFrameBorderColor());
    Paint(skin, "", FALSE, COXMiniFrameSkinXP::buttonPlain);
    EXPECT_EQ(skin.GetMiniFrameBorderColor(), m_canvas.At(0, 0));
    EXPECT_EQ(skin.GetMiniFrameBackgroundColor(), m_canvas.At(2, 30));
    EXPECT_EQ(skin.GetMiniFrameCaptionColor(), m_canvas.At(10, 10));
}

TEST(MiniFrameSkinElements, EachSkinHoldsItsElement)
{
    COXSkinClassic classic;
    COXSkinXP xp;
    COXSkin2003 office2003;
    EXPECT_TRUE(dynamic_cast<COXMiniFrameSkinClassic*>(classic.GetMiniFrameSkin()) != NULL);
    COXMiniFrameSkinXP* pXP = dynamic_cast<COXMiniFrameSkinXP*>(xp.GetMiniFrameSkin());
    ASSERT_TRUE(pXP != NULL);
    EXPECT_EQ(&xp, pXP->m_pSkin);
    COXMiniFrameSkinXP* p2003 = dynamic_cast<COXMiniFrameSkinXP*>(office2003.GetMiniFrameSkin());
    ASSERT_TRUE(p2003 != NULL);
    EXPECT_EQ(static_cast<COXSkinXP*>(&office2003), p2003->m_pSkin);
    LOGFONT lf;
    ASSERT_TRUE(pXP->m_fontCaption.GetLogFont(&lf));
    EXPECT_STREQ("Tahoma", lf.lfFaceName);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
}

// ---------------------------------------------------------------------------
// Real floating frames
// ---------------------------------------------------------------------------

const UINT kBarId = 29480;

class CCountedSizeBar : public COXSizeControlBar
{
public:
    explicit CCountedSizeBar(DWORD dwStyle, int* pnDeleted = NULL) : COXSizeControlBar(dwStyle), m_pnDeleted(pnDeleted)
    {
    }
    ~CCountedSizeBar() override
    {
        if (m_pnDeleted != NULL)
            ++*m_pnDeleted;
    }
    int* m_pnDeleted;
};

std::vector<CString> MenuTexts(CMenu* pMenu)
{
    std::vector<CString> texts;
    for (int i = 0; i < (int)pMenu->GetMenuItemCount(); ++i) {
        CString str;
        pMenu->GetMenuString(i, str, MF_BYPOSITION);
        texts.push_back(pMenu->GetMenuItemID(i) == 0 ? CString("-") : str);
    }
    return texts;
}

class FloatingFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new COXFrameWndSizeDock;
        ASSERT_TRUE(m_pFrame->Create(NULL, "Floating frames", WS_OVERLAPPEDWINDOW, CRect(30, 30, 730, 530)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->UpdateWindow();
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = m_pOldMain;
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        for (CControlBar* p : m_owned)
            delete p;
    }
    // Creates the bar in the frame and floats it as the size-dock frames do.
    COXSizableMiniDockFrameWnd* Float(COXSizeControlBar* pBar, LPCTSTR lpszName, UINT nID = kBarId)
    {
        EXPECT_TRUE(pBar->Create(m_pFrame, lpszName, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 200, 120)));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->FloatControlBarNotify(pBar, CPoint(200, 200), CBRS_ALIGN_TOP);
        PumpPending();
        return DYNAMIC_DOWNCAST(COXSizableMiniDockFrameWnd, pBar->GetParentFrame());
    }
    COXSizeControlBar* OwnedBar(DWORD dwStyle = 0)
    {
        COXSizeControlBar* pBar = new COXSizeControlBar(dwStyle);
        m_owned.push_back(pBar);
        return pBar;
    }

    COXFrameWndSizeDock* m_pFrame = NULL;
    CWnd* m_pOldMain = NULL;
    std::vector<CControlBar*> m_owned;
};

// Floating a bar at a point, on either frame: a bar floating alone in a
// floating dock bar that allows every edge asked for only moves; otherwise
// a new floating frame at the point (a bar that sizes itself as a row), not
// activated, shown only when the bar is visible.
template <class TFrame>
void CheckFloatControlBarAt(TFrame* pFrame)
{
    COXSizeControlBar bar(0), hidden(0);
    ASSERT_TRUE(bar.Create(pFrame, "Basket", kBarId, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 200, 120)));
    ASSERT_TRUE(hidden.Create(pFrame, "History", kBarId + 1, WS_CHILD | CBRS_TOP, CRect(0, 0, 200, 120)));
    for (COXSizeControlBar* p : {&bar, &hidden}) {
        p->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBar(p, AFX_IDW_DOCKBAR_TOP);
    }
    pFrame->RecalcLayout(TRUE);
    PumpPending();
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    const HWND hWndForeground = ::GetForegroundWindow();
    auto floatAt = [&](COXSizeControlBar& b, CPoint pt, DWORD dwStyle) {
        pFrame->FloatControlBarAt(&b, pt, dwStyle);
        CFrameWnd* pFloat = b.GetParentFrame();
        EXPECT_TRUE(b.IsFloating());
        EXPECT_TRUE(pFloat != NULL && pFloat != pFrame);
        return DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pFloat);
    };
    auto topLeft = [](CWnd* pWnd) {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return rect.TopLeft();
    };

    const CPoint pt1 = rectFrame.TopLeft() + CPoint(120, 140), pt2 = pt1 + CPoint(40, 30);
    CMiniDockFrameWnd* pFirst = floatAt(bar, pt1, CBRS_ALIGN_TOP);
    ASSERT_TRUE(pFirst != NULL);
    const HWND hWndFirst = pFirst->m_hWnd;
    EXPECT_EQ(pt1, topLeft(pFirst));
    EXPECT_TRUE(pFirst->IsWindowVisible());
    EXPECT_EQ(hWndForeground, ::GetForegroundWindow()) << "the floating frame took the activation";
    EXPECT_EQ(bar.m_hWnd, pFirst->m_hWndOwner);
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, pFirst->m_wndDockBar.m_dwStyle & CBRS_ALIGN_ANY);

    // alone in a dock bar that allows the edge: the frame only moves
    EXPECT_EQ(hWndFirst, floatAt(bar, pt2, CBRS_ALIGN_TOP)->m_hWnd);
    EXPECT_EQ(pt2, topLeft(pFirst));
    // an edge the dock bar does not allow: a new frame, the old one goes
    CMiniDockFrameWnd* pLeft = floatAt(bar, pt1, CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT);
    EXPECT_NE(hWndFirst, pLeft->m_hWnd);
    EXPECT_FALSE(::IsWindow(hWndFirst));
    EXPECT_EQ(pt1, topLeft(pLeft));
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, pLeft->m_wndDockBar.m_dwStyle & CBRS_ALIGN_ANY);
    // a bar that sizes itself floats as a row from a side edge too
    bar.m_dwStyle |= CBRS_SIZE_DYNAMIC;
    CMiniDockFrameWnd* pDynamic = floatAt(bar, pt2, CBRS_ALIGN_RIGHT);
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, pDynamic->m_wndDockBar.m_dwStyle & CBRS_ALIGN_ANY);
    bar.m_dwStyle &= ~CBRS_SIZE_DYNAMIC;
    // a hidden bar's frame is made but not shown
    CMiniDockFrameWnd* pHidden = floatAt(hidden, pt1, CBRS_ALIGN_TOP);
    EXPECT_FALSE(pHidden->IsWindowVisible());
    EXPECT_EQ(pt1, topLeft(pHidden));

    bar.DestroyWindow();
    hidden.DestroyWindow();
    PumpPending();
}

TEST_F(FloatingFrame, FloatControlBarAtMovesALoneFloatingBarOrMakesANewFrame)
{
    CheckFloatControlBarAt(m_pFrame);
}

class FloatAtMDIFrame : public SizeDockMDITest
{
};

TEST_F(FloatAtMDIFrame, FloatControlBarAtMovesALoneFloatingBarOrMakesANewFrame)
{
    CheckFloatControlBarAt(m_pFrame);
}

TEST_F(FloatingFrame, ASizingBarsFrameKeepsCloseAndMoveAndCloseReadsHideUnlessTheBarGoesOnClose)
{
    struct Case
    {
        DWORD dwStyle;
        const char* lpszClose;
    } cases[] = {{0, "&Hide"}, {SZBAR_DELETEONCLOSE, NULL}};
    for (const Case& c : cases) {
        COXSizableMiniDockFrameWnd* pFloat = Float(OwnedBar(c.dwStyle), "Sizing", kBarId + (UINT)c.dwStyle);
        ASSERT_TRUE(pFloat != NULL) << "a sizing bar floats in the sizable frame";
        EXPECT_EQ(2, pFloat->m_nFrameKind) << "decided when the bar was told it floats";
        EXPECT_TRUE(pFloat->GetStyle() & WS_THICKFRAME);
        EXPECT_FALSE(pFloat->GetStyle() & (MFS_MOVEFRAME | MFS_4THICKFRAME));
        CMenu* pMenu = pFloat->GetSystemMenu(FALSE);
        ASSERT_TRUE(pMenu != NULL);
        for (UINT nGone : {SC_MAXIMIZE, SC_MINIMIZE, SC_RESTORE, SC_TASKLIST})
            EXPECT_EQ((UINT)-1, pMenu->GetMenuState(nGone, MF_BYCOMMAND)) << std::hex << nGone;
        for (const CString& str : MenuTexts(pMenu))
            EXPECT_NE(CString("-"), str) << "no separators";
        EXPECT_NE((UINT)-1, pMenu->GetMenuState(SC_MOVE, MF_BYCOMMAND));
        CString strClose;
        ASSERT_GT(pMenu->GetMenuString(SC_CLOSE, strClose, MF_BYCOMMAND), 0);
        if (c.lpszClose != NULL)
            EXPECT_EQ(CString(c.lpszClose), strClose);
        else
            EXPECT_NE(CString("&Hide"), strClose);
    }
}

TEST_F(FloatingFrame, AToolBarOfFixedSizeIsMovedByItsBorderADynamicOneSizedBySides)
{
    struct Case
    {
        DWORD dwBarStyle;
        DWORD dwWanted, dwUnwanted;
    } cases[] = {
        {0, MFS_MOVEFRAME, WS_THICKFRAME},
        {CBRS_SIZE_DYNAMIC, MFS_4THICKFRAME | WS_THICKFRAME, MFS_MOVEFRAME},
    };
    UINT nID = 29490;
    for (const Case& c : cases) {
        CToolBar* pBar = new CToolBar;
        m_owned.push_back(pBar);
        ASSERT_TRUE(pBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | c.dwBarStyle, nID++));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->FloatControlBar(pBar, CPoint(300, 300), CBRS_ALIGN_TOP);
        COXSizableMiniDockFrameWnd* pFloat = DYNAMIC_DOWNCAST(COXSizableMiniDockFrameWnd, pBar->GetParentFrame());
        ASSERT_TRUE(pFloat != NULL);
        EXPECT_EQ(1, pFloat->GetFrameKind());
        EXPECT_EQ(c.dwWanted, pFloat->GetStyle() & c.dwWanted);
        EXPECT_EQ(0u, pFloat->GetStyle() & c.dwUnwanted);
        EXPECT_EQ(1, pFloat->GetFrameKind()) << "decided once";
    }
}

TEST_F(FloatingFrame, SizingTheFrameFeedsTheBarsFloatSize)
{
    COXSizeControlBar* pBar = OwnedBar();
    COXSizableMiniDockFrameWnd* pFloat = Float(pBar, "Sized");
    ASSERT_TRUE(pFloat != NULL);
    const DWORD dwBorders = pBar->m_dwStyle & CBRS_BORDER_ANY;
    CRect rectWindow;
    pFloat->GetWindowRect(&rectWindow);
    pFloat->SetWindowPos(NULL, 0, 0, rectWindow.Width() + 40, rectWindow.Height() + 30,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectClient;
    pFloat->GetClientRect(&rectClient);
    CRect rectExpected = rectClient;
    COXSizableMiniDockFrameWnd::InflateByBarBorders(rectExpected, dwBorders);
    EXPECT_EQ(rectExpected.Size(), pBar->m_FloatSize);

    // a size of nothing at all is not taken
    const CSize sizeBefore = pBar->m_FloatSize;
    pFloat->SendMessage(WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_EQ(sizeBefore, pBar->m_FloatSize);
}

TEST_F(FloatingFrame, DraggingTheRightBorderWithTheMouseWidensTheBar)
{
    COXSizeControlBar* pBar = OwnedBar();
    COXSizableMiniDockFrameWnd* pFloat = Float(pBar, "Border");
    ASSERT_TRUE(pFloat != NULL);
    pFloat->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpPending();
    CRect rectWindow;
    pFloat->GetWindowRect(&rectWindow);
    const CPoint ptBorder(rectWindow.right - 2, rectWindow.CenterPoint().y);
    ASSERT_EQ(HTRIGHT, (int)pFloat->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptBorder.x, ptBorder.y)));
    const int cxBefore = pBar->m_FloatSize.cx;
    auto mouse = [](CPoint pt, DWORD dwFlags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        ::SendInput(1, &input, sizeof(input));
    };
    ASSERT_TRUE(PlaceCursor(ptBorder));
    mouse(ptBorder, MOUSEEVENTF_LEFTDOWN);
    mouse(ptBorder + CSize(30, 0), 0);
    mouse(ptBorder + CSize(60, 0), 0);
    mouse(ptBorder + CSize(60, 0), MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return pBar->m_FloatSize.cx >= cxBefore + 50; }, kWaitMs))
        << "float width " << pBar->m_FloatSize.cx << ", was " << cxBefore;
    PumpUntil([] { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }, kWaitMs);
    CRect rectClient;
    pFloat->GetClientRect(&rectClient);
    CRect rectExpected = rectClient;
    COXSizableMiniDockFrameWnd::InflateByBarBorders(rectExpected, pBar->m_dwStyle);
    EXPECT_EQ(rectExpected.Size(), pBar->m_FloatSize);
}

TEST_F(FloatingFrame, FloatingRectanglesConvertBothWays)
{
    COXSizableMiniDockFrameWnd* pFloat = Float(OwnedBar(), "Insets");
    ASSERT_TRUE(pFloat != NULL);
    CRect rectWindow, rectClient;
    pFloat->GetWindowRect(&rectWindow);
    pFloat->GetClientRect(&rectClient);
    pFloat->ClientToScreen(&rectClient);
    CRect rect = rectWindow;
    ASSERT_TRUE(COXSizableMiniDockFrameWnd::IsMouseHookInstalled());
    COXSizableMiniDockFrameWnd::AdjustFloatingRect(rect, TRUE);
    EXPECT_TRUE(COXSizableMiniDockFrameWnd::IsMouseHookInstalled()) << "measuring must not take the frames' hook";
    rectClient.InflateRect(afxData.cxBorder2, afxData.cyBorder2);
    EXPECT_EQ(rectClient, rect) << "the client area with the bar's borders";
    COXSizableMiniDockFrameWnd::AdjustFloatingRect(rect, FALSE);
    EXPECT_EQ(rectWindow, rect);
}

TEST_F(FloatingFrame, ACaptionPressStartsTheBarsOwnDragWhenTheMainWindowAsks)
{
    COXSizeControlBar* pBar = OwnedBar();
    COXSizableMiniDockFrameWnd* pFloat = Float(pBar, "Drag");
    ASSERT_TRUE(pFloat != NULL);
    CRect rectWindow;
    pFloat->GetWindowRect(&rectWindow);
    const CPoint pt(rectWindow.left + 30, rectWindow.top + 8);

    m_pFrame->SetOwnBarDrag(TRUE);
    pFloat->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    ASSERT_TRUE(pBar->m_bTracking);
    EXPECT_EQ(pBar->m_hWnd, ::GetCapture());
    // the frame stays under the cursor where it was pressed
    EXPECT_EQ(pt.y - rectWindow.top, pBar->m_ptDragOffset.y);
    pBar->SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(pBar->m_bTracking);
    EXPECT_NE(pBar->m_hWnd, ::GetCapture());
}

TEST_F(FloatingFrame, ACaptionPressDragsAFloatingCoolToolBarByItsOwnLoop)
{
    COXCoolToolBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 29496));
    const UINT ids[] = {101, 102};
    ASSERT_TRUE(bar.SetButtons(ids, 2));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->FloatControlBar(&bar, CPoint(260, 260), CBRS_ALIGN_TOP);
    COXSizableMiniDockFrameWnd* pFloat = DYNAMIC_DOWNCAST(COXSizableMiniDockFrameWnd, bar.GetParentFrame());
    ASSERT_TRUE(pFloat != NULL);
    CRect rectWindow;
    pFloat->GetWindowRect(&rectWindow);
    const CPoint pt(rectWindow.left + 12, rectWindow.top + 7);
    m_pFrame->SetOwnBarDrag(TRUE);
    pFloat->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(bar.m_bDragging);
    EXPECT_EQ(bar.m_hWnd, ::GetCapture());
    bar.SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(bar.m_bDragging);
    bar.DestroyWindow();
}

TEST_F(FloatingFrame, CloseHidesTheBarAndTheFrameClosesAgainNextTime)
{
    COXSizeControlBar* pBar = OwnedBar();
    COXSizableMiniDockFrameWnd* pFloat = Float(pBar, "Close");
    ASSERT_TRUE(pFloat != NULL);
    // a release on the close button closes through the system command
    pFloat->SendMessage(WM_NCLBUTTONUP, HTCLOSE, 0);
    PumpPending();
    EXPECT_FALSE(pBar->IsVisible());
    EXPECT_FALSE(pFloat->m_bClosing);
    m_pFrame->ShowControlBar(pBar, TRUE, FALSE);
    PumpPending();
    ASSERT_TRUE(pBar->IsVisible());
    pFloat->SendMessage(WM_CLOSE);
    EXPECT_FALSE(pBar->IsVisible()) << "the second close is not swallowed";
}

TEST_F(FloatingFrame, ABarDestroyedOnCloseGoesWithItsFrame)
{
    int nDeleted = 0;
    CCountedSizeBar* pBar = new CCountedSizeBar(SZBAR_DELETEONCLOSE, &nDeleted);
    COXSizableMiniDockFrameWnd* pFloat = Float(pBar, "Gone");
    ASSERT_TRUE(pFloat != NULL);
    const HWND hWndFloat = pFloat->m_hWnd, hWndBar = pBar->m_hWnd;
    pFloat->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hWndFloat));
    EXPECT_FALSE(::IsWindow(hWndBar));
    EXPECT_EQ(1, nDeleted);
    EXPECT_TRUE(m_pFrame->GetControlBar(kBarId) == NULL);
}

TEST_F(FloatingFrame, TheSharedMouseHookGoesWithTheFirstFrameDestroyed)
{
    COXSizableMiniDockFrameWnd* pFirst = Float(OwnedBar(), "One", kBarId);
    COXSizableMiniDockFrameWnd* pSecond = Float(OwnedBar(), "Two", kBarId + 1);
    ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
    ASSERT_NE(pFirst, pSecond);
    EXPECT_TRUE(COXSizableMiniDockFrameWnd::IsMouseHookInstalled());
    pFirst->DestroyWindow();
    EXPECT_FALSE(COXSizableMiniDockFrameWnd::IsMouseHookInstalled());
    EXPECT_TRUE(::IsWindow(pSecond->m_hWnd));
}

// A drag measures the floating frame it would make with a frame made for it:
// that frame going must not take the floating frames' shared hook along.
TEST_F(FloatingFrame, ADragLeavesTheFloatingFramesMouseHookInPlace)
{
    ASSERT_TRUE(Float(OwnedBar(), "Floating") != NULL);
    ASSERT_TRUE(COXSizableMiniDockFrameWnd::IsMouseHookInstalled());
    COXSizeControlBar* pDocked = OwnedBar();
    ASSERT_TRUE(pDocked->Create(m_pFrame, "Docked", kBarId + 1, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                CRect(0, 0, 200, 120)));
    pDocked->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pDocked, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout(TRUE);
    PumpPending();
    ASSERT_TRUE(pDocked->m_pDockContext != NULL);
    CRect rect;
    pDocked->GetWindowRect(&rect);
    pDocked->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);   // the drag starts and is cancelled
    pDocked->m_pDockContext->StartDrag(rect.TopLeft() + CPoint(20, 5));
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_TRUE(COXSizableMiniDockFrameWnd::IsMouseHookInstalled());
}

// hWnd lies above hWndBelow in the z-order of top-level windows.
bool IsAbove(HWND hWnd, HWND hWndBelow)
{
    for (HWND h = ::GetWindow(hWnd, GW_HWNDNEXT); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (h == hWndBelow)
            return true;
    return false;
}

void LeftClick(CPoint pt)
{
    INPUT input[2] = {};
    for (INPUT& in : input) {
        in.type = INPUT_MOUSE;
        in.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(2, input, sizeof(INPUT));
}

// A frame owned by another window (as the gallery's pages are owned by the
// gallery) and made the program's main window while it is open, with two
// sizing bars stacked as tabs at its right edge. However a bar comes to
// float, a click on its floating frame's caption keeps that frame above the
// frame it belongs to, or the next click of a double click would land in
// the frame under it and the bar would never dock back.
class FloatingFrameOrder : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        CWinApp* pApp = AfxGetApp();
        m_pOldMain = pApp->m_pMainWnd;
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(10, 10, 300, 400), NULL, 0));
        m_pFrame = new COXFrameWndSizeDock;
        ASSERT_TRUE(m_pFrame->Create(NULL, "Owned frame", WS_OVERLAPPEDWINDOW, CRect(320, 10, 1020, 560), &m_owner));
        pApp->m_pMainWnd = m_pFrame;
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->UpdateWindow();
        const LPCTSTR names[2] = {"Basket", "History"};
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(m_bars[i].Create(m_pFrame, names[i], kBarId + i, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                         CRect(0, 0, 200, 120)));
            m_bars[i].EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame->DockControlBar(&m_bars[i], AFX_IDW_DOCKBAR_RIGHT);
        }
        m_pFrame->RecalcLayout(TRUE);
        PumpPending();
        COXSizeDockBar* pRight = DYNAMIC_DOWNCAST(COXSizeDockBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT));
        ASSERT_TRUE(pRight != NULL);
        ASSERT_EQ(1, pRight->m_wndTabContainer.InsertBar(&m_bars[1], 1, TRUE));
        m_pFrame->RecalcLayout(TRUE);
        m_pFrame->SetForegroundWindow();
        PumpPending();
    }
    void TearDown() override
    {
        if (::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        AfxGetApp()->m_pMainWnd = m_pOldMain;
        m_owner.DestroyWindow();
        PumpPending();
    }
    // Over the frame, away from its dock bars.
    CPoint FloatPoint()
    {
        CRect rect;
        m_pFrame->GetClientRect(&rect);
        m_pFrame->ClientToScreen(&rect);
        return CPoint(rect.left + 100, rect.CenterPoint().y);
    }
    // Floats the shown bar of the stack the way the test names.
    void FloatTheShownBar(const CString& strPath)
    {
        COXSizeControlBar& bar = m_bars[1];
        CRect rectBar;
        bar.GetWindowRect(&rectBar);
        const CPoint ptCaption(rectBar.left + 30, rectBar.top + 6);
        CPoint ptEnd = FloatPoint();
        if (strPath == "FloatControlBar") {
            m_pFrame->FloatControlBar(&bar, ptEnd, CBRS_ALIGN_TOP);
        } else if (strPath == "FloatControlBarAt") {
            m_pFrame->FloatControlBarAt(&bar, ptEnd, CBRS_ALIGN_TOP);
        } else if (strPath == "DoubleClickInTheStack") {
            bar.m_pDockContext->m_ptMRUFloatPos = ptEnd;
            bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 6));
        } else if (strPath == "DragThroughTheContext") {
            bar.ScreenToClient(&ptEnd);
            bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptEnd.x, ptEnd.y));
            bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptEnd.x, ptEnd.y));
            bar.m_pDockContext->StartDrag(ptCaption);
        } else if (strPath == "OwnDragOfItsTab") {
            // a tab pressed and dragged out, released away from the edges
            m_pFrame->SetOwnBarDrag(TRUE);
            COXDockTabCtrl* pTabs = bar.GetTabContainer();
            ASSERT_TRUE(pTabs != NULL);
            CRect rectTab;
            pTabs->GetItemRect(pTabs->FindBar(&bar), &rectTab);
            const CPoint pt = rectTab.CenterPoint();
            pTabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            pTabs->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 10, pt.y));
            ASSERT_TRUE(bar.m_bTracking);
            bar.ScreenToClient(&ptEnd);
            bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptEnd.x, ptEnd.y));
            bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptEnd.x, ptEnd.y));
        } else {
            FAIL() << "no such path";
        }
        PumpPending();
    }
    // Floats the shown bar the way the test's parameter names and puts the
    // cursor on its floating frame's caption.
    void FloatTheShownBarToItsCaption(CFrameWnd*& pFloat, CPoint& ptCaption)
    {
        FloatTheShownBar(GetParam());
        ASSERT_TRUE(m_bars[1].IsFloating());
        pFloat = m_bars[1].GetParentFrame();
        ASSERT_TRUE(pFloat != NULL && pFloat != m_pFrame);
        CRect rectFloat;
        pFloat->GetWindowRect(&rectFloat);
        ptCaption = CPoint(rectFloat.left + 20, rectFloat.top + ::GetSystemMetrics(SM_CYSMCAPTION) / 2 + 3);
        ASSERT_TRUE(PlaceCursor(ptCaption));
    }
    // A real click, handled to the button's release and what it set going.
    static void ClickAndLetGo(CPoint pt)
    {
        LeftClick(pt);
        PumpUntil([] { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }, kWaitMs);
        PumpPending();
    }

    CWnd m_owner;
    COXFrameWndSizeDock* m_pFrame = NULL;
    COXSizeControlBar m_bars[2] = {COXSizeControlBar(0), COXSizeControlBar(0)};
    CWnd* m_pOldMain = NULL;
};

TEST_P(FloatingFrameOrder, AClickOnTheCaptionOfAFloatingBarLeavesItAboveItsFrame)
{
    CFrameWnd* pFloat = NULL;
    CPoint ptCaption;
    FloatTheShownBarToItsCaption(pFloat, ptCaption);
    if (HasFatalFailure())
        return;
    EXPECT_TRUE(IsAbove(pFloat->m_hWnd, m_pFrame->m_hWnd)) << "floated under its frame";
    ClickAndLetGo(ptCaption);
    EXPECT_TRUE(IsAbove(pFloat->m_hWnd, m_pFrame->m_hWnd)) << "a click on its caption put it under its frame";
}

// The user's double click: two clicks on the caption, the second one sent
// once the first has been handled, as a hand gives it, so that it goes to
// whatever window is then under the cursor.
TEST_P(FloatingFrameOrder, ADoubleClickOnTheCaptionOfAFloatingBarDocksItBackInView)
{
    CFrameWnd* pFloat = NULL;
    CPoint ptCaption;
    FloatTheShownBarToItsCaption(pFloat, ptCaption);
    if (HasFatalFailure())
        return;
    COXSizeControlBar& bar = m_bars[1];
    for (int nClick = 0; nClick < 2; ++nClick) {
        ClickAndLetGo(ptCaption);
    }
    PumpUntil([&bar] { return !bar.IsFloating(); }, kWaitMs);
    ASSERT_FALSE(bar.IsFloating()) << "the double click left the bar floating";
    EXPECT_EQ(m_pFrame, bar.GetParentFrame());
    EXPECT_TRUE(bar.IsWindowVisible()) << "docked back unseen";
    CRect rectBar;
    bar.GetWindowRect(&rectBar);
    EXPECT_GT(rectBar.Width(), 0);
    EXPECT_GT(rectBar.Height(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryWayToFloat, FloatingFrameOrder,
                         ::testing::Values("FloatControlBar", "FloatControlBarAt", "DoubleClickInTheStack",
                                           "DragThroughTheContext", "OwnDragOfItsTab"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

// A flat tool bar that notes the flat style each layout saw.
class CFlatWatchToolBar : public COXCoolToolBar
{
public:
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override
    {
        m_seen.push_back((GetStyle() & TBSTYLE_FLAT) != 0);
        return COXCoolToolBar::CalcDynamicLayout(nLength, dwMode);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        m_seen.push_back((GetStyle() & TBSTYLE_FLAT) != 0);
        return COXCoolToolBar::CalcFixedLayout(bStretch, bHorz);
    }
    std::vector<BOOL> m_seen;
};

TEST_F(FloatingFrame, LoadingTheLayoutLaysFlatToolBarsOutWithoutTheirFlatStyle)
{
    const char* kSection = "MiniFrameFlatTest";
    CFlatWatchToolBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 29495));
    bar.ModifyStyle(0, TBSTYLE_FLAT);
    const UINT ids[] = {101, 102};
    ASSERT_TRUE(bar.SetButtons(ids, 2));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->FloatControlBar(&bar, CPoint(250, 250), CBRS_ALIGN_TOP);
    m_pFrame->SaveSizeBarState(kSection);
    bar.m_seen.clear();
    m_pFrame->LoadSizeBarState(kSection);
    EXPECT_TRUE(bar.GetStyle() & TBSTYLE_FLAT) << "the style comes back";
    EXPECT_NE(bar.m_seen.end(), std::find(bar.m_seen.begin(), bar.m_seen.end(), FALSE))
        << "no layout of the restore saw the bar without its flat style";
    AfxGetApp()->WriteProfileInt(kSection, "Version", 0);
    m_pFrame->LoadSizeBarState(kSection);   // deletes the section
    bar.DestroyWindow();
}

TEST_F(FloatingFrame, XPPaintsTheFramesBorderAndCaptionAndItsCloseButtonTurnsHotUnderTheCursor)
{
    COXSizableMiniDockFrameWnd* pFloat = Float(OwnedBar(), "Hot");
    ASSERT_TRUE(pFloat != NULL);
    pFloat->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpPending();
    CTestSkinXP skin;
    COXMiniFrameSkinXP element(&skin);
    CRect rectWindow;
    pFloat->GetWindowRect(&rectWindow);
    CPoint ptClient(0, 0);
    pFloat->ClientToScreen(&ptClient);
    ptClient -= rectWindow.TopLeft();
    const CRect rectButton =
        COXMiniFrameSkinXP::CloseButtonRect(COXMiniFrameSkinXP::CaptionRect(rectWindow.Size(), ptClient));
    ASSERT_FALSE(rectButton.IsRectEmpty());
    auto fillAt = [&] {
        CWindowDC dc(pFloat);
        return dc.GetPixel(rectButton.left + 1, rectButton.top + 1);
    };
    ASSERT_TRUE(PlaceCursor(rectWindow.TopLeft() + rectButton.CenterPoint()));
    EXPECT_TRUE(element.DrawCaptionButtons(pFloat));
    EXPECT_EQ(skin.GetHotItemColor(), fillAt());
    ASSERT_TRUE(PlaceCursor(CPoint(rectWindow.left - 20, rectWindow.bottom + 20)));
    EXPECT_TRUE(element.DrawCaptionButtons(pFloat));
    EXPECT_EQ(skin.GetMiniFrameCaptionColor(), fillAt());

    // the whole non-client area, and nothing of the client area
    CWindowDC dcClient(pFloat);
    const CPoint ptInside = ptClient + CSize(3, 3);
    dcClient.SetPixel(ptInside.x, ptInside.y, kMagenta);
    element.OnNcPaint(pFloat);
    CWindowDC dc(pFloat);
    EXPECT_EQ(skin.GetMiniFrameBorderColor(), dc.GetPixel(0, 0));
    EXPECT_EQ(skin.GetMiniFrameBorderColor(), dc.GetPixel(rectWindow.Width() - 1, rectWindow.Height() - 1));
    EXPECT_EQ(skin.GetMiniFrameCaptionColor(), dc.GetPixel(5, ptClient.y - 3));
    EXPECT_EQ(skin.GetMiniFrameBackgroundColor(), dc.GetPixel(5, ptClient.y - 1));
    EXPECT_EQ(kMagenta, dc.GetPixel(ptInside.x, ptInside.y)) << "the client area is left alone";
}

// A Classic element that counts the caption button updates it is asked for.
class CCountingMiniFrameSkin : public COXMiniFrameSkinClassic
{
public:
    BOOL DrawCaptionButtons(CMiniFrameWnd* pFrame) override
    {
        ++m_nUpdates;
        return COXMiniFrameSkinClassic::DrawCaptionButtons(pFrame);
    }
    int m_nUpdates = 0;
};

TEST_F(FloatingFrame, MovingTheMouseToAnotherFrameUpdatesTheButtonsOfTheFirst)
{
    COXSizableMiniDockFrameWnd* pFirst = Float(OwnedBar(), "One", kBarId);
    COXSizableMiniDockFrameWnd* pSecond = Float(OwnedBar(), "Two", kBarId + 1);
    ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
    pFirst->SetWindowPos(&CWnd::wndTopMost, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    pSecond->SetWindowPos(&CWnd::wndTopMost, 400, 100, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    PumpPending();
    CCountingMiniFrameSkin* pSkin = new CCountingMiniFrameSkin;
    delete pFirst->m_pDefaultSkin;
    pFirst->m_pDefaultSkin = pSkin;   // the frame deletes it
    auto moveTo = [](CPoint pt) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        ::SendInput(1, &input, sizeof(input));
    };
    CRect rectFirst, rectSecond;
    pFirst->GetWindowRect(&rectFirst);
    pSecond->GetWindowRect(&rectSecond);
    // over the first frame's caption: its own caption moves draw its buttons
    moveTo(CPoint(rectFirst.left + 20, rectFirst.top + 8));
    ASSERT_TRUE(PumpUntil([&] { return pSkin->m_nUpdates > 0; }, kWaitMs)) << "no move reached the first frame";
    PumpPending();
    const int nBefore = pSkin->m_nUpdates;
    moveTo(CPoint(rectSecond.left + 20, rectSecond.top + 8));
    EXPECT_TRUE(PumpUntil([&] { return pSkin->m_nUpdates > nBefore; }, kWaitMs))
        << "leaving the first frame must turn its buttons cold";
}

void SendMouse(CPoint pt, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof(input));
}

TEST_F(FloatingFrame, ARightClickOnTheCaptionShowsTheTrimmedMenu)
{
    COXSizeControlBar* pBar = OwnedBar();
    COXSizableMiniDockFrameWnd* pFloat = Float(pBar, "Menu");
    ASSERT_TRUE(pFloat != NULL);
    pFloat->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpPending();
    CRect rectWindow;
    pFloat->GetWindowRect(&rectWindow);
    const CPoint pt(rectWindow.left + 20, rectWindow.top + 8);
    ASSERT_EQ(HTCAPTION, (int)pFloat->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
    std::vector<CString> texts;
    CMenuWatch watch([&](HWND) {
        texts = MenuTexts(pFloat->GetSystemMenu(FALSE));
        ::EndMenu();
    });
    ASSERT_TRUE(PlaceCursor(pt));
    SendMouse(pt, MOUSEEVENTF_RIGHTDOWN);
    EXPECT_TRUE(PumpUntil([&] { return watch.Acted(); }, kWaitMs)) << "the system menu never showed";
    SendMouse(pt, MOUSEEVENTF_RIGHTUP);
    PumpUntil([] { return (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) == 0; }, kWaitMs);
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), CString("&Hide")));
    for (const CString& str : texts)
        EXPECT_NE(CString("-"), str);
    EXPECT_TRUE(pBar->IsVisible()) << "nothing chosen, nothing done";
}

// ---------------------------------------------------------------------------
// A docked document window's bar floating in the frame
// ---------------------------------------------------------------------------

class FloatingViewBar : public SizeDockMDITest
{
protected:
    // "Other" and "Report.kwl", the latter docked and its bar floated in a
    // frame on top of everything, for real input.
    void SetUp() override
    {
        SizeDockMDITest::SetUp();
        m_pOther = AddChild("Other");
        m_pChild = AddChild("Report.kwl");
        m_pView = m_pChild->GetActiveView();
        ASSERT_TRUE(m_pView != NULL);
        ASSERT_TRUE(m_pChild->SetDocked(TRUE));
        m_pFrame->FloatControlBar(Bar(), WindowRectOf(m_pFrame).TopLeft() + CPoint(300, 200));
        PumpPending();
        m_pFloat = DYNAMIC_DOWNCAST(COXSizableMiniDockFrameWnd, Bar()->GetParentFrame());
        ASSERT_TRUE(m_pFloat != NULL) << "a view bar floats in the sizable frame";
        ASSERT_EQ(Bar(), m_pFloat->GetViewBar());
        ASSERT_EQ(Bar()->m_hWnd, ::GetParent(m_pView->m_hWnd)) << "floating, the view sits in the bar itself";
        m_pFloat->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        PumpPending();
    }
    COXSizeViewBar* Bar() { return &m_pChild->m_wndViewBar; }
    // The first point of the caption's middle row, from the right, whose hit
    // code is nHit.
    CPoint CaptionPoint(UINT nHit)
    {
        const CRect rectWindow = WindowRectOf(m_pFloat);
        CPoint ptClient(0, 0);
        m_pFloat->ClientToScreen(&ptClient);
        const int y = (rectWindow.top + ptClient.y) / 2;
        for (int x = rectWindow.right - 1; x > rectWindow.left; --x)
            if (m_pFloat->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)) == (LRESULT)nHit)
                return CPoint(x, y);
        ADD_FAILURE() << "no point of the caption hits " << nHit;
        return rectWindow.TopLeft();
    }
    static void Click(CPoint pt, DWORD dwDown = MOUSEEVENTF_LEFTDOWN, DWORD dwUp = MOUSEEVENTF_LEFTUP)
    {
        ASSERT_TRUE(PlaceCursor(pt));
        SendMouse(pt, dwDown);
        SendMouse(pt, dwUp);
    }
    // Back in the MDI client: shown, holding its view, the active child.
    void ExpectTheWindowBack()
    {
        EXPECT_FALSE(m_pChild->IsDocked());
        EXPECT_TRUE(m_pChild->IsWindowVisible());
        EXPECT_EQ(m_pChild->m_hWnd, ::GetParent(m_pView->m_hWnd));
        EXPECT_EQ(m_pChild, ClientActive());
        EXPECT_EQ(m_pChild, m_pFrame->GetActiveMDIChild());
        EXPECT_FALSE(Bar()->IsVisible());
    }

    COXMDIChildWndSizeDock* m_pOther = NULL;
    COXMDIChildWndSizeDock* m_pChild = NULL;
    CView* m_pView = NULL;
    COXSizableMiniDockFrameWnd* m_pFloat = NULL;
};

TEST_F(FloatingViewBar, TheCloseButtonAsksTheDocumentARefusalKeepsAllAndAgreeingBringsTheWindowBack)
{
    CDockTestDoc* pDoc = Doc(1);
    pDoc->SetModifiedFlag(TRUE);
    pDoc->m_bAgree = FALSE;
    const HWND hWndFloat = m_pFloat->m_hWnd;
    const CPoint ptClose = CaptionPoint(HTCLOSE);
    Click(ptClose);
    ASSERT_TRUE(PumpUntil([&] { return pDoc->m_nAsked > 0; }, kWaitMs)) << "the close never asked the document";
    PumpPending();
    EXPECT_EQ(1, pDoc->m_nAsked);
    EXPECT_TRUE(::IsWindow(hWndFloat));
    EXPECT_TRUE(m_pFloat->IsWindowVisible());
    EXPECT_TRUE(Bar()->IsFloating());
    EXPECT_TRUE(m_pChild->IsDocked()) << "\"save changes?\" cancelled keeps everything";
    EXPECT_EQ(Bar()->m_hWnd, ::GetParent(m_pView->m_hWnd));
    EXPECT_FALSE(m_pFloat->m_bClosing) << "a refused close must leave the frame closable";

    pDoc->m_bAgree = TRUE;
    Click(ptClose);
    ASSERT_TRUE(PumpUntil([&] { return !m_pChild->IsDocked(); }, kWaitMs))
        << "agreed, the document window did not come back";
    EXPECT_EQ(2, pDoc->m_nAsked);
    ExpectTheWindowBack();
    EXPECT_FALSE(Bar()->IsFloating()) << "the bar waits in its dock bar";
    EXPECT_FALSE(::IsWindow(hWndFloat)) << "the emptied frame goes";

    // the same bar serves the next docking
    ASSERT_TRUE(m_pChild->SetDocked(TRUE));
    EXPECT_TRUE(Bar()->IsVisible());
    EXPECT_FALSE(m_pChild->IsWindowVisible());
    EXPECT_EQ(Bar()->m_wndWrapper.m_hWnd, ::GetParent(m_pView->m_hWnd));
}

TEST_F(FloatingViewBar, ARightClickOnTheCaptionOffersTheDockItemCheckedAndChoosingItBringsTheWindowBack)
{
    const UINT nDock = OXGetDockMDIChildCommand();
    std::vector<CString> texts;
    UINT nState = (UINT)-1;
    CMenuWatch watch([&](HWND hMenuWnd) {
        CMenu* pMenu = m_pFloat->GetSystemMenu(FALSE);
        texts = MenuTexts(pMenu);
        nState = pMenu->GetMenuState(nDock, MF_BYCOMMAND);
        // only the dock item is chosen: the last item of a menu without it
        // may open a modal box
        if (pMenu->GetMenuItemID((int)pMenu->GetMenuItemCount() - 1) == nDock)
            ChooseLastMenuItem(hMenuWnd);
        else
            ::EndMenu();
    });
    const CPoint pt = CaptionPoint(HTCAPTION);
    ASSERT_TRUE(PlaceCursor(pt));
    SendMouse(pt, MOUSEEVENTF_RIGHTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return watch.Acted(); }, kWaitMs)) << "the system menu never showed";
    SendMouse(pt, MOUSEEVENTF_RIGHTUP);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(m_pChild->m_sDockMenuItem, texts.back()) << "the dock item ends the menu";
    EXPECT_EQ(CString("-"), texts[texts.size() - 2]) << "after a separator";
    EXPECT_TRUE(nState != (UINT)-1 && (nState & MF_CHECKED)) << "checked while docked";
    ASSERT_TRUE(PumpUntil([&] { return !m_pChild->IsDocked(); }, kWaitMs)) << "the dock item did not undock";
    ExpectTheWindowBack();
}

TEST_F(FloatingViewBar, APressInTheFloatingViewMakesItsChildTheActiveOne)
{
    m_pFrame->ActivateMDIChild(m_pOther);
    ASSERT_EQ(m_pOther, m_pFrame->GetActiveMDIChild());
    Click(WindowRectOf(m_pView).CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return m_pFrame->GetActiveMDIChild() == m_pChild; }, kWaitMs))
        << "the press did not activate the floating document";
    EXPECT_TRUE(m_pChild->IsDocked());
    EXPECT_EQ(m_pView->m_hWnd, ::GetFocus());
}

TEST_F(FloatingViewBar, TheClassicElementShowsTheFrameActiveOnlyWithItsChild)
{
    COXMiniFrameSkinClassic classic;
    m_pFrame->ActivateMDIChild(m_pOther);
    EXPECT_FALSE(classic.OnNcActivate(TRUE, m_pFloat)) << "another document window is the active one";
    EXPECT_TRUE(classic.OnNcActivate(FALSE, m_pFloat));
    m_pFrame->ActivateMDIChild(m_pChild);
    EXPECT_TRUE(classic.OnNcActivate(TRUE, m_pFloat));
}

} // namespace
