#include "OXCustomizeShortkeysPage.h"

#include "OXBitmapMenu.h"
#include "OXCoolToolBar.h"
#include "toolkit_res.h"

IMPLEMENT_DYNCREATE(COXCustomizeShortkeysPage, COXCustomizePage)

BEGIN_MESSAGE_MAP(COXCustomizeShortkeysPage, COXCustomizePage)
    ON_NOTIFY(TVN_SELCHANGED, IDC_OX_SKP_COMMANDS, &COXCustomizeShortkeysPage::OnSelChangedCommands)
    ON_CBN_SELCHANGE(IDC_OX_SKP_TABLE, &COXCustomizeShortkeysPage::OnSelChangeTable)
    ON_LBN_SELCHANGE(IDC_OX_SKP_SHORTCUTS, &COXCustomizeShortkeysPage::OnSelChangeShortkeys)
    ON_NOTIFY(NM_KEYDOWN, IDC_OX_SKP_HOTKEY, &COXCustomizeShortkeysPage::OnHotKeyDown)
    ON_BN_CLICKED(IDC_OX_SKP_ASSIGN, &COXCustomizeShortkeysPage::OnAssign)
    ON_BN_CLICKED(IDC_OX_SKP_REMOVE, &COXCustomizeShortkeysPage::OnRemove)
    ON_BN_CLICKED(IDC_OX_SKP_REMOVE_ALL, &COXCustomizeShortkeysPage::OnRemoveAll)
    ON_BN_CLICKED(IDC_OX_SKP_RESET, &COXCustomizeShortkeysPage::OnReset)
END_MESSAGE_MAP()

namespace {
// The application's main menu.
const UINT kMainMenu = 128;
// The recent-file commands, which name files, not commands.
const UINT kFirstRecentFile = 0xE110;
const UINT kLastRecentFile = 0xE11F;
// From here on, an MDI frame's menu holds its window list.
const UINT kFirstWindowListCommand = 0xFF00;
const DWORD_PTR kPopupData = (DWORD_PTR)-1;
// A menu string longer than this is cut.
const int kMaxMenuText = 1024;

const COLORREF kFrameTableText = RGB(128, 128, 128);
} // namespace

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------
BOOL COXCustomizeShortkeysPage::IsListedCommand(UINT nID, BOOL bMDI, BOOL bHasString)
{
    if (nID == 0 || (nID >= kFirstRecentFile && nID <= kLastRecentFile))
        return FALSE;
    if (bMDI && nID >= kFirstWindowListCommand)
        return FALSE;
    return bHasString;
}

CString COXCustomizeShortkeysPage::GetItemText(LPCTSTR lpszMenuText)
{
    CString sText(lpszMenuText != NULL ? lpszMenuText : "");
    const int nTab = sText.Find('\t');
    if (nTab >= 0)
        sText = sText.Left(nTab);
    const int nAmp = sText.Find('&');
    if (nAmp >= 0)
        sText.Delete(nAmp);
    return sText;
}

BYTE COXCustomizeShortkeysPage::HotKeyToVirt(WORD wModifiers)
{
    BYTE fVirt = FVIRTKEY;
    if (wModifiers & HOTKEYF_SHIFT)
        fVirt |= FSHIFT;
    if (wModifiers & HOTKEYF_CONTROL)
        fVirt |= FCONTROL;
    if (wModifiers & HOTKEYF_ALT)
        fVirt |= FALT;
    return fVirt;
}

BOOL COXCustomizeShortkeysPage::HotKeyToAccel(DWORD dwHotKey, ACCEL& accel)
{
    const WORD wKey = LOBYTE(LOWORD(dwHotKey));
    accel.fVirt = HotKeyToVirt(HIBYTE(LOWORD(dwHotKey)));
    accel.key = wKey;
    accel.cmd = 0;
    return wKey != 0;
}

COXCustomizeShortkeysPage::ControlStates COXCustomizeShortkeysPage::GetControlStates(
    BOOL bCommandSelected, int nRowCount, BOOL bProfile, BOOL bFieldHasKey, int nSelectedRowData)
{
    ControlStates states;
    states.bHotKey = bCommandSelected;
    states.bRemoveAll = bCommandSelected && nRowCount > 0;
    states.bReset = bProfile;
    states.bAssign = bFieldHasKey;
    states.bRemove = nSelectedRowData == kRowChosenTable;
    return states;
}

CString COXCustomizeShortkeysPage::GetDescriptionPart(const CString& sCommandString)
{
    const int nNewLine = sCommandString.Find('\n');
    return nNewLine < 0 ? sCommandString : sCommandString.Left(nNewLine);
}

CString COXCustomizeShortkeysPage::GetNamePart(const CString& sCommandString)
{
    const int nNewLine = sCommandString.Find('\n');
    return nNewLine < 0 ? CString() : sCommandString.Mid(nNewLine + 1);
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------
COXCustomizeShortkeysPage::COXCustomizeShortkeysPage()
    : m_nAccelTableIndex(-1), m_nShortkeyIndex(-1), m_mapCommandImage(10), m_bNoTables(FALSE), m_pFrameWnd(NULL),
      m_nFolderImage(-1), m_nNoImage(-1)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_SHORTKEYS;
    m_mapCommandImage.InitHashTable(17);
}

COXCustomizeShortkeysPage::~COXCustomizeShortkeysPage()
{
}

CString COXCustomizeShortkeysPage::GetTitle() const
{
    return LoadText(IDS_OX_SHORTKEYS_TITLE);
}

UINT COXCustomizeShortkeysPage::GetImageResource() const
{
    return IDB_OX_CUSTOMIZE_SHORTKEYS;
}

CString COXCustomizeShortkeysPage::GetTooltip() const
{
    return LoadText(IDS_OX_SHORTKEYS_TIP);
}

BOOL COXCustomizeShortkeysPage::IsMDI() const
{
    return m_pFrameWnd != NULL && m_pFrameWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
}

BOOL COXCustomizeShortkeysPage::HasString(UINT nID)
{
    CString s;
    return nID <= 0xFFFF && s.LoadString(nID);
}

BOOL COXCustomizeShortkeysPage::GetRowAccel(int nRow, ACCEL& accel) const
{
    if (nRow < 0 || nRow >= m_arrRowAccels.GetSize())
        return FALSE;
    accel = m_arrRowAccels[nRow];
    return TRUE;
}

void COXCustomizeShortkeysPage::CollectMenuCommands(HMENU hMenu)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        if (HMENU hSub = ::GetSubMenu(hMenu, i)) {
            CollectMenuCommands(hSub);
            continue;
        }
        const UINT nID = ::GetMenuItemID(hMenu, i);
        if (nID == (UINT)-1 || !IsListedCommand(nID, IsMDI(), HasString(nID)))
            continue;
        int nImage;
        if (!m_mapCommandImage.Lookup(nID, nImage))
            m_mapCommandImage.SetAt(nID, -1);
    }
}

BOOL COXCustomizeShortkeysPage::InitializeShortkeys(CFrameWnd* pFrameWnd, LPCTSTR lpszProfileName)
{
    if (pFrameWnd == NULL)
        return FALSE;
    m_pFrameWnd = pFrameWnd;
    m_mapCommandImage.RemoveAll();

    // The commands of the menus.
    CWinApp* pApp = AfxGetApp();
    if (IsMDI() && pApp != NULL) {
        POSITION pos = pApp->GetFirstDocTemplatePosition();
        while (pos != NULL) {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
            CMultiDocTemplate* pMulti = DYNAMIC_DOWNCAST(CMultiDocTemplate, pTemplate);
            if (pMulti != NULL && pMulti->m_hMenuShared != NULL)
                CollectMenuCommands(pMulti->m_hMenuShared);
        }
    }
    if (HMENU hMenu = ::LoadMenu(AfxFindResourceHandle(MAKEINTRESOURCE(kMainMenu), RT_MENU),
                                 MAKEINTRESOURCE(kMainMenu))) {
        CollectMenuCommands(hMenu);
        ::DestroyMenu(hMenu);
    }

    // The commands of the tool bars, with their images.
    CArray<CMFCToolBar*, CMFCToolBar*> arrBars;
    for (POSITION pos = pFrameWnd->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pBar = (CControlBar*)pFrameWnd->m_listControlBars.GetNext(pos);
        if (CMFCToolBar* pToolBar = DYNAMIC_DOWNCAST(CMFCToolBar, pBar)) {
            if (::IsWindow(pToolBar->GetSafeHwnd()))
                arrBars.Add(pToolBar);
        }
    }
    for (int b = 0; b < arrBars.GetSize(); b++) {
        const int nButtons = (int)arrBars[b]->SendMessage(TB_BUTTONCOUNT);
        for (int i = 0; i < nButtons; i++) {
            TBBUTTON button = {};
            if (!arrBars[b]->SendMessage(TB_GETBUTTON, i, (LPARAM)&button) || (button.fsStyle & TBSTYLE_SEP))
                continue;
            int nImage;
            if (!m_mapCommandImage.Lookup((UINT)button.idCommand, nImage))
                m_mapCommandImage.SetAt((UINT)button.idCommand, -1);
        }
    }

    if (m_ilCommands.GetSafeHandle() != NULL)
        m_ilCommands.DeleteImageList();
    if (!m_ilCommands.Create(16, 16, ILC_COLOR24 | ILC_MASK, 25, 25))
        return FALSE;
    for (int b = 0; b < arrBars.GetSize(); b++) {
        HIMAGELIST hImages = (HIMAGELIST)arrBars[b]->SendMessage(TB_GETIMAGELIST);
        if (hImages == NULL)
            continue;
        const int nFirst = m_ilCommands.GetImageCount();
        const int nImages = ImageList_GetImageCount(hImages);
        for (int i = 0; i < nImages; i++) {
            HICON hIcon = ImageList_GetIcon(hImages, i, ILD_NORMAL);
            if (hIcon == NULL)
                return FALSE;
            const int nAdded = ImageList_ReplaceIcon(m_ilCommands.GetSafeHandle(), -1, hIcon);
            ::DestroyIcon(hIcon);
            if (nAdded < 0)
                return FALSE;
        }
        const int nButtons = (int)arrBars[b]->SendMessage(TB_BUTTONCOUNT);
        for (int i = 0; i < nButtons; i++) {
            TBBUTTON button = {};
            if (!arrBars[b]->SendMessage(TB_GETBUTTON, i, (LPARAM)&button) || (button.fsStyle & TBSTYLE_SEP) ||
                button.iBitmap < 0 || button.iBitmap >= nImages)
                continue;
            int nImage = -1;
            m_mapCommandImage.Lookup((UINT)button.idCommand, nImage);
            if (nImage < 0)   // a command keeps the first image it was seen with
                m_mapCommandImage.SetAt((UINT)button.idCommand, nFirst + button.iBitmap);
        }
    }
    CBitmap bmp;
    if (bmp.LoadBitmap(IDB_OX_SHORTKEYS_FOLDER))
        m_nFolderImage = m_ilCommands.Add(&bmp, RGB(192, 192, 192));
    bmp.DeleteObject();
    if (bmp.LoadBitmap(IDB_OX_SHORTKEYS_COMMAND))
        m_nNoImage = m_ilCommands.Add(&bmp, RGB(192, 192, 192));

    if (m_shortkeysOrganizer.IsAttached())
        m_shortkeysOrganizer.Detach();
    m_shortkeysOrganizer.Attach(pFrameWnd, TRUE);
    if (lpszProfileName != NULL && *lpszProfileName != '\0') {
        m_sProfileName = lpszProfileName;
        m_shortkeysOrganizer.LoadState(m_sProfileName, TRUE);
    }
    return TRUE;
}

HTREEITEM COXCustomizeShortkeysPage::FindChild(HTREEITEM hParent, const CString& sText) const
{
    for (HTREEITEM hItem = m_treeCommands.GetChildItem(hParent); hItem != NULL;
         hItem = m_treeCommands.GetNextSiblingItem(hItem)) {
        if (m_treeCommands.GetItemText(hItem).CompareNoCase(sText) == 0)
            return hItem;
    }
    return NULL;
}

void COXCustomizeShortkeysPage::FillTree(HMENU hMenu, HTREEITEM hParent)
{
    COXBitmapMenu* pBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(hMenu));
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        const UINT nID = hSub != NULL ? 0 : ::GetMenuItemID(hMenu, i);
        if (hSub == NULL && (nID == (UINT)-1 || !IsListedCommand(nID, IsMDI(), HasString(nID))))
            continue;
        CString sText;
        const UINT nState = ::GetMenuState(hMenu, i, MF_BYPOSITION);
        if (!(pBitmapMenu != NULL && (nState & MF_OWNERDRAW) && pBitmapMenu->GetStoredItemText(i, sText))) {
            char szText[kMaxMenuText + 1] = "";
            ::GetMenuString(hMenu, i, szText, kMaxMenuText, MF_BYPOSITION);
            sText = szText;
        }
        sText = GetItemText(sText);
        HTREEITEM hItem = FindChild(hParent, sText);
        if (hItem == NULL) {
            int nImage = m_nFolderImage;
            if (hSub == NULL) {
                nImage = -1;
                m_mapCommandImage.Lookup(nID, nImage);
                if (nImage < 0)
                    nImage = m_nNoImage;
            }
            hItem = m_treeCommands.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, sText, nImage,
                                              nImage, 0, 0, hSub != NULL ? kPopupData : (LPARAM)nID, hParent,
                                              TVI_LAST);
        }
        if (hSub != NULL && hItem != NULL) {
            m_treeCommands.SetItemState(hItem, TVIS_BOLD, TVIS_BOLD);
            FillTree(hSub, hItem);
        }
    }
}

void COXCustomizeShortkeysPage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_SKP_COMMANDS, m_treeCommands);
    DDX_Control(pDX, IDC_OX_SKP_DESCRIPTION, m_staticDescription);
    DDX_Control(pDX, IDC_OX_SKP_TABLE, m_comboTable);
    DDX_Control(pDX, IDC_OX_SKP_HOTKEY, m_hotKey);
    DDX_Control(pDX, IDC_OX_SKP_SHORTCUTS, m_listShortkeys);
    DDX_Control(pDX, IDC_OX_SKP_SEP_COMMANDS, m_sepCommands);
    DDX_Control(pDX, IDC_OX_SKP_SEP_DESCRIPTION, m_sepDescription);
    DDX_Control(pDX, IDC_OX_SKP_SEP_NEW, m_sepNew);
    DDX_Control(pDX, IDC_OX_SKP_SEP_SHORTCUTS, m_sepShortcuts);
    DDX_Text(pDX, IDC_OX_SKP_ASSIGNED_TO, m_sAssignedTo);
    DDX_Text(pDX, IDC_OX_SKP_DESCRIPTION, m_sDescription);
    DDX_CBIndex(pDX, IDC_OX_SKP_TABLE, m_nAccelTableIndex);
    DDX_LBIndex(pDX, IDC_OX_SKP_SHORTCUTS, m_nShortkeyIndex);
}

void COXCustomizeShortkeysPage::OnInitPage()
{
    COXCustomizePage::OnInitPage();

    m_treeCommands.DeleteAllItems();
    m_treeCommands.SetImageList(&m_ilCommands, TVSIL_NORMAL);
    if (HMENU hMenu = ::LoadMenu(AfxFindResourceHandle(MAKEINTRESOURCE(kMainMenu), RT_MENU),
                                 MAKEINTRESOURCE(kMainMenu))) {
        FillTree(hMenu, TVI_ROOT);
        ::DestroyMenu(hMenu);
    }
    CWinApp* pApp = AfxGetApp();
    if (IsMDI() && pApp != NULL) {
        POSITION pos = pApp->GetFirstDocTemplatePosition();
        while (pos != NULL) {
            CMultiDocTemplate* pMulti = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
            if (pMulti != NULL && pMulti->m_hMenuShared != NULL)
                FillTree(pMulti->m_hMenuShared, TVI_ROOT);
        }
    }

    m_comboTable.ResetContent();
    const int nTables = m_shortkeysOrganizer.GetTableCount();
    if (nTables == 0) {
        // Nothing to edit: the page stays disabled for its lifetime.
        for (CWnd* pChild = GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetNextWindow())
            pChild->EnableWindow(FALSE);
        m_bNoTables = TRUE;
    } else {
        for (int i = 0; i < nTables; i++) {
            _tagOXACCELTABLE* pTable = m_shortkeysOrganizer.GetTableAt(i);
            CString sName = "Main";
            if (pTable->m_pDocTemplate != NULL)
                pTable->m_pDocTemplate->GetDocString(sName, CDocTemplate::docName);
            m_comboTable.AddString(sName);
        }
        m_comboTable.SetCurSel(0);
        m_nAccelTableIndex = 0;
    }

    m_LayoutManager.TieChild(IDC_OX_SKP_COMMANDS, OX_LMS_TOP | OX_LMS_BOTTOM | OX_LMS_LEFT, OX_LMT_SAME);
    m_bInitialized = TRUE;
    RefreshShortkeys();
}

UINT COXCustomizeShortkeysPage::GetSelectedCommand() const
{
    if (!::IsWindow(m_treeCommands.GetSafeHwnd()))
        return 0;
    HTREEITEM hItem = m_treeCommands.GetSelectedItem();
    if (hItem == NULL)
        return 0;
    const DWORD_PTR dwData = m_treeCommands.GetItemData(hItem);
    return dwData == kPopupData ? 0 : (UINT)dwData;
}

CDocTemplate* COXCustomizeShortkeysPage::GetChosenTemplate(BOOL* pbChosen) const
{
    _tagOXACCELTABLE* pTable = m_shortkeysOrganizer.GetTableAt(m_nAccelTableIndex);
    if (pbChosen != NULL)
        *pbChosen = pTable != NULL;
    return pTable != NULL ? pTable->m_pDocTemplate : NULL;
}

void COXCustomizeShortkeysPage::RefreshShortkeys()
{
    if (!::IsWindow(m_listShortkeys.GetSafeHwnd()))
        return;
    m_listShortkeys.ResetContent();
    m_arrRowAccels.RemoveAll();
    BOOL bChosen = FALSE;
    CDocTemplate* pTemplate = GetChosenTemplate(&bChosen);
    const UINT nCommand = GetSelectedCommand();
    if (nCommand != 0 && bChosen) {
        const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
        const int nMask = OXLBI_TEXTCOLOR | OXLBI_BKCOLOR | OXLBI_HIGHLIGHTTEXTCOLOR | OXLBI_HIGHLIGHTBKCOLOR;
        auto addRows = [&](CDocTemplate* pFrom, COLORREF clrText, int nData) {
            CArray<ACCEL, const ACCEL&> arrFound;
            m_shortkeysOrganizer.FindAccelerators((WORD)nCommand, pFrom, arrFound);
            for (int i = 0; i < arrFound.GetSize(); i++) {
                const int nRow = m_listShortkeys.AddItem(COXShortkeysOrganizer::GetAccelKeyName(&arrFound[i]),
                                                         nMask, NULL, clrText, clrWindow);
                if (nRow < 0)
                    continue;
                m_listShortkeys.SetItemData(nRow, (DWORD_PTR)(INT_PTR)nData);
                m_arrRowAccels.SetAtGrow(nRow, arrFound[i]);
            }
        };
        if (pTemplate != NULL)
            addRows(NULL, kFrameTableText, kRowFrameTable);
        addRows(pTemplate, ::GetSysColor(COLOR_WINDOWTEXT), kRowChosenTable);
    }
    m_nShortkeyIndex = -1;
    UpdateControls();
}

void COXCustomizeShortkeysPage::UpdateControls()
{
    if (m_bNoTables || !::IsWindow(m_hWnd))
        return;
    const int nSel = m_listShortkeys.GetCurSel();
    const int nSelData = nSel >= 0 ? (int)(INT_PTR)m_listShortkeys.GetItemData(nSel) : INT_MIN;
    ACCEL accel;
    const ControlStates states =
        GetControlStates(GetSelectedCommand() != 0, m_listShortkeys.GetCount(), !m_sProfileName.IsEmpty(),
                         HotKeyToAccel(m_hotKey.GetHotKey(), accel), nSelData);
    m_hotKey.EnableWindow(states.bHotKey);
    GetDlgItem(IDC_OX_SKP_REMOVE_ALL)->EnableWindow(states.bRemoveAll);
    GetDlgItem(IDC_OX_SKP_RESET)->EnableWindow(states.bReset);
    GetDlgItem(IDC_OX_SKP_ASSIGN)->EnableWindow(states.bAssign);
    GetDlgItem(IDC_OX_SKP_REMOVE)->EnableWindow(states.bRemove);
}

void COXCustomizeShortkeysPage::OnSelChangedCommands(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bInitialized)
        return;
    m_sDescription.Empty();
    HTREEITEM hItem = m_treeCommands.GetSelectedItem();
    if (hItem != NULL) {
        const DWORD_PTR dwData = m_treeCommands.GetItemData(hItem);
        CString sString;
        if (dwData == kPopupData) {
            CString sFormat = LoadText(IDS_OX_SKP_POPUP);
            m_sDescription.Format(sFormat, (LPCTSTR)m_treeCommands.GetItemText(hItem));
        } else if (sString.LoadString((UINT)dwData)) {
            m_sDescription = GetDescriptionPart(sString);
        }
    }
    m_hotKey.SetHotKey(0, 0);
    m_sAssignedTo.Empty();
    SetDlgItemText(IDC_OX_SKP_DESCRIPTION, m_sDescription);
    SetDlgItemText(IDC_OX_SKP_ASSIGNED_TO, m_sAssignedTo);
    RefreshShortkeys();
}

void COXCustomizeShortkeysPage::OnSelChangeTable()
{
    if (!m_bInitialized)
        return;
    m_nAccelTableIndex = m_comboTable.GetCurSel();
    RefreshShortkeys();
}

void COXCustomizeShortkeysPage::OnSelChangeShortkeys()
{
    if (!m_bInitialized)
        return;
    m_nShortkeyIndex = m_listShortkeys.GetCurSel();
    UpdateControls();
}

void COXCustomizeShortkeysPage::ShowAssignedTo(DWORD dwHotKey)
{
    m_sAssignedTo.Empty();
    ACCEL accel;
    if (HotKeyToAccel(dwHotKey, accel)) {
        const WORD wCommand = m_shortkeysOrganizer.GetCommand(accel.fVirt, accel.key, GetChosenTemplate());
        if (wCommand != 0) {
            CString sString;
            if (sString.LoadString(wCommand))
                m_sAssignedTo.Format(LoadText(IDS_OX_SKP_ASSIGNED_TO), (LPCTSTR)GetNamePart(sString));
            else
                m_sAssignedTo.Format(LoadText(IDS_OX_SKP_COMMAND_ID), (UINT)wCommand);
        }
    }
    SetDlgItemText(IDC_OX_SKP_ASSIGNED_TO, m_sAssignedTo);
}

void COXCustomizeShortkeysPage::OnHotKeyDown(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bInitialized)
        return;
    ShowAssignedTo(m_hotKey.GetHotKey());
    UpdateControls();
}

void COXCustomizeShortkeysPage::OnAssign()
{
    if (!m_bInitialized || m_bNoTables || !UpdateData(TRUE))
        return;
    ACCEL accel;
    const UINT nCommand = GetSelectedCommand();
    BOOL bChosen = FALSE;
    CDocTemplate* pTemplate = GetChosenTemplate(&bChosen);
    if (nCommand != 0 && bChosen && HotKeyToAccel(m_hotKey.GetHotKey(), accel))
        m_shortkeysOrganizer.AddAccelerator(accel.fVirt, accel.key, (WORD)nCommand, pTemplate, TRUE);
    m_hotKey.SetHotKey(0, 0);
    m_sAssignedTo.Empty();
    SetDlgItemText(IDC_OX_SKP_ASSIGNED_TO, m_sAssignedTo);
    RefreshShortkeys();
}

void COXCustomizeShortkeysPage::OnRemove()
{
    if (!m_bInitialized || m_bNoTables || !UpdateData(TRUE))
        return;
    const int nRow = m_listShortkeys.GetCurSel();
    ACCEL accel;
    const UINT nCommand = GetSelectedCommand();
    BOOL bChosen = FALSE;
    CDocTemplate* pTemplate = GetChosenTemplate(&bChosen);
    if (nCommand != 0 && bChosen && GetRowAccel(nRow, accel) &&
        (int)(INT_PTR)m_listShortkeys.GetItemData(nRow) == kRowChosenTable)
        m_shortkeysOrganizer.RemoveAccelerator(accel.fVirt, accel.key, (WORD)nCommand, pTemplate);
    RefreshShortkeys();
}

void COXCustomizeShortkeysPage::OnRemoveAll()
{
    if (!m_bInitialized || m_bNoTables)
        return;
    const UINT nCommand = GetSelectedCommand();
    BOOL bChosen = FALSE;
    CDocTemplate* pTemplate = GetChosenTemplate(&bChosen);
    if (nCommand != 0 && bChosen)
        m_shortkeysOrganizer.RemoveCommand((WORD)nCommand, pTemplate);
    RefreshShortkeys();
}

void COXCustomizeShortkeysPage::OnReset()
{
    if (!m_bInitialized || m_bNoTables || m_sProfileName.IsEmpty())
        return;
    m_shortkeysOrganizer.LoadState(m_sProfileName, TRUE);
    RefreshShortkeys();
}

BOOL COXCustomizeShortkeysPage::ApplyChanges()
{
    if (::IsWindow(m_hWnd) && !UpdateData(TRUE))
        return FALSE;
    return m_shortkeysOrganizer.ApplyAccelerators();
}

BOOL COXCustomizeShortkeysPage::OnCloseManager(BOOL bIsOk)
{
    if (bIsOk) {
        if (!ApplyChanges())
            return FALSE;
        if (!m_sProfileName.IsEmpty())
            m_shortkeysOrganizer.SaveState(m_sProfileName);
        return TRUE;
    }
    if (!m_sProfileName.IsEmpty())
        m_shortkeysOrganizer.LoadState(m_sProfileName, TRUE);
    return TRUE;
}

BOOL COXCustomizeShortkeysPage::PreTranslateMessage(MSG* pMsg)
{
    if (m_shortkeysOrganizer.IsAttached() && pMsg->message >= WM_KEYDOWN && pMsg->message <= WM_SYSDEADCHAR) {
        BYTE fVirt = FVIRTKEY;
        if (::GetKeyState(VK_SHIFT) < 0)
            fVirt |= FSHIFT;
        if (::GetKeyState(VK_CONTROL) < 0)
            fVirt |= FCONTROL;
        if (::GetKeyState(VK_MENU) < 0)
            fVirt |= FALT;
        const WORD wKey = (WORD)pMsg->wParam;
        // A shortcut of the program's goes to the field as a key, not to
        // the frame as its command.
        CDocTemplate* pActive = NULL;
        if (CFrameWnd* pActiveFrame = m_pFrameWnd != NULL ? m_pFrameWnd->GetActiveFrame() : NULL) {
            if (CDocument* pDoc = pActiveFrame->GetActiveDocument())
                pActive = pDoc->GetDocTemplate();
        }
        if (m_shortkeysOrganizer.GetCommand(fVirt, wKey, NULL) != 0 ||
            (pActive != NULL && m_shortkeysOrganizer.GetCommand(fVirt, wKey, pActive) != 0))
            return FALSE;
    }
    return COXCustomizePage::PreTranslateMessage(pMsg);
}
