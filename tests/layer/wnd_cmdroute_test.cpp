// Command routing frame -> view -> document -> application, and CCmdUI
// updates of a menu through that routing.
#include "wnd_test.h"

namespace {

enum : UINT {
    ID_VIEW_ONLY = 34001,   // the view handles it
    ID_BOTH,                // the view and the document: the view wins
    ID_DOC_ONLY,            // the document
    ID_FRAME_ONLY,          // the frame itself
    ID_DECLINED,            // the view declines (ON_COMMAND_EX returning FALSE): the document gets it
    ID_NOBODY,              // nothing handles it
    ID_DISABLED_BY_VIEW,    // the view's update handler disables it
    ID_PASSED_ON,           // the view's update handler continues routing; the document checks it
};

CCallLog g_log;

class CViewTarget : public CCmdTarget
{
protected:
    afx_msg void OnViewOnly() { g_log.Add("view: view-only"); }
    afx_msg void OnBoth() { g_log.Add("view: both"); }
    afx_msg BOOL OnDeclined(UINT nID)
    {
        g_log.Add(Fmt("view: declined %u", nID - ID_VIEW_ONLY));
        return FALSE;
    }
    afx_msg void OnUpdateViewOnly(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdatePassedOn(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
    afx_msg void OnDisabled() { g_log.Add("view: disabled command ran"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CViewTarget, CCmdTarget)
    ON_COMMAND(ID_VIEW_ONLY, &CViewTarget::OnViewOnly)
    ON_COMMAND(ID_BOTH, &CViewTarget::OnBoth)
    ON_COMMAND_EX(ID_DECLINED, &CViewTarget::OnDeclined)
    ON_COMMAND(ID_DISABLED_BY_VIEW, &CViewTarget::OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ONLY, &CViewTarget::OnUpdateViewOnly)
    ON_UPDATE_COMMAND_UI(ID_DISABLED_BY_VIEW, &CViewTarget::OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_PASSED_ON, &CViewTarget::OnUpdatePassedOn)
END_MESSAGE_MAP()

class CDocTarget : public CCmdTarget
{
protected:
    afx_msg void OnBoth() { g_log.Add("doc: both"); }
    afx_msg void OnDocOnly() { g_log.Add("doc: doc-only"); }
    afx_msg void OnDeclined() { g_log.Add("doc: declined"); }
    afx_msg void OnUpdateDocOnly(CCmdUI* pCmdUI) { pCmdUI->SetText("Document &Only"); }
    afx_msg void OnUpdatePassedOn(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDocTarget, CCmdTarget)
    ON_COMMAND(ID_BOTH, &CDocTarget::OnBoth)
    ON_COMMAND(ID_DOC_ONLY, &CDocTarget::OnDocOnly)
    ON_COMMAND(ID_DECLINED, &CDocTarget::OnDeclined)
    ON_UPDATE_COMMAND_UI(ID_DOC_ONLY, &CDocTarget::OnUpdateDocOnly)
    ON_UPDATE_COMMAND_UI(ID_PASSED_ON, &CDocTarget::OnUpdatePassedOn)
END_MESSAGE_MAP()

// Routes as a frame does: the active view, the frame itself, the view's
// document, then the application.
class CRoutingFrame : public CWnd
{
public:
    CViewTarget m_view;
    CDocTarget m_doc;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (m_view.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        if (m_doc.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return AfxGetApp()->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    afx_msg void OnFrameOnly() { g_log.Add("frame: frame-only"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingFrame, CWnd)
    ON_COMMAND(ID_FRAME_ONLY, &CRoutingFrame::OnFrameOnly)
END_MESSAGE_MAP()

class WndCommandRoutingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_log.Clear();
        ASSERT_TRUE(CreateTopLevel(m_frame, "frame"));
    }
    void TearDown() override { m_frame.DestroyWindow(); }

    CRoutingFrame m_frame;
};

TEST_F(WndCommandRoutingTest, CommandsGoToTheFirstTargetThatHandlesThem)
{
    struct Case { UINT nID; const char* expected; } cases[] = {
        { ID_VIEW_ONLY, "view: view-only" },
        { ID_BOTH, "view: both" },
        { ID_DOC_ONLY, "doc: doc-only" },
        { ID_FRAME_ONLY, "frame: frame-only" },
        { ID_DECLINED, "view: declined 4 | doc: declined" },
        { ID_NOBODY, "" },
    };
    for (const Case& c : cases) {
        g_log.Clear();
        m_frame.SendMessage(WM_COMMAND, c.nID, 0);
        EXPECT_EQ(g_log.Joined(), c.expected) << c.nID;
    }
    // the application is last: its exit command is found through the frame
    AFX_CMDHANDLERINFO info = { NULL, NULL };
    EXPECT_TRUE(m_frame.OnCmdMsg(ID_APP_EXIT, CN_COMMAND, NULL, &info));
    EXPECT_EQ(info.pTarget, AfxGetApp());
    EXPECT_FALSE(m_frame.OnCmdMsg(ID_NOBODY, CN_COMMAND, NULL, NULL));
}

TEST_F(WndCommandRoutingTest, DisabledCommandDoesNotRun)
{
    m_frame.SendMessage(WM_COMMAND, ID_DISABLED_BY_VIEW, 0);
    EXPECT_EQ(g_log.Joined(), "");
    // The handler is there: routed without asking the update handler, it runs.
    EXPECT_TRUE(m_frame.OnCmdMsg(ID_DISABLED_BY_VIEW, CN_COMMAND, NULL, NULL));
    EXPECT_EQ(g_log.Joined(), "view: disabled command ran");
}

class WndCommandUITest : public WndCommandRoutingTest
{
protected:
    void SetUp() override
    {
        WndCommandRoutingTest::SetUp();
        ASSERT_TRUE(m_menu.CreatePopupMenu());
        const struct { UINT nID; const char* text; } items[] = {
            { ID_VIEW_ONLY, "View" }, { ID_DOC_ONLY, "Doc" }, { ID_FRAME_ONLY, "Frame" }, { 0, NULL },
            { ID_NOBODY, "Nobody" }, { ID_DISABLED_BY_VIEW, "Disabled" }, { ID_PASSED_ON, "Passed on" },
            { SC_CLOSE, "System" },
        };
        for (const auto& item : items)
            m_menu.AppendMenu(item.nID == 0 ? MF_SEPARATOR : MF_STRING, item.nID, item.text);
        CMenu sub;
        sub.CreatePopupMenu();
        sub.AppendMenu(MF_STRING, ID_NOBODY, "Sub nobody");
        m_menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "Popup");
    }
    void TearDown() override
    {
        m_menu.DestroyMenu();
        WndCommandRoutingTest::TearDown();
    }

    UINT State(UINT nID) { return ::GetMenuState(m_menu.m_hMenu, nID, MF_BYCOMMAND); }
    BOOL IsEnabled(UINT nID) { return !(State(nID) & (MF_DISABLED | MF_GRAYED)); }
    BOOL IsChecked(UINT nID) { return (State(nID) & MF_CHECKED) != 0; }
    std::string Text(UINT nID)
    {
        char sz[64] = "";
        ::GetMenuStringA(m_menu.m_hMenu, nID, sz, sizeof(sz), MF_BYCOMMAND);
        return sz;
    }

    CMenu m_menu;
};

TEST_F(WndCommandUITest, MenuItemsAreUpdatedThroughTheRouting)
{
    AfxUpdatePopupMenu(&m_frame, &m_menu, TRUE);
    EXPECT_TRUE(IsChecked(ID_VIEW_ONLY));
    EXPECT_TRUE(IsEnabled(ID_VIEW_ONLY));
    EXPECT_EQ(Text(ID_DOC_ONLY), "Document &Only");
    EXPECT_TRUE(IsEnabled(ID_FRAME_ONLY));        // a handler and no update handler
    EXPECT_FALSE(IsEnabled(ID_NOBODY));           // no handler at all
    EXPECT_FALSE(IsEnabled(ID_DISABLED_BY_VIEW));
    EXPECT_TRUE(IsChecked(ID_PASSED_ON));         // the view passed it on to the document
    EXPECT_TRUE(IsEnabled(SC_CLOSE));             // system commands are never auto-disabled
    // the popup item stays enabled though its first item has no handler
    EXPECT_FALSE(::GetMenuState(m_menu.m_hMenu, 8, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(WndCommandUITest, WithoutAutoDisableItemsWithoutHandlersStayEnabled)
{
    AfxUpdatePopupMenu(&m_frame, &m_menu, FALSE);
    EXPECT_TRUE(IsEnabled(ID_NOBODY));
    EXPECT_FALSE(IsEnabled(ID_DISABLED_BY_VIEW));
    EXPECT_TRUE(IsChecked(ID_VIEW_ONLY));
}

TEST_F(WndCommandUITest, CmdUIOnAControlEnablesChecksAndSetsText)
{
    CWnd check;
    ASSERT_TRUE(check.Create("BUTTON", "old", BS_AUTOCHECKBOX, CRect(0, 0, 50, 20), &m_frame, ID_VIEW_ONLY));
    CCmdUI state;
    state.m_nID = ID_VIEW_ONLY;
    state.m_pOther = &check;
    state.DoUpdate(&m_frame, TRUE);   // the view's handler checks it
    EXPECT_EQ(check.SendMessage(BM_GETCHECK), BST_CHECKED);
    state.Enable(FALSE);
    EXPECT_FALSE(check.IsWindowEnabled());
    state.SetText("new");
    EXPECT_EQ(WindowText(check.m_hWnd), "new");
}


// ---------------------------------------------------------------------------
// MDI frames: the active child is sent the frame's commands first
// ---------------------------------------------------------------------------

enum : UINT {
    ID_CHILD_TAKES = 34101,   // the child's OnCommand takes it
    ID_CHILD_MAP,             // the child's message map: reachable from its routing and the frame's
    ID_MDIFRAME_ONLY,         // the frame's message map
    ID_MDI_NOBODY,
};

class CRoutingMDIFrame : public CMDIFrameWnd
{
protected:
    afx_msg void OnFrameOnly() { g_log.Add("frame"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingMDIFrame, CMDIFrameWnd)
    ON_COMMAND(ID_MDIFRAME_ONLY, &CRoutingMDIFrame::OnFrameOnly)
END_MESSAGE_MAP()

// Logs every command it is sent; optionally hands what it does not handle to
// its frame, as a child that passes unknown commands up would.
class CSeeingMDIChild : public CMDIChildWnd
{
public:
    BOOL m_bPassToFrame = FALSE;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        g_log.Add(Fmt("child saw %u", LOWORD(wParam) - ID_CHILD_TAKES));
        if (LOWORD(wParam) == ID_CHILD_TAKES || CMDIChildWnd::OnCommand(wParam, lParam))
            return TRUE;
        return m_bPassToFrame && GetMDIFrame()->SendMessage(WM_COMMAND, wParam, lParam) != 0;
    }
    afx_msg void OnChildMap() { g_log.Add("child map"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSeeingMDIChild, CMDIChildWnd)
    ON_COMMAND(ID_CHILD_MAP, &CSeeingMDIChild::OnChildMap)
END_MESSAGE_MAP()

TEST(MDICommandRouting, TheActiveChildSeesACommandFirstAndWhatItLeavesGoesToTheFrame)
{
    CRoutingMDIFrame* pFrame = new CRoutingMDIFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "MDI routing", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    CSeeingMDIChild* pChild = new CSeeingMDIChild;
    ASSERT_TRUE(pChild->Create(NULL, "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                               pFrame));
    ASSERT_EQ(pChild, pFrame->MDIGetActive());
    struct Case { BOOL bPassToFrame; UINT nID; const char* expected; } cases[] = {
        { FALSE, ID_CHILD_TAKES, "child saw 0" },
        { FALSE, ID_CHILD_MAP, "child saw 1 | child map" },
        { FALSE, ID_MDIFRAME_ONLY, "child saw 2 | frame" },
        { FALSE, ID_MDI_NOBODY, "child saw 3" },
        // the command the child hands up is not sent down to it again
        { TRUE, ID_CHILD_MAP, "child saw 1 | child map" },
        { TRUE, ID_MDIFRAME_ONLY, "child saw 2 | frame" },
        { TRUE, ID_MDI_NOBODY, "child saw 3" },
    };
    for (const Case& c : cases) {
        g_log.Clear();
        pChild->m_bPassToFrame = c.bPassToFrame;
        pFrame->SendMessage(WM_COMMAND, c.nID, 0);
        EXPECT_EQ(g_log.Joined(), c.expected) << c.nID << (c.bPassToFrame ? " passed up" : "");
    }
    pFrame->DestroyWindow();
}

}  // namespace
