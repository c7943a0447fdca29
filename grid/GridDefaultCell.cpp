// GridDefaultCell.cpp - the grid's default cells.
#include "GridDefaultCell.h"
#include "GridCtrl.h"

IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

CGridDefaultCell::CGridDefaultCell() : m_nWidth(30), m_nHeight(10), m_bFlag(FALSE)
{
    m_nFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;   // 0x8824
    m_crText = CLR_DEFAULT;
    m_crBack = CLR_DEFAULT;

    NONCLIENTMETRICS ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(NONCLIENTMETRICS);
    if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(NONCLIENTMETRICS), &ncm, 0))
        SetFont(&ncm.lfMessageFont);
    else {
        LOGFONT lf;
        ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONT), &lf);
        SetFont(&lf);
    }
}

CGridDefaultCell::~CGridDefaultCell()
{
    m_Font.DeleteObject();
}

void CGridDefaultCell::SetFont(const LOGFONT* plf)
{
    if (plf == NULL)
        return;

    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(plf);

    CGridCell::SetFont(plf);

    // The default width and height follow the font.
    HDC hDC = ::GetDC(NULL);
    if (hDC != NULL) {
        HGDIOBJ hOldFont = ::SelectObject(hDC, m_Font.GetSafeHandle());
        SIZE size;
        ::GetTextExtentPoint32(hDC, _T(" "), 1, &size);
        SetMargin((UINT)size.cx);
        ::GetTextExtentPoint32(hDC, _T(" XXXXXXXXXXXX "), 14, &size);
        m_nWidth = size.cx;
        m_nHeight = size.cy * 3 / 2;
        ::SelectObject(hDC, hOldFont);
        ::ReleaseDC(NULL, hDC);
    } else {
        SetMargin(3);
        m_nWidth = 40;
        m_nHeight = 16;
    }
}

CFont* CGridDefaultCell::GetFontObject() const
{
    return (CFont*)&m_Font;
}
