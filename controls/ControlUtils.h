// ControlUtils.h - free helpers that the window controls use and the
// framework hands on with its own (FrameworkUtils.h includes this header):
// clipboard text, and a bitmap's background colour replaced.
#pragma once

#include <afxwin.h>

// Opens the clipboard for the main window. An empty text is refused (FALSE)
// and leaves the clipboard as it was.
BOOL SetClipboardText(LPCTSTR lpszText);
BOOL GetClipboardText(CString& sText);
// The text of a memory block: up to its first zero, or its end when it holds
// none (a block from another program need not end with one).
CString GetGlobalText(HGLOBAL hData);

// Every pixel of the first pixel's exact colour becomes clr (24-bit DIB sections).
void ReplaceBitmapBackground(HBITMAP hBitmap, COLORREF clr);
