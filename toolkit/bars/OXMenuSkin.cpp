#include "OXMenuSkin.h"

#include <algorithm>
#include <commctrl.h>

#include "OXBitmapMenu.h"
#include "OXBitmapMenuPopupWnd.h"
#include "OXSkinnedApp.h"
#include "OXShadowedItemWnd.h"
#include "OXSkins.h"

#ifndef MN_GETHMENU
#define MN_GETHMENU 0x01E1
#endif

namespace {

// The extra pixels right of and below a flat popup's frame, for its shadow.
const int kShadow = 4;
// A flat popup's frame round its items: the border line and a gap of two.
const int kPopupFrame = 3;

BOOL IsChecked(UINT nState) { return (nState & ODS_CHECKED) != 0; }
BOOL IsSelected(UINT nState) { return (nState & ODS_SELECTED) != 0; }
BOOL IsDisabled(UINT nState) { return (nState & (ODS_DISABLED | ODS_GRAYED)) != 0; }
BOOL IsHidden(UINT nState) { return (nState & OXODS_HIDDEN) != 0; }
BOOL IsCheckImage(const COXImageInfo* pInfo) { return pInfo != NULL && pInfo->m_bDefaultImage; }

void FillRectBrush(CDC* pDC, const RECT& rect, HBRUSH hBrush)
{
    if (hBrush != NULL)
        ::FillRect(pDC->GetSafeHdc(), &rect, hBrush);
}

// A rectangle in a pen and a brush of the given colours, the DC's own ones
// put back.
void BoxRect(CDC* pDC, const RECT& rect, COLORREF clrPen, COLORREF clrBrush)
{
    CPen pen(PS_SOLID, 1, clrPen);
    CBrush brush(clrBrush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(&rect);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

int ImageWidthOf(COXBitmapMenu* pMenu) { return pMenu != NULL ? pMenu->GetImageWidth() : 0; }

}   // namespace

// ---------------------------------------------------------------------------
// COXMenuSkin: what every form shares
// ---------------------------------------------------------------------------
void COXMenuSkin::SplitText(LPCTSTR lpszText, CString& strLabel, CString& strShortcut)
{
    CString strText(lpszText != NULL ? lpszText : "");
    int nTab = strText.Find('\t');
    strLabel = nTab < 0 ? strText : strText.Left(nTab);
    strShortcut = nTab < 0 ? CString() : strText.Mid(nTab + 1);
}

CRect COXMenuSkin::ImageRect(COXImageInfo* pImageInfo)
{
    IMAGEINFO info;
    if (pImageInfo == NULL || pImageInfo->m_pImageList == NULL ||
        !ImageList_GetImageInfo(pImageInfo->m_pImageList->GetSafeHandle(), pImageInfo->m_nIndex, &info))
        return CRect(0, 0, 0, 0);
    return CRect(0, 0, info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
}

void COXMenuSkin::DistributeSpace(const RECT& rectItem, COXImageInfo* pImageInfo, RECT& rectImageFrame,
                                  RECT& rectImage, RECT& rectText, RECT& rectShortcut, COXBitmapMenu* pMenu)
{
    const OXMENUSKINMETRICS& m = GetMetrics();
    const int nImageWidth = ImageWidthOf(pMenu);
    CRect rcImage = ImageRect(pImageInfo);
    if (!rcImage.IsRectEmpty())
        rcImage.OffsetRect(rectItem.left + m.m_nImageLeft,
                           rectItem.top + (rectItem.bottom - rectItem.top - rcImage.Height()) / 2);
    rectImage = rcImage;
    CRect rcFrame(rcImage);
    if (!rcFrame.IsRectEmpty())
        rcFrame.InflateRect(2, 2);
    rectImageFrame = rcFrame;

    const int nTextHeight = pMenu != NULL ? pMenu->GetTextHeight() : 0;
    CRect rcText;
    rcText.left = rectItem.left + m.m_nTextGap + nImageWidth + m.m_nImageLeft;
    rcText.right = rcText.left + (pMenu != NULL ? pMenu->GetTextWidth() : 0);
    rcText.top = rectItem.top + (rectItem.bottom - rectItem.top - nTextHeight) / 2;
    rcText.bottom = rcText.top + nTextHeight;
    rectText = rcText;

    CRect rcShortcut(0, rcText.top, rectItem.right - m.m_nShortcutRight, rcText.bottom);
    rcShortcut.left = rcShortcut.right - (pMenu != NULL ? pMenu->GetShortcutWidth() : 0);
    rcShortcut.OffsetRect(-(rcShortcut.left - rcText.right) / 2, 0);
    rectShortcut = rcShortcut;
}

void COXMenuSkin::DrawInsertMark(CDC* pDC, const RECT& rect, BOOL bBefore, COXBitmapMenu*)
{
    CRect rc(rect);
    rc.DeflateRect(2, 0);
    const int y = bBefore ? rc.top : rc.bottom;
    const POINT pts[] = {{rc.left, y - 2},      {rc.left + 1, y - 1}, {rc.right - 1, y - 1},
                         {rc.right, y - 2},     {rc.right, y + 1},    {rc.right - 1, y},
                         {rc.left + 1, y},      {rc.left, y + 1},     {rc.left, y - 2}};
    pDC->Polyline(pts, (int)(sizeof(pts) / sizeof(pts[0])));
}

void COXMenuSkin::DrawGlyph(CDC* pDC, const RECT& rect, LPCTSTR lpszGlyph, COLORREF clr, UINT nFormat)
{
    CFont font;
    font.CreateFont(::GetSystemMetrics(SM_CYMENUCHECK), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                    0, 0, 0, 0, "Marlett");
    CFont* pOld = pDC->SelectObject(&font);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(clr);
    CRect rc(rect);
    pDC->DrawText(lpszGlyph, 1, &rc, nFormat | DT_SINGLELINE);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOld);
}

CRect COXMenuSkin::SubmenuArrowRect(const RECT& rectItem)
{
    // As wide as the system's arrow bitmap, with a pixel on either side.
    static int s_cxArrow = -1;
    if (s_cxArrow < 0) {
        s_cxArrow = ::GetSystemMetrics(SM_CXMENUCHECK);
        if (HBITMAP hArrow = ::LoadBitmapA(NULL, MAKEINTRESOURCEA(32739 /* OBM_MNARROW */))) {
            BITMAP bm;
            if (::GetObjectA(hArrow, sizeof(bm), &bm) == sizeof(bm))
                s_cxArrow = std::max<int>(s_cxArrow, bm.bmWidth);
            ::DeleteObject(hArrow);
        }
    }
    return CRect(std::max<LONG>(rectItem.left, rectItem.right - s_cxArrow - 2), rectItem.top, rectItem.right,
                 rectItem.bottom);
}

void COXMenuSkin::DrawArrow(CDC* pDC, const RECT& rect, COLORREF clr)
{
    // Columns of 7, 5, 3 and 1 pixels: crisp at any font.
    const int x = (rect.left + rect.right - 4) / 2, y = (rect.top + rect.bottom - 7) / 2;
    for (int i = 0; i < 4; ++i)
        pDC->FillSolidRect(x + i, y + i, 1, 7 - 2 * i, clr);
}

void COXMenuSkin::DrawLabelAndShortcut(CDC* pDC, LPCTSTR lpszText, const RECT& rectText,
                                       const RECT& rectShortcut, COLORREF clr, UINT nStateFlags)
{
    CString strLabel, strShortcut;
    SplitText(lpszText, strLabel, strShortcut);
    const COLORREF clrOld = pDC->SetTextColor(clr);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    HDC hDC = pDC->GetSafeHdc();
    ::DrawStateA(hDC, NULL, NULL, (LPARAM)(LPCSTR)strLabel, strLabel.GetLength(), rectText.left, rectText.top,
                 rectText.right - rectText.left, rectText.bottom - rectText.top, DST_PREFIXTEXT | nStateFlags);
    if (!strShortcut.IsEmpty()) {
        CRect rcCalc(0, 0, 0, 0);
        pDC->DrawText(strShortcut, &rcCalc, DT_CALCRECT | DT_SINGLELINE);
        ::DrawStateA(hDC, NULL, NULL, (LPARAM)(LPCSTR)strShortcut, strShortcut.GetLength(),
                     rectShortcut.right - rcCalc.Width(), rectShortcut.top, rcCalc.Width(),
                     rectShortcut.bottom - rectShortcut.top, DST_PREFIXTEXT | nStateFlags);
    }
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

// ---------------------------------------------------------------------------
// Classic
// ---------------------------------------------------------------------------
COXMenuSkinClassic::COXMenuSkinClassic() : m_metrics{2, 0, 8, 2, 3, 4, 3, 8, 0, 12} {}

int COXMenuSkinClassic::TextFillLeft(UINT nState, BOOL bCheckImage, const RECT& rectImage, int nImageWidth,
                                     int nImageLeft)
{
    const int nOffset = IsChecked(nState) ? 2 : bCheckImage ? -1 : 1;
    return std::max<int>(rectImage.right, nImageWidth + nImageLeft + nOffset);
}

COLORREF COXMenuSkinClassic::TextColor(UINT nState)
{
    return ::GetSysColor(IsDisabled(nState) ? COLOR_GRAYTEXT
                                            : IsSelected(nState) ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
}

void COXMenuSkinClassic::DrawBackground(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectItem,
                                        const RECT& rectImage, COXBitmapMenu* pMenu)
{
    const COLORREF clrMenu = ::GetSysColor(COLOR_MENU);
    const COLORREF clrSelected = IsSelected(nState) ? ::GetSysColor(COLOR_HIGHLIGHT) : clrMenu;
    const BOOL bCheck = IsCheckImage(pImageInfo);
    HBRUSH hPattern = CreateHalftoneBrush(clrMenu, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    // The whole item is the menu's: the margins the areas below leave show
    // the menu colour wherever the item is drawn, not only on a popup.
    pDC->FillSolidRect(&rectItem, clrMenu);

    if (!::IsRectEmpty(&rectImage)) {
        if (!IsHidden(nState) || bCheck) {
            if (!IsChecked(nState))
                pDC->FillSolidRect(&rectImage, IsSelected(nState) && bCheck ? ::GetSysColor(COLOR_HIGHLIGHT)
                                                                            : clrMenu);
            else if (IsSelected(nState))
                pDC->FillSolidRect(&rectImage, clrMenu);
            else
                FillRectBrush(pDC, rectImage, hPattern);
        } else {
            FillRectBrush(pDC, rectImage, hPattern);
        }
    }

    CRect rcText(rectItem);
    rcText.left = rectItem.left +
                  TextFillLeft(nState, bCheck, CRect(rectImage) - CPoint(rectItem.left, 0), ImageWidthOf(pMenu),
                               m_metrics.m_nImageLeft);
    if (::IsRectEmpty(&rectImage))
        rcText.left = std::max<LONG>(rcText.left, rectItem.left);
    rcText.bottom -= 1;
    if (!IsHidden(nState) || IsSelected(nState)) {
        pDC->FillSolidRect(&rcText, clrSelected);
    } else {
        FillRectBrush(pDC, rcText, hPattern);
        if (nState & OXODS_HIDDENFIRST)
            pDC->FillSolidRect(rcText.left, rcText.top, rcText.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
        if (nState & OXODS_HIDDENLAST)
            pDC->FillSolidRect(rcText.left, rcText.bottom - 1, rcText.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    if (hPattern != NULL)
        ::DeleteObject(hPattern);
}

void COXMenuSkinClassic::DrawButton(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectFrame,
                                    COXBitmapMenu*)
{
    CRect rc(rectFrame);
    if (rc.IsRectEmpty())
        return;
    if (IsChecked(nState))
        pDC->DrawEdge(&rc, BDR_SUNKENOUTER, BF_RECT);
    else if (IsSelected(nState) && !IsDisabled(nState) && !IsCheckImage(pImageInfo))
        pDC->DrawEdge(&rc, BDR_RAISEDINNER, BF_RECT);
}

// The image the item shows in its state, or -1 for none.
static int ImageIndexFor(UINT nState, COXImageInfo* pImageInfo)
{
    if (pImageInfo == NULL || pImageInfo->m_pImageList == NULL)
        return -1;
    if (pImageInfo->m_bDefaultImage && !IsChecked(nState))
        return -1;
    return IsSelected(nState) && pImageInfo->m_nHotIndex != -1 ? pImageInfo->m_nHotIndex : pImageInfo->m_nIndex;
}

static void DrawDisabledImage(CDC* pDC, COXImageInfo* pImageInfo, int nIndex, const RECT& rect, HBRUSH hBrush,
                              UINT nFlags)
{
    HICON hIcon = ImageList_GetIcon(pImageInfo->m_pImageList->GetSafeHandle(), nIndex, ILD_NORMAL);
    if (hIcon == NULL)
        return;
    ::DrawStateA(pDC->GetSafeHdc(), hBrush, NULL, (LPARAM)hIcon, 0, rect.left, rect.top, 0, 0, DST_ICON | nFlags);
    ::DestroyIcon(hIcon);
}

void COXMenuSkinClassic::DrawImage(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectImage,
                                   COXBitmapMenu*)
{
    const int nIndex = ImageIndexFor(nState, pImageInfo);
    if (nIndex < 0)
        return;
    if (IsDisabled(nState))
        DrawDisabledImage(pDC, pImageInfo, nIndex, rectImage, NULL, DSS_DISABLED);
    else
        ImageList_Draw(pImageInfo->m_pImageList->GetSafeHandle(), nIndex, pDC->GetSafeHdc(), rectImage.left,
                       rectImage.top, ILD_TRANSPARENT);
}

void COXMenuSkinClassic::DrawText(CDC* pDC, UINT nState, LPCTSTR lpszText, const RECT& rectText,
                                  const RECT& rectShortcut, COXBitmapMenu*)
{
    DrawLabelAndShortcut(pDC, lpszText, rectText, rectShortcut, TextColor(nState),
                         IsDisabled(nState) && !IsSelected(nState) ? DSS_DISABLED : 0);
}

void COXMenuSkinClassic::DrawSeparator(CDC* pDC, const RECT& rect, COXBitmapMenu*)
{
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_MENU));
    CRect rc(rect);
    rc.DeflateRect(2, 0);
    const int y = rc.top + rc.Height() / 2 - 1;
    pDC->FillSolidRect(rc.left, y, rc.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
    pDC->FillSolidRect(rc.left, y + 1, rc.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void COXMenuSkinClassic::DrawCustomized(CDC* pDC, const RECT& rect, COXBitmapMenu*)
{
    pDC->DrawDragRect(&rect, CSize(2, 2), NULL, CSize(2, 2));
}

void COXMenuSkinClassic::DrawSubmenuItem(CDC* pDC, UINT nState, LPCTSTR lpszText, COXImageInfo* pImageInfo,
                                         const RECT& rectImageFrame, const RECT& rectImage, const RECT& rectText,
                                         const RECT& rectShortcut, COXBitmapMenu* pMenu)
{
    DrawButton(pDC, nState, pImageInfo, rectImageFrame, pMenu);
    DrawImage(pDC, nState, pImageInfo, rectImage, pMenu);
    CString strLabel, strShortcut;
    SplitText(lpszText, strLabel, strShortcut);
    DrawLabelAndShortcut(pDC, strLabel, rectText, rectShortcut, TextColor(nState),
                         IsDisabled(nState) && !IsSelected(nState) ? DSS_DISABLED : 0);
}

void COXMenuSkinClassic::DrawSubmenuArrow(CDC* pDC, UINT nState, const RECT& rectItem, COXBitmapMenu*)
{
    DrawArrow(pDC, SubmenuArrowRect(rectItem), TextColor(nState));
}

void COXMenuSkinClassic::DrawExpansionItem(CDC* pDC, const RECT& rect, UINT nState, COXBitmapMenu*)
{
    DrawGlyph(pDC, rect, "6", TextColor(nState), DT_CENTER | DT_VCENTER);
}

// ---------------------------------------------------------------------------
// Office XP
// ---------------------------------------------------------------------------
COXMenuSkinXP::COXMenuSkinXP(COXSkinXP* pSkin) : m_pSkin(pSkin), m_metrics{3, 5, 15, 12, 6, 10, 4, 3, 16, 16}
{
    m_mapPopupPos.InitHashTable(17);
}

CRect COXMenuSkinXP::ImageColumn(const RECT& rectItem, int nImageWidth) const
{
    return CRect(rectItem.left, rectItem.top,
                 rectItem.left + nImageWidth + m_metrics.m_nImageColumnPad + m_metrics.m_nImageLeft, rectItem.bottom);
}

void COXMenuSkinXP::DistributeSpace(const RECT& rectItem, COXImageInfo* pImageInfo, RECT& rectImageFrame,
                                    RECT& rectImage, RECT& rectText, RECT& rectShortcut, COXBitmapMenu* pMenu)
{
    COXMenuSkin::DistributeSpace(rectItem, pImageInfo, rectImageFrame, rectImage, rectText, rectShortcut, pMenu);
    if (::IsRectEmpty(&rectImage))
        return;
    const int nImageWidth = ImageWidthOf(pMenu);
    rectImageFrame = CRect(rectItem.left + 1, rectItem.top + 1, rectItem.left + nImageWidth + 5, rectItem.bottom - 1);
    if (IsCheckImage(pImageInfo))
        ::OffsetRect(&rectImage, (nImageWidth - (rectImage.right - rectImage.left) + 4) / 2 - 1, 0);
}

void COXMenuSkinXP::DrawBackground(CDC* pDC, UINT nState, COXImageInfo*, const RECT& rectItem, const RECT&,
                                   COXBitmapMenu* pMenu)
{
    if (!IsSelected(nState) || IsDisabled(nState)) {
        pDC->FillSolidRect(&rectItem, m_pSkin->GetMenuBackgroundColor());
        DrawItemColumn(pDC, rectItem, IsHidden(nState), pMenu);
    } else {
        BoxRect(pDC, rectItem, m_pSkin->GetHotItemBorderColor(), m_pSkin->GetHotItemColor());
    }
}

void COXMenuSkinXP::DrawButton(CDC* pDC, UINT nState, COXImageInfo*, const RECT& rectFrame, COXBitmapMenu*)
{
    if (IsChecked(nState) && !::IsRectEmpty(&rectFrame))
        BoxRect(pDC, rectFrame, m_pSkin->GetHotItemBorderColor(),
                IsSelected(nState) ? m_pSkin->GetPressedItemColor() : m_pSkin->GetCheckedItemColor());
}

void COXMenuSkinXP::DrawImage(CDC* pDC, UINT nState, COXImageInfo* pImageInfo, const RECT& rectImage,
                              COXBitmapMenu*)
{
    const int nIndex = ImageIndexFor(nState, pImageInfo);
    if (nIndex < 0)
        return;
    HIMAGELIST hList = pImageInfo->m_pImageList->GetSafeHandle();
    if (IsDisabled(nState)) {
        CBrush brush(m_pSkin->SysColor(COLOR_BTNSHADOW));
        DrawDisabledImage(pDC, pImageInfo, nIndex, rectImage, (HBRUSH)brush.GetSafeHandle(), DSS_MONO);
    } else if (IsSelected(nState) && !IsChecked(nState) && RaisesSelectedImage()) {
        // Raised: the image's shape in the shadow colour, the image above it.
        CBrush brush(m_pSkin->SysColor(COLOR_BTNSHADOW));
        CBrush* pOld = pDC->SelectObject(&brush);
        IMAGELISTDRAWPARAMS params;
        ZeroMemory(&params, sizeof(params));
        params.cbSize = sizeof(params);
        params.himl = hList;
        params.i = nIndex;
        params.hdcDst = pDC->GetSafeHdc();
        params.x = rectImage.left + 1;
        params.y = rectImage.top + 1;
        params.rgbBk = CLR_NONE;
        params.rgbFg = CLR_NONE;
        params.fStyle = ILD_MASK | ILD_ROP;
        params.dwRop = 0xB8074A;
        ImageList_DrawIndirect(&params);
        pDC->SelectObject(pOld);
        ImageList_Draw(hList, nIndex, pDC->GetSafeHdc(), rectImage.left - 1, rectImage.top - 1, ILD_TRANSPARENT);
    } else {
        ImageList_Draw(hList, nIndex, pDC->GetSafeHdc(), rectImage.left, rectImage.top, ILD_TRANSPARENT);
    }
}

void COXMenuSkinXP::DrawText(CDC* pDC, UINT nState, LPCTSTR lpszText, const RECT& rectText,
                             const RECT& rectShortcut, COXBitmapMenu*)
{
    DrawLabelAndShortcut(pDC, lpszText, rectText, rectShortcut,
                         IsDisabled(nState) ? m_pSkin->GetMenuDisabledTextColor() : m_pSkin->SysColor(COLOR_MENUTEXT),
                         0);
}

void COXMenuSkinXP::DrawSeparator(CDC* pDC, const RECT& rect, COXBitmapMenu* pMenu)
{
    const int nImageWidth = ImageWidthOf(pMenu);
    pDC->FillSolidRect(&rect, m_pSkin->GetMenuBackgroundColor());
    DrawItemColumn(pDC, rect, FALSE, pMenu);
    const int x = rect.left + nImageWidth + m_metrics.m_nTextGap + m_metrics.m_nImageLeft;
    pDC->FillSolidRect(x, rect.top + (rect.bottom - rect.top) / 2, rect.right - x, 1, m_pSkin->GetSeparatorColor());
}

void COXMenuSkinXP::DrawCustomized(CDC* pDC, const RECT& rect, COXBitmapMenu*)
{
    const COLORREF clr = m_pSkin->SysColor(COLOR_BTNTEXT);
    CRect rc(rect);
    pDC->Draw3dRect(&rc, clr, clr);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, clr, clr);
}

void COXMenuSkinXP::DrawSubmenuItem(CDC* pDC, UINT nState, LPCTSTR lpszText, COXImageInfo* pImageInfo,
                                    const RECT& rectImageFrame, const RECT& rectImage, const RECT& rectText,
                                    const RECT& rectShortcut, COXBitmapMenu* pMenu)
{
    DrawButton(pDC, nState, pImageInfo, rectImageFrame, pMenu);
    DrawImage(pDC, nState, pImageInfo, rectImage, pMenu);
    CString strLabel, strShortcut;
    SplitText(lpszText, strLabel, strShortcut);
    DrawText(pDC, nState, strLabel, rectText, rectShortcut, pMenu);
}

void COXMenuSkinXP::DrawSubmenuArrow(CDC* pDC, UINT nState, const RECT& rectItem, COXBitmapMenu*)
{
    DrawArrow(pDC, SubmenuArrowRect(rectItem),
              IsDisabled(nState) ? m_pSkin->GetMenuDisabledTextColor() : m_pSkin->SysColor(COLOR_MENUTEXT));
}

void COXMenuSkinXP::DrawExpansionItem(CDC* pDC, const RECT& rect, UINT nState, COXBitmapMenu*)
{
    DrawGlyph(pDC, rect, "6",
              IsDisabled(nState) ? m_pSkin->GetSeparatorColor() : m_pSkin->SysColor(COLOR_MENUTEXT),
              DT_CENTER | DT_VCENTER);
}

void COXMenuSkinXP::DrawImageColumn(CDC* pDC, const RECT& rect)
{
    pDC->FillSolidRect(&rect, m_pSkin->GetToolbarBackgroundColor());
}

void COXMenuSkinXP::DrawItemColumn(CDC* pDC, const RECT& rectItem, BOOL bHidden, COXBitmapMenu* pMenu)
{
    const CRect rcColumn = ImageColumn(rectItem, ImageWidthOf(pMenu));
    if (bHidden)
        pDC->FillSolidRect(&rcColumn, OXOffsetColor(m_pSkin->SysColor(COLOR_BTNFACE), -8));
    else
        DrawImageColumn(pDC, rcColumn);
}

void COXMenuSkinXP::DrawItemJoin(CDC* pDC, const RECT& rect)
{
    const COLORREF clr = m_pSkin->GetToolbarBackgroundColor();
    pDC->Draw3dRect(&rect, clr, clr);
}

void COXMenuSkinXP::FillItemBackground(HDC hDC, const RECT& rect)
{
    ::SetBkColor(hDC, m_pSkin->GetToolbarBackgroundColor());
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rect, NULL, 0, NULL);
}

int COXMenuSkinXP::ShadowFactor(int i, int n, int k, BOOL bTail)
{
    if (i < 4)
        return 255;
    if (bTail && i >= n - 4)
        return 252 - 3 * k - (n - 1 - i) * (3 + 3 * k);
    if (i < 8)
        return 243 - 12 * k + (7 - i) * (3 + 3 * k);
    return 240 - 15 * k;
}

CRect COXMenuSkinXP::JoinRect(const RECT& rectFrame, const RECT& rectOpener)
{
    CRect rc(rectOpener);
    if (rc.IsRectEmpty())
        return CRect(0, 0, 0, 0);
    if (rc.bottom == rectFrame.top || rc.top == rectFrame.bottom) {
        rc.InflateRect(-1, 1);
        return rc;
    }
    if (rc.right == rectFrame.left || rc.left == rectFrame.right) {
        rc.InflateRect(1, -1);
        return rc;
    }
    return CRect(0, 0, 0, 0);
}

void COXMenuSkinXP::DrawShadow(HDC hDC, const RECT& rectPopup, const RECT& rectOpener,
                               CArray<COLORREF, COLORREF>* pSaved, int nBands)
{
    const CRect rcPopup(rectPopup);
    const int cx = rcPopup.Width(), cy = rcPopup.Height();
    if (cx < 2 * kShadow || cy < 2 * kShadow)
        return;
    const BOOL bFromSaved = pSaved != NULL && pSaved->GetSize() == (INT_PTR)(kShadow * cy + kShadow * (cx - kShadow));
    if (pSaved != NULL && !bFromSaved)
        pSaved->RemoveAll();

    // The two bands under the shadow, read in one go each: pixels read one
    // by one from the screen cost far more than the whole band.
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    const CRect rcOpener(rectOpener);

    struct Band { CRect rc; BOOL bRight; };
    const Band bands[] = {{CRect(rcPopup.right - kShadow, rcPopup.top, rcPopup.right, rcPopup.bottom), TRUE},
                          {CRect(rcPopup.left, rcPopup.bottom - kShadow, rcPopup.right - kShadow, rcPopup.bottom),
                           FALSE}};
    int nSaved = 0;
    for (const Band& band : bands) {
        const int w = band.rc.Width(), h = band.rc.Height();
        if (!(nBands & (band.bRight ? 1 : 2))) {
            // Saved colours of a band left out are passed over.
            if (bFromSaved)
                nSaved += kShadow * (band.bRight ? h : w);
            continue;
        }
        bmi.bmiHeader.biWidth = w;
        bmi.bmiHeader.biHeight = -h;
        DWORD* pBits = NULL;
        HBITMAP hBitmap = ::CreateDIBSection(hMem, &bmi, DIB_RGB_COLORS, (void**)&pBits, NULL, 0);
        if (hBitmap == NULL)
            continue;
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        if (!bFromSaved)
            ::BitBlt(hMem, 0, 0, w, h, hScreen, band.rc.left, band.rc.top, SRCCOPY);
        ::GdiFlush();
        // Right band column by column from the outside in, bottom band row
        // by row from the outside in: the order the colours are kept in.
        const int nEdge = band.bRight ? h : w;
        for (int k = 0; k < kShadow; ++k) {
            for (int i = 0; i < nEdge; ++i) {
                const int x = band.bRight ? w - 1 - k : i, y = band.bRight ? i : h - 1 - k;
                DWORD& px = pBits[y * w + x];
                COLORREF clr = RGB(GetBValue(px), GetGValue(px), GetRValue(px));
                if (bFromSaved)
                    clr = pSaved->GetAt(nSaved++);
                else if (pSaved != NULL)
                    pSaved->Add(clr);
                const CPoint ptScreen(band.rc.left + x, band.rc.top + y);
                if (i >= 4 && rcOpener.PtInRect(ptScreen))
                    continue;
                const COLORREF clrOut = Darken(clr, ShadowFactor(i, nEdge, k, band.bRight));
                px = RGB(GetBValue(clrOut), GetGValue(clrOut), GetRValue(clrOut));
            }
        }
        ::BitBlt(hDC, band.rc.left - rcPopup.left, band.rc.top - rcPopup.top, w, h, hMem, 0, 0, SRCCOPY);
        ::SelectObject(hMem, hOld);
        ::DeleteObject(hBitmap);
    }
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);

    // Where the popup overlaps the item that opened it, the item's back.
    CRect rcJoin;
    if (rcJoin.IntersectRect(&rcPopup, &rcOpener)) {
        rcJoin.OffsetRect(-rcPopup.left, -rcPopup.top);
        FillItemBackground(hDC, rcJoin);
        HPEN hPen = ::CreatePen(PS_SOLID, 1, m_pSkin->GetMenuBorderColor());
        HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
        if (rcJoin.Width() > rcJoin.Height()) {
            ::MoveToEx(hDC, rcJoin.left, rcJoin.top, NULL);
            ::LineTo(hDC, rcJoin.left, rcJoin.bottom);
            ::MoveToEx(hDC, rcJoin.right - 1, rcJoin.top, NULL);
            ::LineTo(hDC, rcJoin.right - 1, rcJoin.bottom);
        } else {
            ::MoveToEx(hDC, rcJoin.left, rcJoin.top, NULL);
            ::LineTo(hDC, rcJoin.right, rcJoin.top);
            ::MoveToEx(hDC, rcJoin.left, rcJoin.bottom - 1, NULL);
            ::LineTo(hDC, rcJoin.right, rcJoin.bottom - 1);
        }
        ::SelectObject(hDC, hOldPen);
        ::DeleteObject(hPen);
    }
}

void COXMenuSkinXP::PaintPopupFrame(HWND hWnd, HDC hDC, COXBitmapMenu* pMenu, BOOL bPrint)
{
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    CRect rcFrame(0, 0, rcWindow.Width() - kShadow, rcWindow.Height() - kShadow);
    CDC* pDC = CDC::FromHandle(hDC);
    pDC->SaveDC();
    CRect rcClient(rcFrame);
    rcClient.DeflateRect(kPopupFrame, kPopupFrame);
    pDC->ExcludeClipRect(&rcClient);

    OXPOPUPWND* pPopup = bPrint ? NULL : pMenu->FindPopupWnd(hWnd);
    DrawShadow(hDC, rcWindow, pMenu->m_rectOwnerItem, pPopup != NULL ? &pPopup->arrShadow : NULL);

    pDC->FillSolidRect(&rcFrame, m_pSkin->GetMenuBackgroundColor());
    // The column runs from border to border, and across from where the
    // items' own columns begin, so that the gap round the items continues
    // them (in 2003, the same gradient).
    DrawImageColumn(pDC, CRect(rcFrame.left + 1, rcFrame.top + 1,
                               rcFrame.left + pMenu->GetImageWidth() + m_metrics.m_nImageLeft + 8,
                               rcFrame.bottom - 1));
    const COLORREF clrBorder = bPrint ? m_pSkin->SysColor(COLOR_BTNSHADOW) : m_pSkin->GetMenuBorderColor();
    pDC->Draw3dRect(&rcFrame, clrBorder, clrBorder);

    CRect rcOpener(pMenu->m_rectOwnerItem);
    rcOpener.OffsetRect(-rcWindow.left, -rcWindow.top);
    CRect rcJoin = JoinRect(rcFrame, rcOpener);
    if (!rcJoin.IsRectEmpty())
        DrawItemJoin(pDC, rcJoin);
    pDC->RestoreDC(-1);
}

CPoint COXMenuSkinXP::ClientOffset(HWND hWnd)
{
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    CPoint pt(0, 0);
    ::ClientToScreen(hWnd, &pt);
    return CPoint(pt.x - rcWindow.left, pt.y - rcWindow.top);
}

BOOL COXMenuSkinXP::HasOwnFrame(HWND hWnd)
{
    CRect rcWindow, rcClient;
    ::GetWindowRect(hWnd, &rcWindow);
    ::GetClientRect(hWnd, &rcClient);
    return rcClient.Size() != rcWindow.Size();
}

LRESULT COXMenuSkinXP::OnPrint(WNDPROC pfnOld, HWND hWnd, HDC hDC, LPARAM lParam, COXBitmapMenu* pMenu)
{
    // The animation shows what the popup will look like, so what it is
    // still waiting to be told goes first. A quit taken on the way is put
    // back for the loop that owns it.
    MSG msg;
    BOOL bQuit = FALSE;
    int nExit = 0;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            bQuit = TRUE;
            nExit = (int)msg.wParam;
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (bQuit)
        ::PostQuitMessage(nExit);
    if (!::IsWindow(hWnd))
        return 0;

    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    HDC hMem = ::CreateCompatibleDC(hDC);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, rcWindow.Width(), rcWindow.Height());
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    // The items go where the client area lies in the window: inside the
    // frame where the system gives the window one, at its corner where the
    // window is all client.
    const CPoint ptClient = ClientOffset(hWnd);
    POINT ptOld;
    ::SetViewportOrgEx(hMem, ptClient.x, ptClient.y, &ptOld);
    ::CallWindowProc(pfnOld, hWnd, WM_PRINTCLIENT, (WPARAM)hMem, lParam | PRF_CLIENT);
    ::SetViewportOrgEx(hMem, ptOld.x, ptOld.y, NULL);
    PaintPopupFrame(hWnd, hMem, pMenu, TRUE);
    ::BitBlt(hDC, 0, 0, rcWindow.Width(), rcWindow.Height(), hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    return 0;
}

LRESULT COXMenuSkinXP::PopupWindowProc(WNDPROC pfnOld, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_DESTROY)
        m_mapPopupPos.RemoveKey(hWnd);
    // The window is made before its menu becomes a bitmap menu, so the
    // menu is asked for at every message, and the window entered in its
    // list of open popups at the first one that finds it converted.
    // Asked of the system's procedure directly: sent, it would come back here.
    COXBitmapMenu* pMenu =
        nMsg == WM_CREATE || nMsg == WM_NCCREATE || nMsg == MN_GETHMENU
            ? NULL
            : DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent((HMENU)::CallWindowProc(
                                                  pfnOld, hWnd, MN_GETHMENU, 0, 0)));
    if (pMenu == NULL)
        return ::CallWindowProc(pfnOld, hWnd, nMsg, wParam, lParam);
    if (nMsg != WM_DESTROY && pMenu->FindPopupWnd(hWnd) == NULL) {
        OXPOPUPWND* pPopup = new OXPOPUPWND;
        pPopup->hWnd = hWnd;
        pMenu->m_popupStack.AddTail(pPopup);
    }

    switch (nMsg) {
    case WM_DESTROY: {
        POSITION pos = pMenu->m_popupStack.GetHeadPosition();
        while (pos != NULL) {
            POSITION posThis = pos;
            OXPOPUPWND* pPopup = pMenu->m_popupStack.GetNext(pos);
            if (pPopup->hWnd == hWnd) {
                pMenu->m_popupStack.RemoveAt(posThis);
                delete pPopup;
            }
        }
        break;
    }
    case WM_ERASEBKGND:
        return 0;
    case WM_WINDOWPOSCHANGING: {
        WINDOWPOS* pPos = (WINDOWPOS*)lParam;
        if (!(pPos->flags & SWP_NOSIZE)) {
            pPos->cx += kShadow;
            pPos->cy += kShadow;
        }
        if (!(pPos->flags & SWP_NOMOVE))
            m_mapPopupPos[hWnd] = CPoint(pPos->x, pPos->y);
        break;
    }
    case WM_PAINT:
        if (HasOwnFrame(hWnd))
            break;
        {
            // The window is all client: the system paints its own border
            // and the gap of its margins round the items in the client area,
            // in the menu's colour. The skin's frame goes over them.
            LRESULT lResult = ::CallWindowProc(pfnOld, hWnd, nMsg, wParam, lParam);
            HDC hDC = ::GetWindowDC(hWnd);
            if (hDC != NULL) {
                PaintPopupFrame(hWnd, hDC, pMenu, FALSE);
                ::ReleaseDC(hWnd, hDC);
            }
            return lResult;
        }
    case WM_NCPAINT: {
        HDC hDC = wParam == 1 ? ::GetWindowDC(hWnd)
                              : ::GetDCEx(hWnd, (HRGN)wParam, DCX_WINDOW | DCX_INTERSECTRGN | DCX_CACHE);
        if (hDC == NULL)
            hDC = ::GetWindowDC(hWnd);
        PaintPopupFrame(hWnd, hDC, pMenu, FALSE);
        ::ReleaseDC(hWnd, hDC);
        return 0;
    }
    case WM_PRINT:
        return OnPrint(pfnOld, hWnd, (HDC)wParam, lParam, pMenu);
    }
    return ::CallWindowProc(pfnOld, hWnd, nMsg, wParam, lParam);
}

BOOL COXMenuSkinXP::DrawPopupNonClient(CWnd* pPopup)
{
    COXBitmapMenuPopupWnd* pWnd = DYNAMIC_DOWNCAST(COXBitmapMenuPopupWnd, pPopup);
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return FALSE;
    CWindowDC dc(pWnd);
    CRect rcWindow, rcClient;
    pWnd->GetWindowRect(&rcWindow);
    pWnd->GetClientRect(&rcClient);
    pWnd->ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    // The items paint the client themselves.
    dc.ExcludeClipRect(&rcClient);
    dc.FillSolidRect(&rcWindow, m_pSkin->GetMenuBackgroundColor());
    COXBitmapMenu* pMenu = pWnd->GetBitmapMenu();
    const int nImageWidth = pMenu != NULL ? pMenu->GetImageWidth() : 0;
    dc.FillSolidRect(CRect(rcWindow.left, rcWindow.top + 2, rcWindow.left + nImageWidth + m_metrics.m_nImageLeft + 7,
                           rcWindow.bottom - 4),
                     m_pSkin->GetToolbarBackgroundColor());
    const COLORREF clrFrame = m_pSkin->SysColor(COLOR_BTNSHADOW);
    dc.Draw3dRect(&rcWindow, clrFrame, clrFrame);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Office 2003
// ---------------------------------------------------------------------------
COXMenuSkin2003::COXMenuSkin2003(COXSkin2003* pSkin) : COXMenuSkinXP(pSkin) {}

COXSkin2003* COXMenuSkin2003::Skin2003() const { return static_cast<COXSkin2003*>(m_pSkin); }

// The gradient runs from the popup's border, across the gap before the
// items, as in the frame's column, so that items and separators show one
// column; each paints its own rectangle only, which is all a menu drawn
// anywhere else than in a popup has room for.
void COXMenuSkin2003::DrawItemColumn(CDC* pDC, const RECT& rectItem, BOOL bHidden, COXBitmapMenu* pMenu)
{
    const CRect rcColumn = ImageColumn(rectItem, ImageWidthOf(pMenu));
    CRect rcGradient(rcColumn);
    rcGradient.left -= kPopupFrame - 1;
    COLORREF clrStart = Skin2003()->GetMenuGradientStartColor(), clrEnd = Skin2003()->GetMenuGradientEndColor();
    if (bHidden) {
        clrStart = OXScaleColor(clrStart, 93);
        clrEnd = OXScaleColor(clrEnd, 93);
    }
    pDC->SaveDC();
    pDC->IntersectClipRect(&rcColumn);
    Skin2003()->GradientFill(pDC, rcGradient, clrStart, clrEnd, FALSE);
    pDC->RestoreDC(-1);
}

void COXMenuSkin2003::DrawImageColumn(CDC* pDC, const RECT& rect)
{
    Skin2003()->GradientFill(pDC, rect, Skin2003()->GetMenuGradientStartColor(),
                             Skin2003()->GetMenuGradientEndColor(), FALSE);
}

void COXMenuSkin2003::DrawItemJoin(CDC* pDC, const RECT& rect)
{
    Skin2003()->GradientFill(pDC, rect, Skin2003()->GetMenuGradientStartColor(),
                             Skin2003()->GetMenuGradientAltEndColor(), TRUE);
}

// ---------------------------------------------------------------------------
// The skin in use
// ---------------------------------------------------------------------------
static COXMenuSkinClassic* g_pSharedClassic = NULL;

COXMenuSkin* AFXAPI OXGetMenuSkin()
{
    if (COXSkin* pSkin = OXGetCurrentSkin())
        if (pSkin->GetMenuSkin() != NULL)
            return pSkin->GetMenuSkin();
    if (g_pSharedClassic == NULL)
        g_pSharedClassic = new COXMenuSkinClassic;
    return g_pSharedClassic;
}

void OXReleaseSharedMenuSkin()
{
    delete g_pSharedClassic;
    g_pSharedClassic = NULL;
}

// ---------------------------------------------------------------------------
// The bar item a popup drops from
// ---------------------------------------------------------------------------
void COXMenuSkin::ShadowedItemSides(int nSide, BOOL& bLeft, BOOL& bTop, BOOL& bRight, BOOL& bBottom, int& nBands)
{
    bLeft = nSide != OXSIW_LEFT;
    bTop = nSide != OXSIW_ABOVE;
    bRight = nSide != OXSIW_RIGHT;
    bBottom = nSide != OXSIW_BELOW;
    // The popup's own shadow continues the item's on the side they share.
    nBands = nSide == OXSIW_BELOW ? 1 : nSide == OXSIW_RIGHT ? 2 : 3;
}

namespace {

// The item's frame, three sides or four, in one pen.
void OutlineItem(CDC* pDC, const CRect& rect, int nSide, COLORREF clr)
{
    BOOL bLeft, bTop, bRight, bBottom;
    int nBands;
    COXMenuSkin::ShadowedItemSides(nSide, bLeft, bTop, bRight, bBottom, nBands);
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    const int r = rect.right - 1, b = rect.bottom - 1;
    if (bLeft) {
        pDC->MoveTo(rect.left, rect.top);
        pDC->LineTo(rect.left, b + 1);
    }
    if (bTop) {
        pDC->MoveTo(rect.left, rect.top);
        pDC->LineTo(r + 1, rect.top);
    }
    if (bRight) {
        pDC->MoveTo(r, rect.top);
        pDC->LineTo(r, b + 1);
    }
    if (bBottom) {
        pDC->MoveTo(rect.left, b);
        pDC->LineTo(r + 1, b);
    }
    pDC->SelectObject(pOld);
}

}   // namespace

void COXMenuSkinXP::PaintItemShadow(CDC* pDC, COXShadowedItemWnd* pWnd)
{
    BOOL bLeft, bTop, bRight, bBottom;
    int nBands;
    ShadowedItemSides(pWnd->m_nSide, bLeft, bTop, bRight, bBottom, nBands);
    CRect rectWindow;
    pWnd->GetWindowRect(rectWindow);
    // The screen under the window as it was: the window covers it now.
    CArray<COLORREF, COLORREF> arrUnder;
    pWnd->GetShadowSource(arrUnder);
    DrawShadow(pDC->GetSafeHdc(), rectWindow, CRect(0, 0, 0, 0), arrUnder.GetSize() > 0 ? &arrUnder : NULL, nBands);
}

BOOL COXMenuSkinXP::PaintShadowedItem(CWnd* pItemWnd)
{
    COXShadowedItemWnd* pWnd = DYNAMIC_DOWNCAST(COXShadowedItemWnd, pItemWnd);
    if (pWnd == NULL)
        return FALSE;
    CPaintDC dc(pWnd);
    CRect rect;
    pWnd->GetClientRect(rect);
    rect.right -= kShadow;
    rect.bottom -= kShadow;
    // The button as it showed before the window covered it.
    pWnd->DrawUnder(&dc);
    FillShadowedItem(&dc, rect, pWnd);
    OutlineItem(&dc, rect, pWnd->m_nSide, ShadowedItemBorderColor());
    PaintItemShadow(&dc, pWnd);
    return TRUE;
}

COLORREF COXMenuSkinXP::ShadowedItemBorderColor() const
{
    return m_pSkin->SysColor(COLOR_BTNSHADOW);
}

COLORREF COXMenuSkin2003::ShadowedItemBorderColor() const
{
    return m_pSkin->GetMenuBorderColor();
}

void COXMenuSkin2003::FillShadowedItem(CDC* pDC, const CRect& rect, COXShadowedItemWnd* pWnd)
{
    Skin2003()->GradientFill(pDC, rect, Skin2003()->GetMenuGradientStartColor(),
                             Skin2003()->GetMenuGradientAltEndColor(), TRUE);
    // The button's text again, on the gradient.
    if (CToolBar* pBar = DYNAMIC_DOWNCAST(CToolBar, pWnd->m_pBar)) {
        CString strText = pBar->GetButtonText(pWnd->m_nItem);
        CFont* pOld = pDC->SelectObject(pBar->GetFont());
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(m_pSkin->SysColor(COLOR_MENUTEXT));
        CRect rectText(rect);
        pDC->DrawText(strText, rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SelectObject(pOld);
    }
}
