// The tool bar element skin: draws everything of a cool tool bar that is not
// a custom control (gripper, borders and background, separators, buttons
// with their images, texts and drop-down arrows, the insertion mark, the drag
// rectangle), the combo and edit boxes a bar hosts, and the caption buttons
// of a maximized MDI child on a menu bar.
//
//   Classic      the stock look: the control draws, the skin only colours
//                the states with the bar's twelve colours
//   Office XP    the whole bar drawn by the skin, flat, in blended colours
//   Office 2003  as XP, with gradients
//
// Before drawing, every form asks the bar's frame whether it wants to draw
// the bar itself (OXTBN_CUSTOMDRAW); a frame that takes over gets the stock
// drawing back through its answer.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <commctrl.h>

class COXSkinXP;
class COXSkin2003;
class COXMenuBar;

// Sent to the bar's frame as WM_NOTIFY (wParam the bar's id) before a skin
// answers a custom-draw notification. The frame clears bDoDefault to draw
// the bar itself; lResult is then the custom-draw answer.
#define OXTBN_CUSTOMDRAW 32891

struct OXTBCUSTOMDRAW
{
    NMHDR hdr;
    NMCUSTOMDRAW* pCustomDraw;
    LRESULT lResult;
    BOOL bDoDefault;
};

class COXToolbarSkin
{
public:
    virtual ~COXToolbarSkin() {}

    // Nothing while the bar floats.
    virtual void DrawGripper(CDC* pDC, const RECT& rect, CControlBar* pBar) = 0;
    // rectWindow in window coordinates; the client area is never painted.
    virtual void DrawNonClientArea(CDC* pDC, const RECT& rectWindow, CWnd* pBar) = 0;
    virtual void DrawSeparator(CDC* pDC, const RECT& rect, CToolBar* pBar) = 0;
    virtual void DrawDragRect(CDC* pDC, const RECT& rect) = 0;
    // The bar's reflected NM_CUSTOMDRAW.
    virtual void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult, CToolBar* pBar) = 0;
    // The combo box's WM_PAINT: its own painting, then the skin's look.
    virtual void OnPaintComboBox(CWnd* pCombo) = 0;
    virtual void OnComboBoxHook(CWnd*) {}
    // The skin's look of a combo box over what the box painted itself.
    virtual void DrawComboBox(CWnd* pCombo) = 0;
    // The border of an edit box hosted on a bar (its non-client area).
    virtual void DrawEditBorder(CWnd* pWnd) = 0;
    virtual void DrawMDIButtons(CDC* pDC, COXMenuBar* pMenuBar) = 0;
    // Whether the bar erases its background the stock way; when not, the
    // skin paints the whole background while it draws.
    virtual BOOL UseDefaultEraseBkgnd() = 0;

    // ---- rules shared by the forms, free of windows ----
    // A bar is horizontal when it is docked (or floats) along the top or
    // the bottom.
    static BOOL IsHorizontal(DWORD dwBarStyle) { return (dwBarStyle & CBRS_ORIENT_HORZ) != 0; }
    // The colour set of a button state, as an index into the cool bar's
    // colour groups: 0 normal, 1 hot, 2 selected (pressed), 3 checked.
    static int ColorSetFor(UINT nItemState);
    // The rectangle the gripper's marks take, from the rectangle of the
    // non-client area a bar draws its gripper in.
    enum GripperForm { gripperClassic, gripperXP, gripper2003 };
    static CRect GripperRect(GripperForm form, const RECT& rect, BOOL bHorz, BOOL bDockable, BOOL bBorderBottom);
    // Where a docked bar's gripper goes; FALSE while the bar floats.
    static BOOL GripperPlace(GripperForm form, const RECT& rectBar, CControlBar* pBar, CRect& rect);
    // The client rectangle of pWnd in its window coordinates.
    static CRect ClientInWindow(CWnd* pWnd);
    // A frame two pixels wide inside rect: the drag rectangle and the button
    // selected while a bar is customized.
    static void DrawSelectionFrame(CDC* pDC, const RECT& rect, COLORREF clr);
    // The 8-point Marlett font of the drop-down arrow glyph.
    static BOOL CreateArrowFont(CFont& font, CDC* pDC);
    // The width of a drop-down arrow's part of a button: the glyph + 4.
    static int ArrowPartWidth(CDC* pDC);
    // The part the control keeps for the arrow of a drop-down button at
    // rect: what the button is wider than the bar's buttons; the glyph's
    // part for a button sized to its text.
    static int ArrowPartWidth(CDC* pDC, CToolBar* pBar, const TBBUTTON& button, const RECT& rect);

    // The space between the row that the separator at nIndex ends
    // (TBSTATE_WRAP) and the next row, as wide as cxClient: from the lowest
    // bottom of the row's buttons to the top of the next row. Where the line
    // between the rows goes, clear of the buttons of both; empty when no
    // row follows or the rows touch.
    static CRect RowGapBelow(const TBBUTTON* pButtons, const RECT* pRects, int nCount, int nIndex, int cxClient);

protected:
    // Asks the bar's frame whether it draws the bar itself: TRUE (and the
    // frame's answer in *pResult) when it does.
    static BOOL FrameTakesOver(NMHDR* pNMHDR, LRESULT* pResult, CToolBar* pBar);
};

// The stock look: the control draws its buttons; the skin colours their
// states with the bar's colours.
class COXToolbarSkinClassic : public COXToolbarSkin
{
public:
    void DrawGripper(CDC* pDC, const RECT& rect, CControlBar* pBar) override;
    void DrawNonClientArea(CDC* pDC, const RECT& rectWindow, CWnd* pBar) override;
    void DrawSeparator(CDC* pDC, const RECT& rect, CToolBar* pBar) override;
    void DrawDragRect(CDC* pDC, const RECT& rect) override;
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult, CToolBar* pBar) override;
    void OnPaintComboBox(CWnd* pCombo) override { pCombo->Default(); }
    void DrawComboBox(CWnd*) override {}
    void DrawEditBorder(CWnd*) override {}
    void DrawMDIButtons(CDC* pDC, COXMenuBar* pMenuBar) override;
    BOOL UseDefaultEraseBkgnd() override { return TRUE; }

private:
    // The control draws a separator that ends a row as a short upright line
    // beside the row's last button; in this look, as in the others, such a
    // separator is a line across the bar between its rows.
    void RedrawWrappedSeparators(CDC* pDC, CToolBar* pBar);
};

// The flat look: the skin draws the whole bar, double-buffered.
class COXToolbarSkinXP : public COXToolbarSkin
{
public:
    explicit COXToolbarSkinXP(COXSkinXP* pSkin) : m_pSkin(pSkin) {}

    void DrawGripper(CDC* pDC, const RECT& rect, CControlBar* pBar) override;
    void DrawNonClientArea(CDC* pDC, const RECT& rectWindow, CWnd* pBar) override;
    void DrawSeparator(CDC* pDC, const RECT& rect, CToolBar* pBar) override;
    void DrawDragRect(CDC* pDC, const RECT& rect) override;
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult, CToolBar* pBar) override;
    void OnPaintComboBox(CWnd* pCombo) override;
    void DrawComboBox(CWnd* pCombo) override;
    void DrawEditBorder(CWnd* pWnd) override;
    void DrawMDIButtons(CDC* pDC, COXMenuBar* pMenuBar) override;
    BOOL UseDefaultEraseBkgnd() override { return FALSE; }

    virtual void DrawBackground(CDC* pDC, CWnd* pBar);
    virtual void DrawButton(CDC* pDC, const TBBUTTON& button, const RECT& rect, CToolBar* pBar,
                            BOOL bDrawBackground);
    virtual void FillButtonBackground(CDC* pDC, const RECT& rect);

    // How a button is drawn, from its state, in the order the states are
    // tested.
    enum ButtonCase {
        caseDropped, casePressedHot, caseCheckedHot, caseChecked, caseHot, casePressed, caseDisabled, caseNormal
    };
    static ButtonCase ButtonCaseFor(BYTE fsState, BOOL bHot, BOOL bDropped);
    // The two parts of a combo box's client rectangle the skin draws: the
    // edit part and the button part (bDropList: the drop-down-list style).
    static void ComboParts(const RECT& rectClient, BOOL bDropList, CRect& rectEdit, CRect& rectButton);
    // The text rectangle of a button whose image is cxImage x cyImage; a
    // text cxText wide gets its width where the button has it.
    static CRect TextRect(const RECT& rectButton, BOOL bList, int cxImage, int cyImage, int nImage,
                          int cxText = 0);
    // Where the text of a button at rectButton is drawn, measured in the
    // bar's font as the control measured it.
    CRect ButtonTextRect(CDC* pDC, const TBBUTTON& button, const RECT& rectButton, CToolBar* pBar,
                         const CString& strText);

protected:
    COLORREF Sys(int nIndex) const;
    // Fills the background of a highlighted button in its state's colour.
    virtual void FillStateBackground(CDC* pDC, const RECT& rect, ButtonCase nCase);
    // The bar's gradient, or its background colour, behind a hosted box
    // lined up with the bar it sits on.
    virtual void FillHostedBackground(CDC* pDC, const RECT& rect, CWnd* pWnd);
    // The highlighted combo button's fill inside its border.
    virtual void FillComboHighlight(CDC* pDC, const RECT& rect, BOOL bDropped);
    virtual COLORREF DisabledTextColor() const;
    virtual BOOL RaisedImages() const { return TRUE; }
    void DrawButtonImage(CDC* pDC, const TBBUTTON& button, CRect& rectImage, CToolBar* pBar, ButtonCase nCase,
                         BOOL bHasText);
    void DrawSeparatorLine(CDC* pDC, const RECT& rect, int nInset, BOOL bEcho);
    // The whole bar, drawn in memory and copied to pScreenDC.
    void DrawBar(CDC* pScreenDC, CToolBar* pBar);

    COXSkinXP* m_pSkin;
    // Whether the skin drew the bar in the paint under way (the frame did
    // not take it over).
    BOOL m_bOwnDrawn = FALSE;
};

class COXToolbarSkin2003 : public COXToolbarSkinXP
{
public:
    explicit COXToolbarSkin2003(COXSkin2003* pSkin);

    void DrawGripper(CDC* pDC, const RECT& rect, CControlBar* pBar) override;
    void DrawNonClientArea(CDC* pDC, const RECT& rectWindow, CWnd* pBar) override;
    void DrawSeparator(CDC* pDC, const RECT& rect, CToolBar* pBar) override;
    void DrawBackground(CDC* pDC, CWnd* pBar) override;
    void FillButtonBackground(CDC*, const RECT&) override {}

    // The dock area behind a docked bar: a gradient over the left half of
    // w (the wider of the screen and the frame), the end colour beyond;
    // rectArea.left is the frame's left edge.
    void PaintDockArea(CDC* pDC, const CRect& rectArea, int cxFrame);

protected:
    COXSkin2003* Skin2003() const;
    void FillStateBackground(CDC* pDC, const RECT& rect, ButtonCase nCase) override;
    void FillHostedBackground(CDC* pDC, const RECT& rect, CWnd* pWnd) override;
    void FillComboHighlight(CDC* pDC, const RECT& rect, BOOL bDropped) override;
    COLORREF DisabledTextColor() const override;
    BOOL RaisedImages() const override { return FALSE; }
};
