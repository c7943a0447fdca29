// Gradient.h - CGradient: turns a list of colour stops into solid bands of
// pixels along one direction, and fills them into a rectangle.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include <afxcoll.h>

// One band of the gradient: a colour and its length in pixels.
struct CGradElement
{
    CGradElement(COLORREF clr = 0, int nLength = 0) : color(clr), length(nLength) {}
    COLORREF color;
    int length;
};

typedef CArray<CGradElement, const CGradElement&> CGradElArray;

class CGradient
{
public:
    // Directions of the bands.
    enum { LTR = 0, RTL = 1, TTB = 2, BTT = 3 };

    CGradient();
    virtual ~CGradient();

    // nCount COLORREF values follow; the segments between them get equal weights.
    void SetColors(int nCount, ...);
    void AddColor(COLORREF clr);
    // One double weight per segment (one fewer than the colours); rescaled
    // to a sum of 100. Nothing happens with fewer than two colours.
    void SetPercents(double dFirst, ...);
    // The first two stops (the first twice when there is one, -1 and -1 when none).
    void GetColors(COLORREF& clrFirst, COLORREF& clrSecond) const;
    int GetColorCount() const { return (int)m_ArrayColors.GetSize(); }
    double GetPercent(int nSegment) const { return m_ArrayPercent[nSegment]; }

    void SetDirection(int nDirection) { m_nDirection = nDirection; }
    int GetDirection() const { return m_nDirection; }
    // Below 1 becomes 1.
    void SetStretch(float sngStretch) { m_sngStretch = sngStretch < 1.0f ? 1.0f : sngStretch; }
    float GetStretch() const { return m_sngStretch; }

    // Palette displays: a 236-colour palette of the gradient, built on demand.
    CPalette* GetPalette();
    void SetCreatePalette(BOOL bCreate = TRUE) { m_bCreatePalette = bCreate; }

    // Fills the bands nFrom..nTo (nTo -1: the whole length) of the gradient,
    // shifted by nShift pixels, into rect along the direction.
    virtual void Draw(CDC* pDC, const CRect& rect, int nFrom = 0, int nTo = -1, int nShift = 0);
    // The gradient over nLength pixels, rotated by nShift pixels (the end
    // comes round to the front), clipped to nFrom..nTo. nMaxColors -1: no limit.
    virtual void CalcShiftedGradient(CGradElArray& list, int nShift, int nLength, int nFrom = 0, int nTo = -1, int nMaxColors = -1);
    // All stops over nLength pixels, clipped to nFrom..nTo.
    virtual void CalcMultiGradient(CGradElArray& list, int nLength, int nFrom = 0, int nTo = -1, int nMaxColors = -1);
    // Two colours over nLength pixels, clipped to nFrom..nTo; appends to list.
    virtual void CalcGradient(CGradElArray& list, COLORREF clrStart, COLORREF clrEnd, int nLength, int nFrom = 0, int nTo = -1, int nMaxColors = -1);

protected:
    // The rectangle of the span a..b along the direction, counted from the
    // direction's starting edge of rect.
    CRect GetBandRect(const CRect& rect, int a, int b) const;
    void Normalize();

    CDWordArray m_ArrayColors;
    BOOL m_bCreatePalette;
    CPalette m_Palette;
    CArray<double, double&> m_ArrayPercent;
    int m_nDirection;
    float m_sngStretch;
};

// A palette of up to 236 entries from the colour table of the bitmap
// selected into pDC (a DIB section of 8 bits or fewer); FALSE when it has none.
BOOL CreatePaletteFromDCBitmap(CDC* pDC, CPalette* pPalette);
