// COXSizeDockBar: the dock bar of a size-dock frame. It keeps the standard
// rows (NULL ends a row) and lays ordinary bars out as the standard dock bar
// does; sizing bars (COXSizeControlBar) share their row's length in
// proportion to their lengths, with 8-pixel splitters between neighbouring
// sizing bars and between rows that hold them. Dragging a splitter moves
// space between two bars or changes a row's thickness; a bar can take the
// whole of its row (maximize in row).
//
// The row rules (metrics, shares, signatures, splitter moves, maximize,
// which dock bar a point picks) are static functions over plain records,
// so they can be checked without windows.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <vector>

#include "OXDockTabCtrl.h"
#include "OXSplitterColRowState.h"

class COXSizeControlBar;
class COXDockbarSkin;
class COXDockbarSkinClassic;

// One bar of a row as the row rules see it (lengths along the row,
// thickness across it).
struct OXROWBAR
{
    int nLength;
    int nThickness;
    BOOL bVisible;
    BOOL bSizing;     // a sizing bar; a size tool bar counts
    BOOL bToolBar;    // a size tool bar: shares like a sizing bar, has no splitter
    int cxMinTrack, cyMinTrack;
};

struct OXROWMETRICS
{
    int nSizingLength;     // lengths of the sizing bars
    int nFixedLength;      // the other bars, plus 8 per splitter between sizing bars
    int nThickness;        // the thickest bar (negative counts as 0)
    int nFixedThickness;   // the thickest non-sizing bar
    int nSizingCount;
    int nVisibleCount;
    int nTotalLength;
    int cxMinTrack, cyMinTrack;
};

class COXSizeDockBar : public CDockBar
{
    DECLARE_DYNAMIC(COXSizeDockBar)
public:
    enum { nSplitterWidth = 8, nStubLength = 21, nTabStripHeight = 28 };

    COXSizeDockBar();
    ~COXSizeDockBar() override;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // Row rules over plain records; pLengths receives the new length of
    // each visible sizing bar (other entries keep theirs).
    static OXROWMETRICS MeasureRow(const OXROWBAR* pBars, int nCount);
    static BOOL ShareLengths(const OXROWBAR* pBars, int nCount, int nLength, int nBorder2, int* pLengths);
    // Every sizing bar the same length, the last one the remainder; FALSE
    // (nothing done) for a row without sizing bars.
    static BOOL EqualLengths(const OXROWBAR* pBars, int nCount, int nLength, int* pLengths);
    // The signature of a bar array: entries are -1 for a row end, 0 for a
    // hidden bar, 1 for a visible bar, 2 for a visible sizing bar (not a
    // tool bar). Changes when bars come, go or change rows.
    static UINT RowSignature(const int* pEntries, int nCount);
    // Moves a splitter within a row by d: for d < 0 the sizing bars before it
    // (indexes below nSplitter, nearest first) give up to -d, none below 0,
    // and the first sizing bar from nSplitter on gains what they gave; d > 0
    // the other way round. Returns the distance actually moved.
    static int MoveSplitterInRow(const OXROWBAR* pBars, int nCount, int nSplitter, int d, int* pLengths);
    // Maximize: the other sizing bars become stubs and nTarget gains what
    // they lose.
    static void MaximizeLengths(const OXROWBAR* pBars, int nCount, int nTarget, int* pLengths);
    // The limit on the shrinking side of a row splitter at s, for a row of
    // thickness d, by the dock bar's edge (CBRS_ALIGN_*); TRUE limits below
    // (left, top), FALSE above (right, bottom).
    static int RowSplitterLimit(DWORD dwEdge, int s, const OXROWMETRICS& metrics);
    // A row's new thickness after its splitter moved by d.
    static int RowThicknessAfter(DWORD dwEdge, const OXROWMETRICS& metrics, int d);
    // Which of four dock bars (left, right, top, bottom, as window
    // rectangles) a point picks: exact rectangles first, then grown by 20
    // (left and right less 28 at the bottom); -1 for none.
    static int PickDockBar(const CRect rects[4], const BOOL bAccepts[4], CPoint pt);

    // Row operations on the docked bars.
    BOOL ShareRowLength(int nStart, int nLength);
    void ShareAllRows(int nLength);
    void EqualizeRow(int nStart);
    void EqualizeAllRows();
    void MakeRoomInRow(CControlBar* pBar);
    int GetRowIndexAt(const RECT& rect);
    int CountOtherBarsInRow(CWnd* pBar, const RECT& rect);
    void MaximizeInRow(COXSizeControlBar* pBar, BOOL bMaximize);
    int CountOtherSizingBars(CControlBar* pBar);
    COXSizeControlBar* FindOtherSizingBar(CControlBar* pBar);
    CControlBar* FindCoolToolBar(CControlBar* pBar);
    int CountBarsInColumn(CControlBar* pBar);
    // The start index of the row that holds index nPos, and its end (the
    // NULL after it).
    int RowStart(int nPos) const;
    int RowEnd(int nStart) const;
    // Whether the row that starts at nStart holds a bar that is laid out (a
    // shown bar, not a hidden one nor a floating bar's place-holder).
    BOOL RowHasVisibleBar(int nStart);
    // The signature of the bars as they are now; pHiddenBars, when given,
    // receives the bars whose windows exist but are hidden.
    UINT CollectSignature(CPtrArray* pHiddenBars = NULL);
    UINT CurrentSignature() { return CollectSignature(NULL); }
    // Whether this bar's row holds another visible sizing bar.
    BOOL RowHasOtherSizingBar(CControlBar* pBar);
    // The thickest a sizing bar's row is laid out: the frame's client area
    // across the rows less room for the row's splitter, the splitter of a
    // row on the opposite edge and a strip between them, so that both stay
    // within reach. The bar keeps its own thickness, which comes back when
    // the frame is large enough again. No bound in a floating dock bar.
    int MaxRowThickness();

    // The frame's dock bar under ptScreen that takes pBar, or NULL.
    static COXSizeDockBar* FindDockBarAt(CPoint ptScreen, CControlBar* pBar);
    // Docks pBar here at lpRect (screen), or at the end in a row of its own.
    void DockBarAt(CControlBar* pBar, LPCRECT lpRect);
    void RemoveBar(CControlBar* pBar, int nPos = -1, int nPlaceHolder = 0);

    COXDockbarSkin* GetDockbarSkin();
    BOOL IsHorzDockBar() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    CObArray m_arrSplitters;              // COXSplitterRect*, rebuilt by every layout
    COXSplitterRect* m_pDragSplitter;
    HCURSOR m_hcurSizeNS, m_hcurSizeWE;
    int m_cxLast, m_cyLast;
    UINT m_nLastSignature;
    CPtrArray m_arrHiddenBars;
    // Bars that head a row only because a layout ran out of room for them:
    // when the room changes they go back to the row they came from. Only a
    // bar that had room in its row at the last layout counts: one dropped
    // where its row never had room for it (its own row on the screen from
    // the start) keeps its row of its own.
    CPtrArray m_arrWrappedBars;
    int m_nLastRoom;   // the length along the rows of the last layout
    COXDockbarSkinClassic* m_pPrivateSkin;
    // The strip of sizing bars stacked as tabs; its window lives as long as
    // the dock bar's.
    COXDockTabCtrl m_wndTabContainer;
    enum { nTabContainerID = 3000 };
    // Puts the tab strip along the bottom: the full width, as high as its
    // tabs need (nothing without tabs).
    void PlaceTabContainer();
    // The tab strip when pBar is one of its tabs, else NULL.
    COXDockTabCtrl* GetTabContainerOf(CControlBar* pBar);
    BOOL HasTabs() const { return m_wndTabContainer.GetStripHeight() > 0; }

    // Kinds of bars the rules treat apart (classes made from them included).
    static BOOL IsSizingBar(CControlBar* pBar);
    static BOOL IsSizeToolBar(CControlBar* pBar);
    static BOOL IsPlainSizingBar(CControlBar* pBar) { return IsSizingBar(pBar) && !IsSizeToolBar(pBar); }
    static BOOL IsCoolToolBar(CControlBar* pBar);
    static BOOL IsMenuBar(CControlBar* pBar);

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSizeParentMsg(WPARAM wParam, LPARAM lParam);
    void DeleteSplitters();
    // Puts the rows the layout broke for want of room back together; rows
    // whose sizing bars were squeezed to nothing share the length equally.
    void RejoinWrappedRows();
    COXSplitterRect* SplitterAt(CPoint pt);
    void DragSplitter(COXSplitterRect* pSplitter, CPoint point);
    // The records of the row that starts at nStart (after its NULL) and
    // the bars they describe.
    void CollectRow(int nStart, std::vector<OXROWBAR>& rows, std::vector<CControlBar*>& bars);
    void ApplyLengths(const std::vector<CControlBar*>& bars, const std::vector<OXROWBAR>& rows,
                      const std::vector<int>& lengths, int nThickness);
    CRect AvailableRect();
};
