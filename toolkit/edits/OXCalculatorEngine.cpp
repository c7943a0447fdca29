#include "OXCalculatorEngine.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

const double PI_12 = 3.14159265359;

int IntegerDigits(double d)
{
    double n = floor(fabs(d));
    int nDigits = 1;
    while (n >= 10) {
        n = floor(n / 10);
        ++nDigits;
    }
    return nDigits;
}

int Radix(int nBase)
{
    static const int s_radix[] = {10, 16, 8, 2};
    return s_radix[nBase];
}

// The count of fraction digits of a value, at most nMax.
int FractionDigits(double d, int nMax)
{
    char sz[400];   // the largest double has 309 integer digits
    snprintf(sz, sizeof(sz), "%.*f", nMax, fabs(d));
    int n = (int)strlen(sz);
    int nCount = nMax;
    while (nCount > 0 && sz[n - 1] == '0') {
        --n;
        --nCount;
    }
    return nCount;
}

}  // namespace

COXCalculatorEngine::COXCalculatorEngine(double dValue) : m_dResult(dValue)
{
}

BOOL COXCalculatorEngine::IsDigitAllowed(int nDigit) const
{
    return nDigit >= 0 && nDigit < Radix(m_nBase);
}

void COXCalculatorEngine::StartEntering()
{
    m_bEntering = TRUE;
    m_dOperand = 0;
    m_bFraction = FALSE;
    m_nDecimals = 0;
}

BOOL COXCalculatorEngine::Digit(int nDigit)
{
    if (m_nErrorState != ERROR_NONE || !IsDigitAllowed(nDigit))
        return FALSE;
    if (!m_bEntering)
        StartEntering();
    const double dSign = (m_dOperand < 0 || (m_dOperand == 0 && signbit(m_dOperand))) ? -1 : 1;
    if (m_nBase == BASE_DECIMAL) {
        if (m_nDecimals + IntegerDigits(m_dOperand) > MAX_DIGITS - 1)
            return FALSE;
        if (m_bFraction) {
            ++m_nDecimals;
            // through text, so that the typed decimals stay exact
            char sz[400];
            if (m_nDecimals == 1)
                snprintf(sz, sizeof(sz), "%.0f.%d", floor(fabs(m_dOperand)), nDigit);
            else
                snprintf(sz, sizeof(sz), "%.*f%d", m_nDecimals - 1, fabs(m_dOperand), nDigit);
            m_dOperand = dSign * strtod(sz, NULL);
        } else {
            m_dOperand = m_dOperand * 10 + dSign * nDigit;
        }
    } else {
        m_dOperand = m_dOperand * Radix(m_nBase) + dSign * nDigit;
    }
    return TRUE;
}

void COXCalculatorEngine::Compute()
{
    if (m_nErrorState != ERROR_NONE)
        return;
    const double r = m_dResult, x = m_dOperand;
    switch (m_nPendingOp) {
    case OP_NONE: m_dResult = x; break;
    case OP_ADD: m_dResult = r + x; break;
    case OP_SUBTRACT: m_dResult = r - x; break;
    case OP_MULTIPLY: m_dResult = r * x; break;
    case OP_DIVIDE: m_dResult = r / x; break;
    case OP_MOD: m_dResult = fmod(r, x); break;
    case OP_POWER: m_dResult = pow(r, trunc(x)); break;
    case OP_SIN: m_dResult = sin(x); break;
    case OP_COS: m_dResult = cos(x); break;
    case OP_TAN: m_dResult = tan(x); break;
    case OP_TANH: m_dResult = tanh(x); break;
    case OP_FACTORIAL: {
        double n = trunc(x);
        if (n < 0) {
            m_nErrorState = ERROR_INVALID;
            break;
        }
        if (n > MAX_FACTORIAL) {
            m_dResult = HUGE_VAL;
            break;
        }
        double f = 1;
        for (int i = 2; i <= (int)n; ++i)
            f *= i;
        m_dResult = f;
        break;
    }
    case OP_LOG10: m_dResult = log10(x); break;
    case OP_LN: m_dResult = log(x); break;
    case OP_RECIPROCAL: m_dResult = 1 / x; break;
    case OP_SQRT: m_dResult = sqrt(x); break;
    default: break;
    }
    m_nLastOp = m_nPendingOp;
    m_bEntering = FALSE;
}

void COXCalculatorEngine::Operator(int nOp)
{
    if (m_bEntering)
        Compute();
    m_nPendingOp = nOp;
    if (m_nErrorState == ERROR_NONE)
        m_dOperand = m_dResult;
}

void COXCalculatorEngine::Function(int nOp)
{
    // a function works on the number shown: the typed entry, or the result
    if (!m_bEntering)
        m_dOperand = m_dResult;
    m_nPendingOp = nOp;
    Compute();
    m_nPendingOp = OP_NONE;
    m_nLastOp = OP_NONE;
}

void COXCalculatorEngine::Equals()
{
    if (!m_bEntering && m_nPendingOp == OP_NONE)
        m_nPendingOp = m_nLastOp;
    Compute();
    m_nPendingOp = OP_NONE;
}

void COXCalculatorEngine::TakeEntry()
{
    if (m_nPendingOp == OP_NONE && m_nLastOp == OP_NONE)
        Compute();
}

void COXCalculatorEngine::ChangeSign()
{
    if (m_bEntering) {
        m_dOperand = -m_dOperand;
    } else {
        m_dResult = -m_dResult;
        m_nDecimals = 0;
    }
}

void COXCalculatorEngine::Fraction()
{
    if (m_nBase != BASE_DECIMAL || m_nErrorState != ERROR_NONE)
        return;
    if (!m_bEntering)
        StartEntering();
    m_bFraction = TRUE;
}

void COXCalculatorEngine::Pi()
{
    if (m_nBase == BASE_DECIMAL && m_nErrorState == ERROR_NONE)
        SetValue(PI_12, TRUE);
}

void COXCalculatorEngine::Backspace()
{
    if (!m_bEntering)
        return;
    if (m_nBase == BASE_DECIMAL && m_bFraction) {
        if (m_nDecimals > 0) {
            --m_nDecimals;
            char sz[400];
            snprintf(sz, sizeof(sz), "%.*f", m_nDecimals + 1, m_dOperand);
            sz[strlen(sz) - 1] = 0;
            m_dOperand = strtod(sz, NULL);
        }
        // a separator with no decimal after it goes as a decimal would
        if (m_nDecimals == 0)
            m_bFraction = FALSE;
        return;
    }
    m_dOperand = trunc(m_dOperand / Radix(m_nBase));
}

void COXCalculatorEngine::ClearAll()
{
    m_dResult = 0;
    m_bEntering = FALSE;
    m_nDecimals = 0;
    m_nErrorState = ERROR_NONE;
}

void COXCalculatorEngine::ClearEntry()
{
    if (m_bEntering) {
        m_nErrorState = ERROR_NONE;
        SetValue(0, TRUE);
    } else {
        ClearAll();
    }
}

void COXCalculatorEngine::SetValue(double dValue, BOOL bFraction)
{
    m_dOperand = dValue;
    m_bEntering = TRUE;
    if (bFraction) {
        m_nDecimals = FractionDigits(dValue, 12);
        m_bFraction = m_nDecimals > 0;
    }
}

void COXCalculatorEngine::SetBase(int nBase)
{
    if (nBase == m_nBase || nBase < BASE_DECIMAL || nBase > BASE_BINARY)
        return;
    if (m_bEntering) {
        m_dResult = m_dOperand;
        m_bEntering = FALSE;
    }
    m_nBase = nBase;
    if (nBase != BASE_DECIMAL)
        m_bFraction = FALSE;
}

void COXCalculatorEngine::SetScientific(BOOL bScientific)
{
    m_bExtended = bScientific;
    if (!bScientific && m_nBase != BASE_DECIMAL)
        SetBase(BASE_DECIMAL);
}

CString COXCalculatorEngine::FormatNumber(double dValue, int nBase, int nDecimals, char chSep)
{
    CString sText;
    if (!isfinite(dValue)) {
        sText = isnan(dValue) ? "nan" : (dValue < 0 ? "-inf" : "inf");
        return sText;
    }
    if (nBase != BASE_DECIMAL) {
        unsigned long long n = (unsigned long long)(long long)trunc(dValue);
        if (nBase == BASE_HEX) {
            sText.Format("%llx", n);
        } else if (nBase == BASE_OCTAL) {
            sText.Format("%llo", n);
        } else {
            do {
                sText.Insert(0, (char)('0' + (n & 1)));
                n >>= 1;
            } while (n);
        }
        return sText;
    }
    if (nDecimals < 0)
        nDecimals = FractionDigits(dValue, 13);
    sText.Format("%.*f", nDecimals, fabs(dValue));
    int nPoint = sText.Find('.');
    if (nPoint < 0)
        sText += chSep;
    else
        sText.SetAt(nPoint, chSep);
    if (dValue < 0 && sText.SpanIncluding(CString("0") + chSep) != sText)
        sText.Insert(0, '-');
    return sText;
}

CString COXCalculatorEngine::GetDisplayText(LPCSTR pszInvalidText, LPCSTR pszRangeText) const
{
    if (m_nErrorState == ERROR_INVALID)
        return pszInvalidText;
    if (m_nErrorState == ERROR_RANGE)
        return pszRangeText;
    if (m_bEntering)
        return FormatNumber(m_dOperand, m_nBase, m_bFraction ? m_nDecimals : 0, m_chDecimalSeparator);
    return FormatNumber(m_dResult, m_nBase, -1, m_chDecimalSeparator);
}
