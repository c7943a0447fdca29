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
    DECLARE_DYNAMIC_LAYOUT_HANDLERS()
    DECLARE_MESSAGE_MAP()
};
