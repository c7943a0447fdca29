// SizingControlBar.cpp - CSizingControlBar.
#include "SizingControlBar.h"

#include <stdio.h>
#include <algorithm>

IMPLEMENT_DYNAMIC(CSizingControlBar, CControlBar)

CSCBArray CSizingControlBar::m_arrBars;

BEGIN_MESSAGE_MAP(CSizingControlBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

namespace {

const int kGripperHeight = 12;
const int kNonClientBorder = 5;
const int kStretched = 32767;

// The edge style bit of a hit-test code.
DWORD EdgeBit(UINT nHitTest)
{
    switch (nHitTest) {
    case HTLEFT: return SCBS_EDGELEFT;
    case HTRIGHT: return SCBS_EDGERIGHT;
    case HTTOP: return SCBS_EDGETOP;
    case HTBOTTOM: return SCBS_EDGEBOTTOM;
    }
    return 0;
}

// The length of a size along a row, and its width across it.
LONG& Length(CSize& sz, BOOL bHorz) { return bHorz ? sz.cx : sz.cy; }
LONG& Width(CSize& sz, BOOL bHorz) { return bHorz ? sz.cy : sz.cx; }

}  // namespace

// ---------------------------------------------------------------------------
// The close box
// ---------------------------------------------------------------------------

void CSizingControlBar::CSCBButton::Paint(CDC* pDC)
{
    CRect rc = GetRect();
    if (bPushed)
        pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (bRaised)
        pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));

    COLORREF crOldText = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CFont font;
    int nPixelsPerInch = pDC->GetDeviceCaps(LOGPIXELSX);
    font.CreatePointFont(60 * 96 / (nPixelsPerInch > 0 ? nPixelsPerInch : 96), "Marlett");
    CFont* pOldFont = pDC->SelectObject(&font);
    CRect rcGlyph = rc;
    rcGlyph.top += 2;
    pDC->DrawText("r", 1, rcGlyph, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(crOldText);
}

// ---------------------------------------------------------------------------
// Creation and state
// ---------------------------------------------------------------------------

CSizingControlBar::CSizingControlBar()
    : m_szHorz(200, 200),
      m_szVert(200, 200),
      m_szFloat(200, 200),
      m_dwSCBStyle(0),
      m_szMin(33, 32),
      m_cxEdge(5),
      m_htEdge(0),
      m_szMinT(33, 32),
      m_szMaxT(0, 0),
      m_szOld(0, 0),
      m_ptOld(0, 0),
      m_bTracking(FALSE),
      m_bKeepSize(FALSE),
      m_bParentSizing(FALSE),
      m_bDragShowContent(FALSE),
      m_nDockBarID(0),
      m_cyGripper(0)
{
}

CSizingControlBar::~CSizingControlBar()
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] == this) {
            m_arrBars.RemoveAt(i);
            break;
        }
    }
}

BOOL CSizingControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper,
                               UINT nID, DWORD dwStyle)
{
    m_szHorz = m_szVert = m_szFloat = sizeDefault;
    m_dwStyle = dwStyle & CBRS_ALL;
    m_cyGripper = bHasGripper ? kGripperHeight : 0;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                            ::GetSysColorBrush(COLOR_BTNFACE), 0);
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN;
    if (!CWnd::Create(lpszClass, lpszWindowName, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    return m_hWnd != NULL;
}

int CSizingControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    BOOL bShowContent = FALSE;
    ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &bShowContent, 0);
    m_bDragShowContent = bShowContent;
    m_arrBars.Add(this);
    return 0;
}

BOOL CSizingControlBar::DestroyWindow()
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars[i] == this) {
            m_arrBars.RemoveAt(i);
            break;
        }
    }
    return CControlBar::DestroyWindow();
}

BOOL CSizingControlBar::IsFloating() const
{
    return !IsHorzDocked() && !IsVertDocked();
}

BOOL CSizingControlBar::IsHorzDocked() const
{
    return m_nDockBarID == AFX_IDW_DOCKBAR_TOP || m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
}

BOOL CSizingControlBar::IsVertDocked() const
{
    return m_nDockBarID == AFX_IDW_DOCKBAR_LEFT || m_nDockBarID == AFX_IDW_DOCKBAR_RIGHT;
}

BOOL CSizingControlBar::IsSizingBar(const CControlBar* pBar)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (m_arrBars[i] == pBar)
            return TRUE;
    return FALSE;
}

CString CSizingControlBar::GetStateSection(LPCTSTR lpszProfileName) const
{
    char szSection[256];
    _snprintf(szSection, sizeof(szSection) - 1, "%s-SCBar-%d", lpszProfileName, GetDlgCtrlID());
    szSection[sizeof(szSection) - 1] = 0;
    return CString(szSection);
}

void CSizingControlBar::LoadState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    CString strSection = GetStateSection(lpszProfileName);
    struct {
        const char* pszKey;
        LONG* pValue;
        LONG nMin;
    } entries[] = {
        {"sizeHorzCX", &m_szHorz.cx, m_szMin.cx},   {"sizeHorzCY", &m_szHorz.cy, m_szMin.cy},
        {"sizeVertCX", &m_szVert.cx, m_szMin.cx},   {"sizeVertCY", &m_szVert.cy, m_szMin.cy},
        {"sizeFloatCX", &m_szFloat.cx, m_szMin.cx}, {"sizeFloatCY", &m_szFloat.cy, m_szMin.cy},
    };
    for (const auto& entry : entries) {
        int nValue = (int)pApp->GetProfileInt(strSection, entry.pszKey, (int)*entry.pValue);
        *entry.pValue = nValue >= entry.nMin ? nValue : entry.nMin;
    }
}

void CSizingControlBar::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    CString strSection = GetStateSection(lpszProfileName);
    pApp->WriteProfileInt(strSection, "sizeHorzCX", m_szHorz.cx);
    pApp->WriteProfileInt(strSection, "sizeHorzCY", m_szHorz.cy);
    pApp->WriteProfileInt(strSection, "sizeVertCX", m_szVert.cx);
    pApp->WriteProfileInt(strSection, "sizeVertCY", m_szVert.cy);
    pApp->WriteProfileInt(strSection, "sizeFloatCX", m_szFloat.cx);
    pApp->WriteProfileInt(strSection, "sizeFloatCY", m_szFloat.cy);
}

void CSizingControlBar::GlobalLoadState(LPCTSTR lpszProfileName)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        m_arrBars[i]->LoadState(lpszProfileName);
}

void CSizingControlBar::GlobalSaveState(LPCTSTR lpszProfileName)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        m_arrBars[i]->SaveState(lpszProfileName);
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

void CSizingControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    // The non-client area depends on the place in the row: always recompute it.
    lpwndpos->flags |= SWP_FRAMECHANGED;
    CControlBar::OnWindowPosChanging(lpwndpos);
    CWnd* pParent = GetParent();
    m_nDockBarID = pParent != NULL ? (UINT)pParent->GetDlgCtrlID() : 0;
    if (!IsFloating() && (lpwndpos->flags & SWP_SHOWWINDOW))
        m_bParentSizing = TRUE;
}

CSize CSizingControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) {
        if (nLength == -1)
            m_bParentSizing = TRUE;
        return CControlBar::CalcDynamicLayout(nLength, dwMode);
    }
    if (dwMode & (LM_MRUWIDTH | LM_COMMIT))
        return m_szFloat;
    if (dwMode & LM_LENGTHY)
        m_szFloat.cy = nLength;
    else
        m_szFloat.cx = nLength;
    m_szFloat.cx = std::max(m_szFloat.cx, m_szMin.cx);
    m_szFloat.cy = std::max(m_szFloat.cy, m_szMin.cy);
    return m_szFloat;
}

CSize CSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(kStretched, m_szHorz.cy) : CSize(m_szVert.cx, kStretched);

    if (m_pDockBar != NULL && IsVisible() && !IsFloating() && m_bParentSizing) {
        CSCBArray arrSCBars;
        GetRowSizingBars(arrSCBars);
        if (arrSCBars.GetSize() > 0 && arrSCBars[0] == this) {
            CRect rc;
            m_pDockBar->GetClientRect(rc);
            if (rc.IsRectEmpty() && m_pDockSite != NULL)
                m_pDockSite->GetClientRect(rc);
            int nLengthTotal = bHorz ? rc.Width() + 2 : rc.Height() - 2;
            if (NegotiateSpace(nLengthTotal, bHorz))
                AlignControlBars();
        }
    }
    m_bParentSizing = FALSE;

    CSize sz = bHorz ? m_szHorz : m_szVert;
    sz.cx = std::max(sz.cx, m_szMin.cx);
    sz.cy = std::max(sz.cy, m_szMin.cy);
    return sz;
}

void CSizingControlBar::GetRowInfo(int& nFirst, int& nLast, int& nThis) const
{
    nFirst = nLast = nThis = -1;
    if (m_pDockBar == NULL)
        return;
    const CPtrArray& arr = m_pDockBar->m_arrBars;
    for (int i = 0; i < (int)arr.GetSize(); ++i)
        if (arr[i] == this)
            nThis = i;
    if (nThis < 0)
        return;
    nFirst = nThis;
    while (nFirst > 0 && arr[nFirst - 1] != NULL)
        --nFirst;
    nLast = nThis;
    while (nLast + 1 < (int)arr.GetSize() && arr[nLast + 1] != NULL)
        ++nLast;
}

int CSizingControlBar::GetRowSizingBars(CSCBArray& arrSCBars) const
{
    arrSCBars.RemoveAll();
    int nFirst, nLast, nThis;
    GetRowInfo(nFirst, nLast, nThis);
    int nThisIndex = -1;
    for (int i = nFirst; i >= 0 && i <= nLast; ++i) {
        CControlBar* pBar = m_pDockBar->GetDockedControlBar(i);
        if (pBar == NULL || !pBar->IsVisible() || !IsSizingBar(pBar))
            continue;
        if (pBar == this)
            nThisIndex = (int)arrSCBars.GetSize();
        arrSCBars.Add(static_cast<CSizingControlBar*>(pBar));
    }
    return nThisIndex;
}

BOOL CSizingControlBar::NegotiateSpace(int nLengthTotal, BOOL bHorz)
{
    int nFirst, nLast, nThis;
    GetRowInfo(nFirst, nLast, nThis);
    if (nThis < 0)
        return FALSE;

    // What the other bars of the row take is not to be shared.
    int nLengthAvail = nLengthTotal;
    int nLengthActual = 0;
    int nLengthMin = 2;
    int nWidthMax = 0;
    CSCBArray arrSCBars;
    for (int i = nFirst; i <= nLast; ++i) {
        CControlBar* pBar = m_pDockBar->GetDockedControlBar(i);
        if (pBar == NULL || !pBar->IsVisible())
            continue;
        if (!IsSizingBar(pBar)) {
            CRect rc;
            pBar->GetWindowRect(rc);
            nLengthAvail -= (bHorz ? rc.Width() : rc.Height()) - 2;
            continue;
        }
        CSizingControlBar* pSCB = static_cast<CSizingControlBar*>(pBar);
        arrSCBars.Add(pSCB);
        CSize& sz = bHorz ? pSCB->m_szHorz : pSCB->m_szVert;
        nLengthActual += Length(sz, bHorz) - 2;
        nLengthMin += Length(pSCB->m_szMin, bHorz) - 2;
        nWidthMax = std::max(nWidthMax, (int)Width(sz, bHorz));
    }

    if (nLengthMin > nLengthAvail) {
        // No room for the minimum sizes: this bar takes a row of its own,
        // right after its row.
        if (nFirst < nLast) {
            CPtrArray& arr = m_pDockBar->m_arrBars;
            arr.RemoveAt(nThis);
            arr.InsertAt(nLast + 1, this);
            arr.InsertAt(nLast + 2, (void*)NULL);
            if (m_pDockSite != NULL)
                m_pDockSite->DelayRecalcLayout();
        }
        return FALSE;
    }

    for (INT_PTR i = 0; i < arrSCBars.GetSize(); ++i) {
        CSizingControlBar* pSCB = arrSCBars[i];
        Width(bHorz ? pSCB->m_szHorz : pSCB->m_szVert, bHorz) = nWidthMax;
    }

    // The difference goes out one pixel at a time, bar after bar.
    int nDelta = nLengthAvail - nLengthActual;
    while (nDelta != 0) {
        int nDeltaBefore = nDelta;
        for (INT_PTR i = 0; i < arrSCBars.GetSize() && nDelta != 0; ++i) {
            CSizingControlBar* pSCB = arrSCBars[i];
            if (pSCB->m_bKeepSize)
                continue;
            LONG& nLength = Length(bHorz ? pSCB->m_szHorz : pSCB->m_szVert, bHorz);
            if (nDelta > 0) {
                ++nLength;
                --nDelta;
            } else if (nLength > Length(pSCB->m_szMin, bHorz)) {
                --nLength;
                ++nDelta;
            }
        }
        if (nDelta == nDeltaBefore)
            break;   // no bar can change
    }
    for (INT_PTR i = 0; i < arrSCBars.GetSize(); ++i)
        arrSCBars[i]->m_bKeepSize = FALSE;
    return TRUE;
}

void CSizingControlBar::AlignControlBars()
{
    CSCBArray arrSCBars;
    GetRowSizingBars(arrSCBars);
    if (arrSCBars.GetSize() == 0)
        return;
    BOOL bHorz = IsHorzDocked();
    CRect rcFirst;
    arrSCBars[0]->GetWindowRect(rcFirst);
    m_pDockBar->ScreenToClient(rcFirst);
    int nPos = bHorz ? rcFirst.left : rcFirst.top;

    // The bars out of place move together, in one deferred window position.
    HDWP hdwp = ::BeginDeferWindowPos((int)arrSCBars.GetSize());
    BOOL bMoved = FALSE;
    for (INT_PTR i = 0; i < arrSCBars.GetSize(); ++i) {
        CSizingControlBar* pSCB = arrSCBars[i];
        CRect rc;
        pSCB->GetWindowRect(rc);
        m_pDockBar->ScreenToClient(rc);
        if ((bHorz ? rc.left : rc.top) != nPos) {
            if (bHorz)
                rc.OffsetRect(nPos - rc.left, 0);
            else
                rc.OffsetRect(0, nPos - rc.top);
            if (hdwp != NULL)
                hdwp = ::DeferWindowPos(hdwp, pSCB->m_hWnd, NULL, rc.left, rc.top, 0, 0,
                                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            bMoved = TRUE;
        }
        // Neighbours overlap by 2 pixels.
        nPos += (bHorz ? pSCB->m_szHorz.cx : pSCB->m_szVert.cy) - 2;
    }
    if (hdwp != NULL)
        ::EndDeferWindowPos(hdwp);
    if (bMoved && m_pDockSite != NULL)
        m_pDockSite->DelayRecalcLayout();
}

// ---------------------------------------------------------------------------
// Non-client area
// ---------------------------------------------------------------------------

void CSizingControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    (void)bCalcValidRects;
    CRect rcWindow(lpncsp->rgrc[0]);
    CRect rc = rcWindow;
    rc.DeflateRect(kNonClientBorder, kNonClientBorder);
    m_dwSCBStyle &= ~SCBS_EDGEALL;

    if (!IsFloating()) {
        switch (m_nDockBarID) {
        case AFX_IDW_DOCKBAR_TOP: m_dwSCBStyle |= SCBS_EDGEBOTTOM; break;
        case AFX_IDW_DOCKBAR_BOTTOM: m_dwSCBStyle |= SCBS_EDGETOP; break;
        case AFX_IDW_DOCKBAR_LEFT: m_dwSCBStyle |= SCBS_EDGERIGHT; break;
        case AFX_IDW_DOCKBAR_RIGHT: m_dwSCBStyle |= SCBS_EDGELEFT; break;
        }
        // Between two bars of a row the shared edge can be dragged too.
        CSCBArray arrSCBars;
        int nThis = GetRowSizingBars(arrSCBars);
        BOOL bHorz = IsHorzDocked();
        if (nThis > 0)
            m_dwSCBStyle |= bHorz ? SCBS_EDGELEFT : SCBS_EDGETOP;
        if (nThis >= 0 && nThis < (int)arrSCBars.GetSize() - 1)
            m_dwSCBStyle |= bHorz ? SCBS_EDGERIGHT : SCBS_EDGEBOTTOM;

        if (bHorz)
            rc.left += m_cyGripper;
        else
            rc.top += m_cyGripper;

        if (m_dwSCBStyle & SCBS_SHOWEDGES) {
            if (m_dwSCBStyle & SCBS_EDGELEFT) rc.left += m_cxEdge;
            if (m_dwSCBStyle & SCBS_EDGERIGHT) rc.right -= m_cxEdge;
            if (m_dwSCBStyle & SCBS_EDGETOP) rc.top += m_cxEdge;
            if (m_dwSCBStyle & SCBS_EDGEBOTTOM) rc.bottom -= m_cxEdge;
        }

        // The close box, in window coordinates.
        CRect rcClient = rc;
        rcClient.OffsetRect(-rcWindow.TopLeft());
        if (bHorz)
            m_biHide.Move(CPoint(rcClient.left - m_cyGripper - 1, rcClient.top - 1));
        else
            m_biHide.Move(CPoint(rcClient.right - 11, rcClient.top - m_cyGripper - 1));
    }
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    lpncsp->rgrc[0] = rc;
}

void CSizingControlBar::GetEdgeRect(CRect rcWnd, UINT nHitTest, CRect& rcEdge) const
{
    rcEdge = rcWnd;
    if (m_dwSCBStyle & SCBS_SHOWEDGES)
        rcEdge.DeflateRect(1, 1);
    BOOL bHorz = IsHorzDocked();
    switch (nHitTest) {
    case HTLEFT:
        rcEdge.right = rcEdge.left + m_cxEdge;
        if (bHorz) rcEdge.DeflateRect(0, m_cxEdge);
        break;
    case HTRIGHT:
        rcEdge.left = rcEdge.right - m_cxEdge;
        if (bHorz) rcEdge.DeflateRect(0, m_cxEdge);
        break;
    case HTTOP:
        rcEdge.bottom = rcEdge.top + m_cxEdge;
        if (!bHorz) rcEdge.DeflateRect(m_cxEdge, 0);
        break;
    case HTBOTTOM:
        rcEdge.top = rcEdge.bottom - m_cxEdge;
        if (!bHorz) rcEdge.DeflateRect(m_cxEdge, 0);
        break;
    default:
        rcEdge.SetRectEmpty();
        break;
    }
}

std::vector<std::pair<UINT, CRect>> CSizingControlBar::GetSizableEdges(const CRect& rcWnd) const
{
    std::vector<std::pair<UINT, CRect>> edges;
    for (UINT nHitTest : {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM}) {
        if (!IsEdgeSizable(nHitTest))
            continue;
        CRect rcEdge;
        GetEdgeRect(rcWnd, nHitTest, rcEdge);
        edges.push_back({nHitTest, rcEdge});
    }
    return edges;
}

BOOL CSizingControlBar::IsEdgeSizable(UINT nHitTest) const
{
    return (m_dwSCBStyle & EdgeBit(nHitTest)) != 0;
}

void CSizingControlBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rcBar, rcClient;
    GetWindowRect(rcBar);
    GetClientRect(rcClient);
    ClientToScreen(rcClient);
    rcClient.OffsetRect(-rcBar.TopLeft());
    rcBar.OffsetRect(-rcBar.TopLeft());

    dc.ExcludeClipRect(rcClient);
    HBRUSH hbr = (HBRUSH)::GetClassLongPtr(m_hWnd, GCLP_HBRBACKGROUND);
    ::FillRect(dc.m_hDC, rcBar, hbr != NULL ? hbr : ::GetSysColorBrush(COLOR_BTNFACE));

    if (m_dwSCBStyle & SCBS_SHOWEDGES) {
        for (const auto& edge : GetSizableEdges(rcBar))
            dc.Draw3dRect(edge.second, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
    if (!IsFloating() && HasGripper())
        NcPaintGripper(&dc, rcClient);
}

void CSizingControlBar::NcPaintGripper(CDC* pDC, CRect rcClient)
{
    if (!HasGripper())
        return;
    CRect rcButton = m_biHide.GetRect();
    COLORREF crHi = ::GetSysColor(COLOR_BTNHIGHLIGHT), crLo = ::GetSysColor(COLOR_BTNSHADOW);
    CRect rcGrip;
    if (IsHorzDocked()) {
        // Two vertical lines below the close box.
        rcGrip.SetRect(rcButton.left + 2, rcButton.top + 14, rcButton.left + 5, rcClient.bottom);
        pDC->Draw3dRect(rcGrip, crHi, crLo);
        rcGrip.OffsetRect(3, 0);
        pDC->Draw3dRect(rcGrip, crHi, crLo);
    } else {
        // Two horizontal lines left of the close box.
        rcGrip.SetRect(rcClient.left, rcButton.top + 2, rcButton.left - 3, rcButton.top + 5);
        pDC->Draw3dRect(rcGrip, crHi, crLo);
        rcGrip.OffsetRect(0, 3);
        pDC->Draw3dRect(rcGrip, crHi, crLo);
    }
    m_biHide.Paint(pDC);
}

LRESULT CSizingControlBar::OnNcHitTest(CPoint point)
{
    if (IsFloating())
        return CControlBar::OnNcHitTest(point);
    CRect rcBar;
    GetWindowRect(rcBar);
    for (const auto& edge : GetSizableEdges(rcBar))
        if (edge.second.PtInRect(point))
            return edge.first;
    if (HasGripper()) {
        CRect rcButton = m_biHide.GetRect();
        rcButton.OffsetRect(rcBar.TopLeft());
        if (rcButton.PtInRect(point))
            return HTCLOSE;
    }
    return HTCLIENT;
}

void CSizingControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    (void)pTarget;
    (void)bDisableIfNoHndler;
    if (IsFloating() || !HasGripper())
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    BOOL bHit = OnNcHitTest(pt) == HTCLOSE;
    BOOL bButtonDown = ::GetKeyState(VK_LBUTTON) < 0;
    BOOL bPushed = bHit && bButtonDown;
    BOOL bRaised = bHit && !bButtonDown;
    if (bPushed != m_biHide.bPushed || bRaised != m_biHide.bRaised) {
        m_biHide.bPushed = bPushed;
        m_biHide.bRaised = bRaised;
        SendMessage(WM_NCPAINT);
    }
}

// ---------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------

void CSizingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (IsFloating()) {
        CControlBar::OnNcLButtonDown(nHitTest, point);
        return;
    }
    if (!m_bTracking && IsEdgeSizable(nHitTest))
        StartTracking(nHitTest, point);
}

void CSizingControlBar::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCLOSE && !IsFloating()) {
        if (m_pDockSite != NULL)
            m_pDockSite->ShowControlBar(this, FALSE, FALSE);
        return;
    }
    if (IsFloating())
        CControlBar::OnNcLButtonUp(nHitTest, point);
}

void CSizingControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDockBar != NULL && m_pDockContext != NULL) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CSizingControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockBar != NULL && m_pDockContext != NULL) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CSizingControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTracking)
        StopTracking();
    CControlBar::OnLButtonUp(nFlags, point);
}

void CSizingControlBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_bTracking)
        StopTracking();
    CControlBar::OnRButtonDown(nFlags, point);
}

void CSizingControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTracking) {
        ClientToScreen(&point);
        OnTrackUpdateSize(point);
    }
    CControlBar::OnMouseMove(nFlags, point);
}

void CSizingControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bTracking && pWnd != this)
        StopTracking();
    CControlBar::OnCaptureChanged(pWnd);
}

void CSizingControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CControlBar::OnSettingChange(uFlags, lpszSection);
    BOOL bShowContent = FALSE;
    ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &bShowContent, 0);
    m_bDragShowContent = bShowContent;
}

// ---------------------------------------------------------------------------
// Tracking an edge
// ---------------------------------------------------------------------------

void CSizingControlBar::StartTracking(UINT nHitTest, CPoint point)
{
    (void)point;
    SetCapture();
    RedrawWindow(NULL, NULL, RDW_ALLCHILDREN | RDW_UPDATENOW);

    BOOL bHorz = IsHorzDocked();
    m_szOld = bHorz ? m_szHorz : m_szVert;
    CRect rcBar, rcEdge;
    GetWindowRect(rcBar);
    GetEdgeRect(rcBar, nHitTest, rcEdge);
    m_ptOld = rcEdge.CenterPoint();
    m_htEdge = nHitTest;
    m_bTracking = TRUE;

    CSCBArray arrSCBars;
    int nThis = GetRowSizingBars(arrSCBars);

    // Across the row every bar keeps its minimum.
    m_szMinT = m_szMin;
    for (INT_PTR i = 0; i < arrSCBars.GetSize(); ++i)
        Width(m_szMinT, bHorz) = std::max(Width(m_szMinT, bHorz), Width(arrSCBars[i]->m_szMin, bHorz));

    // Along the row the neighbour across the edge gives up what it has
    // above its minimum; across it the frame's free area is the limit.
    CRect rcFree;
    if (m_pDockSite != NULL)
        m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcFree, NULL, TRUE);
    m_szMaxT = m_szOld + CSize(rcFree.Width() - 4, rcFree.Height() - 4);
    BOOL bLengthEdge = bHorz ? (nHitTest == HTLEFT || nHitTest == HTRIGHT) : (nHitTest == HTTOP || nHitTest == HTBOTTOM);
    if (bLengthEdge && nThis >= 0) {
        BOOL bLeading = nHitTest == HTLEFT || nHitTest == HTTOP;
        int nNeighbour = bLeading ? nThis - 1 : nThis + 1;
        if (nNeighbour >= 0 && nNeighbour < (int)arrSCBars.GetSize()) {
            CSizingControlBar* pNeighbour = arrSCBars[nNeighbour];
            CSize& szNeighbour = bHorz ? pNeighbour->m_szHorz : pNeighbour->m_szVert;
            Length(m_szMaxT, bHorz) =
                Length(m_szOld, bHorz) + Length(szNeighbour, bHorz) - Length(pNeighbour->m_szMin, bHorz);
        }
    }
    if (!m_bDragShowContent)
        OnTrackInvertTracker();
}

void CSizingControlBar::StopTracking()
{
    if (!m_bDragShowContent)
        OnTrackInvertTracker();   // erase it
    m_bTracking = FALSE;
    ReleaseCapture();
    if (m_pDockSite != NULL)
        m_pDockSite->DelayRecalcLayout();
}

void CSizingControlBar::OnTrackUpdateSize(CPoint& point)
{
    BOOL bHorz = IsHorzDocked();
    BOOL bAcrossX = m_htEdge == HTLEFT || m_htEdge == HTRIGHT;
    int nDelta = bAcrossX ? point.x - m_ptOld.x : point.y - m_ptOld.y;
    if (m_htEdge == HTLEFT || m_htEdge == HTTOP)
        nDelta = -nDelta;

    CSize szNew = m_szOld;
    (bAcrossX ? szNew.cx : szNew.cy) += nDelta;
    szNew.cx = std::max(m_szMinT.cx, std::min(m_szMaxT.cx, szNew.cx));
    szNew.cy = std::max(m_szMinT.cy, std::min(m_szMaxT.cy, szNew.cy));

    CSize& szCurrent = bHorz ? m_szHorz : m_szVert;
    if (szNew == szCurrent)
        return;
    if (!m_bDragShowContent)
        OnTrackInvertTracker();   // erase at the old place

    CSize szChange = szNew - szCurrent;
    szCurrent = szNew;
    CSCBArray arrSCBars;
    int nThis = GetRowSizingBars(arrSCBars);
    BOOL bLengthEdge = bHorz == bAcrossX;
    if (bLengthEdge) {
        BOOL bLeading = m_htEdge == HTLEFT || m_htEdge == HTTOP;
        int nNeighbour = bLeading ? nThis - 1 : nThis + 1;
        if (nThis >= 0 && nNeighbour >= 0 && nNeighbour < (int)arrSCBars.GetSize()) {
            CSizingControlBar* pNeighbour = arrSCBars[nNeighbour];
            CSize& szNeighbour = bHorz ? pNeighbour->m_szHorz : pNeighbour->m_szVert;
            Length(szNeighbour, bHorz) -= Length(szChange, bHorz);
        }
    } else {
        for (INT_PTR i = 0; i < arrSCBars.GetSize(); ++i) {
            CSizingControlBar* pSCB = arrSCBars[i];
            Width(bHorz ? pSCB->m_szHorz : pSCB->m_szVert, bHorz) = Width(szNew, bHorz);
        }
    }

    if (m_bDragShowContent) {
        if (m_pDockSite != NULL)
            m_pDockSite->DelayRecalcLayout();
    } else {
        OnTrackInvertTracker();   // draw at the new place
    }
}

CRect CSizingControlBar::TrackerRect() const
{
    CRect rcBar, rcEdge;
    GetWindowRect(rcBar);
    GetEdgeRect(rcBar, m_htEdge, rcEdge);
    CSize szCurrent = IsHorzDocked() ? m_szHorz : m_szVert;
    CSize szMoved = szCurrent - m_szOld;
    int nMove = (m_htEdge == HTLEFT || m_htEdge == HTRIGHT) ? szMoved.cx : szMoved.cy;
    if (m_htEdge == HTLEFT || m_htEdge == HTTOP)
        nMove = -nMove;
    if (m_htEdge == HTLEFT || m_htEdge == HTRIGHT)
        rcEdge.OffsetRect(nMove, 0);
    else
        rcEdge.OffsetRect(0, nMove);
    return rcEdge;
}

void CSizingControlBar::OnTrackInvertTracker()
{
    if (m_bDragShowContent || m_pDockSite == NULL)
        return;
    CRect rcTracker = TrackerRect();
    CRect rcFrame;
    m_pDockSite->GetWindowRect(rcFrame);
    rcTracker.OffsetRect(-rcFrame.TopLeft());

    CWindowDC dc(m_pDockSite);
    WORD wPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    CBitmap bmHalftone;
    bmHalftone.CreateBitmap(8, 8, 1, 1, wPattern);
    CBrush brHalftone;
    brHalftone.CreatePatternBrush(&bmHalftone);
    CBrush* pOldBrush = dc.SelectObject(&brHalftone);
    dc.PatBlt(rcTracker.left, rcTracker.top, rcTracker.Width(), rcTracker.Height(), PATINVERT);
    dc.SelectObject(pOldBrush);
}
