// FrameworkUtils.cpp - the framework's free helpers.
#include "FrameworkUtils.h"

#include <afxcmn.h>
#include <afxdlgs.h>
#include <shlobj.h>
#include <cstdlib>

#include "FileDialogST.h"
#include "Path.h"

namespace {

HWND MainHwnd()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain != NULL ? pMain->m_hWnd : NULL;
}

// The folder walks catch whatever goes wrong inside them and say so here.
void ReportCaught(LPCSTR pszText)
{
    ::MessageBoxA(MainHwnd(), pszText, "catch", MB_ICONERROR);
}

bool IsFolder(LPCSTR pszPath)
{
    DWORD dwAttributes = ::GetFileAttributesA(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

CString WithBackslash(LPCSTR pszPath)
{
    CString s(pszPath);
    if (s.IsEmpty() || s[s.GetLength() - 1] != '\\')
        s += '\\';
    return s;
}

// The full paths of a folder's entries other than "." and "..", collected
// before any of them is touched so the search handle is closed during the walk.
void PathsInFolder(const CString& sPath, CStringArray& paths)
{
    CString sFolder = WithBackslash(sPath);
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(sFolder + "*.*", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (strcmp(fd.cFileName, ".") != 0 && strcmp(fd.cFileName, "..") != 0)
            paths.Add(sFolder + fd.cFileName);
    } while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
}

ULONGLONG SizeOf(const CString& sPath)
{
    if (IsFolder(sPath)) {
        CStringArray children;
        PathsInFolder(sPath, children);
        ULONGLONG nSum = 0;
        for (INT_PTR i = 0; i < children.GetSize(); i++)
            nSum += SizeOf(children[i]);
        return nSum;
    }
    ULONGLONG nSize = 0;
    CPath path(sPath);
    path.GetFileSize(nSize);
    return nSize;
}

void DeleteTree(const CString& sPath)
{
    if (IsFolder(sPath)) {
        CStringArray children;
        PathsInFolder(sPath, children);
        for (INT_PTR i = 0; i < children.GetSize(); i++)
            DeleteTree(children[i]);
        ::RemoveDirectoryA(sPath);
    } else {
        ::DeleteFileA(sPath);
    }
}

void ListFolder(const CString& sPath, CStringArray& files, BOOL bRecursive, BOOL bFoldersOnly)
{
    if (!IsFolder(sPath)) {
        if (!bFoldersOnly && ::GetFileAttributesA(sPath) != INVALID_FILE_ATTRIBUTES)
            files.Add(sPath);
        return;
    }
    CStringArray children;
    PathsInFolder(sPath, children);
    for (INT_PTR i = 0; i < children.GetSize(); i++) {
        const CString& sChild = children[i];
        if (IsFolder(sChild)) {
            if (bRecursive)
                ListFolder(sChild, files, bRecursive, bFoldersOnly);
            files.Add(sChild);
        } else if (!bFoldersOnly) {
            files.Add(sChild);
        }
    }
}

// The search for a separator from nStart, skipping a quoted stretch that
// begins before it.
int FindSeparator(const CString& sLine, char chSeparator, int nStart)
{
    int nSep = sLine.Find(chSeparator, nStart);
    int nQuote = sLine.Find('"', nStart);
    while (nQuote >= 0 && (nSep < 0 || nQuote < nSep)) {
        int nClose = sLine.Find('"', nQuote + 1);
        if (nClose < 0)
            return -1;   // the quote runs to the end of the line
        nSep = sLine.Find(chSeparator, nClose + 1);
        nQuote = sLine.Find('"', nClose + 1);
    }
    return nSep;
}

} // namespace

// ---------------------------------------------------------------------------
// Numbers, dates and times
// ---------------------------------------------------------------------------

CString IntToText(int nValue)
{
    CString s;
    s.Format("%d", nValue);
    return s;
}

// Groups of three digits move to the front of the group text from the right,
// and a minus sign never gets a separator after it.
CString GroupDigits(const CString& sNumber)
{
    int nPoint = sNumber.Find('.');
    CString sHead = nPoint >= 0 ? sNumber.Left(nPoint) : sNumber;
    CString sRest = nPoint >= 0 ? sNumber.Mid(nPoint) : CString();
    CString sGroups;
    while (sHead.GetLength() > 3) {
        if (sHead[sHead.GetLength() - 4] == '-')
            break;
        sGroups = "," + sHead.Right(3) + sGroups;
        sHead = sHead.Left(sHead.GetLength() - 3);
    }
    return sHead + sGroups + sRest;
}

CString FormatInteger(int nValue, BOOL bGroup)
{
    CString s;
    s.Format("%d.", nValue);
    if (bGroup)
        s = GroupDigits(s);
    return s.Left(s.GetLength() - 1);
}

CString FormatUnsigned(ULONGLONG nValue, BOOL bGroup)
{
    char szDigits[32];
    _ui64toa(nValue, szDigits, 10);
    CString s = CString(szDigits) + ".";
    if (bGroup)
        s = GroupDigits(s);
    return s.Left(s.GetLength() - 1);
}

CString FormatFloat(float fValue, BOOL bGroup, int nDecimals)
{
    CString sFormat = "%." + FormatInteger(nDecimals, FALSE) + "f";
    CString s;
    s.Format(sFormat, (double)fValue);
    return bGroup ? GroupDigits(s) : s;
}

CString FormatMoney(double dValue, BOOL bGroup)
{
    CString s;
    s.Format("%.2f", dValue);
    return bGroup ? GroupDigits(s) : s;
}

CString FormatTimeHHMMSS(const CTime& time)
{
    return time.Format("%H%M%S");
}

CString FormatDateYYYYMMDD(const CTime& time)
{
    return time.Format("%Y%m%d");
}

CTime TimeFromHHMMSS(LPCTSTR lpszText)
{
    int v = atoi(lpszText != NULL ? lpszText : "");
    int nHour = v / 10000, nMinute = (v / 100) % 100, nSecond = v % 100;
    if (v < 0 || nHour > 23 || nMinute > 59 || nSecond > 59)
        AfxThrowOleException(E_FAIL);
    return CTime(2001, 1, 1, nHour, nMinute, nSecond);
}

CTime DateFromYYYYMMDD(LPCTSTR lpszText)
{
    int v = atoi(lpszText != NULL ? lpszText : "");
    int nYear = v / 10000, nMonth = (v / 100) % 100, nDay = v % 100;
    if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31)
        AfxThrowOleException(E_FAIL);
    try {
        return CTime(nYear, nMonth, nDay, 0, 0, 0);
    } catch (CException* e) {
        e->Delete();
    }
    AfxThrowOleException(E_INVALIDARG);
}

static const char* const s_aMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};
static const char s_szMonthCodes[] = "FGHJKMNQUVXZ";

CString GetMonthName(int nMonth)
{
    if (nMonth < 1 || nMonth > 12)
        return "Month error";
    return s_aMonthNames[nMonth - 1];
}

int GetMonthFromCode(LPCTSTR lpszCode)
{
    if (lpszCode == NULL || lpszCode[0] == '\0' || lpszCode[1] != '\0')
        return -1;
    const char* p = strchr(s_szMonthCodes, lpszCode[0]);
    return p != NULL ? (int)(p - s_szMonthCodes) + 1 : -1;
}

CString GetMonthNameFromCode(LPCTSTR lpszCode)
{
    return GetMonthName(GetMonthFromCode(lpszCode));
}

int GetDaysInMonth(int nMonthIndex)
{
    if (nMonthIndex < 0 || nMonthIndex > 11)
        return 0;
    if (nMonthIndex == 1)
        return 29;
    if (nMonthIndex == 3 || nMonthIndex == 5 || nMonthIndex == 8 || nMonthIndex == 10)
        return 30;
    return 31;
}

double RandomInRange(double a, double b)
{
    return a + rand() / 32768.0 * (b - a);
}

// ---------------------------------------------------------------------------
// Files, folders and the shell
// ---------------------------------------------------------------------------

CString GetTempFolder()
{
    char szPath[256] = "";
    ::GetTempPathA(255, szPath);
    return szPath;
}

CString GetSpecialFolder(int nCSIDL)
{
    CString sPath;
    LPITEMIDLIST pidl = NULL;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(NULL, nCSIDL, &pidl)) && pidl != NULL) {
        char szPath[MAX_PATH] = "";
        if (::SHGetPathFromIDListA(pidl, szPath))
            sPath = szPath;
        IMalloc* pMalloc = NULL;
        if (SUCCEEDED(::SHGetMalloc(&pMalloc)) && pMalloc != NULL) {
            pMalloc->Free(pidl);
            pMalloc->Release();
        }
    }
    return sPath;
}

CString GetComputerNameText()
{
    char szName[255] = "";
    DWORD nSize = sizeof szName;
    if (!::GetComputerNameA(szName, &nSize))
        return "Unknown";
    return szName;
}

CString GetProgramFolder()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(AfxGetInstanceHandle(), szPath, MAX_PATH);
    CString s(szPath);
    return s.Left(s.ReverseFind('\\') + 1);
}

// OpenFile takes paths shorter than OFS_MAXPATHNAME; a longer one is asked
// of its attributes instead.
BOOL FileExists(const CString& sPath)
{
    LPCSTR lpszPath = sPath;
    if (sPath.IsEmpty())
        return FALSE;
    if (lstrlenA(lpszPath) >= OFS_MAXPATHNAME) {
        DWORD dw = ::GetFileAttributesA(lpszPath);
        return dw != INVALID_FILE_ATTRIBUTES && !(dw & FILE_ATTRIBUTE_DIRECTORY);
    }
    OFSTRUCT of = {};
    return ::OpenFile(lpszPath, &of, OF_EXIST) != HFILE_ERROR;
}

BOOL SaveGlobalMemoryToFile(HGLOBAL hMemory, LPCTSTR lpszPath)
{
    if (hMemory == NULL)
        return FALSE;
    OFSTRUCT of = {};
    HFILE hFile = ::OpenFile(lpszPath, &of, OF_CREATE | OF_WRITE);
    if (hFile == HFILE_ERROR) {
        ::MessageBoxA(NULL, "Unable to create file", NULL, MB_OK);
        return FALSE;
    }
    SIZE_T nSize = ::GlobalSize(hMemory);
    const char* p = (const char*)::GlobalLock(hMemory);
    UINT nWritten = p != NULL ? ::_lwrite(hFile, p, (UINT)nSize) : 0;
    ::GlobalUnlock(hMemory);
    ::_lclose(hFile);
    if (nWritten != (UINT)nSize) {
        ::MessageBoxA(NULL, "Unable to read file", NULL, MB_OK);
        return FALSE;
    }
    return TRUE;
}

CString ReadTextFile(LPCTSTR lpszPath)
{
    CStdioFile file;
    if (!file.Open(lpszPath, CFile::modeRead | CFile::typeText))
        return "No file";
    CString sText, sLine;
    while (file.ReadString(sLine))
        sText += sLine + "\r\n";
    file.Close();
    return sText;
}

DWORD GetSizeFolderOrFile(LPCTSTR lpszPath)
{
    try {
        return (DWORD)SizeOf(lpszPath);
    } catch (...) {
        ReportCaught("Error in GetSizeFolderOrFile");
    }
    return 0;
}

CString FormatFolderSize(LPCTSTR lpszPath, BOOL bShort)
{
    DWORD s = GetSizeFolderOrFile(lpszPath);
    CString sText;
    if (s <= 1023) {
        sText.Format("%d bytes", (int)s);
        return sText;
    }
    float kb = (float)s / 1024;
    float mb = kb / 1024;
    if (bShort) {
        if (s > 1048575)
            sText.Format("%.3f Mb", (double)mb);
        else
            sText.Format("%.3f Kb", (double)kb);
    } else {
        if (s > 1048575)
            sText.Format("%.3f Mb (%d bytes)", (double)mb, (int)s);
        else
            sText.Format("%.3f Kb (%d bytes)", (double)kb, (int)s);
    }
    return sText;
}

BOOL DeleteFolderOrFile(LPCTSTR lpszPath)
{
    try {
        DeleteTree(lpszPath);
        return TRUE;
    } catch (...) {
        ReportCaught("Error in DeleteFolderOrFile");
    }
    return FALSE;
}

BOOL GetAllFilesInThisFolder(LPCTSTR lpszPath, CStringArray& files, BOOL bRecursive, BOOL bFoldersOnly)
{
    try {
        ListFolder(lpszPath, files, bRecursive, bFoldersOnly);
        return TRUE;
    } catch (...) {
        ReportCaught("Error in GetAllFilesInThisFolder");
    }
    return FALSE;
}

BOOL GetAllFilesSorted(LPCTSTR lpszPath, CStringArray& files, BOOL bRecursive, BOOL bFoldersOnly)
{
    if (!GetAllFilesInThisFolder(lpszPath, files, bRecursive, bFoldersOnly))
        return FALSE;
    INT_PTR n = files.GetSize();
    for (INT_PTR i = 0; i < n; i++) {
        INT_PTR nMin = i;
        for (INT_PTR j = i + 1; j < n; j++)
            if (strcmp(files[j], files[nMin]) < 0)
                nMin = j;
        if (nMin != i) {
            CString s = files[i];
            files[i] = files[nMin];
            files[nMin] = s;
        }
    }
    return TRUE;
}

BOOL IsDriveRoot(LPCTSTR lpszText)
{
    if (lpszText == NULL)
        return FALSE;
    for (char c = 'A'; c <= 'Z'; c++) {
        CString sOne, sTwo;
        sOne.Format("%c:\\", c);
        sTwo.Format("%c:\\\\", c);
        if (sOne == lpszText || sTwo == lpszText)
            return TRUE;
    }
    return FALSE;
}

CString GetFileNameFromPath(LPCTSTR lpszPath)
{
    CString s(lpszPath);
    int n = s.ReverseFind('\\');
    if (n < 0 || n == s.GetLength() - 1)
        return s;
    return s.Mid(n + 1);
}

CString GetExtensionFromPath(LPCTSTR lpszPath)
{
    CString s(lpszPath);
    int n = s.ReverseFind('.');
    if (n < 0 || n == s.GetLength() - 1)
        return CString();
    return s.Mid(n + 1);
}

BOOL ShowFileProperties(LPCTSTR lpszPath)
{
    try {
        SHELLEXECUTEINFOA sei = {};
        sei.cbSize = sizeof sei;
        sei.hwnd = MainHwnd();
        sei.lpVerb = "properties";
        sei.lpFile = lpszPath;
        sei.fMask = SEE_MASK_INVOKEIDLIST;
        sei.nShow = SW_SHOW;
        ::ShellExecuteExA(&sei);
        return TRUE;
    } catch (...) {
    }
    return FALSE;
}

// The shell's folder browser (file-system folders, new dialog style),
// opening at the current folder.
BOOL SelectFolder(CString& sFolder, LPCTSTR lpszTitle)
{
    CString sStart = sFolder;
    CFileDialogST dlg;
    if (dlg.SelectFolder(lpszTitle, sStart, BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE,
                         AfxGetMainWnd()) != IDOK)
        return FALSE;
    sFolder = dlg.GetSelectedFolder();
    return TRUE;
}

namespace {

typedef BOOL(WINAPI* PFNPICKICON)(HWND, LPVOID, UINT, int*);

bool IsWindowsNT()
{
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof vi;
    ::GetVersionExA(&vi);
    return vi.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// The shell's icon picker is exported by ordinal only; on Windows NT it takes
// a wide path, elsewhere an ANSI one.
BOOL CallPickIcon(HWND hWndOwner, LPWSTR pszWide, LPSTR pszAnsi, UINT nSize, int& nIconIndex)
{
    HMODULE hShell = ::LoadLibraryA("shell32.dll");
    if (hShell == NULL)
        return FALSE;
    PFNPICKICON pfn = reinterpret_cast<PFNPICKICON>(::GetProcAddress(hShell, (LPCSTR)62));
    BOOL bResult = FALSE;
    if (pfn != NULL) {
        if (IsWindowsNT()) {
            bResult = pfn(hWndOwner, pszWide, nSize, &nIconIndex);
        } else {
            bResult = pfn(hWndOwner, pszAnsi, nSize, &nIconIndex);
        }
    }
    ::FreeLibrary(hShell);
    return bResult;
}

} // namespace

BOOL PickIconA(HWND hWndOwner, LPSTR lpszPath, UINT nPathSize, int& nIconIndex)
{
    if (lpszPath == NULL || nPathSize == 0)
        return FALSE;
    WCHAR szWide[MAX_PATH] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, lpszPath, -1, szWide, MAX_PATH);
    UINT nSize = nPathSize < MAX_PATH ? nPathSize : MAX_PATH;
    BOOL bResult = CallPickIcon(hWndOwner, szWide, lpszPath, nSize, nIconIndex);
    if (bResult && IsWindowsNT())
        ::WideCharToMultiByte(CP_ACP, 0, szWide, -1, lpszPath, (int)nPathSize, NULL, NULL);
    return bResult;
}

BOOL PickIconW(HWND hWndOwner, LPWSTR lpszPath, UINT nPathSize, int& nIconIndex)
{
    if (lpszPath == NULL || nPathSize == 0)
        return FALSE;
    char szAnsi[MAX_PATH] = "";
    ::WideCharToMultiByte(CP_ACP, 0, lpszPath, -1, szAnsi, MAX_PATH, NULL, NULL);
    UINT nSize = nPathSize < MAX_PATH ? nPathSize : MAX_PATH;
    BOOL bResult = CallPickIcon(hWndOwner, lpszPath, szAnsi, nSize, nIconIndex);
    if (bResult && !IsWindowsNT())
        ::MultiByteToWideChar(CP_ACP, 0, szAnsi, -1, lpszPath, (int)nPathSize);
    return bResult;
}

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

CString GetLineAt(const CString& sText, int nStart, int& nNext)
{
    int nEnd = sText.Find("\r\n", nStart);
    if (nEnd < 0) {
        nNext = 1;
        return CString();
    }
    nNext = nEnd + 2;
    return sText.Mid(nStart, nEnd - nStart);
}

CString LfToCrLf(const CString& sText)
{
    CString s(sText);
    s.Replace("\n", "\r\n");
    return s;
}

CString CrLfToLf(const CString& sText)
{
    CString s;
    for (int i = 0; i < sText.GetLength(); i++) {
        if (sText[i] == '\r') {
            s += '\n';
            i++;   // the character after the CR goes with it
        } else {
            s += sText[i];
        }
    }
    return s;
}

void WriteStringToFile(CFile& file, const CString& sText)
{
    DWORD nLength = (DWORD)sText.GetLength();
    file.Write(&nLength, sizeof nLength);
    for (DWORD i = 0; i < nLength; i++) {
        char c = sText[(int)i];
        file.Write(&c, 1);
    }
}

// Reading stops at the end of the file even when the stored count promises more.
void ReadStringFromFile(CFile& file, CString& sText)
{
    sText.Empty();
    DWORD nLength = 0;
    if (file.Read(&nLength, sizeof nLength) != sizeof nLength)
        return;
    for (DWORD i = 0; i < nLength; i++) {
        char c;
        if (file.Read(&c, 1) != 1)
            break;
        sText += c;
    }
}

CString GetCsvField(const CString& sLine, char chSeparator, int nIndex)
{
    // The searches start at the first character, so that the opening quote of
    // a quoted first field is seen (a search from the second character would
    // take its closing quote for an opening one).
    int nPrevious = -1;
    for (int i = 0; i < nIndex; i++) {
        nPrevious = FindSeparator(sLine, chSeparator, nPrevious + 1);
        if (nPrevious < 0)
            return CString();
    }
    int nFirst = nIndex == 0 ? 0 : nPrevious + 1;
    int nEnd = FindSeparator(sLine, chSeparator, nPrevious + 1);
    CString sField = nEnd < 0 ? sLine.Mid(nFirst) : sLine.Mid(nFirst, nEnd - nFirst);
    if (!sField.IsEmpty() && sField[0] == '"')
        sField = sField.Mid(1);
    if (!sField.IsEmpty() && sField[sField.GetLength() - 1] == '"')
        sField = sField.Left(sField.GetLength() - 1);
    sField.Remove(',');
    sField.Trim(" ");
    return sField;
}

LPCSTR EscapeOfChar(TextEscape escape, char ch)
{
    switch (escape) {
    case textEscapeNone:
        return NULL;
    case textEscapeHtmlQuote:
        if (ch == '\'')
            return "&#39;";
        // fall through
    case textEscapeHtml:
        return ch == '&' ? "&amp;" : ch == '<' ? "&lt;" : ch == '>' ? "&gt;" : NULL;
    case textEscapeCsvField:
        return ch == '"' ? "\"\"" : NULL;
    }
    return NULL;
}

CString EscapeText(const CString& sText, TextEscape escape)
{
    CString sEscaped;
    sEscaped.Preallocate(sText.GetLength());
    for (int i = 0; i < sText.GetLength(); i++) {
        if (LPCSTR pszEscape = EscapeOfChar(escape, sText[i]))
            sEscaped += pszEscape;
        else
            sEscaped += sText[i];
    }
    return sEscaped;
}

CString QuoteCsvField(const CString& sText)
{
    return "\"" + EscapeText(sText, textEscapeCsvField) + "\"";
}

void SplitWords(const CString& sText, CStringArray& words)
{
    CString s(sText);
    s.Remove(',');
    s.Replace('(', '-');
    s.Remove(')');
    s.Trim(" ");
    int nPos = 0;
    while (nPos < s.GetLength()) {
        int nBlank = s.Find(' ', nPos);
        if (nBlank < 0)
            nBlank = s.GetLength();
        if (nBlank > nPos)
            words.Add(s.Mid(nPos, nBlank - nPos));
        nPos = nBlank + 1;
    }
}

int ExtractTableRow(CStringArray& cells, const CString& sPage, LPCTSTR lpszStart, LPCTSTR lpszEnd, int nStart,
                    LPCTSTR lpszRemove, LPCTSTR lpszBlank)
{
    int nBegin = sPage.Find(lpszStart, nStart);
    if (nBegin < 0)
        return -1;
    nBegin += lstrlenA(lpszStart);
    int nEnd = sPage.Find(lpszEnd, nBegin);
    if (nEnd < 0)
        return -1;
    CString sRow = sPage.Mid(nBegin, nEnd - nBegin);
    if (lpszRemove != NULL && lpszRemove[0] != '\0')
        sRow.Replace(lpszRemove, "");
    sRow.Replace(" ", "@@@");
    if (lpszBlank != NULL && lpszBlank[0] != '\0')
        sRow.Replace(lpszBlank, " ");
    CStringArray words;
    SplitWords(sRow, words);
    static const char* const aDropped[] = {"<font color=#FF0000>", "</font>", "<small>", "</small>", "</span>",
                                           "<span class=\"s5\">"};
    for (INT_PTR i = 0; i < words.GetSize(); i++) {
        CString sWord = words[i];
        for (const char* pszDropped : aDropped)
            sWord.Replace(pszDropped, "");
        sWord.Replace("@@@", " ");
        sWord.Replace("&nbsp;", " ");
        sWord.Replace("&amp;", "&");
        cells.Add(sWord);
    }
    return nEnd;
}

// Ten cells at most; a table with fewer stops at its last one.
BOOL ParseQuoteTable(CStringArray& cells, const CString& sPage, LPCTSTR lpszTableStart, LPCTSTR lpszTableEnd,
                     LPCTSTR lpszCellMarker, LPCTSTR lpszName, LPCTSTR lpszAltTableEnd)
{
    try {
        int nTable = sPage.Find(lpszTableStart);
        if (nTable < 0)
            return FALSE;
        int nFirstCell = sPage.Find(lpszCellMarker, nTable);
        if (nFirstCell < 0)
            return FALSE;
        int nEnd = sPage.Find(lpszTableEnd, nFirstCell);
        if (nEnd < 0 && lpszAltTableEnd != NULL && lpszAltTableEnd[0] != '\0')
            nEnd = sPage.Find(lpszAltTableEnd, nFirstCell);
        if (nEnd < 0)
            return FALSE;
        CString sPart = sPage.Mid(nFirstCell, nEnd - nFirstCell);
        int nMarker = lstrlenA(lpszCellMarker);
        int nPos = 0;
        for (int i = 0; i < 10; i++) {
            int nCell = sPart.Find(lpszCellMarker, nPos);
            if (nCell < 0)
                break;
            int nClose = sPart.Find("</td>", nCell + nMarker);
            if (nClose < 0)
                break;
            int nFrom = nCell + nMarker, nTo = nClose;
            if (nFrom + 1 < sPart.GetLength() && sPart[nFrom + 1] == '\n') {
                nFrom += 2;
                nTo -= 2;
            }
            CString sCell = nTo > nFrom ? sPart.Mid(nFrom, nTo - nFrom) : CString();
            sCell.Remove(',');
            sCell.Remove(' ');
            sCell.Replace('(', '-');
            sCell.Remove(')');
            cells.Add(sCell);
            nPos = nClose + 5;
        }
        return TRUE;
    } catch (...) {
        ::MessageBoxA(MainHwnd(), CString("Error of parsing file for ") + lpszName, "Error", MB_ICONERROR);
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Lists, menus, pickers, bitmap image lists
// ---------------------------------------------------------------------------

BOOL SelectListItem(int nIndex, CListCtrl* pList)
{
    HWND hList = pList != NULL ? pList->m_hWnd : NULL;
    if (hList == NULL)
        return FALSE;
    int nCount = (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0);
    if (nCount == 0)
        return FALSE;
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nCount - 1)
        nIndex = nCount - 1;
    ::SetFocus(hList);
    ::SendMessageA(hList, LVM_ENSUREVISIBLE, nIndex, FALSE);
    LVITEMA item = {};
    item.mask = LVIF_STATE;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    item.stateMask = (UINT)-1;
    ::SendMessageA(hList, LVM_SETITEMSTATE, nIndex, (LPARAM)&item);
    ::SendMessageA(hList, LVM_SETSELECTIONMARK, 0, nIndex);
    return (BOOL)::SendMessageA(hList, LVM_ENSUREVISIBLE, nIndex, FALSE);
}

void UpdateMenuFromDialog(CMenu* pMenu, CWnd* pDialog)
{
    HMENU hMenu = pMenu != NULL ? pMenu->m_hMenu : NULL;
    HWND hDialog = pDialog != NULL ? pDialog->m_hWnd : NULL;
    if (hMenu == NULL || hDialog == NULL)
        return;
    int nItems = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nItems; i++) {
        UINT nId = ::GetMenuItemID(hMenu, i);
        if (nId == 0 || nId == (UINT)-1)
            continue;
        HWND hControl = ::GetDlgItem(hDialog, (int)nId);
        if (hControl == NULL)
            continue;
        BOOL bChecked = ::SendMessageA(hControl, BM_GETCHECK, 0, 0) != 0;
        ::CheckMenuItem(hMenu, nId, MF_BYCOMMAND | (bChecked ? MF_CHECKED : MF_UNCHECKED));
        ::EnableMenuItem(hMenu, nId, MF_BYCOMMAND | (::IsWindowEnabled(hControl) ? MF_ENABLED : MF_GRAYED));
    }
}

BOOL ChooseColorValue(COLORREF& clr)
{
    CColorDialog dlg(clr);
    dlg.m_cc.rgbResult = clr;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    clr = dlg.GetColor();
    return TRUE;
}

// The chosen font comes back with its colour: a font picker that kept the
// choice to itself would be of no use to its caller.
BOOL ChooseFontValue(COLORREF& clr, LOGFONT& lf)
{
    CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT);
    dlg.m_cf.rgbColors = clr;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    clr = dlg.GetColor();
    lf = dlg.m_lf;
    return TRUE;
}

BOOL LoadBitmapImageList(UINT nBitmapId, CImageList& imageList, int cx, int cy, UINT nFlags, int nInitial,
                         COLORREF clr)
{
    HBITMAP hBitmap = (HBITMAP)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapId), IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION | LR_DEFAULTSIZE);
    if (hBitmap == NULL)
        return FALSE;
    ReplaceBitmapBackground(hBitmap, clr);
    BOOL bOk = imageList.Create(cx, cy, nFlags, nInitial, 0);
    if (bOk) {
        bOk = ImageList_Add(imageList.m_hImageList, hBitmap, NULL) >= 0;
        imageList.SetBkColor(clr);
    }
    ::DeleteObject(hBitmap);
    return bOk;
}
