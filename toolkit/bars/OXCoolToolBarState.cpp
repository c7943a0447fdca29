// COXCoolToolBar: its look and its customized buttons in the profile.
#include "OXCoolToolBar.h"

#include <algorithm>
#include <functional>

BOOL COXCoolToolBar::s_bDescriptorsLoaded = FALSE;

namespace {

// The display properties, in the order they are written.
const char* const kPropertyKeys[] = {
    "Cool",          "Gripper",           "Separator",          "Flat",           "List",
    "DropDownArrow", "Indent",            "DefaultTextColor",   "HotTextColor",   "SelectedTextColor",
    "CheckedTextColor", "DefaultBkColor", "HotBkColor",         "SelectedBkColor", "CheckedBkColor",
    "DefaultBorderColor", "HotBorderColor", "SelectedBorderColor", "CheckedBorderColor", "TextType",
    "TextRows",      "MinButtonsWidth",   "MaxButtonsWidth",    "Customizable",
};
const int kProperties = sizeof(kPropertyKeys) / sizeof(kPropertyKeys[0]);
enum
{
    propCool, propGripper, propSeparator, propFlat, propList, propDropDownArrow, propIndent, propTextColor,
    propBkColor = propTextColor + 4, propBorderColor = propBkColor + 4, propTextType = propBorderColor + 4,
    propTextRows, propMinWidth, propMaxWidth, propCustomizable
};
const char kDescriptorsKey[] = "Toolbars_CustomButtonsSettings";

// The smallest record of each blob: a count can ask for no more records
// than the bytes could hold.
const UINT kMinButtonRecord = 4 + 4 + 1 + 4 + 1;
const UINT kMinPositionRecord = 8;
const UINT kMinDescriptorRecord = 5 * 4;

// What a profile may hold. A value outside these is no state the bar wrote
// (an edited or damaged profile): laid out it would overflow the bar and
// every later save would write it back, so the blob holding it is refused.
const int kMaxRecords = 4096;       // buttons, custom buttons, registrations
const int kMaxExtent = 1000;        // pixels: a width, a height, an indent
const int kMaxTextRows = 16;
const int kMaxImage = 0xFFFF;       // image indexes; -2 is "no image"
const int kMaxCommand = 0xFFFF;     // command and control ids

void CheckBounds(int n, int nMin, int nMax)
{
    if (n < nMin || n > nMax)
        AfxThrowArchiveException(CArchiveException::badIndex);
}

std::vector<BYTE> Written(const std::function<void(CArchive&)>& write)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        write(ar);
        ar.Close();
    }
    const UINT nBytes = (UINT)file.GetLength();
    BYTE* pData = file.Detach();
    std::vector<BYTE> bytes(pData, pData + nBytes);
    free(pData);
    return bytes;
}

// Reads a blob through read(); FALSE when it runs short or is malformed.
BOOL ReadWhole(const BYTE* pData, UINT nBytes, const std::function<void(CArchive&)>& read)
{
    if (pData == NULL)
        return FALSE;
    std::vector<BYTE> copy(pData, pData + nBytes);
    CMemFile file(copy.data(), nBytes);
    try {
        CArchive ar(&file, CArchive::load, 4096);
        read(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

// A count read from a blob of nBytes, each record at least nMinRecord long.
int ReadCount(CArchive& ar, UINT nBytes, UINT nMinRecord)
{
    int nCount = 0;
    ar >> nCount;
    if (nCount < 0 || nCount > kMaxRecords || (UINT)nCount > nBytes / nMinRecord)
        AfxThrowArchiveException(CArchiveException::badIndex);
    return nCount;
}

// A binary profile value and the size written beside it; FALSE when the
// size is absent. A size without its value, or one that is not the value's
// length, leaves the bytes short: the blob is then refused.
BOOL GetBlob(CWinApp* pApp, LPCTSTR lpszSection, const CString& strKey, std::vector<BYTE>& bytes)
{
    bytes.clear();
    const int nSize = (int)pApp->GetProfileInt(lpszSection, strKey + "_Size", -1);
    if (nSize < 0)
        return FALSE;
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(lpszSection, strKey, &pData, &nBytes))
        return TRUE;
    if (nBytes == (UINT)nSize)
        bytes.assign(pData, pData + nBytes);
    delete[] pData;
    return TRUE;
}

// Whether the tool bar control's own saved buttons are in the profile.
BOOL HasStoredButtons(CWinApp* pApp, LPCTSTR lpszSubKey, LPCTSTR lpszValueName)
{
    HKEY hAppKey = pApp->GetAppRegistryKey();
    if (hAppKey == NULL)
        return FALSE;
    HKEY hKey = NULL;
    BOOL bStored = FALSE;
    if (::RegOpenKeyExA(hAppKey, lpszSubKey, 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
        bStored = ::RegQueryValueExA(hKey, lpszValueName, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
        ::RegCloseKey(hKey);
    }
    ::RegCloseKey(hAppKey);
    return bStored;
}

void WriteBlob(CWinApp* pApp, LPCTSTR lpszSection, const CString& strKey, std::vector<BYTE> bytes)
{
    pApp->WriteProfileBinary(lpszSection, strKey, bytes.data(), (UINT)bytes.size());
    pApp->WriteProfileInt(lpszSection, strKey + "_Size", (int)bytes.size());
}

// The internal-change flag for the life of a scope, whatever leaves it.
class CInternalChange
{
public:
    explicit CInternalChange(BOOL& bFlag) : m_bFlag(bFlag), m_bOld(bFlag) { m_bFlag = TRUE; }
    ~CInternalChange() { m_bFlag = m_bOld; }

private:
    BOOL& m_bFlag;
    BOOL m_bOld;
};

} // namespace

// ---------------------------------------------------------------------------
// The blobs
// ---------------------------------------------------------------------------
std::vector<BYTE> COXCoolToolBar::WriteButtonsBlob(const std::vector<ButtonState>& buttons)
{
    return Written([&](CArchive& ar) {
        ar << (int)buttons.size();
        for (const ButtonState& b : buttons)
            ar << b.idCommand << b.iBitmap << b.fsStyle << (int)(b.bHasText ? 1 : 0) << b.strText;
    });
}

BOOL COXCoolToolBar::ReadButtonsBlob(const BYTE* pData, UINT nBytes, std::vector<ButtonState>& buttons)
{
    std::vector<ButtonState> read;
    if (!ReadWhole(pData, nBytes, [&](CArchive& ar) {
            const int nCount = ReadCount(ar, nBytes, kMinButtonRecord);
            read.resize(nCount);
            for (ButtonState& b : read) {
                int nHasText = 0;
                ar >> b.idCommand >> b.iBitmap >> b.fsStyle >> nHasText >> b.strText;
                b.bHasText = nHasText != 0;
                CheckBounds(b.idCommand, 0, kMaxCommand);
                // a separator's image is its width
                if (b.fsStyle & TBSTYLE_SEP)
                    CheckBounds(b.iBitmap, -1, kMaxExtent);
                else
                    CheckBounds(b.iBitmap, -2, kMaxImage);
            }
        }))
        return FALSE;
    buttons.swap(read);
    return TRUE;
}

std::vector<BYTE> COXCoolToolBar::WritePositionsBlob(const std::vector<std::pair<int, int>>& positions)
{
    return Written([&](CArchive& ar) {
        ar << (int)positions.size();
        for (const auto& p : positions)
            ar << p.first << p.second;
    });
}

BOOL COXCoolToolBar::ReadPositionsBlob(const BYTE* pData, UINT nBytes, std::vector<std::pair<int, int>>& positions)
{
    std::vector<std::pair<int, int>> read;
    if (!ReadWhole(pData, nBytes, [&](CArchive& ar) {
            read.resize(ReadCount(ar, nBytes, kMinPositionRecord));
            for (auto& p : read) {
                ar >> p.first >> p.second;
                CheckBounds(p.first, 0, kMaxRecords - 1);
                CheckBounds(p.second, 1, kMaxCommand);
            }
        }))
        return FALSE;
    positions.swap(read);
    return TRUE;
}

std::vector<BYTE> COXCoolToolBar::WriteDescriptorsBlob()
{
    return Written([&](CArchive& ar) {
        ar << (int)s_mapCustomButtons.size();
        for (auto& entry : s_mapCustomButtons) {
            const OXCUSTOMBUTTONDESCRIPTOR& d = entry.second;
            ar << entry.first << d.m_nWidth << d.m_nHeight << d.m_nFlags << d.m_nImage;
            if (d.m_pControl != NULL)
                d.m_pControl->SaveState(ar);
        }
    });
}

BOOL COXCoolToolBar::ReadDescriptorsBlob(const BYTE* pData, UINT nBytes)
{
    // Everything is read into temporaries and applied once the whole blob
    // has read. A control object reads its bytes only into itself: it is
    // given them, what it then holds is kept aside, and it gets back what
    // it held before, all within its record.
    std::map<int, OXCUSTOMBUTTONDESCRIPTOR> read;
    std::vector<std::pair<CustomButtonControl*, std::vector<BYTE>>> states;
    auto saved = [](CustomButtonControl* pControl) {
        return Written([&](CArchive& ar) { pControl->SaveState(ar); });
    };
    auto load = [](CustomButtonControl* pControl, const std::vector<BYTE>& bytes) {
        ReadWhole(bytes.data(), (UINT)bytes.size(), [&](CArchive& ar) { pControl->LoadState(ar); });
    };
    if (!ReadWhole(pData, nBytes, [&](CArchive& ar) {
            const int nCount = ReadCount(ar, nBytes, kMinDescriptorRecord);
            for (int i = 0; i < nCount; ++i) {
                int nID = 0;
                ar >> nID;
                auto it = s_mapCustomButtons.find(nID);
                // The bytes of a control no longer registered cannot be
                // stepped over: the rest of the blob goes unread.
                if (it == s_mapCustomButtons.end())
                    break;
                OXCUSTOMBUTTONDESCRIPTOR d = it->second;
                ar >> d.m_nWidth >> d.m_nHeight >> d.m_nFlags >> d.m_nImage;
                CheckBounds(d.m_nWidth, -1, kMaxExtent);
                CheckBounds(d.m_nHeight, -1, kMaxExtent);
                CheckBounds(d.m_nFlags, 0, OXCBD_SHOWANY);
                CheckBounds(d.m_nImage, -2, kMaxImage);
                if (d.m_pControl != NULL) {
                    const std::vector<BYTE> before = saved(d.m_pControl);
                    try {
                        d.m_pControl->LoadState(ar);
                    } catch (CException*) {
                        load(d.m_pControl, before);
                        throw;
                    }
                    states.push_back({d.m_pControl, saved(d.m_pControl)});
                    load(d.m_pControl, before);
                }
                read[nID] = d;
            }
        }))
        return FALSE;
    for (auto& entry : read)
        s_mapCustomButtons[entry.first] = entry.second;
    for (auto& state : states)
        load(state.first, state.second);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Saving
// ---------------------------------------------------------------------------
BOOL COXCoolToolBar::SaveBarState(LPCTSTR lpszSubKey, LPCTSTR lpszValueName, BOOL bProperties)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || m_hWnd == NULL)
        return FALSE;
    const BOOL bRegistry = pApp->m_pszRegistryKey != NULL && pApp->m_pszProfileName != NULL;
    const BOOL bCustomizable = IsCustomizable(TRUE) || IsCustomizable(FALSE);
    if (bCustomizable && !bRegistry)
        return FALSE;
    BOOL bResult = FALSE;
    if (bRegistry) {
        HKEY hAppKey = pApp->GetAppRegistryKey();
        if (hAppKey == NULL && bCustomizable)
            return FALSE;
        CString strName(lpszValueName);
        const int nCount = (int)SendMessage(TB_BUTTONCOUNT);
        std::vector<ButtonState> buttons(nCount);
        for (int i = 0; i < nCount; ++i) {
            TBBUTTON button = {};
            GetButton(i, &button);
            ButtonState& b = buttons[i];
            b.idCommand = button.idCommand;
            b.iBitmap = button.iBitmap;
            b.fsStyle = button.fsStyle;
            b.strText = GetButtonText(i);
            b.bHasText = !b.strText.IsEmpty();
            if (!b.bHasText) {
                auto it = m_mapHiddenTexts.find((UINT)button.idCommand);
                if (it != m_mapHiddenTexts.end())
                    b.strText = it->second;
            }
        }
        WriteBlob(pApp, lpszSubKey, strName + "_ButtonsSettings", WriteButtonsBlob(buttons));

        std::vector<std::pair<int, int>> positions;
        for (auto& entry : m_mapCustomButtons) {
            CWnd* pWnd = entry.second.m_pControl != NULL ? entry.second.m_pControl->GetControlWindow() : NULL;
            positions.push_back({entry.first, pWnd != NULL ? pWnd->GetDlgCtrlID() : entry.second.m_nID});
        }
        WriteBlob(pApp, lpszSubKey, strName + "_CustomButtonsPositions", WritePositionsBlob(positions));

        if (hAppKey != NULL) {
            GetToolBarCtrl().SaveState(hAppKey, lpszSubKey, lpszValueName);
            ::RegCloseKey(hAppKey);
        }
        // Every save writes the registrations: a later change to them is
        // what the next start must find.
        WriteBlob(pApp, lpszSubKey, kDescriptorsKey, WriteDescriptorsBlob());
        bResult = TRUE;
    }
    if (bProperties) {
        CString strSection;
        strSection.Format("%s_%s", lpszSubKey, lpszValueName);
        int nValues[kProperties] = {
            m_bCool, IsGripper() ? 1 : 0, m_bSeparator, IsFlat() ? 1 : 0, IsList() ? 1 : 0, IsDropDownArrow() ? 1 : 0,
            m_nIndent};
        for (int i = 0; i < 4; ++i) {
            nValues[propTextColor + i] = (int)m_clrText[i];
            nValues[propBkColor + i] = (int)m_clrBk[i];
            nValues[propBorderColor + i] = (int)m_clrBorder[i];
        }
        nValues[propTextType] = m_nTextType;
        nValues[propTextRows] = (int)SendMessage(TB_GETTEXTROWS);
        nValues[propMinWidth] = m_nMinButtonWidth;
        nValues[propMaxWidth] = m_nMaxButtonWidth;
        nValues[propCustomizable] = IsCustomizable(TRUE) ? 1 : 0;
        for (int i = 0; i < kProperties; ++i)
            pApp->WriteProfileInt(strSection, kPropertyKeys[i], nValues[i]);
    }
    return bResult;
}

// ---------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------
// The control's own restore does not bring every separator back on every
// system: the buttons are put in the saved order, separators included, the
// places of custom buttons left out (they go in afterwards). Buttons the
// saved bar did not have stay at the end.
void COXCoolToolBar::ArrangeButtons(const std::vector<ButtonState>& buttons)
{
    int nPlace = 0;
    for (const ButtonState& b : buttons) {
        const BOOL bSeparator = (b.fsStyle & TBSTYLE_SEP) != 0;
        if (bSeparator && b.idCommand != 0)
            continue;
        const int nCount = (int)SendMessage(TB_BUTTONCOUNT);
        TBBUTTON current = {};
        if (nPlace < nCount)
            GetButton(nPlace, &current);
        if (bSeparator) {
            if (nPlace >= nCount || !(current.fsStyle & TBSTYLE_SEP) || current.idCommand != 0)
                InsertSeparator(nPlace);
            ++nPlace;
            continue;
        }
        int nFound = -1;
        for (int i = nPlace; i < nCount && nFound < 0; ++i) {
            TBBUTTON button = {};
            GetButton(i, &button);
            if (!(button.fsStyle & TBSTYLE_SEP) && button.idCommand == b.idCommand)
                nFound = i;
        }
        if (nFound < 0)
            continue;
        if (nFound != nPlace)
            SendMessage(TB_MOVEBUTTON, nFound, nPlace);
        ++nPlace;
    }
    // Separators the control kept beyond the saved set go.
    for (int i = (int)SendMessage(TB_BUTTONCOUNT) - 1; i >= nPlace; --i) {
        TBBUTTON button = {};
        GetButton(i, &button);
        if (!(button.fsStyle & TBSTYLE_SEP))
            break;
        SendMessage(TB_DELETEBUTTON, i);
    }
}

BOOL COXCoolToolBar::LoadBarState(LPCTSTR lpszSubKey, LPCTSTR lpszValueName, BOOL bProperties)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || m_hWnd == NULL)
        return FALSE;
    CString strName(lpszValueName), strSection;
    strSection.Format("%s_%s", lpszSubKey, lpszValueName);

    // Everything is read and checked before anything changes.
    int nValues[kProperties];
    for (int i = 0; i < kProperties; ++i)
        nValues[i] = bProperties ? (int)pApp->GetProfileInt(strSection, kPropertyKeys[i], -1) : -1;
    const BOOL bRegistry = pApp->m_pszRegistryKey != NULL && pApp->m_pszProfileName != NULL;
    // A size no bar would have is no state this bar wrote: it is left out.
    const struct
    {
        int nProperty, nMax;
    } sizes[] = {{propIndent, kMaxExtent}, {propTextRows, kMaxTextRows}, {propMinWidth, kMaxExtent},
                 {propMaxWidth, kMaxExtent}};
    for (const auto& size : sizes)
        if (nValues[size.nProperty] < 0 || nValues[size.nProperty] > size.nMax)
            nValues[size.nProperty] = -1;
    BOOL bCustomizable = IsCustomizable(TRUE) || IsCustomizable(FALSE);
    if (nValues[propCustomizable] != -1)
        bCustomizable = m_pCustomizeIds != NULL && (nValues[propCustomizable] & 1);
    // A customizable bar keeps its buttons in the registry only: without
    // one its properties still load (the blobs below are never read) and
    // the answer is FALSE.
    const BOOL bButtonsLoadable = bRegistry || !bCustomizable;

    std::vector<BYTE> bytes;
    std::vector<ButtonState> buttons;
    BOOL bButtons = bRegistry && GetBlob(pApp, lpszSubKey, strName + "_ButtonsSettings", bytes);
    if (bButtons && !ReadButtonsBlob(bytes.data(), (UINT)bytes.size(), buttons))
        return FALSE;
    std::vector<std::pair<int, int>> positions;
    BOOL bPositions = bRegistry && GetBlob(pApp, lpszSubKey, strName + "_CustomButtonsPositions", bytes);
    if (bPositions && !ReadPositionsBlob(bytes.data(), (UINT)bytes.size(), positions))
        return FALSE;
    // A custom button goes back to a place the bar has. One whose control
    // the program no longer registers stays off the bar (as a registration
    // unknown to the descriptors blob is left unread) and the buttons after
    // it close up: the rest of the saved bar still loads, so that the next
    // save does not overwrite it with the bar as it was made.
    const int nSlots = bButtons ? (int)buttons.size() : (int)SendMessage(TB_BUTTONCOUNT) + (int)positions.size();
    std::vector<std::pair<int, int>> placed;
    int nLeftOut = 0;
    for (const auto& p : positions) {
        if (p.first < 0 || p.first >= std::max(nSlots, 1))
            return FALSE;
        if (FindCustomButton(p.second) < 0)
            ++nLeftOut;
        else
            placed.push_back({p.first - nLeftOut, p.second});
    }
    if (!s_bDescriptorsLoaded && bRegistry && GetBlob(pApp, lpszSubKey, kDescriptorsKey, bytes)) {
        if (!ReadDescriptorsBlob(bytes.data(), (UINT)bytes.size()))
            return FALSE;
        s_bDescriptorsLoaded = TRUE;
    }

    // Then the bar changes, whole.
    BOOL bLayoutChanged = FALSE;
    if (nValues[propCustomizable] != -1) {
        ModifyStyle(CCS_ADJUSTABLE, 0);
        m_bCustomizable = m_pCustomizeIds != NULL && (nValues[propCustomizable] & 1);
    }
    if (nValues[propCool] != -1)
        m_bCool = nValues[propCool];
    if (nValues[propGripper] != -1)
        SetBarStyle(nValues[propGripper] ? (m_dwStyle | CBRS_GRIPPER) : (m_dwStyle & ~CBRS_GRIPPER));
    if (nValues[propSeparator] != -1)
        m_bSeparator = nValues[propSeparator];
    if (nValues[propFlat] != -1)
        ModifyStyle(nValues[propFlat] ? 0 : TBSTYLE_FLAT, nValues[propFlat] ? TBSTYLE_FLAT : 0);
    if (nValues[propList] != -1) {
        ModifyStyle(nValues[propList] ? 0 : TBSTYLE_LIST, nValues[propList] ? TBSTYLE_LIST : 0);
        bLayoutChanged = TRUE;
    }
    if (nValues[propDropDownArrow] != -1)
        SetDropDownArrow(nValues[propDropDownArrow]);
    if (nValues[propIndent] != -1)
        SetIndent(nValues[propIndent]);
    for (int i = 0; i < 4; ++i) {
        if (nValues[propTextColor + i] != -1)
            m_clrText[i] = (COLORREF)nValues[propTextColor + i];
        if (nValues[propBkColor + i] != -1)
            m_clrBk[i] = (COLORREF)nValues[propBkColor + i];
        if (nValues[propBorderColor + i] != -1)
            m_clrBorder[i] = (COLORREF)nValues[propBorderColor + i];
    }
    const int nTextRows = nValues[propTextRows];
    if (nTextRows != -1 && nTextRows != (int)SendMessage(TB_GETTEXTROWS)) {
        SendMessage(TB_SETMAXTEXTROWS, nTextRows);
        bLayoutChanged = TRUE;
    }
    if (nValues[propMinWidth] != -1 && nValues[propMinWidth] != m_nMinButtonWidth) {
        m_nMinButtonWidth = nValues[propMinWidth];
        SendMessage(TB_SETBUTTONWIDTH, 0, MAKELPARAM(m_nMinButtonWidth, m_nMaxButtonWidth));
    }
    if (nValues[propMaxWidth] != -1 && nValues[propMaxWidth] != m_nMaxButtonWidth) {
        m_nMaxButtonWidth = nValues[propMaxWidth];
        SendMessage(TB_SETBUTTONWIDTH, 0, MAKELPARAM(m_nMinButtonWidth, m_nMaxButtonWidth));
        bLayoutChanged = TRUE;
    }
    const int nTextType = nValues[propTextType];
    if (nTextType != -1 && nTextType != m_nTextType) {
        if (nTextType == OXTB_TEXT_BYHAND)
            SetButtonTextFromID(0, 0xFFFF, OXTB_TEXT_NONE);
        SetButtonTextFromID(0, 0xFFFF, nTextType);
        bLayoutChanged = TRUE;
    }

    BOOL bResult = TRUE;
    // A bar never saved keeps the buttons it was made with, its custom ones
    // included: taking them off would lose them on the first run.
    const BOOL bStored =
        bButtons || bPositions || (bCustomizable && HasStoredButtons(pApp, lpszSubKey, lpszValueName));
    if (bStored) {
        CInternalChange change(m_bInternalChange);
        // The custom buttons come off; their controls wait to go back.
        // The deletion hides each control, tells it, and moves the selection
        // and the second index.
        std::map<int, OXCUSTOMBUTTONDESCRIPTOR> kept;
        const CustomButtonMap onBar = m_mapCustomButtons;
        for (auto it = onBar.rbegin(); it != onBar.rend(); ++it) {
            CustomButtonControl* pControl = it->second.m_pControl;
            CWnd* pWnd = pControl != NULL ? pControl->GetControlWindow() : NULL;
            if (pWnd != NULL && !pControl->IsReleasedOnRemoval())
                kept[pWnd->GetDlgCtrlID()] = it->second;
            if (pWnd != NULL)
                pWnd->ShowWindow(SW_HIDE);
            SendMessage(TB_DELETEBUTTON, it->first);
        }
        m_mapCustomButtons.clear();

        // The control's own restore makes its buttons anew without a word:
        // the selected and the second button are found again by command.
        auto commandAt = [&](int nIndex) {
            return nIndex >= 0 && nIndex < (int)SendMessage(TB_BUTTONCOUNT) ? GetItemID(nIndex) : 0u;
        };
        const UINT nSelectedID = commandAt(m_nCustomizedButton), nSecondID = commandAt(m_nSecondButtonIndex);

        HKEY hAppKey = bRegistry ? pApp->GetAppRegistryKey() : NULL;
        if (hAppKey != NULL) {
            GetToolBarCtrl().RestoreState(hAppKey, lpszSubKey, lpszValueName);
            ::RegCloseKey(hAppKey);
        }
        if (bButtons)
            ArrangeButtons(buttons);
        for (const ButtonState& b : buttons) {
            if (b.fsStyle & TBSTYLE_SEP)
                continue;
            int nIndex = CommandToIndex((UINT)b.idCommand);
            if (nIndex < 0)
                continue;
            SetButtonInfo(nIndex, (UINT)b.idCommand, b.fsStyle, b.iBitmap);
            if (b.bHasText)
                SetButtonText(nIndex, b.strText);
            else if (!b.strText.IsEmpty())
                m_mapHiddenTexts[(UINT)b.idCommand] = b.strText;
        }
        for (const auto& p : placed) {
            const int nIndex = std::min(p.first, (int)SendMessage(TB_BUTTONCOUNT));
            auto it = kept.find(p.second);
            if (it != kept.end() && it->second.m_pControl->GetControlWindow() != NULL) {
                InsertSeparator(nIndex);
                OXCUSTOMBUTTONDESCRIPTOR d = s_mapCustomButtons[p.second];
                d.m_pControl = it->second.m_pControl;
                m_mapCustomButtons[nIndex] = d;
                kept.erase(it);
            } else {
                m_bInternalChange = FALSE;
                InsertCustomButton(nIndex, FindCustomButton(p.second), WS_CHILD | WS_VISIBLE, 0,
                                   AfxRegisterWndClass(CS_DBLCLKS), "");
                m_bInternalChange = TRUE;
            }
        }
        SetButtonTextFromID(0, 0xFFFF, m_nTextType);
        bResult = bRegistry;
        m_nSecondButtonIndex = nSecondID != 0 ? CommandToIndex(nSecondID) : -1;
        const int nSelected = nSelectedID != 0 ? CommandToIndex(nSelectedID) : -1;
        if (nSelected != m_nCustomizedButton)
            SetCustomizedButton(nSelected);
    }

    if (bLayoutChanged) {
        if (SendMessage(TB_GETTEXTROWS) > 0) {
            UpdateSizes();
        } else {
            SetSizes(CSize(m_sizeImage.cx + 7, m_sizeImage.cy + 6), m_sizeImage);
            SendMessage(TB_AUTOSIZE);
        }
        RedrawToolBar(TRUE, FALSE);
    } else {
        UpdateCustomButtons(0, -1);
    }
    return bButtonsLoadable && bResult;
}
