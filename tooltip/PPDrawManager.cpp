// PPDrawManager.cpp - CPPDrawManager: the drawing effects behind the HTML drawer
// and the tooltip window.
#include "PPDrawManager.h"
#include <stdlib.h>
#include <string.h>
#include <vector>
#include <algorithm>

namespace {

// A texture canvas larger than this is not rendered: the fill falls back to
// solid colour instead of allocating without bound for a size from markup.
const long long kMaxTexturePixels = 1024LL * 1024;
// Filters over DIB sections are refused beyond this many pixels for the same
// reason.
const long long kMaxFilterPixels = 16LL * 1024 * 1024;

// A 32-bit bottom-up DIB section; *ppBits receives its pixels.
HBITMAP CreateSection32(HDC hdc, int width, int height, DWORD** ppBits)
{
    *ppBits = NULL;
    if (width <= 0 || height <= 0 || (long long)width * height > kMaxFilterPixels)
        return NULL;
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP hbm = ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    if (hbm && !bits) {
        ::DeleteObject(hbm);
        return NULL;
    }
    *ppBits = (DWORD*)bits;
    return hbm;
}

// A memory DC with a bitmap selected, released in reverse order.
class CSelectedDC
{
public:
    CSelectedDC(HDC hdcRef, HBITMAP hbm) : m_hdc(::CreateCompatibleDC(hdcRef)), m_old(NULL)
    {
        if (m_hdc && hbm)
            m_old = ::SelectObject(m_hdc, hbm);
    }
    ~CSelectedDC()
    {
        if (m_hdc) {
            if (m_old)
                ::SelectObject(m_hdc, m_old);
            ::DeleteDC(m_hdc);
        }
    }
    operator HDC() const { return m_hdc; }

private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

// A section holding a copy of an area of a DC.
HBITMAP CopyAreaToSection(HDC hdc, int x, int y, int width, int height, DWORD** ppBits)
{
    HBITMAP hbm = CreateSection32(hdc, width, height, ppBits);
    if (!hbm)
        return NULL;
    CSelectedDC mem(hdc, hbm);
    if (!(HDC)mem) {
        ::DeleteObject(hbm);
        *ppBits = NULL;
        return NULL;
    }
    ::BitBlt(mem, 0, 0, width, height, hdc, x, y, SRCCOPY);
    ::GdiFlush();
    return hbm;
}

void BlitSectionBack(HDC hdc, int x, int y, int width, int height, HBITMAP hbm)
{
    CSelectedDC mem(hdc, hbm);
    if ((HDC)mem)
        ::BitBlt(hdc, x, y, width, height, mem, 0, 0, SRCCOPY);
}

int MapPenStyle(int nStyle)
{
    switch (nStyle) {
    case PEN_DASH: return PS_DASH;
    case PEN_DOT: return PS_DOT;
    case PEN_DASHDOT: return PS_DASHDOT;
    case PEN_DASHDOTDOT: return PS_DASHDOTDOT;
    default: return PS_SOLID;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Colours
// ---------------------------------------------------------------------------

DWORD CPPDrawManager::ToGray(DWORD clr)
{
    int g = (int)((clr & 0xFF) * 0.299 + ((clr >> 8) & 0xFF) * 0.587 + ((clr >> 16) & 0xFF) * 0.114);
    g &= 0xFF;
    return (DWORD)g * 0x010101;
}

DWORD CPPDrawManager::NegativeColor(DWORD clr)
{
    return (~clr) & 0xFFFFFF;
}

DWORD CPPDrawManager::ScaleColor(DWORD clr, double dFactor)
{
    if (dFactor < 0 || dFactor >= 1)
        return clr;
    DWORD r = (DWORD)(dFactor * (clr & 0xFF));
    DWORD g = (DWORD)(dFactor * ((clr >> 8) & 0xFF));
    DWORD b = (DWORD)(dFactor * ((clr >> 16) & 0xFF));
    return r | (g << 8) | (b << 16);
}

DWORD CPPDrawManager::BrightenColor(DWORD clr, double dFactor)
{
    if (dFactor <= 0 || dFactor > 1)
        return clr;
    DWORD out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        double v = (1 + dFactor) * ((clr >> shift) & 0xFF);
        out |= (DWORD)(int)std::min(255.0, v) << shift;
    }
    return out;
}

DWORD CPPDrawManager::MixColors(DWORD clr1, double dWeight1, DWORD clr2, double dWeight2)
{
    DWORD out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int v = (int)(dWeight1 * ((clr1 >> shift) & 0xFF) + dWeight2 * ((clr2 >> shift) & 0xFF));
        out |= (DWORD)(v & 0xFF) << shift;
    }
    return out;
}

SIZE CPPDrawManager::MeasureIcon(HICON hIcon)
{
    SIZE sz = {0, 0};
    ICONINFO ii;
    if (!hIcon || !::GetIconInfo(hIcon, &ii))
        return sz;
    sz.cx = (LONG)ii.xHotspot * 2;
    sz.cy = (LONG)ii.yHotspot * 2;
    if (ii.hbmMask)
        ::DeleteObject(ii.hbmMask);
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    return sz;
}

SIZE CPPDrawManager::MeasureBitmap(HBITMAP hBitmap)
{
    SIZE sz = {0, 0};
    BITMAP bm;
    if (hBitmap && ::GetObjectA(hBitmap, sizeof(bm), &bm)) {
        sz.cx = bm.bmWidth;
        sz.cy = bm.bmHeight;
    }
    return sz;
}

// ---------------------------------------------------------------------------
// Fills
// ---------------------------------------------------------------------------

// 64 solid bands; the last one stops one step short of the end colour.
void CPPDrawManager::FillTwoColorGradient(HDC hdc, int left, int top, int right, int bottom,
                                          COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    const int r1 = GetRValue(crFrom), g1 = GetGValue(crFrom), b1 = GetBValue(crFrom);
    const int r2 = GetRValue(crTo), g2 = GetGValue(crTo), b2 = GetBValue(crTo);
    for (int k = 0; k < 64; ++k) {
        RECT band = {left, top, right, bottom};
        long long extent = bHorz ? (long long)right - left : (long long)bottom - top;
        int from = (int)((extent * k) >> 6), to = (int)((extent * (k + 1)) >> 6);
        if (bHorz) {
            band.left = left + from;
            band.right = left + to;
        } else {
            band.top = top + from;
            band.bottom = top + to;
        }
        if (band.right <= band.left || band.bottom <= band.top)
            continue;
        COLORREF c = RGB((r1 * (64 - k) + r2 * k) >> 6, (g1 * (64 - k) + g2 * k) >> 6,
                         (b1 * (64 - k) + b2 * k) >> 6);
        HBRUSH br = ::CreateSolidBrush(c);
        ::FillRect(hdc, &band, br);
        ::DeleteObject(br);
    }
}

void CPPDrawManager::FillRectWithEffect(HDC hdc, int nEffect, LPCRECT lpRect, COLORREF clr1,
                                        COLORREF clr2, COLORREF clr3, BYTE nGranularity,
                                        BYTE nBlendPercent)
{
    if (!lpRect)
        return;
    RECT rc = *lpRect;
    int midX = rc.left + (rc.right - rc.left) / 2;
    int midY = rc.top + (rc.bottom - rc.top) / 2;
    switch (nEffect) {
    case EFFECT_HGRADIENT:
        FillTwoColorGradient(hdc, rc.left, rc.top, rc.right, rc.bottom, clr1, clr3, TRUE);
        return;
    case EFFECT_VGRADIENT:
        FillTwoColorGradient(hdc, rc.left, rc.top, rc.right, rc.bottom, clr1, clr3, FALSE);
        return;
    case EFFECT_HCGRADIENT:
        FillTwoColorGradient(hdc, rc.left, rc.top, midX, rc.bottom, clr1, clr3, TRUE);
        FillTwoColorGradient(hdc, midX, rc.top, rc.right, rc.bottom, clr3, clr1, TRUE);
        return;
    case EFFECT_VCGRADIENT:
        FillTwoColorGradient(hdc, rc.left, rc.top, rc.right, midY, clr1, clr3, FALSE);
        FillTwoColorGradient(hdc, rc.left, midY, rc.right, rc.bottom, clr3, clr1, FALSE);
        return;
    case EFFECT_3HGRADIENT:
        FillTwoColorGradient(hdc, rc.left, rc.top, midX, rc.bottom, clr1, clr2, TRUE);
        FillTwoColorGradient(hdc, midX, rc.top, rc.right, rc.bottom, clr2, clr3, TRUE);
        return;
    case EFFECT_3VGRADIENT:
        FillTwoColorGradient(hdc, rc.left, rc.top, rc.right, midY, clr1, clr2, FALSE);
        FillTwoColorGradient(hdc, rc.left, midY, rc.right, rc.bottom, clr2, clr3, FALSE);
        return;
    default:
        break;
    }
    if (nEffect >= EFFECT_NOISE && nEffect <= EFFECT_METAL) {
        if (rc.right <= rc.left || rc.bottom <= rc.top)
            return;
        if (RenderTexture(0, 0, rc.right - rc.left, rc.bottom - rc.top, nEffect, nGranularity,
                          nBlendPercent, clr1, clr2, clr3)) {
            m_dib.Draw(hdc, (DWORD)rc.left, (DWORD)rc.top);
            return;
        }
    }
    HBRUSH br = ::CreateSolidBrush(clr1);
    ::FillRect(hdc, &rc, br);
    ::DeleteObject(br);
}

BOOL CPPDrawManager::RenderTexture(int left, int top, int right, int bottom, int nEffect,
                                   BYTE nGranularity, BYTE nBlendPercent, COLORREF clr1,
                                   COLORREF clr2, COLORREF clr3)
{
    const int w = right - left, h = bottom - top;
    if (w <= 0 || h <= 0 || (long long)w * h > kMaxTexturePixels)
        return FALSE;
    if (nEffect == EFFECT_METAL && (w > 32767 || h > 32767))
        return FALSE;
    if (nEffect == EFFECT_HARDBUMP && h < 2)
        return FALSE;
    if (!m_dib.Create((DWORD)w, (DWORD)h, 8))
        return FALSE;

    for (int k = 0; k < 128; ++k)
        m_dib.SetPaletteIndex((BYTE)k,
                              (BYTE)((GetRValue(clr3) * (128 - k) + GetRValue(clr2) * k) / 128),
                              (BYTE)((GetGValue(clr3) * (128 - k) + GetGValue(clr2) * k) / 128),
                              (BYTE)((GetBValue(clr3) * (128 - k) + GetBValue(clr2) * k) / 128));
    for (int k = 128; k < 256; ++k)
        m_dib.SetPaletteIndex((BYTE)k,
                              (BYTE)((GetRValue(clr1) * (k - 127) + GetRValue(clr2) * (255 - k)) / 128),
                              (BYTE)((GetGValue(clr1) * (k - 127) + GetGValue(clr2) * (255 - k)) / 128),
                              (BYTE)((GetBValue(clr1) * (k - 127) + GetBValue(clr2) * (255 - k)) / 128));
    m_dib.BlendPalette(clr1, nBlendPercent & 0xFF);

    const int C = nGranularity & 0xFF;
    const int N = C ? 2 * C : 1;
    const int E = 32767 / N;
    const int hi = 255 - C, span = 255 - 2 * C;
    LPBYTE bits = m_dib.GetBits();
    const int line = (int)m_dib.GetLineWidth();
    auto noise = [&]() { return rand() / E; };
    auto cube = [](int t) { return (t * t * t) / 16384; };

    switch (nEffect) {
    case EFFECT_METAL: {
        m_dib.Clear(0);
        for (int i = 0; i < 200; ++i) {
            int X = rand() / (32767 / w), Y = rand() / (32767 / h);
            int L = (rand() / (32767 / std::min(w, h))) / 2;
            BYTE index = (BYTE)(rand() / 819);
            for (int j = 0; j < L; ++j) {
                if (X - j > 0 && Y + j < h)
                    m_dib.SetPixelIndex((DWORD)(X - j), (DWORD)(Y + j), index);
                if (X + j < w && Y - j > 0)
                    m_dib.SetPixelIndex((DWORD)(w - X + j), (DWORD)(Y - j), index);
            }
        }
        const int s = (span - 40) / 2;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                BYTE& p = bits[y * line + x];
                p = (BYTE)(p + s * y / h + (s * (w - x)) / w + noise());
            }
        break;
    }
    case EFFECT_HARDBUMP: {
        for (int y = 0; y < h; ++y) {
            int t = (255 * y) / h - 127;
            for (int x = 0; x < w; ++x)
                bits[y * line + x] = (BYTE)(((cube(t) * (64 - C) * 2) / 128) + 128 + noise() - C);
        }
        const int b = std::min(w / 6, 16);
        const int q = (h * h) / 4;
        for (int y = 0; y < h; ++y) {
            int i = y - h / 2;
            int k = q ? ((i * b) * i) / q : 0;
            int o = k + w / 2 - b;
            for (int x = 0; x < w; ++x) {
                BYTE& p = bits[y * line + x];
                if (b) {
                    if (o < x - w / 2)
                        p = (BYTE)(C + (128 * (w - x)) / b);
                    if (k + x - b < 0)
                        p = (BYTE)(hi - (128 * x) / b);
                }
                p = (BYTE)(p + noise() - C);
            }
        }
        break;
    }
    default:
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                int base = 128;
                switch (nEffect) {
                case EFFECT_DIAGSHADE:
                    base = C + (y * (span / 2)) / h + ((span / 2) * (w - x)) / w;
                    break;
                case EFFECT_HSHADE:
                    base = C + (y * span) / h;
                    break;
                case EFFECT_VSHADE:
                    base = C + (span * (w - x)) / w;
                    break;
                case EFFECT_HBUMP:
                    base = ((cube((255 * y) / h - 127) * (128 - C)) / 128) + 128;
                    break;
                case EFFECT_VBUMP:
                    base = ((cube((255 * (w - x)) / w - 127) * (128 - C)) / 128) + 128;
                    break;
                case EFFECT_SOFTBUMP: {
                    int ty = (255 * y) / h - 127, tx = (255 * (w - x)) / w - 127;
                    int v = ((cube(ty) + cube(tx)) * (128 - C)) / 128 + 128;
                    base = std::max(C, std::min(hi, v));
                    break;
                }
                default:
                    break;
                }
                bits[y * line + x] = (BYTE)(base + noise() - C);
            }
        }
        break;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Frames and lines
// ---------------------------------------------------------------------------

void CPPDrawManager::DrawFrame(HDC hdc, int left, int top, int right, int bottom, COLORREF crTopLeft,
                               COLORREF crBottomRight, int nPenStyle, int nPenWidth)
{
    if (nPenStyle == PEN_NULL || nPenWidth <= 0)
        return;
    const int style = MapPenStyle(nPenStyle);
    const int half = nPenWidth / 2;
    const int d = 2 * nPenWidth;
    const bool dbl = nPenStyle == PEN_DOUBLE;
    HPEN pen = ::CreatePen(style, nPenWidth, crTopLeft);
    HGDIOBJ oldPen = ::SelectObject(hdc, pen);
    ::MoveToEx(hdc, left + half, bottom - half, NULL);
    ::LineTo(hdc, left + half, top + half);
    ::LineTo(hdc, right - half, top + half);
    if (dbl) {
        ::MoveToEx(hdc, left + half + d, bottom - half - d, NULL);
        ::LineTo(hdc, left + half + d, top + half + d);
        ::LineTo(hdc, right - half - d, top + half + d);
    }
    if (crBottomRight != crTopLeft) {
        HPEN pen2 = ::CreatePen(style, nPenWidth, crBottomRight);
        ::SelectObject(hdc, pen2);
        ::DeleteObject(pen);
        pen = pen2;
    }
    ::MoveToEx(hdc, right - half, top + half, NULL);
    ::LineTo(hdc, right - half, bottom - half);
    ::LineTo(hdc, left + half, bottom - half);
    if (dbl) {
        ::MoveToEx(hdc, right - half - d, top + half + d, NULL);
        ::LineTo(hdc, right - half - d, bottom - half - d);
        ::LineTo(hdc, left + half + d, bottom - half - d);
    }
    ::SelectObject(hdc, oldPen);
    ::DeleteObject(pen);
}

void CPPDrawManager::DrawFrameRect(HDC hdc, LPCRECT lpRect, COLORREF crTopLeft, COLORREF crBottomRight,
                                   int nPenStyle, int nPenWidth)
{
    if (lpRect)
        DrawFrame(hdc, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, crTopLeft,
                  crBottomRight, nPenStyle, nPenWidth);
}

void CPPDrawManager::DrawStyledLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF clr,
                                    int nPenStyle, int nPenWidth)
{
    if (nPenStyle == PEN_NULL || nPenWidth <= 0)
        return;
    HPEN pen = ::CreatePen(MapPenStyle(nPenStyle), nPenWidth, clr);
    HGDIOBJ old = ::SelectObject(hdc, pen);
    ::MoveToEx(hdc, x1, y1, NULL);
    ::LineTo(hdc, x2, y2);
    if (nPenStyle == PEN_DOUBLE) {
        const int d = 2 * nPenWidth;
        int dx = 0, dy = 0;
        // Not vertical: the copy moves down; not horizontal: it moves right.
        if (x1 != x2)
            dy = d;
        if (y1 != y2)
            dx = d;
        ::MoveToEx(hdc, x1 + dx, y1 + dy, NULL);
        ::LineTo(hdc, x2 + dx, y2 + dy);
    }
    ::SelectObject(hdc, old);
    ::DeleteObject(pen);
}

// ---------------------------------------------------------------------------
// Blits and filters
// ---------------------------------------------------------------------------

void CPPDrawManager::TileBlit(HDC hdc, int x, int y, int width, int height, HDC hSrcDC, int sx,
                              int sy, int tileWidth, int tileHeight)
{
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    for (int cx = x; cx < x + width; cx += tileWidth)
        for (int cy = y; cy < y + height; cy += tileHeight)
            ::BitBlt(hdc, cx, cy, std::min(cx + tileWidth, x + width) - cx,
                     std::min(cy + tileHeight, y + height) - cy, hSrcDC, sx, sy, SRCCOPY);
}

void CPPDrawManager::BlendBlit(HDC hdc, int x, int y, int width, int height, HDC hSrcDC, int sx,
                               int sy, int nPercent)
{
    if (nPercent >= 100) {
        ::BitBlt(hdc, x, y, width, height, hSrcDC, sx, sy, SRCCOPY);
        return;
    }
    DWORD *src = NULL, *dst = NULL;
    HBITMAP hSrc = CopyAreaToSection(hSrcDC, sx, sy, width, height, &src);
    if (!hSrc)
        return;
    HBITMAP hDst = CopyAreaToSection(hdc, x, y, width, height, &dst);
    if (!hDst) {
        ::DeleteObject(hSrc);
        return;
    }
    const double w1 = nPercent / 100.0, w2 = 1.0 - nPercent / 100.0;
    const size_t n = (size_t)width * height;
    for (size_t i = 0; i < n; ++i)
        dst[i] = MixColors(src[i], w1, dst[i], w2);
    BlitSectionBack(hdc, x, y, width, height, hDst);
    ::DeleteObject(hDst);
    ::DeleteObject(hSrc);
}

void CPPDrawManager::ShadeArea(HDC hdc, int x, int y, int width, int height, const double* pFactors)
{
    if (!pFactors)
        return;
    DWORD* bits = NULL;
    HBITMAP hbm = CopyAreaToSection(hdc, x, y, width, height, &bits);
    if (!hbm)
        return;
    const size_t n = (size_t)width * height;
    for (size_t i = 0; i < n; ++i)
        bits[i] = ScaleColor(bits[i], pFactors[i]);
    BlitSectionBack(hdc, x, y, width, height, hbm);
    ::DeleteObject(hbm);
}

HBITMAP CPPDrawManager::MakeEffectBitmap(HBITMAP hBitmap, int width, int height, DWORD dwEffects,
                                         BOOL bUseTransparent, DWORD dwTransparent, DWORD dwFill)
{
    if (!hBitmap)
        return NULL;
    DWORD* bits = NULL;
    HBITMAP hbm = CreateSection32(NULL, width, height, &bits);
    if (hbm) {
        CSelectedDC dst(NULL, hbm);
        CSelectedDC src(NULL, hBitmap);
        if ((HDC)dst && (HDC)src) {
            ::BitBlt(dst, 0, 0, width, height, src, 0, 0, SRCCOPY);
        } else {
            ::DeleteObject(hbm);
            hbm = NULL;
        }
    }
    if (!hbm)
        return NULL;
    ::GdiFlush();
    const size_t n = (size_t)width * height;
    const DWORD transparent = dwTransparent & 0xFFFFFF;
    for (size_t i = 0; i < n; ++i) {
        DWORD p = bits[i] & 0xFFFFFF;
        if (bUseTransparent && p == transparent) {
            p = 0;
        } else {
            if (dwEffects & IMAGE_EFFECT_GRAYEN)
                p = ToGray(p);
            if (dwEffects & IMAGE_EFFECT_DARKEN)
                p = ScaleColor(p, 0.75);
            if (dwEffects & IMAGE_EFFECT_LIGHTEN)
                p = BrightenColor(p, 0.25);
            if (dwEffects & IMAGE_EFFECT_MONOCHROME)
                p = dwFill & 0xFFFFFF;
        }
        if (dwEffects & IMAGE_EFFECT_INVERSE)
            p = NegativeColor(p);
        bits[i] = p;
    }
    return hbm;
}

HICON CPPDrawManager::ResizeIcon(HICON hIcon, int width, int height)
{
    ICONINFO ii;
    if (!hIcon || width <= 0 || height <= 0 || !::GetIconInfo(hIcon, &ii))
        return NULL;
    const int srcW = (int)ii.xHotspot * 2, srcH = (int)ii.yHotspot * 2;
    HICON result = NULL;
    HDC hdcSrc = ::CreateCompatibleDC(NULL);
    HDC hdcDst = ::CreateCompatibleDC(NULL);
    if (hdcSrc && hdcDst) {
        HBITMAP made[2] = {NULL, NULL};
        HBITMAP from[2] = {ii.hbmColor, ii.hbmMask};
        for (int i = 0; i < 2; ++i) {
            BITMAP bm;
            if (!from[i] || !::GetObjectA(from[i], sizeof(bm), &bm))
                continue;
            made[i] = ::CreateBitmap(width, height, bm.bmPlanes, bm.bmBitsPixel, NULL);
            if (!made[i])
                continue;
            HGDIOBJ o1 = ::SelectObject(hdcSrc, from[i]);
            HGDIOBJ o2 = ::SelectObject(hdcDst, made[i]);
            ::SetStretchBltMode(hdcDst, COLORONCOLOR);
            ::StretchBlt(hdcDst, 0, 0, width, height, hdcSrc, 0, 0, srcW, srcH, SRCCOPY);
            ::SelectObject(hdcSrc, o1);
            ::SelectObject(hdcDst, o2);
        }
        if (made[1]) {
            ICONINFO ni;
            ni.fIcon = TRUE;
            ni.xHotspot = (DWORD)width / 2;
            ni.yHotspot = (DWORD)height / 2;
            ni.hbmColor = made[0];
            ni.hbmMask = made[1];
            result = ::CreateIconIndirect(&ni);
        }
        for (int i = 0; i < 2; ++i)
            if (made[i])
                ::DeleteObject(made[i]);
    }
    if (hdcSrc)
        ::DeleteDC(hdcSrc);
    if (hdcDst)
        ::DeleteDC(hdcDst);
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask)
        ::DeleteObject(ii.hbmMask);
    return result;
}

void CPPDrawManager::DrawBitmapWithEffects(HDC hdc, int x, int y, int width, int height,
                                           HBITMAP hBitmap, BOOL bUseTransparent,
                                           COLORREF crTransparent, DWORD dwEffects, BOOL bShadow,
                                           int dxShadow, int dyShadow, int nBlurWidth,
                                           int nBlurHeight, COLORREF crShadow)
{
    if (!hBitmap || width <= 0 || height <= 0 || (long long)width * height > kMaxFilterPixels)
        return;
    SIZE sz = MeasureBitmap(hBitmap);
    HBITMAP copy = ::CreateCompatibleBitmap(hdc, width, height);
    if (!copy)
        return;
    {
        CSelectedDC dst(hdc, copy);
        CSelectedDC src(hdc, hBitmap);
        if (!(HDC)dst || !(HDC)src) {
            ::DeleteObject(copy);
            return;
        }
        if (sz.cx == width && sz.cy == height) {
            ::BitBlt(dst, 0, 0, width, height, src, 0, 0, SRCCOPY);
        } else {
            ::SetStretchBltMode(dst, COLORONCOLOR);
            ::StretchBlt(dst, 0, 0, width, height, src, 0, 0, sz.cx, sz.cy, SRCCOPY);
        }
    }
    // The transparent colour is a COLORREF; pixels hold blue in the low byte.
    const DWORD transparent = RGB(GetBValue(crTransparent), GetGValue(crTransparent), GetRValue(crTransparent));
    HBITMAP mask = MakeEffectBitmap(copy, width, height, IMAGE_EFFECT_INVERSE | IMAGE_EFFECT_MONOCHROME,
                                    bUseTransparent, transparent, 0xFFFFFF);
    HBITMAP image = MakeEffectBitmap(copy, width, height, dwEffects, bUseTransparent, transparent, 0xFFFFFF);
    int px = x, py = y;
    if (bShadow) {
        if (dwEffects & (IMAGE_EFFECT_SHADOW | IMAGE_EFFECT_BLURRED_SHADOW)) {
            const DWORD shadowPixel = RGB(GetBValue(crShadow), GetGValue(crShadow), GetRValue(crShadow));
            HBITMAP shadowMask = MakeEffectBitmap(copy, width, height,
                                                  IMAGE_EFFECT_INVERSE | IMAGE_EFFECT_MONOCHROME,
                                                  bUseTransparent, transparent, NegativeColor(shadowPixel));
            if (shadowMask) {
                CastShadow(hdc, x + dxShadow, y + dyShadow, width, height, shadowMask,
                           (dwEffects & IMAGE_EFFECT_BLURRED_SHADOW) != 0, nBlurWidth, nBlurHeight);
                ::DeleteObject(shadowMask);
            }
        } else {
            px = x + dxShadow;
            py = y + dyShadow;
        }
    }
    if (mask && image) {
        CSelectedDC m(hdc, mask);
        CSelectedDC i(hdc, image);
        ::BitBlt(hdc, px, py, width, height, m, 0, 0, SRCAND);
        ::BitBlt(hdc, px, py, width, height, i, 0, 0, SRCPAINT);
    }
    if (mask)
        ::DeleteObject(mask);
    if (image)
        ::DeleteObject(image);
    ::DeleteObject(copy);
}

void CPPDrawManager::DrawIconWithEffects(HDC hdc, int x, int y, int width, int height, HICON hIcon,
                                         DWORD dwEffects, BOOL bShadow, int dxShadow, int dyShadow,
                                         int nBlurWidth, int nBlurHeight, COLORREF crShadow)
{
    if (!hIcon || width <= 0 || height <= 0 || (long long)width * height > kMaxFilterPixels)
        return;
    if (!(dwEffects & (IMAGE_EFFECT_GRAYEN | IMAGE_EFFECT_DARKEN | IMAGE_EFFECT_LIGHTEN | IMAGE_EFFECT_MONOCHROME |
                       IMAGE_EFFECT_INVERSE)) && !bShadow) {
        // No filter and no shadow: the mask and the colours go straight to the
        // target, as the filtered path would put them.
        COLORREF oldText = ::SetTextColor(hdc, RGB(0, 0, 0));
        COLORREF oldBk = ::SetBkColor(hdc, RGB(255, 255, 255));
        ::DrawIconEx(hdc, x, y, hIcon, width, height, 0, NULL, DI_NORMAL);
        ::SetBkColor(hdc, oldBk);
        ::SetTextColor(hdc, oldText);
        return;
    }
    SIZE sz = MeasureIcon(hIcon);
    HICON icon = (sz.cx == width && sz.cy == height) ? ::CopyIcon(hIcon) : ResizeIcon(hIcon, width, height);
    if (!icon)
        return;
    ICONINFO ii;
    if (!::GetIconInfo(icon, &ii)) {
        ::DestroyIcon(icon);
        return;
    }
    if (ii.hbmColor) {
        HBITMAP image = MakeEffectBitmap(ii.hbmColor, width, height, dwEffects, TRUE, 0, 0xFFFFFF);
        int px = x, py = y;
        if (bShadow) {
            if (dwEffects & (IMAGE_EFFECT_SHADOW | IMAGE_EFFECT_BLURRED_SHADOW)) {
                const DWORD shadowPixel = RGB(GetBValue(crShadow), GetGValue(crShadow), GetRValue(crShadow));
                HBITMAP shadowMask = MakeEffectBitmap(ii.hbmMask, width, height,
                                                      IMAGE_EFFECT_INVERSE | IMAGE_EFFECT_MONOCHROME,
                                                      TRUE, 0xFFFFFF, NegativeColor(shadowPixel));
                if (shadowMask) {
                    CastShadow(hdc, x + dxShadow, y + dyShadow, width, height, shadowMask,
                               (dwEffects & IMAGE_EFFECT_BLURRED_SHADOW) != 0, nBlurWidth, nBlurHeight);
                    ::DeleteObject(shadowMask);
                }
            } else {
                px = x + dxShadow;
                py = y + dyShadow;
            }
        }
        if (image) {
            // The monochrome mask maps 0 to the text colour and 1 to the
            // background colour of the target.
            COLORREF oldText = ::SetTextColor(hdc, RGB(0, 0, 0));
            COLORREF oldBk = ::SetBkColor(hdc, RGB(255, 255, 255));
            {
                CSelectedDC m(hdc, ii.hbmMask);
                CSelectedDC i(hdc, image);
                ::BitBlt(hdc, px, py, width, height, m, 0, 0, SRCAND);
                ::BitBlt(hdc, px, py, width, height, i, 0, 0, SRCPAINT);
            }
            ::SetBkColor(hdc, oldBk);
            ::SetTextColor(hdc, oldText);
            ::DeleteObject(image);
        }
    } else {
        ::DrawIconEx(hdc, x, y, icon, width, height, 0, NULL, DI_NORMAL);
    }
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask)
        ::DeleteObject(ii.hbmMask);
    ::DestroyIcon(icon);
}

void CPPDrawManager::CastShadow(HDC hdc, int x, int y, int width, int height, HBITMAP hMask,
                                BOOL bBlurred, int nBlurWidth, int nBlurHeight)
{
    if (!hMask || width <= 0 || height <= 0)
        return;
    DWORD* m = NULL;
    HBITMAP hM = CreateSection32(hdc, width, height, &m);
    if (!hM)
        return;
    if (nBlurWidth < 1)
        nBlurWidth = 1;
    if (nBlurHeight < 1)
        nBlurHeight = 1;
    {
        CSelectedDC dst(hdc, hM);
        CSelectedDC src(hdc, hMask);
        if (!(HDC)dst || !(HDC)src) {
            ::DeleteObject(hM);
            return;
        }
        if (!bBlurred) {
            ::BitBlt(dst, 0, 0, width, height, src, 0, 0, SRCCOPY);
        } else {
            ::PatBlt(dst, 0, 0, width, height, WHITENESS);
            if (nBlurWidth % 2 == 0)
                ++nBlurWidth;
            if (nBlurHeight % 2 == 0)
                ++nBlurHeight;
            BITMAP bm;
            if (width - nBlurWidth > 0 && height - nBlurHeight > 0 && ::GetObjectA(hMask, sizeof(bm), &bm)) {
                ::SetStretchBltMode(dst, COLORONCOLOR);
                ::StretchBlt(dst, nBlurWidth / 2, nBlurHeight / 2, width - nBlurWidth,
                             height - nBlurHeight, src, 0, 0, std::min<int>(bm.bmWidth, width),
                             std::min<int>(bm.bmHeight, height), SRCCOPY);
            }
        }
    }
    ::GdiFlush();
    DWORD* d = NULL;
    HBITMAP hD = CopyAreaToSection(hdc, x, y, width, height, &d);
    if (hD) {
        const size_t n = (size_t)width * height;
        if (!bBlurred) {
            for (size_t i = 0; i < n; ++i)
                d[i] = ScaleColor(d[i], (m[i] & 0xFF) / 255.0);
        } else {
            std::vector<double> factors(n);
            ComputeBlurFactors(width, height, m, nBlurWidth, nBlurHeight, &factors[0]);
            for (size_t i = 0; i < n; ++i)
                d[i] = ScaleColor(d[i], factors[i]);
        }
        BlitSectionBack(hdc, x, y, width, height, hD);
        ::DeleteObject(hD);
    }
    ::DeleteObject(hM);
}

void CPPDrawManager::ComputeBlurFactors(int width, int height, const DWORD* pPixels, int boxWidth,
                                        int boxHeight, double* pFactors)
{
    if (!pFactors || !pPixels || width <= 0 || height <= 0 || boxWidth < 1 || boxHeight < 1)
        return;
    const int rows = height + boxHeight - 1, cols = width + boxWidth - 1;
    std::vector<double> grid((size_t)rows * cols);
    for (int gi = 0; gi < rows; ++gi) {
        int i = gi - boxHeight / 2;
        for (int gj = 0; gj < cols; ++gj) {
            int j = gj - boxWidth / 2;
            grid[(size_t)gi * cols + gj] = (i >= 0 && i < height && j >= 0 && j < width)
                                               ? (double)(pPixels[(size_t)i * width + j] & 0xFF)
                                               : 255.0;
        }
    }
    std::vector<double> scratch((size_t)rows * width);
    BoxSums(&grid[0], rows, cols, boxHeight, boxWidth, &scratch[0], pFactors);
    const double div = (double)boxWidth * boxHeight * 255.0;
    for (size_t k = 0; k < (size_t)width * height; ++k)
        pFactors[k] /= div;
}

void CPPDrawManager::BoxSums(const double* pGrid, int rows, int cols, int boxHeight, int boxWidth,
                             double* pScratch, double* pSums)
{
    if (!pSums || !pGrid || !pScratch)
        return;
    const int outCols = cols - boxWidth + 1, outRows = rows - boxHeight + 1;
    if (outCols <= 0 || outRows <= 0)
        return;
    for (int r = 0; r < rows; ++r) {
        const double* row = pGrid + (size_t)r * cols;
        double* out = pScratch + (size_t)r * outCols;
        double s = 0;
        for (int c = 0; c < boxWidth; ++c)
            s += row[c];
        out[0] = s;
        for (int c = 1; c < outCols; ++c) {
            s += row[c + boxWidth - 1] - row[c - 1];
            out[c] = s;
        }
    }
    for (int c = 0; c < outCols; ++c) {
        double s = 0;
        for (int r = 0; r < boxHeight; ++r)
            s += pScratch[(size_t)r * outCols + c];
        pSums[c] = s;
        for (int r = 1; r < outRows; ++r) {
            s += pScratch[(size_t)(r + boxHeight - 1) * outCols + c] - pScratch[(size_t)(r - 1) * outCols + c];
            pSums[(size_t)r * outCols + c] = s;
        }
    }
}
