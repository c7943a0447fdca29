// Helpers shared by the tests of the layer's non-window core (core_*.cpp).
#pragma once

#include <afx.h>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>

// Runs f; true when it throws an E* (the exception is deleted either way).
template<class E>
bool ThrowsLayerException(const std::function<void()>& f)
{
    try
    {
        f();
    }
    catch (E* e)
    {
        e->Delete();
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    return false;
}

// Runs f; the m_cause of the E* it throws, or -1 when it throws none.
template<class E>
int ThrownCause(const std::function<void()>& f)
{
    try
    {
        f();
    }
    catch (E* e)
    {
        int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    return -1;
}

inline std::vector<BYTE> Bytes(const void* p, size_t n)
{
    return std::vector<BYTE>((const BYTE*)p, (const BYTE*)p + n);
}

inline std::vector<BYTE> Bytes(const CString& str)
{
    return Bytes(str.GetString(), (size_t)str.GetLength());
}

inline std::vector<BYTE> Bytes(std::initializer_list<int> values)
{
    std::vector<BYTE> v;
    for (int x : values)
        v.push_back((BYTE)x);
    return v;
}

// A folder of its own under %TEMP%, removed with everything in it.
class CTempFolder
{
public:
    CTempFolder();
    ~CTempFolder();
    const CString& Path() const { return m_strPath; }
    CString File(LPCSTR lpszName) const { return m_strPath + "\\" + lpszName; }
    // Writes the bytes as they are (binary).
    void Write(LPCSTR lpszName, const std::string& bytes) const;
    std::string Read(LPCSTR lpszName) const;

private:
    CString m_strPath;
};
