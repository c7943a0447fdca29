// The owner-drawn menu: building from a resource with tool-bar images, staying
// in step with the Windows menu, mnemonics, measuring and drawing in both
// looks into a memory DC, and a tracked pop-up under real messages.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include "BCMenu.h"
#include "controls_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

// Restores the look the process probed, whatever a test set.
class BCMenuTest : public ::testing::Test {
 protected:
  void TearDown() override
  {
    BCMenu::SetWindowsLook(BCMenu::GetWindowsVersionCode(), BCMenu::IsClassicTheme());
  }
  static void ClassicLook() { BCMenu::SetWindowsLook(1, FALSE); }
  static void XpLook() { BCMenu::SetWindowsLook(7, FALSE); }

  static BCMenu* Popup(BCMenu& bar, int pos)
  {
    return DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent(::GetSubMenu(bar.m_hMenu, pos)));
  }
  static BCMenuData* RecordOf(BCMenu* menu, UINT id)
  {
    for (int i = 0; i < menu->GetMenuListCount(); ++i)
      if (menu->GetMenuData(i)->m_nID == id)
        return menu->GetMenuData(i);
    return nullptr;
  }
  static std::wstring TextOf(BCMenu* menu, int i)
  {
    const wchar_t* s = menu->GetMenuData(i)->GetWideString();
    return s ? s : L"";
  }
  static int MenuFontWidth(const std::wstring& text)
  {
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    HFONT font = CreateFontIndirectA(&ncm.lfMenuFont);
    HDC dc = GetDC(NULL);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &size);
    SelectObject(dc, old);
    ReleaseDC(NULL, dc);
    DeleteObject(font);
    return size.cx;
  }
};

void Draw(BCMenu* menu, BCMenuData* data, HDC dc, RECT rc, UINT state, UINT id = 0)
{
  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_MENU;
  dis.itemID = id;
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = state;
  dis.hwndItem = (HWND)menu->m_hMenu;
  dis.hDC = dc;
  dis.rcItem = rc;
  dis.itemData = (ULONG_PTR)data;
  menu->DrawItem(&dis);
}

SIZE Measure(BCMenu* menu, BCMenuData* data)
{
  MEASUREITEMSTRUCT mis = {};
  mis.CtlType = ODT_MENU;
  mis.itemData = (ULONG_PTR)data;
  menu->MeasureItem(&mis);
  return SIZE{(LONG)mis.itemWidth, (LONG)mis.itemHeight};
}

TEST_F(BCMenuTest, VersionCodesThemeFilesAndColourArithmetic)
{
  struct { DWORD platform, major, minor; int code; } versions[] = {
      {VER_PLATFORM_WIN32_WINDOWS, 3, 95, 0}, {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 2},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 3}, {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 4},
      {VER_PLATFORM_WIN32_NT, 4, 0, 5},       {VER_PLATFORM_WIN32_NT, 5, 0, 6},
      {VER_PLATFORM_WIN32_NT, 5, 1, 7},       {VER_PLATFORM_WIN32_NT, 5, 2, 1},
      {VER_PLATFORM_WIN32_NT, 6, 1, 1},       {VER_PLATFORM_WIN32_NT, 10, 0, 1},
  };
  for (auto& v : versions)
    EXPECT_EQ(BCMenu::VersionCodeFor(v.platform, v.major, v.minor), v.code) << v.major << "." << v.minor;

  EXPECT_TRUE(BCMenu::IsClassicThemeFile("C:\\Windows\\Resources\\Themes\\windows classic.THEME"));
  EXPECT_FALSE(BCMenu::IsClassicThemeFile("C:\\Windows\\Resources\\Themes\\Luna.theme"));
  EXPECT_FALSE(BCMenu::IsClassicThemeFile(""));

  // Only XP with a non-classic theme draws the XP look.
  BCMenu::SetWindowsLook(7, FALSE);
  EXPECT_EQ(BCMenu::GetActiveDrawMode(), 1);
  BCMenu::SetWindowsLook(7, TRUE);
  EXPECT_EQ(BCMenu::GetActiveDrawMode(), 0);
  BCMenu::SetWindowsLook(6, FALSE);
  EXPECT_EQ(BCMenu::GetActiveDrawMode(), 0);

  EXPECT_EQ(BCMenu::LightenColor(RGB(0, 0, 0), 0.5), RGB(127, 127, 127));
  EXPECT_EQ(BCMenu::LightenColor(RGB(10, 20, 30), 0), RGB(10, 20, 30));
  EXPECT_EQ(BCMenu::LightenColor(RGB(10, 20, 30), 1.5), RGB(10, 20, 30));
  EXPECT_EQ(BCMenu::DarkenColor(RGB(255, 255, 255), 0.02), RGB(249, 249, 249));
}

TEST_F(BCMenuTest, ClassicThemeComesFromTheUsersThemeKey)
{
  const char kKey[] = "Software\\Microsoft\\Plus!\\Themes\\Current";
  HKEY key;
  bool existed = RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
  if (existed)
    RegCloseKey(key);
  ASSERT_FALSE(existed) << "the test prefix has no theme key of its own";
  EXPECT_FALSE(BCMenu::ReadClassicTheme());
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL), ERROR_SUCCESS);
  const char classic[] = "C:\\WINDOWS\\Resources\\Themes\\WINDOWS CLASSIC.THEME";
  RegSetValueExA(key, NULL, 0, REG_SZ, (const BYTE*)classic, sizeof(classic));
  EXPECT_TRUE(BCMenu::ReadClassicTheme());
  const char luna[] = "C:\\WINDOWS\\Resources\\Themes\\Luna.theme";
  RegSetValueExA(key, NULL, 0, REG_SZ, (const BYTE*)luna, sizeof(luna));
  EXPECT_FALSE(BCMenu::ReadClassicTheme());
  RegCloseKey(key);
  RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
}

TEST_F(BCMenuTest, ItemsAddedInsertedChangedAndRemoved)
{
  ClassicLook();
  BCMenu bar;
  ASSERT_TRUE(bar.LoadMenu(IDR_BCMENU_TEST));
  BCMenu* file = bar.GetSubMenuByText("&File");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file, Popup(bar, 0));
  EXPECT_EQ(bar.GetSubMenuByText("&Nothing"), nullptr);

  // Inserted by command: before that command, in the pop-up that holds it.
  ASSERT_TRUE(bar.InsertItem(ID_BCMENU_SAVE, MF_STRING, 500, L"&Inserted"));
  EXPECT_EQ(GetMenuItemID(file->m_hMenu, 2), 500u);
  EXPECT_EQ(TextOf(file, 2), L"&Inserted");
  int pos = -1;
  EXPECT_EQ(bar.FindCommand(ID_BCMENU_DEEP, pos), Popup(*file, 5));
  EXPECT_EQ(pos, 0);

  // An image named by a tool-bar resource: the command's button picks it.
  ASSERT_TRUE(file->AppendItem(MF_STRING, ID_BCMENU_OPEN, "Again", IDR_BCMENU_TOOLBAR));
  BCMenuData* again = file->GetMenuData(file->GetMenuListCount() - 1);
  ASSERT_GE(again->m_nGlobalOffset, 0);
  CPixelCanvas canvas(200, 24, kBlack);
  RECT rc = {0, 0, 200, 24};
  Draw(file, again, canvas.dc, rc, 0);
  EXPECT_EQ(canvas.At(2 + 7, 2 + 2 + 7), RGB(0, 160, 0));

  // A coloured rectangle as image (the class-wide images are per command and
  // live for the process: this command is used nowhere else).
  const UINT kColour = 600;
  ASSERT_TRUE(file->AppendItem(MF_STRING, kColour, "&Colour"));
  ASSERT_TRUE(bar.ModifyItemColour("&Colour", kColour, RGB(10, 200, 30), RGB(0, 0, 0)));
  BCMenuData* save = RecordOf(file, kColour);
  ASSERT_GE(save->m_nGlobalOffset, 0);
  Draw(file, save, canvas.dc, rc, 0);
  EXPECT_EQ(canvas.At(2 + 8, 2 + 2 + 7), RGB(10, 200, 30));

  // Images from a tool bar that exists: every pop-up holding a command of the
  // bar gets its own copy of the button's image.
  CWnd parent;
  ASSERT_TRUE(CreateHostWindow(parent, "bar parent", WS_POPUP, CRect(0, 0, 300, 100)));
  CToolBar toolBar;
  ASSERT_TRUE(toolBar.Create(&parent));
  ASSERT_TRUE(toolBar.LoadToolBar(IDR_BCMENU_TOOLBAR));
  ASSERT_TRUE(bar.SetImagesFromToolBar(&toolBar, IDR_BCMENU_TOOLBAR));
  BCMenuData* cut = RecordOf(Popup(bar, 1), ID_BCMENU_CUT);
  ASSERT_NE(cut->m_pImages, nullptr);
  EXPECT_EQ(cut->m_nIconNormal, 0);
  EXPECT_NE(RecordOf(Popup(*file, 5), ID_BCMENU_CUT)->m_pImages, nullptr);
  EXPECT_EQ(RecordOf(file, ID_BCMENU_SAVE)->m_pImages, nullptr);
  Draw(Popup(bar, 1), cut, canvas.dc, rc, 0);
  EXPECT_EQ(canvas.At(2 + 7, 2 + 2 + 7), RGB(0, 0, 255));
  toolBar.DestroyWindow();
  parent.DestroyWindow();

  // Taken out by text alone (separator mode 0; the modes are tried below).
  int count = file->GetMenuListCount();
  int at = file->RemoveItemByText("E&xit", 0);
  EXPECT_GE(at, 0);
  EXPECT_EQ(file->GetMenuListCount(), count - 1);
  EXPECT_EQ(GetMenuItemCount(file->m_hMenu), count - 1);
  EXPECT_EQ(file->DeleteItemByText("&Nothing"), -1);
}

// Separator modes 1 and 2 take out the item before the one named too, 3 the
// two before it; 0 takes the named item alone.
TEST_F(BCMenuTest, RemoveByTextTakesTheItemsBeforeItByMode)
{
  const struct {
    int nMode;
    std::vector<UINT> ids;   // what is left, by command (0: a separator)
  } cases[] = {
      {0, {5001, 0, 5002, 5003}},
      {1, {5001, 0, 5002}},
      {2, {5001, 0, 5002}},
      {3, {5001, 0}},
  };
  for (const auto& c : cases) {
    for (bool bDelete : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "mode " << c.nMode << (bDelete ? " delete" : " remove"));
      BCMenu menu;
      ASSERT_TRUE(menu.CreatePopupMenu());
      menu.AppendMenu(MF_STRING, 5001, "&A");
      menu.AppendMenu(MF_SEPARATOR);
      menu.AppendMenu(MF_STRING, 5002, "&B");
      menu.AppendMenu(MF_STRING, 5003, "&C");
      menu.AppendMenu(MF_STRING, 5004, "&D");
      const int at = bDelete ? menu.DeleteItemByText("&D", c.nMode) : menu.RemoveItemByText("&D", c.nMode);
      EXPECT_EQ(at, 4);
      std::vector<UINT> ids;
      for (int i = 0; i < GetMenuItemCount(menu.m_hMenu); i++)
        ids.push_back(GetMenuItemID(menu.m_hMenu, i));
      EXPECT_EQ(ids, c.ids);
      EXPECT_EQ(menu.GetMenuListCount(), (int)c.ids.size());
    }
  }
}

TEST_F(BCMenuTest, LoadsResourceWithPlainBarOwnerDrawnPopupsAndToolBarImages)
{
  ClassicLook();
  BCMenu bar;
  ASSERT_TRUE(bar.LoadMenu(IDR_BCMENU_TEST));
  ASSERT_EQ(GetMenuItemCount(bar.m_hMenu), 2);
  ASSERT_EQ(bar.GetMenuListCount(), 2);

  // The bar's items are plain text pop-ups; the pop-ups' items draw themselves.
  char text[64] = {};
  GetMenuStringA(bar.m_hMenu, 0, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ(text, "&File");
  EXPECT_EQ(GetMenuState(bar.m_hMenu, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
  EXPECT_EQ(bar.GetMenuData(0)->m_nFlags, (UINT)(MF_BYPOSITION | MF_POPUP));

  BCMenu* file = Popup(bar, 0);
  BCMenu* edit = Popup(bar, 1);
  ASSERT_NE(file, nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(BCMenu::IsKnownMenu(file));
  EXPECT_TRUE(BCMenu::IsKnownMenuHandle(edit->m_hMenu));
  ASSERT_EQ(file->GetMenuListCount(), 6);
  for (int i = 0; i < 6; ++i) {
    MENUITEMINFOA mii = {sizeof(mii), MIIM_FTYPE | MIIM_DATA};
    ASSERT_TRUE(GetMenuItemInfoA(file->m_hMenu, i, TRUE, &mii));
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW) << i;
    EXPECT_EQ(mii.dwItemData, (ULONG_PTR)file->GetMenuData(i)) << i;
  }
  EXPECT_EQ(file->GetMenuData(3)->m_nFlags & (MF_SEPARATOR | MF_OWNERDRAW), (UINT)(MF_SEPARATOR | MF_OWNERDRAW));
  BCMenu* more = Popup(*file, 4);
  ASSERT_NE(more, nullptr);
  EXPECT_EQ(more->GetMenuListCount(), 2);
  EXPECT_EQ(file->GetMenuData(4)->m_nID, (UINT_PTR)more->m_hMenu);   // a handle, kept whole
  static_assert(sizeof(BCMenuData::m_nID) == sizeof(void*), "pop-up handles are pointer-sized");

  // Accelerators line up: the parts before the tab are padded to one width
  // (the widest part plus one blank).
  std::wstring newText = TextOf(file, 0), openText = TextOf(file, 1);
  std::wstring newBefore = newText.substr(0, newText.find(L'\t'));
  std::wstring openBefore = openText.substr(0, openText.find(L'\t'));
  EXPECT_NE(newBefore.find(L"  "), std::wstring::npos) << "the narrower part is padded";
  EXPECT_GE(MenuFontWidth(newBefore), MenuFontWidth(L"&Open... "));
  EXPECT_GE(MenuFontWidth(openBefore), MenuFontWidth(L"&Open... "));
  EXPECT_EQ(newText.substr(newText.find(L'\t')), L"\tCtrl+N");

  // Tool-bar images: commands on the bar get one, in every pop-up that has
  // them; the others and the separator get none.
  ASSERT_TRUE(bar.LoadToolbar(IDR_BCMENU_TOOLBAR));
  EXPECT_GE(RecordOf(file, ID_BCMENU_NEW)->m_nGlobalOffset, 0);
  EXPECT_GE(RecordOf(file, ID_BCMENU_OPEN)->m_nGlobalOffset, 0);
  EXPECT_EQ(RecordOf(file, ID_BCMENU_SAVE)->m_nGlobalOffset, -1);
  EXPECT_EQ(RecordOf(edit, ID_BCMENU_NOT_ON_BAR)->m_nGlobalOffset, -1);
  int cut = RecordOf(edit, ID_BCMENU_CUT)->m_nGlobalOffset;
  EXPECT_GE(cut, 0);
  EXPECT_EQ(RecordOf(more, ID_BCMENU_CUT)->m_nGlobalOffset, cut);
  EXPECT_FALSE(bar.LoadToolbar(9999));

  // A separator stays an owner-drawn separator whatever flags come with it.
  ASSERT_TRUE(edit->AppendItem(MF_STRING | MF_CHECKED, 0, "ignored"));
  EXPECT_EQ(edit->GetMenuData(2)->m_nFlags, (UINT)(MF_SEPARATOR | MF_OWNERDRAW | MF_BYPOSITION));
  EXPECT_TRUE(GetMenuState(edit->m_hMenu, 2, MF_BYPOSITION) & MF_SEPARATOR);
}

TEST_F(BCMenuTest, StaysInStepWithItemsChangedBehindItsBack)
{
  BCMenu bar;
  ASSERT_TRUE(bar.LoadMenu(IDR_BCMENU_TEST));
  BCMenu* edit = Popup(bar, 1);
  ASSERT_NE(edit, nullptr);
  // What a frame does to a pop-up: an item added, another renamed, one removed.
  ASSERT_TRUE(AppendMenuA(edit->m_hMenu, MF_STRING, 4242, "&Window 1"));
  ASSERT_TRUE(ModifyMenuA(edit->m_hMenu, ID_BCMENU_NOT_ON_BAR, MF_BYCOMMAND | MF_STRING, ID_BCMENU_NOT_ON_BAR,
                          "Re&named"));
  ASSERT_TRUE(DeleteMenu(edit->m_hMenu, ID_BCMENU_CUT, MF_BYCOMMAND));
  ASSERT_TRUE(AppendMenuA(edit->m_hMenu, MF_SEPARATOR, 0, NULL));

  BCMenu::UpdateMenu(edit);
  ASSERT_EQ(edit->GetMenuListCount(), 3);
  EXPECT_EQ(TextOf(edit, 0), L"Re&named");
  EXPECT_EQ(edit->GetMenuData(0)->m_nID, (UINT_PTR)ID_BCMENU_NOT_ON_BAR);
  EXPECT_EQ(TextOf(edit, 1), L"&Window 1");
  EXPECT_EQ(edit->GetMenuData(1)->m_nID, (UINT_PTR)4242);
  EXPECT_TRUE(edit->GetMenuData(2)->m_nFlags & MF_SEPARATOR);
  for (int i = 0; i < 3; ++i) {
    MENUITEMINFOA mii = {sizeof(mii), MIIM_FTYPE | MIIM_DATA};
    ASSERT_TRUE(GetMenuItemInfoA(edit->m_hMenu, i, TRUE, &mii));
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW) << i;
    EXPECT_EQ(mii.dwItemData, (ULONG_PTR)edit->GetMenuData(i)) << i;
  }

  // Removing a pop-up takes its records and its handle with it.
  BCMenu* file = Popup(bar, 0);
  HMENU more = GetSubMenu(file->m_hMenu, 4);
  ASSERT_TRUE(file->DeleteItem(4, MF_BYPOSITION));
  EXPECT_FALSE(BCMenu::IsKnownMenuHandle(more));
  EXPECT_EQ(file->GetMenuListCount(), 5);
  EXPECT_EQ(GetMenuItemCount(file->m_hMenu), 5);
  CString exitText;
  EXPECT_TRUE(bar.GetText(ID_BCMENU_EXIT, exitText, MF_BYCOMMAND));
  EXPECT_EQ(exitText, "E&xit");
}

// Two items of one command, the earlier removed behind the menu's back: the
// survivor keeps its own record, matched by its item data, not the first
// record of that command.
TEST_F(BCMenuTest, TwoItemsOfOneCommandKeepTheirOwnRecords)
{
  BCMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  ASSERT_TRUE(menu.AppendMenu(MF_STRING, 5001, "&First"));
  ASSERT_TRUE(menu.AppendMenu(MF_STRING, 5001, "&Second"));
  ASSERT_TRUE(menu.AppendMenu(MF_STRING, 5002, "&Other"));
  ASSERT_EQ(menu.GetMenuListCount(), 3);
  BCMenuData* pSecond = menu.GetMenuData(1);
  ASSERT_TRUE(DeleteMenu(menu.m_hMenu, 0, MF_BYPOSITION));

  BCMenu::UpdateMenu(&menu);
  ASSERT_EQ(menu.GetMenuListCount(), 2);
  EXPECT_EQ(menu.GetMenuData(0), pSecond);
  EXPECT_EQ(TextOf(&menu, 0), L"&Second");
  for (int i = 0; i < 2; ++i) {
    MENUITEMINFOA mii = {sizeof(mii), MIIM_FTYPE | MIIM_DATA};
    ASSERT_TRUE(GetMenuItemInfoA(menu.m_hMenu, i, TRUE, &mii));
    EXPECT_EQ(mii.dwItemData, (ULONG_PTR)menu.GetMenuData(i)) << i;
  }
}

TEST_F(BCMenuTest, MnemonicsReturnPositionAndExecute)
{
  BCMenu bar;
  ASSERT_TRUE(bar.LoadMenu(IDR_BCMENU_TEST));
  BCMenu* file = Popup(bar, 0);
  struct { UINT ch; LRESULT result; } cases[] = {
      {'x', MAKELRESULT(5, MNC_EXECUTE)}, {'X', MAKELRESULT(5, MNC_EXECUTE)},
      {'o', MAKELRESULT(1, MNC_EXECUTE)}, {'q', 0},
  };
  for (auto& c : cases)
    EXPECT_EQ(BCMenu::FindKeyboardShortcut(c.ch, MF_POPUP, file), c.result) << (char)c.ch;
  EXPECT_EQ(BCMenu::FindKeyboardShortcut('x', 0, file), 0) << "only pop-ups";
  CMenu plain;
  plain.CreatePopupMenu();
  plain.AppendMenu(MF_STRING, 1, "E&xit");
  EXPECT_EQ(BCMenu::FindKeyboardShortcut('x', MF_POPUP, &plain), 0) << "only BCMenus";
}

TEST_F(BCMenuTest, MeasuresInTheMenuFontInBothLooks)
{
  BCMenu menu;
  menu.CreatePopupMenu();
  ASSERT_TRUE(menu.AppendItem(MF_STRING, 100, "&Measured\tCtrl+M"));
  ASSERT_TRUE(menu.AppendItem(MF_STRING, 0, ""));
  int text = MenuFontWidth(L"&Measured\tCtrl+M");
  int cyMenu = GetSystemMetrics(SM_CYMENU);

  // Code 1 (every current Windows) measures in the font it draws with.
  ClassicLook();
  SIZE s = Measure(&menu, menu.GetMenuData(0));
  EXPECT_EQ(s.cx, text + 2 * 16 + 1);
  EXPECT_EQ(s.cy, std::max(15 + 4, cyMenu));
  SIZE sep = Measure(&menu, menu.GetMenuData(1));
  EXPECT_EQ(sep.cx, 0);
  EXPECT_EQ(sep.cy, std::max((4 + 15) / 2, cyMenu / 2));

  XpLook();
  s = Measure(&menu, menu.GetMenuData(0));
  EXPECT_EQ(s.cx, text + 16 + 7 + 8);
  EXPECT_EQ(s.cy, std::max(15 + 7, cyMenu));
  EXPECT_EQ(Measure(&menu, menu.GetMenuData(1)).cy, 3);
}

TEST_F(BCMenuTest, DrawsClassicLook)
{
  ClassicLook();
  BCMenu bar;
  ASSERT_TRUE(bar.LoadMenu(IDR_BCMENU_TEST));
  ASSERT_TRUE(bar.LoadToolbar(IDR_BCMENU_TOOLBAR));
  BCMenu* file = Popup(bar, 0);
  CPixelCanvas canvas(200, 24, kBlack);
  RECT rc = {0, 0, 200, 24};
  COLORREF back = GetSysColor(COLOR_MENU), highlight = GetSysColor(COLOR_HIGHLIGHT);
  int dy = (24 - 15 - 4) / 2;

  // "New" has the tool bar's first (red) image; not selected, all background.
  Draw(file, RecordOf(file, ID_BCMENU_NEW), canvas.dc, rc, 0);
  EXPECT_EQ(canvas.At(2 + 7, dy + 2 + 7), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(190, 2), back);
  EXPECT_EQ(canvas.At(0, 0), back);

  // Selected: the highlight starts after the image box.
  Draw(file, RecordOf(file, ID_BCMENU_NEW), canvas.dc, rc, ODS_SELECTED);
  EXPECT_EQ(canvas.At(190, 2), highlight);
  EXPECT_EQ(canvas.At(16 + 5, 2), highlight);
  EXPECT_EQ(canvas.At(16 + 4, 2), back);
  EXPECT_EQ(canvas.At(2 + 7, dy + 2 + 7), RGB(255, 0, 0));

  // Without an image the highlight fills the whole row; disabled items may
  // show the selection in this look.
  Draw(file, RecordOf(file, ID_BCMENU_SAVE), canvas.dc, rc, ODS_SELECTED | ODS_GRAYED);
  EXPECT_EQ(canvas.At(1, 2), highlight);

  // A disabled image is embossed: no trace of its colour.
  Draw(file, RecordOf(file, ID_BCMENU_NEW), canvas.dc, rc, ODS_GRAYED);
  EXPECT_NE(canvas.At(2 + 7, dy + 2 + 7), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(190, 2), back);

  // Checked without image: a sunken box with a tick in the menu text colour.
  Draw(file, RecordOf(file, ID_BCMENU_SAVE), canvas.dc, rc, ODS_CHECKED);
  int ticks = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 18; ++x)
      ticks += canvas.At(x, y) == GetSysColor(COLOR_MENUTEXT);
  EXPECT_GE(ticks, 21);
}

TEST_F(BCMenuTest, DrawsXpLook)
{
  XpLook();
  BCMenu bar;
  ASSERT_TRUE(bar.LoadMenu(IDR_BCMENU_TEST));
  ASSERT_TRUE(bar.LoadToolbar(IDR_BCMENU_TOOLBAR));
  BCMenu* file = Popup(bar, 0);
  CPixelCanvas canvas(200, 24, kBlack);
  RECT rc = {0, 0, 200, 24};
  COLORREF strip = GetSysColor(COLOR_3DFACE);
  COLORREF back = BCMenu::DarkenColor(GetSysColor(COLOR_WINDOW), 0.02);
  COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  COLORREF selection = BCMenu::LightenColor(highlight, 0.7);
  const int stripWidth = 16 + 7;

  Draw(file, RecordOf(file, ID_BCMENU_SAVE), canvas.dc, rc, 0);
  EXPECT_EQ(canvas.At(1, 12), strip);
  EXPECT_EQ(canvas.At(stripWidth + 2, 1), back);
  EXPECT_EQ(canvas.At(198, 22), back);

  Draw(file, RecordOf(file, ID_BCMENU_SAVE), canvas.dc, rc, ODS_SELECTED);
  EXPECT_EQ(canvas.At(0, 0), highlight);       // the frame
  EXPECT_EQ(canvas.At(199, 23), highlight);
  EXPECT_EQ(canvas.At(1, 12), selection);
  EXPECT_EQ(canvas.At(198, 2), selection);

  // A disabled item never shows the selection by default.
  Draw(file, RecordOf(file, ID_BCMENU_SAVE), canvas.dc, rc, ODS_SELECTED | ODS_GRAYED);
  EXPECT_EQ(canvas.At(198, 2), back);
  EXPECT_EQ(canvas.At(1, 12), strip);

  // An item with its own image keeps its faded, shadow and disabled forms:
  // faded when idle, full colour and raised when hovered.
  CImageList images;
  ASSERT_TRUE(images.Create(IDR_BCMENU_TOOLBAR, 16, 1, RGB(192, 192, 192)));
  BCMenu own;
  own.CreatePopupMenu();
  ASSERT_TRUE(own.AppendItem(MF_STRING, 300, "&Own", &images, 2));
  BCMenuData* ownData = own.GetMenuData(0);
  ASSERT_NE(ownData->m_pImages, nullptr);
  EXPECT_EQ(ownData->m_pImages->GetImageCount(), 4);
  int dx = (int)((stripWidth - 16) * 0.5 + 0.5), dy = (int)((24 - 15) * 0.5 + 0.5);
  Draw(&own, ownData, canvas.dc, rc, ODS_SELECTED);
  EXPECT_EQ(canvas.At(dx - 1 + 7, dy - 1 + 7), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(dx + 1 + 14, dy + 1 + 13), GetSysColor(COLOR_3DSHADOW)) << "the shadow below and right";
  Draw(&own, ownData, canvas.dc, rc, 0);
  EXPECT_EQ(canvas.At(dx + 7, dy + 7), BCMenu::LightenColor(RGB(0, 0, 255), 0.3));
  Draw(&own, ownData, canvas.dc, rc, ODS_GRAYED);
  COLORREF disabled = canvas.At(dx + 7, dy + 7);
  EXPECT_NE(disabled, RGB(0, 0, 255));
  EXPECT_EQ(GetRValue(disabled), GetGValue(disabled)) << "grey";

  // The separator: strip, then an etched line from the strip's right edge.
  Draw(file, file->GetMenuData(3), canvas.dc, RECT{0, 0, 200, 3}, 0);
  EXPECT_EQ(canvas.At(1, 1), strip);
  EXPECT_EQ(canvas.At(stripWidth + 2, 1), back);

  // Text with a tab: the accelerator ends m_iconX pixels before the right edge.
  BCMenu menu;
  menu.CreatePopupMenu();
  ASSERT_TRUE(menu.AppendItem(MF_STRING, 100, "A\tWWW"));
  CPixelCanvas text(200, 24, kBlack);
  Draw(&menu, menu.GetMenuData(0), text.dc, rc, 0);
  int rightmost = -1;
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 24; ++y)
      if (text.At(x, y) != back && text.At(x, y) != strip)
        rightmost = x;
  EXPECT_LT(rightmost, 200 - 16);
  EXPECT_GT(rightmost, 200 - 16 - 10);
}

// A window that routes its menu messages to the menu's class-wide operations.
class CMenuOwner : public CWnd {
 public:
  int m_nMeasured = 0;
  int m_nMenuChars = 0;
  int m_nInits = 0;

 protected:
  afx_msg void OnInitMenuPopup(CMenu* pPopup, UINT nIndex, BOOL bSysMenu)
  {
    CWnd::OnInitMenuPopup(pPopup, nIndex, bSysMenu);
    if (!bSysMenu && BCMenu::IsKnownMenu(pPopup)) {
      ++m_nInits;
      BCMenu::UpdateMenu(pPopup);
    }
  }
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS)
  {
    CWnd::OnMeasureItem(nIDCtl, lpMIS);
    if (lpMIS->CtlType == ODT_MENU && lpMIS->itemWidth > 0)
      ++m_nMeasured;
  }
  afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
  {
    ++m_nMenuChars;
    if (BCMenu::IsKnownMenu(pMenu))
      return BCMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
    return CWnd::OnMenuChar(nChar, nFlags, pMenu);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuOwner, CWnd)
  ON_WM_INITMENUPOPUP()
  ON_WM_MEASUREITEM()
  ON_WM_MENUCHAR()
END_MESSAGE_MAP()

TEST_F(BCMenuTest, TrackedPopupIsMeasuredDrawnAndAnswersMnemonics)
{
  BCMenu bar;
  ASSERT_TRUE(bar.LoadMenu(IDR_BCMENU_TEST));
  ASSERT_TRUE(bar.LoadToolbar(IDR_BCMENU_TOOLBAR));
  BCMenu* file = Popup(bar, 0);
  CMenuOwner owner;
  ASSERT_TRUE(CreateHostWindow(owner, "menu owner", WS_POPUP | WS_VISIBLE, CRect(100, 100, 300, 200)));
  owner.SetForegroundWindow();
  CMessageRecorder rec;
  rec.Watch(owner.m_hWnd, "owner");
  rec.Only({WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM, WM_MENUCHAR});

  // The letter of "E&xit" picks it through WM_MENUCHAR; should it not, the
  // watch ends the menu after its limit.
  UINT cmd = 0;
  {
    CMenuWatch watch([&](HWND) { PostMessageA(owner.m_hWnd, WM_CHAR, 'x', 0); });
    cmd = (UINT)file->TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 120, 120, &owner);
    EXPECT_TRUE(watch.Acted()) << "the menu never showed";
  }

  EXPECT_GE(owner.m_nInits, 1);
  EXPECT_GE(owner.m_nMeasured, 5) << rec.Sequence();
  EXPECT_GE(rec.Count(WM_DRAWITEM), 5) << rec.Sequence();
  EXPECT_GE(owner.m_nMenuChars, 1) << rec.Sequence();
  EXPECT_EQ(cmd, (UINT)ID_BCMENU_EXIT);

  // Closed from a timer, the menu returns no command.
  {
    CMenuWatch watch([](HWND) { EndMenu(); });
    cmd = (UINT)file->TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 120, 120, &owner);
    EXPECT_TRUE(watch.Acted()) << "the menu never showed";
  }
  EXPECT_EQ(cmd, 0u);
  owner.DestroyWindow();
}

}  // namespace
