// DynamicDialog.cpp - the resizable dialog.
#include "DynamicDialog.h"
#include "ProfileKeys.h"

IMPLEMENT_DYNAMIC(cdxCDynamicDialog, CDialog)

// A dialog made from template id 0 (or without one) keeps no placement.
static CString ProfileNameOf(UINT idd)
{
    CString str;
    if (idd != 0)
        str.Format(szDialogProfileNameFormat, (unsigned long)idd);
    return str;
}

cdxCDynamicDialog::cdxCDynamicDialog(UINT idd, CWnd* pParent, Freedom fd, UINT nFlags)
    : CDialog(idd, pParent), cdxCDynamicWndEx(fd, nFlags)
{
    m_strProfileName = ProfileNameOf(idd);
}

cdxCDynamicDialog::cdxCDynamicDialog(LPCTSTR lpszTemplateName, CWnd* pParent, Freedom fd, UINT nFlags)
    : CDialog(lpszTemplateName, pParent), cdxCDynamicWndEx(fd, nFlags)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        m_strProfileName = ProfileNameOf((UINT)(UINT_PTR)lpszTemplateName);
}

cdxCDynamicDialog::cdxCDynamicDialog(CWnd* pParent, Freedom fd, UINT nFlags)
    : CDialog(), cdxCDynamicWndEx(fd, nFlags)
{
    m_pParentWnd = pParent;
}

cdxCDynamicDialog::~cdxCDynamicDialog()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BEGIN_MESSAGE_MAP(cdxCDynamicDialog, CDialog)
    ON_DYNAMIC_LAYOUT_MESSAGES()
END_MESSAGE_MAP()

BOOL cdxCDynamicDialog::OnInitDialog()
{
    BOOL bResult = CDialog::OnInitDialog();
    DoInitWindow(*this);
    return bResult;
}

BOOL cdxCDynamicDialog::DestroyWindow()
{
    DoOnDestroy();
    return CDialog::DestroyWindow();
}

IMPLEMENT_DYNAMIC_LAYOUT_HANDLERS(cdxCDynamicDialog, CDialog)
