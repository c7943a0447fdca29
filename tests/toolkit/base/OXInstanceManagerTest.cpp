// The instance manager across real processes of one Wine prefix: this test
// program starts copies of itself as further instances of a named program.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "OXInstanceManager.h"
#include "TestFolder.h"
#include "testsupport.h"

namespace {

const char kChildSwitch[] = "--oxinstance-child=";

// Notices an instance's main window received, in order.
std::vector<std::pair<UINT, DWORD>> g_notices;
std::string g_childLog;   // set in a started copy only

// Opened and closed for each line: the test reads the file while the copy runs.
void AppendChildLog(const std::string& line)
{
    if (FILE* f = fopen(g_childLog.c_str(), "a")) {
        fputs(line.c_str(), f);
        fclose(f);
    }
}

LRESULT CALLBACK InstanceWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INSTANCE_ADDED || message == WM_INSTANCE_REMOVED) {
        g_notices.push_back({message, (DWORD)lParam});
        if (!g_childLog.empty())
            AppendChildLog((message == WM_INSTANCE_ADDED ? "A " : "R ") + std::to_string((DWORD)lParam) + "\n");
        return 0;
    }
    if (message == WM_DESTROY && !g_childLog.empty())
        ::PostQuitMessage(0);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND CreateMainWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = InstanceWndProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "OXInstanceTestMain";
    ::RegisterClassA(&wc);
    return ::CreateWindowExA(0, wc.lpszClassName, "instance", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                             NULL, NULL, wc.hInstance, NULL);
}

// Runs only in a copy started by the test below: an instance with a main
// window that logs its notices and ends when its window is closed.
TEST(OXInstanceManagerChild, Run)
{
    const char* p = strstr(::GetCommandLineA(), kChildSwitch);
    if (p == NULL)
        GTEST_SKIP() << "started by the instance test only";
    std::string args(p + strlen(kChildSwitch));
    args = args.substr(0, args.find(' '));
    size_t bar = args.find('|');
    std::string name = args.substr(0, bar), log = args.substr(bar + 1);
    g_childLog = log;
    HWND hWnd = CreateMainWindow();
    COXInstanceManager manager(name.c_str());
    AppendChildLog("up\n");
    MSG msg;
    while (::GetMessageA(&msg, NULL, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    (void)hWnd;
}

class CChild
{
public:
    CChild(const CString& name, const CString& log)
    {
        char exe[MAX_PATH];
        ::GetModuleFileNameA(NULL, exe, MAX_PATH);
        CString cmd;
        cmd.Format("\"%s\" --gtest_filter=OXInstanceManagerChild.Run %s%s|%s", exe, kChildSwitch, (LPCSTR)name,
                   (LPCSTR)log);
        STARTUPINFOA si = {sizeof si};
        si.dwFlags = STARTF_USESTDHANDLES;
        m_log = log;
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
    bool Up() const { return ReadFileBytes(m_log).find("up") == 0; }
    bool Ended(DWORD ms) const { return ::WaitForSingleObject(m_pi.hProcess, ms) == WAIT_OBJECT_0; }
    void Kill() { ::TerminateProcess(m_pi.hProcess, 9); ::WaitForSingleObject(m_pi.hProcess, 5000); }
    std::string Log() const { return ReadFileBytes(m_log); }

private:
    PROCESS_INFORMATION m_pi = {};
    CString m_log;
};

bool Received(UINT message, DWORD pid)
{
    for (const auto& n : g_notices)
        if (n.first == message && n.second == pid)
            return true;
    return false;
}

TEST(OXInstanceManager, ThreeProcessesCountNoticeCloseAndOutliveAKilledOne)
{
    CString name;
    name.Format("PellucorInstanceTest%lu", ::GetCurrentProcessId());
    CTestFolder folder;
    HWND hMain = CreateMainWindow();
    ASSERT_NE(hMain, nullptr);
    g_notices.clear();
    COXInstanceManager* pManager = new COXInstanceManager(name);
    const DWORD self = ::GetCurrentProcessId();
    EXPECT_EQ(pManager->GetInstanceCount(), 1);
    EXPECT_EQ(pManager->GetMaxAllowedInstances(), 1);
    EXPECT_FALSE(pManager->IsAnotherInstanceRunning());
    EXPECT_FALSE(pManager->CheckMaxAllowedInstances(FALSE));

    CChild first(name, folder.File("first.log"));
    ASSERT_TRUE(PumpUntil([&] { return first.Up() && pManager->GetInstanceCount() == 2; }, 20000));
    CChild second(name, folder.File("second.log"));
    ASSERT_TRUE(PumpUntil([&] { return second.Up() && pManager->GetInstanceCount() == 3; }, 20000));
    EXPECT_TRUE(PumpUntil(
        [&] { return Received(WM_INSTANCE_ADDED, first.Id()) && Received(WM_INSTANCE_ADDED, second.Id()); }, kWaitMs));
    EXPECT_TRUE(pManager->IsAnotherInstanceRunning());
    EXPECT_TRUE(pManager->CheckMaxAllowedInstances(FALSE));
    CDWordArray ids;
    ASSERT_TRUE(pManager->GetInstanceList(ids));
    ASSERT_EQ(ids.GetSize(), 3);
    EXPECT_EQ(ids[0], self);
    EXPECT_EQ(ids[1], first.Id());
    EXPECT_EQ(ids[2], second.Id());

    // A copy that dies without a word is dropped; the others stay.
    second.Kill();
    EXPECT_EQ(pManager->GetInstanceCount(), 2);
    EXPECT_TRUE(PumpUntil([&] { return Received(WM_INSTANCE_REMOVED, second.Id()); }, kWaitMs));

    // Allowing one: the two newest other copies are closed, this one stays.
    CChild third(name, folder.File("third.log"));
    ASSERT_TRUE(PumpUntil([&] { return third.Up() && pManager->GetInstanceCount() == 3; }, 20000));
    ASSERT_TRUE(pManager->SetMaxAllowedInstances(1, TRUE));
    EXPECT_TRUE(first.Ended(20000));
    EXPECT_TRUE(third.Ended(20000));
    EXPECT_EQ(pManager->GetInstanceCount(), 1);
    EXPECT_TRUE(::IsWindow(hMain));
    EXPECT_TRUE(PumpUntil(
        [&] { return Received(WM_INSTANCE_REMOVED, first.Id()) && Received(WM_INSTANCE_REMOVED, third.Id()); },
        kWaitMs));

    // The first copy heard of the second's coming and of its end.
    std::string log = first.Log();
    EXPECT_NE(log.find("A " + std::to_string(second.Id())), std::string::npos) << log;
    EXPECT_NE(log.find("R " + std::to_string(second.Id())), std::string::npos) << log;

    delete pManager;
    ::DestroyWindow(hMain);
}

TEST(OXInstanceManager, AdditionalDataIsSharedBetweenManagersOfOneName)
{
    SYSTEM_INFO si;
    ::GetSystemInfo(&si);
    CString name;
    name.Format("PellucorInstanceData%lu", ::GetCurrentProcessId());
    COXInstanceManager first(name, si.dwAllocationGranularity);
    EXPECT_EQ(first.GetAdditionalDataSize(), si.dwAllocationGranularity);
    char* p = (char*)first.MapAdditionalData();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(first.MapAdditionalData(), p);   // mapping twice keeps the first view
    strcpy(p, "shared");
    COXInstanceManager second(name, si.dwAllocationGranularity);
    EXPECT_EQ(second.GetInstanceCount(), 2);   // each manager registers the process
    const char* q = (const char*)second.MapAdditionalData();
    ASSERT_NE(q, nullptr);
    EXPECT_STREQ(q, "shared");

    COXInstanceManager listOnly(name + "Plain", 0);
    EXPECT_EQ(listOnly.MapAdditionalData(), nullptr);
    EXPECT_EQ(listOnly.GetInstanceCount(), 1);
}

} // namespace
