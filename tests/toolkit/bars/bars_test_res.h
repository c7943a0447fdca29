// Resource ids of the bars tests' own resources (18000-18999).
#pragma once

#define IDB_BT_PANE_SMALL   18300   // 8 x 6: red, its last column magenta
#define IDB_BT_PANE_LARGE   18301   // 200 x 40: red left half, blue right half
