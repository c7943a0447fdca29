// The toolkit's tool bar: a control bar over the common-controls tool bar,
// flat by default, that takes its button texts from the string table or the
// menu, draws drop-down arrows and its hot, selected and checked states in
// twelve colours of its own, draws its non-client area, gripper, separators
// and buttons through the current skin's tool bar element, can show a small
// icon at its start and can be dragged by any part of its surface to float
// or dock it.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>
#include <afxcoll.h>

#include "OXSHBDropSource.h"
#include "OXSHBDropTarget.h"
#include "OXToolbarSkin.h"

// A tool bar whose bar style always starts aligned to the top.
class CMFCToolBar : public CToolBar
{
    DECLARE_DYNAMIC(CMFCToolBar)
public:
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR) override;
};

// The main window's answer to this message decides whether a press on a
// bar's surface drags the bar by the bar's own loop (non-zero).
#define WM_QUERYSIZEDOCKDRAG (WM_USER + 92)

// Where button texts come from (SetButtonTextFromID).
enum
{
    OXTB_TEXT_PROMPT = 0,    // the command's string up to the first "\n"
    OXTB_TEXT_TOOLTIP = 1,   // the command's string after the first "\n"
    OXTB_TEXT_MENU = 2,      // the command's item text in the main menu
    OXTB_TEXT_BYHAND = 3,    // left as set
    OXTB_TEXT_NONE = 4,      // no text
};

// The four colour sets of a button state: a text, a background and a
// border colour each.
enum
{
    OXTB_COLOR_NORMAL = 0,
    OXTB_COLOR_HOT = 1,
    OXTB_COLOR_SELECTED = 2,
    OXTB_COLOR_CHECKED = 3,
};

class COXCoolToolBar;

// Updates a tool bar button at idle through the bar's control.
class COXCoolToolBarCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR) override {}
};

class COXCoolToolBar : public CMFCToolBar
{
    DECLARE_DYNAMIC(COXCoolToolBar)
public:
    COXCoolToolBar();
    ~COXCoolToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR) override;

    // ---- properties ----
    void SetCool(BOOL bCool) { m_bCool = bCool; }
    BOOL IsCool() const { return m_bCool; }
    void SetSeparator(BOOL bSeparator) { m_bSeparator = bSeparator; }
    BOOL IsSeparator() const { return m_bSeparator; }
    void SetDragAnywhere(BOOL bDragAnywhere) { m_bDragAnywhere = bDragAnywhere; }
    BOOL IsDragAnywhere() const { return m_bDragAnywhere; }
    void SetSecondButtonIndex(int nIndex) { m_nSecondButtonIndex = nIndex; }
    int GetSecondButtonIndex() const { return m_nSecondButtonIndex; }
    // A colour of a set (OXTB_COLOR_); CLR_DEFAULT leaves the skin's.
    void SetTextColor(COLORREF clr, int nSet = OXTB_COLOR_NORMAL) { m_clrText[nSet & 3] = clr; }
    void SetBkColor(COLORREF clr, int nSet = OXTB_COLOR_NORMAL) { m_clrBk[nSet & 3] = clr; }
    void SetBorderColor(COLORREF clr, int nSet = OXTB_COLOR_NORMAL) { m_clrBorder[nSet & 3] = clr; }
    COLORREF GetTextColor(int nSet = OXTB_COLOR_NORMAL) const { return m_clrText[nSet & 3]; }
    COLORREF GetBkColor(int nSet = OXTB_COLOR_NORMAL) const { return m_clrBk[nSet & 3]; }
    COLORREF GetBorderColor(int nSet = OXTB_COLOR_NORMAL) const { return m_clrBorder[nSet & 3]; }
    void SetTextType(int nTextType) { SetButtonTextFromID(0, 0xFFFF, nTextType); }
    int GetTextType() const { return m_nTextType; }
    void SetIcon(HICON hIcon) { m_hIcon = hIcon; }
    HICON GetIcon() const { return m_hIcon; }
    int GetDropDownArrowWidth() const { return m_nDropDownArrowWidth; }
    // The command of the button whose drop-down arrow was pressed last, -1
    // when none; the skin clears it when it draws that button.
    int GetDroppedButton() const { return m_nDropDownButton; }
    void SetDroppedButton(int nCommand) { m_nDropDownButton = nCommand; }
    int GetIndent() const { return m_nIndent; }
    BOOL SetIndent(int nIndent);
    BOOL SetButtonsMinMaxWidth(int nMinWidth, int nMaxWidth);
    void GetButtonsMinMaxWidth(int& nMinWidth, int& nMaxWidth) const
    {
        nMinWidth = m_nMinButtonWidth;
        nMaxWidth = m_nMaxButtonWidth;
    }
    BOOL SetMaxTextRows(int nRows);
    void SetDropDownArrow(BOOL bDropDownArrow);
    BOOL IsDropDownArrow() const;
    BOOL IsFlat() const { return (GetStyle() & TBSTYLE_FLAT) != 0; }
    BOOL IsList() const { return (GetStyle() & TBSTYLE_LIST) != 0; }
    BOOL IsGripper() const { return (m_dwStyle & CBRS_GRIPPER) != 0; }

    // ---- buttons ----
    void SetInsertMark(int nButton, DWORD dwFlags = 0);
    int HitTest(CPoint point) const;
    BOOL MoveButton(UINT nOldPos, UINT nNewPos);
    // The text after the first "\n" of the button's command string.
    CString GetButtonTooltip(int nIndex) const;
    // Sets the text type (any other than 0-4 becomes 4) and gives every
    // button whose command lies in [nFrom, nTo] its text of that type.
    void SetButtonTextFromID(UINT nFrom, UINT nTo, int nTextType);
    // Lets the control's button size and the bar's image size agree again.
    void UpdateSizes();
    // Redraws after a change: a new layout of the docking frame, the frame
    // of the bar, or only the bar.
    void RedrawToolBar(BOOL bRecalcLayout = TRUE, BOOL bRecalcNC = TRUE);

    // ---- resources, cached for the bar's life ----
    HBITMAP LoadBitmap(LPCTSTR lpszResourceName);
    HIMAGELIST LoadImageList(LPCTSTR lpszResourceName, int cx, int nGrow, COLORREF crMask,
                             UINT uType = IMAGE_BITMAP, UINT uFlags = LR_DEFAULTCOLOR);
    HIMAGELIST CreateImageList(LPCTSTR lpszResourceName, int cx, COLORREF crMask, UINT uFlags = ILC_COLOR24 | ILC_MASK,
                               int nInitial = 0, int nGrow = 1);

    // ---- docking ----
    void EnableDocking(DWORD dwDockStyle);
    void DockInto(CDockBar* pDockBar);
    // Starts the own drag from a caption at point (the bar's coordinates
    // from the floating frame's window origin); the caller then captures the
    // mouse for the bar and sets m_bDragging.
    void BeginCaptionDrag(CPoint point);
    BOOL m_bDragging;   // the bar is being dragged by its own loop

    // The skin element the bar draws through: the current skin's, else the
    // bar's own Classic one.
    COXToolbarSkin* GetToolbarSkin();

    // ---- rules free of windows ----
    // The text type-nTextType text of a command whose string resource is
    // strResource (bHasString FALSE when it has none) and whose main-menu
    // item text is strMenu (bInMenu FALSE when there is none).
    static CString ButtonTextFor(int nTextType, const CString& strResource, BOOL bHasString,
                                 const CString& strMenu, BOOL bInMenu);
    // The text types stored: 0-4, anything else 4.
    static int NormalizeTextType(int nTextType) { return nTextType >= 0 && nTextType <= 4 ? nTextType : 4; }
    // The width a button takes in the layout.
    struct WidthRule
    {
        int cxButton;          // the bar's button width
        int cxArrow;           // the drop-down arrow's width
        BOOL bDropDownArrows;  // arrows are drawn
        BOOL bFlat;            // TBSTYLE_FLAT
        BOOL bComCtl471;       // common controls 4.71 or later
    };
    static int ButtonWidth(const TBBUTTON& button, const WidthRule& rule, int cxItemRect);
    // The height a separator ending a wrapped row adds below it.
    static int WrappedSeparatorHeight(const TBBUTTON& button, const WidthRule& rule);
    // The size of an empty bar from one button's size.
    static CSize EmptyBarSize(CSize sizeButton, BOOL bFloating, BOOL bHorz);
    // The common-controls version, major << 16 | minor (0x00040000 when it
    // cannot be read), read once.
    static DWORD GetComCtlVersion();
    static BOOL IsComCtl471() { return GetComCtlVersion() >= 0x00040047; }
    // Forgets the version read, so that the next bar reads it again (tests
    // give it another through SetComCtlVersionOverride).
    static void ResetComCtlVersion() { s_dwComCtlVersion = 0; }

    // ---- overrides ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;

    CSize CalcLayout(DWORD dwMode, int nLength = -1) override;
    CSize CalcSize(TBBUTTON* pData, int nCount) override;
    int WrapToolBar(TBBUTTON* pData, int nCount, int nWidth) override;
    int GetLayoutWidth(int nIndex, const TBBUTTON& button, CSize sizeButton) override;
    int GetWrappedSeparatorHeight(const TBBUTTON& button) override;
    void DrawGripper(CDC* pDC, const CRect& rect) override;
    virtual void DrawSeparator(CDC* pDC, CRect& rect);
    virtual void DrawIcon(CDC* pDC, CRect& rect);
    virtual void DrawDragRect(CDC* pDC, const CRect& rect);
    virtual void GetBorderMargins(CRect& rect, BOOL bHorz) { (void)rect, (void)bHorz; }
    virtual void DrawNonClientExtra(CDC* pDC, CRect& rect) { (void)pDC, (void)rect; }
    virtual void OnFloatingDocking(BOOL bFloating);
    virtual void OnChangeDockSide(DWORD dwDockSide);
    virtual void DrawNonClientBackground();
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;

protected:
    // The widths of the layout: rule and per-button width of this bar.
    WidthRule CurrentWidthRule();
    // The window rectangle in window coordinates.
    CRect WindowRectAtOrigin() const;
    BOOL IsInsideTool(CPoint point) const;
    // One step of the own drag: the bar floats (or docks) at the point.
    void DragTo(CPoint ptScreen);
    void EndDrag();
    // Dispatches the paints that are due, so the bar's trail is repainted
    // while it moves; FALSE when a WM_QUIT came, which is posted again.
    static BOOL PumpPaints();
    CFrameWnd* GetNotifyFrame();

    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnToolbarChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

public:
    int m_nDropDownArrowWidth;
    int m_nTextType;
    BOOL m_bCool;
    BOOL m_bSeparator;
    BOOL m_bDropDownArrow;
    int m_nIndent;
    int m_nMinButtonWidth, m_nMaxButtonWidth;
    COLORREF m_clrText[4];
    COLORREF m_clrBk[4];
    COLORREF m_clrBorder[4];
    int m_nLastFloating;      // 3 until the first position change
    DWORD m_dwLastDockSide;
    HICON m_hIcon;
    int m_nCustomizedButton;
    BOOL m_bCustomizable;
    BOOL m_bCustomizationMode;
    HWND m_hNotifyWnd;
    COXSHBDropSource m_dropSource;
    COXSHBDropTarget m_dropTarget;
    int m_nSecondButtonIndex;
    CPoint m_ptDragOffset;    // the press from the bar's top left corner
    CMapStringToPtr m_mapBitmaps;
    CMapStringToPtr m_mapImageLists;
    BOOL m_bInternalChange;
    BOOL m_bInRecalcLayout;
    UINT m_nDeferredUpdate;   // bit 0 re-lay-out, bit 1 re-place the controls
    BOOL m_bDragAnywhere;
    int m_nDropDownButton, m_nDropDownButtonCopy;

protected:
    COXToolbarSkin* m_pSkin;  // the bar's own Classic skin, owned

    static DWORD s_dwComCtlVersion;
};
