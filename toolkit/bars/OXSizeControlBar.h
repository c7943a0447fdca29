// A control bar the user can resize: docked it carries a caption strip with
// its window text and two caption buttons (close, maximize in its row), all
// drawn by the dock bar element skin, which also lays the strip out and
// decides how much of the window the bar's contents get.
//
// So far the class holds the state the dock bar skin reads and writes; its
// sizing, docking and caption-button handling come with the size dock bar.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class COXDockbarSkin;
class COXDockbarSkinClassic;

// The bar's own style bits (m_dwSizeBarStyle), apart from the CBRS_ ones.
#define SZBAR_DELETEONCLOSE     0x0001
#define SZBAR_AUTODELETE        0x0002
#define SZBAR_CONTEXTMENU       0x0004
#define SZBAR_ALLOWMDIFLOAT     0x0010
#define SZBAR_NOGRIPPER         0x0020   // no caption strip
#define SZBAR_NOCLOSEBUTTON     0x0040
#define SZBAR_NOMAXIMIZEBUTTON  0x0080
#define SZBAR_NOCAPTIONTEXT     0x0100
#define SZBAR_SOLIDCAPTION      0x0200   // the caption in the caption colours

class COXSizeControlBar : public CControlBar
{
    DECLARE_DYNAMIC(COXSizeControlBar)
public:
    explicit COXSizeControlBar(DWORD dwSizeBarStyle);
    ~COXSizeControlBar() override;

    // Whether the maximize button can give the bar the whole of its row:
    // only in a size dock bar whose row holds other sizing bars to shrink,
    // so never for a bar held anywhere else.
    virtual BOOL CanMaximizeInRow();

    // The application's dock bar skin when a skin is current, else the
    // bar's own Classic one, made on first use.
    COXDockbarSkin* GetDockbarSkin();

    // Docked along a top or bottom edge: the caption is a band at the left.
    BOOL IsHorzDocked() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    BOOL IsFloatingStyle() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    BOOL HasCaption() const { return (m_dwSizeBarStyle & SZBAR_NOGRIPPER) == 0; }

    // The bar's window rectangle with its origin at the client area's
    // top-left (negative where the non-client area lies), and the offset
    // that takes client coordinates to window ones.
    CRect GetWindowRectInClient() const;
    CPoint GetClientOffset() const;

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // State the dock bar skin reads and writes.
    DWORD m_dwSizeBarStyle;
    // The caption strip and its buttons, in client coordinates.
    CRect m_rectGripper;
    CRect m_rectCloseButton;
    CRect m_rectMaximizeButton;
    // Set when the skin's client rectangle left room for the caption.
    BOOL m_bClientReduced;
    // The caption button held down: -1 none, -3 close, -2 maximize.
    int m_nPressedButton;
    BOOL m_bMaximizedInRow;
    // The focus is in the bar: its caption shows active.
    BOOL m_bActive;

protected:
    COXDockbarSkinClassic* m_pPrivateSkin;
};
