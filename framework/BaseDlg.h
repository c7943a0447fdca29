// BaseDlg.h - CBaseDlg: the resizable dialog base of the framework's and the
// application's dialogs. It keeps its size in the profile's "Settings" under a
// profile name, shows a context menu whose items follow the state of the
// dialog's controls, routes the owner-drawn menu's messages, and owns an
// optional background brush and a set of labels.
#pragma once

#include "DynamicDialog.h"

#include "BCMenu.h"
#include "ButtonST.h"
#include "Label.h"

#include <afxtempl.h>

// Shows the first pop-up of menu nMenuId at point (screen co-ordinates), owned
// by pWnd. An item whose id names one of pWnd's child controls is enabled or
// greyed as that control is, so the menu never offers what the window itself
// refuses; other items keep the state the resource gives them.
void TrackControlStateMenu(CWnd* pWnd, int nMenuId, CPoint point);

class CBaseDlg : public cdxCDynamicDialog
{
    DECLARE_DYNAMIC(CBaseDlg)
public:
    CBaseDlg(UINT nIDTemplate, CWnd* pParent);
    // Without a template (an in-memory one is given later).
    CBaseDlg();
    virtual ~CBaseDlg();

    // ---- what a derived dialog sets ----
    // The dialog's name in the profile: it prefixes the size keys in "Settings"
    // and is the section of the profile accessors below.
    CString m_strProfile;
    // When set, returned for every control-colour request.
    HBRUSH m_hBkBrush;
    // Menu resource shown on a right click; -1: none.
    int m_nContextMenuId;

    // ---- operations ----
    // Takes over the dialog's static controls with these ids as labels (the
    // dialog owns them and deletes them); returns the number taken.
    int SubclassLabels(const int* pIds, int nCount)
    {
        SetLabelIds(pIds, nCount);
        int nTaken = 0;
        for (int i = 0; i < nCount; ++i) {
            CLabel* pLabel = new CLabel;
            if (!pLabel->SubclassDlgItem((UINT)pIds[i], this)) {
                delete pLabel;
                continue;
            }
            m_Labels.Add(pLabel);
            ++nTaken;
        }
        return nTaken;
    }
    // The label at nIndex; an index outside the array throws the array's
    // invalid-argument exception.
    CLabel* GetLabel(int nIndex) { return m_Labels.GetAt(nIndex); }
    int GetLabelCount() const { return (int)m_Labels.GetSize(); }
    CImageList* GetImageList() const { return m_pImageList; }
    int GetTemplateId() const { return m_nTemplateId; }

    // Profile values in the section named by the profile name.
    int GetProfileInt(LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    BOOL WriteProfileString(LPCTSTR lpszEntry, LPCTSTR lpszValue);

    // Option pages write their settings here; the base has nothing to save.
    virtual BOOL SaveChanges() { return TRUE; }

    // Writes the window's left and top to "Settings" (profile name + " X", " Y").
    void SavePosition();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnInitDialog() override;
    void OnCancel() override { CDialog::OnCancel(); }

    CString SettingsKey(LPCTSTR lpszSuffix) const { return m_strProfile + lpszSuffix; }
    // Keeps a copy of the ids of the labels taken over.
    void SetLabelIds(const int* pIds, int nCount);

    int* m_pLabelIds;       // owned; present once labels were taken over
    int m_nLabelIds;
    CArray<CLabel*, CLabel*> m_Labels;
    CImageList* m_pImageList;
    int m_nTemplateId;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
