// Skins whose system colours and visual style are the test's: every colour
// of the scheme can then be checked against numbers worked out by hand.
#pragma once

#include <afxwin.h>

#include "OXSkinnedApp.h"
#include "OXSkins.h"
#include "OXUxTheme.h"

// The system colours the test skins see. Shadow has a channel of 230 so
// that +38 must stop at 255, one of 20 so that -9 stays above 0.
inline COLORREF TestSysColor(int nIndex)
{
    switch (nIndex) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT: return RGB(10, 36, 106);
    case COLOR_BTNFACE: return RGB(212, 208, 200);
    case COLOR_BTNSHADOW: return RGB(230, 128, 20);
    case COLOR_GRAYTEXT: return RGB(128, 128, 128);
    case COLOR_CAPTIONTEXT: return RGB(1, 2, 3);
    case COLOR_BTNTEXT: return RGB(4, 5, 6);
    case COLOR_WINDOWTEXT: return RGB(7, 8, 9);
    default: return ::GetSysColor(nIndex);
    }
}

// The visual style's highlight (TH) and active caption (TC); TC's blue of
// 50 must stop at 0 when 99 is taken off.
constexpr COLORREF kThemeHighlight = RGB(49, 106, 197);
constexpr COLORREF kThemeCaption = RGB(0, 84, 50);

// A theme library that answers as the test says: a style active or not.
class CFakeUxTheme : public COXUxTheme
{
public:
    BOOL m_bActive = FALSE;
    int m_nOpen = 0, m_nClose = 0;

    BOOL IsLoaded() const override { return TRUE; }
    HTHEME OpenThemeData(HWND, LPCSTR lpszClassList) override
    {
        if (!m_bActive || lstrcmpA(lpszClassList, "button") != 0)
            return NULL;
        ++m_nOpen;
        return (HTHEME)this;
    }
    BOOL CloseThemeData(HTHEME hTheme) override
    {
        m_nClose += hTheme == (HTHEME)this;
        return TRUE;
    }
    COLORREF GetThemeSysColor(HTHEME, int nColorID) override
    {
        return nColorID == COLOR_HIGHLIGHT ? kThemeHighlight : nColorID == COLOR_ACTIVECAPTION ? kThemeCaption : 0;
    }
};

class CTestSkinXP : public COXSkinXP
{
public:
    COLORREF SysColor(int nIndex) const override { return TestSysColor(nIndex); }
};

class CTestSkin2003 : public COXSkin2003
{
public:
    explicit CTestSkin2003(BOOL bThemed)
    {
        m_theme.m_bActive = bThemed;
        SetUxTheme(&m_theme);
    }
    ~CTestSkin2003() override { SetUxTheme(NULL); }
    COLORREF SysColor(int nIndex) const override { return TestSysColor(nIndex); }

    CFakeUxTheme m_theme;
};

// The application object made a skinned one for a test, the old one back
// at its end.
class CSkinnedAppScope
{
public:
    CSkinnedAppScope() : m_pPrevious(AfxGetApp()), m_pApp(new COXSkinnedApp) {}
    ~CSkinnedAppScope()
    {
        delete m_pApp;
        AFX_MODULE_STATE* pState = AfxGetModuleState();
        pState->m_pCurrentWinApp = m_pPrevious;
        pState->m_lpszCurrentAppName = m_pPrevious != NULL ? m_pPrevious->m_pszAppName : NULL;
    }
    CWinApp* m_pPrevious;
    COXSkinnedApp* m_pApp;
};
