#include "OXSkinnedApp.h"

#include <afxext.h>

IMPLEMENT_DYNAMIC(COXSkinnedApp, CWinApp)

COXSkinnedApp::COXSkinnedApp() : CWinApp(NULL), m_pCurrentSkin(NULL)
{
    m_mapSkins.InitHashTable(10);
    AddSkin(new COXSkinClassic);
    AddSkin(new COXSkinXP);
    AddSkin(new COXSkin2003);
    SetCurrentSkin("Office XP");
}

COXSkinnedApp::~COXSkinnedApp()
{
    POSITION pos = m_mapSkins.GetStartPosition();
    while (pos != NULL) {
        CString strName;
        void* pSkin = NULL;
        m_mapSkins.GetNextAssoc(pos, strName, pSkin);
        delete static_cast<COXSkin*>(pSkin);
    }
    m_mapSkins.RemoveAll();
    m_pCurrentSkin = NULL;
}

void COXSkinnedApp::AddSkin(COXSkin* pSkin)
{
    if (pSkin == NULL)
        return;
    void* pOld = NULL;
    if (m_mapSkins.Lookup(pSkin->GetName(), pOld) && pOld != pSkin) {
        // The map owns its skins: the one replaced would otherwise be lost,
        // and a current skin that is deleted must not stay current.
        if (m_pCurrentSkin == pOld)
            m_pCurrentSkin = pSkin;
        delete static_cast<COXSkin*>(pOld);
    }
    m_mapSkins.SetAt(pSkin->GetName(), pSkin);
}

COXSkin* COXSkinnedApp::GetSkin(LPCTSTR lpszName) const
{
    void* pSkin = NULL;
    if (lpszName == NULL || !m_mapSkins.Lookup(lpszName, pSkin))
        return NULL;
    return static_cast<COXSkin*>(pSkin);
}

BOOL COXSkinnedApp::SetCurrentSkin(LPCTSTR lpszName)
{
    COXSkin* pPrevious = m_pCurrentSkin;
    m_pCurrentSkin = GetSkin(lpszName);
    if (m_pCurrentSkin == NULL) {
        // The controls fall back to their own Classic look: show it now
        // rather than at each window's next paint.
        if (pPrevious != NULL)
            RefreshAfterSwitch();
        return FALSE;
    }
    // A switch reads the visual style anew: the way to follow a theme change.
    if (COXSkin2003* p2003 = dynamic_cast<COXSkin2003*>(m_pCurrentSkin))
        p2003->ResetTheme();
    RefreshAfterSwitch();
    return TRUE;
}

BOOL COXSkinnedApp::SetCurrentSkin(COXSkin* pSkin)
{
    if (pSkin == NULL) {
        m_pCurrentSkin = NULL;
        return FALSE;
    }
    return SetCurrentSkin((LPCTSTR)pSkin->GetName());
}

BOOL COXSkinnedApp::HasSkinnedFrame(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && (pWnd->IsFrameWnd() || pWnd->IsKindOf(RUNTIME_CLASS(CControlBar))))
        return TRUE;
    CRect rectWindow, rectClient;
    ::GetWindowRect(hWnd, &rectWindow);
    ::GetClientRect(hWnd, &rectClient);
    return rectWindow.Width() != rectClient.Width() || rectWindow.Height() != rectClient.Height();
}

void COXSkinnedApp::RefreshLayout(HWND hWnd)
{
    HWND hFirstChild = ::GetWindow(hWnd, GW_CHILD);
    // A window lays out its children (a frame its bars) when sized; a
    // window without children has nothing to place, and a stock control
    // sized to its own size only repaints for nothing.
    if (hFirstChild != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_MAXIMIZE) == 0) {
        CRect rect;
        ::GetClientRect(hWnd, &rect);
        ::SendMessage(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
    }
    // Bars, frames and windows with borders measure their non-client area
    // again: a skin may draw borders of another width. The others are left
    // out: a frame change costs about a repaint of the window.
    if (HasSkinnedFrame(hWnd))
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                           SWP_NOOWNERZORDER | SWP_NOREDRAW);
    for (HWND hChild = hFirstChild; hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        RefreshLayout(hChild);
}

void COXSkinnedApp::RefreshWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd))
        return;
    // Every window is laid out again (its element skin may measure
    // differently), then the whole tree is repainted once: painting each
    // child again after its parent painted it shows nothing new.
    RefreshLayout(hWnd);
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

namespace {

// Whether hWnd hangs below hAncestor through parents or owners (a floating
// frame is owned by the main window, not its child).
bool IsBelow(HWND hWnd, HWND hAncestor)
{
    for (HWND h = ::GetParent(hWnd); h != NULL; h = ::GetParent(h))
        if (h == hAncestor)
            return true;
    return false;
}

} // namespace

void COXSkinnedApp::RefreshAfterSwitch()
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || !::IsWindow(pMain->GetSafeHwnd()))
        return;
    HWND hMain = pMain->GetSafeHwnd();
    // A plain frame floats its bars in mini dock frames too, so every mini
    // dock frame of the main window counts, not only the sizable kind.
    for (HWND hTop = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hTop != NULL;
         hTop = ::GetWindow(hTop, GW_HWNDNEXT)) {
        if (hTop == hMain || !IsBelow(hTop, hMain))
            continue;
        CWnd* pWnd = CWnd::FromHandlePermanent(hTop);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
            RefreshWindow(hTop);
    }
    RefreshWindow(hMain);
}

COXSkin* AFXAPI OXGetCurrentSkin()
{
    COXSkinnedApp* pApp = DYNAMIC_DOWNCAST(COXSkinnedApp, AfxGetApp());
    return pApp != NULL ? pApp->GetCurrentSkin() : NULL;
}
