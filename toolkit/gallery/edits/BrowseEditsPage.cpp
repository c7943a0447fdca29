// Gallery: the colour, folder and file browse edits. The folder edit's button
// opens the folder picker with its history combo and shell folder tree; the
// file edit's opens the system's file dialog.
#include "Gallery.h"
#include "OXBrowseEdits.h"

namespace {

const UINT WM_OPEN_FOLDER_PICKER = WM_APP + 71;

class CGalleryDirEdit : public COXBrowseDirEdit
{
public:
    void Drop() { OnDropButton(); }
};

class CBrowseEditsPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("Colour (shown in the edit), folder and file");
        m_color.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, NextRect(220, 24), this, 701);
        ApplyFont(&m_color);
        m_color.SetShowColor(TRUE);
        m_color.SetColor(RGB(46, 150, 80));
        NewRow();
        m_dir.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, NextRect(320, 24), this, 702);
        ApplyFont(&m_dir);
        char szWindows[MAX_PATH] = "";
        ::GetWindowsDirectoryA(szWindows, MAX_PATH);
        m_dir.SetPath(szWindows);
        NewRow();
        m_file.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, NextRect(320, 24), this, 703);
        ApplyFont(&m_file);
        m_file.SetPath(CString(szWindows) + "\\win.ini");
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_OPEN_FOLDER_PICKER) {
            m_dir.Drop();
            return 0;
        }
        return CGalleryPage::WindowProc(message, wParam, lParam);
    }
    void ShowOff() override { PostMessage(WM_OPEN_FOLDER_PICKER); }

    COXBrowseColorEdit m_color;
    CGalleryDirEdit m_dir;
    COXBrowseFileEdit m_file;
};

}  // namespace

GALLERY_PAGE(CBrowseEditsPage, "edits", "Browse edits");
