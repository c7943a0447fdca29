// tooltip_bench: what drawing a rich tip costs. The HTML drawer lays out and
// draws into a 32-bit memory DIB (as the tip paints into its memory DCs):
//
//   1. a typical tip: a heading, a few lines with bold and italic, a table
//      with an icon and a spanning, coloured cell;
//   2. a markup of 10,000 characters: text, styles, line breaks, fonts and
//      small tables, over and over.
//
// Each figure is printed beside a floor from the same run: the platform's own
// DrawText measuring and drawing the same text without its tags.
// Run it from the optimised build under Wine (scripts/wine-env.sh).
#include <afxwin.h>
#include <stdio.h>
#include <chrono>
#include <string>
#include "PPHtmlDrawer.h"

namespace {

class CBenchApp : public CWinApp {
 public:
  CBenchApp() : CWinApp("PellucorTooltipBench") {}
};

CBenchApp theBenchApp;

// Milliseconds on the steady clock.
double Now()
{
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The text of a markup without its tags ("<<" stays one "<").
std::string PlainText(const std::string& html)
{
  std::string out;
  for (size_t i = 0; i < html.size(); ++i) {
    if (html[i] == '<') {
      if (i + 1 < html.size() && html[i + 1] == '<') {
        out += '<';
        ++i;
        continue;
      }
      size_t gt = html.find('>', i);
      if (gt == std::string::npos)
        break;
      if (html.compare(i, 3, "<br") == 0 || html.compare(i, 4, "</tr") == 0)
        out += '\n';
      i = gt;
      continue;
    }
    out += html[i];
  }
  return out;
}

std::string LongMarkup(size_t length)
{
  static const char* const kChunks[] = {
    "Keyword research gathers the phrases people search for. ",
    "<b>Bold words</b> and <i>italic words</i> and <u>underlined</u> ones. ",
    "<br>",
    "<font color=navy size=4>A larger navy line</font><br>",
    "<table border=1><tr><td>phrase</td><td>1234</td></tr><tr><td colspan=2>total</td></tr></table>",
    "<center>centred text</center><br>",
    "<span class=cpp-comment>a comment</span>\t<code>code</code><br>",
  };
  std::string s;
  for (size_t i = 0; s.size() < length; ++i)
    s += kChunks[i % (sizeof(kChunks) / sizeof(kChunks[0]))];
  s.resize(length);
  // A cut tag at the very end would swallow nothing but itself; keep it whole.
  size_t lt = s.rfind('<');
  if (lt != std::string::npos && s.find('>', lt) == std::string::npos)
    s.resize(lt);
  return s;
}

struct Canvas {
  HDC hdc;
  HBITMAP bmp;
  HGDIOBJ old;
  Canvas(int cx, int cy)
  {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    hdc = ::CreateCompatibleDC(NULL);
    bmp = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    old = ::SelectObject(hdc, bmp);
    ::PatBlt(hdc, 0, 0, cx, cy, WHITENESS);
  }
  ~Canvas()
  {
    ::SelectObject(hdc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(hdc);
  }
};

// Mean milliseconds of one layout-and-draw of the markup, and of the floor.
void Run(const char* name, const std::string& html, int cx, int cy, int repeats, double budgetMs)
{
  Canvas canvas(cx, cy);
  CPPHtmlDrawer drawer;
  SIZE sz = {};
  drawer.MeasureHtml(&sz, canvas.hdc, html.c_str());   // warm the font cache
  double start = Now();
  for (int i = 0; i < repeats; ++i) {
    drawer.MeasureHtml(&sz, canvas.hdc, html.c_str());
    drawer.DrawHtmlInRect(canvas.hdc, html.c_str(), 0, 0, sz.cx, sz.cy);
  }
  const double html_ms = (Now() - start) / repeats;

  const std::string plain = PlainText(html);
  LOGFONTA lf = {};
  lf.lfHeight = 13;
  lstrcpyA(lf.lfFaceName, "Verdana");
  HFONT font = ::CreateFontIndirectA(&lf);
  HGDIOBJ oldFont = ::SelectObject(canvas.hdc, font);
  start = Now();
  for (int i = 0; i < repeats; ++i) {
    RECT rc = {0, 0, 0, 0};
    ::DrawTextA(canvas.hdc, plain.c_str(), (int)plain.size(), &rc, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    ::DrawTextA(canvas.hdc, plain.c_str(), (int)plain.size(), &rc, DT_NOPREFIX | DT_EXPANDTABS);
  }
  const double floor_ms = (Now() - start) / repeats;
  ::SelectObject(canvas.hdc, oldFont);
  ::DeleteObject(font);

  printf("%-34s %6zu chars  %4ld x %-5ld  html %8.3f ms   floor (DrawText, plain) %8.3f ms   x%.1f   budget %.0f ms: %s\n",
         name, html.size(), (long)sz.cx, (long)sz.cy, html_ms, floor_ms, floor_ms > 0 ? html_ms / floor_ms : 0.0,
         budgetMs, html_ms < budgetMs ? "ok" : "OVER");
}

}  // namespace

int main()
{
  if (!AfxWinInit(GetModuleHandleA(NULL), NULL, GetCommandLineA(), SW_SHOWNORMAL)) {
    printf("the application did not start\n");
    return 1;
  }
  HICON icon = ::LoadIcon(NULL, IDI_INFORMATION);
  char handle[32];
  snprintf(handle, sizeof(handle), "0x%llX", (unsigned long long)(UINT_PTR)icon);
  const std::string typical =
      std::string("<h2>Export</h2><br>Writes the Basket to a file in the chosen format.<br>"
                  "Use <b>Copy</b> for the clipboard, <i>Export</i> for a file.<br>"
                  "<table border=1><tr><td><icon handle=") + handle +
      "></td><td>Eight formats:<br>HTML, text, CSV, Excel</td></tr>"
      "<tr><td colspan=2 bgcolor=lightyellow>Ctrl+E</td></tr></table>";
  printf("tooltip_bench: layout and drawing of the HTML drawer on a 32-bit memory DIB\n");
  Run("typical tip (lines, table, icon)", typical, 400, 300, 2000, 1.0);
  Run("10,000-character markup", LongMarkup(10000), 2000, 6000, 20, 50.0);
  return 0;
}
