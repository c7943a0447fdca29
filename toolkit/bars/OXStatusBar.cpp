#include "OXStatusBar.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "OXSkinnedApp.h"
#include "OXStatusbarSkin.h"

IMPLEMENT_DYNAMIC(COXStatusBar, CStatusBar)

BEGIN_MESSAGE_MAP(COXStatusBar, CStatusBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

namespace {

// What a pane's text is measured against to leave room for any percentage.
const char kWidestPercent[] = "999%";

// SB_GETBORDERS: horizontal border, vertical border, gap between panes.
struct Borders
{
    int nHorz = 0, nVert = 0, nGap = 0;
};

Borders StatusBorders(const CWnd* pBar)
{
    int rg[3] = {0, 0, 0};
    ::SendMessage(pBar->GetSafeHwnd(), SB_GETBORDERS, 0, (LPARAM)rg);
    Borders b;
    b.nHorz = rg[0];
    b.nVert = rg[1];
    b.nGap = rg[2];
    return b;
}

} // namespace

COXStatusBar::COXStatusBar() : m_pDefaultSkin(NULL), m_nMinHeight(0) {}

COXStatusBar::~COXStatusBar()
{
    FreePaneObjects();
    delete m_pDefaultSkin;
    for (int i = 0; i < m_nCount; ++i)
        GetPanePtr(i)->strText.Empty();
}

void COXStatusBar::CheckIndex(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount || nIndex >= m_arrCursors.GetSize())
        AfxThrowInvalidArgException();
}

// The pane objects of the panes about to go: fonts and bitmaps with their
// GDI objects, progress controls with their windows.
void COXStatusBar::FreePaneObjects()
{
    for (INT_PTR i = 0; i < m_arrFonts.GetSize(); ++i)
        delete (CFont*)m_arrFonts[i];
    for (INT_PTR i = 0; i < m_arrBitmaps.GetSize(); ++i)
        delete (CBmpInfo*)m_arrBitmaps[i];
    for (INT_PTR i = 0; i < m_arrProgress.GetSize(); ++i) {
        CEvolInfo* pInfo = (CEvolInfo*)m_arrProgress[i];
        if (pInfo != NULL && ::IsWindow(pInfo->m_progress.m_hWnd))
            pInfo->m_progress.DestroyWindow();
        delete pInfo;
    }
    m_arrFonts.RemoveAll();
    m_arrBitmaps.RemoveAll();
    m_arrProgress.RemoveAll();
    m_arrCursors.RemoveAll();
    m_arrTextColors.RemoveAll();
    m_arrTooltips.RemoveAll();
}

BOOL COXStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    FreePaneObjects();
    const int n = nIDCount > 0 ? nIDCount : 0;
    m_arrCursors.SetSize(n);
    m_arrBitmaps.SetSize(n);
    m_arrTextColors.SetSize(n);
    m_arrProgress.SetSize(n);
    m_arrFonts.SetSize(n);
    m_arrTooltips.SetSize(n);
    const COLORREF clrText = ::GetSysColor(COLOR_BTNTEXT);
    for (int i = 0; i < n; ++i) {
        m_arrCursors[i] = 0;
        m_arrBitmaps[i] = NULL;
        m_arrTextColors[i] = clrText;
        m_arrProgress[i] = NULL;
        m_arrFonts[i] = NULL;
    }
    BOOL bResult = CStatusBar::SetIndicators(lpIDArray, nIDCount);
    if (m_hWnd != NULL)
        UpdateAllPanes(TRUE, FALSE);
    return bResult;
}

BOOL COXStatusBar::SetPaneCursor(int nIndex, UINT nCursorID)
{
    CheckIndex(nIndex);
    if (nCursorID == 0) {
        m_arrCursors[nIndex] = 0;
        return TRUE;
    }
    HCURSOR hCursor = AfxGetApp() != NULL ? AfxGetApp()->LoadCursor(nCursorID)
                                          : ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nCursorID));
    if (hCursor == NULL)
        return FALSE;
    m_arrCursors[nIndex] = (DWORD)(DWORD_PTR)hCursor;
    return TRUE;
}

BOOL COXStatusBar::SetPaneTooltip(int nIndex, LPCTSTR lpszText)
{
    CheckIndex(nIndex);
    m_arrTooltips[nIndex] = lpszText != NULL ? lpszText : "";
    return TRUE;
}

BOOL COXStatusBar::RemovePaneTooltip(int nIndex)
{
    return SetPaneTooltip(nIndex, "");
}

void COXStatusBar::SetOwnerDraw(int nIndex, BOOL bOn)
{
    UINT nID, nStyle;
    int cxWidth;
    GetPaneInfo(nIndex, nID, nStyle, cxWidth);
    const UINT nNewStyle = bOn ? (nStyle | SBT_OWNERDRAW) : (nStyle & ~SBT_OWNERDRAW);
    if (nNewStyle != nStyle)
        SetPaneInfo(nIndex, nID, nNewStyle, cxWidth);
}

BOOL COXStatusBar::SetPaneFont(int nIndex, CFont* pFont)
{
    CheckIndex(nIndex);
    CFont* pOld = (CFont*)m_arrFonts[nIndex];
    m_arrFonts[nIndex] = NULL;
    delete pOld;
    const BOOL bPlainColour = m_arrTextColors[nIndex] == ::GetSysColor(COLOR_BTNTEXT);
    if (pFont != NULL) {
        LOGFONT lf;
        CFont* pNew = new CFont;
        if (pFont->GetSafeHandle() != NULL && pFont->GetLogFont(&lf) && pNew->CreateFontIndirect(&lf)) {
            m_arrFonts[nIndex] = pNew;
            SetOwnerDraw(nIndex, TRUE);
            return TRUE;
        }
        delete pNew;
        if (pOld != NULL && bPlainColour)
            SetOwnerDraw(nIndex, FALSE);
        return FALSE;
    }
    if (pOld != NULL && bPlainColour)
        SetOwnerDraw(nIndex, FALSE);
    return TRUE;
}

BOOL COXStatusBar::SetPaneText(int nIndex, LPCTSTR lpszText, COLORREF clrText, BOOL bUpdate)
{
    CheckIndex(nIndex);
    if (!CStatusBar::SetPaneText(nIndex, lpszText, bUpdate))
        return FALSE;
    if (clrText != m_arrTextColors[nIndex] && m_arrFonts[nIndex] == NULL)
        SetOwnerDraw(nIndex, clrText != ::GetSysColor(COLOR_BTNTEXT));
    m_arrTextColors[nIndex] = clrText;
    return TRUE;
}

BOOL COXStatusBar::SetPaneBitmap(int nIndex, UINT nBitmapID, int nMode, COLORREF clrTransparent, BOOL bRedraw)
{
    CheckIndex(nIndex);
    CBmpInfo* pInfo = (CBmpInfo*)m_arrBitmaps[nIndex];
    auto invalidatePane = [&] {
        if (m_hWnd == NULL)
            return;
        CRect rect;
        GetItemRect(nIndex, &rect);
        InvalidateRect(&rect);
    };
    if (nBitmapID == 0) {
        delete pInfo;
        m_arrBitmaps[nIndex] = NULL;
    } else {
        if (pInfo == NULL || pInfo->m_nBitmapID != nBitmapID) {
            CBitmap* pBitmap = new CBitmap;
            BITMAP bm;
            if (!pBitmap->LoadBitmap(nBitmapID) || pBitmap->GetBitmap(&bm) == 0) {
                delete pBitmap;
                delete pInfo;
                m_arrBitmaps[nIndex] = NULL;
                if (pInfo != NULL)
                    invalidatePane();
                return FALSE;
            }
            if (pInfo == NULL) {
                pInfo = new CBmpInfo;
                m_arrBitmaps[nIndex] = pInfo;
            }
            delete pInfo->m_pBitmap;
            pInfo->m_pBitmap = pBitmap;
            pInfo->m_nWidth = bm.bmWidth;
            pInfo->m_nHeight = bm.bmHeight;
        }
        CStatusBar::SetPaneText(nIndex, "");
        pInfo->m_nBitmapID = nBitmapID;
        pInfo->m_nMode = nMode;
        pInfo->m_clrTransparent = clrTransparent;
    }
    UpdateAllPanes(TRUE, FALSE);
    if (bRedraw)
        invalidatePane();
    return TRUE;
}

BOOL COXStatusBar::SetPaneProgress(int nIndex, int, BOOL bShowPercent)
{
    CheckIndex(nIndex);
    ResetProgress(nIndex, TRUE);
    CEvolInfo* pInfo = new CEvolInfo;
    pInfo->m_bShowPercent = bShowPercent;
    m_arrProgress[nIndex] = pInfo;
    GetPanePtr(nIndex)->nStyle |= SBPS_PROGRESS;
    CreateProgress(nIndex);
    return TRUE;
}

UINT COXStatusBar::ProgressPercent(LONGLONG nBound, LONGLONG nPos)
{
    if (nBound <= 0 || nPos <= 0)
        return 0;
    if (nPos >= nBound)
        return 100;
    // position x 100 / bound without overflow: 100 = 64 + 32 + 4, each part
    // found by doubling the position modulo the bound (both below 2^63, so
    // twice the remainder fits in 64 unsigned bits).
    const ULONGLONG b = (ULONGLONG)nBound;
    ULONGLONG q = 0, rem = (ULONGLONG)nPos, nWhole = 0, nRest = 0;
    for (int k = 1; k <= 6; ++k) {
        rem *= 2;
        q = 2 * q + (rem >= b ? 1 : 0);
        if (rem >= b)
            rem -= b;
        if (k == 2 || k == 5 || k == 6) {   // x4, x32, x64
            nWhole += q;
            if (rem >= b - nRest) {
                ++nWhole;
                nRest = rem - (b - nRest);
            } else {
                nRest += rem;
            }
        }
    }
    return (UINT)nWhole;
}

void COXStatusBar::SetProgressPos(int nIndex, int, LONGLONG nBound, LONGLONG nPos)
{
    CheckIndex(nIndex);
    CEvolInfo* pInfo = (CEvolInfo*)m_arrProgress[nIndex];
    if (pInfo == NULL || !CreateProgress(nIndex))
        return;
    // The control counts in 32 bits: larger ranges are halved until they fit.
    if (nBound < 0)
        nBound = 0;
    const LONGLONG nClamped = nPos < 0 ? 0 : nPos > nBound ? nBound : nPos;
    int nShift = 0;
    while ((nBound >> nShift) > INT_MAX)
        ++nShift;
    HWND hProgress = pInfo->m_progress.m_hWnd;
    if (nBound != pInfo->m_nBound) {
        ::SendMessage(hProgress, PBM_SETRANGE32, 0, (LPARAM)(int)(nBound >> nShift));
        pInfo->m_nBound = nBound;
    }
    ::SendMessage(hProgress, PBM_SETPOS, (WPARAM)(int)(nClamped >> nShift), 0);

    const UINT nPercent = ProgressPercent(nBound, nPos);
    if (pInfo->m_bShowPercent && (!pInfo->m_bTextShown || nPercent != pInfo->m_nPercent)) {
        CString strText;
        strText.Format("%d%%", nPercent);
        SetRedraw(FALSE);
        CStatusBar::SetPaneText(nIndex, strText);
        SetRedraw(TRUE);
        CRect rect;
        GetItemRect(nIndex, &rect);
        rect.right = pInfo->m_rect.left - 1;
        InvalidateRect(&rect);
        pInfo->m_bTextShown = TRUE;
    }
    pInfo->m_nPercent = (WORD)nPercent;
}

void COXStatusBar::ResetProgress(int nIndex, BOOL bRemove)
{
    CheckIndex(nIndex);
    CEvolInfo* pInfo = (CEvolInfo*)m_arrProgress[nIndex];
    if (pInfo == NULL)
        return;
    if (!bRemove) {
        SetProgressPos(nIndex, 0, 100, 0);
        return;
    }
    if (::IsWindow(pInfo->m_progress.m_hWnd))
        pInfo->m_progress.DestroyWindow();
    delete pInfo;
    m_arrProgress[nIndex] = NULL;
    GetPanePtr(nIndex)->nStyle &= ~SBPS_PROGRESS;
    CStatusBar::SetPaneText(nIndex, "");
}

CFont* COXStatusBar::GetDrawFont(int nIndex) const
{
    if (nIndex >= 0 && nIndex < m_arrFonts.GetSize() && m_arrFonts[nIndex] != NULL)
        return (CFont*)m_arrFonts[nIndex];
    HFONT hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    return CFont::FromHandle(hFont != NULL ? hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}

int COXStatusBar::PercentTextWidth(int nIndex) const
{
    CClientDC dc(const_cast<COXStatusBar*>(this));
    CFont* pOld = dc.SelectObject(GetDrawFont(nIndex));
    CRect rect(0, 0, 0, 0);
    dc.DrawText(kWidestPercent, -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    dc.SelectObject(pOld);
    return rect.Width();
}

CRect COXStatusBar::GetPaneInnerRect(int nIndex, BOOL bProgress) const
{
    CRect rect;
    GetItemRect(nIndex, &rect);
    if (rect.IsRectEmpty())
        return CRect(0, 0, 0, 0);
    const Borders b = StatusBorders(this);
    rect.left += b.nGap;
    rect.right -= b.nGap;
    rect.top += b.nHorz + 1;
    rect.bottom -= b.nHorz + (bProgress ? 2 : 1);
    return rect;
}

BOOL COXStatusBar::CreateProgress(int nIndex)
{
    CEvolInfo* pInfo = (CEvolInfo*)m_arrProgress[nIndex];
    if (pInfo == NULL)
        return FALSE;
    if (pInfo->m_bCreated && ::IsWindow(pInfo->m_progress.m_hWnd))
        return TRUE;
    if (m_hWnd == NULL)
        return FALSE;
    CRect rect = GetPaneInnerRect(nIndex, TRUE);
    if (pInfo->m_bShowPercent)
        rect.left += PercentTextWidth(nIndex);
    if (rect.right < rect.left)
        rect.right = rect.left;
    CStatusBar::SetPaneText(nIndex, "");
    pInfo->m_rect = rect;
    pInfo->m_bTextShown = FALSE;
    pInfo->m_nBound = -1;
    pInfo->m_bCreated = pInfo->m_progress.Create(WS_CHILD | WS_VISIBLE, rect, this, (UINT)nIndex);
    return pInfo->m_bCreated;
}

void COXStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    CheckIndex(nIndex);
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    const BOOL bLayout = ((pSBP->nStyle ^ nStyle) & SBPS_STRETCH) != 0 || pSBP->cxText != cxWidth;
    const BOOL bText = pSBP->nStyle != nStyle;
    pSBP->nID = nID;
    pSBP->nStyle = nStyle;
    pSBP->cxText = cxWidth;
    if (bLayout)
        UpdateAllPanes(TRUE, FALSE);
    if (bText) {
        pSBP->nFlags |= SBPF_UPDATE;
        if (m_hWnd != NULL)
            ShowPaneText(nIndex);
    }
}

void COXStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    CheckIndex(nIndex);
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    if (pSBP->nStyle == nStyle)
        return;
    SetPaneInfo(nIndex, pSBP->nID, nStyle, pSBP->cxText);
    if (m_hWnd != NULL)
        RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void COXStatusBar::LayoutPaneRights(int cxInside, int nHorzBorder, int nGap, const int* pWidths,
                                    const BOOL* pStretch, int n, int* pRights)
{
    int cxExtra = cxInside + nGap;
    int nStretch = 0;
    for (int i = 0; i < n; ++i) {
        cxExtra -= pWidths[i] + 6 + nGap;
        nStretch += pStretch[i] ? 1 : 0;
    }
    int right = nHorzBorder;
    for (int i = 0; i < n; ++i) {
        right += pWidths[i] + 6;
        if (pStretch[i] && cxExtra > 0 && nStretch > 0) {
            const int cxAdd = cxExtra / nStretch;
            right += cxAdd;
            cxExtra -= cxAdd;
            --nStretch;
        }
        pRights[i] = right;
        right += nGap;
    }
}

void COXStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == NULL)
        return;
    if (bUpdateRects && m_nCount > 0) {
        CRect rect;
        GetWindowRect(&rect);
        rect.OffsetRect(-rect.left, -rect.top);
        CalcInsideRect(rect, TRUE);
        // The stock grip takes its corner unless the frame is maximized.
        if ((GetStyle() & SBARS_SIZEGRIP) && !::IsZoomed(::GetParent(m_hWnd)))
            rect.right -= m_cxSizeBox;
        const Borders b = StatusBorders(this);
        std::vector<int> widths(m_nCount), rights(m_nCount);
        std::vector<BOOL> stretch(m_nCount);
        for (int i = 0; i < m_nCount; ++i) {
            widths[i] = GetPanePtr(i)->cxText;
            stretch[i] = (GetPanePtr(i)->nStyle & SBPS_STRETCH) != 0;
        }
        LayoutPaneRights(rect.Width(), b.nHorz, b.nGap, widths.data(), stretch.data(), m_nCount, rights.data());
        SendMessage(SB_SETPARTS, (WPARAM)m_nCount, (LPARAM)rights.data());

        for (int i = 0; i < m_nCount && i < m_arrProgress.GetSize(); ++i) {
            CEvolInfo* pInfo = (CEvolInfo*)m_arrProgress[i];
            if (pInfo == NULL || !(GetPanePtr(i)->nStyle & SBPS_PROGRESS))
                continue;
            const int cxPercent = PercentTextWidth(i);
            if (!CreateProgress(i))
                continue;
            CRect rectItem;
            GetItemRect(i, &rectItem);
            rectItem.left += b.nGap;
            rectItem.right -= b.nGap;
            rectItem.top += b.nHorz + 1;
            rectItem.bottom -= b.nHorz + 2;
            if (pInfo->m_bShowPercent)
                rectItem.left += cxPercent;
            if (rectItem.right < rectItem.left)
                rectItem.right = rectItem.left;
            pInfo->m_rect = rectItem;
            pInfo->m_progress.SetWindowPos(NULL, rectItem.left, rectItem.top, rectItem.Width(), rectItem.Height(),
                                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
    }
    if (bUpdateText) {
        for (int i = 0; i < m_nCount; ++i)
            if (GetPanePtr(i)->nFlags & SBPF_UPDATE)
                ShowPaneText(i);
    }
}

void COXStatusBar::PlaceBitmap(const CRect& rectInner, int w, int h, int nMode, CRect& rectDest, CSize& sizeSource)
{
    const int cxPane = rectInner.Width(), cyPane = rectInner.Height();
    int y, cy;
    if (rectInner.bottom - h - rectInner.top <= 0) {
        y = rectInner.top;
        cy = cyPane;
    } else {
        y = rectInner.top + (cyPane - h) / 2;
        cy = h;
    }
    const int cxSpare = rectInner.right - w - rectInner.left;
    const int cx = cxSpare > 0 ? w : cxPane;
    rectDest.SetRect(rectInner.left, y, rectInner.left + cx, y + cy);
    sizeSource = CSize(w, h);
    switch (nMode) {
    case bmpStretch:
        rectDest = rectInner;
        break;
    case bmpCutLeft:
    case bmpCutCenter:
    case bmpCutRight:
        sizeSource = CSize(cx, cy);
        break;
    default:
        break;
    }
    if (cxSpare > 0) {
        if (nMode == bmpCenter || nMode == bmpCutCenter)
            rectDest.OffsetRect(cxSpare / 2, 0);
        else if (nMode == bmpRight || nMode == bmpCutRight)
            rectDest.OffsetRect(cxSpare, 0);
    }
}

void COXStatusBar::DrawBitmapPane(CDC* pDC, int nIndex, UINT nStyle)
{
    if (pDC == NULL || (nStyle & SBPS_DISABLED) || nIndex < 0 || nIndex >= m_arrBitmaps.GetSize())
        return;
    CBmpInfo* pInfo = (CBmpInfo*)m_arrBitmaps[nIndex];
    if (pInfo == NULL || pInfo->m_pBitmap == NULL)
        return;
    const CRect rectInner = GetPaneInnerRect(nIndex);
    if (rectInner.IsRectEmpty())
        return;
    CRect rectDest;
    CSize sizeSource;
    PlaceBitmap(rectInner, pInfo->m_nWidth, pInfo->m_nHeight, pInfo->m_nMode, rectDest, sizeSource);
    if (rectDest.IsRectEmpty() || sizeSource.cx <= 0 || sizeSource.cy <= 0)
        return;
    const int w = pInfo->m_nWidth, h = pInfo->m_nHeight;

    // The bitmap, a mask of its transparent pixels, and a work copy of what
    // lies under it at the bitmap's own size: the bitmap is put over the
    // work copy without its transparent pixels, and the result stretched
    // back onto the destination.
    CDC dcBitmap, dcImage, dcMask, dcWork;
    dcBitmap.CreateCompatibleDC(pDC);
    dcImage.CreateCompatibleDC(pDC);
    dcMask.CreateCompatibleDC(pDC);
    dcWork.CreateCompatibleDC(pDC);
    CBitmap bmpImage, bmpMask, bmpWork;
    bmpImage.CreateCompatibleBitmap(pDC, w, h);
    bmpMask.CreateBitmap(w, h, 1, 1, NULL);
    bmpWork.CreateCompatibleBitmap(pDC, w, h);
    CBitmap* pOldBitmap = dcBitmap.SelectObject(pInfo->m_pBitmap);
    CBitmap* pOldImage = dcImage.SelectObject(&bmpImage);
    CBitmap* pOldMask = dcMask.SelectObject(&bmpMask);
    CBitmap* pOldWork = dcWork.SelectObject(&bmpWork);

    dcImage.BitBlt(0, 0, w, h, &dcBitmap, 0, 0, SRCCOPY);
    dcImage.SetBkColor(pInfo->m_clrTransparent);
    dcMask.BitBlt(0, 0, w, h, &dcImage, 0, 0, SRCCOPY);   // 1 where transparent

    dcWork.SetStretchBltMode(COLORONCOLOR);
    dcWork.StretchBlt(0, 0, sizeSource.cx, sizeSource.cy, pDC, rectDest.left, rectDest.top, rectDest.Width(),
                      rectDest.Height(), SRCCOPY);
    // Mask to colour: 0 gives the text colour, 1 the background colour.
    dcWork.SetTextColor(RGB(0, 0, 0));
    dcWork.SetBkColor(RGB(255, 255, 255));
    dcWork.BitBlt(0, 0, w, h, &dcMask, 0, 0, SRCAND);     // clear the bitmap's place
    dcImage.SetTextColor(RGB(255, 255, 255));
    dcImage.SetBkColor(RGB(0, 0, 0));
    dcImage.BitBlt(0, 0, w, h, &dcMask, 0, 0, SRCAND);    // clear its transparent pixels
    dcWork.BitBlt(0, 0, w, h, &dcImage, 0, 0, SRCPAINT);

    const int nOldMode = pDC->SetStretchBltMode(COLORONCOLOR);
    pDC->StretchBlt(rectDest.left, rectDest.top, rectDest.Width(), rectDest.Height(), &dcWork, 0, 0, sizeSource.cx,
                    sizeSource.cy, SRCCOPY);
    pDC->SetStretchBltMode(nOldMode);

    dcWork.SelectObject(pOldWork);
    dcMask.SelectObject(pOldMask);
    dcImage.SelectObject(pOldImage);
    dcBitmap.SelectObject(pOldBitmap);
}

void COXStatusBar::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    const int nIndex = (int)lpDIS->itemID;
    if (nIndex < 0 || nIndex >= m_nCount || (GetPanePtr(nIndex)->nStyle & SBPS_DISABLED))
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CString& strText = GetPanePtr(nIndex)->strText;
    const int nOldBk = pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(GetDrawFont(nIndex));
    const COLORREF clrOld = pDC->SetTextColor(GetPaneTextColor(nIndex));
    const CSize size = pDC->GetTextExtent(strText.IsEmpty() ? CString(" ") : strText);
    const CRect rect(lpDIS->rcItem);
    pDC->TextOut(rect.left + 2, rect.top + (rect.Height() - size.cy) / 2, strText);
    pDC->SetTextColor(clrOld);
    pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldBk);
}

BOOL COXStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        if (pResult != NULL)
            *pResult = TRUE;
        return TRUE;
    }
    return CStatusBar::OnChildNotify(message, wParam, lParam, pResult);
}

int COXStatusBar::PaneFromPoint(CPoint point) const
{
    for (int i = 0; i < m_nCount; ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        if (rect.PtInRect(point))
            return i;
    }
    return -1;
}

static LPSTR CopyTipText(const CString& str)
{
    return _strdup(str);
}

INT_PTR COXStatusBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // A tip would get in the way of a press or a drag.
    if (::GetAsyncKeyState(VK_LBUTTON) & 0x8001)
        return -1;
    HWND hChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hChild == NULL || hChild == m_hWnd) {
        const int nIndex = PaneFromPoint(point);
        if (nIndex < 0)
            return -1;
        const INT_PTR nHit = (INT_PTR)GetItemID(nIndex);
        if (pTI != NULL) {
            pTI->hwnd = m_hWnd;
            pTI->uId = (UINT_PTR)nHit;
            GetItemRect(nIndex, &pTI->rect);
            pTI->lpszText = CopyTipText(GetPaneTooltip(nIndex));
        }
        return nHit;
    }
    // A progress control: its id is its pane's index.
    const int nIndex = ::GetDlgCtrlID(hChild);
    if (nIndex < 0 || nIndex >= m_nCount)
        return -1;
    if (pTI != NULL) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->uFlags &= ~(TTF_CENTERTIP | 0x80000000u);
        pTI->lpszText = CopyTipText(GetPaneTooltip(nIndex));
    }
    return nIndex + m_nCount;
}

HCURSOR COXStatusBar::GetPaneCursor(int nIndex) const
{
    CheckIndex(nIndex);
    return (HCURSOR)(DWORD_PTR)m_arrCursors[nIndex];
}

CString COXStatusBar::GetPaneTooltip(int nIndex) const
{
    CheckIndex(nIndex);
    return m_arrTooltips[nIndex];
}

CFont* COXStatusBar::GetPaneFont(int nIndex) const
{
    CheckIndex(nIndex);
    return (CFont*)m_arrFonts[nIndex];
}

COLORREF COXStatusBar::GetPaneTextColor(int nIndex) const
{
    CheckIndex(nIndex);
    return m_arrTextColors[nIndex];
}

COXStatusBar::CBmpInfo* COXStatusBar::GetPaneBitmap(int nIndex) const
{
    CheckIndex(nIndex);
    return (CBmpInfo*)m_arrBitmaps[nIndex];
}

COXStatusBar::CEvolInfo* COXStatusBar::GetPaneProgress(int nIndex) const
{
    CheckIndex(nIndex);
    return (CEvolInfo*)m_arrProgress[nIndex];
}

COXStatusbarSkin* COXStatusBar::GetSkin()
{
    COXSkin* pSkin = OXGetCurrentSkin();
    if (pSkin != NULL && pSkin->GetStatusbarSkin() != NULL)
        return pSkin->GetStatusbarSkin();
    if (m_pDefaultSkin == NULL)
        m_pDefaultSkin = new COXStatusbarSkinClassic;
    return m_pDefaultSkin;
}

int COXStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatusBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_dcMem.CreateCompatibleDC(NULL))
        return -1;
    // The skins paint the whole bar: its progress controls keep their place.
    ModifyStyle(0, WS_CLIPCHILDREN);
    return 0;
}

void COXStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    if (m_nCount <= 0)
        return;
    UpdateAllPanes(TRUE, TRUE);
    for (int i = 0; i < m_nCount; ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        InvalidateRect(&rect, FALSE);
    }
}

void COXStatusBar::OnPaint()
{
    GetSkin()->OnPaint(this);
}

BOOL COXStatusBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        // The cursor itself: the message position is not yet set while the
        // system asks for the cursor of a mouse message it is delivering.
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const int nIndex = PaneFromPoint(point);
        if (nIndex >= 0 && nIndex < m_arrCursors.GetSize() && m_arrCursors[nIndex] != 0) {
            ::SetCursor((HCURSOR)(DWORD_PTR)m_arrCursors[nIndex]);
            return TRUE;
        }
    }
    return CStatusBar::OnSetCursor(pWnd, nHitTest, message);
}

void COXStatusBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int nIndex = PaneFromPoint(point);
    if (nIndex >= 0 && GetParent() != NULL)
        GetParent()->SendMessage(WM_SB_PANEDBLCLK, (WPARAM)GetItemID(nIndex), 0);
    CStatusBar::OnLButtonDblClk(nFlags, point);
}

LRESULT COXStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    m_nMinHeight = (int)wParam;
    return lResult;
}
