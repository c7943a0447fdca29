// The HTML drawer on memory DCs, no window: style values and sheets as tables,
// markup measured against the sizes its pieces must take, drawings checked by
// pixels, links through a recording opener (nothing is launched).
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "PPHtmlDrawer.h"
#include "testdrawing.h"
#include "tooltip_test_res.h"

namespace {

// Text extents in the fonts the drawer makes from its styles.
class CFontProbe
{
public:
  explicit CFontProbe(HDC hdc) : m_hdc(hdc) {}
  SIZE Extent(const char* text, int size = 13, int weight = FW_NORMAL, bool italic = false) const
  {
    LOGFONTA lf = {};
    lf.lfHeight = size;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(lf.lfFaceName, "Verdana");
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(m_hdc, font);
    SIZE sz = {};
    ::GetTextExtentPoint32A(m_hdc, text, lstrlenA(text), &sz);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(m_hdc, &tm);
    if (!*text)
      sz.cy = tm.tmHeight;
    ::SelectObject(m_hdc, old);
    ::DeleteObject(font);
    return sz;
  }
  int W(const char* text, int size = 13, int weight = FW_NORMAL, bool italic = false) const
  { return Extent(text, size, weight, italic).cx; }
  int H(int size = 13) const { return Extent("", size).cy; }

private:
  HDC m_hdc;
};

CSize Measure(CPPHtmlDrawer& drawer, HDC hdc, const char* html)
{
  SIZE sz = {};
  drawer.MeasureHtml(&sz, hdc, html);
  return CSize(sz.cx, sz.cy);
}

// Columns with pixels darker than mid-grey, in a band of rows.
std::vector<int> InkColumns(const CPixelCanvas& c, int width, int top, int bottom)
{
  std::vector<int> cols;
  for (int x = 0; x < width; ++x)
    for (int y = top; y < bottom; ++y) {
      COLORREF p = c.At(x, y);
      if (GetRValue(p) + GetGValue(p) + GetBValue(p) < 3 * 128) {
        cols.push_back(x);
        break;
      }
    }
  return cols;
}

TEST(HtmlStyles, ValuesLengthsAndColours)
{
  CPPHtmlDrawer d;
  struct Len { const char* text; int current; BOOL font; int want; } lengths[] = {
    {"12pt", 16, TRUE, 16}, {"3", 16, TRUE, 12}, {"7", 16, TRUE, 36}, {"150%", 16, TRUE, 24},
    {"3", 16, FALSE, 3}, {"", 16, FALSE, 16}, {"-5px", 0, FALSE, 5}, {"0x10", 0, FALSE, 16},
    {"1in", 0, FALSE, 96}, {"254mm", 0, FALSE, 960}, {"99999999px", 0, FALSE, 32767},
  };
  for (const Len& c : lengths)
    EXPECT_EQ(c.want, d.GetLengthUnit(c.text, c.current, c.font)) << c.text;

  struct Col { const char* text; COLORREF want; } colours[] = {
    {"#ff9900", RGB(255, 153, 0)}, {"#f90", 5}, {"255", RGB(255, 0, 0)}, {"aqua", RGB(0, 255, 255)},
    {"papayawhip", RGB(0xFF, 0xEF, 0xD5)}, {"darkseagreen", RGB(0x8F, 0xBC, 0x8B)},
    {"lightgrey", RGB(0xD3, 0xD3, 0xD3)}, {"lightgray", 5}, {"grey", 5}, {"Aqua", 5}, {"", 5},
    {"buttonface", ::GetSysColor(COLOR_BTNFACE)},
  };
  for (const Col& c : colours)
    EXPECT_EQ(c.want, d.GetStyleColor(c.text, 5)) << c.text;

  HtmlStyleRecord st;
  CPPHtmlDrawer::SetDefaultStyle(st);
  d.SetStyleFromCss("COLOR: Red; background-color:transparent; font-weight: bolder; text-decoration:overline", st);
  EXPECT_EQ(RGB(255, 0, 0), st.crText) << "declarations are read in lower case";
  EXPECT_EQ(TRANSPARENT, st.nBkMode);
  EXPECT_EQ(RGB(255, 255, 255), st.crBkgnd) << "transparent keeps the colour";
  EXPECT_EQ(900, st.nWeightFont);
  d.SetStyleFromCss("text-decoration:underline; background-color:navy; font-family:\"Courier New\"", st);
  EXPECT_TRUE(st.bUnderlineFont);
  EXPECT_TRUE(st.bOverlineFont) << "words only set flags";
  EXPECT_EQ(OPAQUE, st.nBkMode);
  EXPECT_EQ(RGB(0, 0, 128), st.crBkgnd);
  EXPECT_STREQ("courier new", st.sFaceFont);
  d.SetStyleFromCss("text-decoration:none; font-weight:550; margin-left:7; border-width:thick", st);
  EXPECT_FALSE(st.bUnderlineFont || st.bOverlineFont || st.bStrikeOutFont);
  EXPECT_EQ(550, st.nWeightFont);
  EXPECT_EQ(7, st.nMarginLeft);
  d.SetStyleFromCss("font-weight:abc; font-style:oblique; text-align:right; vertical-align:vcenter", st);
  EXPECT_EQ(0, st.nWeightFont);
  EXPECT_TRUE(st.bItalicFont);
  EXPECT_EQ(HTML_ALIGN_RIGHT, st.nHorzAlign);
  EXPECT_EQ(HTML_VALIGN_MIDDLE, st.nVertAlign);
  EXPECT_EQ(-1, d.StyleBkgndEffect("transparent", 3));
  EXPECT_EQ(15, d.StyleBkgndEffect("metal", 3));
  EXPECT_EQ(9, d.StyleBkgndEffect("9", 3));
}

TEST(HtmlStyles, StyleSheets)
{
  CPPHtmlDrawer d;
  ASSERT_NE(nullptr, d.GetTagStyle("body")) << "a new drawer has the default sheet";
  EXPECT_STREQ("font-size:125%", d.GetTagStyle("BIG"));
  EXPECT_NE(nullptr, strstr(d.GetCssStyles(), ".cpp-comment {color:green; font-style:italic}\r\n"));

  d.SetCssStyles("H1 {color:red}\nh1 {color:blue}  .note{x:y} h2, h3 {color:green} broken {color:");
  EXPECT_STREQ("color:blue", d.GetTagStyle("h1")) << "a later rule replaces an earlier one";
  EXPECT_STREQ("x:y", d.GetTagStyle(".NOTE"));
  EXPECT_STREQ("color:green", d.GetTagStyle("h2,"));
  EXPECT_EQ(nullptr, d.GetTagStyle("h3"));
  EXPECT_EQ(nullptr, d.GetTagStyle("broken"));
  EXPECT_EQ(nullptr, d.GetTagStyle("body"));
  d.SetTagStyle("Body", "color:red");
  EXPECT_STREQ("color:red", d.GetTagStyle("body"));
  d.RemoveTagStyle("BODY");
  EXPECT_EQ(nullptr, d.GetTagStyle("body"));

  d.SetCssStyles("");
  EXPECT_EQ(nullptr, d.GetTagStyle("h1"));
  d.SetCssStyles((LPCTSTR)NULL);
  EXPECT_NE(nullptr, d.GetTagStyle("h1"));
}

// Measured sizes: the laid-out extent plus 2.
TEST(HtmlLayout, TextLinesTabsAndTags)
{
  CPixelCanvas canvas(400, 200);
  HDC hdc = canvas.dc.GetSafeHdc();
  CFontProbe f(hdc);
  const int H = f.H();
  ASSERT_EQ(96, ::GetDeviceCaps(hdc, LOGPIXELSY));
  CPPHtmlDrawer d;
  struct Case { const char* html; int cx, cy; } cases[] = {
    {"Hello", f.W("Hello"), H},
    {"a<br>bb", f.W("bb"), 2 * H},
    {"a\nbb", f.W("bb"), 2 * H},
    {"a\r\nbb", f.W("bb"), 2 * H},
    {"a<br=3>b", f.W("a"), 4 * H},
    {"\tx", 32 + f.W("x"), H},
    {"<hr width=10><t=2>x", 64 + f.W("x"), H},
    {"a<<b", f.W("a<b"), H},
    {"&amp;", f.W("&amp;"), H},
    {"<b><i>W</b>W</i>W", 2 * f.W("W", 13, 800, true) + f.W("W", 13, 800), H},
    {"<b><b>W</b></b>W", f.W("W", 13, 900) + f.W("W"), H},
    {"<font size=5>X</font>", f.W("X", 18), f.H(18)},
    {"<span>x</span>", f.W("x"), H},
    {"<span class=cpp-comment>x</span>x", f.W("x", 13, 400, true) + f.W("x"), H},
    {"<hr width=50%><br><hr width=200>", 200, 2 * 9},
    {"<unknown a=1>x</nothing>", f.W("x"), H},
    {"", 0, 0},
    {"<b", 0, H},
  };
  for (const Case& c : cases) {
    CSize sz = Measure(d, hdc, c.html);
    EXPECT_EQ(c.cx + 2, sz.cx) << c.html;
    EXPECT_EQ(c.cy + 2, sz.cy) << c.html;
  }
  d.EnableEscapeSequences(FALSE);
  EXPECT_EQ(CSize(f.W("ab") + 2, H + 2), Measure(d, hdc, "a\nb\tb") - CSize(f.W("b"), 0));
}

// Cells lay their text out with the body rule; 2 pixels of margin each side.
TEST(HtmlLayout, TablesSpansAndMalformedGrids)
{
  CPixelCanvas canvas(400, 200);
  HDC hdc = canvas.dc.GetSafeHdc();
  CFontProbe f(hdc);
  const int H = f.H();
  auto w = [&](const char* s) { return f.W(s); };
  CPPHtmlDrawer d;
  struct Case { const char* html; int cx, cy; } cases[] = {
    {"<table><tr><td>A</td><td>BB</td></tr></table>", w("A") + 4 + w("BB") + 4, H + 4},
    {"<table width=50%><tr><td>A</td></tr></table>", 2 * (w("A") + 4), H + 4},
    {"<table width=300><tr><td>A</td></tr></table>", 300, H + 4},
    {"<table><tr><td>A</td><td>B</td></tr><tr><td colspan=2>WIDEWIDEWIDE</td></tr></table>",
     std::max(w("A") + w("B") + 8, w("WIDEWIDEWIDE") + 4), 2 * (H + 4)},
    {"<table><tr><td>A<table><tr><td>B</td></tr></table></td></tr></table>",
     std::max(w("A"), w("B") + 4) + 4, H + (H + 4) + 4},
    {"<table border=2><tr><td>A</td></tr></table>", w("A") + 4 + 2 + 4, H + 4 + 2 + 4},
    {"<table cellpadding=3><tr><td>A</td></tr></table>", w("A") + 4 + 6, H + 4 + 6},
    // A row span past the last row, a row without its closing tag, a cell
    // pushed beyond the grid by the span above, spans below 1.
    {"<table><tr><td rowspan=50>A</td><td>B</td></tr></table>", w("A") + w("B") + 8, H + 4},
    {"<table><tr><td>A<td>BB<tr><td>C</table>", std::max(w("A"), w("C")) + w("BB") + 8, 2 * (H + 4)},
    {"<table><tr><td rowspan=2>A</td><td>B</td></tr><tr><td>C</td><td>DDDDDDDDDD</td></tr></table>",
     w("A") + std::max(w("B"), w("C")) + 8, 2 * (H + 4)},
    {"<table><tr><td colspan=0>A</td><td colspan=-1>B</td></tr></table>", w("A") + w("B") + 8, H + 4},
    {"<table></table>", 0, 0},
    {"<table><tr></tr></table>", 0, 0},
    {"x<table><tr><td>A</td></tr></table>y", std::max(w("A") + 4, f.W("x")), H + H + 4 + H},
  };
  for (const Case& c : cases) {
    CSize sz = Measure(d, hdc, c.html);
    EXPECT_EQ(c.cx + 2, sz.cx) << c.html;
    EXPECT_EQ(c.cy + 2, sz.cy) << c.html;
    // Drawing right after measuring reads the same records without a fault.
    d.DrawHtmlInRect(hdc, c.html, 0, 0, 400, 200);
  }
}

TEST(HtmlDrawing, TableStretchesToItsArea)
{
  CPixelCanvas canvas(300, 100);
  HDC hdc = canvas.dc.GetSafeHdc();
  CFontProbe f(hdc);
  CPPHtmlDrawer d;
  const char* html = "<table><tr><td bgcolor=red>A</td><td bgcolor=blue>B</td></tr></table>";
  Measure(d, hdc, html);
  d.DrawHtmlInRect(hdc, html, 0, 0, 201, 100);   // an area 200 wide
  const int c0 = f.W("A") + 4, c1 = f.W("B") + 4;
  const int extra = 200 - c0 - c1;
  const int first = c0 + extra / 2 + extra % 2;
  EXPECT_EQ(kRed, canvas.At(0, 1));
  EXPECT_EQ(kRed, canvas.At(first - 1, 1));
  EXPECT_EQ(kBlue, canvas.At(first, 1));
  EXPECT_EQ(kBlue, canvas.At(199, 1));
  EXPECT_EQ(kWhite, canvas.At(200, 1));
  EXPECT_EQ(kWhite, canvas.At(5, f.H() + 4)) << "one row high";
}

TEST(HtmlDrawing, AlignmentRulesAndOverline)
{
  CPixelCanvas canvas(200, 60);
  HDC hdc = canvas.dc.GetSafeHdc();
  CPPHtmlDrawer d;
  // The last item of a line decides its alignment.
  d.DrawHtmlInRect(hdc, "<right>RR</right>", 0, 0, 200, 20);
  std::vector<int> ink = InkColumns(canvas, 200, 0, 20);
  ASSERT_FALSE(ink.empty());
  EXPECT_GT(ink.front(), 150);
  canvas.dc.FillSolidRect(0, 0, 200, 60, kWhite);
  d.DrawHtmlInRect(hdc, "<right>RR</right><left>LL</left>", 0, 0, 200, 20);
  ink = InkColumns(canvas, 200, 0, 20);
  ASSERT_FALSE(ink.empty());
  EXPECT_LT(ink.back(), 60);

  // A rule without attributes spans the drawing rectangle, mid-line.
  canvas.dc.FillSolidRect(0, 0, 200, 60, kWhite);
  d.DrawHtmlInRect(hdc, "<hr>", 10, 20, 111, 60);
  EXPECT_EQ(kBlack, canvas.At(10, 24));
  EXPECT_EQ(kBlack, canvas.At(109, 24));
  EXPECT_EQ(kWhite, canvas.At(111, 24));
  EXPECT_EQ(kWhite, canvas.At(50, 22));

  canvas.dc.FillSolidRect(0, 0, 200, 60, kWhite);
  d.DrawHtmlInRect(hdc, "<font style=o color=red>XXX</font>", 0, 0, 200, 30);
  EXPECT_EQ(kRed, canvas.At(3, 0)) << "overline at the top of the line";
}

// A drawing call whose text is not the one measured last measures it first:
// the picture is the same as after a proper measuring pass.
TEST(HtmlDrawing, DrawingAnotherTextThanMeasuredIsSafe)
{
  const char* big = "<h1>Title</h1><br><table border=1><tr><td>1</td><td>2</td></tr>"
                    "<tr><td colspan=2>three<br>lines<br>here</td></tr></table><center>end</center><br>x<br>y";
  CPixelCanvas expected(300, 200), actual(300, 200);
  CPPHtmlDrawer a, b;
  Measure(a, expected.dc.GetSafeHdc(), big);
  a.DrawHtmlInRect(expected.dc.GetSafeHdc(), big, 0, 0, 300, 200);
  Measure(b, actual.dc.GetSafeHdc(), "short");
  b.DrawHtmlInRect(actual.dc.GetSafeHdc(), big, 0, 0, 300, 200);
  int differing = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x)
      differing += expected.At(x, y) != actual.At(x, y);
  EXPECT_EQ(0, differing);
  EXPECT_LT(expected.Count(kWhite), 300 * 200);
}

// ---------------------------------------------------------------------------
// Pictures
// ---------------------------------------------------------------------------

HBITMAP MakeBitmap(int cx, int cy, COLORREF left, COLORREF right)
{
  CPixelCanvas src(cx, cy, left);
  src.dc.FillSolidRect(cx / 2, 0, cx - cx / 2, cy, right);
  HBITMAP hbm = ::CreateCompatibleBitmap(src.dc.GetSafeHdc(), cx, cy);
  HDC mem = ::CreateCompatibleDC(src.dc.GetSafeHdc());
  HGDIOBJ old = ::SelectObject(mem, hbm);
  ::BitBlt(mem, 0, 0, cx, cy, src.dc.GetSafeHdc(), 0, 0, SRCCOPY);
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  return hbm;
}

TEST(HtmlPictures, SizesSourcesAndMasks)
{
  CPixelCanvas canvas(200, 100, kBlue);
  HDC hdc = canvas.dc.GetSafeHdc();
  CFontProbe f(hdc);
  const int H = f.H();
  HBITMAP hbm = MakeBitmap(20, 10, kMagenta, kRed);
  HICON icon = ::LoadIcon(NULL, IDI_APPLICATION);
  const int cxIcon = ::GetSystemMetrics(SM_CXICON);
  TEXTMETRICA tm = {};
  {
    LOGFONTA lf = {};
    lf.lfHeight = 13;
    lstrcpyA(lf.lfFaceName, "Verdana");
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(hdc, font);
    ::GetTextMetricsA(hdc, &tm);
    ::SelectObject(hdc, old);
    ::DeleteObject(font);
  }
  const int below = H - tm.tmAscent;
  CString bmp, ico;
  bmp.Format("0x%llX", (unsigned long long)(UINT_PTR)hbm);
  ico.Format("0x%llX", (unsigned long long)(UINT_PTR)icon);

  CPPHtmlDrawer d;
  HBITMAP strip = MakeBitmap(32, 16, kGreen, kYellow);
  d.SetImageList(strip, 16, 16, 2, kMagenta);
  struct Case { CString html; int cx, cy; } cases[] = {
    // A line of pictures is as high as they are; text adds what lies below
    // its baseline.
    {"<bmp handle=" + bmp + ">", 20, 10},
    {"<bmp handle=" + bmp + " width=50% height=200%>", 10, 20},
    {"<bmp handle=" + bmp + " width=7>", 7, 10},
    {"<bmp handle=" + bmp + " style=s>", 24, 14},
    {"<icon handle=" + ico + ">x", cxIcon + f.W("x"), cxIcon + below},
    {"<icon handle=" + ico + " cx=16 cy=16>", 16, 16},
    {"<ilst index=1>", 16, 16},
    {"<ilst index=2>", 0, H},
    {"<bmp handle=0x1234>", 0, H},
    {"<bmp>", 0, H},
    {"<icon idres=31999>", 0, H},
    {"<bmp file=\"c:\\no such.bmp\">", 0, H},
  };
  for (const Case& c : cases) {
    CSize sz = Measure(d, hdc, c.html);
    EXPECT_EQ(c.cx + 2, sz.cx) << (LPCSTR)c.html;
    EXPECT_EQ(c.cy + 2, sz.cy) << (LPCSTR)c.html;
  }
  // Without a shadow offset the shadow letter adds nothing.
  d.SetImageShadow(0, 0);
  EXPECT_EQ(DWORD(IMAGE_EFFECT_GRAYEN), d.ParseImageStyle("gs"));
  EXPECT_EQ(CSize(22, 12), Measure(d, hdc, "<bmp handle=" + bmp + " style=s>"));

  // The mask colour shows what lies below.
  CString html = "<top><bmp handle=" + bmp + " mask=#ff00ff></top>";
  Measure(d, hdc, html);
  d.DrawHtmlInRect(hdc, html, 0, 0, 200, 100);
  EXPECT_EQ(kBlue, canvas.At(2, 2));
  EXPECT_EQ(kRed, canvas.At(15, 2));
  ::DeleteObject(hbm);
  ::DeleteObject(strip);
}

// The smallest rectangle holding every pixel of the area that is not the
// background (empty when there is none).
CRect InkBox(const CPixelCanvas& c, const CRect& area, COLORREF background)
{
  CRect box(0, 0, 0, 0);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (c.At(x, y) != background)
        box |= CRect(x, y, x + 1, y + 1);
  return box;
}

CString IconTag(const char* attributes)
{
  CString tag;
  tag.Format("<top><icon idres=%d %s></top>", IDI_TIP_SAVE, attributes);
  return tag;
}

// An icon of the program's resources is drawn at the size asked: "width" and
// "height" over its load size, which they also choose unless "cx" and "cy" do.
TEST(HtmlPictures, ResourceIconsAreDrawnAtTheSizeAsked)
{
  const int sys = ::GetSystemMetrics(SM_CXICON);
  CPixelCanvas canvas(100, 80, kMagenta);
  HDC hdc = canvas.dc.GetSafeHdc();
  CPPHtmlDrawer d;
  struct Case { const char* attributes; int size; } cases[] = {
    {"width=16 height=16", 16},     // what the tooltip's resource-icon tips ask
    {"width=50% height=50%", sys / 2},
    {"", sys},
    {"cx=16 cy=16", 16},
    {"cx=16 cy=16 width=200% height=200%", 32},
  };
  for (const Case& c : cases) {
    const CString html = IconTag(c.attributes);
    EXPECT_EQ(CSize(c.size + 2, c.size + 2), Measure(d, hdc, html)) << c.attributes;
    canvas.dc.FillSolidRect(0, 0, 100, 80, kMagenta);
    d.DrawHtmlInRect(hdc, html, 0, 0, 100, 80);
    const CRect ink = InkBox(canvas, CRect(0, 0, 100, 80), kMagenta);
    EXPECT_LE(ink.right, c.size) << c.attributes;
    EXPECT_LE(ink.bottom, c.size) << c.attributes;
    EXPECT_GT(ink.Width(), c.size / 2) << c.attributes;
    EXPECT_GT(ink.Height(), c.size / 2) << c.attributes;
  }
}

// Effects and a shadow take the filtered path, not the plain icon blit: grey
// turns every drawn pixel grey; a shadow widens the box by its offset and
// darkens what lies below and right of the icon.
TEST(HtmlPictures, IconEffectsAndShadow)
{
  // Grey over white: the icon's soft edges blend into greys too.
  CPixelCanvas canvas(100, 80, kWhite);
  HDC hdc = canvas.dc.GetSafeHdc();
  CPPHtmlDrawer d;
  const CString grey = IconTag("width=16 height=16 style=g");
  Measure(d, hdc, grey);
  d.DrawHtmlInRect(hdc, grey, 0, 0, 100, 80);
  int drawn = 0, coloured = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const COLORREF p = canvas.At(x, y);
      drawn += p != kWhite;
      coloured += GetRValue(p) != GetGValue(p) || GetGValue(p) != GetBValue(p);
    }
  EXPECT_GT(drawn, 16 * 16 / 4);
  EXPECT_EQ(0, coloured);

  struct Case { BOOL blurred; } cases[] = {{FALSE}, {TRUE}};
  for (const Case& c : cases) {
    d.SetImageShadow(4, 4, 50, c.blurred);
    const CString shadowed = IconTag("width=16 height=16 style=s");
    EXPECT_EQ(CSize(20 + 2, 20 + 2), Measure(d, hdc, shadowed)) << c.blurred;
    canvas.dc.FillSolidRect(0, 0, 100, 80, kMagenta);
    d.DrawHtmlInRect(hdc, shadowed, 0, 0, 100, 80);
    // Beyond the icon: what lies below, darkened (by half where the shadow
    // is hard).
    int darkened = 0, halved = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        if (x < 16 && y < 16)
          continue;
        const COLORREF p = canvas.At(x, y);
        darkened += GetRValue(p) < 255 && GetRValue(p) == GetBValue(p) && GetGValue(p) == 0;
        halved += p == RGB(128, 0, 128);
      }
    EXPECT_GT(darkened, 4 * 16) << c.blurred;
    if (!c.blurred) {
      EXPECT_EQ(darkened, halved);
    }
    EXPECT_EQ(CRect(0, 0, 20, 20) | InkBox(canvas, CRect(0, 0, 100, 80), kMagenta), CRect(0, 0, 20, 20)) << c.blurred;
  }
}

// A string resource is placed as text, untouched by the text transform; the
// transform itself changes the letters it is asked to.
TEST(HtmlLayout, StringResourcesAndTextTransform)
{
  CPixelCanvas canvas(400, 100);
  HDC hdc = canvas.dc.GetSafeHdc();
  CFontProbe f(hdc);
  const int H = f.H();
  CPPHtmlDrawer d;
  d.SetTagStyle(".up", "text-transform:uppercase");
  d.SetTagStyle(".low", "text-transform:lowercase");
  d.SetTagStyle(".cap", "text-transform:capitalize");
  CString plain;
  plain.Format("<string idres=%d>", IDS_TIP_PLAIN);
  struct Case { CString html; int cx; } cases[] = {
    {plain, f.W("Plain words")},
    {"<span class=up>" + plain + "</span>", f.W("Plain words")},
    {"<span class=up>ab cd</span>", f.W("AB CD")},
    {"<span class=low>AB Cd</span>", f.W("ab cd")},
    {"<span class=cap>aB cD</span>", f.W("Ab Cd")},
    {"<string idres=0>", 0},
    {"<string idres=31999>", 0},
    {"<string idres=40012 srcdll=\"c:\\no such.dll\">", 0},
  };
  for (const Case& c : cases) {
    CSize sz = Measure(d, hdc, c.html);
    EXPECT_EQ(c.cx + 2, sz.cx) << (LPCSTR)c.html;
    EXPECT_EQ(H + 2, sz.cy) << (LPCSTR)c.html;
  }
}

// A small picture beside a tall one sits at the top, middle or bottom of the
// line; a table cell places its content the same way in a tall row.
TEST(HtmlDrawing, VerticalAlignmentInLinesAndCells)
{
  CPixelCanvas canvas(200, 100);
  HDC hdc = canvas.dc.GetSafeHdc();
  CPPHtmlDrawer d;
  HBITMAP tall = MakeBitmap(10, 40, kGreen, kGreen), small = MakeBitmap(10, 10, kRed, kRed);
  CString t, s;
  t.Format("<bmp handle=0x%llX>", (unsigned long long)(UINT_PTR)tall);
  s.Format("<bmp handle=0x%llX>", (unsigned long long)(UINT_PTR)small);
  struct Case { const char* tag; int top; } cases[] = {{"top", 0}, {"vcenter", 15}, {"bottom", 30}};
  for (const Case& c : cases) {
    const CString html = CString("<top>") + t + "</top><" + c.tag + ">" + s + "</" + c.tag + ">";
    Measure(d, hdc, html);
    canvas.dc.FillSolidRect(0, 0, 200, 100, kWhite);
    d.DrawHtmlInRect(hdc, html, 0, 0, 200, 100);
    const CRect box = InkBox(canvas, CRect(10, 0, 200, 100), kWhite);
    EXPECT_EQ(c.top, box.top) << c.tag;
    EXPECT_EQ(c.top + 10, box.bottom) << c.tag;
    EXPECT_EQ(10, box.left) << c.tag;
  }

  struct Cell { const char* valign; int top; } cells[] = {{"top", 0}, {"middle", 15}, {"bottom", 30}};
  for (const Cell& c : cells) {
    CString html;
    html.Format("<table cellspacing=0><tr><td>%s</td><td valign=%s>%s</td></tr></table>", (LPCSTR)t, c.valign,
                (LPCSTR)s);
    Measure(d, hdc, html);
    canvas.dc.FillSolidRect(0, 0, 200, 100, kWhite);
    d.DrawHtmlInRect(hdc, html, 0, 0, 200, 100);
    // The second cell's picture: the red pixels.
    CRect red(0, 0, 0, 0);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x)
        if (canvas.At(x, y) == kRed)
          red |= CRect(x, y, x + 1, y + 1);
    const CRect green = InkBox(canvas, CRect(0, 0, red.left, 100), kWhite);
    EXPECT_EQ(10, red.Height()) << c.valign;
    EXPECT_EQ(c.top, red.top - green.top) << c.valign;
  }
  ::DeleteObject(tall);
  ::DeleteObject(small);
}

// A table's background picture repeats across and down the table.
TEST(HtmlDrawing, TiledTableBackground)
{
  CPixelCanvas canvas(200, 100);
  HDC hdc = canvas.dc.GetSafeHdc();
  CPPHtmlDrawer d;
  CString html;
  html.Format("<table width=120 cellpadding=20 background=\"idres:%d\"><tr><td> </td></tr></table>",
              IDR_TIP_TOOLBAR);
  Measure(d, hdc, html);
  d.DrawHtmlInRect(hdc, html, 0, 0, 200, 100);
  HBITMAP picture = (HBITMAP)::LoadImageA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_TIP_TOOLBAR), IMAGE_BITMAP,
                                          0, 0, LR_DEFAULTCOLOR);
  ASSERT_NE((HBITMAP)NULL, picture);
  CPixelCanvas source(32, 16);
  {
    HDC mem = ::CreateCompatibleDC(hdc);
    HGDIOBJ old = ::SelectObject(mem, picture);
    ::BitBlt(source.dc.GetSafeHdc(), 0, 0, 32, 16, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
  }
  ::DeleteObject(picture);
  int differing = 0;
  for (int y = 2; y < 44; ++y)
    for (int x = 2; x < 118; ++x)
      differing += canvas.At(x, y) != source.At(x % 32, y % 16);
  EXPECT_EQ(0, differing);
  EXPECT_EQ(kWhite, canvas.At(125, 10)) << "nothing beyond the table";
}

// Style sheets from string resources, of the program or of a module named by
// its path; a module that cannot be loaded leaves an empty sheet.
TEST(HtmlStyles, StyleSheetFromAStringResource)
{
  CPixelCanvas canvas(200, 100);
  HDC hdc = canvas.dc.GetSafeHdc();
  CFontProbe f(hdc);
  char self[MAX_PATH] = "";
  ::GetModuleFileNameA(NULL, self, MAX_PATH);
  struct Case { const char* module; const char* sheet; } cases[] = {
    {NULL, "body {font-size: 30px}"},
    {self, "body {font-size: 30px}"},
    {"c:\\no such folder\\none.dll", ""},
  };
  for (const Case& c : cases) {
    CPPHtmlDrawer d;
    d.SetCssStyles(IDS_TIP_SHEET, c.module);
    EXPECT_STREQ(c.sheet, d.GetCssStyles()) << c.module;
    if (*c.sheet) {
      EXPECT_EQ(f.H(30) + 2, Measure(d, hdc, "x").cy) << c.module;
    }
  }
}

// Pictures of the resource module ("iddll" without a library): none until a
// module is set; a module the caller sets can be replaced or taken away; a
// module the drawer loaded from a file is freed when replaced.
TEST(HtmlPictures, ResourceModule)
{
  CPixelCanvas canvas(100, 60);
  HDC hdc = canvas.dc.GetSafeHdc();
  CString html;
  html.Format("<icon iddll=%d width=16 height=16>", IDI_TIP_SAVE);
  const CSize none(2, CFontProbe(hdc).H() + 2), icon(18, 18);
  char self[MAX_PATH] = "";
  ::GetModuleFileNameA(NULL, self, MAX_PATH);

  CPPHtmlDrawer d;
  EXPECT_EQ(none, Measure(d, hdc, html));
  d.SetResourceModule(::GetModuleHandleA(NULL));
  EXPECT_EQ(icon, Measure(d, hdc, html));
  d.SetResourceModule(NULL);
  EXPECT_EQ(none, Measure(d, hdc, html)) << "the caller's module taken away";
  d.SetResourceModuleFile(self, LOAD_LIBRARY_AS_DATAFILE);
  EXPECT_EQ(icon, Measure(d, hdc, html));
  d.SetResourceModule(::GetModuleHandleA(NULL));
  EXPECT_EQ(icon, Measure(d, hdc, html));
  d.SetResourceModuleFile("c:\\no such folder\\none.dll", LOAD_LIBRARY_AS_DATAFILE);
  EXPECT_EQ(none, Measure(d, hdc, html));
}

// The link cursor: the caller's cursor is shown over links, giving it again
// keeps it, and none brings back the hand.
TEST(HtmlLinks, HyperlinkCursor)
{
  CPixelCanvas canvas(300, 60);
  HDC hdc = canvas.dc.GetSafeHdc();
  CPPHtmlDrawer d;
  const HCURSOR hand = d.GetHyperlinkCursor();
  ASSERT_NE((HCURSOR)NULL, hand);
  const BYTE andBits[128] = {0}, xorBits[128] = {0};
  HCURSOR own = ::CreateCursor(::GetModuleHandleA(NULL), 0, 0, 32, 32, andBits, xorBits);
  ASSERT_NE((HCURSOR)NULL, own);
  d.SetHyperlinkCursor(own);
  d.SetHyperlinkCursor(own);
  EXPECT_EQ(own, d.GetHyperlinkCursor());
  ICONINFO info = {};
  ASSERT_TRUE(::GetIconInfo((HICON)own, &info)) << "the cursor given twice is still alive";
  ::DeleteObject(info.hbmMask);
  if (info.hbmColor)
    ::DeleteObject(info.hbmColor);

  const char* html = "<a href=\"http://example.invalid/\">link</a>";
  Measure(d, hdc, html);
  d.DrawHtmlInRect(hdc, html, 0, 0, 300, 60);
  ASSERT_EQ(1u, d.GetHotAreas().size());
  const RECT r = d.GetHotAreas()[0].rect;
  const POINT in = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  EXPECT_TRUE(d.OnHotAreaSetCursor(in));
  EXPECT_EQ(own, ::GetCursor());

  d.SetHyperlinkCursor(NULL);
  EXPECT_NE((HCURSOR)NULL, d.GetHyperlinkCursor());
  EXPECT_NE(own, d.GetHyperlinkCursor());
}

// ---------------------------------------------------------------------------
// Links
// ---------------------------------------------------------------------------

struct SinkMessage { UINT msg; WPARAM wParam; std::string text; };
std::vector<SinkMessage> g_sink;

LRESULT CALLBACK SinkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg >= WM_USER) {
    SinkMessage m = {msg, wParam, ""};
    if (msg == WM_USER + 7)
      m.text = (const char*)wParam;
    g_sink.push_back(m);
    return 1;
  }
  return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateSink()
{
  WNDCLASSA wc = {};
  wc.lpfnWndProc = SinkProc;
  wc.hInstance = ::GetModuleHandleA(NULL);
  wc.lpszClassName = "HtmlDrawerTestSink";
  ::RegisterClassA(&wc);
  return ::CreateWindowExA(0, "HtmlDrawerTestSink", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance, NULL);
}

class CRecordingOpener : public CPPLinkOpener
{
public:
  INT_PTR ShellOpen(LPCSTR lpszLink, int) override { opened.push_back(lpszLink); return shellResult; }
  CString HtmOpenCommand() override { return command; }
  BOOL RunCommand(const CString& s, int) override { run.push_back((LPCSTR)s); return TRUE; }
  INT_PTR shellResult = 42;
  CString command;
  std::vector<std::string> opened, run;
};

TEST(HtmlLinks, HotAreasRedrawRequestsAndActivation)
{
  CPixelCanvas canvas(300, 60);
  HDC hdc = canvas.dc.GetSafeHdc();
  HWND sink = CreateSink();
  ASSERT_NE((HWND)NULL, sink);
  g_sink.clear();
  CPPHtmlDrawer d;
  d.SetRedrawCallback(sink, WM_USER + 5, 0);
  d.SetLinkCallback(sink, WM_USER + 7, 0);
  const char* html = "<a href=\"http://example.invalid/a b\">first</a> and <a msg=\"hello\">second</a>";
  Measure(d, hdc, html);
  d.DrawHtmlInRect(hdc, html, 0, 0, 300, 60);
  ASSERT_EQ(2u, d.GetHotAreas().size());
  const RECT r0 = d.GetHotAreas()[0].rect, r1 = d.GetHotAreas()[1].rect;
  EXPECT_EQ(HTML_LINK_HREF, d.GetHotAreas()[0].nTypeLink);
  EXPECT_EQ(1, d.GetHotAreas()[1].nIndexLink);

  POINT in0 = {(r0.left + r0.right) / 2, (r0.top + r0.bottom) / 2};
  POINT in1 = {(r1.left + r1.right) / 2, (r1.top + r1.bottom) / 2};
  POINT out = {290, 55};
  EXPECT_TRUE(d.OnHotAreaSetCursor(in0)) << "a hand over a link";
  EXPECT_TRUE(d.OnHotAreaSetCursor(in0));
  d.OnHotAreaSetCursor(in1);
  EXPECT_FALSE(d.OnHotAreaSetCursor(out));
  d.OnHotAreaSetCursor(out);
  ASSERT_EQ(3u, g_sink.size());
  EXPECT_EQ(0u, g_sink[0].wParam);
  EXPECT_EQ(1u, g_sink[1].wParam);
  EXPECT_EQ((WPARAM)-2, g_sink[2].wParam);

  // The hovered link is drawn with the hover rule (underlined).
  d.OnHotAreaSetCursor(in0);
  canvas.dc.FillSolidRect(0, 0, 300, 60, kWhite);
  d.DrawHtmlInRect(hdc, html, 0, 0, 300, 60);
  int longest = 0;
  for (int y = r0.top; y < r0.bottom + 2; ++y) {
    int run = 0;
    for (int x = r0.left; x < r0.right; ++x)
      run += canvas.At(x, y) == kBlue;
    longest = std::max(longest, run);
  }
  EXPECT_GT(longest, (r0.right - r0.left) * 3 / 4) << "an underline in blue";

  // Clicks: the shell gets the link; the message link reaches the window.
  CRecordingOpener opener;
  CPPHtmlDrawer::SetLinkOpener(&opener);
  g_sink.clear();
  d.OnHotAreaClick(in0);
  d.OnHotAreaClick(in1);
  d.OnHotAreaClick(out);
  CPPHtmlDrawer::SetLinkOpener(NULL);
  ASSERT_EQ(1u, opener.opened.size());
  EXPECT_EQ("http://example.invalid/a b", opener.opened[0]);
  EXPECT_TRUE(opener.run.empty());
  ASSERT_EQ(1u, g_sink.size());
  EXPECT_EQ("hello", g_sink[0].text);
  ::DestroyWindow(sink);
}

// A picture inside a link is drawn with its hot style while the link is hot;
// given only its normal style, it keeps that style then too.
TEST(HtmlLinks, APictureInALinkKeepsItsStyleUnlessGivenAHotOne)
{
  CPixelCanvas canvas(100, 40, kWhite);
  HDC hdc = canvas.dc.GetSafeHdc();
  HBITMAP hbm = MakeBitmap(20, 10, kRed, kGreen);
  CString bmp;
  bmp.Format("0x%llX", (unsigned long long)(UINT_PTR)hbm);
  struct Case { const char* attributes; bool greyCold, greyHot; } cases[] = {
    {"style=g", true, true},
    {"hotstyle=g", false, true},
    {"style=g hotstyle=", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    const CString html = "<a href=\"http://example.invalid/\"><bmp handle=" + bmp + " " + c.attributes + "></a>";
    CPPHtmlDrawer d;
    // Whether every drawn pixel of the picture is grey, drawn as the link is now.
    auto drawnGrey = [&]() {
      canvas.dc.FillSolidRect(0, 0, 100, 40, kWhite);
      d.DrawHtmlInRect(hdc, html, 0, 0, 100, 40);
      const CRect box = InkBox(canvas, CRect(0, 0, 100, 40), kWhite);
      EXPECT_EQ(CSize(20, 10), box.Size());
      int coloured = 0;
      for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
          const COLORREF p = canvas.At(x, y);
          coloured += GetRValue(p) != GetGValue(p) || GetGValue(p) != GetBValue(p);
        }
      return coloured == 0;
    };
    Measure(d, hdc, html);
    EXPECT_EQ(c.greyCold, drawnGrey()) << "the link not hot";
    ASSERT_EQ(1u, d.GetHotAreas().size());
    const RECT r = d.GetHotAreas()[0].rect;
    EXPECT_TRUE(d.OnHotAreaSetCursor({(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    EXPECT_EQ(c.greyHot, drawnGrey()) << "the link hot";
  }
  ::DeleteObject(hbm);
}

// When the shell fails, the registered command gets the link as one quoted
// argument, never as loose words of a command line.
TEST(HtmlLinks, FallbackCommandQuotesTheLink)
{
  struct Case { const char* tmpl; const char* link; const char* want; } cases[] = {
    {"\"C:\\b.exe\" \"%1\"", "http://x/a b", "\"C:\\b.exe\" \"http://x/a b\""},
    {"C:\\b.exe %1 -new", "http://x", "C:\\b.exe \"http://x\" -new"},
    {"C:\\b.exe", "http://x", "C:\\b.exe \"http://x\""},
    {"b.exe %1", "a\" & calc \"", "b.exe \"a\\\" & calc \\\"\""},
    {"b.exe %1", "c:\\dir\\", "b.exe \"c:\\dir\\\\\""},
    {"b.exe %1", "--remote-debugging", ""},
    {"b.exe %1", "a\nb", ""},
    {"", "http://x", ""},
  };
  for (const Case& c : cases)
    EXPECT_STREQ(c.want, CPPHtmlDrawer::BuildLinkCommand(c.tmpl, c.link)) << c.link;

  CRecordingOpener opener;
  opener.shellResult = 2;
  opener.command = "\"C:\\browser.exe\" \"%1\"";
  CPPHtmlDrawer::SetLinkOpener(&opener);
  CPPHtmlDrawer d;
  EXPECT_EQ(33, d.OpenLink("http://x/a b"));
  opener.command.Empty();
  EXPECT_EQ(2, d.OpenLink("http://y"));
  CPPHtmlDrawer::SetLinkOpener(NULL);
  ASSERT_EQ(1u, opener.run.size());
  EXPECT_EQ("\"C:\\browser.exe\" \"http://x/a b\"", opener.run[0]);
}

}  // namespace
