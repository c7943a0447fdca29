// AccelListBox.cpp - CAccelListBox.
#include "AccelListBox.h"

#include "AccelsOb.h"

IMPLEMENT_DYNAMIC(CAccelListBox, CListBox)

BEGIN_MESSAGE_MAP(CAccelListBox, CListBox)
    ON_CONTROL_REFLECT_EX(LBN_SETFOCUS, OnSetFocus)
    ON_CONTROL_REFLECT_EX(LBN_KILLFOCUS, OnKillFocus)
END_MESSAGE_MAP()

CAccelListBox::CAccelListBox()
    : m_crHighlight(::GetSysColor(COLOR_HIGHLIGHT)),
      m_crHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_crGrayText(::GetSysColor(COLOR_GRAYTEXT)),
      m_crWindow(::GetSysColor(COLOR_WINDOW))
{
}

void CAccelListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    if (GetCount() <= 0 || lpDIS->itemID == (UINT)-1) {
        CRect rcClient;
        GetClientRect(rcClient);
        pDC->FillSolidRect(rcClient, RGB(255, 255, 255));
        return;
    }

    const CAccelsOb* pAccel = reinterpret_cast<const CAccelsOb*>(lpDIS->itemData);
    bool bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    bool bLocked = pAccel != NULL && pAccel->m_bLocked;
    COLORREF crBack = m_crWindow;
    COLORREF crText = ::GetSysColor(COLOR_WINDOWTEXT);
    if (bLocked) {
        crText = m_crGrayText;
    } else if (bSelected) {
        crBack = m_crHighlight;
        crText = m_crHighlightText;
    }

    if (lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        CString strText;
        GetText((int)lpDIS->itemID, strText);
        CRect rc(lpDIS->rcItem);
        pDC->FillSolidRect(rc, crBack);
        int nOldMode = pDC->SetBkMode(TRANSPARENT);
        COLORREF crOld = pDC->SetTextColor(crText);
        rc.left += 2;
        pDC->DrawText(strText, rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->SetTextColor(crOld);
        pDC->SetBkMode(nOldMode);
    }
    if ((lpDIS->itemAction & ODA_FOCUS) && bSelected)
        pDC->DrawFocusRect(&lpDIS->rcItem);
}

void CAccelListBox::RedrawSelection()
{
    int nSel = GetCurSel();
    if (nSel < 0)
        return;
    CRect rc;
    GetItemRect(nSel, rc);
    InvalidateRect(rc);
    UpdateWindow();
}

BOOL CAccelListBox::OnSetFocus()
{
    RedrawSelection();
    return FALSE;   // the parent hears of it too
}

BOOL CAccelListBox::OnKillFocus()
{
    RedrawSelection();
    return FALSE;
}
