#include "OXCustomizePage.h"

#include "OXCustomizeManager.h"

IMPLEMENT_DYNCREATE(COXCustomizePage, CWnd)

BEGIN_MESSAGE_MAP(COXCustomizePage, CWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

COXCustomizePage::COXCustomizePage()
    : m_pCustomizeManager(NULL), m_nDialogID((UINT)-1), m_bInitialized(FALSE)
{
}

COXCustomizePage::~COXCustomizePage()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL COXCustomizePage::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd, int left, int top, int right,
                              int bottom, UINT nID, DWORD dwStyle)
{
    // Templates may name any common control class.
    AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG);

    CREATESTRUCT cs = {};
    cs.style = dwStyle & ~WS_VISIBLE;
    if (!PreCreateWindow(cs))
        return FALSE;
    if (!CreateDlg(lpszTemplateName, pParentWnd))
        return FALSE;

    // Whatever frame the template has, the page is a plain child of the area
    // it fills.
    ModifyStyle(WS_CAPTION, (cs.style & ~WS_CAPTION) | WS_CHILD);
    ModifyStyleEx(WS_EX_CLIENTEDGE, cs.dwExStyle & ~WS_EX_CLIENTEDGE);
    SetDlgCtrlID(nID);
    if (!ExecuteDlgInit(lpszTemplateName))
        return FALSE;

    OnInitPage();
    m_bInitialized = TRUE;

    SetWindowPos(NULL, left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

BOOL COXCustomizePage::Load(const COXCustomizeManager* pManager)
{
    if (::IsWindow(m_hWnd)) {
        ShowWindow(SW_SHOW);
        return TRUE;
    }
    m_pCustomizeManager = const_cast<COXCustomizeManager*>(pManager);
    if (!Create(MAKEINTRESOURCE(m_nDialogID), pManager->GetPageParentWnd(), 0, 0, 0, 0, 1000,
                WS_CHILD | WS_VISIBLE)) {
        // A page that could not be made stays listed: the manager hears
        // nothing of the half-made window.
        m_pCustomizeManager = NULL;
        if (::IsWindow(m_hWnd))
            DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

void COXCustomizePage::Unload()
{
    if (::IsWindow(m_hWnd))
        ShowWindow(SW_HIDE);
}

BOOL COXCustomizePage::OnCloseManager(BOOL /*bIsOk*/)
{
    return TRUE;
}

BOOL COXCustomizePage::SaveWorkspaceState()
{
    return TRUE;
}

BOOL COXCustomizePage::ApplyChanges()
{
    return TRUE;
}

BOOL COXCustomizePage::IsSupportingApplyChanges()
{
    return TRUE;
}

CString COXCustomizePage::GetTitle() const
{
    return CString();
}

UINT COXCustomizePage::GetImageResource() const
{
    return 0;
}

COLORREF COXCustomizePage::GetImageMask() const
{
    return RGB(192, 192, 192);
}

CString COXCustomizePage::GetTooltip() const
{
    return CString();
}

CString COXCustomizePage::GetGroup() const
{
    return "Customize";
}

void COXCustomizePage::OnInitPage()
{
    UpdateData(FALSE);
    m_LayoutManager.Attach(this);
}

// The page's own handling first; then, unless a frame is in context-help
// mode, the frames around it outward (their accelerators); last the dialog
// keys among the page's controls.
BOOL COXCustomizePage::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    CFrameWnd* pTopFrame = GetTopLevelFrame();
    if (pTopFrame != NULL && pTopFrame->m_bHelpMode)
        return FALSE;
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != NULL; pFrame = pFrame->GetParentFrame()) {
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    if (GetWindow(GW_CHILD) == NULL)
        return FALSE;
    return PreTranslateInput(pMsg);
}

void COXCustomizePage::OnDestroy()
{
    if (m_LayoutManager.GetContainer() != NULL)
        m_LayoutManager.Detach();
    m_bInitialized = FALSE;
    // The manager must not call this page again once its window is gone:
    // the object may be going too.
    if (COXCustomizeManager* pManager = m_pCustomizeManager) {
        m_pCustomizeManager = NULL;
        pManager->OnPageDestroyed(this);
    }
    CWnd::OnDestroy();
}
