// The drawing effects: colour arithmetic as a table, and fills, frames, blends,
// shadows and masked pictures drawn into memory DIBs with their pixels checked.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <vector>
#include "CeXDib.h"
#include "PPDrawManager.h"
#include "TestFolder.h"
#include "testdrawing.h"

namespace {

int Channel(COLORREF c, int shift) { return (int)((c >> shift) & 0xFF); }

// Channels within one step of each other.
bool Near(COLORREF a, COLORREF b, int tolerance = 1)
{
  for (int shift = 0; shift < 24; shift += 8)
    if (abs(Channel(a, shift) - Channel(b, shift)) > tolerance)
      return false;
  return true;
}

TEST(DrawManagerColors, ArithmeticByBytePosition)
{
  struct Case { const char* what; DWORD got, want; } cases[] = {
    {"gray of pure red", CPPDrawManager::ToGray(0x0000FF), 0x4C4C4C},
    {"gray of white", CPPDrawManager::ToGray(0xFFFFFF), 0xFFFFFF},
    {"negative", CPPDrawManager::NegativeColor(0x12345678), 0xCBA987},
    {"scale by 1 keeps the top byte", CPPDrawManager::ScaleColor(0xFF808080, 1.0), 0xFF808080},
    {"scale by 0.5", CPPDrawManager::ScaleColor(0x00804020, 0.5), 0x00402010},
    {"scale above 1 unchanged", CPPDrawManager::ScaleColor(0x00804020, 1.5), 0x00804020},
    {"brighten by 0 unchanged", CPPDrawManager::BrightenColor(0xAA102030, 0), 0xAA102030},
    {"brighten by 0.25", CPPDrawManager::BrightenColor(0x00804020, 0.25), 0x00A05028},
    {"brighten saturates", CPPDrawManager::BrightenColor(0x00F0F0F0, 1.0), 0x00FFFFFF},
    {"mix half and half", CPPDrawManager::MixColors(0x000000FF, 0.5, 0x00FF0000, 0.5), 0x007F007F},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.want, c.got) << c.what;
}

TEST(CeXDib, LayoutOfHeaderPaletteAndRows)
{
  CCeXDib dib;
  EXPECT_EQ(nullptr, dib.GetBits());
  ASSERT_NE((HANDLE)NULL, dib.Create(33, 2, 1));
  EXPECT_EQ(2u, dib.GetNumColors());
  EXPECT_EQ(8u, dib.GetLineWidth()) << "33 one-bit pixels pad to two 32-bit words";
  EXPECT_EQ(40u + 8u + 16u, dib.GetTotalSize());

  ASSERT_NE((HANDLE)NULL, dib.Create(5, 5, 24));
  EXPECT_EQ(0u, dib.GetNumColors());
  dib.Clear(7);
  dib.SetPixelIndex(1, 1, 99);   // no palette: nothing happens
  for (DWORD i = 0; i < 5 * 16; ++i) {
    if (i % 16 < 15) {
      ASSERT_EQ(7, dib.GetBits()[i]) << i;
    }
  }

  // An 8-bit picture drawn through its palette; row 0 is the top row.
  ASSERT_NE((HANDLE)NULL, dib.Create(4, 3, 8));
  dib.Clear(0);
  dib.SetPaletteIndex(0, 255, 255, 255);
  dib.SetPaletteIndex(1, 255, 0, 0);
  dib.SetPixelIndex(2, 0, 1);
  dib.SetPixelIndex(9, 9, 1);    // outside: ignored
  CPixelCanvas canvas(10, 10, kBlue);
  dib.Draw(canvas.dc.GetSafeHdc(), 3, 4);
  EXPECT_EQ(kRed, canvas.At(5, 4));
  EXPECT_EQ(kWhite, canvas.At(3, 4));
  EXPECT_EQ(kWhite, canvas.At(6, 6));
  EXPECT_EQ(kBlue, canvas.At(7, 4));

  // A file of the picture: "BM", sizes and the pixel offset after the palette.
  CTestFolder folder;
  CString path = folder.Path() + "\\dib.bmp";
  ASSERT_TRUE(dib.SaveToFile(path));
  EXPECT_FALSE(dib.SaveToFile(""));
  FILE* f = fopen(path, "rb");
  ASSERT_NE(nullptr, f);
  unsigned char head[14] = {};
  ASSERT_EQ(14u, fread(head, 1, 14, f));
  fseek(f, 0, SEEK_END);
  long size = ftell(f);
  fclose(f);
  EXPECT_EQ('B', head[0]);
  EXPECT_EQ('M', head[1]);
  EXPECT_EQ(14 + 40 + 1024 + 12, size);
  EXPECT_EQ((DWORD)size, *(DWORD*)(head + 2));
  EXPECT_EQ(14u + 40u + 1024u, *(DWORD*)(head + 10));
}

TEST(DrawManagerFills, GradientBandsAndEffects)
{
  CPPDrawManager dm;
  CPixelCanvas canvas(128, 64);
  HDC hdc = canvas.dc.GetSafeHdc();
  dm.FillTwoColorGradient(hdc, 0, 0, 128, 10, kBlack, kWhite, TRUE);
  EXPECT_EQ(kBlack, canvas.At(0, 5));
  EXPECT_EQ(RGB(251, 251, 251), canvas.At(127, 5)) << "the last band stops short of the end colour";
  EXPECT_EQ(RGB(127, 127, 127), canvas.At(64, 5));

  RECT rc = {0, 10, 64, 20};
  dm.FillRectWithEffect(hdc, EFFECT_SOLID, &rc, kRed, kGreen, kBlue, 0, 0);
  EXPECT_EQ(kRed, canvas.At(10, 15));
  RECT v = {64, 10, 128, 74};
  dm.FillRectWithEffect(hdc, EFFECT_VGRADIENT, &v, kRed, kGreen, kBlue, 0, 0);
  EXPECT_EQ(kRed, canvas.At(100, 10));
  EXPECT_TRUE(Near(RGB(127, 0, 127), canvas.At(100, 42))) << std::hex << canvas.At(100, 42);

  // A texture of granularity 0 is nearly smooth: noise adds 0 or 1 step.
  RECT t = {0, 20, 64, 40};
  dm.FillRectWithEffect(hdc, EFFECT_NOISE, &t, kWhite, kWhite, kWhite, 0, 0);
  EXPECT_EQ(kWhite, canvas.At(30, 30));
  dm.FillRectWithEffect(hdc, EFFECT_HSHADE, &t, kRed, kGreen, kBlue, 10, 0);
  EXPECT_NE(canvas.At(30, 21), canvas.At(30, 38)) << "a shade changes along its axis";

  // Empty rectangles draw nothing, whatever the effect.
  CPixelCanvas blank(16, 16, kYellow);
  for (int effect = 0; effect <= 15; ++effect) {
    RECT e = {4, 4, 4, 12};
    dm.FillRectWithEffect(blank.dc.GetSafeHdc(), effect, &e, kRed, kGreen, kBlue, 5, 0);
  }
  EXPECT_EQ(16 * 16, blank.Count(kYellow));
}

TEST(DrawManagerFrames, DoubleFrameAndTwoColours)
{
  CPPDrawManager dm;
  CPixelCanvas canvas(40, 40);
  HDC hdc = canvas.dc.GetSafeHdc();
  dm.DrawFrame(hdc, 0, 0, 39, 39, kRed, kBlue, PEN_DOUBLE, 1);
  EXPECT_EQ(kRed, canvas.At(0, 20));
  EXPECT_EQ(kRed, canvas.At(20, 0));
  EXPECT_EQ(kBlue, canvas.At(39, 20));
  EXPECT_EQ(kBlue, canvas.At(20, 39));
  EXPECT_EQ(kRed, canvas.At(2, 20)) << "inner line at twice the pen width";
  EXPECT_EQ(kWhite, canvas.At(1, 20));
  EXPECT_EQ(kBlue, canvas.At(37, 20));

  CPixelCanvas none(10, 10);
  dm.DrawFrame(none.dc.GetSafeHdc(), 0, 0, 9, 9, kRed, kRed, PEN_NULL, 1);
  dm.DrawStyledLine(none.dc.GetSafeHdc(), 0, 5, 9, 5, kRed, PEN_SOLID, 0);
  EXPECT_EQ(100, none.Count(kWhite));
  dm.DrawStyledLine(none.dc.GetSafeHdc(), 0, 2, 9, 2, kRed, PEN_DOUBLE, 1);
  EXPECT_EQ(kRed, none.At(4, 2));
  EXPECT_EQ(kRed, none.At(4, 4)) << "the second copy of a horizontal line lies below";
}

TEST(DrawManagerBlits, BlendTileAndShadow)
{
  CPPDrawManager dm;
  CPixelCanvas src(20, 20, kRed);
  CPixelCanvas dst(20, 20, kBlue);
  dm.BlendBlit(dst.dc.GetSafeHdc(), 0, 0, 5, 5, src.dc.GetSafeHdc(), 0, 0, 0);
  EXPECT_EQ(kBlue, dst.At(2, 2)) << "0 percent leaves the target";
  dm.BlendBlit(dst.dc.GetSafeHdc(), 5, 0, 5, 5, src.dc.GetSafeHdc(), 0, 0, 100);
  EXPECT_EQ(kRed, dst.At(7, 2)) << "100 percent copies the source";
  dm.BlendBlit(dst.dc.GetSafeHdc(), 10, 0, 5, 5, src.dc.GetSafeHdc(), 0, 0, 50);
  EXPECT_TRUE(Near(RGB(127, 0, 127), dst.At(12, 2))) << std::hex << dst.At(12, 2);

  // A tile repeated and cut at the target's edge.
  src.dc.FillSolidRect(0, 0, 2, 2, kGreen);
  CPixelCanvas tiles(7, 7);
  dm.TileBlit(tiles.dc.GetSafeHdc(), 0, 0, 5, 5, src.dc.GetSafeHdc(), 0, 0, 2, 2);
  EXPECT_EQ(kGreen, tiles.At(4, 4));
  EXPECT_EQ(kWhite, tiles.At(5, 5));

  // A shadow mask: black darkens to black, white leaves the target.
  CPixelCanvas target(20, 20, kWhite);
  HBITMAP mask = CreateDib32(10, 10);
  {
    CPixelCanvas m(1, 1);
    HGDIOBJ old = ::SelectObject(m.dc.GetSafeHdc(), mask);
    ::PatBlt(m.dc.GetSafeHdc(), 0, 0, 10, 10, WHITENESS);
    ::PatBlt(m.dc.GetSafeHdc(), 0, 0, 5, 10, BLACKNESS);
    ::SelectObject(m.dc.GetSafeHdc(), old);
  }
  dm.CastShadow(target.dc.GetSafeHdc(), 0, 0, 10, 10, mask, FALSE, 0, 0);
  EXPECT_EQ(kBlack, target.At(2, 5));
  EXPECT_EQ(kWhite, target.At(7, 5));
  dm.CastShadow(target.dc.GetSafeHdc(), 10, 10, 10, 10, mask, TRUE, 3, 3);
  COLORREF edge = target.At(14, 15);
  EXPECT_NE(kWhite, edge);
  EXPECT_NE(kBlack, edge) << "a blurred shadow has soft edges";
  ::DeleteObject(mask);
}

TEST(DrawManagerBlur, BoxMeansOfTheMask)
{
  // Uniform white gives factor 1; one black pixel spreads over its box.
  std::vector<DWORD> pixels(5 * 5, 0xFFFFFF);
  std::vector<double> factors(25);
  CPPDrawManager::ComputeBlurFactors(5, 5, pixels.data(), 3, 3, factors.data());
  for (double f : factors)
    EXPECT_DOUBLE_EQ(1.0, f);
  pixels[2 * 5 + 2] = 0;
  CPPDrawManager::ComputeBlurFactors(5, 5, pixels.data(), 3, 3, factors.data());
  EXPECT_DOUBLE_EQ(8.0 / 9.0, factors[2 * 5 + 2]);
  EXPECT_DOUBLE_EQ(8.0 / 9.0, factors[1 * 5 + 1]);
  EXPECT_DOUBLE_EQ(1.0, factors[0]);
}

TEST(DrawManagerPictures, TransparentColourAndEffects)
{
  CPPDrawManager dm;
  // A 4 x 4 picture: magenta left half (transparent), red right half.
  CPixelCanvas pic(4, 4, kMagenta);
  pic.dc.FillSolidRect(2, 0, 2, 4, kRed);
  HBITMAP hbm = ::CreateCompatibleBitmap(pic.dc.GetSafeHdc(), 4, 4);
  {
    CPixelCanvas tmp(1, 1);
    HGDIOBJ old = ::SelectObject(tmp.dc.GetSafeHdc(), hbm);
    ::BitBlt(tmp.dc.GetSafeHdc(), 0, 0, 4, 4, pic.dc.GetSafeHdc(), 0, 0, SRCCOPY);
    ::SelectObject(tmp.dc.GetSafeHdc(), old);
  }
  CPixelCanvas canvas(20, 10, kBlue);
  HDC hdc = canvas.dc.GetSafeHdc();
  dm.DrawBitmapWithEffects(hdc, 0, 0, 4, 4, hbm, TRUE, kMagenta, 0, FALSE, 0, 0, 0, 0, 0);
  EXPECT_EQ(kBlue, canvas.At(1, 1)) << "transparent colour shows the target";
  EXPECT_EQ(kRed, canvas.At(3, 1));
  dm.DrawBitmapWithEffects(hdc, 5, 0, 4, 4, hbm, TRUE, kMagenta, IMAGE_EFFECT_GRAYEN, FALSE, 0, 0, 0, 0, 0);
  // Filters work on pixels by byte position: blue is the lowest byte there.
  EXPECT_EQ(RGB(29, 29, 29), canvas.At(8, 1));
  EXPECT_EQ(kBlue, canvas.At(6, 1));
  // Stretched to twice the size; a hard shadow of black under it, offset 1, 1.
  dm.DrawBitmapWithEffects(hdc, 10, 0, 8, 8, hbm, TRUE, kMagenta, IMAGE_EFFECT_SHADOW, TRUE, 1, 1, 0, 0, kBlack);
  EXPECT_EQ(kRed, canvas.At(17, 3));
  EXPECT_EQ(kBlack, canvas.At(18, 8)) << "shadow below-right of the picture";
  EXPECT_EQ(kBlue, canvas.At(11, 3));
  ::DeleteObject(hbm);

  // An icon through its mask, and a resized one.
  HICON icon = ::LoadIcon(NULL, IDI_APPLICATION);
  SIZE sz = CPPDrawManager::MeasureIcon(icon);
  EXPECT_EQ(::GetSystemMetrics(SM_CXICON), sz.cx);
  HICON small = dm.ResizeIcon(icon, 16, 16);
  ASSERT_NE((HICON)NULL, small);
  EXPECT_EQ(16, CPPDrawManager::MeasureIcon(small).cx);
  ::DestroyIcon(small);
  CPixelCanvas iconCanvas(40, 40, kWhite);
  dm.DrawIconWithEffects(iconCanvas.dc.GetSafeHdc(), 0, 0, 32, 32, icon, 0, FALSE, 0, 0, 0, 0, 0);
  EXPECT_LT(iconCanvas.Count(kWhite), 40 * 40) << "the icon drew something";
  EXPECT_EQ(kWhite, iconCanvas.At(36, 36));
  EXPECT_EQ(0, CPPDrawManager::MeasureIcon(NULL).cx);
  EXPECT_EQ(0, CPPDrawManager::MeasureBitmap(NULL).cy);
}

}  // namespace
