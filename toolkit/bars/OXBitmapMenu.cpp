#include "OXBitmapMenu.h"

#include <algorithm>

#include "OXBitmapMenuOrganizer.h"
#include "OXBitmapMenuPopupWnd.h"
#include "OXCommandDragData.h"
#include "OXMenuBar.h"
#include "OXShadowedItemWnd.h"
#include "OXSkins.h"
#include "toolkit_res.h"

IMPLEMENT_DYNAMIC(COXBitmapMenu, CMenu)

namespace {

const int kMaxItemText = 300;

// The system's popup menu procedure, behind the local class's.
WNDPROC g_pfnSystemPopupProc = NULL;

LRESULT CALLBACK PopupMenuProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return OXGetMenuSkin()->PopupWindowProc(g_pfnSystemPopupProc, hWnd, nMsg, wParam, lParam);
}

// An item's type, submenu, data and text, by position.
struct CItemRead
{
    MENUITEMINFOA mii;
    char szText[kMaxItemText + 1];

    BOOL Read(HMENU hMenu, int nPos)
    {
        ZeroMemory(&mii, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_DATA | MIIM_ID | MIIM_STRING;
        szText[0] = 0;
        mii.dwTypeData = szText;
        mii.cch = kMaxItemText;
        return ::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &mii);
    }
};

}   // namespace

BOOL OXRegisterPopupMenuClass()
{
    static BOOL bRegistered = FALSE;
    if (bRegistered)
        return TRUE;
    WNDCLASSA wc;
    if (!::GetClassInfoA(NULL, "#32768", &wc))
        return FALSE;
    g_pfnSystemPopupProc = wc.lpfnWndProc;
    // The flat skins draw a shadow of their own; the saved bits keep what
    // lies under the popup for when it closes.
    wc.style = (wc.style & ~CS_DROPSHADOW) | CS_SAVEBITS;
    wc.lpfnWndProc = PopupMenuProc;
    wc.hInstance = AfxGetInstanceHandle();
    bRegistered = ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return bRegistered;
}

HBRUSH CreateHalftoneBrush(COLORREF clr1, COLORREF clr2)
{
    struct
    {
        BITMAPINFOHEADER bmiHeader;
        RGBQUAD bmiColors[2];
    } bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 8;
    bmi.bmiHeader.biHeight = 8;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 1;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiColors[0] = {GetBValue(clr1), GetGValue(clr1), GetRValue(clr1), 0};
    bmi.bmiColors[1] = {GetBValue(clr2), GetGValue(clr2), GetRValue(clr2), 0};
    // Rows are padded to four bytes.
    BYTE bits[8 * 4] = {};
    for (int y = 0; y < 8; ++y)
        bits[y * 4] = (y % 2 == 0) ? 0xAA : 0x55;
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateDIBitmap(hScreen, &bmi.bmiHeader, CBM_INIT, bits, (BITMAPINFO*)&bmi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hScreen);
    if (hBitmap == NULL)
        return NULL;
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    ::DeleteObject(hBitmap);
    return hBrush;
}

// ---------------------------------------------------------------------------
// COXBitmapMenu
// ---------------------------------------------------------------------------
COXBitmapMenu::COXBitmapMenu()
    : m_rectOwnerItem(0, 0, 0, 0), m_nImageWidth(0), m_nTextHeight(0), m_nShortcutWidth(0), m_nTextWidth(0),
      m_listItemInfo(10), m_bAcceptDrops(FALSE), m_nCustomizedItem(-1), m_bCustomizing(FALSE), m_hWndNotify(NULL),
      m_bKeepCustomizedItem(FALSE), m_bDragOver(FALSE), m_pPopupWnd(NULL), m_nInsertMark(-1)
{
    m_mapAccessKeys.InitHashTable(17);
    OXRegisterPopupMenuClass();
}

COXBitmapMenu::~COXBitmapMenu()
{
    if (m_pPopupWnd != NULL && m_pPopupWnd->m_pBitmapMenu == this) {
        if (m_pPopupWnd->GetSafeHwnd() != NULL)
            m_pPopupWnd->ShowWindow(SW_HIDE);
        m_pPopupWnd->m_pBitmapMenu = NULL;
    }
    while (!m_listItemInfo.IsEmpty())
        delete m_listItemInfo.RemoveHead();
    while (!m_popupStack.IsEmpty())
        delete m_popupStack.RemoveHead();
    OXReleaseSharedMenuSkin();
    m_dropTarget.Revoke();
    DestroyMenu();
}

BYTE COXBitmapMenu::FoldAccessKey(BYTE chKey)
{
    // In the user's code page, so that a key of any script folds.
    char sz[2] = {(char)chKey, 0};
    ::CharLowerBuffA(sz, 1);
    return (BYTE)sz[0];
}

BYTE COXBitmapMenu::AccessKeyOf(LPCTSTR lpszText)
{
    for (LPCTSTR p = lpszText; p != NULL && *p != 0; ++p) {
        if (*p != '&')
            continue;
        if (p[1] == '&') {
            ++p;
            continue;
        }
        return (BYTE)p[1];
    }
    return 0;
}

UINT COXBitmapMenu::HiddenBandState(BOOL bHidden, BOOL bPrevShown, BOOL bNextShown)
{
    if (!bHidden)
        return 0;
    return OXODS_HIDDEN | (bPrevShown ? OXODS_HIDDENFIRST : 0) | (bNextShown ? OXODS_HIDDENLAST : 0);
}

OXPOPUPWND* COXBitmapMenu::FindPopupWnd(HWND hWnd)
{
    for (POSITION pos = m_popupStack.GetHeadPosition(); pos != NULL;) {
        OXPOPUPWND* pPopup = m_popupStack.GetNext(pos);
        if (pPopup->hWnd == hWnd)
            return pPopup;
    }
    return NULL;
}

// Item data is trusted only when this menu made it: an item may carry data
// of the application's own.
static COXItemInfo* OwnItemInfo(const CList<COXItemInfo*, COXItemInfo*>& list, ULONG_PTR dwData)
{
    if (dwData == 0)
        return NULL;
    COXItemInfo* pInfo = reinterpret_cast<COXItemInfo*>(dwData);
    return list.Find(pInfo) != NULL ? pInfo : NULL;
}

COXItemInfo* COXBitmapMenu::ItemInfoAt(int nPos)
{
    CItemRead item;
    if (nPos < 0 || !item.Read(m_hMenu, nPos))
        return NULL;
    return OwnItemInfo(m_listItemInfo, item.mii.dwItemData);
}

void COXBitmapMenu::UpdateExtents()
{
    m_nImageWidth = m_nShortcutWidth = m_nTextWidth = 0;
    NONCLIENTMETRICSA ncm;
    OXGetNonClientMetrics(ncm);
    CFont font, fontBold;
    font.CreateFontIndirect(&ncm.lfMenuFont);
    LOGFONTA lfBold = ncm.lfMenuFont;
    lfBold.lfWeight = FW_BOLD;
    fontBold.CreateFontIndirect(&lfBold);

    CWnd* pMain = AfxGetMainWnd();
    HWND hWndDC = pMain != NULL ? pMain->GetSafeHwnd() : NULL;
    HDC hDC = ::GetDC(hWndDC);
    const int nMinImage = GetMenuSkin()->GetMetrics().m_nMinImageWidth;
    const UINT nDefault = ::GetMenuDefaultItem(m_hMenu, TRUE, GMDI_USEDISABLED);
    const int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        CItemRead item;
        if (!item.Read(m_hMenu, i) || (item.mii.fType & MFT_SEPARATOR))
            continue;
        CString strText(item.szText);
        if (COXItemInfo* pInfo = OwnItemInfo(m_listItemInfo, item.mii.dwItemData)) {
            CRect rcImage = COXMenuSkin::ImageRect(pInfo->GetImageInfo());
            if (!rcImage.IsRectEmpty())
                m_nImageWidth = std::max(m_nImageWidth, std::max<int>(rcImage.Width(), nMinImage));
            strText = pInfo->GetText();
        }
        CString strLabel, strShortcut;
        COXMenuSkin::SplitText(strText, strLabel, strShortcut);
        if (strText.Find('\t') < 0 && item.mii.hSubMenu != NULL)
            strShortcut = "W";
        HGDIOBJ hOld = ::SelectObject(hDC, (UINT)i == nDefault ? fontBold.GetSafeHandle() : font.GetSafeHandle());
        CRect rc(0, 0, 0, 0);
        ::DrawTextA(hDC, strLabel, strLabel.GetLength(), &rc, DT_CALCRECT | DT_SINGLELINE);
        m_nTextWidth = std::max<int>(m_nTextWidth, rc.Width());
        rc.SetRect(0, 0, 0, 0);
        if (!strShortcut.IsEmpty()) {
            ::DrawTextA(hDC, strShortcut, strShortcut.GetLength(), &rc, DT_CALCRECT | DT_SINGLELINE);
            m_nShortcutWidth = std::max<int>(m_nShortcutWidth, rc.Width());
        }
        ::SelectObject(hDC, hOld);
    }
    m_nImageWidth = std::max(m_nImageWidth, nMinImage);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, "A", 1, &size);
    m_nTextHeight = size.cy;
    ::ReleaseDC(hWndDC, hDC);
}

void COXBitmapMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    const OXMENUSKINMETRICS& m = GetMenuSkin()->GetMetrics();
    COXItemInfo* pInfo = OwnItemInfo(m_listItemInfo, lpMIS->itemData);
    if (pInfo == NULL) {
        if (IsPopupItem(lpMIS->itemID))
            lpMIS->itemHeight = m.m_nTextMargin + m_nTextHeight;
        return;
    }
    CRect rcImage = COXMenuSkin::ImageRect(pInfo->GetImageInfo());
    const int nImageHeight = rcImage.IsRectEmpty() ? 0 : rcImage.Height() + 2;
    lpMIS->itemWidth = m_nTextWidth + m_nImageWidth + m_nShortcutWidth + m.m_nShortcutRight + m.m_nTextGap +
                       m.m_nImageLeft + (m_nShortcutWidth != 0 ? m.m_nRightTextGap : 0);
    if (lpMIS->itemID == 0 || lpMIS->itemID == 0xFFFF)
        lpMIS->itemHeight = m.m_nSeparatorHeight;
    else
        lpMIS->itemHeight = std::max(m.m_nTextMargin + m_nTextHeight, nImageHeight + m.m_nImageMargin);
}

int COXBitmapMenu::HitTest(CPoint pt, BOOL* pbUpperHalf)
{
    const int nCount = ::GetMenuItemCount(m_hMenu);
    int nSum = 0;
    for (int i = 0; i < nCount; ++i) {
        CItemRead item;
        if (!item.Read(m_hMenu, i))
            continue;
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, item.mii.hSubMenu != NULL ? (UINT)(UINT_PTR)item.mii.hSubMenu
                                                                        : item.mii.wID,
                                 0, 0, item.mii.dwItemData};
        if (item.mii.fType & MFT_SEPARATOR)
            mis.itemID = 0;
        MeasureItem(&mis);
        nSum += (int)mis.itemHeight;
        if (nSum >= pt.y && mis.itemHeight != 0) {
            if (pbUpperHalf != NULL)
                *pbUpperHalf = nSum - (int)mis.itemHeight / 2 >= pt.y;
            return i;
        }
    }
    return -1;
}

BOOL COXBitmapMenu::IsItemShownAt(COXBitmapMenuOrganizer* pOrganizer, int nPos)
{
    return pOrganizer->IsItemShown(this, nPos);
}

void COXBitmapMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    COXItemInfo* pInfo = OwnItemInfo(m_listItemInfo, lpDIS->itemData);
    if (pInfo == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CString strText = pInfo->GetText();
    const CRect rcItem(lpDIS->rcItem);
    COXImageInfo* pImageInfo = pInfo->GetImageInfo();
    const BOOL bSeparator = lpDIS->itemID == 0 || lpDIS->itemID == 0xFFFF;
    CRect rcImageFrame, rcImage, rcText, rcShortcut;
    if (!bSeparator)
        DistributeSpace(rcItem, pImageInfo, rcImageFrame, rcImage, rcText, rcShortcut);

    const CPoint ptCentre = rcItem.CenterPoint();
    const int nPos = HitTest(ptCentre);
    UINT nState = lpDIS->itemState;
    CWnd* pMain = AfxGetMainWnd();
    COXBitmapMenuOrganizer* pOrganizer =
        pMain != NULL ? COXBitmapMenuOrganizer::FindOrganizer(pMain->GetSafeHwnd()) : NULL;
    if (pOrganizer != NULL && pOrganizer->IsShowOnlyRecentlyUsed() && nPos >= 0)
        nState |= HiddenBandState(!IsItemShownAt(pOrganizer, nPos), IsItemShownAt(pOrganizer, nPos - 1),
                                  IsItemShownAt(pOrganizer, nPos + 1));

    if (bSeparator) {
        DrawSeparator(pDC, rcItem);
    } else if (nPos >= 0 && ::GetSubMenu(m_hMenu, nPos) != NULL) {
        // The submenu item's own drawing has no item rectangle to fill.
        DrawBackground(pDC, nState, pImageInfo, rcItem, rcImageFrame);
        DrawSubmenuItem(pDC, nState, strText, pImageInfo, rcImageFrame, rcImage, rcText, rcShortcut);
        DrawSubmenuArrow(pDC, nState, rcItem);
        // The arrow the system draws after an owner-drawn item would lie
        // over the skin's.
        pDC->ExcludeClipRect(COXMenuSkin::SubmenuArrowRect(rcItem));
    } else {
        DrawBackground(pDC, nState, pImageInfo, rcItem, rcImageFrame);
        DrawButton(pDC, nState, pImageInfo, rcImageFrame);
        DrawImage(pDC, nState, pImageInfo, rcImage);
        if (lpDIS->itemID == ID_OX_SHOWALLITEMS)
            DrawExpansionItem(pDC, rcItem, nState);
        else
            DrawText(pDC, nState, strText, rcText, rcShortcut);
    }

    if (m_nCustomizedItem != -1 && ::GetMenuItemID(m_hMenu, m_nCustomizedItem) == lpDIS->itemID &&
        nPos == m_nCustomizedItem)
        DrawCustomized(pDC, rcItem);
    if (m_nInsertMark != -1) {
        const int nCount = ::GetMenuItemCount(m_hMenu);
        const int nMarked = m_nInsertMark >= nCount ? m_nInsertMark - 1 : m_nInsertMark;
        if (nMarked == nPos)
            DrawInsertMark(pDC, rcItem, m_nInsertMark < nCount);
    }
}

// The skin's operations, each with this menu.
void COXBitmapMenu::DistributeSpace(const RECT& rectItem, COXImageInfo* pImageInfo, RECT& rectImageFrame,
                                    RECT& rectImage, RECT& rectText, RECT& rectShortcut)
{
    GetMenuSkin()->DistributeSpace(rectItem, pImageInfo, rectImageFrame, rectImage, rectText, rectShortcut, this);
}
void COXBitmapMenu::DrawBackground(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectText,
                                   const RECT& rectImage)
{
    GetMenuSkin()->DrawBackground(pDC, nState, pImageInfo, rectText, rectImage, this);
}
void COXBitmapMenu::DrawButton(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectFrame)
{
    GetMenuSkin()->DrawButton(pDC, nState, pImageInfo, rectFrame, this);
}
void COXBitmapMenu::DrawImage(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectImage)
{
    GetMenuSkin()->DrawImage(pDC, nState, pImageInfo, rectImage, this);
}
void COXBitmapMenu::DrawText(CDC* pDC, UINT nState, LPCTSTR lpszText, const RECT& rectText,
                             const RECT& rectShortcut)
{
    GetMenuSkin()->DrawText(pDC, nState, lpszText, rectText, rectShortcut, this);
}
void COXBitmapMenu::DrawSeparator(CDC* pDC, const RECT& rect) { GetMenuSkin()->DrawSeparator(pDC, rect, this); }
void COXBitmapMenu::DrawCustomized(CDC* pDC, const RECT& rect) { GetMenuSkin()->DrawCustomized(pDC, rect, this); }
void COXBitmapMenu::DrawInsertMark(CDC* pDC, const RECT& rect, BOOL bBefore)
{
    GetMenuSkin()->DrawInsertMark(pDC, rect, bBefore, this);
}
void COXBitmapMenu::DrawSubmenuItem(CDC* pDC, UINT nState, LPCTSTR lpszText, COXImageInfo* pImageInfo,
                                    const RECT& rectImageFrame, const RECT& rectImage, const RECT& rectText,
                                    const RECT& rectShortcut)
{
    GetMenuSkin()->DrawSubmenuItem(pDC, nState, lpszText, pImageInfo, rectImageFrame, rectImage, rectText,
                                   rectShortcut, this);
}
void COXBitmapMenu::DrawExpansionItem(CDC* pDC, const RECT& rect, UINT nState)
{
    GetMenuSkin()->DrawExpansionItem(pDC, rect, nState, this);
}
void COXBitmapMenu::DrawSubmenuArrow(CDC* pDC, UINT nState, const RECT& rectItem)
{
    GetMenuSkin()->DrawSubmenuArrow(pDC, nState, rectItem, this);
}

int COXBitmapMenu::SetCustomizedItem(int nPos)
{
    const int nOld = m_nCustomizedItem;
    m_nCustomizedItem = nPos;
    if (m_pPopupWnd != NULL && m_pPopupWnd->GetSafeHwnd() != NULL) {
        if (nOld != nPos) {
            if (nOld != -1)
                RedrawItem(nOld);
            if (nPos != -1)
                RedrawItem(nPos);
        }
        NotifyCustomize(OX_CUSTOMIZE_SELECTITEM);
    }
    return nOld;
}

int COXBitmapMenu::SetInsertMark(int nPos)
{
    const int nOld = m_nInsertMark;
    if (nOld == nPos)
        return nOld;
    m_nInsertMark = nPos;
    if (m_pPopupWnd == NULL || m_pPopupWnd->GetSafeHwnd() == NULL)
        return nOld;
    // A mark lies between two items: both show it.
    const int nCount = ::GetMenuItemCount(m_hMenu);
    const int arrMarks[2] = {nOld, nPos};
    for (int i = 0; i < 2; ++i) {
        const int nMark = arrMarks[i], nOther = arrMarks[1 - i];
        if (nMark == -1)
            continue;
        RedrawItem(nMark >= nCount ? nCount - 1 : nMark);
        if (nMark > 0 && nMark < nCount && nMark - 1 != nOther)
            RedrawItem(nMark - 1);
    }
    NotifyCustomize(OX_CUSTOMIZE_INSERTMARK);
    return nOld;
}

void COXBitmapMenu::RedrawItem(int nPos)
{
    if (m_pPopupWnd != NULL)
        m_pPopupWnd->RedrawItem(nPos);
}

LRESULT COXBitmapMenu::NotifyCustomize(UINT nCommand)
{
    HWND hWndTarget = m_hWndNotify;
    if (hWndTarget == NULL) {
        CWnd* pMain = AfxGetMainWnd();
        hWndTarget = pMain != NULL ? pMain->GetSafeHwnd() : NULL;
    }
    if (hWndTarget == NULL || !::IsWindow(hWndTarget))
        return 0;
    NMBMCUSTOMIZE nm;
    ZeroMemory(&nm, sizeof(nm));
    nm.hdr.hwndFrom = m_pPopupWnd != NULL ? m_pPopupWnd->GetSafeHwnd() : NULL;
    nm.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(hWndTarget);
    nm.hdr.code = OXBMN_CUSTOMIZECOMMAND;
    nm.nCommand = (int)nCommand;
    return ::SendMessage(hWndTarget, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
}

COXBitmapMenuOrganizer* COXBitmapMenu::GetOrganizer() const
{
    CWnd* pMain = AfxGetMainWnd();
    if (COXBitmapMenuOrganizer* pOrganizer =
            pMain != NULL ? COXBitmapMenuOrganizer::FindOrganizer(pMain->GetSafeHwnd()) : NULL)
        return pOrganizer;
    // A window other than the main one may run the customization: the
    // organizer of it or of a window that holds it.
    for (HWND hWnd = m_hWndNotify; hWnd != NULL; hWnd = ::GetParent(hWnd))
        if (COXBitmapMenuOrganizer* pOrganizer = COXBitmapMenuOrganizer::FindOrganizer(hWnd))
            return pOrganizer;
    return NULL;
}

BOOL COXBitmapMenu::GetItemDataText(int nPos, CString& strText)
{
    COXItemInfo* pInfo = ItemInfoAt(nPos);
    if (pInfo == NULL)
        return FALSE;
    strText = pInfo->GetText();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Customization commands
// ---------------------------------------------------------------------------
static BOOL IsSeparatorAt(HMENU hMenu, int nPos)
{
    MENUITEMINFOA mii;
    ZeroMemory(&mii, sizeof(mii));
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &mii) && (mii.fType & MFT_SEPARATOR) != 0;
}

static CString LoadText(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}

void COXBitmapMenu::ShowCustomizeMenu(int nPos, CPoint pt)
{
    const int nCount = ::GetMenuItemCount(m_hMenu);
    if (nPos < 0 || nPos >= nCount)
        return;
    const UINT nID = ::GetMenuItemID(m_hMenu, nPos);
    // The MDI window list and the system's own entries are not the user's.
    if (::GetSubMenu(m_hMenu, nPos) == NULL && ((nID >= 0xE110 && nID <= 0xE11F) || nID >= 0xFF00))
        return;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    menu.AppendMenu(MF_STRING, OX_CUSTOMIZE_DELETE, LoadText(IDS_OX_CUSTMENU_DELETE));
    if (!IsSeparatorAt(m_hMenu, nPos)) {
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, OX_CUSTOMIZE_APPEARANCE, LoadText(IDS_OX_CUSTMENU_APPEARANCE));
        menu.AppendMenu(MF_SEPARATOR);
        COXBitmapMenuOrganizer* pOrganizer = GetOrganizer();
        if (pOrganizer != NULL && pOrganizer->IsShowOnlyRecentlyUsed()) {
            menu.AppendMenu(MF_STRING | (pOrganizer->IsItemShown(this, nPos) ? MF_CHECKED : 0),
                            OX_CUSTOMIZE_ALWAYSSHOWN, LoadText(IDS_OX_CUSTMENU_ALWAYSSHOWN));
            menu.AppendMenu(MF_SEPARATOR);
        }
        const BOOL bBefore = nPos > 0 && !IsSeparatorAt(m_hMenu, nPos - 1);
        const BOOL bAfter = nPos + 1 < nCount && !IsSeparatorAt(m_hMenu, nPos + 1);
        menu.AppendMenu(MF_STRING | (bBefore ? 0 : MF_GRAYED), OX_CUSTOMIZE_SEPARATORBEFORE,
                        LoadText(IDS_OX_CUSTMENU_SEPARATORBEFORE));
        menu.AppendMenu(MF_STRING | (bAfter ? 0 : MF_GRAYED), OX_CUSTOMIZE_SEPARATORAFTER,
                        LoadText(IDS_OX_CUSTMENU_SEPARATORAFTER));
    }
    HWND hWndOwner = m_pPopupWnd != NULL ? m_pPopupWnd->GetSafeHwnd() : NULL;
    if (hWndOwner != NULL)
        ::TrackPopupMenu(menu.m_hMenu, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hWndOwner, NULL);
}

void COXBitmapMenu::OnCustomizeCommand(UINT nCommand)
{
    switch (nCommand) {
    case OX_CUSTOMIZE_DELETE:
        CustomizeDelete();
        break;
    case OX_CUSTOMIZE_APPEARANCE:
        CustomizeAppearance();
        break;
    case OX_CUSTOMIZE_SEPARATORBEFORE:
        CustomizeSeparatorBefore();
        break;
    case OX_CUSTOMIZE_SEPARATORAFTER:
        CustomizeSeparatorAfter();
        break;
    case OX_CUSTOMIZE_ALWAYSSHOWN:
        CustomizeAlwaysShown();
        break;
    }
}

void COXBitmapMenu::CustomizeDelete()
{
    if (NotifyCustomize(OX_CUSTOMIZE_DELETE) != 0)
        return;
    const int nPos = m_nCustomizedItem;
    if (nPos < 0 || nPos >= ::GetMenuItemCount(m_hMenu))
        return;
    ::DeleteMenu(m_hMenu, (UINT)nPos, MF_BYPOSITION);
    SetCustomizedItem(-1);
    AfterCustomizeChange();
}

void COXBitmapMenu::CustomizeAppearance() { NotifyCustomize(OX_CUSTOMIZE_APPEARANCE); }

void COXBitmapMenu::CustomizeSeparatorBefore()
{
    if (NotifyCustomize(OX_CUSTOMIZE_SEPARATORBEFORE) != 0)
        return;
    const int nPos = m_nCustomizedItem;
    if (nPos < 0 || nPos >= ::GetMenuItemCount(m_hMenu))
        return;
    ::InsertMenuA(m_hMenu, (UINT)nPos, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
    AfterCustomizeChange();
    SetCustomizedItem(nPos + 1);
}

void COXBitmapMenu::CustomizeSeparatorAfter()
{
    if (NotifyCustomize(OX_CUSTOMIZE_SEPARATORAFTER) != 0)
        return;
    const int nPos = m_nCustomizedItem;
    if (nPos < 0 || nPos >= ::GetMenuItemCount(m_hMenu))
        return;
    ::InsertMenuA(m_hMenu, (UINT)nPos + 1, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
    AfterCustomizeChange();
}

void COXBitmapMenu::CustomizeAlwaysShown()
{
    if (NotifyCustomize(OX_CUSTOMIZE_ALWAYSSHOWN) != 0)
        return;
    const int nPos = m_nCustomizedItem;
    COXBitmapMenuOrganizer* pOrganizer = GetOrganizer();
    if (pOrganizer == NULL || nPos < 0 || nPos >= ::GetMenuItemCount(m_hMenu))
        return;
    if (pOrganizer->IsItemShown(this, nPos))
        pOrganizer->HideItemAt(this, nPos);
    else
        pOrganizer->UnhideItemAt(this, nPos);
    AfterCustomizeChange();
}

void COXBitmapMenu::AfterCustomizeChange()
{
    if (COXBitmapMenuOrganizer* pOrganizer = GetOrganizer())
        pOrganizer->ConvertMenu(this, FALSE);
    else
        UpdateExtents();
    if (m_pPopupWnd != NULL)
        m_pPopupWnd->Refresh();
}

// ---------------------------------------------------------------------------
// Drag and drop
// ---------------------------------------------------------------------------
LRESULT COXBitmapMenu::OnDragEnter(OXDRAGDROPMESSAGE* pMsg)
{
    if (!CanDrop())
        return 0;
    m_bDragOver = TRUE;
    return OnDragOver(pMsg);
}

LRESULT COXBitmapMenu::OnDragOver(OXDRAGDROPMESSAGE* pMsg)
{
    if (!CanDrop())
        return 0;
    pMsg->result = DROPEFFECT_NONE;
    return 1;
}

LRESULT COXBitmapMenu::OnDragLeave(OXDRAGDROPMESSAGE* /*pMsg*/)
{
    if (!CanDrop())
        return 0;
    SetInsertMark(-1);
    m_bDragOver = FALSE;
    return 1;
}

LRESULT COXBitmapMenu::OnDrop(OXDRAGDROPMESSAGE* pMsg)
{
    if (!CanDrop())
        return 0;
    pMsg->result = DROPEFFECT_NONE;
    m_bDragOver = FALSE;
    return 1;
}

// Inserts one read record (with its submenu) at nPos and moves past it.
static void InsertRecord(HMENU hMenu, int& nPos, const OXCOMMANDDATAITEM& item,
                         COXBitmapMenuOrganizer* pOrganizer, BOOL bWithItems)
{
    CString strText = item.sText;
    if (strText.IsEmpty() && item.nCommandId != 0 && item.nCommandId != -1 && strText.LoadString((UINT)item.nCommandId)) {
        const int nNewline = strText.Find('\n');
        if (nNewline >= 0)
            strText = strText.Mid(nNewline + 1);
    }
    if (item.nCommandId == -1) {
        HMENU hSub = ::CreatePopupMenu();
        if (hSub == NULL)
            return;
        if (pOrganizer != NULL)
            pOrganizer->AddCreatedMenu(hSub);
        ::InsertMenuA(hMenu, (UINT)nPos, MF_BYPOSITION | MF_POPUP, (UINT_PTR)hSub, strText);
        int nSubPos = 0;
        if (bWithItems)
            for (const OXCOMMANDDATAITEM& sub : item.arrItems)
                InsertRecord(hSub, nSubPos, sub, pOrganizer, TRUE);
    } else if (item.nCommandId == 0) {
        ::InsertMenuA(hMenu, (UINT)nPos, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
    } else {
        ::InsertMenuA(hMenu, (UINT)nPos, MF_BYPOSITION | MF_STRING, (UINT)item.nCommandId, strText);
    }
    ++nPos;
}

BOOL COXBitmapMenu::InsertItems(const BYTE* pData, SIZE_T nSize, HMENU hMenu, int nPos, SIZE_T* pnRead)
{
    OXCOMMANDDATAITEM item;
    if (hMenu == NULL || !::IsMenu(hMenu) || !COXCommandDragData::Read(pData, nSize, item, pnRead))
        return FALSE;
    COXBitmapMenuOrganizer* pOrganizer = GetOrganizer();
    const int nCount = ::GetMenuItemCount(hMenu);
    if (nPos < 0 || nPos > nCount)
        nPos = nCount;
    // A command dragged with its drop-down menu goes in as the command alone;
    // a dragged submenu brings its items.
    InsertRecord(hMenu, nPos, item, pOrganizer, item.nCommandId == -1);

    CMenu* pTarget = CMenu::FromHandlePermanent(hMenu);
    COXBitmapMenu* pBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, pTarget);
    if (pOrganizer != NULL) {
        if (pBitmapMenu != NULL)
            pOrganizer->ConvertMenu(pBitmapMenu, FALSE);
        else if (pTarget == NULL)
            pOrganizer->OnInitMenuPopup(CMenu::FromHandle(hMenu), 0, FALSE);
        pBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(hMenu));
    }
    if (pBitmapMenu != NULL && pBitmapMenu->m_pPopupWnd != NULL)
        pBitmapMenu->m_pPopupWnd->Refresh();
    return TRUE;
}

BOOL COXBitmapMenu::InsertItems(LPBYTE* ppData, HMENU hMenu, int nPos)
{
    // The block's bound is the global memory it lies in.
    if (ppData == NULL || *ppData == NULL)
        return FALSE;
    HGLOBAL hData = ::GlobalHandle(*ppData);
    if (hData == NULL)
        return FALSE;
    LPBYTE pBase = (LPBYTE)::GlobalLock(hData);
    const SIZE_T nSize = ::GlobalSize(hData);
    if (pBase != NULL)
        ::GlobalUnlock(hData);
    if (pBase == NULL || *ppData < pBase || (SIZE_T)(*ppData - pBase) > nSize)
        return FALSE;
    SIZE_T nRead = 0;
    if (!InsertItems(*ppData, nSize - (SIZE_T)(*ppData - pBase), hMenu, nPos, &nRead))
        return FALSE;
    *ppData += nRead;
    return TRUE;
}

void COXBitmapMenu::SetCustomizeMode(HWND hWndNotify, BOOL bCustomize)
{
    if (bCustomize) {
        if (!m_bAcceptDrops)
            m_bAcceptDrops = TRUE;
        m_hWndNotify = hWndNotify;
        m_bCustomizing = TRUE;
    } else {
        SetCustomizedItem(-1);
        m_bCustomizing = FALSE;
    }
}

BOOL COXBitmapMenu::IsPopupItem(UINT nID)
{
    if (nID == (UINT)-1)
        return TRUE;
    const int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        HMENU hSub = ::GetSubMenu(m_hMenu, i);
        if (hSub != NULL && ((UINT)(UINT_PTR)hSub == nID || ::GetMenuItemID(m_hMenu, i) == nID))
            return TRUE;
    }
    return FALSE;
}

// The top-level menu of hWnd's frame that holds hMenu as a direct submenu.
static CMenu* ParentMenuOf(CWnd* pTarget, HMENU hMenu)
{
    if (pTarget == NULL)
        return NULL;
    CWnd* pTop = pTarget->GetTopLevelParent();
    HMENU hBar = pTop != NULL ? ::GetMenu(pTop->GetSafeHwnd()) : NULL;
    if (hBar == NULL)
        return NULL;
    const int nCount = ::GetMenuItemCount(hBar);
    for (int i = 0; i < nCount; ++i)
        if (::GetSubMenu(hBar, i) == hMenu)
            return CMenu::FromHandle(hBar);
    return NULL;
}

void COXBitmapMenu::UpdateMenuUI(CWnd* pTarget, BOOL bSysMenu)
{
    if (bSysMenu || pTarget == NULL)
        return;
    CBitmapMenuCmdUI state;
    state.m_pMenu = this;
    HMENU hTracking = AfxGetThreadState()->m_hTrackingMenu;
    state.m_pParentMenu = hTracking == m_hMenu ? CMenu::FromHandle(hTracking) : ParentMenuOf(pTarget, m_hMenu);
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
    const BOOL bAutoEnable = pFrame == NULL || pFrame->m_bAutoMenuEnable;
    state.m_nIndexMax = (UINT)::GetMenuItemCount(m_hMenu);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = ::GetMenuItemID(m_hMenu, (int)state.m_nIndex);
        if (state.m_nID == 0)
            continue;
        if (state.m_nID == (UINT)-1) {
            HMENU hSub = ::GetSubMenu(m_hMenu, (int)state.m_nIndex);
            if (hSub == NULL)
                continue;
            state.m_pSubMenu = CMenu::FromHandle(hSub);
            state.m_nID = ::GetMenuItemID(hSub, 0);
            if (state.m_nID == 0 || state.m_nID == (UINT)-1)
                continue;
            state.DoUpdate(pTarget, FALSE);
        } else {
            state.m_pSubMenu = NULL;
            state.DoUpdate(pTarget, bAutoEnable && state.m_nID < 0xF000);
        }
        // A handler that removed items: go back over what it took away, so
        // that no item is skipped or updated twice.
        const UINT nCount = (UINT)::GetMenuItemCount(m_hMenu);
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount && ::GetMenuItemID(m_hMenu, (int)state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}

void CBitmapMenuCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu == NULL || m_pSubMenu != NULL)
        return;
    MENUITEMINFOA mii;
    ZeroMemory(&mii, sizeof(mii));
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_DATA;
    COXBitmapMenu* pMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, m_pMenu);
    if (pMenu != NULL && ::GetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii) &&
        (mii.fType & MFT_OWNERDRAW)) {
        if (COXItemInfo* pInfo = OwnItemInfo(pMenu->m_listItemInfo, mii.dwItemData))
            pInfo->SetText(lpszText);
        return;
    }
    CCmdUI::SetText(lpszText);
}

BOOL OXGetMenuItem(HMENU hMenu, int nPos, MENUITEMINFOA& mii, LPSTR szText, UINT cch)
{
    ZeroMemory(&mii, sizeof(mii));
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
    mii.dwTypeData = szText;
    mii.cch = cch;
    return ::GetMenuItemInfoA(hMenu, nPos, TRUE, &mii);
}

namespace {

struct CQuitWatch
{
    HHOOK hHook = NULL;
    BOOL bQuit = FALSE;
    int nExitCode = 0;
};
thread_local CQuitWatch* t_pQuitWatch = NULL;

LRESULT CALLBACK QuitFilterProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CQuitWatch* pWatch = t_pQuitWatch;
    const MSG* pMsg = (const MSG*)lParam;
    if (pWatch != NULL && nCode == MSGF_MENU && pMsg != NULL && pMsg->message == WM_QUIT) {
        pWatch->bQuit = TRUE;
        pWatch->nExitCode = (int)pMsg->wParam;
        ::EndMenu();
        return 1;
    }
    return ::CallNextHookEx(pWatch != NULL ? pWatch->hHook : NULL, nCode, wParam, lParam);
}

}   // namespace

BOOL OXTrackPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, HWND hWndOwner, LPTPMPARAMS lpParams)
{
    CQuitWatch watch;
    CQuitWatch* pOuter = t_pQuitWatch;
    watch.hHook = ::SetWindowsHookExA(WH_MSGFILTER, QuitFilterProc, NULL, ::GetCurrentThreadId());
    t_pQuitWatch = &watch;
    const BOOL bResult = ::TrackPopupMenuEx(hMenu, nFlags, x, y, hWndOwner, lpParams);
    t_pQuitWatch = pOuter;
    if (watch.hHook != NULL)
        ::UnhookWindowsHookEx(watch.hHook);
    if (watch.bQuit)
        ::PostQuitMessage(watch.nExitCode);
    return bResult;
}

// ---------------------------------------------------------------------------
// Tracking under a bar button
// ---------------------------------------------------------------------------
UINT COXBitmapMenu::PlaceUnderBarButton(BOOL bHorzBar, const RECT& rectButton, SIZE sizeMenu,
                                        const RECT& rectMonitor, POINT& pt, int& nSide)
{
    UINT nFlags = 0;
    if (bHorzBar) {
        pt.x = std::max(rectMonitor.left, std::min<LONG>(rectButton.left, rectMonitor.right - sizeMenu.cx));
        if (rectButton.bottom - 1 + sizeMenu.cy > rectMonitor.bottom) {
            nFlags = TPM_BOTTOMALIGN;
            pt.y = rectButton.top + 1;
            nSide = OXSIW_ABOVE;
        } else {
            pt.y = rectButton.bottom - 1;
            nSide = OXSIW_BELOW;
        }
        return nFlags;
    }
    if (rectButton.right + sizeMenu.cx > rectMonitor.right) {
        nFlags = TPM_RIGHTALIGN;
        pt.x = rectButton.left;
        nSide = OXSIW_LEFT;
    } else {
        pt.x = rectButton.right;
        nSide = OXSIW_RIGHT;
    }
    pt.y = rectButton.top + 1;
    if (pt.y + sizeMenu.cy > rectMonitor.bottom - 1)
        pt.y = rectMonitor.bottom - 1 - sizeMenu.cy;
    pt.y = std::max(pt.y, rectMonitor.top);
    return nFlags;
}

CSize COXBitmapMenu::EstimateSize(HMENU hMenu)
{
    COXBitmapMenu* pMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(hMenu));
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    CFont font;
    font.CreateFontIndirect(&ncm.lfMenuFont);
    CClientDC dc(NULL);
    CFont* pOld = dc.SelectObject(&font);
    int nWidest = 0, nHeight = 0;
    const int nCount = std::max(::GetMenuItemCount(hMenu), 0);
    for (int i = 0; i < nCount; ++i) {
        char szText[256] = "";
        MENUITEMINFOA mii;
        if (!OXGetMenuItem(hMenu, i, mii, szText, sizeof(szText)))
            continue;
        if (mii.fType & MFT_SEPARATOR) {
            nHeight += 8;
            continue;
        }
        if ((mii.fType & MFT_OWNERDRAW) && pMenu != NULL) {
            MEASUREITEMSTRUCT mis = {ODT_MENU, 0, mii.hSubMenu != NULL ? (UINT)-1 : mii.wID, 0, 0, mii.dwItemData};
            pMenu->MeasureItem(&mis);
            nWidest = std::max(nWidest, (int)mis.itemWidth);
            nHeight += (int)mis.itemHeight;
            continue;
        }
        nWidest = std::max(nWidest, (int)dc.GetTextExtent(szText).cx);
        nHeight += 17;
    }
    dc.SelectObject(pOld);
    return CSize(nWidest + 18, nHeight + 6);
}

BOOL COXBitmapMenu::TrackBarPopupMenu(CToolBar* pBar, CWnd* pWnd, LPCRECT lpRect)
{
    if (pBar == NULL || pBar->m_hWnd == NULL || pWnd == NULL)
        return FALSE;
    int nButton = -1;
    const int nButtons = (int)pBar->SendMessage(TB_BUTTONCOUNT);
    for (int i = 0; i < nButtons && nButton == -1; ++i) {
        TBBUTTON button = {};
        pBar->SendMessage(TB_GETBUTTON, i, (LPARAM)&button);
        if (pBar->SendMessage(TB_ISBUTTONPRESSED, button.idCommand))
            nButton = i;
    }
    if (nButton == -1)
        nButton = (int)pBar->SendMessage(TB_GETHOTITEM);
    CRect rectButton(0, 0, 0, 0);
    if (lpRect != NULL) {
        rectButton = *lpRect;
    } else if (nButton >= 0) {
        pBar->SendMessage(TB_GETITEMRECT, nButton, (LPARAM)&rectButton);
    } else if (COXMenuBar* pMenuBar = DYNAMIC_DOWNCAST(COXMenuBar, pBar)) {
        // The MDI child's icon: the bar keeps its rectangle.
        const int nCount = pMenuBar->GetMenu() != NULL ? ::GetMenuItemCount(pMenuBar->GetMenu()) : 0;
        pMenuBar->GetItemRect(nCount, rectButton);
        rectButton.InflateRect(3, 3);
    }
    pBar->ClientToScreen(rectButton);

    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoA(::MonitorFromWindow(pBar->m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    const BOOL bHorz = (pBar->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    CPoint pt;
    int nSide = OXSIW_BELOW;
    const UINT nFlags = PlaceUnderBarButton(bHorz, rectButton, EstimateSize(m_hMenu), mi.rcMonitor, pt, nSide);

    // What the bar still has to paint goes first; a quit taken on the way is
    // put back for the loop that owns it.
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage((int)msg.wParam);
            return FALSE;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (!::IsWindow(pBar->m_hWnd) || !::IsWindow(pWnd->m_hWnd))
        return FALSE;
    m_rectOwnerItem = rectButton;
    CRect rectItem(rectButton);
    rectItem.DeflateRect(0, 1);
    rectItem.right += 4;
    rectItem.bottom += 4;
    COXShadowedItemWnd* pItemWnd = new COXShadowedItemWnd(pBar, nButton, nSide);
    if (!pItemWnd->Create(rectItem)) {
        delete pItemWnd;
        pItemWnd = NULL;
    }
    const BOOL bResult = OXTrackPopupMenu(m_hMenu, nFlags, pt.x, pt.y, pWnd->m_hWnd);
    if (pItemWnd != NULL) {
        pItemWnd->DestroyWindow();
        delete pItemWnd;
    }
    m_rectOwnerItem.SetRectEmpty();
    return bResult;
}
