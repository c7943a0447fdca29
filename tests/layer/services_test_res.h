// Resource ids of the tests of the layer's services for bars, toolkit and
// grid (runtime-class templates, thread state, small globals, drag and drop,
// trackers, splitters, file dialogs): 6000-6999.
#pragma once

#define IDS_SVC_FORMAT2     6001   // "%2 before %1, %% stays, %3 past the end"
#define IDS_SVC_FORMAT1     6002   // "Cannot open %1."
#define IDS_SVC_LETTERS     6003   // "%A|%B|%Z"

#define IDD_SVC_PANEL       6100   // a child template: push buttons, an auto check box, an edit
#define IDC_SVC_HANDLED     6101   // push button: the target's update handler disables it
#define IDC_SVC_UNHANDLED   6102   // push button: no handler anywhere
#define IDC_SVC_AUTOCHECK   6103   // auto check box: no handler anywhere
#define IDC_SVC_EDIT        6104   // edit: no handler anywhere
#define IDC_SVC_REFLECTED   6105   // push button subclassed with its own reflected update handler

#define IDD_SVC_FILECHILD   6200   // the child template of a file dialog: a check box and a text
#define IDC_SVC_PREVIEW     6201
#define IDC_SVC_INFO        6202
