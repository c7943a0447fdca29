// ExternalToolDlg.cpp - the external-tools editor.
#include "ExternalToolDlg.h"

#include "BasedApp.h"
#include "FileDialogST.h"
#include "ProfileKeys.h"
#include "framework_res.h"

IMPLEMENT_DYNAMIC(CExternalToolDlg, CBasedGridDlg)

namespace {

const char* const kColumns[] = {"Title", "Command", "Arguments", "Hotkey"};

CExternalToolArray* ApplicationTools()
{
    CBasedApp* pApp = GetBasedApp();
    return pApp != NULL ? &pApp->m_arrExternalTools : NULL;
}

}  // namespace

BEGIN_DYNAMIC_MAP(CExternalToolDlg, CBasedGridDlg)
    DYNAMIC_MAP_ENTRY_EX(IDC_GRID, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdResize)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_ADD, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdNone)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_DELETE, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdNone)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_DELETE_ALL, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdNone)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_UP, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_DOWN, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_CHOOSE, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_TITLE_LABEL, cdxCDynamicWnd::mdNone, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_COMMAND_LABEL, cdxCDynamicWnd::mdNone, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_ARGUMENTS_LABEL, cdxCDynamicWnd::mdNone, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_HOTKEY_LABEL, cdxCDynamicWnd::mdNone, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_TITLE, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_COMMAND, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_ARGUMENTS, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_TOOLS_HOTKEY, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDCANCEL, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
END_DYNAMIC_MAP()

BEGIN_MESSAGE_MAP(CExternalToolDlg, CBasedGridDlg)
    ON_EN_CHANGE(IDC_TOOLS_TITLE, &CExternalToolDlg::OnFieldChange)
    ON_EN_CHANGE(IDC_TOOLS_COMMAND, &CExternalToolDlg::OnFieldChange)
    ON_EN_CHANGE(IDC_TOOLS_ARGUMENTS, &CExternalToolDlg::OnFieldChange)
    ON_EN_CHANGE(IDC_TOOLS_HOTKEY, &CExternalToolDlg::OnFieldChange)
    ON_BN_CLICKED(IDC_TOOLS_ADD, &CExternalToolDlg::OnAdd)
    ON_BN_CLICKED(IDC_TOOLS_DELETE, &CExternalToolDlg::OnDelete)
    ON_BN_CLICKED(IDC_TOOLS_DELETE_ALL, &CExternalToolDlg::OnDeleteAll)
    ON_BN_CLICKED(IDC_TOOLS_UP, &CExternalToolDlg::OnUp)
    ON_BN_CLICKED(IDC_TOOLS_DOWN, &CExternalToolDlg::OnDown)
    ON_BN_CLICKED(IDC_TOOLS_CHOOSE, &CExternalToolDlg::OnChooseCommand)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CExternalToolDlg::CExternalToolDlg(CWnd* pParent)
    : CExternalToolDlg(ApplicationTools(), pParent)
{
}

CExternalToolDlg::CExternalToolDlg(CExternalToolArray* pTools, CWnd* pParent)
    : CBasedGridDlg(IDD_EXTERNAL_TOOLS, pParent), m_pTools(pTools), m_bShowing(false)
{
    m_strProfile = szSectionExternalToolDlg;
    for (LPCSTR pszColumn : kColumns)
        m_arrColumnNames.Add(pszColumn);
    m_nDefaultColumnWidth = nGridColumnWidthDefault;
    m_strItemNoun = "external tool";
}

void CExternalToolDlg::DoDataExchange(CDataExchange* pDX)
{
    CBasedGridDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TOOLS_ADD, m_btnAdd);
    DDX_Control(pDX, IDC_TOOLS_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_TOOLS_UP, m_btnUp);
    DDX_Control(pDX, IDC_TOOLS_DOWN, m_btnDown);
    DDX_Control(pDX, IDC_TOOLS_CHOOSE, m_btnChoose);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Control(pDX, IDC_TOOLS_DELETE_ALL, m_btnDeleteAll);
    DDX_Control(pDX, IDC_TOOLS_HOTKEY, m_wndHotKey);
    DDX_Text(pDX, IDC_TOOLS_TITLE, m_strTitle);
    DDX_Text(pDX, IDC_TOOLS_COMMAND, m_strCommand);
    DDX_Text(pDX, IDC_TOOLS_ARGUMENTS, m_strArguments);
}

BOOL CExternalToolDlg::OnInitDialog()
{
    CBasedGridDlg::OnInitDialog();
    // The rows keep the list's order.
    m_Grid.SetSortOnClick(FALSE);
    const ICON_BUTTON buttons[] = {
        {&m_btnAdd, IDI_GRID_ADD, "Add new item"},
        {&m_btnDelete, IDI_GRID_DELETE, "Delete current item"},
        {&m_btnUp, IDI_GRID_UP, "Move item up"},
        {&m_btnDown, IDI_GRID_DOWN, "Move item down"},
        {&m_btnChoose, IDI_GRID_CHOOSE, "Choose command"},
        {&m_btnClose, IDI_INPUT_CLOSE, "Close this dialog"},
        {&m_btnDeleteAll, IDI_GRID_DELETE_ALL, "Delete all items"},
    };
    SetUpIconButtons(buttons, (int)(sizeof buttons / sizeof buttons[0]));
    SelectRow(GetProfileInt(szGridSelectedRow, 0));
    ShowSelection();
    return FALSE;
}

void CExternalToolDlg::FillRows()
{
    const int nTools = m_pTools != NULL ? (int)m_pTools->GetSize() : 0;
    m_Grid.SetRowCount(nTools + 1);
    for (int i = 0; i < nTools; ++i) {
        const CExternalTool* pTool = m_pTools->GetAt(i);
        m_Grid.SetItemText(i + 1, 0, pTool->m_strTitle);
        m_Grid.SetItemText(i + 1, 1, pTool->m_strCommand);
        m_Grid.SetItemText(i + 1, 2, pTool->m_strArguments);
        m_Grid.SetItemText(i + 1, 3, pTool->m_strHotKey);
        m_Grid.SetItemData(i + 1, 0, i);
    }
}

CExternalTool* CExternalToolDlg::GetSelectedTool(BOOL bWarn)
{
    int nIndex = GetSelectedItemData(bWarn);
    if (m_pTools == NULL || nIndex < 0 || nIndex >= m_pTools->GetSize())
        return NULL;
    return m_pTools->GetAt(nIndex);
}

void CExternalToolDlg::ShowSelection()
{
    CExternalTool* pTool = GetSelectedTool(FALSE);
    m_bShowing = true;
    if (pTool == NULL) {
        m_strTitle.Empty();
        m_strCommand.Empty();
        m_strArguments.Empty();
        m_wndHotKey.SetHotKey(0, 0);
    } else {
        m_strTitle = pTool->m_strTitle;
        m_strCommand = pTool->m_strCommand;
        m_strArguments = pTool->m_strArguments;
        m_wndHotKey.SetHotKey((BYTE)pTool->m_nVirtualKey, (BYTE)pTool->m_nModifiers);
    }
    UpdateData(FALSE);
    m_bShowing = false;
    UpdateControls();
    m_Grid.SetFocus();
}

void CExternalToolDlg::UpdateControls()
{
    if (m_btnAdd.GetSafeHwnd() == NULL)
        return;
    const BOOL bSelected = GetSelectedTool(FALSE) != NULL;
    const int nRow = GetSelectedRow(FALSE);
    const int nInputs[] = {IDC_TOOLS_TITLE, IDC_TOOLS_COMMAND, IDC_TOOLS_ARGUMENTS, IDC_TOOLS_HOTKEY};
    m_btnDelete.EnableWindow(bSelected);
    m_btnChoose.EnableWindow(bSelected);
    for (int nId : nInputs)
        GetDlgItem(nId)->EnableWindow(bSelected);
    m_btnUp.EnableWindow(nRow > 1);
    m_btnDown.EnableWindow(nRow != -1 && nRow < m_Grid.GetRowCount() - 1);
    m_btnDeleteAll.EnableWindow(m_Grid.GetRowCount() > 1);
}

void CExternalToolDlg::OnFieldChange()
{
    if (m_bShowing)
        return;
    ApplyFields();
}

void CExternalToolDlg::ApplyFields()
{
    CExternalTool* pTool = GetSelectedTool(TRUE);
    if (pTool == NULL)
        return;
    UpdateData(TRUE);
    pTool->m_strTitle = m_strTitle;
    pTool->m_strCommand = m_strCommand;
    pTool->m_strArguments = m_strArguments;
    WORD wKey = 0, wModifiers = 0;
    m_wndHotKey.GetHotKey(wKey, wModifiers);
    pTool->m_nVirtualKey = (short)wKey;
    pTool->m_nModifiers = (short)wModifiers;
    pTool->m_strHotKey = wKey != 0 ? m_wndHotKey.GetHotKeyName() : CString();
    Refill();
}

void CExternalToolDlg::OnAdd()
{
    if (m_pTools == NULL)
        return;
    CExternalTool* pTool = new CExternalTool;
    pTool->m_strTitle.Format("External Tool #%d", (int)m_pTools->GetSize());
    m_pTools->Add(pTool);
    Refill();
    SelectRow(m_Grid.GetRowCount() - 1);
    ShowSelection();
}

void CExternalToolDlg::OnDelete()
{
    int nIndex = GetSelectedItemData(TRUE);
    if (m_pTools == NULL || nIndex < 0 || nIndex >= m_pTools->GetSize())
        return;
    delete m_pTools->GetAt(nIndex);
    m_pTools->RemoveAt(nIndex);
    Refill();
    ShowSelection();
}

void CExternalToolDlg::OnDeleteAll()
{
    CBasedApp* pApp = GetBasedApp();
    int nAnswer = pApp != NULL
        ? pApp->QuestionMessageOnce("Are you sure to delete all external tools ?", "Question",
                                    szExternalToolsQuestionKey)
        : IDNO;
    if (nAnswer != IDYES || m_pTools == NULL)
        return;
    DeleteExternalTools(*m_pTools);
    Refill();
    ShowSelection();
}

void CExternalToolDlg::MoveSelected(int nStep)
{
    int nRow = GetSelectedRow(TRUE);
    int nIndex = GetSelectedItemData(FALSE);
    if (nRow == -1 || m_pTools == NULL || nIndex < 0)
        return;
    int nOther = nIndex + nStep;
    if (nOther < 0 || nOther >= m_pTools->GetSize())
        return;
    CExternalTool* pTool = m_pTools->GetAt(nIndex);
    m_pTools->SetAt(nIndex, m_pTools->GetAt(nOther));
    m_pTools->SetAt(nOther, pTool);
    Refill();
    SelectRowByData(nOther, 0);
    ShowSelection();
}

void CExternalToolDlg::OnUp()
{
    MoveSelected(-1);
}

void CExternalToolDlg::OnDown()
{
    MoveSelected(1);
}

// No default extension: a name typed without one is taken as typed.
void CExternalToolDlg::OnChooseCommand()
{
    if (GetSelectedTool(TRUE) == NULL)
        return;
    CString strFilter = CFileDialogST::MakeFilter("All Exetables\n*.exe\nAll files\n*.*\n");
    CFileDialogST dlg(TRUE, NULL, NULL, OFN_OVERWRITEPROMPT, strFilter, this);
    if (dlg.DoModal() != IDOK)
        return;
    m_strCommand = dlg.GetPathName();
    m_bShowing = true;
    SetDlgItemText(IDC_TOOLS_COMMAND, m_strCommand);
    m_bShowing = false;
    ApplyFields();
}

void CExternalToolDlg::OnDestroy()
{
    WriteProfileInt(szGridSelectedRow, GetSelectedRow(FALSE));
    CBasedGridDlg::OnDestroy();
}
