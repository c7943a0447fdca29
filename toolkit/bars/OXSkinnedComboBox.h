// A combo box drawn by the current skin's tool bar element, as on a cool
// tool bar. A mouse hook, one per process, redraws the box the pointer
// leaves, so that its hot look goes with the pointer.
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

    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    COXToolbarSkin* m_pToolbarSkin;   // owned; made when first needed
    BOOL m_bComCtl6;

    static HHOOK s_hMouseHook;
    static HWND s_hLastWnd;

    DECLARE_MESSAGE_MAP()
};
