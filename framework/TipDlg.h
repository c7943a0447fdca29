// TipDlg.h - CTipDlg: the tip of the day. It shows one tip at a time from
// "tips.txt" in the current directory and keeps, in the profile's "Tip"
// section, where the next tip starts, so that the next opening goes on from
// there; a tips file with a new time stamp starts again from its first tip.
#pragma once

#include <stdio.h>
#include "BaseDlg.h"

class CTipDlg : public CBaseDlg
{
public:
    explicit CTipDlg(CWnd* pParent = NULL);
    virtual ~CTipDlg();

    // Read by relative name: the tips file of the current directory.
    static constexpr const char* szTipsFile = "tips.txt";
    // Each tip is one line of at most this many characters.
    enum { nMaxTipLength = 999 };

    BOOL m_bStartup;        // "Show Tips on StartUp" (the inverse of "Tip"/"StartUp")
    CString m_strTip;       // the tip shown

    // Reads the tip after the current one into strNext (after the last tip
    // comes the first). A file without a single tip line ends with a text
    // saying so instead of reading for ever.
    void GetNextTipString(CString& strNext);

    BOOL HasTipsFile() const { return m_pStream != NULL; }
    BOOL HasTips() const { return m_pStream != NULL && !m_bNoTips; }

    // The time text of an open file, as kept in "Tip"/"TimeStamp".
    static CString FileTimeText(FILE* pStream);

protected:
    FILE* m_pStream;
    BOOL m_bNoTips;         // a whole pass through the file found no tip
    CButtonST m_btnClose;
    CButtonST m_btnNext;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    afx_msg void OnNextTip();
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
    DECLARE_DYNAMIC_MAP()
};
