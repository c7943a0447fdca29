// The addresses of the maker's sites that the program opens or shows.
// Kept here, in one place, so that the view's buttons, the ad pane's pages and
// the browser pane's list of pages it may show never drift apart.
#pragma once

// The maker's site, as named in the Get New Version tooltip.
#define PELLUCOR_SITE_ADDRESS      "http://www.dunmorrow.example/"

// Opened in the user's browser by Get New Version and Help.
#define PELLUCOR_NEW_VERSION_URL   "http://www.dunmorrow.example/pellucor/download.html"
#define PELLUCOR_HELP_URL          "http://www.dunmorrow.example/pellucor/help.html"

// The two pages the ad pane starts on (even and odd seconds of the clock).
#define PELLUCOR_AD_PAGE_EVEN      "http://www.dunmorrow.example/pellucor/news.html"
#define PELLUCOR_AD_PAGE_ODD       "http://www.dunmorrow.example/pellucor/tips.html"

// The only addresses the browser pane shows itself: three pages of the maker's
// site and the root of its second site. Every other address is the user's
// browser's business (or none at all).
#define PELLUCOR_PANE_PAGE_1       PELLUCOR_AD_PAGE_EVEN
#define PELLUCOR_PANE_PAGE_2       PELLUCOR_AD_PAGE_ODD
#define PELLUCOR_PANE_PAGE_3       "http://www.dunmorrow.example/pellucor/"
#define PELLUCOR_PANE_PAGE_4       "http://pellucor.dunmorrow.example/"
