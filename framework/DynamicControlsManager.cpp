// DynamicControlsManager.cpp - the group-based layout engine.
#include "DynamicControlsManager.h"

static CRect NormalRectOf(HWND hWnd)
{
    WINDOWPLACEMENT wp;
    wp.length = sizeof wp;
    ::GetWindowPlacement(hWnd, &wp);
    return CRect(wp.rcNormalPosition);
}

// ---------------------------------------------------------------------------
// Groups and their window entries
// ---------------------------------------------------------------------------
cdxCDynamicControlsManager::ControlData::ControlEntry::ControlEntry(ControlData& rMaster, CWnd& rCtrl)
    : m_rMaster(rMaster), m_pNext(rMaster.m_pCtrl), m_pPrev(NULL), m_rCtrl(rCtrl)
{
    if (m_pNext != NULL)
        m_pNext->m_pPrev = this;
    rMaster.m_pCtrl = this;
    ++rMaster.m_rMaster.m_iWndCnt;
}

cdxCDynamicControlsManager::ControlData::ControlEntry::~ControlEntry()
{
    if (m_pPrev != NULL)
        m_pPrev->m_pNext = m_pNext;
    else
        m_rMaster.m_pCtrl = m_pNext;
    if (m_pNext != NULL)
        m_pNext->m_pPrev = m_pPrev;
    --m_rMaster.m_rMaster.m_iWndCnt;
}

cdxCDynamicControlsManager::ControlData::ControlData(cdxCDynamicControlsManager& rMaster, CWnd& rCtrl, BYTE x1,
                                                     BYTE x2, BYTE y1, BYTE y2)
    : m_rMaster(rMaster), m_pNext(rMaster.m_pFirst), m_pPrev(NULL), m_pCtrl(NULL), m_x1(x1), m_x2(x2), m_y1(y1),
      m_y2(y2), m_rectOriginal(NormalRectOf(rCtrl.m_hWnd))
{
    if (m_pNext != NULL)
        m_pNext->m_pPrev = this;
    rMaster.m_pFirst = this;
    Add(rCtrl);
}

cdxCDynamicControlsManager::ControlData::~ControlData()
{
    while (m_pCtrl != NULL)
        delete m_pCtrl;
    if (m_pPrev != NULL)
        m_pPrev->m_pNext = m_pNext;
    else
        m_rMaster.m_pFirst = m_pNext;
    if (m_pNext != NULL)
        m_pNext->m_pPrev = m_pPrev;
}

BOOL cdxCDynamicControlsManager::ControlData::Rem(CWnd& rCtrl)
{
    for (ControlEntry* p = m_pCtrl; p != NULL; p = p->m_pNext) {
        if (&p->m_rCtrl == &rCtrl) {
            delete p;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL cdxCDynamicControlsManager::ControlData::Modify(const CRect& rect, BYTE x1, BYTE x2, BYTE y1, BYTE y2)
{
    if (rect.right < rect.left || rect.bottom < rect.top || x2 < x1 || y2 < y1)
        return FALSE;
    m_rectOriginal = rect;
    m_x1 = x1; m_x2 = x2; m_y1 = y1; m_y2 = y2;
    return TRUE;
}

CRect cdxCDynamicControlsManager::ControlData::GetCurrentPosition() const
{
    return m_pCtrl != NULL ? NormalRectOf(m_pCtrl->m_rCtrl.m_hWnd) : CRect(0, 0, 0, 0);
}

CRect cdxCDynamicControlsManager::ControlData::Compute(int dx, int dy) const
{
    return CRect(m_rectOriginal.left + m_x1 * dx / 100, m_rectOriginal.top + m_y1 * dy / 100,
                 m_rectOriginal.right + m_x2 * dx / 100, m_rectOriginal.bottom + m_y2 * dy / 100);
}

// ---------------------------------------------------------------------------
// The manager
// ---------------------------------------------------------------------------
cdxCDynamicControlsManager::cdxCDynamicControlsManager()
    : m_pWndParent(NULL), m_pFirst(NULL), m_iWndCnt(0), m_szClientInitial(0, 0), m_szMin(0, 0), m_szMax(0, 0),
      m_Freedom(cdxCDynamicWnd::fdAll), m_pWndSizeIcon(NULL), m_idSizeIcon(AFX_IDW_SIZE_BOX), m_bUseScrollPos(FALSE)
{
}

cdxCDynamicControlsManager::~cdxCDynamicControlsManager()
{
    DoOnDestroy();
}

void cdxCDynamicControlsManager::DoInitWindow(CWnd& rWnd, const CSize* pClientSize, BOOL bSizeIcon)
{
    m_pWndParent = &rWnd;
    CRect rcWnd, rcClient;
    rWnd.GetWindowRect(&rcWnd);
    rWnd.GetClientRect(&rcClient);
    if (pClientSize != NULL) {
        m_szClientInitial = *pClientSize;
        m_szMin = *pClientSize + (rcWnd.Size() - rcClient.Size());
    } else {
        m_szClientInitial = rcClient.Size();
        m_szMin = rcWnd.Size();
    }
    m_szMax = CSize(0, 0);
    if (bSizeIcon && m_pWndSizeIcon == NULL) {
        m_pWndSizeIcon = new cdxCSizeIconCtrl(TRUE);
        if (m_pWndSizeIcon->Create(&rWnd, m_idSizeIcon)) {
            AddControl(*m_pWndSizeIcon, 100, 100, 100, 100);
            m_pWndSizeIcon->ShowWindow(SW_SHOW);
        } else {
            delete m_pWndSizeIcon;
            m_pWndSizeIcon = NULL;
        }
    }
}

cdxCDynamicControlsManager::ControlPosition* cdxCDynamicControlsManager::AddControl(CWnd& rCtrl, BYTE x1, BYTE x2,
                                                                                    BYTE y1, BYTE y2)
{
    if (!::IsWindow(rCtrl.m_hWnd))
        return NULL;
    return new ControlData(*this, rCtrl, x1, x2, y1, y2);
}

cdxCDynamicControlsManager::ControlPosition* cdxCDynamicControlsManager::AddControlByModes(
    CWnd& rCtrl, cdxCDynamicWnd::Mode modeH, cdxCDynamicWnd::Mode modeV)
{
    BYTE x1, x2, y1, y2;
    cdxCDynamicWnd::ModeToPercent((BYTE)modeH, x1, x2);
    cdxCDynamicWnd::ModeToPercent((BYTE)modeV, y1, y2);
    return AddControl(rCtrl, x1, x2, y1, y2);
}

BOOL cdxCDynamicControlsManager::RemoveControl(CWnd& rCtrl)
{
    for (ControlData* p = m_pFirst; p != NULL; p = p->m_pNext) {
        if (p->Rem(rCtrl)) {
            if (!p->IsUsed())
                delete p;
            return TRUE;
        }
    }
    return FALSE;
}

void cdxCDynamicControlsManager::RemoveAllControls()
{
    while (m_pFirst != NULL)
        delete m_pFirst;
}

// Below the minimum size the client area counts as if it had the minimum
// size, so the controls keep their minimum-size places (the window clips
// them) rather than being squeezed.
void cdxCDynamicControlsManager::RelayoutGroups(BOOL bRedraw)
{
    if (!IsReady())
        return;
    CRect rcClient, rcWnd;
    m_pWndParent->GetClientRect(&rcClient);
    m_pWndParent->GetWindowRect(&rcWnd);
    if (m_bUseScrollPos) {
        CPoint ptScroll(m_pWndParent->GetScrollPos(SB_HORZ), m_pWndParent->GetScrollPos(SB_VERT));
        CScrollView* pView = dynamic_cast<CScrollView*>(m_pWndParent);
        if (pView != NULL)
            ptScroll = pView->GetDeviceScrollPosition();
        rcClient.OffsetRect(-ptScroll.x, -ptScroll.y);
    }
    if (rcWnd.Width() < m_szMin.cx)
        rcClient.right += m_szMin.cx - rcWnd.Width();
    if (rcWnd.Height() < m_szMin.cy)
        rcClient.bottom += m_szMin.cy - rcWnd.Height();
    const int dx = rcClient.Width() - m_szClientInitial.cx;
    const int dy = rcClient.Height() - m_szClientInitial.cy;
    const int nOffX = m_bUseScrollPos ? rcClient.left : 0;
    const int nOffY = m_bUseScrollPos ? rcClient.top : 0;
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOOWNERZORDER;

    HDWP hdwp = ::BeginDeferWindowPos(m_iWndCnt > 0 ? m_iWndCnt : 1);
    for (ControlData* p = m_pFirst; p != NULL && hdwp != NULL; p = p->m_pNext) {
        CRect rc = p->Compute(dx, dy);
        rc.OffsetRect(nOffX, nOffY);
        for (ControlData::ControlEntry* e = p->m_pCtrl; e != NULL && hdwp != NULL; e = e->m_pNext) {
            if (::IsWindow(e->m_rCtrl.m_hWnd))
                hdwp = ::DeferWindowPos(hdwp, e->m_rCtrl.m_hWnd, HWND_BOTTOM, rc.left, rc.top, rc.Width(),
                                        rc.Height(), nFlags);
        }
    }
    if (hdwp == NULL || !::EndDeferWindowPos(hdwp)) {
        for (ControlData* p = m_pFirst; p != NULL; p = p->m_pNext) {
            CRect rc = p->Compute(dx, dy);
            rc.OffsetRect(nOffX, nOffY);
            for (ControlData::ControlEntry* e = p->m_pCtrl; e != NULL; e = e->m_pNext) {
                if (::IsWindow(e->m_rCtrl.m_hWnd))
                    ::SetWindowPos(e->m_rCtrl.m_hWnd, HWND_BOTTOM, rc.left, rc.top, rc.Width(), rc.Height(),
                                   nFlags);
            }
        }
    }
    if (bRedraw && m_pWndParent->IsWindowVisible())
        m_pWndParent->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOERASE | RDW_ALLCHILDREN);
}

BOOL cdxCDynamicControlsManager::SetSizeLimits(const CSize& szMin, const CSize& szMax, BOOL bApply)
{
    if ((szMax.cx > 0 && szMax.cx < szMin.cx) || (szMax.cy > 0 && szMax.cy < szMin.cy))
        return FALSE;
    m_szMin = szMin;
    m_szMax = szMax;
    if (bApply)
        FitWindowToLimits();
    return TRUE;
}

BOOL cdxCDynamicControlsManager::FitWindowToLimits()
{
    if (!IsReady())
        return FALSE;
    CRect rc;
    m_pWndParent->GetWindowRect(&rc);
    CSize sz = rc.Size(), szNew = sz;
    if (szNew.cx < m_szMin.cx)
        szNew.cx = m_szMin.cx;
    if (m_szMax.cx > 0 && szNew.cx > m_szMax.cx)
        szNew.cx = m_szMax.cx;
    if (szNew.cy < m_szMin.cy)
        szNew.cy = m_szMin.cy;
    if (m_szMax.cy > 0 && szNew.cy > m_szMax.cy)
        szNew.cy = m_szMax.cy;
    if (szNew == sz)
        return FALSE;
    return GrowWindow(szNew - sz);
}

BOOL cdxCDynamicControlsManager::GrowWindow(const CSize& szDelta)
{
    if (!IsReady())
        return FALSE;
    return cdxGrowWindowAroundCentre(m_pWndParent, szDelta);
}

BOOL cdxCDynamicControlsManager::GrowWindowByPercent(int nPercent)
{
    if (!IsReady())
        return FALSE;
    CRect rc;
    m_pWndParent->GetWindowRect(&rc);
    return GrowWindow(CSize(nPercent * rc.Width() / 100, nPercent * rc.Height() / 100));
}

void cdxCDynamicControlsManager::DoOnSize(UINT nType)
{
    if (IsReady() && nType != SIZE_MINIMIZED && !IsDisabled())
        RelayoutGroups(TRUE);
}

void cdxCDynamicControlsManager::DoOnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (!IsReady() || IsDisabled())
        return;
    lpMMI->ptMinTrackSize.x = m_szMin.cx;
    lpMMI->ptMinTrackSize.y = m_szMin.cy;
    if (!(m_Freedom & cdxCDynamicWnd::fdHoriz))
        lpMMI->ptMaxTrackSize.x = m_szMin.cx;
    else if (m_szMax.cx > 0)
        lpMMI->ptMaxTrackSize.x = m_szMax.cx;
    if (!(m_Freedom & cdxCDynamicWnd::fdVert))
        lpMMI->ptMaxTrackSize.y = m_szMin.cy;
    else if (m_szMax.cy > 0)
        lpMMI->ptMaxTrackSize.y = m_szMax.cy;
}

void cdxCDynamicControlsManager::DoOnDestroy()
{
    RemoveAllControls();
    if (m_pWndSizeIcon != NULL) {
        if (::IsWindow(m_pWndSizeIcon->m_hWnd))
            m_pWndSizeIcon->DestroyWindow();
        delete m_pWndSizeIcon;
        m_pWndSizeIcon = NULL;
    }
    m_pWndParent = NULL;
}
