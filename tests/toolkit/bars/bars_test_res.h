// Resource ids of the bar tests (18000-18999).
#pragma once

#define IDS_BT_SEARCH 18101   // prompt and tip
#define IDS_BT_EXPORT 18102   // prompt only
#define ID_BT_NOSTRING 18103  // a command without a string
#define IDS_BT_OPEN 18104     // prompt and tip; in the menu with an accelerator
#define IDR_BT_MENU 18190

#define IDB_BT_PANE_SMALL   18300   // 8 x 6: red, its last column magenta
#define IDB_BT_PANE_LARGE   18301   // 200 x 40: red left half, blue right half
