// The toolkit gallery's registry, page base and main window.
#include "Gallery.h"

#include "OXSkinnedApp.h"
#include <afxext.h>
#include "gallery_res.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

std::vector<GalleryEntry>& Registry()
{
    static std::vector<GalleryEntry> entries;
    return entries;
}

const int kMargin = 10;
const int kGap = 8;
const int kCaptionHeight = 16;
const int kComboFieldHeight = 24;   // a closed combo in the page's font
const int kLogHeight = 90;
const int kMinPageWidth = 420;
const UINT WM_GALLERY_SHOWOFF = WM_APP + 1;
const UINT WM_GALLERY_RAISEOWNED = WM_APP + 2;
const UINT_PTR ID_SETTLE_TIMER = 0x6A11;
const UINT kSettleTickMs = 100;
const int kQuietTicksForShown = 5;      // half a second with nothing to paint
const int kMaxSettleTicks = 150;        // 15 s
const UINT ID_GALLERY_LIST = 100;
const UINT ID_GALLERY_OPEN = 101;
const UINT ID_GALLERY_LOG = 0xFFF0;

void CreateMessageFont(CFont& font)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        font.CreateFontIndirect(&ncm.lfMessageFont);
    else
        font.CreateStockObject(DEFAULT_GUI_FONT);
}

// What a control asks its parent while it paints or fills itself, or as the
// pointer passes over it (its cursor): it comes at every paint and every
// move, even when a page opens under a pointer at rest, and would drown what
// the user did.
bool IsPaintTraffic(UINT code)
{
    return code == (UINT)NM_CUSTOMDRAW || code == (UINT)NM_SETCURSOR || (code >= TTN_LAST && code <= TTN_FIRST) ||
           code == (UINT)LVN_GETDISPINFOA || code == (UINT)LVN_GETDISPINFOW || code == (UINT)TVN_GETDISPINFOA ||
           code == (UINT)TVN_GETDISPINFOW || code == (UINT)HDN_GETDISPINFOA || code == (UINT)HDN_GETDISPINFOW ||
           code == (UINT)LVN_ODCACHEHINT || code == (UINT)NM_TOOLTIPSCREATED;
}

// A window the user can put the focus in: it answers WM_GETDLGCODE, and not
// as a static (a caption, a group box).
bool TakesFocus(HWND hWnd)
{
    const LRESULT code = ::SendMessage(hWnd, WM_GETDLGCODE, 0, 0);
    return code != 0 && !(code & DLGC_STATIC);
}

}  // namespace

bool RegisterGalleryEntry(const char* subsystem, const char* name, CWnd* (*open)(CWnd*))
{
    Registry().push_back(GalleryEntry{subsystem, name, open});
    return true;
}

const std::vector<GalleryEntry>& GalleryEntries()
{
    std::vector<GalleryEntry>& entries = Registry();
    std::stable_sort(entries.begin(), entries.end(), [](const GalleryEntry& a, const GalleryEntry& b) {
        int c = strcmp(a.subsystem, b.subsystem);
        return c != 0 ? c < 0 : strcmp(a.name, b.name) < 0;
    });
    return entries;
}

const GalleryEntry* FindGalleryEntry(const char* name)
{
    for (const GalleryEntry& e : GalleryEntries())
        if (_stricmp(e.name, name) == 0)
            return &e;
    return NULL;
}

// ---------------------------------------------------------------------------
// CGalleryPage
// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGalleryPage, CWnd)
    ON_MESSAGE(WM_NEXTDLGCTL, OnNextDlgCtl)
END_MESSAGE_MAP()

CGalleryPage::CGalleryPage() {}

BOOL CGalleryPage::CreatePage(CWnd* pGallery, LPCTSTR lpszTitle)
{
    CreateMessageFont(m_font);
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                      (HBRUSH)(COLOR_BTNFACE + 1));
    // Owned by the gallery (it stays above it) but not its child: a page is a
    // window of its own, as a dialog would be.
    if (!CreateEx(WS_EX_CONTROLPARENT, cls, lpszTitle,
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                  CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, pGallery->GetSafeHwnd(), NULL))
        return FALSE;

    m_x = kMargin;
    m_y = kMargin;
    m_rowHeight = 0;
    m_right = kMinPageWidth;
    Populate();
    NewRow("Events");
    m_log.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                 CRect(kMargin, m_y, m_right, m_y + kLogHeight), this, ID_GALLERY_LOG);
    ApplyFont(&m_log);
    SetUpDialogKeys();
    m_bLogging = TRUE;

    CRect client(0, 0, m_right + kMargin, m_y + kLogHeight + kMargin);
    ::AdjustWindowRectEx(&client, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(NULL, 0, 0, client.Width(), client.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
}

CRect CGalleryPage::NextRect(int cx, int cy)
{
    CRect rc(m_x, m_y, m_x + cx, m_y + cy);
    m_x += cx + kGap;
    m_rowHeight = std::max(m_rowHeight, cy);
    m_right = std::max(m_right, (int)rc.right);
    return rc;
}

CRect CGalleryPage::NextComboRect(int cx, int cyDropped)
{
    CRect rc = NextRect(cx, kComboFieldHeight);
    rc.bottom = rc.top + cyDropped;
    return rc;
}

void CGalleryPage::NewRow(LPCTSTR lpszCaption)
{
    if (m_rowHeight > 0)
        m_y += m_rowHeight + kGap;
    m_x = kMargin;
    m_rowHeight = 0;
    if (lpszCaption) {
        CStatic* pCaption = new CStatic;
        pCaption->Create(lpszCaption, WS_CHILD | WS_VISIBLE | SS_LEFT,
                         CRect(kMargin, m_y, kMargin + 600, m_y + kCaptionHeight), this);
        ApplyFont(pCaption);
        m_captions.push_back(pCaption);
        m_y += kCaptionHeight + 2;
    }
}

void CGalleryPage::ApplyFont(CWnd* pWnd)
{
    pWnd->SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle(), TRUE);
}

namespace {

void AppendLogLine(CEdit& log, const char* prefix, LPCTSTR lpszFormat, va_list args)
{
    if (!log.GetSafeHwnd())
        return;
    char line[512];
    const size_t nPrefix = strlen(prefix);
    strcpy(line, prefix);
    vsnprintf(line + nPrefix, sizeof(line) - nPrefix - 3, lpszFormat, args);
    strcat(line, "\r\n");
    int end = log.GetWindowTextLength();
    log.SetSel(end, end);
    log.ReplaceSel(line);
}

}  // namespace

void CGalleryPage::Log(LPCTSTR lpszFormat, ...)
{
    if (!m_bLogging)
        return;
    va_list args;
    va_start(args, lpszFormat);
    AppendLogLine(m_log, "", lpszFormat, args);
    va_end(args);
}

void CGalleryPage::LogSetUp(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    AppendLogLine(m_log, "set-up: ", lpszFormat, args);
    va_end(args);
}

void CGalleryPage::ShowOffScripted()
{
    CSetUpStep step(this);
    ShowOff();
}

namespace {

bool IsRadioButton(HWND hWnd)
{
    return (::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

// A window of ours that holds controls, and is not one itself (a frame, a
// bar, a control made of controls, as the property window): Tab goes into it.
bool IsControlContainer(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || ::GetWindow(hWnd, GW_CHILD) == NULL)
        return false;
    if (pWnd->IsFrameWnd() || dynamic_cast<CControlBar*>(pWnd) != NULL)
        return true;
    if (::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) != 0)
        return false;
    for (HWND h = ::GetWindow(hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (TakesFocus(h))
            return true;
    return false;
}

// The children of hParent, in the order they were made: each run of
// controls after a row caption is a group of its own (as a label starts one
// in a dialog template), and so is each control after a run of radio
// buttons; every control that takes the focus is a tab stop, but a radio
// button within a run, whose run is reached at its first (the arrows go
// through it). Frames and bars that hold controls are entered.
void SetUpTabStops(HWND hParent, HWND hLog, const std::vector<CWnd*>& captions)
{
    bool bGroupStart = true;
    bool bAfterRadio = false;
    for (HWND h = ::GetWindow(hParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (std::any_of(captions.begin(), captions.end(), [h](CWnd* p) { return p->GetSafeHwnd() == h; })) {
            bGroupStart = true;
            bAfterRadio = false;
            continue;
        }
        if (h == hLog)   // read only, and it would keep Tab
            continue;
        if (IsControlContainer(h)) {
            ::SetWindowLong(h, GWL_EXSTYLE, ::GetWindowLong(h, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
            SetUpTabStops(h, NULL, {});
            bGroupStart = true;
            bAfterRadio = false;
            continue;
        }
        const bool bRadio = IsRadioButton(h);
        LONG style = ::GetWindowLong(h, GWL_STYLE);
        if (bGroupStart || (bAfterRadio && !bRadio))
            style |= WS_GROUP;
        if (TakesFocus(h) && !(bRadio && bAfterRadio && !(style & WS_GROUP)))
            style |= WS_TABSTOP;
        ::SetWindowLong(h, GWL_STYLE, style);
        bGroupStart = false;
        bAfterRadio = bRadio;
    }
}

} // namespace

void CGalleryPage::SetUpDialogKeys()
{
    SetUpTabStops(m_hWnd, m_log.GetSafeHwnd(), m_captions);
}

BOOL CGalleryPage::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Keys only: the rest needs nothing of the dialog manager, and keys for
    // a window of the page's own (a dropped pop-up) are that window's.
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL)
            return FALSE;
        if (pMsg->wParam == VK_RETURN)
            return PressDefaultButton(pMsg);
        m_bArrowBack = pMsg->wParam == VK_LEFT || pMsg->wParam == VK_UP;
    }
    return ::IsDialogMessage(m_hWnd, pMsg);
}

namespace {

BOOL CALLBACK FindDefaultButton(HWND hWnd, LPARAM lParam)
{
    if (!::IsWindowVisible(hWnd) || !::IsWindowEnabled(hWnd) ||
        !(::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

} // namespace

BOOL CGalleryPage::PressDefaultButton(MSG* pMsg)
{
    if (::SendMessage(pMsg->hwnd, WM_GETDLGCODE, pMsg->wParam, (LPARAM)pMsg) & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))
        return FALSE;
    // A push button with the focus is the default while it has it.
    HWND hDefault = pMsg->hwnd;
    if (!(::SendMessage(hDefault, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        hDefault = NULL;
        ::EnumChildWindows(m_hWnd, FindDefaultButton, (LPARAM)&hDefault);
    }
    if (hDefault == NULL)
        return FALSE;
    ::SendMessage(::GetParent(hDefault), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hDefault), BN_CLICKED),
                  (LPARAM)hDefault);
    return TRUE;
}

LRESULT CGalleryPage::OnNextDlgCtl(WPARAM wParam, LPARAM lParam)
{
    // LOWORD(lParam): wParam is the control to go to; else wParam says
    // backwards (non-zero) or forwards from the focus.
    HWND hNext = LOWORD(lParam) ? (HWND)wParam : ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), wParam != 0);
    // An arrow goes through its group to the next control that takes the
    // focus: a label of the row (a page's own, a row caption) is passed by.
    for (HWND hFrom = hNext; hNext != NULL && !TakesFocus(hNext);) {
        hNext = ::GetNextDlgGroupItem(m_hWnd, hNext, m_bArrowBack);
        if (hNext == hFrom)
            hNext = NULL;
    }
    if (hNext == NULL || !::IsChild(m_hWnd, hNext))
        return 0;
    if (::SendMessage(hNext, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessage(hNext, EM_SETSEL, 0, -1);
    ::SetFocus(hNext);
    return 0;
}

BOOL CGalleryPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    BOOL bHandled = CWnd::OnCommand(wParam, lParam);
    if (lParam != 0 && LOWORD(wParam) != ID_GALLERY_LOG)
        Log("WM_COMMAND id=%u code=%u", LOWORD(wParam), HIWORD(wParam));
    return bHandled;
}

BOOL CGalleryPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    BOOL bHandled = CWnd::OnNotify(wParam, lParam, pResult);
    const NMHDR* pHdr = (const NMHDR*)lParam;
    if (pHdr && !IsPaintTraffic(pHdr->code))
        Log("WM_NOTIFY id=%u code=%d", (UINT)pHdr->idFrom, (int)pHdr->code);
    return bHandled;
}

void CGalleryPage::PostNcDestroy()
{
    for (CWnd* p : m_captions)
        delete p;
    m_captions.clear();
    delete this;
}

// ---------------------------------------------------------------------------
// CGalleryWindow
// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CGalleryWindow, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_BN_CLICKED(ID_GALLERY_OPEN, OnOpen)
    ON_LBN_DBLCLK(ID_GALLERY_LIST, OnOpen)
    ON_MESSAGE(WM_GALLERY_SHOWOFF, OnShowOff)
    ON_WM_TIMER()
    ON_WM_ACTIVATE()
    ON_WM_ENTERMENULOOP()
    ON_WM_EXITMENULOOP()
    ON_MESSAGE(WM_GALLERY_RAISEOWNED, OnRaiseOwned)
END_MESSAGE_MAP()

namespace {

BOOL CALLBACK FindPendingPaint(HWND hWnd, LPARAM lParam)
{
    if (!::IsWindowVisible(hWnd) || !::GetUpdateRect(hWnd, NULL, FALSE))
        return TRUE;
    *(BOOL*)lParam = TRUE;
    return FALSE;
}

BOOL CALLBACK FindPendingPaintInTree(HWND hTop, LPARAM lParam)
{
    FindPendingPaint(hTop, lParam);
    if (!*(BOOL*)lParam && ::IsWindowVisible(hTop))
        ::EnumChildWindows(hTop, FindPendingPaint, lParam);
    return !*(BOOL*)lParam;
}

// Whether hWnd is owned by hOwner, directly or through the windows that own it.
bool IsOwnedBy(HWND hWnd, HWND hOwner)
{
    for (HWND h = ::GetWindow(hWnd, GW_OWNER); h != NULL; h = ::GetWindow(h, GW_OWNER))
        if (h == hOwner)
            return true;
    return false;
}

} // namespace

BOOL ThreadHasPendingPaint()
{
    if (HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT)
        return TRUE;
    BOOL bPending = FALSE;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindPendingPaintInTree, (LPARAM)&bPending);
    return bPending;
}

BOOL CGalleryWindow::CreateGallery()
{
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1),
                                      ::LoadIcon(NULL, IDI_APPLICATION));
    return CreateEx(WS_EX_CONTROLPARENT, cls, "Toolkit gallery", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                    20, 20, 300, 420, NULL, NULL);
}

int CGalleryWindow::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CreateMessageFont(m_font);
    m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                  LBS_NOINTEGRALHEIGHT, CRect(0, 0, 10, 10), this, ID_GALLERY_LIST);
    m_open.Create("&Open", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, CRect(0, 0, 10, 10), this,
                  ID_GALLERY_OPEN);
    m_list.SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle());
    m_open.SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle());
    int i = 0;
    for (const GalleryEntry& e : GalleryEntries()) {
        CString line;
        line.Format("%s: %s", e.subsystem, e.name);
        m_list.AddString(line);
        m_list.SetItemData(i++, (DWORD_PTR)&e);
    }
    m_list.SetCurSel(0);
    // The user goes to a page by activating it (a click, Alt+Tab, the page
    // closed above it): nothing of that reaches the gallery itself.
    m_hActivationHook = ::SetWindowsHookExA(WH_CBT, ActivationHook, NULL, ::GetCurrentThreadId());
    return 0;
}

void CGalleryWindow::OnDestroy()
{
    if (m_hActivationHook != NULL)
        ::UnhookWindowsHookEx(m_hActivationHook);
    m_hActivationHook = NULL;
    CWnd::OnDestroy();
}

LRESULT CALLBACK CGalleryWindow::ActivationHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_ACTIVATE) {
        // The gallery that owns the window, if any, highlights its page, and
        // puts the page's own floating bars back above it once the
        // activation has raised it (see OnActivate: Wine lifts an owner
        // activated by a click over the windows it owns, as it does the
        // gallery).
        for (HWND h = ::GetWindow((HWND)wParam, GW_OWNER); h != NULL; h = ::GetWindow(h, GW_OWNER)) {
            if (CGalleryWindow* pGallery = dynamic_cast<CGalleryWindow*>(CWnd::FromHandlePermanent(h))) {
                pGallery->HighlightEntryOf((HWND)wParam);
                pGallery->PostMessage(WM_GALLERY_RAISEOWNED, wParam);
                break;
            }
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

void CGalleryWindow::HighlightEntryOf(HWND hWnd)
{
    m_opened.erase(std::remove_if(m_opened.begin(), m_opened.end(),
                                  [](const std::pair<HWND, const GalleryEntry*>& o) { return !::IsWindow(o.first); }),
                   m_opened.end());
    for (HWND h = hWnd; h != NULL && h != m_hWnd; h = ::GetWindow(h, GW_OWNER)) {
        for (const auto& opened : m_opened) {
            if (opened.first != h)
                continue;
            for (int i = 0; i < m_list.GetCount(); ++i)
                if ((const GalleryEntry*)m_list.GetItemData(i) == opened.second && m_list.GetCurSel() != i)
                    m_list.SetCurSel(i);
            return;
        }
    }
}

CWnd* CGalleryWindow::OpenEntry(const GalleryEntry* pEntry)
{
    CWnd* pPage = pEntry->open(this);
    if (pPage != NULL) {
        m_opened.push_back({pPage->GetSafeHwnd(), pEntry});
        HighlightEntryOf(pPage->GetSafeHwnd());
    }
    return pPage;
}

void CGalleryWindow::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (!m_list.GetSafeHwnd())
        return;
    m_list.MoveWindow(kMargin, kMargin, cx - 2 * kMargin, cy - 3 * kMargin - 24);
    m_open.MoveWindow(cx - kMargin - 80, cy - kMargin - 24, 80, 24);
}

void CGalleryWindow::OnOpen()
{
    int sel = m_list.GetCurSel();
    if (sel < 0)
        return;
    const GalleryEntry* e = (const GalleryEntry*)m_list.GetItemData(sel);
    if (e && !OpenEntry(e))
        AfxMessageBox(CString("Could not open ") + e->name);
}

CWnd* CGalleryWindow::Open(const char* name, BOOL bShowOff)
{
    m_shownName = name;
    const GalleryEntry* e = FindGalleryEntry(name);
    if (!e) {
        WriteReady("missing");
        return NULL;
    }
    CWnd* pPage = OpenEntry(e);
    if (pPage && bShowOff)
        PostMessage(WM_GALLERY_SHOWOFF, 0, (LPARAM)pPage->GetSafeHwnd());
    return pPage;
}

LRESULT CGalleryWindow::OnShowOff(WPARAM, LPARAM lParam)
{
    CGalleryPage* pPage = dynamic_cast<CGalleryPage*>(CWnd::FromHandlePermanent((HWND)lParam));
    if (pPage)
        pPage->ShowOffScripted();
    // What the page does next (a menu dropped, a timer's first step) comes
    // through the queue: its last paint is waited for, not guessed.
    if (!m_readyFile.IsEmpty()) {
        m_quietTicks = m_settleTicks = 0;
        SetTimer(ID_SETTLE_TIMER, kSettleTickMs, NULL);
    }
    return 0;
}

void CGalleryWindow::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != ID_SETTLE_TIMER) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    m_quietTicks = ThreadHasPendingPaint() ? 0 : m_quietTicks + 1;
    ++m_settleTicks;
    if (m_quietTicks < kQuietTicksForShown && m_settleTicks < kMaxSettleTicks)
        return;
    KillTimer(ID_SETTLE_TIMER);
    ::GdiFlush();
    WriteReady(m_quietTicks >= kQuietTicksForShown ? "shown" : "busy");
}

void CGalleryWindow::WriteReady(const char* state)
{
    if (m_readyFile.IsEmpty())
        return;
    // Written whole under another name, then renamed: the script never reads half a line.
    CString temp = m_readyFile + ".tmp";
    FILE* f = fopen(temp, "w");
    if (!f)
        return;
    fprintf(f, "%s %s\n", state, (const char*)m_shownName);
    fclose(f);
    ::MoveFileExA(temp, m_readyFile, MOVEFILE_REPLACE_EXISTING);
}

void CGalleryWindow::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    // Windows keeps the windows a window owns above it. Wine does not: a
    // click that activates the gallery (on its Skin menu, its list) raises
    // its X window over every page it opened, and the window list follows
    // only when the X server's answer is read, with no WM_WINDOWPOSCHANGED
    // and often after the message posted here. The pages are restacked then
    // all the same, so that their own raises reach the X server after the
    // gallery's.
    if (nState != WA_INACTIVE)
        PostMessage(WM_GALLERY_RAISEOWNED);
}

void CGalleryWindow::OnEnterMenuLoop(BOOL bIsTrackPopupMenu)
{
    CWnd::OnEnterMenuLoop(bIsTrackPopupMenu);
    m_bInMenuLoop = TRUE;
}

void CGalleryWindow::OnExitMenuLoop(BOOL bIsTrackPopupMenu)
{
    CWnd::OnExitMenuLoop(bIsTrackPopupMenu);
    m_bInMenuLoop = FALSE;
    PostMessage(WM_GALLERY_RAISEOWNED);
}

LRESULT CGalleryWindow::OnRaiseOwned(WPARAM wParam, LPARAM)
{
    // wParam: the page activated, whose own windows go back above it; 0: the
    // gallery, all of whose windows go back above it.
    const HWND hOwner = wParam != 0 ? (HWND)wParam : m_hWnd;
    // Wine restacks a window on the screen only when it comes to the very
    // top: under an open menu the pages would be put above the gallery in
    // the window list but stay below it on the screen. They wait for the
    // menu to close.
    if (hOwner == m_hWnd && m_bInMenuLoop)
        return 0;
    if (::IsWindow(hOwner))
        RaiseWindowsOwnedBy(hOwner);
    return 0;
}

void CGalleryWindow::RaiseWindowsOwnedBy(HWND hOwner)
{
    std::vector<HWND> owned;    // top to bottom
    for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        // A topmost window (an open menu) is above the owner anyway.
        if (::IsWindowVisible(h) && !(::GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST) && IsOwnedBy(h, hOwner))
            owned.push_back(h);
    }
    // Wine restacks a window on the screen only when it comes to the very
    // top of the window list, and keeps an owned window above its owner in
    // the list whatever the screen shows: a window first in the list already
    // (a page's floating bar) is not lifted on the screen by a raise, and a
    // lift of its owner stops under it. So the owner comes first in the list
    // on its own (it is at the top on the screen: it was just activated),
    // then each owned window, the lowest first, comes to the very top over
    // it, and is lifted on the screen too; their order among themselves
    // stays. Through topmost and back would do it, but for an owned window
    // Wine leaves it topmost.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    ::SetWindowPos(hOwner, HWND_TOP, 0, 0, 0, 0, flags);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it)
        ::SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, flags);
}

void CGalleryWindow::PostNcDestroy()
{
    delete this;
}

// ---------------------------------------------------------------------------
// CSkinnedGalleryWindow
// ---------------------------------------------------------------------------

namespace {

struct SkinCommand
{
    UINT nID;
    const char* pszSkin;   // NULL: no skin
};
const SkinCommand kSkinCommands[] = {
    {ID_GALLERY_SKIN_CLASSIC, "Classic"},
    {ID_GALLERY_SKIN_XP, "Office XP"},
    {ID_GALLERY_SKIN_2003, "Office 2003"},
    {ID_GALLERY_SKIN_NONE, NULL},
};

} // namespace

void CSkinnedGalleryWindow::AddSkinMenu()
{
    CMenu menu, popup;
    menu.CreateMenu();
    popup.CreatePopupMenu();
    for (const SkinCommand& c : kSkinCommands)
        popup.AppendMenu(MF_STRING, c.nID, c.pszSkin != NULL ? c.pszSkin : "None");
    menu.AppendMenu(MF_POPUP, (UINT_PTR)popup.Detach(), "&Skin");
    SetMenu(&menu);
    menu.Detach();
    CheckCurrentSkin();
}

void CSkinnedGalleryWindow::CheckCurrentSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    CMenu* pMenu = GetMenu();
    if (pMenu == NULL)
        return;
    for (const SkinCommand& c : kSkinCommands) {
        BOOL bCurrent = c.pszSkin == NULL ? pSkin == NULL : pSkin != NULL && pSkin->GetName() == c.pszSkin;
        pMenu->CheckMenuItem(c.nID, MF_BYCOMMAND | (bCurrent ? MF_CHECKED : MF_UNCHECKED));
    }
}

BOOL CSkinnedGalleryWindow::OnCommand(WPARAM wParam, LPARAM lParam)
{
    COXSkinnedApp* pApp = DYNAMIC_DOWNCAST(COXSkinnedApp, AfxGetApp());
    for (const SkinCommand& c : kSkinCommands) {
        if (LOWORD(wParam) != c.nID || lParam != 0 || pApp == NULL)
            continue;
        pApp->SetCurrentSkin(c.pszSkin != NULL ? c.pszSkin : "");
        // The pages are windows of their own: each is repainted too.
        for (HWND hTop = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hTop != NULL;
             hTop = ::GetWindow(hTop, GW_HWNDNEXT))
            if (::GetWindow(hTop, GW_OWNER) == m_hWnd || ::GetParent(hTop) == m_hWnd)
                COXSkinnedApp::RefreshWindow(hTop);
        CheckCurrentSkin();
        return TRUE;
    }
    return CGalleryWindow::OnCommand(wParam, lParam);
}

// Small square pictures in the given colours, on a magenta clear colour.
void MakeBlocks(CWnd* pWnd, CImageList& images, std::initializer_list<COLORREF> colours)
{
    images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 1);
    CClientDC screen(pWnd);
    int i = 0;
    for (COLORREF c : colours) {
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&screen, 16, 16);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* pOld = dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 255));
        if (i++ % 2 == 0)
            dc.FillSolidRect(1, 3, 14, 11, c);
        else
            dc.FillSolidRect(4, 4, 8, 8, c);
        dc.SelectObject(pOld);
        images.Add(&bmp, RGB(255, 0, 255));
    }
}
