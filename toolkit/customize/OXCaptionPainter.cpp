#include "OXCaptionPainter.h"

#include <algorithm>
#include <cmath>

#include <shlwapi.h>
#include <uxtheme.h>

#include "OXRegistryValFile.h"

IMPLEMENT_SERIAL(COXCaptionInfo, CObject, 1)
IMPLEMENT_DYNAMIC(COXCaptionPainter, COXHookWnd)

const UINT WM_SET_CAPTION_PAINTER = ::RegisterWindowMessageA("_SET_CAPTION_PAINTER_");
const UINT WM_GET_CAPTION_PAINTER = ::RegisterWindowMessageA("_GET_CAPTION_PAINTER_");

CMap<DWORD, DWORD, COXCaptionPainterOrganizer*, COXCaptionPainterOrganizer*>
    COXCaptionPainterOrganizer::m_mapThreadOrganizer;
HHOOK COXCaptionPainterOrganizer::g_hCBTHook = NULL;
HHOOK COXCaptionPainterOrganizer::g_hGetMessageHook = NULL;

namespace
{
const UINT kRefreshMs = 300;

BOOL SystemCaptionFont(LOGFONT* pLogFont, bool bSmall)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof ncm;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
        return FALSE;
    *pLogFont = bSmall ? ncm.lfSmCaptionFont : ncm.lfCaptionFont;
    return TRUE;
}

void CopyFont(CFont& to, const LOGFONT& lf)
{
    to.DeleteObject();
    to.CreateFontIndirect(&lf);
}

void StoreFont(CArchive& ar, const CFont& font)
{
    if (font.GetSafeHandle() == NULL) {
        ar << (LONG)0;
        return;
    }
    LOGFONT lf;
    if (font.GetObject(sizeof lf, &lf) != sizeof lf)
        AfxThrowArchiveException(CArchiveException::genericException);
    ar << (LONG)1 << (LONG)lf.lfHeight << (LONG)lf.lfWidth << (LONG)lf.lfEscapement << (LONG)lf.lfOrientation
       << (LONG)lf.lfWeight;
    ar << lf.lfItalic << lf.lfUnderline << lf.lfStrikeOut << lf.lfCharSet << lf.lfOutPrecision << lf.lfClipPrecision
       << lf.lfQuality << lf.lfPitchAndFamily;
    ar << CString(lf.lfFaceName);
}

void LoadFont(CArchive& ar, CFont& font)
{
    font.DeleteObject();
    LONG bPresent;
    ar >> bPresent;
    if (!bPresent)
        return;
    LOGFONT lf = {};
    LONG h, w, esc, orient, weight;
    ar >> h >> w >> esc >> orient >> weight;
    lf.lfHeight = h;
    lf.lfWidth = w;
    lf.lfEscapement = esc;
    lf.lfOrientation = orient;
    lf.lfWeight = weight;
    ar >> lf.lfItalic >> lf.lfUnderline >> lf.lfStrikeOut >> lf.lfCharSet >> lf.lfOutPrecision >> lf.lfClipPrecision
       >> lf.lfQuality >> lf.lfPitchAndFamily;
    CString face;
    ar >> face;
    // A longer face name than the field holds is cut to fit.
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    if (!font.CreateFontIndirect(&lf))
        AfxThrowArchiveException(CArchiveException::genericException);
}

bool IsToolWindow(HWND hWnd) { return (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0; }
DWORD Style(HWND hWnd) { return (DWORD)::GetWindowLongA(hWnd, GWL_STYLE); }
} // namespace

// ---------------------------------------------------------------------------
// COXCaptionInfo
// ---------------------------------------------------------------------------
COXCaptionInfo::COXCaptionInfo()
{
    Reset();
}

COXCaptionInfo::COXCaptionInfo(const COXCaptionInfo& other) : CObject()
{
    Reset();
    *this = other;
}

void COXCaptionInfo::Reset()
{
    m_clrBackground = 0xFFFFFFFF;
    m_bGradient = TRUE;
    m_nGradientAlignment = 0;
    m_nGradientAlgorithm = 1;
    m_nShadeCount = 64;
    m_fontCaption.DeleteObject();
    m_fontSmCaption.DeleteObject();
    m_clrText = 0xFFFFFFFF;
    m_nTextFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
}

COXCaptionInfo& COXCaptionInfo::operator=(const COXCaptionInfo& other)
{
    if (this == &other)
        return *this;
    m_clrBackground = other.m_clrBackground;
    m_bGradient = other.m_bGradient;
    m_nGradientAlignment = other.m_nGradientAlignment;
    m_nGradientAlgorithm = other.m_nGradientAlgorithm;
    SetShadeCount(other.m_nShadeCount);
    m_clrText = other.m_clrText;
    m_nTextFormat = other.m_nTextFormat;
    LOGFONT lf;
    if (other.GetCaptionLogFont(&lf))
        CopyFont(m_fontCaption, lf);
    if (other.GetSmCaptionLogFont(&lf))
        CopyFont(m_fontSmCaption, lf);
    return *this;
}

void COXCaptionInfo::TakeFrom(COXCaptionInfo& other)
{
    m_clrBackground = other.m_clrBackground;
    m_bGradient = other.m_bGradient;
    m_nGradientAlignment = other.m_nGradientAlignment;
    m_nGradientAlgorithm = other.m_nGradientAlgorithm;
    SetShadeCount(other.m_nShadeCount);
    m_clrText = other.m_clrText;
    m_nTextFormat = other.m_nTextFormat;
    m_fontCaption.DeleteObject();
    m_fontCaption.Attach(other.m_fontCaption.Detach());
    m_fontSmCaption.DeleteObject();
    m_fontSmCaption.Attach(other.m_fontSmCaption.Detach());
}

COLORREF COXCaptionInfo::GetBackgroundColor(BOOL bActive) const
{
    return m_clrBackground != 0xFFFFFFFF ? m_clrBackground
                                         : ::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

COLORREF COXCaptionInfo::GetTextColor(BOOL bActive) const
{
    return m_clrText != 0xFFFFFFFF ? m_clrText
                                   : ::GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
}

BOOL COXCaptionInfo::GetCaptionLogFont(LOGFONT* pLogFont) const
{
    if (m_fontCaption.GetSafeHandle() != NULL)
        return m_fontCaption.GetObject(sizeof(LOGFONT), pLogFont) == sizeof(LOGFONT);
    return SystemCaptionFont(pLogFont, false);
}

BOOL COXCaptionInfo::GetSmCaptionLogFont(LOGFONT* pLogFont) const
{
    if (m_fontSmCaption.GetSafeHandle() != NULL)
        return m_fontSmCaption.GetObject(sizeof(LOGFONT), pLogFont) == sizeof(LOGFONT);
    return SystemCaptionFont(pLogFont, true);
}

void COXCaptionInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (DWORD)m_clrBackground << (LONG)m_bGradient << (LONG)m_nGradientAlignment << (LONG)m_nGradientAlgorithm
           << (DWORD)m_nTextFormat << (DWORD)m_clrText << (LONG)m_nShadeCount;
        StoreFont(ar, m_fontCaption);
        StoreFont(ar, m_fontSmCaption);
        return;
    }
    DWORD clrBack, nFormat, clrText;
    LONG bGradient, nAlign, nAlgo, nShades;
    ar >> clrBack >> bGradient >> nAlign >> nAlgo >> nFormat >> clrText >> nShades;
    m_clrBackground = clrBack;
    m_bGradient = bGradient;
    m_nGradientAlignment = nAlign;
    m_nGradientAlgorithm = nAlgo;
    SetTextFormat(nFormat);
    m_clrText = clrText;
    SetShadeCount(nShades);
    LoadFont(ar, m_fontCaption);
    LoadFont(ar, m_fontSmCaption);
}

// ---------------------------------------------------------------------------
// Readable titles
// ---------------------------------------------------------------------------
namespace {
double RelativeLuminance(COLORREF clr)
{
    auto channel = [](BYTE c) {
        const double v = c / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(clr)) + 0.7152 * channel(GetGValue(clr)) + 0.0722 * channel(GetBValue(clr));
}

double WorstContrast(COLORREF clrText, const std::vector<COLORREF>& behind)
{
    double worst = 21.0;
    for (COLORREF clr : behind)
        worst = std::min(worst, OXContrastRatio(clrText, clr));
    return worst;
}
}   // namespace

double OXContrastRatio(COLORREF clr1, COLORREF clr2)
{
    const double l1 = RelativeLuminance(clr1), l2 = RelativeLuminance(clr2);
    return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
}

COLORREF OXReadableTextColor(COLORREF clrPreferred, const std::vector<COLORREF>& behind)
{
    double best = WorstContrast(clrPreferred, behind);
    if (best >= kOXMinTitleContrast)
        return clrPreferred;
    COLORREF clrBest = clrPreferred;
    for (COLORREF clr : {RGB(255, 255, 255), RGB(0, 0, 0)}) {
        const double worst = WorstContrast(clr, behind);
        if (worst > best) {
            best = worst;
            clrBest = clr;
        }
    }
    return clrBest;
}

COLORREF OXCaptionTextColor(const COXCaptionInfo& info, BOOL bActive, int W, int x0, int x1)
{
    std::vector<OXCaptionBand> bands;
    OXComputeCaptionBands(info, info.GetBackgroundColor(bActive), W, bands);
    std::vector<COLORREF> behind;
    for (const OXCaptionBand& b : bands) {
        if (b.x < x1 && b.x + b.cx > x0)
            behind.push_back(b.color);
    }
    return OXReadableTextColor(info.GetTextColor(bActive), behind);
}

// ---------------------------------------------------------------------------
// Background bands
// ---------------------------------------------------------------------------
void OXComputeCaptionBands(const COXCaptionInfo& info, COLORREF clrBase, int W, std::vector<OXCaptionBand>& bands)
{
    bands.clear();
    if (W <= 0)
        return;
    // A caption too narrow to shade, or no gradient: one solid fill.
    if (!info.m_bGradient || W < 2) {
        bands.push_back({0, W, clrBase});
        return;
    }
    const int nShades = info.m_nShadeCount < 1 ? 1 : info.m_nShadeCount;
    const BYTE rgb[3] = {GetRValue(clrBase), GetGValue(clrBase), GetBValue(clrBase)};
    const bool bDraw = info.m_nGradientAlgorithm == 0 || info.m_nGradientAlgorithm == 1;
    // 64-bit: a channel times the square of a distance outgrows 32 bits on
    // wide captions.
    auto shade = [&](long long d, long long L, long long L2) {
        BYTE c[3];
        for (int i = 0; i < 3; i++) {
            const long long v = rgb[i];
            long long r = info.m_nGradientAlgorithm == 0 ? v - (L ? v * d / L : 0) : v - (L2 ? v * d * d / L2 : 0);
            c[i] = (BYTE)(r < 0 ? 0 : r > 255 ? 255 : r);
        }
        return RGB(c[0], c[1], c[2]);
    };
    auto band = [&](long long x, long long cx, COLORREF color) {
        long long l = x < 0 ? 0 : x, r = x + cx > W ? W : x + cx;
        if (r > l)
            bands.push_back({(int)l, (int)(r - l), color});
    };
    const COLORREF black = RGB(0, 0, 0);
    switch (info.m_nGradientAlignment) {
    case 0: {
        const int S = W / nShades > 0 ? W / nShades : 1;
        const long long L = W;
        long long x = W;
        for (; x > 0; x -= S)
            if (bDraw)
                band(x, S, shade(W - x, L, L * L));
        band(0, x + S, black);
        break;
    }
    case 2: {
        const int S = W / nShades > 0 ? W / nShades : 1;
        const long long L = W;
        long long x = 0, last = 0;
        for (; x < W; x += S) {
            if (bDraw)
                band(x, S, shade(x, L, L * L));
            last = x;
        }
        band(last, W - 1 - last, black);
        break;
    }
    case 1: {
        const int half = W / 2;
        const int S = half / (2 * nShades) > 0 ? half / (2 * nShades) : 1;
        const long long L = half, L2 = (long long)W * W / 4;
        long long x = 2LL * half, countdown = half, d = 0;
        for (; countdown > 0; x -= S, countdown -= S, d += S)
            if (bDraw)
                band(x, S, shade(d, L, L2));
        band(half, S + countdown, black);
        long long last = 0;
        for (x = 0; x <= half; x += S) {
            if (bDraw)
                band(x, S, shade(x, L, L2));
            last = x;
        }
        band(last, half - last, black);
        break;
    }
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// COXCaptionPainter
// ---------------------------------------------------------------------------
COXCaptionPainter::COXCaptionPainter()
    : m_nCachedWidth(0), m_nCachedHeight(0), m_bActive(TRUE), m_bStyleSaved(FALSE), m_dwSavedStyle(0),
      m_bExStyleSaved(FALSE), m_dwSavedExStyle(0), m_bInNcActivate(FALSE), m_nColorDepth(0), m_nRefreshTimer(0)
{
}

COXCaptionPainter::~COXCaptionPainter()
{
    StopRefreshTimer();
}

void COXCaptionPainter::StopRefreshTimer()
{
    if (m_hWndTarget != NULL && m_nRefreshTimer != 0)
        ::KillTimer(m_hWndTarget, m_nRefreshTimer);
    m_nRefreshTimer = 0;
}

void COXCaptionPainter::Unhook()
{
    StopRefreshTimer();
    COXHookWnd::Unhook();
}

BOOL COXCaptionPainter::IsThemed()
{
    OSVERSIONINFOA vi = {sizeof vi};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(&vi);
#pragma GCC diagnostic pop
    if (vi.dwMajorVersion <= 4 || vi.dwMinorVersion == 0)
        return FALSE;
    BOOL bThemed = FALSE;
    if (HMODULE hTheme = ::LoadLibraryA("UxTheme.dll")) {
        typedef BOOL(WINAPI * PFNISAPPTHEMED)();
        PFNISAPPTHEMED pfn = (PFNISAPPTHEMED)::GetProcAddress(hTheme, "IsAppThemed");
        bThemed = pfn != NULL && pfn();
        ::FreeLibrary(hTheme);
    }
    if (!bThemed)
        return FALSE;
    DWORD dwMajor = 0;
    if (HMODULE hComCtl = ::GetModuleHandleA("comctl32.dll")) {
        typedef HRESULT(CALLBACK * PFNGETVERSION)(DLLVERSIONINFO*);
        PFNGETVERSION pfn = (PFNGETVERSION)::GetProcAddress(hComCtl, "DllGetVersion");
        DLLVERSIONINFO dvi = {sizeof dvi};
        if (pfn != NULL && SUCCEEDED(pfn(&dvi)))
            dwMajor = dvi.dwMajorVersion;
    }
    return dwMajor >= 6;
}

int COXCaptionPainter::ReadColorDepth() const
{
    HDC hdc = ::GetWindowDC(m_hWndTarget);
    int n = hdc ? ::GetDeviceCaps(hdc, BITSPIXEL) * ::GetDeviceCaps(hdc, PLANES) : 0;
    if (hdc)
        ::ReleaseDC(m_hWndTarget, hdc);
    return n;
}

BOOL COXCaptionPainter::Attach(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || IsThemed() || (Style(pWnd->GetSafeHwnd()) & WS_CAPTION) != WS_CAPTION)
        return FALSE;
    HookWindow(pWnd);
    if (m_hWndTarget == NULL)
        return FALSE;
    m_nColorDepth = ReadColorDepth();
    // The refresh timer's id is the painter's own: the window's timers keep
    // theirs and never see this one.
    m_nRefreshTimer = ::SetTimer(m_hWndTarget, (UINT_PTR)&m_nRefreshTimer, kRefreshMs, NULL);
    if (m_nRefreshTimer == 0) {
        Unhook();
        return FALSE;
    }
    return TRUE;
}

void COXCaptionPainter::SetCaptionInfo(const COXCaptionInfo* pInfo, BOOL bActive)
{
    if (pInfo != NULL)
        *GetCaptionInfo(bActive) = *pInfo;
}

CRect COXCaptionPainter::GetCaptionRect() const
{
    CRect rect;
    ::GetWindowRect(m_hWndTarget, &rect);
    rect.OffsetRect(-rect.TopLeft());
    const DWORD style = Style(m_hWndTarget);
    const bool bThick = (style & WS_THICKFRAME) != 0;
    const int cx = ::GetSystemMetrics(bThick ? SM_CXFRAME : SM_CXDLGFRAME);
    const int cy = ::GetSystemMetrics(bThick ? SM_CYFRAME : SM_CYDLGFRAME);
    rect.left += cx;
    rect.right -= cx;
    rect.top += cy;
    rect.bottom = rect.top + ::GetSystemMetrics(IsToolWindow(m_hWndTarget) ? SM_CYSMCAPTION : SM_CYCAPTION)
                  - ::GetSystemMetrics(SM_CYBORDER);
    if (::IsIconic(m_hWndTarget)) {
        rect.InflateRect(1, 1, 1, 0);
        rect.bottom--;
    }
    return rect;
}

void COXCaptionPainter::DrawCaption()
{
    if (m_hWndTarget == NULL)
        return;
    HDC hdcWindow = ::GetWindowDC(m_hWndTarget);
    if (hdcWindow == NULL)
        return;
    CDC* pDC = CDC::FromHandle(hdcWindow);
    CDC memDC;
    memDC.CreateCompatibleDC(pDC);
    const CRect rect = GetCaptionRect();
    if (rect.Width() != m_nCachedWidth || rect.Height() != m_nCachedHeight) {
        m_nCachedWidth = rect.Width();
        m_nCachedHeight = rect.Height();
        m_bmpActive.DeleteObject();
        m_bmpInactive.DeleteObject();
    }
    COXCaptionInfo* pInfo = m_bActive ? &m_infoActive : &m_infoInactive;
    CBitmap& bmp = m_bActive ? m_bmpActive : m_bmpInactive;
    if (rect.Width() > 0 && rect.Height() > 0) {
        const bool bNew = bmp.GetSafeHandle() == NULL;
        if (bNew)
            bmp.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height());
        CBitmap* pOld = memDC.SelectObject(&bmp);
        if (bNew) {
            const CSize size = rect.Size();
            DrawCaptionBackground(&memDC, pInfo, CRect(CPoint(0, 0), size));
            const int nIcon = DrawIcon(&memDC, pInfo, size);
            const int nButtons = DrawButtons(&memDC, pInfo, size);
            DrawCaptionText(&memDC, pInfo, size, nIcon, nButtons);
        }
        pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &memDC, 0, 0, SRCCOPY);
        memDC.SelectObject(pOld);
    }
    ::ReleaseDC(m_hWndTarget, hdcWindow);
}

void COXCaptionPainter::DrawCaptionBackground(CDC* pDC, COXCaptionInfo* pInfo, const CRect& rectCaption)
{
    std::vector<OXCaptionBand> bands;
    OXComputeCaptionBands(*pInfo, pInfo->GetBackgroundColor(m_bActive), rectCaption.Width(), bands);
    for (const OXCaptionBand& b : bands)
        pDC->FillSolidRect(rectCaption.left + b.x, rectCaption.top, b.cx, rectCaption.Height(), b.color);
}

int COXCaptionPainter::DrawIcon(CDC* pDC, COXCaptionInfo*, const CSize&)
{
    if (!(Style(m_hWndTarget) & WS_SYSMENU))
        return 2;
    HICON hIcon = (HICON)::GetClassLongPtrA(m_hWndTarget, GCLP_HICONSM);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessageA(m_hWndTarget, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        return 2;
    const int cx = ::GetSystemMetrics(SM_CXSIZE), cy = ::GetSystemMetrics(SM_CYSIZE);
    ::DrawIconEx(pDC->GetSafeHdc(), 2, 1, hIcon, cx - 2, cy - 2, 0, NULL, DI_NORMAL);
    return cx + 2;
}

int COXCaptionPainter::DrawButtons(CDC* pDC, COXCaptionInfo*, const CSize& sizeCaption)
{
    const DWORD style = Style(m_hWndTarget);
    if (!(style & WS_SYSMENU))
        return 0;
    const bool bTool = IsToolWindow(m_hWndTarget);
    const int c = ::GetSystemMetrics(bTool ? SM_CXSMSIZE : SM_CXSIZE);
    const int h = ::GetSystemMetrics(bTool ? SM_CYSMSIZE : SM_CYSIZE);
    CRect r(sizeCaption.cx - c, 2, sizeCaption.cx - 2, h - 2);
    pDC->DrawFrameControl(r, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    int nWidth = c;
    if (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
        r.OffsetRect(-c, 0);
        UINT nMax = ::IsZoomed(m_hWndTarget) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
        if (!(style & WS_MAXIMIZEBOX))
            nMax |= DFCS_INACTIVE;
        pDC->DrawFrameControl(r, DFC_CAPTION, nMax);
        r.OffsetRect(-(c - 2), 0);
        UINT nMin = ::IsIconic(m_hWndTarget) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN;
        if (!(style & WS_MINIMIZEBOX))
            nMin |= DFCS_INACTIVE;
        pDC->DrawFrameControl(r, DFC_CAPTION, nMin);
        nWidth += 2 * c;
    } else if (::GetWindowLongA(m_hWndTarget, GWL_EXSTYLE) & WS_EX_CONTEXTHELP) {
        r.OffsetRect(-c, 0);
        pDC->DrawFrameControl(r, DFC_CAPTION, DFCS_CAPTIONHELP);
        nWidth += c;
    }
    return nWidth;
}

void COXCaptionPainter::DrawCaptionText(CDC* pDC, COXCaptionInfo* pInfo, const CSize& sizeCaption, int nIconWidth,
                                        int nButtonsWidth)
{
    CString text;
    CWnd::FromHandle(m_hWndTarget)->GetWindowText(text);
    m_sCaptionText = text;
    if (text.IsEmpty() || sizeCaption.cx - nIconWidth - nButtonsWidth < 1)
        return;
    LOGFONT lf;
    BOOL bFont = IsToolWindow(m_hWndTarget) ? pInfo->GetSmCaptionLogFont(&lf) : pInfo->GetCaptionLogFont(&lf);
    CFont font;
    CFont* pOldFont = NULL;
    if (bFont && font.CreateFontIndirect(&lf))
        pOldFont = pDC->SelectObject(&font);
    CRect r(nIconWidth, 0, sizeCaption.cx - nButtonsWidth, sizeCaption.cy);
    const UINT nFormat = pInfo->m_nTextFormat & COXCaptionInfo::kTextFormatFlags;
    // The colour is chosen for the part of the caption the title covers.
    CRect rectText = r;
    pDC->DrawText(text, rectText, (nFormat & ~(UINT)(DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) |
                                      DT_CALCRECT);
    const int cxText = std::min(rectText.Width(), r.Width());
    const int x0 = (nFormat & DT_RIGHT) ? r.right - cxText : (nFormat & DT_CENTER) ? r.left + (r.Width() - cxText) / 2
                                                                                : r.left;
    pDC->SetTextColor(OXCaptionTextColor(*pInfo, m_bActive, sizeCaption.cx, x0, x0 + cxText));
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(text, r, nFormat);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
}

void COXCaptionPainter::RestoreStyles()
{
    if (m_bStyleSaved) {
        ::SetWindowLongA(m_hWndTarget, GWL_STYLE, (LONG)m_dwSavedStyle);
        m_bStyleSaved = FALSE;
    }
    if (m_bExStyleSaved) {
        ::SetWindowLongA(m_hWndTarget, GWL_EXSTYLE, (LONG)m_dwSavedExStyle);
        m_bExStyleSaved = FALSE;
    }
}

LRESULT COXCaptionPainter::DefaultWithStyle(DWORD dwRemove, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = m_hWndTarget;
    const DWORD style = Style(hWnd);
    ::SetWindowLongA(hWnd, GWL_STYLE, (LONG)(style & ~dwRemove));
    LRESULT lResult = COXHookWnd::WindowProc(message, wParam, lParam);
    if (::IsWindow(hWnd))
        ::SetWindowLongA(hWnd, GWL_STYLE, (LONG)style);
    return lResult;
}

void COXCaptionPainter::OnNcPaint(HRGN hRgn)
{
    CRect rectCaption = GetCaptionRect();
    CRect rectWindow;
    ::GetWindowRect(m_hWndTarget, &rectWindow);
    rectCaption.OffsetRect(rectWindow.TopLeft());
    MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    if ((UINT_PTR)hRgn > 1 && !::RectInRegion(hRgn, &rectCaption)) {
        COXHookWnd::WindowProc(WM_NCPAINT, (WPARAM)hRgn, 0);
        return;
    }
    HRGN hFrame = ::CreateRectRgnIndirect(&rectWindow);
    if ((UINT_PTR)hRgn > 1)
        ::CombineRgn(hFrame, hRgn, NULL, RGN_COPY);
    HRGN hCaption = ::CreateRectRgnIndirect(&rectCaption);
    ::CombineRgn(hFrame, hFrame, hCaption, RGN_DIFF);
    const WPARAM wSaved = msg.wParam;
    msg.wParam = (WPARAM)hFrame;
    COXHookWnd::WindowProc(WM_NCPAINT, (WPARAM)hFrame, 0);
    msg.wParam = wSaved;
    ::DeleteObject(hCaption);
    ::DeleteObject(hFrame);
    DrawCaption();
}

BOOL COXCaptionPainter::OnNcActivate(BOOL bActive)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(m_hWndTarget);
    CFrameWnd* pFrame = pWnd ? dynamic_cast<CFrameWnd*>(pWnd) : NULL;
    BOOL bState = bActive;
    if (pFrame != NULL) {
        if (!pFrame->IsWindowEnabled())
            bState = FALSE;
        else if (pFrame->m_nFlags & WF_STAYACTIVE)
            bState = TRUE;
        if (bState == m_bActive && !bState) {
            DrawCaption();
            return TRUE;
        }
        if (!m_bInNcActivate) {
            m_bInNcActivate = TRUE;
            CFrameWnd* pActive = pFrame->GetActiveFrame();
            if (pActive != NULL && pActive != pFrame) {
                pActive->SendMessage(WM_NCACTIVATE, TRUE);
                pActive->SendMessage(WM_NCPAINT, 1);
            }
            HWND hNext = ::GetWindow(m_hWndTarget, GW_HWNDNEXT);
            if (hNext != NULL) {
                for (HWND h = hNext; h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
                    CWnd* p = CWnd::FromHandlePermanent(h);
                    if (p != NULL && p != pActive && dynamic_cast<CFrameWnd*>(p) != NULL)
                        ::SendMessageA(h, WM_NCACTIVATE, FALSE, 0);
                }
                for (HWND h = ::GetWindow(hNext, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV)) {
                    CWnd* p = CWnd::FromHandlePermanent(h);
                    if (p != NULL && dynamic_cast<CFrameWnd*>(p) != NULL)
                        ::SendMessageA(h, WM_NCACTIVATE, FALSE, 0);
                }
            }
            m_bInNcActivate = FALSE;
        }
    } else if (bActive == m_bActive) {
        return TRUE;
    }
    MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    msg.wParam = bState;
    COXHookWnd::WindowProc(WM_NCACTIVATE, bState, 0);
    m_bActive = bState;
    if (m_hWndTarget != NULL)
        ::SendMessageA(m_hWndTarget, WM_NCPAINT, 1, 0);
    return TRUE;
}

void COXCaptionPainter::OnSetText(LPCTSTR lpszText)
{
    // The system draws its own caption while it takes the new text: the
    // caption style is away for that moment (for a maximized MDI child, the
    // frame is hidden instead).
    HWND hWnd = m_hWndTarget;
    HWND hFrame = NULL;
    if (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD) {
        if (::IsZoomed(hWnd))
            hFrame = ::GetParent(::GetParent(hWnd));
    }
    if (hFrame != NULL) {
        const DWORD style = Style(hFrame);
        ::SetWindowLongA(hFrame, GWL_STYLE, (LONG)(style & ~WS_VISIBLE));
        COXHookWnd::WindowProc(WM_SETTEXT, 0, (LPARAM)lpszText);
        ::SetWindowLongA(hFrame, GWL_STYLE, (LONG)style);
    } else {
        DefaultWithStyle(WS_CAPTION, WM_SETTEXT, 0, (LPARAM)lpszText);
    }
    if (m_hWndTarget != NULL) {
        ResetCache();
        DrawCaption();
    }
}

LRESULT COXCaptionPainter::OnNcLButtonDown(UINT nHitTest, LPARAM lPoint)
{
    HWND hWnd = m_hWndTarget;
    if (nHitTest == HTCAPTION && !m_bActive) {
        const bool bMDIChild = (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
        ::SendMessageA(bMDIChild ? ::GetParent(hWnd) : hWnd, WM_ACTIVATE, TRUE, 0);
        DrawCaption();
        // A floating tool palette moves by its own drag; found by name, the
        // class need not be linked in.
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        const CRuntimeClass* pMiniDock = CRuntimeClass::FromName("CMiniDockFrameWnd");
        if (m_nColorDepth <= 8 && !(pWnd && pMiniDock && pWnd->IsKindOf(pMiniDock)))
            return ::SendMessageA(hWnd, WM_SYSCOMMAND, SC_MOVE, lPoint);
    }
    const bool bKeep = nHitTest == HTMINBUTTON || nHitTest == HTMAXBUTTON || nHitTest == HTCLOSE || nHitTest == HTHELP;
    const DWORD style = Style(hWnd);
    if (!bKeep)
        ::SetWindowLongA(hWnd, GWL_STYLE, (LONG)(style & ~WS_CAPTION));
    LRESULT lResult = COXHookWnd::WindowProc(WM_NCLBUTTONDOWN, nHitTest, lPoint);
    if (m_hWndTarget == NULL)
        return lResult;
    if (!bKeep)
        ::SetWindowLongA(hWnd, GWL_STYLE, (LONG)style);
    if (nHitTest == HTHELP)
        DrawCaption();
    return lResult;
}

LRESULT COXCaptionPainter::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_STYLECHANGING && message != WM_STYLECHANGED)
        RestoreStyles();
    if (message == WM_SET_CAPTION_PAINTER || message == WM_GET_CAPTION_PAINTER) {
        COXCaptionPainter* pOther = (COXCaptionPainter*)lParam;
        if (pOther == NULL)
            return 0;
        if (message == WM_SET_CAPTION_PAINTER) {
            ResetCache();
            m_infoActive = pOther->m_infoActive;
            m_infoInactive = pOther->m_infoInactive;
        } else {
            pOther->ResetCache();
            pOther->m_infoActive = m_infoActive;
            pOther->m_infoInactive = m_infoInactive;
        }
        return 1;
    }
    switch (message) {
    case WM_SIZE: {
        LRESULT r = COXHookWnd::WindowProc(message, wParam, lParam);
        if ((::GetWindowLongA(m_hWndTarget, GWL_EXSTYLE) & WS_EX_MDICHILD)
            && (wParam == SIZE_RESTORED || wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED))
            DrawCaption();
        return r;
    }
    case WM_SETTEXT:
        OnSetText((LPCTSTR)lParam);
        return 1;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        m_nColorDepth = ReadColorDepth();
        ResetCache();
        DrawCaption();
        return 0;
    case WM_CANCELMODE:
    case WM_HELP:
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_STYLECHANGED: {
        LRESULT r = COXHookWnd::WindowProc(message, wParam, lParam);
        if (message == WM_STYLECHANGED)
            ResetCache();
        DrawCaption();
        return r;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) >= HTLEFT && LOWORD(lParam) <= HTBOTTOMRIGHT)
            return DefaultWithStyle(WS_CAPTION, message, wParam, lParam);
        break;
    case WM_NCPAINT:
        OnNcPaint((HRGN)wParam);
        return 0;
    case WM_NCACTIVATE:
        return OnNcActivate((BOOL)wParam);
    case WM_NCLBUTTONDOWN:
        return OnNcLButtonDown((UINT)wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && (Style(m_hWndTarget) & WS_MAXIMIZEBOX)) {
            ::SendMessageA(m_hWndTarget, WM_SYSCOMMAND, ::IsZoomed(m_hWndTarget) ? SC_RESTORE : SC_MAXIMIZE, 0);
            DrawCaption();
            return 0;
        }
        break;
    case WM_COMMAND:
    case WM_SYSCOMMAND: {
        const bool bWindowCmd = message == WM_COMMAND
            && (wParam == ID_WINDOW_ARRANGE || wParam == ID_WINDOW_CASCADE || wParam == ID_WINDOW_TILE_HORZ
                || wParam == ID_WINDOW_TILE_VERT);
        const bool bSizeCmd = message == WM_SYSCOMMAND
            && (wParam == SC_MINIMIZE || wParam == SC_MAXIMIZE || wParam == SC_RESTORE);
        if (message == WM_SYSCOMMAND && (bSizeCmd || wParam == SC_CLOSE))
            DrawCaption();
        if (!bWindowCmd && !bSizeCmd)
            break;
        ANIMATIONINFO ai = {sizeof ai};
        ::SystemParametersInfoA(SPI_GETANIMATION, sizeof ai, &ai, 0);
        const BOOL bAnimated = ai.iMinAnimate;
        if (bAnimated) {
            ai.iMinAnimate = 0;
            ::SystemParametersInfoA(SPI_SETANIMATION, sizeof ai, &ai, 0);
        }
        LRESULT r = COXHookWnd::WindowProc(message, wParam, lParam);
        if (bAnimated) {
            ai.iMinAnimate = 1;
            ::SystemParametersInfoA(SPI_SETANIMATION, sizeof ai, &ai, 0);
        }
        return r;
    }
    case WM_TIMER:
        if (m_nRefreshTimer != 0 && wParam == m_nRefreshTimer) {
            CString text;
            CWnd::FromHandle(m_hWndTarget)->GetWindowText(text);
            if (text != m_sCaptionText) {
                ResetCache();
                DrawCaption();
            }
            return 0;
        }
        break;
    case WM_DESTROY:
        StopRefreshTimer();
        break;
    default:
        break;
    }
    return COXHookWnd::WindowProc(message, wParam, lParam);
}

namespace {

// Runs one step on each of the painter's two records, "Active" and
// "Inactive", each a value of the application's key under the subkey; FALSE
// without the key or when a step threw.
template <class F>
BOOL ForEachCaptionRecord(LPCTSTR lpszSubKey, COXCaptionInfo& active, COXCaptionInfo& inactive, F step)
{
    CWinApp* pApp = AfxGetApp();
    HKEY hKey = pApp != NULL ? pApp->GetAppRegistryKey() : NULL;
    if (hKey == NULL)
        return FALSE;
    BOOL bOk = TRUE;
    const struct { const char* name; COXCaptionInfo* pInfo; } values[] = {{"Active", &active},
                                                                          {"Inactive", &inactive}};
    for (const auto& v : values) {
        try {
            COXRegistryValFile file(hKey, lpszSubKey, v.name);
            step(file, *v.pInfo);
        } catch (CException* e) {
            e->Delete();
            bOk = FALSE;
        }
    }
    ::RegCloseKey(hKey);
    return bOk;
}

}  // namespace

BOOL COXCaptionPainter::SaveState(LPCTSTR lpszSubKey)
{
    return ForEachCaptionRecord(lpszSubKey, m_infoActive, m_infoInactive,
                                [](COXRegistryValFile& file, COXCaptionInfo& info) {
                                    file.SetLength(0);   // a shorter record keeps no tail of the last
                                    CArchive ar(&file, CArchive::store, 4096);
                                    info.Serialize(ar);
                                    ar.Close();
                                    file.Close();
                                });
}

BOOL COXCaptionPainter::LoadState(LPCTSTR lpszSubKey, BOOL bRedraw)
{
    BOOL bOk = ForEachCaptionRecord(lpszSubKey, m_infoActive, m_infoInactive,
                                    [](COXRegistryValFile& file, COXCaptionInfo& info) {
                                        if (file.GetLength() > 0) {
                                            // Read aside: a record cut short leaves the settings as
                                            // they were.
                                            COXCaptionInfo loaded;
                                            CArchive ar(&file, CArchive::load, 4096);
                                            loaded.Serialize(ar);
                                            ar.Close();
                                            info.TakeFrom(loaded);
                                        }
                                        file.Abort();
                                    });
    if (bOk && bRedraw && m_hWndTarget != NULL) {
        ResetCache();
        ::SendMessageA(m_hWndTarget, WM_NCPAINT, 1, 0);
    }
    return bOk;
}

BOOL OXSetCaptionPainter(CWnd* pWnd, COXCaptionPainter* pPainter)
{
    return pWnd != NULL && pWnd->GetSafeHwnd() != NULL
        && ::SendMessageA(pWnd->GetSafeHwnd(), WM_SET_CAPTION_PAINTER, 0, (LPARAM)pPainter) != 0;
}

BOOL OXGetCaptionPainter(CWnd* pWnd, COXCaptionPainter* pPainter)
{
    return pWnd != NULL && pWnd->GetSafeHwnd() != NULL
        && ::SendMessageA(pWnd->GetSafeHwnd(), WM_GET_CAPTION_PAINTER, 0, (LPARAM)pPainter) != 0;
}

// ---------------------------------------------------------------------------
// COXCaptionPainterOrganizer
// ---------------------------------------------------------------------------
COXCaptionPainterOrganizer::COXCaptionPainterOrganizer()
    : m_dwThreadID(0), m_hCBTHook(NULL), m_hGetMessageHook(NULL)
{
}

COXCaptionPainterOrganizer::~COXCaptionPainterOrganizer()
{
    if (m_dwThreadID != 0)
        DetachFromThread(TRUE);
    else
        Detach(NULL, TRUE);
    for (INT_PTR i = 0; i < m_arrUnusedPainters.GetSize(); i++)
        delete m_arrUnusedPainters[i];
}

COXCaptionPainter* COXCaptionPainterOrganizer::GetPainter(const CWnd* pWnd) const
{
    COXCaptionPainter* pPainter = NULL;
    if (pWnd == NULL || !m_mapPainters.Lookup(pWnd->GetSafeHwnd(), pPainter))
        return NULL;
    return pPainter;
}

BOOL COXCaptionPainterOrganizer::IsRefused(HWND hWnd) const
{
    void* p = NULL;
    return m_mapRefused.Lookup(hWnd, p);
}

COXCaptionPainter* COXCaptionPainterOrganizer::Attach(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return NULL;
    if (COXCaptionPainter* pExisting = GetPainter(pWnd))
        return pExisting;
    COXCaptionPainter* pPainter;
    if (m_arrUnusedPainters.GetSize() > 0) {
        pPainter = m_arrUnusedPainters[0];
        m_arrUnusedPainters.RemoveAt(0);
    } else {
        pPainter = new COXCaptionPainter;
    }
    if (!pPainter->Attach(pWnd)) {
        m_arrUnusedPainters.Add(pPainter);
        return NULL;
    }
    m_mapPainters.SetAt(pWnd->GetSafeHwnd(), pPainter);
    return pPainter;
}

BOOL COXCaptionPainterOrganizer::Detach(CWnd* pWnd, BOOL bRedraw)
{
    if (pWnd != NULL) {
        HWND hWnd = pWnd->GetSafeHwnd();
        COXCaptionPainter* pPainter = NULL;
        if (!m_mapPainters.Lookup(hWnd, pPainter))
            return FALSE;
        m_mapPainters.RemoveKey(hWnd);
        if (pPainter->IsHooked())
            pPainter->Unhook();
        if (bRedraw && ::IsWindow(hWnd)) {
            pPainter->ResetCache();
            ::SendMessageA(hWnd, WM_NCPAINT, 1, 0);
        }
        m_arrUnusedPainters.Add(pPainter);
        return TRUE;
    }
    for (POSITION pos = m_mapPainters.GetStartPosition(); pos != NULL;) {
        HWND hWnd;
        COXCaptionPainter* pPainter;
        m_mapPainters.GetNextAssoc(pos, hWnd, pPainter);
        if (pPainter->IsHooked())
            pPainter->Unhook();
        if (bRedraw && ::IsWindow(hWnd)) {
            // The system draws its own caption again.
            CRect rect;
            ::GetWindowRect(hWnd, &rect);
            if (HWND hParent = ::GetParent(hWnd))
                ::MapWindowPoints(NULL, hParent, (LPPOINT)&rect, 2);
            WINDOWPOS wp = {hWnd, NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_FRAMECHANGED};
            ::SendMessageA(hWnd, WM_WINDOWPOSCHANGED, 0, (LPARAM)&wp);
            HDC hdc = ::GetWindowDC(hWnd);
            ::SendMessageA(hWnd, WM_ERASEBKGND, (WPARAM)hdc, 0);
            ::ReleaseDC(hWnd, hdc);
            ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        pPainter->ResetCache();
        m_arrUnusedPainters.Add(pPainter);
    }
    m_mapPainters.RemoveAll();
    return TRUE;
}

void COXCaptionPainterOrganizer::ForEach(CWnd* pWnd, void (*pfn)(COXCaptionPainter*, BOOL), BOOL bArg)
{
    if (pWnd != NULL) {
        if (COXCaptionPainter* p = GetPainter(pWnd))
            pfn(p, bArg);
        return;
    }
    for (POSITION pos = m_mapPainters.GetStartPosition(); pos != NULL;) {
        HWND hWnd;
        COXCaptionPainter* p;
        m_mapPainters.GetNextAssoc(pos, hWnd, p);
        pfn(p, bArg);
    }
}

namespace
{
void RedrawPainter(COXCaptionPainter* p, BOOL bSendPaint)
{
    p->ResetCache();
    if (bSendPaint && p->GetHookedWnd() != NULL)
        ::SendMessageA(p->GetHookedWnd(), WM_NCPAINT, 1, 0);
}
} // namespace

BOOL COXCaptionPainterOrganizer::SetCaptionInfo(CWnd* pWnd, const COXCaptionInfo* pInfo, BOOL bActive, BOOL bRedraw)
{
    if (pWnd != NULL && GetPainter(pWnd) == NULL)
        return FALSE;
    static const COXCaptionInfo* s_pInfo;
    static BOOL s_bActive;
    s_pInfo = pInfo;
    s_bActive = bActive;
    ForEach(pWnd, [](COXCaptionPainter* p, BOOL) { p->SetCaptionInfo(s_pInfo, s_bActive); }, FALSE);
    if (bRedraw)
        ForEach(pWnd, RedrawPainter, TRUE);
    return TRUE;
}

void COXCaptionPainterOrganizer::Redraw(CWnd* pWnd, BOOL bSendPaint)
{
    ForEach(pWnd, RedrawPainter, bSendPaint);
}

BOOL COXCaptionPainterOrganizer::LoadState(CWnd* pWnd, LPCTSTR lpszSubKey, BOOL bRedraw)
{
    if (pWnd != NULL) {
        COXCaptionPainter* p = GetPainter(pWnd);
        return p != NULL && p->LoadState(lpszSubKey, bRedraw);
    }
    BOOL bOk = TRUE;
    for (POSITION pos = m_mapPainters.GetStartPosition(); pos != NULL;) {
        HWND hWnd;
        COXCaptionPainter* p;
        m_mapPainters.GetNextAssoc(pos, hWnd, p);
        bOk = p->LoadState(lpszSubKey, bRedraw) && bOk;
    }
    return bOk;
}

COXCaptionPainter* COXCaptionPainterOrganizer::GetFirstPainter() const
{
    return OXFirstLiveHandler(m_mapPainters);
}

void COXCaptionPainterOrganizer::AttachWithSettings(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || IsAttached(pWnd) || IsRefused(hWnd))
        return;
    COXCaptionPainter* pModel = GetFirstPainter();
    COXCaptionPainter* pPainter = Attach(pWnd);
    if (pPainter == NULL) {
        m_mapRefused.SetAt(hWnd, (void*)1);
        return;
    }
    if (pModel != NULL)
        OXSetCaptionPainter(pWnd, pModel);
}

void COXCaptionPainterOrganizer::AttachTree(HWND hWnd)
{
    for (; hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (::GetWindowThreadProcessId(hWnd, NULL) != m_dwThreadID)
            continue;
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && !IsAttached(pWnd) && !Attach(pWnd))
            m_mapRefused.SetAt(hWnd, (void*)1);
        if (HWND hChild = ::GetWindow(hWnd, GW_CHILD))
            AttachTree(hChild);
    }
}

BOOL COXCaptionPainterOrganizer::AttachToThread(DWORD dwThreadID)
{
    COXCaptionPainterOrganizer* pOther = NULL;
    if (m_dwThreadID != 0 || m_mapThreadOrganizer.Lookup(dwThreadID, pOther))
        return FALSE;
    m_mapThreadOrganizer.SetAt(dwThreadID, this);
    m_dwThreadID = dwThreadID;
    if (HWND hFirst = OXFirstWindowOfThread(dwThreadID))
        AttachTree(hFirst);
    OXInstallThreadHooks(dwThreadID, CBTHookProc, GetMessageHookProc, m_hCBTHook, m_hGetMessageHook, g_hCBTHook,
                         g_hGetMessageHook);
    return TRUE;
}

BOOL COXCaptionPainterOrganizer::DetachFromThread(BOOL bRedraw)
{
    if (m_dwThreadID == 0)
        return FALSE;
    OXRemoveThreadHooks(m_hCBTHook, m_hGetMessageHook, g_hCBTHook, g_hGetMessageHook);
    m_mapThreadOrganizer.RemoveKey(m_dwThreadID);
    m_dwThreadID = 0;
    m_mapRefused.RemoveAll();
    return Detach(NULL, bRedraw);
}

LRESULT CALLBACK COXCaptionPainterOrganizer::CBTHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = (HWND)wParam;
    COXCaptionPainterOrganizer* pOrganizer = NULL;
    if (nCode < 0 || !::IsWindow(hWnd)
        || !m_mapThreadOrganizer.Lookup(::GetWindowThreadProcessId(hWnd, NULL), pOrganizer))
        return ::CallNextHookEx(g_hCBTHook, nCode, wParam, lParam);
    try {
        if (nCode == HCBT_DESTROYWND) {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (pWnd != NULL && pOrganizer->IsAttached(pWnd))
                pOrganizer->Detach(pWnd, FALSE);
            pOrganizer->m_mapRefused.RemoveKey(hWnd);
        } else {
            pOrganizer->AttachWithSettings(hWnd);
        }
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return ::CallNextHookEx(pOrganizer->m_hCBTHook, nCode, wParam, lParam);
}

LRESULT CALLBACK COXCaptionPainterOrganizer::GetMessageHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = (const MSG*)lParam;
    COXCaptionPainterOrganizer* pOrganizer = NULL;
    if (nCode < 0 || pMsg == NULL || !::IsWindow(pMsg->hwnd)
        || !m_mapThreadOrganizer.Lookup(::GetCurrentThreadId(), pOrganizer))
        return ::CallNextHookEx(g_hGetMessageHook, nCode, wParam, lParam);
    try {
        pOrganizer->AttachWithSettings(pMsg->hwnd);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return ::CallNextHookEx(pOrganizer->m_hGetMessageHook, nCode, wParam, lParam);
}
