// GridCell.cpp - the ordinary grid cell.
#include "GridCell.h"
#include "GridCtrl.h"
#include "GridDefaultCell.h"
#include "InPlaceEdit.h"

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)

CGridCell::CGridCell()
    : m_lParam(0), m_nImage(-1), m_nFormat((DWORD)-1), m_crText(CLR_DEFAULT), m_crBack(CLR_DEFAULT),
      m_pLogFont(NULL), m_nMargin((UINT)-1), m_bEditing(FALSE), m_pGrid(NULL), m_pEditWnd(NULL)
{
}

CGridCell::~CGridCell()
{
    delete m_pLogFont;
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_strText.Empty();
    m_nImage = -1;
    m_nFormat = (DWORD)-1;
    m_nMargin = (UINT)-1;
    m_crBack = CLR_DEFAULT;
    m_crText = CLR_DEFAULT;
    m_pGrid = NULL;
    m_bEditing = FALSE;
    m_pEditWnd = NULL;
    delete m_pLogFont;
    m_pLogFont = NULL;
    // m_lParam stays as it was.
}

void CGridCell::SetFont(const LOGFONT* plf)
{
    if (plf == NULL) {
        delete m_pLogFont;
        m_pLogFont = NULL;
        return;
    }
    if (m_pLogFont == NULL)
        m_pLogFont = new LOGFONT;
    memcpy(m_pLogFont, plf, sizeof(LOGFONT));
}

DWORD CGridCell::GetFormat() const
{
    if (m_nFormat == (DWORD)-1) {
        CGridDefaultCell* pDefaultCell = GetDefaultCell();
        return pDefaultCell != NULL ? pDefaultCell->GetFormat() : 0;
    }
    return m_nFormat;
}

UINT CGridCell::GetMargin() const
{
    if (m_nMargin == (UINT)-1) {
        CGridDefaultCell* pDefaultCell = GetDefaultCell();
        return pDefaultCell != NULL ? pDefaultCell->GetMargin() : 0;
    }
    return m_nMargin;
}

LOGFONT* CGridCell::GetFont() const
{
    if (m_pLogFont == NULL) {
        CGridDefaultCell* pDefaultCell = GetDefaultCell();
        return pDefaultCell != NULL ? pDefaultCell->GetFont() : NULL;
    }
    return m_pLogFont;
}

CFont* CGridCell::GetFontObject() const
{
    if (m_pLogFont == NULL) {
        CGridDefaultCell* pDefaultCell = GetDefaultCell();
        return pDefaultCell != NULL ? pDefaultCell->GetFontObject() : NULL;
    }
    // One process-wide font object for the cells with fonts of their own:
    // valid until the next call for any cell.
    static CFont Font;
    Font.DeleteObject();
    Font.CreateFontIndirect(m_pLogFont);
    return &Font;
}

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint /*point*/, UINT nID, UINT nChar)
{
    if (m_bEditing) {
        if (m_pEditWnd != NULL)
            m_pEditWnd->SendMessage(WM_CHAR, nChar, 0);
        return TRUE;
    }

    DWORD dwStyle = ES_LEFT;
    if (GetFormat() & DT_RIGHT)
        dwStyle = ES_RIGHT;
    else if (GetFormat() & DT_CENTER)
        dwStyle = ES_CENTER;

    m_bEditing = TRUE;
    // The editor deletes itself when its window is destroyed.
    m_pEditWnd = new CInPlaceEdit(GetGrid(), rect, dwStyle, nID, nRow, nCol, GetText(), nChar);
    Sleep(100);
    return TRUE;
}

void CGridCell::EndEdit()
{
    if (m_pEditWnd != NULL)
        ((CInPlaceEdit*)m_pEditWnd)->EndEdit();
}

void CGridCell::OnEndEdit()
{
    m_bEditing = FALSE;
    m_pEditWnd = NULL;
}
