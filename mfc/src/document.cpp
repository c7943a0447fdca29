// document.cpp - CDocument: contents, views, loading and saving through
// CArchive, and the questions asked before a modified document goes.
#include "docimpl.h"

#include "afxpriv.h"

// ---------------------------------------------------------------------------
// Helpers shared with the other document sources
// ---------------------------------------------------------------------------

CString AFXAPI AfxDocLoadString(UINT nID, LPCTSTR lpszDefault)
{
    CString str;
    if (nID == 0 || !str.LoadString(nID))
        str = lpszDefault;
    return str;
}

CString AFXAPI AfxDocFullPath(LPCTSTR lpszFileName)
{
    CString strName(lpszFileName != NULL ? lpszFileName : "");
    strName.Trim();
    if (strName.GetLength() >= 2 && strName[0] == '"' && strName[strName.GetLength() - 1] == '"')
        strName = strName.Mid(1, strName.GetLength() - 2);
    if (strName.IsEmpty())
        return strName;
    char szPath[MAX_PATH * 2];
    LPSTR lpszFilePart = NULL;
    DWORD n = ::GetFullPathNameA(strName, (DWORD)sizeof(szPath), szPath, &lpszFilePart);
    if (n == 0 || n >= sizeof(szPath))
        return strName;
    return CString(szPath);
}

BOOL AFXAPI AfxDocSamePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2)
{
    CString str1 = AfxDocFullPath(lpszPath1), str2 = AfxDocFullPath(lpszPath2);
    return !str1.IsEmpty() && ::lstrcmpiA(str1, str2) == 0;
}

LPCTSTR AFXAPI AfxDocFrameOrViewClass(HICON hIcon)
{
    return AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                               (HBRUSH)(COLOR_WINDOW + 1), hIcon);
}

// ---------------------------------------------------------------------------
// CDocument
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument()
    : m_pDocTemplate(NULL), m_bModified(FALSE), m_bAutoDelete(TRUE), m_bEmbedded(FALSE)
{
}

CDocument::~CDocument()
{
    // views outliving their document must not reach back into it
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL)
        GetNextView(pos)->m_pDocument = NULL;
    m_viewList.RemoveAll();
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

// The title is the file's name as the shell shows it.
void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = AfxDocFullPath(lpszPathName);
    char szTitle[MAX_PATH];
    if (::GetFileTitleA(m_strPathName, szTitle, (WORD)sizeof(szTitle)) == 0)
        SetTitle(szTitle);
    else
        SetTitle(m_strPathName);
    if (bAddToMRU) {
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL)
            pApp->AddToRecentFileList(m_strPathName);
    }
}

void CDocument::AddView(CView* pView)
{
    if (pView == NULL || m_viewList.Find(pView) != NULL)
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

// A document whose last view went closes itself (when it may delete itself).
void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

// Several frames on one document are numbered ("Name:1", "Name:2"); a single
// frame gets no number.
void CDocument::UpdateFrameCounts()
{
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView->m_hWnd != NULL && pView->IsWindowVisible()) {
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL)
                pFrame->m_nWindow = -1;
        }
    }
    int nFrames = 0;
    pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView->m_hWnd != NULL && pView->IsWindowVisible()) {
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL && pFrame->m_nWindow == -1)
                pFrame->m_nWindow = ++nFrames;
        }
    }
    int iFrame = 1;
    pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView->m_hWnd != NULL && pView->IsWindowVisible()) {
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL && pFrame->m_nWindow == iFrame) {
                if (nFrames == 1)
                    pFrame->m_nWindow = 0;
                pFrame->OnUpdateFrameTitle(TRUE);
                iFrame++;
            }
        }
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
        delete pFile;
        return NULL;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (pFile == NULL)
        return;
    if (bAbort) {
        pFile->Abort();
    } else {
        try {
            pFile->Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    delete pFile;
}

// The contents are deleted first and the document stays modified while it
// loads, so a failure leaves an empty document that asks to be saved.
BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (pFile == NULL) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag();

    BOOL bOK = TRUE;
    {
        CArchive loadArchive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
        loadArchive.m_pDocument = this;
        try {
            if (pFile->GetLength() != 0)
                Serialize(loadArchive);
            loadArchive.Close();
        } catch (CException* e) {
            loadArchive.Abort();
            bOK = FALSE;
            DeleteContents();
            ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
            e->Delete();
        }
    }
    ReleaseFile(pFile, !bOK);
    if (!bOK)
        return FALSE;
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    if (pFile == NULL) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    BOOL bOK = TRUE;
    {
        CArchive saveArchive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
        saveArchive.m_pDocument = this;
        try {
            Serialize(saveArchive);
            saveArchive.Close();
        } catch (CException* e) {
            saveArchive.Abort();
            bOK = FALSE;
            ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
            e->Delete();
        }
    }
    ReleaseFile(pFile, !bOK);
    if (!bOK)
        return FALSE;
    SetModifiedFlag(FALSE);
    return TRUE;
}

// A user exception has been reported already; others say what failed, in the
// exception's words when it has some.
void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;
    CString strPrompt;
    char szError[512] = "";
    if (e != NULL && e->GetErrorMessage(szError, sizeof(szError)) && szError[0] != '\0') {
        strPrompt = szError;
    } else {
        LPCTSTR lpszDefault = bSaving ? "Failed to save document." : "Failed to open document.";
        if (nIDPDefault == AFX_IDP_INVALID_FILENAME)
            lpszDefault = "Invalid filename.";
        strPrompt = AfxDocLoadString(nIDPDefault, lpszDefault);
        if (lpszPathName != NULL && strPrompt.Find("%1") >= 0)
            strPrompt.Replace("%1", lpszPathName);
    }
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPDefault);
}

// A view may be shown away from its own frame, inside a window of another
// frame (a docking bar): its parent frame is then that other frame. Each
// window between the view and that frame is asked to hand the view back to
// its own frame, so that closing the document never destroys a frame that
// is not the document's.
static void ReturnViewToItsFrame(CView* pView)
{
    if (pView->m_hWnd == NULL)
        return;
    for (HWND hWnd = ::GetParent(pView->m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsFrameWnd())
            break;
        if (::SendMessage(hWnd, WM_RETURNVIEWHOME, 0, (LPARAM)pView->m_hWnd) != 0)
            break;
    }
}

// Closing destroys every frame showing the document (views go with them),
// then the contents, then the document itself when it deletes itself.
void CDocument::OnCloseDocument()
{
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;   // the last view going must not close us again
    while (!m_viewList.IsEmpty()) {
        CView* pView = (CView*)m_viewList.GetHead();
        ReturnViewToItsFrame(pView);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        } else {
            pView->DestroyWindow();
        }
        // a view that did not leave with its window is detached here
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

// Only the last frame on the document asks about saving it.
BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

// "Save changes to <document>?": Yes saves (a failed or cancelled save keeps
// the document), No drops the changes, Cancel keeps the document.
BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName;
    if (name.IsEmpty()) {
        name = m_strTitle;
        if (name.IsEmpty())
            name = AfxDocLoadString(AFX_IDS_UNTITLED, AFX_TEXT_UNTITLED);
    }
    CString prompt = AfxDocLoadString(AFX_IDP_ASK_TO_SAVE, "Save changes to %1?");
    prompt.Replace("%1", name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        if (!DoFileSave())
            return FALSE;
        break;
    case IDNO:
    default:
        break;
    }
    return TRUE;
}

// With no name, asks for one (the title plus the template's extension is
// offered); a file left half written by a failed save-as is removed.
BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName;
    if (newName.IsEmpty()) {
        CDocTemplate* pTemplate = GetDocTemplate();
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            newName = m_strTitle;
            int iBad = newName.FindOneOf(":/\\");
            if (iBad != -1)
                newName = newName.Left(iBad);
            CString strExt;
            if (pTemplate != NULL && pTemplate->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty()) {
                int iSemi = strExt.Find(';');
                if (iSemi >= 0)
                    strExt = strExt.Left(iSemi);
                newName += strExt;
            }
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == NULL ||
            !pApp->DoPromptFileName(newName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, pTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName)) {
        if (lpszPathName == NULL)
            ::DeleteFileA(newName);
        return FALSE;
    }
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

// A document without a name or whose file is read-only is saved under a
// name the user picks.
BOOL CDocument::DoFileSave()
{
    DWORD dwAttrib = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() ||
        (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY)))
        return DoSave(NULL);
    return DoSave(m_strPathName);
}

HMENU CDocument::GetDefaultMenu()
{
    return NULL;
}

HACCEL CDocument::GetDefaultAccelerator()
{
    return NULL;
}

// The document's own map, then its template's.
BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(NULL);
}
