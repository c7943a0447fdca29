#include "OXTreeItem.h"

#include <string.h>

#include <algorithm>
#include <vector>

namespace
{
const CStringArray& EmptyChoices()
{
    static CStringArray empty;
    return empty;
}

// A copy of a font through its description: the caller keeps its own.
BOOL CopyFont(CFont& to, CFont* pFrom)
{
    LOGFONT lf;
    if (pFrom == NULL || pFrom->GetSafeHandle() == NULL || pFrom->GetObject(sizeof lf, &lf) != sizeof lf)
        return FALSE;
    to.DeleteObject();
    return to.CreateFontIndirect(&lf);
}

LPSTR CopyText(LPCSTR lpsz)
{
    if (lpsz == NULL || lpsz == LPSTR_TEXTCALLBACK)
        return (LPSTR)lpsz;
    const size_t n = strlen(lpsz);
    LPSTR p = new char[n + 1];
    memcpy(p, lpsz, n + 1);
    return p;
}
} // namespace

// ---------------------------------------------------------------------------
// COXTreeSubItem
// ---------------------------------------------------------------------------
COXTreeSubItem::COXTreeSubItem(int nColumn)
    : m_nColumn(nColumn), m_nFlags(0), m_nImage(0), m_nDrawFormat(DT_END_ELLIPSIS), m_nEditMode(TEM_EDIT),
      m_clrText(::GetSysColor(COLOR_WINDOWTEXT)), m_clrBack(::GetSysColor(COLOR_WINDOW))
{
}

BOOL COXTreeSubItem::SetFont(CFont* pFont)
{
    if (pFont == NULL) {
        m_nFlags &= ~TSF_FONT;
        return TRUE;
    }
    m_font.DeleteObject();
    if (CopyFont(m_font, pFont)) {
        m_nFlags |= TSF_FONT;
        return TRUE;
    }
    m_nFlags &= ~TSF_FONT;
    return FALSE;
}

void COXTreeSubItem::CopyFrom(const COXTreeSubItem& other)
{
    m_sText = other.m_sText;
    m_nColumn = other.m_nColumn;
    m_nFlags = other.m_nFlags;
    m_nImage = other.m_nImage;
    m_nDrawFormat = other.m_nDrawFormat;
    m_nEditMode = other.m_nEditMode;
    m_arrChoices.Copy(other.m_arrChoices);
    m_clrText = other.m_clrText;
    m_clrBack = other.m_clrBack;
    m_font.DeleteObject();
    if (other.m_font.GetSafeHandle() != NULL)
        CopyFont(m_font, const_cast<CFont*>(&other.m_font));
}

// ---------------------------------------------------------------------------
// COXTreeItem: construction
// ---------------------------------------------------------------------------
void COXTreeItem::Init()
{
    m_clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_clrBack = ::GetSysColor(COLOR_WINDOW);
    memset(&m_tvi, 0, sizeof m_tvi);
    m_tvi.mask = TVIF_HANDLE;
    m_tvi.hItem = (HTREEITEM)this;
    m_nDrawFormat = DT_END_ELLIPSIS;
    m_nFlags = TIF_SHOWN;
    m_bExpanded = FALSE;
    m_bExpandedOnce = FALSE;
    m_pParent = m_pNext = m_pPrev = m_pFirstChild = NULL;
    m_nEditMode = TEM_EDIT;
    m_nRow = -1;
    m_pRowsOwner = NULL;
}

COXTreeItem::COXTreeItem()
{
    Init();
}

COXTreeItem::COXTreeItem(LPCTSTR lpszText)
{
    Init();
    m_tvi.mask = TVIF_TEXT | TVIF_HANDLE;
    m_tvi.pszText = CopyText(lpszText);
    m_tvi.iImage = -1;
    m_tvi.iSelectedImage = -1;
}

COXTreeItem::~COXTreeItem()
{
    Unlink();
    DeleteChildren();
    for (INT_PTR i = 0; i < m_arrSubItems.GetSize(); i++)
        delete m_arrSubItems[i];
    m_arrSubItems.RemoveAll();
    FreeText();
}

void COXTreeItem::FreeText()
{
    if (m_tvi.pszText != NULL && m_tvi.pszText != LPSTR_TEXTCALLBACK)
        delete[] m_tvi.pszText;
    m_tvi.pszText = NULL;
}

CString COXTreeItem::GetLabel() const
{
    return m_tvi.pszText == NULL || m_tvi.pszText == LPSTR_TEXTCALLBACK ? CString() : CString(m_tvi.pszText);
}

void COXTreeItem::SetLabel(LPCTSTR lpszText)
{
    FreeText();
    m_tvi.pszText = CopyText(lpszText);
    m_tvi.mask |= TVIF_TEXT;
}

// ---------------------------------------------------------------------------
// Links and traversal
// ---------------------------------------------------------------------------
void COXTreeItem::Unlink()
{
    if (m_pParent != NULL && m_pParent->m_pFirstChild == this)
        m_pParent->m_pFirstChild = m_pNext;
    if (m_pPrev != NULL)
        m_pPrev->m_pNext = m_pNext;
    if (m_pNext != NULL)
        m_pNext->m_pPrev = m_pPrev;
    m_pParent = m_pNext = m_pPrev = NULL;
}

COXTreeItem* COXTreeItem::AddChild(COXTreeItem* pItem, HTREEITEM hAfter)
{
    pItem->m_pParent = this;
    if (m_pFirstChild == NULL) {
        pItem->m_pPrev = pItem->m_pNext = NULL;
        m_pFirstChild = pItem;
        return pItem;
    }
    if (hAfter == TVI_FIRST) {
        pItem->m_pPrev = NULL;
        pItem->m_pNext = m_pFirstChild;
        m_pFirstChild->m_pPrev = pItem;
        m_pFirstChild = pItem;
        return pItem;
    }
    COXTreeItem* pAfter = (hAfter == NULL || hAfter == TVI_LAST || hAfter == TVI_SORT) ? GetLastChild()
                                                                                          : (COXTreeItem*)hAfter;
    pItem->m_pPrev = pAfter;
    pItem->m_pNext = pAfter->m_pNext;
    if (pAfter->m_pNext != NULL)
        pAfter->m_pNext->m_pPrev = pItem;
    pAfter->m_pNext = pItem;
    return pItem;
}

HTREEITEM COXTreeItem::FindSortedPosition(LPCTSTR lpszText, BOOL bAscending) const
{
    // A text the owner gives has no place in an order: it goes last.
    if (lpszText == LPSTR_TEXTCALLBACK)
        return NULL;
    if (lpszText == NULL || *lpszText == '\0')
        return bAscending ? NULL : TVI_FIRST;
    if (m_pFirstChild == NULL)
        return TVI_FIRST;
    const int nSign = bAscending ? 1 : -1;
    const CString text(lpszText);
    const COXTreeItem* pKept = NULL;
    for (const COXTreeItem* p = m_pFirstChild; p != NULL; p = p->m_pNext) {
        if (p->HasCallbackText())
            continue;   // never a candidate: there is nothing to compare
        const CString label = p->GetLabel();
        if (nSign * text.Collate(label) <= 0)
            continue;
        if (pKept == NULL || nSign * label.Collate(pKept->GetLabel()) > 0)
            pKept = p;
    }
    return pKept != NULL ? pKept->Handle() : TVI_FIRST;
}

void COXTreeItem::SwapWithNext()
{
    COXTreeItem* pNext = m_pNext;
    if (pNext == NULL)
        return;
    COXTreeItem* pPrev = m_pPrev;
    COXTreeItem* pAfter = pNext->m_pNext;
    if (pPrev != NULL)
        pPrev->m_pNext = pNext;
    else if (m_pParent != NULL)
        m_pParent->m_pFirstChild = pNext;
    pNext->m_pPrev = pPrev;
    pNext->m_pNext = this;
    m_pPrev = pNext;
    m_pNext = pAfter;
    if (pAfter != NULL)
        pAfter->m_pPrev = this;
}

void COXTreeItem::MoveDown()
{
    SwapWithNext();
}

void COXTreeItem::DeleteChildren()
{
    while (m_pFirstChild != NULL) {
        COXTreeItem* pChild = m_pFirstChild;
        pChild->Unlink();
        delete pChild;
    }
}

int COXTreeItem::GetChildCount() const
{
    int n = 0;
    for (const COXTreeItem* p = m_pFirstChild; p != NULL; p = p->m_pNext)
        n++;
    return n;
}

int COXTreeItem::CountChildren(BOOL bAll) const
{
    int n = 0;
    for (const COXTreeItem* p = m_pFirstChild; p != NULL; p = p->m_pNext)
        n += (bAll || !p->IsHidden()) ? 1 : 0;
    return n;
}

// Compared, never followed: a handle from outside may be anything.
BOOL COXTreeItem::IsChild(HTREEITEM hItem) const
{
    for (const COXTreeItem* p = m_pFirstChild; p != NULL; p = p->m_pNext)
        if (p->Handle() == hItem)
            return TRUE;
    return FALSE;
}

COXTreeItem* COXTreeItem::GetLastChild() const
{
    COXTreeItem* p = m_pFirstChild;
    while (p != NULL && p->m_pNext != NULL)
        p = p->m_pNext;
    return p;
}

int COXTreeItem::GetLevel() const
{
    int n = 0;
    for (const COXTreeItem* p = m_pParent; p != NULL; p = p->m_pParent)
        n++;
    return n;
}

COXTreeItem* COXTreeItem::GetNextInOrder() const
{
    if (m_pFirstChild != NULL)
        return m_pFirstChild;
    for (const COXTreeItem* p = this; p != NULL; p = p->m_pParent)
        if (p->m_pNext != NULL)
            return p->m_pNext;
    return NULL;
}

COXTreeItem* COXTreeItem::GetPrevInOrder() const
{
    if (m_pPrev == NULL)
        return m_pParent;
    COXTreeItem* p = m_pPrev;
    while (p->m_pFirstChild != NULL)
        p = p->GetLastChild();
    return p;
}

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------
BOOL COXTreeItem::IsVisible() const
{
    if (IsHidden())
        return FALSE;
    for (const COXTreeItem* p = m_pParent; p != NULL; p = p->m_pParent)
        if (p->IsHidden() || !p->m_bExpanded)
            return FALSE;
    return TRUE;
}

BOOL COXTreeItem::IsUnderCollapsedAncestor() const
{
    for (const COXTreeItem* p = m_pParent; p != NULL; p = p->m_pParent)
        if (!p->m_bExpanded)
            return TRUE;
    return FALSE;
}

BOOL COXTreeItem::IsLastShownSibling() const
{
    for (const COXTreeItem* p = m_pNext; p != NULL; p = p->m_pNext)
        if (!p->IsHidden())
            return FALSE;
    return TRUE;
}

BOOL COXTreeItem::HasChildren() const
{
    return m_tvi.cChildren > 0 || CountChildren(FALSE) > 0;
}

void COXTreeItem::SetExpanded(BOOL bExpanded)
{
    m_bExpanded = bExpanded;
    if (bExpanded)
        m_bExpandedOnce = TRUE;
}

// ---------------------------------------------------------------------------
// Columns
// ---------------------------------------------------------------------------
COXTreeSubItem* COXTreeItem::GetSubItem(int nColumn) const
{
    for (INT_PTR i = 0; i < m_arrSubItems.GetSize(); i++)
        if (m_arrSubItems[i]->m_nColumn == nColumn)
            return m_arrSubItems[i];
    return NULL;
}

int COXTreeItem::GetImage(int nColumn, BOOL bNormal) const
{
    if (nColumn == 0)
        return bNormal ? m_tvi.iImage : m_tvi.iSelectedImage;
    return GetSubItemImage(nColumn);
}

int COXTreeItem::GetSubItemImage(int nColumn) const
{
    const COXTreeSubItem* p = nColumn > 0 ? GetSubItem(nColumn) : NULL;
    return p != NULL && (p->m_nFlags & TSF_IMAGE) ? p->m_nImage : -1;
}

CString COXTreeItem::GetSubItemText(int nColumn) const
{
    const COXTreeSubItem* p = nColumn > 0 ? GetSubItem(nColumn) : NULL;
    return p != NULL ? p->m_sText : CString();
}

BOOL COXTreeItem::SetSubItemText(LPCTSTR lpszText, int nColumn)
{
    return SetSubItem(nColumn, TSF_TEXT, lpszText, 0, NULL, 0, 0);
}

BOOL COXTreeItem::SetSubItem(int nColumn, UINT nMask, LPCTSTR lpszText, int nImage, CFont* pFont, COLORREF clrText,
                             COLORREF clrBack)
{
    if (nColumn <= 0)
        return FALSE;
    COXTreeSubItem* p = GetSubItem(nColumn);
    if (p == NULL) {
        p = new COXTreeSubItem(nColumn);
        m_arrSubItems.Add(p);
    }
    if (nMask & TSF_IMAGE) {
        p->m_nImage = nImage;
        p->m_nFlags |= TSF_IMAGE;
    }
    if (nMask & TSF_TEXT) {
        p->m_sText = lpszText ? lpszText : "";
        p->m_nFlags |= TSF_TEXT;
    }
    if (nMask & TSF_FONT)
        p->SetFont(pFont);
    if (nMask & TSF_TEXTCOLOR)
        p->SetTextColor(clrText);
    if (nMask & TSF_BACKCOLOR)
        p->SetBackColor(clrBack);
    return TRUE;
}

BOOL COXTreeItem::HasTextColor(int nColumn) const
{
    if (nColumn == 0)
        return (m_nFlags & TIF_TEXTCOLOR) != 0;
    const COXTreeSubItem* p = GetSubItem(nColumn);
    return p != NULL && (p->m_nFlags & TSF_TEXTCOLOR);
}

COLORREF COXTreeItem::GetTextColor(int nColumn) const
{
    if (nColumn == 0)
        return m_clrText;
    const COXTreeSubItem* p = GetSubItem(nColumn);
    return p != NULL ? p->m_clrText : 0;
}

BOOL COXTreeItem::HasBackColor(int nColumn) const
{
    if (nColumn == 0)
        return (m_nFlags & TIF_BACKCOLOR) != 0;
    const COXTreeSubItem* p = GetSubItem(nColumn);
    return p != NULL && (p->m_nFlags & TSF_BACKCOLOR);
}

COLORREF COXTreeItem::GetBackColor(int nColumn) const
{
    if (nColumn == 0)
        return m_clrBack;
    const COXTreeSubItem* p = GetSubItem(nColumn);
    return p != NULL ? p->m_clrBack : 0;
}

BOOL COXTreeItem::HasFont(int nColumn) const
{
    if (nColumn == 0)
        return (m_nFlags & TIF_FONT) != 0;
    const COXTreeSubItem* p = GetSubItem(nColumn);
    return p != NULL && (p->m_nFlags & TSF_FONT);
}

CFont* COXTreeItem::GetFont(int nColumn) const
{
    if (nColumn == 0)
        return (m_nFlags & TIF_FONT) ? const_cast<CFont*>(&m_font) : NULL;
    COXTreeSubItem* p = GetSubItem(nColumn);
    return p != NULL && (p->m_nFlags & TSF_FONT) ? &p->m_font : NULL;
}

BOOL COXTreeItem::SetFont(int nColumn, CFont* pFont)
{
    if (nColumn != 0) {
        COXTreeSubItem* p = GetSubItem(nColumn);
        return p != NULL && p->SetFont(pFont);
    }
    if (pFont == NULL) {
        m_nFlags &= ~TIF_FONT;
        return TRUE;
    }
    LOGFONT lf;
    if (pFont->GetSafeHandle() == NULL || pFont->GetObject(sizeof lf, &lf) != sizeof lf)
        return FALSE;
    m_font.DeleteObject();
    if (!m_font.CreateFontIndirect(&lf)) {
        m_nFlags &= ~TIF_FONT;
        return FALSE;
    }
    m_nFlags |= TIF_FONT;
    return TRUE;
}

UINT COXTreeItem::GetDrawFormat(int nColumn) const
{
    if (nColumn == 0)
        return m_nDrawFormat;
    const COXTreeSubItem* p = GetSubItem(nColumn);
    return p != NULL ? p->m_nDrawFormat : DT_END_ELLIPSIS;
}

void COXTreeItem::SetDrawFormat(UINT nFormat, int nColumn)
{
    if (nColumn == 0) {
        m_nDrawFormat = nFormat;
        return;
    }
    if (nColumn < 0)
        return;
    // A column's format is worth a record of its own.
    COXTreeSubItem* p = GetSubItem(nColumn);
    if (p == NULL) {
        p = new COXTreeSubItem(nColumn);
        m_arrSubItems.Add(p);
    }
    p->m_nDrawFormat = nFormat;
}

int COXTreeItem::GetEditMode(int nColumn) const
{
    if (nColumn == 0)
        return m_nEditMode;
    const COXTreeSubItem* p = GetSubItem(nColumn);
    return p != NULL ? p->m_nEditMode : TEM_EDIT;
}

void COXTreeItem::SetEditMode(int nMode, const CStringArray& arrChoices, int nColumn)
{
    const bool bValid = nMode >= TEM_EDIT && nMode <= TEM_NONE;
    if (nColumn == 0) {
        if (bValid)
            m_nEditMode = nMode;
        m_arrChoices.Copy(arrChoices);
        return;
    }
    COXTreeSubItem* p = GetSubItem(nColumn);
    if (p == NULL)
        return;
    if (bValid)
        p->m_nEditMode = nMode;
    p->m_arrChoices.Copy(arrChoices);
}

const CStringArray& COXTreeItem::GetChoices(int nColumn) const
{
    if (nColumn == 0)
        return m_arrChoices;
    const COXTreeSubItem* p = GetSubItem(nColumn);
    return p != NULL ? p->m_arrChoices : EmptyChoices();
}

int COXTreeItem::SetChoices(const CStringArray& arrChoices, int nColumn)
{
    if (nColumn == 0) {
        m_arrChoices.Copy(arrChoices);
        return (int)m_arrChoices.GetSize();
    }
    COXTreeSubItem* p = GetSubItem(nColumn);
    if (p == NULL)
        return 0;
    p->m_arrChoices.Copy(arrChoices);
    return (int)p->m_arrChoices.GetSize();
}

void COXTreeItem::RemoveColumn(int nColumn)
{
    if (nColumn <= 0)
        return;
    for (INT_PTR i = 0; i < m_arrSubItems.GetSize(); i++) {
        if (m_arrSubItems[i]->m_nColumn == nColumn) {
            delete m_arrSubItems[i];
            m_arrSubItems.RemoveAt(i);
            break;
        }
    }
    for (INT_PTR i = 0; i < m_arrSubItems.GetSize(); i++)
        if (m_arrSubItems[i]->m_nColumn > nColumn)
            m_arrSubItems[i]->m_nColumn--;
}

// ---------------------------------------------------------------------------
// Expansion and rows
// ---------------------------------------------------------------------------
int COXTreeItem::InsertVisibleChildRows(COXTreeRows* pRows, int nRow)
{
    if (IsHidden() || !m_bExpanded)
        return nRow;
    for (COXTreeItem* p = m_pFirstChild; p != NULL; p = p->m_pNext) {
        if (p->IsHidden())
            continue;
        if (pRows->InsertRow(p, nRow) >= 0)
            nRow++;
        nRow = p->InsertVisibleChildRows(pRows, nRow);
    }
    return nRow;
}

// The rows of the descendants, in order: a block right below the item while
// the rows match the tree. FALSE when the rows found are not one block.
BOOL COXTreeItem::FindDescendantRows(COXTreeRows* pRows, int& nFirst, int& nCount) const
{
    for (const COXTreeItem* p = m_pFirstChild; p != NULL; p = p->m_pNext) {
        const int nRow = pRows->RowOf(p);
        if (nRow < 0)
            continue;   // nothing below an item without a row has one
        if (nFirst < 0)
            nFirst = nRow;
        else if (nRow != nFirst + nCount)
            return FALSE;
        nCount++;
        if (!p->FindDescendantRows(pRows, nFirst, nCount))
            return FALSE;
    }
    return TRUE;
}

void COXTreeItem::DeleteDescendantRows(COXTreeRows* pRows)
{
    int nFirst = -1, nCount = 0;
    if (FindDescendantRows(pRows, nFirst, nCount)) {
        if (nCount > 0)
            pRows->DeleteRows(nFirst, nCount);
        return;
    }
    // Rows out of step with the tree: each descendant's own row, one by one.
    for (COXTreeItem* p = m_pFirstChild; p != NULL; p = p->m_pNext) {
        if (pRows->RowOf(p) < 0)
            continue;
        p->DeleteDescendantRows(pRows);
        pRows->DeleteRow(pRows->RowOf(p));
    }
}

void COXTreeItem::RemoveChildRows(COXTreeRows* pRows)
{
    DeleteDescendantRows(pRows);
}

void COXTreeItem::UpdateChildRows(COXTreeRows* pRows)
{
    if (m_bExpanded) {
        int nOwn = pRows->RowOf(this);
        InsertVisibleChildRows(pRows, nOwn + 1);
    } else {
        DeleteDescendantRows(pRows);
    }
}

BOOL COXTreeItem::Expand(UINT nCode, COXTreeRows* pRows)
{
    const BOOL bWasVisible = IsVisible();
    switch (nCode) {
    case TVE_COLLAPSE:
        if (!m_bExpanded)
            return TRUE;
        m_bExpanded = FALSE;
        break;
    case TVE_EXPAND:
        if (m_bExpanded)
            return TRUE;
        m_bExpanded = TRUE;
        break;
    case TVE_TOGGLE:
        m_bExpanded = !m_bExpanded;
        break;
    case TVE_COLLAPSERESET:
        if (pRows != NULL)
            DeleteDescendantRows(pRows);
        DeleteChildren();
        m_bExpanded = FALSE;
        m_bExpandedOnce = FALSE;
        m_tvi.cChildren = 0;
        return TRUE;
    default:
        return FALSE;
    }
    if (m_bExpanded)
        m_bExpandedOnce = TRUE;
    if (!bWasVisible && !m_bExpanded)
        return TRUE;
    if (pRows == NULL)
        return TRUE;
    if (bWasVisible || !m_bExpanded)
        UpdateChildRows(pRows);
    else if (m_pParent != NULL)
        m_pParent->Expand(TVE_EXPAND, pRows);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Sorting and copying
// ---------------------------------------------------------------------------
BOOL COXTreeItem::CompareWithNext(int nColumn, BOOL bAscending) const
{
    if (m_pNext == NULL || HasCallbackText() || m_pNext->HasCallbackText())
        return FALSE;
    const CString a = nColumn == 0 ? GetLabel() : GetSubItemText(nColumn);
    const CString b = nColumn == 0 ? m_pNext->GetLabel() : m_pNext->GetSubItemText(nColumn);
    return (bAscending ? 1 : -1) * a.Collate(b) > 0;
}

namespace
{
// A stable merge sort that stays within its range whatever the comparison
// answers: an owner's compare function need not be an order.
// later_first(b, a): b, coming after a, goes before it.
template <class T, class F>
void MergeSort(T* p, T* buffer, size_t n, F later_first)
{
    if (n < 2)
        return;
    const size_t nHalf = n / 2;
    MergeSort(p, buffer, nHalf, later_first);
    MergeSort(p + nHalf, buffer, n - nHalf, later_first);
    size_t i = 0, j = nHalf, k = 0;
    while (i < nHalf && j < n)
        buffer[k++] = later_first(p[j], p[i]) ? std::move(p[j++]) : std::move(p[i++]);
    while (i < nHalf)
        buffer[k++] = std::move(p[i++]);
    while (j < n)
        buffer[k++] = std::move(p[j++]);
    for (k = 0; k < n; k++)
        p[k] = std::move(buffer[k]);
}
} // namespace

BOOL COXTreeItem::SortChildren(int nColumn, BOOL bOnlyThisLevel, BOOL bAscending, PFNTVCOMPARE pfnCompare,
                               LPARAM lParamSort)
{
    if (m_pFirstChild == NULL)
        return TRUE;
    const int nSign = bAscending ? 1 : -1;
    // The order of exchanging neighbours that are out of order until none
    // are, reached by a stable merge sort: a later item goes before an earlier one
    // exactly when that pair would be exchanged. Without a compare function
    // an item whose text the owner gives is never exchanged, so it stays
    // where it is and splits the children into runs sorted each on its own.
    struct Entry
    {
        COXTreeItem* pItem;
        CString sText;
    };
    std::vector<Entry> entries;
    for (COXTreeItem* p = m_pFirstChild; p != NULL; p = p->m_pNext)
        entries.push_back({p, pfnCompare != NULL || p->HasCallbackText()
                                  ? CString()
                                  : (nColumn == 0 ? p->GetLabel() : p->GetSubItemText(nColumn))});
    auto later_first = [&](const Entry& later, const Entry& earlier) {
        if (pfnCompare != NULL)
            return nSign * pfnCompare(earlier.pItem->m_tvi.lParam, later.pItem->m_tvi.lParam, lParamSort) > 0;
        return nSign * earlier.sText.Collate(later.sText) > 0;
    };
    std::vector<Entry> buffer(entries.size());
    size_t nRun = 0;
    for (size_t i = 0; i <= entries.size(); i++) {
        if (i < entries.size() && (pfnCompare != NULL || !entries[i].pItem->HasCallbackText()))
            continue;
        MergeSort(entries.data() + nRun, buffer.data(), i - nRun, later_first);
        nRun = i + 1;
    }
    // Relink the children in the new order.
    COXTreeItem* pPrev = NULL;
    for (Entry& e : entries) {
        e.pItem->m_pPrev = pPrev;
        e.pItem->m_pNext = NULL;
        if (pPrev != NULL)
            pPrev->m_pNext = e.pItem;
        else
            m_pFirstChild = e.pItem;
        pPrev = e.pItem;
    }
    if (!bOnlyThisLevel)
        for (COXTreeItem* p = m_pFirstChild; p != NULL; p = p->m_pNext)
            if (p->m_pFirstChild != NULL)
                p->SortChildren(nColumn, bOnlyThisLevel, bAscending, pfnCompare, lParamSort);
    return TRUE;
}

COXTreeItem& COXTreeItem::operator=(const COXTreeItem& other)
{
    if (this == &other)
        return *this;
    FreeText();
    m_tvi.pszText = CopyText(other.m_tvi.pszText);
    m_tvi.mask = other.m_tvi.mask;
    m_tvi.state = other.m_tvi.state;
    m_tvi.stateMask = other.m_tvi.stateMask;
    m_tvi.cchTextMax = other.m_tvi.cchTextMax;
    m_tvi.iImage = other.m_tvi.iImage;
    m_tvi.iSelectedImage = other.m_tvi.iSelectedImage;
    m_tvi.cChildren = other.m_tvi.cChildren;
    m_tvi.lParam = other.m_tvi.lParam;
    m_tvi.hItem = (HTREEITEM)this;
    m_clrText = other.m_clrText;
    m_clrBack = other.m_clrBack;
    m_nDrawFormat = other.m_nDrawFormat;
    m_nFlags = other.m_nFlags;
    m_bExpanded = other.m_bExpanded;
    m_bExpandedOnce = other.m_bExpandedOnce;
    m_pParent = other.m_pParent;
    m_pNext = other.m_pNext;
    m_pPrev = other.m_pPrev;
    m_pFirstChild = other.m_pFirstChild;
    m_arrChoices.Copy(other.m_arrChoices);
    m_nEditMode = other.m_nEditMode;
    m_font.DeleteObject();
    if (other.m_font.GetSafeHandle() != NULL && !CopyFont(m_font, const_cast<CFont*>(&other.m_font)))
        m_nFlags &= ~TIF_FONT;
    for (INT_PTR i = 0; i < m_arrSubItems.GetSize(); i++)
        delete m_arrSubItems[i];
    m_arrSubItems.RemoveAll();
    for (INT_PTR i = 0; i < other.m_arrSubItems.GetSize(); i++) {
        COXTreeSubItem* p = new COXTreeSubItem;
        p->CopyFrom(*other.m_arrSubItems[i]);
        m_arrSubItems.Add(p);
    }
    return *this;
}

COXTreeItem* COXTreeItem::CopySubtree(const COXTreeItem* pSource, HTREEITEM hAfter, BOOL bRecursive)
{
    COXTreeItem* pCopy = new COXTreeItem;
    *pCopy = *pSource;
    pCopy->m_pParent = pCopy->m_pNext = pCopy->m_pPrev = pCopy->m_pFirstChild = NULL;
    AddChild(pCopy, hAfter);
    if (bRecursive) {
        // The source's children as they are now: a copy into the source's
        // own subtree must not copy its own copies.
        CArray<const COXTreeItem*, const COXTreeItem*> children;
        for (const COXTreeItem* p = pSource->m_pFirstChild; p != NULL; p = p->m_pNext)
            if (p != pCopy)
                children.Add(p);
        HTREEITEM hPrev = TVI_FIRST;
        for (INT_PTR i = 0; i < children.GetSize(); i++)
            hPrev = pCopy->CopySubtree(children[i], hPrev, TRUE)->Handle();
    }
    return pCopy;
}
