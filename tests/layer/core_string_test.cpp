// CString: sharing and copy-on-write, raw buffers, NUL bytes, searching and
// editing edge cases, msvcrt formatting, code page 1251 case mapping,
// string resources and linear-time building.
#include "core_test.h"
#include "layer_test_res.h"
#include <new>

static_assert(sizeof(CString) == sizeof(char*), "a CString is one pointer");

TEST(CoreString, CopiesShareUntilOneIsWritten)
{
    CString a("hello");
    CString b = a;
    EXPECT_EQ(a.GetString(), b.GetString());

    b.SetAt(0, 'J');
    EXPECT_STREQ("hello", a);
    EXPECT_STREQ("Jello", b);
    EXPECT_NE(a.GetString(), b.GetString());

    // every kind of change separates the copies
    CString c = a;
    c += "!";
    CString d = a;
    d.MakeUpper();
    CString e = a;
    e.Replace('l', 'L');
    CString f = a;
    f.Delete(0, 2);
    EXPECT_STREQ("hello", a);
    EXPECT_STREQ("hello!", c);
    EXPECT_STREQ("HELLO", d);
    EXPECT_STREQ("heLLo", e);
    EXPECT_STREQ("llo", f);
}

TEST(CoreString, GetBufferOfASharedStringLeavesTheOtherCopyAlone)
{
    CString a("original");
    CString b = a;
    char* p = b.GetBuffer(40);
    strcpy(p, "a much longer replacement text");
    b.ReleaseBuffer();
    EXPECT_STREQ("original", a);
    EXPECT_STREQ("a much longer replacement text", b);
    EXPECT_EQ(30, b.GetLength());

    // an explicit length wins over the NUL
    p = b.GetBuffer();
    p[3] = '\0';
    b.ReleaseBuffer(5);
    EXPECT_EQ(5, b.GetLength());
    EXPECT_EQ(Bytes({ 'a', ' ', 'm', 0, 'c' }), Bytes(b));

    CString c;
    p = c.GetBufferSetLength(3);
    memcpy(p, "xyz", 3);
    c.ReleaseBuffer(2);
    EXPECT_STREQ("xy", c);
}

TEST(CoreString, ALockedBufferIsNeverShared)
{
    CString a("locked");
    char* p = a.LockBuffer();
    CString b = a;
    p[0] = 'L';
    EXPECT_STREQ("Locked", a);
    EXPECT_STREQ("locked", b);
    a.UnlockBuffer();
    CString c = a;
    EXPECT_EQ(a.GetString(), c.GetString());
}

TEST(CoreString, MovesBitwise)
{
    // relocatable: the bytes of a CString moved elsewhere are the same string
    alignas(CString) unsigned char from[sizeof(CString)];
    alignas(CString) unsigned char to[sizeof(CString)];
    CString* pFrom = new (from) CString("moved");
    CString shared = *pFrom;
    memcpy(to, from, sizeof(CString));
    CString* pTo = reinterpret_cast<CString*>(to);
    EXPECT_STREQ("moved", *pTo);
    pTo->~CString();
    EXPECT_STREQ("moved", shared);
}

TEST(CoreString, HoldsNulBytes)
{
    CString s("a\0b", 3);
    EXPECT_EQ(3, s.GetLength());
    EXPECT_EQ(2, s.Find('b'));
    EXPECT_EQ(2, s.Find("b"));
    EXPECT_EQ(1, s.Find('\0'));
    EXPECT_TRUE(s == CString("a\0b", 3));
    EXPECT_FALSE(s == CString("a\0c", 3));
    EXPECT_FALSE(s == "a");   // a char pointer ends at its NUL
    EXPECT_GT(s.Compare("a"), 0);

    CString t = s + "c";
    EXPECT_EQ(Bytes({ 'a', 0, 'b', 'c' }), Bytes(t));
    t.MakeUpper();
    EXPECT_EQ(Bytes({ 'A', 0, 'B', 'C' }), Bytes(t));
    t.Replace("B", "xx");
    EXPECT_EQ(Bytes({ 'A', 0, 'x', 'x', 'C' }), Bytes(t));

    CString f;
    f.Format("%c%c%c", 'x', 0, 'y');
    EXPECT_EQ(Bytes({ 'x', 0, 'y' }), Bytes(f));
}

TEST(CoreString, ElementAccessOutOfRangeThrows)
{
    CString s("abc");
    EXPECT_EQ('\0', s.GetAt(3));   // the terminator may be read
    EXPECT_TRUE(ThrowsLayerException<CInvalidArgException>([&] { s.GetAt(4); }));
    EXPECT_TRUE(ThrowsLayerException<CInvalidArgException>([&] { s.GetAt(-1); }));
    EXPECT_TRUE(ThrowsLayerException<CInvalidArgException>([&] { s[5]; }));
    EXPECT_TRUE(ThrowsLayerException<CInvalidArgException>([&] { s.SetAt(3, 'x'); }));
    EXPECT_STREQ("abc", s);
}

TEST(CoreString, SearchEdgeCases)
{
    CString s("abcabc");
    EXPECT_EQ(0, s.Find('a'));
    EXPECT_EQ(3, s.Find('a', 1));
    EXPECT_EQ(-1, s.Find('a', 6));
    EXPECT_EQ(-1, s.Find('a', 100));
    EXPECT_EQ(0, s.Find('a', -5));
    EXPECT_EQ(3, s.Find("abc", 1));
    EXPECT_EQ(-1, s.Find("abcd"));
    EXPECT_EQ(2, s.Find("", 2));
    EXPECT_EQ(-1, s.Find("c", 7));
    EXPECT_EQ(5, s.ReverseFind('c'));
    EXPECT_EQ(-1, s.ReverseFind('z'));
    EXPECT_EQ(1, s.FindOneOf("xcb"));
    EXPECT_EQ(-1, s.FindOneOf(""));
    EXPECT_STREQ("abba", CString("abba-x").SpanIncluding("ab"));
    EXPECT_STREQ("abba", CString("abba-x").SpanExcluding("-"));
    EXPECT_STREQ("", CString("-x").SpanExcluding("-"));
}

TEST(CoreString, ExtractionClampsItsArguments)
{
    CString s("abcdef");
    EXPECT_STREQ("cd", s.Mid(2, 2));
    EXPECT_STREQ("cdef", s.Mid(2));
    EXPECT_STREQ("ab", s.Mid(-1, 2));
    EXPECT_STREQ("", s.Mid(10));
    EXPECT_STREQ("", s.Mid(3, -1));
    EXPECT_STREQ("def", s.Mid(3, 100));
    EXPECT_STREQ("", s.Left(-3));
    EXPECT_STREQ("abcdef", s.Left(100));
    EXPECT_STREQ("ef", s.Right(2));
    EXPECT_STREQ("abcdef", s.Right(100));
    EXPECT_STREQ("", s.Right(-1));
}

TEST(CoreString, ReplaceAndRemove)
{
    struct Case
    {
        const char* text;
        const char* from;
        const char* to;
        int count;
        const char* result;
    };
    const Case cases[] = {
        { "aaa", "aa", "b", 1, "ba" },             // left to right, no overlap
        { "aXa", "a", "aa", 2, "aaXaa" },          // the replacement is not searched again
        { "abcab", "ab", "", 2, "c" },
        { "abc", "", "x", 0, "abc" },              // an empty pattern replaces nothing
        { "abc", "zz", "x", 0, "abc" },
        { "abc", "abc", "", 1, "" },
        { "x.y.z", ".", "--", 2, "x--y--z" },
    };
    for (const Case& c : cases)
    {
        CString s(c.text);
        EXPECT_EQ(c.count, s.Replace(c.from, c.to)) << c.text << " " << c.from;
        EXPECT_STREQ(c.result, s) << c.text << " " << c.from;
    }

    CString s("banana");
    EXPECT_EQ(3, s.Replace('a', 'o'));
    EXPECT_STREQ("bonono", s);
    EXPECT_EQ(0, s.Replace('o', 'o'));
    EXPECT_EQ(3, s.Remove('o'));
    EXPECT_STREQ("bnn", s);
    EXPECT_EQ(0, s.Remove('z'));
}

TEST(CoreString, InsertDeleteAndTrim)
{
    CString s("abc");
    EXPECT_EQ(4, s.Insert(1, 'X'));
    EXPECT_STREQ("aXbc", s);
    EXPECT_EQ(6, s.Insert(100, "yz"));   // past the end appends
    EXPECT_STREQ("aXbcyz", s);
    EXPECT_EQ(7, s.Insert(-3, "_"));
    EXPECT_STREQ("_aXbcyz", s);
    EXPECT_EQ(5, s.Delete(1, 2));
    EXPECT_STREQ("_bcyz", s);
    EXPECT_EQ(2, s.Delete(2, 100));
    EXPECT_STREQ("_b", s);
    EXPECT_EQ(2, s.Delete(5));
    EXPECT_EQ(2, s.Delete(0, 0));

    struct Case
    {
        const char* text;
        const char* both;
        const char* left;
        const char* right;
    };
    const Case cases[] = {
        { "  \t x y \r\n", "x y", "x y \r\n", "  \t x y" },
        { "   ", "", "", "" },
        { "", "", "", "" },
        { "x", "x", "x", "x" },
    };
    for (const Case& c : cases)
    {
        EXPECT_STREQ(c.both, CString(c.text).Trim()) << '"' << c.text << '"';
        EXPECT_STREQ(c.left, CString(c.text).TrimLeft()) << '"' << c.text << '"';
        EXPECT_STREQ(c.right, CString(c.text).TrimRight()) << '"' << c.text << '"';
    }
    EXPECT_STREQ("a..", CString("..a..").TrimLeft('.'));
    EXPECT_STREQ("..a", CString("..a..").TrimRight('.'));
    EXPECT_STREQ("a", CString("xyaxy").Trim("yx"));
    EXPECT_STREQ(" a ", CString("- a -").Trim('-'));
}

TEST(CoreString, Tokenize)
{
    CString s(",a,,b;c;");
    std::vector<std::string> tokens;
    int i = 0;
    for (CString t = s.Tokenize(",;", i); i != -1; t = s.Tokenize(",;", i))
        tokens.push_back((LPCSTR)t);
    EXPECT_EQ((std::vector<std::string>{ "a", "b", "c" }), tokens);
    EXPECT_EQ(-1, i);
}

TEST(CoreString, ArgumentsPointingIntoTheStringItself)
{
    CString s("ab");
    s += s;
    EXPECT_STREQ("abab", s);
    s.Append((LPCSTR)s + 2);
    EXPECT_STREQ("ababab", s);
    s.Insert(1, (LPCSTR)s + 4);
    EXPECT_STREQ("aabbabab", s);
    s = (LPCSTR)s + 5;
    EXPECT_STREQ("bab", s);
    s.Format("%s-%s", (LPCSTR)s, (LPCSTR)s);
    EXPECT_STREQ("bab-bab", s);
    s.AppendFormat("+%s", (LPCSTR)s);
    EXPECT_STREQ("bab-bab+bab-bab", s);
    s.Replace((LPCSTR)s + 11, "");   // the pattern "-bab", taken from the string itself
    EXPECT_STREQ("bab+bab", s);
}

TEST(CoreString, FormatFollowsMsvcrt)
{
    struct Case
    {
        const char* expected;
        std::function<void(CString&)> format;
    };
    const Case cases[] = {
        { "123456789ABCDEF0", [](CString& s) { s.Format("%I64X", 0x123456789ABCDEF0ULL); } },
        { "-1", [](CString& s) { s.Format("%I64d", -1LL); } },
        { "0000001f", [](CString& s) { s.Format("%.8x", 0x1Fu); } },
        { "000000FF", [](CString& s) { s.Format("%08X", 255u); } },
        { "A", [](CString& s) { s.Format("%c", 'A'); } },
        { "4294967295", [](CString& s) { s.Format("%u", (UINT)-1); } },
        { "4000000000", [](CString& s) { s.Format("%lu", 4000000000UL); } },
        { "abc", [](CString& s) { s.Format("%s", "abc"); } },
        { "100%", [](CString& s) { s.Format("%d%%", 100); } },
        { "   42|42   |", [](CString& s) { s.Format("%5d|%-5d|", 42, 42); } },
        { "000123", [](CString& s) { s.Format("%06d", 123); } },
        { "0003.142", [](CString& s) { s.Format("%08.3f", 3.14159); } },
        { "[  ab]", [](CString& s) { s.Format("[%4.2s]", "abc"); } },
        { "", [](CString& s) { s.Format("%s", ""); } },
    };
    for (const Case& c : cases)
    {
        CString s("old text");
        c.format(s);
        EXPECT_STREQ(c.expected, s);
    }

    CString big(' ', 5000);
    CString s;
    s.Format("<%s>", (LPCSTR)big);
    EXPECT_EQ(5002, s.GetLength());
    s.AppendFormat("%d", 7);
    EXPECT_EQ(5003, s.GetLength());
    EXPECT_EQ('7', s[5002]);
}

TEST(CoreString, CaseMappingFollowsCodePage1251)
{
    ASSERT_EQ(1251u, ::GetACP()) << "the tests run with LC_ALL=ru_RU.UTF-8";
    // the sources are compiled to code page 1251
    EXPECT_EQ(Bytes({ 0xD1, 0xEB, 0xEE, 0xE2, 0xE0 }), Bytes(CString("Слова")));

    CString s("Слова ёЖ Abc");
    s.MakeUpper();
    EXPECT_EQ(Bytes(CString("СЛОВА ЁЖ ABC")), Bytes(s));
    EXPECT_EQ(Bytes({ 0xD1, 0xCB, 0xCE, 0xC2, 0xC0, ' ', 0xA8, 0xC6, ' ', 'A', 'B', 'C' }), Bytes(s));
    s.MakeLower();
    EXPECT_EQ(Bytes({ 0xF1, 0xEB, 0xEE, 0xE2, 0xE0, ' ', 0xB8, 0xE6, ' ', 'a', 'b', 'c' }), Bytes(s));

    EXPECT_EQ(0, CString("СЛОВА ЁЖ").CompareNoCase("слова ёж"));
    EXPECT_LT(CString("абв").CompareNoCase("АБГ"), 0);
    // byte order: Cyrillic (high bytes) sorts after Latin
    EXPECT_GT(CString("я").Compare("z"), 0);
    EXPECT_LT(CString("a"), CString("б"));
}

// Collate sorts as the user reads: alphabetically whatever the case, the
// language's own letters in their order (ё with е, before ж), punctuation
// before the letters; Compare stays byte order.
TEST(CoreString, CollateIsTheUsersAlphabeticalOrder)
{
    struct Case { const char* a; const char* b; int sign; };
    const Case cases[] = {
        {"alpha", "Beta", -1},    // by bytes 'a' comes after 'B'
        {"ёж", "арбуз", 1},       // by bytes 'ё' (0xB8) comes first of all
        {"ёж", "жук", -1},
        {"Яблоко", "арбуз", 1},
        {"a", "A", -1},           // equal letters: the small one first
        {"co-op", "coo", -1},     // the hyphen counts, before the letters
        {"слово", "слово", 0},
        {"", "a", -1},
    };
    auto sign = [](int n) { return n < 0 ? -1 : n > 0 ? 1 : 0; };
    for (const Case& c : cases) {
        EXPECT_EQ(sign(CString(c.a).Collate(c.b)), c.sign) << c.a << " / " << c.b;
        EXPECT_EQ(sign(CString(c.b).Collate(c.a)), -c.sign) << c.b << " / " << c.a;
    }
    EXPECT_GT(CString("alpha").Compare("Beta"), 0);
    EXPECT_EQ(0, CString("ЁЖИК").CollateNoCase("ёжик"));
    EXPECT_LT(CString("ёжик").CollateNoCase("ЖУК"), 0);
    EXPECT_EQ(0, CString().Collate(NULL));
}

TEST(CoreString, ComparisonOperators)
{
    CString a("abc"), b("abd");
    EXPECT_TRUE(a < b && b > a && a <= b && b >= a && a != b);
    EXPECT_TRUE(a == "abc" && "abc" == a && a != "ab" && a < "abd" && "abb" < a);
    EXPECT_TRUE(CString("x") == 'x' && CString("xy") != 'x');
    EXPECT_LT(CString("ab").Compare("abc"), 0);
    EXPECT_EQ(0, CString().Compare(""));
    EXPECT_STREQ("abcx", a + 'x');
    EXPECT_STREQ("xabc", 'x' + a);
    EXPECT_STREQ("-abc", "-" + a);
    EXPECT_STREQ("abcabd", a + b);
}

TEST(CoreString, ConstructionAndConversion)
{
    EXPECT_STREQ("xxx", CString('x', 3));
    EXPECT_STREQ("", CString('x', 0));
    EXPECT_STREQ("", CString((LPCSTR)NULL));
    EXPECT_STREQ("ab", CString("abc", 2));
    // wide text goes through the ANSI code page
    EXPECT_EQ(Bytes({ 'A', 0xC6 }), Bytes(CString(L"A\x0416")));

    CString s("A\xC6");
    BSTR bstr = s.AllocSysString();
    EXPECT_EQ(2u, ::SysStringLen(bstr));
    EXPECT_EQ(L'\x0416', bstr[1]);
    ::SysFreeString(bstr);

    CString strFull;
    EXPECT_TRUE(AfxExtractSubString(strFull, "one\ntwo\n\nfour", 1));
    EXPECT_STREQ("two", strFull);
    EXPECT_TRUE(AfxExtractSubString(strFull, "one\ntwo\n\nfour", 2));
    EXPECT_STREQ("", strFull);
    EXPECT_FALSE(AfxExtractSubString(strFull, "one\ntwo", 5));
}

TEST(CoreString, LoadsStringResourcesOfAnyLength)
{
    CString s("unchanged");
    EXPECT_FALSE(s.LoadString(IDS_CORE_MISSING));
    EXPECT_STREQ("unchanged", s);

    ASSERT_TRUE(s.LoadString(IDS_CORE_LONG));
    EXPECT_EQ(300, s.GetLength());
    EXPECT_EQ(CString('9', 1), s.Right(1));

    CString hello(MAKEINTRESOURCE(IDS_CORE_HELLO));
    EXPECT_STREQ("Hello, %s!", hello);
    CString f;
    f.Format(IDS_CORE_HELLO, "world");
    EXPECT_STREQ("Hello, world!", f);
}

TEST(CoreString, BuildingByAppendingIsLinear)
{
    // Appending a line at a time must not copy the whole text each time: the
    // buffer moves only a logarithmic number of times.
    CString s;
    int nMoves = 0;
    LPCSTR pLast = s.GetString();
    for (int i = 0; i < 100000; i++)
    {
        s += "keyword phrase line\r\n";
        if (s.GetString() != pLast)
        {
            nMoves++;
            pLast = s.GetString();
        }
    }
    EXPECT_EQ(100000 * 21, s.GetLength());
    EXPECT_LT(nMoves, 60);

    CString t;
    nMoves = 0;
    pLast = t.GetString();
    for (int i = 0; i < 20000; i++)
    {
        t.AppendFormat("%d,", i);
        if (t.GetString() != pLast)
        {
            nMoves++;
            pLast = t.GetString();
        }
    }
    EXPECT_LT(nMoves, 60);
}
