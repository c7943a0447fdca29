// COXBitmapButton - an owner-drawn push button with an image (bitmap, icon or
// AVI clip), a caption, an optional drop-down arrow part, track (flat until
// hovered) and hyperlink looks, toggle and three-state behaviour, its own
// font, text colour, palette, cursors and tooltip.
//
// The window text holds the caption and the tooltip text separated by "\n".
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <functional>

#include "OXToolTipCtrl.h"

// Extended style bits
#define OXBB_EX_DROPDOWN            0x00000001  // arrow part at the right, a click drops down
#define OXBB_EX_TOGGLE              0x00000002  // a click steps the check state
#define OXBB_EX_DROPDOWNRIGHT       0x00010000  // arrow glyph pointing right; pop-ups open to the right
#define OXBB_EX_DROPDOWNNOARROW     0x00020000  // drops down without a visible arrow part
#define OXBB_EX_TOGGLE3STATE        0x00040000  // with OXBB_EX_TOGGLE: checked -> indeterminate -> unchecked

// Check state bits
#define OXBB_STATE_CHECKED          0x00000001
#define OXBB_STATE_INDETERMINATE    0x00000002

// Notifications to the parent (WM_NOTIFY codes)
#define OXBBN_DROPDOWN              0x8066
#define OXBBN_TOGGLE                0x8067

class COXBitmapButton : public CButton
{
    DECLARE_DYNCREATE(COXBitmapButton)
public:
    COXBitmapButton();
    virtual ~COXBitmapButton();

    // ---- images ----
    BOOL LoadBitmap(LPCTSTR lpszBitmapResource, BOOL bResize = TRUE, COLORREF crMask = (COLORREF)-1);
    BOOL LoadBitmap(UINT nBitmapID, BOOL bResize = TRUE, COLORREF crMask = (COLORREF)-1)
        { return LoadBitmap(MAKEINTRESOURCE(nBitmapID), bResize, crMask); }
    BOOL LoadIcon(LPCTSTR lpszIconResource, BOOL bResize = TRUE, UINT cx = 0, UINT cy = 0);
    BOOL LoadIcon(UINT nIconID, BOOL bResize = TRUE, UINT cx = 0, UINT cy = 0)
        { return LoadIcon(MAKEINTRESOURCE(nIconID), bResize, cx, cy); }
    BOOL LoadAnimation(LPCTSTR lpszAnimationResource, BOOL bResize = TRUE);
    BOOL LoadAnimation(UINT nAnimationID, BOOL bResize = TRUE)
        { return LoadAnimation(MAKEINTRESOURCE(nAnimationID), bResize); }
    void ClearImage(BOOL bResize = TRUE);
    BOOL SetInactiveIcon(LPCTSTR lpszIconResource, UINT cx = 0, UINT cy = 0);
    BOOL SetDisabledIcon(LPCTSTR lpszIconResource, UINT cx = 0, UINT cy = 0);
    BOOL SetInactiveBitmap(LPCTSTR lpszBitmapResource);
    BOOL SetDisabledBitmap(LPCTSTR lpszBitmapResource);

    // ---- look and state ----
    BOOL SetTrackLook(BOOL bTrackLook = TRUE);
    BOOL GetTrackLook() const { return m_bTrackLook; }
    BOOL SetHyperLook(BOOL bHyperLook = TRUE);
    BOOL GetHyperLook() const { return m_bHyperLook; }
    void SetHorizontalAlignment(DWORD dwAlignment);
    DWORD GetHorizontalAlignment() const;
    void SetVerticalAlignment(DWORD dwAlignment);
    DWORD GetVerticalAlignment() const;
    void SetTextColor(COLORREF clr);
    COLORREF GetTextColor() const { return m_textColor; }
    void SetTextFont(CFont* pFont);
    CFont* GetTextFont() { return m_font.GetSafeHandle() ? &m_font : NULL; }
    void CopyWindowFont();
    void SetText(LPCTSTR lpszText);
    CString GetText() const;
    void SetToolTipText(LPCTSTR lpszText);
    CString GetToolTipText() const;
    BOOL SetToolTip(BOOL bEnable = TRUE);
    COXToolTipCtrl* GetToolTip() { return &m_toolTip; }
    BOOL SetNormalCursor(UINT nCursorID);
    BOOL SetDisabledCursor(UINT nCursorID);
    HCURSOR GetNormalCursor() const { return m_hNormalCursor; }
    HCURSOR GetDisabledCursor() const { return m_hDisabledCursor; }
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetKeepEnabled(BOOL bKeepEnabled);
    BOOL GetKeepEnabled() const { return m_bKeepEnabled; }
    void SetStyleEx(DWORD dwStyleEx, BOOL bRedraw = TRUE);
    DWORD GetStyleEx() const { return m_dwStyleEx; }
    void SetCheckState(DWORD dwCheckState, BOOL bRedraw = TRUE);
    DWORD GetCheckState() const { return m_dwCheckState; }
    BOOL StepCheckState();
    void ShowSeparator(BOOL bShow = TRUE) { m_bShowSeparator = bShow; }
    CImageList* GetImageList() { return &m_imageList; }
    CPalette* GetPalette() { return &m_palette; }
    CAnimateCtrl* GetAnimationCtrl() { return &m_animateCtrl; }
    BOOL IsMouseOver() const { return m_bMouseOver; }
    // How far the focus rectangle and the black frame of the focused button
    // lie from the button's edge (negative: inside).
    void SetFocusRectInflate(CSize size) { m_focusRectInflate = size; }
    CSize GetFocusRectInflate() const { return m_focusRectInflate; }
    void SetDefaultFrameInflate(CSize size) { m_defaultFrameInflate = size; }
    CSize GetDefaultFrameInflate() const { return m_defaultFrameInflate; }

    static CString ExtractTextPiece(LPCTSTR lpszText, int nPiece, TCHAR chSeparator = '\n');

    // ---- rules without a window (tested as tables) ----
    // The image and caption rectangles inside a content rect for the window
    // style's alignment bits, before any pressed or checked shift.
    static void LayoutRects(DWORD dwStyle, const CRect& rectContent, CSize sizeImage, CSize sizeText,
                            CRect& rectImage, CRect& rectText);
    // Reshapes a word-wrapped caption of the single-line extent sizeSingle
    // until it is no wider than 2.6 times its height and not taller than wide;
    // measure(width) gives the caption's extent wrapped at that width.
    static CSize FitCaption(CSize sizeSingle, const std::function<CSize(int)>& measure);
    // The next check state of a toggle (three-state or not); FALSE from
    // buttons that neither toggle nor drop down.
    static DWORD NextCheckState(DWORD dwStyleEx, DWORD dwCheckState);
    // The grey level a colour of a greyed image takes.
    static BYTE GrayLevel(BYTE red, BYTE green, BYTE blue);
    // Greys the colour table of a packed DIB of 8 bits or fewer a pixel;
    // entries of the mask colour stay. FALSE for deeper DIBs.
    static BOOL MakeDIBGray(LPBITMAPINFOHEADER lpbi, COLORREF crMask);
    static BOOL CreateDIBPalette(LPBITMAPINFOHEADER lpbi, CPalette* pPalette);

    // ---- virtual operations ----
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void SizeToContent();
    virtual CSize GetFitButtonSize();
    virtual CSize GetArrowPartSize();
    virtual void CalculateLayout(UINT nState, const CRect& rectContent, CRect& rectImage, CRect& rectText);
    virtual CPalette* SelectPalette(CDC* pDC, UINT nState);
    virtual void DrawButtonFrame(CDC* pDC, UINT nState, CRect rect);
    virtual void DrawImage(CDC* pDC, UINT nState, CImageList* pImageList, CRect rect);
    virtual void DrawText(CDC* pDC, UINT nState, CString sText, CRect rect);
    virtual void DrawFocusMark(CDC* pDC, UINT nState, CRect rectItem, CRect rectImage, CRect rectText);
    virtual void RestorePalette(CDC* pDC, CPalette* pOldPalette);
    virtual int GetDropDownArrowWidth();
    // The width of the drop-down arrow glyph in the system's menu-check
    // height: what buttons and tool bars with drop-down arrows add.
    static int MeasureDropDownArrowWidth();
    virtual void DrawDropDownArrow(CDC* pDC, UINT nState, CRect rect);
    virtual void OnDropDown() {}
    virtual void OnToggle() {}
    virtual BOOL OnClicked();

    // ---- resource loading ----
    static BOOL LoadDIBBitmap(LPCTSTR lpszResource, CBitmap* pBitmap, CPalette* pPalette);
    static BOOL LoadGrayedDIBBitmap(LPCTSTR lpszResource, COLORREF crMask, CBitmap* pBitmap);
    static BOOL LoadBitmapPalette(LPCTSTR lpszResource, CPalette* pPalette);
    static BOOL LoadIconPalette(LPCTSTR lpszResource, CPalette* pPalette);
    static HICON LoadGrayedIcon(LPCTSTR lpszResource);
    static HICON CreateDisabledIcon(HICON hIcon, int cx, int cy);

protected:
    CSize GetTextSize(BOOL bFit);
    CRect CaptionRect(CDC* pDC, const CString& sText, CRect rect);
    CSize GetImageSize() const;
    BOOL ReplaceImageWithIcon(int nImage, LPCTSTR lpszIconResource, UINT cx, UINT cy);
    BOOL ReplaceImageWithBitmap(int nImage, LPCTSTR lpszBitmapResource);
    void ImageReplaced(BOOL bResize);
    void HoverTest(CPoint ptScreen);
    void LeaveCheck();
    void CaptureBackground();
    void RefreshBackground();
    void RedrawNow();
    BOOL IsToggle() const { return (m_dwStyleEx & OXBB_EX_TOGGLE) != 0; }
    BOOL HasArrowPart() const
        { return (m_dwStyleEx & OXBB_EX_DROPDOWN) && !(m_dwStyleEx & OXBB_EX_DROPDOWNNOARROW); }
    static void CreateArrowFont(CFont& font);
    void UpdateToolTipTool();

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCheckHover(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnReflectClicked();
    DECLARE_MESSAGE_MAP()

protected:
    CAnimateCtrl m_animateCtrl;
    BOOL m_bAnimationPlaying;
    CImageList m_imageList;
    CPalette m_palette;
    COLORREF m_textColor;
    CFont m_font;
    COXToolTipCtrl m_toolTip;
    BOOL m_bTrackLook;
    BOOL m_bMouseOver;
    BOOL m_bButtonHeld;
    BOOL m_bHyperLook;
    CImageList m_background;
    BOOL m_bBackgroundCaptured;
    UINT m_nNormalCursorID;
    HCURSOR m_hNormalCursor;
    UINT m_nDisabledCursorID;
    HCURSOR m_hDisabledCursor;
    BOOL m_bKeepEnabled;
    BOOL m_bEnabled;
    BOOL m_bSavedTabStop;
    BOOL m_bShowSeparator;
public:
    CSize m_imageInflate;
    CSize m_textInflate;
    CSize m_defaultFrameInflate;
    CSize m_focusRectInflate;
    CSize m_focusDotSize;
    CSize m_pressedOffset;
    CSize m_checkedOffset;
    CSize m_hoverOffset;
    int m_nArrowWidthAdjust;
    int m_nArrowVerticalInset;
protected:
    DWORD m_dwStyleEx;
    int m_nDropDownArrowWidth;
    DWORD m_dwCheckState;

    static COLORREF s_clrButtonFace;
};

void AFXAPI DDX_ToggleState(CDataExchange* pDX, int nIDC, int& nState);
