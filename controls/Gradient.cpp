// Gradient.cpp - the bands of a multi-colour gradient and their filling.
#include "Gradient.h"
#include <cstdarg>
#include <cstdlib>
#include <vector>

CGradient::CGradient()
    : m_bCreatePalette(FALSE), m_nDirection(LTR), m_sngStretch(1.0f)
{
}

CGradient::~CGradient()
{
}

// Weights always sum to 100; a list whose sum is not positive (all zero, say)
// falls back to equal weights rather than dividing by zero.
void CGradient::Normalize()
{
    INT_PTR n = m_ArrayPercent.GetSize();
    if (n == 0)
        return;
    double dSum = 0;
    for (INT_PTR i = 0; i < n; i++)
        dSum += m_ArrayPercent[i];
    for (INT_PTR i = 0; i < n; i++)
        m_ArrayPercent[i] = dSum > 0 ? m_ArrayPercent[i] * 100.0 / dSum : 100.0 / (double)n;
}

void CGradient::SetColors(int nCount, ...)
{
    m_ArrayColors.RemoveAll();
    m_ArrayPercent.RemoveAll();
    m_Palette.DeleteObject();
    va_list args;
    va_start(args, nCount);
    for (int i = 0; i < nCount; i++)
        m_ArrayColors.Add(va_arg(args, COLORREF));
    va_end(args);
    for (int i = 0; i + 1 < nCount; i++) {
        double d = 100.0 / (double)(nCount - 1);
        m_ArrayPercent.Add(d);
    }
}

void CGradient::AddColor(COLORREF clr)
{
    m_ArrayColors.Add(clr);
    m_Palette.DeleteObject();
    if (m_ArrayColors.GetSize() < 2)
        return;
    INT_PTR nSegments = m_ArrayPercent.GetSize();
    double d = nSegments > 0 ? 100.0 / (double)nSegments : 100.0;
    m_ArrayPercent.Add(d);
    Normalize();
}

void CGradient::SetPercents(double dFirst, ...)
{
    INT_PTR nSegments = m_ArrayColors.GetSize() - 1;
    if (nSegments < 1)
        return;
    m_ArrayPercent.SetSize(nSegments);
    m_ArrayPercent[0] = dFirst;
    va_list args;
    va_start(args, dFirst);
    for (INT_PTR i = 1; i < nSegments; i++)
        m_ArrayPercent[i] = va_arg(args, double);
    va_end(args);
    Normalize();
    m_Palette.DeleteObject();
}

void CGradient::GetColors(COLORREF& clrFirst, COLORREF& clrSecond) const
{
    INT_PTR n = m_ArrayColors.GetSize();
    clrFirst = n > 0 ? m_ArrayColors[0] : (COLORREF)-1;
    clrSecond = n > 1 ? m_ArrayColors[1] : clrFirst;
}

CPalette* CGradient::GetPalette()
{
    if (m_Palette.GetSafeHandle() == NULL && m_ArrayColors.GetSize() > 0) {
        const int nEntries = 236;
        CGradElArray list;
        CalcShiftedGradient(list, 0, nEntries, 0, nEntries, nEntries);
        int nCount = (int)list.GetSize();
        if (nCount > nEntries)
            nCount = nEntries;
        if (nCount < 1)
            return NULL;
        std::vector<BYTE> buf(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * nCount);
        LOGPALETTE* pLog = (LOGPALETTE*)buf.data();
        pLog->palVersion = 0x300;
        pLog->palNumEntries = (WORD)nCount;
        for (int i = 0; i < nCount; i++) {
            pLog->palPalEntry[i].peRed = GetRValue(list[i].color);
            pLog->palPalEntry[i].peGreen = GetGValue(list[i].color);
            pLog->palPalEntry[i].peBlue = GetBValue(list[i].color);
            pLog->palPalEntry[i].peFlags = 0;
        }
        m_Palette.CreatePalette(pLog);
    }
    return m_Palette.GetSafeHandle() != NULL ? &m_Palette : NULL;
}

void CGradient::CalcGradient(CGradElArray& list, COLORREF clrStart, COLORREF clrEnd, int nLength, int nFrom, int nTo, int nMaxColors)
{
    if (nTo == -1)
        nTo = nLength;
    int r = GetRValue(clrStart), g = GetGValue(clrStart), b = GetBValue(clrStart);
    int dR = GetRValue(clrEnd) - r, dG = GetGValue(clrEnd) - g, dB = GetBValue(clrEnd) - b;
    int n = abs(dR);
    if (abs(dG) > n)
        n = abs(dG);
    if (abs(dB) > n)
        n = abs(dB);
    if (nMaxColors >= 0 && nMaxColors <= n)
        n = nMaxColors;
    if (nLength < n)
        n = nLength;
    if (n <= 0)
        n = 1;

    float sngStep = (float)nLength / (float)n;
    float sngR = (float)dR / (float)n, sngG = (float)dG / (float)n, sngB = (float)dB / (float)n;
    for (int i = 0; i < n; i++) {
        int nBegin = (int)((float)i * sngStep);
        int nEnd = i == n - 1 ? nLength : (int)((float)(i + 1) * sngStep);
        if (nEnd < nFrom)
            continue;
        if (nBegin < nFrom)
            nBegin = nFrom;
        if (nEnd > nTo)
            nEnd = nTo;
        COLORREF clr = RGB(r + (int)((float)i * sngR), g + (int)((float)i * sngG), b + (int)((float)i * sngB));
        list.Add(CGradElement(clr, nEnd - nBegin));
        if (nEnd >= nTo)
            break;
    }
}

void CGradient::CalcMultiGradient(CGradElArray& list, int nLength, int nFrom, int nTo, int nMaxColors)
{
    if (nTo == -1)
        nTo = nLength;
    int nColors = (int)m_ArrayColors.GetSize();
    if (nColors == 0)
        return;
    if (nColors == 1) {
        list.Add(CGradElement(m_ArrayColors[0], nTo - nFrom));
        return;
    }
    // Unsigned, so that "no limit" (-1) stays out of reach for every segment.
    int nSegMax = (int)((UINT)nMaxColors / (UINT)(nColors - 1));
    double dSum = 0;
    int nSegStart = 0;
    for (int k = 0; k < nColors - 1; k++) {
        dSum += k < m_ArrayPercent.GetSize() ? m_ArrayPercent[k] : 0.0;
        int nSegEnd = k == nColors - 2 ? nLength : (int)((double)nLength * dSum / 100.0);
        if (nSegEnd < nFrom) {
            nSegStart = nSegEnd;
            continue;
        }
        int nSegFrom = (nFrom > nSegStart ? nFrom : nSegStart) - nSegStart;
        int nSegTo = (nTo < nSegEnd ? nTo : nSegEnd) - nSegStart;
        CalcGradient(list, m_ArrayColors[k], m_ArrayColors[k + 1], nSegEnd - nSegStart, nSegFrom, nSegTo, nSegMax);
        if (nTo <= nSegEnd)
            break;
        nSegStart = nSegEnd;
    }
}

void CGradient::CalcShiftedGradient(CGradElArray& list, int nShift, int nLength, int nFrom, int nTo, int nMaxColors)
{
    if (nTo == -1)
        nTo = nLength;
    if (nLength != 0) {
        nShift %= nLength;
        if (nShift < 0)
            nShift += nLength;
    }
    if (nShift == 0 || m_ArrayColors.GetSize() < 2) {
        CalcMultiGradient(list, nLength, nFrom, nTo, nMaxColors);
        return;
    }

    CGradElArray whole;
    CalcMultiGradient(whole, nLength, 0, nLength, nMaxColors);
    if (whole.GetSize() < 2) {
        list.Add(CGradElement(m_ArrayColors[0], nTo - nFrom));
        return;
    }

    // The last nShift pixels come round to the front.
    CGradElArray front;
    int nMoved = 0;
    while (nMoved < nShift && whole.GetSize() > 0) {
        CGradElement& last = whole[whole.GetSize() - 1];
        int nTake = last.length;
        if (nMoved + nTake > nShift)
            nTake = nShift - nMoved;
        front.InsertAt(0, CGradElement(last.color, nTake));
        nMoved += nTake;
        if (nTake == last.length)
            whole.RemoveAt(whole.GetSize() - 1);
        else
            last.length -= nTake;
    }
    front.Append(whole);

    // Keep only nFrom..nTo.
    int nPos = 0;
    for (INT_PTR i = 0; i < front.GetSize() && nPos < nTo; i++) {
        int nBegin = nPos, nEnd = nPos + front[i].length;
        nPos = nEnd;
        if (nBegin < nFrom)
            nBegin = nFrom;
        if (nEnd > nTo)
            nEnd = nTo;
        if (nEnd > nBegin)
            list.Add(CGradElement(front[i].color, nEnd - nBegin));
    }
}

CRect CGradient::GetBandRect(const CRect& rect, int a, int b) const
{
    switch (m_nDirection) {
    case RTL: return CRect(rect.right - b, rect.top, rect.right - a, rect.bottom);
    case TTB: return CRect(rect.left, rect.top + a, rect.right, rect.top + b);
    case BTT: return CRect(rect.left, rect.bottom - b, rect.right, rect.bottom - a);
    default:  return CRect(rect.left + a, rect.top, rect.left + b, rect.bottom);
    }
}

void CGradient::Draw(CDC* pDC, const CRect& rect, int nFrom, int nTo, int nShift)
{
    if (m_ArrayColors.GetSize() == 0)
        return;
    int nLength = (m_nDirection == TTB || m_nDirection == BTT) ? rect.Height() : rect.Width();
    if (nTo == -1)
        nTo = nLength;
    BOOL bPaletteDevice = (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    int nBits = pDC->GetDeviceCaps(BITSPIXEL) * pDC->GetDeviceCaps(PLANES);
    if (nBits < 8 && !bPaletteDevice) {
        pDC->FillSolidRect(GetBandRect(rect, nFrom, nTo), m_ArrayColors[0]);
        return;
    }

    CGradElArray list;
    CalcShiftedGradient(list, nShift, (int)((float)nLength * m_sngStretch), nFrom, nTo, bPaletteDevice ? 236 : -1);

    CPalette* pOldPalette = NULL;
    BOOL bUsePalette = bPaletteDevice && m_bCreatePalette && GetPalette() != NULL;
    if (bUsePalette) {
        pOldPalette = pDC->SelectPalette(&m_Palette, TRUE);
        pDC->RealizePalette();
    }
    int nPos = nFrom;
    for (INT_PTR i = 0; i < list.GetSize(); i++) {
        COLORREF clr = list[i].color;
        if (bUsePalette)
            clr = PALETTERGB(GetRValue(clr), GetGValue(clr), GetBValue(clr));
        CRect rcBand = GetBandRect(rect, nPos, nPos + list[i].length);
        pDC->FillSolidRect(rcBand, clr);
        nPos += list[i].length;
    }
    if (pOldPalette != NULL)
        pDC->SelectPalette(pOldPalette, TRUE);
}

BOOL CreatePaletteFromDCBitmap(CDC* pDC, CPalette* pPalette)
{
    RGBQUAD colors[256];
    UINT nCount = ::GetDIBColorTable(pDC->GetSafeHdc(), 0, 256, colors);
    if (nCount == 0)
        return FALSE;
    if (nCount > 236)
        nCount = 236;
    std::vector<BYTE> buf(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * nCount);
    LOGPALETTE* pLog = (LOGPALETTE*)buf.data();
    pLog->palVersion = 0x300;
    pLog->palNumEntries = (WORD)nCount;
    for (UINT i = 0; i < nCount; i++) {
        pLog->palPalEntry[i].peRed = colors[i].rgbRed;
        pLog->palPalEntry[i].peGreen = colors[i].rgbGreen;
        pLog->palPalEntry[i].peBlue = colors[i].rgbBlue;
        pLog->palPalEntry[i].peFlags = 0;
    }
    pPalette->DeleteObject();
    return pPalette->CreatePalette(pLog);
}
