// COXTreeEdit: the tree list's own label edit, subclassed so that it grows
// with its text on an anchor and within a limit.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class COXTreeEdit : public CEdit
{
public:
    COXTreeEdit();

    void ResetPlacement();
    void SetAnchor(int x, int y, int nAlign);
    void SetClipRight(int nLimit);
    void SetFixedRight(int nLimit);
    void SetAutoSize(bool bOn) { m_bAutoSize = bOn; }
    // The placement rule applied to a proposed position and size.
    void Place(int& x, int& y, int& cx, int& cy, CSize sizeText) const;

    int m_nExtraHeight;
    int m_nExtraWidth;
    bool m_bAutoSize;
    int m_nLimit;
    bool m_bClipRight;
    bool m_bFixedRight;
    int m_nAlign;
    CPoint m_ptAnchor;
    bool m_bAnchored;

protected:
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
