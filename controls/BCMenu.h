// BCMenu: a menu that draws its own items, with images taken from bitmaps,
// image lists or tool-bar resources, in a classic look or an XP look chosen
// from the Windows version and the desktop theme.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxtempl.h>
#include <vector>

// One item of a BCMenu. Its address is the item data Windows hands back with
// WM_MEASUREITEM and WM_DRAWITEM, so it lives as long as its item.
class BCMenuData
{
public:
    BCMenuData() {}
    ~BCMenuData();

    void SetAnsiString(LPCSTR szAnsiString);
    void SetWideString(const wchar_t* szWideString);
    const wchar_t* GetWideString() const { return m_szText; }
    CString GetString() const;   // in the ANSI code page

    wchar_t* m_szText = nullptr;
    int m_nImageOffset = -1;
    int m_nGlobalOffset = -1;
    int m_nIconNormal = -1;
    UINT m_nFlags = 0;
    UINT_PTR m_nID = 0;           // command id, or the pop-up's handle
    BOOL m_bSynced = FALSE;
    CImageList* m_pImages = nullptr;
    void* m_pContext = nullptr;

private:
    BCMenuData(const BCMenuData&) = delete;
    void operator=(const BCMenuData&) = delete;
};

// The off-screen context that paints one item without flicker: drawing uses
// the real co-ordinates, and the rectangle is copied back when it goes.
class BCMenuMemDC : public CDC
{
public:
    BCMenuMemDC(CDC* pDC, const CRect& rect);
    virtual ~BCMenuMemDC();

private:
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};

class BCMenu : public CMenu
{
    DECLARE_DYNAMIC(BCMenu)
public:
    BCMenu();
    virtual ~BCMenu();

    // Owner draw (measuring and painting one item).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMIS);

    // Building from a menu resource.
    virtual BOOL LoadMenuById(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
    virtual BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
    virtual BOOL DestroyMenu();

    // Items. nID is a command id, a pop-up's handle (MF_POPUP) or 0 for a separator.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nID = 0, LPCSTR lpszText = NULL, int nIconNormal = -1) { return AppendItem(nFlags, nID, lpszText, nIconNormal); }
    BOOL AppendItem(UINT nFlags, UINT_PTR nID, LPCSTR lpszText, int nIconNormal = -1);
    BOOL AppendItem(UINT nFlags, UINT_PTR nID, const wchar_t* lpszText, int nIconNormal = -1);
    BOOL AppendItem(UINT nFlags, UINT_PTR nID, LPCSTR lpszText, CImageList* pImages, int nOffset);
    BOOL AppendItem(UINT nFlags, UINT_PTR nID, const wchar_t* lpszText, CImageList* pImages, int nOffset);
    BOOL AppendItem(UINT nFlags, UINT_PTR nID, LPCSTR lpszText, CBitmap* pBitmap);
    BCMenu* AppendPopup(LPCSTR lpszText);
    BOOL InsertItem(UINT nPosition, UINT nFlags, UINT_PTR nID, LPCSTR lpszText, int nIconNormal = -1);
    BOOL InsertItem(UINT nPosition, UINT nFlags, UINT_PTR nID, const wchar_t* lpszText, int nIconNormal = -1);
    BOOL InsertItem(UINT nPosition, UINT nFlags, UINT_PTR nID, const wchar_t* lpszText, CImageList* pImages, int nOffset);
    BOOL ModifyItem(UINT nID, LPCSTR lpszText, int nIconNormal = -1);
    BOOL ModifyItem(UINT nID, const wchar_t* lpszText, int nIconNormal = -1);
    BOOL ModifyItem(UINT nID, const wchar_t* lpszText, CImageList* pImages, int nOffset);
    BOOL ModifyItemByText(LPCSTR lpszNewText, LPCSTR lpszOldText, int nIconNormal);
    BOOL ModifyItemColour(LPCSTR lpszText, UINT nID, COLORREF fill, COLORREF border, int hatchStyle = -1,
                          const SIZE* pRectSize = NULL);
    BOOL RemoveItem(UINT nPosition, UINT nFlags = MF_BYPOSITION) { return TakeOut(nPosition, nFlags, FALSE); }
    BOOL DeleteItem(UINT nPosition, UINT nFlags = MF_BYPOSITION) { return TakeOut(nPosition, nFlags, TRUE); }
    int RemoveItemByText(LPCSTR lpszText, int nSeparatorMode = 0) { return TakeOutByText(lpszText, nSeparatorMode, FALSE); }
    int DeleteItemByText(LPCSTR lpszText, int nSeparatorMode = 0) { return TakeOutByText(lpszText, nSeparatorMode, TRUE); }
    BOOL GetText(UINT nID, CString& strText, UINT nFlags = MF_BYPOSITION) const;
    BCMenu* GetSubMenuByText(LPCSTR lpszText);
    BCMenu* FindCommand(UINT nID, int& nPosition);

    // Images.
    BOOL SetImagesFromToolBar(CToolBar* pToolBar, UINT nBitmapId);
    BOOL LoadToolbar(UINT nToolBar);
    BOOL LoadToolbars(const UINT* arID, int n);
    void SetCheckImages(int nUnselected, int nSelected);
    void SetBitmapBackground(COLORREF color) { m_clrBitmapBackground = color; m_bBitmapBackground = TRUE; }
    void ClearBitmapBackground() { m_bBitmapBackground = FALSE; }
    void SetOldStyleDisabled() { m_bOldStyleDisabled = TRUE; }
    void ClearOldStyleDisabled() { m_bOldStyleDisabled = FALSE; }
    void SetIconHandles(BOOL bOn) { m_bIconHandles = bOn; }

    int GetMenuListCount() const { return (int)m_MenuList.GetSize(); }
    BCMenuData* GetMenuData(int nIndex) const { return m_MenuList.GetAt(nIndex); }

    // Class-wide operations.
    static void SetIconSize(int cx, int cy) { m_iconX = cx; m_iconY = cy; }
    static BOOL IsKnownMenu(CMenu* pMenu) { return pMenu != NULL && IsKnownMenuHandle(pMenu->GetSafeHmenu()); }
    static BOOL IsKnownMenuHandle(HMENU hMenu);
    static void UpdateMenu(CMenu* pMenu);
    static LRESULT FindKeyboardShortcut(UINT nChar, UINT nFlags, CMenu* pMenu);
    static void SetMenuDrawMode(int nMode) { m_nClassicDrawMode = m_nXpDrawMode = nMode; }
    static void SetSelectDisableMode(BOOL bSelect) { m_bClassicSelectDisabled = m_bXpSelectDisabled = bSelect; }

    // The Windows version code: 0 old non-NT, 2-4 non-NT 4.x, 5 NT 4, 6 Windows
    // 2000, 7 XP, 1 every other NT version.
    static int GetWindowsVersionCode();
    static int VersionCodeFor(DWORD dwPlatformId, DWORD dwMajor, DWORD dwMinor);
    static BOOL IsClassicTheme();
    // The theme key of the current user, read now.
    static BOOL ReadClassicTheme();
    static BOOL IsClassicThemeFile(LPCSTR lpszThemeFile);
    // The look follows the version and theme probed once per process; a
    // program (or a test) may state them instead.
    static void SetWindowsLook(int nVersionCode, BOOL bClassicTheme);
    static BOOL IsXpLookAvailable();
    static int GetActiveDrawMode();
    static BOOL GetActiveSelectDisabled() { return GetActiveDrawMode() == 1 ? m_bXpSelectDisabled : m_bClassicSelectDisabled; }

    static COLORREF LightenColor(COLORREF col, double factor);
    static COLORREF DarkenColor(COLORREF col, double factor);

    static int m_nClassicDrawMode;
    static int m_nXpDrawMode;
    static BOOL m_bClassicSelectDisabled;
    static BOOL m_bXpSelectDisabled;
    static BOOL m_bXpThreeDImages;
    static BOOL m_bSelectAccelSpacing;
    static BOOL m_bAlignAccelSpacing;
    static int m_iconX;
    static int m_iconY;
    static BOOL m_bHighColor;

    // Members after the CMenu part.
    CTypedPtrArray<CPtrArray, BCMenuData*> m_MenuList;
    CTypedPtrArray<CPtrArray, HMENU> m_SubMenus;
    COLORREF m_clrBitmapBackground = RGB(192, 192, 192);
    BOOL m_bBitmapBackground = FALSE;
    BOOL m_bOldStyleDisabled = FALSE;
    CImageList* m_pCheckImages = nullptr;
    BOOL m_bSharedCheckImages = FALSE;
    int m_nSelectedCheckId = -1;
    int m_nUnselectedCheckId = -1;
    BOOL m_bIconHandles = FALSE;
    BOOL m_bFromResource = FALSE;

protected:
    BCMenuData* NewRecord(UINT nFlags, UINT_PTR nID, const wchar_t* lpszText);
    BOOL InsertRecord(UINT nPosition, UINT nFlags, UINT_PTR nID, const wchar_t* lpszText, int nIconNormal,
                      CImageList* pImages, int nOffset);
    BOOL AddBitmapToImageList(CImageList* pList, UINT nResourceId);
    BOOL MakeOwnImages(BCMenuData* pData, CImageList* pImages, int nOffset);
    int AddGlobalImage(CImageList* pImages, int nOffset, UINT nID);
    int GlobalImageOf(UINT nID) const;
    BOOL ImageForResource(UINT nResourceId, UINT nID, int& nGlobal);
    void RestoreResourceTopLevel();
    int MenuStart() const;
    void AlignAccelerators();
    void ModifyItemInTree(UINT nID, const wchar_t* lpszText, int nGlobal, std::vector<HMENU>& visited, BOOL& bFound);
    BOOL TakeOut(UINT nPosition, UINT nFlags, BOOL bDelete);
    int TakeOutByText(LPCSTR lpszText, int nSeparatorMode, BOOL bDelete);
    void SyncWithWindows();
    BCMenu* MakeChild();
    std::vector<BCMenu*> Tree();

    void DrawItemClassic(LPDRAWITEMSTRUCT lpDIS);
    void DrawItemXP(LPDRAWITEMSTRUCT lpDIS);
    void DrawItemText(CDC* pDC, const BCMenuData* pData, CRect rect, BOOL bDisabled, BOOL bSelected,
                      COLORREF clrText, COLORREF clrBack, BOOL bXP);
    BOOL DrawCheckImages(CDC* pDC, const CRect& box, BOOL bSelected);
    void DrawDisabledImage(CDC* pDC, CImageList* pList, int nIndex, CPoint pt, COLORREF clrBack);
    static CImageList* ImageOf(const BCMenuData* pData, BOOL bXP, int& nIndex);
    static BOOL HasThreeDSet(const BCMenuData* pData, CImageList* pList, int nIndex);

    static std::vector<HMENU> s_AllSubMenus;
};
