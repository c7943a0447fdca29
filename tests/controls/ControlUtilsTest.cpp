// The controls' free helpers: clipboard round trips, and clipboard text
// blocks that need not end with a zero.
#include <afxwin.h>
#include <cstring>
#include <gtest/gtest.h>

#include "ControlUtils.h"

#include "ImportPatch.h"

namespace {

TEST(UtilsTest, ClipboardRoundTrips)
{
    const char* texts[] = {"plain", "Слова\r\nвторая строка", "tab\there"};
    for (const char* text : texts) {
        ASSERT_TRUE(SetClipboardText(text)) << text;
        CString s;
        ASSERT_TRUE(GetClipboardText(s));
        EXPECT_STREQ(text, s);
    }
    // An empty or missing text leaves the clipboard as it was.
    EXPECT_FALSE(SetClipboardText(""));
    EXPECT_FALSE(SetClipboardText(NULL));
    CString s;
    ASSERT_TRUE(GetClipboardText(s));
    EXPECT_STREQ("tab\there", s);
}

// A text block another program put on the clipboard need not end with a
// zero: its text ends with the block at the latest. (The block is cut down
// from a larger one, so that the bytes past its end are text too.)
TEST(UtilsTest, TextOfABlockEndsWithTheBlock)
{
    struct Case {
        const char* bytes;
        SIZE_T nSize;
        const char* expected;
    } cases[] = {
        {"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 16, "xxxxxxxxxxxxxxxx"},
        {"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 1, "x"},
        {"ab\0cdxxxxxxxxxxxxxxxxxxxxxxxxxxx", 16, "ab"},
    };
    for (const Case& c : cases) {
        HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, 32);
        ASSERT_NE(hBlock, nullptr);
        memcpy(::GlobalLock(hBlock), c.bytes, 32);
        ::GlobalUnlock(hBlock);
        HGLOBAL hCut = ::GlobalReAlloc(hBlock, c.nSize, 0);
        ASSERT_NE(hCut, nullptr);
        ASSERT_EQ(::GlobalSize(hCut), c.nSize);
        EXPECT_STREQ(GetGlobalText(hCut), c.expected) << c.nSize;
        ::GlobalFree(hCut);
    }
    EXPECT_STREQ(GetGlobalText(NULL), "");
}

// The same through the clipboard: a CF_TEXT block another program put there
// need not end with a zero. Wine's clipboard writes a zero into the last
// byte of every CF_TEXT copy it hands out, so the test hands out a block of
// its own in its place, cut down from a larger one as above.
HGLOBAL g_hClipboardBlock = NULL;

HANDLE WINAPI ClipboardBlockWithoutZero(UINT nFormat)
{
    return nFormat == CF_TEXT ? g_hClipboardBlock : NULL;
}

TEST(UtilsTest, ClipboardTextWithoutAZeroEndsWithTheBlock)
{
    ASSERT_TRUE(SetClipboardText("on the clipboard"));
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, 32);
    ASSERT_NE(hBlock, nullptr);
    memset(::GlobalLock(hBlock), 'x', 32);
    ::GlobalUnlock(hBlock);
    g_hClipboardBlock = ::GlobalReAlloc(hBlock, 16, 0);
    ASSERT_NE(g_hClipboardBlock, nullptr);
    ASSERT_EQ(::GlobalSize(g_hClipboardBlock), 16u);
    {
        CImportPatch patch("user32.dll", "GetClipboardData", (ULONG_PTR)&ClipboardBlockWithoutZero);
        ASSERT_TRUE(patch.Installed());
        CString s;
        EXPECT_TRUE(GetClipboardText(s));
        EXPECT_STREQ(s, "xxxxxxxxxxxxxxxx");
    }
    ::GlobalFree(g_hClipboardBlock);
    g_hClipboardBlock = NULL;
}

}  // namespace
