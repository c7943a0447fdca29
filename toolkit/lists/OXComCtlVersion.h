// The version of the common controls library the process uses.
#pragma once

#include <windows.h>

// Major and minor version of comctl32.dll (DllGetVersion); a library without
// DllGetVersion counts as 4.0. E_INVALIDARG for missing outputs, E_FAIL when
// the library cannot be loaded or the call fails.
HRESULT GetComCtlVersion(int* pMajor, int* pMinor);
