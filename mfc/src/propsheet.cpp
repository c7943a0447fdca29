// Property sheets and pages over the system's property sheet control.
//
// The sheet and each page are attached to their CWnd objects by the creation
// hook before their first message, so message maps, DDX and the page
// virtuals work as in any dialog. The sheet always runs modeless: DoModal
// disables the owner and runs the layer's modal loop (so PreTranslateMessage
// and idle processing work), and ends when the system reports the sheet
// finished (no current page after OK, Cancel or Finish).
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

// ---------------------------------------------------------------------------
// CPropertyPage

// The system calls this just before it creates the page window: the page
// object is attached to the window that comes next.
static UINT CALLBACK AfxPropPageCallback(HWND, UINT message, LPPROPSHEETPAGE ppsp)
{
    if (message == PSPCB_CREATE) {
        try {
            AfxHookWindowCreate((CPropertyPage*)ppsp->lParam);
        } catch (...) {
            AfxReportCaughtException(TRUE);
            return FALSE;
        }
    }
    return TRUE;
}

CPropertyPage::CPropertyPage()
{
    Construct((LPCTSTR)NULL, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption, DWORD dwSize)
{
    Construct(nIDTemplate, nIDCaption);
    m_psp.dwSize = dwSize;
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption, DWORD dwSize)
{
    Construct(lpszTemplateName, nIDCaption);
    m_psp.dwSize = dwSize;
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    memset(&m_psp, 0, sizeof m_psp);
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_USECALLBACK;
    m_lpszTemplateName = lpszTemplateName;
    if (lpszTemplateName != NULL) {
        if (IS_INTRESOURCE(lpszTemplateName))
            m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
        m_psp.hInstance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    }
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = AfxDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_psp.pfnCallback = AfxPropPageCallback;
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
    m_bFirstSetActive = TRUE;
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hSheet = ::GetParent(m_hWnd);
    if (hSheet == NULL)
        return;
    if (bChanged)
        ::SendMessage(hSheet, PSM_CHANGED, (WPARAM)m_hWnd, 0);
    else
        ::SendMessage(hSheet, PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose()
{
    HWND hSheet = ::GetParent(m_hWnd);
    if (hSheet != NULL)
        ::PostMessage(hSheet, PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    HWND hSheet = ::GetParent(m_hWnd);
    return hSheet != NULL ? ::SendMessage(hSheet, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

// The sheet's notifications come from the parent; each gets the answer the
// sheet expects in its result.
BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHdr = (NMHDR*)lParam;
    if (pHdr->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);

    LRESULT lResult = 0;
    switch (pHdr->code) {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = !OnKillActive();
        break;
    case PSN_APPLY:
        lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        lResult = !OnQueryCancel();
        break;
    case PSN_WIZBACK:
        lResult = OnWizardBack();
        break;
    case PSN_WIZNEXT:
        lResult = OnWizardNext();
        break;
    case PSN_WIZFINISH:
        lResult = !OnWizardFinish();
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // Also where a dialog's answer to a notification is looked for.
    ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}

// The page was attached by the hook armed in AfxPropPageCallback; the hook
// is not needed any longer.
LRESULT CPropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        AfxUnhookWindowCreate();
    return CDialog::WindowProc(message, wParam, lParam);
}

// Dialog keys are the sheet's business (it moves between pages and buttons);
// the page's own IsDialogMessage would keep the focus inside the page.
BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// CPropertySheet

// The sheet being created on this thread, for the style change the creation
// callback makes.
static thread_local CPropertySheet* t_pSheetInCreate = NULL;

CPropertySheet::CPropertySheet()
{
    Construct((LPCTSTR)NULL);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CString strCaption;
    strCaption.LoadString(nIDCaption);
    Construct(strCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    memset(&m_psh, 0, sizeof m_psh);
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
    m_strCaption = pszCaption;
    m_pParentWnd = pParentWnd;
    m_bStacked = TRUE;
    m_bModeless = FALSE;
    m_bPagesReady = FALSE;
    m_bResultSet = FALSE;
    m_dwCreateStyle = (DWORD)-1;
    m_dwCreateExStyle = 0;
    m_nMessageDepth = 0;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.push_back(pPage);
    if (m_hWnd != NULL) {
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&pPage->m_psp);
        if (hPage == NULL || !::SendMessage(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage)) {
            if (hPage != NULL)
                ::DestroyPropertySheetPage(hPage);
            m_pages.pop_back();
            AfxThrowMemoryException();
        }
    }
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        AfxThrowInvalidArgException();
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, PSM_REMOVEPAGE, nPage, 0);
    m_pages.erase(m_pages.begin() + nPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    RemovePage(GetPageIndex(pPage));
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[nPage] : NULL;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); i++)
        if (m_pages[i] == pPage)
            return i;
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    HWND hPage = (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    return hPage != NULL ? (int)::SendMessage(m_hWnd, PSM_HWNDTOINDEX, (WPARAM)hPage, 0) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == NULL) {
        m_psh.nStartPage = nPage;
        return TRUE;
    }
    return (BOOL)::SendMessage(m_hWnd, PSM_SETCURSEL, nPage, 0);
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    return m_hWnd != NULL ? (CTabCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0)) : NULL;
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, PSM_SETTITLE, nStyle, (LPARAM)lpszText);
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags);
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText)
{
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, PSM_SETFINISHTEXT, 0, (LPARAM)lpszText);
}

BOOL CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd == NULL)
        return FALSE;
    ::SendMessage(m_hWnd, PSM_PRESSBUTTON, nButton, 0);
    return TRUE;
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_bResultSet = TRUE;
    m_nModalResult = nEndID;
    if (m_nFlags & WF_CONTINUEMODAL)
        EndModalLoop(nEndID);
    else if (m_hWnd != NULL && m_bModeless)
        DestroyWindow();
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    return m_hWnd != NULL && ::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

// Before the sheet window exists the system offers its template: a modeless
// sheet created with a style of its own gets that style here.
int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam)
{
    CPropertySheet* pSheet = t_pSheetInCreate;
    if (message != PSCB_PRECREATE || pSheet == NULL || lParam == 0 || pSheet->m_dwCreateStyle == (DWORD)-1)
        return 0;
    // An extended template starts with dlgVer 1 and signature 0xFFFF.
    WORD* pw = (WORD*)lParam;
    if (pw[0] == 1 && pw[1] == 0xFFFF) {
        DWORD* pdw = (DWORD*)(pw + 2);   // helpID, exStyle, style
        pdw[1] = pSheet->m_dwCreateExStyle;
        pdw[2] = pSheet->m_dwCreateStyle;
    } else {
        DLGTEMPLATE* pTemplate = (DLGTEMPLATE*)lParam;
        pTemplate->style = pSheet->m_dwCreateStyle;
        pTemplate->dwExtendedStyle = pSheet->m_dwCreateExStyle;
    }
    return 0;
}

BOOL CPropertySheet::CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle)
{
    // The system is given copies of the pages' descriptions with the layer's
    // dialog procedure and creation callback, whatever a page changed.
    m_pageStructs.clear();
    for (CPropertyPage* pPage : m_pages) {
        PROPSHEETPAGE psp = pPage->m_psp;
        psp.dwFlags |= PSP_USECALLBACK;
        psp.pfnDlgProc = AfxDlgProc;
        psp.pfnCallback = AfxPropPageCallback;
        psp.lParam = (LPARAM)pPage;
        pPage->m_bFirstSetActive = TRUE;
        m_pageStructs.push_back(psp);
    }

    PROPSHEETHEADER psh = m_psh;
    psh.dwSize = sizeof psh;
    psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK;
    psh.pfnCallback = SheetCallback;
    psh.hwndParent = hWndParent;
    if (psh.hInstance == NULL)
        psh.hInstance = AfxGetResourceHandle();
    psh.pszCaption = m_strCaption;
    psh.nPages = (UINT)m_pageStructs.size();
    psh.ppsp = m_pageStructs.empty() ? NULL : m_pageStructs.data();
    if (psh.nStartPage >= psh.nPages)
        psh.nStartPage = 0;

    m_dwCreateStyle = dwStyle;
    m_dwCreateExStyle = dwExStyle;
    m_bPagesReady = FALSE;
    m_bResultSet = FALSE;
    AfxInitCommonControls();
    CPropertySheet* pOuter = t_pSheetInCreate;
    t_pSheetInCreate = this;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheetA(&psh);
    AfxUnhookWindowCreate();
    t_pSheetInCreate = pOuter;
    if (hWnd == NULL || hWnd == (HWND)-1 || m_hWnd != hWnd) {
        if (hWnd != NULL && hWnd != (HWND)-1 && m_hWnd == NULL)
            ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    HWND hWndTop = NULL;
    HWND hWndOwner = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &hWndTop);
    BOOL bEnableOwner = FALSE;
    if (hWndOwner != NULL && hWndOwner != ::GetDesktopWindow() && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }

    m_bModeless = FALSE;
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    try {
        if (CreateSheet(hWndOwner, (DWORD)-1, 0)) {
            if ((m_nFlags & WF_CONTINUEMODAL) && !m_bResultSet)
                RunModalLoop(MLF_SHOWONIDLE);
        }
    } catch (CException* e) {
        e->Delete();
        m_nModalResult = -1;
    }
    m_nFlags &= ~WF_CONTINUEMODAL;

    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd != NULL)
        DestroyWindow();
    if (hWndTop != NULL && ::IsWindow(hWndTop))
        ::EnableWindow(hWndTop, TRUE);
    return m_nModalResult;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (dwStyle == (DWORD)-1)
        dwStyle = DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION |
                  WS_SYSMENU;
    if (pParentWnd == NULL)
        pParentWnd = m_pParentWnd != NULL ? m_pParentWnd : AfxGetMainWnd();
    m_bModeless = TRUE;
    m_nModalResult = -1;
    return CreateSheet(pParentWnd->GetSafeHwnd(), dwStyle, dwExStyle);
}

// Posted to a modeless sheet that has finished, to destroy it.
static UINT EndMessage()
{
    static const UINT nMessage = ::RegisterWindowMessageA("PellucorPropertySheetEnded");
    return nMessage;
}

// Watches for the end of the sheet. The system has finished with a sheet
// when it has no current page any more; the message that got it there tells
// which button ended it. The question is asked only when the outermost
// message to the sheet is done: while the system switches pages (inside some
// message) there is briefly no current page either.
LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_nMessageDepth++;
    LRESULT lResult;
    try {
        lResult = CWnd::WindowProc(message, wParam, lParam);
    } catch (...) {
        m_nMessageDepth--;
        throw;
    }
    m_nMessageDepth--;

    if (message == WM_INITDIALOG) {
        m_bPagesReady = TRUE;
        // Without stacked tabs the tabs stay on one line and scroll.
        HWND hTab = (HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0);
        if (!m_bStacked && hTab != NULL)
            ::SetWindowLongPtr(hTab, GWL_STYLE, ::GetWindowLongPtr(hTab, GWL_STYLE) & ~TCS_MULTILINE);
        OnInitDialog();
        return lResult;
    }
    if (message == EndMessage()) {
        DestroyWindow();
        return 0;
    }
    // (The question is itself a message to the sheet: not asked about itself.)
    if (m_nMessageDepth != 0 || message == PSM_GETCURRENTPAGEHWND || !m_bPagesReady || m_bResultSet ||
        m_hWnd == NULL || (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != NULL)
        return lResult;

    int nResult = IDCANCEL;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == ID_WIZFINISH))
        nResult = LOWORD(wParam);
    else if (message == PSM_PRESSBUTTON && wParam == PSBTN_OK)
        nResult = IDOK;
    else if (message == PSM_PRESSBUTTON && wParam == PSBTN_FINISH)
        nResult = ID_WIZFINISH;
    m_bResultSet = TRUE;
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
        EndModalLoop(nResult);
    else if (m_bModeless)
        PostMessage(EndMessage());   // not now: the system may still be inside its own handler
    return lResult;
}
