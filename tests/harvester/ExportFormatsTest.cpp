// The eight export formats and seven copy-as texts, byte for byte.
#include <gtest/gtest.h>
#include <string.h>
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
// semicolons: each format writes them so that its reader takes them back as
// they were; the plain lists carry them unchanged.
const std::vector<std::string> three = {"one", "a'b<c>&", "x\"y;z,"};

// The first line of the HTML and Excel files.
#define CHARSET "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"

struct Golden {
    int format;
    const char* none;
    const char* one;     // the first keyword alone
    const char* three;
    const char* copy;    // copy-as of the three, nullptr: no copy-as
};

const Golden goldens[] = {
    {exportHtmlTable, CHARSET "<table border='1'>\r\n<tr>Words</tr>\r\n</table>",
     CHARSET "<table border='1'>\r\n<tr>Words</tr>\r\n<tr><td align='left'>one</td></tr>\r\n</table>",
     CHARSET "<table border='1'>\r\n<tr>Words</tr>\r\n<tr><td align='left'>one</td></tr>\r\n"
     "<tr><td align='left'>a'b&lt;c&gt;&amp;</td></tr>\r\n<tr><td align='left'>x\"y;z,</td></tr>\r\n</table>",
     "<tr><td align='left'>one</td></tr>\r\n<tr><td align='left'>a'b&lt;c&gt;&amp;</td></tr>\r\n"
     "<tr><td align='left'>x\"y;z,</td></tr>\r\n"},
    {exportTextList, "", "one\r\n", "one\r\na'b<c>&\r\nx\"y;z,\r\n", "one\r\na'b<c>&\r\nx\"y;z,\r\n"},
    {exportMetaTag, "<meta name='keywords' content=''>", "<meta name='keywords' content='one,'>",
     "<meta name='keywords' content='one,a&#39;b&lt;c&gt;&amp;,x\"y;z,,'>", "one,a&#39;b&lt;c&gt;&amp;,x\"y;z,,"},
    {exportCsv, "", "\"one\";\r\n", "\"one\";\r\n\"a'b<c>&\";\r\n\"x\"\"y;z,\";\r\n",
     "\"one\";\r\n\"a'b<c>&\";\r\n\"x\"\"y;z,\";\r\n"},
    {exportExcel, CHARSET "<table border='1'>\r\n<tr></table>",
     CHARSET "<table border='1'>\r\n<tr><tr><td align='left'>one</td></table>",
     CHARSET "<table border='1'>\r\n<tr><tr><td align='left'>one</td><tr><td align='left'>a'b&lt;c&gt;&amp;</td>"
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

// Read back as the other programs read them: a CSV field unquoted by the
// strict rule, and the HTML entities decoded, give every phrase as it was,
// Cyrillic included.
std::string CsvField(const std::string& sLine)
{
    // "..." followed by ';': inside, "" stands for one quote.
    std::string sField;
    EXPECT_EQ(sLine.front(), '"');
    size_t i = 1;
    for (; i < sLine.size(); i++) {
        if (sLine[i] == '"') {
            if (i + 1 < sLine.size() && sLine[i + 1] == '"') {
                sField += '"';
                i++;
                continue;
            }
            break;
        }
        sField += sLine[i];
    }
    EXPECT_EQ(sLine.substr(i), "\";") << sLine;
    return sField;
}

// One pass, as a browser reads text: every entity stands for one character.
std::string HtmlDecoded(const std::string& s)
{
    const std::pair<std::string, char> entities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&#39;", '\''}, {"&amp;", '&'}};
    std::string sOut;
    for (size_t i = 0; i < s.size();) {
        bool bEntity = false;
        for (const auto& e : entities)
            if (s.compare(i, e.first.size(), e.first) == 0) {
                sOut += e.second;
                i += e.first.size();
                bEntity = true;
                break;
            }
        if (!bEntity)
            sOut += s[i++];
    }
    return sOut;
}

TEST(ExportFormats, ReadersTakeEveryPhraseBackAsItWas)
{
    const std::vector<std::string> phrases = {"дрель \"дом\" 55", "it's 3", "a;b,c 4", "x<y>&z 9", "\"\" 1",
                                              "&amp; 2", "ёлка' 7"};
    CStringArray aLines;
    Fill(aLines, phrases);
    std::string csv = Bytes(BuildExportText(exportCsv, aLines));
    std::vector<std::string> fields;
    for (size_t p = 0, e; (e = csv.find("\r\n", p)) != std::string::npos; p = e + 2)
        fields.push_back(CsvField(csv.substr(p, e - p)));
    EXPECT_EQ(fields, phrases);

    std::string html = Bytes(BuildCopyText(exportHtmlTable, aLines));
    std::vector<std::string> cells;
    const std::string sOpen = "<td align='left'>";
    for (size_t p = 0; (p = html.find(sOpen, p)) != std::string::npos;) {
        p += sOpen.size();
        size_t e = html.find("</td>", p);
        std::string sCell = html.substr(p, e - p);
        EXPECT_EQ(sCell.find('<'), std::string::npos) << sCell;
        cells.push_back(HtmlDecoded(sCell));
        p = e;
    }
    EXPECT_EQ(cells, phrases);

    std::string meta = Bytes(BuildCopyText(exportMetaTag, aLines));
    EXPECT_EQ(meta.find('\''), std::string::npos) << "an apostrophe would end the content attribute";
    std::string sJoined;
    for (const auto& s : phrases)
        sJoined += s + ",";
    EXPECT_EQ(HtmlDecoded(meta), sJoined);

    // The plain lists carry every phrase unchanged.
    std::string text = Bytes(BuildCopyText(exportTextList, aLines));
    std::string sLines;
    for (const auto& s : phrases)
        sLines += s + "\r\n";
    EXPECT_EQ(text, sLines);
}

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
