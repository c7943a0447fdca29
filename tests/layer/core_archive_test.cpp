// Run-time classes (kinds, creation by name) and CArchive's byte layout:
// strings, counts, primitives, object and class tags, and the errors of a
// damaged archive.
#include "core_test.h"
#include <afxcoll.h>
#include <memory>

// ---------------------------------------------------------------------------
// Classes of the tests
// ---------------------------------------------------------------------------
class CCoreShape : public CObject
{
    DECLARE_SERIAL(CCoreShape)
public:
    explicit CCoreShape(LONG n = 0) : m_n(n) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_n;
        else
        {
            m_nLoadedSchema = ar.GetObjectSchema();
            ar >> m_n;
        }
    }
    LONG m_n;
    UINT m_nLoadedSchema = 0;
};
IMPLEMENT_SERIAL(CCoreShape, CObject, 1)

class CCoreCircle : public CCoreShape
{
    DECLARE_SERIAL(CCoreCircle)
public:
    explicit CCoreCircle(LONG n = 0, CCoreShape* pPartner = NULL) : CCoreShape(n), m_pPartner(pPartner) {}
    void Serialize(CArchive& ar) override
    {
        CCoreShape::Serialize(ar);
        if (ar.IsStoring())
            ar << m_pPartner;
        else
            ar >> m_pPartner;
    }
    CCoreShape* m_pPartner;
};
IMPLEMENT_SERIAL(CCoreCircle, CCoreShape, VERSIONABLE_SCHEMA | 3)

// Referenced by nothing but its name.
class CCoreOrphan : public CObject
{
    DECLARE_DYNCREATE(CCoreOrphan)
public:
    int m_nMarker = 42;
};
IMPLEMENT_DYNCREATE(CCoreOrphan, CObject)

class CCoreDynamicOnly : public CObject
{
    DECLARE_DYNAMIC(CCoreDynamicOnly)
};
IMPLEMENT_DYNAMIC(CCoreDynamicOnly, CObject)

namespace
{
std::vector<BYTE> Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file(16);
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    ULONGLONG n = file.GetLength();
    BYTE* p = file.Detach();
    std::vector<BYTE> bytes = Bytes(p, (size_t)n);
    free(p);
    return bytes;
}

void Load(const std::vector<BYTE>& bytes, const std::function<void(CArchive&)>& read)
{
    std::vector<BYTE> copy = bytes;
    CMemFile file(copy.empty() ? NULL : copy.data(), (UINT)copy.size());
    CArchive ar(&file, CArchive::load);
    read(ar);
}

std::vector<BYTE> Cat(std::initializer_list<std::vector<BYTE>> parts)
{
    std::vector<BYTE> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<BYTE> Text(const char* psz)
{
    return Bytes(psz, strlen(psz));
}

std::vector<BYTE> Dword(DWORD dw)
{
    return Bytes(&dw, sizeof dw);
}
} // namespace

// ---------------------------------------------------------------------------
// Run-time classes
// ---------------------------------------------------------------------------
TEST(CoreRuntimeClass, KindsAndDowncasts)
{
    CCoreShape shape;
    CCoreCircle circle;
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCoreShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CCoreCircle)));
    EXPECT_TRUE(RUNTIME_CLASS(CCoreCircle)->IsDerivedFrom(RUNTIME_CLASS(CCoreShape)));
    EXPECT_FALSE(RUNTIME_CLASS(CCoreShape)->IsDerivedFrom(RUNTIME_CLASS(CCoreCircle)));
    EXPECT_EQ(RUNTIME_CLASS(CCoreCircle), circle.GetRuntimeClass());
    EXPECT_STREQ("CCoreCircle", circle.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ((int)sizeof(CCoreCircle), RUNTIME_CLASS(CCoreCircle)->m_nObjectSize);

    CObject* pShape = &shape;
    CObject* pCircle = &circle;
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CCoreCircle, pShape));
    EXPECT_EQ(&circle, DYNAMIC_DOWNCAST(CCoreCircle, pCircle));
    EXPECT_EQ(&circle, STATIC_DOWNCAST(CCoreCircle, pCircle));
    EXPECT_TRUE(shape.IsSerializable());
    EXPECT_FALSE(CCoreDynamicOnly().IsSerializable());
}

TEST(CoreRuntimeClass, CreationByName)
{
    std::unique_ptr<CObject> p(CRuntimeClass::CreateObject("CCoreOrphan"));
    ASSERT_NE(nullptr, p.get());
    EXPECT_STREQ("CCoreOrphan", p->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(42, static_cast<CCoreOrphan*>(p.get())->m_nMarker);

    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CNoSuchClass"));
    ASSERT_NE(nullptr, CRuntimeClass::FromName("CCoreDynamicOnly"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CCoreDynamicOnly"));   // not creatable

    // the layer's own classes register from the library as well
    std::unique_ptr<CObject> pMap(CRuntimeClass::CreateObject("CMapWordToOb"));
    ASSERT_NE(nullptr, pMap.get());
    EXPECT_STREQ("CMapWordToOb", pMap->GetRuntimeClass()->m_lpszClassName);
    CRuntimeClass* pFileException = CRuntimeClass::FromName("CFileException");
    ASSERT_NE(nullptr, pFileException);
    EXPECT_TRUE(pFileException->IsDerivedFrom(RUNTIME_CLASS(CException)));
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------
TEST(CoreArchive, StringLengthPrefixes)
{
    struct Case
    {
        int nLength;
        std::vector<BYTE> prefix;
    };
    const Case cases[] = {
        { 0, Bytes({ 0x00 }) },
        { 1, Bytes({ 0x01 }) },
        { 254, Bytes({ 0xFE }) },
        { 255, Bytes({ 0xFF, 0xFF, 0x00 }) },
        { 65533, Bytes({ 0xFF, 0xFD, 0xFF }) },
        { 65534, Bytes({ 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 }) },
        { 65535, Bytes({ 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00 }) },
        { 70000, Bytes({ 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00 }) },
    };
    for (const Case& c : cases)
    {
        CString s;
        for (int i = 0; i < c.nLength; i++)
            s += (char)('a' + i % 26);
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << s; });
        EXPECT_EQ(Cat({ c.prefix, Bytes(s) }), bytes) << "length " << c.nLength;

        CString back("stale");
        Load(bytes, [&](CArchive& ar) { ar >> back; });
        EXPECT_TRUE(back == s) << "length " << c.nLength;
    }

    // NUL bytes travel as data; a literal is written as a string, not a bool
    CString withNul("a\0b", 3);
    EXPECT_EQ(Bytes({ 3, 'a', 0, 'b', 3, 'x', 'y', 'z' }),
              Store([&](CArchive& ar) { ar << withNul << "xyz"; }));
}

TEST(CoreArchive, WideStringsAreReadThroughTheCodePage)
{
    ASSERT_EQ(1251u, ::GetACP());
    CString a, b;
    Load(Bytes({ 0xFF, 0xFE, 0xFF, 0x02, 'A', 0x00, 0x16, 0x04,    // "AЖ"
                 0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x01, 'x', 0x00 }),  // 257 characters, 1 there
         [&](CArchive& ar) {
             ar >> a;
             EXPECT_EQ(CArchiveException::endOfFile, ThrownCause<CArchiveException>([&] { ar >> b; }));
         });
    EXPECT_EQ(Bytes({ 'A', 0xC6 }), Bytes(a));
}

TEST(CoreArchive, CountPrefixes)
{
    struct Case
    {
        DWORD_PTR nCount;
        std::vector<BYTE> bytes;
    };
    std::vector<Case> cases = {
        { 0, Bytes({ 0x00, 0x00 }) },
        { 0xFFFE, Bytes({ 0xFE, 0xFF }) },
        { 0xFFFF, Bytes({ 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00 }) },
        { 70000, Bytes({ 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00 }) },
    };
#ifdef _WIN64
    cases.push_back({ (DWORD_PTR)0x123456789ULL,
                      Bytes({ 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x89, 0x67, 0x45, 0x23, 0x01, 0, 0, 0 }) });
#endif
    for (const Case& c : cases)
    {
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar.WriteCount(c.nCount); });
        EXPECT_EQ(c.bytes, bytes) << "count " << (ULONGLONG)c.nCount;
        DWORD_PTR nBack = 0;
        Load(bytes, [&](CArchive& ar) { nBack = ar.ReadCount(); });
        EXPECT_EQ(c.nCount, nBack);
    }
}

TEST(CoreArchive, PrimitivesRoundTripLittleEndian)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar << (BYTE)1 << (WORD)0x0203 << (LONG)-2 << (DWORD)0x04050607 << 1.5f << 2.5 << (LONGLONG)-3
           << (ULONGLONG)0x0102030405060708ULL << 7 << (short)-4 << 'c' << true << (UINT)9;
    });
    EXPECT_EQ(51u, bytes.size());
    EXPECT_EQ(Bytes({ 1, 3, 2, 0xFE, 0xFF, 0xFF, 0xFF, 7, 6, 5, 4 }), std::vector<BYTE>(bytes.begin(), bytes.begin() + 11));

    Load(bytes, [](CArchive& ar) {
        BYTE by;
        WORD w;
        LONG l;
        DWORD dw;
        float f;
        double d;
        LONGLONG ll;
        ULONGLONG ull;
        int i;
        short sh;
        char ch;
        bool b;
        UINT u;
        ar >> by >> w >> l >> dw >> f >> d >> ll >> ull >> i >> sh >> ch >> b >> u;
        EXPECT_EQ(1, by);
        EXPECT_EQ(0x0203, w);
        EXPECT_EQ(-2, l);
        EXPECT_EQ(0x04050607u, dw);
        EXPECT_EQ(1.5f, f);
        EXPECT_EQ(2.5, d);
        EXPECT_EQ(-3, ll);
        EXPECT_EQ(0x0102030405060708ULL, ull);
        EXPECT_EQ(7, i);
        EXPECT_EQ(-4, sh);
        EXPECT_EQ('c', ch);
        EXPECT_TRUE(b);
        EXPECT_EQ(9u, u);
    });
}

TEST(CoreArchive, ObjectsWithClassTagsRoundTrip)
{
    CCoreShape a(0x11), b(0x22);
    std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << &a << &b << &a << (CObject*)NULL; });
    EXPECT_EQ(Cat({ Bytes({ 0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00 }), Text("CCoreShape"), Dword(0x11),   // new class
                    Bytes({ 0x01, 0x80 }), Dword(0x22),                                             // class 1 again
                    Bytes({ 0x02, 0x00 }),                                                          // object 2 again
                    Bytes({ 0x00, 0x00 }) }),                                                       // NULL
              bytes);

    CObject *p1 = NULL, *p2 = NULL, *p3 = NULL, *p4 = (CObject*)1;
    Load(bytes, [&](CArchive& ar) { ar >> p1 >> p2 >> p3 >> p4; });
    std::unique_ptr<CObject> own1(p1), own2(p2);
    ASSERT_TRUE(p1 && p1->IsKindOf(RUNTIME_CLASS(CCoreShape)));
    ASSERT_TRUE(p2 && p2->IsKindOf(RUNTIME_CLASS(CCoreShape)));
    EXPECT_EQ(0x11, static_cast<CCoreShape*>(p1)->m_n);
    EXPECT_EQ(0x22, static_cast<CCoreShape*>(p2)->m_n);
    EXPECT_EQ(1u, static_cast<CCoreShape*>(p1)->m_nLoadedSchema);
    EXPECT_EQ(p1, p3);
    EXPECT_EQ(nullptr, p4);
}

TEST(CoreArchive, ReferencesBetweenObjectsAndVersionableSchemas)
{
    CCoreShape a(0x11);
    CCoreCircle c1(5, &a);
    CCoreCircle c2(6, &c1);
    std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << &c1 << &c2; });
    std::vector<BYTE> expected =
        Cat({ Bytes({ 0xFF, 0xFF, 0x03, 0x00, 0x0B, 0x00 }), Text("CCoreCircle"), Dword(5),         // class 1, object 2
              Bytes({ 0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00 }), Text("CCoreShape"), Dword(0x11),       // class 3, object 4
              Bytes({ 0x01, 0x80 }), Dword(6), Bytes({ 0x02, 0x00 }) });                            // object 5 -> object 2
    EXPECT_EQ(expected, bytes);

    CCoreCircle *p1 = NULL, *p2 = NULL;
    Load(bytes, [&](CArchive& ar) { ar >> p1 >> p2; });
    std::unique_ptr<CCoreCircle> own1(p1), own2(p2);
    ASSERT_TRUE(p1 && p2 && p1->m_pPartner);
    std::unique_ptr<CCoreShape> ownPartner(p1->m_pPartner);
    EXPECT_EQ(p1, p2->m_pPartner);
    EXPECT_EQ(0x11, p1->m_pPartner->m_n);
    EXPECT_EQ(3u, p1->m_nLoadedSchema);

    // an older schema of a versionable class loads and is reported
    std::vector<BYTE> older = bytes;
    older[2] = 0x02;
    Load(older, [&](CArchive& ar) {
        CCoreCircle* p = NULL;
        ar >> p;
        std::unique_ptr<CCoreCircle> own(p);
        std::unique_ptr<CCoreShape> ownPartner(p ? p->m_pPartner : NULL);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(2u, p->m_nLoadedSchema);
    });
}

TEST(CoreArchive, IndexesFrom0x7FFFUseTheBigTags)
{
    const int n = 0x8001;   // the shapes take indexes 2 .. 0x8002
    std::vector<std::unique_ptr<CCoreShape>> shapes;
    for (int i = 0; i < n; i++)
        shapes.emplace_back(new CCoreShape(i));
    CCoreCircle c(1), d(2);
    std::vector<BYTE> bytes = Store([&](CArchive& ar) {
        for (auto& p : shapes)
            ar << p.get();
        ar << shapes.back().get() << shapes.front().get() << &c << &d;
    });
    std::vector<BYTE> tail = Cat({ Bytes({ 0xFF, 0x7F }), Dword(0x8002),        // last shape again
                                   Bytes({ 0x02, 0x00 }),                         // first shape again
                                   Bytes({ 0xFF, 0xFF, 0x03, 0x00, 0x0B, 0x00 }), Text("CCoreCircle"), Dword(1),
                                   Bytes({ 0x00, 0x00 }),                         // no partner
                                   Bytes({ 0xFF, 0x7F }), Dword(0x80008003),      // class 0x8003 again
                                   Dword(2), Bytes({ 0x00, 0x00 }) });
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(tail, std::vector<BYTE>(bytes.end() - tail.size(), bytes.end()));

    std::vector<std::unique_ptr<CObject>> loaded;
    CObject *pLastAgain = NULL, *pFirstAgain = NULL, *pC = NULL, *pD = NULL;
    Load(bytes, [&](CArchive& ar) {
        for (int i = 0; i < n; i++)
        {
            CObject* p = NULL;
            ar >> p;
            loaded.emplace_back(p);
        }
        ar >> pLastAgain >> pFirstAgain >> pC >> pD;
    });
    std::unique_ptr<CObject> ownC(pC), ownD(pD);
    ASSERT_EQ((size_t)n, loaded.size());
    EXPECT_EQ(n - 1, static_cast<CCoreShape*>(loaded.back().get())->m_n);
    EXPECT_EQ(loaded.back().get(), pLastAgain);
    EXPECT_EQ(loaded.front().get(), pFirstAgain);
    ASSERT_TRUE(pD && pD->IsKindOf(RUNTIME_CLASS(CCoreCircle)));
    EXPECT_EQ(2, static_cast<CCoreCircle*>(pD)->m_n);
}

// ---------------------------------------------------------------------------
// Damaged archives
// ---------------------------------------------------------------------------
TEST(CoreArchive, DamagedArchivesThrowArchiveExceptions)
{
    CCoreShape a(0x11);
    std::vector<BYTE> shapeBytes = Store([&](CArchive& ar) { ar << &a; });

    auto loadObject = [](const std::vector<BYTE>& bytes) {
        return ThrownCause<CArchiveException>([&] {
            Load(bytes, [](CArchive& ar) {
                CObject* p = NULL;
                ar >> p;
                delete p;
            });
        });
    };

    std::vector<BYTE> badSchema = shapeBytes;
    badSchema[2] = 7;   // CCoreShape is schema 1 and not versionable
    std::vector<BYTE> truncated(shapeBytes.begin(), shapeBytes.end() - 2);

    EXPECT_EQ(CArchiveException::badClass,
              loadObject(Cat({ Bytes({ 0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00 }), Text("Nope!") })));
    EXPECT_EQ(CArchiveException::badIndex, loadObject(Bytes({ 0x05, 0x80 })));   // class 5 never seen
    EXPECT_EQ(CArchiveException::badIndex, loadObject(Bytes({ 0x07, 0x00 })));   // object 7 never seen
    EXPECT_EQ(CArchiveException::badSchema, loadObject(badSchema));
    EXPECT_EQ(CArchiveException::endOfFile, loadObject(truncated));
    EXPECT_EQ(CArchiveException::endOfFile, loadObject(Bytes({ 0xFF })));

    // a shape where a circle is required
    EXPECT_EQ(CArchiveException::badClass, ThrownCause<CArchiveException>([&] {
                  Load(shapeBytes, [](CArchive& ar) {
                      CCoreCircle* p = NULL;
                      ar >> p;
                      delete p;
                  });
              }));

    CString s(' ', 300);
    std::vector<BYTE> stringBytes = Store([&](CArchive& ar) { ar << s; });
    stringBytes.resize(100);
    EXPECT_EQ(CArchiveException::endOfFile, ThrownCause<CArchiveException>([&] {
                  Load(stringBytes, [](CArchive& ar) {
                      CString back;
                      ar >> back;
                  });
              }));
    // a length far beyond the data fails without allocating it
    EXPECT_EQ(CArchiveException::endOfFile, ThrownCause<CArchiveException>([&] {
                  Load(Bytes({ 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x30, 'x' }), [](CArchive& ar) {
                      CString back;
                      ar >> back;
                  });
              }));

    // the wrong direction
    EXPECT_EQ(CArchiveException::readOnly,
              ThrownCause<CArchiveException>([&] { Load(shapeBytes, [](CArchive& ar) { ar << (BYTE)1; }); }));
    EXPECT_EQ(CArchiveException::writeOnly, ThrownCause<CArchiveException>([&] {
                  Store([](CArchive& ar) {
                      BYTE by;
                      ar >> by;
                  });
              }));
}

TEST(CoreArchive, TextLines)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar.WriteString("first\r\n");
        ar.WriteString("second\n\nlast");
    });
    EXPECT_EQ(Text("first\r\nsecond\n\nlast"), bytes);
    Load(bytes, [](CArchive& ar) {
        CString line;
        std::vector<std::string> lines;
        while (ar.ReadString(line))
            lines.push_back((LPCSTR)line);
        EXPECT_EQ((std::vector<std::string>{ "first", "second", "", "last" }), lines);
    });
}
