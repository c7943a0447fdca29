// ControlUtils.cpp - the free helpers the controls share with the framework.
#include "ControlUtils.h"

#include <climits>
#include <cstring>

namespace {

HWND MainHwnd()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain != NULL ? pMain->m_hWnd : NULL;
}

}  // namespace

// ---------------------------------------------------------------------------
// Clipboard text
// ---------------------------------------------------------------------------

BOOL SetClipboardText(LPCTSTR lpszText)
{
    if (lpszText == NULL || lpszText[0] == '\0')
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->BeginWaitCursor();
    BOOL bSet = FALSE;
    if (::OpenClipboard(MainHwnd())) {
        ::EmptyClipboard();
        SIZE_T nBytes = (SIZE_T)lstrlenA(lpszText) + 1;
        HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, nBytes);
        if (hData != NULL) {
            if (void* p = ::GlobalLock(hData)) {
                memcpy(p, lpszText, nBytes);
                ::GlobalUnlock(hData);
                bSet = ::SetClipboardData(CF_TEXT, hData) != NULL;
            }
            if (!bSet)
                ::GlobalFree(hData);
        }
        ::CloseClipboard();
    }
    if (pApp != NULL)
        pApp->EndWaitCursor();
    return bSet;
}

BOOL GetClipboardText(CString& sText)
{
    if (!::OpenClipboard(MainHwnd()))
        return FALSE;
    HGLOBAL hData = ::IsClipboardFormatAvailable(CF_TEXT) ? ::GetClipboardData(CF_TEXT) : NULL;
    const BOOL bGot = hData != NULL && ::GlobalSize(hData) > 0;
    if (bGot)
        sText = GetGlobalText(hData);
    ::CloseClipboard();
    return bGot;
}

CString GetGlobalText(HGLOBAL hData)
{
    const SIZE_T nSize = hData != NULL ? ::GlobalSize(hData) : 0;
    const char* p = nSize > 0 ? (const char*)::GlobalLock(hData) : NULL;
    if (p == NULL)
        return CString();
    const int nLength = (int)strnlen(p, nSize < (SIZE_T)INT_MAX ? nSize : (SIZE_T)INT_MAX);
    CString sText(p, nLength);
    ::GlobalUnlock(hData);
    return sText;
}

// ---------------------------------------------------------------------------
// Bitmaps
// ---------------------------------------------------------------------------

void ReplaceBitmapBackground(HBITMAP hBitmap, COLORREF clr)
{
    DIBSECTION ds = {};
    if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof ds, &ds) != sizeof ds || ds.dsBm.bmBitsPixel != 24 ||
        ds.dsBm.bmBits == NULL)
        return;
    ::GdiFlush();
    BYTE* pBits = (BYTE*)ds.dsBm.bmBits;
    int nStride = (ds.dsBm.bmWidth * 3 + 3) & ~3;
    int nRows = ds.dsBm.bmHeight < 0 ? -ds.dsBm.bmHeight : ds.dsBm.bmHeight;
    BYTE b0 = pBits[0], g0 = pBits[1], r0 = pBits[2];
    for (int y = 0; y < nRows; y++) {
        BYTE* p = pBits + (SIZE_T)y * nStride;
        for (int x = 0; x < ds.dsBm.bmWidth; x++, p += 3) {
            if (p[0] == b0 && p[1] == g0 && p[2] == r0) {
                p[0] = GetBValue(clr);
                p[1] = GetGValue(clr);
                p[2] = GetRValue(clr);
            }
        }
    }
}
