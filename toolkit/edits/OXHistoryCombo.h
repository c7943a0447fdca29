// COXHistoryCombo: an editable combo keeping a most-recent-first history of
// the texts entered, bounded in length, optionally kept in the registry, with
// a small tool bar of its own beside it (add the text, delete the entry,
// browse for a file).
//
// The history is stored as one "|"-joined string value, so an entry cannot
// hold "|".
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include "toolkit_res.h"

// Where the tool bar stands (1: none).
enum
{
    OX_HISTORY_TOOLBAR_NONE = 1,
    OX_HISTORY_TOOLBAR_ABOVE_LEFT = 2, OX_HISTORY_TOOLBAR_ABOVE_CENTER, OX_HISTORY_TOOLBAR_ABOVE_RIGHT,
    OX_HISTORY_TOOLBAR_BELOW_LEFT, OX_HISTORY_TOOLBAR_BELOW_CENTER, OX_HISTORY_TOOLBAR_BELOW_RIGHT,
    OX_HISTORY_TOOLBAR_LEFT_TOP, OX_HISTORY_TOOLBAR_LEFT_CENTER, OX_HISTORY_TOOLBAR_LEFT_BOTTOM,
    OX_HISTORY_TOOLBAR_RIGHT_TOP, OX_HISTORY_TOOLBAR_RIGHT_CENTER, OX_HISTORY_TOOLBAR_RIGHT_BOTTOM,
};

// The tool bar's top-left corner for a position (window-free): the combo's
// rectangle, the bar's size and its borders (left, top, right, bottom).
CPoint OXHistoryToolbarOrigin(int nPosition, BOOL bTight, const CRect& rectCombo, CSize sizeBar,
                              const CRect& rectBorders);

class COXHistoryCombo : public CComboBox
{
    DECLARE_DYNAMIC(COXHistoryCombo)
public:
    explicit COXHistoryCombo(int nToolbarPosition = OX_HISTORY_TOOLBAR_RIGHT_CENTER, BOOL bTightToolbar = FALSE,
                             UINT nToolbarResourceID = IDR_OX_HISTORY_COMBO);
    virtual ~COXHistoryCombo();

    // ---- history ----
    virtual BOOL AddHistoryItem(LPCTSTR lpszText = NULL);
    virtual BOOL DeleteHistoryItem(int nIndex = -1);
    virtual BOOL Browse();
    virtual BOOL CanAddHistoryItem();
    virtual BOOL CanDeleteHistoryItem();
    virtual BOOL CanBrowse() { return TRUE; }

    void SetMaxHistoryCount(int nMax);
    int GetMaxHistoryCount() const { return m_nMaxHistory; }
    CString GetHistoryString() const;
    void SetHistoryString(LPCTSTR lpszHistory);

    // ---- registry ----
    BOOL SetAutoPersistent(LPCTSTR lpszValueName, LPCTSTR lpszSubKey = NULL, LPCTSTR lpszKey = NULL);
    void ClearAutoPersistent() { m_bAutoPersistent = FALSE; }
    BOOL IsAutoPersistent() const { return m_bAutoPersistent; }
    BOOL SaveHistory(LPCTSTR lpszValueName, LPCTSTR lpszSubKey = NULL, LPCTSTR lpszKey = NULL,
                     HKEY hKeyRoot = HKEY_CURRENT_USER, BOOL bAddCurrentText = TRUE);
    BOOL LoadHistory(LPCTSTR lpszValueName, LPCTSTR lpszSubKey = NULL, LPCTSTR lpszKey = NULL,
                     HKEY hKeyRoot = HKEY_CURRENT_USER, BOOL bSelectFirst = TRUE);
    // "Software\<sub key>\<key>\HistoryCombo", the defaults filled in from the
    // application; empty when there is no sub key to use.
    static CString HistoryKeyPath(LPCTSTR lpszSubKey, LPCTSTR lpszKey);

    // ---- browse dialog ----
    void SetFileDialogParams(BOOL bOpenFileDialog = TRUE, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                             DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                             CWnd* pParentWnd = NULL, LPCTSTR lpszInitialDir = NULL);

    // ---- tool bar ----
    void SetButtonFlag(int nButton, BOOL bShow);
    BOOL GetButtonFlag(int nButton) const;
    int GetVisibleButtonCount() const;
    void SetToolbarResourceID(UINT nID) { m_nToolbarResourceID = nID; }
    void SetToolbarResourceID(WORD nID) { m_nToolbarResourceID = nID; }
    void InitializeToolbar();
    void PositionToolbar(int nPosition, BOOL bTight = FALSE);
    int GetToolbarPosition() const { return m_nToolbarPosition; }
    CToolBar* GetToolbar() const { return m_pToolbar; }
    virtual BOOL AttachToolbar(CWnd* pParent = NULL);

    BOOL OnIdle(LONG lCount = 0);

protected:
    virtual void PreSubclassWindow() override;
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    void RefreshButtons();
    void NotifyParent(UINT nCode);
    BOOL OpenHistoryKey(HKEY hKeyRoot, LPCTSTR lpszSubKey, LPCTSTR lpszKey, REGSAM sam, BOOL bCreate,
                        HKEY& hKey) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnAddItem();
    afx_msg void OnDeleteItem();
    afx_msg void OnBrowse();
    afx_msg void OnUpdateAddItem(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDeleteItem(CCmdUI* pCmdUI);
    afx_msg void OnUpdateBrowse(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSpare(CCmdUI* pCmdUI);
    afx_msg void OnSpare() {}

    struct FileDialogParams
    {
        BOOL bOpenFileDialog = TRUE;
        CString sDefExt;
        CString sFileName = "*.*";
        DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
        CString sFilter = "All Files (*.*)| *.* ||";
        CWnd* pParentWnd = NULL;
        CString sInitialDir;
    };

    int m_nToolbarPosition;
    BOOL m_bTightToolbar;
    int m_nMaxHistory = 6;
    CToolBar* m_pToolbar;
    BOOL m_arrButtonShown[10];
    UINT m_nToolbarResourceID;
    BOOL m_bAutoPersistent = FALSE;
    CString m_sRegistrySubKey;
    CString m_sRegistryKey;
    CString m_sValueName;
    FileDialogParams m_fileDialogParams;

    DECLARE_MESSAGE_MAP()
};

// A history combo for picture files: its browse button opens the file dialog
// with a preview pane, and its tool bar stands right of it, centred.
class COXBMPFilePickerCombo : public COXHistoryCombo
{
    DECLARE_DYNAMIC(COXBMPFilePickerCombo)
public:
    explicit COXBMPFilePickerCombo(LPCTSTR lpszFilter = "Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*||");
    explicit COXBMPFilePickerCombo(UINT nFilterID);

    virtual BOOL Browse() override;

protected:
    CString m_sFilter;
};
