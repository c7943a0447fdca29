// The common dialogs: file, colour, font and print, over the system's
// dialogs in comdlg32.
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
}

// ---------------------------------------------------------------------------
// CFileDialog

// The hook procedure is the child dialog's dialog procedure. At its
// WM_INITDIALOG the object is attached to the child and subclasses it, so
// from then on every message of the child goes through the object's message
// map first (and on to this procedure through Default). An object attached
// elsewhere still gets the notifications, here.
UINT_PTR CALLBACK AfxFileDialogHookProc(HWND hChild, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            CFileDialog* pDlg = (CFileDialog*)((OPENFILENAME*)lParam)->lCustData;
            ::SetWindowLongPtr(hChild, DWLP_USER, (LONG_PTR)pDlg);
            if (pDlg == NULL)
                return TRUE;
            if (pDlg->m_hWnd == NULL && CWnd::FromHandlePermanent(hChild) == NULL)
                pDlg->SubclassWindow(hChild);
            return pDlg->OnInitDialog();
        }
        CFileDialog* pDlg = (CFileDialog*)::GetWindowLongPtr(hChild, DWLP_USER);
        if (pDlg == NULL || pDlg->m_hWnd == hChild || message != WM_NOTIFY)
            return 0;
        LRESULT lResult = 0;
        if (pDlg->OnNotify(wParam, lParam, &lResult)) {
            ::SetWindowLongPtr(hChild, DWLP_MSGRESULT, lResult);
            return lResult != 0;
        }
    } catch (...) {
        AfxReportCaughtException(TRUE);
    }
    return 0;
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    BOOL bHandled = CCommonDialog::OnNotify(wParam, lParam, pResult);
    if (!bHandled) {
        OFNOTIFY* pNotify = (OFNOTIFY*)lParam;
        bHandled = TRUE;
        *pResult = 0;
        switch (pNotify->hdr.code) {
        case CDN_INITDONE:
            OnInitDone();
            break;
        case CDN_SELCHANGE:
            OnFileNameChange();
            break;
        case CDN_FOLDERCHANGE:
            OnFolderChange();
            break;
        case CDN_TYPECHANGE:
            OnTypeChange();
            break;
        case CDN_SHAREVIOLATION:
            *pResult = OnShareViolation(pNotify->pszFile);
            break;
        case CDN_FILEOK:
            *pResult = OnFileNameOK();   // nonzero keeps the dialog open
            break;
        default:
            bHandled = FALSE;
        }
    }
    if (bHandled && m_hWnd != NULL)
        ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, *pResult);
    return bHandled;
}

void CFileDialog::SetTemplate(LPCTSTR lpWin3ID, LPCTSTR lpWin4ID)
{
    (void)lpWin3ID;   // only the Explorer style is shown
    m_ofn.lpTemplateName = lpWin4ID;
    if (lpWin4ID != NULL) {
        m_ofn.Flags |= OFN_ENABLETEMPLATE;
        m_ofn.hInstance = AfxFindResourceHandle(lpWin4ID, RT_DIALOG);
    } else {
        m_ofn.Flags &= ~OFN_ENABLETEMPLATE;
    }
}

// While the dialog is up the name is the one it shows now: the name typed,
// in the folder shown, or the name itself when it was typed as a full path.
CString CFileDialog::GetPathName() const
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd) && (m_ofn.Flags & OFN_EXPLORER)) {
        HWND hDialog = ::GetParent(m_hWnd);
        char szSpec[MAX_PATH] = "";
        if (::SendMessage(hDialog, CDM_GETSPEC, MAX_PATH, (LPARAM)szSpec) > 1) {
            if ((szSpec[0] != '\0' && szSpec[1] == ':') || (szSpec[0] == '\\' && szSpec[1] == '\\'))
                return szSpec;
            char szPath[MAX_PATH] = "";
            if (::SendMessage(hDialog, CDM_GETFILEPATH, MAX_PATH, (LPARAM)szPath) > 0)
                return szPath;
        }
    }
    return m_ofn.lpstrFile;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize, BOOL)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    memset(&m_ofn, 0, sizeof m_ofn);
    m_szFileTitle[0] = '\0';
    m_szFileName[0] = '\0';
    m_ofn.lStructSize = dwSize != 0 ? dwSize : sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    m_ofn.lpfnHook = AfxFileDialogHookProc;
    m_ofn.lCustData = (LPARAM)this;
    m_ofn.hInstance = AfxGetResourceHandle();

    // The system appends the default extension after a period of its own.
    if (lpszDefExt != NULL) {
        m_strDefExt = lpszDefExt;
        m_strDefExt.TrimLeft('.');
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != NULL)
        lstrcpynA(m_szFileName, lpszFileName, _countof(m_szFileName));

    // "Desc|pattern|Desc|pattern||": the system wants NULs between the parts
    // and two at the end; a filter without the closing "|" gets one.
    if (lpszFilter != NULL && *lpszFilter != '\0') {
        m_strFilter = lpszFilter;
        if (m_strFilter[m_strFilter.GetLength() - 1] != '|')
            m_strFilter += '|';
        int nLen = m_strFilter.GetLength();
        LPSTR p = m_strFilter.GetBuffer(nLen + 1);
        for (int i = 0; i < nLen; i++)
            if (p[i] == '|')
                p[i] = '\0';
        p[nLen] = '\0';
        m_strFilter.ReleaseBuffer(nLen);
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    // Several names need more room than one path: give the system a large
    // buffer holding the initial name.
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.lpstrFile == m_szFileName) {
        m_multiBuffer.assign(64 * 1024, '\0');
        lstrcpynA(m_multiBuffer.data(), m_szFileName, (int)m_multiBuffer.size());
        m_ofn.lpstrFile = m_multiBuffer.data();
        m_ofn.nMaxFile = (DWORD)m_multiBuffer.size();
    }
    m_ofn.hwndOwner = PreModal();
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    if (m_hWnd != NULL)
        Detach();
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    CString strPath = GetPathName();
    int nSlash = strPath.ReverseFind('\\');
    if (strPath.ReverseFind('/') > nSlash)
        nSlash = strPath.ReverseFind('/');
    return strPath.Mid(nSlash + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot < 0 ? CString() : strName.Mid(nDot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot < 0 ? strName : strName.Left(nDot);
}

CString CFileDialog::GetFolderPath() const
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
        char szFolder[MAX_PATH] = "";
        if (::SendMessage(::GetParent(m_hWnd), CDM_GETFOLDERPATH, MAX_PATH, (LPARAM)szFolder) > 0)
            return szFolder;
    }
    CString strPath = GetPathName();
    // With several names the path is the folder itself.
    POSITION pos = GetStartPosition();
    if (pos != NULL && (m_ofn.Flags & OFN_ALLOWMULTISELECT) &&
        m_ofn.lpstrFile[strlen(m_ofn.lpstrFile) + 1] != '\0')
        return strPath;
    CString strName = GetFileName();
    strPath = strPath.Left(strPath.GetLength() - strName.GetLength());
    if (strPath.GetLength() > 1 && (strPath.Right(1) == "\\" || strPath.Right(1) == "/") &&
        strPath.Right(2) != ":\\")
        strPath.Truncate(strPath.GetLength() - 1);
    return strPath;
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_ofn.lpstrFile != NULL && m_ofn.lpstrFile[0] != '\0' ? (POSITION)m_ofn.lpstrFile : NULL;
}

// With several names chosen the buffer holds "folder\0name1\0name2\0\0";
// with one it holds the full path.
CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCSTR psz = (LPCSTR)pos;
    if (psz == NULL) {
        pos = NULL;
        return CString();
    }
    LPCSTR pszBuffer = m_ofn.lpstrFile;
    BOOL bList = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && pszBuffer[strlen(pszBuffer) + 1] != '\0';
    if (!bList) {
        pos = NULL;
        return pszBuffer;
    }
    if (psz == pszBuffer)
        psz += strlen(psz) + 1;   // past the folder
    CString strName = psz;
    psz += strName.GetLength() + 1;
    pos = *psz != '\0' ? (POSITION)psz : NULL;
    // A name may be a full path of its own (a shortcut's target).
    if (strName.Find(':') >= 0 || strName.Left(1) == "\\")
        return strName;
    CString strFolder = pszBuffer;
    if (strFolder.Right(1) != "\\")
        strFolder += '\\';
    return strFolder + strName;
}

// ---------------------------------------------------------------------------
// CColorDialog

COLORREF CColorDialog::c_clrSavedCustom[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    memset(&m_cc, 0, sizeof m_cc);
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = c_clrSavedCustom;
    m_cc.Flags = dwFlags;
    m_cc.hInstance = (HWND)AfxGetResourceHandle();
    if (clrInit != 0)
        SetCurrentColor(clrInit);
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    m_cc.rgbResult = clr;
    m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = PreModal();
    BOOL bResult = ::ChooseColorA(&m_cc);
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

// ---------------------------------------------------------------------------
// CFontDialog

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    memset(&m_cf, 0, sizeof m_cf);
    memset(&m_lf, 0, sizeof m_lf);
    m_szStyleName[0] = '\0';
    m_cf.lStructSize = sizeof m_cf;
    m_cf.lpLogFont = &m_lf;
    m_cf.lpszStyle = m_szStyleName;
    m_cf.Flags = dwFlags;
    m_cf.hInstance = AfxGetResourceHandle();
    if (lplfInitial != NULL) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != NULL) {
        m_cf.hDC = pdcPrinter->m_hAttribDC != NULL ? pdcPrinter->m_hAttribDC : pdcPrinter->GetSafeHdc();
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.hwndOwner = PreModal();
    BOOL bResult = ::ChooseFontA(&m_cf);
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

void CFontDialog::GetCurrentFont(LPLOGFONT lplf)
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, WM_CHOOSEFONT_GETLOGFONT, 0, (LPARAM)lplf);
    else
        *lplf = m_lf;
}

// ---------------------------------------------------------------------------
// CPrintDialog

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    memset(&m_pd, 0, sizeof m_pd);
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    m_pd.nCopies = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.hInstance = AfxGetResourceHandle();
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = PreModal();
    BOOL bResult = ::PrintDlgA(&m_pd);
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

// The system refuses to return defaults into existing handles, so the call
// is made with none; handles it returns replace them (the caller owns both
// the old and the new ones).
BOOL CPrintDialog::GetDefaults()
{
    m_pd.hDevMode = NULL;
    m_pd.hDevNames = NULL;
    m_pd.hDC = NULL;
    m_pd.Flags |= PD_RETURNDEFAULT;
    BOOL bResult = ::PrintDlgA(&m_pd);
    m_pd.Flags &= ~PD_RETURNDEFAULT;
    return bResult;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDevNames == NULL)
        return NULL;
    LPDEVNAMES pNames = (LPDEVNAMES)::GlobalLock(m_pd.hDevNames);
    LPDEVMODE pMode = m_pd.hDevMode != NULL ? (LPDEVMODE)::GlobalLock(m_pd.hDevMode) : NULL;
    m_pd.hDC = ::CreateDCA((LPCSTR)pNames + pNames->wDriverOffset, (LPCSTR)pNames + pNames->wDeviceOffset,
                           (LPCSTR)pNames + pNames->wOutputOffset, pMode);
    if (pMode != NULL)
        ::GlobalUnlock(m_pd.hDevMode);
    ::GlobalUnlock(m_pd.hDevNames);
    return m_pd.hDC;
}

CString CPrintDialog::GetDevNamesString(int nWhich) const
{
    if (m_pd.hDevNames == NULL)
        return CString();
    LPDEVNAMES pNames = (LPDEVNAMES)::GlobalLock(m_pd.hDevNames);
    if (pNames == NULL)
        return CString();
    WORD wOffset = nWhich == 0 ? pNames->wDeviceOffset : nWhich == 1 ? pNames->wDriverOffset : pNames->wOutputOffset;
    CString str = (LPCSTR)pNames + wOffset;
    ::GlobalUnlock(m_pd.hDevNames);
    return str;
}

// The block stays locked, as callers keep the pointer.
LPDEVMODE CPrintDialog::GetDevMode() const
{
    return m_pd.hDevMode != NULL ? (LPDEVMODE)::GlobalLock(m_pd.hDevMode) : NULL;
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.Flags & PD_USEDEVMODECOPIES) {
        LPDEVMODE pMode = GetDevMode();
        if (pMode != NULL) {
            int nCopies = pMode->dmCopies;
            ::GlobalUnlock(m_pd.hDevMode);
            return nCopies;
        }
    }
    return m_pd.nCopies;
}
