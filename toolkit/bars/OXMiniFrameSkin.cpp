#include "OXMiniFrameSkin.h"

#include "OXFrameWndDock.h"
#include "OXMDIChildWndSizeDock.h"
#include "OXSizableMiniDockFrameWnd.h"
#include "OXSkins.h"

namespace {

COXSizableMiniDockFrameWnd* AsSizableFrame(CMiniFrameWnd* pFrame)
{
    return DYNAMIC_DOWNCAST(COXSizableMiniDockFrameWnd, pFrame);
}

// The MDI child the main frame takes as active: a docked one first.
CWnd* ActiveMDIChild()
{
    CWnd* pMain = AfxGetMainWnd();
    if (COXMDIFrameWndSizeDock* pDockFrame = DYNAMIC_DOWNCAST(COXMDIFrameWndSizeDock, pMain))
        return pDockFrame->GetActiveMDIChild();
    if (CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pMain))
        return pMDIFrame->MDIGetActive();
    return NULL;
}

} // namespace

// ---------------------------------------------------------------------------
// COXMiniFrameSkinClassic
// ---------------------------------------------------------------------------
void COXMiniFrameSkinClassic::OnNcPaint(CMiniFrameWnd* pFrame)
{
    const MSG* pMsg = CWnd::GetCurrentMessage();
    WPARAM wRegion = pMsg != NULL && pMsg->hwnd == pFrame->m_hWnd && pMsg->message == WM_NCPAINT ? pMsg->wParam : 1;
    pFrame->DefWindowProc(WM_NCPAINT, wRegion, 0);
}

BOOL COXMiniFrameSkinClassic::OnNcActivate(BOOL bActive, CMiniFrameWnd* pFrame)
{
    COXSizableMiniDockFrameWnd* pSizable = AsSizableFrame(pFrame);
    if (pSizable == NULL)
        return (BOOL)pFrame->DefWindowProc(WM_NCACTIVATE, bActive, 0);
    CFrameWnd* pChild = pSizable->IsViewBarFrame() ? pSizable->GetViewBarChild() : NULL;
    if (pChild == NULL || !::IsWindow(pChild->m_hWnd))
        return pSizable->DefaultNcActivate(bActive);
    // a view bar's frame shows active only with its child
    if (bActive && ActiveMDIChild() != pChild)
        return FALSE;
    return (BOOL)pFrame->DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

// ---------------------------------------------------------------------------
// COXMiniFrameSkinXP
// ---------------------------------------------------------------------------
COXMiniFrameSkinXP::COXMiniFrameSkinXP(COXSkinXP* pSkin) : m_pSkin(pSkin)
{
    LOGFONTA lf;
    ZeroMemory(&lf, sizeof(lf));
    HDC hDC = ::GetDC(NULL);
    lf.lfHeight = -::MulDiv(85, ::GetDeviceCaps(hDC, LOGPIXELSY), 720);
    ::ReleaseDC(NULL, hDC);
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    m_fontCaption.CreateFontIndirect(&lf);
}

CRect COXMiniFrameSkinXP::CaptionRect(CSize sizeWindow, CPoint ptClient)
{
    return CRect(3, 3, sizeWindow.cx - 3, ptClient.y - 2);
}

CRect COXMiniFrameSkinXP::CloseButtonRect(const CRect& rectCaption)
{
    return CRect(rectCaption.right - rectCaption.Height(), rectCaption.top, rectCaption.right, rectCaption.bottom);
}

BOOL COXMiniFrameSkinXP::CloseButtonHot(const CRect& rectButton, CPoint pt)
{
    CRect rect(rectButton.left, rectButton.top, rectButton.right - 1, rectButton.bottom - 1);
    return rect.PtInRect(pt);
}

void COXMiniFrameSkinXP::FrameGeometry(CWnd* pFrame, CSize& sizeWindow, CPoint& ptClient)
{
    CRect rectWindow;
    pFrame->GetWindowRect(&rectWindow);
    sizeWindow = rectWindow.Size();
    ptClient = CPoint(0, 0);
    pFrame->ClientToScreen(&ptClient);
    ptClient -= rectWindow.TopLeft();
}

BOOL COXMiniFrameSkinXP::HasSystemMenuItems(CWnd* pFrame)
{
    CMenu* pMenu = pFrame->GetSystemMenu(FALSE);
    return pMenu != NULL && pMenu->GetMenuItemCount() > 0;
}

COXMiniFrameSkinXP::ButtonState COXMiniFrameSkinXP::CurrentButtonState(CWnd* pFrame, const CRect& rectButton)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rectWindow;
    pFrame->GetWindowRect(&rectWindow);
    pt -= rectWindow.TopLeft();
    if (!CloseButtonHot(rectButton, pt))
        return buttonPlain;
    const int nButton = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (::GetAsyncKeyState(nButton) & 0x8000) ? buttonPressed : buttonHot;
}

void COXMiniFrameSkinXP::DrawCloseButton(CDC* pDC, const CRect& rectButton, ButtonState nState)
{
    if (rectButton.IsRectEmpty())
        return;
    const CSize size = rectButton.Size();
    COLORREF clrGlyph = m_pSkin->GetMiniFrameCaptionTextColor();
    if (nState == buttonPressed)
        clrGlyph = m_pSkin->SysColor(COLOR_HIGHLIGHTTEXT);
    else if (nState == buttonHot)
        clrGlyph = m_pSkin->SysColor(COLOR_BTNTEXT);

    // drawn aside and copied at once, so the button never flickers
    CDC dcMem;
    dcMem.CreateCompatibleDC(pDC);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(pDC, size.cx, size.cy);
    CBitmap* pOldBitmap = dcMem.SelectObject(&bmp);
    if (nState == buttonPlain) {
        dcMem.FillSolidRect(0, 0, size.cx, size.cy, m_pSkin->GetMiniFrameCaptionColor());
    } else {
        CPen pen(PS_SOLID, 1, m_pSkin->GetHotItemBorderColor());
        CBrush brush(nState == buttonPressed ? m_pSkin->GetPressedItemColor() : m_pSkin->GetHotItemColor());
        CPen* pOldPen = dcMem.SelectObject(&pen);
        CBrush* pOldBrush = dcMem.SelectObject(&brush);
        dcMem.Rectangle(0, 0, size.cx, size.cy);
        dcMem.SelectObject(pOldBrush);
        dcMem.SelectObject(pOldPen);
    }
    // an X two pixels thick: each stroke reaches one pixel past its corner
    // because a line leaves out its last point
    const CRect rectGlyph(4, 4, size.cx - 5, size.cy - 5);
    CPen penGlyph(PS_SOLID, 1, clrGlyph);
    CPen* pOldPen = dcMem.SelectObject(&penGlyph);
    for (int dx = 0; dx < 2; ++dx) {
        dcMem.MoveTo(rectGlyph.left + dx, rectGlyph.top);
        dcMem.LineTo(rectGlyph.right + dx + 1, rectGlyph.bottom + 1);
        dcMem.MoveTo(rectGlyph.right + dx, rectGlyph.top);
        dcMem.LineTo(rectGlyph.left + dx - 1, rectGlyph.bottom + 1);
    }
    dcMem.SelectObject(pOldPen);
    pDC->BitBlt(rectButton.left, rectButton.top, size.cx, size.cy, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOldBitmap);
}

void COXMiniFrameSkinXP::DrawCaptionBand(CDC* pDC, const CRect& rectCaption, LPCTSTR lpszText)
{
    if (rectCaption.IsRectEmpty())
        return;
    pDC->FillSolidRect(&rectCaption, m_pSkin->GetMiniFrameCaptionColor());
    CRect rectText = rectCaption;
    rectText.DeflateRect(3, 0);
    CFont* pOldFont = pDC->SelectObject(&m_fontCaption);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(m_pSkin->GetMiniFrameCaptionTextColor());
    pDC->DrawText(lpszText, -1, &rectText, DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void COXMiniFrameSkinXP::PaintNonClient(CDC* pDC, CSize sizeWindow, CPoint ptClient, LPCTSTR lpszText,
                                        BOOL bNoButton, ButtonState nState)
{
    const COLORREF clrBorder = m_pSkin->GetMiniFrameBorderColor();
    CRect rect(CPoint(0, 0), sizeWindow);
    pDC->FillSolidRect(&rect, clrBorder);
    rect.DeflateRect(2, 2);
    pDC->FillSolidRect(&rect, m_pSkin->GetMiniFrameBackgroundColor());
    if (!rect.IsRectEmpty()) {
        // the inner corners are rounded off by a pixel of the border
        pDC->SetPixel(rect.left, rect.top, clrBorder);
        pDC->SetPixel(rect.right - 1, rect.top, clrBorder);
        pDC->SetPixel(rect.left, rect.bottom - 1, clrBorder);
        pDC->SetPixel(rect.right - 1, rect.bottom - 1, clrBorder);
    }
    const CRect rectCaption = CaptionRect(sizeWindow, ptClient);
    DrawCaptionBand(pDC, rectCaption, lpszText);
    if (!bNoButton)
        DrawCloseButton(pDC, CloseButtonRect(rectCaption), nState);
}

void COXMiniFrameSkinXP::OnNcPaint(CMiniFrameWnd* pFrame)
{
    CSize sizeWindow;
    CPoint ptClient;
    FrameGeometry(pFrame, sizeWindow, ptClient);
    CRect rectClient;
    pFrame->GetClientRect(&rectClient);
    rectClient.OffsetRect(ptClient);
    CWindowDC dc(pFrame);
    dc.ExcludeClipRect(&rectClient);
    CString strText;
    pFrame->GetWindowText(strText);
    const CRect rectCaption = CaptionRect(sizeWindow, ptClient);
    const BOOL bNoButton = !HasSystemMenuItems(pFrame);
    PaintNonClient(&dc, sizeWindow, ptClient, strText, bNoButton,
                   bNoButton ? buttonPlain : CurrentButtonState(pFrame, CloseButtonRect(rectCaption)));
}

void COXMiniFrameSkinXP::DrawCaption(CMiniFrameWnd* pFrame)
{
    CSize sizeWindow;
    CPoint ptClient;
    FrameGeometry(pFrame, sizeWindow, ptClient);
    CWindowDC dc(pFrame);
    CString strText;
    pFrame->GetWindowText(strText);
    DrawCaptionBand(&dc, CaptionRect(sizeWindow, ptClient), strText);
    DrawCaptionButtons(pFrame);
}

BOOL COXMiniFrameSkinXP::DrawCaptionButtons(CMiniFrameWnd* pFrame)
{
    if (!HasSystemMenuItems(pFrame))
        return TRUE;
    CSize sizeWindow;
    CPoint ptClient;
    FrameGeometry(pFrame, sizeWindow, ptClient);
    const CRect rectButton = CloseButtonRect(CaptionRect(sizeWindow, ptClient));
    CWindowDC dc(pFrame);
    DrawCloseButton(&dc, rectButton, CurrentButtonState(pFrame, rectButton));
    return TRUE;
}
