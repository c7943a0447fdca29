// dialog.cpp - CDialog: modal and modeless dialogs from resource or in-memory
// templates.
//
// A dialog is created with the creation hook, so its CDialog is attached and
// its window subclassed with the layer's window procedure before the first
// message: every message, from WM_SETFONT and WM_INITDIALOG on, goes through
// the message map first, and what the map does not handle goes on to the
// system's dialog procedure (DefDlgProc). The DLGPROC of our dialogs only
// answers WM_INITDIALOG, by calling OnInitDialog.
//
// DoModal does not use DialogBox: it disables the owner, creates the dialog
// modeless-style and runs CWnd::RunModalLoop, so that the thread's
// PreTranslateMessage chain (and through it IsDialogMessage), idle
// processing and WM_KICKIDLE work while a modal dialog is up, and
// EndDialog from any handler (a timer, a button) ends the loop.
#include <afxwin.h>
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, &CDialog::HandleSetFont)
END_MESSAGE_MAP()

void CDialog::CommonConstruct()
{
    m_nIDHelp = 0;
    m_lpszTemplateName = NULL;
    m_hDialogTemplate = NULL;
    m_lpDialogTemplate = NULL;
    m_lpDialogInit = NULL;
    m_pParentWnd = NULL;
    m_hWndTop = NULL;
    m_bModal = FALSE;
}

CDialog::CDialog()
{
    CommonConstruct();
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    CommonConstruct();
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
{
    CommonConstruct();
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
    m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog()
{
    // A modeless dialog still open when its object goes: close the window
    // while the object can still answer its messages.
    if (m_hWnd != NULL)
        DestroyWindow();
}

// ---------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    if (pDlg == NULL)
        return TRUE;
    // This runs under the system's dialog procedure: nothing may unwind
    // through it.
    try {
        return pDlg->OnInitDialog();
    } catch (...) {
        AfxReportCaughtException(TRUE);
    }
    if (pDlg->m_bModal)
        pDlg->EndDialog(-1);
    return FALSE;
}

// The dialog procedure only answers WM_INITDIALOG (OnInitDialog of a
// CDialog); the object attached by the creation hook handles the rest.
BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (lpDialogTemplate == NULL)
        return FALSE;
    if (hInst == NULL)
        hInst = AfxGetResourceHandle();
    // Templates may name any common control class.
    AfxInitCommonControls();

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParam(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return hWnd != NULL;
}

// Loads a dialog template resource; NULL when there is none of that name.
static LPCDLGTEMPLATE LoadDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE* phInst)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    if (hResource == NULL)
        return NULL;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    if (hTemplate == NULL)
        return NULL;
    *phInst = hInst;
    return (LPCDLGTEMPLATE)::LockResource(hTemplate);
}

BOOL CWnd::CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    HINSTANCE hInst = NULL;
    LPCDLGTEMPLATE lpTemplate = LoadDialogTemplate(lpszTemplateName, &hInst);
    return lpTemplate != NULL && CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    HINSTANCE hInst = NULL;
    LPCDLGTEMPLATE lpTemplate = LoadDialogTemplate(lpszTemplateName, &hInst);
    if (lpTemplate == NULL)
        return FALSE;
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    m_lpDialogInit = lpDialogInit;
    m_bModal = FALSE;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, NULL);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(hDialogTemplate);
    if (lpTemplate == NULL)
        return FALSE;
    BOOL bResult = CreateIndirect(lpTemplate, pParentWnd, NULL);
    ::GlobalUnlock(hDialogTemplate);
    return bResult;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_hDialogTemplate = NULL;
    m_lpszTemplateName = NULL;
    m_pParentWnd = pParentWnd;
    m_lpDialogInit = lpDialogInit;
    return lpDialogTemplate != NULL;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_lpDialogTemplate = NULL;
    m_lpszTemplateName = NULL;
    m_pParentWnd = pParentWnd;
    m_lpDialogInit = NULL;
    return hDialogTemplate != NULL;
}

// ---------------------------------------------------------------------------
// Modal dialogs
// ---------------------------------------------------------------------------

// The owner of a modal dialog is the last active popup of the parent's
// top-level window (or of the main window's); a top-level window other than
// the owner is disabled as well and re-enabled by PostModal.
HWND CDialog::PreModal()
{
    m_hWndTop = NULL;
    return CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &m_hWndTop);
}

void CDialog::PostModal()
{
    if (m_hWndTop != NULL && ::IsWindow(m_hWndTop))
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = NULL;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    BOOL bUnlock = FALSE;
    if (m_lpszTemplateName != NULL) {
        lpTemplate = LoadDialogTemplate(m_lpszTemplateName, &hInst);
    } else if (m_hDialogTemplate != NULL) {
        lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(m_hDialogTemplate);
        bUnlock = TRUE;
    }
    if (lpTemplate == NULL)
        return -1;

    HWND hWndParent = PreModal();
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    m_bModal = TRUE;
    try {
        if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), hInst)) {
            // OnInitDialog may already have ended the dialog.
            if (m_nFlags & WF_CONTINUEMODAL) {
                DWORD dwFlags = MLF_SHOWONIDLE;
                if (GetStyle() & DS_NOIDLEMSG)
                    dwFlags |= MLF_NOIDLEMSG;
                RunModalLoop(dwFlags);
            }
            if (m_hWnd != NULL)
                ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                               SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
    } catch (CException* e) {
        e->Delete();
        m_nModalResult = -1;
    }
    m_nFlags &= ~WF_CONTINUEMODAL;

    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    PostModal();
    m_bModal = FALSE;
    if (bUnlock)
        ::GlobalUnlock(m_hDialogTemplate);
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

// ---------------------------------------------------------------------------
// Handlers and overridables
// ---------------------------------------------------------------------------

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    // On to DefDlgProc, which calls AfxDlgProc and so OnInitDialog; its
    // result decides whether the system sets the focus.
    return Default();
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle((HFONT)wParam));
    return Default();
}

BOOL CDialog::OnInitDialog()
{
    if (m_lpDialogInit != NULL ? !ExecuteDlgInit(m_lpDialogInit)
                               : (m_lpszTemplateName != NULL && !ExecuteDlgInit(m_lpszTemplateName))) {
        EndDialog(-1);
        return FALSE;
    }
    // Transfer the members into the controls.
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

// A refused value leaves the dialog open (UpdateData has told the user and put
// the focus on the control).
void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;

    // Escape in a multi-line edit would be eaten by the edit (it wants every
    // key): treat it as Cancel, unless Cancel is there and disabled.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        (::GetWindowLong(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE) && ::IsChild(m_hWnd, pMsg->hwnd)) {
        char szClass[16];
        if (::GetClassNameA(pMsg->hwnd, szClass, sizeof(szClass)) && lstrcmpiA(szClass, "Edit") == 0) {
            HWND hItem = ::GetDlgItem(m_hWnd, IDCANCEL);
            if (hItem == NULL || ::IsWindowEnabled(hItem)) {
                SendMessage(WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            }
        }
    }

    return PreTranslateInput(pMsg);
}

// Keyboard and mouse input to the dialog and its controls: dialog navigation
// (Tab, arrows, Enter, Escape, mnemonics). Other messages are left alone, so
// that IsDialogMessage never dispatches them behind the caller's back.
BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
        (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, lpMsg);
}
