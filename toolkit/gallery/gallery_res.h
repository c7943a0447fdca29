// gallery_res.h - the gallery pages' resources (gallery.rc), ids 19000-19999.
// Tests of the toolkit link them too.
#pragma once

#define IDB_GALLERY_STAR                19000   // 24 x 24, 8 bits, magenta clear
#define IDI_GALLERY_GLOBE               19001   // 32 x 32, 8 bits
#define IDR_GALLERY_LIST_SHEET          19002   // an .ico file's bytes (32 and 16), for the image list box

// The four colour buttons as the grid column set-up dialog has them.
#define IDD_GALLERY_COLOR_BUTTONS       19100
#define IDC_COLOR_BACKGROUND            5027
#define IDC_COLOR_TEXTBACKGROUND        5028
#define IDC_COLOR_TEXT                  1063
#define IDC_COLOR_GRIDLINES             1064

// The customize manager's sample pages: their 32 x 32 pictures (grey 192
// clear) and the template they share.
#define IDB_GALLERY_PAGE_COLOURS        19003
#define IDB_GALLERY_PAGE_WINDOW         19004
#define IDB_GALLERY_PAGE_STOP           19005
#define IDB_GALLERY_PAGE_IDLE           19006
#define IDD_GALLERY_CUSTOMIZE_PAGE      19110
#define IDC_GALLERY_PAGE_TEXT           19111
#define IDC_GALLERY_PAGE_CHECK          19112
#define IDC_GALLERY_PAGE_STATUS         19113

// The splash window and tray icon customize pages in the gallery's manager:
// the program's splash picture (240 x 120, magenta clear) and its tray menu.
#define IDB_GALLERY_SPLASH              19120
#define IDR_GALLERY_TRAY_MENU           19121
#define ID_GALLERY_TRAY_OPEN            19122
#define ID_GALLERY_TRAY_ABOUT           19123

// The gallery program's Skin menu.
#define ID_GALLERY_SKIN_CLASSIC         19200
#define ID_GALLERY_SKIN_XP              19201
#define ID_GALLERY_SKIN_2003            19202
#define ID_GALLERY_SKIN_NONE            19203

// The cool tool bars page: commands with a prompt and a tip each, and the
// frame's menu the menu texts come from.
#define ID_GALLERY_BAR_SEARCH           19300
#define ID_GALLERY_BAR_SHOP             19301
#define ID_GALLERY_BAR_VIDEO            19302
#define ID_GALLERY_BAR_NEWS             19303
#define ID_GALLERY_BAR_EXPORT           19304
#define ID_GALLERY_BAR_FILTER           19305
#define ID_GALLERY_BAR_STOP             19306
#define ID_GALLERY_BAR_HISTORY          19307
#define IDR_GALLERY_BAR_MENU            19310

// The shortcut keys and tool bars customize pages work on a sample frame
// whose main menu the shortcut keys page reads (always 128; the toolkit's
// tests read it too). One of its commands has no string.
#define IDR_GALLERY_SK_MAINMENU         128
#define ID_GALLERY_SK_NOSTRING          19399
