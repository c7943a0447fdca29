// The window that shows a bitmap menu while menus are customized: an
// ordinary popup that never takes the focus, paints the menu's items itself
// through the menu (and so through the menu skin), lets the user pick an
// item, hold it to drag it, and right-click it for the customization
// commands; it is the drop target of the menu while it shows it.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class COXBitmapMenu;

// The timer of a press held on an item, and how long the press must last.
#define OX_POPUP_HOLD_TIMER 412
#define OX_POPUP_HOLD_MS 200

class COXBitmapMenuPopupWnd : public CWnd
{
    DECLARE_DYNAMIC(COXBitmapMenuPopupWnd)
public:
    COXBitmapMenuPopupWnd();
    ~COXBitmapMenuPopupWnd() override;

    virtual COXBitmapMenu* GetBitmapMenu() { return m_pBitmapMenu; }
    // Shows pMenu at x, y (screen; nFlags: TPM_CENTERALIGN or
    // TPM_RIGHTALIGN place it by its middle or right edge) in customization
    // mode, pWnd's window told of the changes. FALSE when the window cannot
    // be made.
    virtual BOOL TrackPopupMenu(COXBitmapMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd);
    virtual void Hide();
    // Lays the menu out again at the same top-left, after its items changed.
    virtual void Refresh();
    virtual void CalcLayout(UINT nFlags, int x, int y);
    // The drop target's messages, handed to the menu while it is customized.
    virtual LRESULT OnDragEnter(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDragOver(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDragLeave(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDrop(WPARAM wParam, LPARAM lParam);

    // Repaints the item at nPos now.
    void RedrawItem(int nPos);
    // The item's rectangle in client coordinates (empty past the items).
    CRect GetItemRect(int nPos) const;
    int GetItemRectCount() const { return (int)m_arrItemRects.GetSize(); }

    COXBitmapMenu* m_pBitmapMenu;   // not owned
    CRect m_rect;                   // the window on the screen
    CArray<CRect, CRect&> m_arrItemRects;
    CFont m_font;
    UINT m_nTimerID;                // 0 while no press is timed

protected:
    BOOL IsCustomizing() const;
    void BuildFont();
    // Lets go of the menu: its drop target, its link to this window.
    void Unlink();

    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCustomizeCommand(UINT nID);
    DECLARE_MESSAGE_MAP()
};
