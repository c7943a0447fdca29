#include "OXBitmapMenuPopupWnd.h"

#include <algorithm>

#include "OXBitmapMenu.h"
#include "OXMenuSkin.h"
#include "OXSHBDropTarget.h"
#include "OXSkins.h"

IMPLEMENT_DYNAMIC(COXBitmapMenuPopupWnd, CWnd)

namespace {

// An item's id as the menu measures and draws it, and its data.
struct CPopupItem
{
    UINT nID;
    ULONG_PTR dwData;

    CPopupItem(HMENU hMenu, int nPos)
    {
        MENUITEMINFOA mii;
        ZeroMemory(&mii, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        if (!::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &mii))
            ZeroMemory(&mii, sizeof(mii));
        nID = (mii.fType & MFT_SEPARATOR) ? 0 : mii.wID;
        dwData = mii.dwItemData;
        if (mii.hSubMenu != NULL)
            nID = (UINT)(UINT_PTR)mii.hSubMenu;
    }
};

}   // namespace

COXBitmapMenuPopupWnd::COXBitmapMenuPopupWnd() : m_pBitmapMenu(NULL), m_rect(0, 0, 0, 0), m_nTimerID(0) {}

COXBitmapMenuPopupWnd::~COXBitmapMenuPopupWnd()
{
    Unlink();
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL COXBitmapMenuPopupWnd::IsCustomizing() const
{
    return m_pBitmapMenu != NULL && m_pBitmapMenu->IsInCustomizationMode();
}

void COXBitmapMenuPopupWnd::BuildFont()
{
    NONCLIENTMETRICSA ncm;
    OXGetNonClientMetrics(ncm);
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&ncm.lfMenuFont);
}

void COXBitmapMenuPopupWnd::Unlink()
{
    if (m_nTimerID != 0 && m_hWnd != NULL)
        KillTimer(m_nTimerID);
    m_nTimerID = 0;
    if (m_pBitmapMenu == NULL)
        return;
    // A window holds one drop target: the next menu shown here needs it.
    COXSHBDropTarget* pTarget = m_pBitmapMenu->GetDropTarget();
    if (pTarget != NULL && m_hWnd != NULL && pTarget->m_hWnd == m_hWnd)
        pTarget->Revoke();
    if (m_pBitmapMenu->m_pPopupWnd == this)
        m_pBitmapMenu->m_pPopupWnd = NULL;
    m_pBitmapMenu = NULL;
}

BOOL COXBitmapMenuPopupWnd::TrackPopupMenu(COXBitmapMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd)
{
    if (pMenu == NULL)
        return FALSE;
    if (m_pBitmapMenu != pMenu)
        Unlink();
    m_pBitmapMenu = pMenu;
    pMenu->m_pPopupWnd = this;
    if (m_hWnd == NULL) {
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_DBLCLKS, NULL, (HBRUSH)(COLOR_BTNFACE + 1));
        if (!CreateEx(WS_EX_DLGMODALFRAME, lpszClass, "", WS_POPUP, CRect(0, 0, 0, 0), pWnd, 0)) {
            pMenu->m_pPopupWnd = NULL;
            m_pBitmapMenu = NULL;
            return FALSE;
        }
    }
    COXSHBDropTarget* pTarget = pMenu->GetDropTarget();
    pTarget->Revoke();
    pTarget->Register(this);
    pMenu->SetCustomizeMode(pWnd != NULL ? pWnd->GetSafeHwnd() : NULL, TRUE);
    BuildFont();
    CalcLayout(nFlags, x, y);
    SetWindowPos(&CWnd::wndTop, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    return TRUE;
}

void COXBitmapMenuPopupWnd::Hide()
{
    if (m_pBitmapMenu != NULL && !m_pBitmapMenu->m_bKeepCustomizedItem)
        m_pBitmapMenu->SetCustomizedItem(-1);
    Unlink();
    if (m_hWnd != NULL)
        ShowWindow(SW_HIDE);
}

void COXBitmapMenuPopupWnd::Refresh()
{
    if (m_pBitmapMenu == NULL || m_hWnd == NULL)
        return;
    CPoint ptClient(0, 0);
    ClientToScreen(&ptClient);
    m_pBitmapMenu->UpdateExtents();
    CalcLayout(0, ptClient.x, ptClient.y);
    if (!IsWindowVisible()) {
        ShowWindow(SW_HIDE);
        return;
    }
    SetWindowPos(NULL, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

void COXBitmapMenuPopupWnd::CalcLayout(UINT nFlags, int x, int y)
{
    m_arrItemRects.RemoveAll();
    int nWidest = 0, nHeight = 0;
    const int nCount = m_pBitmapMenu != NULL ? ::GetMenuItemCount(m_pBitmapMenu->m_hMenu) : 0;
    for (int i = 0; i < nCount; ++i) {
        const CPopupItem item(m_pBitmapMenu->m_hMenu, i);
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, item.nID, 0, 0, item.dwData};
        m_pBitmapMenu->MeasureItem(&mis);
        CRect rc(0, nHeight, (int)mis.itemWidth, nHeight + (int)mis.itemHeight);
        m_arrItemRects.Add(rc);
        nHeight += (int)mis.itemHeight;
        nWidest = std::max(nWidest, (int)mis.itemWidth);
    }
    if (nCount <= 0 || (nWidest == 0 && nHeight == 0)) {
        nWidest = 50;
        nHeight = 18;
    }
    int nLeft = x;
    if (nFlags & TPM_CENTERALIGN)
        nLeft = x - nWidest / 2;
    else if (nFlags & TPM_RIGHTALIGN)
        nLeft = x - nWidest;
    const CRect rcClient(nLeft, y, nLeft + nWidest, y + nHeight);
    CRect rcWindow = rcClient;
    if (m_hWnd != NULL)
        CalcWindowRect(&rcWindow);
    // The client starts at the wanted point, with a border's width to spare
    // on either side of the widest item.
    const int nBorder = rcClient.left - rcWindow.left;
    rcWindow.right += 2 * nBorder;
    m_rect = rcWindow;
    const int nItemWidth = nWidest + 2 * nBorder;
    for (INT_PTR i = 0; i < m_arrItemRects.GetSize(); ++i)
        if (m_arrItemRects[i].Width() < nItemWidth)
            m_arrItemRects[i].right = m_arrItemRects[i].left + nItemWidth;
}

CRect COXBitmapMenuPopupWnd::GetItemRect(int nPos) const
{
    if (nPos < 0 || nPos >= m_arrItemRects.GetSize())
        return CRect(0, 0, 0, 0);
    return m_arrItemRects[nPos];
}

void COXBitmapMenuPopupWnd::RedrawItem(int nPos)
{
    if (m_hWnd == NULL || nPos < 0 || nPos >= m_arrItemRects.GetSize())
        return;
    CRect rc = m_arrItemRects[nPos];
    RedrawWindow(&rc, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------
void COXBitmapMenuPopupWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pBitmapMenu == NULL)
        return;
    dc.SetTextColor(::GetSysColor(COLOR_MENUTEXT));
    CFont* pOldFont = dc.SelectObject(&m_font);
    const int nCount = std::min(::GetMenuItemCount(m_pBitmapMenu->m_hMenu), (int)m_arrItemRects.GetSize());
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOA mii;
        ZeroMemory(&mii, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_DATA;
        ::GetMenuItemInfoA(m_pBitmapMenu->m_hMenu, (UINT)i, TRUE, &mii);
        DRAWITEMSTRUCT dis;
        ZeroMemory(&dis, sizeof(dis));
        dis.CtlType = ODT_MENU;
        dis.itemID = ::GetMenuItemID(m_pBitmapMenu->m_hMenu, i);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = (HWND)m_pBitmapMenu->m_hMenu;
        dis.hDC = dc.m_hDC;
        dis.rcItem = m_arrItemRects[i];
        dis.itemData = mii.dwItemData;
        m_pBitmapMenu->DrawItem(&dis);
    }
    dc.SelectObject(pOldFont);
}

void COXBitmapMenuPopupWnd::OnNcPaint()
{
    if (!OXGetMenuSkin()->DrawPopupNonClient(this))
        Default();
}

void COXBitmapMenuPopupWnd::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/)
{
    BuildFont();
    Refresh();
}

int COXBitmapMenuPopupWnd::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    return MA_NOACTIVATE;
}

void COXBitmapMenuPopupWnd::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    if (!IsCustomizing()) {
        Default();
        return;
    }
    if (m_nTimerID != 0)
        return;
    m_pBitmapMenu->SetCustomizedItem(m_pBitmapMenu->HitTest(point));
    m_nTimerID = (UINT)SetTimer(OX_POPUP_HOLD_TIMER, OX_POPUP_HOLD_MS, NULL);
}

void COXBitmapMenuPopupWnd::OnMButtonDown(UINT /*nFlags*/, CPoint point)
{
    if (!IsCustomizing()) {
        Default();
        return;
    }
    m_pBitmapMenu->SetCustomizedItem(m_pBitmapMenu->HitTest(point));
}

void COXBitmapMenuPopupWnd::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    if (!IsCustomizing()) {
        Default();
        return;
    }
    m_pBitmapMenu->SetCustomizedItem(m_pBitmapMenu->HitTest(point));
}

void COXBitmapMenuPopupWnd::OnRButtonUp(UINT /*nFlags*/, CPoint point)
{
    if (!IsCustomizing()) {
        Default();
        return;
    }
    const int nItem = m_pBitmapMenu->GetCustomizedItem();
    if (nItem == -1)
        return;
    ClientToScreen(&point);
    m_pBitmapMenu->ShowCustomizeMenu(nItem, point);
}

void COXBitmapMenuPopupWnd::OnMouseMove(UINT nFlags, CPoint /*point*/)
{
    if (!IsCustomizing()) {
        Default();
        return;
    }
    // Released before the hold was up: a click, no drag.
    if (m_nTimerID != 0 && !(nFlags & MK_LBUTTON)) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
}

void COXBitmapMenuPopupWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != OX_POPUP_HOLD_TIMER) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    KillTimer(nIDEvent);
    m_nTimerID = 0;
    const int vkLeft = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    if (::IsWindow(m_hWnd) && IsCustomizing() && (::GetAsyncKeyState(vkLeft) & 0x8000) != 0)
        m_pBitmapMenu->OnItemHeld(m_pBitmapMenu->GetCustomizedItem());
}

void COXBitmapMenuPopupWnd::OnCustomizeCommand(UINT nID)
{
    if (IsCustomizing())
        m_pBitmapMenu->OnCustomizeCommand(nID);
}

LRESULT COXBitmapMenuPopupWnd::OnDragEnter(WPARAM /*wParam*/, LPARAM lParam)
{
    return IsCustomizing() ? m_pBitmapMenu->OnDragOver((OXDRAGDROPMESSAGE*)lParam) : 0;
}

LRESULT COXBitmapMenuPopupWnd::OnDragOver(WPARAM /*wParam*/, LPARAM lParam)
{
    return IsCustomizing() ? m_pBitmapMenu->OnDragOver((OXDRAGDROPMESSAGE*)lParam) : 0;
}

LRESULT COXBitmapMenuPopupWnd::OnDragLeave(WPARAM /*wParam*/, LPARAM lParam)
{
    return IsCustomizing() ? m_pBitmapMenu->OnDragLeave((OXDRAGDROPMESSAGE*)lParam) : 0;
}

LRESULT COXBitmapMenuPopupWnd::OnDrop(WPARAM /*wParam*/, LPARAM lParam)
{
    return IsCustomizing() ? m_pBitmapMenu->OnDrop((OXDRAGDROPMESSAGE*)lParam) : 0;
}

BEGIN_MESSAGE_MAP(COXBitmapMenuPopupWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_SETTINGCHANGE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_COMMAND_RANGE(OX_CUSTOMIZE_DELETE, OX_CUSTOMIZE_ALWAYSSHOWN, OnCustomizeCommand)
    ON_MESSAGE(SHBDTM_DRAGENTER, OnDragEnter)
    ON_MESSAGE(SHBDTM_DRAGOVER, OnDragOver)
    ON_MESSAGE(SHBDTM_DRAGLEAVE, OnDragLeave)
    ON_MESSAGE(SHBDTM_DROP, OnDrop)
END_MESSAGE_MAP()
