// DynamicFormView.h - a resizable form view: CFormView laid out by the dynamic
// layout engine. A view smaller than its form scrolls instead of squeezing
// its controls.
#pragma once

#include <afxext.h>
#include "DynamicWnd.h"

class cdxCDynamicFormView : public CFormView, public cdxCDynamicWnd
{
    DECLARE_DYNAMIC(cdxCDynamicFormView)
protected:
    explicit cdxCDynamicFormView(UINT nIDTemplate);
    explicit cdxCDynamicFormView(LPCTSTR lpszTemplateName);
public:
    virtual ~cdxCDynamicFormView() {}

    void OnInitialUpdate() override;
    BOOL DestroyWindow() override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
