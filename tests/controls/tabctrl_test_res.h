// Resources of the dialog tab control's tests.
#pragma once

#define IDD_TABCTRL_PAGE1   4750
#define IDD_TABCTRL_PAGE2   4751
#define IDD_TABCTRL_PAGE3   4752
#define IDB_TABCTRL_IMAGES  4760
#define IDC_TABCTRL_EDIT    4770
