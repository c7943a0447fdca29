#include "OXChildFrameState.h"

#include "OXDocTemplateSpy.h"
#include "OXOwnedObjects.h"
#include "OXSplitterColRowState.h"

IMPLEMENT_SERIAL(COXChildFrameState, CObject, 1 | VERSIONABLE_SCHEMA)

COXChildFrameState::COXChildFrameState()
    : m_windowPlacement(), m_bSaveSplitterState(TRUE), m_pSplitterStates(new CObArray), m_nSchema(-1),
      m_pAppliedFrame(NULL)
{
    m_windowPlacement.length = sizeof(WINDOWPLACEMENT);
}

COXChildFrameState::~COXChildFrameState()
{
    EmptySplitterStates();
    delete m_pSplitterStates;
}

void COXChildFrameState::EmptySplitterStates()
{
    if (m_pSplitterStates == NULL)
        return;
    for (INT_PTR i = 0; i < m_pSplitterStates->GetSize(); i++)
        delete m_pSplitterStates->GetAt(i);
    m_pSplitterStates->RemoveAll();
}

CView* COXChildFrameState::FindView(CWnd* pFrame)
{
    CWnd* pPane = pFrame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    if (pPane != NULL && pPane->IsKindOf(RUNTIME_CLASS(CView)))
        return (CView*)pPane;
    CFrameWnd* pFrameWnd = dynamic_cast<CFrameWnd*>(pFrame);
    return pFrameWnd ? pFrameWnd->GetActiveView() : NULL;
}

BOOL COXChildFrameState::ComputeProperties(CWnd* pFrame)
{
    memset(&m_windowPlacement, 0, sizeof m_windowPlacement);
    m_windowPlacement.length = sizeof(WINDOWPLACEMENT);
    if (pFrame == NULL)
        return FALSE;
    pFrame->GetWindowPlacement(&m_windowPlacement);
    if (!pFrame->IsWindowVisible())
        m_windowPlacement.showCmd = SW_HIDE;
    CView* pView = FindView(pFrame);
    CDocument* pDoc = pView ? pView->GetDocument() : NULL;
    if (pDoc == NULL)
        return FALSE;
    m_sDocumentPath = pDoc->GetPathName();
    m_sDocumentClass = pDoc->GetRuntimeClass()->m_lpszClassName;
    m_sFrameClass = pFrame->GetRuntimeClass()->m_lpszClassName;
    m_sViewClass = pView->GetRuntimeClass()->m_lpszClassName;
    EmptySplitterStates();
    return m_bSaveSplitterState ? ComputeSplitterProperties(pFrame) : TRUE;
}

BOOL COXChildFrameState::ComputeSplitterProperties(CWnd* pFrame)
{
    CSplitterWnd* pSplitter = COXSplitterColRowState::FindSplitter(pFrame);
    return pSplitter == NULL || COXSplitterColRowState::CaptureAll(pSplitter, *m_pSplitterStates);
}

BOOL COXChildFrameState::ApplySplitterProperties(CWnd* pFrame)
{
    // A stored record naming a row or column the splitter does not have is
    // passed over: its index would go into the splitter's arrays.
    CSplitterWnd* pSplitter = COXSplitterColRowState::FindSplitter(pFrame);
    return pSplitter == NULL || COXSplitterColRowState::ApplyAll(pSplitter, *m_pSplitterStates);
}

CDocTemplate* COXChildFrameState::FindTemplate() const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return NULL;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        if (COXDocTemplateSpy::MatchClassNames(pTemplate, m_sDocumentClass, m_sFrameClass, m_sViewClass))
            return pTemplate;
    }
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        if (COXDocTemplateSpy::MatchClassNames(pTemplate, m_sDocumentClass, NULL, NULL))
            return pTemplate;
    }
    return NULL;
}

BOOL COXChildFrameState::ApplyProperties()
{
    m_pAppliedFrame = NULL;
    CDocTemplate* pTemplate = FindTemplate();
    if (pTemplate == NULL)
        return FALSE;
    CFrameWnd* pFrame = NULL;
    CDocument* pOpen = NULL;
    if (!m_sDocumentPath.IsEmpty()) {
        CWinApp* pApp = AfxGetApp();
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL && pOpen == NULL;) {
            CDocument* pMatch = NULL;
            if (pApp->GetNextDocTemplate(pos)->MatchDocType(m_sDocumentPath, pMatch) == CDocTemplate::yesAlreadyOpen)
                pOpen = pMatch;
        }
    }
    if (pOpen != NULL) {
        pFrame = pTemplate->CreateNewFrame(pOpen, NULL);
        if (pFrame != NULL)
            pTemplate->InitialUpdateFrame(pFrame, pOpen, TRUE);
    } else {
        CDocument* pDoc = pTemplate->OpenDocumentFile(m_sDocumentPath.IsEmpty() ? NULL : (LPCTSTR)m_sDocumentPath, TRUE);
        if (pDoc != NULL) {
            POSITION pos = pDoc->GetFirstViewPosition();
            CView* pView = pos ? pDoc->GetNextView(pos) : NULL;
            pFrame = pView ? pView->GetParentFrame() : NULL;
        }
    }
    if (pFrame == NULL)
        return FALSE;
    m_pAppliedFrame = pFrame;
    WINDOWPLACEMENT placement = m_windowPlacement;
    placement.length = sizeof placement;
    pFrame->SetWindowPlacement(&placement);
    if (m_bSaveSplitterState)
        ApplySplitterProperties(pFrame);
    return TRUE;
}

void COXChildFrameState::Serialize(CArchive& ar)
{
    if (ar.IsLoading()) {
        const UINT nSchema = ar.GetObjectSchema();
        m_nSchema = (int)nSchema;
        if (nSchema != (UINT)-1 && nSchema > 1)
            AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
        LoadProperties(ar);
    } else {
        StoreProperties(ar);
    }
}

void COXChildFrameState::StoreProperties(CArchive& ar)
{
    if (!ar.IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, ar.m_strFileName);
    const WINDOWPLACEMENT& wp = m_windowPlacement;
    ar << (DWORD)wp.flags << (DWORD)wp.showCmd;
    ar << (LONG)wp.ptMinPosition.x << (LONG)wp.ptMinPosition.y;
    ar << (LONG)wp.ptMaxPosition.x << (LONG)wp.ptMaxPosition.y;
    ar << (LONG)wp.rcNormalPosition.left << (LONG)wp.rcNormalPosition.top << (LONG)wp.rcNormalPosition.right
       << (LONG)wp.rcNormalPosition.bottom;
    ar << m_sDocumentPath << m_sDocumentClass << m_sFrameClass << m_sViewClass;
    ar << (LONG)m_bSaveSplitterState;
    ar << (CObject*)m_pSplitterStates;
}

void COXChildFrameState::LoadProperties(CArchive& ar)
{
    if (!ar.IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, ar.m_strFileName);
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    DWORD flags, showCmd;
    LONG v[8];
    ar >> flags >> showCmd;
    for (LONG& x : v)
        ar >> x;
    wp.flags = flags;
    wp.showCmd = showCmd;
    wp.ptMinPosition = {v[0], v[1]};
    wp.ptMaxPosition = {v[2], v[3]};
    wp.rcNormalPosition = {v[4], v[5], v[6], v[7]};
    CString sPath, sDoc, sFrame, sView;
    ar >> sPath >> sDoc >> sFrame >> sView;
    LONG bSave;
    ar >> bSave;
    CObArray* pArray = OXReadOwnedObArray(ar, RUNTIME_CLASS(COXSplitterColRowState));
    // Only a complete record replaces this one.
    m_windowPlacement = wp;
    m_sDocumentPath = sPath;
    m_sDocumentClass = sDoc;
    m_sFrameClass = sFrame;
    m_sViewClass = sView;
    m_bSaveSplitterState = bSave;
    EmptySplitterStates();
    delete m_pSplitterStates;
    m_pSplitterStates = pArray ? pArray : new CObArray;
}
