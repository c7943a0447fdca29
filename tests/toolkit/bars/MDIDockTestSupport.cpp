#include "MDIDockTestSupport.h"

#include "testsupport.h"

IMPLEMENT_DYNCREATE(CDockTestView, CView)

void SizeDockMDITest::SetUp()
{
    m_pFrame = new COXMDIFrameWndSizeDock;
    ASSERT_TRUE(m_pFrame->Create(NULL, "MDI dock", WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CRect(20, 20, 900, 700)));
    m_pFrame->SetTitle("MDI dock");
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    m_pOldMain = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = m_pFrame;
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    m_pFrame->UpdateWindow();
}

void SizeDockMDITest::TearDown()
{
    AfxGetApp()->m_pMainWnd = m_pOldMain;
    for (CDockTestDoc* pDoc : m_docs)
        pDoc->SetModifiedFlag(FALSE);
    if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();
    for (CDockTestDoc* pDoc : m_docs)
        delete pDoc;
    PumpPending();
}

COXMDIChildWndSizeDock* SizeDockMDITest::AddChild(LPCTSTR lpszTitle, DWORD dwExtraStyle)
{
    CDockTestDoc* pDoc = new CDockTestDoc;
    pDoc->m_bAutoDelete = FALSE;
    pDoc->SetTitle(lpszTitle);
    m_docs.push_back(pDoc);
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CDockTestView);
    context.m_pCurrentDoc = pDoc;
    COXMDIChildWndSizeDock* pChild = new COXMDIChildWndSizeDock;
    EXPECT_TRUE(pChild->Create(NULL, lpszTitle,
                               WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE | dwExtraStyle,
                               CFrameWnd::rectDefault, m_pFrame, &context));
    pChild->InitialUpdateFrame(pDoc, TRUE);
    return pChild;
}

CRect SizeDockMDITest::WindowRectOf(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
}
