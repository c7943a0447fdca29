#include "OXDIB.h"

#include <string.h>

#include <vector>

IMPLEMENT_SERIAL(COXDIB, CObject, 1)

namespace
{
const WORD kBmpType = 0x4D42;             // "BM"
const DWORD kInfoHeader = sizeof(BITMAPINFOHEADER);
const DWORD kCoreHeader = sizeof(BITMAPCOREHEADER);
const DWORD kMaskBytes = 3 * sizeof(DWORD);
const UINT kChunk = 0x4000;
// Nothing this class makes or reads may exceed what a 32-bit process can
// hold in one block.
const ULONGLONG kMaxBlock = 0x7FFF0000ull;

// Locks a global block for the length of a scope.
class CLockedBlock
{
public:
    explicit CLockedBlock(HGLOBAL h) : m_h(h), m_p(h ? (LPSTR)::GlobalLock(h) : NULL) {}
    ~CLockedBlock() { if (m_p) ::GlobalUnlock(m_h); }
    LPSTR Get() const { return m_p; }
    SIZE_T Size() const { return m_h ? ::GlobalSize(m_h) : 0; }
private:
    HGLOBAL m_h;
    LPSTR m_p;
};

// The block to inspect: the caller's, or the object's own locked for the call.
class CInspect
{
public:
    CInspect(HGLOBAL hOwn, LPCSTR lpGiven)
        : m_lock(lpGiven ? NULL : hOwn), m_p(lpGiven ? lpGiven : m_lock.Get()),
          m_nAvailable(lpGiven ? (SIZE_T)-1 : m_lock.Size()) {}
    LPCSTR Get() const { return m_p; }
    BOOL Describe(OXDIBLayout::Info& info) const
    { return m_p != NULL && OXDIBLayout::Describe(m_p, m_nAvailable, info); }
private:
    CLockedBlock m_lock;
    LPCSTR m_p;
    SIZE_T m_nAvailable;
};

HGLOBAL AllocBlock(ULONGLONG nBytes)
{
    if (nBytes == 0 || nBytes > kMaxBlock)
        return NULL;
    return ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)nBytes);
}

HGLOBAL CopyBlock(HGLOBAL hSource)
{
    if (hSource == NULL)
        return NULL;
    CLockedBlock src(hSource);
    HGLOBAL hCopy = AllocBlock(src.Size());
    if (hCopy == NULL || src.Get() == NULL)
        return hCopy;
    CLockedBlock dst(hCopy);
    memcpy(dst.Get(), src.Get(), src.Size());
    return hCopy;
}

WORD NormaliseBitCount(int nBits)
{
    if (nBits <= 1) return 1;
    if (nBits <= 4) return 4;
    if (nBits <= 8) return 8;
    return 24;
}

const BYTE kStandardColors[16][3] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}};

// Ordered-dither thresholds for the halftone cube, indexed [x mod 8][y mod 8].
const BYTE kDither[8][8] = {
    {0, 38, 9, 47, 2, 40, 11, 50},  {25, 12, 35, 22, 27, 15, 37, 24},
    {6, 44, 3, 41, 8, 47, 5, 43},   {31, 19, 28, 15, 34, 21, 31, 18},
    {1, 39, 11, 49, 0, 39, 10, 48}, {27, 14, 36, 23, 26, 13, 35, 23},
    {7, 46, 4, 43, 7, 45, 3, 42},   {33, 20, 30, 17, 32, 19, 29, 16}};

// Cube index to entry of a halftone palette whose second entry is not
// RGB(44, 0, 0).
const BYTE kCubeToPalette[216] = {
    0, 29, 30, 31, 32, 249, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44,
    45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 250, 250, 57, 58, 59, 251,
    60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77,
    78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 250, 90, 91, 92, 93, 94,
    95, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 227,
    112, 113, 114, 115, 116, 117, 118, 119, 151, 120, 121, 122, 123, 124, 228, 125, 126, 229,
    133, 162, 135, 131, 132, 137, 166, 134, 140, 130, 136, 143, 138, 139, 174, 141, 142, 177,
    129, 144, 145, 146, 147, 148, 149, 150, 157, 152, 153, 154, 155, 156, 192, 158, 159, 160,
    161, 196, 163, 164, 165, 127, 199, 167, 168, 169, 170, 171, 172, 173, 207, 175, 176, 210,
    178, 179, 180, 181, 182, 183, 184, 185, 186, 187, 188, 189, 190, 191, 224, 193, 194, 195,
    252, 252, 197, 198, 128, 253, 252, 200, 201, 202, 203, 204, 205, 206, 230, 208, 209, 231,
    211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222, 254, 223, 232, 225, 226, 255};

// Pixel access by bit count, most significant bit or high nibble first.
inline UINT GetPixelBits(const BYTE* pRow, LONG x, WORD nBits)
{
    switch (nBits) {
    case 1: return (pRow[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (pRow[x >> 1] & 0x0F) : (pRow[x >> 1] >> 4);
    default: return pRow[x];
    }
}
inline void SetPixelBits(BYTE* pRow, LONG x, WORD nBits, UINT v)
{
    if (nBits == 1) {
        BYTE mask = (BYTE)(0x80 >> (x & 7));
        pRow[x >> 3] = (BYTE)(v ? (pRow[x >> 3] | mask) : (pRow[x >> 3] & ~mask));
    } else if (nBits == 4) {
        BYTE& b = pRow[x >> 1];
        b = (x & 1) ? (BYTE)((b & 0xF0) | (v & 0x0F)) : (BYTE)((b & 0x0F) | ((v & 0x0F) << 4));
    } else {
        pRow[x] = (BYTE)v;
    }
}

// Reads exactly nBytes from an archive in chunks; FALSE on a short read.
BOOL ReadExactly(CArchive& ar, void* pBuf, ULONGLONG nBytes)
{
    BYTE* p = (BYTE*)pBuf;
    while (nBytes > 0) {
        UINT n = (UINT)(nBytes < kChunk ? nBytes : kChunk);
        if (ar.Read(p, n) != n)
            return FALSE;
        p += n;
        nBytes -= n;
    }
    return TRUE;
}

BOOL SkipBytes(CArchive& ar, ULONGLONG nBytes)
{
    BYTE buf[256];
    while (nBytes > 0) {
        UINT n = (UINT)(nBytes < sizeof buf ? nBytes : sizeof buf);
        if (ar.Read(buf, n) != n)
            return FALSE;
        nBytes -= n;
    }
    return TRUE;
}
} // namespace

// ---------------------------------------------------------------------------
// Layout rules
// ---------------------------------------------------------------------------
ULONGLONG OXDIBLayout::RowBytes(WORD nBitCount, LONG nWidth)
{
    return (((ULONGLONG)nBitCount * (ULONGLONG)nWidth + 31) / 32) * 4;
}

BOOL OXDIBLayout::Describe(const void* pBlock, SIZE_T nAvailable, Info& info)
{
    memset(&info, 0, sizeof info);
    if (pBlock == NULL || nAvailable < sizeof(DWORD))
        return FALSE;
    DWORD nHeader = *(const DWORD*)pBlock;
    if (nHeader == kInfoHeader) {
        if (nAvailable < kInfoHeader)
            return FALSE;
        const BITMAPINFOHEADER& bi = *(const BITMAPINFOHEADER*)pBlock;
        info.nWidth = bi.biWidth;
        info.nHeight = bi.biHeight < 0 ? -bi.biHeight : bi.biHeight;
        info.bTopDown = bi.biHeight < 0;
        info.nBitCount = bi.biBitCount;
        info.nCompression = bi.biCompression;
        if (bi.biPlanes != 1 || bi.biHeight == 0 || bi.biHeight == LONG_MIN)
            return FALSE;
        if (bi.biClrUsed != 0)
            info.nColors = bi.biClrUsed;
        else if (bi.biBitCount <= 8)
            info.nColors = 1u << bi.biBitCount;
        info.nTableBytes = info.nColors * 4;
        if (bi.biCompression == BI_BITFIELDS)
            info.nTableBytes = kMaskBytes;
    } else if (nHeader == kCoreHeader) {
        if (nAvailable < kCoreHeader)
            return FALSE;
        const BITMAPCOREHEADER& bc = *(const BITMAPCOREHEADER*)pBlock;
        info.bCore = TRUE;
        info.nWidth = bc.bcWidth;
        info.nHeight = bc.bcHeight;
        info.nBitCount = bc.bcBitCount;
        info.nCompression = BI_RGB;
        if (bc.bcPlanes != 1 || bc.bcHeight == 0)
            return FALSE;
        if (bc.bcBitCount <= 8)
            info.nColors = 1u << bc.bcBitCount;
        info.nTableBytes = info.nColors * 3;
    } else {
        return FALSE;
    }
    switch (info.nBitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return FALSE;
    }
    if (info.nWidth <= 0 || info.nColors > 256)
        return FALSE;
    switch (info.nCompression) {
    case BI_RGB: break;
    case BI_RLE8: if (info.nBitCount != 8 || info.bTopDown) return FALSE; break;
    case BI_RLE4: if (info.nBitCount != 4 || info.bTopDown) return FALSE; break;
    case BI_BITFIELDS: if (info.nBitCount != 16 && info.nBitCount != 32) return FALSE; break;
    default: return FALSE;
    }
    // A row wider than any block is refused before it is narrowed: kept in
    // 32 bits it would wrap to a few bytes and pass every later check.
    const ULONGLONG nRowBytes = RowBytes(info.nBitCount, info.nWidth);
    if (nRowBytes > kMaxBlock)
        return FALSE;
    info.nRowBytes = (DWORD)nRowBytes;
    if (info.nCompression == BI_RLE8 || info.nCompression == BI_RLE4) {
        info.nImageBytes = ((const BITMAPINFOHEADER*)pBlock)->biSizeImage;
        if (info.nImageBytes == 0)
            return FALSE;
    } else {
        info.nImageBytes = (ULONGLONG)info.nRowBytes * (ULONGLONG)info.nHeight;
    }
    info.nBlockBytes = nHeader + info.nTableBytes + info.nImageBytes;
    return info.nBlockBytes <= kMaxBlock && info.nBlockBytes <= nAvailable;
}

void OXDIBLayout::ReplicationCounts(int n, int m, int* pCounts)
{
    // Spreads n elements over m: each takes one place plus its share of the
    // difference, the rounding error carried on to the next.
    long long acc = 0;
    for (int i = 0; i < n; i++) {
        acc += 2LL * (m - n);
        long long q = acc / (2LL * n), r = acc % (2LL * n);
        if (2 * (r < 0 ? -r : r) >= 2LL * n)
            q += (acc < 0 ? -1 : 1);
        pCounts[i] = (int)(1 + q);
        acc -= 2LL * n * q;
    }
}

// ---------------------------------------------------------------------------
// Construction and ownership
// ---------------------------------------------------------------------------
COXDIB::COXDIB() : m_hDIB(NULL), m_pPalette(NULL) {}

COXDIB::COXDIB(HGLOBAL hDIB) : m_hDIB(NULL), m_pPalette(NULL)
{
    ReplaceBlock(CopyBlock(hDIB));
}

COXDIB::COXDIB(const COXDIB& other) : CObject(), m_hDIB(NULL), m_pPalette(NULL)
{
    ReplaceBlock(other.CopyHandle());
}

COXDIB::~COXDIB()
{
    Empty();
}

COXDIB& COXDIB::operator=(const COXDIB& other)
{
    if (this != &other)
        SetHandle(other.m_hDIB);
    return *this;
}

void COXDIB::SetHandle(HGLOBAL hDIB)
{
    if (hDIB == NULL || hDIB == m_hDIB)
        return;
    {
        CLockedBlock src(hDIB);
        if (src.Get() == NULL || src.Size() < kInfoHeader || *(const DWORD*)src.Get() != kInfoHeader)
            return;
    }
    ReplaceBlock(CopyBlock(hDIB));
}

void COXDIB::ReplaceBlock(HGLOBAL hDIB)
{
    Empty();
    m_hDIB = hDIB;
    if (m_hDIB != NULL && !CreatePalette())
        Empty();
}

void COXDIB::Empty()
{
    if (m_hDIB != NULL) {
        ::GlobalFree(m_hDIB);
        m_hDIB = NULL;
    }
    delete m_pPalette;
    m_pPalette = NULL;
}

HGLOBAL COXDIB::Detach()
{
    HGLOBAL h = m_hDIB;
    m_hDIB = NULL;
    return h;
}

HGLOBAL COXDIB::CopyHandle() const
{
    return CopyBlock(m_hDIB);
}

// ---------------------------------------------------------------------------
// Inspection
// ---------------------------------------------------------------------------
WORD COXDIB::GetBitCount(LPCSTR lpDIB) const
{
    OXDIBLayout::Info info;
    return CInspect(m_hDIB, lpDIB).Describe(info) ? info.nBitCount : 0;
}

WORD COXDIB::GetNumColors(LPCSTR lpDIB) const
{
    OXDIBLayout::Info info;
    return CInspect(m_hDIB, lpDIB).Describe(info) ? (WORD)info.nColors : 0;
}

WORD COXDIB::GetPaletteSize(LPCSTR lpDIB) const
{
    OXDIBLayout::Info info;
    if (!CInspect(m_hDIB, lpDIB).Describe(info))
        return 0;
    return (WORD)(info.nCompression == BI_BITFIELDS ? 0 : info.nTableBytes);
}

CSize COXDIB::GetSize(LPCSTR lpDIB) const
{
    OXDIBLayout::Info info;
    if (!CInspect(m_hDIB, lpDIB).Describe(info))
        return CSize(0, 0);
    return CSize(info.nWidth, info.nHeight);
}

LPSTR COXDIB::FindDIBBits(LPSTR lpDIB) const
{
    // Without a block of the caller's, the address is only good while the
    // movable block stays where it is: the object's blocks are never
    // reallocated in place, so it holds until the next change of the image.
    LPSTR p = lpDIB;
    if (p == NULL && m_hDIB != NULL) {
        p = (LPSTR)::GlobalLock(m_hDIB);
        ::GlobalUnlock(m_hDIB);
    }
    OXDIBLayout::Info info;
    if (p == NULL || !OXDIBLayout::Describe(p, lpDIB ? (SIZE_T)-1 : ::GlobalSize(m_hDIB), info))
        return NULL;
    return p + *(const DWORD*)p + info.nTableBytes;
}

BOOL COXDIB::GetMonochromeColors(COLORREF& clrColor0, COLORREF& clrColor1) const
{
    CLockedBlock block(m_hDIB);
    OXDIBLayout::Info info;
    if (!OXDIBLayout::Describe(block.Get(), block.Size(), info) || info.nBitCount != 1 || info.nColors < 2)
        return FALSE;
    if (info.bCore) {
        const RGBTRIPLE* t = (const RGBTRIPLE*)(block.Get() + kCoreHeader);
        clrColor0 = RGB(t[0].rgbtRed, t[0].rgbtGreen, t[0].rgbtBlue);
        clrColor1 = RGB(t[1].rgbtRed, t[1].rgbtGreen, t[1].rgbtBlue);
    } else {
        const RGBQUAD* q = (const RGBQUAD*)(block.Get() + kInfoHeader);
        clrColor0 = RGB(q[0].rgbRed, q[0].rgbGreen, q[0].rgbBlue);
        clrColor1 = RGB(q[1].rgbRed, q[1].rgbGreen, q[1].rgbBlue);
    }
    return TRUE;
}

BOOL COXDIB::SetMonochromeColors(COLORREF clrColor0, COLORREF clrColor1)
{
    {
        CLockedBlock block(m_hDIB);
        OXDIBLayout::Info info;
        if (!OXDIBLayout::Describe(block.Get(), block.Size(), info) || info.nBitCount != 1 || info.nColors < 2 || info.bCore)
            return FALSE;
        RGBQUAD* q = (RGBQUAD*)(block.Get() + kInfoHeader);
        const COLORREF colors[2] = {clrColor0, clrColor1};
        for (int i = 0; i < 2; i++) {
            q[i].rgbRed = GetRValue(colors[i]);
            q[i].rgbGreen = GetGValue(colors[i]);
            q[i].rgbBlue = GetBValue(colors[i]);
            q[i].rgbReserved = 0;
        }
    }
    delete m_pPalette;
    m_pPalette = NULL;
    return CreatePalette();
}

// ---------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------
BOOL COXDIB::CreateEmpty(WORD nBitCount, int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0)
        return FALSE;
    WORD nBits = NormaliseBitCount(nBitCount);
    ULONGLONG nImage = OXDIBLayout::RowBytes(nBits, nWidth) * (ULONGLONG)nHeight;
    HGLOBAL h = AllocBlock(nImage + kInfoHeader + 256 * sizeof(RGBQUAD));
    if (h == NULL)
        return FALSE;
    Empty();
    {
        CLockedBlock block(h);
        BITMAPINFOHEADER& bi = *(BITMAPINFOHEADER*)block.Get();
        bi.biSize = kInfoHeader;
        bi.biWidth = nWidth;
        bi.biHeight = nHeight;
        bi.biPlanes = 1;
        bi.biBitCount = nBits;
        bi.biCompression = BI_RGB;
        bi.biSizeImage = (DWORD)nImage;
        bi.biClrUsed = nBits == 4 ? 16 : nBits == 8 ? 256 : 0;
        RGBQUAD* q = (RGBQUAD*)(block.Get() + kInfoHeader);
        for (DWORD i = 0; i < bi.biClrUsed; i++) {
            q[i].rgbRed = kStandardColors[i % 16][0];
            q[i].rgbGreen = kStandardColors[i % 16][1];
            q[i].rgbBlue = kStandardColors[i % 16][2];
        }
    }
    m_hDIB = h;
    return TRUE;
}

HGLOBAL COXDIB::FromBitmap(HBITMAP hBitmap, CPalette* pPalette)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof bm, &bm) != sizeof bm || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return NULL;
    WORD nBits = NormaliseBitCount(bm.bmPlanes * bm.bmBitsPixel);
    DWORD nColors = nBits <= 8 ? (1u << nBits) : 0;
    ULONGLONG nImage = OXDIBLayout::RowBytes(nBits, bm.bmWidth) * (ULONGLONG)bm.bmHeight;
    HGLOBAL h = AllocBlock(kInfoHeader + nColors * sizeof(RGBQUAD) + nImage);
    if (h == NULL)
        return NULL;
    BOOL bOk;
    {
        CLockedBlock block(h);
        BITMAPINFOHEADER& bi = *(BITMAPINFOHEADER*)block.Get();
        bi.biSize = kInfoHeader;
        bi.biWidth = bm.bmWidth;
        bi.biHeight = bm.bmHeight;
        bi.biPlanes = 1;
        bi.biBitCount = nBits;
        bi.biCompression = BI_RGB;
        bi.biSizeImage = (DWORD)nImage;
        HDC hdc = ::GetDC(NULL);
        HPALETTE hOld = NULL;
        if (pPalette != NULL && pPalette->GetSafeHandle() != NULL) {
            hOld = ::SelectPalette(hdc, (HPALETTE)pPalette->GetSafeHandle(), FALSE);
            ::RealizePalette(hdc);
        }
        bOk = ::GetDIBits(hdc, hBitmap, 0, bm.bmHeight, block.Get() + kInfoHeader + nColors * sizeof(RGBQUAD),
                          (BITMAPINFO*)&bi, DIB_RGB_COLORS) != 0;
        if (hOld != NULL)
            ::SelectPalette(hdc, hOld, FALSE);
        ::ReleaseDC(NULL, hdc);
        // GetDIBits may rewrite the header's counts: keep the layout ours.
        bi.biClrUsed = nColors;
        bi.biSizeImage = (DWORD)nImage;
        bi.biCompression = BI_RGB;
    }
    if (!bOk) {
        ::GlobalFree(h);
        return NULL;
    }
    Empty();
    m_hDIB = h;
    if (pPalette != NULL && pPalette->GetSafeHandle() != NULL)
        MapColorsToPalette(pPalette, 0);
    if (!CreatePalette()) {
        Empty();
        return NULL;
    }
    return m_hDIB;
}

HGLOBAL COXDIB::FromIcon(HICON hIcon, int cx, int cy, CPalette* pPalette)
{
    if (hIcon == NULL || cx <= 0 || cy <= 0)
        return NULL;
    HDC hdcDisplay = ::CreateDCA("DISPLAY", NULL, NULL, NULL);
    if (hdcDisplay == NULL)
        return NULL;
    HDC hdcMem = ::CreateCompatibleDC(hdcDisplay);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcDisplay, cx, cy);
    HGLOBAL hResult = NULL;
    if (hdcMem != NULL && hbm != NULL) {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        RECT rc = {0, 0, cx, cy};
        ::FillRect(hdcMem, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        ::DrawIconEx(hdcMem, 0, 0, hIcon, cx, cy, 0, NULL, DI_NORMAL);
        ::SelectObject(hdcMem, hOld);
        hResult = FromBitmap(hbm, pPalette);
    }
    if (hbm) ::DeleteObject(hbm);
    if (hdcMem) ::DeleteDC(hdcMem);
    ::DeleteDC(hdcDisplay);
    return hResult;
}

BOOL COXDIB::LoadResource(LPCTSTR lpszName, HINSTANCE hInst)
{
    if (hInst == NULL)
        hInst = AfxFindResourceHandle(lpszName, RT_BITMAP);
    HRSRC hRes = ::FindResourceA(hInst, lpszName, RT_BITMAP);
    if (hRes == NULL)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hInst, hRes);
    const BYTE* p = hData ? (const BYTE*)::LockResource(hData) : NULL;
    OXDIBLayout::Info info;
    if (p == NULL || !OXDIBLayout::Describe(p, ::SizeofResource(hInst, hRes), info) || info.bCore)
        return FALSE;
    const BITMAPINFO* pbi = (const BITMAPINFO*)p;

    CPalette palette;
    HDC hdc = ::GetDC(NULL);
    if (info.nColors > 0 && info.nCompression != BI_BITFIELDS) {
        std::vector<BYTE> buf(sizeof(LOGPALETTE) + info.nColors * sizeof(PALETTEENTRY));
        LOGPALETTE* lp = (LOGPALETTE*)buf.data();
        lp->palVersion = 0x300;
        lp->palNumEntries = (WORD)info.nColors;
        for (DWORD i = 0; i < info.nColors; i++) {
            lp->palPalEntry[i].peRed = pbi->bmiColors[i].rgbRed;
            lp->palPalEntry[i].peGreen = pbi->bmiColors[i].rgbGreen;
            lp->palPalEntry[i].peBlue = pbi->bmiColors[i].rgbBlue;
            lp->palPalEntry[i].peFlags = 0;
        }
        palette.CreatePalette(lp);
    } else if ((::GetDeviceCaps(hdc, RASTERCAPS) & RC_PALETTE) && ::GetDeviceCaps(hdc, SIZEPALETTE) == 256) {
        palette.Attach(::CreateHalftonePalette(hdc));
    }
    HPALETTE hOld = NULL;
    if (palette.GetSafeHandle() != NULL) {
        hOld = ::SelectPalette(hdc, (HPALETTE)palette.GetSafeHandle(), FALSE);
        ::RealizePalette(hdc);
    }
    HBITMAP hbm = ::CreateDIBitmap(hdc, &pbi->bmiHeader, CBM_INIT, p + kInfoHeader + info.nTableBytes,
                                   pbi, DIB_RGB_COLORS);
    if (hOld != NULL)
        ::SelectPalette(hdc, hOld, FALSE);
    ::ReleaseDC(NULL, hdc);
    if (hbm == NULL)
        return FALSE;
    BOOL bOk = FromBitmap(hbm, palette.GetSafeHandle() ? &palette : NULL) != NULL;
    ::DeleteObject(hbm);
    return bOk;
}

// ---------------------------------------------------------------------------
// Conversion and drawing
// ---------------------------------------------------------------------------
CBitmap* COXDIB::MakeBitmap(CDC* pDC)
{
    CLockedBlock block(m_hDIB);
    OXDIBLayout::Info info;
    if (pDC == NULL || !OXDIBLayout::Describe(block.Get(), block.Size(), info) || info.bCore)
        return NULL;
    CPalette* pOld = m_pPalette ? pDC->SelectPalette(m_pPalette, FALSE) : NULL;
    if (m_pPalette)
        pDC->RealizePalette();
    HBITMAP hbm = ::CreateDIBitmap(pDC->GetSafeHdc(), (const BITMAPINFOHEADER*)block.Get(), CBM_INIT,
                                   block.Get() + kInfoHeader + info.nTableBytes,
                                   (const BITMAPINFO*)block.Get(), DIB_RGB_COLORS);
    if (pOld != NULL)
        pDC->SelectPalette(pOld, FALSE);
    if (hbm == NULL)
        return NULL;
    CBitmap* pBitmap = new CBitmap;
    pBitmap->Attach(hbm);
    return pBitmap;
}

CBitmap* COXDIB::SelectIntoDC(CDC* pDC, CSize& size)
{
    size = CSize(0, 0);
    CLockedBlock block(m_hDIB);
    OXDIBLayout::Info info;
    if (pDC == NULL || !OXDIBLayout::Describe(block.Get(), block.Size(), info) || info.bCore)
        return NULL;
    HDC hdc = pDC->GetSafeHdc();
    // A 1 x 1 bitmap of the DC's own format first, so that the device bitmap
    // is made in that format (monochrome for a 1-bit image).
    HBITMAP hProbe = info.nBitCount == 1 ? ::CreateBitmap(1, 1, 1, 1, NULL) : ::CreateCompatibleBitmap(hdc, 1, 1);
    HGDIOBJ hPrevious = ::SelectObject(hdc, hProbe);
    RGBQUAD saved[2] = {};
    RGBQUAD* q = (RGBQUAD*)(block.Get() + kInfoHeader);
    if (info.nBitCount == 1 && info.nColors >= 2) {
        memcpy(saved, q, sizeof saved);
        memset(&q[0], 0, sizeof(RGBQUAD));
        q[1].rgbRed = q[1].rgbGreen = q[1].rgbBlue = 0xFF;
        q[1].rgbReserved = 0;
    }
    HPALETTE hOldPal = m_pPalette ? ::SelectPalette(hdc, (HPALETTE)m_pPalette->GetSafeHandle(), TRUE) : NULL;
    if (m_pPalette)
        ::RealizePalette(hdc);
    HBITMAP hbm = ::CreateDIBitmap(hdc, (const BITMAPINFOHEADER*)block.Get(), CBM_INIT,
                                   block.Get() + kInfoHeader + info.nTableBytes,
                                   (const BITMAPINFO*)block.Get(), DIB_RGB_COLORS);
    if (hOldPal != NULL)
        ::SelectPalette(hdc, hOldPal, TRUE);
    if (info.nBitCount == 1 && info.nColors >= 2)
        memcpy(q, saved, sizeof saved);
    if (hbm == NULL) {
        ::SelectObject(hdc, hPrevious);
        ::DeleteObject(hProbe);
        return NULL;
    }
    ::SelectObject(hdc, hbm);
    ::DeleteObject(hProbe);
    size = CSize(info.nWidth, info.nHeight);
    // The new device bitmap stays selected: the caller deletes it when it
    // selects the returned one back.
    return CBitmap::FromHandle((HBITMAP)hPrevious);
}

int COXDIB::Paint(CDC* pDC, const CRect& rectDest, const CRect& rectSrc)
{
    CLockedBlock block(m_hDIB);
    OXDIBLayout::Info info;
    if (pDC == NULL || !OXDIBLayout::Describe(block.Get(), block.Size(), info) || info.bCore)
        return 0;
    HDC hdc = pDC->GetSafeHdc();
    HPALETTE hOldPal = NULL;
    if (m_pPalette) {
        hOldPal = ::SelectPalette(hdc, (HPALETTE)m_pPalette->GetSafeHandle(), FALSE);
        ::RealizePalette(hdc);
    }
    ::SetStretchBltMode(hdc, COLORONCOLOR);
    const void* bits = block.Get() + kInfoHeader + info.nTableBytes;
    const BITMAPINFO* pbi = (const BITMAPINFO*)block.Get();
    int nResult;
    if (rectDest.Width() == rectSrc.Width() && rectDest.Height() == rectSrc.Height() && ::GetMapMode(hdc) == MM_TEXT)
        nResult = ::SetDIBitsToDevice(hdc, rectDest.left, rectDest.top, rectDest.Width(), rectDest.Height(),
                                      rectSrc.left, info.nHeight - rectSrc.bottom, 0, info.nHeight,
                                      bits, pbi, DIB_RGB_COLORS);
    else
        nResult = ::StretchDIBits(hdc, rectDest.left, rectDest.top, rectDest.Width(), rectDest.Height(),
                                  rectSrc.left, info.nHeight - rectSrc.bottom, rectSrc.Width(), rectSrc.Height(),
                                  bits, pbi, DIB_RGB_COLORS, SRCCOPY);
    if (hOldPal != NULL)
        ::SelectPalette(hdc, hOldPal, TRUE);
    return nResult;
}

void COXDIB::MapColorsToPalette(CPalette* pPalette, int nMode)
{
    CLockedBlock block(m_hDIB);
    OXDIBLayout::Info info;
    if (!OXDIBLayout::Describe(block.Get(), block.Size(), info) || info.bCore || info.nColors == 0
        || info.nCompression == BI_BITFIELDS)
        return;
    if (nMode == 1) {
        WORD* pIndex = (WORD*)(block.Get() + kInfoHeader);
        for (DWORD i = 0; i < info.nColors; i++)
            pIndex[i] = (WORD)i;
        return;
    }
    HPALETTE hPal = pPalette && pPalette->GetSafeHandle() ? (HPALETTE)pPalette->GetSafeHandle()
                                                          : (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
    PALETTEENTRY entries[256];
    UINT n = ::GetPaletteEntries(hPal, 0, info.nColors < 256 ? info.nColors : 256, entries);
    RGBQUAD* q = (RGBQUAD*)(block.Get() + kInfoHeader);
    for (UINT i = 0; i < n; i++) {
        q[i].rgbRed = entries[i].peRed;
        q[i].rgbGreen = entries[i].peGreen;
        q[i].rgbBlue = entries[i].peBlue;
        q[i].rgbReserved = 0;
    }
}

BOOL COXDIB::CreatePalette()
{
    CLockedBlock block(m_hDIB);
    OXDIBLayout::Info info;
    if (!OXDIBLayout::Describe(block.Get(), block.Size(), info))
        return FALSE;
    if (info.nColors == 0 || info.nCompression == BI_BITFIELDS)
        return TRUE;
    std::vector<BYTE> buf(sizeof(LOGPALETTE) + info.nColors * sizeof(PALETTEENTRY));
    LOGPALETTE* lp = (LOGPALETTE*)buf.data();
    lp->palVersion = 0x300;
    lp->palNumEntries = (WORD)info.nColors;
    for (DWORD i = 0; i < info.nColors; i++) {
        PALETTEENTRY& e = lp->palPalEntry[i];
        if (info.bCore) {
            const RGBTRIPLE& t = ((const RGBTRIPLE*)(block.Get() + kCoreHeader))[i];
            e.peRed = t.rgbtRed; e.peGreen = t.rgbtGreen; e.peBlue = t.rgbtBlue;
        } else {
            const RGBQUAD& c = ((const RGBQUAD*)(block.Get() + kInfoHeader))[i];
            e.peRed = c.rgbRed; e.peGreen = c.rgbGreen; e.peBlue = c.rgbBlue;
        }
        e.peFlags = 0;
    }
    CPalette* pPalette = new CPalette;
    if (!pPalette->CreatePalette(lp)) {
        delete pPalette;
        return FALSE;
    }
    delete m_pPalette;
    m_pPalette = pPalette;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Files and archives
// ---------------------------------------------------------------------------
BOOL COXDIB::Write(CArchive& ar)
{
    CLockedBlock block(m_hDIB);
    OXDIBLayout::Info info;
    if (!OXDIBLayout::Describe(block.Get(), block.Size(), info) || info.bCore)
        return FALSE;
    BITMAPINFOHEADER& bi = *(BITMAPINFOHEADER*)block.Get();
    if (info.nCompression != BI_RLE8 && info.nCompression != BI_RLE4)
        bi.biSizeImage = (DWORD)info.nImageBytes;
    BITMAPFILEHEADER bf = {};
    bf.bfType = kBmpType;
    bf.bfSize = (DWORD)(sizeof bf + info.nBlockBytes);
    bf.bfOffBits = sizeof bf + kInfoHeader + info.nTableBytes;
    ar.Write(&bf, sizeof bf);
    const BYTE* p = (const BYTE*)block.Get();
    ULONGLONG nLeft = info.nBlockBytes;
    while (nLeft > 0) {
        UINT n = (UINT)(nLeft < kChunk ? nLeft : kChunk);
        ar.Write(p, n);
        p += n;
        nLeft -= n;
    }
    return TRUE;
}

BOOL COXDIB::Read(CArchive& ar)
{
    Empty();
    BITMAPFILEHEADER bf;
    DWORD nHeader = 0;
    if (!ReadExactly(ar, &bf, sizeof bf) || bf.bfType != kBmpType || !ReadExactly(ar, &nHeader, sizeof nHeader))
        return FALSE;
    // An info header of any later version is read as its first 40 bytes; its
    // colour masks, where it has them, are kept.
    if (nHeader != kCoreHeader && (nHeader < kInfoHeader || nHeader > 1024))
        return FALSE;
    BITMAPINFOHEADER bi = {};
    DWORD masks[3] = {};
    BOOL bMasks = FALSE;
    ULONGLONG nConsumed = sizeof bf + nHeader;
    if (nHeader == kCoreHeader) {
        WORD core[4];
        if (!ReadExactly(ar, core, sizeof core))
            return FALSE;
        bi.biWidth = core[0];
        bi.biHeight = core[1];
        bi.biPlanes = core[2];
        bi.biBitCount = core[3];
    } else {
        if (!ReadExactly(ar, (BYTE*)&bi + sizeof nHeader, kInfoHeader - sizeof nHeader))
            return FALSE;
        DWORD nExtra = nHeader - kInfoHeader;
        if (nExtra >= kMaskBytes) {
            if (!ReadExactly(ar, masks, kMaskBytes) || !SkipBytes(ar, nExtra - kMaskBytes))
                return FALSE;
            bMasks = TRUE;
        } else if (!SkipBytes(ar, nExtra)) {
            return FALSE;
        }
    }
    bi.biSize = kInfoHeader;
    if (bi.biCompression == BI_BITFIELDS && !bMasks) {
        if (!ReadExactly(ar, masks, kMaskBytes))
            return FALSE;
        nConsumed += kMaskBytes;
    }

    // The counts come from the file: judge them before any is used.
    DWORD nFileColors = bi.biClrUsed;
    if (nHeader == kCoreHeader)
        nFileColors = bi.biBitCount <= 8 ? 1u << (bi.biBitCount & 15) : 0;
    else if (bi.biCompression == BI_BITFIELDS)
        nFileColors = 0;
    else if (nFileColors == 0 && bi.biBitCount <= 8)
        nFileColors = 1u << (bi.biBitCount & 15);
    if (nFileColors > 256)
        return FALSE;
    // Every pixel value of a palette image must name an entry: the table is
    // held at its full length, entries the file lacks black.
    DWORD nColors = bi.biBitCount <= 8 ? 1u << (bi.biBitCount & 15) : nFileColors;
    bi.biClrUsed = bi.biCompression == BI_BITFIELDS ? 0 : nColors;
    if (bi.biCompression != BI_RLE8 && bi.biCompression != BI_RLE4)
        bi.biSizeImage = 0;
    OXDIBLayout::Info info;
    if (!OXDIBLayout::Describe(&bi, (SIZE_T)-1, info))
        return FALSE;
    CFile* pFile = ar.GetFile();
    ULONGLONG nFileLength = pFile ? pFile->GetLength() : kMaxBlock;
    ULONGLONG nTableInFile = (ULONGLONG)nFileColors * (nHeader == kCoreHeader ? 3 : 4);
    nConsumed += nTableInFile;
    if (info.nImageBytes > nFileLength || nConsumed + info.nImageBytes > kMaxBlock)
        return FALSE;

    ULONGLONG nBlock = kInfoHeader + info.nTableBytes + info.nImageBytes;
    HGLOBAL h = AllocBlock(nBlock);
    if (h == NULL)
        return FALSE;
    BOOL bOk = FALSE;
    {
        CLockedBlock block(h);
        BYTE* p = (BYTE*)block.Get();
        BITMAPINFOHEADER& out = *(BITMAPINFOHEADER*)p;
        out = bi;
        out.biSizeImage = (DWORD)info.nImageBytes;
        out.biHeight = info.nHeight;
        BYTE* pTable = p + kInfoHeader;
        BYTE* pBits = pTable + info.nTableBytes;
        do {
            if (bi.biCompression == BI_BITFIELDS) {
                memcpy(pTable, masks, kMaskBytes);
            } else if (nFileColors > 0) {
                std::vector<BYTE> table((SIZE_T)nTableInFile);
                if (!ReadExactly(ar, table.data(), nTableInFile))
                    break;
                const DWORD nEntry = nHeader == kCoreHeader ? 3 : 4;
                for (DWORD i = 0; i < nFileColors && i < nColors; i++) {
                    RGBQUAD& q = ((RGBQUAD*)pTable)[i];
                    const BYTE* e = table.data() + (SIZE_T)i * nEntry;
                    q.rgbBlue = e[0]; q.rgbGreen = e[1]; q.rgbRed = e[2]; q.rgbReserved = 0;
                }
            }
            // The rows start where the file says, when that lies past what
            // has been read; an offset that points back into the headers is
            // taken to mean "right after them".
            if (bf.bfOffBits > nConsumed && !SkipBytes(ar, bf.bfOffBits - nConsumed))
                break;
            if (!ReadExactly(ar, pBits, info.nImageBytes))
                break;
            if (info.bTopDown) {
                std::vector<BYTE> row(info.nRowBytes);
                for (LONG y = 0; y < info.nHeight / 2; y++) {
                    BYTE* a = pBits + (SIZE_T)y * info.nRowBytes;
                    BYTE* b = pBits + (SIZE_T)(info.nHeight - 1 - y) * info.nRowBytes;
                    memcpy(row.data(), a, info.nRowBytes);
                    memcpy(a, b, info.nRowBytes);
                    memcpy(b, row.data(), info.nRowBytes);
                }
            }
            bOk = TRUE;
        } while (false);
    }
    if (!bOk) {
        ::GlobalFree(h);
        return FALSE;
    }
    m_hDIB = h;
    if (!CreatePalette()) {
        Empty();
        return FALSE;
    }
    return TRUE;
}

BOOL COXDIB::ReadFile(CFile* pFile)
{
    if (pFile == NULL)
        return FALSE;
    try {
        CArchive ar(pFile, CArchive::load, 4096);
        BOOL bOk = Read(ar);
        ar.Close();
        return bOk;
    } catch (CException* e) {
        e->Delete();
        Empty();
        return FALSE;
    }
}

BOOL COXDIB::WriteFile(CFile* pFile, BOOL bClose)
{
    if (pFile == NULL)
        return FALSE;
    try {
        CArchive ar(pFile, CArchive::store, 4096);
        BOOL bOk = Write(ar);
        ar.Close();
        if (bClose)
            pFile->Close();
        return bOk;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL COXDIB::Load(LPCTSTR pszPath)
{
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    BOOL bOk = ReadFile(&file);
    file.Abort();
    return bOk;
}

BOOL COXDIB::Save(LPCTSTR pszPath)
{
    if (IsEmpty())
        return FALSE;
    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive))
        return FALSE;
    if (!WriteFile(&file, TRUE)) {
        file.Abort();
        return FALSE;
    }
    return TRUE;
}

void COXDIB::Serialize(CArchive& ar)
{
    if (ar.IsLoading())
        Read(ar);
    else
        Write(ar);
}

// ---------------------------------------------------------------------------
// Palette utilities
// ---------------------------------------------------------------------------
BOOL COXDIB::ClearSystemPalette()
{
    std::vector<BYTE> buf(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    LOGPALETTE* lp = (LOGPALETTE*)buf.data();
    lp->palVersion = 0x300;
    lp->palNumEntries = 256;
    for (int i = 0; i < 256; i++)
        lp->palPalEntry[i].peFlags = PC_NOCOLLAPSE;
    HPALETTE hPal = ::CreatePalette(lp);
    if (hPal == NULL)
        return FALSE;
    HDC hdc = ::GetDC(NULL);
    HPALETTE hOld = ::SelectPalette(hdc, hPal, FALSE);
    ::RealizePalette(hdc);
    ::SelectPalette(hdc, hOld, FALSE);
    ::ReleaseDC(NULL, hdc);
    ::DeleteObject(hPal);
    return TRUE;
}

BOOL COXDIB::CreateSystemPalette(CPalette* pPalette)
{
    if (pPalette == NULL)
        return FALSE;
    HDC hdc = ::GetDC(NULL);
    BOOL bOk = FALSE;
    if (::GetDeviceCaps(hdc, RASTERCAPS) & RC_PALETTE) {
        int n = ::GetDeviceCaps(hdc, SIZEPALETTE);
        if (n > 0 && n <= 256) {
            std::vector<BYTE> buf(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
            LOGPALETTE* lp = (LOGPALETTE*)buf.data();
            lp->palVersion = 0x300;
            lp->palNumEntries = (WORD)::GetSystemPaletteEntries(hdc, 0, n, lp->palPalEntry);
            bOk = lp->palNumEntries > 0 && pPalette->CreatePalette(lp);
        }
    }
    ::ReleaseDC(NULL, hdc);
    return bOk;
}

BOOL COXDIB::CreateHalftonePalette(CPalette* pPalette)
{
    if (pPalette == NULL)
        return FALSE;
    HDC hdc = ::GetDC(NULL);
    int n = ::GetDeviceCaps(hdc, SIZEPALETTE);
    if (n <= 0)
        n = ::GetDeviceCaps(hdc, NUMCOLORS);
    BOOL bOk = n >= 256 && pPalette->Attach(::CreateHalftonePalette(hdc));
    ::ReleaseDC(NULL, hdc);
    return bOk;
}

// ---------------------------------------------------------------------------
// Pixel operations: uncompressed images only
// ---------------------------------------------------------------------------
BOOL COXDIB::Resize(int nWidth, int nHeight)
{
    HGLOBAL h = ResizedBlock(nWidth, nHeight);
    if (h == NULL)
        return FALSE;
    ::GlobalFree(m_hDIB);
    m_hDIB = h;
    return TRUE;
}

HGLOBAL COXDIB::ResizedBlock(int nWidth, int nHeight) const
{
    CLockedBlock src(m_hDIB);
    OXDIBLayout::Info info;
    if (!OXDIBLayout::Describe(src.Get(), src.Size(), info) || info.bCore || info.nBitCount < 8
        || info.nCompression == BI_RLE8 || info.nCompression == BI_RLE4 || nWidth <= 0 || nHeight <= 0)
        return NULL;
    const ULONGLONG nNewRow = OXDIBLayout::RowBytes(info.nBitCount, nWidth);
    const ULONGLONG nNewImage = nNewRow * (ULONGLONG)nHeight;
    HGLOBAL h = AllocBlock(kInfoHeader + info.nTableBytes + nNewImage);
    if (h == NULL)
        return NULL;
    std::vector<int> cols(info.nWidth), rows(info.nHeight);
    OXDIBLayout::ReplicationCounts(info.nWidth, nWidth, cols.data());
    OXDIBLayout::ReplicationCounts(info.nHeight, nHeight, rows.data());
    {
        CLockedBlock dst(h);
        memcpy(dst.Get(), src.Get(), kInfoHeader + info.nTableBytes);
        BITMAPINFOHEADER& bi = *(BITMAPINFOHEADER*)dst.Get();
        bi.biWidth = nWidth;
        bi.biHeight = nHeight;
        bi.biSizeImage = (DWORD)nNewImage;
        const BYTE* pSrc = (const BYTE*)src.Get() + kInfoHeader + info.nTableBytes;
        BYTE* pDst = (BYTE*)dst.Get() + kInfoHeader + info.nTableBytes;
        const int nPixel = info.nBitCount / 8;
        LONG yOut = 0;
        for (LONG y = 0; y < info.nHeight && yOut < nHeight; y++) {
            if (rows[y] <= 0)
                continue;
            const BYTE* s = pSrc + (SIZE_T)y * info.nRowBytes;
            BYTE* d = pDst + (SIZE_T)yOut * nNewRow;
            BYTE* o = d;
            for (LONG x = 0; x < info.nWidth; x++, s += nPixel)
                for (int k = 0; k < cols[x]; k++, o += nPixel)
                    memcpy(o, s, nPixel);
            for (int k = 1; k < rows[y] && yOut + k < nHeight; k++)
                memcpy(d + (SIZE_T)k * nNewRow, d, nNewRow);
            yOut += rows[y];
        }
    }
    return h;
}

BOOL COXDIB::HalfToneReduce(const CPalette* pHalftonePalette)
{
    OXDIBLayout::Info info;
    {
        CLockedBlock src(m_hDIB);
        if (!OXDIBLayout::Describe(src.Get(), src.Size(), info) || info.bCore || info.nBitCount <= 23
            || info.nCompression != BI_RGB)
            return FALSE;
    }
    CPalette system;
    const CPalette* pPalette = pHalftonePalette;
    if (pPalette == NULL) {
        if (!CreateHalftonePalette(&system))
            return FALSE;
        pPalette = &system;
    }
    PALETTEENTRY entries[256] = {};
    UINT nEntries = ::GetPaletteEntries((HPALETTE)pPalette->GetSafeHandle(), 0, 256, entries);
    if (nEntries < 256)
        return FALSE;
    const BOOL bTranslate = !(entries[1].peRed == 44 && entries[1].peGreen == 0 && entries[1].peBlue == 0);

    COXDIB reduced;
    if (!reduced.CreateEmpty(8, info.nWidth, info.nHeight))
        return FALSE;
    {
        CLockedBlock src(m_hDIB);
        CLockedBlock dst(reduced.m_hDIB);
        RGBQUAD* q = (RGBQUAD*)(dst.Get() + kInfoHeader);
        for (int i = 0; i < 256; i++) {
            q[i].rgbRed = entries[i].peRed;
            q[i].rgbGreen = entries[i].peGreen;
            q[i].rgbBlue = entries[i].peBlue;
            q[i].rgbReserved = 0;
        }
        const BYTE* pSrc = (const BYTE*)src.Get() + kInfoHeader + info.nTableBytes;
        BYTE* pDst = (BYTE*)dst.Get() + kInfoHeader + 256 * sizeof(RGBQUAD);
        const DWORD nDstRow = OXDIBLayout::RowBytes(8, info.nWidth);
        const int nPixel = info.nBitCount / 8;
        for (LONG y = 0; y < info.nHeight; y++) {
            const BYTE* s = pSrc + (SIZE_T)y * info.nRowBytes;
            BYTE* d = pDst + (SIZE_T)y * nDstRow;
            for (LONG x = 0; x < info.nWidth; x++, s += nPixel) {
                const BYTE m = kDither[x & 7][y & 7];
                int b = s[0] / 51 + (m < s[0] % 51);
                int g = s[1] / 51 + (m < s[1] % 51);
                int r = s[2] / 51 + (m < s[2] % 51);
                int index = r + 6 * g + 36 * b;
                d[x] = bTranslate ? kCubeToPalette[index] : (BYTE)index;
            }
        }
    }
    HGLOBAL h = reduced.Detach();
    ReplaceBlock(h);
    return !IsEmpty();
}

BOOL COXDIB::Rotate(int nAngle, BOOL bFlipVert, BOOL bFlipHorz)
{
    if (nAngle % 90 != 0 || IsEmpty())
        return FALSE;
    nAngle %= 360;
    if (nAngle < 0)
        nAngle += 360;
    if (nAngle == 0 && !bFlipVert && !bFlipHorz)
        return TRUE;

    HGLOBAL h = RotatedBlock(nAngle, bFlipVert, bFlipHorz);
    if (h == NULL)
        return FALSE;   // the old contents stay as they were
    HGLOBAL hSource = m_hDIB;
    m_hDIB = h;
    if (!CreatePalette()) {
        ::GlobalFree(h);
        m_hDIB = hSource;
        return FALSE;
    }
    ::GlobalFree(hSource);
    return TRUE;
}

HGLOBAL COXDIB::RotatedBlock(int nAngle, BOOL bFlipVert, BOOL bFlipHorz) const
{
    CLockedBlock src(m_hDIB);
    OXDIBLayout::Info info;
    if (!OXDIBLayout::Describe(src.Get(), src.Size(), info) || info.bCore
        || info.nCompression == BI_RLE8 || info.nCompression == BI_RLE4)
        return NULL;
    const BOOL bSwap = nAngle == 90 || nAngle == 270;
    const LONG W = bSwap ? info.nHeight : info.nWidth;   // W', H': the new size
    const LONG H = bSwap ? info.nWidth : info.nHeight;
    const ULONGLONG nNewRow = OXDIBLayout::RowBytes(info.nBitCount, W);
    const ULONGLONG nNewImage = nNewRow * (ULONGLONG)H;
    HGLOBAL h = AllocBlock(kInfoHeader + info.nTableBytes + nNewImage);
    if (h == NULL)
        return NULL;
    {
        CLockedBlock dst(h);
        memcpy(dst.Get(), src.Get(), kInfoHeader + info.nTableBytes);
        BITMAPINFOHEADER& bi = *(BITMAPINFOHEADER*)dst.Get();
        bi.biWidth = W;
        bi.biHeight = H;
        bi.biSizeImage = (DWORD)nNewImage;
        const BYTE* pSrc = (const BYTE*)src.Get() + kInfoHeader + info.nTableBytes;
        BYTE* pDst = (BYTE*)dst.Get() + kInfoHeader + info.nTableBytes;
        const WORD nBits = info.nBitCount;
        const int nPixel = nBits / 8;
        // Target row t and column o of source row i, column j.
        auto target = [&](LONG i, LONG j, LONG& t, LONG& o) {
            switch (nAngle) {
            case 0:   t = bFlipVert ? H - i - 1 : i; o = bFlipHorz ? W - j - 1 : j; break;
            case 90:  t = bFlipVert ? j : H - j - 1; o = bFlipHorz ? W - i - 1 : i; break;
            case 180: t = bFlipVert ? i : H - i - 1; o = bFlipHorz ? j : W - j - 1; break;
            default:  t = bFlipVert ? H - j - 1 : j; o = bFlipHorz ? i : W - i - 1; break;
            }
        };
        for (LONG i = 0; i < info.nHeight; i++) {
            const BYTE* s = pSrc + (SIZE_T)i * info.nRowBytes;
            LONG t0, o0, t1, o1;
            target(i, 0, t0, o0);
            if (info.nWidth > 1) target(i, 1, t1, o1); else { t1 = t0; o1 = o0; }
            // Along a source row the target moves by a constant step.
            const ptrdiff_t dRow = (ptrdiff_t)(t1 - t0), dCol = (ptrdiff_t)(o1 - o0);
            if (nPixel > 0) {
                BYTE* d = pDst + (ptrdiff_t)t0 * nNewRow + (ptrdiff_t)o0 * nPixel;
                const ptrdiff_t step = dRow * (ptrdiff_t)nNewRow + dCol * nPixel;
                if (nPixel == 3) {
                    for (LONG j = 0; j < info.nWidth; j++, s += 3, d += step) {
                        d[0] = s[0]; d[1] = s[1]; d[2] = s[2];
                    }
                } else {
                    for (LONG j = 0; j < info.nWidth; j++, s += nPixel, d += step)
                        memcpy(d, s, nPixel);
                }
            } else {
                LONG t = t0, o = o0;
                for (LONG j = 0; j < info.nWidth; j++, t += (LONG)dRow, o += (LONG)dCol)
                    SetPixelBits(pDst + (SIZE_T)t * nNewRow, o, nBits, GetPixelBits(s, j, nBits));
            }
        }
    }
    return h;
}
