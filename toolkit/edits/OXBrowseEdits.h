// Drop edits whose button opens a chooser and writes the choice back as
// text: COXBrowseColorEdit (a colour popup bar), COXBrowseDirEdit (the folder
// picker) and COXBrowseFileEdit (the system's open-file dialog).
#pragma once

#include <afxdlgs.h>
#include <stdlib.h>
#include <vector>

#include "OXColorPickerCtrl.h"
#include "OXDropEdit.h"
#include "OXFolderPickerDlg.h"
#include "toolkit_res.h"

// The text colour that stands out on a chosen background colour.
inline COLORREF OXContrastColor(COLORREF clr)
{
    return RGB(abs(64 - (int)GetRValue(clr)), abs(128 - (int)GetGValue(clr)), 255 - GetBValue(clr));
}

template <class T>
class COXBaseBrowseColorEdit : public COXDropEdit<T>
{
    DECLARE_DYNAMIC(COXBaseBrowseColorEdit)
public:
    explicit COXBaseBrowseColorEdit(COLORREF clrColor = 0xFFFFFFFF)
        : m_colorPicker(40, 4, (DWORD)-1, 18, 18, IDS_OX_COLORPICKER_DEFAULT, IDS_OX_COLORPICKER_CUSTOM),
          m_clrColor(clrColor)
    {
    }

    COLORREF GetColor() const { return m_clrColor; }
    void SetColor(COLORREF clr)
    {
        m_clrColor = clr;
        OnColorChanged(clr);
    }
    COXColorPickerCtrl& GetColorPicker() { return m_colorPicker; }

    virtual void OnColorChanged(COLORREF clr) { (void)clr; }

    // "<name> (r, g, b)": the default colour's caption or the name the popup
    // bar keeps for the colour, then the edit's colour's components.
    virtual CString GetColorText(COLORREF clr)
    {
        CString sText;
        if (clr == 0xFFFFFFFF)
            sText.LoadString(IDS_OX_COLORPICKER_DEFAULT);
        else if (::IsWindow(m_colorPicker.m_hWnd))
            m_colorPicker.GetToolTipText(clr, sText);
        CString sFormat, sComponents;
        if (sFormat.LoadString(IDS_OX_COLOR_COMPONENTS)) {
            sComponents.Format(sFormat, (int)GetRValue(m_clrColor), (int)GetGValue(m_clrColor),
                               (int)GetBValue(m_clrColor));
            if (!sText.IsEmpty())
                sText += " ";
            sText += sComponents;
        }
        return sText;
    }

protected:
    virtual BOOL InitializeDropEdit() override
    {
        if (!m_colorPicker.Create(this, 16, NULL))
            return FALSE;
        OnColorChanged(m_clrColor);
        return TRUE;
    }

    virtual void OnDropButton() override
    {
        m_colorPicker.SetSelectedValue(m_clrColor == 0xFF000000 ? m_colorPicker.GetDefaultValue() : m_clrColor);
        if (m_colorPicker.Pick(this->m_nButtonAlignment == 1 ? 3 : 7, NULL, 0, 0)) {
            m_clrColor = m_colorPicker.GetSelectedValue();
            OnColorChanged(m_clrColor);
        }
        this->SetFocus();
    }

    COXColorPickerCtrl m_colorPicker;
    COLORREF m_clrColor;
};

IMPLEMENT_DYNAMIC_T(COXBaseBrowseColorEdit, T, COXDropEdit<T>)

class COXBrowseColorEdit : public COXBaseBrowseColorEdit<COXEdit>
{
    DECLARE_DYNCREATE(COXBrowseColorEdit)
public:
    COXBrowseColorEdit() : COXBaseBrowseColorEdit<COXEdit>(0xFFFFFFFF) {}
    void SetShowColor(BOOL bShow) { m_bShowColor = bShow; }
    BOOL GetShowColor() const { return m_bShowColor; }
    virtual void OnColorChanged(COLORREF clr) override;

protected:
    BOOL m_bShowColor = FALSE;
};

void AFXAPI DDX_BrowseColor(CDataExchange* pDX, int nIDC, COLORREF& clr);

template <class T>
class COXBaseBrowseDirEdit : public COXDropEdit<T>
{
    DECLARE_DYNAMIC(COXBaseBrowseDirEdit)
public:
    explicit COXBaseBrowseDirEdit(UINT nTitleID = IDS_OX_BROWSE_DIR_TITLE) { m_sDialogTitle.LoadString(nTitleID); }

    virtual CString GetPath() const
    {
        CString s;
        this->GetWindowText(s);
        return s;
    }
    virtual void SetPath(LPCTSTR lpszPath) { this->SetWindowText(lpszPath); }
    void SetDialogTitle(LPCTSTR lpszTitle) { m_sDialogTitle = lpszTitle ? lpszTitle : ""; }
    CString GetDialogTitle() const { return m_sDialogTitle; }
    BOOL IsBrowsing() const { return m_bBrowsing; }

protected:
    virtual void OnDropButton() override
    {
        m_bBrowsing = TRUE;
        try {
            COXFolderPickerDlg dialog(GetPath(), "", TRUE, TRUE, TRUE, FALSE, "", TRUE, NULL,
                                      IDS_OX_FOLDER_PICKER_TITLE);
            dialog.SetTitle(m_sDialogTitle);
            if (dialog.DoModal() == IDOK)
                SetPath(dialog.GetFolder());
        } catch (CException* e) {
            e->Delete();
        }
        this->SetFocus();
        m_bBrowsing = FALSE;
    }

    CString m_sDialogTitle;
    BOOL m_bBrowsing = FALSE;
};

IMPLEMENT_DYNAMIC_T(COXBaseBrowseDirEdit, T, COXDropEdit<T>)

template <class T>
class COXBaseBrowseFileEdit : public COXBaseBrowseDirEdit<T>
{
    DECLARE_DYNAMIC(COXBaseBrowseFileEdit)
public:
    COXBaseBrowseFileEdit()
        : COXBaseBrowseDirEdit<T>(IDS_OX_BROWSE_DIR_TITLE),
          m_fileDialog(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "All Files (*.*)|*.*|", NULL)
    {
    }
    CFileDialog& GetFileDialog() { return m_fileDialog; }

protected:
    virtual void OnDropButton() override
    {
        this->m_bBrowsing = TRUE;
        try {
            // The dialog writes the chosen name into the buffer it is given:
            // the current path goes into a buffer of the dialog's own, never
            // one sized for the path alone.
            CString sPath = this->GetPath();
            if (m_fileDialog.m_ofn.lpstrFile == NULL || m_fileDialog.m_ofn.nMaxFile < MAX_PATH) {
                m_fileBuffer.assign(MAX_PATH, '\0');
                m_fileDialog.m_ofn.lpstrFile = m_fileBuffer.data();
                m_fileDialog.m_ofn.nMaxFile = MAX_PATH;
            }
            if (!sPath.IsEmpty())
                lstrcpynA(m_fileDialog.m_ofn.lpstrFile, sPath, (int)m_fileDialog.m_ofn.nMaxFile);
            if (m_fileDialog.DoModal() == IDOK)
                this->SetPath(m_fileDialog.GetPathName());
        } catch (CException* e) {
            e->Delete();
        }
        this->SetFocus();
        this->m_bBrowsing = FALSE;
    }

    CFileDialog m_fileDialog;
    std::vector<char> m_fileBuffer;
};

IMPLEMENT_DYNAMIC_T(COXBaseBrowseFileEdit, T, COXBaseBrowseDirEdit<T>)

class COXBrowseDirEdit : public COXBaseBrowseDirEdit<COXEdit>
{
    DECLARE_DYNCREATE(COXBrowseDirEdit)
public:
    COXBrowseDirEdit() : COXBaseBrowseDirEdit<COXEdit>(IDS_OX_BROWSE_DIR_TITLE) {}
    virtual CString GetPath() const override { return GetInputData(); }
    virtual void SetPath(LPCTSTR lpszPath) override;
};

class COXBrowseFileEdit : public COXBaseBrowseFileEdit<COXEdit>
{
    DECLARE_DYNCREATE(COXBrowseFileEdit)
public:
    virtual CString GetPath() const override { return GetInputData(); }
    virtual void SetPath(LPCTSTR lpszPath) override;
};
