// CmdAccelOb.h - CCmdAccelOb: one command of the shortcut manager, its name
// and the accelerators it owns.
#pragma once

#include <afxtempl.h>
#include "AccelsOb.h"

class CCmdAccelOb : public CObject
{
    DECLARE_DYNAMIC(CCmdAccelOb)
public:
    CCmdAccelOb();
    CCmdAccelOb(WORD wIDCommand, LPCSTR pszName);
    // With its first accelerator.
    CCmdAccelOb(BYTE cVirt, WORD wIDCommand, WORD wKey, LPCSTR pszName, bool bLocked);
    virtual ~CCmdAccelOb();

    // Resets this command, then copies the id, the name and every accelerator.
    CCmdAccelOb& operator=(const CCmdAccelOb& from);

    void Add(BYTE cVirt, WORD wKey, bool bLocked);
    void Add(CAccelsOb* pAccel) { m_Accels.AddTail(pAccel); }
    // Deletes the unlocked accelerators; the locked ones stay.
    void DeleteUserAccels();
    // Id 0, name "Empty command", no accelerators.
    void Reset();
    // The accelerator with these flags and key, NULL when there is none.
    CAccelsOb* Find(BYTE cVirt, WORD wKey) const;
    int CountUnlocked() const;

    WORD m_wIDCommand;
    CString m_szCommand;
    CList<CAccelsOb*, CAccelsOb*&> m_Accels;

private:
    CCmdAccelOb(const CCmdAccelOb&) = delete;
};
