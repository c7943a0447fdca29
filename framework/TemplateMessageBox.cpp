// TemplateMessageBox.cpp - the in-memory message box: layout in pixels,
// converted to dialog units, a standard dialog template written into global
// memory, and a modal dialog that adds the check-box mark to its result.
#include "TemplateMessageBox.h"

#include <algorithm>
#include <climits>

namespace {

const DWORD kStylePushButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;            // 0x50010000
const DWORD kStyleDefPushButton = kStylePushButton | BS_DEFPUSHBUTTON;        // 0x50010001
const DWORD kStyleStatic = WS_CHILD | WS_VISIBLE;                              // 0x50000000
const DWORD kStyleCheckBox = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;   // 0x50010003
const DWORD kStyleDialog = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME;

const int kButtonWidth = 75;
const int kButtonHeight = 23;
const int kButtonPitch = 81;

struct BUTTONDEF
{
    UINT nId;
    LPCSTR pszText;
};

const BUTTONDEF kOK = {IDOK, "OK"};
const BUTTONDEF kCancel = {IDCANCEL, "Cancel"};
const BUTTONDEF kAbort = {IDABORT, "&Abort"};
const BUTTONDEF kRetry = {IDRETRY, "&Retry"};
const BUTTONDEF kIgnore = {IDIGNORE, "&Ignore"};
const BUTTONDEF kYes = {IDYES, "&Yes"};
const BUTTONDEF kNo = {IDNO, "&No"};
// The box's own id for Continue (the system's continue id is 11).
const UINT kIdContinue = 10;
const BUTTONDEF kContinue = {kIdContinue, "&Continue"};
const BUTTONDEF kHelp = {IDC_TMB_HELP, "&Help"};

// The buttons of a button set (the low four type bits), left to right; the
// sets without a row of their own show OK alone.
int ButtonsOfSet(UINT nSet, BUTTONDEF* pButtons)
{
    int n = 0;
    switch (nSet) {
    case MB_OKCANCEL: pButtons[n++] = kOK; pButtons[n++] = kCancel; break;
    case MB_ABORTRETRYIGNORE: pButtons[n++] = kAbort; pButtons[n++] = kRetry; pButtons[n++] = kIgnore; break;
    case MB_YESNOCANCEL: pButtons[n++] = kYes; pButtons[n++] = kNo; pButtons[n++] = kCancel; break;
    case MB_YESNO: pButtons[n++] = kYes; pButtons[n++] = kNo; break;
    case MB_RETRYCANCEL: pButtons[n++] = kRetry; pButtons[n++] = kCancel; break;
    case 8: pButtons[n++] = kContinue; pButtons[n++] = kAbort; break;
    default: pButtons[n++] = kOK; break;
    }
    return n;
}

LPCSTR IconOfType(UINT nType)
{
    switch (nType & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return NULL;
    }
}

short ToDialogUnits(int nPixels, int nBase, int nDialogUnitsPerBase)
{
    long long n = (long long)nPixels * nDialogUnitsPerBase / (nBase > 0 ? nBase : 1);
    if (n > SHRT_MAX)
        n = SHRT_MAX;
    if (n < SHRT_MIN)
        n = SHRT_MIN;
    return (short)n;
}

// Bytes of a text in UTF-16 with its terminator.
int WideBytes(LPCSTR psz)
{
    return MultiByteToWideChar(CP_ACP, 0, psz, -1, NULL, 0) * (int)sizeof(WCHAR);
}

BYTE* WriteWide(BYTE* p, LPCSTR psz)
{
    int nChars = MultiByteToWideChar(CP_ACP, 0, psz, -1, NULL, 0);
    MultiByteToWideChar(CP_ACP, 0, psz, -1, (LPWSTR)p, nChars);
    return p + nChars * sizeof(WCHAR);
}

size_t AlignUp4(size_t n) { return (n + 3) & ~(size_t)3; }

// The icon place paints the box's icon at its top-left corner.
class CMessageIconStatic : public CWnd
{
public:
    HICON m_hIcon = NULL;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        if (m_hIcon != NULL)
            ::DrawIcon(dc.GetSafeHdc(), 0, 0, m_hIcon);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMessageIconStatic, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class CTemplateMessageBoxDlg : public CDialog
{
public:
    explicit CTemplateMessageBoxDlg(CDialogTemplate1& tmpl) : m_tmpl(tmpl) {}

    BOOL OnInitDialog() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void EndWithMark(UINT nId);
    void ShowHelp();

    CDialogTemplate1& m_tmpl;
    CMessageIconStatic m_wndIcon;
};

BOOL CTemplateMessageBoxDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < m_tmpl.GetControlCount(); i++) {
        UINT nId = m_tmpl.GetControl(i)->wId;
        if (nId == IDC_TMB_TEXT || (nId >= 1 && nId <= 10) || nId == IDC_TMB_HELP || nId == IDC_TMB_DONTAGAIN)
            SendDlgItemMessage(nId, WM_SETFONT, (WPARAM)m_tmpl.m_hFont, FALSE);
    }
    if (m_tmpl.m_bAskBox || m_tmpl.m_bTellBox)
        SendDlgItemMessage(IDC_TMB_DONTAGAIN, BM_SETCHECK, BST_UNCHECKED, 0);
    if (!m_tmpl.m_bHasCancel) {
        if (CMenu* pMenu = GetSystemMenu(FALSE))
            pMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    }
    if (m_tmpl.m_hIcon != NULL && GetDlgItem(IDC_TMB_ICON) != NULL) {
        m_wndIcon.m_hIcon = m_tmpl.m_hIcon;
        m_wndIcon.SubclassDlgItem(IDC_TMB_ICON, this);
    }
    HWND hDefault = ::GetDlgItem(m_hWnd, (int)m_tmpl.m_nDefButtonId);
    if (hDefault != NULL)
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)hDefault, 1);
    return FALSE;   // the focus is set
}

// Cancel (also Esc and Close) counts only when the box has a Cancel button;
// command 8 is never a button of the box; Help keeps the box open.
BOOL CTemplateMessageBoxDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nId = LOWORD(wParam);
    if (HIWORD(wParam) != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    switch (nId) {
    case IDCANCEL:
        if (m_tmpl.m_bHasCancel)
            EndWithMark(nId);
        return TRUE;
    case 8:
        return TRUE;
    case IDC_TMB_HELP:
        ShowHelp();
        return TRUE;
    case IDOK: case IDABORT: case IDRETRY: case IDIGNORE: case IDYES: case IDNO: case kIdContinue:
        EndWithMark(nId);
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

void CTemplateMessageBoxDlg::EndWithMark(UINT nId)
{
    int nResult = (int)nId;
    if ((m_tmpl.m_bAskBox || m_tmpl.m_bTellBox) &&
        SendDlgItemMessage(IDC_TMB_DONTAGAIN, BM_GETCHECK, 0, 0) == BST_CHECKED)
        nResult += m_tmpl.m_bAskBox ? MB_DONTASKAGAIN : MB_DONTTELLAGAIN;
    EndDialog(nResult);
}

// The help file sits beside the program with the extension ".hlp".
void CTemplateMessageBoxDlg::ShowHelp()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString sHelp(szPath);
    int nDot = sHelp.ReverseFind('.');
    int nSlash = sHelp.ReverseFind('\\');
    if (nDot > nSlash)
        sHelp = sHelp.Left(nDot);
    sHelp += ".hlp";
    if (m_tmpl.m_nHelpId != 0)
        ::WinHelpA(m_hWnd, sHelp, HELP_CONTEXT, m_tmpl.m_nHelpId);
    else
        ::WinHelpA(m_hWnd, sHelp, HELP_PARTIALKEY, (ULONG_PTR)"");
}

// Lays the box out in pixels and enters the controls in dialog units.
void LayOut(CDialogTemplate1& tmpl, const CString& sText, UINT nType)
{
    LONG lBase = ::GetDialogBaseUnits();
    int nBaseX = LOWORD(lBase), nBaseY = HIWORD(lBase);
    auto add = [&](DWORD dwStyle, const CRect& rc, UINT nId, WORD wAtom, LPCSTR pszText) {
        tmpl.AddControl(dwStyle, ToDialogUnits(rc.left, nBaseX, 4), ToDialogUnits(rc.top, nBaseY, 8),
                        ToDialogUnits(rc.Width(), nBaseX, 4), ToDialogUnits(rc.Height(), nBaseY, 8), nId, wAtom,
                        pszText);
    };

    // The text, word-wrapped within half the screen and a little more.
    CRect rcText(0, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2 + 50, 0);
    HDC hdc = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, tmpl.m_hFont);
    ::DrawTextA(hdc, sText, sText.GetLength(), &rcText, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(NULL, hdc);
    rcText.right += 12;
    rcText.bottom += 5;
    rcText.OffsetRect(16 - rcText.left, 16 - rcText.top);
    int cx = rcText.right;
    int nBottom = rcText.bottom;

    if (tmpl.m_hIcon != NULL) {
        int cxIcon = ::GetSystemMetrics(SM_CXICON), cyIcon = ::GetSystemMetrics(SM_CYICON);
        rcText.OffsetRect(cxIcon + 8, 0);
        cx += cxIcon + 8;
        CRect rcIcon(8, 8, 8 + cxIcon + 2, 8 + cyIcon + 2);
        add(kStyleStatic, rcIcon, IDC_TMB_ICON, CDialogTemplate1::ATOM_STATIC, "");
        nBottom = std::max(nBottom, (int)rcIcon.bottom);
    }
    add(kStyleStatic, rcText, IDC_TMB_TEXT, CDialogTemplate1::ATOM_STATIC, sText);

    BUTTONDEF buttons[5];
    int nButtons = ButtonsOfSet(nType & MB_TYPEMASK, buttons);
    if (nType & MB_HELP)
        buttons[nButtons++] = kHelp;
    for (int i = 0; i < nButtons; i++)
        if (buttons[i].nId == IDCANCEL)
            tmpl.m_bHasCancel = TRUE;
    int nDef = (int)((nType & MB_DEFMASK) >> 8);
    if (nDef >= nButtons)
        nDef = 0;
    tmpl.m_nDefButton = nDef;
    tmpl.m_nDefButtonId = buttons[nDef].nId;

    int nRowTop = nBottom + 8;
    int nRowWidth = kButtonWidth + (nButtons - 1) * kButtonPitch;
    if (cx < nRowWidth + 32)
        cx = nRowWidth + 32;
    BOOL bCheck = tmpl.m_bAskBox || tmpl.m_bTellBox;
    if (bCheck && cx < 137)
        cx = 137;
    int nLeft = (cx - nRowWidth) / 2;
    for (int i = 0; i < nButtons; i++) {
        CRect rc(nLeft + i * kButtonPitch, nRowTop, nLeft + i * kButtonPitch + kButtonWidth, nRowTop + kButtonHeight);
        add(i == nDef ? kStyleDefPushButton : kStylePushButton, rc, buttons[i].nId, CDialogTemplate1::ATOM_BUTTON,
            buttons[i].pszText);
    }
    int cy = nRowTop + kButtonHeight + 10;
    if (bCheck) {
        add(kStyleCheckBox, CRect(17, nRowTop + 35, 17 + 120, nRowTop + 51), IDC_TMB_DONTAGAIN,
            CDialogTemplate1::ATOM_BUTTON, tmpl.m_bAskBox ? "Don't ask me again" : "Don't tell me again");
        cy = nRowTop + 59;
    }
    cx = std::max(cx, nLeft + nRowWidth + 16);

    tmpl.m_cx = ToDialogUnits(cx, nBaseX, 4);
    tmpl.m_cy = ToDialogUnits(cy, nBaseY, 8);
}

} // namespace

// ---------------------------------------------------------------------------
// CDialogTemplate1
// ---------------------------------------------------------------------------

CDialogTemplate1::CDialogTemplate1() : m_nControls(0)
{
    for (int i = 0; i < MAX_CONTROLS; i++)
        m_pControls[i] = NULL;
    Reset();
}

CDialogTemplate1::~CDialogTemplate1()
{
    Reset();
}

void CDialogTemplate1::Reset()
{
    for (int i = 0; i < m_nControls; i++) {
        delete m_pControls[i];
        m_pControls[i] = NULL;
    }
    m_nControls = 0;
    m_dwStyle = kStyleDialog;
    m_cx = m_cy = 0;
    m_hFont = NULL;
    m_nDefButton = 0;
    m_nDefButtonId = IDOK;
    m_nHelpId = 0;
    m_hIcon = NULL;
    m_bHasCancel = FALSE;
    m_bAskBox = FALSE;
    m_bTellBox = FALSE;
}

CString CDialogTemplate1::BoundText(LPCTSTR lpszText)
{
    CString s(lpszText != NULL ? lpszText : "");
    if (s.GetLength() > DLGCONTROLDESC::MAX_TEXT)
        s = s.Left(DLGCONTROLDESC::MAX_TEXT - 3) + "...";
    return s;
}

BOOL CDialogTemplate1::AddControl(DWORD dwStyle, int x, int y, int cx, int cy, UINT nId, WORD wClassAtom,
                                  LPCTSTR lpszText)
{
    if (m_nControls >= MAX_CONTROLS)
        return FALSE;
    DLGCONTROLDESC* p = new DLGCONTROLDESC;
    p->dwStyle = dwStyle;
    p->dwExStyle = 0;
    p->x = (short)x;
    p->y = (short)y;
    p->cx = (short)cx;
    p->cy = (short)cy;
    p->wId = (WORD)nId;
    p->wClassAtom = wClassAtom;
    lstrcpynA(p->szText, BoundText(lpszText), sizeof p->szText);
    m_pControls[m_nControls++] = p;
    return TRUE;
}

// Standard dialog template: the header (no menu, no class, the caption), then
// each control on a 4-byte boundary with its class as an atom and no creation
// data. Texts go to UTF-16 through the system's ANSI code page.
HGLOBAL CDialogTemplate1::Build(LPCTSTR lpszCaption) const
{
    CString sCaption = BoundText(lpszCaption);
    size_t nSize = sizeof(DLGTEMPLATE) + 2 * sizeof(WORD) + WideBytes(sCaption);
    for (int i = 0; i < m_nControls; i++)
        nSize = AlignUp4(nSize) + sizeof(DLGITEMTEMPLATE) + 2 * sizeof(WORD) + WideBytes(m_pControls[i]->szText) +
                sizeof(WORD);

    HGLOBAL hTemplate = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nSize);
    if (hTemplate == NULL)
        return NULL;
    BYTE* pBase = (BYTE*)::GlobalLock(hTemplate);
    if (pBase == NULL) {
        ::GlobalFree(hTemplate);
        return NULL;
    }

    DLGTEMPLATE* pHeader = (DLGTEMPLATE*)pBase;
    pHeader->style = m_dwStyle;
    pHeader->dwExtendedStyle = 0;
    pHeader->cdit = (WORD)m_nControls;
    pHeader->x = 0;
    pHeader->y = 0;
    pHeader->cx = (short)m_cx;
    pHeader->cy = (short)m_cy;
    BYTE* p = pBase + sizeof(DLGTEMPLATE);
    *(WORD*)p = 0;   // no menu
    p += sizeof(WORD);
    *(WORD*)p = 0;   // the standard dialog class
    p += sizeof(WORD);
    p = WriteWide(p, sCaption);

    for (int i = 0; i < m_nControls; i++) {
        const DLGCONTROLDESC* pDesc = m_pControls[i];
        p = pBase + AlignUp4(p - pBase);
        DLGITEMTEMPLATE* pItem = (DLGITEMTEMPLATE*)p;
        pItem->style = pDesc->dwStyle;
        pItem->dwExtendedStyle = pDesc->dwExStyle;
        pItem->x = pDesc->x;
        pItem->y = pDesc->y;
        pItem->cx = pDesc->cx;
        pItem->cy = pDesc->cy;
        pItem->id = pDesc->wId;
        p += sizeof(DLGITEMTEMPLATE);
        *(WORD*)p = 0xFFFF;
        p += sizeof(WORD);
        *(WORD*)p = pDesc->wClassAtom;
        p += sizeof(WORD);
        p = WriteWide(p, pDesc->szText);
        *(WORD*)p = 0;   // no creation data
        p += sizeof(WORD);
    }
    ::GlobalUnlock(hTemplate);
    return hTemplate;
}

// ---------------------------------------------------------------------------
// TemplateMessageBox
// ---------------------------------------------------------------------------

int TemplateMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType, UINT nIDHelp)
{
    CDialogTemplate1 tmpl;
    tmpl.m_nHelpId = nIDHelp;
    tmpl.m_bAskBox = (nType & MB_DONTASKAGAIN) != 0;
    tmpl.m_bTellBox = !tmpl.m_bAskBox && (nType & MB_DONTTELLAGAIN) != 0;

    if (hWndOwner == NULL)
        hWndOwner = ::GetDesktopWindow();

    CString sCaption(lpszCaption != NULL ? lpszCaption : "");
    if (sCaption.IsEmpty()) {
        char szTitle[DLGCONTROLDESC::MAX_TEXT + 1] = "";
        if (::LoadStringA(AfxGetResourceHandle(), 0xE000, szTitle, sizeof szTitle) > 0)
            sCaption = szTitle;
        else
            sCaption = "Error";
    }
    sCaption = CDialogTemplate1::BoundText(sCaption);
    CString sText = CDialogTemplate1::BoundText(lpszText);

    // The system's own box for a system-modal stop: it needs nothing of ours.
    if ((nType & MB_ICONMASK) == MB_ICONHAND && (nType & MB_SYSTEMMODAL))
        return ::MessageBoxA(hWndOwner, sText, sCaption, nType & ~MB_DONTAGAINMASK);

    HFONT hFont = ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    tmpl.m_hFont = hFont != NULL ? hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    if (LPCSTR pszIcon = IconOfType(nType))
        tmpl.m_hIcon = ::LoadIconA(NULL, pszIcon);
    if (nType & MB_SYSTEMMODAL)
        tmpl.m_dwStyle |= DS_SYSMODAL;

    LayOut(tmpl, sText, nType);

    HGLOBAL hTemplate = tmpl.Build(sCaption);
    if (hTemplate == NULL) {
        if (hFont != NULL)
            ::DeleteObject(hFont);
        ::MessageBoxA(NULL, "Memory allocation for dialog template failed.", "Allocation Failure", MB_ICONWARNING);
        return IDCANCEL;
    }

    int nResult;
    {
        CTemplateMessageBoxDlg dlg(tmpl);
        dlg.InitModalIndirect(hTemplate, CWnd::FromHandle(hWndOwner));
        nResult = (int)dlg.DoModal();
    }
    ::GlobalFree(hTemplate);
    if (hFont != NULL)
        ::DeleteObject(hFont);
    return nResult;
}
