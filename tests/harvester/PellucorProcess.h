// The built Pellucor.exe started as a process of its own, with a fresh
// profile and the statistics service of its test, and driven from outside
// through its windows with real messages, as another program (or a user's
// tools) would drive it: the fixture the whole-program tests share.
#pragma once

#include "StatisticsService.h"
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "TestFolder.h"
#include "resource.h"
#include "testsupport.h"

#ifndef PELLUCOR_EXE_PATH
#error "PELLUCOR_EXE_PATH names the built program"
#endif

namespace {

const char szProfileKey[] = "Software\\Dunmorrow\\Pellucor";
const UINT nViewId = 0xE900;           // the frame's first pane
const UINT nSplashStatusId = 1018;     // the splash's "Loading (N%)..." static
const UINT nTipTextId = 1020;          // the tip of the day's text
const UINT nTipStartUpId = 1003;       // the tip of the day's "show at start-up" box
// The full-screen frame reaches this far past every edge of the screen, so
// that its borders are out of sight.
const int nFullScreenOverhang = 4;
// What the program registers for its documents.
const char szDocumentExtension[] = ".VLQA";
const char szDocumentType[] = "VLQB.Document";

// The build names the program by its Unix path; Wine's drive Z: is the root.
std::string ProgramPath()
{
    std::string s = PELLUCOR_EXE_PATH;
    if (!s.empty() && s[0] == '/') {
        std::replace(s.begin(), s.end(), '/', '\\');
        s = "Z:" + s;
    }
    return s;
}

std::string ProgramFolder()
{
    std::string s = ProgramPath();
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string ClassOf(HWND hwnd)
{
    char sz[256] = "";
    GetClassNameA(hwnd, sz, sizeof sz);
    return sz;
}

const char szNoAnswer[] = "<no answer>";

// WM_GETTEXT across processes (the system carries the text back).
std::string RemoteText(HWND hwnd)
{
    char sz[4096] = "";
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof sz, (LPARAM)sz, SMTO_ABORTIFHUNG, 2000, &result))
        return szNoAnswer;
    return sz;
}

// The class and text of each window, for failure messages.
std::string Describe(const std::vector<HWND>& windows)
{
    std::string s;
    for (HWND hwnd : windows)
        s += "[" + ClassOf(hwnd) + " \"" + RemoteText(hwnd) + "\"] ";
    return s;
}

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return (LRESULT)result;
}

// A block of memory in the other process, for the messages whose pointers
// the system does not carry across (the list view's).
class CRemoteBlock
{
public:
    CRemoteBlock(HANDLE hProcess, size_t nSize) : m_hProcess(hProcess)
    {
        m_p = VirtualAllocEx(hProcess, nullptr, nSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~CRemoteBlock()
    {
        if (m_p)
            VirtualFreeEx(m_hProcess, m_p, 0, MEM_RELEASE);
    }
    CRemoteBlock(const CRemoteBlock&) = delete;
    CRemoteBlock& operator=(const CRemoteBlock&) = delete;

    char* Address(size_t nOffset = 0) const { return static_cast<char*>(m_p) + nOffset; }
    bool Write(size_t nOffset, const void* pData, size_t n) const
    {
        SIZE_T nDone = 0;
        return WriteProcessMemory(m_hProcess, Address(nOffset), pData, n, &nDone) && nDone == n;
    }
    bool Read(size_t nOffset, void* pData, size_t n) const
    {
        SIZE_T nDone = 0;
        return ReadProcessMemory(m_hProcess, Address(nOffset), pData, n, &nDone) && nDone == n;
    }

private:
    HANDLE m_hProcess;
    void* m_p = nullptr;
};

void WriteProfileDword(const char* pszSection, const char* pszEntry, DWORD n)
{
    std::string sKey = std::string(szProfileKey) + "\\" + pszSection;
    RegSetKeyValueA(HKEY_CURRENT_USER, sKey.c_str(), pszEntry, REG_DWORD, &n, sizeof n);
}

void WriteProfileText(const char* pszSection, const char* pszEntry, const std::string& s)
{
    std::string sKey = std::string(szProfileKey) + "\\" + pszSection;
    RegSetKeyValueA(HKEY_CURRENT_USER, sKey.c_str(), pszEntry, REG_SZ, s.c_str(), (DWORD)s.size() + 1);
}

// A profile value as text ("<none>" when missing); integers in decimal.
std::string ReadProfileValue(const char* pszSection, const char* pszEntry)
{
    std::string sKey = std::string(szProfileKey) + "\\" + pszSection;
    char buf[1024] = "";
    DWORD nType = 0, nSize = sizeof buf - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, sKey.c_str(), pszEntry, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &nType, buf,
                     &nSize) != ERROR_SUCCESS)
        return "<none>";
    if (nType == REG_DWORD)
        return std::to_string(*reinterpret_cast<DWORD*>(buf));
    return buf;
}

// Whether a text ends its last line is the writer's choice.
std::string TrimEnd(std::string s)
{
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n'))
        s.pop_back();
    return s;
}

bool WaitFor(const std::function<bool()>& pred, DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        if (pred())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(5);
    }
}

// The top-level windows of a process.
struct CWindowSearch
{
    DWORD dwProcessId;
    bool bVisibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND hwnd, LPARAM lParam)
{
    CWindowSearch& search = *reinterpret_cast<CWindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search.dwProcessId && (!search.bVisibleOnly || IsWindowVisible(hwnd)))
        search.found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindowsOf(DWORD dwProcessId, bool bVisibleOnly)
{
    CWindowSearch search{dwProcessId, bVisibleOnly, {}};
    EnumWindows(CollectWindowOfProcess, (LPARAM)&search);
    return search.found;
}

class PellucorProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_service.Start()) << m_service.LastError();
        FreshProfile();
        m_sBasketPath = ProgramFolder() + "Basket.txt";
        m_bHadBasket = TestPathExists(m_sBasketPath.c_str());
        if (m_bHadBasket)
            m_sSavedBasket = ReadFileBytes(m_sBasketPath.c_str());
        DeleteFileA(m_sBasketPath.c_str());
    }

    void TearDown() override
    {
        EndProcess();
        m_service.Stop();
        RegDeleteTreeA(HKEY_CURRENT_USER, szProfileKey);
        ForgetDocumentType();
        DeleteFileA(m_sBasketPath.c_str());
        if (m_bHadBasket)
            WriteFileBytes(m_sBasketPath.c_str(), m_sSavedBasket);
    }

    // Nothing but the way to the service, and no tip of the day unless a
    // test asks for it; no document type registered by an earlier run.
    void FreshProfile()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, szProfileKey);
        WriteProfileText("Settings", "StatisticsHost", m_service.Host());
        WriteProfileDword("Tip", "StartUp", 1);
        ForgetDocumentType();
    }

    static void ForgetDocumentType()
    {
        for (const char* pszKey : {szDocumentExtension, szDocumentType}) {
            // the user's part of the classes first, then what the merged view still shows
            RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\Classes\\") + pszKey).c_str());
            RegDeleteTreeA(HKEY_CLASSES_ROOT, pszKey);
        }
    }
    static bool ClassesKeyExists(const char* pszKey)
    {
        HKEY hKey = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }

    // Whatever state the program is in: no box of it left open, closed as a
    // user would close it, and killed only when that fails.
    void EndProcess()
    {
        if (!m_pi.hProcess)
            return;
        if (Running()) {
            for (HWND hDialog : Windows(true))
                if (ClassOf(hDialog) == "#32770")
                    PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
            if (HWND hFrame = MainFrame())
                PostMessageA(hFrame, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(m_pi.hProcess, 5000) == WAIT_TIMEOUT)
                TerminateProcess(m_pi.hProcess, 99);
            WaitForSingleObject(m_pi.hProcess, 5000);
        }
        CloseHandle(m_pi.hThread);
        CloseHandle(m_pi.hProcess);
        m_pi = {};
    }

    // Starts the program in the test's folder (its current directory, where
    // the tip of the day looks for "tips.txt"), or in another one, with an
    // argument or none.
    void Start(const std::string& sArgument = "", const char* pszFolder = nullptr)
    {
        std::string sCommand = "\"" + ProgramPath() + "\"";
        if (!sArgument.empty())
            sCommand += " \"" + sArgument + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        ASSERT_TRUE(CreateProcessRetrying(ProgramPath().c_str(), &sCommand[0], FALSE, 0,
                                          pszFolder ? pszFolder : (LPCSTR)m_folder.Path(), &si, &m_pi))
            << ProgramPath() << ": error " << GetLastError();
    }

    bool Running() const { return WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }

    // The program's top-level windows.
    std::vector<HWND> Windows(bool bVisibleOnly) const { return TopLevelWindowsOf(m_pi.dwProcessId, bVisibleOnly); }

    // The main frame: the top-level window whose view holds the keyword box.
    HWND MainFrame() const
    {
        for (HWND hwnd : Windows(false)) {
            HWND hView = GetDlgItem(hwnd, nViewId);
            if (hView && GetDlgItem(hView, IDC_KEYWORD))
                return hwnd;
        }
        return nullptr;
    }
    HWND View() const { return GetDlgItem(MainFrame(), nViewId); }
    HWND Item(int nID) const { return GetDlgItem(View(), nID); }

    // A visible dialog box of the program that has this control.
    HWND DialogWith(int nID) const
    {
        for (HWND hwnd : Windows(true))
            if (ClassOf(hwnd) == "#32770" && GetDlgItem(hwnd, nID))
                return hwnd;
        return nullptr;
    }

    // Exports the Basket as text: the export command, then the file name given
    // in the save dialog as a user would. FALSE when no save dialog came.
    bool ExportTextTo(HWND hFrame, LPCSTR pszPath)
    {
        PostMessageA(hFrame, WM_COMMAND, MAKEWPARAM(ID_EXPORT_TOTEXTFILE, 0), 0);
        HWND hSave = nullptr;
        if (!WaitFor([&] { return (hSave = DialogWith(cmb13) ? DialogWith(cmb13) : DialogWith(edt1)) != nullptr; },
                     kWaitMs))
            return false;
        HWND hName = GetDlgItem(hSave, cmb13) ? GetDlgItem(hSave, cmb13) : GetDlgItem(hSave, edt1);
        Send(hName, WM_SETTEXT, 0, (LPARAM)pszPath);
        PostMessageA(hSave, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(hSave, IDOK));
        return true;
    }

    // Waits through the splash (recording what its status line showed) until
    // the main frame is there. The frame is found while it is being made:
    // showing it, its menu, full screen and the rest of the start-up come
    // after, so a test waits for the state it looks at (WaitForStartUp).
    HWND WaitForMainFrame()
    {
        HWND hFrame = nullptr;
        WaitFor(
            [&] {
                HWND hSplash = DialogWith(nSplashStatusId);
                if (hSplash) {
                    m_bFrameDuringSplash |= MainFrame() != nullptr;
                    if (m_sSplashCaption.empty())
                        m_sSplashCaption = RemoteText(hSplash);
                    std::string s = RemoteText(GetDlgItem(hSplash, nSplashStatusId));
                    // (a splash closing between the look and the read)
                    if (s == szNoAnswer)
                        return false;
                    if (m_aSplashTexts.empty() || m_aSplashTexts.back() != s)
                        m_aSplashTexts.push_back(s);
                    return false;
                }
                hFrame = MainFrame();
                return hFrame != nullptr || !Running();
            }, kWaitMs);
        return hFrame;
    }

    // Waits until the start-up has brought the frame to the state a test
    // looks at, then makes a round trip through the frame's thread: its
    // start-up steps take no messages in between, so the answer comes from
    // its message loop once they are done, or from a modal box one of them
    // opened (which disables the frame). The state must still hold after.
    bool WaitForStartUp(HWND hFrame, const std::function<bool()>& state)
    {
        if (!WaitFor([&] { return state() || !Running(); }, kWaitMs) || !Running())
            return false;
        Send(hFrame, WM_NULL);
        return state();
    }

    // Ends the program as a user would, and gives its exit code.
    DWORD Close()
    {
        PostMessageA(MainFrame(), WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_pi.hProcess, kWaitMs) != WAIT_OBJECT_0)
            return (DWORD)-1;
        DWORD nCode = 0;
        GetExitCodeProcess(m_pi.hProcess, &nCode);
        return nCode;
    }

    // ---- the result list, in the other process ----
    HWND List() const { return Item(IDC_RESULTS); }
    int RowCount() const { return (int)Send(List(), LVM_GETITEMCOUNT); }
    std::string RowText(int nRow, int nColumn) const
    {
        CRemoteBlock block(m_pi.hProcess, sizeof(LVITEMA) + 1024);
        LVITEMA item = {};
        item.iSubItem = nColumn;
        item.pszText = block.Address(sizeof item);
        item.cchTextMax = 1024;
        char sz[1024] = "";
        if (!block.Write(0, &item, sizeof item) || !block.Write(sizeof item, sz, 1))
            return "<no memory>";
        Send(List(), LVM_GETITEMTEXTA, (WPARAM)nRow, (LPARAM)block.Address());
        block.Read(sizeof item, sz, sizeof sz - 1);
        return sz;
    }
    // The list is a virtual one whose check boxes the view draws from the
    // Basket: a tick is the user's space on the focused row.
    void TickRow(int nRow) const
    {
        CRemoteBlock block(m_pi.hProcess, sizeof(LVITEMA));
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ASSERT_TRUE(block.Write(0, &item, sizeof item));
        Send(List(), LVM_SETITEMSTATE, (WPARAM)nRow, (LPARAM)block.Address());
        PostMessageA(List(), WM_KEYDOWN, VK_SPACE, 0x00390001);
        PostMessageA(List(), WM_KEYUP, VK_SPACE, 0xC0390001);
    }
    bool RowTicked(int nRow) const
    {
        return ((UINT)Send(List(), LVM_GETITEMSTATE, (WPARAM)nRow, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) ==
               INDEXTOSTATEIMAGEMASK(2);
    }

    static std::string Line(const CStatsRow& row) { return row.phrase + " " + std::to_string(row.queries); }

    CStatisticsService m_service;
    CTestFolder m_folder;
    PROCESS_INFORMATION m_pi = {};
    std::string m_sBasketPath;

    // What the splash showed while WaitForMainFrame watched it.
    std::string m_sSplashCaption;
    std::vector<std::string> m_aSplashTexts;
    bool m_bFrameDuringSplash = false;

private:
    bool m_bHadBasket = false;
    std::string m_sSavedBasket;
};

}  // namespace
