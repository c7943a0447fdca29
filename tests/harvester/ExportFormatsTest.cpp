// The eight export formats and seven copy-as texts, byte for byte.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ExportFormats.h"

namespace {

std::string Bytes(const CString& s)
{
    return std::string((LPCSTR)s, (size_t)s.GetLength());
}

void Fill(CStringArray& a, const std::vector<std::string>& v)
{
    a.RemoveAll();
    for (const std::string& s : v)
        a.Add(s.c_str());
}

// Keywords with quotes, apostrophes, angle brackets, ampersands, commas and
// semicolons: they go out unchanged.
const std::vector<std::string> three = {"one", "a'b<c>&", "x\"y;z,"};

struct Golden {
    int format;
    const char* none;
    const char* one;     // the first keyword alone
    const char* three;
    const char* copy;    // copy-as of the three, nullptr: no copy-as
};

const Golden goldens[] = {
    {exportHtmlTable, "<table border='1'>\r\n<tr>Words</tr>\r\n</table>",
     "<table border='1'>\r\n<tr>Words</tr>\r\n<tr><td align='left'>one</td></tr>\r\n</table>",
     "<table border='1'>\r\n<tr>Words</tr>\r\n<tr><td align='left'>one</td></tr>\r\n"
     "<tr><td align='left'>a'b<c>&</td></tr>\r\n<tr><td align='left'>x\"y;z,</td></tr>\r\n</table>",
     "<tr><td align='left'>one</td></tr>\r\n<tr><td align='left'>a'b<c>&</td></tr>\r\n"
     "<tr><td align='left'>x\"y;z,</td></tr>\r\n"},
    {exportTextList, "", "one\r\n", "one\r\na'b<c>&\r\nx\"y;z,\r\n", "one\r\na'b<c>&\r\nx\"y;z,\r\n"},
    {exportMetaTag, "<meta name='keywords' content=''>", "<meta name='keywords' content='one,'>",
     "<meta name='keywords' content='one,a'b<c>&,x\"y;z,,'>", "one,a'b<c>&,x\"y;z,,"},
    {exportCsv, "", "\"one\";\r\n", "\"one\";\r\n\"a'b<c>&\";\r\n\"x\"y;z,\";\r\n",
     "\"one\";\r\n\"a'b<c>&\";\r\n\"x\"y;z,\";\r\n"},
    {exportExcel, "<table border='1'>\r\n<tr></table>",
     "<table border='1'>\r\n<tr><tr><td align='left'>one</td></table>",
     "<table border='1'>\r\n<tr><tr><td align='left'>one</td><tr><td align='left'>a'b<c>&</td>"
     "<tr><td align='left'>x\"y;z,</td></table>",
     nullptr},
    {exportBroadMatch, "", "one\r\n", "one\r\na'b<c>&\r\nx\"y;z,\r\n", "one\r\na'b<c>&\r\nx\"y;z,\r\n"},
    {exportPhraseMatch, "", "\"one\"\r\n", "\"one\"\r\n\"a'b<c>&\"\r\n\"x\"y;z,\"\r\n",
     "\"one\"\r\n\"a'b<c>&\"\r\n\"x\"y;z,\"\r\n"},
    {exportExactMatch, "", "[one]\r\n", "[one]\r\n[a'b<c>&]\r\n[x\"y;z,]\r\n", "[one]\r\n[a'b<c>&]\r\n[x\"y;z,]\r\n"},
};

TEST(ExportFormats, FilesAndCopiesByteForByte)
{
    CStringArray aNone, aOne, aThree;
    Fill(aOne, {three[0]});
    Fill(aThree, three);
    for (const Golden& g : goldens) {
        EXPECT_EQ(Bytes(BuildExportText(g.format, aNone)), g.none) << "format " << g.format;
        EXPECT_EQ(Bytes(BuildExportText(g.format, aOne)), g.one) << "format " << g.format;
        EXPECT_EQ(Bytes(BuildExportText(g.format, aThree)), g.three) << "format " << g.format;
        EXPECT_EQ(HasCopyText(g.format), g.copy != nullptr) << "format " << g.format;
        EXPECT_EQ(Bytes(BuildCopyText(g.format, aThree)), g.copy ? g.copy : "") << "format " << g.format;
        EXPECT_EQ(Bytes(BuildCopyText(g.format, aNone)), "") << "format " << g.format;
    }
    EXPECT_EQ(Bytes(BuildExportText(8, aThree)), "");
    EXPECT_EQ(Bytes(BuildExportText(-1, aThree)), "");
    EXPECT_FALSE(HasCopyText(8));
}

class CRecordedProgress : public CExportProgress
{
public:
    void SetRange(int nLines) override { ranges.push_back(nLines); }
    void SetPosition(int nLine) override { positions.push_back(nLine); }
    std::vector<int> ranges, positions;
};

TEST(ExportFormats, ManyLinesAndTheProgressSteps)
{
    std::vector<std::string> lines;
    size_t nKeywordBytes = 0;
    for (int i = 0; i < 250; i++) {
        lines.push_back("keyword " + std::to_string(i));
        nKeywordBytes += lines.back().size();
    }
    CStringArray aLines;
    Fill(aLines, lines);
    EXPECT_EQ(GetExportProgressStep(250), 2);
    EXPECT_EQ(GetExportProgressStep(99), 1);
    EXPECT_EQ(GetExportProgressStep(0), 1);

    for (const Golden& g : goldens) {
        CRecordedProgress progress;
        std::string text = Bytes(BuildExportText(g.format, aLines, &progress));
        // The frame of the empty Basket around one piece per line, in order.
        std::string frame = g.none;
        std::string one = g.one;
        size_t nPiece = one.size() - frame.size() - three[0].size();
        EXPECT_EQ(text.size(), frame.size() + 250 * nPiece + nKeywordBytes) << "format " << g.format;
        size_t nPrefix = one.find("one");
        EXPECT_EQ(text.compare(0, nPrefix, one, 0, nPrefix), 0) << "format " << g.format;
        std::string tail = one.substr(nPrefix + 3);
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << "format " << g.format;
        size_t nFirst = text.find("keyword 0"), nLast = text.find("keyword 249");
        EXPECT_TRUE(nFirst != std::string::npos && nLast != std::string::npos && nFirst < nLast);

        std::vector<int> expected = {0};
        for (int i = 0; i < 250; i += 2)
            expected.push_back(i);
        EXPECT_EQ(progress.ranges, std::vector<int>{250});
        EXPECT_EQ(progress.positions, expected) << "format " << g.format;
    }

    // Below 200 lines every line moves the bar.
    aLines.SetSize(99);
    CRecordedProgress progress;
    BuildExportText(exportTextList, aLines, &progress);
    ASSERT_EQ(progress.positions.size(), 100u);
    EXPECT_EQ(progress.positions.back(), 98);
}

}  // namespace
