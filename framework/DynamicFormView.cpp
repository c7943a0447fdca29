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
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_WM_TIMER()
    ON_WM_GETMINMAXINFO()
    ON_WM_PARENTNOTIFY()
    ON_WM_DESTROY()
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

void cdxCDynamicFormView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    DoOnSize(nType);
}

void cdxCDynamicFormView::OnSizing(UINT fwSide, LPRECT pRect)
{
    CFormView::OnSizing(fwSide, pRect);
    DoOnSizing(fwSide);
}

void cdxCDynamicFormView::OnTimer(UINT_PTR nIDEvent)
{
    CFormView::OnTimer(nIDEvent);
    DoOnTimer(nIDEvent);
}

void cdxCDynamicFormView::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CFormView::OnGetMinMaxInfo(lpMMI);
    DoOnGetMinMaxInfo(lpMMI);
}

void cdxCDynamicFormView::OnParentNotify(UINT message, LPARAM lParam)
{
    CFormView::OnParentNotify(message, lParam);
    DoOnParentNotify(message, lParam);
}

void cdxCDynamicFormView::OnDestroy()
{
    DoOnDestroy();
    CFormView::OnDestroy();
}
