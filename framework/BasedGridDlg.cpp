// BasedGridDlg.cpp - the grid dialog and its column set-up dialog.
#include "BasedGridDlg.h"

#include "BaseGridFormView.h"
#include "BasedApp.h"
#include "ProfileKeys.h"
#include "framework_res.h"

IMPLEMENT_DYNAMIC(CBasedGridDlg, CBaseDlg)
IMPLEMENT_DYNAMIC(CSetupBasesGridDlg, CBaseDlg)

void SetUpIconButtons(const ICON_BUTTON* pButtons, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        pButtons[i].pButton->SetIcon(pButtons[i].nIcon, 16, 16);
        pButtons[i].pButton->EnableBalloonTooltip();
        pButtons[i].pButton->SetTooltipText(pButtons[i].pszTip);
    }
}

// ---------------------------------------------------------------------------
// CBasedGridDlg
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CBasedGridDlg, CBaseDlg)
    ON_WM_DESTROY()
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_GRID, &CBasedGridDlg::OnGridSelChanged)
END_MESSAGE_MAP()

CBasedGridDlg::CBasedGridDlg(UINT nIDTemplate, CWnd* pParent)
    : CBaseDlg(nIDTemplate, pParent), m_bNoInitialFill(false), m_Grid(0, 0, 0, 0)
{
}

void CBasedGridDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GRID, m_Grid);
}

BOOL CBasedGridDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    m_Grid.SetEditable(FALSE);
    m_Grid.SetSortOnClick(TRUE);
    SetUpListGrid();
    m_Grid.SetColumnResize(TRUE);
    m_Grid.EnableTitleTips(TRUE);
    m_Grid.SetDoubleBuffering(TRUE);
    m_Grid.SetSingleRowSelection(TRUE);
    ReadColours();
    ReadColumns(NULL);
    SortAsStored(nGridDlgSortAscendingDefault, nGridDlgSortColumnDefault);
    if (!m_bNoInitialFill)
        Refill();
    return TRUE;
}

void CBasedGridDlg::Refill()
{
    RefillGrid(nGridDlgSortAscendingDefault, nGridDlgSortColumnDefault, TRUE);
    UpdateControls();
}

int CBasedGridDlg::GetSelectedRow(BOOL bWarn)
{
    int nRow = SelectedGridRow();
    if (nRow == -1 && bWarn)
        InfoMessage("Please select a " + m_strItemNoun, this);
    return nRow;
}

int CBasedGridDlg::GetSelectedItemData(BOOL bWarn)
{
    int nRow = GetSelectedRow(bWarn);
    return nRow == -1 ? -1 : (int)m_Grid.GetItemData(nRow, 0);
}

void CBasedGridDlg::SelectRow(int nRow)
{
    if (SelectGridRowOf(nRow))
        UpdateControls();
}

void CBasedGridDlg::SelectRowByData(LPARAM nData, int nColumn)
{
    SelectRow(FindRowByData(nData, nColumn));
}

void CBasedGridDlg::OnGridSelChanged(NMHDR*, LRESULT* pResult)
{
    UpdateControls();
    OnSelectionChanged();
    *pResult = 0;
}

// A right click on the header row opens the column set-up; the click is the
// set-up's whatever the user answers there.
BOOL CBasedGridDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_RBUTTONUP && m_Grid.GetSafeHwnd() != NULL && pMsg->hwnd == m_Grid.GetSafeHwnd() &&
        m_Grid.GetRowCount() >= 1) {
        CPoint point((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        CRect rcClient;
        m_Grid.GetClientRect(&rcClient);
        if (rcClient.PtInRect(point) && point.y < m_Grid.GetRowHeight(0)) {
            RunColumnSetup();
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CBasedGridDlg::RunColumnSetup()
{
    TakeColumnWidths();
    CSetupBasesGridDlg dlg(this, this);
    if (dlg.DoModal() != IDOK)
        return;
    ApplyColumnVisibility();
    Refill();
}

void CBasedGridDlg::OnDestroy()
{
    if (m_Grid.GetSafeHwnd() != NULL)
        SaveLayout();
    CBaseDlg::OnDestroy();
}

// ---------------------------------------------------------------------------
// CSetupBasesGridDlg
// ---------------------------------------------------------------------------
namespace {

// The colour buttons' pop-up: 40 colours in 4 rows, no default colour of its
// own, 18 by 18 cells, and the toolkit's texts for its two buttons.
const UINT nPickerColours = 40;
const UINT nPickerRows = 4;
const DWORD dwPickerDefault = (DWORD)-1;
const int nPickerCell = 18;
const UINT nPickerDefaultText = 26536;
const UINT nPickerCustomText = 26537;

}  // namespace

#define SETUP_PICKER nPickerColours, nPickerRows, dwPickerDefault, nPickerCell, nPickerCell, \
                     nPickerDefaultText, nPickerCustomText

BEGIN_DYNAMIC_MAP(CSetupBasesGridDlg, CBaseDlg)
    DYNAMIC_MAP_ENTRY_EX(IDOK, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDCANCEL, cdxCDynamicWnd::mdRepos, cdxCDynamicWnd::mdRepos)
    DYNAMIC_MAP_ENTRY_EX(IDC_SETUP_COLUMNS, cdxCDynamicWnd::mdResize, cdxCDynamicWnd::mdResize)
END_DYNAMIC_MAP()

BEGIN_MESSAGE_MAP(CSetupBasesGridDlg, CBaseDlg)
    ON_BN_CLICKED(IDC_SETUP_SHOW_ALL, &CSetupBasesGridDlg::OnShowAll)
    ON_BN_CLICKED(IDC_SETUP_HIDE_ALL, &CSetupBasesGridDlg::OnHideAll)
    ON_BN_CLICKED(IDC_SETUP_DEFAULT, &CSetupBasesGridDlg::OnDefault)
END_MESSAGE_MAP()

CSetupBasesGridDlg::CSetupBasesGridDlg(CBasedGridDlg* pGridDlg, CWnd* pParent)
    : CSetupBasesGridDlg(pGridDlg, NULL, pParent)
{
}

CSetupBasesGridDlg::CSetupBasesGridDlg(CBaseGridFormView* pGridView, CWnd* pParent)
    : CSetupBasesGridDlg(NULL, pGridView, pParent)
{
}

CSetupBasesGridDlg::CSetupBasesGridDlg(CBasedGridDlg* pGridDlg, CBaseGridFormView* pGridView, CWnd* pParent)
    : CBaseDlg(IDD_SETUP_GRID, pParent), m_nFirstColumn(0), m_pGridDlg(pGridDlg), m_pGridView(pGridView),
      m_btnBackground(SETUP_PICKER), m_btnTextBackground(SETUP_PICKER), m_btnTextForeground(SETUP_PICKER),
      m_btnGridLines(SETUP_PICKER)
{
    CGridLayout* pSource = Source();
    m_clrBackground = pSource->m_clrBackground;
    m_clrTextBackground = pSource->m_clrTextBackground;
    m_clrTextForeground = pSource->m_clrTextForeground;
    m_clrGridLines = pSource->m_clrGridLines;
}

CGridLayout* CSetupBasesGridDlg::Source() const
{
    if (m_pGridDlg != NULL)
        return m_pGridDlg;
    return m_pGridView;
}

void CSetupBasesGridDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDC_SETUP_COLUMNS, m_lstColumns);
    DDX_Control(pDX, IDC_SETUP_BACKGROUND, m_btnBackground);
    DDX_Control(pDX, IDC_SETUP_TEXT_BACKGROUND, m_btnTextBackground);
    DDX_Control(pDX, IDC_SETUP_TEXT_FOREGROUND, m_btnTextForeground);
    DDX_Control(pDX, IDC_SETUP_GRID_LINES, m_btnGridLines);
    DDX_Control(pDX, IDC_SETUP_SHOW_ALL, m_btnShowAll);
    DDX_Control(pDX, IDC_SETUP_HIDE_ALL, m_btnHideAll);
    DDX_Control(pDX, IDC_SETUP_DEFAULT, m_btnDefault);
    DDX_ColorPicker(pDX, IDC_SETUP_BACKGROUND, m_clrBackground);
    DDX_ColorPicker(pDX, IDC_SETUP_TEXT_BACKGROUND, m_clrTextBackground);
    DDX_ColorPicker(pDX, IDC_SETUP_TEXT_FOREGROUND, m_clrTextForeground);
    DDX_ColorPicker(pDX, IDC_SETUP_GRID_LINES, m_clrGridLines);
}

BOOL CSetupBasesGridDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    const ICON_BUTTON buttons[] = {
        {&m_btnCancel, IDI_INPUT_CLOSE, "Close this dialog and cancel"},
        {&m_btnOK, IDI_INPUT_SAVE, "Apply"},
        {&m_btnShowAll, IDI_GRID_SHOW_ALL, "Show all columns"},
        {&m_btnHideAll, IDI_GRID_HIDE_ALL, "Hide all colums"},
        {&m_btnDefault, IDI_GRID_DEFAULT, "Set default settings"},
    };
    SetUpIconButtons(buttons, (int)(sizeof buttons / sizeof buttons[0]));
    CGridLayout* pSource = Source();
    for (int i = m_nFirstColumn; i < (int)pSource->m_arrColumnNames.GetSize(); ++i) {
        int nLine = m_lstColumns.AddString(pSource->m_arrColumnNames[i]);
        BOOL bVisible = i < pSource->m_arrColumnVisible.GetSize() && pSource->m_arrColumnVisible[i] != 0;
        m_lstColumns.SetCheck(nLine, bVisible ? 1 : 0);
        m_lstColumns.SetItemData(nLine, (DWORD_PTR)i);
    }
    return TRUE;
}

void CSetupBasesGridDlg::CheckAll(int nCheck)
{
    for (int i = 0; i < m_lstColumns.GetCount(); ++i)
        m_lstColumns.SetCheck(i, nCheck);
}

void CSetupBasesGridDlg::OnShowAll()
{
    CheckAll(1);
}

void CSetupBasesGridDlg::OnHideAll()
{
    CheckAll(0);
}

void CSetupBasesGridDlg::OnDefault()
{
    CheckAll(1);
    m_clrBackground = CGridLayout::DefaultColour(CGridLayout::colourBackground);
    m_clrTextBackground = CGridLayout::DefaultColour(CGridLayout::colourTextBackground);
    m_clrTextForeground = CGridLayout::DefaultColour(CGridLayout::colourTextForeground);
    m_clrGridLines = CGridLayout::DefaultColour(CGridLayout::colourGridLines);
    UpdateData(FALSE);
}

void CSetupBasesGridDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CGridLayout* pSource = Source();
    pSource->m_arrColumnVisible.SetSize(pSource->m_arrColumnNames.GetSize());
    for (int i = 0; i < m_lstColumns.GetCount(); ++i) {
        INT_PTR nColumn = (INT_PTR)m_lstColumns.GetItemData(i);
        pSource->m_arrColumnVisible.SetAt(nColumn, m_lstColumns.GetCheck(i) != 0);
    }
    pSource->m_clrBackground = CGridLayout::PickedColour(m_clrBackground, CGridLayout::colourBackground);
    pSource->m_clrTextBackground = CGridLayout::PickedColour(m_clrTextBackground, CGridLayout::colourTextBackground);
    pSource->m_clrTextForeground = CGridLayout::PickedColour(m_clrTextForeground, CGridLayout::colourTextForeground);
    pSource->m_clrGridLines = CGridLayout::PickedColour(m_clrGridLines, CGridLayout::colourGridLines);
    EndDialog(IDOK);
}
