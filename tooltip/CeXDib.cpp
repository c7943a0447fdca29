// CeXDib.cpp - CCeXDib: the texture canvas of the drawing manager.
#include "CeXDib.h"
#include <stdlib.h>
#include <string.h>

CCeXDib::CCeXDib()
    : m_hDib(NULL), m_dwLineWidth(0), m_wColors(0), m_hBitmap(NULL), m_hMemDC(NULL), m_lpBits(NULL)
{
    memset(&m_bi, 0, sizeof(m_bi));
    Free();
}

CCeXDib::~CCeXDib()
{
    Free();
}

HANDLE CCeXDib::Create(DWORD dwWidth, DWORD dwHeight, WORD wBitCount)
{
    Free();
    // Rows are padded to 4 bytes; the size is computed in 64 bits so that an
    // absurd request fails instead of wrapping to a small block.
    unsigned long long line = (((unsigned long long)dwWidth * wBitCount + 31) / 32) * 4;
    unsigned long long image = line * dwHeight;
    switch (wBitCount) {
    case 1: m_wColors = 2; break;
    case 4: m_wColors = 16; break;
    case 8: m_wColors = 256; break;
    default: m_wColors = 0; break;
    }
    unsigned long long total = sizeof(BITMAPINFOHEADER) + 4ull * m_wColors + image;
    if (total > 0x7FFFFFFFull || dwWidth > 0x7FFFFFFF || dwHeight > 0x7FFFFFFF) {
        m_wColors = 0;
        return NULL;
    }
    m_dwLineWidth = (DWORD)line;
    m_bi.biSize = sizeof(BITMAPINFOHEADER);
    m_bi.biWidth = (LONG)dwWidth;
    m_bi.biHeight = (LONG)dwHeight;
    m_bi.biPlanes = 1;
    m_bi.biBitCount = wBitCount;
    m_bi.biCompression = BI_RGB;
    m_bi.biSizeImage = (DWORD)image;
    m_hDib = (LPBYTE)malloc((size_t)total);
    if (!m_hDib) {
        memset(&m_bi, 0, sizeof(m_bi));
        m_dwLineWidth = 0;
        m_wColors = 0;
        return NULL;
    }
    memcpy(m_hDib, &m_bi, sizeof(m_bi));
    return (HANDLE)m_hDib;
}

void CCeXDib::CopyFrom(const CCeXDib* pSrc)
{
    if (!pSrc || pSrc == this)
        return;
    Create(pSrc->GetWidth(), pSrc->GetImageHeight(), pSrc->GetBitsPerPixel());
    if (m_hDib && pSrc->m_hDib)
        memcpy(m_hDib, pSrc->m_hDib, GetTotalSize());
}

DWORD CCeXDib::Free()
{
    if (m_hMemDC)
        ::DeleteDC(m_hMemDC);
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    free(m_hDib);
    m_hDib = NULL;
    m_hMemDC = NULL;
    m_hBitmap = NULL;
    m_lpBits = NULL;
    memset(&m_bi, 0, sizeof(m_bi));
    return 0;
}

LPBYTE CCeXDib::GetBits() const
{
    if (!m_hDib)
        return NULL;
    return m_hDib + *(LPDWORD)m_hDib + GetPaletteBytes();
}

DWORD CCeXDib::GetTotalSize() const
{
    return m_bi.biSize + GetPaletteBytes() + m_bi.biSizeImage;
}

void CCeXDib::Clear(BYTE byVal)
{
    if (m_hDib)
        memset(GetBits(), byVal, m_bi.biSizeImage);
}

void CCeXDib::SetPaletteIndex(BYTE byIdx, BYTE byR, BYTE byG, BYTE byB)
{
    if (!m_hDib || m_wColors == 0 || byIdx >= m_wColors)
        return;
    LPBYTE p = m_hDib + sizeof(BITMAPINFOHEADER) + byIdx * 4;
    p[0] = byB;
    p[1] = byG;
    p[2] = byR;
    p[3] = 0;
}

void CCeXDib::MakeGrayPalette()
{
    if (!m_hDib || m_wColors == 0)
        return;
    LPBYTE pal = m_hDib + sizeof(BITMAPINFOHEADER);
    for (int i = 0; i < m_wColors; ++i) {
        pal[i * 4] = pal[i * 4 + 1] = pal[i * 4 + 2] = (BYTE)i;
        pal[i * 4 + 3] = 0;
    }
    SetPaletteIndex(0, 0, 0, 0);
    SetPaletteIndex((BYTE)(m_wColors - 1), 255, 255, 255);
}

void CCeXDib::BlendPalette(COLORREF crColor, DWORD dwPerc)
{
    if (!m_hDib || m_wColors == 0)
        return;
    if (dwPerc > 100)
        dwPerc = 100;
    LPBYTE pal = m_hDib + sizeof(BITMAPINFOHEADER);
    const DWORD r = GetRValue(crColor), g = GetGValue(crColor), b = GetBValue(crColor);
    for (int i = 0; i < m_wColors; ++i) {
        LPBYTE e = pal + i * 4;
        e[0] = (BYTE)((b * dwPerc + e[0] * (100 - dwPerc)) / 100);
        e[1] = (BYTE)((g * dwPerc + e[1] * (100 - dwPerc)) / 100);
        e[2] = (BYTE)((r * dwPerc + e[2] * (100 - dwPerc)) / 100);
    }
}

void CCeXDib::SetPixelIndex(DWORD dwX, DWORD dwY, BYTE byI)
{
    if (!m_hDib || m_wColors == 0)
        return;
    if ((LONG)dwX < 0 || (LONG)dwY < 0 || (LONG)dwX >= m_bi.biWidth || (LONG)dwY >= m_bi.biHeight)
        return;
    GetBits()[(m_bi.biHeight - dwY - 1) * m_dwLineWidth + dwX] = byI;
}

void CCeXDib::Draw(HDC hDC, DWORD dwX, DWORD dwY)
{
    if (!m_hDib || !hDC)
        return;
    if (!m_hBitmap) {
        m_hBitmap = ::CreateDIBSection(hDC, (BITMAPINFO*)m_hDib, DIB_RGB_COLORS, &m_lpBits, NULL, 0);
        if (!m_hBitmap)
            return;
        if (!m_lpBits) {
            ::DeleteObject(m_hBitmap);
            m_hBitmap = NULL;
            return;
        }
    }
    memcpy(m_lpBits, GetBits(), m_bi.biSizeImage);
    if (!m_hMemDC) {
        m_hMemDC = ::CreateCompatibleDC(hDC);
        if (!m_hMemDC)
            return;
    }
    HGDIOBJ old = ::SelectObject(m_hMemDC, m_hBitmap);
    ::BitBlt(hDC, (int)dwX, (int)dwY, m_bi.biWidth, m_bi.biHeight, m_hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(m_hMemDC, old);
}

BOOL CCeXDib::SaveToFile(LPCSTR lpszFileName)
{
    if (!lpszFileName || !*lpszFileName || !m_hDib)
        return FALSE;
    HANDLE h = ::CreateFileA(lpszFileName, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    BITMAPFILEHEADER hdr;
    hdr.bfType = 0x4D42;
    hdr.bfSize = (DWORD)sizeof(BITMAPFILEHEADER) + GetTotalSize();
    hdr.bfReserved1 = hdr.bfReserved2 = 0;
    hdr.bfOffBits = (DWORD)sizeof(BITMAPFILEHEADER) + m_bi.biSize + GetPaletteBytes();
    DWORD written = 0;
    BOOL ok = ::WriteFile(h, &hdr, sizeof(hdr), &written, NULL) &&
              ::WriteFile(h, m_hDib, GetTotalSize(), &written, NULL);
    ::CloseHandle(h);
    return ok;
}
