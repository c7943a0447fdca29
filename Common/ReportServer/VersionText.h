// VersionText.h - the program's version text, built from the version resource
// of its own file ("Pellucor version 4.0", "Pellucor Beta 9.3", ...).
#pragma once

#include <afx.h>

// The version text of the running program's file; "Application" when the file
// has no version resource, empty when its fixed part cannot be read. bNoName
// drops the product name from a beta release's text ("version 1.2.0.5 beta").
CString GetVersionText(bool bNoName = false);

// The same text from a product name and the two version words of the fixed
// file information (most and least significant).
CString FormatVersionText(LPCSTR pszProductName, DWORD dwVersionMS, DWORD dwVersionLS, bool bNoName);
