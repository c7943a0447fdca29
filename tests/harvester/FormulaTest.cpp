// The request-address pieces, the percent-encoder and the small text helpers.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "Formula.h"
#include "Utilities.h"

namespace {

std::string Bytes(const CString& s)
{
    return std::string((LPCSTR)s, (size_t)s.GetLength());
}

struct TextCase {
    const char* input;
    const char* expected;
};

TEST(FormulaEncode, GivesTheEscapesOfTheTable)
{
    const TextCase cases[] = {
        {"", ""},
        {"100%", "100%25"},
        {"a+b c", "a%2Bb+c"},
        {"ёлка", "%B8%EB%EA%E0"},
        {"абвгдеёжзийклмнопрстуфхцчшщъыьэюя", "%E0%E1%E2%E3%E4%E5%B8%E6%E7%E8%E9%EA%EB%EC%ED%EE%EF%F0%F1%F2%F3%F4"
                                               "%F5%F6%F7%F8%F9%FA%FB%FC%FD%FE%FF"},
        {"&=?.'\"\n\r<>", "%26%3D%3F%2E%27%22%0A%0D%3C%3E"},
        {"AZaz09-_/,:", "AZaz09-_/,:"},
        // A "#" would cut the request at a fragment.
        {"c# book", "c%23+book"},
        // Control bytes and every byte from 0x80 up, capitals and other
        // code page 1251 letters included.
        {"a\tb\x01", "a%09b%01"},
        {"Ё", "%A8"},
        {"ЁЛКА", "%A8%CB%CA%C0"},
        {"і\x80", "%B3%80"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(Bytes(CFormula::Encode(c.input)), c.expected) << "input: " << c.input;
}

TEST(FormulaEncode, DecodeGivesBackEveryByteButTheSpace)
{
    // "+" stands for a space only in a query (Parse); Decode leaves it.
    std::string all;
    for (int by = 1; by < 256; by++)
        if (by != ' ')
            all += (char)by;
    EXPECT_EQ(Bytes(CFormula::Decode(CFormula::Encode(all.c_str()))), all);
    EXPECT_EQ(Bytes(CFormula::Decode(CFormula::Encode("a b"))), "a+b");
}

TEST(FormulaDecode, TakesEscapesAndCopiesAnEndingPercent)
{
    const TextCase cases[] = {
        {"%41%4a", "AJ"},
        {"%0x", ""},           // '0' and 'x' both count 0: the zero byte ends the text
        {"ab%00cd", "ab"},
        {"a+b", "a+b"},
        {"%E0%ff", "ая"},
        {"%G1", "\x01"},       // a non-digit counts 0
        // A "%" with fewer than two bytes after it is copied as it stands.
        {"%", "%"},
        {"a%", "a%"},
        {"a%4", "a%4"},
        {"%4", "%4"},
        {"%41%", "A%"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(Bytes(CFormula::Decode(c.input)), c.expected) << "input: " << c.input;
}

TEST(FormulaDecode, ToBytesKeepsZeroBytesAndReportsTheSize)
{
    int nSize = -1;
    BYTE* p = CFormula::DecodeToBytes("%00A%7", nSize);
    ASSERT_EQ(nSize, 4);
    EXPECT_EQ(std::string((char*)p, 4), std::string("\0A%7", 4));
    EXPECT_FALSE(CFormula::HasNoInnerNul(p, nSize));
    free(p);

    const BYTE lastZero[] = {'a', 'b', 0};
    EXPECT_TRUE(CFormula::HasNoInnerNul(lastZero, 3));
    EXPECT_TRUE(CFormula::HasNoInnerNul(lastZero, 0));
}

TEST(FormulaDecode, HexHelpers)
{
    EXPECT_EQ(CFormula::HexDigitValue('0'), 0);
    EXPECT_EQ(CFormula::HexDigitValue('9'), 9);
    EXPECT_EQ(CFormula::HexDigitValue('a'), 10);
    EXPECT_EQ(CFormula::HexDigitValue('F'), 15);
    EXPECT_EQ(CFormula::HexDigitValue('g'), 0);
    EXPECT_EQ(Bytes(CFormula::ByteToHex(0xAB)), "%AB");
    EXPECT_EQ(Bytes(ByteToEscape(0x0A)), "%0A");
    const BYTE bytes[] = {0x00, 0x7F, 0xFF};
    EXPECT_EQ(Bytes(CFormula::BytesToHex(bytes, 3)), "%00%7F%FF");
    EXPECT_EQ(Bytes(CFormula::BytesToHex(bytes, 0)), "");
}

TEST(FormulaRequest, PathCarriesTheLowerCasedEncodedKeywordAndOffset)
{
    EXPECT_EQ(Bytes(CFormula::StatsRequestPath("Big Apple", "")), "/stats?&q=big+apple&sf=");
    EXPECT_EQ(Bytes(CFormula::StatsRequestPath("c#", "3")), "/stats?&q=c%23&sf=300");
    EXPECT_EQ(Bytes(CFormula::StatsRequestPath("ёлка", "12")), "/stats?&q=%B8%EB%EA%E0&sf=1200");
}

TEST(FormulaAddress, ParsesPartsAndPairs)
{
    CFormula f("a.b..c?x=1&y=&x=2");
    EXPECT_EQ(Bytes(f.GetPath()), "a.b.c");
    EXPECT_EQ(Bytes(f.GetPart(2)), "c");
    EXPECT_EQ(Bytes(f.GetPart(3)), "");
    EXPECT_EQ(Bytes(f.GetValue("x")), "1");
    EXPECT_EQ(Bytes(f.GetValue("x", 1)), "2");
    EXPECT_EQ(Bytes(f.GetValue("x", 2)), "");
    EXPECT_EQ(Bytes(f.GetValue("y")), "");
    EXPECT_EQ(f.CountNames(), 2);
    EXPECT_EQ(Bytes(f.GetName(1)), "y");
    EXPECT_EQ(Bytes(f.GetName(2)), "");
    EXPECT_EQ(Bytes(f.GetUrl()), "a.b.c?x=1&y=&x=2");

    // "+" is a space in the query; escapes are taken back; a pair with an
    // empty name is dropped; a piece without "=" ends the reading.
    CFormula g("host?n+a=%41+b&=lost&k=v&stop&z=9");
    EXPECT_EQ(Bytes(g.GetValue("n a")), "A b");
    EXPECT_EQ(Bytes(g.GetValue("k")), "v");
    EXPECT_EQ(Bytes(g.GetValue("z")), "");
    EXPECT_EQ(g.CountNames(), 2);
    EXPECT_EQ(Bytes(g.GetUrl()), "host?n+a=A+b&k=v");
}

TEST(FormulaAddress, EditsPartsAndParameters)
{
    CFormula f;
    EXPECT_FALSE(f.HasParts());
    f.PartAt(2) = "c";
    EXPECT_EQ(Bytes(f.GetPath()), "..c");
    f.PartAt(-1) = "ignored";
    EXPECT_EQ(Bytes(f.PartAt(-1)), "");
    EXPECT_EQ(Bytes(f.WithoutFirstParts(2).GetPath()), "c");
    EXPECT_EQ(Bytes(f.WithoutFirstParts(9).GetPath()), "");

    f.ParameterAt("k") = "1";
    f.ParameterAt("k") = "2";          // the first pair of that name
    f.ParameterAt("") = "scratch";
    EXPECT_EQ(Bytes(f.GetUrl()), "..c?k=2");

    CStringArray aWords;
    aWords.Add("x y");
    aWords.Add("z");
    f.SetStringList("w", aWords);
    CArray<int, int> aNumbers;
    aNumbers.Add(-3);
    aNumbers.Add(40);
    f.SetIntList("n", aNumbers);
    f.SetIntList("n", aNumbers);       // replaces, does not add
    EXPECT_EQ(Bytes(f.GetUrl()), "..c?k=2&w=x+y&w=z&n=-3&n=40");
    CArray<int, int> aBack;
    f.GetIntList("n", aBack);
    ASSERT_EQ(aBack.GetSize(), 2);
    EXPECT_EQ(aBack[0], -3);

    const BYTE blob[] = {0, 1, '%', 0xFF};
    f.SetBinary("b", blob, 4);
    int nSize = 0;
    BYTE* p = f.GetBinary("b", nSize);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string((char*)p, (size_t)nSize), std::string((const char*)blob, 4));
    free(p);
    const BYTE other[] = {'z', 0};
    f.SetBinary("b", other, 2);        // replaces, does not add
    p = f.GetBinary("b", nSize);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string((char*)p, (size_t)nSize), std::string("z\0", 2));
    free(p);
    CStringArray aStored;
    f.GetStringList("b", aStored);
    EXPECT_EQ(aStored.GetSize(), 1) << "one pair named b";
    EXPECT_EQ(f.GetBinary("none", nSize), nullptr);
}

TEST(FormulaAddress, EqualityOrdersThePairsOfBoth)
{
    CFormula a("p.q?y=2&x=1&x=0"), b("p.q?x=1&x=0&y=2"), c("p.q?x=0&x=1&y=2");
    EXPECT_TRUE(a == b);
    EXPECT_EQ(Bytes(a.GetUrl()), "p.q?x=1&x=0&y=2");   // left ordered, equal names in order
    EXPECT_FALSE(a == c);
    CFormula d("p?x=1");
    EXPECT_FALSE(a == d);
    CFormula e(a);
    EXPECT_TRUE(e == a);
}

TEST(Utilities, NumbersCodePageAndLineFeeds)
{
    EXPECT_EQ(Bytes(NumberToText(0)), "0");
    EXPECT_EQ(Bytes(NumberToText(4294967295u)), "4294967295");

    EXPECT_EQ(Utf8PairToCp1251(0xD0, 0xB0), 0xE0);
    EXPECT_EQ(Utf8PairToCp1251(0xD0, 0xBF), 0xEF);
    EXPECT_EQ(Utf8PairToCp1251(0xD1, 0x80), 0xF0);
    EXPECT_EQ(Utf8PairToCp1251(0xD1, 0x8F), 0xFF);
    EXPECT_EQ(Utf8PairToCp1251(0xD1, 0x91), 0xB8);
    EXPECT_EQ(Utf8PairToCp1251(0xD0, 0x90), 0x20);

    struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"a b\nc d", {"a b", "cd"}},
        {"x\r\n\r\ny z\n", {"x", "y z"}},
        {"\n\n\n", {}},
        {"", {}},
        {" a \n", {" a "}},
    };
    for (auto& c : cases) {
        CStringArray aLines;
        aLines.Add("stale");
        SplitAtLineFeeds(c.text, aLines);
        std::vector<std::string> got;
        for (INT_PTR i = 0; i < aLines.GetSize(); i++)
            got.push_back(Bytes(aLines[i]));
        EXPECT_EQ(got, c.lines) << "text: " << c.text;
    }
}

}  // namespace
