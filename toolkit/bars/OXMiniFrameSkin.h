// The mini frame element skin: paints the non-client area of a floating
// docking frame (COXSizableMiniDockFrameWnd): border, caption and close
// button. Classic leaves it to the system; XP (which also serves the 2003
// skin) paints a flat border, a flat caption and its own close button, hot
// under the cursor and pressed under a held button.
//
// The XP drawing is split from the window: the geometry (CaptionRect,
// CloseButtonRect, CloseButtonHot) needs no window, and PaintNonClient and
// DrawCloseButton draw into any DC, a memory one included.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include "OXSkinElements.h"

class COXSkinXP;

class COXMiniFrameSkin
{
public:
    virtual ~COXMiniFrameSkin() {}

    // The frame's WM_NCPAINT.
    virtual void OnNcPaint(CMiniFrameWnd* pFrame) = 0;
    // The frame's WM_NCACTIVATE; the result is the message's.
    virtual BOOL OnNcActivate(BOOL bActive, CMiniFrameWnd* pFrame) = 0;
    virtual void DrawCaption(CMiniFrameWnd* pFrame) = 0;
    // Draws the caption buttons as the cursor has them; TRUE when the skin
    // draws its own buttons (the frame then handles their presses itself).
    virtual BOOL DrawCaptionButtons(CMiniFrameWnd* pFrame) = 0;
};

// The stock look: the system paints border, caption and buttons.
class COXMiniFrameSkinClassic : public COXMiniFrameSkin
{
public:
    void OnNcPaint(CMiniFrameWnd* pFrame) override;
    BOOL OnNcActivate(BOOL bActive, CMiniFrameWnd* pFrame) override;
    void DrawCaption(CMiniFrameWnd*) override {}
    BOOL DrawCaptionButtons(CMiniFrameWnd*) override { return FALSE; }
};

class COXMiniFrameSkinXP : public COXMiniFrameSkin
{
public:
    explicit COXMiniFrameSkinXP(COXSkinXP* pSkin);

    void OnNcPaint(CMiniFrameWnd* pFrame) override;
    // The flat caption does not change with activation: nothing is drawn.
    BOOL OnNcActivate(BOOL, CMiniFrameWnd*) override { return TRUE; }
    void DrawCaption(CMiniFrameWnd* pFrame) override;
    BOOL DrawCaptionButtons(CMiniFrameWnd* pFrame) override;

    enum ButtonState { buttonPlain, buttonHot, buttonPressed };

    // The caption band in window coordinates, for a window of sizeWindow
    // whose client area starts at ptClient (window coordinates).
    static CRect CaptionRect(CSize sizeWindow, CPoint ptClient);
    // The close button: the square at the caption's right end.
    static CRect CloseButtonRect(const CRect& rectCaption);
    // Whether a point (window coordinates) is over the button: its square
    // less the last column and row.
    static BOOL CloseButtonHot(const CRect& rectButton, CPoint pt);

    // The whole non-client area into pDC (window coordinates, the client
    // area already excluded): border, rounded inner corners, caption with
    // its text and, unless bNoButton, the close button in nState.
    void PaintNonClient(CDC* pDC, CSize sizeWindow, CPoint ptClient, LPCTSTR lpszText, BOOL bNoButton,
                        ButtonState nState);
    void DrawCaptionBand(CDC* pDC, const CRect& rectCaption, LPCTSTR lpszText);
    void DrawCloseButton(CDC* pDC, const CRect& rectButton, ButtonState nState);

    COXSkinXP* m_pSkin;
    CFont m_fontCaption;

protected:
    // Where the frame's client area starts in its window, and its window size.
    static void FrameGeometry(CWnd* pFrame, CSize& sizeWindow, CPoint& ptClient);
    static BOOL HasSystemMenuItems(CWnd* pFrame);
    // The close button's state from the cursor and the left button.
    static ButtonState CurrentButtonState(CWnd* pFrame, const CRect& rectButton);
};
