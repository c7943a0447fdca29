#include "OXRectTracker.h"

#include <algorithm>

int COXRectTracker::HandleFromHitCode(int nHitCode)
{
    switch (nHitCode) {
    case HTTOPLEFT: return hitTopLeft;
    case HTTOPRIGHT: return hitTopRight;
    case HTBOTTOMRIGHT: return hitBottomRight;
    case HTBOTTOMLEFT: return hitBottomLeft;
    case HTTOP: return hitTop;
    case HTRIGHT: return hitRight;
    case HTBOTTOM: return hitBottom;
    case HTLEFT: return hitLeft;
    default: return hitMiddle;
    }
}

BOOL COXRectTracker::TrackFromHandle(int nHitCode, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    m_rectOriginal = m_rect;
    return TrackHandle(HandleFromHitCode(nHitCode), pWnd, point, pWndClipTo);
}

void COXRectTracker::AdjustRect(int nHandle, LPRECT lpRect)
{
    if (!m_rectBound.IsRectEmpty()) {
        if (nHandle == hitMiddle) {
            const int cx = m_rectOriginal.Width(), cy = m_rectOriginal.Height();
            lpRect->left = std::max(m_rectBound.left, std::min<LONG>(m_rectBound.right, lpRect->left));
            lpRect->top = std::max(m_rectBound.top, std::min<LONG>(m_rectBound.bottom - 10, lpRect->top));
            lpRect->right = lpRect->left + cx;
            lpRect->bottom = lpRect->top + cy;
        } else {
            CRect cut;
            cut.IntersectRect(lpRect, &m_rectBound);
            *lpRect = cut;
        }
    }
    CRectTracker::AdjustRect(nHandle, lpRect);
    if (m_nStyle & OX_RT_HORZ_ONLY) {
        lpRect->top = m_rectOriginal.top;
        lpRect->bottom = m_rectOriginal.bottom;
    }
    if (m_nStyle & OX_RT_VERT_ONLY) {
        lpRect->left = m_rectOriginal.left;
        lpRect->right = m_rectOriginal.right;
    }
}

void COXRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    CRect rect = *lpRect;
    rect.NormalizeRect();
    if (pWndClipTo != NULL) {
        pWnd->ClientToScreen(&rect);
        pWndClipTo->ScreenToClient(&rect);
    }
    const CSize size = m_bFinalErase ? CSize(0, 0) : CSize(2, 2);
    if (m_bFinalErase || !m_bErase)
        pDC->DrawDragRect(rect, size, m_rectLast, m_sizeLast);
    m_rectLast = rect;
    m_sizeLast = size;
}
