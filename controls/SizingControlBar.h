// SizingControlBar.h - CSizingControlBar: a control bar that docks on any side
// of a frame or floats, whose size the user changes by dragging its edges.
// Sizing bars docked in one row share the row's length between them. A
// docked bar draws a gripper and a small close box in its non-client area.
// Its three sizes (docked horizontally, vertically, floating) can be kept in
// the profile, in the section "<name>-SCBar-<control id>".
#pragma once

#include <afxext.h>
#include <afxtempl.h>
#include <utility>
#include <vector>

class CSizingControlBar;
typedef CTypedPtrArray<CPtrArray, CSizingControlBar*> CSCBArray;

// The bar's own style bits.
#define SCBS_EDGELEFT       0x00000001
#define SCBS_EDGERIGHT      0x00000002
#define SCBS_EDGETOP        0x00000004
#define SCBS_EDGEBOTTOM     0x00000008
#define SCBS_EDGEALL        0x0000000F
#define SCBS_SHOWEDGES      0x00000010

class CSizingControlBar : public CControlBar
{
    DECLARE_DYNAMIC(CSizingControlBar)
public:
    CSizingControlBar();
    virtual ~CSizingControlBar();

    // The close box in the gripper strip: an 11 x 11 box at ptOrg (window
    // coordinates), sunken while pushed, raised while the pointer is over it.
    class CSCBButton
    {
    public:
        CSCBButton() : bPushed(FALSE), bRaised(FALSE) {}
        void Move(CPoint ptTo) { ptOrg = ptTo; }
        CRect GetRect() const { return CRect(ptOrg, CSize(11, 11)); }
        void Paint(CDC* pDC);

        BOOL bPushed;
        BOOL bRaised;
        CPoint ptOrg;
    };

    // ---- what a user of the bar may set ----
    CSize m_szHorz;    // docked at the top or bottom
    CSize m_szVert;    // docked at the left or right
    CSize m_szFloat;   // floating
    DWORD m_dwSCBStyle;
    CSize m_szMin;
    int m_cxEdge;

    // ---- operations ----
    // All three sizes start at sizeDefault; a bar with a gripper also has the
    // close box. dwStyle mixes window styles and CBRS_ bar styles.
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper,
                        UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    // Each stored size is taken when it is at least the minimum, else the
    // minimum; a missing one leaves the current size.
    virtual void LoadState(LPCTSTR lpszProfileName);
    virtual void SaveState(LPCTSTR lpszProfileName);
    static void GlobalLoadState(LPCTSTR lpszProfileName);
    static void GlobalSaveState(LPCTSTR lpszProfileName);
    virtual BOOL DestroyWindow();

    BOOL IsFloating() const;
    BOOL IsHorzDocked() const;
    BOOL IsVertDocked() const;
    BOOL HasGripper() const { return m_cyGripper > 0; }
    BOOL IsTracking() const { return m_bTracking; }
    // The profile section of this bar's sizes.
    CString GetStateSection(LPCTSTR lpszProfileName) const;

    // Every sizing bar that exists as a window.
    static CSCBArray m_arrBars;

protected:
    virtual void StartTracking(UINT nHitTest, CPoint point);
    virtual void StopTracking();
    virtual void OnTrackUpdateSize(CPoint& point);
    virtual void OnTrackInvertTracker();
    virtual void NcPaintGripper(CDC* pDC, CRect rcClient);
    virtual void AlignControlBars();

    // The first and last entries of this bar's row in its dock bar, and its own.
    void GetRowInfo(int& nFirst, int& nLast, int& nThis) const;
    // The row's visible sizing bars in order; the index of this one.
    int GetRowSizingBars(CSCBArray& arrSCBars) const;
    BOOL NegotiateSpace(int nLengthTotal, BOOL bHorz);
    // The edge of rcWnd for the hit-test code (HTLEFT ... HTBOTTOM).
    void GetEdgeRect(CRect rcWnd, UINT nHitTest, CRect& rcEdge) const;
    BOOL IsEdgeSizable(UINT nHitTest) const;
    // The sizable edges of rcWnd with their hit-test codes, in the order
    // left, top, right, bottom.
    std::vector<std::pair<UINT, CRect>> GetSizableEdges(const CRect& rcWnd) const;
    static BOOL IsSizingBar(const CControlBar* pBar);
    // Where the dragged edge is drawn now: the window's edge moved by the
    // change of size since the drag started.
    CRect TrackerRect() const;

    UINT m_htEdge;
    CSize m_szMinT;
    CSize m_szMaxT;
    CSize m_szOld;
    CPoint m_ptOld;
    BOOL m_bTracking;
    BOOL m_bKeepSize;
    BOOL m_bParentSizing;
    BOOL m_bDragShowContent;
    UINT m_nDockBarID;
    int m_cyGripper;
    CSCBButton m_biHide;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()
};
