// COXIPEdit - a masked edit for an IPv4 address in dotted form: four groups
// of three digit cells between literal dots. Its value text is the address
// without blanks, nothing, or a fixed text for an address that does not parse.
#pragma once

#include "OXMaskedEdit.h"

class COXIPEdit : public COXMaskedEdit
{
    DECLARE_DYNCREATE(COXIPEdit)
public:
    COXIPEdit();

    virtual CString GetValueText() const override;
    virtual void SetValueText(LPCTSTR pszText) override;
    virtual BOOL IsValidAddress(LPCTSTR pszAddress) const;
    virtual CString GetBadAddressText() const { return "<bad address>"; }

    static BOOL IsEmptyAddress(LPCTSTR pszAddress);
    // Exactly four parts of one to three digits, each at most 255; blanks
    // around the digits (the cells' prompts) are ignored.
    static BOOL ParseAddress(LPCTSTR pszAddress, BYTE& b1, BYTE& b2, BYTE& b3, BYTE& b4);
    static CString FormatAddress(BYTE b1, BYTE b2, BYTE b3, BYTE b4);
};
