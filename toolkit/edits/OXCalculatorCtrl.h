// COXCalculatorCtrl - the calculator itself: a child dialog with a display,
// 38 buttons, a number-base selector and a scientific-mode check box, over
// the window-free COXCalculatorEngine.
#pragma once

#include <afxwin.h>

#include "OXBitmapButton.h"
#include "OXCalculatorEngine.h"
#include "OXStatic.h"

class COXCalculatorCtrl : public CDialog
{
    DECLARE_DYNCREATE(COXCalculatorCtrl)
public:
    enum { BUTTON_COUNT = 38 };

    explicit COXCalculatorCtrl(double dValue = 0);
    BOOL Create(CWnd* pParent);

    void SetValue(double dValue, BOOL bFraction = TRUE);
    void SetResult(double dValue) { m_engine.SetResult(dValue); }
    double GetResult() const { return m_engine.GetResult(); }
    void SetDecimalSeparator(char ch);
    char GetDecimalSeparator() const { return m_engine.GetDecimalSeparator(); }
    int GetBase() const { return m_engine.GetBase(); }
    COXCalculatorEngine& GetEngine() { return m_engine; }
    // Runs a button by its control id as a click would; FALSE for an id that
    // is no button of the calculator or a disabled one.
    BOOL PressButton(UINT nID);
    CString GetDisplayText() const;
    void UpdateDisplay();

    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual BOOL OnInitDialog() override;
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    virtual void OnOK() override {}
    virtual void OnCancel() override {}

    CComboBox m_comboBase;
    COXBitmapButton m_buttons[BUTTON_COUNT];
    COXStatic m_display;
    BOOL m_bExtended;
    int m_nBase;
    CString m_sDisplay;
    COXCalculatorEngine m_engine;
    HACCEL m_hAccel;
};
