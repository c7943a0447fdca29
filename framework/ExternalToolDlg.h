// ExternalToolDlg.h - CExternalToolDlg: the editor of the external-tools
// list, a grid dialog with one row per tool (title, command, arguments, hot
// key) and the fields of the selected tool below it. Every change goes into
// the list at once; the application writes the file at exit.
#pragma once

#include "BasedGridDlg.h"
#include "ExternalTools.h"

class CExternalToolDlg : public CBasedGridDlg
{
    DECLARE_DYNAMIC(CExternalToolDlg)
public:
    // Edits the application's list.
    explicit CExternalToolDlg(CWnd* pParent = NULL);
    // Edits the given list.
    CExternalToolDlg(CExternalToolArray* pTools, CWnd* pParent);

    CString m_strTitle;
    CString m_strCommand;
    CString m_strArguments;

    CButtonST m_btnAdd;
    CButtonST m_btnDelete;
    CButtonST m_btnUp;
    CButtonST m_btnDown;
    CButtonST m_btnChoose;
    CButtonST m_btnClose;
    CButtonST m_btnDeleteAll;
    CHotKeyCtrl m_wndHotKey;

    CExternalToolArray* m_pTools;

    // The tool of the selected row, or NULL.
    CExternalTool* GetSelectedTool(BOOL bWarn);

protected:
    void FillRows() override;
    void UpdateControls() override;
    void OnSelectionChanged() override { ShowSelection(); }
    // Puts the selected tool into the fields (empty without one).
    void ShowSelection();
    // Takes the fields back into the selected tool and refills.
    void ApplyFields();
    // Moves the selected tool by nStep places.
    void MoveSelected(int nStep);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnFieldChange();
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnDeleteAll();
    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg void OnChooseCommand();
    afx_msg void OnDestroy();
    DECLARE_DYNAMIC_MAP()
    DECLARE_MESSAGE_MAP()

private:
    // Set while the fields are filled from a tool: their change notices are
    // not edits.
    bool m_bShowing;
};
