// docmanager.cpp - CDocManager: the application's document templates, File
// New and File Open, the file dialogs' filters, and the shell's file types.
#include "docimpl.h"
#include <afxdlgs.h>
#include <shlwapi.h>
#include <vector>

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::CDocManager()
{
}

CDocManager::~CDocManager()
{
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos != NULL) {
        POSITION posTemplate = pos;
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
        if (pTemplate->m_bAutoDelete) {
            m_templateList.RemoveAt(posTemplate);
            delete pTemplate;
        }
    }
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == NULL || m_templateList.Find(pTemplate) != NULL)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

int CDocManager::GetOpenDocumentCount()
{
    int nOpen = 0;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        POSITION pos2 = pTemplate->GetFirstDocPosition();
        while (pos2 != NULL) {
            pTemplate->GetNextDoc(pos2);
            nOpen++;
        }
    }
    return nOpen;
}

BOOL CDocManager::SaveAllModified()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

// The template a new document comes from: the one template there is, else the
// first whose document string names it for File New (choosing among several
// is not offered yet).
void CDocManager::OnFileNew()
{
    if (m_templateList.IsEmpty()) {
        AfxMessageBox(AfxDocLoadString(AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."));
        return;
    }
    CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetHead();
    if (m_templateList.GetCount() > 1) {
        POSITION pos = GetFirstDocTemplatePosition();
        while (pos != NULL) {
            CDocTemplate* pCandidate = GetNextDocTemplate(pos);
            CString strNew;
            if (pCandidate->GetDocString(strNew, CDocTemplate::fileNewName) && !strNew.IsEmpty()) {
                pTemplate = pCandidate;
                break;
            }
        }
    }
    pTemplate->OpenDocumentFile(NULL);
}

void CDocManager::OnFileOpen()
{
    CString newName;
    if (!DoPromptFileName(newName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->OpenDocumentFile(newName);
    else
        OpenDocumentFile(newName);
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    CString strPath = AfxDocFullPath(lpszFileName);
    if (strPath.IsEmpty())
        return NULL;

    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocTemplate* pBestTemplate = NULL;
    CDocument* pOpenDocument = NULL;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pOpen = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(strPath, pOpen);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            pOpenDocument = pOpen;
            break;
        }
    }

    // an open document is brought forward instead of being opened again
    if (pOpenDocument != NULL) {
        POSITION posView = pOpenDocument->GetFirstViewPosition();
        if (posView != NULL) {
            CView* pView = pOpenDocument->GetNextView(posView);
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL) {
                pFrame->ActivateFrame();
                CFrameWnd* pAppFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
                if (pFrame->GetParent() != NULL && pAppFrame != NULL && pAppFrame != pFrame)
                    pAppFrame->ActivateFrame();
            }
        }
        return pOpenDocument;
    }
    if (pBestTemplate == NULL) {
        CString strPrompt = AfxDocLoadString(AFX_IDP_FAILED_TO_OPEN_DOC, "Failed to open document.");
        AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, AFX_IDP_FAILED_TO_OPEN_DOC);
        return NULL;
    }
    return pBestTemplate->OpenDocumentFile(strPath);
}

// One filter per template ("Name (*.ext)|*.ext;*.ext2|"), then all files;
// the first extension of the template is the default one.
static void AppendFilter(CDocTemplate* pTemplate, CString& strFilter, CString* pstrDefaultExt)
{
    CString strFilterExt, strFilterName;
    if (!pTemplate->GetDocString(strFilterExt, CDocTemplate::filterExt) || strFilterExt.IsEmpty() ||
        !pTemplate->GetDocString(strFilterName, CDocTemplate::filterName) || strFilterName.IsEmpty())
        return;
    CString strPattern;
    int nLength = strFilterExt.GetLength();
    for (int iStart = 0; iStart <= nLength;) {
        int iEnd = strFilterExt.Find(';', iStart);
        if (iEnd < 0)
            iEnd = nLength;
        CString strOne = strFilterExt.Mid(iStart, iEnd - iStart);
        strOne.Trim();
        if (!strOne.IsEmpty()) {
            if (strOne[0] == '.') {
                if (pstrDefaultExt != NULL && pstrDefaultExt->IsEmpty())
                    *pstrDefaultExt = strOne.Mid(1);
                strOne = "*" + strOne;
            }
            if (!strPattern.IsEmpty())
                strPattern += ';';
            strPattern += strOne;
        }
        iStart = iEnd + 1;
    }
    strFilter += strFilterName + "|" + strPattern + "|";
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
    CString strFilter, strDefaultExt;
    if (pTemplate != NULL) {
        AppendFilter(pTemplate, strFilter, &strDefaultExt);
    } else {
        POSITION pos = GetFirstDocTemplatePosition();
        while (pos != NULL)
            AppendFilter(GetNextDocTemplate(pos), strFilter, &strDefaultExt);
    }
    strFilter += AfxDocLoadString(AFX_IDS_ALLFILTER, "All Files (*.*)") + "|*.*||";

    if (!bOpenFileDialog)
        lFlags |= OFN_OVERWRITEPROMPT;
    CFileDialog dlgFile(bOpenFileDialog, strDefaultExt.IsEmpty() ? NULL : (LPCTSTR)strDefaultExt, fileName, lFlags,
                        strFilter);
    CString strTitle = AfxDocLoadString(nIDSTitle, bOpenFileDialog ? "Open" : "Save As");
    dlgFile.m_ofn.lpstrTitle = strTitle;
    if (dlgFile.DoModal() != IDOK)
        return FALSE;
    fileName = dlgFile.GetPathName();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Shell file types
// ---------------------------------------------------------------------------

static BOOL SetRegKey(LPCTSTR lpszKey, LPCTSTR lpszValue, LPCTSTR lpszValueName = NULL)
{
    HKEY hKey;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, lpszKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, NULL, &hKey,
                          NULL) != ERROR_SUCCESS)
        return FALSE;
    LONG lResult = ::RegSetValueExA(hKey, lpszValueName, 0, REG_SZ, (const BYTE*)lpszValue,
                                    (DWORD)lstrlenA(lpszValue) + 1);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

static CString GetRegKeyDefault(LPCTSTR lpszKey)
{
    char szValue[MAX_PATH * 2] = "";
    LONG lSize = (LONG)sizeof(szValue);
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, lpszKey, szValue, &lSize) != ERROR_SUCCESS)
        return CString();
    return CString(szValue);
}

// The extensions of a filterExt piece (".a;.b").
static std::vector<CString> SplitExtensions(const CString& strFilterExt)
{
    std::vector<CString> result;
    int nLength = strFilterExt.GetLength();
    for (int iStart = 0; iStart <= nLength;) {
        int iEnd = strFilterExt.Find(';', iStart);
        if (iEnd < 0)
            iEnd = nLength;
        CString strOne = strFilterExt.Mid(iStart, iEnd - iStart);
        strOne.Trim();
        if (!strOne.IsEmpty() && strOne[0] == '.')
            result.push_back(strOne);
        iStart = iEnd + 1;
    }
    return result;
}

// For each template with a file type id: HKCR\<id> = type name, its open
// command (the program with "%1"), with bCompat its icon and print commands,
// and HKCR\<ext> = <id> unless the extension belongs to another type.
void CDocManager::RegisterShellFileTypes(BOOL bCompat)
{
    char szPath[MAX_PATH];
    ::GetModuleFileNameA(AfxGetInstanceHandle(), szPath, (DWORD)sizeof(szPath));
    CString strPath = szPath;

    int nTemplateIndex = 0;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        nTemplateIndex++;
        CString strFileTypeId, strFileTypeName, strFilterExt;
        if (!pTemplate->GetDocString(strFileTypeId, CDocTemplate::regFileTypeId) || strFileTypeId.IsEmpty())
            continue;
        if (!pTemplate->GetDocString(strFileTypeName, CDocTemplate::regFileTypeName) || strFileTypeName.IsEmpty())
            strFileTypeName = strFileTypeId;
        if (!SetRegKey(strFileTypeId, strFileTypeName))
            continue;
        if (bCompat) {
            CString strIcon;
            strIcon.Format("%s,%d", (LPCTSTR)strPath, nTemplateIndex);
            SetRegKey(strFileTypeId + "\\DefaultIcon", strIcon);
            SetRegKey(strFileTypeId + "\\shell\\print\\command", "\"" + strPath + "\" /p \"%1\"");
            SetRegKey(strFileTypeId + "\\shell\\printto\\command",
                      "\"" + strPath + "\" /pt \"%1\" \"%2\" \"%3\" \"%4\"");
        }
        SetRegKey(strFileTypeId + "\\shell\\open\\command", "\"" + strPath + "\" \"%1\"");

        pTemplate->GetDocString(strFilterExt, CDocTemplate::filterExt);
        for (const CString& strExt : SplitExtensions(strFilterExt)) {
            CString strOld = GetRegKeyDefault(strExt);
            if (strOld.IsEmpty() || strOld == strFileTypeId)
                SetRegKey(strExt, strFileTypeId);
        }
    }
}

// Removes what RegisterShellFileTypes wrote: the type's key, and extensions
// that still point at it.
void CDocManager::UnregisterShellFileTypes()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strFileTypeId, strFilterExt;
        if (!pTemplate->GetDocString(strFileTypeId, CDocTemplate::regFileTypeId) || strFileTypeId.IsEmpty())
            continue;
        pTemplate->GetDocString(strFilterExt, CDocTemplate::filterExt);
        for (const CString& strExt : SplitExtensions(strFilterExt)) {
            if (GetRegKeyDefault(strExt) == strFileTypeId)
                ::SHDeleteKeyA(HKEY_CLASSES_ROOT, strExt);
        }
        ::SHDeleteKeyA(HKEY_CLASSES_ROOT, strFileTypeId);
    }
}
