// A folder of its own for each test that writes files, and small file helpers.
#pragma once

#include <afx.h>
#include <string>

class CTestFolder
{
public:
    CTestFolder()
    {
        char szTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        static LONG nCounter = 0;
        m_sPath.Format("%spellucor-test-%lu-%ld", szTemp, GetCurrentProcessId(), InterlockedIncrement(&nCounter));
        CreateDirectoryA(m_sPath, NULL);
    }
    ~CTestFolder() { RemoveTree(m_sPath); }
    const CString& Path() const { return m_sPath; }
    CString File(LPCSTR pszName) const { return m_sPath + "\\" + pszName; }

private:
    static void RemoveTree(const CString& sFolder)
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(sFolder + "\\*", &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                CString sName(fd.cFileName);
                if (sName == "." || sName == "..")
                    continue;
                CString sChild = sFolder + "\\" + sName;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(sChild);
                else
                    DeleteFileA(sChild);
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(sFolder);
    }
    CString m_sPath;
};

inline std::string ReadFileBytes(LPCSTR pszPath)
{
    std::string s;
    HANDLE h = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, NULL) && n > 0)
        s.append(buf, n);
    CloseHandle(h);
    return s;
}

inline void WriteFileBytes(LPCSTR pszPath, const std::string& s)
{
    HANDLE h = CreateFileA(pszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD n = 0;
    WriteFile(h, s.data(), (DWORD)s.size(), &n, NULL);
    CloseHandle(h);
}

inline bool TestPathExists(LPCSTR pszPath)
{
    return GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}
