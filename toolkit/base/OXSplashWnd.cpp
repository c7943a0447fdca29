#include "OXSplashWnd.h"

#include "OXDIB.h"

IMPLEMENT_DYNAMIC(COXSplashWnd, CWnd)

COXSplashWnd* COXSplashWnd::c_pGlobalSplash = NULL;

namespace
{
const UINT_PTR kCloseTimer = 1;
const int kDefaultTimeout = 750;
} // namespace

// ---------------------------------------------------------------------------
// COXSplashWndDIB
// ---------------------------------------------------------------------------
COXSplashWndDIB::COXSplashWndDIB()
    : m_pBitmap(NULL), m_pPalette(NULL), m_bmih(), m_nRowBits(0), m_nMaxX(-1), m_nMaxY(-1), m_nBitCount(0),
      m_nShift(0), m_bTopDown(FALSE), m_pBits(NULL), m_masks()
{
}

COXSplashWndDIB::~COXSplashWndDIB()
{
    Empty();
}

void COXSplashWndDIB::Empty()
{
    delete m_pBitmap;
    delete m_pPalette;
    m_pBitmap = NULL;
    m_pPalette = NULL;
    m_arrBits.RemoveAll();
    m_pBits = NULL;
    m_nMaxX = m_nMaxY = -1;
}

BOOL COXSplashWndDIB::LoadResource(LPCTSTR lpszName, BOOL bKeepBits)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, RT_BITMAP);
    HRSRC hRes = ::FindResourceA(hInst, lpszName, RT_BITMAP);
    HGLOBAL hData = hRes ? ::LoadResource(hInst, hRes) : NULL;
    const BYTE* p = hData ? (const BYTE*)::LockResource(hData) : NULL;
    return p != NULL && LoadPacked(p, ::SizeofResource(hInst, hRes), bKeepBits);
}

BOOL COXSplashWndDIB::LoadFile(LPCTSTR lpszPath, BOOL bKeepBits)
{
    // The file goes through the bitmap class, which judges every count in
    // it before it trusts one.
    COXDIB dib;
    if (!dib.Load(lpszPath))
        return FALSE;
    const BYTE* p = (const BYTE*)::GlobalLock(dib.GetHandle());
    BOOL bOk = p != NULL && LoadPacked(p, ::GlobalSize(dib.GetHandle()), bKeepBits);
    ::GlobalUnlock(dib.GetHandle());
    return bOk;
}

BOOL COXSplashWndDIB::LoadPacked(const BYTE* pBlock, SIZE_T nSize, BOOL bKeepBits)
{
    OXDIBLayout::Info info;
    if (!OXDIBLayout::Describe(pBlock, nSize, info) || info.bCore)
        return FALSE;
    const BITMAPINFO* pbi = (const BITMAPINFO*)pBlock;
    const BYTE* pRows = pBlock + sizeof(BITMAPINFOHEADER) + info.nTableBytes;

    CPalette* pPalette = new CPalette;
    HDC hdc = ::GetDC(NULL);
    if (info.nColors > 0 && info.nCompression != BI_BITFIELDS) {
        std::vector<BYTE> buf(sizeof(LOGPALETTE) + info.nColors * sizeof(PALETTEENTRY));
        LOGPALETTE* lp = (LOGPALETTE*)buf.data();
        lp->palVersion = 0x300;
        lp->palNumEntries = (WORD)info.nColors;
        for (DWORD i = 0; i < info.nColors; i++)
            lp->palPalEntry[i] = {pbi->bmiColors[i].rgbRed, pbi->bmiColors[i].rgbGreen, pbi->bmiColors[i].rgbBlue, 0};
        pPalette->CreatePalette(lp);
    } else if ((::GetDeviceCaps(hdc, RASTERCAPS) & RC_PALETTE) && ::GetDeviceCaps(hdc, SIZEPALETTE) == 256) {
        pPalette->Attach(::CreateHalftonePalette(hdc));
    }
    HPALETTE hOld = NULL;
    if (pPalette->GetSafeHandle() != NULL) {
        hOld = ::SelectPalette(hdc, (HPALETTE)pPalette->GetSafeHandle(), FALSE);
        ::RealizePalette(hdc);
    }
    HBITMAP hbm = ::CreateDIBitmap(hdc, &pbi->bmiHeader, CBM_INIT, pRows, pbi, DIB_RGB_COLORS);
    if (hOld != NULL)
        ::SelectPalette(hdc, hOld, FALSE);
    ::ReleaseDC(NULL, hdc);
    if (hbm == NULL) {
        delete pPalette;
        return FALSE;
    }
    Empty();
    m_pBitmap = new CBitmap;
    m_pBitmap->Attach(hbm);
    if (pPalette->GetSafeHandle() != NULL) {
        m_pPalette = pPalette;
    } else {
        delete pPalette;
    }
    m_bmih = pbi->bmiHeader;
    m_nBitCount = info.nBitCount;
    m_nShift = 8 - info.nBitCount;
    m_nRowBits = (int)info.nRowBytes * 8;
    m_nMaxX = info.nWidth - 1;
    m_nMaxY = info.nHeight - 1;
    m_bTopDown = info.bTopDown;
    if (info.nCompression == BI_BITFIELDS) {
        memcpy(m_masks, pBlock + sizeof(BITMAPINFOHEADER), sizeof m_masks);
    } else if (info.nBitCount == 16) {
        m_masks[0] = 0x7C00; m_masks[1] = 0x03E0; m_masks[2] = 0x001F;
    } else {
        m_masks[0] = 0xFF0000; m_masks[1] = 0x00FF00; m_masks[2] = 0x0000FF;
    }
    if (bKeepBits && info.nCompression != BI_RLE8 && info.nCompression != BI_RLE4) {
        m_arrBits.SetSize((INT_PTR)info.nImageBytes);
        memcpy(m_arrBits.GetData(), pRows, (size_t)info.nImageBytes);
        m_pBits = m_arrBits.GetData();
    }
    return TRUE;
}

COLORREF COXSplashWndDIB::GetPixel(int x, int y) const
{
    if (m_pBits == NULL || x < 0 || y < 0 || x > m_nMaxX || y > m_nMaxY)
        return 0xFFFFFFFF;
    const int nRow = m_bTopDown ? y : m_nMaxY - y;
    const BYTE* pRow = m_pBits + (size_t)nRow * (m_nRowBits / 8);
    switch (m_nBitCount) {
    case 24: {
        const BYTE* p = pRow + 3 * x;
        return RGB(p[2], p[1], p[0]);
    }
    case 16:
    case 32: {
        // Each channel by its mask, scaled to eight bits.
        DWORD v = m_nBitCount == 16 ? *(const WORD*)(pRow + 2 * x) : *(const DWORD*)(pRow + 4 * x);
        BYTE channel[3];
        for (int i = 0; i < 3; i++) {
            DWORD mask = m_masks[i];
            if (mask == 0) {
                channel[i] = 0;
                continue;
            }
            int shift = 0;
            while (!(mask & 1)) {
                mask >>= 1;
                shift++;
            }
            channel[i] = (BYTE)(((v >> shift) & mask) * 255 / mask);
        }
        return RGB(channel[0], channel[1], channel[2]);
    }
    default: {
        const int nBitPos = x * m_nBitCount;
        const BYTE b = pRow[nBitPos / 8];
        const int nIndex = (b >> (m_nShift - nBitPos % 8)) & ((1 << m_nBitCount) - 1);
        PALETTEENTRY e = {};
        if (m_pPalette == NULL || ::GetPaletteEntries((HPALETTE)m_pPalette->GetSafeHandle(), nIndex, 1, &e) != 1)
            return 0xFFFFFFFF;
        return RGB(e.peRed, e.peGreen, e.peBlue);
    }
    }
}

// ---------------------------------------------------------------------------
// COXSplashWnd
// ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(COXSplashWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

COXSplashWnd::COXSplashWnd()
    : m_nTimeout(-1), m_clrTransparent(0xFFFFFFFF), m_nRed(0), m_nGreen(0), m_nBlue(0), m_nTolerance(0),
      m_bAutoDelete(FALSE), m_bHideOnUserInput(TRUE), m_bActivateOnShow(TRUE)
{
}

COXSplashWnd::~COXSplashWnd()
{
    if (c_pGlobalSplash == this)
        c_pGlobalSplash = NULL;
    if (m_wndInvisibleParent.GetSafeHwnd() != NULL)
        m_wndInvisibleParent.DestroyWindow();
}

COXSplashWnd* COXSplashWnd::GlobalSplash()
{
    if (c_pGlobalSplash == NULL) {
        c_pGlobalSplash = new COXSplashWnd;
        c_pGlobalSplash->m_bAutoDelete = TRUE;
    }
    return c_pGlobalSplash;
}

BOOL COXSplashWnd::LoadGlobalBitmap(UINT nIDResource, COLORREF clrTransparent, LPPOINT pStartPoint, BYTE nTolerance)
{
    return GlobalSplash()->LoadBitmap(nIDResource, clrTransparent, pStartPoint, nTolerance);
}

BOOL COXSplashWnd::LoadGlobalBitmapFile(LPCTSTR lpszPath, COLORREF clrTransparent, LPPOINT pStartPoint,
                                        BYTE nTolerance)
{
    return GlobalSplash()->LoadBitmapFile(lpszPath, clrTransparent, pStartPoint, nTolerance);
}

BOOL COXSplashWnd::LoadBitmap(UINT nIDResource, COLORREF clrTransparent, LPPOINT pStartPoint, BYTE nTolerance)
{
    return LoadBitmap(MAKEINTRESOURCE(nIDResource), clrTransparent, pStartPoint, nTolerance);
}

BOOL COXSplashWnd::LoadBitmap(LPCTSTR lpszResourceName, COLORREF clrTransparent, LPPOINT pStartPoint,
                              BYTE nTolerance)
{
    return AfterLoad(m_dib.LoadResource(lpszResourceName, TRUE), clrTransparent, pStartPoint, nTolerance);
}

BOOL COXSplashWnd::LoadBitmapFile(LPCTSTR lpszPath, COLORREF clrTransparent, LPPOINT pStartPoint, BYTE nTolerance)
{
    return AfterLoad(m_dib.LoadFile(lpszPath, TRUE), clrTransparent, pStartPoint, nTolerance);
}

BOOL COXSplashWnd::AfterLoad(BOOL bLoaded, COLORREF clrTransparent, LPPOINT pStartPoint, BYTE nTolerance)
{
    if (!bLoaded)
        return FALSE;
    m_clrTransparent = clrTransparent;
    m_nTolerance = nTolerance;
    if (clrTransparent == 0xFFFFFFFF) {
        m_rgn.DeleteObject();
        return TRUE;
    }
    CPoint start = pStartPoint ? *pStartPoint : CPoint(0, 0);
    if (clrTransparent == 0xFF000000) {
        COLORREF c = m_dib.GetPixel(start.x, start.y);
        m_clrTransparent = c != 0xFFFFFFFF ? c : m_dib.GetPixel(0, 0);
    }
    m_nRed = GetRValue(m_clrTransparent);
    m_nGreen = GetGValue(m_clrTransparent);
    m_nBlue = GetBValue(m_clrTransparent);
    if (BuildRegion(start.x, start.y))
        return TRUE;
    m_rgn.DeleteObject();
    return FALSE;
}

BOOL COXSplashWnd::IsTransparent(int x, int y, BOOL bOutside) const
{
    COLORREF c = m_dib.GetPixel(x, y);
    if (c == 0xFFFFFFFF)
        return bOutside;
    return abs((int)GetRValue(c) - m_nRed) <= m_nTolerance && abs((int)GetGValue(c) - m_nGreen) <= m_nTolerance
        && abs((int)GetBValue(c) - m_nBlue) <= m_nTolerance;
}

BOOL COXSplashWnd::BuildRegion(int xStart, int yStart)
{
    // The outline is traced from a start of its own finding.
    (void)xStart;
    (void)yStart;
    std::vector<POINT> vertices;
    if (!TraceOutline(vertices))
        return FALSE;
    HRGN hRgn = ::CreatePolygonRgn(vertices.data(), (int)vertices.size(), ALTERNATE);
    if (hRgn == NULL)
        return FALSE;
    m_rgn.DeleteObject();
    m_rgn.Attach(hRgn);
    return TRUE;
}

BOOL COXSplashWnd::TraceOutline(std::vector<POINT>& vertices) const
{
    vertices.clear();
    static const int dx[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
    static const int dy[8] = {-1, -1, -1, 0, 1, 1, 1, 0};
    static const int restart[8] = {6, 0, 0, 2, 2, 4, 4, 6};
    const int w = m_dib.m_nMaxX + 1, h = m_dib.m_nMaxY + 1;
    if (w <= 0 || h <= 0)
        return FALSE;

    // The start: the first opaque pixel along the diagonal from the top-left
    // corner, or else the first one row by row.
    CPoint p = IsTransparent(0, 0, FALSE) ? CPoint(0, 0) : CPoint(-1, -1);
    do {
        p.Offset(1, 1);
    } while (p.x < w && p.y < h && IsTransparent(p.x, p.y, FALSE));
    if (p.x >= w || p.y >= h) {
        BOOL bFound = FALSE;
        for (int y = 0; y < h && !bFound; y++)
            for (int x = 0; x < w && !bFound; x++)
                if (!IsTransparent(x, y, TRUE)) {
                    p = CPoint(x, y);
                    bFound = TRUE;
                }
        if (!bFound)
            return FALSE;
    }

    // Around the outline, one neighbour at a time; a vertex only where the
    // direction changes, so a straight edge is two points.
    int nDir = -1;
    for (int d = 0; d < 8; d++)
        if (!IsTransparent(p.x + dx[d], p.y + dy[d], TRUE)) {
            nDir = d;
            break;
        }
    if (nDir < 0)
        return FALSE;
    CPoint first(p.x + dx[nDir], p.y + dy[nDir]);
    CPoint cur = first;
    vertices.push_back(first);
    // Every pixel is entered from at most eight sides.
    const long long nMaxSteps = 8LL * w * h + 8;
    for (long long nStep = 0; nStep < nMaxSteps; nStep++) {
        int nNext = -1;
        for (int i = 0; i < 8; i++) {
            int d = (restart[nDir] + i) % 8;
            if (!IsTransparent(cur.x + dx[d], cur.y + dy[d], TRUE)) {
                nNext = d;
                break;
            }
        }
        if (nNext < 0)
            break;   // a single pixel: it is its own outline
        cur.Offset(dx[nNext], dy[nNext]);
        if (nNext == nDir && vertices.size() > 1)
            vertices.back() = cur;
        else
            vertices.push_back(cur);
        nDir = nNext;
        if (cur == first)
            break;
    }
    return TRUE;
}

BOOL COXSplashWnd::Show(int nTimeout, CWnd* pParentWnd, CPoint* pPosition)
{
    if (m_dib.IsEmpty())
        return FALSE;
    m_nTimeout = (nTimeout <= 0 && nTimeout != -1) ? kDefaultTimeout : nTimeout;
    if (GetSafeHwnd() != NULL)
        CloseKeepingObject();
    BOOL bOwnParent = FALSE;
    DWORD dwExStyle = WS_EX_TOPMOST;
    if (pParentWnd == NULL) {
        if (m_wndInvisibleParent.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(CS_CLASSDC), "", WS_POPUP,
                                          CRect(0, 0, 1, 1), NULL, 0)) {
            pParentWnd = &m_wndInvisibleParent;
            bOwnParent = TRUE;
        } else {
            dwExStyle |= WS_EX_TOOLWINDOW;
        }
    }
    CSize size = m_dib.GetSize();
    if (!CreateEx(dwExStyle, AfxRegisterWndClass(CS_CLASSDC, ::LoadCursor(NULL, IDC_ARROW)), "",
                  WS_POPUP | (m_bActivateOnShow ? WS_VISIBLE : 0), CRect(CPoint(0, 0), size), pParentWnd, 0)) {
        if (bOwnParent)
            m_wndInvisibleParent.DestroyWindow();
        if (m_bAutoDelete)
            delete this;
        return FALSE;
    }
    if (m_bActivateOnShow)
        SetFocus();
    else
        ShowWindow(SW_SHOWNOACTIVATE);
    if (pPosition != NULL)
        SetWindowPos(NULL, pPosition->x, pPosition->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
        UpdateWindow();
    return TRUE;
}

BOOL COXSplashWnd::SetTimeout(int nTimeout)
{
    if (nTimeout > 0) {
        m_nTimeout = nTimeout;
        return GetSafeHwnd() != NULL && SetTimer(kCloseTimer, nTimeout, NULL) != 0;
    }
    // Set before closing: a self-deleting splash is gone once closed.
    m_nTimeout = 0;
    if (GetSafeHwnd() != NULL)
        Close();
    return TRUE;
}

int COXSplashWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_rgn.GetSafeHandle() != NULL) {
        CRgn copy;
        copy.CreateRectRgn(0, 0, 0, 0);
        int nKind = copy.CopyRgn(&m_rgn);
        if (nKind != NULLREGION && nKind != ERROR)
            SetWindowRgn((HRGN)copy.Detach(), TRUE);
    }
    CenterWindow();
    if (m_nTimeout != -1)
        SetTimer(kCloseTimer, m_nTimeout, NULL);
    SetCapture();
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    return 0;
}

void COXSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_dib.m_pBitmap == NULL)
        return;
    CDC memDC;
    memDC.CreateCompatibleDC(&dc);
    CPalette* pOldPal = NULL;
    CPalette* pOldMemPal = NULL;
    if (m_dib.m_pPalette != NULL) {
        pOldPal = dc.SelectPalette(m_dib.m_pPalette, FALSE);
        dc.RealizePalette();
        pOldMemPal = memDC.SelectPalette(m_dib.m_pPalette, FALSE);
        memDC.RealizePalette();
    }
    CBitmap* pOld = memDC.SelectObject(m_dib.m_pBitmap);
    CSize size = m_dib.GetSize();
    dc.BitBlt(0, 0, size.cx, size.cy, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(pOld);
    if (pOldMemPal != NULL)
        memDC.SelectPalette(pOldMemPal, FALSE);
    if (pOldPal != NULL)
        dc.SelectPalette(pOldPal, FALSE);
}

void COXSplashWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kCloseTimer)
        Close();
    else
        CWnd::OnTimer(nIDEvent);
}

void COXSplashWnd::Close()
{
    if (GetSafeHwnd() == NULL)
        return;
    ShowWindow(SW_HIDE);
    KillTimer(kCloseTimer);
    ::ReleaseCapture();
    // The invisible parent takes the splash with it. Its handle is let go
    // first: a splash that deletes itself takes the parent's object along
    // while the parent's window is still being destroyed.
    HWND hParent = m_wndInvisibleParent.GetSafeHwnd() ? m_wndInvisibleParent.Detach() : NULL;
    if (hParent != NULL)
        ::DestroyWindow(hParent);
    else
        DestroyWindow();
}

void COXSplashWnd::CloseKeepingObject()
{
    // A self-deleting splash would go with its window, from under the call
    // that closes it only to go on with it.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    Close();
    m_bAutoDelete = bAutoDelete;
}

BOOL COXSplashWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_bHideOnUserInput && GetSafeHwnd() != NULL
        && ((pMsg->message >= WM_KEYDOWN && pMsg->message <= WM_SYSDEADCHAR)
            || (pMsg->message >= WM_LBUTTONDOWN && pMsg->message <= WM_MOUSEWHEEL))) {
        Close();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void COXSplashWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
    else
        CWnd::PostNcDestroy();
}
