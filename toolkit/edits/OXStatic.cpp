#include "OXStatic.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(COXStatic, CStatic)

static const UINT TOOL_ID = 1;

std::vector<OXGradientBand> OXStaticGradientBands(int nKind, int nWidth, COLORREF clr)
{
    std::vector<OXGradientBand> bands;
    if (nWidth <= 0)
        return bands;
    if (nWidth < 2) {
        bands.push_back({0, nWidth, clr});
        return bands;
    }
    const long long R = GetRValue(clr), G = GetGValue(clr), B = GetBValue(clr);
    auto shade = [&](long long m, long long d) {
        long long m2 = m * m;
        return RGB((int)(R - m2 * R / d), (int)(G - m2 * G / d), (int)(B - m2 * B / d));
    };
    const long long W = nWidth;
    if (nKind == 1 || nKind == 3) {
        int s = nWidth / 128 < 1 ? 1 : nWidth / 128;
        long long d = W * W;
        int m = 0;
        for (; m + s <= nWidth; m += s)
            bands.push_back({nKind == 1 ? nWidth - m - s : m, s, shade(m, d)});
        if (m < nWidth)
            bands.push_back({nKind == 1 ? 0 : m, nWidth - m, RGB(0, 0, 0)});
    } else if (nKind == 2) {
        int half = nWidth / 2;
        int s = half / 256 < 1 ? 1 : half / 256;
        long long d = W * W / 4;
        // Right half, from the right edge in.
        int m = 0;
        for (; nWidth - m - s >= half; m += s)
            bands.push_back({nWidth - m - s, s, shade(m, d)});
        if (nWidth - m > half)
            bands.push_back({half, nWidth - m - half, RGB(0, 0, 0)});
        // Left half, from the left edge in.
        m = 0;
        for (; m + s <= half; m += s)
            bands.push_back({m, s, shade(m, d)});
        if (m < half)
            bands.push_back({m, half - m, RGB(0, 0, 0)});
    }
    return bands;
}

BEGIN_MESSAGE_MAP(COXStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_MESSAGE(WM_SETTEXT, &COXStatic::OnSetText)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

COXStatic::COXStatic()
    : m_clrBack(::GetSysColor(COLOR_BTNFACE)), m_clrText(::GetSysColor(COLOR_WINDOWTEXT)), m_rectOriginal(0, 0, 0, 0)
{
}

COXStatic::~COXStatic()
{
}

BOOL COXStatic::IsTextStatic(CWnd* pWnd)
{
    if (pWnd == NULL || !::IsWindow(pWnd->m_hWnd))
        return FALSE;
    DWORD dwType = pWnd->GetStyle() & 0xFF;
    return dwType == SS_LEFT || dwType == SS_CENTER || dwType == SS_RIGHT || dwType == SS_SIMPLE
           || dwType == SS_LEFTNOWORDWRAP;
}

BOOL COXStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_bCreating = TRUE;
    BOOL bOk = CStatic::Create(lpszText, dwStyle, rect, pParentWnd, nID) && InitStatic();
    m_bCreating = FALSE;
    return bOk;
}

void COXStatic::PreSubclassWindow()
{
    if (!m_bCreating)
        InitStatic();
    CStatic::PreSubclassWindow();
}

BOOL COXStatic::InitStatic()
{
    GetWindowRect(&m_rectOriginal);
    if (GetParent())
        GetParent()->ScreenToClient(&m_rectOriginal);
    if (m_ttc.Create(this, 0)) {
        CRect rect;
        GetClientRect(&rect);
        m_ttc.AddTool(this, m_sToolTipText.IsEmpty() ? "" : (LPCTSTR)m_sToolTipText, &rect, TOOL_ID);
        m_ttc.Activate(m_bShowToolTip);
    }
    UpdateToolTipText();
    if (!m_bFontCopied && CopyControlFont())
        m_bFontCopied = TRUE;
    return TRUE;
}

BOOL COXStatic::CopyControlFont()
{
    if (!IsTextStatic(this))
        return TRUE;
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    LOGFONT lf;
    if (hFont == NULL || !::GetObject(hFont, sizeof(lf), &lf))
        return FALSE;
    m_font.DeleteObject();
    if (!m_font.CreateFontIndirect(&lf))
        return FALSE;
    if (m_bFitToText)
        FitToText();
    return TRUE;
}

void COXStatic::UpdateToolTipText()
{
    if (!m_bShowToolTip)
        return;
    if (!m_bToolTipTextSet) {
        m_sToolTipText.Empty();
        if (IsTextStatic(this))
            GetWindowText(m_sToolTipText);
    }
    if (::IsWindow(m_ttc.GetSafeHwnd()))
        m_ttc.UpdateTipText(m_sToolTipText, this, TOOL_ID);
}

HBRUSH COXStatic::CtlColor(CDC* pDC, UINT nCtlColor)
{
    (void)nCtlColor;
    // The tooltip needs the mouse messages that only a notifying static gets.
    if (!(GetStyle() & SS_NOTIFY))
        ::SetWindowLongPtr(m_hWnd, GWL_STYLE, GetStyle() | SS_NOTIFY);
    if (!IsTextStatic(this))
        return NULL;
    if (m_font.GetSafeHandle())
        pDC->SelectObject(&m_font);
    pDC->SetTextColor(m_clrText);
    pDC->SetBkMode(TRANSPARENT);
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

void COXStatic::RedrawNow()
{
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void COXStatic::SetBkColor(COLORREF clr, BOOL bRedraw)
{
    m_clrBack = clr;
    if (bRedraw && ::IsWindow(m_hWnd))
        Invalidate(TRUE);
}

void COXStatic::SetBkDrawMode(int nMode, BOOL bRedraw)
{
    m_nBkDrawMode = nMode;
    if (bRedraw && ::IsWindow(m_hWnd))
        Invalidate(TRUE);
}

void COXStatic::SetTextColor(COLORREF clr, BOOL bRedraw)
{
    m_clrText = clr;
    if (bRedraw && ::IsWindow(m_hWnd))
        Invalidate(TRUE);
}

BOOL COXStatic::SetTextLogFont(const LOGFONT* plf, BOOL bRedraw)
{
    CFont font;
    if (plf && !font.CreateFontIndirect(plf))
        return FALSE;
    // The static paints its text in the font it was given, whatever its
    // parent selects when asked for its colours: it is given this one (or,
    // with none, its own again) before the old one goes.
    if (::IsWindow(m_hWnd)) {
        const HFONT hCurrent = (HFONT)SendMessage(WM_GETFONT);
        if (hCurrent != (HFONT)m_font.GetSafeHandle())
            m_hControlFont = hCurrent;
        DefWindowProc(WM_SETFONT, (WPARAM)(plf ? (HFONT)font.GetSafeHandle() : m_hControlFont), FALSE);
    }
    m_font.DeleteObject();
    if (plf)
        m_font.Attach(font.Detach());
    if (m_bFitToText)
        FitToText();
    else if (bRedraw && ::IsWindow(m_hWnd))
        Invalidate(TRUE);
    return TRUE;
}

BOOL COXStatic::SetTextFont(CFont* pFont, BOOL bRedraw)
{
    if (pFont == &m_font)
        return TRUE;
    LOGFONT lf;
    if (pFont && pFont->GetSafeHandle() && pFont->GetLogFont(&lf))
        return SetTextLogFont(&lf, bRedraw);
    return SetTextLogFont(NULL, bRedraw);
}

BOOL COXStatic::GetTextLogFont(LOGFONT* plf) const
{
    if (m_font.GetSafeHandle() == NULL || plf == NULL)
        return FALSE;
    return ::GetObject(m_font.GetSafeHandle(), sizeof(LOGFONT), plf) != 0;
}

CFont* COXStatic::GetTextFont()
{
    return m_font.GetSafeHandle() ? &m_font : NULL;
}

void COXStatic::SetToolTipText(LPCTSTR lpszText)
{
    m_sToolTipText = lpszText ? lpszText : "";
    m_bToolTipTextSet = !m_sToolTipText.IsEmpty();
    UpdateToolTipText();
}

CString COXStatic::GetToolTipText(BOOL bAlways) const
{
    return (bAlways || m_bToolTipTextSet) ? m_sToolTipText : CString();
}

void COXStatic::SetShowToolTip(BOOL bShow)
{
    m_bShowToolTip = bShow;
    if (::IsWindow(m_ttc.GetSafeHwnd()))
        m_ttc.Activate(bShow);
    UpdateToolTipText();
}

void COXStatic::SetFitToText(BOOL bFit)
{
    m_bFitToText = bFit;
    FitToText();
}

void COXStatic::UpdateToolRect()
{
    if (!::IsWindow(m_ttc.GetSafeHwnd()))
        return;
    CRect rect;
    GetClientRect(&rect);
    m_ttc.SetToolRect(this, TOOL_ID, &rect);
}

void COXStatic::FitToText()
{
    if (!::IsWindow(m_hWnd) || !IsTextStatic(this) || GetParent() == NULL)
        return;
    CRect rect = m_rectOriginal;
    if (m_bFitToText) {
        CString sText;
        GetWindowText(sText);
        CClientDC dc(this);
        CFont* pOld = m_font.GetSafeHandle() ? dc.SelectObject(&m_font) : NULL;
        CSize size(0, 0);
        ::GetTextExtentPoint32A(dc.m_hDC, sText, sText.GetLength(), &size);
        if (pOld)
            dc.SelectObject(pOld);
        CRect rectParent;
        GetParent()->GetClientRect(&rectParent);
        size.cx = std::min(size.cx, (LONG)rectParent.Width());
        size.cy = std::min(size.cy, (LONG)rectParent.Height());
        GetWindowRect(&rect);
        GetParent()->ScreenToClient(&rect);
        DWORD dwStyle = GetStyle();
        CRect fitted;
        fitted.top = (dwStyle & SS_CENTERIMAGE) ? rect.top + (rect.Height() - size.cy) / 2 : rect.top;
        DWORD dwType = dwStyle & 0xFF;
        if (dwType == SS_CENTER)
            fitted.left = rect.left + (rect.Width() - size.cx) / 2;
        else if (dwType == SS_RIGHT)
            fitted.left = rect.right - size.cx;
        else
            fitted.left = rect.left;
        fitted.right = fitted.left + size.cx;
        fitted.bottom = fitted.top + size.cy;
        rect = fitted;
    }
    if (::IsWindow(m_ttc.GetSafeHwnd())) {
        CRect rectTool(0, 0, rect.Width(), rect.Height());
        m_ttc.SetToolRect(this, TOOL_ID, &rectTool);
    }
    // Moving re-enters OnSize, which must not take the fitted rectangle as
    // the one to come back to.
    SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT COXStatic::OnSetText(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = DefWindowProc(WM_SETTEXT, wParam, lParam);
    UpdateToolTipText();
    if (m_bFitToText)
        FitToText();
    RedrawNow();
    return lResult;
}

void COXStatic::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    if (m_bFitToText) {
        // Settles at once: the fitted rectangle fits again to itself.
        FitToText();
        return;
    }
    GetWindowRect(&m_rectOriginal);
    if (GetParent())
        GetParent()->ScreenToClient(&m_rectOriginal);
    UpdateToolRect();
    RedrawNow();
}

void COXStatic::OnDestroy()
{
    if (::IsWindow(m_ttc.GetSafeHwnd())) {
        m_ttc.DelTool(this, TOOL_ID);
        m_ttc.DestroyWindow();
    }
    CStatic::OnDestroy();
}

void COXStatic::PaintBackground(CDC* pDC, const CRect& rect) const
{
    if (m_clrBack == 0xFFFFFFFF)
        return;
    if (m_nBkDrawMode == 0) {
        pDC->FillSolidRect(&rect, m_clrBack);
        return;
    }
    if (m_nBkDrawMode < 1 || m_nBkDrawMode > 3)
        return;
    for (const OXGradientBand& band : OXStaticGradientBands(m_nBkDrawMode, rect.Width(), m_clrBack)) {
        CBrush brush(band.clr);
        CBrush* pOld = pDC->SelectObject(&brush);
        pDC->PatBlt(rect.left + band.x, rect.top, band.cx, rect.Height(), PATCOPY);
        pDC->SelectObject(pOld);
    }
}

BOOL COXStatic::OnEraseBkgnd(CDC* pDC)
{
    if (m_clrBack == 0xFFFFFFFF) {
        // No background of its own: what lies behind, the parent's.
        CWnd* pParent = GetParent();
        if (pParent) {
            CPoint pt(0, 0);
            MapWindowPoints(pParent, &pt, 1);
            CPoint ptOld = pDC->OffsetWindowOrg(pt.x, pt.y);
            pParent->SendMessage(WM_ERASEBKGND, (WPARAM)pDC->m_hDC, 0);
            pDC->SetWindowOrg(ptOld);
        }
    } else {
        CRect rect;
        GetClientRect(&rect);
        int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(&rect);
        PaintBackground(pDC, rect);
        pDC->RestoreDC(nSaved);
    }
    return TRUE;
}

BOOL COXStatic::PreTranslateMessage(MSG* pMsg)
{
    if (::IsWindow(m_ttc.GetSafeHwnd())) {
        m_ttc.Activate(m_bShowToolTip);
        m_ttc.RelayEvent(pMsg);
    }
    return CStatic::PreTranslateMessage(pMsg);
}
