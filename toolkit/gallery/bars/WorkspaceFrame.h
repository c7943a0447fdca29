// The MDI frame whose workspace the gallery's "Workspace" page keeps: text
// documents of one line each in files, opened in plain child frames or in
// frames split in two columns, two tool bars (one flat) docked at the top
// whose buttons the frame handles, a sizing bar floating and three stacked
// as tabs on the right, each holding a list. The workspace tests and
// benchmark drive the same frame.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include "GalleryListBar.h"
#include "OXFrameWndDock.h"
#include "OXSizeControlBar.h"

// Commands of the tool bars, and the page's buttons.
enum : UINT {
    ID_WORKSPACE_OPEN = 29600,
    ID_WORKSPACE_SAVE,
    ID_WORKSPACE_FETCH,
    ID_WORKSPACE_STOP,
    ID_WORKSPACE_EXPORT,
    ID_WORKSPACE_RESTART = 29620,
    ID_WORKSPACE_STORE,
};

// The frame's bars.
enum : UINT {
    IDW_WORKSPACE_FILEBAR = AFX_IDW_CONTROLBAR_FIRST + 60,
    IDW_WORKSPACE_HARVESTBAR,
    IDW_WORKSPACE_SIZEBAR,
    IDW_WORKSPACE_STACKBAR,   // the first of the stack's three
};

class CWorkspaceDoc : public CDocument
{
    DECLARE_DYNCREATE(CWorkspaceDoc)
public:
    void Serialize(CArchive& ar) override;
    CString m_strText;
};

class CWorkspaceView : public CView
{
    DECLARE_DYNCREATE(CWorkspaceView)
protected:
    void OnDraw(CDC* pDC) override;
};

class CWorkspaceChild : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CWorkspaceChild)
};

class CWorkspaceSplitChild : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CWorkspaceSplitChild)
public:
    CSplitterWnd m_splitter;
protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
};

class CWorkspaceFrame : public COXMDIFrameWndSizeDock
{
public:
    CWorkspaceFrame();
    ~CWorkspaceFrame() override;
    // Made hidden, its bars in their first places, as a program starts.
    BOOL CreateWorkspaceFrame(const CRect& rect);

    CToolBar m_barFile;
    CToolBar m_barHarvest;   // flat
    CGalleryListBar* m_pSizeBar;
    enum { nStackBars = 3 };
    // Stacked as tabs of the right dock bar in this order, the first shown.
    CGalleryListBar* m_pStackBars[nStackBars];
    // The last tool bar command carried out (0: none yet).
    UINT m_nLastCommand = 0;

protected:
    afx_msg void OnBarCommand(UINT nID);
    DECLARE_MESSAGE_MAP()
};

// The two templates (plain and split children), added to the application
// once, on first use.
CMultiDocTemplate* WorkspacePlainTemplate();
CMultiDocTemplate* WorkspaceSplitTemplate();

// Writes a document file of the frame's kind.
BOOL WriteWorkspaceDocument(LPCTSTR lpszPath, LPCTSTR lpszText);
