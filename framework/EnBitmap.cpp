// EnBitmap.cpp - pixel processors, the HLS colour and the processing bitmap.
#include "EnBitmap.h"

#include <string.h>
#include <algorithm>

RGBX RGBX::Gray() const
{
    BYTE btGray = (BYTE)((btGreen * 6 + btRed * 3 + btBlue) / 10);
    return RGBX(btGray, btGray, btGray);
}

// ---------------------------------------------------------------------------
// HLS conversions
// ---------------------------------------------------------------------------

// Hue tests run red, green, blue with each match replacing the earlier one,
// so a tie goes to blue, then green; only a hue above 360 is brought back.
void ColorRgbToHls(BYTE red, BYTE green, BYTE blue, float& hue, float& saturation, float& lightness)
{
    int nMax = std::max<int>(red, std::max<int>(green, blue));
    int nMin = std::min<int>(red, std::min<int>(green, blue));
    lightness = (float)(nMax + nMin) / 510;
    if (nMax == nMin)
    {
        saturation = 0;
        hue = 0;
        return;
    }
    float fDelta = (float)(nMax - nMin);
    if (lightness <= 0.5f)
        saturation = fDelta / (nMax + nMin);
    else
        saturation = fDelta / (510 - nMax - nMin);

    float rc = (nMax - red) / fDelta;
    float gc = (nMax - green) / fDelta;
    float bc = (nMax - blue) / fDelta;
    if (red == nMax)
        hue = (bc + 6 - gc) * 60;
    if (green == nMax)
        hue = (rc + 2 - bc) * 60;
    if (blue == nMax)
        hue = (gc + 4 - rc) * 60;
    if (hue > 360)
        hue -= 360;
}

BYTE HueToRgbComponent(float m1, float m2, float hue)
{
    if (hue > 360)
        hue -= 360;
    else if (hue < 0)
        hue += 360;
    float fValue;
    if (hue < 60)
        fValue = m1 + (m2 - m1) * hue / 60;
    else if (hue < 180)
        fValue = m2;
    else if (hue < 240)
        fValue = m1 + (m2 - m1) * (240 - hue) / 60;
    else
        fValue = m1;
    return (BYTE)(fValue * 255);
}

CColor::CColor(COLORREF color)
    : m_btRed(GetRValue(color)), m_btGreen(GetGValue(color)), m_btBlue(GetBValue(color)),
      m_fHue(0), m_fSaturation(0), m_fLightness(0), m_bHlsValid(FALSE), m_bRgbValid(TRUE)
{
}

CColor::CColor(BYTE red, BYTE green, BYTE blue)
    : m_btRed(red), m_btGreen(green), m_btBlue(blue),
      m_fHue(0), m_fSaturation(0), m_fLightness(0), m_bHlsValid(FALSE), m_bRgbValid(TRUE)
{
}

CColor::CColor(float hue, float saturation, float lightness)
    : m_btRed(0), m_btGreen(0), m_btBlue(0),
      m_fHue(hue), m_fSaturation(saturation), m_fLightness(lightness), m_bHlsValid(TRUE), m_bRgbValid(FALSE)
{
}

void CColor::ToHls()
{
    if (m_bHlsValid)
        return;
    ColorRgbToHls(m_btRed, m_btGreen, m_btBlue, m_fHue, m_fSaturation, m_fLightness);
    m_bHlsValid = TRUE;
}

void CColor::ToRgb()
{
    if (m_bRgbValid)
        return;
    if (m_fSaturation == 0)
    {
        m_btRed = m_btGreen = m_btBlue = (BYTE)(m_fLightness * 255);
    }
    else
    {
        float m2 = m_fLightness <= 0.5f ? m_fLightness + m_fSaturation * m_fLightness
                                        : m_fLightness + m_fSaturation - m_fLightness * m_fSaturation;
        float m1 = 2 * m_fLightness - m2;
        m_btRed = HueToRgbComponent(m1, m2, m_fHue + 120);
        m_btGreen = HueToRgbComponent(m1, m2, m_fHue);
        m_btBlue = HueToRgbComponent(m1, m2, m_fHue - 120);
    }
    m_bRgbValid = TRUE;
}

// ---------------------------------------------------------------------------
// Processors
// ---------------------------------------------------------------------------

bool C32BitImageProcessor::Process(RGBX* pSrcPixels, CSize sizeSrc, RGBX* pDestPixels, CSize /*sizeDest*/)
{
    memcpy(pDestPixels, pSrcPixels, (size_t)sizeSrc.cx * sizeSrc.cy * sizeof(RGBX));
    return true;
}

bool CImageGrayer::Process(RGBX* pSrcPixels, CSize sizeSrc, RGBX* pDestPixels, CSize /*sizeDest*/)
{
    int nPixels = sizeSrc.cx * sizeSrc.cy;
    for (int i = 0; i < nPixels; i++)
        pDestPixels[i] = IsTransparent(pSrcPixels[i]) ? pSrcPixels[i] : pSrcPixels[i].Gray();
    return true;
}

// Lightness already at its bound in the direction of the change stays as it
// is, so white is not raised and black is not lowered; the fourth byte of the
// destination keeps what the background fill put there.
bool CImageHigh::Process(RGBX* pSrcPixels, CSize sizeSrc, RGBX* pDestPixels, CSize /*sizeDest*/)
{
    int nPixels = sizeSrc.cx * sizeSrc.cy;
    for (int i = 0; i < nPixels; i++)
    {
        const RGBX& src = pSrcPixels[i];
        if (IsTransparent(src))
        {
            pDestPixels[i] = src;
            continue;
        }
        CColor color(src.btRed, src.btGreen, src.btBlue);
        float fLightness = color.GetLightness();
        if (m_fLightnessChange > 0 && fLightness < 1)
            color.SetLightness(std::min(1.0f, fLightness + m_fLightnessChange));
        else if (m_fLightnessChange < 0 && fLightness > 0)
            color.SetLightness(std::max(0.0f, fLightness + m_fLightnessChange));
        pDestPixels[i].btRed = color.GetRed();
        pDestPixels[i].btGreen = color.GetGreen();
        pDestPixels[i].btBlue = color.GetBlue();
    }
    return true;
}

// ---------------------------------------------------------------------------
// CEnBitmap
// ---------------------------------------------------------------------------

CEnBitmap::~CEnBitmap()
{
}

namespace {

void Init32BitHeader(BITMAPINFO& bmi, CSize size)
{
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = size.cx;
    bmi.bmiHeader.biHeight = -size.cy;      // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = (DWORD)(size.cx * size.cy * 4);
}

} // namespace

BOOL CEnBitmap::LoadPicture(IPicture* pPicture, COLORREF crBack)
{
    if (GetSafeHandle() != NULL || pPicture == NULL)
        return FALSE;

    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (FAILED(pPicture->get_Width(&hmWidth)) || FAILED(pPicture->get_Height(&hmHeight)))
        return FALSE;

    HDC hdcScreen = ::GetDC(NULL);
    int cx = MulDiv(hmWidth, ::GetDeviceCaps(hdcScreen, LOGPIXELSX), 2540);
    int cy = MulDiv(hmHeight, ::GetDeviceCaps(hdcScreen, LOGPIXELSY), 2540);
    HBITMAP hbm = (cx > 0 && cy > 0) ? ::CreateCompatibleBitmap(hdcScreen, cx, cy) : NULL;
    HDC hdcMem = hbm ? ::CreateCompatibleDC(hdcScreen) : NULL;
    BOOL bOk = FALSE;
    if (hdcMem != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        if (crBack != CLR_NONE)
        {
            RECT rc = {0, 0, cx, cy};
            HBRUSH hbr = ::CreateSolidBrush(crBack);
            ::FillRect(hdcMem, &rc, hbr);
            ::DeleteObject(hbr);
        }
        // HIMETRIC runs bottom-up: start at the bottom edge with a negative height.
        bOk = SUCCEEDED(pPicture->Render(hdcMem, 0, 0, cx, cy, 0, hmHeight, hmWidth, -hmHeight, NULL));
        ::SelectObject(hdcMem, hOld);
        ::DeleteDC(hdcMem);
    }
    ::ReleaseDC(NULL, hdcScreen);

    if (bOk)
        return Attach(hbm);
    if (hbm != NULL)
        ::DeleteObject(hbm);
    return FALSE;
}

RGBX* CEnBitmap::GetDIBits32()
{
    BITMAP bm;
    if (GetSafeHandle() == NULL || GetBitmap(&bm) == 0 || bm.bmHeight == 0 || bm.bmWidth == 0)
        return NULL;

    CSize size(bm.bmWidth, bm.bmHeight);
    BITMAPINFO bmi;
    Init32BitHeader(bmi, size);
    RGBX* pPixels = new RGBX[(size_t)size.cx * size.cy];
    HDC hdcScreen = ::GetDC(NULL);
    int nLines = ::GetDIBits(hdcScreen, (HBITMAP)m_hObject, 0, (UINT)size.cy, pPixels, &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hdcScreen);
    if (nLines == 0)
    {
        delete[] pPixels;
        return NULL;
    }
    return pPixels;
}

// Black and white fill whole bytes; any other colour is written once and then
// copied in doubling runs, first along the first row, then row by row.
void CEnBitmap::FillBackground(RGBX* pPixels, CSize size) const
{
    size_t nBytes = (size_t)size.cx * size.cy * sizeof(RGBX);
    if (nBytes == 0)
        return;
    if (m_crBkgnd == 0)
    {
        memset((void*)pPixels, 0, nBytes);
        return;
    }
    if (m_crBkgnd == RGB(255, 255, 255) || m_crBkgnd == CLR_NONE)
    {
        memset((void*)pPixels, 0xFF, nBytes);
        return;
    }
    pPixels[0] = RGBX(m_crBkgnd);
    for (int nDone = 1; nDone < size.cx; nDone *= 2)
        memcpy(pPixels + nDone, pPixels, (size_t)std::min<int>(nDone, size.cx - nDone) * sizeof(RGBX));
    for (int nRows = 1; nRows < size.cy; nRows *= 2)
        memcpy(pPixels + (size_t)nRows * size.cx, pPixels,
               (size_t)std::min<int>(nRows, size.cy - nRows) * size.cx * sizeof(RGBX));
}

// Every processor works on the previous one's output at the size that one
// gave; both arrays are made as large as the largest size in the chain so
// that they can swap roles.
BOOL CEnBitmap::ProcessImage(C32BitImageProcessorArray& aProcessors)
{
    if (GetSafeHandle() == NULL)
        return FALSE;
    INT_PTR nCount = aProcessors.GetSize();
    if (nCount == 0)
        return TRUE;

    BITMAP bm;
    if (GetBitmap(&bm) == 0)
        return FALSE;
    CSize sizeSrc(bm.bmWidth, bm.bmHeight);
    CSize sizeMax = sizeSrc;
    CSize sizeNext = sizeSrc;
    for (INT_PTR i = 0; i < nCount; i++)
    {
        sizeNext = aProcessors[i]->CalcDestSize(sizeNext);
        sizeMax.cx = std::max(sizeMax.cx, sizeNext.cx);
        sizeMax.cy = std::max(sizeMax.cy, sizeNext.cy);
    }

    RGBX* pDIB = GetDIBits32();
    if (pDIB == NULL)
        return FALSE;
    size_t nMaxPixels = (size_t)sizeMax.cx * sizeMax.cy;
    RGBX* pSrc = new RGBX[nMaxPixels];
    memcpy(pSrc, pDIB, (size_t)sizeSrc.cx * sizeSrc.cy * sizeof(RGBX));
    delete[] pDIB;
    RGBX* pDest = new RGBX[nMaxPixels];
    FillBackground(pDest, sizeMax);

    BOOL bResult = TRUE;
    for (INT_PTR i = 0; i < nCount && bResult; i++)
    {
        C32BitImageProcessor* pProcessor = aProcessors[i];
        if (i > 0)
        {
            RGBX* pSwap = pSrc;
            pSrc = pDest;
            pDest = pSwap;
            FillBackground(pDest, sizeMax);
        }
        CSize sizeDest = pProcessor->CalcDestSize(sizeSrc);
        bResult = pProcessor->Process(pSrc, sizeSrc, pDest, sizeDest);
        sizeSrc = sizeDest;
    }

    if (bResult)
    {
        BITMAPINFO bmi;
        Init32BitHeader(bmi, sizeSrc);
        HDC hdcScreen = ::GetDC(NULL);
        HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, sizeSrc.cx, sizeSrc.cy);
        if (hbm == NULL || ::SetDIBits(hdcScreen, hbm, 0, (UINT)sizeSrc.cy, pDest, &bmi, DIB_RGB_COLORS) == 0)
        {
            if (hbm != NULL)
                ::DeleteObject(hbm);
            bResult = FALSE;
        }
        else
        {
            DeleteObject();
            Attach(hbm);
        }
        ::ReleaseDC(NULL, hdcScreen);
    }
    delete[] pSrc;
    delete[] pDest;
    return bResult;
}

BOOL CEnBitmap::ProcessOne(C32BitImageProcessor* pProcessor)
{
    C32BitImageProcessorArray aProcessors;
    aProcessors.Add(pProcessor);
    return ProcessImage(aProcessors);
}

BOOL CEnBitmap::GrayImage()
{
    CImageGrayer grayer;
    return ProcessOne(&grayer);
}

BOOL CEnBitmap::MakeDisabled(COLORREF crTransparent)
{
    CImageGrayer grayer;
    CImageHigh high1(0.08f), high2(0.08f), high3(0.08f);
    C32BitImageProcessor* apChain[] = {&grayer, &high1, &high2, &high3};
    C32BitImageProcessorArray aProcessors;
    for (C32BitImageProcessor* pProcessor : apChain)
    {
        pProcessor->SetTransparentColor(crTransparent);
        aProcessors.Add(pProcessor);
    }
    return ProcessImage(aProcessors);
}

BOOL CEnBitmap::MakeNormal(COLORREF crTransparent)
{
    CImageHigh high1(0.04f), high2(0.04f);
    C32BitImageProcessorArray aProcessors;
    high1.SetTransparentColor(crTransparent);
    high2.SetTransparentColor(crTransparent);
    aProcessors.Add(&high1);
    aProcessors.Add(&high2);
    return ProcessImage(aProcessors);
}

// ---------------------------------------------------------------------------
// CToolBar24
// ---------------------------------------------------------------------------

CToolBar24::~CToolBar24()
{
}

namespace {

// A fresh copy of the resource each time: the processing replaces the bitmap.
BOOL LoadFresh(CBitmap& bitmap, UINT nIDResource)
{
    bitmap.DeleteObject();
    return bitmap.LoadBitmap(nIDResource);
}

BOOL FillImageList(CImageList& imageList, CBitmap& bitmap, COLORREF crMask, int nSize)
{
    imageList.DeleteImageList();
    if (!imageList.Create(nSize, nSize, ILC_COLOR24 | ILC_MASK, 1, 1))
        return FALSE;
    return imageList.Add(&bitmap, crMask) >= 0;
}

} // namespace

BOOL CToolBar24::LoadToolBarImages(UINT nIDResource, COLORREF crMask, int nSize)
{
    const COLORREF crMagenta = RGB(255, 0, 255);
    BOOL bOk = TRUE;

    if (LoadFresh(m_bmHot, nIDResource) && FillImageList(m_ilHot, m_bmHot, crMask, nSize))
        SendMessage(TB_SETHOTIMAGELIST, 0, (LPARAM)m_ilHot.GetSafeHandle());
    else
        bOk = FALSE;

    if (LoadFresh(m_bmDisabled, nIDResource) && m_bmDisabled.MakeDisabled(crMagenta)
        && FillImageList(m_ilDisabled, m_bmDisabled, crMask, nSize))
        SendMessage(TB_SETDISABLEDIMAGELIST, 0, (LPARAM)m_ilDisabled.GetSafeHandle());
    else
        bOk = FALSE;

    if (LoadFresh(m_bmNormal, nIDResource) && m_bmNormal.MakeNormal(crMagenta)
        && FillImageList(m_ilNormal, m_bmNormal, crMask, nSize))
        SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_ilNormal.GetSafeHandle());
    else
        bOk = FALSE;

    return bOk;
}
