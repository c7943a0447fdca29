// EditEx.cpp - CEditEx: colours, font, character filter and context menu.
#include "EditEx.h"

#include <string.h>

IMPLEMENT_DYNCREATE(CEditEx, CEdit)

BEGIN_MESSAGE_MAP(CEditEx, CEdit)
    ON_WM_CHAR()
    ON_WM_CONTEXTMENU()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CEditEx::CEditEx()
    : m_crBkColor(::GetSysColor(COLOR_WINDOW)),
      m_crTextColor(::GetSysColor(COLOR_WINDOWTEXT)),
      m_pValidator(NULL),
      m_pFont(NULL),
      m_nMenuId(0)
{
    CreateBkBrush();
}

CEditEx::~CEditEx()
{
    // The window goes first: it must not be left holding the font deleted below.
    if (m_hWnd != NULL && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    delete m_pValidator;
    delete m_pFont;
}

void CEditEx::CreateBkBrush()
{
    m_brBkgnd.DeleteObject();
    m_brBkgnd.CreateSolidBrush(m_crBkColor);
}

COLORREF CEditEx::SetBkColor(COLORREF crColor)
{
    COLORREF crOld = m_crBkColor;
    m_crBkColor = crColor;
    CreateBkBrush();
    if (m_hWnd != NULL)
        Invalidate();
    return crOld;
}

COLORREF CEditEx::SetTextColor(COLORREF crColor)
{
    COLORREF crOld = m_crTextColor;
    m_crTextColor = crColor;
    if (m_hWnd != NULL)
        Invalidate();
    return crOld;
}

void CEditEx::SetFont(const LOGFONTA* pLogFont)
{
    if (pLogFont == NULL)
        return;
    CFont* pFont = new CFont;
    if (!pFont->CreateFontIndirect(pLogFont)) {
        delete pFont;
        return;
    }
    // The control is switched to the new font before the old one is deleted,
    // so it never paints with a dead handle.
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)pFont->m_hObject, TRUE);
    delete m_pFont;
    m_pFont = pFont;
}

void CEditEx::SetFont(LONG nHeight, BYTE bPitchAndFamily, LPCSTR lpszFaceName)
{
    LOGFONTA lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = nHeight;
    lf.lfWeight = FW_NORMAL;
    lf.lfPitchAndFamily = bPitchAndFamily;
    if (lpszFaceName != NULL)
        strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    SetFont(&lf);
}

void CEditEx::SetValidator(CEditExValidator* pValidator)
{
    if (pValidator != m_pValidator)
        delete m_pValidator;
    m_pValidator = pValidator;
}

CEditEx& CEditEx::operator=(const CEditEx& other)
{
    if (this == &other || (m_hWnd != NULL && m_hWnd == other.m_hWnd))
        return *this;
    SetBkColor(other.m_crBkColor);
    SetTextColor(other.m_crTextColor);
    if (other.m_pFont != NULL) {
        LOGFONTA lf;
        memset(&lf, 0, sizeof(lf));
        lf.lfHeight = -8;
        lf.lfWeight = FW_NORMAL;
        strcpy(lf.lfFaceName, "MS Sans Serif");
        other.m_pFont->GetLogFont(&lf);
        SetFont(&lf);
    }
    return *this;
}

void CEditEx::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pValidator != NULL && !m_pValidator->IsValidChar(nChar)) {
        ::MessageBeep(0);
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CEditEx::OnContextMenu(CWnd* pWnd, CPoint point)
{
    CMenu menu;
    if (m_nMenuId == 0 || !menu.LoadMenu(m_nMenuId)) {
        CEdit::OnContextMenu(pWnd, point);
        return;
    }
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == NULL) {
        CEdit::OnContextMenu(pWnd, point);
        return;
    }
    // From the keyboard the point is (-1, -1): the menu opens at the caret.
    if (point.x == -1 && point.y == -1) {
        point = GetCaretPos();
        ClientToScreen(&point);
    }
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

HBRUSH CEditEx::CtlColor(CDC* pDC, UINT nCtlColor)
{
    (void)nCtlColor;
    pDC->SetTextColor(m_crTextColor);
    pDC->SetBkColor(m_crBkColor);
    return (HBRUSH)m_brBkgnd.GetSafeHandle();
}
