// Skins: a named set of element skins sharing one look, and the colour scheme
// the Office XP and Office 2003 element skins draw with.
//
//   "Classic"      plain system colours, the stock controls' look
//   "Office XP"    flat, colours blended from the system colours
//   "Office 2003"  gradients, tinted from the visual style's colours when a
//                  visual style is active ("themed")
//
// The colour operations are plain arithmetic over system colours (and, for
// 2003, the theme's colours); the system colours are read through SysColor
// and the theme through the skin's COXUxTheme, so both can be given by a test.
#pragma once

#include <afxwin.h>

#include "OXSkinElements.h"
#include "OXUxTheme.h"

class COXTabSkin;
class COXShortcutBarSkin;

// Colour arithmetic of the schemes, per channel and limited to 0..255.
// Weights are in hundredths: integer arithmetic, so that blending a colour
// with itself (or weights summing to 100 over white) gives the colour back.
COLORREF OXBlendColors(COLORREF clrA, int nWeightA, COLORREF clrB, int nWeightB, COLORREF clrC = 0,
                       int nWeightC = 0);
COLORREF OXOffsetColor(COLORREF clr, int nRed, int nGreen, int nBlue);
inline COLORREF OXOffsetColor(COLORREF clr, int nAll) { return OXOffsetColor(clr, nAll, nAll, nAll); }
COLORREF OXScaleColor(COLORREF clr, int nPercent);

// The system's non-client metrics (fonts of menus, captions, messages): the
// full record where the system knows it, else the older, shorter one.
BOOL OXGetNonClientMetrics(NONCLIENTMETRICSA& ncm);

class COXSkin
{
public:
    virtual ~COXSkin();

    const CString& GetName() const { return m_strName; }
    COXToolbarSkin* GetToolbarSkin() const { return m_pToolbarSkin; }
    COXMenuSkin* GetMenuSkin() const { return m_pMenuSkin; }
    COXDockbarSkin* GetDockbarSkin() const { return m_pDockbarSkin; }
    COXTabSkin* GetTabSkin() const { return m_pTabSkin; }
    COXShortcutBarSkin* GetShortcutBarSkin() const { return m_pShortcutBarSkin; }
    COXMiniFrameSkin* GetMiniFrameSkin() const { return m_pMiniFrameSkin; }
    COXStatusbarSkin* GetStatusbarSkin() const { return m_pStatusbarSkin; }
    COXFrameSkin* GetFrameSkin() const { return m_pFrameSkin; }

protected:
    COXSkin() {}

    CString m_strName;
    // Owned: made by the skin's constructor, deleted with it.
    COXToolbarSkin* m_pToolbarSkin = NULL;
    COXMenuSkin* m_pMenuSkin = NULL;
    COXDockbarSkin* m_pDockbarSkin = NULL;
    COXTabSkin* m_pTabSkin = NULL;
    COXShortcutBarSkin* m_pShortcutBarSkin = NULL;
    COXMiniFrameSkin* m_pMiniFrameSkin = NULL;
    COXStatusbarSkin* m_pStatusbarSkin = NULL;
    COXFrameSkin* m_pFrameSkin = NULL;

private:
    COXSkin(const COXSkin&) = delete;
    COXSkin& operator=(const COXSkin&) = delete;
};

class COXSkinClassic : public COXSkin
{
public:
    COXSkinClassic();
};

class COXSkinXP : public virtual COXSkin
{
public:
    COXSkinXP();

    virtual COLORREF GetHotItemColor() const;
    virtual COLORREF GetCheckedItemColor() const;
    virtual COLORREF GetPressedItemColor() const;
    virtual COLORREF GetHotItemBorderColor() const;
    virtual COLORREF GetMenuBackgroundColor() const;
    virtual COLORREF GetMenuBorderColor() const;
    virtual COLORREF GetToolbarBackgroundColor() const;
    virtual COLORREF GetDockbarBackgroundColor() const;
    virtual COLORREF GetInactiveTabTextColor() const;
    virtual COLORREF GetSeparatorColor() const;
    virtual COLORREF GetFrameBorderColor() const;
    virtual COLORREF GetGripperColor() const;
    virtual COLORREF GetMiniFrameCaptionColor() const;
    virtual COLORREF GetMiniFrameCaptionTextColor() const;
    virtual COLORREF GetMiniFrameBorderColor() const;
    virtual COLORREF GetMiniFrameBackgroundColor() const;
    virtual COLORREF GetDisabledTextColor() const;
    virtual COLORREF GetMenuDisabledTextColor() const;
    // Draws a caption button (nState: a DFCS_CAPTION... value and its state
    // bits) hosted in pWnd: hot or pressed under the cursor, pressed
    // wherever the cursor is when nState has DFCS_PUSHED, with a frame
    // lighter or darker than clrBack when bFrame is set.
    virtual void DrawFrameButton(CDC* pDC, const RECT& rect, UINT nState, BOOL bFrame, BOOL bHighlightFrame,
                                 COLORREF clrBack, CWnd* pWnd);

    // Copies the bitmap to (x, y) leaving out every pixel of clrTransparent.
    static void DrawTransparent(CBitmap* pBitmap, CDC* pDC, int x, int y, int cx, int cy,
                                COLORREF clrTransparent);

    // How a caption button looks for one cursor position and capture state.
    enum ButtonLook { buttonPlain, buttonHot, buttonPressed };
    static ButtonLook FrameButtonLook(BOOL bCursorInside, BOOL bCaptured);
    // The frame colour around a framed button.
    static COLORREF FrameButtonFrameColor(COLORREF clrBack, BOOL bHighlightFrame);

    // The system colour the scheme blends from.
    virtual COLORREF SysColor(int nIndex) const { return ::GetSysColor(nIndex); }

protected:
    struct NoElements {};
    // For a derived skin that makes element skins of its own.
    explicit COXSkinXP(NoElements) {}

    // The back of a caption button that is neither hot nor pressed, into
    // pDC, a bitmap of the button's size; rectButton is where the button
    // goes in pWnd's drawing.
    virtual void FillFrameButtonBack(CDC* pDC, const RECT& rectButton, COLORREF clrBack, CWnd* pWnd);
};

class COXSkin2003 : public COXSkinXP
{
public:
    COXSkin2003();
    ~COXSkin2003() override;

    COLORREF GetHotItemColor() const override;
    COLORREF GetCheckedItemColor() const override;
    COLORREF GetPressedItemColor() const override;
    COLORREF GetHotItemBorderColor() const override;
    COLORREF GetMenuBackgroundColor() const override;
    COLORREF GetMenuBorderColor() const override;
    COLORREF GetToolbarBackgroundColor() const override;
    COLORREF GetDockbarBackgroundColor() const override;
    COLORREF GetInactiveTabTextColor() const override;
    COLORREF GetSeparatorColor() const override;
    COLORREF GetFrameBorderColor() const override;
    COLORREF GetGripperColor() const override;
    COLORREF GetMiniFrameCaptionColor() const override;
    COLORREF GetMiniFrameCaptionTextColor() const override;
    COLORREF GetMiniFrameBorderColor() const override;
    COLORREF GetMiniFrameBackgroundColor() const override;
    COLORREF GetDisabledTextColor() const override;
    COLORREF GetMenuDisabledTextColor() const override;

    // The 2003-only colours: gradient ends of bars, docks, captions, menus
    // and button states.
    COLORREF GetBarGradientStartColor() const;
    COLORREF GetBarGradientEndColor() const;
    COLORREF GetDockGradientStartColor() const;
    COLORREF GetDockGradientEndColor() const;
    COLORREF GetCaptionGradientStartColor() const;
    COLORREF GetCaptionGradientEndColor() const;
    COLORREF GetMenuGradientStartColor() const;
    COLORREF GetMenuGradientEndColor() const;
    COLORREF GetMenuGradientAltEndColor() const;
    COLORREF GetHeaderGradientColor() const;
    COLORREF GetHotGradientStartColor() const;
    COLORREF GetHotGradientEndColor() const;
    COLORREF GetCheckedGradientStartColor() const;
    COLORREF GetCheckedGradientEndColor() const;
    COLORREF GetPressedGradientStartColor() const;
    COLORREF GetPressedGradientEndColor() const;

    // Whether a visual style is active; when it is, its highlight (TH) and
    // active caption (TC) colours. The theme is opened once and kept: a
    // paint asks for it many times, and each opening costs far more than
    // the drawing it serves.
    BOOL IsThemed(COLORREF* pHighlight = NULL, COLORREF* pCaption = NULL) const;
    // Lets go of the kept theme, so that the next colour reads the visual
    // style anew (after a theme change; every skin switch does it).
    void ResetTheme();

    // Two-colour linear gradient from the left (or, bVertical, top) edge.
    void GradientFill(CDC* pDC, const RECT& rect, COLORREF clrStart, COLORREF clrEnd, BOOL bVertical) const;
    // The same drawn line by line, as where the gradient call is missing.
    static void GradientFillLines(CDC* pDC, const RECT& rect, COLORREF clrStart, COLORREF clrEnd,
                                  BOOL bVertical);
    // Four-corner gradient.
    void GradientFill4(CDC* pDC, const RECT& rect, COLORREF clrTopLeft, COLORREF clrTopRight,
                       COLORREF clrBottomLeft, COLORREF clrBottomRight) const;
    // Row (or column) i of n of a line-by-line gradient.
    static COLORREF GradientLineColor(COLORREF clrStart, COLORREF clrEnd, int i, int n);
    BOOL HasGradientCall() const { return m_pfnGradientFill != NULL; }

    // The dock gradient over a band from xBand, cxBand wide: from the dock
    // start colour to its end colour over the band's left half, the end
    // colour beyond. Only rect is painted.
    void FillDockGradient(CDC* pDC, const RECT& rect, int xBand, int cxBand) const;
    // The band behind a window: from the left edge of the frame it sits in,
    // as wide as the larger of the screen and that frame; xBand in the
    // window's client (bClient) or window coordinates.
    static void GetDockBand(CWnd* pWnd, BOOL bClient, int& xBand, int& cxBand);

    // The theme the colours read; NULL goes back to the skin's own.
    void SetUxTheme(COXUxTheme* pUxTheme)
    {
        ResetTheme();
        m_pUxTheme = pUxTheme != NULL ? pUxTheme : &m_uxTheme;
    }

protected:
    // Hosted in a sizing bar, a button shows the part of the caption
    // gradient it covers; in a menu bar, the part of the dock gradient.
    void FillFrameButtonBack(CDC* pDC, const RECT& rectButton, COLORREF clrBack, CWnd* pWnd) override;

    typedef BOOL(WINAPI* PFNGRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    HINSTANCE m_hMsimg32;
    PFNGRADIENTFILL m_pfnGradientFill;
    COXUxTheme m_uxTheme;
    COXUxTheme* m_pUxTheme;
    mutable HTHEME m_hTheme = NULL;         // the "button" theme, while kept
    mutable BOOL m_bThemeRead = FALSE;      // whether m_hTheme says anything yet

private:
    // W blended with TH when themed, else with F (COLOR_BTNFACE).
    COLORREF WindowBlend(int nWindowThemed, int nWindowPlain) const;
};
