#include "OXTreeCal.h"

#include "OXTreeCtrl.h"

namespace {

BOOL IsDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid;
}

// A choice string read as a date in the user's locale; unreadable: invalid.
COleDateTime ParseChoice(const CString& sText)
{
    COleDateTime date;
    if (!date.ParseDateTime(sText, 0, LANG_USER_DEFAULT))
        date.SetStatus(COleDateTime::invalid);
    return date;
}

} // namespace

void COXTreeCal::StartEdit(COXTreeCtrl* pTree, HTREEITEM hItem, int nRow, int nColumn)
{
    m_pTree = pTree;
    m_nRow = nRow;
    m_nColumn = nColumn;
    m_bEnded = FALSE;
    m_edit.SetWindowText(pTree->GetItemText(hItem, nColumn));
    m_keys.m_pCal = this;
    m_keys.HookWindow(&m_edit);   // let go when the field goes
    // The range of an earlier cell does not carry over.
    m_dateMin = COleDateTime(100, 1, 1, 0, 0, 0);
    m_dateMax = COleDateTime(9999, 12, 31, 0, 0, 0);
    CStringArray* pChoices = pTree->GetItemChoices(hItem, nColumn);
    if (pChoices == NULL || pChoices->GetSize() == 0)
        return;
    COleDateTime dateMin;
    dateMin.SetStatus(COleDateTime::invalid);
    COleDateTime dateMax(9999, 12, 31, 0, 0, 0);
    dateMin = ParseChoice(pChoices->GetAt(0));
    if (pChoices->GetSize() > 1)
        dateMax = ParseChoice(pChoices->GetAt(1));
    SetRange(dateMin, dateMax);   // refused, keeping the calendar's own, when unreadable or reversed
}

BOOL COXTreeCal::IsTextCommittable()
{
    CString sText;
    m_edit.GetWindowText(sText);
    sText.Trim();
    if (sText.IsEmpty())
        return TRUE;
    const COleDateTime date = GetDate();
    if (!IsDate(date))
        return FALSE;
    return !(IsDate(m_dateMin) && date < m_dateMin) && !(IsDate(m_dateMax) && date > m_dateMax);
}

void COXTreeCal::EndEdit(BOOL bCommit)
{
    // Once per edit: the destruction below moves the focus away again.
    if (m_bEnded || m_hWnd == NULL)
        return;
    m_bEnded = TRUE;
    if (bCommit && !IsTextCommittable())
        bCommit = FALSE;
    CString sText;
    m_edit.GetWindowText(sText);
    OXTreeSendEndEdit(m_pTree, GetDlgCtrlID(), bCommit ? m_nRow : -1, m_nColumn, sText);
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL COXTreeCal::IsOwnWindow(HWND hWnd) const
{
    return hWnd != NULL && (hWnd == m_hWnd || hWnd == m_edit.m_hWnd || hWnd == m_popup.m_hWnd);
}

BOOL COXTreeCal::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && !m_bEnded) {
        const BOOL bReturn = pMsg->wParam == VK_RETURN && pMsg->hwnd == m_edit.m_hWnd;
        if (bReturn || (pMsg->wParam == VK_ESCAPE && IsOwnWindow(pMsg->hwnd))) {
            if (bReturn)
                TakeOverTypedDate();
            m_bKeyTaken = TRUE;   // the field's own handling of the key stands back
            ::TranslateMessage(pMsg);
            ::DispatchMessage(pMsg);
            m_bKeyTaken = FALSE;
            EndEdit(bReturn);
            return TRUE;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT COXTreeCalKeys::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE) && !m_pCal->m_bEnded &&
        !m_pCal->m_bKeyTaken) {
        if (wParam == VK_RETURN)
            m_pCal->TakeOverTypedDate();
        m_pCal->EndEdit(wParam == VK_RETURN);
        return 0;
    }
    if (message == WM_CHAR && (wParam == '\r' || wParam == 0x1B))
        return 0;   // no beep for the keys that end the edit
    return COXHookWnd::WindowProc(message, wParam, lParam);
}

LRESULT COXTreeCal::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KILLFOCUS) {
        const LRESULT lResult = COXCalendar::WindowProc(message, wParam, lParam);
        // The focus passing to the field or the pop-up keeps the edit open;
        // so does a focus loss that names no window.
        if ((HWND)wParam != NULL && !IsOwnWindow((HWND)wParam))
            EndEdit(TRUE);
        return lResult;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == ID_EDIT && HIWORD(wParam) == EN_KILLFOCUS &&
        (HWND)lParam == m_edit.m_hWnd) {
        if (m_bEnded)
            return 0;
        TakeOverTypedDate();
        const HWND hFocus = ::GetFocus();
        if (hFocus == m_hWnd || hFocus == m_popup.m_hWnd || ::GetCapture() == m_popup.m_hWnd)
            return 0;
        EndEdit(TRUE);   // a date that cannot be read cancels
        return 0;
    }
    return COXCalendar::WindowProc(message, wParam, lParam);
}
