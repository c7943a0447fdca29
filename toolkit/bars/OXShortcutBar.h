// COXShortcutBar: a column of groups, each a header (image and text) over a
// window of its own; one group at a time is expanded and its window fills the
// room between the headers. A group's window is a COXSHBListCtrl the bar
// makes, or any child window the caller gives. The bar asks its owner by
// WM_NOTIFY (an SHB_NOTIFY) before every change the user starts; a nonzero
// reply refuses it.
#pragma once

#include <map>
#include <vector>

#include "OXSHBDropTarget.h"
#include "OXSHBEdit.h"
#include "OXSHBGroupSet.h"
#include "OXShortcutBarSkin.h"

class COXSHBListCtrl;

class COXShortcutBar : public CWnd
{
    DECLARE_DYNCREATE(COXShortcutBar)
public:
    COXShortcutBar();
    virtual ~COXShortcutBar();

    BOOL Create(CWnd* pParentWnd, const RECT& rect, DWORD dwBarStyle = 0, UINT nID = 0xFFFF,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE, DWORD dwExStyle = 0);

    // Groups.
    HSHBGROUP InsertGroup(const SHB_GROUPINFO* pGroupInfo);
    HSHBGROUP InsertGroup(LPCTSTR pszText, int nOrder = -1, int nImage = -1, int nImageExpanded = -1,
                          LPARAM lParam = 0, int nView = -1, LPSHB_DESCRIPTOR pDescriptor = NULL,
                          CWnd* pChildWnd = NULL);
    BOOL DeleteGroup(HSHBGROUP hGroup);
    BOOL DeleteAllGroups();
    HSHBGROUP ExpandGroup(HSHBGROUP hGroup);
    HSHBGROUP GetExpandedGroup() const { return m_hExpandedGroup; }
    BOOL GetGroupInfo(HSHBGROUP hGroup, SHB_GROUPINFO* pGroupInfo, BOOL bAll = FALSE);
    BOOL SetGroupInfo(HSHBGROUP hGroup, const SHB_GROUPINFO* pGroupInfo, BOOL bReplace = FALSE);
    HSHBGROUP FindGroup(const SHB_GROUPINFO* pGroupInfo) const { return m_groups.Find(pGroupInfo); }
    HSHBGROUP FindGroupByOrder(int nOrder) const { return m_groups.FindByOrder(nOrder); }
    HSHBGROUP FindGroupByParam(LPARAM lParam) const { return m_groups.FindByParam(lParam); }
    HSHBGROUP FindGroupByText(LPCTSTR pszText) const { return m_groups.FindByText(pszText); }
    BOOL SortGroups(PFNSHBCOMPARE pfnCompare, LPARAM lParamSort, int nSortOrder);
    BOOL SortGroups(int nSortOrder);
    static int CALLBACK CompareGroupsByText(HSHBGROUP hGroup1, HSHBGROUP hGroup2, LPARAM lParamSort);
    int GetGroupCount() const { return m_groups.GetCount(); }
    BOOL VerifyGroupInfo(const SHB_GROUPINFO* pGroupInfo) const { return m_groups.VerifyGroupInfo(pGroupInfo); }

    CWnd* GetGroupWindow(HSHBGROUP hGroup);
    COXSHBListCtrl* GetGroupListCtrl(HSHBGROUP hGroup);
    BOOL UsesGroupListCtrl(HSHBGROUP hGroup);
    BOOL ScrollExpandedList(int nDeltaX, int nDeltaY);
    COXSHBEdit* EditGroupHeader(HSHBGROUP hGroup);
    CEdit* EditGroupItem(HSHBGROUP hGroup, int nItem);
    int SortGroupItems(HSHBGROUP hGroup);
    HSHBGROUP GetEditedGroup() const { return m_hEditGroup; }
    HSHBGROUP GetDraggedGroup() const { return m_hDragGroup; }
    HSHBGROUP GetDropTargetGroup() const { return m_hDropTargetGroup; }
    HSHBGROUP GetHotGroup() const { return m_hHotGroup; }
    HSHBGROUP GetContextMenuGroup() const { return m_hContextMenuGroup; }

    // Group fields.
    CString GetGroupText(HSHBGROUP hGroup);
    BOOL SetGroupText(HSHBGROUP hGroup, const CString& sText);
    BOOL SetGroupText(HSHBGROUP hGroup, LPCSTR pszText, int nLength);
    int GetGroupImage(HSHBGROUP hGroup);
    BOOL SetGroupImage(HSHBGROUP hGroup, int nImage);
    int GetGroupImageExpanded(HSHBGROUP hGroup);
    BOOL SetGroupImageExpanded(HSHBGROUP hGroup, int nImage);
    LPARAM GetGroupData(HSHBGROUP hGroup);
    BOOL SetGroupData(HSHBGROUP hGroup, LPARAM lParam);
    int GetGroupOrder(HSHBGROUP hGroup);
    BOOL SetGroupOrder(HSHBGROUP hGroup, int nOrder);
    int GetGroupView(HSHBGROUP hGroup);
    BOOL SetGroupView(HSHBGROUP hGroup, int nView);
    LPSHB_DESCRIPTOR GetGroupDescriptor(HSHBGROUP hGroup);
    BOOL SetGroupDescriptor(HSHBGROUP hGroup, const SHB_DESCRIPTOR* pDescriptor);
    CWnd* GetGroupChildWnd(HSHBGROUP hGroup);
    BOOL SetGroupChildWnd(HSHBGROUP hGroup, CWnd* pChildWnd);

    COLORREF GetGroupBkColor(HSHBGROUP hGroup);
    BOOL SetGroupBkColor(HSHBGROUP hGroup, COLORREF clr);
    BOOL HasGroupBkColor(HSHBGROUP hGroup);
    COLORREF GetGroupTextColor(HSHBGROUP hGroup);
    BOOL SetGroupTextColor(HSHBGROUP hGroup, COLORREF clr);
    COLORREF GetGroupHeaderBkColor(HSHBGROUP hGroup);
    BOOL SetGroupHeaderBkColor(HSHBGROUP hGroup, COLORREF clr);
    COLORREF GetGroupHeaderTextColor(HSHBGROUP hGroup);
    BOOL SetGroupHeaderTextColor(HSHBGROUP hGroup, COLORREF clr);
    UINT GetGroupHeaderTextFormat(HSHBGROUP hGroup);
    BOOL SetGroupHeaderTextFormat(HSHBGROUP hGroup, UINT nFormat);
    LPLOGFONT GetGroupTextFont(HSHBGROUP hGroup);
    BOOL SetGroupTextFont(HSHBGROUP hGroup, const LOGFONT* pLF);
    BOOL SetGroupTextFont(HSHBGROUP hGroup, CFont* pFont);
    LPLOGFONT GetGroupHeaderTextFont(HSHBGROUP hGroup);
    BOOL SetGroupHeaderTextFont(HSHBGROUP hGroup, const LOGFONT* pLF);
    BOOL SetGroupHeaderTextFont(HSHBGROUP hGroup, CFont* pFont);
    int GetGroupHeaderHeight(HSHBGROUP hGroup);
    BOOL SetGroupHeaderHeight(HSHBGROUP hGroup, int nHeight);

    // Items of a group's list.
    CImageList* SetGroupImageList(HSHBGROUP hGroup, CImageList* pImageList, int nImageList);
    CImageList* GetGroupImageList(HSHBGROUP hGroup, int nImageList);
    BOOL GetGroupItem(HSHBGROUP hGroup, LVITEM* pItem);
    int GetGroupItemCount(HSHBGROUP hGroup);
    BOOL SetGroupItem(HSHBGROUP hGroup, LVITEM* pItem);
    BOOL SetGroupItem(HSHBGROUP hGroup, int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                      UINT nState, UINT nStateMask, LPARAM lParam);
    int InsertGroupItem(HSHBGROUP hGroup, LVITEM* pItem);
    int InsertGroupItem(HSHBGROUP hGroup, UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask,
                        int nImage, LPARAM lParam);
    BOOL DeleteGroupItem(HSHBGROUP hGroup, int nItem);

    // Metrics.
    BOOL SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwBarStyle; }
    int SetHeaderGap(int nGap);
    int GetHeaderGap() const { return m_nGroupMargin; }
    CRect SetChildMargins(const RECT& rect);
    CRect GetChildMargins() const { return m_rectChildMargins; }
    CSize SetScrollButtonSize(int cx, int cy);
    CSize GetScrollButtonSize() const { return m_sizeScrollButton; }
    UINT SetListScrollDelay(UINT nDelay);
    UINT GetListScrollDelay() const { return m_nScrollingDelay; }
    UINT SetListDragScrollDelay(UINT nDelay);
    UINT GetListDragScrollDelay() const { return m_nAutoScrollingDelay; }
    UINT SetHoverExpandDelay(UINT nDelay);
    UINT GetHoverExpandDelay() const { return m_nAutoExpandDelay; }
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const { return m_pImageList; }

    // Layout, drawing and mouse.
    HSHBGROUP HitTest(CPoint point, UINT* pFlags) const;
    BOOL GetGroupHeaderRect(HSHBGROUP hGroup, LPRECT lpRect) const;
    CRect GetChildWndRect() const { return m_rectChildWnd; }
    BOOL RedrawGroupHeader(HSHBGROUP hGroup);
    void SetHotGroup(HSHBGROUP hGroup);
    HSHBGROUP SetDraggedGroup(HSHBGROUP hGroup);
    void ShowGroupWindow(HSHBGROUP hGroup, BOOL bRedraw);
    void HideGroupWindow(HSHBGROUP hGroup);
    COXShortcutBarSkin* GetSkin();

    // Notifications to the owner: the reply.
    LRESULT SendSHBNotification(UINT nCode, HSHBGROUP hGroup, LPARAM lParam, int nItem = -1);

    // The rules of the layout and the header's look, without a window.
    // heights: header height by order; margins: left, top, right, bottom.
    static void CalculateHeaderRects(const CRect& rectClient, const std::vector<int>& heights, int nExpandedOrder,
                                     int nGap, const CRect& rectMargins, std::vector<CRect>& headers,
                                     CRect& rectChild);
    static COLORREF LightColor(COLORREF clr);
    static COLORREF DarkColor(COLORREF clr);
    static COLORREF InvertColor(COLORREF clr);
    static COLORREF DropMarkerColor(COLORREF clrBack);
    // The step of each frame of an expand animation over a child area h high.
    static std::vector<int> AnimationSteps(int nHeight);

    // Virtual operations.
    virtual CImageList* CreateGroupDragImage(HSHBGROUP hGroup);
    virtual void DrawGroupHeader(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void FillBackground(CDC* pDC);
    virtual BOOL CreateEditControl();
    virtual BOOL CreateGroupListCtrl(HSHBGROUP hGroup);
    virtual COXSHBListCtrl* NewGroupListCtrl();
    virtual void CalculateLayout();
    virtual HSHBGROUP GenerateGroupHandle();
    virtual BOOL CompareGroupInfo(const SHB_GROUPINFO* pPattern, const SHB_GROUPINFO* pCandidate)
    {
        return m_groups.CompareGroupInfo(pPattern, pCandidate);
    }
    virtual COleDropTarget* GetDropTarget();
    virtual LRESULT OnDragOver(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnDragLeave(WPARAM wParam, LPARAM lParam);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

protected:
    // The group records, told what only the bar window knows.
    class CGroupSet : public COXSHBGroupSet
    {
    public:
        int GetImageCount() const override;
        BOOL IsChildWindow(HWND hWnd) const override;
        HSHBGROUP GenerateHandle() override;
        HSHBGROUP GenerateNext() { return COXSHBGroupSet::GenerateHandle(); }
        COXShortcutBar* m_pBar = NULL;
    };

    void PreSubclassWindow() override;
    BOOL InitShortcutBar();
    int GetHeaderHeight(HSHBGROUP hGroup);
    void EndHeaderDrag(BOOL bDrop);
    CPoint DragImagePoint(CPoint ptClient) const;
    void PaintHeaders();
    void StopHoverExpand();
    void ReleasePressedGroup();
    BOOL NotifyMetricChange(UINT nCode, BOOL bRelayout);
    template <class T> T ReplaceMetric(T& field, const T& value, UINT nCode, BOOL bRelayout);
    BOOL SetDescriptorField(HSHBGROUP hGroup, UINT nBit, const SHB_DESCRIPTOR& field);
    // One descriptor field: its value, the default when the group has none,
    // or the value for a handle that names no group.
    template <class T>
    T GetDescriptorValue(HSHBGROUP hGroup, UINT nBit, T SHB_DESCRIPTOR::*pField, T defaultValue, T noGroupValue)
    {
        if (m_groups.Lookup(hGroup) == NULL)
            return noGroupValue;
        const SHB_DESCRIPTOR* p = FindDescriptorField(hGroup, nBit);
        return p != NULL ? p->*pField : defaultValue;
    }
    // Sets one field of a group's record.
    template <class T>
    BOOL SetGroupValue(HSHBGROUP hGroup, UINT nBit, T SHB_GROUPINFO::*pField, T value)
    {
        SHB_GROUPINFO info;
        info.nMask = nBit;
        info.*pField = value;
        return SetGroupInfo(hGroup, &info);
    }
    template <class T>
    BOOL SetDescriptorValue(HSHBGROUP hGroup, UINT nBit, T SHB_DESCRIPTOR::*pField, T value)
    {
        SHB_DESCRIPTOR d = {};
        d.*pField = value;
        return SetDescriptorField(hGroup, nBit, d);
    }
    const SHB_DESCRIPTOR* FindDescriptorField(HSHBGROUP hGroup, UINT nBit);
    void AnimateExpand(HSHBGROUP hOld, HSHBGROUP hNew);
    LRESULT FillToolTipText(NMHDR* pNMHDR, BOOL bWide);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCancelMode();
    afx_msg LRESULT OnDropTargetDragOver(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDropTargetDragLeave(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnHeaderEditEnd(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnToolTipTextA(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnToolTipTextW(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLargeIcon();
    afx_msg void OnSmallIcon();
    afx_msg void OnAddNewGroup();
    afx_msg void OnRemoveGroup();
    afx_msg void OnRenameGroup();
    afx_msg void OnRemoveItem();
    afx_msg void OnRenameItem();
    afx_msg void OnUpdateLargeIcon(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSmallIcon(CCmdUI* pCmdUI);

    CImageList* m_pImageList;
    HSHBGROUP m_hDropTargetGroup;
    HSHBGROUP m_hExpandedGroup;
    HSHBGROUP m_hEditGroup;
    HSHBGROUP m_hContextMenuGroup;
    HSHBGROUP m_hDragGroup;
    HSHBGROUP m_hPressedGroup;
    int m_nSortOrder;
    DWORD m_dwBarStyle;
    COXSHBEdit m_edit;
    CGroupSet m_groups;
    std::map<HSHBGROUP, COXSHBListCtrl*> m_mapLists;
    std::map<HSHBGROUP, CRect> m_mapHeaderRects;
    CRect m_rectChildWnd;
    int m_nGroupMargin;
    CRect m_rectChildMargins;
    CSize m_sizeScrollButton;
    UINT m_nScrollingDelay;
    UINT m_nAutoScrollingDelay;
    UINT m_nAutoExpandDelay;
    COXSHBDropTarget m_dropTarget;
    CFont m_font;
    BOOL m_bCreatingDragImage;
    CImageList* m_pDragImage;
    CPoint m_ptDragHotSpot;
    HSHBGROUP m_hPressGroup;       // the header that may start a drag
    UINT_PTR m_nPressTimer;
    UINT_PTR m_nExpandTimer;
    UINT_PTR m_nHotTimer;
    HSHBGROUP m_hPendingExpand;
    HSHBGROUP m_hHotGroup;
    COXShortcutBarSkin* m_pOwnSkin;

    DECLARE_MESSAGE_MAP()
};

// Timers of the bar.
#define SHB_IDT_PRESSDELAY   2
#define SHB_IDT_AUTOEXPAND   3
#define SHB_IDT_HOTTRACK     4
