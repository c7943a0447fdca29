// The cool family's free helpers: ancestry, buddy spin buttons, class
// tests, the flat scroll bar's arithmetic and the shared pens.
#include "OXCoolCtrl.h"

#include <algorithm>
#include <map>

BOOL IsAncestorOrSelf(CWnd* pAncestor, CWnd* pWnd)
{
    if (pWnd == NULL || pAncestor == NULL)
        return FALSE;
    HWND hAncestor = pAncestor->GetSafeHwnd();
    HWND hWnd = pWnd->GetSafeHwnd();
    // A chain of owners can loop; no real window tree is this deep.
    for (int guard = 0; hWnd && guard < 256; ++guard) {
        if (hWnd == hAncestor)
            return TRUE;
        CWnd* pPermanent = CWnd::FromHandlePermanent(hWnd);
        if (pPermanent) {
            CWnd* pOwner = pPermanent->GetOwner();
            hWnd = pOwner ? pOwner->GetSafeHwnd() : NULL;
        } else if (::GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) {
            hWnd = ::GetParent(hWnd);
        } else {
            hWnd = ::GetWindow(hWnd, GW_OWNER);
        }
    }
    return FALSE;
}

static BOOL IsClassWindow(HWND hWnd, const char* pszClass)
{
    char szClass[256] = "";
    if (hWnd == NULL || !::GetClassNameA(hWnd, szClass, sizeof(szClass)))
        return FALSE;
    return lstrcmpiA(szClass, pszClass) == 0;
}

BOOL IsEditClassWindow(HWND hWnd) { return IsClassWindow(hWnd, "Edit"); }
BOOL IsSpinButtonClassWindow(HWND hWnd) { return IsClassWindow(hWnd, "msctls_updown32"); }
BOOL IsComboBoxClassWindow(HWND hWnd) { return IsClassWindow(hWnd, "ComboBox"); }

HWND FindBuddySpinButton(HWND hWnd)
{
    if (!IsEditClassWindow(hWnd))
        return NULL;
    HWND hParent = ::GetParent(hWnd);
    if (hParent == NULL)
        return NULL;
    for (HWND hChild = ::GetWindow(hParent, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (!IsSpinButtonClassWindow(hChild) || CWnd::FromHandlePermanent(hChild) == NULL)
            continue;
        if ((HWND)::SendMessage(hChild, UDM_GETBUDDY, 0, 0) != hWnd)
            continue;
        if (::GetWindowLongPtr(hChild, GWL_STYLE) & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))
            return hChild;
    }
    return NULL;
}

OXFlatScrollLayout OXLayoutFlatScrollBar(int nLength, int nArrowMetric, const SCROLLINFO& si)
{
    OXFlatScrollLayout layout = {};
    layout.nArrow = nArrowMetric;
    if (nLength < 2 * nArrowMetric)
        layout.nArrow = nLength / 2;
    layout.nTrack = nLength - 2 * layout.nArrow;
    if (si.nMax < (int)si.nPage || si.nPage == 0 || layout.nTrack <= 7)
        return layout;
    // In 64 bits: a long range times a long track overflows int.
    long long thumb = (long long)((double)layout.nTrack * si.nPage / ((double)si.nMax + 1) + 0.5);
    if (thumb < 8)
        thumb = 8;
    double span = (double)si.nMax - (double)si.nPage + 1;
    long long offset = span > 0 ? (long long)((layout.nTrack - thumb) * (double)si.nPos / span + 0.5) : 0;
    if (offset < 0)
        offset = 0;
    long long start = layout.nArrow + offset;
    if (start + thumb > layout.nArrow + layout.nTrack)
        start = layout.nArrow + layout.nTrack - thumb;
    layout.bThumb = TRUE;
    layout.nThumbStart = (int)start;
    layout.nThumbLength = (int)thumb;
    return layout;
}

namespace {

// A filled arrow in the middle of rect, pointing along nDir (0 left or up,
// 1 right or down) across a bar that runs horizontally or not: rows of
// 1, 3, 5 ... pixels, the tip toward the arrow's direction.
void DrawArrowGlyph(CDC* pDC, const CRect& rect, BOOL bHorizontal, int nDir, COLORREF clr)
{
    const int nSize = std::max(2, std::min(rect.Width(), rect.Height()) / 4);
    const CPoint centre = rect.CenterPoint();
    for (int i = 0; i < nSize; ++i) {
        // Row i from the tip: 2i + 1 pixels across the arrow.
        const int nAlong = (nDir == 0 ? -nSize / 2 + i : nSize / 2 - i);
        if (bHorizontal)
            pDC->FillSolidRect(centre.x + nAlong, centre.y - i, 1, 2 * i + 1, clr);
        else
            pDC->FillSolidRect(centre.x - i, centre.y + nAlong, 2 * i + 1, 1, clr);
    }
}

} // namespace

void OXDrawFlatScrollBar(CDC* pDC, const CRect& rect, BOOL bHorizontal, const SCROLLINFO& si, BOOL bEnabled)
{
    const int nLength = bHorizontal ? rect.Width() : rect.Height();
    const OXFlatScrollLayout layout =
        OXLayoutFlatScrollBar(nLength, ::GetSystemMetrics(bHorizontal ? SM_CXHSCROLL : SM_CYVSCROLL), si);
    auto part = [&](int nStart, int nSize) {
        return bHorizontal ? CRect(rect.left + nStart, rect.top, rect.left + nStart + nSize, rect.bottom)
                           : CRect(rect.left, rect.top + nStart, rect.right, rect.top + nStart + nSize);
    };
    const CRect rectTrack = part(layout.nArrow, layout.nTrack);
    if (!rectTrack.IsRectEmpty()) {
        // The track apart from the boxes: the stock checker, aligned with the DC's origin.
        const WORD bits[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        CBitmap pattern;
        pattern.CreateBitmap(8, 8, 1, 1, bits);
        CBrush brush;
        brush.CreatePatternBrush(&pattern);
        const COLORREF clrOldText = pDC->SetTextColor(::GetSysColor(COLOR_BTNFACE));
        const COLORREF clrOldBk = pDC->SetBkColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->FillRect(&rectTrack, &brush);
        pDC->SetTextColor(clrOldText);
        pDC->SetBkColor(clrOldBk);
    }
    const COLORREF clrArrow = ::GetSysColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int nDir = 0; nDir < 2; ++nDir) {
        const CRect box = part(nDir == 0 ? 0 : nLength - layout.nArrow, layout.nArrow);
        pDC->FillSolidRect(&box, ::GetSysColor(COLOR_BTNFACE));
        OXDrawRaisedFlatBox(pDC, box);
        DrawArrowGlyph(pDC, box, bHorizontal, nDir, clrArrow);
    }
    if (layout.bThumb) {
        const CRect thumb = part(layout.nThumbStart, layout.nThumbLength);
        pDC->FillSolidRect(&thumb, ::GetSysColor(COLOR_BTNFACE));
        OXDrawRaisedFlatBox(pDC, thumb);
    }
}

CPen* OXCoolPen(int nSysColor)
{
    // Kept for the life of the program: windows of the family draw with them
    // until the very end.
    static std::map<int, CPen*>* s_pens = new std::map<int, CPen*>;
    CPen*& pPen = (*s_pens)[nSysColor];
    if (pPen == NULL)
        pPen = new CPen(PS_SOLID, 1, ::GetSysColor(nSysColor));
    return pPen;
}

void OXDrawRaisedFlatBox(CDC* pDC, CRect rect)
{
    pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
}

void OXDrawSunkenFlatBox(CDC* pDC, CRect rect)
{
    pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
}
