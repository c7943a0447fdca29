// What the customize page tests share besides the profile's reading
// (CustomizePageRegistry.h): running a console command (taskkill) and reading
// what it printed, copies of this test program started as further processes,
// and a manager dialog holding the page under test.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>

#include "CustomizePageRegistry.h"
#include "OXCustomizeManager.h"
#include "TestFolder.h"
#include "testsupport.h"

namespace pagetest {

// Runs a command line, waits for its end and gives back its exit code (-1
// when it could not start or did not end in time) and what it printed.
inline int RunCommand(const CString& sCommand, std::string* pOutput = NULL, DWORD dwTimeout = 30000)
{
    SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, TRUE};
    HANDLE hRead = NULL, hWrite = NULL;
    if (!::CreatePipe(&hRead, &hWrite, &sa, 0))
        return -1;
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = hWrite;
    si.hStdError = hWrite;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    CString sLine = sCommand;
    const BOOL bStarted =
        ::CreateProcessA(NULL, sLine.GetBuffer(), NULL, NULL, TRUE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi);
    sLine.ReleaseBuffer();
    ::CloseHandle(hWrite);
    if (!bStarted) {
        ::CloseHandle(hRead);
        return -1;
    }
    std::string output;
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(hRead, buf, sizeof buf, &n, NULL) && n > 0)
        output.append(buf, n);
    ::CloseHandle(hRead);
    DWORD dwExit = (DWORD)-1;
    if (::WaitForSingleObject(pi.hProcess, dwTimeout) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &dwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    if (pOutput != NULL)
        *pOutput = output;
    return (int)dwExit;
}

// A copy of this test program running one test of its own (which reads its
// arguments after kSwitch and writes what it has to say to a log file).
const char kSwitch[] = "--oxpage-child=";

class CChild
{
public:
    CChild(LPCSTR pszTest, const CString& sArgs, const CString& sLog) : m_sLog(sLog)
    {
        char exe[MAX_PATH];
        ::GetModuleFileNameA(NULL, exe, MAX_PATH);
        CString cmd;
        cmd.Format("\"%s\" --gtest_filter=%s %s%s|%s", exe, pszTest, kSwitch, (LPCSTR)sArgs, (LPCSTR)sLog);
        STARTUPINFOA si = {sizeof si};
        if (::CreateProcessA(NULL, cmd.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
            ::CloseHandle(m_pi.hThread);
        cmd.ReleaseBuffer();
    }
    ~CChild()
    {
        if (m_pi.hProcess) {
            ::TerminateProcess(m_pi.hProcess, 1);
            ::WaitForSingleObject(m_pi.hProcess, 5000);
            ::CloseHandle(m_pi.hProcess);
        }
    }
    DWORD Id() const { return m_pi.dwProcessId; }
    std::string Log() const { return ReadFileBytes(m_sLog); }
    bool Said(const std::string& s) const { return Log().find(s) != std::string::npos; }
    bool Ended(DWORD ms) const { return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, ms) == WAIT_OBJECT_0; }

private:
    PROCESS_INFORMATION m_pi = {};
    CString m_sLog;
};

// In a started copy: its arguments and its log; FALSE when this process is
// not a started copy.
inline bool ChildArgs(std::string& args, std::string& log)
{
    const char* p = strstr(::GetCommandLineA(), kSwitch);
    if (p == NULL)
        return false;
    std::string all(p + strlen(kSwitch));
    all = all.substr(0, all.find(' '));
    const size_t bar = all.find('|');
    args = all.substr(0, bar);
    log = bar == std::string::npos ? "" : all.substr(bar + 1);
    return true;
}

inline void AppendLog(const std::string& log, const std::string& line)
{
    if (FILE* f = fopen(log.c_str(), "ab")) {
        fputs(line.c_str(), f);
        fclose(f);
    }
}

// A manager dialog holding one page; the page object belongs to the test.
class CPageManager : public COXCustomizeManager
{
public:
    explicit CPageManager(COXCustomizePage* pPage) { RegisterPage(pPage, 1); }
    ~CPageManager()
    {
        if (::IsWindow(m_hWnd))
            DestroyWindow();
    }
    bool OpenOn(COXCustomizePage* pPage)
    {
        if (!Open(NULL))
            return false;
        PumpMessagesFor(0);
        return GetActivePage() == pPage && ::IsWindow(pPage->GetSafeHwnd());
    }
    void Press(UINT nID)
    {
        CWnd* pButton = GetDlgItem(nID);
        SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)pButton->GetSafeHwnd());
    }
};

// Clicks a button of a page as the page hears it.
inline void PressPageButton(CWnd* pPage, UINT nID)
{
    CWnd* pButton = pPage->GetDlgItem(nID);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)pButton->GetSafeHwnd());
}

} // namespace pagetest
