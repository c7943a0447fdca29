#include "OXCustomizeManager.h"

#include <commctrl.h>

#include "OXCaptionPainter.h"

BEGIN_MESSAGE_MAP(COXCustomizeManager, CDialog)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_BN_CLICKED(IDC_OX_CUSTOMIZE_APPLY, &COXCustomizeManager::OnApply)
    ON_WM_DESTROY()
    ON_MESSAGE(WM_KICKIDLE, &COXCustomizeManager::OnKickIdle)
END_MESSAGE_MAP()

COLORREF OXCustomizeTitleTextColor(COLORREF clrPreferred, COLORREF clrBack, int nWidth, int cxText)
{
    std::vector<COLORREF> behind;
    for (const OXGradientBand& band : OXStaticGradientBands(OX_CUSTOMIZE_TITLE_BKMODE, nWidth, clrBack)) {
        if (band.x < cxText && band.x + band.cx > 0)
            behind.push_back(band.clr);
    }
    return OXReadableTextColor(clrPreferred, behind);
}

COXCustomizeManager::COXCustomizeManager(CWnd* pParent)
    : CDialog(IDD, pParent), m_rectPage(0, 0, 0, 0), m_pActivePage(NULL), m_mapPages(10), m_mapAddedPages(10),
      m_mapTooltips(10), m_bInitialized(FALSE)
{
    m_mapPages.InitHashTable(17);
    m_mapAddedPages.InitHashTable(17);
    m_mapTooltips.InitHashTable(17);
    m_ilPages.Create(32, 32, ILC_COLOR24 | ILC_MASK, 0, 0);
}

COXCustomizeManager::~COXCustomizeManager()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL COXCustomizeManager::RegisterPage(COXCustomizePage* pPage, DWORD dwPageID)
{
    if (pPage == NULL)
        return FALSE;
    m_mapPages[pPage] = dwPageID;
    return TRUE;
}

namespace {
// The pages a map holds, in its order.
void PagesOf(const CMap<COXCustomizePage*, COXCustomizePage*, DWORD, DWORD>& map,
             CArray<COXCustomizePage*, COXCustomizePage*>& arrPages)
{
    arrPages.RemoveAll();
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        COXCustomizePage* pPage = NULL;
        DWORD dwPageID = 0;
        map.GetNextAssoc(pos, pPage, dwPageID);
        arrPages.Add(pPage);
    }
}
}   // namespace

void COXCustomizeManager::GetRegisteredPages(CArray<COXCustomizePage*, COXCustomizePage*>& arrPages) const
{
    PagesOf(m_mapPages, arrPages);
}

BOOL COXCustomizeManager::Open(CWnd* pParentWnd)
{
    if (!::IsWindow(m_hWnd) && !Create(IDD, pParentWnd))
        return FALSE;
    ShowWindow(SW_SHOW);
    SetActiveWindow();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Finding pages in the bar
// ---------------------------------------------------------------------------

// The bar's own search by text takes a prefix ("Custom" would find
// "Customize"): groups are told apart here by their whole header.
HSHBGROUP COXCustomizeManager::FindGroupByName(LPCTSTR lpszGroup)
{
    if (lpszGroup == NULL || !::IsWindow(m_shb.GetSafeHwnd()))
        return NULL;
    for (int nOrder = 0; nOrder < m_shb.GetGroupCount(); nOrder++) {
        HSHBGROUP hGroup = GetGroupByOrder(nOrder);
        if (hGroup != NULL && m_shb.GetGroupText(hGroup) == lpszGroup)
            return hGroup;
    }
    return NULL;
}

COXCustomizePage* COXCustomizeManager::GetItemPage(HSHBGROUP hGroup, int nItem)
{
    COXSHBListCtrl* pList = m_shb.GetGroupListCtrl(hGroup);
    if (pList == NULL || nItem < 0 || nItem >= pList->GetItemCount())
        return NULL;
    return (COXCustomizePage*)pList->GetItemData(nItem);
}

BOOL COXCustomizeManager::FindPage(COXCustomizePage* pPage, HSHBGROUP& hGroup, int& nItem)
{
    if (pPage == NULL || !::IsWindow(m_shb.GetSafeHwnd()))
        return FALSE;
    LVFINDINFO lvfi = {};
    lvfi.flags = LVFI_PARAM;
    lvfi.lParam = (LPARAM)pPage;
    for (int nOrder = 0; nOrder < m_shb.GetGroupCount(); nOrder++) {
        HSHBGROUP hFound = GetGroupByOrder(nOrder);
        COXSHBListCtrl* pList = m_shb.GetGroupListCtrl(hFound);
        int nFound = pList != NULL ? pList->FindItem(&lvfi, -1) : -1;
        if (nFound != -1) {
            hGroup = hFound;
            nItem = nFound;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL COXCustomizeManager::FindPage(LPCTSTR lpszTitle, LPCTSTR lpszGroup, HSHBGROUP& hGroup, int& nItem)
{
    HSHBGROUP hFound = FindGroupByName(lpszGroup);
    COXSHBListCtrl* pList = hFound != NULL ? m_shb.GetGroupListCtrl(hFound) : NULL;
    if (pList == NULL || lpszTitle == NULL)
        return FALSE;
    LVFINDINFO lvfi = {};
    lvfi.flags = LVFI_STRING;
    lvfi.psz = lpszTitle;
    int nFound = pList->FindItem(&lvfi, -1);
    if (nFound == -1)
        return FALSE;
    hGroup = hFound;
    nItem = nFound;
    return TRUE;
}

BOOL COXCustomizeManager::FindPageByID(DWORD dwPageID, HSHBGROUP& hGroup, int& nItem)
{
    POSITION pos = m_mapPages.GetStartPosition();
    while (pos != NULL) {
        COXCustomizePage* pPage = NULL;
        DWORD dwID = 0;
        m_mapPages.GetNextAssoc(pos, pPage, dwID);
        if (dwID == dwPageID && FindPage(pPage, hGroup, nItem))
            return TRUE;
    }
    return FALSE;
}

BOOL COXCustomizeManager::ActivatePage(COXCustomizePage* pPage)
{
    HSHBGROUP hGroup = NULL;
    int nItem = -1;
    return FindPage(pPage, hGroup, nItem) && ActivatePage(hGroup, nItem);
}

BOOL COXCustomizeManager::ActivatePage(LPCTSTR lpszTitle, LPCTSTR lpszGroup)
{
    HSHBGROUP hGroup = NULL;
    int nItem = -1;
    return FindPage(lpszTitle, lpszGroup, hGroup, nItem) && ActivatePage(hGroup, nItem);
}

BOOL COXCustomizeManager::ActivatePageByID(DWORD dwPageID)
{
    HSHBGROUP hGroup = NULL;
    int nItem = -1;
    return FindPageByID(dwPageID, hGroup, nItem) && ActivatePage(hGroup, nItem);
}

BOOL COXCustomizeManager::SetPageTooltip(COXCustomizePage* pPage, LPCTSTR lpszTooltip)
{
    CString sOld;
    if (!m_mapTooltips.Lookup(pPage, sOld))
        return FALSE;
    m_mapTooltips[pPage] = lpszTooltip;
    return TRUE;
}

int COXCustomizeManager::GetPageCount()
{
    if (!::IsWindow(m_shb.GetSafeHwnd()))
        return 0;
    int nCount = 0;
    for (int nOrder = 0; nOrder < m_shb.GetGroupCount(); nOrder++)
        nCount += m_shb.GetGroupItemCount(GetGroupByOrder(nOrder));
    return nCount;
}

int COXCustomizeManager::GetGroupPageCount(LPCTSTR lpszGroup)
{
    HSHBGROUP hGroup = FindGroupByName(lpszGroup);
    return hGroup != NULL ? m_shb.GetGroupItemCount(hGroup) : 0;
}

// ---------------------------------------------------------------------------
// Adding, removing and activating pages
// ---------------------------------------------------------------------------

BOOL COXCustomizeManager::AddPage(COXCustomizePage* pPage)
{
    if (pPage == NULL)
        return FALSE;
    HSHBGROUP hGroup = FindGroupByName(pPage->GetGroup());
    return AddPage(pPage, hGroup != NULL ? m_shb.GetGroupItemCount(hGroup) : 0);
}

BOOL COXCustomizeManager::AddPage(COXCustomizePage* pPage, int nIndex)
{
    if (pPage == NULL || !::IsWindow(m_shb.GetSafeHwnd()))
        return FALSE;
    CString sTitle = pPage->GetTitle();
    UINT nImageResource = pPage->GetImageResource();
    COLORREF clrMask = pPage->GetImageMask();
    CString sTooltip = pPage->GetTooltip();
    CString sGroup = pPage->GetGroup();

    HSHBGROUP hGroup = FindGroupByName(sGroup);
    BOOL bNewGroup = FALSE;
    if (hGroup == NULL) {
        hGroup = m_shb.InsertGroup(sGroup);
        if (hGroup == NULL)
            return FALSE;
        bNewGroup = TRUE;
    }
    m_shb.SetGroupImageList(hGroup, &m_ilPages, LVSIL_NORMAL);

    int nImage = -1;
    if (nImageResource != 0) {
        CImageList ilPage;
        if (!ilPage.Create(nImageResource, 32, 0, clrMask)) {
            if (bNewGroup)
                m_shb.DeleteGroup(hGroup);
            return FALSE;
        }
        HICON hIcon = ImageList_GetIcon(ilPage, 0, ILD_NORMAL);
        if (hIcon != NULL) {
            nImage = ImageList_ReplaceIcon(m_ilPages, -1, hIcon);
            ::DestroyIcon(hIcon);
        }
    }

    int nItem = m_shb.InsertGroupItem(hGroup, LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, nIndex, sTitle, 0, 0, nImage,
                                      (LPARAM)pPage);
    if (nItem == -1) {
        if (bNewGroup)
            m_shb.DeleteGroup(hGroup);
        return FALSE;
    }
    DWORD dwPageID = 0;
    m_mapPages.Lookup(pPage, dwPageID);
    m_mapAddedPages[pPage] = dwPageID;
    m_mapTooltips[pPage] = sTooltip;
    return TRUE;
}

BOOL COXCustomizeManager::DeletePage(COXCustomizePage* pPage)
{
    HSHBGROUP hGroup = NULL;
    int nItem = -1;
    if (!FindPage(pPage, hGroup, nItem) || !m_shb.DeleteGroupItem(hGroup, nItem))
        return FALSE;
    m_mapTooltips.RemoveKey(pPage);
    // The page stays in the added set, so that closing still closes its window.
    if (pPage == m_pActivePage) {
        m_pActivePage->Unload();
        m_pActivePage = NULL;
    }
    return TRUE;
}

BOOL COXCustomizeManager::ActivatePage(HSHBGROUP hGroup, int nItem)
{
    COXSHBListCtrl* pList = m_shb.GetGroupListCtrl(hGroup);
    COXCustomizePage* pPage = GetItemPage(hGroup, nItem);
    if (pPage == NULL)
        return FALSE;
    if (pPage == m_pActivePage)
        return TRUE;

    if (m_pActivePage != NULL) {
        HSHBGROUP hOldGroup = NULL;
        int nOldItem = -1;
        if (FindPage(m_pActivePage, hOldGroup, nOldItem) && hOldGroup != hGroup)
            m_shb.GetGroupListCtrl(hOldGroup)->SetActiveItem(-1);
        m_pActivePage->Unload();
        m_pActivePage = NULL;
    }

    if (!pPage->Load(this))
        return FALSE;
    pPage->MoveWindow(m_rectPage, TRUE);
    pPage->SetFocus();
    m_pActivePage = pPage;

    // The list's active item is the page shown: setting it asks this dialog
    // again (32995), which finds the page already active.
    m_shb.ExpandGroup(hGroup);
    pList->SetActiveItem(nItem);
    pList->EnsureItemVisible(nItem, FALSE);
    m_title.SetWindowText(pList->GetItemText(nItem, 0));
    UpdateTitleColor();

    CWnd* pApply = GetDlgItem(IDC_OX_CUSTOMIZE_APPLY);
    if (pApply != NULL)
        pApply->EnableWindow(pPage->IsSupportingApplyChanges());
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, 0, 0, TRUE, TRUE);

    return pList->GetActiveItem() == nItem;
}

BOOL COXCustomizeManager::LoadPages()
{
    BOOL bAll = TRUE;
    POSITION pos = m_mapPages.GetStartPosition();
    while (pos != NULL) {
        COXCustomizePage* pPage = NULL;
        DWORD dwPageID = 0;
        m_mapPages.GetNextAssoc(pos, pPage, dwPageID);
        if (IsPageIncluded(dwPageID) && !AddPage(pPage))
            bAll = FALSE;
    }
    return bAll;
}

BOOL COXCustomizeManager::IsPageIncluded(DWORD /*dwPageID*/)
{
    return TRUE;
}

CWnd* COXCustomizeManager::GetPageParentWnd() const
{
    return const_cast<COXCustomizeManager*>(this);
}

BOOL COXCustomizeManager::SaveWorkspaceState()
{
    POSITION pos = m_mapPages.GetStartPosition();
    while (pos != NULL) {
        COXCustomizePage* pPage = NULL;
        DWORD dwPageID = 0;
        m_mapPages.GetNextAssoc(pos, pPage, dwPageID);
        pPage->SaveWorkspaceState();
    }
    return TRUE;
}

// Every page is asked first; a page that refuses is shown and nothing is
// closed. Pages asked before it have already done their closing work (OK
// writes their settings): that is theirs to keep.
BOOL COXCustomizeManager::CloseManager(BOOL bIsOk)
{
    CArray<COXCustomizePage*, COXCustomizePage*> arrPages;
    GetAddedPages(arrPages);
    for (INT_PTR i = 0; i < arrPages.GetSize(); i++) {
        COXCustomizePage* pPage = arrPages[i];
        if (::IsWindow(pPage->GetSafeHwnd()) && !pPage->OnCloseManager(bIsOk)) {
            ActivatePage(pPage);
            return FALSE;
        }
    }

    if (m_pActivePage != NULL) {
        m_pActivePage->Unload();
        m_pActivePage = NULL;
    }
    if (::IsWindow(m_shb.GetSafeHwnd()))
        m_shb.DeleteAllGroups();

    // A page that was asked may have left since: take the list again.
    GetAddedPages(arrPages);
    for (INT_PTR i = 0; i < arrPages.GetSize(); i++) {
        COXCustomizePage* pPage = arrPages[i];
        if (::IsWindow(pPage->GetSafeHwnd()) && !pPage->DestroyWindow())
            return FALSE;
    }

    m_mapAddedPages.RemoveAll();
    m_mapTooltips.RemoveAll();
    // The next opening adds the pages' pictures again.
    ImageList_RemoveAll(m_ilPages);
    m_bInitialized = FALSE;
    return TRUE;
}

void COXCustomizeManager::GetAddedPages(CArray<COXCustomizePage*, COXCustomizePage*>& arrPages) const
{
    PagesOf(m_mapAddedPages, arrPages);
}

// The page's object may be about to go with its window: nothing here may
// call it again, so it leaves the bar, the active place and the pages asked
// on closing.
void COXCustomizeManager::OnPageDestroyed(COXCustomizePage* pPage)
{
    if (pPage == m_pActivePage)
        m_pActivePage = NULL;
    HSHBGROUP hGroup = NULL;
    int nItem = -1;
    if (FindPage(pPage, hGroup, nItem))
        m_shb.DeleteGroupItem(hGroup, nItem);
    m_mapAddedPages.RemoveKey(pPage);
    m_mapTooltips.RemoveKey(pPage);
}

// ---------------------------------------------------------------------------
// The dialog
// ---------------------------------------------------------------------------

void COXCustomizeManager::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_CUSTOMIZE_SEP_TOP, m_sepTop);
    DDX_Control(pDX, IDC_OX_CUSTOMIZE_SEP_BOTTOM, m_sepBottom);
    DDX_Control(pDX, IDC_OX_CUSTOMIZE_SHORTCUTBAR, m_shb);
    DDX_Control(pDX, IDC_OX_CUSTOMIZE_TITLE, m_title);
}

// The template holds a placeholder where the bar goes: the bar's window
// class exists only once a bar has been created, so the bar is made here, in
// the placeholder's place and tab order, before the controls are bound.
BOOL COXCustomizeManager::CreateShortcutBar()
{
    HWND hPlaceholder = ::GetDlgItem(m_hWnd, IDC_OX_CUSTOMIZE_SHORTCUTBAR);
    if (hPlaceholder == NULL || m_shb.GetSafeHwnd() != NULL)
        return FALSE;
    CRect rect;
    ::GetWindowRect(hPlaceholder, &rect);
    ScreenToClient(&rect);
    HWND hPrevious = ::GetWindow(hPlaceholder, GW_HWNDPREV);
    ::DestroyWindow(hPlaceholder);
    if (!m_shb.Create(this, rect, OX_CUSTOMIZE_BAR_STYLE, IDC_OX_CUSTOMIZE_SHORTCUTBAR,
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE))
        return FALSE;
    m_shb.SetWindowPos(hPrevious != NULL ? CWnd::FromHandle(hPrevious) : &CWnd::wndTop, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

void COXCustomizeManager::UpdateTitleColor()
{
    if (!::IsWindow(m_title.GetSafeHwnd()))
        return;
    CString sTitle;
    m_title.GetWindowText(sTitle);
    CRect rect;
    m_title.GetClientRect(&rect);
    CClientDC dc(&m_title);
    CFont* pFont = m_title.GetTextFont() != NULL ? m_title.GetTextFont() : m_title.GetFont();
    CFont* pOld = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    const int cxText = sTitle.IsEmpty() ? 0 : dc.GetTextExtent(sTitle).cx;
    if (pOld != NULL)
        dc.SelectObject(pOld);
    const COLORREF clr = OXCustomizeTitleTextColor(::GetSysColor(COLOR_CAPTIONTEXT), m_title.GetBkColor(),
                                                   rect.Width(), cxText);
    if (clr != m_title.GetTextColor())
        m_title.SetTextColor(clr, TRUE);
}

void COXCustomizeManager::RecalcPageRect()
{
    CRect rectTop, rectBottom;
    m_sepTop.GetWindowRect(&rectTop);
    m_sepBottom.GetWindowRect(&rectBottom);
    ScreenToClient(&rectTop);
    ScreenToClient(&rectBottom);
    m_rectPage.SetRect(rectTop.left, rectTop.bottom, rectTop.right, rectBottom.top);
}

BOOL COXCustomizeManager::OnInitDialog()
{
    if (!CreateShortcutBar())
        return FALSE;
    CDialog::OnInitDialog();

    m_title.SetTextColor(::GetSysColor(COLOR_CAPTIONTEXT), TRUE);
    m_title.SetBkColor(::GetSysColor(COLOR_BTNFACE), TRUE);
    m_title.SetBkDrawMode(OX_CUSTOMIZE_TITLE_BKMODE, TRUE);
    m_fontTitle.DeleteObject();
    if (m_fontTitle.CreatePointFont(120, "MS Sans Serif"))
        m_title.SetTextFont(&m_fontTitle, TRUE);

    // Each control keeps its distances to the dialog's sides: the bar grows
    // downwards, the title and lines sideways, the buttons stay in the corner.
    if (m_layoutManager.GetContainer() != NULL)
        m_layoutManager.Detach();
    m_layoutManager.Attach(this);
    m_layoutManager.TieChild(IDC_OX_CUSTOMIZE_SHORTCUTBAR, OX_LMS_TOP | OX_LMS_BOTTOM, OX_LMT_SAME);
    m_layoutManager.TieChild(IDC_OX_CUSTOMIZE_TITLE, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    m_layoutManager.TieChild(IDC_OX_CUSTOMIZE_SEP_TOP, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    m_layoutManager.TieChild(IDC_OX_CUSTOMIZE_SEP_BOTTOM, OX_LMS_BOTTOM | OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    for (int nID : {IDOK, IDCANCEL, IDC_OX_CUSTOMIZE_APPLY})
        m_layoutManager.TieChild(nID, OX_LMS_BOTTOM | OX_LMS_RIGHT, OX_LMT_SAME);

    LoadPages();
    for (int nOrder = 0; nOrder < m_shb.GetGroupCount(); nOrder++)
        m_shb.SortGroupItems(GetGroupByOrder(nOrder));

    HSHBGROUP hFirst = GetGroupByOrder(0);
    if (hFirst != NULL)
        ActivatePage(hFirst, 0);

    RecalcPageRect();
    if (m_pActivePage != NULL)
        m_pActivePage->MoveWindow(m_rectPage);

    m_bInitialized = TRUE;
    return FALSE;
}

void COXCustomizeManager::OnOK()
{
    if (CloseManager(TRUE))
        DestroyWindow();
}

void COXCustomizeManager::OnCancel()
{
    if (CloseManager(FALSE))
        DestroyWindow();
}

BOOL COXCustomizeManager::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR->idFrom != IDC_OX_CUSTOMIZE_SHORTCUTBAR)
        return CDialog::OnNotify(wParam, lParam, pResult);
    SHB_NOTIFY* pNotify = (SHB_NOTIFY*)lParam;
    switch (pNMHDR->code) {
    case SHBN_ACTIVATEITEM:
        // A click makes an item active: its page is shown. A page that cannot
        // be shown keeps the item from becoming active.
        *pResult = pNotify->nItem >= 0 && !ActivatePage(pNotify->hGroup, pNotify->nItem) ? 1 : 0;
        return TRUE;
    case SHBN_GETITEMINFOTIP: {
        CString sTooltip;
        COXCustomizePage* pPage = GetItemPage(pNotify->hGroup, pNotify->nItem);
        if (pPage != NULL)
            m_mapTooltips.Lookup(pPage, sTooltip);
        // The bar's buffer holds 80 bytes: a longer tip is cut so that its
        // terminating NUL still fits.
        SHB_TIPINFO* pTip = (SHB_TIPINFO*)pNotify->lParam;
        lstrcpynA(pTip->szText, sTooltip, sizeof(pTip->szText));
        *pResult = 1;
        return TRUE;
    }
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void COXCustomizeManager::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!m_bInitialized)
        return;
    RecalcPageRect();
    if (m_pActivePage != NULL)
        m_pActivePage->MoveWindow(m_rectPage);
    // The gradient stretches with the title line.
    UpdateTitleColor();
}

void COXCustomizeManager::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CDialog::OnGetMinMaxInfo(lpMMI);
    lpMMI->ptMinTrackSize.x = OX_CUSTOMIZE_MIN_WIDTH;
    lpMMI->ptMinTrackSize.y = OX_CUSTOMIZE_MIN_HEIGHT;
}

void COXCustomizeManager::OnApply()
{
    if (m_pActivePage != NULL)
        m_pActivePage->ApplyChanges();
}

void COXCustomizeManager::OnDestroy()
{
    CDialog::OnDestroy();
    if (m_bInitialized)
        CloseManager(FALSE);
    m_layoutManager.Detach();
}

// The idle pass gives the page what a modal loop would: its controls refresh
// their tool bar buttons and the like.
LRESULT COXCustomizeManager::OnKickIdle(WPARAM wParam, LPARAM lParam)
{
    if (m_pActivePage == NULL || !::IsWindow(m_pActivePage->GetSafeHwnd()))
        return 0;
    return m_pActivePage->SendMessage(WM_KICKIDLE, wParam, lParam);
}
