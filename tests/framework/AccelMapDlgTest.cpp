// The shortcut editor under real messages: a command picked with a click,
// Ctrl+S pressed into the key field and assigned, the same keys refused for a
// second command (the owner is named), a locked key kept with its message, a
// user key removed; then the file saved to its golden bytes and read back.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "AccelMapDlg.h"
#include "ShortcutsFixture.h"
#include "controls_res.h"
#include "testsupport.h"

namespace {

// Runs the steps on the dialog once it is active, one per timer tick inside
// its own modal loop, so that what each posts is delivered before the next
// looks at the result. The last step must close it: a script that fails or
// leaves it open fails the test and closes it.
std::unique_ptr<CStepDriver> Script(CDialogAnswerer& answerer, std::vector<std::function<void(HWND)>> steps)
{
  static HWND s_dialog = nullptr;
  s_dialog = nullptr;
  answerer.Handle([](HWND dialog, const ShownDialog&) { s_dialog = dialog; });
  auto driver = std::make_unique<CStepDriver>(40);
  driver->WaitFor([] { return s_dialog != nullptr; }, "the dialog");
  for (auto& step : steps) driver->Then([step] { step(s_dialog); });
  return driver;
}

std::vector<std::string> ListItems(HWND list)
{
  std::vector<std::string> items;
  int n = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < n; ++i) {
    char text[64] = "";
    SendMessageA(list, LB_GETTEXT, i, (LPARAM)text);
    items.push_back(text);
  }
  return items;
}

void ClickItem(HWND list, int index)
{
  RECT rc;
  SendMessageA(list, LB_GETITEMRECT, index, (LPARAM)&rc);
  LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

// Key presses as the keyboard posts them: scan code in bits 16-23, bit 30 set
// for a repeat, bits 30 and 31 set for a release.
void Key(HWND wnd, UINT msg, WPARAM vk, bool repeat = false)
{
  LPARAM lParam = 1 | ((LPARAM)MapVirtualKeyA((UINT)vk, 0) << 16);
  if (repeat) lParam |= 1L << 30;
  if (msg == WM_KEYUP) lParam |= (1L << 30) | (1UL << 31);
  PostMessageA(wnd, msg, vk, lParam);
}

void PressCtrlPlus(HWND wnd, WPARAM vk)
{
  Key(wnd, WM_KEYDOWN, VK_CONTROL);
  Key(wnd, WM_KEYDOWN, vk);
  Key(wnd, WM_KEYDOWN, vk, true);   // held down: the combination stays
  Key(wnd, WM_KEYUP, vk);
  Key(wnd, WM_KEYUP, VK_CONTROL);
}

// Ctrl, a second modifier (VK_SHIFT or VK_MENU) and the key.
void PressCtrlAndPlus(HWND wnd, WPARAM modifier, WPARAM vk)
{
  Key(wnd, WM_KEYDOWN, VK_CONTROL);
  Key(wnd, WM_KEYDOWN, modifier);
  Key(wnd, WM_KEYDOWN, vk);
  Key(wnd, WM_KEYUP, vk);
  Key(wnd, WM_KEYUP, modifier);
  Key(wnd, WM_KEYUP, VK_CONTROL);
}

void Click(HWND dialog, int id)
{
  PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

int FindItem(HWND list, const char* text)
{
  return (int)SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text);
}

class AccelMapDlgTest : public ShortcutsFixture {
 protected:
  AccelMapDlgTest() : ShortcutsFixture("Software\\Pellucor Test\\AccelMapDlgTest") {}
};

TEST_F(AccelMapDlgTest, AssignsRefusesDuplicatesKeepsLockedKeysAndSaves)
{
  CDialogAnswerer answerer;
  HWND commands = nullptr, accels = nullptr, key = nullptr, owner = nullptr;
  std::vector<std::string> seen;
  auto script = Script(answerer, {
      [&](HWND dlg) {
        commands = GetDlgItem(dlg, IDC_ACCEL_COMMANDS);
        accels = GetDlgItem(dlg, IDC_ACCEL_LIST);
        key = GetDlgItem(dlg, IDC_ACCEL_KEY);
        owner = GetDlgItem(dlg, IDC_ACCEL_OWNER);
        EXPECT_EQ(ListItems(commands), (std::vector<std::string>{"Open", "Print", "Save"}));
        EXPECT_EQ(SendMessageA(commands, LB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(ListItems(accels), (std::vector<std::string>{"Ctrl+O"}));
        EXPECT_TRUE(IsWindowEnabled(key));
        DWORD style = GetWindowLongA(dlg, GWL_STYLE);
        EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), (DWORD)(WS_POPUP | WS_CAPTION | WS_SYSMENU));
        ClickItem(commands, FindItem(commands, "Save"));
      },
      [&](HWND) {
        EXPECT_TRUE(ListItems(accels).empty());
        PressCtrlPlus(key, 'S');
      },
      [&](HWND dlg) {
        EXPECT_EQ(WindowText(key), "Ctrl+S");
        Click(dlg, IDC_ACCEL_ASSIGN);
      },
      [&](HWND) {
        EXPECT_EQ(ListItems(accels), (std::vector<std::string>{"Ctrl+S"}));
        EXPECT_EQ(WindowText(key), "");
        // Open's keys for Save: refused, Open is named.
        PressCtrlPlus(key, 'O');
      },
      [&](HWND dlg) { Click(dlg, IDC_ACCEL_ASSIGN); },
      [&](HWND) {
        EXPECT_EQ(WindowText(owner), "Open");
        EXPECT_EQ(ListItems(accels), (std::vector<std::string>{"Ctrl+S"}));
        EXPECT_EQ(WindowText(key), "Ctrl+O");
        DWORD from = 0, to = 0;
        SendMessageA(key, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
        EXPECT_EQ(from, 0u);
        EXPECT_EQ(to, 6u);
        // Held for a picture of the editor when asked.
        if (const char* hold = getenv("CONTROLS_TEST_HOLD_MS")) Sleep((DWORD)atoi(hold));
        ClickItem(commands, FindItem(commands, "Print"));
      },
      [&](HWND) {
        EXPECT_EQ(ListItems(accels), (std::vector<std::string>{"Ctrl+P"}));
        SendMessageA(accels, LB_SETCURSEL, 0, 0);
      },
      [&](HWND dlg) { Click(dlg, IDC_ACCEL_REMOVE); },
      [&](HWND) {
        EXPECT_EQ(ListItems(accels), (std::vector<std::string>{"Ctrl+P"}));
        ClickItem(commands, FindItem(commands, "Open"));
      },
      [&](HWND) { ClickItem(accels, 0); },
      [&](HWND dlg) { Click(dlg, IDC_ACCEL_REMOVE); },
      [&](HWND dlg) {
        EXPECT_TRUE(ListItems(accels).empty());
        Click(dlg, IDOK);
      },
  });

  CAccelMapDlg dlg(&mgr, frame);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(script->Done());
  EXPECT_EQ(answerer.Texts(), (std::vector<std::string>{"", "Unable to remove this\naccelerator (Locked)"}));

  // The file holds Save's Ctrl+S only: Print's is built in and Open's was removed.
  ASSERT_TRUE(mgr.Write());
  std::vector<BYTE> golden = {1, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xFF, 1, 0, 100, 0, 1, 0, 'S', 0, 9, 2};
  golden.insert(golden.end(), 20, 0);
  EXPECT_EQ(FileBytes(), golden);

  CAcceleratorManager reader;
  reader.Connect(frame);
  reader.SetAccel(kCtrl, kOpen, 'O', "Open");
  reader.CreateEntry(kSave, "Save");
  ASSERT_TRUE(reader.Load(HKEY_CURRENT_USER, "Shortcuts"));
  CString text;
  ASSERT_NE(reader.Lookup(kSave), nullptr);
  ASSERT_EQ(reader.Lookup(kSave)->m_Accels.GetCount(), 1);
  reader.Lookup(kSave)->m_Accels.GetHead()->GetString(text);
  EXPECT_EQ(text, CString("Ctrl+S"));
}

// Shift and Alt make combinations of their own: Ctrl+Shift+O is free beside
// Open's Ctrl+O, and with Print holding Ctrl+Shift+K, Ctrl+Alt+K is free
// while Ctrl+Shift+K is refused with Print named. A punctuation key is named
// in the key field and the listing, and is assigned without a box.
TEST_F(AccelMapDlgTest, ModifiersAndPunctuationKeysMakeCombinationsOfTheirOwn)
{
  ASSERT_TRUE(mgr.SetAccel(kCtrl | FSHIFT, kPrint, 'K', "Print"));
  CDialogAnswerer answerer;
  HWND commands = nullptr, accels = nullptr, key = nullptr, owner = nullptr;
  auto script = Script(answerer, {
      [&](HWND dlg) {
        commands = GetDlgItem(dlg, IDC_ACCEL_COMMANDS);
        accels = GetDlgItem(dlg, IDC_ACCEL_LIST);
        key = GetDlgItem(dlg, IDC_ACCEL_KEY);
        owner = GetDlgItem(dlg, IDC_ACCEL_OWNER);
        ClickItem(commands, FindItem(commands, "Save"));
      },
      [&](HWND) { PressCtrlAndPlus(key, VK_SHIFT, 'O'); },
      [&](HWND dlg) {
        EXPECT_EQ(WindowText(key), "Ctrl+Shift+O");
        Click(dlg, IDC_ACCEL_ASSIGN);
      },
      [&](HWND) {
        EXPECT_EQ(WindowText(owner), "") << "no other command has it";
        EXPECT_EQ(ListItems(accels), (std::vector<std::string>{"Ctrl+Shift+O"}));
        PressCtrlAndPlus(key, VK_MENU, 'K');
      },
      [&](HWND dlg) {
        EXPECT_EQ(WindowText(key), "Ctrl+Alt+K");
        Click(dlg, IDC_ACCEL_ASSIGN);
      },
      [&](HWND) {
        EXPECT_EQ(WindowText(owner), "") << "Print has Shift, not Alt";
        EXPECT_EQ(ListItems(accels), (std::vector<std::string>{"Ctrl+Shift+O", "Ctrl+Alt+K"}));
        PressCtrlAndPlus(key, VK_SHIFT, 'K');
      },
      [&](HWND dlg) {
        EXPECT_EQ(WindowText(key), "Ctrl+Shift+K");
        Click(dlg, IDC_ACCEL_ASSIGN);
      },
      [&](HWND) {
        EXPECT_EQ(WindowText(owner), "Print");
        EXPECT_EQ(ListItems(accels), (std::vector<std::string>{"Ctrl+Shift+O", "Ctrl+Alt+K"}));
        PressCtrlPlus(key, VK_OEM_1);
      },
      [&](HWND dlg) {
        EXPECT_EQ(WindowText(key), "Ctrl+;");
        Click(dlg, IDC_ACCEL_ASSIGN);
      },
      [&](HWND dlg) {
        EXPECT_EQ(ListItems(accels), (std::vector<std::string>{"Ctrl+Shift+O", "Ctrl+Alt+K", "Ctrl+;"}));
        Click(dlg, IDOK);
      },
  });
  CAccelMapDlg dlg(&mgr, frame);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(script->Done());
  EXPECT_EQ(answerer.Texts(), (std::vector<std::string>{""})) << "the editor alone, no box";
  CCmdAccelOb* pSave = mgr.Lookup(kSave);
  ASSERT_NE(pSave, nullptr);
  EXPECT_NE(pSave->Find(kCtrl | FSHIFT, 'O'), nullptr);
  EXPECT_NE(pSave->Find(kCtrl | FALT, 'K'), nullptr);
  EXPECT_EQ(pSave->Find(kCtrl | FSHIFT, 'K'), nullptr);
  EXPECT_NE(pSave->Find(kCtrl, VK_OEM_1), nullptr);
}

TEST_F(AccelMapDlgTest, WithoutAManagerTheDialogEndsAtOnce)
{
  CAccelMapDlg dlg(nullptr, frame);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(AccelMapDlgTest, WithoutCommandsTheKeyFieldIsOff)
{
  CAcceleratorManager empty;
  CDialogAnswerer answerer;
  bool enabled = true;
  int count = -1;
  auto script = Script(answerer, {[&](HWND dlg) {
    enabled = IsWindowEnabled(GetDlgItem(dlg, IDC_ACCEL_KEY)) != FALSE;
    count = (int)SendDlgItemMessageA(dlg, IDC_ACCEL_COMMANDS, LB_GETCOUNT, 0, 0);
    Click(dlg, IDOK);
  }});
  CAccelMapDlg dlg(&empty, frame);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_FALSE(enabled);
  EXPECT_EQ(count, 0);
}

}  // namespace
