// COXSeparator: a static drawn as an etched line, horizontal or vertical,
// with an optional caption at its start, middle or end (SS_LEFT, SS_CENTER,
// SS_RIGHT). It keeps the caption itself and answers WM_GETTEXT with it.
#pragma once

#include <afxwin.h>

// Where the caption and the line segments go along a separator of a given
// length (window-free). Segments of zero or negative length are not drawn.
struct OXSeparatorLayout
{
    int nTextStart;         // along the line
    int nSegStart[2], nSegEnd[2];
    int nSegments;
    int nLineTop;           // across the line: 2 pixels from here
};
OXSeparatorLayout OXLayoutSeparator(int nStart, int nLength, int nAcrossStart, int nAcross, int nTextLength,
                                    DWORD dwAlign);

class COXSeparator : public CStatic
{
    DECLARE_DYNAMIC(COXSeparator)
public:
    COXSeparator();

    BOOL SetLineColors(COLORREF clrShadow, COLORREF clrHighlight, BOOL bRedraw = TRUE);
    void SetTextColor(COLORREF clr, BOOL bRedraw = TRUE);
    COLORREF GetTextColor() const { return m_clrText; }
    void SetVertical(BOOL bVertical, BOOL bRedraw = TRUE);
    BOOL IsVertical() const { return m_bVertical; }

    virtual void PreSubclassWindow() override;

protected:
    void Redraw();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

    COLORREF m_clrText;
    COLORREF m_clrShadow;
    COLORREF m_clrHighlight;
    BOOL m_bVertical = FALSE;
    CString m_sCaption;

    DECLARE_MESSAGE_MAP()
};
