// Docked MDI children and MDI float windows in a real size-dock MDI frame:
// a child docked from its system menu (also maximised and active) and back,
// its bar's close asking the document, a bar floating as an MDI child and
// back, closing float windows, and the float windows kept in the profile;
// then the MDI frame's own rules: arranging floating frames, keys and
// presses on their way to the active child, and the program's close.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <vector>

#include "MDIDockTestSupport.h"
#include "OXDockbarSkin.h"
#include "OXDragDockContext.h"
#include "OXHookWnd.h"
#include "OXMDIFloatWnd.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"
#include "testsupport.h"

namespace {

const UINT kBarId = AFX_IDW_CONTROLBAR_FIRST + 60;

// A floating frame that cannot be made: floating a bar throws.
class CFailingFloatFrame : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(CFailingFloatFrame)
public:
    BOOL Create(CWnd*, DWORD) override { return FALSE; }
};
IMPLEMENT_DYNCREATE(CFailingFloatFrame, CMiniDockFrameWnd)

class CDragStepBar : public COXSizeControlBar
{
public:
    CDragStepBar() : COXSizeControlBar(0) {}
    void MouseMove(UINT nFlags, CPoint point) { OnMouseMoveBar(nFlags, point); }
};

class MDIDock : public SizeDockMDITest
{
protected:
    void TearDown() override
    {
        SizeDockMDITest::TearDown();
        delete m_pBar;
        PumpPending();
    }
    COXSizeControlBar* AddBar(DWORD dwSizeBarStyle = SZBAR_ALLOWMDIFLOAT)
    {
        m_pBar = new COXSizeControlBar(dwSizeBarStyle);
        EXPECT_TRUE(m_pBar->Create(m_pFrame, "Keywords", kBarId, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                   CRect(0, 0, 220, 140)));
        m_pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(m_pBar, AFX_IDW_DOCKBAR_LEFT);
        m_pFrame->RecalcLayout(TRUE);
        return m_pBar;
    }
    COXMDIFloatWnd* FloatWndOf(CControlBar* pBar)
    {
        return DYNAMIC_DOWNCAST(COXMDIFloatWnd, pBar->GetParentFrame());
    }

    void FileCloseOnADocumentAwayFromItsWindow(BOOL bFloating);
    void CommandsReachTheActiveChildFirst(BOOL bDocked);

    COXSizeControlBar* m_pBar = NULL;
};

TEST(MDIFloatSize, TheFloatSizeIsTheClientGrownByTheBarsBorders)
{
    struct Case
    {
        DWORD dwStyle;
        CSize expected;
    } cases[] = {
        {CBRS_BORDER_ANY, CSize(304, 204)},
        {CBRS_BORDER_LEFT | CBRS_BORDER_TOP, CSize(302, 202)},
        {CBRS_BORDER_RIGHT | CBRS_BORDER_BOTTOM, CSize(302, 202)},
        {0, CSize(300, 200)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, COXMDIFloatWnd::FloatSizeFromClient(CSize(300, 200), c.dwStyle, 2, 2)) << c.dwStyle;
}

TEST_F(MDIDock, AChildDocksFromItsSystemMenuStaysHiddenAndComesBack)
{
    COXMDIChildWndSizeDock* pOther = AddChild("Other");
    COXMDIChildWndSizeDock* pChild = AddChild("Keywords.kwl");
    CView* pView = pChild->GetActiveView();
    ASSERT_TRUE(pView != NULL);

    const UINT nDock = OXGetDockMDIChildCommand();
    CMenu* pSysMenu = pChild->GetSystemMenu(FALSE);
    const int nItems = pSysMenu->GetMenuItemCount();
    ASSERT_GE(nItems, 2);
    EXPECT_EQ(nDock, pSysMenu->GetMenuItemID(nItems - 1));
    EXPECT_TRUE(pSysMenu->GetMenuState(nItems - 2, MF_BYPOSITION) & MF_SEPARATOR);

    pChild->SendMessage(WM_SYSCOMMAND, nDock);
    ASSERT_TRUE(pChild->IsDocked());
    EXPECT_FALSE(pChild->IsWindowVisible());
    COXSizeViewBar& bar = pChild->m_wndViewBar;
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP), bar.m_pDockBar);
    EXPECT_EQ(bar.m_wndWrapper.m_hWnd, ::GetParent(pView->m_hWnd)) << "docked, the view sits in the wrapper";
    char szClass[64] = {};
    ::GetClassNameA(bar.m_wndWrapper.m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ("MDIChildWndDockWrapper", szClass);
    CString strBarText;
    bar.GetWindowText(strBarText);
    EXPECT_EQ(CString("Keywords.kwl"), strBarText);
    EXPECT_EQ(pChild, m_pFrame->GetActiveMDIChild()) << "the docked child stays the active one";
    EXPECT_EQ(pChild, m_pFrame->GetActiveFrame());
    EXPECT_TRUE(pSysMenu->GetMenuState(nDock, MF_BYCOMMAND) & MF_CHECKED);

    // nothing shows a docked child
    pChild->ShowWindow(SW_SHOW);
    EXPECT_FALSE(pChild->IsWindowVisible());
    // the frame's title has no hidden child's name in it
    m_pFrame->SetWindowText("MDI dock");
    CString strTitle;
    m_pFrame->GetWindowText(strTitle);
    EXPECT_EQ(CString("MDI dock"), strTitle);

    // a click on the other child takes the activity from the docked one
    m_pFrame->ActivateMDIChild(pOther);
    EXPECT_EQ(pOther, m_pFrame->GetActiveMDIChild());
    m_pFrame->ActivateMDIChild(pChild);
    EXPECT_EQ(pChild, m_pFrame->GetActiveMDIChild());

    ASSERT_TRUE(pChild->SetDocked(FALSE));
    EXPECT_FALSE(pChild->IsDocked());
    EXPECT_TRUE(pChild->IsWindowVisible());
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_EQ(pChild->m_hWnd, ::GetParent(pView->m_hWnd));
    EXPECT_EQ(pChild, ClientActive());
    EXPECT_FALSE(pSysMenu->GetMenuState(nDock, MF_BYCOMMAND) & MF_CHECKED);

    // docked again, the bar that exists shows once more
    ASSERT_TRUE(pChild->SetDocked(TRUE));
    EXPECT_TRUE(bar.IsVisible());
    EXPECT_EQ(bar.m_wndWrapper.m_hWnd, ::GetParent(pView->m_hWnd));
}

TEST_F(MDIDock, BeforeItsDocumentsCloseTheFrameTakesEveryDockedChildBack)
{
    COXMDIChildWndSizeDock* pChildren[2] = {AddChild("One"), AddChild("Two")};
    for (COXMDIChildWndSizeDock* pChild : pChildren)
        ASSERT_TRUE(pChild->SetDocked(TRUE));
    m_pFrame->UndockAllChildren();
    for (COXMDIChildWndSizeDock* pChild : pChildren) {
        EXPECT_FALSE(pChild->IsDocked());
        EXPECT_EQ(pChild, pChild->GetActiveView()->GetParentFrame()) << "a document's close would destroy the frame";
    }
}

TEST_F(MDIDock, DockingTheMaximisedActiveChildLeavesTheNextMaximised)
{
    COXMDIChildWndSizeDock* pFirst = AddChild("First");
    COXMDIChildWndSizeDock* pChild = AddChild("Second");
    pChild->MDIMaximize();
    BOOL bMaximized = FALSE;
    ASSERT_EQ(pChild, m_pFrame->MDIGetActive(&bMaximized));
    ASSERT_TRUE(bMaximized);

    ASSERT_TRUE(pChild->SetDocked(TRUE));
    EXPECT_TRUE(pChild->m_wndViewBar.m_bChildWasMaximized);
    EXPECT_EQ(pFirst, m_pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    EXPECT_EQ(pChild, m_pFrame->GetActiveMDIChild(&bMaximized)) << "the docked child counts as active";
    EXPECT_FALSE(bMaximized);
    EXPECT_FALSE(pChild->IsWindowVisible());
    // maximising a docked child does nothing
    m_pFrame->MDIMaximizeChild(pChild);
    EXPECT_FALSE(pChild->IsWindowVisible());

    ASSERT_TRUE(pChild->SetDocked(FALSE));
    EXPECT_EQ(pChild, m_pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    EXPECT_TRUE(pChild->IsZoomed());
}

// Real mouse input at a screen point.
void MouseInput(DWORD dwFlags, CPoint pt)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof(input));
}

TEST_F(MDIDock, TheMaximisedActiveChildDocksFromItsSystemMenuAndUndocksFromItsBarsMenu)
{
    // a menu bar, where the maximised child's system menu shows
    CMenu menu;
    menu.CreateMenu();
    menu.AppendMenu(MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
    m_pFrame->SetMenu(&menu);
    m_pFrame->m_hMenuDefault = menu.Detach();
    ::SendMessage(m_pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)m_pFrame->m_hMenuDefault, 0);
    COXMDIChildWndSizeDock* pFirst = AddChild("First");
    COXMDIChildWndSizeDock* pChild = AddChild("Second");
    pChild->MDIMaximize();
    m_pFrame->SetForegroundWindow();
    m_pFrame->DrawMenuBar();
    PumpPending();
    HMENU hBar = ::GetMenu(m_pFrame->m_hWnd);
    ASSERT_EQ(::GetSystemMenu(pChild->m_hWnd, FALSE), ::GetSubMenu(hBar, 0)) << "no system menu in the menu bar";
    CRect rectItem;
    ASSERT_TRUE(::GetMenuItemRect(m_pFrame->m_hWnd, hBar, 0, &rectItem));
    {
        CMenuWatch watch(ChooseLastMenuItem);
        MouseInput(MOUSEEVENTF_LEFTDOWN, rectItem.CenterPoint());
        MouseInput(MOUSEEVENTF_LEFTUP, rectItem.CenterPoint());
        ASSERT_TRUE(PumpUntil([&] { return watch.Acted(); }, kWaitMs)) << "the system menu never showed";
    }
    ASSERT_TRUE(PumpUntil([&] { return pChild->IsDocked(); }, kWaitMs)) << "the system menu's last item did not dock";
    BOOL bMaximized = FALSE;
    EXPECT_EQ(pFirst, m_pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);

    COXSizeViewBar& bar = pChild->m_wndViewBar;
    CRect rectBar = WindowRectOf(&bar);
    {
        CMenuWatch watch(ChooseLastMenuItem);
        bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.m_hWnd, MAKELPARAM(rectBar.left + 4, rectBar.top + 4));
        ASSERT_TRUE(watch.Acted()) << "the bar's menu never showed";
    }
    ASSERT_TRUE(PumpUntil([&] { return !pChild->IsDocked(); }, kWaitMs)) << "the bar's menu did not undock";
    EXPECT_EQ(pChild, m_pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
}

TEST_F(MDIDock, TheBarsCloseAsksTheDocumentAndARefusalLeavesItClosable)
{
    AddChild("Other");
    COXMDIChildWndSizeDock* pChild = AddChild("Report.kwl");
    ASSERT_TRUE(pChild->SetDocked(TRUE));
    CDockTestDoc* pDoc = Doc(1);
    pDoc->SetModifiedFlag(TRUE);
    pDoc->m_bAgree = FALSE;
    COXSizeViewBar& bar = pChild->m_wndViewBar;
    m_pFrame->RecalcLayout(TRUE);
    PumpPending();
    bar.GetDockbarSkin()->LayoutCaption(&bar);
    ASSERT_FALSE(bar.m_rectCloseButton.IsRectEmpty());
    const CPoint pt = bar.m_rectCloseButton.CenterPoint();
    auto pressClose = [&] {
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    };
    const HWND hWndChild = pChild->m_hWnd;
    pressClose();
    EXPECT_EQ(1, pDoc->m_nAsked);
    ASSERT_TRUE(::IsWindow(hWndChild)) << "\"save changes?\" cancelled keeps the window";
    EXPECT_TRUE(pChild->IsDocked());
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_FALSE(pChild->m_bClosing);

    // agreed, the last frame of a self-deleting document closes the document
    // there: its view must be back in the child, or the main frame would go
    pDoc->m_bAgree = TRUE;
    pDoc->m_bAutoDelete = TRUE;
    m_docs.pop_back();
    int nAsked = 0;
    pDoc->m_pAsked = &nAsked;
    pressClose();
    EXPECT_EQ(1, nAsked) << "a refused close must not block the next one";
    EXPECT_FALSE(::IsWindow(hWndChild));
    EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd));
}

// File > Close on a docked (or floating) document closes that document's
// own window only; the other, changed document is not asked about, and the
// program's close then asks about it once.
void MDIDock::FileCloseOnADocumentAwayFromItsWindow(BOOL bFloating)
{
    COXMDIChildWndSizeDock* pOther = AddChild("Other");
    COXMDIChildWndSizeDock* pChild = AddChild("Report.kwl");
    Doc(0)->SetModifiedFlag(TRUE);
    ASSERT_TRUE(pChild->SetDocked(TRUE));
    COXSizeViewBar& bar = pChild->m_wndViewBar;
    HWND hWndFloat = NULL;
    if (bFloating) {
        m_pFrame->FloatControlBar(&bar, CPoint(400, 300));
        ASSERT_TRUE(bar.IsFloating());
        hWndFloat = bar.GetParentFrame()->m_hWnd;
    }
    m_pFrame->ActivateMDIChild(pChild);
    ASSERT_EQ(pChild, m_pFrame->GetActiveMDIChild());
    ASSERT_TRUE(bar.m_pView != NULL);
    EnterDocumentsInTemplate();
    const HWND hWndFrame = m_pFrame->m_hWnd, hWndChild = pChild->m_hWnd, hWndOther = pOther->m_hWnd;
    const HWND hWndView = bar.m_pView->m_hWnd;

    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    ASSERT_TRUE(::IsWindow(hWndFrame)) << "the program's window went with the document";
    // the close takes the document's own window and view there and then,
    // not by a close posted for later, when the document is gone already
    EXPECT_EQ(hWndChild, Doc(1)->m_hWndClosedFrame) << "the document was told that another frame closes";
    EXPECT_FALSE(::IsWindow(hWndChild)) << "the document's window outlives its close";
    EXPECT_FALSE(::IsWindow(hWndView)) << "the view outlives its document's close";
    EXPECT_TRUE(m_pFrame->GetActiveView() == NULL || m_pFrame->GetActiveView()->GetDocument() != NULL)
        << "the frame's active view belongs to no document";
    PumpPending();
    EXPECT_FALSE(::IsWindow(hWndChild));
    EXPECT_TRUE(::IsWindow(hWndOther));
    EXPECT_EQ(0, Doc(0)->m_nAsked);
    EXPECT_TRUE(Doc(0)->IsModified());
    EXPECT_EQ(pOther, m_pFrame->GetActiveMDIChild());
    if (hWndFloat != NULL) {
        EXPECT_FALSE(::IsWindow(hWndFloat) && ::IsWindowVisible(hWndFloat)) << "the empty floating frame stays";
    }

    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(1, Doc(0)->m_nAsked);
    EXPECT_FALSE(::IsWindow(hWndFrame));
    if (!::IsWindow(hWndFrame))
        m_pFrame = NULL;   // it deleted itself
    MSG msg;
    while (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

TEST_F(MDIDock, FileCloseOnADockedDocumentClosesOnlyItsOwnWindow)
{
    FileCloseOnADocumentAwayFromItsWindow(FALSE);
}

TEST_F(MDIDock, FileCloseOnAFloatingDocumentClosesOnlyItsOwnWindow)
{
    FileCloseOnADocumentAwayFromItsWindow(TRUE);
}

// What reached the MDI client once its frame had begun to go.
struct ClientWatch
{
    static HWND s_hWndFrame;
    static WNDPROC s_pOld;
    static bool s_bGoing;
    static int s_nLateDestroys;
    static LRESULT CALLBACK Cbt(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_DESTROYWND && (HWND)wParam == s_hWndFrame)
            s_bGoing = true;
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == WM_MDIDESTROY && s_bGoing)
            ++s_nLateDestroys;
        return ::CallWindowProcA(s_pOld, hWnd, nMsg, wParam, lParam);
    }
};
HWND ClientWatch::s_hWndFrame = NULL;
WNDPROC ClientWatch::s_pOld = NULL;
bool ClientWatch::s_bGoing = false;
int ClientWatch::s_nLateDestroys = 0;

// A frame that goes takes its document windows with it, docked and floating
// ones and a bar's MDI float window too: none of them asks the MDI client to
// destroy it while the frame is being destroyed (Wine's client then walks a
// list of children that is no longer there, and renumbers other windows:
// the program's own main window lost its menu so).
TEST_F(MDIDock, ClosingTheFrameAsksTheClientToDestroyNoChild)
{
    COXMDIChildWndSizeDock* pDocked = AddChild("Report.kwl");
    COXMDIChildWndSizeDock* pFloating = AddChild("Ideas.kwl");
    AddChild("Notes.kwl");
    ASSERT_TRUE(pDocked->SetDocked(TRUE));
    ASSERT_TRUE(pFloating->SetDocked(TRUE));
    m_pFrame->FloatControlBar(&pFloating->m_wndViewBar, CPoint(400, 300));
    ASSERT_TRUE(pFloating->m_wndViewBar.IsFloating());
    COXSizeControlBar* pBar = AddBar();
    pBar->m_pDockContext->m_ptMRUFloatPos = WindowRectOf(m_pFrame).TopLeft() + CPoint(200, 200);
    pBar->SendMessage(WM_COMMAND, ID_OXSIZEBAR_MDIFLOAT);
    ASSERT_TRUE(FloatWndOf(pBar) != NULL);

    ClientWatch::s_hWndFrame = m_pFrame->m_hWnd;
    ClientWatch::s_bGoing = false;
    ClientWatch::s_nLateDestroys = 0;
    ClientWatch::s_pOld = (WNDPROC)::SetWindowLongPtrA(m_pFrame->m_hWndMDIClient, GWLP_WNDPROC,
                                                        (LONG_PTR)&ClientWatch::Proc);
    HHOOK hHook = ::SetWindowsHookExA(WH_CBT, &ClientWatch::Cbt, NULL, ::GetCurrentThreadId());
    const HWND hWndFrame = m_pFrame->m_hWnd;
    m_pFrame->SendMessage(WM_CLOSE);   // as its close box does
    ::UnhookWindowsHookEx(hHook);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hWndFrame));
    if (!::IsWindow(hWndFrame))
        m_pFrame = NULL;   // it deleted itself
    EXPECT_TRUE(ClientWatch::s_bGoing);
    EXPECT_EQ(0, ClientWatch::s_nLateDestroys) << "a child asked the client of a going frame to destroy it";
    MSG msg;
    while (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// A document that refuses the program's close leaves the frame open and
// closable: the next close asks again and closes.
TEST_F(MDIDock, AProgramCloseRefusedByADocumentLeavesTheFrameClosable)
{
    AddChild("Report.kwl");
    Doc(0)->SetModifiedFlag(TRUE);
    Doc(0)->m_bAgree = FALSE;
    EnterDocumentsInTemplate();
    const HWND hWndFrame = m_pFrame->m_hWnd;
    m_pFrame->SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(hWndFrame));
    EXPECT_FALSE(m_pFrame->m_bClosing);
    Doc(0)->m_bAgree = TRUE;
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(2, Doc(0)->m_nAsked);
    EXPECT_FALSE(::IsWindow(hWndFrame)) << "a refused close blocks the next one";
    if (!::IsWindow(hWndFrame))
        m_pFrame = NULL;
    MSG msg;
    while (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// A child that answers help itself, counting the requests.
class CHelpChild : public COXMDIChildWndSizeDock
{
public:
    int m_nHelp = 0;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_COMMANDHELP) {
            ++m_nHelp;
            return TRUE;
        }
        return COXMDIChildWndSizeDock::WindowProc(nMsg, wParam, lParam);
    }
};

// Help (F1) goes to the active child first, a docked one too, which the MDI
// client knows nothing of.
TEST_F(MDIDock, HelpGoesToTheDockedActiveChild)
{
    CHelpChild* pOther = new CHelpChild;
    AddChild("Other", 0, pOther);
    CHelpChild* pChild = new CHelpChild;
    AddChild("Report.kwl", 0, pChild);
    ASSERT_TRUE(pChild->SetDocked(TRUE));
    m_pFrame->ActivateMDIChild(pChild);
    ASSERT_EQ(pChild, m_pFrame->GetActiveMDIChild());
    EXPECT_TRUE(m_pFrame->SendMessage(WM_COMMANDHELP, 0, 0));
    EXPECT_EQ(1, pChild->m_nHelp);
    EXPECT_EQ(0, pOther->m_nHelp);
}

// Hiding the bar of the docked active child by the status bar command (the
// bar carries that id) leaves the next child active.
TEST_F(MDIDock, HidingTheActiveDockedChildsBarActivatesTheNextChild)
{
    COXMDIChildWndSizeDock* pOther = AddChild("Other");
    COXMDIChildWndSizeDock* pChild = AddChild("Report.kwl");
    ASSERT_TRUE(pChild->SetDocked(TRUE));
    m_pFrame->ActivateMDIChild(pChild);
    pChild->m_wndViewBar.SetDlgCtrlID(ID_VIEW_STATUS_BAR);
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    PumpPending();
    EXPECT_FALSE(pChild->m_wndViewBar.IsVisible());
    EXPECT_EQ(pOther, m_pFrame->GetActiveMDIChild());
    EXPECT_EQ(pOther, ClientActive());
}

// The MDI client's sunken edge follows the active child as the frame counts
// it: a docked active child is never maximised, so the edge stays.
TEST_F(MDIDock, TheClientEdgeFollowsTheDockedActiveChild)
{
    COXMDIChildWndSizeDock* pOther = AddChild("Other");
    COXMDIChildWndSizeDock* pChild = AddChild("Report.kwl");
    auto hasEdge = [&] { return (::GetWindowLongPtr(m_pFrame->m_hWndMDIClient, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0; };
    ASSERT_TRUE(pChild->SetDocked(TRUE));
    m_pFrame->ActivateMDIChild(pOther);
    pOther->MDIMaximize();
    PumpPending();
    ASSERT_FALSE(hasEdge()) << "a maximised active child without an edge takes the client's";
    m_pFrame->ActivateMDIChild(pChild);
    EXPECT_TRUE(hasEdge()) << "the docked child is the active one";
    m_pFrame->ActivateMDIChild(pOther);
    EXPECT_FALSE(hasEdge());
}

// Making a floating view's child the active one leaves the view where it
// is: in its bar, shown.
TEST_F(MDIDock, AFloatingViewStaysInItsBarWhenItsChildBecomesActive)
{
    COXMDIChildWndSizeDock* pOther = AddChild("Other");
    COXMDIChildWndSizeDock* pChild = AddChild("Report.kwl");
    CView* pView = pChild->GetActiveView();
    ASSERT_TRUE(pChild->SetDocked(TRUE));
    m_pFrame->FloatControlBar(&pChild->m_wndViewBar, CPoint(400, 300));
    ASSERT_TRUE(pChild->m_wndViewBar.IsFloating());
    m_pFrame->ActivateMDIChild(pOther);
    // while the frame changes its active view, the floating one is hidden
    // inside the frame, so that the change neither shows it elsewhere nor
    // activates its floating frame
    HWND hWndParentDuring = NULL;
    BOOL bVisibleDuring = TRUE;
    CDockTestView::s_onDeactivate = [&](CView* pNext) {
        if (pNext == pView) {
            hWndParentDuring = ::GetParent(pView->m_hWnd);
            bVisibleDuring = pView->IsWindowVisible();
        }
    };
    m_pFrame->ActivateMDIChild(pChild);
    CDockTestView::s_onDeactivate = nullptr;
    EXPECT_EQ(m_pFrame->m_hWnd, hWndParentDuring);
    EXPECT_FALSE(bVisibleDuring);
    EXPECT_EQ(pView, m_pFrame->GetActiveView());
    EXPECT_EQ(pChild->m_wndViewBar.m_hWnd, ::GetParent(pView->m_hWnd));
    EXPECT_TRUE(pView->IsWindowVisible());
}

// When a docked document's floating bar changes size, its floating frame
// takes the new size at once, not at idle time, and the view fills the bar.
TEST_F(MDIDock, AFloatingViewBarsFrameFollowsTheBarAtOnce)
{
    COXMDIChildWndSizeDock* pChild = AddChild("Report.kwl");
    CView* pView = pChild->GetActiveView();
    ASSERT_TRUE(pChild->SetDocked(TRUE));
    COXSizeViewBar& bar = pChild->m_wndViewBar;
    m_pFrame->FloatControlBar(&bar, WindowRectOf(m_pFrame).TopLeft() + CPoint(300, 250));
    ASSERT_TRUE(bar.IsFloating());
    CFrameWnd* pFloat = bar.GetParentFrame();
    PumpPending();
    const CSize sizeBefore = WindowRectOf(pFloat).Size();
    const CSize sizeBar = WindowRectOf(&bar).Size();
    bar.m_FloatSize = sizeBar + CSize(60, 40);
    bar.SetWindowPos(NULL, 0, 0, bar.m_FloatSize.cx, bar.m_FloatSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(sizeBefore + CSize(60, 40), WindowRectOf(pFloat).Size());
    CRect rectBarClient;
    bar.GetClientRect(&rectBarClient);
    EXPECT_EQ(rectBarClient.Size(), WindowRectOf(pView).Size());
}

TEST_F(MDIDock, ABarFloatsAsAnMDIChildAndBack)
{
    COXMDIChildWndSizeDock* pDoc = AddChild("Document");
    COXSizeControlBar* pBar = AddBar();
    CPoint ptFloat(WindowRectOf(m_pFrame).TopLeft() + CPoint(200, 200));
    pBar->m_pDockContext->m_ptMRUFloatPos = ptFloat;

    pBar->SendMessage(WM_COMMAND, ID_OXSIZEBAR_MDIFLOAT);
    COXMDIFloatWnd* pFloat = FloatWndOf(pBar);
    ASSERT_TRUE(pFloat != NULL);
    EXPECT_EQ(m_pFrame->m_hWndMDIClient, ::GetParent(pFloat->m_hWnd));
    EXPECT_TRUE(pFloat->IsWindowVisible());
    EXPECT_EQ(pBar, pFloat->GetSingleBar());
    CString strTitle;
    pFloat->GetWindowText(strTitle);
    EXPECT_EQ(CString("Keywords"), strTitle);
    EXPECT_FALSE(pFloat->GetExStyle() & WS_EX_CLIENTEDGE);
    HMENU hMenu = ::CreatePopupMenu();
    pBar->SendMessage(WM_OXSIZEBAR_FILLMENU, 0, (LPARAM)hMenu);
    EXPECT_TRUE(::GetMenuState(hMenu, ID_OXSIZEBAR_MDIFLOAT, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ((UINT)-1, ::GetMenuState(hMenu, ID_OXSIZEBAR_ALLOWDOCKING, MF_BYCOMMAND));
    ::DestroyMenu(hMenu);

    // sizing the window sets the bar's floating size
    CRect rectWanted(0, 0, 300, 200);
    ::AdjustWindowRectEx(&rectWanted, pFloat->GetStyle(), FALSE, pFloat->GetExStyle());
    pFloat->SetWindowPos(NULL, 0, 0, rectWanted.Width(), rectWanted.Height(), SWP_NOMOVE | SWP_NOZORDER);
    CRect rectClient;
    pFloat->GetClientRect(&rectClient);
    EXPECT_EQ(COXMDIFloatWnd::FloatSizeFromClient(rectClient.Size(), pBar->m_dwStyle, afxData.cxBorder2,
                                                  afxData.cyBorder2),
              pBar->m_FloatSize);
    // moving it is remembered as the last floating place
    pFloat->SetWindowPos(NULL, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(WindowRectOf(pFloat).TopLeft(), pBar->m_pDockContext->m_ptMRUFloatPos);

    // and back into a floating frame where the window was; the window goes
    const HWND hWndFloat = pFloat->m_hWnd;
    const CPoint ptWas = WindowRectOf(pFloat).TopLeft();
    pBar->SendMessage(WM_COMMAND, ID_OXSIZEBAR_MDIFLOAT);
    EXPECT_FALSE(::IsWindow(hWndFloat));
    CFrameWnd* pMini = pBar->GetParentFrame();
    ASSERT_TRUE(pMini != NULL);
    EXPECT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_EQ(ptWas, WindowRectOf(pMini).TopLeft());
    EXPECT_TRUE(pBar->IsFloating());
    (void)pDoc;
}

// A bar floating as an MDI child moves with its window: its dock context
// neither drags it nor docks it.
TEST_F(MDIDock, ABarInAnMDIFloatWindowIsNeitherDraggedNorToggled)
{
    COXSizeControlBar* pBar = AddBar();
    m_pFrame->FloatControlBarInMDIChild(pBar, WindowRectOf(m_pFrame).TopLeft() + CPoint(100, 100));
    ASSERT_TRUE(FloatWndOf(pBar) != NULL);
    COXDragDockContext* pContext = dynamic_cast<COXDragDockContext*>(pBar->m_pDockContext);
    ASSERT_TRUE(pContext != NULL);
    EXPECT_TRUE(pContext->IsInMDIFloatWnd());
    const CRect rectBefore = WindowRectOf(FloatWndOf(pBar));
    pContext->StartDrag(rectBefore.TopLeft() + CPoint(20, 5));
    EXPECT_EQ(NULL, ::GetCapture()) << "no drag ran";
    pContext->ToggleDocking();
    EXPECT_TRUE(FloatWndOf(pBar) != NULL) << "still floating as an MDI child";
    EXPECT_EQ(rectBefore, WindowRectOf(FloatWndOf(pBar)));
}

TEST_F(MDIDock, ClosingAFloatWindowHidesItsBarsAndActivatesTheNextChild)
{
    COXMDIChildWndSizeDock* pDoc = AddChild("Document");
    COXSizeControlBar* pBar = AddBar();
    m_pFrame->FloatControlBarInMDIChild(pBar, WindowRectOf(m_pFrame).TopLeft() + CPoint(100, 100));
    COXMDIFloatWnd* pFloat = FloatWndOf(pBar);
    ASSERT_TRUE(pFloat != NULL);
    m_pFrame->MDIActivate(pFloat);
    ASSERT_EQ(pFloat, ClientActive());

    pFloat->SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(pFloat->m_hWnd));
    EXPECT_FALSE(pBar->IsVisible());
    EXPECT_FALSE(pFloat->IsWindowVisible());
    EXPECT_EQ(pDoc, ClientActive());
    m_pFrame->ShowControlBar(pBar, TRUE, FALSE);
    EXPECT_TRUE(pBar->IsVisible());
    EXPECT_TRUE(pFloat->IsWindowVisible()) << "the bar can be shown again, in its window";

    // a window of several bars has no single bar: every one is hidden
    COXMDIFloatWnd* pMulti = (COXMDIFloatWnd*)RUNTIME_CLASS(COXMDIFloatWnd)->CreateObject();
    ASSERT_TRUE(pMulti->Create(m_pFrame, CBRS_ALIGN_TOP | CBRS_FLOAT_MULTI));
    COXSizeControlBar second(0), third(0);
    for (COXSizeControlBar* p : {&second, &third}) {
        ASSERT_TRUE(p->Create(m_pFrame, "Stacked", kBarId + (p == &second ? 1 : 2),
                              WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 150, 90)));
        p->EnableDocking(CBRS_ALIGN_ANY);
        pMulti->m_wndDockBar.DockControlBar(p);
    }
    pMulti->RecalcLayout(TRUE);
    pMulti->ShowWindow(SW_SHOW);
    m_pFrame->MDIActivate(pMulti);
    EXPECT_TRUE(pMulti->GetSingleBar() == NULL);
    pMulti->SendMessage(WM_CLOSE);
    EXPECT_FALSE(second.IsVisible());
    EXPECT_FALSE(third.IsVisible());
    EXPECT_FALSE(pMulti->IsWindowVisible());
    EXPECT_NE(pMulti, ClientActive());
    second.DestroyWindow();
    third.DestroyWindow();
}

TEST_F(MDIDock, ABarMadeToGoWithItsFloatWindowIsDeletedWhenItCloses)
{
    AddChild("Document");
    COXSizeControlBar* pBar = new COXSizeControlBar(SZBAR_ALLOWMDIFLOAT | SZBAR_DELETEONCLOSE);
    ASSERT_TRUE(pBar->Create(m_pFrame, "Gone", kBarId, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 200, 100)));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->FloatControlBarInMDIChild(pBar, WindowRectOf(m_pFrame).TopLeft() + CPoint(60, 60));
    COXMDIFloatWnd* pFloat = FloatWndOf(pBar);
    ASSERT_TRUE(pFloat != NULL);
    const HWND hWndFloat = pFloat->m_hWnd, hWndBar = pBar->m_hWnd;
    pFloat->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hWndFloat));
    EXPECT_FALSE(::IsWindow(hWndBar));
    EXPECT_TRUE(m_pFrame->GetControlBar(kBarId) == NULL);
}

TEST_F(MDIDock, AFloatWindowIsSavedAndComesBackAsAnMDIChild)
{
    const char* kSection = "MDIDockTest";
    AddChild("Document");
    COXSizeControlBar* pBar = AddBar();
    m_pFrame->FloatControlBarInMDIChild(pBar, WindowRectOf(m_pFrame).TopLeft() + CPoint(150, 120));
    COXMDIFloatWnd* pFloat = FloatWndOf(pBar);
    ASSERT_TRUE(pFloat != NULL);
    pFloat->SetWindowPos(NULL, 70, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const CPoint ptSaved = WindowRectOf(pFloat).TopLeft();
    m_pFrame->SaveSizeBarState(kSection);
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(AfxGetApp()->GetProfileBinary(kSection, OXSizeDock::RecordName(kBarId), &pData, &nBytes));
    ASSERT_EQ(28u, nBytes);
    EXPECT_EQ(1, ((LONG*)pData)[6]) << "the record marks a bar in a float window";
    delete[] pData;

    // docked meanwhile; the load floats it in an MDI child again
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_TRUE(FloatWndOf(pBar) == NULL);
    m_pFrame->LoadSizeBarState(kSection);
    pFloat = FloatWndOf(pBar);
    ASSERT_TRUE(pFloat != NULL);
    EXPECT_EQ(m_pFrame->m_hWndMDIClient, ::GetParent(pFloat->m_hWnd));
    EXPECT_EQ(ptSaved, WindowRectOf(pFloat).TopLeft());
    EXPECT_TRUE(pFloat->IsWindowVisible());
    HKEY hAppKey = AfxGetApp()->GetAppRegistryKey();
    AfxGetApp()->DelRegTree(hAppKey, kSection);
    ::RegCloseKey(hAppKey);
}

TEST_F(MDIDock, AnExceptionInAStepOfTheOwnDragLeavesTheMouseFree)
{
    m_pFrame->SetOwnBarDrag(TRUE);
    CDragStepBar* pBar = new CDragStepBar;
    m_pBar = pBar;
    ASSERT_TRUE(pBar->Create(m_pFrame, "Drag", kBarId, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 200, 120)));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout(TRUE);
    pBar->GetDockbarSkin()->LayoutCaption(pBar);
    pBar->StartOwnDrag(pBar->m_rectGripper.CenterPoint());
    ASSERT_TRUE(pBar->m_bTracking);
    ASSERT_EQ(pBar->m_hWnd, ::GetCapture());

    CRuntimeClass* pOldClass = m_pFrame->m_pFloatingFrameClass;
    m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CFailingFloatFrame);
    CRect rectClient;
    ::GetWindowRect(m_pFrame->m_hWndMDIClient, &rectClient);
    CPoint ptMid = rectClient.CenterPoint();
    pBar->ScreenToClient(&ptMid);
    BOOL bThrown = FALSE;
    try {
        pBar->MouseMove(MK_LBUTTON, ptMid);
    } catch (CException* e) {
        e->Delete();
        bThrown = TRUE;
    }
    m_pFrame->m_pFloatingFrameClass = pOldClass;
    EXPECT_TRUE(bThrown);
    EXPECT_FALSE(pBar->m_bTracking);
    EXPECT_NE(pBar->m_hWnd, ::GetCapture());
}

// ---------------------------------------------------------------------------
// The MDI frame's own rules
// ---------------------------------------------------------------------------

// Floating frames arranged in the MDI client lose the bit a drag gave them.
TEST_F(MDIDock, ArrangedFloatingFramesLoseTheBitOfADrag)
{
    COXSizeControlBar* pBar = AddBar(0);
    m_pFrame->FloatControlBar(pBar, WindowRectOf(m_pFrame).TopLeft() + CPoint(300, 250), CBRS_ALIGN_TOP);
    CFrameWnd* pFloat = pBar->GetParentFrame();
    ASSERT_TRUE(pFloat != NULL && pFloat != m_pFrame);
    pFloat->ModifyStyle(0, 0x0001);   // as a drag that floated it leaves it
    m_pFrame->ArrangeFloatingBars(0x1 | 0x2 | 0x4);
    EXPECT_EQ(0u, pFloat->GetStyle() & 0x0001);
    CRect rectClient;
    ::GetClientRect(m_pFrame->m_hWndMDIClient, &rectClient);
    ::ClientToScreen(m_pFrame->m_hWndMDIClient, &rectClient.TopLeft());
    EXPECT_EQ(rectClient.TopLeft(), WindowRectOf(pFloat).TopLeft()) << "arranged from the client's top-left";
}

// A child that notes the commands it carries out.
class CCommandChild : public COXMDIChildWndSizeDock
{
public:
    std::vector<UINT> m_commands;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_COMMAND && pHandlerInfo == NULL && nID >= 0x7700 && nID < 0x7800) {
            m_commands.push_back(nID);
            return TRUE;
        }
        return COXMDIChildWndSizeDock::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

HACCEL F7Accelerator(WORD nCmd)
{
    ACCEL accel = {FVIRTKEY, VK_F7, nCmd};
    return ::CreateAcceleratorTableA(&accel, 1);
}

// A key pressed in a bar, or in a docked document's view, meets the active
// document's own accelerators before the frame's: the way from the focus to
// the frame passes through neither document window.
TEST_F(MDIDock, TheActiveChildsAcceleratorsComeBeforeTheFramesWhereverTheFocusIs)
{
    const WORD kChildCmd = 0x7701, kFrameCmd = 0x7702;
    CCommandChild* pChild = new CCommandChild;
    AddChild("Report.kwl", 0, pChild);
    pChild->m_hAccelTable = F7Accelerator(kChildCmd);
    m_pFrame->m_hAccelTable = F7Accelerator(kFrameCmd);
    COXSizeControlBar* pBar = AddBar(0);
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), pBar, 1));
    auto pressF7In = [&](CWnd* pWnd) {
        pWnd->SetFocus();
        MSG msg = {pWnd->m_hWnd, WM_KEYDOWN, VK_F7, 0x00410001};
        return AfxGetApp()->PreTranslateMessage(&msg);
    };
    ASSERT_EQ(pChild, m_pFrame->GetActiveMDIChild());
    EXPECT_TRUE(pressF7In(&edit));
    EXPECT_EQ(std::vector<UINT>{kChildCmd}, pChild->m_commands) << "focus in a bar";
    pChild->m_commands.clear();
    ASSERT_TRUE(pChild->SetDocked(TRUE));
    EXPECT_TRUE(pressF7In(pChild->GetActiveView()));
    EXPECT_EQ(std::vector<UINT>{kChildCmd}, pChild->m_commands) << "focus in the docked document's view";

    edit.DestroyWindow();
    ::DestroyAcceleratorTable(pChild->m_hAccelTable);
    ::DestroyAcceleratorTable(m_pFrame->m_hAccelTable);
    pChild->m_hAccelTable = m_pFrame->m_hAccelTable = NULL;
}

// Notes each message of one kind that the hooked window is sent, as a
// program's hook onto a document window would see it.
class CMessageHook : public COXHookWnd
{
public:
    explicit CMessageHook(UINT nMsg) : m_nMsg(nMsg) {}
    std::vector<UINT> m_seen;   // the low words of wParam
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == m_nMsg)
            m_seen.push_back(LOWORD(wParam));
        return COXHookWnd::WindowProc(nMsg, wParam, lParam);
    }

private:
    UINT m_nMsg;
};

// A child class that takes one command in its own OnCommand and notes every
// command it is sent.
class COwnCommandChild : public CCommandChild
{
public:
    UINT m_nOwn = 0;
    std::vector<UINT> m_sent;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_sent.push_back(LOWORD(wParam));
        return LOWORD(wParam) == m_nOwn || CCommandChild::OnCommand(wParam, lParam);
    }
};

// The frame's menu and accelerator commands are sent to the active child
// before the frame routes them, a docked active child too: its class's
// OnCommand and a hook on it see them. What the child's own routing carries
// out, or leaves to the frame, runs once.
void MDIDock::CommandsReachTheActiveChildFirst(BOOL bDocked)
{
    const UINT kOwn = 0x7711, kRouted = 0x7712;
    COwnCommandChild* pOther = new COwnCommandChild;
    AddChild("Other", 0, pOther);
    COwnCommandChild* pChild = new COwnCommandChild;
    AddChild("Report.kwl", 0, pChild);
    pChild->m_nOwn = kOwn;
    if (bDocked) {
        // the user was in the other window, then clicked the docked one:
        // the MDI client still has the other active
        ASSERT_TRUE(pChild->SetDocked(TRUE));
        m_pFrame->ActivateMDIChild(pOther);
        m_pFrame->ActivateMDIChild(pChild);
        ASSERT_EQ(pOther, ClientActive());
    }
    ASSERT_EQ(pChild, m_pFrame->GetActiveMDIChild());
    CMessageHook hook(WM_COMMAND), cascades(WM_MDICASCADE);
    hook.HookWindow(pChild);
    cascades.HookWindow(CWnd::FromHandle(m_pFrame->m_hWndMDIClient));

    EXPECT_TRUE(m_pFrame->SendMessage(WM_COMMAND, kOwn));
    EXPECT_TRUE(m_pFrame->SendMessage(WM_COMMAND, kRouted));
    m_pFrame->SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);   // the frame's alone
    const std::vector<UINT> sent = {kOwn, kRouted, ID_WINDOW_CASCADE};
    EXPECT_EQ(sent, pChild->m_sent) << "the child's OnCommand";
    EXPECT_EQ(sent, hook.m_seen) << "a hook on the child";
    EXPECT_EQ(std::vector<UINT>{kRouted}, pChild->m_commands) << "carried out by the child's routing";
    EXPECT_EQ(1u, cascades.m_seen.size()) << "the frame's own command";
    EXPECT_TRUE(pOther->m_sent.empty() && pOther->m_commands.empty());
}

TEST_F(MDIDock, CommandsGoToTheActiveChildFirst)
{
    CommandsReachTheActiveChildFirst(FALSE);
}

TEST_F(MDIDock, CommandsGoToTheDockedActiveChildFirst)
{
    CommandsReachTheActiveChildFirst(TRUE);
}

// A system command nobody routes (a maximised child's system menu in the
// menu bar) goes, after the child has seen it, to the MDI frame procedure,
// which hands it to the maximised child; the frame counts it handled.
TEST_F(MDIDock, AnUnhandledSystemCommandGoesToTheMDIFrameProcedure)
{
    COwnCommandChild* pChild = new COwnCommandChild;
    AddChild("Report.kwl", WS_MAXIMIZE, pChild);
    BOOL bMaximized = FALSE;
    ASSERT_EQ(pChild, m_pFrame->GetActiveMDIChild(&bMaximized));
    ASSERT_TRUE(bMaximized);
    CMessageHook sysCommands(WM_SYSCOMMAND);
    sysCommands.HookWindow(pChild);
    EXPECT_TRUE(m_pFrame->SendMessage(WM_COMMAND, SC_RESTORE));
    EXPECT_EQ(std::vector<UINT>{SC_RESTORE}, pChild->m_sent);
    EXPECT_EQ(std::vector<UINT>{SC_RESTORE}, sysCommands.m_seen);
    EXPECT_FALSE(pChild->IsZoomed());
}

// A press anywhere in the frame closes a list dropped from a combo box.
TEST_F(MDIDock, APressInTheFrameClosesADroppedComboList)
{
    COXSizeControlBar* pBar = AddBar(0);
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 120, 120), pBar, 1));
    combo.AddString("seo tools");
    combo.SetFocus();
    combo.ShowDropDown(TRUE);
    ASSERT_TRUE(combo.GetDroppedState());
    MSG msg = {m_pFrame->m_hWndMDIClient, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20)};
    m_pFrame->PreTranslateMessage(&msg);
    EXPECT_FALSE(combo.GetDroppedState());
    combo.DestroyWindow();
}

// The program's close: once the user has answered for the modified
// documents, nothing is modified any more and the program is out of sight
// before the docked windows come back and the documents close.
TEST_F(MDIDock, TheProgramsCloseGivesUpWhatWasNotSavedAndHidesFirst)
{
    COXMDIChildWndSizeDock* pDocked = AddChild("Report.kwl");
    AddChild("Ideas.kwl");
    ASSERT_TRUE(pDocked->SetDocked(TRUE));
    for (int i = 0; i < 2; ++i)
        Doc(i)->SetModifiedFlag(TRUE);   // and the answer will be not to save
    EnterDocumentsInTemplate();
    const HWND hWndFrame = m_pFrame->m_hWnd;
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hWndFrame));
    if (!::IsWindow(hWndFrame))
        m_pFrame = NULL;
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(1, Doc(i)->m_nAsked) << i;
        EXPECT_EQ(1, Doc(i)->m_nClosed) << i;
        EXPECT_FALSE(Doc(i)->m_bModifiedAtClose) << i;
        EXPECT_FALSE(Doc(i)->m_bMainShownAtClose) << i;
    }
    MSG msg;
    while (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}   // namespace
