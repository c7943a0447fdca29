// Resources of the grid form view tests.
#pragma once

#define IDD_GRIDVIEW_FORM            4730
