#include "OXLayoutManager.h"

#include <map>

#include "OXSubclass.h"

IMPLEMENT_DYNCREATE(COXLayoutManager, CObject)

namespace
{
const int kTop = 0, kBottom = 1, kLeft = 2, kRight = 3;
const int kSideFlags[4] = {OX_LMS_TOP, OX_LMS_BOTTOM, OX_LMS_LEFT, OX_LMS_RIGHT};

// Requests of one layout pass.
const int kGrowWidth = 2, kGrowHeight = 4, kShrinkWidth = 8, kShrinkHeight = 0x10;

// Every container the layout procedure serves, and its manager.
std::map<HWND, COXLayoutManager*>& ManagerMap()
{
    static std::map<HWND, COXLayoutManager*> map;
    return map;
}

inline bool IsVertical(int nSide) { return nSide == kTop || nSide == kBottom; }
} // namespace

// ---------------------------------------------------------------------------
// COXWndConstraint
// ---------------------------------------------------------------------------
COXWndConstraint::COXWndConstraint(int nID)
    : m_nID(nID), m_bMinMax(FALSE), m_nMinWidth(0), m_nMinHeight(0), m_nMaxWidth(0), m_nMaxHeight(0)
{
    for (OXSideConstraint& s : m_sides)
        s = {0, OX_LM_NONE, OX_LM_NONE, OX_LM_NONE, -1};
}

int COXWndConstraint::SideIndex(int nSide)
{
    switch (nSide) {
    case OX_LMS_TOP: return kTop;
    case OX_LMS_BOTTOM: return kBottom;
    case OX_LMS_LEFT: return kLeft;
    case OX_LMS_RIGHT: return kRight;
    default: return -1;
    }
}

// ---------------------------------------------------------------------------
// Construction, attaching and subclassing
// ---------------------------------------------------------------------------
COXLayoutManager::COXLayoutManager(CWnd* pContainer)
    : m_pContainerWnd(NULL), m_nBase(100), m_nMinMaxCount(0), m_cx(0), m_cy(0),
      m_hWndSubclassed(NULL), m_pfnOldWndProc(NULL)
{
    ResetBounds();
    if (pContainer != NULL)
        Attach(pContainer);
}

COXLayoutManager::~COXLayoutManager()
{
    Detach();
}

void COXLayoutManager::ResetBounds()
{
    m_nMinWidth = -1;
    m_nMaxWidth = 0x7FFF;
    m_nMinHeight = -1;
    m_nMaxHeight = 0x7FFF;
}

void COXLayoutManager::Attach(CWnd* pContainer)
{
    RemoveAllChildren();
    if (m_pContainerWnd != NULL && m_pContainerWnd != pContainer)
        Unsubclass();
    m_pContainerWnd = pContainer;
    if (pContainer != NULL && pContainer->GetSafeHwnd() != NULL)
        Subclass(pContainer->GetSafeHwnd());
}

void COXLayoutManager::Detach()
{
    RemoveAllChildren();
    Unsubclass();
    m_pContainerWnd = NULL;
}

BOOL COXLayoutManager::Subclass(HWND hWnd)
{
    auto it = ManagerMap().find(hWnd);
    if (it != ManagerMap().end())
        return it->second == this && m_hWndSubclassed == hWnd;
    if (m_hWndSubclassed != NULL)
        return FALSE;
    WNDPROC pfnOld = OXSubclass::Install(hWnd, &LayoutWndProc);
    if (pfnOld == NULL)
        return FALSE;
    ManagerMap()[hWnd] = this;
    m_hWndSubclassed = hWnd;
    m_pfnOldWndProc = pfnOld;
    return TRUE;
}

void COXLayoutManager::Unsubclass()
{
    if (m_hWndSubclassed == NULL)
        return;
    ManagerMap().erase(m_hWndSubclassed);
    OXSubclass::Remove(m_hWndSubclassed, &LayoutWndProc, m_pfnOldWndProc);
    m_hWndSubclassed = NULL;
    m_pfnOldWndProc = NULL;
}

LRESULT CALLBACK COXLayoutManager::LayoutWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = ManagerMap().find(hWnd);
    if (it == ManagerMap().end())
        return OXSubclass::PassThrough(&LayoutWndProc, NULL, hWnd, message, wParam, lParam);
    COXLayoutManager* pManager = it->second;
    WNDPROC pfnOld = pManager->m_pfnOldWndProc;
    if (message == WM_NCDESTROY) {
        pManager->Unsubclass();
        return OXSubclass::PassThrough(&LayoutWndProc, pfnOld, hWnd, message, wParam, lParam);
    }
    if (message == WM_SIZE) {
        // A failed layout must not take the window's own handling with it.
        try {
            pManager->OnSize(LOWORD(lParam), HIWORD(lParam));
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }
    return ::CallWindowProcA(pfnOld, hWnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Children
// ---------------------------------------------------------------------------
int COXLayoutManager::FindRecord(int nID) const
{
    for (INT_PTR i = 0; i < m_arrConstraints.GetSize(); i++)
        if (m_arrConstraints[i]->m_nID == nID)
            return (int)i;
    return -1;
}

COXWndConstraint* COXLayoutManager::GetRecord(int nID) const
{
    int i = FindRecord(nID);
    return i < 0 ? NULL : m_arrConstraints[i];
}

int COXLayoutManager::AddChild(int nID, BOOL bSetDefault)
{
    if (nID == 0)
        return -1;
    int nIndex = FindRecord(nID);
    if (nIndex < 0) {
        nIndex = (int)m_arrConstraints.Add(new COXWndConstraint(nID));
        ResetBounds();
    }
    if (bSetDefault)
        SetDefaultConstraint(nID);
    return nIndex;
}

int COXLayoutManager::AddChild(CWnd* pChild, BOOL bSetDefault)
{
    if (pChild == NULL || pChild->GetSafeHwnd() == NULL)
        return -1;
    return AddChild(pChild->GetDlgCtrlID(), bSetDefault);
}

void COXLayoutManager::AddAllChildren(BOOL bSetDefault)
{
    if (m_pContainerWnd == NULL || m_pContainerWnd->GetSafeHwnd() == NULL)
        return;
    for (HWND h = ::GetWindow(m_pContainerWnd->GetSafeHwnd(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        AddChild(::GetDlgCtrlID(h), bSetDefault);
}

BOOL COXLayoutManager::RemoveChild(int nID)
{
    int nIndex = FindRecord(nID);
    if (nIndex < 0)
        return FALSE;
    for (INT_PTR i = 0; i < m_arrConstraints.GetSize(); i++)
        for (const OXSideConstraint& s : m_arrConstraints[i]->m_sides)
            if (s.nBaseID == nID && (s.nOffset != OX_LM_NONE || s.nFarOffset != OX_LM_NONE))
                return FALSE;
    COXWndConstraint* pRecord = m_arrConstraints[nIndex];
    m_nMinMaxCount -= pRecord->m_bMinMax ? 1 : 0;
    delete pRecord;
    m_arrConstraints.RemoveAt(nIndex);
    // Cached base indexes behind the removed record are stale now; they are
    // verified before use, but start over cleanly.
    for (INT_PTR i = 0; i < m_arrConstraints.GetSize(); i++)
        for (OXSideConstraint& s : m_arrConstraints[i]->m_sides)
            s.nBaseIndex = -1;
    ResetBounds();
    return TRUE;
}

void COXLayoutManager::RemoveAllChildren()
{
    for (INT_PTR i = 0; i < m_arrConstraints.GetSize(); i++)
        delete m_arrConstraints[i];
    m_arrConstraints.RemoveAll();
    m_nMinMaxCount = 0;
    ResetBounds();
}

// ---------------------------------------------------------------------------
// Constraints
// ---------------------------------------------------------------------------
BOOL COXLayoutManager::SetConstraint(int nID, int nSides, int nKind, int nValue, int nBaseID)
{
    if (AddChild(nID, FALSE) < 0)
        return FALSE;
    if (nBaseID != 0 && AddChild(nBaseID, FALSE) < 0)
        return FALSE;
    COXWndConstraint* pRecord = GetRecord(nID);
    for (int i = 0; i < 4; i++) {
        if (!(nSides & kSideFlags[i]))
            continue;
        OXSideConstraint& s = pRecord->m_sides[i];
        // Both fields go first: a side changing kind keeps nothing of the
        // old one (a stale share would divide by what is left).
        s.nOffset = s.nFarOffset = OX_LM_NONE;
        s.nPos = OX_LM_NONE;
        s.nBaseIndex = -1;
        s.nBaseID = nKind == OX_LMT_NONE ? 0 : nBaseID;
        const bool bNear = i == kTop || i == kLeft;
        switch (nKind) {
        case OX_LMT_SAME: (bNear ? s.nOffset : s.nFarOffset) = nValue; break;
        case OX_LMT_OPPOSITE: (bNear ? s.nFarOffset : s.nOffset) = nValue; break;
        case OX_LMT_POSITION: s.nOffset = nValue; s.nFarOffset = m_nBase; break;
        default: break;
        }
    }
    ResetBounds();
    return TRUE;
}

BOOL COXLayoutManager::CurrentEdges(int nID, CRect& rect) const
{
    if (m_pContainerWnd == NULL || m_pContainerWnd->GetSafeHwnd() == NULL)
        return FALSE;
    HWND hChild = ::GetDlgItem(m_pContainerWnd->GetSafeHwnd(), nID);
    if (hChild == NULL)
        return FALSE;
    ::GetWindowRect(hChild, &rect);
    ::MapWindowPoints(NULL, m_pContainerWnd->GetSafeHwnd(), (LPPOINT)&rect, 2);
    return TRUE;
}

BOOL COXLayoutManager::TieChild(int nID, int nSides, int nKind, int nBaseID)
{
    if (nKind != OX_LMT_SAME && nKind != OX_LMT_OPPOSITE)
        return FALSE;
    CRect rectChild, rectBase;
    if (!CurrentEdges(nID, rectChild))
        return FALSE;
    HWND hContainer = m_pContainerWnd->GetSafeHwnd();
    if (nBaseID == 0 || nBaseID == ::GetDlgCtrlID(hContainer)) {
        nBaseID = 0;
        ::GetClientRect(hContainer, &rectBase);
    } else if (!CurrentEdges(nBaseID, rectBase)) {
        return FALSE;
    }
    const int order[4] = {OX_LMS_TOP, OX_LMS_LEFT, OX_LMS_BOTTOM, OX_LMS_RIGHT};
    for (int nSide : order) {
        if (!(nSides & nSide))
            continue;
        int nChildEdge = 0, nSame = 0, nOpposite = 0;
        switch (nSide) {
        case OX_LMS_TOP: nChildEdge = rectChild.top; nSame = rectBase.top; nOpposite = rectBase.bottom; break;
        case OX_LMS_BOTTOM: nChildEdge = rectChild.bottom; nSame = rectBase.bottom; nOpposite = rectBase.top; break;
        case OX_LMS_LEFT: nChildEdge = rectChild.left; nSame = rectBase.left; nOpposite = rectBase.right; break;
        case OX_LMS_RIGHT: nChildEdge = rectChild.right; nSame = rectBase.right; nOpposite = rectBase.left; break;
        }
        int nValue = nChildEdge - (nKind == OX_LMT_SAME ? nSame : nOpposite);
        if (!SetConstraint(nID, nSide, nKind, nValue, nBaseID))
            return FALSE;
    }
    return TRUE;
}

BOOL COXLayoutManager::RemoveConstraint(int nID, int nSides)
{
    if (FindRecord(nID) < 0)
        return FALSE;
    return SetConstraint(nID, nSides, OX_LMT_NONE, 0, 0);
}

BOOL COXLayoutManager::GetConstraint(int nID, int nSide, int& nKind, int& nValue, int& nBaseID) const
{
    const COXWndConstraint* pRecord = GetRecord(nID);
    int i = COXWndConstraint::SideIndex(nSide);
    if (pRecord == NULL || i < 0)
        return FALSE;
    const OXSideConstraint& s = pRecord->m_sides[i];
    const bool bNear = i == kTop || i == kLeft;
    nBaseID = s.nBaseID;
    if (s.nOffset == OX_LM_NONE && s.nFarOffset == OX_LM_NONE) {
        nKind = OX_LMT_NONE;
        nValue = 0;
    } else if (s.nOffset != OX_LM_NONE && s.nFarOffset != OX_LM_NONE) {
        nKind = OX_LMT_POSITION;
        nValue = s.nFarOffset != 0 ? (int)((long long)m_nBase * s.nOffset / s.nFarOffset) : 0;
    } else if ((s.nOffset != OX_LM_NONE) == bNear) {
        nKind = OX_LMT_SAME;
        nValue = bNear ? s.nOffset : s.nFarOffset;
    } else {
        nKind = OX_LMT_OPPOSITE;
        nValue = bNear ? s.nFarOffset : s.nOffset;
    }
    return TRUE;
}

BOOL COXLayoutManager::SetMinMax(int nID, int nMinWidth, int nMinHeight, int nMaxWidth, int nMaxHeight)
{
    if (AddChild(nID, FALSE) < 0)
        return FALSE;
    COXWndConstraint* pRecord = GetRecord(nID);
    BOOL bWas = pRecord->m_bMinMax;
    pRecord->m_nMinWidth = nMinWidth;
    pRecord->m_nMinHeight = nMinHeight;
    pRecord->m_nMaxWidth = nMaxWidth;
    pRecord->m_nMaxHeight = nMaxHeight;
    pRecord->m_bMinMax = nMinWidth > 0 || nMinHeight > 0 || nMaxWidth > 0 || nMaxHeight > 0;
    m_nMinMaxCount += (pRecord->m_bMinMax ? 1 : 0) - (bWas ? 1 : 0);
    ResetBounds();
    return TRUE;
}

BOOL COXLayoutManager::GetMinMax(int nID, SIZE& sizeMin, SIZE& sizeMax) const
{
    const COXWndConstraint* pRecord = GetRecord(nID);
    if (pRecord == NULL)
        return FALSE;
    sizeMin.cx = pRecord->m_nMinWidth;
    sizeMin.cy = pRecord->m_nMinHeight;
    sizeMax.cx = pRecord->m_nMaxWidth;
    sizeMax.cy = pRecord->m_nMaxHeight;
    return TRUE;
}

void COXLayoutManager::SetDefaultConstraint(int nID)
{
    CRect rect;
    if (!CurrentEdges(nID, rect))
        return;
    SetConstraint(nID, OX_LMS_TOP, OX_LMT_SAME, rect.top, 0);
    SetConstraint(nID, OX_LMS_LEFT, OX_LMT_SAME, rect.left, 0);
    SetConstraint(nID, OX_LMS_BOTTOM | OX_LMS_RIGHT, OX_LMT_NONE, 0, 0);
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------
BOOL COXLayoutManager::ComputeSide(int nIndex, int nSide, int& nResult)
{
    COXWndConstraint* pRecord = m_arrConstraints[nIndex];
    OXSideConstraint& s = pRecord->m_sides[nSide];
    if (s.nPos == OX_LM_BUSY)
        return FALSE;
    if (s.nPos != OX_LM_NONE) {
        nResult = s.nPos;
        return TRUE;
    }
    const bool bVertical = IsVertical(nSide);
    long long nValue;
    if (pRecord->IsConstrained(nSide)) {
        int nNear = 0, nFar = bVertical ? m_cy : m_cx;
        if (s.nBaseID != 0) {
            s.nPos = OX_LM_BUSY;
            int iBase = s.nBaseIndex;
            if (iBase < 0 || iBase >= m_arrConstraints.GetSize() || m_arrConstraints[iBase]->m_nID != s.nBaseID)
                iBase = s.nBaseIndex = FindRecord(s.nBaseID);
            BOOL bOk = iBase >= 0;
            if (bOk && s.nOffset != OX_LM_NONE)
                bOk = ComputeSide(iBase, bVertical ? kTop : kLeft, nNear);
            if (bOk && s.nFarOffset != OX_LM_NONE)
                bOk = ComputeSide(iBase, bVertical ? kBottom : kRight, nFar);
            s.nPos = OX_LM_NONE;
            if (!bOk)
                return FALSE;
        }
        if (s.nFarOffset == OX_LM_NONE)
            nValue = (long long)nNear + s.nOffset;
        else if (s.nOffset == OX_LM_NONE)
            nValue = (long long)nFar + s.nFarOffset;
        else if (s.nFarOffset == 0)
            return FALSE;   // a share of nothing
        else
            nValue = nNear + (long long)s.nOffset * (nFar - nNear) / s.nFarOffset;
    } else {
        const int nOpposite = nSide ^ 1;
        CRect rect;
        if (!pRecord->IsConstrained(nOpposite)) {
            if (!CurrentEdges(pRecord->m_nID, rect))
                return FALSE;
            const int edges[4] = {rect.top, rect.bottom, rect.left, rect.right};
            nValue = edges[nSide];
        } else {
            int nOther;
            if (!CurrentEdges(pRecord->m_nID, rect) || !ComputeSide(nIndex, nOpposite, nOther))
                return FALSE;
            const int nExtent = bVertical ? rect.Height() : rect.Width();
            nValue = (nSide == kBottom || nSide == kRight) ? (long long)nOther + nExtent : (long long)nOther - nExtent;
        }
    }
    // Coordinates stay clear of the two marker values.
    if (nValue >= OX_LM_BUSY || nValue <= -OX_LM_BUSY)
        return FALSE;
    s.nPos = (int)nValue;
    nResult = s.nPos;
    return TRUE;
}

BOOL COXLayoutManager::RedrawLayout()
{
    if (m_pContainerWnd == NULL || m_pContainerWnd->GetSafeHwnd() == NULL)
        return FALSE;
    CRect rect;
    m_pContainerWnd->GetClientRect(&rect);
    return OnSize(rect.Width(), rect.Height());
}

BOOL COXLayoutManager::OnSize(int cx, int cy)
{
    if (m_pContainerWnd == NULL || !::IsWindow(m_pContainerWnd->GetSafeHwnd()) || cx == 0 || cy == 0
        || m_arrConstraints.GetSize() == 0)
        return TRUE;
    return LayOut(cx, cy);
}

BOOL COXLayoutManager::LayOut(int cx, int cy)
{
    m_cx = cx < m_nMinWidth ? m_nMinWidth : cx > m_nMaxWidth ? m_nMaxWidth : cx;
    m_cy = cy < m_nMinHeight ? m_nMinHeight : cy > m_nMaxHeight ? m_nMaxHeight : cy;
    if (m_cx <= 0)
        return FALSE;
    // Directions the search has moved each axis in: a search that turns
    // back on an axis would swing between two sizes for ever.
    int nWidthMoves = 0, nHeightMoves = 0;
    while (m_cx <= 0x7FFF && m_cy >= 1 && m_cy <= 0x7FFF) {
        const INT_PTR nCount = m_arrConstraints.GetSize();
        for (INT_PTR i = 0; i < nCount; i++) {
            COXWndConstraint* p = m_arrConstraints[i];
            if (p->IsConstrained(kTop) || p->IsConstrained(kBottom))
                p->m_sides[kTop].nPos = p->m_sides[kBottom].nPos = OX_LM_NONE;
            if (p->IsConstrained(kLeft) || p->IsConstrained(kRight))
                p->m_sides[kLeft].nPos = p->m_sides[kRight].nPos = OX_LM_NONE;
        }
        for (INT_PTR i = 0; i < nCount; i++)
            for (int nSide = 0; nSide < 4; nSide++) {
                int nIgnored;
                if (!ComputeSide((int)i, nSide, nIgnored))
                    return FALSE;
            }
        int nRequest = 0;
        if (m_nMinMaxCount > 0) {
            for (INT_PTR i = 0; i < nCount; i++) {
                const COXWndConstraint* p = m_arrConstraints[i];
                if (!p->m_bMinMax)
                    continue;
                const int w = p->m_sides[kRight].nPos - p->m_sides[kLeft].nPos;
                const int h = p->m_sides[kBottom].nPos - p->m_sides[kTop].nPos;
                if (p->m_nMinWidth > 0 && w < p->m_nMinWidth)
                    nRequest |= kGrowWidth;
                if (p->m_nMaxWidth > 0 && w > p->m_nMaxWidth)
                    nRequest |= kShrinkWidth;
                if (p->m_nMinHeight > 0 && h < p->m_nMinHeight)
                    nRequest |= kGrowHeight;
                if (p->m_nMaxHeight > 0 && h > p->m_nMaxHeight)
                    nRequest |= kShrinkHeight;
                if ((nRequest & (kGrowWidth | kShrinkWidth)) == (kGrowWidth | kShrinkWidth)
                    || (nRequest & (kGrowHeight | kShrinkHeight)) == (kGrowHeight | kShrinkHeight))
                    return FALSE;
            }
        }
        if (nRequest == 0) {
            if (nWidthMoves > 0) m_nMinWidth = m_cx;
            if (nWidthMoves < 0) m_nMaxWidth = m_cx;
            if (nHeightMoves > 0) m_nMinHeight = m_cy;
            if (nHeightMoves < 0) m_nMaxHeight = m_cy;
            return MoveChildren();
        }
        if (nRequest & (kGrowWidth | kShrinkWidth)) {
            const int nStep = (nRequest & kGrowWidth) ? 1 : -1;
            if (nWidthMoves * nStep < 0)
                return FALSE;
            nWidthMoves += nStep;
            m_cx += nStep;
        }
        if (nRequest & (kGrowHeight | kShrinkHeight)) {
            const int nStep = (nRequest & kGrowHeight) ? 1 : -1;
            if (nHeightMoves * nStep < 0)
                return FALSE;
            nHeightMoves += nStep;
            m_cy += nStep;
        }
        if (m_cx <= 0)
            return FALSE;
    }
    return FALSE;
}

BOOL COXLayoutManager::MoveChildren()
{
    HWND hContainer = m_pContainerWnd->GetSafeHwnd();
    const INT_PTR nCount = m_arrConstraints.GetSize();
    HDWP hdwp = ::BeginDeferWindowPos((int)nCount);
    if (hdwp == NULL)
        return FALSE;
    CArray<HWND, HWND> moved;
    for (INT_PTR i = 0; i < nCount && hdwp != NULL; i++) {
        const COXWndConstraint* p = m_arrConstraints[i];
        HWND hChild = ::GetDlgItem(hContainer, p->m_nID);
        if (hChild == NULL)
            continue;
        const int l = p->m_sides[kLeft].nPos, t = p->m_sides[kTop].nPos;
        hdwp = ::DeferWindowPos(hdwp, hChild, NULL, l, t, p->m_sides[kRight].nPos - l,
                                p->m_sides[kBottom].nPos - t, SWP_NOZORDER);
        moved.Add(hChild);
    }
    if (hdwp == NULL)
        return FALSE;
    BOOL bResult = ::EndDeferWindowPos(hdwp);
    for (INT_PTR i = 0; i < moved.GetSize(); i++)
        ::RedrawWindow(moved[i], NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return bResult;
}
