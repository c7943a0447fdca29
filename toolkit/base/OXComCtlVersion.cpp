#include "OXComCtlVersion.h"

#include <shlwapi.h>

namespace {
int g_nOverrideMajor = -1, g_nOverrideMinor = 0;
}

void SetComCtlVersionOverride(int nMajor, int nMinor)
{
    g_nOverrideMajor = nMajor;
    g_nOverrideMinor = nMinor;
}

HRESULT GetComCtlVersion(int* pMajor, int* pMinor)
{
    if (pMajor == NULL || pMinor == NULL || ::IsBadWritePtr(pMajor, sizeof(int)) ||
        ::IsBadWritePtr(pMinor, sizeof(int)))
        return E_INVALIDARG;
    if (g_nOverrideMajor >= 0) {
        *pMajor = g_nOverrideMajor;
        *pMinor = g_nOverrideMinor;
        return S_OK;
    }
    HMODULE hLoaded = ::GetModuleHandleA("comctl32.dll");
    HMODULE hModule = hLoaded != NULL ? hLoaded : ::LoadLibraryA("comctl32.dll");
    if (hModule == NULL)
        return E_FAIL;
    HRESULT hr = S_OK;
    typedef HRESULT(CALLBACK * PFNDLLGETVERSION)(DLLVERSIONINFO*);
    PFNDLLGETVERSION pfn = reinterpret_cast<PFNDLLGETVERSION>(::GetProcAddress(hModule, "DllGetVersion"));
    if (pfn == NULL) {
        *pMajor = 4;
        *pMinor = 0;
    } else {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof(info);
        hr = pfn(&info);
        if (SUCCEEDED(hr)) {
            *pMajor = (int)info.dwMajorVersion;
            *pMinor = (int)info.dwMinorVersion;
        } else {
            hr = E_FAIL;
        }
    }
    if (hLoaded == NULL)
        ::FreeLibrary(hModule);
    return hr;
}
