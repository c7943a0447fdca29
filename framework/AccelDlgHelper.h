// AccelDlgHelper.h - CAccelDlgHelper: the work of the shortcut editor over
// its four controls: the command list, the list of the selected command's
// accelerators, the key-combination edit and the static that names the
// command a typed combination already belongs to.
#pragma once

#include <afxwin.h>

class CAcceleratorManager;
class CAccelListBox;
class CKeyboardEdit;

class CAccelDlgHelper
{
public:
    CAccelDlgHelper();
    virtual ~CAccelDlgHelper() {}

    void SetManager(CAcceleratorManager* pManager) { m_pManager = pManager; }
    void SetControls(CKeyboardEdit* pKeyEdit, CAccelListBox* pAccelList, CListBox* pCommandList, CStatic* pOwner)
    {
        m_pKeyEdit = pKeyEdit;
        m_pAccelList = pAccelList;
        m_pCommandList = pCommandList;
        m_pOwner = pOwner;
    }

    // Lists every command by name, selects the first and shows its accelerators.
    void FillCommandList();
    // Shows the accelerators of the selected command.
    void ShowAccels();
    // Gives the selected command the typed combination, unless a listed
    // command already has it (that command is then named).
    void Assign();
    // Takes the selected accelerator from the selected command; locked ones stay.
    void Remove();
    void ResetAll();

protected:
    // The selected command's id; FALSE when none is selected.
    BOOL GetSelectedCommand(WORD& wIDCommand) const;

    CAcceleratorManager* m_pManager;
    CKeyboardEdit* m_pKeyEdit;
    CAccelListBox* m_pAccelList;
    CListBox* m_pCommandList;
    CStatic* m_pOwner;
};
