// COX3DTabViewContainer: a tab control whose tabs hold pages (views or any
// windows); the page of the selected tab fills the area beside the tabs and
// switching tabs switches pages and the frame's active view. The tabs are
// drawn by the current tab skin. While something is dragged over the
// container, hovering over a tab brings its page up.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxole.h>

#include "OXSkinnedTabCtrl.h"

class COX3DTabViewContainer;

class COX3DTabViewDropTarget : public COleDropTarget
{
public:
    COX3DTabViewDropTarget();
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;

    int m_nLastHoverTab;
    BOOL m_bSwitchOnDragOver;
};

class COX3DTabViewContainer : public COXSkinnedTabCtrl
{
    DECLARE_DYNAMIC(COX3DTabViewContainer)
public:
    COX3DTabViewContainer();
    ~COX3DTabViewContainer() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = NULL) override;

    virtual BOOL CreateTabCtrl(CWnd* pParentWnd, const RECT& rect, DWORD dwStyle, UINT nID);
    virtual BOOL InsertPage(int nIndex, CWnd* pWnd, LPCTSTR lpszTitle, int nImage = -1, DWORD dwExStyle = 0,
                            BOOL bActivate = TRUE);
    virtual BOOL InsertPage(int nIndex, CRuntimeClass* pClass, CCreateContext* pContext, LPCTSTR lpszTitle,
                            int nImage = -1, DWORD dwExStyle = 0, BOOL bActivate = TRUE);
    virtual BOOL DeletePage(int nIndex, BOOL bDestroy = TRUE);
    virtual BOOL DeletePage(CWnd* pWnd, BOOL bDestroy = TRUE);
    virtual BOOL SetActivePageIndex(int nIndex);
    virtual DWORD GetUniqueId();
    virtual void RecalcLayout();

    CWnd* GetPage(int nIndex) const;
    BOOL FindPage(HWND hWnd, int& nIndex) const;
    CWnd* GetActivePage() const { return GetPage(m_nActivePageIndex); }
    int GetActivePageIndex() const { return m_nActivePageIndex; }
    // Pages, the empty tab of the single-page case not counted.
    int GetPageCount() const;
    int GetOffsetExternal() const { return m_nOffsetExternal; }
    int GetOffsetInternal() const { return m_nOffsetInternal; }
    CRect GetPageRect() const { return m_rectPage; }
    BOOL HasDummyTab() const { return m_bDummyTab; }

    COX3DTabViewDropTarget m_dropTarget;
    CDWordArray m_arrUniqueIds;
    BOOL m_bDummyTab;
    int m_nOffsetExternal;
    int m_nOffsetInternal;
    int m_nActivePageIndex;
    BOOL m_bErasingNonClient;
    CRect m_rectPage;

protected:
    // Where the active page goes; adds or drops the empty tab that keeps a
    // lone tab from filling the strip.
    CRect CalcPageRect();
    void DropDummyTab();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
