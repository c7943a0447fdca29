#include "OXTreeCombo.h"

#include "OXTreeCtrl.h"

void OXTreeSendEndEdit(CWnd* pTree, UINT nEditorID, int nRow, int nColumn, LPCTSTR lpszText)
{
    if (pTree == NULL || pTree->GetSafeHwnd() == NULL)
        return;
    CString text(lpszText);
    NMLVDISPINFOA nm = {};
    nm.hdr.hwndFrom = pTree->m_hWnd;
    nm.hdr.idFrom = nEditorID;
    nm.hdr.code = LVN_ENDLABELEDITA;
    nm.item.mask = LVIF_TEXT;
    nm.item.iItem = nRow;
    nm.item.iSubItem = nColumn;
    nm.item.pszText = text.GetBuffer();
    nm.item.cchTextMax = text.GetLength();
    HWND hParent = ::GetParent(pTree->m_hWnd);
    if (hParent != NULL)
        ::SendMessageA(hParent, WM_NOTIFY, ::GetDlgCtrlID(pTree->m_hWnd), (LPARAM)&nm);
    text.ReleaseBuffer();
}

// ---------------------------------------------------------------------------
// COXTreeCombo
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(COXTreeCombo, CComboBox)
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

void COXTreeCombo::StartEdit(COXTreeCtrl* pTree, HTREEITEM hItem, int nRow, int nColumn)
{
    m_pTree = pTree;
    m_nRow = nRow;
    m_nColumn = nColumn;
    m_bEnded = FALSE;
    ResetContent();
    CStringArray* pChoices = pTree->GetItemChoices(hItem, nColumn);
    if (pChoices != NULL)
        for (INT_PTR i = 0; i < pChoices->GetSize(); i++)
            AddString(pChoices->GetAt(i));
    // The exact text, not the first choice that begins with it ("1" is not "10").
    const int nFound = (int)SendMessage(CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCSTR)pTree->GetItemText(hItem, nColumn));
    if (nFound != CB_ERR)
        SetCurSel(nFound);
}

void COXTreeCombo::EndEdit(BOOL bCommit)
{
    if (m_hWnd == NULL)
        return;
    CString text;
    GetWindowText(text);
    // No choice picked: nothing to write, leaving the cell as it was.
    if (GetCurSel() == CB_ERR)
        bCommit = FALSE;
    const BOOL bFirst = !m_bEnded;
    m_bEnded = TRUE;
    if (bFirst)
        OXTreeSendEndEdit(m_pTree, GetDlgCtrlID(), bCommit ? m_nRow : -1, m_nColumn, text);
    DestroyWindow();
}

BOOL COXTreeCombo::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        if (pMsg->wParam == VK_RETURN) {
            ::TranslateMessage(pMsg);
            ::DispatchMessage(pMsg);
        }
        EndEdit(pMsg->wParam == VK_RETURN);
        return TRUE;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

UINT COXTreeCombo::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

// Return and Escape also reach the combo as plain key messages (a loop that
// does not pre-translate, or a message sent straight to it).
LRESULT COXTreeCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE) && !m_bEnded) {
        if (wParam == VK_ESCAPE && GetDroppedState())
            ShowDropDown(FALSE);
        EndEdit(wParam == VK_RETURN);
        return 0;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}

void COXTreeCombo::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    if (!m_bEnded && m_hWnd != NULL && (pNewWnd == NULL || !::IsChild(m_hWnd, pNewWnd->m_hWnd)))
        EndEdit(TRUE);
}
