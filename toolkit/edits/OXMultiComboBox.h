// COXMultiComboBox: an owner-drawn combo box (CBS_OWNERDRAWFIXED or
// CBS_OWNERDRAWVARIABLE with CBS_HASSTRINGS) whose rows have several text
// columns. Each item carries a row record with all its texts and the caller's
// item data; the combo's own strings are those of the master column, so
// sorting, the edit part and the string searches work on it. The list shows
// every column with fixed widths and dotted grid lines and may be wider than
// the combo, scrolling horizontally.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#define WM_OX_MULTICOMBO_HSCROLL (WM_APP + 0xA1)   // 0x80A1, from the list

class COXMultiComboBox : public CComboBox
{
    DECLARE_DYNAMIC(COXMultiComboBox)
public:
    class COXRowData
    {
    public:
        explicit COXRowData(int nColumns) { m_arrTexts.SetSize(nColumns); }
        CStringArray m_arrTexts;
        DWORD_PTR m_dwItemData = 0;
    };

    class COXComboLBox : public CListBox
    {
    public:
        BOOL m_bVertScroll = FALSE;
        BOOL m_bHorzScroll = FALSE;
        COXMultiComboBox* m_pCombo = NULL;

    protected:
        afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
        afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
        DECLARE_MESSAGE_MAP()
    };

    COXMultiComboBox();
    virtual ~COXMultiComboBox();

    // ---- columns ----
    int GetColumnCount() const { return m_nColumnCount; }
    BOOL SetColumnCount(int nCount);
    BOOL SetColumnWidth(int nCol, int nWidth);
    int GetColumnWidth(int nCol) const;
    int GetMasterColumn() const { return m_nMasterColumn; }
    BOOL SetMasterColumn(int nCol);
    int SetFitDropDownToColumns(BOOL bFit);
    BOOL GetFitDropDownToColumns() const { return m_bFitDropDownToColumns; }

    // ---- rows ----
    int AddString(LPCTSTR* ppTexts, int nCount);
    int InsertString(int nIndex, LPCTSTR* ppTexts, int nCount);
    int AddString(LPCTSTR lpszText);
    int InsertString(int nIndex, LPCTSTR lpszText);

    // ---- texts ----
    int GetLBText(int nIndex, int nCol, LPTSTR lpszText) const;
    void GetLBText(int nIndex, int nCol, CString& rString) const;
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex, int nCol) const;
    COXRowData* GetRowData(int nIndex) const;

    // ---- searching ----
    int FindStringExact(int nStartAfter, int nCol, LPCTSTR lpszFind, BOOL bCaseSensitive = FALSE) const;
    int FindString(int nStartAfter, int nCol, LPCTSTR lpszPrefix, BOOL bCaseSensitive = FALSE) const;
    int SelectString(int nStartAfter, int nCol, LPCTSTR lpszFind);

    // TRUE only while the rows are being put back on a new master column.
    BOOL IsResetting() const { return m_bResetting; }
    int GetTotalColumnWidth() const;
    int GetTotalItemHeight() const;
    COXComboLBox& GetListBox() { return m_listBox; }

    // ---- virtual operations ----
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
    virtual void DrawColumnItem(HDC hDC, int nItem, int nCol, LPRECT lpRect, UINT itemState);
    virtual void DrawGridLines(CDC* pDC, LPRECT lpRect, UINT itemState);

protected:
    virtual void PreSubclassWindow() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    COXRowData* RawRow(int nIndex) const;
    int AttachRow(int nIndex, LPCTSTR* ppTexts, int nCount);
    BOOL Refill(int nMasterColumn);
    int ApplyDropDownWidth();
    BOOL NeedsVertScroll(const CRect& rectDropped, int nWidth) const;
    void FitList(CDC* pDC, HWND hList);
    void DeleteAllRows();
    void OnListHScroll(UINT nCode, int nPos);

    int m_nColumnCount = 1;
    int m_nMasterColumn = 0;
    CArray<int, int> m_arrColumnWidths;
    CPen m_penGrid;
    BOOL m_bFitDropDownToColumns = FALSE;
    COXComboLBox m_listBox;
    BOOL m_bUpdateList = TRUE;
    BOOL m_bResetting = FALSE;
    int m_nListClientWidth = 0;
    int m_nAveCharWidth = 0;

    friend class COXComboLBox;
};
