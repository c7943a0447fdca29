// Gallery: the customize manager with four sample pages in two groups. Each
// page says what to try: a click (not a hover) switches pages, tips (one of
// 100 characters, cut), Apply per page, a page that refuses OK, and a page
// counting the idle kicks it gets through the open dialog. The toolkit's own
// pages follow; the caption page paints every title bar of the gallery,
// the dialog's own included, while the dialog is open. The shortcut keys and
// tool bars pages work on a sample frame that opens with the dialog: new
// keys run their commands there after Apply or OK (its title names the
// command run), new tool bars float beside it; the tabbed MDI page puts
// tabs on a frame of documents opened beside the dialog. The workspace page
// chooses the pages offered: one unchecked there and OK'd is gone the next
// time the dialog opens (the gallery stores no workspace of its own window).
#include "Gallery.h"

#include "OXCustomizeBackgroundPage.h"
#include "OXCustomizeCaptionPage.h"
#include "OXCustomizeCommandsPage.h"
#include "OXCustomizeCoolControlsPage.h"
#include "OXCustomizeInstanceManagerPage.h"
#include "OXCustomizeIntelliMousePage.h"
#include "OXCoolToolBar.h"
#include "OXCustomizeManager.h"
#include "OXCustomizeShortkeysPage.h"
#include "OXCustomizeSplashWindowPage.h"
#include "OXCustomizeTabbedMDIPage.h"
#include "OXCustomizeToolbarsPage.h"
#include "OXCustomizeTrayIconPage.h"
#include "OXCustomizeWorkspaceStatePage.h"
#include "gallery_res.h"
#include "toolkit_res.h"

namespace {

class CSamplePage : public COXCustomizePage
{
public:
    CSamplePage(LPCTSTR lpszTitle, LPCTSTR lpszGroup, UINT nImage, LPCTSTR lpszTooltip, LPCTSTR lpszText,
                LPCTSTR lpszCheck)
        : m_sTitle(lpszTitle), m_sGroup(lpszGroup), m_nImage(nImage), m_sTooltip(lpszTooltip),
          m_sText(lpszText), m_sCheck(lpszCheck)
    {
        m_nDialogID = IDD_GALLERY_CUSTOMIZE_PAGE;
    }

    CString GetTitle() const override { return m_sTitle; }
    CString GetGroup() const override { return m_sGroup; }
    UINT GetImageResource() const override { return m_nImage; }
    CString GetTooltip() const override { return m_sTooltip; }

protected:
    void OnInitPage() override
    {
        SetDlgItemText(IDC_GALLERY_PAGE_TEXT, m_sText);
        SetDlgItemText(IDC_GALLERY_PAGE_CHECK, m_sCheck);
        GetDlgItem(IDC_GALLERY_PAGE_CHECK)->ShowWindow(m_sCheck.IsEmpty() ? SW_HIDE : SW_SHOW);
        COXCustomizePage::OnInitPage();
    }
    BOOL IsChecked() { return IsDlgButtonChecked(IDC_GALLERY_PAGE_CHECK) == BST_CHECKED; }
    void Status(LPCTSTR lpszFormat, int n)
    {
        CString s;
        s.Format(lpszFormat, n);
        SetDlgItemText(IDC_GALLERY_PAGE_STATUS, s);
    }

    CString m_sTitle, m_sGroup;
    UINT m_nImage;
    CString m_sTooltip, m_sText, m_sCheck;
};

class CColoursPage : public CSamplePage
{
public:
    CColoursPage()
        : CSamplePage("Colours", "Customize", IDB_GALLERY_PAGE_COLOURS,
                      "The colours of every window of the program, chosen on this page and applied "
                      "at once, or on OK (100).",
                      "Apply applies this page only. Rest the pointer on an item of the bar to see its tip "
                      "(this page's is 100 characters, cut to 79).",
                      "Use the system colours")
    {
    }
    BOOL ApplyChanges() override
    {
        Status("Applied %d time(s).", ++m_nApplied);
        return TRUE;
    }

private:
    int m_nApplied = 0;
};

class CWindowPage : public CSamplePage
{
public:
    CWindowPage()
        : CSamplePage("Windows", "Customize", IDB_GALLERY_PAGE_WINDOW, "How windows open",
                      "This page applies nothing on its own: Apply is disabled while it is shown.", "")
    {
    }
    BOOL IsSupportingApplyChanges() override { return FALSE; }
};

class CRefusingPage : public CSamplePage
{
public:
    CRefusingPage()
        : CSamplePage("Refuse OK", "Options", IDB_GALLERY_PAGE_STOP, "A page that can keep the dialog open",
                      "While the box is ticked, OK and Cancel leave the dialog open and bring this page back.",
                      "Refuse to close")
    {
    }
    BOOL OnCloseManager(BOOL bIsOk) override
    {
        if (!IsChecked())
            return TRUE;
        Status(bIsOk ? "OK refused %d time(s)." : "Cancel refused %d time(s).", ++m_nRefused);
        return FALSE;
    }

private:
    int m_nRefused = 0;
};

class CIdlePage : public CSamplePage
{
public:
    CIdlePage()
        : CSamplePage("Idle", "Options", IDB_GALLERY_PAGE_IDLE, "Idle time reaches the page shown",
                      "The thread's idle pass reaches this page through the modeless dialog (WM_KICKIDLE): "
                      "move the pointer over the dialog and the count grows.",
                      "")
    {
    }

protected:
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM lParam)
    {
        if (lParam == 0)
            Status("Idle passes: %d", ++m_nPasses);
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()

private:
    int m_nPasses = 0;
};

BEGIN_MESSAGE_MAP(CIdlePage, CSamplePage)
    ON_MESSAGE(WM_KICKIDLE, &CIdlePage::OnKickIdle)
END_MESSAGE_MAP()

// The frame the shortcut keys and tool bars pages work on: a menu, keys for
// its commands and a tool bar. A command run shows in its title, so that a
// key's new command can be tried at once.
class CShortkeysSampleFrame : public CFrameWnd
{
public:
    BOOL CreateFrame()
    {
        // No close box: the pages hold the frame until the dialog goes.
        if (!Create(NULL, "Sample frame", WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_VISIBLE,
                    CRect(620, 40, 1100, 300), NULL,
                    MAKEINTRESOURCE(IDR_GALLERY_SK_MAINMENU)))
            return FALSE;
        const ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'W', ID_GALLERY_BAR_SEARCH},
                              {FVIRTKEY, VK_ESCAPE, ID_GALLERY_BAR_STOP},
                              {FVIRTKEY | FCONTROL, 'E', ID_GALLERY_BAR_EXPORT},
                              {FVIRTKEY | FCONTROL, 'F', ID_GALLERY_BAR_FILTER},
                              {FVIRTKEY, VK_F8, ID_GALLERY_BAR_HISTORY}};
        m_hAccelTable = ::CreateAcceleratorTableA((ACCEL*)keys, (int)(sizeof(keys) / sizeof(keys[0])));
        MakeBlocks(this, m_images, {RGB(30, 90, 170), RGB(200, 60, 40), RGB(40, 150, 70), RGB(230, 170, 20),
                                    RGB(120, 60, 160), RGB(20, 140, 160), RGB(180, 30, 90), RGB(90, 90, 90)});
        EnableDocking(CBRS_ALIGN_ANY);
        const UINT commands[] = {ID_GALLERY_BAR_SEARCH, ID_GALLERY_BAR_SHOP,   ID_GALLERY_BAR_VIDEO,
                                 ID_GALLERY_BAR_NEWS,   ID_GALLERY_BAR_EXPORT, ID_GALLERY_BAR_FILTER,
                                 ID_GALLERY_BAR_STOP,   ID_GALLERY_BAR_HISTORY};
        if (!m_bar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY))
            return FALSE;
        m_bar.SetWindowText("Harvest");
        m_bar.SetSizes(CSize(23, 22), CSize(16, 16));
        m_bar.SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_images.GetSafeHandle());
        m_bar.SetButtons(commands, (int)(sizeof(commands) / sizeof(commands[0])));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_bar);
        RecalcLayout();
        return TRUE;
    }

protected:
    afx_msg void OnCommandRun(UINT nID)
    {
        CString sName;
        sName.LoadString(nID);
        SetWindowText("Sample frame - ran " + sName.Mid(sName.Find('\n') + 1));
    }
    DECLARE_MESSAGE_MAP()

    COXCoolToolBar m_bar;
    CImageList m_images;
};

BEGIN_MESSAGE_MAP(CShortkeysSampleFrame, CFrameWnd)
    ON_COMMAND_RANGE(ID_GALLERY_BAR_SEARCH, ID_GALLERY_BAR_HISTORY, &CShortkeysSampleFrame::OnCommandRun)
END_MESSAGE_MAP()


// The tabbed MDI page drives the documents frame the gallery opens beside
// the dialog (the gallery's main window is no MDI frame).
class CGalleryTabbedMDIPage : public COXCustomizeTabbedMDIPage
{
public:
    BOOL OpenDocuments()
    {
        CMDIFrameWnd* pFrame = new CMDIFrameWnd;
        if (!pFrame->Create(NULL, "Documents for the tabbed MDI page", WS_OVERLAPPEDWINDOW,
                            CRect(560, 40, 1080, 400))) {
            delete pFrame;
            return FALSE;
        }
        m_hWndFrame = pFrame->GetSafeHwnd();
        int nOffset = 0;
        for (const char* pszTitle : {"Seeds.txt", "Phrases.csv", "Levels.log"}) {
            CMDIChildWnd* pChild = new CMDIChildWnd;
            pChild->Create(NULL, pszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                           CRect(nOffset, nOffset, nOffset + 300, nOffset + 180), pFrame);
            nOffset += 24;
        }
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pFrame->RecalcLayout();
        return TRUE;
    }
    void CloseDocuments()
    {
        GetTabClientWnd()->Detach();
        if (::IsWindow(m_hWndFrame))
            ::DestroyWindow(m_hWndFrame);
        m_hWndFrame = NULL;
    }

    // With the documents closed by hand there is nothing left to apply: OK
    // still closes the dialog.
    BOOL OnCloseManager(BOOL bIsOk) override
    {
        return GetMDIFrame() == NULL || COXCustomizeTabbedMDIPage::OnCloseManager(bIsOk);
    }

protected:
    // The frame may have been closed by hand while the dialog is open.
    CMDIFrameWnd* GetMDIFrame() const override
    {
        if (!::IsWindow(m_hWndFrame))
            return NULL;
        return DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(m_hWndFrame));
    }

    HWND m_hWndFrame = NULL;
};

// The gallery's manager owns its sample pages and goes with its window.
class CGalleryCustomizeManager : public COXCustomizeManager
{
public:
    CGalleryCustomizeManager()
    {
        RegisterPage(&m_colours, 1);
        RegisterPage(&m_window, 2);
        RegisterPage(&m_refusing, 3);
        RegisterPage(&m_idle, 4);
        // Pages of the toolkit itself, keeping their settings in the gallery's profile.
        m_intelliMouse.InitializeIntelliMouse(TRUE, WM_MBUTTONDOWN, 0, FALSE, "Gallery intelli-mouse");
        m_splash.InitializeSplashWindow(IDB_GALLERY_SPLASH, FALSE, 3000, TRUE, CLR_DEFAULT, NULL, 0,
                                        "Gallery splash window");
        m_trayIcon.InitializeTrayIcon(AfxGetApp()->LoadIcon(IDI_GALLERY_GLOBE), IDR_GALLERY_TRAY_MENU,
                                      "Toolkit gallery", TRUE, TRUE, NULL, "Gallery tray icon");
        RegisterPage(&m_intelliMouse, 5);
        RegisterPage(&m_splash, 6);
        RegisterPage(&m_trayIcon, 7);
        // Cool controls start off; any number of gallery copies may run.
        m_coolControls.InitializeCoolControls(FALSE, "Gallery cool controls");
        m_instances.InitializeInstanceManager(1000, "Gallery instances");
        RegisterPage(&m_coolControls, 8);
        RegisterPage(&m_instances, 9);
        m_caption.InitializeCaptionPainter(TRUE, "Gallery captions", FALSE);
        // The splash picture, keyed out where the splash window is cut away.
        m_background.SetDefaultImageTransparentColor(CLR_DEFAULT);
        m_background.InitializeBackgroundPainter(TRUE, TRUE, IDB_GALLERY_SPLASH, OXPaintTiled,
                                                 ::GetSysColor(COLOR_APPWORKSPACE), "Gallery background");
        RegisterPage(&m_caption, 10);
        RegisterPage(&m_background, 11);
        // The shortcut keys and tool bars pages, on a frame of their own.
        m_pSampleFrame = new CShortkeysSampleFrame;
        if (m_pSampleFrame->CreateFrame()) {
            m_shortkeys.InitializeShortkeys(m_pSampleFrame, "Gallery shortcut keys");
            m_toolbars.SetFrame(m_pSampleFrame);
            m_toolbars.InitializeToolbars(TRUE, TRUE, TRUE, 0, "Gallery tool bars");
            RegisterPage(&m_shortkeys, 12);
            RegisterPage(&m_toolbars, 13);
            m_commands.SetFrame(m_pSampleFrame);
            m_commands.InitializeCommands(NULL, RGB(192, 192, 192), TRUE, FALSE, "Gallery commands");
            RegisterPage(&m_commands, 16);
        }
        if (m_tabbedMDI.OpenDocuments()) {
            m_tabbedMDI.InitializeTabbedMDI(TCS_HOTTRACK, 1, "Gallery tabbed MDI", TRUE);
            RegisterPage(&m_tabbedMDI, 14);
        }
        // The gallery's own window is left where it is; only the pages
        // offered are the page's to decide here.
        m_workspace.InitializeWorkspaceState(FALSE, FALSE, FALSE, FALSE, "Gallery workspace");
        RegisterPage(&m_workspace, 15);
    }
    ~CGalleryCustomizeManager() override
    {
        m_tabbedMDI.CloseDocuments();
        if (::IsWindow(m_pSampleFrame->GetSafeHwnd()))
            m_pSampleFrame->DestroyWindow();   // the frame deletes itself
        else
            delete m_pSampleFrame;
    }
    COXCustomizePage* GetShortkeysPage() { return &m_shortkeys; }
    COXCustomizeCommandsPage* GetCommandsPage() { return &m_commands; }
    COXCustomizePage* GetCaptionPage() { return &m_caption; }
    COXCustomizePage* GetBackgroundPage() { return &m_background; }
    COXCustomizePage* GetInstancesPage() { return &m_instances; }

    BOOL RegisterPage(COXCustomizePage* pPage, DWORD dwPageID)
    {
        m_mapPagesByID[dwPageID] = pPage;
        return COXCustomizeManager::RegisterPage(pPage, dwPageID);
    }
    BOOL IsPageIncluded(DWORD dwPageID) override
    {
        COXCustomizePage* pPage = NULL;
        return m_mapPagesByID.Lookup(dwPageID, pPage) && m_workspace.IsCustomizePageIncluded(pPage);
    }
    CFrameWnd* GetSampleFrame() { return m_pSampleFrame; }

protected:
    void PostNcDestroy() override { delete this; }

    CColoursPage m_colours;
    CWindowPage m_window;
    CRefusingPage m_refusing;
    CIdlePage m_idle;
    COXCustomizeIntelliMousePage m_intelliMouse;
    COXCustomizeSplashWindowPage m_splash;
    COXCustomizeTrayIconPage m_trayIcon;
    COXCustomizeCoolControlsPage m_coolControls;
    COXCustomizeInstanceManagerPage m_instances;
    COXCustomizeCaptionPage m_caption;
    COXCustomizeBackgroundPage m_background;
    CShortkeysSampleFrame* m_pSampleFrame = NULL;
    COXCustomizeShortkeysPage m_shortkeys;
    COXCustomizeToolbarsPage m_toolbars;
    COXCustomizeCommandsPage m_commands;
    CGalleryTabbedMDIPage m_tabbedMDI;
    COXCustomizeWorkspaceStatePage m_workspace;
    CMap<DWORD, DWORD, COXCustomizePage*, COXCustomizePage*> m_mapPagesByID;
};

CWnd* OpenCustomizeManager(CWnd* pGallery)
{
    CGalleryCustomizeManager* pManager = new CGalleryCustomizeManager;
    if (!pManager->Open(pGallery)) {
        delete pManager;
        return NULL;
    }
    pManager->SetWindowText("Customize manager");
    return pManager;
}

// The manager on the shortcut keys page, Filter chosen and Ctrl+E in the
// field: the page says whose keys they are now (Export's).
CWnd* OpenShortkeysPage(CWnd* pGallery)
{
    CGalleryCustomizeManager* pManager = (CGalleryCustomizeManager*)OpenCustomizeManager(pGallery);
    if (pManager == NULL || !pManager->ActivatePage(pManager->GetShortkeysPage()))
        return pManager;
    COXCustomizePage* pPage = pManager->GetShortkeysPage();
    CTreeCtrl* pTree = (CTreeCtrl*)pPage->GetDlgItem(IDC_OX_SKP_COMMANDS);
    for (HTREEITEM hMenu = pTree->GetRootItem(); hMenu != NULL; hMenu = pTree->GetNextSiblingItem(hMenu)) {
        pTree->Expand(hMenu, TVE_EXPAND);
        for (HTREEITEM h = pTree->GetChildItem(hMenu); h != NULL; h = pTree->GetNextSiblingItem(h)) {
            if (pTree->GetItemData(h) == ID_GALLERY_BAR_FILTER)
                pTree->SelectItem(h);
        }
    }
    CWnd* pField = pPage->GetDlgItem(IDC_OX_SKP_HOTKEY);
    pField->SendMessage(HKM_SETHOTKEY, MAKEWORD('E', HOTKEYF_CONTROL));
    NMKEY nm = {};
    nm.hdr.hwndFrom = pField->m_hWnd;
    nm.hdr.idFrom = IDC_OX_SKP_HOTKEY;
    nm.hdr.code = (UINT)NM_KEYDOWN;
    nm.nVKey = 'E';
    pPage->SendMessage(WM_NOTIFY, IDC_OX_SKP_HOTKEY, (LPARAM)&nm);
    pManager->SetWindowText("Shortcut keys page");
    return pManager;
}

// The manager on the commands page, the Keywords menu open in the tree and
// its Filter command chosen: its description shows.
CWnd* OpenCommandsPage(CWnd* pGallery)
{
    CGalleryCustomizeManager* pManager = (CGalleryCustomizeManager*)OpenCustomizeManager(pGallery);
    if (pManager == NULL || !pManager->ActivatePage(pManager->GetCommandsPage()))
        return pManager;
    CTreeCtrl& tree = pManager->GetCommandsPage()->GetTree();
    for (HTREEITEM hMenu = tree.GetRootItem(); hMenu != NULL; hMenu = tree.GetNextSiblingItem(hMenu)) {
        if (tree.GetItemText(hMenu) != "Keywords")
            continue;
        tree.Expand(hMenu, TVE_EXPAND);
        for (HTREEITEM h = tree.GetChildItem(hMenu); h != NULL; h = tree.GetNextSiblingItem(h)) {
            if (tree.GetItemData(h) == ID_GALLERY_BAR_FILTER)
                tree.SelectItem(h);
        }
    }
    pManager->SetWindowText("Commands page");
    return pManager;
}

// The manager on one of its pages, titled after it.
CWnd* OpenManagerOn(CWnd* pGallery, COXCustomizePage* (CGalleryCustomizeManager::*pPageOf)(), LPCTSTR lpszTitle)
{
    CGalleryCustomizeManager* pManager = (CGalleryCustomizeManager*)OpenCustomizeManager(pGallery);
    if (pManager == NULL || !pManager->ActivatePage((pManager->*pPageOf)()))
        return pManager;
    pManager->SetWindowText(lpszTitle);
    return pManager;
}

// The manager on the captions page: its preview strip shows a sample title
// over the caption's background.
CWnd* OpenCaptionsPage(CWnd* pGallery)
{
    return OpenManagerOn(pGallery, &CGalleryCustomizeManager::GetCaptionPage, "Captions page");
}

// The manager on the background page: its preview shows the program's own
// image as the background will.
CWnd* OpenBackgroundPage(CWnd* pGallery)
{
    return OpenManagerOn(pGallery, &CGalleryCustomizeManager::GetBackgroundPage, "Background page");
}

// The manager on the instances page: the copies running, and their count.
CWnd* OpenInstancesPage(CWnd* pGallery)
{
    return OpenManagerOn(pGallery, &CGalleryCustomizeManager::GetInstancesPage, "Instances page");
}

}   // namespace

GALLERY_ENTRY("customize", "Customize manager", OpenCustomizeManager);
GALLERY_ENTRY("customize", "Background page", OpenBackgroundPage);
GALLERY_ENTRY("customize", "Captions page", OpenCaptionsPage);
GALLERY_ENTRY("customize", "Instances page", OpenInstancesPage);
GALLERY_ENTRY("customize", "Commands page", OpenCommandsPage);
GALLERY_ENTRY("customize", "Shortcut keys page", OpenShortkeysPage);
