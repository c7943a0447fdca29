// Basket.cpp - the Basket's rules.
#include "Basket.h"
#include "FileHandle.h"

#include <string.h>
#include <algorithm>
#include <deque>
#include <memory>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

const char szBasketFileName[] = "Basket.txt";

CString MakeBasketLine(const CString& sPhrase, const CString& sQueries)
{
    CString sLine;
    sLine.Preallocate(sPhrase.GetLength() + 1 + sQueries.GetLength());
    sLine += sPhrase;
    sLine += ' ';
    sLine += sQueries;
    return sLine;
}

// ---------------------------------------------------------------------------
// Normalising
//
// One normalisation of the box text replaces CR by LF and tab by space, then
// "  " by " " five times over (each time halving every run of spaces, rounding
// up: a run of k becomes ceil(k / 32)), then cuts at LF and drops empty
// pieces. Each change through the list normalises the whole Basket again, so a
// line that has been through m of them has its runs at ceil(k / 32^m); the
// many-row operations below rely on that to give one-by-one results at once.
//
// The lines are kept as views into one buffer, so that a Basket of 100,000
// lines costs one allocation, not one per line.
// ---------------------------------------------------------------------------

namespace {

typedef std::string_view LineView;

// The code runs unoptimised in debug builds too: the loops below walk raw
// bytes and compare with memcmp so that 100,000 lines stay cheap there.
class CNormalisedLines
{
public:
    explicit CNormalisedLines(size_t nCapacity)
        : m_pBuffer(new char[nCapacity > 0 ? nCapacity : 1]), m_nCapacity(nCapacity), m_nUsed(0)
    {
    }
    CNormalisedLines(const CNormalisedLines&) = delete;
    CNormalisedLines& operator=(const CNormalisedLines&) = delete;

    // Appends the pieces of p[0..n) after nPasses normalisations (>= 1); the
    // capacity given at construction must cover all that is appended.
    void Append(LPCSTR p, size_t n, int nPasses);
    std::vector<LineView>& Lines() { return m_lines; }
    // Hands the buffer over; the views stay valid while the new owner keeps it.
    std::unique_ptr<char[]> ReleaseBuffer() { return std::move(m_pBuffer); }

private:
    std::unique_ptr<char[]> m_pBuffer;
    size_t m_nCapacity;
    size_t m_nUsed;
    std::vector<LineView> m_lines;
};

void CNormalisedLines::Append(LPCSTR p, size_t n, int nPasses)
{
    // Runs of spaces shrink to ceil(k / divisor); past 32^6 every run of a text
    // that fits in memory becomes a single space. Normalising never makes a
    // text longer.
    const UINT64 nDivisor = nPasses >= 7 ? 0 : (UINT64)1 << (5 * nPasses);
    ASSERT(m_nUsed + n <= m_nCapacity);
    char* const pBase = m_pBuffer.get();
    char* pOut = pBase + m_nUsed;
    char* pLine = pOut;
    const char* pEnd = p + n;
    for (const char* q = p; q < pEnd;) {
        char c = *q;
        if ((BYTE)c > ' ') {   // the common case first: an ordinary byte
            *pOut++ = c;
            q++;
        } else if (c == '\r' || c == '\n') {
            if (pOut > pLine)
                m_lines.push_back(LineView(pLine, (size_t)(pOut - pLine)));
            pLine = pOut;
            q++;
        } else if (c == ' ' || c == '\t') {
            const char* pRun = q;
            while (q < pEnd && (*q == ' ' || *q == '\t'))
                q++;
            UINT64 k = (UINT64)(q - pRun);
            UINT64 nKeep = nDivisor == 0 ? 1 : (k + nDivisor - 1) / nDivisor;
            while (nKeep-- > 0)
                *pOut++ = ' ';
        } else {
            *pOut++ = c;
            q++;
        }
    }
    if (pOut > pLine)
        m_lines.push_back(LineView(pLine, (size_t)(pOut - pLine)));
    m_nUsed = (size_t)(pOut - pBase);
}

bool ViewLess(const LineView& a, const LineView& b)
{
    size_t n = a.size() < b.size() ? a.size() : b.size();
    int nCmp = memcmp(a.data(), b.data(), n);
    return nCmp < 0 || (nCmp == 0 && a.size() < b.size());
}

bool ViewEqual(const LineView& a, const LineView& b)
{
    return a.size() == b.size() && memcmp(a.data(), b.data(), a.size()) == 0;
}

LineView View(const CString& s)
{
    return LineView((LPCSTR)s, (size_t)s.GetLength());
}

// A line (no CR, LF or tab) after one further normalisation.
std::string ShrinkOnce(LineView line)
{
    std::string s;
    s.reserve(line.size());
    for (size_t j = 0; j < line.size();) {
        if (line[j] == ' ') {
            size_t k = 0;
            while (j < line.size() && line[j] == ' ') {
                k++;
                j++;
            }
            s.append((k + 31) / 32, ' ');
        } else {
            s += line[j++];
        }
    }
    return s;
}

template <class T, class Less>
void SortRange(T* pBegin, T* pEnd, Less less)
{
    if (pBegin == pEnd || std::is_sorted(pBegin, pEnd, less))
        return;
    // A tick puts one new line in front of a sorted Basket: move it into place
    // instead of sorting the whole again.
    if (std::is_sorted(pBegin + 1, pEnd, less)) {
        T* pAt = std::upper_bound(pBegin + 1, pEnd, *pBegin, less);
        std::rotate(pBegin, pBegin + 1, pAt);
        return;
    }
    std::sort(pBegin, pEnd, less);
}

// Keeps the first of equal elements; returns the new end.
template <class T, class Less, class Equal, class Hash>
T* DedupeRange(T* pBegin, T* pEnd, Less less, Equal equal, Hash hash)
{
    if (std::is_sorted(pBegin, pEnd, less))   // equal lines stand together
        return std::unique(pBegin, pEnd, equal);
    std::unordered_set<T, Hash> seen((size_t)(pEnd - pBegin), hash);
    T* pKept = pBegin;
    for (T* p = pBegin; p != pEnd; ++p)
        if (seen.insert(*p).second) {
            if (pKept != p)
                *pKept = std::move(*p);
            ++pKept;
        }
    return pKept;
}

void Reshape(std::vector<LineView>& lines, const BASKET_OPTIONS& options)
{
    LineView* pBegin = lines.data();
    LineView* pEnd = pBegin + lines.size();
    if (options.bSort)
        SortRange(pBegin, pEnd, ViewLess);
    if (options.bDedupe) {
        // Sorted, equal lines stand together.
        LineView* pKept = options.bSort ? std::unique(pBegin, pEnd, ViewEqual)
                                        : DedupeRange(pBegin, pEnd, ViewLess, ViewEqual, std::hash<LineView>());
        lines.resize((size_t)(pKept - pBegin));
    }
}

CString Join(const std::vector<LineView>& lines)
{
    if (lines.empty())
        return CString();
    size_t nTotal = (lines.size() - 1) * 2;
    for (const LineView& line : lines)
        nTotal += line.size();
    CString sText;
    char* pOut = sText.GetBuffer((int)nTotal);
    for (size_t i = 0; i < lines.size(); i++) {
        if (i > 0) {
            *pOut++ = '\r';
            *pOut++ = '\n';
        }
        memcpy(pOut, lines[i].data(), lines[i].size());
        pOut += lines[i].size();
    }
    sText.ReleaseBuffer((int)nTotal);
    return sText;
}

}  // namespace

void SplitBasketLines(const CString& sText, CStringArray& aLines)
{
    CNormalisedLines lines((size_t)sText.GetLength());
    lines.Append(sText, (size_t)sText.GetLength(), 1);
    INT_PTR nFirst = aLines.GetSize();
    aLines.SetSize(nFirst + (INT_PTR)lines.Lines().size());
    for (size_t i = 0; i < lines.Lines().size(); i++)
        aLines[nFirst + (INT_PTR)i] = CString(lines.Lines()[i].data(), (int)lines.Lines()[i].size());
}

// ---------------------------------------------------------------------------
// Sorting, de-duplicating, joining
// ---------------------------------------------------------------------------

static bool LineLess(const CString& a, const CString& b)
{
    return a.Compare(b) < 0;
}

void SortLines(CStringArray& aLines)
{
    CString* pBegin = aLines.GetData();
    SortRange(pBegin, pBegin + aLines.GetSize(), LineLess);
}

void RemoveDuplicateLines(CStringArray& aLines)
{
    CString* pBegin = aLines.GetData();
    CString* pKept = DedupeRange(pBegin, pBegin + aLines.GetSize(), LineLess,
                                 [](const CString& a, const CString& b) { return a == b; }, CStringHash());
    aLines.SetSize(pKept - pBegin);
}

CString JoinBasketLines(const CStringArray& aLines)
{
    std::vector<LineView> lines;
    lines.reserve((size_t)aLines.GetSize());
    for (INT_PTR i = 0; i < aLines.GetSize(); i++)
        lines.push_back(View(aLines[i]));
    return Join(lines);
}

void ReshapeBasketLines(CStringArray& aLines, const BASKET_OPTIONS& options)
{
    if (options.bSort)
        SortLines(aLines);
    if (options.bDedupe)
        RemoveDuplicateLines(aLines);
}

void CutBasketText(const CString& sText, CStringArray& aLines)
{
    LPCSTR p = sText;
    int n = sText.GetLength();
    int nStart = 0;
    for (int i = 0; i + 1 < n; i++)
        if (p[i] == '\r' && p[i + 1] == '\n') {
            if (i > nStart)
                aLines.Add(CString(p + nStart, i - nStart));
            nStart = i + 2;
            i++;
        }
    if (n > nStart)
        aLines.Add(CString(p + nStart, n - nStart));
}

// ---------------------------------------------------------------------------
// Ticking and unticking
// ---------------------------------------------------------------------------

CString AddToBasket(const CString& sBoxText, const CString& sLine, const BASKET_OPTIONS& options)
{
    // The new line goes first, then the whole is normalised once (normalising
    // the line and the box text one after the other gives the same lines as
    // normalising them joined by CR LF).
    CNormalisedLines lines((size_t)sLine.GetLength() + (size_t)sBoxText.GetLength());
    lines.Append(sLine, (size_t)sLine.GetLength(), 1);
    lines.Append(sBoxText, (size_t)sBoxText.GetLength(), 1);
    Reshape(lines.Lines(), options);
    return Join(lines.Lines());
}

CString RemoveFromBasket(const CString& sBoxText, const CString& sLine, const BASKET_OPTIONS& options)
{
    CNormalisedLines lines((size_t)sBoxText.GetLength());
    lines.Append(sBoxText, (size_t)sBoxText.GetLength(), 1);
    std::vector<LineView>& v = lines.Lines();
    v.erase(std::remove(v.begin(), v.end(), View(sLine)), v.end());
    Reshape(v, options);
    return Join(v);
}

// Ticking n rows one by one puts each new line in front and normalises the
// whole each time: row i's line goes through n - i normalisations and the old
// text through n. Sorting and de-duplicating in between change nothing that
// the last reshape would not give as well.
CString AddLinesToBasket(const CString& sBoxText, const CStringArray& aNewLines, const BASKET_OPTIONS& options)
{
    int n = (int)aNewLines.GetSize();
    if (n == 0)
        return sBoxText;
    size_t nTotal = (size_t)sBoxText.GetLength();
    for (int i = 0; i < n; i++)
        nTotal += (size_t)aNewLines[i].GetLength();
    CNormalisedLines lines(nTotal);
    for (int i = n - 1; i >= 0; i--)
        lines.Append(aNewLines[i], (size_t)aNewLines[i].GetLength(), n - i);
    lines.Append(sBoxText, (size_t)sBoxText.GetLength(), n);
    Reshape(lines.Lines(), options);
    return Join(lines.Lines());
}

// Unticking n rows one by one: at step i each Basket line has been normalised
// i + 1 times and goes when it then equals the i-th line. Once a line no
// longer changes under normalisation, it goes when any later step removes it.
CString RemoveLinesFromBasket(const CString& sBoxText, const CStringArray& aOldLines,
                              const BASKET_OPTIONS& options)
{
    int n = (int)aOldLines.GetSize();
    if (n == 0)
        return sBoxText;
    std::unordered_map<LineView, int> lastStep;
    lastStep.reserve((size_t)n);
    for (int i = 0; i < n; i++)
        lastStep[View(aOldLines[i])] = i;

    CNormalisedLines lines((size_t)sBoxText.GetLength());
    lines.Append(sBoxText, (size_t)sBoxText.GetLength(), 1);
    std::deque<std::string> images;   // lines that changed on the way; views stay valid
    std::vector<LineView> kept;
    kept.reserve(lines.Lines().size());
    for (LineView image : lines.Lines()) {
        bool bRemoved = false;
        for (int i = 0; i < n; i++) {
            if (image == View(aOldLines[i])) {
                bRemoved = true;
                break;
            }
            if (i == n - 1)
                break;
            if (image.find("  ") == LineView::npos) {
                auto it = lastStep.find(image);
                bRemoved = it != lastStep.end() && it->second > i;
                break;
            }
            images.push_back(ShrinkOnce(image));
            image = images.back();
        }
        if (!bRemoved)
            kept.push_back(image);
    }
    Reshape(kept, options);
    return Join(kept);
}

bool IsInBasket(const CString& sBoxText, const CString& sLine)
{
    CNormalisedLines lines((size_t)sBoxText.GetLength());
    lines.Append(sBoxText, (size_t)sBoxText.GetLength(), 1);
    const std::vector<LineView>& v = lines.Lines();
    return std::find(v.begin(), v.end(), View(sLine)) != v.end();
}

void CBasketLineSet::SetText(const CString& sBoxText)
{
    m_set.clear();
    CNormalisedLines lines((size_t)sBoxText.GetLength());
    lines.Append(sBoxText, (size_t)sBoxText.GetLength(), 1);
    m_set.reserve(lines.Lines().size());
    for (const LineView& line : lines.Lines())
        m_set.insert(line);
    m_pBuffer = lines.ReleaseBuffer();
}

bool CBasketLineSet::Contains(const CString& sLine) const
{
    return m_set.count(View(sLine)) != 0;
}

void SplitCustomWords(const CString& sEntered, CStringArray& aWords)
{
    SplitBasketLines(sEntered, aWords);
}

bool PhraseContainsAnyWord(const CString& sPhrase, const CStringArray& aWords)
{
    for (INT_PTR i = 0; i < aWords.GetSize(); i++)
        if (sPhrase.Find(aWords[i]) >= 0)
            return true;
    return false;
}

// ---------------------------------------------------------------------------
// "Basket.txt"
// ---------------------------------------------------------------------------

CString GetBasketFilePath(LPCSTR pszFolder)
{
    CString sPath(pszFolder);
    if (!sPath.IsEmpty() && sPath[sPath.GetLength() - 1] != '\\' && sPath[sPath.GetLength() - 1] != '/')
        sPath += '\\';
    return sPath + szBasketFileName;
}

bool LoadBasketFile(LPCSTR pszPath, CString& sText)
{
    sText.Empty();
    try {
        CFileHandle file(pszPath);
        file.OpenForRead();
        sText = file.ReadAllText();
        file.Close();
        return true;
    } catch (const CString&) {
        sText.Empty();
        return false;
    }
}

bool SaveBasketFile(LPCSTR pszPath, const CString& sText, CString* psError)
{
    // The old file is replaced only by a complete new one: a failure part way
    // must never leave a cut Basket to be loaded at the next start.
    CString sTemp(pszPath);
    sTemp += ".tmp";
    CString sError;
    try {
        CFileHandle file(sTemp);
        file.OpenForWrite();
        file.WriteBuffer((LPCSTR)sText, (DWORD)sText.GetLength());
        file.Close();
        WIN32_FILE_ATTRIBUTE_DATA info;
        if (!GetFileAttributesExA(sTemp, GetFileExInfoStandard, &info) || info.nFileSizeHigh != 0 ||
            info.nFileSizeLow != (DWORD)sText.GetLength())
            throw CString("Error writing to file");
    } catch (const CString& s) {
        sError = s;
    }
    if (sError.IsEmpty() && !MoveFileExA(sTemp, pszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        sError = CString("Can't replace file ") + pszPath;
    if (sError.IsEmpty())
        return true;
    DeleteFileA(sTemp);
    if (psError)
        *psError = sError;
    return false;
}
