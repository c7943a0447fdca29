// The gallery program: the list of toolkit controls.
//   toolkit_gallery.exe [/open "name" [/show]]
// /open opens one entry at start; /show puts it in its screenshot state
// (scripts/gallery-shot.sh takes the picture).
#include "Gallery.h"

class CGalleryApp : public CWinApp
{
public:
    CGalleryApp() : CWinApp("ToolkitGallery") {}

    BOOL InitInstance() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        CGalleryWindow* pGallery = new CGalleryWindow;
        if (!pGallery->CreateGallery()) {
            delete pGallery;
            return FALSE;
        }
        m_pMainWnd = pGallery;

        CString open;
        BOOL bShow = FALSE;
        for (int i = 1; i < __argc; ++i) {
            if (_stricmp(__argv[i], "/open") == 0 && i + 1 < __argc)
                open = __argv[++i];
            else if (_stricmp(__argv[i], "/show") == 0)
                bShow = TRUE;
        }
        if (!open.IsEmpty() && !pGallery->Open(open, bShow))
            AfxMessageBox("No gallery entry \"" + open + "\"");
        return TRUE;
    }
};

CGalleryApp theGalleryApp;
