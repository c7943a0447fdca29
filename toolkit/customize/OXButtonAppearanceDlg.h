// The button appearance dialog: the look of one tool bar button or menu
// command during customization, its style (image only, or image and text),
// its image, its text, and for a custom button a choice from a list, a
// height, a width and when it shows. The caller fills the fields and the
// four enabling flags, shows the dialog, and reads the fields back.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>
#include <afxwin.h>

#include "OXImageListBox.h"
#include "OXSeparator.h"

// Which controls the dialog enables, window-free.
struct OXButtonAppearanceEnabling
{
    BOOL bText;          // the text edit
    BOOL bStyle;         // both style radios
    BOOL bImages;        // the image list
    BOOL bOption;        // the check box
    BOOL bCombo;         // the drop-down list
    BOOL bCustom;        // height, width, their spins and the three show options
};
OXButtonAppearanceEnabling OXButtonAppearanceRules(int nStyle, BOOL bCustomButton, BOOL bNoImage,
                                                   BOOL bDisableOption, BOOL bDisableCombo);

class COXButtonAppearanceDlg : public CDialog
{
public:
    explicit COXButtonAppearanceDlg(CWnd* pParent = NULL);

    int m_nStyle;                 // 0 image only, 1 image and text
    int m_nImageIndex;            // in m_pImageList; -1 none
    CString m_sText;
    BOOL m_bOption;
    int m_nComboIndex;
    int m_nHeight;                // a custom button's, 0 to 1000
    int m_nWidth;
    BOOL m_bShowHorzDocked;
    BOOL m_bShowVertDocked;
    BOOL m_bShowFloating;

    CArray<CString, CString> m_arrComboStrings;   // "None" after construction
    CImageList* m_pImageList;

    BOOL m_bNoImage;
    BOOL m_bDisableOption;
    BOOL m_bDisableCombo;
    BOOL m_bCustomButton;

    // Reads the controls and enables them by the rules; nothing when the
    // controls cannot be read.
    void UpdateControls();

protected:
    // The image list on the face colour of the dialog.
    class CImageListBox : public COXImageListBox
    {
    public:
        CImageListBox();
        void SetBackgroundColor(COLORREF clr, BOOL bRedraw);
    };

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnStyleClicked();

    COXSeparator m_sepStyle, m_sepImage, m_sepText, m_sepCustom;
    CImageListBox m_images;

    DECLARE_MESSAGE_MAP()
};
