#include "OXToolbarSkin.h"

#include <afxcmn.h>

#include <algorithm>
#include <vector>

#include "OXCoolToolBar.h"
#include "OXMenuBar.h"
#include "OXSkins.h"
#include "OXSkinnedComboBox.h"

namespace {

COXCoolToolBar* CoolBar(CWnd* pBar)
{
    return DYNAMIC_DOWNCAST(COXCoolToolBar, pBar);
}

COXMenuBar* MenuBar(CWnd* pBar)
{
    return DYNAMIC_DOWNCAST(COXMenuBar, pBar);
}

// The maximized MDI child whose buttons a menu bar shows, or NULL.
CMDIChildWnd* MDIButtonsChild(COXMenuBar* pMenuBar)
{
    return pMenuBar != NULL && pMenuBar->m_hWnd != NULL ? pMenuBar->GetMaximizedChild() : NULL;
}

BOOL IsFloatingBar(CWnd* pBar)
{
    CControlBar* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar);
    return pControlBar != NULL && (pControlBar->m_dwStyle & CBRS_FLOATING) != 0;
}

DWORD BarStyle(CWnd* pBar)
{
    CControlBar* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar);
    return pControlBar != NULL ? pControlBar->m_dwStyle : CBRS_ALIGN_TOP;
}

void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

// Whether the mouse pointer is over pWnd's window rectangle.
BOOL PointerInside(CWnd* pWnd)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rect;
    pWnd->GetWindowRect(rect);
    return rect.PtInRect(pt);
}

BOOL HasFocusWithin(CWnd* pWnd)
{
    HWND hFocus = ::GetFocus();
    return hFocus != NULL && (hFocus == pWnd->m_hWnd || ::IsChild(pWnd->m_hWnd, hFocus));
}

// Every button of the bar and where it stands, read once for a whole paint.
void ReadButtons(CToolBar* pBar, std::vector<TBBUTTON>& buttons, std::vector<RECT>& rects)
{
    const int nCount = (int)pBar->SendMessage(TB_BUTTONCOUNT);
    buttons.assign(nCount, TBBUTTON());
    rects.assign(nCount, RECT());
    for (int i = 0; i < nCount; ++i) {
        pBar->SendMessage(TB_GETBUTTON, i, (LPARAM)&buttons[i]);
        pBar->SendMessage(TB_GETITEMRECT, i, (LPARAM)&rects[i]);
    }
}

} // namespace

// ---------------------------------------------------------------------------
// COXToolbarSkin: shared rules
// ---------------------------------------------------------------------------
CRect COXToolbarSkin::RowGapBelow(const TBBUTTON* pButtons, const RECT* pRects, int nCount, int nIndex,
                                  int cxClient)
{
    auto shown = [&](int i) { return !(pButtons[i].fsState & TBSTATE_HIDDEN); };
    // The separator's own rectangle lies in its row (or in the gap): the
    // row ends where its buttons end.
    int nRowBottom = pRects[nIndex].top;
    for (int i = nIndex - 1; i >= 0 && !(pButtons[i].fsState & TBSTATE_WRAP); --i)
        if (shown(i) && !(pButtons[i].fsStyle & TBSTYLE_SEP))
            nRowBottom = std::max<int>(nRowBottom, pRects[i].bottom);
    BOOL bNextRow = FALSE;
    int nNextTop = 0;
    for (int i = nIndex + 1; i < nCount; ++i) {
        if (shown(i)) {
            nNextTop = bNextRow ? std::min<int>(nNextTop, pRects[i].top) : pRects[i].top;
            bNextRow = TRUE;
        }
        if (pButtons[i].fsState & TBSTATE_WRAP)
            break;
    }
    if (!bNextRow || nNextTop <= nRowBottom)
        return CRect();
    return CRect(0, nRowBottom, cxClient, nNextTop);
}

int COXToolbarSkin::ColorSetFor(UINT nItemState)
{
    const BOOL bChecked = (nItemState & CDIS_CHECKED) != 0;
    const BOOL bHot = (nItemState & CDIS_HOT) != 0;
    if ((bChecked && bHot) || (nItemState & CDIS_SELECTED))
        return OXTB_COLOR_SELECTED;
    if (bChecked)
        return OXTB_COLOR_CHECKED;
    if (bHot)
        return OXTB_COLOR_HOT;
    return OXTB_COLOR_NORMAL;
}

CRect COXToolbarSkin::GripperRect(GripperForm form, const RECT& rectIn, BOOL bHorz, BOOL bDockable,
                                  BOOL bBorderBottom)
{
    CRect rect(rectIn);
    // A dockable bar's gripper starts further in and stops short of the
    // bottom; one over a bottom border stops short at both ends.
    auto ShortenHorizontal = [&] {
        if (bDockable) {
            rect.left += 2;
            rect.bottom -= 2;
        } else if (bBorderBottom) {
            rect.top -= 2;
            rect.bottom -= 2;
        }
    };
    switch (form) {
    case gripperClassic:
        if (bHorz) {
            rect.DeflateRect(1, 1);
            rect.OffsetRect(0, 1);
            ShortenHorizontal();
            rect.right = rect.left + 3;
        } else {
            rect.right -= 2;
            rect.top += 1;
            rect.bottom -= 1;
            rect.OffsetRect(0, 1);
            if (bDockable)
                rect.left += 2;
            else
                rect.right += 2;
            rect.bottom = rect.top + 3;
        }
        break;
    case gripperXP:
    case gripper2003:
        if (bHorz) {
            rect.top += 6;
            rect.bottom -= 5;
            rect.left += 2;
            ShortenHorizontal();
            rect.right = rect.left + (form == gripperXP ? 3 : 2);
        } else {
            rect.left += 3;
            rect.top += 4;
            rect.right -= 7;
            if (form == gripper2003)
                rect.bottom -= 4;
            if (bDockable)
                rect.left += 2;
            else
                rect.right += 2;
            rect.bottom = rect.top + (form == gripperXP ? 3 : 2);
        }
        break;
    }
    return rect;
}

BOOL COXToolbarSkin::GripperPlace(GripperForm form, const RECT& rectBar, CControlBar* pBar, CRect& rect)
{
    if (pBar->m_dwStyle & CBRS_FLOATING)
        return FALSE;
    rect = GripperRect(form, rectBar, IsHorizontal(pBar->m_dwStyle), pBar->m_pDockContext != NULL,
                       (pBar->m_dwStyle & CBRS_BORDER_BOTTOM) != 0);
    return TRUE;
}

CRect COXToolbarSkin::ClientInWindow(CWnd* pWnd)
{
    CRect rectClient, rectWindow;
    pWnd->GetClientRect(rectClient);
    pWnd->ClientToScreen(rectClient);
    pWnd->GetWindowRect(rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    return rectClient;
}

void COXToolbarSkin::DrawSelectionFrame(CDC* pDC, const RECT& rect, COLORREF clr)
{
    CBrush brush(clr);
    pDC->FrameRect(&rect, &brush);
    CRect rectInner(rect);
    rectInner.DeflateRect(1, 1);
    pDC->FrameRect(rectInner, &brush);
}

BOOL COXToolbarSkin::CreateArrowFont(CFont& font, CDC* pDC)
{
    int nHeight = -::MulDiv(8, pDC->GetDeviceCaps(LOGPIXELSY), 72);
    return font.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "Marlett");
}

int COXToolbarSkin::ArrowPartWidth(CDC* pDC, CToolBar* pBar, const TBBUTTON& button, const RECT& rect)
{
    if (!(button.fsStyle & TBSTYLE_AUTOSIZE)) {
        const int cxButton = LOWORD(pBar->SendMessage(TB_GETBUTTONSIZE));
        if (cxButton > 0 && rect.right - rect.left > cxButton)
            return rect.right - rect.left - cxButton;
    }
    return ArrowPartWidth(pDC);
}

int COXToolbarSkin::ArrowPartWidth(CDC* pDC)
{
    CFont font;
    if (!CreateArrowFont(font, pDC))
        return 4;
    CFont* pOld = pDC->SelectObject(&font);
    CSize size = pDC->GetTextExtent("6", 1);
    pDC->SelectObject(pOld);
    return size.cx + 4;
}

BOOL COXToolbarSkin::FrameTakesOver(NMHDR* pNMHDR, LRESULT* pResult, CToolBar* pBar)
{
    CWnd* pFrame = IsFloatingBar(pBar) ? pBar->GetTopLevelParent() : (CWnd*)pBar->GetParentFrame();
    if (pFrame == NULL)
        return FALSE;
    OXTBCUSTOMDRAW record = {};
    record.hdr.hwndFrom = pBar->m_hWnd;
    record.hdr.idFrom = pBar->GetDlgCtrlID();
    record.hdr.code = OXTBN_CUSTOMDRAW;
    record.pCustomDraw = (NMCUSTOMDRAW*)pNMHDR;
    record.lResult = 0;
    record.bDoDefault = TRUE;
    pFrame->SendMessage(WM_NOTIFY, (WPARAM)record.hdr.idFrom, (LPARAM)&record);
    if (record.bDoDefault)
        return FALSE;
    *pResult = record.lResult;
    return TRUE;
}

// ---------------------------------------------------------------------------
// COXToolbarSkinClassic
// ---------------------------------------------------------------------------
void COXToolbarSkinClassic::DrawGripper(CDC* pDC, const RECT& rectIn, CControlBar* pBar)
{
    CRect rect;
    if (!GripperPlace(gripperClassic, rectIn, pBar, rect))
        return;
    const BOOL bHorz = IsHorizontal(pBar->m_dwStyle);
    const COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT), clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(rect, clrHilite, clrShadow);
    rect.OffsetRect(bHorz ? 3 : 0, bHorz ? 0 : 3);
    pDC->Draw3dRect(rect, clrHilite, clrShadow);
}

void COXToolbarSkinClassic::DrawNonClientArea(CDC* pDC, const RECT& rectWindow, CWnd* pBar)
{
    CRect rect(rectWindow);
    COXCoolToolBar* pCool = CoolBar(pBar);
    CControlBar* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar);
    if (pControlBar != NULL && (pCool == NULL || !pCool->IsCool())) {
        pControlBar->DrawBorders(pDC, rect);
        if (!(pControlBar->m_dwStyle & CBRS_BORDER_3D))
            rect.InflateRect(1, 1);
    }
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rect);
    pDC->ExcludeClipRect(ClientInWindow(pBar));
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
    pDC->RestoreDC(nSaved);
}

void COXToolbarSkinClassic::DrawSeparator(CDC* pDC, const RECT& rect, CToolBar* pBar)
{
    if (rect.right - rect.left > 8)
        return;
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW), clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (IsHorizontal(pBar->m_dwStyle)) {
        int x = (rect.left + rect.right) / 2;
        pDC->Draw3dRect(x - 1, rect.top, 2, rect.bottom - rect.top, clrShadow, clrHilite);
    } else {
        int cxButton = LOWORD(pBar->SendMessage(TB_GETBUTTONSIZE));
        pDC->Draw3dRect(rect.left - cxButton, rect.bottom + 1, cxButton, 2, clrShadow, clrHilite);
    }
}

void COXToolbarSkinClassic::DrawDragRect(CDC* pDC, const RECT& rect)
{
    pDC->DrawDragRect(&rect, CSize(2, 2), NULL, CSize(0, 0));
}

void COXToolbarSkinClassic::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult, CToolBar* pBar)
{
    *pResult = CDRF_DODEFAULT;
    if (FrameTakesOver(pNMHDR, pResult, pBar))
        return;
    const BOOL b471 = COXCoolToolBar::IsComCtl471();
    NMCUSTOMDRAW* pCD = (NMCUSTOMDRAW*)pNMHDR;
    NMTBCUSTOMDRAW* pTBCD = b471 ? (NMTBCUSTOMDRAW*)pNMHDR : NULL;
    COXCoolToolBar* pCool = CoolBar(pBar);
    CDC* pDC = CDC::FromHandle(pCD->hdc);

    switch (pCD->dwDrawStage) {
    case CDDS_PREPAINT: {
        CRect rectClient;
        pBar->GetClientRect(rectClient);
        pDC->FillSolidRect(rectClient, ::GetSysColor(COLOR_BTNFACE));
        // Older controls draw no separators on a flat bar.
        if (!b471 && pCool != NULL && pCool->IsFlat() && pCool->IsSeparator()) {
            int nCount = (int)pBar->SendMessage(TB_BUTTONCOUNT);
            for (int i = 0; i < nCount; ++i) {
                TBBUTTON button = {};
                pBar->SendMessage(TB_GETBUTTON, i, (LPARAM)&button);
                if (!(button.fsStyle & TBSTYLE_SEP) || (button.fsState & TBSTATE_HIDDEN))
                    continue;
                CRect rect;
                pBar->SendMessage(TB_GETITEMRECT, i, (LPARAM)&rect);
                if (button.fsState & TBSTATE_WRAP) {
                    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
                } else {
                    rect.bottom -= 1;
                    pCool->DrawSeparator(pDC, rect);
                }
            }
        }
        *pResult = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        break;
    }
    case CDDS_ITEMPREPAINT: {
        *pResult = CDRF_NOTIFYPOSTPAINT;
        if (pCool == NULL)
            break;
        int nState = (int)pBar->SendMessage(TB_GETSTATE, pCD->dwItemSpec);
        if (nState == -1 || (nState & TBSTATE_HIDDEN))
            break;
        const int nSet = ColorSetFor(pCD->uItemState);
        const COLORREF clrText = pCool->GetTextColor(nSet), clrBorder = pCool->GetBorderColor(nSet),
                       clrBk = pCool->GetBkColor(nSet);
        if (clrText != CLR_DEFAULT) {
            if (pTBCD != NULL)
                pTBCD->clrText = clrText;
            else
                pDC->SetTextColor(clrText);
        }
        CRect rect(pCD->rc);
        if (clrBorder != CLR_DEFAULT) {
            CBrush brush(clrBorder);
            pDC->FrameRect(rect, &brush);
            rect.DeflateRect(1, 1);
            if (b471)
                *pResult |= TBCDRF_NOEDGES;
        }
        if (clrBk != CLR_DEFAULT) {
            pDC->FillSolidRect(rect, clrBk);
            if (b471 && (nState & TBSTATE_CHECKED))
                *pResult |= TBCDRF_NOETCHEDEFFECT;
        }
        break;
    }
    case CDDS_POSTPAINT:
        // Older controls had their separators drawn by the skin already.
        if (b471)
            RedrawWrappedSeparators(pDC, pBar);
        break;
    case CDDS_ITEMPOSTPAINT: {
        int nIndex = (int)pBar->SendMessage(TB_COMMANDTOINDEX, pCD->dwItemSpec);
        if (pCool != NULL && pCool->IsInCustomizationMode() && nIndex >= 0 && nIndex == pCool->GetCustomizedButton())
            DrawSelectionFrame(pDC, pCD->rc, ::GetSysColor(COLOR_BTNTEXT));
        if (pCool == NULL || !pCool->IsDropDownArrow())
            break;
        TBBUTTON button = {};
        if (nIndex < 0 || !pBar->SendMessage(TB_GETBUTTON, nIndex, (LPARAM)&button))
            break;
        if (!(button.fsStyle & TBSTYLE_DROPDOWN) || (button.fsState & TBSTATE_HIDDEN))
            break;
        COLORREF clrBorder = pCool->GetBorderColor(ColorSetFor(pCD->uItemState));
        if (clrBorder == CLR_DEFAULT)
            break;
        CRect rect(pCD->rc);
        rect.left = rect.right - pCool->GetDropDownArrowWidth();
        CBrush brush(clrBorder);
        pDC->FrameRect(rect, &brush);
        break;
    }
    default:
        break;
    }
}

void COXToolbarSkinClassic::RedrawWrappedSeparators(CDC* pDC, CToolBar* pBar)
{
    CRect rectClient;
    pBar->GetClientRect(rectClient);
    std::vector<TBBUTTON> buttons;
    std::vector<RECT> rects;
    ReadButtons(pBar, buttons, rects);
    const int nCount = (int)buttons.size();
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    for (int i = 0; i < nCount; ++i) {
        const TBBUTTON& button = buttons[i];
        if (!(button.fsStyle & TBSTYLE_SEP) || !(button.fsState & TBSTATE_WRAP) ||
            (button.fsState & TBSTATE_HIDDEN))
            continue;
        pDC->FillSolidRect(&rects[i], clrFace);
        const CRect rectGap = RowGapBelow(buttons.data(), rects.data(), nCount, i, rectClient.right);
        if (rectGap.Height() < 2)
            continue;
        pDC->Draw3dRect(rectGap.left, (rectGap.top + rectGap.bottom) / 2 - 1, rectGap.Width(), 2,
                        ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
}

void COXToolbarSkinClassic::DrawMDIButtons(CDC* pDC, COXMenuBar* pMenuBar)
{
    CMDIChildWnd* pChild = MDIButtonsChild(pMenuBar);
    if (pChild == NULL)
        return;
    const DWORD dwStyle = pChild->GetStyle();
    const int nPressed = pMenuBar->GetPressedMDIItem();
    struct Button { CRect rect; UINT nState; int nItem; } buttons[] = {
        {pMenuBar->GetCloseButtonRect(), DFCS_CAPTIONCLOSE, -4},
        {pMenuBar->GetRestoreButtonRect(),
         (UINT)(DFCS_CAPTIONRESTORE | ((dwStyle & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE)), -3},
        {pMenuBar->GetMinimizeButtonRect(),
         (UINT)(DFCS_CAPTIONMIN | ((dwStyle & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE)), -2},
    };
    for (Button& button : buttons) {
        if (button.rect.IsRectEmpty())
            continue;
        pDC->DrawFrameControl(button.rect, DFC_CAPTION,
                              button.nState | (nPressed == button.nItem ? DFCS_PUSHED : 0));
    }
}

// ---------------------------------------------------------------------------
// COXToolbarSkinXP
// ---------------------------------------------------------------------------
COLORREF COXToolbarSkinXP::Sys(int nIndex) const
{
    return m_pSkin->SysColor(nIndex);
}

COLORREF COXToolbarSkinXP::DisabledTextColor() const
{
    return Sys(COLOR_GRAYTEXT);
}

void COXToolbarSkinXP::DrawGripper(CDC* pDC, const RECT& rectIn, CControlBar* pBar)
{
    CRect rect;
    if (!GripperPlace(gripperXP, rectIn, pBar, rect))
        return;
    const BOOL bHorz = IsHorizontal(pBar->m_dwStyle);
    const COLORREF clr = m_pSkin->GetGripperColor();
    if (bHorz) {
        for (int y = rect.top; y <= rect.bottom; y += 2)
            pDC->FillSolidRect(rect.left, y, rect.Width(), 1, clr);
    } else {
        for (int x = rect.left; x <= rect.right; x += 2)
            pDC->FillSolidRect(x, rect.top, 1, rect.Height(), clr);
    }
}

void COXToolbarSkinXP::DrawNonClientArea(CDC* pDC, const RECT& rectWindow, CWnd* pBar)
{
    int nSaved = pDC->SaveDC();
    pDC->ExcludeClipRect(ClientInWindow(pBar));
    const COLORREF clrFace = Sys(COLOR_BTNFACE);
    CRect rect(rectWindow);
    pDC->FillSolidRect(rect, MenuBar(pBar) != NULL ? clrFace : m_pSkin->GetToolbarBackgroundColor());
    CBrush brush(clrFace);
    pDC->FrameRect(rect, &brush);
    CRect rectInner(rect);
    rectInner.DeflateRect(1, 1);
    pDC->FrameRect(rectInner, &brush);
    // The corners of the face inside the rings, which rounds them.
    rectInner.DeflateRect(1, 1);
    if (!rectInner.IsRectEmpty()) {
        pDC->SetPixelV(rectInner.left, rectInner.top, clrFace);
        pDC->SetPixelV(rectInner.right - 1, rectInner.top, clrFace);
        pDC->SetPixelV(rectInner.left, rectInner.bottom - 1, clrFace);
        pDC->SetPixelV(rectInner.right - 1, rectInner.bottom - 1, clrFace);
    }
    pDC->RestoreDC(nSaved);
}

void COXToolbarSkinXP::DrawSeparatorLine(CDC* pDC, const RECT& rect, int nInset, BOOL bEcho)
{
    const int nWidth = rect.right - rect.left, nHeight = rect.bottom - rect.top;
    CRect rectLine;
    if (nHeight > nWidth) {
        int x = (rect.left + rect.right) / 2 - 1;
        rectLine.SetRect(x, rect.top + nInset, x + 1, rect.bottom - nInset);
    } else {
        int y = (rect.top + rect.bottom) / 2 - 1;
        rectLine.SetRect(rect.left + nInset, y, rect.right - nInset, y + 1);
    }
    if (rectLine.IsRectEmpty())
        return;
    pDC->FillSolidRect(rectLine, m_pSkin->GetSeparatorColor());
    if (bEcho) {
        rectLine.OffsetRect(1, 1);
        pDC->FillSolidRect(rectLine, RGB(255, 255, 255));
    }
}

void COXToolbarSkinXP::DrawSeparator(CDC* pDC, const RECT& rect, CToolBar*)
{
    DrawSeparatorLine(pDC, rect, 0, FALSE);
}

void COXToolbarSkinXP::DrawDragRect(CDC* pDC, const RECT& rect)
{
    DrawSelectionFrame(pDC, rect, Sys(COLOR_BTNTEXT));
}

void COXToolbarSkinXP::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult, CToolBar* pBar)
{
    *pResult = CDRF_DODEFAULT;
    NMCUSTOMDRAW* pCD = (NMCUSTOMDRAW*)pNMHDR;
    // Some tool bar controls draw their buttons after a skipped whole-bar
    // paint unless each button is skipped too: nothing goes over the skin's
    // picture.
    if (pCD->dwDrawStage == CDDS_ITEMPREPAINT && m_bOwnDrawn) {
        *pResult = CDRF_SKIPDEFAULT;
        return;
    }
    // Separators get no notification of their own, and such a control draws
    // them over the picture too: the picture goes over them again once the
    // control has done.
    if (pCD->dwDrawStage == CDDS_POSTPAINT && m_bOwnDrawn) {
        DrawBar(CDC::FromHandle(pCD->hdc), pBar);
        return;
    }
    if (pCD->dwDrawStage != CDDS_PREPAINT)
        return;
    m_bOwnDrawn = FALSE;
    if (FrameTakesOver(pNMHDR, pResult, pBar))
        return;
    m_bOwnDrawn = TRUE;
    DrawBar(CDC::FromHandle(pCD->hdc), pBar);
    *pResult = CDRF_SKIPDEFAULT | CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
}

void COXToolbarSkinXP::DrawBar(CDC* pScreenDC, CToolBar* pBar)
{
    CRect rectClient;
    pBar->GetClientRect(rectClient);
    if (rectClient.IsRectEmpty())
        return;
    CDC dcMem;
    dcMem.CreateCompatibleDC(pScreenDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pScreenDC, rectClient.Width(), rectClient.Height());
    CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
    CFont* pOldFont = dcMem.SelectObject(pBar->GetFont());

    DrawBackground(&dcMem, pBar);
    // The bar's own separator drawing, when the bar draws through this skin.
    COXCoolToolBar* pCool = CoolBar(pBar);
    if (pCool != NULL && pCool->GetToolbarSkin() != this)
        pCool = NULL;
    auto drawSeparator = [&](CRect rect) {
        if (pCool != NULL)
            pCool->DrawSeparator(&dcMem, rect);
        else
            DrawSeparator(&dcMem, rect, pBar);
    };
    std::vector<TBBUTTON> buttons;
    std::vector<RECT> rects;
    ReadButtons(pBar, buttons, rects);
    const int nCount = (int)buttons.size();
    for (int i = 0; i < nCount; ++i) {
        const TBBUTTON& button = buttons[i];
        const CRect rect(rects[i]);
        if (button.fsState & TBSTATE_HIDDEN)
            continue;
        if (!(button.fsStyle & TBSTYLE_SEP)) {
            DrawButton(&dcMem, button, rect, pBar, TRUE);
        } else if (button.fsState & TBSTATE_WRAP) {
            // The line between two rows lies in the space between them,
            // and only there, whatever a bar's own separator drawing does.
            const CRect rectGap = RowGapBelow(buttons.data(), rects.data(), nCount, i, rectClient.right);
            if (rectGap.IsRectEmpty())
                continue;
            const int nSaved = dcMem.SaveDC();
            dcMem.IntersectClipRect(rectGap);
            drawSeparator(rectGap);
            dcMem.RestoreDC(nSaved);
        } else if (rect.Height() > rect.Width()) {
            drawSeparator(rect);
        }
    }

    // The button selected while the bar is customized.
    COXCoolToolBar* pSelecting = CoolBar(pBar);
    if (pSelecting != NULL && pSelecting->IsInCustomizationMode() && pSelecting->GetCustomizedButton() >= 0 &&
        pSelecting->GetCustomizedButton() < nCount) {
        CRect rect;
        pBar->SendMessage(TB_GETITEMRECT, pSelecting->GetCustomizedButton(), (LPARAM)&rect);
        DrawSelectionFrame(&dcMem, rect, Sys(COLOR_BTNTEXT));
    }

    TBINSERTMARK mark = {-1, 0};
    pBar->SendMessage(TB_GETINSERTMARK, 0, (LPARAM)&mark);
    if (mark.iButton >= 0 && mark.iButton < nCount) {
        CRect rect;
        pBar->SendMessage(TB_GETITEMRECT, mark.iButton, (LPARAM)&rect);
        int x = (mark.dwFlags & TBIMHT_AFTER) ? rect.right - 3 : rect.left;
        dcMem.FillSolidRect(x, rect.top, 3, rect.Height(), Sys(COLOR_BTNTEXT));
    }

    pScreenDC->BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOldFont);
    dcMem.SelectObject(pOldBitmap);
}

void COXToolbarSkinXP::DrawBackground(CDC* pDC, CWnd* pBar)
{
    CRect rect;
    pBar->GetClientRect(rect);
    pDC->FillSolidRect(rect, MenuBar(pBar) != NULL ? Sys(COLOR_BTNFACE) : m_pSkin->GetToolbarBackgroundColor());
}

void COXToolbarSkinXP::FillButtonBackground(CDC* pDC, const RECT& rect)
{
    pDC->FillSolidRect(&rect, m_pSkin->GetToolbarBackgroundColor());
}

COXToolbarSkinXP::ButtonCase COXToolbarSkinXP::ButtonCaseFor(BYTE fsState, BOOL bHot, BOOL bDropped)
{
    const BOOL bPressed = (fsState & TBSTATE_PRESSED) != 0, bChecked = (fsState & TBSTATE_CHECKED) != 0;
    if (bDropped)
        return caseDropped;
    if (bPressed && bHot)
        return casePressedHot;
    if (bChecked && bHot)
        return caseCheckedHot;
    if (bChecked)
        return caseChecked;
    if (bHot)
        return caseHot;
    if (bPressed)
        return casePressed;
    if (!(fsState & TBSTATE_ENABLED))
        return caseDisabled;
    return caseNormal;
}

void COXToolbarSkinXP::FillStateBackground(CDC* pDC, const RECT& rect, ButtonCase nCase)
{
    switch (nCase) {
    case casePressedHot:
    case caseCheckedHot: pDC->FillSolidRect(&rect, m_pSkin->GetPressedItemColor()); break;
    case caseChecked: pDC->FillSolidRect(&rect, m_pSkin->GetCheckedItemColor()); break;
    case caseHot: pDC->FillSolidRect(&rect, m_pSkin->GetHotItemColor()); break;
    default: break;
    }
}

CRect COXToolbarSkinXP::TextRect(const RECT& rectButton, BOOL bList, int cxImage, int cyImage, int nImage, int cxText)
{
    CRect rect(rectButton);
    if (nImage < 0)
        cxImage = cyImage = 0;
    if (bList) {
        rect.left += 3 + (cxImage > 0 ? cxImage + 6 : 0);
        rect.right -= 3;
    } else {
        rect.top += cyImage + 1;
        rect.DeflateRect(3, 3);
    }
    // The control made its button as wide as the text, with margins of its
    // own: the skin's margins give way, down to a pixel from the edge (and
    // the image), so that the text is drawn whole where it was measured.
    if (cxText > rect.Width()) {
        const LONG nLeftmost = rectButton.left + (bList && cxImage > 0 ? 3 + cxImage + 1 : 1);
        const LONG nRightmost = rectButton.right - 1;
        if (bList) {
            rect.right = std::min(nRightmost, rect.left + cxText);
            rect.left = std::max(nLeftmost, rect.right - cxText);
        } else {
            rect.left = std::max(nLeftmost, rect.left - (cxText - rect.Width() + 1) / 2);
            rect.right = std::min(nRightmost, rect.left + cxText);
            rect.left = std::max(nLeftmost, rect.right - cxText);
        }
    }
    return rect;
}

CRect COXToolbarSkinXP::ButtonTextRect(CDC* pDC, const TBBUTTON& button, const RECT& rectButton, CToolBar* pBar,
                                       const CString& strText)
{
    const BOOL bArrows = (pBar->SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS) != 0;
    CRect rect(rectButton);
    if ((button.fsStyle & TBSTYLE_DROPDOWN) && bArrows)
        rect.right -= ArrowPartWidth(pDC, pBar, button, rectButton);
    int cxImage = 0, cyImage = 0;
    HIMAGELIST hImages = (HIMAGELIST)pBar->SendMessage(TB_GETIMAGELIST);
    if (hImages != NULL)
        ImageList_GetIconSize(hImages, &cxImage, &cyImage);
    CFont* pOldFont = pDC->SelectObject(pBar->GetFont());
    const int cxText = pDC->GetTextExtent(strText).cx;
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
    return TextRect(rect, (pBar->GetStyle() & TBSTYLE_LIST) != 0, cxImage, cyImage, button.iBitmap, cxText);
}

void COXToolbarSkinXP::DrawButton(CDC* pDC, const TBBUTTON& button, const RECT& rectIn, CToolBar* pBar,
                                  BOOL bDrawBackground)
{
    COXCoolToolBar* pCool = CoolBar(pBar);
    const int nIndex = (int)pBar->SendMessage(TB_COMMANDTOINDEX, button.idCommand);
    const BOOL bHot = nIndex >= 0 && (int)pBar->SendMessage(TB_GETHOTITEM) == nIndex;
    const DWORD dwExStyle = (DWORD)pBar->SendMessage(TB_GETEXTENDEDSTYLE);
    const BOOL bArrows = (dwExStyle & TBSTYLE_EX_DRAWDDARROWS) != 0;
    const BOOL bDropDown = (button.fsStyle & TBSTYLE_DROPDOWN) != 0;
    BOOL bDropped = pCool != NULL && pCool->GetDroppedButton() == button.idCommand && button.idCommand != 0;
    if (bDropped)
        pCool->SetDroppedButton(-1);
    const ButtonCase nCase = ButtonCaseFor(button.fsState, bHot, bDropped);

    CRect rect(rectIn);
    const int cxArrowPart = bDropDown && bArrows ? ArrowPartWidth(pDC, pBar, button, rect) : 0;
    CRect rectArrow(rect.right - cxArrowPart, rect.top, rect.right, rect.bottom);

    if (bDrawBackground && nCase != caseDisabled && nCase != caseNormal) {
        CRect rectFill(rect);
        rectFill.DeflateRect(1, 1);
        if (nCase == caseDropped) {
            FillButtonBackground(pDC, rectFill);
        } else if (nCase == casePressed) {
            CRect rectShort(rect);
            rectShort.DeflateRect(0, 1);
            FillButtonBackground(pDC, rectShort);
        } else {
            FillStateBackground(pDC, rectFill, nCase);
        }
        CRect rectFrame(rect);
        if (bDropDown && button.iBitmap == -1 && !bArrows)
            rectFrame.DeflateRect(0, 1);
        CBrush brush(m_pSkin->GetHotItemBorderColor());
        pDC->FrameRect(rectFrame, &brush);
        if (bDropDown && bArrows)
            pDC->FrameRect(rectArrow, &brush);
    }

    COXMenuBar* pMenuBar = MenuBar(pBar);
    CString strText = pMenuBar != NULL && bDropDown ? pMenuBar->GetMenuText(nIndex) : pBar->GetButtonText(nIndex);
    CRect rectImage(rect);
    if (cxArrowPart > 0)
        rectImage.right = rectArrow.left;
    COLORREF clrText;
    switch (nCase) {
    case casePressedHot:
    case caseCheckedHot: clrText = Sys(COLOR_HIGHLIGHTTEXT); break;
    case caseDisabled: clrText = DisabledTextColor(); break;
    default: clrText = Sys(COLOR_BTNTEXT); break;
    }

    if (cxArrowPart > 0) {
        CFont font;
        CreateArrowFont(font, pDC);
        CFont* pOld = pDC->SelectObject(&font);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(nCase == caseDisabled ? clrText : Sys(COLOR_BTNTEXT));
        pDC->DrawText("6", 1, rectArrow, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SelectObject(pOld);
    }
    DrawButtonImage(pDC, button, rectImage, pBar, nCase, !strText.IsEmpty());

    if (strText.IsEmpty())
        return;
    const BOOL bList = (pBar->GetStyle() & TBSTYLE_LIST) != 0;
    CRect rectText = ButtonTextRect(pDC, button, rect, pBar, strText);
    UINT nFormat = DT_WORDBREAK | DT_END_ELLIPSIS;
    // The layer's tool bar control has no wrapper for the text rows.
    if (pBar->SendMessage(TB_GETTEXTROWS) == 1)
        nFormat |= DT_SINGLELINE;
    nFormat |= bList ? DT_VCENTER : DT_CENTER;
    CFont* pOldFont = pDC->SelectObject(pBar->GetFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    pDC->DrawText(strText, rectText, nFormat);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
}

void COXToolbarSkinXP::DrawButtonImage(CDC* pDC, const TBBUTTON& button, CRect& rectArea, CToolBar* pBar,
                                       ButtonCase nCase, BOOL bHasText)
{
    if (button.iBitmap < 0 || MenuBar(pBar) != NULL)
        return;
    HIMAGELIST hImages = (HIMAGELIST)pBar->SendMessage(TB_GETIMAGELIST);
    if (hImages == NULL)
        return;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(hImages, &cx, &cy);
    CPoint pt;
    if (!bHasText)
        pt = CPoint(rectArea.left + (rectArea.Width() - cx) / 2, rectArea.top + (rectArea.Height() - cy) / 2);
    else if (pBar->GetStyle() & TBSTYLE_LIST)
        pt = CPoint(rectArea.left + 3, rectArea.top + (rectArea.Height() - cy) / 2);
    else
        pt = CPoint(rectArea.left + (rectArea.Width() - cx) / 2, rectArea.top + 3);

    const BOOL bHotImage = nCase == caseDropped || nCase == casePressedHot || nCase == caseCheckedHot ||
                           nCase == caseHot || nCase == casePressed;
    const BOOL bRaised = RaisedImages() && (nCase == caseDropped || nCase == caseHot || nCase == casePressed);
    if (nCase == caseDisabled) {
        HIMAGELIST hDisabled = (HIMAGELIST)pBar->SendMessage(TB_GETDISABLEDIMAGELIST);
        if (hDisabled != NULL) {
            ImageList_Draw(hDisabled, button.iBitmap, pDC->m_hDC, pt.x, pt.y, ILD_TRANSPARENT);
        } else {
            // A one-colour silhouette of the image.
            HICON hIcon = ImageList_GetIcon(hImages, button.iBitmap, ILD_NORMAL);
            if (hIcon != NULL) {
                CBrush brush(DisabledTextColor());
                pDC->DrawState(pt, CSize(cx, cy), hIcon, DSS_MONO, (HBRUSH)brush.GetSafeHandle());
                ::DestroyIcon(hIcon);
            }
        }
        return;
    }
    if (bHotImage) {
        HIMAGELIST hHot = (HIMAGELIST)pBar->SendMessage(TB_GETHOTIMAGELIST);
        if (hHot != NULL)
            hImages = hHot;
    }
    if (bRaised) {
        // The image's shadow: its silhouette in the shadow colour one
        // pixel right and down (the mask drawn with a raster operation comes
        // out inverted on some systems; the silhouette is the same shape).
        HICON hIcon = ImageList_GetIcon(hImages, button.iBitmap, ILD_NORMAL);
        if (hIcon != NULL) {
            CBrush brush(Sys(COLOR_BTNSHADOW));
            pDC->DrawState(CPoint(pt.x + 1, pt.y + 1), CSize(cx, cy), hIcon, DSS_MONO, (HBRUSH)brush.GetSafeHandle());
            ::DestroyIcon(hIcon);
        }
        pt.Offset(-1, -1);
    }
    ImageList_Draw(hImages, button.iBitmap, pDC->m_hDC, pt.x, pt.y, ILD_TRANSPARENT);
}

void COXToolbarSkinXP::ComboParts(const RECT& r, BOOL bDropList, CRect& rectEdit, CRect& rectButton)
{
    const int h = r.bottom - r.top;
    rectEdit.SetRect(r.left + 3, r.top + 3, r.right - h + 2, r.bottom - 3);
    rectEdit.InflateRect(1, 1);
    if (bDropList)
        rectEdit.right += 3;
    rectButton.SetRect(rectEdit.right, r.top + 2, r.right - 3, r.bottom - 2);
}

void COXToolbarSkinXP::FillHostedBackground(CDC* pDC, const RECT& rect, CWnd*)
{
    pDC->FillSolidRect(&rect, m_pSkin->GetToolbarBackgroundColor());
}

void COXToolbarSkinXP::FillComboHighlight(CDC* pDC, const RECT& rect, BOOL bDropped)
{
    pDC->FillSolidRect(&rect, bDropped ? m_pSkin->GetPressedItemColor() : m_pSkin->GetHotItemColor());
}

void COXToolbarSkinXP::OnPaintComboBox(CWnd* pCombo)
{
    pCombo->Default();
    DrawComboBox(pCombo);
}

void COXToolbarSkinXP::DrawComboBox(CWnd* pCombo)
{
    CClientDC dc(pCombo);
    CRect r;
    pCombo->GetClientRect(r);
    const BOOL bDropList = (pCombo->GetStyle() & 3) == CBS_DROPDOWNLIST;
    CRect rectEdit, rectButton;
    ComboParts(r, bDropList, rectEdit, rectButton);
    // The edit part is the box's own drawing.
    CRect rectExclude(r.left + 3, r.top + 3, r.right - r.Height() + 2, r.bottom - 3);
    dc.ExcludeClipRect(rectExclude);

    FillHostedBackground(&dc, r, pCombo);
    const COLORREF clrWindow = Sys(COLOR_WINDOW);
    dc.FillSolidRect(rectEdit.left - 1, rectEdit.top - 1, rectEdit.Width() + 1, rectEdit.Height() + 1, clrWindow);
    CBrush brushWindow(clrWindow);
    CRect rectButtonFrame(rectButton.left - 1, rectButton.top - 1, rectButton.right, rectButton.bottom);
    dc.FrameRect(rectButtonFrame, &brushWindow);

    const BOOL bDropped = pCombo->SendMessage(CB_GETDROPPEDSTATE) != 0;
    const BOOL bHot = !bDropped && (PointerInside(pCombo) || HasFocusWithin(pCombo));
    COLORREF clrArrow = bDropped ? Sys(COLOR_HIGHLIGHTTEXT) : Sys(COLOR_BTNTEXT);
    if (bDropped || bHot) {
        rectEdit.InflateRect(1, 1);
        rectEdit.right -= 1;
        rectButton.InflateRect(0, 1, 1, 1);
        CBrush brushBorder(m_pSkin->GetHotItemBorderColor());
        CRect rectInside(rectButton);
        rectInside.DeflateRect(1, 1);
        FillComboHighlight(&dc, rectInside, bDropped);
        dc.FrameRect(rectButton, &brushBorder);
        dc.FrameRect(rectEdit, &brushBorder);
    }
    const int cx = (rectButton.left + rectButton.right) / 2, cy = (rectButton.top + rectButton.bottom) / 2;
    dc.FillSolidRect(cx - 2, cy - 1, 5, 1, clrArrow);
    dc.FillSolidRect(cx - 1, cy, 3, 1, clrArrow);
    dc.SetPixelV(cx, cy + 1, clrArrow);
}

void COXToolbarSkinXP::DrawEditBorder(CWnd* pWnd)
{
    CWindowDC dc(pWnd);
    CRect rectWindow;
    pWnd->GetWindowRect(rectWindow);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(ClientInWindow(pWnd));
    FillHostedBackground(&dc, rectWindow, pWnd);
    CRect rectInner(rectWindow);
    rectInner.DeflateRect(1, 1);
    dc.FillSolidRect(rectInner, Sys(COLOR_WINDOW));
    if (PointerInside(pWnd) || ::GetFocus() == pWnd->m_hWnd) {
        CBrush brush(m_pSkin->GetHotItemBorderColor());
        dc.FrameRect(rectWindow, &brush);
    }
}

void COXToolbarSkinXP::DrawMDIButtons(CDC* pDC, COXMenuBar* pMenuBar)
{
    if (MDIButtonsChild(pMenuBar) == NULL)
        return;
    const struct { CRect rect; UINT nState; } buttons[] = {
        {pMenuBar->GetCloseButtonRect(), DFCS_CAPTIONCLOSE},
        {pMenuBar->GetRestoreButtonRect(), DFCS_CAPTIONRESTORE},
        {pMenuBar->GetMinimizeButtonRect(), DFCS_CAPTIONMIN},
    };
    for (const auto& button : buttons)
        if (!button.rect.IsRectEmpty())
            m_pSkin->DrawFrameButton(pDC, button.rect, button.nState, FALSE, FALSE, Sys(COLOR_BTNFACE), pMenuBar);
}

// ---------------------------------------------------------------------------
// COXToolbarSkin2003
// ---------------------------------------------------------------------------
COXToolbarSkin2003::COXToolbarSkin2003(COXSkin2003* pSkin) : COXToolbarSkinXP(pSkin) {}

COXSkin2003* COXToolbarSkin2003::Skin2003() const
{
    return static_cast<COXSkin2003*>(m_pSkin);
}

COLORREF COXToolbarSkin2003::DisabledTextColor() const
{
    return m_pSkin->GetDisabledTextColor();
}

void COXToolbarSkin2003::DrawGripper(CDC* pDC, const RECT& rectIn, CControlBar* pBar)
{
    CRect rect;
    if (!GripperPlace(gripper2003, rectIn, pBar, rect))
        return;
    const BOOL bHorz = IsHorizontal(pBar->m_dwStyle);
    CPen penDark(PS_SOLID, 1, m_pSkin->GetGripperColor());
    CPen penLight(PS_SOLID, 1, Sys(COLOR_WINDOW));
    CPen* pOld = pDC->SelectObject(&penDark);
    if (bHorz) {
        for (int y = rect.top; y <= rect.bottom; y += 4) {
            pDC->SelectObject(&penDark);
            Line(pDC, rect.left, y, rect.right, y);
            Line(pDC, rect.left, y + 1, rect.right, y + 1);
            pDC->SelectObject(&penLight);
            Line(pDC, rect.left + 1, y + 2, rect.right + 1, y + 1);
            Line(pDC, rect.left + 1, y + 2, rect.right + 1, y + 2);
        }
    } else {
        for (int x = rect.left; x <= rect.right; x += 4) {
            pDC->SelectObject(&penDark);
            Line(pDC, x, rect.top, x, rect.bottom);
            Line(pDC, x + 1, rect.top, x + 1, rect.bottom);
            pDC->SelectObject(&penLight);
            Line(pDC, x + 2, rect.top + 1, x + 1, rect.bottom + 1);
            Line(pDC, x + 2, rect.top + 1, x + 2, rect.bottom + 1);
        }
    }
    pDC->SelectObject(pOld);
}

void COXToolbarSkin2003::PaintDockArea(CDC* pDC, const CRect& rectArea, int cxFrame)
{
    const int w = std::max(::GetSystemMetrics(SM_CXSCREEN), cxFrame);
    CRect rectLeft(rectArea.left, rectArea.top, rectArea.left + w / 2, rectArea.bottom);
    Skin2003()->GradientFill(pDC, rectLeft, Skin2003()->GetDockGradientStartColor(),
                             Skin2003()->GetDockGradientEndColor(), FALSE);
    CRect rectRight(rectLeft.right, rectArea.top, rectArea.left + w, rectArea.bottom);
    pDC->FillSolidRect(rectRight, Skin2003()->GetDockGradientEndColor());
}

void COXToolbarSkin2003::DrawNonClientArea(CDC* pDC, const RECT& rectWindow, CWnd* pBar)
{
    int nSaved = pDC->SaveDC();
    pDC->ExcludeClipRect(ClientInWindow(pBar));
    CControlBar* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar);
    CFrameWnd* pFrame = pBar->GetParentFrame();
    if (pControlBar != NULL && pControlBar->m_pDockBar != NULL && !pControlBar->IsFloating() && pFrame != NULL) {
        CRect rectFrame, rectBar;
        pFrame->GetWindowRect(rectFrame);
        pBar->GetWindowRect(rectBar);
        CRect rectArea(rectFrame.left - rectBar.left, 0, rectFrame.left - rectBar.left + rectFrame.Width(),
                       rectBar.Height());
        PaintDockArea(pDC, rectArea, rectFrame.Width());
    } else {
        pDC->FillSolidRect(&rectWindow, m_pSkin->GetDockbarBackgroundColor());
    }
    if (MenuBar(pBar) != NULL) {
        pDC->RestoreDC(nSaved);
        return;
    }
    CRect rect(rectWindow);
    rect.DeflateRect(2, 2);
    if (!rect.IsRectEmpty()) {
        // The gradient keeps the rounded corners the dock area shows.
        COLORREF corners[4] = {pDC->GetPixel(rect.left, rect.top), pDC->GetPixel(rect.right - 1, rect.top),
                               pDC->GetPixel(rect.left, rect.bottom - 1),
                               pDC->GetPixel(rect.right - 1, rect.bottom - 1)};
        Skin2003()->GradientFill(pDC, rect, Skin2003()->GetBarGradientStartColor(),
                                 Skin2003()->GetBarGradientEndColor(), IsHorizontal(BarStyle(pBar)));
        pDC->SetPixelV(rect.left, rect.top, corners[0]);
        pDC->SetPixelV(rect.right - 1, rect.top, corners[1]);
        pDC->SetPixelV(rect.left, rect.bottom - 1, corners[2]);
        pDC->SetPixelV(rect.right - 1, rect.bottom - 1, corners[3]);
    }
    pDC->RestoreDC(nSaved);
}

void COXToolbarSkin2003::DrawSeparator(CDC* pDC, const RECT& rect, CToolBar*)
{
    DrawSeparatorLine(pDC, rect, 4, TRUE);
}

void COXToolbarSkin2003::DrawBackground(CDC* pDC, CWnd* pBar)
{
    CRect rectWindow;
    pBar->GetWindowRect(rectWindow);
    CFrameWnd* pFrame = pBar->GetParentFrame();
    if (MenuBar(pBar) != NULL && pFrame != NULL) {
        // The menu bar shows the dock area through it; the area starts at
        // the frame's left edge, 2 pixels further left in client
        // coordinates.
        CRect rectFrame, rectClient;
        pFrame->GetWindowRect(rectFrame);
        pBar->GetClientRect(rectClient);
        CPoint ptOrigin(0, 0);
        pBar->ClientToScreen(&ptOrigin);
        const int xArea = rectFrame.left - ptOrigin.x - 2;
        PaintDockArea(pDC, CRect(xArea, rectClient.top, xArea + rectFrame.Width(), rectClient.bottom),
                      rectFrame.Width());
        return;
    }
    pBar->ScreenToClient(rectWindow);
    Skin2003()->GradientFill(pDC, rectWindow, Skin2003()->GetBarGradientStartColor(),
                             Skin2003()->GetBarGradientEndColor(), IsHorizontal(BarStyle(pBar)));
}

void COXToolbarSkin2003::FillStateBackground(CDC* pDC, const RECT& rect, ButtonCase nCase)
{
    COXSkin2003* pSkin = Skin2003();
    switch (nCase) {
    case casePressedHot:
    case caseCheckedHot:
        pSkin->GradientFill(pDC, rect, pSkin->GetPressedGradientStartColor(), pSkin->GetPressedGradientEndColor(),
                            TRUE);
        break;
    case caseChecked:
        pSkin->GradientFill(pDC, rect, pSkin->GetCheckedGradientStartColor(), pSkin->GetCheckedGradientEndColor(),
                            TRUE);
        break;
    case caseHot:
        pSkin->GradientFill(pDC, rect, pSkin->GetHotGradientStartColor(), pSkin->GetHotGradientEndColor(), TRUE);
        break;
    default: break;
    }
}

void COXToolbarSkin2003::FillHostedBackground(CDC* pDC, const RECT& rect, CWnd* pWnd)
{
    // The bar's gradient, lined up with the bar the box sits on.
    CWnd* pParent = pWnd->GetParent();
    CRect rectParent(rect);
    if (pParent != NULL) {
        pParent->GetWindowRect(rectParent);
        CRect rectWnd;
        pWnd->GetWindowRect(rectWnd);
        rectParent.OffsetRect(-rectWnd.left, -rectWnd.top);
        rectParent.left = rect.left;
        rectParent.right = rect.right;
    }
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rect);
    Skin2003()->GradientFill(pDC, rectParent, Skin2003()->GetBarGradientStartColor(),
                             Skin2003()->GetBarGradientEndColor(), TRUE);
    pDC->RestoreDC(nSaved);
}

void COXToolbarSkin2003::FillComboHighlight(CDC* pDC, const RECT& rect, BOOL bDropped)
{
    COXSkin2003* pSkin = Skin2003();
    if (bDropped)
        pSkin->GradientFill(pDC, rect, pSkin->GetPressedGradientStartColor(), pSkin->GetPressedGradientEndColor(),
                            TRUE);
    else
        pSkin->GradientFill(pDC, rect, pSkin->GetHotGradientStartColor(), pSkin->GetHotGradientEndColor(), TRUE);
}
