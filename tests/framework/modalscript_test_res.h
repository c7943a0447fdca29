// Resources of the modal script's own tests.
#pragma once

#define IDD_SCRIPT_OUTER             4740
#define IDD_SCRIPT_BOX               4741
