// OK on the intelli-mouse, splash window and tray icon pages, then a real
// restart: a second run of this program, set up with other arguments, comes
// up with what the first run chose.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>

#include "CustomizePageRegistry.h"
#include "OXCustomizeIntelliMousePage.h"
#include "OXCustomizeManager.h"
#include "OXCustomizeSplashWindowPage.h"
#include "OXCustomizeTrayIconPage.h"
#include "TestFolder.h"
#include "customize_test_res.h"
#include "testsupport.h"

namespace {

const char* const kChildSwitch = "--pages-restart-log=";
const char* const kIntelliMouse = "RestartIntelliMouse";
const char* const kSplash = "RestartSplash";
const char* const kTray = "RestartTray";

// Sets the three pages up as a program does at its start, with arguments
// other than what the test chooses, and says what came up.
std::string StartPages()
{
    CWnd wnd;
    wnd.CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), NULL, 0);
    COXCustomizeIntelliMousePage intelliMouse;
    COXCustomizeSplashWindowPage splash;
    COXCustomizeTrayIconPage tray;
    intelliMouse.InitializeIntelliMouse(TRUE, WM_MBUTTONDOWN, 0, FALSE, kIntelliMouse);
    splash.InitializeSplashWindow(IDB_OX_CUSTOMIZE_SPLASH, FALSE, -1, FALSE, CLR_NONE, NULL, 0, kSplash);
    tray.InitializeTrayIcon(::LoadIcon(NULL, IDI_APPLICATION), IDR_CT_TRAY, "first run", TRUE, TRUE, NULL, kTray);
    // A window met after the set-up gets its handler on its first message.
    wnd.PostMessage(WM_NULL);
    PumpMessagesFor(0);
    CString sTip;
    tray.GetTaskbarIcon().GetTooltipText(sTip);
    CString s;
    s.Format("event=%u keys=%lu splash=%d timeout=%d tip=%s right=%d shown=%d",
             intelliMouse.GetOrganizer().GetAttachedStartEvent(&wnd),
             (unsigned long)intelliMouse.GetOrganizer().GetAttachedKeyState(&wnd),
             ::IsWindow(splash.GetSplashWnd().GetSafeHwnd()) ? 1 : 0, splash.GetSplashWnd().GetTimeout(),
             (LPCTSTR)sTip, tray.IsUsingRightClick(), tray.GetTaskbarIcon().IsShowing());
    wnd.DestroyWindow();
    return (LPCTSTR)s;
}

// Runs only in the second run started by the test below.
TEST(CustomizePagesRestartChild, Report)
{
    const char* p = strstr(::GetCommandLineA(), kChildSwitch);
    if (p == NULL)
        GTEST_SKIP() << "started by the restart test only";
    std::string sLog(p + strlen(kChildSwitch));
    sLog = sLog.substr(0, sLog.find(' '));
    std::string sReport = StartPages();
    CFile file(sLog.c_str(), CFile::modeCreate | CFile::modeWrite);
    file.Write(sReport.data(), (UINT)sReport.size());
}

std::string RunAgain(const CString& sLog)
{
    char szExe[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
    CString sCommand;
    sCommand.Format("\"%s\" --gtest_filter=CustomizePagesRestartChild.Report %s%s", szExe, kChildSwitch,
                    (LPCTSTR)sLog);
    // The second run's own test output is not this run's.
    STARTUPINFOA si = {sizeof(si)};
    si.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(NULL, sCommand.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return "not started";
    sCommand.ReleaseBuffer();
    ::CloseHandle(pi.hThread);
    DWORD dwWait = ::WaitForSingleObject(pi.hProcess, 60000);
    if (dwWait != WAIT_OBJECT_0)
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hProcess);
    if (dwWait != WAIT_OBJECT_0)
        return "did not end";
    CFile file;
    if (!file.Open(sLog, CFile::modeRead))
        return "no report";
    std::string s((size_t)file.GetLength(), '\0');
    file.Read(&s[0], (UINT)s.size());
    return s;
}

class CustomizePagesRestart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* s : {kIntelliMouse, kSplash, kTray})
            DeleteProfileSection(s);
    }
    void TearDown() override { SetUp(); }
};

TEST_F(CustomizePagesRestart, WhatOkStoredIsWhatTheNextRunSets)
{
    // Before any choice, the next run comes up as its arguments say.
    CTestFolder folder;
    EXPECT_EQ(RunAgain(folder.File("first.txt")),
              "event=519 keys=0 splash=0 timeout=-1 tip=first run right=1 shown=1");

    {
        COXCustomizeIntelliMousePage intelliMouse;
        COXCustomizeSplashWindowPage splash;
        COXCustomizeTrayIconPage tray;
        intelliMouse.InitializeIntelliMouse(TRUE, WM_MBUTTONDOWN, 0, FALSE, kIntelliMouse);
        splash.InitializeSplashWindow(IDB_OX_CUSTOMIZE_SPLASH, FALSE, -1, FALSE, CLR_NONE, NULL, 0, kSplash);
        tray.InitializeTrayIcon(::LoadIcon(NULL, IDI_APPLICATION), IDR_CT_TRAY, "first run", TRUE, TRUE, NULL, kTray);
        COXCustomizeManager manager;
        manager.RegisterPage(&intelliMouse, 1);
        manager.RegisterPage(&splash, 2);
        manager.RegisterPage(&tray, 3);
        ASSERT_TRUE(manager.Open(NULL));

        ASSERT_TRUE(manager.ActivatePage(&intelliMouse));
        intelliMouse.GetDlgItem(IDC_OX_IMP_START_EVENT)->SendMessage(CB_SETCURSEL, 5);
        intelliMouse.GetDlgItem(IDC_OX_IMP_ALT)->SendMessage(BM_CLICK);
        ASSERT_TRUE(manager.ActivatePage(&splash));
        splash.GetDlgItem(IDC_OX_SPP_DISPLAY)->SendMessage(BM_CLICK);
        splash.GetDlgItem(IDC_OX_SPP_SHOW_FOR)->SendMessage(BM_CLICK);
        splash.SetDlgItemInt(IDC_OX_SPP_DELAY, 1234);
        ASSERT_TRUE(manager.ActivatePage(&tray));
        tray.SetDlgItemText(IDC_OX_TRP_TOOLTIP, "chosen");
        tray.GetDlgItem(IDC_OX_TRP_LEFT_BUTTON)->SendMessage(BM_CLICK);

        manager.SendMessage(WM_COMMAND, IDOK, (LPARAM)manager.GetDlgItem(IDOK)->GetSafeHwnd());
        ASSERT_FALSE(::IsWindow(manager.GetSafeHwnd()));
    }
    EXPECT_EQ(RunAgain(folder.File("second.txt")),
              "event=517 keys=4 splash=1 timeout=1234 tip=chosen right=0 shown=1");
}

}   // namespace
