// COXRegistryValFile: a memory file whose contents live in one REG_BINARY
// registry value. Opening reads the value; flushing, closing or destroying
// the file writes the whole contents back. Organizers keep archived state in
// the registry through it.
#pragma once

#include <afx.h>

class COXRegistryValFile : public CMemFile
{
    DECLARE_DYNAMIC(COXRegistryValFile)
public:
    COXRegistryValFile();
    // Throws a CFileException (accessDenied, the registry error, the subkey
    // as file name) when the value cannot be opened.
    COXRegistryValFile(HKEY hParentKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName);
    virtual ~COXRegistryValFile();

    BOOL Open(HKEY hParentKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName, LONG& nError);

    // Writing the value back may fail (a read-only key, a full registry):
    // Flush and Close then throw a CFileException, so that a saver never
    // reports state as stored when nothing was.
    void Flush() override;
    void Close() override;
    void Abort() override;

    BOOL IsOpen() const { return m_hKey != NULL; }

protected:
    void WriteBack();
    void CloseKey();

    HKEY m_hKey;
    CString m_sValueName;
};
