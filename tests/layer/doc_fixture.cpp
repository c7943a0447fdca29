// The shared classes and fixture of the document/view/frame tests.
#include "doc_test.h"

std::vector<std::string> g_docLog;

std::string DocLogJoined()
{
    std::string s;
    for (const std::string& line : g_docLog)
        s += (s.empty() ? "" : " | ") + line;
    return s;
}

// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CDocTestDoc, CDocument)

BEGIN_MESSAGE_MAP(CDocTestDoc, CDocument)
    ON_COMMAND(ID_DOC_DOCCMD, &CDocTestDoc::OnDocCmd)
    ON_COMMAND(ID_DOC_BOTHCMD, &CDocTestDoc::OnBothCmd)
END_MESSAGE_MAP()

int CDocTestDoc::s_nAlive = 0;

CDocTestDoc::CDocTestDoc()
{
    ++s_nAlive;
}

CDocTestDoc::~CDocTestDoc()
{
    --s_nAlive;
}

BOOL CDocTestDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    ++m_nNewCalls;
    m_strText.Format("new %d", m_nNewCalls);
    return TRUE;
}

void CDocTestDoc::DeleteContents()
{
    ++m_nDeleteCalls;
    m_strText.Empty();
    m_nValue = 0;
}

void CDocTestDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strText << m_nValue;
    else
        ar >> m_strText >> m_nValue;
}

void CDocTestDoc::OnDocCmd()
{
    g_docLog.push_back("document");
}

void CDocTestDoc::OnBothCmd()
{
    g_docLog.push_back("document");
}

// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CDocTestForm, CFormView)

BEGIN_MESSAGE_MAP(CDocTestForm, CFormView)
    ON_COMMAND(ID_DOC_VIEWCMD, &CDocTestForm::OnViewCmd)
    ON_COMMAND(ID_DOC_BOTHCMD, &CDocTestForm::OnBothCmd)
    ON_BN_CLICKED(IDC_DOC_BUTTON, &CDocTestForm::OnButton)
END_MESSAGE_MAP()

CDocTestForm::CDocTestForm() : CFormView(IDD_DOC_FORM)
{
}

void CDocTestForm::OnInitialUpdate()
{
    ++m_nInitialUpdates;
    CDocTestDoc* pDoc = DYNAMIC_DOWNCAST(CDocTestDoc, GetDocument());
    m_strName = pDoc != NULL ? pDoc->m_strText : CString("no document");
    CFormView::OnInitialUpdate();
}

void CDocTestForm::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_DOC_NAME, m_strName);
}

void CDocTestForm::OnViewCmd()
{
    g_docLog.push_back("view");
}

void CDocTestForm::OnBothCmd()
{
    g_docLog.push_back("view");
}

void CDocTestForm::OnButton()
{
    g_docLog.push_back("form button");
}

// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CDocTestPlainView, CScrollView)

BEGIN_MESSAGE_MAP(CDocTestPlainView, CScrollView)
    ON_COMMAND(ID_DOC_VIEWCMD, &CDocTestPlainView::OnViewCmd)
END_MESSAGE_MAP()

void CDocTestPlainView::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, CSize(100, 100));
    CScrollView::OnInitialUpdate();
}

void CDocTestPlainView::OnViewCmd()
{
    g_docLog.push_back("plain view");
}

// ---------------------------------------------------------------------------

const UINT kDocIndicators[4] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

IMPLEMENT_DYNCREATE(CDocTestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CDocTestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_DOC_FRAMECMD, &CDocTestFrame::OnFrameCmd)
    ON_COMMAND(ID_DOC_CHECKCMD, &CDocTestFrame::OnCheckCmd)
    ON_UPDATE_COMMAND_UI(ID_DOC_CHECKCMD, &CDocTestFrame::OnUpdateCheckCmd)
END_MESSAGE_MAP()

int CDocTestFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
        !m_wndToolBar.LoadToolBar(IDR_DOC_MAIN))
        return -1;
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kDocIndicators, 4))
        return -1;
    return 0;
}

void CDocTestFrame::OnFrameCmd()
{
    g_docLog.push_back("frame");
}

void CDocTestFrame::OnCheckCmd()
{
    m_bChecked = !m_bChecked;
    g_docLog.push_back("frame check");
}

void CDocTestFrame::OnUpdateCheckCmd(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bChecked ? 1 : 0);
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDocTestTemplate, CSingleDocTemplate)
    ON_COMMAND(ID_DOC_TEMPLATECMD, &CDocTestTemplate::OnTemplateCmd)
END_MESSAGE_MAP()

CDocTestTemplate::CDocTestTemplate()
    : CSingleDocTemplate(IDR_DOC_MAIN, RUNTIME_CLASS(CDocTestDoc), RUNTIME_CLASS(CDocTestFrame),
                         RUNTIME_CLASS(CDocTestForm))
{
}

void CDocTestTemplate::OnTemplateCmd()
{
    g_docLog.push_back("template");
}

// ---------------------------------------------------------------------------

void DocAppTest::SetUp()
{
    m_pApp = AfxGetApp();
    ASSERT_NE(m_pApp, nullptr);
    m_pSavedManager = m_pApp->m_pDocManager;
    m_pApp->m_pDocManager = NULL;
    m_pSavedMainWnd = m_pApp->m_pMainWnd;
    m_pApp->m_pMainWnd = NULL;
    m_nSavedCmdShow = m_pApp->m_nCmdShow;
    m_pApp->m_nCmdShow = SW_SHOWNORMAL;
    g_docLog.clear();
}

void DocAppTest::TearDown()
{
    if (m_pApp->m_pDocManager != NULL) {
        POSITION pos = m_pApp->GetFirstDocTemplatePosition();
        while (pos != NULL) {
            CDocTemplate* pTemplate = m_pApp->GetNextDocTemplate(pos);
            POSITION posDoc = pTemplate->GetFirstDocPosition();
            while (posDoc != NULL)
                pTemplate->GetNextDoc(posDoc)->SetModifiedFlag(FALSE);
        }
        m_pApp->CloseAllDocuments(FALSE);
        delete m_pApp->m_pDocManager;
    }
    TakeQuitMessage();
    m_pApp->m_pDocManager = m_pSavedManager;
    m_pApp->m_pMainWnd = m_pSavedMainWnd;
    m_pApp->m_nCmdShow = m_nSavedCmdShow;
}

CDocTestFrame* DocAppTest::StartUp()
{
    m_pApp->AddDocTemplate(new CDocTestTemplate);
    m_pApp->OnFileNew();
    return DYNAMIC_DOWNCAST(CDocTestFrame, m_pApp->m_pMainWnd);
}

bool DocAppTest::TakeQuitMessage()
{
    MSG msg;
    bool bFound = false;
    while (PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        bFound = true;
    return bFound;
}

std::string StatusPartText(HWND hWndStatus, int nPart)
{
    char szText[256] = "";
    SendMessageA(hWndStatus, SB_GETTEXTA, (WPARAM)nPart, (LPARAM)szText);
    return szText;
}

CRect ChildRect(CWnd* pChild)
{
    CRect rect;
    pChild->GetWindowRect(&rect);
    ::MapWindowPoints(NULL, ::GetParent(pChild->m_hWnd), (LPPOINT)&rect, 2);
    return rect;
}
