// COXCalculatorEdit - a numeric drop edit whose drop button opens the
// calculator pop-up with the edit's value and takes back its result.
#pragma once

#include "OXCalculatorPopup.h"
#include "OXDropEdit.h"

class COXCalculatorEdit : public COXDropEdit<COXNumericEdit>
{
    DECLARE_DYNCREATE(COXCalculatorEdit)
public:
    COXCalculatorPopup& GetCalculatorPopup() { return m_calculatorPopup; }

protected:
    virtual BOOL InitializeDropEdit() override;
    virtual void OnDropButton() override;

    COXCalculatorPopup m_calculatorPopup;
};
