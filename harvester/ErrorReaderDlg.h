// ErrorReaderDlg.h - CErrorReaderDlg: shows the exception report that the
// framework's exception reporter leaves in the temporary folder, so that a
// user can read it after a crash. Nothing is written: OK and Cancel only close.
#pragma once

#include "BaseDlg.h"

class CErrorReaderDlg : public CBaseDlg
{
    DECLARE_DYNAMIC(CErrorReaderDlg)
public:
    explicit CErrorReaderDlg(CWnd* pParent = NULL);
    ~CErrorReaderDlg() override;

    // The exception reporter's report: the temporary folder as the system
    // reports it, the program name and ".err"; empty when the system gives
    // no temporary folder.
    static CString GetReportPath();

protected:
    CButtonST m_btnOK;
    CEdit m_wndReport;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    DECLARE_DYNAMIC_MAP()
};
