#include "OXItemTip.h"

#include <string.h>

IMPLEMENT_DYNAMIC(COXBaseItemTip, COXHookWnd)

namespace
{
const int kTextLimit = 300;

void CopyText(OXITEMTIPINFO* pInfo, LPCTSTR lpsz)
{
    const int nLimit = pInfo->nTextLimit > 0 && pInfo->nTextLimit <= kTextLimit ? pInfo->nTextLimit : kTextLimit;
    lstrcpynA(pInfo->szText, lpsz ? lpsz : "", nLimit);
}

bool HasTopmostAncestor(HWND hWnd)
{
    for (HWND h = hWnd; h != NULL; h = ::GetParent(h))
        if (::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST)
            return true;
    return false;
}

CRect WorkArea(HWND hControl)
{
    CRect rect;
    if (HasTopmostAncestor(::GetParent(hControl)) || (::GetWindowLongA(hControl, GWL_EXSTYLE) & WS_EX_TOPMOST))
        ::GetWindowRect(::GetDesktopWindow(), &rect);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0);
    return rect;
}

// Mouse messages and their non-client twins, in the same order.
UINT NonClientTwin(UINT message) { return message - WM_MOUSEMOVE + WM_NCMOUSEMOVE; }
} // namespace

// ---------------------------------------------------------------------------
// COXItemTipWnd
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(COXItemTipWnd, CWnd)
    ON_WM_DESTROY()
    ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL COXItemTipWnd::Create(CWnd* pParentWnd, HBRUSH hbrBackground)
{
    m_pParentWnd = pParentWnd;
    WNDCLASSA wc = {};
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (!::GetClassInfoA(hInst, "ItemTipWnd", &wc)) {
        wc.style = CS_SAVEBITS | CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = hbrBackground ? hbrBackground : (HBRUSH)(COLOR_INFOBK + 1);
        wc.lpszClassName = "ItemTipWnd";
        if (!AfxRegisterClass(&wc))
            return FALSE;
    }
    return CreateEx(WS_EX_TOOLWINDOW, "ItemTipWnd", "", WS_POPUP | WS_BORDER, CRect(0, 0, 0, 0), NULL, 0);
}

BOOL COXItemTipWnd::CanShow() const
{
    HWND hActive = ::GetActiveWindow();
    HWND hControl = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : NULL;
    if (hControl == NULL)
        return FALSE;
    if (::GetWindowLongA(hControl, GWL_EXSTYLE) & WS_EX_TOPMOST)
        return TRUE;
    if (hActive == NULL)
        return FALSE;
    // Up from the control, as its framework window or the system would
    // own it, until the active window is met.
    for (HWND h = hControl; h != NULL;) {
        if (h == hActive)
            return TRUE;
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd != NULL) {
            HWND hOwner = pWnd->GetOwner() ? pWnd->GetOwner()->GetSafeHwnd() : NULL;
            h = hOwner != NULL ? hOwner : ::GetParent(h);
        } else {
            h = (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD) ? ::GetParent(h) : ::GetWindow(h, GW_OWNER);
        }
    }
    return FALSE;
}

void COXItemTipWnd::Display(LPRECT lpRect, CString sText, int nMargin, int nAlignment, CFont* pFont,
                            COLORREF clrText, COLORREF clrBack)
{
    if (!CanShow() || GetSafeHwnd() == NULL)
        return;
    CClientDC dc(this);
    CFont* pOldFont = pFont ? dc.SelectObject(pFont) : NULL;
    COLORREF clrOldText = clrText != (COLORREF)-1 ? dc.SetTextColor(clrText) : 0;
    int nOldMode = dc.SetBkMode(TRANSPARENT);
    CRect rectText(0, 0, 0, 0);
    dc.DrawText(sText, rectText, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    CRect rect(lpRect);
    rect.right = rect.left + rectText.Width() + 2 * nMargin;
    if (rect.Height() < rectText.Height())
        rect.bottom = rect.top + rectText.Height();
    m_pParentWnd->ClientToScreen(&rect);
    const bool bTopmost = HasTopmostAncestor(m_pParentWnd->GetSafeHwnd());
    CRect area;
    if (bTopmost)
        ::GetWindowRect(::GetDesktopWindow(), &area);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    if (rect.right > area.right)
        rect.OffsetRect(area.right - rect.right, 0);
    if (rect.left < area.left)
        rect.OffsetRect(area.left - rect.left, 0);
    if (bTopmost)
        SetWindowPos(&wndTopMost, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
    else
        SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    CRect client;
    GetClientRect(&client);
    if (clrBack == (COLORREF)-1)
        SendMessage(WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc());
    else
        dc.FillSolidRect(client, clrBack);
    client.DeflateRect(nMargin, 0);
    dc.DrawText(sText, client, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | (UINT)nAlignment);
    if (pOldFont)
        dc.SelectObject(pOldFont);
    if (clrText != (COLORREF)-1)
        dc.SetTextColor(clrOldText);
    dc.SetBkMode(nOldMode);
    m_nTimerID = SetTimer(kTimerID, 100, NULL);
}

void COXItemTipWnd::Hide(MSG* pMsg, CWnd* pTarget)
{
    if (GetSafeHwnd() != NULL) {
        if (m_nTimerID != 0)
            KillTimer(m_nTimerID);
        m_nTimerID = 0;
        ShowWindow(SW_HIDE);
    }
    if (pMsg == NULL)
        return;
    CWnd* pTo = pTarget ? pTarget : m_pParentWnd;
    if (pTo != NULL && ::IsWindow(pTo->GetSafeHwnd()))
        ::PostMessageA(pTo->GetSafeHwnd(), pMsg->message, pMsg->wParam, pMsg->lParam);
}

void COXItemTipWnd::OnDestroy()
{
    if (m_nTimerID != 0)
        KillTimer(m_nTimerID);
    m_nTimerID = 0;
    CWnd::OnDestroy();
}

void COXItemTipWnd::OnTimer(UINT_PTR nIDEvent)
{
    // The timer reaches here when no loop pre-translates it.
    MSG msg = {GetSafeHwnd(), WM_TIMER, nIDEvent, 0};
    if (!PreTranslateMessage(&msg))
        CWnd::OnTimer(nIDEvent);
}

BOOL COXItemTipWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd != GetSafeHwnd() || m_pParentWnd == NULL)
        return CWnd::PreTranslateMessage(pMsg);
    HWND hTop = m_pParentWnd->GetSafeHwnd();
    while (hTop != NULL && (::GetWindowLongA(hTop, GWL_STYLE) & WS_CHILD))
        hTop = ::GetParent(hTop);
    const UINT message = pMsg->message;
    if (message == WM_MOUSEMOVE || (message == WM_TIMER && pMsg->wParam == m_nTimerID)) {
        POINT pt;
        ::GetCursorPos(&pt);
        if (::WindowFromPoint(pt) == GetSafeHwnd())
            return message == WM_TIMER ? TRUE : CWnd::PreTranslateMessage(pMsg);
        if (message == WM_TIMER) {
            Hide(NULL, NULL);
            return TRUE;
        }
    }
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        Hide(pMsg, CWnd::FromHandle(hTop));
        return TRUE;
    }
    if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) {
        // The tip is not there for the mouse: the message goes on to what
        // lies beneath, as that window would have had it.
        POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
        ::ClientToScreen(GetSafeHwnd(), &pt);
        ShowWindow(SW_HIDE);
        HWND hTarget = ::WindowFromPoint(pt);
        if (hTarget == NULL || hTarget == GetSafeHwnd())
            hTarget = m_pParentWnd->GetSafeHwnd();
        MSG out = *pMsg;
        LRESULT nHit = ::SendMessageA(hTarget, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (nHit == HTCLIENT) {
            POINT client = pt;
            ::ScreenToClient(hTarget, &client);
            out.lParam = MAKELPARAM(client.x, client.y);
        } else {
            out.message = NonClientTwin(message);
            out.wParam = (WPARAM)nHit;
            out.lParam = MAKELPARAM(pt.x, pt.y);
        }
        Hide(&out, CWnd::FromHandle(hTarget));
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// COXBaseItemTip
// ---------------------------------------------------------------------------
COXBaseItemTip::COXBaseItemTip()
    : m_pControl(NULL), m_pfnCallback(NULL), m_pFont(NULL), m_clrText((COLORREF)-1), m_clrBack((COLORREF)-1),
      m_nMargin(6)
{
}

COXBaseItemTip::~COXBaseItemTip()
{
    if (m_wndTip.GetSafeHwnd() != NULL)
        m_wndTip.DestroyWindow();
}

void COXBaseItemTip::ResetAppearance()
{
    m_pFont = NULL;
    m_clrText = m_clrBack = (COLORREF)-1;
    m_nMargin = 6;
}

BOOL COXBaseItemTip::Attach(CWnd* pControl, OXITEMTIPCALLBACK pfnCallback)
{
    HookWindow(pControl);
    m_pControl = pControl;
    m_pfnCallback = pfnCallback;
    if (m_wndTip.GetSafeHwnd() == NULL)
        m_wndTip.Create(pControl, NULL);
    return TRUE;
}

BOOL COXBaseItemTip::AttachWithHover(CWnd* pControl, OXITEMTIPCALLBACK pfnCallback)
{
    Attach(pControl, pfnCallback);
    if (StartHoverTimer())
        return TRUE;
    Detach();
    return FALSE;
}

BOOL COXBaseItemTip::Detach()
{
    UnhookWindow();
    m_pControl = NULL;
    m_pfnCallback = NULL;
    return FALSE;
}

LRESULT COXBaseItemTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool bTipShown = m_wndTip.GetSafeHwnd() != NULL && m_wndTip.IsWindowVisible();
    switch (message) {
    case WM_SHOWWINDOW:
        if (!wParam && bTipShown)
            m_wndTip.Hide(NULL, NULL);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (bTipShown)
            m_wndTip.Hide(NULL, NULL);
        break;
    case WM_WINDOWPOSCHANGED:
        if (bTipShown) {
            m_wndTip.Hide(NULL, NULL);
            ShowItemTip();
        }
        break;
    case WM_MOUSEMOVE:
        if (wParam == 0)
            ShowItemTip();
        break;
    default:
        break;
    }
    return COXHookWnd::WindowProc(message, wParam, lParam);
}

void COXBaseItemTip::GetItemInfo(OXITEMTIPINFO* pInfo)
{
    pInfo->result = OXITEMTIP_UNSUPPORTED;
}

OXITEMTIPINFO COXBaseItemTip::Query(CPoint point)
{
    OXITEMTIPINFO info = {};
    info.point = point;
    info.row = info.col = -1;
    info.nTextLimit = kTextLimit;
    info.nMargin = m_nMargin;
    info.clrText = m_clrText;
    info.clrBack = m_clrBack;
    info.pFont = m_pFont ? m_pFont : (GetControl() ? GetControl()->GetFont() : NULL);
    info.nAlignment = 0;
    info.result = OXITEMTIP_SHOW;
    if (GetControl() == NULL)
        return info;
    GetItemInfo(&info);
    if (m_pfnCallback != NULL)
        m_pfnCallback(this, &info);
    else
        GetControl()->SendMessage(WM_OX_GETITEMTIPINFO, 0, (LPARAM)&info);
    // The parent has the last word, on a copy it may change.
    HWND hParent = ::GetParent(GetControl()->GetSafeHwnd());
    if (hParent != NULL) {
        NMOXITEMTIP nm = {};
        nm.hdr.hwndFrom = GetControl()->GetSafeHwnd();
        nm.hdr.idFrom = (UINT_PTR)GetControl()->GetDlgCtrlID();
        nm.hdr.code = OXITN_GETITEMTIPINFO;
        nm.info = info;
        ::SendMessageA(hParent, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
        info = nm.info;
        info.szText[sizeof info.szText - 1] = '\0';
    }
    return info;
}

void COXBaseItemTip::ShowItemTip()
{
    if (GetControl() == NULL)
        return;
    DWORD dwPos = ::GetMessagePos();
    CPoint point((short)LOWORD(dwPos), (short)HIWORD(dwPos));
    GetControl()->ScreenToClient(&point);
    if (m_wndTip.GetSafeHwnd() != NULL && m_wndTip.IsWindowVisible() && GetControl()->IsWindowVisible())
        return;
    OXITEMTIPINFO info = Query(point);
    if (info.result == OXITEMTIP_SHOW)
        m_wndTip.Display(&info.rectItem, info.szText, info.nMargin, info.nAlignment, info.pFont, info.clrText,
                         info.clrBack);
}

CRect COXBaseItemTip::ScreenArea() const
{
    return WorkArea(GetControl()->GetSafeHwnd());
}

BOOL COXBaseItemTip::MeasureText(CWnd* pControl, CFont* pFont, LPCTSTR lpszText, CSize& size)
{
    CClientDC dc(pControl);
    CFont* pOld = pFont ? dc.SelectObject(pFont) : NULL;
    CRect rect(0, 0, 0, 0);
    dc.DrawText(lpszText, rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    if (pOld)
        dc.SelectObject(pOld);
    size = rect.Size();
    return TRUE;
}

// ---------------------------------------------------------------------------
// The variants
// ---------------------------------------------------------------------------
void COXItemTip::GetItemInfo(OXITEMTIPINFO* pInfo)
{
    CListCtrl* pList = (CListCtrl*)GetControl();
    HWND hList = pList->GetSafeHwnd();
    if ((::GetWindowLongA(hList, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT) {
        pInfo->result = OXITEMTIP_UNSUPPORTED;
        return;
    }
    const int nCount = (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0);
    if (nCount <= 0) {
        pInfo->result = OXITEMTIP_NOITEM;
        return;
    }
    const int nTop = (int)::SendMessageA(hList, LVM_GETTOPINDEX, 0, 0);
    int nLast = nTop + (int)::SendMessageA(hList, LVM_GETCOUNTPERPAGE, 0, 0);
    if (nLast > nCount - 1)
        nLast = nCount - 1;
    const CPoint pt(pInfo->point);
    int nRow = -1;
    CRect rowRect;
    for (int i = nTop; i <= nLast; i++) {
        CRect r;
        if (pList->GetItemRect(i, r, LVIR_BOUNDS) && r.PtInRect(pt)) {
            nRow = i;
            rowRect = r;
            break;
        }
    }
    if (nRow < 0) {
        pInfo->result = OXITEMTIP_NOITEM;
        return;
    }
    // The columns in the order shown.
    HWND hHeader = (HWND)::SendMessageA(hList, LVM_GETHEADER, 0, 0);
    const int nColumns = hHeader ? (int)::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0) : 1;
    int nCol = -1;
    CRect cell;
    int x = rowRect.left;
    for (int order = 0; order < nColumns && nCol < 0; order++) {
        int nWhich = -1;
        for (int c = 0; c < nColumns; c++) {
            HDITEMA hdi = {};
            hdi.mask = HDI_ORDER;
            if (::SendMessageA(hHeader, HDM_GETITEMA, c, (LPARAM)&hdi) && hdi.iOrder == order) {
                nWhich = c;
                break;
            }
        }
        const int nWidth = nWhich >= 0 ? pList->GetColumnWidth(nWhich) : -1;
        if (nWhich < 0 || nWidth < 0) {
            pInfo->result = OXITEMTIP_NOITEM;
            return;
        }
        if (pt.x >= x && pt.x < x + nWidth) {
            nCol = nWhich;
            cell.SetRect(x, rowRect.top, x + nWidth, rowRect.bottom);
        }
        x += nWidth;
    }
    if (nCol < 0) {
        pInfo->result = OXITEMTIP_NOITEM;
        return;
    }
    int nMargin = pInfo->nMargin;
    if (nCol == 0) {
        pList->GetItemRect(nRow, cell, LVIR_LABEL);
        cell.InflateRect(1, 0);
        if (!cell.PtInRect(pt)) {
            pInfo->result = OXITEMTIP_NOTONTEXT;
            return;
        }
        nMargin /= 2;
    }
    const CRect outer = cell;
    CRect inner = cell;
    inner.DeflateRect(nMargin, 0);
    CString text = pList->GetItemText(nRow, nCol);
    if (text.IsEmpty()) {
        pInfo->result = OXITEMTIP_NOTHING;
        return;
    }
    CopyText(pInfo, text);
    CSize size;
    MeasureText(pList, pInfo->pFont, pInfo->szText, size);
    LVCOLUMNA lvc = {};
    lvc.mask = LVCF_FMT;
    pList->GetColumn(nCol, &lvc);
    CRect textRect(inner.left, inner.top, inner.left + size.cx, inner.bottom);
    pInfo->nAlignment = 0;
    switch (lvc.fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        textRect.SetRect(inner.right - size.cx, inner.top, inner.right, inner.bottom);
        pInfo->nAlignment = DT_RIGHT;
        break;
    case LVCFMT_CENTER:
        textRect.SetRect(inner.CenterPoint().x - size.cx / 2, inner.top, inner.CenterPoint().x + size.cx / 2,
                         inner.bottom);
        pInfo->nAlignment = DT_CENTER;
        break;
    default:
        break;
    }
    const CRect area = ScreenArea();
    if (size.cx <= inner.Width()) {
        CRect client;
        pList->GetClientRect(&client);
        CRect screenCell = outer;
        pList->ClientToScreen(&screenCell);
        const bool bInClient = textRect.left >= client.left && textRect.right <= client.right;
        const bool bOnScreen = screenCell.left >= area.left && screenCell.right <= area.right;
        if (bInClient && bOnScreen) {
            pInfo->result = OXITEMTIP_NOTHING;
            return;
        }
    }
    pInfo->rectItem = CRect(outer.left, outer.top, outer.left + size.cx, outer.bottom);
    pInfo->row = nRow;
    pInfo->col = nCol;
    pInfo->nMargin = nMargin;
    if (pInfo->clrText == (COLORREF)-1 || pInfo->clrBack == (COLORREF)-1) {
        if (pList->GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED) {
            if (pInfo->clrText == (COLORREF)-1)
                pInfo->clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            if (pInfo->clrBack == (COLORREF)-1)
                pInfo->clrBack = ::GetSysColor(COLOR_HIGHLIGHT);
        } else if (pInfo->clrText == (COLORREF)-1) {
            pInfo->clrText = pList->GetTextColor();
        }
    }
    pInfo->result = OXITEMTIP_SHOW;
}

void COXEditTip::GetItemInfo(OXITEMTIPINFO* pInfo)
{
    CWnd* pEdit = GetControl();
    if (m_bMouseOver) {
        pInfo->result = OXITEMTIP_ALREADYINSIDE;
        return;
    }
    const DWORD style = pEdit->GetStyle();
    if (style & ES_MULTILINE) {
        pInfo->result = OXITEMTIP_UNSUPPORTED;
        return;
    }
    CString text;
    pEdit->GetWindowText(text);
    if (text.IsEmpty()) {
        pInfo->result = OXITEMTIP_NOTHING;
        return;
    }
    if (text.GetLength() > kTextLimit) {
        pInfo->result = OXITEMTIP_UNSUPPORTED;
        return;
    }
    CopyText(pInfo, text);
    CRect format;
    pEdit->SendMessage(EM_GETRECT, 0, (LPARAM)&format);
    CSize size;
    MeasureText(pEdit, pInfo->pFont, pInfo->szText, size);
    if (format.Width() >= size.cx && format.Height() >= size.cy) {
        pInfo->result = OXITEMTIP_NOTHING;
        return;
    }
    CRect window;
    pEdit->GetWindowRect(&window);
    pEdit->ScreenToClient(&window);
    pInfo->nMargin = format.left - window.left;
    pInfo->rectItem = CRect(window.left, window.top, window.left + size.cx, window.bottom);
    pInfo->nAlignment = (style & ES_CENTER) ? DT_CENTER : (style & ES_RIGHT) ? DT_RIGHT : 0;
    if (pInfo->clrText == (COLORREF)-1)
        pInfo->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    pInfo->result = OXITEMTIP_SHOW;
}

void COXListBoxTip::GetItemInfo(OXITEMTIPINFO* pInfo)
{
    CListBox* pList = (CListBox*)GetControl();
    HWND hList = pList->GetSafeHwnd();
    DWORD dwHit = (DWORD)::SendMessageA(hList, LB_ITEMFROMPOINT, 0, MAKELPARAM(pInfo->point.x, pInfo->point.y));
    const int nItem = (int)LOWORD(dwHit);
    if (HIWORD(dwHit) != 0 || nItem >= pList->GetCount()) {
        pInfo->result = OXITEMTIP_NOITEM;
        return;
    }
    CString text;
    if (pList->GetTextLen(nItem) > 0)
        pList->GetText(nItem, text);
    if (text.IsEmpty()) {
        pInfo->result = OXITEMTIP_NOTHING;
        return;
    }
    CRect item;
    pList->GetItemRect(nItem, &item);
    if (!item.PtInRect(pInfo->point)) {
        pInfo->result = OXITEMTIP_NOTONTEXT;
        return;
    }
    CopyText(pInfo, text);
    const int nMargin = 2;
    CSize size;
    MeasureText(pList, pInfo->pFont, pInfo->szText, size);
    if (item.Width() >= size.cx + 2 * nMargin && item.Height() >= size.cy) {
        pInfo->result = OXITEMTIP_NOTHING;
        return;
    }
    pInfo->nMargin = nMargin;
    pInfo->rectItem = CRect(item.left, item.top, item.left + size.cx + 2 * nMargin,
                            item.top + (item.Height() > size.cy ? item.Height() : size.cy));
    pInfo->nAlignment = 0;
    pInfo->row = nItem;
    if (pList->GetSel(nItem) > 0) {
        if (pInfo->clrText == (COLORREF)-1)
            pInfo->clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        if (pInfo->clrBack == (COLORREF)-1)
            pInfo->clrBack = ::GetSysColor(COLOR_HIGHLIGHT);
    } else if (pInfo->clrText == (COLORREF)-1) {
        pInfo->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    }
    pInfo->result = OXITEMTIP_SHOW;
}

void COXComboBoxTip::GetItemInfo(OXITEMTIPINFO* pInfo)
{
    CWnd* pCombo = GetControl();
    if ((pCombo->GetStyle() & 0x3) != CBS_DROPDOWNLIST) {
        pInfo->result = OXITEMTIP_UNSUPPORTED;
        return;
    }
    CRect area;
    pCombo->GetClientRect(&area);
    area.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (!area.PtInRect(pInfo->point)) {
        pInfo->result = OXITEMTIP_NOTONTEXT;
        return;
    }
    CString text;
    pCombo->GetWindowText(text);
    if (text.IsEmpty()) {
        pInfo->result = OXITEMTIP_NOTHING;
        return;
    }
    CopyText(pInfo, text);
    const int nMargin = 4;
    CSize size;
    MeasureText(pCombo, pInfo->pFont, pInfo->szText, size);
    if (area.Width() >= size.cx + 2 * nMargin && area.Height() >= size.cy) {
        pInfo->result = OXITEMTIP_NOTHING;
        return;
    }
    pInfo->nMargin = nMargin;
    pInfo->rectItem = CRect(area.left, area.top, area.left + size.cx + 2 * nMargin,
                            area.top + (area.Height() > size.cy ? area.Height() : size.cy));
    pInfo->nAlignment = 0;
    if (pInfo->clrText == (COLORREF)-1)
        pInfo->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    pInfo->result = OXITEMTIP_SHOW;
}
