// wnd.cpp - CWnd: handle maps, creation, subclassing, destruction, the
// window tree, layout, modal loops and the members that need GDI wrappers.
#include "wndimpl.h"
#include <afxcmn.h>
#include <afxole.h>

#include <mutex>
#include <set>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

// CWnd's own entries: the default handlers that reflect notifications to the
// child that sent them, and the end of a window's life.
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_CTLCOLOR()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_CHARTOITEM()
    ON_WM_VKEYTOITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(NULL), m_nFlags(0), m_pfnSuper(NULL), m_hWndOwner(NULL), m_nModalResult(0), m_pDropTarget(NULL)
{
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_nFlags(0), m_pfnSuper(NULL), m_hWndOwner(NULL), m_nModalResult(0), m_pDropTarget(NULL)
{
}

// A window still owned by this object goes with it. Derived classes are
// already gone here, so only CWnd's handlers see the last messages.
CWnd::~CWnd()
{
    if (this == &wndTop || this == &wndBottom || this == &wndTopMost || this == &wndNoTopMost)
        return;   // constants: no window, and thread maps may be gone at exit
    if (m_hWnd != NULL && CWndHandleMap::GetThreadMap()->LookupPermanent(m_hWnd) == this)
        DestroyWindow();
}

// ---------------------------------------------------------------------------
// Handle maps
// ---------------------------------------------------------------------------

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return CWndHandleMap::GetThreadMap()->FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    return CWndHandleMap::GetThreadMap()->LookupPermanent(hWnd);
}

void PASCAL CWnd::DeleteTempMap()
{
    CWndHandleMap::GetThreadMap()->DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL)
        return FALSE;
    CWndHandleMap* pMap = CWndHandleMap::GetThreadMap();
    CWnd* pOwner = pMap->LookupPermanent(hWndNew);
    if (pOwner != NULL && pOwner != this)
        return FALSE;   // another object owns this window
    pMap->SetPermanent(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL) {
        CWndHandleMap* pMap = CWndHandleMap::GetThreadMap();
        if (pMap->LookupPermanent(hWnd) == this)
            pMap->RemoveHandle(hWnd);
    }
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (pfnOld != &AfxWndProc)
        m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != NULL) {
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
        m_pfnSuper = NULL;
    }
    return Detach();
}

// ---------------------------------------------------------------------------
// Creation and destruction
// ---------------------------------------------------------------------------

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

// The object is attached from the window's first message on (creation hook).
// When creation fails before that, PostNcDestroy is called here so that
// self-deleting classes clean up either way.
BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx,
                                 cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // never attached: nothing else will call it
    return hWnd != NULL;
}

static void RegisterDefaultClass()
{
    static std::once_flag s_once;
    std::call_once(s_once, [] {
        WNDCLASS wc = {};
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = AFX_WND;
        AfxRegisterClass(&wc);
    });
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL) {
        RegisterDefaultClass();
        cs.lpszClass = AFX_WND;
    }
    return TRUE;
}

// A window attached without the common procedure never sees WM_NCDESTROY
// here, so it is detached after the fact. 'this' may be deleted by
// PostNcDestroy during ::DestroyWindow.
BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd == NULL)
        return FALSE;
    CWnd* pWnd = FromHandlePermanent(hWnd);
    BOOL bResult = ::DestroyWindow(hWnd);
    if (pWnd != NULL && !::IsWindow(hWnd) && FromHandlePermanent(hWnd) == pWnd)
        pWnd->Detach();
    return bResult;
}

// The last message: the thread's main window ends the thread's loop; the
// procedure is restored, the object detached, and PostNcDestroy may delete it.
void CWnd::OnNcDestroy()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL) {
        if (pThread->m_pMainWnd == this) {
            AfxPostQuitMessage(0);
            pThread->m_pMainWnd = NULL;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = NULL;
    }
    if (m_nFlags & WF_TOOLTIPS)
        AfxToolTipWindowDestroyed(this);
    // OLE would otherwise keep calling a target for a window that is gone
    if (m_pDropTarget != NULL) {
        m_pDropTarget->Revoke();
        m_pDropTarget = NULL;
    }

    WNDPROC pfnWndProc = (WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
    Default();
    if (m_pfnSuper != NULL && (WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == pfnWndProc)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    Detach();
    PostNcDestroy();
}

// ---------------------------------------------------------------------------
// Window classes
// ---------------------------------------------------------------------------

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS wndcls;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex s_lock;
    static std::set<std::string> s_names;   // stable storage for the returned names

    HINSTANCE hInst = AfxGetInstanceHandle();
    char szName[128];
    snprintf(szName, sizeof(szName), "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor,
             (void*)hbrBackground, (void*)hIcon);

    std::lock_guard<std::mutex> lock(s_lock);
    auto it = s_names.find(szName);
    if (it != s_names.end())
        return it->c_str();
    WNDCLASS wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = hInst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = szName;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
    return s_names.insert(szName).first->c_str();
}

// The framework's named classes: what each kind of window asks for before
// it is created with the class name (bars, MDI frames, frames and views).
static BOOL RegisterNamedClass(LPCTSTR lpszClassName, UINT nStyle, HBRUSH hbrBackground)
{
    WNDCLASS wc = {};
    wc.style = nStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wc);
}

BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister)
{
    BOOL bResult = TRUE;
    if (fToRegister & AFX_WND_REG) {
        RegisterDefaultClass();
        WNDCLASS wc;
        bResult &= ::GetClassInfo(AfxGetInstanceHandle(), AFX_WND, &wc) != FALSE;
    }
    if (fToRegister & AFX_WNDOLECONTROL_REG)
        bResult &= RegisterNamedClass(AFX_WNDOLECONTROL, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, NULL);
    if (fToRegister & AFX_WNDCONTROLBAR_REG)
        bResult &= RegisterNamedClass(AFX_WNDCONTROLBAR, 0, (HBRUSH)(COLOR_BTNFACE + 1));
    if (fToRegister & AFX_WNDMDIFRAME_REG)
        bResult &= RegisterNamedClass(AFX_WNDMDIFRAME, CS_DBLCLKS, NULL);
    if (fToRegister & AFX_WNDFRAMEORVIEW_REG)
        bResult &= RegisterNamedClass(AFX_WNDFRAMEORVIEW, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                      (HBRUSH)(COLOR_WINDOW + 1));
    // Every flag from AFX_WNDCOMMCTLS_REG up names common control classes.
    if (fToRegister & ~(LONG)(AFX_WND_REG | AFX_WNDCONTROLBAR_REG | AFX_WNDMDIFRAME_REG | AFX_WNDFRAMEORVIEW_REG |
                              AFX_WNDOLECONTROL_REG))
        bResult &= AfxInitCommonControls();
    return bResult;
}

// A combo box whose list is dropped (in a tool bar or dialog bar) keeps it
// open while the user clicks elsewhere in the program; input meant for
// another window closes it. Input to the combo box itself, to its edit, or
// to a child of the desktop (a pop-up such as the list itself) leaves it.
static BOOL IsComboBoxOfKind(HWND hWnd, UINT nKind)
{
    char szClass[16];
    if (hWnd == NULL || !::GetClassNameA(hWnd, szClass, sizeof(szClass)) || lstrcmpiA(szClass, "ComboBox") != 0)
        return FALSE;
    return ((UINT)::GetWindowLongPtr(hWnd, GWL_STYLE) & 0x0F) == nKind;
}

void AFXAPI AfxCancelModes(HWND hWndRcvr)
{
    HWND hWndCancel = ::GetFocus();
    if (hWndCancel == NULL || hWndCancel == hWndRcvr)
        return;
    if (!IsComboBoxOfKind(hWndCancel, CBS_DROPDOWNLIST)) {
        // the focus may be in the edit of a drop-down combo box
        hWndCancel = ::GetParent(hWndCancel);
        if (hWndCancel == hWndRcvr || !IsComboBoxOfKind(hWndCancel, CBS_DROPDOWN))
            return;
    }
    if (hWndRcvr != NULL && (::GetWindowLongPtr(hWndRcvr, GWL_STYLE) & WS_CHILD) &&
        ::GetParent(hWndRcvr) == ::GetDesktopWindow())
        return;
    ::SendMessage(hWndCancel, CB_SHOWDROPDOWN, FALSE, 0);
}

// ---------------------------------------------------------------------------
// Scroll bars
// ---------------------------------------------------------------------------

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    if (nBar == SB_BOTH) {
        EnableScrollBarCtrl(SB_HORZ, bEnable);
        EnableScrollBarCtrl(SB_VERT, bEnable);
        return;
    }
    // A window that draws with sibling scroll-bar controls (a splitter's
    // pane) enables them; any other shows or hides its own bar.
    if (CScrollBar* pScrollBar = GetScrollBarCtrl(nBar))
        pScrollBar->EnableWindow(bEnable);
    else
        ShowScrollBar((UINT)nBar, bEnable);
}

// ---------------------------------------------------------------------------
// Styles, text, menus, GDI
// ---------------------------------------------------------------------------

static BOOL ModifyStyleImpl(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongPtr(hWnd, nStyleOffset);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtr(hWnd, nStyleOffset, (LONG_PTR)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleImpl(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleImpl(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLength(m_hWnd);
    int nGot = ::GetWindowText(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer(nGot);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd == NULL) {
        rString.Empty();
        return 0;
    }
    int nLen = ::GetWindowTextLength(hWnd);
    int nGot = ::GetWindowText(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer(nGot);
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++) {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu());
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::HiliteMenuItem(CMenu* pMenu, UINT nIDHiliteItem, UINT nHilite)
{
    return ::HiliteMenuItem(m_hWnd, pMenu->GetSafeHmenu(), nIDHiliteItem, nHilite);
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(::GetDCEx(m_hWnd, (HRGN)prgnClip->GetSafeHandle(), flags));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

int CWnd::GetUpdateRgn(CRgn* pRgn, BOOL bErase)
{
    return ::GetUpdateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase);
}

void CWnd::ValidateRgn(CRgn* pRgn)
{
    ::ValidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle());
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)prgnUpdate->GetSafeHandle(), flags);
}

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags)
{
    return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip, (HRGN)prgnUpdate->GetSafeHandle(),
                            lpRectUpdate, flags);
}

int CWnd::GetScrollLimit(int nBar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    if (!::GetScrollInfo(m_hWnd, nBar, &info))
        return 0;
    int nMax = info.nMax;
    if (info.nPage > 0)
        nMax -= (int)info.nPage - 1;
    return nMax;
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWinApp* pApp = AfxGetApp();
    CWnd* pTop = GetTopLevelParent();
    ::WinHelp(pTop->GetSafeHwnd(), pApp != NULL ? pApp->m_pszHelpFilePath : NULL, nCmd, dwData);
}

// ---------------------------------------------------------------------------
// The window tree
// ---------------------------------------------------------------------------

static HWND ParentOwner(HWND hWnd)
{
    if (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

CWnd* PASCAL CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    HWND hWndChild = ::GetDlgItem(hWnd, nID);
    if (hWndChild != NULL) {
        // a grandchild with the same id as its parent wins
        if (::GetTopWindow(hWndChild) != NULL) {
            CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm);
            if (pWnd != NULL)
                return pWnd;
        }
        CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
        if (pWnd != NULL)
            return pWnd;
    }
    for (hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm);
        if (pWnd != NULL)
            return pWnd;
    }
    return NULL;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

// Frames say so through IsFrameWnd; CWnd is the first base of every frame,
// so the pointer is the same object.
CFrameWnd* CWnd::GetParentFrame() const
{
    if (m_hWnd == NULL)
        return NULL;
    for (CWnd* pParent = GetParent(); pParent != NULL; pParent = pParent->GetParent()) {
        if (pParent->IsFrameWnd())
            return reinterpret_cast<CFrameWnd*>(pParent);
    }
    return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (m_hWnd == NULL)
        return NULL;
    CWnd* pFrame = const_cast<CWnd*>(this);
    if (!IsFrameWnd())
        pFrame = reinterpret_cast<CWnd*>(GetParentFrame());
    if (pFrame != NULL) {
        CWnd* pNext;
        while ((pNext = reinterpret_cast<CWnd*>(pFrame->GetParentFrame())) != NULL)
            pFrame = pNext;
    }
    return reinterpret_cast<CFrameWnd*>(pFrame);
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hWnd = m_hWnd, hWndNext;
    while ((hWndNext = ParentOwner(hWnd)) != NULL)
        hWnd = hWndNext;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hWnd = m_hWnd, hWndNext;
    while ((hWndNext = ::GetWindow(hWnd, GW_OWNER)) != NULL)
        hWnd = hWndNext;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetParentOwner() const
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hWnd = m_hWnd, hWndNext;
    while ((::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) && (hWndNext = ::GetParent(hWnd)) != NULL)
        hWnd = hWndNext;
    return FromHandle(hWnd);
}

// A popup cannot be owned by a child window: climb to the first non-child,
// then take its last active popup. With pWndTop, the top-level window is
// disabled (as a modal dialog needs) and returned there.
HWND PASCAL CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop)
{
    HWND hWnd = hParent;
    if (hWnd == NULL) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain->GetSafeHwnd();
    }
    while (hWnd != NULL && (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);

    HWND hWndTop = hWnd;
    for (HWND hWndTemp = hWnd; hWndTemp != NULL; hWndTemp = ::GetParent(hWndTemp))
        hWndTop = hWndTemp;

    if (hParent == NULL && hWnd != NULL)
        hWnd = ::GetLastActivePopup(hWnd);

    if (pWndTop != NULL) {
        if (hWndTop != NULL && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd) {
            *pWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        } else {
            *pWndTop = NULL;
        }
    }
    return hWnd;
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    return FromHandle(GetSafeOwner_(pParent->GetSafeHwnd(), pWndTop));
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (pAlternateOwner == NULL) {
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndCenter != NULL) {
            HWND hWndTemp = (HWND)::SendMessage(hWndCenter, WM_QUERYCENTERWND, 0, 0);
            if (hWndTemp != NULL)
                hWndCenter = hWndTemp;
        }
    }

    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea, rcCenter;
    if (!(dwStyle & WS_CHILD)) {
        // never centre on a hidden or minimised window
        if (hWndCenter != NULL) {
            DWORD dwAlt = (DWORD)::GetWindowLongPtr(hWndCenter, GWL_STYLE);
            if (!(dwAlt & WS_VISIBLE) || (dwAlt & WS_MINIMIZE))
                hWndCenter = NULL;
        }
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter != NULL ? hWndCenter : m_hWnd, MONITOR_DEFAULTTOPRIMARY);
        ::GetMonitorInfo(hMonitor, &mi);
        rcArea = mi.rcWork;
        if (hWndCenter == NULL)
            rcCenter = rcArea;
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    } else {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, (POINT*)&rcCenter, 2);
    }

    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    ::SetWindowPos(m_hWnd, NULL, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Permanent children get the message straight through their window procedure
// (no SendMessage), so handlers run even on windows of other classes.
static void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
            if (pWnd != NULL)
                AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        } else {
            ::SendMessage(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hWndChild) != NULL)
            SendToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    RECT rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(NULL, hWndParent, (POINT*)&rectOld, 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    if (lpLayout != NULL && lpLayout->hDWP != NULL) {
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top,
                                          lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    } else {
        ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                       lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
    }
}

// Bars are asked in Z order; each takes its strip off layout.rect (moving
// itself through layout.hDWP). reposQuery only measures: lpRectParam gets the
// space left (or, without bStretch, the bars' total size). reposExtra
// shrinks the leftover by the borders in lpRectParam.
void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    UINT nMode = nFlags & ~reposNoPosLeftOver;
    layout.hDWP = nMode != reposQuery ? ::BeginDeferWindowPos(8) : NULL;

    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild) != NULL)
            ::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (nMode == reposQuery) {
        if (lpRectParam != NULL) {
            if (bStretch) {
                ::CopyRect(lpRectParam, &layout.rect);
            } else {
                lpRectParam->left = lpRectParam->top = 0;
                lpRectParam->right = layout.sizeTotal.cx;
                lpRectParam->bottom = layout.sizeTotal.cy;
            }
        }
        return;
    }
    if (nMode == reposExtra && lpRectParam != NULL) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (hWndLeftOver != NULL && !(nFlags & reposNoPosLeftOver)) {
        CWnd* pLeftOver = FromHandle(hWndLeftOver);
        pLeftOver->CalcWindowRect(&layout.rect);
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

// ---------------------------------------------------------------------------
// Dialog initialisation data (RT_DLGINIT): records of control id, message,
// data length and data (a string to add to a list or combo box), ending with
// a zero id.
// ---------------------------------------------------------------------------

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCE(240) /* RT_DLGINIT */);
    HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, MAKEINTRESOURCE(240));
    if (hRsrc == NULL)
        return TRUE;   // nothing to initialise
    HGLOBAL hData = ::LoadResource(hInst, hRsrc);
    return hData != NULL && ExecuteDlgInit(::LockResource(hData));
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    const BYTE* p = (const BYTE*)lpResource;
    if (p == NULL)
        return TRUE;
    BOOL bSuccess = TRUE;
    for (;;) {
        WORD nIDC = *(const WORD*)p;
        if (nIDC == 0)
            break;
        WORD nMsg = *(const WORD*)(p + 2);
        DWORD dwLen = *(const DWORD*)(p + 4);
        const char* pszData = (const char*)(p + 8);
        // stored with the old 16-bit message numbers
        UINT nMsg32 = nMsg == 0x0403 ? CB_ADDSTRING : nMsg == 0x0401 ? LB_ADDSTRING : nMsg;
        if (nMsg32 == CB_ADDSTRING || nMsg32 == LB_ADDSTRING) {
            if (::SendDlgItemMessage(m_hWnd, nIDC, nMsg32, 0, (LPARAM)pszData) < 0)
                bSuccess = FALSE;
        }
        p += 8 + dwLen;
    }
    return bSuccess;
}

// ---------------------------------------------------------------------------
// Dialog data exchange
// ---------------------------------------------------------------------------

// Control notifications sent while controls are filled (EN_CHANGE...) are
// dropped, so handlers never see half-exchanged data.
BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    AFX_WND_THREAD_STATE* pState = AfxGetWndThreadState();
    HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
    pState->m_hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CUserException* e) {
        e->Delete();   // the refusal was already shown to the user
    } catch (CException* e) {
        pState->m_hLockoutNotifyWindow = hWndOldLockout;
        e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
        e->Delete();
    }
    pState->m_hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

// ---------------------------------------------------------------------------
// Modal loops
// ---------------------------------------------------------------------------

// Pumps this thread's messages until EndModalLoop; while the queue is empty
// the parent gets WM_ENTERIDLE and the window WM_KICKIDLE (idle UI update).
int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    CWinThread* pThread = AfxGetThread();
    MSG* pMsg = pThread != NULL ? &pThread->m_msgCur : &AfxGetWndThreadState()->m_msgCur;
    HWND hWnd = m_hWnd;

    for (;;) {
        while (bIdle && !::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !::SendMessage(hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!AfxPumpMessage()) {
                ::PostQuitMessage((int)pMsg->wParam);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal() || !::IsWindow(hWnd))
                goto ExitModal;
            if (AfxIsIdleMessage(pMsg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE));
    }
ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        ::PostMessage(m_hWnd, WM_NULL, 0, 0);   // wake the loop
    }
}

// ---------------------------------------------------------------------------
// Pre-translation
// ---------------------------------------------------------------------------

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & WF_TOOLTIPS)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

CWnd* CWnd::GetOwner() const
{
    if (m_hWndOwner != NULL)
        return CWnd::FromHandle(m_hWndOwner);
    if (::GetWindowLongPtr(m_hWnd, GWL_STYLE) & WS_CHILD)
        return CWnd::FromHandle(::GetParent(m_hWnd));
    return CWnd::FromHandle(::GetWindow(m_hWnd, GW_OWNER));
}
