// afxwin_doc.h - documents, views, frames and document templates.
//
// Included at the end of afxwin.h (never on its own): CCmdTarget, CWnd, CCmdUI,
// CWinApp and the message-map machinery are declared before this point.
#pragma once

#include <oleidl.h>   // DROPEFFECT_*: views take drops
typedef DWORD DROPEFFECT;

class CControlBar;
class CDockBar;
class CSplitterWnd;
class CDockContext;
class CMiniDockFrameWnd;
class CDockState;
class CControlBarInfo;
class CScrollBar;
struct CPrintInfo;

// The framework's built-in texts, used when the program's resources lack the
// string of the same id.
#define AFX_TEXT_IDLEMESSAGE "Ready"
#define AFX_TEXT_UNTITLED "Untitled"

// The ids MDI frames give the Window menu's entries for their children.
#ifndef AFX_IDM_FIRST_MDICHILD
#define AFX_IDM_FIRST_MDICHILD 0xFF00
#endif
#ifndef AFX_IDM_WINDOW_FIRST
#define AFX_IDM_WINDOW_FIRST 0xE130
#define AFX_IDM_WINDOW_LAST  0xE13F
#endif

// ---------------------------------------------------------------------------
// Control bar styles (CControlBar::m_dwStyle) and layout modes
// (CControlBar::CalcDynamicLayout). Frames use them, so they live here rather
// than with the bars in afxext.h.
// ---------------------------------------------------------------------------
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_ALIGN_ANY      0xF000L
#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_BORDER_ANY     0x0F00L
#define CBRS_TOOLTIPS       0x0010L
#define CBRS_FLYBY          0x0020L
#define CBRS_FLOAT_MULTI    0x0040L
#define CBRS_BORDER_3D      0x0080L
#define CBRS_HIDE_INPLACE   0x0008L
#define CBRS_SIZE_DYNAMIC   0x0004L
#define CBRS_SIZE_FIXED     0x0002L
#define CBRS_FLOATING       0x0001L
#define CBRS_GRIPPER        0x00400000L
#define CBRS_ORIENT_HORZ    (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT    (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY     (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL            0x0040FFFFL
#define CBRS_NOALIGN        0x00000000L
#define CBRS_LEFT           (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT          (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

#define LM_STRETCH   0x01   // fill the whole width (horizontal) or height
#define LM_HORZ      0x02   // horizontal layout, else vertical
#define LM_MRUWIDTH  0x04   // the most recently used width
#define LM_HORZDOCK  0x08   // the size when docked horizontally
#define LM_VERTDOCK  0x10   // the size when docked vertically
#define LM_LENGTHY   0x20   // nLength is a height, else a width
#define LM_COMMIT    0x40   // remember the size as the MRU one

// ---------------------------------------------------------------------------
// CCreateContext: what a frame needs to make its view, passed through
// CREATESTRUCT::lpCreateParams (or MDICREATESTRUCT::lParam for MDI children).
// ---------------------------------------------------------------------------
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass;   // the view to create in the frame's client area
    CDocument* m_pCurrentDoc;         // the document the new view shows
    CDocTemplate* m_pNewDocTemplate;  // the template the frame is made for
    CView* m_pLastView;               // a view the new one copies its state from
    CFrameWnd* m_pCurrentFrame;       // the frame the new one copies its state from

    CCreateContext()
        : m_pNewViewClass(NULL), m_pCurrentDoc(NULL), m_pNewDocTemplate(NULL), m_pLastView(NULL),
          m_pCurrentFrame(NULL)
    {
    }
};

// ---------------------------------------------------------------------------
// CDocument
// ---------------------------------------------------------------------------
class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    virtual ~CDocument();

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Makes the name a full path and sets the title to the file's name.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // ---- views ----
    virtual POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    virtual CView* GetNextView(POSITION& rPosition) const { return (CView*)m_viewList.GetNext(rPosition); }
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);

    // ---- overridables ----
    virtual void DeleteContents() {}
    virtual void OnChangedViewList();
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* pFrame) { (void)pFrame; }
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void UpdateFrameCounts();
    virtual HMENU GetDefaultMenu();
    virtual HACCEL GetDefaultAccelerator();
    virtual void OnIdle() {}
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;
    BOOL m_bAutoDelete;   // delete the document when its last view goes
    BOOL m_bEmbedded;

protected:
    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()
    friend class CDocTemplate;
};

// ---------------------------------------------------------------------------
// CView and CScrollView
// ---------------------------------------------------------------------------
class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
protected:
    CView();
public:
    virtual ~CView();

    CDocument* GetDocument() const { return m_pDocument; }
    virtual BOOL IsSelected(const CObject* pDocItem) const { (void)pDocItem; return FALSE; }

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual void OnInitialUpdate();   // OnUpdate(NULL, 0, NULL)
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) { (void)nState; (void)pFrameWnd; }
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);
    virtual void PostNcDestroy();

    // Drag and drop onto the view, through a COleDropTarget registered for
    // it: the defaults refuse every drop; OnDropEx's (DROPEFFECT)-1 hands the
    // drop to OnDrop, OnDragScroll's DROPEFFECT_SCROLL asks for the target's
    // own scrolling along the edges.
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) { (void)pDataObject; (void)dwKeyState; (void)point; return DROPEFFECT_NONE; }
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) { (void)pDataObject; (void)dwKeyState; (void)point; return DROPEFFECT_NONE; }
    virtual void OnDragLeave() {}
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) { (void)pDataObject; (void)dropEffect; (void)point; return FALSE; }
    virtual DROPEFFECT OnDropEx(COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList, CPoint point) { (void)pDataObject; (void)dropDefault; (void)dropList; (void)point; return (DROPEFFECT)-1; }
    virtual DROPEFFECT OnDragScroll(DWORD dwKeyState, CPoint point) { (void)dwKeyState; (void)point; return DROPEFFECT_SCROLL; }

    // The splitter the view is a pane of, or NULL; unless bAnyState, NULL
    // too while a window above it is minimised.
    static CSplitterWnd* PASCAL GetParentSplitter(const CWnd* pWnd, BOOL bAnyState);

    CDocument* m_pDocument;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
    friend class CDocument;
};

class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
protected:
    CScrollView();
public:
    virtual ~CScrollView();

    static const SIZE sizeDefault;

    // Sizes in logical units of nMapMode; with sizeDefault a page is a tenth
    // of the total and a line a tenth of a page.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;          // logical units
    CPoint GetDeviceScrollPosition() const;    // pixels
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    void ScrollToPosition(POINT pt);           // logical units
    void FillOutsideRect(CDC* pDC, CBrush* pBrush);
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);
    BOOL DoMouseWheel(UINT fFlags, short zDelta, CPoint point);

    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

protected:
    int m_nMapMode;
    CSize m_totalLog;   // total size in logical units
    CSize m_totalDev;   // total size in pixels
    CSize m_pageDev;    // page scroll in pixels
    CSize m_lineDev;    // line scroll in pixels
    BOOL m_bInsideUpdate;

    void UpdateBars();
    void ScrollToDevicePosition(POINT ptDev);
    BOOL GetTrueClientSize(CSize& size, CSize& sizeSb);
    void GetScrollBarSizes(CSize& sizeSb);
    void GetScrollBarState(CSize sizeClient, CSize& needSb, CSize& sizeRange, CPoint& ptMove,
                           BOOL bInsideClient);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT fFlags, short zDelta, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// CFrameWnd
// ---------------------------------------------------------------------------
class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;   // lets the system place and size the window

    CFrameWnd();
    virtual ~CFrameWnd();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                        DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // Creates the frame with the menu, accelerators and icon of nIDResource
    // and the title that is the first "\n" piece of string nIDResource.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // ---- the active view and document ----
    virtual CDocument* GetActiveDocument();
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CFrameWnd* GetActiveFrame() { return this; }
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // ---- layout ----
    // With FWS_SNAPTOBARS the frame takes the size of its bars.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    enum BorderCmd { borderGet = 1, borderRequest = 2, borderSet = 3 };

    // ---- title and menu ----
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    void DelayUpdateFrameMenu(HMENU hMenuAlt) { m_hMenuAlt = hMenuAlt; m_nIdleFlags |= idleMenu; }
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    virtual HMENU GetMenuDefault() { return m_hMenuDefault; }
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    virtual HACCEL GetDefaultAccelerator();
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }

    // ---- status line ----
    virtual void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();
    // The prompt of command nID: its string up to the first "\n".
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    // ---- control bars ----
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // ---- docking (framedock.cpp, dockstate.cpp) ----
    // Creates the dock bars of the edges dwDockStyle names (dwDockBarMap).
    void EnableDocking(DWORD dwDockStyle);
    // Docks pBar in the dock bar nDockBarID (0: the one of the bar's
    // CBRS_ALIGN_ edge), at the screen rectangle lpRect or in a row of its own.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    // Docks pBar back where it was docked last (its place-holder).
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    // Floats pBar in a mini frame at point (screen); a bar floating alone in
    // a frame of the same orientation only moves.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    // The CBRS_ALIGN_ edge of the first visible dock bar that rect (screen)
    // meets and that dwDockStyle allows, 0 when none.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = NULL);
    // A new floating frame of m_pFloatingFrameClass.
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // Sends WM_FLOATSTATUS (FS_) to the floating frames this frame owns and,
    // for FS_ACTIVATE/FS_DEACTIVATE, draws its own caption active or not.
    void NotifyFloatingWindows(DWORD dwFlags);
    void SaveBarState(LPCTSTR lpszProfileName) const;
    void LoadBarState(LPCTSTR lpszProfileName);
    void GetDockState(CDockState& state) const;
    // Bars whose ids are not found are left out.
    void SetDockState(const CDockState& state);
    // The dock bars and floating frames go with the frame.
    void DestroyDockBars();

    // Which dock bar each edge has and its style.
    static const DWORD dwDockBarMap[4][2];
    CRuntimeClass* m_pFloatingFrameClass;   // CMiniDockFrameWnd unless set
    BOOL m_bHelpMode;   // Shift+F1 help mode (HELP_ACTIVE while it runs)

    // ---- modal state ----
    virtual void BeginModalState();
    virtual void EndModalState();
    BOOL InModalState() const { return m_cModalStack != 0; }

    // ---- overrides ----
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL IsFrameWnd() const { return TRUE; }
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    virtual void PostNcDestroy();

    BOOL m_bAutoMenuEnable;   // disable menu items that nothing handles
    HMENU m_hMenuDefault;     // the frame's own menu (LoadFrame)
    HACCEL m_hAccelTable;     // the frame's accelerators (LoadFrame)
    CString m_strTitle;       // the application part of the window title
    CPtrList m_listControlBars;
    CRect m_rectBorder;       // extra border space taken around the view
    UINT m_nIDHelp;
    UINT m_nIDTracking;       // the command whose prompt the menu tracks
    UINT m_nIDLastMessage;    // the prompt shown last
    CView* m_pViewActive;
    int m_nWindow;            // the ":n" of the title when a document has several frames, else -1
    int m_nShowDelay;
    UINT m_nIdleFlags;
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    DWORD m_dwDockStyle;
    CFrameWnd* m_pNextFrameWnd;   // this thread's frames, newest first
    BOOL m_bInRecalcLayout;

    // The first frame of this thread (m_pNextFrameWnd links the others).
    static CFrameWnd* PASCAL GetThreadFrameList();

protected:
    HMENU m_hMenuAlt;
    int m_cModalStack;
    HWND* m_phWndDisable;

    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // The idle update of the title, the menu and the layout.
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // The caption stays active while WF_STAYACTIVE is set, never when the
    // frame is disabled.
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnEnable(BOOL bEnable);
    // WM_COMMANDHELP: help on the frame's context (m_nIDHelp), or lParam's id.
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
    friend class CMiniDockFrameWnd;
};

// ---------------------------------------------------------------------------
// CMiniFrameWnd: a frame with a small caption (a tool window)
// ---------------------------------------------------------------------------
#define MFS_SYNCACTIVE      0x00000100L  // caption active with its owner's
#define MFS_4THICKFRAME     0x00000200L  // sized by its sides only
#define MFS_THICKFRAME      0x00000400L  // sizable
#define MFS_MOVEFRAME       0x00000800L  // its border moves it instead of sizing
#define MFS_BLOCKSYSMENU    0x00010000L  // the system menu box is part of the caption

// WM_FLOATSTATUS flags
#define FS_SHOW         0x00000001
#define FS_HIDE         0x00000002
#define FS_ACTIVATE     0x00000004
#define FS_DEACTIVATE   0x00000008
#define FS_ENABLE       0x00000010
#define FS_DISABLE      0x00000020
#define FS_SYNCACTIVE   0x00000040


class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();

    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = NULL, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = NULL, UINT nID = 0);
    // WS_CAPTION makes a tool window; MFS_THICKFRAME and MFS_4THICKFRAME a
    // sizing border.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // The window rectangle of a floating frame around lpClientRect.
    static void PASCAL CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
                                   DWORD dwExStyle = 0);

    BOOL m_bActive;
    CString m_strCaption;

protected:
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryCenterWnd(WPARAM wParam, LPARAM lParam);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// MDI frames
// ---------------------------------------------------------------------------
class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    // Creates the MDI client; pWindowMenu gets the list of children.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup of hMenuBar that holds the Window commands (ID_WINDOW_...).
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    void MDIActivate(CWnd* pWndActivate) { ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->GetSafeHwnd(), 0); }
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIIconArrange() { ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
    void MDIMaximize(CWnd* pWnd) { ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->GetSafeHwnd(), 0); }
    void MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
    void MDIPrev() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1); }
    void MDIRestore(CWnd* pWnd) { ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->GetSafeHwnd(), 0); }
    void MDICascade() { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
    void MDICascade(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, nType, 0); }
    void MDITile() { ::SendMessage(m_hWndMDIClient, WM_MDITILE, 0, 0); }
    void MDITile(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDITILE, nType, 0); }
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

    // The active child, or the frame itself when there is none.
    virtual CFrameWnd* GetActiveFrame();
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // The active child (its view and document) first, then the frame.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWndMDIClient;

protected:
    // The active child first (sent WM_COMMAND), then the frame's routing.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Sends WM_COMMAND to pChild; TRUE when the child handled it. A command
    // coming back up from the child while it has it is not sent down again.
    BOOL SendCommandToChild(CWnd* pChild, WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnWindowNew();
    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    // Created through the MDI client of pParentWnd (the main window when NULL).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = NULL,
                        CCreateContext* pContext = NULL);
    // The menu and accelerators are the template's shared ones.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy() { ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0); }
    void MDIActivate() { ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0); }
    void MDIMaximize() { ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0); }
    void MDIRestore() { ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0); }

    virtual void ActivateFrame(int nCmdShow = -1);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    using CFrameWnd::OnUpdateFrameMenu;
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    virtual CWnd* GetMessageBar();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Gives the MDI client its sunken edge, or takes it away while this child
    // is the active one and is maximised without an edge of its own; TRUE
    // when the edge changed, with the client's new client rectangle.
    BOOL UpdateClientEdge(LPRECT lpRect = NULL);

    HMENU m_hMenuShared;   // the frame menu shown while this child is active

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// Document templates and the document manager
// ---------------------------------------------------------------------------
class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);
public:
    virtual ~CDocTemplate();

    // The pieces of the template's "\n"-separated document string.
    enum DocStringIndex
    {
        windowTitle,       // the application's title (single-document frames)
        docName,           // base of the default document name ("Untitled" when empty)
        fileNewName,       // name in the File New choice
        filterName,        // "Pellucor Files (*.kvfile)"
        filterExt,         // ".kvfile" (several separated by ';')
        regFileTypeId,     // the registry name of the file type
        regFileTypeName    // the name shown for it
    };
    // FALSE (and an empty string) past the last piece; an empty piece is TRUE.
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    enum Confidence
    {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    virtual void LoadTemplate();
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual void OnIdle();
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;   // loaded by LoadTemplate
    BOOL m_bAutoDelete;        // the document manager deletes the template

protected:
    DECLARE_MESSAGE_MAP()
};

// One document at a time: File New and File Open reuse the open document
// (its contents deleted) and the main frame.
class CSingleDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    virtual ~CSingleDocTemplate();

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const { return m_pOnlyDoc ? (POSITION)1 : NULL; }
    virtual CDocument* GetNextDoc(POSITION& rPos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument);

    CDocument* m_pOnlyDoc;
};

// Any number of documents, each with its own frame; the frames share the
// template's menu and accelerators.
class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    virtual ~CMultiDocTemplate();

    virtual void LoadTemplate();
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }
    virtual CDocument* GetNextDoc(POSITION& rPos) const { return (CDocument*)m_docList.GetNext(rPos); }
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument);

    HMENU m_hMenuShared;
    HACCEL m_hAccelTable;
    CPtrList m_docList;
    UINT m_nUntitledCount;   // numbers the default titles: "Name1", "Name2", ...
};

class CDocManager : public CObject
{
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager();
    virtual ~CDocManager();

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    virtual POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const { return (CDocTemplate*)m_templateList.GetNext(pos); }
    virtual void RegisterShellFileTypes(BOOL bCompat);
    virtual void UnregisterShellFileTypes();
    // Activates the document when it is open already, else opens it with the
    // template whose extension matches best.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual int GetOpenDocumentCount();
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    virtual void OnFileNew();
    virtual void OnFileOpen();
    virtual BOOL OnDDECommand(LPTSTR lpszCommand) { (void)lpszCommand; return FALSE; }

    CPtrList m_templateList;
};

