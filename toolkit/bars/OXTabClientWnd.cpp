#include "OXTabClientWnd.h"

#include "OXSkinnedApp.h"
#include "OXTabSkin.h"

namespace {

const char* const kIsAttached = COXTabClientWnd::kProfileIsAttached;
const char* const kOffset = COXTabClientWnd::kProfileOffset;
const char* const kStyle = COXTabClientWnd::kProfileStyle;

// The layout's questions answered by the real tab control.
class CWorkspaceLayout : public COXTabClientWnd::LayoutControl
{
public:
    explicit CWorkspaceLayout(CTabCtrl& tab) : m_tab(tab) {}

    void SizeControl(const CRect& rect, BOOL bRedraw) override
    {
        CRect rectNow;
        m_tab.GetWindowRect(&rectNow);
        ::MapWindowPoints(NULL, ::GetParent(m_tab.m_hWnd), (POINT*)&rectNow, 2);
        if (rectNow != rect)
            m_tab.SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE | (bRedraw ? 0 : SWP_NOREDRAW));
    }

    // The control measures with the style asked for, put back at once
    // without a redraw.
    CRect DisplayArea(const CRect& rect, DWORD dwStyle) override
    {
        const DWORD dwOld = (DWORD)::GetWindowLong(m_tab.m_hWnd, GWL_STYLE);
        const DWORD dwTry = (dwOld & ~COXTabClientWnd::kStyleBits) | (dwStyle & COXTabClientWnd::kStyleBits);
        if (dwTry != dwOld)
            ::SetWindowLong(m_tab.m_hWnd, GWL_STYLE, (LONG)dwTry);
        CRect rc(rect);
        m_tab.AdjustRect(FALSE, &rc);
        if (dwTry != dwOld)
            ::SetWindowLong(m_tab.m_hWnd, GWL_STYLE, (LONG)dwOld);
        return rc;
    }

private:
    CTabCtrl& m_tab;
};

} // namespace

IMPLEMENT_DYNAMIC(COXTabClientWnd, CWnd)

BEGIN_MESSAGE_MAP(COXTabClientWnd, CWnd)
    ON_MESSAGE(WM_MDICREATE, OnMDICreate)
    ON_MESSAGE(WM_MDIDESTROY, OnMDIDestroy)
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
    ON_WM_NCPAINT()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

COXTabClientWnd::COXTabClientWnd() : m_pMDIFrame(NULL), m_bForceToRecalc(FALSE), m_pDefaultSkin(NULL) {}

COXTabClientWnd::~COXTabClientWnd()
{
    // The MDI client must not keep a procedure that leads to this object.
    Detach();
    delete m_pDefaultSkin;
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------
CRect COXTabClientWnd::Layout(const CRect& rect, DWORD dwStyle, int nMargin, LayoutControl& control)
{
    CRect rc;
    if (!((dwStyle & TCS_BUTTONS) && (dwStyle & TCS_VERTICAL))) {
        control.SizeControl(rect, TRUE);
        rc = COXTabWorkspace::ShrinkByMargin(rect, nMargin);
        if ((dwStyle & TCS_BUTTONS) && (dwStyle & TCS_BOTTOM)) {
            // Bottom buttons are measured as top ones; their band then goes
            // to the bottom, the client above it.
            const CRect rectDisplay = control.DisplayArea(rc, dwStyle & ~TCS_BOTTOM);
            const int cyBand = rectDisplay.top - rc.top;
            rc = CRect(rectDisplay.left, rc.top, rectDisplay.right, rc.bottom - cyBand);
        } else {
            // A single tab wider than the control gets no filler tab: the
            // client keeps to the display area like any other.
            rc = control.DisplayArea(rc, dwStyle);
        }
    } else {
        // Vertical buttons are measured lying down, in the rectangle with
        // its width and height swapped, as top buttons; the display area is
        // then stood up again, the band on the left or on the right.
        const BOOL bRight = (dwStyle & TCS_RIGHT) != 0;
        CRect rectFlat(rect.left, rect.top, rect.left + rect.Height(), rect.top + rect.Width());
        control.SizeControl(rectFlat, FALSE);
        rectFlat.DeflateRect(nMargin, nMargin);
        const DWORD dwFlat = dwStyle & ~(TCS_VERTICAL | (bRight ? TCS_RIGHT : 0));
        const CRect rectDisplay = control.DisplayArea(rectFlat, dwFlat);
        rc = rect;
        rc.DeflateRect(nMargin, nMargin);
        rc.top += rectDisplay.left - rectFlat.left;
        if (!bRight)
            rc.left += rectDisplay.top - rectFlat.top;
        rc.bottom = rc.top + rectDisplay.Width();
        rc.right = rc.left + rectDisplay.Height();
    }
    if (rc.right < rc.left || rc.bottom < rc.top)
        rc = CRect(rc.left, rc.top, rc.left, rc.top);
    return rc;
}

void COXTabClientWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    CRect rect(lpClientRect);
    HDWP hDWP = ::BeginDeferWindowPos(2);
    // The workspace's own style bit, not its visibility on screen: a frame
    // lays out before it is first shown.
    if (::IsWindow(m_tab.GetSafeHwnd()) && (m_tab.GetStyle() & WS_VISIBLE)) {
        const CRect rectGiven(rect);
        CWorkspaceLayout control(m_tab);
        rect = Layout(rectGiven, m_tab.GetStyle(), m_tab.m_nOffset, control);
        if (hDWP != NULL)
            hDWP = ::DeferWindowPos(hDWP, m_tab.m_hWnd, NULL, rectGiven.left, rectGiven.top, rectGiven.Width(),
                                    rectGiven.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        GetTabSkin()->AdjustRect(rect, m_tab.m_nOffset, &m_tab);
    }
    if (hDWP != NULL)
        hDWP = ::DeferWindowPos(hDWP, m_hWnd, NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    *lpClientRect = rect;
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

// ---------------------------------------------------------------------------
// Attaching
// ---------------------------------------------------------------------------
BOOL COXTabClientWnd::Attach(CMDIFrameWnd* pMDIFrame, DWORD dwTabCtrlStyle)
{
    if (m_pMDIFrame != NULL || pMDIFrame == NULL || !pMDIFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return FALSE;
    HWND hWndClient = pMDIFrame->m_hWndMDIClient;
    if (!::IsWindow(pMDIFrame->GetSafeHwnd()) || !::IsWindow(hWndClient))
        return FALSE;
    if (CWnd::FromHandlePermanent(hWndClient) != NULL || !SubclassWindow(hWndClient))
        return FALSE;
    m_pMDIFrame = pMDIFrame;
    m_tab.m_pTabClientWnd = this;
    // Clipped by its siblings: the MDI client lies over its display area.
    if (!m_tab.Create(dwTabCtrlStyle | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FOCUSNEVER, CRect(0, 0, 0, 0),
                      pMDIFrame, 1000)) {
        Detach();
        return FALSE;
    }
    // The tabs go in before the first layout: laid out without them, the
    // client would move twice before it paints, and the second move copies
    // pixels the first left unpainted (a strip at the top of the documents
    // that stays until the frame next repaints).
    m_tab.UpdateContents(TRUE);
    pMDIFrame->RecalcLayout();
    return TRUE;
}

BOOL COXTabClientWnd::Detach()
{
    if (m_pMDIFrame == NULL)
        return FALSE;
    if (::IsWindow(m_tab.GetSafeHwnd()))
        m_tab.DestroyWindow();
    m_tab.m_pTabClientWnd = NULL;
    if (m_hWnd != NULL)
        UnsubclassWindow();
    CMDIFrameWnd* pFrame = m_pMDIFrame;
    m_pMDIFrame = NULL;
    if (::IsWindow(pFrame->GetSafeHwnd()))
        pFrame->RecalcLayout();
    return TRUE;
}

COXTabSkin* COXTabClientWnd::GetTabSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    if (pSkin != NULL && pSkin->GetTabSkin() != NULL)
        return pSkin->GetTabSkin();
    if (m_pDefaultSkin == NULL)
        m_pDefaultSkin = new COXTabSkinClassic;
    return m_pDefaultSkin;
}

// ---------------------------------------------------------------------------
// State in the profile
// ---------------------------------------------------------------------------
BOOL COXTabClientWnd::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || lpszProfileName == NULL)
        return FALSE;
    const BOOL bAttached = IsAttached() && ::IsWindow(m_tab.GetSafeHwnd());
    // Only the tab control's bits are the style: the window bits are the
    // attaching code's business.
    const DWORD dwStyle = bAttached ? (m_tab.GetStyle() & kStyleBits) : kDefaultStyle;
    BOOL bDone = pApp->WriteProfileInt(lpszProfileName, kIsAttached, bAttached ? 1 : 0);
    bDone = pApp->WriteProfileInt(lpszProfileName, kOffset, bAttached ? m_tab.m_nOffset : kDefaultOffset) && bDone;
    bDone = pApp->WriteProfileInt(lpszProfileName, kStyle, (int)dwStyle) && bDone;
    return bDone;
}

BOOL COXTabClientWnd::LoadState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || lpszProfileName == NULL)
        return FALSE;
    // What the profile holds is bounded before it sizes anything: a value
    // out of range, or not a number, counts as not stored.
    const UINT nAttached = pApp->GetProfileInt(lpszProfileName, kIsAttached, 1);
    const BOOL bAttach = nAttached > 1 ? TRUE : (BOOL)nAttached;
    int nOffset = (int)pApp->GetProfileInt(lpszProfileName, kOffset, kDefaultOffset);
    if (nOffset < 0 || nOffset > kMaxOffset)
        nOffset = kDefaultOffset;
    DWORD dwStyle = pApp->GetProfileInt(lpszProfileName, kStyle, (int)kDefaultStyle);
    if (dwStyle & ~kStyleBits)
        dwStyle = kDefaultStyle;

    if (!IsAttached())
        return !bAttach;   // no frame to attach to
    const DWORD dwNow = m_tab.GetStyle() & kStyleBits;
    if (bAttach && nOffset == m_tab.m_nOffset && (dwStyle | TCS_FOCUSNEVER) == (dwNow | TCS_FOCUSNEVER))
        return TRUE;

    CMDIFrameWnd* pFrame = m_pMDIFrame;
    Detach();
    if (!bAttach)
        return TRUE;
    if (!Attach(pFrame, dwStyle))
        return FALSE;
    m_tab.m_nOffset = nOffset;
    m_tab.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    pFrame->RecalcLayout();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Messages of the MDI client
// ---------------------------------------------------------------------------
void COXTabClientWnd::PostTick()
{
    if (::IsWindow(m_tab.GetSafeHwnd()))
        m_tab.PostMessage(WM_TIMER, IDT_OXTABWORKSPACE_UPDATE, 0);
}

LRESULT COXTabClientWnd::OnMDICreate(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    if (lResult != 0 && ::IsWindow(m_tab.GetSafeHwnd())) {
        m_tab.SetCurSel(-1);
        PostTick();
    }
    return lResult;
}

LRESULT COXTabClientWnd::OnMDIDestroy(WPARAM wParam, LPARAM)
{
    if (::IsWindow(m_tab.GetSafeHwnd()))
        m_tab.RemoveTab(CWnd::FromHandle((HWND)wParam), TRUE);
    const LRESULT lResult = Default();
    PostTick();
    return lResult;
}

LRESULT COXTabClientWnd::OnMDIActivate(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    if (::IsWindow(m_tab.GetSafeHwnd())) {
        const int nTab = m_tab.FindTab((HWND)wParam);
        if (nTab >= 0)
            m_tab.SetCurSel(nTab);
        if (m_tab.GetStyle() & TCS_SCROLLOPPOSITE)
            m_bForceToRecalc = TRUE;
        PostTick();
    }
    return lResult;
}

void COXTabClientWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    m_bForceToRecalc = TRUE;
    PostTick();
}

void COXTabClientWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWnd::OnShowWindow(bShow, nStatus);
    if (nStatus == 0 && ::IsWindow(m_tab.GetSafeHwnd()))
        m_tab.ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
}

void COXTabClientWnd::OnNcPaint()
{
    GetTabSkin()->OnNcPaint(this);
}

void COXTabClientWnd::OnNcDestroy()
{
    // The frame goes with its client: nothing is left to detach from.
    m_tab.m_pTabClientWnd = NULL;
    m_pMDIFrame = NULL;
    CWnd::OnNcDestroy();
}
