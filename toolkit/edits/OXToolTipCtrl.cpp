// COXToolTipCtrl - the toolkit's own tooltip window.
#include "OXToolTipCtrl.h"

#include <afxcoll.h>

#include <algorithm>

namespace {

const UINT_PTR kShowTimer = 1;
const UINT_PTR kCheckTimer = 2;
const COLORREF kSystemColour = 0xFF000000;
const TCHAR kExtendedSeparator = '\r';
// The black frame drawn round the tip. The margins are counted inside it:
// counted from the window's edge, the frame would take a pixel of each and
// leave the text touching it.
const int kFrame = 1;

COLORREF ResolveColour(COLORREF clr, int nSysColor)
{
    return clr == kSystemColour ? ::GetSysColor(nSysColor) : clr;
}

}  // namespace

IMPLEMENT_DYNAMIC(COXToolTipCtrl, CWnd)

BEGIN_MESSAGE_MAP(COXToolTipCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SETFOCUS()
    ON_WM_DESTROY()
    ON_WM_SETTINGCHANGE()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

COXToolTipCtrl::COXToolTipCtrl()
    : m_pParentWnd(NULL), m_rectMargin(2, 2, 3, 3), m_nMaxWidth(0), m_ptOffset(0, 20),
      m_nDrawFlags(DT_WORDBREAK | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_NOPREFIX), m_bSystemFont(TRUE),
      m_pCurrentTool(NULL), m_nCheckPeriod(500), m_nAutoPopDelay(5000), m_nElapsed(0), m_nInitialDelay(500),
      m_bActive(TRUE), m_bHidden(FALSE), m_bHasExtendedText(FALSE), m_bExtendedMode(FALSE),
      m_crBkColor(kSystemColour), m_crTextColor(kSystemColour), m_hWndFocus(NULL)
{
    memset(&m_lf, 0, sizeof(m_lf));
}

COXToolTipCtrl::~COXToolTipCtrl()
{
    m_font.DeleteObject();
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); ++i)
        delete (COXToolTipInfo*)m_arrTools[i];
    m_arrTools.RemoveAll();
    m_pCurrentTool = NULL;
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL COXToolTipCtrl::Create(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    LPCTSTR cls = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC, ::LoadCursor(NULL, IDC_ARROW));
    if (!CreateEx(WS_EX_TOPMOST, cls, "", WS_POPUP, 0, 0, 10, 10, pParentWnd->GetSafeHwnd(), NULL))
        return FALSE;
    const LOGFONT* plf = GetSystemTipFont();
    if (plf)
        SetLogFont(plf, FALSE);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Tools
// ---------------------------------------------------------------------------

CRect COXToolTipCtrl::ToolRectInOwner(CWnd* pWnd, LPCRECT lpRect) const
{
    CRect rect;
    if (lpRect) {
        rect = *lpRect;
        pWnd->ClientToScreen(&rect);
    } else {
        pWnd->GetWindowRect(&rect);
    }
    if (m_pParentWnd && m_pParentWnd->GetSafeHwnd())
        m_pParentWnd->ScreenToClient(&rect);
    return rect;
}

BOOL COXToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRect, UINT nIDTool)
{
    if (pWnd == NULL)
        return FALSE;
    COXToolTipInfo* pTool = new COXToolTipInfo;
    pTool->m_hWnd = pWnd->GetSafeHwnd();
    pTool->m_nID = nIDTool;
    if (lpszText == LPSTR_TEXTCALLBACK) {
        pTool->m_nTextType = -1;
    } else {
        pTool->m_nTextType = 0;
        pTool->m_strText = lpszText;
    }
    pTool->m_nMaxWidth = m_nMaxWidth;
    pTool->m_crTextColor = m_crTextColor;
    pTool->m_crBkColor = m_crBkColor;
    pTool->m_lParam = 0;
    pTool->m_rect = ToolRectInOwner(pWnd, lpRect);
    m_arrTools.Add(pTool);
    return TRUE;
}

BOOL COXToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRect, UINT nIDTool)
{
    CString text;
    text.LoadString(nIDText);
    return AddTool(pWnd, text, lpRect, nIDTool);
}

COXToolTipInfo* COXToolTipCtrl::FindTool(CWnd* pWnd, UINT nIDTool)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); ++i) {
        COXToolTipInfo* pTool = (COXToolTipInfo*)m_arrTools[i];
        if (pTool->m_hWnd == hWnd && pTool->m_nID == nIDTool)
            return pTool;
    }
    return NULL;
}

void COXToolTipCtrl::RemoveTool(CWnd* pWnd, UINT nIDTool)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); ++i) {
        COXToolTipInfo* pTool = (COXToolTipInfo*)m_arrTools[i];
        if (pTool->m_hWnd == hWnd && pTool->m_nID == nIDTool) {
            if (pTool == m_pCurrentTool)
                HideTip();
            m_arrTools.RemoveAt(i);
            delete pTool;
            return;
        }
    }
}

BOOL COXToolTipCtrl::SetToolRect(CWnd* pWnd, LPCRECT lpRect, UINT nIDTool)
{
    COXToolTipInfo* pTool = FindTool(pWnd, nIDTool);
    if (!pTool)
        return FALSE;
    if (pTool == m_pCurrentTool)
        HideTip();
    pTool->m_rect = ToolRectInOwner(pWnd, lpRect);
    return TRUE;
}

BOOL COXToolTipCtrl::GetToolData(OXTOOLTIPDATA* pData, CWnd* pWnd, UINT nIDTool)
{
    COXToolTipInfo* pTool = FindTool(pWnd, nIDTool);
    if (!pTool || !pData)
        return FALSE;
    pData->cbSize = sizeof(OXTOOLTIPDATA);
    pData->uFlags = pTool->m_nFlags;
    pData->hwnd = pTool->m_hWnd;
    pData->uId = pTool->m_nID;
    pData->rect = pTool->m_rect;
    pData->hinst = AfxGetResourceHandle();
    pData->lpszText = pTool->m_nTextType == -1 ? LPSTR_TEXTCALLBACK : (LPSTR)(LPCTSTR)pTool->m_strText;
    pData->lParam = pTool->m_lParam;
    pData->nMaxWidth = pTool->m_nMaxWidth;
    pData->clrTextColor = pTool->m_crTextColor;
    pData->clrBkColor = pTool->m_crBkColor;
    return TRUE;
}

void COXToolTipCtrl::SetToolData(const OXTOOLTIPDATA* pData)
{
    if (!pData)
        return;
    COXToolTipInfo* pTool = FindTool(CWnd::FromHandle(pData->hwnd), (UINT)pData->uId);
    if (!pTool)
        return;
    pTool->m_nFlags = pData->uFlags;
    pTool->m_hWnd = pData->hwnd;
    pTool->m_nID = (UINT)pData->uId;
    pTool->m_rect = pData->rect;
    if (pData->lpszText == LPSTR_TEXTCALLBACK) {
        pTool->m_nTextType = -1;
        pTool->m_strText.Empty();
    } else {
        pTool->m_nTextType = 0;
        pTool->m_strText = pData->lpszText ? pData->lpszText : "";
    }
    pTool->m_nMaxWidth = pData->nMaxWidth;
    pTool->m_crTextColor = pData->clrTextColor;
    pTool->m_crBkColor = pData->clrBkColor;
    pTool->m_lParam = pData->lParam;
}

void COXToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT nIDTool)
{
    COXToolTipInfo* pTool = FindTool(pWnd, nIDTool);
    if (pTool)
        str = GetTipText(pTool);
}

// Defaults that tools still carrying the old default follow; a tool given a
// value of its own keeps it.
int COXToolTipCtrl::SetMaxTipWidth(int nWidth)
{
    int nOld = m_nMaxWidth;
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); ++i) {
        COXToolTipInfo* pTool = (COXToolTipInfo*)m_arrTools[i];
        if (pTool->m_nMaxWidth == nOld)
            pTool->m_nMaxWidth = nWidth;
    }
    m_nMaxWidth = nWidth;
    return nOld;
}

void COXToolTipCtrl::SetTipBkColor(COLORREF clr)
{
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); ++i) {
        COXToolTipInfo* pTool = (COXToolTipInfo*)m_arrTools[i];
        if (pTool->m_crBkColor == m_crBkColor)
            pTool->m_crBkColor = clr;
    }
    m_crBkColor = clr;
}

void COXToolTipCtrl::SetTipTextColor(COLORREF clr)
{
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); ++i) {
        COXToolTipInfo* pTool = (COXToolTipInfo*)m_arrTools[i];
        if (pTool->m_crTextColor == m_crTextColor)
            pTool->m_crTextColor = clr;
    }
    m_crTextColor = clr;
}

void COXToolTipCtrl::SetDelayTime(DWORD dwType, int nTime)
{
    if (dwType == TTDT_AUTOPOP)
        m_nAutoPopDelay = (UINT)nTime;
    else if (dwType == TTDT_INITIAL)
        m_nInitialDelay = (UINT)nTime;
}

int COXToolTipCtrl::GetDelayTime(DWORD dwType) const
{
    if (dwType == TTDT_AUTOPOP)
        return (int)m_nAutoPopDelay;
    if (dwType == TTDT_INITIAL)
        return (int)m_nInitialDelay;
    return 0;
}

// ---------------------------------------------------------------------------
// Font
// ---------------------------------------------------------------------------

LOGFONT* COXToolTipCtrl::GetSystemTipFont()
{
    static LOGFONT lf;
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        return NULL;
    lf = ncm.lfStatusFont;
    return &lf;
}

BOOL COXToolTipCtrl::SetLogFont(const LOGFONT* plf, BOOL bRedraw)
{
    if (plf == NULL)
        return FALSE;
    m_lf = *plf;
    const LOGFONT* pSys = GetSystemTipFont();
    m_bSystemFont = pSys && pSys->lfWeight == m_lf.lfWeight && pSys->lfItalic == m_lf.lfItalic &&
                    pSys->lfHeight == m_lf.lfHeight && pSys->lfCharSet == m_lf.lfCharSet &&
                    memcmp(pSys->lfFaceName, m_lf.lfFaceName, sizeof(m_lf.lfFaceName)) == 0;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
    if (bRedraw && GetSafeHwnd())
        Invalidate(TRUE);
    return TRUE;
}

LRESULT COXToolTipCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    (void)lParam;
    LOGFONT lf;
    if (wParam && ::GetObject((HFONT)wParam, sizeof(lf), &lf) == sizeof(lf)) {
        SetLogFont(&lf, TRUE);
    } else {
        const LOGFONT* pSys = GetSystemTipFont();
        if (pSys)
            SetLogFont(pSys, TRUE);
    }
    return lResult;
}

LRESULT COXToolTipCtrl::OnGetFont(WPARAM, LPARAM)
{
    return (LRESULT)m_font.GetSafeHandle();
}

void COXToolTipCtrl::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    if (m_bSystemFont) {
        const LOGFONT* pSys = GetSystemTipFont();
        if (pSys)
            SetLogFont(pSys, TRUE);
    }
}

// ---------------------------------------------------------------------------
// Text, size and place (no window needed)
// ---------------------------------------------------------------------------

CString COXToolTipCtrl::GetFieldFromString(CString str, int nIndex, TCHAR chSep)
{
    int start = 0;
    for (int i = 0; i < nIndex; ++i) {
        int sep = str.Find(chSep, start);
        if (sep < 0)
            return CString();
        start = sep + 1;
    }
    int end = str.Find(chSep, start);
    return end < 0 ? str.Mid(start) : str.Mid(start, end - start);
}

CString COXToolTipCtrl::ShownText(const CString& strRaw, BOOL bExtended, BOOL* pbHasExtended)
{
    BOOL bHas = strRaw.Find(kExtendedSeparator) >= 0;
    if (pbHasExtended)
        *pbHasExtended = bHas;
    if (!bHas)
        return strRaw;
    if (bExtended)
        return "  " + GetFieldFromString(strRaw, 1, kExtendedSeparator);
    return GetFieldFromString(strRaw, 0, kExtendedSeparator) + "  ";
}

CRect COXToolTipCtrl::PlaceTipRect(CPoint pt, const CRect& rectSize, const CRect& rectMonitor, int toolTop)
{
    CRect rect(pt, CSize(rectSize.Width(), rectSize.Height()));
    if (rect.right > rectMonitor.right)
        rect.OffsetRect(rectMonitor.right - rect.right, 0);
    if (rect.left < rectMonitor.left)
        rect.OffsetRect(rectMonitor.left - rect.left, 0);
    if (rect.bottom > rectMonitor.bottom) {
        int h = rect.Height();
        rect.bottom = toolTop;
        rect.top = toolTop - h;
    }
    return rect;
}

CString COXToolTipCtrl::GetTipText(COXToolTipInfo* pTool)
{
    if (pTool == NULL)
        return CString();
    CString text;
    if (pTool->m_nTextType != -1) {
        text = pTool->m_strText;
    } else if (m_pParentWnd && m_pParentWnd->GetSafeHwnd()) {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = GetSafeHwnd();
        info.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(pTool->m_hWnd);
        info.hdr.code = TTN_NEEDTEXTA;
        m_pParentWnd->SendMessage(WM_NOTIFY, pTool->m_nID, (LPARAM)&info);
        if (info.hinst) {
            // A failed load gives an empty text, and an empty text no tip.
            char buffer[512] = "";
            if (!::LoadStringA(info.hinst, (UINT)(UINT_PTR)info.lpszText, buffer, sizeof(buffer)))
                buffer[0] = 0;
            text = buffer;
        } else if (info.lpszText) {
            text = info.lpszText;
        } else {
            text = info.szText;
        }
    }
    return ShownText(text, m_bExtendedMode, &m_bHasExtendedText);
}

CRect COXToolTipCtrl::CalculateTipSize(CString strText, int nMaxWidth)
{
    CWindowDC dc(NULL);
    CFont* pOld = m_font.GetSafeHandle() ? dc.SelectObject(&m_font) : NULL;
    int width = nMaxWidth;
    if (nMaxWidth == 0) {
        int start = 0;
        for (;;) {
            int end = strText.Find('\n', start);
            CString line = (end < 0 ? strText.Mid(start) : strText.Mid(start, end - start)) + "  ";
            width = std::max(width, (int)dc.GetTextExtent(line).cx);
            if (end < 0)
                break;
            start = end + 1;
        }
    }
    CRect rect(0, 0, std::max(width, 0), 0);
    dc.DrawText(strText, &rect, m_nDrawFlags | DT_CALCRECT);
    if (pOld)
        dc.SelectObject(pOld);
    rect.right += m_rectMargin.left + m_rectMargin.right + 2 * kFrame;
    rect.bottom += m_rectMargin.top + m_rectMargin.bottom + 2 * kFrame;
    return rect;
}

CRect COXToolTipCtrl::AdjustTipRect(CPoint& pt, COXToolTipInfo* pTool, const CRect& rectSize)
{
    CRect rect(pt, CSize(rectSize.Width(), rectSize.Height()));
    MONITORINFO mi = {sizeof(mi)};
    CRect rectMonitor(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (::GetMonitorInfo(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &mi))
        rectMonitor = mi.rcMonitor;
    CRect rectTool;
    if (pTool && ::IsWindow(pTool->m_hWnd))
        ::GetWindowRect(pTool->m_hWnd, &rectTool);
    else
        rectTool = rect;
    return PlaceTipRect(pt, rectSize, rectMonitor, rectTool.top);
}

// ---------------------------------------------------------------------------
// Showing, tracking, hiding
// ---------------------------------------------------------------------------

void COXToolTipCtrl::DisplayTip(CPoint pt, BOOL bExtended)
{
    if (!m_bActive || m_pCurrentTool == NULL || !GetSafeHwnd())
        return;
    m_bExtendedMode = bExtended;
    CString text = GetTipText(m_pCurrentTool);
    if (text.IsEmpty())
        return;
    CRect size = CalculateTipSize(text, m_pCurrentTool->m_nMaxWidth);
    CRect rect = AdjustTipRect(pt, m_pCurrentTool, size);
    ShowWindow(SW_HIDE);
    SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
}

void COXToolTipCtrl::TrackTool(COXToolTipInfo* pTool)
{
    KillTimer(kShowTimer);
    KillTimer(kCheckTimer);
    ShowWindow(SW_HIDE);
    m_bHidden = FALSE;
    m_pCurrentTool = pTool;
    SetTimer(kShowTimer, m_nInitialDelay, NULL);
}

void COXToolTipCtrl::HideTip()
{
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
    m_bHidden = TRUE;
    m_pCurrentTool = NULL;
}

COXToolTipInfo* COXToolTipCtrl::ToolFromPoint(CPoint pt)
{
    if (!m_pParentWnd || !m_pParentWnd->GetSafeHwnd())
        return NULL;
    HWND hOwner = m_pParentWnd->GetSafeHwnd();
    CPoint ptScreen = pt;
    ::ClientToScreen(hOwner, &ptScreen);
    HWND hWnd = ::WindowFromPoint(ptScreen);
    if (hWnd == hOwner) {
        hWnd = ::ChildWindowFromPointEx(hOwner, pt, CWP_ALL);
        if (hWnd == NULL)
            return NULL;
    }
    if (hWnd != hOwner && !::IsChild(hOwner, hWnd))
        return NULL;
    // A tool of a descendant that holds the point narrows the search to it.
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); ++i) {
        COXToolTipInfo* pTool = (COXToolTipInfo*)m_arrTools[i];
        if (!pTool->m_rect.PtInRect(pt))
            continue;
        if (pTool->m_hWnd == hWnd)
            return pTool;
        if (::IsChild(hWnd, pTool->m_hWnd)) {
            hWnd = pTool->m_hWnd;
            i = -1;
        }
    }
    return NULL;
}

BOOL COXToolTipCtrl::IsCursorOverTip() const
{
    if (m_bHidden || !GetSafeHwnd() || !IsWindowVisible())
        return FALSE;
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rect;
    GetWindowRect(&rect);
    return rect.PtInRect(pt);
}

void COXToolTipCtrl::RelayEvent(MSG* pMsg)
{
    if (pMsg == NULL || !GetSafeHwnd())
        return;
    switch (pMsg->message) {
    case WM_MOUSEMOVE: {
        if (!m_pParentWnd || !m_pParentWnd->GetSafeHwnd())
            return;
        CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &pt);
        m_pParentWnd->ScreenToClient(&pt);
        COXToolTipInfo* pTool = ToolFromPoint(pt);
        if (pTool == NULL) {
            // A tip with an extended part stays while the pointer moves onto it.
            if (!(m_bHasExtendedText && !m_bHidden))
                m_pCurrentTool = NULL;
        } else if (pTool != m_pCurrentTool && !IsCursorOverTip()) {
            TrackTool(pTool);
        }
        break;
    }
    case WM_LBUTTONDOWN:
        if (!IsCursorOverTip())
            HideTip();
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        HideTip();
        break;
    default:
        if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
            HideTip();
        break;
    }
}

void COXToolTipCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (m_pCurrentTool == NULL || m_bHidden) {
        KillTimer(nIDEvent);
        HideTip();
        return;
    }
    CPoint ptScreen;
    ::GetCursorPos(&ptScreen);
    CPoint pt = ptScreen;
    m_pParentWnd->ScreenToClient(&pt);
    COXToolTipInfo* pUnder = ToolFromPoint(pt);
    if (nIDEvent == kShowTimer) {
        KillTimer(kShowTimer);
        if (pUnder && pUnder->m_hWnd == m_pCurrentTool->m_hWnd) {
            DisplayTip(ptScreen + m_ptOffset, FALSE);
            m_nElapsed = 0;
            SetTimer(kCheckTimer, m_nCheckPeriod, NULL);
        } else {
            m_pCurrentTool = NULL;
        }
    } else if (nIDEvent == kCheckTimer) {
        m_nElapsed += m_nCheckPeriod;
        if (pUnder && pUnder != m_pCurrentTool) {
            KillTimer(kCheckTimer);
            HideTip();
            return;
        }
        BOOL bKeep = (pUnder && pUnder->m_hWnd == m_pCurrentTool->m_hWnd && m_nElapsed < m_nAutoPopDelay) ||
                     IsCursorOverTip();
        if (!bKeep) {
            KillTimer(kCheckTimer);
            HideTip();
        }
    }
}

// A click on the tip switches between the short and the extended text.
void COXToolTipCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    if (m_pCurrentTool == NULL || m_bHidden)
        return;
    if (m_bHasExtendedText) {
        CRect rect;
        GetWindowRect(&rect);
        DisplayTip(rect.TopLeft(), !m_bExtendedMode);
    }
    if (m_hWndFocus && ::IsWindow(m_hWndFocus))
        ::SetFocus(m_hWndFocus);
}

void COXToolTipCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
}

void COXToolTipCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    m_hWndFocus = pOldWnd->GetSafeHwnd();
}

void COXToolTipCtrl::OnDestroy()
{
    KillTimer(kShowTimer);
    KillTimer(kCheckTimer);
    CWnd::OnDestroy();
}

int COXToolTipCtrl::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

void COXToolTipCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_pCurrentTool == NULL)
        return;
    CString text = GetTipText(m_pCurrentTool);
    if (text.IsEmpty())
        return;
    CRect rect;
    GetClientRect(&rect);
    CBrush brush(ResolveColour(m_pCurrentTool->m_crBkColor, COLOR_INFOBK));
    dc.FillRect(&rect, &brush);
    dc.SetTextColor(ResolveColour(m_pCurrentTool->m_crTextColor, COLOR_INFOTEXT));
    CFont* pOldFont = m_font.GetSafeHandle() ? dc.SelectObject(&m_font) : NULL;

    HGDIOBJ hOldBrush = ::SelectObject(dc.GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
    HGDIOBJ hOldPen = ::SelectObject(dc.GetSafeHdc(), ::GetStockObject(BLACK_PEN));
    dc.Rectangle(&rect);

    dc.SetBkMode(TRANSPARENT);
    rect.DeflateRect(kFrame + m_rectMargin.left, kFrame + m_rectMargin.top, kFrame + m_rectMargin.right,
                     kFrame + m_rectMargin.bottom);
    dc.DrawText(text, &rect, m_nDrawFlags);

    if (m_bHasExtendedText) {
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        int h = std::max((int)tm.tmDescent, (int)(tm.tmInternalLeading + tm.tmExternalLeading));
        int w = tm.tmAveCharWidth / 2;
        CSize blanks = dc.GetTextExtent("  ");
        int cx = blanks.cx, cy = blanks.cy & ~1;
        POINT pts[4];
        if (m_bExtendedMode) {
            pts[0] = {rect.left + cx - w, rect.top + h};
            pts[1] = {rect.left + cx - w, rect.top + cy - h};
            pts[2] = {rect.left, rect.top + cy / 2};
        } else {
            pts[0] = {rect.right - cx + w, rect.top + h};
            pts[1] = {rect.right - cx + w, rect.top + cy - h};
            pts[2] = {rect.right, rect.top + cy / 2};
        }
        pts[3] = pts[0];
        ::SelectObject(dc.GetSafeHdc(), ::GetStockObject(BLACK_BRUSH));
        dc.Polygon(pts, 4);
    }
    ::SelectObject(dc.GetSafeHdc(), hOldPen);
    ::SelectObject(dc.GetSafeHdc(), hOldBrush);
    if (pOldFont)
        dc.SelectObject(pOldFont);
}
