// COXStatic: a static control with its own text colour and font copy, a
// background that is a solid colour, one of three horizontal gradients or
// nothing, an optional tooltip showing its text, and an option to fit itself
// to its text. Fonts, colours, tooltip text and fitting apply to text statics
// only (SS_LEFT, SS_CENTER, SS_RIGHT, SS_SIMPLE, SS_LEFTNOWORDWRAP).
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <vector>

// One vertical band of a gradient background.
struct OXGradientBand
{
    int x;
    int cx;
    COLORREF clr;
};

// The bands that paint a background of the given kind (1 darkening to the
// left, 2 bright at both edges and black in the middle, 3 darkening to the
// right) over a width; each channel falls quadratically to black. A width
// below 2 gives one solid band; widths of any size are computed in 64 bits.
std::vector<OXGradientBand> OXStaticGradientBands(int nKind, int nWidth, COLORREF clr);

class COXStatic : public CStatic
{
    DECLARE_DYNAMIC(COXStatic)
public:
    COXStatic();
    virtual ~COXStatic();

    virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID = 0xffff) override;

    void SetBkColor(COLORREF clr, BOOL bRedraw = TRUE);
    COLORREF GetBkColor() const { return m_clrBack; }
    void SetBkDrawMode(int nMode, BOOL bRedraw = TRUE);
    int GetBkDrawMode() const { return m_nBkDrawMode; }
    void SetTextColor(COLORREF clr, BOOL bRedraw = TRUE);
    COLORREF GetTextColor() const { return m_clrText; }

    BOOL SetTextLogFont(const LOGFONT* plf, BOOL bRedraw = TRUE);
    BOOL SetTextFont(CFont* pFont, BOOL bRedraw = TRUE);
    BOOL GetTextLogFont(LOGFONT* plf) const;
    CFont* GetTextFont();

    void SetToolTipText(LPCTSTR lpszText);
    CString GetToolTipText(BOOL bAlways = FALSE) const;
    void SetShowToolTip(BOOL bShow);
    BOOL GetShowToolTip() const { return m_bShowToolTip; }
    void SetFitToText(BOOL bFit);
    BOOL GetFitToText() const { return m_bFitToText; }

    static BOOL IsTextStatic(CWnd* pWnd);

    // ---- virtual operations ----
    virtual BOOL CopyControlFont();
    virtual BOOL InitStatic();
    virtual void UpdateToolTipText();
    virtual HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

    virtual void PreSubclassWindow() override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

    // Paints the background (solid, gradient or nothing) into a DC.
    void PaintBackground(CDC* pDC, const CRect& rect) const;

protected:
    void FitToText();
    void UpdateToolRect();
    void RedrawNow();

    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    COLORREF m_clrBack;
    int m_nBkDrawMode = 0;
    COLORREF m_clrText;
    CFont m_font;
    BOOL m_bShowToolTip = FALSE;
    CString m_sToolTipText;
    CToolTipCtrl m_ttc;
    BOOL m_bFitToText = FALSE;
    CRect m_rectOriginal;
    BOOL m_bToolTipTextSet = FALSE;
    BOOL m_bCreating = FALSE;
    BOOL m_bFontCopied = FALSE;
    HFONT m_hControlFont = NULL;   // the font the static had before a text font of ours

    DECLARE_MESSAGE_MAP()
};
