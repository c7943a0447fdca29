// controls_test_res.h - resource ids of the window controls' tests
// (controls_test.rc; the framework's tests use its tool bar and tray menu too).
// Each area keeps its ids in a block of its own.
#pragma once

// ---------------------------------------------------------------------------
// Owner-drawn menu: a menu with a pop-up, a nested pop-up and accelerator
// texts, and a tool bar whose images the menu takes.
// ---------------------------------------------------------------------------
#define IDR_BCMENU_TEST                 3100    // menu
#define IDR_BCMENU_TOOLBAR              3101    // tool bar and its bitmap
#define ID_BCMENU_NEW                   33100
#define ID_BCMENU_OPEN                  33101
#define ID_BCMENU_SAVE                  33102
#define ID_BCMENU_EXIT                  33103
#define ID_BCMENU_CUT                   33104
#define ID_BCMENU_NOT_ON_BAR            33105
#define ID_BCMENU_DEEP                  33106

// ---------------------------------------------------------------------------
// Owner-drawn button ("button"): the drop-down menu of the button tests.
// ---------------------------------------------------------------------------
#define IDR_BUTTONST_MENU               3200    // menu
#define ID_BUTTONST_FIRST               33200
#define ID_BUTTONST_SECOND              33201
#define IDI_BUTTONST_TEST               3202    // a 16 x 16 icon (buttonst_test.rc)

// ---------------------------------------------------------------------------
// Label ("dlgbase"): a dialog whose static text the dialog base takes over as
// a label.
// ---------------------------------------------------------------------------
#define IDD_LABEL_HOST                  3300
#define IDC_LABEL_HOST_TEXT             3301

// ---------------------------------------------------------------------------
// Tray icon ("tray"): the tray menu of the tray tests; its id is the icon's id.
// ---------------------------------------------------------------------------
#define IDR_TRAY_TEST                   3400    // menu
#define ID_TRAYTEST_SHOW                33400
#define ID_TRAYTEST_HIDE                33401
#define ID_TRAYTEST_EXIT                33402
