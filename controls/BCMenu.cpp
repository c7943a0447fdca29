// BCMenu: item records, building and re-synchronising the Windows menu, and
// the owner-draw measuring and painting of its items.
#include "BCMenu.h"
#include <commctrl.h>
#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <cwctype>
#include <string>

IMPLEMENT_DYNAMIC(BCMenu, CMenu)

int BCMenu::m_nClassicDrawMode = 0;
int BCMenu::m_nXpDrawMode = 1;
BOOL BCMenu::m_bClassicSelectDisabled = TRUE;
BOOL BCMenu::m_bXpSelectDisabled = FALSE;
BOOL BCMenu::m_bXpThreeDImages = TRUE;
BOOL BCMenu::m_bSelectAccelSpacing = TRUE;
BOOL BCMenu::m_bAlignAccelSpacing = TRUE;
int BCMenu::m_iconX = 16;
int BCMenu::m_iconY = 15;
BOOL BCMenu::m_bHighColor = FALSE;
std::vector<HMENU> BCMenu::s_AllSubMenus;

namespace
{

// Process-wide look: the version code is taken at start-up, the theme on
// first use; neither is looked at again.
int g_nWinVer = BCMenu::GetWindowsVersionCode();
int g_nClassicTheme = -1;   // -1: not read yet

// The class-wide image list and the command each of its images belongs to.
CImageList* g_pGlobalImages = nullptr;
std::vector<UINT> g_GlobalIds;

std::wstring ToWide(LPCSTR s)
{
    if (s == NULL)
        return std::wstring();
    int n = ::MultiByteToWideChar(CP_ACP, 0, s, -1, NULL, 0);
    std::wstring w(n > 0 ? n : 1, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, s, -1, &w[0], n);
    w.resize(wcslen(w.c_str()));
    return w;
}

std::wstring Lower(std::wstring s)
{
    for (wchar_t& c : s)
        c = (wchar_t)towlower(c);
    return s;
}

// The system's menu font. The structure's size must be one the running system
// knows: older systems refuse the size with the padded-border field.
BOOL GetMenuLogFont(LOGFONTA& lf)
{
    NONCLIENTMETRICSA ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) {
        ncm.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
        if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
            return FALSE;
    }
    lf = ncm.lfMenuFont;
    return TRUE;
}

HFONT CreateMenuFont()
{
    LOGFONTA lf;
    if (!GetMenuLogFont(lf))
        return NULL;
    return ::CreateFontIndirectA(&lf);
}

int TextWidth(HDC hdc, const std::wstring& s)
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(hdc, s.c_str(), (int)s.size(), &size);
    return size.cx;
}

void FillSolid(HDC hdc, const RECT& rc, COLORREF clr)
{
    HBRUSH br = ::CreateSolidBrush(clr);
    ::FillRect(hdc, &rc, br);
    ::DeleteObject(br);
}

void Frame(HDC hdc, const RECT& rc, COLORREF clr)
{
    HBRUSH br = ::CreateSolidBrush(clr);
    ::FrameRect(hdc, &rc, br);
    ::DeleteObject(br);
}

// The colour a pixel of the 3-D face colour reads back as on this display:
// pixels are compared as the display stores them.
COLORREF DisplayFaceColour(HDC hdcMem)
{
    HBITMAP bmp = ::CreateCompatibleBitmap(hdcMem, 2, 2);
    HDC dc = ::CreateCompatibleDC(hdcMem);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    RECT rc = {0, 0, 2, 2};
    FillSolid(dc, rc, ::GetSysColor(COLOR_3DFACE));
    COLORREF c = ::GetPixel(dc, 1, 1);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bmp);
    return c;
}

enum ImageForm { kFaded, kShadow, kDisabled };

// A bitmap of the image size holding one image of a list over the 3-D face,
// turned into one of its forms pixel by pixel.
HBITMAP MakeImageForm(HIMAGELIST hList, int nIndex, int form, COLORREF clrDisabledBack)
{
    HDC screen = ::GetDC(NULL);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, BCMenu::m_iconX, BCMenu::m_iconY);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    RECT rc = {0, 0, BCMenu::m_iconX, BCMenu::m_iconY};
    FillSolid(dc, rc, ::GetSysColor(COLOR_3DFACE));
    ::ImageList_Draw(hList, nIndex, dc, 0, 0, ILD_TRANSPARENT);
    COLORREF face = DisplayFaceColour(dc);
    COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    if (form == kShadow && !BCMenu::IsXpLookAvailable())
        shadow = BCMenu::LightenColor(shadow, 0.49);
    for (int y = 0; y < BCMenu::m_iconY; ++y) {
        for (int x = 0; x < BCMenu::m_iconX; ++x) {
            COLORREF c = ::GetPixel(dc, x, y);
            if (c == face) {
                if (form == kDisabled && clrDisabledBack != 0)
                    ::SetPixel(dc, x, y, clrDisabledBack);
                continue;
            }
            if (form == kFaded) {
                ::SetPixel(dc, x, y, BCMenu::LightenColor(c, 0.3));
            } else if (form == kShadow) {
                ::SetPixel(dc, x, y, shadow);
            } else {
                int avg = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
                ::SetPixel(dc, x, y, BCMenu::LightenColor(shadow, avg / 255.0));
            }
        }
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(NULL, screen);
    return bmp;
}

// Appends the faded, shadow and disabled forms of one image to a list, or,
// with nReplaceAt >= 0, puts them over the three images from that index.
void AddThreeDForms(CImageList* pDest, HIMAGELIST hSource, int nIndex, int nReplaceAt = -1)
{
    const int forms[3] = {kFaded, kShadow, kDisabled};
    for (int i = 0; i < 3; ++i) {
        HBITMAP bmp = MakeImageForm(hSource, nIndex, forms[i], 0);
        if (nReplaceAt >= 0) {
            ::ImageList_Remove(pDest->m_hImageList, nReplaceAt + i);
            int added = ::ImageList_AddMasked(pDest->m_hImageList, bmp, ::GetSysColor(COLOR_3DFACE));
            // Move the new image back to its place: ImageList_Copy swaps.
            for (int k = added; k > nReplaceAt + i; --k)
                ::ImageList_Copy(pDest->m_hImageList, k, pDest->m_hImageList, k - 1, ILCF_SWAP);
        } else {
            ::ImageList_AddMasked(pDest->m_hImageList, bmp, ::GetSysColor(COLOR_3DFACE));
        }
        ::DeleteObject(bmp);
    }
}

BOOL UseThreeD()
{
    return BCMenu::GetActiveDrawMode() == 1 && BCMenu::m_bXpThreeDImages;
}

// The buttons of a tool-bar resource: (command, image number); separators are
// kept with command 0 so that a button's index is its position. The resource
// is WORD version 1, width, height, count and a WORD id per item; windres
// writes DWORD width, height, count and ids with no version: both are read.
BOOL ReadToolBar(UINT nID, std::vector<std::pair<UINT, int>>& buttons)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID), RT_TOOLBAR);
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCE(nID), RT_TOOLBAR);
    if (hRes == NULL)
        return FALSE;
    const BYTE* pData = (const BYTE*)::LockResource(::LoadResource(hInst, hRes));
    DWORD cb = ::SizeofResource(hInst, hRes);
    if (pData == NULL)
        return FALSE;
    std::vector<UINT> ids;
    const WORD* pw = (const WORD*)pData;
    const DWORD* pdw = (const DWORD*)pData;
    if (cb >= 8 && pw[0] == 1 && pw[1] != 0 && cb >= 8u + 2u * pw[3]) {
        for (WORD i = 0; i < pw[3]; ++i)
            ids.push_back(pw[4 + i]);
    } else if (cb >= 12 && pdw[0] != 0 && pdw[2] < 0x10000 && cb >= 12u + 4u * pdw[2]) {
        for (DWORD i = 0; i < pdw[2]; ++i)
            ids.push_back(pdw[3 + i]);
    } else {
        return FALSE;
    }
    int nImage = 0;
    for (UINT id : ids)
        buttons.push_back({id, id != 0 ? nImage++ : -1});
    return TRUE;
}

}  // namespace

// ---------------------------------------------------------------------------
// BCMenuData
// ---------------------------------------------------------------------------
BCMenuData::~BCMenuData()
{
    delete[] m_szText;
    delete m_pImages;
}

void BCMenuData::SetWideString(const wchar_t* szWideString)
{
    delete[] m_szText;
    m_szText = nullptr;
    if (szWideString != NULL) {
        size_t n = wcslen(szWideString);
        m_szText = new wchar_t[n + 1];
        wcscpy(m_szText, szWideString);
    }
}

void BCMenuData::SetAnsiString(LPCSTR szAnsiString)
{
    SetWideString(szAnsiString != NULL ? ToWide(szAnsiString).c_str() : NULL);
}

CString BCMenuData::GetString() const
{
    CString s;
    if (m_szText != NULL) {
        int n = ::WideCharToMultiByte(CP_ACP, 0, m_szText, -1, NULL, 0, NULL, NULL);
        if (n > 0) {
            ::WideCharToMultiByte(CP_ACP, 0, m_szText, -1, s.GetBuffer(n), n, NULL, NULL);
            s.ReleaseBuffer();
        }
    }
    return s;
}

// ---------------------------------------------------------------------------
// BCMenuMemDC
// ---------------------------------------------------------------------------
BCMenuMemDC::BCMenuMemDC(CDC* pDC, const CRect& rect) : m_pDC(pDC), m_rect(rect)
{
    m_bMemDC = !pDC->IsPrinting();
    if (m_bMemDC) {
        CreateCompatibleDC(pDC);
        m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height());
        m_pOldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        m_bPrinting = pDC->m_bPrinting;
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
    }
}

BCMenuMemDC::~BCMenuMemDC()
{
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                      SRCCOPY);
        SelectObject(m_pOldBitmap);
    } else {
        m_hDC = m_hAttribDC = NULL;
    }
}

// ---------------------------------------------------------------------------
// Class-wide state
// ---------------------------------------------------------------------------
int BCMenu::VersionCodeFor(DWORD dwPlatformId, DWORD dwMajor, DWORD dwMinor)
{
    if (dwPlatformId != VER_PLATFORM_WIN32_NT) {
        if (dwMajor < 4)
            return 0;
        if (dwMajor == 4 && dwMinor == 10)
            return 3;
        if (dwMajor == 4 && dwMinor == 90)
            return 4;
        return 2;
    }
    if (dwMajor == 4)
        return 5;
    if (dwMajor == 5 && dwMinor == 0)
        return 6;
    if (dwMajor == 5 && dwMinor == 1)
        return 7;
    return 1;
}

int BCMenu::GetWindowsVersionCode()
{
    OSVERSIONINFOA vi;
    memset(&vi, 0, sizeof(vi));
    vi.dwOSVersionInfoSize = sizeof(vi);
    if (!::GetVersionExA(&vi))
        return 1;
    return VersionCodeFor(vi.dwPlatformId, vi.dwMajorVersion, vi.dwMinorVersion);
}

BOOL BCMenu::IsClassicThemeFile(LPCSTR lpszThemeFile)
{
    static const char kClassic[] = "Windows Classic.theme";
    size_t n = lpszThemeFile != NULL ? strlen(lpszThemeFile) : 0, k = sizeof(kClassic) - 1;
    return n >= k && lstrcmpiA(lpszThemeFile + n - k, kClassic) == 0;
}

BOOL BCMenu::ReadClassicTheme()
{
    BOOL bClassic = FALSE;
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, KEY_READ, &hKey) ==
        ERROR_SUCCESS) {
        char buf[261] = {0};
        DWORD cb = 260, type = 0;
        if (::RegQueryValueExA(hKey, NULL, NULL, &type, (BYTE*)buf, &cb) == ERROR_SUCCESS)
            bClassic = IsClassicThemeFile(buf);
        ::RegCloseKey(hKey);
    }
    return bClassic;
}

// Read once: a theme change while the program runs is not seen.
BOOL BCMenu::IsClassicTheme()
{
    if (g_nClassicTheme < 0)
        g_nClassicTheme = ReadClassicTheme() ? 1 : 0;
    return g_nClassicTheme == 1;
}

void BCMenu::SetWindowsLook(int nVersionCode, BOOL bClassicTheme)
{
    g_nWinVer = nVersionCode;
    g_nClassicTheme = bClassicTheme ? 1 : 0;
}

BOOL BCMenu::IsXpLookAvailable()
{
    return g_nWinVer == 7 && !IsClassicTheme();
}

int BCMenu::GetActiveDrawMode()
{
    return IsXpLookAvailable() ? m_nXpDrawMode : m_nClassicDrawMode;
}

COLORREF BCMenu::LightenColor(COLORREF col, double factor)
{
    if (factor <= 0.0 || factor > 1.0)
        return col;
    auto up = [factor](int c) { return (BYTE)(c + factor * (255 - c)); };
    return RGB(up(GetRValue(col)), up(GetGValue(col)), up(GetBValue(col)));
}

COLORREF BCMenu::DarkenColor(COLORREF col, double factor)
{
    if (factor <= 0.0 || factor > 1.0)
        return col;
    auto down = [factor](int c) { return (BYTE)(c - factor * c); };
    return RGB(down(GetRValue(col)), down(GetGValue(col)), down(GetBValue(col)));
}

BOOL BCMenu::IsKnownMenuHandle(HMENU hMenu)
{
    for (HMENU h : s_AllSubMenus)
        if (h == hMenu)
            return TRUE;
    return FALSE;
}

// ---------------------------------------------------------------------------
// Building
// ---------------------------------------------------------------------------
BCMenu::BCMenu()
{
}

BCMenu::~BCMenu()
{
    DestroyMenu();
}

BCMenu* BCMenu::MakeChild()
{
    BCMenu* pSub = new BCMenu;
    pSub->m_pCheckImages = m_pCheckImages;
    pSub->m_bSharedCheckImages = TRUE;
    pSub->m_nSelectedCheckId = m_nSelectedCheckId;
    pSub->m_nUnselectedCheckId = m_nUnselectedCheckId;
    pSub->CreatePopupMenu();
    return pSub;
}

BCMenuData* BCMenu::NewRecord(UINT nFlags, UINT_PTR nID, const wchar_t* lpszText)
{
    BCMenuData* pData = new BCMenuData;
    pData->m_nFlags = nFlags;
    pData->m_nID = nID;
    pData->SetWideString(lpszText != NULL ? lpszText : L"");
    return pData;
}

BOOL BCMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    HRSRC hRes = ::FindResourceA(hInst, lpszResourceName, RT_MENU);
    if (hRes == NULL) {
        hInst = ::GetModuleHandleA(NULL);
        hRes = ::FindResourceA(hInst, lpszResourceName, RT_MENU);
    }
    if (hRes == NULL)
        return FALSE;
    const BYTE* pTemplate = (const BYTE*)::LockResource(::LoadResource(hInst, hRes));
    if (pTemplate == NULL)
        return FALSE;

    DestroyMenu();
    if (!CreateMenu())
        return FALSE;

    const WORD* p = (const WORD*)(pTemplate + 4 + ((const WORD*)pTemplate)[1]);
    std::vector<BCMenu*> stack{this};
    std::vector<BOOL> ended{FALSE};
    while (!stack.empty()) {
        UINT flags = *p++;
        UINT id = 0;
        if (!(flags & MF_POPUP))
            id = *p++;
        const wchar_t* text = (const wchar_t*)p;
        p += wcslen(text) + 1;
        BOOL bEnd = (flags & MF_END) != 0;
        flags &= ~MF_END;
        if (flags & MF_POPUP) {
            BCMenu* pSub = stack.back()->MakeChild();
            stack.back()->AppendItem(flags, (UINT_PTR)pSub->m_hMenu, text);
            if (bEnd)
                ended.back() = TRUE;
            stack.push_back(pSub);
            ended.push_back(FALSE);
        } else {
            stack.back()->AppendItem(flags, id, text);
            if (bEnd)
                ended.back() = TRUE;
            while (!stack.empty() && ended.back()) {
                stack.back()->AlignAccelerators();
                stack.pop_back();
                ended.pop_back();
            }
        }
    }

    // The menu bar shows plain text; only the pop-ups draw themselves.
    for (int i = 0; i < m_MenuList.GetSize(); ++i) {
        BCMenuData* pData = m_MenuList[i];
        if (pData->m_nFlags & MF_POPUP) {
            pData->m_nFlags = MF_BYPOSITION | MF_POPUP;
            ::ModifyMenuW(m_hMenu, i, pData->m_nFlags, pData->m_nID, pData->m_szText);
        } else {
            pData->m_nFlags = MF_BYPOSITION;
            ::ModifyMenuW(m_hMenu, i, pData->m_nFlags, pData->m_nID, pData->m_szText);
        }
    }
    m_bFromResource = TRUE;
    return TRUE;
}

// Pads the text before the tab of every item until all accelerators start at
// one column, in the font the menu is drawn with.
void BCMenu::AlignAccelerators()
{
    if (!(GetActiveDrawMode() == 0 || (m_bSelectAccelSpacing && m_bAlignAccelSpacing)))
        return;
    HFONT hFont = CreateMenuFont();
    HDC hdc = ::GetDC(NULL);
    HGDIOBJ old = hFont != NULL ? ::SelectObject(hdc, hFont) : NULL;
    int maxWidth = 0;
    for (int i = 0; i < m_MenuList.GetSize(); ++i) {
        std::wstring text = m_MenuList[i]->m_szText ? m_MenuList[i]->m_szText : L"";
        size_t tab = text.find(L'\t');
        std::wstring before = text.substr(0, tab) + L" ";
        maxWidth = std::max(maxWidth, TextWidth(hdc, before));
    }
    for (int i = 0; i < m_MenuList.GetSize(); ++i) {
        std::wstring text = m_MenuList[i]->m_szText ? m_MenuList[i]->m_szText : L"";
        size_t tab = text.find(L'\t');
        if (tab == std::wstring::npos)
            continue;
        std::wstring before = text.substr(0, tab);
        while (TextWidth(hdc, before) < maxWidth)
            before += L' ';
        m_MenuList[i]->SetWideString((before + text.substr(tab)).c_str());
    }
    if (old != NULL)
        ::SelectObject(hdc, old);
    ::ReleaseDC(NULL, hdc);
    if (hFont != NULL)
        ::DeleteObject(hFont);
}

BOOL BCMenu::AppendItem(UINT nFlags, UINT_PTR nID, LPCSTR lpszText, int nIconNormal)
{
    return AppendItem(nFlags, nID, ToWide(lpszText).c_str(), nIconNormal);
}

BOOL BCMenu::AppendItem(UINT nFlags, UINT_PTR nID, LPCSTR lpszText, CImageList* pImages, int nOffset)
{
    return AppendItem(nFlags, nID, ToWide(lpszText).c_str(), pImages, nOffset);
}

BOOL BCMenu::AppendItem(UINT nFlags, UINT_PTR nID, LPCSTR lpszText, CBitmap* pBitmap)
{
    CImageList list;
    list.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 1);
    COLORREF mask = m_bBitmapBackground ? m_clrBitmapBackground : ::GetSysColor(COLOR_3DFACE);
    if (pBitmap == NULL || list.Add(pBitmap, mask) < 0)
        return AppendItem(nFlags, nID, lpszText);
    return AppendItem(nFlags, nID, lpszText, &list, 0);
}

BOOL BCMenu::AppendItem(UINT nFlags, UINT_PTR nID, const wchar_t* lpszText, int nIconNormal)
{
    return InsertItem((UINT)-1, nFlags | MF_BYPOSITION, nID, lpszText, nIconNormal);
}

BOOL BCMenu::AppendItem(UINT nFlags, UINT_PTR nID, const wchar_t* lpszText, CImageList* pImages, int nOffset)
{
    return InsertItem((UINT)-1, nFlags | MF_BYPOSITION, nID, lpszText, pImages, nOffset);
}

BOOL BCMenu::InsertItem(UINT nPosition, UINT nFlags, UINT_PTR nID, LPCSTR lpszText, int nIconNormal)
{
    return InsertItem(nPosition, nFlags, nID, ToWide(lpszText).c_str(), nIconNormal);
}

BCMenu* BCMenu::AppendPopup(LPCSTR lpszText)
{
    BCMenu* pSub = MakeChild();
    AppendItem(MF_POPUP, (UINT_PTR)pSub->m_hMenu, lpszText);
    return pSub;
}

// Separators become owner-drawn separators whatever flags came with them;
// every other item is owner-drawn. A pop-up's handle joins the class-wide list.
static UINT OwnerDrawFlags(UINT nFlags, UINT_PTR nID)
{
    if (nID == 0)
        return MF_SEPARATOR | MF_OWNERDRAW | (nFlags & MF_BYPOSITION);
    return nFlags | MF_OWNERDRAW;
}

BOOL BCMenu::InsertItem(UINT nPosition, UINT nFlags, UINT_PTR nID, const wchar_t* lpszText, int nIconNormal)
{
    return InsertRecord(nPosition, nFlags, nID, lpszText, nIconNormal, NULL, 0);
}

BOOL BCMenu::InsertItem(UINT nPosition, UINT nFlags, UINT_PTR nID, const wchar_t* lpszText, CImageList* pImages,
                        int nOffset)
{
    return InsertRecord(nPosition, nFlags, nID, lpszText, -1, pImages, nOffset);
}

// Inserting by position (or at the end) in this menu; by command, before the
// command in the menu that holds it. The image is a resource id, or an image
// list and offset copied into the record's own list, or none (the command's
// class-wide image, if it has one).
BOOL BCMenu::InsertRecord(UINT nPosition, UINT nFlags, UINT_PTR nID, const wchar_t* lpszText, int nIconNormal,
                          CImageList* pImages, int nOffset)
{
    if (!(nFlags & MF_BYPOSITION)) {
        int pos = 0;
        BCMenu* pOwner = FindCommand(nPosition, pos);
        if (pOwner == NULL)
            return FALSE;
        return pOwner->InsertRecord((UINT)pos, nFlags | MF_BYPOSITION, nID, lpszText, nIconNormal, pImages, nOffset);
    }
    UINT nRealFlags = OwnerDrawFlags(nFlags, nID);
    if (nRealFlags & MF_POPUP) {
        s_AllSubMenus.push_back((HMENU)nID);
        m_SubMenus.Add((HMENU)nID);
    }
    BCMenuData* pData = NewRecord(nRealFlags, nID, lpszText);
    int nCount = (int)::GetMenuItemCount(m_hMenu);
    BOOL bAppend = (int)nPosition < 0 || (int)nPosition >= nCount;
    int nIndex = (int)m_MenuList.GetSize();
    if (!bAppend)
        nIndex = std::min(std::max((int)nPosition - MenuStart(), 0), (int)m_MenuList.GetSize());
    m_MenuList.InsertAt(nIndex, pData);

    BOOL bCommand = nID != 0 && !(nRealFlags & MF_POPUP);
    if (pImages != NULL) {
        MakeOwnImages(pData, pImages, nOffset);
    } else if (nIconNormal >= 0 && bCommand) {
        int nGlobal = -1;
        if (ImageForResource((UINT)nIconNormal, (UINT)nID, nGlobal))
            pData->m_nGlobalOffset = nGlobal;
    } else if (bCommand) {
        pData->m_nGlobalOffset = GlobalImageOf((UINT)nID);
    }

    BOOL ok;
    if (bAppend)
        ok = ::AppendMenuW(m_hMenu, nRealFlags & ~MF_BYPOSITION, nID, (LPCWSTR)pData);
    else
        ok = ::InsertMenuW(m_hMenu, nPosition, nRealFlags, nID, (LPCWSTR)pData);
    if (m_bFromResource && pImages == NULL)
        RestoreResourceTopLevel();
    return ok;
}

// The position of the first record in the Windows menu: a frame may have put
// items of its own in front of a loaded menu bar.
int BCMenu::MenuStart() const
{
    if (!m_bFromResource)
        return 0;
    int nCount = ::GetMenuItemCount(m_hMenu);
    for (int pos = 0; pos < nCount; ++pos) {
        wchar_t buf[256] = {0};
        if (::GetMenuStringW(m_hMenu, pos, buf, 255, MF_BYPOSITION) <= 0)
            continue;
        for (int i = 0; i < m_MenuList.GetSize(); ++i)
            if (m_MenuList[i]->m_szText && wcscmp(m_MenuList[i]->m_szText, buf) == 0)
                return pos - i;
    }
    return 0;
}

void BCMenu::RestoreResourceTopLevel()
{
    int start = MenuStart();
    for (int i = 0; i < m_MenuList.GetSize(); ++i) {
        BCMenuData* pData = m_MenuList[i];
        if (pData->m_nFlags & MF_POPUP) {
            pData->m_nFlags = MF_BYPOSITION | MF_POPUP;
            ::ModifyMenuW(m_hMenu, start + i, pData->m_nFlags, pData->m_nID, pData->m_szText);
        }
    }
}

// ---------------------------------------------------------------------------
// Images
// ---------------------------------------------------------------------------
BOOL BCMenu::AddBitmapToImageList(CImageList* pList, UINT nResourceId)
{
    if (m_bIconHandles)
        return pList->Add((HICON)(UINT_PTR)nResourceId) >= 0;
    COLORREF mask = m_bBitmapBackground ? m_clrBitmapBackground : ::GetSysColor(COLOR_3DFACE);
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nResourceId), RT_BITMAP);
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCE(nResourceId), RT_BITMAP);
    if (hRes == NULL)
        return FALSE;
    const BITMAPINFOHEADER* pbih = (const BITMAPINFOHEADER*)::LockResource(::LoadResource(hInst, hRes));
    if (pbih == NULL)
        return FALSE;
    BOOL bPalette = pbih->biBitCount <= 8;
    HBITMAP hbm;
    if (bPalette) {
        hbm = (HBITMAP)::LoadImageA(hInst, MAKEINTRESOURCE(nResourceId), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    } else {
        hbm = (HBITMAP)::LoadImageA(hInst, MAKEINTRESOURCE(nResourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        if (hbm == NULL)
            return FALSE;
        m_bHighColor = TRUE;
        // Full-colour images mark their background with light grey.
        BITMAP bm;
        ::GetObject(hbm, sizeof(bm), &bm);
        HDC dc = ::CreateCompatibleDC(NULL);
        HGDIOBJ old = ::SelectObject(dc, hbm);
        COLORREF face = ::GetSysColor(COLOR_3DFACE);
        for (int y = 0; y < bm.bmHeight; ++y)
            for (int x = 0; x < bm.bmWidth; ++x)
                if (::GetPixel(dc, x, y) == RGB(192, 192, 192))
                    ::SetPixel(dc, x, y, face);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
    }
    if (hbm == NULL)
        return FALSE;
    int n = ::ImageList_AddMasked(pList->m_hImageList, hbm, mask);
    ::DeleteObject(hbm);
    return n >= 0;
}

BOOL BCMenu::MakeOwnImages(BCMenuData* pData, CImageList* pImages, int nOffset)
{
    delete pData->m_pImages;
    pData->m_pImages = new CImageList;
    pData->m_pImages->Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 4);
    HICON hIcon = pImages->ExtractIcon(nOffset);
    if (hIcon == NULL) {
        delete pData->m_pImages;
        pData->m_pImages = nullptr;
        return FALSE;
    }
    pData->m_pImages->Add(hIcon);
    ::DestroyIcon(hIcon);
    if (UseThreeD())
        AddThreeDForms(pData->m_pImages, pImages->m_hImageList, nOffset);
    pData->m_nIconNormal = 0;
    pData->m_nImageOffset = 0;
    pData->m_nGlobalOffset = -1;
    return TRUE;
}

int BCMenu::GlobalImageOf(UINT nID) const
{
    for (size_t i = 0; i < g_GlobalIds.size(); ++i)
        if (g_GlobalIds[i] == nID)
            return (int)i;
    return -1;
}

int BCMenu::AddGlobalImage(CImageList* pImages, int nOffset, UINT nID)
{
    if (g_pGlobalImages == nullptr) {
        g_pGlobalImages = new CImageList;
        HDC screen = ::GetDC(NULL);
        int bits = ::GetDeviceCaps(screen, BITSPIXEL);
        ::ReleaseDC(NULL, screen);
        UINT depth = bits >= 32 ? ILC_COLOR32 : bits >= 24 ? ILC_COLOR24 : bits >= 16 ? ILC_COLOR16 : ILC_COLOR8;
        g_pGlobalImages->Create(m_iconX, m_iconY, depth | ILC_MASK, 1, 4);
    }
    HICON hIcon = pImages->ExtractIcon(nOffset);
    if (hIcon == NULL)
        return -1;
    BOOL bThreeD = UseThreeD();
    int nIndex = GlobalImageOf(nID);
    if (nIndex < 0) {
        nIndex = g_pGlobalImages->Add(hIcon);
        g_GlobalIds.push_back(nID);
        if (bThreeD) {
            AddThreeDForms(g_pGlobalImages, pImages->m_hImageList, nOffset);
            g_GlobalIds.insert(g_GlobalIds.end(), 3, nID);
        }
    } else {
        g_pGlobalImages->Replace(nIndex, hIcon);
        if (bThreeD && nIndex + 3 < (int)g_GlobalIds.size() && g_GlobalIds[nIndex + 1] == nID &&
            g_GlobalIds[nIndex + 2] == nID && g_GlobalIds[nIndex + 3] == nID)
            AddThreeDForms(g_pGlobalImages, pImages->m_hImageList, nOffset, nIndex + 1);
    }
    ::DestroyIcon(hIcon);
    return nIndex;
}

// An image named by a resource id: the tool bar of that id says which image
// of the bitmap of that id belongs to the command.
BOOL BCMenu::ImageForResource(UINT nResourceId, UINT nID, int& nGlobal)
{
    std::vector<std::pair<UINT, int>> buttons;
    int nImage = 0;
    if (ReadToolBar(nResourceId, buttons)) {
        for (auto& b : buttons)
            if (b.first == nID) {
                nImage = b.second;
                break;
            }
    }
    CImageList list;
    list.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 4);
    if (!AddBitmapToImageList(&list, nResourceId))
        return FALSE;
    nGlobal = AddGlobalImage(&list, nImage, nID);
    return nGlobal >= 0;
}

BOOL BCMenu::LoadToolbar(UINT nToolBar)
{
    std::vector<std::pair<UINT, int>> buttons;
    if (!ReadToolBar(nToolBar, buttons))
        return FALSE;
    CImageList list;
    list.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 4);
    if (!AddBitmapToImageList(&list, nToolBar))
        return FALSE;
    for (size_t i = 0; i < buttons.size(); ++i) {
        UINT nID = buttons[i].first;
        if (nID == 0 || ::GetMenuState(m_hMenu, nID, MF_BYCOMMAND) == (UINT)-1)
            continue;
        int nImage = buttons[i].second > 0 ? buttons[i].second : (int)i;
        ModifyItem(nID, (const wchar_t*)NULL, &list, nImage);
    }
    return TRUE;
}

BOOL BCMenu::LoadToolbars(const UINT* arID, int n)
{
    BOOL ok = TRUE;
    for (int i = 0; i < n; ++i)
        ok = LoadToolbar(arID[i]) && ok;
    return ok;
}

// This menu and its BCMenu pop-ups at any depth, each once.
std::vector<BCMenu*> BCMenu::Tree()
{
    std::vector<BCMenu*> tree{this};
    for (size_t t = 0; t < tree.size(); ++t)
        for (int i = 0; i < tree[t]->m_SubMenus.GetSize(); ++i)
            if (BCMenu* pSub = DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent(tree[t]->m_SubMenus[i])))
                if (std::find(tree.begin(), tree.end(), pSub) == tree.end())
                    tree.push_back(pSub);
    return tree;
}

BOOL BCMenu::SetImagesFromToolBar(CToolBar* pToolBar, UINT nBitmapId)
{
    CImageList list;
    list.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 4);
    if (!AddBitmapToImageList(&list, nBitmapId))
        return FALSE;
    std::vector<BCMenu*> tree = Tree();
    for (int i = 0; i < pToolBar->GetCount(); ++i) {
        UINT nID, nStyle;
        int nImage;
        pToolBar->GetButtonInfo(i, nID, nStyle, nImage);
        if (nID == 0 || (nStyle & TBBS_SEPARATOR))
            continue;
        for (BCMenu* pOwner : tree) {
            for (int k = 0; k < pOwner->m_MenuList.GetSize(); ++k) {
                BCMenuData* pData = pOwner->m_MenuList[k];
                if (pData->m_nID == nID && !(pData->m_nFlags & MF_POPUP)) {
                    pOwner->MakeOwnImages(pData, &list, nImage);
                    pData->m_nFlags = (pData->m_nFlags & ~MF_BYPOSITION) | MF_OWNERDRAW;
                    ::ModifyMenuW(pOwner->m_hMenu, pOwner->MenuStart() + k, pData->m_nFlags | MF_BYPOSITION, nID,
                                  (LPCWSTR)pData);
                }
            }
        }
    }
    return TRUE;
}

void BCMenu::SetCheckImages(int nUnselected, int nSelected)
{
    if (nUnselected <= 0 || nSelected <= 0)
        return;
    CImageList* pOld = m_bSharedCheckImages ? nullptr : m_pCheckImages;
    CImageList* pNew = new CImageList;
    pNew->Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 2, 1);
    if (!AddBitmapToImageList(pNew, nUnselected) || !AddBitmapToImageList(pNew, nSelected)) {
        delete pNew;
        pNew = nullptr;
    }
    // The pop-ups share this menu's list: they follow it so that none keeps
    // a list that is gone.
    for (BCMenu* pMenu : Tree()) {
        if (pMenu != this && !(pMenu->m_bSharedCheckImages && pMenu->m_pCheckImages == pOld))
            continue;
        pMenu->m_pCheckImages = pNew;
        pMenu->m_bSharedCheckImages = pMenu != this;
        pMenu->m_nUnselectedCheckId = pNew != nullptr ? nUnselected : -1;
        pMenu->m_nSelectedCheckId = pNew != nullptr ? nSelected : -1;
    }
    delete pOld;
}

// ---------------------------------------------------------------------------
// Changing and finding items
// ---------------------------------------------------------------------------
void BCMenu::ModifyItemInTree(UINT nID, const wchar_t* lpszText, int nGlobal, std::vector<HMENU>& visited,
                              BOOL& bFound)
{
    for (HMENU h : visited)
        if (h == m_hMenu)
            return;
    visited.push_back(m_hMenu);
    for (int i = 0; i < m_MenuList.GetSize(); ++i) {
        BCMenuData* pData = m_MenuList[i];
        if (pData->m_nID != nID || (pData->m_nFlags & MF_POPUP))
            continue;
        bFound = TRUE;
        if (lpszText != NULL)
            pData->SetWideString(lpszText);
        delete pData->m_pImages;
        pData->m_pImages = nullptr;
        pData->m_nIconNormal = -1;
        pData->m_nImageOffset = -1;
        pData->m_nGlobalOffset = nGlobal;
        pData->m_nFlags = (pData->m_nFlags & ~MF_BYPOSITION) | MF_OWNERDRAW;
        // By position: a command may stand in this menu and in one of its pop-ups.
        ::ModifyMenuW(m_hMenu, MenuStart() + i, pData->m_nFlags | MF_BYPOSITION, nID, (LPCWSTR)pData);
    }
    for (int i = 0; i < m_SubMenus.GetSize(); ++i)
        if (BCMenu* pSub = DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent(m_SubMenus[i])))
            pSub->ModifyItemInTree(nID, lpszText, nGlobal, visited, bFound);
}

BOOL BCMenu::ModifyItem(UINT nID, LPCSTR lpszText, int nIconNormal)
{
    return ModifyItem(nID, lpszText != NULL ? ToWide(lpszText).c_str() : (const wchar_t*)NULL, nIconNormal);
}

BOOL BCMenu::ModifyItem(UINT nID, const wchar_t* lpszText, int nIconNormal)
{
    int nGlobal = GlobalImageOf(nID);
    if (nIconNormal >= 0)
        ImageForResource((UINT)nIconNormal, nID, nGlobal);
    std::vector<HMENU> visited;
    BOOL bFound = FALSE;
    ModifyItemInTree(nID, lpszText, nGlobal, visited, bFound);
    if (!bFound)
        return AppendItem(MF_OWNERDRAW, nID, lpszText != NULL ? lpszText : L"", nIconNormal);
    return TRUE;
}

BOOL BCMenu::ModifyItem(UINT nID, const wchar_t* lpszText, CImageList* pImages, int nOffset)
{
    int nGlobal = pImages != NULL ? AddGlobalImage(pImages, nOffset, nID) : GlobalImageOf(nID);
    std::vector<HMENU> visited;
    BOOL bFound = FALSE;
    ModifyItemInTree(nID, lpszText, nGlobal, visited, bFound);
    if (!bFound)
        return AppendItem(MF_OWNERDRAW, nID, lpszText != NULL ? lpszText : L"", -1);
    return TRUE;
}

BOOL BCMenu::ModifyItemByText(LPCSTR lpszNewText, LPCSTR lpszOldText, int nIconNormal)
{
    std::wstring oldText = ToWide(lpszOldText);
    for (int i = 0; i < m_MenuList.GetSize(); ++i) {
        BCMenuData* pData = m_MenuList[i];
        if (pData->m_szText == NULL || oldText != pData->m_szText) {
            continue;
        }
        if (lpszNewText != NULL)
            pData->SetAnsiString(lpszNewText);
        delete pData->m_pImages;
        pData->m_pImages = nullptr;
        pData->m_nIconNormal = pData->m_nImageOffset = -1;
        if (nIconNormal >= 0) {
            CImageList list;
            list.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 1);
            if (AddBitmapToImageList(&list, (UINT)nIconNormal)) {
                MakeOwnImages(pData, &list, 0);
                pData->m_nIconNormal = nIconNormal;
            }
        }
        return TRUE;
    }
    for (int i = 0; i < m_SubMenus.GetSize(); ++i)
        if (BCMenu* pSub = DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent(m_SubMenus[i])))
            if (pSub->ModifyItemByText(lpszNewText, lpszOldText, nIconNormal))
                return TRUE;
    return FALSE;
}

BOOL BCMenu::ModifyItemColour(LPCSTR lpszText, UINT nID, COLORREF fill, COLORREF border, int hatchStyle,
                              const SIZE* pRectSize)
{
    SIZE size = pRectSize != NULL ? *pRectSize : SIZE{m_iconX, m_iconY};
    HDC screen = ::GetDC(NULL);
    HDC dc = ::CreateCompatibleDC(screen);
    CBitmap bmp;
    bmp.Attach(::CreateCompatibleBitmap(screen, m_iconX, m_iconY));
    HGDIOBJ old = ::SelectObject(dc, bmp);
    RECT rc = {0, 0, m_iconX, m_iconY};
    FillSolid(dc, rc, ::GetSysColor(IsXpLookAvailable() ? COLOR_3DFACE : COLOR_MENU));
    int x = (m_iconX - size.cx) / 2, y = (m_iconY - size.cy) / 2;
    HPEN pen = ::CreatePen(PS_SOLID, 1, border);
    HBRUSH brush = hatchStyle == -1 ? ::CreateSolidBrush(fill) : ::CreateHatchBrush(hatchStyle, fill);
    HGDIOBJ oldPen = ::SelectObject(dc, pen), oldBrush = ::SelectObject(dc, brush);
    ::Rectangle(dc, x, y, x + size.cx, y + size.cy);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(pen);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(NULL, screen);
    CImageList list;
    list.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 1);
    list.Add(&bmp, RGB(1, 2, 3));
    return ModifyItem(nID, ToWide(lpszText).c_str(), &list, 0);
}

BOOL BCMenu::GetText(UINT nID, CString& strText, UINT nFlags) const
{
    if (nFlags & MF_BYPOSITION) {
        int i = (int)nID - MenuStart();
        if (i < 0 || i >= m_MenuList.GetSize())
            return FALSE;
        strText = m_MenuList[i]->GetString();
        return TRUE;
    }
    int pos = 0;
    BCMenu* pOwner = const_cast<BCMenu*>(this)->FindCommand(nID, pos);
    if (pOwner == NULL)
        return FALSE;
    for (int i = 0; i < pOwner->m_MenuList.GetSize(); ++i)
        if (pOwner->m_MenuList[i]->m_nID == nID) {
            strText = pOwner->m_MenuList[i]->GetString();
            return TRUE;
        }
    return FALSE;
}

BCMenu* BCMenu::GetSubMenuByText(LPCSTR lpszText)
{
    std::wstring text = ToWide(lpszText);
    for (int i = 0; i < m_MenuList.GetSize(); ++i) {
        BCMenuData* pData = m_MenuList[i];
        if ((pData->m_nFlags & MF_POPUP) && pData->m_szText && text == pData->m_szText)
            return DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent((HMENU)pData->m_nID));
    }
    return NULL;
}

BCMenu* BCMenu::FindCommand(UINT nID, int& nPosition)
{
    int nCount = ::GetMenuItemCount(m_hMenu);
    for (int pos = 0; pos < nCount; ++pos) {
        HMENU hSub = ::GetSubMenu(m_hMenu, pos);
        if (hSub != NULL) {
            if (BCMenu* pSub = DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent(hSub)))
                if (BCMenu* pFound = pSub->FindCommand(nID, nPosition))
                    return pFound;
        } else if (::GetMenuItemID(m_hMenu, pos) == nID) {
            nPosition = pos;
            return this;
        }
    }
    return NULL;
}

// ---------------------------------------------------------------------------
// Removing
// ---------------------------------------------------------------------------
BOOL BCMenu::TakeOut(UINT nPosition, UINT nFlags, BOOL bDelete)
{
    if (!(nFlags & MF_BYPOSITION)) {
        int pos = 0;
        BCMenu* pOwner = FindCommand(nPosition, pos);
        return pOwner != NULL && pOwner->TakeOut((UINT)pos, MF_BYPOSITION, bDelete);
    }
    HMENU hSub = ::GetSubMenu(m_hMenu, (int)nPosition);
    if (hSub != NULL) {
        for (int i = (int)m_SubMenus.GetSize() - 1; i >= 0; --i)
            if (m_SubMenus[i] == hSub)
                m_SubMenus.RemoveAt(i);
        for (size_t i = s_AllSubMenus.size(); i-- > 0;)
            if (s_AllSubMenus[i] == hSub)
                s_AllSubMenus.erase(s_AllSubMenus.begin() + i);
        BCMenu* pSub = DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent(hSub));
        if (pSub != NULL)
            for (int i = ::GetMenuItemCount(hSub) - 1; i >= 0; --i)
                pSub->TakeOut((UINT)i, MF_BYPOSITION, bDelete);
        for (int i = 0; i < m_MenuList.GetSize(); ++i)
            if (m_MenuList[i]->m_nID == (UINT_PTR)hSub) {
                delete m_MenuList[i];
                m_MenuList.RemoveAt(i);
                break;
            }
        if (pSub != NULL) {
            // The pop-up goes with its item (DeleteMenu) or stays with the caller.
            pSub->Detach();
            delete pSub;
        }
    } else {
        UINT nID = ::GetMenuItemID(m_hMenu, (int)nPosition);
        int index = -1;
        if (nID == 0) {
            index = (int)nPosition - MenuStart();
        } else {
            for (int i = 0; i < m_MenuList.GetSize(); ++i)
                if (m_MenuList[i]->m_nID == nID) {
                    index = i;
                    break;
                }
        }
        if (index >= 0 && index < m_MenuList.GetSize()) {
            delete m_MenuList[index];
            m_MenuList.RemoveAt(index);
        }
    }
    return bDelete ? ::DeleteMenu(m_hMenu, nPosition, MF_BYPOSITION) : ::RemoveMenu(m_hMenu, nPosition, MF_BYPOSITION);
}

int BCMenu::TakeOutByText(LPCSTR lpszText, int nSeparatorMode, BOOL bDelete)
{
    std::wstring text = ToWide(lpszText);
    int start = MenuStart();
    for (int i = 0; i < m_MenuList.GetSize(); ++i) {
        if (m_MenuList[i]->m_szText == NULL || text != m_MenuList[i]->m_szText)
            continue;
        int pos = start + i;
        TakeOut((UINT)pos, MF_BYPOSITION, bDelete);
        int extra = nSeparatorMode == 1 || nSeparatorMode == 2 ? 1 : nSeparatorMode == 3 ? 2 : 0;
        for (int k = 0; k < extra && pos - 1 - k >= 0; ++k)
            TakeOut((UINT)(pos - 1 - k), MF_BYPOSITION, bDelete);
        return pos;
    }
    return -1;
}

BOOL BCMenu::DestroyMenu()
{
    for (size_t i = s_AllSubMenus.size(); i-- > 0;) {
        BOOL bOurs = s_AllSubMenus[i] == m_hMenu;
        for (int k = 0; !bOurs && k < m_SubMenus.GetSize(); ++k)
            bOurs = s_AllSubMenus[i] == m_SubMenus[k];
        if (bOurs)
            s_AllSubMenus.erase(s_AllSubMenus.begin() + i);
    }
    for (int i = 0; i < m_SubMenus.GetSize(); ++i) {
        if (BCMenu* pSub = DYNAMIC_DOWNCAST(BCMenu, CMenu::FromHandlePermanent(m_SubMenus[i]))) {
            // The parent menu destroys the pop-up's Windows menu with itself.
            pSub->Detach();
            delete pSub;
        }
    }
    m_SubMenus.RemoveAll();
    for (int i = 0; i < m_MenuList.GetSize(); ++i)
        delete m_MenuList[i];
    m_MenuList.RemoveAll();
    if (!m_bSharedCheckImages)
        delete m_pCheckImages;
    m_pCheckImages = nullptr;
    m_bFromResource = FALSE;
    return CMenu::DestroyMenu();
}

// ---------------------------------------------------------------------------
// Re-synchronising with the Windows menu
// ---------------------------------------------------------------------------
void BCMenu::UpdateMenu(CMenu* pMenu)
{
    if (BCMenu* p = DYNAMIC_DOWNCAST(BCMenu, pMenu))
        p->SyncWithWindows();
}

// Windows and the frame add, rename and remove items behind the menu's back;
// before a pop-up opens, every Windows item is matched to one record again.
void BCMenu::SyncWithWindows()
{
    for (int i = 0; i < m_MenuList.GetSize(); ++i)
        m_MenuList[i]->m_bSynced = FALSE;
    auto takeUnsynced = [this](UINT_PTR id) -> BCMenuData* {
        for (int i = 0; i < m_MenuList.GetSize(); ++i)
            if (!m_MenuList[i]->m_bSynced && m_MenuList[i]->m_nID == id)
                return m_MenuList[i];
        return nullptr;
    };
    // An owner-drawn item carries its record as item data: that record is
    // its own, whatever other items of the same command there are.
    auto takeOwn = [this, &takeUnsynced](const MENUITEMINFOW& mii, UINT_PTR id) -> BCMenuData* {
        if ((mii.fType & MFT_OWNERDRAW) && mii.dwItemData != 0)
            for (int i = 0; i < m_MenuList.GetSize(); ++i)
                if (!m_MenuList[i]->m_bSynced && (ULONG_PTR)m_MenuList[i] == mii.dwItemData)
                    return m_MenuList[i];
        return takeUnsynced(id);
    };
    CTypedPtrArray<CPtrArray, BCMenuData*> synced;
    int nCount = ::GetMenuItemCount(m_hMenu);
    for (int pos = 0; pos < nCount; ++pos) {
        wchar_t buf[512] = {0};
        MENUITEMINFOW mii;
        memset(&mii, 0, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_DATA;
        mii.dwTypeData = buf;
        mii.cch = 511;
        ::GetMenuItemInfoW(m_hMenu, pos, TRUE, &mii);
        BOOL bOwnerDrawn = (mii.fType & MFT_OWNERDRAW) != 0;
        if (bOwnerDrawn)
            buf[0] = 0;
        UINT state = ::GetMenuState(m_hMenu, pos, MF_BYPOSITION);
        BCMenuData* pData;
        if (mii.hSubMenu != NULL) {
            pData = takeOwn(mii, (UINT_PTR)mii.hSubMenu);
            if (pData != NULL) {
                if (buf[0])
                    pData->SetWideString(buf);
            } else {
                pData = NewRecord((state & 0xFF) | MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP, (UINT_PTR)mii.hSubMenu, buf);
                ::ModifyMenuW(m_hMenu, pos, pData->m_nFlags, pData->m_nID, (LPCWSTR)pData);
            }
        } else if (mii.fType & MFT_SEPARATOR) {
            pData = takeOwn(mii, 0);
            if (pData == NULL)
                pData = NewRecord(MF_BYPOSITION | MF_OWNERDRAW | MF_SEPARATOR, 0, L"");
            ::ModifyMenuW(m_hMenu, pos, MF_BYPOSITION | MF_OWNERDRAW | MF_SEPARATOR, 0, (LPCWSTR)pData);
        } else {
            pData = takeOwn(mii, mii.wID);
            if (pData != NULL) {
                pData->m_nFlags |= MF_BYPOSITION | MF_OWNERDRAW;
                if (!bOwnerDrawn) {
                    pData->SetWideString(buf);
                    ::ModifyMenuW(m_hMenu, pos, pData->m_nFlags | (state & (MF_CHECKED | MF_GRAYED | MF_DISABLED)),
                                  mii.wID, (LPCWSTR)pData);
                }
            } else {
                pData = NewRecord((state & 0xFF) | MF_BYPOSITION | MF_OWNERDRAW, mii.wID, buf);
                pData->m_nGlobalOffset = GlobalImageOf(mii.wID);
                ::ModifyMenuW(m_hMenu, pos, pData->m_nFlags, mii.wID, (LPCWSTR)pData);
            }
        }
        pData->m_bSynced = TRUE;
        synced.Add(pData);
    }
    for (int i = 0; i < m_MenuList.GetSize(); ++i)
        if (!m_MenuList[i]->m_bSynced)
            delete m_MenuList[i];
    m_MenuList.RemoveAll();
    m_MenuList.Append(synced);
}

LRESULT BCMenu::FindKeyboardShortcut(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    BCMenu* p = DYNAMIC_DOWNCAST(BCMenu, pMenu);
    if (p == NULL || !(nFlags & MF_POPUP))
        return 0;
    wchar_t key[3] = {L'&', (wchar_t)towlower((wchar_t)nChar), 0};
    if ((int)::GetMenuItemCount(p->m_hMenu) != (int)p->m_MenuList.GetSize())
        p->SyncWithWindows();
    for (int i = 0; i < p->m_MenuList.GetSize(); ++i) {
        const wchar_t* text = p->m_MenuList[i]->m_szText;
        if (text != NULL && Lower(text).find(key) != std::wstring::npos)
            return MAKELRESULT(i, MNC_EXECUTE);
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Measuring
// ---------------------------------------------------------------------------
void BCMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    const BCMenuData* pData = (const BCMenuData*)lpMIS->itemData;
    if (pData == NULL)
        return;
    BOOL bXP = GetActiveDrawMode() == 1;
    int pad = bXP && m_bXpThreeDImages ? 7 : 4;
    if (pData->m_nFlags & MF_SEPARATOR) {
        lpMIS->itemWidth = 0;
        lpMIS->itemHeight = bXP ? 3 : std::max((pad + m_iconY) / 2, ::GetSystemMetrics(SM_CYMENU) / 2);
        return;
    }
    HFONT hFont = CreateMenuFont();
    CWnd* pMain = AfxGetMainWnd();
    HWND hWnd = pMain != NULL ? pMain->GetSafeHwnd() : ::GetDesktopWindow();
    HDC hdc = ::GetDC(hWnd);
    // Items are drawn in the menu font on every NT system, so they are
    // measured in it too.
    HGDIOBJ old = g_nWinVer >= 1 && hFont != NULL ? ::SelectObject(hdc, hFont) : NULL;
    std::wstring text = pData->m_szText ? pData->m_szText : L"";
    int width;
    if (g_nWinVer == 0) {
        CString ansi = pData->GetString();
        RECT rc = {0, 0, 0, 0};
        ::DrawTextA(hdc, ansi, ansi.GetLength(), &rc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        int w = rc.right - rc.left;
        width = w + 3 + (ansi.GetLength() > 0 ? 3 * (w + 3) / ansi.GetLength() : 0);
    } else {
        width = TextWidth(hdc, text);
    }
    if (old != NULL)
        ::SelectObject(hdc, old);
    ::ReleaseDC(hWnd, hdc);
    if (hFont != NULL)
        ::DeleteObject(hFont);
    lpMIS->itemWidth = bXP ? width + m_iconX + pad + 8 : width + 2 * m_iconX + 1;
    lpMIS->itemHeight = std::max(m_iconY + pad, ::GetSystemMetrics(SM_CYMENU));
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------
void BCMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS->itemData == 0)
        return;
    BOOL bPalette = (::GetDeviceCaps(lpDIS->hDC, RASTERCAPS) & RC_PALETTE) != 0;
    if (bPalette || GetActiveDrawMode() != 1)
        DrawItemClassic(lpDIS);
    else
        DrawItemXP(lpDIS);
}

CImageList* BCMenu::ImageOf(const BCMenuData* pData, BOOL bXP, int& nIndex)
{
    if (pData->m_nIconNormal >= 0 && pData->m_pImages != NULL) {
        nIndex = pData->m_nImageOffset;
        return pData->m_pImages;
    }
    if (pData->m_nGlobalOffset >= 0 && g_pGlobalImages != NULL && (!bXP || pData->m_nImageOffset < 0)) {
        nIndex = pData->m_nGlobalOffset;
        return g_pGlobalImages;
    }
    return NULL;
}

BOOL BCMenu::HasThreeDSet(const BCMenuData* pData, CImageList* pList, int nIndex)
{
    if (!m_bXpThreeDImages || pList == NULL)
        return FALSE;
    if (pList == pData->m_pImages)
        return pList->GetImageCount() > 2 && nIndex == 0;
    return nIndex + 2 < (int)g_GlobalIds.size() && g_GlobalIds[nIndex + 1] == g_GlobalIds[nIndex] &&
           g_GlobalIds[nIndex + 2] == g_GlobalIds[nIndex];
}

// Draws an image in the embossed disabled look: its shape in the 3-D shadow
// colour with a highlight edge one pixel below and to the right.
void BCMenu::DrawDisabledImage(CDC* pDC, CImageList* pList, int nIndex, CPoint pt, COLORREF clrBack)
{
    HDC hdc = pDC->GetSafeHdc();
    if (!m_bOldStyleDisabled && m_bHighColor && GetActiveDrawMode() == 0) {
        HBITMAP bmp = MakeImageForm(pList->m_hImageList, nIndex, kDisabled, clrBack);
        HDC dc = ::CreateCompatibleDC(hdc);
        HGDIOBJ old = ::SelectObject(dc, bmp);
        ::BitBlt(hdc, pt.x, pt.y, m_iconX, m_iconY, dc, 0, 0, SRCCOPY);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::DeleteObject(bmp);
        return;
    }
    HDC screen = ::GetDC(NULL);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, m_iconX, m_iconY);
    ::ReleaseDC(NULL, screen);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    RECT rc = {0, 0, m_iconX, m_iconY};
    FillSolid(dc, rc, ::GetSysColor(COLOR_3DFACE));
    ::ImageList_Draw(pList->m_hImageList, nIndex, dc, 0, 0, ILD_TRANSPARENT);
    COLORREF face = DisplayFaceColour(dc);
    COLORREF highlight = ::GetSysColor(COLOR_3DHIGHLIGHT), shadow = ::GetSysColor(COLOR_3DSHADOW);
    std::vector<bool> shape((size_t)m_iconX * m_iconY);
    for (int y = 0; y < m_iconY; ++y)
        for (int x = 0; x < m_iconX; ++x) {
            COLORREF c = ::GetPixel(dc, x, y);
            bool bShape;
            if (m_bOldStyleDisabled)
                bShape = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3 < 128;
            else
                bShape = c != face && c != highlight;
            shape[(size_t)y * m_iconX + x] = bShape;
        }
    RECT dest = {pt.x, pt.y, pt.x + m_iconX + 1, pt.y + m_iconY + 1};
    if (m_bOldStyleDisabled)
        FillSolid(hdc, dest, clrBack);
    for (int pass = 0; pass < 2; ++pass) {
        int off = pass == 0 ? 1 : 0;
        COLORREF clr = pass == 0 ? highlight : shadow;
        for (int y = 0; y < m_iconY; ++y)
            for (int x = 0; x < m_iconX; ++x)
                if (shape[(size_t)y * m_iconX + x])
                    ::SetPixel(hdc, pt.x + x + off, pt.y + y + off, clr);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bmp);
}

namespace
{

// Seven columns of a one-pixel pen; the narrow form is one row shorter.
void DrawTick(HDC hdc, int x, int y, COLORREF clr, BOOL bNarrow)
{
    static const int from[7] = {2, 3, 4, 3, 2, 1, 0};
    static const int to[7] = {5, 6, 7, 6, 5, 4, 3};
    HPEN pen = ::CreatePen(PS_SOLID, 1, clr);
    HGDIOBJ old = ::SelectObject(hdc, pen);
    for (int i = 0; i < 7; ++i) {
        ::MoveToEx(hdc, x + i, y + from[i], NULL);
        ::LineTo(hdc, x + i, y + to[i] - (bNarrow ? 1 : 0));
    }
    ::SelectObject(hdc, old);
    ::DeleteObject(pen);
}

void DrawDot(HDC hdc, int x, int y, COLORREF clr)
{
    HPEN pen = ::CreatePen(PS_SOLID, 1, clr);
    HBRUSH br = ::CreateSolidBrush(clr);
    HGDIOBJ oldPen = ::SelectObject(hdc, pen), oldBrush = ::SelectObject(hdc, br);
    ::Ellipse(hdc, x, y, x + 6, y + 6);
    ::SelectObject(hdc, oldPen);
    ::SelectObject(hdc, oldBrush);
    ::DeleteObject(pen);
    ::DeleteObject(br);
}

BOOL HasRadioMark(HMENU hMenu, UINT nID)
{
    MENUITEMINFOA mii;
    memset(&mii, 0, sizeof(mii));
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_CHECKMARKS;
    ::GetMenuItemInfoA(hMenu, nID, FALSE, &mii);
    return mii.hbmpChecked != NULL;
}

}  // namespace

BOOL BCMenu::DrawCheckImages(CDC* pDC, const CRect& box, BOOL bSelected)
{
    if (m_pCheckImages == NULL)
        return FALSE;
    if (bSelected ? m_nSelectedCheckId <= 0 : m_nUnselectedCheckId <= 0)
        return FALSE;
    ::ImageList_Draw(m_pCheckImages->m_hImageList, bSelected ? 1 : 0, pDC->GetSafeHdc(), box.left + 1, box.top + 1,
                     ILD_TRANSPARENT);
    return TRUE;
}

void BCMenu::DrawItemClassic(LPDRAWITEMSTRUCT lpDIS)
{
    const BCMenuData* pData = (const BCMenuData*)lpDIS->itemData;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    HDC hdc = lpDIS->hDC;
    CRect rect(lpDIS->rcItem);
    COLORREF clrBack = ::GetSysColor(IsXpLookAvailable() ? COLOR_3DFACE : COLOR_MENU);
    BOOL bDisabled = (lpDIS->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    BOOL bChecked = (lpDIS->itemState & ODS_CHECKED) != 0;
    if (bDisabled && !m_bClassicSelectDisabled)
        bSelected = FALSE;

    if (pData->m_nFlags & MF_SEPARATOR) {
        FillSolid(hdc, rect, clrBack);
        CRect line(rect.left, rect.top + rect.Height() / 2, rect.right, rect.bottom);
        ::DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    int nIndex = -1;
    CImageList* pList = ImageOf(pData, FALSE, nIndex);
    COLORREF clrText = ::GetSysColor(COLOR_MENUTEXT);
    if (!bSelected) {
        FillSolid(hdc, rect, clrBack);
        Frame(hdc, rect, clrBack);
    } else {
        CRect sel = rect;
        if (pList != NULL || bChecked)
            sel.left = rect.left + m_iconX + 5;
        FillSolid(hdc, sel, ::GetSysColor(COLOR_HIGHLIGHT));
        clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    int dy = std::max((rect.Height() - m_iconY - 4) / 2, 0);
    CPoint ptImage(rect.left + 2, rect.top + dy + 2);
    CRect box(rect.left + 1, rect.top + dy + 1, rect.left + m_iconX + 3, rect.top + dy + m_iconY + 3);
    CRect edge(rect.left, rect.top + dy, rect.left + m_iconX + 4, rect.top + dy + m_iconY + 4);
    COLORREF hi = ::GetSysColor(COLOR_3DHIGHLIGHT), sh = ::GetSysColor(COLOR_3DSHADOW);
    // Every NT system draws the 3-D edges.
    BOOL bEdges = g_nWinVer >= 1;
    if (pList != NULL) {
        if (bDisabled) {
            Frame(hdc, box, clrBack);
            DrawDisabledImage(pDC, pList, nIndex, ptImage, clrBack);
        } else {
            if (bSelected) {
                FillSolid(hdc, box, clrBack);
                if (bEdges)
                    pDC->Draw3dRect(edge, bChecked ? sh : hi, bChecked ? hi : sh);
            } else if (bChecked) {
                FillSolid(hdc, box, LightenColor(clrBack, 0.6));
                if (bEdges)
                    pDC->Draw3dRect(edge, sh, hi);
            } else {
                FillSolid(hdc, box, clrBack);
                Frame(hdc, box, clrBack);
            }
            ::ImageList_Draw(pList->m_hImageList, nIndex, hdc, ptImage.x, ptImage.y, ILD_TRANSPARENT);
        }
    } else if (bChecked) {
        CRect check(rect.left + 1, rect.top + dy + 2, rect.left + m_iconX + 1, rect.top + dy + m_iconY + 2);
        if (!DrawCheckImages(pDC, check, bSelected)) {
            FillSolid(hdc, check, bSelected ? clrBack : LightenColor(clrBack, 0.6));
            if (bEdges) {
                CRect e = check;
                ::DrawEdge(hdc, &e, BDR_SUNKENOUTER, BF_RECT);
            }
            if (HasRadioMark(m_hMenu, lpDIS->itemID))
                DrawDot(hdc, check.left + 5, check.top + 4, ::GetSysColor(COLOR_MENUTEXT));
            else
                DrawTick(hdc, check.left + 4, check.top + 4, ::GetSysColor(COLOR_MENUTEXT), FALSE);
        }
    }
    CRect textRect(rect.left + m_iconX + 9, rect.top, rect.right, rect.bottom);
    DrawItemText(pDC, pData, textRect, bDisabled, bSelected, clrText, clrBack, FALSE);
}

void BCMenu::DrawItemXP(LPDRAWITEMSTRUCT lpDIS)
{
    const BCMenuData* pData = (const BCMenuData*)lpDIS->itemData;
    CDC* pRealDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    BOOL bXpLook = IsXpLookAvailable();
    COLORREF clrStrip = bXpLook ? ::GetSysColor(COLOR_3DFACE) : LightenColor(::GetSysColor(COLOR_3DFACE), 0.25);
    COLORREF clrBack = DarkenColor(::GetSysColor(COLOR_WINDOW), 0.02);
    COLORREF clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF clrSelect = LightenColor(clrHighlight, bXpLook ? 0.7 : 0.85);
    int pad = m_bXpThreeDImages ? 7 : 4;
    int strip = m_iconX + pad;
    BOOL bDisabled = (lpDIS->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    BOOL bChecked = (lpDIS->itemState & ODS_CHECKED) != 0;

    // Disabled items are painted off screen, in the menu font.
    BCMenuMemDC* pMemDC = nullptr;
    CFont font;
    CFont* pOldFont = nullptr;
    CDC* pDC = pRealDC;
    if (bDisabled && !m_bXpSelectDisabled) {
        bSelected = FALSE;
        pMemDC = new BCMenuMemDC(pRealDC, rect);
        pDC = pMemDC;
        LOGFONTA lf;
        if (GetMenuLogFont(lf) && font.CreateFontIndirect(&lf))
            pOldFont = pDC->SelectObject(&font);
    }
    HDC hdc = pDC->GetSafeHdc();
    CRect stripRect(rect.left, rect.top, rect.left + strip, rect.bottom);

    if (pData->m_nFlags & MF_SEPARATOR) {
        FillSolid(hdc, rect, clrBack);
        FillSolid(hdc, stripRect, clrStrip);
        CRect line(stripRect.right + pad, rect.top + rect.Height() / 2, rect.right, rect.bottom);
        ::DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
    } else {
        if (!bSelected) {
            FillSolid(hdc, rect, clrBack);
            FillSolid(hdc, stripRect, clrStrip);
        } else {
            FillSolid(hdc, rect, clrSelect);
            Frame(hdc, rect, clrHighlight);
        }
        int dx = std::max((int)((strip - m_iconX) * 0.5 + 0.5), 0);
        int dy = std::max((int)((rect.Height() - m_iconY) * 0.5 + 0.5), 0);
        int x = rect.left + dx, y = rect.top + dy;
        CRect box(rect.left + 1, rect.top + 1, rect.left + strip - 2, rect.bottom - 1);
        int nIndex = -1;
        CImageList* pList = ImageOf(pData, TRUE, nIndex);
        BOOL b3D = HasThreeDSet(pData, pList, nIndex);
        HIMAGELIST hl = pList != NULL ? pList->m_hImageList : NULL;
        if (pList != NULL && !bDisabled) {
            if (bSelected) {
                if (bChecked) {
                    FillSolid(hdc, box, LightenColor(clrHighlight, 0.55));
                    Frame(hdc, box, clrHighlight);
                    ::ImageList_Draw(hl, nIndex, hdc, x - 1, y - 1, ILD_TRANSPARENT);
                } else {
                    FillSolid(hdc, box, clrSelect);
                    if (b3D) {
                        ::ImageList_Draw(hl, nIndex + 2, hdc, x + 1, y + 1, ILD_TRANSPARENT);
                        ::ImageList_Draw(hl, nIndex, hdc, x - 1, y - 1, ILD_TRANSPARENT);
                    } else {
                        ::ImageList_Draw(hl, nIndex, hdc, x, y, ILD_TRANSPARENT);
                    }
                }
            } else if (bChecked) {
                FillSolid(hdc, box, LightenColor(clrHighlight, 0.85));
                Frame(hdc, box, clrHighlight);
                ::ImageList_Draw(hl, nIndex, hdc, x - 1, y - 1, ILD_TRANSPARENT);
            } else {
                FillSolid(hdc, box, clrStrip);
                ::ImageList_Draw(hl, b3D ? nIndex + 1 : nIndex, hdc, x, y, ILD_TRANSPARENT);
            }
        } else if (pList != NULL) {
            if (b3D) {
                ::ImageList_Draw(hl, nIndex + 3, hdc, x, y, ILD_TRANSPARENT);
            } else {
                DrawDisabledImage(pDC, pList, nIndex, CPoint(x, y), bSelected ? clrSelect : clrStrip);
                if (bSelected)
                    Frame(hdc, box, clrHighlight);
            }
        } else if (bChecked) {
            if (!DrawCheckImages(pDC, box, bSelected)) {
                FillSolid(hdc, box, LightenColor(clrHighlight, bSelected ? 0.55 : 0.85));
                Frame(hdc, box, clrHighlight);
                int cdx = box.Width() < 6 ? 0 : box.Width() / 2 - 3;
                int cdy = box.Height() < 6 ? 0 : box.Height() / 2 - 3;
                if (HasRadioMark(m_hMenu, lpDIS->itemID))
                    DrawDot(hdc, box.left + cdx, box.top + cdy, ::GetSysColor(COLOR_MENUTEXT));
                else
                    DrawTick(hdc, box.left + cdx, box.top + cdy, ::GetSysColor(COLOR_MENUTEXT), TRUE);
            }
        }
        CRect textRect(rect.left + strip + 8, rect.top, rect.right, rect.bottom);
        DrawItemText(pDC, pData, textRect, bDisabled, bSelected, ::GetSysColor(COLOR_MENUTEXT), clrBack, TRUE);
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    delete pMemDC;
}

void BCMenu::DrawItemText(CDC* pDC, const BCMenuData* pData, CRect rect, BOOL bDisabled, BOOL bSelected,
                          COLORREF clrText, COLORREF clrBack, BOOL bXP)
{
    HDC hdc = pDC->GetSafeHdc();
    std::wstring text = pData->m_szText ? pData->m_szText : L"";
    rect.top -= 1;
    rect.bottom += 1;
    size_t firstTab = text.find(L'\t'), lastTab = text.rfind(L'\t');
    std::wstring left = firstTab == std::wstring::npos ? text : text.substr(0, firstTab);
    std::wstring right = firstTab == std::wstring::npos ? std::wstring() : text.substr(lastTab + 1);
    int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    auto draw = [&](CRect rc, COLORREF clr) {
        ::SetTextColor(hdc, clr);
        ::DrawTextW(hdc, left.c_str(), (int)left.size(), &rc, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
        if (!right.empty()) {
            CRect r = rc;
            r.right -= m_iconX;
            ::DrawTextW(hdc, right.c_str(), (int)right.size(), &r, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
        }
    };
    if (!bDisabled) {
        draw(rect, clrText);
    } else if (!bXP) {
        if (bSelected) {
            draw(rect, clrBack);
        } else {
            CRect shifted = rect;
            shifted.OffsetRect(1, 1);
            draw(shifted, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            draw(rect, ::GetSysColor(COLOR_GRAYTEXT));
        }
    } else {
        COLORREF gray = ::GetSysColor(COLOR_GRAYTEXT);
        if (!IsXpLookAvailable() && !bSelected)
            gray = LightenColor(gray, 0.4);
        draw(rect, gray);
    }
    ::SetBkMode(hdc, oldMode);
}
