// Resource ids of the layer's tests. Each area keeps to its own block.
#pragma once

// --- core: strings, time formats (1000-1999) ---
#define IDS_CORE_HELLO    1001   // "Hello, %s!"
#define IDS_CORE_LONG     1002   // "0123456789" 30 times (300 characters)
#define IDS_CORE_DATEFMT  1003   // "%Y/%m/%d"
#define IDS_CORE_MISSING  1004   // no such string

// --- dlg: dialogs and controls (2000-2999) ---
#define IDD_DLG_DDX          2000   // modal: name, count, check, 3 radios, drop list, Press, OK, Cancel
#define IDC_DLG_NAME         2001
#define IDC_DLG_COUNT        2002
#define IDC_DLG_CHECK        2003
#define IDC_DLG_RADIO1       2004   // starts the radio group
#define IDC_DLG_RADIO2       2005
#define IDC_DLG_RADIO3       2006
#define IDC_DLG_COMBO        2007   // drop list; ends the radio group
#define IDC_DLG_PRESS        2008
#define IDD_DLG_CONTROLS     2010   // modeless: owner-draw button, check list, list view, value edit
#define IDC_DLG_OWNERDRAW    2011
#define IDC_DLG_CHECKLIST    2012
#define IDC_DLG_LIST         2013
#define IDC_DLG_VALUE        2014

// --- doc: documents, views, frames, bars (3000-3999) ---
#define IDR_DOC_MAIN        3000   // single-document frame: document string, menu, accelerators,
                                   // tool bar (View, Document, separator, None, Check) and its bitmap
#define IDR_DOC_SHORT       3001   // a document string of one piece
#define IDR_DOC_TRAILING    3002   // a document string ending in empty pieces
#define IDR_DOC_WRTOOLBAR   3003   // tool bar in the TOOLBAR statement's layout (Frame, separator, View)
#define IDR_DOC_MDIFRAME    3004   // MDI main frame: title string, menu with File and Window
#define IDR_DOC_LOG         3005   // MDI child template: document string (name "Log"), menu
#define IDD_DOC_FORM        3100   // a form view's template, authored as a captioned popup
#define IDC_DOC_NAME        3101   // edit
#define IDC_DOC_BUTTON      3102   // push button
#define ID_DOC_VIEWCMD      3200   // handled by the view
#define ID_DOC_DOCCMD       3201   // handled by the document
#define ID_DOC_FRAMECMD     3202   // handled by the frame (Ctrl+T)
#define ID_DOC_BOTHCMD      3203   // handled by the view and the document
#define ID_DOC_NOHANDLER    3204   // handled by nothing
#define ID_DOC_CHECKCMD     3205   // handled by the frame, which checks it
#define ID_DOC_TEMPLATECMD  3206   // handled by the document template

// --- gdi: bitmaps and menus (4000-4999) ---
#define IDB_GDI_STRIP   4001   // 32x16, 4 bpp: a red 16x16 image (top-left pixel magenta), then a green one
#define IDR_GDI_MENU    4002   // File (Open, separator, Recent > One), Edit (Copy)
#define ID_GDI_OPEN     4101
#define ID_GDI_RECENT1  4102
#define ID_GDI_COPY     4103

// --- wnd, net: (5000-5999) ---

// --- net: property pages and common dialogs (5800-5899) ---
#define IDD_NET_PAGE1    5800   // property page "Text": edit IDC_NET_TEXT
#define IDD_NET_PAGE2    5801   // property page: edit IDC_NET_NUMBER (an integer)
#define IDC_NET_TEXT     5810
#define IDC_NET_NUMBER   5811
#define IDS_NET_PAGE2    5820   // "Number", the second page's tab
