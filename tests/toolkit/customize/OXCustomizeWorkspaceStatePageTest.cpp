// The workspace state page: a page's key, the frames that keep their own
// bars, the offered pages read from and written to the profile; then a real
// manager: the tree of pages, OK storing what "reg query" shows and a
// restarted program offering only the checked pages (with no workspace
// stored), Cancel storing nothing, and a size-dock frame whose bars stay out
// of the workspace.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "CustomizePageTestSupport.h"
#include "OXCustomizeWorkspaceStatePage.h"
#include "OXFrameWndDock.h"
#include "customize_test_res.h"
#include "gallery_res.h"
#include "toolkit_res.h"

using namespace pagetest;

namespace {

const char kSection[] = "WorkspaceStatePageTest";
// Where the workspace state keeps its record for the test application.
const char kStateSection[] = "WorkspaceState";

using Page = COXCustomizeWorkspaceStatePage;

TEST(OXCustomizeWorkspaceStatePageRules, APageKeyIsItsTitleAndGroup)
{
    const struct {
        const char *pszTitle, *pszGroup, *pszKey;
    } rows[] = {
        {"Tabbed MDI", "Customize", "Tabbed MDI~!@#$^Customize"},
        {"", "Customize", "~!@#$^Customize"},
        {"Colours", "", "Colours~!@#$^"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(std::string(Page::MakePageKey(r.pszTitle, r.pszGroup)), r.pszKey);
}

class CFrameUnderSizeDock : public COXMDIFrameWndSizeDock
{
};

TEST(OXCustomizeWorkspaceStatePageRules, SizeDockFramesKeepTheirOwnBars)
{
    CWnd wnd;
    CFrameWnd frame;
    CMDIFrameWnd mdiFrame;
    COXFrameWndSizeDock sizeDock;
    COXMDIFrameWndSizeDock mdiSizeDock;
    CFrameUnderSizeDock derived;
    const struct {
        const CWnd* pWnd;
        BOOL bKeeps;
    } rows[] = {
        {NULL, FALSE}, {&wnd, FALSE}, {&frame, FALSE}, {&mdiFrame, FALSE},
        {&sizeDock, TRUE}, {&mdiSizeDock, TRUE}, {&derived, TRUE},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Page::KeepsOwnBars(r.pWnd), r.bKeeps) << (r.pWnd ? r.pWnd->GetRuntimeClass()->m_lpszClassName : "NULL");
}

std::string MapText(const Page::CPageIncludedMap& map)
{
    std::map<std::string, BOOL> sorted;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        CString sKey;
        BOOL b = FALSE;
        map.GetNextAssoc(pos, sKey, b);
        sorted[(LPCSTR)sKey] = b;
    }
    std::string s;
    for (const auto& e : sorted)
        s += e.first + "=" + std::to_string(e.second) + ";";
    return s;
}

// The profile as a list of (entry, text or number) written before reading.
struct Entry {
    const char* pszName;
    const char* pszText;   // NULL: a number
    int nValue;
};

TEST(OXCustomizeWorkspaceStatePageRules, TheOfferedPagesAreReadUpToTheFirstMissingKey)
{
    const std::string sLong(Page::kMaxPageKeyLength + 1, 'x');
    const struct {
        std::vector<Entry> entries;
        const char* pszMap;
    } rows[] = {
        {{}, ""},
        {{{"0_CustomizePageKey", "A~!@#$^G", 0}, {"A~!@#$^G", NULL, 0}}, "A~!@#$^G=0;"},
        // A key without its value is offered; any number but 0 is.
        {{{"0_CustomizePageKey", "A", 0}, {"1_CustomizePageKey", "B", 0}, {"B", NULL, 7}}, "A=1;B=1;"},
        // The list ends at the first missing or empty name.
        {{{"0_CustomizePageKey", "A", 0}, {"A", NULL, 0}, {"2_CustomizePageKey", "C", 0}, {"C", NULL, 0}}, "A=0;"},
        {{{"0_CustomizePageKey", "", 0}, {"1_CustomizePageKey", "B", 0}, {"B", NULL, 0}}, ""},
        // A name longer than any page's ends it too.
        {{{"0_CustomizePageKey", "A", 0}, {"A", NULL, 0}, {"1_CustomizePageKey", sLong.c_str(), 0}}, "A=0;"},
    };
    CWinApp* pApp = AfxGetApp();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.pszMap);
        DeleteProfileSection(kSection);
        for (const Entry& e : r.entries) {
            if (e.pszText != NULL)
                pApp->WriteProfileString(kSection, e.pszName, e.pszText);
            else
                pApp->WriteProfileInt(kSection, e.pszName, e.nValue);
        }
        Page::CPageIncludedMap map;
        map["stale"] = FALSE;
        Page::ReadPageMap(kSection, map);
        EXPECT_EQ(MapText(map), r.pszMap);
        // No section: nothing is read.
        Page::ReadPageMap("", map);
        EXPECT_EQ(MapText(map), "");
    }

    // Written and read back: the same map.
    DeleteProfileSection(kSection);
    Page::CPageIncludedMap map, back;
    map["Beta~!@#$^Customize"] = FALSE;
    map["Alpha~!@#$^Customize"] = TRUE;
    map["Gamma~!@#$^Options"] = FALSE;
    Page::WritePageMap(kSection, map);
    Page::ReadPageMap(kSection, back);
    EXPECT_EQ(MapText(back), "Alpha~!@#$^Customize=1;Beta~!@#$^Customize=0;Gamma~!@#$^Options=0;");
    EXPECT_EQ(RegQuerySection(kSection).size(), 6u);
    DeleteProfileSection(kSection);
}

// A page of the dialog with a title and group of its own.
class CPlainPage : public COXCustomizePage
{
public:
    CPlainPage(LPCTSTR lpszTitle, LPCTSTR lpszGroup = "Customize") : m_sTitle(lpszTitle), m_sGroup(lpszGroup)
    {
        m_nDialogID = IDD_GALLERY_CUSTOMIZE_PAGE;
    }
    CString GetTitle() const override { return m_sTitle; }
    CString GetGroup() const override { return m_sGroup; }

private:
    CString m_sTitle, m_sGroup;
};

class CTestWorkspacePage : public COXCustomizeWorkspaceStatePage
{
public:
    using COXCustomizeWorkspaceStatePage::m_treePages;
    std::string Flags() const
    {
        return "main=" + std::to_string(m_bIncludeMainWnd) + " bars=" + std::to_string(m_bIncludeBars) +
               " children=" + std::to_string(m_bIncludeChildFrames) +
               " panes=" + std::to_string(m_bIncludeSplitterPanes);
    }
};

// The manager of a program that lets the workspace page decide which pages
// it offers: the workspace page, then Alpha and Beta.
class CWorkspaceManager : public COXCustomizeManager
{
public:
    explicit CWorkspaceManager(CTestWorkspacePage* pWorkspace) : m_pWorkspace(pWorkspace)
    {
        m_pages = {pWorkspace, &m_alpha, &m_beta};
        for (size_t i = 0; i < m_pages.size(); i++)
            RegisterPage(m_pages[i], (DWORD)i);
    }
    ~CWorkspaceManager()
    {
        if (::IsWindow(m_hWnd))
            DestroyWindow();
    }
    BOOL IsPageIncluded(DWORD dwPageID) override
    {
        return dwPageID < m_pages.size() && m_pWorkspace->IsCustomizePageIncluded(m_pages[dwPageID]);
    }
    bool OpenOnWorkspace()
    {
        if (!Open(NULL) || !ActivatePage(m_pWorkspace))
            return false;
        PumpMessagesFor(0);
        return ::IsWindow(m_pWorkspace->GetSafeHwnd());
    }
    void Press(UINT nID) { SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)GetDlgItem(nID)->m_hWnd); }
    // The titles of the pages in the bar, in bar order.
    std::string Shown()
    {
        std::string s;
        for (int nOrder = 0; nOrder < GetShortcutBar().GetGroupCount(); nOrder++) {
            HSHBGROUP hGroup = GetGroupByOrder(nOrder);
            for (int n = 0; n < GetShortcutBar().GetGroupItemCount(hGroup); n++)
                s += std::string(s.empty() ? "" : ",") + (LPCSTR)GetItemPage(hGroup, n)->GetTitle();
        }
        return s;
    }
    // What the page's tree lists: title, check (L: locked), in tree order.
    static std::string Tree(CTestWorkspacePage& page)
    {
        COXOptionTreeCtrl& tree = page.m_treePages;
        HTREEITEM hRoot = tree.GetRootItem();
        std::string s = std::string((LPCSTR)tree.GetItemText(hRoot)) +
                        ((tree.GetItemState(hRoot, TVIS_BOLD) & TVIS_BOLD) ? "(bold):" : ":");
        for (HTREEITEM h = tree.GetChildItem(hRoot); h != NULL; h = tree.GetNextSiblingItem(h))
            s += std::string(" ") + (LPCSTR)tree.GetItemText(h) + "=" + std::to_string(tree.GetItemCheck(h)) +
                 (tree.GetItemLocked(h) ? "L" : "");
        return s;
    }
    static HTREEITEM Item(CTestWorkspacePage& page, const char* pszTitle)
    {
        COXOptionTreeCtrl& tree = page.m_treePages;
        for (HTREEITEM h = tree.GetChildItem(tree.GetRootItem()); h != NULL; h = tree.GetNextSiblingItem(h))
            if (tree.GetItemText(h) == pszTitle)
                return h;
        return NULL;
    }

    CTestWorkspacePage* m_pWorkspace;
    CPlainPage m_alpha{"Alpha"};
    CPlainPage m_beta{"Beta"};
    std::vector<COXCustomizePage*> m_pages;
};

// A shown frame, the application's main window while it lives.
template <class TFrame> class CMainFrame
{
public:
    explicit CMainFrame(bool bWithBar = false)
    {
        m_pSavedMain = AfxGetApp()->m_pMainWnd;
        m_pFrame = new TFrame;
        if (!m_pFrame->LoadFrame(IDR_CT_MDIFRAME, WS_OVERLAPPEDWINDOW)) {
            delete m_pFrame;
            m_pFrame = NULL;
            return;
        }
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pFrame->MoveWindow(20, 20, 500, 350);
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        if (bWithBar) {
            static const UINT kButtons[] = {ID_FILE_NEW, ID_FILE_OPEN};
            m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
            m_bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 3);
            m_bar.SetButtons(kButtons, 2);
            m_bar.EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame->DockControlBar(&m_bar);
        }
        m_pFrame->RecalcLayout();
    }
    ~CMainFrame()
    {
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        AfxGetApp()->m_pMainWnd = m_pSavedMain;
    }
    TFrame* Get() const { return m_pFrame; }
    CToolBar& Bar() { return m_bar; }

private:
    CWnd* m_pSavedMain;
    TFrame* m_pFrame;
    CToolBar m_bar;
};

class OXCustomizeWorkspaceStatePageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteProfileSection(kSection);
        DeleteProfileSection(kStateSection);
    }
    void TearDown() override
    {
        DeleteProfileSection(kSection);
        DeleteProfileSection(kStateSection);
    }
};

// A restarted program: an MDI frame, the page set up with every option on,
// the profile deciding; it says what it read and which pages it offers.
TEST(OXCustomizeWorkspaceStatePageChild, Report)
{
    std::string section, log;
    if (!ChildArgs(section, log))
        GTEST_SKIP() << "started by the workspace state page test only";
    CMainFrame<CMDIFrameWnd> frame;
    CTestWorkspacePage page;
    const BOOL bInit = page.InitializeWorkspaceState(TRUE, TRUE, TRUE, TRUE, section.c_str());
    CWorkspaceManager manager(&page);
    const bool bOpen = manager.OpenOnWorkspace();
    AppendLog(log, "init=" + std::to_string(bInit) + " " + page.Flags() + " shown=" + manager.Shown() +
                       " tree=" + (bOpen ? CWorkspaceManager::Tree(page) : "none") + "\n");
}

// The tree lists every registered page, sorted, checked when offered, this
// page locked; the document windows' box shows in an MDI program. OK
// stores the boxes and the unchecked page ("reg query" shows them), and a
// restarted program, with no workspace stored, reads the same boxes and
// leaves the unchecked page out of its dialog.
TEST_F(OXCustomizeWorkspaceStatePageTest, OkStoresWhatARestartedProgramOffers)
{
    CMainFrame<CMDIFrameWnd> frame;
    ASSERT_NE(frame.Get(), nullptr);
    {
        CTestWorkspacePage page;
        ASSERT_TRUE(page.InitializeWorkspaceState(TRUE, TRUE, TRUE, TRUE, kSection));
        CWorkspaceManager manager(&page);
        ASSERT_TRUE(manager.OpenOnWorkspace());
        EXPECT_EQ(manager.Shown(), "Alpha,Beta,Workspace");
        EXPECT_FALSE(manager.GetDlgItem(IDC_OX_CUSTOMIZE_APPLY)->IsWindowEnabled());
        EXPECT_EQ(CWorkspaceManager::Tree(page),
                  "Pages offered (from the next opening)(bold): Alpha=1 Beta=1 Workspace=1L");
        EXPECT_TRUE(page.GetDlgItem(IDC_OX_WSP_CHILDFRAMES)->IsWindowVisible());
        for (UINT nID : {IDC_OX_WSP_MAINWND, IDC_OX_WSP_BARS, IDC_OX_WSP_CHILDFRAMES, IDC_OX_WSP_SPLITTERPANES})
            EXPECT_EQ(page.IsDlgButtonChecked(nID), (UINT)BST_CHECKED) << nID;

        ASSERT_TRUE(page.m_treePages.SetItemCheck(CWorkspaceManager::Item(page, "Beta"), 0));
        page.CheckDlgButton(IDC_OX_WSP_BARS, BST_UNCHECKED);
        page.CheckDlgButton(IDC_OX_WSP_SPLITTERPANES, BST_UNCHECKED);
        // Unchecked, the page stays in this opening of the dialog.
        EXPECT_EQ(manager.Shown(), "Alpha,Beta,Workspace");
        manager.Press(IDOK);
        EXPECT_FALSE(::IsWindow(manager.GetSafeHwnd()));
        EXPECT_FALSE(page.IsCustomizePageIncluded(&manager.m_beta));
        EXPECT_TRUE(page.IsCustomizePageIncluded(&manager.m_alpha));
    }
    const std::map<std::string, std::string> expected = {
        {"IncludeBars", "0"},
        {"IncludeMainWnd", "1"},
        {"IncludeChildFrames", "1"},
        {"IncludeSplitterPanes", "0"},
        {"0_CustomizePageKey", "Beta~!@#$^Customize"},
        {"Beta~!@#$^Customize", "0"},
    };
    EXPECT_EQ(RegQuerySection(kSection), expected);
    EXPECT_TRUE(RegQuerySection(kStateSection).empty());

    CTestFolder folder;
    CChild restarted("OXCustomizeWorkspaceStatePageChild.Report", kSection, folder.File("restart.log"));
    ASSERT_TRUE(restarted.Ended(30000)) << restarted.Log();
    EXPECT_EQ(restarted.Log(), "init=1 main=1 bars=0 children=1 panes=0 shown=Alpha,Workspace "
                               "tree=Pages offered (from the next opening)(bold): Alpha=1 Beta=0 Workspace=1L\n");

    // Checked again and OK: the next run offers it again.
    {
        CTestWorkspacePage page;
        ASSERT_TRUE(page.InitializeWorkspaceState(TRUE, TRUE, TRUE, TRUE, kSection));
        CWorkspaceManager manager(&page);
        ASSERT_TRUE(manager.OpenOnWorkspace());
        EXPECT_EQ(manager.Shown(), "Alpha,Workspace");
        ASSERT_TRUE(page.m_treePages.SetItemCheck(CWorkspaceManager::Item(page, "Beta"), 1));
        manager.Press(IDOK);
    }
    EXPECT_EQ(RegQuerySection(kSection)["Beta~!@#$^Customize"], "1");
    CChild again("OXCustomizeWorkspaceStatePageChild.Report", kSection, folder.File("again.log"));
    ASSERT_TRUE(again.Ended(30000)) << again.Log();
    EXPECT_NE(again.Log().find("shown=Alpha,Beta,Workspace "), std::string::npos) << again.Log();
}

// Cancel writes no key and forgets what was unchecked.
TEST_F(OXCustomizeWorkspaceStatePageTest, CancelWritesNoPageKeys)
{
    CMainFrame<CMDIFrameWnd> frame;
    CTestWorkspacePage page;
    ASSERT_TRUE(page.InitializeWorkspaceState(TRUE, TRUE, TRUE, TRUE, kSection));
    CWorkspaceManager manager(&page);
    ASSERT_TRUE(manager.OpenOnWorkspace());
    ASSERT_TRUE(page.m_treePages.SetItemCheck(CWorkspaceManager::Item(page, "Beta"), 0));
    EXPECT_FALSE(page.IsCustomizePageIncluded(&manager.m_beta));
    page.CheckDlgButton(IDC_OX_WSP_BARS, BST_UNCHECKED);
    manager.Press(IDCANCEL);
    EXPECT_FALSE(::IsWindow(manager.GetSafeHwnd()));
    EXPECT_TRUE(RegQuerySection(kSection).empty());
    EXPECT_TRUE(page.IsCustomizePageIncluded(&manager.m_beta));
    EXPECT_EQ(page.Flags(), "main=1 bars=1 children=1 panes=1");
    // This page is always offered, and NULL never.
    EXPECT_TRUE(page.IsCustomizePageIncluded(&page));
    EXPECT_FALSE(page.IsCustomizePageIncluded(NULL));
}

// With no profile nothing stored is read: every page is offered. OK writes
// nothing, yet the boxes chosen hold for the rest of the run.
TEST_F(OXCustomizeWorkspaceStatePageTest, WithoutAProfileEveryPageIsOffered)
{
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString(kSection, "0_CustomizePageKey", "Beta~!@#$^Customize");
    pApp->WriteProfileInt(kSection, "Beta~!@#$^Customize", 0);
    pApp->WriteProfileInt(kSection, "IncludeBars", 0);
    const std::map<std::string, std::string> stored = RegQuerySection(kSection);
    CMainFrame<CMDIFrameWnd> frame;
    CTestWorkspacePage page;
    ASSERT_TRUE(page.InitializeWorkspaceState(FALSE, TRUE, FALSE, TRUE, ""));
    EXPECT_EQ(page.Flags(), "main=0 bars=1 children=0 panes=1");
    CWorkspaceManager manager(&page);
    EXPECT_TRUE(page.IsCustomizePageIncluded(&manager.m_beta));
    ASSERT_TRUE(manager.OpenOnWorkspace());
    page.CheckDlgButton(IDC_OX_WSP_MAINWND, BST_CHECKED);
    page.CheckDlgButton(IDC_OX_WSP_BARS, BST_UNCHECKED);
    manager.Press(IDOK);
    EXPECT_FALSE(::IsWindow(manager.GetSafeHwnd()));
    EXPECT_EQ(page.Flags(), "main=1 bars=0 children=0 panes=1");
    EXPECT_EQ(RegQuerySection(kSection), stored);
    ASSERT_TRUE(page.InitializeWorkspaceState(FALSE, TRUE, FALSE, TRUE, kSection));
    EXPECT_EQ(page.Flags(), "main=0 bars=0 children=0 panes=1");
    EXPECT_FALSE(page.IsCustomizePageIncluded(&manager.m_beta));
}

// What a stored workspace holds of the bars, read back without applying.
std::string StoredBars()
{
    COXWorkspaceState stored;
    if (!stored.LoadFromRegistry(NULL, NULL, NULL, HKEY_CURRENT_USER, FALSE))
        return "none";
    return "include=" + std::to_string(stored.m_bIncludeBars) +
           " bars=" + std::to_string(stored.m_pDockState ? (int)stored.m_pDockState->m_arrBarInfo.GetSize() : -1);
}

// A plain frame's workspace holds its bars; a size-dock frame's none, and a
// stored workspace that holds bars leaves a size-dock frame's bars alone.
// An SDI program has no document windows' box.
TEST_F(OXCustomizeWorkspaceStatePageTest, ASizeDockFramesBarsStayOutOfTheWorkspace)
{
    {
        CMainFrame<CFrameWnd> frame(true);
        ASSERT_NE(frame.Get(), nullptr);
        CTestWorkspacePage page;
        ASSERT_TRUE(page.InitializeWorkspaceState(FALSE, TRUE, FALSE, FALSE, kSection));
        frame.Get()->ShowControlBar(&frame.Bar(), FALSE, FALSE);
        ASSERT_TRUE(page.SaveWorkspaceState());
        EXPECT_NE(StoredBars().find("include=1 bars="), std::string::npos) << StoredBars();
        EXPECT_NE(StoredBars(), "include=1 bars=0");
    }
    {
        // The stored record hides the bar: a plain frame takes it.
        CMainFrame<CFrameWnd> frame(true);
        ASSERT_TRUE(frame.Bar().IsWindowVisible());
        CTestWorkspacePage page;
        ASSERT_TRUE(page.InitializeWorkspaceState(FALSE, TRUE, FALSE, FALSE, kSection));
        EXPECT_FALSE(frame.Bar().IsWindowVisible());
    }
    {
        CMainFrame<COXFrameWndSizeDock> frame(true);
        ASSERT_NE(frame.Get(), nullptr);
        CTestWorkspacePage page;
        ASSERT_TRUE(page.InitializeWorkspaceState(FALSE, TRUE, FALSE, FALSE, kSection));
        EXPECT_TRUE(frame.Bar().IsWindowVisible());
        EXPECT_EQ(page.Flags(), "main=0 bars=1 children=0 panes=0");
        ASSERT_TRUE(page.SaveWorkspaceState());
        EXPECT_EQ(StoredBars(), "include=0 bars=0");

        CWorkspaceManager manager(&page);
        ASSERT_TRUE(manager.OpenOnWorkspace());
        EXPECT_FALSE(page.GetDlgItem(IDC_OX_WSP_CHILDFRAMES)->IsWindowVisible());
        EXPECT_TRUE(page.GetDlgItem(IDC_OX_WSP_BARS)->IsWindowVisible());
        manager.Press(IDCANCEL);
    }
    {
        CMainFrame<COXMDIFrameWndSizeDock> frame(true);
        ASSERT_NE(frame.Get(), nullptr);
        CTestWorkspacePage page;
        ASSERT_TRUE(page.InitializeWorkspaceState(FALSE, TRUE, FALSE, FALSE, kSection));
        ASSERT_TRUE(page.SaveWorkspaceState());
        EXPECT_EQ(StoredBars(), "include=0 bars=0");
    }
}

} // namespace
