// Where an address the browser pane is about to open should go. Kept apart
// from the window so that the rule can be checked with a table of addresses.
#pragma once

#include <afx.h>

enum PaneNavigation
{
    paneLoad,         // one of the maker's pages: shown in the pane
    paneOpenInShell,  // a web or mail address the user followed: the user's own programs open it
    paneAppCommand,   // an "app:" command of the page: never loaded, never handed to the shell
    paneCancel        // anything else: dropped silently
};

// bTopLevel: the navigation is the pane's own (a followed link, a script
// setting the page's location), not a frame or inline frame of the page.
PaneNavigation DecidePaneNavigation(LPCTSTR lpszURL, bool bTopLevel);

// The address in the form the pane compares: scheme and host in lower case,
// the scheme's default port left out, an empty path written "/". Empty when
// the address is not an http or https address with a plain host.
CString NormalizePaneAddress(LPCTSTR lpszURL);

// One of the four pages the pane shows itself.
bool IsPanePage(LPCTSTR lpszURL);

// The one-character command of an "app:" address ("0", "1", "2", "3" or "9"),
// or an empty string when the address carries no command the pane knows.
CString PaneAppCommand(LPCTSTR lpszURL);
