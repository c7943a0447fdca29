// The version of the common controls library the process uses.
#pragma once

#include <windows.h>

// Major and minor version of comctl32.dll (DllGetVersion); a library without
// DllGetVersion counts as 4.0. E_INVALIDARG for missing outputs, E_FAIL when
// the library cannot be loaded or the call fails.
HRESULT GetComCtlVersion(int* pMajor, int* pMinor);

// A version GetComCtlVersion reports instead of the library's, so that code
// that branches on the version can be run down each branch; a negative
// major version goes back to the library's own.
void SetComCtlVersionOverride(int nMajor, int nMinor);

// The version as one number, major << 16 | minor, for comparisons.
inline DWORD PackComCtlVersion(int nMajor, int nMinor)
{
    return ((DWORD)nMajor << 16) | (DWORD)(nMinor & 0xFFFF);
}
