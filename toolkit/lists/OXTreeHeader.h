// COXTreeHeader: the column header of the multi-column tree. It marks the
// column the tree is sorted by (themed or classic), sorts on a title click,
// fits a column on a divider double click, hands the focus to the tree, and
// keeps its hot item right with one mouse hook for the thread.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "OXUxTheme.h"

class COXTreeCtrl;

class COXTreeHeader : public CHeaderCtrl
{
    DECLARE_DYNAMIC(COXTreeHeader)
public:
    COXTreeHeader();
    virtual ~COXTreeHeader();

    int SetSortMark(int nColumn, int nOrder);
    int GetSortColumn() const { return m_nSortColumn; }
    int GetSortOrder() const { return m_nSortOrder; }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    // The theme library the header draws through (the header's own by default).
    void SetTheme(COXUxTheme* pTheme) { m_pTheme = pTheme != NULL ? pTheme : &m_theme; }
    static HHOOK GetHook() { return s_hHook; }

    int m_nSortColumn;
    int m_nSortOrder;
    bool m_bLButtonDown;
    COXUxTheme m_theme;

protected:
    void PreSubclassWindow() override;
    void DrawThemed(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, HTHEME hTheme);
    void DrawClassic(CDC* pDC, LPDRAWITEMSTRUCT lpDIS);
    COXTreeCtrl* GetTree() const;
    static LRESULT CALLBACK MouseHook(int nCode, WPARAM wParam, LPARAM lParam);
    static COXTreeHeader* HeaderOf(HWND hWnd);

    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    COXUxTheme* m_pTheme;
    static HHOOK s_hHook;
    static HWND s_hLastUnderMouse;
};
