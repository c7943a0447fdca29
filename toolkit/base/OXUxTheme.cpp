#include "OXUxTheme.h"

#include <vector>

namespace
{
typedef HTHEME(WINAPI* PFNOPENTHEMEDATA)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* PFNCLOSETHEMEDATA)(HTHEME);
typedef HTHEME(WINAPI* PFNGETWINDOWTHEME)(HWND);
typedef COLORREF(WINAPI* PFNGETTHEMESYSCOLOR)(HTHEME, int);
typedef HRESULT(WINAPI* PFNDRAWTHEMEBACKGROUND)(HTHEME, HDC, int, int, const RECT*, const RECT*);
typedef HRESULT(WINAPI* PFNDRAWTHEMETEXT)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*);

// 8-bit text in the ANSI code page as wide text; nCount -1: up to the NUL.
std::vector<WCHAR> Widen(LPCSTR lpsz, int nCount, int& nWide)
{
    nWide = 0;
    if (lpsz == NULL)
        return std::vector<WCHAR>(1, L'\0');
    int n = ::MultiByteToWideChar(CP_ACP, 0, lpsz, nCount, NULL, 0);
    std::vector<WCHAR> wide(n > 0 ? n + 1 : 1, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, lpsz, nCount, wide.data(), n);
    nWide = nCount < 0 ? -1 : n;
    return wide;
}
} // namespace

COXUxTheme::COXUxTheme() : m_hUxTheme(::LoadLibraryA("UxTheme.dll")) {}

COXUxTheme::~COXUxTheme()
{
    if (m_hUxTheme != NULL)
        ::FreeLibrary(m_hUxTheme);
}

HTHEME COXUxTheme::OpenThemeData(HWND hWnd, LPCSTR lpszClassList)
{
    PFNOPENTHEMEDATA pfn = (PFNOPENTHEMEDATA)Entry("OpenThemeData");
    if (pfn == NULL)
        return NULL;
    int n;
    std::vector<WCHAR> wide = Widen(lpszClassList, -1, n);
    return pfn(hWnd, wide.data());
}

BOOL COXUxTheme::CloseThemeData(HTHEME hTheme)
{
    PFNCLOSETHEMEDATA pfn = (PFNCLOSETHEMEDATA)Entry("CloseThemeData");
    return hTheme != NULL && pfn != NULL && pfn(hTheme) == S_OK;
}

HTHEME COXUxTheme::GetWindowTheme(HWND hWnd)
{
    PFNGETWINDOWTHEME pfn = (PFNGETWINDOWTHEME)Entry("GetWindowTheme");
    return pfn ? pfn(hWnd) : NULL;
}

COLORREF COXUxTheme::GetThemeSysColor(HTHEME hTheme, int nColorID)
{
    PFNGETTHEMESYSCOLOR pfn = (PFNGETTHEMESYSCOLOR)Entry("GetThemeSysColor");
    return pfn ? pfn(hTheme, nColorID) : ::GetSysColor(nColorID);
}

BOOL COXUxTheme::DrawThemeBackground(HTHEME hTheme, HDC hdc, int nPartID, int nStateID, const RECT* pRect,
                                     const RECT* pClipRect)
{
    PFNDRAWTHEMEBACKGROUND pfn = (PFNDRAWTHEMEBACKGROUND)Entry("DrawThemeBackground");
    return pfn != NULL && pfn(hTheme, hdc, nPartID, nStateID, pRect, pClipRect) == S_OK;
}

BOOL COXUxTheme::DrawThemeText(HTHEME hTheme, HDC hdc, int nPartID, int nStateID, LPCSTR lpszText, int nCharCount,
                               DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect)
{
    PFNDRAWTHEMETEXT pfn = (PFNDRAWTHEMETEXT)Entry("DrawThemeText");
    if (pfn == NULL)
        return FALSE;
    int nWide;
    std::vector<WCHAR> wide = Widen(lpszText, nCharCount, nWide);
    return pfn(hTheme, hdc, nPartID, nStateID, wide.data(), nWide, dwTextFlags, dwTextFlags2, pRect) == S_OK;
}
