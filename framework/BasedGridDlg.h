// BasedGridDlg.h - CBasedGridDlg: a dialog built around one grid that shows
// a list of records, one per row under a header row, keeping its column
// layout, sort and colours in the profile under the dialog's profile name; a
// right click on the header opens CSetupBasesGridDlg, where the user ticks
// the visible columns and picks the table colours.
#pragma once

#include "BaseDlg.h"
#include "GridLayout.h"
#include "OXColorPickerButton.h"

class CBaseGridFormView;

// A button of a grid dialog: its 16 by 16 icon and its balloon tooltip.
struct ICON_BUTTON {
    CButtonST* pButton;
    int nIcon;
    LPCSTR pszTip;
};
void SetUpIconButtons(const ICON_BUTTON* pButtons, int nCount);

class CBasedGridDlg : public CBaseDlg, public CGridLayout
{
    DECLARE_DYNAMIC(CBasedGridDlg)
public:
    CBasedGridDlg(UINT nIDTemplate, CWnd* pParent);

    // When TRUE, OnInitDialog does not fill the rows.
    bool m_bNoInitialFill;
    // Dialog control IDC_GRID (1014); the template may hold a list view there.
    CGridCtrl m_Grid;

    // The top row of the selection, or -1; with bWarn and no selection the
    // user is told "Please select a " + the item noun.
    int GetSelectedRow(BOOL bWarn);
    // Item data of column 0 of the selected row, -1 with no selection.
    int GetSelectedItemData(BOOL bWarn);
    // Selects row nRow across all columns (0 < nRow < row count only).
    void SelectRow(int nRow);
    // The first row whose item data in nColumn is nData, else row 1.
    void SelectRowByData(LPARAM nData, int nColumn);
    void DeleteAllRows() { DeleteAllGridRows(); }

    // Refills the grid from the records, keeping the selected row.
    virtual void Refill();

    CGridCtrl& LayoutGrid() override { return m_Grid; }
    CString LayoutSection() const override { return m_strProfile; }

protected:
    // Called on every change of the selection; nothing here.
    virtual void OnSelectionChanged() {}
    // Fills rows 1 and following from the records; the base has none.
    void FillRows() override {}
    // Enables the derived dialog's buttons after the selection.
    virtual void UpdateControls() {}

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override { CDialog::OnOK(); }
    void OnCancel() override { CDialog::OnCancel(); }

    // Opens the column set-up and applies what the user chose.
    void RunColumnSetup();

    afx_msg void OnDestroy();
    afx_msg void OnGridSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

// The column set-up of a grid dialog or a grid form view: the columns with a
// check box each (ticked: visible) and four colour buttons. On OK the choice
// goes into the source's visibility array and colours; the source applies it.
class CSetupBasesGridDlg : public CBaseDlg
{
    DECLARE_DYNAMIC(CSetupBasesGridDlg)
public:
    CSetupBasesGridDlg(CBasedGridDlg* pGridDlg, CWnd* pParent);
    CSetupBasesGridDlg(CBaseGridFormView* pGridView, CWnd* pParent);

    // The first column listed.
    int m_nFirstColumn;
    CBasedGridDlg* m_pGridDlg;
    CBaseGridFormView* m_pGridView;
    COLORREF m_clrBackground;
    COLORREF m_clrTextBackground;
    COLORREF m_clrTextForeground;
    COLORREF m_clrGridLines;

    CButtonST m_btnCancel;
    CButtonST m_btnOK;
    CCheckListBox m_lstColumns;
    COXColorPickerButton m_btnBackground;
    COXColorPickerButton m_btnTextBackground;
    COXColorPickerButton m_btnTextForeground;
    COXColorPickerButton m_btnGridLines;
    CButtonST m_btnShowAll;
    CButtonST m_btnHideAll;
    CButtonST m_btnDefault;

protected:
    CSetupBasesGridDlg(CBasedGridDlg* pGridDlg, CBaseGridFormView* pGridView, CWnd* pParent);
    CGridLayout* Source() const;
    void CheckAll(int nCheck);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnShowAll();
    afx_msg void OnHideAll();
    afx_msg void OnDefault();
    DECLARE_DYNAMIC_MAP()
    DECLARE_MESSAGE_MAP()
};
