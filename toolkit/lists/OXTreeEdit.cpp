#include "OXTreeEdit.h"

// ---------------------------------------------------------------------------
// COXTreeEdit
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(COXTreeEdit, CEdit)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_PAINT()
END_MESSAGE_MAP()

COXTreeEdit::COXTreeEdit()
    : m_nExtraHeight(6), m_nExtraWidth(14), m_bAutoSize(true), m_nLimit(0), m_bClipRight(false),
      m_bFixedRight(false), m_nAlign(0), m_ptAnchor(0, 0), m_bAnchored(false)
{
}

void COXTreeEdit::ResetPlacement()
{
    m_bAnchored = false;
    m_bClipRight = false;
    m_bFixedRight = false;
    m_nAlign = 0;
}

void COXTreeEdit::SetAnchor(int x, int y, int nAlign)
{
    m_ptAnchor = CPoint(x, y);
    m_nAlign = nAlign;
    m_bAnchored = true;
    if (m_hWnd != NULL) {
        const DWORD dwAlign = nAlign == 1 ? ES_CENTER : nAlign == 2 ? ES_RIGHT : ES_LEFT;
        ::SetWindowLongA(m_hWnd, GWL_STYLE, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | dwAlign);
    }
}

void COXTreeEdit::SetClipRight(int nLimit)
{
    m_bClipRight = true;
    m_bFixedRight = false;
    m_nLimit = nLimit;
}

void COXTreeEdit::SetFixedRight(int nLimit)
{
    m_bFixedRight = true;
    m_bClipRight = false;
    m_nLimit = nLimit;
}

void COXTreeEdit::Place(int& x, int& y, int& cx, int& cy, CSize sizeText) const
{
    if (m_bAutoSize) {
        cx = sizeText.cx + m_nExtraWidth;
        cy = sizeText.cy + m_nExtraHeight;
    } else {
        y -= 1;
    }
    if (m_bAnchored) {
        switch (m_nAlign) {
        case 0:
            x = m_bAutoSize ? m_ptAnchor.x : m_ptAnchor.x - 2;
            break;
        case 1:
            x = m_ptAnchor.x - cx / 2;
            break;
        case 2:
            x = m_ptAnchor.x - cx;
            break;
        default:
            break;
        }
        if (m_bAutoSize && m_nAlign >= 0 && m_nAlign <= 2)
            y = m_ptAnchor.y;
    }
    if (m_bFixedRight) {
        cx = m_bAutoSize ? m_nLimit - x : m_nLimit;
    } else if (m_bClipRight) {
        if (m_bAutoSize) {
            if (x + cx > m_nLimit)
                cx = m_nLimit - x;
        } else if (cx < m_nLimit) {
            cx = m_nLimit;
        }
    }
}

void COXTreeEdit::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    Default();
    if (lpwndpos->flags & SWP_NOSIZE && lpwndpos->flags & SWP_NOMOVE && !m_bAnchored)
        return;
    CString text;
    GetWindowText(text);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont());
    CSize size;
    ::GetTextExtentPoint32A(dc.m_hDC, text.IsEmpty() ? "W" : (LPCSTR)text, text.IsEmpty() ? 1 : text.GetLength(),
                            &size);
    dc.SelectObject(pOld);
    int x = lpwndpos->x, y = lpwndpos->y, cx = lpwndpos->cx, cy = lpwndpos->cy;
    if (lpwndpos->flags & SWP_NOMOVE || lpwndpos->flags & SWP_NOSIZE) {
        CRect rect;
        GetWindowRect(&rect);
        GetParent()->ScreenToClient(&rect);
        if (lpwndpos->flags & SWP_NOMOVE) {
            x = rect.left;
            y = rect.top;
        }
        if (lpwndpos->flags & SWP_NOSIZE) {
            cx = rect.Width();
            cy = rect.Height();
        }
    }
    Place(x, y, cx, cy, size);
    lpwndpos->x = x;
    lpwndpos->y = y;
    lpwndpos->cx = cx;
    lpwndpos->cy = cy;
    lpwndpos->flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
}

void COXTreeEdit::OnPaint()
{
    if (m_bAutoSize) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CString text;
    GetWindowText(text);
    CFont* pOld = dc.SelectObject(GetFont());
    dc.TextOut(5, 2, text);
    dc.SelectObject(pOld);
}
