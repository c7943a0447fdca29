// formview.cpp - CFormView: a view made from a dialog template, its controls
// reached with the dialog keys and its notifications going through the
// view's (and its document's) message maps.
#include "docimpl.h"
#include <afxext.h>
#include <vector>

// ---------------------------------------------------------------------------
// Child dialogs from templates
// ---------------------------------------------------------------------------

// The object attached by the creation hook handles the messages; the dialog
// procedure leaves the focus alone on WM_INITDIALOG.
static INT_PTR CALLBACK AfxChildDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

BOOL AFXAPI AfxCreateChildDialog(CWnd* pWnd, LPCTSTR lpszTemplateName, CWnd* pParentWnd, DWORD dwAddStyle,
                                 DWORD dwAddExStyle, UINT nID)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hRsrc = ::FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
    if (hRsrc == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const BYTE* pData = hGlobal != NULL ? (const BYTE*)::LockResource(hGlobal) : NULL;
    DWORD cbData = ::SizeofResource(hInst, hRsrc);
    if (pData == NULL || cbData < sizeof(DLGTEMPLATE))
        return FALSE;

    // a DWORD-aligned copy whose styles make a borderless child
    std::vector<DWORD> buffer((cbData + 3) / 4);
    memcpy(buffer.data(), pData, cbData);
    BYTE* pTemplate = (BYTE*)buffer.data();
    DWORD* pStyle;
    DWORD* pExStyle;
    if (((WORD*)pTemplate)[1] == 0xFFFF) {   // DLGTEMPLATEEX: version, signature, help id, ex style, style
        pExStyle = (DWORD*)(pTemplate + 8);
        pStyle = (DWORD*)(pTemplate + 12);
    } else {
        pStyle = (DWORD*)pTemplate;
        pExStyle = (DWORD*)(pTemplate + 4);
    }
    DWORD dwStyle = *pStyle;
    dwStyle &= ~(WS_POPUP | WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                 WS_MAXIMIZEBOX | DS_MODALFRAME | DS_SYSMODAL | DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN |
                 WS_VISIBLE | WS_DISABLED);
    dwStyle |= WS_CHILD | DS_CONTROL | (dwAddStyle & ~WS_VISIBLE);
    *pStyle = dwStyle;
    *pExStyle = (*pExStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE |
                               WS_EX_TOOLWINDOW | WS_EX_APPWINDOW | WS_EX_TOPMOST)) |
                dwAddExStyle;

    AfxHookWindowCreate(pWnd);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, (LPCDLGTEMPLATEA)pTemplate, pParentWnd->GetSafeHwnd(),
                                             AfxChildDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == NULL)
        return FALSE;
    ::SetWindowLongPtr(hWnd, GWLP_ID, (LONG_PTR)nID);
    if (dwAddStyle & WS_VISIBLE)
        ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    return TRUE;
}

// ---------------------------------------------------------------------------
// CFormView
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CFormView::CFormView(LPCTSTR lpszTemplateName)
    : m_lpszTemplateName(lpszTemplateName), m_hWndFocus(NULL), m_pCreateContext(NULL)
{
}

CFormView::CFormView(UINT nIDTemplate)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_hWndFocus(NULL), m_pCreateContext(NULL)
{
}

CFormView::~CFormView()
{
}

// The scroll sizes are the template's size; the requested border becomes a
// client edge around it.
BOOL CFormView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwRequestedStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    (void)lpszClassName;
    (void)lpszWindowName;
    CREATESTRUCT cs = {};
    if (dwRequestedStyle == 0)
        dwRequestedStyle = AFX_WS_DEFAULT_VIEW;
    cs.style = (LONG)dwRequestedStyle;
    if (!PreCreateWindow(cs))
        return FALSE;

    m_pCreateContext = pContext;   // for OnCreate: a dialog has no creation parameter to carry it
    BOOL bCreated = AfxCreateChildDialog(this, m_lpszTemplateName, pParentWnd, 0, 0, nID);
    m_pCreateContext = NULL;
    if (!bCreated)
        return FALSE;

    CRect rectTemplate;
    GetWindowRect(&rectTemplate);
    SetScrollSizes(MM_TEXT, rectTemplate.Size());
    if (cs.dwExStyle & WS_EX_CLIENTEDGE)
        ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    if (!ExecuteDlgInit(m_lpszTemplateName))
        return FALSE;
    SetWindowPos(NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (dwRequestedStyle & WS_VISIBLE)
        ShowWindow(SW_NORMAL);
    return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT lpcs)
{
    CREATESTRUCT cs = *lpcs;
    cs.lpCreateParams = m_pCreateContext;
    return CScrollView::OnCreate(&cs);
}

// The focus is set when the view is activated, not when the form is made.
LRESULT CFormView::HandleInitDialog(WPARAM, LPARAM)
{
    Default();
    return FALSE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

BOOL CFormView::SaveFocusControl()
{
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL && ::IsChild(m_hWnd, hWndFocus)) {
        m_hWndFocus = hWndFocus;
        return TRUE;
    }
    return FALSE;
}

// The control that had the focus gets it back.
void CFormView::OnSetFocus(CWnd* pOldWnd)
{
    (void)pOldWnd;
    if (m_hWndFocus != NULL && ::IsWindow(m_hWndFocus) && ::IsChild(m_hWnd, m_hWndFocus)) {
        ::SetFocus(m_hWndFocus);
        return;
    }
    m_hWndFocus = NULL;
    HWND hWndFirst = ::GetNextDlgTabItem(m_hWnd, NULL, FALSE);
    if (hWndFirst != NULL && hWndFirst != m_hWnd)
        ::SetFocus(hWndFirst);
    else
        Default();
}

void CFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (SaveFocusControl())
        return;   // a control of the form has the focus already
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CFormView::OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd)
{
    (void)pFrameWnd;
    if (nState == WA_INACTIVE)
        SaveFocusControl();
}

// The frames' accelerators come before the dialog keys (Tab, Enter, arrows),
// which would otherwise take them.
BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CScrollView::PreTranslateMessage(pMsg))
        return TRUE;
    for (CFrameWnd* pFrameWnd = GetParentFrame(); pFrameWnd != NULL; pFrameWnd = pFrameWnd->GetParentFrame()) {
        if (pFrameWnd->PreTranslateMessage(pMsg))
            return TRUE;
    }
    if (::GetWindow(m_hWnd, GW_CHILD) == NULL)
        return FALSE;
    return PreTranslateInput(pMsg);
}
