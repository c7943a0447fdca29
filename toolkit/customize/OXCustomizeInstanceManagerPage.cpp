#include "OXCustomizeInstanceManagerPage.h"

#include <algorithm>

#include "toolkit_res.h"

// ---------------------------------------------------------------------------
// The rules
// ---------------------------------------------------------------------------
int COXInstancePageRules::OptionForMax(UINT nMax)
{
    if (nMax == nUnlimited)
        return OptionUnlimited;
    return nMax == 1 ? OptionSingle : OptionNumber;
}

UINT COXInstancePageRules::MaxForOption(int nOption, UINT nNumber)
{
    switch (nOption) {
    case OptionUnlimited:
        return nUnlimited;
    case OptionSingle:
        return 1;
    default:
        return nNumber;
    }
}

COXInstancePageRules::Enabling COXInstancePageRules::GetEnabling(int nOption, BOOL bSelected, BOOL bOwnProcess,
                                                                 DWORD dwStyle)
{
    Enabling e = {};
    e.bNumber = nOption == OptionNumber;
    if (!bSelected)
        return e;
    e.bClose = TRUE;
    e.bActivate = !bOwnProcess;
    const BOOL bSysMenu = (dwStyle & WS_SYSMENU) != 0;
    e.bMaximize = bSysMenu && (dwStyle & WS_MAXIMIZEBOX) && !(dwStyle & WS_MAXIMIZE);
    e.bMinimize = bSysMenu && (dwStyle & WS_MINIMIZEBOX) && !(dwStyle & WS_MINIMIZE);
    // A window that is neither minimized nor maximized has nothing to be
    // restored from: it still can be maximized, or never could.
    e.bRestore = bSysMenu && !(e.bMinimize && (e.bMaximize || !(dwStyle & WS_MAXIMIZEBOX)));
    return e;
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------
IMPLEMENT_DYNCREATE(COXCustomizeInstanceManagerPage, COXCustomizePage)

const TCHAR COXCustomizeInstanceManagerPage::szMaxAllowedInstanceNumber[] = "MaxAllowedInstanceNumber";

BEGIN_MESSAGE_MAP(COXCustomizeInstanceManagerPage, COXCustomizePage)
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_CONTROL_RANGE(BN_CLICKED, IDC_OX_INST_UNLIMITED, IDC_OX_INST_NUMBER,
                     &COXCustomizeInstanceManagerPage::OnOptionClicked)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_OX_INST_LIST, &COXCustomizeInstanceManagerPage::OnItemChanged)
    ON_BN_CLICKED(IDC_OX_INST_CLOSE, &COXCustomizeInstanceManagerPage::OnCloseInstance)
    ON_BN_CLICKED(IDC_OX_INST_ACTIVATE, &COXCustomizeInstanceManagerPage::OnActivateInstance)
    ON_BN_CLICKED(IDC_OX_INST_BEHIND, &COXCustomizeInstanceManagerPage::OnPlaceBehind)
    ON_BN_CLICKED(IDC_OX_INST_MAXIMIZE, &COXCustomizeInstanceManagerPage::OnMaximizeInstance)
    ON_BN_CLICKED(IDC_OX_INST_MINIMIZE, &COXCustomizeInstanceManagerPage::OnMinimizeInstance)
    ON_BN_CLICKED(IDC_OX_INST_RESTORE, &COXCustomizeInstanceManagerPage::OnRestoreInstance)
END_MESSAGE_MAP()

CString COXCustomizeInstanceManagerPage::GetInstanceName()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString sName(szPath);
    sName.Remove('\\');
    return sName;
}

COXCustomizeInstanceManagerPage::COXCustomizeInstanceManagerPage()
    : m_nInstanceOption(COXInstancePageRules::OptionUnlimited),
      m_nMaxAllowedInstances(COXInstancePageRules::nDefaultNumber), m_instanceManager(GetInstanceName()),
      m_nTimerID(0)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_INSTANCES;
}

COXCustomizeInstanceManagerPage::~COXCustomizeInstanceManagerPage()
{
}

CString COXCustomizeInstanceManagerPage::GetTitle() const
{
    return LoadText(IDS_OX_INST_TITLE);
}

UINT COXCustomizeInstanceManagerPage::GetImageResource() const
{
    return IDB_OX_INSTANCES_PAGE;
}

CString COXCustomizeInstanceManagerPage::GetTooltip() const
{
    return LoadText(IDS_OX_INST_TOOLTIP);
}

BOOL COXCustomizeInstanceManagerPage::InitializeInstanceManager(UINT nMaxAllowedInstances, LPCTSTR lpszProfileName)
{
    if (!COXInstancePageRules::IsValidMax(nMaxAllowedInstances))
        return FALSE;
    m_nMaxAllowedInstances = nMaxAllowedInstances;
    CWinApp* pApp = AfxGetApp();
    if (lpszProfileName != NULL && *lpszProfileName != '\0' && pApp != NULL) {
        m_sProfileName = lpszProfileName;
        const UINT nStored = pApp->GetProfileInt(m_sProfileName, szMaxAllowedInstanceNumber, m_nMaxAllowedInstances);
        if (COXInstancePageRules::IsValidMax(nStored))   // a stray stored number is ignored
            m_nMaxAllowedInstances = nStored;
    }
    m_instanceManager.SetMaxAllowedInstances((int)m_nMaxAllowedInstances, TRUE);
    m_nInstanceOption = COXInstancePageRules::OptionForMax(m_nMaxAllowedInstances);
    return TRUE;
}

BOOL COXCustomizeInstanceManagerPage::ApplyChanges()
{
    if (!UpdateData(TRUE))
        return FALSE;
    m_nMaxAllowedInstances = COXInstancePageRules::MaxForOption(m_nInstanceOption, m_nMaxAllowedInstances);
    m_instanceManager.SetMaxAllowedInstances((int)m_nMaxAllowedInstances, TRUE);
    UpdateData(FALSE);
    EnableControls();
    return TRUE;
}

BOOL COXCustomizeInstanceManagerPage::OnCloseManager(BOOL bIsOk)
{
    CWinApp* pApp = AfxGetApp();
    if (bIsOk) {
        if (!ApplyChanges())
            return FALSE;
        if (!m_sProfileName.IsEmpty() && pApp != NULL)
            pApp->WriteProfileInt(m_sProfileName, szMaxAllowedInstanceNumber, (int)m_nMaxAllowedInstances);
        return TRUE;
    }
    if (!m_sProfileName.IsEmpty() && pApp != NULL) {
        const UINT nStored = pApp->GetProfileInt(m_sProfileName, szMaxAllowedInstanceNumber, m_nMaxAllowedInstances);
        if (COXInstancePageRules::IsValidMax(nStored))
            m_nMaxAllowedInstances = nStored;
        m_instanceManager.SetMaxAllowedInstances((int)m_nMaxAllowedInstances, TRUE);
    }
    // The page shows the maximum in effect when it opens again.
    m_nInstanceOption = COXInstancePageRules::OptionForMax(m_nMaxAllowedInstances);
    return TRUE;
}

void COXCustomizeInstanceManagerPage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_INST_LIST, m_listInstances);
    DDX_Control(pDX, IDC_OX_INST_COUNT, m_staticCount);
    DDX_Control(pDX, IDC_OX_INST_SEP_OPTIONS, m_sepOptions);
    DDX_Control(pDX, IDC_OX_INST_SEP_LIST, m_sepList);
    DDX_Control(pDX, IDC_OX_INST_SEP_COUNT, m_sepCount);
    DDX_Radio(pDX, IDC_OX_INST_UNLIMITED, m_nInstanceOption);
    // Read and checked only when applied: checking at every keystroke would
    // complain of the empty box met on the way to typing another number.
    DDX_Text(pDX, IDC_OX_INST_MAX, m_nMaxAllowedInstances);
    DDV_MinMaxUInt(pDX, m_nMaxAllowedInstances, COXInstancePageRules::nMinInstances,
                   COXInstancePageRules::nMaxInstances);
}

void COXCustomizeInstanceManagerPage::OnInitPage()
{
    COXCustomizePage::OnInitPage();
    m_nTimerID = SetTimer(nTimerID, nTimerPeriod, NULL);

    if (CSpinButtonCtrl* pSpin = (CSpinButtonCtrl*)GetDlgItem(IDC_OX_INST_MAX_SPIN))
        pSpin->SendMessage(UDM_SETRANGE32, COXInstancePageRules::nMinInstances, COXInstancePageRules::nMaxInstances);

    const struct { UINT nText; int nFormat; int nWidth; } columns[] = {
        {IDS_OX_INST_COL_INSTANCE, LVCFMT_LEFT, 100},
        {IDS_OX_INST_COL_PROCESS, LVCFMT_CENTER, 40},
        {IDS_OX_INST_COL_THIS, LVCFMT_CENTER, 50},
    };
    for (int i = 0; i < 3; i++) {
        CString sText;
        sText.LoadString(columns[i].nText);
        m_listInstances.InsertColumn(i, sText, columns[i].nFormat, columns[i].nWidth);
    }
    m_listInstances.SetExtendedStyle(m_listInstances.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    RefreshInstanceList();

    m_staticCount.SetTextColor(RGB(0, 0, 128), FALSE);
    m_fontCount.DeleteObject();
    if (m_fontCount.CreatePointFont(140, "Times New Roman"))
        m_staticCount.SetTextFont(&m_fontCount, TRUE);
    AlignCountWithLabel();

    m_LayoutManager.TieChild(IDC_OX_INST_SEP_OPTIONS, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_INST_SEP_COUNT, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_INST_LIST, OX_LMS_ALL, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_INST_SEP_LIST, OX_LMS_RIGHT, OX_LMT_SAME);
    for (UINT nID = IDC_OX_INST_CLOSE; nID <= IDC_OX_INST_RESTORE; nID++)
        m_LayoutManager.TieChild(nID, OX_LMS_RIGHT, OX_LMT_SAME);

    m_bInitialized = TRUE;
    UpdateData(FALSE);
    EnableControls();
}

namespace {

TEXTMETRIC FontMetrics(CWnd* pWnd, CFont* pFont)
{
    TEXTMETRIC tm = {};
    CClientDC dc(pWnd);
    CFont* pOld = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    dc.GetTextMetrics(&tm);
    if (pOld != NULL)
        dc.SelectObject(pOld);
    return tm;
}

}   // namespace

// The count is in a font of its own, larger than its label's: it reads as
// one line with the label when both stand on one baseline.
void COXCustomizeInstanceManagerPage::AlignCountWithLabel()
{
    CWnd* pLabel = GetDlgItem(IDC_OX_INST_COUNT_LABEL);
    if (pLabel == NULL || !::IsWindow(m_staticCount.GetSafeHwnd()))
        return;
    const TEXTMETRIC tmLabel = FontMetrics(pLabel, pLabel->GetFont());
    CFont* pCountFont = m_staticCount.GetTextFont();
    const TEXTMETRIC tmCount =
        FontMetrics(&m_staticCount, pCountFont != NULL && pCountFont->GetSafeHandle() != NULL ? pCountFont
                                                                                            : m_staticCount.GetFont());
    CRect rectLabel, rectCount;
    pLabel->GetWindowRect(&rectLabel);
    ScreenToClient(&rectLabel);
    m_staticCount.GetWindowRect(&rectCount);
    ScreenToClient(&rectCount);
    // A static draws its text from its top edge.
    const int nTop = rectLabel.top + tmLabel.tmAscent - tmCount.tmAscent;
    m_staticCount.SetWindowPos(NULL, rectCount.left, nTop, rectCount.Width(),
                               std::max((int)rectCount.Height(), (int)tmCount.tmHeight),
                               SWP_NOZORDER | SWP_NOACTIVATE);
}

void COXCustomizeInstanceManagerPage::OnDestroy()
{
    COXCustomizePage::OnDestroy();
    if (m_nTimerID != 0) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
}

void COXCustomizeInstanceManagerPage::GetListedProcesses(CDWordArray& arrIds) const
{
    arrIds.RemoveAll();
    for (int i = 0; i < m_listInstances.GetItemCount(); i++)
        arrIds.Add((DWORD)m_listInstances.GetItemData(i));
}

void COXCustomizeInstanceManagerPage::RefreshInstanceList()
{
    if (!::IsWindow(m_listInstances.GetSafeHwnd()))
        return;
    const DWORD dwSelected = GetSelectedProcess();
    CDWordArray arrIds;
    m_instanceManager.GetInstanceList(arrIds);

    CString sCount;
    sCount.Format("%d", (int)arrIds.GetSize());
    m_staticCount.SetWindowText(sCount);

    CString sRow, sThis;
    sRow.LoadString(IDS_OX_INST_ROW);
    sThis.LoadString(IDS_OX_INST_ROW_THIS);
    const DWORD dwSelf = ::GetCurrentProcessId();
    m_listInstances.SetRedraw(FALSE);
    m_listInstances.DeleteAllItems();
    for (INT_PTR i = 0; i < arrIds.GetSize(); i++) {
        CString sText, sId;
        sText.Format(sRow, (int)i + 1);
        sId.Format("%d", (int)arrIds[i]);
        const int nItem = m_listInstances.InsertItem((int)i, sText);
        m_listInstances.SetItemText(nItem, 1, sId);
        if (arrIds[i] == dwSelf)
            m_listInstances.SetItemText(nItem, 2, sThis);
        m_listInstances.SetItemData(nItem, arrIds[i]);
        // The chosen copy stays chosen while others come and go.
        if (arrIds[i] == dwSelected && dwSelected != 0)
            m_listInstances.SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    m_listInstances.SetRedraw(TRUE);
    m_listInstances.Invalidate();
    if (m_bInitialized)
        EnableControls();
}

void COXCustomizeInstanceManagerPage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != nTimerID) {
        COXCustomizePage::OnTimer(nIDEvent);
        return;
    }
    // Compared by process, not only by count: a copy that ended while
    // another started leaves the count as it was.
    CDWordArray arrRunning, arrListed;
    m_instanceManager.GetInstanceList(arrRunning);
    GetListedProcesses(arrListed);
    BOOL bSame = arrRunning.GetSize() == arrListed.GetSize();
    for (INT_PTR i = 0; bSame && i < arrRunning.GetSize(); i++)
        bSame = arrRunning[i] == arrListed[i];
    if (!bSame)
        RefreshInstanceList();
}

DWORD COXCustomizeInstanceManagerPage::GetSelectedProcess() const
{
    if (!::IsWindow(m_listInstances.GetSafeHwnd()))
        return 0;
    const int nItem = m_listInstances.GetNextItem(-1, LVNI_SELECTED);
    return nItem < 0 ? 0 : (DWORD)m_listInstances.GetItemData(nItem);
}

HWND COXCustomizeInstanceManagerPage::GetSelectedMainWindow() const
{
    const DWORD dwProcess = GetSelectedProcess();
    return dwProcess == 0 ? NULL : COXInstanceManager::GetMainWindow(dwProcess);
}

HWND COXCustomizeInstanceManagerPage::GetOwnMainWindow()
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != NULL && ::IsWindow(pMain->GetSafeHwnd()))
        return pMain->GetSafeHwnd();
    CWnd* pTop = GetTopLevelParent();
    return pTop != NULL ? pTop->GetSafeHwnd() : NULL;
}

void COXCustomizeInstanceManagerPage::EnableControls()
{
    const int nOption = GetCheckedRadioButton(IDC_OX_INST_UNLIMITED, IDC_OX_INST_NUMBER) - IDC_OX_INST_UNLIMITED;
    const DWORD dwProcess = GetSelectedProcess();
    const HWND hMain = dwProcess != 0 ? COXInstanceManager::GetMainWindow(dwProcess) : NULL;
    const DWORD dwStyle = hMain != NULL ? (DWORD)::GetWindowLongA(hMain, GWL_STYLE) : 0;
    const COXInstancePageRules::Enabling e =
        COXInstancePageRules::GetEnabling(nOption, dwProcess != 0, dwProcess == ::GetCurrentProcessId(), dwStyle);
    const struct { UINT nID; BOOL bEnable; } controls[] = {
        {IDC_OX_INST_MAX, e.bNumber},       {IDC_OX_INST_MAX_SPIN, e.bNumber},
        {IDC_OX_INST_CLOSE, e.bClose},      {IDC_OX_INST_ACTIVATE, e.bActivate},
        {IDC_OX_INST_BEHIND, e.bActivate},  {IDC_OX_INST_MAXIMIZE, e.bMaximize},
        {IDC_OX_INST_MINIMIZE, e.bMinimize}, {IDC_OX_INST_RESTORE, e.bRestore},
    };
    for (const auto& c : controls) {
        if (CWnd* pWnd = GetDlgItem(c.nID))
            pWnd->EnableWindow(c.bEnable);
    }
}

void COXCustomizeInstanceManagerPage::OnOptionClicked(UINT /*nID*/)
{
    if (m_bInitialized)
        EnableControls();
}

void COXCustomizeInstanceManagerPage::OnItemChanged(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bInitialized)
        EnableControls();
}

void COXCustomizeInstanceManagerPage::SendSysCommand(UINT nCommand)
{
    HWND hWnd = GetSelectedMainWindow();
    if (hWnd == NULL)
        return;
    const BOOL bWasMinimized = ::IsIconic(hWnd);
    DWORD_PTR dwResult = 0;
    ::SendMessageTimeoutA(hWnd, WM_SYSCOMMAND, nCommand, 0, SMTO_ABORTIFHUNG, nSendTimeout, &dwResult);
    if (bWasMinimized && (nCommand == SC_MAXIMIZE || nCommand == SC_RESTORE)) {
        if (HWND hOwn = GetOwnMainWindow())
            ::SetForegroundWindow(hOwn);
    }
    EnableControls();
}

void COXCustomizeInstanceManagerPage::OnCloseInstance()
{
    if (!m_bInitialized)
        return;
    HWND hWnd = GetSelectedMainWindow();
    if (hWnd != NULL && ::IsWindowEnabled(hWnd))
        ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    EnableControls();
}

void COXCustomizeInstanceManagerPage::OnActivateInstance()
{
    if (!m_bInitialized)
        return;
    HWND hWnd = GetSelectedMainWindow();
    if (hWnd == NULL)
        return;
    ::SetForegroundWindow(hWnd);
    if (::IsIconic(hWnd)) {
        DWORD_PTR dwResult = 0;
        ::SendMessageTimeoutA(hWnd, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, nSendTimeout, &dwResult);
    }
    EnableControls();
}

void COXCustomizeInstanceManagerPage::OnPlaceBehind()
{
    if (!m_bInitialized)
        return;
    HWND hWnd = GetSelectedMainWindow();
    if (hWnd == NULL)
        return;
    if (::IsIconic(hWnd)) {
        SendSysCommand(SC_RESTORE);
        return;
    }
    ::SetWindowPos(hWnd, GetOwnMainWindow(), 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS);
    EnableControls();
}

void COXCustomizeInstanceManagerPage::OnMaximizeInstance()
{
    if (m_bInitialized)
        SendSysCommand(SC_MAXIMIZE);
}

void COXCustomizeInstanceManagerPage::OnMinimizeInstance()
{
    if (m_bInitialized)
        SendSysCommand(SC_MINIMIZE);
}

void COXCustomizeInstanceManagerPage::OnRestoreInstance()
{
    if (m_bInitialized)
        SendSysCommand(SC_RESTORE);
}
