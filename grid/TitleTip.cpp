// TitleTip.cpp - the grid's title tip.
#include "TitleTip.h"

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CTitleTip::CTitleTip()
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASS wndcls;
    if (!::GetClassInfo(hInst, TITLETIP_WNDCLASS, &wndcls)) {
        memset(&wndcls, 0, sizeof(wndcls));
        wndcls.style = CS_SAVEBITS;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wndcls.hbrBackground = (HBRUSH)(COLOR_INFOBK + 1);
        wndcls.lpszClassName = TITLETIP_WNDCLASS;
        if (!AfxRegisterClass(&wndcls))
            AfxThrowResourceException();
    }
    m_pOwnerGrid = NULL;
    m_lastPressTick = ULONG_MAX;
    m_doubleClickTime = ::GetDoubleClickTime();
    m_bWindowCreated = FALSE;
}

CTitleTip::~CTitleTip() {}

BOOL CTitleTip::Create(CWnd* pParentWnd)
{
    if (m_bWindowCreated)
        return TRUE;
    m_pOwnerGrid = pParentWnd;
    DWORD dwStyle = WS_BORDER | WS_POPUP;
    DWORD dwExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    m_bWindowCreated = CreateEx(dwExStyle, TITLETIP_WNDCLASS, NULL, dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, NULL);
    return m_bWindowCreated;
}

BOOL CTitleTip::DestroyWindow()
{
    m_bWindowCreated = FALSE;
    return CWnd::DestroyWindow();
}

void CTitleTip::Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset, LPRECT lpHoverRect,
                     const LOGFONT* lpLogFont, COLORREF crTextClr, COLORREF crBackClr)
{
    if (!::IsWindow(GetSafeHwnd()))
        Create(m_pOwnerGrid);
    if (!::IsWindow(GetSafeHwnd()) || m_pOwnerGrid == NULL)
        return;

    if (rectTitle.IsRectEmpty())
        return;
    if (IsWindowVisible())
        return;

    m_hoverArea = (lpHoverRect != NULL) ? CRect(lpHoverRect) : rectTitle;
    m_hoverArea.right++;
    m_hoverArea.bottom++;
    m_pOwnerGrid->ClientToScreen(m_hoverArea);
    ScreenToClient(m_hoverArea);

    // Only when the application has the keyboard focus.
    if (GetFocus() == NULL)
        return;

    m_textArea.top = -1;
    m_textArea.left = -xoffset - 1;
    m_textArea.right = rectTitle.Width() - xoffset;
    m_textArea.bottom = rectTitle.Height() + 1;

    m_pOwnerGrid->ClientToScreen(rectTitle);

    CClientDC dc(this);
    CString strTitle = _T(" ");
    strTitle += lpszTitleText;
    strTitle += _T(" ");

    CFont font;
    CFont* pOldFont = NULL;
    if (lpLogFont != NULL) {
        font.CreateFontIndirect(lpLogFont);
        pOldFont = dc.SelectObject(&font);
    } else
        pOldFont = dc.SelectObject(m_pOwnerGrid->GetFont());

    CSize size = dc.GetTextExtent(strTitle);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    size.cx += tm.tmOverhang;

    CRect rectDisplay = rectTitle;
    rectDisplay.left += xoffset;
    rectDisplay.right = rectDisplay.left + size.cx + xoffset;

    // Shown only when the text does not fit.
    if (rectTitle.left + size.cx + 2 * xoffset > rectTitle.right - xoffset) {
        SetWindowPos(&wndTop, rectDisplay.left, rectDisplay.top, rectDisplay.Width(), rectDisplay.Height(),
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);

        if (crBackClr != CLR_DEFAULT) {
            CRect rect;
            GetClientRect(rect);
            dc.FillSolidRect(rect, crBackClr);
        }
        if (crTextClr != CLR_DEFAULT)
            dc.SetTextColor(crTextClr);
        dc.SetBkMode(TRANSPARENT);
        CRect rectClient;
        GetClientRect(rectClient);
        dc.DrawText(strTitle, rectClient, DT_EDITCONTROL);

        SetCapture();
    }

    dc.SelectObject(pOldFont);
}

void CTitleTip::Hide()
{
    if (!::IsWindow(GetSafeHwnd()))
        return;
    if (GetCapture()->GetSafeHwnd() == GetSafeHwnd())
        ReleaseCapture();
    ShowWindow(SW_HIDE);
}

void CTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_hoverArea.PtInRect(point)) {
        Hide();

        // The move goes on to the window under the pointer.
        ClientToScreen(&point);
        CWnd* pWnd = WindowFromPoint(point);
        if (pWnd == NULL)
            return;
        if (pWnd->GetSafeHwnd() == GetSafeHwnd())
            pWnd = m_pOwnerGrid;
        if (pWnd == NULL)
            return;

        int hittest = (int)pWnd->SendMessage(WM_NCHITTEST, 0, MAKELONG(point.x, point.y));
        if (hittest == HTCLIENT) {
            pWnd->ScreenToClient(&point);
            pWnd->PostMessage(WM_MOUSEMOVE, nFlags, MAKELONG(point.x, point.y));
        } else
            pWnd->PostMessage(WM_NCMOUSEMOVE, hittest, MAKELONG(point.x, point.y));
    }
}

BOOL CTitleTip::PreTranslateMessage(MSG* pMsg)
{
    DWORD dwTick = 0;
    BOOL bDoubleClick = FALSE;

    CWnd* pWnd;
    int hittest;
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
        dwTick = GetTickCount();
        bDoubleClick = ((dwTick - m_lastPressTick) <= m_doubleClickTime);
        m_lastPressTick = dwTick;
        // fall through
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        POINTS pts = MAKEPOINTS(pMsg->lParam);
        POINT point;
        point.x = pts.x;
        point.y = pts.y;
        ClientToScreen(&point);
        Hide();

        pWnd = WindowFromPoint(point);
        if (pWnd == NULL)
            return CWnd::PreTranslateMessage(pMsg);
        if (pWnd->GetSafeHwnd() == GetSafeHwnd())
            pWnd = m_pOwnerGrid;
        if (pWnd == NULL)
            return CWnd::PreTranslateMessage(pMsg);

        hittest = (int)pWnd->SendMessage(WM_NCHITTEST, 0, MAKELONG(point.x, point.y));
        if (hittest == HTCLIENT) {
            pWnd->ScreenToClient(&point);
            pMsg->lParam = MAKELONG(point.x, point.y);
        } else {
            switch (pMsg->message) {
            case WM_LBUTTONDOWN: pMsg->message = WM_NCLBUTTONDOWN; break;
            case WM_RBUTTONDOWN: pMsg->message = WM_NCRBUTTONDOWN; break;
            case WM_MBUTTONDOWN: pMsg->message = WM_NCMBUTTONDOWN; break;
            }
            pMsg->wParam = hittest;
            pMsg->lParam = MAKELONG(point.x, point.y);
        }

        if (bDoubleClick)
            pWnd->PostMessage(WM_LBUTTONDBLCLK, pMsg->wParam, pMsg->lParam);
        else
            pWnd->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }

    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pOwnerGrid != NULL)
            m_pOwnerGrid->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }

    if (GetFocus() == NULL) {
        Hide();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}
