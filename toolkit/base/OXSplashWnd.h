// COXSplashWnd: a bitmap shown as a borderless, topmost, centred window,
// optionally cut to the outline of what is not a transparent colour; it
// closes after a time-out or at the first key or click. COXSplashWndDIB holds
// its device bitmap, palette and, for colour queries, the pixel rows.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>

#include <vector>

class COXSplashWndDIB
{
public:
    COXSplashWndDIB();
    virtual ~COXSplashWndDIB();

    BOOL LoadResource(LPCTSTR lpszName, BOOL bKeepBits);
    BOOL LoadFile(LPCTSTR lpszPath, BOOL bKeepBits);
    void Empty();
    BOOL IsEmpty() const { return m_pBitmap == NULL; }
    CSize GetSize() const { return CSize(m_nMaxX + 1, m_nMaxY + 1); }
    // The colour of a pixel; 0xFFFFFFFF outside the image or without bits.
    COLORREF GetPixel(int x, int y) const;

    CBitmap* m_pBitmap;
    CPalette* m_pPalette;
    BITMAPINFOHEADER m_bmih;
    CByteArray m_arrBits;
    int m_nRowBits;
    int m_nMaxX;
    int m_nMaxY;
    int m_nBitCount;
    int m_nShift;
    BOOL m_bTopDown;
    BYTE* m_pBits;

protected:
    BOOL LoadPacked(const BYTE* pBlock, SIZE_T nSize, BOOL bKeepBits);
    DWORD m_masks[3];   // colour masks of 16- and 32-bit images
};

class COXSplashWnd : public CWnd
{
    DECLARE_DYNAMIC(COXSplashWnd)
public:
    COXSplashWnd();
    virtual ~COXSplashWnd();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;

    virtual BOOL LoadBitmap(UINT nIDResource, COLORREF clrTransparent = 0xFFFFFFFF, LPPOINT pStartPoint = NULL,
                            BYTE nTolerance = 0);
    virtual BOOL LoadBitmap(LPCTSTR lpszResourceName, COLORREF clrTransparent = 0xFFFFFFFF,
                            LPPOINT pStartPoint = NULL, BYTE nTolerance = 0);
    virtual BOOL LoadBitmapFile(LPCTSTR lpszPath, COLORREF clrTransparent = 0xFFFFFFFF, LPPOINT pStartPoint = NULL,
                                BYTE nTolerance = 0);
    virtual BOOL Show(int nTimeout = -1, CWnd* pParentWnd = NULL, CPoint* pPosition = NULL);
    virtual BOOL SetTimeout(int nTimeout);
    virtual BOOL BuildRegion(int xStart, int yStart);
    virtual BOOL IsTransparent(int x, int y, BOOL bOutside = TRUE) const;

    static BOOL LoadGlobalBitmap(UINT nIDResource, COLORREF clrTransparent = 0xFFFFFFFF,
                                 LPPOINT pStartPoint = NULL, BYTE nTolerance = 0);
    static BOOL LoadGlobalBitmapFile(LPCTSTR lpszPath, COLORREF clrTransparent = 0xFFFFFFFF,
                                     LPPOINT pStartPoint = NULL, BYTE nTolerance = 0);
    static COXSplashWnd* GetGlobalSplash() { return c_pGlobalSplash; }

    void Close();
    void SetHideOnUserInput(BOOL bHide) { m_bHideOnUserInput = bHide; }
    // A mark shown over a window the user works in must not take the
    // activation from it (the focus change cancels its mouse capture).
    void SetActivateOnShow(BOOL bActivate) { m_bActivateOnShow = bActivate; }
    const CRgn& GetRegion() const { return m_rgn; }
    int GetTimeout() const { return m_nTimeout; }

    int m_nTimeout;
    COXSplashWndDIB m_dib;
    CRgn m_rgn;
    COLORREF m_clrTransparent;
    BYTE m_nRed, m_nGreen, m_nBlue, m_nTolerance;
    CWnd m_wndInvisibleParent;
    BOOL m_bAutoDelete;
    BOOL m_bHideOnUserInput;
    BOOL m_bActivateOnShow;

protected:
    BOOL AfterLoad(BOOL bLoaded, COLORREF clrTransparent, LPPOINT pStartPoint, BYTE nTolerance);
    // The outline of the opaque area as the polygon's vertices.
    BOOL TraceOutline(std::vector<POINT>& vertices) const;
    static COXSplashWnd* GlobalSplash();
    // Closes the window for it to be shown again, the object kept.
    void CloseKeepingObject();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    static COXSplashWnd* c_pGlobalSplash;
};
