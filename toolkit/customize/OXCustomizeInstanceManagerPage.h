// COXCustomizeInstanceManagerPage: the customize page that sets how many
// copies of the program may run at once and lists the copies running, with
// buttons that close, activate, place behind, maximize, minimize and restore
// another copy's main window. The page owns the instance manager of the
// program, named after the program file's path.
//
//   COXCustomizeInstanceManagerPage page;
//   page.InitializeInstanceManager(1000, "CustomizeInstanceManager");
//   manager.RegisterPage(&page, 5);
//
// What needs no window (the choice of maximum, the buttons' enabling) is in
// COXInstancePageRules, tested as tables.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "OXCustomizePage.h"
#include "OXInstanceManager.h"
#include "OXSeparator.h"
#include "OXStatic.h"

// The page's rules, apart from any window.
struct COXInstancePageRules
{
    enum { nUnlimited = 1000, nMinInstances = 1, nMaxInstances = 1000, nDefaultNumber = 2 };
    enum { OptionUnlimited = 0, OptionSingle = 1, OptionNumber = 2 };

    // The option that shows a maximum: 1000 is any number, 1 one only.
    static int OptionForMax(UINT nMax);
    // The maximum an option stands for; the number option takes nNumber.
    static UINT MaxForOption(int nOption, UINT nNumber);
    static BOOL IsValidMax(UINT nMax) { return nMax >= nMinInstances && nMax <= nMaxInstances; }

    // Which of the page's controls are enabled.
    struct Enabling
    {
        BOOL bNumber;     // the number and its spin
        BOOL bClose;
        BOOL bActivate;   // activate and place behind
        BOOL bMaximize;
        BOOL bMinimize;
        BOOL bRestore;
        bool operator==(const Enabling& o) const
        {
            return !bNumber == !o.bNumber && !bClose == !o.bClose && !bActivate == !o.bActivate &&
                   !bMaximize == !o.bMaximize && !bMinimize == !o.bMinimize && !bRestore == !o.bRestore;
        }
    };
    // nOption: the chosen option; bSelected: a row is chosen; bOwnProcess:
    // that row is this program; dwStyle: the style of its main window (0
    // when it has none).
    static Enabling GetEnabling(int nOption, BOOL bSelected, BOOL bOwnProcess, DWORD dwStyle);
};

class COXCustomizeInstanceManagerPage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeInstanceManagerPage)
public:
    enum { nTimerID = 278, nTimerPeriod = 1000 };
    // How long a command sent to another copy may take: one that hangs
    // must not hang this one.
    enum { nSendTimeout = 2000 };

    static const TCHAR szMaxAllowedInstanceNumber[];   // "MaxAllowedInstanceNumber"

    COXCustomizeInstanceManagerPage();
    virtual ~COXCustomizeInstanceManagerPage();

    // The instance manager's name: the program file's full path without its
    // backslashes, which kernel object names cannot hold.
    static CString GetInstanceName();

    UINT GetMaxAllowedInstances() const { return m_nMaxAllowedInstances; }
    int GetInstanceOption() const { return m_nInstanceOption; }

    // ---- overrides of the page ----
    virtual BOOL OnCloseManager(BOOL bIsOk) override;
    virtual BOOL ApplyChanges() override;
    virtual CString GetTitle() const override;
    virtual UINT GetImageResource() const override;
    virtual CString GetTooltip() const override;

    // ---- the page's own virtuals ----
    // FALSE for a maximum outside 1 to 1000; reads the stored maximum from
    // the profile section (none for an empty name) and applies it.
    virtual BOOL InitializeInstanceManager(UINT nMaxAllowedInstances = COXInstancePageRules::nUnlimited,
                                           LPCTSTR lpszProfileName = "CustomizeInstanceManager");
    virtual COXInstanceManager* GetInstanceManager() { return &m_instanceManager; }
    virtual void RefreshInstanceList();

protected:
    // The process of the chosen row, or 0.
    DWORD GetSelectedProcess() const;
    HWND GetSelectedMainWindow() const;
    // This program's main window, which the others are placed behind and
    // which comes forward again after another is restored.
    HWND GetOwnMainWindow();
    void EnableControls();
    void AlignCountWithLabel();
    // The process ids the list shows, in order.
    void GetListedProcesses(CDWordArray& arrIds) const;
    void SendSysCommand(UINT nCommand);

    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnInitPage() override;

    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnOptionClicked(UINT nID);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCloseInstance();
    afx_msg void OnActivateInstance();
    afx_msg void OnPlaceBehind();
    afx_msg void OnMaximizeInstance();
    afx_msg void OnMinimizeInstance();
    afx_msg void OnRestoreInstance();

    int m_nInstanceOption;
    UINT m_nMaxAllowedInstances;
    CListCtrl m_listInstances;
    COXStatic m_staticCount;
    CFont m_fontCount;
    COXSeparator m_sepOptions;
    COXSeparator m_sepList;
    COXSeparator m_sepCount;
    COXInstanceManager m_instanceManager;
    UINT_PTR m_nTimerID;

    DECLARE_MESSAGE_MAP()
};
