#include "OXCalculatorEdit.h"

OX_IMPLEMENT_DYNCREATE_OVER_T(COXCalculatorEdit, COXDropEdit<COXNumericEdit>)

BOOL COXCalculatorEdit::InitializeDropEdit()
{
    return m_calculatorPopup.Create(this, NULL);
}

void COXCalculatorEdit::OnDropButton()
{
    UINT nAlignment = m_nButtonAlignment == 1 ? COXCalculatorPopup::ALIGN_BELOW : COXCalculatorPopup::ALIGN_BELOW_RIGHT;
    if (m_calculatorPopup.Pick(GetValue(), nAlignment, CRect(0, 0, 0, 0), 0, 0))
        SetValue(m_calculatorPopup.GetResult());
    SetFocus();
}
