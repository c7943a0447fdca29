#include "OXBitmapMenuOrganizer.h"

#include <commctrl.h>

#include "OXBitmapMenuPopupWnd.h"
#include "OXMenuBar.h"
#include "OXSubclass.h"

#ifndef MN_GETHMENU
#define MN_GETHMENU 0x01E1
#endif

namespace {

const int kMaxItemText = 300;
// Nesting of submenus a stored path may go down; deeper paths are refused.
const int kMaxPathDepth = 16;
const char kDefaultItemsSection[] = "RecentlyUsedMenuItems";
const char kDefaultSubmenusSection[] = "RecentlyUsedSubmenuItems";
const char kContentsEntry[] = "RUContents";
const char kSizeEntry[] = "RUItemsDataSize";

// One organizer per frame window, for the whole process.
CMap<HWND, HWND, COXBitmapMenuOrganizer*, COXBitmapMenuOrganizer*>& FrameMap()
{
    static CMap<HWND, HWND, COXBitmapMenuOrganizer*, COXBitmapMenuOrganizer*> map;
    return map;
}

void AppendInt(CByteArray& blob, INT32 n)
{
    for (int i = 0; i < 4; ++i)
        blob.Add((BYTE)(((UINT32)n >> (8 * i)) & 0xFF));
}

INT32 ReadInt(const BYTE* p)
{
    return (INT32)((UINT32)p[0] | ((UINT32)p[1] << 8) | ((UINT32)p[2] << 16) | ((UINT32)p[3] << 24));
}

// All of an item's fields, its text up to kMaxItemText characters.
BOOL ReadItem(HMENU hMenu, int nPos, MENUITEMINFOA& mii, CString& strText)
{
    char szText[kMaxItemText + 1] = {};
    ZeroMemory(&mii, sizeof(mii));
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
    mii.dwTypeData = szText;
    mii.cch = kMaxItemText;
    if (!::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &mii))
        return FALSE;
    const BOOL bString = (mii.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) == 0;
    strText = bString ? szText : "";
    mii.dwTypeData = NULL;
    mii.cch = 0;
    return TRUE;
}

}   // namespace

HHOOK COXBitmapMenuOrganizer::s_hMouseHook = NULL;
COXBitmapMenuOrganizer* COXBitmapMenuOrganizer::s_pHookOwner = NULL;
HHOOK COXBitmapMenuOrganizer::s_hKeyboardHook = NULL;

COXBitmapMenuOrganizer::COXBitmapMenuOrganizer()
    : m_pFrameWnd(NULL), m_hWnd(NULL), m_pfnSuperWndProc(NULL), m_bCustomizing(FALSE), m_hWndNotify(NULL),
      m_listConvertedMenus(10), m_bShowOnlyRecentlyUsed(TRUE), m_bInMenuLoop(FALSE), m_nPopupDepth(0),
      m_bExpanded(FALSE), m_bReopenPending(FALSE)
{
    m_mapImageLists.InitHashTable(17);
    m_mapImageInfo.InitHashTable(17);
    m_mapHiddenItems.InitHashTable(17);
    m_mapHiddenSubmenus.InitHashTable(17);
    m_mapSavedItems.InitHashTable(17);
    m_mapPopupWindows.InitHashTable(17);
    CreateDefaultImages();
    // The system makes a popup's window before the menu is converted: the
    // class has to be there before the first menu opens.
    OXRegisterPopupMenuClass();
}

COXBitmapMenuOrganizer::~COXBitmapMenuOrganizer()
{
    if (s_pHookOwner == this)
        RemoveHooks();
    Empty(TRUE);
    DetachFrameWnd();
    for (INT_PTR i = 0; i < m_arrCreatedMenus.GetSize(); ++i)
        ::DestroyMenu(m_arrCreatedMenus[i]);
}

// ---------------------------------------------------------------------------
// The frame
// ---------------------------------------------------------------------------
BOOL COXBitmapMenuOrganizer::AttachFrameWnd(CFrameWnd* pFrame)
{
    if (m_pFrameWnd != NULL || pFrame == NULL)
        return FALSE;
    m_pFrameWnd = pFrame;
    return SubclassFrameWindow(pFrame);
}

BOOL COXBitmapMenuOrganizer::SubclassFrameWindow(CWnd* pWnd)
{
    if (m_hWnd != NULL)
        return pWnd != NULL && pWnd->GetSafeHwnd() == m_hWnd &&
               (WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == FrameWndProc;
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return FALSE;
    m_hWnd = pWnd->GetSafeHwnd();
    FrameMap()[m_hWnd] = this;
    m_pfnSuperWndProc = OXSubclass::Install(m_hWnd, FrameWndProc);
    if (m_pfnSuperWndProc == NULL) {
        FrameMap().RemoveKey(m_hWnd);
        m_hWnd = NULL;
    }
    return m_hWnd != NULL;
}

CFrameWnd* COXBitmapMenuOrganizer::DetachFrameWnd()
{
    if (m_hWnd != NULL) {
        // A procedure installed on the frame after ours keeps ours in its
        // chain: then ours passes every message on until the window goes.
        if (::IsWindow(m_hWnd))
            OXSubclass::Remove(m_hWnd, FrameWndProc, m_pfnSuperWndProc);
        FrameMap().RemoveKey(m_hWnd);
        m_hWnd = NULL;
    }
    CFrameWnd* pFrame = m_pFrameWnd;
    m_pFrameWnd = NULL;
    Empty(TRUE);
    return pFrame;
}

COXBitmapMenuOrganizer* COXBitmapMenuOrganizer::FindOrganizer(HWND hWnd)
{
    COXBitmapMenuOrganizer* pOrganizer = NULL;
    return FrameMap().Lookup(hWnd, pOrganizer) ? pOrganizer : NULL;
}

void COXBitmapMenuOrganizer::Empty(BOOL bRestoreItems)
{
    for (POSITION pos = m_mapImageLists.GetStartPosition(); pos != NULL;) {
        CString strKey;
        CImageList* pList;
        m_mapImageLists.GetNextAssoc(pos, strKey, pList);
        if (pList != &m_defaultImageList)
            delete pList;
    }
    m_mapImageLists.RemoveAll();
    for (POSITION pos = m_mapImageInfo.GetStartPosition(); pos != NULL;) {
        DWORD nID;
        COXImageInfo* pInfo;
        m_mapImageInfo.GetNextAssoc(pos, nID, pInfo);
        delete pInfo;
    }
    m_mapImageInfo.RemoveAll();
    while (!m_listConvertedMenus.IsEmpty())
        RestoreMenu(m_listConvertedMenus.GetHead(), bRestoreItems);
}

// ---------------------------------------------------------------------------
// Images
// ---------------------------------------------------------------------------
BOOL COXBitmapMenuOrganizer::CreateDefaultImages(int cx, int cy, LPCTSTR lpszCheck, LPCTSTR lpszBullet)
{
    if (cx == 0 && cy == 0) {
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        POINT pt = {::GetSystemMetrics(SM_CXMENUCHECK), ::GetSystemMetrics(SM_CYMENUCHECK)};
        dc.DPtoLP(&pt, 1);
        cx = pt.x;
        cy = pt.y;
    }
    m_defaultImageList.DeleteImageList();
    if (!m_defaultImageList.Create(cx, cy, ILC_MASK, 2, 0))
        return FALSE;
    const LPCTSTR names[2] = {lpszCheck, lpszBullet};
    const UINT frames[2] = {DFCS_MENUCHECK, DFCS_MENUBULLET};
    for (int i = 0; i < 2; ++i) {
        CBitmap bitmap;
        if (names[i] != NULL) {
            if (!bitmap.LoadBitmap(names[i]))
                return FALSE;
        } else {
            CDC dcScreen, dc;
            dcScreen.Attach(::GetDC(NULL));
            dc.CreateCompatibleDC(&dcScreen);
            bitmap.CreateCompatibleBitmap(&dcScreen, cx, cy);
            CBitmap* pOld = dc.SelectObject(&bitmap);
            CRect rc(0, 0, cx, cy);
            dc.FillSolidRect(&rc, RGB(255, 255, 255));
            dc.DrawFrameControl(&rc, DFC_MENU, frames[i]);
            dc.SelectObject(pOld);
            ::ReleaseDC(NULL, dcScreen.Detach());
        }
        m_defaultImageList.Add(&bitmap, RGB(255, 255, 255));
    }
    return TRUE;
}

CString COXBitmapMenuOrganizer::NumberKey(ULONG_PTR nNumber, char chLast)
{
    // Pointer-sized: handles and addresses differ in their upper half on
    // the 64-bit build.
    CString strKey;
    strKey.Format("%c%llu%c", (char)0x7F, (unsigned long long)nNumber, chLast);
    return strKey;
}

CImageList* COXBitmapMenuOrganizer::ListForKey(const CString& strKey, BOOL& bNew)
{
    CImageList* pList = NULL;
    bNew = !m_mapImageLists.Lookup(strKey, pList) || pList == &m_defaultImageList;
    if (bNew) {
        pList = new CImageList;
        m_mapImageLists[strKey] = pList;
    } else {
        pList->DeleteImageList();
    }
    return pList;
}

void COXBitmapMenuOrganizer::StoreImageInfo(UINT nID, CImageList* pList, int nIndex, BOOL bDefault, int nHot)
{
    COXImageInfo* pInfo = NULL;
    if (!m_mapImageInfo.Lookup(nID, pInfo)) {
        pInfo = new COXImageInfo;
        m_mapImageInfo[nID] = pInfo;
    }
    *pInfo = COXImageInfo(pList, nIndex, bDefault, nHot);
}

BOOL COXBitmapMenuOrganizer::SetMenuImage(UINT nID, LPCTSTR lpszBitmap, int nIndex, int cx)
{
    if (m_mapImageInfo.GetHashTableSize() == 0 || lpszBitmap == NULL)
        return FALSE;
    const CString strKey = IS_INTRESOURCE(lpszBitmap) ? NumberKey((ULONG_PTR)lpszBitmap, 0x7F)
                                                      : CString(lpszBitmap) + (char)0x7F;
    BOOL bNew;
    CImageList* pList = ListForKey(strKey, bNew);
    if (!pList->Create(lpszBitmap, cx, 0, RGB(192, 192, 192)))
        return FALSE;
    StoreImageInfo(nID, pList, nIndex, FALSE, -1);
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::SetMenuImage(UINT nID, LPCTSTR lpszBitmap)
{
    CBitmap bitmap;
    BITMAP bm;
    if (!bitmap.LoadBitmap(lpszBitmap) || !bitmap.GetBitmap(&bm))
        return FALSE;
    return SetMenuImage(nID, lpszBitmap, 0, bm.bmWidth);
}

BOOL COXBitmapMenuOrganizer::SetMenuImage(UINT nID, UINT nBitmapID)
{
    return SetMenuImage(nID, MAKEINTRESOURCE(nBitmapID));
}

BOOL COXBitmapMenuOrganizer::SetMenuIcon(UINT nID, HICON hIcon, int cx, int cy)
{
    if (m_mapImageInfo.GetHashTableSize() == 0 || hIcon == NULL)
        return FALSE;
    BOOL bNew;
    CImageList* pList = ListForKey(NumberKey((ULONG_PTR)hIcon, 0x7F), bNew);
    if (!pList->Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 0) || pList->Add(hIcon) < 0)
        return FALSE;
    StoreImageInfo(nID, pList, 0, FALSE, -1);
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::SetMenuBitmap(UINT nID, CBitmap* pBitmap, COLORREF crMask, int cx, int cy)
{
    if (m_mapImageInfo.GetHashTableSize() == 0 || pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return FALSE;
    BOOL bNew;
    CImageList* pList = ListForKey(NumberKey((ULONG_PTR)pBitmap, 0x7F), bNew);
    if (!pList->Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 0) ||
        ImageList_AddMasked(pList->GetSafeHandle(), (HBITMAP)pBitmap->GetSafeHandle(), crMask) < 0)
        return FALSE;
    StoreImageInfo(nID, pList, 0, FALSE, -1);
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::SetMenuIcon(UINT nID, LPCTSTR lpszIcon)
{
    if (m_mapImageInfo.GetHashTableSize() == 0 || lpszIcon == NULL)
        return FALSE;
    HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), lpszIcon);
    if (hIcon == NULL)
        return FALSE;
    const CString strKey = IS_INTRESOURCE(lpszIcon) ? NumberKey((ULONG_PTR)lpszIcon, (char)0x80)
                                                    : CString(lpszIcon) + (char)0x80;
    BOOL bNew;
    CImageList* pList = ListForKey(strKey, bNew);
    if (!pList->Create(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), ILC_COLOR, 1, 0) ||
        pList->Add(hIcon) < 0)
        return FALSE;
    StoreImageInfo(nID, pList, 0, FALSE, -1);
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::SetMenuIcon(UINT nID, UINT nIconID) { return SetMenuIcon(nID, MAKEINTRESOURCE(nIconID)); }

BOOL COXBitmapMenuOrganizer::SetMenuHotImage(UINT nID, LPCTSTR lpszBitmap, int nIndex, int cx)
{
    CImageList temp;
    if (GetImageInfo(nID) == NULL || !temp.Create(lpszBitmap, cx, 0, RGB(192, 192, 192)))
        return FALSE;
    HICON hIcon = temp.ExtractIcon(nIndex);
    const BOOL bDone = SetMenuHotIcon(nID, hIcon);
    if (hIcon != NULL)
        ::DestroyIcon(hIcon);
    return bDone;
}

BOOL COXBitmapMenuOrganizer::SetMenuHotImage(UINT nID, UINT nBitmapID)
{
    CBitmap bitmap;
    BITMAP bm;
    if (!bitmap.LoadBitmap(nBitmapID) || !bitmap.GetBitmap(&bm))
        return FALSE;
    return SetMenuHotImage(nID, MAKEINTRESOURCE(nBitmapID), 0, bm.bmWidth);
}

BOOL COXBitmapMenuOrganizer::SetMenuHotIcon(UINT nID, UINT nIconID)
{
    HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(nIconID));
    return hIcon != NULL && SetMenuHotIcon(nID, hIcon);
}

BOOL COXBitmapMenuOrganizer::SetMenuHotBitmap(UINT nID, CBitmap* pBitmap, COLORREF crMask)
{
    COXImageInfo* pInfo = GetImageInfo(nID);
    if (pInfo == NULL || pInfo->m_pImageList == NULL || pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return FALSE;
    const int nIndex = pInfo->m_pImageList->Add(pBitmap, crMask);
    if (nIndex < 0)
        return FALSE;
    pInfo->m_nHotIndex = nIndex;
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::SetMenuHotIcon(UINT nID, HICON hIcon)
{
    COXImageInfo* pInfo = GetImageInfo(nID);
    if (pInfo == NULL || pInfo->m_pImageList == NULL || hIcon == NULL)
        return FALSE;
    const int nIndex = pInfo->m_pImageList->Add(hIcon);
    if (nIndex < 0)
        return FALSE;
    pInfo->m_nHotIndex = nIndex;
    return TRUE;
}

COXImageInfo* COXBitmapMenuOrganizer::GetImageInfo(UINT nID) const
{
    COXImageInfo* pInfo = NULL;
    return m_mapImageInfo.Lookup(nID, pInfo) ? pInfo : NULL;
}

BOOL COXBitmapMenuOrganizer::CollectToolbarImages()
{
    if (m_pFrameWnd == NULL)
        return FALSE;
    Empty(TRUE);
    int nBars = 0;
    for (POSITION pos = m_pFrameWnd->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CToolBar* pBar = DYNAMIC_DOWNCAST(CToolBar, (CObject*)m_pFrameWnd->m_listControlBars.GetNext(pos));
        if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
            continue;
        HIMAGELIST hNormal = (HIMAGELIST)pBar->SendMessage(TB_GETIMAGELIST);
        if (hNormal == NULL)
            continue;
        HIMAGELIST hHot = (HIMAGELIST)pBar->SendMessage(TB_GETHOTIMAGELIST);
        CImageList* pList = new CImageList;
        pList->Attach(ImageList_Duplicate(hNormal));
        const int nNormal = ImageList_GetImageCount(hNormal);
        if (hHot != NULL) {
            for (int i = 0; i < ImageList_GetImageCount(hHot); ++i) {
                HICON hIcon = ImageList_GetIcon(hHot, i, ILD_NORMAL);
                pList->Add(hIcon);
                ::DestroyIcon(hIcon);
            }
        }
        CString strKey;
        strKey.Format("%i", ++nBars);
        m_mapImageLists[strKey] = pList;
        const int nButtons = (int)pBar->SendMessage(TB_BUTTONCOUNT);
        for (int i = 0; i < nButtons; ++i) {
            UINT nID, nStyle;
            int iImage;
            pBar->GetButtonInfo(i, nID, nStyle, iImage);
            if (nStyle & TBSTYLE_SEP)
                continue;
            StoreImageInfo(nID, pList, iImage, FALSE, hHot != NULL ? iImage + nNormal : -1);
        }
    }
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::IsOwnSubmenu(HMENU hMenu)
{
    HMENU hBar = m_hWnd != NULL ? ::GetMenu(m_hWnd) : NULL;
    const int nCount = hBar != NULL ? ::GetMenuItemCount(hBar) : 0;
    for (int i = 0; i < nCount; ++i)
        if (::GetSubMenu(hBar, i) == hMenu)
            return TRUE;
    return FALSE;
}

// ---------------------------------------------------------------------------
// Converting and restoring
// ---------------------------------------------------------------------------
void COXBitmapMenuOrganizer::OnInitMenuPopup(CMenu* pMenu, UINT /*nIndex*/, BOOL /*bSysMenu*/)
{
    COXBitmapMenu* pBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, pMenu);
    BOOL bNew = FALSE;
    if (pBitmapMenu == NULL) {
        HMENU hMenu = pMenu->GetSafeHmenu();
        // A permanent wrapper of another class gives the handle up first.
        if (CMenu* pPermanent = CMenu::FromHandlePermanent(hMenu))
            pPermanent->Detach();
        pBitmapMenu = new COXBitmapMenu;
        pBitmapMenu->Attach(hMenu);
        m_listConvertedMenus.AddTail(pBitmapMenu);
        bNew = TRUE;
    }
    if (m_pFrameWnd != NULL)
        pBitmapMenu->UpdateMenuUI(m_pFrameWnd, FALSE);
    ConvertMenu(pBitmapMenu, bNew);
    if (m_bCustomizing)
        pBitmapMenu->SetCustomizeMode(m_hWndNotify, TRUE);
    else
        pBitmapMenu->SetCustomizeMode(NULL, FALSE);
}

void COXBitmapMenuOrganizer::HiddenPositions(HMENU hMenu, CArray<int, int>& arrHidden) const
{
    arrHidden.RemoveAll();
    BOOL bAfterHidden = TRUE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        const UINT nID = ::GetMenuItemID(hMenu, i);
        HMENU hSub = ::GetSubMenu(hMenu, i);
        const BOOL bSeparator = hSub == NULL && nID == 0;
        BOOL bHidden;
        if (bSeparator)
            bHidden = bAfterHidden;
        else
            bHidden = hSub != NULL ? !IsSubmenuShown(hSub) : !IsMenuItemShown(nID);
        if (!bHidden) {
            bAfterHidden = FALSE;
            continue;
        }
        arrHidden.Add(i);
        // A hidden run after a separator takes the separator after it too.
        if (!bSeparator && !bAfterHidden && i > 0 && ::GetMenuItemID(hMenu, i - 1) == 0 &&
            ::GetSubMenu(hMenu, i - 1) == NULL)
            bAfterHidden = TRUE;
    }
}

void COXBitmapMenuOrganizer::ConvertMenu(COXBitmapMenu* pMenu, BOOL bNew)
{
    HMENU hMenu = pMenu->GetSafeHmenu();
    CArray<int, int> arrHidden;
    if (bNew && !m_bExpanded && !m_bCustomizing && m_bShowOnlyRecentlyUsed)
        HiddenPositions(hMenu, arrHidden);

    pMenu->RemoveAccessKeys();
    COXArrSavedMenuItem arrSaved;
    int nNextHidden = 0;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOA mii;
        CString strText;
        if (!ReadItem(hMenu, i, mii, strText))
            continue;
        if (nNextHidden < arrHidden.GetSize() && arrHidden[nNextHidden] == i) {
            ++nNextHidden;
            _tagOXSAVEDMENUITEM saved;
            saved.nPosition = i;
            saved.mii = mii;
            saved.sText = strText;
            arrSaved.Add(saved);
            continue;
        }
        const UINT nKey = mii.hSubMenu != NULL ? (UINT)-1 : mii.wID;
        COXImageInfo* pInfo = GetImageInfo(nKey);
        if (pInfo == NULL) {
            const CString strKey = NumberKey(nKey, (char)0x80);
            CImageList* pList = NULL;
            if (!m_mapImageLists.Lookup(strKey, pList)) {
                pList = &m_defaultImageList;
                m_mapImageLists[strKey] = pList;
            }
            StoreImageInfo(nKey, pList, 0, TRUE, -1);
            pInfo = GetImageInfo(nKey);
        }
        COXItemInfo* pOwn = pMenu->ItemInfoAt(i);
        MENUITEMINFOA miiSet;
        ZeroMemory(&miiSet, sizeof(miiSet));
        miiSet.cbSize = sizeof(miiSet);
        const BOOL bOwnerDrawn = (mii.fType & MFT_OWNERDRAW) != 0;
        miiSet.fMask = bOwnerDrawn ? MIIM_DATA : (MIIM_TYPE | MIIM_DATA);
        miiSet.fType = mii.fType | MFT_OWNERDRAW;
        if (bNew || pOwn == NULL) {
            // An owner-drawn item keeps the text its data had.
            pOwn = new COXItemInfo(pInfo, bOwnerDrawn && pOwn != NULL ? (LPCTSTR)pOwn->GetText() : (LPCTSTR)strText);
            pMenu->AddItemInfo(pOwn);
        } else if (!bOwnerDrawn && (mii.fType & (MFT_SEPARATOR | MFT_BITMAP)) == 0) {
            pOwn->SetText(strText);
        }
        miiSet.dwItemData = (ULONG_PTR)pOwn;
        ::SetMenuItemInfoA(hMenu, (UINT)i, TRUE, &miiSet);
        const CString strItemText = pOwn->GetText();
        if (BYTE chKey = COXBitmapMenu::AccessKeyOf(strItemText))
            pMenu->AddAccessKey(chKey, i - (int)arrSaved.GetSize());
    }

    if (bNew && arrSaved.GetSize() > 0) {
        COXItemInfo* pExpand = new COXItemInfo(NULL, "");
        pMenu->AddItemInfo(pExpand);
        StoreImageInfo(ID_OX_SHOWALLITEMS, &m_defaultImageList, 0, TRUE, -1);
        pExpand->SetImageInfo(GetImageInfo(ID_OX_SHOWALLITEMS));
        ::AppendMenuA(hMenu, MF_OWNERDRAW, ID_OX_SHOWALLITEMS, (LPCSTR)pExpand);
        // Taken out, not destroyed: a submenu handle may be held elsewhere
        // (the window menu, a template's menu) and comes back as it was.
        for (INT_PTR i = arrSaved.GetSize() - 1; i >= 0; --i)
            ::RemoveMenu(hMenu, (UINT)arrSaved[i].nPosition, MF_BYPOSITION);
        COXArrSavedMenuItem* pArr = NULL;
        if (!m_mapSavedItems.Lookup(pMenu, pArr)) {
            pArr = new COXArrSavedMenuItem;
            m_mapSavedItems[pMenu] = pArr;
        }
        pArr->Append(arrSaved);
    }
    pMenu->UpdateExtents();
}

void COXBitmapMenuOrganizer::RestoreMenu(CMenu* pMenu, BOOL bRestoreItems)
{
    COXBitmapMenu* pBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, pMenu);
    if (pBitmapMenu == NULL)
        return;
    if (POSITION pos = m_listConvertedMenus.Find(pBitmapMenu))
        m_listConvertedMenus.RemoveAt(pos);
    HMENU hMenu = pBitmapMenu->GetSafeHmenu();
    const BOOL bMenu = hMenu != NULL && ::IsMenu(hMenu);
    if (bMenu) {
        const int nLast = ::GetMenuItemCount(hMenu) - 1;
        if (nLast >= 0 && ::GetMenuItemID(hMenu, nLast) == ID_OX_SHOWALLITEMS)
            ::DeleteMenu(hMenu, (UINT)nLast, MF_BYPOSITION);
        if (bRestoreItems) {
            const int nCount = ::GetMenuItemCount(hMenu);
            for (int i = 0; i < nCount; ++i) {
                COXItemInfo* pInfo = pBitmapMenu->ItemInfoAt(i);
                MENUITEMINFOA mii;
                CString strText;
                if (pInfo == NULL || !ReadItem(hMenu, i, mii, strText) || !(mii.fType & MFT_OWNERDRAW))
                    continue;
                const CString strItem = pInfo->GetText();
                MENUITEMINFOA miiSet;
                ZeroMemory(&miiSet, sizeof(miiSet));
                miiSet.cbSize = sizeof(miiSet);
                miiSet.fMask = MIIM_TYPE | MIIM_DATA;
                miiSet.fType = mii.fType & ~MFT_OWNERDRAW;
                if (!(miiSet.fType & MFT_SEPARATOR))
                    miiSet.dwTypeData = (LPSTR)(LPCSTR)strItem;
                miiSet.dwItemData = 0;
                ::SetMenuItemInfoA(hMenu, (UINT)i, TRUE, &miiSet);
            }
        }
    }
    COXArrSavedMenuItem* pArr = NULL;
    if (m_mapSavedItems.Lookup(pBitmapMenu, pArr)) {
        for (INT_PTR i = 0; bMenu && i < pArr->GetSize(); ++i) {
            _tagOXSAVEDMENUITEM& saved = pArr->ElementAt(i);
            MENUITEMINFOA mii = saved.mii;
            if ((mii.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) == 0)
                mii.dwTypeData = (LPSTR)(LPCSTR)saved.sText;
            ::InsertMenuItemA(hMenu, (UINT)saved.nPosition, TRUE, &mii);
        }
        delete pArr;
        m_mapSavedItems.RemoveKey(pBitmapMenu);
    }
    // The handle lives on as an ordinary menu.
    pBitmapMenu->Detach();
    delete pBitmapMenu;
}

LRESULT COXBitmapMenuOrganizer::OnMenuChar(UINT nChar, UINT /*nFlags*/, CMenu* pMenu)
{
    COXBitmapMenu* pBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, pMenu);
    int nPos;
    if (pBitmapMenu != NULL && pBitmapMenu->LookupAccessKey((BYTE)nChar, nPos))
        return MAKELRESULT(nPos, MNC_EXECUTE);
    return 0;
}

BOOL COXBitmapMenuOrganizer::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS->CtlType != ODT_MENU) {
        if (m_pFrameWnd != NULL)
            if (CWnd* pChild = m_pFrameWnd->GetDescendantWindow(nIDCtl, TRUE))
                pChild->SendMessage(WM_MEASUREITEM, (WPARAM)nIDCtl, (LPARAM)lpMIS);
        return TRUE;
    }
    // The menu that holds the item: one of ours by its data when it can be
    // told, else by the command id below the frame's menus.
    for (POSITION pos = m_listConvertedMenus.GetHeadPosition(); pos != NULL;) {
        COXBitmapMenu* pMenu = m_listConvertedMenus.GetNext(pos);
        if (pMenu->m_listItemInfo.Find(reinterpret_cast<COXItemInfo*>(lpMIS->itemData)) != NULL) {
            pMenu->MeasureItem(lpMIS);
            return TRUE;
        }
    }
    CMenu* pMenu = CMenu::FindMenuForMeasureItem(m_hWnd, lpMIS->itemID);
    if (pMenu == NULL && m_nPopupDepth >= 1 && m_nPopupDepth <= m_arrPopupTrace.GetSize())
        pMenu = CMenu::FromHandlePermanent(m_arrPopupTrace[m_nPopupDepth - 1].hMenu);
    if (pMenu == NULL)
        return FALSE;
    pMenu->MeasureItem(lpMIS);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Recently used items
// ---------------------------------------------------------------------------
void COXBitmapMenuOrganizer::ShowOnlyRecentlyUsedItems(BOOL bShow)
{
    if (m_bShowOnlyRecentlyUsed == bShow)
        return;
    m_bShowOnlyRecentlyUsed = bShow;
    for (POSITION pos = m_listConvertedMenus.GetHeadPosition(); pos != NULL;) {
        COXBitmapMenuPopupWnd* pPopup = m_listConvertedMenus.GetNext(pos)->GetPopupWnd();
        if (pPopup != NULL && pPopup->GetSafeHwnd() != NULL)
            pPopup->Refresh();
    }
}

void COXBitmapMenuOrganizer::SetCustomizationMode(BOOL bCustomize, HWND hWndNotify)
{
    m_hWndNotify = hWndNotify;
    if (m_bCustomizing == bCustomize)
        return;
    m_bCustomizing = bCustomize;
    // All items are present while menus are customized.
    if (bCustomize && m_bShowOnlyRecentlyUsed && !m_bExpanded)
        while (!m_listConvertedMenus.IsEmpty())
            RestoreMenu(m_listConvertedMenus.GetHead(), TRUE);
}

BOOL COXBitmapMenuOrganizer::HideMenuItem(UINT nID)
{
    BOOL b;
    if (nID == 0 || m_mapHiddenItems.Lookup(nID, b))
        return FALSE;
    m_mapHiddenItems[nID] = TRUE;
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::HideSubmenu(HMENU hMenu)
{
    BOOL b;
    if (m_mapHiddenSubmenus.Lookup(hMenu, b))
        return FALSE;
    m_mapHiddenSubmenus[hMenu] = TRUE;
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::UnhideMenuItem(UINT nID) { return m_mapHiddenItems.RemoveKey(nID); }
BOOL COXBitmapMenuOrganizer::UnhideSubmenu(HMENU hMenu) { return m_mapHiddenSubmenus.RemoveKey(hMenu); }

BOOL COXBitmapMenuOrganizer::IsMenuItemShown(UINT nID) const
{
    BOOL b;
    return !m_mapHiddenItems.Lookup(nID, b);
}

BOOL COXBitmapMenuOrganizer::IsSubmenuShown(HMENU hMenu) const
{
    BOOL b;
    return !m_mapHiddenSubmenus.Lookup(hMenu, b);
}

BOOL COXBitmapMenuOrganizer::IsItemShown(CMenu* pMenu, int nPos) const
{
    if (nPos == -1)
        return TRUE;
    HMENU hSub = ::GetSubMenu(pMenu->GetSafeHmenu(), nPos);
    return hSub != NULL ? IsSubmenuShown(hSub) : IsMenuItemShown(::GetMenuItemID(pMenu->GetSafeHmenu(), nPos));
}

BOOL COXBitmapMenuOrganizer::HideItemAt(CMenu* pMenu, int nPos)
{
    HMENU hSub = ::GetSubMenu(pMenu->GetSafeHmenu(), nPos);
    return hSub != NULL ? HideSubmenu(hSub) : HideMenuItem(::GetMenuItemID(pMenu->GetSafeHmenu(), nPos));
}

BOOL COXBitmapMenuOrganizer::UnhideItemAt(CMenu* pMenu, int nPos)
{
    HMENU hSub = ::GetSubMenu(pMenu->GetSafeHmenu(), nPos);
    return hSub != NULL ? UnhideSubmenu(hSub) : UnhideMenuItem(::GetMenuItemID(pMenu->GetSafeHmenu(), nPos));
}

void COXBitmapMenuOrganizer::WriteIdBlob(const CArray<UINT, UINT>& arrIds, CByteArray& blob)
{
    blob.RemoveAll();
    AppendInt(blob, (INT32)arrIds.GetSize());
    for (INT_PTR i = 0; i < arrIds.GetSize(); ++i)
        AppendInt(blob, (INT32)arrIds[i]);
}

BOOL COXBitmapMenuOrganizer::ParseIdBlob(const BYTE* pData, UINT nBytes, CArray<UINT, UINT>& arrIds)
{
    arrIds.RemoveAll();
    if (pData == NULL || nBytes < 4)
        return FALSE;
    const INT32 nCount = ReadInt(pData);
    if (nCount < 0 || (UINT)nCount > (nBytes - 4) / 4)
        return FALSE;
    for (INT32 i = 0; i < nCount; ++i)
        arrIds.Add((UINT)ReadInt(pData + 4 + 4 * i));
    return TRUE;
}

void COXBitmapMenuOrganizer::WritePathBlob(const CArray<CArray<int, int>*, CArray<int, int>*>& arrPaths,
                                           CByteArray& blob)
{
    blob.RemoveAll();
    AppendInt(blob, (INT32)arrPaths.GetSize());
    for (INT_PTR i = 0; i < arrPaths.GetSize(); ++i) {
        for (INT_PTR j = 0; arrPaths[i] != NULL && j < arrPaths[i]->GetSize(); ++j)
            AppendInt(blob, arrPaths[i]->GetAt(j));
        AppendInt(blob, -1);
    }
}

BOOL COXBitmapMenuOrganizer::ParsePathBlob(const BYTE* pData, UINT nBytes, CArray<int, int>& arrFlat, int& nPaths)
{
    arrFlat.RemoveAll();
    nPaths = 0;
    if (pData == NULL || nBytes < 4)
        return FALSE;
    const INT32 nCount = ReadInt(pData);
    if (nCount < 0 || (UINT)nCount > (nBytes - 4) / 4)
        return FALSE;
    UINT nOffset = 4;
    for (INT32 i = 0; i < nCount; ++i) {
        int nDepth = 0;
        for (;;) {
            if (nOffset + 4 > nBytes)
                return FALSE;
            const INT32 n = ReadInt(pData + nOffset);
            nOffset += 4;
            arrFlat.Add(n);
            if (n == -1)
                break;
            if (n < 0 || ++nDepth > kMaxPathDepth)
                return FALSE;
        }
    }
    nPaths = nCount;
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::FindSubmenuPath(HMENU hRoot, HMENU hMenu, CArray<int, int>& arrPath, int nDepth)
{
    if (hRoot == NULL || !::IsMenu(hRoot) || nDepth > kMaxPathDepth)
        return FALSE;
    const int nCount = ::GetMenuItemCount(hRoot);
    for (int i = 0; i < nCount; ++i) {
        HMENU hSub = ::GetSubMenu(hRoot, i);
        if (hSub == NULL)
            continue;
        arrPath.Add(i);
        if (hSub == hMenu || FindSubmenuPath(hSub, hMenu, arrPath, nDepth + 1))
            return TRUE;
        arrPath.RemoveAt(arrPath.GetSize() - 1);
    }
    return FALSE;
}

void COXBitmapMenuOrganizer::StoreHiddenItems(CArchive& ar)
{
    CArray<UINT, UINT> arrIds;
    for (POSITION pos = m_mapHiddenItems.GetStartPosition(); pos != NULL;) {
        UINT nID;
        BOOL b;
        m_mapHiddenItems.GetNextAssoc(pos, nID, b);
        arrIds.Add(nID);
    }
    CByteArray blob;
    WriteIdBlob(arrIds, blob);
    ar.Write(blob.GetData(), (UINT)blob.GetSize());
}

// Reads what is left of an archive, bounded.
static void ReadRest(CArchive& ar, CByteArray& blob, UINT nLimit)
{
    blob.RemoveAll();
    BYTE buf[256];
    UINT n;
    while (blob.GetSize() < (INT_PTR)nLimit && (n = ar.Read(buf, sizeof(buf))) > 0)
        for (UINT i = 0; i < n; ++i)
            blob.Add(buf[i]);
}

void COXBitmapMenuOrganizer::LoadHiddenItems(CArchive& ar)
{
    CByteArray blob;
    ReadRest(ar, blob, 1 << 20);
    CArray<UINT, UINT> arrIds;
    if (!ParseIdBlob(blob.GetData(), (UINT)blob.GetSize(), arrIds))
        return;
    m_mapHiddenItems.RemoveAll();
    for (INT_PTR i = 0; i < arrIds.GetSize(); ++i)
        HideMenuItem(arrIds[i]);
}

void COXBitmapMenuOrganizer::StoreHiddenSubmenus(HMENU hRootMenu, CArchive& ar)
{
    CArray<CArray<int, int>*, CArray<int, int>*> arrPaths;
    for (POSITION pos = m_mapHiddenSubmenus.GetStartPosition(); pos != NULL;) {
        HMENU hMenu;
        BOOL b;
        m_mapHiddenSubmenus.GetNextAssoc(pos, hMenu, b);
        CArray<int, int>* pPath = new CArray<int, int>;
        if (!::IsMenu(hMenu) || !FindSubmenuPath(hRootMenu, hMenu, *pPath))
            pPath->RemoveAll();
        arrPaths.Add(pPath);
    }
    CByteArray blob;
    WritePathBlob(arrPaths, blob);
    for (INT_PTR i = 0; i < arrPaths.GetSize(); ++i)
        delete arrPaths[i];
    ar.Write(blob.GetData(), (UINT)blob.GetSize());
}

void COXBitmapMenuOrganizer::LoadHiddenSubmenus(HMENU hRootMenu, CArchive& ar)
{
    CByteArray blob;
    ReadRest(ar, blob, 1 << 20);
    CArray<int, int> arrFlat;
    int nPaths;
    if (!ParsePathBlob(blob.GetData(), (UINT)blob.GetSize(), arrFlat, nPaths))
        return;
    m_mapHiddenSubmenus.RemoveAll();
    HMENU hMenu = hRootMenu;
    BOOL bReached = TRUE;
    int nSteps = 0;
    for (INT_PTR i = 0; i < arrFlat.GetSize(); ++i) {
        if (arrFlat[i] == -1) {
            if (bReached && nSteps > 0 && hMenu != NULL)
                HideSubmenu(hMenu);
            hMenu = hRootMenu;
            bReached = TRUE;
            nSteps = 0;
            continue;
        }
        hMenu = bReached && hMenu != NULL ? ::GetSubMenu(hMenu, arrFlat[i]) : NULL;
        bReached = hMenu != NULL;
        ++nSteps;
    }
}

// The profile side: a blob and its size beside it.
static BOOL WriteBlob(LPCTSTR lpszSection, const CByteArray& blob)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    pApp->WriteProfileBinary(lpszSection, kContentsEntry, (LPBYTE)blob.GetData(), (UINT)blob.GetSize());
    pApp->WriteProfileInt(lpszSection, kSizeEntry, (int)blob.GetSize());
    return TRUE;
}

// The stored blob, or FALSE when there is none (no size, or no value).
static BOOL ReadBlob(LPCTSTR lpszSection, CByteArray& blob)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || (int)pApp->GetProfileInt(lpszSection, kSizeEntry, -1) == -1)
        return FALSE;
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(lpszSection, kContentsEntry, &pData, &nBytes))
        return FALSE;
    blob.SetSize(nBytes);
    if (nBytes > 0)
        memcpy(blob.GetData(), pData, nBytes);
    delete[] pData;
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::SaveRecentlyUsedState(LPCTSTR lpszSection)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        StoreHiddenItems(ar);
    }
    CByteArray blob;
    const UINT nLength = (UINT)file.GetLength();
    BYTE* pData = file.Detach();
    blob.SetSize(nLength);
    if (nLength > 0)
        memcpy(blob.GetData(), pData, nLength);
    free(pData);
    WriteBlob(lpszSection != NULL && *lpszSection ? lpszSection : kDefaultItemsSection, blob);
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::LoadRecentlyUsedState(LPCTSTR lpszSection)
{
    CByteArray blob;
    if (!ReadBlob(lpszSection != NULL && *lpszSection ? lpszSection : kDefaultItemsSection, blob))
        return TRUE;
    CMemFile file(blob.GetData(), (UINT)blob.GetSize());
    CArchive ar(&file, CArchive::load, 4096);
    LoadHiddenItems(ar);
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::SaveRecentlyUsedSubmenuState(HMENU hRootMenu, LPCTSTR lpszSection)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        StoreHiddenSubmenus(hRootMenu, ar);
    }
    CByteArray blob;
    const UINT nLength = (UINT)file.GetLength();
    BYTE* pData = file.Detach();
    blob.SetSize(nLength);
    if (nLength > 0)
        memcpy(blob.GetData(), pData, nLength);
    free(pData);
    WriteBlob(lpszSection != NULL && *lpszSection ? lpszSection : kDefaultSubmenusSection, blob);
    return TRUE;
}

BOOL COXBitmapMenuOrganizer::LoadRecentlyUsedSubmenuState(HMENU hRootMenu, LPCTSTR lpszSection)
{
    CByteArray blob;
    if (!ReadBlob(lpszSection != NULL && *lpszSection ? lpszSection : kDefaultSubmenusSection, blob))
        return TRUE;
    CMemFile file(blob.GetData(), (UINT)blob.GetSize());
    CArchive ar(&file, CArchive::load, 4096);
    LoadHiddenSubmenus(hRootMenu, ar);
    return TRUE;
}

void COXBitmapMenuOrganizer::OnCommandUsed(UINT nID)
{
    BOOL bChanged = UnhideMenuItem(nID);
    for (INT_PTR i = 1; i < m_arrPopupTrace.GetSize(); ++i)
        bChanged |= UnhideSubmenu(m_arrPopupTrace[i].hMenu);
    if (bChanged && m_hWnd != NULL)
        ::SendMessage(m_hWnd, WM_OX_HIDDENSETSCHANGED, 0, 0);
}

void COXBitmapMenuOrganizer::DropClosedTraceEntries()
{
    for (int i = 0; i < m_nPopupDepth && i < m_arrPopupTrace.GetSize(); ++i) {
        HWND hWnd = NULL;
        if (m_mapPopupWindows.Lookup(m_arrPopupTrace[i].hMenu, hWnd) && !::IsWindowVisible(hWnd)) {
            m_nPopupDepth = i;
            break;
        }
    }
}

void COXBitmapMenuOrganizer::OnExpand()
{
    m_bExpanded = TRUE;
    DropClosedTraceEntries();
    if (m_nPopupDepth < 1 || m_nPopupDepth > m_arrPopupTrace.GetSize())
        return;
    HMENU hExpanded = m_arrPopupTrace[m_nPopupDepth - 1].hMenu;
    HWND hMenuWnd = NULL;
    m_mapPopupWindows.Lookup(hExpanded, hMenuWnd);
    // A popup tracked on its own (no menu bar) is not opened again.
    // A menu bar window counts as the frame's menu: its popup opens again.
    const BOOL bMenuBar = ::GetMenu(m_hWnd) != NULL || COXMenuBar::FindMenuBar(CWnd::FromHandle(m_hWnd)) != NULL;
    const BOOL bReopen = bMenuBar || m_nPopupDepth >= 2;
    HWND hParent = NULL;
    if (bReopen) {
        if (m_nPopupDepth < 2)
            hParent = m_hWnd;
        else
            m_mapPopupWindows.Lookup(m_arrPopupTrace[m_nPopupDepth - 2].hMenu, hParent);
    }
    const BOOL bLocked = !bReopen && ::LockWindowUpdate(m_hWnd);
    if (hMenuWnd != NULL) {
        if (bMenuBar && hParent != NULL)
            ::PostMessage(hMenuWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        else
            ::SendMessage(hMenuWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    }
    // A popup window may leave keys to its menu loop's queue and ignore a
    // key sent to it: then the loop is ended outright.
    if (!bReopen && hMenuWnd != NULL && ::IsWindow(hMenuWnd) && ::IsWindowVisible(hMenuWnd))
        ::EndMenu();
    if (bLocked)
        ::LockWindowUpdate(NULL);
    for (POSITION pos = m_listConvertedMenus.GetHeadPosition(); pos != NULL;) {
        COXBitmapMenu* pMenu = m_listConvertedMenus.GetNext(pos);
        HMENU hMenu = pMenu->GetSafeHmenu();
        HWND hWnd = NULL;
        if (!::IsMenu(hMenu) || !m_mapPopupWindows.Lookup(hMenu, hWnd) || !::IsWindow(hWnd) || hMenu == hExpanded)
            RestoreMenu(pMenu, TRUE);
    }
    if (bReopen && hParent != NULL) {
        m_bReopenPending = TRUE;
        if (bMenuBar)
            ::PostMessage(hParent, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        else
            ::SendMessage(hParent, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    }
}

void COXBitmapMenuOrganizer::InstallHooks()
{
    // The hooks serve the organizer whose menu loop is running.
    s_pHookOwner = this;
    if (s_hMouseHook == NULL)
        s_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
    if (s_hKeyboardHook == NULL)
        s_hKeyboardHook = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, NULL, ::GetCurrentThreadId());
}

void COXBitmapMenuOrganizer::RemoveHooks()
{
    if (s_hMouseHook != NULL)
        ::UnhookWindowsHookEx(s_hMouseHook);
    if (s_hKeyboardHook != NULL)
        ::UnhookWindowsHookEx(s_hKeyboardHook);
    s_hMouseHook = s_hKeyboardHook = NULL;
    s_pHookOwner = NULL;
}

LRESULT CALLBACK COXBitmapMenuOrganizer::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    COXBitmapMenuOrganizer* pThis = s_pHookOwner;
    // A menu loop acts on a click it has only peeked at (HC_NOREMOVE): the
    // expansion item must be caught there, or the loop chooses it as a
    // command; eaten then, the click never comes again.
    if ((nCode == HC_ACTION || nCode == HC_NOREMOVE) && pThis != NULL && wParam >= WM_LBUTTONDOWN &&
        wParam <= WM_RBUTTONDBLCLK) {
        const MOUSEHOOKSTRUCT* pMouse = (const MOUSEHOOKSTRUCT*)lParam;
        HWND hUnder = ::WindowFromPoint(pMouse->pt);
        for (int i = 0; i < pThis->m_nPopupDepth && i < pThis->m_arrPopupTrace.GetSize(); ++i) {
            HWND hWnd = NULL;
            if (!pThis->m_mapPopupWindows.Lookup(pThis->m_arrPopupTrace[i].hMenu, hWnd) || hWnd != hUnder)
                continue;
            BOOL bClosed = FALSE;
            for (int j = i + 1; j < pThis->m_nPopupDepth && j < pThis->m_arrPopupTrace.GetSize(); ++j) {
                HWND hDeeper = NULL;
                if (pThis->m_mapPopupWindows.Lookup(pThis->m_arrPopupTrace[j].hMenu, hDeeper) &&
                    ::IsWindow(hDeeper)) {
                    ::SendMessage(hDeeper, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                    bClosed = TRUE;
                }
            }
            if (bClosed)
                pThis->m_nPopupDepth = i + 1;
            HMENU hMenu = pThis->m_arrPopupTrace[i].hMenu;
            const int nItem = ::MenuItemFromPoint(NULL, hMenu, pMouse->pt);
            if (nItem >= 0 && ::GetMenuItemID(hMenu, nItem) == ID_OX_SHOWALLITEMS) {
                // Only the release expands: the press alone does nothing.
                if (wParam != WM_LBUTTONDOWN && wParam != WM_RBUTTONDOWN)
                    ::PostMessage(pThis->m_hWnd, WM_COMMAND, ID_OX_SHOWALLITEMS, 0);
                return 1;
            }
            break;
        }
    }
    return ::CallNextHookEx(s_hMouseHook, nCode, wParam, lParam);
}

LRESULT CALLBACK COXBitmapMenuOrganizer::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    COXBitmapMenuOrganizer* pThis = s_pHookOwner;
    // A menu loop may only peek at the key (HC_NOREMOVE); eaten then, it
    // never comes again.
    if ((nCode == HC_ACTION || nCode == HC_NOREMOVE) && pThis != NULL && wParam == VK_RETURN) {
        for (int i = 0; i < pThis->m_nPopupDepth && i < pThis->m_arrPopupTrace.GetSize(); ++i) {
            HMENU hMenu = pThis->m_arrPopupTrace[i].hMenu;
            HWND hWnd = NULL;
            if (!pThis->m_mapPopupWindows.Lookup(hMenu, hWnd) || !::IsWindowVisible(hWnd))
                continue;
            const int nLast = ::GetMenuItemCount(hMenu) - 1;
            if (nLast < 0 || ::GetMenuItemID(hMenu, nLast) != ID_OX_SHOWALLITEMS ||
                !(::GetMenuState(hMenu, (UINT)nLast, MF_BYPOSITION) & MF_HILITE))
                continue;
            if ((DWORD)lParam < 0x20000000)
                ::PostMessage(pThis->m_hWnd, WM_COMMAND, ID_OX_SHOWALLITEMS, 0);
            return 1;
        }
    }
    return ::CallNextHookEx(s_hKeyboardHook, nCode, wParam, lParam);
}

// ---------------------------------------------------------------------------
// The frame's procedure
// ---------------------------------------------------------------------------
LRESULT CALLBACK COXBitmapMenuOrganizer::FrameWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    COXBitmapMenuOrganizer* pThis = NULL;
    FrameMap().Lookup(hWnd, pThis);
    if (pThis == NULL)
        return OXSubclass::PassThrough(FrameWndProc, NULL, hWnd, nMsg, wParam, lParam);
    return pThis->WindowProc(nMsg, wParam, lParam);
}

LRESULT COXBitmapMenuOrganizer::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = m_hWnd;
    if (nMsg == WM_MEASUREITEM)
        return OnMeasureItem((int)wParam, (LPMEASUREITEMSTRUCT)lParam);
    if (nMsg == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) == ID_OX_SHOWALLITEMS) {
        OnExpand();
        return 0;
    }
    if (nMsg == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) != 0 && m_bShowOnlyRecentlyUsed &&
        m_arrPopupTrace.GetSize() > 0)
        OnCommandUsed(LOWORD(wParam));
    LRESULT lResult = ::CallWindowProc(m_pfnSuperWndProc, hWnd, nMsg, wParam, lParam);
    if (nMsg == WM_NCDESTROY) {
        // The frame object deletes itself on the way out.
        FrameMap().RemoveKey(hWnd);
        m_hWnd = NULL;
        m_pFrameWnd = NULL;
        return lResult;
    }
    if (!::IsWindow(hWnd))
        return lResult;

    switch (nMsg) {
    case WM_INITMENUPOPUP: {
        HMENU hMenu = (HMENU)wParam;
        DropClosedTraceEntries();
        for (INT_PTR i = m_arrPopupTrace.GetSize() - 1; i >= m_nPopupDepth; --i) {
            HWND hPopup = NULL;
            if (m_mapPopupWindows.Lookup(m_arrPopupTrace[i].hMenu, hPopup)) {
                m_mapPopupWindows.RemoveKey(m_arrPopupTrace[i].hMenu);
                // A sibling opened at the same depth takes over its slot's window.
                if (i == m_nPopupDepth)
                    m_mapPopupWindows[hMenu] = hPopup;
            }
            m_arrPopupTrace.RemoveAt(i);
        }
        ++m_nPopupDepth;
        if (HIWORD(lParam))
            break;
        OnInitMenuPopup(CMenu::FromHandle(hMenu), LOWORD(lParam), FALSE);
        _tagOXPOPUPMENUTRACE trace = {hMenu, {0, 0}};
        m_arrPopupTrace.Add(trace);
        break;
    }
    case WM_MENUSELECT: {
        HMENU hMenu = (HMENU)lParam;
        if (m_arrPopupTrace.GetSize() > 0 && hMenu == m_arrPopupTrace[m_arrPopupTrace.GetSize() - 1].hMenu) {
            // The thread's popup window that shows this menu.
            HWND hPopup = NULL;
            for (HWND h = ::FindWindowExA(NULL, NULL, "#32768", NULL); h != NULL;
                 h = ::FindWindowExA(NULL, h, "#32768", NULL))
                if (::GetWindowThreadProcessId(h, NULL) == ::GetCurrentThreadId() &&
                    (HMENU)::SendMessage(h, MN_GETHMENU, 0, 0) == hMenu)
                    hPopup = h;
            if (hPopup != NULL) {
                CRect rc;
                ::GetWindowRect(hPopup, &rc);
                m_arrPopupTrace[m_arrPopupTrace.GetSize() - 1].ptTopLeft = rc.TopLeft();
                m_mapPopupWindows[hMenu] = hPopup;
            }
            if (m_bShowOnlyRecentlyUsed)
                InstallHooks();

        }
        break;
    }
    case WM_MENUCHAR: {
        char sz[2] = {(char)LOWORD(wParam), 0};
        ::CharLowerBuffA(sz, 1);
        lResult = OnMenuChar((BYTE)sz[0], HIWORD(wParam), CMenu::FromHandle((HMENU)lParam));
        break;
    }
    case WM_ENTERMENULOOP:
        if (!wParam)
            m_bInMenuLoop = TRUE;
        break;
    case WM_EXITMENULOOP:
        // A popup tracked on its own ends its loop with wParam TRUE: that is
        // its end too, unless an expansion is about to open it again.
        if (wParam && m_bReopenPending) {
            m_bReopenPending = FALSE;
        } else {
            m_bReopenPending = FALSE;
            if (m_bExpanded) {
                m_bExpanded = FALSE;
                if (m_bShowOnlyRecentlyUsed)
                    while (!m_listConvertedMenus.IsEmpty())
                        RestoreMenu(m_listConvertedMenus.GetHead(), TRUE);
            }
            m_bInMenuLoop = FALSE;
            m_nPopupDepth = 0;
        }
        RemoveHooks();
        break;
    case WM_OX_SAVEMENUSTATE:
    case WM_OX_LOADMENUSTATE:
        if (wParam != 0) {
            CString strSection = CString((LPCTSTR)lParam) + "_RecentlyUsedSubmenuItems";
            if (nMsg == WM_OX_SAVEMENUSTATE)
                SaveRecentlyUsedSubmenuState((HMENU)wParam, strSection);
            else
                LoadRecentlyUsedSubmenuState((HMENU)wParam, strSection);
        }
        break;
    }
    return lResult;
}
