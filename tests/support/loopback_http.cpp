#include "loopback_http.h"

#include <ws2tcpip.h>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Every wait on a socket is cut into slices this long, so that Stop never
// waits on a client that neither sends nor reads.
const long kSliceMs = 50;
// A request whose head is longer than this is refused.
const size_t kMaxHead = 64 * 1024;

bool EqualNoCase(const std::string& a, const std::string& b)
{
  return a.size() == b.size() && _strnicmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::string Trim(const std::string& s)
{
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

const char* ReasonFor(int status)
{
  switch (status) {
    case 200: return "OK";
    case 201: return "Created";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 304: return "Not Modified";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 500: return "Internal Server Error";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    default: return "Status";
  }
}

bool HasHeader(const std::vector<std::pair<std::string, std::string>>& headers,
               const char* name)
{
  for (const auto& h : headers)
    if (EqualNoCase(h.first, name)) return true;
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// CLoopbackRequest

std::string CLoopbackRequest::Header(const std::string& name) const
{
  for (const auto& h : headers)
    if (EqualNoCase(h.first, name)) return h.second;
  return std::string();
}

bool CLoopbackRequest::HasHeader(const std::string& name) const
{
  return ::HasHeader(headers, name.c_str());
}

std::string CLoopbackRequest::Path() const
{
  return target.substr(0, target.find('?'));
}

std::string CLoopbackRequest::Query(const std::string& name) const
{
  size_t q = target.find('?');
  if (q == std::string::npos) return std::string();
  std::string query = target.substr(q + 1);
  size_t pos = 0;
  while (pos <= query.size()) {
    size_t amp = query.find('&', pos);
    if (amp == std::string::npos) amp = query.size();
    std::string pair = query.substr(pos, amp - pos);
    size_t eq = pair.find('=');
    if (pair.substr(0, eq) == name)
      return eq == std::string::npos ? std::string() : pair.substr(eq + 1);
    pos = amp + 1;
  }
  return std::string();
}

// ---------------------------------------------------------------------------
// CLoopbackResponse

CLoopbackResponse::CLoopbackResponse(int nStatus, std::string strBody, std::string contentType)
    : status(nStatus), body(std::move(strBody))
{
  if (!contentType.empty()) headers.emplace_back("Content-Type", contentType);
}

CLoopbackResponse CLoopbackResponse::Text(int status, std::string body, std::string contentType)
{
  return CLoopbackResponse(status, std::move(body), std::move(contentType));
}

CLoopbackResponse CLoopbackResponse::NoAnswer()
{
  CLoopbackResponse r;
  r.closeWithoutAnswer = true;
  return r;
}

CLoopbackResponse CLoopbackResponse::Slow(DWORD delayMs, CLoopbackResponse response)
{
  response.delayBeforeMs = delayMs;
  return response;
}

// ---------------------------------------------------------------------------
// CLoopbackHttpServer

CLoopbackHttpServer::CLoopbackHttpServer()
{
  m_stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

CLoopbackHttpServer::~CLoopbackHttpServer()
{
  Stop();
  CloseHandle(m_stopEvent);
}

bool CLoopbackHttpServer::Start(unsigned short nPort)
{
  if (IsRunning()) return true;
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) {
    m_lastError = "WSAStartup failed";
    return false;
  }
  m_wsaStarted = true;

  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(nPort);
  int len = sizeof addr;
  if (s == INVALID_SOCKET || bind(s, (sockaddr*)&addr, sizeof addr) != 0 ||
      listen(s, SOMAXCONN) != 0 || getsockname(s, (sockaddr*)&addr, &len) != 0) {
    char text[64];
    snprintf(text, sizeof text, "cannot listen on 127.0.0.1:%u (error %d)", nPort,
             WSAGetLastError());
    m_lastError = text;
    if (s != INVALID_SOCKET) closesocket(s);
    WSACleanup();
    m_wsaStarted = false;
    return false;
  }
  m_listener = s;
  m_port = ntohs(addr.sin_port);
  m_stopping = false;
  ResetEvent(m_stopEvent);
  m_acceptThread = std::thread(&CLoopbackHttpServer::AcceptLoop, this);
  return true;
}

void CLoopbackHttpServer::Stop()
{
  if (!m_wsaStarted) return;
  m_stopping = true;
  SetEvent(m_stopEvent);
  if (m_acceptThread.joinable()) m_acceptThread.join();
  // No new connections now; the workers see the stop flag within one slice.
  std::vector<Worker> workers;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    workers.swap(m_workers);
  }
  for (auto& w : workers) w.thread.join();
  closesocket(m_listener);
  m_listener = INVALID_SOCKET;
  WSACleanup();
  m_wsaStarted = false;
}

std::string CLoopbackHttpServer::Host() const
{
  return "127.0.0.1:" + std::to_string(m_port);
}

std::string CLoopbackHttpServer::Url(const std::string& target) const
{
  return "http://" + Host() + (target.empty() || target[0] != '/' ? "/" : "") + target;
}

void CLoopbackHttpServer::SetHandler(Handler handler)
{
  std::lock_guard<std::mutex> lock(m_mutex);
  m_handler = std::move(handler);
}

void CLoopbackHttpServer::Route(const std::string& path, Handler handler)
{
  std::lock_guard<std::mutex> lock(m_mutex);
  m_routes[path] = std::move(handler);
}

void CLoopbackHttpServer::ScriptNext(CLoopbackResponse response)
{
  std::lock_guard<std::mutex> lock(m_mutex);
  m_script.push_back(std::move(response));
}

void CLoopbackHttpServer::ClearScript()
{
  std::lock_guard<std::mutex> lock(m_mutex);
  m_script.clear();
}

std::vector<CLoopbackRequest> CLoopbackHttpServer::Requests() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_requests;
}

size_t CLoopbackHttpServer::RequestCount() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_requests.size();
}

CLoopbackRequest CLoopbackHttpServer::LastRequest() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_requests.empty() ? CLoopbackRequest() : m_requests.back();
}

void CLoopbackHttpServer::ClearRequests()
{
  std::lock_guard<std::mutex> lock(m_mutex);
  m_requests.clear();
}

bool CLoopbackHttpServer::WaitForRequests(size_t n, DWORD timeoutMs) const
{
  DWORD start = GetTickCount();
  while (RequestCount() < n) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(5);
  }
  return true;
}

void CLoopbackHttpServer::AcceptLoop()
{
  while (!m_stopping) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(m_listener, &readable);
    timeval slice = {0, kSliceMs * 1000};
    if (select(0, &readable, nullptr, nullptr, &slice) <= 0) continue;
    SOCKET s = accept(m_listener, nullptr, nullptr);
    if (s == INVALID_SOCKET) continue;
    std::lock_guard<std::mutex> lock(m_mutex);
    // Finished workers are joined here, so a long-running service does not
    // collect one dead thread per request.
    for (auto it = m_workers.begin(); it != m_workers.end();) {
      if (*it->done) {
        it->thread.join();
        it = m_workers.erase(it);
      } else {
        ++it;
      }
    }
    auto done = std::make_shared<std::atomic<bool>>(false);
    m_workers.push_back({std::thread([this, s, done] {
                           Serve(s);
                           *done = true;
                         }),
                         done});
  }
}

bool CLoopbackHttpServer::Pause(DWORD ms)
{
  return ms == 0 || WaitForSingleObject(m_stopEvent, ms) == WAIT_TIMEOUT;
}

bool CLoopbackHttpServer::SendAll(SOCKET s, const char* data, size_t size)
{
  while (size > 0) {
    if (m_stopping) return false;
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(s, &writable);
    timeval slice = {0, kSliceMs * 1000};
    int ready = select(0, nullptr, &writable, nullptr, &slice);
    if (ready < 0) return false;
    if (ready == 0) continue;
    int n = send(s, data, (int)std::min<size_t>(size, 64 * 1024), 0);
    if (n <= 0) return false;
    data += n;
    size -= (size_t)n;
  }
  return true;
}

// Sends the body as framed, honouring the scripted pause and cut; the offsets
// of both count the bytes on the wire after the head.
bool CLoopbackHttpServer::SendBody(SOCKET s, const CLoopbackResponse& response)
{
  std::string wire;
  if (response.framing == CLoopbackResponse::kChunked) {
    size_t step = std::max<size_t>(response.chunkSize, 1);
    for (size_t pos = 0; pos < response.body.size(); pos += step) {
      size_t n = std::min(step, response.body.size() - pos);
      char size[20];
      snprintf(size, sizeof size, "%zx\r\n", n);
      wire += size;
      wire.append(response.body, pos, n);
      wire += "\r\n";
    }
    wire += "0\r\n\r\n";
  } else {
    wire = response.body;
  }
  size_t total = std::min(wire.size(), response.cutBodyAfter);
  size_t first = total;
  if (response.delayInBodyMs > 0) first = std::min(total, response.delayAfterBytes);
  if (!SendAll(s, wire.data(), first) || !Pause(response.delayInBodyMs)) return false;
  return SendAll(s, wire.data() + first, total - first);
}

CLoopbackResponse CLoopbackHttpServer::Answer(const CLoopbackRequest& request)
{
  Handler handler;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.push_back(request);
    if (!m_script.empty()) {
      CLoopbackResponse scripted = std::move(m_script.front());
      m_script.erase(m_script.begin());
      return scripted;
    }
    auto route = m_routes.find(request.Path());
    handler = route != m_routes.end() ? route->second : m_handler;
  }
  if (!handler) return CLoopbackResponse::Text(404, "<html>Not Found</html>");
  try {
    return handler(request);
  } catch (const std::exception& e) {
    return CLoopbackResponse::Text(500, std::string("handler failed: ") + e.what(), "text/plain");
  } catch (...) {
    return CLoopbackResponse::Text(500, "handler failed", "text/plain");
  }
}

// Parses the request line and the header lines of a request head (without
// the blank line that ends it). FALSE for a malformed request line.
static bool ParseHead(const std::string& head, CLoopbackRequest& request)
{
  size_t lineEnd = head.find("\r\n");
  std::string first = head.substr(0, lineEnd);
  while (lineEnd != std::string::npos) {
    size_t next = head.find("\r\n", lineEnd + 2);
    std::string line = head.substr(lineEnd + 2, next == std::string::npos ? std::string::npos
                                                                           : next - lineEnd - 2);
    size_t colon = line.find(':');
    if (colon != std::string::npos)
      request.headers.emplace_back(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
    lineEnd = next;
  }
  size_t sp1 = first.find(' ');
  size_t sp2 = first.rfind(' ');
  if (sp1 == std::string::npos || sp2 == sp1) return false;
  request.method = first.substr(0, sp1);
  request.target = first.substr(sp1 + 1, sp2 - sp1 - 1);
  request.version = first.substr(sp2 + 1);
  return true;
}

// One connection: read one request, answer it, close.
void CLoopbackHttpServer::Serve(SOCKET s)
{
  std::string data;
  CLoopbackRequest request;
  bool wellFormed = false;
  size_t headEnd = std::string::npos;
  size_t need = 0;   // bytes of the whole request, once its head is known
  char buf[8192];
  while (!m_stopping && (headEnd == std::string::npos || data.size() < need)) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s, &readable);
    timeval slice = {0, kSliceMs * 1000};
    int ready = select(0, &readable, nullptr, nullptr, &slice);
    if (ready < 0) break;
    if (ready == 0) continue;
    int n = recv(s, buf, sizeof buf, 0);
    if (n <= 0) break;   // the client gave up
    data.append(buf, n);
    if (headEnd == std::string::npos) {
      headEnd = data.find("\r\n\r\n");
      if (headEnd == std::string::npos) {
        if (data.size() > kMaxHead) break;
        continue;
      }
      wellFormed = ParseHead(data.substr(0, headEnd), request);
      need = headEnd + 4 + strtoul(request.Header("Content-Length").c_str(), nullptr, 10);
    }
  }

  if (headEnd != std::string::npos && data.size() >= need && !m_stopping) {
    request.body = data.substr(headEnd + 4, need - headEnd - 4);
    CLoopbackResponse response =
        wellFormed ? Answer(request) : CLoopbackResponse::Text(400, "bad request line", "text/plain");
    if (response.closeWithoutAnswer) {
      if (response.resetConnection) {
        linger hard = {1, 0};
        setsockopt(s, SOL_SOCKET, SO_LINGER, (const char*)&hard, sizeof hard);
      }
    } else if (Pause(response.delayBeforeMs)) {
      std::string out = "HTTP/1.1 " + std::to_string(response.status) + " " +
                        (response.reason.empty() ? ReasonFor(response.status) : response.reason) +
                        "\r\n";
      for (const auto& h : response.headers) out += h.first + ": " + h.second + "\r\n";
      // Headers the handler gave itself win, so that a test can send a lying
      // Content-Length.
      bool framed = HasHeader(response.headers, "Content-Length") ||
                    HasHeader(response.headers, "Transfer-Encoding");
      if (!framed && response.framing == CLoopbackResponse::kContentLength)
        out += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
      if (!framed && response.framing == CLoopbackResponse::kChunked)
        out += "Transfer-Encoding: chunked\r\n";
      if (!HasHeader(response.headers, "Connection")) out += "Connection: close\r\n";
      out += "\r\n";
      bool headOnly = request.method == "HEAD" || response.status == 204 || response.status == 304;
      if (SendAll(s, out.data(), out.size()) && !headOnly) SendBody(s, response);
      shutdown(s, SD_SEND);
    }
  }
  closesocket(s);
}
