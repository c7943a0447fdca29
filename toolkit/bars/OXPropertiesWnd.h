// COXPropertiesWnd: a property sheet in a window. A two-column list of named
// properties and their values, grouped under categories or listed
// alphabetically, with a drop-down list and a two-button tool bar above it
// and a pane below that describes the selected property. A value is edited in
// place by an edit window the caller supplies per property; the window shows
// it over the value cell and hides it again when the edit ends.
//
// The companions: COXPropertyTree (the list, which ends an edit when it
// scrolls, on a click below its rows and on Return or Escape) and
// COXPropertyDescriptionPane (the pane at the bottom).
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>
#include <afxtempl.h>

#include "OXCoolToolBar.h"
#include "OXTreeCtrl.h"
#include "toolkit_res.h"

class COXFrameSkin;
class COXFrameSkinClassic;
class COXPropertiesWnd;

// Sent to the window itself when a property is selected (lParam: its item):
// ends an edit in progress, or starts one.
#define WM_PROPERTIES_EDIT (WM_USER + 94)
// Posted to the window itself after properties were added: the list is drawn again.
#define WM_PROPERTIES_REDRAW (WM_USER + 95)

class COXPropertyTree : public COXTreeCtrl
{
public:
    explicit COXPropertyTree(COXPropertiesWnd* pPropertiesWnd) : m_pPropertiesWnd(pPropertiesWnd) {}

    BOOL PreTranslateMessage(MSG* pMsg) override;

    COXPropertiesWnd* m_pPropertiesWnd;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class COXPropertyDescriptionPane : public CWnd
{
public:
    COXPropertyDescriptionPane();

    BOOL Create(CWnd* pParentWnd, UINT nID);
    void SetDescription(LPCTSTR lpszTitle, LPCTSTR lpszDescription);
    const CString& GetTitle() const { return m_sTitle; }
    const CString& GetDescription() const { return m_sDescription; }

    CFont m_fontTitle;
    CFont m_fontText;
    CString m_sDescription;
    CString m_sTitle;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class COXPropertiesWnd : public CFrameWnd
{
    DECLARE_DYNAMIC(COXPropertiesWnd)
public:
    // Child ids; the tool bar's id is its resource's, IDR_OX_PROPERTIES.
    enum {
        IDC_COMBOBOX = 1000,
        IDC_TREE = 1001,
        IDC_DESCRIPTION = 1002,
        IDC_EDITOR = 1003,
    };
    // Heights of the tool bar and the description pane, in pixels.
    enum { kToolBarHeight = 25, kDescriptionHeight = 50 };

    COXPropertiesWnd();
    ~COXPropertiesWnd() override;

    // Properties and categories. Without a window the operations still work
    // on the list's items, so that the arrangement rules can be used alone.
    HTREEITEM AddCategory(LPCTSTR lpszName);
    HTREEITEM FindCategory(LPCTSTR lpszName) const;
    HTREEITEM FindProperty(LPCTSTR lpszName, LPCTSTR lpszCategory = NULL) const;
    HTREEITEM AddProperty(LPCTSTR lpszName, LPCTSTR lpszValue = NULL, LPCTSTR lpszDescription = NULL,
                          LPCTSTR lpszCategory = NULL, CEdit* pEditor = NULL);
    // FALSE for an item that is not a property, or when the deletion is refused.
    BOOL DeleteProperty(HTREEITEM hItem);
    BOOL DeleteAllProperties();
    BOOL IsProperty(HTREEITEM hItem) const;
    CString GetPropertyValue(HTREEITEM hItem) const;
    void SetPropertyValue(HTREEITEM hItem, LPCTSTR lpszValue);
    HTREEITEM GetSelectedProperty() const;

    void SetCategorized(BOOL bCategorized);
    BOOL IsCategorized() const { return m_bCategorized; }

    // Shows or hides a companion and lays the window out again at once.
    void ShowComboBox(BOOL bShow) { ShowChild(&m_comboBox, bShow); }
    void ShowToolBar(BOOL bShow) { ShowChild(&m_toolBar, bShow); }
    void ShowDescription(BOOL bShow) { ShowChild(&m_descriptionPane, bShow); }
    CComboBoxEx* GetComboBox() { return &m_comboBox; }
    COXCoolToolBar* GetToolBar() { return &m_toolBar; }
    COXPropertyTree* GetTree() { return &m_tree; }
    COXPropertyDescriptionPane* GetDescriptionPane() { return &m_descriptionPane; }
    COXFrameSkin* GetFrameSkin();

    void StartEditProperty(HTREEITEM hItem);
    void FinishEditProperty(BOOL bCommit);
    CWnd* GetEditor() const { return m_pEditor; }
    HTREEITEM GetEditItem() const { return m_hEditItem; }
    // The rectangle an editor covers on the item's row, in the tree's client
    // coordinates; empty when the item has no row.
    CRect GetValueCellRect(HTREEITEM hItem);

    // Asked before an edited value is stored: FALSE keeps the old value.
    virtual BOOL OnPropertyChanged(HTREEITEM hItem, LPCTSTR lpszOldValue, LPCTSTR lpszNewValue);
    // Asked before a property is deleted: FALSE refuses.
    virtual BOOL OnDeleteProperty(HTREEITEM hItem);

    void RecalcLayout(BOOL bNotify = TRUE) override;

    CWnd* m_pEditor;
    HTREEITEM m_hEditItem;
    CMap<HTREEITEM, HTREEITEM, CString, LPCTSTR> m_mapCategories;
    CMap<HTREEITEM, HTREEITEM, CString, LPCTSTR> m_mapDescriptions;
    CMap<HTREEITEM, HTREEITEM, CEdit*, CEdit*> m_mapEditors;
    BOOL m_bCategorized;
    COXCoolToolBar m_toolBar;
    COXPropertyDescriptionPane m_descriptionPane;
    CComboBoxEx m_comboBox;
    COXPropertyTree m_tree;
    COXFrameSkinClassic* m_pClassicSkin;
    BOOL m_bRedrawDeferred;

protected:
    void DeferRedraw();
    void EndDeferredRedraw();
    void ShowChild(CWnd* pChild, BOOL bShow);
    void SetCategoryLook(HTREEITEM hItem);
    void ShowCategorized();
    void ShowAlphabetical();
    void MoveEditor();
    void PlaceEditor(CWnd* pEditor, HTREEITEM hItem);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnCategorized();
    afx_msg void OnUpdateCategorized(CCmdUI* pCmdUI);
    afx_msg void OnAlphabetical();
    afx_msg void OnUpdateAlphabetical(CCmdUI* pCmdUI);
    afx_msg void OnTreeItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnPropertiesEdit(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTreeFitColumns(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPropertiesRedraw(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
