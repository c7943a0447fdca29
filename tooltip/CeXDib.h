// CeXDib.h - CCeXDib: one device-independent bitmap (header, palette and pixel
// rows in one memory block), drawn through a DIB section made on first use.
#pragma once

#include <windows.h>

class CCeXDib
{
public:
    CCeXDib();
    virtual ~CCeXDib();

    // Frees the current image and allocates a new one with unset pixels;
    // returns the block, or null when it cannot be allocated.
    HANDLE Create(DWORD dwWidth, DWORD dwHeight, WORD wBitCount);
    void CopyFrom(const CCeXDib* pSrc);
    DWORD Free();

    LPBYTE GetBits() const;
    DWORD GetPaletteBytes() const { return m_wColors * 4; }
    DWORD GetWidth() const { return (DWORD)m_bi.biWidth; }
    DWORD GetImageHeight() const { return (DWORD)m_bi.biHeight; }
    WORD GetBitsPerPixel() const { return m_bi.biBitCount; }
    WORD GetNumColors() const { return m_wColors; }
    DWORD GetLineWidth() const { return m_dwLineWidth; }
    DWORD GetTotalSize() const;

    void Clear(BYTE byVal = 0);
    void SetPaletteIndex(BYTE byIdx, BYTE byR, BYTE byG, BYTE byB);
    void MakeGrayPalette();
    void BlendPalette(COLORREF crColor, DWORD dwPerc);
    // y counts from the top.
    void SetPixelIndex(DWORD dwX, DWORD dwY, BYTE byI);
    void Draw(HDC hDC, DWORD dwX, DWORD dwY);
    BOOL SaveToFile(LPCSTR lpszFileName);

private:
    CCeXDib(const CCeXDib&);
    CCeXDib& operator=(const CCeXDib&);

    LPBYTE m_hDib;              // header, palette and rows in one heap block
    BITMAPINFOHEADER m_bi;
    DWORD m_dwLineWidth;
    WORD m_wColors;
    HBITMAP m_hBitmap;
    HDC m_hMemDC;
    LPVOID m_lpBits;            // the section's pixels
};
