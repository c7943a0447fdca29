// PPHtmlStyles.cpp - CPPHtmlDrawer: the style record, the style sheet, the
// colour table and the readers of lengths, colours and keywords.
#include "PPHtmlDrawer.h"
#include <stdlib.h>
#include <ctype.h>

namespace {

// Lengths from markup are kept within this range, so that sums of many of
// them stay far from overflow.
const int kMaxLength = 32767;

struct NamedColor { const char* name; DWORD rgb; };

// Web colour names, #rrggbb.
const NamedColor kColors[] = {
    {"aqua", 0x00FFFF}, {"black", 0x000000}, {"blue", 0x0000FF}, {"brown", 0xA52A2A},
    {"cyan", 0x00FFFF}, {"gold", 0xFFD700}, {"gray", 0x808080}, {"green", 0x008000},
    {"magenta", 0xFF00FF}, {"maroon", 0x800000}, {"navy", 0x000080}, {"olive", 0x808000},
    {"orange", 0xFFA500}, {"pink", 0xFFC0CB}, {"purple", 0x800080}, {"red", 0xFF0000},
    {"silver", 0xC0C0C0}, {"snow", 0xFFFAFA}, {"violet", 0xEE82EE}, {"white", 0xFFFFFF},
    {"yellow", 0xFFFF00},
    {"aliceblue", 0xF0F8FF}, {"antiquewhite", 0xFAEBD7}, {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF}, {"beige", 0xF5F5DC}, {"bisque", 0xFFE4C4}, {"blanchedalmond", 0xFFEBCD},
    {"blueviolet", 0x8A2BE2}, {"burlywood", 0xDEB887}, {"cadetblue", 0x5F9EA0},
    {"chartreuse", 0x7FFF00}, {"chocolate", 0xD2691E}, {"coral", 0xFF7F50},
    {"cornflowerblue", 0x6495ED}, {"cornsilk", 0xFFF8DC}, {"crimson", 0xDC143C},
    {"darkblue", 0x00008B}, {"darkcyan", 0x008B8B}, {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9}, {"darkgreen", 0x006400}, {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B}, {"darkolivegreen", 0x556B2F}, {"darkorange", 0xFF8C00},
    {"darkorchid", 0x9932CC}, {"darkred", 0x8B0000}, {"darksalmon", 0xE9967A},
    {"darkseagreen", 0x8FBC8B}, {"darkslateblue", 0x483D8B}, {"darkslategray", 0x2F4F4F},
    {"darkturquoise", 0x00CED1}, {"darkviolet", 0x9400D3}, {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF}, {"dimgray", 0x696969}, {"dodgerblue", 0x1E90FF},
    {"firebrick", 0xB22222}, {"floralwhite", 0xFFFAF0}, {"forestgreen", 0x228B22},
    {"fuchsia", 0xFF00FF}, {"gainsboro", 0xDCDCDC}, {"ghostwhite", 0xF8F8FF},
    {"goldenrod", 0xDAA520}, {"greenyellow", 0xADFF2F}, {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4}, {"indianred", 0xCD5C5C}, {"indigo", 0x4B0082}, {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C}, {"lavender", 0xE6E6FA}, {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00}, {"lemonchiffon", 0xFFFACD}, {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080}, {"lightcyan", 0xE0FFFF}, {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgreen", 0x90EE90}, {"lightgrey", 0xD3D3D3}, {"lightpink", 0xFFB6C1},
    {"lightsalmon", 0xFFA07A}, {"lightseagreen", 0x20B2AA}, {"lightskyblue", 0x87CEFA},
    {"lightslategray", 0x778899}, {"lightsteelblue", 0xB0C4DE}, {"lightyellow", 0xFFFFE0},
    {"lime", 0x00FF00}, {"limegreen", 0x32CD32}, {"linen", 0xFAF0E6},
    {"mediumaquamarine", 0x66CDAA}, {"mediumblue", 0x0000CD}, {"mediumorchid", 0xBA55D3},
    {"mediumpurple", 0x9370DB}, {"mediumseagreen", 0x3CB371}, {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A}, {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585}, {"midnightblue", 0x191970}, {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1}, {"moccasin", 0xFFE4B5}, {"navajowhite", 0xFFDEAD},
    {"oldlace", 0xFDF5E6}, {"olivedrab", 0x6B8E23}, {"orangered", 0xFF4500}, {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA}, {"palegreen", 0x98FB98}, {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093}, {"papayawhip", 0xFFEFD5}, {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F}, {"plum", 0xDDA0DD}, {"powderblue", 0xB0E0E6}, {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1}, {"saddlebrown", 0x8B4513}, {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460}, {"seagreen", 0x2E8B57}, {"seashell", 0xFFF5EE}, {"sienna", 0xA0522D},
    {"skyblue", 0x87CEEB}, {"slateblue", 0x6A5ACD}, {"slategray", 0x708090},
    {"springgreen", 0x00FF7F}, {"steelblue", 0x4682B4}, {"tan", 0xD2B48C}, {"teal", 0x008080},
    {"thistle", 0xD8BFD8}, {"tomato", 0xFF6347}, {"turquoise", 0x40E0D0}, {"wheat", 0xF5DEB3},
    {"whitesmoke", 0xF5F5F5}, {"yellowgreen", 0x9ACD32},
};

struct SysColorName { const char* name; int index; };
const SysColorName kSysColors[] = {
    {"activeborder", COLOR_ACTIVEBORDER}, {"activecaption", COLOR_ACTIVECAPTION},
    {"appworkspace", COLOR_APPWORKSPACE}, {"background", COLOR_BACKGROUND},
    {"buttonface", COLOR_BTNFACE}, {"buttonhighlight", COLOR_BTNHIGHLIGHT},
    {"buttonshadow", COLOR_BTNSHADOW}, {"buttontext", COLOR_BTNTEXT},
    {"captiontext", COLOR_CAPTIONTEXT}, {"graytext", COLOR_GRAYTEXT},
    {"highlight", COLOR_HIGHLIGHT}, {"highlighttext", COLOR_HIGHLIGHTTEXT},
    {"inactiveborder", COLOR_INACTIVEBORDER}, {"inactivecaption", COLOR_INACTIVECAPTION},
    {"inactivecaptiontext", COLOR_INACTIVECAPTIONTEXT}, {"infobackground", COLOR_INFOBK},
    {"infotext", COLOR_INFOTEXT}, {"menu", COLOR_MENU}, {"menutext", COLOR_MENUTEXT},
    {"scrollbar", COLOR_SCROLLBAR}, {"threeddarkshadow", COLOR_3DDKSHADOW},
    {"threedface", COLOR_BTNFACE}, {"threedhighlight", COLOR_BTNHIGHLIGHT},
    {"threedlightshadow", COLOR_3DLIGHT}, {"threedshadow", COLOR_BTNSHADOW},
    {"window", COLOR_WINDOW}, {"windowframe", COLOR_WINDOWFRAME}, {"windowtext", COLOR_WINDOWTEXT},
};

const char* const kDefaultCss[] = {
    "body {font-size: 10pt; color:black; font-family:Verdana}",
    "p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}",
    "h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}",
    "h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}",
    "h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}",
    "h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}",
    "h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}",
    "h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}",
    "pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}",
    "code {color:#990000; font-family:Arial}",
    "a:link {text-decoration:none; color:blue}",
    "a:hover {text-decoration:underline; color:blue}",
    "sub {font-size:65%; vertical-align:bottom}",
    "sup {font-size:65%; vertical-align:top}",
    "big {font-size:125%}",
    "small {font-size:75%}",
    ".cpp-comment {color:green; font-style:italic}",
};

bool IsNameStart(char c)
{
    return isalnum((unsigned char)c) || c == '.';
}

std::string Lower(const char* s)
{
    std::string out = s ? s : "";
    for (size_t i = 0; i < out.size(); ++i)
        if (out[i] >= 'A' && out[i] <= 'Z')
            out[i] = (char)(out[i] + 32);
    return out;
}

int ClampLength(long long v)
{
    if (v > kMaxLength)
        return kMaxLength;
    if (v < -kMaxLength)
        return -kMaxLength;
    return (int)v;
}

}  // namespace

// ---------------------------------------------------------------------------
// The style record
// ---------------------------------------------------------------------------

void CPPHtmlDrawer::SetDefaultStyle(HtmlStyleRecord& style)
{
    style.strTag.Empty();
    style.nSizeFont = 16;
    style.nWeightFont = FW_NORMAL;
    style.bItalicFont = FALSE;
    style.bUnderlineFont = FALSE;
    style.bStrikeOutFont = FALSE;
    style.bOverlineFont = FALSE;
    style.sFaceFont = "Verdana";
    style.crText = RGB(0, 0, 0);
    style.crBkgnd = RGB(255, 255, 255);
    style.crBorderLight = RGB(0, 0, 0);
    style.crBorderDark = RGB(0, 0, 0);
    style.crMidBkgnd = RGB(255, 255, 255);
    style.crEndBkgnd = RGB(255, 255, 255);
    style.nBkMode = TRANSPARENT;
    style.nFillBkgnd = -1;
    style.strNameResBk.Empty();
    style.nHorzAlign = HTML_ALIGN_LEFT;
    style.nVertAlign = HTML_VALIGN_BASELINE;
    style.nBorderStyle = PEN_NULL;
    style.nBorderWidth = 0;
    style.nTextTransform = 0;
    style.nMarginLeft = style.nMarginRight = style.nMarginTop = style.nMarginBottom = 2;
    style.nPaddingLeft = style.nPaddingRight = style.nPaddingTop = style.nPaddingBottom = 0;
    style.nTypeLink = HTML_LINK_NONE;
    style.sHyperlink.Empty();
}

// ---------------------------------------------------------------------------
// The style sheet
// ---------------------------------------------------------------------------

void CPPHtmlDrawer::SetCssStyles(LPCTSTR lpszCssString)
{
    m_mapStyles.clear();
    if (lpszCssString == NULL) {
        SetDefaultCssStyles();
        return;
    }
    m_strCssStyles = lpszCssString;
    const std::string css = lpszCssString;
    size_t pos = 0;
    const size_t len = css.size();
    while (pos < len) {
        while (pos < len && !IsNameStart(css[pos]))
            ++pos;
        if (pos >= len)
            break;
        size_t end = css.find_first_of(" {", pos);
        if (end == std::string::npos)
            break;
        std::string selector = css.substr(pos, end - pos);
        size_t open = css.find('{', end);
        if (open == std::string::npos)
            break;
        size_t close = css.find('}', open + 1);
        if (close == std::string::npos)
            break;
        SetTagStyle(selector.c_str(), css.substr(open + 1, close - open - 1).c_str());
        pos = close + 1;
    }
}

// A string that fills the buffer is read again with a larger one.
void CPPHtmlDrawer::SetCssStyles(UINT nIdString, LPCTSTR lpszPathDll)
{
    CString text;
    if (nIdString != 0) {
        HINSTANCE hInst = NULL;
        bool bFree = false;
        if (lpszPathDll && *lpszPathDll) {
            hInst = ::LoadLibraryExA(lpszPathDll, NULL, 0);
            bFree = hInst != NULL;
        } else {
            hInst = AfxGetResourceHandle();
        }
        if (hInst) {
            for (int size = 256; size <= 65536; size += 256) {
                std::vector<char> buf(size);
                int n = ::LoadStringA(hInst, nIdString, &buf[0], size);
                if (n < size - 1) {
                    text = CString(&buf[0], n);
                    break;
                }
            }
        }
        if (bFree)
            ::FreeLibrary(hInst);
    }
    SetCssStyles(text);
}

void CPPHtmlDrawer::SetDefaultCssStyles()
{
    CString css;
    for (size_t i = 0; i < sizeof(kDefaultCss) / sizeof(kDefaultCss[0]); ++i) {
        css += kDefaultCss[i];
        css += "\r\n";
    }
    SetCssStyles(css);
}

void CPPHtmlDrawer::SetTagStyle(LPCTSTR lpszTag, LPCTSTR lpszStyle)
{
    m_mapStyles[Lower(lpszTag)] = lpszStyle ? lpszStyle : "";
}

LPCTSTR CPPHtmlDrawer::GetTagStyle(LPCTSTR lpszTag) const
{
    auto it = m_mapStyles.find(Lower(lpszTag));
    return it == m_mapStyles.end() ? NULL : it->second.c_str();
}

void CPPHtmlDrawer::RemoveTagStyle(LPCTSTR lpszTag)
{
    m_mapStyles.erase(Lower(lpszTag));
}

void CPPHtmlDrawer::ApplyTagStyle(LPCTSTR lpszTag, HtmlStyleRecord& style)
{
    LPCTSTR css = GetTagStyle(lpszTag);
    SetStyleFromCss(css ? css : "", style);
}

void CPPHtmlDrawer::SetStyleFromCss(LPCTSTR lpszCss, HtmlStyleRecord& style)
{
    const std::string css = Lower(lpszCss);
    const size_t len = css.size();
    size_t pos = 0;
    while (pos < len) {
        while (pos < len && !IsNameStart(css[pos]))
            ++pos;
        if (pos >= len)
            break;
        size_t end = css.find_first_of(" :", pos);
        if (end == std::string::npos)
            break;
        const std::string prop = css.substr(pos, end - pos);
        pos = end;
        while (pos < len && css[pos] == ' ')
            ++pos;
        std::string value;
        if (pos < len && css[pos] == ':') {
            ++pos;
            while (pos < len && css[pos] == ' ')
                ++pos;
            if (pos < len && css[pos] == '"') {
                size_t q = css.find('"', pos + 1);
                if (q == std::string::npos) {
                    pos = len;
                } else {
                    value = css.substr(pos + 1, q - pos - 1);
                    pos = q + 1;
                }
            } else {
                size_t semi = css.find(';', pos);
                if (semi == std::string::npos)
                    semi = len;
                value = css.substr(pos, semi - pos);
                pos = semi;
            }
        }
        const CString v(value.c_str());
        if (prop == "font-size") {
            style.nSizeFont = GetLengthUnit(v, style.nSizeFont, TRUE);
        } else if (prop == "font-family") {
            if (!v.IsEmpty())
                style.sFaceFont = v;
        } else if (prop == "font-style") {
            style.bItalicFont = GetStyleFontStyle(v, style.bItalicFont);
        } else if (prop == "font-weight") {
            style.nWeightFont = GetStyleFontWeight(v, style.nWeightFont);
        } else if (prop == "text-align") {
            style.nHorzAlign = GetStyleHorzAlign(v, style.nHorzAlign);
        } else if (prop == "text-transform") {
            style.nTextTransform = GetStyleTextTransform(v, style.nTextTransform);
        } else if (prop == "color") {
            style.crText = GetStyleColor(v, style.crText);
        } else if (prop == "background-color") {
            if (v.IsEmpty() || v == "transparent") {
                style.nBkMode = TRANSPARENT;
            } else {
                style.nBkMode = OPAQUE;
                style.crBkgnd = GetStyleColor(v, style.crBkgnd);
            }
        } else if (prop == "text-decoration") {
            StyleTextDecoration(v, style);
        } else if (prop == "vertical-align") {
            style.nVertAlign = GetStyleVertAlign(v, style.nVertAlign);
        } else if (prop == "border-color") {
            style.crBorderLight = GetStyleColor(v, style.crBorderLight);
            style.crBorderDark = GetStyleColor(v, style.crBorderDark);
        } else if (prop == "border-width" || prop == "size") {
            style.nBorderWidth = GetStyleBorder(v, style.nBorderWidth);
        } else if (prop == "border-style") {
            style.nBorderStyle = GetStyleBorderStyle(v, style.nBorderStyle);
        } else if (prop == "margin-left") {
            style.nMarginLeft = GetLengthUnit(v, style.nMarginLeft);
        } else if (prop == "margin-top") {
            style.nMarginTop = GetLengthUnit(v, style.nMarginTop);
        } else if (prop == "margin-right") {
            style.nMarginRight = GetLengthUnit(v, style.nMarginRight);
        } else if (prop == "margin-bottom") {
            style.nMarginBottom = GetLengthUnit(v, style.nMarginBottom);
        } else if (prop == "padding-left") {
            style.nPaddingLeft = GetLengthUnit(v, style.nPaddingLeft);
        } else if (prop == "padding-top") {
            style.nPaddingTop = GetLengthUnit(v, style.nPaddingTop);
        } else if (prop == "padding-right") {
            style.nPaddingRight = GetLengthUnit(v, style.nPaddingRight);
        } else if (prop == "padding-bottom") {
            style.nPaddingBottom = GetLengthUnit(v, style.nPaddingBottom);
        }
    }
}

// ---------------------------------------------------------------------------
// Colours
// ---------------------------------------------------------------------------

void CPPHtmlDrawer::SetColorName(LPCTSTR lpszColorName, COLORREF color)
{
    m_mapColors[lpszColorName ? lpszColorName : ""] = color;
}

COLORREF CPPHtmlDrawer::GetColorByName(LPCTSTR lpszColorName, COLORREF crDefColor) const
{
    auto it = m_mapColors.find(lpszColorName ? lpszColorName : "");
    return it == m_mapColors.end() ? crDefColor : it->second;
}

COLORREF CPPHtmlDrawer::GetStyleColor(const CString& str, COLORREF crDefault) const
{
    if (str.IsEmpty())
        return crDefault;
    if (str[0] == '#') {
        if (str.GetLength() != 7)
            return crDefault;
        CString bgr = "0x" + str.Mid(5, 2) + str.Mid(3, 2) + str.Mid(1, 2);
        return (COLORREF)strtoul(bgr, NULL, 16);
    }
    if (isdigit((unsigned char)str[0]))
        return (COLORREF)strtoul(str, NULL, 0);
    return GetColorByName(str, crDefault);
}

// ---------------------------------------------------------------------------
// Lengths and keywords
// ---------------------------------------------------------------------------

int CPPHtmlDrawer::GetLengthUnit(const CString& strIn, int nDefault, BOOL bFont)
{
    if (strIn.IsEmpty())
        return nDefault;
    CString str = strIn;
    const int len = str.GetLength();
    if (str[len - 1] == '%') {
        int n = atoi(str.Left(len - 1));
        return ClampLength(::MulDiv(nDefault, n, 100));
    }
    if (str[0] == '+' || str[0] == '-')
        str = str.Mid(1);
    const CString unit = str.GetLength() >= 2 ? str.Right(2) : CString();
    const long long number = str.GetLength() >= 2 ? atoi(str.Left(str.GetLength() - 2)) : 0;
    if (unit == "px")
        return ClampLength(number);
    if (unit == "ex") {
        SIZE sz = {0, 0};
        if (m_hDC)
            ::GetTextExtentPoint32A(m_hDC, "x", 1, &sz);
        return ClampLength(number * sz.cy);
    }
    if (unit == "em")
        return ClampLength(number * (m_hDC ? m_tm.tmHeight : 16));
    const int dpi = m_hDC ? ::GetDeviceCaps(m_hDC, LOGPIXELSY) : 96;
    const long long v = number * dpi;
    if (unit == "in")
        return ClampLength(v);
    if (unit == "cm")
        return ClampLength((long long)(v / 2.54));
    if (unit == "mm")
        return ClampLength((long long)(v / 25.4));
    if (unit == "pt")
        return ClampLength(v / 72);
    if (unit == "pc")
        return ClampLength(v / 6);
    unsigned long n = strtoul(str, NULL, 0);
    if (bFont && n >= 1 && n <= 7) {
        static const int kHtmlSizes[7] = {8, 10, 12, 14, 18, 24, 36};
        return kHtmlSizes[n - 1];
    }
    return ClampLength((long long)n);
}

int CPPHtmlDrawer::GetStyleFontStyle(const CString& str, int nDefault)
{
    if (str.IsEmpty() || str == "normal")
        return FALSE;
    if (str == "italic" || str == "oblique")
        return TRUE;
    return nDefault;
}

int CPPHtmlDrawer::GetStyleFontWeight(const CString& str, int /*nDefault*/)
{
    if (str.IsEmpty() || str == "normal")
        return FW_NORMAL;
    if (str == "bold")
        return FW_BOLD;
    if (str == "bolder")
        return 900;
    if (str == "lighter")
        return 100;
    return atoi(str);
}

int CPPHtmlDrawer::GetStyleHorzAlign(const CString& str, int nDefault)
{
    if (str.IsEmpty() || str == "left")
        return HTML_ALIGN_LEFT;
    if (str == "center")
        return HTML_ALIGN_CENTER;
    if (str == "right")
        return HTML_ALIGN_RIGHT;
    return nDefault;
}

int CPPHtmlDrawer::GetStyleVertAlign(const CString& str, int nDefault)
{
    if (str.IsEmpty() || str == "baseline")
        return HTML_VALIGN_BASELINE;
    if (str == "middle" || str == "vcenter")
        return HTML_VALIGN_MIDDLE;
    if (str == "top")
        return HTML_VALIGN_TOP;
    if (str == "bottom")
        return HTML_VALIGN_BOTTOM;
    return nDefault;
}

int CPPHtmlDrawer::GetStyleTextTransform(const CString& str, int nDefault)
{
    if (str.IsEmpty() || str == "none")
        return 0;
    if (str == "uppercase")
        return 1;
    if (str == "lowercase")
        return 2;
    if (str == "capitalize")
        return 3;
    return nDefault;
}

int CPPHtmlDrawer::GetStyleBorder(const CString& str, int nDefault)
{
    if (str == "thin")
        return ::MulDiv(nDefault, 75, 100);
    if (str == "thick")
        return ::MulDiv(nDefault, 125, 100);
    if (str == "medium")
        return nDefault;
    return GetLengthUnit(str, nDefault);
}

int CPPHtmlDrawer::GetStyleBorderStyle(const CString& str, int nDefault)
{
    if (str.IsEmpty() || str == "none")
        return PEN_NULL;
    if (str == "solid")
        return PEN_SOLID;
    if (str == "dotted")
        return PEN_DOT;
    if (str == "dashed")
        return PEN_DASH;
    if (str == "double")
        return PEN_DOUBLE;
    return nDefault;
}

// Words only set flags; "none" clears all three lines.
void CPPHtmlDrawer::StyleTextDecoration(const CString& str, HtmlStyleRecord& style)
{
    std::string s = str.IsEmpty() ? "none" : (LPCSTR)str;
    size_t pos = 0;
    while (pos < s.size()) {
        size_t end = s.find_first_of(" ,", pos);
        if (end == std::string::npos)
            end = s.size();
        const std::string word = s.substr(pos, end - pos);
        if (word == "none") {
            style.bUnderlineFont = style.bStrikeOutFont = style.bOverlineFont = FALSE;
        } else if (word == "underline") {
            style.bUnderlineFont = TRUE;
        } else if (word == "line-through") {
            style.bStrikeOutFont = TRUE;
        } else if (word == "overline") {
            style.bOverlineFont = TRUE;
        }
        pos = end + 1;
    }
}

int CPPHtmlDrawer::StyleBkgndEffect(const CString& str, int nDefault)
{
    static const char* const kNames[] = {
        "solid", "hgradient", "vgradient", "hcgradient", "vcgradient", "3hgradient",
        "3vgradient", "noise", "diagshade", "hshade", "vshade", "hbump", "vbump",
        "softbump", "hardbump", "metal"};
    if (str.IsEmpty())
        return nDefault;
    if (str == "transparent")
        return -1;
    for (int i = 0; i < 16; ++i)
        if (str == kNames[i])
            return i;
    return GetLengthUnit(str, nDefault);
}

// ---------------------------------------------------------------------------
// The colour table (filled once by the constructor)
// ---------------------------------------------------------------------------

void FillHtmlColorTable(CPPHtmlDrawer& drawer);
void FillHtmlColorTable(CPPHtmlDrawer& drawer)
{
    for (size_t i = 0; i < sizeof(kColors) / sizeof(kColors[0]); ++i) {
        const DWORD rgb = kColors[i].rgb;
        drawer.SetColorName(kColors[i].name, RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    }
    for (size_t i = 0; i < sizeof(kSysColors) / sizeof(kSysColors[0]); ++i)
        drawer.SetColorName(kSysColors[i].name, ::GetSysColor(kSysColors[i].index));
}
