// Resources of the dynamic sizing bar's tests: the dialog the bar hosts.
#pragma once

#define IDD_DYNBAR_TEST         4810
#define IDC_DYNBAR_TEST_EDIT    4811
#define IDC_DYNBAR_TEST_BUTTON  4812
#define ID_DYNBAR_TEST_COMMAND  34810
