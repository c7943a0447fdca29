// view.cpp - CView: a child of a frame showing a document.
#include "docimpl.h"
#include <afxext.h>

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL)
{
}

CView::~CView()
{
    if (m_pDocument != NULL)
        m_pDocument->RemoveView(this);
}

// Views get the frame-or-view class, and their border becomes a client edge.
BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxDocFrameOrViewClass();
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

// The creation context names the document the view joins.
int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (pContext != NULL && pContext->m_pCurrentDoc != NULL)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(NULL, FALSE);
    CWnd::OnDestroy();
}

// Views live on the heap and go with their window.
void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    (void)pInfo;
}

void CView::OnInitialUpdate()
{
    OnUpdate(NULL, 0, NULL);
}

void CView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    (void)pSender;
    (void)lHint;
    (void)pHint;
    Invalidate(TRUE);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

// The view takes the focus when it becomes active in the foreground window.
void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    (void)pActivateView;
    (void)pDeactiveView;
    if (!bActivate)
        return;
    CWnd* pTop = GetTopLevelParent();
    if (pTop != NULL && ::GetForegroundWindow() == ::GetLastActivePopup(pTop->m_hWnd))
        SetFocus();
}

// A click makes this the frame's active view.
int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL) {
        CView* pView = pParentFrame->GetActiveView();
        HWND hWndFocus = ::GetFocus();
        if (pView == this && m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus))
            OnActivateView(TRUE, this, this);
        else
            pParentFrame->SetActiveView(this);
    }
    return nResult;
}

// Commands go to the view, then to its document (and the document's template).
BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    (void)nScrollCode;
    (void)nPos;
    (void)bDoScroll;
    return FALSE;
}

BOOL CView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    (void)sizeScroll;
    (void)bDoScroll;
    return FALSE;
}

// ---------------------------------------------------------------------------
// CPrintInfo
// ---------------------------------------------------------------------------

// A new job offers every page (1 to 0xFFFF) until the printing code knows
// how many there are, and starts at the first.
CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)),
      m_bDocObject(FALSE), m_dwFlags(0), m_nOffsetPage(0), m_bDirect(FALSE), m_bPreview(FALSE),
      m_bContinuePrinting(TRUE), m_nCurPage(1), m_nNumPreviewPages(0), m_lpUserData(NULL), m_nJobNumber(-1)
{
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
    SetMinPage(1);
    SetMaxPage(0xFFFF);
}

CPrintInfo::~CPrintInfo()
{
    if (m_pPD != NULL && m_pPD->m_pd.hDC != NULL)
        ::DeleteDC(m_pPD->m_pd.hDC);
    delete m_pPD;
}
