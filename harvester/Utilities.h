// Utilities.h - small application helpers that need no window: numbers and
// escapes as text, the UTF-8 pair table for code page 1251, line splitting,
// pumping the messages waiting.
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <afxwin.h>

// Decimal text of an unsigned number ("%u"); the page numbers of requests and
// of next-page links are written with it.
CString NumberToText(UINT nNumber);

// "%" and two upper-case hexadecimal digits, as CFormula::ByteToHex.
CString ByteToEscape(BYTE by);

// One code page 1251 byte for a two-byte UTF-8 sequence of a small Cyrillic
// letter (а to я, ё); a space for every other pair.
BYTE Utf8PairToCp1251(BYTE byLead, BYTE byTrail);

// Fills aLines with the non-empty LF-separated pieces of the text, CR and LF
// removed; the last piece also loses its spaces.
void SplitAtLineFeeds(const CString& sText, CStringArray& aLines);

// Lets the application pump every message waiting in the thread's queue.
// Returns 1 once the queue is empty; 0 when pumping met a quit request, which
// is posted again (exit code 0) for the caller's own loop to see.
int PumpPendingMessages();

// The active window of an application (its thread's m_pActiveWnd): whether
// it is set and still a window, and showing it with a show command when so.
BOOL HasActiveWindow(const CWinThread* pApp);
void ShowActiveWindow(CWinThread* pApp, int nCmdShow);

// Hash of a whole CString's bytes, for hash sets of phrases and Basket lines
// (comparisons stay case-sensitive and whole-string).
struct CStringHash
{
    size_t operator()(const CString& s) const;
};
