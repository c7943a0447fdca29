// SettingsDialog.cpp - the harvest settings dialog.
#include "SettingsDialog.h"

IMPLEMENT_DYNAMIC(CSettingsDialog, CDialog)

BEGIN_MESSAGE_MAP(CSettingsDialog, CDialog)
    ON_BN_CLICKED(IDC_DIG_BY_SAMPLE, &CSettingsDialog::OnDigBySampleKeyword)
    ON_BN_CLICKED(IDC_DIG_BY_ALL, &CSettingsDialog::OnDigByAllKeywords)
END_MESSAGE_MAP()

CSettingsDialog::CSettingsDialog(CWnd* pParent)
    : CDialog(IDD, pParent), m_bDedupeBasket(0), m_bSortBasket(0), m_nDigMode(0), m_nLevels(1), m_nPages(1)
{
}

CSettingsDialog::CSettingsDialog(BYTE bDedupe, BYTE bSort, int nDigMode, int nLevels, int nPages, CWnd* pParent)
    : CDialog(IDD, pParent), m_bDedupeBasket(bDedupe ? 1 : 0), m_bSortBasket(bSort ? 1 : 0), m_nDigMode(nDigMode),
      m_nLevels(nLevels), m_nPages(nPages)
{
}

// Refuses a number outside its range with a message that names the field;
// the focus goes back to that edit (the last one exchanged) and the dialog
// stays open.
static void ValidateCount(CDataExchange* pDX, int nValue, int nMin, int nMax, LPCSTR pszWhat)
{
    if (!pDX->m_bSaveAndValidate || (nValue >= nMin && nValue <= nMax))
        return;
    CString sMessage;
    sMessage.Format("The number of %s must be from %d to %d.", pszWhat, nMin, nMax);
    AfxMessageBox(sMessage, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void CSettingsDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_DEDUPE_BASKET, m_bDedupeBasket);
    DDX_Check(pDX, IDC_SORT_BASKET, m_bSortBasket);
    DDX_Control(pDX, IDC_SETTINGS_LEVELS, m_wndLevels);
    // Levels mean something only when digging by all keywords; with the edit
    // disabled its text is neither read nor refused (the user could not
    // correct it), and a value out of range is put back to one level.
    if (!pDX->m_bSaveAndValidate || m_nDigMode == 1) {
        DDX_Text(pDX, IDC_SETTINGS_LEVELS, m_nLevels);
        ValidateCount(pDX, m_nLevels, nMinLevels, nMaxLevels, "levels");
    } else if (m_nLevels < nMinLevels || m_nLevels > nMaxLevels) {
        m_nLevels = nMinLevels;
    }
    DDX_Text(pDX, IDC_SETTINGS_PAGES, m_nPages);
    ValidateCount(pDX, m_nPages, nMinPages, nMaxPages, "pages");
    DDX_Control(pDX, IDC_DIG_BY_SAMPLE, m_wndDigBySample);
}

BOOL CSettingsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_nDigMode == 1) {
        CheckRadioButton(IDC_DIG_BY_SAMPLE, IDC_DIG_BY_ALL, IDC_DIG_BY_ALL);
    } else {
        CheckRadioButton(IDC_DIG_BY_SAMPLE, IDC_DIG_BY_ALL, IDC_DIG_BY_SAMPLE);
        m_wndLevels.EnableWindow(FALSE);
    }
    return TRUE;
}

void CSettingsDialog::OnDigBySampleKeyword()
{
    m_wndLevels.EnableWindow(FALSE);
    m_nDigMode = 0;
}

void CSettingsDialog::OnDigByAllKeywords()
{
    m_wndLevels.EnableWindow(TRUE);
    m_nDigMode = 1;
}
