// AccelsOb.h - CAccelsOb: one keyboard accelerator of a command (flags, key,
// locked), its packed 32-bit form, and the names of keys and accelerators.
//
// Packed form: bits 0-15 the key, bits 16-23 the ACCEL flags, bits 24-31 1
// when locked and 2 when not.
//
// Text of an accelerator: the modifiers present, in the order "Ctrl", "Alt",
// "Shift", each followed by "+", then the key's name; empty when the key is 0.
#pragma once

#include <afxwin.h>

class CAccelsOb : public CObject
{
    DECLARE_DYNAMIC(CAccelsOb)
public:
    CAccelsOb();
    CAccelsOb(BYTE cVirt, WORD wKey, bool bLocked = false);
    explicit CAccelsOb(const CAccelsOb* pFrom);
    explicit CAccelsOb(DWORD dwPacked);
    virtual ~CAccelsOb() {}

    CAccelsOb& operator=(const CAccelsOb& from);

    void GetString(CString& strText) const;
    // Whether the flags and the Ctrl, Alt and Shift states match.
    bool IsEqual(WORD wKey, bool bCtrl, bool bAlt, bool bShift) const;
    DWORD GetData() const;
    void SetData(DWORD dwPacked);

    BYTE m_cVirt;
    WORD m_wKey;
    bool m_bLocked;
};

// The name of a virtual key: the table's, else the keyboard's, else its code
// ("Key 0xE5"); empty for 0 only.
CString GetKeyName(WORD wKey);
// The text of an accelerator from its flags and key, or from an ACCEL record;
// TRUE when the text is not empty.
BOOL GetAccelString(BYTE cVirt, WORD wKey, CString& strText);
BOOL GetAccelString(const ACCEL& accel, CString& strText);
