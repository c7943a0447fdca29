// AccelMapDlg.cpp - CAccelMapDlg.
#include "AccelMapDlg.h"

#include "AcceleratorManager.h"
#include "controls_res.h"

IMPLEMENT_DYNAMIC(CAccelMapDlg, CBaseDlg)

BEGIN_MESSAGE_MAP(CAccelMapDlg, CBaseDlg)
    ON_LBN_SELCHANGE(IDC_ACCEL_COMMANDS, OnSelChangeCommands)
    ON_BN_CLICKED(IDC_ACCEL_ASSIGN, OnAssign)
    ON_BN_CLICKED(IDC_ACCEL_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_ACCEL_RESET, OnResetAll)
END_MESSAGE_MAP()

// The dialog keeps its template's size: nothing moves.
BEGIN_DYNAMIC_MAP(CAccelMapDlg, CBaseDlg)
END_DYNAMIC_MAP()

CAccelMapDlg::CAccelMapDlg(CAcceleratorManager* pManager, CWnd* pParent)
    : CBaseDlg(IDD_ACCEL_MAP, pParent), m_pManager(pManager)
{
    m_strProfile = "CAccelMapDlg";
}

void CAccelMapDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDlg::DoDataExchange(pDX);
}

BOOL CAccelMapDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    if (m_pManager == NULL) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    ModifyStyle(0, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    m_Owner.SubclassDlgItem(IDC_ACCEL_OWNER, this);
    m_KeyboardEdit.SubclassDlgItem(IDC_ACCEL_KEY, this);
    m_AccelList.SubclassDlgItem(IDC_ACCEL_LIST, this);
    m_CommandList.SubclassDlgItem(IDC_ACCEL_COMMANDS, this);
    m_Helper.SetManager(m_pManager);
    m_Helper.SetControls(&m_KeyboardEdit, &m_AccelList, &m_CommandList, &m_Owner);
    if (!m_pManager->IsEmpty())
        m_Helper.FillCommandList();
    else
        m_KeyboardEdit.EnableWindow(FALSE);
    return TRUE;
}

void CAccelMapDlg::OnSelChangeCommands()
{
    m_Helper.ShowAccels();
    UpdateData(FALSE);
}

void CAccelMapDlg::OnAssign()
{
    UpdateData(TRUE);
    m_Helper.Assign();
    UpdateData(FALSE);
}

void CAccelMapDlg::OnRemove()
{
    m_Helper.Remove();
    UpdateData(FALSE);
}

void CAccelMapDlg::OnResetAll()
{
    m_Helper.ResetAll();
}
