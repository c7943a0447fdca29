#include "WorkspaceFrame.h"

#include "OXSizeDockBar.h"

IMPLEMENT_DYNCREATE(CWorkspaceDoc, CDocument)
IMPLEMENT_DYNCREATE(CWorkspaceView, CView)
IMPLEMENT_DYNCREATE(CWorkspaceChild, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CWorkspaceSplitChild, CMDIChildWnd)

void CWorkspaceDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteString(m_strText);
    } else {
        m_strText.Empty();
        ar.ReadString(m_strText);
    }
}

void CWorkspaceView::OnDraw(CDC* pDC)
{
    CWorkspaceDoc* pDoc = DYNAMIC_DOWNCAST(CWorkspaceDoc, GetDocument());
    if (pDoc != NULL)
        pDC->TextOut(4, 4, pDoc->m_strText);
}

BOOL CWorkspaceSplitChild::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    return m_splitter.CreateStatic(this, 1, 2) &&
           m_splitter.CreateView(0, 0, RUNTIME_CLASS(CWorkspaceView), CSize(120, 100), pContext) &&
           m_splitter.CreateView(0, 1, RUNTIME_CLASS(CWorkspaceView), CSize(120, 100), pContext);
}

static CMultiDocTemplate* AddTemplate(CRuntimeClass* pFrameClass)
{
    CMultiDocTemplate* pTemplate =
        new CMultiDocTemplate(0, RUNTIME_CLASS(CWorkspaceDoc), pFrameClass, RUNTIME_CLASS(CWorkspaceView));
    AfxGetApp()->AddDocTemplate(pTemplate);
    return pTemplate;
}

CMultiDocTemplate* WorkspacePlainTemplate()
{
    static CMultiDocTemplate* pTemplate = AddTemplate(RUNTIME_CLASS(CWorkspaceChild));
    return pTemplate;
}

CMultiDocTemplate* WorkspaceSplitTemplate()
{
    static CMultiDocTemplate* pTemplate = AddTemplate(RUNTIME_CLASS(CWorkspaceSplitChild));
    return pTemplate;
}

BOOL WriteWorkspaceDocument(LPCTSTR lpszPath, LPCTSTR lpszText)
{
    CFile file;
    if (!file.Open(lpszPath, CFile::modeCreate | CFile::modeWrite))
        return FALSE;
    file.Write(lpszText, (UINT)strlen(lpszText));
    file.Close();
    return TRUE;
}

// Three 16 x 15 pictures, one a colour, for a bar's buttons.
static HBITMAP MakeButtonImages()
{
    static const COLORREF kColours[] = {RGB(40, 110, 200), RGB(200, 60, 40), RGB(60, 160, 70)};
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 48, 15);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT all = {0, 0, 48, 15};
    ::FillRect(hDC, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < 3; i++) {
        HBRUSH hBrush = ::CreateSolidBrush(kColours[i]);
        RECT r = {16 * i + 3, 2, 16 * i + 13, 13};
        ::FillRect(hDC, &r, hBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

CWorkspaceFrame::CWorkspaceFrame() : m_pSizeBar(NULL), m_pStackBars()
{
}

CWorkspaceFrame::~CWorkspaceFrame()
{
    delete m_pSizeBar;
    for (COXSizeControlBar* pBar : m_pStackBars)
        delete pBar;
}

BOOL CWorkspaceFrame::CreateWorkspaceFrame(const CRect& rect)
{
    WorkspacePlainTemplate();
    WorkspaceSplitTemplate();
    if (!Create(NULL, "Workspace", WS_OVERLAPPEDWINDOW, rect))
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);

    static const UINT kFileButtons[] = {ID_WORKSPACE_OPEN, ID_WORKSPACE_SAVE};
    static const UINT kHarvestButtons[] = {ID_WORKSPACE_FETCH, ID_WORKSPACE_STOP, ID_SEPARATOR, ID_WORKSPACE_EXPORT};
    if (!m_barFile.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, IDW_WORKSPACE_FILEBAR) ||
        !m_barFile.SetButtons(kFileButtons, 2) ||
        !m_barHarvest.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER,
                               CRect(0, 0, 0, 0), IDW_WORKSPACE_HARVESTBAR) ||
        !m_barHarvest.SetButtons(kHarvestButtons, 4))
        return FALSE;
    for (CToolBar* pBar : {&m_barFile, &m_barHarvest}) {
        HBITMAP hImages = MakeButtonImages();
        if (!pBar->SetBitmap(hImages))
            ::DeleteObject(hImages);
    }
    m_barFile.SetWindowText("File");
    m_barHarvest.SetWindowText("Harvest");
    m_barFile.EnableDocking(CBRS_ALIGN_ANY);
    m_barHarvest.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_barFile, AFX_IDW_DOCKBAR_TOP);
    DockControlBar(&m_barHarvest, AFX_IDW_DOCKBAR_TOP);

    m_pSizeBar = new COXSizeControlBar(0);
    if (!m_pSizeBar->Create(this, "Phrases", IDW_WORKSPACE_SIZEBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                            CRect(0, 0, 200, 150)))
        return FALSE;
    m_pSizeBar->EnableDocking(CBRS_ALIGN_ANY);
    FloatControlBar(m_pSizeBar, CPoint(rect.right + 10, rect.top + 160));

    static const char* const kStackNames[nStackBars] = {"Ideas", "Queries", "Rivals"};
    for (int i = 0; i < nStackBars; i++) {
        m_pStackBars[i] = new COXSizeControlBar(0);
        if (!m_pStackBars[i]->Create(this, kStackNames[i], IDW_WORKSPACE_STACKBAR + i,
                                     WS_CHILD | WS_VISIBLE | CBRS_RIGHT, CRect(0, 0, 300, 240)))
            return FALSE;
        m_pStackBars[i]->EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(m_pStackBars[i], AFX_IDW_DOCKBAR_RIGHT);
    }
    COXSizeDockBar* pRight = DYNAMIC_DOWNCAST(COXSizeDockBar, GetControlBar(AFX_IDW_DOCKBAR_RIGHT));
    if (pRight == NULL)
        return FALSE;
    // Each put at its own index keeps the ones before it where they are.
    for (int i = 0; i < nStackBars; i++)
        pRight->m_wndTabContainer.InsertBar(m_pStackBars[i], i, FALSE);
    pRight->m_wndTabContainer.SetCurSel(0);
    pRight->m_wndTabContainer.UpdateTabs();
    RecalcLayout();
    return TRUE;
}
