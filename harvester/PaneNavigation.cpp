// The browser pane's navigation rule.
//
// Why it is this strict: the pane shows pages fetched from the network, so
// every address it is asked to open may come from remote content. Only the
// maker's own pages load in the pane; only web and mail addresses the user
// followed in the pane itself reach the shell (which starts the user's browser
// or mail program); frames of a page, local files, network shares, scripts and
// other protocol handlers never do.
#include "PaneNavigation.h"
#include "SiteAddresses.h"

namespace {

bool StartsWithNoCase(const CString& s, const char* prefix)
{
    int n = (int)strlen(prefix);
    return s.GetLength() >= n && s.Left(n).CompareNoCase(prefix) == 0;
}

// Characters that never belong in an address handed on: controls and blanks
// (an address is one word), quotes and angle brackets (they could close a
// quoted argument of the program that opens it), and the backslash (a share
// path or an authority some parsers read differently).
bool HasUnsafeCharacter(const CString& s)
{
    for (int i = 0; i < s.GetLength(); i++) {
        unsigned char c = (unsigned char)s[i];
        if (c <= 0x20 || c == 0x7F || c == '"' || c == '\'' || c == '<' || c == '>' || c == '\\' || c == '`' ||
            c == '^' || c == '{' || c == '}' || c == '|')
            return true;
    }
    return false;
}

}  // namespace

// Comparison form: the scheme and host are case-insensitive in an address,
// the default port (80 for http, 443 for https) is the same as none, and an
// empty path is the root "/". The path, query and fragment stay as written:
// a server may tell their case apart, and "#x" or "?y" make another address.
// A user name or password in front of the host ("http://a@b/") gives no
// comparison form: such an address is never one of the maker's pages.
CString NormalizePaneAddress(LPCTSTR lpszURL)
{
    CString url(lpszURL != NULL ? lpszURL : "");
    if (url.IsEmpty() || HasUnsafeCharacter(url))
        return CString();

    int colon = url.Find(':');
    if (colon <= 0)
        return CString();
    CString scheme = url.Left(colon);
    scheme.MakeLower();
    int defaultPort;
    if (scheme == "http")
        defaultPort = 80;
    else if (scheme == "https")
        defaultPort = 443;
    else
        return CString();
    if (url.Mid(colon + 1, 2) != "//")
        return CString();

    int hostStart = colon + 3;
    int hostEnd = hostStart;
    while (hostEnd < url.GetLength() && url[hostEnd] != '/' && url[hostEnd] != '?' && url[hostEnd] != '#')
        hostEnd++;
    CString authority = url.Mid(hostStart, hostEnd - hostStart);
    CString rest = url.Mid(hostEnd);
    if (authority.IsEmpty() || authority.Find('@') >= 0)
        return CString();

    CString host = authority;
    CString port;
    int portSep = authority.ReverseFind(':');
    if (portSep >= 0) {
        host = authority.Left(portSep);
        port = authority.Mid(portSep + 1);
        if (port.GetLength() > 5)
            return CString();
        for (int i = 0; i < port.GetLength(); i++)
            if (port[i] < '0' || port[i] > '9')
                return CString();
        if (!port.IsEmpty() && atoi(port) == defaultPort)
            port.Empty();
    }
    if (host.IsEmpty() || host.Find(':') >= 0)
        return CString();
    host.MakeLower();
    if (!port.IsEmpty())
        host += ":" + port;

    if (rest.IsEmpty() || rest[0] != '/')
        rest = "/" + rest;
    return scheme + "://" + host + rest;
}

bool IsPanePage(LPCTSTR lpszURL)
{
    static const char* const kPages[] = {PELLUCOR_PANE_PAGE_1, PELLUCOR_PANE_PAGE_2, PELLUCOR_PANE_PAGE_3,
                                         PELLUCOR_PANE_PAGE_4};
    CString normal = NormalizePaneAddress(lpszURL);
    if (normal.IsEmpty())
        return false;
    for (const char* page : kPages)
        if (normal == NormalizePaneAddress(page))
            return true;
    return false;
}

CString PaneAppCommand(LPCTSTR lpszURL)
{
    CString url(lpszURL != NULL ? lpszURL : "");
    if (!StartsWithNoCase(url, "app:") || url.GetLength() < 5)
        return CString();
    char c = url[4];
    if (c == '0' || c == '1' || c == '2' || c == '3' || c == '9')
        return CString(c);
    return CString();
}

PaneNavigation DecidePaneNavigation(LPCTSTR lpszURL, bool bTopLevel)
{
    CString url(lpszURL != NULL ? lpszURL : "");
    // "app:" first: it is the page talking to the program, whatever frame it
    // comes from, and no shell handler may ever see it.
    if (StartsWithNoCase(url, "app:"))
        return paneAppCommand;
    if (IsPanePage(url))
        return paneLoad;
    if (!bTopLevel || HasUnsafeCharacter(url))
        return paneCancel;
    if (StartsWithNoCase(url, "http:") || StartsWithNoCase(url, "https:"))
        return NormalizePaneAddress(url).IsEmpty() ? paneCancel : paneOpenInShell;
    if (StartsWithNoCase(url, "mailto:") && url.GetLength() > 7)
        return paneOpenInShell;
    return paneCancel;
}
