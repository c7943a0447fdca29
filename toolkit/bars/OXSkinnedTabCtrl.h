// A tab control drawn by the current skin's tab element, with a skinned
// up-down control for its scroll arrows (taken over by the XP and 2003 tab
// skins when they first paint). The base of the toolkit's tab containers.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "OXSkinnedSpinCtrl.h"

class COXTabSkin;

class COXSkinnedTabCtrl : public CTabCtrl
{
    DECLARE_DYNAMIC(COXSkinnedTabCtrl)
public:
    COXSkinnedTabCtrl();
    ~COXSkinnedTabCtrl() override;

    // The current skin's tab element, or the control's own Classic one.
    COXTabSkin* GetTabSkin();
    // The spin member of a skinned tab control; NULL for any other window.
    static COXSkinnedSpinCtrl* GetSkinnedSpin(CWnd* pWnd);

protected:
    afx_msg void OnPaint();

    COXTabSkin* m_pTabSkin;   // owned; made when first needed
    COXSkinnedSpinCtrl m_wndSpin;

    DECLARE_MESSAGE_MAP()
};
