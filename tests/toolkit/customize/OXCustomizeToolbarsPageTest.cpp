// The tool bars page: its rules as tables (free ids from the top of the
// range down, which stored ids stand); new, renamed and deleted tool bars
// on a real frame, with every dock bar checked after each step; the options
// on the bars; OK, Cancel, stored ids that cannot stand, and a second run of
// this program.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "CustomizePageTestSupport.h"
#include "OXCoolToolBar.h"
#include "OXCustomizeToolbarsPage.h"
#include "toolkit_res.h"

namespace {

typedef COXCustomizeToolbarsPage Page;
const char kSection[] = "ToolbarsPageTest";

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------
TEST(ToolbarsPageRules, FreeIdsComeFromTheTopDown)
{
    struct Case { std::set<UINT> used; UINT expected; };
    std::set<UINT> allButLowest;
    for (UINT n = 0xE816; n <= 0xE8FF; n++)
        allButLowest.insert(n);
    std::set<UINT> all = allButLowest;
    all.insert(0xE815);
    const Case cases[] = {
        {{}, 0xE8FF},
        {{0xE8FF}, 0xE8FE},
        {{0xE8FF, 0xE8FE, 0xE8FC}, 0xE8FD},
        {allButLowest, 0xE815},
        {all, 0},   // 0xE814 is never given
    };
    for (const Case& c : cases)
        EXPECT_EQ(Page::FindFreeId([&](UINT n) { return (BOOL)(c.used.count(n) != 0); }), c.expected)
            << c.used.size() << " used";

    const std::pair<UINT, BOOL> ids[] = {{0, FALSE},      {0xE814, FALSE}, {0xE815, TRUE},
                                         {0xE8FF, TRUE},  {0xE900, FALSE}, {0xE800, FALSE}};
    for (const auto& id : ids)
        EXPECT_EQ(Page::IsCustomId(id.first), id.second) << std::hex << id.first;
}

TEST(ToolbarsPageRules, NamesStatesAndSizes)
{
    Page page;
    EXPECT_STREQ(page.GetCustomToolbarName(0), "0~!@#$CustomMadeToolbar");
    EXPECT_STREQ(page.GetCustomToolbarName(12), "12~!@#$CustomMadeToolbar");

    // new, delete, rename, gripper
    struct Case { BOOL bCustom, bCool; const char* expected; };
    const Case cases[] = {{FALSE, FALSE, "1000"}, {TRUE, FALSE, "1110"}, {FALSE, TRUE, "1001"}, {TRUE, TRUE, "1111"}};
    for (const Case& c : cases) {
        Page::ButtonStates s = Page::GetButtonStates(c.bCustom, c.bCool);
        std::string got;
        for (BOOL b : {s.bNew, s.bDelete, s.bRename, s.bGripper})
            got += b ? '1' : '0';
        EXPECT_EQ(got, c.expected);
    }
    for (const auto& size : std::vector<std::pair<DWORD, DWORD>>{{0, 0}, {100, 100}, {101, 100}, {0xFFFFFFFF, 100}})
        EXPECT_EQ(Page::ClampBorderSize(size.first), size.second);
}

// ---------------------------------------------------------------------------
// A real frame
// ---------------------------------------------------------------------------
class CBarsFrame : public CFrameWnd
{
public:
    COXCoolToolBar m_bar;
};

BOOL CALLBACK AddMiniFrameDockBar(HWND hWnd, LPARAM lParam)
{
    CMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, CWnd::FromHandlePermanent(hWnd));
    if (pMini != NULL)
        ((std::vector<CDockBar*>*)lParam)->push_back(&pMini->m_wndDockBar);
    return TRUE;
}

// Every dock bar of the frame: its edges' and its mini frames'.
std::vector<CDockBar*> DockBars(CFrameWnd* pFrame)
{
    std::vector<CDockBar*> bars;
    for (UINT nID : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        if (CDockBar* p = DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(nID)))
            bars.push_back(p);
    }
    ::EnumThreadWindows(::GetCurrentThreadId(), AddMiniFrameDockBar, (LPARAM)&bars);
    return bars;
}

// How many entries of all the frame's dock bars are pBar, or a place kept
// for the id nID.
int DockEntries(CFrameWnd* pFrame, void* pBar)
{
    int n = 0;
    for (CDockBar* pDock : DockBars(pFrame)) {
        for (int i = 0; i < pDock->m_arrBars.GetSize(); i++)
            n += pDock->m_arrBars[i] == pBar ? 1 : 0;
    }
    return n;
}

int ListEntries(CFrameWnd* pFrame, void* pBar)
{
    int n = 0;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
        n += pFrame->m_listControlBars.GetNext(pos) == pBar ? 1 : 0;
    return n;
}

class ToolbarsPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteProfileSection(kSection);
        m_pSavedMain = AfxGetApp()->m_pMainWnd;
        m_pFrame = new CBarsFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "tool bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_pFrame->m_bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE8FF));
        m_pFrame->m_bar.SetWindowText("Standard");
        m_pFrame->m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&m_pFrame->m_bar);
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pFrame->RecalcLayout();
        AfxGetApp()->m_pMainWnd = m_pFrame;
    }
    void TearDown() override
    {
        m_manager.reset();
        m_page.reset();
        if (::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        AfxGetApp()->m_pMainWnd = m_pSavedMain;
        DeleteProfileSection(kSection);
    }
    void Init()
    {
        m_page.reset(new Page);
        ASSERT_TRUE(m_page->InitializeToolbars(TRUE, TRUE, TRUE, 0, kSection));
    }
    bool Open()
    {
        Init();
        m_manager.reset(new pagetest::CPageManager(m_page.get()));
        return m_manager->OpenOn(m_page.get());
    }
    COXOptionTreeCtrl& Tree() { return *(COXOptionTreeCtrl*)m_page->GetDlgItem(IDC_OX_TBP_BARS); }
    std::vector<std::string> TreeTexts()
    {
        std::vector<std::string> texts;
        for (HTREEITEM h = Tree().GetRootItem(); h != NULL; h = Tree().GetNextSiblingItem(h))
            texts.push_back((LPCTSTR)Tree().GetItemText(h));
        return texts;
    }
    void SelectBar(int nIndex)
    {
        HTREEITEM h = Tree().GetRootItem();
        for (int i = 0; i < nIndex && h != NULL; i++)
            h = Tree().GetNextSiblingItem(h);
        ASSERT_NE(h, nullptr);
        Tree().SelectItem(h);
    }
    // Renames the selected bar as a user does: Rename, the label typed, and
    // the edit ended. FALSE when the edit never began.
    bool Rename(int nIndex, const char* lpszText)
    {
        SelectBar(nIndex);
        Press(IDC_OX_TBP_RENAME);
        HWND hEdit = (HWND)Tree().SendMessage(TVM_GETEDITCONTROL);
        if (hEdit == NULL)
            return false;
        ::SetWindowTextA(hEdit, lpszText);
        Tree().SendMessage(TVM_ENDEDITLABELNOW, FALSE);
        return true;
    }
    COXCoolToolBar* Custom(int nIndex) { return DYNAMIC_DOWNCAST(COXCoolToolBar, m_page->GetToolbar(nIndex).pBar); }
    void Press(UINT nID) { pagetest::PressPageButton(m_page.get(), nID); }
    BOOL Enabled(UINT nID) { return m_page->GetDlgItem(nID)->IsWindowEnabled(); }
    CString Title(CWnd* pWnd)
    {
        CString s;
        pWnd->GetWindowText(s);
        return s;
    }

    CWnd* m_pSavedMain = NULL;
    CBarsFrame* m_pFrame = NULL;
    std::unique_ptr<Page> m_page;
    std::unique_ptr<pagetest::CPageManager> m_manager;
};

TEST_F(ToolbarsPage, NewRenameDeleteAndNewAgain)
{
    ASSERT_TRUE(Open());
    EXPECT_EQ(TreeTexts(), std::vector<std::string>{"Standard"});
    SelectBar(0);
    EXPECT_TRUE(Enabled(IDC_OX_TBP_NEW));
    EXPECT_FALSE(Enabled(IDC_OX_TBP_DELETE));
    EXPECT_FALSE(Enabled(IDC_OX_TBP_RENAME));
    EXPECT_FALSE(Enabled(IDC_OX_TBP_UNUSED1));
    EXPECT_FALSE(Enabled(IDC_OX_TBP_UNUSED2));
    EXPECT_FALSE(Rename(0, "Mine")) << "a program's bar took a new name";

    Press(IDC_OX_TBP_NEW);
    Tree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);   // the new bar's label is offered for editing
    Press(IDC_OX_TBP_NEW);
    Tree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    ASSERT_EQ(m_page->GetToolbarCount(), 3);
    COXCoolToolBar* pFirst = Custom(1);
    COXCoolToolBar* pSecond = Custom(2);
    EXPECT_EQ(TreeTexts(), (std::vector<std::string>{"Standard", "Custom 1", "Custom 2"}));
    EXPECT_EQ(pFirst->GetDlgCtrlID(), 0xE8FE);
    EXPECT_EQ(pSecond->GetDlgCtrlID(), 0xE8FD);
    EXPECT_TRUE(pFirst->IsFloating());
    EXPECT_TRUE(Enabled(IDC_OX_TBP_DELETE));

    // The first docked, the second renamed where it floats.
    m_pFrame->DockControlBar(pFirst);
    m_pFrame->RecalcLayout();
    EXPECT_FALSE(pFirst->IsFloating());
    ASSERT_TRUE(Rename(2, "Mine"));
    EXPECT_EQ(Title(pSecond), "Mine");
    EXPECT_EQ(Title(pSecond->GetDockingFrame()), "Mine");
    ASSERT_TRUE(Rename(2, ""));
    EXPECT_EQ(Title(pSecond), "Mine") << "an empty name was taken";
    EXPECT_EQ(TreeTexts(), (std::vector<std::string>{"Standard", "Custom 1", "Mine"}));

    // Deleted, docked and floating: no dock bar, list or mini frame keeps them.
    HWND hMini = pSecond->GetDockingFrame()->GetSafeHwnd();
    SelectBar(1);
    Press(IDC_OX_TBP_DELETE);
    SelectBar(1);
    Press(IDC_OX_TBP_DELETE);
    EXPECT_EQ(TreeTexts(), std::vector<std::string>{"Standard"});
    EXPECT_FALSE(::IsWindow(hMini));
    for (COXCoolToolBar* pBar : {pFirst, pSecond}) {
        EXPECT_EQ(pBar->GetSafeHwnd(), (HWND)NULL);
        EXPECT_EQ(DockEntries(m_pFrame, pBar), 0);
        EXPECT_EQ(ListEntries(m_pFrame, pBar), 0);
    }
    EXPECT_EQ(DockEntries(m_pFrame, (void*)(UINT_PTR)0xE8FE), 0) << "a place is kept for a deleted bar";

    // New again: the objects come back, each in one dock bar, with fresh ids.
    Press(IDC_OX_TBP_NEW);
    Tree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    Press(IDC_OX_TBP_NEW);
    Tree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    ASSERT_EQ(m_page->GetToolbarCount(), 3);
    EXPECT_EQ(m_page->GetCreatedToolbarCount(), 2);
    EXPECT_EQ(Custom(1), pFirst);
    EXPECT_EQ(Custom(2), pSecond);
    EXPECT_EQ(TreeTexts(), (std::vector<std::string>{"Standard", "Custom 2", "Custom 2"}));
    m_pFrame->DockControlBar(pFirst);
    m_pFrame->RecalcLayout();
    for (COXCoolToolBar* pBar : {pFirst, pSecond}) {
        EXPECT_EQ(DockEntries(m_pFrame, pBar), 1);
        EXPECT_EQ(ListEntries(m_pFrame, pBar), 1);
        EXPECT_TRUE(pBar->IsWindowVisible());
    }
    EXPECT_FALSE(pFirst->IsFloating());
    EXPECT_TRUE(pSecond->IsFloating());
    std::set<UINT> ids = {(UINT)m_pFrame->m_bar.GetDlgCtrlID(), (UINT)pFirst->GetDlgCtrlID(),
                          (UINT)pSecond->GetDlgCtrlID()};
    EXPECT_EQ(ids.size(), 3u);
}

TEST_F(ToolbarsPage, TheOptionsReachTheBarsAtOnce)
{
    ASSERT_TRUE(Open());
    Press(IDC_OX_TBP_NEW);
    Tree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    COXCoolToolBar* pMine = Custom(1);
    CWnd* pEdit = m_page->GetDlgItem(IDC_OX_TBP_BORDER_SIZE);
    pEdit->SetWindowText("7");
    for (CControlBar* pBar : {(CControlBar*)&m_pFrame->m_bar, (CControlBar*)pMine})
        EXPECT_EQ(pBar->GetBorders(), CRect(7, 7, 7, 7));
    pEdit->SetWindowText("500");
    EXPECT_EQ(m_page->GetBorderSize(), 100u);
    int nLow = -1, nHigh = -1;
    m_page->GetDlgItem(IDC_OX_TBP_BORDER_SPIN)->SendMessage(UDM_GETRANGE32, (WPARAM)&nLow, (LPARAM)&nHigh);
    EXPECT_EQ(nLow, 0);
    EXPECT_EQ(nHigh, 100);
    pEdit->SetWindowText("3");

    EXPECT_TRUE(m_pFrame->m_bar.IsFlat());
    EXPECT_TRUE(Enabled(IDC_OX_TBP_GRIPPER));
    m_page->GetDlgItem(IDC_OX_TBP_COOL_LOOK)->SendMessage(BM_CLICK);
    EXPECT_FALSE(m_pFrame->m_bar.IsFlat());
    EXPECT_FALSE(pMine->IsFlat());
    EXPECT_FALSE(Enabled(IDC_OX_TBP_GRIPPER));
    EXPECT_TRUE(pMine->GetBarStyle() & CBRS_GRIPPER);
    m_page->GetDlgItem(IDC_OX_TBP_TOOLTIPS)->SendMessage(BM_CLICK);
    EXPECT_FALSE(m_pFrame->m_bar.GetBarStyle() & CBRS_TOOLTIPS);

    // Unchecking a bar hides it.
    ASSERT_TRUE(m_pFrame->m_bar.IsWindowVisible());
    Tree().SetItemCheck(Tree().GetRootItem(), 0);
    EXPECT_FALSE(m_pFrame->m_bar.IsWindowVisible());
    Tree().SetItemCheck(Tree().GetRootItem(), 1);
    EXPECT_TRUE(m_pFrame->m_bar.IsWindowVisible());

    // OK keeps the options; the user's bars by number.
    m_manager->SendMessage(WM_COMMAND, IDOK);
    std::map<std::string, std::string> stored = RegQuerySection(kSection);
    const std::map<std::string, std::string> expected = {
        {"CoolLook", "0"}, {"ShowTooltips", "0"}, {"ShowGripper", "1"}, {"BorderSize", "3"},
        {"0~!@#$CustomMadeToolbar_ID", std::to_string(0xE8FE)}, {"0~!@#$CustomMadeToolbar_Title", "Custom 1"}};
    EXPECT_EQ(stored, expected);
}

TEST_F(ToolbarsPage, OkStoresTheRemainingBarsInOrderAndTheNextRunMakesThem)
{
    ASSERT_TRUE(Open());
    for (int i = 0; i < 3; i++) {
        Press(IDC_OX_TBP_NEW);
        Tree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    }
    ASSERT_TRUE(Rename(3, "Third"));
    SelectBar(2);
    Press(IDC_OX_TBP_DELETE);
    m_manager->SendMessage(WM_COMMAND, IDOK);
    std::map<std::string, std::string> stored = RegQuerySection(kSection);
    EXPECT_EQ(stored["0~!@#$CustomMadeToolbar_Title"], "Custom 1");
    EXPECT_EQ(stored["1~!@#$CustomMadeToolbar_Title"], "Third");
    EXPECT_EQ(stored["1~!@#$CustomMadeToolbar_ID"], std::to_string(0xE8FC));
    EXPECT_EQ(stored.count("2~!@#$CustomMadeToolbar_ID"), 0u);

    CTestFolder folder;
    pagetest::CChild child("ToolbarsPageRestartChild.Report", "toolbars", folder.File("log.txt"));
    ASSERT_TRUE(child.Ended(60000)) << "the second run did not end";
    EXPECT_EQ(child.Log(), "Standard:59647 Custom 1:59646 Third:59644 ");
}

TEST_F(ToolbarsPage, CancelLeavesTheBarsAndWritesNothing)
{
    ASSERT_TRUE(Open());
    Press(IDC_OX_TBP_NEW);
    Tree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    m_page->GetDlgItem(IDC_OX_TBP_BORDER_SIZE)->SetWindowText("9");
    m_manager->SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_TRUE(RegQuerySection(kSection).empty());
    ASSERT_EQ(m_page->GetToolbarCount(), 2);
    EXPECT_TRUE(::IsWindow(Custom(1)->GetSafeHwnd()));
    EXPECT_EQ(m_pFrame->m_bar.GetBorders(), CRect(9, 9, 9, 9));
}

TEST_F(ToolbarsPage, StoredIdsThatCannotStandAreReplaced)
{
    CWinApp* pApp = AfxGetApp();
    const std::pair<UINT, const char*> stored[] = {
        {0xE814, "Low"}, {0xE8FF, "Taken"}, {0xE8F0, "Twice A"}, {0xE8F0, "Twice B"}, {0xE8F1, "Fine"}};
    for (int i = 0; i < (int)std::size(stored); i++) {
        Page names;
        pApp->WriteProfileInt(kSection, names.GetCustomToolbarName(i) + "_ID", (int)stored[i].first);
        pApp->WriteProfileString(kSection, names.GetCustomToolbarName(i) + "_Title", stored[i].second);
    }
    Init();
    std::string got;
    for (int i = 0; i < m_page->GetToolbarCount(); i++) {
        CString s;
        s.Format("%s:%X ", (LPCTSTR)Title(m_page->GetToolbar(i).pBar), m_page->GetToolbar(i).pBar->GetDlgCtrlID());
        got += (LPCTSTR)s;
    }
    EXPECT_EQ(got, "Standard:E8FF Low:E8FE Taken:E8FD Twice A:E8F0 Twice B:E8FC Fine:E8F1 ");
    for (int i = 1; i < m_page->GetToolbarCount(); i++) {
        EXPECT_TRUE(m_page->GetToolbar(i).bCustom);
        EXPECT_EQ(DockEntries(m_pFrame, m_page->GetToolbar(i).pBar), 1);
    }
}

TEST_F(ToolbarsPage, OkLeavesNoStoredBarPastAGap)
{
    // Numbers 0, 2 and the last one stored: start-up makes only number 0.
    CWinApp* pApp = AfxGetApp();
    Page names;
    for (int n : {0, 2, Page::kMaxCustomToolbars - 1}) {
        pApp->WriteProfileInt(kSection, names.GetCustomToolbarName(n) + "_ID", 0xE8F0 + n % 8);
        pApp->WriteProfileString(kSection, names.GetCustomToolbarName(n) + "_Title", "Stored");
    }
    ASSERT_TRUE(Open());
    ASSERT_EQ(m_page->GetToolbarCount(), 2);
    Press(IDC_OX_TBP_NEW);
    Tree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    m_manager->SendMessage(WM_COMMAND, IDOK);

    std::set<std::string> barKeys;
    for (const auto& entry : RegQuerySection(kSection)) {
        if (entry.first.find("CustomMadeToolbar") != std::string::npos)
            barKeys.insert(entry.first);
    }
    const std::set<std::string> expected = {"0~!@#$CustomMadeToolbar_ID", "0~!@#$CustomMadeToolbar_Title",
                                            "1~!@#$CustomMadeToolbar_ID", "1~!@#$CustomMadeToolbar_Title"};
    EXPECT_EQ(barKeys, expected);
}

// ---------------------------------------------------------------------------
// A second run
// ---------------------------------------------------------------------------
TEST(ToolbarsPageRestartChild, Report)
{
    std::string args, log;
    if (!pagetest::ChildArgs(args, log) || args != "toolbars")
        GTEST_SKIP() << "started by the restart test only";
    CBarsFrame* pFrame = new CBarsFrame;
    pFrame->Create(NULL, "second run", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->m_bar.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE8FF);
    pFrame->m_bar.SetWindowText("Standard");
    pFrame->m_bar.EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(&pFrame->m_bar);
    CWnd* pSaved = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = pFrame;
    {
        Page page;
        page.InitializeToolbars(TRUE, TRUE, TRUE, 0, kSection);
        std::string s;
        for (int i = 0; i < page.GetToolbarCount(); i++) {
            CString sTitle;
            page.GetToolbar(i).pBar->GetWindowText(sTitle);
            s += std::string((LPCTSTR)sTitle) + ":" + std::to_string(page.GetToolbar(i).pBar->GetDlgCtrlID()) + " ";
        }
        pagetest::AppendLog(log, s);
    }
    pFrame->DestroyWindow();
    AfxGetApp()->m_pMainWnd = pSaved;
}

} // namespace
