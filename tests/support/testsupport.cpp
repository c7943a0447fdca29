#include "testsupport.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <sstream>
#include <thread>

// ---------------------------------------------------------------------------
// Pumping

void PumpMessagesFor(DWORD ms)
{
  PumpUntil([] { return false; }, ms);
}

void PumpPending()
{
  PumpUntil([] { return (HIWORD(GetQueueStatus(QS_ALLINPUT)) & ~QS_TIMER) == 0; }, kWaitMs);
}

bool PumpUntil(const std::function<bool()>& pred, DWORD ms)
{
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (pred()) return true;
    }
    if (pred()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    // Wake for any input or posted message, or at least every 10 ms for timers
    // and conditions changed by other threads.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, (DWORD)std::min<ULONGLONG>(end - now, 10), QS_ALLINPUT);
  }
}

namespace {
thread_local UINT_PTR t_markerTimer = 0;
thread_local bool t_markerFired = false;

void CALLBACK MarkerTick(HWND, UINT, UINT_PTR id, DWORD)
{
  if (id == t_markerTimer) t_markerFired = true;
}
}  // namespace

bool PumpPastTimer(UINT periodMs)
{
  t_markerFired = false;
  t_markerTimer = SetTimer(nullptr, 0, periodMs, MarkerTick);
  const bool fired = PumpUntil([] { return t_markerFired; }, kWaitMs + periodMs);
  KillTimer(nullptr, t_markerTimer);
  t_markerTimer = 0;
  return fired;
}

bool PlaceCursor(POINT pt)
{
  SetCursorPos(pt.x, pt.y);
  return PumpUntil(
      [pt] {
        POINT now = {};
        return GetCursorPos(&now) && now.x == pt.x && now.y == pt.y;
      },
      kWaitMs);
}

void MouseInputAt(DWORD dwFlags, POINT pt)
{
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(pt.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(pt.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof(input));
}

// Waits on the calling (helper) thread, which pumps nothing.
static bool WaitOnHelper(const std::function<bool()>& pred)
{
  const ULONGLONG end = GetTickCount64() + kWaitMs;
  while (!pred()) {
    if (GetTickCount64() > end) return false;
    Sleep(5);
  }
  return true;
}

bool SizeByCorner(HWND hwnd, SIZE sizeTo)
{
  RECT r;
  GetWindowRect(hwnd, &r);
  const POINT from = {r.right - 2, r.bottom - 2};
  const POINT to = {r.left + sizeTo.cx - 2, r.top + sizeTo.cy - 2};
  const DWORD thread = GetCurrentThreadId();
  // The sizing loop runs inside the dispatch of the press, so the moves and
  // the release come from a helper thread that waits for the loop and for
  // the size while this thread pumps.
  std::atomic<bool> done(false), inLoop(false), sized(false);
  std::thread helper([&] {
    MouseInputAt(0, from);
    MouseInputAt(MOUSEEVENTF_LEFTDOWN, from);
    inLoop = WaitOnHelper([&] {
      GUITHREADINFO info = {sizeof(info)};
      return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
    });
    const int steps = 8;
    for (int i = 1; i <= steps; ++i)
      MouseInputAt(0, POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    sized = WaitOnHelper([&] {
      RECT now;
      GetWindowRect(hwnd, &now);
      return now.right - now.left == sizeTo.cx && now.bottom - now.top == sizeTo.cy;
    });
    MouseInputAt(MOUSEEVENTF_LEFTUP, to);
    done = true;
  });
  PumpUntil([&] { return done.load(); }, 3 * kWaitMs);
  helper.join();
  PumpPending();
  return inLoop && sized;
}

BOOL CreateProcessRetrying(LPCSTR lpApplicationName, LPSTR lpCommandLine, BOOL bInheritHandles,
                           DWORD dwCreationFlags, LPCSTR lpCurrentDirectory, STARTUPINFOA* pStartupInfo,
                           PROCESS_INFORMATION* pProcessInformation)
{
  const int kTries = 5;
  for (int nTry = 1;; ++nTry) {
    if (CreateProcessA(lpApplicationName, lpCommandLine, nullptr, nullptr, bInheritHandles, dwCreationFlags, nullptr,
                       lpCurrentDirectory, pStartupInfo, pProcessInformation))
      return TRUE;
    const DWORD dwError = GetLastError();
    if (dwError != ERROR_INTERNAL_ERROR || nTry == kTries) {
      SetLastError(dwError);
      return FALSE;
    }
    // Whatever Wine ran short of is given back as its other processes go on.
    Sleep(200 * nTry);
  }
}

void TypeOnKeyboard(const wchar_t* text)
{
  std::vector<INPUT> in;
  for (const wchar_t* p = text; *p; p++)
    for (DWORD up : {0ul, (DWORD)KEYEVENTF_KEYUP}) {
      INPUT i = {};
      i.type = INPUT_KEYBOARD;
      i.ki.wScan = *p;
      i.ki.dwFlags = KEYEVENTF_UNICODE | up;
      in.push_back(i);
    }
  SendInput((UINT)in.size(), in.data(), sizeof(INPUT));
}

bool LeftClickOnScreen(POINT pt)
{
  if (!PlaceCursor(pt)) return false;
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  return SendInput(2, in, sizeof(INPUT)) == 2;
}

static BOOL CALLBACK FindShownMenu(HWND hwnd, LPARAM lParam)
{
  char cls[16] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  if (strcmp(cls, "#32768") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(lParam) = hwnd;
  return FALSE;
}

HWND ShownMenu()
{
  HWND menu = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownMenu, (LPARAM)&menu);
  return menu;
}

// ---------------------------------------------------------------------------
// CMenuWatch

namespace {
thread_local std::vector<std::pair<UINT_PTR, CMenuWatch*>> t_menuWatches;
}

CMenuWatch::CMenuWatch(std::function<void(HWND menu)> action, DWORD limitMs)
    : m_action(std::move(action)), m_end(GetTickCount64() + limitMs)
{
  m_timer = SetTimer(nullptr, 0, 20, OnTick);
  t_menuWatches.emplace_back(m_timer, this);
}

CMenuWatch::~CMenuWatch()
{
  KillTimer(nullptr, m_timer);
  t_menuWatches.erase(std::remove(t_menuWatches.begin(), t_menuWatches.end(), std::make_pair(m_timer, this)),
                      t_menuWatches.end());
}

void CALLBACK CMenuWatch::OnTick(HWND, UINT, UINT_PTR id, DWORD)
{
  CMenuWatch* self = nullptr;
  for (const auto& w : t_menuWatches)
    if (w.first == id) self = w.second;
  if (self == nullptr) return;
  HWND menu = ShownMenu();
  if (GetTickCount64() >= self->m_end) {
    // Too late to count, or the action left its menu up: end it.
    if (menu != nullptr) {
      self->m_endedAMenu = true;
      EndMenu();
    }
    return;
  }
  if (menu == nullptr || self->m_acted) return;
  self->m_acted = true;
  self->m_action(menu);
}

// ---------------------------------------------------------------------------
// CStepDriver

namespace {
thread_local CStepDriver* t_stepDriver = nullptr;
}

CStepDriver::CStepDriver(UINT intervalMs) : m_since(GetTickCount64()), m_previous(t_stepDriver)
{
  t_stepDriver = this;
  m_timer = SetTimer(nullptr, 0, intervalMs, OnTick);
}

CStepDriver::CStepDriver(const std::vector<std::function<bool()>>& steps, UINT intervalMs) : CStepDriver(intervalMs)
{
  for (const auto& step : steps) WaitFor(step, "a step's window or state");
}

CStepDriver::~CStepDriver()
{
  KillTimer(nullptr, m_timer);
  t_stepDriver = m_previous;
}

void CStepDriver::Then(std::function<void()> step)
{
  m_steps.push_back({[step] {
                       step();
                       return true;
                     },
                     std::string(), 0});
}

void CStepDriver::WaitFor(std::function<bool()> condition, const char* what, DWORD limitMs)
{
  m_steps.push_back({std::move(condition), what, limitMs});
}

void CALLBACK CStepDriver::OnTick(HWND, UINT, UINT_PTR id, DWORD)
{
  for (CStepDriver* d = t_stepDriver; d; d = d->m_previous)
    if (d->m_timer == id) {
      d->Tick();
      return;
    }
}

void CStepDriver::Tick()
{
  if (m_failed) {
    Release();
    return;
  }
  const ULONGLONG now = GetTickCount64();
  if (m_running) {
    if (now - m_since >= kWaitMs)
      Fail("step " + std::to_string(m_next) + " did not return within " + std::to_string(kWaitMs) + " ms");
    return;
  }
  if (Done()) {
    // The steps are over, yet the loop they drove still runs their ticks.
    if (now - m_since >= kWaitMs)
      Fail("the loop the steps drove did not end within " + std::to_string(kWaitMs) + " ms of the last step");
    return;
  }
  const size_t n = m_next;
  const Step& step = m_steps[n];
  ::testing::internal::HasNewFatalFailureHelper fatal;
  m_running = true;
  const bool over = step.run();
  m_running = false;
  if (over) {
    ++m_next;
    m_since = GetTickCount64();
  } else if (!step.what.empty() && now - m_since >= step.limitMs) {
    Fail("waited " + std::to_string(step.limitMs) + " ms for " + step.what + " (step " + std::to_string(n) +
         "); it never came");
  }
  if (fatal.has_new_fatal_failure()) Fail("step " + std::to_string(n) + " failed");
}

void CStepDriver::Fail(const std::string& why)
{
  if (m_failed) return;
  m_failed = true;
  ADD_FAILURE() << why;
  Release();
}

void CStepDriver::Release()
{
  EndMenu();
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  if (HWND focus = GetFocus()) PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
}

std::string WindowText(HWND hwnd)
{
  int n = GetWindowTextLengthA(hwnd);
  std::string s(n + 1, '\0');
  n = GetWindowTextA(hwnd, &s[0], n + 1);
  s.resize(n > 0 ? n : 0);
  return s;
}

// ---------------------------------------------------------------------------
// CMessageRecorder

static thread_local CMessageRecorder* t_recorder = nullptr;

CMessageRecorder::CMessageRecorder()
{
  m_previous = t_recorder;
  t_recorder = this;
  m_hookSent = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProc, nullptr, GetCurrentThreadId());
  m_hookPosted = SetWindowsHookExA(WH_GETMESSAGE, GetMsgProc, nullptr, GetCurrentThreadId());
}

CMessageRecorder::~CMessageRecorder()
{
  if (m_hookSent) UnhookWindowsHookEx(m_hookSent);
  if (m_hookPosted) UnhookWindowsHookEx(m_hookPosted);
  t_recorder = m_previous;
}

void CMessageRecorder::Watch(HWND hwnd, const std::string& name)
{
  m_windows.emplace_back(hwnd, name);
}

void CMessageRecorder::Only(std::initializer_list<UINT> msgs)
{
  m_only.assign(msgs.begin(), msgs.end());
}

LRESULT CALLBACK CMessageRecorder::CallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
  if (code == HC_ACTION) {
    for (CMessageRecorder* r = t_recorder; r; r = r->m_previous) {
      const CWPSTRUCT* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
      r->Record(cwp->hwnd, cwp->message, kSent, cwp->wParam, cwp->lParam);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CMessageRecorder::GetMsgProc(int code, WPARAM wParam, LPARAM lParam)
{
  // Only a message taken off the queue counts as delivered; a peek without
  // removing it would record it twice.
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    for (CMessageRecorder* r = t_recorder; r; r = r->m_previous) {
      const MSG* msg = reinterpret_cast<const MSG*>(lParam);
      r->Record(msg->hwnd, msg->message, kPosted, msg->wParam, msg->lParam);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CMessageRecorder::Record(HWND hwnd, UINT msg, int how, WPARAM wParam, LPARAM lParam)
{
  if (m_paused || !hwnd) return;
  auto w = std::find_if(m_windows.begin(), m_windows.end(),
                        [hwnd](const std::pair<HWND, std::string>& p) { return p.first == hwnd; });
  if (w == m_windows.end()) return;
  if (!m_only.empty() && std::find(m_only.begin(), m_only.end(), msg) == m_only.end()) return;

  RecordedMessage r{w->second, msg, how, wParam, 0, 0};
  if (msg == WM_COMMAND) {
    r.ctrlId = LOWORD(wParam);
    r.code = HIWORD(wParam);
  } else if (msg == WM_NOTIFY && lParam) {
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    r.ctrlId = (int)hdr->idFrom;
    r.code = hdr->code;
  }
  m_records.push_back(r);
}

std::string CMessageRecorder::MessageName(UINT msg)
{
  static const struct { UINT msg; const char* name; } names[] = {
    {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"},
    {WM_SIZE, "WM_SIZE"}, {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"}, {WM_ENABLE, "WM_ENABLE"}, {WM_SETTEXT, "WM_SETTEXT"},
    {WM_GETTEXT, "WM_GETTEXT"}, {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"},
    {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
    {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"}, {WM_DRAWITEM, "WM_DRAWITEM"},
    {WM_MEASUREITEM, "WM_MEASUREITEM"}, {WM_DELETEITEM, "WM_DELETEITEM"},
    {WM_SETFONT, "WM_SETFONT"}, {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
    {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_NOTIFY, "WM_NOTIFY"},
    {WM_CONTEXTMENU, "WM_CONTEXTMENU"}, {WM_NCCREATE, "WM_NCCREATE"},
    {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"},
    {WM_CHAR, "WM_CHAR"}, {WM_INITDIALOG, "WM_INITDIALOG"}, {WM_COMMAND, "WM_COMMAND"},
    {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_TIMER, "WM_TIMER"}, {WM_HSCROLL, "WM_HSCROLL"},
    {WM_VSCROLL, "WM_VSCROLL"}, {WM_INITMENU, "WM_INITMENU"},
    {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"}, {WM_MENUSELECT, "WM_MENUSELECT"},
    {WM_ENTERIDLE, "WM_ENTERIDLE"}, {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},
    {WM_CTLCOLORLISTBOX, "WM_CTLCOLORLISTBOX"}, {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
    {WM_CTLCOLORDLG, "WM_CTLCOLORDLG"}, {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
    {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"},
    {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"}, {WM_COPYDATA, "WM_COPYDATA"},
    {WM_USER, "WM_USER"}, {WM_APP, "WM_APP"},
    {0x0361, "WM_SIZEPARENT"}, {0x0362, "WM_SETMESSAGESTRING"},
    {0x0363, "WM_IDLEUPDATECMDUI"}, {0x0364, "WM_INITIALUPDATE"}, {0x036A, "WM_KICKIDLE"},
  };
  for (const auto& n : names)
    if (n.msg == msg) return n.name;
  char buf[32];
  if (msg > WM_USER && msg < WM_APP)
    snprintf(buf, sizeof buf, "WM_USER+%u", msg - WM_USER);
  else
    snprintf(buf, sizeof buf, "0x%04X", msg);
  return buf;
}

static std::string Describe(const RecordedMessage& r)
{
  std::ostringstream s;
  s << r.window << "  " << (r.how == kPosted ? "posted" : "sent  ") << "  "
    << CMessageRecorder::MessageName(r.msg) << "  wParam=0x" << std::hex << (unsigned long long)r.wParam
    << std::dec;
  if (r.msg == WM_COMMAND || r.msg == WM_NOTIFY)
    s << " id=" << r.ctrlId << " code=" << (int)r.code;
  return s.str();
}

std::string CMessageRecorder::Sequence() const
{
  std::string out;
  for (const RecordedMessage& r : m_records) out += "  " + Describe(r) + "\n";
  return out.empty() ? "  (nothing)\n" : out;
}

static bool Fits(const ExpectedMessage& e, const RecordedMessage& r)
{
  return r.window == e.window && r.msg == e.msg &&
         (e.how == kSentOrPosted || e.how == r.how) &&
         (e.wParam == kAnyWParam || e.wParam == r.wParam) &&
         (e.ctrlId == kAnyId || e.ctrlId == r.ctrlId) &&
         (e.code == kAnyCode || e.code == r.code);
}

static std::string DescribeExpected(const std::vector<ExpectedMessage>& expected)
{
  std::string out;
  for (const ExpectedMessage& e : expected) {
    std::ostringstream s;
    s << "  " << e.window << "  " << (e.how == kPosted ? "posted" : e.how == kSent ? "sent  " : "any   ")
      << "  " << CMessageRecorder::MessageName(e.msg);
    if (e.wParam != kAnyWParam) s << "  wParam=0x" << std::hex << (unsigned long long)e.wParam << std::dec;
    if (e.ctrlId != kAnyId) s << " id=" << e.ctrlId;
    if (e.code != kAnyCode) s << " code=" << (int)e.code;
    out += s.str() + "\n";
  }
  return out;
}

::testing::AssertionResult CMessageRecorder::Matches(const std::vector<ExpectedMessage>& expected) const
{
  bool ok = expected.size() == m_records.size();
  for (size_t i = 0; ok && i < expected.size(); ++i) ok = Fits(expected[i], m_records[i]);
  if (ok) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "message sequence differs\nexpected:\n"
                                       << DescribeExpected(expected) << "actual:\n" << Sequence();
}

::testing::AssertionResult CMessageRecorder::Contains(const std::vector<ExpectedMessage>& expected) const
{
  size_t next = 0;
  for (const RecordedMessage& r : m_records)
    if (next < expected.size() && Fits(expected[next], r)) ++next;
  if (next == expected.size()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected subsequence not found (matched " << next << " of "
                                       << expected.size() << ")\nexpected:\n"
                                       << DescribeExpected(expected) << "actual:\n" << Sequence();
}

int CMessageRecorder::Count(UINT msg) const
{
  return (int)std::count_if(m_records.begin(), m_records.end(),
                            [msg](const RecordedMessage& r) { return r.msg == msg; });
}

// ---------------------------------------------------------------------------
// CDialogAnswerer

namespace {
std::mutex g_answerersLock;
std::vector<CDialogAnswerer*> g_answerers;
}

CDialogAnswerer::CDialogAnswerer(DWORD threadId) : m_threadId(threadId)
{
  {
    std::lock_guard<std::mutex> lock(g_answerersLock);
    g_answerers.push_back(this);
  }
  m_hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, threadId);
}

CDialogAnswerer::~CDialogAnswerer()
{
  if (m_hook) UnhookWindowsHookEx(m_hook);
  std::lock_guard<std::mutex> lock(g_answerersLock);
  g_answerers.erase(std::remove(g_answerers.begin(), g_answerers.end(), this), g_answerers.end());
}

void CDialogAnswerer::Answer(int buttonId)
{
  m_queue.push_back([buttonId](HWND dialog, const ShownDialog&) { PressButton(dialog, buttonId); });
}

void CDialogAnswerer::Handle(Handler handler)
{
  m_queue.push_back(std::move(handler));
}

std::vector<std::string> CDialogAnswerer::Texts() const
{
  std::vector<std::string> texts;
  for (const ShownDialog& s : m_shown) texts.push_back(s.text);
  return texts;
}

void CDialogAnswerer::PressButton(HWND dialog, int buttonId)
{
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               (LPARAM)GetDlgItem(dialog, buttonId));
}

LRESULT CALLBACK CDialogAnswerer::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
  if (code == HCBT_DESTROYWND) {
    // Window handles are reused: forget a box once it is gone.
    std::lock_guard<std::mutex> lock(g_answerersLock);
    for (CDialogAnswerer* a : g_answerers)
      if (a->m_threadId == GetCurrentThreadId())
        a->m_handled.erase(std::remove(a->m_handled.begin(), a->m_handled.end(), (HWND)wParam),
                           a->m_handled.end());
  } else if (code == HCBT_ACTIVATE) {
    HWND hwnd = (HWND)wParam;
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (strcmp(cls, "#32770") == 0) {
      CDialogAnswerer* answerer = nullptr;
      {
        std::lock_guard<std::mutex> lock(g_answerersLock);
        for (auto it = g_answerers.rbegin(); it != g_answerers.rend(); ++it)
          if ((*it)->m_threadId == GetCurrentThreadId()) { answerer = *it; break; }
      }
      if (answerer) answerer->OnActivate(hwnd);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CDialogAnswerer::OnActivate(HWND hwnd)
{
  // A box may be activated more than once (another window took the focus in
  // between): answer it once.
  if (std::find(m_handled.begin(), m_handled.end(), hwnd) != m_handled.end()) return;
  m_handled.push_back(hwnd);

  ShownDialog shown{WindowText(hwnd), std::string(), hwnd};
  if (HWND text = GetDlgItem(hwnd, 0xFFFF)) shown.text = WindowText(text);
  m_shown.push_back(shown);

  if (!m_queue.empty()) {
    auto action = std::move(m_queue.front());
    m_queue.erase(m_queue.begin());
    action(hwnd, shown);
    return;
  }
  int button = m_default;
  if (!GetDlgItem(hwnd, button) && button == IDOK && GetDlgItem(hwnd, IDCANCEL)) button = IDCANCEL;
  PressButton(hwnd, button);
}
