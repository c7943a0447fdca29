// COXCoolSpinButtonCtrl: a spin button with the cool look: while cold its two
// arrow halves are flat boxes. Attached to a cool edit, it also continues the
// edit's border around itself, hot or cold as the edit is, so that the edit
// and the spin button read as one field.
#pragma once

#include "OXCoolCtrl.h"

// What the flat look of a spin button depends on, gathered from the control
// and its buddy so that the drawing needs no window.
struct OXSpinFlatLook
{
    enum Ring { kNoRing, kHotRing, kColdRing, kDisabledRing };

    BOOL bHorizontal = FALSE;
    BOOL bAttached = FALSE;       // aligned to an edit buddy
    BOOL bAlignRight = TRUE;      // when attached: right of the edit, else left
    int nBuddyBorder = 0;         // the edit's border width
    Ring ring = kNoRing;          // the continued border (a cool buddy only)
    BOOL bHot = FALSE;
};

class COXCoolSpinButtonCtrl : public COXCoolCtrl<CSpinButtonCtrl>
{
public:
    virtual void SetHotState(BOOL bHot) override;

    // TRUE when the spin button is aligned left or right to an "Edit" buddy.
    BOOL IsSpinAttachedToEdit() const;

    // The cold look and the continued border on the client rectangle.
    static void DrawFlat(CDC* pDC, CRect rect, const OXSpinFlatLook& look);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};
