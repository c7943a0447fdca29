// Helpers for tests that drive real windows: pumping with a time limit, recording
// the messages windows receive, and answering the modal boxes code under test shows.
#pragma once

#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>

// How long a test waits for a state its own steps brought about (a window
// shown, a message come back, a timer run, another thread's work) before it
// fails. Far above what any of them takes, since a loaded two-core machine is
// slow; a wait ends the moment its state holds, so this costs nothing when all
// is well.
constexpr DWORD kWaitMs = 15000;

// Dispatches this thread's messages for the given time.
void PumpMessagesFor(DWORD ms);

// Dispatches the messages waiting for this thread (posted, sent, input, paint;
// not timers, which come back forever) until there are none.
void PumpPending();

// Dispatches this thread's messages until pred() holds or the time is up; returns pred().
bool PumpUntil(const std::function<bool()>& pred, DWORD ms);

// Dispatches this thread's messages until a marker thread timer of the given
// period has fired once, so every timer of the thread due no later than the
// marker has had its turn: how a test shows that a timer was NOT set without
// guessing at a sleep. False when the marker never fired within kWaitMs.
bool PumpPastTimer(UINT periodMs);

// Moves the pointer and waits until the system reports it there; false when
// it never arrived within kWaitMs.
bool PlaceCursor(POINT pt);

// Real mouse input at a screen point: dwFlags are MOUSEEVENTF_ button flags
// (0 for a plain move); the pointer moves there with it.
void MouseInputAt(DWORD dwFlags, POINT pt);

// Sizes a top-level window of this thread to sizeTo by dragging its
// bottom-right corner with real input, as the user does: the press, then
// moves in steps once the window's sizing loop runs, the release once the
// window has the size. False when the loop never ran or the size never came.
bool SizeByCorner(HWND hwnd, SIZE sizeTo);

// CreateProcessA, tried again a few times while it fails with
// ERROR_INTERNAL_ERROR: Wine on a loaded machine now and then fails so to
// start a process that the next try starts. Other errors are returned at once.
BOOL CreateProcessRetrying(LPCSTR lpApplicationName, LPSTR lpCommandLine, BOOL bInheritHandles,
                           DWORD dwCreationFlags, LPCSTR lpCurrentDirectory, STARTUPINFOA* pStartupInfo,
                           PROCESS_INFORMATION* pProcessInformation);

// A real click of the left button at a screen point, as the user's: the
// pointer is placed there first (false when it never arrived).
bool LeftClickOnScreen(POINT pt);

// Types text as the user types it: real key strokes, one Unicode character
// each, that the system turns into the focused window's characters.
void TypeOnKeyboard(const wchar_t* text);

// A shown pop-up menu window ("#32768") of this thread, or NULL.
HWND ShownMenu();

// ---------------------------------------------------------------------------
// CMenuWatch: acts on a pop-up menu once it is up. From the moment it is made,
// a thread timer looks at each tick for a shown menu of this thread; the
// first tick that finds one runs the action (read the items, send keys, end
// the menu). The ticks run in whatever loop tracks the menu, so the action
// runs inside it. A menu that has not come within the limit counts as never
// shown; one that comes later, or is still up when the action has run and a
// limit passed, is ended, so that no menu is left to hold the test.
//
//   CMenuWatch watch([&](HWND) { states = ReadItems(menu); ::EndMenu(); });
//   button.SendMessage(WM_CONTEXTMENU, ...);     // returns once the menu ends
//   EXPECT_TRUE(watch.Acted()) << "the menu never showed";
// ---------------------------------------------------------------------------
class CMenuWatch {
 public:
  explicit CMenuWatch(std::function<void(HWND menu)> action, DWORD limitMs = kWaitMs);
  ~CMenuWatch();
  CMenuWatch(const CMenuWatch&) = delete;
  CMenuWatch& operator=(const CMenuWatch&) = delete;

  // The menu showed and the action ran.
  bool Acted() const { return m_acted; }
  // A menu was still up after the limit and the watch ended it.
  bool EndedAMenu() const { return m_endedAMenu; }

 private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD);

  std::function<void(HWND)> m_action;
  ULONGLONG m_end;
  UINT_PTR m_timer = 0;
  bool m_acted = false;
  bool m_endedAMenu = false;
};

// ---------------------------------------------------------------------------
// CMessageRecorder: records the messages sent and posted to watched windows of
// this thread, in the order their window procedures see them, so that one table
// states a whole behaviour and a failure prints what actually happened.
//
//   CMessageRecorder rec;
//   rec.Watch(parent, "parent"); rec.Watch(child, "child");
//   rec.Only({WM_COMMAND, WM_NOTIFY});
//   ... drive the windows ...
//   EXPECT_TRUE(rec.Matches({{"child", WM_COMMAND, kSent, ...}, ...}));
// ---------------------------------------------------------------------------
enum : int { kSent = 0, kPosted = 1, kSentOrPosted = 2 };
constexpr WPARAM kAnyWParam = (WPARAM)-1;
constexpr int kAnyId = INT_MIN;
constexpr UINT kAnyCode = (UINT)-1;

struct RecordedMessage {
  std::string window;   // the name given to Watch()
  UINT msg;
  int how;              // kSent or kPosted
  WPARAM wParam;
  int ctrlId;           // WM_COMMAND / WM_NOTIFY: the control id, else 0
  UINT code;            // WM_COMMAND / WM_NOTIFY: the notification code, else 0
};

struct ExpectedMessage {
  const char* window;
  UINT msg;
  int how = kSentOrPosted;
  WPARAM wParam = kAnyWParam;
  int ctrlId = kAnyId;
  UINT code = kAnyCode;
};

class CMessageRecorder {
 public:
  CMessageRecorder();   // hooks the calling thread
  ~CMessageRecorder();
  CMessageRecorder(const CMessageRecorder&) = delete;
  CMessageRecorder& operator=(const CMessageRecorder&) = delete;

  void Watch(HWND hwnd, const std::string& name);
  // Records only these messages (default: all messages to watched windows).
  void Only(std::initializer_list<UINT> msgs);
  void Clear() { m_records.clear(); }
  void Pause(bool paused) { m_paused = paused; }

  const std::vector<RecordedMessage>& Records() const { return m_records; }
  // The records as lines "child  sent  WM_COMMAND  wParam=0x... id=1001 code=0".
  std::string Sequence() const;
  // Exactly this sequence (the filter applies first).
  ::testing::AssertionResult Matches(const std::vector<ExpectedMessage>& expected) const;
  // The expected messages appear in this order, others may come between.
  ::testing::AssertionResult Contains(const std::vector<ExpectedMessage>& expected) const;
  int Count(UINT msg) const;

  static std::string MessageName(UINT msg);

 private:
  static LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam);
  void Record(HWND hwnd, UINT msg, int how, WPARAM wParam, LPARAM lParam);

  HHOOK m_hookSent = nullptr;
  HHOOK m_hookPosted = nullptr;
  std::vector<std::pair<HWND, std::string>> m_windows;
  std::vector<UINT> m_only;
  std::vector<RecordedMessage> m_records;
  bool m_paused = false;
  CMessageRecorder* m_previous = nullptr;
};

// ---------------------------------------------------------------------------
// CDialogAnswerer: answers every dialog box ("#32770": message boxes, common
// dialogs, the program's own modal dialogs) that becomes active on the watched
// thread, recording its caption and text, so that code paths that show a box
// can be tested without changing the product code.
//
//   CDialogAnswerer answerer;            // hooks the calling thread
//   answerer.Answer(IDNO);               // the next box is answered No
//   ... code that shows boxes ...
//   ASSERT_EQ(answerer.Shown().size(), 1u);
//   EXPECT_EQ(answerer.Shown()[0].text, "Please enter an integer.");
// ---------------------------------------------------------------------------
struct ShownDialog {
  std::string caption;
  std::string text;     // a message box's text (control 0xFFFF); empty for other dialogs
  HWND hwnd;
};

class CDialogAnswerer {
 public:
  // A handler gets the dialog and what was recorded of it; it may fill in controls
  // and must end the dialog (press a button) itself.
  using Handler = std::function<void(HWND dialog, const ShownDialog& shown)>;

  explicit CDialogAnswerer(DWORD threadId = GetCurrentThreadId());
  ~CDialogAnswerer();
  CDialogAnswerer(const CDialogAnswerer&) = delete;
  CDialogAnswerer& operator=(const CDialogAnswerer&) = delete;

  // Queues the button pressed on the next box; without a queued answer a box is
  // answered with the default (IDOK, or IDCANCEL when the box has no OK button).
  void Answer(int buttonId);
  // Queues a handler for the next dialog instead of a button.
  void Handle(Handler handler);
  void SetDefault(int buttonId) { m_default = buttonId; }

  const std::vector<ShownDialog>& Shown() const { return m_shown; }
  std::vector<std::string> Texts() const;
  void Clear() { m_shown.clear(); }

  // Presses a dialog's button as a user would (posted BN_CLICKED).
  static void PressButton(HWND dialog, int buttonId);

 private:
  static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
  void OnActivate(HWND hwnd);

  HHOOK m_hook = nullptr;
  DWORD m_threadId;
  int m_default = IDOK;
  std::vector<std::function<void(HWND, const ShownDialog&)>> m_queue;
  std::vector<ShownDialog> m_shown;
  std::vector<HWND> m_handled;
};

// ---------------------------------------------------------------------------
// CStepDriver: runs queued steps one per tick of a thread timer, so that any
// message loop of the thread runs them, a pop-up's or a common dialog's
// included. A wait holds the steps until its condition holds (a window to
// appear), with a limit. A wait that runs out, a step that fails an
// assertion, or a last step that leaves the driven loop running past the
// limit fails the test, and from then on every tick closes what may hold the
// loop (a menu, the mouse capture, a window taking keys: Escape), so that
// the test goes on instead of hanging. A tick that comes while a step still
// runs (in a box the step opened) waits for it.
//
//   CStepDriver driver;
//   driver.WaitFor([&] { return popup.IsWindowVisible(); }, "the pop-up");
//   driver.Then([&] { PostClick(popup, cell); });
//   button.SendMessage(BM_CLICK);          // the pop-up's loop runs the steps
//   EXPECT_TRUE(driver.Done());
// ---------------------------------------------------------------------------
class CStepDriver {
 public:
  explicit CStepDriver(UINT intervalMs = 20);
  // Steps that return false until they could act, each waited for in turn.
  explicit CStepDriver(const std::vector<std::function<bool()>>& steps, UINT intervalMs = 30);
  ~CStepDriver();
  CStepDriver(const CStepDriver&) = delete;
  CStepDriver& operator=(const CStepDriver&) = delete;

  void Then(std::function<void()> step);
  void WaitFor(std::function<bool()> condition, const char* what = "the awaited window or state",
               DWORD limitMs = kWaitMs);
  bool Done() const { return m_next >= m_steps.size(); }

 private:
  struct Step {
    std::function<bool()> run;   // true when the step is over
    std::string what;            // a wait's description; empty for an action
    DWORD limitMs = 0;
  };
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
  void Tick();
  void Fail(const std::string& why);
  static void Release();

  std::vector<Step> m_steps;
  size_t m_next = 0;
  ULONGLONG m_since = 0;   // when the current wait began, or the last step ran
  bool m_failed = false;
  bool m_running = false;
  UINT_PTR m_timer = 0;
  CStepDriver* m_previous = nullptr;
};

// Reads a window's text as a std::string.
std::string WindowText(HWND hwnd);
