// COXRectTracker: the rubber-band tracker kept inside a bounding rectangle,
// moving at a fixed size, optionally sizing in one direction only, with a
// drag frame 2 pixels wide.
#pragma once

#include <afxext.h>

#define OX_RT_HORZ_ONLY 0x100   // tops and bottoms stay: horizontal sizing only
#define OX_RT_VERT_ONLY 0x200   // lefts and rights stay: vertical sizing only

class COXRectTracker : public CRectTracker
{
public:
    COXRectTracker() : m_rectBound(0, 0, 0, 0), m_rectOriginal(0, 0, 0, 0) {}
    COXRectTracker(LPCRECT lpSrcRect, UINT nStyle)
        : CRectTracker(lpSrcRect, nStyle), m_rectBound(0, 0, 0, 0), m_rectOriginal(0, 0, 0, 0) {}
    virtual ~COXRectTracker() {}

    void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override;
    void AdjustRect(int nHandle, LPRECT lpRect) override;

    // Tracks from a press on the part a hit-test code names (HTLEFT ...
    // HTBOTTOMRIGHT size that side or corner; anything else moves the whole
    // rectangle).
    BOOL TrackFromHandle(int nHitCode, CWnd* pWnd, CPoint point, CWnd* pWndClipTo = NULL);
    // The tracker index a hit-test code stands for.
    static int HandleFromHitCode(int nHitCode);

    void SetBoundRect(const CRect& rect) { m_rectBound = rect; }
    void SetOriginalRect(const CRect& rect) { m_rectOriginal = rect; }

    CRect m_rectBound;
    CRect m_rectOriginal;
};
