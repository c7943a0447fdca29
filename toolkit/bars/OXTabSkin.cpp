#include "OXTabSkin.h"

#include <climits>

#include "OX3DTabViewContainer.h"
#include "OXSkinnedSpinCtrl.h"
#include "OXSkinnedTabCtrl.h"
#include "OXSkins.h"

// ---------------------------------------------------------------------------
// Classic: the stock drawing
// ---------------------------------------------------------------------------
void COXTabSkinClassic::OnPaint(CTabCtrl* pTab)
{
    pTab->Default();
}

void COXTabSkinClassic::OnPaintSpin(CWnd* pSpin)
{
    pSpin->Default();
}

void COXTabSkinClassic::DrawBorder(CDC* pDC, const RECT& rect, CWnd*)
{
    CRect rc(rect);
    pDC->DrawEdge(&rc, EDGE_SUNKEN, BF_RECT);
}

void COXTabSkinClassic::OnNcPaint(CWnd* pTab)
{
    pTab->Default();
}

void COXTabSkinClassic::AdjustRect(RECT&, int, CTabCtrl*) {}

// ---------------------------------------------------------------------------
// Office XP: rules
// ---------------------------------------------------------------------------
COLORREF COXTabSkinXP::LighterFace(COLORREF clrFace)
{
    auto up = [](int c) { return c * 12 / 10 > 255 ? 255 : c * 12 / 10; };
    return RGB(up(GetRValue(clrFace)), up(GetGValue(clrFace)), up(GetBValue(clrFace)));
}

std::vector<int> COXTabSkinXP::PaintOrder(int nCount, int nSelected)
{
    std::vector<int> order;
    for (int i = 0; i < nCount; ++i)
        if (i != nSelected)
            order.push_back(i);
    if (nSelected >= 0 && nSelected < nCount)
        order.push_back(nSelected);
    return order;
}

int COXTabSkinXP::VisibleTabRight(const RECT& rectTab, int xClientLeft, int xSpinLeft)
{
    if (rectTab.left >= xSpinLeft || rectTab.right <= xClientLeft + 3)
        return INT_MIN;
    return rectTab.right < xSpinLeft ? rectTab.right : xSpinLeft;
}

CRect COXTabSkinXP::StripRect(const RECT& rectClient, const RECT& rectDisplay, BOOL bBottom, int* pyLine)
{
    CRect rect(rectClient);
    if (bBottom) {
        rect.top = rectDisplay.bottom + 3;
        if (pyLine != NULL)
            *pyLine = rectDisplay.bottom + 2;
    } else {
        rect.bottom = rectDisplay.top - 3;
        if (pyLine != NULL)
            *pyLine = rectDisplay.top - 3;
    }
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    return rect;
}

void COXTabSkinXP::ArrowPoints(const RECT& rectSpin, BOOL bLeft, POINT pts[3])
{
    const int cxHalf = (rectSpin.right - rectSpin.left) / 2;
    const int xHalf = bLeft ? rectSpin.left : rectSpin.left + cxHalf;
    const int x = xHalf + (cxHalf - 4) / 2;
    const int y = rectSpin.top + (rectSpin.bottom - rectSpin.top - 8) / 2 + 1;
    if (bLeft) {
        pts[0] = {x, y + 3};
        pts[1] = {x + 4, y - 1};
        pts[2] = {x + 4, y + 7};
    } else {
        pts[0] = {x + 4, y + 3};
        pts[1] = {x, y - 1};
        pts[2] = {x, y + 7};
    }
}

BOOL COXTabSkinXP::ArrowEnabled(BOOL bLeft, int nPos, int nUpper)
{
    return bLeft ? nPos != 0 : nPos != nUpper;
}

CRect COXTabSkinXP::GrowThinMargins(const RECT& rect, const RECT& rectClient, const RECT& rectDisplay, int nGrow)
{
    CRect rc(rect);
    if (rectDisplay.left - rectClient.left < 8)
        rc.left -= nGrow;
    if (rectDisplay.top - rectClient.top < 8)
        rc.top -= nGrow;
    if (rectClient.right - rectDisplay.right < 8)
        rc.right += nGrow;
    if (rectClient.bottom - rectDisplay.bottom < 8)
        rc.bottom += nGrow;
    return rc;
}

// ---------------------------------------------------------------------------
// Office XP: drawing
// ---------------------------------------------------------------------------
COXTabSkinXP::COXTabSkinXP(COXSkinXP* pSkin) : m_pSkin(pSkin)
{
    m_penShadow.CreatePen(PS_SOLID, 1, pSkin->SysColor(COLOR_BTNSHADOW));
    NONCLIENTMETRICSA ncm;
    if (OXGetNonClientMetrics(ncm))
        m_fontTab.CreateFontIndirect(&ncm.lfMenuFont);
    else
        m_fontTab.CreateStockObject(DEFAULT_GUI_FONT);
    m_brushArrow.CreateSolidBrush(pSkin->GetInactiveTabTextColor());
    m_penArrow.CreatePen(PS_SOLID, 1, pSkin->GetInactiveTabTextColor());
}

void COXTabSkinXP::FillBackground(CDC* pDC, const RECT& rect, CWnd*)
{
    pDC->FillSolidRect(&rect, m_pSkin->SysColor(COLOR_BTNFACE));
}

void COXTabSkinXP::FillTab(CDC* pDC, const RECT& rect, BOOL bSelected, BOOL)
{
    COLORREF clrFace = m_pSkin->SysColor(COLOR_BTNFACE);
    pDC->FillSolidRect(&rect, bSelected ? clrFace : LighterFace(clrFace));
}

COLORREF COXTabSkinXP::TabTextColor(BOOL bSelected) const
{
    return bSelected ? m_pSkin->SysColor(COLOR_BTNTEXT) : m_pSkin->GetInactiveTabTextColor();
}

void COXTabSkinXP::FillStrip(CDC* pDC, const RECT& rect, BOOL)
{
    pDC->FillSolidRect(&rect, LighterFace(m_pSkin->SysColor(COLOR_BTNFACE)));
}

void COXTabSkinXP::EdgeColors(COLORREF& clrLight, COLORREF& clrDark, COLORREF& clrSeparator) const
{
    clrLight = RGB(255, 255, 255);
    clrDark = RGB(0, 0, 0);
    clrSeparator = m_pSkin->SysColor(COLOR_BTNSHADOW);
}

// The selected tab at the top stands on the white strip beside the tabs,
// where a white edge would not show: it is outlined in the colour of the
// frame it opens into.
COLORREF COXTabSkinXP::SelectedTopEdgeColor() const
{
    return m_pSkin->SysColor(COLOR_BTNSHADOW);
}

CRect COXTabSkinXP::SelectedTabPaintRect(const RECT& rectTab, const RECT& rectFrame, BOOL bBottom)
{
    CRect rect(rectTab);
    if (!bBottom && rect.bottom <= rectFrame.top && rectFrame.top - rect.bottom <= 3)
        rect.bottom = rectFrame.top + 1;
    return rect;
}

void COXTabSkinXP::DrawBorder(CDC* pDC, const RECT& rect, CWnd*)
{
    CBrush brush(m_pSkin->GetFrameBorderColor());
    pDC->FrameRect(&rect, &brush);
}

void COXTabSkinXP::AdjustRect(RECT& rect, int nGrow, CTabCtrl* pTab)
{
    if (pTab == NULL || !::IsWindow(pTab->GetSafeHwnd()))
        return;
    CRect rectClient, rectDisplay;
    pTab->GetClientRect(&rectClient);
    rectDisplay = rectClient;
    pTab->AdjustRect(FALSE, &rectDisplay);
    rect = GrowThinMargins(rect, rectClient, rectDisplay, nGrow);
}

void COXTabSkinXP::OnNcPaint(CWnd* pTab)
{
    pTab->Default();
    CWindowDC dc(pTab);
    CRect rectWindow, rectClient;
    pTab->GetWindowRect(&rectWindow);
    pTab->GetClientRect(&rectClient);
    pTab->ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(&rectClient);
    CBrush brushFace(m_pSkin->SysColor(COLOR_BTNFACE)), brushDark(m_pSkin->SysColor(COLOR_3DDKSHADOW));
    dc.FrameRect(&rectWindow, &brushFace);
    rectWindow.DeflateRect(1, 1);
    dc.FrameRect(&rectWindow, &brushDark);
}

void COXTabSkinXP::DrawItem(DRAWITEMSTRUCT* pDIS, CTabCtrl* pTab)
{
    CDC* pDC = CDC::FromHandle(pDIS->hDC);
    const BOOL bSelected = (pDIS->itemState & 1) != 0;
    const DWORD dwStyle = pTab->GetStyle();
    CRect rect(pDIS->rcItem);
    FillTab(pDC, rect, bSelected, (dwStyle & TCS_BOTTOM) != 0);

    char szText[256] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = szText;
    item.cchTextMax = 255;
    pTab->GetItem((int)pDIS->itemID, &item);
    szText[255] = '\0';

    CRect rectFocus(rect);
    rect.top += 3;
    CImageList* pImages = pTab->GetImageList();
    if (item.iImage >= 0 && pImages != NULL && pImages->GetSafeHandle() != NULL) {
        IMAGEINFO info = {};
        if (pImages->GetImageInfo(item.iImage, &info)) {
            pImages->Draw(pDC, item.iImage, CPoint(rect.left + 3, rect.top - 1), ILD_TRANSPARENT);
            rect.left += info.rcImage.right - info.rcImage.left + 3;
        }
    }
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOld = pDC->SetTextColor(TabTextColor(bSelected));
    CFont* pOldFont = pDC->SelectObject(&m_fontTab);
    pDC->DrawText(szText, -1, &rect, DT_CENTER);
    pDC->SelectObject(pOldFont);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);

    // Only the control that has the keyboard focus shows it: a strip whose
    // focus is elsewhere must not look focused too.
    if (bSelected && (dwStyle & TCS_FOCUSNEVER) == 0 && ::GetFocus() == pTab->GetSafeHwnd()) {
        rectFocus.DeflateRect(2, 2);
        pDC->DrawFocusRect(&rectFocus);
    }
}

void COXTabSkinXP::DrawItemEdges(DRAWITEMSTRUCT* pDIS, CTabCtrl* pTab)
{
    CDC* pDC = CDC::FromHandle(pDIS->hDC);
    const BOOL bSelected = (pDIS->itemState & 1) != 0;
    const BOOL bBottom = (pTab->GetStyle() & TCS_BOTTOM) != 0;
    const CRect rect(pDIS->rcItem);
    COLORREF clrLight, clrDark, clrSeparator;
    EdgeColors(clrLight, clrDark, clrSeparator);
    CPen penLight(PS_SOLID, 1, clrLight), penDark(PS_SOLID, 1, clrDark), penSeparator(PS_SOLID, 1, clrSeparator);
    CPen* pOldPen = pDC->SelectObject(&penLight);

    CRect rectDisplay;
    pTab->GetClientRect(&rectDisplay);
    pTab->AdjustRect(FALSE, &rectDisplay);

    if (bSelected) {
        if (!bBottom) {
            // Open at the bottom, toward the display area.
            CPen penOutline(PS_SOLID, 1, SelectedTopEdgeColor());
            pDC->SelectObject(&penOutline);
            pDC->MoveTo(rect.left, rect.bottom);
            pDC->LineTo(rect.left, rect.top);
            pDC->LineTo(rect.right - 1, rect.top);
            pDC->SelectObject(&penDark);
            pDC->LineTo(rect.right - 1, rect.bottom);
            pDC->SelectObject(pOldPen);
        } else {
            pDC->MoveTo(rect.left, rect.top - 1);
            pDC->LineTo(rect.left, rect.bottom - 1);
            pDC->SelectObject(&penDark);
            pDC->LineTo(rect.right - 1, rect.bottom - 1);
            pDC->LineTo(rect.right - 1, rect.top - 2);
        }
    } else {
        TCITEMA next = {};
        next.mask = TCIF_STATE;
        next.dwStateMask = TCIS_BUTTONPRESSED;
        BOOL bNextPressed = pTab->GetItem((int)pDIS->itemID + 1, &next) && (next.dwState & TCIS_BUTTONPRESSED);
        if (!bNextPressed) {
            pDC->SelectObject(&penSeparator);
            if (!bBottom) {
                pDC->MoveTo(rect.right - 1, rect.top + 3);
                pDC->LineTo(rect.right - 1, rect.bottom - 1);
            } else {
                pDC->MoveTo(rect.right - 1, rect.top + 1);
                pDC->LineTo(rect.right - 1, rect.bottom - 3);
            }
        }
        // Where the tab meets the display area, the display's own edge runs
        // under it; a tab of another row gets no line.
        if (!bBottom && abs(rect.bottom - rectDisplay.top) <= 3) {
            pDC->SelectObject(&penLight);
            pDC->MoveTo(rect.left, rect.bottom - 1);
            pDC->LineTo(rect.right, rect.bottom - 1);
        } else if (bBottom && abs(rect.top - rectDisplay.bottom) <= 3) {
            pDC->SelectObject(&penDark);
            pDC->MoveTo(rect.left, rect.top);
            pDC->LineTo(rect.right, rect.top);
        }
    }
    pDC->SelectObject(pOldPen);
}

void COXTabSkinXP::OnPaint(CTabCtrl* pTab)
{
    CRect rectClient;
    pTab->GetClientRect(&rectClient);
    CRect rectDisplay(rectClient);
    pTab->AdjustRect(FALSE, &rectDisplay);
    CRect rectFrame(rectDisplay);
    rectFrame.bottom -= 1;
    // a tab view container frames its page
    if (COX3DTabViewContainer* pContainer = DYNAMIC_DOWNCAST(COX3DTabViewContainer, pTab)) {
        rectFrame = pContainer->GetPageRect();
        rectFrame.InflateRect(1, 1);
    }
    const DWORD dwStyle = pTab->GetStyle();
    const BOOL bBottom = (dwStyle & TCS_BOTTOM) != 0;
    // The control invalidates its tabs' area only, down to the display
    // area; the selected tab at the top reaches over the frame's line below
    // it, whose row is painted again with the tabs, or the opening under a
    // tab selected before would stay.
    if (!bBottom)
        pTab->InvalidateRect(CRect(rectClient.left, rectFrame.top, rectClient.right, rectFrame.top + 1), FALSE);

    CPaintDC dcPaint(pTab);
    if (rectClient.IsRectEmpty())
        return;

    // The up-down control's painting comes here once it is taken over.
    CWnd* pUpDown = NULL;
    for (CWnd* pChild = pTab->GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        char szClass[32] = "";
        ::GetClassNameA(pChild->GetSafeHwnd(), szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, UPDOWN_CLASSA) == 0) {
            pUpDown = pChild;
            break;
        }
    }
    COXSkinnedSpinCtrl* pSpin = COXSkinnedTabCtrl::GetSkinnedSpin(pTab);
    if (pUpDown != NULL && pSpin != NULL && pSpin->GetSafeHwnd() == NULL)
        pSpin->SubclassWindow(pUpDown->GetSafeHwnd());

    CDC dcMem, dcTab;
    dcMem.CreateCompatibleDC(&dcPaint);
    dcTab.CreateCompatibleDC(&dcPaint);
    CBitmap bmpMem, bmpTab;
    bmpMem.CreateCompatibleBitmap(&dcPaint, rectClient.Width(), rectClient.Height());
    bmpTab.CreateCompatibleBitmap(&dcPaint, rectClient.Width(), rectClient.Height());
    CBitmap* pOldMem = dcMem.SelectObject(&bmpMem);
    CBitmap* pOldTab = dcTab.SelectObject(&bmpTab);

    FillBackground(&dcMem, rectClient, pTab);

    CBrush brushShadow(m_pSkin->SysColor(COLOR_BTNSHADOW));
    dcMem.FrameRect(&rectFrame, &brushShadow);

    if (pTab->GetRowCount() <= 1) {
        int yLine = 0;
        CRect rectStrip = StripRect(rectClient, rectDisplay, bBottom, &yLine);
        FillStrip(&dcMem, rectStrip, bBottom);
        COLORREF clrLight, clrDark, clrSeparator;
        EdgeColors(clrLight, clrDark, clrSeparator);
        dcMem.FillSolidRect(rectClient.left, yLine, rectClient.Width(), 1, bBottom ? clrDark : clrLight);
    }

    int xSpinLeft = INT_MAX;
    if (pUpDown != NULL && pUpDown->IsWindowVisible()) {
        CRect rectSpin;
        pUpDown->GetWindowRect(&rectSpin);
        pTab->ScreenToClient(&rectSpin);
        xSpinLeft = rectSpin.left;
    }

    const int nSelected = pTab->GetCurSel();
    for (int nItem : PaintOrder(pTab->GetItemCount(), nSelected)) {
        CRect rectItem;
        if (!pTab->GetItemRect(nItem, &rectItem))
            continue;
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_TAB;
        dis.CtlID = (UINT)pTab->GetDlgCtrlID();
        dis.itemID = (UINT)nItem;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = nItem == nSelected ? 1 : 0;
        dis.hwndItem = pTab->GetSafeHwnd();
        dis.hDC = dcTab.GetSafeHdc();
        // the selected tab covers the frame's line under it, so that it
        // and its page are one piece
        if (nItem == nSelected)
            rectItem = SelectedTabPaintRect(rectItem, rectFrame, bBottom);
        dis.rcItem = rectItem;
        DrawItem(&dis, pTab);
        DrawItemEdges(&dis, pTab);
        int xRight = VisibleTabRight(rectItem, rectClient.left, xSpinLeft);
        if (xRight != INT_MIN)
            dcMem.BitBlt(rectItem.left, rectItem.top, xRight - rectItem.left, rectItem.Height(), &dcTab,
                         rectItem.left, rectItem.top, SRCCOPY);
    }

    dcPaint.BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcTab.SelectObject(pOldTab);
    dcMem.SelectObject(pOldMem);
    if (xSpinLeft != INT_MAX)
        pUpDown->Invalidate();
}

void COXTabSkinXP::OnPaintSpin(CWnd* pSpin)
{
    CPaintDC dcPaint(pSpin);
    CRect rect;
    pSpin->GetClientRect(&rect);
    if (rect.IsRectEmpty())
        return;
    CDC dc;
    dc.CreateCompatibleDC(&dcPaint);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcPaint, rect.Width(), rect.Height());
    CBitmap* pOldBmp = dc.SelectObject(&bmp);

    CWnd* pParent = pSpin->GetParent();
    BOOL bBottom = pParent != NULL && (pParent->GetStyle() & TCS_BOTTOM) != 0;
    FillStrip(&dc, rect, bBottom);

    const int nPos = LOWORD(pSpin->SendMessage(UDM_GETPOS, 0, 0));
    const int nUpper = (short)LOWORD(pSpin->SendMessage(UDM_GETRANGE, 0, 0));
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    pSpin->ScreenToClient(&ptCursor);
    const BOOL bButtonDown = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;

    CPen* pOldPen = dc.SelectObject(&m_penArrow);
    for (BOOL bLeft : {TRUE, FALSE}) {
        CRect rectHalf(rect);
        if (bLeft)
            rectHalf.right = rect.left + rect.Width() / 2;
        else
            rectHalf.left = rect.left + rect.Width() / 2;
        POINT pts[3];
        ArrowPoints(rect, bLeft, pts);
        BOOL bEnabled = ArrowEnabled(bLeft, nPos, nUpper);
        CBrush* pOldBrush = bEnabled ? dc.SelectObject(&m_brushArrow)
                                     : (CBrush*)dc.SelectStockObject(NULL_BRUSH);
        dc.Polygon(pts, 3);
        dc.SelectObject(pOldBrush);
        if (bEnabled && rectHalf.PtInRect(ptCursor)) {
            if (bButtonDown)
                dc.Draw3dRect(&rectHalf, RGB(0, 0, 0), RGB(255, 255, 255));
            else
                dc.Draw3dRect(&rectHalf, RGB(255, 255, 255), RGB(0, 0, 0));
        }
    }
    dc.SelectObject(pOldPen);
    dcPaint.BitBlt(0, 0, rect.Width(), rect.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(pOldBmp);
}

// ---------------------------------------------------------------------------
// Office 2003: the same painting in gradients
// ---------------------------------------------------------------------------
COXTabSkin2003::COXTabSkin2003(COXSkin2003* pSkin) : COXTabSkinXP(pSkin) {}

COXSkin2003* COXTabSkin2003::Skin2003() const
{
    return static_cast<COXSkin2003*>(m_pSkin);
}

void COXTabSkin2003::FillBackground(CDC* pDC, const RECT& rect, CWnd*)
{
    pDC->FillSolidRect(&rect, m_pSkin->GetDockbarBackgroundColor());
}

void COXTabSkin2003::FillTab(CDC* pDC, const RECT& rect, BOOL bSelected, BOOL bBottom)
{
    COXSkin2003* pSkin = Skin2003();
    COLORREF clrTop, clrBottom;
    if (bSelected) {
        clrTop = pSkin->GetCaptionGradientStartColor();
        clrBottom = pSkin->IsThemed() ? pSkin->GetDockGradientEndColor() : pSkin->SysColor(COLOR_BTNFACE);
    } else {
        clrTop = pSkin->GetBarGradientEndColor();
        clrBottom = pSkin->GetBarGradientStartColor();
    }
    if (bBottom)
        std::swap(clrTop, clrBottom);
    pSkin->GradientFill(pDC, rect, clrTop, clrBottom, TRUE);
}

COLORREF COXTabSkin2003::TabTextColor(BOOL) const
{
    return m_pSkin->SysColor(COLOR_BTNTEXT);
}

void COXTabSkin2003::FillStrip(CDC* pDC, const RECT& rect, BOOL bBottom)
{
    COXSkin2003* pSkin = Skin2003();
    COLORREF clrStart = pSkin->GetBarGradientStartColor(), clrEnd = pSkin->GetBarGradientEndColor();
    if (bBottom)
        std::swap(clrStart, clrEnd);
    pSkin->GradientFill(pDC, rect, clrStart, clrEnd, TRUE);
}

// The coloured tabs show a white edge well.
COLORREF COXTabSkin2003::SelectedTopEdgeColor() const
{
    return m_pSkin->SysColor(COLOR_WINDOW);
}

void COXTabSkin2003::EdgeColors(COLORREF& clrLight, COLORREF& clrDark, COLORREF& clrSeparator) const
{
    clrLight = m_pSkin->SysColor(COLOR_WINDOW);
    clrDark = m_pSkin->GetFrameBorderColor();
    clrSeparator = m_pSkin->GetSeparatorColor();
}
