// The tray icon customize page: which button opens the menu and what counts
// as an extracted icon, as tables; the icon it shows, hides and names;
// icons taken from a library, and the program's own icon when a file has
// none; the tray menu opened by the chosen button only, closed by a click
// elsewhere, and no menu for a resource without a submenu; and the page in
// the customize manager: OK stores the six values (read back by the
// registry tool and by a page made anew), Cancel stores nothing.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "CustomizePageRegistry.h"
#include "OXCustomizeManager.h"
#include "OXCustomizeSplashWindowPage.h"
#include "OXCustomizeTrayIconPage.h"
#include "TestFolder.h"
#include "customize_test_res.h"
#include "testsupport.h"

namespace {

const char* const kSection = "CustomizeTrayIconTest";

class CTestTrayPage : public COXCustomizeTrayIconPage
{
public:
    using COXCustomizeTrayIconPage::m_bShowTrayIcon;
    using COXCustomizeTrayIconPage::m_bUseDefaultIcon;
    using COXCustomizeTrayIconPage::m_bUseRightClick;
    using COXCustomizeTrayIconPage::m_nIconIndex;
    using COXCustomizeTrayIconPage::m_sIconSourceFileName;
    using COXCustomizeTrayIconPage::m_sTrayIconTooltip;
};

CString ModuleFileName()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    return szPath;
}

CString LibraryWithIcons()
{
    char szPath[MAX_PATH] = "";
    ::GetSystemDirectoryA(szPath, MAX_PATH);
    return CString(szPath) + "\\shell32.dll";
}

TEST(OXCustomizeTrayIconRules, TheButtonThatOpensTheMenu)
{
    struct Row { UINT nMessage; BOOL bUseRightClick; BOOL bOpens; } rows[] = {
        {WM_RBUTTONUP, TRUE, TRUE},    {WM_LBUTTONUP, TRUE, FALSE},  {WM_LBUTTONUP, FALSE, TRUE},
        {WM_RBUTTONUP, FALSE, FALSE},  {WM_RBUTTONDOWN, TRUE, FALSE}, {WM_LBUTTONDBLCLK, FALSE, FALSE},
    };
    for (const Row& r : rows)
        EXPECT_EQ(OXTrayMenuOpensOn(r.nMessage, r.bUseRightClick), r.bOpens)
            << CMessageRecorder::MessageName(r.nMessage) << " right=" << r.bUseRightClick;
}

TEST(OXCustomizeTrayIconRules, WhatExtractIconAnswers)
{
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    EXPECT_FALSE(OXIsExtractedIcon(NULL));
    EXPECT_FALSE(OXIsExtractedIcon((HICON)1));   // a file that holds no icons
    EXPECT_TRUE(OXIsExtractedIcon(hIcon));
}

class OXCustomizeTrayIconPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteProfileSection(kSection);
        m_hDefault = ::LoadIcon(NULL, IDI_APPLICATION);
    }
    void TearDown() override
    {
        m_pManager.reset();
        DeleteProfileSection(kSection);
    }
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
    static void Click(CWnd& page, UINT nID) { page.GetDlgItem(nID)->SendMessage(BM_CLICK); }
    // A file name typed into the page's combo, as the combo reports it.
    static void TypeFileName(CWnd& page, LPCTSTR lpszFile)
    {
        CWnd* pCombo = page.GetDlgItem(IDC_OX_TRP_FILE_NAME);
        pCombo->SetWindowText(lpszFile);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_TRP_FILE_NAME, CBN_EDITCHANGE), (LPARAM)pCombo->m_hWnd);
    }
    static int IconCount(CWnd& page)
    {
        return (int)page.GetDlgItem(IDC_OX_TRP_ICONS)->SendMessage(LB_GETCOUNT);
    }

    HICON m_hDefault = NULL;
    std::unique_ptr<COXCustomizeManager> m_pManager;
};

// Set up, the icon shows with its tip and the program's icon, and the file
// offered for icons is the program itself; hidden and applied, it leaves
// the notification area and keeps its tip for the next showing.
TEST_F(OXCustomizeTrayIconPageTest, TheIconShowsHidesAndKeepsItsTip)
{
    CTestTrayPage page;
    ASSERT_TRUE(page.InitializeTrayIcon(m_hDefault, IDR_CT_TRAY, "Pellucor at work", TRUE, TRUE, NULL, NULL));
    COXCustomizeTaskbarIcon& icon = page.GetTaskbarIcon();
    EXPECT_TRUE(icon.IsShowing());
    CString sTip;
    icon.GetTooltipText(sTip);
    EXPECT_EQ(sTip, "Pellucor at work");
    EXPECT_EQ(icon.GetIcon(), m_hDefault);
    EXPECT_EQ(page.m_sIconSourceFileName, ModuleFileName());

    page.m_bShowTrayIcon = FALSE;
    page.ApplyTrayIcon();
    EXPECT_FALSE(icon.IsShowing());
    page.m_bShowTrayIcon = TRUE;
    page.ApplyTrayIcon();
    EXPECT_TRUE(icon.IsShowing());
    icon.GetTooltipText(sTip);
    EXPECT_EQ(sTip, "Pellucor at work");

    // The notification area takes 63 characters: a longer tip is cut there.
    CTestTrayPage chatty;
    std::string sLong(100, 'x');
    ASSERT_TRUE(chatty.InitializeTrayIcon(m_hDefault, IDR_CT_TRAY, sLong.c_str(), FALSE, TRUE, "", NULL));
    EXPECT_FALSE(chatty.GetTaskbarIcon().IsShowing());
    EXPECT_EQ(chatty.m_sTrayIconTooltip, CString(sLong.substr(0, 63).c_str()));
}

// A library's icons fill the list; the one chosen and applied goes on the
// icon, and OK keeps the choice for the next start.
TEST_F(OXCustomizeTrayIconPageTest, IconsFromALibrary)
{
    CString sLibrary = LibraryWithIcons();
    {
        CTestTrayPage page;
        ASSERT_TRUE(page.InitializeTrayIcon(m_hDefault, IDR_CT_TRAY, "tip", TRUE, TRUE, NULL, kSection));
        Open(&page);
        EXPECT_FALSE(page.GetDlgItem(IDC_OX_TRP_ICONS)->IsWindowEnabled());
        Click(page, IDC_OX_TRP_FILE_ICON);
        EXPECT_TRUE(page.GetDlgItem(IDC_OX_TRP_ICONS)->IsWindowEnabled());
        TypeFileName(page, sLibrary);
        ASSERT_GT(IconCount(page), 3) << "no icons listed from " << (LPCTSTR)sLibrary;
        EXPECT_EQ(page.GetDlgItem(IDC_OX_TRP_ICONS)->SendMessage(LB_GETCURSEL), 0);
        page.GetDlgItem(IDC_OX_TRP_ICONS)->SendMessage(LB_SETCURSEL, 3);
        Press(IDC_OX_CUSTOMIZE_APPLY);
        EXPECT_FALSE(page.m_bUseDefaultIcon);
        EXPECT_EQ(page.m_nIconIndex, 3);
        HICON hShown = page.GetTaskbarIcon().GetIcon();
        EXPECT_NE(hShown, m_hDefault);
        EXPECT_NE(hShown, (HICON)NULL);
        Press(IDOK);
        ASSERT_FALSE(::IsWindow(m_pManager->GetSafeHwnd()));
    }
    std::map<std::string, std::string> expected = {
        {"TrayIconTooltip", "tip"},
        {"ShowTrayIcon", "1"},
        {"UseRightClick", "1"},
        {"UseDefaultIcon", "0"},
        {"TrayIconSourceFileName", (LPCTSTR)sLibrary},
        {"IconIndexFromSourceFile", "3"},
    };
    EXPECT_EQ(RegQuerySection(kSection), expected);

    CTestTrayPage next;
    ASSERT_TRUE(next.InitializeTrayIcon(m_hDefault, IDR_CT_TRAY, "other", FALSE, FALSE, NULL, kSection));
    EXPECT_FALSE(next.m_bUseDefaultIcon);
    EXPECT_EQ(next.m_nIconIndex, 3);
    EXPECT_TRUE(next.GetTaskbarIcon().IsShowing());
    HICON hShown = next.GetTaskbarIcon().GetIcon();
    EXPECT_NE(hShown, m_hDefault);
    EXPECT_NE(hShown, (HICON)NULL);
    Open(&next);
    EXPECT_EQ(next.IsDlgButtonChecked(IDC_OX_TRP_FILE_ICON), BST_CHECKED);
    EXPECT_EQ(next.IsDlgButtonChecked(IDC_OX_TRP_RIGHT_BUTTON), BST_CHECKED);
    EXPECT_EQ(WindowText(next.GetDlgItem(IDC_OX_TRP_TOOLTIP)->m_hWnd), "tip");
    EXPECT_GT(IconCount(next), 3);
    EXPECT_EQ(next.GetDlgItem(IDC_OX_TRP_ICONS)->SendMessage(LB_GETCURSEL), 3);
    m_pManager.reset();
}

// A file without icons lists none, and applied it gives the program's own
// icon: the page falls back to it, index -1; so does a stored choice of
// such a file at the next start.
TEST_F(OXCustomizeTrayIconPageTest, AFileWithoutIconsGivesTheProgramsIcon)
{
    CTestFolder folder;
    CString sText = folder.File("notes.txt");
    {
        CFile file(sText, CFile::modeCreate | CFile::modeWrite);
        file.Write("no icons here\r\n", 15);
    }
    CTestTrayPage page;
    ASSERT_TRUE(page.InitializeTrayIcon(m_hDefault, IDR_CT_TRAY, "tip", TRUE, TRUE, NULL, NULL));
    Open(&page);
    Click(page, IDC_OX_TRP_FILE_ICON);
    TypeFileName(page, LibraryWithIcons());
    ASSERT_GT(IconCount(page), 0);
    TypeFileName(page, sText);
    EXPECT_EQ(IconCount(page), 0) << "another file's icons stayed listed";
    Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_EQ(page.GetTaskbarIcon().GetIcon(), m_hDefault);
    EXPECT_TRUE(page.m_bUseDefaultIcon);
    EXPECT_EQ(page.m_nIconIndex, -1);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_OX_TRP_DEFAULT_ICON), BST_CHECKED);
    EXPECT_FALSE(page.GetDlgItem(IDC_OX_TRP_ICONS)->IsWindowEnabled());
    m_pManager.reset();

    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileInt(kSection, "UseDefaultIcon", 0);
    pApp->WriteProfileString(kSection, "TrayIconSourceFileName", sText);
    pApp->WriteProfileInt(kSection, "IconIndexFromSourceFile", 0);
    CTestTrayPage next;
    ASSERT_TRUE(next.InitializeTrayIcon(m_hDefault, IDR_CT_TRAY, "tip", TRUE, TRUE, NULL, kSection));
    EXPECT_EQ(next.GetTaskbarIcon().GetIcon(), m_hDefault);
    EXPECT_TRUE(next.m_bUseDefaultIcon);
    EXPECT_EQ(next.m_nIconIndex, -1);

    // A library with a stored index of -1 (none chosen) is no icon either.
    pApp->WriteProfileString(kSection, "TrayIconSourceFileName", LibraryWithIcons());
    pApp->WriteProfileInt(kSection, "IconIndexFromSourceFile", -1);
    CTestTrayPage none;
    ASSERT_TRUE(none.InitializeTrayIcon(m_hDefault, IDR_CT_TRAY, "tip", TRUE, TRUE, NULL, kSection));
    EXPECT_EQ(none.GetTaskbarIcon().GetIcon(), m_hDefault);
    EXPECT_TRUE(none.m_bUseDefaultIcon);
}

TEST_F(OXCustomizeTrayIconPageTest, CancelStoresNothing)
{
    CTestTrayPage page;
    ASSERT_TRUE(page.InitializeTrayIcon(m_hDefault, IDR_CT_TRAY, "tip", TRUE, TRUE, NULL, kSection));
    Open(&page);
    page.SetDlgItemText(IDC_OX_TRP_TOOLTIP, "changed");
    Click(page, IDC_OX_TRP_LEFT_BUTTON);
    Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_FALSE(page.IsUsingRightClick());
    Press(IDCANCEL);
    ASSERT_FALSE(::IsWindow(m_pManager->GetSafeHwnd()));
    EXPECT_TRUE(RegQuerySection(kSection).empty());
}

// The thread's idle pass reaches the file combos of the tray icon and splash
// window pages through the open manager: a name typed in enables the
// combo's Add button with no modal loop running.
TEST_F(OXCustomizeTrayIconPageTest, TheIdlePassRefreshesTheFileCombos)
{
    CTestTrayPage tray;
    ASSERT_TRUE(tray.InitializeTrayIcon(m_hDefault, IDR_CT_TRAY, "tip", FALSE, TRUE, NULL, NULL));
    COXCustomizeSplashWindowPage splash;
    ASSERT_TRUE(splash.InitializeSplashWindow(IDB_OX_CUSTOMIZE_SPLASH, FALSE, -1, FALSE, CLR_NONE, NULL, 0, NULL));
    struct Case { COXCustomizePage* pPage; UINT nFileRadio, nCombo; } cases[] = {
        {&tray, IDC_OX_TRP_FILE_ICON, IDC_OX_TRP_FILE_NAME},
        {&splash, IDC_OX_SPP_IMAGE_FILE, IDC_OX_SPP_FILE_NAME},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((LPCTSTR)c.pPage->GetTitle());
        Open(c.pPage);
        Click(*c.pPage, c.nFileRadio);
        COXHistoryCombo* pCombo = (COXHistoryCombo*)CWnd::FromHandlePermanent(c.pPage->GetDlgItem(c.nCombo)->m_hWnd);
        ASSERT_NE(pCombo, nullptr);
        pCombo->SetWindowText("");
        AfxGetThread()->OnIdle(0);
        CToolBarCtrl& bar = pCombo->GetToolbar()->GetToolBarCtrl();
        EXPECT_FALSE(bar.IsButtonEnabled(ID_OX_HISTORY_ADD));
        pCombo->SetWindowText("picture.bmp");
        EXPECT_FALSE(bar.IsButtonEnabled(ID_OX_HISTORY_ADD));
        AfxGetThread()->OnIdle(0);
        EXPECT_TRUE(bar.IsButtonEnabled(ID_OX_HISTORY_ADD)) << "the idle pass never reached the combo";
        m_pManager.reset();
    }
}

// ---------------------------------------------------------------------------
// The tray menu
// ---------------------------------------------------------------------------

class OXCustomizeTrayMenuTest : public OXCustomizeTrayIconPageTest
{
protected:
    void SetUp() override
    {
        OXCustomizeTrayIconPageTest::SetUp();
        ASSERT_TRUE(m_main.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "main",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 320, 220), NULL, 0));
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = &m_main;
        AfxGetThread()->m_pMainWnd = &m_main;
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = m_pOldMain;
        AfxGetThread()->m_pMainWnd = m_pOldMain;
        m_main.DestroyWindow();
        OXCustomizeTrayIconPageTest::TearDown();
    }
    // A mouse report from the notification area, as the icon's window gets
    // it, with the pointer resting away from the main window.
    void Report(COXCustomizeTrayIconPage& page, UINT nMessage)
    {
        ::SetCursorPos(500, 400);
        page.GetTaskbarIcon().PostMessage(nMessage);
    }

    CWnd m_main;
    CWnd* m_pOldMain = NULL;
};

TEST_F(OXCustomizeTrayMenuTest, TheChosenButtonOpensTheMenuAndAClickElsewhereClosesIt)
{
    CTestTrayPage page;
    ASSERT_TRUE(page.InitializeTrayIcon(m_hDefault, IDR_CT_TRAY, "tip", TRUE, TRUE, NULL, NULL));
    CMessageRecorder recorder;
    recorder.Watch(m_main.m_hWnd, "main");
    recorder.Only({WM_ENTERMENULOOP, WM_EXITMENULOOP, WM_NULL});

    // The right button is chosen: a left click opens nothing.
    Report(page, WM_LBUTTONUP);
    page.GetTaskbarIcon().PostMessage(WM_APP);
    ASSERT_TRUE(PumpUntil([&] { return HIWORD(::GetQueueStatus(QS_POSTMESSAGE)) == 0; }, kWaitMs));
    EXPECT_EQ(recorder.Count(WM_ENTERMENULOOP), 0) << recorder.Sequence();

    // Inside the menu's own loop, once the menu shows, the user clicks away
    // from it, on the main window.
    HWND hMenu = NULL;
    CRect rectMenu;
    CMenuWatch watch([&](HWND hShown) {
        hMenu = hShown;
        ::GetWindowRect(hMenu, &rectMenu);
        ::SetCursorPos(60, 60);
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, inputs, sizeof(INPUT));
    });
    Report(page, WM_RBUTTONUP);
    ASSERT_TRUE(PumpUntil([&] { return recorder.Count(WM_NULL) > 0; }, kWaitMs + 1000))
        << "the menu never ended with a nudge to its owner:\n" << recorder.Sequence();
    EXPECT_TRUE(watch.Acted()) << "the menu never showed";
    EXPECT_FALSE(watch.EndedAMenu()) << "the click elsewhere left the menu up";
    EXPECT_FALSE(rectMenu.PtInRect(CPoint(60, 60)));
    EXPECT_FALSE(::IsWindow(hMenu) && ::IsWindowVisible(hMenu));
    EXPECT_TRUE(recorder.Matches({{"main", WM_ENTERMENULOOP, kSent},
                                  {"main", WM_EXITMENULOOP, kSent},
                                  {"main", WM_NULL, kPosted}}));
}

// A menu resource with no submenu has no tray menu: nothing is tracked.
TEST_F(OXCustomizeTrayMenuTest, NoSubmenuNoMenu)
{
    CTestTrayPage page;
    ASSERT_TRUE(page.InitializeTrayIcon(m_hDefault, IDR_CT_TRAY_FLAT, "tip", TRUE, FALSE, NULL, NULL));
    CMessageRecorder recorder;
    recorder.Watch(m_main.m_hWnd, "main");
    recorder.Only({WM_ENTERMENULOOP, WM_NULL});
    Report(page, WM_LBUTTONUP);
    page.GetTaskbarIcon().PostMessage(WM_APP);
    ASSERT_TRUE(PumpUntil([&] { return HIWORD(::GetQueueStatus(QS_POSTMESSAGE)) == 0; }, kWaitMs));
    EXPECT_EQ(recorder.Records().size(), 0u) << recorder.Sequence();

    CTestTrayPage noMenu;
    ASSERT_TRUE(noMenu.InitializeTrayIcon(m_hDefault, 0, "tip", TRUE, TRUE, NULL, NULL));
    noMenu.ShowPopupMenu();
    PumpMessagesFor(0);
    EXPECT_EQ(recorder.Records().size(), 0u) << recorder.Sequence();
}

}   // namespace
