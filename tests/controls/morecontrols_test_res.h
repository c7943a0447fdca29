// Resources of the edit control's tests.
#pragma once

#define IDR_EDITEX_TEST_MENU    4800    // menu
#define ID_EDITEX_TEST_FIRST    34800
#define ID_EDITEX_TEST_SECOND   34801
