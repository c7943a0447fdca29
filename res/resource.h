// Resource ids of the Pellucor program.
#pragma once

#define IDR_MAINFRAME                   128
#define IDD_PELLUCOR_FORM               101

// Main view (form 101)
#define IDC_KEYWORD                     1000
#define IDC_RESULTS                     1001
#define IDC_BASKET                      1002
#define IDC_SETTINGS                    1003
#define IDC_CHECK_ALL                   1004
#define IDC_EXIT                        1005
#define IDC_COPY                        1006
#define IDC_UNCHECK_ALL                 1007
#define IDC_GET_NEW_VERSION             1011
#define IDC_HELP_SITE                   1012
#define IDC_BACK                        1013
#define IDC_SAVE                        1014
#define IDC_CHECK_CUSTOM                1015
#define IDC_GO                          1016
#define IDC_PAGE_PROGRESS               1018
#define IDC_AD_PLACEHOLDER              1019
#define IDC_STOP                        1020
#define IDC_RUN_PROGRESS                1022
#define IDC_AD_PANE                     1319   // the browser pane made in 1019's place

// Button images of the main view: an icon and a bitmap under each id of the
// first eight, an icon alone under the last two.
#define IDR_IMAGE_SETTINGS              134
#define IDR_IMAGE_GET_NEW_VERSION       137
#define IDR_IMAGE_CHECK_ALL             138
#define IDR_IMAGE_EXIT                  139
#define IDR_IMAGE_COPY                  140
#define IDR_IMAGE_HELP                  141
#define IDR_IMAGE_BACK                  143
#define IDR_IMAGE_SAVE                  144
#define IDI_UNCHECK_ALL                 167
#define IDI_CHECK_CUSTOM                505
// The tray icon's second picture while a harvest runs (the first is the
// tray's own icon, IDR_TRAY).
#define IDI_TRAY_BUSY                   508

// General settings: the option page (a child dialog) and the small dialog
// that hosts it
#define IDD_SETTING_PAGE_GENERAL        112
#define IDC_SHOW_TIPS                   1003
#define IDC_KEEP_LOG                    1006
#define IDC_AUTO_SAVE                   1010
#define IDC_SAVE_MINUTES                1055
#define IDC_SAVE_MINUTES_SPIN           1058
#define IDD_GENERAL_SETTINGS            114
#define IDC_GENERAL_PAGE_AREA           1060
#define ID_GENERAL_SETTINGS             35059

// Check Custom's text-input dialog
#define IDD_INPUT_STRING                126
#define IDC_INPUT_STRING                1208   // the edit the text-input dialog of the framework reads

// Export and Copy drop-down menus (also the "Keyword" menu of the main window)
#define IDR_EXPORT_MENU                 138
#define IDR_COPY_MENU                   139
// The main window: its tool bars, tray menu and commands
#define IDR_COPY_EXPORT_BAR             135
#define IDR_TRAY                        142
#define ID_COPY_DROPDOWN                4
#define ID_EXPORT_DROPDOWN              35015
#define ID_PROGRAM_SETTINGS             35009
#define ID_ERROR_READER                 35010
#define ID_SERVICE_SETTINGS             35058
#define ID_VIEW_FULL_SCREEN             35001
#define ID_HELP_MAIL_SUPPORT            35002
#define ID_TRAY_SHOW                    33001
#define ID_TRAY_MINIMIZE                32077
#define ID_TRAY_ALWAYS_ON_TOP           32079

// Copy-as commands
#define ID_COPY_ASTEXT                  35027
#define ID_COPY_ASHTMLTABLE             35028
#define ID_COPY_ASCOMMALIST             35029
#define ID_COPY_ASMETATAG               35030
#define ID_COPY_ADWORDS_BROADMATCH      35055
#define ID_COPY_ADWORDS_PHRASEMATCH     35056
#define ID_COPY_ADWORDS_EXACTMATCH      35057

// --- harvest components ---
// Settings dialog
#define IDD_SETTINGS                    129
// The harvest parameters dialog: carried, never opened.
#define IDD_PARAM_HARVEST               140
#define IDC_PARAM_RADIO1                1020
#define IDC_PARAM_RADIO2                1021
#define IDC_PARAM_EDIT                  1022
#define IDC_SORT_BASKET                 1009
#define IDC_DEDUPE_BASKET               1010
#define IDC_SETTINGS_LEVELS             1019
#define IDC_SETTINGS_PAGES              1020
#define IDC_DIG_GROUP                   1023
#define IDC_DIG_BY_SAMPLE               1025
#define IDC_DIG_BY_ALL                  1026
// Export progress dialog
#define IDD_EXPORT_AND_COPY             137
#define IDC_EXPORT_PROGRESS             1002
// Export commands
#define ID_EXPORT_TOHTMLFILE            35018
#define ID_EXPORT_TOTEXTFILE            35019
#define ID_EXPORT_TOMETATAG             35020
#define ID_EXPORT_TOCSVFILE             35021
#define ID_EXPORT_TOEXCEL               35022
#define ID_EXPORT_ADWORDS_BROADMATCH    35044
#define ID_EXPORT_ADWORDS_PHRASEMATCH   35045
#define ID_EXPORT_ADWORDS_EXACTMATCH    35046
// --- end of harvest components ---
