// COXCoolToolBar: customization (the customize dialog and the toolkit's own
// mode with its context menu) and the custom buttons, windows carried on
// separators.
#include "OXCoolToolBar.h"

#include <algorithm>
#include <cstring>

#include "toolkit_res.h"

std::vector<int> COXCoolToolBar::s_arrCustomButtonIDs;
std::map<int, OXCUSTOMBUTTONDESCRIPTOR> COXCoolToolBar::s_mapCustomButtons;

// ---------------------------------------------------------------------------
// COXCustomButtonWnd
// ---------------------------------------------------------------------------
COXCustomButtonWnd::~COXCustomButtonWnd()
{
    if (m_wnd.m_hWnd != NULL && ::IsWindow(m_wnd.m_hWnd))
        m_wnd.DestroyWindow();
}

BOOL COXCustomButtonWnd::CreateControl(UINT nID, COXCoolToolBar* pBar, DWORD dwStyle, DWORD dwStyle2,
                                       LPCTSTR lpszClass, LPCTSTR lpszText)
{
    m_nID = nID;
    m_dwStyle = dwStyle | m_dwOwnStyle;
    m_dwStyle2 = dwStyle2;
    m_strClass = !m_strOwnClass.IsEmpty() ? m_strOwnClass : CString(lpszClass != NULL ? lpszClass : "");
    m_strText = lpszText != NULL ? lpszText : "";
    // A combo box's window reaches down over its list.
    const int cy = m_strClass.CompareNoCase("ComboBox") == 0 || m_strClass.CompareNoCase(WC_COMBOBOXEXA) == 0 ? 150 : 20;
    if (!m_wnd.CreateEx(dwStyle2, m_strClass, m_strText, m_dwStyle | WS_CHILD, CRect(0, 0, 80, cy), pBar, nID))
        return FALSE;
    m_wnd.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
    return TRUE;
}

CustomButtonControl* COXCustomButtonWnd::CloneForBar(COXCoolToolBar* pBar)
{
    COXCustomButtonWnd* pClone = new COXCustomButtonWnd(m_strOwnClass, m_dwOwnStyle);
    if (!pClone->CreateControl(m_nID, pBar, m_dwStyle, m_dwStyle2, m_strClass, m_strText)) {
        delete pClone;
        return NULL;
    }
    return pClone;
}

// ---------------------------------------------------------------------------
// Customizable or not
// ---------------------------------------------------------------------------
void COXCoolToolBar::SetButtonsIds(const UINT* pIds, int nCount)
{
    m_pCustomizeIds = pIds;
    m_nCustomizeIdCount = pIds != NULL ? nCount : 0;
    if (m_hWnd != NULL)
        ModifyStyle(CCS_ADJUSTABLE, 0);
    m_bCustomizable = pIds != NULL && nCount > 0;
}

void COXCoolToolBar::SetCustomizable(BOOL bCustomizable, BOOL bAdvanced)
{
    if (m_pCustomizeIds == NULL) {
        ModifyStyle(CCS_ADJUSTABLE, 0);
        m_bCustomizable = FALSE;
    } else if (bCustomizable && !bAdvanced) {
        ModifyStyle(0, CCS_ADJUSTABLE);
        m_bCustomizable = FALSE;
    } else {
        ModifyStyle(CCS_ADJUSTABLE, 0);
        m_bCustomizable = bCustomizable && bAdvanced;
    }
}

BOOL COXCoolToolBar::IsCustomizable(BOOL bAdvanced) const
{
    if (bAdvanced)
        return m_bCustomizable;
    return m_hWnd != NULL && (GetStyle() & CCS_ADJUSTABLE) != 0;
}

void COXCoolToolBar::SetCustomizationMode(BOOL bOn, HWND hNotifyWnd)
{
    if (bOn && !m_bCustomizable) {
        ModifyStyle(CCS_ADJUSTABLE, 0);
        m_bCustomizable = m_pCustomizeIds != NULL;
    }
    if (!bOn)
        SetCustomizedButton(-1);
    m_hNotifyWnd = hNotifyWnd;
    m_bCustomizationMode = bOn;
    for (auto& entry : m_mapCustomButtons)
        if (entry.second.m_pControl != NULL)
            entry.second.m_pControl->SetCustomizationMode(bOn);
}

void COXCoolToolBar::RedrawButton(int nIndex)
{
    if (m_hWnd == NULL || nIndex < 0)
        return;
    CRect rect;
    GetItemRect(nIndex, rect);
    InvalidateRect(rect);
}

int COXCoolToolBar::SetCustomizedButton(int nIndex)
{
    const int nOld = m_nCustomizedButton;
    m_nCustomizedButton = nIndex;
    if (nOld != nIndex)
        RedrawButton(nOld);
    if (nIndex >= 0 && m_hWnd != NULL && nIndex < (int)SendMessage(TB_BUTTONCOUNT)) {
        UINT nID = GetItemID(nIndex);
        int nState = (int)SendMessage(TB_GETSTATE, nID);
        if (nState != -1 && (nState & TBSTATE_PRESSED))
            SendMessage(TB_SETSTATE, nID, MAKELPARAM(nState & ~TBSTATE_PRESSED, 0));
        else
            RedrawButton(nIndex);
    }
    NotifyCustomize(ID_OXCUSTTB_SELECTION_CHANGED);
    return nOld;
}

LRESULT COXCoolToolBar::NotifyCustomize(int nCommand)
{
    HWND hTarget = m_hNotifyWnd != NULL ? m_hNotifyWnd : (m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL);
    if (hTarget == NULL)
        return 0;
    OXCTBNOTIFY notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = GetDlgCtrlID();
    notify.hdr.code = OXCTBN_CUSTOMIZE;
    notify.nCommand = nCommand;
    notify.pData = NULL;
    return ::SendMessage(hTarget, WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify);
}

CString COXCoolToolBar::CommandTip(UINT nID)
{
    char szBuffer[256] = "";
    ::LoadStringA(AfxGetResourceHandle(), nID, szBuffer, sizeof(szBuffer));
    const char* pszNewLine = strchr(szBuffer, '\n');
    return pszNewLine != NULL ? CString(pszNewLine + 1) : CString();
}

// ---------------------------------------------------------------------------
// The customization commands
// ---------------------------------------------------------------------------
BOOL COXCoolToolBar::InsertSeparator(int nIndex)
{
    TBBUTTON button = {};
    button.iBitmap = -1;
    button.fsStyle = TBSTYLE_SEP;
    button.iString = -1;
    return (BOOL)SendMessage(TB_INSERTBUTTONA, nIndex, (LPARAM)&button);
}

BOOL COXCoolToolBar::DoCustomizeCommand(int nCommand)
{
    if (NotifyCustomize(nCommand) != 0)
        return TRUE;
    const int nIndex = m_nCustomizedButton;
    if (nIndex < 0 || m_hWnd == NULL || nIndex >= (int)SendMessage(TB_BUTTONCOUNT))
        return FALSE;
    const UINT nID = GetItemID(nIndex);
    switch (nCommand) {
    case ID_OXCUSTTB_DELETE: return (BOOL)SendMessage(TB_DELETEBUTTON, nIndex);
    case ID_OXCUSTTB_IMAGEONLY: {
        CString strText = GetButtonText(nIndex);
        if (strText.IsEmpty())
            return FALSE;
        m_mapHiddenTexts[nID] = strText;
        SetButtonText(nIndex, "");
        RedrawToolBar(TRUE, TRUE);
        return TRUE;
    }
    case ID_OXCUSTTB_IMAGEANDTEXT: {
        if (!GetButtonText(nIndex).IsEmpty())
            return FALSE;
        auto it = m_mapHiddenTexts.find(nID);
        CString strText = it != m_mapHiddenTexts.end() ? it->second : CommandTip(nID);
        if (strText.IsEmpty())
            return FALSE;
        SetButtonText(nIndex, strText);
        RedrawToolBar(TRUE, TRUE);
        return TRUE;
    }
    case ID_OXCUSTTB_SEPARATOR_BEFORE: return InsertSeparator(nIndex);
    case ID_OXCUSTTB_SEPARATOR_AFTER: return InsertSeparator(nIndex + 1);
    default: return FALSE;
    }
}

void COXCoolToolBar::OnCustomizeCommand(UINT nID)
{
    DoCustomizeCommand((int)nID);
}

void COXCoolToolBar::BuildCustomizeMenu(CMenu& menu, int nButton)
{
    menu.CreatePopupMenu();
    auto text = [](UINT nString) {
        CString str;
        str.LoadString(nString);
        return str;
    };
    TBBUTTON button = {};
    GetButton(nButton, &button);
    const int nCount = (int)SendMessage(TB_BUTTONCOUNT);
    // A plain separator (one that carries no control) next to the button
    // makes another one pointless.
    auto plainSeparator = [&](int nIndex) -> BOOL {
        if (nIndex < 0 || nIndex >= nCount)
            return TRUE;
        TBBUTTON other = {};
        GetButton(nIndex, &other);
        return (other.fsStyle & TBSTYLE_SEP) && !IsCustomButton(nIndex);
    };
    menu.AppendMenu(MF_STRING, ID_OXCUSTTB_DELETE, text(IDS_OX_CUSTTB_DELETE));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_OXCUSTTB_APPEARANCE, text(IDS_OX_CUSTTB_APPEARANCE));
    if (!(button.fsStyle & TBSTYLE_SEP) && !IsCustomButton(nButton)) {
        const BOOL bText = !GetButtonText(nButton).IsEmpty();
        menu.AppendMenu(MF_STRING | (bText ? 0 : MF_CHECKED), ID_OXCUSTTB_IMAGEONLY, text(IDS_OX_CUSTTB_IMAGEONLY));
        menu.AppendMenu(MF_STRING | (bText && button.iBitmap >= 0 ? MF_CHECKED : 0), ID_OXCUSTTB_IMAGEANDTEXT,
                        text(IDS_OX_CUSTTB_IMAGEANDTEXT));
    }
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | (nButton == 0 || plainSeparator(nButton - 1) ? MF_GRAYED : 0),
                    ID_OXCUSTTB_SEPARATOR_BEFORE, text(IDS_OX_CUSTTB_SEPARATORBEFORE));
    menu.AppendMenu(MF_STRING | (nButton == nCount - 1 || plainSeparator(nButton + 1) ? MF_GRAYED : 0),
                    ID_OXCUSTTB_SEPARATOR_AFTER, text(IDS_OX_CUSTTB_SEPARATORAFTER));
}

void COXCoolToolBar::DisplayCustomizeButtonContextMenu(int nButton, int x, int y)
{
    CMenu menu;
    BuildCustomizeMenu(menu, nButton);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, this);
}

// ---------------------------------------------------------------------------
// The mouse in customization mode
// ---------------------------------------------------------------------------
int COXCoolToolBar::CustomizeHit(CPoint point) const
{
    const int nCount = (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i) {
        CRect rect;
        GetItemRect(i, rect);
        if (!rect.PtInRect(point))
            continue;
        TBBUTTON button = {};
        GetButton(i, &button);
        if (button.fsState & TBSTATE_HIDDEN)
            continue;
        return !(button.fsStyle & TBSTYLE_SEP) || IsCustomButton(i) ? i : -1;
    }
    return -1;
}

void COXCoolToolBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!(m_bCustomizationMode && m_bCustomizable)) {
        CMFCToolBar::OnRButtonDown(nFlags, point);
        return;
    }
    SetCustomizedButton(CustomizeHit(point));
}

void COXCoolToolBar::OnMButtonDown(UINT nFlags, CPoint point)
{
    if (!(m_bCustomizationMode && m_bCustomizable)) {
        CMFCToolBar::OnMButtonDown(nFlags, point);
        return;
    }
    SetCustomizedButton(CustomizeHit(point));
}

void COXCoolToolBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (!(m_bCustomizationMode && m_bCustomizable)) {
        CMFCToolBar::OnRButtonUp(nFlags, point);
        return;
    }
    if (m_nCustomizedButton >= 0) {
        ClientToScreen(&point);
        DisplayCustomizeButtonContextMenu(m_nCustomizedButton, point.x, point.y);
    }
}

// ---------------------------------------------------------------------------
// The customize dialog of the control
// ---------------------------------------------------------------------------
BOOL COXCoolToolBar::OnGetButtonInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTOOLBARA* pNMTB = (NMTOOLBARA*)pNMHDR;
    *pResult = FALSE;
    if (pNMTB->iItem < 0 || pNMTB->iItem >= m_nCustomizeIdCount || m_pCustomizeIds == NULL)
        return TRUE;
    const UINT nID = m_pCustomizeIds[pNMTB->iItem];
    pNMTB->tbButton.iBitmap = pNMTB->iItem;
    pNMTB->tbButton.idCommand = (int)nID;
    pNMTB->tbButton.fsState = TBSTATE_ENABLED;
    pNMTB->tbButton.fsStyle = 0;
    pNMTB->tbButton.iString = -1;
    if (pNMTB->pszText != NULL && pNMTB->cchText > 0) {
        // Cut to the buffer, which keeps room for the end of the text.
        strncpy(pNMTB->pszText, CommandTip(nID), pNMTB->cchText - 1);
        pNMTB->pszText[pNMTB->cchText - 1] = '\0';
    }
    *pResult = TRUE;
    return TRUE;
}

BOOL COXCoolToolBar::OnQueryInsertDelete(NMHDR*, LRESULT* pResult)
{
    *pResult = TRUE;
    return TRUE;
}

BOOL COXCoolToolBar::OnBeginEndDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Keeping the custom buttons with their indexes
// ---------------------------------------------------------------------------
void COXCoolToolBar::MapAfterInsert(CustomButtonMap& map, int i)
{
    CustomButtonMap moved;
    for (auto& entry : map)
        moved[entry.first >= i ? entry.first + 1 : entry.first] = entry.second;
    map.swap(moved);
}

void COXCoolToolBar::MapAfterDelete(CustomButtonMap& map, int i)
{
    CustomButtonMap moved;
    for (auto& entry : map)
        if (entry.first != i)
            moved[entry.first > i ? entry.first - 1 : entry.first] = entry.second;
    map.swap(moved);
}

void COXCoolToolBar::MapAfterMove(CustomButtonMap& map, int a, int b)
{
    if (a == b)
        return;
    CustomButtonMap moved;
    for (auto& entry : map) {
        int n = entry.first;
        if (n == a)
            n = b;
        else if (a < b && n > a && n <= b)
            --n;
        else if (b < a && n >= b && n < a)
            ++n;
        moved[n] = entry.second;
    }
    map.swap(moved);
}

LRESULT COXCoolToolBar::OnInsertButton(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    if (!lResult || m_bReplacingButton)
        return lResult;
    // Whoever inserts, the indexes the bar keeps follow their buttons; only
    // the redrawing waits for the end of an internal change.
    const int i = (int)wParam;
    m_nCustomizedButton = IndexAfterInsert(m_nCustomizedButton, i);
    m_nSecondButtonIndex = IndexAfterInsert(m_nSecondButtonIndex, i);
    MapAfterInsert(m_mapCustomButtons, i);
    (void)lParam;
    if (m_bInternalChange)
        return lResult;
    ValidateRect(NULL);
    RedrawToolBar(TRUE, TRUE);
    return lResult;
}

LRESULT COXCoolToolBar::OnDeleteButton(WPARAM wParam, LPARAM)
{
    const int i = (int)wParam;
    CustomButtonMap::iterator it = m_mapCustomButtons.find(i);
    CustomButtonControl* pRemoved = it != m_mapCustomButtons.end() ? it->second.m_pControl : NULL;
    LRESULT lResult = Default();
    if (!lResult || m_bReplacingButton)
        return lResult;
    // Whoever deletes (a load of the bar's state as well), the control
    // hears of it and the indexes the bar keeps follow their buttons.
    if (pRemoved != NULL) {
        CWnd* pWnd = pRemoved->GetControlWindow();
        if (pWnd != NULL)
            pWnd->ShowWindow(SW_HIDE);
        pRemoved->OnRemove();
    }
    MapAfterDelete(m_mapCustomButtons, i);
    if (m_nCustomizedButton == i)
        SetCustomizedButton(-1);
    else
        m_nCustomizedButton = IndexAfterDelete(m_nCustomizedButton, i);
    m_nSecondButtonIndex = IndexAfterDelete(m_nSecondButtonIndex, i);
    if (m_bInternalChange)
        return lResult;
    ValidateRect(NULL);

    // No separator is left at either end of the bar.
    const int nCount = (int)SendMessage(TB_BUTTONCOUNT);
    auto plainSeparatorAt = [&](int n) {
        if (n < 0 || n >= nCount)
            return false;
        TBBUTTON button = {};
        GetButton(n, &button);
        return (button.fsStyle & TBSTYLE_SEP) != 0 && !IsCustomButton(n);
    };
    int nExtra = -1;
    if (i == nCount && plainSeparatorAt(nCount - 1))
        nExtra = nCount - 1;
    else if (i == 0 && plainSeparatorAt(0))
        nExtra = 0;
    if (nExtra >= 0) {
        m_bInternalChange = TRUE;
        SendMessage(TB_DELETEBUTTON, nExtra);
        m_bInternalChange = FALSE;
    }
    RedrawToolBar(TRUE, TRUE);
    return lResult;
}

LRESULT COXCoolToolBar::OnMoveButton(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    const int a = (int)wParam, b = (int)lParam;
    if (!lResult || a == b)
        return lResult;
    MapAfterMove(m_mapCustomButtons, a, b);
    if (!m_bInternalChange)
        UpdateCustomButtons(std::min(a, b), std::max(a, b));
    return lResult;
}

// ---------------------------------------------------------------------------
// The registration
// ---------------------------------------------------------------------------
int COXCoolToolBar::FindCustomButton(int nID)
{
    auto it = std::find(s_arrCustomButtonIDs.begin(), s_arrCustomButtonIDs.end(), nID);
    return it == s_arrCustomButtonIDs.end() ? -1 : (int)(it - s_arrCustomButtonIDs.begin());
}

int COXCoolToolBar::FindCustomButton(CWnd* pWnd)
{
    return pWnd != NULL && pWnd->m_hWnd != NULL ? FindCustomButton(pWnd->GetDlgCtrlID()) : -1;
}

BOOL COXCoolToolBar::GetCustomButton(int nIndex, OXCUSTOMBUTTONDESCRIPTOR& descriptor)
{
    if (nIndex < 0 || nIndex >= (int)s_arrCustomButtonIDs.size())
        return FALSE;
    descriptor = s_mapCustomButtons[s_arrCustomButtonIDs[nIndex]];
    return TRUE;
}

void COXCoolToolBar::RemoveAllCustomButtons()
{
    s_arrCustomButtonIDs.clear();
    s_mapCustomButtons.clear();
    // Registrations made anew take their stored descriptors again.
    s_bDescriptorsLoaded = FALSE;
}

int COXCoolToolBar::AddCustomButton(CustomButtonControl* pControl, int nID, int nWidth, int nHeight, int nFlags,
                                    int nImage)
{
    OXCUSTOMBUTTONDESCRIPTOR descriptor = {pControl, nID, nWidth, nHeight, nFlags, nImage};
    int nIndex = FindCustomButton(nID);
    if (nIndex >= 0)
        return UpdateCustomButton(nIndex, descriptor) ? nIndex : -1;
    s_mapCustomButtons[nID] = descriptor;
    s_arrCustomButtonIDs.push_back(nID);
    return (int)s_arrCustomButtonIDs.size() - 1;
}

BOOL COXCoolToolBar::UpdateCustomButton(int nIndex, const OXCUSTOMBUTTONDESCRIPTOR& descriptor)
{
    if (nIndex < 0 || nIndex >= (int)s_arrCustomButtonIDs.size())
        return FALSE;
    OXCUSTOMBUTTONDESCRIPTOR& registered = s_mapCustomButtons[s_arrCustomButtonIDs[nIndex]];
    if (registered.m_nID == descriptor.m_nID) {
        registered.m_nWidth = descriptor.m_nWidth;
        registered.m_nHeight = descriptor.m_nHeight;
        registered.m_nFlags = descriptor.m_nFlags;
        registered.m_nImage = descriptor.m_nImage;
    }
    // Every cool tool bar of the main frame that carries it follows.
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pFrame == NULL)
        return TRUE;
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        COXCoolToolBar* pBar = DYNAMIC_DOWNCAST(COXCoolToolBar, (CObject*)pFrame->m_listControlBars.GetNext(pos));
        if (pBar == NULL)
            continue;
        for (auto& entry : pBar->m_mapCustomButtons) {
            if (entry.second.m_nID != registered.m_nID)
                continue;
            entry.second.m_nWidth = registered.m_nWidth;
            entry.second.m_nHeight = registered.m_nHeight;
            entry.second.m_nFlags = registered.m_nFlags;
            entry.second.m_nImage = registered.m_nImage;
            pBar->RedrawToolBar(TRUE, TRUE);
            break;
        }
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Custom buttons on this bar
// ---------------------------------------------------------------------------
BOOL COXCoolToolBar::InsertCustomButton(int nIndex, int nCustomIndex, DWORD dwStyle, DWORD dwStyle2,
                                        LPCTSTR lpszClass, LPCTSTR lpszText)
{
    if (m_hWnd == NULL || nIndex < 0 || nIndex > (int)SendMessage(TB_BUTTONCOUNT) || nCustomIndex < 0 ||
        nCustomIndex >= (int)s_arrCustomButtonIDs.size())
        return FALSE;
    m_bInternalChange = TRUE;
    BOOL bInserted = InsertSeparator(nIndex);
    m_bInternalChange = FALSE;
    if (!bInserted)
        return FALSE;

    const int nID = s_arrCustomButtonIDs[nCustomIndex];
    OXCUSTOMBUTTONDESCRIPTOR& registered = s_mapCustomButtons[nID];
    OXCUSTOMBUTTONDESCRIPTOR descriptor = registered;
    BOOL bDone = FALSE;
    if (registered.m_pControl != NULL && registered.m_pControl->GetControlWindow() != NULL) {
        descriptor.m_pControl = registered.m_pControl->CloneForBar(this);
        bDone = descriptor.m_pControl != NULL;
        if (bDone)
            m_clones.push_back(descriptor.m_pControl);
    } else if (registered.m_pControl != NULL) {
        bDone = registered.m_pControl->CreateControl(nID, this, dwStyle, dwStyle2, lpszClass, lpszText);
        descriptor = registered;
    }
    if (!bDone) {
        m_bInternalChange = TRUE;
        SendMessage(TB_DELETEBUTTON, nIndex);
        m_bInternalChange = FALSE;
        return FALSE;
    }
    m_mapCustomButtons[nIndex] = descriptor;
    PlaceCustomButton(nIndex, descriptor);
    RedrawToolBar(TRUE, TRUE);
    return TRUE;
}

BOOL COXCoolToolBar::InsertDateTimePicker(int nIndex, int nCustomIndex, const SYSTEMTIME* pTime, DWORD dwStyle)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (!InsertCustomButton(nIndex, nCustomIndex, dwStyle, 0, DATETIMEPICK_CLASSA))
        return FALSE;
    CWnd* pWnd = GetCustomButtonWnd(nIndex);
    if (pWnd != NULL && pTime != NULL)
        pWnd->SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)pTime);
    return TRUE;
}

BOOL COXCoolToolBar::InsertIPAddress(int nIndex, int nCustomIndex, DWORD dwStyle)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_INTERNET_CLASSES};
    ::InitCommonControlsEx(&icc);
    return InsertCustomButton(nIndex, nCustomIndex, dwStyle, 0, WC_IPADDRESSA);
}

CWnd* COXCoolToolBar::GetCustomButtonWnd(int nIndex) const
{
    auto it = m_mapCustomButtons.find(nIndex);
    if (it == m_mapCustomButtons.end() || it->second.m_pControl == NULL)
        return NULL;
    return it->second.m_pControl->GetControlWindow();
}

BOOL COXCoolToolBar::IsCustomControlShown(int nFlags, BOOL bFloating, BOOL bHorz)
{
    if ((nFlags & OXCBD_SHOWANY) == OXCBD_SHOWANY)
        return TRUE;
    if (bFloating)
        return (nFlags & OXCBD_SHOWFLOAT) != 0;
    return (nFlags & (bHorz ? OXCBD_SHOWHORZ : OXCBD_SHOWVERT)) != 0;
}

CRect COXCoolToolBar::CustomControlRect(const RECT& rectItem, int nHeight)
{
    CRect rect(rectItem);
    rect.DeflateRect(2, 0);
    if (nHeight > 0 && nHeight < rect.Height()) {
        rect.top += (rect.Height() - nHeight) / 2;
        rect.bottom = rect.top + nHeight;
    }
    return rect;
}

void COXCoolToolBar::PlaceCustomButton(int nIndex, const OXCUSTOMBUTTONDESCRIPTOR& descriptor)
{
    CWnd* pWnd = descriptor.m_pControl != NULL ? descriptor.m_pControl->GetControlWindow() : NULL;
    if (pWnd == NULL || m_hWnd == NULL)
        return;
    const BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    const BOOL bShown = IsCustomControlShown(descriptor.m_nFlags, (m_dwStyle & CBRS_FLOATING) != 0,
                                             (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    m_bInternalChange = TRUE;
    TBBUTTON button = {};
    GetButton(nIndex, &button);
    if (bShown) {
        if (!(button.fsStyle & TBSTYLE_SEP) || button.iBitmap != descriptor.m_nWidth)
            SetButtonInfo(nIndex, descriptor.m_nID, TBBS_SEPARATOR, descriptor.m_nWidth);
        CRect rectItem;
        GetItemRect(nIndex, rectItem);
        CRect rect = CustomControlRect(rectItem, descriptor.m_nHeight);
        char szClass[32] = "";
        ::GetClassNameA(pWnd->m_hWnd, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "ComboBox") == 0) {
            CRect rectFirst;
            GetItemRect(0, rectFirst);
            rect.OffsetRect(0, ComboBoxOffset(rectFirst.bottom));
            // its window's height reaches over its list
            CRect rectWnd;
            pWnd->GetWindowRect(rectWnd);
            rect.bottom = rect.top + std::max(rect.Height(), rectWnd.Height());
        }
        pWnd->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | (bVisible ? 0 : SWP_NOREDRAW));
    } else {
        SetButtonInfo(nIndex, descriptor.m_nID, TBBS_BUTTON, descriptor.m_nImage);
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_STYLE | TBIF_BYINDEX;
        SendMessage(TB_GETBUTTONINFOA, nIndex, (LPARAM)&info);
        info.fsStyle |= TBSTYLE_AUTOSIZE;
        SendMessage(TB_SETBUTTONINFOA, nIndex, (LPARAM)&info);
        pWnd->ShowWindow(SW_HIDE);
    }
    m_bInternalChange = FALSE;
    // The bar's own visibility is as it was, without a repaint.
    if (((GetStyle() & WS_VISIBLE) != 0) != bVisible) {
        LONG lStyle = ::GetWindowLong(m_hWnd, GWL_STYLE);
        ::SetWindowLong(m_hWnd, GWL_STYLE, bVisible ? (lStyle | WS_VISIBLE) : (lStyle & ~WS_VISIBLE));
    }
}

void COXCoolToolBar::UpdateCustomButtons(int nFrom, int nTo)
{
    if (nTo < 0)
        nTo = (int)SendMessage(TB_BUTTONCOUNT) - 1;
    for (auto& entry : m_mapCustomButtons)
        if (entry.first >= nFrom && entry.first <= nTo)
            PlaceCustomButton(entry.first, entry.second);
}

// ---------------------------------------------------------------------------
// Drops on the bar
// ---------------------------------------------------------------------------
DROPEFFECT COXCoolToolBar::OnDragEnter(OXDRAGDROPMESSAGE* pMessage)
{
    m_bDragOver = TRUE;
    return OnDragOver(pMessage);
}

DROPEFFECT COXCoolToolBar::OnDragOver(OXDRAGDROPMESSAGE* pMessage)
{
    pMessage->result = DROPEFFECT_NONE;
    return DROPEFFECT_NONE;
}

void COXCoolToolBar::OnDragLeave(OXDRAGDROPMESSAGE*)
{
    SetInsertMark(-1);
    if (!m_bDragStarted)
        m_bDragOver = FALSE;
}

BOOL COXCoolToolBar::OnDrop(OXDRAGDROPMESSAGE* pMessage)
{
    pMessage->result = DROPEFFECT_NONE;
    m_bDragOver = FALSE;
    return FALSE;
}

LRESULT COXCoolToolBar::OnDropTargetEnter(WPARAM, LPARAM lParam)
{
    if (!m_bCustomizable)
        return 0;
    OnDragEnter((OXDRAGDROPMESSAGE*)lParam);
    return 1;
}

LRESULT COXCoolToolBar::OnDropTargetOver(WPARAM, LPARAM lParam)
{
    if (!m_bCustomizable)
        return 0;
    OnDragOver((OXDRAGDROPMESSAGE*)lParam);
    return 1;
}

LRESULT COXCoolToolBar::OnDropTargetLeave(WPARAM, LPARAM lParam)
{
    if (!m_bCustomizable)
        return 0;
    OnDragLeave((OXDRAGDROPMESSAGE*)lParam);
    return 1;
}

LRESULT COXCoolToolBar::OnDropTargetDrop(WPARAM, LPARAM lParam)
{
    if (!m_bCustomizable)
        return 0;
    OnDrop((OXDRAGDROPMESSAGE*)lParam);
    return 1;
}
