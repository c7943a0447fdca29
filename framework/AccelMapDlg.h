// AccelMapDlg.h - CAccelMapDlg: the keyboard-shortcut editor over a
// CAcceleratorManager: pick a command, see its keys, press a new combination
// and assign it, remove a key, or go back to the defaults.
#pragma once

#include "AccelDlgHelper.h"
#include "AccelListBox.h"
#include "BaseDlg.h"
#include "KeyboardEdit.h"

class CAcceleratorManager;

class CAccelMapDlg : public CBaseDlg
{
    DECLARE_DYNAMIC(CAccelMapDlg)
public:
    CAccelMapDlg(CAcceleratorManager* pManager, CWnd* pParent = NULL);
    virtual ~CAccelMapDlg() {}

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSelChangeCommands();
    afx_msg void OnAssign();
    afx_msg void OnRemove();
    afx_msg void OnResetAll();
    void Refill() { m_Helper.FillCommandList(); }

    CStatic m_Owner;
    CKeyboardEdit m_KeyboardEdit;
    CAccelListBox m_AccelList;
    CListBox m_CommandList;
    CAcceleratorManager* m_pManager;
    CAccelDlgHelper m_Helper;

    DECLARE_DYNAMIC_MAP()
    DECLARE_MESSAGE_MAP()
};
