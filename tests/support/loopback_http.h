// A small HTTP/1.1 server on 127.0.0.1 that runs inside the test process, so
// that code using WinINet can be tested over real sockets. It keeps every
// request it received and answers through handlers the test installs, with
// scripted faults: no answer, slow answers, cut bodies, chunked or huge bodies.
//
//   CLoopbackHttpServer server;
//   server.Route("/stats", [](const CLoopbackRequest& rq) {
//       return CLoopbackResponse::Text(200, "<html>" + rq.Query("q") + "</html>");
//   });
//   server.Start();
//   ... fetch server.Url("/stats?q=x") ...
//   EXPECT_EQ(server.LastRequest().target, "/stats?q=x");
//
// It needs nothing but Winsock and the standard library, so a stand-alone
// service program can be built on it as well as tests. Every answer closes the
// connection ("Connection: close"): clients never wait on a kept-alive socket.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <atomic>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct CLoopbackRequest {
  std::string method;    // "GET"
  std::string target;    // "/stats?&q=x&sf=100", exactly as sent
  std::string version;   // "HTTP/1.1"
  std::vector<std::pair<std::string, std::string>> headers;   // in the order sent
  std::string body;      // a Content-Length body (POST), else empty

  // The first header of that name (case-insensitive), or "" when absent.
  std::string Header(const std::string& name) const;
  bool HasHeader(const std::string& name) const;
  // The target before "?".
  std::string Path() const;
  // The raw (still %-encoded) value of name=value in the query; "" when absent.
  std::string Query(const std::string& name) const;
};

struct CLoopbackResponse {
  int status = 200;
  std::string reason;        // empty: the usual phrase for the status
  std::vector<std::pair<std::string, std::string>> headers;   // added as given
  std::string body;          // bytes, sent as they are (NULs and high bytes too)

  // How the body is framed: Content-Length (default), chunked, or neither
  // (the body ends when the connection closes).
  enum Framing { kContentLength, kChunked, kUntilClose };
  Framing framing = kContentLength;
  size_t chunkSize = 4096;   // bytes per chunk when chunked

  // Scripted faults.
  bool closeWithoutAnswer = false;   // read the request, then close: no status line
  bool resetConnection = false;      // with closeWithoutAnswer: an abortive close (RST)
  DWORD delayBeforeMs = 0;           // wait before the status line
  DWORD delayInBodyMs = 0;           // wait once, after delayAfterBytes bytes of the body
  size_t delayAfterBytes = 0;
  size_t cutBodyAfter = std::string::npos;   // send only this much of the body, then close

  CLoopbackResponse() = default;
  CLoopbackResponse(int status, std::string body, std::string contentType = "text/html");

  static CLoopbackResponse Text(int status, std::string body,
                                std::string contentType = "text/html");
  static CLoopbackResponse NoAnswer();                  // close after the request
  static CLoopbackResponse Slow(DWORD delayMs, CLoopbackResponse response);
};

class CLoopbackHttpServer {
 public:
  using Handler = std::function<CLoopbackResponse(const CLoopbackRequest&)>;

  CLoopbackHttpServer();
  ~CLoopbackHttpServer();   // stops the server
  CLoopbackHttpServer(const CLoopbackHttpServer&) = delete;
  CLoopbackHttpServer& operator=(const CLoopbackHttpServer&) = delete;

  // Listens on 127.0.0.1 at nPort (0: a free port chosen by the system). FALSE
  // when the socket cannot be bound; LastError() then says why.
  bool Start(unsigned short nPort = 0);
  // Closes the listener and every open connection, cuts short any scripted
  // delay and waits for all the server's threads.
  void Stop();
  bool IsRunning() const { return m_listener != INVALID_SOCKET; }

  unsigned short Port() const { return m_port; }
  std::string Host() const;                       // "127.0.0.1:port"
  std::string Url(const std::string& target = "/") const;   // "http://127.0.0.1:port/..."
  std::string LastError() const { return m_lastError; }

  // Answers. A request is answered by the first scripted response still queued,
  // else by the route whose path matches Path() exactly, else by the handler
  // given to SetHandler, else with 404. A handler that throws answers 500.
  void SetHandler(Handler handler);
  void Route(const std::string& path, Handler handler);
  void ScriptNext(CLoopbackResponse response);   // one-shot, in order
  void ClearScript();

  // What was received, in the order the requests were complete.
  std::vector<CLoopbackRequest> Requests() const;
  size_t RequestCount() const;
  CLoopbackRequest LastRequest() const;           // empty when none
  void ClearRequests();
  // Waits until at least n requests have arrived; FALSE on time-out.
  bool WaitForRequests(size_t n, DWORD timeoutMs) const;

 private:
  void AcceptLoop();
  void Serve(SOCKET s);
  CLoopbackResponse Answer(const CLoopbackRequest& request);
  bool SendAll(SOCKET s, const char* data, size_t size);
  bool SendBody(SOCKET s, const CLoopbackResponse& response);
  bool Pause(DWORD ms);   // FALSE when Stop cut the wait short

  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };

  SOCKET m_listener = INVALID_SOCKET;
  unsigned short m_port = 0;
  std::string m_lastError;
  HANDLE m_stopEvent = nullptr;
  std::atomic<bool> m_stopping{false};
  std::thread m_acceptThread;
  bool m_wsaStarted = false;

  mutable std::mutex m_mutex;   // guards everything below
  std::vector<Worker> m_workers;
  Handler m_handler;
  std::map<std::string, Handler> m_routes;
  std::vector<CLoopbackResponse> m_script;
  std::vector<CLoopbackRequest> m_requests;
};
