// BaseGridFormView.h - CBaseGridFormView: a form view hosting a grid (dialog
// control 1014) whose column widths, column visibility, sort column and
// order and colours are kept in the view's profile section. The derived view
// names its columns (and may give default visible flags for the first run)
// before the initial update and fills the rows in FillGrid. A click on a
// column header sorts by that column.
#pragma once

#include "BaseFormView.h"
#include "GridLayout.h"

class CBaseGridFormView : public CBaseFormView, public CGridLayout
{
    DECLARE_DYNAMIC(CBaseGridFormView)
protected:
    explicit CBaseGridFormView(UINT nIDTemplate);
public:
    virtual ~CBaseGridFormView() {}

    // When 0, the rows are filled at the end of the initial update.
    int m_nSkipFirstFill;
    // One flag per column: which columns show on the very first run.
    CUIntArray m_arrDefaultVisible;
    CGridCtrl m_Grid;
    // The row selected last through SelectRow.
    int GetRememberedRow() const { return m_nRememberedRow; }

    // The top row of the selection, or -1; with bWarn and no selection a
    // warning box says "Please select a " + the item noun.
    int GetSelectedRow(BOOL bWarn);
    int GetSelectedItemData(BOOL bWarn);
    void SelectRow(int nRow);
    void SelectRowByData(LPARAM nData, int nColumn);
    void DeleteAllRows() { DeleteAllGridRows(); }

    // Refills the grid through FillGrid, keeping the selected row.
    virtual void RefreshGrid();

    CGridCtrl& LayoutGrid() override { return m_Grid; }
    CString LayoutSection() const override { return m_strProfileSection; }

    void OnInitialUpdate() override;

protected:
    virtual void OnGridHook() {}
    // Adds the rows; the base has none and only reports the selection.
    virtual void FillGrid() { OnGridSelectionChanged(); }
    virtual void OnGridSelectionChanged() {}
    void FillRows() override { FillGrid(); }

    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnDestroy();
    afx_msg void OnGridSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
