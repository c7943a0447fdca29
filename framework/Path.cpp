// Path.cpp - path splitting, command-line arguments and file questions.
#include "Path.h"

#include <shlwapi.h>
#include <vector>

CString AddSlash(LPCSTR pszText, bool bForward)
{
    CString s(pszText);
    if (!s.IsEmpty()) {
        char c = s[s.GetLength() - 1];
        if (c != '\\' && c != '/')
            s += bForward ? '/' : '\\';
    }
    return s;
}

CString RemoveSlash(LPCSTR pszText)
{
    CString s(pszText);
    if (!s.IsEmpty()) {
        char c = s[s.GetLength() - 1];
        if (c == '\\' || c == '/')
            s.Truncate(s.GetLength() - 1);
    }
    return s;
}

// ---------------------------------------------------------------------------
// CPath::CArgument
// ---------------------------------------------------------------------------

CPath::CArgument& CPath::CArgument::operator=(const CArgument& other)
{
    m_cFlag = other.m_cFlag;
    m_sName = other.m_sName;
    m_sValue = other.m_sValue;
    return *this;
}

void CPath::CArgument::SetName(LPCSTR pszName)
{
    m_sName = pszName;
    if (m_sName.Remove('/') > 0)
        m_cFlag = '/';
    if (m_sName.Remove('-') > 0)
        m_cFlag = '-';
    m_sName.Remove(' ');
}

CString CPath::CArgument::GetString() const
{
    CString s;
    if (!m_sName.IsEmpty())
        s.Format(" %c%s", m_cFlag, (LPCSTR)m_sName);
    if (!m_sValue.IsEmpty()) {
        if (m_sValue.Find(' ') >= 0)
            s += " \"" + m_sValue + "\"";
        else
            s += " " + m_sValue;
    }
    return s;
}

// ---------------------------------------------------------------------------
// Splitting a command line. The rules are the shell's: the arguments start
// after the first blank outside double quotes; a path that stands between
// double quotes loses them.
// ---------------------------------------------------------------------------

static int ArgumentsStart(const CString& s)
{
    bool bQuoted = false;
    for (int i = 0; i < s.GetLength(); i++) {
        if (s[i] == ' ' && !bQuoted)
            return i + 1;
        if (s[i] == '"')
            bQuoted = !bQuoted;
    }
    return s.GetLength();
}

static void RemoveArguments(CString& s)
{
    int nStart = ArgumentsStart(s);
    if (nStart < s.GetLength())
        s.Truncate(nStart - 1);
    else if (!s.IsEmpty() && s[s.GetLength() - 1] == ' ')
        s.Truncate(s.GetLength() - 1);
}

static void UnquoteSpaces(CString& s)
{
    if (s.GetLength() >= 2 && s[0] == '"' && s[s.GetLength() - 1] == '"')
        s = s.Mid(1, s.GetLength() - 2);
}

// Drive ("X:"), directory (through the last slash), name and extension (from
// the last dot of the name on).
static void SplitPathText(const CString& s, CString& sDrive, CString& sDir, CString& sName, CString& sExt)
{
    int nPos = 0;
    if (s.GetLength() >= 2 && s[1] == ':') {
        sDrive = s.Left(2);
        nPos = 2;
    }
    int nLastSlash = -1;
    for (int i = nPos; i < s.GetLength(); i++)
        if (s[i] == '\\' || s[i] == '/')
            nLastSlash = i;
    int nNameStart = nPos;
    if (nLastSlash >= 0) {
        sDir = s.Mid(nPos, nLastSlash + 1 - nPos);
        nNameStart = nLastSlash + 1;
    }
    CString sRest = s.Mid(nNameStart);
    int nDot = sRest.ReverseFind('.');
    if (nDot >= 0) {
        sName = sRest.Left(nDot);
        sExt = sRest.Mid(nDot);
    } else {
        sName = sRest;
    }
}

// ---------------------------------------------------------------------------
// CPath
// ---------------------------------------------------------------------------

CPath::CPath()
{
    Clear();
}

CPath::CPath(LPCSTR pszText, bool bIsFolder, bool bHasArguments)
{
    SetPath(pszText, bIsFolder, bHasArguments);
}

CPath::CPath(int nSource)
{
    Clear();
    if (nSource == sourceCommandLine) {
        SetPath(GetCommandLineA(), false, true);
    } else if (nSource == sourceModule) {
        // The module path may be longer than MAX_PATH: grow until it fits.
        std::vector<char> buffer(MAX_PATH);
        for (;;) {
            DWORD n = GetModuleFileNameA(NULL, buffer.data(), (DWORD)buffer.size());
            if (n < buffer.size()) {
                SetPath(CString(buffer.data(), (int)n), false, false);
                break;
            }
            if (buffer.size() >= 32768)
                break;
            buffer.resize(buffer.size() * 2);
        }
    }
}

CPath& CPath::operator=(LPCSTR pszText)
{
    SetPath(pszText, false, false);
    return *this;
}

CPath& CPath::operator=(const CPath& other)
{
    if (this == &other)
        return *this;
    m_aArguments.RemoveAll();
    m_aArguments.Copy(other.m_aArguments);
    m_aDirectories.Copy(other.m_aDirectories);
    m_bRelative = other.m_bRelative;
    m_FileInfo = other.m_FileInfo;
    m_sGivenText = other.m_sGivenText;
    m_sDrive = other.m_sDrive;
    m_sVolumeName = other.m_sVolumeName;
    m_sDirectory = other.m_sDirectory;
    m_sFileTitle = other.m_sFileTitle;
    m_sExtension = other.m_sExtension;
    m_sArguments = other.m_sArguments;
    m_sPathText = other.m_sPathText;
    return *this;
}

void CPath::Clear()
{
    m_sGivenText.Empty();
    m_sDrive.Empty();
    m_sVolumeName.Empty();
    m_aDirectories.RemoveAll();
    m_sDirectory.Empty();
    m_sFileTitle.Empty();
    m_sExtension.Empty();
    m_sArguments.Empty();
    m_aArguments.RemoveAll();
    m_bRelative = false;
    ZeroMemory(&m_FileInfo, sizeof m_FileInfo);
}

void CPath::SetPath(LPCSTR pszText, bool bIsFolder, bool bHasArguments)
{
    Clear();
    m_sGivenText = pszText;
    // The text is held whole, however long the command line or path.
    CString sPath(pszText);
    if (bHasArguments) {
        m_sArguments = sPath.Mid(ArgumentsStart(sPath));
        RemoveArguments(sPath);
    }
    UnquoteSpaces(sPath);
    if (sPath.IsEmpty())
        return;

    CString sDir, sName, sExt;
    SplitPathText(sPath, m_sDrive, sDir, sName, sExt);
    sDir.Replace('/', '\\');
    m_sDirectory = sDir;
    if (!m_sDirectory.IsEmpty())
        m_bRelative = m_sDirectory[0] != '\\';

    if (bIsFolder) {
        m_sDirectory = AddSlash(AddSlash(m_sDirectory) + sName + sExt);
    } else {
        m_sFileTitle = sName;
        if (!m_sFileTitle.IsEmpty()) {
            m_sExtension = sExt;
            m_sExtension.Remove('.');
        }
    }
}

CString CPath::GetExtension() const
{
    return m_sExtension.IsEmpty() ? CString() : "." + m_sExtension;
}

void CPath::SplitDirectories()
{
    if (m_sDirectory.IsEmpty() || m_aDirectories.GetSize() > 0)
        return;
    // A relative directory starts with its first component; a rooted one with
    // the backslash; a UNC one ("\\server\share\...") with two.
    int nStart = 0;
    if (!m_bRelative)
        nStart = m_sDrive.IsEmpty() && m_sDirectory.Left(2) == "\\\\" ? 2 : 1;
    int nLength = m_sDirectory.GetLength();
    while (nStart < nLength) {
        int nEnd = m_sDirectory.Find('\\', nStart);
        if (nEnd < 0)
            nEnd = nLength;
        if (nEnd > nStart)
            m_aDirectories.Add(m_sDirectory.Mid(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
}

int CPath::GetDirectoryCount()
{
    SplitDirectories();
    return (int)m_aDirectories.GetSize();
}

CString CPath::GetDirectory(int nIndex)
{
    if (nIndex < 0)
        return m_sDirectory;
    SplitDirectories();
    return nIndex < m_aDirectories.GetSize() ? m_aDirectories[nIndex] : CString();
}

CString CPath::GetPath(bool bWithArguments, bool bGivenText)
{
    CString sPath = bGivenText ? m_sGivenText : GetLocation() + GetFileName();
    if (bWithArguments) {
        // One blank between the path and its arguments, as on a command line.
        CString sArguments = GetArgument(-1);
        if (!sPath.IsEmpty() && !sArguments.IsEmpty())
            sPath += ' ';
        sPath += sArguments;
    }
    return sPath;
}

LPCSTR CPath::GetPathText()
{
    m_sPathText = GetPath(false, false);
    return m_sPathText;
}

bool CPath::LocationExists() const
{
    return PathFileExistsA(GetLocation()) != FALSE;
}

bool CPath::Exists()
{
    if (m_sFileTitle.IsEmpty())
        return false;
    return PathFileExistsA(GetPath(false, false)) != FALSE;
}

bool CPath::GetFileInformation()
{
    ZeroMemory(&m_FileInfo, sizeof m_FileInfo);
    HANDLE h = CreateFileA(GetPath(false, false), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_ARCHIVE,
                           NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BOOL bOk = GetFileInformationByHandle(h, &m_FileInfo);
    CloseHandle(h);
    return bOk != FALSE;
}

bool CPath::GetFileSize(ULONGLONG& nSize)
{
    bool bOk = GetFileInformation();
    nSize = ((ULONGLONG)m_FileInfo.nFileSizeHigh << 32) | m_FileInfo.nFileSizeLow;
    if (nSize == 0) {
        CFileStatus status;
        if (CFile::GetStatus(GetPath(false, false), status))
            nSize = status.m_size;
    }
    return bOk;
}

bool CPath::GetFileTime(CTime& time, int nWhich)
{
    bool bOk = GetFileInformation();
    const FILETIME& ft = nWhich == 0   ? m_FileInfo.ftCreationTime
                         : nWhich == 2 ? m_FileInfo.ftLastWriteTime
                                       : m_FileInfo.ftLastAccessTime;
    FILETIME local;
    SYSTEMTIME st;
    if (FileTimeToLocalFileTime(&ft, &local) && FileTimeToSystemTime(&local, &st) && st.wYear >= 1900)
        time = CTime(st);
    else
        time = CTime((__time64_t)0);
    return bOk;
}

CString CPath::GetVolumeName(bool bServerAsName)
{
    if (m_bRelative || !m_sVolumeName.IsEmpty())
        return m_sVolumeName;
    if (m_sDrive.IsEmpty() && bServerAsName) {
        m_sVolumeName = GetDirectory(0);
        return m_sVolumeName;
    }
    CString sRoot;
    if (!m_sDrive.IsEmpty())
        sRoot = m_sDrive + "\\";
    else if (GetDirectoryCount() >= 2)
        sRoot.Format("\\\\%s\\%s\\", (LPCSTR)m_aDirectories[0], (LPCSTR)m_aDirectories[1]);
    if (sRoot.IsEmpty())
        return m_sVolumeName;
    char szName[256] = "";
    if (GetVolumeInformationA(sRoot, szName, sizeof szName, NULL, NULL, NULL, NULL, 0))
        m_sVolumeName = szName;
    return m_sVolumeName;
}

CString CPath::GetAbsolutePath(LPCSTR pszBaseFolder)
{
    if (!m_bRelative || !pszBaseFolder || !*pszBaseFolder)
        return CString();
    CString sJoined = AddSlash(pszBaseFolder) + GetPath(false, false);
    char szResult[MAX_PATH];
    if (sJoined.GetLength() >= MAX_PATH || !PathCanonicalizeA(szResult, sJoined))
        return CString();
    return szResult;
}

CString CPath::GetRelativePath(LPCSTR pszFromFolder)
{
    if (m_bRelative || !pszFromFolder)
        return CString();
    CString sTo = GetPath(false, false);
    char szResult[MAX_PATH];
    if (sTo.GetLength() >= MAX_PATH || strlen(pszFromFolder) >= MAX_PATH ||
        !PathRelativePathToA(szResult, pszFromFolder, FILE_ATTRIBUTE_DIRECTORY, sTo,
                             IsFilePath() ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_DIRECTORY))
        return CString();
    CString sResult(szResult);
    if (sResult.Left(2) == ".\\")
        sResult = sResult.Mid(2);
    return sResult;
}

// ---------------------------------------------------------------------------
// Arguments
// ---------------------------------------------------------------------------

void CPath::SetArguments(LPCSTR pszArguments)
{
    m_aArguments.RemoveAll();
    m_sArguments = pszArguments;
}

void CPath::AddArgument(const CString& sName, const CString& sValue)
{
    CArgument argument;
    argument.SetName(sName);
    argument.m_sValue = sValue;
    m_aArguments.Add(argument);
}

// Options start with "/" or "-"; a word that follows an option is its value;
// a value between double quotes may hold blanks; a value with no option
// before it is an argument without a name.
void CPath::ParseArguments()
{
    if (m_aArguments.GetSize() > 0 || m_sArguments.IsEmpty())
        return;
    CString sWork(m_sArguments);
    sWork.Trim();
    sWork += ' ';
    CString sName, sValue;
    int a = sWork.FindOneOf(" \"");
    while (a >= 0) {
        if (sWork[a] == '"') {
            int nClose = sWork.Find('"', a + 1);
            if (nClose < 0)
                break;
            sValue = sWork.Mid(a + 1, nClose - a - 1);
            a = nClose;
        } else if (sWork[0] == '/' || sWork[0] == '-') {
            if (!sName.IsEmpty())
                AddArgument(sName, CString());
            sName = sWork.Left(a);
        } else {
            sValue = sWork.Left(a);
        }
        if (!sValue.IsEmpty()) {
            AddArgument(sName, sValue);
            sName.Empty();
            sValue.Empty();
        }
        sWork = sWork.Mid(a + 1);
        sWork.TrimLeft();
        a = sWork.FindOneOf(" \"");
    }
    if (!sName.IsEmpty())
        AddArgument(sName, CString());
}

int CPath::GetArgumentCount()
{
    ParseArguments();
    return (int)m_aArguments.GetSize();
}

CString CPath::GetArgument(int nIndex, bool bName)
{
    if (nIndex >= 0) {
        ParseArguments();
        if (nIndex >= m_aArguments.GetSize())
            return CString();
        return bName ? m_aArguments[nIndex].m_sName : m_aArguments[nIndex].m_sValue;
    }
    if (m_sArguments.IsEmpty() && m_aArguments.GetSize() > 0) {
        for (INT_PTR i = 0; i < m_aArguments.GetSize(); i++)
            m_sArguments += m_aArguments[i].GetString();
        m_sArguments.TrimLeft();
    }
    return m_sArguments;
}

int CPath::FindArgument(LPCSTR pszName)
{
    ParseArguments();
    CArgument probe;
    probe.SetName(pszName);
    if (probe.m_sName.IsEmpty())
        return -1;
    for (INT_PTR i = 0; i < m_aArguments.GetSize(); i++)
        if (m_aArguments[i].m_sName.CompareNoCase(probe.m_sName) == 0)
            return (int)i;
    return -1;
}

void CPath::SetArgument(LPCSTR pszName, LPCSTR pszValue)
{
    int nIndex = FindArgument(pszName);
    if (nIndex >= 0)
        m_aArguments[nIndex].m_sValue = pszValue;
    else
        AddArgument(pszName, pszValue);
    m_sArguments.Empty();
}

void CPath::RemoveArgument(int nIndex)
{
    ParseArguments();
    if (nIndex < 0 || nIndex >= m_aArguments.GetSize())
        return;
    m_aArguments.RemoveAt(nIndex);
    m_sArguments.Empty();
}
