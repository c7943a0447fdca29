// FileDialogST.h - CFileDialogST: a window-less object around the common open
// and save dialogs and the shell's folder browser, used as a local object.
//
// The filter and the default extension are referenced, not copied: they must
// outlive the dialog run. The filter is the platform's list of pairs, each
// part ended by a NUL and the whole by a second NUL.
#pragma once

#include <afxwin.h>
#include <commdlg.h>

class CFileDialogST
{
public:
    CFileDialogST();
    CFileDialogST(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                  DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                  CWnd* pParentWnd = NULL);
    virtual ~CFileDialogST();

    // IDOK when a file was chosen, IDCANCEL on cancel or error.
    virtual INT_PTR DoModal();

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileTitle() const;
    CString GetFileExt() const;
    CString GetFileDir() const { return GetFileFolder(); }
    CString GetFileFolder() const;
    CString GetFileDrive() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    POSITION GetStartPosition() const { return (POSITION)m_szFile; }
    CString GetNextPathName(POSITION& pos) const;

    // The shell's folder browser, opening at lpszStartPath. IDOK when a
    // folder with a file-system path was chosen.
    int SelectFolder(LPCTSTR lpszTitle = NULL, LPCTSTR lpszStartPath = NULL, UINT ulFlags = 0,
                     CWnd* pParentWnd = NULL);
    CString GetSelectedFolder() const { return m_szSelectedFolder; }

    // Turns "name\npattern\n..." into the platform's NUL-separated list.
    static CString MakeFilter(LPCTSTR lpszLines);

    CString m_sUnused;
    OPENFILENAMEA m_ofn;
    BOOL m_bOpenFileDialog;
    TCHAR m_szFile[MAX_PATH];
    TCHAR m_szFileTitle[MAX_PATH];
    TCHAR m_szSelectedFolder[MAX_PATH];

private:
    static int CALLBACK BrowseCtrlCallback(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);
};
