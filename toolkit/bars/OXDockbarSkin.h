// The dock bar element skin: draws the sizing bars (COXSizeControlBar) and
// the dock bars that hold them (a bar's caption strip with its text or grip,
// its close and maximize buttons and non-client background, the splitter
// bands between docked bars, the dock bar's background), and lays out a
// sizing bar's caption and client rectangle.
//
// A horizontal bar (docked along a top or bottom edge) has its caption as a
// vertical band at its left, a vertical bar as a horizontal band at its top.
// A floating bar has no caption: its mini frame has one.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class COXSizeControlBar;
class COXSkinXP;
class COXSkin2003;

// A splitter band between docked bars, in the dock bar's client coordinates.
struct SPLITTERINFO
{
    enum { vertical = 1, horizontal = 2 };
    RECT rect;
    BYTE nKind;   // vertical: between bars side by side; horizontal: between rows
};

class COXDockbarSkin
{
public:
    virtual ~COXDockbarSkin() {}

    // The caption strip (text or grip) of a docked bar with a caption.
    virtual void DrawCaption(CDC* pDC, COXSizeControlBar* pBar) = 0;
    // Where DrawCaption puts the bar's title, in window coordinates (read
    // upward in a bar docked along the top or the bottom), and the font it
    // draws it in: a title longer than that is cut with an ellipsis.
    virtual CRect GetCaptionTextRect(COXSizeControlBar* pBar) = 0;
    virtual CFont* GetCaptionFont(COXSizeControlBar* pBar) = 0;
    virtual void DrawCloseButton(CDC* pDC, COXSizeControlBar* pBar) = 0;
    virtual void DrawMaximizeButton(CDC* pDC, COXSizeControlBar* pBar) = 0;
    // The space between the caption buttons and the caption.
    virtual int* GetCaptionGap() = 0;
    // The bar's non-client area behind its caption (rect in window
    // coordinates).
    virtual void DrawNonClientBackground(CDC* pDC, const RECT& rect, CControlBar* pBar) = 0;
    virtual void DrawSplitter(CDC* pDC, const SPLITTERINFO& splitter, CWnd* pDockBar) = 0;
    // The dock bar's WM_NCPAINT.
    virtual void DrawDockBarNonClient(CWnd* pDockBar) = 0;
    virtual void DrawDockBarBackground(CDC* pDC, CWnd* pDockBar) = 0;
    // Shrinks a bar's window rectangle to its client rectangle (WM_NCCALCSIZE).
    virtual void CalcClientRect(RECT& rect, COXSizeControlBar* pBar) = 0;
    // Places the bar's caption strip and buttons (m_rectGripper,
    // m_rectCloseButton, m_rectMaximizeButton).
    virtual void LayoutCaption(COXSizeControlBar* pBar) = 0;
    virtual COLORREF GetBorderColor() = 0;

    // The layouts without a window: rectWindow is the bar's window rectangle
    // in its client coordinates. Hidden buttons get empty rectangles, and so
    // do both buttons of a bar without a caption or floating, which then has
    // nothing to press.
    static void LayoutBandCaption(COXSizeControlBar* pBar, const RECT& rectWindow, int nGap);
    static void LayoutWideCaption(COXSizeControlBar* pBar, const RECT& rectWindow);
    // The client rectangle: rect less 5 on every side, then less the
    // caption band of nBand pixels for a docked bar with a caption; never
    // turned inside out.
    static void CalcBandClientRect(RECT& rect, COXSizeControlBar* pBar, int nBand);

    // The DrawFrameControl state of the Classic buttons.
    static UINT CloseButtonState(COXSizeControlBar* pBar);
    static UINT MaximizeButtonState(COXSizeControlBar* pBar);
    // A rectangle of the bar in client coordinates taken to window ones.
    static CRect ToWindow(COXSizeControlBar* pBar, const RECT& rectClient);
};

// The stock look: 3D grip lines or a caption in the caption colours, the
// system's caption buttons, 3D splitters.
class COXDockbarSkinClassic : public COXDockbarSkin
{
public:
    COXDockbarSkinClassic();
    ~COXDockbarSkinClassic() override;

    void DrawCaption(CDC* pDC, COXSizeControlBar* pBar) override;
    CRect GetCaptionTextRect(COXSizeControlBar* pBar) override;
    CFont* GetCaptionFont(COXSizeControlBar* pBar) override;
    void DrawCloseButton(CDC* pDC, COXSizeControlBar* pBar) override;
    void DrawMaximizeButton(CDC* pDC, COXSizeControlBar* pBar) override;
    int* GetCaptionGap() override { return &m_nCaptionGap; }
    void DrawNonClientBackground(CDC* pDC, const RECT& rect, CControlBar* pBar) override;
    void DrawSplitter(CDC* pDC, const SPLITTERINFO& splitter, CWnd* pDockBar) override;
    void DrawDockBarNonClient(CWnd* pDockBar) override;
    void DrawDockBarBackground(CDC* pDC, CWnd* pDockBar) override;
    void CalcClientRect(RECT& rect, COXSizeControlBar* pBar) override;
    void LayoutCaption(COXSizeControlBar* pBar) override;
    COLORREF GetBorderColor() override;

    CFont m_fontCaption;        // Arial 10 points
    CFont m_fontCaptionSmall;   // Arial 8 points, in a coloured caption
    int m_nCaptionGap;
};

// The flat look: grip lines in the scheme's gripper colour, caption buttons
// drawn by the scheme.
class COXDockbarSkinXP : public COXDockbarSkin
{
public:
    explicit COXDockbarSkinXP(COXSkinXP* pSkin);
    ~COXDockbarSkinXP() override;

    void DrawCaption(CDC* pDC, COXSizeControlBar* pBar) override;
    CRect GetCaptionTextRect(COXSizeControlBar* pBar) override;
    CFont* GetCaptionFont(COXSizeControlBar* pBar) override;
    void DrawCloseButton(CDC* pDC, COXSizeControlBar* pBar) override;
    void DrawMaximizeButton(CDC* pDC, COXSizeControlBar* pBar) override;
    int* GetCaptionGap() override { return &m_nCaptionGap; }
    void DrawNonClientBackground(CDC* pDC, const RECT& rect, CControlBar* pBar) override;
    void DrawSplitter(CDC* pDC, const SPLITTERINFO& splitter, CWnd* pDockBar) override;
    void DrawDockBarNonClient(CWnd* pDockBar) override;
    void DrawDockBarBackground(CDC* pDC, CWnd* pDockBar) override;
    void CalcClientRect(RECT& rect, COXSizeControlBar* pBar) override;
    void LayoutCaption(COXSizeControlBar* pBar) override;
    COLORREF GetBorderColor() override;

    // How a caption button is handed to the scheme's DrawFrameButton.
    struct ButtonLook
    {
        UINT nState;               // the glyph
        BOOL bFrame;               // framed: the maximize button that cannot act
        BOOL bHighlightFrame;
        COLORREF clrBack;
    };
    virtual ButtonLook GetButtonLook(COXSizeControlBar* pBar, BOOL bMaximize);

    COXSkinXP* m_pSkin;
    CFont m_fontCaption;        // Tahoma, bold, 8.5 points
    int m_nCaptionGap;

protected:
    void DrawButton(CDC* pDC, COXSizeControlBar* pBar, BOOL bMaximize);
    // The bar's window DC (client excluded) filled in one colour.
    void FillNonClient(CWnd* pWnd, COLORREF clr);
};

// Gradients: the caption in the caption gradient with a dot grip, the dock
// bars in the dock gradient.
class COXDockbarSkin2003 : public COXDockbarSkinXP
{
public:
    explicit COXDockbarSkin2003(COXSkin2003* pSkin);

    void DrawCaption(CDC* pDC, COXSizeControlBar* pBar) override;
    CRect GetCaptionTextRect(COXSizeControlBar* pBar) override;
    void DrawNonClientBackground(CDC* pDC, const RECT& rect, CControlBar* pBar) override;
    void DrawSplitter(CDC* pDC, const SPLITTERINFO& splitter, CWnd* pDockBar) override;
    void DrawDockBarNonClient(CWnd* pDockBar) override;
    void DrawDockBarBackground(CDC* pDC, CWnd* pDockBar) override;
    void CalcClientRect(RECT& rect, COXSizeControlBar* pBar) override;
    void LayoutCaption(COXSizeControlBar* pBar) override;
    ButtonLook GetButtonLook(COXSizeControlBar* pBar, BOOL bMaximize) override;

    // The grip: 2-pixel dots every 4 pixels along rect (along x when bAlongX),
    // each over a light dot 1 pixel right and down. A dot that would meet
    // rectKeepClear (the caption buttons) is left out.
    static void DrawDots(CDC* pDC, const RECT& rect, BOOL bAlongX, COLORREF clrDot, COLORREF clrLight,
                         const RECT& rectKeepClear = CRect(0, 0, 0, 0));

protected:
    COXSkin2003* Skin2003() const;
    // The dock gradient behind pWnd, into rect of a DC whose origin is the
    // window's client (bClient) or window top-left.
    void PaintDockArea(CDC* pDC, const RECT& rect, CWnd* pWnd, BOOL bClient);
};
