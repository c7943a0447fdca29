// CMenu: building and reading back, the permanent and temporary wrappers, and
// owner-drawn items of a tracked popup reaching the CMenu's virtuals.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <vector>

#include "layer_test_res.h"
#include "testsupport.h"

namespace {

UINT StateOf(CMenu& menu, UINT nID) { return menu.GetMenuState(nID, MF_BYCOMMAND); }

}  // namespace

TEST(GdiMenu, BuildingAMenuReadsBack)
{
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  ASSERT_TRUE(menu.AppendMenu(MF_STRING, 1, "One"));
  ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
  ASSERT_TRUE(menu.AppendMenu(MF_STRING, 3, "Three"));
  ASSERT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 0x10, "Zero"));
  EXPECT_EQ(menu.GetMenuItemCount(), 4u);
  EXPECT_EQ(menu.GetMenuItemID(0), 0x10u);
  EXPECT_EQ(menu.GetMenuItemID(2), 0u);   // the separator

  ASSERT_TRUE(menu.ModifyMenu(1, MF_BYCOMMAND | MF_STRING, 11, "Eleven"));
  CString text;
  EXPECT_EQ(menu.GetMenuString(11, text, MF_BYCOMMAND), 6);
  EXPECT_EQ(text, "Eleven");
  char buffer[16];
  EXPECT_EQ(menu.GetMenuString(0, buffer, sizeof(buffer), MF_BYPOSITION), 4);
  EXPECT_STREQ(buffer, "Zero");
  EXPECT_EQ(menu.GetMenuString(99, text, MF_BYCOMMAND), 0);
  EXPECT_TRUE(text.IsEmpty());

  EXPECT_EQ(menu.CheckMenuItem(3, MF_BYCOMMAND | MF_CHECKED), (UINT)MF_UNCHECKED);
  EXPECT_EQ(menu.CheckMenuItem(3, MF_BYCOMMAND | MF_CHECKED), (UINT)MF_CHECKED);   // the previous state
  EXPECT_TRUE(StateOf(menu, 3) & MF_CHECKED);
  EXPECT_EQ(menu.EnableMenuItem(11, MF_BYCOMMAND | MF_GRAYED), (UINT)MF_ENABLED);
  EXPECT_TRUE(StateOf(menu, 11) & MF_GRAYED);
  EXPECT_FALSE(StateOf(menu, 0x10) & (MF_GRAYED | MF_CHECKED));

  EXPECT_TRUE(menu.CheckMenuRadioItem(0, 3, 0, MF_BYPOSITION));
  MENUITEMINFO mii = {};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
  ASSERT_TRUE(menu.GetMenuItemInfo(0, &mii, TRUE));
  EXPECT_TRUE(mii.fType & MFT_RADIOCHECK);
  EXPECT_TRUE(mii.fState & MFS_CHECKED);
  EXPECT_FALSE(StateOf(menu, 3) & MF_CHECKED);   // the radio group cleared the others

  EXPECT_TRUE(menu.SetDefaultItem(3));
  EXPECT_EQ(menu.GetDefaultItem(0), 3u);
  EXPECT_TRUE(menu.SetMenuContextHelpId(1234));
  EXPECT_EQ(menu.GetMenuContextHelpId(), 1234u);

  mii.fMask = MIIM_ID | MIIM_STRING;
  mii.wID = 42;
  mii.dwTypeData = (LPSTR) "Forty-two";
  ASSERT_TRUE(menu.InsertMenuItem(4, &mii, TRUE));
  ASSERT_TRUE(menu.SetMenuItemInfo(42, &mii, FALSE));
  EXPECT_EQ(menu.GetMenuItemID(4), 42u);

  EXPECT_TRUE(menu.DeleteMenu(0, MF_BYPOSITION));
  EXPECT_TRUE(menu.RemoveMenu(42, MF_BYCOMMAND));
  EXPECT_EQ(menu.GetMenuItemCount(), 3u);
  EXPECT_EQ(menu.GetMenuItemID(0), 11u);
  EXPECT_EQ(menu.GetMenuState(99, MF_BYCOMMAND), (UINT)-1);
}

TEST(GdiMenu, AttachedMenusArePermanentAndDestroyedWithTheirWrapper)
{
  HMENU hRaw = ::CreatePopupMenu();
  CMenu* pTemp = CMenu::FromHandle(hRaw);
  ASSERT_NE(pTemp, nullptr);
  EXPECT_EQ(pTemp->m_hMenu, hRaw);
  EXPECT_EQ(CMenu::FromHandle(hRaw), pTemp);
  EXPECT_EQ(CMenu::FromHandlePermanent(hRaw), nullptr);
  // Mark the wrapper: one that survived the cleanup would still hold another handle.
  HMENU hOther = ::CreateMenu();
  pTemp->m_hMenu = hOther;
  CMenu::DeleteTempMap();
  EXPECT_TRUE(::IsMenu(hRaw));     // the cleanup does not destroy menus
  EXPECT_TRUE(::IsMenu(hOther));
  EXPECT_EQ(CMenu::FromHandle(hRaw)->m_hMenu, hRaw);
  ::DestroyMenu(hOther);

  {
    CMenu menu;
    ASSERT_TRUE(menu.Attach(hRaw));
    EXPECT_EQ(CMenu::FromHandle(hRaw), &menu);
    EXPECT_EQ(CMenu::FromHandlePermanent(hRaw), &menu);
    CMenu::DeleteTempMap();
    EXPECT_EQ(CMenu::FromHandle(hRaw), &menu);
    EXPECT_EQ(menu.Detach(), hRaw);
    EXPECT_EQ(CMenu::FromHandlePermanent(hRaw), nullptr);
    EXPECT_TRUE(menu.Attach(hRaw));
  }
  EXPECT_FALSE(::IsMenu(hRaw));    // ~CMenu destroyed it
  CMenu::DeleteTempMap();

  CMenu* volatile pNull = NULL;    // callers may ask a null pointer for its handle
  EXPECT_EQ(pNull->GetSafeHmenu(), nullptr);
  EXPECT_EQ(CMenu::FromHandle(NULL), nullptr);
}

TEST(GdiMenu, LoadMenuAndGetSubMenuWrappers)
{
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_GDI_MENU));
  EXPECT_EQ(menu.GetMenuItemCount(), 2u);

  CMenu* pFile = menu.GetSubMenu(0);
  ASSERT_NE(pFile, nullptr);
  EXPECT_EQ(CMenu::FromHandlePermanent(pFile->m_hMenu), nullptr);   // a temporary wrapper
  EXPECT_EQ(menu.GetSubMenu(0), pFile);
  EXPECT_EQ(pFile->GetMenuItemID(0), (UINT)ID_GDI_OPEN);
  EXPECT_EQ(pFile->GetSubMenu(0), nullptr);          // "Open" opens nothing
  CMenu* pRecent = pFile->GetSubMenu(2);
  ASSERT_NE(pRecent, nullptr);
  EXPECT_EQ(pRecent->GetMenuItemID(0), (UINT)ID_GDI_RECENT1);
  EXPECT_EQ(pFile->GetMenuItemID(2), (UINT)-1);     // an item that opens a submenu

  CMenu edit;
  ASSERT_TRUE(edit.Attach(::GetSubMenu(menu, 1)));
  EXPECT_EQ(menu.GetSubMenu(1), &edit);              // the permanent wrapper when there is one
  edit.Detach();                                     // the submenu belongs to the menu
  CMenu::DeleteTempMap();

  CMenu byName;
  ASSERT_TRUE(byName.LoadMenu("#4002"));
  EXPECT_EQ(byName.GetMenuItemCount(), 2u);
  CMenu missing;
  EXPECT_FALSE(missing.LoadMenu(4998));
}

TEST(GdiMenu, FindPopupMenuFromIDFindsThePermanentPopupDepthFirst)
{
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_GDI_MENU));
  CMenu file, recent;
  file.Attach(::GetSubMenu(menu, 0));
  recent.Attach(::GetSubMenu(file, 2));

  struct { UINT id; CMenu* expected; } cases[] = {
    {ID_GDI_OPEN, &file},
    {ID_GDI_RECENT1, &recent},
    {(UINT)(UINT_PTR)recent.m_hMenu, &file},   // the item that opens "Recent" lives in "File"
    {ID_GDI_COPY, nullptr},                    // "Edit" has no permanent wrapper
    {9999, nullptr},
  };
  for (auto& c : cases)
    EXPECT_EQ(CMenu::FindPopupMenuFromID(&menu, c.id), c.expected) << c.id;
  EXPECT_EQ(CMenu::FindPopupMenuFromID(&recent, ID_GDI_RECENT1), &recent);
  EXPECT_EQ(CMenu::FindPopupMenuFromID(NULL, ID_GDI_OPEN), nullptr);

  recent.Detach();
  EXPECT_EQ(CMenu::FindPopupMenuFromID(&menu, ID_GDI_RECENT1), nullptr);
  file.Detach();
  CMenu::DeleteTempMap();
}

// ---------------------------------------------------------------------------
// Owner-drawn items: a popup tracked for a window of the layer, closed from a
// timer, has its items measured and drawn by its own CMenu.
// ---------------------------------------------------------------------------
namespace {

class COwnerDrawMenu : public CMenu {
 public:
  void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
  {
    measured.push_back(lpMIS->itemID);
    itemData.push_back(lpMIS->itemData);
    trackedWhileMeasuring = CMenu::GetTrackingMenu(hOwner) == m_hMenu;
    lpMIS->itemWidth = 80;
    lpMIS->itemHeight = 18;
  }
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
  {
    drawn.push_back(lpDIS->itemID);
    drawnForThisMenu = drawnForThisMenu && (HMENU)lpDIS->hwndItem == m_hMenu;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    pDC->FillSolidRect(&lpDIS->rcItem, RGB(200, 200, 255));
  }

  HWND hOwner = NULL;
  std::vector<UINT> measured, drawn;
  std::vector<ULONG_PTR> itemData;
  bool trackedWhileMeasuring = false;
  bool drawnForThisMenu = true;
};

}  // namespace

TEST(GdiMenu, OwnerDrawItemsOfATrackedPopupReachTheCMenu)
{
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "gdi menu owner", WS_POPUP | WS_VISIBLE, 50, 50, 200, 150,
                             NULL, NULL));
  ::SetForegroundWindow(owner.m_hWnd);

  COwnerDrawMenu popup;
  popup.hOwner = owner.m_hWnd;
  ASSERT_TRUE(popup.CreatePopupMenu());
  ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW, 4201, (LPCTSTR)(UINT_PTR)0xA1));
  ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW, 4202, (LPCTSTR)(UINT_PTR)0xA2));

  CMenuWatch watch([](HWND) { ::EndMenu(); });
  UINT nCmd = popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 60, 60, &owner);
  EXPECT_TRUE(watch.Acted()) << "the menu never showed";
  EXPECT_EQ(nCmd, 0u);   // closed, nothing chosen
  EXPECT_EQ(CMenu::GetTrackingMenu(owner.m_hWnd), nullptr);

  EXPECT_EQ(popup.measured, (std::vector<UINT>{4201, 4202}));
  EXPECT_EQ(popup.itemData, (std::vector<ULONG_PTR>{0xA1, 0xA2}));
  EXPECT_TRUE(popup.trackedWhileMeasuring);
  EXPECT_FALSE(popup.drawn.empty());
  EXPECT_TRUE(popup.drawnForThisMenu);

  owner.DestroyWindow();
}

TEST(GdiMenu, FindMenuForMeasureItemLooksInTheMenuBar)
{
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "gdi menu bar", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, NULL,
                             NULL));
  CMenu bar, edit;
  ASSERT_TRUE(bar.LoadMenu(IDR_GDI_MENU));
  edit.Attach(::GetSubMenu(bar, 1));
  ASSERT_TRUE(::SetMenu(owner.m_hWnd, bar.m_hMenu));

  EXPECT_EQ(CMenu::FindMenuForMeasureItem(owner.m_hWnd, ID_GDI_COPY), &edit);
  EXPECT_EQ(CMenu::FindMenuForMeasureItem(owner.m_hWnd, ID_GDI_OPEN), nullptr);
  EXPECT_EQ(CMenu::FindMenuForMeasureItem(NULL, ID_GDI_COPY), nullptr);

  ::SetMenu(owner.m_hWnd, NULL);
  edit.Detach();
  owner.DestroyWindow();
}
