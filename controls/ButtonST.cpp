// ButtonST.cpp - CButtonST, the self-painting push button.
#include "ButtonST.h"

#include <mmsystem.h>
#include <algorithm>

CButtonST::PFNSHELLEXECUTEEX CButtonST::s_pfnShellExecuteEx = ::ShellExecuteExA;
CButtonST::PFNLOADIMAGE CButtonST::s_pfnLoadImage = ::LoadImageA;
CButtonST::PFNPLAYSOUND CButtonST::s_pfnPlaySound = ::PlaySoundA;

BEGIN_MESSAGE_MAP(CButtonST, CButton)
    ON_WM_SETCURSOR()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_ACTIVATE()
    ON_WM_ENABLE()
    ON_WM_CANCELMODE()
    ON_WM_GETDLGCODE()
    ON_WM_MEASUREITEM()
    ON_WM_MENUCHAR()
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
END_MESSAGE_MAP()

CButtonST::CButtonST()
    : m_bDrawDisabledBitmap(TRUE), m_nImageMarginX(3), m_nImageMarginY(3),
      m_nPressedOffsetX(1), m_nPressedOffsetY(1), m_bIsFlat(TRUE), m_bMouseOnButton(FALSE),
      m_bDrawTransparent(FALSE), m_bIsPressed(FALSE), m_bIsFocused(FALSE), m_bIsDisabled(FALSE),
      m_bIsDefault(FALSE), m_bIsCheckBox(FALSE), m_byImageAlign(ST_ALIGN_HORIZ),
      m_bDrawBorder(TRUE), m_bDrawFlatFocus(FALSE), m_hMenuNotifyTarget(NULL),
      m_bMenuDisplayed(FALSE), m_hCursor(NULL), m_pbmpOldBk(NULL), m_hOldBk(NULL), m_bAlwaysTrack(TRUE),
      m_nCheck(0), m_nTypeStyle(15), m_dwToolTipStyle(0)
{
    ::ZeroMemory(m_szURL, sizeof(m_szURL));
    ::ZeroMemory(m_csIcons, sizeof(m_csIcons));
    ::ZeroMemory(m_csBitmaps, sizeof(m_csBitmaps));
    ::ZeroMemory(&m_csMenuNotify, sizeof(m_csMenuNotify));
    ::ZeroMemory(m_csSounds, sizeof(m_csSounds));
    ResetColors(FALSE);
}

CButtonST::~CButtonST()
{
    DropBackground();
    FreeResources();
    if (m_hCursor != NULL)
        ::DestroyCursor(m_hCursor);
    m_menuPopup.DestroyMenu();
}

void CButtonST::Repaint(BOOL bRepaint)
{
    if (bRepaint && ::IsWindow(m_hWnd))
        Invalidate();
}

// ---------------------------------------------------------------------------
// Images
// ---------------------------------------------------------------------------

// The markers that ask for a generated second image, not a handle.
static bool IsAutoImage(HANDLE h)
{
    return (INT_PTR)h == CButtonST::BTNST_AUTO_GRAY || (INT_PTR)h == CButtonST::BTNST_AUTO_DARKER;
}

void CButtonST::FreeResources(BOOL bCheckForNULL)
{
    (void)bCheckForNULL;
    for (int i = 0; i < 2; i++)
    {
        if (m_csIcons[i].hIcon != NULL)
            ::DestroyIcon(m_csIcons[i].hIcon);
        if (m_csBitmaps[i].hBitmap != NULL)
            ::DeleteObject(m_csBitmaps[i].hBitmap);
        if (m_csBitmaps[i].hMask != NULL)
            ::DeleteObject(m_csBitmaps[i].hMask);
    }
    ::ZeroMemory(m_csIcons, sizeof(m_csIcons));
    ::ZeroMemory(m_csBitmaps, sizeof(m_csBitmaps));
}

// An icon's size is twice its hot spot: icons keep the hot spot centred.
static BOOL IconSize(HICON hIcon, DWORD& dwWidth, DWORD& dwHeight)
{
    ICONINFO ii;
    if (!::GetIconInfo(hIcon, &ii))
        return FALSE;
    dwWidth = ii.xHotspot * 2;
    dwHeight = ii.yHotspot * 2;
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
    if (ii.hbmColor != NULL)
        ::DeleteObject(ii.hbmColor);
    return TRUE;
}

// An image of the module chain by id.
static HANDLE LoadModuleImage(int nID, LPCTSTR lpszType, UINT uType, int cx, int cy)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID), lpszType);
    return CButtonST::s_pfnLoadImage(hInst, MAKEINTRESOURCE(nID), uType, cx, cy, 0);
}

// The out image of an id: none for 0, the generation markers passed on as
// they are, else the image of that id.
static HANDLE LoadOutImage(int nID, LPCTSTR lpszType, UINT uType, int cx, int cy)
{
    if (nID == CButtonST::BTNST_AUTO_GRAY || nID == CButtonST::BTNST_AUTO_DARKER)
        return (HANDLE)(INT_PTR)nID;
    return nID != 0 ? LoadModuleImage(nID, lpszType, uType, cx, cy) : NULL;
}

DWORD CButtonST::SetIcon(HICON hIconIn, HICON hIconOut)
{
    FreeResources();
    if (hIconIn != NULL)
    {
        m_csIcons[0].hIcon = hIconIn;
        if (!IconSize(hIconIn, m_csIcons[0].dwWidth, m_csIcons[0].dwHeight))
        {
            // The button owns both images it was given: the second goes too.
            if (hIconOut != NULL && !IsAutoImage(hIconOut))
                ::DestroyIcon(hIconOut);
            FreeResources();
            return BTNST_INVALIDRESOURCE;
        }
        if (hIconOut != NULL)
        {
            if ((INT_PTR)hIconOut == BTNST_AUTO_GRAY)
                hIconOut = CreateGrayscaleIcon(hIconIn);
            else if ((INT_PTR)hIconOut == BTNST_AUTO_DARKER)
                hIconOut = CreateDarkerIcon(hIconIn);
            m_csIcons[1].hIcon = hIconOut;
            if (hIconOut == NULL || !IconSize(hIconOut, m_csIcons[1].dwWidth, m_csIcons[1].dwHeight))
            {
                FreeResources();
                return BTNST_INVALIDRESOURCE;
            }
        }
    }
    Repaint(TRUE);
    return BTNST_OK;
}

DWORD CButtonST::SetIcon(int nIconIn, int nCxDesiredIn, int nCyDesiredIn,
                         int nIconOut, int nCxDesiredOut, int nCyDesiredOut)
{
    HICON hIconIn = (HICON)LoadModuleImage(nIconIn, RT_GROUP_ICON, IMAGE_ICON, nCxDesiredIn, nCyDesiredIn);
    HICON hIconOut = (HICON)LoadOutImage(nIconOut, RT_GROUP_ICON, IMAGE_ICON, nCxDesiredOut, nCyDesiredOut);
    // A missing first image is a failure, and the second, loaded for nothing,
    // goes again; the button keeps the images it had.
    if (hIconIn == NULL) {
        if (hIconOut != NULL && !IsAutoImage(hIconOut))
            ::DestroyIcon(hIconOut);
        return BTNST_INVALIDRESOURCE;
    }
    // The handle form owns both from here, and frees them on its failures.
    return SetIcon(hIconIn, hIconOut);
}

DWORD CButtonST::SetBitmaps(HBITMAP hBitmapIn, COLORREF crTransColorIn, HBITMAP hBitmapOut,
                            COLORREF crTransColorOut)
{
    // An entry takes the bitmap only when the handle is one.
    auto take = [](STRUCT_BITMAPS& entry, HBITMAP hBitmap, COLORREF crTransparent) {
        BITMAP bm;
        if (::GetObject(hBitmap, sizeof(bm), &bm) == 0)
            return FALSE;
        entry.hBitmap = hBitmap;
        entry.crTransparent = crTransparent;
        entry.dwWidth = bm.bmWidth;
        entry.dwHeight = bm.bmHeight;
        return TRUE;
    };
    auto mask = [this](STRUCT_BITMAPS& entry) {
        entry.hMask = CreateBitmapMask(entry.hBitmap, entry.dwWidth, entry.dwHeight, entry.crTransparent);
        return entry.hMask != NULL;
    };

    FreeResources();
    if (hBitmapIn != NULL)
    {
        STRUCT_BITMAPS& in = m_csBitmaps[0];
        if (!take(in, hBitmapIn, crTransColorIn))
        {
            // The button owns both images it was given: the second goes too.
            if (hBitmapOut != NULL && !IsAutoImage(hBitmapOut))
                ::DeleteObject(hBitmapOut);
            FreeResources();
            return BTNST_INVALIDRESOURCE;
        }

        // Generated out images are made before the in mask blackens the in
        // image's transparent pixels, so that they keep the in colour.
        if ((INT_PTR)hBitmapOut == BTNST_AUTO_GRAY || (INT_PTR)hBitmapOut == BTNST_AUTO_DARKER)
        {
            hBitmapOut = (INT_PTR)hBitmapOut == BTNST_AUTO_GRAY
                ? CreateGrayscaleBitmap(hBitmapIn, in.dwWidth, in.dwHeight, crTransColorIn)
                : CreateDarkerBitmap(hBitmapIn, in.dwWidth, in.dwHeight, crTransColorIn);
            crTransColorOut = crTransColorIn;
            if (hBitmapOut == NULL)
            {
                FreeResources();
                return BTNST_INVALIDRESOURCE;
            }
        }

        if (!mask(in))
        {
            FreeResources();
            return BTNST_FAILEDMASK;
        }

        if (hBitmapOut != NULL)
        {
            if (!take(m_csBitmaps[1], hBitmapOut, crTransColorOut))
            {
                FreeResources();
                return BTNST_INVALIDRESOURCE;
            }
            if (!mask(m_csBitmaps[1]))
            {
                FreeResources();
                return BTNST_FAILEDMASK;
            }
        }
    }
    Repaint(TRUE);
    return BTNST_OK;
}

DWORD CButtonST::SetBitmaps(int nBitmapIn, COLORREF crTransColorIn, int nBitmapOut,
                            COLORREF crTransColorOut)
{
    HBITMAP hIn = (HBITMAP)LoadModuleImage(nBitmapIn, RT_BITMAP, IMAGE_BITMAP, 0, 0);
    HBITMAP hOut = (HBITMAP)LoadOutImage(nBitmapOut, RT_BITMAP, IMAGE_BITMAP, 0, 0);
    if (hIn == NULL) {
        if (hOut != NULL && !IsAutoImage(hOut))
            ::DeleteObject(hOut);
        return BTNST_INVALIDRESOURCE;
    }
    return SetBitmaps(hIn, crTransColorIn, hOut, crTransColorOut);
}

void CButtonST::FitToImage()
{
    DWORD cx = 0, cy = 0;
    if (m_csIcons[0].hIcon != NULL)
        cx = m_csIcons[0].dwWidth, cy = m_csIcons[0].dwHeight;
    else if (m_csBitmaps[0].hBitmap != NULL)
        cx = m_csBitmaps[0].dwWidth, cy = m_csBitmaps[0].dwHeight;
    else
        return;
    m_nImageMarginX = m_nImageMarginY = 0;
    ::SetWindowPos(m_hWnd, NULL, 0, 0, cx, cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

// White in the mask where the source has the transparent colour; those source
// pixels become black so that AND-mask then OR-image leaves the background.
HBITMAP CButtonST::CreateBitmapMask(HBITMAP hSourceBitmap, DWORD dwWidth, DWORD dwHeight,
                                    COLORREF crTransColor)
{
    HBITMAP hMask = ::CreateBitmap(dwWidth, dwHeight, 1, 1, NULL);
    if (hMask == NULL)
        return NULL;
    HDC hdcSrc = ::CreateCompatibleDC(NULL);
    HDC hdcDest = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOldSrc = ::SelectObject(hdcSrc, hSourceBitmap);
    HGDIOBJ hOldDest = ::SelectObject(hdcDest, hMask);
    ::SetBkColor(hdcSrc, crTransColor);
    ::BitBlt(hdcDest, 0, 0, dwWidth, dwHeight, hdcSrc, 0, 0, SRCCOPY);
    ::SetTextColor(hdcSrc, RGB(255, 255, 255));
    ::SetBkColor(hdcSrc, RGB(0, 0, 0));
    ::BitBlt(hdcSrc, 0, 0, dwWidth, dwHeight, hdcDest, 0, 0, SRCAND);
    ::SelectObject(hdcDest, hOldDest);
    ::SelectObject(hdcSrc, hOldSrc);
    ::DeleteDC(hdcDest);
    ::DeleteDC(hdcSrc);
    return hMask;
}

COLORREF CButtonST::DarkenColor(COLORREF crColor, double dFactor)
{
    if (dFactor > 0.0 && dFactor <= 1.0)
    {
        BYTE r = GetRValue(crColor), g = GetGValue(crColor), b = GetBValue(crColor);
        r = (BYTE)(r - dFactor * r);
        g = (BYTE)(g - dFactor * g);
        b = (BYTE)(b - dFactor * b);
        crColor = RGB(r, g, b);
    }
    return crColor;
}

static COLORREF GrayOf(COLORREF cr)
{
    double level = 0.299 * GetRValue(cr) + 0.587 * GetGValue(cr) + 0.114 * GetBValue(cr);
    int n = (int)level;
    if (n < 0) n = 0;
    if (n > 255) n = 255;
    return RGB(n, n, n);
}

// A copy of hBitmap with every pixel other than crKeep passed through fn.
static HBITMAP TransformedCopy(HBITMAP hBitmap, DWORD dwWidth, DWORD dwHeight, COLORREF crKeep,
                               COLORREF (*fn)(COLORREF))
{
    HDC hdcScreen = ::GetDC(NULL);
    HBITMAP hNew = ::CreateCompatibleBitmap(hdcScreen, dwWidth, dwHeight);
    ::ReleaseDC(NULL, hdcScreen);
    if (hNew == NULL)
        return NULL;
    HDC hdcSrc = ::CreateCompatibleDC(NULL);
    HDC hdcDest = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOldSrc = ::SelectObject(hdcSrc, hBitmap);
    HGDIOBJ hOldDest = ::SelectObject(hdcDest, hNew);
    ::BitBlt(hdcDest, 0, 0, dwWidth, dwHeight, hdcSrc, 0, 0, SRCCOPY);
    ::SelectObject(hdcSrc, hOldSrc);
    for (DWORD y = 0; y < dwHeight; y++)
        for (DWORD x = 0; x < dwWidth; x++)
        {
            COLORREF cr = ::GetPixel(hdcDest, x, y);
            if (cr != crKeep)
                ::SetPixel(hdcDest, x, y, fn(cr));
        }
    ::SelectObject(hdcDest, hOldDest);
    ::DeleteDC(hdcDest);
    ::DeleteDC(hdcSrc);
    return hNew;
}

static COLORREF DarkerOf(COLORREF cr) { return CButtonST::DarkenColor(cr, 0.25); }

HBITMAP CButtonST::CreateGrayscaleBitmap(HBITMAP hBitmap, DWORD dwWidth, DWORD dwHeight, COLORREF crTrans)
{
    return TransformedCopy(hBitmap, dwWidth, dwHeight, crTrans, GrayOf);
}

HBITMAP CButtonST::CreateDarkerBitmap(HBITMAP hBitmap, DWORD dwWidth, DWORD dwHeight, COLORREF crTrans)
{
    return TransformedCopy(hBitmap, dwWidth, dwHeight, crTrans, DarkerOf);
}

// Rebuilds the icon's colour image (black stays black) and keeps its mask.
static HICON TransformedIcon(HICON hIcon, COLORREF (*fn)(COLORREF))
{
    ICONINFO ii;
    if (!::GetIconInfo(hIcon, &ii))
        return NULL;
    HICON hNew = NULL;
    if (ii.hbmColor != NULL)
    {
        HBITMAP hColor = TransformedCopy(ii.hbmColor, ii.xHotspot * 2, ii.yHotspot * 2, RGB(0, 0, 0), fn);
        if (hColor != NULL)
        {
            ICONINFO niiNew = ii;
            niiNew.fIcon = TRUE;
            niiNew.hbmColor = hColor;
            hNew = ::CreateIconIndirect(&niiNew);
            ::DeleteObject(hColor);
        }
        ::DeleteObject(ii.hbmColor);
    }
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
    return hNew;
}

HICON CButtonST::CreateGrayscaleIcon(HICON hIcon) { return TransformedIcon(hIcon, GrayOf); }
HICON CButtonST::CreateDarkerIcon(HICON hIcon) { return TransformedIcon(hIcon, DarkerOf); }

// ---------------------------------------------------------------------------
// Look and behaviour
// ---------------------------------------------------------------------------

DWORD CButtonST::SetFlat(BOOL bFlat, BOOL bRepaint)
{
    m_bIsFlat = bFlat;
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetImageAlignment(BYTE byAlign, BOOL bRepaint)
{
    if (byAlign > ST_ALIGN_OVERLAP)
        return BTNST_INVALIDALIGN;
    m_byImageAlign = byAlign;
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetPressedOffsetStyle(BYTE byStyle, BOOL bRepaint)
{
    if (byStyle == BTNST_PRESSED_LEFTRIGHT)
        m_nPressedOffsetX = 1, m_nPressedOffsetY = 1;
    else if (byStyle == BTNST_PRESSED_TOPBOTTOM)
        m_nPressedOffsetX = 0, m_nPressedOffsetY = 2;
    else
        return BTNST_INVALIDPRESSEDSTYLE;
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetCheck(int nCheck, BOOL bRepaint)
{
    if (m_bIsCheckBox)
    {
        m_nCheck = nCheck != 0 ? 1 : 0;
        Repaint(bRepaint);
    }
    return BTNST_OK;
}

DWORD CButtonST::ResetColors(BOOL bRepaint)
{
    for (int i = 0; i < BTNST_MAX_COLORS; i++)
        m_crColors[i] = ::GetSysColor((i & 1) ? COLOR_BTNTEXT : COLOR_BTNFACE);
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetColor(BYTE byColorIndex, COLORREF crColor, BOOL bRepaint)
{
    if (byColorIndex >= BTNST_MAX_COLORS)
        return BTNST_INVALIDINDEX;
    m_crColors[byColorIndex] = crColor;
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::GetColor(BYTE byColorIndex, COLORREF* crpColor) const
{
    if (byColorIndex >= BTNST_MAX_COLORS)
        return BTNST_INVALIDINDEX;
    *crpColor = m_crColors[byColorIndex];
    return BTNST_OK;
}

// The same amount goes to all three channels, limited so that none of them
// leaves 0..255: the shade's hue is kept.
DWORD CButtonST::ShiftColor(BYTE byColorIndex, short shOffset, BOOL bRepaint)
{
    if (byColorIndex >= BTNST_MAX_COLORS)
        return BTNST_INVALIDINDEX;
    if (shOffset < -255 || shOffset > 255)
        return BTNST_BADPARAM;
    COLORREF cr = m_crColors[byColorIndex];
    int r = GetRValue(cr), g = GetGValue(cr), b = GetBValue(cr);
    int n = shOffset;
    if (n > 0)
    {
        n = std::min(n, 255 - r);
        n = std::min(n, 255 - g);
        n = std::min(n, 255 - b);
    }
    else
    {
        n = std::max(n, -r);
        n = std::max(n, -g);
        n = std::max(n, -b);
    }
    m_crColors[byColorIndex] = RGB(r + n, g + n, b + n);
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetHoverBorder(BOOL bDrawBorder, BOOL bRepaint)
{
    m_bDrawBorder = bDrawBorder;
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetFocusRectOnFlat(BOOL bDrawFlatFocus, BOOL bRepaint)
{
    m_bDrawFlatFocus = bDrawFlatFocus;
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::LoadCursor(int nCursorId, BOOL bRepaint)
{
    if (m_hCursor != NULL)
    {
        ::DestroyCursor(m_hCursor);
        m_hCursor = NULL;
    }
    DWORD dwRet = BTNST_OK;
    if (nCursorId != 0)
    {
        m_hCursor = (HCURSOR)LoadModuleImage(nCursorId, RT_GROUP_CURSOR, IMAGE_CURSOR, 0, 0);
        if (m_hCursor == NULL)
            dwRet = BTNST_INVALIDRESOURCE;
    }
    Repaint(bRepaint);
    return dwRet;
}

DWORD CButtonST::SetCursorHandle(HCURSOR hCursor, BOOL bRepaint)
{
    m_hCursor = hCursor;
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetUrl(LPCTSTR lpszURL)
{
    if (lpszURL == NULL)
        ::ZeroMemory(m_szURL, sizeof(m_szURL));
    else
        ::lstrcpynA(m_szURL, lpszURL, MAX_PATH);
    return BTNST_OK;
}

// Slot 1 plays on click, slot 0 on hover. A file name is copied; a resource
// name or id of a module is kept as given.
DWORD CButtonST::SetSound(LPCTSTR lpszSound, HMODULE hMod, BOOL bPlayOnClick, BOOL bPlayAsync)
{
    STRUCT_SOUND& s = m_csSounds[bPlayOnClick ? 1 : 0];
    ::ZeroMemory(&s, sizeof(s));
    if (lpszSound == NULL)
        return BTNST_OK;
    if (hMod != NULL)
    {
        s.lpszSound = lpszSound;
        s.hMod = hMod;
        s.dwFlags = SND_RESOURCE;
    }
    else
    {
        ::lstrcpynA(s.szSound, lpszSound, MAX_PATH);
        s.lpszSound = s.szSound;
        s.dwFlags = SND_FILENAME;
    }
    s.dwFlags |= SND_NODEFAULT | SND_NOWAIT;
    if (bPlayAsync)
        s.dwFlags |= SND_ASYNC;
    return BTNST_OK;
}

void CButtonST::PlaySlot(int nSlot)
{
    const STRUCT_SOUND& s = m_csSounds[nSlot];
    if (s.lpszSound != NULL)
        s_pfnPlaySound(s.lpszSound, s.hMod, s.dwFlags);
}

DWORD CButtonST::EnableTransparency(BOOL bRepaint)
{
    m_bDrawTransparent = TRUE;
    DropBackground();
    Repaint(bRepaint);
    return BTNST_OK;
}

void CButtonST::DropBackground()
{
    if (m_dcBk.m_hDC != NULL)
    {
        if (m_hOldBk != NULL)
            ::SelectObject(m_dcBk.m_hDC, m_hOldBk);
        m_bmpBk.DeleteObject();
        m_dcBk.DeleteDC();
    }
    m_hOldBk = NULL;
    m_pbmpOldBk = NULL;
}

// Copies the pixels of pDC under the button (its window rectangle in the
// parent's client coordinates) into the background copy.
void CButtonST::TakeBackground(HDC hdcFrom)
{
    DropBackground();
    CRect rcClient, rcWnd;
    GetClientRect(rcClient);
    ::GetWindowRect(m_hWnd, &rcWnd);
    ::MapWindowPoints(NULL, ::GetParent(m_hWnd), (LPPOINT)&rcWnd, 2);
    m_dcBk.Attach(::CreateCompatibleDC(hdcFrom));
    m_bmpBk.Attach(::CreateCompatibleBitmap(hdcFrom, rcClient.Width(), rcClient.Height()));
    m_hOldBk = ::SelectObject(m_dcBk.m_hDC, m_bmpBk.GetSafeHandle());
    ::BitBlt(m_dcBk.m_hDC, 0, 0, rcClient.Width(), rcClient.Height(), hdcFrom, rcWnd.left, rcWnd.top, SRCCOPY);
}

DWORD CButtonST::CaptureBackground(CDC* pDC)
{
    if (!m_bDrawTransparent || pDC == NULL || pDC->GetSafeHdc() == NULL)
        return BTNST_BADPARAM;
    TakeBackground(pDC->GetSafeHdc());
    return BTNST_OK;
}

void CButtonST::PaintBk(CDC* pDC)
{
    CRect rc;
    GetClientRect(rc);
    if (m_dcBk.m_hDC == NULL)
    {
        HWND hParent = ::GetParent(m_hWnd);
        HDC hdcParent = ::GetDC(hParent);
        TakeBackground(hdcParent);
        ::ReleaseDC(hParent, hdcParent);
    }
    ::BitBlt(pDC->GetSafeHdc(), 0, 0, rc.Width(), rc.Height(), m_dcBk.m_hDC, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------
// Menu
// ---------------------------------------------------------------------------

DWORD CButtonST::SetMenu(UINT nMenu, HWND hParentWnd, BOOL bWinXPStyle, UINT nToolbarID,
                         CSize sizeToolbarIcon, COLORREF crToolbarBk, BOOL bRepaint)
{
    m_menuPopup.DestroyMenu();
    m_hMenuNotifyTarget = NULL;
    m_bMenuDisplayed = FALSE;
    if (nMenu != 0)
    {
        BCMenu::SetMenuDrawMode(bWinXPStyle);
        if (!m_menuPopup.LoadMenu(nMenu))
        {
            Repaint(bRepaint);
            return BTNST_INVALIDRESOURCE;
        }
        if (nToolbarID != 0)
        {
            m_menuPopup.SetBitmapBackground(crToolbarBk);
            BCMenu::SetIconSize(sizeToolbarIcon.cx, sizeToolbarIcon.cy);
            if (!m_menuPopup.LoadToolbar(nToolbarID))
            {
                m_menuPopup.DestroyMenu();
                Repaint(bRepaint);
                return BTNST_INVALIDRESOURCE;
            }
        }
        m_hMenuNotifyTarget = hParentWnd;
    }
    Repaint(bRepaint);
    return BTNST_OK;
}

// The drop-down menu is tracked with this button as its owner, so its
// owner-drawn items are measured and their mnemonics looked up here.
void CButtonST::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS->CtlType == ODT_MENU && m_menuPopup.GetSafeHmenu() != NULL)
        m_menuPopup.MeasureItem(lpMIS);
    else
        CButton::OnMeasureItem(nIDCtl, lpMIS);
}

LRESULT CButtonST::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (BCMenu::IsKnownMenu(pMenu))
        return BCMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
    return CButton::OnMenuChar(nChar, nFlags, pMenu);
}

DWORD CButtonST::SetMenuNotify(HWND hWnd, UINT nMessage, LPARAM lParam)
{
    m_csMenuNotify.hWnd = hWnd;
    m_csMenuNotify.nMessage = nMessage;
    m_csMenuNotify.lParam = lParam;
    return BTNST_OK;
}

// ---------------------------------------------------------------------------
// Tooltip
// ---------------------------------------------------------------------------

void CButtonST::InitTooltip()
{
    if (m_ToolTip.m_hWnd != NULL)
        return;
    m_ToolTip.Create(this, m_dwToolTipStyle);
    m_ToolTip.Activate(FALSE);
    m_ToolTip.SetMaxTipWidth(400);
}

void CButtonST::SetTooltipText(LPCTSTR lpszText, BOOL bActivate)
{
    if (lpszText == NULL)
        return;
    InitTooltip();
    if (m_ToolTip.GetToolCount() == 0)
    {
        CRect rc;
        GetClientRect(rc);
        m_ToolTip.AddTool(this, lpszText, rc, 1);
    }
    m_ToolTip.UpdateTipText(lpszText, this, 1);
    m_ToolTip.Activate(bActivate);
}

void CButtonST::SetTooltipText(int nText, BOOL bActivate)
{
    CString sText;
    sText.LoadString(nText);
    if (!sText.IsEmpty())
        SetTooltipText((LPCTSTR)sText, bActivate);
}

void CButtonST::ActivateTooltip(BOOL bEnable)
{
    if (m_ToolTip.m_hWnd != NULL && m_ToolTip.GetToolCount() != 0)
        m_ToolTip.Activate(bEnable);
}

// A fast double click must count as two clicks: the owner-drawn button would
// otherwise report the second one as a double click, not BN_CLICKED.
BOOL CButtonST::PreTranslateMessage(MSG* pMsg)
{
    InitTooltip();
    m_ToolTip.RelayEvent(pMsg);
    if (pMsg->message == WM_LBUTTONDBLCLK)
        pMsg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------

// Check-box types (the 2 bit) toggle; a default push button keeps that role
// as a flag because the window becomes owner-drawn.
void CButtonST::PreSubclassWindow()
{
    UINT nBS = (UINT)::GetWindowLong(m_hWnd, GWL_STYLE);
    m_nTypeStyle = nBS & BS_TYPEMASK;
    if (nBS & BS_CHECKBOX)
        m_bIsCheckBox = TRUE;
    if (m_nTypeStyle == BS_DEFPUSHBUTTON)
    {
        m_bIsDefault = TRUE;
        m_nTypeStyle = BS_PUSHBUTTON;
    }
    CButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
}

LRESULT CButtonST::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    UINT nType = (UINT)wParam & BS_TYPEMASK;
    if (nType == BS_DEFPUSHBUTTON)
        m_bIsDefault = TRUE;
    else if (nType == BS_PUSHBUTTON)
        m_bIsDefault = FALSE;
    return DefWindowProc(BM_SETSTYLE, (wParam & ~(WPARAM)0x4) | BS_OWNERDRAW, lParam);
}

LRESULT CButtonST::OnSetCheck(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    if (m_bIsCheckBox)
    {
        m_nCheck = (wParam == BST_CHECKED || wParam == BST_INDETERMINATE) ? 1 : 0;
        Invalidate();
    }
    return 0;
}

LRESULT CButtonST::OnGetCheck(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    return m_nCheck;
}

UINT CButtonST::OnGetDlgCode()
{
    UINT nCode = CButton::OnGetDlgCode();
    nCode |= m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
    return nCode;
}

BOOL CButtonST::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor != NULL)
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

HBRUSH CButtonST::CtlColor(CDC* pDC, UINT nCtlColor)
{
    (void)pDC;
    (void)nCtlColor;
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

void CButtonST::CancelHover()
{
    if (m_bIsFlat && m_bMouseOnButton)
    {
        m_bMouseOnButton = FALSE;
        Invalidate();
    }
}

// Hover lights only a flat button; a drag that began elsewhere (left button
// down while not hovered) does not light it.
void CButtonST::OnMouseMove(UINT nFlags, CPoint point)
{
    CButton::OnMouseMove(nFlags, point);
    POINT pt = point;
    ::ClientToScreen(m_hWnd, &pt);
    HWND hUnder = ::WindowFromPoint(pt);
    if ((nFlags & MK_LBUTTON) && !m_bMouseOnButton)
        return;
    if (!m_bIsFlat)
        return;
    BOOL bActive = m_bAlwaysTrack || ::GetActiveWindow() != NULL;
    if (hUnder == m_hWnd && bActive)
    {
        if (!m_bMouseOnButton)
        {
            m_bMouseOnButton = TRUE;
            Invalidate();
            PlaySlot(0);
            TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, m_hWnd, 0 };
            ::TrackMouseEvent(&tme);
        }
    }
    else
        CancelHover();
}

LRESULT CButtonST::OnMouseLeave(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    CancelHover();
    return 0;
}

void CButtonST::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    CancelHover();
}

void CButtonST::OnCancelMode()
{
    CButton::OnCancelMode();
    CancelHover();
}

void CButtonST::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CButton::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE)
        CancelHover();
}

// A disabled button must not keep the focus: it moves to the next tab stop.
void CButtonST::OnEnable(BOOL bEnable)
{
    CButton::OnEnable(bEnable);
    if (!bEnable)
    {
        HWND hParent = ::GetParent(m_hWnd);
        if (hParent != NULL)
        {
            HWND hNext = ::GetNextDlgTabItem(hParent, m_hWnd, FALSE);
            ::SetFocus(hNext != NULL && hNext != m_hWnd ? hNext : hParent);
        }
        CancelHover();
    }
}

void CButtonST::OnSysColorChange()
{
    CButton::OnSysColorChange();
    DropBackground();
    ResetColors();
}

// Reported as unhandled so that the parent's own BN_CLICKED handler still runs.
BOOL CButtonST::OnClicked()
{
    SetFocus();
    PlaySlot(1);

    if (m_bIsCheckBox)
    {
        m_nCheck = !m_nCheck;
        Invalidate();
    }
    else if (m_menuPopup.GetSafeHmenu() != NULL)
    {
        CRect rcWnd;
        GetWindowRect(rcWnd);
        m_bMenuDisplayed = TRUE;
        Invalidate();
        UpdateWindow();
        HMENU hSub = ::GetSubMenu(m_menuPopup.GetSafeHmenu(), 0);
        if (m_csMenuNotify.hWnd != NULL)
            ::SendMessage(m_csMenuNotify.hWnd, m_csMenuNotify.nMessage, (WPARAM)hSub, m_csMenuNotify.lParam);
        UINT nCmd = (UINT)::TrackPopupMenu(hSub, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD,
                                           rcWnd.left, rcWnd.bottom, 0, m_hWnd, NULL);
        m_bMenuDisplayed = FALSE;
        Invalidate();
        if (nCmd != 0 && m_hMenuNotifyTarget != NULL)
            ::PostMessage(m_hMenuNotifyTarget, WM_COMMAND, MAKEWPARAM(nCmd, 0), 0);
    }
    else if (m_szURL[0] != '\0')
    {
        SHELLEXECUTEINFOA sei;
        ::ZeroMemory(&sei, sizeof(sei));
        sei.cbSize = sizeof(sei);
        sei.fMask = SEE_MASK_FLAG_NO_UI;
        sei.lpVerb = "open";
        sei.lpFile = m_szURL;
        sei.nShow = SW_SHOWMAXIMIZED;
        s_pfnShellExecuteEx(&sei);
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

void CButtonST::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    HDC hdc = lpDIS->hDC;

    if (m_bIsCheckBox)
        m_bIsPressed = (lpDIS->itemState & ODS_SELECTED) || m_nCheck;
    else
        m_bIsPressed = (lpDIS->itemState & ODS_SELECTED) || m_bMenuDisplayed;
    m_bIsFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    m_bIsDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;

    CRect rcItem = lpDIS->rcItem;
    ::SetBkMode(hdc, TRANSPARENT);
    if (m_bDrawTransparent)
        PaintBk(pDC);
    else
        DrawBackground(pDC, &rcItem);
    DrawBorder(pDC, &rcItem);

    CString sTitle;
    GetWindowText(sTitle);
    CRect rcCaption = lpDIS->rcItem;

    if (m_csIcons[0].hIcon != NULL)
        DrawIconImage(pDC, !sTitle.IsEmpty(), &lpDIS->rcItem, &rcCaption, m_bIsPressed, m_bIsDisabled);
    else if (m_csBitmaps[0].hBitmap != NULL)
    {
        ::SetBkColor(hdc, RGB(255, 255, 255));
        DrawBitmapImage(pDC, !sTitle.IsEmpty(), &lpDIS->rcItem, &rcCaption, m_bIsPressed, m_bIsDisabled);
    }

    if (!sTitle.IsEmpty())
        DrawCaptionText(pDC, sTitle, &rcCaption, m_bIsPressed, m_bIsDisabled);

    if (m_bIsFocused && (!m_bIsFlat || m_bDrawFlatFocus))
    {
        CRect rcFocus = lpDIS->rcItem;
        rcFocus.DeflateRect(3, 3);
        ::DrawFocusRect(hdc, &rcFocus);
    }
}

static void FillSolid(HDC hdc, const RECT& rc, COLORREF cr)
{
    HBRUSH hbr = ::CreateSolidBrush(cr);
    ::FillRect(hdc, &rc, hbr);
    ::DeleteObject(hbr);
}

static void Draw3dRect(HDC hdc, const RECT& rc, COLORREF crTopLeft, COLORREF crBottomRight)
{
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    FillSolid(hdc, CRect(rc.left, rc.top, rc.left + cx - 1, rc.top + 1), crTopLeft);
    FillSolid(hdc, CRect(rc.left, rc.top, rc.left + 1, rc.top + cy - 1), crTopLeft);
    FillSolid(hdc, CRect(rc.left + cx - 1, rc.top, rc.right, rc.bottom), crBottomRight);
    FillSolid(hdc, CRect(rc.left, rc.top + cy - 1, rc.right, rc.bottom), crBottomRight);
}

DWORD CButtonST::DrawBackground(CDC* pDC, CRect* pRect)
{
    HDC hdc = pDC->GetSafeHdc();
    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault))
    {
        HBRUSH hbr = (HBRUSH)::GetStockObject(BLACK_BRUSH);
        ::FrameRect(hdc, pRect, hbr);
        pRect->DeflateRect(1, 1);
    }
    COLORREF cr;
    if (m_bMouseOnButton || m_bIsPressed)
        cr = m_crColors[BTNST_COLOR_BK_IN];
    else if (m_bIsFocused)
        cr = m_crColors[BTNST_COLOR_BK_FOCUS];
    else
        cr = m_crColors[BTNST_COLOR_BK_OUT];
    FillSolid(hdc, *pRect, cr);
    return BTNST_OK;
}

static void Line(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, COLORREF cr)
{
    HPEN hPen = ::CreatePen(PS_SOLID, 1, cr);
    HGDIOBJ hOld = ::SelectObject(hdc, hPen);
    ::MoveToEx(hdc, x1, y1, NULL);
    ::LineTo(hdc, x2, y2);
    ::LineTo(hdc, x3, y3);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hPen);
}

DWORD CButtonST::DrawBorder(CDC* pDC, CRect* pRect)
{
    HDC hdc = pDC->GetSafeHdc();
    const CRect& r = *pRect;
    if (m_bIsPressed)
    {
        if (!m_bIsFlat)
        {
            HBRUSH hbr = ::CreateSolidBrush(::GetSysColor(COLOR_BTNSHADOW));
            ::FrameRect(hdc, &r, hbr);
            ::DeleteObject(hbr);
        }
        else if (m_bDrawBorder)
            Draw3dRect(hdc, r, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    else if (!m_bIsFlat)
    {
        // Two-pixel raised edge: light outside-in on the top and left,
        // dark outside-in on the bottom and right.
        Line(hdc, r.left, r.bottom - 1, r.left, r.top, r.right, r.top, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        Line(hdc, r.left + 1, r.bottom - 2, r.left + 1, r.top + 1, r.right - 1, r.top + 1, ::GetSysColor(COLOR_3DLIGHT));
        Line(hdc, r.left, r.bottom - 1, r.right - 1, r.bottom - 1, r.right - 1, r.top - 1, ::GetSysColor(COLOR_3DDKSHADOW));
        Line(hdc, r.left + 1, r.bottom - 2, r.right - 2, r.bottom - 2, r.right - 2, r.top, ::GetSysColor(COLOR_BTNSHADOW));
    }
    else if (m_bMouseOnButton && m_bDrawBorder)
        Draw3dRect(hdc, r, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    return BTNST_OK;
}

void CButtonST::PrepareImageRect(BOOL bHasTitle, RECT* rpItem, CRect* rpTitle, BOOL bIsPressed,
                                 DWORD dwWidth, DWORD dwHeight, CRect* rpImage)
{
    CRect rBtn;
    rpImage->CopyRect(rpItem);
    const int w = (int)dwWidth, h = (int)dwHeight;
    switch (m_byImageAlign)
    {
    case ST_ALIGN_HORIZ:
        if (!bHasTitle)
            rpImage->left += (rpImage->Width() - w) / 2;
        else
        {
            rpImage->left += m_nImageMarginX;
            rpTitle->left += w + m_nImageMarginX;
        }
        rpImage->top += (rpImage->Height() - h) / 2;
        break;
    case ST_ALIGN_HORIZ_RIGHT:
        GetClientRect(&rBtn);
        if (!bHasTitle)
            rpImage->left += (rpImage->Width() - w) / 2;
        else
        {
            rpTitle->right = rpTitle->Width() - w - m_nImageMarginX;
            rpTitle->left = m_nImageMarginX;
            rpImage->left = rBtn.right - w - m_nImageMarginX;
            rpImage->top += (rpImage->Height() - h) / 2;
        }
        break;
    case ST_ALIGN_VERT:
        rpImage->left += (rpImage->Width() - w) / 2;
        if (!bHasTitle)
            rpImage->top += (rpImage->Height() - h) / 2;
        else
        {
            rpImage->top = m_nImageMarginY;
            rpTitle->top += h;
        }
        break;
    default:
        break;
    }
    if (bIsPressed && !m_bIsCheckBox)
        rpImage->OffsetRect(m_nPressedOffsetX, m_nPressedOffsetY);
}

// The out image stands for the resting look: a check button always rests
// between clicks, other buttons only while the pointer is away.
static int ImageIndex(BOOL bHaveOut, BOOL bPressed, BOOL bCheckBox, BOOL bHover)
{
    return (bHaveOut && !bPressed && (bCheckBox || !bHover)) ? 1 : 0;
}

void CButtonST::DrawIconImage(CDC* pDC, BOOL bHasTitle, RECT* rpItem, CRect* rpCaption,
                              BOOL bIsPressed, BOOL bIsDisabled)
{
    int i = ImageIndex(m_csIcons[1].hIcon != NULL, bIsPressed, m_bIsCheckBox, m_bMouseOnButton);
    CRect rImage;
    PrepareImageRect(bHasTitle, rpItem, rpCaption, bIsPressed, m_csIcons[i].dwWidth,
                     m_csIcons[i].dwHeight, &rImage);
    ::DrawStateA(pDC->GetSafeHdc(), NULL, NULL, (LPARAM)m_csIcons[i].hIcon, 0, rImage.left, rImage.top,
                 rImage.Width(), rImage.Height(), DST_ICON | (bIsDisabled ? DSS_DISABLED : DSS_NORMAL));
}

void CButtonST::DrawBitmapImage(CDC* pDC, BOOL bHasTitle, RECT* rpItem, CRect* rpCaption,
                                BOOL bIsPressed, BOOL bIsDisabled)
{
    HDC hdc = pDC->GetSafeHdc();
    int i = ImageIndex(m_csBitmaps[1].hBitmap != NULL, bIsPressed, m_bIsCheckBox, m_bMouseOnButton);
    const STRUCT_BITMAPS& bmp = m_csBitmaps[i];
    CRect rImage;
    PrepareImageRect(bHasTitle, rpItem, rpCaption, bIsPressed, bmp.dwWidth, bmp.dwHeight, &rImage);
    const int w = (int)bmp.dwWidth, h = (int)bmp.dwHeight;

    HDC hdcImg = ::CreateCompatibleDC(hdc);
    if (bIsDisabled && m_bDrawDisabledBitmap)
    {
        // Compose on white first so that DrawState's emboss sees the shape only.
        HDC hdcTmp = ::CreateCompatibleDC(hdc);
        HBITMAP hTmp = ::CreateCompatibleBitmap(hdc, w, h);
        HGDIOBJ hOldTmp = ::SelectObject(hdcTmp, hTmp);
        ::PatBlt(hdcTmp, 0, 0, w, h, WHITENESS);
        ::SetBkColor(hdcTmp, RGB(255, 255, 255));
        ::SetTextColor(hdcTmp, RGB(0, 0, 0));
        HGDIOBJ hOldImg = ::SelectObject(hdcImg, bmp.hMask);
        ::BitBlt(hdcTmp, 0, 0, w, h, hdcImg, 0, 0, SRCAND);
        ::SelectObject(hdcImg, bmp.hBitmap);
        ::BitBlt(hdcTmp, 0, 0, w, h, hdcImg, 0, 0, SRCPAINT);
        ::SelectObject(hdcImg, hOldImg);
        ::SelectObject(hdcTmp, hOldTmp);
        ::DrawStateA(hdc, NULL, NULL, (LPARAM)hTmp, 0, rImage.left, rImage.top, w, h,
                     DST_BITMAP | DSS_DISABLED);
        ::DeleteObject(hTmp);
        ::DeleteDC(hdcTmp);
    }
    else
    {
        COLORREF crOldText = ::SetTextColor(hdc, RGB(0, 0, 0));
        HGDIOBJ hOldImg = ::SelectObject(hdcImg, bmp.hMask);
        ::BitBlt(hdc, rImage.left, rImage.top, w, h, hdcImg, 0, 0, SRCAND);
        ::SelectObject(hdcImg, bmp.hBitmap);
        ::BitBlt(hdc, rImage.left, rImage.top, w, h, hdcImg, 0, 0, SRCPAINT);
        ::SelectObject(hdcImg, hOldImg);
        ::SetTextColor(hdc, crOldText);
    }
    ::DeleteDC(hdcImg);
}

void CButtonST::DrawCaptionText(CDC* pDC, const CString& sTitle, CRect* rpCaption,
                                BOOL bIsPressed, BOOL bIsDisabled)
{
    HDC hdc = pDC->GetSafeHdc();
    if (bIsPressed && !m_bIsCheckBox)
        rpCaption->OffsetRect(m_nPressedOffsetX, m_nPressedOffsetY);

    HGDIOBJ hOldFont = ::SelectObject(hdc, (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
    CRect rCenter = *rpCaption;
    ::DrawTextA(hdc, sTitle, -1, &rCenter, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    rCenter.OffsetRect((rpCaption->Width() - rCenter.Width()) / 2,
                       (rpCaption->Height() - rCenter.Height()) / 2);
    ::SetBkMode(hdc, TRANSPARENT);
    if (bIsDisabled)
    {
        rCenter.OffsetRect(1, 1);
        ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextA(hdc, sTitle, -1, &rCenter, DT_WORDBREAK | DT_CENTER);
        rCenter.OffsetRect(-1, -1);
        ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNSHADOW));
        ::DrawTextA(hdc, sTitle, -1, &rCenter, DT_WORDBREAK | DT_CENTER);
    }
    else
    {
        int nFg, nBk;
        if (m_bMouseOnButton || bIsPressed)
            nFg = BTNST_COLOR_FG_IN, nBk = BTNST_COLOR_BK_IN;
        else if (m_bIsFocused)
            nFg = BTNST_COLOR_FG_FOCUS, nBk = BTNST_COLOR_BK_FOCUS;
        else
            nFg = BTNST_COLOR_FG_OUT, nBk = BTNST_COLOR_BK_OUT;
        ::SetTextColor(hdc, m_crColors[nFg]);
        ::SetBkColor(hdc, m_crColors[nBk]);
        ::DrawTextA(hdc, sTitle, -1, &rCenter, DT_WORDBREAK | DT_CENTER);
    }
    if (hOldFont != NULL)
        ::SelectObject(hdc, hOldFont);
}
