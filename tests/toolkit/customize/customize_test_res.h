#pragma once
#define IDR_CT_MDIFRAME 1000
#define IDR_CT_DOC 1001
