// A popup menu whose items are owner-drawn: each item shows the image of its
// command beside its text and shortcut, items hidden as rarely used show in a
// band of their own once the menu is expanded, and while the menus are being
// customized items can be selected, dragged and dropped.
//
// The menu draws nothing itself: every step goes to the current menu skin
// (OXMenuSkin.h). Menus are not built by hand: the bitmap menu organizer
// turns a frame's popup menus into bitmap menus as they open and gives each
// item its data (OXBitmapMenuOrganizer.h).
#pragma once

#include <afxwin.h>
#include <afxcoll.h>
#include <afxtempl.h>

#include "OXMenuSkin.h"
#include "OXSHBDropSource.h"
#include "OXSHBDropTarget.h"
#include "OXToolTipCtrl.h"

// The image of a command: an image in a list the menu does not own.
struct COXImageInfo
{
    COXImageInfo(CImageList* pImageList = NULL, int nIndex = 0, BOOL bDefaultImage = FALSE, int nHotIndex = -1)
        : m_pImageList(pImageList), m_nIndex(nIndex), m_bDefaultImage(bDefaultImage), m_nHotIndex(nHotIndex)
    {
    }
    CImageList* m_pImageList;
    int m_nIndex;
    // Made for an item with no image of its own: the check mark list.
    BOOL m_bDefaultImage;
    int m_nHotIndex;   // -1: none
};

// The data of an owner-drawn item: its image and its text as it was before
// it became owner-drawn (access key marker and shortcut text included).
class COXItemInfo
{
public:
    COXItemInfo(COXImageInfo* pImageInfo, LPCTSTR lpszText) : m_pImageInfo(pImageInfo), m_sText(lpszText) {}

    COXImageInfo* GetImageInfo() const { return m_pImageInfo; }
    void SetImageInfo(COXImageInfo* pImageInfo) { m_pImageInfo = pImageInfo; }
    CString GetText() const { return m_sText; }
    void SetText(LPCTSTR lpszText) { m_sText = lpszText; }

protected:
    COXImageInfo* m_pImageInfo;   // not owned
    CString m_sText;
};

// What the menu skins keep for one open popup window of a menu: the screen
// colours under its shadow.
struct OXPOPUPWND
{
    HWND hWnd;
    CArray<COLORREF, COLORREF> arrShadow;
};
typedef CTypedPtrList<CPtrList, OXPOPUPWND*> COXPopupWndStack;

// Command id of the item that expands a menu's hidden items.
#define ID_OX_SHOWALLITEMS 0xFF56

// The customization notification (WM_NOTIFY) and the commands it carries.
#define OXBMN_CUSTOMIZECOMMAND 0x8072
#define OX_CUSTOMIZE_SELECTITEM 32873
#define OX_CUSTOMIZE_INSERTMARK 32876
// The customization commands: the items of a customized item's context
// menu, and the commands its notification carries.
#define OX_CUSTOMIZE_DELETE 32877
#define OX_CUSTOMIZE_APPEARANCE 32878
#define OX_CUSTOMIZE_SEPARATORBEFORE 32879
#define OX_CUSTOMIZE_SEPARATORAFTER 32880
#define OX_CUSTOMIZE_ALWAYSSHOWN 32881

// What the customization notification carries. A nonzero answer means the
// receiver did the work and the menu leaves its own action out.
struct NMBMCUSTOMIZE
{
    NMHDR hdr;   // hwndFrom: the popup window or NULL; code OXBMN_CUSTOMIZECOMMAND
    int nCommand;
};

struct OXDRAGDROPMESSAGE;

class COXBitmapMenuPopupWnd;
class COXBitmapMenuOrganizer;

class COXBitmapMenu : public CMenu
{
    DECLARE_DYNAMIC(COXBitmapMenu)
public:
    COXBitmapMenu();
    ~COXBitmapMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

    virtual BOOL CanDrop() { return m_bAcceptDrops; }
    // The customization commands on the item at nPos, as a context menu at
    // pt (screen) for the popup window.
    virtual void ShowCustomizeMenu(int nPos, CPoint pt);
    virtual COXSHBDropSource* GetDropSource(CWnd* pOwner)
    {
        m_dropSource.SetOwner(pOwner);
        return &m_dropSource;
    }
    virtual COXSHBDropTarget* GetDropTarget() { return &m_dropTarget; }
    virtual COXBitmapMenuPopupWnd* GetPopupWnd() { return m_pPopupWnd; }
    virtual void OnItemHeld(int /*nPos*/) { m_bKeepCustomizedItem = FALSE; }

    // The skin's operations, with this menu.
    virtual void DistributeSpace(const RECT& rectItem, COXImageInfo* pImageInfo, RECT& rectImageFrame,
                                 RECT& rectImage, RECT& rectText, RECT& rectShortcut);
    virtual void DrawBackground(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectText,
                                const RECT& rectImage);
    virtual void DrawButton(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectFrame);
    virtual void DrawImage(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectImage);
    virtual void DrawText(CDC* pDC, UINT nState, LPCTSTR lpszText, const RECT& rectText,
                          const RECT& rectShortcut);
    virtual void DrawSeparator(CDC* pDC, const RECT& rect);
    virtual void DrawCustomized(CDC* pDC, const RECT& rect);
    virtual void DrawInsertMark(CDC* pDC, const RECT& rect, BOOL bBefore);
    virtual void DrawSubmenuItem(CDC* pDC, UINT nState, LPCTSTR lpszText, COXImageInfo* pImageInfo,
                                 const RECT& rectImageFrame, const RECT& rectImage, const RECT& rectText,
                                 const RECT& rectShortcut);
    virtual void DrawExpansionItem(CDC* pDC, const RECT& rect, UINT nState);
    virtual void DrawSubmenuArrow(CDC* pDC, UINT nState, const RECT& rectItem);

    // Drags over the popup window, with the drop target's record; nonzero
    // when handled (only while drops are accepted).
    virtual LRESULT OnDragEnter(OXDRAGDROPMESSAGE* pMsg);
    virtual LRESULT OnDragOver(OXDRAGDROPMESSAGE* pMsg);
    virtual LRESULT OnDragLeave(OXDRAGDROPMESSAGE* pMsg);
    virtual LRESULT OnDrop(OXDRAGDROPMESSAGE* pMsg);
    // Inserts the commands of a dragged command's block (in global memory,
    // *ppData at its start or inside it) into hMenu at nPos and moves
    // *ppData past them. A block that does not read whole inserts nothing
    // and leaves *ppData; FALSE then.
    virtual BOOL InsertItems(LPBYTE* ppData, HMENU hMenu, int nPos);
    // The same from a block of nSize bytes.
    BOOL InsertItems(const BYTE* pData, SIZE_T nSize, HMENU hMenu, int nPos, SIZE_T* pnRead = NULL);

    // The customization commands on the customized item; each asks the
    // notification window first.
    virtual void OnCustomizeCommand(UINT nCommand);
    virtual void CustomizeDelete();
    virtual void CustomizeAppearance();
    virtual void CustomizeSeparatorBefore();
    virtual void CustomizeSeparatorAfter();
    virtual void CustomizeAlwaysShown();

    // The text an item's data keeps; FALSE for an item without data of
    // this menu.
    BOOL GetItemDataText(int nPos, CString& strText);

    // Widest image, text height, widest shortcut, widest text, from the items.
    void UpdateExtents();
    int GetImageWidth() const { return m_nImageWidth; }
    int GetTextHeight() const { return m_nTextHeight; }
    int GetShortcutWidth() const { return m_nShortcutWidth; }
    int GetTextWidth() const { return m_nTextWidth; }

    // Item at a vertical offset in the popup (-1 past the last item);
    // *pbUpperHalf tells the half it lies in.
    int HitTest(CPoint pt, BOOL* pbUpperHalf = NULL);

    int SetCustomizedItem(int nPos);
    int GetCustomizedItem() const { return m_nCustomizedItem; }
    int SetInsertMark(int nPos);
    int GetInsertMark() const { return m_nInsertMark; }
    void SetCustomizeMode(HWND hWndNotify, BOOL bCustomize);
    BOOL IsInCustomizationMode() const { return m_bCustomizing; }
    void SetAcceptDrops(BOOL bAccept) { m_bAcceptDrops = bAccept; }

    void UpdateMenuUI(CWnd* pTarget, BOOL bSysMenu);
    BOOL IsPopupItem(UINT nID);

    // Items an access key chooses; the key folded to lower case in the
    // user's code page.
    void AddAccessKey(BYTE chKey, int nPos) { m_mapAccessKeys[FoldAccessKey(chKey)] = nPos; }
    BOOL LookupAccessKey(BYTE chKey, int& nPos) const { return m_mapAccessKeys.Lookup(FoldAccessKey(chKey), nPos); }
    void RemoveAccessKeys() { m_mapAccessKeys.RemoveAll(); }
    static BYTE FoldAccessKey(BYTE chKey);
    // The access character of an item text: the one after the first single
    // ampersand ("&&" is a literal ampersand); 0 when there is none.
    static BYTE AccessKeyOf(LPCTSTR lpszText);

    // The item data made for this menu; the menu deletes it.
    void AddItemInfo(COXItemInfo* pItemInfo) { m_listItemInfo.AddTail(pItemInfo); }
    // The text an owner-drawn item at nPos keeps in this menu's item data;
    // FALSE when the item carries none of this menu's.
    BOOL GetStoredItemText(int nPos, CString& sText)
    {
        COXItemInfo* pInfo = ItemInfoAt(nPos);
        if (pInfo == NULL)
            return FALSE;
        sText = pInfo->GetText();
        return TRUE;
    }

    // The skin's state bits for an item hidden as rarely used, from whether
    // its neighbours are shown.
    static UINT HiddenBandState(BOOL bHidden, BOOL bPrevShown, BOOL bNextShown);

    // Tracks the menu under the pressed (else the hot) button of a bar, with
    // a shadowed item window over the button; TrackPopupMenu's result.
    // lpRect, when given, is the button's rectangle in the bar's client
    // coordinates.
    BOOL TrackBarPopupMenu(CToolBar* pBar, CWnd* pWnd, LPCRECT lpRect = NULL);
    // Where a menu of sizeMenu opens from a bar button (rectButton on the
    // screen, rectMonitor the whole monitor): the TPM_ alignment flags, the
    // point, and the side it opens on (1 below, 2 right, 4 left, 8 above).
    static UINT PlaceUnderBarButton(BOOL bHorzBar, const RECT& rectButton, SIZE sizeMenu, const RECT& rectMonitor,
                                    POINT& pt, int& nSide);
    // A menu's size for placing it: the widest item + 18 by the heights + 6;
    // items not owner-drawn count 17 high, separators 8.
    static CSize EstimateSize(HMENU hMenu);

    // Screen rectangle of the bar button the menu opened from, or empty.
    CRect m_rectOwnerItem;
    COXPopupWndStack m_popupStack;
    // The open popup window record of hWnd, NULL when none.
    OXPOPUPWND* FindPopupWnd(HWND hWnd);

    COXMenuSkin* GetMenuSkin() const { return OXGetMenuSkin(); }

protected:
    CMap<BYTE, BYTE, int, int> m_mapAccessKeys;
    int m_nImageWidth;
    int m_nTextHeight;
    int m_nShortcutWidth;
    int m_nTextWidth;
    CList<COXItemInfo*, COXItemInfo*> m_listItemInfo;
    BOOL m_bAcceptDrops;
    int m_nCustomizedItem;
    BOOL m_bCustomizing;
    HWND m_hWndNotify;
    COXSHBDropSource m_dropSource;
    COXSHBDropTarget m_dropTarget;
    BOOL m_bKeepCustomizedItem;
    BOOL m_bDragOver;
    COXBitmapMenuPopupWnd* m_pPopupWnd;
    int m_nInsertMark;
    COXToolTipCtrl m_toolTip;

    // Redraws the item at nPos in the popup window; sends the customization
    // notification with nCommand.
    void RedrawItem(int nPos);
    LRESULT NotifyCustomize(UINT nCommand);
    // After the items changed: converted again, the popup laid out again.
    void AfterCustomizeChange();
    COXBitmapMenuOrganizer* GetOrganizer() const;
    // The item's data, NULL when it has none.
    COXItemInfo* ItemInfoAt(int nPos);
    BOOL IsItemShownAt(COXBitmapMenuOrganizer* pOrganizer, int nPos);

    friend class COXBitmapMenuOrganizer;
    friend class COXBitmapMenuPopupWnd;
    friend class CBitmapMenuCmdUI;
};

// Sets the text of an owner-drawn item in its item data, of other items as
// any command UI does.
class CBitmapMenuCmdUI : public CCmdUI
{
public:
    void SetText(LPCTSTR lpszText) override;
};

// A pattern brush of an 8 x 8 checkerboard in the two colours; NULL when its
// bitmap cannot be made. The caller deletes it.
HBRUSH CreateHalftoneBrush(COLORREF clr1, COLORREF clr2);

// An item's type, id, submenu, data and text (into szText, cch characters);
// FALSE when there is no such item.
BOOL OXGetMenuItem(HMENU hMenu, int nPos, MENUITEMINFOA& mii, LPSTR szText, UINT cch);

// TrackPopupMenuEx that ends on a quit posted while the menu is open and
// leaves the quit for the program's loop (a menu loop would take it).
BOOL OXTrackPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, HWND hWndOwner, LPTPMPARAMS lpParams = NULL);

// Registers, once, the local popup menu window class that hands every popup
// menu window of the process to the current menu skin. Returns whether the
// class is registered.
BOOL OXRegisterPopupMenuClass();
