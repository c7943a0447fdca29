// DynamicDialog.h - a resizable dialog: CDialog laid out by the dynamic layout
// engine, keeping its placement under "WindowPositions\ID=0x<template id>".
#pragma once

#include "DynamicWnd.h"

class cdxCDynamicDialog : public CDialog, public cdxCDynamicWndEx
{
    DECLARE_DYNAMIC(cdxCDynamicDialog)
public:
    cdxCDynamicDialog(UINT idd, CWnd* pParent = NULL, Freedom fd = fdAll, UINT nFlags = flDefault);
    cdxCDynamicDialog(LPCTSTR lpszTemplateName, CWnd* pParent = NULL, Freedom fd = fdAll, UINT nFlags = flDefault);
    // Without a template (an in-memory one is given later): no placement kept.
    explicit cdxCDynamicDialog(CWnd* pParent = NULL, Freedom fd = fdAll, UINT nFlags = flDefault);
    // A modeless dialog still open is closed here, while the layout can still
    // store its placement and put the class bits back.
    virtual ~cdxCDynamicDialog();

    // The placement is stored while the window still exists.
    BOOL DestroyWindow() override;

protected:
    BOOL OnInitDialog() override;

    DECLARE_DYNAMIC_LAYOUT_HANDLERS()
    DECLARE_MESSAGE_MAP()
};
