// Resources of the edit control's, the shortcut editor's and the rich edit's
// tests.
#pragma once

#define IDR_EDITEX_TEST_MENU    4800    // menu
#define ID_EDITEX_TEST_FIRST    34800
#define ID_EDITEX_TEST_SECOND   34801

// The dialog a dynamic sizing bar hosts in its tests.
#define IDD_DYNBAR_TEST         4810
#define IDC_DYNBAR_TEST_EDIT    4811
#define IDC_DYNBAR_TEST_BUTTON  4812
#define ID_DYNBAR_TEST_COMMAND  34810
