// Resource ids of the edits tests' own dialogs (18000-18999).
#pragma once

#define IDD_ET_NUMBERS      18100
#define IDC_ET_NUMERIC      18101
#define IDC_ET_CURRENCY     18102
#define IDC_ET_CALCULATOR   18103
#define IDC_ET_PHYSICAL     18104
