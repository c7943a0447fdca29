#include "OXTreeHeader.h"

#include "OXTreeCtrl.h"

IMPLEMENT_DYNAMIC(COXTreeHeader, CHeaderCtrl)

HHOOK COXTreeHeader::s_hHook = NULL;
HWND COXTreeHeader::s_hLastUnderMouse = NULL;

BEGIN_MESSAGE_MAP(COXTreeHeader, CHeaderCtrl)
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace
{
const int HP_ITEM = 1;   // the header item part of the theme

// Reads an item's title and format.
void ReadItem(HWND hHeader, int nItem, CString& text, int& nFormat)
{
    char buf[256] = {};
    HDITEMA hdi = {};
    hdi.mask = HDI_TEXT | HDI_FORMAT;
    hdi.pszText = buf;
    hdi.cchTextMax = 255;
    ::SendMessageA(hHeader, HDM_GETITEMA, nItem, (LPARAM)&hdi);
    text = buf;
    nFormat = hdi.fmt;
}

UINT AlignOf(int nFormat)
{
    return (nFormat & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
           : (nFormat & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT
                                                       : DT_LEFT;
}

void SetOwnerDraw(HWND hHeader, int nItem, BOOL bOwnerDraw)
{
    HDITEMA hdi = {};
    hdi.mask = HDI_FORMAT;
    if (!::SendMessageA(hHeader, HDM_GETITEMA, nItem, (LPARAM)&hdi))
        return;
    if (bOwnerDraw)
        hdi.fmt |= HDF_OWNERDRAW;
    else
        hdi.fmt = (hdi.fmt & ~HDF_OWNERDRAW) | HDF_STRING;
    ::SendMessageA(hHeader, HDM_SETITEMA, nItem, (LPARAM)&hdi);
}
} // namespace

COXTreeHeader::COXTreeHeader() : m_nSortColumn(-1), m_nSortOrder(0), m_bLButtonDown(false), m_pTheme(&m_theme)
{
}

COXTreeHeader::~COXTreeHeader()
{
}

int COXTreeHeader::SetSortMark(int nColumn, int nOrder)
{
    if (nColumn == -1)
        nOrder = 0;
    if (nColumn != m_nSortColumn && m_hWnd != NULL) {
        if (m_nSortColumn >= 0)
            SetOwnerDraw(m_hWnd, m_nSortColumn, FALSE);
        if (nOrder != 0 && nColumn >= 0)
            SetOwnerDraw(m_hWnd, nColumn, TRUE);
        Invalidate();
    } else if (m_hWnd != NULL && nColumn >= 0 && nOrder != 0) {
        SetOwnerDraw(m_hWnd, nColumn, TRUE);
        Invalidate();
    }
    m_nSortColumn = nColumn;
    m_nSortOrder = nOrder;
    return 1;
}

COXTreeCtrl* COXTreeHeader::GetTree() const
{
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(COXTreeCtrl)) ? (COXTreeCtrl*)pParent : NULL;
}

void COXTreeHeader::PreSubclassWindow()
{
    CHeaderCtrl::PreSubclassWindow();
    if (s_hHook == NULL)
        s_hHook = ::SetWindowsHookExA(WH_MOUSE, MouseHook, NULL, ::GetCurrentThreadId());
}

void COXTreeHeader::OnDestroy()
{
    // One hook serves every header of the thread: it goes with any of them.
    if (s_hHook != NULL) {
        ::UnhookWindowsHookEx(s_hHook);
        s_hHook = NULL;
    }
    Default();
}

COXTreeHeader* COXTreeHeader::HeaderOf(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    for (HWND h : {hWnd, ::GetParent(hWnd)}) {
        CWnd* p = CWnd::FromHandlePermanent(h);
        if (p != NULL && p->IsKindOf(RUNTIME_CLASS(COXTreeHeader)))
            return (COXTreeHeader*)p;
    }
    return NULL;
}

LRESULT CALLBACK COXTreeHeader::MouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && wParam == WM_MOUSEMOVE) {
        const MOUSEHOOKSTRUCT* pHook = (const MOUSEHOOKSTRUCT*)lParam;
        COXTreeHeader* pOld = HeaderOf(s_hLastUnderMouse);
        COXTreeHeader* pNew = HeaderOf(pHook->hwnd);
        if (pOld != NULL && pOld != pNew)
            pOld->Invalidate();
        else if (pNew != NULL && pNew != pOld)
            pNew->Invalidate();
        s_hLastUnderMouse = pHook->hwnd;
    }
    return ::CallNextHookEx(s_hHook, nCode, wParam, lParam);
}

void COXTreeHeader::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Invalidate();
    CWnd* pParent = GetParent();
    if (pParent != NULL && ::GetFocus() != pParent->m_hWnd)
        pParent->SetFocus();
    m_bLButtonDown = true;
    Default();
}

void COXTreeHeader::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    Default();
    const bool bPressed = m_bLButtonDown;
    m_bLButtonDown = false;
    COXTreeCtrl* pTree = GetTree();
    if (!bPressed || pTree == NULL || ::GetFocus() != pTree->m_hWnd || !pTree->IsHeaderSortable())
        return;
    HDHITTESTINFO hti = {};
    hti.pt = point;
    const int nItem = (int)SendMessage(HDM_HITTEST, 0, (LPARAM)&hti);
    if (nItem == -1 || !(hti.flags & HHT_ONHEADER) || (hti.flags & HHT_ONDIVIDER))
        return;
    const BOOL bAscending = !(nItem == m_nSortColumn && m_nSortOrder == 1);
    pTree->SortChildren(TVI_ROOT, nItem, bAscending);
}

void COXTreeHeader::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    HDHITTESTINFO hti = {};
    hti.pt = point;
    const int nItem = (int)SendMessage(HDM_HITTEST, 0, (LPARAM)&hti);
    COXTreeCtrl* pTree = GetTree();
    if (nItem != -1 && (hti.flags & HHT_ONDIVIDER) && pTree != NULL) {
        pTree->FitColumnWidth(nItem);
        return;
    }
    Default();
}

void COXTreeHeader::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    HTHEME hTheme = m_pTheme->IsLoaded() ? m_pTheme->GetWindowTheme(m_hWnd) : NULL;
    if (hTheme != NULL)
        DrawThemed(pDC, lpDIS, hTheme);
    else
        DrawClassic(pDC, lpDIS);
}

void COXTreeHeader::DrawThemed(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, HTHEME hTheme)
{
    const CRect rect = lpDIS->rcItem;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    const int nState = (lpDIS->itemState & ODS_SELECTED) ? 3 : rect.PtInRect(ptCursor) ? 2 : 1;
    m_pTheme->DrawThemeBackground(hTheme, pDC->m_hDC, HP_ITEM, nState, &rect, NULL);
    const BOOL bMark = m_nSortOrder != 0 && (int)lpDIS->itemID == m_nSortColumn;
    CString text;
    int nFormat = 0;
    ReadItem(m_hWnd, (int)lpDIS->itemID, text, nFormat);
    CRect rectText = rect;
    rectText.DeflateRect(9, 0);
    const UINT nAlign = AlignOf(nFormat);
    UINT nTextFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | nAlign;
    UINT nMarkFormat = DT_RIGHT | DT_SINGLELINE | DT_VCENTER;
    if (bMark) {
        if (nAlign == DT_RIGHT) {
            rectText.left += 12;
            nMarkFormat = DT_SINGLELINE | DT_VCENTER;
        } else {
            rectText.right -= 12;
        }
    }
    m_pTheme->DrawThemeText(hTheme, pDC->m_hDC, HP_ITEM, 1, text, text.GetLength(), nTextFormat, 0, &rectText);
    if (bMark) {
        const int nSaved = pDC->SaveDC();
        CFont font;
        font.CreatePointFont(120, "Marlett", pDC);
        pDC->SelectObject(&font);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(128, 128, 128));
        CRect rectMark = rect;
        rectMark.DeflateRect(5, 0);
        pDC->DrawText(m_nSortOrder == 1 ? "5" : "6", 1, &rectMark, nMarkFormat);
        pDC->RestoreDC(nSaved);
    }
}

void COXTreeHeader::DrawClassic(CDC* pDC, LPDRAWITEMSTRUCT lpDIS)
{
    const CRect rectItem = lpDIS->rcItem;
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rectItem);
    pDC->FillSolidRect(&rectItem, ::GetSysColor(COLOR_BTNFACE));
    CSize sizeSpace;
    ::GetTextExtentPoint32A(pDC->m_hDC, " ", 1, &sizeSpace);
    const int s = sizeSpace.cx;
    CString text;
    int nFormat = 0;
    ReadItem(m_hWnd, (int)lpDIS->itemID, text, nFormat);
    const UINT nTextFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | AlignOf(nFormat);
    CRect rectText = rectItem;
    if (lpDIS->itemState & ODS_SELECTED) {
        rectText.left += 1;
        rectText.top += 2;
        rectText.right += 1;
    }
    rectText.left += 2 * s;
    rectText.right -= 2 * s;
    const BOOL bSortColumn = (int)lpDIS->itemID == m_nSortColumn;
    if (bSortColumn)
        rectText.right -= 6 * s;
    if (rectText.left < rectText.right) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        pDC->DrawText(text, -1, &rectText, nTextFormat);
    }
    if (m_nSortOrder != 0 && bSortColumn) {
        CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        CPen dark(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        const int R = rectItem.right, B = rectItem.bottom;
        if (m_nSortOrder == 1) {
            pDC->SelectObject(&light);
            pDC->MoveTo(R - 4 * s, 2 * s - 1);
            pDC->LineTo(R - 3 * s, B - 2 * s);
            pDC->LineTo(R - 5 * s - 2, B - 2 * s);
            pDC->SelectObject(&dark);
            pDC->MoveTo(R - 5 * s - 1, B - 2 * s - 1);
            pDC->LineTo(R - 4 * s, 2 * s - 2);
        } else {
            pDC->SelectObject(&light);
            pDC->MoveTo(R - 3 * s, 2 * s - 1);
            pDC->LineTo(R - 4 * s - 1, B - 2 * s + 1);
            pDC->SelectObject(&dark);
            pDC->MoveTo(R - 4 * s - 1, B - 2 * s);
            pDC->LineTo(R - 5 * s - 1, 2 * s - 1);
            pDC->LineTo(R - 3 * s, 2 * s - 1);
        }
    }
    pDC->RestoreDC(nSaved);
}
