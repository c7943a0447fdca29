// COXPopupBarCtrl - a small pop-up that offers a grid of cells (each standing
// for a 32-bit value), an optional default button above the grid, an optional
// custom button below it and an optional tear-off bar at the top.
//
// Pick shows it beside its owner, takes the capture and runs its own message
// loop until a choice, Escape, a click elsewhere (which is then handed on to
// the window clicked) or a tear-off; a torn-off bar stays open as a small
// floating tool window and reports picks to its owner by message. Derived
// classes draw the cells.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

// Popup style bits
#define OXPB_NOTOOLTIPS         0x0001
#define OXPB_NODEFAULT          0x0002
#define OXPB_NOCUSTOM           0x0004
#define OXPB_NOTEAROFF          0x0010

// Sent (posted) to the owner by a floating bar after a pick: wParam 0,
// lParam the bar's window.
#define WM_OXPB_FLOATPICKED     0x8096

// The messages a bar posts to itself to end its loop, registered at start-up.
extern const UINT WM_OXPB_OK;
extern const UINT WM_OXPB_CANCEL;
extern const UINT WM_OXPB_CUSTOMBUTTON;
extern const UINT WM_OXPB_TEAROFF;

struct OXPB_TEXTID {
    DWORD dwValue;
    UINT nTextID;
};
struct OXPB_TEXT {
    DWORD dwValue;
    LPCTSTR lpszText;
};

class COXPopupBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(COXPopupBarCtrl)
public:
    enum { ITEM_NONE = -1, ITEM_DEFAULT = 0 };
    enum { END_NONE = 0, END_OK = 1, END_CANCEL = 2, END_CUSTOM = 3, END_TEAROFF = 4 };
    enum { HOVER_TIMER = 243 };

    COXPopupBarCtrl(UINT nButtons, UINT nRows, DWORD dwDefault, int cxCell, int cyCell, UINT nIDDefaultText,
                    UINT nIDCustomText);
    COXPopupBarCtrl(UINT nButtons, UINT nRows, DWORD dwDefault, int cxCell, int cyCell, LPCTSTR lpszDefaultText,
                    LPCTSTR lpszCustomText);
    virtual ~COXPopupBarCtrl();

    virtual BOOL Create(CWnd* pOwner, DWORD dwPopupStyle = 0, HBRUSH hbrBackground = NULL);

    // ---- values ----
    BOOL SetCellValues(const CArray<DWORD, DWORD>& arrValues);
    BOOL SetCellValues(const DWORD* pValues, int nCount);
    BOOL AddCellValues(const DWORD* pValues, int nCount);
    int GetCellValueCount() const { return (int)m_arrData.GetSize(); }
    DWORD GetCellValue(int nIndex) const { return m_arrData[nIndex]; }
    BOOL SetToolTipTexts(const OXPB_TEXTID* pTexts, int nCount);
    BOOL SetToolTipTexts(const OXPB_TEXT* pTexts, int nCount);
    BOOL SetToolTipTexts(const CMap<DWORD, DWORD, CString, CString&>& mapTexts);
    BOOL GetToolTipText(DWORD dwValue, CString& strText) const { return m_mapToolTips.Lookup(dwValue, strText); }
    int GetToolTipTextCount() const { return (int)m_mapToolTips.GetCount(); }
    void SetFont(CFont* pFont);
    DWORD GetSelectedValue() const { return m_dwSelected; }
    void SetSelectedValue(DWORD dwValue) { m_dwSelected = dwValue; }
    DWORD GetDefaultValue() const { return m_dwDefault; }
    void SetDefaultValue(DWORD dwValue) { m_dwDefault = dwValue; }
    void SetPalette(CPalette* pPalette);
    CWnd* GetOwnerWnd() const { return m_pOwner; }
    BOOL IsFloating() const { return m_bFloating; }
    int GetHotItem() const { return m_nHotItem; }
    int GetSelectedItem() const { return m_nSelectedItem; }
    int GetEndReason() const { return m_nEndReason; }
    int GetButtonCount() const { return m_nButtons; }
    int GetColumnCount() const { return (m_nButtons + m_nRows - 1) / m_nRows; }
    DWORD GetPopupStyle() const { return m_dwPopupStyle; }
    CRect GetDefaultButtonRect() const { return m_rectDefaultButton; }
    CRect GetCustomButtonRect() const { return m_rectCustomButton; }
    CRect GetTearOffRect() const { return m_rectTearOff; }
    CRect GetCellRect(int nCell) const;      // cell 1..n
    CRect GetWindowLayoutRect() const { return m_rectWindow; }
    CToolTipCtrl* GetToolTipCtrl() { return &m_toolTip; }

    int HitTest(CPoint ptClient) const;
    void InvalidateItem(int nIndex);
    int ValueToIndex(DWORD dwValue) const;

    // ---- rules without a window (tested as tables) ----
    // Lays the bar out (window, buttons, tear-off bar, cells) with the given
    // heights of the default and custom captions.
    void CalculateLayout(int cyDefaultText, int cyCustomText);
    // Where a bar of the given size goes for an alignment code beside the
    // rect P inside a work area of the given size; FALSE when it does not fit.
    static BOOL PlaceBar(UINT nAlignment, const CRect& rectParent, int dx, int dy, CSize size, CSize sizeWork,
                         CPoint& ptTopLeft);
    // The hot item after a navigation key (VK_TAB, the arrows).
    static int NavigateKey(UINT nKey, BOOL bShift, int nHot, int nCells, int nColumns, BOOL bDefault,
                           BOOL bCustom);

    // ---- virtual operations ----
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual BOOL Pick(UINT nAlignment = 3, CRect* pParentRect = NULL, int nOffsetHorz = 0, int nOffsetVert = 0);
    virtual void DrawBackground(CDC* pDC);
    virtual void DrawCell(CDC* pDC, int nIndex);
    virtual void DrawTearOffBar(CDC* pDC);
    virtual void DrawDefaultButton(CDC* pDC);
    virtual void DrawCustomButton(CDC* pDC);
    virtual void DrawItemFrame(CDC* pDC, CRect& rect, int nIndex);
    virtual void OnButtonDown(CPoint point);
    virtual void OnButtonUp(CPoint point);
    virtual BOOL OnCustomButton() { return FALSE; }
    virtual void SetHotItem(int nIndex);
    virtual void SetSelectedItem(int nIndex);

protected:
    BOOL IsDefaultShown() const { return !(m_dwPopupStyle & OXPB_NODEFAULT); }
    BOOL IsCustomShown() const { return !(m_dwPopupStyle & OXPB_NOCUSTOM); }
    BOOL IsTearOffShown() const { return !(m_dwPopupStyle & OXPB_NOTEAROFF) && !m_bFloating; }
    BOOL ComputeLayout();
    BOOL SetupToolTips();
    void EndPick(UINT nMessage);
    void ChooseItem(int nIndex);
    void HandleKeyDown(UINT nChar);
    void HandleKeyUp(UINT nChar);
    void TearOff();
    BOOL CreateBarWindow();
    void ForwardPendingClick(const MSG& msg);
    void DrawCaption(CDC* pDC, const CString& text, CRect rect);
    void DrawTearOffFrame(CDC* pDC, const CRect& rect, const CRect* pLast);
    BOOL IsOwnerInFront() const;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

protected:
    CArray<DWORD, DWORD> m_arrData;
    int m_nButtons;
    int m_nRows;
    DWORD m_dwPopupStyle;
    CMap<DWORD, DWORD, CString, CString&> m_mapToolTips;
    CToolTipCtrl m_toolTip;
    DWORD m_dwSelected;
    DWORD m_dwDefault;
    int m_nCellWidth;
    int m_nCellHeight;
    CString m_sDefaultText;
    CString m_sCustomText;
    CString m_sTearOffText;
    CString m_sWindowTitle;
    CFont m_font;
    CWnd* m_pOwner;
    CPalette m_palette;
    UINT_PTR m_nTimerID;
    BOOL m_bPointerMoved;
    CPoint m_ptLastMouse;
    HBRUSH m_hbrBackground;
public:
    CRect m_rectMargins;             // left, top, right, bottom
    CRect m_rectCellSpacing;
    CRect m_rectDefaultSpacing;
    CRect m_rectCustomSpacing;
    CRect m_rectTearOffSpacing;
protected:
    int m_nSelectedItem;
    int m_nHotItem;
    CRect m_rectWindow;
    CRect m_rectDefaultButton;
    CRect m_rectCustomButton;
    CRect m_rectTearOff;
    CArray<CRect, CRect&> m_arrCellRects;
    BOOL m_bButtonDown;
    BOOL m_bTearOffArmed;
    BOOL m_bFloating;
    int m_nEndReason;
};
