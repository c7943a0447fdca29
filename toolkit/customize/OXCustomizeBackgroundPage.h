// COXCustomizeBackgroundPage: the customize page that switches background
// painting on or off and chooses its look: one of eleven paint types, a
// colour, and the program's own image or a bitmap file. It owns a background
// painter organizer, attached to the MDI client area only or to every
// qualifying window of the thread; the page's preview is painted by the same
// organizer and follows each choice at once, the windows on Apply and OK.
//
//   page.InitializeBackgroundPainter(TRUE, TRUE, IDB_BACKGROUND, OXPaintTiled, CLR_DEFAULT, "Background");
#pragma once

#include <afxwin.h>

#include "OXBackgroundPainter.h"
#include "OXColorPickerButton.h"
#include "OXCustomizePage.h"
#include "OXDIB.h"
#include "OXHistoryCombo.h"
#include "OXSeparator.h"
#include "toolkit_res.h"

// ---------------------------------------------------------------------------
// The page's rules, callable without a window
// ---------------------------------------------------------------------------

// Whether one of the page's controls is enabled.
BOOL OXBackgroundPageControlEnabled(UINT nID, BOOL bPaintBackground, BOOL bUseDefaultImage);
// Whether the painters take the named file rather than the program's image.
BOOL OXBackgroundPageUsesFile(BOOL bUseDefaultImage, const CString& sImageFileName);

// A plain window object standing for a window the framework keeps as a bare
// handle (the MDI client), so that a painter can be attached to it.
class COXHelperWnd : public CWnd
{
};

class COXCustomizeBackgroundPage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeBackgroundPage)
public:
    COXCustomizeBackgroundPage();
    virtual ~COXCustomizeBackgroundPage();

    // Sets the page up: painting on or off, on the MDI client area only or
    // on every qualifying window, the program's own image (NULL: none), the
    // paint type and colour; given a profile section, the stored values
    // replace the arguments. Applies the painter.
    virtual BOOL InitializeBackgroundPainter(BOOL bPaintBackground, BOOL bOnlyClientArea,
                                             const COXDIB* pDefaultImage, int nPaintType,
                                             COLORREF clrBackground, LPCTSTR lpszProfileName = NULL);
    // The same with the program's image from a bitmap resource.
    BOOL InitializeBackgroundPainter(BOOL bPaintBackground, BOOL bOnlyClientArea, LPCTSTR lpszDIBResourceName,
                                     int nPaintType, COLORREF clrBackground, LPCTSTR lpszProfileName = NULL);
    BOOL InitializeBackgroundPainter(BOOL bPaintBackground, BOOL bOnlyClientArea, UINT nDIBResourceID,
                                     int nPaintType, COLORREF clrBackground, LPCTSTR lpszProfileName = NULL);
    // A colour the program's own image keys out (as a splash window made of
    // it would), called before the initializer: where the image has it, the
    // background colour shows, in the preview as on the windows painted.
    // CLR_NONE (the default): none; CLR_DEFAULT: the image's top-left pixel.
    void SetDefaultImageTransparentColor(COLORREF clrTransparent) { m_clrDefaultTransparent = clrTransparent; }
    // The same with the program's image from a file; FALSE, with nothing set
    // up, when a named file cannot be read.
    BOOL InitializeBackgroundPainterFromFile(BOOL bPaintBackground, BOOL bOnlyClientArea, LPCTSTR lpszFileName,
                                             int nPaintType, COLORREF clrBackground,
                                             LPCTSTR lpszProfileName = NULL);

    virtual BOOL ApplyChanges() override;
    virtual BOOL IsSupportingApplyChanges() override { return TRUE; }
    virtual BOOL OnCloseManager(BOOL bIsOk) override;
    virtual CString GetTitle() const override;
    virtual UINT GetImageResource() const override { return IDB_OX_CUSTOMIZE_BACKGROUND; }
    virtual CString GetTooltip() const override;

    // The six values under the page's section (nothing without one). Stored
    // values the page cannot use are ignored: the field keeps what it had.
    void LoadFromProfile();
    void SaveToProfile() const;

    COXBackgroundPainterOrganizer& GetOrganizer() { return m_organizer; }
    CWnd& GetPreviewWnd() { return m_wndPreview; }

protected:
    // Gives the windows their painters as the page's values say.
    void ApplyBackgroundPainter();
    void ShowControls();
    // The MDI client's window object: its permanent one, or the helper
    // attached to it.
    CWnd* ClientWindow(HWND hWndClient);
    void ReleaseHelperWnd();
    // Shows a file in the preview, attaching the preview when it has no
    // painter yet; the preview keeps its picture when the file cannot be read.
    void PreviewFile(const CString& sFileName);

    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnInitPage() override;

    afx_msg void OnPaintBackground();
    afx_msg void OnPaintType(UINT nID);
    afx_msg void OnColor();
    afx_msg void OnDefaultImage();
    afx_msg void OnImageFile();
    afx_msg void OnFileNameEdited();
    afx_msg void OnFileNameChosen();
    afx_msg void OnDestroy();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);

    BOOL m_bPaintBackground;
    BOOL m_bOnlyClientArea;
    int m_nPaintType;
    COLORREF m_clrBackground;
    int m_nImageSource;
    CString m_sImageFileName;
    BOOL m_bUseDefaultImage;
    COXDIB m_dibDefault;
    COLORREF m_clrDefaultTransparent = CLR_NONE;
    // What the image in use keys out: the program's image's colour, or none.
    COLORREF ImageTransparentColor() const;
    COXBackgroundPainterOrganizer m_organizer;
    COXHelperWnd* m_pMDIClientWnd;

    CWnd m_wndPreview;
    COXBMPFilePickerCombo m_comboImageFileName;
    COXColorPickerButton m_btnBackground;
    COXSeparator m_sepType;
    COXSeparator m_sepImage;

    DECLARE_MESSAGE_MAP()
};
