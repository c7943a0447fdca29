// COXDIB: one device-independent bitmap in a single movable global block
// (header, colour table, pixel rows bottom row first: the packed-DIB layout of
// CF_DIB) with a palette made from its colour table. Reads and writes BMP
// files and archives, builds itself from bitmaps, icons and resources, draws,
// resizes by replication, reduces to the halftone cube and rotates by right
// angles.
#pragma once

#include <afxwin.h>

class COXDIB : public CObject
{
    DECLARE_SERIAL(COXDIB)
public:
    COXDIB();
    explicit COXDIB(HGLOBAL hDIB);
    COXDIB(const COXDIB& other);
    virtual ~COXDIB();

    COXDIB& operator=(const COXDIB& other);
    void SetHandle(HGLOBAL hDIB);

    void Empty();
    HGLOBAL Detach();
    BOOL IsEmpty() const { return m_hDIB == NULL; }
    HGLOBAL CopyHandle() const;
    HGLOBAL GetHandle() const { return m_hDIB; }
    CPalette* GetPalette() const { return m_pPalette; }

    // Inspection: each takes an optional locked block; without one it locks
    // the object's own block for the call.
    WORD GetBitCount(LPCSTR lpDIB = NULL) const;
    WORD GetNumColors(LPCSTR lpDIB = NULL) const;
    WORD GetPaletteSize(LPCSTR lpDIB = NULL) const;
    CSize GetSize(LPCSTR lpDIB = NULL) const;
    LPSTR FindDIBBits(LPSTR lpDIB = NULL) const;
    BOOL GetMonochromeColors(COLORREF& clrColor0, COLORREF& clrColor1) const;
    BOOL SetMonochromeColors(COLORREF clrColor0, COLORREF clrColor1);

    BOOL CreateEmpty(WORD nBitCount, int nWidth, int nHeight);
    HGLOBAL FromBitmap(HBITMAP hBitmap, CPalette* pPalette = NULL);
    HGLOBAL FromIcon(HICON hIcon, int cx, int cy, CPalette* pPalette = NULL);
    BOOL LoadResource(LPCTSTR lpszName, HINSTANCE hInst = NULL);
    BOOL LoadResource(UINT nID, HINSTANCE hInst = NULL) { return LoadResource(MAKEINTRESOURCE(nID), hInst); }

    CBitmap* MakeBitmap(CDC* pDC);
    CBitmap* SelectIntoDC(CDC* pDC, CSize& size);
    int Paint(CDC* pDC, const CRect& rectDest, const CRect& rectSrc);
    void MapColorsToPalette(CPalette* pPalette = NULL, int nMode = 0);

    BOOL Read(CArchive& ar);
    BOOL Write(CArchive& ar);
    BOOL ReadFile(CFile* pFile);
    BOOL WriteFile(CFile* pFile, BOOL bClose = TRUE);
    BOOL Load(LPCTSTR pszPath);
    BOOL Save(LPCTSTR pszPath);
    virtual void Serialize(CArchive& ar);

    static BOOL ClearSystemPalette();
    static BOOL CreateSystemPalette(CPalette* pPalette);
    static BOOL CreateHalftonePalette(CPalette* pPalette);

    BOOL Resize(int nWidth, int nHeight);
    // Reduces a 24- or 32-bit image to the 216-colour halftone cube. The
    // palette is the display's halftone palette unless one is given.
    BOOL HalfToneReduce(const CPalette* pHalftonePalette = NULL);
    BOOL Rotate(int nAngle, BOOL bFlipVert = FALSE, BOOL bFlipHorz = FALSE);

protected:
    BOOL CreatePalette();
    void ReplaceBlock(HGLOBAL hDIB);
    HGLOBAL ResizedBlock(int nWidth, int nHeight) const;
    HGLOBAL RotatedBlock(int nAngle, BOOL bFlipVert, BOOL bFlipHorz) const;

    HGLOBAL m_hDIB;
    CPalette* m_pPalette;
};

// The layout rules of a packed DIB, window-free so that they can be checked
// against any bytes before a single one of them is trusted.
namespace OXDIBLayout
{
    // Width, height (positive), bit count, colour count, colour-table bytes
    // (masks included), row bytes and image bytes of a packed block whose
    // first bytes are given; FALSE when the header cannot describe an image.
    struct Info
    {
        BOOL bCore;
        LONG nWidth;
        LONG nHeight;
        BOOL bTopDown;
        WORD nBitCount;
        DWORD nCompression;
        DWORD nColors;
        DWORD nTableBytes;
        DWORD nRowBytes;
        ULONGLONG nImageBytes;
        ULONGLONG nBlockBytes;
    };
    BOOL Describe(const void* pBlock, SIZE_T nAvailable, Info& info);
    ULONGLONG RowBytes(WORD nBitCount, LONG nWidth);
    // Counts by which Resize repeats each of n source elements to make m.
    void ReplicationCounts(int n, int m, int* pCounts);
}
