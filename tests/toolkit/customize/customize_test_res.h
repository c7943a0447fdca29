#pragma once
#define IDR_CT_MDIFRAME 1000
#define IDR_CT_DOC 1001
#define IDD_CT_LAYOUT 18000
#define IDC_CT_NAME 18001
#define IDC_CT_LIST 18002
#define IDD_CT_PAGE 18010
#define IDC_CT_PAGE_EDIT 18011
#define IDD_CT_PAGE_MISSING 18012
// The tray icon page's menus: one whose first submenu is the tray menu, one
// with no submenu at all.
#define IDR_CT_TRAY 18020
#define IDR_CT_TRAY_FLAT 18021
#define ID_CT_TRAY_OPEN 18022
#define ID_CT_TRAY_EXIT 18023
// The shortcut keys page: a document type's menu and its command.
#define IDR_CT_SK_DOCMENU 18040
#define ID_CT_SK_SHEET 18035
