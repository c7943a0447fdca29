// The program's main window driven from outside, as the harvester tests and
// the harvest benchmark both drive it: made by a single-document template and
// File New as the program makes it at start-up, closed again without saving,
// and the Settings dialog filled in.
#pragma once

#include <afxwin.h>
#include "MainFrame.h"
#include "PellucorDoc.h"
#include "PellucorView.h"
#include "resource.h"
#include "testsupport.h"

// The frame, document and main view; NULL when File New made no main frame.
inline CMainFrame* OpenMainWindow(CWinApp* pApp)
{
    pApp->AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPellucorDoc),
                                                RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CPellucorView)));
    pApp->OnFileNew();
    return DYNAMIC_DOWNCAST(CMainFrame, pApp->m_pMainWnd);
}

// Closes the document without asking and drops the templates, so the next
// OpenMainWindow starts afresh; the quit message the closing main window
// posts is taken off the queue.
inline void CloseMainWindow(CWinApp* pApp)
{
    pApp->CloseAllDocuments(FALSE);
    delete pApp->m_pDocManager;
    pApp->m_pDocManager = NULL;
    pApp->m_pMainWnd = NULL;
    MSG msg;
    while (PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// Sets the Settings dialog's dig mode (1: by all keywords, else by sample),
// levels and pages, and presses OK.
inline void FillSettingsDialog(HWND dialog, int nDigMode, int nLevels, int nPages)
{
    int nRadio = nDigMode == 1 ? IDC_DIG_BY_ALL : IDC_DIG_BY_SAMPLE;
    CheckRadioButton(dialog, IDC_DIG_BY_SAMPLE, IDC_DIG_BY_ALL, nRadio);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(nRadio, BN_CLICKED), (LPARAM)GetDlgItem(dialog, nRadio));
    SetDlgItemInt(dialog, IDC_SETTINGS_LEVELS, (UINT)nLevels, TRUE);
    SetDlgItemInt(dialog, IDC_SETTINGS_PAGES, (UINT)nPages, TRUE);
    CDialogAnswerer::PressButton(dialog, IDOK);
}
