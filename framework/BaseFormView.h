// BaseFormView.h - CBaseFormView: the resizable form view the program's views
// stand on. It carries the profile section the derived view keeps its settings
// under, shows a context menu whose items follow the state of the view's
// controls, and routes the owner-drawn menu's messages as the dialog base does.
#pragma once

#include "DynamicFormView.h"

class CBaseFormView : public cdxCDynamicFormView
{
    DECLARE_DYNAMIC(CBaseFormView)
protected:
    explicit CBaseFormView(UINT nIDTemplate);
public:
    virtual ~CBaseFormView() {}

    // ---- what a derived view sets ----
    // The profile section under which the derived view keeps its settings.
    CString m_strProfileSection;
    // Menu resource shown on a right click; -1: none.
    int m_nContextMenuId;

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    DECLARE_MESSAGE_MAP()
};
