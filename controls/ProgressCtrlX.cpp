// ProgressCtrlX.cpp - the gradient progress window: it answers the
// progress-bar messages through CProgress and paints itself.
#include "ProgressCtrlX.h"

IMPLEMENT_DYNAMIC(CProgressCtrlX, CProgressCtrl)

BEGIN_MESSAGE_MAP(CProgressCtrlX, CProgressCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_MESSAGE(PBM_SETRANGE, OnSetRange)
    ON_MESSAGE(PBM_SETRANGE32, OnSetRange32)
    ON_MESSAGE(PBM_GETRANGE, OnGetRange)
    ON_MESSAGE(PBM_SETPOS, OnSetPos)
    ON_MESSAGE(PBM_DELTAPOS, OnDeltaPos)
    ON_MESSAGE(PBM_STEPIT, OnStepIt)
    ON_MESSAGE(PBM_SETSTEP, OnSetStep)
    ON_MESSAGE(PBM_GETPOS, OnGetPos)
    ON_MESSAGE(PBM_SETBARCOLOR, OnSetBarColor)
    ON_MESSAGE(PBM_SETBKCOLOR, OnSetBkColor)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CProgressCtrlX::CProgressCtrlX()
    : m_dwToolTipStyle(0), m_nAnimStep(1), m_hFont(NULL)
{
}

CProgressCtrlX::~CProgressCtrlX()
{
}

BOOL CProgressCtrlX::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    BOOL bResult = CWnd::ModifyStyle(dwRemove, dwAdd, nFlags);
    if (m_hWnd != NULL)
        Invalidate();
    return bResult;
}

COLORREF CProgressCtrlX::SetBkColor(COLORREF clrBk)
{
    COLORREF clrOld = m_clrBk;
    CProgress::SetBkColor(clrBk);
    if (m_hWnd != NULL)
        Invalidate();
    return clrOld;
}

void CProgressCtrlX::SetTooltipFormat(LPCTSTR szFormat, DWORD dwStyle)
{
    m_sToolTipFormat = szFormat != NULL ? szFormat : "";
    m_dwToolTipStyle = dwStyle & PBS_TEXTMASK;
    if (!m_sToolTipFormat.IsEmpty() && m_dwToolTipStyle != 0) {
        if (m_wndToolTip.m_hWnd == NULL && m_hWnd != NULL) {
            if (m_wndToolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX))
                m_wndToolTip.AddTool(this, "");
        }
        if (m_wndToolTip.m_hWnd != NULL) {
            UpdateTooltipText(CProgress::GetPos());
            m_wndToolTip.Activate(TRUE);
        }
    } else if (m_wndToolTip.m_hWnd != NULL) {
        m_wndToolTip.Activate(FALSE);
    }
}

void CProgressCtrlX::UpdateTooltipText(int nPos)
{
    if (m_wndToolTip.m_hWnd == NULL)
        return;
    // An empty range has no percent to show: the tip keeps its text.
    if ((m_dwToolTipStyle & PBS_SHOW_PERCENT) && IsEmptyRange())
        return;
    CString sText = FormatText(m_sToolTipFormat, m_dwToolTipStyle, GetTextValue(nPos, m_dwToolTipStyle));
    if (!sText.IsEmpty())
        m_wndToolTip.UpdateTipText(sText, this);
}

BOOL CProgressCtrlX::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE && m_wndToolTip.m_hWnd != NULL)
        m_wndToolTip.RelayEvent(pMsg);
    return CProgressCtrl::PreTranslateMessage(pMsg);
}

void CProgressCtrlX::OnPosChanged(int nNewPos)
{
    UpdateTooltipText(nNewPos);
}

void CProgressCtrlX::OnPaint()
{
    CPaintDC dc(this);
    if (m_bCreatePalette && (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) && GetPalette() != NULL) {
        dc.SelectPalette(GetPalette(), FALSE);
        dc.RealizePalette();
    }
    // The font of WM_SETFONT is looked up again: its wrapper may have been
    // a temporary one.
    if (m_hFont != NULL)
        m_pFont = CFont::FromHandle(m_hFont);
    CRect rc;
    GetClientRect(&rc);
    Draw(&dc, rc, FALSE);
}

BOOL CProgressCtrlX::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CProgressCtrlX::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == IDT_STEPIT) {
        CProgress::StepIt();
        Invalidate();
    } else if (nIDEvent == IDT_ANIMATE) {
        AnimateBy(m_nAnimStep);
        Invalidate();
    } else {
        CProgressCtrl::OnTimer(nIDEvent);
    }
}

static LRESULT PackRange(int nLower, int nUpper)
{
    return (LRESULT)(((DWORD)nUpper << 16) | ((DWORD)nLower & 0xFFFF));
}

LRESULT CProgressCtrlX::OnSetRange(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    LRESULT lOld = PackRange(m_nLower, m_nUpper);
    // Words, as the standard control reads them: 0..65535.
    CProgress::SetRange((int)LOWORD(lParam), (int)HIWORD(lParam));
    Invalidate();
    return lOld;
}

LRESULT CProgressCtrlX::OnSetRange32(WPARAM wParam, LPARAM lParam)
{
    LRESULT lOld = PackRange(m_nLower, m_nUpper);
    CProgress::SetRange((int)wParam, (int)lParam);
    Invalidate();
    return lOld;
}

LRESULT CProgressCtrlX::OnGetRange(WPARAM wParam, LPARAM lParam)
{
    PBRANGE* pRange = (PBRANGE*)lParam;
    if (pRange != NULL) {
        pRange->iLow = m_nLower;
        pRange->iHigh = m_nUpper;
    }
    return wParam ? m_nLower : m_nUpper;
}

LRESULT CProgressCtrlX::OnSetPos(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    int nOld = CProgress::SetPos((int)wParam);
    Invalidate();
    return nOld;
}

LRESULT CProgressCtrlX::OnDeltaPos(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    int nOld = CProgress::OffsetPos((int)wParam);
    Invalidate();
    return nOld;
}

LRESULT CProgressCtrlX::OnStepIt(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    int nOld = CProgress::StepIt();
    Invalidate();
    return nOld;
}

LRESULT CProgressCtrlX::OnSetStep(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return CProgress::SetStep((int)wParam);
}

LRESULT CProgressCtrlX::OnGetPos(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    return CProgress::GetPos();
}

LRESULT CProgressCtrlX::OnSetBarColor(WPARAM wParam, LPARAM lParam)
{
    COLORREF clrStart = (COLORREF)lParam;
    COLORREF clrEnd = wParam != 0 ? (COLORREF)wParam : clrStart;
    SetColors(2, clrStart, clrEnd);
    Invalidate();
    return CLR_DEFAULT;
}

LRESULT CProgressCtrlX::OnSetBkColor(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    return CLR_DEFAULT;
}

LRESULT CProgressCtrlX::OnSetText(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    m_sTextFormat = lParam != 0 ? (LPCTSTR)lParam : "";
    Invalidate();
    return TRUE;
}

LRESULT CProgressCtrlX::OnGetText(WPARAM wParam, LPARAM lParam)
{
    LPTSTR pszBuffer = (LPTSTR)lParam;
    int nMax = (int)wParam;
    if (pszBuffer == NULL || nMax <= 0)
        return 0;
    int nCopy = m_sTextFormat.GetLength();
    if (nCopy > nMax - 1)
        nCopy = nMax - 1;
    memcpy(pszBuffer, (LPCTSTR)m_sTextFormat, nCopy);
    pszBuffer[nCopy] = '\0';
    return nCopy;
}

LRESULT CProgressCtrlX::OnGetTextLength(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    return m_sTextFormat.GetLength();
}

LRESULT CProgressCtrlX::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = (HFONT)wParam;
    m_pFont = m_hFont != NULL ? CFont::FromHandle(m_hFont) : NULL;
    if (LOWORD(lParam)) {
        Invalidate();
        UpdateWindow();
    }
    return 0;
}

LRESULT CProgressCtrlX::OnGetFont(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    return (LRESULT)m_hFont;
}
