// PPToolTip.h - CPPToolTip: a pop-up window that shows rich tips for the tools of
// its parent window, with show, auto-hide and fade timers.
#pragma once

#include <afxwin.h>
#include <map>
#include <vector>
#include "PPHtmlDrawer.h"

// One tool: a rectangle of a window (empty = the whole window) and its tip.
struct TooltipTool
{
    int nIDTool;            // free for the caller (tool-bar buttons: the command id)
    RECT rectBounds;        // tool window client coordinates
    CString sTooltip;       // the tip's text
    int nMask;              // which optional fields the tool sets itself (PPTOOLTIP_MASK_*)
    int nOption;
    int nDirection;
    int nEffect;
    int nBehaviour;         // PPTOOLTIP_* behaviour bits
    BYTE nGranularity;
    BYTE nTransparency;     // percent, 0 opaque
    COLORREF crBegin, crMid, crEnd;

    TooltipTool()
        : nIDTool(0), nMask(0), nOption(0), nDirection(0), nEffect(0), nBehaviour(0),
          nGranularity(0), nTransparency(0), crBegin(0), crMid(0), crEnd(0)
    { ::SetRectEmpty(&rectBounds); }
};

// Sent with WM_NOTIFY to the notify window before a tip is shown; the receiver
// may change the tool (an empty text cancels the tip).
struct TooltipDisplayNotify
{
    NMHDR hdr;
    HWND hwndTool;
    LPPOINT pt;             // cursor, screen coordinates
    TooltipTool* ti;
};

#define UDM_TOOLTIP_DISPLAY         (WM_USER + 100)
#define UDM_TOOLTIP_REPAINT         (WM_USER + 101)

// Mask bits of TooltipTool::nMask.
#define PPTOOLTIP_MASK_OPTION       0x01
#define PPTOOLTIP_MASK_EFFECT       0x02
#define PPTOOLTIP_MASK_COLORS       0x04
#define PPTOOLTIP_MASK_DIRECTION    0x08
#define PPTOOLTIP_MASK_BEHAVIOUR    0x10
#define PPTOOLTIP_MASK_TRANSPARENCY 0x20

// Behaviour bits.
#define PPTOOLTIP_MULTIPLE_SHOW     0x01    // show again after a move inside the shown tool
#define PPTOOLTIP_TRACKING_MOUSE    0x02    // the tip follows the mouse
#define PPTOOLTIP_CLOSE_LEAVEWND    0x04    // moves inside the tool keep the tip
#define PPTOOLTIP_NOCLOSE_OVER      0x08    // kept while the cursor is over the tip
#define PPTOOLTIP_DISABLE_AUTOPOP   0x10    // never hidden by the auto-hide timer

// Delay types of SetDelayTime / GetDelayTime.
#define PPTOOLTIP_TIME_AUTOPOP      2
#define PPTOOLTIP_TIME_INITIAL      3
#define PPTOOLTIP_TIME_FADEIN       4
#define PPTOOLTIP_TIME_FADEOUT      5

// Show states (m_nTooltipState) and show modes (m_nTooltipType, m_nNextTooltipType).
#define PPTOOLTIP_STATE_HIDEN       0
#define PPTOOLTIP_STATE_APPEARING   1
#define PPTOOLTIP_STATE_SHOWING     2
#define PPTOOLTIP_STATE_DISAPPEARING 3
#define PPTOOLTIP_SHOW_TOOL         0
#define PPTOOLTIP_SHOW_AT_POINT     1
#define PPTOOLTIP_SHOW_MENU         2

// Menu-tip placement bits (SetMenuTipPlacement).
#define PPTOOLTIP_MENU_RIGHT        0x01    // beside the item's right edge
#define PPTOOLTIP_MENU_CENTER       0x02    // at the item's horizontal middle
#define PPTOOLTIP_MENU_BOTTOM       0x10    // below the item
#define PPTOOLTIP_MENU_VCENTER      0x20    // at the item's vertical middle

// Indices of SetSize / GetSize.
#define PPTTSZ_ROUNDED_CX           0
#define PPTTSZ_ROUNDED_CY           1
#define PPTTSZ_MARGIN_CX            2
#define PPTTSZ_MARGIN_CY            3
#define PPTTSZ_WIDTH_ANCHOR         4
#define PPTTSZ_HEIGHT_ANCHOR        5
#define PPTTSZ_MARGIN_ANCHOR        6

// Directions: side x 16 + alignment. Sides: the stem leaves the body's top (the
// tip lies below the point), bottom, left or right edge; alignment: the stem
// near the start or the end of that edge, or centred.
#define PPTOOLTIP_TOP_SIDE          0
#define PPTOOLTIP_BOTTOM_SIDE       1
#define PPTOOLTIP_LEFT_SIDE         2
#define PPTOOLTIP_RIGHT_SIDE        3
#define PPTOOLTIP_ALIGN_START       0
#define PPTOOLTIP_ALIGN_END         1
#define PPTOOLTIP_ALIGN_CENTER      2

class CPPToolTip : public CWnd
{
public:
    CPPToolTip();
    virtual ~CPPToolTip();

    BOOL Create(CWnd* pParentWnd, BOOL bBalloon = TRUE);
    virtual BOOL DestroyWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Tools.
    void SetTool(CWnd* pWnd, TooltipTool& ti);
    void AddTool(CWnd* pWnd, LPCTSTR lpszString, LPCRECT lpRect = NULL, int nIDTool = 0);
    void AddTool(CWnd* pWnd, LPCTSTR lpszString, const RECT& rect, int nIDTool = 0) { AddTool(pWnd, lpszString, &rect, nIDTool); }
    void AddToolFromString(CWnd* pWnd, UINT nIdText, LPCRECT lpRect = NULL, int nIDTool = 0);
    void AddToolWithIcon(CWnd* pWnd, LPCTSTR lpszString, HICON hIcon, LPCRECT lpRect = NULL, int nIDTool = 0);
    void AddToolWithResourceIcon(CWnd* pWnd, LPCTSTR lpszString, UINT nIdIcon, CSize szIcon,
                                 LPCRECT lpRect = NULL, int nIDTool = 0);
    void AddToolFromStringWithIcon(CWnd* pWnd, UINT nIdText, HICON hIcon, LPCRECT lpRect = NULL, int nIDTool = 0);
    void AddToolFromStringWithResourceIcon(CWnd* pWnd, UINT nIdText, UINT nIdIcon, CSize szIcon,
                                           LPCRECT lpRect = NULL, int nIDTool = 0);
    void RemoveTool(CWnd* pWnd, LPCRECT lpRect = NULL);
    void RemoveAllTools();
    void AddToolBar(CWnd* pBar);
    BOOL FindTool(CPoint point, HWND& hwndTool, TooltipTool& ti);

    // Showing and hiding.
    LRESULT RelayEvent(MSG* pMsg);
    void ShowTool(HWND hwndTool, const TooltipTool& ti, BOOL bUseDelay, int nMode);
    void ShowAtPoint(CPoint pt, const TooltipTool& ti);
    void ShowTextAtPoint(CPoint pt, LPCTSTR lpszText, HICON hIcon = NULL);
    void ShowTextAtPoint(CPoint pt, UINT nIdText, HICON hIcon = NULL);
    void ShowTextWithResourceIcon(CPoint pt, LPCTSTR lpszText, UINT nIdIcon, CSize szIcon);
    void ShowTextWithResourceIcon(CPoint pt, UINT nIdText, UINT nIdIcon, CSize szIcon);
    void HideTooltip();
    void HideNow();
    void RestartAutoPop();
    void KillTooltipTimer(UINT_PTR nIDTimer = 0);
    // Moves the shown tip by an offset (screen pixels).
    void MoveTipBy(CPoint offset);
    BOOL IsCursorOverTip() const;

    // Menu-item tips: the owner passes WM_MENUSELECT and WM_ENTERIDLE.
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSubMenu);
    void OnEnterIdle(UINT nWhy, HWND hWho);
    void SetMenuTipPlacement(int nPlacement) { m_nMenuPlacement = nPlacement; }

    // Settings: each applies to the next tip shown.
    void SetNotifyWindow(HWND hwnd) { m_hNotifyWnd = hwnd; }
    void EnableNotify(BOOL bEnable = TRUE) { m_hNotifyWnd = bEnable ? m_hParentWnd : NULL; }
    BOOL IsNotifyEnabled() const { return m_hNotifyWnd != NULL; }
    void EnableRedrawRequests(BOOL bEnable = TRUE) { m_bRedrawRequests = bEnable; }
    void EnableDebugMode(BOOL bDebug = TRUE) { m_bDebugMode = bDebug; }
    void SetDelayTime(DWORD dwType, DWORD dwTime);
    DWORD GetDelayTime(DWORD dwType) const;
    void SetColors(COLORREF cr1, COLORREF cr2, COLORREF cr3) { m_crBegin = cr1; m_crMid = cr2; m_crEnd = cr3; }
    void SetColor(COLORREF cr) { SetColors(cr, cr, cr); }
    void SetTwoColors(COLORREF crFirst, COLORREF crSecond) { SetColors(crFirst, crFirst, crSecond); }
    void SetEffect(int nEffect, BYTE nGranularity = 0) { m_nEffect = nEffect; m_nGranularity = nGranularity; }
    void SetBehaviour(int nBehaviour) { m_nBehaviour = nBehaviour; }
    int GetBehaviour() const { return m_nBehaviour; }
    void SetDirection(int nDirection) { m_nDirection = nDirection; }
    int GetDirection() const { return m_nDirection; }
    void SetTransparency(BYTE nTransparency);
    void SetSize(int nIndex, int nValue);
    int GetSize(int nIndex) const;
    void SetDefaultSizes(BOOL bBalloon = TRUE);

    // Border and shadow of the tip.
    void SetBorder(HBRUSH hBrush, int nWidth = 1, int nHeight = 1);
    void SetBorderColor(COLORREF color, int nWidth = 1, int nHeight = 1);
    void RemoveBorder() { SetBorder(NULL, 0, 0); }
    void SetShadow(int nOffsetX, int nOffsetY, BYTE nDarkenPercent = 50, BOOL bGradient = TRUE,
                   int nDepthX = 7, int nDepthY = 7);

    // The drawer behind the tips.
    void SetStyleSheet(LPCTSTR lpszCss) { m_drawer.SetCssStyles(lpszCss); }
    LPCTSTR GetStyleSheet() const { return m_drawer.GetCssStyles(); }
    void SetLinkCallback(HWND hWnd, UINT nMessage, LPARAM lParam = 0) { m_drawer.SetLinkCallback(hWnd, nMessage, lParam); }
    void SetImageList(HBITMAP hBitmap, int cx, int cy, int nCount, COLORREF crMask = RGB(255, 0, 255))
    { m_drawer.SetImageList(hBitmap, cx, cy, nCount, crMask); }
    void SetImageListFromResource(UINT nIdBitmap, int cx, int cy, int nCount, COLORREF crMask = RGB(255, 0, 255))
    { m_drawer.SetImageListFromResource(nIdBitmap, cx, cy, nCount, crMask); }
    void SetImageShadow(int nOffsetX, int nOffsetY, BYTE nDarkenPercent = 50, BOOL bGradient = TRUE,
                        int nDepthX = 7, int nDepthY = 7)
    { m_drawer.SetImageShadow(nOffsetX, nOffsetY, nDarkenPercent, bGradient, nDepthX, nDepthY); }
    void SetKeepLineBreaks(BOOL bKeep = TRUE) { m_drawer.EnableEscapeSequences(bKeep); }
    CPPHtmlDrawer* GetHtmlDrawer() { return &m_drawer; }

    // The diagnostic text shown in debug mode for a point of the parent.
    CString BuildWindowInfoText(CPoint point);
    static CString EscapeDebugText(const CString& s);

    // Show state and shown mode (PPTOOLTIP_STATE_*, PPTOOLTIP_SHOW_*); the owner
    // reads them while a menu is open.
    int m_nTooltipState;
    int m_nTooltipType;

protected:
    enum { kSizeCount = 9 };
    enum { kTimerShow = 256, kTimerHide = 257, kTimerFadeIn = 258, kTimerFadeOut = 259 };

    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg LRESULT OnDrawerRedraw(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    virtual void DrawBorder(HDC hdc, HRGN hrgn);
    // Fills the anchor and the window rectangle; moves the body and text
    // rectangles off the stem. Returns the direction used.
    int PlaceTip(int nDirection, CPoint point, CPoint& anchor, CRect& rcBody, CRect& rcWindow, CRect& rcText);
    HRGN MakeTipRegion(int nDirection, int ax, int ay, int width, int height) const;

    BOOL FindToolInWindow(HWND hwnd, CPoint point, TooltipTool& ti);
    BOOL FindToolBarButton(CPoint ptScreen, HWND& hwndBar, TooltipTool& ti);
    HWND ChildWindowFromPoint(CPoint point, BOOL bDisabled) const;
    void ApplyDefaults(TooltipTool& ti) const;
    BOOL NotifyDisplay(TooltipTool& ti);
    void PrepareTip(CPoint pt);
    void DrawTip(HDC hdc, int nTransparency);
    void FreeTipResources();
    void OnShowTimer();
    void OnHideTimer();
    void OnFadeInTimer();
    void OnFadeOutTimer();

    // The text engine behind the tip.
    CSize MeasureTipText(HDC hdc, const CString& sText);
    void DrawTipText(HDC hdc, const CString& sText, const RECT& rcText);
    static CString IconTipText(LPCTSTR lpszText, HICON hIcon);
    static CString ResourceIconTipText(LPCTSTR lpszText, UINT nIdIcon, CSize szIcon);

    CPPHtmlDrawer m_drawer;
    HWND m_hParentWnd;
    HWND m_hNotifyWnd;
    BOOL m_bRedrawRequests;
    BOOL m_bDebugMode;
    CPoint m_ptLast;

    HWND m_hwndDisplayedTool;
    TooltipTool m_tiDisplayed;
    BOOL m_bDelayNextTool;
    BOOL m_bNextToolExist;
    HWND m_hwndNextTool;
    int m_nNextTooltipType;
    TooltipTool m_tiNextTool;

    CRect m_rcTipText;
    CRect m_rcTipBody;
    CRect m_rcTipWindow;        // tip coordinates: body, stem and shadow
    int m_nResolvedDirection;
    HBITMAP m_hbmBackground;
    HBITMAP m_hbmScreen;        // what lay under the tip when it appeared
    HRGN m_hrgnTip;             // body and stem
    HBRUSH m_hbrBorder;
    int m_nBorderWidth, m_nBorderHeight;
    BOOL m_bShadowBlurred;
    int m_nShadowDx, m_nShadowDy, m_nShadowBlurX, m_nShadowBlurY;
    BYTE m_nShadowDarkness;
    int m_nTransparency;
    int m_nMenuPlacement;

    COLORREF m_crBegin, m_crMid, m_crEnd;
    DWORD m_dwTimeAutoPop;
    DWORD m_dwTimeInitial;
    DWORD m_dwTimeFadeIn;
    DWORD m_dwTimeFadeOut;
    int m_nBehaviour;
    int m_nEffect;
    int m_nDirection;
    int m_nOption;
    BYTE m_nGranularity;
    BYTE m_nTransparencyDefault;
    BOOL m_bFadeInEnabled;
    BOOL m_bFadeOutEnabled;
    int m_nSizes[kSizeCount];

    std::map<HWND, std::vector<TooltipTool> > m_Tools;
    std::vector<HWND> m_ToolBars;
};
