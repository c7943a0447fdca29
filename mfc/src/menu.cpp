// Menus: the per-thread menu map, popup tracking and the search that takes an
// owner-draw item back to the CMenu that draws it.
#include <afxwin.h>
#include <afxhandle.h>

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace
{

typedef CHandleMap<CMenu, HMENU, CHandleMemberTraits<CMenu, HMENU, &CMenu::m_hMenu> > CMenuHandleMap;

inline CMenuHandleMap* MenuMap() { return CMenuHandleMap::GetThreadMap(); }

// The popup this thread is tracking through CMenu::TrackPopupMenu(Ex), and
// its owner. WM_MEASUREITEM names only the item, so the owner's handler needs
// to know which menu is open to find the CMenu that measures it.
struct CTrackingState
{
    HWND hWnd;
    HMENU hMenu;
};
thread_local CTrackingState t_tracking = {NULL, NULL};

// Sets the tracking state for one TrackPopupMenu call and puts back the outer
// one afterwards (a handler may track another popup meanwhile).
class CTrackingScope
{
public:
    CTrackingScope(HWND hWnd, HMENU hMenu) : m_saved(t_tracking) { t_tracking = {hWnd, hMenu}; }
    ~CTrackingScope() { t_tracking = m_saved; }
private:
    CTrackingState m_saved;
};

// Depth first: a submenu is searched where it stands among its parent's items.
// An item that opens a submenu carries the submenu's handle as its id.
CMenu* FindPopupFromID(HMENU hMenu, UINT nID)
{
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        if (hSubMenu != NULL)
        {
            if ((UINT)(UINT_PTR)hSubMenu == nID)
            {
                if (CMenu* pMenu = CMenu::FromHandlePermanent(hMenu))
                    return pMenu;
            }
            if (CMenu* pMenu = FindPopupFromID(hSubMenu, nID))
                return pMenu;
        }
        else if (::GetMenuItemID(hMenu, i) == nID)
        {
            // Keep looking when this popup has no wrapper: another popup
            // holding the same id may have one.
            if (CMenu* pMenu = CMenu::FromHandlePermanent(hMenu))
                return pMenu;
        }
    }
    return NULL;
}

}  // namespace

CMenu::~CMenu()
{
    if (m_hMenu != NULL)
        DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return MenuMap()->FromHandle(hMenu);
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu)
{
    return hMenu != NULL ? MenuMap()->LookupPermanent(hMenu) : NULL;
}

void PASCAL CMenu::DeleteTempMap()
{
    MenuMap()->DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == NULL)
        return FALSE;
    m_hMenu = hMenu;
    MenuMap()->SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != NULL)
    {
        CMenuHandleMap* pMap = MenuMap();
        if (pMap->LookupPermanent(hMenu) == this)
            pMap->RemoveHandle(hMenu);
    }
    m_hMenu = NULL;
    return hMenu;
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    return Attach(::LoadMenu(hInst, lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLength = ::GetMenuString(m_hMenu, nIDItem, NULL, 0, nFlags);
    if (nLength <= 0)
    {
        rString.Empty();
        return nLength;
    }
    int nResult = ::GetMenuString(m_hMenu, nIDItem, rString.GetBuffer(nLength + 1), nLength + 1, nFlags);
    rString.ReleaseBuffer();
    return nResult;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    CTrackingScope scope(hWnd, m_hMenu);
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, hWnd, lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    CTrackingScope scope(hWnd, m_hMenu);
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, hWnd, lptpm);
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

CMenu* PASCAL CMenu::FindPopupMenuFromID(CMenu* pMenu, UINT nID)
{
    HMENU hMenu = pMenu->GetSafeHmenu();
    return hMenu != NULL ? FindPopupFromID(hMenu, nID) : NULL;
}

HMENU PASCAL CMenu::GetTrackingMenu(HWND hWnd)
{
    return hWnd != NULL && t_tracking.hWnd == hWnd ? t_tracking.hMenu : NULL;
}

CMenu* PASCAL CMenu::FindMenuForMeasureItem(HWND hWnd, UINT nID)
{
    if (HMENU hTracking = GetTrackingMenu(hWnd))
    {
        if (CMenu* pMenu = FindPopupFromID(hTracking, nID))
            return pMenu;
    }
    // A child window's "menu" is its control id.
    if (hWnd != NULL && (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) == 0)
    {
        if (HMENU hBar = ::GetMenu(hWnd))
            return FindPopupFromID(hBar, nID);
    }
    return NULL;
}
