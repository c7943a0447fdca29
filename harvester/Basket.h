// Basket.h - the Basket's rules, apart from the box that shows it: the line
// form, splitting and normalising the box text, sorting and de-duplicating,
// joining, membership, ticking and unticking (one row or many), Check Custom
// matching and the "Basket.txt" file.
//
// Every operation takes the Basket box text as it stands and gives back the
// new text; comparisons are case-sensitive whole-line comparisons throughout.
// All of it is linear in the Basket (or n log n where it sorts).
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <memory>
#include <string_view>
#include <unordered_set>
#include "Utilities.h"

extern const char szBasketFileName[];   // "Basket.txt"

// The two options that shape the Basket after every change through the list.
struct BASKET_OPTIONS
{
    bool bSort;
    bool bDedupe;
};

// What ticking a row adds: the phrase, one space, the query-count text.
CString MakeBasketLine(const CString& sPhrase, const CString& sQueries);

// Appends the non-empty lines of the text to aLines after normalising it: CR
// becomes LF, tab becomes space, runs of spaces shrink (the run's length is
// halved, rounding up, five times over), and the text is cut at LF. Lines
// longer than any limit are kept whole.
void SplitBasketLines(const CString& sText, CStringArray& aLines);

// Ascending byte order (equal lines are the same bytes, so the order among
// them is immaterial).
void SortLines(CStringArray& aLines);

// Keeps the first of equal lines, in place.
void RemoveDuplicateLines(CStringArray& aLines);

// The lines joined with CR LF between them and none after the last.
CString JoinBasketLines(const CStringArray& aLines);

// Sorts, then de-duplicates, as the options say.
void ReshapeBasketLines(CStringArray& aLines, const BASKET_OPTIONS& options);

// The Basket line array exports and copies read: the text cut at every CR LF,
// the non-empty pieces, with no other normalisation.
void CutBasketText(const CString& sText, CStringArray& aLines);

// Ticking one row: the line goes first, the whole is split, reshaped and
// joined again. Returns the new box text.
CString AddToBasket(const CString& sBoxText, const CString& sLine, const BASKET_OPTIONS& options);

// Unticking one row: every line equal to it goes. Returns the new box text.
CString RemoveFromBasket(const CString& sBoxText, const CString& sLine, const BASKET_OPTIONS& options);

// Ticking (or unticking) many rows at once, in the order given, with exactly
// the box text that ticking (or unticking) them one by one would leave.
CString AddLinesToBasket(const CString& sBoxText, const CStringArray& aLines, const BASKET_OPTIONS& options);
CString RemoveLinesFromBasket(const CString& sBoxText, const CStringArray& aLines,
                              const BASKET_OPTIONS& options);

// Whether some line of the box text equals the given Basket line.
bool IsInBasket(const CString& sBoxText, const CString& sLine);

// The lines of one box text in a hash set, for the result list's refill: one
// lookup per row, whatever the size of the Basket.
class CBasketLineSet
{
public:
    CBasketLineSet() {}
    explicit CBasketLineSet(const CString& sBoxText) { SetText(sBoxText); }
    CBasketLineSet(const CBasketLineSet&) = delete;
    CBasketLineSet& operator=(const CBasketLineSet&) = delete;

    void SetText(const CString& sBoxText);
    bool Contains(const CString& sLine) const;
    bool Contains(const CString& sPhrase, const CString& sQueries) const
    {
        return Contains(MakeBasketLine(sPhrase, sQueries));
    }

private:
    std::unique_ptr<char[]> m_pBuffer;   // the lines the set's views point into
    std::unordered_set<std::string_view> m_set;
};

// Check Custom: the entered text split into words as the Basket is.
void SplitCustomWords(const CString& sEntered, CStringArray& aWords);
// Whether the phrase contains one of the words (case-sensitive substring).
bool PhraseContainsAnyWord(const CString& sPhrase, const CStringArray& aWords);

// "Basket.txt" in the given folder (a trailing backslash is added when
// missing).
CString GetBasketFilePath(LPCSTR pszFolder);

// Reads the whole file; false (text emptied) when it cannot be read.
bool LoadBasketFile(LPCSTR pszPath, CString& sText);

// Writes the text in one write to the path + ".tmp", then puts that file in
// place of the old one. A failure leaves the old file whole, removes the
// temporary one and gives the reason in *psError.
bool SaveBasketFile(LPCSTR pszPath, const CString& sText, CString* psError = NULL);
