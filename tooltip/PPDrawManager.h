// PPDrawManager.h - CPPDrawManager: colour arithmetic, gradients, textured
// backgrounds, frames and styled lines, and pixel filters over 32-bit DIB
// sections (effects, blends, hard and blurred drop shadows) for bitmaps and
// icons drawn by the HTML drawer and the tooltip window.
#pragma once

#include <windows.h>
#include "CeXDib.h"

// Image effect bits.
#define IMAGE_EFFECT_NONE           0x0000
#define IMAGE_EFFECT_GRAYEN         0x0001
#define IMAGE_EFFECT_DARKEN         0x0002
#define IMAGE_EFFECT_LIGHTEN        0x0004
#define IMAGE_EFFECT_MONOCHROME     0x0008
#define IMAGE_EFFECT_SHADOW         0x0100
#define IMAGE_EFFECT_BLURRED_SHADOW 0x0200
#define IMAGE_EFFECT_INVERSE        0x8000

// Background effect codes of FillRectWithEffect.
enum {
    EFFECT_SOLID = 0, EFFECT_HGRADIENT, EFFECT_VGRADIENT, EFFECT_HCGRADIENT, EFFECT_VCGRADIENT,
    EFFECT_3HGRADIENT, EFFECT_3VGRADIENT, EFFECT_NOISE, EFFECT_DIAGSHADE, EFFECT_HSHADE,
    EFFECT_VSHADE, EFFECT_HBUMP, EFFECT_VBUMP, EFFECT_SOFTBUMP, EFFECT_HARDBUMP, EFFECT_METAL
};

// Pen style codes of frames and lines.
enum {
    PEN_NULL = 0, PEN_SOLID, PEN_DASH, PEN_DOT, PEN_DASHDOT, PEN_DASHDOTDOT, PEN_DOUBLE
};

class CPPDrawManager
{
public:
    CPPDrawManager() {}
    virtual ~CPPDrawManager() {}

    // Colour operations work by byte position: on COLORREFs and on the pixels
    // of 32-bit DIB sections alike.
    static DWORD ToGray(DWORD clr);
    static DWORD NegativeColor(DWORD clr);
    static DWORD ScaleColor(DWORD clr, double dFactor);
    static DWORD BrightenColor(DWORD clr, double dFactor);
    static DWORD MixColors(DWORD clr1, double dWeight1, DWORD clr2, double dWeight2);

    static SIZE MeasureIcon(HICON hIcon);
    static SIZE MeasureBitmap(HBITMAP hBitmap);

    void FillTwoColorGradient(HDC hdc, int left, int top, int right, int bottom,
                              COLORREF crFrom, COLORREF crTo, BOOL bHorz);
    void FillRectWithEffect(HDC hdc, int nEffect, LPCRECT lpRect, COLORREF clr1, COLORREF clr2,
                            COLORREF clr3, BYTE nGranularity, BYTE nBlendPercent);
    // Renders a texture into the manager's 8-bit canvas; FALSE when the size
    // has no texture (an empty or oversized side).
    BOOL RenderTexture(int left, int top, int right, int bottom, int nEffect, BYTE nGranularity,
                       BYTE nBlendPercent, COLORREF clr1, COLORREF clr2, COLORREF clr3);
    CCeXDib& GetCanvas() { return m_dib; }

    void DrawFrame(HDC hdc, int left, int top, int right, int bottom, COLORREF crTopLeft,
                   COLORREF crBottomRight, int nPenStyle, int nPenWidth);
    void DrawFrameRect(HDC hdc, LPCRECT lpRect, COLORREF crTopLeft, COLORREF crBottomRight,
                       int nPenStyle, int nPenWidth);
    void DrawStyledLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF clr, int nPenStyle, int nPenWidth);

    void TileBlit(HDC hdc, int x, int y, int width, int height, HDC hSrcDC, int sx, int sy,
                  int tileWidth, int tileHeight);
    void BlendBlit(HDC hdc, int x, int y, int width, int height, HDC hSrcDC, int sx, int sy, int nPercent);
    void ShadeArea(HDC hdc, int x, int y, int width, int height, const double* pFactors);

    // A new 32-bit DIB section with the bitmap's top-left pixels after the
    // effect bits; owned by the caller.
    HBITMAP MakeEffectBitmap(HBITMAP hBitmap, int width, int height, DWORD dwEffects,
                             BOOL bUseTransparent, DWORD dwTransparent, DWORD dwFill);
    HICON ResizeIcon(HICON hIcon, int width, int height);

    void DrawBitmapWithEffects(HDC hdc, int x, int y, int width, int height, HBITMAP hBitmap,
                               BOOL bUseTransparent, COLORREF crTransparent, DWORD dwEffects,
                               BOOL bShadow, int dxShadow, int dyShadow, int nBlurWidth,
                               int nBlurHeight, COLORREF crShadow);
    void DrawIconWithEffects(HDC hdc, int x, int y, int width, int height, HICON hIcon,
                             DWORD dwEffects, BOOL bShadow, int dxShadow, int dyShadow,
                             int nBlurWidth, int nBlurHeight, COLORREF crShadow);
    void CastShadow(HDC hdc, int x, int y, int width, int height, HBITMAP hMask, BOOL bBlurred,
                    int nBlurWidth, int nBlurHeight);

    // factors[y * width + x]: the mean of the box of boxWidth x boxHeight mask
    // bytes (255 outside the picture) centred on the pixel, divided by 255.
    static void ComputeBlurFactors(int width, int height, const DWORD* pPixels, int boxWidth,
                                   int boxHeight, double* pFactors);
    static void BoxSums(const double* pGrid, int rows, int cols, int boxHeight, int boxWidth,
                        double* pScratch, double* pSums);

private:
    CPPDrawManager(const CPPDrawManager&);
    CPPDrawManager& operator=(const CPPDrawManager&);

    CCeXDib m_dib;
};
