// The gallery program: the list of toolkit controls, in the skin chosen from
// its Skin menu.
//   toolkit_gallery.exe [/skin "name"] [/open "name" [/show]] [/ready file]
// /skin starts in a skin ("Classic", "Office XP", "Office 2003" or "none");
// /open opens one entry at start; /show puts it in its screenshot state;
// /ready names a file that says when that state has painted
// (scripts/gallery-shot.sh waits for it, then takes the picture).
#include "Gallery.h"
#include "OXSkinnedApp.h"
#include "gallery_res.h"

namespace {

struct SkinCommand
{
    UINT nID;
    const char* pszSkin;   // NULL: no skin
};
const SkinCommand kSkinCommands[] = {
    {ID_GALLERY_SKIN_CLASSIC, "Classic"},
    {ID_GALLERY_SKIN_XP, "Office XP"},
    {ID_GALLERY_SKIN_2003, "Office 2003"},
    {ID_GALLERY_SKIN_NONE, NULL},
};

// The gallery's window with the Skin menu: a choice switches the whole
// application, open pages included.
class CSkinnedGalleryWindow : public CGalleryWindow
{
public:
    void AddSkinMenu()
    {
        CMenu menu, popup;
        menu.CreateMenu();
        popup.CreatePopupMenu();
        for (const SkinCommand& c : kSkinCommands)
            popup.AppendMenu(MF_STRING, c.nID, c.pszSkin != NULL ? c.pszSkin : "None");
        menu.AppendMenu(MF_POPUP, (UINT_PTR)popup.Detach(), "&Skin");
        SetMenu(&menu);
        menu.Detach();
        CheckCurrentSkin();
    }

    void CheckCurrentSkin()
    {
        COXSkin* pSkin = OXGetCurrentSkin();
        CMenu* pMenu = GetMenu();
        if (pMenu == NULL)
            return;
        for (const SkinCommand& c : kSkinCommands) {
            BOOL bCurrent = c.pszSkin == NULL ? pSkin == NULL : pSkin != NULL && pSkin->GetName() == c.pszSkin;
            pMenu->CheckMenuItem(c.nID, MF_BYCOMMAND | (bCurrent ? MF_CHECKED : MF_UNCHECKED));
        }
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        for (const SkinCommand& c : kSkinCommands) {
            if (LOWORD(wParam) != c.nID || lParam != 0)
                continue;
            COXSkinnedApp* pApp = static_cast<COXSkinnedApp*>(AfxGetApp());
            pApp->SetCurrentSkin(c.pszSkin != NULL ? c.pszSkin : "");
            // The pages are windows of their own: each is repainted too.
            for (HWND hTop = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hTop != NULL;
                 hTop = ::GetWindow(hTop, GW_HWNDNEXT))
                if (::GetWindow(hTop, GW_OWNER) == m_hWnd || ::GetParent(hTop) == m_hWnd)
                    COXSkinnedApp::RefreshWindow(hTop);
            CheckCurrentSkin();
            return TRUE;
        }
        return CGalleryWindow::OnCommand(wParam, lParam);
    }
};

} // namespace

class CGalleryApp : public COXSkinnedApp
{
public:
    CGalleryApp()
    {
        m_pszAppName = _strdup("ToolkitGallery");
        AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;
    }

    BOOL InitInstance() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);

        CString open, ready;
        BOOL bShow = FALSE;
        for (int i = 1; i < __argc; ++i) {
            if (_stricmp(__argv[i], "/open") == 0 && i + 1 < __argc)
                open = __argv[++i];
            else if (_stricmp(__argv[i], "/show") == 0)
                bShow = TRUE;
            else if (_stricmp(__argv[i], "/ready") == 0 && i + 1 < __argc)
                ready = __argv[++i];
            else if (_stricmp(__argv[i], "/skin") == 0 && i + 1 < __argc)
                SetCurrentSkin(__argv[++i]);
        }

        CSkinnedGalleryWindow* pGallery = new CSkinnedGalleryWindow;
        if (!pGallery->CreateGallery()) {
            delete pGallery;
            return FALSE;
        }
        m_pMainWnd = pGallery;
        pGallery->AddSkinMenu();
        pGallery->SetReadyFile(ready);

        // With a ready file a script is waiting: it is told, not shown a box.
        if (!open.IsEmpty() && !pGallery->Open(open, bShow) && ready.IsEmpty())
            AfxMessageBox("No gallery entry \"" + open + "\"");
        return TRUE;
    }
};

CGalleryApp theGalleryApp;
