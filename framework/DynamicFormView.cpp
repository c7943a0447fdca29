// DynamicFormView.cpp - the resizable form view.
#include "DynamicFormView.h"

IMPLEMENT_DYNAMIC(cdxCDynamicFormView, CFormView)

cdxCDynamicFormView::cdxCDynamicFormView(UINT nIDTemplate)
    : CFormView(nIDTemplate), cdxCDynamicWnd(fdAll, flAntiFlicker)
{
    m_bUseScrollPos = TRUE;
}

cdxCDynamicFormView::cdxCDynamicFormView(LPCTSTR lpszTemplateName)
    : CFormView(lpszTemplateName), cdxCDynamicWnd(fdAll, flAntiFlicker)
{
    m_bUseScrollPos = TRUE;
}

BEGIN_MESSAGE_MAP(cdxCDynamicFormView, CFormView)
    ON_DYNAMIC_LAYOUT_MESSAGES()
END_MESSAGE_MAP()

// The layout starts from the form's own size (its scroll size), whatever the
// view's size is now. A view that is updated again for a new document keeps
// the layout it set up the first time: its controls have moved since.
void cdxCDynamicFormView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    if (!IsWindow())
        DoInitWindow(*this, GetTotalSize());
}

BOOL cdxCDynamicFormView::DestroyWindow()
{
    DoOnDestroy();
    return CFormView::DestroyWindow();
}

IMPLEMENT_DYNAMIC_LAYOUT_HANDLERS(cdxCDynamicFormView, CFormView)
