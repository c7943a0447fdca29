// HistoryCombo.cpp - the history combo box.
#include "HistoryCombo.h"

IMPLEMENT_DYNAMIC(CHistoryCombo, CComboBox)

BEGIN_MESSAGE_MAP(CHistoryCombo, CComboBox)
END_MESSAGE_MAP()

static const char szLastEntry[] = "Last";
static const char szEntryFormat[] = "%s%d";
// Entries are deleted one after another until one is missing, at most this far.
static const int nMaxEntryIndex = 999;
// A default no stored text can hold, to tell a missing entry from an empty one.
static const char szMissing[] = "\x01";

static CString EntryKey(const CString& sPrefix, int nIndex)
{
    CString sKey;
    sKey.Format(szEntryFormat, (LPCSTR)sPrefix, nIndex);
    return sKey;
}

static bool HasProfileEntry(LPCSTR pszSection, LPCSTR pszKey)
{
    return AfxGetApp()->GetProfileString(pszSection, pszKey, szMissing) != szMissing;
}

CHistoryCombo::CHistoryCombo(BOOL bAllowSortStyle)
    : m_bSaveRestoreLastCurrent(TRUE), m_nMaxHistoryItems(10), m_bAllowSortStyle(bAllowSortStyle)
{
}

CHistoryCombo::~CHistoryCombo()
{
}

BOOL CHistoryCombo::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!m_bAllowSortStyle)
        cs.style &= ~CBS_SORT;
    return CComboBox::PreCreateWindow(cs);
}

void CHistoryCombo::PreSubclassWindow()
{
    if (!m_bAllowSortStyle)
        ModifyStyle(CBS_SORT, 0);
    CComboBox::PreSubclassWindow();
}

CString CHistoryCombo::GetCurrentItemKey() const
{
    if (!m_sKeyCurItem.IsEmpty())
        return m_sKeyCurItem;
    if (!m_sKeyPrefix.IsEmpty())
        return m_sKeyPrefix;
    return szLastEntry;
}

// A drop-down list has no edit field to take a text that is not listed.
BOOL CHistoryCombo::HasEditField() const
{
    return (GetStyle() & 0x3) != CBS_DROPDOWNLIST;
}

// The newest text goes on top; an older copy (found ignoring letter case)
// goes, and so does whatever falls beyond the maximum.
int CHistoryCombo::AddToHistory(CString sString)
{
    sString.Trim();
    int nIndex = InsertString(0, sString);
    if (nIndex < 0)
        return nIndex;
    int nOld = FindStringExact(0, sString);
    if (nOld != CB_ERR && nOld != 0)
        DeleteString(nOld);
    while (GetCount() > m_nMaxHistoryItems && m_nMaxHistoryItems >= 0)
        DeleteString(m_nMaxHistoryItems);
    SetCurSel(0);
    return 0;
}

CString CHistoryCombo::LoadHistory(LPCTSTR lpszSection, LPCTSTR lpszKeyPrefix, BOOL bSaveRestoreLastCurrent,
                                   LPCTSTR lpszKeyCurItem)
{
    if (lpszSection == NULL || *lpszSection == '\0' || lpszKeyPrefix == NULL || *lpszKeyPrefix == '\0')
        return "";
    ResetContent();
    m_sSection = lpszSection;
    m_sKeyPrefix = lpszKeyPrefix;
    m_sKeyCurItem = lpszKeyCurItem ? lpszKeyCurItem : "";
    m_bSaveRestoreLastCurrent = bSaveRestoreLastCurrent;

    CWinApp* pApp = AfxGetApp();
    CString sText;
    for (int i = 0;; ++i) {
        sText = pApp->GetProfileString(m_sSection, EntryKey(m_sKeyPrefix, i), "");
        if (!sText.IsEmpty())
            AddString(sText);
        if (sText.IsEmpty() || i + 1 >= m_nMaxHistoryItems)
            break;
    }

    if (m_bSaveRestoreLastCurrent) {
        sText = pApp->GetProfileString(m_sSection, GetCurrentItemKey(), "");
        if (!sText.IsEmpty()) {
            int nIndex = FindStringExact(-1, sText);
            if (nIndex != CB_ERR)
                SetCurSel(nIndex);
            else if (HasEditField())
                SetWindowText(sText);
        }
    }
    return sText;
}

CString CHistoryCombo::LoadHistory(CStringArray* pStringArray, BOOL bSelectFirst)
{
    if (pStringArray == NULL)
        return "";
    ResetContent();
    for (INT_PTR i = 0; i < pStringArray->GetSize(); ++i)
        AddString(pStringArray->GetAt(i));
    if (bSelectFirst)
        SetCurSel(0);
    CString sText;
    GetWindowText(sText);
    return sText;
}

void CHistoryCombo::SetHistoryFromText(LPCTSTR lpszHistory, LPCTSTR lpszCurSel, LPCTSTR lpszDelims)
{
    if (lpszHistory == NULL || *lpszHistory == '\0')
        return;
    ResetContent();
    CString sDelims(lpszDelims && *lpszDelims ? lpszDelims : "\r\n");
    CString sHistory(lpszHistory);
    int nStart = 0;
    for (;;) {
        CString sToken = sHistory.Tokenize(sDelims, nStart);
        if (nStart < 0)
            break;
        if (!sToken.IsEmpty())
            AddString(sToken);
    }
    if (lpszCurSel != NULL && *lpszCurSel != '\0') {
        int nIndex = FindStringExact(-1, lpszCurSel);
        if (nIndex != CB_ERR)
            SetCurSel(nIndex);
        else if (HasEditField())
            SetWindowText(lpszCurSel);
    }
}

void CHistoryCombo::SaveHistory(BOOL bAddCurrentItemToHistory)
{
    if (m_sSection.IsEmpty())
        return;
    CString sCurrent;
    GetWindowText(sCurrent);
    if (bAddCurrentItemToHistory && !sCurrent.IsEmpty())
        AddToHistory(sCurrent);

    CWinApp* pApp = AfxGetApp();
    int nCount = GetCount();
    if (nCount > m_nMaxHistoryItems + 1)
        nCount = m_nMaxHistoryItems + 1;
    for (int i = 0; i < nCount; ++i) {
        CString sItem;
        GetLBText(i, sItem);
        pApp->WriteProfileString(m_sSection, EntryKey(m_sKeyPrefix, i), sItem);
    }
    // Entries an earlier, longer history left behind.
    for (int i = nCount; i <= nMaxEntryIndex; ++i) {
        CString sKey = EntryKey(m_sKeyPrefix, i);
        if (!HasProfileEntry(m_sSection, sKey))
            break;
        pApp->WriteProfileString(m_sSection, sKey, NULL);
    }
    if (m_bSaveRestoreLastCurrent) {
        GetWindowText(sCurrent);
        pApp->WriteProfileString(m_sSection, GetCurrentItemKey(), sCurrent);
    }
}

void CHistoryCombo::ClearHistory(BOOL bDeleteRegistryEntries)
{
    ResetContent();
    if (m_sSection.IsEmpty() || !bDeleteRegistryEntries)
        return;
    CWinApp* pApp = AfxGetApp();
    for (int i = 0; i <= nMaxEntryIndex; ++i) {
        CString sKey = EntryKey(m_sKeyPrefix, i);
        if (!HasProfileEntry(m_sSection, sKey))
            break;
        pApp->WriteProfileString(m_sSection, sKey, NULL);
    }
    pApp->WriteProfileString(m_sSection, GetCurrentItemKey(), NULL);
}

void CHistoryCombo::SetMaxHistoryItems(int nMaxItems)
{
    m_nMaxHistoryItems = nMaxItems;
    while (nMaxItems >= 0 && GetCount() > nMaxItems)
        DeleteString(nMaxItems);
}

void CHistoryCombo::StoreValue(BOOL bIgnoreIfEmpty)
{
    CString sText;
    GetWindowText(sText);
    if (!(sText.IsEmpty() && bIgnoreIfEmpty))
        AddToHistory(sText);
}

CString CHistoryCombo::GetHistoryText(CString& sItems, BOOL bAddCurrentItem, LPCTSTR lpszDelim)
{
    CString sResult;
    GetWindowText(sResult);
    if (bAddCurrentItem && !sResult.IsEmpty())
        AddToHistory(sResult);
    CString sDelim(lpszDelim && *lpszDelim ? lpszDelim : "\r\n");
    sItems.Empty();
    for (int i = 0; i < GetCount(); ++i) {
        CString sItem;
        GetLBText(i, sItem);
        if (i > 0)
            sItems += sDelim;
        sItems += sItem;
    }
    return sResult;
}

void CHistoryCombo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CString sCurrent;
        GetWindowText(sCurrent);
        if (!sCurrent.IsEmpty())
            AddToHistory(sCurrent);
        WORD nCount = (WORD)GetCount();
        ar << nCount;
        for (int i = 0; i < nCount; ++i) {
            CString sItem;
            GetLBText(i, sItem);
            ar << sItem;
        }
        GetWindowText(sCurrent);
        ar << sCurrent;
    } else {
        ResetContent();
        WORD nCount = 0;
        ar >> nCount;
        for (int i = 0; i < nCount; ++i) {
            CString sItem;
            ar >> sItem;
            AddString(sItem);
        }
        CString sCurrent;
        ar >> sCurrent;
        int nIndex = FindStringExact(-1, sCurrent);
        if (nIndex != CB_ERR)
            SetCurSel(nIndex);
        else if (HasEditField())
            SetWindowText(sCurrent);
    }
}
