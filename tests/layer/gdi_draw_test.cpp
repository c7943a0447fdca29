// GDI objects, device contexts and image lists, checked by drawing into a
// memory DC and reading pixels back.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "layer_test_res.h"
#include "testdrawing.h"

namespace {

struct PixelCase {
  int x, y;
  COLORREF color;
};

::testing::AssertionResult PixelsAre(const CPixelCanvas& canvas, std::initializer_list<PixelCase> cases)
{
  for (const PixelCase& c : cases) {
    COLORREF actual = canvas.At(c.x, c.y);
    if (actual != c.color)
      return ::testing::AssertionFailure() << "pixel (" << c.x << "," << c.y << ") is 0x" << std::hex << actual
                                           << ", expected 0x" << c.color;
  }
  return ::testing::AssertionSuccess();
}

// A 16x16 device-dependent bitmap of one colour.
void MakeSolidBitmap(CBitmap& bitmap, COLORREF color)
{
  CClientDC screen(NULL);
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 16, 16));
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  CBitmap* pOld = dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 16, 16, color);
  dc.SelectObject(pOld);
}

}  // namespace

// ---------------------------------------------------------------------------
// Drawing helpers
// ---------------------------------------------------------------------------
TEST(GdiDraw, FillSolidRectFillsExactlyTheRectAndKeepsTheBkColor)
{
  CPixelCanvas canvas(20, 20);
  canvas.dc.SetBkColor(RGB(1, 2, 3));

  canvas.dc.FillSolidRect(CRect(5, 5, 10, 8), kRed);
  canvas.dc.FillSolidRect(12, 12, 3, 3, kBlue);

  EXPECT_EQ(canvas.dc.GetBkColor(), RGB(1, 2, 3));
  EXPECT_TRUE(PixelsAre(canvas, {{5, 5, kRed}, {9, 7, kRed}, {10, 7, kWhite}, {9, 8, kWhite},
                                 {4, 5, kWhite}, {5, 4, kWhite},
                                 {12, 12, kBlue}, {14, 14, kBlue}, {15, 14, kWhite}, {14, 15, kWhite}}));
}

TEST(GdiDraw, Draw3dRectPaintsTopLeftAndBottomRightEdges)
{
  CPixelCanvas canvas(20, 20);
  // rect (2,2)-(12,10): edges at x=2, x=11, y=2, y=9
  canvas.dc.Draw3dRect(CRect(2, 2, 12, 10), kRed, kBlue);
  EXPECT_TRUE(PixelsAre(canvas, {{2, 2, kRed}, {10, 2, kRed}, {2, 8, kRed},        // top and left
                                 {11, 2, kBlue}, {2, 9, kBlue},                    // the two far corners
                                 {11, 9, kBlue}, {11, 5, kBlue}, {6, 9, kBlue},    // right and bottom
                                 {6, 5, kWhite}, {12, 5, kWhite}, {6, 10, kWhite}, {1, 2, kWhite}}));

  canvas.dc.Draw3dRect(14, 14, 3, 3, kGreen, kMagenta);
  EXPECT_TRUE(PixelsAre(canvas, {{14, 14, kGreen}, {16, 16, kMagenta}, {15, 15, kWhite}}));
}

TEST(GdiDraw, SelectObjectReturnsThePreviousObjectSoItCanBeRestored)
{
  CPixelCanvas canvas(20, 20);
  CPen red(PS_SOLID, 1, kRed);
  CPen blue(PS_SOLID, 1, kBlue);

  CPen* pOriginal = canvas.dc.SelectObject(&red);
  ASSERT_NE(pOriginal, nullptr);
  EXPECT_TRUE(pOriginal->IsKindOf(RUNTIME_CLASS(CPen)));
  EXPECT_EQ(pOriginal->m_hObject, ::GetStockObject(BLACK_PEN));
  canvas.dc.MoveTo(0, 1);
  canvas.dc.LineTo(10, 1);

  EXPECT_EQ(canvas.dc.SelectObject(&blue), &red);     // the permanent wrapper itself
  EXPECT_EQ(canvas.dc.GetCurrentPen(), &blue);
  EXPECT_EQ(canvas.dc.SelectObject(pOriginal), &blue);
  canvas.dc.MoveTo(0, 3);
  canvas.dc.LineTo(10, 3);
  EXPECT_TRUE(PixelsAre(canvas, {{5, 1, kRed}, {5, 3, RGB(0, 0, 0)}}));

  // SaveDC/RestoreDC bring the selection back as well
  int nSaved = canvas.dc.SaveDC();
  canvas.dc.SelectObject(&red);
  CGdiObject* pBeforeStock = canvas.dc.SelectStockObject(WHITE_BRUSH);
  EXPECT_TRUE(pBeforeStock->IsKindOf(RUNTIME_CLASS(CBrush)));
  EXPECT_TRUE(canvas.dc.RestoreDC(nSaved));
  EXPECT_EQ(canvas.dc.GetCurrentPen()->m_hObject, ::GetStockObject(BLACK_PEN));
  EXPECT_EQ(canvas.dc.GetCurrentBrush()->m_hObject, pBeforeStock->m_hObject);
}

TEST(GdiDraw, ClipRegionLimitsDrawingAndRegionsFillTheirShape)
{
  CPixelCanvas canvas(20, 20);
  CRgn clip;
  ASSERT_TRUE(clip.CreateRectRgn(4, 4, 8, 8));
  EXPECT_EQ(canvas.dc.SelectClipRgn(&clip), SIMPLEREGION);
  CRect box;
  canvas.dc.GetClipBox(&box);
  EXPECT_EQ(box, CRect(4, 4, 8, 8));
  EXPECT_TRUE(canvas.dc.PtVisible(5, 5));
  EXPECT_FALSE(canvas.dc.PtVisible(9, 9));

  canvas.dc.FillSolidRect(0, 0, 20, 20, kRed);
  EXPECT_TRUE(PixelsAre(canvas, {{4, 4, kRed}, {7, 7, kRed}, {8, 7, kWhite}, {3, 4, kWhite}}));

  canvas.dc.SelectClipRgn(NULL);
  CRgn a, b, both;
  a.CreateRectRgn(10, 10, 14, 14);
  b.CreateRectRgn(16, 16, 18, 18);
  both.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(both.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
  CBrush green(kGreen);
  EXPECT_TRUE(canvas.dc.FillRgn(&both, &green));
  EXPECT_TRUE(PixelsAre(canvas, {{10, 10, kGreen}, {17, 17, kGreen}, {15, 15, kWhite}, {9, 9, kWhite}}));
}

TEST(GdiDraw, ViewportOriginAndExtentsMapLogicalToDevice)
{
  CPixelCanvas canvas(20, 20);
  EXPECT_EQ(canvas.dc.SetViewportOrg(5, 6), CPoint(0, 0));
  EXPECT_EQ(canvas.dc.GetViewportOrg(), CPoint(5, 6));
  canvas.dc.FillSolidRect(0, 0, 2, 2, kRed);
  EXPECT_EQ(canvas.dc.SetViewportOrg(CPoint(0, 0)), CPoint(5, 6));   // GetPixel reads logical coordinates
  EXPECT_TRUE(PixelsAre(canvas, {{5, 6, kRed}, {6, 7, kRed}, {4, 6, kWhite}, {0, 0, kWhite}}));

  canvas.dc.SetViewportOrg(5, 6);
  canvas.dc.SetMapMode(MM_ANISOTROPIC);
  canvas.dc.SetWindowExt(100, 100);
  canvas.dc.SetViewportExt(50, -200);
  CPoint pt(10, 10);
  canvas.dc.LPtoDP(&pt);
  EXPECT_EQ(pt, CPoint(5 + 5, 6 - 20));
  CSize size(10, 10);
  canvas.dc.LPtoDP(&size);          // a size is scaled but never flipped
  EXPECT_EQ(size, CSize(5, 20));
  canvas.dc.DPtoLP(&size);
  EXPECT_EQ(size, CSize(10, 10));
}

TEST(GdiDraw, TextIsMeasuredAlikeByDrawTextAndGetTextExtent)
{
  CPixelCanvas canvas(200, 40);
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(100, "Arial"));
  CFont* pOldFont = canvas.dc.SelectObject(&font);
  ASSERT_NE(pOldFont, nullptr);
  EXPECT_TRUE(pOldFont->IsKindOf(RUNTIME_CLASS(CFont)));

  CString text("Keyword");
  CSize extent = canvas.dc.GetTextExtent(text);
  EXPECT_EQ(extent, canvas.dc.GetTextExtent("Keyword", 7));
  CRect calc(0, 0, 0, 0);
  canvas.dc.DrawText(text, &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(calc.Width(), extent.cx);
  EXPECT_EQ(calc.Height(), extent.cy);

  canvas.dc.SetTextColor(kBlue);
  canvas.dc.SetBkMode(TRANSPARENT);
  canvas.dc.TextOut(2, 2, text);
  int ink = 0;
  for (int y = 0; y < 40; y++)
    for (int x = 0; x < 200; x++)
      if (canvas.At(x, y) != kWhite) {
        ink++;
        EXPECT_TRUE(x >= 2 && x < 2 + extent.cx + 2 && y >= 2 && y < 2 + extent.cy) << x << "," << y;
      }
  EXPECT_GT(ink, 0);
  canvas.dc.SelectObject(pOldFont);
}

// ---------------------------------------------------------------------------
// GDI objects
// ---------------------------------------------------------------------------
TEST(GdiObjects, CreatePointFontConvertsTenthsOfAPointWithTheDC)
{
  CClientDC screen(NULL);
  CFont big, small;
  ASSERT_TRUE(big.CreatePointFont(120, "Arial"));
  ASSERT_TRUE(small.CreatePointFont(80, "Arial"));
  LOGFONT lfBig, lfSmall;
  ASSERT_EQ(big.GetLogFont(&lfBig), (int)sizeof(LOGFONT));
  small.GetLogFont(&lfSmall);
  EXPECT_EQ(lfBig.lfHeight, -::MulDiv(screen.GetDeviceCaps(LOGPIXELSY), 120, 720));
  EXPECT_LT(lfBig.lfHeight, lfSmall.lfHeight);   // negative: character height
  EXPECT_STREQ(lfBig.lfFaceName, "Arial");

  CPixelCanvas canvas(10, 10);
  TEXTMETRIC tmBig, tmSmall;
  CFont* pOld = canvas.dc.SelectObject(&big);
  canvas.dc.GetTextMetrics(&tmBig);
  canvas.dc.SelectObject(&small);
  canvas.dc.GetTextMetrics(&tmSmall);
  canvas.dc.SelectObject(pOld);
  EXPECT_GT(tmBig.tmHeight, tmSmall.tmHeight);

  // In twips a 12-point font is 240 logical units high, whatever the device.
  canvas.dc.SetMapMode(MM_TWIPS);
  CFont twips;
  ASSERT_TRUE(twips.CreatePointFont(120, "Arial", &canvas.dc));
  LOGFONT lfTwips;
  twips.GetLogFont(&lfTwips);
  EXPECT_NEAR(lfTwips.lfHeight, -240, 15);
}

TEST(GdiObjects, LogFontLogPenAndLogBrushRoundTrip)
{
  LOGFONT lf = {};
  lf.lfHeight = -20;
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = TRUE;
  lf.lfCharSet = RUSSIAN_CHARSET;
  lstrcpyA(lf.lfFaceName, "Times New Roman");
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  LOGFONT back;
  font.GetLogFont(&back);
  EXPECT_EQ(back.lfHeight, -20);
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  EXPECT_TRUE(back.lfItalic);
  EXPECT_EQ(back.lfCharSet, RUSSIAN_CHARSET);
  EXPECT_STREQ(back.lfFaceName, "Times New Roman");

  CPen pen(PS_DASH, 1, kGreen);
  LOGPEN lp;
  ASSERT_TRUE(pen.GetLogPen(&lp));
  EXPECT_EQ(lp.lopnStyle, (UINT)PS_DASH);
  EXPECT_EQ(lp.lopnColor, kGreen);

  struct { CBrush* brush; UINT style; LONG hatch; } cases[] = {
    {new CBrush(kRed), BS_SOLID, 0},
    {new CBrush(HS_CROSS, kBlue), BS_HATCHED, HS_CROSS},
  };
  for (auto& c : cases) {
    LOGBRUSH lb;
    ASSERT_TRUE(c.brush->GetLogBrush(&lb));
    EXPECT_EQ(lb.lbStyle, c.style);
    if (c.style == BS_HATCHED) {
      EXPECT_EQ((LONG)lb.lbHatch, c.hatch);
    }
    delete c.brush;
  }
  CBrush sys;
  ASSERT_TRUE(sys.CreateSysColorBrush(COLOR_WINDOW));
  LOGBRUSH lb;
  sys.GetLogBrush(&lb);
  EXPECT_EQ(lb.lbColor, ::GetSysColor(COLOR_WINDOW));
}

TEST(GdiObjects, RegionsCombineAndAnswerHitTests)
{
  CRgn a, b;
  ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
  ASSERT_TRUE(b.CreateRectRgn(5, 5, 15, 15));

  struct { int mode; int type; POINT in[2]; POINT out[2]; } cases[] = {
    {RGN_AND, SIMPLEREGION, {{7, 7}, {5, 5}}, {{2, 2}, {12, 12}}},
    {RGN_OR, COMPLEXREGION, {{2, 2}, {12, 12}}, {{12, 2}, {2, 12}}},
    {RGN_DIFF, COMPLEXREGION, {{2, 2}, {9, 2}}, {{7, 7}, {12, 12}}},
    {RGN_XOR, COMPLEXREGION, {{2, 2}, {12, 12}}, {{7, 7}, {12, 2}}},
  };
  for (auto& c : cases) {
    CRgn result;
    result.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(result.CombineRgn(&a, &b, c.mode), c.type) << "mode " << c.mode;
    for (POINT pt : c.in)
      EXPECT_TRUE(result.PtInRegion(pt)) << "mode " << c.mode << " (" << pt.x << "," << pt.y << ")";
    for (POINT pt : c.out)
      EXPECT_FALSE(result.PtInRegion(pt.x, pt.y)) << "mode " << c.mode << " (" << pt.x << "," << pt.y << ")";
  }

  CRgn copy;
  copy.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(copy.CopyRgn(&a), SIMPLEREGION);
  EXPECT_TRUE(copy.EqualRgn(&a));
  copy.OffsetRgn(CPoint(3, 4));
  EXPECT_FALSE(copy.EqualRgn(&a));
  CRect box;
  EXPECT_EQ(copy.GetRgnBox(&box), SIMPLEREGION);
  EXPECT_EQ(box, CRect(3, 4, 13, 14));
  EXPECT_TRUE(copy.RectInRegion(CRect(12, 13, 20, 20)));
  EXPECT_FALSE(copy.RectInRegion(CRect(13, 14, 20, 20)));
  copy.SetRectRgn(CRect(1, 1, 2, 2));
  copy.GetRgnBox(&box);
  EXPECT_EQ(box, CRect(1, 1, 2, 2));
  int nBytes = copy.GetRegionData(NULL, 0);
  EXPECT_GE(nBytes, (int)(sizeof(RGNDATAHEADER) + sizeof(RECT)));
}

TEST(GdiObjects, BitmapsReportTheirSizeAndLoadFromResources)
{
  CClientDC screen(NULL);
  CBitmap compatible;
  ASSERT_TRUE(compatible.CreateCompatibleBitmap(&screen, 37, 21));
  BITMAP bm;
  ASSERT_TRUE(compatible.GetBitmap(&bm));
  EXPECT_EQ(bm.bmWidth, 37);
  EXPECT_EQ(bm.bmHeight, 21);

  // rows of 8 pixels, each padded to a WORD: 0xAA, 0x55, 0xAA...
  const WORD bits[8] = {0x00AA, 0x0055, 0x00AA, 0x0055, 0x00AA, 0x0055, 0x00AA, 0x0055};
  CBitmap mono;
  ASSERT_TRUE(mono.CreateBitmap(8, 8, 1, 1, bits));
  mono.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  BYTE readBack[16] = {};
  EXPECT_EQ(mono.GetBitmapBits(sizeof(readBack), readBack), 16u);
  EXPECT_EQ(readBack[0], 0xAA);
  EXPECT_EQ(readBack[2], 0x55);
  mono.SetBitmapDimension(80, 90);
  EXPECT_EQ(mono.GetBitmapDimension(), CSize(80, 90));

  // by id and by name ("#id"); the strip is red | green, its top-left pixel magenta
  for (int byName = 0; byName < 2; byName++) {
    CBitmap strip;
    ASSERT_TRUE(byName ? strip.LoadBitmap("#4001") : strip.LoadBitmap(IDB_GDI_STRIP)) << byName;
    strip.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmHeight, 16);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* pOld = dc.SelectObject(&strip);
    EXPECT_EQ(dc.GetPixel(5, 5), kRed);
    EXPECT_EQ(dc.GetPixel(20, 5), kGreen);
    EXPECT_EQ(dc.GetPixel(0, 0), kMagenta);
    dc.SelectObject(pOld);
  }
  CBitmap missing;
  EXPECT_FALSE(missing.LoadBitmap(4999));
  EXPECT_EQ(missing.m_hObject, nullptr);
}

TEST(GdiObjects, PaletteEntriesRoundTrip)
{
  struct {
    LOGPALETTE header;
    PALETTEENTRY more[2];
  } pal = {};
  pal.header.palVersion = 0x300;
  pal.header.palNumEntries = 3;
  PALETTEENTRY* entries = pal.header.palPalEntry;
  entries[0] = {255, 0, 0, 0};
  entries[1] = {0, 255, 0, 0};
  entries[2] = {0, 0, 255, 0};
  CPalette palette;
  ASSERT_TRUE(palette.CreatePalette(&pal.header));
  EXPECT_EQ(palette.GetEntryCount(), 3);
  EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 250, 10)), 1u);
  PALETTEENTRY blue = {0, 0, 200, 0};
  EXPECT_EQ(palette.SetPaletteEntries(2, 1, &blue), 1u);
  PALETTEENTRY back[3] = {};
  EXPECT_EQ(palette.GetPaletteEntries(0, 3, back), 3u);
  EXPECT_EQ(back[2].peBlue, 200);
  EXPECT_TRUE(palette.ResizePalette(5));
  EXPECT_EQ(palette.GetEntryCount(), 5);
}

// ---------------------------------------------------------------------------
// Handle maps: permanent and temporary wrappers
// ---------------------------------------------------------------------------
TEST(GdiHandleMaps, TemporaryGdiWrappersHaveTheHandlesClassAndAreCleanedAtIdle)
{
  CClientDC screen(NULL);
  struct { HGDIOBJ h; CRuntimeClass* cls; } cases[] = {
    {::CreatePen(PS_SOLID, 1, 0), RUNTIME_CLASS(CPen)},
    {::CreateSolidBrush(0), RUNTIME_CLASS(CBrush)},
    {::CreateFontA(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"), RUNTIME_CLASS(CFont)},
    {::CreateCompatibleBitmap(screen, 4, 4), RUNTIME_CLASS(CBitmap)},
    {::CreateHalftonePalette(screen), RUNTIME_CLASS(CPalette)},
    {::CreateRectRgn(0, 0, 1, 1), RUNTIME_CLASS(CRgn)},
  };
  for (auto& c : cases) {
    ASSERT_NE(c.h, nullptr);
    CGdiObject* p = CGdiObject::FromHandle(c.h);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetRuntimeClass(), c.cls) << c.cls->m_lpszClassName;
    EXPECT_EQ(p->m_hObject, c.h);
    EXPECT_EQ(CGdiObject::FromHandle(c.h), p);   // one wrapper per handle until idle
    // Mark the wrapper: one that survived the cleanup would still carry it.
    p->m_hObject = ::GetStockObject(NULL_BRUSH);
  }

  CGdiObject::DeleteTempMap();

  for (auto& c : cases) {
    EXPECT_NE(::GetObjectType(c.h), 0u) << c.cls->m_lpszClassName << ": the cleanup destroyed the handle";
    CGdiObject* p = CGdiObject::FromHandle(c.h);
    EXPECT_EQ(p->m_hObject, c.h) << c.cls->m_lpszClassName << ": the temporary wrapper survived the cleanup";
    p->m_hObject = c.h;
  }
  CGdiObject::DeleteTempMap();
  for (auto& c : cases)
    ::DeleteObject(c.h);
  EXPECT_EQ(CGdiObject::FromHandle(NULL), nullptr);
}

TEST(GdiHandleMaps, PermanentGdiWrappersWinAndDestroyTheirHandle)
{
  HBRUSH hBrush;
  {
    CBrush brush(kRed);
    hBrush = brush;
    EXPECT_EQ(CBrush::FromHandle(hBrush), &brush);
    CGdiObject::DeleteTempMap();
    EXPECT_EQ(CBrush::FromHandle(hBrush), &brush);   // never cleaned at idle

    // Detached, the handle is nobody's: FromHandle makes a temporary wrapper.
    EXPECT_EQ(brush.Detach(), hBrush);
    CBrush* pTemp = CBrush::FromHandle(hBrush);
    EXPECT_NE(pTemp, &brush);
    EXPECT_TRUE(pTemp->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_TRUE(brush.Attach(hBrush));
    EXPECT_EQ(CBrush::FromHandle(hBrush), &brush);
    CGdiObject::DeleteTempMap();
  }
  EXPECT_EQ(::GetObjectType(hBrush), 0u);   // the wrapper deleted its brush

  CPen* volatile pNull = NULL;   // callers may ask a null pointer for its handle
  EXPECT_EQ(pNull->GetSafeHandle(), nullptr);
}

TEST(GdiHandleMaps, DCWrappersArePermanentWhenAttachedAndTemporaryOtherwise)
{
  HDC hRaw = ::CreateCompatibleDC(NULL);
  CDC* pTemp = CDC::FromHandle(hRaw);
  ASSERT_NE(pTemp, nullptr);
  EXPECT_EQ(pTemp->m_hDC, hRaw);
  EXPECT_EQ(pTemp->m_hAttribDC, hRaw);
  EXPECT_EQ(CDC::FromHandle(hRaw), pTemp);
  pTemp->m_bPrinting = TRUE;   // a mark a fresh wrapper does not have
  CDC::DeleteTempMap();
  EXPECT_EQ(::GetObjectType(hRaw), (DWORD)OBJ_MEMDC);
  EXPECT_FALSE(CDC::FromHandle(hRaw)->m_bPrinting);

  {
    CDC dc;
    ASSERT_TRUE(dc.Attach(hRaw));
    EXPECT_EQ(CDC::FromHandle(hRaw), &dc);
    CDC::DeleteTempMap();
    EXPECT_EQ(CDC::FromHandle(hRaw), &dc);
  }
  EXPECT_EQ(::GetObjectType(hRaw), 0u);   // ~CDC deleted the DC
  CDC::DeleteTempMap();

  CDC* volatile pNull = NULL;
  EXPECT_EQ(pNull->GetSafeHdc(), nullptr);
}

// ---------------------------------------------------------------------------
// Image lists
// ---------------------------------------------------------------------------
TEST(GdiImageList, AddReplaceRemoveAndDraw)
{
  CImageList list;
  ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2));
  CBitmap red, green, blue;
  MakeSolidBitmap(red, kRed);
  MakeSolidBitmap(green, kGreen);
  MakeSolidBitmap(blue, kBlue);

  EXPECT_EQ(list.Add(&red, kMagenta), 0);
  EXPECT_EQ(list.Add(&green, (CBitmap*)NULL), 1);
  EXPECT_EQ(list.GetImageCount(), 2);
  EXPECT_TRUE(list.Replace(0, &blue, (CBitmap*)NULL));
  EXPECT_EQ(list.GetImageCount(), 2);

  HICON hIcon = list.ExtractIcon(1);
  ASSERT_NE(hIcon, nullptr);
  EXPECT_EQ(list.Add(hIcon), 2);
  EXPECT_EQ(list.Replace(2, hIcon), 2);
  EXPECT_EQ(list.GetImageCount(), 3);

  IMAGEINFO info;
  ASSERT_TRUE(list.GetImageInfo(2, &info));
  EXPECT_EQ(info.rcImage.right - info.rcImage.left, 16);
  int cx = 0, cy = 0;
  EXPECT_TRUE(list.GetIconSize(&cx, &cy));
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);
  list.SetBkColor(CLR_NONE);
  EXPECT_EQ(list.GetBkColor(), CLR_NONE);

  CPixelCanvas canvas(40, 20);
  EXPECT_TRUE(list.Draw(&canvas.dc, 0, CPoint(0, 0), ILD_NORMAL));
  EXPECT_TRUE(list.Draw(&canvas.dc, 2, CPoint(20, 0), ILD_NORMAL));
  EXPECT_TRUE(PixelsAre(canvas, {{5, 5, kBlue}, {25, 5, kGreen}, {17, 5, kWhite}}));
  canvas.dc.DrawIcon(0, 0, hIcon);
  EXPECT_TRUE(PixelsAre(canvas, {{5, 5, kGreen}}));
  ::DestroyIcon(hIcon);

  EXPECT_TRUE(list.Remove(0));
  EXPECT_EQ(list.GetImageCount(), 2);

  CImageList copy;
  ASSERT_TRUE(copy.Create(&list));
  EXPECT_NE(copy.m_hImageList, list.m_hImageList);
  EXPECT_EQ(copy.GetImageCount(), 2);
}

TEST(GdiImageList, CreateFromABitmapResourceMasksTheMaskColour)
{
  CImageList list;
  ASSERT_TRUE(list.Create(IDB_GDI_STRIP, 16, 1, kMagenta));
  EXPECT_EQ(list.GetImageCount(), 2);

  CPixelCanvas canvas(40, 20);
  list.Draw(&canvas.dc, 0, CPoint(0, 0), ILD_TRANSPARENT);
  list.Draw(&canvas.dc, 1, CPoint(20, 0), ILD_TRANSPARENT);
  EXPECT_TRUE(PixelsAre(canvas, {{0, 0, kWhite}, {1, 0, kRed}, {5, 5, kRed}, {25, 5, kGreen}}));

  canvas.dc.FillSolidRect(0, 0, 40, 20, kWhite);
  EXPECT_TRUE(list.DrawIndirect(&canvas.dc, 1, CPoint(2, 2), CSize(4, 4), CPoint(0, 0)));
  EXPECT_TRUE(PixelsAre(canvas, {{2, 2, kGreen}, {5, 5, kGreen}, {6, 6, kWhite}}));
}

TEST(GdiImageList, WrappersArePermanentWhenCreatedAndTemporaryOtherwise)
{
  HIMAGELIST hRaw = ImageList_Create(8, 8, ILC_COLOR24, 1, 1);
  CImageList* pTemp = CImageList::FromHandle(hRaw);
  ASSERT_NE(pTemp, nullptr);
  EXPECT_EQ(CImageList::FromHandlePermanent(hRaw), nullptr);
  pTemp->m_hImageList = NULL;   // a mark: a surviving wrapper would hold no handle
  CGdiObject::DeleteTempMap();    // image lists are cleaned with the GDI objects
  EXPECT_EQ(CImageList::FromHandle(hRaw)->m_hImageList, hRaw);
  EXPECT_EQ(CImageList::FromHandle(hRaw)->GetImageCount(), 0);

  {
    CImageList list;
    ASSERT_TRUE(list.Attach(hRaw));
    EXPECT_EQ(CImageList::FromHandle(hRaw), &list);
    EXPECT_EQ(CImageList::FromHandlePermanent(hRaw), &list);
    CImageList::DeleteTempMap();
  }
  EXPECT_EQ(CImageList::FromHandlePermanent(hRaw), nullptr);
}
