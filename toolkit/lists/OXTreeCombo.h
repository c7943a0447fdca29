// COXTreeCombo: the tree's drop-down list of a cell's choices, which reports
// the end of its edit itself, exactly once.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class COXTreeCtrl;

class COXTreeCombo : public CComboBox
{
public:
    COXTreeCombo() : m_nColumn(0), m_nRow(-1), m_bEnded(FALSE), m_pTree(NULL) {}

    void StartEdit(COXTreeCtrl* pTree, HTREEITEM hItem, int nRow, int nColumn);
    void EndEdit(BOOL bCommit);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_nColumn;
    int m_nRow;
    BOOL m_bEnded;

protected:
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

    COXTreeCtrl* m_pTree;
};

// Sends the end of an edit to the tree's parent, as the list's own end of
// label editing goes: row -1 for a cancel.
void OXTreeSendEndEdit(CWnd* pTree, UINT nEditorID, int nRow, int nColumn, LPCTSTR lpszText);
