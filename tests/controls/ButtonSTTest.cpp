// The self-painting button under real messages: hover, pressed and focus
// looks, check behaviour, the drop-down menu, tooltips, the web address and
// the setters' result codes.
#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ButtonST.h"
#include "controls_test_res.h"
#include "testsupport.h"

namespace {

const COLORREF kHoverBk = RGB(200, 0, 0);
const COLORREF kNormalBk = RGB(0, 200, 0);
const COLORREF kFocusBk = RGB(0, 0, 200);
const int kId = 1200;

class ButtonSTTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    // The menu's settings are process-wide: give them back as found.
    classicMode = BCMenu::m_nClassicDrawMode;
    xpMode = BCMenu::m_nXpDrawMode;
    iconX = BCMenu::m_iconX;
    iconY = BCMenu::m_iconY;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE,
                                CRect(100, 100, 400, 300), nullptr, 0));
    ASSERT_TRUE(Make(button, BS_PUSHBUTTON));
    SetColors(button);
  }
  void TearDown() override
  {
    CButtonST::s_pfnShellExecuteEx = ::ShellExecuteExA;
    parent.DestroyWindow();
    SetCursorPos(0, 0);
    BCMenu::m_nClassicDrawMode = classicMode;
    BCMenu::m_nXpDrawMode = xpMode;
    BCMenu::m_iconX = iconX;
    BCMenu::m_iconY = iconY;
  }

  BOOL Make(CButtonST& b, DWORD type, int id = kId, int x = 10)
  {
    HWND h = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | type,
                               x, 10, 80, 30, parent.m_hWnd, (HMENU)(INT_PTR)id, nullptr, nullptr);
    return h != nullptr && b.SubclassWindow(h);
  }
  static void SetColors(CButtonST& b)
  {
    b.SetColor(CButtonST::BTNST_COLOR_BK_IN, kHoverBk, FALSE);
    b.SetColor(CButtonST::BTNST_COLOR_BK_OUT, kNormalBk, FALSE);
    b.SetColor(CButtonST::BTNST_COLOR_BK_FOCUS, kFocusBk, FALSE);
  }

  // The button painted by the window system itself: WM_PRINTCLIENT makes it
  // send WM_DRAWITEM with its real state, which the parent reflects back.
  static COLORREF Pixel(CButtonST& b, int x = 20, int y = 15)
  {
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 80, 30);
    ::ReleaseDC(nullptr, hdcScreen);
    HGDIOBJ old = ::SelectObject(hdc, hbm);
    ::PatBlt(hdc, 0, 0, 80, 30, WHITENESS);
    b.SendMessage(WM_PRINTCLIENT, (WPARAM)hdc, PRF_CLIENT);
    COLORREF cr = ::GetPixel(hdc, x, y);
    ::SelectObject(hdc, old);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);
    return cr;
  }

  void MoveOver(CButtonST& b, UINT flags = 0)
  {
    CRect rc;
    b.GetWindowRect(rc);
    SetCursorPos(rc.left + 5, rc.top + 5);
    b.SendMessage(WM_MOUSEMOVE, flags, MAKELPARAM(5, 5));
  }
  void Click(CButtonST& b)
  {
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    b.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }

  CWnd parent;
  CButtonST button;
  int classicMode = 0, xpMode = 0, iconX = 0, iconY = 0;
};

TEST_F(ButtonSTTest, SettersReturnTheirResultCodes)
{
  COLORREF cr = 0;
  EXPECT_EQ(button.SetColor(6, RGB(1, 2, 3)), 3u);
  EXPECT_EQ(button.GetColor(6, &cr), 3u);
  EXPECT_EQ(button.SetImageAlignment(4), 4u);
  EXPECT_EQ(button.SetPressedOffsetStyle(2), 6u);
  EXPECT_EQ(button.ShiftColor(0, 300), 5u);
  EXPECT_EQ(button.ShiftColor(7, 10), 3u);
  EXPECT_EQ(button.SetMenu(9999, parent.m_hWnd), 1u);
  EXPECT_EQ(button.SetBitmaps((HBITMAP)(INT_PTR)0x1234, RGB(0, 0, 0)), 1u);
  EXPECT_EQ(button.CaptureBackground(nullptr), 5u);   // not transparent
  EXPECT_EQ(button.LoadCursor(9998), 1u);
  EXPECT_EQ(button.SetMenu(IDR_BUTTONST_MENU, parent.m_hWnd, TRUE, 9997), 1u);
  EXPECT_EQ(button.GetMenuPopup().GetSafeHmenu(), nullptr);
  EXPECT_EQ(button.SetMenu(IDR_BCMENU_TEST, parent.m_hWnd, TRUE, IDR_BCMENU_TOOLBAR, CSize(16, 15)), 0u);
  EXPECT_EQ(button.GetColor(0, &cr), 0u);
  EXPECT_EQ(cr, kHoverBk);

  struct { COLORREF from; short by; COLORREF to; } shifts[] = {
      {RGB(255, 255, 255), 20, RGB(255, 255, 255)},
      {RGB(250, 100, 0), 20, RGB(255, 105, 5)},
      {RGB(250, 100, 10), -20, RGB(240, 90, 0)},
      {RGB(10, 20, 30), -255, RGB(0, 10, 20)},
      // Each channel in turn the first to reach its end, the others behind.
      {RGB(100, 250, 10), 20, RGB(105, 255, 15)},   // green reaches 255 first
      {RGB(100, 10, 252), 20, RGB(103, 13, 255)},   // blue reaches 255 first
      {RGB(100, 5, 50), -20, RGB(95, 0, 45)},       // green reaches 0 first
      {RGB(100, 50, 3), -20, RGB(97, 47, 0)},       // blue reaches 0 first
      {RGB(100, 100, 100), 0, RGB(100, 100, 100)},
      {RGB(0, 0, 0), 255, RGB(255, 255, 255)},
  };
  for (const auto& s : shifts) {
    button.SetColor(2, s.from);
    EXPECT_EQ(button.ShiftColor(2, s.by), 0u);
    button.GetColor(2, &cr);
    EXPECT_EQ(cr, s.to) << std::hex << s.from << " by " << std::dec << s.by;
  }
  EXPECT_EQ(CButtonST::DarkenColor(RGB(200, 100, 4), 0.25), RGB(150, 75, 3));
  EXPECT_EQ(CButtonST::DarkenColor(RGB(200, 100, 4), 1.5), RGB(200, 100, 4));
}

TEST_F(ButtonSTTest, SubclassingMakesItOwnerDrawnAndKeepsTheDefaultRole)
{
  CButtonST def, check;
  ASSERT_TRUE(Make(def, BS_DEFPUSHBUTTON, kId + 1, 100));
  ASSERT_TRUE(Make(check, BS_AUTOCHECKBOX, kId + 2, 190));
  EXPECT_EQ(def.GetStyle() & BS_TYPEMASK, (DWORD)BS_OWNERDRAW);
  EXPECT_EQ(check.GetStyle() & BS_TYPEMASK, (DWORD)BS_OWNERDRAW);
  EXPECT_TRUE(def.IsDefault());
  EXPECT_TRUE(def.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);

  def.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_FALSE(def.IsDefault());
  EXPECT_EQ(def.GetStyle() & BS_TYPEMASK, (DWORD)BS_OWNERDRAW);
  EXPECT_TRUE(def.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);

  check.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
  EXPECT_EQ(check.SendMessage(BM_GETCHECK), 1);
  check.SendMessage(BM_SETCHECK, BST_UNCHECKED);
  EXPECT_EQ(check.GetCheck(), 0);
  button.SendMessage(BM_SETCHECK, BST_CHECKED);   // a push button has no check
  EXPECT_EQ(button.GetCheck(), 0);
}

TEST_F(ButtonSTTest, HoverLightsAFlatButtonUntilThePointerLeaves)
{
  EXPECT_EQ(Pixel(button), kNormalBk);
  MoveOver(button);
  EXPECT_TRUE(button.IsHovered());
  EXPECT_EQ(Pixel(button), kHoverBk);

  SetCursorPos(5, 5);
  EXPECT_TRUE(PumpUntil([&] { return !button.IsHovered(); }, kWaitMs));
  EXPECT_EQ(Pixel(button), kNormalBk);

  // A drag that began elsewhere does not light it; a lit one stays lit.
  MoveOver(button, MK_LBUTTON);
  EXPECT_FALSE(button.IsHovered());
  MoveOver(button);
  MoveOver(button, MK_LBUTTON);
  EXPECT_TRUE(button.IsHovered());
  button.SendMessage(WM_CANCELMODE);
  EXPECT_FALSE(button.IsHovered());

  button.SetFlat(FALSE);
  MoveOver(button);
  EXPECT_FALSE(button.IsHovered());
}

TEST_F(ButtonSTTest, PressedAndFocusedLooksFollowTheButtonState)
{
  button.SetFocus();
  ASSERT_EQ(::GetFocus(), button.m_hWnd);
  EXPECT_EQ(Pixel(button), kFocusBk);
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Pixel(button), kHoverBk);
  button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Pixel(button), kFocusBk);

  // Disabling moves the focus on to the next tab stop.
  CButtonST next;
  ASSERT_TRUE(Make(next, BS_PUSHBUTTON, kId + 1, 100));
  button.EnableWindow(FALSE);
  EXPECT_EQ(::GetFocus(), next.m_hWnd);
}

TEST_F(ButtonSTTest, CheckButtonTogglesOnClicksAndTheParentStillHearsThem)
{
  CButtonST check;
  ASSERT_TRUE(Make(check, BS_CHECKBOX, kId + 1, 100));
  SetColors(check);
  CMessageRecorder rec;
  rec.Watch(parent.m_hWnd, "parent");
  rec.Only({WM_COMMAND});

  Click(check);
  EXPECT_EQ(check.GetCheck(), 1);
  SetCursorPos(0, 0);
  check.SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(Pixel(check), kHoverBk);   // a checked button rests pressed
  Click(check);
  EXPECT_EQ(check.GetCheck(), 0);
  EXPECT_TRUE(rec.Matches({{"parent", WM_COMMAND, kSent, kAnyWParam, kId + 1, BN_CLICKED},
                           {"parent", WM_COMMAND, kSent, kAnyWParam, kId + 1, BN_CLICKED}}))
      << rec.Sequence();
}

TEST_F(ButtonSTTest, DoubleClickCountsAsTwoClicks)
{
  CMessageRecorder rec;
  rec.Watch(parent.m_hWnd, "parent");
  rec.Only({WM_COMMAND});
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    button.PostMessage(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
  MSG msg;
  while (::PeekMessageA(&msg, button.m_hWnd, 0, 0, PM_REMOVE))
    if (!button.PreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  EXPECT_TRUE(rec.Matches({{"parent", WM_COMMAND, kSent, kAnyWParam, kId, BN_CLICKED},
                           {"parent", WM_COMMAND, kSent, kAnyWParam, kId, BN_CLICKED}}))
      << rec.Sequence();
}

TEST_F(ButtonSTTest, DropDownMenuPostsTheChosenCommandToItsTarget)
{
  ASSERT_EQ(button.SetMenu(IDR_BUTTONST_MENU, parent.m_hWnd), 0u);
  const UINT kNotify = WM_APP + 5;
  button.SetMenuNotify(parent.m_hWnd, kNotify, 77);
  CMessageRecorder rec;
  rec.Watch(parent.m_hWnd, "parent");
  rec.Only({WM_COMMAND, kNotify});
  const WPARAM popup = (WPARAM)::GetSubMenu(button.GetMenuPopup().GetSafeHmenu(), 0);

  bool pressedWhileOpen = false;
  {
    CMenuWatch watch([&](HWND) {
      pressedWhileOpen = button.IsMenuDisplayed() && Pixel(button) == kHoverBk;
      ::PostMessageA(button.m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
      ::PostMessageA(button.m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
      ::PostMessageA(button.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    });
    Click(button);
    ASSERT_TRUE(watch.Acted()) << "the drop-down menu never showed";
  }
  EXPECT_TRUE(pressedWhileOpen);
  EXPECT_FALSE(button.IsMenuDisplayed());
  PumpMessagesFor(50);
  // The parent hears the click before reflecting it to the button.
  EXPECT_TRUE(rec.Matches({{"parent", WM_COMMAND, kSent, kAnyWParam, kId, BN_CLICKED},
                           {"parent", kNotify, kSent, popup},
                           {"parent", WM_COMMAND, kPosted, MAKEWPARAM(ID_BUTTONST_SECOND, 0)}}))
      << rec.Sequence();

  // Closing the menu with nothing chosen posts nothing.
  rec.Clear();
  {
    CMenuWatch watch([](HWND) { ::EndMenu(); });
    Click(button);
    ASSERT_TRUE(watch.Acted()) << "the drop-down menu never showed";
  }
  PumpMessagesFor(50);
  EXPECT_EQ(rec.Count(WM_COMMAND), 1) << rec.Sequence();   // only the click itself
}

TEST_F(ButtonSTTest, TooltipHasOneToolWhoseTextFollowsTheLastCall)
{
  button.SetTooltipText((LPCTSTR)nullptr);
  EXPECT_EQ(button.GetToolTip().m_hWnd, nullptr);

  button.EnableBalloonTooltip();
  button.SetTooltipText("Close this dialog");
  ASSERT_NE(button.GetToolTip().m_hWnd, nullptr);
  EXPECT_TRUE(button.GetToolTip().GetStyle() & TTS_BALLOON);
  EXPECT_EQ(button.GetToolTip().GetMaxTipWidth(), 400);
  button.SetTooltipText("Save and Close");
  EXPECT_EQ(button.GetToolTip().GetToolCount(), 1);
  CString text;
  button.GetToolTip().GetText(text, &button, 1);
  EXPECT_STREQ((LPCSTR)text, "Save and Close");
}

TEST_F(ButtonSTTest, OwnCursorIsSetOverTheButton)
{
  const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  HCURSOR hand = (HCURSOR)::CopyImage(::LoadCursorA(nullptr, IDC_HAND), IMAGE_CURSOR, 0, 0, 0);
  ASSERT_EQ(button.SetCursorHandle(hand), 0u);
  ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_TRUE(button.SendMessage(WM_SETCURSOR, (WPARAM)button.m_hWnd, overClient));
  EXPECT_EQ(::GetCursor(), hand);
  EXPECT_EQ(button.LoadCursor(0), 0u);   // none: the default handling again
  ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  button.SendMessage(WM_SETCURSOR, (WPARAM)button.m_hWnd, overClient);
  EXPECT_NE(::GetCursor(), hand);
}

static SHELLEXECUTEINFOA g_sei;
static std::string g_file;
static int g_shellCalls = 0;
static BOOL WINAPI FakeShellExecuteEx(SHELLEXECUTEINFOA* p)
{
  g_sei = *p;
  g_file = p->lpFile;
  ++g_shellCalls;
  return TRUE;
}

struct PlayedSound {
  std::string name;
  HMODULE hMod;
  DWORD dwFlags;
};
std::vector<PlayedSound> g_sounds;
BOOL WINAPI RecordingPlaySound(LPCSTR pszSound, HMODULE hMod, DWORD dwFlags)
{
  g_sounds.push_back({pszSound && !IS_INTRESOURCE(pszSound) ? pszSound : "#", hMod, dwFlags});
  return TRUE;
}

TEST_F(ButtonSTTest, ClickOpensTheAddressThroughTheShellAndPlaysItsSound)
{
  CButtonST::s_pfnShellExecuteEx = FakeShellExecuteEx;
  CButtonST::s_pfnPlaySound = RecordingPlaySound;
  g_shellCalls = 0;
  g_sounds.clear();
  button.SetUrl("http://example.invalid/support");
  std::string sName = "click.wav";
  button.SetSound(sName.c_str(), nullptr, TRUE, FALSE);
  sName = "changed";   // the button keeps its own copy of a file name
  Click(button);
  ASSERT_EQ(g_sounds.size(), 1u);
  EXPECT_EQ(g_sounds[0].name, "click.wav");
  EXPECT_EQ(g_sounds[0].hMod, nullptr);
  EXPECT_EQ(g_sounds[0].dwFlags, (DWORD)(SND_FILENAME | SND_NODEFAULT | SND_NOWAIT));
  // Played asynchronously when asked; no sound set, none played.
  button.SetSound("async.wav", nullptr, TRUE, TRUE);
  Click(button);
  ASSERT_EQ(g_sounds.size(), 2u);
  EXPECT_EQ(g_sounds[1].dwFlags, (DWORD)(SND_FILENAME | SND_NODEFAULT | SND_NOWAIT | SND_ASYNC));
  button.SetSound(nullptr, nullptr, TRUE, FALSE);
  Click(button);
  EXPECT_EQ(g_sounds.size(), 2u);
  // The real call with no audio device must not hang.
  CButtonST::s_pfnPlaySound = ::PlaySoundA;
  button.SetSound("no-such-sound.wav", nullptr, TRUE, FALSE);
  Click(button);
  ASSERT_EQ(g_shellCalls, 4);
  g_shellCalls = 1;
  EXPECT_EQ(g_file, "http://example.invalid/support");
  EXPECT_STREQ(g_sei.lpVerb, "open");
  EXPECT_EQ(g_sei.nShow, SW_SHOWMAXIMIZED);
  EXPECT_EQ(g_sei.fMask, (ULONG)SEE_MASK_FLAG_NO_UI);

  std::string longUrl(300, 'a');
  button.SetUrl(longUrl.c_str());
  Click(button);
  EXPECT_EQ(g_file.size(), 259u);
  button.SetUrl(nullptr);
  Click(button);
  EXPECT_EQ(g_shellCalls, 2);
}

TEST_F(ButtonSTTest, BitmapsDrawThroughTheirMaskAndTheGreyCopyRests)
{
  // 8 x 8: magenta (transparent) on the left half, pure red on the right.
  HDC hdcScreen = ::GetDC(nullptr);
  HBITMAP bmp = ::CreateCompatibleBitmap(hdcScreen, 8, 8);
  ::ReleaseDC(nullptr, hdcScreen);
  HDC hdc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(hdc, bmp);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ::SetPixel(hdc, x, y, x < 4 ? RGB(255, 0, 255) : RGB(255, 0, 0));
  ::SelectObject(hdc, old);
  ::DeleteDC(hdc);

  ASSERT_EQ(button.SetBitmaps(bmp, RGB(255, 0, 255), (HBITMAP)CButtonST::BTNST_AUTO_GRAY, 0), 0u);
  // No caption: the image is centred at (36, 11).
  const int gray = (int)(0.299 * 255);
  EXPECT_EQ(Pixel(button, 37, 12), kNormalBk);                 // transparent half
  EXPECT_EQ(Pixel(button, 41, 12), RGB(gray, gray, gray));     // resting: the grey copy
  MoveOver(button);
  EXPECT_EQ(Pixel(button, 41, 12), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(button, 37, 12), kHoverBk);

  // Pressed, the image moves by the pressed offset (1, 1)...
  EXPECT_EQ(Pixel(button, 44, 12), kHoverBk);
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Pixel(button, 44, 12), RGB(255, 0, 0));
  button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

  // ...but a check button's never does.
  CButtonST check;
  ASSERT_TRUE(Make(check, BS_CHECKBOX, kId + 1, 100));
  HBITMAP copy = (HBITMAP)::CopyImage(bmp, IMAGE_BITMAP, 0, 0, 0);
  ASSERT_EQ(check.SetBitmaps(copy, RGB(255, 0, 255)), 0u);
  check.SetCheck(1);
  EXPECT_EQ(Pixel(check, 43, 12), RGB(255, 0, 0));
  EXPECT_NE(Pixel(check, 44, 12), RGB(255, 0, 0));
}

TEST_F(ButtonSTTest, IconsRestInTheirDarkerCopyAndFitTheButton)
{
  // 16 x 16 icon, all pure red.
  std::vector<DWORD> bits(16 * 16, 0x00FF0000);
  HBITMAP color = ::CreateBitmap(16, 16, 1, 32, bits.data());
  std::vector<BYTE> maskBits(2 * 16, 0);
  HBITMAP mask = ::CreateBitmap(16, 16, 1, 1, maskBits.data());
  ICONINFO ii = {TRUE, 8, 8, mask, color};
  HICON icon = ::CreateIconIndirect(&ii);
  ::DeleteObject(color);
  ::DeleteObject(mask);
  ASSERT_NE(icon, nullptr);

  ASSERT_EQ(button.SetIcon(icon, (HICON)CButtonST::BTNST_AUTO_DARKER), 0u);
  EXPECT_EQ(Pixel(button, 40, 15), RGB(191, 0, 0));   // 255 - 0.25 x 255, truncated
  MoveOver(button);
  EXPECT_EQ(Pixel(button, 40, 15), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(button, 5, 5), kHoverBk);

  button.FitToImage();
  CRect rc;
  button.GetClientRect(rc);
  EXPECT_EQ(rc.Size(), CSize(16, 16));
}

TEST_F(ButtonSTTest, TransparentButtonShowsTheCapturedBackground)
{
  button.EnableTransparency();
  HDC hdcScreen = ::GetDC(nullptr);
  HDC hdc = ::CreateCompatibleDC(hdcScreen);
  HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 300, 200);
  ::ReleaseDC(nullptr, hdcScreen);
  HGDIOBJ old = ::SelectObject(hdc, hbm);
  RECT all = {0, 0, 300, 200};
  HBRUSH brush = ::CreateSolidBrush(RGB(10, 20, 30));
  ::FillRect(hdc, &all, brush);
  ::DeleteObject(brush);
  EXPECT_EQ(button.CaptureBackground(CDC::FromHandle(hdc)), 0u);
  ::SelectObject(hdc, old);
  ::DeleteObject(hbm);
  ::DeleteDC(hdc);
  EXPECT_EQ(Pixel(button), RGB(10, 20, 30));
}

// The resource-id setters load the module's image (FitToImage takes its size)
// and pass the generation markers on; an out image that is no bitmap fails
// the call and leaves no image behind.
TEST_F(ButtonSTTest, ImagesByResourceIdAndAFailingOutImage)
{
  auto fittedSize = [&] {
    button.FitToImage();
    CRect rc;
    button.GetClientRect(rc);
    return rc.Size();
  };
  BITMAP bm = {};
  HBITMAP in = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_BCMENU_TOOLBAR));
  ASSERT_NE(::GetObject(in, sizeof bm, &bm), 0);

  ASSERT_EQ(button.SetBitmaps(IDR_BCMENU_TOOLBAR, RGB(192, 192, 192), (int)CButtonST::BTNST_AUTO_DARKER), 0u);
  EXPECT_EQ(fittedSize(), CSize(bm.bmWidth, bm.bmHeight));
  ASSERT_EQ(button.SetIcon(IDI_BUTTONST_TEST, 16, 16, (int)CButtonST::BTNST_AUTO_GRAY), 0u);
  EXPECT_EQ(fittedSize(), CSize(16, 16));

  button.SetWindowPos(nullptr, 0, 0, 80, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(button.SetBitmaps(in, RGB(192, 192, 192), (HBITMAP)(INT_PTR)0x1234), 1u);
  EXPECT_EQ(fittedSize(), CSize(80, 30)) << "no image kept";
}

// The resource forms: a missing first image is a failure, the second image
// loaded for it is freed, and the button keeps what it showed.
std::vector<HANDLE> g_loaded;
HANDLE WINAPI RecordingLoadImage(HINSTANCE hInst, LPCSTR pszName, UINT uType, int cx, int cy, UINT uFlags)
{
  HANDLE h = ::LoadImageA(hInst, pszName, uType, cx, cy, uFlags);
  g_loaded.push_back(h);
  return h;
}

TEST_F(ButtonSTTest, ResourceFormsFailOnAMissingFirstImageAndFreeTheSecond)
{
  const int nMissing = 31999;
  auto iconAlive = [](HANDLE h) {
    ICONINFO ii = {};
    if (!::GetIconInfo((HICON)h, &ii))
      return false;
    ::DeleteObject(ii.hbmMask);
    if (ii.hbmColor) ::DeleteObject(ii.hbmColor);
    return true;
  };
  auto bitmapAlive = [](HANDLE h) {
    BITMAP bm;
    return ::GetObject(h, sizeof bm, &bm) != 0;
  };
  CButtonST::s_pfnLoadImage = RecordingLoadImage;
  ASSERT_EQ(button.SetIcon(IDI_BUTTONST_TEST, 16, 16, 0, 0, 0), 0u);

  g_loaded.clear();
  EXPECT_EQ(button.SetIcon(nMissing, 16, 16, IDI_BUTTONST_TEST, 16, 16), (DWORD)CButtonST::BTNST_INVALIDRESOURCE);
  ASSERT_EQ(g_loaded.size(), 2u);
  EXPECT_EQ(g_loaded[0], nullptr);
  ASSERT_NE(g_loaded[1], nullptr);
  EXPECT_FALSE(iconAlive(g_loaded[1])) << "the second icon leaked";
  button.FitToImage();
  CRect rc;
  button.GetClientRect(rc);
  EXPECT_EQ(rc.Size(), CSize(16, 16)) << "the icon shown before is kept";

  g_loaded.clear();
  EXPECT_EQ(button.SetBitmaps(nMissing, RGB(192, 192, 192), IDR_BCMENU_TOOLBAR, RGB(192, 192, 192)),
            (DWORD)CButtonST::BTNST_INVALIDRESOURCE);
  ASSERT_EQ(g_loaded.size(), 2u);
  ASSERT_NE(g_loaded[1], nullptr);
  EXPECT_FALSE(bitmapAlive(g_loaded[1])) << "the second bitmap leaked";

  // Both found: both kept by the button.
  g_loaded.clear();
  EXPECT_EQ(button.SetBitmaps(IDR_BCMENU_TOOLBAR, RGB(192, 192, 192), IDR_BCMENU_TOOLBAR, RGB(192, 192, 192)), 0u);
  ASSERT_EQ(g_loaded.size(), 2u);
  EXPECT_TRUE(bitmapAlive(g_loaded[0]));
  EXPECT_TRUE(bitmapAlive(g_loaded[1]));
  CButtonST::s_pfnLoadImage = ::LoadImageA;
}

}  // namespace
