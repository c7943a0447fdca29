// Resource ids of the tooltip tests' strings.
#pragma once
#define IDS_TIP_OPEN        40001
#define IDS_TIP_SAVE        40002
#define IDS_TIP_MENU_ITEM   40010
#define IDS_TIP_MENU_OFF    40011
