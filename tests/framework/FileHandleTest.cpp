// CFileHandle: the record bytes, the failure texts, the whole-file and line
// operations.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <functional>
#include <string>
#include "FileHandle.h"
#include "TestFolder.h"

namespace {

std::string Bytes(const CString& s)
{
    return std::string((LPCSTR)s, (size_t)s.GetLength());
}

// The text thrown by the call, or "<nothing>".
std::string Thrown(const std::function<void()>& call)
{
    try {
        call();
    } catch (const CString& s) {
        return Bytes(s);
    }
    return "<nothing>";
}

TEST(FileHandle, FailureTexts)
{
    CTestFolder folder;
    const CString sMissing = folder.File("missing.txt");
    const CString sExisting = folder.File("existing.txt");
    WriteFileBytes(sExisting, "x");
    const std::string missing = Bytes(sMissing), existing = Bytes(sExisting);

    CFileHandle closed(sMissing);
    CFileHandle open(sExisting);
    open.OpenForRead();

    struct {
        const char* name;
        std::function<void()> call;
        std::string text;
    } cases[] = {
        {"empty path", [] { CFileHandle f(""); }, "Empty file path"},
        {"close closed", [&] { closed.Close(); }, "Attempt to close closed file"},
        {"open busy", [&] { open.OpenForWrite(); }, "Attempt to open busy file " + existing},
        {"read missing", [&] { closed.OpenForRead(); }, "Can't open file " + missing},
        {"create existing", [&] { CFileHandle f(sExisting); f.CreateNew(); }, "Can't create file " + existing},
        {"write closed", [&] { closed.WriteByte(1); }, "Attemt to write closed file"},
        {"write int closed", [&] { closed.WriteInt(1); }, "Attemt to write closed file"},
        {"write string closed", [&] { closed.WriteString("a"); }, "Attemt to write closed file"},
        {"write buffer closed", [&] { closed.WriteBuffer("a", 1); }, "Attempt to write closed file"},
        {"read closed", [&] { closed.ReadByte(); }, "Attemt to read closed file"},
        {"read buffer closed", [&] { char c; closed.ReadBuffer(&c, 1); }, "Attemt to read closed file"},
        {"seek closed", [&] { closed.Seek(0); }, "Attempt to seek closed file " + missing},
        {"read all closed", [&] { free(closed.ReadAllBuffer()); }, "Attempt to seek closed file " + missing},
        {"size closed", [&] { closed.GetSize(); }, "Attempt to get size of closed file"},
        {"delete missing", [&] { closed.Delete(); }, "Can't delete file: " + missing},
        {"write to a read handle", [&] { open.WriteByte(1); }, "Error writing to file"},
        {"read past the end", [&] { open.Seek(1); open.ReadByte(); }, "Error reading from file"},
        {"short int", [&] { open.Seek(0); open.ReadInt(); }, "Error reading from file"},
    };
    for (auto& c : cases)
        EXPECT_EQ(Thrown(c.call), c.text) << c.name;
    // A failed open leaves the first file open.
    EXPECT_TRUE(open.IsOpen());
    EXPECT_FALSE(closed.IsOpen());
}

TEST(FileHandle, RecordBytes)
{
    CTestFolder folder;
    CString sPath = folder.File("records.bin");
    {
        CFileHandle f(sPath);
        f.OpenForWrite();
        f.WriteString("abc");
        EXPECT_EQ(f.m_nPosition, 3);
        f.WriteTaggedString("abc");
        EXPECT_EQ(f.m_nPosition, 11);
        f.WriteInt(-2);
        f.WriteByte(0x80);
        f.WriteDate(CTime(2009, 3, 7, 15, 30, 0).GetTime());
        EXPECT_EQ(f.m_nPosition, 21);
        EXPECT_TRUE(f.WriteBuffer("zz", 2));
        EXPECT_EQ(f.m_nPosition, 21);
        f.Close();
    }
    const int nDate = 2009 * 10000 + 3 * 100 + 7;
    std::string expected = std::string("abc\x73\x03\x00\x00\x00" "abc\xFE\xFF\xFF\xFF\x80\x74", 17);
    expected += std::string({(char)(nDate & 0xFF), (char)((nDate >> 8) & 0xFF), (char)((nDate >> 16) & 0xFF),
                             (char)(nDate >> 24)});
    expected += "zz";
    EXPECT_EQ(ReadFileBytes(sPath), expected);

    CFileHandle f(sPath);
    f.OpenForRead();
    EXPECT_EQ(f.GetSize(), 23);
    char sz[4] = {};
    EXPECT_EQ(f.ReadBuffer(sz, 3), 3u);
    EXPECT_STREQ(sz, "abc");
    EXPECT_EQ(Bytes(f.ReadTaggedString()), "abc");
    EXPECT_EQ(f.ReadInt(), -2);
    EXPECT_EQ(f.ReadByte(), 0x80);
    EXPECT_EQ(f.ReadDate(), CTime(2009, 3, 7, 0, 0, 0).GetTime());
    // ReadBuffer does not move the counter: 18 of the 21 bytes read count.
    EXPECT_EQ(f.m_nPosition, 18);
    EXPECT_EQ(f.GetPercentDone(), 18 * 100 / 23);
    EXPECT_FALSE(f.IsEndOfFile());
    EXPECT_EQ(f.ReadBuffer(sz, 4), 2u);   // a short read is no error
    EXPECT_TRUE(f.IsEndOfFile());
    f.Seek(3);
    EXPECT_EQ(Thrown([&] { f.ReadDate(); }), "Invalid file format: " + Bytes(sPath));
}

TEST(FileHandle, TaggedStringLengthsAndDates)
{
    CTestFolder folder;
    CString sPath = folder.File("tagged.bin");
    struct {
        INT32 length;
        bool accepted;
    } cases[] = {{10000, true}, {10001, false}, {-1, false}, {0, true}};
    for (auto& c : cases) {
        {
            CFileHandle f(sPath);
            f.OpenForWrite();
            f.WriteByte(0x73);
            f.WriteInt(c.length);
            std::string body(c.length > 0 ? (size_t)c.length : 0, 'q');
            f.WriteBuffer(body.data(), (DWORD)body.size());
        }
        CFileHandle f(sPath);
        f.OpenForRead();
        std::string thrown = Thrown([&] { EXPECT_EQ(f.ReadTaggedString().GetLength(), c.length); });
        EXPECT_EQ(thrown, c.accepted ? "<nothing>" : "File corrupted or unsupported format") << c.length;
    }

    // Dates outside the calendar raise the OLE exception.
    for (INT32 nValue : {18991231, 20091301, 20090100, 20090230}) {
        {
            CFileHandle f(sPath);
            f.OpenForWrite();
            f.WriteByte(0x74);
            f.WriteInt(nValue);
        }
        CFileHandle f(sPath);
        f.OpenForRead();
        SCODE sc = S_OK;
        try {
            f.ReadDate();
        } catch (COleException* e) {
            sc = e->m_sc;
            e->Delete();
        }
        EXPECT_EQ(sc, nValue == 20090230 ? E_INVALIDARG : E_FAIL) << nValue;
    }
}

TEST(FileHandle, ScrambledRecordsReadBackFromTheSamePosition)
{
    CTestFolder folder;
    CString sPath = folder.File("scrambled.bin");
    {
        CFileHandle f(sPath);
        f.m_bScramble = true;
        f.OpenForWrite();
        f.WriteTaggedString("secret");
        f.WriteInt(123456);
        f.WriteString("abcabc");
    }
    std::string raw = ReadFileBytes(sPath);
    ASSERT_EQ(raw.size(), 5u + 6 + 4 + 6);
    EXPECT_EQ(raw.find("secret"), std::string::npos);
    // The key changes with the position: the same bytes scramble differently.
    EXPECT_NE(raw.substr(15, 3), raw.substr(18, 3));

    CFileHandle f(sPath);
    f.m_bScramble = true;
    f.OpenForRead();
    EXPECT_EQ(Bytes(f.ReadTaggedString()), "secret");
    EXPECT_EQ(f.ReadInt(), 123456);
    char sz[7] = {};
    f.ReadBuffer(sz, 6);
    EXPECT_STREQ(sz, "abcabc");
    EXPECT_EQ(f.ScrambleByte(f.ScrambleByte(0x5A)), 0x5A);
    EXPECT_EQ(f.ScrambleInt(f.ScrambleInt(77)), 77);
}

TEST(FileHandle, AppendWholeFileAndLines)
{
    CTestFolder folder;
    CString sPath = folder.File("lines.txt");
    {
        CFileHandle f(sPath);
        f.OpenForAppend();   // creates the missing file
        EXPECT_EQ(f.m_nPosition, 0);
        EXPECT_EQ(f.GetPercentDone(), 0);   // no size known: no division
        f.WriteString(std::string(100, 'x').c_str());
    }
    {
        CFileHandle f(sPath);
        f.OpenForAppend();
        EXPECT_EQ(f.m_nPosition, 100);
    }
    WriteFileBytes(sPath, "one\r\ntwo\r\nthree");
    CFileHandle f(sPath);
    EXPECT_TRUE(f.CanOpen());
    EXPECT_FALSE(f.IsOpen());
    f.OpenForRead();
    f.LoadLines();
    ASSERT_EQ(f.GetLineCount(), 2);
    EXPECT_EQ(Bytes(f.GetLine(1)), "two");
    EXPECT_EQ(Bytes(f.GetLine(2)), "");
    EXPECT_EQ(Bytes(f.GetLine(-1)), "");
    EXPECT_EQ(f.m_nPosition, 15);

    // CR and LF each count as a line break.
    f.Seek(0);
    char* p = f.ReadLines(2);
    EXPECT_STREQ(p, "one\r\n");
    free(p);
    p = f.ReadLines(1);
    EXPECT_STREQ(p, "two\r");
    free(p);
    p = f.ReadLines(5);
    EXPECT_STREQ(p, "\nthree");
    free(p);

    INT32 nSize = -1;
    BYTE* pAll = f.ReadAllBuffer(&nSize);
    EXPECT_EQ(nSize, 15);
    EXPECT_EQ(pAll[15], 0);
    free(pAll);
    f.Close();

    WriteFileBytes(sPath, "");
    CFileHandle empty(sPath);
    empty.OpenForRead();
    EXPECT_EQ(Bytes(empty.ReadAllText()), "");
    EXPECT_EQ(empty.m_nPosition, 0);
    EXPECT_EQ(empty.GetPercentDone(), 0);
    empty.Close();
    empty.Delete();
    EXPECT_FALSE(TestPathExists(sPath));
}

}  // namespace
