// Progress.h - CProgress: the window-less engine of a gradient progress bar.
// It keeps a range, a position and a step, draws the bar as a gradient (or a
// moving snake segment), the background, the borders and a percent or
// position text. A window that uses it supplies GetStyle and ModifyStyle
// from its window style and reacts to OnPosChanged.
#pragma once

#include "Gradient.h"

// Style bits read through GetStyle (the control's window style). PBS_VERTICAL
// (0x4) is the standard one.
#define PBS_SHOW_PERCENT    0x0100
#define PBS_SHOW_POSITION   0x0200
#define PBS_TEXTMASK        0x0300
#define PBS_LEFT            0x0010
#define PBS_RIGHT           0x0020
#define PBS_TOP             0x0040
#define PBS_BOTTOM          0x0080
#define PBS_CENTER          0x00F0   // all four cancel out
#define PBS_TIED_TEXT       0x1000   // the text follows the end of the bar
#define PBS_RUBBER_BAR      0x2000   // the gradient spans only the filled part
#define PBS_REVERSE         0x4000
#define PBS_SNAKE           0x8000

class CProgress : public CGradient
{
public:
    CProgress();
    ~CProgress() override;

    // Range, position, step. Positions are clamped into [lower, upper].
    void SetRange(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const { nLower = m_nLower; nUpper = m_nUpper; }
    int GetPos() const { return m_nPos; }
    int SetPos(int nPos);                 // old position
    int OffsetPos(int nDelta);            // old position
    int StepIt() { return OffsetPos(m_nStep); }
    int SetStep(int nStep) { int nOld = m_nStep; m_nStep = nStep; return nOld; }
    int GetStep() const { return m_nStep; }

    // Text: format (printf with one integer) and PBS_SHOW_PERCENT or
    // PBS_SHOW_POSITION. An empty format or no bits turns the text off.
    void SetTextFormat(LPCTSTR szFormat, DWORD dwStyle = PBS_SHOW_PERCENT);
    CString GetTextFormat() const { return m_sTextFormat; }
    // Optional clip region (relative to the drawn rectangle); NULL for none.
    void SetTextClipRegion(HRGN hRgn);
    void SetFont(CFont* pFont) { m_pFont = pFont; }
    CFont* GetFont() const { return m_pFont; }

    // Appearance.
    void SetBarBrush(CBrush* pbrBar) { m_pbrBar = pbrBar; }
    void SetBkColor(COLORREF clrBk) { m_clrBk = clrBk; }      // -1: no background
    COLORREF GetBkColor() const { return m_clrBk; }
    void SetBkBrush(CBrush* pbrBk) { m_pbrBk = pbrBk; }
    void SetTextColor(COLORREF clrTextOnBar, COLORREF clrTextOnBk = (COLORREF)-1)
    { m_clrTextOnBar = clrTextOnBar; m_clrTextOnBk = clrTextOnBk == (COLORREF)-1 ? clrTextOnBar : clrTextOnBk; }
    void SetBorders(int nLeft, int nTop, int nRight, int nBottom) { m_rcBorders.SetRect(nLeft, nTop, nRight, nBottom); }
    void SetSnakeTail(int nTailSize) { m_nTailSize = nTailSize; }
    int GetSnakeTail() const { return m_nTailSize; }
    int GetTailPos() const { return m_nTail; }

    // Paints everything into rect; bDirect paints straight onto pDC instead
    // of through an off-screen bitmap.
    void Draw(CDC* pDC, const CRect& rect, BOOL bDirect = FALSE);
    // Shifts the gradient for a running animation.
    void AnimateBy(int nStep);
    int GetAnimPos() const { return m_nAnimPos; }

    virtual DWORD GetStyle() const { return m_dwStyle; }
    virtual BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

protected:
    // Writes the text over the bar area rcBar whose filled part runs from
    // offset nBarFrom to nBarTo along the bar.
    virtual void DrawText(CDC* pDC, const CRect& rcBar, int nBarFrom, int nBarTo);
    // Writes sText at (x, y) (text alignment already set), clipped to rcClip.
    virtual void DrawClippedText(CDC* pDC, const CRect& rcClip, int x, int y, const CString& sText);
    // Moves the snake; FALSE (nothing done) without PBS_SNAKE.
    virtual BOOL SetSnakePos(int nPos, BOOL bIncrement);
    // The text for dValue: the format, or "%d%%" / "%d" when it is empty.
    virtual CString FormatText(const CString& sFormat, DWORD dwTextStyle, double dValue);
    // Percent of the range for PBS_SHOW_PERCENT, the position for
    // PBS_SHOW_POSITION, else 0. An empty range has no percent: 0.
    virtual double GetTextValue(int nPos, DWORD dwTextStyle);
    virtual BOOL OnPosChanging(int nOldPos, int nNewPos) { (void)nOldPos; (void)nNewPos; return TRUE; }
    virtual void OnPosChanged(int nNewPos) { (void)nNewPos; }

    // The rectangle of the bar span a..b inside the bar area rcBar.
    CRect GetBarRect(const CRect& rcBar, int a, int b) const;
    // The position after clamping; stores it and notifies when it changed.
    void UpdatePos(int nNewPos);
    BOOL IsEmptyRange() const { return m_nUpper == m_nLower; }

    CBrush* m_pbrBar;
    COLORREF m_clrBk;
    CBrush* m_pbrBk;
    COLORREF m_clrTextOnBar;
    COLORREF m_clrTextOnBk;
    int m_nTail;
    int m_nTailSize;
    int m_nStep;
    int m_nLower;
    int m_nUpper;
    CRect m_rcBorders;
    CString m_sTextFormat;
    CFont* m_pFont;
    DWORD m_dwStyle;
    CRgn m_rgnText;
    int m_nPos;
    int m_nAnimPos;

private:
    void DrawContent(CDC* pDC, CRect rect);
};
