// The pieces the program carries without calling them: the two spare dialogs
// come up on their templates, the message pump empties the queue and hands a
// quit request on, and the active-window helpers follow the window's life.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include "SpareDialogs.h"
#include "Utilities.h"
#include "resource.h"

namespace {

std::string TextOf(HWND hWnd)
{
    char sz[128] = "";
    GetWindowTextA(hWnd, sz, sizeof sz);
    return sz;
}

TEST(SpareDialogs, ParamHarvestComesUpOnItsTemplate)
{
    CDlg_ParamHarvest dlg;
    ASSERT_TRUE(dlg.Create(IDD_PARAM_HARVEST));
    EXPECT_EQ(TextOf(dlg.m_hWnd), "Dialog");
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, IDC_PARAM_RADIO1)), "Radio1");
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, IDC_PARAM_RADIO2)), "Radio2");
    EXPECT_NE(::GetDlgItem(dlg.m_hWnd, IDC_PARAM_EDIT), nullptr);
    EXPECT_NE(::GetDlgItem(dlg.m_hWnd, IDOK), nullptr);
    EXPECT_NE(::GetDlgItem(dlg.m_hWnd, IDCANCEL), nullptr);
    dlg.DestroyWindow();
}

TEST(SpareDialogs, CaptionComesUpOnTheHarvestSettingsTemplate)
{
    CCaption dlg;
    ASSERT_TRUE(dlg.Create(IDD_SETTINGS));
    EXPECT_EQ(TextOf(dlg.m_hWnd), "Settings");
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, IDC_DIG_BY_ALL)), "Dick by all keyword");
    dlg.DestroyWindow();
}

TEST(PumpPendingMessages, EmptiesTheQueueAndReturnsOne)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "pump", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    for (int i = 0; i < 5; i++)
        ::PostMessage(wnd.m_hWnd, WM_NULL, 0, 0);
    EXPECT_EQ(PumpPendingMessages(), 1);
    MSG msg;
    EXPECT_FALSE(::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) << "message " << msg.message << " left";
    wnd.DestroyWindow();
    PumpPendingMessages();
}

TEST(PumpPendingMessages, AQuitRequestIsPostedAgainAndEndsThePump)
{
    ::PostQuitMessage(7);
    EXPECT_EQ(PumpPendingMessages(), 0);
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request was swallowed";
    EXPECT_EQ(msg.wParam, 0u);
}

TEST(ActiveWindowHelpers, FollowTheWindowsLife)
{
    CWinThread* pApp = AfxGetApp();
    ASSERT_NE(pApp, nullptr);
    CWnd* pOld = pApp->m_pActiveWnd;
    pApp->m_pActiveWnd = NULL;
    EXPECT_FALSE(HasActiveWindow(pApp));
    ShowActiveWindow(pApp, SW_SHOW);   // nothing to show: no fault

    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "active", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    pApp->m_pActiveWnd = &wnd;
    EXPECT_TRUE(HasActiveWindow(pApp));
    ShowActiveWindow(pApp, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(wnd.IsWindowVisible());
    ShowActiveWindow(pApp, SW_HIDE);
    EXPECT_FALSE(wnd.IsWindowVisible());

    HWND hWnd = wnd.m_hWnd;
    ::DestroyWindow(hWnd);   // gone behind the object's back: the handle is stale
    wnd.m_hWnd = hWnd;
    EXPECT_FALSE(HasActiveWindow(pApp));
    wnd.m_hWnd = NULL;
    pApp->m_pActiveWnd = pOld;
    EXPECT_FALSE(HasActiveWindow(NULL));
}

}  // namespace
