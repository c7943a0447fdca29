// Files: CFile errors and positioning, CStdioFile text mode, CMemFile and
// CSharedFile buffers, CFileFind, and an archive over a disk file.
#include "core_test.h"
#include <map>

namespace
{
class CoreFile : public ::testing::Test
{
protected:
    CTempFolder m_folder;
};

std::vector<std::string> ReadLines(CStdioFile& file)
{
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back((LPCSTR)line);
    return lines;
}
} // namespace

TEST_F(CoreFile, OpenFailuresReportTheirCause)
{
    struct Case
    {
        CString strName;
        UINT nFlags;
        int nCause;
        LONG lOsError;
    };
    const Case cases[] = {
        { m_folder.File("missing.txt"), CFile::modeRead, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND },
        { m_folder.File("no\\such\\dir.txt"), CFile::modeRead, CFileException::badPath, ERROR_PATH_NOT_FOUND },
        { m_folder.File("no\\such\\dir.txt"), CFile::modeCreate | CFile::modeWrite, CFileException::badPath,
          ERROR_PATH_NOT_FOUND },
    };
    for (const Case& c : cases)
    {
        CFile file;
        CFileException e;
        EXPECT_FALSE(file.Open(c.strName, c.nFlags, &e)) << c.strName;
        EXPECT_EQ(c.nCause, e.m_cause) << c.strName;
        EXPECT_EQ(c.lOsError, e.m_lOsError) << c.strName;
        EXPECT_STREQ(c.strName, e.m_strFileName);
        EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    }

    // the constructor throws instead
    CString strMissing = m_folder.File("missing.txt");
    try
    {
        CFile file(strMissing, CFile::modeRead);
        ADD_FAILURE() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        EXPECT_STREQ(strMissing, e->m_strFileName);
        char szMessage[512];
        EXPECT_TRUE(e->GetErrorMessage(szMessage, sizeof szMessage));
        EXPECT_NE(nullptr, strstr(szMessage, strMissing));
        e->Delete();
    }

    // two exclusive opens of one file
    CString strName = m_folder.File("locked.bin");
    CFile first(strName, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    CFile second;
    CFileException e;
    EXPECT_FALSE(second.Open(strName, CFile::modeRead | CFile::shareDenyNone, &e));
    EXPECT_EQ(CFileException::sharingViolation, e.m_cause);

    EXPECT_EQ(CFileException::fileNotFound,
              ThrownCause<CFileException>([&] { CFile::Remove(m_folder.File("missing.txt")); }));
    EXPECT_EQ(CFileException::fileNotFound, ThrownCause<CFileException>([&] {
                  CFile::Rename(m_folder.File("missing.txt"), m_folder.File("other.txt"));
              }));
}

TEST_F(CoreFile, ReadWriteSeekAndStatus)
{
    CString strName = m_folder.File("data.bin");
    {
        CFile file(strName, CFile::modeCreate | CFile::modeReadWrite);
        EXPECT_STREQ("data.bin", file.GetFileName());
        EXPECT_STREQ("data", file.GetFileTitle());
        EXPECT_STREQ(strName, file.GetFilePath());
        file.Write("0123456789", 10);
        EXPECT_EQ(10u, file.GetPosition());
        EXPECT_EQ(2u, file.Seek(2, CFile::begin));
        char buf[4] = {};
        EXPECT_EQ(3u, file.Read(buf, 3));
        EXPECT_STREQ("234", buf);
        EXPECT_EQ(8u, file.Seek(3, CFile::current));
        EXPECT_EQ(2u, file.Read(buf, 4));   // short at the end
        EXPECT_EQ(0u, file.Read(buf, 4));
        EXPECT_EQ(7u, file.Seek(-3, CFile::end));
        file.SetLength(4);
        EXPECT_EQ(4u, file.GetLength());
        file.SeekToEnd();
        file.Write("xy", 2);
        file.Close();
        EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    }
    EXPECT_EQ("0123xy", m_folder.Read("data.bin"));

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(strName, status));
    EXPECT_EQ(6u, status.m_size);
    EXPECT_STRCASEEQ(strName, status.m_szFullName);
    EXPECT_EQ(0, status.m_attribute & CFile::directory);
    EXPECT_GT(status.m_mtime.GetTime(), 0);
    EXPECT_FALSE(CFile::GetStatus(m_folder.File("missing.txt"), status));

    CFile::Rename(strName, m_folder.File("renamed.bin"));
    EXPECT_EQ("0123xy", m_folder.Read("renamed.bin"));
    CFile::Remove(m_folder.File("renamed.bin"));
    EXPECT_FALSE(CFile::GetStatus(m_folder.File("renamed.bin"), status));
}

TEST_F(CoreFile, StdioTextModeTranslatesLineEnds)
{
    CString strName = m_folder.File("text.txt");
    {
        CStdioFile file(strName, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("one\ntwo\n");
        file.WriteString("\nЁлка\n");
    }
    EXPECT_EQ("one\r\ntwo\r\n\r\n\xA8\xEB\xEA\xE0\r\n", m_folder.Read("text.txt"));

    m_folder.Write("mixed.txt", "a\r\nb\nc\r\n" + std::string(600, 'x') + "\r\nlast");
    CStdioFile file(m_folder.File("mixed.txt"), CFile::modeRead | CFile::typeText);
    std::vector<std::string> lines = ReadLines(file);
    ASSERT_EQ(5u, lines.size());
    EXPECT_EQ("a", lines[0]);
    EXPECT_EQ("b", lines[1]);
    EXPECT_EQ("c", lines[2]);
    EXPECT_EQ(std::string(600, 'x'), lines[3]);   // longer than one read chunk
    EXPECT_EQ("last", lines[4]);

    // the buffer form keeps the "\n"
    file.SeekToBegin();
    char buf[16];
    ASSERT_NE(nullptr, file.ReadString(buf, sizeof buf));
    EXPECT_STREQ("a\n", buf);
    file.Close();

    // in binary mode the CR is still dropped, even where a read chunk ends
    // between CR and LF
    m_folder.Write("binary.txt", std::string(511, 'y') + "\r\nnext\r\n\r\n");
    CStdioFile binary(m_folder.File("binary.txt"), CFile::modeRead | CFile::typeBinary);
    lines = ReadLines(binary);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(std::string(511, 'y'), lines[0]);
    EXPECT_EQ("next", lines[1]);
    EXPECT_EQ("", lines[2]);

    CStdioFile missing;
    CFileException e;
    EXPECT_FALSE(missing.Open(m_folder.File("missing.txt"), CFile::modeRead, &e));
    EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
}

TEST_F(CoreFile, MemFileGrowsAndKeepsItsData)
{
    CMemFile file(16);
    std::string expected;
    for (int i = 0; i < 5000; i++)
    {
        char line[32];
        int n = sprintf(line, "line %d\n", i);
        file.Write(line, (UINT)n);
        expected.append(line, (size_t)n);
    }
    EXPECT_EQ(expected.size(), file.GetLength());
    file.SeekToBegin();
    std::string back(expected.size() + 10, '\0');
    back.resize(file.Read(&back[0], (UINT)back.size()));
    EXPECT_EQ(expected, back);
}

TEST_F(CoreFile, MemFileBuffers)
{
    CMemFile file(16);
    file.Write("abc", 3);
    file.Seek(6, CFile::begin);   // past the end: the gap reads as zeros
    file.Write("z", 1);
    EXPECT_EQ(7u, file.GetLength());
    EXPECT_EQ(CFileException::badSeek, ThrownCause<CFileException>([&] { file.Seek(-8, CFile::end); }));
    file.SeekToBegin();
    char buf[8] = {};
    EXPECT_EQ(7u, file.Read(buf, 8));
    EXPECT_EQ(Bytes({ 'a', 'b', 'c', 0, 0, 0, 'z' }), Bytes(buf, 7));
    BYTE* p = file.Detach();
    EXPECT_EQ(0, memcmp(p, "abc", 3));
    free(p);
    EXPECT_EQ(0u, file.GetLength());

    // a fixed buffer is readable at once and cannot grow
    BYTE fixed[4] = { 1, 2, 3, 4 };
    CMemFile attached(fixed, sizeof fixed);
    EXPECT_EQ(4u, attached.GetLength());
    attached.Seek(2, CFile::begin);
    attached.Write("\x09", 1);
    EXPECT_EQ(9, fixed[2]);
    EXPECT_TRUE(ThrowsLayerException<CMemoryException>([&] { attached.Write("xyz", 3); }));
    EXPECT_EQ(fixed, attached.Detach());
}

TEST_F(CoreFile, SharedFileHandsOverAGlobalBlock)
{
    HGLOBAL hMem;
    {
        CSharedFile file;
        std::string text(10000, 'q');
        text += "end";
        file.Write(text.c_str(), (UINT)text.size() + 1);
        hMem = file.Detach();
    }   // detached: the block outlives the file
    ASSERT_NE(nullptr, hMem);
    EXPECT_GE(::GlobalSize(hMem), 10004u);
    const char* p = (const char*)::GlobalLock(hMem);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(10003u, strlen(p));
    EXPECT_STREQ("end", p + 10000);
    ::GlobalUnlock(hMem);

    // and back: a file over an existing block reads its whole size
    CSharedFile reader;
    reader.SetHandle(hMem, FALSE);
    EXPECT_EQ(::GlobalSize(hMem), reader.GetLength());
    char buf[4] = {};
    EXPECT_EQ(3u, reader.Read(buf, 3));
    EXPECT_STREQ("qqq", buf);
    EXPECT_TRUE(ThrowsLayerException<CMemoryException>([&] {
        reader.SeekToEnd();
        reader.Write(std::string(10000, 'x').c_str(), 10000);
    }));
    EXPECT_EQ(hMem, reader.Detach());
    ::GlobalFree(hMem);
}

TEST_F(CoreFile, FindFilesInAFolder)
{
    m_folder.Write("a.txt", "12345");
    m_folder.Write("b.dat", "");
    ::CreateDirectoryA(m_folder.File("sub"), NULL);

    CFileFind finder;
    std::map<std::string, std::string> found;   // name -> kind
    BOOL bMore = finder.FindFile(m_folder.Path() + "\\*.*");
    ASSERT_TRUE(bMore);
    while (bMore)
    {
        bMore = finder.FindNextFile();
        std::string kind = finder.IsDots() ? "dots" : finder.IsDirectory() ? "dir" : "file";
        found[(LPCSTR)finder.GetFileName()] = kind;
        if (finder.GetFileName() == "a.txt")
        {
            EXPECT_STRCASEEQ(m_folder.File("a.txt"), finder.GetFilePath());
            EXPECT_STREQ("a", finder.GetFileTitle());
            EXPECT_EQ(5u, finder.GetLength());
            CTime t;
            EXPECT_TRUE(finder.GetLastWriteTime(t));
            EXPECT_GT(t.GetTime(), 0);
        }
    }
    finder.Close();
    EXPECT_EQ((std::map<std::string, std::string>{
                  { ".", "dots" }, { "..", "dots" }, { "a.txt", "file" }, { "b.dat", "file" }, { "sub", "dir" } }),
              found);

    EXPECT_TRUE(finder.FindFile(m_folder.File("*.txt")));
    EXPECT_FALSE(finder.FindNextFile());   // the only match is also the last
    EXPECT_STREQ("a.txt", finder.GetFileName());
    EXPECT_FALSE(finder.FindFile(m_folder.File("*.none")));
}

TEST_F(CoreFile, ArchiveOverADiskFileCrossesItsBuffer)
{
    CString strName = m_folder.File("archive.bin");
    {
        CFile file(strName, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar.WriteCount(3000);
        for (int i = 0; i < 3000; i++)
        {
            CString s;
            s.Format("entry number %d", i);
            ar << s << (DWORD)i;
        }
    }   // the archive flushes when it goes
    CFile file(strName, CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    ASSERT_EQ(3000u, ar.ReadCount());
    for (int i = 0; i < 3000; i++)
    {
        CString s;
        DWORD dw;
        ar >> s >> dw;
        ASSERT_EQ((DWORD)i, dw);
        ASSERT_EQ(i, atoi((LPCSTR)s + 13));
    }
    BYTE by;
    EXPECT_EQ(0u, ar.Read(&by, 1));
}
