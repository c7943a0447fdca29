// cdxCDynamicBarDlg.h - cdxCDynamicBarDlg: the dialog a cdxCDynamicBar hosts,
// laid out by the dynamic-layout engine, made from a child dialog template
// (WS_CHILD) whose id it knows.
#pragma once

#include "DynamicDialog.h"

class cdxCDynamicBarDlg : public cdxCDynamicDialog
{
    DECLARE_DYNAMIC(cdxCDynamicBarDlg)
public:
    explicit cdxCDynamicBarDlg(UINT nIDTemplate, CWnd* pParent = NULL);
    virtual ~cdxCDynamicBarDlg() {}

    UINT GetTemplateID() const { return m_nIDBarTemplate; }
    // Creates the dialog as a child of the bar.
    BOOL CreateInBar(CWnd* pBar) { return CDialog::Create(m_nIDBarTemplate, pBar); }
    // The smallest client size the layout allows.
    CSize GetMinSize() const { return m_szMin; }
    void StartAntiFlickerTimer(BOOL bRightOrBottom) override { cdxCDynamicDialog::StartAntiFlickerTimer(bRightOrBottom); }

protected:
    // Enter and Escape in a bar close nothing.
    void OnOK() override {}
    void OnCancel() override {}

    UINT m_nIDBarTemplate;
};
