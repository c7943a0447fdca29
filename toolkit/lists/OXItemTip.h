// Item tips: over a control that shows an item cut off or partly outside its
// visible area, a small borderless popup shows the whole text exactly over
// the cell, in the same font and colours. The tip hooks the control (it needs
// no help from it), follows the mouse, vanishes when the pointer leaves, a
// key is pressed or the control moves, and passes clicks on to what lies
// under it. COXItemTip serves a report-view list control; COXEditTip,
// COXListBoxTip and COXComboBoxTip an edit, a list box and a drop-down list.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "OXHookWnd.h"

#define WM_OX_GETITEMTIPINFO 0x80CA
#define OXITN_GETITEMTIPINFO 0x80CB

#define OXITEMTIP_SHOW 1
#define OXITEMTIP_UNSUPPORTED 2
#define OXITEMTIP_NOITEM 3
#define OXITEMTIP_NOTONTEXT 4
#define OXITEMTIP_NOTHING 5
#define OXITEMTIP_ALREADYINSIDE 6

struct OXITEMTIPINFO
{
    POINT point;
    int row;
    int col;
    RECT rectItem;
    char szText[300];
    int nTextLimit;
    int nMargin;
    CFont* pFont;
    COLORREF clrText;
    COLORREF clrBack;
    int nAlignment;
    int result;
};

struct NMOXITEMTIP
{
    NMHDR hdr;
    OXITEMTIPINFO info;
};

class COXItemTipWnd : public CWnd
{
public:
    COXItemTipWnd() : m_pParentWnd(NULL), m_nTimerID(0) {}

    BOOL Create(CWnd* pParentWnd, HBRUSH hbrBackground = NULL);
    virtual void Display(LPRECT lpRect, CString sText, int nMargin, int nAlignment, CFont* pFont, COLORREF clrText,
                         COLORREF clrBack);
    virtual void Hide(MSG* pMsg, CWnd* pTarget);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The handlers a message loop would reach through PreTranslateMessage,
    // for a loop that does not pre-translate.
    enum { kTimerID = 221 };

protected:
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
    BOOL CanShow() const;

    CWnd* m_pParentWnd;
    UINT_PTR m_nTimerID;
};

class COXBaseItemTip;
typedef void (*OXITEMTIPCALLBACK)(COXBaseItemTip* pTip, OXITEMTIPINFO* pInfo);

class COXBaseItemTip : public COXHookWnd
{
    DECLARE_DYNAMIC(COXBaseItemTip)
public:
    COXBaseItemTip();
    virtual ~COXBaseItemTip();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void GetItemInfo(OXITEMTIPINFO* pInfo);
    virtual void ShowItemTip();
    virtual BOOL Attach(CWnd* pControl, OXITEMTIPCALLBACK pfnCallback = NULL);
    virtual BOOL Detach();

    // Attaching and starting the hover timer at once.
    BOOL AttachWithHover(CWnd* pControl, OXITEMTIPCALLBACK pfnCallback = NULL);
    void ResetAppearance();
    void SetFont(CFont* pFont) { m_pFont = pFont; }
    void SetTextColor(COLORREF clr) { m_clrText = clr; }
    void SetBkColor(COLORREF clr) { m_clrBack = clr; }
    void SetMargin(int nMargin) { m_nMargin = nMargin; }
    // The control's object as its window's messages reach it now: the tip
    // follows the window, so an object that wrapped it when the tip was
    // attached may since have let go of it and been deleted.
    CWnd* GetControl() const { return m_hWndTarget ? CWnd::FromHandle(m_hWndTarget) : m_pControl; }
    COXItemTipWnd& GetTipWnd() { return m_wndTip; }
    // The query for a point of the control, as ShowItemTip makes it.
    OXITEMTIPINFO Query(CPoint point);

protected:
    // The screen area a tip may cover beside the control.
    CRect ScreenArea() const;
    static BOOL MeasureText(CWnd* pControl, CFont* pFont, LPCTSTR lpszText, CSize& size);

    CWnd* m_pControl;
    COXItemTipWnd m_wndTip;
    OXITEMTIPCALLBACK m_pfnCallback;
    CFont* m_pFont;
    COLORREF m_clrText;
    COLORREF m_clrBack;
    int m_nMargin;
};

class COXItemTip : public COXBaseItemTip
{
public:
    void GetItemInfo(OXITEMTIPINFO* pInfo) override;
};

class COXEditTip : public COXBaseItemTip
{
public:
    void GetItemInfo(OXITEMTIPINFO* pInfo) override;
};

class COXListBoxTip : public COXBaseItemTip
{
public:
    void GetItemInfo(OXITEMTIPINFO* pInfo) override;
};

class COXComboBoxTip : public COXBaseItemTip
{
public:
    void GetItemInfo(OXITEMTIPINFO* pInfo) override;
};
