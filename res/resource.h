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
