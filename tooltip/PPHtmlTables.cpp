// PPHtmlTables.cpp - CPPHtmlDrawer: tables with row and column spans, nested
// tables, borders, fills and a tiled background picture, in the same two
// passes as text.
#include "PPHtmlDrawer.h"
#include <stdlib.h>
#include <algorithm>

namespace {

// Bounds on what markup can ask of a table: nesting, spans and grid size.
const int kMaxTableDepth = 16;
const int kMaxSpan = 1000;
const long long kMaxGridCells = 250000;
const int kMaxRows = 10000;

// One tag of a table's text: where it starts, where its text ends and where
// reading goes on, and its name as written (case matters).
struct TableTag
{
    size_t lt, tagEnd, next;
    std::string name;
};

// The next tag from pos; "<<" is text. An unclosed tag runs to the end.
bool NextTableTag(const std::string& text, size_t& pos, size_t end, TableTag& tag)
{
    while (pos < end) {
        size_t lt = text.find('<', pos);
        if (lt == std::string::npos || lt >= end) {
            pos = end;
            return false;
        }
        if (lt + 1 < end && text[lt + 1] == '<') {
            pos = lt + 2;
            continue;
        }
        size_t gt = text.find('>', lt + 1);
        if (gt == std::string::npos || gt > end)
            gt = end;
        size_t ne = lt + 1;
        while (ne < gt && text[ne] != ' ' && text[ne] != '=')
            ++ne;
        tag.lt = lt;
        tag.tagEnd = gt;
        tag.next = gt < end ? gt + 1 : end;
        tag.name.assign(text, lt + 1, ne - lt - 1);
        pos = tag.next;
        return true;
    }
    return false;
}

// After the tag "table" at nBegin, the end of its matching "/table" (nested
// tables counted), or the end of the text.
size_t SearchEnd(const std::string& text, size_t nBegin)
{
    int depth = 0;
    size_t pos = nBegin;
    TableTag tag;
    while (NextTableTag(text, pos, text.size(), tag)) {
        if (tag.name == "table") {
            ++depth;
        } else if (tag.name == "/table") {
            if (--depth <= 0)
                return tag.next;
        }
    }
    return text.size();
}

std::string LowerTagText(const std::string& text, const TableTag& tag)
{
    std::string s = text.substr(tag.lt + 1, tag.tagEnd - tag.lt - 1);
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] >= 'A' && s[i] <= 'Z')
            s[i] = (char)(s[i] + 32);
    return s;
}

// Where a cell's content ends: its "</td", or the next cell, row or the end
// of the table, nested tables skipped.
size_t FindCellEnd(const std::string& text, size_t pos, size_t end)
{
    TableTag tag;
    while (NextTableTag(text, pos, end, tag)) {
        if (tag.name == "table") {
            pos = SearchEnd(text, tag.lt);
            continue;
        }
        if (tag.name == "/td" || tag.name == "td" || tag.name == "tr" || tag.name == "/tr" ||
            tag.name == "/table")
            return tag.lt;
    }
    return end;
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

size_t CPPHtmlDrawer::SearchEndOfTable(const std::string& text, size_t nBegin)
{
    return SearchEnd(text, nBegin);
}

// Rows are the "tr" tags; a row is as wide as the sum of its cells' column
// spans, counted when the row ends at "/tr", at the next "tr" or at the end of
// the table. Nested tables are skipped.
void CPPHtmlDrawer::GetTableSize(const std::string& table, int& nCols, int& nRows) const
{
    nCols = nRows = 0;
    size_t pos = 0;
    TableTag tag;
    bool bFirst = true, bRow = false;
    long long width = 0, widest = 0;
    while (NextTableTag(table, pos, table.size(), tag)) {
        if (tag.name == "table") {
            if (!bFirst)
                pos = SearchEnd(table, tag.lt);
            bFirst = false;
            continue;
        }
        if (tag.name == "/table")
            break;
        if (tag.name == "tr" || tag.name == "/tr") {
            if (bRow)
                widest = std::max(widest, width);
            width = 0;
            bRow = tag.name == "tr";
            if (bRow)
                ++nRows;
            continue;
        }
        if (tag.name == "td" && bRow) {
            std::string text = LowerTagText(table, tag);
            size_t p = 0;
            TagName(text, p);
            int span = 1;
            std::string an, av;
            while (NextAttribute(text, p, an, av))
                if (an == "colspan")
                    span = const_cast<CPPHtmlDrawer*>(this)->GetLengthUnit(av.c_str(), 1);
            width += Clamp(span, 1, kMaxSpan);
            pos = FindCellEnd(table, tag.next, table.size());
        }
    }
    if (bRow)
        widest = std::max(widest, width);
    nRows = std::min(nRows, kMaxRows);
    if (nRows > 0 && widest * nRows > kMaxGridCells)
        widest = std::max(1LL, kMaxGridCells / nRows);
    nCols = (int)widest;
}

void CPPHtmlDrawer::ApplyTableAttributes(const std::string& tag, int& nColSpan, int& nRowSpan)
{
    HtmlStyleRecord& st = m_defStyle;
    size_t pos = 0;
    TagName(tag, pos);
    std::string an, av;
    while (NextAttribute(tag, pos, an, av)) {
        const CString v(av.c_str());
        if (an == "rowspan") {
            nRowSpan = GetLengthUnit(v, 1);
        } else if (an == "colspan") {
            nColSpan = GetLengthUnit(v, 1);
        } else if (an == "border") {
            st.nBorderWidth = Clamp(GetLengthUnit(v, st.nBorderWidth), 0, 255);
            if (st.nBorderWidth == 0)
                st.nBorderStyle = PEN_NULL;
            else if (st.nBorderStyle == PEN_NULL)
                st.nBorderStyle = PEN_SOLID;
        } else if (an == "borderstyle") {
            st.nBorderStyle = GetStyleBorderStyle(v, st.nBorderStyle);
        } else if (an == "bordercolor") {
            st.crBorderLight = GetStyleColor(v, st.crBorderLight);
            st.crBorderDark = GetStyleColor(v, st.crBorderDark);
        } else if (an == "bordercolorlight") {
            st.crBorderLight = GetStyleColor(v, st.crBorderLight);
        } else if (an == "bordercolordark") {
            st.crBorderDark = GetStyleColor(v, st.crBorderDark);
        } else if (an == "bgcolor") {
            st.crBkgnd = GetStyleColor(v, st.crBkgnd);
            if (st.nFillBkgnd == -1)
                st.nFillBkgnd = EFFECT_SOLID;
        } else if (an == "bgmidcolor") {
            st.crMidBkgnd = GetStyleColor(v, st.crMidBkgnd);
        } else if (an == "bgendcolor") {
            st.crEndBkgnd = GetStyleColor(v, st.crEndBkgnd);
        } else if (an == "bgeffect") {
            st.nFillBkgnd = StyleBkgndEffect(v, st.nFillBkgnd);
        } else if (an == "align") {
            st.nHorzAlign = GetStyleHorzAlign(v, st.nHorzAlign);
        } else if (an == "valign") {
            st.nVertAlign = GetStyleVertAlign(v, st.nVertAlign);
        } else if (an == "cellpadding") {
            st.nPaddingLeft = st.nPaddingRight = st.nPaddingTop = st.nPaddingBottom =
                Clamp(GetLengthUnit(v, st.nPaddingLeft), 0, 10000);
        } else if (an == "cellspacing") {
            st.nMarginLeft = st.nMarginRight = st.nMarginTop = st.nMarginBottom =
                Clamp(GetLengthUnit(v, st.nMarginLeft), 0, 10000);
        } else if (an == "background") {
            st.strNameResBk = v;
        }
    }
}

int CPPHtmlDrawer::GetTableWidth(const std::string& tag, int nAvailable, int nContent, bool bMeasure)
{
    size_t pos = 0;
    TagName(tag, pos);
    std::string an, av;
    bool bFound = false;
    std::string width;
    while (NextAttribute(tag, pos, an, av)) {
        if (an == "width") {
            bFound = true;
            width = av;
            break;
        }
    }
    int result = nAvailable;
    if (bFound) {
        if (!width.empty() && width[width.size() - 1] == '%') {
            const int p = atoi(width.c_str());
            if (bMeasure)
                result = p <= 100 ? ::MulDiv(nContent, 100, p) : ::MulDiv(nContent, p, 100);
            else
                result = p >= 100 ? nAvailable : ::MulDiv(nAvailable, p, 100);
        } else {
            result = width.empty() ? nContent : GetLengthUnit(width.c_str(), nContent);
        }
    }
    return std::max(result, nContent);
}

SIZE CPPHtmlDrawer::DrawHtmlTable(const std::string& table, const RECT& area, bool bMeasure, int nDepth)
{
    SIZE none = {0, 0};
    if (nDepth > kMaxTableDepth)
        return none;
    const int index = ++m_nCurTable;
    if (bMeasure) {
        int C = 0, R = 0;
        GetTableSize(table, C, R);
        if ((size_t)index >= m_arrTables.size())
            m_arrTables.resize(index + 1);
        TableLayout& t = m_arrTables[index];
        t.nRows = R;
        t.nCols = C;
        const CellRecord blank = {1, 1, 0, 0, 0, 0};
        t.cells.assign((size_t)R * C, blank);
        t.widths.assign(C, 0);
        t.heights.assign(R, 0);
    } else if ((size_t)index >= m_arrTables.size()) {
        return none;    // no record of this table: drawn as empty
    }
    // Records are reached by number: nested tables may grow the list.
    const int R = m_arrTables[index].nRows, C = m_arrTables[index].nCols;
    if (R <= 0 || C <= 0 || (size_t)R * C != m_arrTables[index].cells.size())
        return none;

    size_t pos = 0;
    TableTag tag;
    NextTableTag(table, pos, table.size(), tag);
    const std::string tableTag = LowerTagText(table, tag);

    const size_t tableDepth = PushStructural("table");
    SetDefaultStyle(m_defStyle);
    ApplyTagStyle("table", m_defStyle);
    int ignoredCol = 1, ignoredRow = 1;
    ApplyTableAttributes(tableTag, ignoredCol, ignoredRow);
    SelectStyleFont();
    const HtmlStyleRecord tableStyle = m_defStyle;
    const int bw = Clamp(tableStyle.nBorderWidth, 0, 255);
    const int allowance = (tableStyle.nBorderStyle == PEN_DOUBLE ? 6 : 2) * bw;

    std::vector<int> widths, heights, xs, ys;
    RECT inner = {0, 0, 0, 0};
    int H = 0;
    if (!bMeasure) {
        widths = m_arrTables[index].widths;
        heights = m_arrTables[index].heights;
        widths.resize(C, 0);
        heights.resize(R, 0);
        long long W = 0, sumH = 0;
        for (int c = 0; c < C; ++c)
            W += widths[c];
        for (int r = 0; r < R; ++r)
            sumH += heights[r];
        H = (int)std::min<long long>(sumH + allowance, 1 << 28);
        const int areaW = area.right - area.left;
        const int Wp = GetTableWidth(tableTag, areaW, (int)std::min<long long>(W, 1 << 28), false);
        RECT rc = {area.left, area.top, area.left + Wp, area.top + H};
        if (Wp < areaW) {
            int shift = 0;
            if (tableStyle.nHorzAlign == HTML_ALIGN_CENTER)
                shift = (areaW - Wp) / 2;
            else if (tableStyle.nHorzAlign == HTML_ALIGN_RIGHT)
                shift = areaW - Wp;
            ::OffsetRect(&rc, shift, 0);
        }
        if (tableStyle.nFillBkgnd == -1) {
            if (!tableStyle.strNameResBk.IsEmpty())
                DrawBackgroundImage(m_hDC, rc, tableStyle.strNameResBk);
        } else {
            m_drawmanager.FillRectWithEffect(m_hDC, tableStyle.nFillBkgnd, &rc, tableStyle.crBkgnd,
                                             tableStyle.crMidBkgnd, tableStyle.crEndBkgnd, 5, 0);
        }
        m_drawmanager.DrawFrameRect(m_hDC, &rc, tableStyle.crBorderLight, tableStyle.crBorderDark,
                                    tableStyle.nBorderStyle, bw);
        const int inset = tableStyle.nBorderStyle == PEN_DOUBLE ? 3 * bw : bw;
        inner = rc;
        ::InflateRect(&inner, -inset, -inset);
        const long long innerW = inner.right - inner.left;
        if (W < innerW) {
            const int add = (int)((innerW - W) / C), rem = (int)((innerW - W) % C);
            for (int c = 0; c < C; ++c)
                widths[c] += add;
            widths[0] += rem;
        }
        xs.assign(C + 1, 0);
        ys.assign(R + 1, 0);
        for (int c = 0; c < C; ++c)
            xs[c + 1] = (int)std::min<long long>((long long)xs[c] + widths[c], 1 << 28);
        for (int r = 0; r < R; ++r)
            ys[r + 1] = (int)std::min<long long>((long long)ys[r] + heights[r], 1 << 28);
    }

    int row = -1, col = 0;
    bool bRowOpen = false;
    size_t rowDepth = 0;
    const size_t end = table.size();
    while (NextTableTag(table, pos, end, tag)) {
        if (tag.name == "/table")
            break;
        if (tag.name == "table") {
            pos = SearchEnd(table, tag.lt);     // outside a cell: not laid out
            continue;
        }
        if (tag.name == "tr") {
            if (bRowOpen)
                PopStructural(rowDepth);
            bRowOpen = false;
            if (++row >= R)
                break;
            rowDepth = PushStructural("tr");
            ApplyTagStyle("tr", m_defStyle);
            int cs = 1, rs = 1;
            ApplyTableAttributes(LowerTagText(table, tag), cs, rs);
            SelectStyleFont();
            bRowOpen = true;
            col = 0;
            continue;
        }
        if (tag.name == "/tr") {
            if (bRowOpen) {
                PopStructural(rowDepth);
                SelectStyleFont();
            }
            bRowOpen = false;
            continue;
        }
        if (tag.name != "td")
            continue;

        const size_t contentBegin = tag.next;
        const size_t contentEnd = FindCellEnd(table, contentBegin, end);
        pos = contentEnd;
        if (!bRowOpen)
            continue;
        while (col < C && m_arrTables[index].Cell(row, col)->nColSpan < 1)
            ++col;
        if (col >= C)
            continue;   // beyond the grid: skipped in both passes

        const size_t cellDepth = PushStructural("td");
        ApplyTagStyle("td", m_defStyle);
        int cs = 1, rs = 1;
        ApplyTableAttributes(LowerTagText(table, tag), cs, rs);
        SelectStyleFont();
        cs = Clamp(cs, 1, C - col);
        rs = Clamp(rs, 1, R - row);
        const HtmlStyleRecord st = m_defStyle;
        const int frame = st.nBorderWidth ? (st.nBorderStyle == PEN_DOUBLE ? 3 : 1) : 0;
        if (bMeasure) {
            RECT empty = {0, 0, 0, 0};
            SIZE content = LayoutPieces(table, contentBegin, contentEnd, empty, true, nDepth);
            CellRecord rec;
            rec.nColSpan = cs;
            rec.nRowSpan = rs;
            rec.cxContent = content.cx;
            rec.cyContent = content.cy;
            rec.cxTotal = Clamp(content.cx + st.nPaddingLeft + st.nPaddingRight + st.nMarginLeft +
                                st.nMarginRight + 2 * frame, 0, 1 << 24);
            rec.cyTotal = Clamp(content.cy + st.nPaddingTop + st.nPaddingBottom + st.nMarginTop +
                                st.nMarginBottom + 2 * frame, 0, 1 << 24);
            TableLayout& t = m_arrTables[index];
            *t.Cell(row, col) = rec;
            // A spanning cell reserves every grid position it covers.
            for (int r = row; r < row + rs; ++r)
                for (int c = col; c < col + cs; ++c)
                    if (r != row || c != col)
                        t.Cell(r, c)->nColSpan = -1;
        } else {
            const CellRecord rec = *m_arrTables[index].Cell(row, col);
            const int ccs = Clamp(rec.nColSpan, 1, C - col), crs = Clamp(rec.nRowSpan, 1, R - row);
            RECT rcCell = {inner.left + xs[col], inner.top + ys[row], inner.left + xs[col + ccs],
                           inner.top + ys[row + crs]};
            RECT rcFrame = {rcCell.left + st.nPaddingLeft, rcCell.top + st.nPaddingTop,
                            rcCell.right - st.nPaddingRight, rcCell.bottom - st.nPaddingBottom};
            if (st.nFillBkgnd != -1)
                m_drawmanager.FillRectWithEffect(m_hDC, st.nFillBkgnd, &rcFrame, st.crBkgnd, st.crMidBkgnd,
                                                 st.crEndBkgnd, 5, 0);
            m_drawmanager.DrawFrameRect(m_hDC, &rcFrame, st.crBorderLight, st.crBorderDark, st.nBorderStyle, 1);
            RECT rcContent = {rcFrame.left + frame + st.nMarginLeft, rcFrame.top + frame + st.nMarginTop,
                              rcFrame.right - frame - st.nMarginRight, rcFrame.bottom - frame - st.nMarginBottom};
            if (st.nVertAlign == HTML_VALIGN_MIDDLE)
                rcContent.top += (rcContent.bottom - rcContent.top - rec.cyContent) / 2;
            else if (st.nVertAlign == HTML_VALIGN_BOTTOM)
                rcContent.top = rcContent.bottom - rec.cyContent;
            LayoutPieces(table, contentBegin, contentEnd, rcContent, false, nDepth);
        }
        PopStructural(cellDepth);
        SelectStyleFont();
        col += cs;
    }
    if (bRowOpen)
        PopStructural(rowDepth);

    SIZE result;
    if (bMeasure) {
        TableLayout& t = m_arrTables[index];
        // Narrow spans first: wide cells only add what is still missing.
        struct Span { int s, r, c; };
        std::vector<Span> cols, rows;
        for (int r = 0; r < R; ++r)
            for (int c = 0; c < C; ++c) {
                const CellRecord& rec = *t.Cell(r, c);
                if (rec.nColSpan < 1)
                    continue;
                Span a = {Clamp(rec.nColSpan, 1, C - c), r, c};
                Span b = {Clamp(rec.nRowSpan, 1, R - r), r, c};
                cols.push_back(a);
                rows.push_back(b);
            }
        auto bySpan = [](const Span& a, const Span& b) { return a.s < b.s; };
        std::stable_sort(cols.begin(), cols.end(), bySpan);
        std::stable_sort(rows.begin(), rows.end(), bySpan);
        for (const Span& sp : cols) {
            const int total = t.Cell(sp.r, sp.c)->cxTotal;
            long long sum = 0;
            for (int k = 0; k < sp.s; ++k)
                sum += t.widths[sp.c + k];
            if (sum < total) {
                const int add = (int)((total - sum) / sp.s), rem = (int)((total - sum) % sp.s);
                for (int k = 0; k < sp.s; ++k)
                    t.widths[sp.c + k] += add;
                t.widths[sp.c + sp.s - 1] += rem;
            }
        }
        for (const Span& sp : rows) {
            const int total = t.Cell(sp.r, sp.c)->cyTotal;
            long long sum = 0;
            for (int k = 0; k < sp.s; ++k)
                sum += t.heights[sp.r + k];
            if (sum < total) {
                const int add = (int)((total - sum) / sp.s), rem = (int)((total - sum) % sp.s);
                for (int k = 0; k < sp.s; ++k)
                    t.heights[sp.r + k] += add;
                t.heights[sp.r] += rem;
            }
        }
        long long W = allowance, Hm = allowance;
        for (int c = 0; c < C; ++c)
            W += t.widths[c];
        for (int r = 0; r < R; ++r)
            Hm += t.heights[r];
        result.cx = GetTableWidth(tableTag, 0, (int)std::min<long long>(W, 1 << 28), true);
        result.cy = (int)std::min<long long>(Hm, 1 << 28);
    } else {
        result.cx = area.right - area.left;
        result.cy = H;
    }
    PopStructural(tableDepth);
    SelectStyleFont();
    return result;
}

// "name:value" up to ";": a bitmap of the application ("idres"), of the
// resource module ("iddll") or from a file ("file"), tiled over the rectangle.
void CPPHtmlDrawer::DrawBackgroundImage(HDC hdc, const RECT& rc, const CString& sPicture)
{
    if (sPicture.GetLength() <= 5)
        return;
    const std::string text = (LPCSTR)sPicture;
    size_t colon = text.find(':');
    if (colon == std::string::npos)
        return;
    std::string name = text.substr(0, colon);
    size_t semi = text.find(';', colon + 1);
    std::string value = text.substr(colon + 1, semi == std::string::npos ? std::string::npos : semi - colon - 1);
    while (!name.empty() && name[0] == ' ')
        name.erase(0, 1);
    while (!name.empty() && name[name.size() - 1] == ' ')
        name.erase(name.size() - 1);
    while (!value.empty() && value[0] == ' ')
        value.erase(0, 1);
    HBITMAP hbm = NULL;
    if (name == "idres")
        hbm = LoadBitmapResource((UINT)strtoul(value.c_str(), NULL, 0));
    else if (name == "iddll")
        hbm = LoadBitmapFromLibrary((UINT)strtoul(value.c_str(), NULL, 0), NULL);
    else if (name == "file")
        hbm = LoadBitmapFile(value.c_str());
    if (!hbm)
        return;
    SIZE sz = CPPDrawManager::MeasureBitmap(hbm);
    HDC mem = ::CreateCompatibleDC(hdc);
    if (mem) {
        HGDIOBJ old = ::SelectObject(mem, hbm);
        m_drawmanager.TileBlit(hdc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, mem, 0, 0, sz.cx, sz.cy);
        ::SelectObject(mem, old);
        ::DeleteDC(mem);
    }
    ::DeleteObject(hbm);
}
