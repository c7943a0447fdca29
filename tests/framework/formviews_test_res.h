// Resources of the document and form-view base tests.
#pragma once

#define IDD_FORMVIEWS_FORM           4700
#define IDR_FORMVIEWS_CONTEXT        4701
#define IDD_FORMVIEWS_TABFORM        4702
#define IDD_FORMVIEWS_PAGE1          4703
#define IDD_FORMVIEWS_PAGE2          4704
#define IDD_FORMVIEWS_PAGE3          4705

#define IDC_FORMVIEWS_EDIT           4710
#define IDC_FORMVIEWS_BUTTON         4711
#define ID_FORMVIEWS_FREE            4712
#define ID_FORMVIEWS_FREE_GRAYED     4713
#define IDC_FORMVIEWS_PAGE_EDIT      4720
