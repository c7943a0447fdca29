// Gallery: the shell folder tree over the prefix's drive, and the file
// dialog with its preview pane (a viewer that paints bitmaps).
#include "Gallery.h"
#include "OXPreviewDialog.h"
#include "OXShellFolderTree.h"

namespace {

class CShellTreePage : public CGalleryPage
{
public:
    CShellTreePage() : m_tree(TRUE, TRUE, TRUE, TRUE, TRUE, "bmp|ico|txt") {}

protected:
    void Populate() override
    {
        NewRow("Folders and the files bmp, ico and txt; right-click for the shell's menu");
        m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES
                          | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                      NextRect(360, 320), this, 600);
        ApplyFont(&m_tree);
        m_tree.InitializeTree(NULL);
        char szWindows[MAX_PATH] = "";
        ::GetWindowsDirectoryA(szWindows, MAX_PATH);
        m_tree.OpenFolder(szWindows, TRUE);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->idFrom == 600 && pNMHDR->code == TVN_SELCHANGEDA)
            Log("%s", (LPCTSTR)m_tree.GetItemPath(((NMTREEVIEWA*)lParam)->itemNew.hItem));
        return CGalleryPage::OnNotify(wParam, lParam, pResult);
    }
    COXShellFolderTree m_tree;
};

// Paints a bitmap file fitted into the pane.
class CBitmapViewer : public COXFileViewer
{
public:
    ~CBitmapViewer() override { Free(); }
    BOOL OnNewFileSelect(LPCTSTR lpszFile, BOOL bHandled) override
    {
        Free();
        if (bHandled || lpszFile == NULL || *lpszFile == '\0')
            return FALSE;
        m_hBitmap = (HBITMAP)::LoadImageA(NULL, lpszFile, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
        return m_hBitmap != NULL;
    }
    BOOL OnPaintPreview(CDC* pDC, LPRECT lpRect) override
    {
        if (m_hBitmap == NULL)
            return FALSE;
        BITMAP bm;
        ::GetObject(m_hBitmap, sizeof(bm), &bm);
        pDC->FillSolidRect(lpRect, ::GetSysColor(COLOR_BTNFACE));
        CRect target(lpRect);
        target.DeflateRect(4, 4);
        CRect fit = COXPreviewDialog::AdjustRectToFit(CRect(target.left, target.top, target.left + bm.bmWidth,
                                                            target.top + bm.bmHeight),
                                                      target);
        CDC mem;
        mem.CreateCompatibleDC(pDC);
        HGDIOBJ hOld = ::SelectObject(mem.m_hDC, m_hBitmap);
        pDC->SetStretchBltMode(HALFTONE);
        pDC->StretchBlt(fit.left, fit.top, fit.Width(), fit.Height(), &mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        ::SelectObject(mem.m_hDC, hOld);
        return TRUE;
    }

private:
    void Free()
    {
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
        m_hBitmap = NULL;
    }
    HBITMAP m_hBitmap = NULL;
};

const UINT ID_OPEN_PREVIEW = 610;
const UINT WM_OPEN_PREVIEW = WM_APP + 61;

class CPreviewDialogPage : public CGalleryPage
{
protected:
    void Populate() override
    {
        NewRow("The file dialog with a preview pane and a splitter");
        m_open.Create("Open...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, NextRect(100, 26), this, ID_OPEN_PREVIEW);
        ApplyFont(&m_open);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == ID_OPEN_PREVIEW && HIWORD(wParam) == BN_CLICKED)
            PostMessage(WM_OPEN_PREVIEW);
        return CGalleryPage::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_OPEN_PREVIEW) {
            char szWindows[MAX_PATH] = "";
            ::GetWindowsDirectoryA(szWindows, MAX_PATH);
            COXPreviewDialog dialog(TRUE, NULL, NULL, OFN_HIDEREADONLY,
                                    "Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*||", this);
            dialog.m_ofn.lpstrInitialDir = szWindows;
            CBitmapViewer viewer;
            dialog.InsertFileViewer(&viewer, 0);
            if (dialog.DoModal() == IDOK)
                Log("chose %s", (LPCTSTR)dialog.GetPathName());
            return 0;
        }
        return CGalleryPage::WindowProc(message, wParam, lParam);
    }
    void ShowOff() override { PostMessage(WM_OPEN_PREVIEW); }
    CButton m_open;
};

}  // namespace

GALLERY_PAGE(CShellTreePage, "lists", "Shell folder tree");
GALLERY_PAGE(CPreviewDialogPage, "lists", "File dialog with preview");
