#include "OXIntelliMouse.h"

#include "toolkit_res.h"

IMPLEMENT_DYNAMIC(COXIntelliMouse, COXHookWnd)

CMap<DWORD, DWORD, COXIntelliMouseOrganizer*, COXIntelliMouseOrganizer*> COXIntelliMouseOrganizer::m_mapThreadOrganizer;
HHOOK COXIntelliMouseOrganizer::g_hCBTHook = NULL;
HHOOK COXIntelliMouseOrganizer::g_hGetMessageHook = NULL;

namespace
{
const UINT kTickMs = 100;
const int kHorzStep = 25;   // pixels of pointer distance per line a tick
const int kVertStep = 10;

struct CDirCursor
{
    _tagSCROLLDIRECTION nDir;
    UINT nID;
};
const CDirCursor kCursors[] = {
    {OX_SCROLL_LEFT, IDC_OX_SCROLL_LEFT},         {OX_SCROLL_UPLEFT, IDC_OX_SCROLL_UPLEFT},
    {OX_SCROLL_UP, IDC_OX_SCROLL_UP},             {OX_SCROLL_UPRIGHT, IDC_OX_SCROLL_UPRIGHT},
    {OX_SCROLL_RIGHT, IDC_OX_SCROLL_RIGHT},       {OX_SCROLL_DOWNRIGHT, IDC_OX_SCROLL_DOWNRIGHT},
    {OX_SCROLL_DOWN, IDC_OX_SCROLL_DOWN},         {OX_SCROLL_DOWNLEFT, IDC_OX_SCROLL_DOWNLEFT},
    {OX_SCROLL_HORZ_NEUTRAL, IDC_OX_SCROLL_HORIZONTAL}, {OX_SCROLL_VERT_NEUTRAL, IDC_OX_SCROLL_VERTICAL},
    {OX_SCROLL_NEUTRAL, IDC_OX_SCROLL_NEUTRAL},
};

// Client and non-client twins of the button messages.
UINT NonClientTwin(UINT message)
{
    return message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK ? message - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN
                                                                     : message;
}
UINT ClientTwin(UINT message)
{
    return message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK ? message - WM_NCLBUTTONDOWN + WM_LBUTTONDOWN
                                                                         : message;
}
bool IsButtonPress(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}
bool IsNonClient(UINT message) { return message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK; }
} // namespace

// ---------------------------------------------------------------------------
// COXIntelliMouse
// ---------------------------------------------------------------------------
COXIntelliMouse::COXIntelliMouse()
    : m_nStartEvent(WM_MBUTTONDOWN), m_dwKeyState(0), m_bScrolling(FALSE), m_nAvailableDirs(0), m_siHorz(),
      m_siVert(), m_nTimerID(0), m_nCurrentDir(OX_SCROLL_NONE), m_nHorzSpeed(0), m_nVertSpeed(0),
      m_ptStart{-1, -1}, m_pLastForegroundWnd(NULL)
{
    m_wndOrigin.LoadBitmap(IDB_OX_SCROLL_ORIGIN, 0xFF000000);
    m_wndOrigin.SetHideOnUserInput(FALSE);
    m_wndOrigin.SetActivateOnShow(FALSE);
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(IDC_OX_SCROLL_NEUTRAL), RT_GROUP_CURSOR);
    for (const CDirCursor& c : kCursors)
        m_mapDirCursor.SetAt(c.nDir, ::LoadCursorA(hInst, MAKEINTRESOURCEA(c.nID)));
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, NULL, NULL, NULL);
    if (!m_wndScreen.CreateEx(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, lpszClass, "", WS_POPUP, CRect(0, 0, 0, 0),
                              NULL, 0))
        AfxThrowResourceException();
    // The cover takes no pixels: where the display keeps nothing beneath a
    // window that does not paint, a full-screen one would show black over
    // the very window being scrolled.
    m_wndScreen.SetWindowRgn(::CreateRectRgn(0, 0, 0, 0), FALSE);
}

COXIntelliMouse::~COXIntelliMouse()
{
    StopScrolling();
    if (m_wndScreen.GetSafeHwnd() != NULL)
        m_wndScreen.DestroyWindow();
}

BOOL COXIntelliMouse::Attach(CWnd* pWnd, UINT nStartEvent, DWORD dwKeyState)
{
    HookWindow(pWnd);
    SetStartEvent(nStartEvent, dwKeyState);
    return TRUE;
}

void COXIntelliMouse::Unhook()
{
    StopScrolling();
    COXHookWnd::Unhook();
}

BOOL COXIntelliMouse::GetDirectionRect(_tagSCROLLDIRECTION nDir, CRect& rect) const
{
    CRect r;
    if (!const_cast<CMap<int, int, CRect, CRect&>&>(m_mapDirRect).Lookup(nDir, r))
        return FALSE;
    rect = r;
    return TRUE;
}

BOOL COXIntelliMouse::RequiredKeysDown() const
{
    static const struct { DWORD bit; int vk; } keys[] = {
        {OX_IMKEY_CONTROL, VK_CONTROL}, {OX_IMKEY_SHIFT, VK_SHIFT}, {OX_IMKEY_ALT, VK_MENU}};
    for (const auto& k : keys)
        if ((m_dwKeyState & k.bit) && !(::GetKeyState(k.vk) & 0x8000))
            return FALSE;
    return TRUE;
}

BOOL COXIntelliMouse::CheckScrollability()
{
    HWND hWnd = m_hWndTarget;
    m_nAvailableDirs = 0;
    if (hWnd == NULL)
        return TRUE;
    struct { int nBar; SCROLLINFO* pInfo; int nLess, nMore; } bars[] = {
        {SB_HORZ, &m_siHorz, OX_SCROLL_LEFT, OX_SCROLL_RIGHT}, {SB_VERT, &m_siVert, OX_SCROLL_UP, OX_SCROLL_DOWN}};
    for (auto& b : bars) {
        SCROLLINFO si = {sizeof si, SIF_ALL};
        BOOL bCounts = ::GetScrollInfo(hWnd, b.nBar, &si) && si.nMax != 0 && si.nPage != 0
                       && si.nMax >= (int)si.nPage;
        *b.pInfo = si;
        if (!bCounts)
            continue;
        if (si.nPos > 0)
            m_nAvailableDirs |= b.nLess;
        if (si.nPos + (int)si.nPage <= si.nMax)
            m_nAvailableDirs |= b.nMore;
    }
    if ((m_nHorzSpeed < 0 && !(m_nAvailableDirs & OX_SCROLL_LEFT))
        || (m_nHorzSpeed > 0 && !(m_nAvailableDirs & OX_SCROLL_RIGHT)))
        m_nHorzSpeed = 0;
    if ((m_nVertSpeed < 0 && !(m_nAvailableDirs & OX_SCROLL_UP))
        || (m_nVertSpeed > 0 && !(m_nAvailableDirs & OX_SCROLL_DOWN)))
        m_nVertSpeed = 0;
    return TRUE;
}

BOOL COXIntelliMouse::StartScrolling()
{
    if (!CheckScrollability() || m_nAvailableDirs == 0)
        return FALSE;
    // The timer's id is the handler's own: the window never sees it and its
    // own timers keep theirs.
    m_nTimerID = ::SetTimer(m_hWndTarget, (UINT_PTR)&m_nTimerID, kTickMs, NULL);
    if (m_nTimerID == 0)
        return FALSE;
    ::GetCursorPos(&m_ptStart);
    const CSize size = m_wndOrigin.m_dib.GetSize();
    HWND hForeground = ::GetForegroundWindow();
    m_pLastForegroundWnd = CWnd::FromHandle(hForeground ? hForeground : ::GetDesktopWindow());
    m_wndScreen.SetWindowPos(&CWnd::wndTopMost, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                             ::GetSystemMetrics(SM_CYSCREEN), SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
    CPoint ptMark(m_ptStart.x - size.cx / 2, m_ptStart.y - size.cy / 2);
    if (!m_wndOrigin.Show(-1, NULL, &ptMark)) {
        ::KillTimer(m_hWndTarget, m_nTimerID);
        m_nTimerID = 0;
        m_wndScreen.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOREDRAW | SWP_HIDEWINDOW);
        if (m_pLastForegroundWnd != NULL)
            m_pLastForegroundWnd->SetForegroundWindow();
        m_ptStart = {-1, -1};
        return FALSE;
    }
    const bool bHorz = (m_nAvailableDirs & (OX_SCROLL_LEFT | OX_SCROLL_RIGHT)) != 0;
    const bool bVert = (m_nAvailableDirs & (OX_SCROLL_UP | OX_SCROLL_DOWN)) != 0;
    const int nKind = bHorz && bVert ? OX_SCROLL_NEUTRAL : bVert ? OX_SCROLL_VERT_NEUTRAL : OX_SCROLL_HORZ_NEUTRAL;
    BuildDirectionAreas(nKind);
    m_nHorzSpeed = m_nVertSpeed = 0;
    m_nCurrentDir = (_tagSCROLLDIRECTION)nKind;
    void* hCursor = NULL;
    if (m_mapDirCursor.Lookup(nKind, hCursor))
        ::SetCursor((HCURSOR)hCursor);
    ::SetCapture(m_hWndTarget);
    m_bScrolling = TRUE;
    return TRUE;
}

void COXIntelliMouse::BuildDirectionAreas(int nKind)
{
    m_mapDirRect.RemoveAll();
    const CSize size = m_wndOrigin.m_dib.GetSize();
    const int w = size.cx, h = size.cy;
    const int W = ::GetSystemMetrics(SM_CXSCREEN), H = ::GetSystemMetrics(SM_CYSCREEN);
    const int x = m_ptStart.x, y = m_ptStart.y;
    const int L = x - w / 2, R = x + w / 2 + w % 2, T = y - h / 2, B = y + h / 2 + h % 2;
    const bool bHorz = nKind != OX_SCROLL_VERT_NEUTRAL, bVert = nKind != OX_SCROLL_HORZ_NEUTRAL;
    auto add = [this](int nDir, int l, int t, int r, int b) {
        CRect rect(l, t, r, b);
        m_mapDirRect.SetAt(nDir, rect);
    };
    if (bHorz) {
        const int top = bVert ? T : 0, bottom = bVert ? T + h : H;
        add(OX_SCROLL_LEFT, 0, top, L, bottom);
        add(OX_SCROLL_RIGHT, R, top, W, bottom);
    }
    if (bVert) {
        const int left = bHorz ? L : 0, right = bHorz ? L + w : W;
        add(OX_SCROLL_UP, left, 0, right, T);
        add(OX_SCROLL_DOWN, left, B, right, H);
    }
    if (bHorz && bVert) {
        add(OX_SCROLL_UPLEFT, 0, 0, L, T);
        add(OX_SCROLL_UPRIGHT, R, 0, W, T);
        add(OX_SCROLL_DOWNLEFT, 0, B, L, H);
        add(OX_SCROLL_DOWNRIGHT, R, B, W, H);
        add(OX_SCROLL_NEUTRAL, L, T, L + w, T + h);
    } else if (bHorz) {
        add(OX_SCROLL_HORZ_NEUTRAL, L, 0, L + w, H);
    } else {
        add(OX_SCROLL_VERT_NEUTRAL, 0, T, W, T + h);
    }
}

void COXIntelliMouse::UpdateDirection(CPoint pt)
{
    _tagSCROLLDIRECTION nDir = OX_SCROLL_NONE;
    CRect r;
    for (POSITION pos = m_mapDirRect.GetStartPosition(); pos != NULL;) {
        int nKey;
        CRect rect;
        m_mapDirRect.GetNextAssoc(pos, nKey, rect);
        if (rect.PtInRect(pt)) {
            nDir = (_tagSCROLLDIRECTION)nKey;
            r = rect;
            break;
        }
    }
    m_nCurrentDir = nDir;
    void* hCursor = NULL;
    ::SetCursor(nDir != OX_SCROLL_NONE && m_mapDirCursor.Lookup(nDir, hCursor) ? (HCURSOR)hCursor : NULL);
    const int fromRight = (pt.x - r.right) / kHorzStep, fromLeft = (pt.x - r.left) / kHorzStep;
    const int fromBottom = (pt.y - r.bottom) / kVertStep, fromTop = (pt.y - r.top) / kVertStep;
    switch (nDir) {
    case OX_SCROLL_LEFT: m_nHorzSpeed = fromRight; m_nVertSpeed = 0; break;
    case OX_SCROLL_RIGHT: m_nHorzSpeed = fromLeft; m_nVertSpeed = 0; break;
    case OX_SCROLL_UP: m_nHorzSpeed = 0; m_nVertSpeed = fromBottom; break;
    case OX_SCROLL_DOWN: m_nHorzSpeed = 0; m_nVertSpeed = fromTop; break;
    case OX_SCROLL_UPLEFT: m_nHorzSpeed = fromRight; m_nVertSpeed = fromBottom; break;
    case OX_SCROLL_UPRIGHT: m_nHorzSpeed = fromLeft; m_nVertSpeed = fromBottom; break;
    case OX_SCROLL_DOWNLEFT: m_nHorzSpeed = fromRight; m_nVertSpeed = fromTop; break;
    case OX_SCROLL_DOWNRIGHT: m_nHorzSpeed = fromLeft; m_nVertSpeed = fromTop; break;
    case OX_SCROLL_HORZ_NEUTRAL: case OX_SCROLL_VERT_NEUTRAL: case OX_SCROLL_NEUTRAL:
        m_nHorzSpeed = m_nVertSpeed = 0;
        break;
    default:
        break;
    }
}

// Each line is painted as it scrolls in, before the next line moves the
// window's pixels: a window left to paint at the next quiet moment would
// copy its unpainted edge along with the rest, one stale row over many.
void COXIntelliMouse::ScrollTick()
{
    CWnd* pWnd = CWnd::FromHandlePermanent(m_hWndTarget);
    CScrollView* pView = pWnd ? dynamic_cast<CScrollView*>(pWnd) : NULL;
    for (int i = 0; m_hWndTarget != NULL && i < abs(m_nHorzSpeed); i++) {
        const UINT nCode = m_nHorzSpeed > 0 ? SB_LINERIGHT : SB_LINELEFT;
        if (pView != NULL)
            pView->OnScroll(0xFF00 | nCode, 0, TRUE);
        else
            ::SendMessageA(m_hWndTarget, WM_HSCROLL, nCode, 0);
        if (m_hWndTarget != NULL)
            ::UpdateWindow(m_hWndTarget);
    }
    for (int i = 0; m_hWndTarget != NULL && i < abs(m_nVertSpeed); i++) {
        const UINT nCode = m_nVertSpeed > 0 ? SB_LINEDOWN : SB_LINEUP;
        if (pView != NULL)
            pView->OnScroll((nCode << 8) | 0xFF, 0, TRUE);
        else
            ::SendMessageA(m_hWndTarget, WM_VSCROLL, nCode, 0);
        if (m_hWndTarget != NULL)
            ::UpdateWindow(m_hWndTarget);
    }
    CheckScrollability();
}

LRESULT COXIntelliMouse::EndByClick(UINT message, LPARAM lParam)
{
    (void)lParam;
    StopScrolling();
    POINT pt;
    ::GetCursorPos(&pt);
    HWND hUnder = ::WindowFromPoint(pt);
    LRESULT nHit = hUnder ? ::SendMessageA(hUnder, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) : HTNOWHERE;
    UINT nMessage;
    LPARAM lPoint;
    if (nHit == HTCLIENT) {
        nMessage = ClientTwin(message);
        POINT client = pt;
        ::ScreenToClient(hUnder, &client);
        lPoint = MAKELPARAM(client.x, client.y);
    } else {
        nMessage = NonClientTwin(message);
        lPoint = MAKELPARAM(pt.x, pt.y);
    }
    if (hUnder != m_hWndTarget)
        return 0;
    return COXHookWnd::WindowProc(nMessage, (WPARAM)nHit, lPoint);
}

LRESULT COXIntelliMouse::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_bScrolling) {
        if (message == m_nStartEvent && RequiredKeysDown() && StartScrolling())
            return 0;
        return COXHookWnd::WindowProc(message, wParam, lParam);
    }
    if (::GetCapture() != m_hWndTarget) {
        StopScrolling();
        return COXHookWnd::WindowProc(message, wParam, lParam);
    }
    if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) {
        POINT pt;
        ::GetCursorPos(&pt);
        UpdateDirection(pt);
        return COXHookWnd::WindowProc(message, wParam, lParam);
    }
    if (IsButtonPress(message))
        return EndByClick(message, lParam);
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        StopScrolling();
        return 1;
    case WM_SETCURSOR:
        return 1;
    case WM_TIMER:
        if (wParam == m_nTimerID) {
            ScrollTick();
            return 0;
        }
        break;
    default:
        break;
    }
    return COXHookWnd::WindowProc(message, wParam, lParam);
}

void COXIntelliMouse::StopScrolling()
{
    if (m_bScrolling) {
        m_wndOrigin.Close();
        if (m_wndScreen.GetSafeHwnd() != NULL)
            m_wndScreen.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0,
                                     SWP_NOACTIVATE | SWP_NOREDRAW | SWP_HIDEWINDOW | SWP_NOMOVE);
        if (m_pLastForegroundWnd != NULL && ::IsWindow(m_pLastForegroundWnd->GetSafeHwnd()))
            m_pLastForegroundWnd->SetForegroundWindow();
        if (::GetCapture() == m_hWndTarget)
            ::ReleaseCapture();
        if (m_hWndTarget != NULL && m_nTimerID != 0)
            ::KillTimer(m_hWndTarget, m_nTimerID);
    }
    m_nHorzSpeed = m_nVertSpeed = 0;
    m_bScrolling = FALSE;
    m_nAvailableDirs = 0;
    m_nTimerID = 0;
    m_nCurrentDir = OX_SCROLL_NONE;
    m_ptStart = {-1, -1};
    m_pLastForegroundWnd = NULL;
}

// ---------------------------------------------------------------------------
// COXIntelliMouseOrganizer
// ---------------------------------------------------------------------------
COXIntelliMouseOrganizer::COXIntelliMouseOrganizer()
    : m_nDefaultStartEvent(WM_MBUTTONDOWN), m_dwDefaultKeyState(0), m_dwThreadID(0), m_hCBTHook(NULL),
      m_hGetMessageHook(NULL)
{
}

COXIntelliMouseOrganizer::~COXIntelliMouseOrganizer()
{
    if (m_dwThreadID != 0)
        DetachAllInThread();
    else
        Detach(NULL);
    for (INT_PTR i = 0; i < m_arrFreeIntelliMouse.GetSize(); i++)
        delete m_arrFreeIntelliMouse[i];
    m_arrFreeIntelliMouse.RemoveAll();
}

BOOL COXIntelliMouseOrganizer::IsQualified(HWND, LPCTSTR)
{
    return TRUE;
}

COXIntelliMouse* COXIntelliMouseOrganizer::Attach(CWnd* pWnd, UINT nStartEvent, DWORD dwKeyState)
{
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : (HWND)NULL;
    if (hWnd == NULL)
        return NULL;
    COXIntelliMouse* pHandler = NULL;
    if (m_mapIntelliMouse.Lookup(hWnd, pHandler))
        return pHandler;
    if (IsRejected(hWnd))
        return NULL;
    if (m_dwThreadID != 0) {
        char szClass[513] = "";
        ::GetClassNameA(hWnd, szClass, sizeof szClass);
        if (!IsQualified(hWnd, szClass)) {
            m_mapRejected.SetAt(hWnd, (void*)1);
            return NULL;
        }
    }
    if (m_arrFreeIntelliMouse.GetSize() > 0) {
        pHandler = m_arrFreeIntelliMouse[0];
        m_arrFreeIntelliMouse.RemoveAt(0);
    } else {
        pHandler = new COXIntelliMouse;
    }
    pHandler->Attach(pWnd, nStartEvent, dwKeyState);
    m_mapIntelliMouse.SetAt(hWnd, pHandler);
    return pHandler;
}

BOOL COXIntelliMouseOrganizer::Detach(CWnd* pWnd)
{
    if (pWnd != NULL) {
        HWND hWnd = pWnd->GetSafeHwnd();
        COXIntelliMouse* pHandler = NULL;
        if (!m_mapIntelliMouse.Lookup(hWnd, pHandler))
            return FALSE;
        m_mapIntelliMouse.RemoveKey(hWnd);
        pHandler->Detach();
        m_arrFreeIntelliMouse.Add(pHandler);
        return TRUE;
    }
    for (POSITION pos = m_mapIntelliMouse.GetStartPosition(); pos != NULL;) {
        HWND hWnd;
        COXIntelliMouse* pHandler;
        m_mapIntelliMouse.GetNextAssoc(pos, hWnd, pHandler);
        pHandler->Detach();
        m_arrFreeIntelliMouse.Add(pHandler);
    }
    m_mapIntelliMouse.RemoveAll();
    return TRUE;
}

BOOL COXIntelliMouseOrganizer::IsAttached(const CWnd* pWnd) const
{
    return GetAttachedIntelliMouse(pWnd) != NULL;
}

COXIntelliMouse* COXIntelliMouseOrganizer::GetAttachedIntelliMouse(const CWnd* pWnd) const
{
    COXIntelliMouse* pHandler = NULL;
    if (pWnd == NULL || !m_mapIntelliMouse.Lookup(pWnd->GetSafeHwnd(), pHandler))
        return NULL;
    return pHandler;
}

BOOL COXIntelliMouseOrganizer::IsRejected(HWND hWnd) const
{
    void* p = NULL;
    return m_mapRejected.Lookup(hWnd, p);
}

UINT COXIntelliMouseOrganizer::GetAttachedStartEvent(const CWnd* pWnd) const
{
    const COXIntelliMouse* pHandler = GetAttachedIntelliMouse(pWnd);
    return pHandler ? pHandler->GetStartEvent() : 0;
}

DWORD COXIntelliMouseOrganizer::GetAttachedKeyState(const CWnd* pWnd) const
{
    const COXIntelliMouse* pHandler = GetAttachedIntelliMouse(pWnd);
    return pHandler ? pHandler->GetKeyState() : 0;
}

BOOL COXIntelliMouseOrganizer::SetAttachedEventInfo(CWnd* pWnd, UINT nStartEvent, DWORD dwKeyState)
{
    if (pWnd != NULL) {
        COXIntelliMouse* pHandler = GetAttachedIntelliMouse(pWnd);
        if (pHandler == NULL)
            return FALSE;
        pHandler->SetStartEvent(nStartEvent, dwKeyState);
        return TRUE;
    }
    if (m_dwThreadID != 0) {
        m_nDefaultStartEvent = nStartEvent;
        m_dwDefaultKeyState = dwKeyState;
    }
    for (POSITION pos = m_mapIntelliMouse.GetStartPosition(); pos != NULL;) {
        HWND hWnd;
        COXIntelliMouse* pHandler;
        m_mapIntelliMouse.GetNextAssoc(pos, hWnd, pHandler);
        pHandler->SetStartEvent(nStartEvent, dwKeyState);
    }
    return TRUE;
}

void COXIntelliMouseOrganizer::AttachTree(HWND hWnd)
{
    for (; hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (::GetWindowThreadProcessId(hWnd, NULL) != m_dwThreadID)
            break;
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && !IsAttached(pWnd) && !IsRejected(hWnd))
            Attach(pWnd, WM_MBUTTONDOWN, 0);
        HWND hChild = ::GetWindow(hWnd, GW_CHILD);
        if (hChild != NULL && !IsRejected(hWnd) && !(pWnd != NULL && IsAttached(pWnd)))
            AttachTree(hChild);
    }
}

BOOL COXIntelliMouseOrganizer::AttachAllInThread(DWORD dwThreadID, UINT nStartEvent, DWORD dwKeyState)
{
    COXIntelliMouseOrganizer* pOther = NULL;
    if (m_dwThreadID != 0 || m_mapThreadOrganizer.Lookup(dwThreadID, pOther))
        return FALSE;
    m_mapThreadOrganizer.SetAt(dwThreadID, this);
    m_dwThreadID = dwThreadID;
    m_nDefaultStartEvent = nStartEvent;
    m_dwDefaultKeyState = dwKeyState;
    if (HWND hFirst = OXFirstWindowOfThread(dwThreadID))
        AttachTree(hFirst);
    OXInstallThreadHooks(dwThreadID, CBTHookProc, GetMessageHookProc, m_hCBTHook, m_hGetMessageHook, g_hCBTHook,
                         g_hGetMessageHook);
    SetAttachedEventInfo(NULL, nStartEvent, dwKeyState);
    return TRUE;
}

BOOL COXIntelliMouseOrganizer::DetachAllInThread()
{
    if (m_dwThreadID == 0)
        return FALSE;
    OXRemoveThreadHooks(m_hCBTHook, m_hGetMessageHook, g_hCBTHook, g_hGetMessageHook);
    m_mapRejected.RemoveAll();
    m_mapThreadOrganizer.RemoveKey(m_dwThreadID);
    m_dwThreadID = 0;
    return Detach(NULL);
}

COXIntelliMouse* COXIntelliMouseOrganizer::GetFirstAttached() const
{
    return OXFirstLiveHandler(m_mapIntelliMouse);
}

void COXIntelliMouseOrganizer::AttachFromHook(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || IsAttached(pWnd))
        return;
    const COXIntelliMouse* pModel = GetFirstAttached();
    Attach(pWnd, pModel ? pModel->GetStartEvent() : m_nDefaultStartEvent,
           pModel ? pModel->GetKeyState() : m_dwDefaultKeyState);
}

LRESULT CALLBACK COXIntelliMouseOrganizer::CBTHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    COXIntelliMouseOrganizer* pOrganizer = NULL;
    HWND hWnd = (HWND)wParam;
    if (nCode < 0 || hWnd == NULL || !::IsWindow(hWnd)
        || !m_mapThreadOrganizer.Lookup(::GetWindowThreadProcessId(hWnd, NULL), pOrganizer))
        return ::CallNextHookEx(g_hCBTHook, nCode, wParam, lParam);
    // Nothing may leave a hook procedure through the system.
    try {
        if (nCode == HCBT_DESTROYWND) {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (pWnd != NULL && pOrganizer->IsAttached(pWnd))
                pOrganizer->Detach(pWnd);
        } else {
            pOrganizer->AttachFromHook(hWnd);
        }
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return ::CallNextHookEx(pOrganizer->m_hCBTHook, nCode, wParam, lParam);
}

LRESULT CALLBACK COXIntelliMouseOrganizer::GetMessageHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    COXIntelliMouseOrganizer* pOrganizer = NULL;
    const MSG* pMsg = (const MSG*)lParam;
    if (nCode < 0 || pMsg == NULL || pMsg->hwnd == NULL
        || !m_mapThreadOrganizer.Lookup(::GetCurrentThreadId(), pOrganizer))
        return ::CallNextHookEx(g_hGetMessageHook, nCode, wParam, lParam);
    try {
        pOrganizer->AttachFromHook(pMsg->hwnd);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return ::CallNextHookEx(pOrganizer->m_hGetMessageHook, nCode, wParam, lParam);
}
