// SplashDialog.cpp - the start-up splash: a two-second "Loading" count.
#include "SplashDialog.h"

#include <afxcmn.h>
#include "framework_res.h"

BEGIN_MESSAGE_MAP(CSplashDialog, CDialog)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSplashDialog::CSplashDialog(LPCTSTR lpszCaption, CWnd* pParent)
    : CDialog(IDD_SPLASH, pParent), m_strCaption(lpszCaption), m_nTotal(nTotalMs), m_nElapsed(0)
{
}

CString CSplashDialog::ProgressText(UINT nElapsedMs, UINT nTotalMs)
{
    UINT nPercent = nTotalMs != 0 ? nElapsedMs * 100 / nTotalMs : 100;
    CString strText;
    strText.Format("Loading (%u%%)...", nPercent);
    return strText;
}

void CSplashDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SPLASH_PROGRESS, m_wndProgress);
    DDX_Control(pDX, IDC_SPLASH_STATUS, m_wndStatus);
    DDX_Control(pDX, IDC_SPLASH_PICTURE, m_wndPicture);
    DDX_Control(pDX, IDC_SPLASH_LABEL, m_wndLabel);
    DDX_Control(pDX, IDC_SPLASH_INFO, m_wndInfo);
    DDX_Text(pDX, IDC_SPLASH_INFO, m_strInfo);
}

BOOL CSplashDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_strCaption);

    m_wndLabel.SetFontSize(12).SetTransparent(TRUE).SetTextColor(RGB(0x2D, 0x2D, 0x3C)).SetText(m_strCaption);

    m_wndProgress.SendMessage(PBM_SETRANGE32, 0, 100);
    m_nTotal = nTotalMs;
    m_nElapsed = 0;

    SetTimer(nTimerId, nStepMs, NULL);
    return TRUE;
}

void CSplashDialog::OnTimer(UINT_PTR nIDEvent)
{
    CDialog::OnTimer(nIDEvent);
    if (nIDEvent != nTimerId)
        return;
    m_nElapsed += nStepMs;
    CString strText = ProgressText(m_nElapsed, m_nTotal);
    m_wndProgress.SendMessage(PBM_SETPOS, m_nTotal != 0 ? m_nElapsed * 100 / m_nTotal : 100, 0);
    m_wndStatus.SetWindowText(strText);
    const UINT nRedraw = RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE;
    m_wndProgress.RedrawWindow(NULL, NULL, nRedraw);
    m_wndStatus.RedrawWindow(NULL, NULL, nRedraw);
    if (m_nElapsed >= m_nTotal) {
        KillTimer(nTimerId);
        PostMessage(WM_CLOSE);
    }
}

void CSplashDialog::OnDestroy()
{
    CDialog::OnDestroy();
}
