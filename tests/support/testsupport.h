// Helpers for tests that drive real windows: pumping with a time limit, recording
// the messages windows receive, and answering the modal boxes code under test shows.
#pragma once

#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>

// Dispatches this thread's messages for the given time.
void PumpMessagesFor(DWORD ms);

// Dispatches this thread's messages until pred() holds or the time is up; returns pred().
bool PumpUntil(const std::function<bool()>& pred, DWORD ms);

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

// Reads a window's text as a std::string.
std::string WindowText(HWND hwnd);
