// COXCoolSliderCtrl: a slider with the cool look: while cold its thumb is
// outlined flat (a box, or a pointed shape that keeps the direction of the
// tick marks) and its channel is a shallow sunken groove.
#pragma once

#include "OXCoolCtrl.h"

class COXCoolSliderCtrl : public COXCoolCtrl<CSliderCtrl>
{
public:
    virtual void SetHotState(BOOL bHot) override;

    enum ThumbShape { kThumbBox, kThumbUp, kThumbLeft, kThumbDown, kThumbRight };
    static ThumbShape ThumbShapeOf(DWORD dwStyle);

    // The cold look over a slider of this style, given its thumb and channel
    // rectangles as the control reports them (window-free).
    static void DrawFlat(CDC* pDC, DWORD dwStyle, CRect rectThumb, CRect rectChannel);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};
