// afxcmn.h - the common controls: list and tree views, header, progress, spin,
// slider, tab, tool tip, rich edit, hot key, date/time and month calendar, tool
// bar, rebar and status bar controls. Each is a CWnd whose members forward to
// the control's messages; the few with rules of their own live in ctlcommon.cpp
// and richedit.cpp.
#pragma once

#include "afxwin.h"
#include <commctrl.h>
#include <richedit.h>

class CToolTipCtrl;
class CHeaderCtrl;
class CMonthCalCtrl;
class COleDateTime;

// Loads the rich edit 2.0 library once per process; TRUE when it is available.
BOOL AFXAPI AfxInitRichEdit2();
// Registers the common control classes a dialog template or Create may need.
BOOL AFXAPI AfxInitCommonControls();

/////////////////////////////////////////////////////////////////////////////
// CListCtrl

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() {}
    virtual ~CListCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Attributes
    COLORREF GetBkColor() const { return (COLORREF)::SendMessage(m_hWnd, LVM_GETBKCOLOR, 0, 0); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)::SendMessage(m_hWnd, LVM_SETBKCOLOR, 0, cr); }
    COLORREF GetTextColor() const { return (COLORREF)::SendMessage(m_hWnd, LVM_GETTEXTCOLOR, 0, 0); }
    BOOL SetTextColor(COLORREF cr) { return (BOOL)::SendMessage(m_hWnd, LVM_SETTEXTCOLOR, 0, cr); }
    COLORREF GetTextBkColor() const { return (COLORREF)::SendMessage(m_hWnd, LVM_GETTEXTBKCOLOR, 0, 0); }
    BOOL SetTextBkColor(COLORREF cr) { return (BOOL)::SendMessage(m_hWnd, LVM_SETTEXTBKCOLOR, 0, cr); }
    CImageList* GetImageList(int nImageList) const { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, LVM_GETIMAGELIST, nImageList, 0)); }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType) { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, LVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle())); }
    int GetItemCount() const { return (int)::SendMessage(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
    BOOL GetItem(LVITEM* pItem) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETITEM, 0, (LPARAM)pItem); }
    BOOL SetItem(const LVITEM* pItem) { return (BOOL)::SendMessage(m_hWnd, LVM_SETITEM, 0, (LPARAM)pItem); }
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask, LPARAM lParam);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask, LPARAM lParam, int nIndent);
    UINT GetCallbackMask() const { return (UINT)::SendMessage(m_hWnd, LVM_GETCALLBACKMASK, 0, 0); }
    BOOL SetCallbackMask(UINT nMask) { return (BOOL)::SendMessage(m_hWnd, LVM_SETCALLBACKMASK, nMask, 0); }
    int GetNextItem(int nItem, int nFlags) const { return (int)::SendMessage(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }
    // Iterates the selected items: positions are index + 1, NULL at the end.
    POSITION GetFirstSelectedItemPosition() const { return (POSITION)(INT_PTR)(1 + GetNextItem(-1, LVNI_SELECTED)); }
    int GetNextSelectedItem(POSITION& pos) const;
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    BOOL SetItemPosition(int nItem, POINT pt) { return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMPOSITION32, nItem, (LPARAM)&pt); }
    BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETITEMPOSITION, nItem, (LPARAM)lpPoint); }
    int GetStringWidth(LPCTSTR lpsz) const { return (int)::SendMessage(m_hWnd, LVM_GETSTRINGWIDTH, 0, (LPARAM)lpsz); }
    CEdit* GetEditControl() const { return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, LVM_GETEDITCONTROL, 0, 0)); }
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETCOLUMN, nCol, (LPARAM)pColumn); }
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn) { return (BOOL)::SendMessage(m_hWnd, LVM_SETCOLUMN, nCol, (LPARAM)pColumn); }
    int GetColumnWidth(int nCol) const { return (int)::SendMessage(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)::SendMessage(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }
    BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1);
    BOOL SetColumnOrderArray(int iCount, LPINT piArray) { return (BOOL)::SendMessage(m_hWnd, LVM_SETCOLUMNORDERARRAY, iCount, (LPARAM)piArray); }
    BOOL GetViewRect(LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETVIEWRECT, 0, (LPARAM)lpRect); }
    int GetTopIndex() const { return (int)::SendMessage(m_hWnd, LVM_GETTOPINDEX, 0, 0); }
    int GetCountPerPage() const { return (int)::SendMessage(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0); }
    BOOL GetOrigin(LPPOINT lpPoint) const { return (BOOL)::SendMessage(m_hWnd, LVM_GETORIGIN, 0, (LPARAM)lpPoint); }
    BOOL SetItemState(int nItem, LVITEM* pItem) { return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)pItem); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const { return (UINT)::SendMessage(m_hWnd, LVM_GETITEMSTATE, nItem, nMask); }
    CString GetItemText(int nItem, int nSubItem) const;   // any length
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    void SetItemCount(int nItems) { ::SendMessage(m_hWnd, LVM_SETITEMCOUNT, nItems, 0); }
    BOOL SetItemCountEx(int iCount, DWORD dwFlags = LVSICF_NOINVALIDATEALL) { return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMCOUNT, iCount, dwFlags); }
    BOOL SetItemData(int nItem, DWORD_PTR dwData) { return SetItem(nItem, 0, LVIF_PARAM, NULL, 0, 0, 0, (LPARAM)dwData); }
    DWORD_PTR GetItemData(int nItem) const;
    UINT GetSelectedCount() const { return (UINT)::SendMessage(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0); }
    CSize SetIconSpacing(int cx, int cy) { return CSize((DWORD)::SendMessage(m_hWnd, LVM_SETICONSPACING, 0, MAKELPARAM(cx, cy))); }
    CHeaderCtrl* GetHeaderCtrl() const { return (CHeaderCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, LVM_GETHEADER, 0, 0)); }
    HCURSOR GetHotCursor() const { return (HCURSOR)::SendMessage(m_hWnd, LVM_GETHOTCURSOR, 0, 0); }
    HCURSOR SetHotCursor(HCURSOR hc) { return (HCURSOR)::SendMessage(m_hWnd, LVM_SETHOTCURSOR, 0, (LPARAM)hc); }
    int GetHotItem() const { return (int)::SendMessage(m_hWnd, LVM_GETHOTITEM, 0, 0); }
    int SetHotItem(int iIndex) { return (int)::SendMessage(m_hWnd, LVM_SETHOTITEM, iIndex, 0); }
    int GetSelectionMark() const { return (int)::SendMessage(m_hWnd, LVM_GETSELECTIONMARK, 0, 0); }
    int SetSelectionMark(int iIndex) { return (int)::SendMessage(m_hWnd, LVM_SETSELECTIONMARK, 0, iIndex); }
    DWORD GetExtendedStyle() const { return (DWORD)::SendMessage(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)::SendMessage(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
    // LVS_EX_CHECKBOXES: state image 2 is checked, 1 unchecked.
    BOOL GetCheck(int nItem) const { return (BOOL)((((UINT)::SendMessage(m_hWnd, LVM_GETITEMSTATE, nItem, LVIS_STATEIMAGEMASK)) >> 12) - 1); }
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE) { return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK); }
    DWORD GetView() const { return (DWORD)::SendMessage(m_hWnd, LVM_GETVIEW, 0, 0); }
    int SetView(int iView) { return (int)::SendMessage(m_hWnd, LVM_SETVIEW, iView, 0); }
    UINT GetNumberOfWorkAreas() const { UINT n = 0; ::SendMessage(m_hWnd, LVM_GETNUMBEROFWORKAREAS, 0, (LPARAM)&n); return n; }
    DWORD SetHoverTime(DWORD dwHoverTime = (DWORD)-1) { return (DWORD)::SendMessage(m_hWnd, LVM_SETHOVERTIME, 0, dwHoverTime); }
    DWORD GetHoverTime() const { return (DWORD)::SendMessage(m_hWnd, LVM_GETHOVERTIME, 0, 0); }
    CToolTipCtrl* GetToolTips() const { return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, LVM_GETTOOLTIPS, 0, 0)); }
    CToolTipCtrl* SetToolTips(CToolTipCtrl* pWndTip);

    // Operations
    int InsertItem(const LVITEM* pItem) { return (int)::SendMessage(m_hWnd, LVM_INSERTITEM, 0, (LPARAM)pItem); }
    int InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage) { return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0); }
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return (BOOL)::SendMessage(m_hWnd, LVM_DELETEITEM, nItem, 0); }
    BOOL DeleteAllItems() { return (BOOL)::SendMessage(m_hWnd, LVM_DELETEALLITEMS, 0, 0); }
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const { return (int)::SendMessage(m_hWnd, LVM_FINDITEM, nStart, (LPARAM)pFindInfo); }
    int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)::SendMessage(m_hWnd, LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    int HitTest(CPoint pt, UINT* pFlags = NULL) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo) { return (int)::SendMessage(m_hWnd, LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)::SendMessage(m_hWnd, LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0)); }
    BOOL Scroll(CSize size) { return (BOOL)::SendMessage(m_hWnd, LVM_SCROLL, size.cx, size.cy); }
    BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)::SendMessage(m_hWnd, LVM_REDRAWITEMS, nFirst, nLast); }
    BOOL Arrange(UINT nCode) { return (BOOL)::SendMessage(m_hWnd, LVM_ARRANGE, nCode, 0); }
    CEdit* EditLabel(int nItem) { return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, LVM_EDITLABEL, nItem, 0)); }
    int InsertColumn(int nCol, const LVCOLUMN* pColumn) { return (int)::SendMessage(m_hWnd, LVM_INSERTCOLUMN, nCol, (LPARAM)pColumn); }
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)::SendMessage(m_hWnd, LVM_DELETECOLUMN, nCol, 0); }
    CImageList* CreateDragImage(int nItem, LPPOINT lpPoint);
    BOOL Update(int nItem) { return (BOOL)::SendMessage(m_hWnd, LVM_UPDATE, nItem, 0); }
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)::SendMessage(m_hWnd, LVM_SORTITEMS, dwData, (LPARAM)pfnCompare); }
    BOOL SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)::SendMessage(m_hWnd, LVM_SORTITEMSEX, dwData, (LPARAM)pfnCompare); }
    BOOL ApproximateViewRect(CSize sz = CSize(-1, -1), int iCount = -1) const { return (BOOL)::SendMessage(m_hWnd, LVM_APPROXIMATEVIEWRECT, iCount, MAKELPARAM(sz.cx, sz.cy)); }

    // LVS_OWNERDRAWFIXED report views draw here (reflected WM_DRAWITEM).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { (void)lpDrawItemStruct; }

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

/////////////////////////////////////////////////////////////////////////////
// CTreeCtrl

class CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    CTreeCtrl() {}
    virtual ~CTreeCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Attributes
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    UINT GetCount() const { return (UINT)::SendMessage(m_hWnd, TVM_GETCOUNT, 0, 0); }
    UINT GetIndent() const { return (UINT)::SendMessage(m_hWnd, TVM_GETINDENT, 0, 0); }
    void SetIndent(UINT nIndent) { ::SendMessage(m_hWnd, TVM_SETINDENT, nIndent, 0); }
    CImageList* GetImageList(int nImageList) const { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TVM_GETIMAGELIST, nImageList, 0)); }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType) { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle())); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const { return (HTREEITEM)::SendMessage(m_hWnd, TVM_GETNEXTITEM, nCode, (LPARAM)hItem); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(NULL, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
    HTREEITEM GetLastVisibleItem() const { return GetNextItem(NULL, TVGN_LASTVISIBLE); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(NULL, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(NULL, TVGN_DROPHILITE); }
    HTREEITEM GetRootItem() const { return GetNextItem(NULL, TVGN_ROOT); }
    BOOL GetItem(TVITEM* pItem) const { return (BOOL)::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)pItem); }
    BOOL SetItem(TVITEM* pItem) { return (BOOL)::SendMessage(m_hWnd, TVM_SETITEM, 0, (LPARAM)pItem); }
    BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask, LPARAM lParam);
    CString GetItemText(HTREEITEM hItem) const;   // any length
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem) { return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0); }
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) { return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, NULL, nImage, nSelectedImage, 0, 0, 0); }
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const { return (UINT)::SendMessage(m_hWnd, TVM_GETITEMSTATE, (WPARAM)hItem, nStateMask); }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) { return SetItem(hItem, TVIF_STATE, NULL, 0, 0, nState, nStateMask, 0); }
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData) { return SetItem(hItem, TVIF_PARAM, NULL, 0, 0, 0, 0, (LPARAM)dwData); }
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    CEdit* GetEditControl() const { return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TVM_GETEDITCONTROL, 0, 0)); }
    UINT GetVisibleCount() const { return (UINT)::SendMessage(m_hWnd, TVM_GETVISIBLECOUNT, 0, 0); }
    CToolTipCtrl* GetToolTips() const { return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TVM_GETTOOLTIPS, 0, 0)); }
    CToolTipCtrl* SetToolTips(CToolTipCtrl* pWndTip);
    COLORREF GetBkColor() const { return (COLORREF)::SendMessage(m_hWnd, TVM_GETBKCOLOR, 0, 0); }
    COLORREF SetBkColor(COLORREF clr) { return (COLORREF)::SendMessage(m_hWnd, TVM_SETBKCOLOR, 0, (LPARAM)clr); }
    SHORT GetItemHeight() const { return (SHORT)::SendMessage(m_hWnd, TVM_GETITEMHEIGHT, 0, 0); }
    SHORT SetItemHeight(SHORT cyHeight) { return (SHORT)::SendMessage(m_hWnd, TVM_SETITEMHEIGHT, cyHeight, 0); }
    COLORREF GetTextColor() const { return (COLORREF)::SendMessage(m_hWnd, TVM_GETTEXTCOLOR, 0, 0); }
    COLORREF SetTextColor(COLORREF clr) { return (COLORREF)::SendMessage(m_hWnd, TVM_SETTEXTCOLOR, 0, (LPARAM)clr); }
    // TVS_CHECKBOXES: state image 2 is checked, 1 unchecked.
    BOOL GetCheck(HTREEITEM hItem) const { return (BOOL)((GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) - 1); }
    BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE) { return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK); }
    COLORREF GetLineColor() const { return (COLORREF)::SendMessage(m_hWnd, TVM_GETLINECOLOR, 0, 0); }
    COLORREF SetLineColor(COLORREF clrNew = CLR_DEFAULT) { return (COLORREF)::SendMessage(m_hWnd, TVM_SETLINECOLOR, 0, (LPARAM)clrNew); }
    UINT GetScrollTime() const { return (UINT)::SendMessage(m_hWnd, TVM_GETSCROLLTIME, 0, 0); }
    UINT SetScrollTime(UINT uScrollTime) { return (UINT)::SendMessage(m_hWnd, TVM_SETSCROLLTIME, uScrollTime, 0); }

    // Operations
    HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct) { return (HTREEITEM)::SendMessage(m_hWnd, TVM_INSERTITEM, 0, (LPARAM)lpInsertStruct); }
    HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST) { return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter); }
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST) { return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent, hInsertAfter); }
    BOOL DeleteItem(HTREEITEM hItem) { return (BOOL)::SendMessage(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)hItem); }
    BOOL DeleteAllItems() { return (BOOL)::SendMessage(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return (BOOL)::SendMessage(m_hWnd, TVM_EXPAND, nCode, (LPARAM)hItem); }
    BOOL Select(HTREEITEM hItem, UINT nCode) { return (BOOL)::SendMessage(m_hWnd, TVM_SELECTITEM, nCode, (LPARAM)hItem); }
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
    BOOL SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }
    CEdit* EditLabel(HTREEITEM hItem) { return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TVM_EDITLABEL, 0, (LPARAM)hItem)); }
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = NULL) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const { return (HTREEITEM)::SendMessage(m_hWnd, TVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    CImageList* CreateDragImage(HTREEITEM hItem);
    BOOL SortChildren(HTREEITEM hItem) { return (BOOL)::SendMessage(m_hWnd, TVM_SORTCHILDREN, 0, (LPARAM)hItem); }
    BOOL SortChildrenCB(LPTVSORTCB pSort) { return (BOOL)::SendMessage(m_hWnd, TVM_SORTCHILDRENCB, 0, (LPARAM)pSort); }
    BOOL EnsureVisible(HTREEITEM hItem) { return (BOOL)::SendMessage(m_hWnd, TVM_ENSUREVISIBLE, 0, (LPARAM)hItem); }
    BOOL SetInsertMark(HTREEITEM hItem, BOOL fAfter = TRUE) { return (BOOL)::SendMessage(m_hWnd, TVM_SETINSERTMARK, fAfter, (LPARAM)hItem); }
};

/////////////////////////////////////////////////////////////////////////////
// CComboBoxEx: a combo box whose items carry images and indents
// (COMBOBOXEXITEM). The string members of CComboBox do not apply to it.

class CComboBoxEx : public CComboBox
{
    DECLARE_DYNAMIC(CComboBoxEx)
public:
    CComboBoxEx() {}
    virtual ~CComboBoxEx() {}
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int InsertItem(const COMBOBOXEXITEM* pCBItem) { return (int)::SendMessage(m_hWnd, CBEM_INSERTITEM, 0, (LPARAM)pCBItem); }
    int DeleteItem(int iIndex) { return (int)::SendMessage(m_hWnd, CBEM_DELETEITEM, (WPARAM)iIndex, 0); }
    using CComboBox::DeleteItem;
    BOOL GetItem(COMBOBOXEXITEM* pCBItem) { return (BOOL)::SendMessage(m_hWnd, CBEM_GETITEM, 0, (LPARAM)pCBItem); }
    BOOL SetItem(const COMBOBOXEXITEM* pCBItem) { return (BOOL)::SendMessage(m_hWnd, CBEM_SETITEM, 0, (LPARAM)pCBItem); }
    BOOL HasEditChanged() { return (BOOL)::SendMessage(m_hWnd, CBEM_HASEDITCHANGED, 0, 0); }
    DWORD GetExtendedStyle() const { return (DWORD)::SendMessage(m_hWnd, CBEM_GETEXTENDEDSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwExMask, DWORD dwExStyles) { return (DWORD)::SendMessage(m_hWnd, CBEM_SETEXTENDEDSTYLE, dwExMask, dwExStyles); }
    CImageList* GetImageList() const { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, CBEM_GETIMAGELIST, 0, 0)); }
    CImageList* SetImageList(CImageList* pImageList) { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, CBEM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle())); }
    CComboBox* GetComboBoxCtrl() { return (CComboBox*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, CBEM_GETCOMBOCONTROL, 0, 0)); }
    CEdit* GetEditCtrl() { return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, CBEM_GETEDITCONTROL, 0, 0)); }
    // The text of an item, through CBEM_GETITEM.
    CString GetItemText(int iIndex);

private:
    // Strings go in as COMBOBOXEXITEMs (InsertItem); these would bypass the
    // item records.
    int Dir(UINT, LPCTSTR);
    int FindString(int, LPCTSTR) const;
    int AddString(LPCTSTR);
    BOOL SetEditSel(int, int);
    int InsertString(int, LPCTSTR);
};

/////////////////////////////////////////////////////////////////////////////
// CHeaderCtrl

class CHeaderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl() {}
    virtual ~CHeaderCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)::SendMessage(m_hWnd, HDM_GETITEMCOUNT, 0, 0); }
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const { return (BOOL)::SendMessage(m_hWnd, HDM_GETITEM, nPos, (LPARAM)pHeaderItem); }
    BOOL SetItem(int nPos, HDITEM* pHeaderItem) { return (BOOL)::SendMessage(m_hWnd, HDM_SETITEM, nPos, (LPARAM)pHeaderItem); }
    CImageList* GetImageList() const { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, HDM_GETIMAGELIST, 0, 0)); }
    CImageList* SetImageList(CImageList* pImageList) { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, HDM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle())); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, HDM_GETITEMRECT, nIndex, (LPARAM)lpRect); }
    BOOL GetOrderArray(LPINT piArray, int iCount = -1);
    BOOL SetOrderArray(int iCount, LPINT piArray) { return (BOOL)::SendMessage(m_hWnd, HDM_SETORDERARRAY, iCount, (LPARAM)piArray); }
    int OrderToIndex(int nOrder) const { return (int)::SendMessage(m_hWnd, HDM_ORDERTOINDEX, nOrder, 0); }
    int GetBitmapMargin() const { return (int)::SendMessage(m_hWnd, HDM_GETBITMAPMARGIN, 0, 0); }
    int SetBitmapMargin(int nWidth) { return (int)::SendMessage(m_hWnd, HDM_SETBITMAPMARGIN, nWidth, 0); }

    int InsertItem(int nPos, HDITEM* phdi) { return (int)::SendMessage(m_hWnd, HDM_INSERTITEM, nPos, (LPARAM)phdi); }
    BOOL DeleteItem(int nPos) { return (BOOL)::SendMessage(m_hWnd, HDM_DELETEITEM, nPos, 0); }
    BOOL Layout(HDLAYOUT* pHeaderLayout) { return (BOOL)::SendMessage(m_hWnd, HDM_LAYOUT, 0, (LPARAM)pHeaderLayout); }
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return (int)::SendMessage(m_hWnd, HDM_HITTEST, 0, (LPARAM)pHeaderHitTestInfo); }
    CImageList* CreateDragImage(int nIndex);
    int SetHotDivider(CPoint pt) { return (int)::SendMessage(m_hWnd, HDM_SETHOTDIVIDER, TRUE, MAKELPARAM(pt.x, pt.y)); }
    int SetHotDivider(int nIndex) { return (int)::SendMessage(m_hWnd, HDM_SETHOTDIVIDER, FALSE, nIndex); }

    // HDS / HDF_OWNERDRAW items draw here (reflected WM_DRAWITEM).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { (void)lpDrawItemStruct; }

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

/////////////////////////////////////////////////////////////////////////////
// CProgressCtrl

class CProgressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl() {}
    virtual ~CProgressCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper) { ::SendMessage(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
    void SetRange32(int nLower, int nUpper) { ::SendMessage(m_hWnd, PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const { return (int)::SendMessage(m_hWnd, PBM_GETPOS, 0, 0); }
    int SetPos(int nPos) { return (int)::SendMessage(m_hWnd, PBM_SETPOS, nPos, 0); }
    int OffsetPos(int nPos) { return (int)::SendMessage(m_hWnd, PBM_DELTAPOS, nPos, 0); }
    int SetStep(int nStep) { return (int)::SendMessage(m_hWnd, PBM_SETSTEP, nStep, 0); }
    int StepIt() { return (int)::SendMessage(m_hWnd, PBM_STEPIT, 0, 0); }
    COLORREF SetBarColor(COLORREF clrBar) { return (COLORREF)::SendMessage(m_hWnd, PBM_SETBARCOLOR, 0, (LPARAM)clrBar); }
    COLORREF SetBkColor(COLORREF clrNew) { return (COLORREF)::SendMessage(m_hWnd, PBM_SETBKCOLOR, 0, (LPARAM)clrNew); }
    BOOL SetMarquee(BOOL fMarqueeMode, int nInterval) { return (BOOL)::SendMessage(m_hWnd, PBM_SETMARQUEE, fMarqueeMode, nInterval); }
};

/////////////////////////////////////////////////////////////////////////////
// CSpinButtonCtrl (up-down control)

class CSpinButtonCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    CSpinButtonCtrl() {}
    virtual ~CSpinButtonCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL SetAccel(int nAccel, UDACCEL* pAccel) { return (BOOL)::SendMessage(m_hWnd, UDM_SETACCEL, nAccel, (LPARAM)pAccel); }
    UINT GetAccel(int nAccel, UDACCEL* pAccel) const { return (UINT)::SendMessage(m_hWnd, UDM_GETACCEL, nAccel, (LPARAM)pAccel); }
    int SetBase(int nBase) { return (int)::SendMessage(m_hWnd, UDM_SETBASE, nBase, 0); }
    UINT GetBase() const { return (UINT)::SendMessage(m_hWnd, UDM_GETBASE, 0, 0); }
    CWnd* SetBuddy(CWnd* pWndBuddy) { return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd(), 0)); }
    CWnd* GetBuddy() const { return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, UDM_GETBUDDY, 0, 0)); }
    // 16-bit position: the high word of the result is nonzero on error.
    int SetPos(int nPos) { return (short)LOWORD(::SendMessage(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(nPos, 0))); }
    int GetPos() const { return (int)::SendMessage(m_hWnd, UDM_GETPOS, 0, 0); }
    int SetPos32(int nPos) { return (int)::SendMessage(m_hWnd, UDM_SETPOS32, 0, (LPARAM)nPos); }
    int GetPos32(LPBOOL lpbError = NULL) const { return (int)::SendMessage(m_hWnd, UDM_GETPOS32, 0, (LPARAM)lpbError); }
    void SetRange(short nLower, short nUpper) { ::SendMessage(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
    void SetRange32(int nLower, int nUpper) { ::SendMessage(m_hWnd, UDM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
    DWORD GetRange() const { return (DWORD)::SendMessage(m_hWnd, UDM_GETRANGE, 0, 0); }
    void GetRange(int& lower, int& upper) const;
    void GetRange32(int& lower, int& upper) const { ::SendMessage(m_hWnd, UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper); }
};

/////////////////////////////////////////////////////////////////////////////
// CSliderCtrl (trackbar)

class CSliderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl() {}
    virtual ~CSliderCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetLineSize() const { return (int)::SendMessage(m_hWnd, TBM_GETLINESIZE, 0, 0); }
    int SetLineSize(int nSize) { return (int)::SendMessage(m_hWnd, TBM_SETLINESIZE, 0, nSize); }
    int GetPageSize() const { return (int)::SendMessage(m_hWnd, TBM_GETPAGESIZE, 0, 0); }
    int SetPageSize(int nSize) { return (int)::SendMessage(m_hWnd, TBM_SETPAGESIZE, 0, nSize); }
    int GetRangeMax() const { return (int)::SendMessage(m_hWnd, TBM_GETRANGEMAX, 0, 0); }
    int GetRangeMin() const { return (int)::SendMessage(m_hWnd, TBM_GETRANGEMIN, 0, 0); }
    void GetRange(int& nMin, int& nMax) const { nMin = GetRangeMin(); nMax = GetRangeMax(); }
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { ::SendMessage(m_hWnd, TBM_SETRANGEMIN, bRedraw, nMin); }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { ::SendMessage(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) { SetRangeMin(nMin, FALSE); SetRangeMax(nMax, bRedraw); }
    void GetSelection(int& nMin, int& nMax) const { nMin = (int)::SendMessage(m_hWnd, TBM_GETSELSTART, 0, 0); nMax = (int)::SendMessage(m_hWnd, TBM_GETSELEND, 0, 0); }
    void SetSelection(int nMin, int nMax) { ::SendMessage(m_hWnd, TBM_SETSEL, TRUE, MAKELPARAM(nMin, nMax)); }
    void GetChannelRect(LPRECT lprc) const { ::SendMessage(m_hWnd, TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
    void GetThumbRect(LPRECT lprc) const { ::SendMessage(m_hWnd, TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
    int GetPos() const { return (int)::SendMessage(m_hWnd, TBM_GETPOS, 0, 0); }
    void SetPos(int nPos) { ::SendMessage(m_hWnd, TBM_SETPOS, TRUE, nPos); }
    UINT GetNumTics() const { return (UINT)::SendMessage(m_hWnd, TBM_GETNUMTICS, 0, 0); }
    DWORD* GetTicArray() const { return (DWORD*)::SendMessage(m_hWnd, TBM_GETPTICS, 0, 0); }
    int GetTic(int nTic) const { return (int)::SendMessage(m_hWnd, TBM_GETTIC, nTic, 0); }
    int GetTicPos(int nTic) const { return (int)::SendMessage(m_hWnd, TBM_GETTICPOS, nTic, 0); }
    BOOL SetTic(int nTic) { return (BOOL)::SendMessage(m_hWnd, TBM_SETTIC, 0, nTic); }
    void SetTicFreq(int nFreq) { ::SendMessage(m_hWnd, TBM_SETTICFREQ, nFreq, 0); }
    CWnd* GetBuddy(BOOL fLocation = TRUE) const { return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TBM_GETBUDDY, fLocation, 0)); }
    CWnd* SetBuddy(CWnd* pWndBuddy, BOOL fLocation = TRUE) { return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TBM_SETBUDDY, fLocation, (LPARAM)pWndBuddy->GetSafeHwnd())); }
    CToolTipCtrl* GetToolTips() const { return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TBM_GETTOOLTIPS, 0, 0)); }
    void SetToolTips(CToolTipCtrl* pWndTip);
    int SetTipSide(int nLocation) { return (int)::SendMessage(m_hWnd, TBM_SETTIPSIDE, nLocation, 0); }
    void ClearSel(BOOL bRedraw = FALSE) { ::SendMessage(m_hWnd, TBM_CLEARSEL, bRedraw, 0); }
    void VerifyPos() { ::SendMessage(m_hWnd, TBM_SETPOS, FALSE, (LPARAM)GetPos()); }
    void ClearTics(BOOL bRedraw = FALSE) { ::SendMessage(m_hWnd, TBM_CLEARTICS, bRedraw, 0); }
};

/////////////////////////////////////////////////////////////////////////////
// CTabCtrl

class CTabCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() {}
    virtual ~CTabCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    CImageList* GetImageList() const { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TCM_GETIMAGELIST, 0, 0)); }
    CImageList* SetImageList(CImageList* pImageList) { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TCM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle())); }
    int GetItemCount() const { return (int)::SendMessage(m_hWnd, TCM_GETITEMCOUNT, 0, 0); }
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const { return (BOOL)::SendMessage(m_hWnd, TCM_GETITEM, nItem, (LPARAM)pTabCtrlItem); }
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem) { return (BOOL)::SendMessage(m_hWnd, TCM_SETITEM, nItem, (LPARAM)pTabCtrlItem); }
    BOOL SetItemExtra(int nBytes) { return (BOOL)::SendMessage(m_hWnd, TCM_SETITEMEXTRA, nBytes, 0); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, TCM_GETITEMRECT, nItem, (LPARAM)lpRect); }
    int GetCurSel() const { return (int)::SendMessage(m_hWnd, TCM_GETCURSEL, 0, 0); }
    int SetCurSel(int nItem) { return (int)::SendMessage(m_hWnd, TCM_SETCURSEL, nItem, 0); }
    int GetCurFocus() const { return (int)::SendMessage(m_hWnd, TCM_GETCURFOCUS, 0, 0); }
    void SetCurFocus(int nItem) { ::SendMessage(m_hWnd, TCM_SETCURFOCUS, nItem, 0); }
    CSize SetItemSize(CSize size) { return CSize((DWORD)::SendMessage(m_hWnd, TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy))); }
    void SetPadding(CSize size) { ::SendMessage(m_hWnd, TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int GetRowCount() const { return (int)::SendMessage(m_hWnd, TCM_GETROWCOUNT, 0, 0); }
    CToolTipCtrl* GetToolTips() const { return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TCM_GETTOOLTIPS, 0, 0)); }
    void SetToolTips(CToolTipCtrl* pWndTip);
    int SetMinTabWidth(int cx) { return (int)::SendMessage(m_hWnd, TCM_SETMINTABWIDTH, 0, cx); }
    DWORD GetExtendedStyle() const { return (DWORD)::SendMessage(m_hWnd, TCM_GETEXTENDEDSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwNewStyle, DWORD dwExMask = 0) { return (DWORD)::SendMessage(m_hWnd, TCM_SETEXTENDEDSTYLE, dwExMask, dwNewStyle); }

    BOOL InsertItem(int nItem, TCITEM* pTabCtrlItem) { return (BOOL)::SendMessage(m_hWnd, TCM_INSERTITEM, nItem, (LPARAM)pTabCtrlItem) != -1; }
    BOOL InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0); }
    BOOL InsertItem(int nItem, LPCTSTR lpszItem, int nImage) { return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0); }
    BOOL InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam);
    BOOL InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam, DWORD dwState, DWORD dwStateMask);
    BOOL DeleteItem(int nItem) { return (BOOL)::SendMessage(m_hWnd, TCM_DELETEITEM, nItem, 0); }
    BOOL DeleteAllItems() { return (BOOL)::SendMessage(m_hWnd, TCM_DELETEALLITEMS, 0, 0); }
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { ::SendMessage(m_hWnd, TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
    void RemoveImage(int nImage) { ::SendMessage(m_hWnd, TCM_REMOVEIMAGE, nImage, 0); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)::SendMessage(m_hWnd, TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    void DeselectAll(BOOL fExcludeFocus) { ::SendMessage(m_hWnd, TCM_DESELECTALL, fExcludeFocus, 0); }
    BOOL HighlightItem(int idItem, BOOL fHighlight = TRUE) { return (BOOL)::SendMessage(m_hWnd, TCM_HIGHLIGHTITEM, idItem, MAKELPARAM(fHighlight, 0)); }

    // TCS_OWNERDRAWFIXED tabs draw here (reflected WM_DRAWITEM).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { (void)lpDrawItemStruct; }

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

/////////////////////////////////////////////////////////////////////////////
// CToolTipCtrl

// A TOOLINFO with room for the text GetToolInfo copies back.
class CToolInfo : public TOOLINFO
{
public:
    TCHAR szText[256];
};

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() {}
    virtual ~CToolTipCtrl() {}
    // A pop-up owned by pParentWnd; dwStyle adds TTS_ styles.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwStyle = 0, DWORD dwStyleEx = 0);

    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    BOOL GetToolInfo(CToolInfo& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(LPTOOLINFO lpToolInfo) { ::SendMessage(m_hWnd, TTM_SETTOOLINFO, 0, (LPARAM)lpToolInfo); }
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    int GetToolCount() const { return (int)::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
    int GetDelayTime(DWORD dwDuration) const { return (int)::SendMessage(m_hWnd, TTM_GETDELAYTIME, dwDuration, 0); }
    void SetDelayTime(DWORD dwDuration, int iTime) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    void SetDelayTime(UINT nDelay) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(nDelay, 0)); }
    void GetMargin(LPRECT lprc) const { ::SendMessage(m_hWnd, TTM_GETMARGIN, 0, (LPARAM)lprc); }
    void SetMargin(LPRECT lprc) { ::SendMessage(m_hWnd, TTM_SETMARGIN, 0, (LPARAM)lprc); }
    int GetMaxTipWidth() const { return (int)::SendMessage(m_hWnd, TTM_GETMAXTIPWIDTH, 0, 0); }
    int SetMaxTipWidth(int iWidth) { return (int)::SendMessage(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth); }
    COLORREF GetTipBkColor() const { return (COLORREF)::SendMessage(m_hWnd, TTM_GETTIPBKCOLOR, 0, 0); }
    void SetTipBkColor(COLORREF clr) { ::SendMessage(m_hWnd, TTM_SETTIPBKCOLOR, clr, 0); }
    COLORREF GetTipTextColor() const { return (COLORREF)::SendMessage(m_hWnd, TTM_GETTIPTEXTCOLOR, 0, 0); }
    void SetTipTextColor(COLORREF clr) { ::SendMessage(m_hWnd, TTM_SETTIPTEXTCOLOR, clr, 0); }
    BOOL SetTitle(UINT uIcon, LPCTSTR lpszTitle) { return (BOOL)::SendMessage(m_hWnd, TTM_SETTITLE, uIcon, (LPARAM)lpszTitle); }

    void Activate(BOOL bActivate) { ::SendMessage(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
    // A tool is a window (nIDTool 0: the whole window, by handle) or a
    // rectangle of a window (nIDTool != 0). The text may be a string id.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const;
    void RelayEvent(LPMSG lpMsg) { ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void Update() { ::SendMessage(m_hWnd, TTM_UPDATE, 0, 0); }
    void Pop() { ::SendMessage(m_hWnd, TTM_POP, 0, 0); }
    BOOL AdjustRect(LPRECT lprc, BOOL bLarger = TRUE) { return (BOOL)::SendMessage(m_hWnd, TTM_ADJUSTRECT, bLarger, (LPARAM)lprc); }

    void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

/////////////////////////////////////////////////////////////////////////////
// CRichEditCtrl (rich edit 2.0, "RichEdit20A")

class CRichEditCtrl : public CWnd
{
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    CRichEditCtrl() {}
    virtual ~CRichEditCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Attributes
    BOOL CanUndo() const { return (BOOL)::SendMessage(m_hWnd, EM_CANUNDO, 0, 0); }
    BOOL CanRedo() const { return (BOOL)::SendMessage(m_hWnd, EM_CANREDO, 0, 0); }
    UNDONAMEID GetUndoName() const { return (UNDONAMEID)::SendMessage(m_hWnd, EM_GETUNDONAME, 0, 0); }
    UNDONAMEID GetRedoName() const { return (UNDONAMEID)::SendMessage(m_hWnd, EM_GETREDONAME, 0, 0); }
    int GetLineCount() const { return (int)::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0); }
    BOOL GetModify() const { return (BOOL)::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL bModified = TRUE) { ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0); }
    BOOL SetTextMode(UINT fMode) { return !::SendMessage(m_hWnd, EM_SETTEXTMODE, fMode, 0); }
    UINT GetTextMode() const { return (UINT)::SendMessage(m_hWnd, EM_GETTEXTMODE, 0, 0); }
    void GetRect(LPRECT lpRect) const { ::SendMessage(m_hWnd, EM_GETRECT, 0, (LPARAM)lpRect); }
    CPoint GetCharPos(long lChar) const { POINTL pt = {0, 0}; ::SendMessage(m_hWnd, EM_POSFROMCHAR, (WPARAM)&pt, lChar); return CPoint((int)pt.x, (int)pt.y); }
    UINT GetOptions() const { return (UINT)::SendMessage(m_hWnd, EM_GETOPTIONS, 0, 0); }
    void SetOptions(WORD wOp, DWORD dwFlags) { ::SendMessage(m_hWnd, EM_SETOPTIONS, wOp, dwFlags); }
    BOOL SetAutoURLDetect(BOOL bEnable = TRUE) { return !::SendMessage(m_hWnd, EM_AUTOURLDETECT, bEnable, 0); }
    int GetLine(int nIndex, LPTSTR lpszBuffer) const { return (int)::SendMessage(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer); }
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
    BOOL CanPaste(UINT nFormat = 0) const { return (BOOL)::SendMessage(m_hWnd, EM_CANPASTE, nFormat, 0); }
    void GetSel(long& nStartChar, long& nEndChar) const;
    void GetSel(CHARRANGE& cr) const { ::SendMessage(m_hWnd, EM_EXGETSEL, 0, (LPARAM)&cr); }
    void LimitText(long nChars = 0) { ::SendMessage(m_hWnd, EM_EXLIMITTEXT, 0, nChars); }
    long GetLimitText() const { return (long)::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0); }
    long LineFromChar(long nIndex) const { return (long)::SendMessage(m_hWnd, EM_EXLINEFROMCHAR, 0, nIndex); }
    CPoint PosFromChar(UINT nChar) const { POINTL pt = {0, 0}; ::SendMessage(m_hWnd, EM_POSFROMCHAR, (WPARAM)&pt, nChar); return CPoint((int)pt.x, (int)pt.y); }
    int CharFromPos(CPoint pt) const { POINTL ptl = {pt.x, pt.y}; return (int)::SendMessage(m_hWnd, EM_CHARFROMPOS, 0, (LPARAM)&ptl); }
    void SetSel(long nStartChar, long nEndChar) { CHARRANGE cr = {nStartChar, nEndChar}; ::SendMessage(m_hWnd, EM_EXSETSEL, 0, (LPARAM)&cr); }
    void SetSel(CHARRANGE& cr) { ::SendMessage(m_hWnd, EM_EXSETSEL, 0, (LPARAM)&cr); }
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const { cf.cbSize = sizeof(CHARFORMAT); return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf); }
    DWORD GetDefaultCharFormat(CHARFORMAT2& cf) const { cf.cbSize = sizeof(CHARFORMAT2); return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf); }
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const { cf.cbSize = sizeof(CHARFORMAT); return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf); }
    DWORD GetSelectionCharFormat(CHARFORMAT2& cf) const { cf.cbSize = sizeof(CHARFORMAT2); return (DWORD)::SendMessage(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf); }
    long GetEventMask() const { return (long)::SendMessage(m_hWnd, EM_GETEVENTMASK, 0, 0); }
    DWORD GetParaFormat(PARAFORMAT& pf) const { pf.cbSize = sizeof(PARAFORMAT); return (DWORD)::SendMessage(m_hWnd, EM_GETPARAFORMAT, 0, (LPARAM)&pf); }
    DWORD GetParaFormat(PARAFORMAT2& pf) const { pf.cbSize = sizeof(PARAFORMAT2); return (DWORD)::SendMessage(m_hWnd, EM_GETPARAFORMAT, 0, (LPARAM)&pf); }
    long GetSelText(LPSTR lpBuf) const { return (long)::SendMessage(m_hWnd, EM_GETSELTEXT, 0, (LPARAM)lpBuf); }
    CString GetSelText() const;
    WORD GetSelectionType() const { return (WORD)::SendMessage(m_hWnd, EM_SELECTIONTYPE, 0, 0); }
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr) { return (COLORREF)::SendMessage(m_hWnd, EM_SETBKGNDCOLOR, bSysColor, cr); }
    BOOL SetDefaultCharFormat(CHARFORMAT& cf) { cf.cbSize = sizeof(CHARFORMAT); return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf); }
    BOOL SetDefaultCharFormat(CHARFORMAT2& cf) { cf.cbSize = sizeof(CHARFORMAT2); return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf); }
    BOOL SetSelectionCharFormat(CHARFORMAT& cf) { cf.cbSize = sizeof(CHARFORMAT); return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf); }
    BOOL SetSelectionCharFormat(CHARFORMAT2& cf) { cf.cbSize = sizeof(CHARFORMAT2); return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf); }
    BOOL SetWordCharFormat(CHARFORMAT& cf) { cf.cbSize = sizeof(CHARFORMAT); return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, (LPARAM)&cf); }
    BOOL SetWordCharFormat(CHARFORMAT2& cf) { cf.cbSize = sizeof(CHARFORMAT2); return (BOOL)::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, (LPARAM)&cf); }
    DWORD SetEventMask(DWORD dwEventMask) { return (DWORD)::SendMessage(m_hWnd, EM_SETEVENTMASK, 0, dwEventMask); }
    BOOL SetParaFormat(PARAFORMAT& pf) { pf.cbSize = sizeof(PARAFORMAT); return (BOOL)::SendMessage(m_hWnd, EM_SETPARAFORMAT, 0, (LPARAM)&pf); }
    BOOL SetParaFormat(PARAFORMAT2& pf) { pf.cbSize = sizeof(PARAFORMAT2); return (BOOL)::SendMessage(m_hWnd, EM_SETPARAFORMAT, 0, (LPARAM)&pf); }
    BOOL SetTargetDevice(HDC hDC, long lLineWidth) { return (BOOL)::SendMessage(m_hWnd, EM_SETTARGETDEVICE, (WPARAM)hDC, lLineWidth); }
    long GetTextLength() const { return (long)::SendMessage(m_hWnd, WM_GETTEXTLENGTH, 0, 0); }
    long GetTextLengthEx(DWORD dwFlags, UINT uCodePage = CP_ACP) const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
    int GetFirstVisibleLine() const { return (int)::SendMessage(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0); }
    int GetTextRange(int nFirst, int nLast, CString& refString) const;

    // Operations
    void EmptyUndoBuffer() { ::SendMessage(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0); }
    void StopGroupTyping() { ::SendMessage(m_hWnd, EM_STOPGROUPTYPING, 0, 0); }
    UINT SetUndoLimit(UINT nLimit) { return (UINT)::SendMessage(m_hWnd, EM_SETUNDOLIMIT, nLimit, 0); }
    int LineIndex(int nLine = -1) const { return (int)::SendMessage(m_hWnd, EM_LINEINDEX, nLine, 0); }
    int LineLength(int nLine = -1) const { return (int)::SendMessage(m_hWnd, EM_LINELENGTH, nLine, 0); }
    void LineScroll(int nLines, int nChars = 0) { ::SendMessage(m_hWnd, EM_LINESCROLL, nChars, nLines); }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE) { ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText); }
    void SetRect(LPCRECT lpRect) { ::SendMessage(m_hWnd, EM_SETRECT, 0, (LPARAM)lpRect); }
    BOOL DisplayBand(LPRECT pDisplayRect) { return (BOOL)::SendMessage(m_hWnd, EM_DISPLAYBAND, 0, (LPARAM)pDisplayRect); }
    long FindText(DWORD dwFlags, FINDTEXTEX* pFindText) const { return (long)::SendMessage(m_hWnd, EM_FINDTEXTEX, dwFlags, (LPARAM)pFindText); }
    long FormatRange(FORMATRANGE* pfr, BOOL bDisplay = TRUE) { return (long)::SendMessage(m_hWnd, EM_FORMATRANGE, bDisplay, (LPARAM)pfr); }
    void HideSelection(BOOL bHide, BOOL bPerm) { ::SendMessage(m_hWnd, EM_HIDESELECTION, bHide, bPerm); }
    void PasteSpecial(UINT nClipFormat, DWORD dvAspect = 0, HMETAFILE hMF = 0);
    void RequestResize() { ::SendMessage(m_hWnd, EM_REQUESTRESIZE, 0, 0); }
    // Reads (EM_STREAMIN) or writes (EM_STREAMOUT) the text through the
    // callback in es; nFormat is SF_TEXT or SF_RTF, optionally | SFF_SELECTION.
    long StreamIn(int nFormat, EDITSTREAM& es) { return (long)::SendMessage(m_hWnd, EM_STREAMIN, nFormat, (LPARAM)&es); }
    long StreamOut(int nFormat, EDITSTREAM& es) { return (long)::SendMessage(m_hWnd, EM_STREAMOUT, nFormat, (LPARAM)&es); }

    // Clipboard and undo
    BOOL Undo() { return (BOOL)::SendMessage(m_hWnd, EM_UNDO, 0, 0); }
    BOOL Redo() { return (BOOL)::SendMessage(m_hWnd, EM_REDO, 0, 0); }
    void Clear() { ::SendMessage(m_hWnd, WM_CLEAR, 0, 0); }
    void Copy() { ::SendMessage(m_hWnd, WM_COPY, 0, 0); }
    void Cut() { ::SendMessage(m_hWnd, WM_CUT, 0, 0); }
    void Paste() { ::SendMessage(m_hWnd, WM_PASTE, 0, 0); }
};

/////////////////////////////////////////////////////////////////////////////
// CHotKeyCtrl

class CHotKeyCtrl : public CWnd
{
    DECLARE_DYNAMIC(CHotKeyCtrl)
public:
    CHotKeyCtrl() {}
    virtual ~CHotKeyCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Virtual key in the low byte, HOTKEYF_ modifiers in the next.
    void SetHotKey(WORD wVirtualKeyCode, WORD wModifiers) { ::SendMessage(m_hWnd, HKM_SETHOTKEY, MAKEWORD(wVirtualKeyCode, wModifiers), 0); }
    DWORD GetHotKey() const { return (DWORD)::SendMessage(m_hWnd, HKM_GETHOTKEY, 0, 0); }
    void GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const { DWORD dw = GetHotKey(); wVirtualKeyCode = LOBYTE(LOWORD(dw)); wModifiers = HIBYTE(LOWORD(dw)); }
    void SetRules(WORD wInvalidComb, WORD wModifiers) { ::SendMessage(m_hWnd, HKM_SETRULES, wInvalidComb, MAKELPARAM(wModifiers, 0)); }
    // "Ctrl + Shift + Alt + Key" in the keyboard's own key names.
    CString GetHotKeyName() const;
    static CString PASCAL GetKeyName(UINT vk, BOOL fExtended);
};

/////////////////////////////////////////////////////////////////////////////
// CDateTimeCtrl and CMonthCalCtrl

class CDateTimeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    CDateTimeCtrl() {}
    virtual ~CDateTimeCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    COLORREF GetMonthCalColor(int iColor) const { return (COLORREF)::SendMessage(m_hWnd, DTM_GETMCCOLOR, iColor, 0); }
    COLORREF SetMonthCalColor(int iColor, COLORREF ref) { return (COLORREF)::SendMessage(m_hWnd, DTM_SETMCCOLOR, iColor, ref); }
    BOOL SetFormat(LPCTSTR pstrFormat) { return (BOOL)::SendMessage(m_hWnd, DTM_SETFORMAT, 0, (LPARAM)pstrFormat); }
    CMonthCalCtrl* GetMonthCalCtrl() const { return (CMonthCalCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, DTM_GETMONTHCAL, 0, 0)); }
    CFont* GetMonthCalFont() const { return CFont::FromHandle((HFONT)::SendMessage(m_hWnd, DTM_GETMCFONT, 0, 0)); }
    void SetMonthCalFont(HFONT hFont, BOOL bRedraw = TRUE) { ::SendMessage(m_hWnd, DTM_SETMCFONT, (WPARAM)hFont, MAKELPARAM(bRedraw, 0)); }

    // SetTime with a null or invalid time clears the control (DTS_SHOWNONE).
    BOOL SetTime(const COleDateTime& timeNew);
    BOOL SetTime(const CTime* pTimeNew);
    BOOL SetTime(LPSYSTEMTIME pTimeNew = NULL);
    // GetTime returns GDT_VALID or GDT_NONE (COleDateTime form: success).
    BOOL GetTime(COleDateTime& timeDest) const;
    DWORD GetTime(CTime& timeDest) const;
    DWORD GetTime(LPSYSTEMTIME pTimeDest) const { return (DWORD)::SendMessage(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)pTimeDest); }
    // NULL limits are left open.
    BOOL SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange);
    BOOL SetRange(const CTime* pMinRange, const CTime* pMaxRange);
    DWORD GetRange(COleDateTime* pMinRange, COleDateTime* pMaxRange) const;
    DWORD GetRange(CTime* pMinRange, CTime* pMaxRange) const;
};

class CMonthCalCtrl : public CWnd
{
    DECLARE_DYNAMIC(CMonthCalCtrl)
public:
    CMonthCalCtrl() {}
    virtual ~CMonthCalCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL GetMinReqRect(RECT* pRect) const { return (BOOL)::SendMessage(m_hWnd, MCM_GETMINREQRECT, 0, (LPARAM)pRect); }
    int SetMonthDelta(int iDelta) { return (int)::SendMessage(m_hWnd, MCM_SETMONTHDELTA, iDelta, 0); }
    int GetMonthDelta() const { return (int)::SendMessage(m_hWnd, MCM_GETMONTHDELTA, 0, 0); }
    int GetMaxSelCount() const { return (int)::SendMessage(m_hWnd, MCM_GETMAXSELCOUNT, 0, 0); }
    BOOL SetMaxSelCount(int nMax) { return (BOOL)::SendMessage(m_hWnd, MCM_SETMAXSELCOUNT, nMax, 0); }
    COLORREF GetColor(int nRegion) const { return (COLORREF)::SendMessage(m_hWnd, MCM_GETCOLOR, nRegion, 0); }
    COLORREF SetColor(int nRegion, COLORREF ref) { return (COLORREF)::SendMessage(m_hWnd, MCM_SETCOLOR, nRegion, ref); }

    BOOL GetCurSel(LPSYSTEMTIME pDateTime) const { return (BOOL)::SendMessage(m_hWnd, MCM_GETCURSEL, 0, (LPARAM)pDateTime); }
    BOOL GetCurSel(CTime& refDateTime) const;
    BOOL GetCurSel(COleDateTime& refDateTime) const;
    BOOL SetCurSel(const LPSYSTEMTIME pDateTime) { return (BOOL)::SendMessage(m_hWnd, MCM_SETCURSEL, 0, (LPARAM)pDateTime); }
    BOOL SetCurSel(const CTime& refDateTime);
    BOOL SetCurSel(const COleDateTime& refDateTime);
    BOOL GetToday(LPSYSTEMTIME pDateTime) const { return (BOOL)::SendMessage(m_hWnd, MCM_GETTODAY, 0, (LPARAM)pDateTime); }
    void SetToday(const LPSYSTEMTIME pDateTime) { ::SendMessage(m_hWnd, MCM_SETTODAY, 0, (LPARAM)pDateTime); }
    BOOL SetRange(const LPSYSTEMTIME pMinRange, const LPSYSTEMTIME pMaxRange);
    BOOL SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange);
    BOOL SetRange(const CTime* pMinRange, const CTime* pMaxRange);
    DWORD HitTest(PMCHITTESTINFO pMCHitTest) { return (DWORD)::SendMessage(m_hWnd, MCM_HITTEST, 0, (LPARAM)pMCHitTest); }
};

/////////////////////////////////////////////////////////////////////////////
// CToolBarCtrl

class CToolBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    CToolBarCtrl() {}
    virtual ~CToolBarCtrl() {}
    // Also tells the control the size of TBBUTTON.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Button states by command id
    BOOL IsButtonEnabled(int nID) const { return (BOOL)::SendMessage(m_hWnd, TB_ISBUTTONENABLED, nID, 0); }
    BOOL IsButtonChecked(int nID) const { return (BOOL)::SendMessage(m_hWnd, TB_ISBUTTONCHECKED, nID, 0); }
    BOOL IsButtonPressed(int nID) const { return (BOOL)::SendMessage(m_hWnd, TB_ISBUTTONPRESSED, nID, 0); }
    BOOL IsButtonHidden(int nID) const { return (BOOL)::SendMessage(m_hWnd, TB_ISBUTTONHIDDEN, nID, 0); }
    BOOL IsButtonIndeterminate(int nID) const { return (BOOL)::SendMessage(m_hWnd, TB_ISBUTTONINDETERMINATE, nID, 0); }
    BOOL IsButtonHighlighted(int nID) const { return (BOOL)::SendMessage(m_hWnd, TB_ISBUTTONHIGHLIGHTED, nID, 0); }
    BOOL SetState(int nID, UINT nState) { return (BOOL)::SendMessage(m_hWnd, TB_SETSTATE, nID, MAKELPARAM(nState, 0)); }
    int GetState(int nID) const { return (int)::SendMessage(m_hWnd, TB_GETSTATE, nID, 0); }
    BOOL EnableButton(int nID, BOOL bEnable = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0)); }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0)); }
    BOOL PressButton(int nID, BOOL bPress = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_PRESSBUTTON, nID, MAKELPARAM(bPress, 0)); }
    BOOL HideButton(int nID, BOOL bHide = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_HIDEBUTTON, nID, MAKELPARAM(bHide, 0)); }
    BOOL Indeterminate(int nID, BOOL bIndeterminate = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_INDETERMINATE, nID, MAKELPARAM(bIndeterminate, 0)); }
    BOOL MarkButton(int nID, BOOL fHighlight = TRUE) { return (BOOL)::SendMessage(m_hWnd, TB_MARKBUTTON, nID, MAKELPARAM(fHighlight, 0)); }

    // Buttons by index
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const { return (BOOL)::SendMessage(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)lpButton); }
    int GetButtonCount() const { return (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, TB_GETITEMRECT, nIndex, (LPARAM)lpRect); }
    BOOL GetRect(int nID, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, TB_GETRECT, nID, (LPARAM)lpRect); }
    void SetButtonStructSize(int nSize) { ::SendMessage(m_hWnd, TB_BUTTONSTRUCTSIZE, nSize, 0); }
    BOOL SetButtonSize(CSize size) { return (BOOL)::SendMessage(m_hWnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    BOOL SetBitmapSize(CSize size) { return (BOOL)::SendMessage(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
    CSize GetButtonSize() const { return CSize((DWORD)::SendMessage(m_hWnd, TB_GETBUTTONSIZE, 0, 0)); }
    CToolTipCtrl* GetToolTips() const { return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TB_GETTOOLTIPS, 0, 0)); }
    void SetToolTips(CToolTipCtrl* pTip);
    void SetOwner(CWnd* pWnd) { ::SendMessage(m_hWnd, TB_SETPARENT, (WPARAM)pWnd->GetSafeHwnd(), 0); }
    void SetRows(int nRows, BOOL bLarger, LPRECT lpRect) { ::SendMessage(m_hWnd, TB_SETROWS, MAKEWPARAM(nRows, bLarger), (LPARAM)lpRect); }
    int GetRows() const { return (int)::SendMessage(m_hWnd, TB_GETROWS, 0, 0); }
    BOOL SetCmdID(int nIndex, UINT nID) { return (BOOL)::SendMessage(m_hWnd, TB_SETCMDID, nIndex, nID); }
    UINT GetBitmapFlags() const { return (UINT)::SendMessage(m_hWnd, TB_GETBITMAPFLAGS, 0, 0); }
    CImageList* GetDisabledImageList() const { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TB_GETDISABLEDIMAGELIST, 0, 0)); }
    CImageList* GetHotImageList() const { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TB_GETHOTIMAGELIST, 0, 0)); }
    CImageList* GetImageList() const { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TB_GETIMAGELIST, 0, 0)); }
    CImageList* SetDisabledImageList(CImageList* pImageList) { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TB_SETDISABLEDIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle())); }
    CImageList* SetHotImageList(CImageList* pImageList) { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TB_SETHOTIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle())); }
    CImageList* SetImageList(CImageList* pImageList) { return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TB_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle())); }
    DWORD GetStyle() const { return (DWORD)::SendMessage(m_hWnd, TB_GETSTYLE, 0, 0); }
    void SetStyle(DWORD dwStyle) { ::SendMessage(m_hWnd, TB_SETSTYLE, 0, dwStyle); }
    int GetHotItem() const { return (int)::SendMessage(m_hWnd, TB_GETHOTITEM, 0, 0); }
    int SetHotItem(int nHot) { return (int)::SendMessage(m_hWnd, TB_SETHOTITEM, nHot, 0); }
    BOOL SetIndent(int iIndent) { return (BOOL)::SendMessage(m_hWnd, TB_SETINDENT, iIndent, 0); }
    BOOL SetMaxTextRows(int iMaxRows) { return (BOOL)::SendMessage(m_hWnd, TB_SETMAXTEXTROWS, iMaxRows, 0); }
    DWORD GetExtendedStyle() const { return (DWORD)::SendMessage(m_hWnd, TB_GETEXTENDEDSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwExStyle) { return (DWORD)::SendMessage(m_hWnd, TB_SETEXTENDEDSTYLE, 0, dwExStyle); }
    DWORD SetDrawTextFlags(DWORD dwMask, DWORD dwDTFlags) { return (DWORD)::SendMessage(m_hWnd, TB_SETDRAWTEXTFLAGS, dwMask, dwDTFlags); }
    BOOL GetMaxSize(LPSIZE pSize) const { return (BOOL)::SendMessage(m_hWnd, TB_GETMAXSIZE, 0, (LPARAM)pSize); }
    // pButtonInfo->cbSize and dwMask are the caller's; -1 when the id is unknown.
    int GetButtonInfo(int nID, TBBUTTONINFO* ptbbi) const { return (int)::SendMessage(m_hWnd, TB_GETBUTTONINFO, nID, (LPARAM)ptbbi); }
    BOOL SetButtonInfo(int nID, TBBUTTONINFO* ptbbi) { return (BOOL)::SendMessage(m_hWnd, TB_SETBUTTONINFO, nID, (LPARAM)ptbbi); }
    BOOL SetButtonWidth(int cxMin, int cxMax) { return (BOOL)::SendMessage(m_hWnd, TB_SETBUTTONWIDTH, 0, MAKELPARAM(cxMin, cxMax)); }
    DWORD GetPadding() const { return (DWORD)::SendMessage(m_hWnd, TB_GETPADDING, 0, 0); }
    DWORD SetPadding(int cx, int cy) { return (DWORD)::SendMessage(m_hWnd, TB_SETPADDING, 0, MAKELPARAM(cx, cy)); }

    // Operations
    BOOL EnableButtonRange(int nFirst, int nLast, BOOL bEnable);
    int AddBitmap(int nNumButtons, UINT nBitmapID);
    int AddBitmap(int nNumButtons, CBitmap* pBitmap);
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons) { return (BOOL)::SendMessage(m_hWnd, TB_ADDBUTTONS, nNumButtons, (LPARAM)lpButtons); }
    BOOL InsertButton(int nIndex, LPTBBUTTON lpButton) { return (BOOL)::SendMessage(m_hWnd, TB_INSERTBUTTON, nIndex, (LPARAM)lpButton); }
    BOOL DeleteButton(int nIndex) { return (BOOL)::SendMessage(m_hWnd, TB_DELETEBUTTON, nIndex, 0); }
    BOOL MoveButton(UINT nOldPos, UINT nNewPos) { return (BOOL)::SendMessage(m_hWnd, TB_MOVEBUTTON, nOldPos, nNewPos); }
    UINT CommandToIndex(UINT nID) const { return (UINT)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nID, 0); }
    int AddString(UINT nStringID) { return (int)::SendMessage(m_hWnd, TB_ADDSTRING, (WPARAM)AfxFindResourceHandle(MAKEINTRESOURCE((nStringID >> 4) + 1), RT_STRING), nStringID); }
    // A sequence of NUL-terminated strings ending with an empty one.
    int AddStrings(LPCTSTR lpszStrings) { return (int)::SendMessage(m_hWnd, TB_ADDSTRING, 0, (LPARAM)lpszStrings); }
    void AutoSize() { ::SendMessage(m_hWnd, TB_AUTOSIZE, 0, 0); }
    void Customize() { ::SendMessage(m_hWnd, TB_CUSTOMIZE, 0, 0); }
    void SaveState(HKEY hKeyRoot, LPCTSTR lpszSubKey, LPCTSTR lpszValueName);
    void RestoreState(HKEY hKeyRoot, LPCTSTR lpszSubKey, LPCTSTR lpszValueName);
    int HitTest(LPPOINT ppt) const { return (int)::SendMessage(m_hWnd, TB_HITTEST, 0, (LPARAM)ppt); }
    void LoadImages(int iBitmapID, HINSTANCE hinst) { ::SendMessage(m_hWnd, TB_LOADIMAGES, iBitmapID, (LPARAM)hinst); }
    BOOL MapAccelerator(TCHAR chAccel, UINT* pIDBtn) { return (BOOL)::SendMessage(m_hWnd, TB_MAPACCELERATOR, (WPARAM)(BYTE)chAccel, (LPARAM)pIDBtn); }
    void GetInsertMark(TBINSERTMARK* ptbim) const { ::SendMessage(m_hWnd, TB_GETINSERTMARK, 0, (LPARAM)ptbim); }
    void SetInsertMark(TBINSERTMARK* ptbim) { ::SendMessage(m_hWnd, TB_SETINSERTMARK, 0, (LPARAM)ptbim); }
};

/////////////////////////////////////////////////////////////////////////////
// CReBarCtrl

class CReBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CReBarCtrl)
public:
    CReBarCtrl() {}
    virtual ~CReBarCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // REBARBANDINFO::cbSize is the caller's (the V6 size on every target works).
    UINT GetBandCount() const { return (UINT)::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0); }
    BOOL GetBandInfo(UINT uBand, REBARBANDINFO* prbbi) const { return (BOOL)::SendMessage(m_hWnd, RB_GETBANDINFO, uBand, (LPARAM)prbbi); }
    BOOL SetBandInfo(UINT uBand, REBARBANDINFO* prbbi) { return (BOOL)::SendMessage(m_hWnd, RB_SETBANDINFO, uBand, (LPARAM)prbbi); }
    UINT GetBarHeight() const { return (UINT)::SendMessage(m_hWnd, RB_GETBARHEIGHT, 0, 0); }
    BOOL GetBarInfo(REBARINFO* prbi) const { return (BOOL)::SendMessage(m_hWnd, RB_GETBARINFO, 0, (LPARAM)prbi); }
    BOOL SetBarInfo(REBARINFO* prbi) { return (BOOL)::SendMessage(m_hWnd, RB_SETBARINFO, 0, (LPARAM)prbi); }
    COLORREF GetBkColor() const { return (COLORREF)::SendMessage(m_hWnd, RB_GETBKCOLOR, 0, 0); }
    COLORREF SetBkColor(COLORREF clr) { return (COLORREF)::SendMessage(m_hWnd, RB_SETBKCOLOR, 0, (LPARAM)clr); }
    COLORREF GetTextColor() const { return (COLORREF)::SendMessage(m_hWnd, RB_GETTEXTCOLOR, 0, 0); }
    COLORREF SetTextColor(COLORREF clr) { return (COLORREF)::SendMessage(m_hWnd, RB_SETTEXTCOLOR, 0, (LPARAM)clr); }
    CWnd* SetOwner(CWnd* pWnd) { return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, RB_SETPARENT, (WPARAM)pWnd->GetSafeHwnd(), 0)); }
    UINT GetRowCount() const { return (UINT)::SendMessage(m_hWnd, RB_GETROWCOUNT, 0, 0); }
    UINT GetRowHeight(UINT uRow) const { return (UINT)::SendMessage(m_hWnd, RB_GETROWHEIGHT, uRow, 0); }
    BOOL GetRect(UINT uBand, LPRECT prc) const { return (BOOL)::SendMessage(m_hWnd, RB_GETRECT, uBand, (LPARAM)prc); }
    void GetBandBorders(UINT uBand, LPRECT prc) const { ::SendMessage(m_hWnd, RB_GETBANDBORDERS, uBand, (LPARAM)prc); }
    CImageList* GetImageList() const;
    BOOL SetImageList(CImageList* pImageList);
    CToolTipCtrl* GetToolTips() const { return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, RB_GETTOOLTIPS, 0, 0)); }
    void SetToolTips(CToolTipCtrl* pTip);

    // Operations
    void BeginDrag(UINT uBand, DWORD dwPos = (DWORD)-1) { ::SendMessage(m_hWnd, RB_BEGINDRAG, uBand, dwPos); }
    void EndDrag() { ::SendMessage(m_hWnd, RB_ENDDRAG, 0, 0); }
    void DragMove(DWORD dwPos = (DWORD)-1) { ::SendMessage(m_hWnd, RB_DRAGMOVE, 0, dwPos); }
    BOOL DeleteBand(UINT uBand) { return (BOOL)::SendMessage(m_hWnd, RB_DELETEBAND, uBand, 0); }
    int HitTest(RBHITTESTINFO* prbht) { return (int)::SendMessage(m_hWnd, RB_HITTEST, 0, (LPARAM)prbht); }
    int IDToIndex(UINT uBandID) const { return (int)::SendMessage(m_hWnd, RB_IDTOINDEX, uBandID, 0); }
    BOOL InsertBand(UINT uIndex, REBARBANDINFO* prbbi) { return (BOOL)::SendMessage(m_hWnd, RB_INSERTBAND, uIndex, (LPARAM)prbbi); }
    void MaximizeBand(UINT uBand) { ::SendMessage(m_hWnd, RB_MAXIMIZEBAND, uBand, 0); }
    void MaximizeBand(UINT uBand, BOOL fIdeal) { ::SendMessage(m_hWnd, RB_MAXIMIZEBAND, uBand, fIdeal); }
    void MinimizeBand(UINT uBand) { ::SendMessage(m_hWnd, RB_MINIMIZEBAND, uBand, 0); }
    BOOL ShowBand(UINT uBand, BOOL fShow = TRUE) { return (BOOL)::SendMessage(m_hWnd, RB_SHOWBAND, uBand, fShow); }
    BOOL SizeToRect(CRect& rect) { return (BOOL)::SendMessage(m_hWnd, RB_SIZETORECT, 0, (LPARAM)&rect); }
    BOOL MoveBand(UINT uFrom, UINT uTo) { return (BOOL)::SendMessage(m_hWnd, RB_MOVEBAND, uFrom, uTo); }
    void PushChevron(UINT uBand, LPARAM lAppValue) { ::SendMessage(m_hWnd, RB_PUSHCHEVRON, uBand, lAppValue); }
};

/////////////////////////////////////////////////////////////////////////////
// CStatusBarCtrl

class CStatusBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CStatusBarCtrl)
public:
    CStatusBarCtrl() {}
    virtual ~CStatusBarCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL SetText(LPCTSTR lpszText, int nPane, int nType) { return (BOOL)::SendMessage(m_hWnd, SB_SETTEXT, (nPane | nType), (LPARAM)lpszText); }
    CString GetText(int nPane, int* pType = NULL) const;
    int GetText(LPTSTR lpszText, int nPane, int* pType = NULL) const;
    int GetTextLength(int nPane, int* pType = NULL) const;
    BOOL SetParts(int nParts, int* pWidths) { return (BOOL)::SendMessage(m_hWnd, SB_SETPARTS, nParts, (LPARAM)pWidths); }
    int GetParts(int nParts, int* pParts) const { return (int)::SendMessage(m_hWnd, SB_GETPARTS, nParts, (LPARAM)pParts); }
    BOOL GetBorders(int* pBorders) const { return (BOOL)::SendMessage(m_hWnd, SB_GETBORDERS, 0, (LPARAM)pBorders); }
    BOOL GetBorders(int& nHorz, int& nVert, int& nSpacing) const;
    void SetMinHeight(int nMin) { ::SendMessage(m_hWnd, SB_SETMINHEIGHT, nMin, 0); }
    BOOL SetSimple(BOOL bSimple = TRUE) { return (BOOL)::SendMessage(m_hWnd, SB_SIMPLE, bSimple, 0); }
    BOOL IsSimple() const { return (BOOL)::SendMessage(m_hWnd, SB_ISSIMPLE, 0, 0); }
    BOOL GetRect(int nPane, LPRECT lpRect) const { return (BOOL)::SendMessage(m_hWnd, SB_GETRECT, nPane, (LPARAM)lpRect); }
    CString GetTipText(int nPane) const;
    void SetTipText(int nPane, LPCTSTR pszTipText) { ::SendMessage(m_hWnd, SB_SETTIPTEXT, nPane, (LPARAM)pszTipText); }
    COLORREF SetBkColor(COLORREF cr) { return (COLORREF)::SendMessage(m_hWnd, SB_SETBKCOLOR, 0, (LPARAM)cr); }
    BOOL SetIcon(int nPane, HICON hIcon) { return (BOOL)::SendMessage(m_hWnd, SB_SETICON, nPane, (LPARAM)hIcon); }
    HICON GetIcon(int nPane) const { return (HICON)::SendMessage(m_hWnd, SB_GETICON, nPane, 0); }

    // SBT_OWNERDRAW panes draw here (reflected WM_DRAWITEM).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { (void)lpDrawItemStruct; }

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

/////////////////////////////////////////////////////////////////////////////
// CIPAddressCtrl and CAnimateCtrl

class CIPAddressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CIPAddressCtrl)
public:
    CIPAddressCtrl() {}
    virtual ~CIPAddressCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL IsBlank() const { return (BOOL)::SendMessage(m_hWnd, IPM_ISBLANK, 0, 0); }
    void ClearAddress() { ::SendMessage(m_hWnd, IPM_CLEARADDRESS, 0, 0); }
    // The number of non-blank fields.
    int GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const;
    int GetAddress(DWORD& dwAddress) const { return (int)::SendMessage(m_hWnd, IPM_GETADDRESS, 0, (LPARAM)&dwAddress); }
    void SetAddress(DWORD dwAddress) { ::SendMessage(m_hWnd, IPM_SETADDRESS, 0, (LPARAM)dwAddress); }
    void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3) { SetAddress((DWORD)MAKEIPADDRESS(nField0, nField1, nField2, nField3)); }
    void SetFieldFocus(WORD nField) { ::SendMessage(m_hWnd, IPM_SETFOCUS, nField, 0); }
    void SetFieldRange(int nField, BYTE nLower, BYTE nUpper) { ::SendMessage(m_hWnd, IPM_SETRANGE, nField, MAKEIPRANGE(nLower, nUpper)); }
};

class CAnimateCtrl : public CWnd
{
    DECLARE_DYNAMIC(CAnimateCtrl)
public:
    CAnimateCtrl() {}
    virtual ~CAnimateCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL Open(LPCTSTR lpszFileName) { return (BOOL)::SendMessage(m_hWnd, ACM_OPEN, 0, (LPARAM)lpszFileName); }
    BOOL Open(UINT nID) { return (BOOL)::SendMessage(m_hWnd, ACM_OPEN, (WPARAM)AfxGetResourceHandle(), (LPARAM)MAKEINTRESOURCE(nID)); }
    BOOL Play(UINT nFrom, UINT nTo, UINT nRep) { return (BOOL)::SendMessage(m_hWnd, ACM_PLAY, nRep, MAKELPARAM(nFrom, nTo)); }
    BOOL Stop() { return (BOOL)::SendMessage(m_hWnd, ACM_STOP, 0, 0); }
    BOOL Close() { return (BOOL)::SendMessage(m_hWnd, ACM_OPEN, 0, 0); }
    BOOL Seek(UINT nTo) { return (BOOL)::SendMessage(m_hWnd, ACM_PLAY, 1, MAKELPARAM(nTo, nTo)); }
};
