// FrameworkUtils.h - the framework's free helpers: number, date and time
// texts, month names and codes, files and folders, small text parsers,
// clipboard text, list and menu helpers, pickers and bitmap image lists.
// Failures come back as return values; the folder walks report a caught
// failure in a box captioned "catch".
#pragma once

#include <afxwin.h>
#include <afxcoll.h>
// Clipboard text and a bitmap's background colour, which the controls use too.
#include "ControlUtils.h"

class CListCtrl;

// ---------------------------------------------------------------------------
// Numbers, dates and times
// ---------------------------------------------------------------------------
CString IntToText(int nValue);
// "%d", with thousands separated by "," when bGroup is set: -1234 gives -1,234.
CString FormatInteger(int nValue, BOOL bGroup = TRUE);
CString FormatUnsigned(ULONGLONG nValue, BOOL bGroup = TRUE);
// nDecimals digits after the point; only the part before the point is grouped.
CString FormatFloat(float fValue, BOOL bGroup, int nDecimals);
CString FormatMoney(double dValue, BOOL bGroup = TRUE);
// Thousands grouping of the part before the first point of a number text.
CString GroupDigits(const CString& sNumber);

CString FormatTimeHHMMSS(const CTime& time);
CString FormatDateYYYYMMDD(const CTime& time);
// The time of day on 1 January 2001 (local time); an hour, minute or second
// out of range throws COleException E_FAIL.
CTime TimeFromHHMMSS(LPCTSTR lpszText);
// Local midnight of the date; a bad part throws COleException E_FAIL, a date
// the system cannot represent E_INVALIDARG.
CTime DateFromYYYYMMDD(LPCTSTR lpszText);

CString GetMonthName(int nMonth);                    // 1..12, else "Month error"
CString GetMonthNameFromCode(LPCTSTR lpszCode);      // F G H J K M N Q U V X Z
int GetMonthFromCode(LPCTSTR lpszCode);              // 1..12, else -1
int GetDaysInMonth(int nMonthIndex);                 // 0 = January; 29 for February
double RandomInRange(double a, double b);            // a <= result < b

// ---------------------------------------------------------------------------
// Files, folders and the shell
// ---------------------------------------------------------------------------
CString GetTempFolder();
CString GetSpecialFolder(int nCSIDL);
CString GetComputerNameText();
CString GetProgramFolder();                          // ends with a backslash
// Takes a CString so that it stays apart from helpers of the same name that
// take a plain pointer.
BOOL FileExists(const CString& sPath);
BOOL SaveGlobalMemoryToFile(HGLOBAL hMemory, LPCTSTR lpszPath);
// Every line followed by "\r\n"; "No file" when the file cannot be opened.
CString ReadTextFile(LPCTSTR lpszPath);
DWORD GetSizeFolderOrFile(LPCTSTR lpszPath);         // low 32 bits of the bytes
CString FormatFolderSize(LPCTSTR lpszPath, BOOL bShort);
BOOL DeleteFolderOrFile(LPCTSTR lpszPath);
BOOL GetAllFilesInThisFolder(LPCTSTR lpszPath, CStringArray& files, BOOL bRecursive, BOOL bFoldersOnly);
BOOL GetAllFilesSorted(LPCTSTR lpszPath, CStringArray& files, BOOL bRecursive, BOOL bFoldersOnly);
BOOL IsDriveRoot(LPCTSTR lpszText);
CString GetFileNameFromPath(LPCTSTR lpszPath);
CString GetExtensionFromPath(LPCTSTR lpszPath);
BOOL ShowFileProperties(LPCTSTR lpszPath);
BOOL SelectFolder(CString& sFolder, LPCTSTR lpszTitle);
BOOL PickIconA(HWND hWndOwner, LPSTR lpszPath, UINT nPathSize, int& nIconIndex);
BOOL PickIconW(HWND hWndOwner, LPWSTR lpszPath, UINT nPathSize, int& nIconIndex);

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------
// The text from nStart up to the next "\r\n"; nNext gets the position after
// it. Without a further "\r\n": an empty text and nNext 1.
CString GetLineAt(const CString& sText, int nStart, int& nNext);
CString LfToCrLf(const CString& sText);
CString CrLfToLf(const CString& sText);
void WriteStringToFile(CFile& file, const CString& sText);
void ReadStringFromFile(CFile& file, CString& sText);
// Field nIndex of a separated line; separators inside double quotes do not
// count. An index past the last field gives an empty text.
CString GetCsvField(const CString& sLine, char chSeparator, int nIndex);
// Text written into a file so that what reads the file takes it back as it
// was: in HTML text "&", "<" and ">" become entities, inside a single-quoted
// HTML attribute the apostrophe too; a double-quoted CSV field doubles each
// double quote (the quotes around it are the writer's).
enum TextEscape
{
    textEscapeNone,
    textEscapeHtml,
    textEscapeHtmlQuote,
    textEscapeCsvField
};
// What one character becomes; NULL: the character itself.
LPCSTR EscapeOfChar(TextEscape escape, char ch);
CString EscapeText(const CString& sText, TextEscape escape);
// The field as a CSV writer puts it: in double quotes, escaped.
CString QuoteCsvField(const CString& sText);
void SplitWords(const CString& sText, CStringArray& words);
int ExtractTableRow(CStringArray& cells, const CString& sPage, LPCTSTR lpszStart, LPCTSTR lpszEnd, int nStart,
                    LPCTSTR lpszRemove, LPCTSTR lpszBlank);
BOOL ParseQuoteTable(CStringArray& cells, const CString& sPage, LPCTSTR lpszTableStart, LPCTSTR lpszTableEnd,
                     LPCTSTR lpszCellMarker, LPCTSTR lpszName, LPCTSTR lpszAltTableEnd);

// ---------------------------------------------------------------------------
// Lists, menus, pickers, bitmap image lists
// ---------------------------------------------------------------------------
BOOL SelectListItem(int nIndex, CListCtrl* pList);
void UpdateMenuFromDialog(CMenu* pMenu, CWnd* pDialog);
BOOL ChooseColorValue(COLORREF& clr);
BOOL ChooseFontValue(COLORREF& clr, LOGFONT& lf);
BOOL LoadBitmapImageList(UINT nBitmapId, CImageList& imageList, int cx, int cy, UINT nFlags, int nInitial,
                         COLORREF clr);
