// HistoryCombo.h - CHistoryCombo: a combo box whose list is a history of the
// texts entered in it, most recent first, kept in the application's profile
// and, on request, in an archive.
//
// Profile layout, in the section given to LoadHistory: entries "%s%d" of the
// key prefix and the index (prefix0, prefix1, ...), most recent first, the
// first missing or empty one ending the list; the current text under the
// current-item key, or under the prefix itself when that key is empty, or
// under "Last" when the prefix is empty too.
//
// Archive layout: a 16-bit count, that many strings, then the current text,
// each string in the archive's string form.
//
// Duplicates are found with the combo box's exact-string search, which
// ignores letter case: adding "abc" while "ABC" is listed leaves "abc" alone.
#pragma once

#include <afxwin.h>

class CHistoryCombo : public CComboBox
{
    DECLARE_DYNAMIC(CHistoryCombo)
public:
    explicit CHistoryCombo(BOOL bAllowSortStyle = FALSE);
    virtual ~CHistoryCombo();

    // The index of the text in the list.
    int AddToHistory(CString sString);
    // The text restored into the edit field, "" when nothing was restored or
    // the section or the prefix is missing.
    CString LoadHistory(LPCTSTR lpszSection, LPCTSTR lpszKeyPrefix, BOOL bSaveRestoreLastCurrent = TRUE,
                        LPCTSTR lpszKeyCurItem = NULL);
    // The window text afterwards; "" without an array.
    CString LoadHistory(CStringArray* pStringArray, BOOL bSelectFirst = TRUE);
    CString LoadHistoryFromArray(CStringArray* pStringArray, BOOL bSelectFirst = TRUE)
    {
        return LoadHistory(pStringArray, bSelectFirst);
    }
    // Fills the list with the tokens of the text (split at any of the
    // delimiters, CR LF when none are given); an empty text changes nothing.
    void SetHistoryFromText(LPCTSTR lpszHistory, LPCTSTR lpszCurSel = NULL, LPCTSTR lpszDelims = NULL);
    void SaveHistory(BOOL bAddCurrentItemToHistory = TRUE);
    void ClearHistory(BOOL bDeleteRegistryEntries = TRUE);
    void SetMaxHistoryItems(int nMaxItems);
    void SetMaxHistory(int nMaxItems) { SetMaxHistoryItems(nMaxItems); }
    int GetMaxHistoryItems() const { return m_nMaxHistoryItems; }
    void StoreValue(BOOL bIgnoreIfEmpty = TRUE);
    void StoreCurrentText(BOOL bIgnoreIfEmpty = TRUE) { StoreValue(bIgnoreIfEmpty); }
    // The window text; the list joined with the delimiter (CR LF when none)
    // in sItems.
    CString GetHistoryText(CString& sItems, BOOL bAddCurrentItem = FALSE, LPCTSTR lpszDelim = NULL);
    void Serialize(CArchive& ar) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // The key the current text lives under.
    CString GetCurrentItemKey() const;
    BOOL HasEditField() const;

    CString m_sSection;
    CString m_sKeyPrefix;
    CString m_sKeyCurItem;
    BOOL m_bSaveRestoreLastCurrent;
    int m_nMaxHistoryItems;
    BOOL m_bAllowSortStyle;

    DECLARE_MESSAGE_MAP()
};
