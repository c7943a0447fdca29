#include "OXSkinnedComboBox.h"

#include "OXComCtlVersion.h"
#include "OXSkinnedApp.h"

IMPLEMENT_DYNCREATE(COXSkinnedComboBox, CComboBox)

HHOOK COXSkinnedComboBox::s_hMouseHook = NULL;
HWND COXSkinnedComboBox::s_hLastWnd = NULL;

BEGIN_MESSAGE_MAP(COXSkinnedComboBox, CComboBox)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_CONTROL_REFLECT_EX(CBN_SELCHANGE, OnRedrawNotify)
    ON_CONTROL_REFLECT_EX(CBN_SETFOCUS, OnSetFocusNotify)
    ON_CONTROL_REFLECT_EX(CBN_KILLFOCUS, OnKillFocusNotify)
    ON_CONTROL_REFLECT_EX(CBN_CLOSEUP, OnRedrawNotify)
END_MESSAGE_MAP()

COXSkinnedComboBox::COXSkinnedComboBox()
    : m_pToolbarSkin(NULL), m_bComCtl6(FALSE), m_bSelHidden(FALSE), m_dwHiddenStart(0), m_dwHiddenEnd(0)
{
    int nMajor = 0, nMinor = 0;
    if (SUCCEEDED(GetComCtlVersion(&nMajor, &nMinor)))
        m_bComCtl6 = IsComCtl6Version(nMajor, nMinor);
}

COXSkinnedComboBox::~COXSkinnedComboBox()
{
    delete m_pToolbarSkin;
}

BOOL COXSkinnedComboBox::IsComCtl6Version(int nMajor, int nMinor)
{
    return PackComCtlVersion(nMajor, nMinor) > 0x5FFFF;
}

COXToolbarSkin* COXSkinnedComboBox::GetToolbarSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    if (pSkin != NULL && pSkin->GetToolbarSkin() != NULL)
        return pSkin->GetToolbarSkin();
    if (m_pToolbarSkin == NULL)
        m_pToolbarSkin = new COXToolbarSkinClassic;
    return m_pToolbarSkin;
}

COXSkinnedComboBox* COXSkinnedComboBox::FromPointerWindow(HWND hWnd)
{
    for (int i = 0; i < 2 && hWnd != NULL; ++i, hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(COXSkinnedComboBox)))
            return static_cast<COXSkinnedComboBox*>(pWnd);
    }
    return NULL;
}

HWND COXSkinnedComboBox::HoverRedrawTarget(HWND hLast, HWND hNow)
{
    if (hLast != NULL && hLast != hNow)
        return hLast;
    if (hNow != NULL && hNow != hLast)
        return hNow;
    return NULL;
}

LRESULT CALLBACK COXSkinnedComboBox::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && wParam == WM_MOUSEMOVE) {
        const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        COXSkinnedComboBox* pLast = FromPointerWindow(s_hLastWnd);
        COXSkinnedComboBox* pNow = FromPointerWindow(pInfo->hwnd);
        HWND hRedraw = HoverRedrawTarget(pLast != NULL ? pLast->GetSafeHwnd() : NULL,
                                         pNow != NULL ? pNow->GetSafeHwnd() : NULL);
        COXSkinnedComboBox* pRedraw = hRedraw == NULL                                   ? NULL
                                      : pNow != NULL && hRedraw == pNow->GetSafeHwnd() ? pNow
                                                                                       : pLast;
        if (pRedraw != NULL)
            pRedraw->GetToolbarSkin()->DrawComboBox(pRedraw);
        s_hLastWnd = pInfo->hwnd;
    }
    return ::CallNextHookEx(s_hMouseHook, nCode, wParam, lParam);
}

int COXSkinnedComboBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (s_hMouseHook == NULL)
        s_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
    return 0;
}

void COXSkinnedComboBox::OnDestroy()
{
    // One hook serves every box; the first box to go takes it with it.
    if (s_hMouseHook != NULL) {
        ::UnhookWindowsHookEx(s_hMouseHook);
        s_hMouseHook = NULL;
    }
    s_hLastWnd = NULL;
    CComboBox::OnDestroy();
}

void COXSkinnedComboBox::OnPaint()
{
    GetToolbarSkin()->OnPaintComboBox(this);
}

BOOL COXSkinnedComboBox::OnRedrawNotify()
{
    GetToolbarSkin()->DrawComboBox(this);
    return FALSE;
}

HWND COXSkinnedComboBox::GetEditWindow() const
{
    COMBOBOXINFO info;
    if ((GetStyle() & 3) == CBS_DROPDOWNLIST || !GetComboBoxInfo(&info))
        return NULL;
    return info.hwndItem;
}

// A box shows its selection only while it has the focus, as a drop-down
// list does. The system's combo edit keeps painting its selection after the
// focus has gone (it is made with ES_NOHIDESEL, fixed at its creation), so
// the selection is taken away here and given back with the focus.
BOOL COXSkinnedComboBox::OnKillFocusNotify()
{
    HWND hEdit = GetEditWindow();
    DWORD dwStart = 0, dwEnd = 0;
    if (hEdit != NULL)
        ::SendMessage(hEdit, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    if (dwStart != dwEnd) {
        m_bSelHidden = TRUE;
        m_dwHiddenStart = dwStart;
        m_dwHiddenEnd = dwEnd;
        ::SendMessage(hEdit, EM_SETSEL, dwEnd, dwEnd);
    }
    return OnRedrawNotify();
}

// The selection comes back when nothing has moved the caret meanwhile; a
// click that brings the focus places the caret itself and keeps it.
BOOL COXSkinnedComboBox::OnSetFocusNotify()
{
    HWND hEdit = GetEditWindow();
    if (m_bSelHidden && hEdit != NULL && ::GetKeyState(VK_LBUTTON) >= 0) {
        DWORD dwStart = 0, dwEnd = 0;
        ::SendMessage(hEdit, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
        if (dwStart == m_dwHiddenEnd && dwEnd == m_dwHiddenEnd &&
            (DWORD)::GetWindowTextLength(hEdit) >= m_dwHiddenEnd)
            ::SendMessage(hEdit, EM_SETSEL, m_dwHiddenStart, m_dwHiddenEnd);
    }
    m_bSelHidden = FALSE;
    return OnRedrawNotify();
}
