// controls_res.h - resource ids of the window controls' own resources
// (controls.rc). Each control keeps its ids in a block of its own.
#pragma once

// ---------------------------------------------------------------------------
// Keyboard-shortcut editor: its dialog and controls.
// ---------------------------------------------------------------------------
#define IDD_ACCEL_MAP                   3600
#define IDC_ACCEL_COMMANDS              3601
#define IDC_ACCEL_LIST                  3602
#define IDC_ACCEL_KEY                   3603
#define IDC_ACCEL_OWNER                 3604
#define IDC_ACCEL_ASSIGN                3605
#define IDC_ACCEL_REMOVE                3606
#define IDC_ACCEL_RESET                 3607

// ---------------------------------------------------------------------------
// Rich edit: its context menu and the tool bar whose images the menu takes.
// ---------------------------------------------------------------------------
#define IDR_AUTORICHEDIT_TOOLBAR        129     // tool bar and its bitmap
#define IDR_AUTORICHEDIT_MENU           133     // menu
#define ID_AUTORICHEDIT_UNDO            32777
#define ID_AUTORICHEDIT_CUT             32778
#define ID_AUTORICHEDIT_DELETE          32781
#define ID_AUTORICHEDIT_SELECT_ALL      32782
#define ID_AUTORICHEDIT_COPY            32783
#define ID_AUTORICHEDIT_PASTE           32784
