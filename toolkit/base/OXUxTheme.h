// COXUxTheme: the visual-styles calls without linking to their library, so
// that the toolkit runs where it is absent. Each object loads the library;
// each call looks its entry point up by name when it is made.
#pragma once

#include <windows.h>
#include <uxtheme.h>

class COXUxTheme
{
public:
    COXUxTheme();
    virtual ~COXUxTheme();

    virtual BOOL IsLoaded() const { return m_hUxTheme != NULL; }

    virtual HTHEME OpenThemeData(HWND hWnd, LPCSTR lpszClassList);
    // Releases a theme OpenThemeData gave; FALSE when nothing was closed.
    virtual BOOL CloseThemeData(HTHEME hTheme);
    virtual HTHEME GetWindowTheme(HWND hWnd);
    virtual COLORREF GetThemeSysColor(HTHEME hTheme, int nColorID);
    virtual BOOL DrawThemeBackground(HTHEME hTheme, HDC hdc, int nPartID, int nStateID, const RECT* pRect, const RECT* pClipRect);
    virtual BOOL DrawThemeText(HTHEME hTheme, HDC hdc, int nPartID, int nStateID, LPCSTR lpszText, int nCharCount,
                       DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect);

protected:
    FARPROC Entry(LPCSTR lpszName) const { return m_hUxTheme ? ::GetProcAddress(m_hUxTheme, lpszName) : NULL; }

    HMODULE m_hUxTheme;

private:
    COXUxTheme(const COXUxTheme&) = delete;
    COXUxTheme& operator=(const COXUxTheme&) = delete;
};
