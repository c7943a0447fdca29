// ButtonST.h - CButtonST: a push button that paints itself (icon or bitmap
// with separate in and out images, caption, six state colours, flat look lit
// under the mouse), with a tooltip, a cursor, a drop-down menu, a web address
// and hover and click sounds.
//
// Setters return a DWORD result code (BTNST_OK on success); those with a last
// bRepaint argument invalidate the button when it is set.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <shellapi.h>
#include "BCMenu.h"

class CButtonST : public CButton
{
public:
    CButtonST();
    virtual ~CButtonST();

    enum State { BTNST_COLOR_BK_IN = 0, BTNST_COLOR_FG_IN, BTNST_COLOR_BK_OUT, BTNST_COLOR_FG_OUT,
                 BTNST_COLOR_BK_FOCUS, BTNST_COLOR_FG_FOCUS, BTNST_MAX_COLORS };
    enum { ST_ALIGN_HORIZ = 0, ST_ALIGN_VERT, ST_ALIGN_HORIZ_RIGHT, ST_ALIGN_OVERLAP };
    enum { BTNST_PRESSED_LEFTRIGHT = 0, BTNST_PRESSED_TOPBOTTOM };

    // Result codes of the setters.
    enum { BTNST_OK = 0, BTNST_INVALIDRESOURCE, BTNST_FAILEDMASK, BTNST_INVALIDINDEX,
           BTNST_INVALIDALIGN, BTNST_BADPARAM, BTNST_INVALIDPRESSEDSTYLE };

    // Out-image requests: a generated grey or darker copy of the in image.
    static const INT_PTR BTNST_AUTO_GRAY = -2;
    static const INT_PTR BTNST_AUTO_DARKER = -3;

    // Images
    DWORD SetIcon(HICON hIconIn, HICON hIconOut = NULL);
    DWORD SetIcon(int nIconIn, int nCxDesiredIn, int nCyDesiredIn,
                  int nIconOut = 0, int nCxDesiredOut = 0, int nCyDesiredOut = 0);
    DWORD SetIcon(int nIconIn, int nIconOut = 0) { return SetIcon(nIconIn, 0, 0, nIconOut, 0, 0); }
    DWORD SetBitmaps(HBITMAP hBitmapIn, COLORREF crTransColorIn, HBITMAP hBitmapOut = NULL,
                     COLORREF crTransColorOut = 0);
    DWORD SetBitmaps(int nBitmapIn, COLORREF crTransColorIn, int nBitmapOut = 0,
                     COLORREF crTransColorOut = 0);
    void FitToImage();

    // Look and behaviour
    DWORD SetFlat(BOOL bFlat = TRUE, BOOL bRepaint = TRUE);
    DWORD SetImageAlignment(BYTE byAlign, BOOL bRepaint = TRUE);
    DWORD SetPressedOffsetStyle(BYTE byStyle, BOOL bRepaint = TRUE);
    DWORD SetCheck(int nCheck, BOOL bRepaint = TRUE);
    int GetCheck() const { return m_nCheck; }
    DWORD ResetColors(BOOL bRepaint = TRUE);
    DWORD SetColor(BYTE byColorIndex, COLORREF crColor, BOOL bRepaint = TRUE);
    DWORD GetColor(BYTE byColorIndex, COLORREF* crpColor) const;
    DWORD ShiftColor(BYTE byColorIndex, short shOffset, BOOL bRepaint = TRUE);
    DWORD SetTrackAlways(BOOL bAlwaysTrack = TRUE) { m_bAlwaysTrack = bAlwaysTrack; return BTNST_OK; }
    DWORD SetHoverBorder(BOOL bDrawBorder = TRUE, BOOL bRepaint = TRUE);
    DWORD SetFocusRectOnFlat(BOOL bDrawFlatFocus, BOOL bRepaint = TRUE);
    DWORD LoadCursor(int nCursorId, BOOL bRepaint = TRUE);
    DWORD SetCursorHandle(HCURSOR hCursor, BOOL bRepaint = TRUE);
    DWORD SetUrl(LPCTSTR lpszURL);
    DWORD SetSound(LPCTSTR lpszSound, HMODULE hMod = NULL, BOOL bPlayOnClick = FALSE,
                   BOOL bPlayAsync = TRUE);
    DWORD EnableTransparency(BOOL bRepaint = TRUE);
    DWORD CaptureBackground(CDC* pDC);
    BOOL IsDefault() const { return m_bIsDefault; }

    // Drop-down menu: the chosen command is posted as WM_COMMAND to hParentWnd.
    DWORD SetMenu(UINT nMenu, HWND hParentWnd, BOOL bWinXPStyle = TRUE, UINT nToolbarID = 0,
                  CSize sizeToolbarIcon = CSize(16, 16), COLORREF crToolbarBk = RGB(255, 0, 255),
                  BOOL bRepaint = TRUE);
    DWORD SetMenuNotify(HWND hWnd, UINT nMessage, LPARAM lParam);
    BCMenu& GetMenuPopup() { return m_menuPopup; }
    BOOL IsMenuDisplayed() const { return m_bMenuDisplayed; }

    // Tooltip
    DWORD EnableBalloonTooltip() { m_dwToolTipStyle |= TTS_BALLOON; return BTNST_OK; }
    void SetTooltipText(LPCTSTR lpszText, BOOL bActivate = TRUE);
    void SetTooltipText(int nText, BOOL bActivate = TRUE);
    void ActivateTooltip(BOOL bEnable = TRUE);
    CToolTipCtrl& GetToolTip() { return m_ToolTip; }

    BOOL IsHovered() const { return m_bMouseOnButton; }
    // The pictures the button draws: index 0 the normal one, 1 the one for
    // the pointer outside it; NULL where there is none.
    HICON GetIcon(int nIndex = 0) const { return nIndex == 0 || nIndex == 1 ? m_csIcons[nIndex].hIcon : NULL; }
    HBITMAP GetBitmap(int nIndex = 0) const
    {
        return nIndex == 0 || nIndex == 1 ? m_csBitmaps[nIndex].hBitmap : NULL;
    }

    // The web address is opened through this call; tests replace it so that
    // nothing is launched.
    typedef BOOL (WINAPI* PFNSHELLEXECUTEEX)(SHELLEXECUTEINFOA*);
    static PFNSHELLEXECUTEEX s_pfnShellExecuteEx;
    // Sounds play through this call; tests replace it to hear what is played.
    typedef BOOL (WINAPI* PFNPLAYSOUND)(LPCSTR, HMODULE, DWORD);
    static PFNPLAYSOUND s_pfnPlaySound;
    // The resource forms of SetIcon and SetBitmaps load their images through
    // this call; tests watch it to see every loaded image freed or kept.
    typedef HANDLE (WINAPI* PFNLOADIMAGE)(HINSTANCE, LPCSTR, UINT, int, int, UINT);
    static PFNLOADIMAGE s_pfnLoadImage;

    static COLORREF DarkenColor(COLORREF crColor, double dFactor);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual void PreSubclassWindow() override;

    virtual DWORD DrawBackground(CDC* pDC, CRect* pRect);
    virtual DWORD DrawBorder(CDC* pDC, CRect* pRect);
    virtual void DrawIconImage(CDC* pDC, BOOL bHasTitle, RECT* rpItem, CRect* rpCaption,
                               BOOL bIsPressed, BOOL bIsDisabled);
    virtual void DrawBitmapImage(CDC* pDC, BOOL bHasTitle, RECT* rpItem, CRect* rpCaption,
                                 BOOL bIsPressed, BOOL bIsDisabled);
    virtual void DrawCaptionText(CDC* pDC, const CString& sTitle, CRect* rpCaption,
                                 BOOL bIsPressed, BOOL bIsDisabled);

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysColorChange();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnCancelMode();
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnClicked();
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    struct STRUCT_ICONS { HICON hIcon; DWORD dwWidth; DWORD dwHeight; };
    struct STRUCT_BITMAPS { HBITMAP hBitmap; DWORD dwWidth; DWORD dwHeight; HBITMAP hMask; COLORREF crTransparent; };
    struct STRUCT_CALLBACK { HWND hWnd; UINT nMessage; LPARAM lParam; };
    struct STRUCT_SOUND { TCHAR szSound[MAX_PATH]; LPCTSTR lpszSound; HMODULE hMod; DWORD dwFlags; };

    void CancelHover();
    void Repaint(BOOL bRepaint);
    void PaintBk(CDC* pDC);
    void TakeBackground(HDC hdcFrom);
    void DropBackground();
    void InitTooltip();
    void FreeResources(BOOL bCheckForNULL = TRUE);
    void ReleaseImages() { FreeResources(); }
    void PrepareImageRect(BOOL bHasTitle, RECT* rpItem, CRect* rpTitle, BOOL bIsPressed,
                          DWORD dwWidth, DWORD dwHeight, CRect* rpImage);
    HBITMAP CreateBitmapMask(HBITMAP hSourceBitmap, DWORD dwWidth, DWORD dwHeight, COLORREF crTransColor);
    HICON CreateGrayscaleIcon(HICON hIcon);
    HICON CreateDarkerIcon(HICON hIcon);
    HBITMAP CreateGrayscaleBitmap(HBITMAP hBitmap, DWORD dwWidth, DWORD dwHeight, COLORREF crTrans);
    HBITMAP CreateDarkerBitmap(HBITMAP hBitmap, DWORD dwWidth, DWORD dwHeight, COLORREF crTrans);
    void PlaySlot(int nSlot);

public:
    BOOL m_bDrawDisabledBitmap;
    int m_nImageMarginX;
    int m_nImageMarginY;
    int m_nPressedOffsetX;
    int m_nPressedOffsetY;
    BOOL m_bIsFlat;
    BOOL m_bMouseOnButton;
    BOOL m_bDrawTransparent;
    BOOL m_bIsPressed;
    BOOL m_bIsFocused;
    BOOL m_bIsDisabled;
    BOOL m_bIsDefault;
    BOOL m_bIsCheckBox;
    BYTE m_byImageAlign;
    BOOL m_bDrawBorder;
    BOOL m_bDrawFlatFocus;
    COLORREF m_crColors[BTNST_MAX_COLORS];
    HWND m_hMenuNotifyTarget;
    BOOL m_bMenuDisplayed;
    BCMenu m_menuPopup;

protected:
    HCURSOR m_hCursor;
    CToolTipCtrl m_ToolTip;
    CDC m_dcBk;
    CBitmap m_bmpBk;
    CBitmap* m_pbmpOldBk;
    HGDIOBJ m_hOldBk;     // what m_dcBk held before m_bmpBk
    BOOL m_bAlwaysTrack;
    int m_nCheck;
    UINT m_nTypeStyle;
    DWORD m_dwToolTipStyle;
    TCHAR m_szURL[MAX_PATH];
    STRUCT_ICONS m_csIcons[2];
    STRUCT_BITMAPS m_csBitmaps[2];
    STRUCT_CALLBACK m_csMenuNotify;
    STRUCT_SOUND m_csSounds[2];
};
