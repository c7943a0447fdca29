#include "OXHistoryCombo.h"

#include <afxdlgs.h>

#include <vector>

#include "OXPreviewDialog.h"

IMPLEMENT_DYNAMIC(COXHistoryCombo, CComboBox)

static const int BUTTON_FLAGS = 10;
static const REGSAM SAVE_ACCESS = 0x2001F;   // read, set value, create sub key

// The tool bar's borders are its own business; the combo places the bar by them.
class COXHistoryToolBar : public CToolBar
{
public:
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
};

CPoint OXHistoryToolbarOrigin(int nPosition, BOOL bTight, const CRect& R, CSize size, const CRect& borders)
{
    const int L = borders.left, T = borders.top, Rb = borders.right, B = borders.bottom;
    const int Tt = bTight ? 0 : T, Bt = bTight ? 0 : B, Lt = bTight ? 0 : L, Rt = bTight ? 0 : Rb;
    const int w = size.cx, h = size.cy;
    switch (nPosition) {
    case 2: return CPoint(R.left - L, R.top + Tt - h);
    case 3: return CPoint(R.left + (R.Width() - w) / 2, R.top + Tt - h);
    case 4: return CPoint(R.right + Rb - w, R.top + Tt - h);
    case 5: return CPoint(R.left - L, R.bottom - Bt);
    case 6: return CPoint(R.left + (R.Width() - w) / 2, R.bottom - Bt);
    case 7: return CPoint(R.right + Rb - w, R.bottom - Bt);
    case 8: return CPoint(R.left + Lt - w, R.top - T);
    case 9: return CPoint(R.left + Lt - w, R.top + (R.Height() - h) / 2);
    case 10: return CPoint(R.left + Lt - w, R.bottom + B - h);
    case 11: return CPoint(R.right - Rt, R.top - T);
    case 12: return CPoint(R.right - Rt, R.top + (R.Height() - h) / 2);
    case 13: return CPoint(R.right - Rt, R.bottom + B - h);
    default: return CPoint(R.right - Rt, R.top + (R.Height() - h) / 2);   // beside, as 12
    }
}

BEGIN_MESSAGE_MAP(COXHistoryCombo, CComboBox)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_ENABLE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &COXHistoryCombo::OnIdleUpdateCmdUI)
    ON_COMMAND(ID_OX_HISTORY_ADD, &COXHistoryCombo::OnAddItem)
    ON_COMMAND(ID_OX_HISTORY_DELETE, &COXHistoryCombo::OnDeleteItem)
    ON_COMMAND(ID_OX_HISTORY_BROWSE, &COXHistoryCombo::OnBrowse)
    ON_COMMAND(ID_OX_HISTORY_SPARE1, &COXHistoryCombo::OnSpare)
    ON_COMMAND(ID_OX_HISTORY_SPARE2, &COXHistoryCombo::OnSpare)
    ON_UPDATE_COMMAND_UI(ID_OX_HISTORY_ADD, &COXHistoryCombo::OnUpdateAddItem)
    ON_UPDATE_COMMAND_UI(ID_OX_HISTORY_DELETE, &COXHistoryCombo::OnUpdateDeleteItem)
    ON_UPDATE_COMMAND_UI(ID_OX_HISTORY_BROWSE, &COXHistoryCombo::OnUpdateBrowse)
    ON_UPDATE_COMMAND_UI(ID_OX_HISTORY_SPARE1, &COXHistoryCombo::OnUpdateSpare)
    ON_UPDATE_COMMAND_UI(ID_OX_HISTORY_SPARE2, &COXHistoryCombo::OnUpdateSpare)
END_MESSAGE_MAP()

COXHistoryCombo::COXHistoryCombo(int nToolbarPosition, BOOL bTightToolbar, UINT nToolbarResourceID)
    : m_nToolbarPosition(nToolbarPosition), m_bTightToolbar(bTightToolbar), m_pToolbar(new COXHistoryToolBar),
      m_nToolbarResourceID(nToolbarResourceID)
{
    for (int i = 0; i < BUTTON_FLAGS; ++i)
        m_arrButtonShown[i] = i < 3;
    char szDir[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, szDir);
    m_fileDialogParams.sInitialDir = szDir;
}

COXHistoryCombo::~COXHistoryCombo()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
    if (::IsWindow(m_pToolbar->GetSafeHwnd()))
        m_pToolbar->DestroyWindow();
    delete m_pToolbar;
}

// ---------------------------------------------------------------------------
// History
// ---------------------------------------------------------------------------

BOOL COXHistoryCombo::AddHistoryItem(LPCTSTR lpszText)
{
    CString sText = lpszText ? lpszText : "";
    if (sText.IsEmpty())
        GetWindowText(sText);
    if (sText.IsEmpty())
        return FALSE;
    BOOL bNew = TRUE;
    int nFound = FindStringExact(-1, sText);
    if (nFound != CB_ERR) {
        DeleteString(nFound);
        bNew = FALSE;
    }
    InsertString(0, sText);
    SetCurSel(0);
    while (GetCount() > m_nMaxHistory && GetCount() > 0)
        DeleteString(GetCount() - 1);
    SetEditSel(0, -1);
    return bNew;
}

void COXHistoryCombo::NotifyParent(UINT nCode)
{
    CWnd* pParent = GetParent();
    if (pParent)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), (LPARAM)m_hWnd);
}

BOOL COXHistoryCombo::DeleteHistoryItem(int nIndex)
{
    if (nIndex == -1)
        nIndex = GetCurSel();
    if (nIndex < 0 || DeleteString((UINT)nIndex) == CB_ERR)
        return FALSE;
    if (nIndex < GetCount()) {
        SetCurSel(nIndex);
        NotifyParent(CBN_SELCHANGE);
    } else {
        SetCurSel(nIndex - 1);
    }
    return TRUE;
}

BOOL COXHistoryCombo::Browse()
{
    const FileDialogParams& p = m_fileDialogParams;
    auto orNull = [](const CString& s) { return s.IsEmpty() ? (LPCTSTR)NULL : (LPCTSTR)s; };
    CFileDialog dialog(p.bOpenFileDialog, orNull(p.sDefExt), orNull(p.sFileName), p.dwFlags, orNull(p.sFilter),
                       p.pParentWnd);
    dialog.m_ofn.lpstrInitialDir = orNull(p.sInitialDir);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    SetWindowText(dialog.GetPathName());
    NotifyParent(CBN_EDITCHANGE);
    return TRUE;
}

BOOL COXHistoryCombo::CanAddHistoryItem()
{
    return GetWindowTextLength() > 0;
}

BOOL COXHistoryCombo::CanDeleteHistoryItem()
{
    return GetCurSel() != CB_ERR;
}

void COXHistoryCombo::SetMaxHistoryCount(int nMax)
{
    m_nMaxHistory = nMax;
    if (!::IsWindow(m_hWnd))
        return;
    while (GetCount() > m_nMaxHistory && GetCount() > 0)
        DeleteString(GetCount() - 1);
}

CString COXHistoryCombo::GetHistoryString() const
{
    CString sHistory;
    for (int i = 0; i < GetCount(); ++i) {
        CString s;
        GetLBText(i, s);
        if (i > 0)
            sHistory += "|";
        sHistory += s;
    }
    return sHistory;
}

void COXHistoryCombo::SetHistoryString(LPCTSTR lpszHistory)
{
    ResetContent();
    if (m_nMaxHistory == 0 || lpszHistory == NULL)
        return;
    CString sRest = lpszHistory;
    while (!sRest.IsEmpty()) {
        int nBar = sRest.Find('|');
        CString sPiece = nBar < 0 ? sRest : sRest.Left(nBar);
        sRest = nBar < 0 ? CString() : sRest.Mid(nBar + 1);
        if (!sPiece.IsEmpty())
            AddString(sPiece);
    }
}

// ---------------------------------------------------------------------------
// Registry
// ---------------------------------------------------------------------------

CString COXHistoryCombo::HistoryKeyPath(LPCTSTR lpszSubKey, LPCTSTR lpszKey)
{
    CWinApp* pApp = AfxGetApp();
    CString sSubKey = lpszSubKey ? lpszSubKey : "";
    if (sSubKey.IsEmpty() && pApp && pApp->m_pszRegistryKey)
        sSubKey = pApp->m_pszRegistryKey;
    if (sSubKey.IsEmpty())
        return CString();
    CString sKey = lpszKey ? lpszKey : "";
    if (sKey.IsEmpty() && pApp && pApp->m_pszProfileName)
        sKey = pApp->m_pszProfileName;
    CString sPath = "Software\\" + sSubKey;
    if (!sKey.IsEmpty())
        sPath += "\\" + sKey;
    return sPath + "\\HistoryCombo";
}

BOOL COXHistoryCombo::OpenHistoryKey(HKEY hKeyRoot, LPCTSTR lpszSubKey, LPCTSTR lpszKey, REGSAM sam, BOOL bCreate,
                                     HKEY& hKey) const
{
    CString sPath = HistoryKeyPath(lpszSubKey, lpszKey);
    if (sPath.IsEmpty())
        return FALSE;
    if (bCreate)
        return ::RegCreateKeyExA(hKeyRoot, sPath, 0, NULL, 0, sam, NULL, &hKey, NULL) == ERROR_SUCCESS;
    return ::RegOpenKeyExA(hKeyRoot, sPath, 0, sam, &hKey) == ERROR_SUCCESS;
}

BOOL COXHistoryCombo::SaveHistory(LPCTSTR lpszValueName, LPCTSTR lpszSubKey, LPCTSTR lpszKey, HKEY hKeyRoot,
                                  BOOL bAddCurrentText)
{
    if (lpszValueName == NULL || *lpszValueName == '\0' || HistoryKeyPath(lpszSubKey, lpszKey).IsEmpty())
        return FALSE;
    if (bAddCurrentText)
        AddHistoryItem(NULL);
    HKEY hKey = NULL;
    if (!OpenHistoryKey(hKeyRoot, lpszSubKey, lpszKey, SAVE_ACCESS, TRUE, hKey))
        return FALSE;
    CString sHistory = GetHistoryString();
    LONG lResult;
    if (sHistory.IsEmpty()) {
        lResult = ::RegDeleteValueA(hKey, lpszValueName);
        if (lResult == ERROR_FILE_NOT_FOUND)   // nothing stored: already as wanted
            lResult = ERROR_SUCCESS;
    } else {
        lResult = ::RegSetValueExA(hKey, lpszValueName, 0, REG_SZ, (const BYTE*)(LPCTSTR)sHistory,
                                   (DWORD)sHistory.GetLength() + 1);
    }
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

BOOL COXHistoryCombo::LoadHistory(LPCTSTR lpszValueName, LPCTSTR lpszSubKey, LPCTSTR lpszKey, HKEY hKeyRoot,
                                  BOOL bSelectFirst)
{
    if (lpszValueName == NULL || *lpszValueName == '\0' || HistoryKeyPath(lpszSubKey, lpszKey).IsEmpty())
        return FALSE;
    CString sHistory;
    HKEY hKey = NULL;
    if (OpenHistoryKey(hKeyRoot, lpszSubKey, lpszKey, KEY_READ, FALSE, hKey)) {
        DWORD dwType = 0, cb = 0;
        if (::RegQueryValueExA(hKey, lpszValueName, NULL, &dwType, NULL, &cb) == ERROR_SUCCESS && cb > 0
            && dwType == REG_SZ) {
            std::vector<char> buffer(cb + 1, '\0');
            if (::RegQueryValueExA(hKey, lpszValueName, NULL, &dwType, (BYTE*)buffer.data(), &cb) == ERROR_SUCCESS)
                sHistory = buffer.data();
        }
        ::RegCloseKey(hKey);
    }
    SetHistoryString(sHistory);
    if (bSelectFirst && GetCount() > 0) {
        SetCurSel(0);
        if (::IsWindow(m_hWnd) && IsWindowEnabled() && CWnd::GetFocus() == this)
            SetEditSel(0, -1);
    }
    return TRUE;
}

BOOL COXHistoryCombo::SetAutoPersistent(LPCTSTR lpszValueName, LPCTSTR lpszSubKey, LPCTSTR lpszKey)
{
    if (::IsWindow(m_hWnd) && !LoadHistory(lpszValueName, lpszSubKey, lpszKey, HKEY_CURRENT_USER, TRUE))
        return FALSE;
    m_bAutoPersistent = TRUE;
    m_sValueName = lpszValueName ? lpszValueName : "";
    m_sRegistrySubKey = lpszSubKey ? lpszSubKey : "";
    m_sRegistryKey = lpszKey ? lpszKey : "";
    return TRUE;
}

void COXHistoryCombo::SetFileDialogParams(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                                          DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd,
                                          LPCTSTR lpszInitialDir)
{
    m_fileDialogParams.bOpenFileDialog = bOpenFileDialog;
    m_fileDialogParams.sDefExt = lpszDefExt ? lpszDefExt : "";
    m_fileDialogParams.sFileName = lpszFileName ? lpszFileName : "";
    m_fileDialogParams.dwFlags = dwFlags;
    m_fileDialogParams.sFilter = lpszFilter ? lpszFilter : "";
    m_fileDialogParams.pParentWnd = pParentWnd;
    m_fileDialogParams.sInitialDir = lpszInitialDir ? lpszInitialDir : "";
}

// ---------------------------------------------------------------------------
// Tool bar
// ---------------------------------------------------------------------------

void COXHistoryCombo::SetButtonFlag(int nButton, BOOL bShow)
{
    if (nButton >= 0 && nButton < BUTTON_FLAGS)
        m_arrButtonShown[nButton] = bShow;
}

BOOL COXHistoryCombo::GetButtonFlag(int nButton) const
{
    return nButton >= 0 && nButton < BUTTON_FLAGS && m_arrButtonShown[nButton];
}

int COXHistoryCombo::GetVisibleButtonCount() const
{
    int n = 0;
    for (int i = 0; i < BUTTON_FLAGS; ++i)
        n += m_arrButtonShown[i] ? 1 : 0;
    return n;
}

void COXHistoryCombo::RefreshButtons()
{
    if (!::IsWindow(m_pToolbar->GetSafeHwnd()))
        return;
    struct Button { UINT nID, nStyle; int iImage; };
    std::vector<Button> kept;
    int nCount = (int)m_pToolbar->SendMessage(TB_BUTTONCOUNT);
    for (int i = 0; i < nCount && i < BUTTON_FLAGS; ++i) {
        if (!m_arrButtonShown[i])
            continue;
        Button b;
        m_pToolbar->GetButtonInfo(i, b.nID, b.nStyle, b.iImage);
        kept.push_back(b);
    }
    m_pToolbar->SetButtons(NULL, (int)kept.size());
    for (int i = 0; i < (int)kept.size(); ++i)
        m_pToolbar->SetButtonInfo(i, kept[i].nID, kept[i].nStyle, kept[i].iImage);
    m_pToolbar->ShowWindow(kept.empty() ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void COXHistoryCombo::PositionToolbar(int nPosition, BOOL bTight)
{
    m_nToolbarPosition = nPosition;
    m_bTightToolbar = bTight;
    if (!::IsWindow(m_pToolbar->GetSafeHwnd()) || !::IsWindow(m_hWnd))
        return;
    if (GetVisibleButtonCount() == 0 || nPosition == OX_HISTORY_TOOLBAR_NONE) {
        m_pToolbar->ShowWindow(SW_HIDE);
        return;
    }
    m_pToolbar->SetBarStyle(m_pToolbar->GetBarStyle() | CBRS_ORIENT_HORZ);
    CSize size = m_pToolbar->CalcFixedLayout(FALSE, TRUE);
    CRect rect;
    GetWindowRect(&rect);
    CWnd* pBarParent = m_pToolbar->GetParent();
    if (pBarParent)
        pBarParent->ScreenToClient(&rect);
    CPoint pt = OXHistoryToolbarOrigin(nPosition, bTight, rect, size,
                                       static_cast<COXHistoryToolBar*>(m_pToolbar)->GetBorders());
    m_pToolbar->SetWindowPos(NULL, pt.x, pt.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_pToolbar->Invalidate();
}

void COXHistoryCombo::InitializeToolbar()
{
    if (!::IsWindow(m_pToolbar->GetSafeHwnd()))
        return;
    m_pToolbar->LoadToolBar(m_nToolbarResourceID);
    RefreshButtons();
    PositionToolbar(m_nToolbarPosition, FALSE);
}

BOOL COXHistoryCombo::AttachToolbar(CWnd* pParent)
{
    if (pParent == NULL)
        pParent = GetParent();
    if (pParent == NULL)
        return FALSE;
    if (!m_pToolbar->Create(pParent, WS_CHILD | CBRS_TOOLTIPS, AFX_IDW_TOOLBAR))
        return FALSE;
    m_pToolbar->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Its commands, updates and tips come to the combo.
    m_pToolbar->SetOwner(this);
    m_pToolbar->LoadToolBar(m_nToolbarResourceID);
    RefreshButtons();
    PositionToolbar(m_nToolbarPosition, FALSE);
    if (m_bAutoPersistent)
        LoadHistory(m_sValueName, m_sRegistrySubKey, m_sRegistryKey, HKEY_CURRENT_USER, TRUE);
    return TRUE;
}

BOOL COXHistoryCombo::OnIdle(LONG lCount)
{
    if (lCount == 0 && ::IsWindow(m_hWnd))
        SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    return FALSE;
}

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------

void COXHistoryCombo::PreSubclassWindow()
{
    if (AfxGetThreadState()->m_pWndInit == NULL && ::GetParent(m_hWnd) != NULL)
        AttachToolbar(NULL);
    CComboBox::PreSubclassWindow();
}

int COXHistoryCombo::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    AttachToolbar(CWnd::FromHandle(lpCreateStruct->hwndParent));
    return 0;
}

void COXHistoryCombo::OnDestroy()
{
    CComboBox::OnDestroy();
    if (::IsWindow(m_pToolbar->GetSafeHwnd()))
        m_pToolbar->DestroyWindow();
    delete m_pToolbar;
    m_pToolbar = new COXHistoryToolBar;
    if (m_bAutoPersistent)
        SaveHistory(m_sValueName, m_sRegistrySubKey, m_sRegistryKey, HKEY_CURRENT_USER, TRUE);
}

void COXHistoryCombo::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    if (::IsWindow(m_pToolbar->GetSafeHwnd()))
        PositionToolbar(m_nToolbarPosition, FALSE);
    CComboBox::OnWindowPosChanged(lpwndpos);
}

void COXHistoryCombo::OnEnable(BOOL bEnable)
{
    CComboBox::OnEnable(bEnable);
    SetEditSel(0, 0);
    if (::IsWindow(m_pToolbar->GetSafeHwnd()))
        m_pToolbar->EnableWindow(bEnable);
}

LRESULT COXHistoryCombo::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (::IsWindow(m_pToolbar->GetSafeHwnd()))
        m_pToolbar->SendMessage(WM_IDLEUPDATECMDUI, wParam, lParam);
    return 0;
}

BOOL COXHistoryCombo::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR->code != TTN_NEEDTEXTA)
        return CComboBox::OnNotify(wParam, lParam, pResult);
    NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)pNMHDR;
    UINT_PTR nID = pNMHDR->idFrom;
    if (pInfo->uFlags & TTF_IDISHWND)
        nID = (UINT_PTR)::GetDlgCtrlID((HWND)nID);
    if (nID == 0)
        return CComboBox::OnNotify(wParam, lParam, pResult);
    char szBuffer[256] = "";
    if (!::LoadStringA(AfxGetResourceHandle(), (UINT)nID, szBuffer, sizeof(szBuffer)))
        return FALSE;
    CString sTip = szBuffer;
    int nNewLine = sTip.Find('\n');
    sTip = nNewLine < 0 ? CString() : sTip.Mid(nNewLine + 1);
    int nNext = sTip.Find('\n');
    if (nNext >= 0)
        sTip = sTip.Left(nNext);
    lstrcpynA(pInfo->szText, sTip, sizeof(pInfo->szText));
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    *pResult = 0;
    return TRUE;
}

BOOL COXHistoryCombo::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CComboBox::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (nID > 0xFFFF || pHandlerInfo != NULL)
        return FALSE;
    // The tool bar's other buttons belong to the window the combo sits in.
    if (nCode == (int)CN_COMMAND && ::IsWindow(m_pToolbar->GetSafeHwnd()) && GetParent()) {
        const MSG* pMsg = GetCurrentMessage();
        if (pMsg->message == WM_COMMAND && (HWND)pMsg->lParam == m_pToolbar->m_hWnd) {
            GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), (LPARAM)m_pToolbar->m_hWnd);
            return TRUE;
        }
    }
    if (nCode == (int)CN_UPDATE_COMMAND_UI && pExtra && GetParent()) {
        ((CCmdUI*)pExtra)->DoUpdate(GetParent(), TRUE);
        return TRUE;
    }
    return FALSE;
}

void COXHistoryCombo::OnAddItem() { AddHistoryItem(NULL); }
void COXHistoryCombo::OnDeleteItem() { DeleteHistoryItem(-1); }
void COXHistoryCombo::OnBrowse() { Browse(); }

void COXHistoryCombo::OnUpdateAddItem(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanAddHistoryItem() && IsWindowEnabled());
}

void COXHistoryCombo::OnUpdateDeleteItem(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanDeleteHistoryItem() && IsWindowEnabled());
}

void COXHistoryCombo::OnUpdateBrowse(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanBrowse() && IsWindowEnabled());
}

void COXHistoryCombo::OnUpdateSpare(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

// ---------------------------------------------------------------------------
// Picture-file picker
// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(COXBMPFilePickerCombo, COXHistoryCombo)

COXBMPFilePickerCombo::COXBMPFilePickerCombo(LPCTSTR lpszFilter)
    : COXHistoryCombo(OX_HISTORY_TOOLBAR_RIGHT_CENTER, FALSE, IDR_OX_HISTORY_COMBO), m_sFilter(lpszFilter)
{
}

COXBMPFilePickerCombo::COXBMPFilePickerCombo(UINT nFilterID)
    : COXHistoryCombo(OX_HISTORY_TOOLBAR_RIGHT_CENTER, FALSE, IDR_OX_HISTORY_COMBO)
{
    m_sFilter.LoadString(nFilterID);
}

BOOL COXBMPFilePickerCombo::Browse()
{
    CString sText;
    GetWindowText(sText);
    COXPreviewDialog dialog(TRUE, NULL, sText.IsEmpty() ? NULL : (LPCTSTR)sText,
                            OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, m_sFilter.IsEmpty() ? NULL : (LPCTSTR)m_sFilter,
                            NULL);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    SetWindowText(dialog.GetPathName());
    NotifyParent(CBN_EDITCHANGE);
    return TRUE;
}
