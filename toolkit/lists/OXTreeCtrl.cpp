#include "OXTreeCtrl.h"

#include <string.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(COXTreeCtrl, CListCtrl)

UINT OXTreeQueryFlatMessage()
{
    static const UINT nMessage = ::RegisterWindowMessageA("OXTreeCtrl.QueryFlat");
    return nMessage;
}

namespace
{
const UINT kSearchPeriod = 500;
const UINT kOverlayBits = 0x0F00;
const UINT kRowStateBits = 0xF000 | TVIS_SELECTED | kOverlayBits | TVIS_CUT | TVIS_DROPHILITED;
// A sub-item's text stands this far right of its cell's left edge (after the
// cell's image, if any): a pixel of gap, then the text's own inset.
const int kSubItemGap = 1;
const int kCellTextInset = 2;

// The top of a line cyLine high centred in a cell.
int CellTextTop(const CRect& cell, int cyLine)
{
    return cell.top + (cell.Height() - cyLine) / 2;
}

// Draws a one-pixel solid line with its own pen.
void SolidLine(CDC* pDC, COLORREF clr, int x1, int y1, int x2, int y2)
{
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    pDC->SelectObject(pOld);
}
} // namespace

BEGIN_MESSAGE_MAP(COXTreeCtrl, CListCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MEASUREITEM_REFLECT()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_WM_STYLECHANGED()
    ON_NOTIFY_REFLECT_EX(NM_SETFOCUS, OnFocusChange)
    ON_NOTIFY_REFLECT_EX(NM_KILLFOCUS, OnFocusChange)
    ON_NOTIFY_REFLECT_EX(LVN_BEGINLABELEDITA, OnBeginLabelEdit)
    ON_NOTIFY_REFLECT_EX(LVN_ENDLABELEDITA, OnEndLabelEdit)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT_EX(LVN_DELETEALLITEMS, OnDeleteAllRows)
    ON_MESSAGE(WM_TREE_FITCOLUMNS, OnFitColumns)
    ON_MESSAGE(WM_OX_GETITEMTIPINFO, OnGetItemTipInfo)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------
// Construction and creation
// ---------------------------------------------------------------------------
COXTreeCtrl::COXTreeCtrl()
    : m_bInit(FALSE), m_nEditColumn(-1), m_pActiveEditor(NULL), m_ptEdit(0, 0), m_dwTCStyle(0), m_dwExStyle(0),
      m_nIndent(15), m_nItemHeight(0), m_nItemCount(0), m_bDragImage(FALSE), m_pDropHilite(NULL), m_clrHGrid(0),
      m_clrVGrid(0), m_mapCompare(10), m_bItemTipPending(TRUE), m_nRedrawLock(0), m_nSearchTimer(0), m_nPendingEditColumn(-1),
      m_nRowsNumbered(0), m_bRedrawOff(FALSE), m_nLockedRowChanges(0), m_bFocused(FALSE)
{
    m_mapCompare.InitHashTable(17);
    m_root.SetExpanded(TRUE);
}

COXTreeCtrl::~COXTreeCtrl()
{
    m_pDropHilite = NULL;
    m_root.DeleteChildren();
}

BOOL COXTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwExStyle)
{
    m_dwTCStyle = LOWORD(dwStyle);
    m_dwExStyle = dwExStyle;
    DWORD dwList = LVS_REPORT | LVS_OWNERDRAWFIXED;
    if (dwStyle & TVS_SHOWSELALWAYS)
        dwList |= LVS_SHOWSELALWAYS;
    if (dwStyle & TVS_EDITLABELS)
        dwList |= LVS_EDITLABELS;
    if (!(dwExStyle & TVXS_MULTISEL))
        dwList |= LVS_SINGLESEL;
    if (!(dwExStyle & TVXS_COLUMNHDR))
        dwList |= LVS_NOCOLUMNHEADER;
    if (dwExStyle & TVXS_NOSCROLL)
        dwList |= LVS_NOSCROLL;
    if (dwExStyle & TVXS_NOSORTHEADER)
        dwList |= LVS_NOSORTHEADER;
    if (dwExStyle & TVXS_SHAREIMAGELISTS)
        dwList |= LVS_SHAREIMAGELISTS;
    DWORD dwWnd = dwStyle & 0xFFFF0000;
    if (!(dwExStyle & TVXS_NOSCROLL))
        dwWnd |= WS_HSCROLL | WS_VSCROLL;
    if (!CListCtrl::Create(dwWnd | dwList, rect, pParentWnd, nID))
        return FALSE;
    m_dwTCStyle |= ::GetWindowLongA(m_hWnd, GWL_STYLE) & 0xFFFF0000;
    return InitTreeCtrl();
}

BOOL COXTreeCtrl::InitTreeCtrl()
{
    if (m_bInit)
        return TRUE;
    if (m_penLines.GetSafeHandle() == NULL) {
        LOGBRUSH lb = {BS_SOLID, ::GetSysColor(COLOR_BTNSHADOW), 0};
        HPEN hPen = ::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, NULL);
        if (hPen == NULL)
            hPen = ::ExtCreatePen(0, 1, &lb, 0, NULL);
        if (hPen == NULL)
            return FALSE;
        m_penLines.Attach(hPen);
    }
    if (GetColumnCount() == 0) {
        CRect rect;
        GetClientRect(&rect);
        if (InsertColumn(0, "", LVCFMT_LEFT, rect.Width()) < 0)
            return FALSE;
    }
    SetBkColor(::GetSysColor(COLOR_WINDOW));
    AttachHeader();
    SetTextBkColor(::GetSysColor(COLOR_WINDOW));
    SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    m_bInit = TRUE;
    return TRUE;
}

BOOL COXTreeCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    return CListCtrl::PreCreateWindow(cs);
}

void COXTreeCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    if (AfxGetThreadState()->m_pWndInit == NULL)
        InitTreeCtrl();
    const DWORD dwStyle = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    if (dwStyle & LVS_SHOWSELALWAYS)
        m_dwTCStyle |= TVS_SHOWSELALWAYS;
    if (dwStyle & LVS_EDITLABELS)
        m_dwTCStyle |= TVS_EDITLABELS;
    m_dwTCStyle = (m_dwTCStyle & 0xFFFF) | (dwStyle & 0xFFFF0000);
    auto follow = [this](BOOL bSet, DWORD dwBit) { m_dwExStyle = bSet ? (m_dwExStyle | dwBit) : (m_dwExStyle & ~dwBit); };
    follow(!(dwStyle & LVS_NOCOLUMNHEADER), TVXS_COLUMNHDR);
    follow(!(dwStyle & LVS_SINGLESEL), TVXS_MULTISEL);
    follow((dwStyle & LVS_NOSCROLL) != 0, TVXS_NOSCROLL);
    follow((dwStyle & LVS_NOSORTHEADER) != 0, TVXS_NOSORTHEADER);
    follow((dwStyle & LVS_SHAREIMAGELISTS) != 0, TVXS_SHAREIMAGELISTS);
    m_dwExStyle |= TVXS_ITEMTIPS;
}

void COXTreeCtrl::PostNcDestroy()
{
    m_bInit = FALSE;
    m_pActiveEditor = NULL;
    CListCtrl::PostNcDestroy();
}

LRESULT COXTreeCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bItemTipPending && (m_dwExStyle & TVXS_ITEMTIPS) && m_hWnd != NULL && message != WM_NCDESTROY &&
        message != WM_DESTROY && m_itemTip.GetControl() != this) {
        m_bItemTipPending = FALSE;
        m_itemTip.Attach(this);
    }
    return CListCtrl::DefWindowProc(message, wParam, lParam);
}

void COXTreeCtrl::AttachHeader()
{
    HWND hHeader = GetHeaderWnd();
    if (hHeader != NULL && m_header.m_hWnd == NULL)
        m_header.SubclassWindow(hHeader);
}

LRESULT COXTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // Kept for drawing: asking the system for the focus on every row
        // costs more than drawing the row.
        m_bFocused = message == WM_SETFOCUS;
        break;
    case WM_PARENTNOTIFY:
        // A header made after the tree was set up is taken over as it appears.
        if (LOWORD(wParam) == WM_CREATE && m_bInit && (HWND)lParam == GetHeaderWnd())
            AttachHeader();
        break;
    case WM_DRAWITEM:
        // The sort column's title, drawn by the header object.
        if (m_header.m_hWnd != NULL && ((LPDRAWITEMSTRUCT)lParam)->hwndItem == m_header.m_hWnd) {
            m_header.DrawItem((LPDRAWITEMSTRUCT)lParam);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}

DWORD COXTreeCtrl::GetStyle() const
{
    DWORD dw = m_dwTCStyle & ~WS_VISIBLE;
    if (m_hWnd != NULL && ::IsWindowVisible(m_hWnd))
        dw |= WS_VISIBLE;
    return dw;
}

BOOL COXTreeCtrl::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    auto translate = [](DWORD dw) {
        DWORD out = dw & 0xFFFF0000;
        if (dw & TVS_EDITLABELS)
            out |= LVS_EDITLABELS;
        if (dw & TVS_SHOWSELALWAYS)
            out |= LVS_SHOWSELALWAYS;
        return out;
    };
    const DWORD dwR = translate(dwRemove), dwA = translate(dwAdd);
    if ((dwR | dwA) != 0 && !CWnd::ModifyStyle(dwR, dwA, nFlags))
        return FALSE;
    const DWORD dwOld = m_dwTCStyle;
    m_dwTCStyle = (m_dwTCStyle | dwAdd) & ~dwRemove;
    if (dwOld != m_dwTCStyle && m_hWnd != NULL)
        Invalidate(TRUE);
    return TRUE;
}

BOOL COXTreeCtrl::ModifyExStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwR = 0, dwA = 0;
    auto inverse = [&](DWORD dwBit, DWORD dwList) {
        if (dwAdd & dwBit)
            dwR |= dwList;
        if (dwRemove & dwBit)
            dwA |= dwList;
    };
    auto same = [&](DWORD dwBit, DWORD dwList) {
        if (dwAdd & dwBit)
            dwA |= dwList;
        if (dwRemove & dwBit)
            dwR |= dwList;
    };
    inverse(TVXS_MULTISEL, LVS_SINGLESEL);
    inverse(TVXS_COLUMNHDR, LVS_NOCOLUMNHEADER);
    same(TVXS_NOSCROLL, LVS_NOSCROLL);
    same(TVXS_NOSORTHEADER, LVS_NOSORTHEADER);
    same(TVXS_SHAREIMAGELISTS, LVS_SHAREIMAGELISTS);
    if (m_hWnd != NULL && (dwR | dwA) != 0 && !CWnd::ModifyStyle(dwR, dwA, nFlags))
        return FALSE;
    if (m_hWnd != NULL) {
        if ((dwAdd & TVXS_ITEMTIPS) && !(m_dwExStyle & TVXS_ITEMTIPS))
            m_itemTip.Attach(this);
        else if ((dwRemove & TVXS_ITEMTIPS) && (m_dwExStyle & TVXS_ITEMTIPS))
            m_itemTip.Detach();
    }
    const DWORD dwOld = m_dwExStyle;
    m_dwExStyle = (m_dwExStyle | dwAdd) & ~dwRemove;
    if (dwOld != m_dwExStyle && m_hWnd != NULL)
        Invalidate(TRUE);
    return TRUE;
}

void COXTreeCtrl::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyle)
{
    if (nStyleType == GWL_STYLE)
        m_dwTCStyle = (m_dwTCStyle & 0xFFFF) | (lpStyle->styleNew & 0xFFFF0000);
    Default();
}

void COXTreeCtrl::SetIndent(UINT nIndent)
{
    m_nIndent = nIndent < 15 ? 15 : nIndent;
    if (m_hWnd != NULL)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

HWND COXTreeCtrl::GetHeaderWnd() const
{
    // The list's own answer: asked on every row drawn, it must not walk the
    // child windows as a look-up by control id does.
    return m_hWnd != NULL ? (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0) : NULL;
}

BOOL COXTreeCtrl::IsHeaderSortable() const
{
    return (m_dwExStyle & TVXS_COLUMNHDR) && !(m_dwExStyle & TVXS_NOSORTHEADER);
}

// The lock turns the list's drawing off only once a second row changes (or
// the first under a caller's own lock): switching it off and on again costs
// the list about as much as one row changed with its drawing on, and a lock
// that changed no row costs nothing.
int COXTreeCtrl::SetRedraw(BOOL bRedraw)
{
    if (!bRedraw)
        return ++m_nRedrawLock;
    if (m_nRedrawLock <= 0)
        return 0;
    if (--m_nRedrawLock == 0) {
        m_nLockedRowChanges = 0;
        if (m_bRedrawOff) {
            m_bRedrawOff = FALSE;
            if (m_hWnd != NULL) {
                SendMessage(WM_SETREDRAW, TRUE);
                Invalidate(FALSE);
            }
        }
    }
    return m_nRedrawLock;
}

void COXTreeCtrl::NoteRowChange()
{
    if (m_nRedrawLock > 0 && !m_bRedrawOff && (++m_nLockedRowChanges > kRowChangesDrawn || m_nRedrawLock > 1) &&
        m_hWnd != NULL) {
        SendMessage(WM_SETREDRAW, FALSE);
        m_bRedrawOff = TRUE;
    }
}

// ---------------------------------------------------------------------------
// Handles, rows and notifications
// ---------------------------------------------------------------------------
// The handle of an item, or NULL where there is none (past the ends, no row).
static HTREEITEM HandleOf(const COXTreeItem* pItem)
{
    return pItem != NULL ? pItem->Handle() : NULL;
}

COXTreeItem* COXTreeCtrl::ItemOf(HTREEITEM hItem) const
{
    if (hItem == NULL || hItem == TVI_ROOT || hItem == m_root.Handle())
        return const_cast<COXTreeItem*>(&m_root);
    if (hItem == TVI_FIRST || hItem == TVI_LAST || hItem == TVI_SORT)
        return NULL;
    return (COXTreeItem*)hItem;
}

// The row index: m_arrRows mirrors the list's rows (row -> item) and every
// item keeps the row it was last numbered with. Rows below m_nRowsNumbered
// are numbered right; an insert or delete lowers that mark, and a look-up
// above it renumbers up to the item asked for, so a run of edits in one
// place costs as many steps as rows it touches, never a scan of the list.
int COXTreeCtrl::RowOf(const COXTreeItem* pItem) const
{
    if (pItem == NULL || pItem == &m_root || m_hWnd == NULL || pItem->m_pRowsOwner != this || pItem->m_nRow < 0)
        return -1;
    if ((int)m_arrRows.size() != (int)::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0))
        const_cast<COXTreeCtrl*>(this)->ReadRows();   // the list was changed behind the tree's back
    const int nHint = pItem->m_nRow;
    if (nHint >= 0 && nHint < (int)m_arrRows.size() && m_arrRows[nHint] == pItem)
        return nHint;
    for (int nRow = m_nRowsNumbered; nRow < (int)m_arrRows.size(); nRow++) {
        m_arrRows[nRow]->m_nRow = nRow;
        m_nRowsNumbered = nRow + 1;
        if (m_arrRows[nRow] == pItem)
            return nRow;
    }
    pItem->m_nRow = -1;
    return -1;
}

void COXTreeCtrl::ReadRows()
{
    m_arrRows.clear();
    m_nRowsNumbered = 0;
    const int nCount = m_hWnd != NULL ? (int)::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0) : 0;
    for (int nRow = 0; nRow < nCount; nRow++) {
        LVITEMA lvi = {};
        lvi.mask = LVIF_PARAM;
        lvi.iItem = nRow;
        ::SendMessageA(m_hWnd, LVM_GETITEMA, 0, (LPARAM)&lvi);
        COXTreeItem* pItem = (COXTreeItem*)lvi.lParam;
        m_arrRows.push_back(pItem);
        if (pItem != NULL) {
            pItem->m_nRow = nRow;
            pItem->m_pRowsOwner = this;
        }
    }
    m_nRowsNumbered = nCount;
}

void COXTreeCtrl::ForgetRows(BOOL bItemsAlive)
{
    if (bItemsAlive)
        for (COXTreeItem* pItem : m_arrRows)
            if (pItem != NULL)
                pItem->m_nRow = -1;
    m_arrRows.clear();
    m_nRowsNumbered = 0;
}

COXTreeItem* COXTreeCtrl::ItemOfRow(int nRow) const
{
    if (nRow < 0 || m_hWnd == NULL)
        return NULL;
    LVITEMA lvi = {};
    lvi.mask = LVIF_PARAM;
    lvi.iItem = nRow;
    if (!::SendMessageA(m_hWnd, LVM_GETITEMA, 0, (LPARAM)&lvi))
        return NULL;
    return (COXTreeItem*)lvi.lParam;
}

int COXTreeCtrl::InsertRow(COXTreeItem* pItem, int nRow)
{
    LVITEMA lvi = {};
    lvi.mask = LVIF_TEXT | LVIF_PARAM;
    lvi.iItem = nRow;
    lvi.pszText = LPSTR_TEXTCALLBACKA;
    lvi.lParam = (LPARAM)pItem;
    const UINT nState = pItem->m_tvi.state & 0xF000;
    if (nState != 0) {
        lvi.mask |= LVIF_STATE;
        lvi.state = nState;
        lvi.stateMask = 0xF000;
    }
    if (pItem->m_tvi.iImage >= 0) {
        lvi.mask |= LVIF_IMAGE;
        lvi.iImage = pItem->m_tvi.iImage;
    }
    NoteRowChange();
    const int nResult = (int)::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, (LPARAM)&lvi);
    if (nResult < 0)
        return nResult;
    // An owner answering the list's notice may have read the rows already.
    if (nResult <= (int)m_arrRows.size() && (int)m_arrRows.size() + 1 == GetItemCount()) {
        m_arrRows.insert(m_arrRows.begin() + nResult, pItem);
        pItem->m_nRow = nResult;
        pItem->m_pRowsOwner = this;
        m_nRowsNumbered = std::min(m_nRowsNumbered, nResult + 1);
    } else {
        ReadRows();
    }
    return nResult;
}

void COXTreeCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= (int)m_arrRows.size()) {
        ::SendMessageA(m_hWnd, LVM_DELETEITEM, nRow, 0);
        return;
    }
    COXTreeItem* pItem = m_arrRows[nRow];
    NoteRowChange();
    if (!::SendMessageA(m_hWnd, LVM_DELETEITEM, nRow, 0))
        return;
    if (pItem != NULL)
        pItem->m_nRow = -1;
    if ((int)m_arrRows.size() - 1 == GetItemCount() && m_arrRows[nRow] == pItem) {
        m_arrRows.erase(m_arrRows.begin() + nRow);
        m_nRowsNumbered = std::min(m_nRowsNumbered, nRow);
    } else {
        ReadRows();
    }
}

void COXTreeCtrl::DeleteRows(int nFirst, int nCount)
{
    // Every row at once: the list empties itself in one step.
    if (nFirst == 0 && nCount > 0 && nCount == (int)m_arrRows.size() && nCount == GetItemCount()) {
        ForgetRows(TRUE);
        ::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
        return;
    }
    COXTreeRows::DeleteRows(nFirst, nCount);
}

BOOL COXTreeCtrl::IsDisplayed(const COXTreeItem* pItem) const
{
    return pItem != NULL && pItem != &m_root && pItem->IsVisible();
}

// The item displayed just above a displayed item: the last displayed one
// of the previous shown sibling's branch, or the parent. Found down the
// expanded branches, not by walking every item in between.
COXTreeItem* COXTreeCtrl::PrevDisplayed(COXTreeItem* pItem) const
{
    if (!IsDisplayed(pItem)) {
        for (COXTreeItem* p = pItem->GetPrevInOrder(); p != NULL; p = p->GetPrevInOrder())
            if (p == &m_root || IsDisplayed(p))
                return p;
        return const_cast<COXTreeItem*>(&m_root);
    }
    COXTreeItem* p = pItem->m_pPrev;
    while (p != NULL && p->IsHidden())
        p = p->m_pPrev;
    if (p == NULL)
        return pItem->m_pParent != NULL ? pItem->m_pParent : const_cast<COXTreeItem*>(&m_root);
    while (p->IsExpanded()) {
        COXTreeItem* pLast = NULL;
        for (COXTreeItem* c = p->GetFirstChild(); c != NULL; c = c->m_pNext)
            if (!c->IsHidden())
                pLast = c;
        if (pLast == NULL)
            break;
        p = pLast;
    }
    return p;
}

BOOL COXTreeCtrl::AddRow(COXTreeItem* pItem)
{
    COXTreeItem* pParent = pItem->m_pParent;
    if (pParent != NULL && pParent->m_tvi.cChildren == 0)
        pParent->m_tvi.cChildren = 1;
    // Below a collapsed or hidden ancestor nothing is displayed.
    if (!IsDisplayed(pItem) || m_hWnd == NULL)
        return TRUE;
    if (RowOf(pItem) >= 0)
        return TRUE;
    const int nRow = RowOf(PrevDisplayed(pItem)) + 1;
    return InsertRow(pItem, nRow) >= 0;
}

void COXTreeCtrl::RedrawRow(COXTreeItem* pItem)
{
    if (m_bRedrawOff)
        return;   // the whole list is drawn when the lock ends
    const int nRow = RowOf(pItem);
    if (nRow >= 0)
        RedrawItems(nRow, nRow);
}

LRESULT COXTreeCtrl::Notify(NMHDR* pHdr) const
{
    if (m_hWnd == NULL)
        return 0;
    pHdr->hwndFrom = m_hWnd;
    pHdr->idFrom = ::GetDlgCtrlID(m_hWnd);
    HWND hParent = ::GetParent(m_hWnd);
    return hParent != NULL ? ::SendMessageA(hParent, WM_NOTIFY, pHdr->idFrom, (LPARAM)pHdr) : 0;
}

BOOL COXTreeCtrl::SendExpandNotify(UINT nCode, COXTreeItem* pItem, UINT nAction)
{
    NMTREEVIEWA nm = {};
    nm.hdr.code = nCode;
    nm.action = nAction;
    nm.itemNew = pItem->m_tvi;
    nm.itemNew.mask |= TVIF_HANDLE;
    nm.itemNew.hItem = pItem->Handle();
    return Notify(&nm.hdr) != 0;
}

void COXTreeCtrl::SendDeleteNotify(COXTreeItem* pItem)
{
    NMTREEVIEWA nm = {};
    nm.hdr.code = TVN_DELETEITEMA;
    if (pItem != &m_root) {
        nm.itemOld = pItem->m_tvi;
        nm.itemOld.mask |= TVIF_HANDLE;
    }
    nm.itemOld.hItem = pItem->Handle();
    Notify(&nm.hdr);
}

// One notice per item of the subtree, the deepest first, so that an owner
// can free every item's data.
void COXTreeCtrl::NotifyDeleteSubtree(COXTreeItem* pItem)
{
    for (COXTreeItem* p = pItem->GetFirstChild(); p != NULL; p = p->m_pNext)
        NotifyDeleteSubtree(p);
    SendDeleteNotify(pItem);
}

int COXTreeCtrl::CountSubtree(const COXTreeItem* pItem) const
{
    int n = pItem == &m_root ? 0 : 1;
    for (const COXTreeItem* p = pItem->GetFirstChild(); p != NULL; p = p->m_pNext)
        n += CountSubtree(p);
    return n;
}

// The drop highlight must not name an item that is deleted or leaves the tree.
void COXTreeCtrl::ForgetDropHilite(const COXTreeItem* pSubtree)
{
    for (const COXTreeItem* p = m_pDropHilite; p != NULL; p = p->m_pParent)
        if (p == pSubtree) {
            m_pDropHilite = NULL;
            return;
        }
}

BOOL COXTreeCtrl::IsFlat() const
{
    if (m_hWnd == NULL)
        return FALSE;
    HWND hParent = ::GetParent(m_hWnd);
    return hParent != NULL && ::SendMessageA(hParent, WM_TREE_QUERYFLAT, 0, 0) != 0;
}

// ---------------------------------------------------------------------------
// Items
// ---------------------------------------------------------------------------
HTREEITEM COXTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    if (hParent == TVI_FIRST || hParent == TVI_LAST || hParent == TVI_SORT)
        return NULL;
    COXTreeItem* pParent = ItemOf(hParent);
    HTREEITEM hAfter = hInsertAfter;
    if (hAfter == TVI_SORT) {
        hAfter = pParent->FindSortedPosition(lpszItem);
        if (hAfter == NULL)
            hAfter = TVI_LAST;
    } else if (hAfter == NULL) {
        hAfter = TVI_LAST;
    } else if (hAfter != TVI_FIRST && hAfter != TVI_LAST && !pParent->IsChild(hAfter)) {
        return NULL;
    }
    const BOOL bHadChildren = pParent->HasChildren();
    COXTreeItem* pItem = new COXTreeItem(lpszItem == NULL ? "" : lpszItem);
    pParent->AddChild(pItem, hAfter);
    if (!AddRow(pItem)) {
        pItem->Unlink();
        delete pItem;
        return NULL;
    }
    if ((m_dwTCStyle & TVS_HASBUTTONS) && bHadChildren != pParent->HasChildren())
        RedrawRow(pParent);
    m_nItemCount++;
    return pItem->Handle();
}

HTREEITEM COXTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpis)
{
    if (lpis == NULL)
        return NULL;
    TVITEMA tvi = lpis->item;
    LPCTSTR lpszText = (tvi.mask & TVIF_TEXT) ? (tvi.pszText == NULL ? "" : tvi.pszText) : "";
    HTREEITEM hItem = InsertItem(lpszText, lpis->hParent, lpis->hInsertAfter);
    if (hItem == NULL)
        return NULL;
    tvi.hItem = hItem;
    tvi.mask |= TVIF_HANDLE;
    SetItem(&tvi);
    return hItem;
}

HTREEITEM COXTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                  UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA is = {};
    is.hParent = hParent;
    is.hInsertAfter = hInsertAfter;
    is.item.mask = nMask;
    is.item.pszText = (LPSTR)lpszItem;
    is.item.iImage = nImage;
    is.item.iSelectedImage = nSelectedImage;
    is.item.state = nState;
    is.item.stateMask = nStateMask;
    is.item.lParam = lParam;
    return InsertItem(&is);
}

HTREEITEM COXTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                  HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                      hInsertAfter);
}

BOOL COXTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    if (!IsReal(hItem) && hItem != NULL)
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    if (pItem == NULL)
        return FALSE;
    if (pItem == &m_root) {
        for (COXTreeItem* p = m_root.GetFirstChild(); p != NULL; p = p->m_pNext)
            NotifyDeleteSubtree(p);
        SendDeleteNotify(&m_root);
        m_pDropHilite = NULL;
        ForgetRows(FALSE);   // the rows' items are gone already
        m_root.DeleteChildren();
        m_nItemCount = 0;
        return m_hWnd == NULL || ::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0) != 0;
    }
    if (!HideItem(hItem, TRUE))
        return FALSE;
    COXTreeItem* pParent = pItem->m_pParent;
    if (pParent != NULL && pParent->GetChildCount() < 2 && pParent->m_tvi.cChildren == 1) {
        pParent->m_tvi.cChildren = 0;
        if (pParent != &m_root) {
            pParent->m_bExpanded = FALSE;
            pParent->m_bExpandedOnce = FALSE;
        }
    }
    NotifyDeleteSubtree(pItem);
    ForgetDropHilite(pItem);
    m_nItemCount -= CountSubtree(pItem);
    delete pItem;
    if (pParent != NULL && pParent->GetFirstChild() == NULL)
        RedrawRow(pParent);
    return TRUE;
}

BOOL COXTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    if (!IsReal(hItem) && hItem != NULL)
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    if (pItem == NULL)
        return FALSE;
    if (SendExpandNotify(TVN_ITEMEXPANDINGA, pItem, nCode))
        return FALSE;
    SetRedraw(FALSE);
    if (nCode & TVE_COLLAPSERESET) {
        // Every deleted descendant is announced and leaves the count.
        for (COXTreeItem* p = pItem->GetFirstChild(); p != NULL; p = p->m_pNext) {
            NotifyDeleteSubtree(p);
            ForgetDropHilite(p);
            m_nItemCount -= CountSubtree(p);
        }
        pItem->Expand(TVE_COLLAPSERESET, this);
    } else {
        pItem->Expand(nCode, this);
    }
    SetRedraw(TRUE);
    RedrawRow(pItem);
    SendExpandNotify(TVN_ITEMEXPANDEDA, pItem, nCode);
    return TRUE;
}

BOOL COXTreeCtrl::HideItem(HTREEITEM hItem, BOOL bHide)
{
    if (!IsReal(hItem) || hItem == TVI_ROOT || hItem == m_root.Handle())
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    if ((pItem->IsHidden() != FALSE) == (bHide != FALSE))
        return TRUE;
    SetRedraw(FALSE);
    COXTreeItem* pPrevShown = PrevDisplayed(pItem);
    COXTreeItem* pPrevSibling = pItem->m_pPrev;
    BOOL bResult = TRUE;
    if (bHide) {
        const int nRow = RowOf(pItem);
        pItem->Hide(TRUE);
        if (nRow >= 0) {
            pItem->RemoveChildRows(this);
            DeleteRow(RowOf(pItem));
        }
    } else {
        pItem->Hide(FALSE);
        if (IsDisplayed(pItem)) {
            bResult = AddRow(pItem);
            if (bResult && pItem->IsExpanded())
                pItem->InsertVisibleChildRows(this, RowOf(pItem) + 1);
        }
    }
    if (pPrevSibling != NULL && pPrevShown != &m_root)
        RedrawItemRange(pPrevSibling->Handle(), pPrevShown->Handle());
    SetRedraw(TRUE);
    return bResult;
}

BOOL COXTreeCtrl::IsItemHidden(HTREEITEM hItem) const
{
    COXTreeItem* pItem = IsReal(hItem) ? ItemOf(hItem) : NULL;
    return pItem != NULL && pItem->IsHidden();
}

HTREEITEM COXTreeCtrl::GetFirstHiddenItem() const
{
    return GetNextHiddenItem(m_root.Handle());
}

HTREEITEM COXTreeCtrl::GetNextHiddenItem(HTREEITEM hItem) const
{
    COXTreeItem* pItem = IsReal(hItem) ? ItemOf(hItem) : NULL;
    if (pItem == NULL)
        return NULL;
    for (COXTreeItem* p = pItem->GetNextInOrder(); p != NULL; p = p->GetNextInOrder())
        if (p->IsHidden())
            return p->Handle();
    return NULL;
}

HTREEITEM COXTreeCtrl::GetPrevHiddenItem(HTREEITEM hItem) const
{
    COXTreeItem* pItem = IsReal(hItem) ? ItemOf(hItem) : NULL;
    if (pItem == NULL)
        return NULL;
    for (COXTreeItem* p = pItem->GetPrevInOrder(); p != NULL && p != &m_root; p = p->GetPrevInOrder())
        if (p->IsHidden())
            return p->Handle();
    return NULL;
}

BOOL COXTreeCtrl::DisableItem(HTREEITEM hItem, BOOL bDisable)
{
    COXTreeItem* pItem = IsReal(hItem) ? ItemOf(hItem) : NULL;
    if (pItem == NULL)
        return FALSE;
    if ((pItem->IsDisabled() != FALSE) != (bDisable != FALSE)) {
        pItem->SetDisabled(bDisable);
        RedrawRow(pItem);
    }
    return TRUE;
}

BOOL COXTreeCtrl::IsItemDisabled(HTREEITEM hItem) const
{
    COXTreeItem* pItem = IsReal(hItem) ? ItemOf(hItem) : NULL;
    return pItem != NULL && pItem->IsDisabled();
}

BOOL COXTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    if (!IsReal(hItem) || hItem == TVI_ROOT || hItem == m_root.Handle())
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    if (!IsDisplayed(pItem)) {
        // From the outermost ancestor inward: each one shown and expanded in
        // turn, so that every step adds the rows it makes displayed.
        CArray<COXTreeItem*, COXTreeItem*> chain;
        for (COXTreeItem* p = pItem->m_pParent; p != NULL && p != &m_root; p = p->m_pParent) {
            chain.Add(p);
            if (IsDisplayed(p) && p->IsExpanded())
                break;
        }
        SetRedraw(FALSE);
        for (INT_PTR i = chain.GetSize() - 1; i >= 0; i--) {
            if (chain[i]->IsHidden())
                HideItem(chain[i]->Handle(), FALSE);
            if (!chain[i]->IsExpanded())
                Expand(chain[i]->Handle(), TVE_EXPAND);
        }
        if (pItem->IsHidden())
            HideItem(hItem, FALSE);
        SetRedraw(TRUE);
    }
    const int nRow = RowOf(pItem);
    return nRow >= 0 && CListCtrl::EnsureVisible(nRow, FALSE);
}

BOOL COXTreeCtrl::SelectSetFirstVisible(HTREEITEM hItem)
{
    if (!EnsureVisible(hItem))
        return FALSE;
    const int nRow = RowOf(hItem);
    const int nTop = GetTopIndex();
    CRect rect;
    if (!CListCtrl::GetItemRect(nRow, &rect, LVIR_BOUNDS))
        return FALSE;
    return Scroll(CSize(0, rect.Height() * (nRow - nTop)));
}

// ---------------------------------------------------------------------------
// Navigation
// ---------------------------------------------------------------------------
HTREEITEM COXTreeCtrl::GetChildItem(HTREEITEM hItem) const
{
    if (hItem == NULL || hItem == TVI_FIRST || hItem == TVI_LAST)
        return NULL;
    return HandleOf(ItemOf(hItem)->GetFirstChild());
}

HTREEITEM COXTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const
{
    if (!IsReal(hItem))
        return NULL;
    return HandleOf(ItemOf(hItem)->m_pNext);
}

HTREEITEM COXTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const
{
    if (!IsReal(hItem))
        return NULL;
    return HandleOf(ItemOf(hItem)->m_pPrev);
}

HTREEITEM COXTreeCtrl::GetParentItem(HTREEITEM hItem) const
{
    if (!IsReal(hItem))
        return NULL;
    return HandleOf(ItemOf(hItem)->m_pParent);
}

BOOL COXTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    return hItem != TVI_FIRST && hItem != TVI_LAST && hItem != NULL && ItemOf(hItem)->GetFirstChild() != NULL;
}

BOOL COXTreeCtrl::IsAncestor(HTREEITEM hAncestor, HTREEITEM hItem) const
{
    if (!IsReal(hAncestor) || !IsReal(hItem))
        return FALSE;
    const COXTreeItem* pAncestor = ItemOf(hAncestor);
    for (const COXTreeItem* p = ItemOf(hItem)->m_pParent; p != NULL; p = p->m_pParent)
        if (p == pAncestor)
            return TRUE;
    return FALSE;
}

HTREEITEM COXTreeCtrl::GetFirstVisibleItem() const
{
    if (m_hWnd == NULL || GetItemCount() == 0)
        return NULL;
    return HandleOf(ItemOfRow(GetTopIndex()));
}

// Whether a row reaches into the band from the top row's top to the client
// area's bottom.
BOOL COXTreeCtrl::IsRowInView(int nRow) const
{
    CRect rectRow, rectClient, rectTop;
    GetClientRect(&rectClient);
    if (!CListCtrl::GetItemRect(GetTopIndex(), &rectTop, LVIR_BOUNDS) ||
        !CListCtrl::GetItemRect(nRow, &rectRow, LVIR_BOUNDS))
        return FALSE;
    return rectRow.bottom > rectTop.top && rectRow.top < rectClient.bottom;
}

HTREEITEM COXTreeCtrl::GetNextVisibleItem(HTREEITEM hItem, BOOL bInView) const
{
    if (!IsReal(hItem) && hItem != NULL)
        return NULL;
    COXTreeItem* pItem = ItemOf(hItem);
    COXTreeItem* pFound = NULL;
    const int nRow = RowOf(pItem);
    if (nRow >= 0 || pItem == &m_root) {
        pFound = ItemOfRow(nRow + 1);   // the rows are in depth-first order
    } else {
        for (COXTreeItem* p = pItem->GetNextInOrder(); p != NULL; p = p->GetNextInOrder())
            if (IsDisplayed(p)) {
                pFound = p;
                break;
            }
    }
    if (pFound == NULL)
        return NULL;
    return !bInView || IsRowInView(RowOf(pFound)) ? pFound->Handle() : NULL;
}

HTREEITEM COXTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem, BOOL bInView) const
{
    if (!IsReal(hItem) || m_hWnd == NULL || GetItemCount() == 0)
        return NULL;
    COXTreeItem* pItem = ItemOf(hItem);
    COXTreeItem* pFound = NULL;
    const int nRow = RowOf(pItem);
    if (nRow >= 0) {
        pFound = ItemOfRow(nRow - 1);
    } else {
        for (COXTreeItem* p = pItem->GetPrevInOrder(); p != NULL && p != &m_root; p = p->GetPrevInOrder())
            if (IsDisplayed(p)) {
                pFound = p;
                break;
            }
    }
    if (pFound == NULL)
        return NULL;
    return !bInView || IsRowInView(RowOf(pFound)) ? pFound->Handle() : NULL;
}

HTREEITEM COXTreeCtrl::GetSelectedItem() const
{
    if (m_hWnd == NULL)
        return NULL;
    return HandleOf(ItemOfRow(CListCtrl::GetNextItem(-1, LVNI_SELECTED)));
}

HTREEITEM COXTreeCtrl::GetDropHilightItem() const
{
    if (m_hWnd == NULL)
        return NULL;
    return HandleOf(ItemOfRow(CListCtrl::GetNextItem(-1, LVNI_DROPHILITED)));
}

HTREEITEM COXTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    auto handle = [](COXTreeItem* p) { return p != NULL ? p->Handle() : (HTREEITEM)NULL; };
    COXTreeItem* pItem = (hItem == TVI_FIRST || hItem == TVI_LAST) ? NULL : ItemOf(hItem);
    switch (nCode) {
    case TVGN_ROOT:
        return pItem != NULL && pItem->m_pParent != NULL ? handle(pItem->m_pParent->GetFirstChild())
               : pItem == &m_root                          ? NULL
                                                           : handle(m_root.GetFirstChild());
    case TVGN_NEXT:
        return GetNextSiblingItem(hItem);
    case TVGN_PREVIOUS:
        return GetPrevSiblingItem(hItem);
    case TVGN_PARENT:
        return GetParentItem(hItem);
    case TVGN_CHILD:
        return GetChildItem(hItem);
    case TVGN_FIRSTVISIBLE:
        return GetFirstVisibleItem();
    case TVGN_NEXTVISIBLE:
        return GetNextVisibleItem(hItem, FALSE);
    case TVGN_PREVIOUSVISIBLE:
        return GetPrevVisibleItem(hItem, FALSE);
    case TVGN_DROPHILITE: {
        if (m_hWnd == NULL)
            return NULL;
        const int nRow = pItem != NULL ? RowOf(pItem) : -1;
        return handle(ItemOfRow(CListCtrl::GetNextItem(nRow, LVNI_DROPHILITED)));
    }
    case TVGN_CARET: {
        if (m_hWnd == NULL)
            return NULL;
        COXTreeItem* p = ItemOfRow(CListCtrl::GetNextItem(-1, LVNI_FOCUSED));
        return p != NULL && (GetItemState(p->Handle(), TVIS_SELECTED) & TVIS_SELECTED) ? p->Handle() : NULL;
    }
    case 0x30:
        return GetSelectedItem();
    case 0x31: {
        const int nRow = pItem != NULL ? RowOf(pItem) : -1;
        if (nRow < 0)
            return NULL;
        return handle(ItemOfRow(CListCtrl::GetNextItem(nRow, LVNI_SELECTED)));
    }
    default:
        return NULL;
    }
}

// ---------------------------------------------------------------------------
// Selection
// ---------------------------------------------------------------------------
BOOL COXTreeCtrl::Select(HTREEITEM hItem, UINT nCode)
{
    if (nCode == TVGN_FIRSTVISIBLE)
        return FALSE;
    if (hItem == NULL || hItem == TVI_ROOT || hItem == m_root.Handle()) {
        if (nCode == TVGN_DROPHILITE) {
            if (m_pDropHilite != NULL)
                SetItemState(m_pDropHilite->Handle(), 0, TVIS_DROPHILITED);
            m_pDropHilite = NULL;
            if (m_hWnd != NULL)
                UpdateWindow();
            return hItem == NULL;
        }
        if (nCode == TVGN_CARET && hItem == NULL) {
            for (int nRow = CListCtrl::GetNextItem(-1, LVNI_SELECTED); nRow >= 0;
                 nRow = CListCtrl::GetNextItem(nRow, LVNI_SELECTED)) {
                COXTreeItem* p = ItemOfRow(nRow);
                if (p != NULL)
                    SetItemState(p->Handle(), 0, TVIS_SELECTED);
            }
            return TRUE;
        }
        return FALSE;
    }
    if (!IsReal(hItem))
        return FALSE;
    if (nCode == TVGN_DROPHILITE)
        return SetItemState(hItem, TVIS_DROPHILITED, TVIS_DROPHILITED);
    if (nCode == TVGN_CARET) {
        const int nRow = RowOf(hItem);
        const BOOL bFocus = nRow >= 0 && CListCtrl::SetItemState(nRow, LVIS_FOCUSED, LVIS_FOCUSED);
        return bFocus & SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
    }
    return FALSE;
}

BOOL COXTreeCtrl::RedrawItemRange(HTREEITEM hFirst, HTREEITEM hLast)
{
    const int nFirst = RowOf(ItemOf(hFirst)), nLast = RowOf(ItemOf(hLast));
    if (nFirst < 0 || nLast < 0)
        return FALSE;
    return RedrawItems(nFirst, nLast);
}

// ---------------------------------------------------------------------------
// TVITEM emulation
// ---------------------------------------------------------------------------
BOOL COXTreeCtrl::SetItem(TVITEM* pItem)
{
    if (pItem == NULL || !IsReal(pItem->hItem))
        return FALSE;
    COXTreeItem* pTree = ItemOf(pItem->hItem);
    if (pTree == NULL)
        return FALSE;
    const UINT nMask = pItem->mask;
    UINT nCallback = 0;
    if (nMask & TVIF_IMAGE) {
        pTree->m_tvi.iImage = pItem->iImage;
        if (pItem->iImage == I_IMAGECALLBACK)
            nCallback |= TVIF_IMAGE;
    }
    if (nMask & TVIF_TEXT) {
        if (pItem->pszText == LPSTR_TEXTCALLBACKA)
            nCallback |= TVIF_TEXT;
        pTree->SetLabel(pItem->pszText == NULL ? "" : pItem->pszText);
    }
    if (nMask & TVIF_STATE)
        pTree->m_tvi.state = (pTree->m_tvi.state & ~pItem->stateMask) | (pItem->state & pItem->stateMask);
    if (nMask & TVIF_PARAM)
        pTree->m_tvi.lParam = pItem->lParam;
    if (nMask & TVIF_SELECTEDIMAGE) {
        pTree->m_tvi.iSelectedImage = pItem->iSelectedImage;
        if (pItem->iSelectedImage == I_IMAGECALLBACK)
            nCallback |= TVIF_SELECTEDIMAGE;
    }
    if (nMask & TVIF_CHILDREN)
        pTree->m_tvi.cChildren = pItem->cChildren;
    if (nCallback != 0) {
        // The owner hears of the callback fields on a copy: the caller's
        // record keeps its mask, and the row below gets every field asked.
        NMTVDISPINFOA nm = {};
        nm.hdr.code = TVN_SETDISPINFOA;
        nm.item = *pItem;
        nm.item.mask = nCallback;
        Notify(&nm.hdr);
    }
    if (pTree == &m_root)
        return TRUE;
    const int nRow = RowOf(pTree);
    if ((nMask & TVIF_STATE) && (pItem->stateMask & TVIS_EXPANDED)) {
        const BOOL bExpand = (pItem->state & TVIS_EXPANDED) != 0;
        if (nRow >= 0)
            Expand(pTree->Handle(), bExpand ? TVE_EXPAND : TVE_COLLAPSE);
        else
            pTree->SetExpanded(bExpand);
    }
    if (nRow >= 0) {
        LVITEMA lvi = {};
        lvi.iItem = nRow;
        if (nMask & TVIF_IMAGE) {
            lvi.mask |= LVIF_IMAGE;
            lvi.iImage = pItem->iImage;
        }
        if (nMask & TVIF_STATE) {
            const UINT nBits = pItem->stateMask & kRowStateBits;
            if (nBits != 0) {
                lvi.mask |= LVIF_STATE;
                lvi.stateMask = nBits;
                lvi.state = pItem->state & nBits;
            }
        }
        if (lvi.mask != 0 && !::SendMessageA(m_hWnd, LVM_SETITEMA, 0, (LPARAM)&lvi))
            return FALSE;
        if ((nMask & TVIF_TEXT) && m_hWnd != NULL)
            RedrawItems(nRow, nRow);
    }
    if (nMask & TVIF_STATE) {
        const BOOL bAsk = (pItem->stateMask & TVIS_DROPHILITED) != 0;
        const BOOL bOn = (pItem->state & TVIS_DROPHILITED) != 0;
        if (bAsk && bOn && nRow >= 0 && m_pDropHilite != pTree) {
            COXTreeItem* pOld = m_pDropHilite;
            m_pDropHilite = pTree;
            if (pOld != NULL)
                SetItemState(pOld->Handle(), 0, TVIS_DROPHILITED);
            if (m_hWnd != NULL)
                UpdateWindow();
        } else if (bAsk && !bOn && m_pDropHilite == pTree) {
            m_pDropHilite = NULL;
        }
    }
    return TRUE;
}

BOOL COXTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                          UINT nStateMask, LPARAM lParam)
{
    TVITEMA tvi = {};
    tvi.hItem = hItem;
    tvi.mask = nMask;
    tvi.pszText = (LPSTR)lpszItem;
    tvi.iImage = nImage;
    tvi.iSelectedImage = nSelectedImage;
    tvi.state = nState;
    tvi.stateMask = nStateMask;
    tvi.lParam = lParam;
    return SetItem(&tvi);
}

BOOL COXTreeCtrl::GetItem(TVITEM* pItem) const
{
    if (pItem == NULL || !IsReal(pItem->hItem))
        return FALSE;
    COXTreeItem* pTree = ItemOf(pItem->hItem);
    if (pTree == NULL)
        return FALSE;
    const UINT nMask = pItem->mask;
    UINT nCallback = 0;
    if (nMask & TVIF_TEXT) {
        if (pTree->HasCallbackText())
            nCallback |= TVIF_TEXT;
        else if (pItem->pszText != NULL && pItem->cchTextMax > 0)
            lstrcpynA(pItem->pszText, pTree->GetLabel(), pItem->cchTextMax);   // always terminated
    }
    if (nMask & TVIF_IMAGE) {
        pItem->iImage = pTree->m_tvi.iImage;
        if (pItem->iImage == I_IMAGECALLBACK)
            nCallback |= TVIF_IMAGE;
    }
    if (nMask & TVIF_PARAM)
        pItem->lParam = pTree->m_tvi.lParam;
    if (nMask & TVIF_SELECTEDIMAGE) {
        pItem->iSelectedImage = pTree->m_tvi.iSelectedImage;
        if (pItem->iSelectedImage == I_IMAGECALLBACK)
            nCallback |= TVIF_SELECTEDIMAGE;
    }
    if (nMask & TVIF_CHILDREN)
        pItem->cChildren = pTree->m_tvi.cChildren;
    if (nMask & TVIF_STATE) {
        UINT nState = pTree->m_tvi.state & ~(LVIS_FOCUSED | TVIS_SELECTED | TVIS_EXPANDED | TVIS_EXPANDEDONCE);
        const int nRow = RowOf(pTree);
        if (nRow >= 0) {
            const UINT nRowState = CListCtrl::GetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED);
            if (nRowState & LVIS_SELECTED)
                nState |= TVIS_SELECTED;
            if (nRowState & LVIS_FOCUSED)
                nState |= LVIS_FOCUSED;   // the tree's focused bit has the same value
        }
        if (pTree->IsExpanded())
            nState |= TVIS_EXPANDED;
        if (pTree->m_bExpandedOnce)
            nState |= TVIS_EXPANDEDONCE;
        pTree->m_tvi.state = nState;
        pItem->state = nState & pItem->stateMask;
    }
    if (nCallback != 0) {
        NMTVDISPINFOA nm = {};
        nm.hdr.code = TVN_GETDISPINFOA;
        nm.item = *pItem;
        nm.item.mask = nCallback;
        nm.item.lParam = pTree->m_tvi.lParam;
        Notify(&nm.hdr);
        const LPSTR pszBuffer = pItem->pszText;
        *pItem = nm.item;
        pItem->mask = nMask;
        // Only the caller's own buffer is ours to terminate: an owner may
        // answer with a pointer to its own text, which is not.
        if ((nCallback & TVIF_TEXT) && pItem->pszText == pszBuffer && pszBuffer != NULL && pItem->cchTextMax > 0)
            pszBuffer[pItem->cchTextMax - 1] = '\0';
    }
    return TRUE;
}

UINT COXTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    TVITEMA tvi = {};
    tvi.hItem = hItem;
    tvi.mask = TVIF_STATE | TVIF_HANDLE;
    tvi.stateMask = nStateMask;
    return GetItem(&tvi) ? (tvi.state & nStateMask) : 0;
}

BOOL COXTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    return SetItem(hItem, TVIF_STATE | TVIF_HANDLE, NULL, 0, 0, nState, nStateMask, 0);
}

DWORD_PTR COXTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMA tvi = {};
    tvi.hItem = hItem;
    tvi.mask = TVIF_PARAM | TVIF_HANDLE;
    return GetItem(&tvi) ? (DWORD_PTR)tvi.lParam : 0;
}

BOOL COXTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    return SetItem(hItem, TVIF_PARAM | TVIF_HANDLE, NULL, 0, 0, 0, 0, (LPARAM)dwData);
}

// ---------------------------------------------------------------------------
// Cells
// ---------------------------------------------------------------------------
CString COXTreeCtrl::GetItemText(HTREEITEM hItem, int nCol) const
{
    if (!IsReal(hItem) && hItem != NULL)
        return CString();
    COXTreeItem* pItem = ItemOf(hItem);
    if (nCol != 0)
        return hItem == NULL ? CString() : pItem->GetSubItemText(nCol);
    if (!pItem->HasCallbackText())
        return pItem->GetLabel();
    // The owner's text, whatever its length: the buffer grows until the
    // answer leaves room to spare.
    for (int nSize = 300;; nSize *= 4) {
        CString s;
        TVITEMA tvi = {};
        tvi.hItem = hItem;
        tvi.mask = TVIF_TEXT | TVIF_HANDLE;
        tvi.pszText = s.GetBuffer(nSize);
        tvi.pszText[0] = '\0';
        tvi.cchTextMax = nSize;
        GetItem(&tvi);
        if (tvi.pszText != s.GetString()) {   // the owner pointed at a text of its own
            CString own(tvi.pszText == NULL || tvi.pszText == LPSTR_TEXTCALLBACKA ? "" : tvi.pszText);
            s.ReleaseBuffer(0);
            return own;
        }
        s.ReleaseBuffer();
        if (s.GetLength() < nSize - 1 || nSize >= (1 << 20))
            return s;
    }
}

BOOL COXTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszText, int nCol)
{
    if (!IsReal(hItem))
        return FALSE;
    if (nCol == 0)
        return SetItem(hItem, TVIF_TEXT | TVIF_HANDLE, lpszText, 0, 0, 0, 0, 0);
    return ItemOf(hItem)->SetSubItemText(lpszText == NULL ? "" : lpszText, nCol);
}

BOOL COXTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage, int nCol) const
{
    if (!IsReal(hItem))
        return FALSE;
    if (nCol == 0) {
        TVITEMA tvi = {};
        tvi.hItem = hItem;
        tvi.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
        if (!GetItem(&tvi))
            return FALSE;
        nImage = tvi.iImage;
        nSelectedImage = tvi.iSelectedImage;
        return TRUE;
    }
    COXTreeSubItem* pSub = ItemOf(hItem)->GetSubItem(nCol);
    if (pSub == NULL || !(pSub->m_nFlags & TSF_IMAGE))
        return FALSE;
    nImage = pSub->m_nImage;
    nSelectedImage = 0;
    return TRUE;
}

BOOL COXTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage, int nCol)
{
    if (nCol == 0)
        return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE, NULL, nImage, nSelectedImage, 0, 0, 0);
    return SetSubItem(hItem, nCol, TSF_IMAGE, NULL, nImage);
}

BOOL COXTreeCtrl::SetSubItem(HTREEITEM hItem, int nCol, UINT uFlags, LPCTSTR lpszText, int nImage, CFont* pFont,
                             COLORREF clrText, COLORREF clrBack)
{
    if (!IsReal(hItem) || nCol <= 0)
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    if (!pItem->SetSubItem(nCol, uFlags, lpszText, nImage, pFont, clrText, clrBack))
        return FALSE;
    RedrawRow(pItem);
    return TRUE;
}

// Gives a cell its own text or background colour.
BOOL COXTreeCtrl::SetCellColor(HTREEITEM hItem, COLORREF clr, int nCol, BOOL bText)
{
    if (!IsReal(hItem))
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    if (nCol == 0) {
        if (bText)
            pItem->SetTextColor(clr);
        else
            pItem->SetBackColor(clr);
    } else {
        COXTreeSubItem* pSub = pItem->GetSubItem(nCol);
        if (pSub == NULL)
            return FALSE;
        if (bText)
            pSub->SetTextColor(clr);
        else
            pSub->SetBackColor(clr);
    }
    RedrawRow(pItem);
    return TRUE;
}

COLORREF COXTreeCtrl::GetItemTextColor(HTREEITEM hItem, int nCol) const
{
    if (!IsReal(hItem))
        return 0;
    COXTreeItem* pItem = ItemOf(hItem);
    return pItem->HasTextColor(nCol) ? pItem->GetTextColor(nCol) : ::GetSysColor(COLOR_BTNTEXT);
}

BOOL COXTreeCtrl::SetItemFont(HTREEITEM hItem, CFont* pFont, int nCol)
{
    if (!IsReal(hItem))
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    if (!pItem->SetFont(nCol, pFont))
        return FALSE;
    RedrawRow(pItem);
    return TRUE;
}

CFont* COXTreeCtrl::GetItemFont(HTREEITEM hItem, int nCol) const
{
    if (!IsReal(hItem))
        return NULL;
    COXTreeItem* pItem = ItemOf(hItem);
    return pItem->HasFont(nCol) ? pItem->GetFont(nCol) : NULL;
}

BOOL COXTreeCtrl::SetItemDrawFormat(HTREEITEM hItem, UINT nFormat, int nCol)
{
    if (!IsReal(hItem))
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    if (nCol > 0 && pItem->GetSubItem(nCol) == NULL)
        return FALSE;
    pItem->SetDrawFormat(nFormat, nCol);
    RedrawRow(pItem);
    return TRUE;
}

BOOL COXTreeCtrl::GetItemDrawFormat(HTREEITEM hItem, UINT& nFormat, int nCol) const
{
    if (!IsReal(hItem))
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    if (nCol > 0 && pItem->GetSubItem(nCol) == NULL)
        return FALSE;
    nFormat = pItem->GetDrawFormat(nCol);
    return TRUE;
}

BOOL COXTreeCtrl::SetItemEditMode(HTREEITEM hItem, int nMode, const CStringArray& arrChoices, int nCol)
{
    if (hItem == TVI_FIRST || hItem == TVI_LAST || hItem == NULL)
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    if (nCol > 0 && pItem->GetSubItem(nCol) == NULL)
        return FALSE;
    pItem->SetEditMode(nMode, arrChoices, nCol);
    return TRUE;
}

BOOL COXTreeCtrl::SetItemPlainEdit(HTREEITEM hItem, int nCol)
{
    CStringArray none;
    return SetItemEditMode(hItem, TEM_EDIT, none, nCol);
}

BOOL COXTreeCtrl::SetItemNoEdit(HTREEITEM hItem, int nCol)
{
    CStringArray none;
    return SetItemEditMode(hItem, TEM_NONE, none, nCol);
}

int COXTreeCtrl::SetItemChoices(HTREEITEM hItem, const CStringArray& arrChoices, int nCol)
{
    if (hItem == TVI_FIRST || hItem == TVI_LAST || hItem == NULL)
        return 0;
    return ItemOf(hItem)->SetChoices(arrChoices, nCol);
}

CStringArray* COXTreeCtrl::GetItemChoices(HTREEITEM hItem, int nCol) const
{
    if (hItem == TVI_FIRST || hItem == TVI_LAST || hItem == NULL)
        return NULL;
    return const_cast<CStringArray*>(&ItemOf(hItem)->GetChoices(nCol));
}

// ---------------------------------------------------------------------------
// Columns
// ---------------------------------------------------------------------------
int COXTreeCtrl::GetColumnCount() const
{
    if (m_hWnd == NULL)
        return 0;
    HWND hHeader = GetHeaderWnd();
    if (hHeader != NULL)
        return (int)::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0);
    int n = 0;
    LVCOLUMNA col = {};
    col.mask = LVCF_WIDTH;
    while (::SendMessageA(m_hWnd, LVM_GETCOLUMNA, n, (LPARAM)&col))
        n++;
    return n;
}

int COXTreeCtrl::ColumnWidth(int nCol) const
{
    LVCOLUMNA col = {};
    col.mask = LVCF_WIDTH;
    return ::SendMessageA(m_hWnd, LVM_GETCOLUMNA, nCol, (LPARAM)&col) ? col.cx : 0;
}

int COXTreeCtrl::ColumnOffset(int nCol) const
{
    int x = 0;
    for (int i = 0; i < nCol; i++)
        x += ColumnWidth(i);
    return x;
}

int COXTreeCtrl::ColumnFormat(int nCol) const
{
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT;
    return ::SendMessageA(m_hWnd, LVM_GETCOLUMNA, nCol, (LPARAM)&col) ? (col.fmt & LVCFMT_JUSTIFYMASK) : LVCFMT_LEFT;
}

BOOL COXTreeCtrl::DeleteColumn(int nCol)
{
    if (nCol < 0)
        return FALSE;
    if (nCol == 0) {
        if (!DeleteAllItems())
            return FALSE;
        while (::SendMessageA(m_hWnd, LVM_DELETECOLUMN, 0, 0))
            ;
        return TRUE;
    }
    if (nCol >= GetColumnCount())
        return FALSE;   // no such column: the cells keep their sub-items
    for (COXTreeItem* p = m_root.GetFirstChild(); p != NULL; p = p->GetNextInOrder())
        p->RemoveColumn(nCol);
    return (BOOL)::SendMessageA(m_hWnd, LVM_DELETECOLUMN, nCol, 0);
}

CSize COXTreeCtrl::ImageSize(int nKind) const
{
    HIMAGELIST hList = m_hWnd != NULL ? (HIMAGELIST)::SendMessageA(m_hWnd, LVM_GETIMAGELIST, nKind, 0) : NULL;
    int cx = 0, cy = 0;
    if (hList == NULL || ImageList_GetImageCount(hList) == 0 || !ImageList_GetIconSize(hList, &cx, &cy))
        return CSize(0, 0);
    return CSize(cx, cy);
}

int COXTreeCtrl::ImageWidth(int nKind) const
{
    return ImageSize(nKind).cx;
}

// The image a cell shows. Column 0's comes through GetItem, so that an owner
// keeping the images (I_IMAGECALLBACK) is asked for it: the selected image
// for a selected item.
int COXTreeCtrl::ShownImage(COXTreeItem* pItem, BOOL bSelected, int nCol) const
{
    if (nCol > 0)
        return pItem->GetSubItemImage(nCol);
    TVITEMA tvi = {};
    tvi.hItem = pItem->Handle();
    tvi.mask = TVIF_HANDLE | (bSelected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE);
    if (!GetItem(&tvi))
        return -1;
    return bSelected ? tvi.iSelectedImage : tvi.iImage;
}

BOOL COXTreeCtrl::IsRowSelected(const COXTreeItem* pItem) const
{
    const int nRow = RowOf(pItem);
    return nRow >= 0 && (CListCtrl::GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

int COXTreeCtrl::GetColumnFitWidth(int nCol)
{
    const int nSmall = ImageWidth(LVSIL_SMALL), nState = ImageWidth(LVSIL_STATE);
    int nBest = 6;
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont());
    for (int nRow = 0, n = GetItemCount(); nRow < n; nRow++) {
        COXTreeItem* pItem = ItemOfRow(nRow);
        if (pItem == NULL)
            continue;
        int cx = 0;
        if (nCol == 0) {
            cx = GetItemIndent(pItem->Handle()) + nSmall;
            if (GetRowStateImage(nRow) >= 0)
                cx += nState;
        } else if (pItem->GetSubItemImage(nCol) >= 0) {
            cx = nSmall;
        }
        const CString text = nCol == 0 ? GetItemText(pItem->Handle()) : pItem->GetSubItemText(nCol);
        dc.SelectObject(CellFont(pItem, nCol));
        cx += dc.GetTextExtent(text).cx + 6;
        if (cx > nBest)
            nBest = cx;
    }
    dc.SelectObject(pOld);
    return nBest;
}

BOOL COXTreeCtrl::FitColumnWidth(int nCol)
{
    if (nCol < 0 || nCol >= GetColumnCount())
        return FALSE;
    return SetColumnWidth(nCol, GetColumnFitWidth(nCol));
}

void COXTreeCtrl::OnSize(UINT nType, int cx, int cy)
{
    CListCtrl::OnSize(nType, cx, cy);
    if (m_dwExStyle & TVXS_AUTOFITCOLUMNS)
        PostMessage(WM_TREE_FITCOLUMNS);
}

LRESULT COXTreeCtrl::OnFitColumns(WPARAM, LPARAM)
{
    FitColumnsToClient();
    return 0;
}

void COXTreeCtrl::FitColumnsToClient()
{
    const int nCols = GetColumnCount();
    if (!m_bInit || nCols == 0 || !(m_dwExStyle & TVXS_AUTOFITCOLUMNS))
        return;
    CRect rect;
    GetClientRect(&rect);
    int nSum = 0;
    for (int i = 0; i < nCols; i++) {
        int cx = ColumnWidth(i);
        if (nSum + cx > rect.Width())
            cx = rect.Width() > nSum ? rect.Width() - nSum : 0;
        else if (i == nCols - 1 && nSum + cx < rect.Width())
            cx = rect.Width() - nSum;
        if (cx != ColumnWidth(i))
            SetColumnWidth(i, cx);
        nSum += cx;
    }
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != NULL)
        ::SendMessageA(hParent, WM_TREE_FITCOLUMNS, 0, 0);
}

BOOL COXTreeCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHdr = (NMHDR*)lParam;
    if ((m_dwExStyle & TVXS_AUTOFITCOLUMNS) && pHdr->hwndFrom == GetHeaderWnd()) {
        switch (pHdr->code) {
        case HDN_BEGINTRACKA:
        case HDN_BEGINTRACKW:
            if (((NMHEADERA*)lParam)->iItem == GetColumnCount() - 1) {
                *pResult = 1;
                return TRUE;
            }
            break;
        case HDN_TRACKA:
        case HDN_TRACKW:
        case HDN_ITEMCHANGINGA:
        case HDN_ITEMCHANGINGW:
            PostMessage(WM_TREE_FITCOLUMNS);
            break;
        default:
            break;
        }
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------
// Sorting, copying, moving
// ---------------------------------------------------------------------------
BOOL COXTreeCtrl::SortChildren(HTREEITEM hParent, int nCol, BOOL bAscending, PFNTVCOMPARE lpfnCompare, LPARAM lParam)
{
    m_header.SetSortMark(nCol, bAscending ? 1 : -1);
    CWaitCursor wait;
    SetRedraw(FALSE);
    COXTreeItem* pParent = (hParent == NULL || hParent == TVI_ROOT) ? &m_root : ItemOf(hParent);
    if (pParent == NULL) {
        SetRedraw(TRUE);
        return FALSE;
    }
    const BOOL bDisplayedParent = pParent == &m_root || IsDisplayed(pParent);
    const BOOL bWasExpanded = pParent->IsExpanded();
    const BOOL bRows = bWasExpanded && bDisplayedParent && m_hWnd != NULL;
    int nFirst = -1, nCount = 0;
    const BOOL bBlock = bRows && pParent->FindDescendantRows(this, nFirst, nCount);
    if (bRows && !bBlock)
        pParent->RemoveChildRows(this);
    PFNTVCOMPARE pfn = lpfnCompare;
    if (pfn == NULL)
        m_mapCompare.Lookup(nCol, pfn);
    pParent->SortChildren(nCol, pParent != &m_root, bAscending, pfn, lParam);
    if (bBlock && nCount > 0)
        ReorderRows(pParent, nFirst, nCount);
    else if (bRows && !bBlock)
        pParent->InsertVisibleChildRows(this, RowOf(pParent) + 1);
    SetRedraw(TRUE);
    return TRUE;
}

// The displayed descendants of an item, in display order.
static void CollectDisplayed(COXTreeItem* pItem, std::vector<COXTreeItem*>& items)
{
    if (!pItem->IsExpanded())
        return;
    for (COXTreeItem* p = pItem->GetFirstChild(); p != NULL; p = p->m_pNext) {
        if (p->IsHidden())
            continue;
        items.push_back(p);
        CollectDisplayed(p, items);
    }
}

// After a sort the same items stay displayed in a new order: each row of
// the block is given the item now due there, with the state (selection,
// focus, marks) that item's row had, so nothing is deleted and inserted.
void COXTreeCtrl::ReorderRows(COXTreeItem* pParent, int nFirst, int nCount)
{
    std::vector<COXTreeItem*> items;
    CollectDisplayed(pParent, items);
    if ((int)items.size() != nCount || nFirst + nCount > (int)m_arrRows.size()) {
        DeleteRows(nFirst, nCount);
        pParent->InsertVisibleChildRows(this, pParent == &m_root ? 0 : RowOf(pParent) + 1);
        return;
    }
    const UINT nStateBits = kRowStateBits | LVIS_FOCUSED;
    std::vector<UINT> states(nCount);
    for (int i = 0; i < nCount; i++) {
        m_arrRows[nFirst + i]->m_nRow = nFirst + i;
        states[i] = (UINT)::SendMessageA(m_hWnd, LVM_GETITEMSTATE, nFirst + i, nStateBits);
    }
    std::vector<int> oldRows(nCount);
    for (int i = 0; i < nCount; i++)
        oldRows[i] = items[i]->m_nRow;
    for (int i = 0; i < nCount; i++) {
        const int nRow = nFirst + i;
        COXTreeItem* pItem = items[i];
        pItem->m_nRow = nRow;
        if (m_arrRows[nRow] == pItem)
            continue;
        m_arrRows[nRow] = pItem;
        NoteRowChange();
        LVITEMA lvi = {};
        lvi.mask = LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
        lvi.iItem = nRow;
        lvi.lParam = (LPARAM)pItem;
        lvi.iImage = std::max(pItem->m_tvi.iImage, 0);
        lvi.stateMask = nStateBits;
        lvi.state = oldRows[i] >= nFirst && oldRows[i] < nFirst + nCount ? states[oldRows[i] - nFirst]
                                                                          : (pItem->m_tvi.state & 0xF000);
        ::SendMessageA(m_hWnd, LVM_SETITEMA, 0, (LPARAM)&lvi);
    }
}

BOOL COXTreeCtrl::SortChildrenCB(LPTVSORTCB pSort, int nCol)
{
    if (pSort == NULL)
        return FALSE;
    return SortChildren(pSort->hParent, nCol, TRUE, pSort->lpfnCompare, pSort->lParam);
}

BOOL COXTreeCtrl::CopyItem(HTREEITEM hItem, HTREEITEM hNewParent, HTREEITEM hInsertAfter, BOOL bWithChildren,
                           HTREEITEM* phNewItem)
{
    if (!IsReal(hItem) || hItem == TVI_ROOT || hNewParent == TVI_FIRST || hNewParent == TVI_LAST)
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    COXTreeItem* pParent = ItemOf(hNewParent);
    if (bWithChildren && (pParent == pItem || IsAncestor(hItem, pParent->Handle())))
        return FALSE;
    HTREEITEM hAfter = (hInsertAfter == NULL || hInsertAfter == TVI_SORT) ? TVI_LAST : hInsertAfter;
    if (hAfter != TVI_FIRST && hAfter != TVI_LAST && !pParent->IsChild(hAfter))
        return FALSE;
    const BOOL bHadChildren = pParent->HasChildren();
    COXTreeItem* pCopy = pParent->CopySubtree(pItem, hAfter, bWithChildren);
    if (phNewItem != NULL)
        *phNewItem = pCopy->Handle();
    m_nItemCount += CountSubtree(pCopy);
    // The copy and its displayed descendants get their rows in place, the
    // root's children too.
    SetRedraw(FALSE);
    BOOL bResult = AddRow(pCopy);
    if (bResult && IsDisplayed(pCopy) && pCopy->IsExpanded())
        pCopy->InsertVisibleChildRows(this, RowOf(pCopy) + 1);
    if (bHadChildren != pParent->HasChildren())
        RedrawRow(pParent);
    SetRedraw(TRUE);
    return bResult;
}

BOOL COXTreeCtrl::MoveItem(HTREEITEM hItem, HTREEITEM hNewParent, HTREEITEM hInsertAfter, COXTreeCtrl* pTarget)
{
    if (!IsReal(hItem) || hItem == TVI_ROOT || hNewParent == TVI_FIRST || hNewParent == TVI_LAST)
        return FALSE;
    if (hItem == hInsertAfter)
        return TRUE;
    COXTreeCtrl* pTo = pTarget != NULL ? pTarget : this;
    COXTreeItem* pItem = ItemOf(hItem);
    COXTreeItem* pParent = pTo->ItemOf(hNewParent);
    if (pParent == pItem || (pTo == this && IsAncestor(hItem, pParent->Handle())))
        return FALSE;
    HTREEITEM hAfter = (hInsertAfter == NULL || hInsertAfter == TVI_SORT) ? TVI_LAST : hInsertAfter;
    if (hAfter != TVI_FIRST && hAfter != TVI_LAST && !pParent->IsChild(hAfter))
        return FALSE;
    SetRedraw(FALSE);
    if (pTo != this)
        pTo->SetRedraw(FALSE);
    // Out of this tree: its rows go, and so does a drop highlight inside it.
    const BOOL bHidden = pItem->IsHidden();
    if (RowOf(pItem) >= 0) {
        pItem->RemoveChildRows(this);
        DeleteRow(RowOf(pItem));
    }
    ForgetDropHilite(pItem);
    COXTreeItem* pOldParent = pItem->m_pParent;
    pItem->Unlink();
    if (pOldParent != NULL && pOldParent->GetFirstChild() == NULL) {
        pOldParent->m_tvi.cChildren = 0;
        RedrawRow(pOldParent);
    }
    const int nMoved = CountSubtree(pItem);
    m_nItemCount -= nMoved;
    pTo->m_nItemCount += nMoved;
    pParent->AddChild(pItem, hAfter);
    pItem->Hide(bHidden);
    BOOL bResult = pTo->AddRow(pItem);
    if (bResult && pTo->IsDisplayed(pItem) && pItem->IsExpanded())
        pItem->InsertVisibleChildRows(pTo, pTo->RowOf(pItem) + 1);
    pTo->RedrawRow(pParent);
    if (pTo != this)
        pTo->SetRedraw(TRUE);
    SetRedraw(TRUE);
    return bResult;
}

// ---------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------
int COXTreeCtrl::GetItemIndent(HTREEITEM hItem) const
{
    const BOOL bAtRoot = (m_dwTCStyle & (TVS_HASBUTTONS | TVS_HASLINES)) && (m_dwTCStyle & TVS_LINESATROOT);
    if (IsFlat())
        return bAtRoot ? (int)m_nIndent : 0;
    COXTreeItem* pItem = IsReal(hItem) ? ItemOf(hItem) : NULL;
    if (pItem == NULL || pItem == &m_root)
        return 0;
    const int nDepth = pItem->GetLevel();
    return (nDepth - (bAtRoot ? 0 : 1)) * (int)m_nIndent;
}

CRect COXTreeCtrl::ButtonRect(const CRect& rectSlot)
{
    const int s = std::max(rectSlot.Height() * 5 / 10, 9);
    const int left = rectSlot.left + (rectSlot.Width() - s + 1) / 2;
    const int top = rectSlot.top + (rectSlot.Height() - s + 1) / 2;
    return CRect(left, top, left + s, top + s);
}

BOOL COXTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    if (!IsReal(hItem) || lpRect == NULL)
        return FALSE;
    const int nRow = RowOf(ItemOf(hItem));
    if (nRow < 0)
        return FALSE;
    if (!bTextOnly)
        return CListCtrl::GetItemRect(nRow, lpRect, LVIR_BOUNDS);
    int nIndent = -1;
    return GetItemPartRect(3, hItem, lpRect, nIndent);
}

BOOL COXTreeCtrl::GetItemPartRect(int nPart, HTREEITEM hItem, LPRECT lpRect, int& nIndent) const
{
    if (!IsReal(hItem) || lpRect == NULL)
        return FALSE;
    COXTreeItem* pItem = ItemOf(hItem);
    const int nRow = RowOf(pItem);
    CRect rectRow;
    if (nRow < 0 || !CListCtrl::GetItemRect(nRow, &rectRow, LVIR_BOUNDS))
        return FALSE;
    if (nIndent == -1)
        nIndent = GetItemIndent(hItem);
    const int x0 = rectRow.left + nIndent;
    const int nColRight = rectRow.left + ColumnWidth(0);
    CRect rect(x0, rectRow.top, x0, rectRow.bottom);
    const int nState = GetRowStateImage(nRow) >= 0 ? ImageWidth(LVSIL_STATE) : 0;
    const int nImage = ShownImage(pItem, IsRowSelected(pItem)) >= 0 ? ImageWidth(LVSIL_SMALL) : 0;
    switch (nPart) {
    case 0: {
        if (nIndent < (int)m_nIndent)
            return FALSE;
        rect = ButtonRect(CRect(x0 - (int)m_nIndent, rectRow.top, x0, rectRow.bottom));
        break;
    }
    case 2:
        rect.right = rect.left + nState;
        break;
    case 1:
        rect.left += nState;
        rect.right = rect.left + nImage;
        break;
    case 3: {
        rect.left += nState + nImage;
        rect.right = std::min((int)(rect.left + GetCellTextExtent(nRow, 0).cx + 4), nColRight);
        if (rect.right < rect.left)
            rect.right = rect.left;
        break;
    }
    default:
        return FALSE;
    }
    *lpRect = rect;
    return TRUE;
}

int COXTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = pt;
    HitTest(&info);
    if (pFlags != NULL)
        *pFlags = info.flags;
    return info.hItem != NULL ? RowOf(info.hItem) : -1;
}

HTREEITEM COXTreeCtrl::HitTest(TVHITTESTINFO* pInfo) const
{
    pInfo->hItem = NULL;
    pInfo->flags = 0;
    if (m_hWnd == NULL)
        return NULL;
    CRect rectClient;
    GetClientRect(&rectClient);
    const CPoint pt = pInfo->pt;
    if (pt.y < rectClient.top)
        pInfo->flags |= TVHT_ABOVE;
    if (pt.y >= rectClient.bottom)
        pInfo->flags |= TVHT_BELOW;
    if (pt.x < rectClient.left)
        pInfo->flags |= TVHT_TOLEFT;
    if (pt.x >= rectClient.right)
        pInfo->flags |= TVHT_TORIGHT;
    if (pInfo->flags != 0)
        return NULL;
    LVHITTESTINFO lvh = {};
    lvh.pt = pt;
    int nRow = (int)::SendMessageA(m_hWnd, LVM_SUBITEMHITTEST, 0, (LPARAM)&lvh);
    if (nRow < 0) {
        // The list answers only over its cells; the row band counts too.
        for (int i = GetTopIndex(), n = GetItemCount(); i >= 0 && i < n; i++) {
            CRect r;
            if (!CListCtrl::GetItemRect(i, &r, LVIR_BOUNDS))
                break;
            if (r.top > pt.y)
                break;
            if (pt.y >= r.top && pt.y < r.bottom) {
                nRow = i;
                break;
            }
        }
    }
    COXTreeItem* pItem = ItemOfRow(nRow);
    if (pItem == NULL) {
        pInfo->flags = TVHT_NOWHERE;
        return NULL;
    }
    pInfo->hItem = pItem->Handle();
    int nIndent = GetItemIndent(pItem->Handle());
    CRect rectRow, rectButton, rectState, rectImage, rectLabel;
    CListCtrl::GetItemRect(nRow, &rectRow, LVIR_BOUNDS);
    GetItemPartRect(2, pItem->Handle(), &rectState, nIndent);
    GetItemPartRect(1, pItem->Handle(), &rectImage, nIndent);
    GetItemPartRect(3, pItem->Handle(), &rectLabel, nIndent);
    const BOOL bButton = (m_dwTCStyle & TVS_HASBUTTONS) && pItem->HasChildren() &&
                         GetItemPartRect(0, pItem->Handle(), &rectButton, nIndent);
    // Every part of a row reports the item (TVHT_ONITEM, 0x46), so that a
    // press anywhere on it reaches the list; the button adds its bit (0x56),
    // and the rest of the row's band, indentation included, adds 0x400
    // (0x446), the value the tree's owners test for "beside the item".
    const UINT nBeside = 0x400;
    if (bButton && rectButton.PtInRect(pt))
        pInfo->flags = TVHT_ONITEM | TVHT_ONITEMBUTTON;
    else if ((rectState.Width() > 0 && rectState.PtInRect(pt)) || (rectImage.Width() > 0 && rectImage.PtInRect(pt)) ||
             rectLabel.PtInRect(pt))
        pInfo->flags = TVHT_ONITEM;
    else if (rectRow.PtInRect(pt))
        pInfo->flags = TVHT_ONITEM | nBeside;
    else
        pInfo->flags = TVHT_NOWHERE;
    return pInfo->hItem;
}

CFont* COXTreeCtrl::CellFont(const COXTreeItem* pItem, int nCol)
{
    if (pItem->HasFont(nCol))
        return pItem->GetFont(nCol);
    return GetFont();
}

CPoint COXTreeCtrl::GetSubItemTextOrigin(HTREEITEM hItem, int nCol)
{
    COXTreeItem* pItem = ItemOf(hItem);
    const int nRow = pItem != NULL ? RowOf(pItem) : -1;
    CRect rectRow;
    if (nRow < 0 || nCol <= 0 || nCol >= GetColumnCount() || !CListCtrl::GetItemRect(nRow, &rectRow, LVIR_BOUNDS))
        return CPoint(0, 0);
    int x = rectRow.left + ColumnOffset(nCol);
    const BOOL bSelected = (CListCtrl::GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    if (ShownImage(pItem, bSelected, nCol) >= 0 && CListCtrl::GetImageList(LVSIL_SMALL) != NULL)
        x += ImageWidth(LVSIL_SMALL);
    x += kSubItemGap + kCellTextInset;
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(CellFont(pItem, nCol));
    CRect calc(0, 0, 0, 0);
    dc.DrawText("Ay", 2, &calc, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    dc.SelectObject(pOld);
    return CPoint(x, CellTextTop(rectRow, calc.Height()));
}

CSize COXTreeCtrl::GetCellTextExtent(int nRow, int nCol) const
{
    COXTreeItem* pItem = ItemOfRow(nRow);
    if (pItem == NULL)
        return CSize(0, 0);
    const CString text = nCol == 0 ? GetItemText(pItem->Handle()) : pItem->GetSubItemText(nCol);
    CClientDC dc(const_cast<COXTreeCtrl*>(this));
    CFont* pOld = dc.SelectObject(const_cast<COXTreeCtrl*>(this)->CellFont(pItem, nCol));
    CSize size = dc.GetTextExtent(text);
    dc.SelectObject(pOld);
    const int cx = ColumnWidth(nCol);
    if (size.cx > cx)
        size.cx = cx;
    return size;
}

int COXTreeCtrl::GetRowStateImage(int nRow) const
{
    if (m_hWnd == NULL || nRow < 0 || nRow >= GetItemCount())
        return -1;
    return (int)((CListCtrl::GetItemState(nRow, LVIS_STATEIMAGEMASK) >> 12) & 0xF) - 1;
}

CImageList* COXTreeCtrl::GetImageList(int nKind) const
{
    return nKind == TVSIL_NORMAL ? CListCtrl::GetImageList(LVSIL_SMALL) : NULL;
}

CImageList* COXTreeCtrl::SetImageList(CImageList* pImageList, int nKind)
{
    if (nKind == TVSIL_NORMAL)
        return CListCtrl::SetImageList(pImageList, LVSIL_SMALL);
    if (nKind == TVSIL_STATE)
        return CListCtrl::SetImageList(pImageList, LVSIL_STATE);
    return NULL;
}

BOOL COXTreeCtrl::SetItemHeight(int nHeight)
{
    m_nItemHeight = nHeight;
    if (m_hWnd == NULL)
        return TRUE;   // the list measures its rows with it once it exists
    CRect rect;
    GetWindowRect(&rect);
    WINDOWPOS wp = {};
    wp.hwnd = m_hWnd;
    wp.cx = rect.Width();
    wp.cy = rect.Height();
    wp.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, (LPARAM)&wp);
    return TRUE;
}

int COXTreeCtrl::GetFontRowHeight() const
{
    if (m_hWnd == NULL)
        return 0;
    HFONT hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL)
        return 0;
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    TEXTMETRICA tm = {};
    const BOOL bMeasured = ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    if (!bMeasured)
        return 0;
    return tm.tmHeight + tm.tmExternalLeading + 2 + ((m_dwExStyle & TVXS_HGRID) ? 1 : 0);
}

// The list proposes the height it measured once, for the font it had then:
// a font set later, or a grid line, would cut the texts' descenders.
void COXTreeCtrl::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    lpMIS->itemHeight = std::max((int)lpMIS->itemHeight, GetFontRowHeight());
    if (m_nItemHeight > 0)
        lpMIS->itemHeight = std::max((int)lpMIS->itemHeight, m_nItemHeight);
    else
        m_nItemHeight = lpMIS->itemHeight;
}

// A new font is measured at once: the list itself keeps the rows it measured.
LRESULT COXTreeCtrl::OnSetFont(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    SetItemHeight(m_nItemHeight);
    return lResult;
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------
COLORREF COXTreeCtrl::ListBackColor() const
{
    if (m_hWnd != NULL && !IsWindowEnabled())
        return ::GetSysColor(COLOR_BTNFACE);
    return m_hWnd != NULL ? GetTextBkColor() : ::GetSysColor(COLOR_WINDOW);
}

COLORREF COXTreeCtrl::CellBackColor(const COXTreeItem* pItem, int nCol) const
{
    if (pItem->HasBackColor(nCol))
        return m_hWnd != NULL && !IsWindowEnabled() ? ::GetSysColor(COLOR_BTNFACE) : pItem->GetBackColor(nCol);
    return ListBackColor();
}

COLORREF COXTreeCtrl::CellTextColor(const COXTreeItem* pItem, int nCol) const
{
    if (pItem->IsDisabled())
        return ::GetSysColor(COLOR_BTNSHADOW);
    if (pItem->HasTextColor(nCol))
        return pItem->GetTextColor(nCol);
    return GetTextColor();
}

void COXTreeCtrl::DrawItemButton(CDC* pDC, const CRect& rect, BOOL bExpanded)
{
    pDC->Rectangle(&rect);
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    pDC->FillSolidRect(&inner, ListBackColor());
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
    CPen* pOld = pDC->SelectObject(&pen);
    const int cy = rect.top + rect.Height() / 2, cx = rect.left + rect.Width() / 2;
    pDC->MoveTo(rect.left + 2, cy);
    pDC->LineTo(rect.right - 2, cy);
    if (!bExpanded) {
        pDC->MoveTo(cx, rect.top + 2);
        pDC->LineTo(cx, rect.bottom - 2);
    }
    pDC->SelectObject(pOld);
}

void COXTreeCtrl::DrawLines(CDC* pDC, const CRect& rectArea, COXTreeItem* pItem, int nRow)
{
    COLORREF clrFill = ListBackColor();
    if (pItem->HasBackColor(0))
        clrFill = IsWindowEnabled() ? pItem->GetBackColor(0) : ::GetSysColor(COLOR_BTNFACE);
    else if (IsFlat())
        clrFill = ::GetSysColor(COLOR_BTNFACE);
    pDC->FillSolidRect(&rectArea, clrFill);
    if (rectArea.Width() < (int)m_nIndent)
        return;
    CRect slot(rectArea.right - (int)m_nIndent, rectArea.top, rectArea.right, rectArea.bottom);
    const BOOL bLines = (m_dwTCStyle & TVS_HASLINES) != 0;
    CPen* pOldPen = pDC->SelectObject(&m_penLines);
    const int xc = slot.left + slot.Width() / 2, ym = slot.top + slot.Height() / 2;
    if (bLines) {
        const BOOL bLast = pItem->IsLastShownSibling();
        if (nRow == 0 && bLast) {
            pDC->MoveTo(xc - 1, ym);
            pDC->LineTo(slot.right, ym);
        } else if (nRow == 0) {
            pDC->MoveTo(xc, slot.bottom);
            pDC->LineTo(xc, ym);
            pDC->LineTo(slot.right, ym);
        } else {
            pDC->MoveTo(xc, slot.top - 1);
            pDC->LineTo(xc, bLast ? ym : slot.bottom);
            pDC->MoveTo(xc, ym);
            pDC->LineTo(slot.right, ym);
        }
    }
    if ((m_dwTCStyle & TVS_HASBUTTONS) && pItem->HasChildren()) {
        CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        pDC->SelectObject(&pen);
        DrawItemButton(pDC, ButtonRect(slot), pItem->IsExpanded());
        pDC->SelectObject(&m_penLines);
    }
    if (bLines) {
        for (COXTreeItem* p = pItem->m_pParent; p != NULL && p != &m_root; p = p->m_pParent) {
            slot.OffsetRect(-(int)m_nIndent, 0);
            if (slot.right <= rectArea.left)
                break;
            if (!p->IsLastShownSibling()) {
                const int x = slot.left + slot.Width() / 2;
                pDC->MoveTo(x, slot.top - 1);
                pDC->LineTo(x, slot.bottom);
            }
        }
    }
    pDC->SelectObject(pOldPen);
}

void COXTreeCtrl::DrawCellText(CDC* pDC, const CRect& rect, LPCTSTR lpszText, int nColFormat, BOOL bFocus,
                               COLORREF clrBack, UINT nFormat)
{
    if (lpszText == NULL || lpszText == LPSTR_TEXTCALLBACKA || !pDC->RectVisible(&rect))
        return;
    pDC->FillSolidRect(&rect, clrBack);
    CRect inner = rect;
    inner.DeflateRect(kCellTextInset, 0);
    CRect calc = inner;
    pDC->DrawText(lpszText, -1, &calc, nFormat | DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    // Centred here rather than by DrawText, whose rounding is its own: an
    // editor over the cell puts its text on the same line (GetSubItemTextOrigin).
    inner.top = CellTextTop(rect, calc.Height());
    const int cx = std::min((int)calc.Width() + 4, rect.Width());
    CRect box(rect.left, rect.top, rect.left + cx, rect.bottom);
    UINT nAlign = DT_LEFT;
    if (nColFormat == LVCFMT_RIGHT) {
        box.OffsetRect(rect.Width() - cx, 0);
        nAlign = DT_RIGHT;
    } else if (nColFormat == LVCFMT_CENTER) {
        box.OffsetRect((rect.Width() - cx) / 2, 0);
        nAlign = DT_CENTER;
    }
    box.IntersectRect(&box, &rect);
    pDC->FillSolidRect(&box, pDC->GetBkColor());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(lpszText, -1, &inner, nFormat | DT_NOPREFIX | DT_SINGLELINE | nAlign);
    pDC->SetBkMode(nOldMode);
    if (bFocus && !(m_dwExStyle & TVXS_NOFOCUSRECT))
        pDC->DrawFocusRect(&box);
}

void COXTreeCtrl::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if ((int)lpDIS->itemID < 0 || !(lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return;
    COXTreeItem* pItem = ItemOfRow((int)lpDIS->itemID);
    if (pItem == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const int nSaved = pDC->SaveDC();
    const int nRow = (int)lpDIS->itemID;
    // The cells start where the header's columns do: the row the list hands
    // over may stand a margin to the right of its own bounds.
    CRect rectRow = lpDIS->rcItem;
    CRect rectBounds;
    if (CListCtrl::GetItemRect(nRow, &rectBounds, LVIR_BOUNDS))
        rectRow.left = rectBounds.left;
    const BOOL bFocusWnd = m_bFocused;
    CImageList* pSmall = CListCtrl::GetImageList(LVSIL_SMALL);
    CImageList* pState = CListCtrl::GetImageList(LVSIL_STATE);
    const int nSmall = ImageWidth(LVSIL_SMALL), nStateW = ImageWidth(LVSIL_STATE);
    const CString label = GetItemText(pItem->Handle());

    // Images sit at the cell's left, centred in the row's height.
    auto imageTop = [&](const CRect& cell, int nKind) {
        return cell.top + std::max(0, (cell.Height() - (int)ImageSize(nKind).cy) / 2);
    };
    auto drawImages = [&](CRect& cell, int nCol, BOOL bBlend) {
        if (nCol == 0) {
            const int nState = GetRowStateImage(nRow);
            if (nState >= 0 && pState != NULL && nStateW > 0) {
                pState->Draw(pDC, nState, CPoint(cell.left, imageTop(cell, LVSIL_STATE)), ILD_TRANSPARENT);
                cell.left += nStateW;
            }
        }
        const int nImage = ShownImage(pItem, (lpDIS->itemState & ODS_SELECTED) != 0, nCol);
        if (nImage < 0 || pSmall == NULL || nSmall <= 0)
            return;
        const CRect area(cell.left, cell.top, cell.left + nSmall, cell.bottom);
        const CPoint pt(cell.left, imageTop(cell, LVSIL_SMALL));
        if (bBlend) {
            // A highlighted sub-item's image takes on the highlight, or its
            // cell's own colour, as the list's background for the drawing.
            const BOOL bActive = bFocusWnd && IsWindowEnabled();
            const COLORREF clrBlend = !bActive                     ? ::GetSysColor(COLOR_BTNFACE)
                                      : pItem->HasBackColor(nCol) ? pItem->GetBackColor(nCol)
                                                                  : ::GetSysColor(COLOR_HIGHLIGHT);
            pDC->FillSolidRect(&area, clrBlend);
            const COLORREF clrOld = pSmall->SetBkColor(clrBlend);
            pSmall->Draw(pDC, nImage, pt, ILD_FOCUS);
            pSmall->SetBkColor(clrOld);
        } else {
            pDC->FillSolidRect(&area, CellBackColor(pItem, nCol));
            pSmall->Draw(pDC, nImage, pt, ILD_TRANSPARENT);
        }
        cell.left += nSmall;
    };

    if (m_bDragImage) {
        CRect cell(rectRow.left, rectRow.top, rectRow.left + ColumnWidth(0), rectRow.bottom);
        if (pDC->RectVisible(&cell)) {
            pDC->FillSolidRect(&cell, ListBackColor());
            drawImages(cell, 0, FALSE);
            pDC->SetTextColor(CellTextColor(pItem, 0));
            pDC->SetBkColor(CellBackColor(pItem, 0));
            pDC->SelectObject(CellFont(pItem, 0));
            DrawCellText(pDC, cell, label, ColumnFormat(0), FALSE, ListBackColor(), pItem->GetDrawFormat(0));
        }
        pDC->RestoreDC(nSaved);
        return;
    }

    const BOOL bHighlight = (bFocusWnd || (m_dwTCStyle & TVS_SHOWSELALWAYS)) &&
                            ((lpDIS->itemState & ODS_SELECTED) || (pItem->m_tvi.state & TVIS_DROPHILITED) ||
                             m_pDropHilite == pItem);
    const BOOL bFullRow = (m_dwExStyle & TVXS_FULLROWSEL) != 0;
    const int nIndent = GetItemIndent(pItem->Handle());
    DrawLines(pDC, CRect(rectRow.left, rectRow.top, rectRow.left + nIndent, rectRow.bottom), pItem, nRow);

    const int nCols = GetColumnCount();
    int x = rectRow.left;
    int nTextLeft = rectRow.left + nIndent;
    for (int nCol = 0; nCol < nCols; nCol++) {
        const int cx = ColumnWidth(nCol);
        CRect cell(x, rectRow.top, x + cx, rectRow.bottom);
        x += cx;
        if (nCol == 0)
            cell.left += nIndent;
        if (cell.right <= cell.left || !pDC->RectVisible(&cell))
            continue;
        const BOOL bCellHi = bHighlight && (nCol == 0 || bFullRow);
        drawImages(cell, nCol, nCol > 0 && bFullRow && bHighlight);
        if (nCol == 0)
            nTextLeft = cell.left;
        COLORREF clrText = CellTextColor(pItem, nCol), clrBack = CellBackColor(pItem, nCol);
        COLORREF clrTextBack = clrBack;
        if (bCellHi) {
            clrText = bFocusWnd ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : clrText;
            clrTextBack = bFocusWnd ? ::GetSysColor(COLOR_HIGHLIGHT) : ::GetSysColor(COLOR_BTNFACE);
        }
        if (nCol > 0)
            cell.left += kSubItemGap;
        pDC->SetTextColor(clrText);
        pDC->SetBkColor(clrTextBack);
        pDC->SelectObject(CellFont(pItem, nCol));
        const CString text = nCol == 0 ? label : pItem->GetSubItemText(nCol);
        const BOOL bFocusRect = (lpDIS->itemState & ODS_FOCUS) && bFocusWnd && nCol == 0 && !bFullRow;
        if (cell.right > cell.left)
            DrawCellText(pDC, cell, text, ColumnFormat(nCol), bFocusRect,
                         bFullRow && bHighlight ? clrTextBack : clrBack, pItem->GetDrawFormat(nCol));
        if (m_dwExStyle & TVXS_VGRID)
            SolidLine(pDC, m_clrVGrid, cell.right - 1, cell.top, cell.right - 1, cell.bottom);
    }
    if (m_dwExStyle & TVXS_HGRID) {
        CRect rectClient;
        GetClientRect(&rectClient);
        const int left = (m_dwExStyle & TVXS_HGRIDEXT) ? rectClient.left : rectRow.left + nIndent;
        const int right = (m_dwExStyle & TVXS_HGRIDEXT) ? rectClient.right : rectRow.right;
        SolidLine(pDC, m_clrHGrid, left, rectRow.bottom - 1, right, rectRow.bottom - 1);
    }
    if (bFullRow && (lpDIS->itemState & ODS_FOCUS) && bFocusWnd && !(m_dwExStyle & TVXS_NOFOCUSRECT)) {
        CRect focus(nTextLeft, rectRow.top, rectRow.right, rectRow.bottom);
        pDC->DrawFocusRect(&focus);
    }
    pDC->RestoreDC(nSaved);
}

// The picture dragged along with an item: column 0 of its row, or of every
// selected row one under the other, on the list's background, which the
// image list masks out.
CImageList* COXTreeCtrl::CreateDragImage(HTREEITEM hItem, BOOL bMultiple)
{
    COXTreeItem* pItem = IsReal(hItem) && hItem != TVI_ROOT ? ItemOf(hItem) : NULL;
    const int nItemRow = pItem != NULL ? RowOf(pItem) : -1;
    if (nItemRow < 0)
        return NULL;
    std::vector<int> rows;
    if (bMultiple)
        for (int nRow = CListCtrl::GetNextItem(-1, LVNI_SELECTED); nRow >= 0;
             nRow = CListCtrl::GetNextItem(nRow, LVNI_SELECTED))
            rows.push_back(nRow);
    if (rows.empty())
        rows.push_back(nItemRow);
    CRect rectRow;
    CListCtrl::GetItemRect(nItemRow, &rectRow, LVIR_BOUNDS);
    const int cyRow = std::max(1, rectRow.Height());
    const int cx = std::max(1, ColumnWidth(0));
    const int cy = std::min((int)rows.size() * cyRow, ::GetSystemMetrics(SM_CYSCREEN));
    const COLORREF clrBack = ListBackColor();

    m_bDragImage = TRUE;
    CClientDC dcWnd(this);
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&dcWnd) || !bitmap.CreateCompatibleBitmap(&dcWnd, cx, cy)) {
        m_bDragImage = FALSE;
        return NULL;
    }
    CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
    CFont* pOldFont = dc.SelectObject(GetFont());
    dc.FillSolidRect(0, 0, cx, cy, clrBack);
    for (size_t i = 0; i < rows.size() && (int)i * cyRow < cy; i++) {
        COXTreeItem* pRowItem = ItemOfRow(rows[i]);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTVIEW;
        dis.itemID = (UINT)rows[i];
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = ODS_DEFAULT;
        dis.hwndItem = m_hWnd;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = CRect(0, (int)i * cyRow, cx, (int)(i + 1) * cyRow);
        dis.itemData = pRowItem != NULL ? (ULONG_PTR)pRowItem->m_tvi.lParam : 0;
        DrawItem(&dis);
    }
    dc.SelectObject(pOldFont);
    dc.SelectObject(pOldBitmap);
    m_bDragImage = FALSE;

    // Colour deep enough for the row as drawn; the mask takes the background.
    CImageList* pList = new CImageList;
    if (!pList->Create(cx, cy, ILC_COLOR24 | ILC_MASK, 1, 1) || pList->Add(&bitmap, clrBack) < 0) {
        delete pList;
        return NULL;
    }
    return pList;
}

// ---------------------------------------------------------------------------
// Input
// ---------------------------------------------------------------------------
void COXTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (::GetFocus() != m_hWnd)
        SetFocus();
    m_ptEdit = point;
    UINT nHit = 0;
    const int nRow = HitTest(point, &nHit);
    if (nRow < 0) {
        if (m_dwExStyle & TVXS_MULTISEL)
            Default();
        return;
    }
    if (nHit & TVHT_ONITEMBUTTON) {
        Expand(ItemOfRow(nRow)->Handle(), TVE_TOGGLE);
        return;
    }
    if (nHit & TVHT_ONITEM) {
        Default();
        return;
    }
    if (m_dwExStyle & TVXS_ROWCLICK) {
        CRect rectRow;
        CListCtrl::GetItemRect(nRow, &rectRow, LVIR_BOUNDS);
        if (point.x >= rectRow.left + GetItemIndent(ItemOfRow(nRow)->Handle()) && point.x < rectRow.right)
            Default();
    }
}

void COXTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (::GetFocus() != m_hWnd)
        SetFocus();
    UINT nHit = 0;
    const int nRow = HitTest(point, &nHit);
    if (nRow >= 0 && ((m_dwExStyle & TVXS_ROWCLICK) || (nHit & (TVHT_ONITEM | TVHT_ONITEMBUTTON)))) {
        Expand(ItemOfRow(nRow)->Handle(), TVE_TOGGLE);
        Default();
    }
}

void COXTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    UINT nHit = 0;
    if (HitTest(point, &nHit) >= 0 && ((m_dwExStyle & TVXS_ROWCLICK) || (nHit & (TVHT_ONITEM | TVHT_ONITEMBUTTON))))
        Default();
}

void COXTreeCtrl::OnMButtonDown(UINT nFlags, CPoint point)
{
    OnRButtonDown(nFlags, point);
}

void COXTreeCtrl::OnHScroll(UINT, UINT, CScrollBar*)
{
    if (::GetFocus() != m_hWnd)
        SetFocus();
    Default();
}

void COXTreeCtrl::OnVScroll(UINT, UINT, CScrollBar*)
{
    if (::GetFocus() != m_hWnd)
        SetFocus();
    Default();
}

BOOL COXTreeCtrl::OnFocusChange(NMHDR*, LRESULT* pResult)
{
    for (int nRow = CListCtrl::GetNextItem(-1, LVNI_SELECTED); nRow >= 0;
         nRow = CListCtrl::GetNextItem(nRow, LVNI_SELECTED))
        RedrawItems(nRow, nRow);
    *pResult = 0;
    return FALSE;
}

void COXTreeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_UP:
    case VK_DOWN:
        Default();
        return;
    case VK_LEFT: {
        HTREEITEM hItem = GetSelectedItem();
        if (hItem == NULL)
            return;
        if (ItemOf(hItem)->IsExpanded()) {
            Expand(hItem, TVE_COLLAPSE);
        } else {
            Select(NULL, TVGN_CARET);
            HTREEITEM hParent = GetParentItem(hItem);
            if (hParent != NULL && hParent != m_root.Handle())
                SelectItem(hParent);
        }
        return;
    }
    case VK_RIGHT: {
        HTREEITEM hItem = GetSelectedItem();
        if (hItem == NULL)
            return;
        COXTreeItem* pItem = ItemOf(hItem);
        if (!pItem->IsExpanded()) {
            Expand(hItem, TVE_EXPAND);
        } else if (pItem->GetFirstChild() != NULL) {
            Select(NULL, TVGN_CARET);
            SelectItem(pItem->GetFirstChild()->Handle());
        }
        return;
    }
    default:
        return;   // characters search through WM_CHAR; other keys do nothing
    }
}

CString COXTreeCtrl::FoldForSearch(LPCTSTR lpszText, UINT nCodePage)
{
    // Upper case in the code page the texts are in (the program's own, as
    // a window's typed characters are): a Cyrillic letter typed on a
    // Cyrillic layout folds the way the item texts in that code page do.
    CString s(lpszText);
    if (s.IsEmpty())
        return s;
    const int nWide = ::MultiByteToWideChar(nCodePage, 0, s, s.GetLength(), NULL, 0);
    if (nWide <= 0)
        return s;
    std::vector<WCHAR> wide(nWide);
    ::MultiByteToWideChar(nCodePage, 0, s, s.GetLength(), wide.data(), nWide);
    ::CharUpperBuffW(wide.data(), nWide);
    const int nBytes = ::WideCharToMultiByte(nCodePage, 0, wide.data(), nWide, NULL, 0, NULL, NULL);
    if (nBytes <= 0)
        return s;
    CString folded;
    ::WideCharToMultiByte(nCodePage, 0, wide.data(), nWide, folded.GetBuffer(nBytes), nBytes, NULL, NULL);
    folded.ReleaseBuffer(nBytes);
    return folded;
}

void COXTreeCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    if (nChar < 0x20 || nChar > 0xFF)
        return;
    const char ch[2] = {(char)nChar, 0};
    Search(ch);
}

void COXTreeCtrl::Search(LPCTSTR lpszAdd)
{
    const int nRows = GetItemCount();
    if (nRows < 2)
        return;
    if (m_nSearchTimer != 0) {
        KillTimer(m_nSearchTimer);
        m_nSearchTimer = 0;
    }
    m_sSearch += lpszAdd;
    const CString pattern = FoldForSearch(m_sSearch);
    const int nFocus = CListCtrl::GetNextItem(-1, LVNI_FOCUSED);
    int nStart = nFocus < 0 ? 0 : (pattern.GetLength() >= 2 ? nFocus : (nFocus + 1) % nRows);
    for (int i = 0; i < nRows; i++) {
        int nRow = nStart + i;
        if (nRow >= nRows) {
            if (nFocus < 0)
                break;
            nRow -= nRows;
        }
        COXTreeItem* pItem = ItemOfRow(nRow);
        if (pItem == NULL)
            continue;
        const CString text = FoldForSearch(GetItemText(pItem->Handle()));
        if (!text.IsEmpty() && text.Left(pattern.GetLength()) == pattern) {
            Select(NULL, TVGN_CARET);
            SelectItem(pItem->Handle());
            EnsureVisible(pItem->Handle());
            break;
        }
    }
    m_nSearchTimer = SetTimer(OXTREE_SEARCH_TIMER, kSearchPeriod, NULL);
}

void COXTreeCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == OXTREE_SEARCH_TIMER) {
        KillTimer(OXTREE_SEARCH_TIMER);
        m_nSearchTimer = 0;
        m_sSearch.Empty();
        return;
    }
    Default();
}

void COXTreeCtrl::OnDestroy()
{
    if (m_nSearchTimer != 0) {
        KillTimer(m_nSearchTimer);
        m_nSearchTimer = 0;
    }
    if (m_itemTip.GetControl() == this)
        m_itemTip.Detach();
    // An editor still open goes with the tree and reports nothing.
    m_combo.m_bEnded = TRUE;
    m_cal.m_bEnded = TRUE;
    ForgetRows(TRUE);
    Default();
}

// ---------------------------------------------------------------------------
// Label editing
// ---------------------------------------------------------------------------
CEdit* COXTreeCtrl::EditLabel(HTREEITEM hItem, int nCol)
{
    if (!(m_dwTCStyle & TVS_EDITLABELS) || !IsReal(hItem) || hItem == TVI_ROOT || hItem == m_root.Handle())
        return NULL;
    const int nRow = RowOf(hItem);
    CRect rectLabel;
    if (nRow < 0 || nCol < 0 || nCol >= GetColumnCount() || !GetItemRect(hItem, &rectLabel, TRUE))
        return NULL;
    m_ptEdit = EditPointOf(hItem, nCol);
    CRect box;
    if (GetCellAtEditPoint(hItem, &box) == nCol) {
        // An anchor off the client area: scroll by its own distance first,
        // then take the cell where the scroll really left it (a scroll stops
        // at the list's left end).
        CRect rectClient;
        GetClientRect(&rectClient);
        const int nFormat = ColumnFormat(nCol);
        const int nAnchor = nFormat == LVCFMT_RIGHT ? box.right : nFormat == LVCFMT_CENTER ? box.CenterPoint().x : box.left;
        if (nAnchor < 0 || nAnchor > rectClient.right) {
            Scroll(CSize(nAnchor < 0 ? nAnchor : nAnchor - rectClient.right, 0));
            m_ptEdit = EditPointOf(hItem, nCol);
        }
    }
    // The list may scroll its row into view before it asks: the point is
    // taken again then, from where the cell has gone.
    m_nPendingEditColumn = nCol;
    if (::GetFocus() != m_hWnd)
        SetFocus();
    HWND hEdit = (HWND)::SendMessageA(m_hWnd, LVM_EDITLABELA, nRow, 0);
    m_nPendingEditColumn = -1;
    return (CEdit*)CWnd::FromHandle(hEdit);
}

CPoint COXTreeCtrl::EditPointOf(HTREEITEM hItem, int nCol) const
{
    CRect rectLabel;
    if (!GetItemRect(hItem, &rectLabel, TRUE))
        return m_ptEdit;
    if (nCol == 0)
        return rectLabel.CenterPoint();
    CRect rectRow;
    CListCtrl::GetItemRect(RowOf(hItem), &rectRow, LVIR_BOUNDS);
    const int x = rectRow.left + ColumnOffset(nCol);
    return CPoint(x + ColumnWidth(nCol) / 2, rectLabel.CenterPoint().y);
}

int COXTreeCtrl::GetCellAtEditPoint(HTREEITEM hItem, LPRECT pTextRect) const
{
    COXTreeItem* pItem = IsReal(hItem) ? ItemOf(hItem) : NULL;
    const int nRow = RowOf(pItem);
    CRect rectRow;
    if (nRow < 0 || !CListCtrl::GetItemRect(nRow, &rectRow, LVIR_BOUNDS))
        return -1;
    int x = rectRow.left, nCol = -1;
    const int nCols = GetColumnCount();
    for (int i = 0; i < nCols; i++) {
        const int cx = ColumnWidth(i);
        if (m_ptEdit.x >= x && m_ptEdit.x < x + cx) {
            nCol = i;
            break;
        }
        x += cx;
    }
    if (nCol < 0 || (nCol > 0 && pItem->GetSubItem(nCol) == NULL))
        return -1;
    CRect box(x, rectRow.top, x + ColumnWidth(nCol), rectRow.bottom);
    if (nCol == 0) {
        box.left += GetItemIndent(hItem);
        if (GetRowStateImage(nRow) >= 0)
            box.left += ImageWidth(LVSIL_STATE);
    }
    if (ShownImage(pItem, IsRowSelected(pItem), nCol) >= 0)
        box.left += ImageWidth(LVSIL_SMALL);
    CRect test = box;
    if (test.Width() < 6)
        test.InflateRect(4, 4);
    if (!test.PtInRect(m_ptEdit))
        return -1;
    if (pTextRect != NULL)
        *pTextRect = box;
    return nCol;
}

CWnd* COXTreeCtrl::StartEditCell(CWnd* pListEdit, COXTreeItem* pItem, const CRect& rectText, int nCol,
                                 LRESULT* pResult)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    const int nMode = pItem->GetEditMode(nCol);
    const int nRow = RowOf(pItem);
    // The drop-down list and the calendar sit over the whole cell, right of
    // its image, scrolled into the client area.
    auto cellRect = [&]() {
        const int x = ColumnOffset(nCol);
        CRect rect(x - GetScrollPos(SB_HORZ), rectText.top, x - GetScrollPos(SB_HORZ) + ColumnWidth(nCol),
                   rectText.bottom);
        if (ShownImage(pItem, IsRowSelected(pItem), nCol) >= 0)
            rect.left += ImageWidth(LVSIL_SMALL);
        if (rect.right > rectClient.right) {
            const int nExcess = rect.right - rectClient.right;
            Scroll(CSize(nExcess, 0));
            rect.OffsetRect(-nExcess, 0);
        }
        return rect;
    };
    if (nMode == TEM_COMBO) {
        CRect rect = cellRect();
        rect.bottom += 5 * rectText.Height();
        *pResult = 1;   // the list's own edit is not wanted
        if (m_combo.m_hWnd != NULL)
            m_combo.DestroyWindow();
        if (!m_combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | CBS_DROPDOWNLIST, rect, this, 100))
            return NULL;
        m_combo.SendMessage(WM_SETFONT, (WPARAM)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0), TRUE);
        m_combo.StartEdit(this, pItem->Handle(), nRow, nCol);
        m_combo.SetFocus();
        return &m_combo;
    }
    if (nMode == TEM_DATE) {
        const CRect rect = cellRect();
        *pResult = 1;
        if (m_cal.m_hWnd != NULL) {
            m_cal.m_bEnded = TRUE;   // a stale editor reports nothing
            m_cal.DestroyWindow();
        }
        if (!m_cal.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, rect, this, 7))
            return NULL;
        m_cal.StartEdit(this, pItem->Handle(), nRow, nCol);
        m_cal.SetFocus();
        return &m_cal;
    }
    if (nMode != TEM_EDIT || pListEdit == NULL)
        return NULL;
    CRect box = rectText;
    const int nFormat = ColumnFormat(nCol);
    const int nAlign = nFormat == LVCFMT_RIGHT ? 2 : nFormat == LVCFMT_CENTER ? 1 : 0;
    auto anchorOf = [&](const CRect& r) { return nAlign == 2 ? r.right : nAlign == 1 ? r.CenterPoint().x : r.left; };
    int nAnchor = anchorOf(box);
    // A scroll now would end the list's edit: EditLabel scrolls before it
    // starts; an anchor still outside is kept to the client area.
    nAnchor = std::max(0, std::min(nAnchor, (int)rectClient.right));
    if (m_edit.m_hWnd != NULL && m_edit.m_hWnd != pListEdit->m_hWnd)
        m_edit.UnsubclassWindow();
    m_edit.ResetPlacement();
    if (m_edit.m_hWnd == NULL && !m_edit.SubclassWindow(pListEdit->m_hWnd))
        return NULL;
    m_edit.SetAnchor(nAnchor, box.top, nAlign);
    if (m_dwExStyle & TVXS_FIXEDEDITSIZE)
        m_edit.SetFixedRight(box.right);
    else
        m_edit.SetClipRight(rectClient.right);
    m_edit.SetWindowText(GetItemText(pItem->Handle(), nCol));
    return &m_edit;
}

BOOL COXTreeCtrl::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVDISPINFOA* pInfo = (NMLVDISPINFOA*)pNMHDR;
    COXTreeItem* pItem = ItemOfRow(pInfo->item.iItem);
    if (pItem == NULL) {
        *pResult = 1;
        return TRUE;
    }
    NMTVDISPINFOA nm = {};
    nm.hdr.code = TVN_BEGINLABELEDITA;
    nm.item.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.item.hItem = pItem->Handle();
    nm.item.lParam = pItem->m_tvi.lParam;
    *pResult = Notify(&nm.hdr);
    if (*pResult != 0)
        return TRUE;
    CWnd* pEdit = CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, LVM_GETEDITCONTROL, 0, 0));
    if (m_pActiveEditor != NULL && pEdit != m_pActiveEditor && ::IsWindow(m_pActiveEditor->GetSafeHwnd()))
        return FALSE;
    if (m_nPendingEditColumn >= 0)
        m_ptEdit = EditPointOf(pItem->Handle(), m_nPendingEditColumn);
    CRect rectText;
    const int nCol = GetCellAtEditPoint(pItem->Handle(), &rectText);
    if (pItem->IsDisabled() || nCol < 0 || pItem->GetEditMode(nCol) == TEM_NONE) {
        *pResult = 1;
        return TRUE;
    }
    m_nEditColumn = nCol;
    m_pActiveEditor = StartEditCell(pEdit, pItem, rectText, nCol, pResult);
    if (m_pActiveEditor == NULL)
        *pResult = 1;
    return !IsFlat();
}

BOOL COXTreeCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVDISPINFOA* pInfo = (NMLVDISPINFOA*)pNMHDR;
    COXTreeItem* pItem = ItemOfRow(pInfo->item.iItem);
    m_pActiveEditor = NULL;
    if (pInfo->item.pszText != NULL && pItem != NULL && m_nEditColumn >= 0)
        SetItemText(pItem->Handle(), pInfo->item.pszText, m_nEditColumn);
    else
        *pResult = 0;
    return FALSE;
}

// The rows carry no data of their own to free: emptying the list needs no
// notice per row.
BOOL COXTreeCtrl::OnDeleteAllRows(NMHDR*, LRESULT* pResult)
{
    *pResult = TRUE;
    return TRUE;
}

void COXTreeCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVDISPINFOA* pInfo = (NMLVDISPINFOA*)pNMHDR;
    COXTreeItem* pItem = ItemOfRow(pInfo->item.iItem);
    if (pItem != NULL && (pInfo->item.mask & LVIF_TEXT) && pInfo->item.pszText != NULL && pInfo->item.cchTextMax > 0) {
        const CString text = pInfo->item.iSubItem == 0 ? GetItemText(pItem->Handle())
                                                       : pItem->GetSubItemText(pInfo->item.iSubItem);
        lstrcpynA(pInfo->item.pszText, text, pInfo->item.cchTextMax);
    }
    *pResult = 0;
}

// ---------------------------------------------------------------------------
// Item tips
// ---------------------------------------------------------------------------
LRESULT COXTreeCtrl::OnGetItemTipInfo(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0)
        GetItemTipInfo(wParam, (OXITEMTIPINFO*)lParam);
    return 0;
}

void COXTreeCtrl::GetItemTipInfo(WPARAM, OXITEMTIPINFO* pInfo)
{
    if (pInfo->result == OXITEMTIP_UNSUPPORTED || pInfo->result == OXITEMTIP_NOITEM)
        return;
    const CPoint pt = pInfo->point;
    const int nRow = HitTest(pt, NULL);
    COXTreeItem* pItem = ItemOfRow(nRow);
    if (pItem == NULL) {
        pInfo->result = OXITEMTIP_NOITEM;
        return;
    }
    pInfo->row = nRow;
    CRect rectRow;
    CListCtrl::GetItemRect(nRow, &rectRow, LVIR_BOUNDS);
    int x = rectRow.left, nCol = -1;
    for (int i = 0, n = GetColumnCount(); i < n; i++) {
        const int cx = ColumnWidth(i);
        if (pt.x >= x && pt.x < x + cx) {
            nCol = i;
            break;
        }
        x += cx;
    }
    if (nCol < 0) {
        pInfo->result = OXITEMTIP_NOITEM;
        return;
    }
    if (nCol > 0 && pItem->GetSubItem(nCol) == NULL) {
        pInfo->result = OXITEMTIP_ALREADYINSIDE;
        return;
    }
    pInfo->col = nCol;
    CRect cell(x, rectRow.top, x + ColumnWidth(nCol), rectRow.bottom);
    if (nCol == 0) {
        cell.left += GetItemIndent(pItem->Handle());
        if (GetRowStateImage(nRow) >= 0)
            cell.left += ImageWidth(LVSIL_STATE);
    }
    if (ShownImage(pItem, IsRowSelected(pItem), nCol) >= 0)
        cell.left += ImageWidth(LVSIL_SMALL);
    if (!cell.PtInRect(pt)) {
        pInfo->result = OXITEMTIP_NOTONTEXT;
        return;
    }
    pInfo->clrText = CellTextColor(pItem, nCol);
    pInfo->clrBack = (COLORREF)-1;
    const CString text = nCol == 0 ? GetItemText(pItem->Handle()) : pItem->GetSubItemText(nCol);
    if (text.IsEmpty()) {
        pInfo->result = OXITEMTIP_NOTHING;
        return;
    }
    const int nLimit = pInfo->nTextLimit > 0 ? std::min(pInfo->nTextLimit, (int)sizeof pInfo->szText)
                                             : (int)sizeof pInfo->szText;
    lstrcpynA(pInfo->szText, text, nLimit);
    pInfo->pFont = CellFont(pItem, nCol);
    CRect base = cell;
    base.DeflateRect(2, 2);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(pInfo->pFont);
    CRect calc(0, 0, 0, 0);
    dc.DrawText(text, -1, &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(pOld);
    const int nFormat = ColumnFormat(nCol);
    CRect rect = base;
    pInfo->nAlignment = nFormat == LVCFMT_RIGHT ? 2 : nFormat == LVCFMT_CENTER ? 1 : 0;
    if (nFormat == LVCFMT_RIGHT)
        rect.left = base.right - calc.Width();
    else if (nFormat == LVCFMT_CENTER)
        rect.left = base.left + (base.Width() - calc.Width()) / 2;
    rect.right = rect.left + calc.Width();
    CRect rectClient;
    GetClientRect(&rectClient);
    if (calc.Width() > base.Width()) {
        rect.left = base.left;
        rect.right = base.left + calc.Width();
    } else if (rect.left >= rectClient.left && rect.right <= rectClient.right) {
        pInfo->result = OXITEMTIP_NOTHING;
        return;
    }
    rect.InflateRect(2, 0);
    pInfo->rectItem = rect;
    pInfo->nMargin = 2;
    pInfo->result = OXITEMTIP_SHOW;
}
