// SpareDialogs.cpp - the two dialogs nothing in the program opens.
#include "SpareDialogs.h"
#include "resource.h"

CDlg_ParamHarvest::CDlg_ParamHarvest(CWnd* pParent) : CDialog(IDD_PARAM_HARVEST, pParent)
{
}

CCaption::CCaption(CWnd* pParent) : CDialog(IDD_SETTINGS, pParent)
{
}
