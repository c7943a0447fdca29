// The drop source that asks its owner window first: QueryContinueDrag,
// GiveFeedback and OnBeginDrag go to the owner as messages 32949, 32947 and
// 32948 (see OXSHBDropTarget.h) with the address of a record; a nonzero reply
// returns the record's result, a zero reply the default behaviour.
#pragma once

#include "OXSHBDropTarget.h"

struct OXDRAGDROPSOURCEMESSAGE
{
    CWnd* pWnd;              // begin drag: the window the drag starts from
    DWORD dwKeyState;        // query continue
    BOOL bEscapePressed;     // query continue
    DWORD dropEffect;        // give feedback
    LONG result;             // SCODE, or BOOL for begin drag
};

class COXSHBDropSource : public COleDropSource
{
    DECLARE_DYNAMIC(COXSHBDropSource)
public:
    COXSHBDropSource() : m_pOwnerWnd(NULL) {}

    // The window that is asked; returns the previous one.
    CWnd* SetOwner(CWnd* pOwnerWnd)
    {
        CWnd* pOld = m_pOwnerWnd;
        m_pOwnerWnd = pOwnerWnd;
        return pOld;
    }
    CWnd* GetOwner() const { return m_pOwnerWnd; }

    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    SCODE GiveFeedback(DROPEFFECT dropEffect) override;
    BOOL OnBeginDrag(CWnd* pWnd) override;

protected:
    CWnd* m_pOwnerWnd;
};
