// Label.h - CLabel: a static text control that paints itself (colours, a
// gradient background, fonts changed on the fly, 3D text, rotation, flashing
// and links). Every setter returns the label so that calls chain.
#pragma once

#include <afxwin.h>

// WM_NOTIFY code a label sends its parent for a click when it was asked to
// notify instead of opening its link.
#define NM_LINKCLICK 0x8200

class CLabel : public CStatic
{
    DECLARE_DYNAMIC(CLabel)
public:
    CLabel();
    virtual ~CLabel();

    // The shell call a link click goes through; tests put their own in its
    // place so that nothing is launched. Returns the previous one.
    typedef HINSTANCE (WINAPI* PFN_SHELLEXECUTE)(HWND hwnd, LPCSTR lpVerb, LPCSTR lpFile,
                                                 LPCSTR lpParameters, LPCSTR lpDirectory, INT nShowCmd);
    static PFN_SHELLEXECUTE SetShellExecute(PFN_SHELLEXECUTE pfn);

    virtual CLabel& SetBkColor(COLORREF crBkgnd, COLORREF crBkgndHigh = 0, BOOL bGradient = FALSE);
    virtual CLabel& SetTextColor(COLORREF crText);
    virtual CLabel& SetText(const CString& strText);
    virtual CLabel& SetFontBold(BOOL bBold);
    virtual CLabel& SetFontName(const CString& strFont, BYTE byCharSet = ANSI_CHARSET);
    virtual CLabel& SetFontUnderline(BOOL bSet);
    virtual CLabel& SetFontItalic(BOOL bSet);
    virtual CLabel& SetFontSize(int nSize);
    virtual CLabel& SetSunken(BOOL bSet);
    virtual CLabel& SetBorder(BOOL bSet);
    virtual CLabel& SetTransparent(BOOL bSet);
    virtual CLabel& FlashText(BOOL bActivate);
    virtual CLabel& FlashBackground(BOOL bActivate);
    virtual CLabel& SetLink(BOOL bLink, BOOL bNotifyParent);
    virtual CLabel& SetLinkCursor(HCURSOR hCursor);
    virtual CLabel& SetText3D(BOOL bSet, int nType = 1);
    virtual CLabel& SetRotationAngle(UINT nAngle, BOOL bRotation);
    virtual CLabel& SetText3DHiliteColor(COLORREF cr3DHiliteColor);
    virtual CLabel& SetFont(LOGFONT lf);
    virtual CLabel& SetMailLink(BOOL bEnable, BOOL bNotifyParent);
    virtual CLabel& SetLinkAddress(const CString& strLink);

    // Fills lpRect left to right with nSegments bands stepping from crStart
    // to crEnd (at most one band per pixel).
    static void DrawGradient(CDC* pDC, LPCRECT lpRect, COLORREF crStart, COLORREF crEnd, int nSegments);

    const LOGFONT& GetLogFont() const { return m_lf; }
    BOOL IsFlashPhaseOn() const { return m_bState; }

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override { return CStatic::PreCreateWindow(cs); }

    void RedrawLabel();
    void ReconstructFont();
    // Paints the whole label into pDC (the paint DC, or one given by WM_PRINTCLIENT).
    void DrawLabel(CDC* pDC);

    COLORREF m_crText;
    COLORREF m_cr3DHiliteColor;
    HBRUSH m_hwndBrush;
    HBRUSH m_hBackBrush;
    LOGFONT m_lf;
    CFont m_font;
    BOOL m_bState;
    BOOL m_bTimer;
    int m_Link;
    BOOL m_bTransparent;
    BOOL m_bFont3D;
    BOOL m_bNotifyParent;
    BOOL m_bRotation;
    int m_Type;
    HCURSOR m_hCursor;
    int m_3dType;
    BOOL m_bGradient;
    COLORREF m_crHiColor;
    COLORREF m_crLoColor;
    CString m_sLink;

    enum { LinkNone = 0, LinkHyper = 1, LinkMail = 2 };
    enum { FlashNone = 0, FlashTextType = 1, FlashBackgroundType = 2 };

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSysColorChange();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
