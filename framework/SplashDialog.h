// SplashDialog.h - CSplashDialog: the modal window shown while the program
// starts, counting "Loading (n%)..." up over two seconds and then closing
// itself.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include "Label.h"

class CSplashDialog : public CDialog
{
public:
    // The caption becomes the window text and the large label's text.
    explicit CSplashDialog(LPCTSTR lpszCaption, CWnd* pParent = NULL);

    // Timer that drives the count, and its period.
    enum { nTimerId = 1014, nStepMs = 50, nTotalMs = 2000 };

    CString m_strCaption;
    CString m_strInfo;          // the read-only edit's text

    // "Loading (n%)..." for the given elapsed and total milliseconds.
    static CString ProgressText(UINT nElapsedMs, UINT nTotalMs);

    UINT GetElapsed() const { return m_nElapsed; }

protected:
    CProgressCtrl m_wndProgress;
    CStatic m_wndStatus;
    CStatic m_wndPicture;
    CLabel m_wndLabel;
    CEdit m_wndInfo;
    UINT m_nTotal;
    UINT m_nElapsed;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
