// The statistics fetch thread against a loopback HTTP server: the request it
// sends, its ten attempts, what counts as a failed attempt, the buffer limits,
// and the hand-over of the two blocks to a window.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "GetSuggestionThread.h"
#include "HarvestMessages.h"
#include "loopback_http.h"
#include "testsupport.h"

namespace {

struct Received {
  std::string keyword;
  std::string page;
  UINT runId;
  LONG blocksAliveInHandler;
};

std::vector<Received> g_received;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_SUGGESTIONS_FETCHED) {
    LONG alive = GetFetchedBlocksAlive();
    CFetchedPage page(wParam, lParam);
    g_received.push_back({page.GetKeyword(), page.GetPage(), page.GetRunId(), alive});
    return 1;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateReceiver()
{
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PellucorFetchReceiver";
    RegisterClassA(&wc);
    registered = true;
  }
  return CreateWindowExA(0, "PellucorFetchReceiver", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

std::string Repeat(char c, size_t n) { return std::string(n, c); }

class GetSuggestionThreadTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    g_received.clear();
    ASSERT_TRUE(server.Start()) << server.LastError();
    receiver = CreateReceiver();
    ASSERT_NE(receiver, nullptr);
  }
  void TearDown() override
  {
    DestroyWindow(receiver);
    server.Stop();
  }

  // Fetches through Start, as the view does, and waits for the page.
  Received Fetch(const char* keyword, const char* page, UINT runId = 7)
  {
    size_t before = g_received.size();
    EXPECT_NE(CGetSuggestionThread::Start(receiver, runId, keyword, page, server.Host().c_str()), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return g_received.size() > before; }, 60000)) << "no page arrived";
    if (g_received.size() == before) return Received{};
    return g_received.back();
  }

  // Starts a thread configured by hand and waits for its end (not for its
  // message): for the paths where no message arrives.
  void RunToEnd(HWND target, const char* keyword, DWORD receiveTimeout = 0)
  {
    CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(CGetSuggestionThread), THREAD_PRIORITY_NORMAL, 0,
                                        CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    auto* fetch = static_cast<CGetSuggestionThread*>(thread);
    fetch->m_hWndTarget = target;
    fetch->m_nRunId = 3;
    fetch->m_sKeyword = keyword;
    fetch->m_sHost = server.Host().c_str();
    if (receiveTimeout) fetch->m_dwReceiveTimeout = receiveTimeout;
    HANDLE handle = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), fetch->m_hThread, GetCurrentProcess(), &handle, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    fetch->ResumeThread();
    EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0; }, 60000));
    CloseHandle(handle);
  }

  void Serve(CLoopbackResponse response)
  {
    server.SetHandler([response](const CLoopbackRequest&) { return response; });
  }

  CLoopbackHttpServer server;
  HWND receiver = nullptr;
};

TEST_F(GetSuggestionThreadTest, SendsOneGetWithTheAgentAndThePageOffset)
{
  Serve(CLoopbackResponse::Text(200, "<html>page</html>"));
  struct Case {
    const char* keyword;
    const char* page;
    const char* target;
  } cases[] = {
      {"Apple", "", "/stats?&q=apple&sf="},   // the first page: "&sf=" and nothing after it
      {"apple", "3", "/stats?&q=apple&sf=300"},
      {"apple", "12", "/stats?&q=apple&sf=1200"},
  };
  for (const Case& c : cases) {
    server.ClearRequests();
    Received r = Fetch(c.keyword, c.page);
    ASSERT_EQ(server.RequestCount(), 1u) << c.target;
    CLoopbackRequest rq = server.LastRequest();
    EXPECT_EQ(rq.method, "GET");
    EXPECT_EQ(rq.target, c.target);
    EXPECT_EQ(rq.Header("User-Agent"), "Vovived");
    EXPECT_FALSE(rq.HasHeader("Referer"));
    EXPECT_EQ(r.page, "<html>page</html>");
    EXPECT_EQ(r.keyword, "apple");   // lower-cased, as requested
    EXPECT_EQ(r.runId, 7u);
  }
}

TEST_F(GetSuggestionThreadTest, AnEmptyKeywordSendsNothingAndHandsOverAnEmptyPage)
{
  Received r = Fetch("", "");
  EXPECT_EQ(server.RequestCount(), 0u);
  EXPECT_EQ(r.page, "");
  EXPECT_EQ(r.keyword, "");
}

// Every kind of failure is one attempt; ten of them give "<Not Parsed>" after
// exactly ten requests.
TEST_F(GetSuggestionThreadTest, TenFailedAttemptsGiveNotParsed)
{
  struct Case {
    const char* name;
    CLoopbackResponse response;
  } cases[] = {
      {"404", CLoopbackResponse::Text(404, "<html>not here</html>")},
      {"500", CLoopbackResponse::Text(500, "<html>server error</html>")},
      {"503", CLoopbackResponse::Text(503, "<html>busy</html>")},
      {"301 without a location", CLoopbackResponse::Text(301, "<html>moved</html>")},
      {"empty body", CLoopbackResponse::Text(200, "")},
      {"closed without an answer", CLoopbackResponse::NoAnswer()},
  };
  for (const Case& c : cases) {
    Serve(c.response);
    server.ClearRequests();
    Received r = Fetch("apple", "");
    EXPECT_EQ(r.page, "<Not Parsed>") << c.name;
    EXPECT_EQ(server.RequestCount(), 10u) << c.name;
  }
}

TEST_F(GetSuggestionThreadTest, APageOnTheTenthAttemptIsHandedOverUnchanged)
{
  Serve(CLoopbackResponse::Text(200, "<html>\xD1\xEB\xEE\xE2\xE0 late</html>"));
  for (int i = 0; i < 9; ++i) server.ScriptNext(CLoopbackResponse::Text(i % 2 ? 500 : 404, "error page"));
  Received r = Fetch("apple", "");
  EXPECT_EQ(server.RequestCount(), 10u);
  EXPECT_EQ(r.page, "<html>\xD1\xEB\xEE\xE2\xE0 late</html>");
}

// Reads of 1,000 bytes stop once more than 998,000 bytes are stored; the
// chunk that ends the loop is dropped, so at most 999,000 bytes arrive.
TEST_F(GetSuggestionThreadTest, ALongBodyIsCutAtAReadBoundary)
{
  struct Case {
    size_t body;
    size_t kept;
  } cases[] = {
      {998999, 998999},
      {999000, 999000},
      {999001, 999000},
      {1200000, 999000},
  };
  for (const Case& c : cases) {
    Serve(CLoopbackResponse::Text(200, Repeat('x', c.body)));
    Received r = Fetch("apple", "");
    EXPECT_EQ(r.page.size(), c.kept) << c.body;
    EXPECT_EQ(r.page.find_first_not_of('x'), std::string::npos);
  }
}

TEST_F(GetSuggestionThreadTest, ANulByteCutsThePage)
{
  Serve(CLoopbackResponse::Text(200, std::string("<html>row\0after</html>", 22)));
  EXPECT_EQ(Fetch("apple", "").page, "<html>row");
}

// One fetcher takes the pages of a run one after another, in the order they
// were asked for, and ends by itself once none is asked for a while.
TEST_F(GetSuggestionThreadTest, OneFetcherTakesThePagesInTurnAndEndsWhenIdle)
{
  server.SetHandler([](const CLoopbackRequest& rq) {
    return CLoopbackResponse::Text(200, "<html>" + rq.Query("sf") + "</html>");
  });
  CGetSuggestionThread* first = CGetSuggestionThread::Start(receiver, 1, "apple", "", server.Host().c_str());
  ASSERT_NE(first, nullptr);
  HANDLE handle = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), first->m_hThread, GetCurrentProcess(), &handle, 0, FALSE,
                              DUPLICATE_SAME_ACCESS));
  for (const char* page : {"1", "2", "3"})
    EXPECT_EQ(CGetSuggestionThread::Start(receiver, 1, "apple", page, server.Host().c_str()), first);
  ASSERT_TRUE(PumpUntil([&] { return g_received.size() >= 4; }, 60000));
  ASSERT_EQ(g_received.size(), 4u);
  EXPECT_EQ(g_received[0].page, "<html></html>");
  EXPECT_EQ(g_received[1].page, "<html>100</html>");
  EXPECT_EQ(g_received[3].page, "<html>300</html>");
  EXPECT_EQ(WaitForSingleObject(handle, 0), (DWORD)WAIT_TIMEOUT) << "the fetcher ended with pages still to come";
  EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0; }, nFetcherIdleMs + 5000))
      << "the fetcher did not end when idle";
  CloseHandle(handle);
  // The next page starts a new fetcher.
  Received r = Fetch("apple", "4");
  EXPECT_EQ(r.page, "<html>400</html>");
}

// An answer slower than the receive time-out is a failed attempt, and the
// next attempt follows.
TEST_F(GetSuggestionThreadTest, AnAnswerSlowerThanTheTimeOutIsAFailedAttempt)
{
  Serve(CLoopbackResponse::Text(200, "<html>in time</html>"));
  server.ScriptNext(CLoopbackResponse::Slow(5000, CLoopbackResponse::Text(200, "<html>too late</html>")));
  DWORD start = GetTickCount();
  RunToEnd(receiver, "apple", 500);
  PumpMessagesFor(50);
  EXPECT_LT(GetTickCount() - start, 4000u);
  EXPECT_EQ(server.RequestCount(), 2u);
  ASSERT_EQ(g_received.size(), 1u);
  EXPECT_EQ(g_received[0].page, "<html>in time</html>");
}

// The receiver owns both blocks: they are alive while it handles the message
// and gone once it has.
TEST_F(GetSuggestionThreadTest, TheReceiverFreesBothBlocks)
{
  Serve(CLoopbackResponse::Text(200, "<html>page</html>"));
  LONG before = GetFetchedBlocksAlive();
  Received r = Fetch("Apple", "", 42);
  EXPECT_EQ(r.blocksAliveInHandler, before + 2);
  EXPECT_EQ(r.runId, 42u);
  EXPECT_EQ(GetFetchedBlocksAlive(), before);
}

// A view that went away while its page was fetched: the post fails and the
// thread frees both blocks itself.
TEST_F(GetSuggestionThreadTest, AFailedPostFreesBothBlocks)
{
  Serve(CLoopbackResponse::Text(200, "<html>page</html>"));
  HWND gone = CreateReceiver();
  DestroyWindow(gone);
  LONG before = GetFetchedBlocksAlive();
  for (HWND target : {gone, (HWND) nullptr}) {
    server.ClearRequests();
    RunToEnd(target, "apple");
    EXPECT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(GetFetchedBlocksAlive(), before);
  }
  PumpMessagesFor(50);
  EXPECT_TRUE(g_received.empty());
}

TEST(FetchedPageTest, ReadsTheKeywordTheRunIdAndThePage)
{
  LONG before = GetFetchedBlocksAlive();
  {
    CFetchedPage page((WPARAM)AllocFetchedKeywordBlock("apple", 0x01020304),
                      (LPARAM)AllocFetchedTextBlock("<html>"));
    EXPECT_STREQ(page.GetKeyword(), "apple");
    EXPECT_EQ(page.GetRunId(), 0x01020304u);
    EXPECT_STREQ(page.GetPage(), "<html>");
    EXPECT_EQ(GetFetchedBlocksAlive(), before + 2);
  }
  EXPECT_EQ(GetFetchedBlocksAlive(), before);
}

TEST(GetSuggestionThreadUrlTest, BuildsTheRequestOnTheConfiguredHost)
{
  EXPECT_EQ(CString(CGetSuggestionThread::BuildUrl("127.0.0.1:8080", "Apple", "")),
            CString("http://127.0.0.1:8080/stats?&q=apple&sf="));
  EXPECT_EQ(CString(CGetSuggestionThread::BuildUrl("http://stats.example/", "apple", "2")),
            CString("http://stats.example/stats?&q=apple&sf=200"));
  EXPECT_EQ(CString(CGetSuggestionThread::BuildUrl("https://stats.example", "apple", "")),
            CString("https://stats.example/stats?&q=apple&sf="));
}

TEST(GetSuggestionThreadUrlTest, TheHostComesFromTheProfile)
{
  CWinApp* app = AfxGetApp();
  app->WriteProfileString("Settings", "StatisticsHost", nullptr);
  EXPECT_EQ(CGetSuggestionThread::GetProfileHost(), CString("127.0.0.1:8080"));
  app->WriteProfileString("Settings", "StatisticsHost", "10.0.0.5:9000");
  EXPECT_EQ(CGetSuggestionThread::GetProfileHost(), CString("10.0.0.5:9000"));
  app->WriteProfileString("Settings", "StatisticsHost", nullptr);
}

}  // namespace
