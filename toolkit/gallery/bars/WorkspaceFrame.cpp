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
    if (pDoc == NULL)
        return;
    // The font of the lists in the frame's bars, not the DC's bold system font.
    CFont* pOld = pDC->SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    pDC->TextOut(4, 4, pDoc->m_strText);
    pDC->SelectObject(pOld);
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

BEGIN_MESSAGE_MAP(CWorkspaceFrame, COXMDIFrameWndSizeDock)
    ON_COMMAND_RANGE(ID_WORKSPACE_OPEN, ID_WORKSPACE_EXPORT, &CWorkspaceFrame::OnBarCommand)
END_MESSAGE_MAP()

CWorkspaceFrame::CWorkspaceFrame() : m_pSizeBar(NULL), m_pStackBars()
{
}

CWorkspaceFrame::~CWorkspaceFrame()
{
    delete m_pSizeBar;
    for (CGalleryListBar* pBar : m_pStackBars)
        delete pBar;
}

// A button without a handler is disabled at the first idle pass and shows
// no picture: each has this one.
void CWorkspaceFrame::OnBarCommand(UINT nID)
{
    m_nLastCommand = nID;
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

    m_pSizeBar = new CGalleryListBar(0);
    if (!m_pSizeBar->CreateBar(this, "Phrases", IDW_WORKSPACE_SIZEBAR, CSize(200, 150),
                               "seed keyword 1\nseed keyword 2\nseed keyword 3\nlong tail phrase"))
        return FALSE;
    FloatControlBar(m_pSizeBar, CPoint(rect.right + 10, rect.top + 160));

    static const char* const kStackNames[nStackBars] = {"Ideas", "Queries", "Rivals"};
    static const char* const kStackLines[nStackBars] = {
        "keyword ideas\nrelated searches\nseasonal terms",
        "search volume\nsuggestions\nquestions people ask",
        "rival sites\nshared keywords\nranking pages"};
    for (int i = 0; i < nStackBars; i++) {
        m_pStackBars[i] = new CGalleryListBar(0);
        if (!m_pStackBars[i]->CreateBar(this, kStackNames[i], IDW_WORKSPACE_STACKBAR + i, CSize(300, 240),
                                        kStackLines[i], WS_CHILD | WS_VISIBLE | CBRS_RIGHT))
            return FALSE;
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
