// InPlaceEdit.h - CInPlaceEdit: the small edit control the grid puts over a
// cell while it is edited. It reports the new text and the key
// that ended the edit to the grid (LVN_ENDLABELEDIT) when it loses the focus,
// and deletes itself after its window is destroyed.
#pragma once

#include <afxwin.h>
#include <tchar.h>

class CInPlaceEdit : public CEdit
{
public:
    CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, CString sInitText,
                 UINT nFirstChar);
    virtual ~CInPlaceEdit();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void EndEdit();

    int GetRow() const { return m_nEditRow; }
    int GetColumn() const { return m_nEditCol; }
    UINT GetEndKey() const { return m_nEndKey; }

protected:
    void PostNcDestroy() override;

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    int m_nEditRow;
    int m_nEditCol;
    CString m_strInitial;
    UINT m_nEndKey;
    BOOL m_bArrowsEndEdit;
    CRect m_rectWindow;
};
