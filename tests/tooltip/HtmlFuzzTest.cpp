// A bounded fuzz run of the HTML drawer: tens of thousands of random and
// mutated markups, measured and drawn into a memory DC. Every record the
// drawer reads is bounds-checked, so a run must end with no fault and no call
// that takes long enough to suggest an endless loop. The seed is fixed: a
// failure prints the iteration and its markup, and reproduces.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include "PPHtmlDrawer.h"
#include "testdrawing.h"

namespace {

const char* const kSeeds[] = {
  "<table border=1 width=80%><tr><td colspan=2 bgcolor=yellow>Head</td></tr>"
  "<tr><td rowspan=2>a</td><td>b</td></tr><tr><td>c</td></tr></table>",
  "<b>bold <i>both</b> italic</i><u>under<s>strike</s></u><br=2>next\tcol<t=3>x",
  "<table><tr><td><table border=2 bgeffect=hgradient bgcolor=red bgendcolor=blue><tr><td>in</td>"
  "</tr></table></td><td valign=bottom>out</td></tr></table>",
  "<h1>Title</h1><h6>small</h6><code>code</code><pre>pre</pre><big>B</big><small>s</small><sub>1</sub><sup>2</sup>",
  "<font face=Arial size=5 color=#ff0000 style=+b-i+o weight=bolder bkgnd=navy>font</font>",
  "<center>c</center><right>r</right><left>l</left><top>t</top><middle>m</middle><bottom>b</bottom>",
  "<hr width=50% size=3 color=green><hr><hr width=120>",
  "<a href=\"http://example.invalid\">link</a> <a msg=\"m\">msg</a> <span class=cpp-comment>c</span>",
  "<<not a tag &amp; &lt; entities stay><br>\r\nline",
  "<bmp handle=0x1234><icon handle=0x5678 cx=16 cy=16><ilst index=3><bmp idres=7 width=200%>",
  "<table cellpadding=4 cellspacing=3 bordercolorlight=white bordercolordark=black borderstyle=double border=3>"
  "<tr><td align=center>x</td><td width=30>y</td></tr><tr><td colspan=5>z</td></tr></table>",
  "<table background=\"idres:5\"><tr><td bgeffect=noise>n</td><td bgeffect=metal>m</td><td bgeffect=hardbump>h</td></tr></table>",
};

const char* const kFragments[] = {
  "<table>", "<table", "</table>", "<tr>", "</tr>", "<td>", "</td>", "<td colspan=", "<td rowspan=",
  " rowspan=99999", " colspan=0", " colspan=-7", "<table width=", "%", "<b>", "</b>", "<i>", "</i>",
  "<u>", "</u>", "<s>", "</s>", "<<", "<", ">", "\t", "\n", "\r", "<br>", "<br=99999>", "<t=4000>",
  "<font size=9999>", "<font size=0>", "<font size=-50%>", "</font>", "<hr width=", "<hr>", "\"", "=",
  " ", "<a href=x>", "</a>", "<a msg=\"", "<span class=", "</span>", "<icon ", "<bmp ", "<ilst index=",
  " bgeffect=metal", " bgeffect=noise", " bgeffect=99", " bgcolor=red", " border=", " border=300",
  " cellpadding=20000", " width=32767", "<h1>", "</h1>", "<center>", "</center>", "<right>", "<string idres=",
  " handle=0x", " style=gsdl", " hotstyle=s", " mask=#ff00ff", "x", "Hello world", "0", "1", "7", "100",
  "-", "px", "pt", "em", "ex", "in", "cm", "mm", "pc", "\xC0\xFF", "<body>", "</body>", "<sub>", "<sup>",
};

const char* const kSheets[] = {
  NULL,
  "",
  "body {font-size: 40pt} td {margin-left:300; padding-top: -5px} table {border-width:thick; border-style:double}",
  "a:hover {font-size: 200%} hr {size: 9} .x {color:#zzzzzz} broken {",
  "body {font-family:\"unterminated; color: 99999999999}",
};

class CFuzzer
{
public:
  explicit CFuzzer(unsigned seed) : m_rng(seed) {}

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

  std::string Fragment() { return kFragments[Int(0, sizeof(kFragments) / sizeof(kFragments[0]) - 1)]; }

  std::string Random()
  {
    std::string s;
    const int n = Int(0, 60);
    for (int i = 0; i < n; ++i)
      s += Int(0, 4) ? Fragment() : std::string(1, (char)Int(1, 255));
    return s;
  }

  std::string Mutate(std::string s)
  {
    const int rounds = Int(1, 8);
    for (int r = 0; r < rounds; ++r) {
      const size_t len = s.size();
      const size_t at = len ? (size_t)Int(0, (int)len) : 0;
      switch (Int(0, 6)) {
      case 0:
        s.insert(at, Fragment());
        break;
      case 1:
        if (len)
          s.erase(at, (size_t)Int(1, 20));
        break;
      case 2:
        if (len) {
          size_t from = (size_t)Int(0, (int)len - 1);
          s.insert(at, s.substr(from, (size_t)Int(1, 40)));
        }
        break;
      case 3:
        if (len)
          s[std::min(at, len - 1)] = (char)Int(1, 255);
        break;
      case 4:
        s.resize(at);
        break;
      case 5:
        s.insert(at, std::to_string(Int(-100000, 100000)));
        break;
      default:
        s.insert(at, Random());
        break;
      }
      if (s.size() > 2000)
        s.resize(2000);
    }
    return s;
  }

  std::string Next()
  {
    if (Int(0, 3) == 0)
      return Random();
    const std::string seed = kSeeds[Int(0, sizeof(kSeeds) / sizeof(kSeeds[0]) - 1)];
    return Mutate(Int(0, 2) ? seed : seed + kSeeds[Int(0, sizeof(kSeeds) / sizeof(kSeeds[0]) - 1)]);
  }

private:
  std::mt19937 m_rng;
};

TEST(HtmlFuzz, RandomAndMutatedMarkupMeasuresAndDrawsWithinBounds)
{
  const int kIterations = 20000;
  CFuzzer fuzz(20261210u);
  CPixelCanvas canvas(240, 120);
  HDC hdc = canvas.dc.GetSafeHdc();
  CPPHtmlDrawer drawer;
  HBITMAP strip = CreateDib32(64, 16);
  drawer.SetImageList(strip, 16, 16, 4);
  DWORD worst = 0;
  int worstIteration = -1;
  std::string previous;
  for (int i = 0; i < kIterations; ++i) {
    const std::string html = fuzz.Next();
    if (fuzz.Int(0, 200) == 0)
      drawer.SetCssStyles(kSheets[fuzz.Int(0, sizeof(kSheets) / sizeof(kSheets[0]) - 1)]);
    drawer.EnableEscapeSequences(fuzz.Int(0, 5) != 0);
    const DWORD start = ::GetTickCount();
    SIZE sz = {};
    drawer.MeasureHtml(&sz, hdc, html.c_str());
    ASSERT_GE(sz.cx, 2) << "iteration " << i << ": " << html;
    ASSERT_GE(sz.cy, 2) << "iteration " << i << ": " << html;
    // Usually the text just measured; sometimes the one before it, as a
    // paint during a fade-out can do.
    const std::string& drawn = fuzz.Int(0, 9) == 0 && !previous.empty() ? previous : html;
    drawer.DrawHtmlInRect(hdc, drawn.c_str(), fuzz.Int(-20, 20), fuzz.Int(-20, 20), fuzz.Int(0, 260),
                          fuzz.Int(0, 140));
    POINT pt = {fuzz.Int(0, 240), fuzz.Int(0, 120)};
    drawer.OnHotAreaSetCursor(pt);
    const DWORD elapsed = ::GetTickCount() - start;
    if (elapsed > worst) {
      worst = elapsed;
      worstIteration = i;
    }
    ASSERT_LT(elapsed, 3000u) << "iteration " << i << " took too long: " << html;
    previous = html;
  }
  ::DeleteObject(strip);
  printf("fuzz: %d markups, slowest %lu ms (iteration %d)\n", kIterations, (unsigned long)worst, worstIteration);
}

// The same markup always measures the same, however often it is drawn between.
TEST(HtmlFuzz, MeasuringIsRepeatable)
{
  CFuzzer fuzz(7u);
  CPixelCanvas canvas(240, 120);
  HDC hdc = canvas.dc.GetSafeHdc();
  CPPHtmlDrawer drawer;
  for (int i = 0; i < 500; ++i) {
    const std::string html = fuzz.Next();
    SIZE a = {}, b = {};
    drawer.MeasureHtml(&a, hdc, html.c_str());
    drawer.DrawHtmlInRect(hdc, html.c_str(), 0, 0, 240, 120);
    drawer.MeasureHtml(&b, hdc, html.c_str());
    ASSERT_EQ(a.cx, b.cx) << html;
    ASSERT_EQ(a.cy, b.cy) << html;
  }
}

}  // namespace
