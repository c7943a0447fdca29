// COXCustomizeCoolControlsPage: the customize page that gives the thread's
// common controls the cool (flat, hot-tracking) look, or takes it away, and
// chooses for each of fifteen control types whether it takes the look. The
// page owns the organizer that converts the controls; the organizer asks the
// page about every window before converting it.
//
//   COXCustomizeCoolControlsPage page;
//   page.InitializeCoolControls(TRUE, "CustomizeCoolControls");   // at start-up
//   manager.RegisterPage(&page, 4);
//
// The rules (the type table, which windows convert, the profile values) need
// no window: a page object answers them before its window exists.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "OXCoolControlOrganizer.h"
#include "OXCustomizePage.h"
#include "OXOptionTreeCtrl.h"

class COXCustomizeCoolControlsPage;

// The thread's cool control organizer, refusing what the page leaves alone.
class COXCustomizeCoolControlOrganizer : public COXCoolControlOrganizer
{
public:
    COXCustomizeCoolControlOrganizer() : m_pCustomizePage(NULL) {}
    virtual ~COXCustomizeCoolControlOrganizer();

    // The organizer's own rule first; what it allows, the page may still refuse.
    virtual BOOL CanConvertWindow(HWND hWnd, const CString& sClassName) override;
    virtual CWnd* ConvertWindow(HWND hWnd, const CString& sClassName) override;

    COXCustomizeCoolControlsPage* m_pCustomizePage;
};

class COXCustomizeCoolControlsPage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeCoolControlsPage)
public:
    enum { nTypeCount = 15 };

    // One control type: its index (from 0), the name the page shows and its
    // window class. The option of type i in the tree has id i + 1.
    struct TypeInfo
    {
        int nIndex;
        LPCTSTR lpszName;
        LPCTSTR lpszClassName;
    };
    static const TypeInfo* GetTypes() { return s_types; }

    // Profile values, in the section the page is given.
    static const TCHAR szConvertCommonToCool[];   // "ConvertCommonToCool"
    static const TCHAR szControlTypeState[];      // "ControlTypeState_%d", type index from 0
    static const TCHAR szTreeControlTypes[];      // the tree's own section: "<section>_TreeControlTypes"

    COXCustomizeCoolControlsPage();
    virtual ~COXCustomizeCoolControlsPage();

    BOOL IsConvertingCommonToCool() const { return m_bConvertCommonToCool; }
    // 1: the type is converted, 0: it is left alone, -1: no such type.
    int GetTypeState(int nType) const;
    BOOL SetTypeState(int nType, int nState);
    // The type of a window class (ignoring case), or -1.
    int FindClassType(LPCTSTR lpszClassName) const;
    COXCustomizeCoolControlOrganizer& GetOrganizer() { return m_organizer; }

    // ---- overrides of the page ----
    virtual BOOL OnCloseManager(BOOL bIsOk) override;
    virtual BOOL ApplyChanges() override;
    virtual CString GetTitle() const override;
    virtual UINT GetImageResource() const override;
    virtual CString GetTooltip() const override;

    // ---- the page's own virtuals ----
    // Reads the page's values from the profile section (none for an empty
    // name) and, with conversion on, converts the thread's controls.
    virtual BOOL InitializeCoolControls(BOOL bConvertCommonToCool = TRUE,
                                        LPCTSTR lpszProfileName = "CustomizeCoolControls");
    // Windows of a class outside the table always convert; a window of a
    // type whose state is 0 does not.
    virtual BOOL IsConvertibleWindow(HWND hWnd, LPCTSTR lpszClassName);

protected:
    // Each type's state from the profile; values other than 0 and 1 are ignored.
    void ReadTypeStates();
    void WriteProfileValues();
    // The organizer on the thread when conversion is on, off it otherwise,
    // converting anew with the present type states.
    BOOL ReattachOrganizer();
    void ShowTypeStates();
    void EnableControls();

    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnInitPage() override;

    afx_msg void OnConvertClicked();
    afx_msg void OnCheckAll();

    BOOL m_bConvertCommonToCool;
    BOOL m_bAppliedConvert;       // the flag in effect (initialised or applied)
    COXOptionTreeCtrl m_treeControlTypes;
    COXCustomizeCoolControlOrganizer m_organizer;
    CMap<int, int, CString, LPCTSTR> m_mapTypeNames;
    CMap<int, int, int, int> m_mapTypeStates;
    CMap<CString, LPCTSTR, int, int> m_mapClassTypes;   // keys in upper case

    static const TypeInfo s_types[nTypeCount];

    DECLARE_MESSAGE_MAP()
};
