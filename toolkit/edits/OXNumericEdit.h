// COXNumericEdit - a formatted edit that holds one decimal number: after
// every change the input is normalised (digits, one decimal separator,
// leading zeros, a fixed number of fraction digits, group separators) and the
// sign is shown through a format whose text surrounds the number.
// COXCurrencyEdit adds a currency symbol and the locale's currency formats.
//
// Separators and formats follow the user's locale unless the program set its
// own values. The locale's texts arrive as a COXNumberLocale, so the rules
// can be fed any locale without changing the system's.
#pragma once

#include "OXEdit.h"

// The locale's texts for a numeric or currency edit, as GetLocaleInfoA gives
// them; an empty text is a key that could not be read.
struct COXNumberLocale
{
    CString sDecimal;       // LOCALE_SDECIMAL / LOCALE_SMONDECIMALSEP
    CString sGroup;         // LOCALE_STHOUSAND / LOCALE_SMONTHOUSANDSEP
    CString sLeadingZero;   // LOCALE_ILZERO
    CString sGrouping;      // LOCALE_SGROUPING / LOCALE_SMONGROUPING
    CString sDigits;        // LOCALE_IDIGITS / LOCALE_ICURRDIGITS
    CString sCurrency;      // LOCALE_SCURRENCY
    CString sPositive;      // LOCALE_ICURRENCY
    CString sNegative;      // LOCALE_INEGNUMBER / LOCALE_INEGCURR

    static COXNumberLocale Read(BOOL bCurrency, LCID lcid = LOCALE_USER_DEFAULT);
};

class COXNumericEdit : public COXEdit
{
    DECLARE_DYNCREATE(COXNumericEdit)
public:
    COXNumericEdit();

    // ---- virtual operations, in slot order after COXEdit's ----
    virtual BOOL SetPositiveFormat(LPCTSTR pszFormat);
    virtual BOOL SetNegativeFormat(LPCTSTR pszFormat);
    virtual int SetNegative(BOOL bNegative);
    virtual int ProcessChar(int nPos, char ch, BOOL bReplace);

    // ---- overrides of COXEdit ----
    virtual CString GetInputData() const override;
    virtual BOOL GetLocaleSettings() override;
    virtual BOOL InitControl() override { return COXEdit::InitControl(); }
    virtual int ValidateInput() override;
    virtual void DeleteContents() override;
    virtual BOOL IsInputPosition(int nPos) const override;
    virtual int DeleteRange(int& nStart, int& nEnd) override;
    virtual int InsertAt(int nPos, char ch) override { return ProcessChar(nPos, ch, FALSE); }
    virtual int SetAt(int nPos, char ch) override { return ProcessChar(nPos, ch, TRUE); }

    // Takes the locale's texts by the rule of GetLocaleSettings: a member
    // follows the locale only while it still holds the locale's last value.
    void ApplyLocale(const COXNumberLocale& locale, BOOL bCurrency);

    BOOL SetGroupSeparator(char ch);
    char GetGroupSeparator() const { return m_chGroupSeparator; }
    BOOL SetGroupLength(int nLength);
    int GetGroupLength() const { return m_nGroupLength; }
    BOOL SetDecimalSeparator(char ch);
    char GetDecimalSeparator() const { return m_chDecimalSeparator; }
    void SetShowLeadingZero(BOOL bShow);
    BOOL GetShowLeadingZero() const { return m_bShowLeadingZero; }
    BOOL SetFractionalDigitCount(int nCount);
    int GetFractionalDigitCount() const { return m_nFractionalDigitCount; }
    BOOL SetMaxIntegerDigitCount(int nCount);
    int GetMaxIntegerDigitCount() const { return m_nMaxIntegerDigitCount; }
    CString GetPositiveFormat() const { return m_sFormatPositive; }
    CString GetNegativeFormat() const { return m_sFormatNegative; }
    void SetNegativeTextColor(COLORREF clr, BOOL bRedraw = TRUE);
    COLORREF GetNegativeTextColor() const { return m_clrNegativeText; }
    BOOL IsNegative() const { return m_bNegative; }
    void SetAcceptPeriod(BOOL bAccept) { m_bAcceptPeriod = bAccept; }
    BOOL GetAcceptPeriod() const { return m_bAcceptPeriod; }

    BOOL SetValue(double dValue);
    double GetValue() const { return m_dValue; }

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    // Keeps the input, changes one rule, and enters the input again so that
    // it is normalised under the new rule.
    template <class TApply> BOOL Reenter(TApply apply)
    {
        CString sInput = GetInputData();
        apply();
        EmptyData(TRUE);
        COXEdit::SetInputData(sInput, 0);
        return TRUE;
    }
    void SplitMask(CString& sLeft, CString& sRight) const;
    int GroupCountBefore(int nPos) const;

    char m_chGroupSeparator;
    int m_nGroupLength;
    char m_chDecimalSeparator;
    BOOL m_bShowLeadingZero;
    int m_nFractionalDigitCount;
    int m_nMaxIntegerDigitCount;
    CString m_sFormatNegative;
    CString m_sFormatPositive;
    COLORREF m_clrNegativeText;
    double m_dValue;
    BOOL m_bNegative;
    BOOL m_bAcceptPeriod;
    char m_szLocaleGroupSeparator[4];
    int m_nLocaleGroupLength;
    char m_szLocaleDecimalSeparator[4];
    BOOL m_bLocaleShowLeadingZero;
    int m_nLocaleFractionalDigitCount;
    int m_nLocaleMaxIntegerDigitCount;
    CString m_sLocaleFormatNegative;
    CString m_sLocaleFormatPositive;
    // Currency edits only: kept here so that one locale rule serves both.
    CString m_sCurrencySymbol;
    CString m_sLocaleCurrencySymbol;

    DECLARE_MESSAGE_MAP()
};

class COXCurrencyEdit : public COXNumericEdit
{
    DECLARE_DYNCREATE(COXCurrencyEdit)
public:
    COXCurrencyEdit();

    virtual BOOL GetLocaleSettings() override;
    virtual void AdjustLiterals() override;
    virtual BOOL SetPositiveFormat(LPCTSTR pszFormat) override;
    virtual BOOL SetNegativeFormat(LPCTSTR pszFormat) override;

    BOOL SetCurrencySymbol(LPCTSTR pszSymbol);
    CString GetCurrencySymbol() const { return m_sCurrencySymbol; }
};

void AFXAPI DDX_NumericValue(CDataExchange* pDX, int nIDC, double& value);
void AFXAPI DDX_NumericValue(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_NumericValue(CDataExchange* pDX, int nIDC, float& value);
