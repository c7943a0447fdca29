// Progress.cpp - the window-less gradient progress engine: range and
// position rules, the snake, and painting of bar, background and text.
#include "Progress.h"
#include "DCSelect.h"
#include "MemDC.h"
#include <cstdlib>
#include <cstring>

CProgress::CProgress()
    : m_pbrBar(NULL), m_clrBk(::GetSysColor(COLOR_BTNFACE)), m_pbrBk(NULL),
      m_clrTextOnBar(::GetSysColor(COLOR_CAPTIONTEXT)), m_clrTextOnBk(::GetSysColor(COLOR_BTNTEXT)),
      m_nTail(0), m_nTailSize(40), m_nStep(10), m_nLower(0), m_nUpper(100),
      m_rcBorders(0, 0, 0, 0), m_pFont(NULL), m_dwStyle(PBS_CENTER), m_nPos(0), m_nAnimPos(0)
{
    COLORREF clr = ::GetSysColor(COLOR_ACTIVECAPTION);
    SetColors(2, clr, clr);
}

CProgress::~CProgress()
{
}

BOOL CProgress::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    (void)nFlags;
    m_dwStyle = (m_dwStyle & ~dwRemove) | dwAdd;
    return TRUE;
}

void CProgress::UpdatePos(int nNewPos)
{
    if (nNewPos < m_nLower)
        nNewPos = m_nLower;
    if (nNewPos > m_nUpper)
        nNewPos = m_nUpper;
    if (nNewPos != m_nPos && OnPosChanging(m_nPos, nNewPos)) {
        m_nPos = nNewPos;
        OnPosChanged(nNewPos);
    }
}

void CProgress::SetRange(int nLower, int nUpper)
{
    if (nLower > nUpper) {
        int n = nLower;
        nLower = nUpper;
        nUpper = n;
    }
    m_nLower = nLower;
    m_nUpper = nUpper;
    UpdatePos(m_nPos);
}

int CProgress::SetPos(int nPos)
{
    int nOld = m_nPos;
    if (!SetSnakePos(nPos, FALSE))
        UpdatePos(nPos);
    return nOld;
}

int CProgress::OffsetPos(int nDelta)
{
    int nOld = m_nPos;
    if (!SetSnakePos(nDelta, TRUE)) {
        LONGLONG nNew = (LONGLONG)m_nPos + nDelta;
        UpdatePos(nNew < m_nLower ? m_nLower : nNew > m_nUpper ? m_nUpper : (int)nNew);
    }
    return nOld;
}

// The snake is a segment of m_nTailSize units whose head runs from lower to
// upper + m_nTailSize, so that its tail also reaches the end; then it turns
// round (the reversed bit flips) and runs back from the other edge.
BOOL CProgress::SetSnakePos(int nPos, BOOL bIncrement)
{
    if (!(GetStyle() & PBS_SNAKE))
        return FALSE;
    int nDelta = bIncrement ? nPos : nPos - m_nPos;
    int nHead = m_nPos;
    // At the upper end the position is held at upper while the head runs on.
    if (bIncrement && m_nPos == m_nUpper)
        nHead = m_nTail + m_nTailSize;
    nHead += abs(nDelta);
    int nEnd = m_nUpper + m_nTailSize;
    if (nHead > nEnd) {
        DWORD dwStyle = GetStyle();
        if (dwStyle & PBS_REVERSE)
            ModifyStyle(PBS_REVERSE, 0);
        else
            ModifyStyle(0, PBS_REVERSE);
        nHead = nHead + m_nLower - m_nTailSize - m_nUpper;
        if (nHead > nEnd)
            nHead = nEnd;
    }
    m_nTail = nHead - m_nTailSize;
    if (m_nTail < m_nLower)
        m_nTail = m_nLower;
    UpdatePos(nHead);
    return TRUE;
}

void CProgress::SetTextFormat(LPCTSTR szFormat, DWORD dwStyle)
{
    if (szFormat == NULL || *szFormat == '\0' || (dwStyle & PBS_TEXTMASK) == 0) {
        m_sTextFormat.Empty();
        ModifyStyle(PBS_TEXTMASK, 0);
    } else {
        m_sTextFormat = szFormat;
        ModifyStyle(PBS_TEXTMASK, dwStyle & PBS_TEXTMASK);
    }
}

void CProgress::SetTextClipRegion(HRGN hRgn)
{
    m_rgnText.DeleteObject();
    if (hRgn != NULL) {
        m_rgnText.CreateRectRgn(0, 0, 0, 0);
        ::CombineRgn((HRGN)m_rgnText.GetSafeHandle(), hRgn, NULL, RGN_COPY);
    }
}

void CProgress::AnimateBy(int nStep)
{
    // An empty range has nothing to run through.
    int nRange = (int)((double)((LONGLONG)m_nUpper - m_nLower) * GetStretch());
    if (nRange <= 0)
        return;
    m_nAnimPos = (int)(((LONGLONG)m_nAnimPos + nStep) % nRange);
}

CRect CProgress::GetBarRect(const CRect& rcBar, int a, int b) const
{
    DWORD dwStyle = GetStyle();
    BOOL bReverse = (dwStyle & PBS_REVERSE) != 0;
    if (dwStyle & PBS_VERTICAL) {
        if (bReverse)
            return CRect(rcBar.left, rcBar.top + a, rcBar.right, rcBar.top + b);
        return CRect(rcBar.left, rcBar.bottom - b, rcBar.right, rcBar.bottom - a);
    }
    if (bReverse)
        return CRect(rcBar.right - b, rcBar.top, rcBar.right - a, rcBar.bottom);
    return CRect(rcBar.left + a, rcBar.top, rcBar.left + b, rcBar.bottom);
}

void CProgress::Draw(CDC* pDC, const CRect& rect, BOOL bDirect)
{
    // The optional region is given relative to the drawn rectangle; clip
    // regions are in device units.
    HRGN hOldClip = NULL;
    BOOL bHadClip = FALSE;
    BOOL bClip = m_rgnText.GetSafeHandle() != NULL;
    if (bClip) {
        hOldClip = ::CreateRectRgn(0, 0, 0, 0);
        bHadClip = ::GetClipRgn(pDC->GetSafeHdc(), hOldClip) == 1;
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        ::CombineRgn(hRgn, (HRGN)m_rgnText.GetSafeHandle(), NULL, RGN_COPY);
        CPoint ptOrg = rect.TopLeft();
        pDC->LPtoDP(&ptOrg);
        ::OffsetRgn(hRgn, ptOrg.x, ptOrg.y);
        if (bHadClip)
            ::CombineRgn(hRgn, hRgn, hOldClip, RGN_AND);
        ::SelectClipRgn(pDC->GetSafeHdc(), hRgn);
        ::DeleteObject(hRgn);
    }

    if (bDirect) {
        DrawContent(pDC, rect);
    } else {
        // Without a background of its own the bar is drawn over what is there.
        BOOL bCopyFirst = m_pbrBk == NULL && m_clrBk == (COLORREF)-1;
        CMemDC memDC(pDC, &rect, bCopyFirst);
        DrawContent(&memDC, rect);
    }

    if (bClip) {
        ::SelectClipRgn(pDC->GetSafeHdc(), bHadClip ? hOldClip : NULL);
        ::DeleteObject(hOldClip);
    }
}

void CProgress::DrawContent(CDC* pDC, CRect rect)
{
    if (m_pbrBk != NULL)
        pDC->FillRect(rect, m_pbrBk);
    else if (m_clrBk != (COLORREF)-1)
        pDC->FillSolidRect(rect, m_clrBk);

    rect.left += m_rcBorders.left;
    rect.top += m_rcBorders.top;
    rect.right -= m_rcBorders.right;
    rect.bottom -= m_rcBorders.bottom;

    // Lengths are proportional to (upper - lower): an empty range has no bar
    // and no text.
    if (IsEmptyRange() || m_nPos < m_nLower || m_nPos > m_nUpper)
        return;
    DWORD dwStyle = GetStyle();
    BOOL bVertical = (dwStyle & PBS_VERTICAL) != 0;
    int nLength = bVertical ? rect.Height() : rect.Width();
    if (nLength < 0)
        nLength = 0;
    LONGLONG nRange = (LONGLONG)m_nUpper - m_nLower;
    int nBarTo = (int)(((LONGLONG)m_nPos - m_nLower) * nLength / nRange);
    int nBarFrom = 0;
    if (dwStyle & PBS_SNAKE)
        nBarFrom = (int)(((LONGLONG)m_nTail - m_nLower) * nLength / nRange);

    if (m_pbrBar != NULL) {
        pDC->FillRect(GetBarRect(rect, nBarFrom, nBarTo), m_pbrBar);
    } else {
        BOOL bReverse = (dwStyle & PBS_REVERSE) != 0;
        SetDirection(bVertical ? (bReverse ? TTB : BTT) : (bReverse ? RTL : LTR));
        CRect rcGrad = rect;
        int nFrom = nBarFrom, nTo = nBarTo;
        if (dwStyle & PBS_RUBBER_BAR) {
            rcGrad = GetBarRect(rect, nBarFrom, nBarTo);
            nFrom = 0;
            nTo = -1;
        }
        int nGradLength = bVertical ? rcGrad.Height() : rcGrad.Width();
        int nShift = (int)((LONGLONG)m_nAnimPos * nGradLength / nRange);
        CGradient::Draw(pDC, rcGrad, nFrom, nTo, nShift);
    }

    DrawText(pDC, rect, nBarFrom, nBarTo);
}

void CProgress::DrawText(CDC* pDC, const CRect& rcBar, int nBarFrom, int nBarTo)
{
    DWORD dwStyle = GetStyle();
    DWORD dwText = dwStyle & PBS_TEXTMASK;
    if (dwText == 0 || IsEmptyRange())
        return;
    CString sText = FormatText(m_sTextFormat, dwText, GetTextValue(m_nPos, dwText));
    if (sText.IsEmpty())
        return;

    CSelFont selFont(pDC);
    if (m_pFont != NULL)
        selFont.Select(m_pFont);
    CSelBkMode selBkMode(pDC, TRANSPARENT);
    CSelTextAlign selAlign(pDC, TA_CENTER | TA_BOTTOM);
    CSelTextColor selColor(pDC);

    CSize size = pDC->GetTextExtent(sText);
    int nAngle = 0;
    if (m_pFont != NULL && m_pFont->GetSafeHandle() != NULL) {
        LOGFONT lf;
        if (m_pFont->GetLogFont(&lf) != 0)
            nAngle = ((lf.lfEscapement / 10) % 360 + 360) % 360;
    }
    // The text box and the offset of its reference point (bottom centre of
    // the unrotated text) from the box's centre.
    int w = 0, h = 0, ox = 0, oy = 0;
    switch (nAngle) {
    case 0:   w = size.cx; h = size.cy; ox = 0;        oy = size.cy;  break;
    case 90:  w = size.cy; h = size.cx; ox = size.cy;  oy = 0;        break;
    case 180: w = size.cx; h = size.cy; ox = 0;        oy = -size.cy; break;
    case 270: w = size.cy; h = size.cx; ox = -size.cy; oy = 0;        break;
    default: break;
    }

    CRect rcFill = GetBarRect(rcBar, nBarFrom, nBarTo);
    BOOL bTied = (dwStyle & PBS_TIED_TEXT) != 0;
    CRect r = bTied ? rcFill : rcBar;
    if (dwStyle & PBS_LEFT)
        ox += r.left + w - r.right;
    if (dwStyle & PBS_RIGHT)
        ox += r.right - r.left - w;
    if (dwStyle & PBS_TOP)
        oy += r.top + h - r.bottom;
    if (dwStyle & PBS_BOTTOM)
        oy += r.bottom - r.top - h;
    int x = r.left + (r.right + ox - r.left) / 2;
    int y = r.top + (r.bottom + oy - r.top) / 2;

    if (bTied) {
        int nTextLength = (dwStyle & PBS_VERTICAL) ? h : w;
        if (nBarTo - nBarFrom >= nTextLength) {
            selColor.Select(m_clrTextOnBar);
            DrawClippedText(pDC, rcFill, x, y, sText);
        }
    } else {
        selColor.Select(m_clrTextOnBk);
        DrawClippedText(pDC, rcBar, x, y, sText);
        if (m_clrTextOnBar != m_clrTextOnBk) {
            selColor.Select(m_clrTextOnBar);
            DrawClippedText(pDC, rcFill, x, y, sText);
        }
    }
}

void CProgress::DrawClippedText(CDC* pDC, const CRect& rcClip, int x, int y, const CString& sText)
{
    pDC->ExtTextOut(x, y, ETO_CLIPPED, rcClip, sText, NULL);
}

// Skips a width or precision; one wider than two digits is refused, so that a
// format cannot make every paint print and draw a text of millions of blanks.
static BOOL SkipSmallNumber(LPCTSTR& p)
{
    int nDigits = 0;
    while (*p >= '0' && *p <= '9') {
        p++;
        if (++nDigits > 2)
            return FALSE;
    }
    return TRUE;
}

// A text format is printed with one int: anything that would read more or
// other arguments (a second conversion, %s, %n, %*d, 64-bit sizes) is refused,
// as the format may come from another window through WM_SETTEXT; so is a huge
// width or precision.
static BOOL IsSafeIntFormat(const CString& sFormat)
{
    int nConversions = 0;
    LPCTSTR p = sFormat;
    while (*p != '\0') {
        if (*p++ != '%')
            continue;
        if (*p == '%') {
            p++;
            continue;
        }
        while (*p != '\0' && strchr("-+ #0", *p) != NULL)
            p++;
        if (!SkipSmallNumber(p))
            return FALSE;
        if (*p == '.') {
            p++;
            if (!SkipSmallNumber(p))
                return FALSE;
        }
        if (*p == 'h' || *p == 'l')
            p++;
        if (*p == '\0' || strchr("diuxXoc", *p) == NULL)
            return FALSE;
        p++;
        if (++nConversions > 1)
            return FALSE;
    }
    return TRUE;
}

CString CProgress::FormatText(const CString& sFormat, DWORD dwTextStyle, double dValue)
{
    CString sFmt = sFormat;
    if (sFmt.IsEmpty()) {
        if (dwTextStyle & PBS_SHOW_PERCENT)
            sFmt = "%d%%";
        else if (dwTextStyle & PBS_SHOW_POSITION)
            sFmt = "%d";
    }
    CString sText;
    if (!sFmt.IsEmpty() && IsSafeIntFormat(sFmt))
        sText.Format((LPCTSTR)sFmt, (int)dValue);
    return sText;
}

double CProgress::GetTextValue(int nPos, DWORD dwTextStyle)
{
    if (dwTextStyle & PBS_SHOW_PERCENT) {
        if (IsEmptyRange())
            return 0;
        return ((double)nPos - m_nLower) * 100.0 / ((double)m_nUpper - m_nLower);
    }
    if (dwTextStyle & PBS_SHOW_POSITION)
        return nPos;
    return 0;
}
