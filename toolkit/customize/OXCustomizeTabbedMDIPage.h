// COXCustomizeTabbedMDIPage: the customize page that puts a tab for every
// document window on the main MDI frame, or takes the tabs away, and chooses
// the tab control's style and the margin around the tabs. The page owns the
// tab client that does the work; the tab client keeps its state ("IsAttached",
// "Offset", "Style") in the page's profile section, written on OK.
//
//   COXCustomizeTabbedMDIPage page;
//   page.InitializeTabbedMDI(TCS_HOTTRACK, 1, "CustomizeTabbedMDI");   // once the frame exists
//   manager.RegisterPage(&page, 6);
//
// The rules (the style each choice of the tree gives, what an Apply has to
// do, what is stored) need no window and are tested by tables.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "OXCustomizePage.h"
#include "OXOptionTreeCtrl.h"
#include "OXTabClientWnd.h"

class COXCustomizeTabbedMDIPage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeTabbedMDIPage)
public:
    // The options of the tree: three groups of radios and six checks.
    enum {
        IDOPT_POSITION_LEFT = 2000,
        IDOPT_POSITION_TOP = 2001,
        IDOPT_POSITION_RIGHT = 2002,
        IDOPT_POSITION_BOTTOM = 2003,
        IDOPT_LOOK_TABS = 2010,
        IDOPT_LOOK_BUTTONS = 2011,
        IDOPT_LOOK_FLATBUTTONS = 2012,
        IDOPT_LINES_MULTI = 2020,
        IDOPT_LINES_SINGLE = 2021,
        IDOPT_HOTTRACK = 2040,
        IDOPT_FIXEDWIDTH = 2041,
        IDOPT_FILLROWS = 2042,   // unchecked gives ragged rows
        IDOPT_SCROLLOPPOSITE = 2043,
        IDOPT_FORCEICONLEFT = 2044,
        IDOPT_FORCELABELLEFT = 2045,
    };
    enum { nCheckCount = 6 };
    static const DWORD kMaxOffset = 1000;
    // The part of the workspace's window style that is the tab control's.
    static const DWORD kTabStyleBits = 0xFFF;

    // What the tree shows: the radio of each group and each check, the
    // checks in option order (2040 first).
    struct Choice {
        UINT nPosition, nLook, nLines;
        int checks[nCheckCount];
    };
    static Choice ChoiceFromStyle(DWORD dwStyle);
    // A radio id outside its group adds nothing; so does a check that is
    // not 1 (except the fill check, whose absence gives ragged rows).
    static DWORD StyleFromChoice(const Choice& choice);

    // What one Apply does to the tab client. A change to tabs that stay
    // on takes them off and puts them back with the new settings at once.
    enum ApplyStep { applyKeep, applyDetach, applyAttach, applyReattach };
    static ApplyStep PlanApply(BOOL bSupport, DWORD dwOffset, DWORD dwStyle, BOOL bAttached, DWORD dwTabOffset,
                               DWORD dwTabStyle);

    // The tab client's state in a profile section, bounded as the tab
    // client bounds it; an absent entry gives the tab client's default.
    struct StoredState {
        BOOL bAttached;
        DWORD dwOffset;
        DWORD dwStyle;
    };
    static StoredState ReadStoredState(LPCTSTR lpszProfileName);

    COXCustomizeTabbedMDIPage();
    virtual ~COXCustomizeTabbedMDIPage();

    COXTabClientWnd* GetTabClientWnd() { return &m_tabClientWnd; }
    BOOL IsSupportingTabbedMDI() const { return m_bSupportTabbedMDI; }

    // ---- overrides of the page ----
    virtual BOOL OnCloseManager(BOOL bIsOk) override;
    virtual BOOL ApplyChanges() override;
    virtual BOOL IsSupportingApplyChanges() override { return TRUE; }
    virtual CString GetTitle() const override;
    virtual UINT GetImageResource() const override;
    virtual CString GetTooltip() const override;

    // ---- the page's own virtual ----
    // Attaches the tabs with the style and offset given when bSupportTabbedMDI
    // is set; a profile section then decides (stored tabs are attached with
    // their stored style and offset, stored "no tabs" takes them away). FALSE
    // when the main window is not an MDI frame or attaching fails.
    virtual BOOL InitializeTabbedMDI(DWORD dwTabCtrlStyle = TCS_HOTTRACK, DWORD dwOffset = 1,
                                     LPCTSTR lpszProfileName = "CustomizeTabbedMDI",
                                     BOOL bSupportTabbedMDI = TRUE);

protected:
    // The frame whose documents get tabs: the application's main window
    // when it is an MDI frame, else NULL.
    virtual CMDIFrameWnd* GetMDIFrame() const;
    // Tabs on pFrame with the style, then the offset given to them.
    BOOL AttachTabs(CMDIFrameWnd* pFrame, DWORD dwStyle, DWORD dwOffset);
    void SetTabOffset(DWORD dwOffset);
    Choice ReadChoice() const;
    void FillOptions();
    void EnableControls();

    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnInitPage() override;

    afx_msg void OnSupportClicked();

    CButton m_btnSupport;
    COXOptionTreeCtrl m_treeOptions;
    CSpinButtonCtrl m_spinOffset;

    BOOL m_bSupportTabbedMDI;
    DWORD m_dwOffset;
    COXTabClientWnd m_tabClientWnd;
    DWORD m_dwTabCtrlStyle;

    DECLARE_MESSAGE_MAP()
};
