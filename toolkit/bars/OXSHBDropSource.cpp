#include "OXSHBDropSource.h"

IMPLEMENT_DYNAMIC(COXSHBDropSource, COleDropSource)

namespace {

bool Ask(CWnd* pOwner, UINT nMsg, OXDRAGDROPSOURCEMESSAGE& rec)
{
    return pOwner != NULL && ::IsWindow(pOwner->GetSafeHwnd()) &&
           ::SendMessage(pOwner->GetSafeHwnd(), nMsg, 0, (LPARAM)&rec) != 0;
}

}  // namespace

SCODE COXSHBDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    OXDRAGDROPSOURCEMESSAGE rec = {};
    rec.dwKeyState = dwKeyState;
    rec.bEscapePressed = bEscapePressed;
    if (Ask(m_pOwnerWnd, SHBDSM_QUERYCONTINUEDRAG, rec))
        return (SCODE)rec.result;
    return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
}

SCODE COXSHBDropSource::GiveFeedback(DROPEFFECT dropEffect)
{
    OXDRAGDROPSOURCEMESSAGE rec = {};
    rec.dropEffect = dropEffect;
    if (Ask(m_pOwnerWnd, SHBDSM_GIVEFEEDBACK, rec))
        return (SCODE)rec.result;
    return COleDropSource::GiveFeedback(dropEffect);
}

BOOL COXSHBDropSource::OnBeginDrag(CWnd* pWnd)
{
    OXDRAGDROPSOURCEMESSAGE rec = {};
    rec.pWnd = pWnd;
    if (Ask(m_pOwnerWnd, SHBDSM_BEGINDRAG, rec))
        return (BOOL)rec.result;
    return COleDropSource::OnBeginDrag(pWnd);
}
