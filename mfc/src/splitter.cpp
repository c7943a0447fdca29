// CSplitterWnd: panes in rows and columns, laid out from their ideal and
// minimum sizes, with bars between them that the user drags to new sizes.
#include "docimpl.h"
#include <afxext.h>
#include <algorithm>
#include <climits>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_KEYDOWN()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

// A bar is drawn 3 pixels wide between the 2-pixel borders of the panes on
// either side; the splitter's edge is a border as well.
CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(3 + 2 + 2), m_cySplitter(3 + 2 + 2), m_cxBorderShare(0), m_cyBorderShare(0),
      m_cxSplitterGap(3 + 2 + 2), m_cySplitterGap(3 + 2 + 2), m_cxBorder(2), m_cyBorder(2), m_nMaxRows(0),
      m_nMaxCols(0), m_nRows(0), m_nCols(0), m_pColInfo(NULL), m_pRowInfo(NULL), m_bTracking(FALSE),
      m_htTrack(noHit)
{
}

CSplitterWnd::~CSplitterWnd()
{
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == NULL || nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16 || m_hWnd != NULL)
        return FALSE;
    m_nRows = m_nMaxRows = nRows;
    m_nCols = m_nMaxCols = nCols;
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
    m_pRowInfo = new CRowColInfo[nRows];
    m_pColInfo = new CRowColInfo[nCols];
    for (int i = 0; i < nRows; i++)
        m_pRowInfo[i] = {0, 0, 0};
    for (int i = 0; i < nCols; i++)
        m_pColInfo[i] = {0, 0, 0};
    // the splitter paints every pixel itself (bars, borders): no background
    if (!AfxDeferRegisterClass(AFX_WNDMDIFRAME_REG))
        return FALSE;
    // created empty: the parent's layout sizes it once its panes exist
    return CreateEx(0, AFX_WNDMDIFRAME, NULL, dwStyle & ~(WS_HSCROLL | WS_VSCROLL), CRect(0, 0, 0, 0), pParentWnd,
                    nID);
}

// The pane is created at its ideal size and placed by the next layout.
BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || pViewClass == NULL || GetPane(row, col) != NULL)
        return FALSE;
    m_pColInfo[col].nIdealSize = sizeInit.cx;
    m_pRowInfo[row].nIdealSize = sizeInit.cy;

    // without a context, the new pane shows the document of the active one
    CCreateContext contextT;
    BOOL bSendInitialUpdate = FALSE;
    if (pContext == NULL) {
        CView* pOldView = DYNAMIC_DOWNCAST(CView, GetActivePane());
        if (pOldView != NULL) {
            contextT.m_pLastView = pOldView;
            contextT.m_pCurrentDoc = pOldView->GetDocument();
            if (contextT.m_pCurrentDoc != NULL)
                contextT.m_pNewDocTemplate = contextT.m_pCurrentDoc->GetDocTemplate();
        }
        pContext = &contextT;
        bSendInitialUpdate = TRUE;
    }
    CObject* pObject = pViewClass->CreateObject();
    CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (pWnd == NULL) {
        delete pObject;
        return FALSE;
    }
    // no border of its own: the splitter draws one around each pane
    CRect rect(CPoint(0, 0), sizeInit);
    if (!pWnd->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rect, this, (UINT)IdFromRowCol(row, col), pContext))
        return FALSE;   // a view deletes itself when its window fails
    if (bSendInitialUpdate)
        pWnd->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

void CSplitterWnd::DeleteView(int row, int col)
{
    CWnd* pPane = GetPane(row, col);
    if (pPane == NULL)
        return;
    if (GetActivePane() == pPane) {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL)
            pFrame->SetActiveView(NULL);
    }
    pPane->DestroyWindow();
}

// ---------------------------------------------------------------------------
// Rows, columns and panes
// ---------------------------------------------------------------------------

// An index outside the rows (columns) is refused: nothing is set, and the
// sizes read are 0. Sizes below 0 are taken as 0.
void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    cyCur = cyMin = 0;
    if (row < 0 || row >= m_nRows)
        return;
    cyCur = m_pRowInfo[row].nCurSize;
    cyMin = m_pRowInfo[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= m_nRows)
        return;
    m_pRowInfo[row].nIdealSize = std::max(cyIdeal, 0);
    m_pRowInfo[row].nMinSize = std::max(cyMin, 0);
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    cxCur = cxMin = 0;
    if (col < 0 || col >= m_nCols)
        return;
    cxCur = m_pColInfo[col].nCurSize;
    cxMin = m_pColInfo[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= m_nCols)
        return;
    m_pColInfo[col].nIdealSize = std::max(cxIdeal, 0);
    m_pColInfo[col].nMinSize = std::max(cxMin, 0);
}

// A row and column outside the splitter's name no pane (with 16 columns to
// a row in the ids, (0, 16) would otherwise be (1, 0)).
CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || m_hWnd == NULL)
        return NULL;
    HWND hWnd = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return hWnd != NULL ? CWnd::FromHandlePermanent(hWnd) : NULL;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    int nID = ::GetDlgCtrlID(pWnd->m_hWnd) - AFX_IDW_PANE_FIRST;
    int row = nID / 16, col = nID % 16;
    if (nID < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow != NULL)
        *pRow = row;
    if (pCol != NULL)
        *pCol = col;
    return TRUE;
}

// The active pane is the frame's active view when it is one of ours, else
// the pane with the focus.
CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol)
{
    CWnd* pView = NULL;
    if (CFrameWnd* pFrame = GetParentFrame())
        pView = pFrame->GetActiveView();
    if (pView == NULL)
        pView = CWnd::GetFocus();
    if (pView != NULL && !IsChildPane(pView, pRow, pCol))
        pView = NULL;
    return pView;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pPane = pWnd != NULL ? pWnd : GetPane(row, col);
    if (pPane == NULL)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    CView* pView = DYNAMIC_DOWNCAST(CView, pPane);
    if (pView != NULL && pFrame != NULL) {
        pFrame->SetActiveView(pView);
    } else {
        if (pFrame != NULL)
            pFrame->SetActiveView(NULL);
        pPane->SetFocus();
    }
}

BOOL CSplitterWnd::DoScroll(CView* pViewFrom, UINT nScrollCode, BOOL bDoScroll)
{
    int row, col;
    if (!IsChildPane(pViewFrom, &row, &col))
        return FALSE;
    return pViewFrom->OnScroll(nScrollCode, 0, bDoScroll);
}

BOOL CSplitterWnd::DoScrollBy(CView* pViewFrom, CSize sizeScroll, BOOL bDoScroll)
{
    int row, col;
    if (!IsChildPane(pViewFrom, &row, &col))
        return FALSE;
    return pViewFrom->OnScrollBy(sizeScroll, bDoScroll);
}

// Commands and notifications from the panes' controls go on to the frame.
BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != NULL && pFrame->SendMessage(WM_COMMAND, wParam, lParam) != 0;
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return FALSE;
    *pResult = pFrame->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

// Sizes along one axis. Every row (column) but the last gets its ideal size,
// the last what is left; an ideal size below the minimum hides the pane. A
// pane after the first that would get less than its minimum is hidden and
// its room goes to the pane before it; a pane that does not fit is cut. A
// bar (nGap) stands between two panes while there is room for it, else the
// pane before it takes that room less the border the bar would have shared.
template <class TInfo>
static void LayoutRowCol(TInfo* pInfo, int nCount, int nSize, int nGap)
{
    const int nBorder2 = afxData.cxBorder2;
    if (nSize < 0)
        nSize = 0;
    for (int i = 0; i < nCount - 1; i++) {
        if (pInfo[i].nIdealSize < pInfo[i].nMinSize)
            pInfo[i].nIdealSize = 0;
        pInfo[i].nCurSize = pInfo[i].nIdealSize;
    }
    pInfo[nCount - 1].nCurSize = INT_MAX;
    for (int i = 0; i < nCount; i++) {
        TInfo& info = pInfo[i];
        if (nSize == 0) {
            info.nCurSize = 0;
            continue;
        }
        if (nSize < info.nMinSize && i != 0) {
            info.nCurSize = 0;
            pInfo[i - 1].nCurSize += nSize + nBorder2;
            nSize = 0;
        } else if (info.nCurSize == 0) {
            // hidden by its ideal size
        } else if (nSize < info.nCurSize) {
            info.nCurSize = nSize;
            nSize = 0;
        } else {
            nSize -= info.nCurSize;
        }
        if (i != nCount - 1) {
            if (nSize > nGap) {
                nSize -= nGap;
            } else {
                info.nCurSize += nSize;
                if (info.nCurSize > nGap - nBorder2)
                    info.nCurSize -= nGap - nBorder2;
                nSize = 0;
            }
        }
    }
}

void CSplitterWnd::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
    rect.InflateRect(-m_cxBorder, -m_cyBorder);
}

// Each pane fills its cell; a pane with its own sunken edge (or a nested
// splitter) grows over the border the splitter would have drawn.
void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == NULL || m_nRows == 0 || m_nCols == 0)
        return;
    CRect rectInside;
    GetInsideRect(rectInside);
    LayoutRowCol(m_pColInfo, m_nCols, rectInside.Width(), m_cxSplitterGap);
    LayoutRowCol(m_pRowInfo, m_nRows, rectInside.Height(), m_cySplitterGap);

    HDWP hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols);
    int x = rectInside.left;
    for (int col = 0; col < m_nCols; col++) {
        int cx = m_pColInfo[col].nCurSize;
        int y = rectInside.top;
        for (int row = 0; row < m_nRows; row++) {
            int cy = m_pRowInfo[row].nCurSize;
            CWnd* pPane = GetPane(row, col);
            if (pPane != NULL) {
                CRect rect(x, y, x + cx, y + cy);
                if ((pPane->GetExStyle() & WS_EX_CLIENTEDGE) || pPane->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
                    rect.InflateRect(afxData.cxBorder2, afxData.cyBorder2);
                CRect rectOld;
                pPane->GetWindowRect(&rectOld);
                ScreenToClient(&rectOld);
                if (rect != rectOld && hDWP != NULL)
                    hDWP = ::DeferWindowPos(hDWP, pPane->m_hWnd, NULL, rect.left, rect.top, rect.Width(),
                                            rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
            }
            y += cy + m_cySplitterGap;
        }
        x += cx + m_cxSplitterGap;
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    DrawAllSplitBars(NULL, rectInside.right, rectInside.bottom);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        RecalcLayout();
    CWnd::OnSize(nType, cx, cy);
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rectArg)
{
    if (pDC == NULL) {
        RedrawWindow(rectArg, NULL, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
    CRect rect = rectArg;
    switch (nType) {
    case splitBorder:
        // the sunken edge of a pane
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        rect.InflateRect(-1, -1);
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_BTNFACE));
        return;
    case splitIntersection:
    case splitBox:
    case splitBar:
        pDC->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
        return;
    }
}

// The bars fill the gaps between the panes across the whole inside.
void CSplitterWnd::DrawAllSplitBars(CDC* pDC, int, int)
{
    CRect rect;
    for (int row = 0; row < m_nRows - 1; row++) {
        GetHitRect(vSplitterBar1 + row, rect);
        OnDrawSplitter(pDC, splitBar, rect);
    }
    for (int col = 0; col < m_nCols - 1; col++) {
        GetHitRect(hSplitterBar1 + col, rect);
        OnDrawSplitter(pDC, splitBar, rect);
    }
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    dc.FillSolidRect(rectClient, ::GetSysColor(COLOR_BTNFACE));
    CRect rectInside;
    GetInsideRect(rectInside);
    DrawAllSplitBars(&dc, rectInside.right, rectInside.bottom);
    // the border around every pane that has none of its own
    for (int row = 0; row < m_nRows; row++) {
        for (int col = 0; col < m_nCols; col++) {
            CWnd* pPane = GetPane(row, col);
            if (pPane == NULL || (pPane->GetExStyle() & WS_EX_CLIENTEDGE) || !pPane->IsWindowVisible())
                continue;
            CRect rect;
            pPane->GetWindowRect(&rect);
            ScreenToClient(&rect);
            rect.InflateRect(m_cxBorder, m_cyBorder);
            OnDrawSplitter(&dc, splitBorder, rect);
        }
    }
}

// ---------------------------------------------------------------------------
// Dragging a bar
// ---------------------------------------------------------------------------

// The bar under a point: vSplitterBar1 + n is the bar below row n,
// hSplitterBar1 + n the one right of column n.
int CSplitterWnd::HitTest(CPoint pt) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!rectClient.PtInRect(pt))
        return noHit;
    int y = m_cyBorder;
    for (int row = 0; row < m_nRows - 1; row++) {
        y += m_pRowInfo[row].nCurSize;
        if (pt.y >= y && pt.y < y + m_cySplitterGap)
            return vSplitterBar1 + row;
        y += m_cySplitterGap;
    }
    int x = m_cxBorder;
    for (int col = 0; col < m_nCols - 1; col++) {
        x += m_pColInfo[col].nCurSize;
        if (pt.x >= x && pt.x < x + m_cxSplitterGap)
            return hSplitterBar1 + col;
        x += m_cxSplitterGap;
    }
    return noHit;
}

// The rectangle of a bar as tracked: the gap between two panes across the
// whole inside.
void CSplitterWnd::GetHitRect(int ht, CRect& rect) const
{
    CRect rectInside;
    GetInsideRect(rectInside);
    rect = rectInside;
    if (ht >= vSplitterBar1 && ht < vSplitterBar1 + m_nRows - 1) {
        int y = rectInside.top;
        for (int row = 0; row < ht - vSplitterBar1; row++)
            y += m_pRowInfo[row].nCurSize + m_cySplitterGap;
        y += m_pRowInfo[ht - vSplitterBar1].nCurSize;
        rect.top = y;
        rect.bottom = y + m_cySplitterGap;
    } else if (ht >= hSplitterBar1 && ht < hSplitterBar1 + m_nCols - 1) {
        int x = rectInside.left;
        for (int col = 0; col < ht - hSplitterBar1; col++)
            x += m_pColInfo[col].nCurSize + m_cxSplitterGap;
        x += m_pColInfo[ht - hSplitterBar1].nCurSize;
        rect.left = x;
        rect.right = x + m_cxSplitterGap;
    } else {
        rect.SetRectEmpty();
    }
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && nHitTest == HTCLIENT && !m_bTracking) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        int ht = HitTest(pt);
        if (ht != noHit) {
            ::SetCursor(::LoadCursor(NULL, ht >= hSplitterBar1 ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// The bar may go anywhere inside the splitter between the edges of the two
// panes it separates.
void CSplitterWnd::StartTracking(int ht)
{
    if (ht == noHit)
        return;
    GetHitRect(ht, m_rectTracker);
    GetInsideRect(m_rectLimit);
    if (ht >= hSplitterBar1) {
        int col = ht - hSplitterBar1;
        int x = m_rectLimit.left;
        for (int c = 0; c < col; c++)
            x += m_pColInfo[c].nCurSize + m_cxSplitterGap;
        m_rectLimit.left = x;
        m_rectLimit.right = m_rectTracker.right + m_pColInfo[col + 1].nCurSize;
        m_rectLimit.right -= m_cxSplitterGap;
    } else {
        int row = ht - vSplitterBar1;
        int y = m_rectLimit.top;
        for (int r = 0; r < row; r++)
            y += m_pRowInfo[r].nCurSize + m_cySplitterGap;
        m_rectLimit.top = y;
        m_rectLimit.bottom = m_rectTracker.bottom + m_pRowInfo[row + 1].nCurSize;
        m_rectLimit.bottom -= m_cySplitterGap;
    }
    m_htTrack = ht;
    m_bTracking = TRUE;
    SetCapture();
    SetFocus();
    // the tracker is drawn over the panes as well
    ModifyStyle(WS_CLIPCHILDREN, 0);
    OnInvertTracker(m_rectTracker);
}

void CSplitterWnd::StopTracking(BOOL bAccept)
{
    if (!m_bTracking)
        return;
    m_bTracking = FALSE;   // first: losing the capture below comes back here
    OnInvertTracker(m_rectTracker);
    ModifyStyle(0, WS_CLIPCHILDREN);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!bAccept)
        return;
    if (m_htTrack >= hSplitterBar1)
        TrackColumnSize(m_rectTracker.left, m_htTrack - hSplitterBar1);
    else
        TrackRowSize(m_rectTracker.top, m_htTrack - vSplitterBar1);
    RecalcLayout();
    Invalidate();
}

// The new size is from the pane's start to where the bar was let go; a size
// below the minimum hides the pane.
void CSplitterWnd::TrackColumnSize(int x, int col)
{
    CRect rectInside;
    GetInsideRect(rectInside);
    int nStart = rectInside.left;
    for (int c = 0; c < col; c++)
        nStart += m_pColInfo[c].nCurSize + m_cxSplitterGap;
    int cx = x - nStart;
    m_pColInfo[col].nIdealSize = cx < m_pColInfo[col].nMinSize ? 0 : cx;
}

void CSplitterWnd::TrackRowSize(int y, int row)
{
    CRect rectInside;
    GetInsideRect(rectInside);
    int nStart = rectInside.top;
    for (int r = 0; r < row; r++)
        nStart += m_pRowInfo[r].nCurSize + m_cySplitterGap;
    int cy = y - nStart;
    m_pRowInfo[row].nIdealSize = cy < m_pRowInfo[row].nMinSize ? 0 : cy;
}

void CSplitterWnd::OnInvertTracker(const CRect& rect)
{
    CDC* pDC = GetDC();
    CBrush* pBrush = CDC::GetHalftoneBrush();
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, pBrush->GetSafeHandle());
    pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    ::SelectObject(pDC->m_hDC, hOld);
    ReleaseDC(pDC);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    if (m_bTracking)
        return;
    int ht = HitTest(point);
    if (ht == noHit)
        return;
    StartTracking(ht);
    m_ptTrackOffset = point - m_rectTracker.TopLeft();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point)
{
    if (!m_bTracking)
        return;
    CRect rectNew = m_rectTracker;
    if (m_htTrack >= hSplitterBar1) {
        int x = point.x - m_ptTrackOffset.x;
        x = std::max((int)m_rectLimit.left, std::min(x, (int)m_rectLimit.right));
        rectNew.OffsetRect(x - rectNew.left, 0);
    } else {
        int y = point.y - m_ptTrackOffset.y;
        y = std::max((int)m_rectLimit.top, std::min(y, (int)m_rectLimit.bottom));
        rectNew.OffsetRect(0, y - rectNew.top);
    }
    if (rectNew != m_rectTracker) {
        OnInvertTracker(m_rectTracker);
        m_rectTracker = rectNew;
        OnInvertTracker(m_rectTracker);
    }
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint)
{
    StopTracking(TRUE);
}

void CSplitterWnd::OnCancelMode()
{
    StopTracking(FALSE);
    CWnd::OnCancelMode();
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bTracking && nChar == VK_ESCAPE) {
        StopTracking(FALSE);
        return;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CSplitterWnd::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this)
        StopTracking(FALSE);
    CWnd::OnCaptureChanged(pWnd);
}

// ---------------------------------------------------------------------------
// The splitter a view stands in
// ---------------------------------------------------------------------------

CSplitterWnd* PASCAL CView::GetParentSplitter(const CWnd* pWnd, BOOL bAnyState)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return NULL;
    CSplitterWnd* pSplitter = DYNAMIC_DOWNCAST(CSplitterWnd, pWnd->GetParent());
    if (pSplitter == NULL)
        return NULL;
    if (!bAnyState) {
        // only while the frame is in its ordinary state
        for (CWnd* p = pSplitter; p != NULL && p->m_hWnd != NULL; p = p->GetParent())
            if (p->IsIconic())
                return NULL;
    }
    return pSplitter;
}
