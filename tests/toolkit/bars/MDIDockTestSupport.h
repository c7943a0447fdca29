// A shown size-dock MDI frame, made the program's main window, whose
// document windows dock as bars. Each document window shows a view of its own
// document, which answers "save changes?" as the test says, with no dialog.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "OXFrameWndDock.h"
#include "OXMDIChildWndSizeDock.h"

class CDockTestDoc : public CDocument
{
public:
    // The answer to "save changes?", counted.
    BOOL SaveModified() override
    {
        ++*m_pAsked;
        return !IsModified() || m_bAgree;
    }
    // The frame the document was last told is closing.
    void PreCloseFrame(CFrameWnd* pFrame) override { m_hWndClosedFrame = pFrame->m_hWnd; }
    // How the document stood, and whether the program's main window showed,
    // when it was closed.
    void OnCloseDocument() override
    {
        ++m_nClosed;
        m_bModifiedAtClose = IsModified();
        CWnd* pMain = AfxGetMainWnd();
        m_bMainShownAtClose = pMain != NULL && pMain->IsWindowVisible();
        CDocument::OnCloseDocument();
    }
    BOOL m_bAgree = TRUE;
    int m_nClosed = 0;
    BOOL m_bModifiedAtClose = FALSE;
    BOOL m_bMainShownAtClose = FALSE;
    int m_nAsked = 0;
    HWND m_hWndClosedFrame = NULL;
    int* m_pAsked = &m_nAsked;
};

class CDockTestView : public CView
{
    DECLARE_DYNCREATE(CDockTestView)
public:
    // Called, while a test sets it, when a view learns that another takes
    // the frame's activation from it, with that other view.
    static std::function<void(CView* pNext)> s_onDeactivate;

protected:
    void OnDraw(CDC*) override {}
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override
    {
        if (!bActivate && s_onDeactivate)
            s_onDeactivate(pActivateView);
        CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    }
};

// Keys to a shown menu: the last item, chosen.
inline void ChooseLastMenuItem(HWND hMenuWnd)
{
    ::PostMessage(hMenuWnd, WM_KEYDOWN, VK_UP, 0);
    ::PostMessage(hMenuWnd, WM_KEYDOWN, VK_RETURN, 0);
}

class SizeDockMDITest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // A shown document window of a document of that title, active.
    // pChild: a child object of a class of the test's own, else a plain one.
    COXMDIChildWndSizeDock* AddChild(LPCTSTR lpszTitle, DWORD dwExtraStyle = 0,
                                     COXMDIChildWndSizeDock* pChild = NULL);
    CMDIChildWnd* ClientActive() { return m_pFrame->MDIGetActive(); }
    CDockTestDoc* Doc(int i) { return m_docs[i]; }
    // The documents so far, in a template of a document manager that stands
    // in for the program's until the test ends: the program's close asks
    // them and closes them.
    void EnterDocumentsInTemplate();
    static CRect WindowRectOf(CWnd* pWnd);

    COXMDIFrameWndSizeDock* m_pFrame = NULL;
    CWnd* m_pOldMain = NULL;
    std::vector<CDockTestDoc*> m_docs;
    CDocManager* m_pSavedManager = NULL;
    CDocManager* m_pManager = NULL;
};
