// doctempl.cpp - document templates: which document, frame and view classes
// go together, and the "\n"-separated document string of the template's id.
#include "docimpl.h"
#include <shlwapi.h>

// ---------------------------------------------------------------------------
// CDocTemplate
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocTemplate, CCmdTarget)
END_MESSAGE_MAP()

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass), m_bAutoDelete(TRUE)
{
    CDocTemplate::LoadTemplate();
}

CDocTemplate::~CDocTemplate()
{
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty() && m_nIDResource != 0)
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, (int)index, '\n');
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = NULL;
}

// An open document of the same path wins; then a file with one of the
// template's extensions; anything else may still be worth a try.
CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = NULL;
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && AfxDocSamePath(pDoc->GetPathName(), lpszPathName)) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty()) {
        CString strExt = ::PathFindExtensionA(lpszPathName);
        int nLength = strFilterExt.GetLength();
        for (int iStart = 0; iStart <= nLength;) {
            int iEnd = strFilterExt.Find(';', iStart);
            if (iEnd < 0)
                iEnd = nLength;
            CString strOne = strFilterExt.Mid(iStart, iEnd - iStart);
            strOne.Trim();
            if (strOne.Left(1) == "*")
                strOne = strOne.Mid(1);
            if (!strExt.IsEmpty() && strOne.CompareNoCase(strExt) == 0)
                return yesAttemptNative;
            iStart = iEnd + 1;
        }
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == NULL)
        return NULL;
    CObject* pObject = m_pDocClass->CreateObject();
    CDocument* pDocument = pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(CDocument)) ? (CDocument*)pObject : NULL;
    if (pDocument == NULL) {
        delete pObject;
        return NULL;
    }
    AddDocument(pDocument);
    return pDocument;
}

// The frame is made with LoadFrame(m_nIDResource), its view from the context.
CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    if (m_pFrameClass == NULL)
        return NULL;
    CObject* pObject = m_pFrameClass->CreateObject();
    CFrameWnd* pFrame = pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? (CFrameWnd*)pObject : NULL;
    if (pFrame == NULL) {
        delete pObject;
        return NULL;
    }
    // a frame that fails is deleted by its PostNcDestroy
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL bEndSession)
{
    (void)bEndSession;
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        pDoc->OnCloseDocument();
    }
}

void CDocTemplate::OnIdle()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
        GetNextDoc(pos)->OnIdle();
}

BOOL CDocTemplate::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---------------------------------------------------------------------------
// CSingleDocTemplate
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != NULL)
        m_pOnlyDoc->m_pDocTemplate = NULL;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = NULL;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos == (POSITION)1 ? m_pOnlyDoc : NULL;
    rPos = NULL;
    return pDoc;
}

// The open document is reused (asked to save first, then emptied by
// OnNewDocument or reloaded by OnOpenDocument) in the frame it has. The
// first document makes the frame, which becomes the main window when there
// is none.
CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = NULL;
    CFrameWnd* pFrame = NULL;
    BOOL bCreated = FALSE;

    if (m_pOnlyDoc != NULL) {
        pDocument = m_pOnlyDoc;
        if (!pDocument->SaveModified())
            return NULL;
        POSITION pos = pDocument->GetFirstViewPosition();
        if (pos != NULL)
            pFrame = pDocument->GetNextView(pos)->GetParentFrame();
        if (pFrame == NULL)
            pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    } else {
        pDocument = CreateNewDocument();
        if (pDocument == NULL) {
            AfxMessageBox(AfxDocLoadString(AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."));
            return NULL;
        }
        bCreated = TRUE;
    }

    if (pFrame == NULL) {
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;   // a failed frame must not take the document
        pFrame = CreateNewFrame(pDocument, NULL);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == NULL) {
            AfxMessageBox(AfxDocLoadString(AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."));
            delete pDocument;
            return NULL;
        }
    }

    if (lpszPathName == NULL) {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument()) {
            if (bCreated)
                pFrame->DestroyWindow();
            return NULL;
        }
    } else {
        BOOL bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(FALSE);
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            if (bCreated) {
                pFrame->DestroyWindow();
            } else if (!pDocument->IsModified()) {
                // the old contents are still there
                pDocument->SetModifiedFlag(bWasModified);
            } else {
                // the old contents are gone: start a new document instead
                SetDefaultTitle(pDocument);
                if (!pDocument->OnNewDocument())
                    pFrame->DestroyWindow();
            }
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }

    CWinThread* pThread = AfxGetThread();
    if (bCreated && pThread != NULL && pThread->m_pMainWnd == NULL)
        pThread->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (!GetDocString(strDocName, docName) || strDocName.IsEmpty())
        strDocName = AfxDocLoadString(AFX_IDS_UNTITLED, AFX_TEXT_UNTITLED);
    pDocument->SetTitle(strDocName);
}

// ---------------------------------------------------------------------------
// CMultiDocTemplate
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_hMenuShared(NULL), m_hAccelTable(NULL),
      m_nUntitledCount(0)
{
    // templates used outside the document manager need their menu too
    CMultiDocTemplate::LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    POSITION pos = m_docList.GetHeadPosition();
    while (pos != NULL)
        ((CDocument*)m_docList.GetNext(pos))->m_pDocTemplate = NULL;
    if (m_hMenuShared != NULL)
        ::DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource != 0 && m_hMenuShared == NULL) {
        LPCTSTR lpszName = MAKEINTRESOURCE(m_nIDResource);
        HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_MENU);
        if (::FindResourceA(hInst, lpszName, RT_MENU) != NULL)
            m_hMenuShared = ::LoadMenuA(hInst, lpszName);
        hInst = AfxFindResourceHandle(lpszName, RT_ACCELERATOR);
        if (::FindResourceA(hInst, lpszName, RT_ACCELERATOR) != NULL)
            m_hAccelTable = ::LoadAcceleratorsA(hInst, lpszName);
    }
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != NULL)
        m_docList.RemoveAt(pos);
}

// Every open makes a new document in a new frame.
CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == NULL) {
        AfxMessageBox(AfxDocLoadString(AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."));
        return NULL;
    }
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, NULL);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == NULL) {
        AfxMessageBox(AfxDocLoadString(AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."));
        delete pDocument;
        return NULL;
    }
    if (lpszPathName == NULL) {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument()) {
            pFrame->DestroyWindow();   // the document goes with its last view
            return NULL;
        }
        m_nUntitledCount++;
    } else {
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            pFrame->DestroyWindow();
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

// "Name1", "Name2", ... from the document name; "Untitled" without one.
void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (GetDocString(strDocName, docName) && !strDocName.IsEmpty()) {
        char szNum[16];
        wsprintfA(szNum, "%u", m_nUntitledCount + 1);
        strDocName += szNum;
    } else {
        strDocName = AfxDocLoadString(AFX_IDS_UNTITLED, AFX_TEXT_UNTITLED);
    }
    pDocument->SetTitle(strDocName);
}
