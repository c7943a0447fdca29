#include "OXSkinnedSpinCtrl.h"

#include "OXSkinnedApp.h"
#include "OXTabSkin.h"

IMPLEMENT_DYNCREATE(COXSkinnedSpinCtrl, CSpinButtonCtrl)

HHOOK COXSkinnedSpinCtrl::s_hMouseHook = NULL;
HWND COXSkinnedSpinCtrl::s_hLastWnd = NULL;

BEGIN_MESSAGE_MAP(COXSkinnedSpinCtrl, CSpinButtonCtrl)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

COXSkinnedSpinCtrl::COXSkinnedSpinCtrl() : m_pTabSkin(NULL) {}

COXSkinnedSpinCtrl::~COXSkinnedSpinCtrl()
{
    delete m_pTabSkin;
}

COXTabSkin* COXSkinnedSpinCtrl::GetTabSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    if (pSkin != NULL && pSkin->GetTabSkin() != NULL)
        return pSkin->GetTabSkin();
    if (m_pTabSkin == NULL)
        m_pTabSkin = new COXTabSkinClassic;
    return m_pTabSkin;
}

COXSkinnedSpinCtrl* COXSkinnedSpinCtrl::FromWindow(HWND hWnd)
{
    CWnd* pWnd = hWnd != NULL ? CWnd::FromHandlePermanent(hWnd) : NULL;
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(COXSkinnedSpinCtrl)))
        return static_cast<COXSkinnedSpinCtrl*>(pWnd);
    return NULL;
}

LRESULT CALLBACK COXSkinnedSpinCtrl::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && (wParam == WM_MOUSEMOVE || wParam == WM_NCMOUSEMOVE)) {
        const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        COXSkinnedSpinCtrl* pLast = FromWindow(s_hLastWnd);
        if (pLast != NULL && pLast != FromWindow(pInfo->hwnd))
            pLast->SendMessage(WM_MOUSEMOVE, 0, 0);
        s_hLastWnd = pInfo->hwnd;
    }
    return ::CallNextHookEx(s_hMouseHook, nCode, wParam, lParam);
}

void COXSkinnedSpinCtrl::PreSubclassWindow()
{
    if (s_hMouseHook == NULL)
        s_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
    CSpinButtonCtrl::PreSubclassWindow();
}

void COXSkinnedSpinCtrl::OnDestroy()
{
    if (s_hMouseHook != NULL) {
        ::UnhookWindowsHookEx(s_hMouseHook);
        s_hMouseHook = NULL;
    }
    s_hLastWnd = NULL;
    CSpinButtonCtrl::OnDestroy();
}

void COXSkinnedSpinCtrl::OnPaint()
{
    GetTabSkin()->OnPaintSpin(this);
}

BOOL COXSkinnedSpinCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COXSkinnedSpinCtrl::OnMouseMove(UINT, CPoint)
{
    // The hot half follows the pointer: the whole control repaints.
    Invalidate(TRUE);
    Default();
}
