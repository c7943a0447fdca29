// COXShdWnd: a window placed behind another, 4 pixels right and down, that
// paints only its right and bottom 4-pixel bands: the desktop beneath,
// darkened in graded steps, so that the window in front casts a shadow.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class COXShdWnd : public CWnd
{
public:
    COXShdWnd() {}

    // Draws the shadow of screen rectangle rect into pDC (whose origin is the
    // rectangle's top-left). The cache holds the colours beneath, in drawing
    // order: an empty cache is filled from the screen, a filled one is used
    // instead of the screen, so the shadow can be drawn again after the
    // window in front has covered what it fell on.
    static void DrawShadow(CDC* pDC, const CRect& rect, CArray<COLORREF, COLORREF>* pCache = NULL);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()
};
