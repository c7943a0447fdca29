// A control bar the user can resize: docked it carries a caption strip with
// its window text and two caption buttons (close, maximize in its row), all
// drawn by the dock bar element skin, which also lays the strip out and
// decides how much of the window the bar's contents get.
//
// It keeps a size for each placement (floating, docked along a top or bottom
// edge, docked along a side), reports size and placement changes to
// OnSizedOrDocked, and, when its frame answers the drag query message with
// non-zero, drags itself: docking into the size dock bar under the cursor on
// every move, floating elsewhere (Ctrl keeps it floating).
#pragma once

#include <afxwin.h>
#include <afxext.h>

class COXDockbarSkin;
class COXDockbarSkinClassic;
class COXDockTabCtrl;

// The bar's own style bits (m_dwSizeBarStyle), apart from the CBRS_ ones.
#define SZBAR_DELETEONCLOSE     0x0001
#define SZBAR_AUTODELETE        0x0002
#define SZBAR_CONTEXTMENU       0x0004
#define SZBAR_ALLOWMDIFLOAT     0x0010
#define SZBAR_NOGRIPPER         0x0020   // no caption strip
#define SZBAR_NOCLOSEBUTTON     0x0040
#define SZBAR_NOMAXIMIZEBUTTON  0x0080
#define SZBAR_NOCAPTIONTEXT     0x0100
#define SZBAR_SOLIDCAPTION      0x0200   // the caption in the caption colours

// Sent by a sizing bar's frame: "may bars run their own drag loop?"
#define WM_QUERYSIZEDOCKDRAG    (WM_USER + 92)
// Asks a sizing bar to append its commands to a menu (lParam: HMENU).
#define WM_OXSIZEBAR_FILLMENU   0x80CC
// Sent to a sizing bar after its frame floated it.
#define WM_OXSIZEBAR_FLOATED    0x80CD

// The commands of a sizing bar's menu.
#define ID_OXSIZEBAR_ALLOWDOCKING 26431
#define ID_OXSIZEBAR_HIDE         26432
#define ID_OXSIZEBAR_MDIFLOAT     26433

class COXSizeDockBar;

class COXSizeControlBar : public CControlBar
{
    DECLARE_DYNAMIC(COXSizeControlBar)
public:
    explicit COXSizeControlBar(DWORD dwSizeBarStyle);
    ~COXSizeControlBar() override;

    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, UINT nID, DWORD dwStyle, const RECT& rect);
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = NULL) override;
    void EnableDocking(DWORD dwDockStyle);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    void SetActive(BOOL bActive, BOOL bDeactivateOthers);
    void ShowBar(BOOL bShow);
    void SetMaximizedInRow(BOOL bMaximized);
    BOOL IsMaximizedInRow() const { return m_bMaximizedInRow; }
    // The size dock bar the bar is docked in, else NULL.
    COXSizeDockBar* GetSizeDockBar() const;
    // The dock bar's tab strip when the bar is one of its tabs, else NULL.
    COXDockTabCtrl* GetTabContainer();
    // Starts the bar's own drag as a press on its caption at point (client)
    // would.
    void StartOwnDrag(CPoint point);

    // Destroys the auto-delete bars of pFrame and deletes those whose
    // windows are gone.
    static void DestroyFrameBars(CFrameWnd* pFrame);
    static CObArray* m_pAutoDeleteBars;

    // The float position of the own drag: where the cursor holds the
    // floating frame, from the bar's window rectangle r (client
    // coordinates) and the cursor c.
    static CPoint CalcDragOffset(const CRect& r, CPoint c, CSize sizeFloat, BOOL bHorzDocked, BOOL bDocked);
    // The own drag starts when the cursor is more than this from the press.
    enum { nDragThreshold = 3 };
    static BOOL IsBeyondDragThreshold(CPoint ptDown, CPoint pt);

    // Whether the maximize button can give the bar the whole of its row:
    // only in a size dock bar whose row holds other sizing bars to shrink,
    // so never for a bar held anywhere else.
    virtual BOOL CanMaximizeInRow();

    // The application's dock bar skin when a skin is current, else the
    // bar's own Classic one, made on first use.
    COXDockbarSkin* GetDockbarSkin();

    // Docked along a top or bottom edge: the caption is a band at the left.
    BOOL IsHorzDocked() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    BOOL IsFloatingStyle() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    BOOL HasCaption() const { return (m_dwSizeBarStyle & SZBAR_NOGRIPPER) == 0; }

    // The bar's window rectangle with its origin at the client area's
    // top-left (negative where the non-client area lies), and the offset
    // that takes client coordinates to window ones.
    CRect GetWindowRectInClient() const;
    CPoint GetClientOffset() const;

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    virtual void DrawNonClient();
    // After the window size (nWhat bit 1) or the placement (bit 2) changed.
    virtual void OnSizedOrDocked(int cx, int cy, BOOL bFloating, UINT nWhat);
    virtual void DrawGripper(CDC* pDC);
    virtual void DrawCloseButton(CDC* pDC);
    virtual void DrawMaximizeButton(CDC* pDC);

    CSize m_FloatSize;
    CSize m_HorzDockSize;     // cx along the row, cy the row's thickness
    CSize m_VertDockSize;     // cx the column's thickness, cy along it
    CSize m_SavedDockSize;    // before another bar of the row was maximized
    DWORD m_dwSavedDockStyle; // the edges docking was allowed at before it was turned off
    int m_cxLastWindow, m_cyLastWindow;
    int m_nLastPlacement;     // 1 floating or not in a dock bar, 0 docked
    BOOL m_bTracking;         // the own drag runs
    BOOL m_bMaybeDrag;        // pressed on the caption, not moved far enough yet
    int m_nHiddenTabIndex;
    CPoint m_ptDragOffset;
    CPoint m_ptButtonDown;

    // State the dock bar skin reads and writes.
    DWORD m_dwSizeBarStyle;
    // The caption strip and its buttons, in client coordinates.
    CRect m_rectGripper;
    CRect m_rectCloseButton;
    CRect m_rectMaximizeButton;
    // Set when the skin's client rectangle left room for the caption.
    BOOL m_bClientReduced;
    // The caption button held down: -1 none, -3 close, -2 maximize.
    int m_nPressedButton;
    BOOL m_bMaximizedInRow;
    // The focus is in the bar: its caption shows active.
    BOOL m_bActive;

protected:
    COXDockbarSkinClassic* m_pPrivateSkin;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT nMessage);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnFillMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFloated(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
    void OnLButtonDownBar(UINT nFlags, CPoint point);
    void OnMouseMoveBar(UINT nFlags, CPoint point);
    void OnLButtonUpBar(UINT nFlags, CPoint point);
    void OnWindowPosChangedBar(WINDOWPOS* pPos);
    void TrackTo(CPoint ptScreen, UINT nFlags);
    void EndTracking();
    void RedrawCaptionButtons();
    void FillMenu(HMENU hMenu);
    CFrameWnd* GetBarFrame() const;
};

// Installs and removes the thread's shared mouse hook of the sizing bars.
BOOL OXSizeBarMouseHookInstalled();
