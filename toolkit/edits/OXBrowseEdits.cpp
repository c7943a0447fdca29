#include "OXBrowseEdits.h"

OX_IMPLEMENT_DYNCREATE_OVER_T(COXBrowseColorEdit, COXBaseBrowseColorEdit<COXEdit>)
OX_IMPLEMENT_DYNCREATE_OVER_T(COXBrowseDirEdit, COXBaseBrowseDirEdit<COXEdit>)
OX_IMPLEMENT_DYNCREATE_OVER_T(COXBrowseFileEdit, COXBaseBrowseFileEdit<COXEdit>)

void COXBrowseColorEdit::OnColorChanged(COLORREF clr)
{
    if (!::IsWindow(m_hWnd))
        return;
    if (m_bShowColor) {
        if (clr == 0xFFFFFFFF) {
            SetBkColor(::GetSysColor(COLOR_WINDOW), TRUE);
            SetTextColor(::GetSysColor(COLOR_WINDOWTEXT), TRUE);
        } else {
            SetBkColor(clr, TRUE);
            SetTextColor(OXContrastColor(clr), TRUE);
        }
    }
    EmptyData(TRUE);
    SetInputData(GetColorText(clr), 0);
}

void AFXAPI DDX_BrowseColor(CDataExchange* pDX, int nIDC, COLORREF& clr)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    COXBrowseColorEdit* pEdit = dynamic_cast<COXBrowseColorEdit*>(CWnd::FromHandlePermanent(hWnd));
    if (pEdit == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        clr = pEdit->GetColor();
    else
        pEdit->SetColor(clr);
}

// A path replaces the formatted edit's input, the caret at its start.
static void SetEditPath(COXEdit& edit, LPCTSTR lpszPath)
{
    edit.EmptyData(TRUE);
    edit.SetInputData(lpszPath, 0);
    edit.MoveCaretForward(0);
}

void COXBrowseDirEdit::SetPath(LPCTSTR lpszPath)
{
    SetEditPath(*this, lpszPath);
}

void COXBrowseFileEdit::SetPath(LPCTSTR lpszPath)
{
    SetEditPath(*this, lpszPath);
}
