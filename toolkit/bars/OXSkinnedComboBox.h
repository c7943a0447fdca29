// A combo box drawn by the current skin's tool bar element, as on a cool
// tool bar. A mouse hook, one per process, redraws the box the pointer
// leaves, so that its hot look goes with the pointer. The edit of a box that
// has one shows its selection only while the box has the focus.
#pragma once

#include <afxwin.h>

#include "OXSkinElements.h"

class COXSkinnedComboBox : public CComboBox
{
    DECLARE_DYNCREATE(COXSkinnedComboBox)
public:
    COXSkinnedComboBox();
    ~COXSkinnedComboBox() override;

    // The current skin's tool bar element, or the box's own Classic one.
    COXToolbarSkin* GetToolbarSkin();
    // Whether the common controls are version 6.0 or later.
    BOOL IsComCtl6() const { return m_bComCtl6; }
    static BOOL IsComCtl6Version(int nMajor, int nMinor);

    // The skinned combo box hWnd is, or is the child of (the pointer is most
    // often over the box's edit); NULL for any other window.
    static COXSkinnedComboBox* FromPointerWindow(HWND hWnd);
    // Which box to redraw when the pointer moves from over hLast to over
    // hNow (both boxes or NULL): the one left, else the one entered.
    static HWND HoverRedrawTarget(HWND hLast, HWND hNow);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    // Reflected notifications: the skin draws, the parent still hears.
    afx_msg BOOL OnRedrawNotify();
    afx_msg BOOL OnSetFocusNotify();
    afx_msg BOOL OnKillFocusNotify();

    // The box's edit, or NULL for a drop-down list.
    HWND GetEditWindow() const;

    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    COXToolbarSkin* m_pToolbarSkin;   // owned; made when first needed
    BOOL m_bComCtl6;
    // The edit's selection taken away while the box lost the focus (the
    // system's combo edit would go on showing it), to be given back with
    // the focus; m_bSelHidden says there is one.
    BOOL m_bSelHidden;
    DWORD m_dwHiddenStart, m_dwHiddenEnd;

    static HHOOK s_hMouseHook;
    static HWND s_hLastWnd;

    DECLARE_MESSAGE_MAP()
};
