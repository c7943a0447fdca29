// COXToolTipCtrl - the toolkit's own tooltip window.
//
// A plain pop-up (not the common-controls tooltip) that keeps its own list of
// tools, shows a tip after the initial delay and hides it after the auto-pop
// delay, and measures and paints the tip itself. A tip text may carry one
// carriage return: the short text stands before it, an extended text after
// it, and a click on the tip switches between the two (an arrow mark shows
// that there is another part).
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class COXToolTipInfo : public CObject
{
public:
    UINT m_nFlags = 0;          // kept for the caller, not interpreted
    HWND m_hWnd = NULL;         // the tool's window
    UINT m_nID = 0;             // the tool's id within its window
    CRect m_rect;               // in the tooltip owner's client coordinates
    int m_nTextType = 0;        // -1 the owner is asked each time, 0 own text
    CString m_strText;
    int m_nMaxWidth = 0;
    COLORREF m_crTextColor = 0;
    COLORREF m_crBkColor = 0;
    LPARAM m_lParam = 0;
};

// A tool's settings read or replaced in one record; laid out as TOOLINFO up
// to lParam.
struct OXTOOLTIPDATA
{
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;             // LPSTR_TEXTCALLBACK: ask the owner
    LPARAM lParam;
    int nMaxWidth;
    COLORREF clrTextColor;
    COLORREF clrBkColor;
};

class COXToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(COXToolTipCtrl)
public:
    COXToolTipCtrl();
    virtual ~COXToolTipCtrl();

    BOOL Create(CWnd* pParentWnd);

    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRect = NULL, UINT nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRect = NULL, UINT nIDTool = 0);
    void RemoveTool(CWnd* pWnd, UINT nIDTool = 0);
    BOOL SetToolRect(CWnd* pWnd, LPCRECT lpRect, UINT nIDTool = 0);
    COXToolTipInfo* FindTool(CWnd* pWnd, UINT nIDTool = 0);
    BOOL GetToolData(OXTOOLTIPDATA* pData, CWnd* pWnd, UINT nIDTool = 0);
    void SetToolData(const OXTOOLTIPDATA* pData);
    void GetText(CString& str, CWnd* pWnd, UINT nIDTool = 0);
    int GetToolCount() const { return (int)m_arrTools.GetSize(); }

    int SetMaxTipWidth(int nWidth);
    int GetMaxTipWidth() const { return m_nMaxWidth; }
    void SetTipBkColor(COLORREF clr);
    void SetTipTextColor(COLORREF clr);
    COLORREF GetTipBkColor() const { return m_crBkColor; }
    COLORREF GetTipTextColor() const { return m_crTextColor; }
    void GetMargin(LPRECT lpRect) const { *lpRect = m_rectMargin; }
    void SetDelayTime(DWORD dwType, int nTime);
    int GetDelayTime(DWORD dwType) const;
    BOOL SetLogFont(const LOGFONT* plf, BOOL bRedraw = TRUE);
    static LOGFONT* GetSystemTipFont();

    void RelayEvent(MSG* pMsg);
    CString GetTipText(COXToolTipInfo* pTool);

    // The tip's state, for its owner and for tests.
    COXToolTipInfo* GetCurrentTool() const { return m_pCurrentTool; }
    BOOL IsTipHidden() const { return m_bHidden; }
    BOOL IsExtendedMode() const { return m_bExtendedMode; }
    BOOL HasExtendedText() const { return m_bHasExtendedText; }
    void SetOffset(CPoint pt) { m_ptOffset = pt; }
    void Activate(BOOL bActive) { m_bActive = bActive; if (!bActive) HideTip(); }

    static CString GetFieldFromString(CString str, int nIndex, TCHAR chSep);
    // The text shown for a raw tip text: the short part followed by two blanks,
    // or two blanks followed by the extended part; a text without a carriage
    // return as it is. *pbHasExtended tells whether the text had one.
    static CString ShownText(const CString& strRaw, BOOL bExtended, BOOL* pbHasExtended);
    // Places a tip of rectSize with its top-left at pt inside the monitor rect:
    // shifted left, then right to stay on it horizontally; one that would pass
    // the monitor's bottom goes above the tool window (its bottom at toolTop).
    static CRect PlaceTipRect(CPoint pt, const CRect& rectSize, const CRect& rectMonitor, int toolTop);

    virtual CRect AdjustTipRect(CPoint& pt, COXToolTipInfo* pTool, const CRect& rectSize);
    virtual CRect CalculateTipSize(CString strText, int nMaxWidth);

protected:
    void DisplayTip(CPoint pt, BOOL bExtended);
    void TrackTool(COXToolTipInfo* pTool);
    void HideTip();
    COXToolTipInfo* ToolFromPoint(CPoint pt);
    BOOL IsCursorOverTip() const;
    CRect ToolRectInOwner(CWnd* pWnd, LPCRECT lpRect) const;

    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnDestroy();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

public:
    CWnd* m_pParentWnd;
    CRect m_rectMargin;
    int m_nMaxWidth;
    CPoint m_ptOffset;
    CFont m_font;
    LOGFONT m_lf;
    UINT m_nDrawFlags;
    BOOL m_bSystemFont;
    COXToolTipInfo* m_pCurrentTool;
    UINT m_nCheckPeriod;
    UINT m_nAutoPopDelay;
    UINT m_nElapsed;
    UINT m_nInitialDelay;
    BOOL m_bActive;
    BOOL m_bHidden;
    BOOL m_bHasExtendedText;
    BOOL m_bExtendedMode;
    COLORREF m_crBkColor;
    COLORREF m_crTextColor;
    HWND m_hWndFocus;
    CObArray m_arrTools;
};
