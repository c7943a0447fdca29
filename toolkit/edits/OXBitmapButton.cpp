// COXBitmapButton - an owner-drawn push button with image, caption, arrow
// part, looks, toggle states, cursors and tooltip.
#include "OXBitmapButton.h"

#include <algorithm>
#include <vector>

#include "toolkit_res.h"

namespace {

const UINT WM_OXBB_CHECKHOVER = 0x8065;   // posted to itself: hover test at the cursor
const UINT kToolTipID = 1000;
const int kMaxFitSteps = 20;

// A resource copied into movable global memory, locked while this lives.
class CResourceCopy
{
public:
    CResourceCopy(LPCTSTR lpszName, LPCTSTR lpszType)
    {
        HINSTANCE hInst = AfxGetResourceHandle();
        HRSRC hRes = ::FindResource(hInst, lpszName, lpszType);
        if (!hRes)
            return;
        HGLOBAL hData = ::LoadResource(hInst, hRes);
        const void* pSrc = hData ? ::LockResource(hData) : NULL;
        m_size = ::SizeofResource(hInst, hRes);
        if (!pSrc || m_size == 0)
            return;
        m_hCopy = ::GlobalAlloc(GMEM_MOVEABLE, m_size);
        if (!m_hCopy)
            return;
        m_p = ::GlobalLock(m_hCopy);
        if (m_p)
            memcpy(m_p, pSrc, m_size);
    }
    ~CResourceCopy()
    {
        if (m_hCopy) {
            ::GlobalUnlock(m_hCopy);
            ::GlobalFree(m_hCopy);
        }
    }
    CResourceCopy(const CResourceCopy&) = delete;
    CResourceCopy& operator=(const CResourceCopy&) = delete;

    BYTE* Data() const { return (BYTE*)m_p; }
    DWORD Size() const { return m_size; }

private:
    HGLOBAL m_hCopy = NULL;
    void* m_p = NULL;
    DWORD m_size = 0;
};

int DIBColourCount(LPBITMAPINFOHEADER lpbi)
{
    WORD bits = lpbi->biSize == sizeof(BITMAPCOREHEADER) ? ((LPBITMAPCOREHEADER)lpbi)->bcBitCount
                                                          : lpbi->biBitCount;
    if (bits > 8)
        return 0;
    if (lpbi->biSize != sizeof(BITMAPCOREHEADER) && lpbi->biClrUsed != 0)
        return (int)lpbi->biClrUsed;
    return 1 << bits;
}

WORD DIBBitCount(LPBITMAPINFOHEADER lpbi)
{
    return lpbi->biSize == sizeof(BITMAPCOREHEADER) ? ((LPBITMAPCOREHEADER)lpbi)->bcBitCount : lpbi->biBitCount;
}

BYTE* DIBBits(LPBITMAPINFOHEADER lpbi)
{
    int entry = lpbi->biSize == sizeof(BITMAPCOREHEADER) ? 3 : 4;
    return (BYTE*)lpbi + lpbi->biSize + DIBColourCount(lpbi) * entry;
}

HBITMAP CreateBitmapFromDIB(LPBITMAPINFOHEADER lpbi, CPalette* pPalette)
{
    HDC hdc = ::GetDC(NULL);
    HPALETTE hOld = NULL;
    if (pPalette && pPalette->GetSafeHandle()) {
        hOld = ::SelectPalette(hdc, (HPALETTE)pPalette->GetSafeHandle(), FALSE);
        ::RealizePalette(hdc);
    }
    HBITMAP hbm = ::CreateDIBitmap(hdc, lpbi, CBM_INIT, DIBBits(lpbi), (LPBITMAPINFO)lpbi, DIB_RGB_COLORS);
    if (hOld)
        ::SelectPalette(hdc, hOld, FALSE);
    ::ReleaseDC(NULL, hdc);
    return hbm;
}

// The first image of an icon group, as an RT_ICON resource name.
LPCTSTR FirstIconImage(LPCTSTR lpszGroup)
{
    CResourceCopy group(lpszGroup, RT_GROUP_ICON);
    if (!group.Data() || group.Size() < 6 + 14)
        return NULL;
    WORD count = *(WORD*)(group.Data() + 4);
    if (count == 0)
        return NULL;
    WORD id = *(WORD*)(group.Data() + 6 + 12);   // GRPICONDIRENTRY.nID
    return MAKEINTRESOURCE(id);
}

struct CaptionDraw {
    const char* text;
    UINT format;
};

BOOL CALLBACK DrawCaptionProc(HDC hdc, LPARAM lData, WPARAM, int cx, int cy)
{
    const CaptionDraw* p = (const CaptionDraw*)lData;
    RECT rc = {0, 0, cx, cy};
    ::SetBkMode(hdc, TRANSPARENT);
    ::DrawTextA(hdc, p->text, -1, &rc, p->format);
    return TRUE;
}

}  // namespace

COLORREF COXBitmapButton::s_clrButtonFace = CLR_INVALID;

IMPLEMENT_DYNCREATE(COXBitmapButton, CButton)

BEGIN_MESSAGE_MAP(COXBitmapButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_SYSKEYDOWN()
    ON_WM_SYSKEYUP()
    ON_WM_KILLFOCUS()
    ON_WM_MBUTTONUP()
    ON_WM_ENABLE()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_OXBB_CHECKHOVER, OnCheckHover)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectClicked)
END_MESSAGE_MAP()

COXBitmapButton::COXBitmapButton()
    : m_bAnimationPlaying(FALSE), m_textColor(RGB(0, 0, 0)), m_bTrackLook(FALSE), m_bMouseOver(FALSE),
      m_bButtonHeld(FALSE), m_bHyperLook(FALSE), m_bBackgroundCaptured(FALSE), m_nNormalCursorID(0),
      m_hNormalCursor(NULL), m_nDisabledCursorID(0), m_hDisabledCursor(NULL), m_bKeepEnabled(FALSE),
      m_bEnabled(FALSE), m_bSavedTabStop(FALSE), m_bShowSeparator(TRUE), m_imageInflate(-5, -5),
      m_textInflate(-7, -6), m_defaultFrameInflate(0, 0), m_focusRectInflate(-4, -4), m_focusDotSize(7, 6),
      m_pressedOffset(2, 2), m_checkedOffset(1, 1), m_hoverOffset(-1, -1), m_nArrowWidthAdjust(-2),
      m_nArrowVerticalInset(-5), m_dwStyleEx(0), m_nDropDownArrowWidth(0), m_dwCheckState(0)
{
    if (s_clrButtonFace == CLR_INVALID)
        s_clrButtonFace = ::GetSysColor(COLOR_BTNFACE);
    m_nDropDownArrowWidth = GetDropDownArrowWidth();
}

COXBitmapButton::~COXBitmapButton()
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.DestroyWindow();
    m_font.DeleteObject();
    m_palette.DeleteObject();
    m_imageList.DeleteImageList();
    m_background.DeleteImageList();
    if (m_animateCtrl.GetSafeHwnd())
        m_animateCtrl.DestroyWindow();
    if (GetSafeHwnd())
        DestroyWindow();
}

// ---------------------------------------------------------------------------
// Rules without a window
// ---------------------------------------------------------------------------

CString COXBitmapButton::ExtractTextPiece(LPCTSTR lpszText, int nPiece, TCHAR chSeparator)
{
    CString text = lpszText ? lpszText : "";
    if (nPiece < 1)
        return CString();
    int start = 0;
    for (int i = 1; i < nPiece; ++i) {
        int sep = text.Find(chSeparator, start);
        if (sep < 0)
            return CString();
        start = sep + 1;
    }
    int end = text.Find(chSeparator, start);
    return end < 0 ? text.Mid(start) : text.Mid(start, end - start);
}

namespace {

// A block (size plus margins) that does not fit the available length is cut
// to it, and its size with it (by the block's margins, not below 0).
void FitBlock(int& size, int& block, int available)
{
    if (block > available) {
        size = std::max(0, available - (block - size));
        block = available;
    }
}

CRect SizedRect(int x, int y, int cx, int cy)
{
    if (cx <= 0 || cy <= 0)
        return CRect(0, 0, 0, 0);
    return CRect(x, y, x + cx, y + cy);
}

}  // namespace

void COXBitmapButton::LayoutRects(DWORD dwStyle, const CRect& rc, CSize img, CSize txt, CRect& rectImage,
                                  CRect& rectText)
{
    const int L = rc.left, T = rc.top, W = rc.Width(), H = rc.Height();
    DWORD horz = dwStyle & 0x300, vert = dwStyle & 0xC00;
    int iw = img.cx, ih = img.cy, tw = txt.cx, th = txt.cy;
    int ix, iy, tx, ty;

    if ((vert == 0 || vert == BS_VCENTER) && iw > 0 && tw > 0) {
        // Side by side.
        int ibw = iw + 10, ibh = ih > 0 ? ih + 10 : 0;
        int tbw = tw + 7, tbh = th > 0 ? th + 12 : 0;
        FitBlock(tw, tbw, W);
        FitBlock(th, tbh, H);
        FitBlock(iw, ibw, std::max(0, W - tbw));
        FitBlock(ih, ibh, H);
        if (ibw <= 0)
            tw = std::max(0, tbw - 14);
        tx = L + 7;
        ix = L + 5;
        if (horz == BS_RIGHT)
            ix = L + tbw + 5;
        else
            tx = L + ibw;
        iy = T + (H - ibh) / 2 + 5;
        ty = T + (H - tbh) / 2 + 6;
    } else {
        // Stacked.
        bool image = iw > 0 && ih > 0;
        int ibw = image ? iw + 10 : 0, ibh = image ? ih + 10 : 0;
        int tbw = tw + 14, tbh = th + (image ? 6 : 12);
        if (tw <= 0 || th <= 0)
            tbw = tbh = 0;
        FitBlock(tw, tbw, W);
        FitBlock(iw, ibw, W);
        FitBlock(th, tbh, H);
        FitBlock(ih, ibh, std::max(0, H - tbh));
        if (horz == BS_LEFT) {
            tx = L + 7;
            ix = L + 5;
        } else if (horz == BS_RIGHT) {
            tx = L + W - tbw + 7;
            ix = L + W - ibw + 5;
        } else {
            tx = L + (W - tbw) / 2 + 7;
            ix = L + (W - ibw) / 2 + 5;
        }
        if (vert == BS_TOP) {
            iy = T + 5;
            ty = image ? T + ibh : T + 6;
        } else if (vert == BS_BOTTOM) {
            iy = T + H - 5 - ih;
            ty = image ? T + 6 : T + H - 6 - th;
        } else {
            int s = (H - tbh - ibh) / 2;
            iy = T + s + 5;
            ty = image ? T + s + ibh : T + s + 6;
        }
    }
    rectImage = SizedRect(ix, iy, iw, ih);
    rectText = SizedRect(tx, ty, tw, th);
}

CSize COXBitmapButton::FitCaption(CSize sizeSingle, const std::function<CSize(int)>& measure)
{
    CSize size = sizeSingle;
    // An empty caption has nothing to reshape (and its ratio no meaning).
    if (size.cx <= 0 || size.cy <= 0)
        return size;
    int width = size.cx;
    std::vector<CSize> seen(1, size);
    // The reshaping can cycle between two shapes; it stops at any shape it
    // has already had, and after a bounded number of steps.
    for (int step = 0; step < kMaxFitSteps; ++step) {
        double r = (double)size.cy / size.cx, e = (double)size.cx / size.cy;
        if (e < 2.6 && r < 1)
            break;
        width = e < 2 ? width + width / 4 : width - width / 3;
        if (width <= 0)
            break;
        CSize next = measure(width);
        if (next.cx <= 0 || next.cy <= 0)
            break;
        if (std::find(seen.begin(), seen.end(), next) != seen.end()) {
            size = next;
            break;
        }
        seen.push_back(next);
        size = next;
    }
    return size;
}

DWORD COXBitmapButton::NextCheckState(DWORD dwStyleEx, DWORD dwCheckState)
{
    if (!(dwStyleEx & (OXBB_EX_TOGGLE | OXBB_EX_DROPDOWN)))
        return dwCheckState;
    if (!(dwCheckState & OXBB_STATE_CHECKED))
        return OXBB_STATE_CHECKED;
    bool threeState = (dwStyleEx & OXBB_EX_TOGGLE) && (dwStyleEx & OXBB_EX_TOGGLE3STATE);
    if (threeState && !(dwCheckState & OXBB_STATE_INDETERMINATE))
        return OXBB_STATE_CHECKED | OXBB_STATE_INDETERMINATE;
    return 0;
}

BYTE COXBitmapButton::GrayLevel(BYTE red, BYTE green, BYTE blue)
{
    int l = (25 * blue + 77 * red + 153 * green) / 255;
    return l < 64 ? 0 : l < 160 ? 128 : l < 224 ? 192 : 255;
}

BOOL COXBitmapButton::MakeDIBGray(LPBITMAPINFOHEADER lpbi, COLORREF crMask)
{
    if (DIBBitCount(lpbi) > 8)
        return FALSE;
    int n = DIBColourCount(lpbi);
    bool core = lpbi->biSize == sizeof(BITMAPCOREHEADER);
    BYTE* p = (BYTE*)lpbi + lpbi->biSize;
    for (int i = 0; i < n; ++i, p += core ? 3 : 4) {
        BYTE b = p[0], g = p[1], r = p[2];
        if (RGB(r, g, b) == crMask)
            continue;
        BYTE level = GrayLevel(r, g, b);
        p[0] = p[1] = p[2] = level;
    }
    return TRUE;
}

BOOL COXBitmapButton::CreateDIBPalette(LPBITMAPINFOHEADER lpbi, CPalette* pPalette)
{
    if (DIBBitCount(lpbi) > 8)
        return FALSE;
    int n = 1 << DIBBitCount(lpbi);
    int available = DIBColourCount(lpbi);
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
    LOGPALETTE* pLog = (LOGPALETTE*)buffer.data();
    pLog->palVersion = 0x300;
    pLog->palNumEntries = (WORD)n;
    bool core = lpbi->biSize == sizeof(BITMAPCOREHEADER);
    const BYTE* p = (const BYTE*)lpbi + lpbi->biSize;
    for (int i = 0; i < n; ++i) {
        PALETTEENTRY& e = pLog->palPalEntry[i];
        if (i < available) {
            e.peBlue = p[0];
            e.peGreen = p[1];
            e.peRed = p[2];
            p += core ? 3 : 4;
        } else {
            e.peBlue = e.peGreen = e.peRed = 0;
        }
        e.peFlags = 0;
    }
    pPalette->DeleteObject();
    return pPalette->CreatePalette(pLog);
}

// ---------------------------------------------------------------------------
// Resource loading
// ---------------------------------------------------------------------------

BOOL COXBitmapButton::LoadDIBBitmap(LPCTSTR lpszResource, CBitmap* pBitmap, CPalette* pPalette)
{
    CResourceCopy res(lpszResource, RT_BITMAP);
    if (!res.Data())
        return FALSE;
    LPBITMAPINFOHEADER lpbi = (LPBITMAPINFOHEADER)res.Data();
    if (!CreateDIBPalette(lpbi, pPalette))
        return FALSE;
    HBITMAP hbm = CreateBitmapFromDIB(lpbi, pPalette);
    if (!hbm)
        return FALSE;
    pBitmap->DeleteObject();
    return pBitmap->Attach(hbm);
}

BOOL COXBitmapButton::LoadGrayedDIBBitmap(LPCTSTR lpszResource, COLORREF crMask, CBitmap* pBitmap)
{
    CResourceCopy res(lpszResource, RT_BITMAP);
    if (!res.Data())
        return FALSE;
    LPBITMAPINFOHEADER lpbi = (LPBITMAPINFOHEADER)res.Data();
    if (!MakeDIBGray(lpbi, crMask))
        return FALSE;
    HBITMAP hbm = CreateBitmapFromDIB(lpbi, NULL);
    if (!hbm)
        return FALSE;
    pBitmap->DeleteObject();
    return pBitmap->Attach(hbm);
}

BOOL COXBitmapButton::LoadBitmapPalette(LPCTSTR lpszResource, CPalette* pPalette)
{
    CResourceCopy res(lpszResource, RT_BITMAP);
    return res.Data() && CreateDIBPalette((LPBITMAPINFOHEADER)res.Data(), pPalette);
}

BOOL COXBitmapButton::LoadIconPalette(LPCTSTR lpszResource, CPalette* pPalette)
{
    LPCTSTR image = FirstIconImage(lpszResource);
    if (!image)
        return FALSE;
    CResourceCopy res(image, RT_ICON);
    return res.Data() && CreateDIBPalette((LPBITMAPINFOHEADER)res.Data(), pPalette);
}

HICON COXBitmapButton::LoadGrayedIcon(LPCTSTR lpszResource)
{
    LPCTSTR image = FirstIconImage(lpszResource);
    if (!image)
        return NULL;
    CResourceCopy res(image, RT_ICON);
    if (!res.Data() || !MakeDIBGray((LPBITMAPINFOHEADER)res.Data(), (COLORREF)-1))
        return NULL;
    return ::CreateIconFromResource(res.Data(), res.Size(), TRUE, 0x30000);
}

HICON COXBitmapButton::CreateDisabledIcon(HICON hIcon, int cx, int cy)
{
    if (!hIcon || cx <= 0 || cy <= 0)
        return NULL;
    HDC hScreen = ::GetDC(NULL);
    HDC hdc = ::CreateCompatibleDC(hScreen);
    HBITMAP hColour = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = ::SelectObject(hdc, hColour);
    RECT rc = {0, 0, cx, cy};
    HBRUSH hFace = ::CreateSolidBrush(s_clrButtonFace == CLR_INVALID ? ::GetSysColor(COLOR_BTNFACE)
                                                                       : s_clrButtonFace);
    ::FillRect(hdc, &rc, hFace);
    ::DeleteObject(hFace);
    ::DrawState(hdc, NULL, NULL, (LPARAM)hIcon, 0, 0, 0, cx, cy, DST_ICON | DSS_DISABLED);
    // What is still button face becomes transparent.
    HDC hMaskDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
    HGDIOBJ hOldMask = ::SelectObject(hMaskDC, hMask);
    ::SetBkColor(hdc, s_clrButtonFace == CLR_INVALID ? ::GetSysColor(COLOR_BTNFACE) : s_clrButtonFace);
    ::BitBlt(hMaskDC, 0, 0, cx, cy, hdc, 0, 0, SRCCOPY);
    // The colour part of a transparent pixel must be black.
    ::BitBlt(hdc, 0, 0, cx, cy, hMaskDC, 0, 0, 0x00220326 /* DSna */);
    ::SelectObject(hMaskDC, hOldMask);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hMaskDC);
    ::DeleteDC(hdc);
    ::ReleaseDC(NULL, hScreen);
    ICONINFO ii = {TRUE, 0, 0, hMask, hColour};
    HICON hResult = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    ::DeleteObject(hColour);
    return hResult;
}

// ---------------------------------------------------------------------------
// Images
// ---------------------------------------------------------------------------

BOOL COXBitmapButton::LoadBitmap(LPCTSTR lpszBitmapResource, BOOL bResize, COLORREF crMask)
{
    m_imageList.DeleteImageList();
    CBitmap normal, grey;
    if (!LoadDIBBitmap(lpszBitmapResource, &normal, &m_palette) ||
        !LoadGrayedDIBBitmap(lpszBitmapResource, crMask, &grey))
        return FALSE;
    BITMAP bm;
    normal.GetBitmap(&bm);
    UINT flags = ILC_COLORDDB | (crMask == (COLORREF)-1 ? 0 : ILC_MASK);
    if (!m_imageList.Create(bm.bmWidth, bm.bmHeight, flags, 0, 5))
        return FALSE;
    m_imageList.Add(&normal, crMask);
    m_imageList.Add(&grey, crMask);
    HICON hIcon = m_imageList.ExtractIcon(0);
    HICON hDisabled = CreateDisabledIcon(hIcon, bm.bmWidth, bm.bmHeight);
    if (hDisabled)
        m_imageList.Add(hDisabled);
    if (hIcon)
        ::DestroyIcon(hIcon);
    if (hDisabled)
        ::DestroyIcon(hDisabled);
    ImageReplaced(bResize);
    return TRUE;
}

BOOL COXBitmapButton::LoadIcon(LPCTSTR lpszIconResource, BOOL bResize, UINT cx, UINT cy)
{
    m_imageList.DeleteImageList();
    if (cx == 0)
        cx = ::GetSystemMetrics(SM_CXICON);
    if (cy == 0)
        cy = ::GetSystemMetrics(SM_CYICON);
    HICON hIcon = (HICON)::LoadImage(AfxGetResourceHandle(), lpszIconResource, IMAGE_ICON, cx, cy,
                                     LR_DEFAULTCOLOR);
    if (!hIcon)
        return FALSE;
    LoadIconPalette(lpszIconResource, &m_palette);
    ICONINFO ii = {};
    ::GetIconInfo(hIcon, &ii);
    BITMAP bm = {};
    ::GetObject(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof(bm), &bm);
    int w = bm.bmWidth, h = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask)
        ::DeleteObject(ii.hbmMask);
    if (!m_imageList.Create(w, h, ILC_COLORDDB | ILC_MASK, 0, 5)) {
        ::DestroyIcon(hIcon);
        return FALSE;
    }
    m_imageList.Add(hIcon);
    HICON hGrey = LoadGrayedIcon(lpszIconResource);
    m_imageList.Add(hGrey ? hGrey : hIcon);
    HICON hDisabled = CreateDisabledIcon(hIcon, w, h);
    m_imageList.Add(hDisabled ? hDisabled : hIcon);
    if (hGrey)
        ::DestroyIcon(hGrey);
    if (hDisabled)
        ::DestroyIcon(hDisabled);
    ::DestroyIcon(hIcon);
    ImageReplaced(bResize);
    return TRUE;
}

BOOL COXBitmapButton::LoadAnimation(LPCTSTR lpszAnimationResource, BOOL bResize)
{
    if (!m_animateCtrl.GetSafeHwnd()) {
        CRect rect;
        GetClientRect(&rect);
        if (!m_animateCtrl.Create(WS_CHILD | WS_VISIBLE | ACS_TRANSPARENT, rect, this, 1))
            return FALSE;
    } else {
        m_animateCtrl.Close();
    }
    m_bAnimationPlaying = FALSE;
    if (!m_animateCtrl.SendMessage(ACM_OPEN, (WPARAM)AfxGetResourceHandle(), (LPARAM)lpszAnimationResource))
        return FALSE;
    m_imageList.DeleteImageList();
    if (bResize)
        SizeToContent();
    Invalidate();
    return TRUE;
}

// A new image (or none) replaces a playing clip; the clip's window goes with
// it, so that the button measures no clip afterwards.
void COXBitmapButton::ImageReplaced(BOOL bResize)
{
    if (m_animateCtrl.GetSafeHwnd()) {
        m_animateCtrl.Close();
        m_animateCtrl.DestroyWindow();
    }
    m_bAnimationPlaying = FALSE;
    if (bResize && GetSafeHwnd())
        SizeToContent();
    if (GetSafeHwnd())
        Invalidate();
}

void COXBitmapButton::ClearImage(BOOL bResize)
{
    m_imageList.DeleteImageList();
    ImageReplaced(bResize);
}

BOOL COXBitmapButton::ReplaceImageWithIcon(int nImage, LPCTSTR lpszIconResource, UINT cx, UINT cy)
{
    if (!m_imageList.GetSafeHandle() || m_imageList.GetImageCount() == 0)
        return FALSE;
    HICON hIcon = (HICON)::LoadImage(AfxGetResourceHandle(), lpszIconResource, IMAGE_ICON,
                                     cx ? cx : ::GetSystemMetrics(SM_CXICON),
                                     cy ? cy : ::GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR);
    if (!hIcon)
        return FALSE;
    BOOL ok = m_imageList.Replace(nImage, hIcon) >= 0;
    ::DestroyIcon(hIcon);
    return ok;
}

BOOL COXBitmapButton::ReplaceImageWithBitmap(int nImage, LPCTSTR lpszBitmapResource)
{
    if (!m_imageList.GetSafeHandle() || m_imageList.GetImageCount() == 0)
        return FALSE;
    CBitmap bmp;
    CPalette palette;
    if (!LoadDIBBitmap(lpszBitmapResource, &bmp, &palette))
        return FALSE;
    return m_imageList.Replace(nImage, &bmp, NULL);
}

BOOL COXBitmapButton::SetInactiveIcon(LPCTSTR lpszIconResource, UINT cx, UINT cy)
{
    return ReplaceImageWithIcon(1, lpszIconResource, cx, cy);
}

BOOL COXBitmapButton::SetDisabledIcon(LPCTSTR lpszIconResource, UINT cx, UINT cy)
{
    return ReplaceImageWithIcon(2, lpszIconResource, cx, cy);
}

BOOL COXBitmapButton::SetInactiveBitmap(LPCTSTR lpszBitmapResource)
{
    return ReplaceImageWithBitmap(1, lpszBitmapResource);
}

BOOL COXBitmapButton::SetDisabledBitmap(LPCTSTR lpszBitmapResource)
{
    return ReplaceImageWithBitmap(2, lpszBitmapResource);
}

CSize COXBitmapButton::GetImageSize() const
{
    if (m_animateCtrl.GetSafeHwnd()) {
        CRect rect;
        m_animateCtrl.GetWindowRect(&rect);
        rect.InflateRect(1, 1);
        return rect.Size();
    }
    int cx = 0, cy = 0;
    if (m_imageList.GetSafeHandle() && m_imageList.GetImageCount() > 0)
        m_imageList.GetIconSize(&cx, &cy);
    return CSize(cx, cy);
}

// ---------------------------------------------------------------------------
// Look and state
// ---------------------------------------------------------------------------

void COXBitmapButton::RedrawNow()
{
    if (GetSafeHwnd())
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL COXBitmapButton::SetTrackLook(BOOL bTrackLook)
{
    if (GetSafeHwnd() && (GetStyle() & 0x0F) != BS_OWNERDRAW)
        return FALSE;
    if (m_bTrackLook != bTrackLook) {
        m_bTrackLook = bTrackLook;
        if (GetSafeHwnd())
            Invalidate();
    }
    return TRUE;
}

BOOL COXBitmapButton::SetHyperLook(BOOL bHyperLook)
{
    if (m_bHyperLook == bHyperLook)
        return TRUE;
    m_bHyperLook = bHyperLook;
    SetNormalCursor(bHyperLook ? IDC_OX_HAND : 0);
    SetDisabledCursor(bHyperLook ? IDC_OX_HAND_DISABLED : 0);
    if (bHyperLook)
        SetKeepEnabled(TRUE);
    m_background.DeleteImageList();
    m_bBackgroundCaptured = FALSE;
    CWnd* pParent = GetSafeHwnd() ? GetParent() : NULL;
    if (pParent) {
        CRect rect;
        GetWindowRect(&rect);
        pParent->ScreenToClient(&rect);
        pParent->RedrawWindow(&rect, NULL, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    return TRUE;
}

void COXBitmapButton::SetHorizontalAlignment(DWORD dwAlignment)
{
    dwAlignment &= 0x300;
    if ((GetStyle() & 0x300) != dwAlignment) {
        ModifyStyle(0x300, dwAlignment);
        Invalidate();
    }
}

DWORD COXBitmapButton::GetHorizontalAlignment() const
{
    DWORD bits = GetStyle() & 0x300;
    return bits ? bits : BS_CENTER;
}

void COXBitmapButton::SetVerticalAlignment(DWORD dwAlignment)
{
    dwAlignment &= 0xC00;
    if ((GetStyle() & 0xC00) != dwAlignment) {
        ModifyStyle(0xC00, dwAlignment);
        Invalidate();
    }
}

DWORD COXBitmapButton::GetVerticalAlignment() const
{
    DWORD bits = GetStyle() & 0xC00;
    return bits ? bits : BS_VCENTER;
}

void COXBitmapButton::SetTextColor(COLORREF clr)
{
    if (m_textColor != clr) {
        m_textColor = clr;
        if (GetSafeHwnd())
            Invalidate();
    }
}

void COXBitmapButton::SetTextFont(CFont* pFont)
{
    LOGFONT lf;
    if (!pFont || !pFont->GetLogFont(&lf))
        return;
    LOGFONT old;
    BOOL changed = !m_font.GetSafeHandle() || !m_font.GetLogFont(&old) || memcmp(&old, &lf, sizeof(lf)) != 0;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    if (GetSafeHwnd())
        SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle(), changed);
}

void COXBitmapButton::CopyWindowFont()
{
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    LOGFONT lf;
    if (hFont && ::GetObject(hFont, sizeof(lf), &lf) == sizeof(lf)) {
        if (hFont == m_font.GetSafeHandle())
            return;
        m_font.DeleteObject();
        m_font.CreateFontIndirect(&lf);
    } else {
        m_font.DeleteObject();
    }
}

CString COXBitmapButton::GetText() const
{
    CString text;
    if (GetSafeHwnd())
        GetWindowText(text);
    return ExtractTextPiece(text, 1);
}

CString COXBitmapButton::GetToolTipText() const
{
    CString text;
    if (GetSafeHwnd())
        GetWindowText(text);
    return ExtractTextPiece(text, 2);
}

void COXBitmapButton::SetText(LPCTSTR lpszText)
{
    CString tip = GetToolTipText();
    CString text = lpszText ? lpszText : "";
    if (!tip.IsEmpty())
        text += "\n" + tip;
    SetWindowText(text);
}

void COXBitmapButton::SetToolTipText(LPCTSTR lpszText)
{
    CString text = GetText();
    if (lpszText && *lpszText)
        text += CString("\n") + lpszText;
    SetWindowText(text);
}

void COXBitmapButton::UpdateToolTipTool()
{
    m_toolTip.RemoveTool(this, kToolTipID);
    CString tip = GetToolTipText();
    if (!tip.IsEmpty()) {
        CRect rect;
        GetClientRect(&rect);
        m_toolTip.AddTool(this, tip, &rect, kToolTipID);
    }
}

BOOL COXBitmapButton::SetToolTip(BOOL bEnable)
{
    if (bEnable) {
        if (!m_toolTip.GetSafeHwnd()) {
            if (!m_toolTip.Create(this))
                return FALSE;
            m_toolTip.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            UpdateToolTipTool();
        }
    } else if (m_toolTip.GetSafeHwnd()) {
        m_toolTip.RemoveTool(this, kToolTipID);
        m_toolTip.DestroyWindow();
    }
    return TRUE;
}

LRESULT COXBitmapButton::OnSetText(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (m_toolTip.GetSafeHwnd())
        UpdateToolTipTool();
    Invalidate();
    return lResult;
}

BOOL COXBitmapButton::SetNormalCursor(UINT nCursorID)
{
    if (nCursorID == 0) {
        m_nNormalCursorID = 0;
        m_hNormalCursor = NULL;
        return TRUE;
    }
    HCURSOR h = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nCursorID));
    if (!h)
        return FALSE;
    m_nNormalCursorID = nCursorID;
    m_hNormalCursor = h;
    return TRUE;
}

BOOL COXBitmapButton::SetDisabledCursor(UINT nCursorID)
{
    if (nCursorID == 0) {
        m_nDisabledCursorID = 0;
        m_hDisabledCursor = NULL;
        return TRUE;
    }
    HCURSOR h = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nCursorID));
    if (!h)
        return FALSE;
    m_nDisabledCursorID = nCursorID;
    m_hDisabledCursor = h;
    return TRUE;
}

BOOL COXBitmapButton::EnableWindow(BOOL bEnable)
{
    if (!m_bKeepEnabled)
        return CButton::EnableWindow(bEnable);
    BOOL bOld = m_bEnabled;
    m_bEnabled = bEnable;
    // A disabled button leaves the tab order.
    if (m_bSavedTabStop)
        ModifyStyle(bEnable ? 0 : WS_TABSTOP, bEnable ? WS_TABSTOP : 0);
    if (bOld != bEnable)
        Invalidate();
    return bOld;
}

BOOL COXBitmapButton::IsWindowEnabled() const
{
    return m_bKeepEnabled ? m_bEnabled : CButton::IsWindowEnabled();
}

void COXBitmapButton::SetKeepEnabled(BOOL bKeepEnabled)
{
    if (!GetSafeHwnd() || m_bKeepEnabled == bKeepEnabled)
        return;
    if (bKeepEnabled) {
        m_bEnabled = CButton::IsWindowEnabled();
        m_bSavedTabStop = (GetStyle() & WS_TABSTOP) != 0;
        m_bKeepEnabled = TRUE;
        CButton::EnableWindow(TRUE);
        EnableWindow(m_bEnabled);
    } else {
        m_bKeepEnabled = FALSE;
        if (m_bSavedTabStop)
            ModifyStyle(0, WS_TABSTOP);
        CButton::EnableWindow(m_bEnabled);
    }
}

void COXBitmapButton::SetStyleEx(DWORD dwStyleEx, BOOL bRedraw)
{
    if (m_dwStyleEx == dwStyleEx)
        return;
    m_dwStyleEx = dwStyleEx;
    if (bRedraw)
        RedrawNow();
}

void COXBitmapButton::SetCheckState(DWORD dwCheckState, BOOL bRedraw)
{
    if (m_dwCheckState == dwCheckState)
        return;
    m_dwCheckState = dwCheckState;
    if (bRedraw)
        RedrawNow();
}

BOOL COXBitmapButton::StepCheckState()
{
    if (!(m_dwStyleEx & (OXBB_EX_TOGGLE | OXBB_EX_DROPDOWN)))
        return FALSE;
    SetCheckState(NextCheckState(m_dwStyleEx, m_dwCheckState), TRUE);
    return (m_dwCheckState & OXBB_STATE_CHECKED) != 0;
}

void AFXAPI DDX_ToggleState(CDataExchange* pDX, int nIDC, int& nState)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    COXBitmapButton* pButton = dynamic_cast<COXBitmapButton*>(CWnd::FromHandlePermanent(hWnd));
    if (!pButton)
        return;
    BOOL bToggle = (pButton->GetStyleEx() & OXBB_EX_TOGGLE) != 0;
    DWORD state = pButton->GetCheckState();
    if (pDX->m_bSaveAndValidate) {
        if (!bToggle)
            nState = -1;
        else if (state & OXBB_STATE_INDETERMINATE)
            nState = 2;
        else
            nState = (state & OXBB_STATE_CHECKED) ? 1 : 0;
    } else if (bToggle) {
        if (nState == 1) {
            pButton->SetCheckState(OXBB_STATE_CHECKED);
        } else if (nState == 2) {
            pButton->SetCheckState(OXBB_STATE_CHECKED | OXBB_STATE_INDETERMINATE);
        } else {
            nState = 0;
            pButton->SetCheckState(0);
        }
    }
}

// ---------------------------------------------------------------------------
// Sizes and layout
// ---------------------------------------------------------------------------

CSize COXBitmapButton::GetArrowPartSize()
{
    if (!HasArrowPart())
        return CSize(0, 0);
    return CSize(m_nDropDownArrowWidth - m_nArrowWidthAdjust, 0);
}

CSize COXBitmapButton::GetTextSize(BOOL bFit)
{
    CString caption = GetText();
    if (caption.IsEmpty() || !GetSafeHwnd())
        return CSize(0, 0);
    CWindowDC dc(this);
    HFONT hFont = m_font.GetSafeHandle() ? (HFONT)m_font.GetSafeHandle() : (HFONT)SendMessage(WM_GETFONT);
    HGDIOBJ hOld = hFont ? ::SelectObject(dc.GetSafeHdc(), hFont) : NULL;
    CRect single(0, 0, 0, 0);
    dc.DrawText(caption, &single, DT_CALCRECT | DT_SINGLELINE);
    CSize size = single.Size();
    BOOL bMultiline = (GetStyle() & BS_MULTILINE) != 0;
    CSize image = GetImageSize();
    DWORD vert = GetVerticalAlignment();

    if (!bFit) {
        CRect avail;
        GetClientRect(&avail);
        avail.right -= GetArrowPartSize().cx;
        avail.DeflateRect(7, 6);
        if (image.cx > 0 && image.cy > 0) {
            if (vert == BS_VCENTER)
                avail.right -= image.cx + 3;
            else
                avail.bottom -= image.cy + 4;
        }
        if (avail.Width() < 0 || avail.Height() < 0)
            avail.SetRectEmpty();
        if (bMultiline) {
            CRect wrapped(0, 0, avail.Width(), 0);
            dc.DrawText(caption, &wrapped, DT_CALCRECT | DT_WORDBREAK);
            size = wrapped.Size();
        }
        if (image.cx > 0 && image.cy > 0) {
            if (vert == BS_VCENTER)
                size = CSize(avail.Width(), std::min((int)size.cy, avail.Height()));
            else
                size = CSize(std::min((int)size.cx, avail.Width()), avail.Height());
        }
    } else if (bMultiline) {
        size = FitCaption(size, [&](int width) {
            CRect wrapped(0, 0, width, 0);
            dc.DrawText(caption, &wrapped, DT_CALCRECT | DT_WORDBREAK);
            return wrapped.Size();
        });
    }
    if (hOld)
        ::SelectObject(dc.GetSafeHdc(), hOld);
    return size;
}

CSize COXBitmapButton::GetFitButtonSize()
{
    CSize image = GetImageSize();
    CSize text = GetTextSize(TRUE);
    bool hasImage = image.cx > 0 && image.cy > 0;
    bool hasText = text.cx > 0 && text.cy > 0;
    CSize imageBlock = hasImage ? CSize(image.cx + 10, image.cy + 10) : CSize(0, 0);
    // The caption with its margins, so that it is not cut when drawn.
    int textWidth = hasText ? text.cx + 14 : 0;
    CSize size;
    DWORD vert = GetVerticalAlignment();
    if (vert == BS_TOP || vert == BS_BOTTOM) {
        size.cx = std::max((int)imageBlock.cx, textWidth);
        size.cy = imageBlock.cy + text.cy + (hasImage ? 6 : 12);
        if (!hasImage && !hasText)
            size.cy = 12;
        if (size.cx == 0)
            size.cx = 14;
    } else {
        size.cx = imageBlock.cx + textWidth;
        size.cy = std::max((int)imageBlock.cy, (int)text.cy + 12);
        if (size.cx == 0)
            size.cx = 14;
    }
    size += GetArrowPartSize();
    return size;
}

void COXBitmapButton::SizeToContent()
{
    if (!GetSafeHwnd())
        return;
    CSize size = GetFitButtonSize();
    CRect before, after;
    GetWindowRect(&before);
    SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    GetWindowRect(&after);
    CWnd* pParent = GetParent();
    if (pParent) {
        CRect both;
        both.UnionRect(&before, &after);
        pParent->ScreenToClient(&both);
        pParent->InvalidateRect(&both);
    }
}

void COXBitmapButton::CalculateLayout(UINT nState, const CRect& rectContent, CRect& rectImage, CRect& rectText)
{
    LayoutRects(GetSafeHwnd() ? GetStyle() : 0, rectContent, GetImageSize(), GetTextSize(FALSE), rectImage,
                rectText);
    CSize shift(0, 0);
    if (nState & ODS_SELECTED)
        shift = m_pressedOffset;
    else if (m_dwCheckState & OXBB_STATE_CHECKED)
        shift = m_checkedOffset;
    else if (m_bHyperLook && IsWindowEnabled() && m_bMouseOver)
        shift = m_hoverOffset;
    if (!rectImage.IsRectEmpty())
        rectImage.OffsetRect(shift);
    if (!rectText.IsRectEmpty())
        rectText.OffsetRect(shift);
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

void COXBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pItemDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rectItem = lpDrawItemStruct->rcItem;
    CDC memDC;
    memDC.CreateCompatibleDC(pItemDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pItemDC, rectItem.Width(), rectItem.Height());
    CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
    // The font the caption was measured in.
    HFONT hFont = m_font.GetSafeHandle() ? (HFONT)m_font.GetSafeHandle() : (HFONT)SendMessage(WM_GETFONT);
    if (!hFont)
        hFont = (HFONT)::GetCurrentObject(lpDrawItemStruct->hDC, OBJ_FONT);
    HGDIOBJ hOldFont = ::SelectObject(memDC.GetSafeHdc(), hFont);
    CRect rect(0, 0, rectItem.Width(), rectItem.Height());

    UINT nState = lpDrawItemStruct->itemState;
    if (IsWindowEnabled())
        nState &= ~ODS_DISABLED;
    else
        nState |= ODS_DISABLED;

    CRect rectContent = rect;
    rectContent.right -= GetArrowPartSize().cx;
    CRect rectImage, rectText;
    CalculateLayout(nState, rectContent, rectImage, rectText);

    CPalette* pOldPalette = SelectPalette(&memDC, nState);
    DrawButtonFrame(&memDC, nState, rect);
    DrawImage(&memDC, nState, &m_imageList, rectImage);
    DrawText(&memDC, nState, GetText(), rectText);
    if (HasArrowPart())
        DrawDropDownArrow(&memDC, nState,
                          CRect(rectContent.right, rect.top - m_nArrowVerticalInset,
                                rectContent.right + GetArrowPartSize().cx, rect.bottom + m_nArrowVerticalInset));
    if (nState & ODS_FOCUS)
        DrawFocusMark(&memDC, nState, rect, rectImage, rectText);
    if (m_animateCtrl.GetSafeHwnd()) {
        m_animateCtrl.SetWindowPos(NULL, rectImage.left + 1, rectImage.top + 1, 0, 0,
                                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_animateCtrl.Invalidate();
    }

    CPalette* pItemOldPalette = NULL;
    if (m_palette.GetSafeHandle()) {
        pItemOldPalette = pItemDC->SelectPalette(&m_palette, FALSE);
        pItemDC->RealizePalette();
    }
    pItemDC->BitBlt(rectItem.left, rectItem.top, rectItem.Width(), rectItem.Height(), &memDC, 0, 0, SRCCOPY);
    RestorePalette(pItemDC, pItemOldPalette);
    RestorePalette(&memDC, pOldPalette);
    ::SelectObject(memDC.GetSafeHdc(), hOldFont);
    memDC.SelectObject(pOldBitmap);
}

CPalette* COXBitmapButton::SelectPalette(CDC* pDC, UINT nState)
{
    (void)nState;
    if (!m_palette.GetSafeHandle())
        return NULL;
    CPalette* pOld = pDC->SelectPalette(&m_palette, FALSE);
    pDC->RealizePalette();
    return pOld;
}

void COXBitmapButton::RestorePalette(CDC* pDC, CPalette* pOldPalette)
{
    if (pOldPalette)
        pDC->SelectPalette(pOldPalette, FALSE);
}

void COXBitmapButton::DrawButtonFrame(CDC* pDC, UINT nState, CRect rect)
{
    if (m_bHyperLook) {
        if (m_bBackgroundCaptured && m_background.GetSafeHandle())
            m_background.Draw(pDC, 0, rect.TopLeft(), ILD_NORMAL);
        else
            pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        return;
    }
    BOOL bDisabled = (nState & ODS_DISABLED) != 0;
    UINT frame;
    if (m_dwCheckState & OXBB_STATE_INDETERMINATE) {
        frame = DFCS_BUTTONPUSH | DFCS_PUSHED;
    } else if (m_dwCheckState & OXBB_STATE_CHECKED) {
        frame = ((m_bTrackLook && m_bMouseOver) || (m_dwStyleEx & OXBB_EX_DROPDOWN))
                    ? DFCS_BUTTONPUSH | DFCS_PUSHED
                    : DFCS_BUTTONPUSH | DFCS_CHECKED;
    } else if (nState & ODS_SELECTED) {
        frame = DFCS_BUTTONPUSH | DFCS_PUSHED;
    } else if (m_bTrackLook && (!m_bMouseOver || bDisabled)) {
        pDC->FillSolidRect(&rect, s_clrButtonFace);
        return;
    } else if (bDisabled) {
        frame = DFCS_BUTTONPUSH | DFCS_INACTIVE;
    } else {
        frame = DFCS_BUTTONPUSH;
        if ((nState & ODS_FOCUS) && !m_bTrackLook)
            rect.DeflateRect(1, 1);
    }
    pDC->DrawFrameControl(&rect, DFC_BUTTON, frame);
}

void COXBitmapButton::DrawImage(CDC* pDC, UINT nState, CImageList* pImageList, CRect rect)
{
    if (!pImageList || !pImageList->GetSafeHandle() || pImageList->GetImageCount() == 0 || rect.IsRectEmpty())
        return;
    int index = 0;
    if ((nState & ODS_DISABLED) && !m_bHyperLook)
        index = 2;
    else if ((m_bTrackLook && !m_bHyperLook && !m_bMouseOver && !(nState & ODS_SELECTED)) ||
             (m_dwCheckState & OXBB_STATE_INDETERMINATE))
        index = 1;
    if (index >= pImageList->GetImageCount())
        index = 0;
    pImageList->Draw(pDC, index, rect.TopLeft(), ILD_TRANSPARENT);
}

void COXBitmapButton::DrawText(CDC* pDC, UINT nState, CString sText, CRect rect)
{
    if (sText.IsEmpty() || rect.IsRectEmpty())
        return;
    DWORD horz = GetSafeHwnd() ? GetHorizontalAlignment() : BS_CENTER;
    UINT format = (horz == BS_LEFT ? DT_LEFT : horz == BS_RIGHT ? DT_RIGHT : DT_CENTER) | DT_VCENTER;
    // A wrapped caption is measured to its lines' advance widths; a last
    // glyph that reaches past its advance is not cut off.
    const BOOL bMultiline = GetSafeHwnd() && (GetStyle() & BS_MULTILINE);
    format |= bMultiline ? DT_WORDBREAK | DT_NOCLIP : DT_SINGLELINE;
    if (!bMultiline)
        rect = CaptionRect(pDC, sText, rect);
    pDC->SetBkMode(TRANSPARENT);
    if ((nState & ODS_DISABLED) && !m_bHyperLook) {
        CaptionDraw data = {sText, format};
        if (!::DrawState(pDC->GetSafeHdc(), NULL, DrawCaptionProc, (LPARAM)&data, 0, rect.left, rect.top,
                         rect.Width(), rect.Height(), DST_COMPLEX | DSS_DISABLED)) {
            CBrush brush(::GetSysColor(COLOR_GRAYTEXT));
            pDC->GrayString(&brush, NULL, (LPARAM)(LPCTSTR)sText, sText.GetLength(), rect.left, rect.top,
                            rect.Width(), rect.Height());
        }
        return;
    }
    COLORREF clr = m_textColor;
    if (m_dwCheckState & OXBB_STATE_INDETERMINATE)
        clr = ::GetSysColor(COLOR_BTNSHADOW);
    else if (m_bTrackLook && !m_bHyperLook && !m_bMouseOver)
        clr = RGB(0, 0, 0);
    pDC->SetTextColor(clr);
    pDC->DrawText(sText, &rect, format);
}

// The margins of a small button can leave less room than one line of its
// caption needs (a bitmap face is never smaller than its design size): the
// caption's rectangle then grows around its centre into the margins, up to the
// face inside the frame, instead of cutting letters and descenders off.
CRect COXBitmapButton::CaptionRect(CDC* pDC, const CString& sText, CRect rect)
{
    CRect needed(0, 0, 0, 0);
    pDC->DrawText(sText, &needed, DT_CALCRECT | DT_SINGLELINE);
    const int dx = std::max(0, needed.Width() - rect.Width()), dy = std::max(0, needed.Height() - rect.Height());
    if (dx == 0 && dy == 0)
        return rect;
    rect.InflateRect(dx / 2, dy / 2, dx - dx / 2, dy - dy / 2);
    if (GetSafeHwnd()) {
        CRect face;
        GetClientRect(&face);
        face.right -= GetArrowPartSize().cx;
        face.DeflateRect(2, 2);
        rect.IntersectRect(&rect, &face);
    }
    return rect;
}

void COXBitmapButton::DrawFocusMark(CDC* pDC, UINT nState, CRect rectItem, CRect rectImage, CRect rectText)
{
    if (m_bHyperLook) {
        CRect around = rectText.IsRectEmpty() ? rectImage : rectText;
        CPoint c = around.CenterPoint();
        CRect dot(c.x - m_focusDotSize.cx / 2, c.y - m_focusDotSize.cy / 2, 0, 0);
        dot.right = dot.left + m_focusDotSize.cx;
        dot.bottom = dot.top + m_focusDotSize.cy;
        HGDIOBJ hOldPen = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(BLACK_PEN));
        HGDIOBJ hOldBrush = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(HOLLOW_BRUSH));
        pDC->Ellipse(&dot);
        ::SelectObject(pDC->GetSafeHdc(), hOldBrush);
        ::SelectObject(pDC->GetSafeHdc(), hOldPen);
        return;
    }
    CRect focus = rectItem;
    focus.InflateRect(m_focusRectInflate);
    pDC->DrawFocusRect(&focus);
    if (m_bTrackLook || (m_dwCheckState & (OXBB_STATE_CHECKED | OXBB_STATE_INDETERMINATE)))
        return;
    CRect frame = rectItem;
    frame.InflateRect(m_defaultFrameInflate);
    ::FrameRect(pDC->GetSafeHdc(), &frame, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    if (nState & ODS_SELECTED) {
        frame.DeflateRect(1, 1);
        ::FrameRect(pDC->GetSafeHdc(), &frame, ::GetSysColorBrush(COLOR_BTNSHADOW));
    }
}

void COXBitmapButton::CreateArrowFont(CFont& font)
{
    LOGFONT lf = {};
    lf.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SYMBOL_CHARSET;
    strcpy(lf.lfFaceName, "Marlett");
    font.CreateFontIndirect(&lf);
}

int COXBitmapButton::GetDropDownArrowWidth()
{
    return MeasureDropDownArrowWidth();
}

int COXBitmapButton::MeasureDropDownArrowWidth()
{
    CFont font;
    CreateArrowFont(font);
    HDC hdc = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, font.GetSafeHandle());
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hdc, "6", 1, &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(NULL, hdc);
    return size.cx;
}

void COXBitmapButton::DrawDropDownArrow(CDC* pDC, UINT nState, CRect rect)
{
    if (!HasArrowPart())
        rect.SetRectEmpty();
    if (rect.IsRectEmpty())
        return;
    if (m_bShowSeparator && !(m_bTrackLook && !m_bMouseOver))
        pDC->Draw3dRect(rect.left - 3, rect.top, 2, rect.Height(), ::GetSysColor(COLOR_BTNSHADOW),
                        ::GetSysColor(COLOR_BTNHIGHLIGHT));
    rect.left -= 1;
    if (nState & ODS_SELECTED)
        rect.OffsetRect(m_pressedOffset);
    else if (m_dwCheckState & OXBB_STATE_CHECKED)
        rect.OffsetRect(m_checkedOffset);
    COLORREF clr = ::GetSysColor((nState & ODS_DISABLED) ? COLOR_BTNSHADOW : COLOR_BTNTEXT);
    BOOL bRight = (m_dwStyleEx & OXBB_EX_DROPDOWNRIGHT) != 0;
    CFont font;
    CreateArrowFont(font);
    HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), font.GetSafeHandle());
    char face[LF_FACESIZE] = "";
    ::GetTextFaceA(pDC->GetSafeHdc(), sizeof(face), face);
    if (_stricmp(face, "Marlett") == 0) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(clr);
        // The symbol font's "4" is its right-pointing triangle; its "8" is a
        // cross in some versions of the font.
        pDC->DrawText(bRight ? "4" : "6", &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        // Without the symbol font the digit would show: the arrow is drawn.
        CPoint c = rect.CenterPoint();
        POINT pts[3];
        if (bRight) {
            pts[0] = {c.x - 1, c.y - 3};
            pts[1] = {c.x - 1, c.y + 3};
            pts[2] = {c.x + 2, c.y};
        } else {
            pts[0] = {c.x - 3, c.y - 1};
            pts[1] = {c.x + 3, c.y - 1};
            pts[2] = {c.x, c.y + 2};
        }
        CBrush brush(clr);
        CPen pen(PS_SOLID, 1, clr);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->Polygon(pts, 3);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    }
    ::SelectObject(pDC->GetSafeHdc(), hOld);
}

// ---------------------------------------------------------------------------
// Clicks, toggles and drop-downs
// ---------------------------------------------------------------------------

BOOL COXBitmapButton::OnClicked()
{
    CWnd* pParent = GetParent();
    UINT id = (UINT)GetDlgCtrlID();
    if (m_dwStyleEx & OXBB_EX_DROPDOWN) {
        NMHDR nm = {GetSafeHwnd(), id, OXBBN_DROPDOWN};
        if (!pParent || pParent->SendMessage(WM_NOTIFY, id, (LPARAM)&nm) == 0)
            OnDropDown();
        StepCheckState();
        RedrawNow();
    }
    if (m_dwStyleEx & OXBB_EX_TOGGLE) {
        NMHDR nm = {GetSafeHwnd(), id, OXBBN_TOGGLE};
        if (!pParent || pParent->SendMessage(WM_NOTIFY, id, (LPARAM)&nm) == 0)
            OnToggle();
    }
    return FALSE;
}

BOOL COXBitmapButton::OnReflectClicked()
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    return OnClicked();
}

BOOL COXBitmapButton::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

BOOL COXBitmapButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// Hover tracking
// ---------------------------------------------------------------------------

void COXBitmapButton::HoverTest(CPoint ptScreen)
{
    if (!m_bTrackLook && !m_animateCtrl.GetSafeHwnd())
        return;
    BOOL bIndeterminate = (m_dwCheckState & OXBB_STATE_INDETERMINATE) != 0;
    CRect rect;
    GetWindowRect(&rect);
    if (rect.PtInRect(ptScreen) && IsWindowEnabled()) {
        if (!m_bButtonHeld && GetCapture() != this)
            SetCapture();
        if (m_bTrackLook && !m_bMouseOver && !(GetFocus() == this && bIndeterminate))
            Invalidate();
        m_bMouseOver = TRUE;
        if (m_animateCtrl.GetSafeHwnd() && !m_bAnimationPlaying) {
            m_animateCtrl.Play(0, (UINT)-1, 1);
            m_bAnimationPlaying = TRUE;
        }
    } else {
        if (!m_bButtonHeld && GetCapture() == this)
            ReleaseCapture();
        if (m_bTrackLook && m_bMouseOver && !bIndeterminate)
            Invalidate();
        m_bMouseOver = FALSE;
        m_bAnimationPlaying = FALSE;
    }
}

void COXBitmapButton::LeaveCheck()
{
    if ((m_bTrackLook || m_animateCtrl.GetSafeHwnd()) && m_bMouseOver && GetCapture() != this) {
        m_bMouseOver = FALSE;
        if (m_bTrackLook && !(m_dwCheckState & OXBB_STATE_INDETERMINATE))
            Invalidate();
        PostMessage(WM_OXBB_CHECKHOVER);
    }
}

LRESULT COXBitmapButton::OnCheckHover(WPARAM, LPARAM)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    HoverTest(pt);
    return 0;
}

void COXBitmapButton::OnMouseMove(UINT, CPoint point)
{
    if (!IsWindowEnabled())
        return;
    ClientToScreen(&point);
    HoverTest(point);
    Default();
}

void COXBitmapButton::OnLButtonDown(UINT, CPoint)
{
    if (!IsWindowEnabled())
        return;
    m_bButtonHeld = TRUE;
    Default();
    LeaveCheck();
}

void COXBitmapButton::OnLButtonUp(UINT, CPoint point)
{
    if (!IsWindowEnabled())
        return;
    CRect rect;
    GetClientRect(&rect);
    if (rect.PtInRect(point) && (GetState() & BST_PUSHED))
        StepCheckState();
    Default();
    m_bButtonHeld = FALSE;
    if (::IsWindow(m_hWnd))
        LeaveCheck();
}

void COXBitmapButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!IsWindowEnabled())
        return;
    SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
    Default();
}

void COXBitmapButton::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (!IsWindowEnabled())
        return;
    if (nChar == VK_RETURN)
        StepCheckState();
    Default();
}

void COXBitmapButton::OnKeyUp(UINT nChar, UINT, UINT)
{
    if (!IsWindowEnabled())
        return;
    if (nChar == VK_SPACE)
        StepCheckState();
    Default();
    if (::IsWindow(m_hWnd))
        LeaveCheck();
}

void COXBitmapButton::OnSysKeyDown(UINT, UINT, UINT)
{
    if (IsWindowEnabled())
        Default();
}

void COXBitmapButton::OnSysKeyUp(UINT, UINT, UINT)
{
    if (!IsWindowEnabled())
        return;
    Default();
    LeaveCheck();
}

void COXBitmapButton::OnKillFocus(CWnd*)
{
    if (IsWindowEnabled())
        Default();
}

void COXBitmapButton::OnMButtonUp(UINT, CPoint)
{
    if (!IsWindowEnabled())
        return;
    Default();
    LeaveCheck();
}

void COXBitmapButton::OnEnable(BOOL)
{
    Default();
    LeaveCheck();
}

BOOL COXBitmapButton::OnSetCursor(CWnd*, UINT, UINT)
{
    HCURSOR h = IsWindowEnabled() ? m_hNormalCursor : m_hDisabledCursor;
    if (h) {
        ::SetCursor(h);
        return TRUE;
    }
    return (BOOL)Default();
}

// ---------------------------------------------------------------------------
// Hyperlink look: the parent's pixels under the button
// ---------------------------------------------------------------------------

void COXBitmapButton::CaptureBackground()
{
    CWnd* pParent = GetParent();
    if (!pParent)
        return;
    CRect rect;
    GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    CClientDC parentDC(pParent);
    CDC memDC;
    memDC.CreateCompatibleDC(&parentDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&parentDC, rect.Width(), rect.Height());
    CBitmap* pOld = memDC.SelectObject(&bitmap);
    if (pParent->IsWindowVisible() && !(pParent->GetStyle() & WS_CLIPCHILDREN)) {
        memDC.BitBlt(0, 0, rect.Width(), rect.Height(), &parentDC, rect.left, rect.top, SRCCOPY);
    } else {
        // A parent not yet on the screen, or one that never paints under its
        // children, has no pixels there to copy: it paints them for us.
        memDC.SetViewportOrg(-rect.left, -rect.top);
        pParent->SendMessage(WM_ERASEBKGND, (WPARAM)memDC.GetSafeHdc());
        pParent->SendMessage(WM_PRINTCLIENT, (WPARAM)memDC.GetSafeHdc(), PRF_CLIENT);
        memDC.SetViewportOrg(0, 0);
    }
    memDC.SelectObject(pOld);
    m_background.DeleteImageList();
    if (m_background.Create(rect.Width(), rect.Height(), ILC_COLORDDB, 0, 1)) {
        m_background.Add(&bitmap, (CBitmap*)NULL);
        m_bBackgroundCaptured = TRUE;
    }
}

void COXBitmapButton::RefreshBackground()
{
    m_background.DeleteImageList();
    m_bBackgroundCaptured = FALSE;
    if (!IsWindowVisible())
        return;
    // Hidden and shown again, the parent repaints what lies under the button
    // and the next erase takes it anew.
    CWnd* pFocus = GetFocus();
    ShowWindow(SW_HIDE);
    GetParent()->UpdateWindow();
    ShowWindow(SW_SHOWNA);
    if (pFocus == this)
        SetFocus();
}

BOOL COXBitmapButton::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    if (!m_bHyperLook)
        return (BOOL)Default();
    if (!m_bBackgroundCaptured)
        CaptureBackground();
    return TRUE;
}

void COXBitmapButton::OnSize(UINT nType, int cx, int cy)
{
    CButton::OnSize(nType, cx, cy);
    if (m_bHyperLook)
        RefreshBackground();
    if (m_toolTip.GetSafeHwnd())
        UpdateToolTipTool();
}

void COXBitmapButton::OnMove(int x, int y)
{
    CButton::OnMove(x, y);
    if (m_bHyperLook)
        RefreshBackground();
}

void COXBitmapButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    s_clrButtonFace = ::GetSysColor(COLOR_BTNFACE);
    Invalidate();
}
