// A sizing bar whose contents are a tool bar control that wraps its buttons
// to the bar: the user sizes the bar and the buttons flow into as many rows
// as fit. In a size dock bar it shares its row's length like a sizing bar
// but gets no splitters. Its buttons take their states from the command
// routing (COXToolCmdUI), their tips from the second line of their commands'
// strings, and, given a list of command ids, the user can add and remove
// buttons through the control's customize dialog.
//
// The rules that need no window (the buttons SetButtons makes, the button a
// press hits, the text offered to the customize dialog) are static members.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>
#include <vector>

#include "OXSizeControlBar.h"

// The tool bar control of a size tool bar: a press on no button goes to the
// owner, so that the bar can be dragged by the empty part of the tool bar.
class COXToolBarCtrl : public CToolBarCtrl
{
public:
    // The index of the button a press at pt hits, -1 for none: the search
    // runs from the last button and stops at the first row above pt;
    // separators hit nothing.
    static int HitButton(const std::vector<CRect>& rectButtons, const std::vector<BOOL>& separators, CPoint pt);

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class COXToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    // The state a button gets from SetCheck(nCheck): its other bits kept.
    static UINT CheckState(UINT nState, int nCheck);

protected:
    CToolBarCtrl* Control() const;
};

class COXSizeToolBar : public COXSizeControlBar
{
    DECLARE_DYNAMIC(COXSizeToolBar)
public:
    explicit COXSizeToolBar(DWORD dwSizeBarStyle = 0);

    // lpRect NULL: (0, 0, 192, 33).
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCRECT lpRect = NULL);
    // The image strip, cut into images of m_sizeButton.cx.
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
    // The commands of the image strip, in its order; not copied.
    void SetBitmapIds(const UINT* pIds, int nCount);
    int FindBitmapIndex(UINT nID) const;
    // One button per id, 0 a separator; an id missing from the bitmap ids
    // (when there are some) is left out.
    BOOL SetButtons(const UINT* pIds, int nCount);
    BOOL SetSizes(CSize sizeButton, CSize sizeImage);
    // The largest right and bottom edges of the buttons.
    void GetMaxButtonExtent(CSize& size);

    void OnSizedOrDocked(int cx, int cy, BOOL bFloating, UINT nWhat) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // The buttons SetButtons adds.
    static std::vector<TBBUTTON> MakeButtons(const UINT* pIds, int nCount, const UINT* pBitmapIds, int nBitmapIds);
    // What follows the first line feed of a command's string, empty when it
    // has none.
    static CString ShortName(UINT nID, BOOL* pbFound = NULL);
    // Copies a text into a buffer of nSize characters, always ending it.
    static void CopyText(LPSTR lpszBuffer, int nSize, LPCTSTR lpszText);

    enum { nControlID = 99 };

    COXToolBarCtrl m_ToolCtrl;
    CSize m_sizeButton;
    CBitmap m_bmpButtons;
    const UINT* m_pBitmapIds;
    int m_nBitmapIds;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    // The control's notifications; FALSE for those the bar leaves alone.
    BOOL OnToolNotify(NMHDR* pHeader, LRESULT* pResult);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

// The version of a module that exports DllGetVersion: the major version in
// the high word, the minor in the low one; 0 when it cannot be told.
DWORD AFXAPI GetDllVersion(LPCTSTR lpszDllName);
