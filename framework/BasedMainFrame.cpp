#include "BasedMainFrame.h"
#include <ctime>
#include "BasedApp.h"
#include "ExternalToolDlg.h"
#include "ExternalTools.h"
#include "FrameworkUtils.h"
#include "Logger.h"
#include "ProfileKeys.h"
#include "TraceEvent.h"

IMPLEMENT_DYNAMIC(CBasedMainFrame, CFrameWnd)

CBasedMainFrame::PFNSENDMAIL CBasedMainFrame::s_pfnSendMail = NULL;

namespace {

CString NowText()
{
    char szBuf[128] = "";
    time_t now = time(NULL);
    strftime(szBuf, sizeof(szBuf), "%x %X", localtime(&now));
    return szBuf;
}

const CExternalToolArray* Tools()
{
    CBasedApp* pApp = GetBasedApp();
    return pApp != NULL ? &pApp->m_arrExternalTools : NULL;
}

}  // namespace

BEGIN_MESSAGE_MAP(CBasedMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENUPOPUP()
    ON_WM_MEASUREITEM()
    ON_WM_MENUCHAR()
    ON_WM_ENTERIDLE()
    ON_MESSAGE(WM_TRAY_NOTIFY, &CBasedMainFrame::OnTrayNotify)
    ON_COMMAND(ID_SHOW_APPLICATION, &CBasedMainFrame::OnShowApplication)
    ON_COMMAND(ID_ALWAYS_ON_TOP, &CBasedMainFrame::OnAlwaysOnTop)
    ON_UPDATE_COMMAND_UI(ID_ALWAYS_ON_TOP, &CBasedMainFrame::OnUpdateAlwaysOnTop)
    ON_COMMAND(ID_MINIMIZE_TO_TRAY, &CBasedMainFrame::OnMinimizeToTray)
    ON_UPDATE_COMMAND_UI(ID_MINIMIZE_TO_TRAY, &CBasedMainFrame::OnUpdateMinimizeToTray)
    ON_COMMAND(ID_EXTERNAL_TOOLS, &CBasedMainFrame::OnExternalTools)
    ON_UPDATE_COMMAND_UI(ID_EXTERNAL_TOOLS, &CBasedMainFrame::OnUpdateExternalTools)
    ON_COMMAND_RANGE(ID_EXTERNAL_TOOL_FIRST, ID_EXTERNAL_TOOL_LAST, &CBasedMainFrame::OnExternalTool)
    ON_COMMAND(ID_FRAME_NOTHING, &CBasedMainFrame::OnNothing)
    ON_COMMAND(ID_SHOW_TRACE_LOG, &CBasedMainFrame::OnShowTraceLog)
    ON_UPDATE_COMMAND_UI(ID_SHOW_TRACE_LOG, &CBasedMainFrame::OnUpdateShowTraceLog)
    ON_COMMAND(ID_FULL_SCREEN, &CBasedMainFrame::OnFullScreen)
    ON_UPDATE_COMMAND_UI(ID_FULL_SCREEN, &CBasedMainFrame::OnUpdateFullScreen)
    ON_COMMAND(ID_MAIL_SUPPORT, &CBasedMainFrame::OnMailSupport)
    ON_COMMAND(ID_DOCUMENT_PROPERTIES, &CBasedMainFrame::OnDocumentProperties)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CBasedMainFrame::CBasedMainFrame()
    : m_nIDToolBar(128), m_nIDToolBarBitmap(112), m_nIDToolBarHotBitmap(117), m_nIDTrayIcon(142),
      m_nIDTrayMenu(142), m_nIDContextMenu(141), m_nIDMenu(128), m_nIDSecondToolBar(129), m_pApp(GetBasedApp()),
      m_nImageDepth(24), m_nImageSize(32), m_clrMask(RGB(192, 192, 192)), m_pProgressBar(NULL), m_bFullScreen(0),
      m_bToolBarWasVisible(0), m_bWasMaximized(0), m_rcBeforeFullScreen(0, 0, 0, 0)
{
    m_bFullScreen = ReadProfileKey(AfxGetApp(), profileFullScreen) != 0 ? 1 : 0;
}

CBasedMainFrame::~CBasedMainFrame()
{
    WriteProfileKey(AfxGetApp(), profileFullScreen, m_bFullScreen);
    delete m_pProgressBar;
    m_pProgressBar = NULL;
    // the tip window is owned by the frame's window and normally went with it
    if (::IsWindow(m_tooltip.GetSafeHwnd()))
        m_tooltip.DestroyWindow();
}

BOOL CBasedMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    CWinApp* pApp = AfxGetApp();
    cs.x = ReadProfileKey(pApp, profileMainFrameX);
    cs.y = ReadProfileKey(pApp, profileMainFrameY);
    cs.cx = ReadProfileKey(pApp, profileMainFrameWidth);
    cs.cy = ReadProfileKey(pApp, profileMainFrameHeight);
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    return TRUE;
}

// Runs after the derived frame's own CFrameWnd creation and status bar: the
// progress bar lives in the status bar.
int CBasedMainFrame::OnCreate(LPCREATESTRUCT)
{
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0),
                               AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(m_nIDToolBar))
        return -1;
    // The normal and the hot images, each from its own bitmap, on the button
    // face; a bar without them keeps the plain images of its tool bar resource.
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    const UINT nDepth = m_nImageDepth == 32 ? ILC_COLOR32 : m_nImageDepth == 24 ? ILC_COLOR24 : ILC_COLOR;
    m_ilToolBar.DeleteImageList();
    m_ilToolBarHot.DeleteImageList();
    if (LoadBitmapImageList(m_nIDToolBarBitmap, m_ilToolBar, m_nImageSize, m_nImageSize, nDepth, 0, clrFace))
        m_wndToolBar.SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_ilToolBar.GetSafeHandle());
    if (LoadBitmapImageList(m_nIDToolBarHotBitmap, m_ilToolBarHot, m_nImageSize, m_nImageSize, nDepth, 0, clrFace))
        m_wndToolBar.SendMessage(TB_SETHOTIMAGELIST, 0, (LPARAM)m_ilToolBarHot.GetSafeHandle());
    m_wndToolBar.SetWindowText("Main Toolbar");
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);

    if (!m_wndReBar.Create(this, RBS_BANDBORDERS | RBS_AUTOSIZE | RBS_VERTICALGRIPPER,
                           WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM |
                               CBRS_FLOAT_MULTI | CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
                           AFX_IDW_REBAR) ||
        !m_wndReBar.AddBarWithChevron(&m_wndToolBar, 0, NULL, RBBS_GRIPPERALWAYS))
        return -1;
    CSize full(0, 0);
    m_wndToolBar.GetToolBarCtrl().GetMaxSize(&full);
    REBARBANDINFO rbbi;
    memset(&rbbi, 0, sizeof(rbbi));
    rbbi.cbSize = REBARBANDINFOA_V6_SIZE;
    rbbi.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
    rbbi.cxMinChild = 0;
    rbbi.cyMinChild = full.cy;
    rbbi.cxIdeal = full.cx;
    m_wndReBar.GetReBarCtrl().SetBandInfo(0, &rbbi);

    // a tooltip that cannot be made now is made again by the message loop
    m_tooltip.Create(this, TRUE);

    if (m_pProgressBar == NULL) {
        // The bar finds its status bar through the main window, which the
        // template names only after creation.
        CWinApp* pApp = AfxGetApp();
        CWnd* pOldMain = pApp->m_pMainWnd;
        if (pOldMain == NULL)
            pApp->m_pMainWnd = this;
        m_pProgressBar = new CProgressBar;
        if (m_pProgressBar->Create("Done", 100, 100, FALSE, 0)) {
            m_pProgressBar->SetRange(0, 100, 1);
            m_pProgressBar->ShowWindow(SW_HIDE);
        }
        pApp->m_pMainWnd = pOldMain;
    }

    m_TrayIcon.Create(this, WM_TRAY_NOTIFY, CString(AfxGetAppName()), AfxGetApp()->LoadIcon(m_nIDTrayIcon),
                      m_nIDTrayMenu);

    BOOL bTopmost = ReadProfileKey(AfxGetApp(), profileTopmost) != 0;
    SetTopmost(bTopmost, SWP_NOACTIVATE);

    // made hidden now, so that the log keeps what happens before it is shown
    if (m_pApp != NULL && m_pApp->m_pLogTemplate != NULL)
        GetLogger().CreateLogWindow(m_pApp->m_pLogTemplate);

    LogLine("Application starting ");
    return 0;
}

void CBasedMainFrame::LogLine(LPCSTR pszWhat)
{
    if (!g_bEnableLog)
        return;
    GetLogger().AddEvent(new TraceComment(-1, CString(pszWhat) + NowText()));
    GetLogger().AddEvent(new TraceData(-1, (const void*)NULL, 0));
}

// A hidden frame with no icon the user can see is a lost program: it hides
// only while the tray icon is on screen, and is minimised otherwise.
void CBasedMainFrame::HideApplication()
{
    if (CanHideToTray())
        ShowWindow(SW_HIDE);
    else if (!IsIconic())
        ShowWindow(SW_MINIMIZE);
}

void CBasedMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED && m_pApp != NULL && m_pApp->m_bMinimizeToTray && CanHideToTray())
        ShowWindow(SW_HIDE);
    CWinApp* pApp = AfxGetApp();
    WriteProfileKey(pApp, profileMainFrameState, (int)nType);
    if (nType != SIZE_MINIMIZED && nType != SIZE_MAXIMIZED && !m_bFullScreen) {
        CRect rc;
        GetWindowRect(&rc);
        if (rc.Width() > 0)
            WriteProfileKey(pApp, profileMainFrameWidth, rc.Width());
        if (rc.Height() > 0)
            WriteProfileKey(pApp, profileMainFrameHeight, rc.Height());
    }
}

void CBasedMainFrame::OnMove(int x, int y)
{
    CFrameWnd::OnMove(x, y);
    WINDOWPLACEMENT wp;
    wp.length = sizeof(wp);
    GetWindowPlacement(&wp);
    CRect rc;
    GetWindowRect(&rc);
    if (wp.showCmd != SW_SHOWMAXIMIZED && !IsZoomed() && rc.top > -30000 && !m_bFullScreen) {
        WriteProfileKey(AfxGetApp(), profileMainFrameX, rc.left);
        WriteProfileKey(AfxGetApp(), profileMainFrameY, rc.top);
    }
}

void CBasedMainFrame::OnContextMenu(CWnd* pWnd, CPoint point)
{
    for (CWnd* p = pWnd; p != NULL && p != this; p = p->GetParent())
        if (p->IsKindOf(RUNTIME_CLASS(CView)))
            return;
    BCMenu menu;
    if (!menu.LoadMenu(m_nIDContextMenu))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup != NULL)
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CBasedMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && BCMenu::IsKnownMenu(pPopupMenu))
        BCMenu::UpdateMenu(pPopupMenu);
}

void CBasedMainFrame::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU && ::IsMenu((HMENU)(UINT_PTR)lpMeasureItemStruct->itemID))
        BCMenu::IsKnownMenuHandle((HMENU)(UINT_PTR)lpMeasureItemStruct->itemID);
    CFrameWnd::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

LRESULT CBasedMainFrame::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (BCMenu::IsKnownMenu(pMenu))
        return BCMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
    return CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CBasedMainFrame::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    CFrameWnd::OnEnterIdle(nWhy, pWho);
    // A menu item's tip stays only while the cursor is over the menu's owner.
    if (nWhy == MSGF_MENU && m_tooltip.m_nTooltipState == PPTOOLTIP_STATE_SHOWING &&
        m_tooltip.m_nTooltipType == PPTOOLTIP_SHOW_MENU) {
        CPoint pt;
        ::GetCursorPos(&pt);
        if (pWho == NULL || ::WindowFromPoint(pt) != pWho->GetSafeHwnd())
            m_tooltip.HideTooltip();
    }
}

LRESULT CBasedMainFrame::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    return m_TrayIcon.OnTrayNotification(wParam, lParam);
}

void CBasedMainFrame::OnShowApplication()
{
    if (IsWindowVisible()) {
        ShowWindow(SW_RESTORE);
        return;
    }
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    ShowWindow(SW_SHOW);
    BringWindowToTop();
    UpdateWindow();
    SetFocus();
    SetForegroundWindow();
}

// Some systems will not put a window on top while a window it owns is
// top-most already, as the tip's window is: the tip's window is made again
// once the frame is on top (the tooltip object keeps its tools).
void CBasedMainFrame::SetTopmost(BOOL bTopmost, UINT nFlags)
{
    BOOL bRemakeTip = bTopmost && ::IsWindow(m_tooltip.GetSafeHwnd());
    if (bRemakeTip)
        m_tooltip.DestroyWindow();
    SetWindowPos(bTopmost ? &wndTopMost : &wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | nFlags);
    if (bRemakeTip)
        m_tooltip.Create(this, TRUE);
}

// The profile holds the state the frame is put in: the toggle flips it.
void CBasedMainFrame::ToggleAlwaysOnTop()
{
    BOOL bTopmost = ReadProfileKey(AfxGetApp(), profileTopmost) != 0;
    SetTopmost(!bTopmost, 0);
    WriteProfileKey(AfxGetApp(), profileTopmost, bTopmost ? 0 : 1);
}

void CBasedMainFrame::OnUpdateAlwaysOnTop(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(ReadProfileKey(AfxGetApp(), profileTopmost) != 0 ? 1 : 0);
}

// The tools editor is a grid dialog that comes with the grid control.
void CBasedMainFrame::OnExternalTools()
{
    CExternalToolDlg dlg(this);
    dlg.DoModal();
}

void CBasedMainFrame::OnUpdateExternalTools(CCmdUI* pCmdUI)
{
    static CExternalToolArray empty;
    const CExternalToolArray* pTools = Tools();
    UpdateExternalToolsMenu(pCmdUI, pTools != NULL ? *pTools : empty);
}

void CBasedMainFrame::OnExternalTool(UINT nID)
{
    const CExternalToolArray* pTools = Tools();
    if (pTools != NULL)
        StartExternalTool(*pTools, nID);
}

BOOL CBasedMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (!::IsWindow(m_tooltip.GetSafeHwnd()))
        m_tooltip.Create(this, TRUE);
    m_tooltip.RelayEvent(pMsg);
    int nTool = HotKeyTool(pMsg);
    if (nTool >= 0) {
        StartExternalTool(*Tools(), ID_EXTERNAL_TOOL_FIRST + nTool);
        return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

// Alt combinations and F10 come as WM_SYSKEYDOWN, every other key as
// WM_KEYDOWN: a hot key may be either.
int CBasedMainFrame::HotKeyTool(const MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN)
        return -1;
    const CExternalToolArray* pTools = Tools();
    if (pTools == NULL)
        return -1;
    UINT nKey = (UINT)pMsg->wParam;
    int nModifiers = GetHeldHotKeyModifiers();
    int nTool = FindExternalToolByHotKey(*pTools, nKey, nModifiers);
    if (nTool < 0 || !MayTakeHotKey(nKey, nModifiers, pMsg->hwnd))
        return -1;
    return nTool;
}

HMENU CBasedMainFrame::BuildMenu()
{
    BCMenu::SetIconSize(m_nImageSize, m_nImageSize);
    m_menu.LoadMenu(m_nIDMenu);
    m_menu.LoadToolbar(m_nIDToolBar);
    m_menu.LoadToolbar(m_nIDSecondToolBar);
    return m_menu.Detach();
}

// The flag is read from the profile before there is a window, so a frame
// left full screen starts with the flag set and is put full screen by the
// application's start-up: the caption, not the flag, tells whether it is.
void CBasedMainFrame::EnterFullScreen()
{
    if (m_bFullScreen && (GetStyle() & WS_CAPTION) == 0)
        return;
    m_bToolBarWasVisible = m_wndToolBar.GetSafeHwnd() != NULL && m_wndToolBar.IsWindowVisible() ? 1 : 0;
    if (m_bToolBarWasVisible)
        m_wndToolBar.ShowWindow(SW_HIDE);
    m_bWasMaximized = IsZoomed() ? 1 : 0;
    GetWindowRect(&m_rcBeforeFullScreen);
    m_bFullScreen = 1;   // before the moves, so that they keep no placement
    ModifyStyle(WS_CAPTION | WS_MAXIMIZE, 0);
    int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(NULL, -4, -4, cx + 8, cy + 8, SWP_NOZORDER | SWP_FRAMECHANGED);
    RecalcLayout();
}

void CBasedMainFrame::LeaveFullScreen()
{
    if (!m_bFullScreen || (GetStyle() & WS_CAPTION) != 0) {
        m_bFullScreen = 0;
        return;
    }
    ModifyStyle(0, WS_CAPTION);
    if (m_bToolBarWasVisible)
        m_wndToolBar.ShowWindow(SW_SHOW);
    m_bFullScreen = 0;
    SetWindowPos(NULL, m_rcBeforeFullScreen.left, m_rcBeforeFullScreen.top, m_rcBeforeFullScreen.Width(),
                 m_rcBeforeFullScreen.Height(), SWP_NOZORDER | SWP_FRAMECHANGED);
    RecalcLayout();
    if (m_bWasMaximized)
        ShowWindow(SW_MAXIMIZE);
}

void CBasedMainFrame::OnShowTraceLog()
{
    CFrameWnd* pLogFrame = GetLogger().GetLogFrame();
    if (pLogFrame != NULL && ::IsWindow(pLogFrame->GetSafeHwnd())) {
        pLogFrame->ShowWindow(pLogFrame->IsIconic() ? SW_RESTORE : SW_SHOW);
        pLogFrame->ActivateFrame();
        return;
    }
    // a first call only makes the window, hidden, as the frame's creation does
    if (m_pApp != NULL)
        GetLogger().CreateLogWindow(m_pApp->m_pLogTemplate);
}

void CBasedMainFrame::OnMailSupport()
{
    if (m_pApp == NULL || s_pfnSendMail == NULL)
        return;
    CString strSubject = "Question by " + m_pApp->GetModulePath() + "\r\n\r\n";
    s_pfnSendMail(m_pApp->GetSupportEmail(), strSubject, "< Question 1 : >");
}

void CBasedMainFrame::OnDocumentProperties()
{
    CDocument* pDoc = GetActiveDocument();
    CString strPath = pDoc != NULL ? pDoc->GetPathName() : CString();
    if (strPath.IsEmpty()) {
        WarningMessage("Now document not saved to disk.", "Warning");
        return;
    }
    SHELLEXECUTEINFOA sei;
    memset(&sei, 0, sizeof(sei));
    sei.cbSize = sizeof(sei);
    sei.fMask = SEE_MASK_INVOKEIDLIST;
    sei.hwnd = AfxGetMainWnd() != NULL ? AfxGetMainWnd()->GetSafeHwnd() : m_hWnd;
    sei.lpVerb = "properties";
    sei.lpFile = strPath;
    sei.nShow = SW_SHOW;
    ::ShellExecuteExA(&sei);
}

void CBasedMainFrame::OnDestroy()
{
    m_TrayIcon.RemoveIcon();
    LogLine("Application exiting ");
    CFrameWnd::OnDestroy();
}
