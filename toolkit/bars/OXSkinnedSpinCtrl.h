// An up-down control drawn by the current skin's tab element: the scroll
// arrows of a skinned tab control. A mouse hook, one per process, takes the
// hot look off the control the pointer leaves.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class COXTabSkin;

class COXSkinnedSpinCtrl : public CSpinButtonCtrl
{
    DECLARE_DYNCREATE(COXSkinnedSpinCtrl)
public:
    COXSkinnedSpinCtrl();
    ~COXSkinnedSpinCtrl() override;

    // The current skin's tab element, or the control's own Classic one.
    COXTabSkin* GetTabSkin();

    // The skinned spin control hWnd is, else NULL.
    static COXSkinnedSpinCtrl* FromWindow(HWND hWnd);

protected:
    void PreSubclassWindow() override;

    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);

    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    COXTabSkin* m_pTabSkin;   // owned; made when first needed

    static HHOOK s_hMouseHook;
    static HWND s_hLastWnd;

    DECLARE_MESSAGE_MAP()
};
