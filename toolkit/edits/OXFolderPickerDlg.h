// COXFolderPickerDlg: chooses a folder in a shell folder tree, with a history
// combo of the folders typed (kept in the registry) and check boxes for the
// tree's settings.
#pragma once

#include <afxwin.h>

#include "OXHistoryCombo.h"
#include "OXShellFolderTree.h"
#include "toolkit_res.h"

class COXFolderPickerDlg : public CDialog
{
    DECLARE_DYNAMIC(COXFolderPickerDlg)
public:
    COXFolderPickerDlg(LPCTSTR lpszInitialFolder = NULL, LPCTSTR lpszRootFolder = NULL, BOOL bRootItem = TRUE,
                       BOOL bContextMenus = TRUE, BOOL bShowFiles = TRUE, BOOL bFileSystemOnly = FALSE,
                       LPCTSTR lpszFilter = NULL, BOOL bShellOwner = TRUE, CWnd* pParentWnd = NULL,
                       UINT nTitleID = IDS_OX_FOLDER_PICKER_TITLE);

    CString GetFolder() const { return m_sFolder; }
    void SetTitle(LPCTSTR lpszTitle) { m_sTitle = lpszTitle ? lpszTitle : ""; }
    CString GetTitle() const { return m_sTitle; }
    // "<title><26963><root or 26964> ]"
    CString MakeWindowTitle() const;

    COXHistoryCombo m_comboFolder;
    COXShellFolderTree m_treeFolder;
    BOOL m_bContextMenus;
    BOOL m_bShowFiles;
    BOOL m_bShellOwner;
    BOOL m_bRootItem;
    BOOL m_bFileSystemOnly;
    CString m_sFolder;
    CString m_sFilter;
    CString m_sRootFolder;
    CString m_sTitle;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;

    void CopyOptionsToTree();
    void ApplyOption(BOOL bRebuild);

    afx_msg void OnContextMenus();
    afx_msg void OnShowFiles();
    afx_msg void OnShellOwner();
    afx_msg void OnRootItem();
    afx_msg void OnFileSystemOnly();
    afx_msg void OnRefresh();
    afx_msg void OnGo();
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
