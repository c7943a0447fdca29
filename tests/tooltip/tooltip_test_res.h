// Resource ids of the tooltip tests' strings.
#pragma once
#define IDS_TIP_OPEN        40001
#define IDS_TIP_SAVE        40002
#define IDS_TIP_MENU_ITEM   40010
#define IDS_TIP_MENU_OFF    40011
#define IDR_TIP_TOOLBAR     40020
#define IDI_TIP_SAVE        40030
#define IDS_TIP_PLAIN       40012
#define IDS_TIP_SHEET       40013
