// HTTP through CInternetSession / CHttpConnection / CHttpFile against the
// loopback server, WinINet errors as CInternetException, and AfxSocketInit.
#include <afxinet.h>
#include <afxsock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "loopback_http.h"

namespace {

// Every byte value a body may carry: NULs and bytes >= 0x80 included.
std::string AllBytes()
{
  std::string s;
  for (int i = 0; i < 256; i++) s.push_back((char)i);
  return s;
}

std::string ReadToEnd(CInternetFile* pFile, UINT nChunk = 1000)
{
  std::string body;
  std::string buf(nChunk, '\0');
  for (;;) {
    UINT n = pFile->Read(&buf[0], nChunk);
    body.append(buf, 0, n);
    if (n < nChunk) break;
  }
  return body;
}

std::string ErrorText(const CException* e)
{
  char text[512] = "";
  e->GetErrorMessage(text, sizeof text);
  return text;
}

class NetHttp : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_server.Start()) << m_server.LastError(); }

  // One GET of the kind the program makes; returns the status.
  DWORD Get(const char* object, std::string* pBody, LPCTSTR agent = "PellucorTest/1.0")
  {
    CInternetSession session(agent, 1, INTERNET_OPEN_TYPE_DIRECT);
    return Get(session, object, pBody);
  }
  DWORD Get(CInternetSession& session, const char* object, std::string* pBody)
  {
    CHttpConnection* pConnection = session.GetHttpConnection("127.0.0.1", m_server.Port());
    CHttpFile* pFile = nullptr;
    DWORD dwStatus = 0;
    try {
      pFile = pConnection->OpenRequest(CHttpConnection::HTTP_VERB_GET, object, NULL, 1, NULL, NULL,
                                       INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE);
      pFile->SendRequest();
      EXPECT_TRUE(pFile->QueryInfoStatusCode(dwStatus));
      if (pBody) *pBody = ReadToEnd(pFile);
      pFile->Close();
    } catch (...) {
      delete pFile;
      delete pConnection;
      throw;
    }
    delete pFile;
    delete pConnection;
    return dwStatus;
  }

  CLoopbackHttpServer m_server;
};

TEST_F(NetHttp, GetSendsTheRequestLineAndAgentAndReadsABinaryBody)
{
  const std::string page = "<html>" + AllBytes() + "</html>";
  m_server.Route("/stats", [&](const CLoopbackRequest&) { return CLoopbackResponse(200, page); });

  std::string body;
  EXPECT_EQ(Get("/stats?&q=x&sf=100", &body), 200u);
  EXPECT_EQ(body, page);

  ASSERT_EQ(m_server.RequestCount(), 1u);
  CLoopbackRequest seen = m_server.LastRequest();
  EXPECT_EQ(seen.method, "GET");
  EXPECT_EQ(seen.target, "/stats?&q=x&sf=100");
  EXPECT_EQ(seen.version, "HTTP/1.1");
  EXPECT_EQ(seen.Header("User-Agent"), "PellucorTest/1.0");
  EXPECT_EQ(seen.Query("q"), "x");
  EXPECT_EQ(seen.Query("sf"), "100");
}

TEST_F(NetHttp, DefaultAgentIsTheApplicationName)
{
  Get("/", nullptr, NULL);
  EXPECT_EQ(m_server.LastRequest().Header("User-Agent"), AfxGetModuleState()->m_lpszCurrentAppName);
  EXPECT_FALSE(m_server.LastRequest().Header("User-Agent").empty());
}

class CRecordingSession : public CInternetSession {
 public:
  CRecordingSession() : CInternetSession("t", 1, INTERNET_OPEN_TYPE_DIRECT) {}
  std::vector<DWORD> m_statuses;
  void OnStatusCallback(DWORD_PTR, DWORD dwStatus, LPVOID, DWORD) override { m_statuses.push_back(dwStatus); }
};

// WinINet reports on the request's handle; the session still hears of it.
TEST_F(NetHttp, StatusCallbackReachesTheSession)
{
  CRecordingSession session;
  ASSERT_TRUE(session.EnableStatusCallback());
  EXPECT_EQ(Get(session, "/", nullptr), 404u);
  auto has = [&](DWORD status) {
    return std::find(session.m_statuses.begin(), session.m_statuses.end(), status) != session.m_statuses.end();
  };
  EXPECT_TRUE(has(INTERNET_STATUS_REQUEST_SENT));
  EXPECT_TRUE(has(INTERNET_STATUS_RESPONSE_RECEIVED));
  EXPECT_TRUE(session.EnableStatusCallback(FALSE));
}

TEST_F(NetHttp, ErrorStatusIsReportedWithItsBodyNotThrown)
{
  for (int status : {404, 500, 503}) {
    m_server.ScriptNext(CLoopbackResponse(status, "missing\x01\xFE"));
    std::string body;
    EXPECT_EQ(Get("/stats?&q=gone", &body), (DWORD)status);
    EXPECT_EQ(body, "missing\x01\xFE");
  }
}

// However the server frames or paces the body, Read hands back all of it and
// returns a short count only at the end.
TEST_F(NetHttp, ReadGetsTheWholeBodyWhateverTheFraming)
{
  std::string big(3 * 1024 * 1024 + 17, '\0');
  for (size_t i = 0; i < big.size(); i++) big[i] = (char)(i * 7 + i / 4096);

  struct Case {
    const char* name;
    CLoopbackResponse response;
  } cases[] = {
      {"content-length", CLoopbackResponse(200, AllBytes())},
      {"chunked", CLoopbackResponse(200, AllBytes())},
      {"until close", CLoopbackResponse(200, AllBytes())},
      {"pause inside the body", CLoopbackResponse(200, AllBytes())},
      {"huge", CLoopbackResponse(200, big)},
      {"empty", CLoopbackResponse(200, "")},
  };
  cases[1].response.framing = CLoopbackResponse::kChunked;
  cases[1].response.chunkSize = 7;
  cases[2].response.framing = CLoopbackResponse::kUntilClose;
  cases[3].response.delayInBodyMs = 300;
  cases[3].response.delayAfterBytes = 100;

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_server.ScriptNext(c.response);
    std::string body;
    EXPECT_EQ(Get("/page", &body), 200u);
    EXPECT_EQ(body.size(), c.response.body.size());
    EXPECT_TRUE(body == c.response.body);
  }
}

TEST_F(NetHttp, ReadStringSplitsLinesAtNewline)
{
  m_server.ScriptNext(CLoopbackResponse(200, "one\r\ntwo\n\nlast"));
  CInternetSession session("t", 1, INTERNET_OPEN_TYPE_DIRECT);
  CHttpFile* pFile = (CHttpFile*)session.OpenURL(m_server.Url("/lines").c_str(), 1,
                                                 INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_BINARY);
  ASSERT_TRUE(pFile->IsKindOf(RUNTIME_CLASS(CHttpFile)));
  CString line;
  std::vector<std::string> lines;
  while (pFile->ReadString(line)) lines.push_back((LPCSTR)line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "last"}));
  delete pFile;
}

TEST_F(NetHttp, QueryInfoFormsAndRequestAttributes)
{
  CLoopbackResponse response(200, "12345", "text/html; charset=windows-1251");
  response.headers.emplace_back("Date", "Tue, 15 Nov 1994 08:12:31 GMT");
  response.headers.emplace_back("X-Twice", "a");
  response.headers.emplace_back("X-Twice", "b");
  m_server.ScriptNext(response);

  CInternetSession session("t", 1, INTERNET_OPEN_TYPE_DIRECT);
  CHttpConnection* pConnection = session.GetHttpConnection("127.0.0.1", m_server.Port());
  CHttpFile* pFile = pConnection->OpenRequest("GET", "/info?a=1", NULL, 1, NULL, NULL, INTERNET_FLAG_RELOAD);
  EXPECT_EQ(pFile->GetVerb(), "GET");
  EXPECT_EQ(pFile->GetObject(), "/info?a=1");
  pFile->SendRequest();

  CString type;
  EXPECT_TRUE(pFile->QueryInfo(HTTP_QUERY_CONTENT_TYPE, type));
  EXPECT_STREQ(type, "text/html; charset=windows-1251");
  DWORD dwLength = 0;
  EXPECT_TRUE(pFile->QueryInfo(HTTP_QUERY_CONTENT_LENGTH, dwLength));
  EXPECT_EQ(dwLength, 5u);
  SYSTEMTIME st = {};
  EXPECT_TRUE(pFile->QueryInfo(HTTP_QUERY_DATE, &st));
  EXPECT_EQ(st.wYear, 1994);
  EXPECT_EQ(st.wMonth, 11);
  EXPECT_EQ(st.wHour, 8);
  char custom[64] = "X-Twice";
  DWORD dwLen = sizeof custom;
  DWORD dwIndex = 0;
  EXPECT_TRUE(pFile->QueryInfo(HTTP_QUERY_CUSTOM, custom, &dwLen, &dwIndex));
  EXPECT_STREQ(custom, "a");
  EXPECT_EQ(dwIndex, 1u);
  EXPECT_FALSE(pFile->QueryInfo(HTTP_QUERY_CONTENT_LANGUAGE, type));

  EXPECT_EQ(std::string(pFile->GetFileURL()), m_server.Url("/info?a=1"));
  delete pFile;
  delete pConnection;
}

TEST_F(NetHttp, PostSendsHeadersAndBodyBothWays)
{
  m_server.SetHandler([](const CLoopbackRequest& rq) { return CLoopbackResponse(200, "got " + rq.body); });
  CInternetSession session("t", 1, INTERNET_OPEN_TYPE_DIRECT);
  CHttpConnection* pConnection = session.GetHttpConnection("127.0.0.1", m_server.Port());

  // Headers and data in one SendRequest.
  CHttpFile* pFile = pConnection->OpenRequest(CHttpConnection::HTTP_VERB_POST, "/form");
  EXPECT_TRUE(pFile->AddRequestHeaders("X-Added: 1\r\n"));
  char data[] = "a=1&b=\xE9";
  pFile->SendRequest("Content-Type: application/x-www-form-urlencoded\r\n", 0, data, sizeof data - 1);
  EXPECT_EQ(ReadToEnd(pFile), std::string("got ") + data);
  CLoopbackRequest seen = m_server.LastRequest();
  EXPECT_EQ(seen.method, "POST");
  EXPECT_EQ(seen.Header("X-Added"), "1");
  EXPECT_EQ(seen.Header("Content-Type"), "application/x-www-form-urlencoded");
  delete pFile;

  // A body written after SendRequestEx, through a write buffer.
  pFile = pConnection->OpenRequest(CHttpConnection::HTTP_VERB_PUT, "/upload");
  pFile->SendRequestEx(10);
  pFile->SetWriteBufferSize(4);
  pFile->Write("01234", 5);
  pFile->WriteString("56789");
  pFile->EndRequest();
  DWORD dwStatus = 0;
  EXPECT_TRUE(pFile->QueryInfoStatusCode(dwStatus));
  EXPECT_EQ(dwStatus, 200u);
  EXPECT_EQ(ReadToEnd(pFile), "got 0123456789");
  EXPECT_EQ(m_server.LastRequest().method, "PUT");
  delete pFile;
  delete pConnection;
}

TEST_F(NetHttp, ClosedPortThrowsCannotConnectWithAReadableMessage)
{
  INTERNET_PORT nPort = m_server.Port();
  m_server.Stop();

  CInternetSession session("t", 7, INTERNET_OPEN_TYPE_DIRECT);
  CHttpConnection* pConnection = session.GetHttpConnection("127.0.0.1", nPort);
  CHttpFile* pFile = pConnection->OpenRequest(CHttpConnection::HTTP_VERB_GET, "/stats", NULL, 9);
  try {
    pFile->SendRequest();
    ADD_FAILURE() << "SendRequest to a closed port did not throw";
  } catch (CInternetException* e) {
    EXPECT_EQ(e->m_dwError, (DWORD)ERROR_INTERNET_CANNOT_CONNECT);
    EXPECT_EQ(e->m_dwContext, 9u);
    std::string text = ErrorText(e);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find("12029"), std::string::npos) << text;   // words, not the bare number
    EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
    e->Delete();
  }
  delete pFile;
  delete pConnection;
}

// A server that takes the request and closes (or resets) the connection
// without a status line must fail the request at once, not hang and not pass
// as an empty page.
TEST_F(NetHttp, ConnectionClosedWithoutAnAnswerThrows)
{
  for (bool reset : {false, true}) {
    SCOPED_TRACE(reset ? "reset" : "closed");
    CLoopbackResponse response = CLoopbackResponse::NoAnswer();
    response.resetConnection = reset;
    m_server.ScriptNext(response);
    DWORD start = GetTickCount();
    try {
      Get("/stats?&q=x", nullptr);
      ADD_FAILURE() << "no exception";
    } catch (CInternetException* e) {
      EXPECT_NE(e->m_dwError, 0u);
      EXPECT_FALSE(ErrorText(e).empty());
      e->Delete();
    }
    EXPECT_LT(GetTickCount() - start, 5000u);
  }
}

// Time-outs set once on the session hold for every request made from it.
TEST_F(NetHttp, SessionReceiveTimeoutEndsASlowAnswer)
{
  m_server.ScriptNext(CLoopbackResponse::Slow(5000, CLoopbackResponse(200, "late")));
  CInternetSession session("t", 1, INTERNET_OPEN_TYPE_DIRECT);
  EXPECT_TRUE(session.SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, 300));
  EXPECT_TRUE(session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, 1000));
  DWORD dwTimeout = 0;
  EXPECT_TRUE(session.QueryOption(INTERNET_OPTION_RECEIVE_TIMEOUT, dwTimeout));
  EXPECT_EQ(dwTimeout, 300u);

  CHttpConnection* pConnection = session.GetHttpConnection("127.0.0.1", m_server.Port());
  CHttpFile* pFile = pConnection->OpenRequest("GET", "/slow");
  DWORD start = GetTickCount();
  try {
    pFile->SendRequest();
    ADD_FAILURE() << "no exception";
  } catch (CInternetException* e) {
    // Windows says "timed out"; Wine says "connection aborted".
    EXPECT_TRUE(e->m_dwError == ERROR_INTERNET_TIMEOUT || e->m_dwError == ERROR_INTERNET_CONNECTION_ABORTED)
        << e->m_dwError;
    e->Delete();
  }
  EXPECT_LT(GetTickCount() - start, 3000u);
  delete pFile;
  delete pConnection;
}

TEST_F(NetHttp, OpenURLRefusesAnUnknownSchemeAndReadsLocalFiles)
{
  CInternetSession session("t", 5, INTERNET_OPEN_TYPE_DIRECT);
  try {
    delete session.OpenURL("gopherish://host/x");
    ADD_FAILURE() << "no exception";
  } catch (CInternetException* e) {
    EXPECT_EQ(e->m_dwError, (DWORD)ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    e->Delete();
  }

  char szDir[MAX_PATH], szPath[MAX_PATH];
  GetTempPathA(MAX_PATH, szDir);
  GetTempFileNameA(szDir, "net", 0, szPath);
  FILE* f = fopen(szPath, "wb");
  fputs("local line\n", f);
  fclose(f);
  std::string url = std::string("file:///") + szPath;
  for (char& c : url)
    if (c == '\\') c = '/';
  CStdioFile* pFile = session.OpenURL(url.c_str());
  CString line;
  EXPECT_TRUE(pFile->ReadString(line));
  EXPECT_STREQ(line, "local line");
  delete pFile;
  DeleteFileA(szPath);
}

TEST(NetParseURL, SplitsServiceServerObjectAndPort)
{
  struct Case {
    const char* url;
    BOOL ok;
    DWORD service;
    const char* server;
    const char* object;
    INTERNET_PORT port;
  } cases[] = {
      {"http://www.example.com/stats?&q=x&sf=100", TRUE, AFX_INET_SERVICE_HTTP, "www.example.com",
       "/stats?&q=x&sf=100", 80},
      {"http://127.0.0.1:8080/", TRUE, AFX_INET_SERVICE_HTTP, "127.0.0.1", "/", 8080},
      {"http://host", TRUE, AFX_INET_SERVICE_HTTP, "host", "/", 80},
      {"http://host?q=1", TRUE, AFX_INET_SERVICE_HTTP, "host", "/?q=1", 80},
      {"HTTPS://Secure.Example/a/b#frag", TRUE, AFX_INET_SERVICE_HTTPS, "Secure.Example", "/a/b#frag", 443},
      {"ftp://user:pw@ftp.example.com/pub/file.txt", TRUE, AFX_INET_SERVICE_FTP, "ftp.example.com",
       "/pub/file.txt", 21},
      {"  http://padded/x  ", TRUE, AFX_INET_SERVICE_HTTP, "padded", "/x", 80},
      {"http://[::1]:81/v6", TRUE, AFX_INET_SERVICE_HTTP, "[::1]", "/v6", 81},
      {"file:///C:/dir/x.txt", TRUE, AFX_INET_SERVICE_FILE, "", "/C:/dir/x.txt", 0},
      {"http://host:/x", TRUE, AFX_INET_SERVICE_HTTP, "host", "/x", 80},
      {"http://host:99999/", FALSE, AFX_INET_SERVICE_HTTP, "host", "/", 80},
      {"http://host:8a/", FALSE, AFX_INET_SERVICE_HTTP, "host", "/", 80},
      {"http:///nohost", FALSE, AFX_INET_SERVICE_HTTP, "", "/nohost", 80},
      {"mailto:someone@example.com", FALSE, AFX_INET_SERVICE_MAILTO, "", "", 0},
      {"www.example.com/page", FALSE, AFX_INET_SERVICE_UNK, "", "", 0},
      {"unknown://host/x", FALSE, AFX_INET_SERVICE_UNK, "", "", 0},
      {"", FALSE, AFX_INET_SERVICE_UNK, "", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    DWORD service = 12345;
    CString server = "junk", object = "junk";
    INTERNET_PORT port = 1;
    EXPECT_EQ(AfxParseURL(c.url, service, server, object, port), c.ok);
    EXPECT_EQ(service, c.service);
    EXPECT_STREQ(server, c.server);
    EXPECT_STREQ(object, c.object);
    EXPECT_EQ(port, c.port);
  }

  DWORD service;
  CString server, object, user, password;
  INTERNET_PORT port;
  EXPECT_TRUE(AfxParseURLEx("ftp://us%20er:p%40ss@h/a%20b", service, server, object, port, user, password,
                            ICU_DECODE));
  EXPECT_STREQ(user, "us er");
  EXPECT_STREQ(password, "p@ss");
  EXPECT_STREQ(object, "/a b");
}

TEST(NetSocket, AfxSocketInitStartsWinsockOnce)
{
  WSADATA data = {};
  ASSERT_TRUE(AfxSocketInit(&data));
  EXPECT_EQ(data.wVersion, MAKEWORD(2, 2));
  EXPECT_TRUE(AfxSocketInit());
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  EXPECT_NE(s, INVALID_SOCKET);
  closesocket(s);
}

// The server must stop promptly even with a client that connected and never
// sent anything, and with an answer still waiting out a scripted delay.
TEST(LoopbackServer, StopDoesNotWaitForIdleOrSlowClients)
{
  CLoopbackHttpServer server;
  ASSERT_TRUE(server.Start());
  server.ScriptNext(CLoopbackResponse::Slow(60000, CLoopbackResponse(200, "never")));
  ASSERT_TRUE(AfxSocketInit());

  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(server.Port());
  SOCKET idle = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  ASSERT_EQ(connect(idle, (sockaddr*)&addr, sizeof addr), 0);
  SOCKET slow = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  ASSERT_EQ(connect(slow, (sockaddr*)&addr, sizeof addr), 0);
  const char request[] = "GET /slow HTTP/1.1\r\nHost: x\r\n\r\n";
  send(slow, request, sizeof request - 1, 0);
  ASSERT_TRUE(server.WaitForRequests(1, 5000));

  DWORD start = GetTickCount();
  server.Stop();
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_FALSE(server.IsRunning());
  closesocket(idle);
  closesocket(slow);
}

}  // namespace
