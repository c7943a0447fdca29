// framework_res.h - resource ids of the application framework (framework.rc).
// Each area keeps its ids in a block of its own.
#pragma once

// ---------------------------------------------------------------------------
// Trace log: the log window's menu and template, its form and note dialog,
// its texts, and the texts of socket errors the system has no message for.
// ---------------------------------------------------------------------------
#define IDR_TRACE_LOG                   121     // template, frame menu
#define IDD_TRACE_LOG                   130     // the log view's form
#define IDD_TRACE_NOTE                  132     // "Trace Event Note"

#define IDS_TRACE_SAMPLE_FORMAT_LINE    113
#define IDS_TRACE_TESTED_TIMES          135
#define IDS_TRACE_TESTED_TIME           136
#define IDS_TRACE_SAMPLE_COMMENT        145
#define IDS_TRACE_SAMPLE_ERROR          147

#define IDS_TRACE_UNKNOWN_ERROR         5000
#define IDS_TRACE_SAVE_FILTER           5001
#define IDS_TRACE_SAVE_TITLE            5002
#define IDS_TRACE_SAVE_AS_TITLE         5003
#define IDS_TRACE_SAVE_FAILED           5004
#define IDS_TRACE_LOG_TITLE             5005
#define IDS_TRACE_ENTRIES_DELETED       5006

#define IDC_TRACE_LIST                  1000
#define IDC_TRACE_FIRST                 1002
#define IDC_TRACE_PREV_ERROR            1004
#define IDC_TRACE_NEXT_ERROR            1005
#define IDC_TRACE_LAST                  1007
#define IDC_TRACE_LIMIT_EDIT            1012
#define IDC_TRACE_LIMIT                 1013
#define IDC_TRACE_NOTE                  1015
#define IDC_TRACE_NOTE_TEXT             1018
#define IDC_TRACE_SET                   1021
#define IDC_TRACE_DISK                  1022

#define ID_TRACE_TEST_COMMENT           32774
#define ID_TRACE_TEST_ERROR             32775
#define ID_TRACE_TEST_FORMAT_ERROR      32776
#define ID_TRACE_TEST_FORMAT_MESSAGE    32777
#define ID_TRACE_TEST_DATA_BINARY       32779
#define ID_TRACE_TEST_DATA_STRING       32780

// ---------------------------------------------------------------------------
// Dynamic layout ("layout"): the resizable test dialog and form.
// ---------------------------------------------------------------------------
#define IDD_LAYOUT_DIALOG               3901
#define IDD_LAYOUT_FORM                 3902
#define IDD_LAYOUT_PAGE                 3903
#define IDC_LAYOUT_EDIT                 3910
#define IDC_LAYOUT_LIST                 3911
#define IDC_LAYOUT_CENTRE               3912
#define IDC_LAYOUT_HALF                 3913
#define IDC_LAYOUT_REST                 3914
#define IDC_LAYOUT_SQUEEZE              3915
#define IDC_LAYOUT_MISSING              3916

// ---------------------------------------------------------------------------
// Dialog base and input dialogs ("dlgbase"): the date dialog's template, a
// text-input template, the OK and Cancel icons, and the dialog base's test
// template with its context menu.
// ---------------------------------------------------------------------------
#define IDI_INPUT_CLOSE                 160     // Cancel: close without saving
#define IDI_INPUT_SAVE                  161     // OK: save and close
#define IDD_INPUT_DATE                  231     // CBaseInputDateDlg
#define IDD_INPUT_TEXT                  233     // a template for CBaseInputStringDlg
#define IDD_BASEDLG_TEST                234
#define IDR_BASEDLG_CONTEXT             235
#define IDC_INPUT_DATE_PICKER           1179
#define IDC_INPUT_TEXT                  1208
#define IDC_BASEDLG_EDIT                1240
#define IDC_BASEDLG_BUTTON              1241
#define IDC_BASEDLG_LABEL               1242
#define ID_BASEDLG_NO_CONTROL           32790
#define ID_BASEDLG_NO_CONTROL_GRAYED    32791

// ---------------------------------------------------------------------------
// Tool-bar images ("images"): a two-button 4 x 4 strip for the image tests.
// ---------------------------------------------------------------------------
#define IDB_IMAGES_TEST                 3960

// ---------------------------------------------------------------------------
// Splash, tip of the day and about box.
// ---------------------------------------------------------------------------
#define IDD_SPLASH                      1169    // CSplashDialog
#define IDC_SPLASH_PROGRESS             1002
#define IDC_SPLASH_STATUS               1018    // "Loading (n%)..."
#define IDC_SPLASH_INFO                 1029    // read-only multi-line edit
#define IDC_SPLASH_PICTURE              1340
#define IDC_SPLASH_LABEL                1341    // the caption, large
#define IDI_SPLASH                      115

#define IDD_TIP                         202     // CTipDlg
#define IDC_TIP_FRAME                   1001    // the header area, painted by the dialog
#define IDC_TIP_STARTUP                 1003
#define IDC_TIP_NEXT                    1011
#define IDC_TIP_TEXT                    1020
#define IDB_TIP_HEADER                  110
#define IDI_TIP_NEXT                    504

#define IDD_ABOUT                       201     // CAboutDlg
#define IDC_ABOUT_TEXT                  1008    // taken over by CAboutCtrl
#define IDB_ABOUT_TILE                  114     // the moving background
#define IDB_ABOUT_WAVE                  115     // the waving picture

// ---------------------------------------------------------------------------
// Grid dialogs: the external-tools editor, the grid column set-up and their
// button icons. (The OK and Cancel icons are the input dialogs' 160 and 161.)
// The program's own script carries pictures under 167 and 505 (its check
// buttons) and defines PELLUCOR_PROGRAM_ICONS, so that the framework does not
// bring a second picture under those ids.
// ---------------------------------------------------------------------------
#define IDD_EXTERNAL_TOOLS              207     // CExternalToolDlg
#define IDD_SETUP_GRID                  329     // CSetupBasesGridDlg
#define IDI_GRID_UP                     162
#define IDI_GRID_DOWN                   163
#define IDI_GRID_ADD                    164
#define IDI_GRID_DELETE                 165
#define IDI_GRID_DELETE_ALL             166
#define IDI_GRID_HIDE_ALL               167
#define IDI_GRID_DEFAULT                174
#define IDI_GRID_CHOOSE                 502
#define IDI_GRID_SHOW_ALL               505

#define IDC_GRID                        1014    // the grid of grid dialogs and grid views
#define IDC_TOOLS_ADD                   1065
#define IDC_TOOLS_DELETE                1200
#define IDC_TOOLS_UP                    1201
#define IDC_TOOLS_DOWN                  1202
#define IDC_TOOLS_DELETE_ALL            1203
#define IDC_TOOLS_CHOOSE                1084
#define IDC_TOOLS_TITLE_LABEL           1088
#define IDC_TOOLS_COMMAND_LABEL         1090
#define IDC_TOOLS_ARGUMENTS_LABEL       1092
#define IDC_TOOLS_HOTKEY_LABEL          1093
#define IDC_TOOLS_TITLE                 1081
#define IDC_TOOLS_COMMAND               1086
#define IDC_TOOLS_ARGUMENTS             1079
#define IDC_TOOLS_HOTKEY                1080
#define IDC_TOOLS_MENU_ITEMS            1094

#define IDC_SETUP_COLUMNS               5026
#define IDC_SETUP_BACKGROUND            5027
#define IDC_SETUP_TEXT_BACKGROUND       5028
#define IDC_SETUP_TEXT_FOREGROUND       1063
#define IDC_SETUP_GRID_LINES            1064
#define IDC_SETUP_SHOW_ALL              1171
#define IDC_SETUP_HIDE_ALL              4
#define IDC_SETUP_DEFAULT               5
