#include "MDIDockTestSupport.h"

#include "testsupport.h"

IMPLEMENT_DYNCREATE(CDockTestView, CView)

std::function<void(CView*)> CDockTestView::s_onDeactivate;

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

void SizeDockMDITest::EnterDocumentsInTemplate()
{
    CWinApp* pApp = AfxGetApp();
    m_pManager = new CDocManager;
    CMultiDocTemplate* pTemplate = new CMultiDocTemplate(0, RUNTIME_CLASS(CDocument),
                                                         RUNTIME_CLASS(COXMDIChildWndSizeDock),
                                                         RUNTIME_CLASS(CDockTestView));
    m_pManager->AddDocTemplate(pTemplate);
    for (CDockTestDoc* pDoc : m_docs)
        pTemplate->AddDocument(pDoc);
    m_pSavedManager = pApp->m_pDocManager;
    pApp->m_pDocManager = m_pManager;
}

void SizeDockMDITest::TearDown()
{
    if (m_pManager != NULL) {
        AfxGetApp()->m_pDocManager = m_pSavedManager;
        delete m_pManager;   // the template lets go of the documents
        m_pManager = NULL;
    }
    AfxGetApp()->m_pMainWnd = m_pOldMain;
    for (CDockTestDoc* pDoc : m_docs)
        pDoc->SetModifiedFlag(FALSE);
    if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();
    for (CDockTestDoc* pDoc : m_docs)
        delete pDoc;
    PumpPending();
}

COXMDIChildWndSizeDock* SizeDockMDITest::AddChild(LPCTSTR lpszTitle, DWORD dwExtraStyle,
                                                  COXMDIChildWndSizeDock* pChild)
{
    CDockTestDoc* pDoc = new CDockTestDoc;
    pDoc->m_bAutoDelete = FALSE;
    pDoc->SetTitle(lpszTitle);
    m_docs.push_back(pDoc);
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CDockTestView);
    context.m_pCurrentDoc = pDoc;
    if (pChild == NULL)
        pChild = new COXMDIChildWndSizeDock;
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
