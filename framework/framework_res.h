// framework_res.h - resource ids of the application framework (framework.rc).
// Each area keeps its ids in a block of its own.
#pragma once

// ---------------------------------------------------------------------------
// Trace log: the log window's menu and template, its form and note dialog,
// its texts, and the texts of socket errors the system has no message for.
// ---------------------------------------------------------------------------
#define IDR_TRACE_LOG                   121     // template, frame menu
#define IDD_TRACE_LOG                   130     // the log view's form
#define IDD_TRACE_NOTE                  132     // "Trace Event Note"

#define IDS_TRACE_SAMPLE_FORMAT_LINE    113
#define IDS_TRACE_TESTED_TIMES          135
#define IDS_TRACE_TESTED_TIME           136
#define IDS_TRACE_SAMPLE_COMMENT        145
#define IDS_TRACE_SAMPLE_ERROR          147

#define IDS_TRACE_UNKNOWN_ERROR         5000
#define IDS_TRACE_SAVE_FILTER           5001
#define IDS_TRACE_SAVE_TITLE            5002
#define IDS_TRACE_SAVE_AS_TITLE         5003
#define IDS_TRACE_SAVE_FAILED           5004
#define IDS_TRACE_LOG_TITLE             5005
#define IDS_TRACE_ENTRIES_DELETED       5006

#define IDC_TRACE_LIST                  1000
#define IDC_TRACE_FIRST                 1002
#define IDC_TRACE_PREV_ERROR            1004
#define IDC_TRACE_NEXT_ERROR            1005
#define IDC_TRACE_LAST                  1007
#define IDC_TRACE_LIMIT_EDIT            1012
#define IDC_TRACE_LIMIT                 1013
#define IDC_TRACE_NOTE                  1015
#define IDC_TRACE_NOTE_TEXT             1018
#define IDC_TRACE_SET                   1021
#define IDC_TRACE_DISK                  1022

#define ID_TRACE_TEST_COMMENT           32774
#define ID_TRACE_TEST_ERROR             32775
#define ID_TRACE_TEST_FORMAT_ERROR      32776
#define ID_TRACE_TEST_FORMAT_MESSAGE    32777
#define ID_TRACE_TEST_DATA_BINARY       32779
#define ID_TRACE_TEST_DATA_STRING       32780
