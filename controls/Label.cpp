// Label.cpp - CLabel: painting, fonts, flashing and links.
#include "Label.h"

IMPLEMENT_DYNAMIC(CLabel, CStatic)

namespace {

const UINT_PTR kFlashTimer = 1;
const UINT kFlashPeriod = 500;
const int kGradientBands = 100;

CLabel::PFN_SHELLEXECUTE g_pfnShellExecute = ::ShellExecuteA;

}  // namespace

BEGIN_MESSAGE_MAP(CLabel, CStatic)
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, &CLabel::OnPrintClient)
END_MESSAGE_MAP()

CLabel::PFN_SHELLEXECUTE CLabel::SetShellExecute(PFN_SHELLEXECUTE pfn)
{
    PFN_SHELLEXECUTE previous = g_pfnShellExecute;
    g_pfnShellExecute = pfn ? pfn : ::ShellExecuteA;
    return previous;
}

CLabel::CLabel()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_cr3DHiliteColor(RGB(255, 255, 255)),
      m_hwndBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))),
      m_hBackBrush(NULL),
      m_bState(FALSE),
      m_bTimer(FALSE),
      m_Link(LinkNone),
      m_bTransparent(FALSE),
      m_bFont3D(FALSE),
      m_bNotifyParent(FALSE),
      m_bRotation(FALSE),
      m_Type(FlashNone),
      m_hCursor(NULL),
      m_3dType(0),
      m_bGradient(FALSE),
      m_crHiColor(0),
      m_crLoColor(0)
{
    memset(&m_lf, 0, sizeof(m_lf));
}

CLabel::~CLabel()
{
    m_font.DeleteObject();
    if (m_hwndBrush) ::DeleteObject(m_hwndBrush);
    if (m_hBackBrush) ::DeleteObject(m_hBackBrush);
}

// The label draws in its own font object, made from the control's font as it
// was when the label took the window over.
void CLabel::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    HFONT hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL) hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
    ::GetObject(hFont, sizeof(m_lf), &m_lf);
    ReconstructFont();
}

void CLabel::ReconstructFont()
{
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
}

// Redraws the label at once, then the parent under it, so that a transparent
// label shows a fresh background instead of its old text.
void CLabel::RedrawLabel()
{
    if (!::IsWindow(m_hWnd)) return;
    CRect rc;
    GetWindowRect(rc);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->GetSafeHwnd() != NULL) {
        pParent->ScreenToClient(rc);
        pParent->InvalidateRect(rc, TRUE);
        pParent->UpdateWindow();
    }
}

CLabel& CLabel::SetBkColor(COLORREF crBkgnd, COLORREF crBkgndHigh, BOOL bGradient)
{
    m_crLoColor = crBkgnd;
    m_crHiColor = crBkgndHigh;
    m_bGradient = bGradient;
    if (m_hBackBrush) ::DeleteObject(m_hBackBrush);
    m_hBackBrush = bGradient ? NULL : ::CreateSolidBrush(crBkgnd);
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetTextColor(COLORREF crText)
{
    m_crText = crText;
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetText3DHiliteColor(COLORREF cr3DHiliteColor)
{
    m_cr3DHiliteColor = cr3DHiliteColor;
    RedrawLabel();
    return *this;
}

// A label without a window has no text to change.
CLabel& CLabel::SetText(const CString& strText)
{
    if (::IsWindow(m_hWnd)) {
        SetWindowText(strText);
        RedrawLabel();
    }
    return *this;
}

CLabel& CLabel::SetFontBold(BOOL bBold)
{
    m_lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetFontName(const CString& strFont, BYTE byCharSet)
{
    lstrcpynA(m_lf.lfFaceName, strFont, LF_FACESIZE);
    m_lf.lfCharSet = byCharSet;
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetFontUnderline(BOOL bSet)
{
    m_lf.lfUnderline = (BYTE)(bSet ? 1 : 0);
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetFontItalic(BOOL bSet)
{
    m_lf.lfItalic = (BYTE)(bSet ? 1 : 0);
    ReconstructFont();
    RedrawLabel();
    return *this;
}

// The size is in points: a point font of the current face gives the height
// and width in device units.
CLabel& CLabel::SetFontSize(int nSize)
{
    CFont cf;
    LOGFONT lf;
    cf.CreatePointFont(nSize * 10, m_lf.lfFaceName);
    cf.GetLogFont(&lf);
    m_lf.lfHeight = lf.lfHeight;
    m_lf.lfWidth = lf.lfWidth;
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetFont(LOGFONT lf)
{
    m_lf = lf;
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetRotationAngle(UINT nAngle, BOOL bRotation)
{
    m_lf.lfEscapement = m_lf.lfOrientation = (LONG)(nAngle * 10);
    m_bRotation = bRotation;
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetSunken(BOOL bSet)
{
    if (bSet)
        ModifyStyleEx(0, WS_EX_STATICEDGE, SWP_DRAWFRAME);
    else
        ModifyStyleEx(WS_EX_STATICEDGE, 0, SWP_DRAWFRAME);
    return *this;
}

CLabel& CLabel::SetBorder(BOOL bSet)
{
    if (bSet)
        ModifyStyle(0, WS_BORDER, SWP_DRAWFRAME);
    else
        ModifyStyle(WS_BORDER, 0, SWP_DRAWFRAME);
    return *this;
}

// WS_EX_TRANSPARENT is added either way: the parent then paints first.
CLabel& CLabel::SetTransparent(BOOL bSet)
{
    m_bTransparent = bSet;
    if (::IsWindow(m_hWnd)) ModifyStyleEx(0, WS_EX_TRANSPARENT);
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetText3D(BOOL bSet, int nType)
{
    m_bFont3D = bSet;
    m_3dType = nType;
    RedrawLabel();
    return *this;
}

// Turning either flash on restarts the one timer; turning text flashing off
// also ends the hidden-text phase, turning background flashing off only stops
// the timer.
CLabel& CLabel::FlashText(BOOL bActivate)
{
    if (m_bTimer) KillTimer(kFlashTimer);
    if (bActivate) {
        m_bState = FALSE;
        m_bTimer = TRUE;
        SetTimer(kFlashTimer, kFlashPeriod, NULL);
        m_Type = FlashTextType;
    } else {
        m_Type = FlashNone;
    }
    return *this;
}

CLabel& CLabel::FlashBackground(BOOL bActivate)
{
    if (m_bTimer) KillTimer(kFlashTimer);
    if (bActivate) {
        m_bState = FALSE;
        m_bTimer = TRUE;
        SetTimer(kFlashTimer, kFlashPeriod, NULL);
        m_Type = FlashBackgroundType;
    }
    return *this;
}

CLabel& CLabel::SetLink(BOOL bLink, BOOL bNotifyParent)
{
    m_Link = bLink ? LinkHyper : LinkNone;
    m_bNotifyParent = bNotifyParent;
    if (::IsWindow(m_hWnd)) {
        if (bLink)
            ModifyStyle(0, SS_NOTIFY);
        else
            ModifyStyle(SS_NOTIFY, 0);
    }
    return *this;
}

CLabel& CLabel::SetMailLink(BOOL bEnable, BOOL bNotifyParent)
{
    m_Link = bEnable ? LinkMail : LinkNone;
    m_bNotifyParent = bNotifyParent;
    if (::IsWindow(m_hWnd)) {
        if (bEnable)
            ModifyStyle(0, SS_NOTIFY);
        else
            ModifyStyle(SS_NOTIFY, 0);
    }
    return *this;
}

CLabel& CLabel::SetLinkCursor(HCURSOR hCursor)
{
    m_hCursor = hCursor;
    return *this;
}

CLabel& CLabel::SetLinkAddress(const CString& strLink)
{
    m_sLink = strLink;
    return *this;
}

void CLabel::OnTimer(UINT_PTR nIDEvent)
{
    m_bState = !m_bState;
    RedrawLabel();
    CStatic::OnTimer(nIDEvent);
}

// A click is either reported to the parent or opens the link; a mail link
// always writes to the label's own text.
void CLabel::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bNotifyParent) {
        NMHDR nm;
        nm.hwndFrom = m_hWnd;
        nm.idFrom = (UINT_PTR)GetDlgCtrlID();
        nm.code = NM_LINKCLICK;
        CWnd* pParent = GetParent();
        if (pParent != NULL)
            pParent->SendMessage(WM_NOTIFY, nm.idFrom, (LPARAM)&nm);
    } else if (m_Link == LinkHyper) {
        CString strText;
        GetWindowText(strText);
        const CString& target = m_sLink.IsEmpty() ? strText : m_sLink;
        g_pfnShellExecute(NULL, "open", target, NULL, NULL, SW_SHOWNORMAL);
    } else if (m_Link == LinkMail) {
        CString strText;
        GetWindowText(strText);
        CString target = "mailto:" + strText;
        g_pfnShellExecute(NULL, NULL, target, NULL, NULL, SW_SHOWNORMAL);
    }
    CStatic::OnLButtonDown(nFlags, point);
}

BOOL CLabel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CLabel::OnSysColorChange()
{
    if (m_hwndBrush) ::DeleteObject(m_hwndBrush);
    m_hwndBrush = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    RedrawLabel();
}

BOOL CLabel::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CLabel::OnPaint()
{
    CPaintDC dc(this);
    DrawLabel(&dc);
}

LRESULT CLabel::OnPrintClient(WPARAM wParam, LPARAM)
{
    DrawLabel(CDC::FromHandle((HDC)wParam));
    return 0;
}

void CLabel::DrawLabel(CDC* pTarget)
{
    HDC hTarget = pTarget->GetSafeHdc();
    CRect rc;
    GetClientRect(rc);
    CString strText;
    GetWindowText(strText);

    // Opaque labels draw off screen and copy once, so flashing does not flicker.
    HDC hdc = hTarget;
    HBITMAP hBitmap = NULL, hOldBitmap = NULL;
    if (!m_bTransparent) {
        hdc = ::CreateCompatibleDC(hTarget);
        hBitmap = ::CreateCompatibleBitmap(hTarget, rc.Width(), rc.Height());
        hOldBitmap = (HBITMAP)::SelectObject(hdc, hBitmap);
    }

    int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
    COLORREF crOldText = ::SetTextColor(hdc, m_crText);
    HFONT hOldFont = (HFONT)::SelectObject(hdc, m_font.GetSafeHandle() ? (HFONT)m_font.GetSafeHandle()
                                                                        : (HFONT)::GetStockObject(SYSTEM_FONT));

    HBRUSH hBrush = m_hBackBrush ? m_hBackBrush : m_hwndBrush;
    if (!m_bTransparent) {
        // A flashing background shows the default face colour in its off phase.
        if (m_Type == FlashBackgroundType && !m_bState)
            ::FillRect(hdc, rc, m_hwndBrush);
        else if (m_bGradient)
            DrawGradient(CDC::FromHandle(hdc), rc, m_crLoColor, m_crHiColor, kGradientBands);
        else
            ::FillRect(hdc, rc, hBrush);
    }

    // Text flashing hides the text in the off phase by drawing it in the
    // background's own colour.
    if (m_Type == FlashTextType && !m_bState) {
        LOGBRUSH lb;
        if (::GetObject(hBrush, sizeof(lb), &lb)) ::SetTextColor(hdc, lb.lbColor);
    }

    DWORD dwStyle = GetStyle();
    UINT nFormat;
    DWORD dwAlign = dwStyle & SS_TYPEMASK;
    if (dwAlign == SS_CENTER)
        nFormat = DT_CENTER | DT_WORDBREAK;
    else if (dwAlign == SS_RIGHT)
        nFormat = DT_RIGHT | DT_WORDBREAK;
    else if (dwAlign == SS_LEFTNOWORDWRAP)
        nFormat = DT_LEFT;
    else
        nFormat = DT_WORDBREAK;
    if (strText.Find('\t') != -1) nFormat |= DT_EXPANDTABS;
    if (dwStyle & SS_CENTERIMAGE) {
        // Several lines cannot be centred vertically by DrawText.
        nFormat = strText.Find("\r\n") == -1 ? (DT_SINGLELINE | DT_VCENTER | DT_CENTER) : DT_CENTER;
    }

    if (m_bRotation) {
        UINT nOldAlign = ::SetTextAlign(hdc, TA_CENTER | TA_BASELINE);
        POINT ptOld;
        ::SetViewportOrgEx(hdc, rc.Width() / 2, rc.Height() / 2, &ptOld);
        ::TextOutA(hdc, 0, 0, strText, strText.GetLength());
        ::SetViewportOrgEx(hdc, ptOld.x, ptOld.y, NULL);
        ::SetTextAlign(hdc, nOldAlign);
    } else {
        CRect rcText = rc;
        ::DrawTextA(hdc, strText, strText.GetLength(), rcText, nFormat);
        if (m_bFont3D) {
            ::SetTextColor(hdc, m_cr3DHiliteColor);
            int d = m_3dType ? 1 : -1;
            rcText.OffsetRect(d, d);
            ::DrawTextA(hdc, strText, strText.GetLength(), rcText, nFormat);
        }
    }

    ::SetBkMode(hdc, nOldMode);
    ::SelectObject(hdc, hOldFont);
    ::SetTextColor(hdc, crOldText);

    if (!m_bTransparent) {
        ::BitBlt(hTarget, 0, 0, rc.Width(), rc.Height(), hdc, 0, 0, SRCCOPY);
        ::SelectObject(hdc, hOldBitmap);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hdc);
    }
}

// Colour channels step in 8.8 fixed point so that many narrow bands still
// reach the end colour; the last band always ends at the right edge.
void CLabel::DrawGradient(CDC* pDC, LPCRECT lpRect, COLORREF crStart, COLORREF crEnd, int nSegments)
{
    HDC hdc = pDC->GetSafeHdc();
    int width = lpRect->right - lpRect->left;
    if (nSegments > width) nSegments = width;
    if (width <= 0) return;
    int n = nSegments > 1 ? nSegments : 1;

    int r = GetRValue(crStart) * 256, g = GetGValue(crStart) * 256, b = GetBValue(crStart) * 256;
    int dr = ((GetRValue(crEnd) - GetRValue(crStart)) * 256) / n;
    int dg = ((GetGValue(crEnd) - GetGValue(crStart)) * 256) / n;
    int db = ((GetBValue(crEnd) - GetBValue(crStart)) * 256) / n;
    int step = width / n;

    HPEN hOldPen = (HPEN)::SelectObject(hdc, ::GetStockObject(NULL_PEN));
    int left = lpRect->left;
    for (int i = 0; i < n; ++i) {
        int right = (i == n - 1) ? lpRect->right : left + step;
        HBRUSH hBrush = ::CreateSolidBrush(RGB(r / 256, g / 256, b / 256));
        HBRUSH hOld = (HBRUSH)::SelectObject(hdc, hBrush);
        ::Rectangle(hdc, left, lpRect->top, right + 1, lpRect->bottom + 1);
        ::SelectObject(hdc, hOld);
        ::DeleteObject(hBrush);
        left = right;
        r += dr;
        g += dg;
        b += db;
    }
    ::SelectObject(hdc, hOldPen);
}
