// The collections: element life cycles (no leak, no double destruction),
// moves on growth, aliasing, bad indexes, hashing and iteration order,
// typed pointer wrappers, and the archive layout of the serial ones.
#include "core_test.h"
#include <afxtempl.h>
#include <afxcoll.h>
#include <map>
#include <set>
#include <string>

namespace
{
// Counts live objects and catches a destructor running twice or on
// something never constructed.
struct Counted
{
    static int s_nLive;
    static int s_nBadDestructions;
    enum { kAlive = 0x5A5A5A5A, kDead = 0x0DEAD0DE };
    int m_nMagic;
    int m_nValue;

    Counted() : m_nMagic(kAlive), m_nValue(0) { s_nLive++; }
    Counted(int n) : m_nMagic(kAlive), m_nValue(n) { s_nLive++; }
    Counted(const Counted& o) : m_nMagic(kAlive), m_nValue(o.m_nValue) { s_nLive++; }
    Counted& operator=(const Counted& o)
    {
        m_nValue = o.m_nValue;
        return *this;
    }
    ~Counted()
    {
        if (m_nMagic != kAlive)
            s_nBadDestructions++;
        m_nMagic = kDead;
        s_nLive--;
    }
    bool operator==(const Counted& o) const { return m_nValue == o.m_nValue; }
};
int Counted::s_nLive = 0;
int Counted::s_nBadDestructions = 0;

class CoreCollections : public ::testing::Test
{
protected:
    void SetUp() override { Counted::s_nLive = Counted::s_nBadDestructions = 0; }
    void TearDown() override
    {
        EXPECT_EQ(0, Counted::s_nLive) << "elements leaked or destroyed too often";
        EXPECT_EQ(0, Counted::s_nBadDestructions) << "an element was destroyed twice";
    }
};

template<class A>
std::vector<int> Values(const A& a)
{
    std::vector<int> v;
    for (INT_PTR i = 0; i < a.GetSize(); i++)
        v.push_back(a[i].m_nValue);
    return v;
}

std::vector<BYTE> Stored(CObject& ob)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ob.Serialize(ar);
    }
    ULONGLONG n = file.GetLength();
    BYTE* p = file.Detach();
    std::vector<BYTE> bytes = Bytes(p, (size_t)n);
    free(p);
    return bytes;
}

void Load(CObject& ob, const std::vector<BYTE>& bytes)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    ob.Serialize(ar);
}
} // namespace

TEST_F(CoreCollections, ArrayElementsLiveExactlyAsLongAsTheirSlots)
{
    {
        CArray<Counted> a;
        for (int i = 0; i < 1000; i++)
            a.Add(Counted(i));
        EXPECT_EQ(1000, Counted::s_nLive);
        a.InsertAt(0, Counted(-1), 5);
        a.RemoveAt(3, 10);
        EXPECT_EQ(995, a.GetSize());
        EXPECT_EQ(-1, a[2].m_nValue);
        EXPECT_EQ(8, a[3].m_nValue);
        a.SetSize(2000);
        EXPECT_EQ(0, a[1999].m_nValue);
        a.SetSize(10);
        EXPECT_EQ(10, Counted::s_nLive);
        a.FreeExtra();

        CArray<Counted> b;
        b.Copy(a);
        b.InsertAt(2, &a);
        b.Append(a);
        EXPECT_EQ(30, b.GetSize());
        EXPECT_EQ(40, Counted::s_nLive);
        b.SetAtGrow(40, Counted(7));
        EXPECT_EQ(41, b.GetSize());
        b.RemoveAll();
        EXPECT_EQ(10, Counted::s_nLive);
    }
    EXPECT_EQ(0, Counted::s_nLive);
}

TEST_F(CoreCollections, ListsAndMapsDestroyTheirElements)
{
    {
        CList<Counted> list(4);
        for (int i = 0; i < 50; i++)
            list.AddTail(Counted(i));
        list.AddHead(Counted(-1));
        EXPECT_EQ(-1, list.RemoveHead().m_nValue);
        EXPECT_EQ(49, list.RemoveTail().m_nValue);
        list.RemoveAt(list.FindIndex(10));
        EXPECT_EQ(48, list.GetCount());
        EXPECT_EQ(48, Counted::s_nLive);

        CMap<int, int, Counted, const Counted&> map(3);
        for (int i = 0; i < 100; i++)
            map.SetAt(i, Counted(i * 2));
        map[500].m_nValue = 1;
        for (int i = 0; i < 100; i += 2)
            EXPECT_TRUE(map.RemoveKey(i));
        EXPECT_EQ(51, map.GetCount());
        EXPECT_EQ(48 + 51, Counted::s_nLive);
    }
    EXPECT_EQ(0, Counted::s_nLive);
}

TEST_F(CoreCollections, GrowingMovesElementsThatAreNotBitwiseMovable)
{
    // short std::strings point into themselves: a bytewise move would
    // leave them pointing into freed memory
    CArray<std::string> a;
    for (int i = 0; i < 5000; i++)
        a.Add(std::to_string(i));
    a.InsertAt(1, std::string("inserted"));
    a.RemoveAt(0);
    ASSERT_EQ(5000, a.GetSize());
    EXPECT_EQ("inserted", a[0]);
    EXPECT_EQ("1", a[1]);
    EXPECT_EQ("4999", a[4999]);

    CArray<std::map<int, int>> maps;
    for (int i = 0; i < 300; i++)
    {
        maps.Add(std::map<int, int>());
        maps[i][i] = i;
    }
    EXPECT_EQ(299, maps[299].begin()->second);
    EXPECT_EQ(1u, maps[0].size());
}

TEST_F(CoreCollections, AnElementOfTheArrayCanBeAddedToItself)
{
    CStringArray a;
    a.Add("first");
    a.Add("second");
    for (int i = 0; i < 100; i++)
        a.Add(a[0]);   // the array moves while reading the argument
    a.InsertAt(0, a[1]);   // the argument's slot shifts
    EXPECT_STREQ("second", a[0]);
    EXPECT_STREQ("first", a[1]);
    EXPECT_STREQ("first", a[101]);
    a.InsertAt(1, &a);   // an array into itself
    EXPECT_EQ(206, a.GetSize());
    EXPECT_STREQ("second", a[1]);
}

TEST_F(CoreCollections, StringArrayKeepsStringsThroughEditing)
{
    CStringArray a;
    for (int i = 0; i < 10; i++)
    {
        CString s;
        s.Format("item %d", i);
        a.Add(s);
    }
    a.RemoveAt(2, 3);
    a.InsertAt(2, "new", 2);
    a.SetAtGrow(12, "far");
    ASSERT_EQ(13, a.GetSize());
    EXPECT_STREQ("item 1", a[1]);
    EXPECT_STREQ("new", a[3]);
    EXPECT_STREQ("item 5", a[4]);
    EXPECT_STREQ("", a[11]);
    EXPECT_STREQ("far", a.GetAt(12));
    EXPECT_EQ(12, a.GetUpperBound());

    CStringArray b;
    b.Copy(a);
    b[0] = "changed";
    EXPECT_STREQ("item 0", a[0]);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_STREQ("item 9", b[8]);
}

TEST_F(CoreCollections, BadIndexesThrowInvalidArgument)
{
    CArray<Counted> a;
    a.SetSize(3);
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        { "GetAt(-1)", [&] { a.GetAt(-1); } },
        { "GetAt(size)", [&] { a.GetAt(3); } },
        { "ElementAt(size)", [&] { a.ElementAt(3); } },
        { "operator[](size)", [&] { a[3]; } },
        { "SetAt(size)", [&] { a.SetAt(3, Counted()); } },
        { "RemoveAt past the end", [&] { a.RemoveAt(2, 2); } },
        { "RemoveAt(-1)", [&] { a.RemoveAt(-1); } },
        { "InsertAt(-1)", [&] { a.InsertAt(-1, Counted()); } },
        { "InsertAt count 0", [&] { a.InsertAt(0, Counted(), 0); } },
        { "SetSize(-1)", [&] { a.SetSize(-1); } },
        { "SetAtGrow(-1)", [&] { a.SetAtGrow(-1, Counted()); } },
    };
    for (const auto& c : cases)
        EXPECT_TRUE(ThrowsLayerException<CInvalidArgException>(c.second)) << c.first;
    EXPECT_EQ(3, a.GetSize());

    CList<int, int> list;
    EXPECT_TRUE(ThrowsLayerException<CInvalidArgException>([&] { list.RemoveHead(); }));
    EXPECT_TRUE(ThrowsLayerException<CInvalidArgException>([&] { list.GetTail(); }));
    CStringArray strings;
    EXPECT_TRUE(ThrowsLayerException<CInvalidArgException>([&] { strings.GetAt(0); }));
}

TEST_F(CoreCollections, ListOperations)
{
    CStringList list;
    list.AddTail("b");
    list.AddHead("a");
    POSITION posC = list.AddTail("d");
    list.InsertBefore(posC, "c");
    list.InsertAfter(posC, "e");
    std::string all;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        all += (LPCSTR)list.GetNext(pos);
    EXPECT_EQ("abcde", all);
    all.clear();
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        all += (LPCSTR)list.GetPrev(pos);
    EXPECT_EQ("edcba", all);

    EXPECT_EQ(list.FindIndex(3), list.Find("d"));
    EXPECT_EQ(nullptr, list.Find("a", list.GetHeadPosition()));
    EXPECT_EQ(nullptr, list.FindIndex(5));
    list.SetAt(list.Find("c"), "C");
    list.RemoveAt(list.Find("b"));
    EXPECT_STREQ("a", list.GetHead());
    EXPECT_STREQ("e", list.GetTail());
    EXPECT_STREQ("C", list.GetAt(list.FindIndex(1)));
    EXPECT_EQ(4, list.GetCount());

    CStringList other;
    other.AddTail("x");
    other.AddTail("y");
    list.AddHead(&other);
    list.AddTail(&list);
    EXPECT_EQ(12, list.GetCount());
    EXPECT_STREQ("x", list.GetHead());
    EXPECT_STREQ("e", list.GetTail());
}

TEST_F(CoreCollections, HashKeys)
{
    EXPECT_EQ(0x123u, HashKey((HWND)0x1230));
    EXPECT_EQ(0x123u, HashKey<DWORD>(0x123F));
    EXPECT_EQ((UINT)('a' * 33 + 'b'), HashKey<LPCSTR>("ab"));
    EXPECT_EQ(HashKey<LPCSTR>("ключ"), HashKey<const CString&>(CString("ключ")));
    // characters count as signed, as a char is
    EXPECT_EQ((UINT)(int)(signed char)0xE0, HashKey<LPCSTR>("\xE0"));
}

TEST_F(CoreCollections, MapLookupRemovalAndIteration)
{
    CMap<int, int, int, int> map;
    EXPECT_EQ(17u, map.GetHashTableSize());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    // keys k*16 hash to k: iteration runs bucket by bucket, so in key order
    for (int k = 16; k >= 0; k--)
        map[k * 16] = k;
    std::vector<int> order;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;)
    {
        int key, value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(key, value * 16);
        order.push_back(value);
    }
    std::vector<int> expected;
    for (int k = 0; k <= 16; k++)
        expected.push_back(k);
    EXPECT_EQ(expected, order);

    int value = -1;
    EXPECT_TRUE(map.Lookup(32, value));
    EXPECT_EQ(2, value);
    EXPECT_FALSE(map.Lookup(33, value));
    EXPECT_EQ(0, map[1000]);   // a new entry starts as zero
    EXPECT_TRUE(map.RemoveKey(32));
    EXPECT_FALSE(map.RemoveKey(32));
    EXPECT_EQ(nullptr, map.PLookup(32));
    ASSERT_NE(nullptr, map.PLookup(48));
    EXPECT_EQ(3, map.PLookup(48)->value);
    EXPECT_EQ(17, map.GetCount());
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    map.InitHashTable(101);
    EXPECT_EQ(101u, map.GetHashTableSize());
}

// The table never grows by itself: a map of many entries still lists them
// bucket by bucket of the 17, newest first within a bucket, as any map does.
TEST_F(CoreCollections, AMapKeepsItsTableSizeAndSoItsOrder)
{
    CMap<int, int, int, int> map;
    const int nKeys = 2000;   // far more than 17 buckets hold comfortably
    for (int key = 0; key < nKeys; key++)
        map[key] = key * 2;
    EXPECT_EQ(17u, map.GetHashTableSize());
    std::vector<int> order;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;)
    {
        int key, value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(key * 2, value);
        order.push_back(key);
    }
    std::vector<int> expected;
    for (UINT bucket = 0; bucket < 17; bucket++)
        for (int key = nKeys - 1; key >= 0; key--)
            if (HashKey<int>(key) % 17 == bucket)
                expected.push_back(key);
    EXPECT_EQ(expected, order);

    // sized for its entries, a map keeps them all
    map.InitHashTable(4001);
    EXPECT_EQ(4001u, map.GetHashTableSize());
    EXPECT_EQ(nKeys, map.GetCount());
    int value = 0;
    EXPECT_TRUE(map.Lookup(1999, value));
    EXPECT_EQ(3998, value);
}

TEST_F(CoreCollections, LargeMapsStayCorrect)
{
    CMapStringToString map;
    for (int i = 0; i < 20000; i++)
    {
        CString key, value;
        key.Format("слово %d", i);
        value.Format("%d", i * 3);
        map.SetAt(key, value);
    }
    for (int i = 0; i < 20000; i += 2)
    {
        CString key;
        key.Format("слово %d", i);
        ASSERT_TRUE(map.RemoveKey(key));
    }
    EXPECT_EQ(10000, map.GetCount());
    CString value;
    EXPECT_TRUE(map.Lookup("слово 19999", value));
    EXPECT_STREQ("59997", value);
    EXPECT_FALSE(map.Lookup("слово 19998", value));

    std::set<std::string> seen;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;)
    {
        CString k, v;
        map.GetNextAssoc(pos, k, v);
        seen.insert((LPCSTR)k);
    }
    EXPECT_EQ(10000u, seen.size());
}

TEST_F(CoreCollections, TypedPointerCollections)
{
    int values[3] = { 10, 20, 30 };
    CTypedPtrArray<CPtrArray, int*> array;
    array.Add(&values[0]);
    array.Add(&values[2]);
    array.InsertAt(1, &values[1]);
    EXPECT_EQ(20, *array[1]);
    EXPECT_EQ(30, *array.GetAt(2));
    array.ElementAt(0) = &values[2];
    EXPECT_EQ(30, *array[0]);

    CTypedPtrList<CPtrList, int*> list;
    list.AddTail(&values[0]);
    list.AddHead(&values[1]);
    EXPECT_EQ(20, *list.GetHead());
    EXPECT_EQ(10, *list.RemoveTail());

    CTypedPtrMap<CMapPtrToPtr, HWND, int*> map;
    map.SetAt((HWND)0x100, &values[1]);
    map[(HWND)0x200] = &values[2];
    int* p = NULL;
    EXPECT_TRUE(map.Lookup((HWND)0x100, p));
    EXPECT_EQ(&values[1], p);
    POSITION pos = map.GetStartPosition();
    HWND hKey;
    int* pValue;
    map.GetNextAssoc(pos, hKey, pValue);
    EXPECT_TRUE((hKey == (HWND)0x100 && pValue == &values[1]) || (hKey == (HWND)0x200 && pValue == &values[2]));

    CTypedPtrMap<CMapStringToPtr, CString, int*> byName;
    byName["ten"] = &values[0];
    EXPECT_TRUE(byName.Lookup("ten", p));
    EXPECT_EQ(10, *p);
    EXPECT_TRUE(byName.RemoveKey("ten"));
}

TEST_F(CoreCollections, SerialCollectionsUseTheArchiveLayout)
{
    CDWordArray dwords;
    dwords.Add(0x11223344);
    dwords.Add(5);
    EXPECT_EQ(Bytes({ 2, 0, 0x44, 0x33, 0x22, 0x11, 5, 0, 0, 0 }), Stored(dwords));

    CStringArray strings;
    strings.Add("ab");
    strings.Add("");
    EXPECT_EQ(Bytes({ 2, 0, 2, 'a', 'b', 0 }), Stored(strings));

    CStringList list;
    list.AddTail("x");
    EXPECT_EQ(Bytes({ 1, 0, 1, 'x' }), Stored(list));

    CMapStringToString map;
    map["k"] = "v";
    EXPECT_EQ(Bytes({ 1, 0, 1, 'k', 1, 'v' }), Stored(map));

    CByteArray bytes;
    bytes.Add(7);
    CWordArray words;
    words.Add(0x0102);
    CUIntArray uints;
    uints.Add(3);
    EXPECT_EQ(Bytes({ 1, 0, 7 }), Stored(bytes));
    EXPECT_EQ(Bytes({ 1, 0, 2, 1 }), Stored(words));
    EXPECT_EQ(Bytes({ 1, 0, 3, 0, 0, 0 }), Stored(uints));

    // and back
    CStringArray strings2;
    strings2.Add("old");
    Load(strings2, Stored(strings));
    ASSERT_EQ(2, strings2.GetSize());
    EXPECT_STREQ("ab", strings2[0]);
    CMapStringToString map2;
    Load(map2, Stored(map));
    EXPECT_STREQ("v", map2["k"]);
    CDWordArray dwords2;
    Load(dwords2, Stored(dwords));
    EXPECT_EQ(0x11223344u, dwords2[0]);
    CStringList list2;
    Load(list2, Stored(list));
    EXPECT_STREQ("x", list2.GetHead());

    // a count larger than the data ends in an archive exception
    EXPECT_EQ(CArchiveException::endOfFile,
              ThrownCause<CArchiveException>([&] { Load(dwords2, Bytes({ 3, 0, 1, 0, 0, 0 })); }));
}
