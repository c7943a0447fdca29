// ErrorReaderDlg.cpp - the exception report reader.
#include "ErrorReaderDlg.h"

#include "ExceptionReport.h"
#include "FrameworkUtils.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CErrorReaderDlg, CBaseDlg)

namespace {

// The OK button's picture (the framework's resources).
const int nIDOkIcon = 160;

}  // namespace

BEGIN_DYNAMIC_MAP(CErrorReaderDlg, CBaseDlg)
    DYNAMIC_MAP_ENTRY_EX(IDC_INPUT_STRING, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdResize)
    DYNAMIC_MAP_ENTRY_EX(IDOK, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDCANCEL, cdxCDynamicWnd::mdNone, cdxCDynamicWnd::mdNone)
END_DYNAMIC_MAP()

CErrorReaderDlg::CErrorReaderDlg(CWnd* pParent) : CBaseDlg(IDD_INPUT_STRING, pParent)
{
    m_strProfile = "CErrorReaderDlg";
}

CErrorReaderDlg::~CErrorReaderDlg()
{
}

// The file the exception reporter writes; no temporary folder gives no path
// (the dialog then shows "No file").
CString CErrorReaderDlg::GetReportPath()
{
    return GetExceptionReportPath();
}

void CErrorReaderDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDC_INPUT_STRING, m_wndReport);
}

BOOL CErrorReaderDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    m_btnOK.SetIcon(nIDOkIcon, 16, 16);
    m_btnOK.EnableBalloonTooltip();
    m_btnOK.SetTooltipText("Close this dialog");

    // The template is also a text input elsewhere, with a caption and an edit
    // of its own: here it has the reader's caption and only shows.
    SetWindowText("Error report dialog");
    m_wndReport.SendMessage(EM_SETREADONLY, TRUE);
    CString sPath = GetReportPath();
    m_wndReport.SetWindowText(sPath.IsEmpty() ? CString("No file") : ReadTextFile(sPath));
    UpdateData(FALSE);
    return TRUE;
}
