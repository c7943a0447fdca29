// GridCtrlPrint.cpp - printing: the print dialog, margins, laying rows and columns out on
// pages, and each page's cells, headings, header and footer.
#include "GridCtrl.h"
#include <algorithm>
using std::max;
using std::min;
#include <afxdlgs.h>
#include <afxext.h>
#include <time.h>

const TCHAR* const CGridCtrl::kPrintSample = _T("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ");

CString CGridCtrl::GetParentTitle()
{
    CString strTitle;
    CWnd* pParentWnd = GetParent();
    while (pParentWnd != NULL) {
        pParentWnd->GetWindowText(strTitle);
        if (strTitle.GetLength())
            break;
        pParentWnd = pParentWnd->GetParent();
    }
    return strTitle;
}

void CGridCtrl::SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin, int nRightMargin,
                                   int nTopMargin, int nBottomMargin, int nGap)
{
    if (nHeaderHeight >= 0)
        m_nHeaderHeight = nHeaderHeight;
    if (nFooterHeight >= 0)
        m_nFooterHeight = nFooterHeight;
    if (nLeftMargin >= 0)
        m_nLeftMargin = nLeftMargin;
    if (nRightMargin >= 0)
        m_nRightMargin = nRightMargin;
    if (nTopMargin >= 0)
        m_nTopMargin = nTopMargin;
    if (nBottomMargin >= 0)
        m_nBottomMargin = nBottomMargin;
    if (nGap >= 0)
        m_nGap = nGap;
}

void CGridCtrl::GetPrintMarginInfo(int& nHeaderHeight, int& nFooterHeight, int& nLeftMargin, int& nRightMargin,
                                   int& nTopMargin, int& nBottomMargin, int& nGap)
{
    nHeaderHeight = m_nHeaderHeight;
    nFooterHeight = m_nFooterHeight;
    nLeftMargin = m_nLeftMargin;
    nRightMargin = m_nRightMargin;
    nTopMargin = m_nTopMargin;
    nBottomMargin = m_nBottomMargin;
    nGap = m_nGap;
}

void CGridCtrl::Print(CPrintDialog* pPrntDialog)
{
    // The grid's own dialog asks for the printer's DC; a dialog handed in
    // may have been shown without that flag, so its printer's DC is made here.
    CPrintDialog printDlg(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE |
                                     PD_HIDEPRINTTOFILE | PD_RETURNDC);
    CPrintDialog* pDlg = pPrntDialog != NULL ? pPrntDialog : &printDlg;
    BOOL bChosen = pPrntDialog != NULL || printDlg.DoModal() == IDOK;
    HDC hDC = NULL;
    if (bChosen) {
        hDC = pDlg->GetPrinterDC();
        if (hDC == NULL)
            hDC = pDlg->CreatePrinterDC();
        // The DC is the grid's from here on and is deleted when printing
        // ends; the dialog no longer names it.
        pDlg->m_pd.hDC = NULL;
    }
    // The printer settings the grid's own dialog returned are not kept.
    for (HGLOBAL hSettings : {printDlg.m_pd.hDevMode, printDlg.m_pd.hDevNames})
        if (hSettings != NULL)
            ::GlobalFree(hSettings);
    if (!bChosen)
        return;
    if (hDC == NULL) {
        AfxMessageBox(_T("No printer is available: the grid was not printed."), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CDC dc;
    dc.Attach(hDC);

    dc.m_bPrinting = TRUE;

    CString strTitle;
    strTitle.LoadString(AFX_IDS_APP_TITLE);
    if (strTitle.IsEmpty())
        strTitle = GetParentTitle();

    DOCINFO di;
    memset(&di, 0, sizeof(DOCINFO));
    di.cbSize = sizeof(DOCINFO);
    di.lpszDocName = strTitle;

    BOOL bPrintingOK = dc.StartDoc(&di) > 0;

    CPrintInfo Info;
    Info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));

    OnBeginPrinting(&dc, &Info);
    for (UINT page = Info.GetMinPage(); page <= Info.GetMaxPage() && bPrintingOK; page++) {
        dc.StartPage();
        Info.m_nCurPage = page;
        OnPrint(&dc, &Info);
        bPrintingOK = (dc.EndPage() > 0);
    }
    OnEndPrinting(&dc, &Info);

    if (bPrintingOK)
        dc.EndDoc();
    else
        dc.AbortDoc();
}

// Lays the rows (or columns) nFirst..nCount-1 out on pages nSpace pixels
// long and gives the first index of each page. A page takes the next cells
// while their extents add up to no more than the space (a cell's last pixel,
// where its grid line lies, is on the page), and at least one cell, clipped
// when it is longer than the whole page. There is always a first page.
template <class Extent>
std::vector<int> CGridCtrl::PageStarts(int nFirst, int nCount, int nSpace, Extent extent)
{
    std::vector<int> starts(1, nFirst);
    long long nUsed = 0;
    for (int i = nFirst; i < nCount; i++) {
        int nExtent = extent(i);
        if (nUsed + nExtent > nSpace && i > starts.back()) {
            starts.push_back(i);
            nUsed = 0;
        }
        nUsed += nExtent;
    }
    return starts;
}

void CGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == NULL || pInfo == NULL)
        return;

    HDC hScreenDC = ::GetDC(NULL);
    if (hScreenDC == NULL)
        return;
    CSize PaperPixelsPerInch(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    CSize ScreenPixelsPerInch(::GetDeviceCaps(hScreenDC, LOGPIXELSX), ::GetDeviceCaps(hScreenDC, LOGPIXELSY));

    m_fontPrinter.DeleteObject();
    m_fontPrinter.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                             CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, _T("Arial"));
    CFont* pOldFont = pDC->SelectObject(&m_fontPrinter);

    // The sample has 53 characters; the width is divided by its real length.
    int nSampleLength = lstrlen(kPrintSample);
    m_sizeChar = pDC->GetTextExtent(kPrintSample, nSampleLength);
    m_sizeChar.cx /= nSampleLength;
    int nMargins = (m_nLeftMargin + m_nRightMargin) * m_sizeChar.cx;

    m_sizePaperDevice = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    if (m_bPrintAtScreenSize) {
        m_sizeLogicalPage.cx = ScreenPixelsPerInch.cx * m_sizePaperDevice.cx / PaperPixelsPerInch.cx * 3 / 4;
        m_sizeLogicalPage.cy = ScreenPixelsPerInch.cy * m_sizePaperDevice.cy / PaperPixelsPerInch.cy * 3 / 4;
    } else {
        m_sizeLogicalPage.cx = GetVirtualWidth() + nMargins;
        m_sizeLogicalPage.cy = MulDiv(m_sizeLogicalPage.cx, m_sizePaperDevice.cy, m_sizePaperDevice.cx);
    }

    m_nPageHeight = m_sizeLogicalPage.cy - GetFixedRowHeight() -
                    (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_sizeChar.cy;

    // Pages down and, at screen size, across: one rule for counting and printing.
    m_nPageWidth = m_sizeLogicalPage.cx - GetFixedColumnWidth() - nMargins;
    m_arPrintRowStarts = PageStarts(GetFixedRowCount(), GetRowCount(), m_nPageHeight,
                                    [this](int row) { return GetRowHeight(row); });
    if (m_bPrintAtScreenSize)
        m_arPrintColStarts = PageStarts(GetFixedColumnCount(), GetColumnCount(), m_nPageWidth,
                                        [this](int col) { return GetColumnWidth(col); });
    else
        m_arPrintColStarts.assign(1, GetFixedColumnCount());   // the page is as wide as the grid
    m_nPagesDown = (int)m_arPrintRowStarts.size();
    m_nPagesAcross = (int)m_arPrintColStarts.size();
    m_nNumPages = m_nPagesDown * m_nPagesAcross;

    pInfo->SetMaxPage(m_nNumPages);
    pInfo->m_nCurPage = 1;

    ::ReleaseDC(NULL, hScreenDC);
    pDC->SelectObject(pOldFont);
}

void CGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == NULL || pInfo == NULL)
        return;

    CFont* pOldFont = pDC->SelectObject(&m_fontPrinter);

    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_sizeLogicalPage);
    pDC->SetViewportExt(m_sizePaperDevice);
    pDC->SetWindowOrg(-m_nLeftMargin * m_sizeChar.cx, 0);

    // Header.
    pInfo->m_rectDraw.top = 0;
    pInfo->m_rectDraw.left = 0;
    pInfo->m_rectDraw.right = m_sizeLogicalPage.cx - (m_nLeftMargin + m_nRightMargin) * m_sizeChar.cx;
    pInfo->m_rectDraw.bottom = m_nHeaderHeight * m_sizeChar.cy;
    PrintHeader(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -m_nHeaderHeight * m_sizeChar.cy);
    pDC->OffsetWindowOrg(0, -m_nGap * m_sizeChar.cy);
    pDC->OffsetWindowOrg(0, -GetFixedRowHeight());

    // The page's block of rows and columns, pages counted across first.
    int nPage = max(0, min((int)pInfo->m_nCurPage, m_nNumPages) - 1);
    int nPageRow = nPage / max(1, m_nPagesAcross), nPageCol = nPage % max(1, m_nPagesAcross);
    auto blockEnd = [](const std::vector<int>& starts, int i, int nCount) {
        return i + 1 < (int)starts.size() ? starts[(size_t)i + 1] : nCount;
    };
    m_nCurrPrintRow = m_arPrintRowStarts.empty() ? GetRowCount() : m_arPrintRowStarts[(size_t)nPageRow];
    m_nPrintRowEnd = m_arPrintRowStarts.empty() ? GetRowCount() : blockEnd(m_arPrintRowStarts, nPageRow, GetRowCount());
    m_nCurrPrintCol = m_arPrintColStarts.empty() ? GetColumnCount() : m_arPrintColStarts[(size_t)nPageCol];
    m_nPrintColEnd =
        m_arPrintColStarts.empty() ? GetColumnCount() : blockEnd(m_arPrintColStarts, nPageCol, GetColumnCount());

    // Row headings (the fixed columns of the page's rows) and column headings.
    int nFixedColWidth = GetFixedColumnWidth();
    PrintRowHeadings(pDC, pInfo);
    pDC->OffsetWindowOrg(-nFixedColWidth, GetFixedRowHeight());
    PrintColumnHeadings(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -GetFixedRowHeight());

    // The page's cells.
    BOOL bFirstPrintedRow = TRUE;
    CRect rect;
    rect.bottom = -1;
    int nRow = m_nCurrPrintRow;
    for (; nRow < m_nPrintRowEnd; nRow++) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(nRow) - 1;

        rect.right = -1;
        BOOL bFirstCol = TRUE;
        for (int col = m_nCurrPrintCol; col < m_nPrintColEnd; col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;

            CGridCellBase* pCell = GetCell(nRow, col);
            if (pCell != NULL)
                PrintGridCell(nRow, col, pDC, rect, pCell);

            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
                if (bFirstPrintedRow) {
                    pDC->MoveTo(rect.left, rect.top);
                    pDC->LineTo(rect.right + 1, rect.top);
                }
            }
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
                if (bFirstCol) {
                    pDC->MoveTo(rect.left, rect.top);
                    pDC->LineTo(rect.left, rect.bottom + 1);
                }
            }
            bFirstCol = FALSE;
        }
        bFirstPrintedRow = FALSE;
    }
    m_nCurrPrintRow = nRow;

    // Footer.
    pInfo->m_rectDraw.bottom = m_nFooterHeight * m_sizeChar.cy;
    pDC->SetWindowOrg(-m_nLeftMargin * m_sizeChar.cx, -m_sizeLogicalPage.cy + m_nFooterHeight * m_sizeChar.cy);
    PrintFooter(pDC, pInfo);

    pDC->SetWindowOrg(0, 0);
    pDC->SelectObject(pOldFont);
}

BOOL CGridCtrl::PrintGridCell(int nRow, int nCol, CDC* pDC, CRect rect, CGridCellBase* pCell)
{
    return pCell->PrintCell(pDC, nRow, nCol, rect);
}

void CGridCtrl::PrintColumnHeadings(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    // The fixed rows over the page's columns; the fixed corner left of them.
    CRect rect;
    rect.bottom = -1;
    int nFixedColWidth = GetFixedColumnWidth();
    for (int row = 0; row < GetFixedRowCount(); row++) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;

        // The corner, left of the page's columns.
        rect.right = -1 - nFixedColWidth;
        for (int col = 0; col < GetFixedColumnCount(); col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell != NULL)
                PrintGridCell(row, col, pDC, rect, pCell);
        }

        rect.right = -1;
        for (int col = m_nCurrPrintCol; col < m_nPrintColEnd; col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell != NULL)
                PrintGridCell(row, col, pDC, rect, pCell);

            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
        }
    }
}

void CGridCtrl::PrintRowHeadings(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    // The fixed columns of the page's rows, left of the page's cells.
    CRect rect;
    rect.bottom = -1;
    for (int row = m_nCurrPrintRow; row < m_nPrintRowEnd; row++) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (int col = 0; col < GetFixedColumnCount(); col++) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell != NULL)
                PrintGridCell(row, col, pDC, rect, pCell);
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
        }
    }
}

void CGridCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rc(pInfo->m_rectDraw);
    CString strHeaderString = GetParentTitle();

    LOGFONT lf;
    m_fontPrinter.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    CFont BoldFont;
    BoldFont.CreateFontIndirect(&lf);

    CFont* pNormalFont = pDC->SelectObject(&BoldFont);
    int nPrevBkMode = pDC->SetBkMode(TRANSPARENT);

    if (!strHeaderString.IsEmpty())
        pDC->DrawText(strHeaderString, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    CString strAppTitle;
    strAppTitle.LoadString(AFX_IDS_APP_TITLE);
    if (!strAppTitle.IsEmpty())
        pDC->DrawText(strAppTitle, &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    pDC->SetBkMode(nPrevBkMode);
    pDC->SelectObject(pNormalFont);
    BoldFont.DeleteObject();

    CPen* pOldPen = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    pDC->MoveTo(rc.left, rc.bottom);
    pDC->LineTo(rc.right, rc.bottom);
    pDC->SelectObject(pOldPen);
}

void CGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rc(pInfo->m_rectDraw);

    CPen* pOldPen = (CPen*)pDC->SelectStockObject(BLACK_PEN);
    pDC->MoveTo(rc.left, rc.top);
    pDC->LineTo(rc.right, rc.top);
    pDC->SelectObject(pOldPen);

    LOGFONT lf;
    m_fontPrinter.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    CFont BoldFont;
    BoldFont.CreateFontIndirect(&lf);

    CFont* pNormalFont = pDC->SelectObject(&BoldFont);
    int nPrevBkMode = pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));

    CString strPage;
    strPage.Format(_T("Page %d of %d"), pInfo->m_nCurPage, pInfo->GetMaxPage());
    pDC->DrawText(strPage, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    char szDate[128];
    time_t now = time(NULL);
    strftime(szDate, sizeof(szDate), "%c", localtime(&now));
    pDC->DrawText(szDate, -1, &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    pDC->SetBkMode(nPrevBkMode);
    pDC->SelectObject(pNormalFont);
    BoldFont.DeleteObject();
}

void CGridCtrl::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
    m_fontPrinter.DeleteObject();
}
