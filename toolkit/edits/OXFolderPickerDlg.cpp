#include "OXFolderPickerDlg.h"

IMPLEMENT_DYNAMIC(COXFolderPickerDlg, CDialog)

static const char HISTORY_VALUE[] = "Current Folder";

BEGIN_MESSAGE_MAP(COXFolderPickerDlg, CDialog)
    ON_BN_CLICKED(IDC_OX_FOLDER_CONTEXTMENU, &COXFolderPickerDlg::OnContextMenus)
    ON_BN_CLICKED(IDC_OX_FOLDER_SHOWFILES, &COXFolderPickerDlg::OnShowFiles)
    ON_BN_CLICKED(IDC_OX_FOLDER_HIDDEN, &COXFolderPickerDlg::OnShellOwner)
    ON_BN_CLICKED(IDC_OX_FOLDER_BELOWROOT, &COXFolderPickerDlg::OnRootItem)
    ON_BN_CLICKED(IDC_OX_FOLDER_SHELLITEMS, &COXFolderPickerDlg::OnFileSystemOnly)
    ON_BN_CLICKED(IDC_OX_FOLDER_REFRESH, &COXFolderPickerDlg::OnRefresh)
    ON_BN_CLICKED(IDC_OX_FOLDER_GO, &COXFolderPickerDlg::OnGo)
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_OX_FOLDER_TREE, &COXFolderPickerDlg::OnSelChanged)
END_MESSAGE_MAP()

COXFolderPickerDlg::COXFolderPickerDlg(LPCTSTR lpszInitialFolder, LPCTSTR lpszRootFolder, BOOL bRootItem,
                                       BOOL bContextMenus, BOOL bShowFiles, BOOL bFileSystemOnly, LPCTSTR lpszFilter,
                                       BOOL bShellOwner, CWnd* pParentWnd, UINT nTitleID)
    : CDialog(IDD_OX_FOLDER_PICKER, pParentWnd), m_comboFolder(OX_HISTORY_TOOLBAR_RIGHT_CENTER, FALSE,
                                                                IDR_OX_HISTORY_COMBO),
      m_treeFolder(TRUE, TRUE, TRUE, TRUE, FALSE, ""), m_bContextMenus(bContextMenus), m_bShowFiles(bShowFiles),
      m_bShellOwner(bShellOwner), m_bRootItem(bRootItem), m_bFileSystemOnly(bFileSystemOnly),
      m_sFolder(lpszInitialFolder ? lpszInitialFolder : ""), m_sFilter(lpszFilter ? lpszFilter : ""),
      m_sRootFolder(lpszRootFolder ? lpszRootFolder : "")
{
    m_sTitle.LoadString(nTitleID);
}

CString COXFolderPickerDlg::MakeWindowTitle() const
{
    CString sOpen, sDesktop;
    sOpen.LoadString(IDS_OX_FOLDER_TITLE_ROOT);
    sDesktop.LoadString(IDS_OX_FOLDER_TITLE_DESKTOP);
    return m_sTitle + sOpen + (m_sRootFolder.IsEmpty() ? sDesktop : m_sRootFolder) + " ]";
}

void COXFolderPickerDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_FOLDER_COMBO, m_comboFolder);
    DDX_Control(pDX, IDC_OX_FOLDER_TREE, m_treeFolder);
    DDX_Check(pDX, IDC_OX_FOLDER_SHOWFILES, m_bShowFiles);
    DDX_Check(pDX, IDC_OX_FOLDER_CONTEXTMENU, m_bContextMenus);
    DDX_Check(pDX, IDC_OX_FOLDER_HIDDEN, m_bShellOwner);
    DDX_Check(pDX, IDC_OX_FOLDER_SHELLITEMS, m_bFileSystemOnly);
    DDX_Check(pDX, IDC_OX_FOLDER_BELOWROOT, m_bRootItem);
    DDX_CBStringExact(pDX, IDC_OX_FOLDER_COMBO, m_sFolder);
}

void COXFolderPickerDlg::CopyOptionsToTree()
{
    m_treeFolder.m_bContextMenus = m_bContextMenus;
    m_treeFolder.m_bShowFiles = m_bShowFiles;
    m_treeFolder.m_bShellOwner = m_bShellOwner;
    m_treeFolder.m_bRootItem = m_bRootItem;
    m_treeFolder.m_bFileSystemOnly = m_bFileSystemOnly;
    m_treeFolder.ApplyShellOwner();
}

BOOL COXFolderPickerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_comboFolder.SetAutoPersistent(HISTORY_VALUE);
    for (int i = 0; i < 10; ++i)
        m_comboFolder.SetButtonFlag(i, FALSE);
    m_comboFolder.InitializeToolbar();
    CString sTreeText;
    sTreeText.LoadString(IDS_OX_FOLDER_TREE_TEXT);
    m_treeFolder.SetWindowText(sTreeText);
    CopyOptionsToTree();
    m_treeFolder.SetFilter(m_sFilter);
    m_treeFolder.InitializeTree(m_sRootFolder);
    m_treeFolder.OpenFolder(m_sFolder);
    SetWindowText(MakeWindowTitle());
    return TRUE;
}

void COXFolderPickerDlg::ApplyOption(BOOL bRebuild)
{
    UpdateData(TRUE);
    CopyOptionsToTree();
    if (bRebuild)
        m_treeFolder.RefreshItem(TVI_ROOT);
}

void COXFolderPickerDlg::OnContextMenus() { ApplyOption(FALSE); }
void COXFolderPickerDlg::OnShowFiles() { ApplyOption(TRUE); }
void COXFolderPickerDlg::OnShellOwner() { ApplyOption(FALSE); }
void COXFolderPickerDlg::OnRootItem() { ApplyOption(TRUE); }
void COXFolderPickerDlg::OnFileSystemOnly() { ApplyOption(TRUE); }
void COXFolderPickerDlg::OnRefresh() { m_treeFolder.RefreshItem(TVI_ROOT); }

void COXFolderPickerDlg::OnGo()
{
    UpdateData(TRUE);
    CWaitCursor wait;
    m_treeFolder.EnableRedraw(FALSE);
    if (m_treeFolder.OpenFolder(m_sFolder))
        m_treeFolder.SetFocus();
    m_treeFolder.EnableRedraw(TRUE);
}

void COXFolderPickerDlg::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWA* pTV = (NMTREEVIEWA*)pNMHDR;
    if (pTV->itemNew.hItem != NULL) {
        m_sFolder = m_treeFolder.GetItemPath(pTV->itemNew.hItem);
        UpdateData(FALSE);
    }
    *pResult = 0;
}
