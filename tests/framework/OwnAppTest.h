// A fixture whose test runs on an application object of its own: TApp (a
// CBasedApp) is made in SetUp, so it becomes AfxGetApp() while it lives, with
// a clean profile under pszProfileKey and a program folder of its own. TearDown
// deletes it, puts the test main's application back, clears the profile again
// and restores the log switch.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>
#include "BasedApp.h"
#include "TestFolder.h"

template <class TApp>
class OwnAppTest : public ::testing::Test
{
protected:
    explicit OwnAppTest(const char* pszProfileKey) : m_pszProfileKey(pszProfileKey) {}

    void SetUp() override
    {
        m_pPrevious = AfxGetApp();
        m_bEnableLogBefore = g_bEnableLog;
        RegDeleteTreeA(HKEY_CURRENT_USER, m_pszProfileKey);
        m_pApp = new TApp;
        m_pApp->SetProgramFolder(m_folder.Path());
    }
    void TearDown() override
    {
        delete m_pApp;
        AFX_MODULE_STATE* pState = AfxGetModuleState();
        pState->m_pCurrentWinApp = m_pPrevious;
        pState->m_lpszCurrentAppName = m_pPrevious != NULL ? m_pPrevious->m_pszAppName : NULL;
        RegDeleteTreeA(HKEY_CURRENT_USER, m_pszProfileKey);
        g_bEnableLog = m_bEnableLogBefore;
    }

    CTestFolder m_folder;
    TApp* m_pApp = nullptr;
    CWinApp* m_pPrevious = nullptr;
    BYTE m_bEnableLogBefore = 1;

private:
    const char* m_pszProfileKey;
};
