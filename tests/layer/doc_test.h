// Classes and a fixture shared by the document/view/frame tests (doc_*.cpp):
// a document, a form view and a frame with a tool bar and a status bar, put
// together by a single-document template as a program does.
#pragma once

#include <afxext.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "layer_test_res.h"
#include "testsupport.h"

// Which handler ran, in order.
extern std::vector<std::string> g_docLog;
std::string DocLogJoined();

class CDocTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CDocTestDoc)
public:
    CDocTestDoc();
    ~CDocTestDoc() override;

    CString m_strText;
    int m_nValue = 0;
    int m_nNewCalls = 0;
    int m_nDeleteCalls = 0;
    static int s_nAlive;

    BOOL OnNewDocument() override;
    void DeleteContents() override;
    void Serialize(CArchive& ar) override;

protected:
    afx_msg void OnDocCmd();
    afx_msg void OnBothCmd();
    DECLARE_MESSAGE_MAP()
};

class CDocTestForm : public CFormView
{
    DECLARE_DYNCREATE(CDocTestForm)
public:
    CDocTestForm();

    CString m_strName;
    int m_nInitialUpdates = 0;

    void OnInitialUpdate() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    afx_msg void OnViewCmd();
    afx_msg void OnBothCmd();
    afx_msg void OnButton();
    DECLARE_MESSAGE_MAP()
};

// A plain view drawing nothing (MDI children, scrolling).
class CDocTestPlainView : public CScrollView
{
    DECLARE_DYNCREATE(CDocTestPlainView)
public:
    void OnDraw(CDC* pDC) override { (void)pDC; }
    void OnInitialUpdate() override;

protected:
    afx_msg void OnViewCmd();
    DECLARE_MESSAGE_MAP()
};

class CDocTestFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CDocTestFrame)
public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    BOOL m_bChecked = TRUE;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnFrameCmd();
    afx_msg void OnCheckCmd();
    afx_msg void OnUpdateCheckCmd(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

// The status bar's panes: the message line, then CAP, NUM, SCRL.
extern const UINT kDocIndicators[4];

class CDocTestTemplate : public CSingleDocTemplate
{
public:
    CDocTestTemplate();

protected:
    afx_msg void OnTemplateCmd();
    DECLARE_MESSAGE_MAP()
};

// The application as a program sets it up, with a document manager of the
// test's own; what the test leaves open is closed without questions.
class DocAppTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // AddDocTemplate + File New: the program's start-up.
    CDocTestFrame* StartUp();
    // Removes the WM_QUIT that destroying the main window posts.
    static bool TakeQuitMessage();

    CWinApp* m_pApp = nullptr;
    CDocManager* m_pSavedManager = nullptr;
    CWnd* m_pSavedMainWnd = nullptr;
    int m_nSavedCmdShow = 0;
};

// The text the status bar control shows in a pane.
std::string StatusPartText(HWND hWndStatus, int nPart);
// A child's rectangle in its parent's client coordinates.
CRect ChildRect(CWnd* pChild);
