// Reading a customize page's values back from the application's profile.
// What is stored there may have been written by anyone: a value the page
// cannot use is ignored and the page keeps what it had.
#pragma once

#include <afxwin.h>

// A switch: any stored number, read as on (not 0) or off.
BOOL OXGetProfileBool(LPCTSTR lpszSection, LPCTSTR lpszEntry, BOOL bCurrent);
// A number within nMin..nMax (both included); nCurrent when absent or outside.
int OXGetProfileIntInRange(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nCurrent, int nMin, int nMax);
// A text of at most nMaxLength characters; sCurrent when absent or longer.
CString OXGetProfileStringBounded(LPCTSTR lpszSection, LPCTSTR lpszEntry, const CString& sCurrent,
                                  int nMaxLength);
