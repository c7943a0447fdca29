// VersionText.cpp - the version text of the program's file.
#include "VersionText.h"

#include <vector>

CString FormatVersionText(LPCSTR pszName, DWORD dwVersionMS, DWORD dwVersionLS, bool bNoName)
{
    int nMajor = HIWORD(dwVersionMS);
    int nMinor = LOWORD(dwVersionMS);
    int nThird = HIWORD(dwVersionLS);
    int nFourth = LOWORD(dwVersionLS);
    CString strText;

    // Major 0: a beta of the coming first release.
    if (nMajor == 0) {
        if (nFourth != 0)
            strText.Format("%s Beta %d.%d beta %d", pszName, nMinor, nThird, nFourth);
        else
            strText.Format("%s Beta %d.%d", pszName, nMinor, nThird);
        return strText;
    }

    // The fourth number holds a letter release (hundreds: 1 = "a") and a beta
    // number (below a hundred).
    int nBeta = nFourth % 100;
    int nLetter = nFourth / 100;
    if (nBeta != 0) {
        if (bNoName)
            strText.Format("version %d.%d.%d.%d beta", nMajor, nMinor, nThird, nBeta);
        else if (nThird == 0)
            strText.Format("%s version %d.%d beta %d", pszName, nMajor, nMinor, nBeta);
        else
            strText.Format("%s version %d.%d.%d beta %d", pszName, nMajor, nMinor, nThird, nBeta);
    } else if (nLetter != 0) {
        if (nThird == 0)
            strText.Format("%s version %d.%d%c", pszName, nMajor, nMinor, 96 + nLetter);
        else
            strText.Format("%s version %d.%d.%d%c", pszName, nMajor, nMinor, nThird, 96 + nLetter);
    } else {
        if (nThird == 0)
            strText.Format("%s version %d.%d", pszName, nMajor, nMinor);
        else
            strText.Format("%s version %d.%d.%d", pszName, nMajor, nMinor, nThird);
    }
    return strText;
}

CString GetVersionText(bool bNoName)
{
    char szPath[MAX_PATH + 1] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    DWORD dwHandle = 0;
    DWORD nSize = ::GetFileVersionInfoSizeA(szPath, &dwHandle);
    if (nSize == 0)
        return "Application";
    std::vector<char> block(nSize);
    if (!::GetFileVersionInfoA(szPath, dwHandle, nSize, block.data()))
        return "Application";

    CString strName;
    WORD* pTranslation = NULL;
    UINT nLength = 0;
    if (::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", (LPVOID*)&pTranslation, &nLength) &&
        pTranslation != NULL && nLength >= 2 * sizeof(WORD)) {
        CString strKey;
        strKey.Format("\\StringFileInfo\\%04x%04x\\ProductName", pTranslation[0], pTranslation[1]);
        LPSTR pszName = NULL;
        if (::VerQueryValueA(block.data(), strKey, (LPVOID*)&pszName, &nLength) && pszName != NULL && nLength > 0)
            strName = pszName;
    }

    VS_FIXEDFILEINFO* pFixed = NULL;
    if (!::VerQueryValueA(block.data(), "\\", (LPVOID*)&pFixed, &nLength) || pFixed == NULL)
        return CString();
    return FormatVersionText(strName, pFixed->dwFileVersionMS, pFixed->dwFileVersionLS, bNoName);
}
