// ctlcommon.cpp - the common controls' members that do more than forward one
// message: creation, text of any length, the struct-filling forms and the
// time conversions.
#include <afxcmn.h>
#include <afxdisp.h>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CComboBoxEx, CComboBox)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHotKeyCtrl, CWnd)
IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CMonthCalCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CReBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CAnimateCtrl, CWnd)

BOOL AFXAPI AfxInitCommonControls()
{
    static LONG s_bDone = FALSE;
    if (s_bDone)
        return TRUE;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                                 ICC_COOL_CLASSES | ICC_INTERNET_CLASSES |
                                                 ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS};
    BOOL bResult = ::InitCommonControlsEx(&icc);
    if (bResult)
        ::InterlockedExchange(&s_bDone, TRUE);
    return bResult;
}

// A common control as a child of pParentWnd, attached to pWnd from its first
// message on.
static BOOL CreateCommonControl(CWnd* pWnd, DWORD dwExStyle, LPCTSTR lpszClass, DWORD dwStyle, const RECT& rect,
                                CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls();
    return pWnd->CWnd::CreateEx(dwExStyle, lpszClass, NULL, dwStyle, rect, pParentWnd, nID);
}

// Owner-drawn common controls draw in their DrawItem.
template <class T>
static BOOL ReflectDrawItem(T* pCtrl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    pCtrl->DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

// An item's text copied into a buffer of nLen characters always ends within
// it: some comctl32 versions fill a buffer that is too short to the last byte
// and leave out the terminator. Returns the length copied.
static int TerminateCopy(LPTSTR pszBuf, int nLen)
{
    pszBuf[nLen - 1] = '\0';
    return lstrlen(pszBuf);
}

// Asks a control for an item's text with a buffer that doubles until the text
// fits: fill(buffer, size) copies the text.
template <class F>
static CString GetTextOfAnyLength(F fill)
{
    CString str;
    int nLen = 128;
    int nRes;
    do {
        nLen *= 2;
        LPTSTR pszBuf = str.GetBufferSetLength(nLen);
        pszBuf[0] = '\0';
        fill(pszBuf, nLen);
        nRes = TerminateCopy(pszBuf, nLen);
    } while (nRes >= nLen - 1 && nLen < (1 << 26));
    str.ReleaseBuffer(nRes);
    return str;
}

// ---------------------------------------------------------------------------
// CListCtrl
// ---------------------------------------------------------------------------

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, WC_LISTVIEW, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, dwExStyle, WC_LISTVIEW, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    LVITEM lvi = {};
    lvi.mask = nMask;
    lvi.iItem = nItem;
    lvi.iSubItem = nSubItem;
    lvi.stateMask = nStateMask;
    lvi.state = nState;
    lvi.pszText = (LPTSTR)lpszItem;
    lvi.iImage = nImage;
    lvi.lParam = lParam;
    return (BOOL)::SendMessage(m_hWnd, LVM_SETITEM, 0, (LPARAM)&lvi);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam, int nIndent)
{
    LVITEM lvi = {};
    lvi.mask = nMask;
    lvi.iItem = nItem;
    lvi.iSubItem = nSubItem;
    lvi.stateMask = nStateMask;
    lvi.state = nState;
    lvi.pszText = (LPTSTR)lpszItem;
    lvi.iImage = nImage;
    lvi.lParam = lParam;
    lvi.iIndent = nIndent;
    return (BOOL)::SendMessage(m_hWnd, LVM_SETITEM, 0, (LPARAM)&lvi);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nOldPos = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(1 + GetNextItem(nOldPos, LVNI_SELECTED));
    return nOldPos;
}

// nCode (LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL, LVIR_SELECTBOUNDS) travels in
// the rectangle's left member.
BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = (LONG)nCode;
    return (BOOL)::SendMessage(m_hWnd, LVM_GETITEMRECT, nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    ref.top = iSubItem;
    ref.left = nArea;
    return (BOOL)::SendMessage(m_hWnd, LVM_GETSUBITEMRECT, iItem, (LPARAM)(LPRECT)ref);
}

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount)
{
    if (iCount == -1) {
        CHeaderCtrl* pHeader = GetHeaderCtrl();
        if (pHeader == NULL)
            return FALSE;
        iCount = pHeader->GetItemCount();
    }
    return (BOOL)::SendMessage(m_hWnd, LVM_GETCOLUMNORDERARRAY, iCount, (LPARAM)piArray);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM lvi = {};
    lvi.stateMask = nMask;
    lvi.state = nState;
    return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)&lvi);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    return GetTextOfAnyLength([&](LPTSTR pszBuf, int nLen) {
        LVITEM lvi = {};
        lvi.iSubItem = nSubItem;
        lvi.cchTextMax = nLen;
        lvi.pszText = pszBuf;
        ::SendMessage(m_hWnd, LVM_GETITEMTEXT, nItem, (LPARAM)&lvi);
    });
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    if (nLen <= 0)
        return 0;
    LVITEM lvi = {};
    lvi.iSubItem = nSubItem;
    lvi.cchTextMax = nLen;
    lvi.pszText = lpszText;
    lpszText[0] = '\0';
    ::SendMessage(m_hWnd, LVM_GETITEMTEXT, nItem, (LPARAM)&lvi);
    return TerminateCopy(lpszText, nLen);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM lvi = {};
    lvi.iSubItem = nSubItem;
    lvi.pszText = (LPTSTR)lpszText;
    return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMTEXT, nItem, (LPARAM)&lvi);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM lvi = {};
    lvi.mask = LVIF_PARAM;
    lvi.iItem = nItem;
    ::SendMessage(m_hWnd, LVM_GETITEM, 0, (LPARAM)&lvi);
    return (DWORD_PTR)lvi.lParam;
}

CToolTipCtrl* CListCtrl::SetToolTips(CToolTipCtrl* pWndTip)
{
    return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, LVM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd(), 0));
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEM lvi = {};
    lvi.mask = nMask;
    lvi.iItem = nItem;
    lvi.state = nState;
    lvi.stateMask = nStateMask;
    lvi.pszText = (LPTSTR)lpszItem;
    lvi.iImage = nImage;
    lvi.lParam = lParam;
    return (int)::SendMessage(m_hWnd, LVM_INSERTITEM, 0, (LPARAM)&lvi);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO hti = {};
    hti.pt = pt;
    int nRes = (int)::SendMessage(m_hWnd, LVM_HITTEST, 0, (LPARAM)&hti);
    if (pFlags != NULL)
        *pFlags = hti.flags;
    return nRes;
}

// Width -1 leaves the column's width to the control; nSubItem -1 numbers the
// column's sub-item as the control does.
int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = (LPTSTR)lpszColumnHeading;
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

// The caller owns the image list returned.
CImageList* CListCtrl::CreateDragImage(int nItem, LPPOINT lpPoint)
{
    HIMAGELIST hImageList = (HIMAGELIST)::SendMessage(m_hWnd, LVM_CREATEDRAGIMAGE, nItem, (LPARAM)lpPoint);
    if (hImageList == NULL)
        return NULL;
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectDrawItem(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------
// CTreeCtrl
// ---------------------------------------------------------------------------

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, WC_TREEVIEW, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, dwExStyle, WC_TREEVIEW, dwStyle, rect, pParentWnd, nID);
}

// The item travels in the rectangle's first bytes.
BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    *(HTREEITEM*)lpRect = hItem;
    return (BOOL)::SendMessage(m_hWnd, TVM_GETITEMRECT, bTextOnly, (LPARAM)lpRect);
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage,
                        UINT nState, UINT nStateMask, LPARAM lParam)
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return (BOOL)::SendMessage(m_hWnd, TVM_SETITEM, 0, (LPARAM)&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    return GetTextOfAnyLength([&](LPTSTR pszBuf, int nLen) {
        TVITEM item = {};
        item.hItem = hItem;
        item.mask = TVIF_TEXT;
        item.pszText = pszBuf;
        item.cchTextMax = nLen;
        ::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)&item);
        // The control may answer with a pointer to its own copy.
        if (item.pszText != pszBuf && item.pszText != NULL && item.pszText != LPSTR_TEXTCALLBACK)
            lstrcpyn(pszBuf, item.pszText, nLen);
    });
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    BOOL bRes = (BOOL)::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)&item);
    if (bRes) {
        nImage = item.iImage;
        nSelectedImage = item.iSelectedImage;
    }
    return bRes;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    ::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)&item);
    return (DWORD_PTR)item.lParam;
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_CHILDREN;
    ::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)&item);
    return item.cChildren;
}

CToolTipCtrl* CTreeCtrl::SetToolTips(CToolTipCtrl* pWndTip)
{
    return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TVM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd(), 0));
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = (LPTSTR)lpszItem;
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return (HTREEITEM)::SendMessage(m_hWnd, TVM_INSERTITEM, 0, (LPARAM)&tvis);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO hti = {};
    hti.pt = pt;
    HTREEITEM h = (HTREEITEM)::SendMessage(m_hWnd, TVM_HITTEST, 0, (LPARAM)&hti);
    if (pFlags != NULL)
        *pFlags = hti.flags;
    return h;
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem)
{
    HIMAGELIST hImageList = (HIMAGELIST)::SendMessage(m_hWnd, TVM_CREATEDRAGIMAGE, 0, (LPARAM)hItem);
    if (hImageList == NULL)
        return NULL;
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}

// ---------------------------------------------------------------------------
// CHeaderCtrl
// ---------------------------------------------------------------------------

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, WC_HEADER, dwStyle, rect, pParentWnd, nID);
}

BOOL CHeaderCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, dwExStyle, WC_HEADER, dwStyle, rect, pParentWnd, nID);
}

BOOL CHeaderCtrl::GetOrderArray(LPINT piArray, int iCount)
{
    if (iCount == -1)
        iCount = GetItemCount();
    return (BOOL)::SendMessage(m_hWnd, HDM_GETORDERARRAY, iCount, (LPARAM)piArray);
}

CImageList* CHeaderCtrl::CreateDragImage(int nIndex)
{
    HIMAGELIST hImageList = (HIMAGELIST)::SendMessage(m_hWnd, HDM_CREATEDRAGIMAGE, nIndex, 0);
    if (hImageList == NULL)
        return NULL;
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectDrawItem(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------
// CProgressCtrl, CSpinButtonCtrl, CSliderCtrl
// ---------------------------------------------------------------------------

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, PROGRESS_CLASS, dwStyle, rect, pParentWnd, nID);
}

BOOL CProgressCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, dwExStyle, PROGRESS_CLASS, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range = {};
    ::SendMessage(m_hWnd, PBM_GETRANGE, FALSE, (LPARAM)&range);
    nLower = range.iLow;
    nUpper = range.iHigh;
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, UPDOWN_CLASS, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, dwExStyle, UPDOWN_CLASS, dwStyle, rect, pParentWnd, nID);
}

// UDM_GETRANGE packs the maximum in the low word and the minimum in the high.
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    DWORD dw = GetRange();
    lower = (short)HIWORD(dw);
    upper = (short)LOWORD(dw);
}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, TRACKBAR_CLASS, dwStyle, rect, pParentWnd, nID);
}

BOOL CSliderCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, dwExStyle, TRACKBAR_CLASS, dwStyle, rect, pParentWnd, nID);
}

void CSliderCtrl::SetToolTips(CToolTipCtrl* pWndTip)
{
    ::SendMessage(m_hWnd, TBM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd(), 0);
}

// ---------------------------------------------------------------------------
// CTabCtrl
// ---------------------------------------------------------------------------

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, WC_TABCONTROL, dwStyle, rect, pParentWnd, nID);
}

BOOL CTabCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, dwExStyle, WC_TABCONTROL, dwStyle, rect, pParentWnd, nID);
}

BOOL CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEM item = {};
    item.mask = nMask;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(nItem, &item);
}

BOOL CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam, DWORD dwState,
                          DWORD dwStateMask)
{
    TCITEM item = {};
    item.mask = nMask | TCIF_STATE;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    item.dwState = dwState;
    item.dwStateMask = dwStateMask;
    return InsertItem(nItem, &item);
}

void CTabCtrl::SetToolTips(CToolTipCtrl* pWndTip)
{
    ::SendMessage(m_hWnd, TCM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd(), 0);
}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectDrawItem(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------
// CToolTipCtrl
// ---------------------------------------------------------------------------

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CreateEx(pParentWnd, dwStyle, 0);
}

BOOL CToolTipCtrl::CreateEx(CWnd* pParentWnd, DWORD dwStyle, DWORD dwStyleEx)
{
    AfxInitCommonControls();
    BOOL bResult = CWnd::CreateEx(dwStyleEx, TOOLTIPS_CLASS, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), NULL, NULL);
    if (bResult)
        SetOwner(pParentWnd);
    return bResult;
}

// A whole window is a tool by its handle (notifications go to its parent); a
// part of a window is a tool by (window, nIDTool). The structure is the size
// every comctl32 version accepts.
void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    } else {
        ti.hwnd = hWnd;
        ti.uFlags = 0;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    ti.lpszText = (LPTSTR)lpszText;
    return (BOOL)::SendMessage(m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    ti.hinst = AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING);
    ti.lpszText = (LPTSTR)MAKEINTRESOURCE(nIDText);
    return (BOOL)::SendMessage(m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ::SendMessage(m_hWnd, TTM_DELTOOL, 0, (LPARAM)&ti);
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    const int nMax = 1024;
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = str.GetBufferSetLength(nMax);
    ti.lpszText[0] = '\0';
    ::SendMessage(m_hWnd, TTM_GETTEXT, nMax, (LPARAM)&ti);
    str.ReleaseBuffer();
}

BOOL CToolTipCtrl::GetToolInfo(CToolInfo& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    FillInToolInfo(ToolInfo, pWnd, nIDTool);
    ToolInfo.szText[0] = '\0';
    ToolInfo.lpszText = ToolInfo.szText;
    return (BOOL)::SendMessage(m_hWnd, TTM_GETTOOLINFO, 0, (LPARAM)(TOOLINFO*)&ToolInfo);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    ::SendMessage(m_hWnd, TTM_NEWTOOLRECT, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const
{
    TTHITTESTINFO hti = {};
    hti.hwnd = pWnd->GetSafeHwnd();
    hti.pt = pt;
    hti.ti.cbSize = TTTOOLINFOA_V2_SIZE;
    if (!::SendMessage(m_hWnd, TTM_HITTEST, 0, (LPARAM)&hti))
        return FALSE;
    if (lpToolInfo != NULL)
        memcpy(lpToolInfo, &hti.ti, TTTOOLINFOA_V2_SIZE);
    return TRUE;
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPTSTR)lpszText;
    ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    CString str;
    str.LoadString(nIDText);
    UpdateTipText(str, pWnd, nIDTool);
}

// ---------------------------------------------------------------------------
// CHotKeyCtrl
// ---------------------------------------------------------------------------

BOOL CHotKeyCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, HOTKEY_CLASS, dwStyle, rect, pParentWnd, nID);
}

BOOL CHotKeyCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, dwExStyle, HOTKEY_CLASS, dwStyle, rect, pParentWnd, nID);
}

// The keyboard layout's name of a key (through its scan code).
CString PASCAL CHotKeyCtrl::GetKeyName(UINT vk, BOOL fExtended)
{
    LONG lScan = (LONG)(::MapVirtualKey(vk, MAPVK_VK_TO_VSC) << 16);
    if (fExtended)
        lScan |= 0x01000000L;
    CString str;
    int nBufferLen = 64;
    int nLen;
    do {
        nBufferLen *= 2;
        LPTSTR psz = str.GetBufferSetLength(nBufferLen);
        nLen = ::GetKeyNameText(lScan, psz, nBufferLen + 1);
        str.ReleaseBuffer(nLen);
    } while (nLen == nBufferLen);
    return str;
}

CString CHotKeyCtrl::GetHotKeyName() const
{
    static const char szPlus[] = " + ";
    WORD wCode = 0, wModifiers = 0;
    GetHotKey(wCode, wModifiers);
    CString strKeyName;
    if (wCode == 0 && wModifiers == 0)
        return strKeyName;
    if (wModifiers & HOTKEYF_CONTROL) {
        strKeyName += GetKeyName(VK_CONTROL, FALSE);
        strKeyName += szPlus;
    }
    if (wModifiers & HOTKEYF_SHIFT) {
        strKeyName += GetKeyName(VK_SHIFT, FALSE);
        strKeyName += szPlus;
    }
    if (wModifiers & HOTKEYF_ALT) {
        strKeyName += GetKeyName(VK_MENU, FALSE);
        strKeyName += szPlus;
    }
    strKeyName += GetKeyName(wCode, (wModifiers & HOTKEYF_EXT) != 0);
    return strKeyName;
}

// ---------------------------------------------------------------------------
// CDateTimeCtrl and CMonthCalCtrl
// ---------------------------------------------------------------------------

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, DATETIMEPICK_CLASS, dwStyle, rect, pParentWnd, nID);
}

// "No time" (DTS_SHOWNONE) is set with GDT_NONE and still a structure: some
// comctl32 versions refuse a null pointer even then.
static BOOL SetPickerTime(HWND hWnd, const SYSTEMTIME* pTime)
{
    SYSTEMTIME stNone = {};
    if (pTime == NULL)
        return (BOOL)::SendMessage(hWnd, DTM_SETSYSTEMTIME, GDT_NONE, (LPARAM)&stNone);
    return (BOOL)::SendMessage(hWnd, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)pTime);
}

BOOL CDateTimeCtrl::SetTime(const COleDateTime& timeNew)
{
    SYSTEMTIME st = {};
    BOOL bValid = timeNew.GetStatus() == COleDateTime::valid && timeNew.GetAsSystemTime(st);
    return SetPickerTime(m_hWnd, bValid ? &st : NULL);
}

BOOL CDateTimeCtrl::SetTime(const CTime* pTimeNew)
{
    SYSTEMTIME st = {};
    BOOL bValid = pTimeNew != NULL && pTimeNew->GetAsSystemTime(st);
    return SetPickerTime(m_hWnd, bValid ? &st : NULL);
}

BOOL CDateTimeCtrl::SetTime(LPSYSTEMTIME pTimeNew)
{
    return SetPickerTime(m_hWnd, pTimeNew);
}

BOOL CDateTimeCtrl::GetTime(COleDateTime& timeDest) const
{
    SYSTEMTIME st = {};
    if (::SendMessage(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)&st) != GDT_VALID) {
        timeDest = COleDateTime();
        timeDest.SetStatus(COleDateTime::null);
        return FALSE;
    }
    timeDest = COleDateTime(st);
    return TRUE;
}

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const
{
    SYSTEMTIME st = {};
    DWORD dwResult = (DWORD)::SendMessage(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)&st);
    if (dwResult == GDT_VALID)
        timeDest = CTime(st);
    return dwResult;
}

BOOL CDateTimeCtrl::SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange)
{
    SYSTEMTIME st[2] = {};
    WPARAM wFlags = 0;
    if (pMinRange != NULL && pMinRange->GetStatus() == COleDateTime::valid && pMinRange->GetAsSystemTime(st[0]))
        wFlags |= GDTR_MIN;
    if (pMaxRange != NULL && pMaxRange->GetStatus() == COleDateTime::valid && pMaxRange->GetAsSystemTime(st[1]))
        wFlags |= GDTR_MAX;
    return (BOOL)::SendMessage(m_hWnd, DTM_SETRANGE, wFlags, (LPARAM)st);
}

BOOL CDateTimeCtrl::SetRange(const CTime* pMinRange, const CTime* pMaxRange)
{
    SYSTEMTIME st[2] = {};
    WPARAM wFlags = 0;
    if (pMinRange != NULL && pMinRange->GetAsSystemTime(st[0]))
        wFlags |= GDTR_MIN;
    if (pMaxRange != NULL && pMaxRange->GetAsSystemTime(st[1]))
        wFlags |= GDTR_MAX;
    return (BOOL)::SendMessage(m_hWnd, DTM_SETRANGE, wFlags, (LPARAM)st);
}

DWORD CDateTimeCtrl::GetRange(COleDateTime* pMinRange, COleDateTime* pMaxRange) const
{
    SYSTEMTIME st[2] = {};
    DWORD dwResult = (DWORD)::SendMessage(m_hWnd, DTM_GETRANGE, 0, (LPARAM)st);
    if (pMinRange != NULL) {
        if (dwResult & GDTR_MIN) {
            *pMinRange = COleDateTime(st[0]);
        } else {
            *pMinRange = COleDateTime();
            pMinRange->SetStatus(COleDateTime::null);
        }
    }
    if (pMaxRange != NULL) {
        if (dwResult & GDTR_MAX) {
            *pMaxRange = COleDateTime(st[1]);
        } else {
            *pMaxRange = COleDateTime();
            pMaxRange->SetStatus(COleDateTime::null);
        }
    }
    return dwResult;
}

DWORD CDateTimeCtrl::GetRange(CTime* pMinRange, CTime* pMaxRange) const
{
    SYSTEMTIME st[2] = {};
    DWORD dwResult = (DWORD)::SendMessage(m_hWnd, DTM_GETRANGE, 0, (LPARAM)st);
    if (pMinRange != NULL)
        *pMinRange = (dwResult & GDTR_MIN) ? CTime(st[0]) : CTime();
    if (pMaxRange != NULL)
        *pMaxRange = (dwResult & GDTR_MAX) ? CTime(st[1]) : CTime();
    return dwResult;
}

BOOL CMonthCalCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, MONTHCAL_CLASS, dwStyle, rect, pParentWnd, nID);
}

BOOL CMonthCalCtrl::GetCurSel(CTime& refDateTime) const
{
    SYSTEMTIME st = {};
    if (!GetCurSel(&st))
        return FALSE;
    st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
    refDateTime = CTime(st);
    return TRUE;
}

BOOL CMonthCalCtrl::GetCurSel(COleDateTime& refDateTime) const
{
    SYSTEMTIME st = {};
    if (!GetCurSel(&st))
        return FALSE;
    st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
    refDateTime = COleDateTime(st);
    return TRUE;
}

BOOL CMonthCalCtrl::SetCurSel(const CTime& refDateTime)
{
    SYSTEMTIME st = {};
    return refDateTime.GetAsSystemTime(st) && SetCurSel(&st);
}

BOOL CMonthCalCtrl::SetCurSel(const COleDateTime& refDateTime)
{
    SYSTEMTIME st = {};
    return refDateTime.GetStatus() == COleDateTime::valid && refDateTime.GetAsSystemTime(st) && SetCurSel(&st);
}

BOOL CMonthCalCtrl::SetRange(const LPSYSTEMTIME pMinRange, const LPSYSTEMTIME pMaxRange)
{
    SYSTEMTIME st[2] = {};
    WPARAM wFlags = 0;
    if (pMinRange != NULL) {
        st[0] = *pMinRange;
        wFlags |= GDTR_MIN;
    }
    if (pMaxRange != NULL) {
        st[1] = *pMaxRange;
        wFlags |= GDTR_MAX;
    }
    return (BOOL)::SendMessage(m_hWnd, MCM_SETRANGE, wFlags, (LPARAM)st);
}

BOOL CMonthCalCtrl::SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange)
{
    SYSTEMTIME st[2] = {};
    BOOL bMin = pMinRange != NULL && pMinRange->GetStatus() == COleDateTime::valid && pMinRange->GetAsSystemTime(st[0]);
    BOOL bMax = pMaxRange != NULL && pMaxRange->GetStatus() == COleDateTime::valid && pMaxRange->GetAsSystemTime(st[1]);
    return SetRange(bMin ? &st[0] : NULL, bMax ? &st[1] : NULL);
}

BOOL CMonthCalCtrl::SetRange(const CTime* pMinRange, const CTime* pMaxRange)
{
    SYSTEMTIME st[2] = {};
    BOOL bMin = pMinRange != NULL && pMinRange->GetAsSystemTime(st[0]);
    BOOL bMax = pMaxRange != NULL && pMaxRange->GetAsSystemTime(st[1]);
    return SetRange(bMin ? &st[0] : NULL, bMax ? &st[1] : NULL);
}

// ---------------------------------------------------------------------------
// CToolBarCtrl
// ---------------------------------------------------------------------------

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CToolBarCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CreateCommonControl(this, dwExStyle, TOOLBARCLASSNAME, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetButtonStructSize(sizeof(TBBUTTON));
    return TRUE;
}

void CToolBarCtrl::SetToolTips(CToolTipCtrl* pTip)
{
    ::SendMessage(m_hWnd, TB_SETTOOLTIPS, (WPARAM)pTip->GetSafeHwnd(), 0);
}

BOOL CToolBarCtrl::EnableButtonRange(int nFirst, int nLast, BOOL bEnable)
{
    BOOL bResult = TRUE;
    for (int nID = nFirst; nID <= nLast; ++nID)
        bResult &= EnableButton(nID, bEnable);
    return bResult;
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID)
{
    TBADDBITMAP tbab = {};
    tbab.hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nBitmapID), RT_BITMAP);
    tbab.nID = nBitmapID;
    return (int)::SendMessage(m_hWnd, TB_ADDBITMAP, nNumButtons, (LPARAM)&tbab);
}

int CToolBarCtrl::AddBitmap(int nNumButtons, CBitmap* pBitmap)
{
    TBADDBITMAP tbab = {};
    tbab.hInst = NULL;
    tbab.nID = (UINT_PTR)pBitmap->GetSafeHandle();
    return (int)::SendMessage(m_hWnd, TB_ADDBITMAP, nNumButtons, (LPARAM)&tbab);
}

void CToolBarCtrl::SaveState(HKEY hKeyRoot, LPCTSTR lpszSubKey, LPCTSTR lpszValueName)
{
    TBSAVEPARAMS tbs = {hKeyRoot, lpszSubKey, lpszValueName};
    ::SendMessage(m_hWnd, TB_SAVERESTORE, TRUE, (LPARAM)&tbs);
}

void CToolBarCtrl::RestoreState(HKEY hKeyRoot, LPCTSTR lpszSubKey, LPCTSTR lpszValueName)
{
    TBSAVEPARAMS tbs = {hKeyRoot, lpszSubKey, lpszValueName};
    ::SendMessage(m_hWnd, TB_SAVERESTORE, FALSE, (LPARAM)&tbs);
}

// ---------------------------------------------------------------------------
// CReBarCtrl
// ---------------------------------------------------------------------------

BOOL CReBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, REBARCLASSNAME, dwStyle, rect, pParentWnd, nID);
}

BOOL CReBarCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, dwExStyle, REBARCLASSNAME, dwStyle, rect, pParentWnd, nID);
}

CImageList* CReBarCtrl::GetImageList() const
{
    REBARINFO rbi = {};
    rbi.cbSize = sizeof(rbi);
    rbi.fMask = RBIM_IMAGELIST;
    if (!::SendMessage(m_hWnd, RB_GETBARINFO, 0, (LPARAM)&rbi))
        return NULL;
    return CImageList::FromHandle(rbi.himl);
}

BOOL CReBarCtrl::SetImageList(CImageList* pImageList)
{
    REBARINFO rbi = {};
    rbi.cbSize = sizeof(rbi);
    rbi.fMask = RBIM_IMAGELIST;
    rbi.himl = pImageList->GetSafeHandle();
    return (BOOL)::SendMessage(m_hWnd, RB_SETBARINFO, 0, (LPARAM)&rbi);
}

void CReBarCtrl::SetToolTips(CToolTipCtrl* pTip)
{
    ::SendMessage(m_hWnd, RB_SETTOOLTIPS, (WPARAM)pTip->GetSafeHwnd(), 0);
}

// ---------------------------------------------------------------------------
// CStatusBarCtrl
// ---------------------------------------------------------------------------

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, STATUSCLASSNAME, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatusBarCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, dwExStyle, STATUSCLASSNAME, dwStyle, rect, pParentWnd, nID);
}

// SB_GETTEXT and SB_GETTEXTLENGTH answer the length in the low word and the
// drawing type (SBT_) in the high word.
int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const
{
    DWORD dw = (DWORD)::SendMessage(m_hWnd, SB_GETTEXTLENGTH, nPane, 0);
    if (pType != NULL)
        *pType = HIWORD(dw);
    return LOWORD(dw);
}

int CStatusBarCtrl::GetText(LPTSTR lpszText, int nPane, int* pType) const
{
    DWORD dw = (DWORD)::SendMessage(m_hWnd, SB_GETTEXT, nPane, (LPARAM)lpszText);
    if (pType != NULL)
        *pType = HIWORD(dw);
    return LOWORD(dw);
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const
{
    CString str;
    int nLen = GetTextLength(nPane, pType);
    LPTSTR psz = str.GetBufferSetLength(nLen + 1);
    psz[0] = '\0';
    int nGot = GetText(psz, nPane, pType);
    str.ReleaseBuffer(nGot <= nLen ? nGot : nLen);
    return str;
}

BOOL CStatusBarCtrl::GetBorders(int& nHorz, int& nVert, int& nSpacing) const
{
    int borders[3] = {};
    BOOL bResult = GetBorders(borders);
    if (bResult) {
        nHorz = borders[0];
        nVert = borders[1];
        nSpacing = borders[2];
    }
    return bResult;
}

CString CStatusBarCtrl::GetTipText(int nPane) const
{
    const int nMax = 1024;
    CString str;
    LPTSTR psz = str.GetBufferSetLength(nMax);
    psz[0] = '\0';
    ::SendMessage(m_hWnd, SB_GETTIPTEXT, MAKEWPARAM(nPane, nMax), (LPARAM)psz);
    str.ReleaseBuffer();
    return str;
}

BOOL CStatusBarCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectDrawItem(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------
// CIPAddressCtrl and CAnimateCtrl
// ---------------------------------------------------------------------------

BOOL CIPAddressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, WC_IPADDRESS, dwStyle, rect, pParentWnd, nID);
}

int CIPAddressCtrl::GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const
{
    DWORD dwAddress = 0;
    int nResult = GetAddress(dwAddress);
    nField0 = (BYTE)FIRST_IPADDRESS(dwAddress);
    nField1 = (BYTE)SECOND_IPADDRESS(dwAddress);
    nField2 = (BYTE)THIRD_IPADDRESS(dwAddress);
    nField3 = (BYTE)FOURTH_IPADDRESS(dwAddress);
    return nResult;
}

BOOL CAnimateCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, ANIMATE_CLASS, dwStyle, rect, pParentWnd, nID);
}

// ---------------------------------------------------------------------------
// CComboBoxEx
// ---------------------------------------------------------------------------

BOOL CComboBoxEx::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, 0, WC_COMBOBOXEX, dwStyle, rect, pParentWnd, nID);
}

BOOL CComboBoxEx::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCommonControl(this, dwExStyle, WC_COMBOBOXEX, dwStyle, rect, pParentWnd, nID);
}

CString CComboBoxEx::GetItemText(int iIndex)
{
    char szText[1024] = "";
    COMBOBOXEXITEM item = {};
    item.mask = CBEIF_TEXT;
    item.iItem = iIndex;
    item.pszText = szText;
    item.cchTextMax = (int)sizeof(szText);
    return GetItem(&item) ? CString(szText) : CString();
}
