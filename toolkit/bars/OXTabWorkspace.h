// The tab control of a tabbed MDI frame: one tab per MDI child, with the
// child's small icon and title. It keeps in step with the children on a
// 500 ms tick (and whenever its tab client posts the tick), activates the
// child whose tab is chosen, maximizes or restores it on a double click and
// activates the child under an OLE drag. It lives inside a COXTabClientWnd,
// which attaches it to the frame, places it and owns it.
//
// A tab remembers its child by window handle and class name, never by a
// window object: a child destroyed behind the frame's back leaves no
// dangling pointer, and its tab goes at the next tick; a handle reused by a
// window of another class does not inherit the tab.
//
// The tick's rules (PlanUpdate) work on plain records, without windows, so
// that they are tested by tables; the window code gathers each child's
// facts once and carries the plan out.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxole.h>
#include <afxtempl.h>

#include <vector>

#include "OXSkinnedTabCtrl.h"

class COXTabClientWnd;
class COXTabWorkspace;

// Sent to an MDI child for the text of its tab: a nonzero result is the
// address of the text; 0 (or an empty text) shows the window text.
#define WM_GETTABTEXT 0x80A0

// The timer of the tick, also posted by the tab client to update at once.
#define IDT_OXTABWORKSPACE_UPDATE 333

typedef struct _tagTAB_ITEM_ENTRY
{
    CString sText;       // as the child gives it, single ampersands
    CString sWndClass;   // the child's class when the tab was made
    HWND hWnd = NULL;    // the child frame
    BOOL bValid = FALSE; // filled
} TAB_ITEM_ENTRY;

class COXTabWorkspaceDropTarget : public COleDropTarget
{
public:
    // The tab last activated during this drag, -1 before any.
    int m_nLastTab = -1;

    // Activates the child of the tab under the point; never takes a drop.
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
};

class COXTabWorkspace : public COXSkinnedTabCtrl
{
    DECLARE_DYNAMIC(COXTabWorkspace)
public:
    COXTabWorkspace();
    ~COXTabWorkspace() override;

    // Margin in pixels around the control's client area and the MDI client.
    int m_nOffset;
    // Activate the child of the tab under an OLE drag.
    BOOL m_bActivateOnDragOver;

    // The tab of the window: its handle and its class now must both match
    // the tab's; -1 if none.
    int FindTab(HWND hWnd) const;
    int FindTab(const CWnd* pWnd) const { return FindTab(pWnd->GetSafeHwnd()); }
    // Inserts a tab for an MDI child (FALSE for any other window, or for a
    // hidden one with bOnlyVisible); with bRecalc the frame lays out again.
    BOOL AddTab(int nIndex, CWnd* pChildWnd, BOOL bRecalc = TRUE, BOOL bOnlyVisible = TRUE);
    // FALSE when the child has no tab.
    BOOL RemoveTab(CWnd* pChildWnd, BOOL bRecalc = TRUE);
    // The tick: see PlanUpdate.
    void UpdateContents(BOOL bAddNewWindows = FALSE, BOOL bUpdateWindowsInfo = FALSE);
    CMDIFrameWnd* GetMDIFrame() const;
    virtual CString GetTabText(CWnd* pChildWnd);

    int GetTabEntryCount() const { return (int)m_arrTabs.GetSize(); }
    const TAB_ITEM_ENTRY& GetTabEntry(int nIndex) const { return m_arrTabs[nIndex]; }
    // The child of a tab, or NULL when its window is gone or is another's.
    HWND GetTabWindow(int nIndex) const;

    // ---- the tick's rules, free of windows ----
    // A tab as the tick sees it; bGone when its window no longer exists or
    // now has another class.
    struct UpdateTab {
        HWND hWnd;
        CString sClass, sText;
        int nImage;
        BOOL bGone;
    };
    // A child of the MDI client, in Z order, read once per tick.
    struct UpdateChild {
        HWND hWnd;
        CString sClass, sText;
        BOOL bVisible, bMDIChild;
        int nImage;   // its icon's image index, read only when icons are refreshed
    };
    // One change to the tabs, applied in order (indexes as they are then).
    struct UpdateStep {
        enum Kind { remove, setText, setImage, append } nKind;
        int nTab;     // remove, setText, setImage
        int nChild;   // setText, setImage, append: the child it comes from
        bool operator==(const UpdateStep& o) const
        {
            return nKind == o.nKind && nTab == o.nTab && nChild == o.nChild;
        }
    };
    struct UpdatePlan {
        std::vector<UpdateStep> steps;
        int nSelect = -1;       // the active child's tab, -1: none
        BOOL bRecalc = FALSE;   // the tabs changed: lay the frame out
    };
    // Gone tabs go first; then for each child: a visible one with a tab
    // takes its new text (and image); a hidden one loses its tab; an MDI
    // child without a tab gets one at the end when visible and bAddNew. The
    // active child's tab is the one to select.
    static UpdatePlan PlanUpdate(const std::vector<UpdateTab>& tabs, const std::vector<UpdateChild>& children,
                                 HWND hWndActive, BOOL bAddNew, BOOL bIcons, BOOL bForceRecalc);
    // A title as a tab shows it literally: each '&' doubled.
    static CString TabItemText(const CString& sText);
    // The client rectangle inside the margin: shrunk on each axis where it
    // is wider than two margins, else collapsed along that axis.
    static CRect ShrinkByMargin(const RECT& rect, int nMargin);

protected:
    friend class COXTabClientWnd;
    friend class COXTabWorkspaceDropTarget;

    // The child's small icon (or its big one) and its image-list index; the
    // same icon handle shares one image.
    int GetChildImage(HWND hWnd);
    static HICON GetChildIcon(HWND hWnd);
    static CString WindowClass(HWND hWnd);
    void RecalcFrame();
    // Selects the tab under a point (client coordinates) and activates its
    // child; -1 when there is none.
    int ActivateTabAt(CPoint point);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

    CArray<TAB_ITEM_ENTRY, const TAB_ITEM_ENTRY&> m_arrTabs;
    CArray<HICON, HICON> m_arrIcons;
    CImageList m_imageList;
    COXTabWorkspaceDropTarget m_dropTarget;
    COXTabClientWnd* m_pTabClientWnd;

    DECLARE_MESSAGE_MAP()
};
