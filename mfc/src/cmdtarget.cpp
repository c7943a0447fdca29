// cmdtarget.cpp - command routing through message maps, CCmdUI and the
// update of popup menus.
#include "wndimpl.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

// The root map: no entries and no base.
const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY _messageEntries[] = { { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } };
    static const AFX_MSGMAP messageMap = { NULL, &_messageEntries[0] };
    return &messageMap;
}

// Calls (or, with pHandlerInfo, only reports) a command-style handler.
static BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                           AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo != NULL) {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pfn;
        return TRUE;
    }
#define AFX_CALL(type) (pTarget->*reinterpret_cast<type>(pfn))
    AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
    switch (nSig) {
    case AfxSigCmd_v:
        AFX_CALL(void (CCmdTarget::*)())();
        return TRUE;
    case AfxSigCmd_b:
        return AFX_CALL(BOOL (CCmdTarget::*)())();
    case AfxSigCmd_RANGE:
        AFX_CALL(void (CCmdTarget::*)(UINT))(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return AFX_CALL(BOOL (CCmdTarget::*)(UINT))(nID);
    case AfxSigCmdUI: {
        // ContinueRouting in the handler passes the update on to the next target
        CCmdUI* pCmdUI = (CCmdUI*)pExtra;
        pCmdUI->m_bContinueRouting = FALSE;
        AFX_CALL(void (CCmdTarget::*)(CCmdUI*))(pCmdUI);
        BOOL bResult = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        return bResult;
    }
    case AfxSigNotify_v:
        AFX_CALL(void (CCmdTarget::*)(NMHDR*, LRESULT*))(pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSigNotify_b:
        return AFX_CALL(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*))(pNotify->pNMHDR, pNotify->pResult);
    case AfxSigNotify_RANGE:
        AFX_CALL(void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*))(nID, pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSigNotify_EX:
        return AFX_CALL(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*))(nID, pNotify->pNMHDR, pNotify->pResult);
    default:
        return FALSE;
    }
#undef AFX_CALL
}

// nCode packs the message in its high word (WM_NOTIFY, reflected forms;
// 0 means WM_COMMAND) and the code in its low word. The first entry found,
// most derived class first, decides: a handler of the _EX forms returning
// FALSE leaves the command to the next target of the routing.
BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0;
    UINT nEntryCode = (UINT)nCode;
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(nCode);
        nEntryCode = LOWORD(nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;
    // A control's own update handler (ON_UPDATE_COMMAND_UI_REFLECT) is asked
    // for with the code's low word.
    if (nMsg == WM_COMMAND + WM_REFLECT_BASE && nEntryCode == 0xFFFF)
        nEntryCode = CN_UPDATE_COMMAND_UI;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (e->nMessage == nMsg && e->nCode == nEntryCode && nID >= e->nID && nID <= e->nLastID)
                return DispatchCmdMsg(this, nID, e->pfn, pExtra, e->nSig, pHandlerInfo);
        }
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(0);
}

// ---------------------------------------------------------------------------
// CCmdUI
// ---------------------------------------------------------------------------

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pParentMenu(NULL), m_pOther(NULL),
      m_bEnableChanged(FALSE), m_bContinueRouting(FALSE), m_nIndexMax(0)
{
}

// A popup item is not changed through the first item of its popup.
void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        ::EnableMenuItem(m_pMenu->GetSafeHmenu(), m_nIndex,
                         MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != NULL) {
        // a control losing its enabled state gives up the focus first
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
            ::SendMessage(::GetParent(m_pOther->m_hWnd), WM_NEXTDLGCTL, 0, FALSE);
        ::EnableWindow(m_pOther->m_hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        ::CheckMenuItem(m_pMenu->GetSafeHmenu(), m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != NULL) {
        if (::SendMessage(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessage(m_pOther->m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        HMENU hMenu = m_pMenu->GetSafeHmenu();
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE;
        if (::GetMenuItemInfoA(hMenu, m_nIndex, TRUE, &mii)) {
            mii.fType |= MFT_RADIOCHECK;
            ::SetMenuItemInfoA(hMenu, m_nIndex, TRUE, &mii);
        }
        ::CheckMenuItem(hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_CHECKED : MF_UNCHECKED));
    } else {
        SetCheck(bOn ? 1 : 0);
    }
}

// Menu text is set in place, keeping the item's state and type; owner-drawn
// items keep their own text.
void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL)
            return;
        HMENU hMenu = m_pMenu->GetSafeHmenu();
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE;
        if (!::GetMenuItemInfoA(hMenu, m_nIndex, TRUE, &mii) || (mii.fType & MFT_OWNERDRAW))
            return;
        mii.fMask = MIIM_STRING;
        mii.dwTypeData = const_cast<LPSTR>(lpszText);
        ::SetMenuItemInfoA(hMenu, m_nIndex, TRUE, &mii);
    } else if (m_pOther != NULL) {
        // setting the same text again would only flicker
        char szOld[256];
        int nLen = ::GetWindowTextA(m_pOther->m_hWnd, szOld, sizeof(szOld));
        if (nLen >= (int)sizeof(szOld) - 1 || lstrcmpA(szOld, lpszText) != 0)
            ::SetWindowTextA(m_pOther->m_hWnd, lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;   // separators and invalid ids
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = { NULL, NULL };
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}

// Each child control is updated under its own id: first by its own reflected
// update handler, then by a handler of this window, last through pTarget's
// routing. Without any handler, bDisableIfNoHndler disables push buttons
// whose command nothing handles; check boxes, radio buttons and group boxes
// that act by themselves and controls that are not buttons stay as they are.
void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandle(hWndChild);
        state.m_nID = (UINT)(WORD)::GetDlgCtrlID(hWndChild);
        state.m_pOther = pChild;
        CWnd* pPermanent = CWnd::FromHandlePermanent(hWndChild);
        if (pPermanent != NULL &&
            pPermanent->CCmdTarget::OnCmdMsg(0, MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE), &state, NULL))
            continue;
        if (CCmdTarget::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        BOOL bDisable = bDisableIfNoHndler;
        if (bDisable) {
            if ((::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) == 0) {
                bDisable = FALSE;
            } else {
                UINT nKind = (UINT)::GetWindowLongPtr(hWndChild, GWL_STYLE) & 0x0F;
                if (nKind == (UINT)BS_AUTOCHECKBOX || nKind == (UINT)BS_AUTO3STATE || nKind == (UINT)BS_GROUPBOX ||
                    nKind == (UINT)BS_AUTORADIOBUTTON)
                    bDisable = FALSE;
            }
        }
        state.DoUpdate(pTarget, bDisable);
    }
}

void AFXAPI AfxUpdatePopupMenu(CCmdTarget* pTarget, CMenu* pPopupMenu, BOOL bAutoMenuEnable)
{
    if (pTarget == NULL || pPopupMenu == NULL)
        return;
    HMENU hMenu = pPopupMenu->GetSafeHmenu();
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = (UINT)::GetMenuItemCount(hMenu);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = ::GetMenuItemID(hMenu, (int)state.m_nIndex);
        if (state.m_nID == 0)
            continue;   // separator
        if (state.m_nID == (UINT)-1) {
            // a popup item is updated as its first item says, never disabled
            HMENU hSub = ::GetSubMenu(hMenu, (int)state.m_nIndex);
            if (hSub == NULL)
                continue;
            state.m_nID = ::GetMenuItemID(hSub, 0);
            if (state.m_nID == 0 || state.m_nID == (UINT)-1)
                continue;
            state.m_pSubMenu = CMenu::FromHandle(hSub);
            state.DoUpdate(pTarget, FALSE);
        } else {
            state.m_pSubMenu = NULL;
            state.DoUpdate(pTarget, bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // a handler may have inserted or removed items (the recent-file list)
        UINT nCount = (UINT)::GetMenuItemCount(hMenu);
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount && ::GetMenuItemID(hMenu, (int)state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}
