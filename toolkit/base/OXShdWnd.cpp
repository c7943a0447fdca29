#include "OXShdWnd.h"

#include <vector>

BEGIN_MESSAGE_MAP(COXShdWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

namespace
{
const int kBand = 4;
const int kFade[4][4] = {   // [step from the start of the edge - 4][k]
    {250, 245, 240, 235}, {245, 235, 225, 215}, {240, 225, 210, 195}, {235, 215, 195, 175}};

inline COLORREF Darken(COLORREF c, int f)
{
    if (f >= 255)
        return c;
    return RGB(::MulDiv(GetRValue(c), f, 255), ::MulDiv(GetGValue(c), f, 255), ::MulDiv(GetBValue(c), f, 255));
}

struct CShadowPixel
{
    int x, y;   // relative to the rectangle's top-left
    int nFactor;
};

// Every pixel of the two bands that lies inside the rectangle, in drawing
// order: the right edge column by column from the outermost (its bottom-right
// corner included), then the bottom edge row by row. In a window under 12
// pixels high the right edge's two fades overlap and a pixel comes twice: the
// later one decides its factor.
std::vector<CShadowPixel> ShadowPixels(int cx, int cy)
{
    std::vector<CShadowPixel> pixels;
    for (int k = 0; k < kBand && k < cx; k++) {
        const int x = cx - 1 - k;
        for (int y = 0; y < kBand && y < cy; y++)
            pixels.push_back({x, y, 255});
        for (int i = 0; i < 4 && kBand + i < cy; i++)
            pixels.push_back({x, kBand + i, kFade[i][k]});
        for (int y = 8; y <= cy - 5; y++)
            pixels.push_back({x, y, 230 - 25 * k});
        for (int i = 0; i < 4 && cy - 1 - i >= 0; i++)
            pixels.push_back({x, cy - 1 - i, kFade[i][k]});
    }
    // The bottom edge stops short of the corner at every width.
    const int nLeftOfCorner = cx - kBand;
    for (int k = 0; k < kBand && k < cy; k++) {
        const int y = cy - 1 - k;
        for (int x = 0; x < kBand && x < nLeftOfCorner; x++)
            pixels.push_back({x, y, 255});
        for (int i = 0; i < 4 && kBand + i < nLeftOfCorner; i++)
            pixels.push_back({kBand + i, y, kFade[i][k]});
        for (int x = 8; x <= cx - 5; x++)
            pixels.push_back({x, y, 230 - 25 * k});
    }
    return pixels;
}
} // namespace

void COXShdWnd::DrawShadow(CDC* pDC, const CRect& rect, CArray<COLORREF, COLORREF>* pCache)
{
    const int cx = rect.Width(), cy = rect.Height();
    if (pDC == NULL || cx <= 0 || cy <= 0)
        return;
    const std::vector<CShadowPixel> pixels = ShadowPixels(cx, cy);
    const bool bFromCache = pCache != NULL && pCache->GetSize() >= (INT_PTR)pixels.size();

    // The window's rectangle as one 32-bit image: read from the screen in one
    // copy (unless the cache has the colours), changed in its bands only,
    // and written back band by band.
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB};
    void* pvBits = NULL;
    HDC hdcMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HBITMAP hbm = ::CreateDIBSection(hdcMem, &bi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    if (hdcMem == NULL || hbm == NULL) {
        if (hbm) ::DeleteObject(hbm);
        if (hdcMem) ::DeleteDC(hdcMem);
        return;
    }
    HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
    DWORD* pBits = (DWORD*)pvBits;
    if (!bFromCache) {
        HDC hdcScreen = ::GetDC(::GetDesktopWindow());
        ::BitBlt(hdcMem, cx - kBand, 0, kBand, cy, hdcScreen, rect.right - kBand, rect.top, SRCCOPY);
        ::BitBlt(hdcMem, 0, cy - kBand, cx, kBand, hdcScreen, rect.left, rect.bottom - kBand, SRCCOPY);
        ::ReleaseDC(::GetDesktopWindow(), hdcScreen);
        ::GdiFlush();
    }
    // Every source colour is taken before any pixel changes, so that a pixel
    // drawn twice is darkened from what lay beneath, not from its own shadow.
    std::vector<COLORREF> sources(pixels.size());
    for (size_t i = 0; i < pixels.size(); i++) {
        if (bFromCache) {
            sources[i] = pCache->GetAt((INT_PTR)i);
        } else {
            const DWORD px = pBits[(size_t)pixels[i].y * cx + pixels[i].x];
            sources[i] = RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
            if (pCache != NULL)
                pCache->Add(sources[i]);
        }
    }
    for (size_t i = 0; i < pixels.size(); i++) {
        const COLORREF c = Darken(sources[i], pixels[i].nFactor);
        pBits[(size_t)pixels[i].y * cx + pixels[i].x] =
            ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c);
    }
    HDC hdc = pDC->GetSafeHdc();
    const int band = kBand < cx ? kBand : cx, bandY = kBand < cy ? kBand : cy;
    ::BitBlt(hdc, cx - band, 0, band, cy, hdcMem, cx - band, 0, SRCCOPY);
    ::BitBlt(hdc, 0, cy - bandY, cx, bandY, hdcMem, 0, cy - bandY, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteObject(hbm);
    ::DeleteDC(hdcMem);
}

BOOL COXShdWnd::OnEraseBkgnd(CDC* pDC)
{
    // The windows beneath paint first, so their pixels are what is darkened.
    MSG msg;
    for (int i = 0; i < 100 && ::PeekMessageA(&msg, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE); i++)
        ::DispatchMessageA(&msg);
    CRect rect;
    GetWindowRect(&rect);
    DrawShadow(pDC, rect, NULL);
    return 0;
}

void COXShdWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanged(lpwndpos);
}
