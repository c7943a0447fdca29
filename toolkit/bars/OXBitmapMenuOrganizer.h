// Gives a frame window bitmap menus without any change to the frame's class:
// the organizer subclasses the frame and, each time one of its popup menus
// opens, turns it into a COXBitmapMenu whose items show the images recorded
// for their commands (taken from the frame's tool bars or set by the
// program). It answers the menus' measuring and access keys, traces the open
// popups, and gives each menu back as it was when the menu loop ends.
//
// It can also show only the recently used part of each popup: commands and
// submenus in two hidden sets are taken out when a menu opens, an expansion
// item brings them back, and using one takes it out of the sets.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxtempl.h>

#include "OXBitmapMenu.h"

// One item taken out of a menu while it is hidden.
struct _tagOXSAVEDMENUITEM
{
    _tagOXSAVEDMENUITEM() : nPosition(-1)
    {
        ZeroMemory(&mii, sizeof(mii));
        mii.cbSize = sizeof(mii);
    }
    int nPosition;         // before anything was taken out
    MENUITEMINFOA mii;
    CString sText;
};
typedef CArray<_tagOXSAVEDMENUITEM, _tagOXSAVEDMENUITEM&> COXArrSavedMenuItem;

struct _tagOXPOPUPMENUTRACE
{
    HMENU hMenu;
    POINT ptTopLeft;   // of the menu's window, 0,0 until known
};

// Sent to the frame when using a command changed the hidden sets.
#define WM_OX_HIDDENSETSCHANGED 0x8075
// Sent to the frame to save (0x8073) or load (0x8074) the hidden submenus
// under a root menu (wParam) and a section prefix (lParam).
#define WM_OX_SAVEMENUSTATE 0x8073
#define WM_OX_LOADMENUSTATE 0x8074

class COXBitmapMenuOrganizer : public CObject
{
public:
    COXBitmapMenuOrganizer();
    ~COXBitmapMenuOrganizer() override;

    BOOL AttachFrameWnd(CFrameWnd* pFrame);
    CFrameWnd* DetachFrameWnd();
    BOOL SubclassFrameWindow(CWnd* pWnd);
    static COXBitmapMenuOrganizer* FindOrganizer(HWND hWnd);
    CFrameWnd* GetFrameWnd() const { return m_pFrameWnd; }

    void Empty(BOOL bRestoreItems = TRUE);
    BOOL CreateDefaultImages(int cx = 0, int cy = 0, LPCTSTR lpszCheck = NULL, LPCTSTR lpszBullet = NULL);
    CImageList* GetDefaultImageList() { return &m_defaultImageList; }

    BOOL SetMenuImage(UINT nID, LPCTSTR lpszBitmap, int nIndex, int cx);
    BOOL SetMenuImage(UINT nID, UINT nBitmapID);
    BOOL SetMenuImage(UINT nID, LPCTSTR lpszBitmap);
    BOOL SetMenuIcon(UINT nID, HICON hIcon, int cx, int cy);
    BOOL SetMenuBitmap(UINT nID, CBitmap* pBitmap, COLORREF crMask, int cx, int cy);
    BOOL SetMenuIcon(UINT nID, UINT nIconID);
    BOOL SetMenuIcon(UINT nID, LPCTSTR lpszIcon);
    // Hot images: appended to the command's list (it needs an image already).
    BOOL SetMenuHotImage(UINT nID, LPCTSTR lpszBitmap, int nIndex, int cx);
    BOOL SetMenuHotImage(UINT nID, UINT nBitmapID);
    BOOL SetMenuHotIcon(UINT nID, HICON hIcon);
    BOOL SetMenuHotIcon(UINT nID, UINT nIconID);
    BOOL SetMenuHotBitmap(UINT nID, CBitmap* pBitmap, COLORREF crMask);
    COXImageInfo* GetImageInfo(UINT nID) const;
    BOOL CollectToolbarImages();
    BOOL IsOwnSubmenu(HMENU hMenu);

    virtual void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    virtual LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    virtual BOOL OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS);
    virtual void ConvertMenu(COXBitmapMenu* pMenu, BOOL bNew);
    virtual void RestoreMenu(CMenu* pMenu, BOOL bRestoreItems);

    // Recently used items.
    virtual void ShowOnlyRecentlyUsedItems(BOOL bShow);
    BOOL IsShowOnlyRecentlyUsed() const { return m_bShowOnlyRecentlyUsed; }
    virtual BOOL HideMenuItem(UINT nID);
    virtual BOOL HideSubmenu(HMENU hMenu);
    virtual BOOL UnhideMenuItem(UINT nID);
    virtual BOOL UnhideSubmenu(HMENU hMenu);
    virtual void StoreHiddenItems(CArchive& ar);
    virtual void LoadHiddenItems(CArchive& ar);
    virtual void StoreHiddenSubmenus(HMENU hRootMenu, CArchive& ar);
    virtual void LoadHiddenSubmenus(HMENU hRootMenu, CArchive& ar);
    BOOL IsMenuItemShown(UINT nID) const;
    BOOL IsSubmenuShown(HMENU hMenu) const;
    BOOL IsItemShown(CMenu* pMenu, int nPos) const;
    BOOL HideItemAt(CMenu* pMenu, int nPos);
    BOOL UnhideItemAt(CMenu* pMenu, int nPos);
    BOOL SaveRecentlyUsedState(LPCTSTR lpszSection = NULL);
    BOOL LoadRecentlyUsedState(LPCTSTR lpszSection = NULL);
    BOOL SaveRecentlyUsedSubmenuState(HMENU hRootMenu, LPCTSTR lpszSection = NULL);
    BOOL LoadRecentlyUsedSubmenuState(HMENU hRootMenu, LPCTSTR lpszSection = NULL);

    // The blobs of the hidden sets, without an archive or the profile: a
    // blob that does not parse whole leaves the sets as they were.
    static void WriteIdBlob(const CArray<UINT, UINT>& arrIds, CByteArray& blob);
    static BOOL ParseIdBlob(const BYTE* pData, UINT nBytes, CArray<UINT, UINT>& arrIds);
    // Paths of positions from a root menu, each closed by -1.
    static void WritePathBlob(const CArray<CArray<int, int>*, CArray<int, int>*>& arrPaths, CByteArray& blob);
    static BOOL ParsePathBlob(const BYTE* pData, UINT nBytes, CArray<int, int>& arrFlat, int& nPaths);
    // The positions leading from hRoot down to hMenu, outermost first;
    // FALSE when it cannot be reached.
    static BOOL FindSubmenuPath(HMENU hRoot, HMENU hMenu, CArray<int, int>& arrPath, int nDepth = 0);
    // Applies the hiding rule to a menu's items (with the hidden sets):
    // which positions are taken out.
    void HiddenPositions(HMENU hMenu, CArray<int, int>& arrHidden) const;

    // Customization: the converted menus accept drops, select and tell
    // hWndNotify; entering shows every item.
    void SetCustomizationMode(BOOL bCustomize, HWND hWndNotify);
    BOOL IsCustomizing() const { return m_bCustomizing; }
    // A popup menu the organizer destroys with itself.
    void AddCreatedMenu(HMENU hMenu) { m_arrCreatedMenus.Add(hMenu); }

    BOOL IsExpanded() const { return m_bExpanded; }
    int GetPopupDepth() const { return m_nPopupDepth; }
    const CArray<_tagOXPOPUPMENUTRACE, _tagOXPOPUPMENUTRACE&>& GetPopupTrace() const { return m_arrPopupTrace; }
    int GetConvertedCount() const { return (int)m_listConvertedMenus.GetCount(); }

protected:
    CMap<CString, LPCTSTR, CImageList*, CImageList*> m_mapImageLists;
    CMap<DWORD, DWORD, COXImageInfo*, COXImageInfo*> m_mapImageInfo;
    CFrameWnd* m_pFrameWnd;
    HWND m_hWnd;
    WNDPROC m_pfnSuperWndProc;
    CImageList m_defaultImageList;
    BOOL m_bCustomizing;
    HWND m_hWndNotify;
    CList<COXBitmapMenu*, COXBitmapMenu*> m_listConvertedMenus;
    BOOL m_bShowOnlyRecentlyUsed;
    CMap<UINT, UINT, BOOL, BOOL> m_mapHiddenItems;
    CMap<HMENU, HMENU, BOOL, BOOL> m_mapHiddenSubmenus;
    CMap<COXBitmapMenu*, COXBitmapMenu*, COXArrSavedMenuItem*, COXArrSavedMenuItem*> m_mapSavedItems;
    CArray<_tagOXPOPUPMENUTRACE, _tagOXPOPUPMENUTRACE&> m_arrPopupTrace;
    BOOL m_bInMenuLoop;
    int m_nPopupDepth;
    CMap<HMENU, HMENU, HWND, HWND> m_mapPopupWindows;
    CArray<HMENU, HMENU> m_arrCreatedMenus;
    BOOL m_bExpanded;
    // An expanded popup closed to be opened again whole.
    BOOL m_bReopenPending;

    // The list under a key, made or emptied for refilling.
    CImageList* ListForKey(const CString& strKey, BOOL& bNew);
    void StoreImageInfo(UINT nID, CImageList* pList, int nIndex, BOOL bDefault, int nHot);
    static CString NumberKey(ULONG_PTR nNumber, char chLast);

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    void OnCommandUsed(UINT nID);
    void OnExpand();
    void DropClosedTraceEntries();
    void InstallHooks();
    static void RemoveHooks();
    static LRESULT CALLBACK FrameWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static HHOOK s_hMouseHook;
    static HHOOK s_hKeyboardHook;
    static COXBitmapMenuOrganizer* s_pHookOwner;
};
