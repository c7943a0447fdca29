// COXCoolScrollBar: a scroll bar control with the cool look: while cold its
// arrows, track and thumb are drawn as flat boxes over what the control
// painted; hot, it shows the system's own look.
#pragma once

#include "OXCoolCtrl.h"

class COXCoolScrollBar : public COXCoolCtrl<CScrollBar>
{
public:
    virtual void SetHotState(BOOL bHot) override;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};
