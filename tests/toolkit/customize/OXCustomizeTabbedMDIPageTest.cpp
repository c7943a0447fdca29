// The tabbed MDI page: the style each choice of the tree gives and back, what
// one Apply does, the stored state bounded; then a real MDI frame with two
// documents: the page's tree and enabling, a changed style taking effect in
// one Apply, tabs off and on again, OK storing what "reg query" shows and a
// restarted program coming up with it, Cancel storing nothing, a stored "on"
// attaching tabs that the program's arguments left off.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CustomizePageTestSupport.h"
#include "OXCustomizeTabbedMDIPage.h"
#include "customize_test_res.h"
#include "toolkit_res.h"

using namespace pagetest;

namespace {

const char kSection[] = "TabbedMDIPageTest";

using Page = COXCustomizeTabbedMDIPage;

std::string ChoiceText(const Page::Choice& c)
{
    std::string s = std::to_string(c.nPosition) + " " + std::to_string(c.nLook) + " " + std::to_string(c.nLines) + " ";
    for (int n : c.checks)
        s += std::to_string(n);
    return s;
}

TEST(OXCustomizeTabbedMDIPageRules, EachStyleShowsItsChoiceAndTheChoiceGivesTheStyleBack)
{
    const struct {
        DWORD dwStyle;
        const char* pszChoice;   // position, look, lines, checks 2040-2045
        DWORD dwBack;            // the style the choice gives
    } rows[] = {
        {0, "2001 2010 2021 001000", 0},
        {TCS_HOTTRACK, "2001 2010 2021 101000", TCS_HOTTRACK},
        {TCS_VERTICAL, "2000 2010 2021 001000", TCS_VERTICAL},
        {TCS_VERTICAL | TCS_RIGHT, "2002 2010 2021 001000", TCS_VERTICAL | TCS_RIGHT},
        {TCS_BOTTOM, "2003 2010 2021 001000", TCS_BOTTOM},
        // Right without vertical is the bottom's bit: bottom.
        {TCS_RIGHT, "2003 2010 2021 001000", TCS_BOTTOM},
        {TCS_BUTTONS, "2001 2011 2021 001000", TCS_BUTTONS},
        {TCS_BUTTONS | TCS_FLATBUTTONS, "2001 2012 2021 001000", TCS_BUTTONS | TCS_FLATBUTTONS},
        // Flat without buttons is no look of its own.
        {TCS_FLATBUTTONS, "2001 2010 2021 001000", 0},
        {TCS_MULTILINE, "2001 2010 2020 001000", TCS_MULTILINE},
        {TCS_RAGGEDRIGHT, "2001 2010 2021 000000", TCS_RAGGEDRIGHT},
        {TCS_FIXEDWIDTH | TCS_SCROLLOPPOSITE | TCS_FORCEICONLEFT | TCS_FORCELABELLEFT, "2001 2010 2021 011111",
         TCS_FIXEDWIDTH | TCS_SCROLLOPPOSITE | TCS_FORCEICONLEFT | TCS_FORCELABELLEFT},
        {0xFFF, "2002 2012 2020 110111", 0xFFF & ~(DWORD)TCS_MULTISELECT},
        // Bits above the tab control's twelve are not the page's.
        {TCS_FOCUSNEVER | WS_CHILD | TCS_BOTTOM, "2003 2010 2021 001000", TCS_BOTTOM},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dwStyle);
        const Page::Choice choice = Page::ChoiceFromStyle(row.dwStyle);
        EXPECT_EQ(ChoiceText(choice), row.pszChoice);
        EXPECT_EQ(Page::StyleFromChoice(choice), row.dwBack);
    }

    // A group with no radio checked (0), or a radio of another group, adds
    // nothing; a check the tree does not have (-1) is not checked.
    Page::Choice none = {0, Page::IDOPT_POSITION_RIGHT, 0, {-1, -1, -1, -1, -1, -1}};
    EXPECT_EQ(Page::StyleFromChoice(none), (DWORD)TCS_RAGGEDRIGHT);
}

TEST(OXCustomizeTabbedMDIPageRules, OneApplyDoesAllThatTheChangeNeeds)
{
    using A = Page::ApplyStep;
    const DWORD kBottom = TCS_HOTTRACK | TCS_BOTTOM;
    const struct {
        BOOL bSupport;
        DWORD dwOffset, dwStyle;
        BOOL bAttached;
        DWORD dwTabOffset, dwTabStyle;
        A step;
    } rows[] = {
        {FALSE, 1, kBottom, FALSE, 0, 0, Page::applyKeep},
        {TRUE, 1, kBottom, FALSE, 0, 0, Page::applyAttach},
        {FALSE, 1, kBottom, TRUE, 1, kBottom, Page::applyDetach},
        {TRUE, 1, kBottom, TRUE, 1, kBottom, Page::applyKeep},
        // The window's own bits above the twelve do not count as a change.
        {TRUE, 1, kBottom, TRUE, 1, kBottom | WS_CHILD | WS_VISIBLE | TCS_FOCUSNEVER, Page::applyKeep},
        {TRUE, 1, kBottom, TRUE, 1, TCS_HOTTRACK, Page::applyReattach},
        {TRUE, 7, kBottom, TRUE, 1, kBottom, Page::applyReattach},
        {TRUE, 0, 0, TRUE, 0, 0, Page::applyKeep},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.bSupport << " " << r.dwOffset << " " << r.dwStyle << " " << r.bAttached
                                        << " " << r.dwTabOffset << " " << r.dwTabStyle);
        EXPECT_EQ(Page::PlanApply(r.bSupport, r.dwOffset, r.dwStyle, r.bAttached, r.dwTabOffset, r.dwTabStyle),
                  r.step);
    }
}

TEST(OXCustomizeTabbedMDIPageRules, TheStoredStateIsBoundedAsTheTabClientBoundsIt)
{
    CWinApp* pApp = AfxGetApp();
    const struct {
        int nAttached, nOffset, nStyle;   // -1000: not stored
        BOOL bAttached;
        DWORD dwOffset, dwStyle;
    } rows[] = {
        {-1000, -1000, -1000, TRUE, 1, TCS_HOTTRACK},
        {0, 12, TCS_BOTTOM, FALSE, 12, TCS_BOTTOM},
        {1, 1000, 0, TRUE, 1000, 0},
        {5, 1001, 0x10000, TRUE, 1, TCS_HOTTRACK},
        {1, -1, -1, TRUE, 1, TCS_HOTTRACK},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.nAttached << " " << r.nOffset << " " << r.nStyle);
        DeleteProfileSection(kSection);
        if (r.nAttached != -1000)
            pApp->WriteProfileInt(kSection, "IsAttached", r.nAttached);
        if (r.nOffset != -1000)
            pApp->WriteProfileInt(kSection, "Offset", r.nOffset);
        if (r.nStyle != -1000)
            pApp->WriteProfileInt(kSection, "Style", r.nStyle);
        const Page::StoredState state = Page::ReadStoredState(kSection);
        EXPECT_EQ(state.bAttached, r.bAttached);
        EXPECT_EQ(state.dwOffset, r.dwOffset);
        EXPECT_EQ(state.dwStyle, r.dwStyle);
    }
    DeleteProfileSection(kSection);
}

class CTestTabbedMDIPage : public COXCustomizeTabbedMDIPage
{
public:
    using COXCustomizeTabbedMDIPage::m_treeOptions;
};

// A shown MDI frame, the application's main window, with two documents.
class CMainMDIFrame
{
public:
    CMainMDIFrame()
    {
        m_pApp = AfxGetApp();
        m_pSavedMain = m_pApp->m_pMainWnd;
        m_pFrame = new CMDIFrameWnd;
        if (!m_pFrame->LoadFrame(IDR_CT_MDIFRAME, WS_OVERLAPPEDWINDOW)) {
            delete m_pFrame;
            m_pFrame = NULL;
            return;
        }
        m_pApp->m_pMainWnd = m_pFrame;
        m_pFrame->MoveWindow(20, 20, 600, 400);
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        for (const char* pszTitle : {"Seeds", "Phrases"}) {
            CMDIChildWnd* pChild = new CMDIChildWnd;
            pChild->Create(NULL, pszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 200),
                           m_pFrame);
        }
        m_pFrame->RecalcLayout();
    }
    ~CMainMDIFrame()
    {
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        m_pApp->m_pMainWnd = m_pSavedMain;
    }
    CMDIFrameWnd* operator->() const { return m_pFrame; }
    CMDIFrameWnd* Get() const { return m_pFrame; }

private:
    CWinApp* m_pApp;
    CWnd* m_pSavedMain;
    CMDIFrameWnd* m_pFrame;
};

// What the tabs are now: "off", or the tab control's style, its margin and
// its tab count.
std::string Tabs(COXCustomizeTabbedMDIPage& page)
{
    COXTabClientWnd* pClient = page.GetTabClientWnd();
    COXTabWorkspace* pTab = pClient->GetTabCtrl();
    if (!pClient->IsAttached() || !::IsWindow(pTab->GetSafeHwnd()))
        return "off";
    char buf[64];
    sprintf(buf, "style=%03lx offset=%d tabs=%d", (unsigned long)(pTab->GetStyle() & 0xFFF), pTab->m_nOffset,
            pTab->GetItemCount());
    return buf;
}

class OXCustomizeTabbedMDIPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteProfileSection(kSection);
        ASSERT_NE(m_frame.Get(), nullptr);
    }
    void TearDown() override { DeleteProfileSection(kSection); }

    static BOOL Enabled(CWnd& page, UINT nID) { return page.GetDlgItem(nID)->IsWindowEnabled(); }
    static void ClickSupport(CWnd& page, BOOL bCheck)
    {
        page.CheckDlgButton(IDC_OX_TMP_SUPPORT, bCheck ? BST_CHECKED : BST_UNCHECKED);
        PressPageButton(&page, IDC_OX_TMP_SUPPORT);
    }

    CMainMDIFrame m_frame;
};

TEST_F(OXCustomizeTabbedMDIPageTest, WithoutAnMDIFrameThePageDoesNothing)
{
    CFrameWnd* pSDI = new CFrameWnd;
    ASSERT_TRUE(pSDI->Create(NULL, "SDI"));
    AfxGetApp()->m_pMainWnd = pSDI;
    CTestTabbedMDIPage page;
    EXPECT_FALSE(page.InitializeTabbedMDI(TCS_HOTTRACK, 1, kSection, TRUE));
    EXPECT_TRUE(page.GetProfileName().IsEmpty());
    {
        CPageManager manager(&page);
        ASSERT_TRUE(manager.OpenOn(&page));
        ClickSupport(page, TRUE);
        EXPECT_FALSE(page.ApplyChanges());
        EXPECT_EQ(Tabs(page), "off");
        manager.Press(IDCANCEL);
    }
    pSDI->DestroyWindow();
    AfxGetApp()->m_pMainWnd = m_frame.Get();
}

// With no tabs the page shows top, tabs, one row, hot tracking and margin 1,
// all greyed until the switch is ticked.
TEST_F(OXCustomizeTabbedMDIPageTest, WithoutTabsThePageOffersTheDefaultsGreyed)
{
    CTestTabbedMDIPage page;
    ASSERT_TRUE(page.InitializeTabbedMDI(TCS_BOTTOM, 5, "", FALSE));
    EXPECT_EQ(Tabs(page), "off");
    CPageManager manager(&page);
    ASSERT_TRUE(manager.OpenOn(&page));
    EXPECT_TRUE(manager.GetDlgItem(IDC_OX_CUSTOMIZE_APPLY)->IsWindowEnabled());
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_OX_TMP_SUPPORT), (UINT)BST_UNCHECKED);
    EXPECT_EQ(page.GetDlgItemInt(IDC_OX_TMP_OFFSET), 1u);
    CTreeCtrl& tree = page.m_treeOptions;
    EXPECT_EQ(tree.GetItemText(tree.GetRootItem()), "Tabs");
    EXPECT_EQ(page.m_treeOptions.GetCheckedRadio(2000, 2003), 2001u);
    EXPECT_EQ(page.m_treeOptions.GetCheckedRadio(2010, 2012), 2010u);
    EXPECT_EQ(page.m_treeOptions.GetCheckedRadio(2021, 2020), 2021u);
    for (UINT nID = 2040; nID <= 2045; nID++)
        EXPECT_EQ(page.m_treeOptions.GetOptionCheck(nID), nID == 2040 || nID == 2042 ? 1 : 0) << nID;
    for (UINT nID : {IDC_OX_TMP_OPTIONS, IDC_OX_TMP_OFFSET, IDC_OX_TMP_OFFSET_SPIN})
        EXPECT_FALSE(Enabled(page, nID)) << nID;
    EXPECT_TRUE(Enabled(page, IDC_OX_TMP_SUPPORT));

    ClickSupport(page, TRUE);
    for (UINT nID : {IDC_OX_TMP_OPTIONS, IDC_OX_TMP_OFFSET, IDC_OX_TMP_OFFSET_SPIN})
        EXPECT_TRUE(Enabled(page, nID)) << nID;
    // The spin runs 0 to 1000.
    int nLower = -1, nUpper = -1;
    ((CSpinButtonCtrl*)page.GetDlgItem(IDC_OX_TMP_OFFSET_SPIN))->GetRange32(nLower, nUpper);
    EXPECT_EQ(nLower, 0);
    EXPECT_EQ(nUpper, 1000);
    ClickSupport(page, FALSE);
    EXPECT_FALSE(Enabled(page, IDC_OX_TMP_OPTIONS));
    manager.Press(IDCANCEL);
}

// Tabs on: the tree shows their style. A new position, look and margin take
// effect in one Apply; off and Apply removes them; on and Apply brings them
// back where they were chosen.
TEST_F(OXCustomizeTabbedMDIPageTest, AChangeTakesEffectInOneApply)
{
    CTestTabbedMDIPage page;
    ASSERT_TRUE(page.InitializeTabbedMDI(TCS_HOTTRACK | TCS_MULTILINE, 3, "", TRUE));
    EXPECT_EQ(Tabs(page), "style=240 offset=3 tabs=2");
    CPageManager manager(&page);
    ASSERT_TRUE(manager.OpenOn(&page));
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_OX_TMP_SUPPORT), (UINT)BST_CHECKED);
    EXPECT_TRUE(Enabled(page, IDC_OX_TMP_OPTIONS));
    EXPECT_EQ(page.GetDlgItemInt(IDC_OX_TMP_OFFSET), 3u);
    EXPECT_EQ(page.m_treeOptions.GetCheckedRadio(2021, 2020), 2020u);

    ASSERT_TRUE(page.m_treeOptions.SetOptionCheck(Page::IDOPT_POSITION_BOTTOM, 1));
    ASSERT_TRUE(page.m_treeOptions.SetOptionCheck(Page::IDOPT_LOOK_FLATBUTTONS, 1));
    ASSERT_TRUE(page.m_treeOptions.SetOptionCheck(Page::IDOPT_FILLROWS, 0));
    page.SetDlgItemInt(IDC_OX_TMP_OFFSET, 6);
    manager.Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_EQ(Tabs(page), "style=b4a offset=6 tabs=2");

    // Nothing changed: the same tab control stays.
    const HWND hTab = page.GetTabClientWnd()->GetTabCtrl()->GetSafeHwnd();
    manager.Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_EQ(page.GetTabClientWnd()->GetTabCtrl()->GetSafeHwnd(), hTab);

    ClickSupport(page, FALSE);
    manager.Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_EQ(Tabs(page), "off");
    // The MDI client has its own procedure back and fills the frame's client area.
    CRect rectFrame, rectClient;
    m_frame->GetClientRect(&rectFrame);
    ::GetWindowRect(m_frame->m_hWndMDIClient, &rectClient);
    EXPECT_EQ(rectClient.Width(), rectFrame.Width());
    EXPECT_EQ(CWnd::FromHandlePermanent(m_frame->m_hWndMDIClient), nullptr);

    ClickSupport(page, TRUE);
    ASSERT_TRUE(page.m_treeOptions.SetOptionCheck(Page::IDOPT_POSITION_LEFT, 1));
    manager.Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_EQ(Tabs(page), "style=bc8 offset=6 tabs=2");
    manager.Press(IDCANCEL);
}

// OK stores the tab client's state ("reg query" shows it) and a restarted
// program, which asks for no tabs, comes up with the stored ones.
TEST_F(OXCustomizeTabbedMDIPageTest, OkStoresWhatARestartedProgramShows)
{
    {
        CTestTabbedMDIPage page;
        ASSERT_TRUE(page.InitializeTabbedMDI(TCS_HOTTRACK, 1, kSection, TRUE));
        EXPECT_EQ(Tabs(page), "style=040 offset=1 tabs=2");
        CPageManager manager(&page);
        ASSERT_TRUE(manager.OpenOn(&page));
        ASSERT_TRUE(page.m_treeOptions.SetOptionCheck(Page::IDOPT_POSITION_RIGHT, 1));
        ASSERT_TRUE(page.m_treeOptions.SetOptionCheck(Page::IDOPT_LOOK_BUTTONS, 1));
        ASSERT_TRUE(page.m_treeOptions.SetOptionCheck(Page::IDOPT_HOTTRACK, 0));
        page.SetDlgItemInt(IDC_OX_TMP_OFFSET, 9);
        manager.Press(IDOK);
        EXPECT_FALSE(::IsWindow(manager.GetSafeHwnd()));
        // Vertical tabs come in rows: the tab control adds the multi-line bit.
        EXPECT_EQ(Tabs(page), "style=382 offset=9 tabs=2");
    }
    std::map<std::string, std::string> values = RegQuerySection(kSection);
    EXPECT_EQ(values.size(), 3u);
    EXPECT_EQ(values["IsAttached"], "1");
    EXPECT_EQ(values["Offset"], "9");
    // All the tab control's bits, the tab client's own "never the focus" too.
    EXPECT_EQ(values["Style"], std::to_string(TCS_FOCUSNEVER | 0x382));

    CTestFolder folder;
    CChild restarted("OXCustomizeTabbedMDIPageChild.Report", kSection, folder.File("tabs.log"));
    ASSERT_TRUE(restarted.Ended(30000)) << restarted.Log();
    EXPECT_EQ(restarted.Log(), "init=1 support=1 style=382 offset=9 tabs=2\n");

    // Tabs taken off and OK: stored as off, and the next run has none.
    {
        CTestTabbedMDIPage page;
        ASSERT_TRUE(page.InitializeTabbedMDI(TCS_HOTTRACK, 1, kSection, TRUE));
        EXPECT_EQ(Tabs(page), "style=382 offset=9 tabs=2");
        CPageManager manager(&page);
        ASSERT_TRUE(manager.OpenOn(&page));
        ClickSupport(page, FALSE);
        manager.Press(IDOK);
        EXPECT_EQ(Tabs(page), "off");
    }
    values = RegQuerySection(kSection);
    EXPECT_EQ(values["IsAttached"], "0");
    CChild again("OXCustomizeTabbedMDIPageChild.Report", kSection, folder.File("off.log"));
    ASSERT_TRUE(again.Ended(30000)) << again.Log();
    EXPECT_EQ(again.Log(), "init=1 support=0 off\n");
}

// Cancel stores nothing; what Apply did stays, what was not applied is dropped.
TEST_F(OXCustomizeTabbedMDIPageTest, CancelStoresNothing)
{
    CTestTabbedMDIPage page;
    ASSERT_TRUE(page.InitializeTabbedMDI(TCS_HOTTRACK, 1, kSection, TRUE));
    {
        CPageManager manager(&page);
        ASSERT_TRUE(manager.OpenOn(&page));
        ASSERT_TRUE(page.m_treeOptions.SetOptionCheck(Page::IDOPT_POSITION_BOTTOM, 1));
        manager.Press(IDC_OX_CUSTOMIZE_APPLY);
        ASSERT_TRUE(page.m_treeOptions.SetOptionCheck(Page::IDOPT_LINES_MULTI, 1));
        manager.Press(IDCANCEL);
        EXPECT_FALSE(::IsWindow(manager.GetSafeHwnd()));
    }
    EXPECT_TRUE(RegQuerySection(kSection).empty());
    EXPECT_EQ(Tabs(page), "style=042 offset=1 tabs=2");
}

// Stored "on" attaches tabs that the arguments left off, with the stored
// style and margin; stored "off" takes away the tabs the arguments asked for.
TEST_F(OXCustomizeTabbedMDIPageTest, TheStoredStateDecidesAtStart)
{
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileInt(kSection, "IsAttached", 1);
    pApp->WriteProfileInt(kSection, "Offset", 4);
    pApp->WriteProfileInt(kSection, "Style", TCS_BOTTOM | TCS_BUTTONS);
    {
        CTestTabbedMDIPage page;
        ASSERT_TRUE(page.InitializeTabbedMDI(TCS_HOTTRACK, 1, kSection, FALSE));
        EXPECT_TRUE(page.IsSupportingTabbedMDI());
        EXPECT_EQ(Tabs(page), "style=102 offset=4 tabs=2");
    }
    pApp->WriteProfileInt(kSection, "IsAttached", 0);
    {
        CTestTabbedMDIPage page;
        ASSERT_TRUE(page.InitializeTabbedMDI(TCS_HOTTRACK, 1, kSection, TRUE));
        EXPECT_FALSE(page.IsSupportingTabbedMDI());
        EXPECT_EQ(Tabs(page), "off");
    }
}

// An object that merely holds the MDI client's handle gives it up to the
// tabs; one that has subclassed the client keeps it, and the page says so.
TEST_F(OXCustomizeTabbedMDIPageTest, AnotherObjectOnTheMDIClient)
{
    const HWND hWndClient = m_frame->m_hWndMDIClient;
    {
        CWnd holder;
        ASSERT_TRUE(holder.Attach(hWndClient));
        CTestTabbedMDIPage page;
        ASSERT_TRUE(page.InitializeTabbedMDI(TCS_HOTTRACK, 1, "", TRUE));
        EXPECT_EQ(Tabs(page), "style=040 offset=1 tabs=2");
        EXPECT_EQ(holder.GetSafeHwnd(), (HWND)NULL);
    }
    {
        CWnd subclasser;
        ASSERT_TRUE(subclasser.SubclassWindow(hWndClient));
        CTestTabbedMDIPage page;
        EXPECT_FALSE(page.InitializeTabbedMDI(TCS_HOTTRACK, 1, "", TRUE));
        EXPECT_EQ(Tabs(page), "off");
        // The client still answers through its subclasser.
        EXPECT_NE(::SendMessage(hWndClient, WM_MDIGETACTIVE, 0, 0), 0);
        EXPECT_EQ(CWnd::FromHandlePermanent(hWndClient), &subclasser);
        subclasser.UnsubclassWindow();
    }
}

// A restarted program: an MDI frame with two documents, the page set up
// asking for no tabs, the stored state deciding.
TEST(OXCustomizeTabbedMDIPageChild, Report)
{
    std::string section, log;
    if (!ChildArgs(section, log))
        GTEST_SKIP() << "started by the tabbed MDI page test only";
    CMainMDIFrame frame;
    CTestTabbedMDIPage page;
    const BOOL bInit = page.InitializeTabbedMDI(TCS_HOTTRACK, 1, section.c_str(), FALSE);
    AppendLog(log, "init=" + std::to_string(bInit) + " support=" + std::to_string(page.IsSupportingTabbedMDI()) +
                       " " + Tabs(page) + "\n");
}

} // namespace
