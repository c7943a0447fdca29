// COXCustomizeSplashWindowPage: the customize page that sets up the
// program's splash window: whether it shows at start, its image (the
// program's own bitmap or a file), how long it stays, whether a click closes
// it, and its transparent colour (a colour, none, or the colour at a point of
// the image, with a tolerance). Setting the page up shows the splash window
// when it is switched on; Preview shows it as chosen on the page.
//
//   page.InitializeSplashWindow(IDB_SPLASH, TRUE, 2000, TRUE, CLR_DEFAULT, NULL, 0, "Splash");
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "OXColorPickerButton.h"
#include "OXCustomizePage.h"
#include "OXHistoryCombo.h"
#include "OXSeparator.h"
#include "OXSplashWnd.h"
#include "toolkit_res.h"

// ---------------------------------------------------------------------------
// The page's rules, callable without a window
// ---------------------------------------------------------------------------

// The transparent colour types: a colour, none, the colour at a point.
enum
{
    OX_SPLASH_COLOR_GIVEN = 0,
    OX_SPLASH_COLOR_NONE = 1,
    OX_SPLASH_COLOR_AT_POINT = 2,
};
// The type a colour argument stands for: CLR_DEFAULT the colour at the
// point, CLR_NONE none, any other that colour.
int OXSplashColorType(COLORREF clr);
// The colour the splash window is given for a type.
COLORREF OXSplashTransparentColor(int nType, COLORREF clrChosen);
// Whether one of the page's controls is enabled for the radio choices.
BOOL OXSplashPageControlEnabled(UINT nID, int nShowMode, int nImageSource, int nColorType);

class COXCustomizeSplashWindowPage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeSplashWindowPage)
public:
    COXCustomizeSplashWindowPage();
    virtual ~COXCustomizeSplashWindowPage();

    // Sets the page up: the program's bitmap resource, shown at start, for
    // nDisplayTime ms (-1: until closed), closed by a click, its transparent
    // colour (see OXSplashColorType) with the point pTransparentPoint (NULL:
    // the top-left pixel) and the tolerance; given a profile section the
    // stored values replace the arguments. Shows the splash window when it
    // is to be shown at start.
    virtual BOOL InitializeSplashWindow(UINT nBitmapResourceID, BOOL bDisplaySplashWindow = TRUE,
                                        int nDisplayTime = -1, BOOL bInterruptable = TRUE,
                                        COLORREF clrTransparent = CLR_DEFAULT, LPPOINT pTransparentPoint = NULL,
                                        BYTE nColorTolerance = 0, LPCTSTR lpszProfileName = NULL);

    virtual BOOL ApplyChanges() override;
    virtual BOOL IsSupportingApplyChanges() override { return FALSE; }
    virtual BOOL OnCloseManager(BOOL bIsOk) override;
    virtual CString GetTitle() const override;
    virtual UINT GetImageResource() const override { return IDB_OX_CUSTOMIZE_SPLASH; }
    virtual CString GetTooltip() const override;

    // The eleven values under the page's section (nothing without one).
    // Stored values out of range are ignored: the field keeps what it had.
    void LoadFromProfile();
    void SaveToProfile() const;

    COXSplashWnd& GetSplashWnd() { return m_wndSplash; }
    COXSplashWnd& GetPreviewSplashWnd() { return m_wndPreviewSplash; }

protected:
    // Loads the chosen image into a splash window and shows it; FALSE, with
    // nothing shown, when the image cannot be loaded.
    BOOL ShowSplashWindow(COXSplashWnd& wndSplash, BOOL bPreview);
    void ShowControls();

    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnInitPage() override;

    afx_msg void OnRadioClicked();
    afx_msg void OnDefaultImageClicked();
    afx_msg void OnPreview();
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);

    BOOL m_bInterruptable;
    BOOL m_bDisplaySplashWindow;
    UINT m_nShowDelay;
    CPoint m_ptTransparentColor;
    int m_nTransparentColorType;
    int m_nImageSource;
    int m_nShowMode;
    CString m_sImageFileName;
    UINT m_nColorTolerance;
    COLORREF m_clrTransparent;
    UINT m_nImageResourceID;
    BOOL m_bUseDefaultImage;
    BOOL m_bShowInfinitely;
    COXSplashWnd m_wndSplash;
    COXSplashWnd m_wndPreviewSplash;

    COXBMPFilePickerCombo m_comboImageFileName;
    COXColorPickerButton m_btnTransparentColor;
    CSpinButtonCtrl m_spinShowDelay;
    CSpinButtonCtrl m_spinColorTolerance;
    COXSeparator m_sepImage;
    COXSeparator m_sepDisplay;
    COXSeparator m_sepTransparent;
    COXSeparator m_sepPreview;

    DECLARE_MESSAGE_MAP()
};
