// The shortcut bar's group records without a window: validation, copies,
// insert orders, swaps, matching, sorting, and the records' layouts on both
// builds.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>

#include "OXComCtlVersion.h"
#include "OXSHBGroupSet.h"

namespace {

#ifdef _WIN64
static_assert(sizeof(SHB_GROUPINFO) == 64, "group record");
static_assert(offsetof(SHB_GROUPINFO, nMask) == 56, "group record mask");
static_assert(sizeof(SHB_NOTIFY) == 48, "notification record");
static_assert(offsetof(SHB_NOTIFY, lParam) == 40, "notification parameter");
static_assert(sizeof(SHB_TIPINFO) == 96, "tip record");
#else
static_assert(sizeof(SHB_GROUPINFO) == 44, "group record");
static_assert(offsetof(SHB_GROUPINFO, nMask) == 36, "group record mask");
static_assert(sizeof(SHB_NOTIFY) == 24, "notification record");
static_assert(offsetof(SHB_NOTIFY, lParam) == 20, "notification parameter");
static_assert(sizeof(SHB_TIPINFO) == 88, "tip record");
#endif
static_assert(sizeof(SHB_DESCRIPTOR) == 148, "descriptor");
static_assert(offsetof(SHB_DESCRIPTOR, lfText) == 20 && offsetof(SHB_DESCRIPTOR, nMask) == 144, "descriptor");

// A set that pretends to have ten header images and one child window.
class CTestSet : public COXSHBGroupSet
{
public:
    int GetImageCount() const override { return m_nImages; }
    BOOL IsChildWindow(HWND hWnd) const override { return hWnd == (HWND)0x1234; }
    int m_nImages = 10;

    HSHBGROUP Add(const char* text, int order = SHBI_LAST)
    {
        SHB_GROUPINFO info;
        info.nMask = SHBIF_TEXT | SHBIF_ORDER;
        info.pszText = (LPSTR)text;
        info.nTextLength = (int)strlen(text);
        info.nOrder = order;
        return Insert(&info);
    }
    // The texts from the top down.
    std::string Column() const
    {
        std::string s;
        for (int i = 0; i < GetCount(); ++i)
            s += std::string(i ? " " : "") + GetText(FindByOrder(i));
        return s;
    }
};

TEST(SHBGroupSet, ValidationTable)
{
    CTestSet set;
    set.Add("A");
    set.Add("B");
    struct Case { UINT mask; int image, order, view; HWND child; BOOL ok; } cases[] = {
        {0, 0, 0, 0, NULL, TRUE},
        {0x01000000, 0, 0, 0, NULL, FALSE},     // a bit outside the group bits
        {0x0000FFFF & 1, 0, 0, 0, NULL, FALSE},
        {SHBIF_IMAGE, 9, 0, 0, NULL, TRUE},
        {SHBIF_IMAGE, 10, 0, 0, NULL, FALSE},
        {SHBIF_IMAGE, -1, 0, 0, NULL, FALSE},
        {SHBIF_ORDER, 0, -3, 0, NULL, TRUE},
        {SHBIF_ORDER, 0, -4, 0, NULL, FALSE},
        {SHBIF_ORDER, 0, 1, 0, NULL, TRUE},
        {SHBIF_ORDER, 0, 2, 0, NULL, FALSE},
        {SHBIF_VIEW, 0, 0, 3, NULL, TRUE},
        {SHBIF_VIEW, 0, 0, 4, NULL, FALSE},
        {SHBIF_VIEW, 0, 0, -1, NULL, FALSE},
        {SHBIF_CHILDWND, 0, 0, 0, (HWND)0x1234, TRUE},
        {SHBIF_CHILDWND, 0, 0, 0, (HWND)0x9999, FALSE},
    };
    for (const Case& c : cases) {
        SHB_GROUPINFO info;
        info.nMask = c.mask;
        info.nImage = c.image;
        info.nOrder = c.order;
        info.nView = c.view;
        info.hwndChild = c.child;
        EXPECT_EQ(c.ok, set.VerifyGroupInfo(&info)) << std::hex << c.mask << std::dec << " image " << c.image
                                                    << " order " << c.order << " view " << c.view;
    }
    set.m_nImages = -1;   // no image list: no image is valid
    SHB_GROUPINFO info;
    info.nMask = SHBIF_IMAGE;
    EXPECT_FALSE(set.VerifyGroupInfo(&info));
}

TEST(SHBGroupSet, InsertOrders)
{
    struct Case { int order; const char* result; } cases[] = {
        {SHBI_FIRST, "new A B"}, {SHBI_LAST, "A B new"}, {0, "new A B"}, {1, "A new B"}, {SHBI_SORT, "A B new"},
    };
    for (const Case& c : cases) {
        CTestSet set;
        set.Add("A");
        set.Add("B");
        EXPECT_NE((HSHBGROUP)NULL, set.Add("new", c.order));
        EXPECT_EQ(c.result, set.Column()) << "order " << c.order;
    }
    CTestSet set;
    set.Add("delta");
    set.Add("Bravo");
    set.Add("alpha", SHBI_FIRST);
    set.Add("Charlie", SHBI_SORT);
    EXPECT_EQ("alpha Bravo Charlie delta", set.Column()) << "sorted without regard to case";
    EXPECT_EQ(NULL, set.Add("late", 5));
}

TEST(SHBGroupSet, HandlesCountUpAndAreNeverReused)
{
    CTestSet set;
    HSHBGROUP a = set.Add("A");
    HSHBGROUP b = set.Add("B");
    EXPECT_EQ((HSHBGROUP)1, a);
    EXPECT_EQ((HSHBGROUP)2, b);
    EXPECT_TRUE(set.Remove(b));
    EXPECT_FALSE(set.Remove(b));
    EXPECT_EQ((HSHBGROUP)3, set.Add("C"));
}

TEST(SHBGroupSet, SettingAnOrderSwapsTwoGroups)
{
    CTestSet set;
    HSHBGROUP a = set.Add("A");
    HSHBGROUP b = set.Add("B");
    set.Add("C");
    SHB_GROUPINFO info;
    info.nMask = SHBIF_ORDER;
    info.nOrder = 0;
    EXPECT_TRUE(set.Set(b, &info, FALSE));
    EXPECT_EQ("B A C", set.Column());
    info.nOrder = 2;
    EXPECT_TRUE(set.Set(b, &info, FALSE));
    EXPECT_EQ("C A B", set.Column());
    // Orders only for inserting are refused on a set, and nothing moves.
    for (int order : {SHBI_FIRST, SHBI_LAST, SHBI_SORT, 3}) {
        info.nOrder = order;
        EXPECT_FALSE(set.Set(a, &info, FALSE)) << order;
        EXPECT_EQ("C A B", set.Column());
    }
    // Rebuilding a group without an order keeps its place.
    SHB_GROUPINFO text;
    text.nMask = SHBIF_TEXT;
    text.pszText = (LPSTR)"a";
    text.nTextLength = 1;
    EXPECT_TRUE(set.Set(a, &text, TRUE));
    EXPECT_EQ("C a B", set.Column());
}

TEST(SHBGroupSet, RemovingMovesTheGroupsBelowUp)
{
    CTestSet set;
    set.Add("A");
    HSHBGROUP b = set.Add("B");
    set.Add("C");
    EXPECT_TRUE(set.Remove(b));
    EXPECT_EQ("A C", set.Column());
}

TEST(SHBGroupSet, TextIsKeptWithItsOwnTerminatorAndHandedOutAsACopy)
{
    CTestSet set;
    char unterminated[6] = {'H', 'e', 'a', 'd', 'e', 'r'};   // no NUL anywhere
    SHB_GROUPINFO info;
    info.nMask = SHBIF_TEXT;
    info.pszText = unterminated;
    info.nTextLength = 4;
    HSHBGROUP h = set.Insert(&info);
    ASSERT_NE((HSHBGROUP)NULL, h);
    EXPECT_STREQ("Head", set.GetText(h));

    SHB_GROUPINFO out;
    out.nMask = SHBIF_TEXT;
    ASSERT_TRUE(set.Get(h, &out, FALSE));
    EXPECT_STREQ("Head", out.pszText);
    EXPECT_EQ(4, out.nTextLength);
    EXPECT_TRUE(out.bOwnsText);
    EXPECT_NE(set.Lookup(h)->pszText, out.pszText) << "a copy, not the group's block";

    // Setting a group's text from its own block.
    SHB_GROUPINFO self;
    self.nMask = SHBIF_TEXT;
    self.pszText = set.Lookup(h)->pszText;
    self.nTextLength = 2;
    EXPECT_TRUE(set.Set(h, &self, FALSE));
    EXPECT_STREQ("He", set.GetText(h));
}

TEST(SHBGroupSet, ACopyOfEverythingFromAZeroedRecord)
{
    CTestSet set;
    SHB_DESCRIPTOR desc = {};
    desc.nMask = SHBIF_CLRBACK | SHBIF_HDRHEIGHT;
    desc.clrBackground = RGB(1, 2, 3);
    desc.nHeaderHeight = 30;
    SHB_GROUPINFO info;
    info.nMask = SHBIF_TEXT | SHBIF_IMAGE | SHBIF_PARAM | SHBIF_VIEW | SHBIF_DESCRIPTOR;
    info.pszText = (LPSTR)"Mail";
    info.nTextLength = 4;
    info.nImage = 3;
    info.lParam = (LPARAM)0x123456789LL;
    info.nView = 2;
    info.pDescriptor = &desc;
    HSHBGROUP h = set.Insert(&info);
    ASSERT_NE((HSHBGROUP)NULL, h);
    EXPECT_NE(&desc, set.Lookup(h)->pDescriptor) << "the group keeps its own descriptor";

    SHB_GROUPINFO out;   // constructed zeroed: nothing of it is freed
    ASSERT_TRUE(set.Get(h, &out, TRUE));
    EXPECT_EQ(info.nMask | SHBIF_ORDER, out.nMask);
    EXPECT_STREQ("Mail", out.pszText);
    EXPECT_EQ(3, out.nImage);
    EXPECT_EQ(info.lParam, out.lParam);
    EXPECT_EQ(2, out.nView);
    ASSERT_NE((LPSHB_DESCRIPTOR)NULL, out.pDescriptor);
    EXPECT_EQ(RGB(1, 2, 3), out.pDescriptor->clrBackground);
    EXPECT_EQ(30, out.pDescriptor->nHeaderHeight);
}

TEST(SHBGroupSet, ImagesFieldRules)
{
    CTestSet set;
    HSHBGROUP h = set.Add("A");
    SHB_GROUPINFO info;
    info.nMask = SHBIF_IMAGE;
    info.nImage = 4;
    EXPECT_TRUE(set.Set(h, &info, FALSE));
    EXPECT_TRUE(set.Lookup(h)->nMask & SHBIF_IMAGE);
    info.nImage = -5;   // clears the image
    EXPECT_TRUE(set.Set(h, &info, FALSE));
    EXPECT_FALSE(set.Lookup(h)->nMask & SHBIF_IMAGE);
    EXPECT_EQ(-1, set.Lookup(h)->nImage);
    info.nImage = 99;
    EXPECT_FALSE(set.Set(h, &info, FALSE));
}

TEST(SHBGroupSet, MatchingTable)
{
    CTestSet set;
    HSHBGROUP mail = set.Add("Mailbox");
    HSHBGROUP mai = set.Add("Mai");
    HSHBGROUP notes = set.Add("Notes");
    SHB_GROUPINFO info;
    info.nMask = SHBIF_PARAM;
    info.lParam = 77;
    set.Set(notes, &info, FALSE);
    struct Case { const char* text; HSHBGROUP expected; } texts[] = {
        {"Mailbox", mail}, {"Mail", mail}, {"Mai", mai}, {"Ma", mail}, {"Mailboxes", NULL}, {"mail", NULL},
        {"", mail},
    };
    for (const Case& c : texts)
        EXPECT_EQ(c.expected, set.FindByText(c.text)) << c.text;
    EXPECT_EQ(notes, set.FindByParam(77));
    EXPECT_EQ(NULL, set.FindByParam(0)) << "groups without data have no data to match";
    EXPECT_EQ(mai, set.FindByOrder(1));
    EXPECT_EQ(NULL, set.FindByOrder(3));
    // Every bit of the pattern must be in the candidate.
    SHB_GROUPINFO pattern;
    pattern.nMask = SHBIF_TEXT | SHBIF_PARAM;
    pattern.pszText = (LPSTR)"No";
    pattern.nTextLength = 2;
    pattern.lParam = 77;
    EXPECT_EQ(notes, set.Find(&pattern));
    pattern.lParam = 78;
    EXPECT_EQ(NULL, set.Find(&pattern));
}

int CALLBACK ByLength(HSHBGROUP a, HSHBGROUP b, LPARAM lParam)
{
    const COXSHBGroupSet* set = (const COXSHBGroupSet*)lParam;
    return (int)strlen(set->GetText(a)) - (int)strlen(set->GetText(b));
}

TEST(SHBGroupSet, SortingBothWays)
{
    CTestSet set;
    set.Add("ccc");
    set.Add("a");
    set.Add("bb");
    EXPECT_TRUE(set.Sort(ByLength, (LPARAM)&set, 1));
    EXPECT_EQ("a bb ccc", set.Column());
    EXPECT_TRUE(set.Sort(ByLength, (LPARAM)&set, -1));
    EXPECT_EQ("ccc bb a", set.Column());
    EXPECT_EQ(-1, set.GetSortDirection());
    EXPECT_TRUE(set.Sort(ByLength, (LPARAM)&set, 0));
    EXPECT_EQ("ccc bb a", set.Column());
}

TEST(SHBGroupSet, DescriptorsAreSharedUntilTheLastGroupLetsGo)
{
    CTestSet set;
    HSHBGROUP h = set.Add("A");
    SHB_DESCRIPTOR desc = {};
    desc.nMask = SHBIF_CLRTEXT;
    desc.clrText = RGB(9, 9, 9);
    SHB_GROUPINFO info;
    info.nMask = SHBIF_DESCRIPTOR;
    info.pDescriptor = &desc;
    EXPECT_TRUE(set.Set(h, &info, FALSE));
    EXPECT_EQ(1, set.GetDescriptorCount());
    desc.nMask = SHBIF_HDRHEIGHT;
    desc.nHeaderHeight = 40;
    EXPECT_TRUE(set.Set(h, &info, FALSE));   // merged into the same descriptor
    EXPECT_EQ(1, set.GetDescriptorCount());
    EXPECT_EQ((UINT)(SHBIF_CLRTEXT | SHBIF_HDRHEIGHT), set.Lookup(h)->pDescriptor->nMask);
    info.pDescriptor = NULL;
    EXPECT_TRUE(set.Set(h, &info, FALSE));
    EXPECT_EQ(0, set.GetDescriptorCount());
    EXPECT_FALSE(set.Lookup(h)->nMask & SHBIF_DESCRIPTOR);
}

// Images once valid stay stored when the image list shrinks or goes: the
// group is still found by its order and read out whole.
TEST(SHBGroupSet, GroupsOutlivingTheirImagesAreStillFoundAndRead)
{
    CTestSet set;
    HSHBGROUP a = set.Add("A");
    HSHBGROUP b = set.Add("B");
    SHB_GROUPINFO info;
    info.nMask = SHBIF_IMAGE | SHBIF_IMAGEEXPANDED;
    info.nImage = 7;
    info.nImageExpanded = 9;
    ASSERT_TRUE(set.Set(b, &info, FALSE));
    for (int nImages : {3, -1}) {   // a smaller list, then none
        set.m_nImages = nImages;
        EXPECT_EQ(a, set.FindByOrder(0)) << nImages;
        EXPECT_EQ(b, set.FindByOrder(1)) << nImages;
        SHB_GROUPINFO out;
        EXPECT_TRUE(set.Get(b, &out, TRUE)) << nImages;
        EXPECT_EQ(7, out.nImage) << nImages;
        EXPECT_EQ(9, out.nImageExpanded) << nImages;
        EXPECT_EQ(1, out.nOrder) << nImages;
        SHB_GROUPINFO asked;   // the fields asked for, read into a fresh record
        asked.nMask = SHBIF_IMAGE | SHBIF_IMAGEEXPANDED;
        EXPECT_TRUE(set.Get(b, &asked, FALSE)) << nImages;
        EXPECT_EQ(9, asked.nImageExpanded) << nImages;
        // A pattern naming an image the list no longer has matches nothing.
        SHB_GROUPINFO pattern;
        pattern.nMask = SHBIF_IMAGE;
        pattern.nImage = 7;
        EXPECT_EQ(NULL, set.Find(&pattern)) << nImages;
    }
}

// Reading a group into fresh records, again and again, leaves the bar with
// the descriptors its groups hold and no more.
TEST(SHBGroupSet, ReadingOutAddsNoDescriptor)
{
    CTestSet set;
    HSHBGROUP h = set.Add("A");
    set.Add("B");
    SHB_DESCRIPTOR desc = {};
    desc.nMask = SHBIF_CLRTEXT;
    desc.clrText = RGB(9, 9, 9);
    SHB_GROUPINFO info;
    info.nMask = SHBIF_DESCRIPTOR;
    info.pDescriptor = &desc;
    ASSERT_TRUE(set.Set(h, &info, FALSE));
    ASSERT_EQ(1, set.GetDescriptorCount());
    for (int i = 0; i < 5; ++i)
        for (BOOL bAll : {FALSE, TRUE}) {
            SHB_GROUPINFO out;
            out.nMask = SHBIF_DESCRIPTOR;
            ASSERT_TRUE(set.Get(h, &out, bAll));
            ASSERT_TRUE(out.pDescriptor != NULL);
            EXPECT_EQ(RGB(9, 9, 9), out.pDescriptor->clrText);
        }
    EXPECT_EQ(1, set.GetDescriptorCount());
    // A record with a descriptor of the caller's own gets the fields copied.
    SHB_DESCRIPTOR mine = {};
    SHB_GROUPINFO out;
    out.nMask = SHBIF_DESCRIPTOR;
    out.pDescriptor = &mine;
    ASSERT_TRUE(set.Get(h, &out, TRUE));
    EXPECT_EQ(&mine, out.pDescriptor);
    EXPECT_EQ(RGB(9, 9, 9), mine.clrText);
    EXPECT_EQ(1, set.GetDescriptorCount());
}

TEST(SHBGroupSet, FaceNamesAreCutAtThirtyTwoBytes)
{
    LOGFONT source;
    memset(&source, 'x', sizeof(source));
    source.lfHeight = -11;
    LOGFONT dest = {};
    OXCopyLogFont(&dest, &source);
    EXPECT_EQ(-11, dest.lfHeight);
    EXPECT_EQ(31u, strlen(dest.lfFaceName));
}

TEST(ComCtlVersion, ReadsTheLoadedLibrary)
{
    int major = 0, minor = 0;
    EXPECT_EQ(S_OK, GetComCtlVersion(&major, &minor));
    EXPECT_GE(major, 4);
    EXPECT_EQ(E_INVALIDARG, GetComCtlVersion(NULL, &minor));
    EXPECT_EQ(E_INVALIDARG, GetComCtlVersion(&major, NULL));
}

}  // namespace
