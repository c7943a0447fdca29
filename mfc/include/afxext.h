// afxext.h - form views and control bars: tool bars, status bars, rebars and
// dialog bars laid out at a frame's edges.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "afxdlgs.h"

// ---------------------------------------------------------------------------
// Button and pane styles
// ---------------------------------------------------------------------------
// Tool bar buttons: the low word is the button style, the high word its state
// with TBSTATE_ENABLED turned round (so that 0 means an enabled button).
#define TBBS_BUTTON         MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR      MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX       MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP          MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP     (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN       MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE       MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX       MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED        MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_INDETERMINATE  MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_DISABLED       MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_PRESSED        MAKELONG(0, TBSTATE_PRESSED)

// Status bar panes.
#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  SBT_NOBORDERS
#define SBPS_POPOUT     SBT_POPOUT
#define SBPS_OWNERDRAW  SBT_OWNERDRAW
#define SBPS_DISABLED   0x04000000   // the pane shows no text
#define SBPS_STRETCH    0x08000000   // the pane takes the width the others leave

// The resource type of tool bar layouts.
#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

class CToolBar;
class CStatusBar;
class CDockContext;
class CControlBarInfo;
class CDockState;
class CReBar;
class CDialogBar;

// ---------------------------------------------------------------------------
// CFormView: a view made from a dialog template
// ---------------------------------------------------------------------------
class CFormView : public CScrollView
{
    DECLARE_DYNAMIC(CFormView)
protected:
    explicit CFormView(LPCTSTR lpszTemplateName);
    explicit CFormView(UINT nIDTemplate);
public:
    virtual ~CFormView();

    // Creates the form from its template as a child of the frame (the
    // template's caption, border and popup styles are dropped).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    virtual void OnInitialUpdate();   // UpdateData(FALSE)
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void OnDraw(CDC* pDC) { (void)pDC; }
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    LPCTSTR m_lpszTemplateName;

protected:
    HWND m_hWndFocus;   // the control that last had the focus
    CCreateContext* m_pCreateContext;

    // Remembers the control of the form that has the focus; FALSE when none has.
    BOOL SaveFocusControl();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// CControlBar
// ---------------------------------------------------------------------------
class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
protected:
    CControlBar();
public:
    virtual ~CControlBar();

    int GetCount() const { return m_nCount; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    DWORD GetBarStyle() { return m_dwStyle; }
    // Stores the style, turns the tool tips on or off by CBRS_TOOLTIPS and
    // tells OnBarStyleChange when the style changed.
    virtual void SetBarStyle(DWORD dwStyle);
    // Records the edges (and CBRS_FLOAT_MULTI) the bar may dock at, makes its
    // dock context and wires its owner to its current parent for good.
    void EnableDocking(DWORD dwDockStyle);
    // The frame the bar sits in: its mini frame while it floats.
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    BOOL IsVisible() const;
    BOOL IsDockBar() const { return m_bDockBar; }
    // Hides or shows the bar the next time its frame lays out.
    void DelayShow(BOOL bShow);
    // A floating bar goes with its mini frame.
    virtual BOOL DestroyWindow();

    // The size the bar wants: the whole width (height) of the frame when
    // bStretch, else its contents.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Enables, checks or sets the text of the bar's items through pTarget's
    // routing (at idle, WM_IDLEUPDATECMDUI).
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // Shrinks rect by the border lines (CBRS_BORDER_), the borders' space and
    // a docked bar's gripper (CBRS_GRIPPER).
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Draws the CBRS_BORDER_ lines into rect (window coordinates from 0, 0)
    // and shrinks rect by them.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    // The two etched lines a docked bar with CBRS_GRIPPER is grabbed by.
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    // Paints the non-client area: borders, the face behind them, the gripper.
    void EraseNonClient();
    // Shrinks the client rectangle of a WM_NCCALCSIZE by the inside of an
    // empty rectangle (rectInside, from CalcInsideRect), never below empty.
    static void PASCAL ShrinkClientRect(NCCALCSIZE_PARAMS* lpncsp, const CRect& rectInside);
    // Called by SetBarStyle after the style changed.
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    // Bar state for CDockState (dockstate.cpp).
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);
    // Notifications and commands of the bar's children go on to the owner.
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();

    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_cxDefaultGap;
    UINT m_nMRUWidth;     // the floating width of a CBRS_SIZE_DYNAMIC bar
    BOOL m_bAutoDelete;   // delete the object when its window goes
    DWORD m_dwStyle;      // CBRS_ styles
    DWORD m_dwDockStyle;  // the edges it may dock at (EnableDocking)
    CFrameWnd* m_pDockSite;       // the frame it belongs to
    CDockBar* m_pDockBar;         // the dock bar it sits in, NULL when not docked
    CDockContext* m_pDockContext; // made by EnableDocking

    // Pending show or hide (dock bars of other kinds lay bars out too).
    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
    UINT m_nStateFlags;
    // Applies a pending DelayShow as part of a layout; the style the bar
    // will have.
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

protected:
    int m_nCount;
    void* m_pData;
    BOOL m_bDockBar;

    // Strips the CBRS_ bits (they overlap the controls' own styles) into
    // m_dwStyle and creates the common control of lpszClass.
    BOOL CreateBar(LPCTSTR lpszClass, CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID);
    // The owner that receives the bar's notifications and commands.
    CWnd* GetBarOwner() const;
    // The command target that updates the bar: its owner, whatever it is.
    CCmdTarget* GetUpdateTarget() const;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // A press or double click on no item of a docked bar drags it or
    // toggles its docking.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
    friend class CFrameWnd;
    friend class CDockBar;
    friend class CDockContext;
};

// ---------------------------------------------------------------------------
// CToolBar
// ---------------------------------------------------------------------------
class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    virtual ~CToolBar();

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                        UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                          CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);
    // Buttons and separators (ID_SEPARATOR) from an RT_TOOLBAR resource, and
    // the images from the bitmap of the same name.
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // lpIDArray NULL: nIDCount empty separators to fill with SetButtonInfo.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    CString GetButtonText(int nIndex) const;
    void GetButtonText(int nIndex, CString& rString) const;
    CToolBarCtrl& GetToolBarCtrl() const { return *(CToolBarCtrl*)this; }

    // The size of the buttons laid out for the mode: one row when docked
    // horizontally, one column vertically, wrapped to the MRU width while
    // floating, to nLength when resizing (LM_LENGTHY: a height); LM_COMMIT
    // applies the wrapping to the buttons.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Buttons whose commands nothing handles are disabled (bDisableIfNoHndler).
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    // The button under point (its command id, its tool the button's
    // rectangle, text by callback), -1 over no button.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);

    HBITMAP m_hbmImageWell;
    HRSRC m_hRsrcImageWell;
    HINSTANCE m_hInstImageWell;
    CSize m_sizeButton;
    CSize m_sizeImage;
    BOOL m_bDelayedButtonLayout;   // lay the buttons out before the next paint

protected:
    void GetButton(int nIndex, TBBUTTON* pButton) const;
    // Replaces a button whose look changed by deleting and inserting it:
    // m_bReplacingButton is set meanwhile, so that a bar that keeps data by
    // button index sees the same button still at its place.
    void SetButton(int nIndex, TBBUTTON* pButton, BOOL bKeepWrap = TRUE);
    BOOL m_bReplacingButton;
    // The layout, over a copy of the buttons: their size as wrapped, the
    // wrapping into rows of a width, the narrowest wrapping for a length.
    // Virtual, so that a bar whose buttons measure otherwise keeps the rest.
    virtual CSize CalcLayout(DWORD nMode, int nLength = -1);
    virtual CSize CalcSize(TBBUTTON* pData, int nCount);
    virtual int WrapToolBar(TBBUTTON* pData, int nCount, int nWidth);
    virtual void SizeToolBar(TBBUTTON* pData, int nCount, int nLength, BOOL bVert = FALSE);
    // The width button nIndex takes in a row (sizeButton: the control's
    // button size; a drop-down adds its arrow), and the height a separator
    // ending a wrapped row adds below it.
    virtual int GetLayoutWidth(int nIndex, const TBBUTTON& button, CSize sizeButton);
    virtual int GetWrappedSeparatorHeight(const TBBUTTON& button);
    // Lays the buttons out for the bar's state (docked or floating).
    void Layout();

    // Fly-by help: the hot button's prompt in the status line.
    afx_msg BOOL OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    // The whole window is client for the mouse: a press on the gripper or
    // the borders drags the bar.
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// CStatusBar
// ---------------------------------------------------------------------------
struct AFX_STATUSPANE
{
    UINT nID;        // indicator id, or ID_SEPARATOR
    UINT nStyle;     // SBPS_ styles
    int cxText;      // width of the text
    CString strText;
    UINT nFlags;     // SBPF_UPDATE: the control has not been given strText yet
};
#define SBPF_UPDATE 0x0001

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    virtual ~CStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id: an indicator's string is its text and sets its width;
    // a first ID_SEPARATOR pane stretches and has no border.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CStatusBarCtrl& GetStatusBarCtrl() const { return *(CStatusBarCtrl*)this; }

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Panes whose ids have no handler keep their state.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { (void)lpDrawItemStruct; }

protected:
    AFX_STATUSPANE* GetPanePtr(int nIndex) const { return ((AFX_STATUSPANE*)m_pData) + nIndex; }
    BOOL AllocElements(int nElements);
    // Gives the control the panes' right edges and texts.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    void ShowPaneText(int nIndex);
    int PaneWidth(const AFX_STATUSPANE* pSBP) const;
    int m_cxSizeBox;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// CReBar
// ---------------------------------------------------------------------------
class CReBar : public CControlBar
{
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // Puts pBar in a new band; a control bar's own size sets the band's.
    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = NULL, CBitmap* pbmp = NULL,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText = NULL,
                DWORD dwStyle = RBBS_GRIPPERALWAYS);
    CReBarCtrl& GetReBarCtrl() const { return *(CReBarCtrl*)this; }

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) { (void)pTarget; (void)bDisableIfNoHndler; }
    // Shows or hides the band that holds pBar.
    BOOL ShowBand(CWnd* pBar, BOOL bShow);

protected:
    BOOL DoAddBar(CWnd* pBar, REBARBANDINFO* pRBBI, LPCTSTR pszText);
    // The frame lays out again when the rebar's height changes.
    afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// CDialogBar: a bar made from a dialog template
// ---------------------------------------------------------------------------
class CDialogBar : public CControlBar
{
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    virtual ~CDialogBar();

    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
    { return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID); }

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Enables the bar's controls through the owner's command routing.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

    CSize m_sizeDefault;   // the template's size
};

// ---------------------------------------------------------------------------
// Docking: dock bars at the frame's edges and in floating mini frames, the
// dock context that drags and resizes a bar, and the saved dock state.
// ---------------------------------------------------------------------------

// CDockBar: the bars docked at one edge (or in one floating frame), in rows.
// m_arrBars holds the bars of a row one after another, a NULL entry after
// each row (and one at the start); an entry that is a control id instead of
// a bar is a place-holder: where that bar was docked before it floated.
class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    virtual ~CDockBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    BOOL m_bFloating;        // the dock bar of a mini frame
    CPtrArray m_arrBars;     // the docked bars; NULL ends a row; ids hold places
    BOOL m_bLayoutQuery;     // the layout only measures (hDWP NULL)
    CRect m_rectLayout;      // the space the frame's layout offers, while it runs

    int GetDockedCount() const;          // bars, not place-holders
    int GetDockedVisibleCount() const;
    // The bar at nPos: NULL for a row end or a place-holder.
    CControlBar* GetDockedControlBar(int nPos) const
    {
        CControlBar* pResult = (CControlBar*)m_arrBars[nPos];
        return (UINT_PTR)pResult <= 0xFFFF ? NULL : pResult;
    }
    // Takes pBar (from wherever it is docked) at the screen rectangle lpRect,
    // in the row it falls in, or at the end in a row of its own.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // Docks pBar back where its place-holder is, else as DockControlBar.
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // Takes pBar out, leaving a place-holder when nAddPlaceHolder is 1 (0:
    // its place-holders go too; -1: they stay); drops a row left empty; a
    // floating frame left with no bar is destroyed (TRUE), one left with no
    // visible bar hidden.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    void RemovePlaceHolder(CControlBar* pBar);
    // A bar docked at an edge has no place to go back to: its place-holders
    // in the frame's other edge dock bars go (here nothing happens for a
    // floating dock bar, whose bar floats and keeps them).
    void RemovePlaceHoldersElsewhere(CControlBar* pBar);
    // Shows or hides every docked bar.
    void ShowAll(BOOL bShow);

    // Lays the bars out in their rows (unless m_bLayoutQuery) and returns the
    // size the rows take.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) { (void)pTarget; (void)bDisableIfNoHndler; }
    virtual void DoPaint(CDC* pDC) { (void)pDC; }

    // The index of pBar (a bar or an id), -1 when it is not there.
    int FindBar(CControlBar* pBar, int nPosExclude = -1);
    // Puts pBarIns in the row that ptMid (client) falls in, after the bars
    // left of (above) rect; a new row below the last otherwise.
    int Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid);

protected:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    DECLARE_MESSAGE_MAP()
    friend class CMiniDockFrameWnd;
};

// CMiniDockFrameWnd: the floating frame a bar floats in, a tool window
// owned by the dock site, holding one floating dock bar.
class CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    // A popup owned by pParent; its dock bar is CBRS_ALIGN_LEFT for a bar
    // style naming left or right, else CBRS_ALIGN_TOP (with the style's
    // CBRS_FLOAT_MULTI). A CBRS_SIZE_DYNAMIC bar's frame can be resized.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // Lays out and takes the dock bar's text as its caption.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // The dock site's status bar.
    virtual CWnd* GetMessageBar();

    CDockBar m_wndDockBar;

protected:
    // The first bar of the dock bar (NULL when it holds several).
    CControlBar* GetSingleBar();
    // Closing hides the bars.
    afx_msg void OnClose();
    // A press on the caption drags the bar through its dock context, a press
    // on the border resizes it, a double click on the caption docks it.
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// CDockContext: drags a bar (outline rectangles on the screen, docked where
// the outline meets a dock bar, floated elsewhere; Ctrl floats, Shift flips
// the orientation), resizes a floating CBRS_SIZE_DYNAMIC bar, and toggles
// between the remembered docked and floating places.
class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);

    virtual void StartDrag(CPoint pt);
    void Move(CPoint pt);
    void EndDrag();
    void OnKey(int nChar, BOOL bDown);
    virtual void StartResize(int nHitTest, CPoint pt);
    void Stretch(CPoint pt);
    void EndResize();
    virtual void ToggleDocking();
    virtual ~CDockContext();

    // The drag state
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast;
    CRect m_rectDragHorz;        // the outline docked horizontally
    CRect m_rectDragVert;        // the outline docked vertically
    CRect m_rectFrameDragHorz;   // the outline floating, horizontal
    CRect m_rectFrameDragVert;   // the outline floating, vertical

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle;       // the edges the bar may dock at
    DWORD m_dwOverDockStyle;   // the edge the outline is over (0: floating)
    DWORD m_dwStyle;           // the bar's CBRS_ALIGN_ bits at the start
    BOOL m_bFlip;              // Shift: the other orientation
    BOOL m_bForceFrame;        // Ctrl: no docking
    CDC* m_pDC;                // the screen, while dragging
    BOOL m_bDragging;          // dragging, not resizing
    int m_nHitTest;            // the border being dragged

    // Where the bar was docked and floated last
    UINT m_uMRUDockID;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;

    // The resize state
    CRect m_rectRequestedSize;
    CRect m_rectActualSize;
    CRect m_rectActualFrameSize;
    CRect m_rectFrameBorders;

    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    void UpdateState(BOOL* pFlag, BOOL bNewValue);
    // The edge the outline can dock at (its CBRS_ALIGN_ bit), 0: none.
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);
    BOOL Track();
    void InitLoop();
    void CancelLoop();

protected:
    // The running loop's flag, set when the context is deleted under it (its
    // bar deleted, its frame closed by a message the loop passed on).
    BOOL* m_pbDeleted;
};

// CControlBarInfo: one bar's saved state in a CDockState.
class CControlBarInfo
{
public:
    CControlBarInfo();

    UINT m_nBarID;          // the bar's control id
    BOOL m_bVisible;
    BOOL m_bFloating;       // a floating dock bar
    BOOL m_bHorz;           // a floating dock bar's orientation
    BOOL m_bDockBar;        // a dock bar
    CPoint m_pointPos;      // top left: in the dock bar for a docked bar, on the screen for a floating dock bar

    UINT m_nMRUWidth;
    BOOL m_bDocking;        // the bar has a dock context
    UINT m_uMRUDockID;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;

    // A dock bar's entries: bar ids, 0 for a row end, id | 0x10000 for a
    // place-holder.
    CPtrArray m_arrBarID;
    CControlBar* m_pBar;    // the bar it was read from or applies to

    void Serialize(CArchive& ar, CDockState* pDockState);
    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);
};

// CDockState: the places, visibility and MRU positions of a frame's bars
// (GetDockState/SetDockState), kept in the profile ("<name>-Summary",
// "<name>-Bar<n>") or an archive.
class CDockState : public CObject
{
    DECLARE_SERIAL(CDockState)
public:
    CDockState();
    virtual ~CDockState();

    CPtrArray m_arrBarInfo;   // CControlBarInfo*, owned

    void LoadState(LPCTSTR lpszProfileName);
    void SaveState(LPCTSTR lpszProfileName);
    void Clear();
    DWORD GetVersion() { return m_dwVersion; }
    virtual void Serialize(CArchive& ar);

    // Positions saved on a screen of another size are scaled to this one.
    void ScalePoint(CPoint& pt);
    void ScaleRectPos(CRect& rect);
    CSize GetScreenSize();
    void SetScreenSize(CSize& size);

protected:
    BOOL m_bScaling;
    CRect m_rectDevice;
    CRect m_rectClip;
    CSize m_sizeLogical;
    DWORD m_dwVersion;
};

// ---------------------------------------------------------------------------
// CPrintInfo: one print job as the view (or a control that prints itself)
// goes through it page by page. Pages are numbered from 1; the print dialog
// holds the range the user may choose from (min and max) and the range chosen
// (from and to).
// ---------------------------------------------------------------------------
struct CPrintInfo
{
    CPrintInfo();
    ~CPrintInfo();

    CPrintDialog* m_pPD;          // owned
    BOOL m_bDocObject;
    DWORD m_dwFlags;
    UINT m_nOffsetPage;
    BOOL m_bDirect;               // print without showing the dialog
    BOOL m_bPreview;
    BOOL m_bContinuePrinting;     // cleared to stop after the current page
    UINT m_nCurPage;
    UINT m_nNumPreviewPages;
    CString m_strPageDesc;
    LPVOID m_lpUserData;
    CRect m_rectDraw;             // the printable area of the current page
    int m_nJobNumber;

    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = (WORD)nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = (WORD)nMaxPage; }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
    UINT GetToPage() const { return m_pPD->m_pd.nToPage; }
    UINT GetOffsetPage() const { return m_nOffsetPage; }

private:
    CPrintInfo(const CPrintInfo&) = delete;
    void operator=(const CPrintInfo&) = delete;
};

// ---------------------------------------------------------------------------
// CRectTracker: a rectangle the user moves and sizes with the mouse (the
// selection of an item in a view, a splitter strip), shown with optional
// lines, hatching and resize handles. Coordinates are the window's client
// coordinates; m_rect may be inverted (right < left) while tracking allows it.
// ---------------------------------------------------------------------------
class CRectTracker
{
public:
    CRectTracker() { Construct(); }
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
    virtual ~CRectTracker() {}

    enum StyleFlags
    {
        solidLine = 1, dottedLine = 2, hatchedBorder = 4,
        resizeInside = 8, resizeOutside = 16, hatchInside = 32,
    };
    // What a point hits: a corner, a side, the middle (a move), or nothing.
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0, hitTopRight = 1, hitBottomRight = 2, hitBottomLeft = 3,
        hitTop = 4, hitRight = 5, hitBottom = 6, hitLeft = 7, hitMiddle = 8,
    };

    UINT m_nStyle;
    CRect m_rect;
    CSize m_sizeMin;      // the smallest width and height sizing allows
    int m_nHandleSize;

    void Draw(CDC* pDC) const;
    // m_rect with everything drawn around it (lines, outer handles, hatching).
    void GetTrueRect(LPRECT lpTrueRect) const;
    // Sets the cursor of the handle under the mouse; FALSE outside the
    // tracker or outside the client area (nHitTest of WM_SETCURSOR).
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    // Runs a capture loop from a press at point on a handle (or the middle):
    // mouse moves change m_rect, the button going up ends, Escape or the
    // right button cancels (m_rect is put back). TRUE when m_rect changed.
    BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = NULL);
    // A new rectangle dragged out from point.
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);
    int HitTest(CPoint point) const;
    // The handle the user sees at nHandle of an inverted rectangle.
    int NormalizeHit(int nHandle) const;

    // Draws the tracking frame of lpRect (m_bErase: the call takes the last
    // frame away; m_bFinalErase: the loop is ending).
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    // Called with each new rectangle while tracking; the default keeps the
    // minimum size (and the sign, unless inverting is allowed).
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    virtual void OnChangedRect(const CRect& rectOld) { (void)rectOld; }
    // Bits 0-7 for the handles shown: the corners always, the sides when the
    // rectangle is large enough.
    virtual UINT GetHandleMask() const;
    virtual int GetHandleSize(LPCRECT lpRect = NULL) const;

protected:
    BOOL m_bAllowInvert;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bErase;
    BOOL m_bFinalErase;

    int HitTestHandles(CPoint point) const;
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    void GetModifyPointers(int nHandle, int** ppx, int** ppy, int* px, int* py);
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);
    void Construct();
};

// ---------------------------------------------------------------------------
// CSplitterWnd: panes in rows and columns with bars between them that the
// user drags. The static form has a fixed grid of panes made at creation
// (CreateStatic, then CreateView for each pane). Each row and column has an
// ideal and a minimum size: the last one takes what is left; one below its
// minimum is hidden and its room goes to the one before.
// ---------------------------------------------------------------------------
#define SPLS_DYNAMIC_SPLIT  0x0100
#define SPLS_INVERT_TRACKER 0x0200

class CSplitterWnd : public CWnd
{
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    virtual ~CSplitterWnd();

    virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                              UINT nID = AFX_IDW_PANE_FIRST);
    // A pane of the view class at (row, col); sizeInit gives its column's
    // and row's ideal sizes.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);
    virtual void DeleteView(int row, int col);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetMaxRowCount() const { return m_nMaxRows; }
    int GetMaxColumnCount() const { return m_nMaxCols; }
    // Current and minimum sizes; Set... changes the ideal and minimum sizes,
    // applied by the next RecalcLayout.
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);

    CWnd* GetPane(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    BOOL IsChildPane(CWnd* pWnd, int& row, int& col) { return IsChildPane(pWnd, &row, &col); }
    // Pane ids hold 16 columns to a row: a splitter has at most 16 rows and
    // 16 columns (CreateStatic refuses more), and (row, col) outside its
    // rows and columns names no pane.
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    BOOL IsTracking() const { return m_bTracking; }

    virtual void RecalcLayout();
    virtual CWnd* GetActivePane(int* pRow = NULL, int* pCol = NULL);
    virtual void SetActivePane(int row, int col, CWnd* pWnd = NULL);
    // Scrolling asked for by a pane (auto-scroll while dragging over it).
    virtual BOOL DoScroll(CView* pViewFrom, UINT nScrollCode, BOOL bDoScroll = TRUE);
    virtual BOOL DoScrollBy(CView* pViewFrom, CSize sizeScroll, BOOL bDoScroll = TRUE);

    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };
    // pDC NULL: invalidate the rectangle instead of drawing it.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
    virtual void OnInvertTracker(const CRect& rect);

    // Sizes (in pixels) of the splitter's parts.
    int m_cxSplitter, m_cySplitter;         // a bar as drawn
    int m_cxBorderShare, m_cyBorderShare;   // a bar's overlap with the panes' borders
    int m_cxSplitterGap, m_cySplitterGap;   // the space between two panes
    int m_cxBorder, m_cyBorder;             // the border drawn around each pane

protected:
    struct CRowColInfo
    {
        int nMinSize;
        int nIdealSize;
        int nCurSize;
    };
    int m_nMaxRows, m_nMaxCols;
    int m_nRows, m_nCols;
    CRowColInfo* m_pColInfo;
    CRowColInfo* m_pRowInfo;
    // tracking a bar: hit code, the bar's rectangle and where it may go
    BOOL m_bTracking;
    int m_htTrack;
    CPoint m_ptTrackOffset;
    CRect m_rectTracker;
    CRect m_rectLimit;

    enum HitTestValue { noHit = 0, vSplitterBar1 = 101, hSplitterBar1 = 201 };
    int HitTest(CPoint pt) const;
    void GetHitRect(int ht, CRect& rect) const;
    void GetInsideRect(CRect& rect) const;
    void StartTracking(int ht);
    void StopTracking(BOOL bAccept);
    void TrackRowSize(int y, int row);
    void TrackColumnSize(int x, int col);
    void DrawAllSplitBars(CDC* pDC, int cxInside, int cyInside);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// Dialog template helpers shared by form views and dialog bars
// ---------------------------------------------------------------------------
// Creates a modeless child dialog from a template, attached to pWnd from its
// first message on. The template's popup, caption and frame styles are
// replaced by WS_CHILD | DS_CONTROL plus dwAddStyle.
BOOL AFXAPI AfxCreateChildDialog(CWnd* pWnd, LPCTSTR lpszTemplateName, CWnd* pParentWnd,
                                 DWORD dwAddStyle, DWORD dwAddExStyle, UINT nID);
