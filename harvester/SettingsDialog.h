// SettingsDialog.h - CSettingsDialog: the harvest settings (dig mode, levels,
// pages) and the two Basket options. The dialog stores nothing: its caller
// fills the members, runs it and, after IDOK, takes the members back.
//
// Levels and pages must lie between 1 and their maximum: a levels limit of 0
// would divide by zero in the level walker and a negative one would dig
// without end, so OK refuses such a value with a message and keeps the
// dialog open.
#pragma once

#include <afxwin.h>
#include "resource.h"

class CSettingsDialog : public CDialog
{
    DECLARE_DYNAMIC(CSettingsDialog)
public:
    // Defaults: no dedupe, no sort, dig by the sample keyword, 1 level, 1 page.
    explicit CSettingsDialog(CWnd* pParent = NULL);
    CSettingsDialog(BYTE bDedupe, BYTE bSort, int nDigMode, int nLevels, int nPages, CWnd* pParent = NULL);

    enum { IDD = IDD_SETTINGS };

    // The accepted ranges of levels and pages.
    enum { nMinLevels = 1, nMaxLevels = 10, nMinPages = 1, nMaxPages = 100 };

    int m_bDedupeBasket;   // 0 or 1, check "Automatically Dedupe Basket"
    int m_bSortBasket;     // 0 or 1, check "Automatically Sort Basket"
    int m_nDigMode;        // 0 dig by the sample keyword, 1 dig by all keywords
    CEdit m_wndLevels;
    int m_nLevels;
    int m_nPages;
    CButton m_wndDigBySample;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnDigBySampleKeyword();
    afx_msg void OnDigByAllKeywords();
    DECLARE_MESSAGE_MAP()
};
