// EnBitmap.h - tool-bar image processing: a bitmap that runs a chain of
// 32-bit pixel processors over its pixels (greying, lightening in the HLS
// model), and the 24-bit tool bar that makes its normal, hot and disabled
// image lists with it.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>
#include <afxtempl.h>
#include <ocidl.h>

// One pixel as a 32-bit device-independent bitmap stores it.
struct RGBX
{
    BYTE btBlue;
    BYTE btGreen;
    BYTE btRed;
    BYTE btUnused;

    RGBX() : btBlue(0), btGreen(0), btRed(0), btUnused(0) {}
    RGBX(BYTE red, BYTE green, BYTE blue) : btBlue(blue), btGreen(green), btRed(red), btUnused(0) {}
    explicit RGBX(COLORREF color) : btBlue(GetBValue(color)), btGreen(GetGValue(color)), btRed(GetRValue(color)), btUnused(0) {}

    // (green * 6 + red * 3 + blue) / 10 in every colour byte, the fourth byte 0.
    RGBX Gray() const;
};

// Hue in degrees (0..360), saturation and lightness (0..1) of three bytes.
void ColorRgbToHls(BYTE red, BYTE green, BYTE blue, float& hue, float& saturation, float& lightness);
// One colour byte of an HLS colour from its two lightness bounds and a hue.
BYTE HueToRgbComponent(float m1, float m2, float hue);

// A colour that keeps both its RGB and its HLS form and converts lazily:
// reading one form brings it up to date from the other when that was set last.
class CColor
{
public:
    explicit CColor(COLORREF color);
    CColor(BYTE red, BYTE green, BYTE blue);
    CColor(float hue, float saturation, float lightness);

    BYTE GetRed() { ToRgb(); return m_btRed; }
    BYTE GetGreen() { ToRgb(); return m_btGreen; }
    BYTE GetBlue() { ToRgb(); return m_btBlue; }
    void SetRed(BYTE red) { ToRgb(); m_btRed = red; m_bHlsValid = FALSE; }
    void SetGreen(BYTE green) { ToRgb(); m_btGreen = green; m_bHlsValid = FALSE; }
    void SetBlue(BYTE blue) { ToRgb(); m_btBlue = blue; m_bHlsValid = FALSE; }

    float GetHue() { ToHls(); return m_fHue; }
    float GetSaturation() { ToHls(); return m_fSaturation; }
    float GetLightness() { ToHls(); return m_fLightness; }
    void SetHue(float hue) { ToHls(); m_fHue = hue; m_bRgbValid = FALSE; }
    void SetSaturation(float saturation) { ToHls(); m_fSaturation = saturation; m_bRgbValid = FALSE; }
    void SetLightness(float lightness) { ToHls(); m_fLightness = lightness; m_bRgbValid = FALSE; }

protected:
    void ToRgb();
    void ToHls();

    BYTE m_btRed, m_btGreen, m_btBlue;
    float m_fHue, m_fSaturation, m_fLightness;
    BOOL m_bHlsValid;
    BOOL m_bRgbValid;
};

// A pixel processor: turns a source array of pixels into a destination
// array, whose size it decides. Pixels of the transparent colour, when one is
// set, are kept as they are by the processors that honour it.
class C32BitImageProcessor
{
public:
    // nFlags is kept for processors that want an option; none reads it.
    explicit C32BitImageProcessor(int nFlags = 0) : m_nFlags(nFlags), m_bTransparent(FALSE), m_btTransRed(0), m_btTransGreen(0), m_btTransBlue(0) {}
    virtual ~C32BitImageProcessor() {}

    virtual CSize CalcDestSize(CSize sizeSrc) { return sizeSrc; }
    // The base copies the pixels unchanged.
    virtual bool Process(RGBX* pSrcPixels, CSize sizeSrc, RGBX* pDestPixels, CSize sizeDest);

    void SetTransparentColor(BYTE red, BYTE green, BYTE blue) { m_bTransparent = TRUE; m_btTransRed = red; m_btTransGreen = green; m_btTransBlue = blue; }
    void SetTransparentColor(COLORREF color) { SetTransparentColor(GetRValue(color), GetGValue(color), GetBValue(color)); }
    BOOL IsTransparent(const RGBX& pixel) const { return m_bTransparent && pixel.btRed == m_btTransRed && pixel.btGreen == m_btTransGreen && pixel.btBlue == m_btTransBlue; }

protected:
    int m_nFlags;
    BOOL m_bTransparent;
    BYTE m_btTransRed, m_btTransGreen, m_btTransBlue;
};

// Every pixel but the transparent ones becomes its grey value.
class CImageGrayer : public C32BitImageProcessor
{
public:
    explicit CImageGrayer(int nFlags = 0) : C32BitImageProcessor(nFlags) {}
    virtual bool Process(RGBX* pSrcPixels, CSize sizeSrc, RGBX* pDestPixels, CSize sizeDest);
};

// Every pixel but the transparent ones gets its HLS lightness changed by a
// fraction, held within 0..1.
class CImageHigh : public C32BitImageProcessor
{
public:
    explicit CImageHigh(float fLightnessChange, int nFlags = 0) : C32BitImageProcessor(nFlags), m_fLightnessChange(fLightnessChange) {}
    virtual bool Process(RGBX* pSrcPixels, CSize sizeSrc, RGBX* pDestPixels, CSize sizeDest);

protected:
    float m_fLightnessChange;
};

// The caller fills and owns the processors of a chain.
typedef CArray<C32BitImageProcessor*, C32BitImageProcessor*> C32BitImageProcessorArray;

class CEnBitmap : public CBitmap
{
public:
    // crBkgnd fills the pixels a processor leaves unwritten; CLR_NONE counts as white.
    explicit CEnBitmap(COLORREF crBkgnd = RGB(255, 255, 255)) : m_crBkgnd(crBkgnd) {}
    virtual ~CEnBitmap();

    // Renders an OLE picture into a new screen-compatible bitmap filled first
    // with crBack (unless CLR_NONE); only for an empty object.
    BOOL LoadPicture(IPicture* pPicture, COLORREF crBack = CLR_NONE);

    BOOL ProcessImage(C32BitImageProcessorArray& aProcessors);
    BOOL ProcessOne(C32BitImageProcessor* pProcessor);
    BOOL GrayImage();
    // Grey, then three lightenings by 0.08; crTransparent is kept.
    BOOL MakeDisabled(COLORREF crTransparent);
    // Two lightenings by 0.04; crTransparent is kept.
    BOOL MakeNormal(COLORREF crTransparent);

    // The pixels as a new top-down 32-bit array (delete[] it), or NULL.
    RGBX* GetDIBits32();

protected:
    void FillBackground(RGBX* pPixels, CSize size) const;

    COLORREF m_crBkgnd;
};

// A tool bar whose buttons show three versions of one 24-bit picture: hot as
// drawn, normal slightly lightened, disabled grey and lightened.
class CToolBar24 : public CToolBar
{
public:
    CToolBar24() : m_bmDisabled(RGB(255, 255, 255)), m_bmNormal(RGB(255, 255, 255)) {}
    virtual ~CToolBar24();

    // Builds the hot, disabled and normal image lists of nSize x nSize
    // images from the bitmap resource, masked with crMask, and gives them
    // to the tool bar. Magenta pixels are left as they are by the processing.
    BOOL LoadToolBarImages(UINT nIDResource, COLORREF crMask, int nSize);
    BOOL LoadToolBarImages(UINT nIDResource, COLORREF crMask) { return LoadToolBarImages(nIDResource, crMask, 16); }

    CImageList m_ilHot;
    CImageList m_ilDisabled;
    CImageList m_ilNormal;

protected:
    CBitmap m_bmHot;
    CEnBitmap m_bmDisabled;
    CEnBitmap m_bmNormal;
};
