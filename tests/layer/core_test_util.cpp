// Helpers of the core tests (see core_test.h).
#include "core_test.h"

namespace
{
void RemoveTree(const CString& strPath)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA(strPath + "\\*", &fd);
    if (h != INVALID_HANDLE_VALUE)
    {
        do
        {
            CString strName(fd.cFileName);
            if (strName == "." || strName == "..")
                continue;
            CString strChild = strPath + "\\" + strName;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(strChild);
            else
            {
                ::SetFileAttributesA(strChild, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(strChild);
            }
        } while (::FindNextFileA(h, &fd));
        ::FindClose(h);
    }
    ::RemoveDirectoryA(strPath);
}
} // namespace

CTempFolder::CTempFolder()
{
    static LONG s_nCounter = 0;
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    m_strPath.Format("%spellucor_core_%lu_%ld", szTemp, ::GetCurrentProcessId(),
                     ::InterlockedIncrement(&s_nCounter));
    ::CreateDirectoryA(m_strPath, NULL);
}

CTempFolder::~CTempFolder()
{
    RemoveTree(m_strPath);
}

void CTempFolder::Write(LPCSTR lpszName, const std::string& bytes) const
{
    HANDLE h = ::CreateFileA(File(lpszName), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD n = 0;
    ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, NULL);
    ::CloseHandle(h);
}

std::string CTempFolder::Read(LPCSTR lpszName) const
{
    std::string bytes;
    HANDLE h = ::CreateFileA(File(lpszName), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(h, buf, sizeof buf, &n, NULL) && n > 0)
        bytes.append(buf, n);
    ::CloseHandle(h);
    return bytes;
}
