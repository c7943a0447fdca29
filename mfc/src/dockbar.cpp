// dockbar.cpp - CDockBar: the bars docked at one edge of a frame, or in one
// floating mini frame, kept in rows. m_arrBars holds a NULL entry first and
// after each row; an entry that is a control id (<= 0xFFFF) instead of a
// bar is a place-holder: where that bar was docked before it floated.
#include "docimpl.h"
#include <afxext.h>
#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

static inline BOOL IsPlaceHolder(void* p)
{
    return p != NULL && (UINT_PTR)p <= 0xFFFF;
}

static inline void* PlaceHolderOf(CControlBar* pBar)
{
    return (void*)(UINT_PTR)(UINT)::GetDlgCtrlID(pBar->m_hWnd);
}

// A dock bar has no margins of its own, is deleted with its window (the
// frame makes them with new) and starts with the row end entry.
CDockBar::CDockBar(BOOL bFloating)
    : m_bFloating(bFloating), m_bLayoutQuery(FALSE), m_rectLayout(0, 0, 0, 0)
{
    m_bDockBar = TRUE;
    m_bAutoDelete = TRUE;
    m_arrBars.Add(NULL);
    m_cxLeftBorder = m_cxRightBorder = m_cyBottomBorder = m_cyTopBorder = 0;
}

// Bars still docked here forget it.
CDockBar::~CDockBar()
{
    for (int i = 0; i < (int)m_arrBars.GetSize(); i++) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != NULL && pBar->m_pDockBar == this)
            pBar->m_pDockBar = NULL;
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    return CWnd::Create(lpszClass, NULL, dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (int i = 0; i < (int)m_arrBars.GetSize(); i++) {
        if (GetDockedControlBar(i) != NULL)
            nCount++;
    }
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (int i = 0; i < (int)m_arrBars.GetSize(); i++) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != NULL && pBar->IsVisible())
            nCount++;
    }
    return nCount;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude)
{
    for (int nPos = 0; nPos < (int)m_arrBars.GetSize(); nPos++) {
        if (nPos != nPosExclude && m_arrBars[nPos] == pBar)
            return nPos;
    }
    return -1;
}

// The row is the one ptMid's distance across the rows falls in (rows are as
// thick as their thickest visible bar, less the shared border); in it the
// bar goes after the last bar that starts before rect. Past the last row a
// new row is made.
int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid)
{
    int nPosInsAfter = 0;
    int nWidth = 0;
    int nTotalWidth = 0;
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    for (int nPos = 0; nPos < (int)m_arrBars.GetSize(); nPos++) {
        void* pVoid = m_arrBars[nPos];
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pVoid == NULL) {
            // the end of a row
            nTotalWidth += nWidth - afxData.cyBorder2;
            nWidth = 0;
            if ((bHorz ? ptMid.y : ptMid.x) < nTotalWidth) {
                if (nPos == 0)   // before the first row: a row of its own
                    m_arrBars.InsertAt(nPosInsAfter + 1, (void*)NULL);
                m_arrBars.InsertAt(nPosInsAfter + 1, pBarIns);
                return nPosInsAfter + 1;
            }
            nPosInsAfter = nPos;
        } else if (pBar != NULL && pBar->IsVisible()) {
            CRect rectBar;
            pBar->GetWindowRect(&rectBar);
            ScreenToClient(&rectBar);
            nWidth = std::max<int>(nWidth, bHorz ? rectBar.Size().cy : rectBar.Size().cx - 1);
            if (bHorz ? rect.left > rectBar.left : rect.top > rectBar.top)
                nPosInsAfter = nPos;
        }
    }
    // a new row at the end
    m_arrBars.InsertAt(nPosInsAfter + 1, (void*)NULL);
    m_arrBars.InsertAt(nPosInsAfter + 1, pBarIns);
    return nPosInsAfter + 1;
}

// The bar takes this dock bar's alignment, CBRS_FLOATING as it floats or
// not, and all four borders; a floating dock bar takes the bar's size style
// (and CBRS_FLOAT_MULTI when the bar allows it) and its title.
static void TakeBarStyle(CDockBar* pDockBar, CControlBar* pBar)
{
    if (pDockBar->m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        pDockBar->m_dwStyle |= CBRS_FLOAT_MULTI;
    pDockBar->m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    pDockBar->m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    if (!(pDockBar->m_dwStyle & CBRS_FLOAT_MULTI)) {
        CString strTitle;
        pBar->GetWindowText(strTitle);
        pDockBar->SetWindowText(strTitle);
    }
    DWORD dwStyle = pBar->GetBarStyle();
    dwStyle &= ~CBRS_ALIGN_ANY;
    dwStyle |= (pDockBar->m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (pDockBar->m_bFloating)
        dwStyle |= CBRS_FLOATING;
    else
        dwStyle &= ~CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    if (pBar->m_pDockBar == this && (lpRect == NULL || rectBar == *lpRect))
        return;   // already there

    TakeBarStyle(this, pBar);

    // hidden while it moves to another dock bar, against flashing
    BOOL bShow = FALSE;
    if (pBar->m_pDockBar != this && pBar->IsWindowVisible()) {
        pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        bShow = TRUE;
    }

    int nPos = -1;
    if (lpRect != NULL) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        CPoint ptMid(rect.left + rect.Width() / 2, rect.top + rect.Height() / 2);
        nPos = Insert(pBar, rect, ptMid);
        pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    } else {
        // at the end, in a row of its own
        m_arrBars.Add(pBar);
        m_arrBars.Add(NULL);
        pBar->SetWindowPos(NULL, -afxData.cxBorder2, -afxData.cyBorder2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }

    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar->RemoveControlBar(pBar, nPos);
    else if (pBar->m_pDockBar != NULL)
        // floating from a frame edge leaves a place-holder there
        pBar->m_pDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pBar->m_pDockBar->m_bFloating);
    pBar->m_pDockBar = this;

    if (bShow)
        pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);

    // its remembered place here is taken now, and any elsewhere forgotten
    RemovePlaceHolder(pBar);
    RemovePlaceHoldersElsewhere(pBar);

    CFrameWnd* pFrameWnd = GetDockingFrame();
    if (pFrameWnd != NULL)
        pFrameWnd->DelayRecalcLayout();
}

// As DockControlBar, but into the bar's place-holder when there is one.
void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    if (pBar->m_pDockBar == this && (lpRect == NULL || rectBar == *lpRect))
        return;

    TakeBarStyle(this, pBar);

    int nPos = FindBar((CControlBar*)PlaceHolderOf(pBar));
    if (nPos > 0)
        m_arrBars[nPos] = pBar;

    if (lpRect != NULL) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        if (nPos < 1) {
            CPoint ptMid(rect.left + rect.Width() / 2, rect.top + rect.Height() / 2);
            nPos = Insert(pBar, rect, ptMid);
        }
        pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    } else {
        if (nPos < 1) {
            m_arrBars.Add(pBar);
            m_arrBars.Add(NULL);
        }
        pBar->SetWindowPos(NULL, -afxData.cxBorder2, -afxData.cyBorder2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }

    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pBar->m_pDockBar != NULL && pBar->m_pDockBar != this)
        pBar->m_pDockBar->RemoveControlBar(pBar);
    pBar->m_pDockBar = this;
    RemovePlaceHoldersElsewhere(pBar);

    CFrameWnd* pFrameWnd = GetDockingFrame();
    if (pFrameWnd != NULL)
        pFrameWnd->DelayRecalcLayout();
}

// Drops the entry at nPos and, when that leaves two row ends together, one
// of them.
static void RemoveEntry(CPtrArray& arrBars, int nPos)
{
    arrBars.RemoveAt(nPos);
    if (nPos > 0 && nPos < (int)arrBars.GetSize() && arrBars[nPos - 1] == NULL && arrBars[nPos] == NULL)
        arrBars.RemoveAt(nPos);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    if (nAddPlaceHolder == 1) {
        m_arrBars[nPos] = PlaceHolderOf(pBar);
        // one place-holder is enough
        if (FindBar((CControlBar*)m_arrBars[nPos], nPos) > 0)
            RemoveEntry(m_arrBars, nPos);
    } else {
        RemoveEntry(m_arrBars, nPos);
        if (nAddPlaceHolder != -1)
            RemovePlaceHolder(pBar);
    }

    // nothing more while the bar is going away
    if (pBar->m_pDockContext == NULL)
        return FALSE;

    CFrameWnd* pFrameWnd = GetDockingFrame();
    if (m_bFloating && GetDockedVisibleCount() == 0) {
        if (GetDockedCount() == 0) {
            // an emptied floating frame goes
            if (pFrameWnd != NULL)
                pFrameWnd->DestroyWindow();
            return TRUE;
        }
        if (pFrameWnd != NULL)
            pFrameWnd->ShowWindow(SW_HIDE);
    } else if (pFrameWnd != NULL) {
        pFrameWnd->DelayRecalcLayout();
    }
    return FALSE;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    if (!IsPlaceHolder(pBar) && pBar != NULL)
        pBar = (CControlBar*)PlaceHolderOf(pBar);
    int nOldPos = FindBar(pBar);
    if (nOldPos > 0)
        RemoveEntry(m_arrBars, nOldPos);
}

void CDockBar::RemovePlaceHoldersElsewhere(CControlBar* pBar)
{
    CFrameWnd* pFrameWnd = m_bFloating ? NULL : GetDockingFrame();
    if (pFrameWnd == NULL || pBar == NULL)
        return;
    POSITION pos = pFrameWnd->m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pOther = (CControlBar*)pFrameWnd->m_listControlBars.GetNext(pos);
        if (pOther != this && pOther->IsDockBar() && !((CDockBar*)pOther)->m_bFloating)
            ((CDockBar*)pOther)->RemovePlaceHolder(pBar);
    }
}

void CDockBar::ShowAll(BOOL bShow)
{
    for (int nPos = 0; nPos < (int)m_arrBars.GetSize(); nPos++) {
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pBar != NULL) {
            CFrameWnd* pFrameWnd = pBar->GetDockingFrame();
            pFrameWnd->ShowControlBar(pBar, bShow, FALSE);
        }
    }
}

// A vertical dock bar lays out as a horizontal one with x and y swapped.
static CRect Flip(const CRect& rect)
{
    return CRect(rect.top, rect.left, rect.bottom, rect.right);
}

static CSize Flip(CSize size)
{
    return CSize(size.cy, size.cx);
}

// The rows are laid out from the top left, each bar at its size for the
// dock bar's orientation (a floating dynamic bar at its MRU width), the
// bars overlapping by their border lines. A docked bar keeps a position
// further along its row than the packed one; one running past the far end
// is pushed back; one starting past it wraps into a row of its own. Laying
// out for real remembers each docked bar's rectangle as its MRU dock place.
CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // below, x runs along the rows and y across them
    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (!bHorz)
        sizeFixed = Flip(sizeFixed);

    CSize sizeMax;
    if (!m_rectLayout.IsRectEmpty()) {
        sizeMax = m_rectLayout.Size();
    } else {
        CRect rectFrame;
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL)
            pFrame->GetClientRect(&rectFrame);
        else
            rectFrame.SetRect(0, 0, 32767, 32767);
        sizeMax = rectFrame.Size();
    }
    if (!bHorz)
        sizeMax = Flip(sizeMax);

    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize());
    // bars overlap the dock bar's edges and each other by their border lines
    CSize sizeBorder2(afxData.cxBorder2, afxData.cyBorder2);
    if (!bHorz)
        sizeBorder2 = Flip(sizeBorder2);
    CPoint pt(-sizeBorder2.cx, -sizeBorder2.cy);
    int nWidth = 0;
    BOOL bWrapped = FALSE;

    for (int nPos = 0; nPos < (int)m_arrBars.GetSize(); nPos++) {
        CControlBar* pBar = GetDockedControlBar(nPos);
        void* pVoid = m_arrBars[nPos];
        if (pBar != NULL) {
            if (pBar->IsVisible()) {
                DWORD dwMode = 0;
                if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
                    dwMode |= LM_HORZ | LM_MRUWIDTH;
                else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
                    dwMode |= LM_HORZ | LM_HORZDOCK;
                else
                    dwMode |= LM_VERTDOCK;
                CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
                if (!bHorz)
                    sizeBar = Flip(sizeBar);
                CRect rect(pt, sizeBar);

                CRect rectBar;
                pBar->GetWindowRect(&rectBar);
                ScreenToClient(&rectBar);
                if (!bHorz)
                    rectBar = Flip(rectBar);

                if (rectBar.left > rect.left && !m_bFloating)
                    rect.OffsetRect(rectBar.left - rect.left, 0);
                if (rect.right > sizeMax.cx && !m_bFloating) {
                    int x = rect.Width() - sizeBorder2.cx;
                    x = std::max<int>(sizeMax.cx - x, pt.x);
                    rect.OffsetRect(x - rect.left, 0);
                }
                if (bWrapped) {
                    bWrapped = FALSE;
                    rect.OffsetRect(-(rect.left + sizeBorder2.cx), 0);
                } else if (rect.left >= sizeMax.cx - sizeBorder2.cx && nPos > 0 && m_arrBars[nPos - 1] != NULL) {
                    m_arrBars.InsertAt(nPos, (void*)NULL);
                    pBar = NULL;
                    pVoid = NULL;
                    bWrapped = TRUE;
                }
                if (!bWrapped) {
                    if (rect != rectBar) {
                        CRect rectNew = bHorz ? rect : Flip(rect);
                        if (!m_bLayoutQuery && !(pBar->m_dwStyle & CBRS_FLOATING) && pBar->m_pDockContext != NULL)
                            pBar->m_pDockContext->m_rectMRUDockPos = rectNew;
                        AfxRepositionWindow(&layout, pBar->m_hWnd, &rectNew);
                    }
                    pt.x = rect.left + sizeBar.cx - sizeBorder2.cx;
                    nWidth = std::max<int>(nWidth, sizeBar.cy);
                }
            }
            if (!bWrapped && pBar != NULL)
                pBar->RecalcDelayShow(&layout);   // a pending show or hide
        }
        if (pBar == NULL && pVoid == NULL && nWidth != 0) {
            // the end of a row
            pt.y += nWidth - sizeBorder2.cy;
            sizeFixed.cx = std::max<int>(sizeFixed.cx, pt.x);
            sizeFixed.cy = std::max<int>(sizeFixed.cy, pt.y);
            pt.x = -sizeBorder2.cx;
            nWidth = 0;
        }
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
    if (!bHorz)
        sizeFixed = Flip(sizeFixed);

    // the dock bar's own borders
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    if ((!bStretch || !bHorz) && sizeFixed.cx != 0)
        sizeFixed.cx += -rect.right + rect.left;
    if ((!bStretch || bHorz) && sizeFixed.cy != 0)
        sizeFixed.cy += -rect.bottom + rect.top;
    return sizeFixed;
}

// While the frame lays out, the dock bar knows whether it only measures
// and the space it is offered.
LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    BOOL bLayoutQuery = m_bLayoutQuery;
    CRect rectLayout = m_rectLayout;
    m_bLayoutQuery = lpLayout->hDWP == NULL;
    m_rectLayout = lpLayout->rect;
    LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = bLayoutQuery;
    m_rectLayout = rectLayout;
    return lResult;
}

void CDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    ShrinkClientRect(lpncsp, rect);
}

void CDockBar::OnNcPaint()
{
    EraseNonClient();
}

void CDockBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CDockBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    ::DefWindowProc(m_hWnd, WM_WINDOWPOSCHANGING, 0, (LPARAM)lpWndPos);
}
