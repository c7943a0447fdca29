// COXCalculatorPopup - the borderless pop-up that holds the calculator with
// an OK and a Cancel button and runs a modal loop until Enter, Esc, one of
// its buttons, or the focus leaving it.
#pragma once

#include "OXCalculatorCtrl.h"

class COXCalculatorPopup : public CWnd
{
    DECLARE_DYNCREATE(COXCalculatorPopup)
public:
    enum { EXIT_RUNNING = 0, EXIT_OK = 1, EXIT_CANCEL = 2 };
    // Alignments of the pop-up against its anchor
    enum { ALIGN_LEFT = 0, ALIGN_RIGHT, ALIGN_ABOVE, ALIGN_BELOW, ALIGN_LEFT_BOTTOM, ALIGN_RIGHT_BOTTOM,
           ALIGN_ABOVE_RIGHT, ALIGN_BELOW_RIGHT };

    COXCalculatorPopup();
    virtual ~COXCalculatorPopup();

    BOOL Create(CWnd* pOwner, HBRUSH hbrBackground = NULL);
    BOOL Pick(double dValue, UINT nAlignment, CRect rcAnchor, int nOffsetX = 0, int nOffsetY = 0);
    COXCalculatorCtrl& GetCalculator() { return m_calculator; }
    double GetResult() const { return m_calculator.GetResult(); }
    int GetExitCode() const { return m_nExitCode; }

    // Where a pop-up of a size goes against an anchor within a work area;
    // FALSE when it does not fit even on the other side.
    static BOOL PlacePopup(CSize size, const CRect& rcAnchor, UINT nAlignment, int dx, int dy,
                           const CRect& rcWork, CPoint& ptTopLeft);

protected:
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void Layout();

    COXCalculatorCtrl m_calculator;
    COXBitmapButton m_btnOK;
    COXBitmapButton m_btnCancel;
    CWnd* m_pOwner;
    CRect m_rectPopup, m_rectCalculator, m_rectOK, m_rectCancel;
    int m_nExitCode;
};
