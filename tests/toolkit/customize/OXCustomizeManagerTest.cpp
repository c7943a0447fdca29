// The customize manager with small pages of the tests' own: opening lays the
// pages out in their groups and shows the first; a click switches pages, a
// hover does not; tips, Apply, OK and Cancel reach the right pages; a page
// refusing to close keeps the dialog; the idle pass reaches the open page.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "OXCustomizeManager.h"
#include "customize_test_res.h"
#include "testsupport.h"
#include "toolkit_res.h"

namespace {

class CTestPage : public COXCustomizePage
{
public:
    CTestPage(LPCTSTR lpszTitle, LPCTSTR lpszGroup = "Customize", UINT nImage = 0, LPCTSTR lpszTooltip = "")
        : m_sTitle(lpszTitle), m_sGroup(lpszGroup), m_nImage(nImage), m_sTooltip(lpszTooltip)
    {
        m_nDialogID = IDD_CT_PAGE;
    }
    void SetTemplate(UINT nID) { m_nDialogID = nID; }

    CString GetTitle() const override { return m_sTitle; }
    CString GetGroup() const override { return m_sGroup; }
    UINT GetImageResource() const override { return m_nImage; }
    CString GetTooltip() const override { return m_sTooltip; }
    BOOL IsSupportingApplyChanges() override { return m_bSupportsApply; }
    BOOL ApplyChanges() override
    {
        nApplies++;
        return TRUE;
    }
    BOOL OnCloseManager(BOOL bIsOk) override
    {
        closes.push_back(bIsOk);
        return m_bAllowClose;
    }
    BOOL Load(const COXCustomizeManager* pManager) override
    {
        nLoads++;
        return COXCustomizePage::Load(pManager);
    }

    CString m_sTitle, m_sGroup;
    UINT m_nImage;
    CString m_sTooltip;
    BOOL m_bSupportsApply = TRUE;
    BOOL m_bAllowClose = TRUE;
    int nApplies = 0;
    int nLoads = 0;
    std::vector<BOOL> closes;
    std::vector<LPARAM> kicks;   // the idle counts of the WM_KICKIDLE received

protected:
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM lParam)
    {
        kicks.push_back(lParam);
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestPage, COXCustomizePage)
    ON_MESSAGE(WM_KICKIDLE, &CTestPage::OnKickIdle)
END_MESSAGE_MAP()

class CTestManager : public COXCustomizeManager
{
public:
    using COXCustomizeManager::m_ilPages;
};

class OXCustomizeManagerTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (::IsWindow(m_manager.GetSafeHwnd()))
            m_manager.DestroyWindow();
    }
    void Register(std::initializer_list<CTestPage*> pages)
    {
        DWORD dwID = 1;
        for (CTestPage* pPage : pages)
            m_manager.RegisterPage(pPage, dwID++);
    }
    void Open()
    {
        ASSERT_TRUE(m_manager.Open(NULL));
        m_manager.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE);
        PumpMessagesFor(0);
    }
    HSHBGROUP Group(LPCTSTR lpszGroup)
    {
        COXShortcutBar& bar = m_manager.GetShortcutBar();
        for (int i = 0; i < bar.GetGroupCount(); i++)
            if (bar.GetGroupText(bar.FindGroupByOrder(i)) == lpszGroup)
                return bar.FindGroupByOrder(i);
        return NULL;
    }
    COXSHBListCtrl* List(LPCTSTR lpszGroup) { return m_manager.GetShortcutBar().GetGroupListCtrl(Group(lpszGroup)); }
    std::vector<std::string> Titles(LPCTSTR lpszGroup)
    {
        std::vector<std::string> titles;
        COXSHBListCtrl* pList = List(lpszGroup);
        for (int i = 0; pList != NULL && i < pList->GetItemCount(); i++)
            titles.push_back((LPCTSTR)pList->GetItemText(i, 0));
        return titles;
    }
    CPoint ItemPoint(COXSHBListCtrl* pList, int nItem)
    {
        CRect rect;
        pList->GetItemRect(nItem, &rect, LVIR_LABEL);
        return rect.CenterPoint();
    }
    void Click(COXSHBListCtrl* pList, int nItem)
    {
        CPoint pt = ItemPoint(pList, nItem);
        pList->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        pList->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    BOOL IsShown(CWnd& wnd) { return ::IsWindow(wnd.GetSafeHwnd()) && wnd.IsWindowVisible(); }
    CString Title()
    {
        CString s;
        m_manager.GetDlgItem(IDC_OX_CUSTOMIZE_TITLE)->GetWindowText(s);
        return s;
    }
    LRESULT Notify(UINT nCode, HSHBGROUP hGroup, int nItem, LPARAM lParam)
    {
        SHB_NOTIFY notify = {};
        notify.hdr.hwndFrom = m_manager.GetShortcutBar().GetSafeHwnd();
        notify.hdr.idFrom = IDC_OX_CUSTOMIZE_SHORTCUTBAR;
        notify.hdr.code = nCode;
        notify.hGroup = hGroup;
        notify.nItem = nItem;
        notify.lParam = lParam;
        return m_manager.SendMessage(WM_NOTIFY, IDC_OX_CUSTOMIZE_SHORTCUTBAR, (LPARAM)&notify);
    }

    CTestManager m_manager;
};

// Groups are told apart by their whole header, items sorted by title, pictures
// taken only from pages that have one; the first page of the first group is
// shown in the area between the two lines and the others are not created yet.
TEST_F(OXCustomizeManagerTest, OpeningGroupsSortsAndShowsTheFirstPage)
{
    CTestPage zeta("Zeta"), alpha("Alpha", "Customize", IDB_OX_FONT_TYPES), other("Other", "Custom");
    Register({&zeta, &alpha, &other});
    Open();

    EXPECT_EQ(m_manager.GetShortcutBar().GetGroupCount(), 2);
    EXPECT_EQ(Titles("Customize"), (std::vector<std::string>{"Alpha", "Zeta"}));
    EXPECT_EQ(Titles("Custom"), (std::vector<std::string>{"Other"}));
    EXPECT_EQ(m_manager.GetPageCount(), 3);
    EXPECT_EQ(m_manager.GetGroupPageCount("Customize"), 2);
    EXPECT_EQ(m_manager.GetGroupPageCount("Custom"), 1);
    EXPECT_EQ(m_manager.GetGroupPageCount("Cust"), 0);

    LVITEM item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 0;
    ASSERT_TRUE(List("Customize")->GetItem(&item));
    EXPECT_EQ(item.iImage, 0);   // Alpha: the first picture of the bar's list
    item.iItem = 1;
    ASSERT_TRUE(List("Customize")->GetItem(&item));
    EXPECT_EQ(item.iImage, -1);   // Zeta: none
    EXPECT_EQ(m_manager.m_ilPages.GetImageCount(), 1);

    // The first group is the one made first; its first page after sorting shows.
    COXCustomizePage* pFirst = m_manager.GetActivePage();
    ASSERT_TRUE(pFirst == &alpha || pFirst == &other);
    EXPECT_TRUE(IsShown(*pFirst));
    EXPECT_EQ(Title(), pFirst->GetTitle());
    EXPECT_EQ(pFirst->GetCustomizeManager(), &m_manager);
    EXPECT_TRUE(pFirst->IsInitialized());
    EXPECT_FALSE(::IsWindow(zeta.GetSafeHwnd()));

    CRect rectTop, rectBottom, rectPage;
    m_manager.GetDlgItem(IDC_OX_CUSTOMIZE_SEP_TOP)->GetWindowRect(&rectTop);
    m_manager.GetDlgItem(IDC_OX_CUSTOMIZE_SEP_BOTTOM)->GetWindowRect(&rectBottom);
    pFirst->GetWindowRect(&rectPage);
    EXPECT_EQ(rectPage, CRect(rectTop.left, rectTop.bottom, rectTop.right, rectBottom.top));
    EXPECT_EQ(pFirst->GetParent(), &m_manager);
    EXPECT_FALSE(pFirst->GetStyle() & WS_CAPTION);
}

TEST_F(OXCustomizeManagerTest, AnEmptyManagerShowsNoPage)
{
    Open();
    EXPECT_EQ(m_manager.GetActivePage(), nullptr);
    EXPECT_EQ(m_manager.GetPageCount(), 0);
    EXPECT_FALSE(m_manager.GetPageRect().IsRectEmpty());
    HSHBGROUP hGroup = NULL;
    int nItem = -1;
    EXPECT_FALSE(m_manager.FindPage(NULL, hGroup, nItem));
    EXPECT_FALSE(m_manager.ActivatePageByID(1));
}

// A click on an item makes it the bar's active item and shows its page; the
// pointer resting on another item only lights it.
TEST_F(OXCustomizeManagerTest, AClickSwitchesPagesAHoverDoesNot)
{
    CTestPage a("A"), b("B"), c("C");
    b.m_bSupportsApply = FALSE;
    Register({&a, &b, &c});
    Open();
    COXSHBListCtrl* pList = List("Customize");
    ASSERT_NE(pList, nullptr);
    ASSERT_EQ(m_manager.GetActivePage(), &a);
    EXPECT_EQ(pList->GetActiveItem(), 0);

    CPoint pt = ItemPoint(pList, 2);
    pList->ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    ASSERT_TRUE(PumpUntil([&] { return pList->GetHotItem() == 2; }, kWaitMs)) << "the hovered item never lit";
    EXPECT_EQ(m_manager.GetActivePage(), &a);
    EXPECT_FALSE(::IsWindow(c.GetSafeHwnd()));

    Click(pList, 1);
    ASSERT_TRUE(PumpUntil([&] { return m_manager.GetActivePage() == &b; }, kWaitMs)) << "a click did not switch pages";
    EXPECT_EQ(pList->GetActiveItem(), 1);
    EXPECT_TRUE(IsShown(b));
    EXPECT_FALSE(IsShown(a));
    EXPECT_TRUE(::IsWindow(a.GetSafeHwnd()));   // hidden, not destroyed
    EXPECT_EQ(Title(), "B");
    EXPECT_FALSE(m_manager.GetDlgItem(IDC_OX_CUSTOMIZE_APPLY)->IsWindowEnabled());

    Click(pList, 0);
    ASSERT_TRUE(PumpUntil([&] { return m_manager.GetActivePage() == &a; }, kWaitMs));
    EXPECT_EQ(a.nLoads, 2);
    EXPECT_TRUE(m_manager.GetDlgItem(IDC_OX_CUSTOMIZE_APPLY)->IsWindowEnabled());
    // Apply reaches the page shown, and only it.
    m_manager.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_CUSTOMIZE_APPLY, BN_CLICKED),
                          (LPARAM)m_manager.GetDlgItem(IDC_OX_CUSTOMIZE_APPLY)->GetSafeHwnd());
    EXPECT_EQ(a.nApplies, 1);
    EXPECT_EQ(b.nApplies, 0);
}

// Activation by page, by title and group, by identifier; again on the active
// page (nothing reloads); across groups (the old group's item goes off).
TEST_F(OXCustomizeManagerTest, ActivatingAndFindingPages)
{
    CTestPage a("A"), b("B", "Custom");
    Register({&a, &b});
    Open();
    COXCustomizePage* pFirst = m_manager.GetActivePage();
    ASSERT_NE(pFirst, nullptr);
    int nLoads = (pFirst == &a ? a : b).nLoads;
    EXPECT_TRUE(m_manager.ActivatePage(pFirst));
    EXPECT_EQ((pFirst == &a ? a : b).nLoads, nLoads);

    EXPECT_TRUE(m_manager.ActivatePage("B", "Custom"));
    EXPECT_EQ(m_manager.GetActivePage(), &b);
    EXPECT_EQ(List("Custom")->GetActiveItem(), 0);
    EXPECT_EQ(List("Customize")->GetActiveItem(), -1);
    EXPECT_FALSE(m_manager.ActivatePage("B", "Customize"));
    EXPECT_FALSE(m_manager.ActivatePage("B", "Cust"));

    EXPECT_TRUE(m_manager.ActivatePageByID(1));
    EXPECT_EQ(m_manager.GetActivePage(), &a);
    EXPECT_EQ(List("Custom")->GetActiveItem(), -1);
    EXPECT_FALSE(m_manager.ActivatePageByID(7));

    CTestPage stranger("S");
    EXPECT_FALSE(m_manager.ActivatePage(&stranger));
    EXPECT_FALSE(m_manager.SetPageTooltip(&stranger, "x"));
    EXPECT_FALSE(m_manager.DeletePage(&stranger));

    // Deleting the page shown leaves no page shown.
    EXPECT_TRUE(m_manager.DeletePage(&a));
    EXPECT_EQ(m_manager.GetActivePage(), nullptr);
    EXPECT_FALSE(IsShown(a));
    EXPECT_EQ(m_manager.GetGroupPageCount("Customize"), 0);
}

// The tip of an item is its page's, cut to what the bar's 80-byte buffer
// holds with its NUL.
TEST_F(OXCustomizeManagerTest, TipsFitTheBarsBuffer)
{
    CTestPage shortTip("A", "Customize", 0, "Switches pages"), longTip("B", "Customize", 0, std::string(100, 'x').c_str());
    Register({&shortTip, &longTip});
    Open();
    HSHBGROUP hGroup = Group("Customize");

    struct Case { int nItem; const char* before; std::string expected; } cases[] = {
        {0, "", "Switches pages"},
        {1, "", std::string(79, 'x')},
        {5, "stale", ""},   // no such item: an empty tip
    };
    for (const Case& c : cases) {
        SHB_TIPINFO tip;
        memset(&tip, '#', sizeof(tip));
        tip.lpszText = NULL;
        strcpy(tip.szText, c.before);
        EXPECT_EQ(Notify(SHBN_GETITEMINFOTIP, hGroup, c.nItem, (LPARAM)&tip), 1);
        ASSERT_TRUE(memchr(tip.szText, 0, sizeof(tip.szText)) != NULL) << "item " << c.nItem << ": no NUL";
        EXPECT_EQ(std::string(tip.szText), c.expected) << "item " << c.nItem;
    }

    EXPECT_TRUE(m_manager.SetPageTooltip(&shortTip, "Another"));
    SHB_TIPINFO tip = {};
    Notify(SHBN_GETITEMINFOTIP, hGroup, 0, (LPARAM)&tip);
    EXPECT_STREQ(tip.szText, "Another");
}

// OK asks every created page; one that refuses is shown and the dialog stays.
// Once all agree the dialog goes, the pages' windows with it, and the manager
// opens again with the same pages and pictures.
TEST_F(OXCustomizeManagerTest, OkWaitsForEveryPageAndReopens)
{
    CTestPage a("A", "Customize", IDB_OX_FONT_TYPES), b("B"), never("C");
    Register({&a, &b, &never});
    Open();
    ASSERT_TRUE(m_manager.ActivatePage(&b));
    ASSERT_TRUE(m_manager.ActivatePage(&a));
    b.m_bAllowClose = FALSE;

    m_manager.SendMessage(WM_COMMAND, IDOK, (LPARAM)m_manager.GetDlgItem(IDOK)->GetSafeHwnd());
    ASSERT_TRUE(::IsWindow(m_manager.GetSafeHwnd()));
    EXPECT_EQ(m_manager.GetActivePage(), &b);
    EXPECT_TRUE(IsShown(b));
    EXPECT_EQ(b.closes, std::vector<BOOL>{TRUE});
    EXPECT_TRUE(never.closes.empty());   // never created: nothing to ask

    b.m_bAllowClose = TRUE;
    m_manager.SendMessage(WM_COMMAND, IDOK, (LPARAM)m_manager.GetDlgItem(IDOK)->GetSafeHwnd());
    EXPECT_FALSE(::IsWindow(m_manager.GetSafeHwnd()));
    EXPECT_FALSE(::IsWindow(a.GetSafeHwnd()));
    EXPECT_FALSE(::IsWindow(b.GetSafeHwnd()));
    EXPECT_EQ(a.closes.back(), TRUE);
    EXPECT_EQ(m_manager.GetActivePage(), nullptr);

    Open();
    EXPECT_EQ(m_manager.GetPageCount(), 3);
    EXPECT_EQ(m_manager.GetActivePage(), &a);
    EXPECT_EQ(m_manager.m_ilPages.GetImageCount(), 1);
}

TEST_F(OXCustomizeManagerTest, CancelAndDestructionCloseThePagesWithoutOk)
{
    CTestPage a("A"), b("B");
    Register({&a, &b});
    Open();
    m_manager.SendMessage(WM_COMMAND, IDCANCEL, (LPARAM)m_manager.GetDlgItem(IDCANCEL)->GetSafeHwnd());
    EXPECT_FALSE(::IsWindow(m_manager.GetSafeHwnd()));
    EXPECT_EQ(a.closes, std::vector<BOOL>{FALSE});
    EXPECT_TRUE(b.closes.empty());

    Open();
    m_manager.DestroyWindow();
    EXPECT_EQ(a.closes, (std::vector<BOOL>{FALSE, FALSE}));
    EXPECT_FALSE(::IsWindow(a.GetSafeHwnd()));
}

// A page deleted while the dialog is open leaves it: the manager neither
// shows nor asks the object again, and the other pages close as ever.
TEST_F(OXCustomizeManagerTest, APageWhoseWindowGoesLeavesTheDialog)
{
    CTestPage a("A"), b("B");
    std::unique_ptr<CTestPage> pGone(new CTestPage("C"));
    Register({&a, &b, pGone.get()});
    Open();
    ASSERT_TRUE(m_manager.ActivatePage(pGone.get()));
    ASSERT_EQ(m_manager.GetActivePage(), pGone.get());
    const CTestPage* pDeleted = pGone.get();
    pGone.reset();
    EXPECT_EQ(m_manager.GetActivePage(), nullptr);
    EXPECT_EQ(Titles("Customize"), (std::vector<std::string>{"A", "B"}));
    HSHBGROUP hGroup = NULL;
    int nItem = -1;
    EXPECT_FALSE(m_manager.FindPage((COXCustomizePage*)pDeleted, hGroup, nItem));

    ASSERT_TRUE(m_manager.ActivatePage(&b));
    m_manager.SendMessage(WM_COMMAND, IDOK, (LPARAM)m_manager.GetDlgItem(IDOK)->GetSafeHwnd());
    EXPECT_FALSE(::IsWindow(m_manager.GetSafeHwnd()));
    EXPECT_EQ(b.closes, std::vector<BOOL>{TRUE});
    EXPECT_EQ(a.closes, std::vector<BOOL>{TRUE});
}

// A page whose template is missing is not shown: the page before it stays
// hidden and the clicked item does not become active.
TEST_F(OXCustomizeManagerTest, APageThatCannotBeCreatedIsNotShown)
{
    CTestPage a("A"), broken("B");
    broken.SetTemplate(IDD_CT_PAGE_MISSING);
    Register({&a, &broken});
    Open();
    ASSERT_EQ(m_manager.GetActivePage(), &a);
    COXSHBListCtrl* pList = List("Customize");
    Click(pList, 1);
    ASSERT_TRUE(PumpUntil([&] { return broken.nLoads > 0; }, kWaitMs)) << "the click never reached the page";
    PumpMessagesFor(0);
    EXPECT_EQ(m_manager.GetActivePage(), nullptr);
    EXPECT_FALSE(IsShown(a));
    EXPECT_FALSE(::IsWindow(broken.GetSafeHwnd()));
    EXPECT_EQ(broken.GetCustomizeManager(), nullptr);
    EXPECT_NE(pList->GetActiveItem(), 1);
}

// The dialog tracks no smaller than 520 x 450; grown, the page follows the
// area between the lines.
TEST_F(OXCustomizeManagerTest, SizeLimitAndThePageFollowingTheDialog)
{
    CTestPage a("A");
    Register({&a});
    Open();
    // A sizable window's size passes through the tracking limits.
    m_manager.SetWindowPos(NULL, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    CRect rectSmallest;
    m_manager.GetWindowRect(&rectSmallest);
    EXPECT_EQ(rectSmallest.Size(), CSize(520, 450));

    CRect rectBefore;
    a.GetWindowRect(&rectBefore);
    CRect rectDialog;
    m_manager.GetWindowRect(&rectDialog);
    m_manager.SetWindowPos(NULL, 0, 0, rectDialog.Width() + 100, rectDialog.Height() + 60,
                           SWP_NOMOVE | SWP_NOZORDER);
    CRect rectAfter;
    a.GetWindowRect(&rectAfter);
    EXPECT_EQ(rectAfter.Width(), rectBefore.Width() + 100);
    EXPECT_EQ(rectAfter.Height(), rectBefore.Height() + 60);
    CRect rectPage = m_manager.GetPageRect();
    m_manager.ClientToScreen(&rectPage);
    EXPECT_EQ(rectAfter, rectPage);
}

// The thread's idle pass kicks the open manager, which hands the kick to its
// page: a modeless dialog gets what a modal loop would give it.
TEST_F(OXCustomizeManagerTest, TheIdlePassReachesThePageShown)
{
    CTestPage a("A"), b("B");
    Register({&a, &b});
    Open();
    CWinThread* pThread = AfxGetThread();
    ASSERT_NE(pThread, nullptr);
    pThread->OnIdle(0);
    pThread->OnIdle(1);
    EXPECT_EQ(a.kicks, (std::vector<LPARAM>{0, 1}));
    EXPECT_TRUE(b.kicks.empty());

    m_manager.ShowWindow(SW_HIDE);
    pThread->OnIdle(0);
    EXPECT_EQ(a.kicks.size(), 2u);   // a hidden dialog is not kicked
}

}   // namespace

namespace {

// Keys typed in a page go through the thread's loop as the user's would: Tab
// and Shift+Tab walk the page's controls and the dialog's.
TEST_F(OXCustomizeManagerTest, TabLeavesThePage)
{
    CTestPage a("A");
    Register({&a});
    Open();
    CWnd* pEdit = a.GetDlgItem(IDC_CT_PAGE_EDIT);
    ASSERT_NE(pEdit, nullptr);
    pEdit->SetFocus();
    ASSERT_EQ(::GetFocus(), pEdit->GetSafeHwnd());
    CWinThread* pThread = AfxGetThread();
    auto type = [&](UINT vk) {
        ::PostMessage(::GetFocus(), WM_KEYDOWN, vk, 0);
        pThread->PumpMessage();
        PumpMessagesFor(0);
    };
    type(VK_TAB);
    HWND hFocus = ::GetFocus();
    EXPECT_NE(hFocus, pEdit->GetSafeHwnd()) << "Tab stayed in the page's only control";
    EXPECT_FALSE(::IsChild(a.GetSafeHwnd(), hFocus));
}

}   // namespace

namespace {

BOOL CALLBACK FindVisibleTipProc(HWND hWnd, LPARAM lParam)
{
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) == 0 && ::IsWindowVisible(hWnd)) {
        *(HWND*)lParam = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindVisibleTip()
{
    HWND hFound = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleTipProc, (LPARAM)&hFound);
    return hFound;
}

// The pointer resting on an item through the thread's loop brings up the
// page's tip, a 100-character one cut to what the bar's buffer holds.
TEST_F(OXCustomizeManagerTest, RestingOnAnItemShowsItsTipCut)
{
    CTestPage a("A"), b("B", "Customize", 0, std::string(100, 'y').c_str());
    Register({&a, &b});
    Open();
    COXSHBListCtrl* pList = List("Customize");
    CPoint pt = ItemPoint(pList, 1);
    CPoint ptScreen = pt;
    pList->ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    CWinThread* pThread = AfxGetThread();
    HWND hTip = NULL;
    // One move, as the pointer coming to rest makes; the tip follows its own timer.
    pList->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    DWORD dwStart = ::GetTickCount();
    while ((hTip = FindVisibleTip()) == NULL && ::GetTickCount() - dwStart < 10000) {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
            pThread->PumpMessage();
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
    }
    ASSERT_NE(hTip, nullptr) << "no tip came up over the item";
    char szText[256] = "";
    ::GetWindowTextA(hTip, szText, sizeof(szText));
    EXPECT_EQ(std::string(szText), std::string(79, 'y'));
}

}   // namespace
