#include "OXDockbarSkin.h"

#include <algorithm>

#include "OXSizeControlBar.h"
#include "OXSkins.h"

namespace {

// Splitters are cut at this depth: a dock bar reports bands far longer than
// any screen, and drawing them whole only costs.
const int kSplitterBottomLimit = 8000;

CString CaptionText(COXSizeControlBar* pBar)
{
    CString strText;
    if ((pBar->m_dwSizeBarStyle & SZBAR_NOCAPTIONTEXT) == 0 && ::IsWindow(pBar->GetSafeHwnd()))
        pBar->GetWindowText(strText);
    return strText;
}

// The longest start of the text that, with an ellipsis, fits in cxMax.
CString FitText(CDC* pDC, const CString& strText, int cxMax)
{
    if (pDC->GetTextExtent(strText).cx <= cxMax)
        return strText;
    for (int n = strText.GetLength() - 1; n > 0; --n) {
        CString strShort = strText.Left(n) + "...";
        if (pDC->GetTextExtent(strShort).cx <= cxMax)
            return strShort;
    }
    return "...";
}

// Draws the text along a caption band from nInset pixels after its start
// (the left edge of a horizontal band; the bottom of a vertical one, read
// upward in the font turned by 90 degrees), centred across the band with an
// odd pixel left to the far side, and cut with an ellipsis at the band's
// end. Returns how far along the band the text reaches, 0 for no text.
int DrawBandText(CDC* pDC, const CRect& rect, BOOL bUpward, const CString& strText, CFont* pFont, int nInset,
                 COLORREF clrText, BOOL bTransparent, COLORREF clrBack)
{
    const int nLength = bUpward ? rect.Height() : rect.Width();
    const int nAcross = bUpward ? rect.Width() : rect.Height();
    if (strText.IsEmpty() || nLength - nInset <= 0)
        return 0;
    CFont* pOldFont = pDC->SelectObject(pFont);
    CRect rectText(0, 0, 0, 0);
    pDC->DrawText(strText, &rectText, DT_CALCRECT | DT_SINGLELINE);
    const int cx = std::min(rectText.Width(), nLength - nInset), cy = rectText.Height();
    const int nOffset = (nAcross - cy) / 2;
    COLORREF clrOldText = pDC->SetTextColor(clrText);
    COLORREF clrOldBack = pDC->SetBkColor(clrBack);
    int nOldMode = pDC->SetBkMode(bTransparent ? TRANSPARENT : OPAQUE);
    if (!bUpward) {
        CRect rectDraw(rect.left + nInset, rect.top + nOffset, rect.left + nInset + cx, rect.top + nOffset + cy);
        pDC->DrawText(strText, &rectDraw, DT_END_ELLIPSIS | DT_SINGLELINE | DT_BOTTOM);
    } else {
        // Measured upright, drawn turned: a turned font's text runs up from
        // its reference point with the cell's top at the left.
        CString strShown = FitText(pDC, strText, cx);
        LOGFONT lf;
        pFont->GetLogFont(&lf);
        lf.lfEscapement = lf.lfOrientation = 900;
        CFont fontUp;
        fontUp.CreateFontIndirect(&lf);
        pDC->SelectObject(&fontUp);
        CRect rectClip(rect.left + nOffset, rect.bottom - nInset - cx, rect.left + nOffset + cy,
                       rect.bottom - nInset);
        pDC->ExtTextOut(rectClip.left, rectClip.bottom, ETO_CLIPPED | (bTransparent ? 0 : ETO_OPAQUE), &rectClip,
                        strShown, NULL);
        pDC->SelectObject(pFont);
    }
    pDC->SetBkMode(nOldMode);
    pDC->SetBkColor(clrOldBack);
    pDC->SetTextColor(clrOldText);
    pDC->SelectObject(pOldFont);
    return nInset + cx;
}

// The room DrawBandText gives the text in a caption band: the band less
// nInset pixels at the text's start (the bottom of an upward band).
CRect BandTextRect(const CRect& rectBand, BOOL bUpward, int nInset)
{
    CRect rect(rectBand);
    if (bUpward)
        rect.bottom = std::max(rect.top, rect.bottom - nInset);
    else
        rect.left = std::min(rect.right, rect.left + nInset);
    return rect;
}

const int kClassicTextInset = 6;
const int kFlatTextInset = 4;

// The band a Classic caption draws in: the strip, less 2 all round when it
// is not a coloured caption.
CRect ClassicCaptionBand(COXSizeControlBar* pBar)
{
    CRect rect = COXDockbarSkin::ToWindow(pBar, pBar->m_rectGripper);
    if ((pBar->m_dwSizeBarStyle & SZBAR_SOLIDCAPTION) == 0)
        rect.DeflateRect(2, 2);
    return rect;
}

// The band a flat caption draws in: the strip grown by 3; when it is not a
// coloured caption, less 4 left and right and 2 at the top and bottom.
CRect FlatCaptionBand(COXSizeControlBar* pBar)
{
    CRect rect = COXDockbarSkin::ToWindow(pBar, pBar->m_rectGripper);
    rect.InflateRect(3, 3);
    if ((pBar->m_dwSizeBarStyle & SZBAR_SOLIDCAPTION) == 0)
        rect.DeflateRect(4, 2);
    return rect;
}

// The Office 2003 grip: a row of dots across the foot of a vertical strip,
// a column down the left of a horizontal one.
CRect DotsRect2003(const CRect& rectStrip, BOOL bHorz)
{
    CRect rect(rectStrip);
    if (bHorz) {
        rect.DeflateRect(5, 5);
        rect.top = rect.bottom - 2;
    } else {
        rect.DeflateRect(3, 6);
        rect.right = rect.left + 2;
    }
    return rect;
}

bool ShowsCaption(COXSizeControlBar* pBar)
{
    return pBar->HasCaption() && !pBar->IsFloatingStyle();
}

// Where the grip goes after the text: the rest of the band, nGap pixels on.
int GripStart(int nTextReach, int nGap)
{
    return nTextReach > 0 ? nTextReach + nGap : 0;
}

void FillColumn(CDC* pDC, int x, const CRect& rect, COLORREF clr)
{
    pDC->FillSolidRect(x, rect.top, 1, rect.Height(), clr);
}

void FillRow(CDC* pDC, int y, const CRect& rect, COLORREF clr)
{
    pDC->FillSolidRect(rect.left, y, rect.Width(), 1, clr);
}

CRect SplitterRect(const SPLITTERINFO& splitter)
{
    CRect rect(splitter.rect);
    rect.bottom = std::min<LONG>(rect.bottom, kSplitterBottomLimit);
    return rect;
}

// The splitter of the flat looks: a band with one line along its middle.
void DrawFlatSplitter(CDC* pDC, const SPLITTERINFO& splitter, COLORREF clrBand, COLORREF clrLine)
{
    CRect rect = SplitterRect(splitter);
    if (rect.IsRectEmpty())
        return;
    pDC->FillSolidRect(&rect, clrBand);
    if (splitter.nKind == SPLITTERINFO::vertical)
        FillColumn(pDC, (rect.left + rect.right) / 2, rect, clrLine);
    else
        FillRow(pDC, (rect.top + rect.bottom) / 2, rect, clrLine);
}

// Clips a window DC to the window's non-client area and returns the window's
// rectangle in it (from the window's top-left).
CRect ClipToNonClient(CDC& dc, CWnd* pWnd)
{
    CRect rectWindow, rectClient;
    pWnd->GetWindowRect(&rectWindow);
    pWnd->GetClientRect(&rectClient);
    pWnd->ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(&rectClient);
    return rectWindow;
}

void DrawClassicButton(CDC* pDC, const CRect& rect, UINT nState)
{
    if (rect.IsRectEmpty())
        return;
    CDC dcButton;
    dcButton.CreateCompatibleDC(pDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height());
    CBitmap* pOld = dcButton.SelectObject(&bitmap);
    CRect rectButton(0, 0, rect.Width(), rect.Height());
    dcButton.DrawFrameControl(&rectButton, DFC_CAPTION, nState);
    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &dcButton, 0, 0, SRCCOPY);
    dcButton.SelectObject(pOld);
}

BOOL ButtonShown(COXSizeControlBar* pBar, BOOL bMaximize)
{
    DWORD dwHidden = bMaximize ? SZBAR_NOMAXIMIZEBUTTON : SZBAR_NOCLOSEBUTTON;
    const CRect& rect = bMaximize ? pBar->m_rectMaximizeButton : pBar->m_rectCloseButton;
    return (pBar->m_dwSizeBarStyle & dwHidden) == 0 && !pBar->IsFloatingStyle() && !rect.IsRectEmpty();
}

// Where the caption buttons of a horizontally docked bar stack down the band
// from nTop to nBottom: the first nInset below nTop, the second nGap below
// the first. A band too short for that gives up the inset, then the gap
// down to a pixel, and at last the second button: a button is never drawn
// cut by the bar's edge.
struct ButtonStack
{
    int nFirst;     // the top of the first button
    int nStep;      // from the top of the first to the top of the second
    BOOL bSecond;   // the second button still fits
};

ButtonStack StackButtons(int nTop, int nBottom, int nButton, int nInset, int nGap, BOOL bTwo)
{
    const int nLength = nBottom - nTop;
    if (bTwo && nLength < 2 * nButton + 1)
        bTwo = FALSE;
    if (bTwo)
        nGap = std::max(1, std::min(nGap, nLength - 2 * nButton));
    const int nStack = bTwo ? 2 * nButton + nGap : nButton;
    const int nOffset = std::max(0, std::min(nInset, (nLength - nStack) / 2));
    return {nTop + nOffset, nButton + nGap, bTwo};
}

} // namespace

// ---------------------------------------------------------------------------
// COXDockbarSkin: the rules every form shares
// ---------------------------------------------------------------------------
void COXDockbarSkin::LayoutBandCaption(COXSizeControlBar* pBar, const RECT& rectWindow, int nGap)
{
    pBar->m_bClientReduced = FALSE;
    pBar->m_rectCloseButton.SetRectEmpty();
    pBar->m_rectMaximizeButton.SetRectEmpty();
    if (!pBar->HasCaption() || pBar->IsFloatingStyle()) {
        pBar->m_rectGripper.SetRectEmpty();
        return;
    }
    const int nButton = 11, nStep = nButton + nGap;
    const BOOL bClose = (pBar->m_dwSizeBarStyle & SZBAR_NOCLOSEBUTTON) == 0;
    const BOOL bMaximize = (pBar->m_dwSizeBarStyle & SZBAR_NOMAXIMIZEBUTTON) == 0;
    CRect rect(rectWindow);
    rect.DeflateRect(5, 5);
    if (pBar->IsHorzDocked()) {
        // The buttons stack down from the top of the band, the caption
        // below them; a short bar lends them its margin inside the edge.
        rect.right = rect.left + nButton;
        // (the margin is 5 pixels, the edge 2)
        const ButtonStack stack =
            StackButtons(rectWindow.top + 2, rectWindow.bottom - 2, nButton, 3, nGap, bClose && bMaximize);
        int y = stack.nFirst;
        if (bClose) {
            pBar->m_rectCloseButton.SetRect(rect.left, y, rect.left + nButton, y + nButton);
            y += stack.nStep;
        }
        if (bMaximize && (stack.bSecond || !bClose)) {
            pBar->m_rectMaximizeButton.SetRect(rect.left, y, rect.left + nButton, y + nButton);
            y += stack.nStep;
        }
        if (bClose || bMaximize)
            rect.top = std::min(std::max((int)rect.top, y), (int)rect.bottom);
    } else {
        // The buttons line up from the right end, the caption left of them.
        rect.bottom = rect.top + nButton;
        if (bClose) {
            pBar->m_rectCloseButton.SetRect(rect.right - nButton, rect.top, rect.right, rect.top + nButton);
            rect.right -= nStep;
        }
        if (bMaximize) {
            pBar->m_rectMaximizeButton.SetRect(rect.right - nButton, rect.top, rect.right, rect.top + nButton);
            rect.right -= nStep;
        }
    }
    pBar->m_rectGripper = rect;
}

void COXDockbarSkin::LayoutWideCaption(COXSizeControlBar* pBar, const RECT& rectWindow)
{
    pBar->m_bClientReduced = FALSE;
    pBar->m_rectGripper = rectWindow;
    pBar->m_rectCloseButton.SetRectEmpty();
    pBar->m_rectMaximizeButton.SetRectEmpty();
    if (!pBar->HasCaption() || pBar->IsFloatingStyle())
        return;
    const BOOL bClose = (pBar->m_dwSizeBarStyle & SZBAR_NOCLOSEBUTTON) == 0;
    const BOOL bMaximize = (pBar->m_dwSizeBarStyle & SZBAR_NOMAXIMIZEBUTTON) == 0;
    CRect& rect = pBar->m_rectGripper;
    // The strip keeps its full length: the buttons sit on it.
    if (pBar->IsHorzDocked()) {
        rect.DeflateRect(0, 2);
        rect.right = rect.left + 24;
        const ButtonStack stack = StackButtons(rect.top, rect.bottom, 11, 7, 3, bClose && bMaximize);
        CRect rectButton(rect.left + 7, stack.nFirst, rect.left + 18, stack.nFirst + 11);
        if (bClose)
            pBar->m_rectCloseButton = rectButton;
        if (bMaximize && (stack.bSecond || !bClose))
            pBar->m_rectMaximizeButton = rectButton + CPoint(0, bClose ? stack.nStep : 0);
    } else {
        rect.DeflateRect(2, 0);
        rect.bottom = rect.top + 24;
        CRect rectButton(rect.right - 17, rect.top + 7, rect.right - 6, rect.top + 18);
        if (bClose)
            pBar->m_rectCloseButton = rectButton;
        if (bMaximize)
            pBar->m_rectMaximizeButton = rectButton - CPoint(bClose ? 14 : 0, 0);
    }
}

void COXDockbarSkin::CalcBandClientRect(RECT& rect, COXSizeControlBar* pBar, int nBand)
{
    CRect rectClient(rect);
    rectClient.DeflateRect(5, 5);
    // A window smaller than the borders gets an empty client area in its
    // middle rather than one turned inside out.
    if (rectClient.right < rectClient.left)
        rectClient.left = rectClient.right = (rect.left + rect.right) / 2;
    if (rectClient.bottom < rectClient.top)
        rectClient.top = rectClient.bottom = (rect.top + rect.bottom) / 2;
    if (pBar->HasCaption() && !pBar->IsFloatingStyle()) {
        if (pBar->IsHorzDocked())
            rectClient.left = std::min(rectClient.left + nBand, rectClient.right);
        else
            rectClient.top = std::min(rectClient.top + nBand, rectClient.bottom);
        pBar->m_bClientReduced = TRUE;
    }
    rect = rectClient;
}

UINT COXDockbarSkin::CloseButtonState(COXSizeControlBar* pBar)
{
    return DFCS_CAPTIONCLOSE | (pBar->m_nPressedButton == -3 ? DFCS_PUSHED : 0);
}

UINT COXDockbarSkin::MaximizeButtonState(COXSizeControlBar* pBar)
{
    UINT nState = pBar->m_bMaximizedInRow ? DFCS_CAPTIONMIN : DFCS_CAPTIONMAX;
    if (!pBar->CanMaximizeInRow())
        nState |= DFCS_INACTIVE;
    if (pBar->m_nPressedButton == -2)
        nState |= DFCS_PUSHED;
    return nState;
}

CRect COXDockbarSkin::ToWindow(COXSizeControlBar* pBar, const RECT& rectClient)
{
    CRect rect(rectClient);
    if (!rect.IsRectNull())
        rect.OffsetRect(pBar->GetClientOffset());
    return rect;
}

// ---------------------------------------------------------------------------
// COXDockbarSkinClassic
// ---------------------------------------------------------------------------
COXDockbarSkinClassic::COXDockbarSkinClassic() : m_nCaptionGap(2)
{
    m_fontCaption.CreatePointFont(100, "Arial");
    m_fontCaptionSmall.CreatePointFont(80, "Arial");
}

COXDockbarSkinClassic::~COXDockbarSkinClassic() {}

void COXDockbarSkinClassic::DrawCaption(CDC* pDC, COXSizeControlBar* pBar)
{
    if (!ShowsCaption(pBar))
        return;
    const CRect rect = ClassicCaptionBand(pBar);
    const BOOL bHorz = pBar->IsHorzDocked(), bActive = pBar->m_bActive;
    const BOOL bSolid = (pBar->m_dwSizeBarStyle & SZBAR_SOLIDCAPTION) != 0;
    COLORREF clrText;
    if (bSolid) {
        pDC->FillSolidRect(&rect, ::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        clrText = ::GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    } else {
        clrText = ::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    }
    int nReach = DrawBandText(pDC, rect, bHorz, CaptionText(pBar), GetCaptionFont(pBar), kClassicTextInset,
                              clrText, bSolid, ::GetSysColor(COLOR_BTNFACE));
    if (bSolid)
        return;
    // Two raised lines after the text, the second 4 pixels further across.
    const int nStart = GripStart(nReach, 3);
    if ((bHorz ? rect.Height() : rect.Width()) - nStart < 6)
        return;
    CRect rectLine = bHorz ? CRect(rect.left, rect.top, rect.left + 3, rect.bottom - nStart)
                           : CRect(rect.left + nStart, rect.top, rect.right, rect.top + 3);
    const COLORREF clrLight = ::GetSysColor(COLOR_BTNHIGHLIGHT), clrDark = ::GetSysColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(&rectLine, clrLight, clrDark);
    rectLine.OffsetRect(bHorz ? 4 : 0, bHorz ? 0 : 4);
    pDC->Draw3dRect(&rectLine, clrLight, clrDark);
}

CRect COXDockbarSkinClassic::GetCaptionTextRect(COXSizeControlBar* pBar)
{
    if (!ShowsCaption(pBar) || CaptionText(pBar).IsEmpty())
        return CRect(0, 0, 0, 0);
    return BandTextRect(ClassicCaptionBand(pBar), pBar->IsHorzDocked(), kClassicTextInset);
}

CFont* COXDockbarSkinClassic::GetCaptionFont(COXSizeControlBar* pBar)
{
    return (pBar->m_dwSizeBarStyle & SZBAR_SOLIDCAPTION) != 0 ? &m_fontCaptionSmall : &m_fontCaption;
}

void COXDockbarSkinClassic::DrawCloseButton(CDC* pDC, COXSizeControlBar* pBar)
{
    if (ButtonShown(pBar, FALSE))
        DrawClassicButton(pDC, ToWindow(pBar, pBar->m_rectCloseButton), CloseButtonState(pBar));
}

void COXDockbarSkinClassic::DrawMaximizeButton(CDC* pDC, COXSizeControlBar* pBar)
{
    if (ButtonShown(pBar, TRUE))
        DrawClassicButton(pDC, ToWindow(pBar, pBar->m_rectMaximizeButton), MaximizeButtonState(pBar));
}

// The face goes under the borders: a plain border draws one line in the two
// pixels it keeps, and the other pixel would hold whatever lay there before.
void COXDockbarSkinClassic::DrawNonClientBackground(CDC* pDC, const RECT& rect, CControlBar* pBar)
{
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    CRect rectInside(rect);
    if (pBar != NULL)
        pBar->DrawBorders(pDC, rectInside);
}

void COXDockbarSkinClassic::DrawSplitter(CDC* pDC, const SPLITTERINFO& splitter, CWnd*)
{
    CRect rect = SplitterRect(splitter);
    if (rect.IsRectEmpty())
        return;
    // Face and light on the near side, frame and shadow on the far side.
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE), clrLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrFrame = ::GetSysColor(COLOR_WINDOWFRAME), clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (splitter.nKind == SPLITTERINFO::vertical) {
        FillColumn(pDC, rect.left + 1, rect, clrFace);
        FillColumn(pDC, rect.left + 2, rect, clrLight);
        FillColumn(pDC, rect.right - 1, rect, clrFrame);
        FillColumn(pDC, rect.right - 2, rect, clrShadow);
    } else {
        FillRow(pDC, rect.top + 1, rect, clrFace);
        FillRow(pDC, rect.top + 2, rect, clrLight);
        FillRow(pDC, rect.bottom - 1, rect, clrFrame);
        FillRow(pDC, rect.bottom - 2, rect, clrShadow);
    }
}

void COXDockbarSkinClassic::DrawDockBarNonClient(CWnd* pDockBar)
{
    CWindowDC dc(pDockBar);
    DrawNonClientBackground(&dc, ClipToNonClient(dc, pDockBar), DYNAMIC_DOWNCAST(CControlBar, pDockBar));
}

void COXDockbarSkinClassic::DrawDockBarBackground(CDC* pDC, CWnd* pDockBar)
{
    CRect rect;
    pDockBar->GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
}

void COXDockbarSkinClassic::CalcClientRect(RECT& rect, COXSizeControlBar* pBar)
{
    CalcBandClientRect(rect, pBar, 16);
}

void COXDockbarSkinClassic::LayoutCaption(COXSizeControlBar* pBar)
{
    LayoutBandCaption(pBar, pBar->GetWindowRectInClient(), m_nCaptionGap);
}

COLORREF COXDockbarSkinClassic::GetBorderColor()
{
    return ::GetSysColor(COLOR_WINDOWFRAME);
}

// ---------------------------------------------------------------------------
// COXDockbarSkinXP
// ---------------------------------------------------------------------------
COXDockbarSkinXP::COXDockbarSkinXP(COXSkinXP* pSkin) : m_pSkin(pSkin), m_nCaptionGap(3)
{
    // The caption face: Tahoma at 8.5 points, bold weight.
    LOGFONT lf = {};
    lf.lfHeight = 85;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    m_fontCaption.CreatePointFontIndirect(&lf);
}

COXDockbarSkinXP::~COXDockbarSkinXP() {}

void COXDockbarSkinXP::DrawCaption(CDC* pDC, COXSizeControlBar* pBar)
{
    if (!ShowsCaption(pBar))
        return;
    const CRect rect = FlatCaptionBand(pBar);
    const BOOL bHorz = pBar->IsHorzDocked();
    const BOOL bSolid = (pBar->m_dwSizeBarStyle & SZBAR_SOLIDCAPTION) != 0;
    if (bSolid) {
        // The coloured caption runs under the buttons too.
        CRect rectFill(rect);
        if (!pBar->m_rectCloseButton.IsRectEmpty())
            rectFill.UnionRect(&rectFill, ToWindow(pBar, pBar->m_rectCloseButton));
        if (!pBar->m_rectMaximizeButton.IsRectEmpty())
            rectFill.UnionRect(&rectFill, ToWindow(pBar, pBar->m_rectMaximizeButton));
        rectFill.left += bHorz ? 1 : 2;
        rectFill.top += 2;
        rectFill.right -= 1;
        rectFill.bottom -= 1;
        pDC->FillSolidRect(&rectFill, m_pSkin->SysColor(COLOR_INACTIVECAPTION));
    }
    int nReach = DrawBandText(pDC, rect, bHorz, CaptionText(pBar), &m_fontCaption, kFlatTextInset,
                              m_pSkin->SysColor(bSolid ? COLOR_CAPTIONTEXT : COLOR_WINDOWTEXT), bSolid,
                              m_pSkin->SysColor(COLOR_BTNFACE));
    if (bSolid)
        return;
    // Four thin lines after the text, 2 pixels apart, from 3 pixels in.
    const int nStart = GripStart(nReach, 3);
    if ((bHorz ? rect.Height() : rect.Width()) - nStart <= 5)
        return;
    const COLORREF clrGrip = m_pSkin->GetGripperColor();
    for (int i = 0; i < 4; ++i) {
        if (bHorz)
            pDC->FillSolidRect(rect.left + 3 + 2 * i, rect.top, 1, rect.Height() - nStart, clrGrip);
        else
            pDC->FillSolidRect(rect.left + nStart, rect.top + 3 + 2 * i, rect.Width() - nStart, 1, clrGrip);
    }
}

CRect COXDockbarSkinXP::GetCaptionTextRect(COXSizeControlBar* pBar)
{
    if (!ShowsCaption(pBar) || CaptionText(pBar).IsEmpty())
        return CRect(0, 0, 0, 0);
    return BandTextRect(FlatCaptionBand(pBar), pBar->IsHorzDocked(), kFlatTextInset);
}

CFont* COXDockbarSkinXP::GetCaptionFont(COXSizeControlBar*)
{
    return &m_fontCaption;
}

COXDockbarSkinXP::ButtonLook COXDockbarSkinXP::GetButtonLook(COXSizeControlBar* pBar, BOOL bMaximize)
{
    ButtonLook look;
    look.nState = !bMaximize ? DFCS_CAPTIONCLOSE : pBar->m_bMaximizedInRow ? DFCS_CAPTIONMIN : DFCS_CAPTIONMAX;
    look.bFrame = bMaximize && !pBar->CanMaximizeInRow();
    look.bHighlightFrame = (pBar->m_dwSizeBarStyle & SZBAR_SOLIDCAPTION) != 0;
    look.clrBack = m_pSkin->SysColor(look.bHighlightFrame ? COLOR_INACTIVECAPTION : COLOR_BTNFACE);
    // The bar knows the button is held down whether or not the mouse is
    // captured at this moment (a press shown by the program, a repaint from
    // elsewhere): the button says so, as the Classic one does.
    if (pBar->m_nPressedButton == (bMaximize ? -2 : -3))
        look.nState |= DFCS_PUSHED;
    return look;
}

void COXDockbarSkinXP::DrawButton(CDC* pDC, COXSizeControlBar* pBar, BOOL bMaximize)
{
    if (!ButtonShown(pBar, bMaximize))
        return;
    CRect rect = ToWindow(pBar, bMaximize ? pBar->m_rectMaximizeButton : pBar->m_rectCloseButton);
    rect.left -= 1;
    rect.top -= 1;
    rect.right += 2;
    rect.bottom += 2;
    ButtonLook look = GetButtonLook(pBar, bMaximize);
    m_pSkin->DrawFrameButton(pDC, rect, look.nState, look.bFrame, look.bHighlightFrame, look.clrBack, pBar);
}

void COXDockbarSkinXP::DrawCloseButton(CDC* pDC, COXSizeControlBar* pBar)
{
    DrawButton(pDC, pBar, FALSE);
}

void COXDockbarSkinXP::DrawMaximizeButton(CDC* pDC, COXSizeControlBar* pBar)
{
    DrawButton(pDC, pBar, TRUE);
}

void COXDockbarSkinXP::DrawNonClientBackground(CDC* pDC, const RECT& rect, CControlBar*)
{
    pDC->FillSolidRect(&rect, m_pSkin->SysColor(COLOR_BTNFACE));
}

void COXDockbarSkinXP::DrawSplitter(CDC* pDC, const SPLITTERINFO& splitter, CWnd*)
{
    DrawFlatSplitter(pDC, splitter, m_pSkin->SysColor(COLOR_BTNFACE), m_pSkin->GetSeparatorColor());
}

void COXDockbarSkinXP::FillNonClient(CWnd* pWnd, COLORREF clr)
{
    CWindowDC dc(pWnd);
    dc.FillSolidRect(ClipToNonClient(dc, pWnd), clr);
}

void COXDockbarSkinXP::DrawDockBarNonClient(CWnd* pDockBar)
{
    FillNonClient(pDockBar, m_pSkin->GetDockbarBackgroundColor());
}

void COXDockbarSkinXP::DrawDockBarBackground(CDC* pDC, CWnd* pDockBar)
{
    CRect rect;
    pDockBar->GetClientRect(&rect);
    pDC->FillSolidRect(&rect, m_pSkin->SysColor(COLOR_BTNFACE));
}

void COXDockbarSkinXP::CalcClientRect(RECT& rect, COXSizeControlBar* pBar)
{
    CalcBandClientRect(rect, pBar, 16);
}

void COXDockbarSkinXP::LayoutCaption(COXSizeControlBar* pBar)
{
    LayoutBandCaption(pBar, pBar->GetWindowRectInClient(), m_nCaptionGap);
}

COLORREF COXDockbarSkinXP::GetBorderColor()
{
    return m_pSkin->GetFrameBorderColor();
}

// ---------------------------------------------------------------------------
// COXDockbarSkin2003
// ---------------------------------------------------------------------------
COXDockbarSkin2003::COXDockbarSkin2003(COXSkin2003* pSkin) : COXDockbarSkinXP(pSkin) {}

COXSkin2003* COXDockbarSkin2003::Skin2003() const
{
    return static_cast<COXSkin2003*>(m_pSkin);
}

void COXDockbarSkin2003::DrawDots(CDC* pDC, const RECT& rect, BOOL bAlongX, COLORREF clrDot, COLORREF clrLight,
                                  const RECT& rectKeepClear)
{
    const int nEnd = bAlongX ? rect.right : rect.bottom;
    for (int n = bAlongX ? rect.left : rect.top; n + 2 <= nEnd; n += 4) {
        const int x = bAlongX ? n : rect.left, y = bAlongX ? rect.top : n;
        CRect rectDot(x, y, x + 3, y + 3), rectCommon;
        if (rectCommon.IntersectRect(&rectDot, &rectKeepClear))
            continue;
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, clrLight);
        pDC->FillSolidRect(x, y, 2, 2, clrDot);
    }
}

void COXDockbarSkin2003::DrawCaption(CDC* pDC, COXSizeControlBar* pBar)
{
    if (!ShowsCaption(pBar))
        return;
    COXSkin2003* pSkin = Skin2003();
    const BOOL bHorz = pBar->IsHorzDocked();
    CRect rect = ToWindow(pBar, pBar->m_rectGripper);
    pSkin->GradientFill(pDC, rect, pSkin->GetCaptionGradientStartColor(), pSkin->GetCaptionGradientEndColor(),
                        !bHorz);

    // A bar that follows another in its row parts from it by a strip of the
    // dock bar's colour.
    CWnd* pDockBar = pBar->m_pDockBar != NULL ? (CWnd*)pBar->m_pDockBar : pBar->GetParent();
    if (pDockBar != NULL && ::IsWindow(pBar->GetSafeHwnd())) {
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        pDockBar->ScreenToClient(&rectBar);
        if (bHorz ? rectBar.left > 0 : rectBar.top > 0) {
            CRect rectStrip = bHorz ? CRect(rect.left, rect.top, rect.left + 2, rect.bottom)
                                    : CRect(rect.left, rect.top, rect.right, rect.top + 2);
            pDC->FillSolidRect(&rectStrip, pSkin->GetDockbarBackgroundColor());
        }
    }

    const COLORREF clrDot = pSkin->GetGripperColor(), clrLight = pSkin->SysColor(COLOR_WINDOW);
    // The buttons as DrawButton draws them: on a bar too short or too narrow
    // for the grip beside them, the grip stops before them.
    CRect rectButtons(0, 0, 0, 0);
    for (const CRect& rectButton : {pBar->m_rectCloseButton, pBar->m_rectMaximizeButton}) {
        if (rectButton.IsRectEmpty())
            continue;
        CRect rectDrawn = ToWindow(pBar, rectButton);
        rectDrawn.InflateRect(1, 1, 2, 2);
        rectButtons.UnionRect(&rectButtons, &rectDrawn);
    }
    // Dots across the foot of a vertical strip, down the left of a
    // horizontal one.
    DrawDots(pDC, DotsRect2003(rect, bHorz), bHorz, clrDot, clrLight, rectButtons);
    CString strText = CaptionText(pBar);
    CFont* pOldFont = pDC->SelectObject(&m_fontCaption);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOldText = pDC->SetTextColor(pSkin->SysColor(COLOR_WINDOWTEXT));
    CRect rectText = GetCaptionTextRect(pBar);
    if (bHorz) {
        DrawBandText(pDC, rectText, TRUE, strText, &m_fontCaption, 0, pSkin->SysColor(COLOR_WINDOWTEXT), TRUE,
                     0);
    } else if (!strText.IsEmpty() && rectText.right > rectText.left) {
        pDC->DrawText(strText, &rectText, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    }
    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

CRect COXDockbarSkin2003::GetCaptionTextRect(COXSizeControlBar* pBar)
{
    if (!ShowsCaption(pBar) || CaptionText(pBar).IsEmpty())
        return CRect(0, 0, 0, 0);
    const BOOL bHorz = pBar->IsHorzDocked();
    const CRect rect = ToWindow(pBar, pBar->m_rectGripper);
    const CRect rectClose = ToWindow(pBar, pBar->m_rectCloseButton);
    const CRect rectMaximize = ToWindow(pBar, pBar->m_rectMaximizeButton);
    CRect rectText;
    if (bHorz) {
        // Upward above the dots, below the buttons.
        rectText.SetRect(rect.left, rect.top, rect.right, DotsRect2003(rect, TRUE).top - 3);
        for (const CRect& rectButton : {rectClose, rectMaximize})
            if (!rectButton.IsRectEmpty())
                rectText.top = std::max(rectText.top, rectButton.bottom + 1);
        rectText.bottom = std::max(rectText.top, rectText.bottom);
    } else {
        // After the dots, up to the buttons.
        rectText = rect;
        rectText.OffsetRect(13, 2);
        rectText.right = rect.right;
        for (const CRect& rectButton : {rectClose, rectMaximize})
            if (!rectButton.IsRectEmpty())
                rectText.right = std::min(rectText.right, rectButton.left - 1);
        rectText.right = std::max(rectText.left, rectText.right);
    }
    return rectText;
}

COXDockbarSkinXP::ButtonLook COXDockbarSkin2003::GetButtonLook(COXSizeControlBar* pBar, BOOL bMaximize)
{
    ButtonLook look = COXDockbarSkinXP::GetButtonLook(pBar, bMaximize);
    look.bHighlightFrame = FALSE;
    look.clrBack = m_pSkin->SysColor(COLOR_BTNFACE);
    return look;
}

void COXDockbarSkin2003::DrawNonClientBackground(CDC* pDC, const RECT& rect, CControlBar*)
{
    pDC->FillSolidRect(&rect, m_pSkin->GetDockbarBackgroundColor());
}

void COXDockbarSkin2003::DrawSplitter(CDC* pDC, const SPLITTERINFO& splitter, CWnd*)
{
    COXSkin2003* pSkin = Skin2003();
    COLORREF clrLine = pSkin->IsThemed() ? pSkin->GetHeaderGradientColor() : pSkin->GetSeparatorColor();
    DrawFlatSplitter(pDC, splitter, pSkin->GetDockbarBackgroundColor(), clrLine);
}

void COXDockbarSkin2003::PaintDockArea(CDC* pDC, const RECT& rect, CWnd* pWnd, BOOL bClient)
{
    int xBand, cxBand;
    COXSkin2003::GetDockBand(pWnd, bClient, xBand, cxBand);
    Skin2003()->FillDockGradient(pDC, rect, xBand, cxBand);
}

void COXDockbarSkin2003::DrawDockBarNonClient(CWnd* pDockBar)
{
    CWindowDC dc(pDockBar);
    PaintDockArea(&dc, ClipToNonClient(dc, pDockBar), pDockBar, FALSE);
}

void COXDockbarSkin2003::DrawDockBarBackground(CDC* pDC, CWnd* pDockBar)
{
    CRect rect;
    pDockBar->GetClientRect(&rect);
    PaintDockArea(pDC, rect, pDockBar, TRUE);
}

void COXDockbarSkin2003::CalcClientRect(RECT& rect, COXSizeControlBar* pBar)
{
    CalcBandClientRect(rect, pBar, 24);
}

void COXDockbarSkin2003::LayoutCaption(COXSizeControlBar* pBar)
{
    LayoutWideCaption(pBar, pBar->GetWindowRectInClient());
}
