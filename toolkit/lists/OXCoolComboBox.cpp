#include "OXCoolComboBox.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(COXCoolComboBox, CComboBox)

static const int ID_COMBO_LIST = 1000;
static const int ID_COMBO_EDIT = 1001;

void COXCoolComboEdit::OnFocusChanged(CWnd* pWndGainFocus, CWnd* pWndLoseFocus)
{
    if (m_pCombo && ::IsWindow(m_pCombo->m_hWnd)) {
        if (pWndGainFocus && pWndGainFocus->m_hWnd == m_hWnd && !m_pCombo->IsHot())
            m_pCombo->SetHotState(TRUE);
        else if (pWndLoseFocus && pWndLoseFocus->m_hWnd == m_hWnd && m_pCombo->IsHot())
            m_pCombo->SetHotState(FALSE);
    }
    COXCoolCtrl<CEdit>::OnFocusChanged(pWndGainFocus, pWndLoseFocus);
}

BEGIN_MESSAGE_MAP(COXCoolComboBox, CComboBox)
    ON_WM_PAINT()
    ON_WM_PARENTNOTIFY()
    ON_WM_CTLCOLOR()
    ON_CONTROL_REFLECT_EX(CBN_CLOSEUP, &COXCoolComboBox::OnCloseUp)
    ON_MESSAGE(WM_SETFONT, &COXCoolComboBox::OnSetFont)
END_MESSAGE_MAP()

COXCoolComboBox::COXCoolComboBox()
{
}

COXCoolComboBox::~COXCoolComboBox()
{
    // The edit field and the list are the combo box's own windows: handing
    // the combo box back to its plain self must leave them working, not
    // destroy them with the objects that subclass them.
    if (m_edit.m_hWnd != NULL)
        m_edit.UnsubclassWindow();
    if (m_listBox.m_hWnd != NULL)
        m_listBox.UnsubclassWindow();
}

BOOL COXCoolComboBox::IsOwnerDrawn() const
{
    return (GetStyle() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

void COXCoolComboBox::MeasureFont()
{
    CClientDC dc(this);
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    HGDIOBJ hOld = hFont ? ::SelectObject(dc.m_hDC, hFont) : NULL;
    TEXTMETRIC tm;
    ::GetTextMetrics(dc.m_hDC, &tm);
    m_nTextHeight = tm.tmHeight;
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc.m_hDC, "ygaQ!|", 6, &size);
    m_nItemHeight = size.cy;
    if (hOld)
        ::SelectObject(dc.m_hDC, hOld);
}

BOOL COXCoolComboBox::SubclassChildren()
{
    CString sTip;
    GetTooltipText(sTip);
    HWND hEdit = ::GetDlgItem(m_hWnd, ID_COMBO_EDIT);
    if (hEdit && m_edit.m_hWnd == NULL) {
        if (!m_edit.SubclassWindow(hEdit))
            return FALSE;
        m_edit.m_pCombo = this;
        if (!sTip.IsEmpty())
            m_edit.SetTooltipText(sTip);
    }
    HWND hList = ::GetDlgItem(m_hWnd, ID_COMBO_LIST);
    if (hList && !IsOwnerDrawn() && m_listBox.m_hWnd == NULL) {
        if (!m_listBox.SubclassWindow(hList))
            return FALSE;
        if (!sTip.IsEmpty())
            m_listBox.SetTooltipText(sTip);
    }
    return TRUE;
}

BOOL COXCoolComboBox::InitializeCoolCtrl()
{
    if (!COXCoolCtrl<CComboBox>::InitializeCoolCtrl())
        return FALSE;
    MeasureFont();
    return SubclassChildren();
}

void COXCoolComboBox::SetHotState(BOOL bHot)
{
    // The edit field holding the focus keeps the combo hot.
    if (!bHot && m_edit.m_hWnd && CWnd::GetFocus() && CWnd::GetFocus()->m_hWnd == m_edit.m_hWnd)
        return;
    COXCoolCtrl<CComboBox>::SetHotState(bHot);
    if (::IsWindow(m_hWnd) && !GetDroppedState())
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL COXCoolComboBox::OnChangeTooltipText(const CString& sText)
{
    BOOL bOk = TRUE;
    if (::IsWindow(m_edit.m_hWnd))
        bOk = m_edit.SetTooltipText(sText) && bOk;
    if (::IsWindow(m_listBox.m_hWnd))
        bOk = m_listBox.SetTooltipText(sText) && bOk;
    return bOk;
}

CRect COXCoolComboBox::GetButtonRect() const
{
    CRect rect(0, 0, 0, 0);
    if ((GetStyle() & 3) == CBS_SIMPLE)
        return rect;
    CRect rectClient;
    GetClientRect(&rectClient);
    rect.top = rectClient.top + 2;
    rect.bottom = rectClient.bottom - 2;
    rect.right = rectClient.right - 2;
    rect.left = rect.right - ::GetSystemMetrics(SM_CXVSCROLL);
    if (rect.left < 0)
        rect.left = 0;
    return rect;
}

void COXCoolComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    LPDRAWITEMSTRUCT d = lpDrawItemStruct;
    CDC* pDC = CDC::FromHandle(d->hDC);
    int nItem = (int)d->itemID;
    if (nItem == -1)
        nItem = GetCurSel();
    CString sText;
    if (nItem >= 0 && nItem < GetCount())
        GetLBText(nItem, sText);
    BOOL bEnabled = IsWindowEnabled();
    BOOL bSelected = (d->itemState & (ODS_SELECTED | ODS_FOCUS)) != 0;
    CRect rect = d->rcItem;
    int nBack = !bEnabled ? COLOR_BTNFACE : bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    ::FillRect(d->hDC, &rect, ::GetSysColorBrush(nBack));
    if (sText.IsEmpty())
        return;
    if (d->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(&rect);
    HGDIOBJ hOld = ::SelectObject(d->hDC, (HFONT)SendMessage(WM_GETFONT));
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOld = pDC->SetTextColor(::GetSysColor(bSelected  ? COLOR_HIGHLIGHTTEXT
                                                       : bEnabled ? COLOR_WINDOWTEXT
                                                                  : COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    pDC->DrawText(sText, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    ::SelectObject(d->hDC, hOld);
}

void COXCoolComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = m_nItemHeight + 1;
}

int COXCoolComboBox::CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    CString s1, s2;
    int n1 = (int)lpCompareItemStruct->itemID1, n2 = (int)lpCompareItemStruct->itemID2;
    if (n1 >= 0 && n1 < GetCount())
        GetLBText(n1, s1);
    if (n2 >= 0 && n2 < GetCount())
        GetLBText(n2, s2);
    return s1.CompareNoCase(s2);
}

void COXCoolComboBox::ArrowPoints(const CRect& b, BOOL bDropped, POINT pts[3])
{
    int w = b.right - b.left;
    int x1 = b.left + w / 3;
    int x2 = b.left + 2 * w / 3 + 1;
    if ((x2 - x1) % 2 != 0)
        x2 -= 1;
    int xm = (x1 + x2) / 2;
    int d = x2 - x1;
    int y = b.top + b.bottom / 2 - d / 4 - 1;
    pts[0] = {x1, y};
    pts[1] = {x2, y};
    pts[2] = {xm, y + d / 2};
    if (bDropped)
        for (int i = 0; i < 3; ++i) {
            pts[i].x += 1;
            pts[i].y += 1;
        }
}

void COXCoolComboBox::OnPaint()
{
    if (!IsCoolState()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CPen* pHighlight = OXCoolPen(COLOR_BTNHIGHLIGHT);
    CPen* pShadow = OXCoolPen(COLOR_BTNSHADOW);
    CPen* pFace = OXCoolPen(COLOR_BTNFACE);
    CPen* pDark = OXCoolPen(COLOR_3DDKSHADOW);
    BOOL bSimple = (GetStyle() & 3) == CBS_SIMPLE;
    BOOL bEnabled = IsWindowEnabled();

    CRect R;
    GetClientRect(&R);
    if (bSimple && ::IsWindow(m_edit.m_hWnd)) {
        CRect rectEdit;
        m_edit.GetWindowRect(&rectEdit);
        R.bottom = R.top + rectEdit.Height() + 5;
        // The list keeps to whole items, so it may end above the combo's own
        // bottom: nobody else paints what lies under it.
        HWND hList = ::GetDlgItem(m_hWnd, ID_COMBO_LIST);
        CRect rectBelow;
        GetClientRect(&rectBelow);
        if (hList) {
            CRect rectList;
            ::GetWindowRect(hList, &rectList);
            ScreenToClient(&rectList);
            rectBelow.top = std::max(rectList.bottom, R.bottom);
        } else {
            rectBelow.top = R.bottom;
        }
        if (!rectBelow.IsRectEmpty())
            dc.FillSolidRect(&rectBelow, ::GetSysColor(COLOR_BTNFACE));
    }
    CRect I = R;
    I.DeflateRect(2, 2);
    CRect B = GetButtonRect();
    CRect T = I;
    if (!B.IsRectEmpty())
        T.right = B.left;
    BOOL bHot = bEnabled && IsHot();
    BOOL bDropped = GetDroppedState();

    dc.FillSolidRect(&T, ::GetSysColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE));

    HWND hEdit = ::GetDlgItem(m_hWnd, ID_COMBO_EDIT);
    if (hEdit == NULL) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = (UINT)GetDlgCtrlID();
        int nSel = GetCurSel();
        dis.itemID = (UINT)nSel;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (CWnd::GetFocus() == this && !bDropped) ? ODS_FOCUS : 0;
        dis.hwndItem = m_hWnd;
        dis.hDC = dc.m_hDC;
        dis.rcItem = CRect(3, 3, B.left - 1, R.bottom - 3);
        dis.itemData = nSel >= 0 ? (ULONG_PTR)GetItemData(nSel) : 0;
        DrawItem(&dis);
    }

    dc.ExcludeClipRect(&I);
    if (bHot) {
        CRect r = R;
        r.DeflateRect(1, 1);
        dc.FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
        CPen* pOld = dc.SelectObject(pShadow);
        dc.MoveTo(0, 0);
        dc.LineTo(R.right, 0);
        dc.MoveTo(0, 0);
        dc.LineTo(0, R.bottom - 1);
        dc.SelectObject(pHighlight);
        dc.LineTo(R.right - 1, R.bottom - 1);
        dc.LineTo(R.right - 1, R.top);
        dc.SelectObject(pOld);
    } else {
        // a simple combo's field too: its frame parts it from the list
        dc.FillSolidRect(&R, ::GetSysColor(COLOR_BTNFACE));
        CRect strip(R.left + 1, R.top + 2, R.left + 2, R.bottom - 2);
        dc.FillSolidRect(&strip, ::GetSysColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    dc.SelectClipRgn(NULL);

    if (!bEnabled) {
        CRect r = I;
        r.InflateRect(1, 1);
        CPen* pOld = dc.SelectObject(pHighlight);
        CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(&r);
        dc.SelectObject(pOldBrush);
        dc.SelectObject(pOld);
    }

    if (B.IsRectEmpty())
        return;
    CPen* pOld = dc.SelectObject(pHighlight);
    if (bHot) {
        dc.FillSolidRect(CRect(B.left, B.top, B.right + 1, B.bottom - 1), ::GetSysColor(COLOR_BTNFACE));
        if (!bDropped) {
            dc.SelectObject(pHighlight);
            dc.MoveTo(B.right, B.top);
            dc.LineTo(B.left + 1, B.top);
            dc.LineTo(B.left + 1, B.bottom);
            dc.SelectObject(pFace);
            dc.MoveTo(B.left, B.top);
            dc.LineTo(B.left, B.bottom);
            dc.SelectObject(pShadow);
            dc.MoveTo(B.left, B.bottom - 1);
            dc.LineTo(B.right - 1, B.bottom - 1);
            dc.LineTo(B.right - 1, B.top);
        }
    } else if (bDropped || !bEnabled) {
        dc.FillSolidRect(&B, ::GetSysColor(COLOR_BTNFACE));
    } else {
        CBrush brush(::GetSysColor(COLOR_BTNFACE));
        CBrush* pOldBrush = dc.SelectObject(&brush);
        dc.SelectObject(pHighlight);
        dc.Rectangle(&B);
        dc.SelectObject(pOldBrush);
    }
    if (bDropped) {
        dc.SelectObject(pShadow);
        dc.MoveTo(B.left, B.top);
        dc.LineTo(B.right, B.top);
        dc.MoveTo(B.left, B.top);
        dc.LineTo(B.left, B.bottom);
    }
    POINT pts[3];
    ArrowPoints(B, bDropped, pts);
    CBrush brushDark(::GetSysColor(COLOR_3DDKSHADOW));
    CBrush* pOldBrush = dc.SelectObject(&brushDark);
    dc.SelectObject(pDark);
    dc.Polygon(pts, 3);
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOld);
}

void COXCoolComboBox::OnParentNotify(UINT message, LPARAM lParam)
{
    Default();
    if (LOWORD(message) != WM_CREATE)
        return;
    HWND hChild = (HWND)lParam;
    int nID = ::GetDlgCtrlID(hChild);
    CString sTip;
    GetTooltipText(sTip);
    if (nID == ID_COMBO_LIST && m_listBox.m_hWnd == NULL && m_listBox.SubclassWindow(hChild) && !sTip.IsEmpty())
        m_listBox.SetTooltipText(sTip);
    else if (nID == ID_COMBO_EDIT && m_edit.m_hWnd == NULL && m_edit.SubclassWindow(hChild)) {
        m_edit.m_pCombo = this;
        if (!sTip.IsEmpty())
            m_edit.SetTooltipText(sTip);
    }
}

HBRUSH COXCoolComboBox::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    (void)pDC;
    HBRUSH hBrush = (HBRUSH)Default();
    if (nCtlColor == CTLCOLOR_LISTBOX && !IsOwnerDrawn() && m_listBox.m_hWnd == NULL && pWnd
        && CWnd::FromHandlePermanent(pWnd->m_hWnd) == NULL) {
        HWND hList = pWnd->m_hWnd;
        if (m_listBox.SubclassWindow(hList)) {
            CString sTip;
            if (GetTooltipText(sTip) && !sTip.IsEmpty())
                m_listBox.SetTooltipText(sTip);
            m_listBox.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE);
        }
    }
    return hBrush;
}

BOOL COXCoolComboBox::OnCloseUp()
{
    UpdateMouseOver(TRUE);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

LRESULT COXCoolComboBox::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = DefWindowProc(WM_SETFONT, wParam, lParam);
    MeasureFont();
    if ((int)SendMessage(CB_GETITEMHEIGHT, (WPARAM)-1, 0) != m_nTextHeight + 1)
        SendMessage(CB_SETITEMHEIGHT, (WPARAM)-1, m_nTextHeight + 1);
    return lResult;
}

void COXCoolComboBox::PreSubclassWindow()
{
    BOOL bSubclassing = AfxGetThreadState()->m_pWndInit == NULL;
    if (bSubclassing && !m_bInitialized) {
        m_bInitialized = TRUE;
        InitializeCoolCtrl();
    }
    CComboBox::PreSubclassWindow();
    if (IsOwnerDrawn() && m_bInitialized && bSubclassing)
        SendMessage(CB_SETITEMHEIGHT, (WPARAM)-1, m_nTextHeight + 1);
}

LRESULT COXCoolComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The whole frame is painted in WM_PAINT: the system keeps its own
    // non-client area.
    if (message == WM_NCPAINT)
        return DefWindowProc(message, wParam, lParam);
    return COXCoolCtrl<CComboBox>::WindowProc(message, wParam, lParam);
}
