#include "OXSeparator.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(COXSeparator, CStatic)

static const DWORD FRAME_STYLES_EX = WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;
static const int TEXT_GAP = 6;

OXSeparatorLayout OXLayoutSeparator(int nStart, int nLength, int nAcrossStart, int nAcross, int nTextLength,
                                    DWORD dwAlign)
{
    OXSeparatorLayout layout = {};
    int nEnd = nStart + nLength;
    layout.nLineTop = nAcrossStart + nAcross / 2 + nAcross % 2 - 1;
    if (nTextLength <= 0) {
        layout.nSegments = 1;
        layout.nSegStart[0] = nStart;
        layout.nSegEnd[0] = nEnd;
        return layout;
    }
    if (dwAlign == SS_CENTER) {
        layout.nTextStart = nStart + (nLength - nTextLength) / 2;
        layout.nSegments = 2;
        layout.nSegStart[0] = nStart;
        layout.nSegEnd[0] = layout.nTextStart - TEXT_GAP;
        layout.nSegStart[1] = layout.nTextStart + nTextLength + TEXT_GAP;
        layout.nSegEnd[1] = nEnd;
    } else if (dwAlign == SS_RIGHT) {
        layout.nTextStart = nEnd - nTextLength;
        layout.nSegments = 1;
        layout.nSegStart[0] = nStart;
        layout.nSegEnd[0] = layout.nTextStart - TEXT_GAP;
    } else {
        layout.nTextStart = nStart;
        layout.nSegments = 1;
        layout.nSegStart[0] = nStart + nTextLength + TEXT_GAP;
        layout.nSegEnd[0] = nEnd;
    }
    return layout;
}

BEGIN_MESSAGE_MAP(COXSeparator, CStatic)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_SETTEXT, &COXSeparator::OnSetText)
    ON_MESSAGE(WM_GETTEXT, &COXSeparator::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &COXSeparator::OnGetTextLength)
END_MESSAGE_MAP()

COXSeparator::COXSeparator()
    : m_clrText(::GetSysColor(COLOR_WINDOWTEXT)), m_clrShadow(::GetSysColor(COLOR_BTNSHADOW)),
      m_clrHighlight(::GetSysColor(COLOR_BTNHIGHLIGHT))
{
}

void COXSeparator::Redraw()
{
    if (::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL COXSeparator::SetLineColors(COLORREF clrShadow, COLORREF clrHighlight, BOOL bRedraw)
{
    BOOL bChanged = clrShadow != m_clrShadow || clrHighlight != m_clrHighlight;
    m_clrShadow = clrShadow;
    m_clrHighlight = clrHighlight;
    if (bRedraw && bChanged)
        Redraw();
    return TRUE;
}

void COXSeparator::SetTextColor(COLORREF clr, BOOL bRedraw)
{
    BOOL bChanged = clr != m_clrText;
    m_clrText = clr;
    if (bRedraw && bChanged)
        Redraw();
}

void COXSeparator::SetVertical(BOOL bVertical, BOOL bRedraw)
{
    BOOL bChanged = !bVertical != !m_bVertical;
    m_bVertical = bVertical;
    if (bRedraw && bChanged)
        Redraw();
}

void COXSeparator::PreSubclassWindow()
{
    ModifyStyle(WS_BORDER, 0);
    ModifyStyleEx(FRAME_STYLES_EX, 0, SWP_FRAMECHANGED);
    // The real window text, before this object answers WM_GETTEXT itself.
    int nLength = (int)DefWindowProc(WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(nLength + 1, 0);
    DefWindowProc(WM_GETTEXT, nLength + 1, (LPARAM)buffer.data());
    m_sCaption = buffer.data();
    CStatic::PreSubclassWindow();
}

int COXSeparator::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    lpCreateStruct->style &= ~WS_BORDER;
    lpCreateStruct->dwExStyle &= ~FRAME_STYLES_EX;
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyle(WS_BORDER, 0);
    ModifyStyleEx(FRAME_STYLES_EX, 0, SWP_FRAMECHANGED);
    m_sCaption = lpCreateStruct->lpszName && !IS_INTRESOURCE(lpCreateStruct->lpszName) ? lpCreateStruct->lpszName : "";
    return 0;
}

LRESULT COXSeparator::OnSetText(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    m_sCaption = lParam ? (LPCSTR)lParam : "";
    Redraw();
    return TRUE;
}

LRESULT COXSeparator::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int nMax = (int)wParam;
    if (nMax <= 0 || lParam == 0)
        return 0;
    int nCopy = std::min(nMax - 1, m_sCaption.GetLength());
    memcpy((char*)lParam, (LPCSTR)m_sCaption, nCopy);
    ((char*)lParam)[nCopy] = '\0';
    return nCopy;
}

LRESULT COXSeparator::OnGetTextLength(WPARAM, LPARAM)
{
    return m_sCaption.GetLength();
}

void COXSeparator::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    // The background is the parent's, as for any static.
    HBRUSH hBrush = NULL;
    if (CWnd* pParent = GetParent())
        hBrush = (HBRUSH)pParent->SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc.m_hDC, (LPARAM)m_hWnd);
    ::FillRect(dc.m_hDC, &rect, hBrush ? hBrush : ::GetSysColorBrush(COLOR_BTNFACE));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_clrText);

    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    CFont fontVertical;
    HGDIOBJ hOldFont;
    if (m_bVertical) {
        LOGFONT lf;
        ::GetObject(hFont, sizeof(lf), &lf);
        lf.lfEscapement = lf.lfOrientation = 900;
        fontVertical.CreateFontIndirect(&lf);
        hOldFont = ::SelectObject(dc.m_hDC, fontVertical.GetSafeHandle());
    } else {
        hOldFont = ::SelectObject(dc.m_hDC, hFont);
    }

    CSize sizeText(0, 0);
    if (!m_sCaption.IsEmpty()) {
        CRect rectCalc(0, 0, 0, 0);
        dc.DrawText(m_sCaption, &rectCalc, DT_CALCRECT | DT_SINGLELINE);
        // Turned text: its width runs along the vertical line.
        sizeText = m_bVertical ? CSize(rectCalc.Height(), rectCalc.Width()) : rectCalc.Size();
    }
    DWORD dwAlign = GetStyle() & (SS_CENTER | SS_RIGHT);
    if (dwAlign == (SS_CENTER | SS_RIGHT))
        dwAlign = SS_CENTER;

    if (!m_bVertical) {
        OXSeparatorLayout l = OXLayoutSeparator(rect.left, rect.Width(), rect.top, rect.Height(), sizeText.cx,
                                                dwAlign);
        if (!m_sCaption.IsEmpty()) {
            int top = rect.top + (rect.Height() - sizeText.cy) / 2;
            CRect rectText(l.nTextStart, top, l.nTextStart + sizeText.cx, top + sizeText.cy);
            dc.DrawText(m_sCaption, &rectText, DT_SINGLELINE | DT_BOTTOM);
        }
        for (int i = 0; i < l.nSegments; ++i)
            if (l.nSegEnd[i] > l.nSegStart[i])
                dc.Draw3dRect(l.nSegStart[i], l.nLineTop, l.nSegEnd[i] - l.nSegStart[i], 2, m_clrShadow,
                              m_clrHighlight);
    } else {
        // Along the line means upwards: the caption reads bottom to top, so
        // its "start" is the bottom of the control.
        OXSeparatorLayout l = OXLayoutSeparator(0, rect.Height(), rect.left, rect.Width(), sizeText.cy, dwAlign);
        if (!m_sCaption.IsEmpty()) {
            int left = rect.left + (rect.Width() - sizeText.cx) / 2;
            int bottom = rect.bottom - l.nTextStart;
            // A text turned by 90 degrees grows upwards from its origin.
            dc.TextOut(left, bottom, m_sCaption);
        }
        for (int i = 0; i < l.nSegments; ++i)
            if (l.nSegEnd[i] > l.nSegStart[i])
                dc.Draw3dRect(l.nLineTop, rect.bottom - l.nSegEnd[i], 2, l.nSegEnd[i] - l.nSegStart[i],
                              m_clrShadow, m_clrHighlight);
    }
    ::SelectObject(dc.m_hDC, hOldFont);
}
