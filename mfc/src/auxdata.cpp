// auxdata.cpp - afxData: the system metrics, colours and cursors the framework
// draws with, read once at start-up and again when the system's change.
#include <afxwin.h>

AUX_DATA afxData;

AUX_DATA::AUX_DATA()
{
    // Windows since 95 draw borders two pixels wide where older ones drew one.
    bWin4 = TRUE;
    bWin95 = TRUE;
    bMarked4 = TRUE;
    hcurWait = ::LoadCursor(NULL, IDC_WAIT);
    hcurArrow = ::LoadCursor(NULL, IDC_ARROW);
    hcurHelp = NULL;   // loaded by whoever starts context-help mode
    UpdateSysMetrics();
    UpdateSysColors();
}

void AUX_DATA::UpdateSysColors()
{
    clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
    clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    clrBtnText = ::GetSysColor(COLOR_BTNTEXT);
    clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
}

void AUX_DATA::UpdateSysMetrics()
{
    cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    cxIcon = ::GetSystemMetrics(SM_CXICON);
    cyIcon = ::GetSystemMetrics(SM_CYICON);
    cxBorder2 = bWin4 ? 2 * ::GetSystemMetrics(SM_CXBORDER) : ::GetSystemMetrics(SM_CXBORDER);
    cyBorder2 = bWin4 ? 2 * ::GetSystemMetrics(SM_CYBORDER) : ::GetSystemMetrics(SM_CYBORDER);
    HDC hDC = ::GetDC(NULL);
    cxPixelsPerInch = hDC != NULL ? ::GetDeviceCaps(hDC, LOGPIXELSX) : 96;
    cyPixelsPerInch = hDC != NULL ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 96;
    if (hDC != NULL)
        ::ReleaseDC(NULL, hDC);
}
