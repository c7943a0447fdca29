// COXDragDockContext: the dock context of the sizing bars. It runs the drag
// loop when such a bar is dragged by its caption, shows where the bar would
// dock (a band the width of the frame, shared with the bars already in that
// row) or float, and at the end docks the bar into a size dock bar or floats
// it. Ctrl floats whatever is under the cursor; Esc and the right button
// cancel; a press released where it began does nothing.
//
// The feedback is drawn by one routine: by default a topmost layered window
// that follows the rectangle (drawing on the desktop shows nothing over
// other windows on some displays); SetDrawOnDesktop(TRUE) draws on the
// desktop instead, with its updates locked while the loop runs.
#pragma once

#include <afxwin.h>
#include <afxext.h>

// The window that shows the drag rectangle: a frame of the given thickness,
// its inside left out of the window's region so that nothing under it is
// covered.
class COXDragFeedbackWnd : public CWnd
{
public:
    COXDragFeedbackWnd();
    ~COXDragFeedbackWnd() override;

    // A thickness of 0 hides the window.
    void ShowFrame(const CRect& rect, CSize sizeFrame, BOOL bDither);
    void HideFrame();
    BOOL IsShown() const { return ::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd); }

    CRect m_rectShown;
    CSize m_sizeShown;
    BOOL m_bDither;

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()
};

// What a drag holds while it runs (the mouse, the desktop's lock and its
// DC); whatever way the loop ends, even by an exception, it is given back.
class COXDragLoopGuard
{
public:
    COXDragLoopGuard() : m_hWndCapture(NULL), m_bLocked(FALSE), m_pDC(NULL) {}
    ~COXDragLoopGuard() { Release(); }
    // Locks the desktop's updates and takes its DC (NULL when refused).
    CDC* TakeDesktop();
    void Capture(HWND hWnd);
    void Release();

    HWND m_hWndCapture;
    BOOL m_bLocked;
    CDC* m_pDC;
};

class COXDragDockContext : public CDockContext
{
public:
    explicit COXDragDockContext(CControlBar* pBar);
    ~COXDragDockContext() override;

    void StartDrag(CPoint pt) override;
    void ToggleDocking() override;

    // Where the feedback goes, for every drag of the thread.
    static void SetDrawOnDesktop(BOOL bDesktop) { m_bDrawOnDesktop = bDesktop; }
    static BOOL IsDrawingOnDesktop() { return m_bDrawOnDesktop; }

    // The rules of the drag, without windows.
    // A docked drag rectangle's length: a third of the client's when it
    // would nearly fill it (within 16 pixels).
    static int DragLength(int nLength, int nClientLength);
    // rect moved along x just enough that x lies within it.
    static void HoldX(CRect& rect, int x);
    // The dock rectangle in a row that holds nOthers bars: the drag
    // rectangle with the area's length shared by nOthers + 1.
    static CRect ShareOfRow(const CRect& rectDrag, const CRect& rectArea, int nOthers, BOOL bHorz);

    // The bar floats in an MDI float window: it is not dragged.
    BOOL IsInMDIFloatWnd() const;
    // Where the bar would go now: its dock style, 0 for floating.
    DWORD CanDock();
    // The one routine that shows (or, bRemoveRect, takes away) the
    // feedback of the drag.
    void DrawFocusRect(BOOL bRemoveRect = FALSE);

    CRect m_rectDock;
    CRect m_rectDockAreaHorz;
    CRect m_rectDockAreaVert;
    CDockBar* m_pTargetDockBar;
    CPoint m_ptStart;

    COXDragFeedbackWnd m_wndFeedback;

protected:
    static BOOL m_bDrawOnDesktop;
    COXDragLoopGuard* m_pGuard;

    void InitDrag(CPoint pt);
    void Move(CPoint pt);
    void SetForceFrame(BOOL bForce);
    void Track(const BOOL& bDeleted);
    void CancelDrag();
    void EndDrag(CPoint pt);
    CSize BarSize(int nWhich) const;   // 0 floating, 1 horizontal, 2 vertical
};
