#include "OXCustomizeProfile.h"

BOOL OXGetProfileBool(LPCTSTR lpszSection, LPCTSTR lpszEntry, BOOL bCurrent)
{
    return AfxGetApp()->GetProfileInt(lpszSection, lpszEntry, bCurrent ? 1 : 0) != 0;
}

int OXGetProfileIntInRange(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nCurrent, int nMin, int nMax)
{
    int nValue = (int)AfxGetApp()->GetProfileInt(lpszSection, lpszEntry, nCurrent);
    return nValue >= nMin && nValue <= nMax ? nValue : nCurrent;
}

CString OXGetProfileStringBounded(LPCTSTR lpszSection, LPCTSTR lpszEntry, const CString& sCurrent, int nMaxLength)
{
    CString sValue = AfxGetApp()->GetProfileString(lpszSection, lpszEntry, sCurrent);
    return sValue.GetLength() <= nMaxLength ? sValue : sCurrent;
}
