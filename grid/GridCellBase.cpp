// GridCellBase.cpp - the abstract grid cell: state, default cell, drawing,
// printing and measuring.
#include "GridCellBase.h"
#include "GridCtrl.h"
#include <algorithm>
#include <string>
using std::max;
using std::min;
#include "GridDefaultCell.h"

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)

CGridCellBase::CGridCellBase() : m_nState(0)
{
    // m_nRow and m_nCol are left as they come: SetCoords gives them values.
}

CGridCellBase::~CGridCellBase() {}

void CGridCellBase::operator=(const CGridCellBase& cell)
{
    if (this == &cell)
        return;
    SetGrid(cell.GetGrid());
    SetText(cell.GetText());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextClr(cell.GetTextClr());
    SetBackClr(cell.GetBackClr());
    SetFont(cell.IsDefaultFont() ? NULL : cell.GetFont());
    SetMargin(cell.GetMargin());
}

void CGridCellBase::Reset()
{
    m_nState = 0;
}

CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == NULL)
        return NULL;
    if (IsFixedRow() && IsFixedCol())
        return (CGridDefaultCell*)pGrid->GetDefaultCell(TRUE, TRUE);
    if (IsFixedRow())
        return (CGridDefaultCell*)pGrid->GetDefaultCell(TRUE, FALSE);
    if (IsFixedCol())
        return (CGridDefaultCell*)pGrid->GetDefaultCell(FALSE, TRUE);
    return (CGridDefaultCell*)pGrid->GetDefaultCell(FALSE, FALSE);
}

BOOL CGridCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == NULL || pDC == NULL || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;

    int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    CGridDefaultCell* pDefaultCell = GetDefaultCell();
    if (pDefaultCell == NULL) {
        pDC->RestoreDC(nSavedDC);
        return FALSE;
    }

    // Colours: the cell's own, else the default cell's.
    COLORREF TextClr = (GetTextClr() == CLR_DEFAULT) ? pDefaultCell->GetTextClr() : GetTextClr();
    COLORREF TextBkClr;
    if (GetBackClr() == CLR_DEFAULT)
        TextBkClr = pDefaultCell->GetBackClr();
    else {
        bEraseBkgnd = TRUE;
        TextBkClr = GetBackClr();
    }

    const COLORREF kHighlight = RGB(102, 153, 204);   // 0xCC9966
    if (IsFocused() || IsDropHighlighted()) {
        if (IsSelected()) {
            TextBkClr = kHighlight;
            TextClr = RGB(255, 255, 255);
            bEraseBkgnd = TRUE;
        }
        rect.right++;
        rect.bottom++;
        if (bEraseBkgnd) {
            CBrush brush;
            if (brush.CreateSolidBrush(TextBkClr))
                pDC->FillRect(rect, &brush);
        }
        pDC->SetTextColor(TextClr);
        rect.right--;
        rect.bottom--;
        rect.top++;
        rect.right--;
        rect.bottom--;
    } else if (IsSelected()) {
        rect.right++;
        rect.bottom++;
        pDC->FillSolidRect(rect, kHighlight);
        rect.right--;
        rect.bottom--;
        pDC->SetTextColor(RGB(255, 255, 255));
    } else {
        if (bEraseBkgnd) {
            rect.right++;
            rect.bottom++;
            CBrush brush;
            if (brush.CreateSolidBrush(TextBkClr))
                pDC->FillRect(rect, &brush);
            rect.right--;
            rect.bottom--;
        }
        pDC->SetTextColor(TextClr);
    }

    // The raised edge of fixed cells, except the headers of the focus row
    // and column when the grid marks them.
    if (IsFixed() && pGrid->GetGridLines() != GRIDLINES_NONE) {
        CCellID FocusCell = pGrid->GetFocusCell();
        BOOL bHiliteFixed = pGrid->GetMarkFocusHeaders() && pGrid->IsValid(FocusCell) &&
                            (FocusCell.row == nRow || FocusCell.column == nCol);
        if (!bHiliteFixed) {
            CPen lightpen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            CPen darkpen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
            CPen* pOldPen = pDC->GetCurrentPen();

            pDC->SelectObject(&lightpen);
            pDC->MoveTo(rect.right, rect.top);
            pDC->LineTo(rect.left, rect.top);
            pDC->LineTo(rect.left, rect.bottom);

            pDC->SelectObject(&darkpen);
            pDC->MoveTo(rect.right, rect.top);
            pDC->LineTo(rect.right, rect.bottom);
            pDC->LineTo(rect.left, rect.bottom);

            pDC->SelectObject(pOldPen);
            rect.DeflateRect(1, 1);
        }
    }

    if (!pDC->IsPrinting()) {
        CFont* pFont = GetFontObject();
        if (pFont != NULL)
            pDC->SelectObject(pFont);
    }

    int nMargin = (int)GetMargin();
    rect.DeflateRect(nMargin, 0);

    // The image, drawn only when it fits.
    CImageList* pImageList = pGrid->GetImageList();
    if (pImageList != NULL && GetImage() >= 0) {
        IMAGEINFO Info;
        if (pImageList->GetImageInfo(GetImage(), &Info)) {
            int nImageWidth = Info.rcImage.right - Info.rcImage.left + 1;
            int nImageHeight = Info.rcImage.bottom - Info.rcImage.top + 1;
            if (nImageWidth + rect.left <= rect.right + nMargin * 2 &&
                nImageHeight + rect.top <= rect.bottom + nMargin * 2)
                pImageList->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
        }
    }

    // The sort mark in the header cell of the sort column (row 0 only).
    if (nRow == 0 && nCol == pGrid->GetSortColumn()) {
        CSize size = pDC->GetTextExtent(_T("M"), 1);
        int nOffset = 2;
        size.cy -= (nOffset * 2);
        if (size.cy >= rect.Height())
            size.cy = rect.Height() - (nOffset * 2);
        size.cx = size.cy;
        LOGFONT* plf = GetFont();
        BOOL bVertical = (plf != NULL && plf->lfEscapement == 900);
        if (size.cx + rect.left < rect.right + nMargin * 2) {
            int s = size.cy;
            int y = (rect.top + rect.bottom - s) / 2;
            int x = bVertical ? (rect.left + rect.right - s) / 2 : rect.right - s;
            CPen penShadow(PS_SOLID, 0, ::GetSysColor(COLOR_BTNSHADOW));
            CPen penLight(PS_SOLID, 0, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            CPen* pOldPen = pDC->GetCurrentPen();
            if (pGrid->GetSortAscending()) {
                POINT light[] = {{x + 1, y + s + 1}, {x + s / 2 + 1, y + 1}, {x + s + 1, y + s + 1}, {x + 1, y + s + 1}};
                POINT shadow[] = {{x, y + s}, {x + s / 2, y}, {x + s, y + s}, {x, y + s}};
                pDC->SelectObject(&penLight);
                pDC->Polyline(light, 4);
                pDC->SelectObject(&penShadow);
                pDC->Polyline(shadow, 4);
            } else {
                POINT light[] = {{x + 1, y + 1}, {x + s / 2 + 1, y + s + 1}, {x + s + 1, y + 1}, {x + 1, y + 1}};
                POINT shadow[] = {{x, y}, {x + s / 2, y + s}, {x + s, y}, {x, y}};
                pDC->SelectObject(&penLight);
                pDC->Polyline(light, 4);
                pDC->SelectObject(&penShadow);
                pDC->Polyline(shadow, 4);
            }
            pDC->SelectObject(pOldPen);
            if (!bVertical)
                rect.right -= s;
        }
    }

    // The text: fixed cells and the first column left-aligned, the others right-aligned.
    GetTextRect(rect);
    UINT nFormat = DT_NOPREFIX;
    if (!IsFixed() && nCol != 0)
        nFormat |= DT_RIGHT;
    pDC->DrawText(GetText(), -1, rect, nFormat);

    pDC->RestoreDC(nSavedDC);
    return TRUE;
}

BOOL CGridCellBase::GetTextRect(LPRECT pRect)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid != NULL && GetImage() >= 0) {
        CImageList* pImageList = pGrid->GetImageList();
        IMAGEINFO Info;
        if (pImageList != NULL && pImageList->GetImageInfo(GetImage(), &Info)) {
            int nImageWidth = Info.rcImage.right - Info.rcImage.left + 1;
            pRect->left += nImageWidth + (int)GetMargin();
        }
    }
    return TRUE;
}

CSize CGridCellBase::GetTextExtent(LPCTSTR szText, CDC* pDC)
{
    CGridCtrl* pGrid = GetGrid();
    CGridDefaultCell* pDefCell = GetDefaultCell();

    BOOL bReleaseDC = FALSE;
    if (pDC == NULL || szText == NULL) {
        if (szText != NULL && pGrid != NULL && ::IsWindow(pGrid->GetSafeHwnd()))
            pDC = pGrid->GetDC();
        if (pDC == NULL || szText == NULL) {
            if (pDefCell == NULL)
                return CSize(0, 0);
            return CSize(pDefCell->GetWidth(), pDefCell->GetHeight());
        }
        bReleaseDC = TRUE;
    }

    CFont* pOldFont = NULL;
    CFont* pFont = GetFontObject();
    if (pFont != NULL)
        pOldFont = pDC->SelectObject(pFont);

    CSize size;
    int nFormat = (int)GetFormat();
    if ((nFormat & DT_WORDBREAK) && !(nFormat & DT_SINGLELINE)) {
        // The widest line, then DrawText computes the wrapped height.
        CString str = szText;
        int nMaxWidth = 0;
        int nStart = 0;
        while (TRUE) {
            int nEnd = str.Find(_T('\n'), nStart);
            CString line = (nEnd < 0) ? str.Mid(nStart) : str.Mid(nStart, nEnd - nStart);
            CSize lineSize = pDC->GetTextExtent(line, line.GetLength());
            if (lineSize.cx > nMaxWidth)
                nMaxWidth = lineSize.cx;
            if (nEnd < 0)
                break;
            nStart = nEnd + 1;
        }
        CRect rect(0, 0, nMaxWidth + 1, 0);
        pDC->DrawText(szText, -1, rect, nFormat | DT_CALCRECT);
        size = CSize(rect.Width(), rect.Height());
    } else
        size = pDC->GetTextExtent(szText, lstrlen(szText));

    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    size.cx += tm.tmOverhang;

    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);

    int nMargin = (int)GetMargin();
    size += CSize(4 * nMargin, 2 * nMargin);

    LOGFONT* pLF = GetFont();
    if (pLF != NULL && (pLF->lfEscapement == 900 || pLF->lfEscapement == -900)) {
        int nTemp = size.cx;
        size.cx = size.cy;
        size.cy = nTemp + 4 * nMargin;
    }

    if (bReleaseDC)
        pGrid->ReleaseDC(pDC);
    return size;
}

CSize CGridCellBase::GetCellExtent(CDC* pDC)
{
    CSize size = GetTextExtent(GetText(), pDC);
    CSize ImageSize(0, 0);
    CGridCtrl* pGrid = GetGrid();
    if (GetImage() >= 0 && pGrid != NULL && pGrid->GetImageList() != NULL) {
        IMAGEINFO Info;
        if (pGrid->GetImageList()->GetImageInfo(GetImage(), &Info))
            ImageSize = CSize(Info.rcImage.right - Info.rcImage.left + 1, Info.rcImage.bottom - Info.rcImage.top + 1);
    }
    return CSize(size.cx + ImageSize.cx, max(size.cy, ImageSize.cy));
}

BOOL CGridCellBase::PrintCell(CDC* pDC, int /*nRow*/, int /*nCol*/, CRect rect)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == NULL || pDC == NULL || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    CGridDefaultCell* pDefaultCell = GetDefaultCell();
    if (pGrid->GetPrintColours() && pDefaultCell == NULL)
        return FALSE;

    int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    COLORREF crFG, crBG;
    if (pGrid->GetPrintColours()) {
        if (IsFixed())
            crBG = (GetBackClr() != CLR_DEFAULT) ? GetBackClr() : pDefaultCell->GetBackClr();
        else
            crBG = (GetBackClr() != CLR_DEFAULT && GetBackClr() != pDefaultCell->GetBackClr()) ? GetBackClr()
                                                                                                : CLR_DEFAULT;
        crFG = (GetBackClr() != CLR_DEFAULT) ? GetTextClr() : pDefaultCell->GetTextClr();

        // Monochrome printers: a grey of the text colour when there is no background.
        if (pDC->GetDeviceCaps(NUMCOLORS) == 2 && crBG == CLR_DEFAULT)
            crFG = RGB((int)(GetRValue(crFG) * 0.30), (int)(GetGValue(crFG) * 0.59), (int)(GetBValue(crFG) * 0.11));

        if (crBG != CLR_DEFAULT) {
            CBrush brush(crBG);
            rect.right++;
            rect.bottom++;
            pDC->FillRect(rect, &brush);
            rect.right--;
            rect.bottom--;
        }
    } else {
        crBG = CLR_DEFAULT;
        crFG = RGB(0, 0, 0);
    }

    pDC->SetTextColor(crFG);

    CFont* pFont = GetFontObject();
    if (pFont != NULL)
        pDC->SelectObject(pFont);

    if (pGrid->GetGridLines() != GRIDLINES_NONE && IsFixed()) {
        CPen lightpen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        CPen darkpen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
        CPen* pOldPen = pDC->GetCurrentPen();

        pDC->SelectObject(&lightpen);
        pDC->MoveTo(rect.right, rect.top);
        pDC->LineTo(rect.left, rect.top);
        pDC->LineTo(rect.left, rect.bottom);

        pDC->SelectObject(&darkpen);
        pDC->MoveTo(rect.right, rect.top);
        pDC->LineTo(rect.right, rect.bottom);
        pDC->LineTo(rect.left, rect.bottom);

        rect.DeflateRect(1, 1);
        pDC->SelectObject(pOldPen);
    }

    rect.DeflateRect((int)GetMargin(), 0);

    if (pGrid->GetImageList() != NULL && GetImage() >= 0) {
        IMAGEINFO Info;
        if (pGrid->GetImageList()->GetImageInfo(GetImage(), &Info)) {
            int nImageWidth = Info.rcImage.right - Info.rcImage.left;
            pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
            rect.left += nImageWidth + (int)GetMargin();
        }
    }

    pDC->DrawText(GetText(), -1, rect, GetFormat() | DT_NOPREFIX);

    pDC->RestoreDC(nSavedDC);
    return TRUE;
}

BOOL CGridCellBase::OnSetCursor()
{
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    return TRUE;
}

LRESULT CGridCellBase::NotifyGrid(int nRow, int nCol, UINT nCode)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == NULL)
        return 0;
    return pGrid->NotifyOwner(nRow, nCol, (int)nCode);
}
