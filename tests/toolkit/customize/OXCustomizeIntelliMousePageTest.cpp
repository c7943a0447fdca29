// The intelli-mouse customize page: its start events and key states as
// tables, what setting it up attaches to the thread, "only views", and the
// page in the customize manager: OK stores the six values (read back by the
// registry tool and by a page made anew, as at the next start), Cancel
// stores nothing and puts the stored event back.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "CustomizePageRegistry.h"
#include "OXCustomizeIntelliMousePage.h"
#include "OXCustomizeManager.h"
#include "testsupport.h"

namespace {

const char* const kSection = "CustomizeIntelliMouseTest";

class CTestIntelliMousePage : public COXCustomizeIntelliMousePage
{
public:
    using COXCustomizeIntelliMousePage::m_bAltKeyPressed;
    using COXCustomizeIntelliMousePage::m_bCtrlKeyPressed;
    using COXCustomizeIntelliMousePage::m_bOnlyViews;
    using COXCustomizeIntelliMousePage::m_bShiftKeyPressed;
    using COXCustomizeIntelliMousePage::m_bSupportIntelliMouse;
    using COXCustomizeIntelliMousePage::m_nStartEventIndex;
};

class CTestView : public CView
{
public:
    void OnDraw(CDC*) override {}
};

TEST(OXCustomizeIntelliMouseRules, TheStartEvents)
{
    struct Row { int nIndex; UINT nMessage; const char* name; } rows[] = {
        {0, WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},   {1, WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
        {2, WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},   {3, WM_LBUTTONUP, "WM_LBUTTONUP"},
        {4, WM_MBUTTONUP, "WM_MBUTTONUP"},       {5, WM_RBUTTONUP, "WM_RBUTTONUP"},
        {6, WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {7, WM_MBUTTONDBLCLK, "WM_MBUTTONDBLCLK"},
        {8, WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
    };
    int nCount = 0;
    const OXIntelliMouseStartEvent* pEvents = OXIntelliMouseStartEvents(nCount);
    ASSERT_EQ(nCount, 9);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(pEvents[r.nIndex].nMessage, r.nMessage);
        EXPECT_STREQ(pEvents[r.nIndex].lpszName, r.name);
        EXPECT_EQ(pEvents[r.nIndex].nDescriptionID, (UINT)(26905 + r.nIndex));
        CString sDescription;
        EXPECT_TRUE(sDescription.LoadString(pEvents[r.nIndex].nDescriptionID));
        EXPECT_EQ(OXIntelliMouseStartEventIndex(r.nMessage), r.nIndex);
        EXPECT_EQ(OXIntelliMouseStartEventMessage(r.nIndex), r.nMessage);
    }
    for (UINT nMessage : {(UINT)WM_MOUSEMOVE, (UINT)WM_MOUSEWHEEL, (UINT)0})
        EXPECT_EQ(OXIntelliMouseStartEventIndex(nMessage), -1) << nMessage;
    for (int nIndex : {-1, 9, 99})
        EXPECT_EQ(OXIntelliMouseStartEventMessage(nIndex), 0u) << nIndex;
}

TEST(OXCustomizeIntelliMouseRules, KeyStatesAndFlags)
{
    struct Row { BOOL bCtrl, bShift, bAlt; DWORD dwKeyState; } rows[] = {
        {FALSE, FALSE, FALSE, 0}, {TRUE, FALSE, FALSE, 1}, {FALSE, TRUE, FALSE, 2}, {TRUE, TRUE, FALSE, 3},
        {FALSE, FALSE, TRUE, 4},  {TRUE, FALSE, TRUE, 5},  {FALSE, TRUE, TRUE, 6},  {TRUE, TRUE, TRUE, 7},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(OXIntelliMouseKeyState(r.bCtrl, r.bShift, r.bAlt), r.dwKeyState);
        BOOL bCtrl = -1, bShift = -1, bAlt = -1;
        OXIntelliMouseKeyFlags(r.dwKeyState, bCtrl, bShift, bAlt);
        EXPECT_EQ(bCtrl, r.bCtrl) << r.dwKeyState;
        EXPECT_EQ(bShift, r.bShift) << r.dwKeyState;
        EXPECT_EQ(bAlt, r.bAlt) << r.dwKeyState;
    }
}

class OXCustomizeIntelliMousePageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteProfileSection(kSection);
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200),
                                    NULL, 0));
        m_pView = new CTestView;   // deletes itself with its window
        ASSERT_TRUE(m_pView->Create(NULL, "view", WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 150, 200),
                                    &m_host, 1));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, CRect(150, 0, 300, 200),
                                  &m_host, 2));
    }
    void TearDown() override
    {
        m_pManager.reset();
        m_host.DestroyWindow();
        DeleteProfileSection(kSection);
    }
    // A manager of its own for each page: pages registered with it must
    // outlive it.
    void Open(COXCustomizePage* pPage)
    {
        m_pManager.reset(new COXCustomizeManager);
        m_pManager->RegisterPage(pPage, 1);
        ASSERT_TRUE(m_pManager->Open(NULL));
        ASSERT_EQ(m_pManager->GetActivePage(), pPage);
    }
    void Press(UINT nID)
    {
        m_pManager->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                                (LPARAM)m_pManager->GetDlgItem(nID)->GetSafeHwnd());
    }
    // Windows met later get their handler from the thread's hooks, on their
    // first message.
    void Touch()
    {
        m_pView->PostMessage(WM_NULL);
        m_list.PostMessage(WM_NULL);
        PumpMessagesFor(0);
    }
    static void Check(CWnd& page, UINT nID, BOOL bCheck)
    {
        page.GetDlgItem(nID)->SendMessage(BM_SETCHECK, bCheck ? BST_CHECKED : BST_UNCHECKED);
    }

    CWnd m_host;
    CTestView* m_pView = nullptr;
    CListBox m_list;
    std::unique_ptr<COXCustomizeManager> m_pManager;
};

TEST_F(OXCustomizeIntelliMousePageTest, AnEventOutsideTheListIsRefused)
{
    CTestIntelliMousePage page;
    EXPECT_FALSE(page.InitializeIntelliMouse(TRUE, WM_MOUSEMOVE, OX_IMKEY_ALT, TRUE, kSection));
    EXPECT_EQ(page.m_nStartEventIndex, 0);
    EXPECT_FALSE(page.m_bAltKeyPressed);
    EXPECT_FALSE(page.m_bOnlyViews);
    EXPECT_TRUE(page.GetProfileName().IsEmpty());
    EXPECT_EQ(page.GetOrganizer().GetAttachedThread(), 0u);
}

// Set up, the page attaches the event and keys to every window of the
// thread; support off, or applied off, leaves none attached.
TEST_F(OXCustomizeIntelliMousePageTest, SettingUpAttachesToTheThread)
{
    CTestIntelliMousePage page;
    ASSERT_TRUE(page.InitializeIntelliMouse(TRUE, WM_RBUTTONDBLCLK, OX_IMKEY_CONTROL | OX_IMKEY_SHIFT, FALSE, NULL));
    COXIntelliMouseOrganizer& org = page.GetOrganizer();
    EXPECT_EQ(org.GetAttachedThread(), ::GetCurrentThreadId());
    Touch();
    for (CWnd* pWnd : {(CWnd*)&m_host, (CWnd*)m_pView, (CWnd*)&m_list}) {
        ASSERT_TRUE(org.IsAttached(pWnd));
        EXPECT_EQ(org.GetAttachedStartEvent(pWnd), (UINT)WM_RBUTTONDBLCLK);
        EXPECT_EQ(org.GetAttachedKeyState(pWnd), (DWORD)(OX_IMKEY_CONTROL | OX_IMKEY_SHIFT));
    }
    EXPECT_EQ(page.m_nStartEventIndex, 8);
    EXPECT_TRUE(page.m_bCtrlKeyPressed && page.m_bShiftKeyPressed && !page.m_bAltKeyPressed);

    page.m_bSupportIntelliMouse = FALSE;
    page.Apply();
    EXPECT_EQ(org.GetAttachedThread(), 0u);
    Touch();
    EXPECT_FALSE(org.IsAttached(&m_host));
    EXPECT_FALSE(org.IsAttached(m_pView));
    EXPECT_FALSE(org.IsAttached(&m_list));

    CTestIntelliMousePage off;
    ASSERT_TRUE(off.InitializeIntelliMouse(FALSE, WM_MBUTTONDOWN, 0, FALSE, NULL));
    EXPECT_EQ(off.GetOrganizer().GetAttachedThread(), 0u);
}

// With "only views" a view of the thread scrolls and a list box beside it
// does not; the list box stays refused until the page is applied again.
TEST_F(OXCustomizeIntelliMousePageTest, OnlyViewsTakePart)
{
    CTestIntelliMousePage page;
    ASSERT_TRUE(page.InitializeIntelliMouse(TRUE, WM_MBUTTONDOWN, 0, TRUE, NULL));
    COXIntelliMouseOrganizer& org = page.GetOrganizer();
    Touch();
    EXPECT_FALSE(org.IsAttached(&m_host));
    EXPECT_TRUE(org.IsAttached(m_pView));
    EXPECT_FALSE(org.IsAttached(&m_list));
    EXPECT_TRUE(org.IsRejected(m_list.m_hWnd));
    EXPECT_TRUE(page.IsQualifiedWindow(m_pView->m_hWnd, "AfxWnd"));
    EXPECT_FALSE(page.IsQualifiedWindow(m_list.m_hWnd, "ListBox"));
    EXPECT_FALSE(page.IsQualifiedWindow(::GetDesktopWindow(), "#32769"));   // no object of ours

    page.m_bOnlyViews = FALSE;
    m_list.PostMessage(WM_NULL);
    PumpMessagesFor(0);
    EXPECT_FALSE(org.IsAttached(&m_list)) << "the refusal was forgotten before the next apply";
    page.Apply();
    Touch();
    EXPECT_TRUE(org.IsAttached(&m_list));
    EXPECT_TRUE(org.IsAttached(m_pView));
}

// Stored values replace the arguments; a stored index outside the list is
// ignored (the argument's event stays and is attached).
TEST_F(OXCustomizeIntelliMousePageTest, StoredValuesAndIndexesOutsideTheList)
{
    CWinApp* pApp = AfxGetApp();
    struct Case { int nStored; int nExpected; } cases[] = {{99, 2}, {-1, 2}, {9, 2}, {8, 8}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nStored);
        pApp->WriteProfileInt(kSection, "StartEventIndex", c.nStored);
        pApp->WriteProfileInt(kSection, "AltKeyPressed", 1);
        pApp->WriteProfileInt(kSection, "OnlyViews", 0);
        CTestIntelliMousePage page;
        ASSERT_TRUE(page.InitializeIntelliMouse(TRUE, WM_RBUTTONDOWN, OX_IMKEY_SHIFT, TRUE, kSection));
        EXPECT_EQ(page.m_nStartEventIndex, c.nExpected);
        EXPECT_TRUE(page.m_bAltKeyPressed);
        EXPECT_TRUE(page.m_bShiftKeyPressed);   // not stored: the argument's
        EXPECT_FALSE(page.m_bOnlyViews);
        Touch();
        EXPECT_EQ(page.GetOrganizer().GetAttachedStartEvent(&m_list), OXIntelliMouseStartEventMessage(c.nExpected));
        EXPECT_EQ(page.GetOrganizer().GetAttachedKeyState(&m_list), (DWORD)(OX_IMKEY_SHIFT | OX_IMKEY_ALT));
    }
}

// OK applies and stores the six values; a page made anew reads them and
// shows them in its controls.
TEST_F(OXCustomizeIntelliMousePageTest, OkStoresWhatAFreshPageShows)
{
    {
        CTestIntelliMousePage page;
        ASSERT_TRUE(page.InitializeIntelliMouse(TRUE, WM_MBUTTONDOWN, 0, FALSE, kSection));
        Open(&page);
        ::SendMessage(page.GetDlgItem(IDC_OX_IMP_START_EVENT)->m_hWnd, CB_SETCURSEL, 4, 0);
        Check(page, IDC_OX_IMP_CTRL, TRUE);
        Check(page, IDC_OX_IMP_ALT, TRUE);
        Check(page, IDC_OX_IMP_ONLY_VIEWS, TRUE);
        Press(IDOK);
        ASSERT_FALSE(::IsWindow(m_pManager->GetSafeHwnd()));
        Touch();
        EXPECT_EQ(page.GetOrganizer().GetAttachedStartEvent(m_pView), (UINT)WM_MBUTTONUP);
        EXPECT_FALSE(page.GetOrganizer().IsAttached(&m_list));
    }
    std::map<std::string, std::string> expected = {
        {"SupportIntelliMouse", "1"}, {"OnlyViews", "1"},      {"StartEventIndex", "4"},
        {"AltKeyPressed", "1"},       {"CtrlKeyPressed", "1"}, {"ShiftKeyPressed", "0"},
    };
    EXPECT_EQ(RegQuerySection(kSection), expected);

    CTestIntelliMousePage next;
    ASSERT_TRUE(next.InitializeIntelliMouse(FALSE, WM_LBUTTONDOWN, OX_IMKEY_SHIFT, FALSE, kSection));
    EXPECT_TRUE(next.m_bSupportIntelliMouse);
    EXPECT_EQ(next.m_nStartEventIndex, 4);
    EXPECT_TRUE(next.m_bCtrlKeyPressed && next.m_bAltKeyPressed && !next.m_bShiftKeyPressed);
    EXPECT_TRUE(next.m_bOnlyViews);
    Open(&next);
    EXPECT_EQ(::SendMessage(next.GetDlgItem(IDC_OX_IMP_START_EVENT)->m_hWnd, CB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(::SendMessage(next.GetDlgItem(IDC_OX_IMP_START_EVENT)->m_hWnd, CB_GETCOUNT, 0, 0), 9);
    EXPECT_EQ(next.IsDlgButtonChecked(IDC_OX_IMP_SUPPORT), BST_CHECKED);
    EXPECT_EQ(next.IsDlgButtonChecked(IDC_OX_IMP_CTRL), BST_CHECKED);
    EXPECT_EQ(next.IsDlgButtonChecked(IDC_OX_IMP_SHIFT), BST_UNCHECKED);
    EXPECT_EQ(next.IsDlgButtonChecked(IDC_OX_IMP_ONLY_VIEWS), BST_CHECKED);
    m_pManager.reset();
}

// Cancel stores nothing, even after Apply; with values stored, it puts them
// back and attaches with the stored event again.
TEST_F(OXCustomizeIntelliMousePageTest, CancelStoresNothingAndRestoresTheStoredEvent)
{
    CTestIntelliMousePage page;
    ASSERT_TRUE(page.InitializeIntelliMouse(TRUE, WM_MBUTTONDOWN, 0, FALSE, kSection));
    Open(&page);
    ::SendMessage(page.GetDlgItem(IDC_OX_IMP_START_EVENT)->m_hWnd, CB_SETCURSEL, 0, 0);
    Check(page, IDC_OX_IMP_SHIFT, TRUE);
    Press(IDCANCEL);
    ASSERT_FALSE(::IsWindow(m_pManager->GetSafeHwnd()));
    EXPECT_TRUE(RegQuerySection(kSection).empty());
    Touch();
    EXPECT_EQ(page.GetOrganizer().GetAttachedStartEvent(&m_list), (UINT)WM_MBUTTONDOWN);

    page.SaveToProfile();   // the middle button stored
    ASSERT_TRUE(m_pManager->Open(NULL));
    ::SendMessage(page.GetDlgItem(IDC_OX_IMP_START_EVENT)->m_hWnd, CB_SETCURSEL, 0, 0);
    Press(IDC_OX_CUSTOMIZE_APPLY);
    Touch();
    EXPECT_EQ(page.GetOrganizer().GetAttachedStartEvent(&m_list), (UINT)WM_LBUTTONDOWN);
    Press(IDCANCEL);
    Touch();
    EXPECT_EQ(page.GetOrganizer().GetAttachedStartEvent(&m_list), (UINT)WM_MBUTTONDOWN);
    EXPECT_EQ(page.m_nStartEventIndex, 1);
    EXPECT_EQ(RegQuerySection(kSection).at("StartEventIndex"), "1");
}

}   // namespace
