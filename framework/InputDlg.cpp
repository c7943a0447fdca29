// InputDlg.cpp - the text and date input dialogs.
#include "InputDlg.h"
#include "framework_res.h"

IMPLEMENT_DYNAMIC(CBaseInputStringDlg, CBaseDlg)
IMPLEMENT_DYNAMIC(CBaseInputDateDlg, CBaseDlg)

namespace {

// What both dialogs show alike: OK and Cancel as 16 by 16 icons with balloon
// tooltips, and the caption given to the dialog.
void SetUpFrame(CDialog& dlg, const CString& strCaption, CButtonST& ok, CButtonST& cancel)
{
    ok.SetIcon(IDI_INPUT_SAVE, 16, 16);
    ok.EnableBalloonTooltip();
    ok.SetTooltipText("Save and Close");
    cancel.SetIcon(IDI_INPUT_CLOSE, 16, 16);
    cancel.EnableBalloonTooltip();
    cancel.SetTooltipText("Close without saving");
    dlg.SetWindowText(strCaption);
}

}  // namespace

// ---------------------------------------------------------------------------
// CBaseInputStringDlg
// ---------------------------------------------------------------------------
BEGIN_DYNAMIC_MAP(CBaseInputStringDlg, CBaseDlg)
    DYNAMIC_MAP_ENTRY_EX(IDC_INPUT_TEXT, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdResize)
    DYNAMIC_MAP_ENTRY_EX(IDOK, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDCANCEL, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
END_DYNAMIC_MAP()

CBaseInputStringDlg::CBaseInputStringDlg(LPCTSTR lpszInitial, LPCTSTR lpszCaption, UINT nIDTemplate, CWnd* pParent)
    : CBaseDlg(nIDTemplate, pParent), m_strCaption(lpszCaption), m_strInitial(lpszInitial)
{
}

void CBaseInputStringDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_INPUT_TEXT, m_edit);
}

// The focus is put into the edit, so the result is FALSE.
BOOL CBaseInputStringDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    SetUpFrame(*this, m_strCaption, m_btnOK, m_btnCancel);
    m_edit.SetWindowText(m_strInitial);
    m_edit.SetFocus();
    return FALSE;
}

void CBaseInputStringDlg::OnOK()
{
    m_edit.GetWindowText(m_strResult);
    CBaseDlg::OnOK();
}

// Whatever the edit holds, a cancelled dialog has no result.
void CBaseInputStringDlg::OnCancel()
{
    CBaseDlg::OnCancel();
}

// ---------------------------------------------------------------------------
// CBaseInputDateDlg
// ---------------------------------------------------------------------------
BEGIN_DYNAMIC_MAP(CBaseInputDateDlg, CBaseDlg)
    DYNAMIC_MAP_ENTRY_EX(IDC_INPUT_DATE_PICKER, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdResize)
    DYNAMIC_MAP_ENTRY_EX(IDOK, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDCANCEL, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
END_DYNAMIC_MAP()

CBaseInputDateDlg::CBaseInputDateDlg(const COleDateTime& dtInitial, LPCTSTR lpszCaption, CWnd* pParent)
    : CBaseDlg(IDD_INPUT_DATE, pParent), m_dtInitial(dtInitial), m_strCaption(lpszCaption)
{
    // The template's picker class must be registered before the dialog is made.
    AfxInitCommonControls();
}

void CBaseInputDateDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INPUT_DATE_PICKER, m_picker);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

// An initial value whose date is invalid goes to the picker unchanged: what
// it shows then is the picker's own behaviour.
BOOL CBaseInputDateDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    SetUpFrame(*this, m_strCaption, m_btnOK, m_btnCancel);
    m_picker.SetFormat("dddd : dd - MMMM - yyyy  ---  (HH : mm : ss)");
    m_picker.SetTime(m_dtInitial);
    m_picker.SetFocus();
    return FALSE;
}

void CBaseInputDateDlg::OnOK()
{
    m_picker.GetTime(m_dtResult);
    m_picker.GetTime(m_tmResult);
    CBaseDlg::OnOK();
}
