// wndproc.cpp - the common window procedure, the creation hook and message
// dispatch through message maps.
#include "wndimpl.h"

namespace {

thread_local AFX_WND_THREAD_STATE* t_pWndState = NULL;

}  // namespace

AFX_WND_THREAD_STATE* AFXAPI AfxGetWndThreadState()
{
    if (t_pWndState == NULL)
        t_pWndState = new AFX_WND_THREAD_STATE;
    return t_pWndState;
}

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    return AfxGetWndThreadState();
}

AFX_WND_THREAD_STATE* AFXAPI AfxPeekWndThreadState()
{
    return t_pWndState;
}

void AFXAPI AfxTermThread(HINSTANCE)
{
    AFX_WND_THREAD_STATE* pState = t_pWndState;
    if (pState == NULL)
        return;
    try {
        AfxDeleteTempMaps();
    } catch (...) {
        AfxReportCaughtException(FALSE);
    }
    if (pState->m_hHookOldCbtFilter != NULL)
        ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
    AfxToolTipTerm(pState);
    t_pWndState = NULL;
    delete pState;
}

// ---------------------------------------------------------------------------
// Message-map lookup
// ---------------------------------------------------------------------------

static const AFX_MSGMAP_ENTRY* FindEntryInChain(const AFX_MSGMAP* pMap, UINT nMsg)
{
    for (; pMap != NULL; pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (nMsg >= 0xC000) {
                if (e->nMessage == 0xC000 && *(const UINT*)e->nSig == nMsg)
                    return e;
            } else if (e->nMessage == nMsg && e->nID == 0 && e->nLastID == 0) {
                return e;
            }
        }
    }
    return NULL;
}

// Window messages reach the map of every window many times a second: the
// answer for (class, message) is kept per thread. Registered messages are
// looked up each time (their variables may be set after a first lookup).
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg)
{
    if (nMsg >= 0xC000)
        return FindEntryInChain(pMap, nMsg);
    AFX_WND_THREAD_STATE* pState = AfxGetWndThreadState();
    UINT_PTR nHash = (((UINT_PTR)pMap >> 4) ^ (nMsg * 0x9E37u)) & (_countof(pState->msgCache) - 1);
    AFX_MSGCACHE_ENTRY& slot = pState->msgCache[nHash];
    if (slot.pMap == pMap && slot.nMsg == nMsg)
        return slot.pEntry;
    const AFX_MSGMAP_ENTRY* pEntry = FindEntryInChain(pMap, nMsg);
    slot.pMap = pMap;
    slot.nMsg = nMsg;
    slot.pEntry = pEntry;
    return pEntry;
}

// ---------------------------------------------------------------------------
// Cracking and calling a window-message handler
// ---------------------------------------------------------------------------

static CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint(AFX_GET_X_LPARAM(lParam), AFX_GET_Y_LPARAM(lParam));
}

// Returns FALSE when the handler declined (a reflected colour handler that
// gave no brush): the message then goes on as if there were no entry.
static BOOL DispatchWndMsg(CWnd* pWnd, const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam,
                           LPARAM lParam, LRESULT* plResult)
{
    AFX_PMSGW pfn = pEntry->pfn;
    UINT_PTR nSig = pEntry->nMessage == 0xC000 ? (UINT_PTR)AfxSig_lwl : pEntry->nSig;
    LRESULT r = 0;
#define AFX_CALL(type) (pWnd->*reinterpret_cast<type>(pfn))
    switch (nSig) {
    case AfxSig_lwl:
        r = AFX_CALL(LRESULT (CWnd::*)(WPARAM, LPARAM))(wParam, lParam);
        break;
    case AfxSig_vv:
        AFX_CALL(void (CWnd::*)())();
        break;
    case AfxSig_bv:
        r = AFX_CALL(BOOL (CWnd::*)())();
        break;
    case AfxSig_uv:
        r = AFX_CALL(UINT (CWnd::*)())();
        break;
    case AfxSig_hv:
        r = (LRESULT)AFX_CALL(HCURSOR (CWnd::*)())();
        break;
    case AfxSig_lv:
        r = AFX_CALL(LRESULT (CWnd::*)())();
        break;
    case AfxSig_vb:
        AFX_CALL(void (CWnd::*)(BOOL))((BOOL)wParam);
        break;
    case AfxSig_bb:
        r = AFX_CALL(BOOL (CWnd::*)(BOOL))((BOOL)wParam);
        break;
    case AfxSig_OnRenderFormat:
        AFX_CALL(void (CWnd::*)(UINT))((UINT)wParam);
        break;
    case AfxSig_vW:
        AFX_CALL(void (CWnd::*)(CWnd*))(CWnd::FromHandle((HWND)wParam));
        break;
    case AfxSig_vWl:
        AFX_CALL(void (CWnd::*)(CWnd*))(CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_vPOINT:
    case AfxSig_vuPOINT:
    case AfxSig_OnMouseHover:
        AFX_CALL(void (CWnd::*)(UINT, CPoint))((UINT)wParam, PointFromLParam(lParam));
        break;
    case AfxSig_vuuu:
        AFX_CALL(void (CWnd::*)(UINT, UINT, UINT))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_OnCreate:
        r = AFX_CALL(int (CWnd::*)(LPCREATESTRUCT))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_OnNcCreate:
        r = AFX_CALL(BOOL (CWnd::*)(LPCREATESTRUCT))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_OnSize:
        AFX_CALL(void (CWnd::*)(UINT, int, int))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_OnMove:
        AFX_CALL(void (CWnd::*)(int, int))(AFX_GET_X_LPARAM(lParam), AFX_GET_Y_LPARAM(lParam));
        break;
    case AfxSig_OnTimer:
        AFX_CALL(void (CWnd::*)(UINT_PTR))((UINT_PTR)wParam);
        break;
    case AfxSig_OnSizing:
        AFX_CALL(void (CWnd::*)(UINT, LPRECT))((UINT)wParam, (LPRECT)lParam);
        r = TRUE;
        break;
    case AfxSig_OnGetMinMaxInfo:
        AFX_CALL(void (CWnd::*)(MINMAXINFO*))((MINMAXINFO*)lParam);
        break;
    case AfxSig_OnParentNotify:
        AFX_CALL(void (CWnd::*)(UINT, LPARAM))((UINT)wParam, lParam);
        break;
    case AfxSig_OnEraseBkgnd:
        r = AFX_CALL(BOOL (CWnd::*)(CDC*))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_OnCtlColor: {
        HDC hDC = (HDC)wParam;
        HWND hWndCtl = (HWND)lParam;
        UINT nCtlType = message - WM_CTLCOLORMSGBOX;
        if (message == WM_CTLCOLOR) {   // sent in its combined form
            AFX_CTLCOLOR* pCtl = (AFX_CTLCOLOR*)lParam;
            hDC = pCtl->hDC;
            hWndCtl = pCtl->hWnd;
            nCtlType = pCtl->nCtlType;
        }
        r = (LRESULT)AFX_CALL(HBRUSH (CWnd::*)(CDC*, CWnd*, UINT))(CDC::FromHandle(hDC),
                                                                    CWnd::FromHandle(hWndCtl), nCtlType);
        break;
    }
    case AfxSig_OnSettingChange:
        AFX_CALL(void (CWnd::*)(UINT, LPCTSTR))((UINT)wParam, (LPCTSTR)lParam);
        break;
    case AfxSig_OnContextMenu:
        AFX_CALL(void (CWnd::*)(CWnd*, CPoint))(CWnd::FromHandle((HWND)wParam), PointFromLParam(lParam));
        break;
    case AfxSig_OnInitMenuPopup:
        AFX_CALL(void (CWnd::*)(CMenu*, UINT, BOOL))(CMenu::FromHandle((HMENU)wParam), LOWORD(lParam),
                                                     (BOOL)HIWORD(lParam));
        break;
    case AfxSig_OnInitMenu:
        AFX_CALL(void (CWnd::*)(CMenu*))(CMenu::FromHandle((HMENU)wParam));
        break;
    case AfxSig_OnMeasureItem:
        AFX_CALL(void (CWnd::*)(int, LPMEASUREITEMSTRUCT))((int)wParam, (LPMEASUREITEMSTRUCT)lParam);
        r = TRUE;
        break;
    case AfxSig_OnDrawItem:
        AFX_CALL(void (CWnd::*)(int, LPDRAWITEMSTRUCT))((int)wParam, (LPDRAWITEMSTRUCT)lParam);
        r = TRUE;
        break;
    case AfxSig_OnCompareItem:
        r = AFX_CALL(int (CWnd::*)(int, LPCOMPAREITEMSTRUCT))((int)wParam, (LPCOMPAREITEMSTRUCT)lParam);
        break;
    case AfxSig_OnDeleteItem:
        AFX_CALL(void (CWnd::*)(int, LPDELETEITEMSTRUCT))((int)wParam, (LPDELETEITEMSTRUCT)lParam);
        r = TRUE;
        break;
    case AfxSig_OnCharToItem:
        r = AFX_CALL(int (CWnd::*)(UINT, CListBox*, UINT))(
            LOWORD(wParam), reinterpret_cast<CListBox*>(CWnd::FromHandle((HWND)lParam)), HIWORD(wParam));
        break;
    case AfxSig_OnMenuChar:
        r = AFX_CALL(LRESULT (CWnd::*)(UINT, UINT, CMenu*))(LOWORD(wParam), HIWORD(wParam),
                                                            CMenu::FromHandle((HMENU)lParam));
        break;
    case AfxSig_OnEnterIdle:
        AFX_CALL(void (CWnd::*)(UINT, CWnd*))((UINT)wParam, CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_OnMouseActivate:
        r = AFX_CALL(int (CWnd::*)(CWnd*, UINT, UINT))(CWnd::FromHandle((HWND)wParam), LOWORD(lParam),
                                                       HIWORD(lParam));
        break;
    case AfxSig_OnSetCursor:
        r = AFX_CALL(BOOL (CWnd::*)(CWnd*, UINT, UINT))(CWnd::FromHandle((HWND)wParam), LOWORD(lParam),
                                                        HIWORD(lParam));
        break;
    case AfxSig_OnActivate:
        AFX_CALL(void (CWnd::*)(UINT, CWnd*, BOOL))(LOWORD(wParam), CWnd::FromHandle((HWND)lParam),
                                                    (BOOL)HIWORD(wParam));
        break;
    case AfxSig_OnActivateApp:
        AFX_CALL(void (CWnd::*)(BOOL, DWORD))((BOOL)wParam, (DWORD)lParam);
        break;
    case AfxSig_OnNcCalcSize:
        AFX_CALL(void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*))((BOOL)wParam, (NCCALCSIZE_PARAMS*)lParam);
        break;
    case AfxSig_OnNcHitTest:
        r = AFX_CALL(LRESULT (CWnd::*)(CPoint))(PointFromLParam(lParam));
        break;
    case AfxSig_OnWindowPos:
        AFX_CALL(void (CWnd::*)(WINDOWPOS*))((WINDOWPOS*)lParam);
        break;
    case AfxSig_OnShowWindow:
        AFX_CALL(void (CWnd::*)(BOOL, UINT))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_OnSysCommand:
        AFX_CALL(void (CWnd::*)(UINT, LPARAM))((UINT)wParam, lParam);
        break;
    case AfxSig_OnScroll:
        AFX_CALL(void (CWnd::*)(UINT, UINT, CScrollBar*))(
            LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle((HWND)lParam)));
        break;
    case AfxSig_OnMouseWheel:
        r = AFX_CALL(BOOL (CWnd::*)(UINT, short, CPoint))(LOWORD(wParam), (short)HIWORD(wParam),
                                                          PointFromLParam(lParam));
        break;
    case AfxSig_OnStyleChanged:
        AFX_CALL(void (CWnd::*)(int, LPSTYLESTRUCT))((int)wParam, (LPSTYLESTRUCT)lParam);
        break;
    case AfxSig_OnDropFiles:
        AFX_CALL(void (CWnd::*)(HDROP))((HDROP)wParam);
        break;
    case AfxSig_OnCopyData:
        r = AFX_CALL(BOOL (CWnd::*)(CWnd*, COPYDATASTRUCT*))(CWnd::FromHandle((HWND)wParam),
                                                             (COPYDATASTRUCT*)lParam);
        break;
    case AfxSig_OnMenuSelect:
        AFX_CALL(void (CWnd::*)(UINT, UINT, HMENU))(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
        break;
    case AfxSig_OnDevModeChange:
        AFX_CALL(void (CWnd::*)(LPTSTR))((LPTSTR)lParam);
        break;
    case AfxSig_OnHelpInfo:
        r = AFX_CALL(BOOL (CWnd::*)(HELPINFO*))((HELPINFO*)lParam);
        break;
    case AfxSig_OnMDIActivate:
        AFX_CALL(void (CWnd::*)(BOOL, CWnd*, CWnd*))((HWND)lParam == pWnd->m_hWnd,
                                                     CWnd::FromHandle((HWND)lParam),
                                                     CWnd::FromHandle((HWND)wParam));
        break;
    // reflected from the parent: lParam as the parent received it
    case AfxSig_CtlColorReflect: {
        AFX_CTLCOLOR* pCtl = (AFX_CTLCOLOR*)lParam;
        HBRUSH hbr = AFX_CALL(HBRUSH (CWnd::*)(CDC*, UINT))(CDC::FromHandle(pCtl->hDC), pCtl->nCtlType);
        if (hbr == NULL)
            return FALSE;   // no brush: the parent decides
        r = (LRESULT)hbr;
        break;
    }
    case AfxSig_DrawItemReflect:
        AFX_CALL(void (CWnd::*)(LPDRAWITEMSTRUCT))((LPDRAWITEMSTRUCT)lParam);
        r = TRUE;
        break;
    case AfxSig_MeasureItemReflect:
        AFX_CALL(void (CWnd::*)(LPMEASUREITEMSTRUCT))((LPMEASUREITEMSTRUCT)lParam);
        r = TRUE;
        break;
    case AfxSig_DeleteItemReflect:
        AFX_CALL(void (CWnd::*)(LPDELETEITEMSTRUCT))((LPDELETEITEMSTRUCT)lParam);
        r = TRUE;
        break;
    case AfxSig_CompareItemReflect:
        r = AFX_CALL(int (CWnd::*)(LPCOMPAREITEMSTRUCT))((LPCOMPAREITEMSTRUCT)lParam);
        break;
    case AfxSig_ToItemReflect:
        r = AFX_CALL(int (CWnd::*)(UINT, UINT))(LOWORD(wParam), HIWORD(wParam));
        break;
    case AfxSig_ScrollReflect:
        AFX_CALL(void (CWnd::*)(UINT, UINT))(LOWORD(wParam), HIWORD(wParam));
        break;
    case AfxSig_ParentNotifyReflect:
        AFX_CALL(void (CWnd::*)(UINT, LPARAM))((UINT)wParam, lParam);
        break;
    default:
        return FALSE;   // a command or thread entry keyed like a window message
    }
#undef AFX_CALL
    *plResult = r;
    return TRUE;
}

// ---------------------------------------------------------------------------
// CWnd: window procedure members
// ---------------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

// WM_COMMAND and WM_NOTIFY go through OnCommand/OnNotify (reflection, then
// OnCmdMsg); everything else through the message map. WM_CTLCOLORxxx falls
// back to an ON_WM_CTLCOLOR entry.
BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    } else {
        const AFX_MSGMAP* pMap = GetMessageMap();
        const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(pMap, message);
        if (pEntry == NULL && message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            pEntry = AfxFindMessageEntry(pMap, WM_CTLCOLOR);
        if (pEntry == NULL || !DispatchWndMsg(this, pEntry, message, wParam, lParam, &lResult))
            return FALSE;
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, nMsg, wParam, lParam);
    return ::DefWindowProc(m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetWndThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    MSG* pMsg = &AfxGetWndThreadState()->m_lastSentMsg;
    pMsg->time = ::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    pMsg->pt.x = AFX_GET_X_LPARAM(dwPos);
    pMsg->pt.y = AFX_GET_Y_LPARAM(dwPos);
    return pMsg;
}

// ---------------------------------------------------------------------------
// The common window procedure
// ---------------------------------------------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || pWnd->m_hWnd != hWnd)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_WND_THREAD_STATE* pState = AfxGetWndThreadState();
    MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    try {
        if (nMsg == WM_INITMENUPOPUP) {
            // Owner-drawn items of this popup are measured next; WM_MEASUREITEM
            // does not say which menu they belong to.
            pState->m_hTrackingMenu = (HMENU)wParam;
            pState->m_hTrackingWindow = hWnd;
        }
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        try {
            CWinThread* pThread = AfxGetThread();
            if (pThread != NULL) {
                lResult = pThread->ProcessWndProcException(e, &pState->m_lastSentMsg);
            } else {
                if (nMsg == WM_PAINT)
                    ::ValidateRect(hWnd, NULL);
                e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
                lResult = nMsg == WM_CREATE ? -1 : 0;
            }
        } catch (...) {
            AfxReportCaughtException(FALSE);
        }
        e->Delete();
    } catch (...) {
        // Repainting would raise it again while the report is shown.
        if (nMsg == WM_PAINT)
            ::ValidateRect(hWnd, NULL);
        try {
            AfxReportCaughtException(TRUE);
        } catch (...) {
        }
        lResult = nMsg == WM_CREATE ? -1 : 0;
    }
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        // The class's OnNcDestroy did not reach CWnd's (or threw): finish its
        // work, so no object stays attached to a dead handle.
        if (pWnd->m_pfnSuper != NULL && (WNDPROC)::GetWindowLongPtr(hWnd, GWLP_WNDPROC) == &AfxWndProc)
            ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)pWnd->m_pfnSuper);
        pWnd->Detach();
        try {
            pWnd->PostNcDestroy();
        } catch (...) {
            AfxReportCaughtException(TRUE);
        }
    }
    pState->m_lastSentMsg = oldState;
    return lResult;
}

// ---------------------------------------------------------------------------
// Creation hook
// ---------------------------------------------------------------------------

// Windows the system creates on its own while ours is being created.
static BOOL IsSystemHelperWindow(HWND hWnd)
{
    char szClass[32];
    if (::GetClassNameA(hWnd, szClass, sizeof(szClass)) == 0)
        return FALSE;
    return lstrcmpiA(szClass, "IME") == 0 || lstrcmpiA(szClass, "MSCTFIME UI") == 0;
}

static LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_WND_THREAD_STATE* pState = AfxGetWndThreadState();
    CWnd* pWndInit = pState->m_pWndInit;
    // A window that PreSubclassWindow itself creates finds the object already
    // attached and is left alone.
    if (code == HCBT_CREATEWND && pWndInit != NULL && pWndInit->m_hWnd == NULL &&
        !IsSystemHelperWindow((HWND)wParam)) {
        HWND hWnd = (HWND)wParam;
        try {
            pWndInit->Attach(hWnd);
            // m_pWndInit still names the object here: PreSubclassWindow tells
            // a window being created from a control being subclassed by it.
            pWndInit->PreSubclassWindow();
            WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
            if (pfnOld != &AfxWndProc)
                pWndInit->m_pfnSuper = pfnOld;
        } catch (...) {
            AfxReportCaughtException(TRUE);
        }
        pState->m_pWndInit = NULL;
    }
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_WND_THREAD_STATE* pState = AfxGetWndThreadState();
    if (pState->m_hHookOldCbtFilter == NULL) {
        pState->m_hHookOldCbtFilter = ::SetWindowsHookEx(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
        if (pState->m_hHookOldCbtFilter == NULL)
            AfxThrowMemoryException();
    }
    pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_WND_THREAD_STATE* pState = AfxGetWndThreadState();
    if (pState->m_hHookOldCbtFilter != NULL) {
        ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
        pState->m_hHookOldCbtFilter = NULL;
    }
    if (pState->m_pWndInit != NULL) {
        pState->m_pWndInit = NULL;
        return FALSE;
    }
    return TRUE;
}
