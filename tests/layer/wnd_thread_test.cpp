// Threads: AfxBeginThread by runtime class (suspended, auto-delete), thread
// message maps, and threads whose code throws ending cleanly.
#include "wnd_test.h"

#include <atomic>
#include <mutex>

namespace {

const UINT WM_THREAD_HELLO = WM_APP + 40;
const UINT WM_THREAD_PING = WM_APP + 41;

// Receives what worker threads post.
class CReceiverWnd : public CWnd
{
public:
    std::vector<std::pair<WPARAM, LPARAM>> m_received;

protected:
    afx_msg LRESULT OnHello(WPARAM wParam, LPARAM lParam)
    {
        m_received.emplace_back(wParam, lParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReceiverWnd, CWnd)
    ON_MESSAGE(WM_THREAD_HELLO, &CReceiverWnd::OnHello)
END_MESSAGE_MAP()

HWND g_hReceiver = NULL;
std::atomic<int> g_nDestroyed(0);
std::atomic<int> g_nExitInstance(0);

// Posts its id to the receiver from InitInstance and ends (no loop).
class CPostingThread : public CWinThread
{
    DECLARE_DYNCREATE(CPostingThread)
public:
    ~CPostingThread() override { g_nDestroyed++; }
    BOOL InitInstance() override
    {
        ::PostMessage(g_hReceiver, WM_THREAD_HELLO, m_nThreadID, AfxGetThread() == this);
        return FALSE;
    }
    int ExitInstance() override
    {
        g_nExitInstance++;
        return CWinThread::ExitInstance();
    }
};
IMPLEMENT_DYNCREATE(CPostingThread, CWinThread)

// Runs a message loop; answers a thread message, then quits.
class CLoopThread : public CWinThread
{
    DECLARE_DYNCREATE(CLoopThread)
public:
    ~CLoopThread() override { g_nDestroyed++; }
    BOOL InitInstance() override { return TRUE; }
    int ExitInstance() override
    {
        g_nExitInstance++;
        return 5;
    }

protected:
    afx_msg void OnPing(WPARAM wParam, LPARAM)
    {
        ::PostMessage(g_hReceiver, WM_THREAD_HELLO, wParam * 2, 0);
        ::PostQuitMessage(0);
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CLoopThread, CWinThread)

BEGIN_MESSAGE_MAP(CLoopThread, CWinThread)
    ON_THREAD_MESSAGE(WM_THREAD_PING, &CLoopThread::OnPing)
END_MESSAGE_MAP()

// What escapes Run or InitInstance.
class CThrowingThread : public CWinThread
{
    DECLARE_DYNCREATE(CThrowingThread)
public:
    static int s_nMode;   // 0: Run throws a CString, 1: InitInstance a CException, 2: Run a std::exception
    ~CThrowingThread() override { g_nDestroyed++; }
    BOOL InitInstance() override
    {
        if (s_nMode == 1)
            AfxThrowMemoryException();
        return TRUE;
    }
    int Run() override
    {
        if (s_nMode == 2)
            throw std::logic_error("worker logic error");
        throw CString("worker failed: no network");
    }
    int ExitInstance() override
    {
        g_nExitInstance++;
        return 0;
    }
};
IMPLEMENT_DYNCREATE(CThrowingThread, CWinThread)
int CThrowingThread::s_nMode = 0;

std::mutex g_logLock;
std::vector<std::string> g_loggedExceptions;

void AFXAPI CollectException(LPCTSTR lpszText)
{
    std::lock_guard<std::mutex> lock(g_logLock);
    g_loggedExceptions.push_back(lpszText);
}

class WndThreadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateTopLevel(m_receiver, "receiver"));
        g_hReceiver = m_receiver.m_hWnd;
        g_nDestroyed = 0;
        g_nExitInstance = 0;
        g_loggedExceptions.clear();
        m_pfnOldHook = AfxSetExceptionLogHook(CollectException);
    }
    void TearDown() override
    {
        AfxSetExceptionLogHook(m_pfnOldHook);
        m_receiver.DestroyWindow();
        g_hReceiver = NULL;
    }

    // A handle of our own: the thread closes its own when it deletes itself.
    static HANDLE DupHandle(CWinThread* pThread)
    {
        HANDLE h = NULL;
        ::DuplicateHandle(::GetCurrentProcess(), pThread->m_hThread, ::GetCurrentProcess(), &h,
                          SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, 0);
        return h;
    }

    CReceiverWnd m_receiver;
    AFX_EXCEPTION_LOG_HOOK m_pfnOldHook = NULL;
};

TEST_F(WndThreadTest, SuspendedThreadByRuntimeClassPostsAndDeletesItself)
{
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CPostingThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, (CWinThread*)NULL);
    EXPECT_TRUE(pThread->IsKindOf(RUNTIME_CLASS(CPostingThread)));
    ASSERT_NE(pThread->m_hThread, (HANDLE)NULL);
    DWORD nThreadID = pThread->m_nThreadID;
    EXPECT_NE(nThreadID, 0u);
    HANDLE hThread = DupHandle(pThread);

    PumpMessagesFor(100);
    EXPECT_TRUE(m_receiver.m_received.empty()) << "a suspended thread ran";

    pThread->ResumeThread();   // the object may be gone once this returns
    ASSERT_TRUE(PumpUntil([&] { return !m_receiver.m_received.empty(); }, kWaitMs));
    ASSERT_EQ(::WaitForSingleObject(hThread, kWaitMs), WAIT_OBJECT_0);
    ::CloseHandle(hThread);
    EXPECT_EQ(m_receiver.m_received[0].first, (WPARAM)nThreadID);
    EXPECT_EQ(m_receiver.m_received[0].second, 1) << "AfxGetThread() is the thread object";
    EXPECT_EQ(g_nExitInstance, 1);
    EXPECT_EQ(g_nDestroyed, 1) << "the auto-delete thread object was not deleted";
}

TEST_F(WndThreadTest, ThreadMessageMapRunsInTheThreadsLoop)
{
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CLoopThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, (CWinThread*)NULL);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    // the queue exists once the thread has run: retry the post until it does
    ASSERT_TRUE(PumpUntil([&] { return pThread->PostThreadMessage(WM_THREAD_PING, 21, 0) != FALSE; }, kWaitMs));
    ASSERT_TRUE(PumpUntil([&] { return !m_receiver.m_received.empty(); }, kWaitMs));
    EXPECT_EQ(m_receiver.m_received[0].first, 42u);
    ASSERT_EQ(::WaitForSingleObject(pThread->m_hThread, kWaitMs), WAIT_OBJECT_0);
    DWORD dwExit = 0;
    ::GetExitCodeThread(pThread->m_hThread, &dwExit);
    EXPECT_EQ(dwExit, 5u) << "Run returns ExitInstance's code";
    EXPECT_EQ(g_nDestroyed, 0);
    delete pThread;
    EXPECT_EQ(g_nDestroyed, 1);
}

TEST_F(WndThreadTest, ThreadWhoseCodeThrowsEndsCleanly)
{
    struct Case { int nMode; const char* logged; } cases[] = {
        { 0, "worker failed: no network" },
        { 1, "" },   // a CException: its own message
        { 2, "worker logic error" },
    };
    for (const Case& c : cases) {
        g_nDestroyed = 0;
        g_nExitInstance = 0;
        g_loggedExceptions.clear();
        CThrowingThread::s_nMode = c.nMode;
        CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CThrowingThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(pThread, (CWinThread*)NULL);
        HANDLE hThread = DupHandle(pThread);
        pThread->ResumeThread();
        ASSERT_EQ(::WaitForSingleObject(hThread, kWaitMs), WAIT_OBJECT_0) << c.nMode;
        DWORD dwExit = 0;
        ::GetExitCodeThread(hThread, &dwExit);
        ::CloseHandle(hThread);
        EXPECT_EQ(dwExit, (DWORD)-1) << c.nMode;
        EXPECT_EQ(g_nExitInstance, 1) << c.nMode;
        EXPECT_EQ(g_nDestroyed, 1) << c.nMode;
        std::lock_guard<std::mutex> lock(g_logLock);
        ASSERT_EQ(g_loggedExceptions.size(), 1u) << c.nMode;
        if (*c.logged) {
            EXPECT_EQ(g_loggedExceptions[0], c.logged);
        } else {
            EXPECT_FALSE(g_loggedExceptions[0].empty());
        }
    }
}

UINT AFX_CDECL WorkerProc(LPVOID pParam)
{
    ::PostMessage(g_hReceiver, WM_THREAD_HELLO, (WPARAM)(UINT_PTR)pParam, 0);
    return 9;
}

TEST_F(WndThreadTest, WorkerFunctionThread)
{
    CWinThread* pThread = AfxBeginThread(WorkerProc, (LPVOID)(UINT_PTR)77, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, (CWinThread*)NULL);
    pThread->m_bAutoDelete = FALSE;
    EXPECT_EQ(pThread->GetThreadPriority(), THREAD_PRIORITY_BELOW_NORMAL);
    pThread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(pThread->m_hThread, kWaitMs), WAIT_OBJECT_0);
    DWORD dwExit = 0;
    ::GetExitCodeThread(pThread->m_hThread, &dwExit);
    EXPECT_EQ(dwExit, 9u);
    ASSERT_TRUE(PumpUntil([&] { return !m_receiver.m_received.empty(); }, kWaitMs));
    EXPECT_EQ(m_receiver.m_received[0].first, 77u);
    delete pThread;
}

}  // namespace
