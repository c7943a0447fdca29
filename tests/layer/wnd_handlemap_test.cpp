// Handle maps, subclassing, the PreTranslateMessage walk, layout of bars,
// and tooltips for child controls.
#include "wnd_test.h"

#include <afxhandle.h>

namespace {

typedef CHandleMap<CWnd, HWND, CHandleMemberTraits<CWnd, HWND, &CWnd::m_hWnd> > CWndMap;

HWND CreateRawWindow(LPCSTR lpszClass, HWND hWndParent = NULL, int nID = 0)
{
    DWORD dwStyle = hWndParent != NULL ? WS_CHILD : WS_POPUP;
    return ::CreateWindowExA(0, lpszClass, "raw", dwStyle, 0, 0, 50, 20, hWndParent, (HMENU)(INT_PTR)nID,
                             AfxGetInstanceHandle(), NULL);
}

TEST(WndHandleMap, TemporaryWrappersGoAtIdlePermanentOnesStay)
{
    HWND hRaw = CreateRawWindow("STATIC");
    CWnd permanent;
    ASSERT_TRUE(CreateTopLevel(permanent));

    CWnd* pTemp = CWnd::FromHandle(hRaw);
    ASSERT_NE(pTemp, (CWnd*)NULL);
    EXPECT_EQ(pTemp->m_hWnd, hRaw);
    EXPECT_EQ(CWnd::FromHandle(hRaw), pTemp) << "one wrapper per handle until idle";
    EXPECT_EQ(CWnd::FromHandlePermanent(hRaw), (CWnd*)NULL);
    EXPECT_EQ(CWnd::FromHandle(permanent.m_hWnd), &permanent);
    EXPECT_EQ(CWndMap::GetThreadMap()->LookupTemporary(hRaw), pTemp);
    EXPECT_EQ(CWnd::FromHandle(NULL), (CWnd*)NULL);

    AfxGetApp()->OnIdle(1);   // idle time: temporary wrappers deleted
    EXPECT_EQ(CWndMap::GetThreadMap()->LookupTemporary(hRaw), (CWnd*)NULL);
    EXPECT_TRUE(::IsWindow(hRaw)) << "deleting a wrapper must not destroy its window";
    EXPECT_EQ(CWnd::FromHandlePermanent(permanent.m_hWnd), &permanent);

    ::DestroyWindow(hRaw);
    permanent.DestroyWindow();
}

TEST(WndHandleMap, AttachAndDetach)
{
    HWND hRaw = CreateRawWindow("STATIC");
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Attach(hRaw));
        EXPECT_EQ(CWnd::FromHandlePermanent(hRaw), &wnd);
        CWnd other;
        EXPECT_FALSE(other.Attach(hRaw)) << "a window has one owner";
        EXPECT_EQ(wnd.Detach(), hRaw);
        EXPECT_EQ(CWnd::FromHandlePermanent(hRaw), (CWnd*)NULL);
    }
    EXPECT_TRUE(::IsWindow(hRaw)) << "a detached object does not destroy the window";
    {
        CWnd owner;
        owner.Attach(hRaw);
    }
    EXPECT_FALSE(::IsWindow(hRaw)) << "an attached object destroys its window";
}

class CSubclassedEdit : public CWnd
{
public:
    int m_nChars = 0;
    BOOL m_bPreSubclassed = FALSE;

protected:
    void PreSubclassWindow() override { m_bPreSubclassed = TRUE; }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        m_nChars++;
        CWnd::OnChar(nChar, nRepCnt, nFlags);   // the edit control's own procedure
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSubclassedEdit, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(WndSubclass, SubclassAndUnsubclassRestoreTheOriginalProcedure)
{
    CWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    HWND hEdit = CreateRawWindow("EDIT", parent.m_hWnd, 77);
    WNDPROC pfnOriginal = (WNDPROC)::GetWindowLongPtr(hEdit, GWLP_WNDPROC);

    CSubclassedEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(77, &parent));
    EXPECT_TRUE(edit.m_bPreSubclassed);
    EXPECT_EQ(edit.m_hWnd, hEdit);
    EXPECT_EQ((WNDPROC)::GetWindowLongPtr(hEdit, GWLP_WNDPROC), AfxGetAfxWndProc());
    EXPECT_EQ(edit.m_pfnSuper, pfnOriginal);

    ::SetWindowTextA(hEdit, "");
    edit.SendMessage(WM_CHAR, 'x', 1);
    EXPECT_EQ(edit.m_nChars, 1);
    EXPECT_EQ(WindowText(hEdit), "x") << "the original procedure still runs";

    EXPECT_EQ(edit.UnsubclassWindow(), hEdit);
    EXPECT_EQ((WNDPROC)::GetWindowLongPtr(hEdit, GWLP_WNDPROC), pfnOriginal);
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), (CWnd*)NULL);
    ::SendMessageA(hEdit, WM_CHAR, 'y', 1);
    EXPECT_EQ(edit.m_nChars, 1);
    EXPECT_EQ(WindowText(hEdit), "xy");
    parent.DestroyWindow();
}

// A window that deletes itself after its last message.
class CSelfDeletingWnd : public CWnd
{
public:
    static int s_nDeleted;
    ~CSelfDeletingWnd() override { s_nDeleted++; }

protected:
    void PostNcDestroy() override { delete this; }
};
int CSelfDeletingWnd::s_nDeleted = 0;

TEST(WndSubclass, PostNcDestroyEndsTheObject)
{
    CSelfDeletingWnd* pWnd = new CSelfDeletingWnd;
    ASSERT_TRUE(CreateTopLevel(*pWnd));
    HWND hWnd = pWnd->m_hWnd;
    CSelfDeletingWnd::s_nDeleted = 0;
    ::DestroyWindow(hWnd);
    EXPECT_EQ(CSelfDeletingWnd::s_nDeleted, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), (CWnd*)NULL);
}

// ---------------------------------------------------------------------------
// PreTranslateMessage walk
// ---------------------------------------------------------------------------

CCallLog g_walk;

class CWalkWnd : public CWnd
{
public:
    std::string m_strName;
    BOOL m_bEat = FALSE;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            g_walk.Add(m_strName);
        return m_bEat;
    }
};

TEST(WndPreTranslate, WalkGoesFromTheTargetUpToTheMainWindow)
{
    CWalkWnd outer, main, child, grandchild;
    outer.m_strName = "outer";
    main.m_strName = "main";
    child.m_strName = "child";
    grandchild.m_strName = "grandchild";
    ASSERT_TRUE(CreateTopLevel(outer));
    // the main window is owned by outer: the walk must stop at the main window
    ASSERT_TRUE(CreateTopLevel(main, "main", WS_POPUP, outer.m_hWnd));
    ASSERT_TRUE(child.Create(NULL, "child", 0, CRect(0, 0, 50, 50), &main, 1));
    ASSERT_TRUE(grandchild.Create(NULL, "gc", 0, CRect(0, 0, 20, 20), &child, 2));
    {
        CMainWndScope scope(&main);
        MSG msg = { grandchild.m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, { 0, 0 } };
        g_walk.Clear();
        EXPECT_FALSE(AfxGetApp()->PreTranslateMessage(&msg));
        EXPECT_EQ(g_walk.Joined(), "grandchild | child | main");

        child.m_bEat = TRUE;
        g_walk.Clear();
        EXPECT_TRUE(AfxGetApp()->PreTranslateMessage(&msg));
        EXPECT_EQ(g_walk.Joined(), "grandchild | child");

        // a message for another top-level window gets the main window last
        MSG other = { outer.m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, { 0, 0 } };
        g_walk.Clear();
        AfxGetApp()->PreTranslateMessage(&other);
        EXPECT_EQ(g_walk.Joined(), "outer | main");
    }
    main.DestroyWindow();
    outer.DestroyWindow();
}

// ---------------------------------------------------------------------------
// RepositionBars: bars take their strips, the pane gets the rest
// ---------------------------------------------------------------------------

class CTestBar : public CWnd
{
public:
    int m_nHeight = 20;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
        CRect rc(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + m_nHeight);
        pLayout->rect.top += m_nHeight;
        pLayout->sizeTotal.cy += m_nHeight;
        AfxRepositionWindow(pLayout, m_hWnd, &rc);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CTestBar::OnSizeParent)
END_MESSAGE_MAP()

TEST(WndLayout, RepositionBarsGivesTheLeftOverToThePane)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_POPUP, 0, 0, 300, 200, NULL, NULL));
    CTestBar bar1, bar2;
    CWnd pane;
    ASSERT_TRUE(bar1.Create(NULL, "", WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(bar2.Create(NULL, "", WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_STATUS_BAR));
    bar2.m_nHeight = 15;
    ASSERT_TRUE(pane.Create(NULL, "", WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_PANE_FIRST));

    CRect rcQuery;
    frame.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcQuery);
    CRect rcClient;
    frame.GetClientRect(&rcClient);
    EXPECT_EQ(rcQuery, CRect(0, 35, rcClient.right, rcClient.bottom));

    frame.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    CRect rc;
    pane.GetWindowRect(&rc);
    frame.ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(0, 35, rcClient.right, rcClient.bottom));
    bar2.GetWindowRect(&rc);
    frame.ScreenToClient(&rc);
    EXPECT_EQ(rc.Height(), 15);
    frame.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Tooltips for child controls
// ---------------------------------------------------------------------------

class CTipWnd : public CWnd
{
public:
    int m_nAsked = 0;
    UINT m_nAskedID = 0;

protected:
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_nAsked++;
        m_nAskedID = nID;
        NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)pNMHDR;
        lstrcpyA(pInfo->szText, "Start harvesting");
        *pResult = 0;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTipWnd, CWnd)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CTipWnd::OnToolTipText)
END_MESSAGE_MAP()

BOOL CALLBACK FindToolTipProc(HWND h, LPARAM lParam)
{
    char sz[64];
    ::GetClassNameA(h, sz, sizeof(sz));
    if (lstrcmpiA(sz, TOOLTIPS_CLASSA) != 0)
        return TRUE;
    *(HWND*)lParam = h;
    return FALSE;
}

HWND FindThreadToolTip()
{
    HWND hFound = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindToolTipProc, (LPARAM)&hFound);
    return hFound;
}

TEST(WndToolTips, ChildControlUnderTheMouseBecomesTheTool)
{
    CTipWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd, "tips", WS_POPUP | WS_VISIBLE));
    CWnd button, label;
    ASSERT_TRUE(button.Create("BUTTON", "Go", WS_VISIBLE, CRect(10, 10, 60, 30), &wnd, 3001));
    ASSERT_TRUE(label.Create("STATIC", "x", WS_VISIBLE, CRect(10, 40, 60, 60), &wnd, 0xFFFF));
    EXPECT_FALSE(wnd.EnableToolTips(TRUE));

    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(wnd.OnToolHitTest(CPoint(20, 20), &ti), 3001);
    EXPECT_EQ(ti.hwnd, wnd.m_hWnd);
    EXPECT_EQ(ti.uId, (UINT_PTR)button.m_hWnd);
    EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
    EXPECT_EQ(wnd.OnToolHitTest(CPoint(20, 50), NULL), -1) << "controls without an id have no tip";
    EXPECT_EQ(wnd.OnToolHitTest(CPoint(150, 100), NULL), -1);

    // the mouse over the button, as the message loop would pass it on
    CPoint pt(20, 20);
    wnd.ClientToScreen(&pt);
    MSG msg = { button.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), ::GetTickCount(), pt };
    CWnd::WalkPreTranslateTree(wnd.m_hWnd, &msg);
    HWND hTip = FindThreadToolTip();
    ASSERT_NE(hTip, (HWND)NULL);
    EXPECT_EQ(::SendMessage(hTip, TTM_GETTOOLCOUNT, 0, 0), 1);

    // its text is asked from the window, by the control's id
    char szText[80] = "";
    TOOLINFOA tiGet = {};
    tiGet.cbSize = TTTOOLINFOA_V2_SIZE;
    tiGet.hwnd = wnd.m_hWnd;
    tiGet.uId = (UINT_PTR)button.m_hWnd;
    tiGet.lpszText = szText;
    ::SendMessage(hTip, TTM_GETTEXTA, 0, (LPARAM)&tiGet);
    EXPECT_GE(wnd.m_nAsked, 1);
    EXPECT_EQ(wnd.m_nAskedID, 3001u);
    EXPECT_STREQ(szText, "Start harvesting");

    // moving off the control drops the tool
    CPoint ptOff(150, 100);
    wnd.ClientToScreen(&ptOff);
    MSG off = { wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(150, 100), ::GetTickCount(), ptOff };
    CWnd::WalkPreTranslateTree(wnd.m_hWnd, &off);
    EXPECT_EQ(::SendMessage(hTip, TTM_GETTOOLCOUNT, 0, 0), 0);
    wnd.DestroyWindow();
}

}  // namespace

TEST(WndOwner, ChildReportsItsParentUntilAnOwnerIsSetAndTheParentStays)
{
    CWnd parent, other, child;
    ASSERT_TRUE(CreateTopLevel(parent, "owner-parent"));
    ASSERT_TRUE(CreateTopLevel(other, "owner-other"));
    ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "child", WS_CHILD, CRect(0, 0, 10, 10), &parent, 7));

    EXPECT_EQ(child.GetOwner(), &parent);
    child.SetOwner(&other);
    EXPECT_EQ(child.GetOwner(), &other);
    EXPECT_EQ(child.GetParent(), &parent);   // owning changes no window

    child.DestroyWindow();
    other.DestroyWindow();
    parent.DestroyWindow();
}
