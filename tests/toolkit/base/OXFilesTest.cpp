// The registry value file and the block-converted file: what they store, what
// they read back, and that a failure is reported instead of lost.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXConvertedFile.h"
#include "OXRegistryValFile.h"
#include "TestFolder.h"

namespace {

const char kTestKey[] = "Software\\Dunmorrow\\PellucorToolkitTest";

class OXRegistryValFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }

    // The stored value's type and bytes; type 0 when there is none.
    static DWORD StoredValue(LPCSTR name, std::string& bytes)
    {
        HKEY hKey;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return 0;
        DWORD type = 0, size = 0;
        if (::RegQueryValueExA(hKey, name, NULL, &type, NULL, &size) != ERROR_SUCCESS) {
            ::RegCloseKey(hKey);
            return 0;
        }
        bytes.assign(size, '\0');
        ::RegQueryValueExA(hKey, name, NULL, &type, (BYTE*)&bytes[0], &size);
        ::RegCloseKey(hKey);
        return type;
    }
};

TEST_F(OXRegistryValFileTest, AMissingValueOpensEmptyAndIsStoredOnClose)
{
    COXRegistryValFile file;
    LONG error = -1;
    ASSERT_TRUE(file.Open(HKEY_CURRENT_USER, kTestKey, "State", error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(file.GetLength(), 0u);
    file.Close();
    std::string bytes;
    EXPECT_EQ(StoredValue("State", bytes), (DWORD)REG_BINARY);
    EXPECT_TRUE(bytes.empty());
}

TEST_F(OXRegistryValFileTest, AnArchiveOf5000BytesComesBackFromPositionZero)
{
    std::vector<BYTE> data(5000);
    for (size_t i = 0; i < data.size(); i++)
        data[i] = (BYTE)(i * 7);
    {
        COXRegistryValFile file(HKEY_CURRENT_USER, kTestKey, "State");
        CArchive ar(&file, CArchive::store);
        ar.Write(data.data(), (UINT)data.size());
        ar.Close();
        file.Close();
    }
    std::string bytes;
    ASSERT_EQ(StoredValue("State", bytes), (DWORD)REG_BINARY);
    EXPECT_EQ(bytes.size(), 5000u);

    COXRegistryValFile file(HKEY_CURRENT_USER, kTestKey, "State");
    EXPECT_EQ(file.GetPosition(), 0u);
    std::vector<BYTE> back(5000);
    EXPECT_EQ(file.Read(back.data(), 5000), 5000u);
    EXPECT_EQ(back, data);
}

TEST_F(OXRegistryValFileTest, AStringValueIsRefusedAndLeftAlone)
{
    HKEY hKey;
    ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, kTestKey, &hKey), ERROR_SUCCESS);
    ::RegSetValueExA(hKey, "State", 0, REG_SZ, (const BYTE*)"text", 5);
    ::RegCloseKey(hKey);

    COXRegistryValFile file;
    LONG error = -1;
    EXPECT_FALSE(file.Open(HKEY_CURRENT_USER, kTestKey, "State", error));
    EXPECT_EQ(error, 0);
    EXPECT_THROW(COXRegistryValFile(HKEY_CURRENT_USER, kTestKey, "State"), CFileException*);
    std::string bytes;
    EXPECT_EQ(StoredValue("State", bytes), (DWORD)REG_SZ);
    EXPECT_EQ(bytes, std::string("text", 5));
}

TEST_F(OXRegistryValFileTest, AFailedWriteBackThrowsFromCloseNotFromTheDestructor)
{
    COXRegistryValFile* pFile = new COXRegistryValFile(HKEY_CURRENT_USER, kTestKey, "State");
    pFile->Write("abc", 3);
    // The key goes away under the open file: its value cannot be written.
    ASSERT_EQ(::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey), ERROR_SUCCESS);
    CFileException* pError = NULL;
    try {
        pFile->Close();
    } catch (CFileException* e) {
        pError = e;
    }
    ASSERT_NE(pError, nullptr);
    EXPECT_EQ(pError->m_cause, CFileException::accessDenied);
    pError->Delete();
    EXPECT_FALSE(pFile->IsOpen());

    COXRegistryValFile* pOther = new COXRegistryValFile(HKEY_CURRENT_USER, kTestKey, "State");
    pOther->Write("abc", 3);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    delete pOther;   // must not throw
    delete pFile;
}

// A conversion that shows whether a block went through it: every byte of
// the file is the memory byte plus one.
class CPlusOneFile : public COXConvertedFile
{
public:
    explicit CPlusOneFile(UINT nBlock = 16, BOOL bConvert = TRUE) : COXConvertedFile(nBlock, bConvert) {}
    void ConvertFromFile(const BYTE* in, BYTE* out) override
    {
        for (UINT i = 0; i < m_nBlockSize; i++)
            out[i] = (BYTE)(in[i] - 1);
    }
    void ConvertToFile(const BYTE* in, BYTE* out) override
    {
        for (UINT i = 0; i < m_nBlockSize; i++)
            out[i] = (BYTE)(in[i] + 1);
    }
};

class OXConvertedFileTest : public ::testing::Test
{
protected:
    CString Path() const { return m_folder.File("data.bin"); }
    CTestFolder m_folder;
};

TEST_F(OXConvertedFileTest, APartlyWrittenBlockKeepsTheFilesOtherBytes)
{
    std::string original;
    for (int i = 0; i < 16; i++)
        original += (char)('A' + i + 1);   // the file form of "ABCD..."
    WriteFileBytes(Path(), original);

    CPlusOneFile file;
    ASSERT_TRUE(file.Open(Path(), CFile::modeReadWrite));
    file.Seek(3, CFile::begin);
    file.Write("vwxyz", 5);
    file.Close();

    std::string bytes = ReadFileBytes(Path());
    ASSERT_EQ(bytes.size(), 16u);
    std::string memory;
    for (char c : bytes)
        memory += (char)(c - 1);
    EXPECT_EQ(memory, "ABCvwxyzIJKLMNOP");
}

TEST_F(OXConvertedFileTest, WrittenFilesAreWholeBlocks)
{
    CPlusOneFile file;
    ASSERT_TRUE(file.Open(Path(), CFile::modeCreate | CFile::modeReadWrite));
    std::vector<BYTE> data(20, 0x41);
    file.Write(data.data(), 20);
    EXPECT_EQ(file.GetPosition(), 20u);
    file.Close();
    std::string bytes = ReadFileBytes(Path());
    EXPECT_EQ(bytes.size(), 32u);
    EXPECT_EQ(bytes[19], 0x42);
    EXPECT_EQ(bytes[20], 0x01);   // padding, converted

    CPlusOneFile reader;
    ASSERT_TRUE(reader.Open(Path(), CFile::modeRead));
    std::vector<BYTE> back(40);
    EXPECT_EQ(reader.Read(back.data(), 40), 32u);
    EXPECT_EQ(back[0], 0x41);
    EXPECT_THROW(reader.Write("x", 1), CFileException*);
}

TEST_F(OXConvertedFileTest, AForeignFileEndsAtItsRealEnd)
{
    // 21 bytes: not a whole number of 16-byte blocks; no conversion.
    std::string foreign = "abcdefghijklmnopqrstu";
    WriteFileBytes(Path(), foreign);
    CPlusOneFile file(16, FALSE);
    ASSERT_TRUE(file.Open(Path(), CFile::modeRead));
    char buf[64] = {};
    EXPECT_EQ(file.Read(buf, sizeof buf), 21u);
    EXPECT_EQ(std::string(buf, 21), foreign);
    EXPECT_EQ(file.Read(buf, sizeof buf), 0u);
}

TEST_F(OXConvertedFileTest, LinesAreReadWithOneLineFeedAndInPieces)
{
    struct Case { std::string file; UINT n; std::vector<std::string> lines; } cases[] = {
        {"a\r\nb", 80, {"a\n", "b"}},
        {"abcdef\n", 4, {"abc", "def", "\n"}},
        {"a\r\nb", 3, {"a\n", "b"}},             // CR LF split by the buffer's end
        {"ab\r\ncd", 3, {"ab", "\n", "cd"}},
        {"abc\r\nd", 5, {"abc\n", "d"}},
        {"x\x1Ay", 80, {"x"}},                    // the end-of-file mark stops the line
        {"one\ntwo\n", 80, {"one\n", "two\n"}},
        {"ab", 1, {}},
    };
    for (const Case& c : cases) {
        WriteFileBytes(Path(), c.file);
        CPlusOneFile file(16, FALSE);
        ASSERT_TRUE(file.Open(Path(), CFile::modeRead));
        std::vector<std::string> lines;
        char buf[128];
        for (int guard = 0; guard < 10 && file.ReadString(buf, c.n) != NULL; guard++)
            lines.push_back(buf);
        EXPECT_EQ(lines, c.lines) << c.file;
        file.Close();
    }
}

TEST_F(OXConvertedFileTest, WideLinesStayInsideTheBufferAndTextIsCodePage1251)
{
    WriteFileBytes(Path(), "\xE4\xF0\xE5\xEB\xFC\r\nzz");   // "дрель" in code page 1251
    CPlusOneFile file(16, FALSE);
    ASSERT_TRUE(file.Open(Path(), CFile::modeRead));
    wchar_t buf[8];
    for (wchar_t& c : buf)
        c = L'#';
    ASSERT_NE(file.ReadString(buf, 4), nullptr);
    EXPECT_EQ(std::wstring(buf), L"\x0434\x0440\x0435");
    EXPECT_EQ(buf[4], L'#');   // nothing written past the caller's four characters
    file.Close();

    CPlusOneFile out(16, FALSE);
    ASSERT_TRUE(out.Open(Path(), CFile::modeCreate | CFile::modeReadWrite));
    out.WriteString(L"\x0434\x043E\x043C\n");   // "дом"
    out.WriteString("house\n");
    out.Close();
    std::string bytes = ReadFileBytes(Path());
    EXPECT_EQ(bytes.substr(0, 12), "\xE4\xEE\xEC\r\nhouse\r\n");
}

TEST_F(OXConvertedFileTest, ConversionSwitchesOnlyAtBlockBoundaries)
{
    CPlusOneFile file;
    ASSERT_TRUE(file.Open(Path(), CFile::modeCreate | CFile::modeReadWrite));
    file.Write("abc", 3);
    EXPECT_FALSE(file.SetConvert(FALSE));
    EXPECT_TRUE(file.GetConvert());
    EXPECT_TRUE(file.SetConvert(TRUE));   // unchanged: always allowed
    EXPECT_EQ(file.PadAndSetConvert(FALSE), 13u);
    EXPECT_FALSE(file.GetConvert());
    EXPECT_EQ(file.GetPosition(), 16u);
    file.Write("xyz", 3);
    file.Close();
    std::string bytes = ReadFileBytes(Path());
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(bytes.substr(0, 3), "bcd");   // converted
    EXPECT_EQ(bytes[3], 0x01);              // padding, converted
    EXPECT_EQ(bytes.substr(16, 3), "xyz");  // plain
}

} // namespace
