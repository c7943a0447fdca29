#include "OXMultiComboBox.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(COXMultiComboBox, CComboBox)

static const int DEFAULT_COLUMN_WIDTH = 60;

// ---------------------------------------------------------------------------
// The list: horizontal scrolling goes through the combo, and its height and
// place are fitted before each move.
// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(COXMultiComboBox::COXComboLBox, CListBox)
    ON_WM_HSCROLL()
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

void COXMultiComboBox::COXComboLBox::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    (void)pScrollBar;
    const MSG* pMsg = GetCurrentMessage();
    LRESULT lResult = 0;
    if (m_pCombo && ::IsWindow(m_pCombo->m_hWnd))
        lResult = m_pCombo->SendMessage(WM_OX_MULTICOMBO_HSCROLL, pMsg->wParam, pMsg->lParam);
    if (lResult == 0)
        Default();
    (void)nSBCode;
    (void)nPos;
}

void COXMultiComboBox::COXComboLBox::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    if (m_pCombo && !(lpwndpos->flags & SWP_NOSIZE)) {
        int nBorders = 2 * ::GetSystemMetrics(SM_CYBORDER);
        int nHScroll = m_bHorzScroll ? ::GetSystemMetrics(SM_CYHSCROLL) : 0;
        int nWanted = m_pCombo->GetTotalItemHeight() + nBorders + nHScroll;
        CRect rectDropped;
        m_pCombo->GetDroppedControlRect(&rectDropped);
        if (rectDropped.Height() < nWanted) {
            int nAvailable = rectDropped.Height() - nBorders - nHScroll;
            int nFit = 0;
            if (m_pCombo->GetStyle() & CBS_OWNERDRAWVARIABLE) {
                for (int i = 0; i < m_pCombo->GetCount(); ++i) {
                    int h = (int)m_pCombo->SendMessage(CB_GETITEMHEIGHT, i, 0);
                    if (nFit + h > nAvailable)
                        break;
                    nFit += h;
                }
            } else {
                int h = (int)m_pCombo->SendMessage(CB_GETITEMHEIGHT, 0, 0);
                if (h > 0)
                    nFit = std::max(0, nAvailable) / h * h;
            }
            nWanted = nFit + nBorders + nHScroll;
        }
        lpwndpos->cy = nWanted;
        int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
        if (lpwndpos->x + lpwndpos->cx > cxScreen) {
            lpwndpos->x = std::max(0, cxScreen - lpwndpos->cx);
            lpwndpos->flags &= ~SWP_NOMOVE;
        }
    }
    Default();
}

// ---------------------------------------------------------------------------
// The combo
// ---------------------------------------------------------------------------

COXMultiComboBox::COXMultiComboBox()
{
    m_arrColumnWidths.Add(DEFAULT_COLUMN_WIDTH);
    LOGBRUSH lb = {BS_SOLID, RGB(0, 0, 0), 0};
    HPEN hPen = ::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, NULL);
    if (hPen)
        m_penGrid.Attach(hPen);
    else
        m_penGrid.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_listBox.m_pCombo = this;
}

COXMultiComboBox::~COXMultiComboBox()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL COXMultiComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CComboBox::Create(dwStyle, rect, pParentWnd, nID);
}

void COXMultiComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
}

COXMultiComboBox::COXRowData* COXMultiComboBox::RawRow(int nIndex) const
{
    if (!::IsWindow(m_hWnd) || nIndex < 0 || nIndex >= GetCount())
        return NULL;
    LRESULT lData = const_cast<COXMultiComboBox*>(this)->DefWindowProc(CB_GETITEMDATA, (WPARAM)nIndex, 0);
    return lData == CB_ERR ? NULL : (COXRowData*)lData;
}

COXMultiComboBox::COXRowData* COXMultiComboBox::GetRowData(int nIndex) const
{
    return RawRow(nIndex);
}

int COXMultiComboBox::AttachRow(int nIndex, LPCTSTR* ppTexts, int nCount)
{
    COXRowData* pRow = new COXRowData(m_nColumnCount);
    for (int i = 0; i < nCount && i < m_nColumnCount; ++i)
        pRow->m_arrTexts[i] = ppTexts[i] ? ppTexts[i] : "";
    if (DefWindowProc(CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)pRow) == CB_ERR) {
        delete pRow;
        DefWindowProc(CB_DELETESTRING, (WPARAM)nIndex, 0);
        return CB_ERR;
    }
    return nIndex;
}

int COXMultiComboBox::InsertString(int nIndex, LPCTSTR* ppTexts, int nCount)
{
    if (nCount <= 0 || nCount > m_nColumnCount || nCount <= m_nMasterColumn || ppTexts == NULL)
        return CB_ERR;
    LPCTSTR lpszMaster = ppTexts[m_nMasterColumn] ? ppTexts[m_nMasterColumn] : "";
    m_bUpdateList = TRUE;
    int nItem = (int)DefWindowProc(CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszMaster);
    if (nItem < 0)
        return CB_ERR;
    nItem = AttachRow(nItem, ppTexts, nCount);
    if (nItem >= 0)
        ApplyDropDownWidth();
    return nItem;
}

int COXMultiComboBox::AddString(LPCTSTR* ppTexts, int nCount)
{
    if (nCount <= 0 || nCount > m_nColumnCount || nCount <= m_nMasterColumn || ppTexts == NULL)
        return CB_ERR;
    LPCTSTR lpszMaster = ppTexts[m_nMasterColumn] ? ppTexts[m_nMasterColumn] : "";
    m_bUpdateList = TRUE;
    int nItem = (int)DefWindowProc(CB_ADDSTRING, 0, (LPARAM)lpszMaster);
    if (nItem < 0)
        return CB_ERR;
    nItem = AttachRow(nItem, ppTexts, nCount);
    if (nItem >= 0)
        ApplyDropDownWidth();
    return nItem;
}

int COXMultiComboBox::AddString(LPCTSTR lpszText)
{
    std::vector<LPCTSTR> texts(m_nMasterColumn + 1, "");
    texts[m_nMasterColumn] = lpszText;
    return AddString(texts.data(), (int)texts.size());
}

int COXMultiComboBox::InsertString(int nIndex, LPCTSTR lpszText)
{
    std::vector<LPCTSTR> texts(m_nMasterColumn + 1, "");
    texts[m_nMasterColumn] = lpszText;
    return InsertString(nIndex, texts.data(), (int)texts.size());
}

BOOL COXMultiComboBox::SetColumnCount(int nCount)
{
    if (nCount == m_nColumnCount)
        return TRUE;
    if (nCount < 0 || nCount <= m_nMasterColumn)
        return FALSE;
    int nOld = m_nColumnCount;
    m_arrColumnWidths.SetSize(nCount);
    for (int i = nOld; i < nCount; ++i)
        m_arrColumnWidths[i] = DEFAULT_COLUMN_WIDTH;
    m_nColumnCount = nCount;
    for (int i = 0; i < GetCount(); ++i)
        if (COXRowData* pRow = RawRow(i))
            pRow->m_arrTexts.SetSize(nCount);
    ApplyDropDownWidth();
    return TRUE;
}

BOOL COXMultiComboBox::SetColumnWidth(int nCol, int nWidth)
{
    if (nCol < -1 || nCol >= m_nColumnCount)
        return FALSE;
    for (int i = 0; i < m_nColumnCount; ++i)
        if (nCol == -1 || nCol == i)
            m_arrColumnWidths[i] = nWidth;
    ApplyDropDownWidth();
    return TRUE;
}

int COXMultiComboBox::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nColumnCount)
        return -1;
    return m_arrColumnWidths[nCol];
}

int COXMultiComboBox::SetFitDropDownToColumns(BOOL bFit)
{
    m_bFitDropDownToColumns = bFit;
    return ApplyDropDownWidth();
}

BOOL COXMultiComboBox::Refill(int nMasterColumn)
{
    std::vector<COXRowData*> rows;
    for (int i = 0; i < GetCount(); ++i)
        rows.push_back(RawRow(i));
    // Items go and come back here; their records stay with this object.
    m_bResetting = TRUE;
    DefWindowProc(CB_RESETCONTENT, 0, 0);
    BOOL bOk = TRUE;
    for (COXRowData* pRow : rows) {
        LPCTSTR lpszText = pRow ? (LPCTSTR)pRow->m_arrTexts[nMasterColumn] : "";
        int nItem = (int)DefWindowProc(CB_ADDSTRING, 0, (LPARAM)lpszText);
        if (nItem < 0) {
            bOk = FALSE;
            break;
        }
        DefWindowProc(CB_SETITEMDATA, (WPARAM)nItem, (LPARAM)pRow);
    }
    if (!bOk) {
        // Put every row back on the column it came from, so nothing is lost
        // and the list does not stand half in the new column.
        DefWindowProc(CB_RESETCONTENT, 0, 0);
        for (COXRowData* pRow : rows) {
            LPCTSTR lpszText = pRow ? (LPCTSTR)pRow->m_arrTexts[m_nMasterColumn] : "";
            int nItem = (int)DefWindowProc(CB_ADDSTRING, 0, (LPARAM)lpszText);
            if (nItem >= 0)
                DefWindowProc(CB_SETITEMDATA, (WPARAM)nItem, (LPARAM)pRow);
            else
                delete pRow;
        }
    }
    m_bResetting = FALSE;
    m_bUpdateList = TRUE;
    return bOk;
}

BOOL COXMultiComboBox::SetMasterColumn(int nCol)
{
    if (nCol == m_nMasterColumn)
        return TRUE;
    if (nCol < 0 || nCol >= m_nColumnCount)
        return FALSE;
    // The selected row is found again by its record: with equal texts in the
    // new column, a search by text would pick another row.
    int nSel = GetCurSel();
    COXRowData* pSelected = nSel >= 0 ? RawRow(nSel) : NULL;
    if (!Refill(nCol))
        return FALSE;
    m_nMasterColumn = nCol;
    if (nSel < 0)
        return TRUE;
    for (int i = 0; i < GetCount(); ++i)
        if (RawRow(i) == pSelected) {
            SetCurSel(i);
            return TRUE;
        }
    return FALSE;
}

int COXMultiComboBox::GetLBText(int nIndex, int nCol, LPTSTR lpszText) const
{
    COXRowData* pRow = RawRow(nIndex);
    if (pRow == NULL || nCol < 0 || nCol >= m_nColumnCount || lpszText == NULL)
        return CB_ERR;
    const CString& s = pRow->m_arrTexts[nCol];
    memcpy(lpszText, (LPCTSTR)s, s.GetLength() + 1);
    return s.GetLength();
}

void COXMultiComboBox::GetLBText(int nIndex, int nCol, CString& rString) const
{
    COXRowData* pRow = RawRow(nIndex);
    rString.Empty();
    if (pRow && nCol >= 0 && nCol < m_nColumnCount && nCol < pRow->m_arrTexts.GetSize())
        rString = pRow->m_arrTexts[nCol];
}

void COXMultiComboBox::GetLBText(int nIndex, CString& rString) const
{
    GetLBText(nIndex, m_nMasterColumn, rString);
}

int COXMultiComboBox::GetLBTextLen(int nIndex, int nCol) const
{
    COXRowData* pRow = RawRow(nIndex);
    if (pRow == NULL || nCol < 0 || nCol >= m_nColumnCount)
        return CB_ERR;
    return pRow->m_arrTexts[nCol].GetLength();
}

int COXMultiComboBox::FindStringExact(int nStartAfter, int nCol, LPCTSTR lpszFind, BOOL bCaseSensitive) const
{
    if (nCol < 0 || nCol >= m_nColumnCount || lpszFind == NULL)
        return CB_ERR;
    int nCount = GetCount();
    for (int i = std::max(0, nStartAfter); i < nCount; ++i) {
        CString s;
        GetLBText(i, nCol, s);
        if ((bCaseSensitive ? s.Compare(lpszFind) : s.CompareNoCase(lpszFind)) == 0)
            return i;
    }
    return CB_ERR;
}

int COXMultiComboBox::FindString(int nStartAfter, int nCol, LPCTSTR lpszPrefix, BOOL bCaseSensitive) const
{
    if (nCol < 0 || nCol >= m_nColumnCount || lpszPrefix == NULL || *lpszPrefix == '\0')
        return CB_ERR;
    CString sPrefix(lpszPrefix);
    int nCount = GetCount();
    for (int i = nStartAfter < -1 ? 0 : nStartAfter + 1; i < nCount; ++i) {
        CString s;
        GetLBText(i, nCol, s);
        CString sHead = s.Left(sPrefix.GetLength());
        if (sHead.GetLength() == sPrefix.GetLength()
            && (bCaseSensitive ? sHead.Compare(sPrefix) : sHead.CompareNoCase(sPrefix)) == 0)
            return i;
    }
    return CB_ERR;
}

int COXMultiComboBox::SelectString(int nStartAfter, int nCol, LPCTSTR lpszFind)
{
    // By index: a prefix search on the master text could land on another
    // row whose text merely begins the same way.
    int nItem = FindStringExact(nStartAfter, nCol, lpszFind, FALSE);
    if (nItem < 0)
        return CB_ERR;
    return SetCurSel(nItem);
}

int COXMultiComboBox::GetTotalColumnWidth() const
{
    int nTotal = 0;
    for (int i = 0; i < m_nColumnCount; ++i)
        nTotal += m_arrColumnWidths[i];
    return nTotal;
}

int COXMultiComboBox::GetTotalItemHeight() const
{
    int nCount = GetCount();
    if (nCount <= 0)
        return 0;
    if (GetStyle() & CBS_OWNERDRAWVARIABLE) {
        int nTotal = 0;
        for (int i = 0; i < nCount; ++i)
            nTotal += (int)::SendMessage(m_hWnd, CB_GETITEMHEIGHT, i, 0);
        return nTotal;
    }
    return nCount * (int)::SendMessage(m_hWnd, CB_GETITEMHEIGHT, 0, 0);
}

BOOL COXMultiComboBox::NeedsVertScroll(const CRect& rectDropped, int nWidth) const
{
    int nItems = GetTotalItemHeight();
    if (rectDropped.Height() - 2 * ::GetSystemMetrics(SM_CYBORDER) < nItems)
        return TRUE;
    return rectDropped.Width() < nWidth && rectDropped.Height() - ::GetSystemMetrics(SM_CYHSCROLL) < nItems;
}

int COXMultiComboBox::ApplyDropDownWidth()
{
    if (!::IsWindow(m_hWnd))
        return 0;
    int nWidth = 1;
    if (m_bFitDropDownToColumns) {
        nWidth = GetTotalColumnWidth() + 2 * ::GetSystemMetrics(SM_CXBORDER);
        CRect rectDropped;
        GetDroppedControlRect(&rectDropped);
        if (NeedsVertScroll(rectDropped, nWidth))
            nWidth += ::GetSystemMetrics(SM_CXVSCROLL);
        nWidth = std::min(nWidth, ::GetSystemMetrics(SM_CXSCREEN));
    }
    int nResult = (int)SendMessage(CB_SETDROPPEDWIDTH, (WPARAM)nWidth, 0);
    if (nResult == CB_ERR)
        return CB_ERR;
    m_bUpdateList = TRUE;
    if (::IsWindow(m_listBox.m_hWnd))
        m_listBox.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    return nResult;
}

void COXMultiComboBox::FitList(CDC* pDC, HWND hList)
{
    m_bUpdateList = FALSE;
    if (m_listBox.m_hWnd == NULL) {
        if (CWnd::FromHandlePermanent(hList) != NULL || !m_listBox.SubclassWindow(hList))
            return;
        m_listBox.ModifyStyle(0, WS_HSCROLL);
        TEXTMETRIC tm;
        pDC->GetTextMetrics(&tm);
        m_nAveCharWidth = tm.tmAveCharWidth;
    }
    int nTotalWidth = GetTotalColumnWidth();
    m_listBox.SendMessage(LB_SETHORIZONTALEXTENT, (WPARAM)nTotalWidth, 0);
    CRect rectDropped;
    GetDroppedControlRect(&rectDropped);
    if (rectDropped.Height() < GetTotalItemHeight() || m_bFitDropDownToColumns) {
        int nWidth = nTotalWidth + 2 * ::GetSystemMetrics(SM_CXBORDER);
        m_listBox.m_bVertScroll = NeedsVertScroll(rectDropped, nWidth);
        if (m_listBox.m_bVertScroll)
            nWidth += ::GetSystemMetrics(SM_CXVSCROLL);
        m_listBox.m_bHorzScroll = nWidth > rectDropped.Width();
        if (m_listBox.m_bHorzScroll)
            m_listBox.ShowScrollBar(SB_BOTH, TRUE);
        else
            m_listBox.ShowScrollBar(SB_HORZ, FALSE);
        m_listBox.ShowScrollBar(SB_VERT, m_listBox.m_bVertScroll);
    }
    if ((GetStyle() & 3) != CBS_SIMPLE) {
        CRect rect;
        m_listBox.GetWindowRect(&rect);
        m_listBox.MoveWindow(&rect);
    }
    if (m_listBox.m_bHorzScroll) {
        CRect rectClient;
        m_listBox.GetClientRect(&rectClient);
        m_nListClientWidth = rectClient.Width();
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = nTotalWidth;
        si.nPage = (UINT)m_nListClientWidth;
        si.nPos = 0;
        m_listBox.SetScrollInfo(SB_HORZ, &si, TRUE);
        m_listBox.SendMessage(WM_HSCROLL, SB_LEFT, 0);
    }
    m_listBox.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE);
}

void COXMultiComboBox::OnListHScroll(UINT nCode, int nPos)
{
    if (!::IsWindow(m_listBox.m_hWnd))
        return;
    int nCurrent = m_listBox.GetScrollPos(SB_HORZ);
    int nNew = nCurrent;
    switch (nCode) {
    case SB_LINELEFT: nNew -= m_nAveCharWidth; break;
    case SB_LINERIGHT: nNew += m_nAveCharWidth; break;
    case SB_PAGELEFT: nNew -= 2 * m_nListClientWidth / 3; break;
    case SB_PAGERIGHT: nNew += 2 * m_nListClientWidth / 3; break;
    case SB_THUMBTRACK: nNew = nPos; break;
    default: return;
    }
    m_listBox.SetScrollPos(SB_HORZ, nNew, TRUE);
}

void COXMultiComboBox::DeleteAllRows()
{
    for (int i = 0; i < GetCount(); ++i) {
        delete RawRow(i);
        DefWindowProc(CB_SETITEMDATA, (WPARAM)i, 0);
    }
}

void COXMultiComboBox::DrawColumnItem(HDC hDC, int nItem, int nCol, LPRECT lpRect, UINT itemState)
{
    BOOL bEnabled = IsWindowEnabled();
    BOOL bSelected = (itemState & ODS_SELECTED) != 0;
    COLORREF clrText = ::GetSysColor(!bEnabled ? COLOR_GRAYTEXT : bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    COLORREF clrBack = ::GetSysColor(!bEnabled ? COLOR_BTNFACE : bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    COLORREF clrOldText = ::SetTextColor(hDC, clrText);
    COLORREF clrOldBack = ::SetBkColor(hDC, clrBack);
    CRect rect = *lpRect;
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rect, NULL, 0, NULL);
    rect.left += LOWORD(::GetDialogBaseUnits()) / 2;
    CString sText;
    if (nItem != -1)
        GetLBText(nItem, nCol, sText);
    ::DrawTextA(hDC, sText, sText.GetLength(), &rect, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    DrawGridLines(CDC::FromHandle(hDC), lpRect, itemState);
    ::SetTextColor(hDC, clrOldText);
    ::SetBkColor(hDC, clrOldBack);
}

void COXMultiComboBox::DrawGridLines(CDC* pDC, LPRECT lpRect, UINT itemState)
{
    if (itemState & ODS_COMBOBOXEDIT)
        return;
    CPen* pOld = pDC->SelectObject(&m_penGrid);
    CPoint ptOld = pDC->MoveTo(lpRect->right, lpRect->top);
    pDC->LineTo(lpRect->right, lpRect->bottom - 1);
    pDC->LineTo(lpRect->left, lpRect->bottom - 1);
    pDC->MoveTo(ptOld);
    pDC->SelectObject(pOld);
}

void COXMultiComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    LPDRAWITEMSTRUCT d = lpDrawItemStruct;
    int nItem = (int)d->itemID;
    if (d->itemState & ODS_COMBOBOXEDIT) {
        DrawColumnItem(d->hDC, nItem == -1 ? GetCurSel() : nItem, m_nMasterColumn, &d->rcItem, d->itemState);
        return;
    }
    if (nItem == -1 && GetCount() == 0) {
        ::DrawFocusRect(d->hDC, &d->rcItem);
        return;
    }
    CRect rect = d->rcItem;
    int left = rect.left;
    for (int i = 0; i < m_nColumnCount; ++i) {
        CRect rectCol(left, rect.top, left + m_arrColumnWidths[i] - 1, rect.bottom);
        if (i == m_nColumnCount - 1)
            rectCol.right = std::max((int)rect.right, left + m_arrColumnWidths[i] - 1);
        DrawColumnItem(d->hDC, nItem, i, &rectCol, d->itemState);
        left = rectCol.right + 1;
    }
}

int COXMultiComboBox::CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    (void)lpCompareItemStruct;
    return 0;
}

// The owner-draw messages from the list go straight on to the combo's own
// procedure, which passes them to the owner: the list's object must not take
// them as messages reflected to itself.
LRESULT COXMultiComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case CB_GETITEMDATA: {
        COXRowData* pRow = RawRow((int)wParam);
        if (pRow == NULL)
            return ((int)wParam < 0 || (int)wParam >= GetCount()) ? CB_ERR : 0;
        return (LRESULT)pRow->m_dwItemData;
    }
    case CB_SETITEMDATA: {
        int nIndex = (int)wParam;
        if (nIndex < 0 || nIndex >= GetCount())
            return CB_ERR;
        COXRowData* pRow = RawRow(nIndex);
        if (pRow == NULL) {
            pRow = new COXRowData(m_nColumnCount);
            DefWindowProc(CB_SETITEMDATA, wParam, (LPARAM)pRow);
        }
        pRow->m_dwItemData = (DWORD_PTR)lParam;
        return 0;
    }
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        m_bUpdateList = TRUE;
        LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        // An item added by the plain message still gets a record of its own,
        // its text in the master column.
        if (lResult >= 0 && RawRow((int)lResult) == NULL) {
            std::vector<LPCTSTR> row(m_nMasterColumn + 1, "");
            row[m_nMasterColumn] = (LPCTSTR)lParam;
            if (AttachRow((int)lResult, row.data(), (int)row.size()) < 0)
                return CB_ERR;
        }
        return lResult;
    }
    case WM_COMPAREITEM: {
        COMPAREITEMSTRUCT* p = (COMPAREITEMSTRUCT*)lParam;
        if (p->itemID1 != (UINT)-1)
            if (COXRowData* pRow = RawRow((int)p->itemID1))
                p->itemData1 = pRow->m_dwItemData;
        if (p->itemID2 != (UINT)-1)
            if (COXRowData* pRow = RawRow((int)p->itemID2))
                p->itemData2 = pRow->m_dwItemData;
        return DefWindowProc(message, wParam, lParam);
    }
    case WM_DRAWITEM: {
        DRAWITEMSTRUCT* p = (DRAWITEMSTRUCT*)lParam;
        if (p->itemID != (UINT)-1) {
            COXRowData* pRow = RawRow((int)p->itemID);
            p->itemData = pRow ? pRow->m_dwItemData : 0;
        }
        return DefWindowProc(message, wParam, lParam);
    }
    case WM_MEASUREITEM: {
        MEASUREITEMSTRUCT* p = (MEASUREITEMSTRUCT*)lParam;
        if (!(GetStyle() & CBS_OWNERDRAWFIXED) && p->itemID != (UINT)-1) {
            COXRowData* pRow = RawRow((int)p->itemID);
            p->itemData = pRow ? pRow->m_dwItemData : 0;
        }
        return DefWindowProc(message, wParam, lParam);
    }
    case WM_DELETEITEM: {
        DELETEITEMSTRUCT* p = (DELETEITEMSTRUCT*)lParam;
        if (!m_bResetting) {
            COXRowData* pRow = (COXRowData*)p->itemData;
            p->itemData = pRow ? pRow->m_dwItemData : 0;
            delete pRow;
        } else if (COXRowData* pRow = (COXRowData*)p->itemData) {
            p->itemData = pRow->m_dwItemData;
        }
        return DefWindowProc(message, wParam, lParam);
    }
    case WM_CTLCOLORLISTBOX:
        if (m_bUpdateList) {
            FitList(CDC::FromHandle((HDC)wParam), (HWND)lParam);
        }
        break;
    case WM_OX_MULTICOMBO_HSCROLL:
        OnListHScroll(LOWORD(wParam), (short)HIWORD(wParam));
        return 0;
    case WM_DESTROY:
        DeleteAllRows();
        break;
    default:
        break;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}
