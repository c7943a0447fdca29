// CPath: splitting paths and command lines, arguments, long texts.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>
#include "TestFolder.h"
#include "Path.h"

namespace {

std::string Bytes(const CString& s)
{
    return std::string((LPCSTR)s, (size_t)s.GetLength());
}

TEST(Path, SplitsPaths)
{
    struct {
        const char* text;
        bool folder;
        const char* drive;
        const char* directory;
        const char* title;
        const char* extension;
        bool relative;
        bool local;
    } cases[] = {
        {"C:\\Data\\report.txt", false, "C:", "\\Data\\", "report", "txt", false, true},
        {"report.txt", false, "", "", "report", "txt", false, false},
        {"sub\\report.txt", false, "", "sub\\", "report", "txt", true, false},
        {"C:/Data/a.b.c", false, "C:", "\\Data\\", "a.b", "c", false, true},
        {"\"C:\\My Files\\x\"", false, "C:", "\\My Files\\", "x", "", false, true},
        {"C:\\Data\\my.folder", true, "C:", "\\Data\\my.folder\\", "", "", false, true},
        {"\\\\server\\share\\dir\\f.txt", false, "", "\\\\server\\share\\dir\\", "f", "txt", false, false},
        {"", false, "", "", "", "", false, false},
    };
    for (auto& c : cases) {
        CPath path(c.text, c.folder);
        EXPECT_EQ(Bytes(path.GetDrive()), c.drive) << c.text;
        EXPECT_EQ(Bytes(path.GetDirectory()), c.directory) << c.text;
        EXPECT_EQ(Bytes(path.GetFileTitle()), c.title) << c.text;
        EXPECT_EQ(Bytes(path.GetExtensionName()), c.extension) << c.text;
        EXPECT_EQ(path.IsRelative(), c.relative) << c.text;
        EXPECT_EQ(path.IsLocalPath(), c.local) << c.text;
    }

    CPath report("C:\\Data\\report.txt");
    EXPECT_EQ(Bytes(report.GetFileName()), "report.txt");
    EXPECT_EQ(Bytes(report.GetExtension()), ".txt");
    EXPECT_EQ(Bytes(report.GetDirectory(0)), "Data");
    EXPECT_EQ(Bytes(report.GetDirectory(1)), "");
    EXPECT_EQ(Bytes(report.GetLocation()), "C:\\Data\\");
    EXPECT_STREQ(report.GetPathText(), "C:\\Data\\report.txt");

    CPath unc("\\\\server\\share\\dir\\");
    ASSERT_EQ(unc.GetDirectoryCount(), 3);
    EXPECT_EQ(Bytes(unc.GetDirectory(0)), "server");
    EXPECT_EQ(Bytes(unc.GetDirectory(2)), "dir");
    EXPECT_EQ(Bytes(unc.GetVolumeName(true)), "server");
    CPath rooted("\\Data\\x.txt");
    EXPECT_EQ(Bytes(rooted.GetDirectory(0)), "Data");

    CPath sub("sub\\report.txt");
    EXPECT_EQ(Bytes(sub.GetAbsolutePath("C:\\Base")), "C:\\Base\\sub\\report.txt");
    EXPECT_EQ(Bytes(sub.GetAbsolutePath("")), "");
    EXPECT_EQ(Bytes(sub.GetRelativePath("C:\\Base")), "");
    EXPECT_EQ(Bytes(report.GetAbsolutePath("C:\\Base")), "");
    EXPECT_EQ(Bytes(report.GetRelativePath("C:\\Data\\x")), "..\\report.txt");
    EXPECT_EQ(Bytes(report.GetRelativePath("C:\\Data")), "report.txt");

    EXPECT_EQ(Bytes(AddSlash("a")), "a\\");
    EXPECT_EQ(Bytes(AddSlash("a/", false)), "a/");
    EXPECT_EQ(Bytes(AddSlash("a", true)), "a/");
    EXPECT_EQ(Bytes(AddSlash("")), "");
    EXPECT_EQ(Bytes(RemoveSlash("a\\\\")), "a\\");
}

TEST(Path, ParsesAndRebuildsArguments)
{
    CPath line("\"prog.exe\" /a -b \"x y\"", false, true);
    EXPECT_EQ(Bytes(line.GetFileName()), "prog.exe");
    EXPECT_EQ(Bytes(line.GetArgument(-1)), "/a -b \"x y\"");
    ASSERT_EQ(line.GetArgumentCount(), 2);
    EXPECT_EQ(Bytes(line.GetArgument(0, true)), "a");
    EXPECT_EQ(Bytes(line.GetArgument(0)), "");
    EXPECT_EQ(Bytes(line.GetArgument(1, true)), "b");
    EXPECT_EQ(Bytes(line.GetArgument(1)), "x y");
    EXPECT_EQ(Bytes(line.GetArgument(2)), "");
    EXPECT_EQ(line.FindArgument("-B"), 1);
    EXPECT_EQ(line.FindArgument("/A"), 0);
    EXPECT_EQ(line.FindArgument("c"), -1);
    EXPECT_EQ(line.FindArgument("/"), -1);

    line.SetArgument("c", "1");
    EXPECT_EQ(Bytes(line.GetArgument(-1)), "/a -b \"x y\" /c 1");
    EXPECT_EQ(Bytes(line.GetPath(true)), "prog.exe /a -b \"x y\" /c 1");
    line.SetArgument("A", "v");
    line.RemoveArgument(1);
    line.RemoveArgument(7);
    EXPECT_EQ(Bytes(line.GetArgument(-1)), "/a v /c 1");

    CPath other;
    other.SetArguments("-x value /y \"quoted value\" z");
    ASSERT_EQ(other.GetArgumentCount(), 3);
    EXPECT_EQ(Bytes(other.GetArgument(0, true)) + "=" + Bytes(other.GetArgument(0)), "x=value");
    EXPECT_EQ(Bytes(other.GetArgument(1, true)) + "=" + Bytes(other.GetArgument(1)), "y=quoted value");
    EXPECT_EQ(Bytes(other.GetArgument(2, true)) + "=" + Bytes(other.GetArgument(2)), "=z");

    CPath copy;
    copy = line;
    EXPECT_EQ(Bytes(copy.GetArgument(-1)), "/a v /c 1");
    EXPECT_EQ(Bytes(copy.GetFileName()), "prog.exe");
}

TEST(Path, HoldsLongCommandLinesAndPathsWhole)
{
    // Far beyond MAX_PATH: nothing is cut and nothing overflows.
    std::string folder = "C:\\" + std::string(300, 'd') + "\\" + std::string(300, 'e');
    std::string file = folder + "\\document name.kvfile";
    std::string commandLine = "\"" + file + "\" /open \"" + std::string(500, 'v') + " w\"";
    CPath line(commandLine.c_str(), false, true);
    EXPECT_EQ(Bytes(line.GetFileName()), "document name.kvfile");
    EXPECT_EQ(line.GetDirectoryCount(), 2);
    EXPECT_EQ(Bytes(line.GetPath()), file);
    ASSERT_EQ(line.GetArgumentCount(), 1);
    EXPECT_EQ(line.GetArgument(0).GetLength(), 502);
    EXPECT_STREQ(line.GetPathText(), file.c_str());
    EXPECT_FALSE(line.Exists());
    // Calls limited to MAX_PATH give their empty answer.
    EXPECT_EQ(Bytes(line.GetRelativePath("C:\\")), "");

    CPath process(CPath::sourceCommandLine);
    EXPECT_FALSE(process.GetFileTitle().IsEmpty());
    CPath module(CPath::sourceModule);
    EXPECT_EQ(Bytes(module.GetExtensionName()), "exe");
    EXPECT_TRUE(module.Exists());
    EXPECT_TRUE(CPath(7).GetPath().IsEmpty());
}

TEST(Path, AnswersAboutTheFile)
{
    CTestFolder folder;
    CString sFile = folder.File("sized.txt");
    WriteFileBytes(sFile, std::string(1234, 'x'));
    CPath path(sFile);
    EXPECT_TRUE(path.Exists());
    EXPECT_TRUE(path.LocationExists());
    ULONGLONG nSize = 0;
    EXPECT_TRUE(path.GetFileSize(nSize));
    EXPECT_EQ(nSize, 1234u);
    CTime written;
    EXPECT_TRUE(path.GetFileTime(written, 2));
    EXPECT_LT(llabs(written.GetTime() - CTime::GetCurrentTime().GetTime()), 120);

    CPath missing(folder.File("missing.txt"));
    EXPECT_FALSE(missing.Exists());
    EXPECT_FALSE(missing.GetFileSize(nSize));
    EXPECT_EQ(nSize, 0u);
    EXPECT_FALSE(missing.GetFileTime(written));
    EXPECT_EQ(written.GetTime(), 0);
}

}  // namespace
