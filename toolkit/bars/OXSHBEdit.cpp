#include "OXSHBEdit.h"

#include <windowsx.h>

#include <algorithm>

using std::max;
using std::min;

IMPLEMENT_DYNAMIC(COXSHBEdit, CEdit)

BEGIN_MESSAGE_MAP(COXSHBEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_SETFOCUS()
    ON_CONTROL_REFLECT(EN_UPDATE, OnUpdate)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

COXSHBEdit::COXSHBEdit() : m_pDisplay(NULL), m_bEditing(FALSE)
{
    m_brushBack.CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
}

COXSHBEdit::~COXSHBEdit()
{
    delete m_pDisplay;
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL COXSHBEdit::VerifyDisplayInfo(const SHB_EDITDISPLAY* pDisplay, int nTextLength, const CRect& rectClient)
{
    if (pDisplay == NULL)
        return TRUE;
    UINT nMask = pDisplay->nMask;
    if (nMask > 0x3FF || ((nMask & SHBEIF_ENLARGE) && !(nMask & SHBEIF_RECTMAX)))
        return FALSE;
    if (nMask & SHBEIF_SELRANGE) {
        BOOL bAll = pDisplay->nSelStart == 0 && pDisplay->nSelEnd == -1;
        if (!bAll && pDisplay->nSelStart != -1) {
            int nLength = (nMask & SHBEIF_TEXT) ? (pDisplay->lpText != NULL ? (int)strlen(pDisplay->lpText) : 0)
                                                : nTextLength;
            if (pDisplay->nSelStart >= nLength || pDisplay->nSelEnd >= nLength)
                return FALSE;
        }
    }
    CRect rectDisplay(pDisplay->rectDisplay);
    if ((nMask & SHBEIF_RECTDISPLAY) ? rectDisplay.IsRectEmpty() : rectClient.IsRectEmpty())
        return FALSE;
    CRect rectMax(pDisplay->rectMax), rectMin(pDisplay->rectMin), rectCommon;
    if (nMask & SHBEIF_RECTMAX) {
        rectCommon.IntersectRect(&rectDisplay, &rectMax);
        if (rectCommon != rectDisplay)
            return FALSE;
    }
    if ((nMask & SHBEIF_RECTMIN) && (nMask & SHBEIF_RECTMAX)) {
        rectCommon.IntersectRect(&rectMin, &rectMax);
        if (rectCommon != rectMin)
            return FALSE;
    }
    if ((nMask & SHBEIF_RECTMIN) && rectMin.IsRectEmpty())
        return FALSE;
    return TRUE;
}

CRect COXSHBEdit::PlaceGrown(const CRect& rectBase, const CRect& rectMax, CSize size, DWORD dwStyle)
{
    size.cx = max<LONG>(size.cx, rectBase.Width());
    size.cy = max<LONG>(size.cy, rectBase.Height());
    size.cx = min<LONG>(size.cx, rectMax.Width());
    size.cy = min<LONG>(size.cy, rectMax.Height());
    CRect rect;
    rect.top = rectBase.top;
    if (dwStyle & ES_RIGHT)
        rect.left = rectBase.right - size.cx;
    else if (dwStyle & ES_CENTER)
        rect.left = rectBase.left + (rectBase.Width() - size.cx) / 2;
    else
        rect.left = rectBase.left;
    // Kept inside the maximum rectangle.
    rect.left = max<LONG>(rect.left, rectMax.left);
    rect.left = min<LONG>(rect.left, rectMax.right - size.cx);
    rect.top = max<LONG>(rect.top, rectMax.top);
    rect.top = min<LONG>(rect.top, rectMax.bottom - size.cy);
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    return rect;
}

BOOL COXSHBEdit::StartEdit(const SHB_EDITDISPLAY* pDisplay)
{
    CString sText;
    CRect rectClient(0, 0, 0, 0), rectWindow(0, 0, 0, 0);
    DWORD dwStyle = WS_BORDER;
    UINT nID = 0xFFFF;
    CWnd* pParent = GetParent();
    if (::IsWindow(m_hWnd)) {
        GetWindowText(sText);
        GetClientRect(&rectClient);
        GetWindowRect(&rectWindow);
        if (pParent != NULL)
            pParent->ScreenToClient(&rectWindow);
        dwStyle = GetStyle();
        nID = GetDlgCtrlID();
    }
    if (!VerifyDisplayInfo(pDisplay, sText.GetLength(), rectClient) || pParent == NULL)
        return FALSE;

    if (pDisplay != NULL) {
        if (m_pDisplay == NULL)
            m_pDisplay = new SHB_EDITDISPLAY;
        *m_pDisplay = *pDisplay;
        if (pDisplay->nMask & SHBEIF_TEXT)
            sText = pDisplay->lpText != NULL ? pDisplay->lpText : "";
        if (pDisplay->nMask & SHBEIF_RECTDISPLAY)
            rectWindow = pDisplay->rectDisplay;
        if (pDisplay->nMask & SHBEIF_STYLE)
            dwStyle = pDisplay->dwStyle;
        if (pDisplay->nMask & SHBEIF_FONT) {
            m_font.DeleteObject();
            LOGFONT lf;
            if (pDisplay->pFont != NULL && pDisplay->pFont->GetSafeHandle() != NULL &&
                pDisplay->pFont->GetLogFont(&lf))
                m_font.CreateFontIndirect(&lf);
        }
        if (pDisplay->nMask & SHBEIF_RECTMIN)
            rectWindow.UnionRect(&rectWindow, &pDisplay->rectMin);
        // The record's text is the caller's; nothing of it is kept.
        m_pDisplay->lpText = NULL;
        m_pDisplay->pFont = NULL;
    } else {
        delete m_pDisplay;
        m_pDisplay = NULL;
    }

    if (::IsWindow(m_hWnd))
        DestroyWindow();
    if (!CEdit::Create((dwStyle | WS_CHILD) & ~WS_VISIBLE, rectWindow, pParent, nID))
        return FALSE;
    if (m_font.GetSafeHandle() != NULL)
        SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle(), TRUE);
    SetWindowText(sText);
    if (m_pDisplay != NULL) {
        if (m_pDisplay->nMask & SHBEIF_CLRBACK) {
            m_brushBack.DeleteObject();
            m_brushBack.CreateSolidBrush(m_pDisplay->clrBack);
        }
        if (m_pDisplay->nMask & SHBEIF_SELRANGE)
            SendMessage(EM_SETSEL, (WPARAM)m_pDisplay->nSelStart, (LPARAM)m_pDisplay->nSelEnd);
    }
    CRect rect;
    GetClientRect(&rect);
    SendMessage(EM_SETRECT, 0, (LPARAM)&rect);
    m_bEditing = TRUE;
    ShowWindow(SW_SHOW);
    SetFocus();
    return TRUE;
}

void COXSHBEdit::FinishEdit(BOOL bOK)
{
    m_bEditing = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    NMSHBEDIT nm = {};
    nm.hdr.code = SHBN_ENDEDIT;
    nm.bOK = bOK;
    SendNotify(&nm.hdr);
    if (::IsWindow(m_hWnd))
        ShowWindow(SW_HIDE);
}

LRESULT COXSHBEdit::SendNotify(LPNMHDR pHdr)
{
    pHdr->hwndFrom = m_hWnd;
    pHdr->idFrom = (UINT_PTR)GetDlgCtrlID();
    HWND hParent = ::GetParent(m_hWnd);
    return hParent != NULL ? ::SendMessage(hParent, WM_NOTIFY, pHdr->idFrom, (LPARAM)pHdr) : 0;
}

LRESULT COXSHBEdit::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.PtInRect(point)) {
        ::SetCursor(::LoadCursor(NULL, IDC_IBEAM));
        return CEdit::WindowProc(message, wParam, lParam);
    }
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    HWND hTarget = ::WindowFromPoint(ptScreen);
    BOOL bButton = message != WM_MOUSEMOVE;
    if (bButton)
        FinishEdit(TRUE);   // a click elsewhere keeps the text
    if (hTarget == NULL || hTarget == m_hWnd)
        return bButton ? 1 : CEdit::WindowProc(message, wParam, lParam);
    LRESULT nHit = ::SendMessage(hTarget, WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    UINT nMessage = message;
    LPARAM lPoint;
    if (nHit == HTCLIENT) {
        CPoint ptClient(ptScreen);
        ::ScreenToClient(hTarget, &ptClient);
        lPoint = MAKELPARAM(ptClient.x, ptClient.y);
    } else {
        nMessage = message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        lPoint = MAKELPARAM(ptScreen.x, ptScreen.y);
    }
    // A client click keeps the keys the original carried.
    ::SendMessage(hTarget, nMessage, nHit == HTCLIENT ? wParam : (WPARAM)nHit, lPoint);
    ::SendMessage(hTarget, WM_SETCURSOR, (WPARAM)hTarget, MAKELPARAM(nHit, nMessage));
    if (bButton)
        return 1;
    return CEdit::WindowProc(nMessage, wParam, lParam);
}

LRESULT COXSHBEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult;
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            FinishEdit(wParam == VK_RETURN);
            return 1;
        }
        lResult = CEdit::WindowProc(message, wParam, lParam);
        break;
    case WM_CHAR:
        // The Enter and Escape that ended the edit make no beep.
        if (wParam == VK_RETURN || wParam == VK_ESCAPE)
            return 0;
        lResult = CEdit::WindowProc(message, wParam, lParam);
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        lResult = HandleMouse(message, wParam, lParam);
        if (message != WM_MOUSEMOVE && lResult == 1 && !m_bEditing)
            return 1;
        break;
    default:
        lResult = CEdit::WindowProc(message, wParam, lParam);
        break;
    }
    if (m_bEditing && ::IsWindow(m_hWnd) && ::GetCapture() != m_hWnd && message != WM_KILLFOCUS &&
        ::GetFocus() == m_hWnd)
        SetCapture();
    return lResult;
}

void COXSHBEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    if (m_bEditing)
        SetCapture();
}

void COXSHBEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    // Also when the capture went first (another program activated): an
    // edit left open without the focus could never be ended.
    if (m_bEditing)
        FinishEdit(TRUE);
}

void COXSHBEdit::OnUpdate()
{
    if (m_pDisplay == NULL || (m_pDisplay->nMask & (SHBEIF_ENLARGE | SHBEIF_RECTMAX)) !=
                                  (SHBEIF_ENLARGE | SHBEIF_RECTMAX) || !m_pDisplay->bEnlargeAsTyping)
        return;
    CRect rectBase((m_pDisplay->nMask & SHBEIF_RECTMIN) ? m_pDisplay->rectMin : m_pDisplay->rectDisplay);
    CRect rectMax(m_pDisplay->rectMax);
    CString sText;
    GetWindowText(sText);
    CRect rectNew(rectBase);
    if (!sText.IsEmpty()) {
        CRect rectWindow, rectFormat;
        GetWindowRect(&rectWindow);
        ScreenToClient(&rectWindow);
        SendMessage(EM_GETRECT, 0, (LPARAM)&rectFormat);
        int cxMargin = rectWindow.Width() - rectFormat.Width();
        int cyMargin = rectWindow.Height() - rectFormat.Height();
        CClientDC dc(this);
        CFont* pOld = m_font.GetSafeHandle() != NULL ? dc.SelectObject(&m_font) : NULL;
        CRect rectText(0, 0, max(0, rectMax.Width() - cxMargin), max(0, rectMax.Height() - cyMargin));
        UINT nFormat = (GetStyle() & ES_MULTILINE) ? 0x2415 : 0x405;
        dc.DrawText(sText, &rectText, nFormat);
        if (pOld != NULL)
            dc.SelectObject(pOld);
        rectNew = PlaceGrown(rectBase, rectMax,
                             CSize(rectText.Width() + cxMargin, rectText.Height() + cyMargin), GetStyle());
    }
    MoveWindow(&rectNew);
    CRect rectClient;
    GetClientRect(&rectClient);
    SendMessage(EM_SETRECTNP, 0, (LPARAM)&rectClient);
}

HBRUSH COXSHBEdit::CtlColor(CDC* pDC, UINT)
{
    pDC->SetBkColor(m_pDisplay != NULL && (m_pDisplay->nMask & SHBEIF_CLRBACK) ? m_pDisplay->clrBack
                                                                              : ::GetSysColor(COLOR_WINDOW));
    if (m_pDisplay != NULL && (m_pDisplay->nMask & SHBEIF_CLRTEXT))
        pDC->SetTextColor(m_pDisplay->clrText);
    return (HBRUSH)m_brushBack.GetSafeHandle();
}
