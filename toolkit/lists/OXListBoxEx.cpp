// COXListBoxEx: per-item looks, the MRU group and item tooltips.
#include "OXListBoxEx.h"
#include "OXListUpdate.h"

#include <algorithm>
#include <vector>

using std::max;
using std::min;

namespace {

// On systems that report every deleted item (WM_DELETEITEM for owner-drawn
// lists), the records follow the system's reports; elsewhere DeleteString
// and ResetContent keep them themselves.
BOOL DeletionReported()
{
    static const BOOL bReported = [] {
        OSVERSIONINFOA ovi = {};
        ovi.dwOSVersionInfoSize = sizeof(ovi);
        return ::GetVersionExA(&ovi) && ovi.dwPlatformId == VER_PLATFORM_WIN32_NT && ovi.dwMajorVersion > 3;
    }();
    return bReported;
}

}  // namespace

_tagOXLISTBOXITEM::_tagOXLISTBOXITEM()
    : pFont(NULL), clrText(::GetSysColor(COLOR_WINDOWTEXT)), clrHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      clrBk(::GetSysColor(COLOR_WINDOW)), clrHighlightBk(::GetSysColor(COLOR_HIGHLIGHT)), nImage(-1), nIndent(0),
      rectItem(), rectImage(), rectText(), nMRUPosition(-1)
{
}

void OXCalcListItemRects(int nIndent, CSize sizeImage, CSize sizeText, BOOL bLastMRU, CRect& rectItem,
                         CRect& rectImage, CRect& rectText)
{
    rectItem.SetRectEmpty();
    rectImage.SetRectEmpty();
    rectText.SetRectEmpty();
    const int w = sizeImage.cx, h = sizeImage.cy, tw = sizeText.cx, th = sizeText.cy;
    const int g = w > 0 ? 2 : 0;
    const int H = max(th + 4, h + 4);
    rectItem.SetRect(0, 0, nIndent + g + w + tw + 4, H);
    if (w > 0) {
        rectImage.left = nIndent + 2;
        rectImage.top = (H - h) / 2;
        rectImage.right = rectImage.left + w;
        rectImage.bottom = rectImage.top + h;
    }
    rectText.left = nIndent + w + g + 2;
    rectText.top = (H - th) / 2;
    rectText.right = rectText.left + tw;
    rectText.bottom = rectText.top + th;
    if (bLastMRU)
        rectItem.bottom += OXLISTBOXEX_SEPARATOR_HEIGHT;
}

IMPLEMENT_DYNAMIC(COXListBoxEx, CListBox)

BEGIN_MESSAGE_MAP(COXListBoxEx, CListBox)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_VSCROLL()
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
    ON_WM_MOUSEWHEEL()
    ON_WM_CTLCOLOR_REFLECT()
    ON_MESSAGE(LB_DELETESTRING, OnDeleteString)
    ON_MESSAGE(LB_RESETCONTENT, OnResetContent)
END_MESSAGE_MAP()

COXListBoxEx::COXListBoxEx()
    : m_mapItems(10), m_pImageList(NULL), m_nMaxMRU(0), m_nLastMRUIndex(-1), m_nWidestItem(-1), m_nLastTopIndex(-1),
      m_clrBackground(::GetSysColor(COLOR_WINDOW)), m_bHighlightOnlyText(FALSE), m_bMRUAutoSave(FALSE)
{
    m_mapItems.InitHashTable(17);
}

COXListBoxEx::~COXListBoxEx()
{
    ClearRecords();
}

// ---------------------------------------------------------------------------
// The list as the rules see it
// ---------------------------------------------------------------------------

LRESULT COXListBoxEx::SendListMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

DWORD COXListBoxEx::GetListStyle() const
{
    return ::IsWindow(m_hWnd) ? GetStyle() : 0;
}

CString COXListBoxEx::ItemText(int nIndex)
{
    CString s;
    if (!(GetListStyle() & LBS_HASSTRINGS))
        return s;
    int nLen = (int)SendListMessage(LB_GETTEXTLEN, nIndex);
    if (nLen <= 0)
        return s;
    int nGot = (int)SendListMessage(LB_GETTEXT, nIndex, (LPARAM)s.GetBufferSetLength(nLen));
    s.ReleaseBuffer(nGot < 0 ? 0 : nGot);
    return s;
}

void COXListBoxEx::SetToolTipText(LPCTSTR lpszText)
{
    m_sToolTipText = lpszText ? lpszText : "";
    if (::IsWindow(m_tooltip.GetSafeHwnd()))
        m_tooltip.UpdateTipText(m_sToolTipText, this, OXLISTBOXEX_LIST_TOOL_ID);
}

// ---------------------------------------------------------------------------
// Adding and removing
// ---------------------------------------------------------------------------

int COXListBoxEx::AddItem(LPCTSTR lpszText, int nMask, CFont* pFont, COLORREF clrText, COLORREF clrBk,
                          LPCTSTR lpszToolTipText, int nImage, int nIndent, COLORREF clrHighlightText,
                          COLORREF clrHighlightBk)
{
    if ((GetListStyle() & LBS_SORT) && m_nLastMRUIndex >= 0)
        return InsertItem(SortedIndexBelowMRU(lpszText), lpszText, nMask, pFont, clrText, clrBk, lpszToolTipText,
                          nImage, nIndent, clrHighlightText, clrHighlightBk);
    int nCount = ItemCount();
    int nIndex = (int)SendListMessage(LB_ADDSTRING, 0, (LPARAM)lpszText);
    if (nIndex < 0)
        return nIndex;
    // A sorted list may place the item before others: their records move up
    // with them, as for an insertion, before the new one is stored.
    if (nIndex < nCount)
        ShiftRecordsUp(nIndex, nCount);
    SetItemInfo(nIndex, nMask, pFont, clrText, clrBk, lpszToolTipText, nImage, nIndent, clrHighlightText,
                clrHighlightBk);
    return nIndex;
}

// The system would sort a new item in among the group's too, where it takes
// a group slot: the group keeps its own order, the rest are sorted below it,
// a new item after its equals, as the system compares.
int COXListBoxEx::SortedIndexBelowMRU(LPCTSTR lpszText)
{
    int i = ItemCount();
    while (i > m_nLastMRUIndex + 1 && ::lstrcmpiA(ItemText(i - 1), lpszText) > 0)
        i--;
    return i;
}

int COXListBoxEx::AddItem(LPCTSTR lpszText, int nMask, const OXLISTBOXITEM* pItem)
{
    return AddItem(lpszText, nMask, pItem->pFont, pItem->clrText, pItem->clrBk, pItem->sToolTipText, pItem->nImage,
                   pItem->nIndent, pItem->clrHighlightText, pItem->clrHighlightBk);
}

int COXListBoxEx::InsertItem(int nIndex, LPCTSTR lpszText, int nMask, CFont* pFont, COLORREF clrText,
                             COLORREF clrBk, LPCTSTR lpszToolTipText, int nImage, int nIndent,
                             COLORREF clrHighlightText, COLORREF clrHighlightBk)
{
    if (nIndex == -1)
        return AddItem(lpszText, nMask, pFont, clrText, clrBk, lpszToolTipText, nImage, nIndent, clrHighlightText,
                       clrHighlightBk);
    int nCount = ItemCount();
    int nResult = (int)SendListMessage(LB_INSERTSTRING, nIndex, (LPARAM)lpszText);
    if (nResult == nIndex) {
        ShiftRecordsUp(nIndex, nCount);
        SetItemInfo(nIndex, nMask, pFont, clrText, clrBk, lpszToolTipText, nImage, nIndent, clrHighlightText,
                    clrHighlightBk);
    }
    return nResult;
}

int COXListBoxEx::InsertItem(int nIndex, LPCTSTR lpszText, int nMask, const OXLISTBOXITEM* pItem)
{
    return InsertItem(nIndex, lpszText, nMask, pItem->pFont, pItem->clrText, pItem->clrBk, pItem->sToolTipText,
                      pItem->nImage, pItem->nIndent, pItem->clrHighlightText, pItem->clrHighlightBk);
}

// The records from nFrom on move one up, highest first, and nFrom is left
// free for the new item's. The map's own keys are walked: the list's count
// is not to be trusted while the system is in the middle of a change.
void COXListBoxEx::ShiftRecords(int nFrom, int nBy)
{
    std::vector<int> keys;
    POSITION pos = m_mapItems.GetStartPosition();
    while (pos) {
        int nKey;
        OXLISTBOXITEM* pItem;
        m_mapItems.GetNextAssoc(pos, nKey, pItem);
        if (nKey >= nFrom)
            keys.push_back(nKey);
    }
    if (nBy > 0)
        std::sort(keys.rbegin(), keys.rend());
    else
        std::sort(keys.begin(), keys.end());
    for (int nKey : keys) {
        OXLISTBOXITEM* pItem = m_mapItems[nKey];
        m_mapItems.RemoveKey(nKey);
        m_mapItems[nKey + nBy] = pItem;
    }
}

void COXListBoxEx::ShiftRecordsUp(int nFrom, int nCount)
{
    (void)nCount;
    ShiftRecords(nFrom, 1);
    m_mapItems.RemoveKey(nFrom);
    if (m_nWidestItem >= nFrom)
        m_nWidestItem++;
}

int COXListBoxEx::DeleteString(UINT nIndex)
{
    if (!DeletionReported() && (int)nIndex >= 0 && (int)nIndex < ItemCount())
        OnItemDeleted((int)nIndex);
    int nResult = (int)SendListMessage(LB_DELETESTRING, nIndex);
    FinishDeletion();
    return nResult;
}

void COXListBoxEx::ResetContent()
{
    ClearRecords();
    SendListMessage(LB_RESETCONTENT);
}

void COXListBoxEx::ClearRecords()
{
    POSITION pos = m_mapItems.GetStartPosition();
    while (pos) {
        int nKey;
        OXLISTBOXITEM* pItem;
        m_mapItems.GetNextAssoc(pos, nKey, pItem);
        delete pItem;
    }
    m_mapItems.RemoveAll();
    m_nLastMRUIndex = -1;
    m_nWidestItem = -1;
    m_nLastTopIndex = -1;
    m_bSizesPending = FALSE;
    RefreshToolTips();
}

void COXListBoxEx::OnItemDeleted(int nIndex)
{
    OXLISTBOXITEM* pItem = NULL;
    if (m_mapItems.Lookup(nIndex, pItem)) {
        m_mapItems.RemoveKey(nIndex);
        delete pItem;
    }
    // Records follow their items down whether or not the deleted item had
    // one: a record keyed to a neighbour would give it another's looks.
    ShiftRecords(nIndex + 1, -1);

    BOOL bWidest = nIndex == m_nWidestItem;
    if (m_nWidestItem > nIndex)
        m_nWidestItem--;
    else if (bWidest)
        m_nWidestItem = -1;

    if (nIndex <= m_nLastMRUIndex) {
        for (int i = nIndex; i < m_nLastMRUIndex; i++) {
            OXLISTBOXITEM* pMoved = NULL;
            if (m_mapItems.Lookup(i, pMoved))
                pMoved->nMRUPosition--;
        }
        m_nLastMRUIndex--;
        m_bSizesPending = TRUE;
    } else if (bWidest) {
        m_bSizesPending = TRUE;
    }
    // The sizes wait until the item has left the list (the system reports a
    // deletion before it removes the item, and heights set now would land on
    // the neighbours); the tools are refreshed then as well.
    if (!m_bSizesPending)
        RefreshToolTips();
}

void COXListBoxEx::FinishDeletion()
{
    if (!m_bSizesPending)
        return;
    m_bSizesPending = FALSE;
    UpdateItemSize(-1);
    RefreshToolTips();
}

void COXListBoxEx::DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (DeletionReported() && (int)lpDeleteItemStruct->itemID >= 0)
        OnItemDeleted((int)lpDeleteItemStruct->itemID);
    CListBox::DeleteItem(lpDeleteItemStruct);
}

LRESULT COXListBoxEx::OnDeleteString(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    LRESULT lResult = Default();
    FinishDeletion();
    return lResult;
}

LRESULT COXListBoxEx::OnResetContent(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    ClearRecords();
    return Default();
}

// ---------------------------------------------------------------------------
// Item looks
// ---------------------------------------------------------------------------

BOOL COXListBoxEx::SetItemInfo(int nIndex, int nMask, CFont* pFont, COLORREF clrText, COLORREF clrBk,
                               LPCTSTR lpszToolTipText, int nImage, int nIndent, COLORREF clrHighlightText,
                               COLORREF clrHighlightBk)
{
    if (nIndex == -1) {
        for (int i = 0; i < ItemCount(); i++)
            SetItemInfo(i, nMask, pFont, clrText, clrBk, lpszToolTipText, nImage, nIndent, clrHighlightText,
                        clrHighlightBk);
        return TRUE;
    }
    if (nIndex < 0 || nIndex >= ItemCount())
        return FALSE;
    CString sTip(lpszToolTipText ? lpszToolTipText : "");
    OXLISTBOXITEM* pItem = NULL;
    if (m_mapItems.Lookup(nIndex, pItem)) {
        if (nMask & OXLBI_FONT)
            pItem->pFont = pFont;
        if (nMask & OXLBI_TEXTCOLOR)
            pItem->clrText = clrText;
        if (nMask & OXLBI_BKCOLOR)
            pItem->clrBk = clrBk;
        if (nMask & OXLBI_TOOLTIPTEXT)
            pItem->sToolTipText = sTip;
        if (nMask & OXLBI_IMAGE)
            pItem->nImage = nImage;
        if (nMask & OXLBI_INDENT)
            pItem->nIndent = nIndent;
        if (nMask & OXLBI_HIGHLIGHTTEXTCOLOR)
            pItem->clrHighlightText = clrHighlightText;
        if (nMask & OXLBI_HIGHLIGHTBKCOLOR)
            pItem->clrHighlightBk = clrHighlightBk;
        if (nMask & (OXLBI_FONT | OXLBI_INDENT))
            UpdateItemSize(nIndex);
        if (nMask & (OXLBI_FONT | OXLBI_INDENT | OXLBI_TOOLTIPTEXT))
            RefreshToolTips();
    } else {
        pItem = new OXLISTBOXITEM;
        pItem->pFont = pFont;
        pItem->clrText = clrText;
        pItem->clrBk = clrBk;
        pItem->sToolTipText = sTip;
        pItem->nImage = nImage;
        pItem->nIndent = nIndent;
        pItem->clrHighlightText = clrHighlightText;
        pItem->clrHighlightBk = clrHighlightBk;
        m_mapItems[nIndex] = pItem;
        UpdateItemSize(nIndex);
        RefreshToolTips();
    }
    if (::IsWindow(m_hWnd) && IsWindowVisible()) {
        CRect rectItem, rectClient, rectMeet;
        GetClientRect(rectClient);
        if (SendListMessage(LB_GETITEMRECT, nIndex, (LPARAM)(RECT*)rectItem) != LB_ERR &&
            rectMeet.IntersectRect(rectItem, rectClient))
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return TRUE;
}

BOOL COXListBoxEx::SetItemInfo(int nIndex, int nMask, const OXLISTBOXITEM* pItem)
{
    return SetItemInfo(nIndex, nMask, pItem->pFont, pItem->clrText, pItem->clrBk, pItem->sToolTipText,
                       pItem->nImage, pItem->nIndent, pItem->clrHighlightText, pItem->clrHighlightBk);
}

// Each single-field setter: the field's bit, its value, the defaults for the rest.
template <class TSet>
static BOOL SetOneField(COXListBoxEx* pList, int nIndex, int nMask, TSet set)
{
    OXLISTBOXITEM values;
    set(values);
    return pList->SetItemInfo(nIndex, nMask, &values);
}

BOOL COXListBoxEx::SetItemFont(int nIndex, CFont* pFont)
{
    return SetOneField(this, nIndex, OXLBI_FONT, [&](OXLISTBOXITEM& r) { r.pFont = pFont; });
}

BOOL COXListBoxEx::SetItemTextColor(int nIndex, COLORREF clr)
{
    return SetOneField(this, nIndex, OXLBI_TEXTCOLOR, [&](OXLISTBOXITEM& r) { r.clrText = clr; });
}

BOOL COXListBoxEx::SetItemBkColor(int nIndex, COLORREF clr)
{
    return SetOneField(this, nIndex, OXLBI_BKCOLOR, [&](OXLISTBOXITEM& r) { r.clrBk = clr; });
}

BOOL COXListBoxEx::SetItemToolTipText(int nIndex, LPCTSTR lpszText)
{
    return SetOneField(this, nIndex, OXLBI_TOOLTIPTEXT,
                       [&](OXLISTBOXITEM& r) { r.sToolTipText = lpszText ? lpszText : ""; });
}

BOOL COXListBoxEx::SetItemImage(int nIndex, int nImage)
{
    return SetOneField(this, nIndex, OXLBI_IMAGE, [&](OXLISTBOXITEM& r) { r.nImage = nImage; });
}

BOOL COXListBoxEx::SetItemIndent(int nIndex, int nIndent)
{
    return SetOneField(this, nIndex, OXLBI_INDENT, [&](OXLISTBOXITEM& r) { r.nIndent = nIndent; });
}

BOOL COXListBoxEx::SetItemHighlightTextColor(int nIndex, COLORREF clr)
{
    return SetOneField(this, nIndex, OXLBI_HIGHLIGHTTEXTCOLOR, [&](OXLISTBOXITEM& r) { r.clrHighlightText = clr; });
}

BOOL COXListBoxEx::SetItemHighlightBkColor(int nIndex, COLORREF clr)
{
    return SetOneField(this, nIndex, OXLBI_HIGHLIGHTBKCOLOR, [&](OXLISTBOXITEM& r) { r.clrHighlightBk = clr; });
}

OXLISTBOXITEM* COXListBoxEx::GetItemInfo(int nIndex) const
{
    OXLISTBOXITEM* pItem = NULL;
    return m_mapItems.Lookup(nIndex, pItem) ? pItem : NULL;
}

// A field of an item's record, or the value for an item without one.
template <class T>
static T FieldOr(const COXListBoxEx* pList, int nIndex, T OXLISTBOXITEM::*pField, T without)
{
    OXLISTBOXITEM* pItem = pList->GetItemInfo(nIndex);
    return pItem ? pItem->*pField : without;
}

CFont* COXListBoxEx::GetItemFont(int nIndex) const
{
    return FieldOr(this, nIndex, &OXLISTBOXITEM::pFont, (CFont*)NULL);
}

COLORREF COXListBoxEx::GetItemTextColor(int nIndex) const
{
    return FieldOr(this, nIndex, &OXLISTBOXITEM::clrText, (COLORREF)-1);
}

COLORREF COXListBoxEx::GetItemHighlightTextColor(int nIndex) const
{
    return FieldOr(this, nIndex, &OXLISTBOXITEM::clrHighlightText, (COLORREF)-1);
}

COLORREF COXListBoxEx::GetItemBkColor(int nIndex) const
{
    return FieldOr(this, nIndex, &OXLISTBOXITEM::clrBk, (COLORREF)-1);
}

COLORREF COXListBoxEx::GetItemHighlightBkColor(int nIndex) const
{
    return FieldOr(this, nIndex, &OXLISTBOXITEM::clrHighlightBk, (COLORREF)-1);
}

int COXListBoxEx::GetItemImage(int nIndex) const
{
    return FieldOr(this, nIndex, &OXLISTBOXITEM::nImage, -1);
}

int COXListBoxEx::GetItemIndent(int nIndex) const
{
    return FieldOr(this, nIndex, &OXLISTBOXITEM::nIndent, 0);
}

CString COXListBoxEx::GetItemToolTipText(int nIndex) const
{
    return FieldOr(this, nIndex, &OXLISTBOXITEM::sToolTipText, CString());
}

void COXListBoxEx::SetImageList(CImageList* pImageList)
{
    m_pImageList = pImageList;
    if (::IsWindow(m_hWnd))
        UpdateItemSize(-1);
}

// ---------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------

CSize COXListBoxEx::GetImageSize() const
{
    CImageList* pImages = GetImageList();
    IMAGEINFO ii;
    if (pImages && pImages->GetSafeHandle() && pImages->GetImageCount() > 0 && pImages->GetImageInfo(0, &ii))
        return CSize(ii.rcImage.right - ii.rcImage.left, ii.rcImage.bottom - ii.rcImage.top);
    return CSize(0, 0);
}

CSize COXListBoxEx::GetTextSize(int nIndex)
{
    if (!(GetListStyle() & LBS_HASSTRINGS) || !::IsWindow(m_hWnd))
        return CSize(0, 0);
    return MeasureText(ItemText(nIndex), GetItemFont(nIndex));
}

CSize COXListBoxEx::MeasureText(const CString& sText, CFont* pFont)
{
    HDC hDC = m_hMeasureDC ? m_hMeasureDC : ::GetDC(m_hWnd);
    HGDIOBJ hOld = pFont && pFont->GetSafeHandle() ? ::SelectObject(hDC, pFont->GetSafeHandle()) : NULL;
    CRect rect(0, 0, 0, 0);
    ::DrawTextA(hDC, sText, sText.GetLength(), rect, DT_CALCRECT | DT_SINGLELINE);
    if (hOld)
        ::SelectObject(hDC, hOld);
    if (hDC != m_hMeasureDC)
        ::ReleaseDC(m_hWnd, hDC);
    return rect.Size();
}

void COXListBoxEx::CalcItemRects(int nIndex, CRect& rectItem, CRect& rectVisible, CRect& rectImage, CRect& rectText)
{
    OXLISTBOXITEM* pItem = GetItemInfo(nIndex);
    OXCalcListItemRects(pItem ? pItem->nIndent : 0, GetImageSize(), GetTextSize(nIndex),
                        nIndex == m_nLastMRUIndex, rectItem, rectImage, rectText);
    rectVisible = rectItem;
    if (::IsWindow(m_hWnd)) {
        CRect rectClient;
        GetClientRect(rectClient);
        rectVisible.right = rectVisible.left + min(rectVisible.Width(), rectClient.Width());
    }
    if (pItem) {
        pItem->rectItem = rectItem;
        pItem->rectImage = rectImage;
        pItem->rectText = rectText;
    }
}

void COXListBoxEx::UpdateItemSize(int nIndex)
{
    if (nIndex == -1) {
        int nCount = ItemCount();
        for (int i = 0; i < nCount; i++)
            if (GetItemInfo(i))
                UpdateItemSize(i);
        return;
    }
    CRect rectItem, rectVisible, rectImage, rectText;
    CalcItemRects(nIndex, rectItem, rectVisible, rectImage, rectText);
    SendListMessage(LB_SETITEMHEIGHT, nIndex, MAKELPARAM(rectItem.Height(), 0));
    if (m_nUpdating > 0) {
        // set once at the end of the update
        if (rectItem.Width() > m_nPendingExtent) {
            m_nPendingExtent = rectItem.Width();
            m_nWidestItem = nIndex;
        }
    } else if ((int)SendListMessage(LB_GETHORIZONTALEXTENT) < rectItem.Width()) {
        m_nWidestItem = nIndex;
        SendListMessage(LB_SETHORIZONTALEXTENT, rectItem.Width());
    }
}

// ---------------------------------------------------------------------------
// The MRU group
// ---------------------------------------------------------------------------

COXListBoxEx::CItemState COXListBoxEx::SaveItemState(int nIndex)
{
    CItemState state;
    if (OXLISTBOXITEM* pItem = GetItemInfo(nIndex))
        state.record = *pItem;
    state.sText = ItemText(nIndex);
    state.dwData = (DWORD_PTR)SendListMessage(LB_GETITEMDATA, nIndex);
    if (GetListStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
        state.bSelected = SendListMessage(LB_GETSEL, nIndex) > 0;
        state.bCaret = (int)SendListMessage(LB_GETCARETINDEX) == nIndex;
    } else {
        state.bSelected = (int)SendListMessage(LB_GETCURSEL) == nIndex;
    }
    return state;
}

void COXListBoxEx::RestoreItemState(int nIndex, const CItemState& state)
{
    SendListMessage(LB_SETITEMDATA, nIndex, (LPARAM)state.dwData);
    if (GetListStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
        if (state.bSelected)
            SendListMessage(LB_SETSEL, TRUE, nIndex);
        if (state.bCaret)
            SendListMessage(LB_SETCARETINDEX, nIndex, MAKELPARAM(TRUE, 0));
    } else if (state.bSelected) {
        SendListMessage(LB_SETCURSEL, nIndex);
    }
}

int COXListBoxEx::RemoveFromMRU(int nIndex)
{
    if (nIndex < 0 || nIndex > m_nLastMRUIndex)
        return -1;
    CItemState state = SaveItemState(nIndex);
    DeleteString(nIndex);
    state.record.nMRUPosition = -1;
    int nNew = AddItem(state.sText, OXLBI_ALL, &state.record);
    if (nNew < 0)
        return -1;
    if (OXLISTBOXITEM* pItem = GetItemInfo(nNew))
        pItem->nMRUPosition = -1;
    RestoreItemState(nNew, state);
    return nNew;
}

int COXListBoxEx::MoveToMRU(int nIndex, int nPosition, BOOL bForce)
{
    if (nIndex < 0 || nIndex >= ItemCount() || nPosition < 0 || nPosition > m_nLastMRUIndex + 1 ||
        (m_nMaxMRU != -1 && nPosition > m_nMaxMRU))
        return -1;
    if (m_nLastMRUIndex + 1 == m_nMaxMRU && nIndex > m_nLastMRUIndex) {
        if (!bForce)
            return -1;
        int nRemoved = RemoveFromMRU(m_nLastMRUIndex);
        if (nRemoved < 0)
            return -1;
        if (nRemoved >= nIndex)
            nIndex--;
    }
    // The group stays the items 0 to its last index: a position past its end
    // (after a forced removal, or for an item moving within it) is its end.
    int nEnd = nIndex <= m_nLastMRUIndex ? m_nLastMRUIndex : m_nLastMRUIndex + 1;
    if (nPosition > nEnd)
        nPosition = nEnd;

    if (nPosition == nIndex) {
        if (nIndex > m_nLastMRUIndex) {
            if (OXLISTBOXITEM* pItem = GetItemInfo(nIndex))
                pItem->nMRUPosition = nIndex;
            m_nLastMRUIndex++;
            UpdateItemSize(-1);
            RefreshToolTips();
        }
        return nPosition;
    }

    CItemState state = SaveItemState(nIndex);
    DeleteString(nIndex);
    for (int i = nPosition; i <= m_nLastMRUIndex; i++)
        if (OXLISTBOXITEM* pItem = GetItemInfo(i))
            pItem->nMRUPosition++;
    m_nLastMRUIndex++;
    InsertItem(nPosition, state.sText, OXLBI_ALL, &state.record);
    if (OXLISTBOXITEM* pItem = GetItemInfo(nPosition))
        pItem->nMRUPosition = nPosition;
    RestoreItemState(nPosition, state);
    UpdateItemSize(-1);
    RefreshToolTips();
    return nPosition;
}

void COXListBoxEx::SetMaxMRU(int nMaxMRU)
{
    // A maximum below -1 would leave the group's last index below -1, where
    // every later move of the group goes wrong.
    if (nMaxMRU < -1)
        return;
    m_nMaxMRU = nMaxMRU;
    if (nMaxMRU == -1 || m_nLastMRUIndex < nMaxMRU)
        return;
    for (int i = m_nLastMRUIndex; i >= nMaxMRU; i--)
        RemoveFromMRU(i);
    m_nLastMRUIndex = nMaxMRU - 1;
    if (::IsWindow(m_hWnd)) {
        UpdateItemSize(-1);
        RefreshToolTips();
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

BOOL COXListBoxEx::SaveMRU(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    pApp->WriteProfileInt(lpszSection, OXLISTBOXEX_MRU_MAXNUMBER, m_nMaxMRU);
    pApp->WriteProfileInt(lpszSection, OXLISTBOXEX_MRU_COUNT, m_nLastMRUIndex + 1);
    for (int i = 0; i <= m_nLastMRUIndex; i++) {
        CString sEntry;
        sEntry.Format(OXLISTBOXEX_MRU_ENTRY, i);
        pApp->WriteProfileString(lpszSection, sEntry, ItemText(i));
    }
    return TRUE;
}

BOOL COXListBoxEx::LoadMRU(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    SetMaxMRU((int)pApp->GetProfileInt(lpszSection, OXLISTBOXEX_MRU_MAXNUMBER, m_nMaxMRU));
    int nCount = (int)pApp->GetProfileInt(lpszSection, OXLISTBOXEX_MRU_COUNT, m_nMaxMRU);
    for (int i = m_nLastMRUIndex; i >= 0; i--)
        RemoveFromMRU(i);
    for (int i = 0; i < nCount; i++) {
        CString sEntry;
        sEntry.Format(OXLISTBOXEX_MRU_ENTRY, i);
        CString sName = pApp->GetProfileString(lpszSection, sEntry, "");
        if (sName.IsEmpty())
            break;
        int nFound = (int)SendListMessage(LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)sName);
        if (nFound >= 0)
            MoveToMRU(nFound, m_nLastMRUIndex + 1, FALSE);
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Tooltips
// ---------------------------------------------------------------------------

BOOL COXListBoxEx::InitListBox()
{
    BOOL bTopmost = (GetExStyle() & WS_EX_TOPMOST) != 0;
    if (!::IsWindow(m_tooltip.GetSafeHwnd())) {
        if (!m_tooltip.Create(this, bTopmost ? TTS_ALWAYSTIP : 0))
            return FALSE;
    }
    if (bTopmost)
        m_tooltip.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    AddListTool();
    RefreshToolTips();
    return TRUE;
}

void COXListBoxEx::AddListTool()
{
    CRect rect;
    GetClientRect(rect);
    if (rect.IsRectEmpty())
        rect.SetRect(0, 0, 1, 1);
    m_tooltip.AddTool(this, m_sToolTipText, rect, OXLISTBOXEX_LIST_TOOL_ID);
}

void COXListBoxEx::BeginUpdate()
{
    if (m_nUpdating++ > 0 || !::IsWindow(m_hWnd))
        return;
    m_hMeasureDC = ::GetDC(m_hWnd);
    m_bRedrawOff = OXHoldListDrawing(this);
}

void COXListBoxEx::EndUpdate()
{
    if (m_nUpdating == 0 || --m_nUpdating > 0)
        return;
    if (m_hMeasureDC) {
        ::ReleaseDC(m_hWnd, m_hMeasureDC);
        m_hMeasureDC = NULL;
    }
    if (m_nPendingExtent > (int)SendListMessage(LB_GETHORIZONTALEXTENT))
        SendListMessage(LB_SETHORIZONTALEXTENT, m_nPendingExtent);
    m_nPendingExtent = 0;
    if (m_bRedrawOff) {
        m_bRedrawOff = FALSE;
        OXReleaseListDrawing(this);
    }
    RefreshToolTips();
}

void COXListBoxEx::RefreshToolTips()
{
    if (m_nUpdating > 0 || !::IsWindow(m_tooltip.GetSafeHwnd()) || !::IsWindow(m_hWnd))
        return;
    int nTools = m_tooltip.GetToolCount();
    for (int id = 1; id < nTools; id++)
        m_tooltip.DelTool(this, id);
    // The tool over the whole control goes after the items' tools: the tip
    // control answers the first tool under the pointer, and an item's tip is
    // to win over the list's wherever the item has one.
    m_tooltip.DelTool(this, OXLISTBOXEX_LIST_TOOL_ID);
    CRect rectClient;
    GetClientRect(rectClient);
    int nCount = ItemCount();
    int y = rectClient.top;
    UINT_PTR nId = 1;
    for (int i = GetTopIndex(); i >= 0 && i < nCount && y < rectClient.bottom; i++) {
        int h = (int)SendListMessage(LB_GETITEMHEIGHT, i);
        CRect band(rectClient.left, y, rectClient.right, y + h);
        y += h;
        OXLISTBOXITEM* pItem = GetItemInfo(i);
        if (!pItem || pItem->sToolTipText.IsEmpty())
            continue;
        if (IsHighlightOnlyText()) {
            int nImageLeft = band.left + pItem->rectImage.left;
            int nTextLeft = band.left + pItem->rectText.left;
            if (!::IsRectEmpty(&pItem->rectImage) && band.left < nImageLeft)
                band.left = nImageLeft;
            else if (band.left < nTextLeft)
                band.left = nTextLeft;
            int nTextRight = rectClient.left + pItem->rectText.right;
            if (nTextRight < band.right)
                band.right = nTextRight;
        }
        m_tooltip.AddTool(this, pItem->sToolTipText, band, nId++);
    }
    AddListTool();
}

BOOL COXListBoxEx::PreTranslateMessage(MSG* pMsg)
{
    int nTop = ::IsWindow(m_hWnd) ? GetTopIndex() : -1;
    if (nTop != -1 && nTop != m_nLastTopIndex) {
        m_nLastTopIndex = nTop;
        RefreshToolTips();
    }
    if (::IsWindow(m_tooltip.GetSafeHwnd())) {
        m_tooltip.Activate(TRUE);
        m_tooltip.RelayEvent(pMsg);
    }
    return CWnd::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

void COXListBoxEx::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (ItemCount() == 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    int nItem = (int)lpDIS->itemID;
    OXLISTBOXITEM* pStored = nItem >= 0 ? GetItemInfo(nItem) : NULL;
    OXLISTBOXITEM temp;
    const OXLISTBOXITEM* pItem = pStored ? pStored : &temp;

    CRect rectSystem(lpDIS->rcItem);
    CPoint ptOrigin = rectSystem.TopLeft();
    CRect rectImage(pItem->rectImage), rectText(pItem->rectText);
    rectImage.OffsetRect(ptOrigin);
    rectText.OffsetRect(ptOrigin);

    const UINT nAction = lpDIS->itemAction;
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    const BOOL bFocus = (lpDIS->itemState & ODS_FOCUS) != 0;
    if (nItem >= 0 && nItem == m_nLastMRUIndex) {
        CRect rectStrip(rectSystem);
        rectStrip.top = rectStrip.bottom - OXLISTBOXEX_SEPARATOR_HEIGHT;
        if (nAction & ODA_DRAWENTIRE)
            DrawSeparator(pDC, rectStrip, pItem);
        rectSystem.bottom -= OXLISTBOXEX_SEPARATOR_HEIGHT;
    }

    CRect rectFill = IsHighlightOnlyText() ? rectText : rectSystem;
    COLORREF clrFill = bSelected ? pItem->clrHighlightBk : pItem->clrBk;
    if (nAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        pDC->FillSolidRect(rectFill, clrFill);
    } else if ((nAction & ODA_FOCUS) && !bFocus) {
        CBrush brush(clrFill);
        pDC->FrameRect(rectFill, &brush);
    }

    if (nAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        if (!rectImage.IsRectEmpty() && pItem->nImage != -1) {
            UINT nStyle = ILD_TRANSPARENT;
            if (bSelected && IsHighlightOnlyText())
                nStyle |= ILD_SELECTED;
            DrawItemImage(pDC, rectImage.TopLeft(), nStyle, pItem);
        }
        if (GetListStyle() & LBS_HASSTRINGS) {
            CString sText = nItem >= 0 ? ItemText(nItem) : CString();
            DrawItemText(pDC, sText, rectText, bSelected ? pItem->clrHighlightText : pItem->clrText, pItem->pFont);
        }
    }
    if ((nAction & (ODA_DRAWENTIRE | ODA_FOCUS)) && bFocus)
        pDC->DrawFocusRect(rectFill);
}

void COXListBoxEx::DrawSeparator(CDC* pDC, const CRect& rectStrip, const OXLISTBOXITEM* pItem)
{
    pDC->FillSolidRect(rectStrip, pItem->clrBk);
    CRect rectLine(rectStrip.left, rectStrip.top + 1, rectStrip.right, rectStrip.top + 3);
    ::FillRect(pDC->GetSafeHdc(), rectLine, ::GetSysColorBrush(COLOR_BTNSHADOW));
}

void COXListBoxEx::DrawItemImage(CDC* pDC, CPoint pt, UINT nStyle, const OXLISTBOXITEM* pItem)
{
    if (CImageList* pImages = GetImageList())
        ImageList_Draw(pImages->GetSafeHandle(), pItem->nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

void COXListBoxEx::DrawItemText(CDC* pDC, const CString& sText, const CRect& rect, COLORREF clrText, CFont* pFont)
{
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOld = pDC->SetTextColor(clrText);
    CFont* pOld = pFont ? pDC->SelectObject(pFont) : NULL;
    CRect r(rect);
    pDC->DrawText(sText, r, DT_VCENTER | DT_SINGLELINE);
    if (pOld)
        pDC->SelectObject(pOld);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
}

void COXListBoxEx::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    (void)lpMeasureItemStruct;
}

int COXListBoxEx::CompareItem(LPCOMPAREITEMSTRUCT lpCIS)
{
    OXLISTBOXITEM* p1 = GetItemInfo((int)lpCIS->itemID1);
    OXLISTBOXITEM* p2 = GetItemInfo((int)lpCIS->itemID2);
    if (!p1 || !p2 || p1->nMRUPosition == p2->nMRUPosition)
        return 0;
    if (p1->nMRUPosition == -1)
        return 1;
    if (p2->nMRUPosition == -1)
        return -1;
    return p1->nMRUPosition < p2->nMRUPosition ? -1 : 1;
}

// ---------------------------------------------------------------------------
// Window
// ---------------------------------------------------------------------------

BOOL COXListBoxEx::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~LBS_OWNERDRAWFIXED;
    cs.style |= LBS_OWNERDRAWVARIABLE;
    return CListBox::PreCreateWindow(cs);
}

void COXListBoxEx::PreSubclassWindow()
{
    if (AfxGetThreadState()->m_pWndInit == NULL)
        InitListBox();
    CListBox::PreSubclassWindow();
}

int COXListBoxEx::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    return InitListBox() ? 0 : -1;
}

BOOL COXListBoxEx::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(rectClient);
    int nCount = ItemCount();
    if (IsHighlightOnlyText() || nCount == 0) {
        pDC->FillSolidRect(rectClient, GetBkColor());
        return TRUE;
    }
    CRect rectLast;
    if (SendListMessage(LB_GETITEMRECT, nCount - 1, (LPARAM)(RECT*)rectLast) != LB_ERR &&
        rectLast.bottom < rectClient.bottom) {
        CRect rectBelow(rectClient.left, max(rectLast.bottom, rectClient.top), rectClient.right, rectClient.bottom);
        pDC->FillSolidRect(rectBelow, GetBkColor());
    }
    return TRUE;
}

void COXListBoxEx::OnSize(UINT nType, int cx, int cy)
{
    CListBox::OnSize(nType, cx, cy);
    if (!::IsWindow(m_tooltip.GetSafeHwnd()))
        return;
    CRect rect;
    GetClientRect(rect);
    if (rect.IsRectEmpty())
        rect.SetRect(0, 0, 1, 1);
    m_tooltip.SetToolRect(this, OXLISTBOXEX_LIST_TOOL_ID, rect);
    RefreshToolTips();
}

void COXListBoxEx::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CListBox::OnVScroll(nSBCode, nPos, pScrollBar);
    if (nSBCode == SB_ENDSCROLL)
        RefreshToolTips();
}

void COXListBoxEx::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CListBox::OnShowWindow(bShow, nStatus);
    if ((GetExStyle() & WS_EX_TOPMOST) && ::IsWindow(m_tooltip.GetSafeHwnd()))
        m_tooltip.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    RefreshToolTips();
}

void COXListBoxEx::OnDestroy()
{
    if (m_bMRUAutoSave)
        SaveMRU(OXLISTBOXEX_MRU_SECTION);
    ResetContent();
    if (::IsWindow(m_tooltip.GetSafeHwnd()))
        m_tooltip.DestroyWindow();
    CListBox::OnDestroy();
}

BOOL COXListBoxEx::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    (void)nFlags;
    (void)pt;
    SetTopIndex(GetTopIndex() + (zDelta <= 0 ? 1 : -1));
    return TRUE;
}

HBRUSH COXListBoxEx::CtlColor(CDC* pDC, UINT nCtlColor)
{
    (void)pDC;
    (void)nCtlColor;
    if (ItemCount() > 0)
        return NULL;
    // One brush for every list box, made again in the colour of the asker.
    static CBrush brush;
    brush.DeleteObject();
    brush.CreateSolidBrush(GetBkColor());
    return (HBRUSH)brush.GetSafeHandle();
}
