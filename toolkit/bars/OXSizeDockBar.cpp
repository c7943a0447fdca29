#include "OXSizeDockBar.h"

#include <algorithm>
#include <set>

#include "OXDockbarSkin.h"
#include "OXMenuBar.h"
#include "OXSizeControlBar.h"
#include "OXSizeToolBar.h"
#include "OXSkinnedApp.h"
#include "OXRectTracker.h"

IMPLEMENT_DYNAMIC(COXSizeDockBar, CDockBar)

namespace {

// Below, rectangles and sizes of a vertical dock bar are flipped so that x
// runs along the rows and y across them.
CRect Flip(const CRect& r)
{
    return CRect(r.top, r.left, r.bottom, r.right);
}
CSize Flip(CSize s)
{
    return CSize(s.cy, s.cx);
}
CPoint Flip(CPoint p)
{
    return CPoint(p.y, p.x);
}

}   // namespace

COXSizeDockBar::COXSizeDockBar()
    : m_pDragSplitter(NULL), m_hcurSizeNS(NULL), m_hcurSizeWE(NULL), m_cxLast(0xFFFF), m_cyLast(0xFFFF),
      m_nLastSignature(0), m_nLastRoom(0), m_pPrivateSkin(NULL), m_wndTabContainer(this)
{
}

COXSizeDockBar::~COXSizeDockBar()
{
    DeleteSplitters();
    delete m_pPrivateSkin;
}

BOOL COXSizeDockBar::IsSizingBar(CControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(COXSizeControlBar));
}

BOOL COXSizeDockBar::IsSizeToolBar(CControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(COXSizeToolBar));
}

BOOL COXSizeDockBar::IsCoolToolBar(CControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(COXCoolToolBar));
}

BOOL COXSizeDockBar::IsMenuBar(CControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(COXMenuBar));
}

COXDockbarSkin* COXSizeDockBar::GetDockbarSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    if (pSkin != NULL && pSkin->GetDockbarSkin() != NULL)
        return pSkin->GetDockbarSkin();
    if (m_pPrivateSkin == NULL)
        m_pPrivateSkin = new COXDockbarSkinClassic;
    return m_pPrivateSkin;
}

// ---------------------------------------------------------------------------
// Row rules
// ---------------------------------------------------------------------------

OXROWMETRICS COXSizeDockBar::MeasureRow(const OXROWBAR* pBars, int nCount)
{
    OXROWMETRICS m = {};
    BOOL bPrevPlainSizing = FALSE;
    for (int i = 0; i < nCount; ++i) {
        const OXROWBAR& b = pBars[i];
        if (!b.bVisible)
            continue;
        const BOOL bPlainSizing = b.bSizing && !b.bToolBar;
        if (b.bSizing) {
            m.nSizingLength += b.nLength;
            m.nSizingCount++;
        } else {
            m.nFixedLength += b.nLength;
            m.nFixedThickness = std::max(m.nFixedThickness, std::max(b.nThickness, 0));
        }
        if (bPlainSizing && bPrevPlainSizing)
            m.nFixedLength += nSplitterWidth;
        bPrevPlainSizing = bPlainSizing;
        m.nThickness = std::max(m.nThickness, std::max(b.nThickness, 0));
        m.nVisibleCount++;
        m.cxMinTrack = std::max(m.cxMinTrack, b.cxMinTrack);
        m.cyMinTrack = std::max(m.cyMinTrack, b.cyMinTrack);
    }
    m.nTotalLength = m.nSizingLength + m.nFixedLength;
    return m;
}

BOOL COXSizeDockBar::ShareLengths(const OXROWBAR* pBars, int nCount, int nLength, int nBorder2, int* pLengths)
{
    const OXROWMETRICS m = MeasureRow(pBars, nCount);
    if (m.nSizingCount == 0)
        return FALSE;
    const long long s = (long long)nLength + (long long)nBorder2 * m.nVisibleCount - m.nFixedLength;
    BOOL bFirst = TRUE;
    for (int i = 0; i < nCount; ++i) {
        if (!pBars[i].bVisible || !pBars[i].bSizing)
            continue;
        long long nNew;
        if (m.nSizingLength == 0) {
            nNew = bFirst ? s : 0;
        } else {
            // truncated, then 0.5 added and truncated again: a negative
            // share is raised by one
            const long long q = s * pBars[i].nLength / m.nSizingLength;
            nNew = (long long)((double)q + 0.5);
        }
        bFirst = FALSE;
        pLengths[i] = (int)std::max<long long>(std::min<long long>(nNew, 32767), -32767);
    }
    return TRUE;
}

BOOL COXSizeDockBar::EqualLengths(const OXROWBAR* pBars, int nCount, int nLength, int* pLengths)
{
    const OXROWMETRICS m = MeasureRow(pBars, nCount);
    // a row of other bars only has nothing to share (and nothing to divide by)
    if (m.nSizingCount == 0)
        return FALSE;
    const int s = std::max(0, nLength - m.nFixedLength);
    const int nEach = s / m.nSizingCount;
    int nGiven = 0, nSeen = 0;
    for (int i = 0; i < nCount; ++i) {
        if (!pBars[i].bVisible || !pBars[i].bSizing)
            continue;
        ++nSeen;
        pLengths[i] = nSeen == m.nSizingCount ? s - nGiven : nEach;
        nGiven += nEach;
    }
    return TRUE;
}

UINT COXSizeDockBar::RowSignature(const int* pEntries, int nCount)
{
    // a doubles at every row end: in a dock bar of more than about twenty
    // rows the earliest rows shift out of it, and a change there alone goes
    // unseen; only equality matters
    UINT a = 0, nBars = 0;
    for (int i = 0; i < nCount; ++i) {
        if (pEntries[i] < 0) {
            a *= 2;
        } else if (pEntries[i] > 0) {
            a += 1;
            if (pEntries[i] == 2)
                a += (UINT)i;
            ++nBars;
        }
    }
    return nBars | (a << 8);
}

int COXSizeDockBar::MoveSplitterInRow(const OXROWBAR* pBars, int nCount, int nSplitter, int d, int* pLengths)
{
    if (d == 0)
        return 0;
    // the givers lie on the side the splitter moves towards
    const int nStep = d < 0 ? -1 : 1;
    int nGiver = d < 0 ? nSplitter - 1 : nSplitter;
    int nTaker = -1;
    if (d < 0) {
        for (int i = nSplitter; i < nCount && nTaker < 0; ++i)
            if (pBars[i].bVisible && pBars[i].bSizing)
                nTaker = i;
    } else {
        for (int i = nSplitter - 1; i >= 0 && nTaker < 0; --i)
            if (pBars[i].bVisible && pBars[i].bSizing)
                nTaker = i;
    }
    if (nTaker < 0)
        return 0;
    int nWanted = abs(d), nGiven = 0;
    for (int i = nGiver; i >= 0 && i < nCount && nGiven < nWanted; i += nStep) {
        if (!pBars[i].bVisible || !pBars[i].bSizing)
            continue;
        const int nHas = std::max(0, pLengths[i]);
        const int nGive = std::min(nHas, nWanted - nGiven);
        pLengths[i] = nHas - nGive;
        nGiven += nGive;
    }
    pLengths[nTaker] += nGiven;
    return d < 0 ? -nGiven : nGiven;
}

void COXSizeDockBar::MaximizeLengths(const OXROWBAR* pBars, int nCount, int nTarget, int* pLengths)
{
    int nCollected = 0;
    for (int i = 0; i < nCount; ++i) {
        if (i == nTarget || !pBars[i].bVisible || !pBars[i].bSizing)
            continue;
        nCollected += pLengths[i] - nStubLength;
        pLengths[i] = nStubLength;
    }
    pLengths[nTarget] += nCollected;
}

int COXSizeDockBar::RowSplitterLimit(DWORD dwEdge, int s, const OXROWMETRICS& m)
{
    const int d = m.nThickness;
    switch (dwEdge) {
    case CBRS_ALIGN_LEFT:
        return std::max(s - d + m.nFixedThickness, m.cxMinTrack > 0 ? s - d + m.cxMinTrack : INT_MIN);
    case CBRS_ALIGN_TOP:
        return std::max(s - d + m.nFixedThickness, m.cyMinTrack > 0 ? s - d + m.cyMinTrack : INT_MIN);
    case CBRS_ALIGN_RIGHT:
        return std::min(s + d - m.nFixedThickness, m.cxMinTrack > 0 ? s + d - m.cxMinTrack : INT_MAX);
    default:
        return std::min(s + d - m.nFixedThickness, m.cyMinTrack > 0 ? s + d - m.cyMinTrack : INT_MAX);
    }
}

int COXSizeDockBar::RowThicknessAfter(DWORD dwEdge, const OXROWMETRICS& m, int d)
{
    const int n = (dwEdge & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) ? m.nThickness + d : m.nThickness - d;
    return std::max(n, m.nFixedThickness);
}

int COXSizeDockBar::PickDockBar(const CRect rects[4], const BOOL bAccepts[4], CPoint pt)
{
    for (int nPass = 0; nPass < 2; ++nPass)
        for (int i = 0; i < 4; ++i) {
            if (!bAccepts[i])
                continue;
            CRect r = rects[i];
            if (nPass == 1) {
                r.InflateRect(20, 20);
                if (i < 2)
                    r.bottom -= nTabStripHeight;
            }
            if (r.PtInRect(pt))
                return i;
        }
    return -1;
}

// ---------------------------------------------------------------------------
// Rows of the docked bars
// ---------------------------------------------------------------------------

int COXSizeDockBar::RowStart(int nPos) const
{
    int i = std::min<int>(nPos, (int)m_arrBars.GetSize() - 1);
    while (i > 0 && m_arrBars[i - 1] != NULL)
        --i;
    return i;
}

int COXSizeDockBar::RowEnd(int nStart) const
{
    int i = nStart;
    while (i < m_arrBars.GetSize() && m_arrBars[i] != NULL)
        ++i;
    return i;
}

BOOL COXSizeDockBar::RowHasVisibleBar(int nStart)
{
    for (int i = nStart; i < m_arrBars.GetSize() && m_arrBars[i] != NULL; ++i) {
        CControlBar* p = GetDockedControlBar(i);
        if (p != NULL && ::IsWindow(p->m_hWnd) && p->IsVisible())
            return TRUE;
    }
    return FALSE;
}

void COXSizeDockBar::CollectRow(int nStart, std::vector<OXROWBAR>& rows, std::vector<CControlBar*>& bars)
{
    const BOOL bHorz = IsHorzDockBar();
    for (int i = nStart; i < m_arrBars.GetSize() && m_arrBars[i] != NULL; ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == NULL || !::IsWindow(pBar->m_hWnd))
            continue;
        OXROWBAR r = {};
        r.bVisible = pBar->IsVisible();
        r.bSizing = IsSizingBar(pBar);
        r.bToolBar = IsSizeToolBar(pBar);
        CSize size;
        if (r.bSizing) {
            COXSizeControlBar* pSizeBar = (COXSizeControlBar*)pBar;
            size = bHorz ? pSizeBar->m_HorzDockSize : Flip(pSizeBar->m_VertDockSize);
        } else {
            CRect rect;
            pBar->GetWindowRect(&rect);
            size = bHorz ? rect.Size() : Flip(rect.Size());
        }
        r.nLength = size.cx;
        r.nThickness = size.cy;
        MINMAXINFO mmi = {};
        pBar->SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
        r.cxMinTrack = mmi.ptMinTrackSize.x;
        r.cyMinTrack = mmi.ptMinTrackSize.y;
        rows.push_back(r);
        bars.push_back(pBar);
    }
}

void COXSizeDockBar::ApplyLengths(const std::vector<CControlBar*>& bars, const std::vector<OXROWBAR>& rows,
                                  const std::vector<int>& lengths, int nThickness)
{
    const BOOL bHorz = IsHorzDockBar();
    for (size_t i = 0; i < bars.size(); ++i) {
        if (!rows[i].bVisible || !rows[i].bSizing)
            continue;
        COXSizeControlBar* pBar = (COXSizeControlBar*)bars[i];
        CSize size(lengths[i], nThickness);
        if (bHorz)
            pBar->m_HorzDockSize = size;
        else
            pBar->m_VertDockSize = Flip(size);
        if (!m_bLayoutQuery) {
            size.cy = std::min<int>(size.cy, MaxRowThickness());
            CSize sizeWnd = bHorz ? size : Flip(size);
            pBar->SetWindowPos(NULL, 0, 0, std::max<int>(sizeWnd.cx, 0), std::max<int>(sizeWnd.cy, 0),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

BOOL COXSizeDockBar::ShareRowLength(int nStart, int nLength)
{
    std::vector<OXROWBAR> rows;
    std::vector<CControlBar*> bars;
    CollectRow(nStart, rows, bars);
    if (rows.empty())
        return FALSE;
    std::vector<int> lengths(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        lengths[i] = rows[i].nLength;
    const int nBorder2 = IsHorzDockBar() ? afxData.cxBorder2 : afxData.cyBorder2;
    if (!ShareLengths(rows.data(), (int)rows.size(), nLength, nBorder2, lengths.data()))
        return FALSE;
    ApplyLengths(bars, rows, lengths, MeasureRow(rows.data(), (int)rows.size()).nThickness);
    return TRUE;
}

void COXSizeDockBar::ShareAllRows(int nLength)
{
    for (int i = 1; i < m_arrBars.GetSize(); i = RowEnd(i) + 1)
        ShareRowLength(i, nLength);
}

void COXSizeDockBar::EqualizeRow(int nStart)
{
    std::vector<OXROWBAR> rows;
    std::vector<CControlBar*> bars;
    CollectRow(nStart, rows, bars);
    std::vector<int> lengths(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        lengths[i] = rows[i].nLength;
    const int nLength = IsHorzDockBar() ? m_cxLast : m_cyLast;
    if (rows.empty() || !EqualLengths(rows.data(), (int)rows.size(), nLength, lengths.data()))
        return;
    ApplyLengths(bars, rows, lengths, MeasureRow(rows.data(), (int)rows.size()).nThickness);
}

void COXSizeDockBar::EqualizeAllRows()
{
    for (int i = 1; i < m_arrBars.GetSize(); i = RowEnd(i) + 1)
        EqualizeRow(i);
}

void COXSizeDockBar::MakeRoomInRow(CControlBar* pBar)
{
    const int nPos = FindBar(pBar);
    if (nPos < 0)
        return;
    const int nStart = RowStart(nPos);
    std::vector<OXROWBAR> rows;
    std::vector<CControlBar*> bars;
    CollectRow(nStart, rows, bars);
    const BOOL bHorz = IsHorzDockBar();
    int nBarLength = 0, nOthers = 0;
    for (size_t i = 0; i < bars.size(); ++i)
        if (bars[i] == pBar)
            nBarLength = rows[i].nLength;
        else if (rows[i].bSizing && rows[i].bVisible)
            ++nOthers;
    if (IsPlainSizingBar(pBar) && nOthers > 0)
        nBarLength += nSplitterWidth;
    // the others share what is left once the bar has its length
    std::vector<OXROWBAR> others;
    std::vector<CControlBar*> otherBars;
    for (size_t i = 0; i < bars.size(); ++i)
        if (bars[i] != pBar) {
            others.push_back(rows[i]);
            otherBars.push_back(bars[i]);
        }
    std::vector<int> lengths(others.size());
    for (size_t i = 0; i < others.size(); ++i)
        lengths[i] = others[i].nLength;
    const int nAvail = (bHorz ? m_cxLast : m_cyLast) - nBarLength;
    const int nBorder2 = bHorz ? afxData.cxBorder2 : afxData.cyBorder2;
    if (!others.empty() && ShareLengths(others.data(), (int)others.size(), nAvail, nBorder2, lengths.data()))
        ApplyLengths(otherBars, others, lengths, MeasureRow(rows.data(), (int)rows.size()).nThickness);
}

int COXSizeDockBar::GetRowIndexAt(const RECT& rect)
{
    const BOOL bHorz = IsHorzDockBar();
    CRect r(rect);
    ScreenToClient(&r);
    const int nCentre = bHorz ? r.CenterPoint().y : r.CenterPoint().x;
    const int nBorder2 = bHorz ? afxData.cyBorder2 : afxData.cxBorder2;
    // before the first row lies no row: a bar dropped there heads a row of
    // its own, and the drag shows it so
    if (nCentre < 0)
        return 0;
    int nEdge = 0;
    for (int i = 1; i < m_arrBars.GetSize(); i = RowEnd(i) + 1) {
        std::vector<OXROWBAR> rows;
        std::vector<CControlBar*> bars;
        CollectRow(i, rows, bars);
        nEdge += std::min(MeasureRow(rows.data(), (int)rows.size()).nThickness, MaxRowThickness()) - nBorder2;
        if (nCentre < nEdge)
            return i;
    }
    return 0;
}

int COXSizeDockBar::CountOtherBarsInRow(CWnd* pBar, const RECT& rect)
{
    const int nStart = GetRowIndexAt(rect);
    if (nStart == 0)
        return 0;
    int n = 0;
    for (int i = nStart; i < m_arrBars.GetSize() && m_arrBars[i] != NULL; ++i) {
        CControlBar* p = GetDockedControlBar(i);
        if (p != NULL && p != pBar && ::IsWindow(p->m_hWnd))
            ++n;
    }
    return n;
}

BOOL COXSizeDockBar::RowHasOtherSizingBar(CControlBar* pBar)
{
    const int nPos = FindBar(pBar);
    if (nPos < 0)
        return FALSE;
    for (int i = RowStart(nPos); i < m_arrBars.GetSize() && m_arrBars[i] != NULL; ++i) {
        CControlBar* p = GetDockedControlBar(i);
        if (p != NULL && p != pBar && IsSizingBar(p) && ::IsWindow(p->m_hWnd) && p->IsVisible())
            return TRUE;
    }
    return FALSE;
}

int COXSizeDockBar::MaxRowThickness()
{
    CFrameWnd* pFrame = m_bFloating ? NULL : GetParentFrame();
    if (pFrame == NULL || !::IsWindow(pFrame->m_hWnd))
        return INT_MAX;
    CRect rect;
    pFrame->GetClientRect(&rect);
    return std::max<int>((IsHorzDockBar() ? rect.Height() : rect.Width()) - 3 * nSplitterWidth, 0);
}

void COXSizeDockBar::MaximizeInRow(COXSizeControlBar* pBar, BOOL bMaximize)
{
    const int nPos = FindBar(pBar);
    if (nPos < 0)
        return;
    const int nStart = RowStart(nPos);
    std::vector<OXROWBAR> rows;
    std::vector<CControlBar*> bars;
    CollectRow(nStart, rows, bars);
    const BOOL bHorz = IsHorzDockBar();
    BOOL bSave = bMaximize;
    int nTarget = -1;
    for (size_t i = 0; i < bars.size(); ++i) {
        if (bars[i] == pBar)
            nTarget = (int)i;
        else if (bMaximize && rows[i].bSizing && ((COXSizeControlBar*)bars[i])->m_bMaximizedInRow)
            bSave = FALSE;   // the sizes before the first maximize are the ones to keep
    }
    if (nTarget < 0)
        return;
    std::vector<int> lengths(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        lengths[i] = rows[i].nLength;
    if (bMaximize)
        MaximizeLengths(rows.data(), (int)rows.size(), nTarget, lengths.data());
    for (size_t i = 0; i < bars.size(); ++i) {
        if (!rows[i].bVisible || !rows[i].bSizing)
            continue;
        COXSizeControlBar* p = (COXSizeControlBar*)bars[i];
        CSize& sizeDock = bHorz ? p->m_HorzDockSize : p->m_VertDockSize;
        if (bMaximize) {
            if (bSave)
                p->m_SavedDockSize = sizeDock;
            if (bHorz)
                sizeDock.cx = lengths[i];
            else
                sizeDock.cy = lengths[i];
        } else if (p->m_SavedDockSize != CSize(0, 0)) {
            sizeDock = p->m_SavedDockSize;
        }
        if (p != pBar)
            p->SetMaximizedInRow(FALSE);
    }
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout(TRUE);
    pBar->SetMaximizedInRow(bMaximize);
}

int COXSizeDockBar::CountOtherSizingBars(CControlBar* pBar)
{
    int n = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* p = GetDockedControlBar(i);
        if (p != NULL && p != pBar && IsSizingBar(p))
            ++n;
    }
    return n;
}

COXSizeControlBar* COXSizeDockBar::FindOtherSizingBar(CControlBar* pBar)
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* p = GetDockedControlBar(i);
        if (p != NULL && p != pBar && IsSizingBar(p))
            return (COXSizeControlBar*)p;
    }
    return NULL;
}

CControlBar* COXSizeDockBar::FindCoolToolBar(CControlBar* pBar)
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* p = GetDockedControlBar(i);
        if (p != NULL && p != pBar && IsCoolToolBar(p))
            return p;
    }
    return NULL;
}

int COXSizeDockBar::CountBarsInColumn(CControlBar* pBar)
{
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    int n = 1;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* p = GetDockedControlBar(i);
        if (p == NULL || p == pBar || !IsSizingBar(p) || !p->IsVisible())
            continue;
        CRect r;
        p->GetWindowRect(&r);
        if (IsHorzDockBar() ? r.left == rectBar.left : abs(r.left - rectBar.left) <= 5)
            ++n;
    }
    return n;
}

// ---------------------------------------------------------------------------
// Finding and docking
// ---------------------------------------------------------------------------

COXSizeDockBar* COXSizeDockBar::FindDockBarAt(CPoint ptScreen, CControlBar* pBar)
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pFrame == NULL || pBar == NULL)
        return NULL;
    static const UINT ids[4] = {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_TOP,
                                AFX_IDW_DOCKBAR_BOTTOM};
    static const DWORD edges[4] = {CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM};
    COXSizeDockBar* pDockBars[4] = {};
    CRect rects[4];
    BOOL bAccepts[4] = {};
    for (int i = 0; i < 4; ++i) {
        pDockBars[i] = DYNAMIC_DOWNCAST(COXSizeDockBar, pFrame->GetControlBar(ids[i]));
        if (pDockBars[i] == NULL || !::IsWindow(pDockBars[i]->m_hWnd))
            continue;
        pDockBars[i]->GetWindowRect(&rects[i]);
        // a dock bar that stacks tabs takes bars only on its tab strip
        bAccepts[i] = (pBar->m_dwDockStyle & edges[i]) != 0 &&
                      !(IsSizingBar(pBar) && pDockBars[i]->FindCoolToolBar(pBar) != NULL) &&
                      !(IsCoolToolBar(pBar) && pDockBars[i]->FindOtherSizingBar(pBar) != NULL) &&
                      (!pDockBars[i]->HasTabs() || pDockBars[i]->m_wndTabContainer.HitTestTab(ptScreen) >= 0);
    }
    const int n = PickDockBar(rects, bAccepts, ptScreen);
    return n < 0 ? NULL : pDockBars[n];
}

void COXSizeDockBar::DockBarAt(CControlBar* pBar, LPCRECT lpRect)
{
    const BOOL bHorz = IsHorzDockBar();
    COXSizeDockBar* pOldSizeDock = DYNAMIC_DOWNCAST(COXSizeDockBar, pBar->m_pDockBar);
    if (pOldSizeDock != NULL && pOldSizeDock != this && pOldSizeDock->GetTabContainerOf(pBar) != NULL)
        pOldSizeDock->m_wndTabContainer.RemoveBar(pBar);

    // the tab strip under the rectangle's top-left decides whether the bar
    // joins (or moves within) the stack; off the strip it leaves it
    enum { keepTab, joinTabs, moveTab, leaveTabs } nTabAction = keepTab;
    int nTabPos = -1;
    if (IsSizingBar(pBar) && lpRect != NULL) {
        const CPoint ptTab(lpRect->left, lpRect->top);
        nTabPos = m_wndTabContainer.HitTestTab(ptTab);
        const int nTab = m_wndTabContainer.FindTab(pBar);
        if (nTabPos >= 0) {
            if (nTab < 0 && (HasTabs() || CountBarsInColumn(pBar) > 1))
                nTabAction = joinTabs;
            else if (nTab >= 0 && nTab != nTabPos)
                nTabAction = moveTab;
        } else if (nTab >= 0) {
            nTabAction = leaveTabs;
        }
    }
    if (nTabAction == leaveTabs)
        m_wndTabContainer.RemoveBar(pBar);
    else if (nTabAction == moveTab)
        m_wndTabContainer.MoveTab(m_wndTabContainer.FindTab(pBar), nTabPos, CPoint(lpRect->left, lpRect->top));

    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    // a place in the stack is no place in the rows: a tab held over the
    // strip stays where the stack is
    const BOOL bStacked = nTabPos >= 0 && (nTabAction != keepTab || m_wndTabContainer.FindTab(pBar) >= 0);
    if (pBar->m_pDockBar == this && (lpRect == NULL || CRect(lpRect) == rectBar || bStacked)) {
        if (nTabAction == joinTabs)
            m_wndTabContainer.InsertBar(pBar, nTabPos, TRUE);
        return;
    }

    // the standard docking's style changes
    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        m_dwStyle |= CBRS_FLOAT_MULTI;
    m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    DWORD dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY);
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    else
        dwStyle &= ~CBRS_FLOATING;
    const BOOL bFromElsewhere = pBar->m_pDockBar != this;
    const BOOL bHide = bFromElsewhere && (pBar->GetStyle() & WS_VISIBLE);
    if (bHide)
        pBar->ShowWindow(SW_HIDE);
    pBar->SetBarStyle(dwStyle);

    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (lpRect != NULL) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        CPoint pt = rect.TopLeft();
        pt.x -= 5;
        CPoint ptAlong = bHorz ? pt : Flip(pt);
        // a menu bar keeps a row of its own
        for (int i = 0; i < m_arrBars.GetSize(); ++i) {
            CControlBar* p = GetDockedControlBar(i);
            if (p == NULL || p == pBar || !::IsWindow(p->m_hWnd))
                continue;
            CRect r;
            p->GetWindowRect(&r);
            ScreenToClient(&r);
            if (!bHorz)
                r = Flip(r);
            if (ptAlong.y >= r.top && ptAlong.y < r.bottom && (IsMenuBar(p) || IsMenuBar(pBar)))
                ptAlong.y = r.bottom + 2;
        }
        if (ptAlong.x >= -11 && ptAlong.x <= -3)
            ptAlong.x = -2;
        pt = bHorz ? ptAlong : Flip(ptAlong);
        if (pOldDockBar == this) {
            int nPos = FindBar(pBar);
            if (nPos >= 0) {
                m_arrBars.RemoveAt(nPos);
                if (m_arrBars[nPos - 1] == NULL && m_arrBars[nPos] == NULL)
                    m_arrBars.RemoveAt(nPos);
            }
        }
        Insert(pBar, rect, pt);

        // the new rectangle: the target's length, the bar's thickness
        CRect rNew = bHorz ? rect : Flip(rect);
        CRect rOld = rectBar;
        ScreenToClient(&rOld);
        if (!bHorz)
            rOld = Flip(rOld);
        rNew.top = rOld.top;
        rNew.bottom = rOld.top + rOld.Height();
        if (IsSizingBar(pBar) && bFromElsewhere)
            rNew.bottom = rNew.top + ((COXSizeControlBar*)pBar)->m_FloatSize.cx;
        int nPos = FindBar(pBar);
        int e = -2;
        for (int i = RowStart(nPos); i < nPos; ++i) {
            CControlBar* p = GetDockedControlBar(i);
            if (p == NULL || !::IsWindow(p->m_hWnd))
                continue;
            CRect r;
            p->GetWindowRect(&r);
            ScreenToClient(&r);
            if (!bHorz)
                r = Flip(r);
            if (r.left <= rNew.left) {
                e = r.right - 2;
                if (IsPlainSizingBar(p) && IsPlainSizingBar(pBar))
                    e += nSplitterWidth;
            }
        }
        const int w = rNew.Width();
        if (IsSizingBar(pBar)) {
            rNew.left = e;
        } else {
            CRect rectClient;
            GetClientRect(&rectClient);
            const int nEnd = bHorz ? rectClient.right : rectClient.bottom - m_wndTabContainer.GetStripHeight();
            rNew.left = std::max<LONG>(rNew.left, e);
            if (rNew.left + w > nEnd)
                rNew.left = std::max<LONG>(nEnd - w, e);
        }
        rNew.right = rNew.left + w;
        CRect rWnd = bHorz ? rNew : Flip(rNew);
        pBar->SetWindowPos(NULL, rWnd.left, rWnd.top, rWnd.Width(), rWnd.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        if (pOldDockBar == this) {
            int nPos = FindBar(pBar);
            if (nPos >= 0)
                m_arrBars.RemoveAt(nPos);
        }
        m_arrBars.Add(pBar);
        m_arrBars.Add(NULL);
        pBar->SetWindowPos(NULL, -afxData.cxBorder2, -afxData.cyBorder2, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pOldDockBar != NULL && pOldDockBar != this)
        pOldDockBar->RemoveControlBar(pBar, -1, (pOldDockBar->m_bFloating && !m_bFloating) ? 1 : 0);
    pBar->m_pDockBar = this;
    if (bHide)
        pBar->ShowWindow(SW_SHOWNA);
    RemovePlaceHolder(pBar);
    RemovePlaceHoldersElsewhere(pBar);
    if (nTabAction == joinTabs)
        m_wndTabContainer.InsertBar(pBar, nTabPos, TRUE);
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
}

void COXSizeDockBar::RemoveBar(CControlBar* pBar, int nPos, int nPlaceHolder)
{
    RemoveControlBar(pBar, nPos, nPlaceHolder);
}

UINT COXSizeDockBar::CollectSignature(CPtrArray* pHiddenBars)
{
    std::vector<int> entries;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* p = GetDockedControlBar(i);
        if (m_arrBars[i] == NULL) {
            entries.push_back(-1);
        } else if (p == NULL || !::IsWindow(p->m_hWnd)) {
            entries.push_back(0);
        } else if (!p->IsVisible()) {
            if (pHiddenBars != NULL)
                pHiddenBars->Add(p);
            entries.push_back(0);
        } else {
            entries.push_back(IsPlainSizingBar(p) ? 2 : 1);
        }
    }
    return RowSignature(entries.data(), (int)entries.size());
}

void COXSizeDockBar::PlaceTabContainer()
{
    if (!::IsWindow(m_wndTabContainer.m_hWnd))
        return;
    CRect rect;
    GetClientRect(&rect);
    const int h = m_wndTabContainer.GetStripHeight();
    m_wndTabContainer.SetWindowPos(NULL, 0, rect.bottom - h, rect.Width(), h, SWP_NOZORDER | SWP_NOACTIVATE);
}

COXDockTabCtrl* COXSizeDockBar::GetTabContainerOf(CControlBar* pBar)
{
    return m_wndTabContainer.FindTab(pBar) >= 0 ? &m_wndTabContainer : NULL;
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

void COXSizeDockBar::DeleteSplitters()
{
    for (INT_PTR i = 0; i < m_arrSplitters.GetSize(); ++i)
        delete m_arrSplitters[i];
    m_arrSplitters.RemoveAll();
    m_pDragSplitter = NULL;
}

CRect COXSizeDockBar::AvailableRect()
{
    if (!m_rectLayout.IsRectEmpty())
        return m_rectLayout;
    CRect rect(0, 0, 32767, 32767);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return rect;
    pFrame->GetClientRect(&rect);
    pFrame->ClientToScreen(&rect);
    for (int nID = 0xE800; nID <= 0xE8FF; ++nID) {
        CDockBar* pDock = DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(nID));
        if (pDock == NULL || pDock->m_bFloating || !pDock->IsVisible() || !::IsWindow(pDock->m_hWnd))
            continue;
        CRect r;
        pDock->GetWindowRect(&r);
        if ((pDock->m_dwStyle & 0x2800) == 0x2800)
            rect.top = std::max(rect.top, r.bottom);
        else if ((pDock->m_dwStyle & 0x8200) == 0x8200)
            rect.bottom = std::min(rect.bottom, r.top);
    }
    rect.OffsetRect(-rect.left, -rect.top);
    return rect;
}

CSize COXSizeDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (m_arrBars.GetSize() <= 1)
        return sizeFixed;
    if (!bHorz)
        sizeFixed = Flip(sizeFixed);
    CSize sizeMax = AvailableRect().Size();
    if (!bHorz)
        sizeMax = Flip(sizeMax);
    const DWORD dwEdge = m_dwStyle & CBRS_ALIGN_ANY;
    const BOOL bFarEdge = (dwEdge & (CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM)) != 0;
    const int nMaxThickness = MaxRowThickness();

    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize());
    CSize sizeBorder2(afxData.cxBorder2, afxData.cyBorder2);
    if (!bHorz)
        sizeBorder2 = Flip(sizeBorder2);
    CPoint pt(-sizeBorder2.cx, -sizeBorder2.cy);
    DeleteSplitters();

    // splitters in along/across coordinates, flipped back at the end
    std::vector<COXSplitterRect*> splitters;
    const int nAcrossRow = bHorz ? COXSplitterRect::vertical : COXSplitterRect::horizontal;
    const int nAlongRow = bHorz ? COXSplitterRect::horizontal : COXSplitterRect::vertical;
    auto addSplitter = [&](int nType, const CRect& r, int nIndex) {
        COXSplitterRect* p = new COXSplitterRect(nType, r);
        p->m_nBarIndex = nIndex;
        splitters.push_back(p);
    };

    int nWidth = 0;               // the row's thickness so far
    BOOL bRowHasBars = FALSE;
    BOOL bFirstInRow = TRUE;
    BOOL bPrevPlainSizing = FALSE;
    BOOL bSizingInRow = FALSE;
    BOOL bSizingSinceRowSplitter = FALSE;
    int nRowSizing = 0;           // visible plain sizing bars of the row
    size_t nRowSplitters = 0;     // the first splitter across the current row
    BOOL bWrapped = FALSE;
    std::set<CControlBar*> relaid;   // a bar is laid out again once per walk

    auto countRowSizing = [&](int nFrom) {
        int n = 0;
        for (int i = nFrom; i < m_arrBars.GetSize() && m_arrBars[i] != NULL; ++i) {
            CControlBar* p = GetDockedControlBar(i);
            if (p != NULL && ::IsWindow(p->m_hWnd) && p->IsVisible() && IsPlainSizingBar(p))
                ++n;
        }
        return n;
    };
    auto endRow = [&](int nNext) {
        if (bRowHasBars) {
            pt.y += nWidth - sizeBorder2.cy;
            sizeFixed.cx = std::max<int>(sizeFixed.cx, pt.x);
            sizeFixed.cy = std::max<int>(sizeFixed.cy, pt.y);
            pt.x = -sizeBorder2.cx;
            for (size_t i = nRowSplitters; i < splitters.size(); ++i)
                if (splitters[i]->m_nType == nAcrossRow)
                    splitters[i]->m_rect.bottom = pt.y;
        }
        nWidth = 0;
        bRowHasBars = FALSE;
        bFirstInRow = TRUE;
        bPrevPlainSizing = FALSE;
        bSizingInRow = FALSE;
        nRowSplitters = splitters.size();
        nRowSizing = countRowSizing(nNext);
    };
    auto rowSplitter = [&](int nIndex) {
        addSplitter(nAlongRow, CRect(pt.x, pt.y, pt.x, pt.y + nSplitterWidth), nIndex);
        pt.y += nSplitterWidth;
        nRowSplitters = splitters.size();
    };

    // a bar broken off its row goes back to it with the room only when it
    // started within the room the last layout had (a share may have
    // squeezed it since, but never moves it)
    auto hadRoom = [&](CControlBar* p) {
        if (p == NULL || !::IsWindow(p->m_hWnd))
            return false;
        CRect r;
        p->GetWindowRect(&r);
        ScreenToClient(&r);
        if (!bHorz)
            r = Flip(r);
        return r.left >= -sizeBorder2.cx && r.left < m_nLastRoom - sizeBorder2.cx;
    };
    auto noteWrapped = [&](CControlBar* pBar) {
        if (hadRoom(pBar))
            m_arrWrappedBars.Add(pBar);
    };

    nRowSizing = countRowSizing(1);
    for (int nPos = 0; nPos < m_arrBars.GetSize(); nPos++) {
        void* pVoid = m_arrBars[nPos];
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pVoid == NULL) {
            endRow(nPos + 1);
            continue;
        }
        if (pBar == NULL)
            continue;   // a place-holder
        if (!pBar->IsVisible() || !::IsWindow(pBar->m_hWnd)) {
            pBar->RecalcDelayShow(&layout);
            continue;
        }
        const BOOL bSizing = IsSizingBar(pBar);
        const BOOL bPlainSizing = bSizing && !IsSizeToolBar(pBar);
        if (bFirstInRow) {
            if (bFarEdge) {
                if (nRowSizing > 0 && !IsSizeToolBar(pBar))
                    rowSplitter(nPos);
            } else if (bSizingSinceRowSplitter) {
                rowSplitter(nPos);
                bSizingSinceRowSplitter = FALSE;
            }
        } else if (bPrevPlainSizing && bPlainSizing) {
            addSplitter(nAcrossRow, CRect(pt.x, pt.y, pt.x + nSplitterWidth, pt.y), nPos);
            pt.x += nSplitterWidth;
        }

        DWORD dwMode;
        if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
            dwMode = LM_HORZ | LM_MRUWIDTH;
        else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
            dwMode = LM_HORZ | LM_HORZDOCK;
        else
            dwMode = LM_VERTDOCK;
        CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
        if (!bHorz)
            sizeBar = Flip(sizeBar);
        if (bSizing)
            sizeBar.cy = std::min<int>(sizeBar.cy, nMaxThickness);
        CRect rect(pt, sizeBar);
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        ScreenToClient(&rectBar);
        if (!bHorz)
            rectBar = Flip(rectBar);

        if (!bPlainSizing) {
            if (nRowSizing == 0 && !bSizingInRow && !m_bFloating && rectBar.left > rect.left)
                rect.OffsetRect(rectBar.left - rect.left, 0);
            if (rect.right > sizeMax.cx && !m_bFloating) {
                int x = std::max<int>(sizeMax.cx - (rect.Width() - sizeBorder2.cx), pt.x);
                rect.OffsetRect(x - rect.left, 0);
            }
            if (bWrapped) {
                bWrapped = FALSE;
                rect.OffsetRect(-(rect.left + sizeBorder2.cx), 0);
            } else if (rect.left >= sizeMax.cx - sizeBorder2.cx && !bFirstInRow) {
                m_arrBars.InsertAt(nPos, (void*)NULL);
                noteWrapped(pBar);
                bWrapped = TRUE;
                endRow(nPos + 1);
                continue;
            }
        } else {
            if (bWrapped) {
                bWrapped = FALSE;
                rect.OffsetRect(-(rect.left + sizeBorder2.cx), 0);
            } else if (!m_bFloating && relaid.count(pBar) == 0 &&
                       (rect.left >= sizeMax.cx - sizeBorder2.cx || rectBar.IsRectEmpty() || rectBar.right <= 0)) {
                relaid.insert(pBar);
                if (bFirstInRow) {
                    // a row of its own, shared anew with the row after it,
                    // which the next bar of the row heads; the place-holders
                    // between stay where their bars floated off
                    int nNext = nPos + 1;
                    while (nNext < m_arrBars.GetSize() && m_arrBars[nNext] != NULL &&
                           GetDockedControlBar(nNext) == NULL)
                        ++nNext;
                    if (nNext < m_arrBars.GetSize() && m_arrBars[nNext] != NULL) {
                        noteWrapped(GetDockedControlBar(nNext));
                        m_arrBars.InsertAt(nNext, (void*)NULL);
                        ShareRowLength(RowStart(nPos), sizeMax.cx);
                        ShareRowLength(nNext + 1, sizeMax.cx);
                    } else {
                        ShareRowLength(RowStart(nPos), sizeMax.cx);
                    }
                    sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
                    if (!bHorz)
                        sizeBar = Flip(sizeBar);
                    rect = CRect(CPoint(-sizeBorder2.cx, pt.y), sizeBar);
                } else {
                    // the splitter laid before it belongs to no row now
                    if (!splitters.empty() && splitters.back()->m_nBarIndex == nPos &&
                        splitters.back()->m_nType == nAcrossRow) {
                        delete splitters.back();
                        splitters.pop_back();
                        pt.x -= nSplitterWidth;
                    }
                    m_arrBars.InsertAt(nPos, (void*)NULL);
                    noteWrapped(pBar);
                    ShareRowLength(nPos + 1, sizeMax.cx);
                    bWrapped = TRUE;
                    endRow(nPos + 1);
                    continue;
                }
            }
        }

        if (rect != rectBar) {
            // Bars overlap for a moment while one docks among them (it is
            // placed before the others make room): copied bits would carry
            // the newcomer's pixels along with a bar moved out from under it
            // and leave them as that bar's own, so a moved bar paints anew.
            CRect rectNew = bHorz ? rect : Flip(rect);
            const UINT nFlags = SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOCOPYBITS;
            if (layout.hDWP != NULL)
                layout.hDWP = ::DeferWindowPos(layout.hDWP, pBar->m_hWnd, NULL, rectNew.left, rectNew.top,
                                               rectNew.Width(), rectNew.Height(), nFlags);
            else
                pBar->SetWindowPos(NULL, rectNew.left, rectNew.top, rectNew.Width(), rectNew.Height(), nFlags);
        }
        if (!m_bLayoutQuery && pBar->m_pDockContext != NULL) {
            CRect rectScreen = bHorz ? rect : Flip(rect);
            ClientToScreen(&rectScreen);
            pBar->m_pDockContext->m_rectMRUDockPos = rectScreen;
            pBar->m_pDockContext->m_uMRUDockID = GetDlgCtrlID();
        }
        pt.x = rect.left + sizeBar.cx - sizeBorder2.cx;
        nWidth = std::max<int>(nWidth, sizeBar.cy);
        bRowHasBars = TRUE;
        bFirstInRow = FALSE;
        bPrevPlainSizing = bPlainSizing;
        if (bSizing)
            bSizingInRow = TRUE;
        if (bPlainSizing)
            bSizingSinceRowSplitter = TRUE;
        pBar->RecalcDelayShow(&layout);
    }
    endRow((int)m_arrBars.GetSize());
    if (!bFarEdge && bSizingSinceRowSplitter) {
        rowSplitter((int)m_arrBars.GetSize());   // past the end: after the last row
        sizeFixed.cy += dwEdge == CBRS_ALIGN_TOP ? nSplitterWidth : nSplitterWidth - 1;
    } else if (bFarEdge) {
        sizeFixed.cy = std::max<int>(sizeFixed.cy, pt.y);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
    m_nLastRoom = sizeMax.cx;

    // row splitters run the whole length of the dock bar's client area
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    const int nFull = sizeMax.cx + (bHorz ? rectInside.Width() : rectInside.Height());
    for (COXSplitterRect* p : splitters) {
        if (p->m_nType == nAlongRow) {
            p->m_rect.left = 0;
            p->m_rect.right = nFull;
        }
        if (!bHorz) {
            CRect r = Flip(CRect(p->m_rect));
            p->m_rect = r;
        }
        m_arrSplitters.Add(p);
    }
    if (!bHorz)
        sizeFixed = Flip(sizeFixed);

    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    if ((!bStretch || !bHorz) && sizeFixed.cx != 0)
        sizeFixed.cx += -rect.right + rect.left;
    if ((!bStretch || bHorz) && sizeFixed.cy != 0)
        sizeFixed.cy += -rect.bottom + rect.top;
    if (HasTabs())
        sizeFixed.cy += nTabStripHeight;
    return sizeFixed;
}

void COXSizeDockBar::RejoinWrappedRows()
{
    if (m_arrWrappedBars.GetSize() == 0)
        return;
    BOOL bRejoined = FALSE;
    for (INT_PTR i = 0; i < m_arrWrappedBars.GetSize(); ++i) {
        const int nPos = FindBar((CControlBar*)m_arrWrappedBars[i]);
        // still heading a row that follows a row of bars: the break goes
        if (nPos > 2 && m_arrBars[nPos - 1] == NULL && m_arrBars[nPos - 2] != NULL) {
            m_arrBars.RemoveAt(nPos - 1);
            bRejoined = TRUE;
        }
    }
    m_arrWrappedBars.RemoveAll();
    if (!bRejoined)
        return;
    for (int nStart = 1; nStart < m_arrBars.GetSize(); nStart = RowEnd(nStart) + 1) {
        std::vector<OXROWBAR> rows;
        std::vector<CControlBar*> bars;
        CollectRow(nStart, rows, bars);
        BOOL bSqueezed = FALSE;
        for (const OXROWBAR& b : rows)
            bSqueezed |= b.bVisible && b.bSizing && b.nLength <= 0;
        if (bSqueezed)
            EqualizeRow(nStart);
    }
}

LRESULT COXSizeDockBar::OnSizeParentMsg(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    const BOOL bHorz = IsHorzDockBar();
    m_wndTabContainer.DropStrayTabs();
    const CRect rectLayout(lpLayout->rect);
    const int nLength = bHorz ? rectLayout.Width() : rectLayout.Height() - (HasTabs() ? nTabStripHeight : 0);
    const BOOL bChanged = bHorz ? nLength != m_cxLast : nLength != m_cyLast;
    m_cxLast = rectLayout.Width();
    m_cyLast = bHorz ? rectLayout.Height() : nLength;

    const BOOL bQuery = m_bLayoutQuery;
    m_bLayoutQuery = lpLayout->hDWP == NULL;

    // bars shown again keep their length; the others make room for them
    for (int nStart = 1; nStart < m_arrBars.GetSize(); nStart = RowEnd(nStart) + 1) {
        std::vector<OXROWBAR> rows, others;
        std::vector<CControlBar*> bars, otherBars;
        CollectRow(nStart, rows, bars);
        BOOL bAnyReshown = FALSE;
        for (size_t i = 0; i < bars.size(); ++i) {
            if (!rows[i].bVisible)
                continue;
            BOOL bWasHidden = FALSE;
            for (INT_PTR j = 0; j < m_arrHiddenBars.GetSize(); ++j)
                bWasHidden |= m_arrHiddenBars[j] == bars[i];
            if (bWasHidden) {
                bAnyReshown = TRUE;
            } else {
                others.push_back(rows[i]);
                otherBars.push_back(bars[i]);
            }
        }
        if (bAnyReshown && !others.empty()) {
            const OXROWMETRICS m = MeasureRow(others.data(), (int)others.size());
            const OXROWMETRICS mAll = MeasureRow(rows.data(), (int)rows.size());
            std::vector<int> lengths(others.size());
            for (size_t i = 0; i < others.size(); ++i)
                lengths[i] = others[i].nLength;
            const int nBorder2 = bHorz ? afxData.cxBorder2 : afxData.cyBorder2;
            // The others give up only what the re-shown bars need beyond the
            // room the row has free (a bar that left may have freed it), and
            // never more than they have: a negative length would turn the
            // next proportional share of the row upside down.
            const int nRowSizing = nLength + nBorder2 * mAll.nVisibleCount - mAll.nFixedLength;
            const int nReshownSizing = mAll.nSizingLength - m.nSizingLength;
            const int nOthersSizing = std::max(0, std::min(m.nSizingLength, nRowSizing - nReshownSizing));
            const int nTarget = nOthersSizing - nBorder2 * m.nVisibleCount + m.nFixedLength;
            if (ShareLengths(others.data(), (int)others.size(), nTarget, nBorder2, lengths.data()))
                ApplyLengths(otherBars, others, lengths, mAll.nThickness);
        }
    }
    if (bChanged)
        RejoinWrappedRows();
    m_arrHiddenBars.RemoveAll();
    const UINT nSignature = CollectSignature(&m_arrHiddenBars);
    if (bChanged || nSignature != m_nLastSignature) {
        ShareAllRows(nLength);
        m_nLastSignature = nSignature;
        for (INT_PTR i = 0; i < m_arrSplitters.GetSize(); ++i)
            InvalidateRect(&((COXSplitterRect*)m_arrSplitters[i])->m_rect);
    }
    m_bLayoutQuery = bQuery;
    return CDockBar::WindowProc(WM_SIZEPARENT, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Splitters under the mouse
// ---------------------------------------------------------------------------

COXSplitterRect* COXSizeDockBar::SplitterAt(CPoint pt)
{
    for (INT_PTR i = m_arrSplitters.GetSize() - 1; i >= 0; --i) {
        COXSplitterRect* p = (COXSplitterRect*)m_arrSplitters[i];
        if (CRect(p->m_rect).PtInRect(pt))
            return p;
    }
    return NULL;
}

void COXSizeDockBar::DragSplitter(COXSplitterRect* pSplitter, CPoint point)
{
    const BOOL bHorz = IsHorzDockBar();
    const DWORD dwEdge = m_dwStyle & CBRS_ALIGN_ANY;
    const BOOL bRowSplitter = bHorz ? pSplitter->m_nType == COXSplitterRect::horizontal
                                    : pSplitter->m_nType == COXSplitterRect::vertical;
    CRect rectTrack(pSplitter->m_rect);
    if (pSplitter->m_nType == COXSplitterRect::vertical)
        rectTrack.DeflateRect(2, 0);
    else
        rectTrack.DeflateRect(0, 2);
    rectTrack.IntersectRect(&rectTrack, CRect(0, 0, m_cxLast, m_cyLast));
    CFrameWnd* pFrame = GetParentFrame();
    CRect rectLimit;
    pFrame->GetClientRect(&rectLimit);
    pFrame->ClientToScreen(&rectLimit);
    ScreenToClient(&rectLimit);

    const int nIndex = std::min<int>(pSplitter->m_nBarIndex, (int)m_arrBars.GetSize() - 1);
    int nRowStart = RowStart(nIndex);
    if (bRowSplitter && !(dwEdge & (CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM))) {
        // On a near edge a row splitter sizes the row before it, the one the
        // user sees there: rows in between that hold only hidden bars or the
        // place-holders of floating ones are not laid out, and sizing one of
        // them would give an unseen bar the drag. The splitter holds the first
        // bar after it, or the end of the array for the last one.
        int nEnd = pSplitter->m_nBarIndex < m_arrBars.GetSize() ? RowStart(pSplitter->m_nBarIndex) - 1
                                                                : (int)m_arrBars.GetSize() - 1;
        nRowStart = 0;
        while (nEnd > 0) {
            const int nStart = RowStart(nEnd - 1);
            if (m_arrBars[nEnd - 1] != NULL && RowHasVisibleBar(nStart)) {
                nRowStart = nStart;
                break;
            }
            nEnd = m_arrBars[nEnd - 1] == NULL ? nEnd - 1 : nStart - 1;
        }
    }
    std::vector<OXROWBAR> rows;
    std::vector<CControlBar*> bars;
    CollectRow(nRowStart, rows, bars);
    const OXROWMETRICS m = MeasureRow(rows.data(), (int)rows.size());
    const int s = pSplitter->m_nType == COXSplitterRect::vertical ? pSplitter->m_rect.left : pSplitter->m_rect.top;
    int nSplit = 0;   // the first bar after the splitter, in the row's records
    // a row splitter moves from the thickness the row is laid out with
    OXROWMETRICS mLaidOut = m;
    mLaidOut.nThickness = std::min(m.nThickness, MaxRowThickness());
    if (bRowSplitter) {
        const int nLimit = RowSplitterLimit(dwEdge, s, mLaidOut);
        switch (dwEdge) {
        case CBRS_ALIGN_LEFT: rectLimit.left = std::max<int>(rectLimit.left, nLimit); break;
        case CBRS_ALIGN_TOP: rectLimit.top = std::max<int>(rectLimit.top, nLimit); break;
        case CBRS_ALIGN_RIGHT: rectLimit.right = std::min<int>(rectLimit.right, nLimit); break;
        default: rectLimit.bottom = std::min<int>(rectLimit.bottom, nLimit); break;
        }
    } else {
        CControlBar* pAfter = GetDockedControlBar(nIndex);
        while (nSplit < (int)bars.size() && bars[nSplit] != pAfter)
            ++nSplit;
        int nBefore = 0, nAfter = 0, nSizingBefore = 0, nSizingAfter = 0;
        for (int i = 0; i < (int)rows.size(); ++i) {
            if (!rows[i].bVisible || !rows[i].bSizing)
                continue;
            (i < nSplit ? nBefore : nAfter) += rows[i].nLength;
            (i < nSplit ? nSizingBefore : nSizingAfter)++;
        }
        if (nSizingBefore + nSizingAfter <= 1)
            return;
        if (bHorz) {
            rectLimit.left = std::max<int>(rectLimit.left, s - nBefore);
            rectLimit.right = std::min<int>(rectLimit.right, s + nSplitterWidth + nAfter);
        } else {
            rectLimit.top = std::max<int>(rectLimit.top, s - nBefore);
            rectLimit.bottom = std::min<int>(rectLimit.bottom, s + nSplitterWidth + nAfter);
        }
    }
    m_pDragSplitter = pSplitter;
    COXRectTracker tracker(rectTrack, CRectTracker::hatchInside);
    tracker.SetBoundRect(rectLimit);
    tracker.SetOriginalRect(rectTrack);
    const CRect rectBefore = rectTrack;
    const BOOL bTracked = tracker.TrackFromHandle(HTCAPTION, this, point, pFrame);
    m_pDragSplitter = NULL;
    if (!bTracked)
        return;
    CRect rectAfter(tracker.m_rect);
    const int d = pSplitter->m_nType == COXSplitterRect::vertical ? rectAfter.left - rectBefore.left
                                                                   : rectAfter.top - rectBefore.top;
    if (d == 0)
        return;
    if (bRowSplitter) {
        const int nThickness = RowThicknessAfter(dwEdge, mLaidOut, d);
        for (size_t i = 0; i < bars.size(); ++i) {
            if (!rows[i].bSizing)
                continue;
            COXSizeControlBar* p = (COXSizeControlBar*)bars[i];
            if (bHorz)
                p->m_HorzDockSize.cy = nThickness;
            else
                p->m_VertDockSize.cx = nThickness;
        }
    } else {
        std::vector<int> lengths(rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            lengths[i] = rows[i].nLength;
        MoveSplitterInRow(rows.data(), (int)rows.size(), nSplit, d, lengths.data());
        ApplyLengths(bars, rows, lengths, m.nThickness);
    }
    Invalidate();
    pFrame->RecalcLayout(TRUE);
}

LRESULT COXSizeDockBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    switch (nMsg) {
    case WM_SIZEPARENT:
        return OnSizeParentMsg(wParam, lParam);
    case WM_CREATE: {
        if (CDockBar::WindowProc(nMsg, wParam, lParam) == -1)
            return -1;
        if (!m_wndTabContainer.Create(WS_CHILD | WS_VISIBLE | TCS_FOCUSNEVER | TCS_BOTTOM, CRect(0, 0, 0, 0), this,
                                      nTabContainerID))
            return -1;
        return 0;
    }
    case WM_SIZE: {
        LRESULT lResult = CDockBar::WindowProc(nMsg, wParam, lParam);
        PlaceTabContainer();
        return lResult;
    }
    case WM_PAINT: {
        CPaintDC dc(this);
        COXDockbarSkin* pSkin = GetDockbarSkin();
        for (INT_PTR i = m_arrSplitters.GetSize() - 1; i >= 0; --i) {
            const COXSplitterRect* p = (COXSplitterRect*)m_arrSplitters[i];
            SPLITTERINFO info = {p->m_rect, (BYTE)p->m_nType};
            pSkin->DrawSplitter(&dc, info, this);
        }
        return 0;
    }
    case WM_ERASEBKGND:
        GetDockbarSkin()->DrawDockBarBackground(CDC::FromHandle((HDC)wParam), this);
        return 0;
    case WM_NCPAINT:
        CDockBar::WindowProc(nMsg, wParam, lParam);
        GetDockbarSkin()->DrawDockBarNonClient(this);
        return 0;
    case WM_MOUSEMOVE: {
        COXSplitterRect* p = SplitterAt(point);
        if (p != NULL) {
            if (m_hcurSizeNS == NULL) {
                m_hcurSizeNS = ::LoadCursor(NULL, IDC_SIZENS);
                m_hcurSizeWE = ::LoadCursor(NULL, IDC_SIZEWE);
            }
            ::SetCursor(p->m_nType == COXSplitterRect::horizontal ? m_hcurSizeNS : m_hcurSizeWE);
        } else {
            ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
        }
        break;
    }
    case WM_SETCURSOR:
        if ((HWND)wParam == m_hWnd && LOWORD(lParam) == HTCLIENT)
            return TRUE;
        break;
    case WM_LBUTTONDOWN:
        if (m_pDragSplitter == NULL) {
            COXSplitterRect* p = SplitterAt(point);
            if (p != NULL) {
                DragSplitter(p, point);
                return 0;
            }
        }
        break;
    default:
        break;
    }
    return CDockBar::WindowProc(nMsg, wParam, lParam);
}
