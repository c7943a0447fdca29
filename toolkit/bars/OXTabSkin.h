// The tab element skin: paints skinned tab controls, their scroll arrows
// (the tab control's up-down child) and the frames of tabbed MDI clients.
// Classic leaves the stock drawing in place; Office XP and Office 2003 paint
// the whole control themselves, double-buffered.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <vector>

class COXSkinXP;
class COXSkin2003;

class COXTabSkin
{
public:
    virtual ~COXTabSkin() {}

    virtual void OnPaint(CTabCtrl* pTab) = 0;
    virtual void OnPaintSpin(CWnd* pSpin) = 0;
    // The border of a window drawn in its non-client area.
    virtual void DrawBorder(CDC* pDC, const RECT& rect, CWnd* pWnd) = 0;
    virtual void OnNcPaint(CWnd* pTab) = 0;
    // Grows rect by nGrow on each side where the tab control leaves a thin
    // margin around its display area.
    virtual void AdjustRect(RECT& rect, int nGrow, CTabCtrl* pTab) = 0;
};

class COXTabSkinClassic : public COXTabSkin
{
public:
    void OnPaint(CTabCtrl* pTab) override;
    void OnPaintSpin(CWnd* pSpin) override;
    void DrawBorder(CDC* pDC, const RECT& rect, CWnd* pWnd) override;
    void OnNcPaint(CWnd* pTab) override;
    void AdjustRect(RECT& rect, int nGrow, CTabCtrl* pTab) override;
};

class COXTabSkinXP : public COXTabSkin
{
public:
    explicit COXTabSkinXP(COXSkinXP* pSkin);

    void OnPaint(CTabCtrl* pTab) override;
    void OnPaintSpin(CWnd* pSpin) override;
    void DrawBorder(CDC* pDC, const RECT& rect, CWnd* pWnd) override;
    void OnNcPaint(CWnd* pTab) override;
    void AdjustRect(RECT& rect, int nGrow, CTabCtrl* pTab) override;

    virtual void DrawItem(DRAWITEMSTRUCT* pDIS, CTabCtrl* pTab);
    virtual void FillBackground(CDC* pDC, const RECT& rect, CWnd* pWnd);
    virtual void DrawItemEdges(DRAWITEMSTRUCT* pDIS, CTabCtrl* pTab);

    // ---- the layout rules, free of windows ----
    // COLOR_BTNFACE lightened by a fifth: the face of tabs not selected.
    static COLORREF LighterFace(COLORREF clrFace);
    // The order tabs are painted in: the selected one last, over its
    // neighbours.
    static std::vector<int> PaintOrder(int nCount, int nSelected);
    // How much of a painted tab reaches the screen past the visible up-down
    // control (xSpinLeft its left edge, INT_MAX when hidden): the right edge
    // to copy to, or INT_MIN when the tab is not copied at all.
    static int VisibleTabRight(const RECT& rectTab, int xClientLeft, int xSpinLeft);
    // The strip between the tabs' row and the client edge, and the row of
    // its edge line, for one row of tabs at the top or at the bottom.
    static CRect StripRect(const RECT& rectClient, const RECT& rectDisplay, BOOL bBottom, int* pyLine);
    // The two scroll arrows of a rectangle: a triangle each, 4 pixels wide
    // and 8 high, centred in its half.
    static void ArrowPoints(const RECT& rectSpin, BOOL bLeft, POINT pts[3]);
    // Whether scrolling is possible: left while the position is not 0,
    // right while it is not at the upper end of the range.
    static BOOL ArrowEnabled(BOOL bLeft, int nPos, int nUpper);
    // Where the selected tab is painted: a tab at the top that ends within
    // 3 pixels above the display area's frame reaches down over the gap and
    // the frame's line, so that the frame opens under it.
    static CRect SelectedTabPaintRect(const RECT& rectTab, const RECT& rectFrame, BOOL bBottom);
    // rect grown by nGrow on every side whose display margin is under 8.
    static CRect GrowThinMargins(const RECT& rect, const RECT& rectClient, const RECT& rectDisplay, int nGrow);

protected:
    // The face of one tab, and the text colour on it.
    virtual void FillTab(CDC* pDC, const RECT& rect, BOOL bSelected, BOOL bBottom);
    virtual COLORREF TabTextColor(BOOL bSelected) const;
    // The strip beside the tabs and the scroll arrows' background.
    virtual void FillStrip(CDC* pDC, const RECT& rect, BOOL bBottom);
    // Edge colours: the light and dark edges of the selected tab and the
    // separator between the others.
    virtual void EdgeColors(COLORREF& clrLight, COLORREF& clrDark, COLORREF& clrSeparator) const;
    // The top and left edges of the selected tab at the top.
    virtual COLORREF SelectedTopEdgeColor() const;

    COXSkinXP* m_pSkin;
    CPen m_penShadow;
    CFont m_fontTab;
    CBrush m_brushArrow;
    CPen m_penArrow;
};

class COXTabSkin2003 : public COXTabSkinXP
{
public:
    explicit COXTabSkin2003(COXSkin2003* pSkin);

    void FillBackground(CDC* pDC, const RECT& rect, CWnd* pWnd) override;

protected:
    void FillTab(CDC* pDC, const RECT& rect, BOOL bSelected, BOOL bBottom) override;
    COLORREF TabTextColor(BOOL bSelected) const override;
    void FillStrip(CDC* pDC, const RECT& rect, BOOL bBottom) override;
    void EdgeColors(COLORREF& clrLight, COLORREF& clrDark, COLORREF& clrSeparator) const override;
    COLORREF SelectedTopEdgeColor() const override;

    COXSkin2003* Skin2003() const;
};
