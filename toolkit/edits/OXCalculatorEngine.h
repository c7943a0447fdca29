// COXCalculatorEngine - the pocket calculator's arithmetic without a window:
// the accumulator, the operand being typed, the pending and last operators,
// the number base and the display text. COXCalculatorCtrl feeds it its
// buttons and shows its text.
#pragma once

#include <afx.h>

class COXCalculatorEngine
{
public:
    // Operation codes
    enum
    {
        OP_NONE = 0, OP_ADD, OP_SUBTRACT, OP_MULTIPLY, OP_DIVIDE, OP_MOD, OP_POWER,
        OP_SIN, OP_COS, OP_TAN, OP_TANH, OP_FACTORIAL, OP_LOG10, OP_LN, OP_RECIPROCAL, OP_SQRT
    };
    enum { BASE_DECIMAL = 0, BASE_HEX, BASE_OCTAL, BASE_BINARY };
    enum { ERROR_NONE = 0, ERROR_INVALID = 1, ERROR_RANGE = 2 };
    enum { MAX_DIGITS = 13, MAX_FACTORIAL = 170 };

    explicit COXCalculatorEngine(double dValue = 0);

    // the buttons
    BOOL Digit(int nDigit);
    void Operator(int nOp);
    void Function(int nOp);
    void Equals();
    void ChangeSign();
    void Fraction();
    void Pi();
    void Backspace();
    void ClearAll();
    void ClearEntry();
    void SetBase(int nBase);
    void SetScientific(BOOL bScientific);

    void SetValue(double dValue, BOOL bFraction);
    void SetResult(double dValue) { m_dResult = dValue; }
    double GetResult() const { return m_dResult; }
    double GetOperand() const { return m_dOperand; }
    BOOL IsEntering() const { return m_bEntering; }
    int GetBase() const { return m_nBase; }
    BOOL IsScientific() const { return m_bExtended; }
    int GetErrorState() const { return m_nErrorState; }
    int GetPendingOp() const { return m_nPendingOp; }
    int GetLastOp() const { return m_nLastOp; }
    void ClearOperators() { m_nPendingOp = OP_NONE; m_nLastOp = OP_NONE; }
    // Enter with nothing pending and nothing done yet: the typed entry
    // becomes the result.
    void TakeEntry();
    void SetDecimalSeparator(char ch) { m_chDecimalSeparator = ch; }
    char GetDecimalSeparator() const { return m_chDecimalSeparator; }

    // What the display shows; pszErrorTexts gives the texts of the error
    // states 1 and 2.
    CString GetDisplayText(LPCSTR pszInvalidText = "Invalid input", LPCSTR pszRangeText = "Out of range") const;
    // A number in a base; nDecimals < 0 finds the count (at most 13).
    static CString FormatNumber(double dValue, int nBase, int nDecimals, char chDecimalSeparator);
    // Which digits and keys the base and mode allow.
    BOOL IsDigitAllowed(int nDigit) const;

    void Compute();

private:
    void StartEntering();

    BOOL m_bExtended = FALSE;
    int m_nBase = BASE_DECIMAL;
    double m_dResult;
    double m_dOperand = 0;
    BOOL m_bEntering = FALSE;
    BOOL m_bFraction = FALSE;
    int m_nPendingOp = OP_NONE;
    int m_nLastOp = OP_NONE;
    int m_nErrorState = ERROR_NONE;
    char m_chDecimalSeparator = '.';
    int m_nDecimals = 0;
};
