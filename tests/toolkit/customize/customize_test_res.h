#pragma once
#define IDR_CT_MDIFRAME 1000
#define IDR_CT_DOC 1001
#define IDD_CT_LAYOUT 18000
#define IDC_CT_NAME 18001
#define IDC_CT_LIST 18002
