// PPHtmlDrawer.cpp - CPPHtmlDrawer: the drawing calls, the tokenizer, the tag
// set, the style stack, line building, alignment and tab stops.
#include "PPHtmlDrawer.h"
#include <stdlib.h>
#include <stdio.h>
#include <string.h>
#include <algorithm>

void FillHtmlColorTable(CPPHtmlDrawer& drawer);

namespace {

// Bounds on what markup can ask for: counts of line breaks and tab stops, the
// depth of open tags, the number of recorded links and cached fonts, and the
// range of the pen position.
const int kMaxRepeat = 1000;
const size_t kMaxStyleStack = 4096;
const size_t kMaxHotAreas = 4096;
const size_t kMaxFonts = 128;
const int kMaxCoord = 1 << 28;

int ClampCoord(long long v)
{
    if (v > kMaxCoord)
        return kMaxCoord;
    if (v < -kMaxCoord)
        return -kMaxCoord;
    return (int)v;
}

bool IsNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.';
}

}  // namespace

CPPHtmlDrawer::CPPHtmlDrawer()
    : m_hRedrawWnd(NULL), m_nRedrawMsg(0), m_lRedrawParam(0),
      m_hLinkWnd(NULL), m_nLinkMsg(0), m_lLinkParam(0),
      m_nLineAscent(0), m_nLineTop(0),
      m_hImageList(NULL), m_szImageList_cx(0), m_szImageList_cy(0),
      m_hResInst(NULL), m_bFreeResInst(FALSE), m_hLinkCursor(NULL),
      m_hDC(NULL), m_hOldFont(NULL), m_nOldBkMode(TRANSPARENT), m_crOldText(0), m_crOldBk(0),
      m_hCurFont(NULL),
      m_nMaxWidth(0), m_nTotalHeight(0), m_nCurLine(0), m_nCurTable(-1),
      m_nCurIndexLink(-1), m_nCurrentHotId(-2), m_nPieceMaxWidth(0),
      m_bEnableEscapeSequences(TRUE), m_x(0), m_y(0),
      m_bGradientShadow(TRUE), m_nShadowOffsetX(4), m_nShadowOffsetY(4),
      m_nShadowDepthX(7), m_nShadowDepthY(7), m_nShadowDarkness(50),
      m_bMeasured(false)
{
    memset(&m_line, 0, sizeof(m_line));
    memset(&m_tm, 0, sizeof(m_tm));
    ::SetRectEmpty(&m_rcOutput);
    const BYTE grey = (BYTE)::MulDiv(255, 100 - m_nShadowDarkness, 100);
    m_crShadow = RGB(grey, grey, grey);
    SetDefaultStyle(m_defStyle);
    SetHyperlinkCursor(NULL);
    FillHtmlColorTable(*this);
    SetDefaultCssStyles();
}

CPPHtmlDrawer::~CPPHtmlDrawer()
{
    if (m_bFreeResInst && m_hResInst)
        ::FreeLibrary(m_hResInst);
    if (m_hLinkCursor)
        ::DestroyCursor(m_hLinkCursor);
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
    ReleaseFonts(true);
}

// ---------------------------------------------------------------------------
// Drawing calls
// ---------------------------------------------------------------------------

// A drawing pass reads the records of the measuring pass. When the text
// differs from the one measured last, it is measured first, so that the
// records always belong to the text being drawn.
void CPPHtmlDrawer::DrawHtml(LPSIZE lpSize, HDC hDC, LPCTSTR lpszHtml, LPCRECT lpRect, BOOL bMeasureOnly)
{
    if (lpSize)
        lpSize->cx = lpSize->cy = 0;
    if (!hDC)
        return;
    const std::string text = lpszHtml ? lpszHtml : "";
    RECT rc = {0, 0, 0, 0};
    if (lpRect)
        rc = *lpRect;
    const bool bMeasure = bMeasureOnly != FALSE;
    if (!bMeasure && (!m_bMeasured || text != m_sMeasuredText)) {
        SIZE ignored;
        DrawHtml(&ignored, hDC, lpszHtml, NULL, TRUE);
    }

    m_hDC = hDC;
    if (bMeasure) {
        m_arrTables.clear();
        m_arrLines.clear();
        m_sMeasuredText = text;
        m_bMeasured = true;
    }
    m_arrHotAreas.clear();
    m_nCurLine = 0;
    m_nCurTable = -1;
    m_nCurIndexLink = -1;
    m_arrStack.clear();
    SetDefaultStyle(m_defStyle);
    ApplyTagStyle("body", m_defStyle);

    m_hOldFont = (HFONT)::GetCurrentObject(hDC, OBJ_FONT);
    m_nOldBkMode = ::GetBkMode(hDC);
    m_crOldText = ::GetTextColor(hDC);
    m_crOldBk = ::GetBkColor(hDC);
    SelectStyleFont();

    SIZE sz = LayoutPieces(text, 0, text.size(), rc, bMeasure, 0);
    m_nMaxWidth = sz.cx;
    m_nTotalHeight = sz.cy;

    ::SelectObject(hDC, m_hOldFont);
    ::SetBkMode(hDC, m_nOldBkMode);
    ::SetTextColor(hDC, m_crOldText);
    ::SetBkColor(hDC, m_crOldBk);
    m_hCurFont = NULL;
    m_arrStack.clear();
    m_hDC = NULL;
    if (lpSize) {
        lpSize->cx = sz.cx + 1;
        lpSize->cy = sz.cy + 1;
    }
}

void CPPHtmlDrawer::MeasureHtml(LPSIZE lpSize, HDC hDC, LPCTSTR lpszHtml)
{
    RECT rc = {0, 0, 0, 0};
    SIZE sz = {0, 0};
    DrawHtml(&sz, hDC, lpszHtml, &rc, TRUE);
    if (lpSize) {
        lpSize->cx = sz.cx + 1;
        lpSize->cy = sz.cy + 1;
    }
}

CSize CPPHtmlDrawer::DrawHtmlInRect(HDC hDC, LPCTSTR lpszHtml, int left, int top, int right, int bottom)
{
    RECT rc = {left, top, right - 1, bottom - 1};
    SIZE sz = {0, 0};
    DrawHtml(&sz, hDC, lpszHtml, &rc, FALSE);
    return CSize(sz.cx, sz.cy);
}

void CPPHtmlDrawer::DrawHtmlAt(HDC hDC, LPCTSTR lpszHtml, int x, int y)
{
    RECT rc = {0, 0, 0, 0};
    SIZE sz = {0, 0};
    DrawHtml(&sz, hDC, lpszHtml, &rc, TRUE);
    if (sz.cx + 1 != 0 && sz.cy + 1 != 0)
        DrawHtmlInRect(hDC, lpszHtml, x, y, x + sz.cx + 1, y + sz.cy + 1);
}

// Text up to each table goes to the tag parser, each table to the table
// layout; the results stack vertically.
SIZE CPPHtmlDrawer::LayoutPieces(const std::string& text, size_t begin, size_t end, const RECT& rect,
                                 bool bMeasure, int nDepth)
{
    SIZE total = {0, 0};
    RECT rc = rect;
    size_t pos = begin;
    while (pos < end) {
        // The next tag named "table" (an escaped "<<" is text).
        size_t table = end;
        for (size_t p = pos; p < end;) {
            size_t lt = text.find('<', p);
            if (lt == std::string::npos || lt >= end)
                break;
            if (lt + 1 < end && text[lt + 1] == '<') {
                p = lt + 2;
                continue;
            }
            if (text.compare(lt + 1, 5, "table") == 0 &&
                (lt + 6 >= end || text[lt + 6] == ' ' || text[lt + 6] == '>' || text[lt + 6] == '=')) {
                table = lt;
                break;
            }
            size_t gt = text.find('>', lt + 1);
            p = (gt == std::string::npos || gt >= end) ? end : gt + 1;
        }
        if (table > pos) {
            SIZE sz = ParseHtml(text.substr(pos, table - pos), rc, bMeasure);
            total.cx = std::max(total.cx, sz.cx);
            total.cy = ClampCoord((long long)total.cy + sz.cy);
            if (!bMeasure)
                rc.top = ClampCoord((long long)rc.top + sz.cy);
        }
        if (table >= end)
            break;
        size_t tableEnd = std::min(SearchEndOfTable(text, table), end);
        SIZE sz = DrawHtmlTable(text.substr(table, tableEnd - table), rc, bMeasure, nDepth + 1);
        total.cx = std::max(total.cx, sz.cx);
        total.cy = ClampCoord((long long)total.cy + sz.cy);
        if (!bMeasure)
            rc.top = ClampCoord((long long)rc.top + sz.cy);
        pos = tableEnd;
    }
    return total;
}

// ---------------------------------------------------------------------------
// The tag parser
// ---------------------------------------------------------------------------

SIZE CPPHtmlDrawer::ParseHtml(const std::string& piece, const RECT& rect, bool bMeasure)
{
    const std::string text = "<body>" + piece + "</body>";
    m_rcOutput = rect;
    m_nPieceMaxWidth = 0;
    m_x = rect.left;
    m_y = rect.top;
    const int firstLine = m_nCurLine;
    BeginLine(bMeasure);
    size_t pos = 0;
    std::string run, tag;
    while (pos < text.size()) {
        bool bHasTag = false;
        ReadToken(text, pos, text.size(), run, tag, bHasTag, m_bEnableEscapeSequences != FALSE);
        if (!run.empty())
            PlaceText(run, bMeasure, true);
        if (bHasTag)
            HandleTag(tag, bMeasure);
    }
    NewLine(1, bMeasure);
    SIZE sz;
    sz.cy = ClampCoord((long long)m_y - rect.top);
    sz.cx = m_nPieceMaxWidth;
    // Lines holding rules of a percentage take that share of the widest line.
    for (int i = firstLine; i < m_nCurLine && i < (int)m_arrLines.size(); ++i) {
        const LineRecord& line = m_arrLines[i];
        if (line.nPercent != 0)
            sz.cx = std::max<LONG>(sz.cx, ::MulDiv(line.nPercent, m_nPieceMaxWidth, 100) + line.nWidth);
    }
    return sz;
}

// A run of text and, after it, one tag (or a tab, line feed or carriage
// return when escape sequences are on). "<<" is a literal "<".
bool CPPHtmlDrawer::ReadToken(const std::string& text, size_t& pos, size_t end, std::string& run,
                              std::string& tag, bool& bHasTag, bool bEscapes)
{
    run.clear();
    tag.clear();
    bHasTag = false;
    while (pos < end) {
        size_t stop = text.find_first_of("<\t\n\r", pos);
        if (stop == std::string::npos || stop >= end)
            stop = end;
        run.append(text, pos, stop - pos);
        pos = stop;
        if (pos >= end)
            break;
        const char c = text[pos];
        if (c == '<') {
            if (pos + 1 < end && text[pos + 1] == '<') {
                run += '<';
                pos += 2;
                continue;
            }
            size_t gt = text.find('>', pos + 1);
            if (gt == std::string::npos || gt >= end) {
                tag.assign(text, pos + 1, end - pos - 1);
                pos = end;
            } else {
                tag.assign(text, pos + 1, gt - pos - 1);
                pos = gt + 1;
            }
            bHasTag = true;
            return true;
        }
        ++pos;
        if (bEscapes) {
            tag.assign(1, c);
            bHasTag = true;
            return true;
        }
    }
    return !run.empty();
}

void CPPHtmlDrawer::ToLower(std::string& s)
{
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] >= 'A' && s[i] <= 'Z')
            s[i] = (char)(s[i] + 32);
}

// The tag's first word, ending at a space or "=".
std::string CPPHtmlDrawer::TagName(const std::string& tag, size_t& pos)
{
    size_t end = tag.find_first_of(" =", 0);
    if (end == std::string::npos)
        end = tag.size();
    pos = end;
    return tag.substr(0, end);
}

// name[=value]: a quoted value runs to its closing quote (an unclosed one
// gives an empty value), another value to the next space.
bool CPPHtmlDrawer::NextAttribute(const std::string& tag, size_t& pos, std::string& name, std::string& value)
{
    const size_t len = tag.size();
    while (pos < len && !IsNameStart(tag[pos]))
        ++pos;
    if (pos >= len)
        return false;
    size_t end = tag.find_first_of(" =", pos);
    if (end == std::string::npos)
        end = len;
    name = tag.substr(pos, end - pos);
    value.clear();
    pos = end;
    size_t p = pos;
    while (p < len && tag[p] == ' ')
        ++p;
    if (p < len && tag[p] == '=') {
        ++p;
        while (p < len && tag[p] == ' ')
            ++p;
        if (p < len && tag[p] == '"') {
            size_t q = tag.find('"', p + 1);
            if (q == std::string::npos) {
                pos = len;
            } else {
                value = tag.substr(p + 1, q - p - 1);
                pos = q + 1;
            }
        } else {
            size_t sp = tag.find(' ', p);
            if (sp == std::string::npos)
                sp = len;
            value = tag.substr(p, sp - p);
            pos = sp;
        }
    }
    return true;
}

void CPPHtmlDrawer::HandleTag(const std::string& rawTag, bool bMeasure)
{
    std::string tag = rawTag;
    ToLower(tag);
    m_defStyle.strTag.Empty();
    size_t pos = 0;
    std::string name = TagName(tag, pos);
    if (name.empty())
        return;
    const bool bClose = name[0] == '/';
    if (bClose)
        name.erase(0, 1);
    bool bStyleChanged = false;

    // Tags that push a style under a name and change it when opened.
    const char* pushName = NULL;
    if (name == "b")
        pushName = "bold";
    else if (name == "i" || name == "em")
        pushName = "italic";
    else if (name == "u")
        pushName = "underline";
    else if (name == "s" || name == "strike")
        pushName = "strikeout";
    else if (name == "font")
        pushName = "font";
    else if (name == "a")
        pushName = "link";
    else if (name == "middle")
        name = "vcenter";

    if (name == "br" || name == "\n" || name == "t" || name == "\t") {
        if (bClose)
            return;
        int count = 1;
        if (name.size() == 2 || name == "t") {
            if (pos < tag.size() && tag[pos] == '=')
                count = atoi(tag.c_str() + pos + 1);
        }
        if (name == "br" || name == "\n") {
            m_defStyle.strTag = "new_line";
            NewLine(count, bMeasure);
        } else {
            m_defStyle.strTag = "tab";
            Tabulation(count);
        }
        return;
    }
    if (name == "hr") {
        if (!bClose)
            DrawHorzLine(tag, bMeasure);
        return;
    }
    if (name == "bmp" || name == "icon" || name == "ilst") {
        if (!bClose)
            DrawPicture(name, tag, bMeasure);
        return;
    }
    if (name == "string") {
        if (!bClose)
            DrawResourceString(tag, bMeasure);
        return;
    }

    if (pushName) {
        if (bClose) {
            bStyleChanged = PopStyle(pushName);
        } else if (m_arrStack.size() < kMaxStyleStack) {
            PushStyle(pushName);
            bStyleChanged = true;
            HtmlStyleRecord& st = m_defStyle;
            if (name == "b") {
                st.nWeightFont = std::min(st.nWeightFont * 2, 900);
            } else if (name == "i" || name == "em") {
                st.bItalicFont = !st.bItalicFont;
            } else if (name == "u") {
                st.bUnderlineFont = !st.bUnderlineFont;
            } else if (name == "s" || name == "strike") {
                st.bStrikeOutFont = !st.bStrikeOutFont;
            } else if (name == "font") {
                std::string an, av;
                while (NextAttribute(tag, pos, an, av)) {
                    const CString v(av.c_str());
                    if (an == "face") {
                        if (!v.IsEmpty())
                            st.sFaceFont = v;
                    } else if (an == "size") {
                        st.nSizeFont = GetLengthUnit(v, st.nSizeFont, TRUE);
                    } else if (an == "color") {
                        st.crText = GetStyleColor(v, st.crText);
                    } else if (an == "style") {
                        // Letters set, or clear after a "-".
                        bool bSet = true;
                        for (size_t k = 0; k < av.size(); ++k) {
                            const char c = av[k];
                            if (c == '-') { bSet = false; continue; }
                            if (c == '+') { bSet = true; continue; }
                            switch (c) {
                            case 'b': st.nWeightFont = bSet ? FW_BOLD : FW_NORMAL; break;
                            case 'i': st.bItalicFont = bSet; break;
                            case 'u': st.bUnderlineFont = bSet; break;
                            case 's': st.bStrikeOutFont = bSet; break;
                            case 'o': st.bOverlineFont = bSet; break;
                            default: break;
                            }
                            bSet = true;
                        }
                    } else if (an == "weight") {
                        st.nWeightFont = GetStyleFontWeight(v, st.nWeightFont);
                    } else if (an == "bkgnd") {
                        if (v.IsEmpty() || v == "transparent") {
                            st.nBkMode = TRANSPARENT;
                        } else {
                            st.nBkMode = OPAQUE;
                            st.crBkgnd = GetStyleColor(v, st.crBkgnd);
                        }
                    }
                }
            } else if (name == "a") {
                st.nTypeLink = HTML_LINK_MESSAGE;
                st.sHyperlink.Empty();
                std::string an, av;
                while (NextAttribute(tag, pos, an, av)) {
                    if (an == "href") {
                        st.nTypeLink = HTML_LINK_HREF;
                        st.sHyperlink = av.c_str();
                    } else if (an == "msg") {
                        st.nTypeLink = HTML_LINK_MESSAGE;
                        st.sHyperlink = av.c_str();
                    }
                }
                ++m_nCurIndexLink;
                ApplyTagStyle(m_nCurIndexLink == m_nCurrentHotId ? "a:hover" : "a:link", st);
            }
        }
    } else if (name == "left" || name == "center" || name == "right" || name == "baseline" ||
               name == "top" || name == "vcenter" || name == "bottom") {
        if (bClose) {
            bStyleChanged = PopStyle(name.c_str());
        } else if (m_arrStack.size() < kMaxStyleStack) {
            PushStyle(name.c_str());
            bStyleChanged = true;
            if (name == "left")
                m_defStyle.nHorzAlign = HTML_ALIGN_LEFT;
            else if (name == "center")
                m_defStyle.nHorzAlign = HTML_ALIGN_CENTER;
            else if (name == "right")
                m_defStyle.nHorzAlign = HTML_ALIGN_RIGHT;
            else if (name == "baseline")
                m_defStyle.nVertAlign = HTML_VALIGN_BASELINE;
            else if (name == "top")
                m_defStyle.nVertAlign = HTML_VALIGN_TOP;
            else if (name == "vcenter")
                m_defStyle.nVertAlign = HTML_VALIGN_MIDDLE;
            else
                m_defStyle.nVertAlign = HTML_VALIGN_BOTTOM;
        }
    } else if (name == "body" || name == "h1" || name == "h2" || name == "h3" || name == "h4" ||
               name == "h5" || name == "h6" || name == "code" || name == "pre" || name == "big" ||
               name == "small" || name == "sub" || name == "sup") {
        if (bClose) {
            bStyleChanged = PopStyle(name.c_str());
        } else if (m_arrStack.size() < kMaxStyleStack) {
            PushStyle(name.c_str());
            bStyleChanged = true;
            ApplyTagStyle(name.c_str(), m_defStyle);
        }
    } else if (name == "span") {
        if (bClose) {
            bStyleChanged = PopStyle("span");
        } else if (m_arrStack.size() < kMaxStyleStack) {
            std::string an, av;
            if (NextAttribute(tag, pos, an, av) && an == "class") {
                PushStyle("span");
                bStyleChanged = true;
                ApplyTagStyle(("." + av).c_str(), m_defStyle);
            }
        }
    }
    if (bStyleChanged)
        SelectStyleFont();
}

// ---------------------------------------------------------------------------
// The style stack
// ---------------------------------------------------------------------------

void CPPHtmlDrawer::PushStyle(const char* lpszTag)
{
    m_defStyle.strTag = lpszTag;
    m_arrStack.push_back(m_defStyle);
}

// Restores the saved style only when the innermost open tag has this name.
bool CPPHtmlDrawer::PopStyle(const char* lpszTag)
{
    m_defStyle.strTag = lpszTag;
    bool bPopped = false;
    if (!m_arrStack.empty() && m_arrStack.back().strTag == m_defStyle.strTag) {
        m_defStyle = m_arrStack.back();
        m_arrStack.pop_back();
        bPopped = true;
    }
    m_defStyle.strTag.Empty();
    return bPopped;
}

// Tables, rows and cells restore exactly the style they saved, whatever tags
// their contents left open.
size_t CPPHtmlDrawer::PushStructural(const char* lpszTag)
{
    size_t depth = m_arrStack.size();
    PushStyle(lpszTag);
    return depth;
}

void CPPHtmlDrawer::PopStructural(size_t nDepth)
{
    if (nDepth < m_arrStack.size()) {
        m_defStyle = m_arrStack[nDepth];
        m_arrStack.resize(nDepth);
    }
    m_defStyle.strTag.Empty();
}

// ---------------------------------------------------------------------------
// Fonts
// ---------------------------------------------------------------------------

void CPPHtmlDrawer::SelectStyleFont()
{
    if (!m_hDC)
        return;
    const HtmlStyleRecord& st = m_defStyle;
    const int size = std::max(-1000, std::min(1000, st.nSizeFont));
    const int weight = std::max(0, std::min(1000, st.nWeightFont));
    char key[64];
    snprintf(key, sizeof(key), "%d|%d|%d|%d|%d|", size, weight, st.bItalicFont ? 1 : 0,
             st.bUnderlineFont ? 1 : 0, st.bStrikeOutFont ? 1 : 0);
    std::string k = key;
    k += (LPCSTR)st.sFaceFont;
    auto it = m_mapFonts.find(k);
    if (it == m_mapFonts.end()) {
        if (m_mapFonts.size() >= kMaxFonts)
            ReleaseFonts(false);
        LOGFONTA lf;
        memset(&lf, 0, sizeof(lf));
        lf.lfHeight = size;
        lf.lfWeight = weight;
        lf.lfItalic = st.bItalicFont ? 1 : 0;
        lf.lfUnderline = st.bUnderlineFont ? 1 : 0;
        lf.lfStrikeOut = st.bStrikeOutFont ? 1 : 0;
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(lf.lfFaceName, st.sFaceFont, LF_FACESIZE);
        FontEntry entry;
        entry.hFont = ::CreateFontIndirectA(&lf);
        entry.hdcMeasured = NULL;
        memset(&entry.tm, 0, sizeof(entry.tm));
        if (!entry.hFont)
            entry.hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
        it = m_mapFonts.insert(std::make_pair(k, entry)).first;
    }
    ::SelectObject(m_hDC, it->second.hFont);
    m_hCurFont = it->second.hFont;
    if (it->second.hdcMeasured != m_hDC) {
        ::GetTextMetricsA(m_hDC, &it->second.tm);
        it->second.hdcMeasured = m_hDC;
    }
    m_tm = it->second.tm;
    ::SetBkMode(m_hDC, st.nBkMode == OPAQUE ? OPAQUE : TRANSPARENT);
    ::SetTextColor(m_hDC, st.crText);
    ::SetBkColor(m_hDC, st.crBkgnd);
}

// Deletes the cached fonts; all but the one selected now unless bAll.
void CPPHtmlDrawer::ReleaseFonts(bool bAll)
{
    for (auto it = m_mapFonts.begin(); it != m_mapFonts.end();) {
        if (!bAll && it->second.hFont == m_hCurFont) {
            ++it;
            continue;
        }
        if (it->second.hFont != (HFONT)::GetStockObject(DEFAULT_GUI_FONT))
            ::DeleteObject(it->second.hFont);
        it = m_mapFonts.erase(it);
    }
}

// ---------------------------------------------------------------------------
// Lines, items and tabs
// ---------------------------------------------------------------------------

// The measuring pass appends a record for the new line; the drawing pass loads
// the stored one (a missing record is an empty line) and places x by its
// alignment.
void CPPHtmlDrawer::BeginLine(bool bMeasure)
{
    m_nLineAscent = 0;
    m_nLineTop = m_y;
    if (bMeasure) {
        LineRecord rec = {0, 0, 0, 0, m_defStyle.nHorzAlign};
        m_line = rec;
        if (m_nCurLine >= 0 && m_nCurLine < (int)m_arrLines.size())
            m_arrLines[m_nCurLine] = rec;
        else
            m_arrLines.push_back(rec);
        return;
    }
    if (m_nCurLine >= 0 && m_nCurLine < (int)m_arrLines.size()) {
        m_line = m_arrLines[m_nCurLine];
    } else {
        LineRecord rec = {0, 0, 0, 0, HTML_ALIGN_LEFT};
        m_line = rec;
    }
    const int width = m_rcOutput.right - m_rcOutput.left;
    if (m_line.nPercent)
        m_line.nWidth = ClampCoord((long long)m_line.nWidth + ::MulDiv(width, m_line.nPercent, 100));
    switch (m_line.nHorzAlign) {
    case HTML_ALIGN_CENTER:
        m_x = m_rcOutput.left + (m_rcOutput.right - m_line.nWidth - m_rcOutput.left) / 2;
        break;
    case HTML_ALIGN_RIGHT:
        m_x = m_rcOutput.right - m_line.nWidth;
        break;
    default:
        m_x = m_rcOutput.left;
        break;
    }
}

void CPPHtmlDrawer::NewLine(int nCount, bool bMeasure)
{
    nCount = std::max(1, std::min(kMaxRepeat, nCount));
    if (bMeasure) {
        int height = std::max(m_nLineAscent + m_line.nDescent, m_line.nHeight);
        if (height == 0)
            height = m_tm.tmHeight;
        m_line.nHeight = height;
        m_line.nWidth = ClampCoord((long long)m_x - m_rcOutput.left);
        m_nPieceMaxWidth = std::max(m_nPieceMaxWidth, m_line.nWidth);
        if (m_nCurLine >= 0 && m_nCurLine < (int)m_arrLines.size())
            m_arrLines[m_nCurLine] = m_line;
    }
    m_y = ClampCoord((long long)m_y + (long long)nCount * m_line.nHeight);
    ++m_nCurLine;
    m_x = m_rcOutput.left;
    BeginLine(bMeasure);
}

void CPPHtmlDrawer::Tabulation(int nCount)
{
    nCount = std::max(1, std::min(kMaxRepeat, nCount));
    const int rel = m_x - m_rcOutput.left;
    if (rel % 32 != 0) {
        m_x = m_rcOutput.left + (rel / 32 + (rel > 0 ? 1 : 0)) * 32;
        --nCount;
    }
    m_x = ClampCoord((long long)m_x + nCount * 32LL);
}

int CPPHtmlDrawer::ItemTop(int nHeight, int nAscent, bool bPicture) const
{
    const int lineHeight = m_line.nHeight;
    int offset = 0;
    switch (m_defStyle.nVertAlign) {
    case HTML_VALIGN_TOP:
        break;
    case HTML_VALIGN_MIDDLE:
        offset = (lineHeight - (bPicture ? nHeight : m_tm.tmHeight)) / 2;
        break;
    case HTML_VALIGN_BOTTOM:
        offset = lineHeight - (bPicture ? nHeight : nAscent);
        break;
    default:
        offset = lineHeight - m_line.nDescent - (bPicture ? nHeight : nAscent);
        break;
    }
    return m_nLineTop + offset;
}

void CPPHtmlDrawer::AddHotArea(const RECT& rc)
{
    if (m_defStyle.nTypeLink == HTML_LINK_NONE || m_arrHotAreas.size() >= kMaxHotAreas)
        return;
    HtmlHotArea area;
    area.rect = rc;
    area.nTypeLink = m_defStyle.nTypeLink;
    area.nIndexLink = m_nCurIndexLink;
    area.sHyperlink = m_defStyle.sHyperlink;
    m_arrHotAreas.push_back(area);
}

void CPPHtmlDrawer::PlaceText(const std::string& runIn, bool bMeasure, bool bTransform)
{
    std::string run = runIn;
    if (bTransform) {
        switch (m_defStyle.nTextTransform) {
        case 1:
            for (size_t i = 0; i < run.size(); ++i)
                if (run[i] >= 'a' && run[i] <= 'z')
                    run[i] = (char)(run[i] - 32);
            break;
        case 2:
            ToLower(run);
            break;
        case 3:
            ToLower(run);
            for (size_t i = 0; i < run.size(); ++i)
                if ((i == 0 || run[i - 1] == ' ') && run[i] >= 'a' && run[i] <= 'z')
                    run[i] = (char)(run[i] - 32);
            break;
        default:
            break;
        }
    }
    SIZE sz = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, run.c_str(), (int)run.size(), &sz);
    if (bMeasure) {
        m_line.nHorzAlign = m_defStyle.nHorzAlign;
        m_nLineAscent = std::max<int>(m_nLineAscent, m_tm.tmAscent);
        m_line.nDescent = std::max<int>(m_line.nDescent, sz.cy - m_tm.tmAscent);
    } else {
        const int top = ItemTop(sz.cy, m_tm.tmAscent, false);
        RECT rc = {m_x, top, ClampCoord((long long)m_x + sz.cx), top + sz.cy};
        AddHotArea(rc);
        ::TextOutA(m_hDC, m_x, top, run.c_str(), (int)run.size());
        if (bTransform && m_defStyle.bOverlineFont) {
            HPEN pen = ::CreatePen(PS_SOLID, m_defStyle.nWeightFont >= FW_BOLD ? 2 : 1, m_defStyle.crText);
            HGDIOBJ old = ::SelectObject(m_hDC, pen);
            ::MoveToEx(m_hDC, m_x, m_nLineTop, NULL);
            ::LineTo(m_hDC, rc.right, m_nLineTop);
            ::SelectObject(m_hDC, old);
            ::DeleteObject(pen);
        }
    }
    m_x = ClampCoord((long long)m_x + sz.cx);
}

// A horizontal rule: the "hr" rule of the sheet, then the tag's attributes.
void CPPHtmlDrawer::DrawHorzLine(const std::string& tag, bool bMeasure)
{
    HtmlStyleRecord st = m_defStyle;
    st.nBorderWidth = 1;
    ApplyTagStyle("hr", st);
    std::string width = "100%";
    size_t pos = 0;
    TagName(tag, pos);
    std::string an, av;
    while (NextAttribute(tag, pos, an, av)) {
        if (an == "width")
            width = av;
        else if (an == "size")
            st.nBorderWidth = GetLengthUnit(av.c_str(), st.nBorderWidth);
        else if (an == "color")
            st.crText = GetStyleColor(av.c_str(), st.crText);
    }
    const int size = std::max(0, std::min(1000, st.nBorderWidth));
    bool bPercent = !width.empty() && width[width.size() - 1] == '%';
    int value = bPercent ? atoi(width.c_str()) : GetLengthUnit(width.c_str(), 0);
    value = std::max(-10000, std::min(10000, value));
    if (bMeasure) {
        if (bPercent)
            m_line.nPercent = std::max(-10000, std::min(10000, m_line.nPercent + value));
        else
            m_x = ClampCoord((long long)m_x + value);
        m_line.nHeight = std::max(m_line.nHeight, size + 8);
        return;
    }
    const int w = bPercent ? ::MulDiv(m_rcOutput.right - m_rcOutput.left, value, 100) : value;
    const int y = m_nLineTop + m_line.nHeight / 2;
    m_drawmanager.DrawStyledLine(m_hDC, m_x, y, m_x + w, y, st.crText, PEN_SOLID, size);
    m_x = ClampCoord((long long)m_x + w);
}

// Text of a string resource, placed like a run of text.
void CPPHtmlDrawer::DrawResourceString(const std::string& tag, bool bMeasure)
{
    size_t pos = 0;
    TagName(tag, pos);
    UINT id = 0;
    std::string module;
    std::string an, av;
    while (NextAttribute(tag, pos, an, av)) {
        if (an == "idres" || an == "iddll")
            id = (UINT)strtoul(av.c_str(), NULL, 0);
        else if (an == "srcdll")
            module = av;
    }
    if (id == 0)
        return;
    HINSTANCE hInst = NULL;
    bool bFree = false;
    if (!module.empty()) {
        // A module named by markup is mapped as data only: none of its code runs.
        hInst = ::LoadLibraryExA(module.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        bFree = hInst != NULL;
        if (!hInst)
            return;
    } else {
        hInst = AfxFindResourceHandle(MAKEINTRESOURCE((id >> 4) + 1), RT_STRING);
    }
    char buf[1024] = "";
    int n = ::LoadStringA(hInst, id, buf, sizeof(buf));
    if (bFree)
        ::FreeLibrary(hInst);
    if (n > 0)
        PlaceText(std::string(buf, n), bMeasure, false);
}

// ---------------------------------------------------------------------------
// Callbacks and helpers
// ---------------------------------------------------------------------------

void CPPHtmlDrawer::SetRedrawCallback(HWND hWnd, UINT nMessage, LPARAM lParam)
{
    m_hRedrawWnd = hWnd;
    m_nRedrawMsg = hWnd ? nMessage : 0;
    m_lRedrawParam = hWnd ? lParam : 0;
}

void CPPHtmlDrawer::SetLinkCallback(HWND hWnd, UINT nMessage, LPARAM lParam)
{
    m_hLinkWnd = hWnd;
    m_nLinkMsg = hWnd ? nMessage : 0;
    m_lLinkParam = hWnd ? lParam : 0;
}

void CPPHtmlDrawer::SendRedrawRequest(WPARAM wParam)
{
    if (m_hRedrawWnd && m_nRedrawMsg)
        ::SendMessageA(m_hRedrawWnd, m_nRedrawMsg, wParam, m_lRedrawParam);
}

void CPPHtmlDrawer::SendLinkCallback(WPARAM wParam)
{
    if (m_hLinkWnd && m_nLinkMsg)
        ::SendMessageA(m_hLinkWnd, m_nLinkMsg, wParam, m_lLinkParam);
}

LPLOGFONT CPPHtmlDrawer::GetSystemStatusFont()
{
    static NONCLIENTMETRICSA ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        return NULL;
    return &ncm.lfStatusFont;
}

CString CPPHtmlDrawer::GetStringResourceLine(UINT nID, int nLine)
{
    if (nID == 0 || nLine < 0)
        return CString();
    CString s;
    s.LoadString(nID);
    int start = 0;
    for (int i = 0; i < nLine; ++i) {
        int nl = s.Find('\n', start);
        if (nl < 0)
            return CString();
        start = nl + 1;
    }
    int end = s.Find('\n', start);
    return end < 0 ? s.Mid(start) : s.Mid(start, end - start);
}
