// COXCoolButton: a button with the cool look that also flattens its face
// while cold: push buttons lose their 3D frame depth, check boxes and radio
// buttons their sunken mark. The control paints itself first; the flat parts
// are drawn over it. A radio button is hot only while the mouse is over it,
// whatever the focus: a group of radio buttons would otherwise keep one of
// them raised all the time.
#pragma once

#include "OXCoolCtrl.h"

class COXCoolButton : public COXCoolCtrl<CButton>
{
public:
    virtual void SetHotState(BOOL bHot) override;

    // What the cold look paints over a button of this style and check state,
    // on its client rectangle (window-free). Group boxes, user, owner-drawn
    // and flat buttons get nothing.
    static void DrawFlat(CDC* pDC, const CRect& rectClient, DWORD dwStyle, int nCheck);
    // The 13 x 13 box of a plain check box's or radio button's mark.
    static CRect MarkBoxRect(const CRect& rectClient, DWORD dwStyle);
    static BOOL IsRadioStyle(DWORD dwStyle);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};
