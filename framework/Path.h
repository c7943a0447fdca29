// Path.h - CPath: one path text, optionally followed by command-line
// arguments, split into drive, directory, file title, extension and an
// argument list, with questions about the file it names.
//
// Texts of any length are held whole: a long command line or a deep path is
// split like a short one. Where a system call is limited to MAX_PATH (the
// absolute and relative forms), a longer text gives the empty result that
// call's failure gives.
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <afxtempl.h>

// The text with "\" (or "/" when bForward) appended when it is non-empty and
// does not already end in a slash of either kind.
CString AddSlash(LPCSTR pszText, bool bForward = false);
// The text with one trailing "\" or "/" removed.
CString RemoveSlash(LPCSTR pszText);

class CPath
{
public:
    // One parsed argument: an option character ("/" or "-"), a name, a value.
    class CArgument
    {
    public:
        CArgument() : m_cFlag('/') {}
        CArgument(const CArgument& other) { *this = other; }
        virtual ~CArgument() {}
        CArgument& operator=(const CArgument& other);

        // Takes "/" or "-" out of the text into the flag ("-" wins when both
        // were there) and drops every blank.
        void SetName(LPCSTR pszName);
        // " %c%s" of flag and name when there is a name, then a blank and the
        // value (quoted when it holds a blank) when there is a value.
        CString GetString() const;

        char m_cFlag;
        CString m_sName;
        CString m_sValue;
    };

    enum { sourceCommandLine = 0, sourceModule = 1 };

    CPath();
    CPath(LPCSTR pszText, bool bIsFolder = false, bool bHasArguments = false);
    // sourceCommandLine: the process's command line, with arguments;
    // sourceModule: the program's own file; any other number: empty.
    explicit CPath(int nSource);
    CPath(const CPath& other) { *this = other; }
    virtual ~CPath() {}

    CPath& operator=(LPCSTR pszText);
    CPath& operator=(const CPath& other);

    void SetPath(LPCSTR pszText, bool bIsFolder = false, bool bHasArguments = false);

    CString GetDrive() const { return m_sDrive; }
    CString GetFileTitle() const { return m_sFileTitle; }
    CString GetExtensionName() const { return m_sExtension; }
    CString GetExtension() const;
    CString GetFileName() const { return m_sFileTitle + GetExtension(); }
    int GetDirectoryCount();
    // Negative index: the whole directory part; past the end: "".
    CString GetDirectory(int nIndex = -1);
    CString GetLocation() const { return m_sDrive + m_sDirectory; }
    CString GetPath(bool bWithArguments = false, bool bGivenText = false);
    LPCSTR GetPathText();

    bool IsRelative() const { return m_bRelative; }
    bool IsLocalPath() const { return !m_sDrive.IsEmpty() && !m_bRelative; }
    bool IsFilePath() const { return !m_sFileTitle.IsEmpty(); }
    bool LocationExists() const;
    bool Exists();

    bool GetFileInformation();
    bool GetFileSize(ULONGLONG& nSize);
    // nWhich 0: creation, 2: last write, any other: last access.
    bool GetFileTime(CTime& time, int nWhich = 2);
    CString GetVolumeName(bool bServerAsName = false);
    CString GetAbsolutePath(LPCSTR pszBaseFolder);
    CString GetRelativePath(LPCSTR pszFromFolder);

    void SetArguments(LPCSTR pszArguments);
    int GetArgumentCount();
    // nIndex >= 0: the argument's name (bName) or value; nIndex < 0: the
    // argument text, rebuilt from the arguments when it was emptied.
    CString GetArgument(int nIndex = -1, bool bName = false);
    int FindArgument(LPCSTR pszName);
    void SetArgument(LPCSTR pszName, LPCSTR pszValue);
    void RemoveArgument(int nIndex);

protected:
    void Clear();
    void ParseArguments();
    void SplitDirectories();
    void AddArgument(const CString& sName, const CString& sValue);

    CString m_sGivenText;
    CString m_sDrive;
    CString m_sVolumeName;
    CStringArray m_aDirectories;
    CString m_sDirectory;
    CString m_sFileTitle;
    CString m_sExtension;
    CString m_sArguments;
    CArray<CArgument, const CArgument&> m_aArguments;
    bool m_bRelative;
    BY_HANDLE_FILE_INFORMATION m_FileInfo;
    CString m_sPathText;
};
