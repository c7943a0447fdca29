// BaseGridFormView.cpp - the grid form view: its layout read at the initial
// update and written when the view goes.
#include "BaseGridFormView.h"

#include "GridDefaultCell.h"
#include "ProfileKeys.h"
#include "framework_res.h"

IMPLEMENT_DYNAMIC(CBaseGridFormView, CBaseFormView)

BEGIN_MESSAGE_MAP(CBaseGridFormView, CBaseFormView)
    ON_WM_DESTROY()
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_GRID, &CBaseGridFormView::OnGridSelChanged)
END_MESSAGE_MAP()

CBaseGridFormView::CBaseGridFormView(UINT nIDTemplate)
    : CBaseFormView(nIDTemplate), m_nSkipFirstFill(0), m_Grid(0, 0, 0, 0)
{
}

void CBaseGridFormView::DoDataExchange(CDataExchange* pDX)
{
    CBaseFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GRID, m_Grid);
}

void CBaseGridFormView::OnInitialUpdate()
{
    CBaseFormView::OnInitialUpdate();
    if (m_Grid.GetSafeHwnd() == NULL)
        return;
    // A click on a header sorts by that column: the sort the view keeps in
    // the profile is the user's to change.
    m_Grid.SetSortOnClick(TRUE);
    SetUpListGrid();
    m_Grid.SetSortAscending(FALSE);
    ReadColours();
    // The first run is kept as section + "_" in section + "_".
    CString strFirstRun = m_strProfileSection + szGridFirstRunSuffix;
    BOOL bFirstRun = AfxGetApp()->GetProfileInt(strFirstRun, strFirstRun, 1) != 0;
    while (m_arrDefaultVisible.GetSize() < m_arrColumnNames.GetSize())
        m_arrDefaultVisible.Add(1);
    ReadColumns(bFirstRun ? &m_arrDefaultVisible : NULL);
    SortAsStored(nGridSortAscendingDefault, nGridSortColumnDefault);
    AfxGetApp()->WriteProfileInt(strFirstRun, strFirstRun, 0);
    if (m_nSkipFirstFill == 0)
        RefreshGrid();
}

void CBaseGridFormView::RefreshGrid()
{
    RefillGrid(nGridSortAscendingDefault, nGridRefillSortColumnDefault, TRUE);
    OnGridSelectionChanged();
}

int CBaseGridFormView::GetSelectedRow(BOOL bWarn)
{
    int nRow = SelectedGridRow();
    if (nRow == -1 && bWarn)
        MessageBox("Please select a " + m_strItemNoun, "Warning", MB_OK | MB_ICONWARNING);
    return nRow;
}

int CBaseGridFormView::GetSelectedItemData(BOOL bWarn)
{
    int nRow = GetSelectedRow(bWarn);
    return nRow == -1 ? -1 : (int)m_Grid.GetItemData(nRow, 0);
}

void CBaseGridFormView::SelectRow(int nRow)
{
    if (SelectGridRowOf(nRow))
        OnGridSelectionChanged();
}

void CBaseGridFormView::SelectRowByData(LPARAM nData, int nColumn)
{
    SelectRow(FindRowByData(nData, nColumn));
}

void CBaseGridFormView::OnGridSelChanged(NMHDR*, LRESULT* pResult)
{
    OnGridSelectionChanged();
    *pResult = 0;
}

void CBaseGridFormView::OnDestroy()
{
    if (m_Grid.GetSafeHwnd() != NULL)
        SaveLayout();
    CBaseFormView::OnDestroy();
}
