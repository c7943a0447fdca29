// A status bar whose panes can carry more than text: a bitmap placed in one
// of several ways with a transparent colour, a progress control with an
// optional percentage before it, a font and text colour of their own, a mouse
// cursor and a tool tip. A double click on a pane is told to the parent.
// The bar paints through the status bar element of the current skin (its
// own Classic element when the application has none), which calls back for
// the pane extras (DrawBitmapPane, DrawItem).
//
// The pane layout and the bitmap placement are plain arithmetic
// (LayoutPaneRights, PlaceBitmap, ProgressPercent), so that tests can check
// them without a window.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>
#include <afxcoll.h>

class COXStatusbarSkin;
class COXStatusbarSkinClassic;

// Sent to the parent on a left double click in a pane: wParam the pane's id,
// lParam 0.
#define WM_SB_PANEDBLCLK 0x80CE

// A pane whose progress control follows the panes when they are laid out.
#define SBPS_PROGRESS 0x02000000

class COXStatusBar : public CStatusBar
{
    DECLARE_DYNAMIC(COXStatusBar)
public:
    // Bitmap placements in a pane (SetPaneBitmap's nMode); any other value
    // places the whole bitmap at the left.
    enum {
        bmpLeft = 0,
        bmpStretch = 1,
        bmpCenter = 3,
        bmpRight = 4,
        bmpCutLeft = 5,
        bmpCutCenter = 6,
        bmpCutRight = 7,
    };

    class CBmpInfo : public CObject
    {
    public:
        CBmpInfo() {}
        ~CBmpInfo() override { delete m_pBitmap; }

        UINT m_nBitmapID = 0;
        CBitmap* m_pBitmap = NULL;   // owned
        int m_nWidth = 0;
        int m_nHeight = 0;
        int m_nMode = bmpLeft;
        COLORREF m_clrTransparent = 0;
    };

    class CEvolInfo : public CObject
    {
    public:
        CProgressCtrl m_progress;
        WORD m_nPercent = 0;
        CRect m_rect;
        BOOL m_bShowPercent = FALSE;
        BOOL m_bCreated = FALSE;
        // What the control was last given: a repeated bound is not sent
        // again, and the text is set only when the percentage it shows
        // changes.
        LONGLONG m_nBound = -1;
        BOOL m_bTextShown = FALSE;
    };

    COXStatusBar();
    ~COXStatusBar() override;

    // Sizes every pane array to nIDCount, dropping what the panes held
    // before (fonts, bitmaps, progress controls), then the base's panes.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    // nCursorID 0 clears the pane's cursor; FALSE when the cursor cannot be
    // loaded from the resources.
    BOOL SetPaneCursor(int nIndex, UINT nCursorID);
    BOOL SetPaneTooltip(int nIndex, LPCTSTR lpszText);
    BOOL RemovePaneTooltip(int nIndex);
    // A copy of pFont (NULL: the bar's font again); FALSE when it cannot be
    // made, the pane then having no font of its own.
    BOOL SetPaneFont(int nIndex, CFont* pFont);
    // The text and its colour; a colour other than COLOR_BTNTEXT makes the
    // pane owner-drawn.
    using CStatusBar::SetPaneText;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszText, COLORREF clrText, BOOL bUpdate);
    // nBitmapID 0 removes the pane's bitmap; FALSE when it cannot be loaded.
    BOOL SetPaneBitmap(int nIndex, UINT nBitmapID, int nMode = bmpLeft, COLORREF clrTransparent = RGB(255, 0, 255),
                       BOOL bRedraw = TRUE);
    // Gives the pane a new progress control (nUnused is not read).
    BOOL SetPaneProgress(int nIndex, int nUnused = 0, BOOL bShowPercent = TRUE);
    // Position and bound as 64-bit numbers: the percentage is exact for
    // any of them, and is 0 for a bound of 0.
    void SetProgressPos(int nIndex, int nUnused, LONGLONG nBound, LONGLONG nPos);
    void ResetProgress(int nIndex, BOOL bRemove = FALSE);

    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    void SetPaneStyle(int nIndex, UINT nStyle);
    // Lays out the panes (and moves their progress controls) and sets the
    // texts still to be shown.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    void DrawBitmapPane(CDC* pDC, int nIndex, UINT nStyle);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    HCURSOR GetPaneCursor(int nIndex) const;
    CString GetPaneTooltip(int nIndex) const;
    CFont* GetPaneFont(int nIndex) const;
    COLORREF GetPaneTextColor(int nIndex) const;
    CBmpInfo* GetPaneBitmap(int nIndex) const;
    CEvolInfo* GetPaneProgress(int nIndex) const;
    int GetMinHeight() const { return m_nMinHeight; }

    // The pane index under a point of the client area, -1 for none.
    int PaneFromPoint(CPoint point) const;
    // The pane's inner rectangle (without its borders); empty when the pane
    // is not shown.
    CRect GetPaneInnerRect(int nIndex, BOOL bProgress = FALSE) const;

    // The right edges of n panes of the given text widths: each pane is its
    // width + 6 wide, gap apart from the next, the first starting at
    // nHorzBorder; the stretching ones share what cxInside leaves, the last
    // of them taking the odd pixels.
    static void LayoutPaneRights(int cxInside, int nHorzBorder, int nGap, const int* pWidths,
                                 const BOOL* pStretch, int n, int* pRights);
    // Where a bitmap of w x h goes in a pane's inner rectangle, and how much
    // of it (from its top left) is drawn there.
    static void PlaceBitmap(const CRect& rectInner, int w, int h, int nMode, CRect& rectDest, CSize& sizeSource);
    // nPos of nBound in percent, 0 to 100.
    static UINT ProgressPercent(LONGLONG nBound, LONGLONG nPos);

protected:
    void CheckIndex(int nIndex) const;
    void FreePaneObjects();
    COXStatusbarSkin* GetSkin();
    CFont* GetDrawFont(int nIndex) const;
    // The width of "999%" in the pane's font.
    int PercentTextWidth(int nIndex) const;
    BOOL CreateProgress(int nIndex);
    // Sets the owner-drawn bit of a pane on or off.
    void SetOwnerDraw(int nIndex, BOOL bOn);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

public:
    CDWordArray m_arrCursors;
    CObArray m_arrBitmaps;
    CDWordArray m_arrTextColors;
    CPtrArray m_arrProgress;
    CObArray m_arrFonts;
    CStringArray m_arrTooltips;
    CDC m_dcMem;

protected:
    COXStatusbarSkinClassic* m_pDefaultSkin;
    int m_nMinHeight;

    DECLARE_MESSAGE_MAP()
};
