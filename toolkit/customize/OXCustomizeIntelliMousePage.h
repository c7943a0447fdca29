// COXCustomizeIntelliMousePage: the customize page that switches mouse
// scrolling on or off for every window of the user-interface thread, and
// chooses the mouse event and the keys that start it and whether only views
// take part. It owns the organizer that does the scrolling and answers the
// organizer's question which windows qualify.
//
//   page.InitializeIntelliMouse(TRUE, WM_MBUTTONDOWN, 0, FALSE, "IntelliMouse");
//   manager.RegisterPage(&page, id);
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "OXCustomizePage.h"
#include "OXIntelliMouse.h"
#include "OXMultiComboBox.h"
#include "OXSeparator.h"
#include "toolkit_res.h"

// ---------------------------------------------------------------------------
// The page's rules, callable without a window
// ---------------------------------------------------------------------------

// The events that may start scrolling, in the page's list order.
struct OXIntelliMouseStartEvent
{
    UINT nMessage;
    UINT nDescriptionID;   // the description's string resource
    LPCTSTR lpszName;      // the message's name
};
const OXIntelliMouseStartEvent* OXIntelliMouseStartEvents(int& nCount);
// The list index of a message, -1 when it cannot start scrolling.
int OXIntelliMouseStartEventIndex(UINT nMessage);
// The message at a list index, 0 outside the list.
UINT OXIntelliMouseStartEventMessage(int nIndex);
// The organizer's key state (1 Ctrl, 2 Shift, 4 Alt) and back.
DWORD OXIntelliMouseKeyState(BOOL bCtrl, BOOL bShift, BOOL bAlt);
void OXIntelliMouseKeyFlags(DWORD dwKeyState, BOOL& bCtrl, BOOL& bShift, BOOL& bAlt);

class COXCustomizeIntelliMousePage;

// The organizer the page owns: it asks the page which windows qualify.
class COXCustomizeIntelliMouseOrganizer : public COXIntelliMouseOrganizer
{
public:
    COXCustomizeIntelliMouseOrganizer() : m_pPage(NULL) {}

    virtual BOOL IsQualified(HWND hWnd, LPCTSTR lpszClassName) override;

    COXCustomizeIntelliMousePage* m_pPage;
};

class COXCustomizeIntelliMousePage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeIntelliMousePage)
public:
    COXCustomizeIntelliMousePage();
    virtual ~COXCustomizeIntelliMousePage();

    // Sets the page up and applies it: scrolling on or off, the message that
    // starts it (one of the list's, else FALSE and nothing changes), the keys
    // (OX_IMKEY_*), only views; given a profile section, the stored values
    // replace the arguments.
    virtual BOOL InitializeIntelliMouse(BOOL bSupportIntelliMouse = TRUE, UINT nStartEvent = WM_MBUTTONDOWN,
                                        DWORD dwKeyState = 0, BOOL bOnlyViews = FALSE,
                                        LPCTSTR lpszProfileName = NULL);

    // Whether a window of the thread takes part: any, or with "only views"
    // one whose permanent object is a view.
    virtual BOOL IsQualifiedWindow(HWND hWnd, LPCTSTR lpszClassName);

    virtual BOOL ApplyChanges() override;
    virtual BOOL IsSupportingApplyChanges() override { return TRUE; }
    virtual BOOL OnCloseManager(BOOL bIsOk) override;
    virtual CString GetTitle() const override;
    virtual UINT GetImageResource() const override { return IDB_OX_CUSTOMIZE_INTELLIMOUSE; }
    virtual CString GetTooltip() const override;

    COXCustomizeIntelliMouseOrganizer& GetOrganizer() { return m_organizer; }

    // The six values under the page's section (nothing without one). Stored
    // values out of range are ignored: the field keeps what it had.
    void LoadFromProfile();
    void SaveToProfile() const;
    // Detaches the organizer and, with scrolling on, attaches it to every
    // window of this thread with the chosen event and keys.
    void Apply();

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnInitPage() override;

    BOOL m_bAltKeyPressed;
    BOOL m_bCtrlKeyPressed;
    BOOL m_bOnlyViews;
    BOOL m_bShiftKeyPressed;
    BOOL m_bSupportIntelliMouse;
    int m_nStartEventIndex;
    COXCustomizeIntelliMouseOrganizer m_organizer;
    CArray<UINT, UINT> m_arrStartEvents;
    struct StartEventTexts
    {
        CString sDescription;
        CString sName;
    };
    CMap<UINT, UINT, StartEventTexts, const StartEventTexts&> m_mapStartEventNames;

    COXMultiComboBox m_comboStartEvent;
    COXSeparator m_sepEvent;
    COXSeparator m_sepKeys;

    DECLARE_MESSAGE_MAP()
};
