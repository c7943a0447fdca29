// COXCustomizeCaptionPage: the customize page that switches the toolkit's
// own title bars on or off and edits their look for the active and the
// inactive window: background colour, gradient (its dark side, algorithm and
// number of shades), the caption and small-caption fonts, the title's colour,
// place and ellipsis. It owns a caption painter organizer, attached to the
// main window only or to every window of the thread.
//
//   page.InitializeCaptionPainter(TRUE, "Captions", FALSE);
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "OXCaptionPainter.h"
#include "OXColorPickerButton.h"
#include "OXCustomizePage.h"
#include "OXFontPickerButton.h"
#include "OXSeparator.h"
#include "OXStatic.h"
#include "toolkit_res.h"

// ---------------------------------------------------------------------------
// The page's rules, callable without a window
// ---------------------------------------------------------------------------

// What the page's controls show of one caption state (the fonts aside).
struct OXCaptionPageValues
{
    BOOL bGradient;
    int nGradientAlignment;
    int nGradientAlgorithm;
    UINT nShadeCount;
    COLORREF clrBackground;
    COLORREF clrText;
    int nTextAlignment;   // column + 3 x row: left, centre, right; top, middle, bottom
    int nTextEllipsis;    // none, at the end, in a path
};

// The controls' values for the info of one state; colours left to the
// system are shown as the system's colours of that state.
OXCaptionPageValues OXCaptionPageValuesFromInfo(const COXCaptionInfo& info, BOOL bActive);
// Writes the controls' values (fonts aside) into an info. A shade count of 0
// leaves the info's count as it was.
void OXCaptionPageValuesToInfo(const OXCaptionPageValues& values, COXCaptionInfo& info);
// The title's place and ellipsis as list indexes, and back as text flags.
int OXCaptionTextAlignmentIndex(UINT nTextFormat);
int OXCaptionTextEllipsisIndex(UINT nTextFormat);
UINT OXCaptionTextFormat(int nAlignmentIndex, int nEllipsisIndex);
// Whether one of the page's controls is enabled.
BOOL OXCaptionPageControlEnabled(UINT nID, BOOL bPaintCaption, BOOL bGradient);
// The colour the background button offers as its default for a state.
COLORREF OXCaptionPageDefaultBackground(BOOL bActive);
// How the preview draws its background: solid, or the gradient's mode.
int OXCaptionPagePreviewMode(BOOL bGradient, int nGradientAlignment);

class COXCustomizeCaptionPage : public COXCustomizePage
{
    DECLARE_DYNCREATE(COXCustomizeCaptionPage)
public:
    COXCustomizeCaptionPage();
    virtual ~COXCustomizeCaptionPage();

    // Sets the page up: captions painted or not, on the main window only or
    // on every window of the thread; given a profile section, the stored
    // switches replace the arguments and the stored looks are applied.
    virtual BOOL InitializeCaptionPainter(BOOL bPaintCaption = TRUE, LPCTSTR lpszProfileName = NULL,
                                          BOOL bOnlyMainWindow = FALSE);

    virtual BOOL IsSupportingApplyChanges() override { return FALSE; }
    virtual BOOL OnCloseManager(BOOL bIsOk) override;
    virtual CString GetTitle() const override;
    virtual UINT GetImageResource() const override { return IDB_OX_CUSTOMIZE_CAPTION; }
    virtual CString GetTooltip() const override;

    COXCaptionPainterOrganizer& GetOrganizer() { return m_organizer; }
    // The looks being edited, given to the painters on OK.
    const COXCaptionInfo& GetEditedInfo(BOOL bActive) const { return bActive ? m_infoActive : m_infoInactive; }

protected:
    // Detaches the organizer and attaches it again as the switches say, with
    // the looks stored in the profile.
    void ApplyCaptionPainter();
    // Fills the controls from the edited looks, first taken from the main
    // window's painter when bFromPainter.
    void LoadControls(BOOL bFromPainter);
    // Writes the controls into the edited look of the state shown.
    BOOL SaveControls();
    void ShowControls();
    void ShowPreview();
    COXCaptionInfo& EditedInfo() { return m_nCaptionState == 0 ? m_infoActive : m_infoInactive; }
    COXCaptionPainter* MainWindowPainter() const;

    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnInitPage() override;

    afx_msg void OnPaintCaption();
    afx_msg void OnStateChanged();
    afx_msg void OnLookChanged();
    afx_msg void OnShadesChanged();
    afx_msg void OnCaptionFont();
    afx_msg void OnSmCaptionFont();

    BOOL m_bPaintCaption;
    BOOL m_bOnlyMainWindow;
    // As set up: what Cancel goes back to when the profile holds no switch.
    BOOL m_bPaintCaptionSetUp;
    BOOL m_bOnlyMainWindowSetUp;
    int m_nCaptionState;
    COLORREF m_clrBackground;
    BOOL m_bGradient;
    int m_nGradientAlignment;
    int m_nGradientAlgorithm;
    UINT m_nShadeCount;
    CFont m_fontCaption;
    COLORREF m_clrText;
    CFont m_fontSmCaption;
    COLORREF m_clrSmText;
    int m_nTextAlignment;
    int m_nTextEllipsis;

    COXCaptionInfo m_infoActive;
    COXCaptionInfo m_infoInactive;
    COXCaptionPainterOrganizer m_organizer;

    COXColorPickerButton m_btnBackground;
    COXFontPickerButton m_btnCaptionFont;
    COXFontPickerButton m_btnSmCaptionFont;
    COXStatic m_preview;
    CSpinButtonCtrl m_spinShades;
    COXSeparator m_sepState;
    COXSeparator m_sepGradient;
    COXSeparator m_sepPreview;

    DECLARE_MESSAGE_MAP()
};
