// Trace events: the line format, the data escaping, the message texts, the
// bounded formatting and the sequence counter shared by all threads.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <thread>
#include <vector>
#include "TraceEvent.h"
#include "framework_res.h"

namespace {

std::string Str(const CString& s)
{
    return std::string((LPCSTR)s, (size_t)s.GetLength());
}

// Fixes the stamped fields so that the whole line is known.
TraceEvent* Stamp(TraceEvent* pEvent, int nSequence, DWORD dwThread)
{
    pEvent->m_nSequence = nSequence;
    pEvent->m_dwThreadId = dwThread;
    return pEvent;
}

TEST(TraceEvent, LineFormat)
{
    struct {
        TraceEvent* pEvent;
        const char* line;
        const char* numberText;
    } cases[] = {
        {Stamp(new TraceComment(-1, CString("Ready")), 12, 0x1a2c), "000012|       00001a2c Ready", ""},
        {Stamp(new TraceComment(7, CString("Ready")), 0, 0x1a2c), "000000| 0007  00001a2c Ready", "7  "},
        {Stamp(new TraceError(-1), 999999, 0xFFFFFFFF), "999999|       ffffffff ", ""},
        {Stamp(new TraceNote(12345, "note"), 1234567, 1), "1234567| 12345  00000001 note", "12345  "},
        {Stamp(new TraceData(-1, "a\"b"), 5, 0xabc), "000005|       00000abc a\\\"b", ""},
        {Stamp(new TraceData(-1, "\x01\xff", 2), 5, 0xabc), "000005|       00000abc 01 ff ", ""},
    };
    for (auto& c : cases) {
        EXPECT_EQ(Str(c.pEvent->GetLine()), c.line);
        EXPECT_EQ(Str(c.pEvent->GetNumberText()), c.numberText) << c.line;
        delete c.pEvent;
    }
}

TEST(TraceEvent, ColoursAndKinds)
{
    struct {
        TraceEvent* pEvent;
        COLORREF color;
        bool isError;
    } cases[] = {
        {new TraceComment(-1, CString("c")), 0x008000, false},
        {new TraceFormatComment(-1, "%d", 1), 0x008000, false},
        {new TraceNote(-1, "n"), 0xFF00FF, false},
        {new TraceError(-1, CString("e")), 0x000080, true},
        {new TraceFormatError(-1, "%d", 1), 0x000080, true},
        {new TraceFormatMessage(-1, 5), 0x000080, true},
        {new TraceData(-1, "d"), 0x800000, false},
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.pEvent->GetColor(), c.color) << c.pEvent->GetRuntimeClass()->m_lpszClassName;
        EXPECT_EQ(c.pEvent->IsKindOf(RUNTIME_CLASS(TraceError)) != FALSE, c.isError);
        EXPECT_EQ(c.pEvent->GetLineCount(), 1);
        EXPECT_EQ(c.pEvent->GetFont(), nullptr);
        delete c.pEvent;
    }
}

TEST(TraceEvent, DataTexts)
{
    const BYTE bytes[] = {0x00, 0xFF};
    struct {
        TraceData* pEvent;
        const char* text;
    } cases[] = {
        {new TraceData(-1, bytes, 2), "00 ff "},
        {new TraceData(-1, bytes, 0), ""},
        {new TraceData(-1, "This", 4), "54 68 69 73 "},
        {new TraceData(-1, "a\tb\xE9"), "a\\tb\\xe9"},
        {new TraceData(-1, "\"\\"), "\\\"\\\\"},
        {new TraceData(-1, "\a\b\t\n\v\f\r"), "\\a\\b\\t\\n\\v\\f\\r"},
        {new TraceData(-1, "\x01\x1f \x7e\x7f\x80"), "\\x01\\x1f ~\\x7f\\x80"},
        {new TraceData(-1, CString("")), ""},
    };
    for (auto& c : cases) {
        EXPECT_EQ(Str(c.pEvent->GetText()), c.text);
        delete c.pEvent;
    }
    TraceData text(-1, CString("abc"));
    EXPECT_FALSE(text.m_bBinary);
    EXPECT_EQ(text.m_nLength, 3u);
    EXPECT_EQ(text.m_pData[3], 0);
}

TEST(TraceEvent, FormattedTextsAreBounded)
{
    TraceFormatComment fromResource(-1, (UINT)IDS_TRACE_TESTED_TIMES, 3);
    EXPECT_EQ(Str(fromResource.GetText()), "This function has been tested 3 times");
    TraceFormatError fromString(-1, "%s=%04d", "x", 42);
    EXPECT_EQ(Str(fromString.GetText()), "x=0042");

    std::string longArg(5000, 'y');
    TraceFormatError cut(-1, "<%s>", longArg.c_str());
    ASSERT_EQ(cut.GetText().GetLength(), TraceEvent::nMaxFormattedText);
    EXPECT_EQ(Str(cut.GetText()), "<" + std::string(TraceEvent::nMaxFormattedText - 1, 'y'));
    std::string exact(TraceEvent::nMaxFormattedText, 'z');
    TraceFormatComment fits(-1, "%s", exact.c_str());
    EXPECT_EQ(Str(fits.GetText()), exact);
}

TEST(TraceEvent, MessageTexts)
{
    // A code the system knows: its first line only.
    TraceFormatMessage denied(-1, ERROR_ACCESS_DENIED);
    CString strSystem = denied.GetText();
    EXPECT_FALSE(strSystem.IsEmpty());
    EXPECT_LT(strSystem.FindOneOf("\r\n"), 0) << Str(strSystem);

    // The string table: marked socket texts lose their mark; unmarked
    // strings and missing ones give the unknown-error text.
    EXPECT_EQ(Str(TraceFormatMessage::GetResourceText(10013)), "Network error: permission denied");
    EXPECT_EQ(Str(TraceFormatMessage::GetResourceText(11001)), "Network error: host not found");
    EXPECT_EQ(Str(TraceFormatMessage::GetResourceText(IDS_TRACE_SAMPLE_COMMENT)), "Unknown error 145 (0x00000091)");
    EXPECT_EQ(Str(TraceFormatMessage::GetResourceText(4999)), "Unknown error 4999 (0x00001387)");

    // Neither the system nor the string table: the unknown-error text.
    TraceFormatMessage unknown(-1, 0x2000FFFF);
    EXPECT_EQ(Str(unknown.GetText()), "Unknown error 536936447 (0x2000ffff)");
}

TEST(TraceEvent, SequenceAndThreadAcrossThreads)
{
    const int nThreads = 4, nEach = 500;
    LONG nFirst = TraceEvent::PeekNextSequence();
    std::vector<std::vector<TraceEvent*>> made(nThreads);
    std::vector<DWORD> ids(nThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < nThreads; t++)
        threads.emplace_back([&, t] {
            ids[t] = GetCurrentThreadId();
            for (int i = 0; i < nEach; i++)
                made[t].push_back(new TraceComment(-1, CString("x")));
        });
    for (auto& th : threads)
        th.join();
    std::set<int> seen;
    for (int t = 0; t < nThreads; t++)
        for (TraceEvent* p : made[t]) {
            EXPECT_EQ(p->m_dwThreadId, ids[t]);
            seen.insert(p->m_nSequence);
            delete p;
        }
    ASSERT_EQ(seen.size(), (size_t)(nThreads * nEach));   // no number given twice
    EXPECT_EQ(*seen.begin(), nFirst);
    EXPECT_EQ(*seen.rbegin(), nFirst + nThreads * nEach - 1);

    TraceComment next(-1, CString("n"));
    EXPECT_EQ(next.m_nSequence, nFirst + nThreads * nEach);
    time_t now = time(NULL);
    EXPECT_LE(llabs(next.m_time - (__time64_t)now), 2);
}

}  // namespace
