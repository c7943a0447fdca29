// What the customize page tests share: running a console command (reg,
// taskkill) and reading what it printed, copies of this test program started
// as further processes, the profile sections of the test application, and a
// manager dialog holding the page under test.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>

#include "OXCustomizeManager.h"
#include "TestFolder.h"
#include "testsupport.h"

namespace pagetest {

// The test application's profile key (tests/support/main.cpp).
inline CString ProfileKey(LPCSTR pszSection)
{
    return CString("Software\\Pellucor Test\\PellucorTests\\") + pszSection;
}

inline void DeleteSection(LPCSTR pszSection)
{
    ::RegDeleteKeyA(HKEY_CURRENT_USER, ProfileKey(pszSection));
}

// The number of values in a section (0 when it does not exist).
inline int RegValueCount(LPCSTR pszSection)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyA(HKEY_CURRENT_USER, ProfileKey(pszSection), &hKey) != ERROR_SUCCESS)
        return 0;
    DWORD nValues = 0;
    ::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &nValues, NULL, NULL, NULL, NULL);
    ::RegCloseKey(hKey);
    return (int)nValues;
}

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

// "reg query" of a profile section, as a user would check it.
inline std::string RegQuery(LPCSTR pszSection)
{
    std::string output;
    RunCommand(CString("reg.exe query \"HKCU\\") + ProfileKey(pszSection) + "\"", &output);
    return output;
}

// The line of a value in "reg query" output, with its spaces squeezed to
// one: "ConvertCommonToCool REG_DWORD 0x1", or "" when it is not there.
inline std::string RegValueLine(const std::string& output, const std::string& name)
{
    size_t pos = 0;
    while (pos < output.size()) {
        size_t end = output.find('\n', pos);
        if (end == std::string::npos)
            end = output.size();
        std::string line;
        for (size_t i = pos; i < end; i++) {
            const char c = output[i];
            if (c == '\r')
                continue;
            if (c == ' ' || c == '\t') {
                if (!line.empty() && line.back() != ' ')
                    line += ' ';
            } else {
                line += c;
            }
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (line.compare(0, name.size() + 1, name + " ") == 0)
            return line;
        pos = end + 1;
    }
    return "";
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
