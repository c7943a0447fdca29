#include "OXSHBListCtrl.h"

#include <windowsx.h>

#include <algorithm>

#include "OXComCtlVersion.h"
#include "OXShortcutBar.h"
#include "toolkit_res.h"

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(COXSHBListCtrl, CListCtrl)

namespace {

// The common controls' version, read once by the first list: major in the
// high word, minor in the low word.
DWORD g_dwComCtlVersion = 0;

const CRect kEmpty(0, 0, 0, 0);

}  // namespace

COXSHBListCtrl::COXSHBListCtrl()
    : m_pShortcutBar(NULL), m_hGroup(NULL), m_nSelectedItem(-1), m_nHotItem(-1), m_nLastHotItem(-1),
      m_nActiveItem(-1), m_nDragItem(-1), m_nEditItem(-1), m_rectTopScrollButton(0, 0, 0, 0),
      m_rectBottomScrollButton(0, 0, 0, 0), m_ptOrigin(0, 0), m_ptPaintOffset(0, 0), m_bMouseIsOver(FALSE), m_bScrollingUp(FALSE),
      m_bScrollingDown(FALSE), m_bAutoScrolling(FALSE), m_bCreatingDragImage(FALSE), m_bDragDropOwner(FALSE),
      m_bDragDropOperation(FALSE), m_pDragImage(NULL), m_ptDragImage(0, 0), m_ptClickedLButton(0, 0),
      m_nPressItem(-1), m_nScrollTimerID(0), m_nCheckMouseTimerID(0), m_nInsertItemBefore(-1),
      m_dwDropEffect(DROPEFFECT_NONE)
{
    if (g_dwComCtlVersion == 0) {
        int nMajor = 4, nMinor = 0;
        if (FAILED(GetComCtlVersion(&nMajor, &nMinor))) {
            nMajor = 4;
            nMinor = 0;
        }
        g_dwComCtlVersion = MAKELONG(nMinor, nMajor);
    }
}

COXSHBListCtrl::~COXSHBListCtrl()
{
    m_mapItemToBoundRect.clear();
    m_mapItemToImageRect.clear();
    m_mapItemToTextRect.clear();
    delete m_pDragImage;
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL COXSHBListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CListCtrl::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    return InitListControl();
}

BOOL COXSHBListCtrl::InitListControl()
{
    if (!CreateEditControl())
        return FALSE;
    EnableToolTips(TRUE);
    COleDropTarget* pTarget = GetDropTarget();
    if (pTarget != NULL)
        pTarget->Register(this);
    return TRUE;
}

void COXSHBListCtrl::PreSubclassWindow()
{
    BOOL bSubclassing = AfxGetThreadState()->m_pWndInit == NULL;
    ModifyStyle(LVS_TYPEMASK, 0);
    if (bSubclassing)
        InitListControl();
    CListCtrl::PreSubclassWindow();
}

BOOL COXSHBListCtrl::CreateEditControl()
{
    if (::IsWindow(m_edit.GetSafeHwnd()))
        return TRUE;
    return m_edit.Create(WS_BORDER | WS_CHILD, CRect(0, 0, 0, 0), this, 0xFFFF);
}

// ---------------------------------------------------------------------------
// What the list reads from its bar or its own window
// ---------------------------------------------------------------------------
DWORD COXSHBListCtrl::GetBarStyle() const
{
    if (m_pShortcutBar != NULL)
        return m_pShortcutBar->GetBarStyle();
    DWORD dwStyle = GetStyle(), dwExStyle = GetExStyle(), dwBarStyle = 0;
    if (dwStyle & LVS_EDITLABELS)
        dwBarStyle |= SHBS_EDITITEMS;
    if (dwStyle & LVS_NOSCROLL)
        dwBarStyle |= SHBS_NOSCROLL;
    if (dwStyle & LVS_SHOWSELALWAYS)
        dwBarStyle |= SHBS_SHOWACTIVEALWAYS;
    if (dwExStyle & 0x0800)
        dwBarStyle |= SHBS_UNDERLINEHOTITEM;
    if (dwExStyle & 0x0400)
        dwBarStyle |= SHBS_INFOTIP;
    return dwBarStyle;
}

int COXSHBListCtrl::GetView() const
{
    if (m_pShortcutBar != NULL) {
        int nView = m_pShortcutBar->GetGroupView(m_hGroup);
        return nView == SHB_SMALLICON ? SHB_SMALLICON : SHB_LARGEICON;
    }
    return (GetStyle() & LVS_TYPEMASK) == LVS_SMALLICON ? SHB_SMALLICON : SHB_LARGEICON;
}

int COXSHBListCtrl::GetItemImage(int nItem) const
{
    LVITEM lvi = {};
    lvi.mask = LVIF_IMAGE;
    lvi.iItem = nItem;
    if (!::SendMessage(m_hWnd, LVM_GETITEM, 0, (LPARAM)&lvi))
        return -1;
    HIMAGELIST hList = (HIMAGELIST)::SendMessage(m_hWnd, LVM_GETIMAGELIST,
                                                 GetView() == SHB_SMALLICON ? LVSIL_SMALL : LVSIL_NORMAL, 0);
    if (hList == NULL || lvi.iImage < 0 || lvi.iImage >= ImageList_GetImageCount(hList))
        return -1;
    return lvi.iImage;
}

COLORREF COXSHBListCtrl::GetListBkColor() const
{
    if (m_pShortcutBar != NULL)
        return m_pShortcutBar->GetGroupBkColor(m_hGroup);
    return (COLORREF)const_cast<COXSHBListCtrl*>(this)->DefWindowProc(LVM_GETBKCOLOR, 0, 0);
}

COLORREF COXSHBListCtrl::GetListTextColor() const
{
    if (m_pShortcutBar != NULL)
        return m_pShortcutBar->GetGroupTextColor(m_hGroup);
    return (COLORREF)const_cast<COXSHBListCtrl*>(this)->DefWindowProc(LVM_GETTEXTCOLOR, 0, 0);
}

void COXSHBListCtrl::GetFont(LOGFONT* pLF) const
{
    if (m_pShortcutBar != NULL) {
        LPLOGFONT p = m_pShortcutBar->GetGroupTextFont(m_hGroup);
        if (p != NULL) {
            *pLF = *p;
            return;
        }
    }
    HFONT hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    ::GetObject(hFont, sizeof(LOGFONT), pLF);
}

LRESULT COXSHBListCtrl::SendSHBNotification(UINT nCode, int nItem, LPARAM lParam)
{
    LPARAM lValue = lParam;
    return QuerySHBNotification(nCode, nItem, lValue);
}

LRESULT COXSHBListCtrl::QuerySHBNotification(UINT nCode, int nItem, LPARAM& lParam)
{
    // Inside a bar the bar is the sender; a list on its own speaks for itself.
    if (m_pShortcutBar != NULL && ::IsWindow(m_pShortcutBar->GetSafeHwnd()))
        return OXSendSHBNotify(m_pShortcutBar->GetSafeHwnd(), nCode, m_hGroup, nItem, lParam);
    return OXSendSHBNotify(m_hWnd, nCode, NULL, nItem, lParam);
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------
std::vector<SHBLISTITEMRECTS> COXSHBListCtrl::LayoutItems(const CRect& rectClient, int nView,
                                                          const std::vector<CSize>& imageSizes,
                                                          const TextMeasurer& measure)
{
    std::vector<SHBLISTITEMRECTS> items(imageSizes.size());
    if (items.empty())
        return items;
    if (rectClient.IsRectEmpty()) {
        for (SHBLISTITEMRECTS& item : items)
            item.rectItem = item.rectImage = item.rectLabel = rectClient;
        return items;
    }
    int nWidth = rectClient.Width();
    int y = rectClient.top + 2;
    for (size_t i = 0; i < items.size(); ++i) {
        CRect rectImage(0, 0, 0, 0), rectLabel(0, 0, 0, 0);
        if (imageSizes[i].cx > 0 && imageSizes[i].cy > 0)
            rectImage.SetRect(0, 0, imageSizes[i].cx + 6, imageSizes[i].cy + 6);
        int nHeight;
        if (nView == SHB_SMALLICON) {
            if (rectImage.Width() < nWidth) {
                CSize size = measure((int)i, nWidth, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
                if (size.cx > 0 && size.cy > 0) {
                    rectLabel.SetRect(0, 0, size.cx + 4, size.cy + 4);
                    rectLabel.OffsetRect(rectImage.IsRectEmpty() ? 2 : rectImage.right, rectImage.top);
                    int nDiff = rectImage.Height() - rectLabel.Height();
                    if (nDiff > 0)
                        rectLabel.OffsetRect(0, nDiff / 2);
                    else if (nDiff < 0 && !rectImage.IsRectEmpty())
                        rectImage.OffsetRect(0, -nDiff / 2);
                    rectLabel.right = min<LONG>(rectLabel.right, nWidth);
                }
            }
            nHeight = max(rectImage.bottom, rectLabel.bottom);
        } else {
            CSize size = measure((int)i, nWidth - 4,
                                 DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_CENTER | DT_VCENTER);
            if (size.cx > 0 && size.cy > 0) {
                int cx = size.cx + 4;
                if (cx > nWidth)
                    rectLabel.SetRect(0, 0, nWidth, size.cy + 4);
                else
                    rectLabel.SetRect((nWidth - cx) / 2, 0, (nWidth - cx) / 2 + cx, size.cy + 4);
                rectLabel.OffsetRect(0, rectImage.bottom);
            }
            if (!rectImage.IsRectEmpty())
                rectImage.OffsetRect((nWidth - rectImage.Width()) / 2, 0);
            nHeight = rectImage.Height() + rectLabel.Height();
        }
        items[i].rectItem.SetRect(rectClient.left, y, rectClient.right, y + nHeight);
        items[i].rectImage = rectImage;
        items[i].rectLabel = rectLabel;
        y += nHeight + 6;
    }
    return items;
}

CSize COXSHBListCtrl::MeasureText(int nItem, int nWidth, UINT nFormat) const
{
    CString sText = const_cast<COXSHBListCtrl*>(this)->GetItemText(nItem, 0);
    if (sText.IsEmpty() || nWidth <= 0)
        return CSize(0, 0);
    CClientDC dc(const_cast<COXSHBListCtrl*>(this));
    LOGFONT lf;
    GetFont(&lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* pOld = dc.SelectObject(&font);
    CRect rect(0, 0, nWidth, 0);
    dc.DrawText(sText, &rect, nFormat);
    dc.SelectObject(pOld);
    return rect.Size();
}

void COXSHBListCtrl::CalculateItemRects()
{
    m_mapItemToBoundRect.clear();
    m_mapItemToImageRect.clear();
    m_mapItemToTextRect.clear();
    m_rectTopScrollButton.SetRectEmpty();
    m_rectBottomScrollButton.SetRectEmpty();
    if (!::IsWindow(m_hWnd))
        return;
    int nCount = GetItemCount();
    if (nCount == 0)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CImageList* pImages = GetImageList(GetView() == SHB_SMALLICON ? LVSIL_SMALL : LVSIL_NORMAL);
    std::vector<CSize> imageSizes(nCount, CSize(0, 0));
    if (pImages != NULL && pImages->GetSafeHandle() != NULL) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(pImages->GetSafeHandle(), &cx, &cy);
        for (int i = 0; i < nCount; ++i)
            if (GetItemImage(i) != -1)
                imageSizes[i] = CSize(cx, cy);
    }
    std::vector<SHBLISTITEMRECTS> items = LayoutItems(
        rectClient, GetView(), imageSizes,
        [this](int nItem, int nWidth, UINT nFormat) { return MeasureText(nItem, nWidth, nFormat); });
    for (int i = 0; i < nCount; ++i) {
        m_mapItemToBoundRect[i] = items[i].rectItem;
        m_mapItemToImageRect[i] = items[i].rectImage;
        m_mapItemToTextRect[i] = items[i].rectLabel;
    }
    if (!rectClient.IsRectEmpty())
        CalculateScrollRects();
}

CRect COXSHBListCtrl::GetUsableRect() const
{
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(0, 2);
    return rect;
}

void COXSHBListCtrl::CalculateScrollRects()
{
    m_rectTopScrollButton.SetRectEmpty();
    m_rectBottomScrollButton.SetRectEmpty();
    CRect rect = GetUsableRect();
    if (rect.IsRectEmpty() || m_mapItemToBoundRect.empty())
        return;
    CSize size = m_pShortcutBar != NULL ? m_pShortcutBar->GetScrollButtonSize() : CSize(16, 16);
    if (m_ptOrigin.y != 0)
        m_rectTopScrollButton.SetRect(rect.right - size.cx, rect.top, rect.right, rect.top + size.cy);
    CRect rectExtent = GetScrollExtent(-1);
    if (rectExtent.bottom > m_ptOrigin.y + rect.bottom)
        m_rectBottomScrollButton.SetRect(rect.right - size.cx, rect.bottom - size.cy, rect.right, rect.bottom);
}

CRect COXSHBListCtrl::GetViewRect(BOOL bVisibleOnly) const
{
    CRect rectUsable = GetUsableRect();
    if (m_mapItemToBoundRect.empty())
        return CRect(rectUsable.left, rectUsable.top, rectUsable.right, rectUsable.top);
    int nBottom = rectUsable.top;
    for (const auto& entry : m_mapItemToBoundRect)
        nBottom = max<int>(nBottom, entry.second.bottom);
    CRect rect(rectUsable.left, rectUsable.top, rectUsable.right, nBottom);
    if (bVisibleOnly) {
        rect.top = rectUsable.top + m_ptOrigin.y;
        rect.bottom = min<LONG>(nBottom, rectUsable.bottom + m_ptOrigin.y);
    }
    return rect;
}

CRect COXSHBListCtrl::GetScrollExtent(int nReference) const
{
    CRect rectView = GetViewRect();
    CRect rectUsable = GetUsableRect();
    int nUsable = rectUsable.Height();
    if (rectView.Height() <= nUsable)
        return rectView;
    if (m_ptOrigin.y + rectUsable.bottom >= rectView.bottom) {
        rectView.bottom = m_ptOrigin.y + rectUsable.bottom;
        return rectView;
    }
    if (nReference < 0) {
        nReference = GetTopIndex();
        auto it = m_mapItemToBoundRect.find(nReference);
        if (it != m_mapItemToBoundRect.end() && it->second.top < rectUsable.top + m_ptOrigin.y &&
            nReference + 1 < (int)m_mapItemToBoundRect.size())
            ++nReference;
    }
    auto it = m_mapItemToBoundRect.find(nReference);
    if (it != m_mapItemToBoundRect.end()) {
        int nTop = it->second.top;
        if (rectView.bottom - nTop < nUsable)
            rectView.bottom = nTop + nUsable;
    }
    return rectView;
}

// ---------------------------------------------------------------------------
// Finding and hit testing
// ---------------------------------------------------------------------------
int COXSHBListCtrl::FindItem(const LVFINDINFO* pFindInfo, int nStart) const
{
    int nCount = (int)m_mapItemToBoundRect.size();
    if (!::IsWindow(m_hWnd) || GetItemCount() == 0)
        return -1;
    if (!(pFindInfo->flags & LVFI_NEARESTXY))
        return (int)const_cast<COXSHBListCtrl*>(this)->DefWindowProc(LVM_FINDITEM, (WPARAM)nStart,
                                                                     (LPARAM)pFindInfo);
    CPoint point(pFindInfo->pt);
    point += m_ptOrigin;
    int nBest = -1, nBestDistance = INT_MAX;
    for (int k = 0; k < nCount; ++k) {
        int i = nStart + 1 + k;
        if (i >= nCount) {
            if (!(pFindInfo->flags & LVFI_WRAP))
                break;
            i -= nCount;
        }
        const CRect& rect = m_mapItemToBoundRect.at(i);
        if (rect.PtInRect(point) || (point.y >= rect.top && point.y < rect.bottom))
            return i;
        int nDistance = 0;
        if (pFindInfo->vkDirection == VK_UP)
            nDistance = point.y - rect.bottom;
        else if (pFindInfo->vkDirection == VK_DOWN)
            nDistance = rect.top - point.y;
        if (nDistance > 0 && nDistance < nBestDistance) {
            nBestDistance = nDistance;
            nBest = i;
        }
    }
    return nBest;
}

int COXSHBListCtrl::GetTopIndex() const
{
    LVFINDINFO lvfi = {};
    lvfi.flags = LVFI_NEARESTXY;
    lvfi.pt = CPoint(0, 2);
    lvfi.vkDirection = VK_DOWN;
    return FindItem(&lvfi, -1);
}

int COXSHBListCtrl::HitTest(CPoint point, int* pFlags, BOOL bOnlyItems) const
{
    int nFlags = LVHT_NOWHERE;
    int nItem = -1;
    if (!bOnlyItems && !(GetBarStyle() & SHBS_NOSCROLL)) {
        if (!m_rectTopScrollButton.IsRectEmpty() && m_rectTopScrollButton.PtInRect(point))
            nFlags = SHBLC_ONTOPSCROLLBUTTON;
        else if (!m_rectBottomScrollButton.IsRectEmpty() && m_rectBottomScrollButton.PtInRect(point))
            nFlags = SHBLC_ONBOTTOMSCROLLBUTTON;
        if (nFlags != LVHT_NOWHERE) {
            if (pFlags != NULL)
                *pFlags = nFlags;
            return -1;
        }
    }
    CPoint pt = point + m_ptOrigin;
    CRect rectView = GetViewRect(TRUE);
    if (!rectView.PtInRect(pt)) {
        nFlags = (pt.x < rectView.left ? LVHT_TOLEFT : pt.x >= rectView.right ? LVHT_TORIGHT : 0) |
                 (pt.y < rectView.top ? LVHT_ABOVE : pt.y >= rectView.bottom ? LVHT_BELOW : 0);
        if (nFlags == 0)
            nFlags = LVHT_NOWHERE;
    } else {
        for (const auto& entry : m_mapItemToBoundRect) {
            if (!entry.second.PtInRect(pt))
                continue;
            nItem = entry.first;
            CPoint ptItem = pt - entry.second.TopLeft();
            CRect rectImage = m_mapItemToImageRect.at(nItem), rectLabel = m_mapItemToTextRect.at(nItem), rectBounds;
            rectBounds.UnionRect(&rectImage, &rectLabel);
            if (rectImage.PtInRect(ptItem))
                nFlags = LVHT_ONITEMICON;
            else if (rectLabel.PtInRect(ptItem))
                nFlags = LVHT_ONITEMLABEL;
            else if (rectBounds.PtInRect(ptItem))
                nFlags = SHBLC_ONIMAGEANDTEXT;
            else
                nFlags = SHBLC_ONITEMROW;
            break;
        }
    }
    if (pFlags != NULL)
        *pFlags = nFlags;
    return nItem;
}

BOOL COXSHBListCtrl::GetItemRect(int nItem, LPRECT lpRect, int nCode) const
{
    auto it = m_mapItemToBoundRect.find(nItem);
    if (it == m_mapItemToBoundRect.end())
        return FALSE;
    CRect rectItem = it->second;
    CRect rectImage = m_mapItemToImageRect.at(nItem) + rectItem.TopLeft();
    CRect rectLabel = m_mapItemToTextRect.at(nItem) + rectItem.TopLeft();
    CRect rect;
    switch (nCode) {
    case LVIR_BOUNDS:
        rect.UnionRect(&rectImage, &rectLabel);
        break;
    case LVIR_ICON:
        rect = rectImage;
        break;
    case LVIR_LABEL:
        rect = rectLabel;
        break;
    case -1:
        rect = rectItem;
        break;
    default:
        return TRUE;
    }
    rect.OffsetRect(-m_ptOrigin);
    *lpRect = rect;
    return TRUE;
}

int COXSHBListCtrl::GetCountPerPage() const
{
    CRect rectVisible = GetViewRect(TRUE);
    int nCount = 0;
    for (const auto& entry : m_mapItemToBoundRect) {
        CRect r;
        if (r.IntersectRect(&entry.second, &rectVisible))
            ++nCount;
    }
    return nCount;
}

BOOL COXSHBListCtrl::RedrawItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount() || !::IsWindow(m_hWnd))
        return FALSE;
    CRect rect;
    if (GetItemImage(nItem) != -1 && GetItemRect(nItem, &rect, LVIR_ICON))
        RedrawWindow(&rect, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (GetItemRect(nItem, &rect, LVIR_LABEL))
        RedrawWindow(&rect, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Scrolling
// ---------------------------------------------------------------------------
BOOL COXSHBListCtrl::Scroll(CSize size)
{
    if (GetItemCount() == 0 || !::IsWindow(m_hWnd))
        return FALSE;
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
        return FALSE;
    int nTop = GetTopIndex();
    int nReference = nTop;
    if (size.cy < 0 && nTop > 0)
        nReference = nTop - 1;
    else if (size.cy > 0 && nTop + 1 < GetItemCount())
        nReference = nTop + 1;
    CRect rectExtent = GetScrollExtent(nReference);
    CRect rectUsable = GetUsableRect() + m_ptOrigin;
    int dy = size.cy, dx = size.cx;
    if (dy < 0)
        dy = max<int>(dy, rectExtent.top - rectUsable.top);
    else if (dy > 0)
        dy = min<int>(dy, rectExtent.bottom - rectUsable.bottom);
    if (dx < 0)
        dx = max<int>(dx, rectExtent.left - rectUsable.left);
    else if (dx > 0)
        dx = min<int>(dx, rectExtent.right - rectUsable.right);
    if ((size.cy < 0 && dy > 0) || (size.cy > 0 && dy < 0))
        dy = 0;
    if ((size.cx < 0 && dx > 0) || (size.cx > 0 && dx < 0))
        dx = 0;
    if (dx == 0 && dy == 0)
        return FALSE;
    m_ptOrigin += CSize(dx, dy);
    CalculateScrollRects();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    return TRUE;
}

BOOL COXSHBListCtrl::EnsureItemVisible(int nItem, BOOL bPartialOK)
{
    auto it = m_mapItemToBoundRect.find(nItem);
    if (it == m_mapItemToBoundRect.end())
        return FALSE;
    CRect rectUsable = GetUsableRect();
    CRect rect = it->second - m_ptOrigin;
    if (!bPartialOK && rect.Height() >= rectUsable.Height())
        return FALSE;
    BOOL bWhole = rect.top >= rectUsable.top && rect.bottom <= rectUsable.bottom;
    BOOL bPart = rect.bottom > rectUsable.top && rect.top < rectUsable.bottom;
    if (bWhole || (bPartialOK && bPart))
        return TRUE;
    if (rect.top < rectUsable.top)
        Scroll(CSize(0, rect.top - rectUsable.top));
    else
        Scroll(CSize(0, rect.bottom - rectUsable.bottom));
    if (bPartialOK)
        return TRUE;
    rect = it->second - m_ptOrigin;
    return rect.top >= rectUsable.top && rect.bottom <= rectUsable.bottom;
}

void COXSHBListCtrl::ScrollStep(BOOL bUp)
{
    CRect rectUsable = GetUsableRect();
    int nCount = GetItemCount();
    if (nCount == 0)
        return;
    int nTop = GetTopIndex();
    if (bUp) {
        int nItem = nTop == -1 ? nCount - 1 : nTop;
        if (m_mapItemToBoundRect[nItem].top - m_ptOrigin.y >= rectUsable.top && nItem > 0)
            --nItem;
        Scroll(CSize(0, m_mapItemToBoundRect[nItem].top - m_ptOrigin.y - rectUsable.top));
    } else if (nTop == nCount - 1) {
        Scroll(CSize(0, m_mapItemToBoundRect[nTop].bottom - m_ptOrigin.y - rectUsable.bottom));
    } else if (nTop != -1) {
        Scroll(CSize(0, m_mapItemToBoundRect[nTop + 1].top - m_ptOrigin.y - rectUsable.top));
    }
}

void COXSHBListCtrl::StartScrolling(BOOL bUp)
{
    StopScrolling();
    int nOld = m_nSelectedItem;
    m_nSelectedItem = -1;
    RedrawItem(nOld);
    BOOL bImage = m_bDragDropOperation && m_pDragImage != NULL;
    if (bImage)
        CImageList::DragShowNolock(FALSE);
    (bUp ? m_bScrollingUp : m_bScrollingDown) = TRUE;
    RedrawWindow(bUp ? &m_rectTopScrollButton : &m_rectBottomScrollButton, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    if (!m_bDragDropOperation)
        ScrollStep(bUp);
    if (bImage)
        CImageList::DragShowNolock(TRUE);
    UINT nDelay = m_bAutoScrolling ? (m_pShortcutBar != NULL ? m_pShortcutBar->GetListDragScrollDelay() : 400)
                                   : (m_pShortcutBar != NULL ? m_pShortcutBar->GetListScrollDelay() : 200);
    if (m_bDragDropOperation)
        nDelay /= 4;
    m_nScrollTimerID = SetTimer(SHBLC_IDT_SCROLL, max<UINT>(nDelay, 1), NULL);
}

void COXSHBListCtrl::StopScrolling()
{
    if (m_nScrollTimerID != 0 && ::IsWindow(m_hWnd))
        KillTimer(m_nScrollTimerID);
    m_nScrollTimerID = 0;
    BOOL bWas = m_bScrollingUp || m_bScrollingDown;
    m_bScrollingUp = m_bScrollingDown = m_bAutoScrolling = FALSE;
    if (bWas && ::IsWindow(m_hWnd)) {
        if (!m_rectTopScrollButton.IsRectEmpty())
            RedrawWindow(&m_rectTopScrollButton, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        if (!m_rectBottomScrollButton.IsRectEmpty())
            RedrawWindow(&m_rectBottomScrollButton, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

// ---------------------------------------------------------------------------
// Item states
// ---------------------------------------------------------------------------
int COXSHBListCtrl::SetSelectedItem(int nItem)
{
    int nOld = m_nSelectedItem;
    if (nItem == nOld || SendSHBNotification(SHBN_SELECTITEM, nItem, 0) != 0)
        return nOld;
    m_nSelectedItem = nItem;
    return nOld;
}

int COXSHBListCtrl::SetHotItem(int nItem)
{
    int nOld = m_nHotItem;
    if (nItem == nOld || SendSHBNotification(SHBN_HOTITEM, nItem, 0) != 0)
        return nOld;
    m_nLastHotItem = nOld;
    m_nHotItem = nItem;
    return nOld;
}

int COXSHBListCtrl::SetActiveItem(int nItem)
{
    int nOld = m_nActiveItem;
    if (nItem == nOld || SendSHBNotification(SHBN_ACTIVATEITEM, nItem, 0) != 0)
        return nOld;
    m_nActiveItem = nItem;
    RedrawItem(nOld);
    RedrawItem(nItem);
    return nOld;
}

void COXSHBListCtrl::OnLButtonDown(UINT, CPoint point)
{
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->ShowWindow(SW_SHOW);
    int nFlags;
    int nItem = HitTest(point, &nFlags);
    if (nItem != -1 && nFlags != SHBLC_ONITEMROW) {
        int nOld = SetSelectedItem(nItem);
        int nFlags2;
        if (!(GetBarStyle() & SHBS_NODRAGITEM) && HitTest(point, &nFlags2) == nItem) {
            m_ptClickedLButton = point;
            if (GetBarStyle() & SHBS_DRAWITEMDRAGIMAGE) {
                CRect rect;
                GetItemRect(nItem, &rect, LVIR_BOUNDS);
                m_ptDragImage = point - rect.TopLeft();
            }
            m_nPressItem = nItem;
        }
        RedrawItem(nItem);
        RedrawItem(nOld);
    }
    if (nFlags == SHBLC_ONTOPSCROLLBUTTON)
        StartScrolling(TRUE);
    else if (nFlags == SHBLC_ONBOTTOMSCROLLBUTTON)
        StartScrolling(FALSE);
    else if (m_bAutoScrolling)
        StopScrolling();
}

void COXSHBListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    Default();
    (void)nFlags;
    m_nPressItem = -1;
    int nHitFlags;
    int nItem = HitTest(point, &nHitFlags);
    if (nItem != -1 && nItem == m_nSelectedItem)
        SetActiveItem(nItem);
    RedrawItem(nItem);
    StopScrolling();
}

void COXSHBListCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    Default();
    (void)nFlags;
    if (HIWORD(g_dwComCtlVersion) < 4 || g_dwComCtlVersion <= MAKELONG(70, 4)) {
        CPoint pt(point);
        ClientToScreen(&pt);
        PostMessage(WM_CONTEXTMENU, (WPARAM)m_hWnd, MAKELPARAM(pt.x, pt.y));
    }
}

void COXSHBListCtrl::OnMouseMove(UINT, CPoint)
{
    Default();
    BOOL bBarEditing = m_pShortcutBar != NULL && m_pShortcutBar->GetEditedGroup() != NULL;
    if (m_nEditItem == -1 && !bBarEditing)
        CheckCapture();
}

void COXSHBListCtrl::CheckCapture()
{
    CPoint ptScreen;
    ::GetCursorPos(&ptScreen);
    BOOL bLeft = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    if (::WindowFromPoint(ptScreen) == m_hWnd && IsWindowEnabled()) {
        if (m_nCheckMouseTimerID == 0)
            m_nCheckMouseTimerID = SetTimer(SHBLC_IDT_CHECKMOUSE, 200, NULL);
        m_bMouseIsOver = TRUE;
        UpdateHotItem();
    } else if (!bLeft) {
        if (m_nCheckMouseTimerID != 0)
            KillTimer(m_nCheckMouseTimerID);
        m_nCheckMouseTimerID = 0;
        m_bMouseIsOver = FALSE;
        int nOld = SetHotItem(-1);
        RedrawItem(nOld);
    } else {
        m_bMouseIsOver = FALSE;
        UpdateHotItem();
    }
}

void COXSHBListCtrl::UpdateHotItem()
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    int nFlags;
    int nItem = HitTest(point, &nFlags);
    int nHot = m_bMouseIsOver && (nFlags == LVHT_ONITEMICON || nFlags == LVHT_ONITEMLABEL) ? nItem : -1;
    BOOL bLeft = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    if (m_nDragItem == -1 && !(GetBarStyle() & SHBS_NODRAGITEM) && nItem != -1 && nItem == m_nPressItem && bLeft) {
        CSize moved = point - m_ptClickedLButton;
        if (abs(moved.cx) + abs(moved.cy) > 8) {
            m_ptDragImage += moved;
            PrepareDragDrop(nItem);
        }
    }
    if (!bLeft || m_nDragItem != -1)
        m_nPressItem = -1;
    int nOld = SetHotItem(nHot);
    if (nOld != m_nHotItem) {
        RedrawItem(m_nHotItem);
        RedrawItem(nOld);
    }
    if (m_bScrollingUp && !m_rectTopScrollButton.PtInRect(point))
        RedrawWindow(&m_rectTopScrollButton, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    if (m_bScrollingDown && !m_rectBottomScrollButton.PtInRect(point))
        RedrawWindow(&m_rectBottomScrollButton, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    if ((GetBarStyle() & SHBS_AUTOSCROLL) && m_nDragItem == -1) {
        if (nFlags == SHBLC_ONTOPSCROLLBUTTON && !m_bScrollingUp) {
            m_bAutoScrolling = TRUE;
            StartScrolling(TRUE);
            m_bAutoScrolling = TRUE;
        } else if (nFlags == SHBLC_ONBOTTOMSCROLLBUTTON && !m_bScrollingDown) {
            m_bAutoScrolling = TRUE;
            StartScrolling(FALSE);
            m_bAutoScrolling = TRUE;
        } else if (m_bAutoScrolling && !m_bDragDropOperation &&
                   ((m_bScrollingUp && nFlags != SHBLC_ONTOPSCROLLBUTTON) ||
                    (m_bScrollingDown && nFlags != SHBLC_ONBOTTOMSCROLLBUTTON))) {
            StopScrolling();
        }
    }
}

void COXSHBListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == SHBLC_IDT_CHECKMOUSE) {
        if (!m_bDragDropOperation)
            PostMessage(SHBLCM_CHECKCAPTURE);
        return;
    }
    if (nIDEvent != SHBLC_IDT_SCROLL) {
        Default();
        return;
    }
    BOOL bUp = m_bScrollingUp;
    if (!m_bScrollingUp && !m_bScrollingDown)
        return;
    BOOL bImage = m_bDragDropOperation && m_pDragImage != NULL;
    if (!m_bDragDropOperation) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (!(bUp ? m_rectTopScrollButton : m_rectBottomScrollButton).PtInRect(point))
            return;
    }
    if (bImage)
        CImageList::DragShowNolock(FALSE);
    RedrawWindow(bUp ? &m_rectTopScrollButton : &m_rectBottomScrollButton, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    ScrollStep(bUp);
    if ((bUp ? m_rectTopScrollButton : m_rectBottomScrollButton).IsRectEmpty())
        StopScrolling();
    if (bImage)
        CImageList::DragShowNolock(TRUE);
}

void COXSHBListCtrl::OnSize(UINT nType, int cx, int cy)
{
    CListCtrl::OnSize(nType, cx, cy);
    CalculateItemRects();
}

void COXSHBListCtrl::OnDestroy()
{
    if (m_nScrollTimerID != 0)
        KillTimer(m_nScrollTimerID);
    if (m_nCheckMouseTimerID != 0)
        KillTimer(m_nCheckMouseTimerID);
    m_nScrollTimerID = m_nCheckMouseTimerID = 0;
    CListCtrl::OnDestroy();
}

// ---------------------------------------------------------------------------
// Editing
// ---------------------------------------------------------------------------
COXSHBEdit* COXSHBListCtrl::EditItem(int nItem)
{
    if (!(GetBarStyle() & SHBS_EDITITEMS) || nItem < 0 || nItem >= GetItemCount())
        return NULL;
    if (m_edit.IsEditing())
        m_edit.FinishEdit(TRUE);
    CString sText = GetItemText(nItem, 0);
    if (SendSHBNotification(SHBN_BEGINITEMEDIT, nItem, (LPARAM)(LPCSTR)sText) != 0)
        return NULL;
    CRect rectLabel;
    GetItemRect(nItem, &rectLabel, LVIR_LABEL);
    if (sText.IsEmpty()) {
        CRect rectItem;
        GetItemRect(nItem, &rectItem, LVIR_ICON);
        CClientDC dc(this);
        LOGFONT lf;
        GetFont(&lf);
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* pOld = dc.SelectObject(&font);
        CSize size = dc.GetTextExtent(" ", 1);
        dc.SelectObject(pOld);
        CRect rectClient;
        GetClientRect(&rectClient);
        if (GetView() == SHB_SMALLICON)
            rectLabel.SetRect(rectItem.right, rectItem.top, rectItem.right + size.cx + 4, rectItem.top + size.cy + 4);
        else
            rectLabel.SetRect(rectClient.CenterPoint().x - size.cx / 2 - 2, rectItem.bottom,
                              rectClient.CenterPoint().x + size.cx / 2 + 2, rectItem.bottom + size.cy + 4);
    }
    CRect rectUsable = GetUsableRect(), rectCommon;
    if (!rectCommon.IntersectRect(&rectLabel, &rectUsable) || rectCommon != rectLabel)
        return NULL;
    BOOL bSmall = GetView() == SHB_SMALLICON;
    if (bSmall)
        rectLabel.OffsetRect(-2, 0);
    CRect rectMin = rectLabel;
    if (rectMin.Width() < 10) {
        int cx = rectMin.CenterPoint().x;
        rectMin.left = cx - 5;
        rectMin.right = cx + 5;
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectMax = bSmall ? CRect(rectLabel.left, rectLabel.top, rectClient.right, rectLabel.bottom)
                           : CRect(rectClient.left, rectLabel.top, rectClient.right, rectUsable.bottom);
    rectMax.UnionRect(&rectMax, &rectMin);
    LOGFONT lf;
    GetFont(&lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    SHB_EDITDISPLAY display = {};
    display.nMask = 0xFF;
    display.lpText = sText;
    display.rectDisplay = rectLabel;
    display.rectMin = rectMin;
    display.rectMax = rectMax;
    display.dwStyle = bSmall ? WS_BORDER | ES_AUTOHSCROLL : WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | ES_CENTER;
    display.bEnlargeAsTyping = TRUE;
    display.nSelStart = 0;
    display.nSelEnd = -1;
    display.pFont = &font;
    if (!m_edit.StartEdit(&display))
        return NULL;
    m_nEditItem = nItem;
    return &m_edit;
}

// The item renamed has gone: the edit closes and its text goes nowhere.
void COXSHBListCtrl::CancelInPlaceEdit()
{
    if (m_nEditItem < 0)
        return;
    m_nEditItem = -1;
    if (m_edit.IsEditing())
        m_edit.FinishEdit(FALSE);
}

void COXSHBListCtrl::EndInPlaceEdit(BOOL bSave)
{
    int nItem = m_nEditItem;
    m_nEditItem = -1;
    if (!bSave || nItem < 0 || nItem >= GetItemCount())
        return;
    CString sText;
    m_edit.GetWindowText(sText);
    if (SendSHBNotification(SHBN_ENDITEMEDIT, nItem, (LPARAM)(LPCSTR)sText) == 0)
        SetItemText(nItem, 0, sText);
}

// ---------------------------------------------------------------------------
// Tooltips
// ---------------------------------------------------------------------------
INT_PTR COXSHBListCtrl::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!(GetBarStyle() & SHBS_INFOTIP))
        return -1;
    int nFlags;
    int nItem = HitTest(point, &nFlags, TRUE);
    if (nItem == -1)
        return -1;
    CRect rect;
    GetItemRect(nItem, &rect, LVIR_BOUNDS);
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)(nItem + 1);
    pTI->rect = rect;
    pTI->lpszText = LPSTR_TEXTCALLBACK;
    return nItem + 1;
}

LRESULT COXSHBListCtrl::FillToolTipText(NMHDR* pNMHDR, BOOL)
{
    if (pNMHDR->idFrom == 0)
        return 0;
    SHB_TIPINFO tip = {};
    LRESULT lr = SendSHBNotification(SHBN_GETITEMINFOTIP, (int)pNMHDR->idFrom - 1, (LPARAM)&tip);
    OXFillToolTipText(pNMHDR, tip);
    return lr;
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------
COLORREF COXSHBListCtrl::InsertMarkColor(COLORREF clrBack)
{
    int nDistance = (GetRValue(clrBack) + GetGValue(clrBack) + GetBValue(clrBack)) / 3;
    return nDistance <= 64 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

CRect COXSHBListCtrl::InsertMarkRect(const std::vector<CRect>& items, int k, int nClientWidth, int nViewTop)
{
    int nCount = (int)items.size();
    if (k < 0 || k > nCount)
        return CRect(0, 0, 0, 0);
    if (k == 0)
        return CRect(0, nViewTop, nClientWidth, nViewTop + 10);
    if (k == nCount)
        return CRect(0, items.back().bottom + 2 - 10, nClientWidth, items.back().bottom + 2);
    return CRect(0, items[k].top - 10, nClientWidth, items[k].top + 5);
}

CRect COXSHBListCtrl::GetInsertMarkRect(int nItem) const
{
    std::vector<CRect> items;
    for (const auto& entry : m_mapItemToBoundRect)
        items.push_back(entry.second);
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rect = InsertMarkRect(items, nItem, rectClient.Width(), GetViewRect().top);
    if (!rect.IsRectEmpty())
        rect.OffsetRect(-m_ptOrigin);
    return rect;
}

void COXSHBListCtrl::FillListBackground(CDC* pDC, const CRect& rect)
{
    if (m_pShortcutBar != NULL) {
        BOOL bOwn = m_pShortcutBar->HasGroupBkColor(m_hGroup);
        m_pShortcutBar->GetSkin()->FillBackground(pDC, rect, this, bOwn, GetListBkColor());
    } else {
        pDC->FillSolidRect(&rect, GetListBkColor());
    }
}

void COXSHBListCtrl::OnPaint()
{
    CPaintDC dc(this);
    int nSaved = dc.SaveDC();
    if (!(GetBarStyle() & SHBS_NOSCROLL)) {
        DrawScrollButtons(&dc);
        dc.ExcludeClipRect(&m_rectTopScrollButton);
        dc.ExcludeClipRect(&m_rectBottomScrollButton);
    }
    int nSavedClip = dc.SaveDC();
    for (const auto& entry : m_mapItemToBoundRect) {
        CRect rect = entry.second - m_ptOrigin;
        dc.ExcludeClipRect(&rect);
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    FillListBackground(&dc, rectClient);
    dc.RestoreDC(nSavedClip);
    for (const auto& entry : m_mapItemToBoundRect) {
        CRect rect = entry.second - m_ptOrigin;
        if (!dc.RectVisible(&rect))
            continue;
        CDC dcMem;
        CBitmap bitmap;
        if (!dcMem.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, rect.Width(), rect.Height()))
            break;
        CBitmap* pOld = dcMem.SelectObject(&bitmap);
        m_ptPaintOffset = rect.TopLeft();
        FillListBackground(&dcMem, CRect(0, 0, rect.Width(), rect.Height()));
        m_ptPaintOffset = CPoint(0, 0);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = (UINT)GetDlgCtrlID();
        dis.itemID = (UINT)entry.first;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = ODS_DEFAULT;
        dis.hwndItem = m_hWnd;
        dis.hDC = dcMem.GetSafeHdc();
        dis.rcItem = CRect(0, 0, rect.Width(), rect.Height());
        DrawItem(&dis);
        dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    DrawInsertMark(&dc);
    dc.RestoreDC(nSaved);
}

void COXSHBListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    int nItem = (int)lpDrawItemStruct->itemID;
    if (!m_bCreatingDragImage && SendSHBNotification(SHBN_DRAWITEM, nItem, (LPARAM)lpDrawItemStruct) != 0)
        return;
    auto it = m_mapItemToBoundRect.find(nItem);
    if (it == m_mapItemToBoundRect.end())
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    int nSaved = pDC->SaveDC();
    DWORD dwStyle = GetBarStyle();
    BOOL bLeft = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    int nImage = GetItemImage(nItem);
    CImageList* pImages = GetImageList(GetView() == SHB_SMALLICON ? LVSIL_SMALL : LVSIL_NORMAL);
    if (nImage != -1 && pImages != NULL && pImages->GetSafeHandle() != NULL) {
        CRect rectImage = m_mapItemToImageRect[nItem];
        rectImage.DeflateRect(1, 1);
        COLORREF clrBack = GetListBkColor();
        COLORREF clrLight = COXShortcutBarSkinClassic::LightFrameColor(clrBack);
        COLORREF clrDark = COXShortcutBarSkinClassic::DarkFrameColor(clrBack);
        if (!m_bCreatingDragImage) {
            BOOL bPressed = nItem == m_nSelectedItem && bLeft;
            if (nItem == m_nHotItem) {
                if (m_pShortcutBar != NULL)
                    m_pShortcutBar->GetSkin()->DrawItemFrame(pDC, rectImage, TRUE, bPressed, this);
                else if (bPressed)
                    pDC->Draw3dRect(&rectImage, clrDark, clrLight);
                else
                    pDC->Draw3dRect(&rectImage, clrLight, clrDark);
            } else if (nItem == m_nActiveItem && (dwStyle & SHBS_SHOWACTIVEALWAYS)) {
                if (m_pShortcutBar != NULL)
                    m_pShortcutBar->GetSkin()->DrawItemFrame(pDC, rectImage, FALSE, TRUE, this);
                else
                    pDC->Draw3dRect(&rectImage, clrDark, clrLight);
            }
        }
        rectImage.DeflateRect(2, 2);
        ImageList_Draw(pImages->GetSafeHandle(), nImage, pDC->GetSafeHdc(), rectImage.left, rectImage.top,
                       ILD_TRANSPARENT);
    }
    CRect rectLabel = m_mapItemToTextRect[nItem];
    CString sText = GetItemText(nItem, 0);
    if (!rectLabel.IsRectEmpty() && !sText.IsEmpty()) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(GetListTextColor());
        LOGFONT lf;
        GetFont(&lf);
        if (!m_bCreatingDragImage && nItem == m_nHotItem && (dwStyle & SHBS_UNDERLINEHOTITEM))
            lf.lfUnderline = TRUE;
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* pOld = pDC->SelectObject(&font);
        if (GetView() == SHB_SMALLICON) {
            // A label cut to the list's width ends in an ellipsis, not mid-letter.
            pDC->DrawText(sText, &rectLabel, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        } else {
            rectLabel.DeflateRect(2, 2);
            pDC->DrawText(sText, &rectLabel, DT_END_ELLIPSIS | DT_EDITCONTROL | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
        }
        pDC->SelectObject(pOld);
    }
    pDC->RestoreDC(nSaved);
}

void COXSHBListCtrl::DrawScrollButtons(CDC* pDC)
{
    if (GetBarStyle() & SHBS_NOSCROLL)
        return;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    int nFlags;
    HitTest(point, &nFlags);
    BOOL bHeld = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0 || m_bAutoScrolling;
    if (!m_rectBottomScrollButton.IsRectEmpty() && pDC->RectVisible(&m_rectBottomScrollButton)) {
        UINT nState = DFCS_SCROLLDOWN;
        if (nFlags == SHBLC_ONBOTTOMSCROLLBUTTON && m_bScrollingDown && bHeld)
            nState |= DFCS_PUSHED;
        CRect rect = m_rectBottomScrollButton;
        pDC->DrawFrameControl(&rect, DFC_SCROLL, nState);
    }
    if (!m_rectTopScrollButton.IsRectEmpty() && pDC->RectVisible(&m_rectTopScrollButton)) {
        UINT nState = DFCS_SCROLLUP;
        if (nFlags == SHBLC_ONTOPSCROLLBUTTON && m_bScrollingUp && bHeld)
            nState |= DFCS_PUSHED;
        CRect rect = m_rectTopScrollButton;
        pDC->DrawFrameControl(&rect, DFC_SCROLL, nState);
    }
}

void COXSHBListCtrl::DrawInsertMark(CDC* pDC)
{
    int k = m_nInsertItemBefore, nCount = GetItemCount();
    if (k < 0 || k > nCount)
        return;
    CRect rect = GetInsertMarkRect(k);
    if (rect.IsRectEmpty() || !pDC->RectVisible(&rect))
        return;
    CPen pen(PS_SOLID, 1, InsertMarkColor(GetListBkColor()));
    CPen* pOld = pDC->SelectObject(&pen);
    if (k == 0 || (k == nCount && nCount > 0)) {
        BOOL bTop = k == 0;
        int y = bTop ? rect.top : rect.bottom - 1;
        pDC->MoveTo(rect.left, y);
        pDC->LineTo(rect.right, y);
        for (int h = 1; h <= 10; ++h) {
            int yy = bTop ? rect.top + h : rect.bottom - h;
            pDC->MoveTo(rect.left, yy);
            pDC->LineTo(rect.left + 10 - h, yy);
            pDC->MoveTo(rect.right - 10 + h, yy);
            pDC->LineTo(rect.right, yy);
        }
    } else {
        int yMid = (rect.top + rect.bottom) / 2;
        pDC->MoveTo(rect.left, yMid);
        pDC->LineTo(rect.right, yMid);
        for (int h = 1; h <= 7; ++h) {
            for (int yy : {yMid + h, yMid - h}) {
                pDC->MoveTo(rect.left, yy);
                pDC->LineTo(rect.left + 7 - h, yy);
                pDC->MoveTo(rect.right - 7 + h, yy);
                pDC->LineTo(rect.right, yy);
            }
        }
    }
    pDC->SelectObject(pOld);
}

// ---------------------------------------------------------------------------
// Item drag and drop
// ---------------------------------------------------------------------------
namespace {

void PutDword(std::vector<BYTE>& out, DWORD dw)
{
    out.insert(out.end(), (const BYTE*)&dw, (const BYTE*)&dw + 4);
}

bool GetDword(const BYTE* pData, SIZE_T nSize, SIZE_T& nPos, DWORD& dw)
{
    if (nSize - nPos < 4 || nPos > nSize)
        return false;
    memcpy(&dw, pData + nPos, 4);
    nPos += 4;
    return true;
}

}  // namespace

std::vector<BYTE> COXSHBListCtrl::BuildDragBlock(const DragItem& item)
{
    std::vector<BYTE> out((LPCSTR)item.sText, (LPCSTR)item.sText + item.sText.GetLength() + 1);
    PutDword(out, item.dwData);
    PutDword(out, (DWORD)item.images.size());
    for (const DragImage& image : item.images) {
        PutDword(out, 0);
        PutDword(out, (DWORD)image.nType);
        PutDword(out, (DWORD)image.bytes.size());
        out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    }
    PutDword(out, (DWORD)item.extra.size());
    out.insert(out.end(), item.extra.begin(), item.extra.end());
    return out;
}

BOOL COXSHBListCtrl::ParseDragBlock(const BYTE* pData, SIZE_T nSize, DragItem& item)
{
    // The block may come from any program: every count and length is held
    // against the bytes that are there.
    item = DragItem();
    if (pData == NULL || nSize == 0)
        return FALSE;
    const BYTE* pNul = (const BYTE*)memchr(pData, 0, nSize);
    if (pNul == NULL)
        return FALSE;
    SIZE_T nPos = (SIZE_T)(pNul - pData) + 1;
    item.sText = CString((LPCSTR)pData);
    DWORD dwCount;
    if (!GetDword(pData, nSize, nPos, item.dwData) || !GetDword(pData, nSize, nPos, dwCount) || dwCount > 2)
        return FALSE;
    for (DWORD i = 0; i < dwCount; ++i) {
        DWORD dwKind, dwType, n;
        if (!GetDword(pData, nSize, nPos, dwKind) || !GetDword(pData, nSize, nPos, dwType) ||
            !GetDword(pData, nSize, nPos, n) || n > nSize - nPos || dwType > 1)
            return FALSE;
        if (dwKind == 0) {
            DragImage image;
            image.nType = (int)dwType;
            image.bytes.assign(pData + nPos, pData + nPos + n);
            item.images.push_back(image);
        }
        nPos += n;
    }
    DWORD m;
    if (!GetDword(pData, nSize, nPos, m) || m > nSize - nPos)
        return FALSE;
    item.extra.assign(pData + nPos, pData + nPos + m);
    return TRUE;
}

std::vector<BYTE> COXSHBListCtrl::WriteImage(CImageList* pSource, int nImage)
{
    std::vector<BYTE> bytes;
    if (pSource == NULL || pSource->GetSafeHandle() == NULL || nImage < 0)
        return bytes;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(pSource->GetSafeHandle(), &cx, &cy);
    CImageList one;
    HICON hIcon = pSource->ExtractIcon(nImage);
    if (hIcon == NULL || !one.Create(cx, cy, ILC_MASK | ILC_COLOR32, 1, 0)) {
        if (hIcon != NULL)
            ::DestroyIcon(hIcon);
        return bytes;
    }
    one.Add(hIcon);
    ::DestroyIcon(hIcon);
    CMemFile file(1024);
    TRY
    {
        CArchive ar(&file, CArchive::store, 4096);
        BOOL bOk = one.Write(&ar);
        ar.Close();
        if (bOk) {
            ULONGLONG nLength = file.GetLength();
            BYTE* p = file.Detach();
            bytes.assign(p, p + nLength);
            free(p);
        }
    }
    CATCH_ALL(e)
    {
        bytes.clear();
    }
    END_CATCH_ALL
    return bytes;
}

// The system's reader of a stored image list trusts the list's header: an
// image size that does not match the bitmaps after it makes it write past
// its own buffers. A dropped image may come from anywhere, so its header and
// both bitmaps (images, then mask) are held against each other and against
// the bytes there before the reader sees them. The bitmaps hold the images
// four to a row.
BOOL COXSHBListCtrl::IsSoundImageStream(const std::vector<BYTE>& bytes)
{
    auto word = [&](size_t at) { return (UINT)(bytes[at] | bytes[at + 1] << 8); };
    auto dword = [&](size_t at) { return (DWORD)(word(at) | word(at + 2) << 16); };
    const size_t kHead = 28;
    if (bytes.size() < kHead || word(0) != 0x4C49)   // "IL"
        return FALSE;
    const UINT nCount = word(4), nMax = word(6), cx = word(10), cy = word(12);
    if (nCount < 1 || nCount > nMax || nMax > 1024 || cx < 1 || cx > 256 || cy < 1 || cy > 256)
        return FALSE;
    const UINT nRows = (nMax + 3) / 4;
    size_t nPos = kHead;
    for (int nBitmap = 0; nBitmap < 2 && nPos < bytes.size(); nBitmap++) {
        if (bytes.size() - nPos < 14 + 40 || word(nPos) != 0x4D42)   // "BM"
            return FALSE;
        const size_t nInfo = nPos + 14;
        const LONG nHeight = (LONG)dword(nInfo + 8);
        const UINT nBits = word(nInfo + 14), nUsed = dword(nInfo + 32);
        if (dword(nInfo) != 40 || dword(nInfo + 4) != 4 * cx || (nHeight != (LONG)(cy * nRows) &&
            nHeight != -(LONG)(cy * nRows)) || word(nInfo + 12) != 1 || dword(nInfo + 16) != BI_RGB)
            return FALSE;
        if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
            return FALSE;
        if (nUsed > (nBits <= 8 ? (1u << nBits) : 0u))
            return FALSE;
        const size_t nColours = nBits <= 8 ? (nUsed != 0 ? nUsed : (1u << nBits)) : 0;
        const size_t nStride = ((size_t)4 * cx * nBits + 31) / 32 * 4;
        const size_t nSize = 14 + 40 + 4 * nColours + nStride * cy * nRows;
        if (nSize > bytes.size() - nPos)
            return FALSE;
        nPos += nSize;
    }
    return TRUE;
}

BOOL COXSHBListCtrl::ReadImage(const std::vector<BYTE>& bytes, CImageList& imageList)
{
    if (!IsSoundImageStream(bytes))
        return FALSE;
    BOOL bOk = FALSE;
    std::vector<BYTE> copy(bytes);
    CMemFile file(copy.data(), (UINT)copy.size());
    TRY
    {
        CArchive ar(&file, CArchive::load, 4096);
        bOk = imageList.Read(&ar) && imageList.GetImageCount() > 0;
        ar.Close();
    }
    CATCH_ALL(e)
    {
        bOk = FALSE;
    }
    END_CATCH_ALL
    return bOk;
}

COleDropSource* COXSHBListCtrl::GetDropSource()
{
    LPARAM lSource = 0;
    if (QuerySHBNotification(SHBN_GETDROPSOURCE, -1, lSource) != 0 && lSource != 0)
        return (COleDropSource*)lSource;
    m_oleDropSource.SetOwner(this);
    return &m_oleDropSource;
}

COleDropTarget* COXSHBListCtrl::GetDropTarget()
{
    LPARAM lTarget = 0;
    if (QuerySHBNotification(SHBN_GETDROPTARGET, -1, lTarget) != 0 && lTarget != 0)
        return (COleDropTarget*)lTarget;
    return &m_oleDropTarget;
}

void COXSHBListCtrl::PrepareDragDrop(int nItem)
{
    if (nItem == m_nDragItem)
        return;
    m_nDragItem = nItem;
    SendSHBNotification(SHBN_BEGINDRAGITEM, nItem, (LPARAM)&m_ptDragImage);
    COleDataSource* pSource = new COleDataSource;
    CString sText = GetItemText(nItem, 0);
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sText.GetLength() + 1);
    if (hText != NULL) {
        memcpy(::GlobalLock(hText), (LPCSTR)sText, sText.GetLength() + 1);
        ::GlobalUnlock(hText);
        pSource->CacheGlobalData(CF_TEXT, hText);
    }
    struct { DWORD dwSize; LPVOID pData; } extra = {0, NULL};
    SendSHBNotification(SHBN_SETADDITIONALDROPDATA, nItem, (LPARAM)&extra);
    DragItem item;
    item.sText = sText;
    // The block has room for 32 bits of item data; a drop into this same
    // list takes the data from the item itself.
    item.dwData = (DWORD)GetItemData(nItem);
    int nImage = GetItemImage(nItem);
    LVITEM lvi = {};
    lvi.mask = LVIF_IMAGE;
    lvi.iItem = nItem;
    GetItem(&lvi);
    if (lvi.iImage >= 0) {
        for (int nType : {0, 1}) {
            CImageList* pList = GetImageList(nType == 0 ? LVSIL_NORMAL : LVSIL_SMALL);
            if (pList == NULL || pList->GetSafeHandle() == NULL || lvi.iImage >= pList->GetImageCount())
                continue;
            DragImage image;
            image.nType = nType;
            image.bytes = WriteImage(pList, lvi.iImage);
            if (!image.bytes.empty())
                item.images.push_back(image);
        }
    }
    (void)nImage;
    if (extra.dwSize != 0 && extra.pData != NULL)
        item.extra.assign((const BYTE*)extra.pData, (const BYTE*)extra.pData + extra.dwSize);
    std::vector<BYTE> block = BuildDragBlock(item);
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, block.size());
    if (hBlock != NULL) {
        memcpy(::GlobalLock(hBlock), block.data(), block.size());
        ::GlobalUnlock(hBlock);
        pSource->CacheGlobalData(OXGetSHBItemClipFormat(), hBlock);
    }
    PostMessage(SHBLCM_STARTDRAGDROP, (WPARAM)nItem, (LPARAM)pSource);
}

CImageList* COXSHBListCtrl::CreateDragImage(int nItem)
{
    CRect rectBounds, rectItem;
    if (!GetItemRect(nItem, &rectBounds, LVIR_BOUNDS) || !GetItemRect(nItem, &rectItem, -1) ||
        rectBounds.IsRectEmpty())
        return NULL;
    m_bCreatingDragImage = TRUE;
    CImageList* pList = new CImageList;
    CClientDC dc(this);
    CDC dcItem, dcBounds;
    CBitmap bmItem, bmBounds;
    if (pList->Create(rectBounds.Width(), rectBounds.Height(), ILC_MASK | ILC_COLOR24, 0, 1) &&
        dcItem.CreateCompatibleDC(&dc) && dcBounds.CreateCompatibleDC(&dc) &&
        bmItem.CreateCompatibleBitmap(&dc, rectItem.Width(), rectItem.Height()) &&
        bmBounds.CreateCompatibleBitmap(&dc, rectBounds.Width(), rectBounds.Height())) {
        CBitmap* pOldItem = dcItem.SelectObject(&bmItem);
        dcItem.FillSolidRect(0, 0, rectItem.Width(), rectItem.Height(), GetListBkColor());
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = (UINT)GetDlgCtrlID();
        dis.itemID = (UINT)nItem;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = ODS_DEFAULT;
        dis.hwndItem = m_hWnd;
        dis.hDC = dcItem.GetSafeHdc();
        dis.rcItem = CRect(0, 0, rectItem.Width(), rectItem.Height());
        DrawItem(&dis);
        CBitmap* pOldBounds = dcBounds.SelectObject(&bmBounds);
        dcBounds.BitBlt(0, 0, rectBounds.Width(), rectBounds.Height(), &dcItem, rectBounds.left - rectItem.left,
                        rectBounds.top - rectItem.top, SRCCOPY);
        dcBounds.SelectObject(pOldBounds);
        dcItem.SelectObject(pOldItem);
        pList->Add(&bmBounds, GetListBkColor());
    }
    m_bCreatingDragImage = FALSE;
    return pList;
}

LRESULT COXSHBListCtrl::BeginDragDrop(int nItem, COleDataSource* pDataSource)
{
    if (SendSHBNotification(SHBN_BEGINDRAGDROP, nItem, (LPARAM)pDataSource) != 0) {
        // The data source goes, and the item may be dragged again later.
        pDataSource->InternalRelease();
        m_nDragItem = -1;
        return 0;
    }
    int nOld = m_nSelectedItem;
    m_nSelectedItem = -1;
    RedrawItem(nOld);
    COleDropSource* pDropSource = GetDropSource();
    m_bDragDropOwner = TRUE;
    m_dwDropEffect = DROPEFFECT_NONE;
    m_nInsertItemBefore = -1;
    BOOL bImage = (GetBarStyle() & SHBS_DRAWITEMDRAGIMAGE) != 0;
    if (bImage) {
        delete m_pDragImage;
        m_pDragImage = CreateDragImage(nItem);
        if (m_pDragImage != NULL)
            m_pDragImage->BeginDrag(0, m_ptDragImage);
    }
    CRect rectNoWait(0, 0, 0, 0);
    DROPEFFECT dropEffect =
        pDataSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &rectNoWait, pDropSource);
    int nInsertedAt = m_nInsertItemBefore;
    BOOL bIntoThisList = m_dwDropEffect != DROPEFFECT_NONE && nInsertedAt != -1;
    if (dropEffect == DROPEFFECT_MOVE) {
        int nDelete = nItem;
        if (bIntoThisList && nInsertedAt <= nItem)
            ++nDelete;
        SendMessage(LVM_DELETEITEM, (WPARAM)nDelete);
    }
    m_nInsertItemBefore = -1;
    m_bDragDropOwner = FALSE;
    if (bImage && m_pDragImage != NULL)
        CImageList::EndDrag();
    m_nDragItem = -1;
    pDataSource->InternalRelease();
    if (dropEffect == DROPEFFECT_MOVE || bIntoThisList)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    WPARAM keys = ((::GetKeyState(VK_SHIFT) & 0x8000) ? MK_SHIFT : 0) |
                  ((::GetKeyState(VK_CONTROL) & 0x8000) ? MK_CONTROL : 0);
    SendMessage(WM_LBUTTONUP, keys, MAKELPARAM(point.x, point.y));
    SendSHBNotification(SHBN_DRAGDROPEND, -1, (LPARAM)dropEffect);
    return 0;
}

LRESULT COXSHBListCtrl::OnDragEnter(WPARAM wParam, LPARAM lParam)
{
    if (GetBarStyle() & SHBS_DISABLEDRAGDROP)
        return 0;
    m_bDragDropOperation = TRUE;
    int nOld = SetHotItem(-1);
    RedrawItem(nOld);
    if (SendSHBNotification(SHBN_DRAGENTER, -1, lParam) != 0)
        return 1;
    OXDRAGDROPMESSAGE* pRec = (OXDRAGDROPMESSAGE*)lParam;
    if ((GetBarStyle() & SHBS_DRAWITEMDRAGIMAGE) && m_bDragDropOwner && m_pDragImage != NULL) {
        CPoint pt(pRec->x, pRec->y);
        ClientToScreen(&pt);
        CImageList::DragEnter(GetDesktopWindow(), pt);
    }
    return OnDragOver(wParam, lParam);
}

LRESULT COXSHBListCtrl::OnDragOver(WPARAM, LPARAM lParam)
{
    if (GetBarStyle() & SHBS_DISABLEDRAGDROP)
        return 0;
    if (SendSHBNotification(SHBN_DRAGOVER, -1, lParam) != 0)
        return 1;
    OXDRAGDROPMESSAGE* pRec = (OXDRAGDROPMESSAGE*)lParam;
    CPoint point(pRec->x, pRec->y);
    BOOL bImage = (GetBarStyle() & SHBS_DRAWITEMDRAGIMAGE) && m_bDragDropOwner && m_pDragImage != NULL;
    if (bImage) {
        CPoint pt(point);
        ClientToScreen(&pt);
        CImageList::DragMove(pt);
    }
    DWORD dwEffect = (pRec->dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    int nIndex = -1;
    int nCount = GetItemCount();
    CRect rectClient;
    GetClientRect(&rectClient);
    CPoint ptView = point + m_ptOrigin;
    CRect rectView = GetViewRect();
    int nFlags;
    if (pRec->pDataObject == NULL || !pRec->pDataObject->IsDataAvailable(OXGetSHBItemClipFormat())) {
        dwEffect = DROPEFFECT_NONE;
    } else if (ptView.y < rectView.top || nCount == 0) {
        nIndex = 0;
    } else if (ptView.y >= rectView.bottom) {
        nIndex = nCount;
    } else if (rectClient.PtInRect(point) && HitTest(point, &nFlags, TRUE) == -1) {
        LVFINDINFO lvfi = {};
        lvfi.flags = LVFI_NEARESTXY;
        lvfi.pt = point;
        lvfi.vkDirection = VK_DOWN;
        nIndex = FindItem(&lvfi, -1);
        if (nIndex == -1)
            nIndex = nCount;
    } else {
        dwEffect = DROPEFFECT_NONE;
    }
    pRec->result = dwEffect;

    CRect rectQuiet = rectClient;
    rectQuiet.DeflateRect(0, 10);
    if (point.y < rectQuiet.top) {
        if (!m_rectTopScrollButton.IsRectEmpty() && !m_bScrollingUp) {
            m_bAutoScrolling = TRUE;
            StartScrolling(TRUE);
            m_bAutoScrolling = TRUE;
        }
    } else if (point.y >= rectQuiet.bottom) {
        if (!m_rectBottomScrollButton.IsRectEmpty() && !m_bScrollingDown) {
            m_bAutoScrolling = TRUE;
            StartScrolling(FALSE);
            m_bAutoScrolling = TRUE;
        }
    } else if (m_bAutoScrolling) {
        StopScrolling();
    }

    if (nIndex != m_nInsertItemBefore) {
        if (bImage)
            CImageList::DragShowNolock(FALSE);
        CRect rectOld = GetInsertMarkRect(m_nInsertItemBefore);
        m_nInsertItemBefore = nIndex;
        if (!rectOld.IsRectEmpty())
            RedrawWindow(&rectOld, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        CRect rectNew = GetInsertMarkRect(nIndex);
        if (!rectNew.IsRectEmpty())
            RedrawWindow(&rectNew, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        if (bImage)
            CImageList::DragShowNolock(TRUE);
    }
    return 1;
}

LRESULT COXSHBListCtrl::OnDragLeave(WPARAM, LPARAM lParam)
{
    if (GetBarStyle() & SHBS_DISABLEDRAGDROP)
        return 0;
    if (SendSHBNotification(SHBN_DRAGLEAVE, -1, lParam) == 0) {
        if ((GetBarStyle() & SHBS_DRAWITEMDRAGIMAGE) && m_bDragDropOwner && m_pDragImage != NULL)
            CImageList::DragLeave(GetDesktopWindow());
        CRect rectOld = GetInsertMarkRect(m_nInsertItemBefore);
        m_nInsertItemBefore = -1;
        if (!rectOld.IsRectEmpty())
            RedrawWindow(&rectOld, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        if (m_bAutoScrolling)
            StopScrolling();
    }
    m_bDragDropOperation = FALSE;
    return 1;
}

// The picture of a dropped image and its size, or NULL when its bytes
// cannot be read.
HICON COXSHBListCtrl::ReadDroppedIcon(const DragImage& image, CSize& size)
{
    CImageList one;
    if (!ReadImage(image.bytes, one))
        return NULL;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(one.GetSafeHandle(), &cx, &cy);
    size = CSize(cx, cy);
    return one.ExtractIcon(0);
}

// The image list a dropped image of a type goes into: the list's own, or a
// spare made to the image's size.
CImageList* COXSHBListCtrl::DropImageList(int nType, CSize size)
{
    const int nList = nType == 0 ? LVSIL_NORMAL : LVSIL_SMALL;
    CImageList* pTarget = GetImageList(nList);
    if (pTarget != NULL && pTarget->GetSafeHandle() != NULL)
        return pTarget;
    CImageList& spare = nType == 0 ? m_ilLarge : m_ilSmall;
    if (spare.GetSafeHandle() == NULL && !spare.Create(size.cx, size.cy, ILC_MASK | ILC_COLOR32, 1, 0))
        return NULL;
    SetImageList(&spare, nList);
    return &spare;
}

LRESULT COXSHBListCtrl::OnDrop(WPARAM, LPARAM lParam)
{
    if (GetBarStyle() & SHBS_DISABLEDRAGDROP)
        return 0;
    OXDRAGDROPMESSAGE* pRec = (OXDRAGDROPMESSAGE*)lParam;
    if (SendSHBNotification(SHBN_DROP, -1, lParam) != 0) {
        m_bDragDropOperation = FALSE;
        return 1;
    }
    StopScrolling();
    BOOL bInserted = FALSE;
    DWORD dwEffect = pRec->dropEffect & (DROPEFFECT_COPY | DROPEFFECT_MOVE);
    int nIndex = m_nInsertItemBefore;
    struct { DWORD dwSize; LPVOID pData; } extra = {0, NULL};
    if (dwEffect != 0 && nIndex != -1 && pRec->pDataObject != NULL) {
        HGLOBAL hData = pRec->pDataObject->GetGlobalData(OXGetSHBItemClipFormat());
        const BYTE* pData = hData != NULL ? (const BYTE*)::GlobalLock(hData) : NULL;
        DragItem item;
        if (pData != NULL && ParseDragBlock(pData, ::GlobalSize(hData), item)) {
            // Every image is read before any goes into a list: a drop whose
            // image cannot be read brings nothing, and leaves no image.
            std::vector<HICON> icons;
            std::vector<CSize> sizes;
            for (const DragImage& image : item.images) {
                CSize size;
                HICON hIcon = ReadDroppedIcon(image, size);
                if (hIcon == NULL)
                    break;
                icons.push_back(hIcon);
                sizes.push_back(size);
            }
            std::vector<std::pair<CImageList*, int>> added;
            BOOL bImagesOk = icons.size() == item.images.size();
            for (size_t i = 0; bImagesOk && i < icons.size(); ++i) {
                CImageList* pTarget = DropImageList(item.images[i].nType, sizes[i]);
                const int nAdded = pTarget != NULL ? pTarget->Add(icons[i]) : -1;
                if (nAdded < 0)
                    bImagesOk = FALSE;
                else
                    added.push_back({pTarget, nAdded});
            }
            for (HICON hIcon : icons)
                ::DestroyIcon(hIcon);
            const int nImage = added.empty() ? -1 : added.back().second;
            if (bImagesOk) {
                LVITEM lvi = {};
                lvi.mask = LVIF_TEXT;
                lvi.iItem = nIndex;
                lvi.pszText = (LPSTR)(LPCSTR)item.sText;
                if (nImage != -1) {
                    lvi.mask |= LVIF_IMAGE;
                    lvi.iImage = nImage;
                }
                if (m_bDragDropOwner && m_nDragItem != -1) {
                    lvi.mask |= LVIF_PARAM;
                    lvi.lParam = GetItemData(m_nDragItem);
                }
                int nNew = (int)SendMessage(LVM_INSERTITEM, 0, (LPARAM)&lvi);
                bInserted = nNew != -1;
                bImagesOk = bInserted;
                if (bInserted) {
                    nIndex = nNew;
                    if (!item.extra.empty()) {
                        extra.dwSize = (DWORD)item.extra.size();
                        extra.pData = item.extra.data();
                        SendSHBNotification(SHBN_HANDLEADDITIONALDROPDATA, nIndex, (LPARAM)&extra);
                    }
                }
            }
            if (!bImagesOk)   // nothing came in: the images added go again
                for (auto it = added.rbegin(); it != added.rend(); ++it)
                    ImageList_Remove(it->first->GetSafeHandle(), it->second);
        }
        if (pData != NULL)
            ::GlobalUnlock(hData);
        if (hData != NULL)
            ::GlobalFree(hData);
    }
    // A refused drop leaves the source's item where it is: no move happens.
    pRec->result = bInserted;
    if (m_bDragDropOwner) {
        m_dwDropEffect = bInserted ? dwEffect : DROPEFFECT_NONE;
        m_nInsertItemBefore = bInserted ? nIndex : -1;
    } else {
        m_nInsertItemBefore = -1;
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    m_bDragDropOperation = FALSE;
    if (!m_bDragDropOwner)
        SendSHBNotification(SHBN_DRAGDROPEND, -1, (LPARAM)(bInserted ? dwEffect : DROPEFFECT_NONE));
    return 1;
}

void COXSHBListCtrl::ItemsReordered()
{
    m_nSelectedItem = m_nActiveItem = -1;
    CalculateItemRects();
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------
LRESULT COXSHBListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Inserts and deletes during a drag over this list redraw once, at the end.
    auto relayout = [this](BOOL bRedraw) {
        CalculateItemRects();
        if (bRedraw && !m_bDragDropOperation && ::IsWindow(m_hWnd))
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    };
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SIZE:
        OnSize((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove((UINT)wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnLButtonDown((UINT)wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp((UINT)wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp((UINT)wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    case WM_TIMER:
        OnTimer((UINT_PTR)wParam);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_NOTIFY: {
        NMHDR* pHdr = (NMHDR*)lParam;
        if (pHdr->code == SHBN_ENDEDIT && pHdr->idFrom == 0xFFFF && pHdr->hwndFrom == m_edit.GetSafeHwnd()) {
            EndInPlaceEdit(((NMSHBEDIT*)lParam)->bOK);
            return 0;
        }
        if (pHdr->code == TTN_NEEDTEXTA || pHdr->code == TTN_NEEDTEXTW)
            return FillToolTipText(pHdr, pHdr->code == TTN_NEEDTEXTW);
        break;
    }
    case SHBDTM_DRAGENTER:
        return OnDragEnter(wParam, lParam);
    case SHBDTM_DRAGLEAVE:
        return OnDragLeave(wParam, lParam);
    case SHBDTM_DRAGOVER:
        return OnDragOver(wParam, lParam);
    case SHBDTM_DROP:
        return OnDrop(wParam, lParam);
    case SHBM_POPULATECONTEXTMENU: {
        SHB_CONTEXTMENU* pMenu = (SHB_CONTEXTMENU*)lParam;
        if (pMenu == NULL || pMenu->pShortcutBar != m_pShortcutBar || pMenu->hGroup != m_hGroup ||
            !(GetBarStyle() & SHBS_EDITITEMS))
            return 0;
        CPoint point(pMenu->point);
        ScreenToClient(&point);
        int nFlags;
        if (HitTest(point, &nFlags) == -1)
            return 0;
        CString s;
        if (pMenu->pMenu->GetMenuItemCount() > 0)
            pMenu->pMenu->AppendMenu(MF_SEPARATOR);
        s.LoadString(IDS_OX_SHB_RENAMEITEM);
        pMenu->pMenu->AppendMenu(MF_STRING, SHB_IDMRENAMEITEM, s);
        s.LoadString(IDS_OX_SHB_REMOVEITEM);
        pMenu->pMenu->AppendMenu(MF_STRING, SHB_IDMREMOVEITEM, s);
        return 0;
    }
    case SHBM_SETSHBGROUP: {
        CWnd* pParent = GetParent();
        if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(COXShortcutBar))) {
            m_pShortcutBar = (COXShortcutBar*)pParent;
            m_hGroup = (HSHBGROUP)lParam;
        }
        return 0;
    }
    case SHBM_GROUPINFOCHANGED:
        if (lParam & SHBIF_VIEW) {
            m_ptOrigin = CPoint(0, 0);
            relayout(TRUE);
        } else if (lParam & SHBIF_DESCRIPTOR) {
            relayout(TRUE);
        }
        return 0;
    case SHBM_SHBINFOCHANGED:
        if (lParam & SHBIF_SCRLBTNSIZE)
            relayout(FALSE);
        if (lParam & SHBIF_SHBSTYLE)
            relayout(TRUE);
        return 0;
    case SHBLCM_CHECKCAPTURE:
        CheckCapture();
        return 0;
    case SHBLCM_STARTDRAGDROP:
        return BeginDragDrop((int)wParam, (COleDataSource*)lParam);

    case LVM_GETBKCOLOR:
    case LVM_GETTEXTBKCOLOR:
        if (m_pShortcutBar != NULL)
            return (LRESULT)m_pShortcutBar->GetGroupBkColor(m_hGroup);
        break;
    case LVM_SETBKCOLOR:
        if (m_pShortcutBar != NULL)
            return m_pShortcutBar->SetGroupBkColor(m_hGroup, (COLORREF)lParam);
        break;
    case LVM_GETTEXTCOLOR:
        if (m_pShortcutBar != NULL)
            return (LRESULT)m_pShortcutBar->GetGroupTextColor(m_hGroup);
        break;
    case LVM_SETTEXTCOLOR:
        if (m_pShortcutBar != NULL)
            return m_pShortcutBar->SetGroupTextColor(m_hGroup, (COLORREF)lParam);
        break;
    case LVM_SETTEXTBKCOLOR:
        if (m_pShortcutBar != NULL)
            return 0;
        break;
    case LVM_GETCOUNTPERPAGE:
        return GetCountPerPage();
    case LVM_GETVIEWRECT:
        if (lParam != 0)
            *(LPRECT)lParam = GetViewRect();
        return TRUE;
    case LVM_GETEDITCONTROL:
        return (LRESULT)m_edit.GetSafeHwnd();
    case LVM_GETHOTITEM:
        return m_nHotItem;
    case LVM_SETHOTITEM:
        return SetHotItem((int)wParam);
    case LVM_GETORIGIN:
        if (lParam != 0)
            *(LPPOINT)lParam = m_ptOrigin;
        return TRUE;
    case LVM_GETITEMPOSITION: {
        CRect rect;
        if (lParam == 0 || !GetItemRect((int)wParam, &rect, -1))
            return FALSE;
        *(LPPOINT)lParam = rect.TopLeft();
        return TRUE;
    }
    case LVM_GETITEMRECT:
        return lParam != 0 && GetItemRect((int)wParam, (LPRECT)lParam, ((LPRECT)lParam)->left);
    case LVM_GETTOPINDEX:
        return GetTopIndex();
    case LVM_HITTEST: {
        LVHITTESTINFO* pInfo = (LVHITTESTINFO*)lParam;
        int nFlags;
        pInfo->iItem = HitTest(pInfo->pt, &nFlags);
        pInfo->flags = (UINT)nFlags;
        return pInfo->iItem;
    }
    case LVM_FINDITEM:
        if (lParam != 0 && (((LVFINDINFO*)lParam)->flags & LVFI_NEARESTXY))
            return FindItem((LVFINDINFO*)lParam, (int)wParam);
        break;
    case LVM_INSERTITEM: {
        LRESULT nNew = CListCtrl::WindowProc(message, wParam, lParam);
        if (nNew != -1) {
            SendSHBNotification(SHBN_INSERTITEM, lParam != 0 ? ((LVITEM*)lParam)->iItem : -1, lParam);
            if (m_nSelectedItem >= nNew)
                ++m_nSelectedItem;
            if (m_nActiveItem >= nNew)
                ++m_nActiveItem;
            if (m_nEditItem >= nNew)
                ++m_nEditItem;
            relayout(TRUE);
        }
        return nNew;
    }
    case LVM_DELETEITEM: {
        int nItem = (int)wParam;
        SendSHBNotification(SHBN_DELETEITEM, nItem, 0);
        LRESULT lr = CListCtrl::WindowProc(message, wParam, lParam);
        if (lr) {
            if (m_nEditItem == nItem)
                CancelInPlaceEdit();
            for (int* p : {&m_nSelectedItem, &m_nActiveItem, &m_nEditItem}) {
                if (*p == nItem)
                    *p = -1;
                else if (*p > nItem)
                    --*p;
            }
            if (m_nHotItem == nItem)
                m_nHotItem = -1;
            else if (m_nHotItem > nItem)
                --m_nHotItem;
            relayout(FALSE);
            int nLast = GetItemCount() - 1;
            CRect rectUsable = GetUsableRect();
            if (nLast < 0 || m_mapItemToBoundRect[nLast].bottom <= rectUsable.top + m_ptOrigin.y) {
                m_ptOrigin = CPoint(0, 0);
                CalculateScrollRects();
            }
            relayout(TRUE);
        }
        return lr;
    }
    case LVM_DELETEALLITEMS: {
        SendSHBNotification(SHBN_DELETEALLITEMS, -1, 0);
        LRESULT lr = CListCtrl::WindowProc(message, wParam, lParam);
        CancelInPlaceEdit();
        m_ptOrigin = CPoint(0, 0);
        m_nSelectedItem = m_nActiveItem = m_nHotItem = -1;
        relayout(TRUE);
        return lr;
    }
    case LVM_SETITEMA:
    case LVM_SETITEMW:
    case LVM_SETITEMTEXTA:
    case LVM_SETITEMTEXTW: {
        LRESULT lr = CListCtrl::WindowProc(message, wParam, lParam);
        if (lr)
            relayout(TRUE);
        return lr;
    }
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX: {
        LRESULT lr = CListCtrl::WindowProc(message, wParam, lParam);
        if (lr) {
            CancelInPlaceEdit();   // the item renamed may be anywhere now
            m_nSelectedItem = m_nActiveItem = -1;
            relayout(TRUE);
        }
        return lr;
    }
    case LVM_REDRAWITEMS:
        for (int i = (int)wParam; i <= (int)lParam; ++i)
            if (!RedrawItem(i))
                return FALSE;
        return TRUE;
    case LVM_UPDATE:
        return RedrawItem((int)wParam);
    case LVM_SCROLL:
        return Scroll(CSize((int)wParam, (int)lParam));
    case LVM_ENSUREVISIBLE:
        return EnsureItemVisible((int)wParam, (BOOL)lParam);
    case LVM_EDITLABELA:
    case LVM_EDITLABELW: {
        COXSHBEdit* pEdit = EditItem((int)wParam);
        return pEdit != NULL ? (LRESULT)pEdit->GetSafeHwnd() : 0;
    }
    case LVM_CREATEDRAGIMAGE: {
        CImageList* pList = CreateDragImage((int)wParam);
        if (pList == NULL)
            return 0;
        HIMAGELIST h = pList->Detach();
        delete pList;
        return (LRESULT)h;
    }
    default:
        break;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}
