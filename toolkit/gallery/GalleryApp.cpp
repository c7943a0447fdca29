// The gallery program: the list of toolkit controls, in the skin chosen from
// its Skin menu.
//   toolkit_gallery.exe [/skin "name"] [/open "name" [/show]] [/ready file]
// /skin starts in a skin ("Classic", "Office XP", "Office 2003" or "none");
// /open opens one entry at start; /show puts it in its screenshot state;
// /ready names a file that says when that state has painted
// (scripts/gallery-shot.sh waits for it, then takes the picture).
#include "Gallery.h"
#include "OXSkinnedApp.h"

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
