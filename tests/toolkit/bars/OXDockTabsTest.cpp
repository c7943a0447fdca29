// Sizing bars stacked as tabs of their dock bar, the drag-dock context that
// drags sizing bars, and the 3D tab view container: the window-free rules as
// tables, then real bars in a real size-dock frame driven by real messages
// (the drag loop takes its input from the queue, so each drag's moves, keys
// and release are queued before it starts).
#include <afxwin.h>
#include <afxext.h>
#include <afxole.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <stdexcept>
#include <vector>

#include "OX3DTabViewContainer.h"
#include "OXDockTabCtrl.h"
#include "OXDragDockContext.h"
#include "OXFrameWndDock.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"
#include "OXSkinnedApp.h"
#include "OXTabSkin.h"
#include "SizeDockTestSupport.h"
#include "testdrawing.h"
#include "testsupport.h"
#include "toolkit_res.h"

namespace {

const UINT kBarIds[] = {AFX_IDW_CONTROLBAR_FIRST + 60, AFX_IDW_CONTROLBAR_FIRST + 61, AFX_IDW_CONTROLBAR_FIRST + 62,
                        AFX_IDW_CONTROLBAR_FIRST + 63};

// ---------------------------------------------------------------------------
// Rules without windows
// ---------------------------------------------------------------------------

TEST(DockTabRules, TheShownBarOfAColumnStackFillsTheDockBarAboveTheStrip)
{
    struct Case
    {
        const char* name;
        BOOL bLeft, bRight;
        int nStrip;
        CRect expected;
    } cases[] = {
        {"left dock bar: 3 off the frame side", TRUE, FALSE, 28, CRect(0, 0, 197, 372)},
        {"right dock bar: 4 off the frame side", FALSE, TRUE, 28, CRect(4, 0, 200, 372)},
        {"no tabs left: no strip", TRUE, FALSE, 0, CRect(0, 0, 197, 400)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, COXDockTabCtrl::VertPlacement(CRect(0, 0, 200, 400), c.bLeft, c.bRight, c.nStrip))
            << c.name;
}

TEST(DockTabRules, ATabMovesOnlyOnceTheCursorPassedTheTargetsMiddle)
{
    const CRect rectTo(100, 0, 160, 20);   // middle 130
    struct Case
    {
        int nFrom, nTo, x;
        BOOL bMoves;
    } cases[] = {
        {0, 2, 130, FALSE}, {0, 2, 131, TRUE}, {3, 2, 130, FALSE}, {3, 2, 129, TRUE}, {2, 2, 50, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bMoves, COXDockTabCtrl::PassesMiddle(c.nFrom, c.nTo, rectTo, c.x))
            << c.nFrom << "->" << c.nTo << " at " << c.x;
}

TEST(DragDockRules, RectanglesOfTheDrag)
{
    // a docked length nearly filling the client becomes a third of it
    struct Case
    {
        int nLength, nClient, nExpected;
    } lengths[] = {{584, 600, 200}, {700, 600, 200}, {583, 600, 583}, {100, 600, 100}};
    for (const Case& c : lengths)
        EXPECT_EQ(c.nExpected, COXDragDockContext::DragLength(c.nLength, c.nClient)) << c.nLength;

    // moved along x just enough to hold the cursor; y never moves
    CRect r(100, 50, 200, 80);
    COXDragDockContext::HoldX(r, 250);
    EXPECT_EQ(CRect(150, 50, 250, 80), r);
    COXDragDockContext::HoldX(r, 20);
    EXPECT_EQ(CRect(20, 50, 120, 80), r);
    COXDragDockContext::HoldX(r, 60);
    EXPECT_EQ(CRect(20, 50, 120, 80), r) << "already inside";

    // a row holding two bars gives the dropped bar a third of its length
    const CRect rectArea(0, 0, 900, 120), rectDrag(300, 10, 700, 130);
    EXPECT_EQ(CRect(300, 10, 600, 130), COXDragDockContext::ShareOfRow(rectDrag, rectArea, 2, TRUE));
    EXPECT_EQ(CRect(300, 10, 1200, 130), COXDragDockContext::ShareOfRow(rectDrag, rectArea, 0, TRUE));
    const CRect rectColumn(0, 0, 150, 600);
    EXPECT_EQ(CRect(300, 10, 700, 160), COXDragDockContext::ShareOfRow(rectDrag, rectColumn, 3, FALSE));
}

// ---------------------------------------------------------------------------
// Real bars in a real size-dock frame
// ---------------------------------------------------------------------------

class CTabTestBar : public COXSizeControlBar
{
public:
    CTabTestBar() : COXSizeControlBar(0) {}
    int m_nFloated = 0;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_OXSIZEBAR_FLOATED)
            ++m_nFloated;
        return COXSizeControlBar::WindowProc(nMsg, wParam, lParam);
    }
};

// The frame keeps the status texts it is asked to show.
class CRecordingFrame : public COXFrameWndSizeDock
{
public:
    std::vector<WPARAM> m_messageIds;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_SETMESSAGESTRING)
            m_messageIds.push_back(wParam);
        return COXFrameWndSizeDock::WindowProc(nMsg, wParam, lParam);
    }
};

// A window that runs a step when a message the drag loop passes on reaches
// it: how a test looks at the drag while it runs.
class CProbeWnd : public CWnd
{
public:
    std::function<void()> m_step;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_APP + 1 && m_step)
            m_step();
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
};

class DockTabsFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CRecordingFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "Dock tabs", WS_OVERLAPPEDWINDOW, CRect(20, 20, 820, 620)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->UpdateWindow();
        ASSERT_TRUE(m_probe.CreateEx(0, AfxRegisterWndClass(0), "probe", WS_POPUP, CRect(0, 0, 1, 1), NULL, 0));
    }
    void TearDown() override
    {
        COXDragDockContext::SetDrawOnDesktop(FALSE);
        m_probe.DestroyWindow();
        AfxGetApp()->m_pMainWnd = m_pOldMain;
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        for (CTabTestBar* p : m_bars)
            delete p;
    }
    CTabTestBar* AddBar(UINT nDockBarID, const CRect& rect = CRect(0, 0, 200, 100))
    {
        CTabTestBar* pBar = new CTabTestBar;
        m_bars.push_back(pBar);
        CString strName;
        strName.Format("Bar %d", (int)m_bars.size());
        EXPECT_TRUE(pBar->Create(m_pFrame, strName, kBarIds[m_bars.size() - 1], WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                 rect));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, nDockBarID);
        return pBar;
    }
    COXSizeDockBar* DockBar(UINT nID) { return DYNAMIC_DOWNCAST(COXSizeDockBar, m_pFrame->GetControlBar(nID)); }
    void Layout()
    {
        m_pFrame->RecalcLayout(TRUE);
        PumpPending();
    }
    // Two bars of the left dock bar stacked as tabs, the second selected.
    COXSizeDockBar* StackTwoLeft(CTabTestBar*& pA, CTabTestBar*& pB)
    {
        pA = AddBar(AFX_IDW_DOCKBAR_LEFT);
        pB = AddBar(AFX_IDW_DOCKBAR_LEFT);
        COXSizeDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);
        Layout();
        EXPECT_EQ(1, pLeft->m_wndTabContainer.InsertBar(pB, 1, TRUE));
        Layout();
        return pLeft;
    }
    // Two bars of the bottom dock bar, 300 and 500 long, stacked as tabs, the
    // first (A) shown.
    COXSizeDockBar* StackTwoAlongTheBottom(CTabTestBar*& pA, CTabTestBar*& pB)
    {
        pA = AddBar(AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 300, 120));
        pB = AddBar(AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 500, 90));
        COXSizeDockBar* pBottom = DockBar(AFX_IDW_DOCKBAR_BOTTOM);
        Layout();
        EXPECT_EQ(1, pBottom->m_wndTabContainer.InsertBar(pA, 1, TRUE));
        Layout();
        return pBottom;
    }
    // Three bars of the bottom dock bar stacked as tabs in one row, C (the
    // last) shown, and D beside it in that row.
    COXSizeDockBar* StackThreeInARowWithAFourth(CTabTestBar*& pA, CTabTestBar*& pB, CTabTestBar*& pC,
                                                CTabTestBar*& pD)
    {
        COXSizeDockBar* pBottom = StackTwoAlongTheBottom(pA, pB);
        pC = AddBar(AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 400, 100));
        Layout();
        EXPECT_EQ(2, pBottom->m_wndTabContainer.InsertBar(pC, 2, TRUE));
        Layout();
        pD = AddBar(AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 300, 100));
        for (int i = (int)pBottom->m_arrBars.GetSize() - 2; i > 1; --i)
            if (pBottom->m_arrBars[i] == NULL)
                pBottom->m_arrBars.RemoveAt(i);
        Layout();
        Layout();
        return pBottom;
    }
    CPoint FrameCenter()
    {
        CRect r;
        m_pFrame->GetClientRect(&r);
        m_pFrame->ClientToScreen(&r);
        return r.CenterPoint();
    }
    // Queues what the drag loop will read: moves to screen points (as the
    // bar, which holds the mouse, gets them) and messages given as-is.
    void QueueMove(CWnd* pBar, CPoint ptScreen, UINT nMsg = WM_MOUSEMOVE)
    {
        pBar->ScreenToClient(&ptScreen);
        pBar->PostMessage(nMsg, nMsg == WM_MOUSEMOVE ? MK_LBUTTON : 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    }
    CPoint CaptionPoint(COXSizeControlBar* pBar)
    {
        CRect r;
        pBar->GetWindowRect(&r);
        return CPoint(r.left + 30, r.top + 6);
    }
    COXDragDockContext* ContextOf(COXSizeControlBar* pBar)
    {
        return dynamic_cast<COXDragDockContext*>(pBar->m_pDockContext);
    }

    CRecordingFrame* m_pFrame = NULL;
    CWnd* m_pOldMain = NULL;
    std::vector<CTabTestBar*> m_bars;
    CProbeWnd m_probe;
};

TEST_F(DockTabsFrame, TwoBarsStackedInALeftDockBarShowOneAboveTheStrip)
{
    CTabTestBar *pA, *pB;
    COXSizeDockBar* pLeft = StackTwoLeft(pA, pB);
    COXDockTabCtrl& tabs = pLeft->m_wndTabContainer;
    ASSERT_EQ(2, tabs.GetItemCount());
    EXPECT_EQ(pA, tabs.GetTabBar(0)) << "the companion went in at 0";
    EXPECT_EQ(pB, tabs.GetTabBar(1));
    EXPECT_EQ(1, tabs.FindBar(pB));
    EXPECT_EQ(1, tabs.GetCurSel());
    EXPECT_FALSE(pA->IsWindowVisible());
    EXPECT_TRUE(pB->IsWindowVisible());
    EXPECT_EQ(&tabs, pB->GetTabContainer());
    EXPECT_FALSE(pB->CanMaximizeInRow()) << "no maximize in a stack";

    CRect rectDock, rectStrip;
    pLeft->GetClientRect(&rectDock);
    tabs.GetWindowRect(&rectStrip);
    pLeft->ScreenToClient(&rectStrip);
    EXPECT_EQ(CRect(0, rectDock.bottom - 28, rectDock.right, rectDock.bottom), rectStrip);
    // the tab texts are the bars' window texts
    TCHAR sz[32] = {};
    TCITEM item = {};
    item.mask = TCIF_TEXT;
    item.pszText = sz;
    item.cchTextMax = 32;
    tabs.GetItem(0, &item);
    EXPECT_STREQ("Bar 1", sz);

    // the shown bar fills the column: 3 off the frame side, above the strip
    tabs.UpdateTabs();
    CRect b;
    pB->GetWindowRect(&b);
    pLeft->ScreenToClient(&b);
    EXPECT_EQ(rectDock.right - 3, b.right);
    EXPECT_EQ(rectDock.bottom - 28, b.bottom);
    EXPECT_EQ(CSize(b.Width(), b.Height() + 5), pB->m_VertDockSize);
}

// A tab holds its text with the padding above and below it, and the strip
// holds the tabs: an unselected tab's edge never crosses the descenders.
TEST_F(DockTabsFrame, ATabHoldsItsTextAndItsPaddingAndTheStripHoldsTheTabs)
{
    CTabTestBar *pA, *pB;
    COXDockTabCtrl& tabs = StackTwoLeft(pA, pB)->m_wndTabContainer;
    ASSERT_EQ(2, tabs.GetItemCount());
    CClientDC dc(&tabs);
    CFont* pOld = dc.SelectObject(tabs.GetFont());
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    CRect rectClient;
    tabs.GetClientRect(&rectClient);
    for (int i = 0; i < 2; ++i) {
        CRect rect;
        ASSERT_TRUE(tabs.GetItemRect(i, &rect));
        EXPECT_GE(rect.Height(), tm.tmHeight + 2 * 4) << "tab " << i << " of " << rect.Height();
        EXPECT_GE(rect.top, rectClient.top) << i;
        EXPECT_LE(rect.bottom, rectClient.bottom) << i;
    }
}

// In the Classic skin the stock control draws the tabs along the bottom and
// the strip their labels: every label stands in one line, in the middle of
// the part of the tab all tabs have, its descenders clear of the edge.
TEST_F(DockTabsFrame, ClassicLabelsStandInOneLineInTheMiddleOfTheTabs)
{
    CTabTestBar *pA, *pB;
    COXSizeDockBar* pLeft = StackTwoLeft(pA, pB);
    CTabTestBar* pC = AddBar(AFX_IDW_DOCKBAR_LEFT);
    Layout();
    COXDockTabCtrl& tabs = pLeft->m_wndTabContainer;
    tabs.InsertBar(pC, 2, TRUE);
    Layout();
    ASSERT_EQ(3, tabs.GetItemCount());
    ASSERT_TRUE(dynamic_cast<COXTabSkinClassic*>(tabs.GetTabSkin()) != nullptr);
    // Two labels with a descender, one without; the first selected.
    const char* texts[] = {"Keywords", "History", "Basket"};
    for (int i = 0; i < 3; ++i) {
        TCITEM item = {};
        item.mask = TCIF_TEXT;
        item.pszText = (LPTSTR)texts[i];
        tabs.SetItem(i, &item);
    }
    tabs.SetCurSel(0);
    tabs.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    CClientDC dc(&tabs);
    const COLORREF clrText = ::GetSysColor(COLOR_BTNTEXT);
    int yFirstTop = 0;
    for (int i = 0; i < 3; ++i) {
        CRect rect;
        ASSERT_TRUE(tabs.GetItemRect(i, &rect));
        // The label's ink: rows with pixels of the text colour that are no
        // edge line across the tab.
        int yTop = INT_MAX, yBottom = INT_MIN;
        for (int y = rect.top - 3; y < rect.bottom + 3; ++y) {
            int n = 0;
            for (int x = rect.left + 3; x < rect.right - 3; ++x)
                n += dc.GetPixel(x, y) == clrText;
            if (n > 0 && n < (rect.Width() - 6) / 2) {
                yTop = std::min(yTop, y);
                yBottom = std::max(yBottom, y);
            }
        }
        ASSERT_NE(INT_MAX, yTop) << texts[i] << ": no label";
        if (i == 0)
            yFirstTop = yTop;
        EXPECT_NEAR(yFirstTop, yTop, 1) << texts[i] << ": the labels stand in one line";
        const CRect rectShared = COXDockTabCtrl::LabelRect(rect, TRUE);
        EXPECT_EQ(rect.bottom - 2, rectShared.bottom);
        EXPECT_LE(yBottom, rectShared.bottom - 3) << texts[i] << ": the descenders clear the tab's edge";
        if (strchr(texts[i], 'y') != NULL) {
            EXPECT_NEAR(yTop - rectShared.top, rectShared.bottom - 1 - yBottom, 2)
                << texts[i] << ": ink " << yTop << ".." << yBottom << " in " << rectShared.top << ".."
                << rectShared.bottom;
        }
    }
}

// A sizing bar filled by a read-only multi-line edit, as programs fill them.
class CEditBar : public COXSizeControlBar
{
public:
    CEditBar() : COXSizeControlBar(0) {}
    BOOL CreateBar(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszText)
    {
        if (!Create(pFrame, "Edit bar", nID, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 220, 160)))
            return FALSE;
        m_edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL, CRect(0, 0, 10, 10), this, 1);
        m_edit.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        m_edit.SetWindowText(lpszText);
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }
    CEdit m_edit;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT lResult = COXSizeControlBar::WindowProc(nMsg, wParam, lParam);
        if (nMsg == WM_SIZE && ::IsWindow(m_edit.m_hWnd))
            m_edit.MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam));
        return lResult;
    }
};

// Text that fits the edit of a docked bar leaves its scroll bar no thumb:
// the page covers the whole range.
TEST_F(DockTabsFrame, AnEditFillingADockedBarWhoseTextFitsShowsNoThumb)
{
    for (UINT nDockBar : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT}) {
        CEditBar bar;
        ASSERT_TRUE(bar.CreateBar(m_pFrame, kBarIds[0], "Page 1 fetched\r\nPage 2 fetched\r\ncompleted"));
        bar.m_HorzDockSize.cy = 90;
        m_pFrame->DockControlBar(&bar, nDockBar);
        Layout();
        CRect rect;
        bar.m_edit.GetClientRect(&rect);
        SCROLLINFO si = {sizeof(si), SIF_ALL};
        bar.m_edit.GetScrollInfo(SB_VERT, &si);
        EXPECT_GT(rect.Height(), 3 * 16) << nDockBar;
        EXPECT_GT((int)si.nPage, si.nMax - si.nMin) << nDockBar << ": page " << si.nPage << " of " << si.nMin << ".." << si.nMax;
        bar.DestroyWindow();
        Layout();
    }
}

TEST_F(DockTabsFrame, AStackAlongTheBottomKeepsOneLengthWhicheverTabShows)
{
    CTabTestBar *pA, *pB;
    COXSizeDockBar* pBottom = StackTwoAlongTheBottom(pA, pB);
    COXDockTabCtrl& tabs = pBottom->m_wndTabContainer;
    const CSize sizeShown = pA->m_HorzDockSize;
    tabs.SetCurSel(tabs.FindTab(pB));
    tabs.UpdateTabs();
    EXPECT_EQ(sizeShown, pB->m_HorzDockSize) << "the bar shown takes the size of the one shown before";
    Layout();
    EXPECT_TRUE(pB->IsWindowVisible());
    EXPECT_FALSE(pA->IsWindowVisible());
    CRect rectDock, rectStrip;
    pBottom->GetClientRect(&rectDock);
    tabs.GetWindowRect(&rectStrip);
    pBottom->ScreenToClient(&rectStrip);
    EXPECT_EQ(rectDock.bottom, rectStrip.bottom);
    EXPECT_EQ(28, rectStrip.Height());
}

// The shown bar of a stack along the bottom leaves it for a place beside
// another bar of the stack's row: the tab shown next takes the stack's
// place at the stack's length, so the bars of the row keep their room and
// the row ends within the dock bar (at its own older length, a row long,
// it squeezed them to a few pixels).
TEST_F(DockTabsFrame, ATabShownInPlaceOfTheShownBarThatLeftTakesTheStacksLength)
{
    CTabTestBar *pA, *pB, *pC, *pD;
    COXSizeDockBar* pBottom = StackThreeInARowWithAFourth(pA, pB, pC, pD);
    COXDockTabCtrl& tabs = pBottom->m_wndTabContainer;
    ASSERT_TRUE(pC->IsWindowVisible());
    const int nStack = pC->m_HorzDockSize.cx;

    CRect rectD;
    pD->GetWindowRect(&rectD);
    CRect rectTo(CPoint(rectD.CenterPoint().x, rectD.top + 10), WindowRectOf(pC).Size());
    pBottom->DockBarAt(pC, &rectTo);
    ASSERT_EQ(-1, tabs.FindTab(pC)) << "C is still a tab";
    ASSERT_NE(pA->IsVisible(), pB->IsVisible()) << "one tab shows in C's place";
    CTabTestBar* pShown = pA->IsVisible() ? pA : pB;
    EXPECT_EQ(nStack, pShown->m_HorzDockSize.cx) << "the tab shows at a length of its own";
    Layout();
    Layout();
    CRect rectDock;
    pBottom->GetWindowRect(&rectDock);
    rectDock.InflateRect(afxData.cxBorder2, afxData.cyBorder2);
    for (CTabTestBar* p : {pShown, pC, pD}) {
        const CRect r = WindowRectOf(p);
        EXPECT_GT(r.Width(), 40) << NameOf(p) << ": " << r.left - rectDock.left << ", " << r.Width() << " long";
        EXPECT_LE(r.right, rectDock.right) << NameOf(p) << " runs past the row's end";
    }
}

// The same stack's shown bar floated off (as the drag does: out of the
// stack, then floated): the tab shown next takes the room the floated bar
// freed, and the bar beside it keeps its length (the others of a row give up
// only what a re-shown bar needs beyond the row's free room; giving up the
// whole re-shown length squeezed D to nothing, or past it to a negative
// length that blew up the next proportional share).
TEST_F(DockTabsFrame, AFloatedShownTabLeavesItsRoomToTheTabShownNext)
{
    CTabTestBar *pA, *pB, *pC, *pD;
    COXSizeDockBar* pBottom = StackThreeInARowWithAFourth(pA, pB, pC, pD);
    COXDockTabCtrl& tabs = pBottom->m_wndTabContainer;
    ASSERT_TRUE(pC->IsWindowVisible() && pD->IsWindowVisible());
    const int nD = WindowRectOf(pD).Width();
    ASSERT_GT(nD, 100);

    tabs.RemoveBar(pC);
    m_pFrame->FloatControlBar(pC, FrameCenter(), CBRS_ALIGN_TOP);
    Layout();
    ASSERT_NE(pA->IsVisible(), pB->IsVisible()) << "one tab shows in C's place";
    CTabTestBar* pShown = pA->IsVisible() ? pA : pB;
    EXPECT_EQ(pBottom->RowStart(pBottom->FindBar(pShown)), pBottom->RowStart(pBottom->FindBar(pD)))
        << "D left the stack's row: " << DescribeRows(pBottom);
    CRect rectDock;
    pBottom->GetWindowRect(&rectDock);
    rectDock.InflateRect(afxData.cxBorder2, afxData.cyBorder2);
    for (CTabTestBar* p : {pShown, pD}) {
        const CRect r = WindowRectOf(p);
        EXPECT_GT(r.Width(), nD / 2) << NameOf(p) << ": " << r.left - rectDock.left << ", " << r.Width() << " long";
        EXPECT_LE(r.right, rectDock.right) << NameOf(p) << " runs past the row's end";
    }
}

// A stack broken up forgets the bar it showed: a new stack along the same
// dock bar shows its bar at its own length, not at that of a bar of the old
// stack that has since gone elsewhere and been sized there.
TEST_F(DockTabsFrame, ANewStackTakesNoLengthFromABarOfAnEarlierOne)
{
    CTabTestBar *pA, *pB;
    COXSizeDockBar* pBottom = StackTwoAlongTheBottom(pA, pB);
    COXDockTabCtrl& tabs = pBottom->m_wndTabContainer;
    // A, shown, is left a lone companion as B leaves the stack, and shows on
    // its own; then A goes to the top and is sized thin there
    EXPECT_EQ(0, tabs.RemoveBar(pB));
    m_pFrame->DockControlBar(pB, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->DockControlBar(pA, AFX_IDW_DOCKBAR_TOP);
    Layout();
    pA->m_HorzDockSize = CSize(994, 2);

    CTabTestBar* pC = AddBar(AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 300, 120));
    CTabTestBar* pD = AddBar(AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 500, 90));
    Layout();
    const CSize sizeD = pD->m_HorzDockSize;
    ASSERT_EQ(1, tabs.InsertBar(pD, 1, TRUE));
    EXPECT_EQ(sizeD.cx, pD->m_HorzDockSize.cx) << "the new stack took a bar's length from the old one";
    EXPECT_EQ(sizeD.cy, pD->m_HorzDockSize.cy) << "the new stack took a bar's thickness from the old one";
    (void)pC;
}

TEST_F(DockTabsFrame, AClickOnATabShowsItsBar)
{
    CTabTestBar *pA, *pB;
    COXSizeDockBar* pLeft = StackTwoLeft(pA, pB);
    COXDockTabCtrl& tabs = pLeft->m_wndTabContainer;
    CRect rectTab;
    tabs.GetItemRect(0, &rectTab);
    const CPoint pt = rectTab.CenterPoint();
    tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    Layout();
    EXPECT_EQ(0, tabs.GetCurSel());
    EXPECT_TRUE(pA->IsWindowVisible());
    EXPECT_FALSE(pB->IsWindowVisible());
}

TEST_F(DockTabsFrame, AStackWhoseShownBarWasHiddenShowsAnotherTabAtItsOwnWidth)
{
    CTabTestBar *pA, *pB;
    COXSizeDockBar* pLeft = StackTwoLeft(pA, pB);
    pLeft->m_wndTabContainer.UpdateTabs();
    Layout();
    const int nWidth = pA->m_VertDockSize.cx;
    // hidden by its menu, which leaves the tab: the dock bar collapses
    pB->SendMessage(WM_COMMAND, ID_OXSIZEBAR_HIDE);
    Layout();
    pLeft->m_wndTabContainer.SetCurSel(0);
    pLeft->m_wndTabContainer.UpdateTabs();
    Layout();
    EXPECT_TRUE(pA->IsWindowVisible());
    EXPECT_EQ(nWidth, pA->m_VertDockSize.cx);
    CRect a;
    pA->GetWindowRect(&a);
    EXPECT_GT(a.Width(), 20);
}

TEST_F(DockTabsFrame, RemovingOneOfTwoTabsRemovesBothAndShowsTheOther)
{
    CTabTestBar *pA, *pB;
    COXSizeDockBar* pLeft = StackTwoLeft(pA, pB);
    EXPECT_EQ(0, pLeft->m_wndTabContainer.RemoveBar(pB));
    Layout();
    EXPECT_EQ(0, pLeft->m_wndTabContainer.GetItemCount());
    EXPECT_TRUE(pA->IsWindowVisible());
    EXPECT_EQ(NULL, pA->GetTabContainer());
    CRect rectStrip;
    pLeft->m_wndTabContainer.GetWindowRect(&rectStrip);
    EXPECT_EQ(0, rectStrip.Height()) << "no strip without tabs";
    // a bar alone in its dock bar makes no stack
    CTabTestBar* pC = AddBar(AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    COXSizeDockBar* pBottom = DockBar(AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(0, pBottom->m_wndTabContainer.InsertBar(pC, 0, TRUE));
    EXPECT_EQ(0, pBottom->m_wndTabContainer.GetItemCount());
}

TEST_F(DockTabsFrame, HidingATabTakesItOutAndShowingPutsItBackWhereItWas)
{
    CTabTestBar *pA, *pB;
    COXSizeDockBar* pLeft = StackTwoLeft(pA, pB);
    CTabTestBar* pC = AddBar(AFX_IDW_DOCKBAR_LEFT);
    COXDockTabCtrl& tabs = pLeft->m_wndTabContainer;
    tabs.InsertBar(pC, 2, TRUE);
    Layout();
    ASSERT_EQ(3, tabs.GetItemCount());
    // the stack shares one column of the dock bar
    for (int i = (int)pLeft->m_arrBars.GetSize() - 2; i > 1; --i)
        if (pLeft->m_arrBars[i] == NULL)
            pLeft->m_arrBars.RemoveAt(i);
    Layout();
    ASSERT_TRUE(pC->IsVisible());
    pC->ShowBar(FALSE);
    EXPECT_EQ(2, pC->m_nHiddenTabIndex);
    EXPECT_EQ(-1, tabs.FindTab(pC));
    EXPECT_EQ(2, tabs.GetItemCount());
    Layout();
    EXPECT_TRUE(pB->IsWindowVisible()) << "the tab before it shows";
    pC->ShowBar(TRUE);
    Layout();
    EXPECT_EQ(2, tabs.FindTab(pC));
    EXPECT_EQ(2, tabs.GetCurSel());
    EXPECT_TRUE(pC->IsWindowVisible());
    EXPECT_FALSE(pB->IsWindowVisible());
    (void)pA;
}

TEST_F(DockTabsFrame, ABarDroppedOnTheStripOfItsColumnJoinsAsATab)
{
    // a column wide enough for both tabs
    CTabTestBar* pA = AddBar(AFX_IDW_DOCKBAR_LEFT, CRect(0, 0, 200, 300));
    CTabTestBar* pB = AddBar(AFX_IDW_DOCKBAR_LEFT, CRect(0, 0, 200, 300));
    COXSizeDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);
    // one column: a row of the dock bar
    for (int i = (int)pLeft->m_arrBars.GetSize() - 2; i > 1; --i)
        if (pLeft->m_arrBars[i] == NULL)
            pLeft->m_arrBars.RemoveAt(i);
    Layout();
    ASSERT_EQ(2, pLeft->CountBarsInColumn(pB));
    CRect rectDock;
    pLeft->GetWindowRect(&rectDock);
    // on the strip: a tab; the dock bar then takes bars only there
    CRect rectOnStrip(CPoint(rectDock.left + 10, rectDock.bottom - 10), CSize(200, 100));
    pLeft->DockBarAt(pB, &rectOnStrip);
    Layout();
    EXPECT_EQ(2, pLeft->m_wndTabContainer.GetItemCount());
    EXPECT_EQ(pLeft, COXSizeDockBar::FindDockBarAt(CPoint(rectDock.left + 10, rectDock.bottom - 10), pA));
    EXPECT_EQ(NULL, COXSizeDockBar::FindDockBarAt(CPoint(rectDock.left + 10, rectDock.top + 30), pA));
    // held over the strip its tab moves past the middle of another, and the
    // bar keeps its place in the rows
    COXDockTabCtrl& tabs = pLeft->m_wndTabContainer;
    ASSERT_EQ(0, tabs.FindTab(pB));
    const int nRow = pLeft->RowStart(pLeft->FindBar(pB));
    CRect rectTab;
    tabs.GetItemRect(1, &rectTab);
    tabs.ClientToScreen(&rectTab);
    CRect rectOver(CPoint(rectTab.right - 3, rectTab.CenterPoint().y), CSize(200, 100));
    pLeft->DockBarAt(pB, &rectOver);
    Layout();
    EXPECT_EQ(1, tabs.FindTab(pB));
    EXPECT_EQ(2, tabs.GetItemCount());
    EXPECT_EQ(nRow, pLeft->RowStart(pLeft->FindBar(pB)));
    rectOver.OffsetRect(-2, 0);
    pLeft->DockBarAt(pB, &rectOver);
    Layout();
    EXPECT_EQ(nRow, pLeft->RowStart(pLeft->FindBar(pB))) << "held still over its own tab";
    // moved off the strip: it leaves the stack
    CRect rectOff(CPoint(rectDock.left + 10, rectDock.top + 40), CSize(200, 100));
    pLeft->DockBarAt(pB, &rectOff);
    Layout();
    EXPECT_EQ(0, pLeft->m_wndTabContainer.GetItemCount());
    EXPECT_TRUE(pA->IsWindowVisible());
    EXPECT_TRUE(pB->IsWindowVisible());
}

TEST_F(DockTabsFrame, ATabPressedAndMovedThreePixelsStaysFourDragsItsBarOut)
{
    m_pFrame->SetOwnBarDrag(TRUE);
    CTabTestBar *pA, *pB;
    COXSizeDockBar* pLeft = StackTwoLeft(pA, pB);
    COXDockTabCtrl& tabs = pLeft->m_wndTabContainer;
    CRect rectTab;
    tabs.GetItemRect(1, &rectTab);
    const CPoint pt = rectTab.CenterPoint();
    tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y + 3));
    EXPECT_FALSE(pB->m_bTracking);
    tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 4, pt.y));
    ASSERT_TRUE(pB->m_bTracking);
    EXPECT_EQ(pB->m_hWnd, ::GetCapture());

    // away from every dock bar: the bar floats without its tab
    CPoint ptMid = FrameCenter();
    pB->ScreenToClient(&ptMid);
    pB->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptMid.x, ptMid.y));
    EXPECT_TRUE(pB->IsFloating());
    pB->SendMessage(WM_LBUTTONUP, 0, 0);
    Layout();
    EXPECT_EQ(0, tabs.GetItemCount());
    EXPECT_TRUE(pA->IsWindowVisible());
}

TEST_F(DockTabsFrame, ADoubleClickOnAStackedBarTakesItOutAndFloatsIt)
{
    m_pFrame->SetOwnBarDrag(TRUE);
    CTabTestBar *pA, *pB;
    COXSizeDockBar* pLeft = StackTwoLeft(pA, pB);
    pB->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 5));
    Layout();
    EXPECT_TRUE(pB->IsFloating());
    EXPECT_EQ(0, pLeft->m_wndTabContainer.GetItemCount());
    EXPECT_TRUE(pA->IsWindowVisible());
}

TEST_F(DockTabsFrame, ABarThatLeavesByAnyPathLeavesNoTabBehind)
{
    CTabTestBar *pA, *pB;
    COXSizeDockBar* pLeft = StackTwoLeft(pA, pB);
    CTabTestBar* pC = AddBar(AFX_IDW_DOCKBAR_LEFT);
    pLeft->m_wndTabContainer.InsertBar(pC, 2, TRUE);
    Layout();
    ASSERT_EQ(3, pLeft->m_wndTabContainer.GetItemCount());
    // floated by the frame, which never asks the strip
    m_pFrame->FloatControlBar(pC, FrameCenter(), CBRS_ALIGN_TOP);
    Layout();
    EXPECT_EQ(-1, pLeft->m_wndTabContainer.FindTab(pC));
    EXPECT_EQ(2, pLeft->m_wndTabContainer.GetItemCount());
    // it was the bar on show: the stack shows the bar of the tab now selected
    CControlBar* pShown = pLeft->m_wndTabContainer.GetTabBar(pLeft->m_wndTabContainer.GetCurSel());
    ASSERT_TRUE(pShown != NULL);
    EXPECT_TRUE(pShown->IsWindowVisible()) << "the stack shows nothing until a tab is clicked";
    // destroyed: its companion, alone now, leaves the stack too
    pA->DestroyWindow();
    Layout();
    EXPECT_EQ(0, pLeft->m_wndTabContainer.GetItemCount());
    EXPECT_TRUE(pB->IsWindowVisible());
}

// A sizing bar that fills its client area with a colour of its own: what
// shows in its area is its own paint or somebody else's.
class CColourBar : public CTabTestBar
{
public:
    COLORREF m_clr = RGB(0, 0, 0);

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_PAINT) {
            CPaintDC dc(this);
            CRect rect;
            GetClientRect(&rect);
            dc.FillSolidRect(&rect, m_clr);
            return 0;
        }
        return CTabTestBar::WindowProc(nMsg, wParam, lParam);
    }
};

// A bar floated out of a stack of three by a double click and docked back by
// one on its floating frame's caption: it docks beside the stack, which makes
// room by moving; every bar then shows its own paint, none the pixels another
// left where it was.
TEST_F(DockTabsFrame, ABarDoubleClickedOutOfAStackAndBackLeavesEveryBarShowingItsOwnPaint)
{
    m_pFrame->SetOwnBarDrag(TRUE);
    static const COLORREF colours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200)};
    CColourBar* bars[3];
    for (int i = 0; i < 3; ++i) {
        bars[i] = new CColourBar;
        m_bars.push_back(bars[i]);
        bars[i]->m_clr = colours[i];
        ASSERT_TRUE(bars[i]->Create(m_pFrame, "Colour", kBarIds[i], WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                    CRect(0, 0, 220, 160)));
        bars[i]->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(bars[i], AFX_IDW_DOCKBAR_LEFT);
    }
    Layout();
    // one column, as a stack's bars share it
    COXSizeDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);
    for (int i = (int)pLeft->m_arrBars.GetSize() - 2; i > 1; --i)
        if (pLeft->m_arrBars[i] == NULL)
            pLeft->m_arrBars.RemoveAt(i);
    pLeft->m_wndTabContainer.InsertBar(bars[0], 0, TRUE);
    for (CColourBar* p : bars)
        p->m_VertDockSize.cx = 220;
    Layout();
    pLeft->m_wndTabContainer.UpdateTabs();
    Layout();
    ASSERT_EQ(3, pLeft->m_wndTabContainer.GetItemCount());

    bars[0]->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 5));
    Layout();
    ASSERT_TRUE(bars[0]->IsFloating());
    CFrameWnd* pMini = bars[0]->GetParentFrame();
    ASSERT_TRUE(pMini != NULL && pMini != m_pFrame);
    pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    // a message loop paints what waits before its idle time lays the frame out
    m_pFrame->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Layout();
    ASSERT_FALSE(bars[0]->IsFloating());
    m_pFrame->UpdateWindow();
    PumpPending();

    for (int i = 0; i < 3; ++i) {
        if (!bars[i]->IsWindowVisible())
            continue;
        CRect rect;
        bars[i]->GetClientRect(&rect);
        CRect rectScreen(rect);
        bars[i]->ClientToScreen(&rectScreen);
        CClientDC dc(bars[i]);
        int nForeign = 0, nSeen = 0;
        for (int y = rect.top + 2; y < rect.bottom - 2; y += 4)
            for (int x = rect.left + 2; x < rect.right - 2; x += 4) {
                CPoint pt(x, y);
                bars[i]->ClientToScreen(&pt);
                // where a sibling lies over the bar, its paint is rightly there
                if (::WindowFromPoint(pt) != bars[i]->m_hWnd)
                    continue;
                ++nSeen;
                nForeign += dc.GetPixel(x, y) != colours[i];
            }
        EXPECT_GT(nSeen, 0) << "bar " << i << " at " << rectScreen.left << "," << rectScreen.top << " "
                            << rectScreen.Width() << "x" << rectScreen.Height() << " shows nowhere";
        EXPECT_EQ(0, nForeign) << "bar " << i << " at " << rectScreen.left << "," << rectScreen.top << " "
                               << rectScreen.Width() << "x" << rectScreen.Height() << ": " << nForeign << " of "
                               << nSeen << " points hold pixels it did not paint";
    }
}

// ---------------------------------------------------------------------------
// The drag-dock context
// ---------------------------------------------------------------------------

TEST_F(DockTabsFrame, SizingBarsDragThroughTheDragDockContext)
{
    CTabTestBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_TRUE(ContextOf(pA) != NULL);
}

TEST_F(DockTabsFrame, APressReleasedWhereItBeganMovesNothing)
{
    CTabTestBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP);
    Layout();
    CRect rectBefore;
    pA->GetWindowRect(&rectBefore);
    const CPoint pt = CaptionPoint(pA);
    QueueMove(pA, pt, WM_LBUTTONUP);
    pA->m_pDockContext->StartDrag(pt);
    Layout();
    EXPECT_FALSE(pA->IsFloating());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), pA->m_pDockBar);
    CRect rectAfter;
    pA->GetWindowRect(&rectAfter);
    EXPECT_EQ(rectBefore, rectAfter);
    EXPECT_EQ(0, pA->m_nFloated);
}

// Real input: the press, the moves, the key and the release come through the
// system's input queue; a thread timer plays each next step from inside the
// drag loop, which dispatches it.
std::function<void()>* g_pTick = NULL;
void CALLBACK TickProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pTick != NULL)
        (*g_pTick)();
}
void SendMouse(DWORD dwFlags, CPoint pt = CPoint(0, 0))
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    if (dwFlags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = (pt.x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = (pt.y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    ::SendInput(1, &input, sizeof(input));
}
void SendKey(WORD wVk, BOOL bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wVk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

TEST_F(DockTabsFrame, UnderRealInputADragFloatsTheBarAndEscCancelsIt)
{
    CTabTestBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP);
    m_pFrame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_pFrame->SetForegroundWindow();
    Layout();
    for (BOOL bEsc : {TRUE, FALSE}) {
        ASSERT_FALSE(pA->IsFloating());
        // the second press away from the first, or the two make a double click
        const CPoint ptCaption = CaptionPoint(pA) + CPoint(bEsc ? 0 : 20, 0), ptMiddle = FrameCenter();
        ASSERT_TRUE(PlaceCursor(ptCaption));
        int nStep = 0;
        BOOL bDone = FALSE, bCapturedInLoop = FALSE;
        int nWaits = 0;
        std::function<void()> tick = [&]() {
            // the press comes back from the display in its own time
            if (nStep == 0 && ::GetCapture() != pA->m_hWnd && ++nWaits < 200)
                return;
            switch (nStep++) {
            case 0:
                bCapturedInLoop = ::GetCapture() == pA->m_hWnd;
                SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptMiddle);
                break;
            case 1: SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptMiddle + CPoint(7, 3)); break;
            case 2:
                if (bEsc) {
                    SendKey(VK_ESCAPE, FALSE);
                    SendKey(VK_ESCAPE, TRUE);
                }
                SendMouse(MOUSEEVENTF_LEFTUP);
                break;
            default: bDone = TRUE; break;
            }
        };
        g_pTick = &tick;
        const UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, TickProc);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        const bool bEnded = PumpUntil([&] { return bDone && ::GetCapture() == NULL; }, kWaitMs);
        ::KillTimer(NULL, nTimer);
        g_pTick = NULL;
        ASSERT_TRUE(bEnded) << "the drag never ended";
        Layout();
        EXPECT_TRUE(bCapturedInLoop) << "the press started no drag " << bEsc;
        EXPECT_EQ(!bEsc, pA->IsFloating()) << (bEsc ? "Esc" : "release");
    }
}

TEST_F(DockTabsFrame, EscOrARightClickCancelsWithTheIdleTextBack)
{
    struct Case
    {
        const char* name;
        UINT nMsg;
        WPARAM wParam;
    } cases[] = {{"Esc", WM_KEYDOWN, VK_ESCAPE}, {"right button", WM_RBUTTONDOWN, MK_RBUTTON}};
    CTabTestBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP);
    Layout();
    for (const Case& c : cases) {
        CRect rectBefore;
        pA->GetWindowRect(&rectBefore);
        const CPoint pt = CaptionPoint(pA);
        m_pFrame->m_messageIds.clear();
        QueueMove(pA, FrameCenter());
        pA->PostMessage(c.nMsg, c.wParam, 0);
        pA->m_pDockContext->StartDrag(pt);
        Layout();
        EXPECT_FALSE(pA->IsFloating()) << c.name;
        CRect rectAfter;
        pA->GetWindowRect(&rectAfter);
        EXPECT_EQ(rectBefore, rectAfter) << c.name;
        EXPECT_EQ((std::vector<WPARAM>{IDS_OX_DRAGDOCK_HINT, AFX_IDS_IDLEMESSAGE}), m_pFrame->m_messageIds) << c.name;
        EXPECT_EQ(NULL, ::GetCapture()) << c.name;
        EXPECT_FALSE(ContextOf(pA)->m_wndFeedback.IsShown()) << c.name;
    }
}

TEST_F(DockTabsFrame, DroppedAwayFromTheEdgesTheBarFloatsAndCtrlFloatsItAnywhere)
{
    CTabTestBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP);
    Layout();
    QueueMove(pA, FrameCenter());
    QueueMove(pA, FrameCenter(), WM_LBUTTONUP);
    pA->m_pDockContext->StartDrag(CaptionPoint(pA));
    Layout();
    ASSERT_TRUE(pA->IsFloating());
    EXPECT_EQ(1, pA->m_nFloated);
    EXPECT_TRUE(pA->GetParentFrame()->GetStyle() & 0x0001) << "the floating frame is marked";

    // back over the right edge, Ctrl held: it stays floating
    CPoint ptStart = CaptionPoint(pA);
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    m_pFrame->ClientToScreen(&rectClient);
    const CPoint ptRight(rectClient.right - 10, rectClient.CenterPoint().y);
    QueueMove(pA, ptRight);
    pA->PostMessage(WM_KEYDOWN, VK_CONTROL, 0);
    QueueMove(pA, ptRight, WM_LBUTTONUP);
    pA->m_pDockContext->StartDrag(ptStart);
    Layout();
    EXPECT_TRUE(pA->IsFloating());

    // without Ctrl it docks at the right
    ptStart = CaptionPoint(pA);
    QueueMove(pA, ptRight);
    pA->PostMessage(WM_KEYDOWN, VK_CONTROL, 0);
    pA->PostMessage(WM_KEYUP, VK_CONTROL, 0);
    QueueMove(pA, ptRight, WM_LBUTTONUP);
    pA->m_pDockContext->StartDrag(ptStart);
    Layout();
    EXPECT_FALSE(pA->IsFloating());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT), pA->m_pDockBar);
}

TEST_F(DockTabsFrame, ABarDroppedIntoARowOfTwoGetsAThirdOfIt)
{
    CTabTestBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP, CRect(0, 0, 300, 100));
    CTabTestBar* pB = AddBar(AFX_IDW_DOCKBAR_TOP, CRect(0, 0, 300, 100));
    COXSizeDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    for (int i = (int)pTop->m_arrBars.GetSize() - 2; i > 1; --i)
        if (pTop->m_arrBars[i] == NULL)
            pTop->m_arrBars.RemoveAt(i);
    CTabTestBar* pC = AddBar(AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 300, 100));
    Layout();
    Layout();
    CRect rectRow;
    pA->GetWindowRect(&rectRow);
    const CPoint ptStart = CaptionPoint(pC);
    // the drag rectangle brought level with the row, in the frame's middle
    const CPoint ptEnd(FrameCenter().x, rectRow.top + 6);
    CRect rectDock;
    CProbeWnd& probe = m_probe;
    probe.m_step = [&]() { rectDock = ContextOf(pC)->m_rectDock; };
    QueueMove(pC, ptEnd);
    probe.PostMessage(WM_APP + 1);
    QueueMove(pC, ptEnd, WM_LBUTTONUP);
    pC->m_pDockContext->StartDrag(ptStart);
    Layout();
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    EXPECT_NEAR(rectClient.Width() / 3, rectDock.Width(), 2) << "the drop shows a third of the row";
    EXPECT_EQ(pTop, pC->m_pDockBar);
    EXPECT_EQ(pTop->RowStart(pTop->FindBar(pA)), pTop->RowStart(pTop->FindBar(pC))) << "in the row of two";
    (void)pB;
}

// A drag whose rectangle has its middle above the first row of a dock bar
// heads a row of its own there: the outline shows the whole row, as the
// drop then makes it, not a share of the row below.
TEST_F(DockTabsFrame, TheOutlineAboveTheFirstRowShowsTheRowTheDropMakes)
{
    m_pFrame->SetWindowPos(NULL, 20, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CTabTestBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP, CRect(0, 0, 300, 100));
    CTabTestBar* pC = AddBar(AFX_IDW_DOCKBAR_BOTTOM, CRect(0, 0, 300, 100));
    COXSizeDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    Layout();
    CPoint ptDockTop(0, 0);
    pTop->ClientToScreen(&ptDockTop);
    CRect rectC;
    pC->GetWindowRect(&rectC);
    const int h = pC->m_HorzDockSize.cy;
    ASSERT_GT(h / 2, 20) << "the drag rectangle must reach into the dock bar";
    // the drag rectangle's middle 20 pixels above the dock bar's first row
    const CPoint ptStart = CaptionPoint(pC);
    const CPoint ptEnd(FrameCenter().x, ptStart.y + (ptDockTop.y - 20 - h / 2) - rectC.top);
    CRect rectOutline, rectDrag;
    m_probe.m_step = [&]() {
        rectOutline = ContextOf(pC)->m_rectDock;
        rectDrag = ContextOf(pC)->m_rectDragHorz;
    };
    QueueMove(pC, ptEnd);
    m_probe.PostMessage(WM_APP + 1);
    QueueMove(pC, ptEnd, WM_LBUTTONUP);
    pC->m_pDockContext->StartDrag(ptStart);
    Layout();
    ASSERT_EQ(ptDockTop.y - 20, rectDrag.CenterPoint().y);
    ASSERT_EQ(pTop, pC->m_pDockBar);
    EXPECT_LT(pTop->RowStart(pTop->FindBar(pC)), pTop->RowStart(pTop->FindBar(pA))) << "the drop heads a row of its own";
    CRect rectDropped;
    pC->GetWindowRect(&rectDropped);
    EXPECT_NEAR(rectDropped.Width(), rectOutline.Width(), 4) << "the outline showed another length than the drop gave";
}

TEST_F(DockTabsFrame, TheFeedbackIsATopmostWindowWhileTheDragRunsOrTheDesktopBehindTheSwitch)
{
    CTabTestBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP);
    Layout();
    for (BOOL bDesktop : {FALSE, TRUE}) {
        COXDragDockContext::SetDrawOnDesktop(bDesktop);
        COXDragDockContext* pContext = ContextOf(pA);
        BOOL bShown = FALSE, bTopmost = FALSE, bHeldDC = FALSE, bCaptured = FALSE;
        CRect rectShown;
        m_probe.m_step = [&]() {
            bShown = pContext->m_wndFeedback.IsShown();
            if (bShown) {
                bTopmost = (pContext->m_wndFeedback.GetExStyle() & WS_EX_TOPMOST) != 0;
                pContext->m_wndFeedback.GetWindowRect(&rectShown);
            }
            bHeldDC = pContext->m_pDC != NULL;
            bCaptured = ::GetCapture() == pA->m_hWnd;
        };
        QueueMove(pA, FrameCenter());
        m_probe.PostMessage(WM_APP + 1);
        pA->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        pA->m_pDockContext->StartDrag(CaptionPoint(pA));
        EXPECT_TRUE(bCaptured) << bDesktop;
        if (bDesktop) {
            EXPECT_FALSE(bShown);
            EXPECT_TRUE(bHeldDC);
        } else {
            EXPECT_TRUE(bShown);
            EXPECT_TRUE(bTopmost);
            EXPECT_EQ(pContext->m_rectFrameDragHorz, rectShown) << "floating: the frame's outline";
            EXPECT_FALSE(bHeldDC);
        }
        EXPECT_FALSE(pContext->m_wndFeedback.IsShown()) << bDesktop;
        EXPECT_EQ(NULL, pContext->m_pDC) << bDesktop;
        // the desktop's lock is free again
        EXPECT_TRUE(::LockWindowUpdate(m_probe.m_hWnd)) << bDesktop;
        ::LockWindowUpdate(NULL);
    }
}

TEST_F(DockTabsFrame, AQuitPostedDuringTheDragEndsItAndStaysQueued)
{
    CTabTestBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP);
    Layout();
    m_pFrame->m_messageIds.clear();
    QueueMove(pA, FrameCenter());
    ::PostQuitMessage(5);
    pA->m_pDockContext->StartDrag(CaptionPoint(pA));
    EXPECT_FALSE(pA->IsFloating());
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_FALSE(ContextOf(pA)->m_wndFeedback.IsShown());
    EXPECT_EQ(AFX_IDS_IDLEMESSAGE, m_pFrame->m_messageIds.back());
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit must reach the message loop";
    EXPECT_EQ(5, (int)msg.wParam);
}

TEST_F(DockTabsFrame, ABarDeletedDuringItsDragEndsTheDragAndGivesEverythingBack)
{
    CTabTestBar* pA = AddBar(AFX_IDW_DOCKBAR_TOP);
    Layout();
    COXDragDockContext::SetDrawOnDesktop(TRUE);
    m_probe.m_step = [&]() {
        pA->DestroyWindow();
        delete pA;   // and its dock context, whose loop is running
        m_bars.clear();
    };
    QueueMove(pA, FrameCenter());
    m_probe.PostMessage(WM_APP + 1);
    QueueMove(pA, FrameCenter(), WM_LBUTTONUP);
    pA->m_pDockContext->StartDrag(CaptionPoint(pA));
    EXPECT_TRUE(m_bars.empty()) << "the bar went during the drag";
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_TRUE(::LockWindowUpdate(m_probe.m_hWnd)) << "the desktop is unlocked";
    ::LockWindowUpdate(NULL);
    PumpPending();
}

TEST_F(DockTabsFrame, TheLoopGuardGivesBackTheMouseTheLockAndTheDCWhenAnExceptionLeaves)
{
    try {
        COXDragLoopGuard guard;
        guard.Capture(m_probe.m_hWnd);
        ASSERT_TRUE(guard.TakeDesktop() != NULL);
        ASSERT_EQ(m_probe.m_hWnd, ::GetCapture());
        throw std::runtime_error("mid-drag");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_TRUE(::LockWindowUpdate(m_probe.m_hWnd)) << "the desktop is unlocked";
    ::LockWindowUpdate(NULL);
}

// A bar that fails, once armed, the next time anyone asks what it is: the
// drag's move step asks (is it a sizing bar of the row under the cursor?)
// directly, not through a window procedure, so the failure leaves the loop.
class CFailingBar : public CTabTestBar
{
public:
    CRuntimeClass* GetRuntimeClass() const override
    {
        if (s_bArmed) {
            s_bArmed = false;
            ++s_nThrown;
            AfxThrowUserException();
        }
        return CTabTestBar::GetRuntimeClass();
    }
    static bool s_bArmed;
    static int s_nThrown;
};
bool CFailingBar::s_bArmed = false;
int CFailingBar::s_nThrown = 0;

// The context with what a running drag leaves in it in view.
class COpenDragContext : public COXDragDockContext
{
public:
    using COXDragDockContext::COXDragDockContext;
    bool HoldsADrag() const { return m_pGuard != NULL || m_pbDeleted != NULL || m_pDC != NULL; }
};

TEST_F(DockTabsFrame, AFailureInsideTheDragLoopGivesBackTheMouseTheDesktopAndTheContext)
{
    CFailingBar* pA = new CFailingBar;
    m_bars.push_back(pA);
    ASSERT_TRUE(pA->Create(m_pFrame, "Failing", kBarIds[0], WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 200, 100)));
    pA->EnableDocking(CBRS_ALIGN_ANY);
    delete pA->m_pDockContext;
    COpenDragContext* pContext = new COpenDragContext(pA);
    pA->m_pDockContext = pContext;
    m_pFrame->DockControlBar(pA, AFX_IDW_DOCKBAR_TOP);
    Layout();
    for (BOOL bDesktop : {FALSE, TRUE}) {
        COXDragDockContext::SetDrawOnDesktop(bDesktop);
        BOOL bCaptured = FALSE;
        m_probe.m_step = [&]() {
            bCaptured = ::GetCapture() == pA->m_hWnd;
            CFailingBar::s_bArmed = true;
        };
        CFailingBar::s_nThrown = 0;
        // the move over the bar's own row asks what the bars of that row are
        const CPoint pt = CaptionPoint(pA);
        m_probe.PostMessage(WM_APP + 1);
        QueueMove(pA, pt + CPoint(5, 0));
        QueueMove(pA, pt + CPoint(5, 0), WM_LBUTTONUP);
        BOOL bLeft = FALSE;
        try {
            pA->m_pDockContext->StartDrag(pt);
        } catch (CException* e) {
            bLeft = e->IsKindOf(RUNTIME_CLASS(CUserException));
            e->Delete();
        }
        CFailingBar::s_bArmed = false;
        // the release queued for the drag stays unread: passed on now, it
        // would end any capture the bar still holds
        MSG msg;
        while (::PeekMessage(&msg, pA->m_hWnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        }
        ASSERT_TRUE(bCaptured) << bDesktop;
        ASSERT_EQ(1, CFailingBar::s_nThrown) << bDesktop;
        ASSERT_TRUE(bLeft) << "the failure did not leave the drag " << bDesktop;
        EXPECT_EQ(NULL, ::GetCapture()) << "the bar keeps the mouse " << bDesktop;
        EXPECT_TRUE(::LockWindowUpdate(m_probe.m_hWnd)) << "the desktop stays locked " << bDesktop;
        ::LockWindowUpdate(NULL);
        EXPECT_FALSE(pContext->m_wndFeedback.IsShown()) << bDesktop;
        EXPECT_FALSE(pContext->HoldsADrag()) << "the context points into the drag that failed " << bDesktop;
    }
    // and the next drag runs as any other
    COXDragDockContext::SetDrawOnDesktop(FALSE);
    m_probe.m_step = nullptr;
    QueueMove(pA, FrameCenter());
    QueueMove(pA, FrameCenter(), WM_LBUTTONUP);
    pA->m_pDockContext->StartDrag(CaptionPoint(pA));
    EXPECT_TRUE(pA->IsFloating());
    EXPECT_EQ(NULL, ::GetCapture());
}

// ---------------------------------------------------------------------------
// The 3D tab view container
// ---------------------------------------------------------------------------

class CPageView : public CView
{
    DECLARE_DYNCREATE(CPageView)
public:
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override { ++m_nInitialUpdates; }
    int m_nInitialUpdates = 0;
};
IMPLEMENT_DYNCREATE(CPageView, CView)

class TabViewContainer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(NULL, "Tab views", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 440)));
        ASSERT_TRUE(m_container.Create(NULL, "views", WS_CHILD | WS_VISIBLE, CRect(0, 0, 500, 300), &m_frame,
                                       AFX_IDW_PANE_FIRST));
        m_frame.ShowWindow(SW_SHOWNORMAL);
        PumpPending();
    }
    void TearDown() override
    {
        if (::IsWindow(m_frame.m_hWnd))
            m_frame.DestroyWindow();
    }
    CPageView* AddView(LPCTSTR lpszTitle)
    {
        const int n = m_container.GetPageCount();
        EXPECT_TRUE(m_container.InsertPage(n, RUNTIME_CLASS(CPageView), NULL, lpszTitle));
        return DYNAMIC_DOWNCAST(CPageView, m_container.GetPage(n));
    }
    void ClickTab(int nTab)
    {
        CRect r;
        m_container.GetItemRect(nTab, &r);
        m_container.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y));
        m_container.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y));
    }

    // the frame is a plain CFrameWnd destroyed with its window
    class CHostFrame : public CFrameWnd
    {
        void PostNcDestroy() override {}
    } m_frame;
    COX3DTabViewContainer m_container;
};

TEST_F(TabViewContainer, PagesFromRuntimeClassesGetIdsOneTwoAndAFreedIdComesBack)
{
    CPageView* p1 = AddView("One");
    CPageView* p2 = AddView("Two");
    ASSERT_TRUE(p1 != NULL && p2 != NULL);
    EXPECT_EQ(1, p1->GetDlgCtrlID());
    EXPECT_EQ(2, p2->GetDlgCtrlID());
    EXPECT_EQ(1, p1->m_nInitialUpdates);
    EXPECT_TRUE(m_container.DeletePage(0, TRUE));
    CPageView* p3 = AddView("Three");
    EXPECT_EQ(1, p3->GetDlgCtrlID());
    EXPECT_EQ(3u, m_container.GetUniqueId()) << "then on from where the count was";

    // a page's own id never goes to two pages
    CWnd* pOwn = new CWnd;
    ASSERT_TRUE(pOwn->CreateEx(0, AfxRegisterWndClass(0), "own", WS_CHILD, CRect(0, 0, 5, 5), &m_frame, 4));
    ASSERT_TRUE(m_container.InsertPage(0, pOwn, "Own"));
    EXPECT_TRUE(m_container.DeletePage(pOwn, TRUE));
    delete pOwn;
    CPageView* p4 = AddView("Four");
    CPageView* p5 = AddView("Five");
    EXPECT_NE(p4->GetDlgCtrlID(), p5->GetDlgCtrlID());
}

TEST_F(TabViewContainer, ClickingATabSwitchesThePageAndTheFramesActiveView)
{
    CPageView* p1 = AddView("One");
    CPageView* p2 = AddView("Two");
    EXPECT_EQ(1, m_container.GetActivePageIndex());
    EXPECT_EQ(p2, m_frame.GetActiveView());
    ClickTab(0);
    EXPECT_EQ(0, m_container.GetActivePageIndex());
    EXPECT_EQ(p1, m_frame.GetActiveView());
    EXPECT_TRUE(p1->IsWindowVisible());
    EXPECT_FALSE(p2->IsWindowVisible());
    CRect rectPage;
    p1->GetWindowRect(&rectPage);
    m_container.ScreenToClient(&rectPage);
    EXPECT_EQ(m_container.GetPageRect(), rectPage);
    EXPECT_FALSE(rectPage.IsRectEmpty());

    // a plain window page clears the active view
    CWnd* pPlain = new CWnd;
    ASSERT_TRUE(pPlain->CreateEx(0, AfxRegisterWndClass(0), "plain", WS_CHILD, CRect(0, 0, 10, 10), &m_frame, 77));
    EXPECT_TRUE(m_container.InsertPage(0, pPlain, "Plain"));
    EXPECT_EQ(0, m_container.GetActivePageIndex());
    EXPECT_EQ(NULL, m_frame.GetActiveView());
    int nIndex = -1;
    EXPECT_TRUE(m_container.FindPage(p1->m_hWnd, nIndex));
    EXPECT_EQ(1, nIndex);
    EXPECT_FALSE(m_container.InsertPage(5, pPlain, "too far"));
    m_container.DeletePage(pPlain, FALSE);
    pPlain->DestroyWindow();
    delete pPlain;
}

TEST_F(TabViewContainer, DeletingPagesKeepsTheActiveIndexNamingItsPage)
{
    struct Case
    {
        const char* name;
        int nActive, nDelete, nActiveAfter;
        const char* pszActiveTitle;
    } cases[] = {
        {"the active last of three: the first", 2, 2, 0, "A"},
        {"the active first: the next", 0, 0, 0, "B"},
        {"one before the active", 2, 0, 1, "C"},
        {"one after the active", 0, 1, 0, "A"},
    };
    for (const Case& c : cases) {
        while (m_container.GetPageCount() > 0)
            m_container.DeletePage(0, TRUE);
        AddView("A");
        AddView("B");
        AddView("C");
        m_container.SetActivePageIndex(c.nActive);
        EXPECT_TRUE(m_container.DeletePage(c.nDelete, TRUE)) << c.name;
        EXPECT_EQ(c.nActiveAfter, m_container.GetActivePageIndex()) << c.name;
        TCHAR sz[8] = {};
        TCITEM item = {};
        item.mask = TCIF_TEXT;
        item.pszText = sz;
        item.cchTextMax = 8;
        m_container.GetItem(m_container.GetActivePageIndex(), &item);
        EXPECT_STREQ(c.pszActiveTitle, sz) << c.name;
        EXPECT_EQ(m_container.GetActivePageIndex(), m_container.GetCurSel()) << c.name;
    }
    EXPECT_FALSE(m_container.DeletePage(7, TRUE));
    while (m_container.GetPageCount() > 1)
        m_container.DeletePage(0, TRUE);
    EXPECT_TRUE(m_container.DeletePage(0, TRUE));
    EXPECT_EQ(-1, m_container.GetActivePageIndex()) << "none after the only page";
}

TEST_F(TabViewContainer, ALoneTabTooWideGetsAnEmptyTabThatGoesWhenThereIsRoom)
{
    m_container.SetWindowPos(NULL, 0, 0, 150, 200, SWP_NOMOVE | SWP_NOZORDER);
    AddView("A rather long title for so small a container");
    m_container.RecalcLayout();
    EXPECT_TRUE(m_container.HasDummyTab());
    m_container.RecalcLayout();
    EXPECT_TRUE(m_container.HasDummyTab()) << "the empty tab stays while the real one does not fit";
    EXPECT_EQ(2, m_container.GetItemCount());
    EXPECT_EQ(1, m_container.GetPageCount());
    m_container.SetWindowPos(NULL, 0, 0, 580, 300, SWP_NOMOVE | SWP_NOZORDER);
    m_container.RecalcLayout();
    EXPECT_FALSE(m_container.HasDummyTab());
    EXPECT_EQ(1, m_container.GetItemCount());
    m_container.RecalcLayout();
    EXPECT_FALSE(m_container.HasDummyTab()) << "it does not come back at the next layout";
}

TEST(TabViewContainerSkin, TheFlatSkinFramesThePageNotTheDisplayArea)
{
    CWinApp* pPrevious = AfxGetApp();
    COXSkinnedApp* pApp = new COXSkinnedApp;
    {
        CWnd host;
        ASSERT_TRUE(CreateHostWindow(host, "views", WS_POPUP | WS_VISIBLE, CRect(50, 50, 450, 350)));
        COX3DTabViewContainer container;
        ASSERT_TRUE(container.Create(NULL, "views", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &host, 5));
        ASSERT_TRUE(dynamic_cast<COXTabSkinXP*>(container.GetTabSkin()) != nullptr);
        CWnd* pPage = new CWnd;
        ASSERT_TRUE(pPage->CreateEx(0, AfxRegisterWndClass(0), "page", WS_CHILD, CRect(0, 0, 5, 5), &host, 9));
        ASSERT_TRUE(container.InsertPage(0, pPage, "Page"));
        CRect rectDisplay;
        container.GetClientRect(&rectDisplay);
        container.AdjustRect(FALSE, &rectDisplay);
        CRect rectFrame = container.GetPageRect();
        rectFrame.InflateRect(1, 1);
        ASSERT_NE(rectDisplay.right - 1, rectFrame.right - 1) << "the two frames must differ somewhere";
        container.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        CClientDC dc(&container);
        EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), dc.GetPixel(rectFrame.right - 1, rectFrame.CenterPoint().y));
        container.DestroyWindow();
        delete pPage;
        host.DestroyWindow();
    }
    delete pApp;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_pCurrentWinApp = pPrevious;
    pState->m_lpszCurrentAppName = pPrevious != NULL ? pPrevious->m_pszAppName : NULL;
}

// Moves the cursor as the script says while OLE's drag loop runs.
class CScriptedDropSource : public COleDropSource
{
public:
    std::function<SCODE(int nStep)> m_script;
    int m_nStep = 0;
    SCODE QueryContinueDrag(BOOL, DWORD) override { return m_script(m_nStep++); }
};

TEST(TabViewContainerOle, AnOLEDragRestingOnATabBringsItsPageUp)
{
    ASSERT_TRUE(AfxOleInit());
    class CHostFrame : public CFrameWnd
    {
        void PostNcDestroy() override {}
    } frame;
    ASSERT_TRUE(frame.Create(NULL, "Tab views", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 440)));
    COX3DTabViewContainer container;
    ASSERT_TRUE(container.Create(NULL, "views", WS_CHILD | WS_VISIBLE, CRect(0, 0, 500, 300), &frame,
                                 AFX_IDW_PANE_FIRST));
    ASSERT_EQ(container.m_hWnd, container.m_dropTarget.m_hWnd) << "registered as a drop target";
    for (LPCTSTR lpszTitle : {"One", "Two", "Three"})
        ASSERT_TRUE(container.InsertPage(container.GetPageCount(), RUNTIME_CLASS(CPageView), NULL, lpszTitle));
    container.SetActivePageIndex(0);
    frame.ShowWindow(SW_SHOWNORMAL);
    frame.UpdateWindow();
    PumpPending();

    CRect r;
    container.GetItemRect(2, &r);
    container.ClientToScreen(&r);
    const CPoint ptTab = r.CenterPoint();
    COleDataSource* pData = new COleDataSource;
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(::GlobalLock(hGlobal), "words", 6);
    ::GlobalUnlock(hGlobal);
    pData->CacheGlobalData(CF_TEXT, hGlobal);
    CScriptedDropSource source;
    source.m_script = [&](int nStep) -> SCODE {
        if (nStep < 12) {
            ::SetCursorPos(ptTab.x + nStep % 3, ptTab.y);
            return S_OK;
        }
        return DRAGDROP_S_CANCEL;
    };
    ::SetCursorPos(ptTab.x, ptTab.y);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, pData->DoDragDrop(DROPEFFECT_COPY, CRect(0, 0, 0, 0), &source))
        << "the container takes no drop";
    pData->InternalRelease();
    EXPECT_EQ(2, container.GetActivePageIndex());
    frame.DestroyWindow();
}

TEST_F(TabViewContainer, HoveringATabDuringADragBringsItsPageUp)
{
    AddView("One");
    AddView("Two");
    AddView("Three");
    m_container.SetActivePageIndex(0);
    COleDataObject data;
    CRect r;
    m_container.GetItemRect(2, &r);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE,
              m_container.m_dropTarget.OnDragOver(&m_container, &data, MK_LBUTTON, r.CenterPoint()));
    EXPECT_EQ(2, m_container.GetActivePageIndex());
    // off: hovering does nothing
    m_container.m_dropTarget.m_bSwitchOnDragOver = FALSE;
    m_container.GetItemRect(1, &r);
    m_container.m_dropTarget.OnDragOver(&m_container, &data, MK_LBUTTON, r.CenterPoint());
    EXPECT_EQ(2, m_container.GetActivePageIndex());
}

// In the Classic skin the container's tabs are the stock control's own
// drawing: a bare tab control of the same style, font, size and items, with
// none of the toolkit's code, draws its tab strip pixel for pixel the same,
// labels included (where an unselected label stands lower than the
// selected one is the stock control's placement).
TEST_F(TabViewContainer, ClassicTabsAreTheStockControlsOwnDrawing)
{
    ASSERT_TRUE(PlaceCursor(CPoint(5, 5))) << "the pointer must be off the hot-tracked tabs";
    AddView("Keywords");
    AddView("Basket");
    m_container.SetActivePageIndex(0);
    ASSERT_TRUE(dynamic_cast<COXTabSkinClassic*>(m_container.GetTabSkin()) != nullptr);
    CRect rectClient;
    m_container.GetClientRect(&rectClient);
    CRect rectWindow;
    m_container.GetWindowRect(&rectWindow);

    CWnd host;
    ASSERT_TRUE(CreateHostWindow(host, "bare tabs", WS_POPUP | WS_VISIBLE,
                                 CRect(rectWindow.left, rectWindow.bottom + 10, rectWindow.left + rectClient.Width(),
                                       rectWindow.bottom + 10 + rectClient.Height())));
    HWND hBare = ::CreateWindowExA(0, WC_TABCONTROLA, NULL, m_container.GetStyle() & ~WS_BORDER, 0, 0,
                                   rectClient.Width(), rectClient.Height(), host.m_hWnd, NULL, NULL, NULL);
    ASSERT_NE((HWND)NULL, hBare);
    ::SendMessage(hBare, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), TRUE);
    for (const char* pszText : {"Keywords", "Basket"}) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = (LPSTR)pszText;
        ::SendMessage(hBare, TCM_INSERTITEMA, ::SendMessage(hBare, TCM_GETITEMCOUNT, 0, 0), (LPARAM)&item);
    }
    ::SendMessage(hBare, TCM_SETCURSEL, 0, 0);
    for (HWND hWnd : {hBare, m_container.m_hWnd})
        ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);

    for (int i = 0; i < 2; ++i) {
        CRect rect, rectBare;
        ASSERT_TRUE(m_container.GetItemRect(i, &rect));
        ASSERT_TRUE(::SendMessage(hBare, TCM_GETITEMRECT, i, (LPARAM)&rectBare));
        EXPECT_EQ(rectBare, rect) << i;
    }
    // The strip: from the bottom of the display area to the client's bottom.
    CRect rectStrip(rectClient);
    m_container.AdjustRect(FALSE, &rectStrip);
    rectStrip.top = rectStrip.bottom;
    rectStrip.bottom = rectClient.bottom;
    ASSERT_FALSE(rectStrip.IsRectEmpty());
    HDC hdcOurs = ::GetDC(m_container.m_hWnd), hdcBare = ::GetDC(hBare);
    int nDiffer = 0;
    CPoint ptFirst(-1, -1);
    for (int y = rectStrip.top; y < rectStrip.bottom; ++y)
        for (int x = rectStrip.left; x < rectStrip.right; ++x)
            if (::GetPixel(hdcOurs, x, y) != ::GetPixel(hdcBare, x, y) && nDiffer++ == 0)
                ptFirst = CPoint(x, y);
    ::ReleaseDC(hBare, hdcBare);
    ::ReleaseDC(m_container.m_hWnd, hdcOurs);
    EXPECT_EQ(0, nDiffer) << "the first at (" << ptFirst.x << ", " << ptFirst.y << ")";
    // and the labels are there to be compared
    CClientDC dc(&m_container);
    for (int i = 0; i < 2; ++i) {
        CRect rect;
        m_container.GetItemRect(i, &rect);
        rect.DeflateRect(3, 3);
        CRect rectInk = InkBounds(dc, rect, ::GetSysColor(COLOR_BTNFACE));
        EXPECT_FALSE(rectInk.IsRectEmpty()) << "tab " << i << " shows no label";
    }
    host.DestroyWindow();
}

}   // namespace
