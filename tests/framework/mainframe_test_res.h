// Resources of the main frame base tests.
#pragma once

// The main tool bar's images: two 32-pixel pictures each, blue and green in
// the normal bitmap, red and yellow in the hot one, on a silver ground.
#define IDB_MAINFRAME_TEST_NORMAL    4720
#define IDB_MAINFRAME_TEST_HOT       4721
