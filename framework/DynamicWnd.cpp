// DynamicWnd.cpp - the dynamic layout engine, its placement record and the
// size grip.
#include "DynamicWnd.h"
#include "ProfileKeys.h"

// The system's size-box bitmap (declared by the headers only with OEMRESOURCE).
#ifndef OBM_SIZE
#define OBM_SIZE 32766
#endif

// ---------------------------------------------------------------------------
// cdxCDynamicWnd
// ---------------------------------------------------------------------------

// Any unknown mode keeps the control fixed.
void cdxCDynamicWnd::ModeToPercent(BYTE nMode, BYTE& nFirst, BYTE& nSecond)
{
    switch (nMode) {
    case mdResize:   nFirst = 0;   nSecond = 100; break;
    case mdRepos:    nFirst = 100; nSecond = 100; break;
    case mdRelative: nFirst = 50;  nSecond = 50;  break;
    default:         nFirst = 0;   nSecond = 0;   break;
    }
}

cdxCDynamicWnd::cdxCDynamicWnd(Freedom fd, UINT nFlags)
    : m_pWnd(NULL), m_pSizeIcon(NULL), m_bIsAntiFlickering(FALSE), m_iDisabled(0), m_nOrgClassRedrawBits(0),
      m_Map(10), m_Freedom(fd), m_nDynFlags(nFlags), m_szInitial(0, 0), m_szMin(0, 0), m_szMax(0, 0),
      m_idSizeIcon(AFX_IDW_SIZE_BOX), m_nMyTimerID(0), m_bUseScrollPos(FALSE)
{
    m_Map.InitHashTable(17);
}

cdxCDynamicWnd::~cdxCDynamicWnd()
{
    if (m_pSizeIcon != NULL) {
        if (::IsWindow(m_pSizeIcon->m_hWnd))
            m_pSizeIcon->DestroyWindow();
        delete m_pSizeIcon;
    }
}

CSize cdxCDynamicWnd::GetCurrentClientSize() const
{
    if (!IsWindow())
        return CSize(0, 0);
    CRect rc;
    m_pWnd->GetClientRect(&rc);
    return rc.Size();
}

static CRect NormalRect(HWND hWnd)
{
    WINDOWPLACEMENT wp;
    wp.length = sizeof wp;
    ::GetWindowPlacement(hWnd, &wp);
    return CRect(wp.rcNormalPosition);
}

void cdxCDynamicWnd::DoInitWindow(CWnd& rWnd)
{
    CRect rc;
    rWnd.GetClientRect(&rc);
    DoInitWindow(rWnd, rc.Size());
}

void cdxCDynamicWnd::DoInitWindow(CWnd& rWnd, const CSize& szInitial)
{
    m_pWnd = &rWnd;
    m_szInitial = m_szMin = szInitial;
    const int nOldCount = GetControlCount();

    const DynamicMapEntry* pMap = GetDynamicMap(NULL);
    if (pMap != NULL) {
        for (const DynamicMapEntry* p = pMap; p->nType != 0; ++p) {
            HWND hChild = p->nID != 0 ? ::GetDlgItem(rWnd.m_hWnd, p->nID) : NULL;
            if (p->nID != 0 && hChild == NULL)
                continue;   // the form has no such control
            BYTE x1, y1, x2, y2;
            if (p->nType == 2) {
                ModeToPercent(p->b1, x1, x2);
                ModeToPercent(p->b2, y1, y2);
            } else {
                x1 = p->b1; y1 = p->b2; x2 = p->b3; y2 = p->b4;
            }
            if (p->nID == 0)
                AddAllChildControls(x1, y1, x2, y2, FALSE, FALSE);
            else
                AddControl(*CWnd::FromHandle(hChild), x1, y1, x2, y2, CSize(0, 0), FALSE);
        }
    }

    if ((m_nDynFlags & flSizeIcon) && m_pSizeIcon == NULL) {
        m_pSizeIcon = new cdxCSizeIconCtrl(TRUE);
        if (m_pSizeIcon->Create(&rWnd, m_idSizeIcon)) {
            AddControl(*m_pSizeIcon, 100, 100, 100, 100, CSize(0, 0), FALSE);
            m_pSizeIcon->ShowWindow(SW_SHOW);
        } else {
            delete m_pSizeIcon;
            m_pSizeIcon = NULL;
        }
    }

    m_bIsAntiFlickering = FALSE;
    m_nMyTimerID = DEFAULT_TIMER_ID;
    m_nOrgClassRedrawBits = (int)(::GetClassLongPtr(rWnd.m_hWnd, GCL_STYLE) & (CS_VREDRAW | CS_HREDRAW));

    RestoreWindowPosition();
    if (GetControlCount() > nOldCount)
        Layout();
}

BOOL cdxCDynamicWnd::UpdateControlPosition(CWnd& wnd, const Position& pos, BOOL bReposition)
{
    if (!IsWindow() || !::IsWindow(wnd.m_hWnd))
        return FALSE;
    m_Map.SetAt(wnd.m_hWnd, pos);
    if (bReposition)
        RepositionNow(wnd.m_hWnd);
    return TRUE;
}

// Moves one child to its computed place at once; nothing moves while the
// owner is minimised or has neither grown, shrunk nor scrolled.
BOOL cdxCDynamicWnd::RepositionNow(HWND hWnd)
{
    cdxCDynamicLayoutInfo* pli = DoCreateLayoutInfo();
    if (pli == NULL)
        return FALSE;
    BOOL bMoved = FALSE;
    CRect rcNew;
    if (!pli->IsDefault() && GetControlPosition(hWnd, ::GetDlgCtrlID(hWnd), rcNew, *pli) &&
        rcNew != NormalRect(hWnd)) {
        ::SetWindowPos(hWnd, NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        bMoved = TRUE;
    }
    delete pli;
    return bMoved;
}

BOOL cdxCDynamicWnd::AddControl(CWnd& wnd, BYTE x1, BYTE y1, BYTE x2, BYTE y2, const CSize& szMin, BOOL bReposition)
{
    if (!IsWindow() || !::IsWindow(wnd.m_hWnd))
        return FALSE;
    CRect rc = NormalRect(wnd.m_hWnd);
    Position pos;
    pos.left = rc.left; pos.top = rc.top; pos.right = rc.right; pos.bottom = rc.bottom;
    pos.x1 = x1; pos.y1 = y1; pos.x2 = x2; pos.y2 = y2;
    pos.szMin = szMin;
    return UpdateControlPosition(wnd, pos, bReposition);
}

BOOL cdxCDynamicWnd::AddControl(UINT nID, BYTE x1, BYTE y1, BYTE x2, BYTE y2, const CSize& szMin, BOOL bReposition)
{
    HWND hChild = IsWindow() ? ::GetDlgItem(m_pWnd->m_hWnd, nID) : NULL;
    return hChild != NULL && AddControl(*CWnd::FromHandle(hChild), x1, y1, x2, y2, szMin, bReposition);
}

BOOL cdxCDynamicWnd::AddControlByModes(CWnd& wnd, Mode modeH, Mode modeV, const CSize& szMin, BOOL bReposition)
{
    BYTE x1, x2, y1, y2;
    ModeToPercent((BYTE)modeH, x1, x2);
    ModeToPercent((BYTE)modeV, y1, y2);
    return AddControl(wnd, x1, y1, x2, y2, szMin, bReposition);
}

BOOL cdxCDynamicWnd::AddControlByModes(UINT nID, Mode modeH, Mode modeV, const CSize& szMin, BOOL bReposition)
{
    HWND hChild = IsWindow() ? ::GetDlgItem(m_pWnd->m_hWnd, nID) : NULL;
    return hChild != NULL && AddControlByModes(*CWnd::FromHandle(hChild), modeH, modeV, szMin, bReposition);
}

int cdxCDynamicWnd::AddAllChildControls(BYTE x1, BYTE y1, BYTE x2, BYTE y2, BOOL bOverwrite, BOOL bRelayout)
{
    if (!IsWindow())
        return 0;
    int nAdded = 0;
    for (HWND h = ::GetWindow(m_pWnd->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        Position pos;
        if (!bOverwrite && m_Map.Lookup(h, pos))
            continue;
        if (AddControl(*CWnd::FromHandle(h), x1, y1, x2, y2, CSize(0, 0), FALSE))
            ++nAdded;
    }
    if (bRelayout && nAdded > 0)
        Layout();
    return nAdded;
}

BOOL cdxCDynamicWnd::RemoveControl(HWND hWnd)
{
    return m_Map.RemoveKey(hWnd);
}

BOOL cdxCDynamicWnd::RemoveControl(CWnd& wnd, BOOL bRestore)
{
    Position pos;
    if (bRestore && ::IsWindow(wnd.m_hWnd) && m_Map.Lookup(wnd.m_hWnd, pos)) {
        ::SetWindowPos(wnd.m_hWnd, NULL, pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    return RemoveControl(wnd.m_hWnd);
}

BOOL cdxCDynamicWnd::GetControlPositionRecord(HWND hWnd, Position& pos) const
{
    return m_Map.Lookup(hWnd, pos);
}

CSize cdxCDynamicWnd::GetNonClientSize() const
{
    if (!IsWindow() || m_pWnd->IsIconic())
        return CSize(0, 0);
    CRect rcWnd, rcClient;
    m_pWnd->GetWindowRect(&rcWnd);
    m_pWnd->GetClientRect(&rcClient);
    return rcWnd.Size() - rcClient.Size();
}

// Grows (or shrinks) a window by szDelta, half on each side, so that it stays
// centred where it was; a child window is placed in its parent's co-ordinates.
BOOL cdxGrowWindowAroundCentre(CWnd* pWnd, const CSize& szDelta)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    if (pWnd->GetStyle() & WS_CHILD) {
        HWND hParent = ::GetParent(pWnd->m_hWnd);
        if (hParent != NULL)
            ::MapWindowPoints(NULL, hParent, (LPPOINT)&rc, 2);
    }
    rc.left -= szDelta.cx / 2;
    rc.right += (szDelta.cx + 1) / 2;
    rc.top -= szDelta.cy / 2;
    rc.bottom += (szDelta.cy + 1) / 2;
    if (rc.IsRectEmpty())
        return FALSE;
    return ::SetWindowPos(pWnd->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

BOOL cdxCDynamicWnd::GrowWindow(const CSize& szDelta)
{
    if (!IsWindow())
        return FALSE;
    return cdxGrowWindowAroundCentre(m_pWnd, szDelta);
}

BOOL cdxCDynamicWnd::GrowWindowByPercent(int nPercent)
{
    if (!IsWindow())
        return FALSE;
    CSize sz = GetNonClientSize() + GetCurrentClientSize();
    return GrowWindow(CSize(nPercent * sz.cx / 100, nPercent * sz.cy / 100));
}

cdxCDynamicLayoutInfo* cdxCDynamicWnd::DoCreateLayoutInfo()
{
    if (!IsWindow() || m_pWnd->IsIconic())
        return NULL;
    cdxCDynamicLayoutInfo* pli = new cdxCDynamicLayoutInfo;
    pli->m_szCurrent = GetCurrentClientSize();
    pli->m_szInitial = m_szInitial;
    pli->m_szDelta = pli->m_szCurrent - m_szInitial;
    pli->m_nCtrlCnt = GetControlCount();
    pli->m_bUseScrollPos = m_bUseScrollPos;
    if (m_bUseScrollPos) {
        pli->m_pntScrollPos.x = m_pWnd->GetScrollPos(SB_HORZ);
        pli->m_pntScrollPos.y = m_pWnd->GetScrollPos(SB_VERT);
    }
    return pli;
}

// A scroll-aware owner smaller than its form scrolls rather than squeezing
// its controls: a shrinking direction leaves them at their scrolled places.
// A child squeezed below its minimum is put out of sight, left of (or above)
// the client area.
BOOL cdxCDynamicWnd::GetControlPosition(HWND hWnd, UINT nID, CRect& rectNew, const cdxCDynamicLayoutInfo& li)
{
    (void)nID;
    Position pos;
    if (!m_Map.Lookup(hWnd, pos))
        return FALSE;
    const int dx = li.m_szDelta.cx, dy = li.m_szDelta.cy;
    rectNew.SetRect(pos.left, pos.top, pos.right, pos.bottom);
    if (!li.m_bUseScrollPos) {
        rectNew.left += pos.x1 * dx / 100;
        rectNew.right += pos.x2 * dx / 100;
        rectNew.top += pos.y1 * dy / 100;
        rectNew.bottom += pos.y2 * dy / 100;
    } else {
        rectNew.OffsetRect(-li.m_pntScrollPos.x, -li.m_pntScrollPos.y);
        if (dx >= 0) {
            rectNew.left += pos.x1 * dx / 100;
            rectNew.right += pos.x2 * dx / 100;
        }
        if (dy >= 0) {
            rectNew.top += pos.y1 * dy / 100;
            rectNew.bottom += pos.y2 * dy / 100;
        }
    }
    if (rectNew.left + pos.szMin.cx >= rectNew.right) {
        rectNew.right = -10;
        rectNew.left = -pos.szMin.cx - 10;
    }
    if (rectNew.top + pos.szMin.cy >= rectNew.bottom) {
        rectNew.bottom = -10;
        rectNew.top = -pos.szMin.cy - 10;
    }
    return TRUE;
}

// All children move in one deferred batch; when the batch fails the rest
// are moved one by one.
void cdxCDynamicWnd::Layout()
{
    if (!IsWindow())
        return;
    cdxCDynamicLayoutInfo* pli = DoCreateLayoutInfo();
    if (pli == NULL)
        return;
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (!(m_nDynFlags & flSWPCopyBits))
        nFlags |= SWP_NOCOPYBITS;
    HDWP hdwp = ::BeginDeferWindowPos(pli->m_nCtrlCnt > 0 ? pli->m_nCtrlCnt : 1);
    for (HWND h = ::GetWindow(m_pWnd->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CRect rcNew;
        if (!GetControlPosition(h, ::GetDlgCtrlID(h), rcNew, *pli) || rcNew == NormalRect(h))
            continue;
        if (hdwp != NULL)
            hdwp = ::DeferWindowPos(hdwp, h, NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(), nFlags);
        if (hdwp == NULL)
            ::SetWindowPos(h, NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(), nFlags);
    }
    if (hdwp != NULL)
        ::EndDeferWindowPos(hdwp);
    delete pli;
}

void cdxCDynamicWnd::DoOnSize(UINT nType)
{
    if (!IsDisabled() && IsWindow() && nType != SIZE_MINIMIZED)
        Layout();
}

void cdxCDynamicWnd::DoOnSizing(UINT fwSide)
{
    if (m_nMyTimerID == 0 || IsDisabled() || !IsWindow() || !(m_nDynFlags & flAntiFlicker))
        return;
    StartAntiFlickerTimer(fwSide == WMSZ_RIGHT || fwSide == WMSZ_BOTTOM || fwSide == WMSZ_BOTTOMRIGHT);
}

// While an edge is dragged the class redraw bits are switched once: off when
// the right or bottom edge moves (the children keep their top-left places and
// need no full repaint), on otherwise. The bits are class-wide, so the timer
// puts them back 120 ms after the last sizing message.
void cdxCDynamicWnd::StartAntiFlickerTimer(BOOL bRightOrBottom)
{
    if (!IsWindow() || m_nMyTimerID == 0)
        return;
    m_pWnd->KillTimer(m_nMyTimerID);
    m_pWnd->SetTimer(m_nMyTimerID, ANTI_FLICKER_DELAY);
    if (m_bIsAntiFlickering)
        return;
    ULONG_PTR nStyle = ::GetClassLongPtr(m_pWnd->m_hWnd, GCL_STYLE);
    if (bRightOrBottom)
        nStyle &= ~(ULONG_PTR)(CS_HREDRAW | CS_VREDRAW);
    else
        nStyle |= CS_HREDRAW | CS_VREDRAW;
    ::SetClassLongPtr(m_pWnd->m_hWnd, GCL_STYLE, (LONG_PTR)nStyle);
    m_bIsAntiFlickering = TRUE;
}

void cdxCDynamicWnd::RestoreClassRedrawBits()
{
    if (!m_bIsAntiFlickering || !IsWindow())
        return;
    ULONG_PTR nStyle = ::GetClassLongPtr(m_pWnd->m_hWnd, GCL_STYLE);
    nStyle = (nStyle & ~(ULONG_PTR)(CS_HREDRAW | CS_VREDRAW)) | (ULONG_PTR)m_nOrgClassRedrawBits;
    ::SetClassLongPtr(m_pWnd->m_hWnd, GCL_STYLE, (LONG_PTR)nStyle);
    m_bIsAntiFlickering = FALSE;
}

void cdxCDynamicWnd::DoOnTimer(UINT_PTR nIDEvent)
{
    if (m_nMyTimerID == 0 || nIDEvent != m_nMyTimerID || !IsWindow())
        return;
    m_pWnd->KillTimer(m_nMyTimerID);
    RestoreClassRedrawBits();
}

// The window never becomes smaller than its size at set-up; on an axis
// without freedom its size is fixed.
void cdxCDynamicWnd::DoOnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (!IsWindow() || IsDisabled())
        return;
    const CSize szBorder = GetNonClientSize();
    lpMMI->ptMinTrackSize.x = m_szMin.cx + szBorder.cx;
    lpMMI->ptMinTrackSize.y = m_szMin.cy + szBorder.cy;
    if (m_Freedom & fdHoriz) {
        if (m_szMax.cx > 0)
            lpMMI->ptMaxTrackSize.x = m_szMax.cx + szBorder.cx;
    } else {
        lpMMI->ptMaxTrackSize.x = lpMMI->ptMinTrackSize.x;
    }
    if (m_Freedom & fdVert) {
        if (m_szMax.cy > 0)
            lpMMI->ptMaxTrackSize.y = m_szMax.cy + szBorder.cy;
    } else {
        lpMMI->ptMaxTrackSize.y = lpMMI->ptMinTrackSize.y;
    }
}

void cdxCDynamicWnd::DoOnParentNotify(UINT message, LPARAM lParam)
{
    if (LOWORD(message) == WM_DESTROY && lParam != 0)
        RemoveControl((HWND)lParam);
}

// The class-style bits are shared by every window of the class: they are put
// back here even when the anti-flicker timer has not fired yet.
void cdxCDynamicWnd::DoOnDestroy()
{
    if (IsWindow()) {
        StoreWindowPosition();
        if (m_nMyTimerID != 0)
            m_pWnd->KillTimer(m_nMyTimerID);
        RestoreClassRedrawBits();
    }
    m_iDisabled = 1;
    m_pWnd = NULL;
    m_Map.RemoveAll();
    if (m_pSizeIcon != NULL) {
        if (::IsWindow(m_pSizeIcon->m_hWnd))
            m_pSizeIcon->DestroyWindow();
        delete m_pSizeIcon;
        m_pSizeIcon = NULL;
    }
}

// ---------------------------------------------------------------------------
// The placement record
// ---------------------------------------------------------------------------

static BOOL CanUseProfile(CWnd* pWnd, LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    return pWnd != NULL && ::IsWindow(pWnd->m_hWnd) && lpszSection != NULL && *lpszSection != '\0' &&
           pApp != NULL && pApp->m_pszRegistryKey != NULL && *pApp->m_pszRegistryKey != '\0';
}

// szPlacementValid is written 0 first and 1 last, so an interrupted or failed write
// leaves a record that the restore ignores.
BOOL AFXAPI cdxStoreWindowPlacement(CWnd* pWnd, LPCTSTR lpszSection)
{
    if (!CanUseProfile(pWnd, lpszSection))
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    WINDOWPLACEMENT wp;
    pWnd->GetWindowPlacement(&wp);
    const int nState = pWnd->IsIconic() ? 0 : pWnd->IsZoomed() ? 1 : -1;
    return pApp->WriteProfileInt(lpszSection, szPlacementValid, 0) &&
           pApp->WriteProfileInt(lpszSection, szPlacementLeft, wp.rcNormalPosition.left) &&
           pApp->WriteProfileInt(lpszSection, szPlacementRight, wp.rcNormalPosition.right) &&
           pApp->WriteProfileInt(lpszSection, szPlacementTop, wp.rcNormalPosition.top) &&
           pApp->WriteProfileInt(lpszSection, szPlacementBottom, wp.rcNormalPosition.bottom) &&
           pApp->WriteProfileInt(lpszSection, szPlacementVisibility, pWnd->IsWindowVisible() ? 1 : 0) &&
           pApp->WriteProfileInt(lpszSection, szPlacementState, nState) &&
           pApp->WriteProfileInt(lpszSection, szPlacementValid, 1);
}

BOOL AFXAPI cdxRestoreWindowPlacement(CWnd* pWnd, LPCTSTR lpszSection, UINT nOptions)
{
    if (!CanUseProfile(pWnd, lpszSection))
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    if (pApp->GetProfileInt(lpszSection, szPlacementValid, 0) != 1)
        return FALSE;

    WINDOWPLACEMENT wp;
    pWnd->GetWindowPlacement(&wp);
    const int nState = (int)pApp->GetProfileInt(lpszSection, szPlacementState, -1);
    CRect rc;
    rc.left = (int)pApp->GetProfileInt(lpszSection, szPlacementLeft, wp.rcNormalPosition.left);
    rc.right = (int)pApp->GetProfileInt(lpszSection, szPlacementRight, wp.rcNormalPosition.right);
    rc.top = (int)pApp->GetProfileInt(lpszSection, szPlacementTop, wp.rcNormalPosition.top);
    rc.bottom = (int)pApp->GetProfileInt(lpszSection, szPlacementBottom, wp.rcNormalPosition.bottom);
    rc.NormalizeRect();

    UINT nShow = wp.showCmd;
    if (nOptions & cdxCDynamicWndEx::rflg_state) {
        if (nState == 1)
            nShow = SW_SHOWMAXIMIZED;
        else if (nState == 0)
            nShow = SW_MINIMIZE;
    }
    pWnd->MoveWindow(rc, nShow == wp.showCmd);
    if (nShow != wp.showCmd) {
        wp.showCmd = nShow;
        wp.rcNormalPosition = rc;
        pWnd->SetWindowPlacement(&wp);
    }
    if (nOptions & cdxCDynamicWndEx::rflg_visibility) {
        const int nVisible = (int)pApp->GetProfileInt(lpszSection, szPlacementVisibility, -1);
        if (nVisible == 1)
            pWnd->ShowWindow(SW_SHOW);
        else if (nVisible == 0)
            pWnd->ShowWindow(SW_HIDE);
    }
    return TRUE;
}

BOOL cdxCDynamicWndEx::StorePlacement(LPCTSTR lpszSection)
{
    return cdxStoreWindowPlacement(m_pWnd, lpszSection);
}

BOOL cdxCDynamicWndEx::RestorePlacement(LPCTSTR lpszSection, UINT nOptions)
{
    return cdxRestoreWindowPlacement(m_pWnd, lpszSection, nOptions);
}

// Without a valid stored record the window is centred.
void cdxCDynamicWndEx::RestoreWindowPosition()
{
    if (m_strProfileName.IsEmpty() || !IsWindow())
        return;
    if (!RestorePlacement(GetPlacementSection(), rflg_all))
        m_pWnd->CenterWindow();
}

void cdxCDynamicWndEx::StoreWindowPosition()
{
    if (!m_strProfileName.IsEmpty() && IsWindow())
        StorePlacement(GetPlacementSection());
}

// ---------------------------------------------------------------------------
// cdxCSizeIconCtrl
// ---------------------------------------------------------------------------

// Made on first use and kept for the life of the process: every grip draws
// the same image.
BOOL cdxCSizeIconCtrl::AutoOEMImageList::EnsureCreated()
{
    if (GetSafeHandle() != NULL)
        return TRUE;
    HBITMAP hbm = (HBITMAP)::LoadImageA(NULL, MAKEINTRESOURCEA(OBM_SIZE), IMAGE_BITMAP, 0, 0, LR_SHARED);
    if (hbm == NULL)
        return FALSE;
    BITMAP bm;
    ::GetObject(hbm, sizeof bm, &bm);
    m_szImage = CSize(bm.bmWidth, bm.bmHeight);
    if (!Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0))
        return FALSE;
    ImageList_AddMasked(GetSafeHandle(), hbm, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

cdxCSizeIconCtrl::AutoOEMImageList& cdxCSizeIconCtrl::GetImageList()
{
    static AutoOEMImageList s_imageList;
    s_imageList.EnsureCreated();
    return s_imageList;
}

HCURSOR cdxCSizeIconCtrl::GetSizeCursor()
{
    static HCURSOR s_hCursor = ::LoadCursor(NULL, IDC_SIZENWSE);
    return s_hCursor;
}

BEGIN_MESSAGE_MAP(cdxCSizeIconCtrl, CScrollBar)
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_PRINTCLIENT, &cdxCSizeIconCtrl::OnPrintClient)
END_MESSAGE_MAP()

BOOL cdxCSizeIconCtrl::Create(CWnd* pParent, UINT nID)
{
    if (pParent == NULL || !::IsWindow(pParent->m_hWnd))
        return FALSE;
    CRect rc;
    pParent->GetClientRect(&rc);
    if (!CScrollBar::Create(WS_CHILD | SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN, rc, pParent, nID))
        return FALSE;
    ModifyStyleEx(0, WS_EX_TRANSPARENT);
    return TRUE;
}

BOOL cdxCSizeIconCtrl::IsGripShown() const
{
    HWND hParent = ::GetParent(m_hWnd);
    return !m_bReflectParentState || hParent == NULL || !::IsZoomed(hParent);
}

void cdxCSizeIconCtrl::DrawGrip(CDC* pDC)
{
    if (!IsGripShown())
        return;
    AutoOEMImageList& il = GetImageList();
    if (il.GetSafeHandle() == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    ImageList_Draw(il.GetSafeHandle(), 0, pDC->GetSafeHdc(), rc.right - il.m_szImage.cx,
                   rc.bottom - il.m_szImage.cy, ILD_TRANSPARENT);
}

void cdxCSizeIconCtrl::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* pDC = BeginPaint(&ps);
    DrawGrip(pDC);
    EndPaint(&ps);
}

LRESULT cdxCSizeIconCtrl::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    DrawGrip(CDC::FromHandle((HDC)wParam));
    return 0;
}

BOOL cdxCSizeIconCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    (void)pWnd;
    (void)message;
    ::SetCursor(IsGripShown() && nHitTest == HTCLIENT ? GetSizeCursor() : NULL);
    return TRUE;
}

void cdxCSizeIconCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
}
