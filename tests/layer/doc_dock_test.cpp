// Docking: bars docked in rows at the frame's edges, dragged with the mouse,
// floated into mini frames and docked back, hidden and shown; the dock
// state saved and restored; tool bars laid out docked and floating.
#include "doc_test.h"
#include <afxpriv.h>
#include "testdrawing.h"
#include <malloc.h>
#include <algorithm>
#include <climits>
#include <memory>
#include <new>
#include "ByteFuzzer.h"

namespace {

const UINT kBarA = AFX_IDW_CONTROLBAR_FIRST + 40;
const UINT kBarB = AFX_IDW_CONTROLBAR_FIRST + 41;
const UINT kBarC = AFX_IDW_CONTROLBAR_FIRST + 42;

// Pumps the thread's messages for ms milliseconds (the drag loop runs from
// the dispatch of the press).
void Pump(DWORD ms)
{
    DWORD dwEnd = ::GetTickCount() + ms;
    do {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (!AfxGetApp()->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        ::Sleep(5);
    } while ((LONG)(::GetTickCount() - dwEnd) < 0);
}

// Real mouse input at screen points.
void MouseInput(DWORD dwFlags, CPoint pt)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof(input));
}

// A press at from, moves to to, a release there.
void Drag(CPoint from, CPoint to)
{
    MouseInput(0, from);
    Pump(30);
    MouseInput(MOUSEEVENTF_LEFTDOWN, from);
    for (int i = 1; i <= 4; i++)
        MouseInput(0, CPoint(from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4));
    MouseInput(MOUSEEVENTF_LEFTUP, to);
    Pump(300);
}

void DoubleClick(CPoint pt)
{
    MouseInput(0, pt);
    Pump(30);
    MouseInput(MOUSEEVENTF_LEFTDOWN, pt);
    MouseInput(MOUSEEVENTF_LEFTUP, pt);
    MouseInput(MOUSEEVENTF_LEFTDOWN, pt);
    MouseInput(MOUSEEVENTF_LEFTUP, pt);
    Pump(300);
}

CRect WindowRect(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
}

// A frame that records what the tests look at.
class CDockTestFrame : public CFrameWnd
{
public:
    std::vector<BOOL> m_ncActivate;    // WM_NCACTIVATE flags received
    std::vector<BOOL> m_layoutNotify;  // RecalcLayout's bNotify
    std::vector<DWORD_PTR> m_help;     // WinHelp contexts
    BOOL m_bCheck = TRUE;

    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        m_layoutNotify.push_back(bNotify);
        CFrameWnd::RecalcLayout(bNotify);
    }
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override
    {
        (void)nCmd;
        m_help.push_back(dwData);
    }

protected:
    afx_msg BOOL OnNcActivate(BOOL bActive)
    {
        m_ncActivate.push_back(bActive);
        return CFrameWnd::OnNcActivate(bActive);
    }
    afx_msg void OnFrameCmd() {}
    afx_msg void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bCheck); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDockTestFrame, CFrameWnd)
    ON_WM_NCACTIVATE()
    ON_COMMAND(ID_DOC_FRAMECMD, &CDockTestFrame::OnFrameCmd)
    ON_COMMAND(ID_DOC_CHECKCMD, &CDockTestFrame::OnFrameCmd)
    ON_UPDATE_COMMAND_UI(ID_DOC_CHECKCMD, &CDockTestFrame::OnUpdateCheck)
END_MESSAGE_MAP()

// Six buttons and a separator, dockable anywhere, sizing itself when it
// floats.
BOOL MakeToolBar(CToolBar& bar, CFrameWnd* pFrame, UINT nID, LPCTSTR lpszTitle)
{
    if (!bar.CreateEx(pFrame, TBSTYLE_FLAT,
                      WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
                      CRect(0, 0, 0, 0), nID))
        return FALSE;
    const UINT ids[] = {ID_DOC_FRAMECMD, ID_DOC_CHECKCMD, ID_SEPARATOR, ID_DOC_VIEWCMD, ID_DOC_DOCCMD,
                        ID_DOC_BOTHCMD, ID_DOC_NOHANDLER};
    if (!bar.SetButtons(ids, (int)_countof(ids)))
        return FALSE;
    bar.SetWindowText(lpszTitle);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

// The index of pBar in pDockBar's entries, -1 when not there.
int DockIndex(CDockBar* pDockBar, CControlBar* pBar)
{
    return pDockBar->FindBar(pBar);
}

// The row (0 = first) of entry nPos.
int RowOf(CDockBar* pDockBar, int nPos)
{
    int nRow = -1;
    for (int i = 0; i <= nPos; i++) {
        if (pDockBar->m_arrBars[i] == NULL)
            nRow++;
    }
    return nRow;
}

class DockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_docLog.clear();
        ASSERT_TRUE(CreateFrame());
    }
    void TearDown() override { DestroyFrame(); }

    BOOL CreateFrame()
    {
        m_pFrame = new CDockTestFrame;
        if (!m_pFrame->Create(NULL, "Docking", WS_OVERLAPPEDWINDOW, CRect(100, 100, 740, 560)))
            return FALSE;
        m_hFrame = m_pFrame->m_hWnd;
        m_bars[0].reset(new CToolBar);
        m_bars[1].reset(new CToolBar);
        m_bars[2].reset(new CToolBar);
        if (!MakeToolBar(*m_bars[0], m_pFrame, kBarA, "Bar A") || !MakeToolBar(*m_bars[1], m_pFrame, kBarB, "Bar B") ||
            !MakeToolBar(*m_bars[2], m_pFrame, kBarC, "Bar C"))
            return FALSE;
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->SetForegroundWindow();
        return TRUE;
    }
    void DestroyFrame()
    {
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        m_hFrame = NULL;
        for (auto& bar : m_bars)
            bar.reset();
        Pump(20);
    }
    CDockBar* DockBar(UINT nID) { return (CDockBar*)m_pFrame->GetControlBar(nID); }
    CToolBar& A() { return *m_bars[0]; }
    CToolBar& B() { return *m_bars[1]; }
    CToolBar& C() { return *m_bars[2]; }

    // A and B share the top row, C docks at the left.
    void DockThree()
    {
        m_pFrame->DockControlBar(&A(), AFX_IDW_DOCKBAR_TOP);
        m_pFrame->RecalcLayout();
        CRect rect = WindowRect(&A());
        rect.OffsetRect(rect.Width(), 0);
        m_pFrame->DockControlBar(&B(), AFX_IDW_DOCKBAR_TOP, &rect);
        m_pFrame->DockControlBar(&C(), AFX_IDW_DOCKBAR_LEFT);
        m_pFrame->RecalcLayout();
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    // A point on the bar's gripper (an empty part of a docked bar).
    CPoint Gripper(CControlBar* pBar)
    {
        CRect rect = WindowRect(pBar);
        if (pBar->GetBarStyle() & CBRS_ORIENT_HORZ)
            return CPoint(rect.left + 5, rect.CenterPoint().y);
        return CPoint(rect.CenterPoint().x, rect.top + 5);
    }
    CPoint Caption(CFrameWnd* pFrame)
    {
        CRect rect = WindowRect(pFrame);
        return CPoint(rect.left + 12, rect.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
    }

    CDockTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = NULL;
    std::unique_ptr<CToolBar> m_bars[3];
};

TEST_F(DockTest, EnableDockingMakesTheFourDockBars)
{
    const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    const DWORD aligns[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    for (int i = 0; i < 4; i++) {
        CDockBar* pDockBar = DockBar(ids[i]);
        ASSERT_NE(pDockBar, nullptr) << i;
        EXPECT_TRUE(pDockBar->IsDockBar());
        EXPECT_FALSE(pDockBar->m_bFloating);
        EXPECT_EQ(pDockBar->m_dwStyle & CBRS_ALIGN_ANY, aligns[i]);
        EXPECT_EQ(pDockBar->m_arrBars.GetSize(), 1);   // the first row end only
        EXPECT_EQ(pDockBar->GetParent(), m_pFrame);
    }
    EXPECT_EQ(m_pFrame->m_pFloatingFrameClass, RUNTIME_CLASS(CMiniDockFrameWnd));
    ASSERT_NE(A().m_pDockContext, nullptr);
    EXPECT_EQ(A().GetOwner(), m_pFrame);   // wired to its parent for good
}

// Before: DockControlBar only set the alignment bits, every bar took a
// full-length strip and IsFloating was always FALSE.
TEST_F(DockTest, TwoBarsDockedOnOneSideShareARow)
{
    DockThree();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    CDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(A().m_pDockBar, pTop);
    EXPECT_EQ(B().m_pDockBar, pTop);
    EXPECT_EQ(C().m_pDockBar, pLeft);
    EXPECT_EQ(A().GetParent(), pTop);
    EXPECT_EQ(C().GetParent(), pLeft);
    EXPECT_FALSE(A().IsFloating());
    int nA = DockIndex(pTop, &A()), nB = DockIndex(pTop, &B());
    ASSERT_GT(nA, 0);
    EXPECT_EQ(nB, nA + 1);
    EXPECT_EQ(RowOf(pTop, nA), RowOf(pTop, nB));
    CRect rectA = WindowRect(&A()), rectB = WindowRect(&B()), rectC = WindowRect(&C());
    EXPECT_EQ(rectA.top, rectB.top);
    EXPECT_GE(rectB.left, rectA.right - 2);   // side by side, borders shared
    EXPECT_LT(rectA.Width(), 400);            // not a full-length strip
    // C is laid out vertically at the left, below the top dock bar
    EXPECT_GT(rectC.Height(), rectC.Width());
    EXPECT_GE(rectC.top, WindowRect(pTop).bottom - 2);
    EXPECT_EQ(C().GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_LEFT);
    EXPECT_EQ(A().GetBarStyle() & CBRS_BORDER_ANY, (DWORD)CBRS_BORDER_ANY);
    // the top dock bar is one row high: the bars' outer border lines are
    // under its edges, its own bottom border shows
    EXPECT_EQ(WindowRect(pTop).Height(), rectA.Height() - 2);
}

TEST_F(DockTest, RemovingBarsCleansUpRowsAndPlaceHolders)
{
    DockThree();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    // a bar docked without a place is at the end, in a row of its own
    m_pFrame->DockControlBar(&C(), AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(pTop->m_arrBars.GetSize(), 6);   // NULL A B NULL C NULL
    EXPECT_EQ(RowOf(pTop, DockIndex(pTop, &C())), 1);
    EXPECT_EQ(DockIndex(DockBar(AFX_IDW_DOCKBAR_LEFT), &C()), -1);
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT)->m_arrBars.GetSize(), 1);   // its emptied row is gone
    // taking C out with a place-holder keeps its id in the row
    pTop->RemoveControlBar(&C(), -1, 1);
    EXPECT_EQ(pTop->m_arrBars.GetSize(), 6);
    EXPECT_EQ((UINT_PTR)pTop->m_arrBars[4], (UINT_PTR)kBarC);
    EXPECT_EQ(pTop->GetDockedCount(), 2);
    pTop->RemovePlaceHolder(&C());
    EXPECT_EQ(pTop->m_arrBars.GetSize(), 4);   // NULL A B NULL
    C().m_pDockBar = NULL;
    // inserting at a point below the rows makes a new row; in a row, after
    // the bars left of it
    CRect rectB = WindowRect(&B());
    pTop->ScreenToClient(&rectB);
    int nPos = pTop->Insert(&C(), CRect(rectB.right + 5, rectB.top, rectB.right + 50, rectB.bottom),
                            CPoint(rectB.right + 20, rectB.CenterPoint().y));
    EXPECT_EQ(nPos, 3);
    EXPECT_EQ(pTop->m_arrBars[3], &C());
    pTop->m_arrBars.RemoveAt(3);
    nPos = pTop->Insert(&C(), CRect(0, 200, 40, 230), CPoint(20, 215));
    EXPECT_EQ(nPos, 4);
    EXPECT_EQ(pTop->m_arrBars[5], nullptr);
    pTop->m_arrBars.RemoveAt(4, 2);
    m_pFrame->DockControlBar(&C(), AFX_IDW_DOCKBAR_LEFT);
}

// Before: FloatControlBar did nothing; GetDockingFrame of a floating bar was
// the dock site.
TEST_F(DockTest, FloatingPutsTheBarInAMiniFrameAndLeavesAPlaceHolder)
{
    DockThree();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(&B(), CPoint(300, 400));
    Pump(20);
    ASSERT_TRUE(B().IsFloating());
    CFrameWnd* pMini = B().GetDockingFrame();
    ASSERT_NE(pMini, nullptr);
    EXPECT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_NE(pMini, (CFrameWnd*)m_pFrame);
    EXPECT_EQ(::GetWindow(pMini->m_hWnd, GW_OWNER), m_hFrame);
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
    // it appears with the caption its active owner has
    EXPECT_TRUE(((CMiniFrameWnd*)pMini)->m_bActive);
    EXPECT_EQ(WindowRect(pMini).TopLeft(), CPoint(300, 400));
    EXPECT_TRUE(B().GetBarStyle() & CBRS_FLOATING);
    CString strCaption;
    pMini->GetWindowText(strCaption);
    EXPECT_EQ(strCaption, "Bar B");
    // the frame takes the bar's size (FWS_SNAPTOBARS)
    CRect rectClient;
    pMini->GetClientRect(&rectClient);
    CRect rectBar = WindowRect(&B());
    EXPECT_NEAR(rectClient.Width(), rectBar.Width() - 4, 4);
    EXPECT_NEAR(rectClient.Height(), rectBar.Height() - 4, 4);
    // its place in the top row is kept
    int nHolder = pTop->FindBar((CControlBar*)(UINT_PTR)kBarB);
    EXPECT_GT(nHolder, 0);
    EXPECT_EQ(pTop->GetDockedCount(), 1);
    // the floating dock bar registered with the dock site
    EXPECT_NE(m_pFrame->m_listControlBars.Find(&((CMiniDockFrameWnd*)pMini)->m_wndDockBar), nullptr);

    // floating a bar that floats alone only moves its frame
    m_pFrame->FloatControlBar(&B(), CPoint(320, 410));
    EXPECT_EQ(B().GetDockingFrame(), pMini);
    EXPECT_EQ(WindowRect(pMini).TopLeft(), CPoint(320, 410));

    // docking it back takes the place-holder, in A's row
    HWND hMini = pMini->m_hWnd;
    B().m_pDockContext->ToggleDocking();
    Pump(20);
    EXPECT_FALSE(B().IsFloating());
    EXPECT_EQ(B().m_pDockBar, pTop);
    EXPECT_EQ(DockIndex(pTop, &B()), nHolder);
    EXPECT_EQ(RowOf(pTop, DockIndex(pTop, &A())), RowOf(pTop, nHolder));
    EXPECT_FALSE(::IsWindow(hMini));   // the emptied floating frame went
    EXPECT_EQ(pTop->FindBar((CControlBar*)(UINT_PTR)kBarB), -1);
}

HWND s_hWndEscape = NULL;
void CALLBACK PressEscape(HWND, UINT, UINT_PTR nID, DWORD)
{
    ::KillTimer(NULL, nID);
    ::PostMessage(s_hWndEscape, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(DockTest, DraggingMovesBarsBetweenSidesAndFloatsThem)
{
    DockThree();
    CDockBar* pBottom = DockBar(AFX_IDW_DOCKBAR_BOTTOM);
    CDockBar* pRight = DockBar(AFX_IDW_DOCKBAR_RIGHT);
    // B by its gripper to the bottom edge
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    m_pFrame->ClientToScreen(&rectClient);
    Drag(Gripper(&B()), CPoint(rectClient.left + 200, rectClient.bottom - 4));
    EXPECT_EQ(B().m_pDockBar, pBottom);
    EXPECT_EQ(B().GetBarStyle() & CBRS_ALIGN_ANY, (DWORD)CBRS_ALIGN_BOTTOM);
    EXPECT_EQ(B().m_pDockContext->m_uMRUDockID, (UINT)AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_NEAR(WindowRect(&B()).bottom, rectClient.bottom, 3);
    // A, to the right edge: laid out vertically
    Drag(Gripper(&A()), CPoint(rectClient.right - 4, rectClient.top + 150));
    EXPECT_EQ(A().m_pDockBar, pRight);
    CRect rectA = WindowRect(&A());
    EXPECT_GT(rectA.Height(), rectA.Width());
    // and into the open: a floating frame at the outline's place
    CPoint ptFree(rectClient.left + 250, rectClient.top + 200);
    Drag(Gripper(&B()), ptFree);
    ASSERT_TRUE(B().IsFloating());
    CFrameWnd* pMini = B().GetDockingFrame();
    EXPECT_TRUE(WindowRect(pMini).PtInRect(ptFree) || WindowRect(pMini).top <= ptFree.y + 30);
    EXPECT_EQ(B().m_pDockContext->m_ptMRUFloatPos, WindowRect(pMini).TopLeft());
    // Escape cancels a drag: the press on the caption starts one, a timer
    // in the drag loop presses Escape
    CRect rectMini = WindowRect(pMini);
    MouseInput(0, Caption(pMini));
    Pump(20);
    s_hWndEscape = B().m_hWnd;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, PressEscape);
    MouseInput(MOUSEEVENTF_LEFTDOWN, Caption(pMini));
    MouseInput(0, CPoint(Caption(pMini).x + 40, Caption(pMini).y + 40));
    Pump(300);
    ::KillTimer(NULL, nTimer);
    MouseInput(MOUSEEVENTF_LEFTUP, Caption(pMini));
    Pump(100);
    EXPECT_TRUE(B().IsFloating());
    EXPECT_EQ(WindowRect(B().GetDockingFrame()), rectMini);
    // dragging the floating frame by its caption docks it at the top (after
    // the double-click time: the last press was at the same place)
    Pump(600);
    CRect rectTop = WindowRect(DockBar(AFX_IDW_DOCKBAR_TOP));
    // (the emptied top dock bar is one pixel thick for the test; the outline
    // hangs below the cursor on the caption)
    EXPECT_EQ(rectTop.Height(), 0);
    Drag(Caption(B().GetDockingFrame()), CPoint(rectClient.left + 300, rectTop.top));
    EXPECT_FALSE(B().IsFloating());
    EXPECT_EQ(B().m_pDockBar, DockBar(AFX_IDW_DOCKBAR_TOP));
}

// Ctrl held while dragging floats the bar even over a dock bar.
TEST_F(DockTest, CtrlFloatsWhereTheOutlineWouldDock)
{
    DockThree();
    CRect rectTop = WindowRect(DockBar(AFX_IDW_DOCKBAR_TOP));
    CPoint from = Gripper(&B()), to(rectTop.left + 200, rectTop.CenterPoint().y);
    INPUT key = {};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = VK_CONTROL;
    MouseInput(0, from);
    Pump(30);
    MouseInput(MOUSEEVENTF_LEFTDOWN, from);
    ::SendInput(1, &key, sizeof(key));
    MouseInput(0, to);
    MouseInput(MOUSEEVENTF_LEFTUP, to);
    key.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &key, sizeof(key));
    Pump(300);
    EXPECT_TRUE(B().IsFloating());
}

// A row too long for the frame wraps: the bar that would start past its
// end goes to a row of its own; a bar running past the end is pushed back.
TEST_F(DockTest, ARowTooLongForTheFrameWraps)
{
    DockThree();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    int nWidth = WindowRect(&A()).Width();
    CRect rect;
    m_pFrame->GetWindowRect(&rect);
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    int cxFrame = rect.Width() - rectClient.Width();
    // B, further along than A's end, runs past the end: pushed back to A
    m_pFrame->SetWindowPos(NULL, 0, 0, cxFrame + nWidth + 20, rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(RowOf(pTop, DockIndex(pTop, &B())), 0);
    EXPECT_EQ(WindowRect(&B()).left, WindowRect(&A()).right - 2);
    // B would start past the end: a row of its own
    m_pFrame->SetWindowPos(NULL, 0, 0, cxFrame + nWidth - 4, rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(RowOf(pTop, DockIndex(pTop, &A())), 0);
    EXPECT_EQ(RowOf(pTop, DockIndex(pTop, &B())), 1);
    EXPECT_GT(WindowRect(&B()).top, WindowRect(&A()).top);
    EXPECT_EQ(WindowRect(&B()).left, WindowRect(&A()).left);
    EXPECT_EQ(WindowRect(pTop).Height(), 2 * (WindowRect(&A()).Height() - 2));
}

TEST_F(DockTest, DoubleClicksFloatAndDockBack)
{
    DockThree();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    int nB = DockIndex(pTop, &B());
    DoubleClick(Gripper(&B()));
    ASSERT_TRUE(B().IsFloating());
    CFrameWnd* pMini = B().GetDockingFrame();
    EXPECT_TRUE(pMini->IsWindowVisible());
    // it floats where it was docked; away from the dock bars (a press on
    // its caption there would dock it), a double click on the caption
    // docks it where it was
    m_pFrame->FloatControlBar(&B(), CPoint(350, 380));
    EXPECT_EQ(B().GetDockingFrame(), pMini);
    Pump(600);
    DoubleClick(Caption(pMini));
    EXPECT_FALSE(B().IsFloating());
    EXPECT_EQ(B().m_pDockBar, pTop);
    EXPECT_EQ(DockIndex(pTop, &B()), nB);
}

TEST_F(DockTest, HiddenAndShownBarsTakeTheirFloatingFramesAlong)
{
    DockThree();
    m_pFrame->FloatControlBar(&C(), CPoint(200, 300), CBRS_ALIGN_LEFT);
    CFrameWnd* pMini = C().GetDockingFrame();
    ASSERT_TRUE(C().IsFloating());
    m_pFrame->ShowControlBar(&C(), FALSE, FALSE);
    EXPECT_FALSE(C().IsWindowVisible());
    EXPECT_FALSE(pMini->IsWindowVisible());
    m_pFrame->ShowControlBar(&C(), TRUE, FALSE);
    EXPECT_TRUE(pMini->IsWindowVisible());
    // a docked bar: hidden, it takes no room; the next bar keeps its place
    // (a docked bar keeps a place further along its row than the packed one)
    CRect rectB = WindowRect(&B());
    m_pFrame->ShowControlBar(&A(), FALSE, FALSE);
    EXPECT_FALSE(A().IsVisible());
    m_pFrame->RecalcLayout();
    EXPECT_EQ(WindowRect(&B()).left, rectB.left);
    EXPECT_EQ(WindowRect(DockBar(AFX_IDW_DOCKBAR_TOP)).Height(), rectB.Height() - 2);
    m_pFrame->ShowControlBar(&A(), TRUE, TRUE);   // delayed
    EXPECT_TRUE(A().IsVisible());
    m_pFrame->ShowControlBar(&C(), FALSE, TRUE);
    AfxGetApp()->OnIdle(0);
    EXPECT_TRUE(A().IsWindowVisible());
    EXPECT_FALSE(pMini->IsWindowVisible());
    // closing the floating frame hides its bar
    m_pFrame->ShowControlBar(&C(), TRUE, FALSE);
    pMini->SendMessage(WM_CLOSE);
    EXPECT_FALSE(C().IsWindowVisible());
    EXPECT_FALSE(pMini->IsWindowVisible());
    EXPECT_TRUE(C().IsFloating());
}

// What DockThree and a floated B look like, kept for the restart.
struct Layout
{
    UINT nTopIDs[8];
    int nTopCount;
    BOOL bBFloating, bCVisible;
    CPoint ptBFrame;
    UINT nLeftOfA;
};

TEST_F(DockTest, DockStateSurvivesARestart)
{
    const char kProfile[] = "DockTestState";
    DockThree();
    // A moves below B's row... B floats, C is hidden
    m_pFrame->FloatControlBar(&B(), CPoint(420, 380));
    m_pFrame->ShowControlBar(&C(), FALSE, FALSE);
    m_pFrame->RecalcLayout();
    CFrameWnd* pMini = B().GetDockingFrame();
    CPoint ptMini = WindowRect(pMini).TopLeft();
    CPoint ptA = WindowRect(&A()).TopLeft();
    m_pFrame->SaveBarState(kProfile);
    CWinApp* pApp = AfxGetApp();
    EXPECT_GT((int)pApp->GetProfileInt(CString(kProfile) + "-Summary", "Bars", 0), 3);

    // the program restarts: a new frame with the same bars, docked anew
    DestroyFrame();
    ASSERT_TRUE(CreateFrame());
    m_pFrame->DockControlBar(&A(), AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->DockControlBar(&B(), AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->DockControlBar(&C(), AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->RecalcLayout();
    m_pFrame->LoadBarState(kProfile);
    m_pFrame->RecalcLayout();
    Pump(20);

    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(A().m_pDockBar, pTop);
    EXPECT_EQ(WindowRect(&A()).TopLeft(), ptA);
    ASSERT_TRUE(B().IsFloating());
    EXPECT_EQ(WindowRect(B().GetDockingFrame()).TopLeft(), ptMini);
    EXPECT_TRUE(B().GetDockingFrame()->IsWindowVisible());
    EXPECT_EQ(C().m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_FALSE(C().IsWindowVisible());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_BOTTOM)->GetDockedCount(), 0);
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_RIGHT)->GetDockedCount(), 0);
    // B's place in the top row is still kept: it docks back beside A
    B().m_pDockContext->ToggleDocking();
    EXPECT_EQ(B().m_pDockBar, pTop);
    EXPECT_EQ(RowOf(pTop, DockIndex(pTop, &A())), RowOf(pTop, DockIndex(pTop, &B())));

    // the same through an archive
    CDockState state;
    m_pFrame->GetDockState(state);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
    }
    file.SeekToBegin();
    CDockState loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), state.m_arrBarInfo.GetSize());
    for (int i = 0; i < (int)state.m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* p1 = (CControlBarInfo*)state.m_arrBarInfo[i];
        CControlBarInfo* p2 = (CControlBarInfo*)loaded.m_arrBarInfo[i];
        EXPECT_EQ(p1->m_nBarID, p2->m_nBarID);
        EXPECT_EQ(p1->m_pointPos, p2->m_pointPos);
        EXPECT_EQ(p1->m_arrBarID.GetSize(), p2->m_arrBarID.GetSize());
    }
    pApp->WriteProfileString(CString(kProfile) + "-Summary", NULL, NULL);
    for (int i = 0; i < 12; i++) {
        CString strSection;
        strSection.Format("%s-Bar%d", kProfile, i);
        pApp->WriteProfileString(strSection, NULL, NULL);
    }
}

TEST_F(DockTest, AStateNamingABarThatIsGoneLoadsWithoutHarm)
{
    DockThree();
    CDockState state;
    m_pFrame->GetDockState(state);
    // the top dock bar also names a bar that no longer exists, and a
    // state entry of its own stands for it
    for (int i = 0; i < (int)state.m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
        if (pInfo->m_nBarID == AFX_IDW_DOCKBAR_TOP) {
            pInfo->m_arrBarID.InsertAt(1, (void*)(UINT_PTR)(AFX_IDW_CONTROLBAR_FIRST + 77));
            pInfo->m_arrBarID.InsertAt(2, (void*)(UINT_PTR)((AFX_IDW_CONTROLBAR_FIRST + 78) | 0x10000));
        }
    }
    CControlBarInfo* pGone = new CControlBarInfo;
    pGone->m_nBarID = AFX_IDW_CONTROLBAR_FIRST + 77;
    pGone->m_bDocking = TRUE;
    pGone->m_pointPos = CPoint(5, 5);
    state.m_arrBarInfo.Add(pGone);
    CControlBarInfo* pFloatGone = new CControlBarInfo;   // a floating frame of it
    pFloatGone->m_nBarID = AFX_IDW_DOCKBAR_FLOAT;
    pFloatGone->m_bDockBar = pFloatGone->m_bFloating = TRUE;
    pFloatGone->m_pointPos = CPoint(50, 50);
    pFloatGone->m_arrBarID.Add(NULL);
    pFloatGone->m_arrBarID.Add((void*)(UINT_PTR)(AFX_IDW_CONTROLBAR_FIRST + 77));
    pFloatGone->m_arrBarID.Add(NULL);
    state.m_arrBarInfo.Add(pFloatGone);

    m_pFrame->SetDockState(state);
    m_pFrame->RecalcLayout();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(A().m_pDockBar, pTop);
    EXPECT_EQ(B().m_pDockBar, pTop);
    EXPECT_EQ(pTop->GetDockedCount(), 2);
    EXPECT_TRUE(A().IsWindowVisible());
    // no floating frame was left for the missing bar
    POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = (CControlBar*)m_pFrame->m_listControlBars.GetNext(pos);
        EXPECT_FALSE(pBar->IsDockBar() && ((CDockBar*)pBar)->m_bFloating);
    }
    // through the profile: the bar's section names an id nothing has
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileInt("DockGone-Summary", "Bars", 1);
    pApp->WriteProfileInt("DockGone-Bar0", "BarID", AFX_IDW_CONTROLBAR_FIRST + 90);
    pApp->WriteProfileInt("DockGone-Bar0", "Visible", 0);
    m_pFrame->LoadBarState("DockGone");
    EXPECT_TRUE(A().IsWindowVisible());
    pApp->WriteProfileString("DockGone-Summary", NULL, NULL);
    pApp->WriteProfileString("DockGone-Bar0", NULL, NULL);
}

// Before: the floating palette's activation left the frame's caption
// inactive.
TEST_F(DockTest, TheFrameCaptionStaysActiveWhileItsPaletteIsActive)
{
    DockThree();
    m_pFrame->FloatControlBar(&B(), CPoint(300, 300));
    CFrameWnd* pMini = B().GetDockingFrame();
    m_pFrame->SetForegroundWindow();
    m_pFrame->SetActiveWindow();
    Pump(20);
    m_pFrame->m_ncActivate.clear();
    ::SetActiveWindow(pMini->m_hWnd);
    Pump(20);
    ASSERT_EQ(::GetActiveWindow(), pMini->m_hWnd);
    ASSERT_FALSE(m_pFrame->m_ncActivate.empty());
    EXPECT_TRUE(m_pFrame->m_ncActivate.back());
    EXPECT_EQ(pMini->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 1);
    // another top-level window takes the caption away
    CWnd other;
    ASSERT_TRUE(CreateHostWindow(other, "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 100, 100)));
    ::SetActiveWindow(other.m_hWnd);
    Pump(20);
    EXPECT_FALSE(m_pFrame->m_ncActivate.back());
    other.DestroyWindow();
    // the palette is disabled with its frame
    m_pFrame->EnableWindow(FALSE);
    EXPECT_FALSE(pMini->IsWindowEnabled());
    m_pFrame->EnableWindow(TRUE);
    EXPECT_TRUE(pMini->IsWindowEnabled());
}

// Before: idle updates skipped frames with a parent (owner), so a floating
// bar's buttons never followed the command routing.
TEST_F(DockTest, IdleUpdatesReachFloatingBars)
{
    DockThree();
    m_pFrame->FloatControlBar(&A(), CPoint(300, 300));
    m_pFrame->m_bCheck = TRUE;
    AfxGetApp()->OnIdle(0);
    EXPECT_TRUE(A().SendMessage(TB_ISBUTTONCHECKED, ID_DOC_CHECKCMD));
    EXPECT_FALSE(A().SendMessage(TB_ISBUTTONENABLED, ID_DOC_NOHANDLER));
    m_pFrame->m_bCheck = FALSE;
    AfxGetApp()->OnIdle(0);
    EXPECT_FALSE(A().SendMessage(TB_ISBUTTONCHECKED, ID_DOC_CHECKCMD));
}

// A command target that is not a frame owning a tool bar.
class COwnerWnd : public CWnd
{
public:
    int m_nUpdates = 0;

protected:
    afx_msg void OnUpdateView(CCmdUI* pCmdUI)
    {
        m_nUpdates++;
        pCmdUI->SetCheck(1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
    ON_UPDATE_COMMAND_UI(ID_DOC_VIEWCMD, &COwnerWnd::OnUpdateView)
END_MESSAGE_MAP()

// Before: an owner that was not a frame was passed over for the frame.
TEST_F(DockTest, ABarIsUpdatedByItsOwnerWhateverItIs)
{
    COwnerWnd owner;
    ASSERT_TRUE(owner.Create(AfxRegisterWndClass(0), "owner", WS_CHILD, CRect(0, 0, 10, 10), m_pFrame, 1234));
    A().SetOwner(&owner);
    m_pFrame->DockControlBar(&A(), AFX_IDW_DOCKBAR_TOP);
    A().SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(owner.m_nUpdates, 1);
    EXPECT_TRUE(A().SendMessage(TB_ISBUTTONCHECKED, ID_DOC_VIEWCMD));
    A().SetOwner(m_pFrame);
    owner.DestroyWindow();
}

// A bar that tells how it was asked to lay out.
class CModeBar : public CControlBar
{
public:
    std::vector<DWORD> m_modes;
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID)
    {
        m_dwStyle = dwStyle & CBRS_ALL;
        return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS), "Mode", (dwStyle & ~CBRS_ALL) | WS_CHILD,
                            CRect(0, 0, 0, 0), pParent, nID);
    }
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override
    {
        (void)nLength;
        m_modes.push_back(dwMode);
        return CSize(dwMode & LM_MRUWIDTH ? 120 : 60, 30);
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

// Before: a floating dynamic bar was asked for its docked size.
TEST_F(DockTest, AFloatingDynamicBarIsAskedForItsFloatingSize)
{
    CModeBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, kBarA + 10));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->FloatControlBar(&bar, CPoint(300, 300));
    ASSERT_TRUE(bar.IsFloating());
    ASSERT_FALSE(bar.m_modes.empty());
    EXPECT_EQ(bar.m_modes.back() & (LM_HORZ | LM_MRUWIDTH | LM_HORZDOCK | LM_VERTDOCK), (DWORD)(LM_HORZ | LM_MRUWIDTH));
    EXPECT_EQ(WindowRect(&bar).Width(), 120);
    // the same when such a bar lays out directly in a frame
    bar.m_modes.clear();
    AFX_SIZEPARENTPARAMS layout = {};
    layout.rect = CRect(0, 0, 500, 500);
    bar.SendMessage(WM_SIZEPARENT, 0, (LPARAM)&layout);
    ASSERT_FALSE(bar.m_modes.empty());
    EXPECT_TRUE(bar.m_modes.back() & LM_MRUWIDTH);
    bar.DestroyWindow();
}

// Before: RecalcLayout ignored FWS_SNAPTOBARS and DelayRecalcLayout dropped
// its notify flag.
TEST_F(DockTest, SnapToBarsFramesTakeTheirBarsSizeAndDelayedLayoutsNotify)
{
    CDockTestFrame* pSnap = new CDockTestFrame;
    ASSERT_TRUE(pSnap->Create(NULL, "snap", WS_POPUP | WS_BORDER | FWS_SNAPTOBARS, CRect(0, 0, 400, 400)));
    CModeBar bar;
    pSnap->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);   // a mini frame has none
    ASSERT_TRUE(bar.Create(pSnap, WS_VISIBLE | CBRS_TOP, kBarA + 11));
    pSnap->RecalcLayout();
    CRect rectClient;
    pSnap->GetClientRect(&rectClient);
    EXPECT_EQ(rectClient.Size(), CSize(60, 30));
    pSnap->m_layoutNotify.clear();
    pSnap->DelayRecalcLayout(TRUE);
    EXPECT_TRUE(pSnap->m_nIdleFlags & CFrameWnd::idleNotify);
    pSnap->SendMessage(WM_IDLEUPDATECMDUI);
    ASSERT_FALSE(pSnap->m_layoutNotify.empty());
    EXPECT_TRUE(pSnap->m_layoutNotify.back());
    pSnap->DelayRecalcLayout(FALSE);
    pSnap->SendMessage(WM_IDLEUPDATECMDUI);
    EXPECT_FALSE(pSnap->m_layoutNotify.back());
    bar.DestroyWindow();
    pSnap->DestroyWindow();
}

// A window whose tools carry text of their own (malloc'd).
class CTipWnd : public CWnd
{
public:
    mutable char* m_pszLast = nullptr;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        (void)point;
        if (pTI == NULL)
            return 1;
        char* psz = (char*)malloc(3000);
        strcpy(psz, "own tip text");
        m_pszLast = psz;
        pTI->hwnd = m_hWnd;
        pTI->uId = 1;
        pTI->lpszText = psz;
        GetClientRect(&pTI->rect);
        return 1;
    }
};

// Before: the text was never freed.
TEST_F(DockTest, ToolTipTextReturnedByHitTestsIsFreed)
{
    CTipWnd wnd;
    ASSERT_TRUE(wnd.Create(AfxRegisterWndClass(0), "tips", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), m_pFrame, 77));
    wnd.EnableToolTips();
    MSG msg = {};
    msg.hwnd = wnd.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    CPoint pt(10, 10);
    wnd.ClientToScreen(&pt);
    msg.pt = pt;
    wnd.FilterToolTipMessage(&msg);
    ASSERT_NE(wnd.m_pszLast, nullptr);
    HANDLE hHeap = (HANDLE)_get_heap_handle();
    EXPECT_FALSE(::HeapValidate(hHeap, 0, wnd.m_pszLast));   // no longer a live block
    wnd.DestroyWindow();
}

// CToolBar::OnToolHitTest: the button's id and rectangle, callback text;
// separators and empty space are no tools; tips follow SetBarStyle.
TEST_F(DockTest, ToolBarHitTestsAndToolTipStyle)
{
    DockThree();
    CRect rect;
    A().GetItemRect(1, &rect);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(A().OnToolHitTest(rect.CenterPoint(), &ti), (INT_PTR)ID_DOC_CHECKCMD);
    EXPECT_EQ(ti.uId, (UINT_PTR)ID_DOC_CHECKCMD);
    EXPECT_EQ(ti.hwnd, A().m_hWnd);
    EXPECT_EQ(ti.lpszText, LPSTR_TEXTCALLBACK);
    A().GetItemRect(2, &rect);   // the separator
    EXPECT_EQ(A().OnToolHitTest(rect.CenterPoint(), NULL), -1);
    EXPECT_EQ(A().OnToolHitTest(CPoint(-3, 5), NULL), -1);   // the gripper
    EXPECT_TRUE(A().m_nFlags & WF_TOOLTIPS);
    A().SetBarStyle(A().GetBarStyle() & ~CBRS_TOOLTIPS);
    EXPECT_FALSE(A().m_nFlags & WF_TOOLTIPS);
    A().SetBarStyle(A().GetBarStyle() | CBRS_TOOLTIPS);
    EXPECT_TRUE(A().m_nFlags & WF_TOOLTIPS);
}

// The gripper and the borders are the non-client area.
TEST_F(DockTest, BordersAndGripperInsetTheInside)
{
    DockThree();
    CRect rect(0, 0, 100, 40);
    DWORD dwOld = A().GetBarStyle();
    A().SetBarStyle((dwOld & ~(CBRS_BORDER_ANY | CBRS_FLOATING)) | CBRS_GRIPPER | CBRS_BORDER_TOP | CBRS_BORDER_LEFT);
    A().CalcInsideRect(rect, TRUE);
    EXPECT_EQ(rect.left, 2 + A().m_cxLeftBorder + 7);
    EXPECT_EQ(rect.top, 2 + A().m_cyTopBorder);
    EXPECT_EQ(rect.right, 100 - A().m_cxRightBorder);
    rect.SetRect(0, 0, 40, 100);
    A().CalcInsideRect(rect, FALSE);
    EXPECT_EQ(rect.top, 2 + A().m_cxLeftBorder + 7);
    // floating bars have no gripper
    A().SetBarStyle(A().GetBarStyle() | CBRS_FLOATING);
    rect.SetRect(0, 0, 100, 40);
    A().CalcInsideRect(rect, TRUE);
    EXPECT_EQ(rect.left, 2 + A().m_cxLeftBorder);
    A().SetBarStyle(dwOld);
    // the client area starts past the gripper
    CRect rectWindow = WindowRect(&A()), rectClient;
    A().GetClientRect(&rectClient);
    A().ClientToScreen(&rectClient);
    EXPECT_GE(rectClient.left - rectWindow.left, 7);
}

static BOOL CALLBACK FindToolTip(HWND hWnd, LPARAM lParam)
{
    char szClass[64];
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) == 0 && ::IsWindow(hWnd) && ::GetWindow(hWnd, GW_OWNER) != NULL) {
        *(HWND*)lParam = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The tips of a tool bar's buttons are the tool bar's, even inside a rebar
// that has tips of its own.
TEST_F(DockTest, AToolBarInARebarKeepsItsButtonTips)
{
    CReBar rebar;
    ASSERT_TRUE(rebar.Create(m_pFrame, RBS_BANDBORDERS,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP | CBRS_TOOLTIPS));
    CToolBar bar;
    ASSERT_TRUE(MakeToolBar(bar, m_pFrame, kBarA + 20, "In rebar"));
    ASSERT_TRUE(rebar.AddBar(&bar));
    m_pFrame->RecalcLayout();
    CRect rect;
    bar.GetItemRect(1, &rect);
    bar.ClientToScreen(&rect);
    MSG msg = {};
    msg.hwnd = bar.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.pt = rect.CenterPoint();
    AfxGetApp()->PreTranslateMessage(&msg);
    HWND hTip = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindToolTip, (LPARAM)&hTip);
    ASSERT_NE(hTip, (HWND)NULL);
    ASSERT_EQ(::SendMessage(hTip, TTM_GETTOOLCOUNT, 0, 0), 1);
    TTTOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ASSERT_TRUE(::SendMessage(hTip, TTM_ENUMTOOLSA, 0, (LPARAM)&ti));
    EXPECT_EQ(ti.hwnd, bar.m_hWnd);
    EXPECT_EQ(ti.uId, (UINT_PTR)ID_DOC_CHECKCMD);
    bar.DestroyWindow();
    rebar.DestroyWindow();
}

// A bar that records its style changes.
class CStyleBar : public CModeBar
{
public:
    std::vector<std::pair<DWORD, DWORD>> m_changes;
    void OnBarStyleChange(DWORD dwOld, DWORD dwNew) override { m_changes.push_back({dwOld, dwNew}); }
};

TEST_F(DockTest, SetBarStyleTellsOnBarStyleChange)
{
    CStyleBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, WS_VISIBLE | CBRS_TOP, kBarA + 12));
    bar.SetBarStyle(CBRS_TOP);
    EXPECT_TRUE(bar.m_changes.empty());
    bar.SetBarStyle(CBRS_BOTTOM | CBRS_TOOLTIPS);
    ASSERT_EQ(bar.m_changes.size(), 1u);
    EXPECT_EQ(bar.m_changes[0].first, (DWORD)CBRS_TOP);
    EXPECT_EQ(bar.m_changes[0].second, (DWORD)(CBRS_BOTTOM | CBRS_TOOLTIPS));
    EXPECT_TRUE(bar.m_nFlags & WF_TOOLTIPS);
    bar.DestroyWindow();
}

// Rows of buttons: wrapped, how many per row.
std::vector<int> ButtonRows(CToolBar& bar)
{
    std::vector<int> rows;
    int nTop = INT_MIN;
    for (int i = 0; i < bar.GetCount(); i++) {
        TBBUTTON button;
        bar.SendMessage(TB_GETBUTTON, i, (LPARAM)&button);
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        CRect rect;
        bar.GetItemRect(i, &rect);
        if (rect.top > nTop + 2) {
            rows.push_back(0);
            nTop = rect.top;
        }
        rows.back()++;
    }
    return rows;
}

TEST_F(DockTest, ToolBarsLayOutHorizontallyVerticallyAndFloatingWithWrapping)
{
    DockThree();
    // docked at the top: one row; at the left: one column
    EXPECT_EQ(ButtonRows(A()), std::vector<int>({6}));
    std::vector<int> column = ButtonRows(C());
    EXPECT_EQ(column, std::vector<int>(6, 1));
    CSize sizeHorz = A().CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
    CSize sizeVert = A().CalcDynamicLayout(-1, LM_VERTDOCK);
    EXPECT_GT(sizeHorz.cx, sizeHorz.cy);
    EXPECT_GT(sizeVert.cy, sizeVert.cx);
    EXPECT_EQ(WindowRect(&A()).Size(), sizeHorz);
    EXPECT_EQ(WindowRect(&C()).Size(), sizeVert);

    // floating: the MRU width, wrapped after the separator
    m_pFrame->FloatControlBar(&A(), CPoint(300, 300));
    // three rows fit in 3 buttons' width: the narrowest width with three
    // rows is taken, two buttons
    A().m_nMRUWidth = 3 * 23;
    A().CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    A().GetDockingFrame()->RecalcLayout();
    EXPECT_EQ(ButtonRows(A()), std::vector<int>({2, 2, 2}));
    EXPECT_EQ(WindowRect(&A()).Width(), 2 * 23 + 4);
    // a window width to resize to (the borders included): the row breaks
    // at the separator; the buttons' width is the MRU one
    CRect rectInside(0, 0, 0, 0);
    A().CalcInsideRect(rectInside, TRUE);
    CSize size = A().CalcDynamicLayout(4 * 23 - rectInside.Width(), LM_HORZ | LM_COMMIT);
    EXPECT_EQ(ButtonRows(A()), std::vector<int>({2, 4}));
    EXPECT_EQ(size.cx, 4 * 23 - rectInside.Width());
    EXPECT_EQ((int)A().m_nMRUWidth, 4 * 23);
    // a height to resize to: as narrow as fits in it
    size = A().CalcDynamicLayout(300, LM_HORZ | LM_LENGTHY | LM_COMMIT);
    EXPECT_EQ(ButtonRows(A()), std::vector<int>(6, 1));
    size = A().CalcDynamicLayout(22, LM_HORZ | LM_LENGTHY | LM_COMMIT);
    EXPECT_EQ(ButtonRows(A()), std::vector<int>({6}));

    // real resizing by the frame's right border, through the dock context
    A().m_nMRUWidth = 2 * 23;
    A().CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    CFrameWnd* pMini = A().GetDockingFrame();
    pMini->RecalcLayout();
    Pump(20);
    CRect rectMini = WindowRect(pMini);
    CPoint ptBorder(rectMini.right - 2, rectMini.CenterPoint().y);
    ASSERT_EQ(pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptBorder.x, ptBorder.y)), HTRIGHT);
    Drag(ptBorder, CPoint(ptBorder.x + 6 * 23, ptBorder.y));
    EXPECT_EQ(ButtonRows(A()), std::vector<int>({6}));
    EXPECT_GE(WindowRect(A().GetDockingFrame()).Width(), 6 * 23 + 8);

    // docked back: one row again, after its paint
    A().m_pDockContext->ToggleDocking();
    A().RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ButtonRows(A()), std::vector<int>({6}));
}

TEST_F(DockTest, CommandHelpGoesToTheTrackedCommandOrTheFrame)
{
    m_pFrame->m_nIDHelp = 300;
    m_pFrame->SendMessage(WM_COMMANDHELP);
    m_pFrame->m_nIDTracking = ID_DOC_FRAMECMD;
    m_pFrame->SendMessage(WM_COMMANDHELP);
    m_pFrame->SendMessage(WM_COMMANDHELP, 0, 42);
    EXPECT_EQ(m_pFrame->m_help, std::vector<DWORD_PTR>({0x20000 + 300, 0x10000 + ID_DOC_FRAMECMD, 42}));
    EXPECT_FALSE(m_pFrame->m_bHelpMode);
}

// ---------------------------------------------------------------------------
// Bars that go while their drag loop runs, bars made anew, and stored states
// that are damaged or hostile
// ---------------------------------------------------------------------------

// A tool bar whose memory becomes unreadable when it is deleted: any later
// read of it faults at once instead of passing unnoticed.
class CGuardedToolBar : public CToolBar
{
public:
    static void* operator new(size_t nSize)
    {
        void* p = ::VirtualAlloc(NULL, nSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (p == NULL)
            throw std::bad_alloc();
        return p;
    }
    // the pages stay reserved, so nothing else is put there
    static void operator delete(void* p, size_t nSize)
    {
        if (p != NULL)
            ::VirtualFree(p, nSize, MEM_DECOMMIT);
    }
};

CGuardedToolBar* s_pBarToDelete = NULL;
HWND s_hWndToClose = NULL;
BOOL s_bRescued = FALSE;

void CALLBACK DeleteBar(HWND, UINT, UINT_PTR nID, DWORD)
{
    ::KillTimer(NULL, nID);
    delete s_pBarToDelete;
    s_pBarToDelete = NULL;
}

void CALLBACK CloseFrame(HWND, UINT, UINT_PTR nID, DWORD)
{
    ::KillTimer(NULL, nID);
    ::SendMessage(s_hWndToClose, WM_CLOSE, 0, 0);
}

// Ends a drag loop that went on after its bar was gone (Escape to the
// thread), so that a loop that fails to notice shows as a failure, not a hang.
void CALLBACK RescueLoop(HWND, UINT, UINT_PTR nID, DWORD)
{
    ::KillTimer(NULL, nID);
    s_bRescued = TRUE;
    ::PostThreadMessage(::GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
}

// Nothing holds the screen: the desktop can be locked again.
bool DesktopUnlocked()
{
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    if (!pDesktop->LockWindowUpdate())
        return false;
    pDesktop->UnlockWindowUpdate();
    return true;
}

// Every dock bar of the frame, floating ones too.
std::vector<CDockBar*> DockBarsOf(CFrameWnd* pFrame)
{
    std::vector<CDockBar*> dockBars;
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
        if (pBar->IsDockBar() && pBar->m_hWnd != NULL)
            dockBars.push_back((CDockBar*)pBar);
    }
    return dockBars;
}

int EntriesOf(CDockBar* pDockBar, CControlBar* pBar)
{
    int n = 0;
    for (int i = 0; i < (int)pDockBar->m_arrBars.GetSize(); i++)
        n += pDockBar->m_arrBars[i] == pBar;
    return n;
}

// The whole frame's docking holds together: a docked bar is in its dock
// bar's list once and in no other, and is its child; a list holds only bars
// of the frame that say they are there; a floating frame is on a monitor's
// work area.
void ExpectConsistent(CFrameWnd* pFrame, const std::vector<CControlBar*>& bars, const std::string& when)
{
    std::vector<CDockBar*> dockBars = DockBarsOf(pFrame);
    for (CControlBar* pBar : bars) {
        if (pBar->m_hWnd == NULL)
            continue;
        int nAll = 0;
        for (CDockBar* pDockBar : dockBars)
            nAll += EntriesOf(pDockBar, pBar);
        if (pBar->m_pDockBar != NULL) {
            EXPECT_EQ(nAll, 1) << when << ": bar " << pBar->GetDlgCtrlID();
            EXPECT_EQ(EntriesOf(pBar->m_pDockBar, pBar), 1) << when;
            EXPECT_EQ(pBar->GetParent(), pBar->m_pDockBar) << when;
        } else {
            EXPECT_EQ(nAll, 0) << when << ": bar " << pBar->GetDlgCtrlID();
        }
    }
    for (CDockBar* pDockBar : dockBars) {
        for (int i = 0; i < (int)pDockBar->m_arrBars.GetSize(); i++) {
            CControlBar* pBar = pDockBar->GetDockedControlBar(i);
            if (pBar == NULL)
                continue;
            bool bKnown = std::find(bars.begin(), bars.end(), pBar) != bars.end();
            ASSERT_TRUE(bKnown) << when << ": entry " << i << " is no bar of the frame";
            EXPECT_EQ(pBar->m_pDockBar, pDockBar) << when;
        }
        if (pDockBar->m_bFloating) {
            CFrameWnd* pMini = pDockBar->GetParentFrame();
            ASSERT_NE(pMini, nullptr);
            CRect rect = WindowRect(pMini);
            HMONITOR hMonitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTONULL);
            ASSERT_NE(hMonitor, (HMONITOR)NULL) << when << ": a floating frame off every screen";
            MONITORINFO mi = {sizeof(mi)};
            ::GetMonitorInfo(hMonitor, &mi);
            CRect rectWork(mi.rcWork);
            EXPECT_GE(rect.left, rectWork.left) << when;
            EXPECT_GE(rect.top, rectWork.top) << when;
            if (rect.Width() <= rectWork.Width()) {
                EXPECT_LE(rect.right, rectWork.right) << when;
            }
            if (rect.Height() <= rectWork.Height()) {
                EXPECT_LE(rect.bottom, rectWork.bottom) << when;
            }
        }
    }
}

// Where each bar is: its dock bar's id (or its floating frame's place),
// its index there, its visibility and its window rectangle.
std::string PlacesOf(const std::vector<CControlBar*>& bars)
{
    std::string places;
    for (CControlBar* pBar : bars) {
        CRect rect = WindowRect(pBar);
        char sz[160];
        CDockBar* pDockBar = pBar->m_pDockBar;
        snprintf(sz, sizeof(sz), "%u:%d@%d %s (%ld,%ld,%ld,%ld); ", (UINT)pBar->GetDlgCtrlID(),
                 pDockBar != NULL ? pDockBar->GetDlgCtrlID() : 0, pDockBar != NULL ? pDockBar->FindBar(pBar) : -1,
                 pBar->IsWindowVisible() ? "shown" : "hidden", rect.left, rect.top, rect.right, rect.bottom);
        places += sz;
    }
    return places;
}

// Before: the loop went on reading the deleted dock context and its bar.
TEST_F(DockTest, ABarDeletedInsideItsDragLoopEndsTheLoop)
{
    DockThree();
    CGuardedToolBar* pBar = new CGuardedToolBar;
    ASSERT_TRUE(MakeToolBar(*pBar, m_pFrame, kBarA + 30, "Doomed"));
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(pBar->m_pDockBar, pTop);
    ::ReleaseCapture();
    s_pBarToDelete = pBar;
    s_bRescued = FALSE;
    ::SetTimer(NULL, 0, 30, DeleteBar);
    UINT_PTR nRescue = ::SetTimer(NULL, 0, kWaitMs, RescueLoop);
    pBar->m_pDockContext->StartDrag(Gripper(pBar));
    ::KillTimer(NULL, nRescue);
    EXPECT_EQ(s_pBarToDelete, nullptr);
    EXPECT_FALSE(s_bRescued) << "the loop went on after its bar was deleted";
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    EXPECT_TRUE(DesktopUnlocked());
    EXPECT_EQ(pTop->GetDockedCount(), 2);   // A and B; the deleted bar left no entry
    m_pFrame->RecalcLayout();
    ExpectConsistent(m_pFrame, {&A(), &B(), &C()}, "after the delete");
}

// Before: the loop went on with no capture and no bar window, reading the
// closed frame.
TEST_F(DockTest, AFrameClosedInsideADragLoopEndsTheLoop)
{
    DockThree();
    ::ReleaseCapture();
    s_hWndToClose = m_hFrame;
    s_bRescued = FALSE;
    ::SetTimer(NULL, 0, 30, CloseFrame);
    UINT_PTR nRescue = ::SetTimer(NULL, 0, kWaitMs, RescueLoop);
    B().m_pDockContext->StartDrag(Gripper(&B()));
    ::KillTimer(NULL, nRescue);
    EXPECT_FALSE(::IsWindow(m_hFrame));
    EXPECT_FALSE(s_bRescued) << "the loop went on after its frame was closed";
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    EXPECT_TRUE(DesktopUnlocked());
    // a posted close, as Alt+F4 gives, ends it the same way
    ASSERT_TRUE(CreateFrame());
    DockThree();
    m_pFrame->PostMessage(WM_CLOSE);
    s_bRescued = FALSE;
    nRescue = ::SetTimer(NULL, 0, kWaitMs, RescueLoop);
    A().m_pDockContext->StartDrag(Gripper(&A()));
    ::KillTimer(NULL, nRescue);
    EXPECT_FALSE(::IsWindow(m_hFrame));
    EXPECT_FALSE(s_bRescued);
    EXPECT_TRUE(DesktopUnlocked());
}

// Before: the drag returned with the desktop locked and the screen DC held.
TEST_F(DockTest, ADragStartedUnderAnotherWindowsCaptureTakesNothing)
{
    DockThree();
    CWnd other;
    ASSERT_TRUE(CreateHostWindow(other, "capture", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50)));
    other.SetCapture();
    ASSERT_EQ(::GetCapture(), other.m_hWnd);
    B().m_pDockContext->StartDrag(Gripper(&B()));
    EXPECT_EQ(::GetCapture(), other.m_hWnd);   // left to its holder
    EXPECT_EQ(B().m_pDockContext->m_pDC, nullptr);
    bool bUnlocked = DesktopUnlocked();
    EXPECT_TRUE(bUnlocked);
    if (!bUnlocked)
        CWnd::GetDesktopWindow()->UnlockWindowUpdate();   // for the tests after this one
    EXPECT_EQ(B().m_pDockBar, DockBar(AFX_IDW_DOCKBAR_TOP));
    ::ReleaseCapture();
    other.DestroyWindow();
}

// The usual "reset tool bar": the window destroyed and made again, then
// docked. Before: the bar stayed in its dock bar's list and docking it
// again did nothing.
TEST_F(DockTest, ABarDestroyedAndMadeAgainDocksAgain)
{
    DockThree();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    A().DestroyWindow();
    EXPECT_EQ(A().m_pDockBar, nullptr);
    EXPECT_EQ(pTop->FindBar(&A()), -1);
    ASSERT_TRUE(MakeToolBar(A(), m_pFrame, kBarA, "Bar A"));
    m_pFrame->DockControlBar(&A(), AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(A().m_pDockBar, DockBar(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(A().GetParent(), DockBar(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_TRUE(A().IsWindowVisible());
    // a floating one: its frame goes with it
    m_pFrame->FloatControlBar(&B(), CPoint(300, 300));
    HWND hMini = B().GetDockingFrame()->m_hWnd;
    B().DestroyWindow();
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(B().m_pDockBar, nullptr);
    ASSERT_TRUE(MakeToolBar(B(), m_pFrame, kBarB, "Bar B"));
    m_pFrame->DockControlBar(&B(), AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(B().m_pDockBar, pTop);
    ExpectConsistent(m_pFrame, {&A(), &B(), &C()}, "made again");
}

// Before: a bar named twice was added twice, and a bar named by two
// floating entries destroyed the first entry's frame under the loop.
TEST_F(DockTest, ABarNamedTwiceInAStateIsPlacedOnce)
{
    DockThree();
    CDockState state;
    m_pFrame->GetDockState(state);
    auto idOf = [](CControlBar& bar) { return (void*)(UINT_PTR)bar.GetDlgCtrlID(); };
    for (int i = 0; i < (int)state.m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
        if (pInfo->m_nBarID == AFX_IDW_DOCKBAR_TOP) {   // NULL A B NULL -> NULL A A B NULL A NULL
            pInfo->m_arrBarID.InsertAt(1, idOf(A()));
            pInfo->m_arrBarID.Add(idOf(A()));
            pInfo->m_arrBarID.Add(NULL);
        } else if (pInfo->m_nBarID == AFX_IDW_DOCKBAR_LEFT) {   // NULL C NULL -> NULL A NULL
            pInfo->m_arrBarID.SetAt(1, idOf(A()));
        }
    }
    for (int i = 0; i < 2; i++) {   // two floating frames, each naming C
        CControlBarInfo* pFloat = new CControlBarInfo;
        pFloat->m_nBarID = AFX_IDW_DOCKBAR_FLOAT;
        pFloat->m_bDockBar = pFloat->m_bFloating = TRUE;
        pFloat->m_pointPos = CPoint(300 + 40 * i, 300);
        pFloat->m_arrBarID.Add(NULL);
        pFloat->m_arrBarID.Add(idOf(C()));
        pFloat->m_arrBarID.Add(NULL);
        state.m_arrBarInfo.Add(pFloat);
    }
    m_pFrame->SetDockState(state);
    m_pFrame->RecalcLayout();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(EntriesOf(pTop, &A()), 1);
    EXPECT_EQ(EntriesOf(pTop, &B()), 1);
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT)->GetDockedCount(), 0);
    ASSERT_TRUE(C().IsFloating());
    int nFloating = 0;
    for (CDockBar* pDockBar : DockBarsOf(m_pFrame))
        nFloating += pDockBar->m_bFloating;
    EXPECT_EQ(nFloating, 1);   // the second frame, left empty, went
    EXPECT_TRUE(C().GetDockingFrame()->IsWindowVisible());
    ExpectConsistent(m_pFrame, {&A(), &B(), &C()}, "a bar named twice");
    // the bar deleted: no entry stays behind for the next layout
    m_bars[0].reset();
    m_pFrame->RecalcLayout();
    EXPECT_EQ(pTop->GetDockedCount(), 1);
}

// The sections of a stored state: the index of the section of the bar with
// that id (the first floating one for AFX_IDW_DOCKBAR_FLOAT), -1 when none.
int SectionOf(const CString& strProfile, UINT nBarID)
{
    CWinApp* pApp = AfxGetApp();
    int nBars = (int)pApp->GetProfileInt(strProfile + "-Summary", "Bars", 0);
    for (int i = 0; i < nBars && i < 64; i++) {
        CString strSection;
        strSection.Format("%s-Bar%d", (LPCTSTR)strProfile, i);
        if (pApp->GetProfileInt(strSection, "BarID", 0) == nBarID)
            return i;
    }
    return -1;
}

CString BarSection(const CString& strProfile, int nIndex)
{
    CString strSection;
    strSection.Format("%s-Bar%d", (LPCTSTR)strProfile, nIndex);
    return strSection;
}

void DeleteStoredState(const CString& strProfile, int nSections = 24)
{
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString(strProfile + "-Summary", NULL, NULL);
    for (int i = 0; i < nSections; i++)
        pApp->WriteProfileString(BarSection(strProfile, i), NULL, NULL);
}

// Before: 20,000 bars took over a minute, 2^31 entries of a dock bar never
// ended.
TEST_F(DockTest, AHugeStoredCountStopsAtTheFirstMissingSection)
{
    const CString strProfile = "DockHuge";
    CWinApp* pApp = AfxGetApp();
    struct Case { int nBars; int nEntries; };
    const Case cases[] = {{20000, 3}, {0x7FFFFFFF, 3}, {(int)0x80000000, 3}, {2, 0x7FFFFFFF}, {2, 20000}, {2, -1}};
    for (const Case& c : cases) {
        DeleteStoredState(strProfile, 4);
        pApp->WriteProfileInt(strProfile + "-Summary", "Bars", c.nBars);
        pApp->WriteProfileInt(BarSection(strProfile, 0), "BarID", (int)kBarA);
        pApp->WriteProfileInt(BarSection(strProfile, 0), "Visible", 0);
        pApp->WriteProfileInt(BarSection(strProfile, 1), "BarID", AFX_IDW_DOCKBAR_TOP);
        pApp->WriteProfileInt(BarSection(strProfile, 1), "Bars", c.nEntries);
        pApp->WriteProfileInt(BarSection(strProfile, 1), "Bar#0", 0);
        pApp->WriteProfileInt(BarSection(strProfile, 1), "Bar#1", (int)kBarB);
        pApp->WriteProfileInt(BarSection(strProfile, 1), "Bar#2", 0);
        DWORD dwStart = ::GetTickCount();
        CDockState state;
        state.LoadState(strProfile);
        DWORD dwTook = ::GetTickCount() - dwStart;
        EXPECT_LT(dwTook, 2000u) << c.nBars << " bars, " << c.nEntries << " entries";
        int nExpected = c.nBars < 0 ? 0 : c.nBars < 2 ? c.nBars : 2;
        ASSERT_EQ(state.m_arrBarInfo.GetSize(), nExpected) << c.nBars;
        if (nExpected == 2) {
            EXPECT_EQ(((CControlBarInfo*)state.m_arrBarInfo[1])->m_arrBarID.GetSize(), c.nEntries < 0 ? 0 : 3);
        }
    }
    DeleteStoredState(strProfile, 4);
}

// Before: loading into a state that held entries doubled them.
TEST_F(DockTest, LoadingAStateTwiceKeepsOneCopy)
{
    DockThree();
    m_pFrame->SaveBarState("DockTwice");
    CDockState state;
    state.LoadState("DockTwice");
    INT_PTR nOnce = state.m_arrBarInfo.GetSize();
    ASSERT_GT(nOnce, 0);
    state.LoadState("DockTwice");
    EXPECT_EQ(state.m_arrBarInfo.GetSize(), nOnce);
    DeleteStoredState("DockTwice");
}

// Before: the name overran a 256-byte section buffer. A name too long for
// a section is cut to 240 characters, the same way when saving and loading.
// The first name needs the cut yet still fits such a buffer: a lost cut
// fails there, as an assertion, before the longer name could overrun one.
TEST_F(DockTest, AProfileNameLongerThanASectionRoundTrips)
{
    const CString strCut(CString('n', 240));
    CWinApp* pApp = AfxGetApp();
    for (int nLength : {245, 300}) {
        const CString strProfile(CString('n', nLength));
        DeleteStoredState(strCut, 8);
        DestroyFrame();
        ASSERT_TRUE(CreateFrame());
        DockThree();
        m_pFrame->FloatControlBar(&B(), CPoint(400, 380));
        m_pFrame->SaveBarState(strProfile);
        ASSERT_GT((int)pApp->GetProfileInt(strCut + "-Summary", "Bars", 0), 0)
            << "no sections under the name cut to 240 characters, from " << nLength;
        DestroyFrame();
        ASSERT_TRUE(CreateFrame());
        DockThree();
        m_pFrame->LoadBarState(strProfile);
        EXPECT_TRUE(B().IsFloating()) << nLength;
    }
    DeleteStoredState(strCut, 8);
}

// Before: an MRU dock id naming a tool bar was cast to a dock bar by a
// double click (and by DockControlBar given that id).
TEST_F(DockTest, AStoredMRUDockIDThatIsNoDockBarIsDropped)
{
    const CString strProfile = "DockMRU";
    DockThree();
    m_pFrame->SaveBarState(strProfile);
    int nA = SectionOf(strProfile, kBarA);
    ASSERT_GE(nA, 0);
    AfxGetApp()->WriteProfileInt(BarSection(strProfile, nA), "MRUDockID", (int)kBarB);
    m_pFrame->LoadBarState(strProfile);
    EXPECT_EQ(A().m_pDockContext->m_uMRUDockID, 0u);
    // set by hand, it is not taken either
    A().m_pDockContext->m_uMRUDockID = kBarB;
    m_pFrame->FloatControlBar(&A(), CPoint(300, 300));
    A().m_pDockContext->ToggleDocking();
    ASSERT_NE(A().m_pDockBar, nullptr);
    EXPECT_TRUE(A().m_pDockBar->IsDockBar());
    EXPECT_FALSE(A().IsFloating());
    m_pFrame->DockControlBar(&C(), kBarB);
    EXPECT_NE(C().GetParent(), &B());
    EXPECT_TRUE(C().m_pDockBar != NULL && C().m_pDockBar->IsDockBar());
    ExpectConsistent(m_pFrame, {&A(), &B(), &C()}, "a tool bar's id as MRU");
    DeleteStoredState(strProfile);
}

// Before: positions off every screen were taken as stored; a screen size
// of 0 or less scaled them to nonsense.
TEST_F(DockTest, RestoredFloatingFramesStayOnAWorkArea)
{
    const CString strProfile = "DockScreen";
    DockThree();
    m_pFrame->FloatControlBar(&B(), CPoint(400, 380));
    m_pFrame->SaveBarState(strProfile);
    int nFloat = SectionOf(strProfile, AFX_IDW_DOCKBAR_FLOAT);
    ASSERT_GE(nFloat, 0);
    const CSize sizeScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    struct Case { int cx, cy, x, y; CPoint ptExpected; };
    const Case cases[] = {
        {0, 0, 300, 200, {300, 200}},
        {-800, -600, 300, 200, {300, 200}},
        {sizeScreen.cx / 2, sizeScreen.cy / 2, 150, 100, {300, 200}},
        {sizeScreen.cx, sizeScreen.cy, -20004, -20020, {-1, -1}},   // somewhere on the work area
        {sizeScreen.cx, sizeScreen.cy, 30000, 30000, {-1, -1}},
    };
    CWinApp* pApp = AfxGetApp();
    for (const Case& c : cases) {
        pApp->WriteProfileInt(strProfile + "-Summary", "ScreenCX", c.cx);
        pApp->WriteProfileInt(strProfile + "-Summary", "ScreenCY", c.cy);
        pApp->WriteProfileInt(BarSection(strProfile, nFloat), "XPos", c.x);
        pApp->WriteProfileInt(BarSection(strProfile, nFloat), "YPos", c.y);
        m_pFrame->LoadBarState(strProfile);
        ASSERT_TRUE(B().IsFloating());
        if (c.ptExpected.x != -1) {
            EXPECT_EQ(WindowRect(B().m_pDockBar).TopLeft(), c.ptExpected) << c.cx << "x" << c.cy;
        }
        ExpectConsistent(m_pFrame, {&A(), &B(), &C()}, "restored at " + std::to_string(c.x));
    }
    DeleteStoredState(strProfile);
}

// Before: any negative place counted as "never floated", which is a real
// place on a monitor left of the primary one.
TEST_F(DockTest, ANegativeFloatingPlaceIsAPlace)
{
    DockThree();
    A().m_pDockContext->m_ptMRUFloatPos = CPoint(-1, 300);
    A().m_pDockContext->ToggleDocking();
    ASSERT_TRUE(A().IsFloating());
    EXPECT_EQ(WindowRect(A().GetDockingFrame()).top, 300);
    ExpectConsistent(m_pFrame, {&A(), &B(), &C()}, "floated at a negative x");
}

// A stored section as read back: every key of a bar's section, or of the
// summary, with its value.
struct StoredSection
{
    CString strName;
    std::vector<std::pair<CString, int>> values;
};

std::vector<StoredSection> ReadStoredState(const CString& strProfile)
{
    static const char* const kBarKeys[] = {"BarID", "Visible", "Horz", "Floating", "XPos", "YPos", "MRUWidth",
                                           "Docking", "MRUDockID", "MRUDockLeftPos", "MRUDockTopPos",
                                           "MRUDockRightPos", "MRUDockBottomPos", "MRUFloatStyle", "MRUFloatXPos",
                                           "MRUFloatYPos", "Bars"};
    const int kMissing = (int)0xDEADBEEF;
    CWinApp* pApp = AfxGetApp();
    std::vector<StoredSection> sections(1);
    sections[0].strName = strProfile + "-Summary";
    for (const char* pszKey : {"Bars", "ScreenCX", "ScreenCY"})
        sections[0].values.push_back({pszKey, (int)pApp->GetProfileInt(sections[0].strName, pszKey, 0)});
    for (int i = 0; i < sections[0].values[0].second; i++) {
        StoredSection section;
        section.strName = BarSection(strProfile, i);
        for (const char* pszKey : kBarKeys) {
            int nValue = (int)pApp->GetProfileInt(section.strName, pszKey, kMissing);
            if (nValue != kMissing)
                section.values.push_back({pszKey, nValue});
        }
        int nEntries = (int)pApp->GetProfileInt(section.strName, "Bars", 0);
        for (int j = 0; j < nEntries; j++) {
            CString strKey;
            strKey.Format("Bar#%d", j);
            section.values.push_back({strKey, (int)pApp->GetProfileInt(section.strName, strKey, 0)});
        }
        sections.push_back(section);
    }
    return sections;
}

void WriteStoredState(const std::vector<StoredSection>& sections)
{
    CWinApp* pApp = AfxGetApp();
    for (const StoredSection& section : sections) {
        pApp->WriteProfileString(section.strName, NULL, NULL);
        for (const auto& value : section.values)
            pApp->WriteProfileInt(section.strName, value.first, value.second);
    }
}

// Damaged and hostile stored states, from a fixed seed: values and counts set
// to their extremes, keys and whole sections dropped, numbers stored as
// text. Whatever is loaded, nothing faults or hangs, the docking holds
// together (a double click on every bar too), and a state the loader
// refuses leaves the bars where they were.
TEST_F(DockTest, FuzzedStoredStatesNeitherFaultNorHang)
{
    const CString strProfile = "DockFuzz";
    DockThree();
    m_pFrame->FloatControlBar(&B(), CPoint(420, 380));
    m_pFrame->ShowControlBar(&C(), FALSE, FALSE);
    m_pFrame->RecalcLayout();
    DeleteStoredState(strProfile);
    m_pFrame->SaveBarState(strProfile);
    const std::vector<StoredSection> clean = ReadStoredState(strProfile);
    ASSERT_GT(clean.size(), 3u);
    const std::vector<CControlBar*> bars = {&A(), &B(), &C()};
    const int extremes[] = {0, 1, -1, 2, INT_MIN, INT_MAX, 0xFFFF, 0x10000, 0x1FFFF, 32767, -32768, 20000, -20004,
                            (int)AFX_IDW_DOCKBAR_TOP, (int)AFX_IDW_DOCKBAR_LEFT, (int)AFX_IDW_DOCKBAR_FLOAT,
                            (int)kBarA, (int)kBarB, (int)kBarC, (int)(kBarA | 0x10000)};
    CByteFuzzer fuzzer(29);
    CWinApp* pApp = AfxGetApp();
    int nRefused = 0;
    for (int nCase = 0; nCase < 160; nCase++) {
        std::vector<StoredSection> sections = clean;
        for (unsigned nChange = 0, n = 1 + fuzzer.Below(4); nChange < n; nChange++) {
            StoredSection& section = sections[fuzzer.Below((unsigned)sections.size())];
            unsigned nKind = fuzzer.Below(10);
            if (nKind == 0) {
                section.values.clear();   // the section dropped
            } else if (section.values.empty()) {
                continue;
            } else if (nKind == 1) {
                section.values.erase(section.values.begin() + fuzzer.Below((unsigned)section.values.size()));
            } else if (nKind == 2) {
                // an entry added to a dock bar's list
                CString strKey;
                strKey.Format("Bar#%u", fuzzer.Below(6));
                section.values.push_back({strKey, extremes[fuzzer.Below(_countof(extremes))]});
            } else {
                section.values[fuzzer.Below((unsigned)section.values.size())].second =
                    extremes[fuzzer.Below(_countof(extremes))];
            }
        }
        DeleteStoredState(strProfile);
        WriteStoredState(sections);
        if (fuzzer.Below(8) == 0) {   // a number stored as text
            StoredSection& section = sections[fuzzer.Below((unsigned)sections.size())];
            if (!section.values.empty())
                pApp->WriteProfileString(section.strName, section.values[0].first, "12x");
        }
        const std::string when = "case " + std::to_string(nCase);
        const std::string placesBefore = PlacesOf(bars);
        CDockState state;
        DWORD dwStart = ::GetTickCount();
        state.LoadState(strProfile);
        m_pFrame->SetDockState(state);
        m_pFrame->RecalcLayout();
        EXPECT_LT(::GetTickCount() - dwStart, 3000u) << when;
        if (state.m_arrBarInfo.GetSize() == 0) {
            nRefused++;
            EXPECT_EQ(PlacesOf(bars), placesBefore) << when << ": a refused state moved the bars";
        }
        ExpectConsistent(m_pFrame, bars, when + " loaded");
        if (HasFatalFailure())
            return;
        for (CControlBar* pBar : bars) {
            if (pBar->m_pDockBar != NULL && pBar->m_pDockContext != NULL) {
                pBar->m_pDockContext->ToggleDocking();
                m_pFrame->RecalcLayout();
            }
        }
        ExpectConsistent(m_pFrame, bars, when + " toggled");
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(nRefused, 0);   // the run reached refused states too
    // the same state through an archive, its bytes mutated
    WriteStoredState(clean);
    m_pFrame->LoadBarState(strProfile);
    CDockState state;
    m_pFrame->GetDockState(state);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
    }
    std::vector<unsigned char> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    for (int nCase = 0; nCase < 300; nCase++) {
        std::vector<unsigned char> mutated = fuzzer.Mutate(bytes);
        CMemFile input(mutated.data(), (UINT)mutated.size());
        const std::string when = "archive case " + std::to_string(nCase);
        const std::string placesBefore = PlacesOf(bars);
        CDockState loaded;
        BOOL bLoaded = FALSE;
        try {
            CArchive ar(&input, CArchive::load);
            loaded.Serialize(ar);
            bLoaded = TRUE;
        } catch (CException* e) {
            e->Delete();
        }
        if (!bLoaded) {
            EXPECT_EQ(loaded.m_arrBarInfo.GetSize(), 0) << when << ": a refused archive left entries";
            continue;
        }
        m_pFrame->SetDockState(loaded);
        m_pFrame->RecalcLayout();
        if (loaded.m_arrBarInfo.GetSize() == 0) {
            EXPECT_EQ(PlacesOf(bars), placesBefore) << when;
        }
        ExpectConsistent(m_pFrame, bars, when);
        if (HasFatalFailure())
            return;
    }
    DeleteStoredState(strProfile);
}

// Shows the frame with docked and floating bars on the screen and keeps a
// picture of it when DOCK_SCREENSHOT names a file.
TEST_F(DockTest, Screenshot)
{
    char szPath[MAX_PATH];
    if (!::GetEnvironmentVariableA("DOCK_SCREENSHOT", szPath, MAX_PATH))
        GTEST_SKIP() << "DOCK_SCREENSHOT not set";
    // labelled buttons, to be seen
    for (auto& bar : m_bars) {
        for (int i = 0; i < bar->GetCount(); i++) {
            if (bar->GetItemID(i) != ID_SEPARATOR)
                bar->SetButtonText(i, CString((char)('1' + i)));
        }
    }
    DockThree();
    m_pFrame->FloatControlBar(&B(), CPoint(500, 420));
    B().m_nMRUWidth = 3 * 23;
    B().CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    B().GetDockingFrame()->RecalcLayout();
    m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
    B().GetDockingFrame()->RedrawWindow(NULL, NULL,
                                        RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
    Pump(300);
    CRect rect(60, 60, 800, 640);
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = rect.Width();
    bmi.bmiHeader.biHeight = rect.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hMem, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, rect.Width(), rect.Height(), hScreen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(hMem, hOld);
    int cbRow = (rect.Width() * 3 + 3) & ~3;
    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(bmi.bmiHeader);
    bfh.bfSize = bfh.bfOffBits + cbRow * rect.Height();
    FILE* pFile = fopen(szPath, "wb");
    ASSERT_NE(pFile, nullptr);
    fwrite(&bfh, sizeof(bfh), 1, pFile);
    fwrite(&bmi.bmiHeader, sizeof(bmi.bmiHeader), 1, pFile);
    fwrite(pBits, cbRow * rect.Height(), 1, pFile);
    fclose(pFile);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
}

}  // namespace
