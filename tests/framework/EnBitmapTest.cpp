// Tool-bar image processing: grey values, the HLS conversions, the lightness
// processor, processing chains over small DIB sections, a picture loaded from
// a BMP file, and the 24-bit tool bar's three image lists.
#include <afxwin.h>
#include <afxext.h>
#include <olectl.h>
#include <stdio.h>
#include <vector>
#include <gtest/gtest.h>

#include "EnBitmap.h"
#include "framework_res.h"

#include "TestFolder.h"
#include "testdrawing.h"

namespace {

COLORREF ToColor(const RGBX& pixel)
{
    return RGB(pixel.btRed, pixel.btGreen, pixel.btBlue);
}

// A 32-bit top-down DIB section holding the given pixels, row by row.
HBITMAP MakeDib(int cx, int cy, const std::vector<COLORREF>& colors)
{
    void* pBits = nullptr;
    HBITMAP hbm = CreateDib32(cx, cy, &pBits);
    RGBX* pPixels = (RGBX*)pBits;
    for (int i = 0; i < cx * cy; i++)
        pPixels[i] = i < (int)colors.size() ? RGBX(colors[i]) : RGBX();
    return hbm;
}

CSize SizeOf(CBitmap& bitmap)
{
    BITMAP bm = {};
    bitmap.GetBitmap(&bm);
    return CSize(bm.bmWidth, bm.bmHeight);
}

std::vector<COLORREF> Pixels(CEnBitmap& bitmap)
{
    CSize size = SizeOf(bitmap);
    RGBX* pPixels = bitmap.GetDIBits32();
    std::vector<COLORREF> v;
    if (pPixels == nullptr)
        return v;
    for (int i = 0; i < size.cx * size.cy; i++)
        v.push_back(ToColor(pPixels[i]));
    delete[] pPixels;
    return v;
}

TEST(ToolbarImagesTest, GreyValues)
{
    struct Case
    {
        COLORREF color;
        BYTE grey;
    } cases[] = {
        {kRed, 76}, {kGreen, 153}, {kBlue, 25}, {kWhite, 255}, {kBlack, 0},
        {RGB(10, 20, 30), 18}, {kMagenta, 102},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RGB(c.grey, c.grey, c.grey), ToColor(RGBX(c.color).Gray())) << std::hex << c.color;

    // The transparent colour passes the grayer only when it is set.
    RGBX src[2] = {RGBX(kMagenta), RGBX(kRed)};
    RGBX dest[2];
    CImageGrayer plain;
    plain.Process(src, CSize(2, 1), dest, CSize(2, 1));
    EXPECT_EQ(RGB(102, 102, 102), ToColor(dest[0]));
    CImageGrayer keeping;
    keeping.SetTransparentColor(kMagenta);
    keeping.Process(src, CSize(2, 1), dest, CSize(2, 1));
    EXPECT_EQ(kMagenta, ToColor(dest[0]));
    EXPECT_EQ(RGB(76, 76, 76), ToColor(dest[1]));
}

TEST(ToolbarImagesTest, HlsConversions)
{
    struct Case
    {
        COLORREF color;
        float hue, saturation, lightness;
    } cases[] = {
        {kRed, 360, 1, 0.5f},                  // only a hue above 360 is brought back
        {kBlue, 240, 1, 0.5f},
        {RGB(255, 255, 0), 60, 1, 0.5f},       // a tie: the later formula gives the same hue
        {RGB(0, 255, 255), 180, 1, 0.5f},
        {RGB(128, 128, 128), 0, 0, 256.0f / 510},
        {RGB(255, 128, 128), 360, 1, 383.0f / 510},   // above half lightness
        {RGB(64, 0, 0), 360, 1, 64.0f / 510},
    };
    for (const Case& c : cases)
    {
        float h = -1, s = -1, l = -1;
        ColorRgbToHls(GetRValue(c.color), GetGValue(c.color), GetBValue(c.color), h, s, l);
        EXPECT_FLOAT_EQ(c.hue, h) << std::hex << c.color;
        EXPECT_FLOAT_EQ(c.saturation, s) << std::hex << c.color;
        EXPECT_FLOAT_EQ(c.lightness, l) << std::hex << c.color;
    }

    struct Back
    {
        float hue, saturation, lightness;
        COLORREF color;
    } backs[] = {
        {120, 1, 0.5f, kGreen}, {360, 1, 0.5f, kRed}, {240, 1, 0.5f, kBlue},
        {0, 0, 0.08f, RGB(20, 20, 20)}, {0, 1, 0.75f, RGB(255, 127, 127)},
        {30, 1, 0.5f, RGB(255, 127, 0)},
    };
    for (const Back& b : backs)
    {
        CColor color(b.hue, b.saturation, b.lightness);
        EXPECT_EQ(b.color, RGB(color.GetRed(), color.GetGreen(), color.GetBlue())) << b.hue << " " << b.lightness;
    }

    // Each form is brought up to date from the one set last.
    CColor color(kRed);
    color.SetLightness(0.75f);
    EXPECT_EQ(127, color.GetGreen());
    color.SetBlue(255);
    EXPECT_FLOAT_EQ(300, color.GetHue());
}

TEST(ToolbarImagesTest, LightnessChange)
{
    struct Case
    {
        COLORREF color;
        float change;
        COLORREF expected;
    } cases[] = {
        {kWhite, 0.08f, kWhite},              // L = 1 is not raised
        {kBlack, 0.08f, RGB(20, 20, 20)},
        {kBlack, -0.08f, kBlack},             // L = 0 is not lowered
        {kWhite, -0.08f, RGB(234, 234, 234)},
        {RGB(250, 250, 250), 0.08f, kWhite},  // held at 1
        {kRed, 0.04f, RGB(254, 20, 20)},      // m2 = L + S - L * S falls just short of 1 in float
        {kGreen, -0.25f, RGB(0, 127, 0)},
        {kMagenta, 0.08f, kMagenta},          // transparent
    };
    for (const Case& c : cases)
    {
        CImageHigh high(c.change);
        high.SetTransparentColor(kMagenta);
        RGBX src(c.color);
        RGBX dest;
        dest.btUnused = 0x5A;
        ASSERT_TRUE(high.Process(&src, CSize(1, 1), &dest, CSize(1, 1)));
        EXPECT_EQ(c.expected, ToColor(dest)) << std::hex << c.color << " " << c.change;
        if (c.color != kMagenta) {
            EXPECT_EQ(0x5A, dest.btUnused);   // the fourth byte is left as it was
        }
    }
}

// A processor that widens the picture by one column and writes nothing, so
// that the destination shows the background fill; or one that fails.
class CWidenBy1 : public C32BitImageProcessor
{
public:
    explicit CWidenBy1(bool bResult = true) : m_bResult(bResult) {}
    CSize CalcDestSize(CSize sizeSrc) override { return CSize(sizeSrc.cx + 1, sizeSrc.cy); }
    bool Process(RGBX*, CSize, RGBX*, CSize) override { return m_bResult; }
    bool m_bResult;
};

TEST(ToolbarImagesTest, ProcessChains)
{
    const std::vector<COLORREF> picture = {kRed, kMagenta, kBlack, kWhite, kGreen, kMagenta};

    CEnBitmap empty;
    EXPECT_FALSE(empty.GrayImage());
    EXPECT_EQ(nullptr, empty.GetDIBits32());

    {
        CEnBitmap bitmap;
        bitmap.Attach(MakeDib(3, 2, picture));
        HGDIOBJ hBefore = bitmap.GetSafeHandle();
        C32BitImageProcessorArray none;
        EXPECT_TRUE(bitmap.ProcessImage(none));
        EXPECT_EQ(hBefore, bitmap.GetSafeHandle());
        EXPECT_EQ(picture, Pixels(bitmap));
    }

    struct Chain
    {
        const char* name;
        BOOL (*run)(CEnBitmap&);
        std::vector<COLORREF> expected;
    } chains[] = {
        {"disabled", [](CEnBitmap& b) { return b.MakeDisabled(kMagenta); },
         {RGB(136, 136, 136), kMagenta, RGB(60, 60, 60), kWhite, RGB(213, 213, 213), kMagenta}},
        {"normal", [](CEnBitmap& b) { return b.MakeNormal(kMagenta); },
         {RGB(254, 40, 40), kMagenta, RGB(20, 20, 20), kWhite, RGB(40, 254, 40), kMagenta}},
        {"grey", [](CEnBitmap& b) { return b.GrayImage(); },
         {RGB(76, 76, 76), RGB(102, 102, 102), kBlack, kWhite, RGB(153, 153, 153), RGB(102, 102, 102)}},
    };
    for (const Chain& c : chains)
    {
        CEnBitmap bitmap;
        bitmap.Attach(MakeDib(3, 2, picture));
        ASSERT_TRUE(c.run(bitmap)) << c.name;
        EXPECT_EQ(CSize(3, 2), SizeOf(bitmap)) << c.name;
        EXPECT_EQ(c.expected, Pixels(bitmap)) << c.name;
    }

    // A growing processor leaves the background fill, of any size and colour.
    struct Fill
    {
        COLORREF background;
        COLORREF expected;
    } fills[] = {{0, kBlack}, {kWhite, kWhite}, {CLR_NONE, kWhite}, {RGB(10, 20, 30), RGB(10, 20, 30)}};
    for (const Fill& f : fills)
    {
        CEnBitmap bitmap(f.background);
        bitmap.Attach(MakeDib(6, 3, {}));
        CWidenBy1 widen;
        ASSERT_TRUE(bitmap.ProcessOne(&widen));
        EXPECT_EQ(CSize(7, 3), SizeOf(bitmap));
        EXPECT_EQ(std::vector<COLORREF>(21, f.expected), Pixels(bitmap)) << std::hex << f.background;
    }

    // A failing processor ends the chain and keeps the bitmap.
    CEnBitmap bitmap;
    bitmap.Attach(MakeDib(3, 2, picture));
    HGDIOBJ hBefore = bitmap.GetSafeHandle();
    CImageGrayer grayer;
    CWidenBy1 failing(false);
    C32BitImageProcessorArray chain;
    chain.Add(&grayer);
    chain.Add(&failing);
    EXPECT_FALSE(bitmap.ProcessImage(chain));
    EXPECT_EQ(hBefore, bitmap.GetSafeHandle());
    EXPECT_EQ(picture, Pixels(bitmap));
}

// A 24-bit bottom-up BMP file of 3 x 2 pixels: red, green, blue over white, black, magenta.
void WriteBmp(const CString& strPath)
{
    const COLORREF rows[2][3] = {{kRed, kGreen, kBlue}, {kWhite, kBlack, kMagenta}};
    std::vector<BYTE> data;
    for (int y = 1; y >= 0; y--)
    {
        for (int x = 0; x < 3; x++)
        {
            data.push_back(GetBValue(rows[y][x]));
            data.push_back(GetGValue(rows[y][x]));
            data.push_back(GetRValue(rows[y][x]));
        }
        data.insert(data.end(), 3, 0);   // rows are padded to 4 bytes
    }
    BITMAPFILEHEADER bf = {};
    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof(bi);
    bi.biWidth = 3;
    bi.biHeight = 2;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    bi.biSizeImage = (DWORD)data.size();
    bf.bfType = 0x4D42;
    bf.bfOffBits = sizeof(bf) + sizeof(bi);
    bf.bfSize = bf.bfOffBits + (DWORD)data.size();
    FILE* f = fopen(strPath, "wb");
    ASSERT_NE(nullptr, f);
    fwrite(&bf, sizeof(bf), 1, f);
    fwrite(&bi, sizeof(bi), 1, f);
    fwrite(data.data(), data.size(), 1, f);
    fclose(f);
}

IPicture* LoadPictureFile(const CString& strPath)
{
    FILE* f = fopen(strPath, "rb");
    if (f == nullptr)
        return nullptr;
    fseek(f, 0, SEEK_END);
    long nSize = ftell(f);
    fseek(f, 0, SEEK_SET);
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)nSize);
    fread(GlobalLock(hMem), 1, (size_t)nSize, f);
    GlobalUnlock(hMem);
    fclose(f);
    IStream* pStream = nullptr;
    IPicture* pPicture = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(hMem, TRUE, &pStream)))
    {
        OleLoadPicture(pStream, nSize, FALSE, IID_IPicture, (void**)&pPicture);
        pStream->Release();
    }
    return pPicture;
}

TEST(ToolbarImagesTest, LoadPictureFromBmpFile)
{
    CTestFolder folder;
    CString strPath = folder.File("picture.bmp");
    WriteBmp(strPath);
    IPicture* pPicture = LoadPictureFile(strPath);
    ASSERT_NE(nullptr, pPicture);

    CEnBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadPicture(pPicture, RGB(0, 0, 128)));
    EXPECT_EQ(CSize(3, 2), SizeOf(bitmap));
    EXPECT_EQ((std::vector<COLORREF>{kRed, kGreen, kBlue, kWhite, kBlack, kMagenta}), Pixels(bitmap));
    // Only an empty bitmap takes a picture.
    HGDIOBJ hBefore = bitmap.GetSafeHandle();
    EXPECT_FALSE(bitmap.LoadPicture(pPicture));
    EXPECT_EQ(hBefore, bitmap.GetSafeHandle());
    pPicture->Release();
}

TEST(ToolbarImagesTest, ToolBarImageLists)
{
    CWnd parent;
    ASSERT_TRUE(CreateHostWindow(parent, "images", WS_POPUP, CRect(0, 0, 300, 100)));
    CToolBar24 bar;
    ASSERT_TRUE(bar.CreateEx(&parent));
    // The resource: two 4 x 4 buttons, every row red, magenta, black, white | green, blue, magenta, red.
    ASSERT_TRUE(bar.LoadToolBarImages(IDB_IMAGES_TEST, kMagenta, 4));

    CToolBarCtrl& ctrl = bar.GetToolBarCtrl();
    EXPECT_EQ(bar.m_ilHot.GetSafeHandle(), ctrl.GetHotImageList()->GetSafeHandle());
    EXPECT_EQ(bar.m_ilDisabled.GetSafeHandle(), ctrl.GetDisabledImageList()->GetSafeHandle());
    EXPECT_EQ(bar.m_ilNormal.GetSafeHandle(), ctrl.GetImageList()->GetSafeHandle());

    // Each list drawn transparently over teal: the magenta pixels show the
    // teal in all three, the others show the list's own processing.
    const COLORREF kTeal = RGB(0, 128, 128);
    const COLORREF kDim = RGB(136, 136, 136);
    struct Case
    {
        const char* name;
        CImageList* pList;
        std::vector<COLORREF> expected;   // the first row of both images
    } cases[] = {
        {"hot", &bar.m_ilHot, {kRed, kTeal, kBlack, kWhite, kGreen, kBlue, kTeal, kRed}},
        {"normal", &bar.m_ilNormal,
         {RGB(254, 40, 40), kTeal, RGB(20, 20, 20), kWhite, RGB(40, 254, 40), RGB(40, 40, 254), kTeal, RGB(254, 40, 40)}},
        {"disabled", &bar.m_ilDisabled,
         {kDim, kTeal, RGB(60, 60, 60), kWhite, RGB(213, 213, 213), RGB(85, 85, 85), kTeal, kDim}},
    };
    for (const Case& c : cases)
    {
        ASSERT_EQ(2, c.pList->GetImageCount()) << c.name;
        int cx = 0, cy = 0;
        c.pList->GetIconSize(&cx, &cy);
        EXPECT_EQ(CSize(4, 4), CSize(cx, cy)) << c.name;

        CPixelCanvas canvas(8, 4, kTeal);
        ImageList_Draw(c.pList->GetSafeHandle(), 0, canvas.dc, 0, 0, ILD_TRANSPARENT);
        ImageList_Draw(c.pList->GetSafeHandle(), 1, canvas.dc, 4, 0, ILD_TRANSPARENT);
        std::vector<COLORREF> firstRow;
        for (int x = 0; x < 8; x++)
            firstRow.push_back(canvas.At(x, 0));
        EXPECT_EQ(c.expected, firstRow) << c.name;
    }
    parent.DestroyWindow();
}

}  // namespace
