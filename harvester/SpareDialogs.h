// SpareDialogs.h - two dialog classes the program carries but never opens:
// the harvest parameters dialog on its own template and CCaption on the
// harvest settings template. Neither adds behaviour to the dialog base.
#pragma once

#include <afxwin.h>

class CDlg_ParamHarvest : public CDialog
{
public:
    explicit CDlg_ParamHarvest(CWnd* pParent = NULL);
};

class CCaption : public CDialog
{
public:
    explicit CCaption(CWnd* pParent = NULL);
};
