// The device-independent bitmap: BMP files read and written (and refused when
// they lie about themselves), rotation, resizing and the halftone reduction.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OXDIB.h"
#include "TestFolder.h"

namespace {

// A small BMP file put together field by field.
struct BmpBuilder
{
    DWORD headerSize = 40;
    LONG width = 3, height = 2;
    WORD planes = 1, bits = 8;
    DWORD compression = BI_RGB, sizeImage = 0, clrUsed = 0;
    std::vector<BYTE> table, pixels;
    LONG offsetDelta = 0;   // bytes of gap before the rows
    bool writeGap = true;   // false: the offset points past what the file holds
    std::vector<BYTE> extraHeader;

    std::string Build() const
    {
        std::string h;
        auto put = [&](const void* p, size_t n) { h.append((const char*)p, n); };
        auto put32 = [&](DWORD v) { put(&v, 4); };
        auto put16 = [&](WORD v) { put(&v, 2); };
        std::string body;
        {
            std::string& s = h;
            put32(headerSize);
            if (headerSize == 12) {
                put16((WORD)width); put16((WORD)height); put16(planes); put16(bits);
            } else {
                put32((DWORD)width); put32((DWORD)height); put16(planes); put16(bits);
                put32(compression); put32(sizeImage); put32(0); put32(0); put32(clrUsed); put32(0);
                s.append((const char*)extraHeader.data(), extraHeader.size());
            }
            put(table.data(), table.size());
            body.swap(s);
        }
        DWORD offBits = (DWORD)(14 + body.size() + offsetDelta);
        std::string file;
        WORD type = 0x4D42;
        DWORD size = (DWORD)(14 + body.size() + pixels.size());
        file.append((const char*)&type, 2);
        file.append((const char*)&size, 4);
        file.append(4, '\0');
        file.append((const char*)&offBits, 4);
        file += body;
        if (offsetDelta > 0 && writeGap)
            file.append((size_t)offsetDelta, '\x77');
        file.append((const char*)pixels.data(), pixels.size());
        return file;
    }
};

std::vector<BYTE> Gray8Table()
{
    std::vector<BYTE> t;
    for (int i = 0; i < 256; i++)
        t.insert(t.end(), {(BYTE)i, (BYTE)i, (BYTE)i, 0});
    return t;
}

std::vector<BYTE> PixelBytes(const COXDIB& dib)
{
    CSize size = dib.GetSize();
    const BYTE* p = (const BYTE*)dib.FindDIBBits();
    DWORD row = OXDIBLayout::RowBytes(dib.GetBitCount(), size.cx);
    return std::vector<BYTE>(p, p + (size_t)row * size.cy);
}

// An image of every supported depth filled with a fixed pseudo-random pattern.
void FillPattern(COXDIB& dib, WORD bits, int w, int h)
{
    ASSERT_TRUE(dib.CreateEmpty(bits, w, h));
    BYTE* p = (BYTE*)dib.FindDIBBits();
    DWORD row = OXDIBLayout::RowBytes(bits, w);
    unsigned seed = 12345;
    for (DWORD i = 0; i < row * (DWORD)h; i++) {
        seed = seed * 1103515245u + 12345u;
        p[i] = (BYTE)(seed >> 16);
    }
    // Padding bytes beyond each row's pixels are not part of the image.
    DWORD used = ((DWORD)bits * w + 7) / 8;
    for (int y = 0; y < h; y++)
        for (DWORD x = used; x < row; x++)
            p[(size_t)y * row + x] = 0;
    if (bits < 8 && (bits * w) % 8) {
        BYTE mask = (BYTE)(0xFF << (8 - (bits * w) % 8));
        for (int y = 0; y < h; y++)
            p[(size_t)y * row + used - 1] &= mask;
    }
}

class OXDIBFiles : public ::testing::Test
{
protected:
    BOOL LoadBytes(COXDIB& dib, const std::string& bytes)
    {
        CString path = m_folder.File("image.bmp");
        WriteFileBytes(path, bytes);
        return dib.Load(path);
    }
    CTestFolder m_folder;
};

TEST(OXDIBRotate, FourQuarterTurnsRestoreEveryDepthBitForBit)
{
    for (WORD bits : {1, 4, 8, 24}) {
        COXDIB dib;
        FillPattern(dib, bits, 13, 7);
        std::vector<BYTE> before = PixelBytes(dib);
        ASSERT_TRUE(dib.Rotate(90)) << bits;
        EXPECT_EQ(dib.GetSize(), CSize(7, 13)) << bits;
        EXPECT_EQ(dib.GetBitCount(), bits);
        for (int i = 0; i < 3; i++)
            ASSERT_TRUE(dib.Rotate(90)) << bits;
        EXPECT_EQ(PixelBytes(dib), before) << bits;
    }
}

TEST(OXDIBRotate, PixelsGoWhereTheAngleAndFlipsSend)
{
    // Source 3 x 2, 8 bits: stored rows i (bottom first), columns j, value 10i + j.
    struct Case { int angle; BOOL flipV, flipH; int i, j, t, o; } cases[] = {
        {90, FALSE, FALSE, 0, 0, 2, 0},   // t = H' - j - 1, o = i
        {90, FALSE, FALSE, 1, 2, 0, 1},
        {270, FALSE, FALSE, 0, 0, 0, 1},  // t = j, o = W' - i - 1
        {180, FALSE, FALSE, 0, 0, 1, 2},
        {0, TRUE, FALSE, 0, 1, 1, 1},
        {0, FALSE, TRUE, 1, 0, 1, 2},
        {90, TRUE, TRUE, 1, 2, 2, 0},     // t = j, o = W' - i - 1
        {-90, FALSE, FALSE, 0, 0, 0, 1},  // the same as 270
    };
    for (const Case& c : cases) {
        COXDIB dib;
        ASSERT_TRUE(dib.CreateEmpty(8, 3, 2));
        BYTE* p = (BYTE*)dib.FindDIBBits();
        for (int i = 0; i < 2; i++)
            for (int j = 0; j < 3; j++)
                p[i * 4 + j] = (BYTE)(10 * i + j);
        ASSERT_TRUE(dib.Rotate(c.angle, c.flipV, c.flipH)) << c.angle;
        CSize size = dib.GetSize();
        DWORD row = OXDIBLayout::RowBytes(8, size.cx);
        const BYTE* q = (const BYTE*)dib.FindDIBBits();
        EXPECT_EQ(q[c.t * row + c.o], 10 * c.i + c.j) << c.angle << " " << c.flipV << c.flipH;
    }
}

TEST(OXDIBRotate, OtherAnglesAndEmptyImagesAreRefused)
{
    COXDIB dib;
    EXPECT_FALSE(dib.Rotate(90));
    FillPattern(dib, 8, 5, 3);
    std::vector<BYTE> before = PixelBytes(dib);
    EXPECT_FALSE(dib.Rotate(45));
    EXPECT_EQ(dib.GetSize(), CSize(5, 3));
    EXPECT_EQ(PixelBytes(dib), before);
    EXPECT_TRUE(dib.Rotate(0));
    EXPECT_TRUE(dib.Rotate(360));
    EXPECT_EQ(PixelBytes(dib), before);
}

TEST(OXDIBResize, ReplicationCountsSpreadTheDifferenceEvenly)
{
    struct Case { int n, m; std::vector<int> counts; } cases[] = {
        {2, 3, {2, 1}},
        {3, 2, {1, 0, 1}},
        {4, 4, {1, 1, 1, 1}},
        {2, 6, {3, 3}},
        {4, 2, {0, 1, 0, 1}},
        {3, 7, {2, 3, 2}},
    };
    for (const Case& c : cases) {
        std::vector<int> counts(c.n);
        OXDIBLayout::ReplicationCounts(c.n, c.m, counts.data());
        EXPECT_EQ(counts, c.counts) << c.n << "->" << c.m;
        int sum = 0;
        for (int k : counts)
            sum += k;
        EXPECT_EQ(sum, c.m);
    }
}

TEST(OXDIBResize, RepeatsPixelsAndRowsAndRefusesLowDepths)
{
    COXDIB dib;
    ASSERT_TRUE(dib.CreateEmpty(24, 2, 1));
    BYTE* p = (BYTE*)dib.FindDIBBits();
    const BYTE red[3] = {0, 0, 255}, blue[3] = {255, 0, 0};
    memcpy(p, red, 3);
    memcpy(p + 3, blue, 3);
    ASSERT_TRUE(dib.Resize(3, 2));
    EXPECT_EQ(dib.GetSize(), CSize(3, 2));
    const BYTE* q = (const BYTE*)dib.FindDIBBits();
    DWORD row = OXDIBLayout::RowBytes(24, 3);
    for (int y = 0; y < 2; y++) {
        EXPECT_EQ(memcmp(q + y * row, red, 3), 0);
        EXPECT_EQ(memcmp(q + y * row + 3, red, 3), 0);   // the first column is taken twice
        EXPECT_EQ(memcmp(q + y * row + 6, blue, 3), 0);
    }
    std::vector<BYTE> before = PixelBytes(dib);
    ASSERT_TRUE(dib.Resize(3, 2));
    EXPECT_EQ(PixelBytes(dib), before);

    COXDIB nibbles;
    ASSERT_TRUE(nibbles.CreateEmpty(4, 4, 4));
    EXPECT_FALSE(nibbles.Resize(8, 8));
    EXPECT_EQ(nibbles.GetSize(), CSize(4, 4));
}

TEST(OXDIBCreate, BitCountsAreNormalisedAndTablesFilled)
{
    struct Case { WORD asked, made, colors; } cases[] = {{0, 1, 2}, {2, 4, 16}, {5, 8, 256}, {16, 24, 0}, {32, 24, 0}};
    for (const Case& c : cases) {
        COXDIB dib;
        ASSERT_TRUE(dib.CreateEmpty(c.asked, 4, 4));
        EXPECT_EQ(dib.GetBitCount(), c.made) << c.asked;
        EXPECT_EQ(dib.GetNumColors(), c.colors) << c.asked;
    }
    COXDIB dib;
    ASSERT_TRUE(dib.CreateEmpty(8, 2, 2));
    const RGBQUAD* q = (const RGBQUAD*)((const BYTE*)::GlobalLock(dib.GetHandle()) + 40);
    EXPECT_EQ(q[9].rgbRed, 0xFF);    // the standard colours repeat: entry 9 is red
    EXPECT_EQ(q[25].rgbRed, 0xFF);   // and so is 25
    EXPECT_EQ(q[25].rgbGreen, 0);
    ::GlobalUnlock(dib.GetHandle());
    EXPECT_FALSE(dib.CreateEmpty(8, 0, 5));
    EXPECT_FALSE(dib.CreateEmpty(8, 5, -1));
}

TEST(OXDIBHalftone, ReducesThroughTheCubeAndItsTranslation)
{
    // A palette whose second entry is RGB(44, 0, 0) takes cube indexes as they are.
    auto makePalette = [](CPalette& pal, BYTE second) {
        std::vector<BYTE> buf(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
        LOGPALETTE* lp = (LOGPALETTE*)buf.data();
        lp->palVersion = 0x300;
        lp->palNumEntries = 256;
        for (int i = 0; i < 256; i++)
            lp->palPalEntry[i] = {(BYTE)i, (BYTE)i, (BYTE)i, 0};
        lp->palPalEntry[1] = {second, 0, 0, 0};
        ASSERT_TRUE(pal.CreatePalette(lp));
    };
    for (BYTE second : {44, 45}) {
        COXDIB dib;
        ASSERT_TRUE(dib.CreateEmpty(24, 3, 1));
        BYTE* p = (BYTE*)dib.FindDIBBits();
        // Blue, green, red. Red 60 is level 1 with 9 over: the threshold at
        // x = 0 (0) lifts it to 2, the one at x = 1 (25) does not.
        const BYTE pixels[9] = {0, 0, 60, 0, 102, 60, 255, 255, 255};
        memcpy(p, pixels, 9);
        CPalette pal;
        makePalette(pal, second);
        ASSERT_TRUE(dib.HalfToneReduce(&pal));
        EXPECT_EQ(dib.GetBitCount(), 8);
        const BYTE* q = (const BYTE*)dib.FindDIBBits();
        const bool direct = second == 44;
        EXPECT_EQ(q[0], direct ? 2 : 30);          // red level 2
        EXPECT_EQ(q[1], direct ? 1 + 6 * 2 : 40);  // red 1, green 2
        EXPECT_EQ(q[2], direct ? 215 : 255);       // white: every level 5
    }
    COXDIB palettised;
    ASSERT_TRUE(palettised.CreateEmpty(8, 2, 2));
    CPalette pal;
    makePalette(pal, 44);
    EXPECT_FALSE(palettised.HalfToneReduce(&pal));
}

TEST_F(OXDIBFiles, SaveAndLoadRoundTrip)
{
    COXDIB dib;
    FillPattern(dib, 8, 9, 5);
    CString path = m_folder.File("round.bmp");
    ASSERT_TRUE(dib.Save(path));
    std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(bytes.size(), 14u + 40 + 1024 + 12 * 5);
    COXDIB back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.GetSize(), CSize(9, 5));
    EXPECT_EQ(PixelBytes(back), PixelBytes(dib));
    EXPECT_NE(back.GetPalette(), nullptr);
}

TEST_F(OXDIBFiles, CoreBitfieldsV5TopDownAndGapFilesLoadRight)
{
    {   // Core header: 3-byte entries widened to RGBQUADs.
        BmpBuilder b;
        b.headerSize = 12; b.bits = 1; b.width = 8; b.height = 1;
        b.table = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
        b.pixels = {0xA5, 0, 0, 0};
        COXDIB dib;
        ASSERT_TRUE(LoadBytes(dib, b.Build()));
        COLORREF c0, c1;
        ASSERT_TRUE(dib.GetMonochromeColors(c0, c1));
        EXPECT_EQ(c0, RGB(0x30, 0x20, 0x10));
        EXPECT_EQ(c1, RGB(0x60, 0x50, 0x40));
        EXPECT_EQ(*(const BYTE*)dib.FindDIBBits(), 0xA5);
    }
    {   // Rows start at the file's bits offset, past a gap.
        BmpBuilder b;
        b.table = Gray8Table();
        b.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
        b.offsetDelta = 6;
        COXDIB dib;
        ASSERT_TRUE(LoadBytes(dib, b.Build()));
        EXPECT_EQ(PixelBytes(dib), b.pixels);
    }
    {   // Top-down rows are turned bottom-up.
        BmpBuilder b;
        b.height = -2;
        b.table = Gray8Table();
        b.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
        COXDIB dib;
        ASSERT_TRUE(LoadBytes(dib, b.Build()));
        EXPECT_EQ(dib.GetSize(), CSize(3, 2));
        EXPECT_EQ(PixelBytes(dib), (std::vector<BYTE>{4, 5, 6, 0, 1, 2, 3, 0}));
    }
    for (DWORD header : {40u, 124u}) {   // bit fields after an info header, and inside a V5 header
        BmpBuilder b;
        b.headerSize = header; b.bits = 16; b.compression = BI_BITFIELDS; b.width = 2; b.height = 1;
        std::vector<BYTE> masks = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
        if (header == 40)
            b.table = masks;
        else {
            b.extraHeader = masks;
            b.extraHeader.resize(124 - 40, 0);
        }
        b.pixels = {0x00, 0xF8, 0x1F, 0x00};
        COXDIB dib;
        ASSERT_TRUE(LoadBytes(dib, b.Build())) << header;
        EXPECT_EQ(dib.GetBitCount(), 16);
        EXPECT_EQ(PixelBytes(dib), b.pixels);
        const BYTE* block = (const BYTE*)::GlobalLock(dib.GetHandle());
        EXPECT_EQ(*(const DWORD*)block, 40u);
        EXPECT_EQ(memcmp(block + 40, masks.data(), 12), 0) << header;
        ::GlobalUnlock(dib.GetHandle());
        // Drawn, the masks still apply: the first pixel is pure red.
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 1, 1, 32, BI_RGB};
        void* bits = NULL;
        HBITMAP hbm = ::CreateDIBSection(dc.GetSafeHdc(), &bi, DIB_RGB_COLORS, &bits, NULL, 0);
        HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), hbm);
        EXPECT_NE(dib.Paint(&dc, CRect(0, 0, 2, 1), CRect(0, 0, 2, 1)), 0);
        ::GdiFlush();
        const DWORD first = ((const DWORD*)bits)[0], second = ((const DWORD*)bits)[1];
        EXPECT_GE((first >> 16) & 0xFF, 0xF0u);   // red
        EXPECT_EQ(first & 0xFFFF, 0u);
        EXPECT_GE(second & 0xFF, 0xF0u);          // blue
        EXPECT_EQ(second & 0xFFFF00, 0u);
        ::SelectObject(dc.GetSafeHdc(), old);
        ::DeleteObject(hbm);
    }
}

TEST_F(OXDIBFiles, MalformedFilesAreRefusedAndLeaveTheObjectEmpty)
{
    BmpBuilder good;
    good.table = Gray8Table();
    good.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
    struct Case { std::string what; std::string bytes; };
    std::vector<Case> cases;
    auto with = [&](const char* what, auto change) {
        BmpBuilder b = good;
        change(b);
        cases.push_back({what, b.Build()});
    };
    std::string whole = good.Build();
    cases.push_back({"truncated header", whole.substr(0, 30)});
    cases.push_back({"short image", whole.substr(0, whole.size() - 3)});
    cases.push_back({"not BM", "XY" + whole.substr(2)});
    with("huge colour count", [](BmpBuilder& b) { b.clrUsed = 0x40000000; });
    with("257 colours", [](BmpBuilder& b) { b.clrUsed = 257; });
    with("zero width", [](BmpBuilder& b) { b.width = 0; });
    with("negative width", [](BmpBuilder& b) { b.width = -3; });
    with("zero height", [](BmpBuilder& b) { b.height = 0; });
    with("huge size", [](BmpBuilder& b) { b.width = 0x7FFFFFFF; b.height = 0x7FFFFFFF; });
    // One row wider than any block, at every depth; at 16, 24 and 32 bits
    // the row's byte count wraps in 32 bits to 0 or 4, which the few pixel
    // bytes given would satisfy.
    struct Huge { WORD bits; LONG width; } huge[] = {
        {1, 0x7FFFFFFF}, {4, 0x7FFFFFFF}, {8, 0x7FFFFFFF},
        {16, 0x7FFFFFFF}, {24, 0x55555556}, {32, 0x40000001}, {32, 0x7FFFFFFF}};
    for (const Huge& h : huge) {
        BmpBuilder b = good;
        b.bits = h.bits; b.width = h.width; b.height = 1;
        b.table.clear();
        b.pixels = {1, 2, 3, 4};
        cases.push_back({"one row of " + std::to_string(h.width) + " pixels at " + std::to_string(h.bits) + " bits",
                         b.Build()});
    }
    with("bit count 7", [](BmpBuilder& b) { b.bits = 7; });
    with("two planes", [](BmpBuilder& b) { b.planes = 2; });
    with("header size 20", [](BmpBuilder& b) { b.headerSize = 20; });
    with("RLE without a size", [](BmpBuilder& b) { b.compression = BI_RLE8; });
    with("RLE4 on 8 bits", [](BmpBuilder& b) { b.compression = BI_RLE4; b.sizeImage = 8; });
    with("RLE larger than the file", [](BmpBuilder& b) { b.compression = BI_RLE8; b.sizeImage = 1u << 30; });
    with("bit fields on 8 bits", [](BmpBuilder& b) { b.compression = BI_BITFIELDS; });
    with("offset past the end", [](BmpBuilder& b) { b.offsetDelta = 4000; b.writeGap = false; });
    with("unknown compression", [](BmpBuilder& b) { b.compression = 9; });
    for (const Case& c : cases) {
        COXDIB dib;
        FillPattern(dib, 8, 2, 2);
        EXPECT_FALSE(LoadBytes(dib, c.bytes)) << c.what;
        EXPECT_TRUE(dib.IsEmpty()) << c.what;
        EXPECT_EQ(dib.GetPalette(), nullptr) << c.what;
    }
}

TEST_F(OXDIBFiles, AShortColourTableIsPaddedSoEveryIndexNamesAnEntry)
{
    // Two entries in the file, then a grey gap before the rows: a reader that
    // took a full table from the file would take the gap for entries 2-255.
    BmpBuilder b;
    b.clrUsed = 2;
    b.table = {0, 0, 0, 0, 255, 255, 255, 0};
    b.offsetDelta = 254 * 4;
    b.pixels = {0, 1, 200, 0, 255, 1, 0, 0};
    COXDIB dib;
    ASSERT_TRUE(LoadBytes(dib, b.Build()));
    EXPECT_EQ(dib.GetNumColors(), 256);
    EXPECT_EQ(PixelBytes(dib), b.pixels);
    auto entries = [](const COXDIB& image) {
        const RGBQUAD* q = (const RGBQUAD*)((const BYTE*)::GlobalLock(image.GetHandle()) + 40);
        std::vector<DWORD> colors;
        for (int i : {0, 1, 2, 200, 255})
            colors.push_back(RGB(q[i].rgbRed, q[i].rgbGreen, q[i].rgbBlue));
        ::GlobalUnlock(image.GetHandle());
        return colors;
    };
    const std::vector<DWORD> expected = {0, 0xFFFFFF, 0, 0, 0};
    EXPECT_EQ(entries(dib), expected);

    // Saved, the padded table goes out whole and comes back the same.
    CString path = m_folder.File("padded.bmp");
    ASSERT_TRUE(dib.Save(path));
    EXPECT_EQ(ReadFileBytes(path).size(), 14u + 40 + 1024 + 8);
    COXDIB back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(entries(back), expected);
}

TEST(OXDIBBlocks, OnlyInfoHeaderBlocksAreAssignedOrWritten)
{
    // A block in the old core form: held by the constructor, not by SetHandle.
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 12 + 6 + 4);
    BYTE* p = (BYTE*)::GlobalLock(h);
    BITMAPCOREHEADER core = {12, 8, 1, 1, 1};
    memcpy(p, &core, sizeof core);
    ::GlobalUnlock(h);
    COXDIB held(h);
    EXPECT_FALSE(held.IsEmpty());
    EXPECT_EQ(held.GetSize(), CSize(8, 1));
    CTestFolder folder;
    EXPECT_FALSE(held.Save(folder.File("core.bmp")));

    COXDIB other;
    other.SetHandle(h);
    EXPECT_TRUE(other.IsEmpty());
    ::GlobalFree(h);

    COXDIB source;
    FillPattern(source, 24, 3, 3);
    other = source;
    EXPECT_EQ(PixelBytes(other), PixelBytes(source));
    EXPECT_NE(other.GetHandle(), source.GetHandle());
}

} // namespace
