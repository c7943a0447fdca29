// InputDlg.h - the two small modal dialogs that ask the user for one value:
// CBaseInputStringDlg for text, CBaseInputDateDlg for a date and time. The
// input control stretches with the dialog; OK and Cancel keep to its lower
// right corner.
#pragma once

#include "BaseDlg.h"
#include <afxcmn.h>
#include <afxdisp.h>

class CBaseInputStringDlg : public CBaseDlg
{
    DECLARE_DYNAMIC(CBaseInputStringDlg)
public:
    // The template needs an edit 1208, OK and Cancel; the caption replaces its own.
    CBaseInputStringDlg(LPCTSTR lpszInitial, LPCTSTR lpszCaption, UINT nIDTemplate, CWnd* pParent = NULL);

    CString m_strCaption;
    CString m_strInitial;
    CString m_strResult;    // what the user typed, after OK; empty otherwise

protected:
    CButtonST m_btnOK;
    CButtonST m_btnCancel;
    CEdit m_edit;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    DECLARE_DYNAMIC_MAP()
};

class CBaseInputDateDlg : public CBaseDlg
{
    DECLARE_DYNAMIC(CBaseInputDateDlg)
public:
    CBaseInputDateDlg(const COleDateTime& dtInitial, LPCTSTR lpszCaption, CWnd* pParent = NULL);

    COleDateTime m_dtInitial;
    COleDateTime m_dtResult;    // the chosen moment, after OK
    CTime m_tmResult;
    CString m_strCaption;

protected:
    CDateTimeCtrl m_picker;
    CButtonST m_btnOK;
    CButtonST m_btnCancel;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    DECLARE_DYNAMIC_MAP()
};
