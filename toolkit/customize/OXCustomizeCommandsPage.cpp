#include "OXCustomizeCommandsPage.h"

#include <afxole.h>

#include <algorithm>

#include "OXBitmapMenu.h"
#include "OXBitmapMenuPopupWnd.h"
#include "OXButtonAppearanceDlg.h"
#include "OXCommandDragData.h"
#include "OXMenuBar.h"
#include "toolkit_res.h"

IMPLEMENT_DYNCREATE(COXCustomizeCommandsPage, COXCustomizePage)

const char COXCustomizeCommandsPage::szShowIconsInMenu[] = "ShowIconsInMenu";
const char COXCustomizeCommandsPage::szShowOnlyRecentlyUsed[] = "ShowOnlyRecentlyUsedMenuItems";
const char COXCustomizeCommandsPage::szRecentlyUsedSection[] = "RecentlyUsedMenuItems";
const char COXCustomizeCommandsPage::szToolbarsStateSection[] = "Toolbars State";
const char COXCustomizeCommandsPage::szToolbarValueFormat[] = "Toolbar_ID_%d";

BEGIN_MESSAGE_MAP(COXCustomizeCommandsPage, COXCustomizePage)
    ON_WM_SIZE()
    ON_NOTIFY(TVN_SELCHANGED, IDC_OX_CMP_COMMANDS, &COXCustomizeCommandsPage::OnTreeSelChanged)
    ON_NOTIFY(TVN_BEGINDRAG, IDC_OX_CMP_COMMANDS, &COXCustomizeCommandsPage::OnTreeBeginDrag)
    ON_NOTIFY(OXBBN_DROPDOWN, IDC_OX_CMP_MODIFY, &COXCustomizeCommandsPage::OnModifyDropDown)
    ON_NOTIFY_EX_RANGE(OXCTBN_CUSTOMIZE, 0, 0xFFFF, &COXCustomizeCommandsPage::OnToolbarNotify)
    ON_NOTIFY_EX_RANGE(OXBMN_CUSTOMIZECOMMAND, 0, 0xFFFF, &COXCustomizeCommandsPage::OnMenuNotify)
    ON_BN_CLICKED(IDC_OX_CMP_SHOW_ICONS, &COXCustomizeCommandsPage::OnOptionClicked)
    ON_BN_CLICKED(IDC_OX_CMP_RECENTLY_USED, &COXCustomizeCommandsPage::OnOptionClicked)
END_MESSAGE_MAP()

namespace {
const int kImageSize = 16;
// The recent-file commands and, in MDI frames, the window list.
const UINT kFirstRecentFile = 0xE110, kLastRecentFile = 0xE11F, kFirstWindowCommand = 0xFF00;
// Menus nest no deeper than this when walked.
const int kMaxMenuDepth = 16;
const int kPreviewInset = 5, kPreviewInsetTop = 17, kPreviewMaxHeight = 22;

std::string LowerKey(const CString& s)
{
    std::string key((LPCTSTR)s);
    if (!key.empty())
        ::CharLowerBuffA(&key[0], (DWORD)key.size());
    return key;
}

BOOL HasString(UINT nID)
{
    char buf[2];
    return nID != 0 && ::LoadStringA(AfxGetResourceHandle(), nID, buf, sizeof buf) > 0;
}

// Images nFirst up to (not including) nEnd of hSource, appended to il; the
// index of the first copy.
int AppendImageRange(CImageList& il, HIMAGELIST hSource, int nFirst, int nEnd)
{
    const int nBase = il.GetImageCount();
    nEnd = std::min(nEnd, ImageList_GetImageCount(hSource));
    for (int i = nFirst; i < nEnd; i++) {
        HICON hIcon = ImageList_GetIcon(hSource, i, ILD_NORMAL);
        if (hIcon == NULL || ImageList_ReplaceIcon(il.GetSafeHandle(), -1, hIcon) < 0) {
            // Keep the indexes in step with the source.
            ImageList_SetImageCount(il.GetSafeHandle(), il.GetImageCount() + 1);
        }
        if (hIcon != NULL)
            ::DestroyIcon(hIcon);
    }
    return nBase;
}

// Copies every image of hSource to the end of il; the index of the first.
int AppendImages(CImageList& il, HIMAGELIST hSource)
{
    return AppendImageRange(il, hSource, 0, ImageList_GetImageCount(hSource));
}

// A button of a bar that showed the page's old list, on one of the added
// commands' images.
struct OldCustomButton
{
    CToolBar* pBar;
    int nIndex;
    int nCustomImage;
};

// Copies of the page's image list left with bars that outlive the page;
// freed when the program ends.
struct CLeftImageLists
{
    CArray<HIMAGELIST, HIMAGELIST> arr;
    ~CLeftImageLists()
    {
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
            ImageList_Destroy(arr[i]);
    }
};
CLeftImageLists& LeftImageLists()
{
    static CLeftImageLists lists;
    return lists;
}
} // namespace

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------
BOOL COXCustomizeCommandsPage::IsCollectedCommand(UINT nID, BOOL bMDIFrame, BOOL bHasString)
{
    if (nID == 0 || (nID >= kFirstRecentFile && nID <= kLastRecentFile))
        return FALSE;
    if (bMDIFrame && nID >= kFirstWindowCommand)
        return FALSE;
    return bHasString;
}

void COXCustomizeCommandsPage::CollectMenuCommands(HMENU hMenu, BOOL bMDIFrame,
                                                   const std::function<BOOL(UINT)>& hasString,
                                                   CMap<UINT, UINT, int, int>& mapCommands, int nDepth)
{
    if (hMenu == NULL || nDepth > kMaxMenuDepth)
        return;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        if (HMENU hSub = ::GetSubMenu(hMenu, i)) {
            CollectMenuCommands(hSub, bMDIFrame, hasString, mapCommands, nDepth + 1);
            continue;
        }
        const UINT nID = ::GetMenuItemID(hMenu, i);
        int nImage;
        if (IsCollectedCommand(nID, bMDIFrame, hasString(nID)) && !mapCommands.Lookup(nID, nImage))
            mapCommands.SetAt(nID, -1);
    }
}

std::vector<UINT> COXCustomizeCommandsPage::BuildButtonIds(const std::map<UINT, int>& commandImages)
{
    // As many slots as commands, or as the highest image needs: a bar with
    // more images than buttons puts commands past the count.
    int nSlots = (int)commandImages.size();
    for (const auto& entry : commandImages)
        nSlots = std::max(nSlots, entry.second - (kTreeImageCount - 1));
    std::vector<UINT> slots(nSlots, 0);
    std::vector<UINT> rest;
    for (const auto& entry : commandImages) {
        const int nSlot = entry.second - kTreeImageCount;
        if (nSlot >= 0 && slots[nSlot] == 0)
            slots[nSlot] = entry.first;
        else
            rest.push_back(entry.first);
    }
    // Commands without an image of their own take the free slots only.
    int nFree = nSlots - 1;
    for (UINT nID : rest) {
        while (nFree >= 0 && slots[nFree] != 0)
            nFree--;
        if (nFree < 0)
            break;
        slots[nFree--] = nID;
    }
    return slots;
}

CString COXCustomizeCommandsPage::CleanMenuText(LPCTSTR lpszText)
{
    CString s(lpszText);
    const int nTab = s.Find('\t');
    if (nTab >= 0)
        s = s.Left(nTab);
    const int nAmp = s.Find('&');
    if (nAmp >= 0)
        s.Delete(nAmp);
    return s;
}

CString COXCustomizeCommandsPage::CommandDescription(LPCTSTR lpszString)
{
    CString s(lpszString);
    const int n = s.Find('\n');
    return n >= 0 ? s.Left(n) : s;
}

CString COXCustomizeCommandsPage::CommandShortText(LPCTSTR lpszString)
{
    CString s(lpszString);
    const int n = s.Find('\n');
    return n >= 0 ? s.Mid(n + 1) : s;
}

CRect COXCustomizeCommandsPage::PreviewRect(const CRect& rectFrame, CSize sizeControl)
{
    CRect rectArea(rectFrame.left + kPreviewInset, rectFrame.top + kPreviewInsetTop, rectFrame.right - kPreviewInset,
                   rectFrame.bottom - kPreviewInset);
    const int cy = std::min((int)sizeControl.cy, kPreviewMaxHeight);
    int cx = sizeControl.cx;
    int x = rectArea.left, y = rectArea.top;
    if (cx < rectArea.Width())
        x += (rectArea.Width() - cx) / 2;
    else
        cx = rectArea.Width();
    if (cy < rectArea.Height())
        y += (rectArea.Height() - cy) / 2;
    return CRect(x, y, x + cx, y + cy);
}

// ---------------------------------------------------------------------------
// The page
// ---------------------------------------------------------------------------
COXCustomizeCommandsPage::COXCustomizeCommandsPage()
    : m_bShowIconsInMenu(TRUE), m_bShowOnlyRecentlyUsed(TRUE), m_pBitmapIDs(NULL), m_nBitmapIDs(0),
      m_nCustomImageBase(-1), m_pCustomizedToolbar(NULL), m_nCustomizedPopupItem(-1), m_hPreviewWnd(NULL), m_hWndFrame(NULL)
{
    m_nDialogID = IDD_OX_CUSTOMIZE_COMMANDS;
    m_sProfileName = "CustomizeCommands";
}

COXCustomizeCommandsPage::~COXCustomizeCommandsPage()
{
    DestroyPreview();
    // Bars that outlive the page keep neither its id list nor its images.
    CFrameWnd* pFrame = GetMainFrame();
    if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd)) {
        CArray<CToolBar*, CToolBar*> arrBars;
        GetToolbars(arrBars);
        for (INT_PTR i = 0; i < arrBars.GetSize(); i++) {
            CToolBar* pBar = arrBars[i];
            if (COXCoolToolBar* pCool = DYNAMIC_DOWNCAST(COXCoolToolBar, pBar))
                pCool->SetButtonsIds(NULL, 0);
            if (m_ilImages.GetSafeHandle() != NULL &&
                (HIMAGELIST)pBar->SendMessage(TB_GETIMAGELIST) == m_ilImages.GetSafeHandle()) {
                HIMAGELIST hCopy = ImageList_Duplicate(m_ilImages.GetSafeHandle());
                if (hCopy != NULL)
                    LeftImageLists().arr.Add(hCopy);
                pBar->SendMessage(TB_SETIMAGELIST, 0, (LPARAM)hCopy);
            }
        }
    }
    for (POSITION pos = m_mapPopupWnds.GetStartPosition(); pos != NULL;) {
        COXBitmapMenuPopupWnd* pPopup;
        int nLevel;
        m_mapPopupWnds.GetNextAssoc(pos, pPopup, nLevel);
        if (::IsWindow(pPopup->GetSafeHwnd())) {
            pPopup->Hide();
            pPopup->DestroyWindow();
        }
        delete pPopup;
    }
    m_mapPopupWnds.RemoveAll();
    delete[] m_pBitmapIDs;
}

CString COXCustomizeCommandsPage::GetTitle() const
{
    return LoadText(IDS_OX_COMMANDS_TITLE);
}

UINT COXCustomizeCommandsPage::GetImageResource() const
{
    return IDB_OX_CUSTOMIZE_COMMANDS;
}

CString COXCustomizeCommandsPage::GetTooltip() const
{
    return LoadText(IDS_OX_COMMANDS_TIP);
}

CFrameWnd* COXCustomizeCommandsPage::GetMainFrame() const
{
    if (m_hWndFrame != NULL)
        return ::IsWindow(m_hWndFrame) ? DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(m_hWndFrame)) : NULL;
    return DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
}

void COXCustomizeCommandsPage::GetToolbars(CArray<CToolBar*, CToolBar*>& arrBars) const
{
    CFrameWnd* pFrame = GetMainFrame();
    if (pFrame == NULL)
        return;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
        // The menu bar keeps its own look and its buttons are menus.
        CToolBar* pToolBar = DYNAMIC_DOWNCAST(CToolBar, pBar);
        if (pToolBar != NULL && ::IsWindow(pToolBar->m_hWnd) && !pToolBar->IsKindOf(RUNTIME_CLASS(COXMenuBar)))
            arrBars.Add(pToolBar);
    }
}

void COXCustomizeCommandsPage::GetCoolToolbars(CArray<COXCoolToolBar*, COXCoolToolBar*>& arrBars) const
{
    CFrameWnd* pFrame = GetMainFrame();
    if (pFrame == NULL)
        return;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        COXCoolToolBar* pBar = DYNAMIC_DOWNCAST(COXCoolToolBar, (CControlBar*)pFrame->m_listControlBars.GetNext(pos));
        if (pBar != NULL && ::IsWindow(pBar->m_hWnd))
            arrBars.Add(pBar);
    }
}

COXMenuBar* COXCustomizeCommandsPage::GetMenuBar() const
{
    CFrameWnd* pFrame = GetMainFrame();
    if (pFrame == NULL)
        return NULL;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        if (COXMenuBar* pBar = DYNAMIC_DOWNCAST(COXMenuBar, (CControlBar*)pFrame->m_listControlBars.GetNext(pos)))
            return pBar;
    }
    return NULL;
}

int COXCustomizeCommandsPage::GetCommandImage(UINT nCommandID) const
{
    int nImage = -1;
    return m_mapCommandImages.Lookup(nCommandID, nImage) ? nImage : -1;
}

CString COXCustomizeCommandsPage::GetCommandString(UINT nID) const
{
    CString s;
    if (nID != 0)
        s.LoadString(nID);
    return s;
}

// ---------------------------------------------------------------------------
// Initialization
// ---------------------------------------------------------------------------
BOOL COXCustomizeCommandsPage::InitializeCommands(LPCTSTR lpszCustomImageResource, COLORREF clrMask,
                                                  BOOL bShowIconsInMenu, BOOL bShowOnlyRecentlyUsed,
                                                  LPCTSTR lpszProfileName)
{
    CFrameWnd* pFrame = GetMainFrame();
    CWinApp* pApp = AfxGetApp();
    const BOOL bMDI = pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));

    // 1. The menus' commands.
    if (bMDI && pApp != NULL) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
            CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
            if (pTemplate != NULL)
                CollectMenuCommands(pTemplate->m_hMenuShared, bMDI, HasString, m_mapCommandImages);
        }
    }
    if (HMENU hMain = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCE(kMainMenuID))) {
        CollectMenuCommands(hMain, bMDI, HasString, m_mapCommandImages);
        ::DestroyMenu(hMain);
    }

    // 2. The tool bars' commands.
    CArray<CToolBar*, CToolBar*> arrBars;
    GetToolbars(arrBars);
    for (INT_PTR b = 0; b < arrBars.GetSize(); b++) {
        const int nCount = (int)arrBars[b]->SendMessage(TB_BUTTONCOUNT);
        for (int i = 0; i < nCount; i++) {
            TBBUTTON button = {};
            arrBars[b]->SendMessage(TB_GETBUTTON, i, (LPARAM)&button);
            int nImage;
            if (!(button.fsStyle & TBSTYLE_SEP) && !m_mapCommandImages.Lookup(button.idCommand, nImage))
                m_mapCommandImages.SetAt(button.idCommand, -1);
        }
    }

    // 3. The flags and the image lists.
    m_bShowIconsInMenu = bShowIconsInMenu;
    m_bShowOnlyRecentlyUsed = bShowOnlyRecentlyUsed;
    m_ilCustomImages.DeleteImageList();
    if (lpszCustomImageResource != NULL)
        m_ilCustomImages.Create(lpszCustomImageResource, kImageSize, 0, clrMask);
    // Bars may still show the old list: they get the new one below. Its
    // indexes mean nothing in the new list, so the commands' images are
    // found again from the bars.
    CImageList ilOld;
    const int nOldCustomBase = m_nCustomImageBase;
    if (m_ilImages.GetSafeHandle() != NULL) {
        ilOld.Attach(m_ilImages.Detach());
        for (POSITION pos = m_mapCommandImages.GetStartPosition(); pos != NULL;) {
            UINT nID;
            int nImage;
            m_mapCommandImages.GetNextAssoc(pos, nID, nImage);
            m_mapCommandImages.SetAt(nID, -1);
        }
    }
    m_ilImages.Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 0, 0);
    // The tree's own five images come first whatever the bitmap holds.
    CImageList ilTree;
    if (ilTree.Create(IDB_OX_CMP_TREE_IMAGES, kImageSize, 0, RGB(192, 192, 192)))
        AppendImages(m_ilImages, ilTree.GetSafeHandle());
    ImageList_SetImageCount(m_ilImages.GetSafeHandle(), kTreeImageCount);

    // 4. Every bar's images, its buttons pointed at their copies. A bar that
    // still shows the old list takes the bars' part of it, copied once
    // however many bars share it: copying the whole list would bring the
    // tree's and the added commands' images in again at every call.
    std::vector<OldCustomButton> oldCustomButtons;
    int nOldBarsBase = -1;
    for (INT_PTR b = 0; b < arrBars.GetSize(); b++) {
        CToolBar* pBar = arrBars[b];
        const HIMAGELIST hList = (HIMAGELIST)pBar->SendMessage(TB_GETIMAGELIST);
        if (hList == NULL)
            continue;
        const BOOL bOld = hList == ilOld.GetSafeHandle();
        int nBase;
        if (bOld) {
            if (nOldBarsBase < 0)
                nOldBarsBase = AppendImageRange(m_ilImages, hList, kTreeImageCount, nOldCustomBase);
            nBase = nOldBarsBase - kTreeImageCount;
        } else {
            nBase = AppendImages(m_ilImages, hList);
        }
        const int nCount = (int)pBar->SendMessage(TB_BUTTONCOUNT);
        for (int i = 0; i < nCount; i++) {
            UINT nID, nStyle;
            int nImage;
            pBar->GetButtonInfo(i, nID, nStyle, nImage);
            if ((nStyle & TBSTYLE_SEP) || nImage < 0)
                continue;
            if (bOld && (nImage < kTreeImageCount || nImage >= nOldCustomBase)) {
                // The tree's images keep their place; an added command's
                // image is known only once those are appended again.
                if (nImage >= nOldCustomBase)
                    oldCustomButtons.push_back({pBar, i, nImage - nOldCustomBase});
                else
                    pBar->SetButtonInfo(i, nID, nStyle, nImage);
                continue;
            }
            int nKnown = -1;
            if (!m_mapCommandImages.Lookup(nID, nKnown) || nKnown == -1) {
                nKnown = nBase + nImage;
                m_mapCommandImages.SetAt(nID, nKnown);
            }
            pBar->SetButtonInfo(i, nID, nStyle, nKnown);
        }
        pBar->SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_ilImages.GetSafeHandle());
    }

    // 5. The added commands' images.
    m_nCustomImageBase = m_ilImages.GetImageCount();
    if (m_ilCustomImages.GetSafeHandle() != NULL)
        AppendImages(m_ilImages, m_ilCustomImages.GetSafeHandle());
    for (POSITION pos = m_mapCustomCommandImage.GetStartPosition(); pos != NULL;) {
        UINT nID;
        int nIndex;
        m_mapCustomCommandImage.GetNextAssoc(pos, nID, nIndex);
        m_mapCommandImages.SetAt(nID, nIndex >= 0 ? m_nCustomImageBase + nIndex : -1);
    }
    for (const OldCustomButton& button : oldCustomButtons) {
        UINT nID, nStyle;
        int nImage;
        button.pBar->GetButtonInfo(button.nIndex, nID, nStyle, nImage);
        button.pBar->SetButtonInfo(button.nIndex, nID, nStyle, m_nCustomImageBase + button.nCustomImage);
    }

    // 6. and 7. The id list, then every bar's state.
    RebuildButtonIds();
    for (INT_PTR b = 0; b < arrBars.GetSize(); b++) {
        CToolBar* pBar = arrBars[b];
        if (COXCoolToolBar* pCool = DYNAMIC_DOWNCAST(COXCoolToolBar, pBar)) {
            pCool->SetButtonsIds(m_pBitmapIDs, m_nBitmapIDs);
            pCool->ModifyStyle(0, TBSTYLE_LIST);
        }
        LoadToolbarState(pBar);
        const int nCount = (int)pBar->SendMessage(TB_BUTTONCOUNT);
        for (int i = 0; i < nCount; i++) {
            const UINT nStyle = pBar->GetButtonStyle(i);
            if (!(nStyle & TBSTYLE_SEP))
                pBar->SetButtonStyle(i, nStyle | TBSTYLE_AUTOSIZE);
        }
    }
    ilOld.DeleteImageList();

    // 8. The profile.
    if (lpszProfileName != NULL)
        m_sProfileName = lpszProfileName;
    if (!m_sProfileName.IsEmpty() && pApp != NULL) {
        m_bShowIconsInMenu = pApp->GetProfileInt(m_sProfileName, szShowIconsInMenu, m_bShowIconsInMenu) != 0;
        m_bShowOnlyRecentlyUsed =
            pApp->GetProfileInt(m_sProfileName, szShowOnlyRecentlyUsed, m_bShowOnlyRecentlyUsed) != 0;
    }

    // 9. The menus. A stored state that does not read leaves the organizer
    // as it is and the program starts all the same.
    if (m_bShowIconsInMenu && pFrame != NULL) {
        if (m_menuOrganizer.GetFrameWnd() == NULL)
            m_menuOrganizer.AttachFrameWnd(pFrame);
        m_menuOrganizer.CollectToolbarImages();
        m_menuOrganizer.ShowOnlyRecentlyUsedItems(m_bShowOnlyRecentlyUsed);
    }
    m_menuOrganizer.LoadRecentlyUsedState(szRecentlyUsedSection);
    return TRUE;
}

void COXCustomizeCommandsPage::RebuildButtonIds()
{
    std::map<UINT, int> commands;
    for (POSITION pos = m_mapCommandImages.GetStartPosition(); pos != NULL;) {
        UINT nID;
        int nImage;
        m_mapCommandImages.GetNextAssoc(pos, nID, nImage);
        commands[nID] = nImage;
    }
    const std::vector<UINT> ids = BuildButtonIds(commands);
    UINT* pNew = new UINT[ids.empty() ? 1 : ids.size()];
    std::copy(ids.begin(), ids.end(), pNew);
    UINT* pOld = m_pBitmapIDs;
    m_pBitmapIDs = pNew;
    m_nBitmapIDs = (int)ids.size();
    // The bars still point at the old array until they are given this one.
    GiveButtonIds();
    delete[] pOld;
}

void COXCustomizeCommandsPage::GiveButtonIds()
{
    CArray<CToolBar*, CToolBar*> arrBars;
    GetToolbars(arrBars);
    for (INT_PTR b = 0; b < arrBars.GetSize(); b++) {
        if (COXCoolToolBar* pCool = DYNAMIC_DOWNCAST(COXCoolToolBar, arrBars[b]))
            pCool->SetButtonsIds(m_pBitmapIDs, m_nBitmapIDs);
    }
}

void COXCustomizeCommandsPage::SetupToolbar(CToolBar* pToolbar)
{
    pToolbar->SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_ilImages.GetSafeHandle());
    if (COXCoolToolBar* pCool = DYNAMIC_DOWNCAST(COXCoolToolBar, pToolbar)) {
        pCool->SetButtonsIds(m_pBitmapIDs, m_nBitmapIDs);
        pCool->ModifyStyle(0, TBSTYLE_LIST);
        pCool->SetSizes(CSize(23, 22), CSize(kImageSize, kImageSize));
        pCool->SendMessage(TB_AUTOSIZE);
    }
}

BOOL COXCustomizeCommandsPage::AddCustomCommand(UINT nCommandID, UINT nTextID, int nImageIndex, UINT nPathID)
{
    return AddCustomCommand(nCommandID, LoadText(nTextID), nImageIndex, LoadText(nPathID));
}

BOOL COXCustomizeCommandsPage::AddCustomCommand(UINT nCommandID, LPCTSTR lpszText, int nImageIndex,
                                                LPCTSTR lpszPath)
{
    int nImage;
    if (nCommandID == 0 || lpszText == NULL || *lpszText == '\0' || lpszPath == NULL || *lpszPath == '\0' ||
        m_mapCommandImages.Lookup(nCommandID, nImage))
        return FALSE;
    m_mapCustomCommandText.SetAt(nCommandID, lpszText);
    m_mapCustomCommandPath.SetAt(nCommandID, lpszPath);
    m_mapCustomCommandImage.SetAt(nCommandID, nImageIndex);
    // The image counts among the added commands' ones, which sit after the
    // bars' images once the page is initialized.
    m_mapCommandImages.SetAt(nCommandID,
                             nImageIndex >= 0 && m_nCustomImageBase >= 0 ? m_nCustomImageBase + nImageIndex : -1);
    RebuildButtonIds();
    return TRUE;
}

BOOL COXCustomizeCommandsPage::IsCustomCommand(UINT nCommandID)
{
    CString s;
    return m_mapCustomCommandText.Lookup(nCommandID, s);
}

BOOL COXCustomizeCommandsPage::GetCustomCommandInfo(UINT nCommandID, CString& sText, int& nImageIndex,
                                                    CString& sPath)
{
    if (!m_mapCustomCommandText.Lookup(nCommandID, sText)) {
        sText.Empty();
        sPath.Empty();
        nImageIndex = -1;
        return FALSE;
    }
    m_mapCustomCommandPath.Lookup(nCommandID, sPath);
    if (!m_mapCustomCommandImage.Lookup(nCommandID, nImageIndex))
        nImageIndex = -1;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Tool bar state
// ---------------------------------------------------------------------------
BOOL COXCustomizeCommandsPage::SaveToolbarState(CToolBar* pToolbar)
{
    CString sValue;
    sValue.Format(szToolbarValueFormat, pToolbar->GetDlgCtrlID());
    if (COXCoolToolBar* pCool = DYNAMIC_DOWNCAST(COXCoolToolBar, pToolbar))
        return pCool->SaveBarState(szToolbarsStateSection, sValue);
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || pApp->m_pszRegistryKey == NULL || pApp->m_pszProfileName == NULL)
        return FALSE;
    HKEY hKey = pApp->GetSectionKey("");
    if (hKey == NULL)
        return FALSE;
    pToolbar->GetToolBarCtrl().SaveState(hKey, szToolbarsStateSection, sValue);
    ::RegCloseKey(hKey);
    return TRUE;
}

BOOL COXCustomizeCommandsPage::LoadToolbarState(CToolBar* pToolbar)
{
    CString sValue;
    sValue.Format(szToolbarValueFormat, pToolbar->GetDlgCtrlID());
    if (COXCoolToolBar* pCool = DYNAMIC_DOWNCAST(COXCoolToolBar, pToolbar))
        return pCool->LoadBarState(szToolbarsStateSection, sValue);
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || pApp->m_pszRegistryKey == NULL || pApp->m_pszProfileName == NULL)
        return FALSE;
    HKEY hKey = pApp->GetSectionKey("");
    if (hKey == NULL)
        return FALSE;
    pToolbar->GetToolBarCtrl().RestoreState(hKey, szToolbarsStateSection, sValue);
    ::RegCloseKey(hKey);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Lifecycle
// ---------------------------------------------------------------------------
BOOL COXCustomizeCommandsPage::Load(const COXCustomizeManager* pManager)
{
    if (!COXCustomizePage::Load(pManager))
        return FALSE;
    CArray<COXCoolToolBar*, COXCoolToolBar*> arrBars;
    GetCoolToolbars(arrBars);
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
        arrBars[i]->SetCustomizationMode(TRUE, m_hWnd);
    m_menuOrganizer.SetCustomizationMode(TRUE, m_hWnd);
    m_pCustomizedToolbar = NULL;
    m_nCustomizedPopupItem = -1;
    return TRUE;
}

void COXCustomizeCommandsPage::Unload()
{
    CArray<COXCoolToolBar*, COXCoolToolBar*> arrBars;
    GetCoolToolbars(arrBars);
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
        arrBars[i]->SetCustomizationMode(FALSE);
    ClosePopups(0);
    m_pCustomizedToolbar = NULL;
    m_nCustomizedPopupItem = -1;
    m_menuOrganizer.SetCustomizationMode(FALSE, NULL);
    COXCustomizePage::Unload();
}

BOOL COXCustomizeCommandsPage::OnCloseManager(BOOL bIsOk)
{
    ClosePopups(0);
    m_pCustomizedToolbar = NULL;
    m_nCustomizedPopupItem = -1;
    // The bars are saved even on Cancel: their changes were made at once.
    SaveWorkspaceState();
    if (!bIsOk)
        return TRUE;
    if (::IsWindow(m_hWnd) && !UpdateData(TRUE))
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    if (!m_sProfileName.IsEmpty() && pApp != NULL) {
        pApp->WriteProfileInt(m_sProfileName, szShowIconsInMenu, m_bShowIconsInMenu);
        pApp->WriteProfileInt(m_sProfileName, szShowOnlyRecentlyUsed, m_bShowOnlyRecentlyUsed);
    }
    if (m_bShowIconsInMenu) {
        if (m_menuOrganizer.GetFrameWnd() != NULL)
            m_menuOrganizer.DetachFrameWnd();
        if (CFrameWnd* pFrame = GetMainFrame())
            m_menuOrganizer.AttachFrameWnd(pFrame);
        m_menuOrganizer.CollectToolbarImages();
        m_menuOrganizer.ShowOnlyRecentlyUsedItems(m_bShowOnlyRecentlyUsed);
    } else if (m_menuOrganizer.GetFrameWnd() != NULL) {
        m_menuOrganizer.DetachFrameWnd();
    }
    return TRUE;
}

BOOL COXCustomizeCommandsPage::SaveWorkspaceState()
{
    m_menuOrganizer.SaveRecentlyUsedState(szRecentlyUsedSection);
    m_menuOrganizer.Empty();
    CArray<CToolBar*, CToolBar*> arrBars;
    GetToolbars(arrBars);
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++) {
        if (arrBars[i]->IsKindOf(RUNTIME_CLASS(CMFCToolBar)))
            SaveToolbarState(arrBars[i]);
    }
    return TRUE;
}

void COXCustomizeCommandsPage::DoDataExchange(CDataExchange* pDX)
{
    COXCustomizePage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OX_CMP_SEP_COMMANDS, m_sepCommands);
    DDX_Control(pDX, IDC_OX_CMP_SEP_SELECTION, m_sepSelection);
    DDX_Control(pDX, IDC_OX_CMP_SEP_MENU, m_sepMenu);
    DDX_Control(pDX, IDC_OX_CMP_MODIFY, m_btnModifySelection);
    DDX_Control(pDX, IDC_OX_CMP_COMMANDS, m_treeCommands);
    DDX_Text(pDX, IDC_OX_CMP_DESCRIPTION, m_sDescription);
    DDX_Check(pDX, IDC_OX_CMP_SHOW_ICONS, m_bShowIconsInMenu);
    DDX_Check(pDX, IDC_OX_CMP_RECENTLY_USED, m_bShowOnlyRecentlyUsed);
}

void COXCustomizeCommandsPage::OnInitPage()
{
    CWinApp* pApp = AfxGetApp();
    if (!m_sProfileName.IsEmpty() && pApp != NULL) {
        m_bShowIconsInMenu = pApp->GetProfileInt(m_sProfileName, szShowIconsInMenu, m_bShowIconsInMenu) != 0;
        m_bShowOnlyRecentlyUsed =
            pApp->GetProfileInt(m_sProfileName, szShowOnlyRecentlyUsed, m_bShowOnlyRecentlyUsed) != 0;
    }
    COXCustomizePage::OnInitPage();
    m_btnModifySelection.SetStyleEx(OXBB_EX_DROPDOWN, FALSE);
    LOGFONT lf = {};
    if (CFont* pFont = m_btnModifySelection.GetFont())
        pFont->GetLogFont(&lf);
    else
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.DeleteObject();
    m_fontBold.CreateFontIndirect(&lf);
    m_btnModifySelection.SetTextFont(&m_fontBold);

    FillTree();

    m_LayoutManager.TieChild(IDC_OX_CMP_COMMANDS, OX_LMS_ALL, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_CMP_SEP_COMMANDS, OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    for (int nID : {IDC_OX_CMP_SEP_SELECTION, IDC_OX_CMP_SEP_MENU, IDC_OX_CMP_DESCRIPTION, IDC_OX_CMP_MODIFY,
                    IDC_OX_CMP_SHOW_ICONS, IDC_OX_CMP_RECENTLY_USED})
        m_LayoutManager.TieChild(nID, OX_LMS_RIGHT, OX_LMT_SAME);
    m_LayoutManager.TieChild(IDC_OX_CMP_PREVIEW_FRAME, OX_LMS_BOTTOM | OX_LMS_LEFT | OX_LMS_RIGHT, OX_LMT_SAME);
    m_btnModifySelection.EnableWindow(m_pCustomizedToolbar != NULL);
    m_bInitialized = TRUE;
}

void COXCustomizeCommandsPage::OnOptionClicked()
{
    UpdateData(TRUE);
}

void COXCustomizeCommandsPage::OnSize(UINT nType, int cx, int cy)
{
    COXCustomizePage::OnSize(nType, cx, cy);
    PlacePreview();
}

// ---------------------------------------------------------------------------
// The tree
// ---------------------------------------------------------------------------
HTREEITEM COXCustomizeCommandsPage::InsertTreeItem(LPCTSTR lpszText, int nImage, DWORD_PTR nData,
                                                   HTREEITEM hParent, BOOL bBold)
{
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    tvis.item.pszText = (LPSTR)lpszText;
    tvis.item.iImage = tvis.item.iSelectedImage = nImage;
    tvis.item.lParam = (LPARAM)nData;
    tvis.item.stateMask = TVIS_BOLD;
    tvis.item.state = bBold ? TVIS_BOLD : 0;
    HTREEITEM hItem = (HTREEITEM)m_treeCommands.SendMessage(TVM_INSERTITEMA, 0, (LPARAM)&tvis);
    if (hItem != NULL)
        m_mapTreeChildren[hParent == NULL ? TVI_ROOT : hParent][LowerKey(lpszText)] = hItem;
    return hItem;
}

HTREEITEM COXCustomizeCommandsPage::FindChild(HTREEITEM hParent, LPCTSTR lpszText) const
{
    auto parent = m_mapTreeChildren.find(hParent == NULL ? TVI_ROOT : hParent);
    if (parent == m_mapTreeChildren.end())
        return NULL;
    auto child = parent->second.find(LowerKey(lpszText));
    return child != parent->second.end() ? child->second : NULL;
}

void COXCustomizeCommandsPage::AddMenuToTree(HMENU hMenu, HTREEITEM hParent, int nDepth)
{
    if (hMenu == NULL || nDepth > kMaxMenuDepth)
        return;
    CFrameWnd* pFrame = GetMainFrame();
    const BOOL bMDI = pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
    COXBitmapMenu* pBitmapMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(hMenu));
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        const UINT nID = hSub != NULL ? 0 : ::GetMenuItemID(hMenu, i);
        if (hSub == NULL && !IsCollectedCommand(nID, bMDI, HasString(nID)))
            continue;
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE;
        ::GetMenuItemInfoA(hMenu, i, TRUE, &mii);
        CString sText;
        if (pBitmapMenu == NULL || !(mii.fType & MFT_OWNERDRAW) || !pBitmapMenu->GetStoredItemText(i, sText)) {
            char buf[512] = "";
            ::GetMenuStringA(hMenu, i, buf, sizeof buf, MF_BYPOSITION);
            sText = buf;
        }
        sText = CleanMenuText(sText);
        HTREEITEM hItem = FindChild(hParent, sText);
        if (hItem == NULL) {
            if (hSub != NULL)
                hItem = InsertTreeItem(sText, kImageFolder, kDataFolder, hParent, TRUE);
            else {
                const int nImage = GetCommandImage(nID);
                hItem = InsertTreeItem(sText, nImage >= 0 ? nImage : kImageCommand, nID, hParent, FALSE);
            }
        }
        if (hSub != NULL && hItem != NULL)
            AddMenuToTree(hSub, hItem, nDepth + 1);
    }
}

void COXCustomizeCommandsPage::FillTree()
{
    m_treeCommands.DeleteAllItems();
    m_mapTreeChildren.clear();
    m_treeCommands.SetImageList(&m_ilImages, TVSIL_NORMAL);
    // Filled hidden: one paint at the end.
    m_treeCommands.SetRedraw(FALSE);

    if (HMENU hMain = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCE(kMainMenuID))) {
        AddMenuToTree(hMain, TVI_ROOT, 0);
        ::DestroyMenu(hMain);
    }
    CFrameWnd* pFrame = GetMainFrame();
    CWinApp* pApp = AfxGetApp();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) && pApp != NULL) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
            CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
            if (pTemplate != NULL)
                AddMenuToTree(pTemplate->m_hMenuShared, TVI_ROOT, 0);
        }
    }

    // The custom buttons whose windows exist.
    OXCUSTOMBUTTONDESCRIPTOR descriptor;
    if (COXCoolToolBar::GetCustomButton(0, descriptor)) {
        HTREEITEM hRoot = InsertTreeItem(LoadText(IDS_OX_CMP_CUSTOM_BUTTONS), kImageCustomButton,
                                         kDataCustomButtons, TVI_ROOT, TRUE);
        for (int i = 0; COXCoolToolBar::GetCustomButton(i, descriptor); i++) {
            CWnd* pWnd = descriptor.m_pControl != NULL ? descriptor.m_pControl->GetControlWindow() : NULL;
            if (pWnd == NULL || !::IsWindow(pWnd->m_hWnd))
                continue;
            CString sText = CleanMenuText(CommandShortText(GetCommandString(descriptor.m_nID)));
            if (sText.IsEmpty()) {
                char szClass[256] = "";
                ::GetClassNameA(pWnd->m_hWnd, szClass, sizeof szClass);
                sText.Format("Window class '%s'", szClass);
            }
            InsertTreeItem(sText, kImageCustomButton, (DWORD_PTR)(UINT)descriptor.m_nID, hRoot, FALSE);
        }
    }

    // The added commands, under their folders.
    for (POSITION pos = m_mapCustomCommandText.GetStartPosition(); pos != NULL;) {
        UINT nID;
        CString sText;
        m_mapCustomCommandText.GetNextAssoc(pos, nID, sText);
        CString sPath;
        m_mapCustomCommandPath.Lookup(nID, sPath);
        HTREEITEM hParent = TVI_ROOT;
        int nStart = 0;
        while (nStart <= sPath.GetLength()) {
            int nTab = sPath.Find('\t', nStart);
            if (nTab < 0)
                nTab = sPath.GetLength();
            const CString sFolder = sPath.Mid(nStart, nTab - nStart);
            nStart = nTab + 1;
            if (sFolder.IsEmpty())
                continue;
            HTREEITEM hFolder = FindChild(hParent, sFolder);
            if (hFolder == NULL)
                hFolder = InsertTreeItem(sFolder, kImageFolder, kDataFolder, hParent, TRUE);
            hParent = hFolder;
        }
        if (FindChild(hParent, sText) == NULL) {
            const int nImage = GetCommandImage(nID);
            InsertTreeItem(sText, nImage >= 0 ? nImage : kImageCommand, nID, hParent, FALSE);
        }
    }

    InsertTreeItem(LoadText(IDS_OX_CMP_NEW_MENU), kImageNewMenu, kDataNewMenu, TVI_ROOT, TRUE);
    InsertTreeItem(LoadText(IDS_OX_CMP_SEPARATOR), kImageSeparator, kDataSeparator, TVI_ROOT, TRUE);
    m_mapTreeChildren.clear();
    m_treeCommands.SetRedraw(TRUE);
    m_treeCommands.Invalidate();
}

CString COXCustomizeCommandsPage::GetItemDragText(HTREEITEM hItem) const
{
    const UINT nID = (UINT)m_treeCommands.GetItemData(hItem);
    CString s = CommandShortText(GetCommandString(nID));
    return s.IsEmpty() ? m_treeCommands.GetItemText(hItem) : s;
}

HMENU COXCustomizeCommandsPage::BuildFolderMenu(HTREEITEM hFolder) const
{
    HMENU hMenu = ::CreatePopupMenu();
    for (HTREEITEM h = m_treeCommands.GetChildItem(hFolder); h != NULL; h = m_treeCommands.GetNextSiblingItem(h)) {
        const DWORD_PTR nData = m_treeCommands.GetItemData(h);
        if (nData == kDataFolder)
            ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)BuildFolderMenu(h), m_treeCommands.GetItemText(h));
        else if (nData == kDataSeparator || nData == kDataNewMenu)
            ::AppendMenuA(hMenu, MF_STRING, 0, "");
        else
            ::AppendMenuA(hMenu, MF_STRING, (UINT)nData, GetItemDragText(h));
    }
    return hMenu;
}

HGLOBAL COXCustomizeCommandsPage::CreateItemDragData(HTREEITEM hItem)
{
    if (hItem == NULL)
        return NULL;
    const DWORD_PTR nData = m_treeCommands.GetItemData(hItem);
    if (nData == kDataCustomButtons)
        return NULL;
    if (nData == kDataSeparator)
        return COXCommandDragData::CreateCommandData("", -1, 0, TBSTYLE_SEP, NULL);
    if (nData == kDataNewMenu)
        return COXCommandDragData::CreateCommandData(LoadText(IDS_OX_CMP_NEW_MENU), -1, -1,
                                                     TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, NULL);
    if (nData == kDataFolder) {
        HMENU hMenu = BuildFolderMenu(hItem);
        HGLOBAL hData = COXCommandDragData::CreateCommandData(m_treeCommands.GetItemText(hItem), -1, -1,
                                                              TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, hMenu);
        ::DestroyMenu(hMenu);
        return hData;
    }
    int nImage = 0, nSelected = 0;
    m_treeCommands.GetItemImage(hItem, nImage, nSelected);
    return COXCommandDragData::CreateCommandData(GetItemDragText(hItem), nImage, (int)nData, 0, NULL);
}

void COXCustomizeCommandsPage::OnTreeBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMTREEVIEWA* pNM = (const NMTREEVIEWA*)pNMHDR;
    HTREEITEM hItem = pNM->itemNew.hItem;
    m_treeCommands.SelectItem(hItem);
    HGLOBAL hData = CreateItemDragData(hItem);
    if (hData == NULL)
        return;
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(COXCommandDragData::GetFormat(), hData);
    // The tree has seen the mouse move far enough already: the drag starts
    // at once.
    COleDropSource dropSource;
    const CRect rectStarted(0, 0, 0, 0);
    pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, rectStarted, &dropSource);
    pSource->InternalRelease();
}

void COXCustomizeCommandsPage::DestroyPreview()
{
    if (m_hPreviewWnd != NULL && ::IsWindow(m_hPreviewWnd))
        ::DestroyWindow(m_hPreviewWnd);
    m_hPreviewWnd = NULL;
}

void COXCustomizeCommandsPage::PlacePreview()
{
    if (m_hPreviewWnd == NULL || !::IsWindow(m_hPreviewWnd))
        return;
    CWnd* pFrame = GetDlgItem(IDC_OX_CMP_PREVIEW_FRAME);
    if (pFrame == NULL)
        return;
    CRect rectFrame, rectPreview;
    pFrame->GetWindowRect(rectFrame);
    ScreenToClient(rectFrame);
    ::GetWindowRect(m_hPreviewWnd, rectPreview);
    const CRect rect = PreviewRect(rectFrame, rectPreview.Size());
    ::SetWindowPos(m_hPreviewWnd, HWND_TOP, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void COXCustomizeCommandsPage::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    DestroyPreview();
    HTREEITEM hItem = ((const NMTREEVIEWA*)pNMHDR)->itemNew.hItem;
    m_sDescription.Empty();
    if (hItem != NULL) {
        const DWORD_PTR nData = m_treeCommands.GetItemData(hItem);
        if (nData == kDataSeparator)
            m_sDescription = LoadText(IDS_OX_CMP_SEPARATOR_TIP);
        else if (nData == kDataFolder)
            m_sDescription.Format(LoadText(IDS_OX_CMP_FOLDER_TIP), (LPCTSTR)m_treeCommands.GetItemText(hItem));
        else if (nData == kDataNewMenu)
            m_sDescription = LoadText(IDS_OX_CMP_NEW_MENU_TIP);
        else if (nData == kDataCustomButtons)
            m_sDescription = LoadText(IDS_OX_CMP_CUSTOM_BUTTONS_TIP);
        else {
            const UINT nID = (UINT)nData;
            m_sDescription = CommandDescription(GetCommandString(nID));
            const int nCustom = COXCoolToolBar::FindCustomButton((int)nID);
            OXCUSTOMBUTTONDESCRIPTOR descriptor;
            if (nCustom >= 0 && COXCoolToolBar::GetCustomButton(nCustom, descriptor)) {
                if (m_sDescription.IsEmpty())
                    m_sDescription = LoadText(IDS_OX_CMP_CUSTOM_BUTTON_TIP);
                CWnd* pWnd = descriptor.m_pControl != NULL ? descriptor.m_pControl->GetControlWindow() : NULL;
                if (pWnd != NULL && ::IsWindow(pWnd->m_hWnd)) {
                    // A copy of the control: same class, styles and text.
                    char szClass[256] = "";
                    ::GetClassNameA(pWnd->m_hWnd, szClass, sizeof szClass);
                    CString sText;
                    pWnd->GetWindowText(sText);
                    CRect rect;
                    pWnd->GetWindowRect(rect);
                    const DWORD dwStyle = (pWnd->GetStyle() & ~(WS_VISIBLE | WS_DISABLED | WS_POPUP)) | WS_CHILD;
                    m_hPreviewWnd = ::CreateWindowExA(pWnd->GetExStyle(), szClass, sText, dwStyle, 0, 0,
                                                      rect.Width(), rect.Height(), m_hWnd, NULL,
                                                      AfxGetInstanceHandle(), NULL);
                    if (m_hPreviewWnd != NULL) {
                        ::SendMessageA(m_hPreviewWnd, WM_SETFONT, pWnd->SendMessage(WM_GETFONT), FALSE);
                        ::EnableWindow(m_hPreviewWnd, TRUE);
                        PlacePreview();
                    }
                }
            } else {
                CString sText = CommandShortText(GetCommandString(nID));
                if (sText.IsEmpty())
                    sText = m_treeCommands.GetItemText(hItem);
                CreateCommandPreview(nID, sText);
            }
        }
    }
    UpdateData(FALSE);
}

void COXCustomizeCommandsPage::CreateCommandPreview(UINT nID, const CString& sText)
{
    const DWORD dwStyle = WS_CHILD | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN;
    m_hPreviewWnd = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", dwStyle, 0, 0, 10, 10, m_hWnd, NULL,
                                      AfxGetInstanceHandle(), NULL);
    if (m_hPreviewWnd == NULL)
        return;
    ::SendMessageA(m_hPreviewWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageA(m_hPreviewWnd, TB_SETIMAGELIST, 0, (LPARAM)m_ilImages.GetSafeHandle());
    ::SendMessageA(m_hPreviewWnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    // The text as a string of the bar's own: the bar keeps no pointer.
    CString sList = sText;
    sList.Replace("&", "");
    std::vector<char> strings(sList.GetLength() + 2, '\0');
    memcpy(strings.data(), (LPCTSTR)sList, sList.GetLength());
    const INT_PTR nString = ::SendMessageA(m_hPreviewWnd, TB_ADDSTRINGA, 0, (LPARAM)strings.data());
    const int nImage = GetCommandImage(nID);
    TBBUTTON button = {};
    button.iBitmap = nImage >= 0 ? nImage : I_IMAGENONE;
    button.idCommand = (int)nID;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    button.iString = nString;
    ::SendMessageA(m_hPreviewWnd, TB_ADDBUTTONSA, 1, (LPARAM)&button);
    ::SendMessageA(m_hPreviewWnd, TB_AUTOSIZE, 0, 0);
    RECT rectButton = {};
    ::SendMessageA(m_hPreviewWnd, TB_GETITEMRECT, 0, (LPARAM)&rectButton);
    ::SetWindowPos(m_hPreviewWnd, NULL, 0, 0, rectButton.right, rectButton.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlacePreview();
}

// ---------------------------------------------------------------------------
// Customization popups
// ---------------------------------------------------------------------------
COXBitmapMenuPopupWnd* COXCustomizeCommandsPage::FindPopupWnd(HMENU hMenu) const
{
    for (POSITION pos = m_mapPopupWnds.GetStartPosition(); pos != NULL;) {
        COXBitmapMenuPopupWnd* pPopup;
        int nLevel;
        m_mapPopupWnds.GetNextAssoc(pos, pPopup, nLevel);
        if (pPopup->m_pBitmapMenu != NULL && pPopup->m_pBitmapMenu->GetSafeHmenu() == hMenu &&
            ::IsWindow(pPopup->GetSafeHwnd()) && pPopup->IsWindowVisible())
            return pPopup;
    }
    return NULL;
}

int COXCustomizeCommandsPage::GetVisiblePopupCount() const
{
    int n = 0;
    for (POSITION pos = m_mapPopupWnds.GetStartPosition(); pos != NULL;) {
        COXBitmapMenuPopupWnd* pPopup;
        int nLevel;
        m_mapPopupWnds.GetNextAssoc(pos, pPopup, nLevel);
        n += ::IsWindow(pPopup->GetSafeHwnd()) && pPopup->IsWindowVisible() ? 1 : 0;
    }
    return n;
}

int COXCustomizeCommandsPage::GetPopupLevel(COXBitmapMenuPopupWnd* pPopup) const
{
    int nLevel = -1;
    return m_mapPopupWnds.Lookup(pPopup, nLevel) ? nLevel : -1;
}

COXBitmapMenuPopupWnd* COXCustomizeCommandsPage::GetPopupWnd(HMENU hMenu, int nLevel)
{
    COXBitmapMenu* pMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(hMenu));
    if (pMenu == NULL && m_menuOrganizer.GetFrameWnd() != NULL) {
        m_menuOrganizer.OnInitMenuPopup(CMenu::FromHandle(hMenu), 0, FALSE);
        pMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(hMenu));
    }
    if (pMenu == NULL)
        return NULL;
    if (pMenu->GetPopupWnd() != NULL && GetPopupLevel(pMenu->GetPopupWnd()) >= 0) {
        m_mapPopupWnds.SetAt(pMenu->GetPopupWnd(), nLevel);
        return pMenu->GetPopupWnd();
    }
    // A hidden popup of the same level is taken again.
    for (POSITION pos = m_mapPopupWnds.GetStartPosition(); pos != NULL;) {
        COXBitmapMenuPopupWnd* pPopup;
        int nPopupLevel;
        m_mapPopupWnds.GetNextAssoc(pos, pPopup, nPopupLevel);
        if (nPopupLevel == nLevel && (!::IsWindow(pPopup->GetSafeHwnd()) || !pPopup->IsWindowVisible()))
            return pPopup;
    }
    COXBitmapMenuPopupWnd* pPopup = new COXBitmapMenuPopupWnd;
    m_mapPopupWnds.SetAt(pPopup, nLevel);
    return pPopup;
}

void COXCustomizeCommandsPage::ClosePopups(int nLevel)
{
    for (POSITION pos = m_mapPopupWnds.GetStartPosition(); pos != NULL;) {
        COXBitmapMenuPopupWnd* pPopup;
        int nPopupLevel;
        m_mapPopupWnds.GetNextAssoc(pos, pPopup, nPopupLevel);
        if (nPopupLevel >= nLevel && ::IsWindow(pPopup->GetSafeHwnd()) && pPopup->IsWindowVisible())
            pPopup->Hide();
    }
    if (nLevel == 0) {
        m_nCustomizedPopupItem = -1;
        if (m_menuOrganizer.GetFrameWnd() != NULL) {
            m_menuOrganizer.Empty();
            m_menuOrganizer.CollectToolbarImages();
        }
    }
}

void COXCustomizeCommandsPage::RefreshMenuBar()
{
    if (COXMenuBar* pBar = GetMenuBar()) {
        pBar->RebuildButtons(TRUE);
        pBar->RedrawToolBar();
    }
}

void COXCustomizeCommandsPage::ShowSubmenuPopup(COXBitmapMenuPopupWnd* pPopup, int nItem)
{
    COXBitmapMenu* pMenu = pPopup->GetBitmapMenu();
    if (pMenu == NULL || nItem < 0)
        return;
    HMENU hSub = ::GetSubMenu(pMenu->GetSafeHmenu(), nItem);
    if (hSub == NULL || FindPopupWnd(hSub) != NULL)
        return;
    const int nLevel = GetPopupLevel(pPopup);
    ClosePopups(nLevel + 1);
    COXBitmapMenuPopupWnd* pSubPopup = GetPopupWnd(hSub, nLevel + 1);
    COXBitmapMenu* pSubMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(hSub));
    if (pSubPopup == NULL || pSubMenu == NULL)
        return;
    CRect rect = pPopup->GetItemRect(nItem);
    pPopup->ClientToScreen(rect);
    pSubPopup->TrackPopupMenu(pSubMenu, 0, rect.right, rect.top, this);
}

// ---------------------------------------------------------------------------
// Notifications
// ---------------------------------------------------------------------------
BOOL COXCustomizeCommandsPage::OnToolbarNotify(UINT /*nID*/, NMHDR* pNMHDR, LRESULT* pResult)
{
    const OXCTBNOTIFY* pNotify = (const OXCTBNOTIFY*)pNMHDR;
    COXCoolToolBar* pBar = DYNAMIC_DOWNCAST(COXCoolToolBar, CWnd::FromHandlePermanent(pNMHDR->hwndFrom));
    if (pBar == NULL)
        return FALSE;
    *pResult = OnToolbarCustomize(pBar, pNotify->nCommand, pNotify->pData);
    return TRUE;
}

LRESULT COXCustomizeCommandsPage::OnToolbarCustomize(COXCoolToolBar* pBar, int nCommand, void* pData)
{
    COXMenuBar* pMenuBar = DYNAMIC_DOWNCAST(COXMenuBar, pBar);
    if (pMenuBar != NULL && nCommand != ID_OXMENUBAR_CUSTOMIZEPOPUP)
        ClosePopups(0);
    const int nSelected = pBar->GetCustomizedButton();
    switch (nCommand) {
    case ID_OXCUSTTB_SELECTION_CHANGED:
        if (nSelected == -1) {
            if (m_pCustomizedToolbar != NULL) {
                if (m_pCustomizedToolbar != pBar)
                    m_pCustomizedToolbar->SetCustomizedButton(-1);
                m_pCustomizedToolbar = NULL;
            }
        } else if (m_pCustomizedToolbar != pBar) {
            if (m_pCustomizedToolbar != NULL)
                m_pCustomizedToolbar->SetCustomizedButton(-1);
            m_pCustomizedToolbar = pBar;
        }
        if (::IsWindow(m_btnModifySelection.GetSafeHwnd()))
            m_btnModifySelection.EnableWindow(m_pCustomizedToolbar != NULL);
        return 0;
    case ID_OXCUSTTB_DELETE:
        if (pMenuBar != NULL && nSelected == m_nCustomizedPopupItem)
            m_nCustomizedPopupItem = -1;
        return 0;
    case ID_OXCUSTTB_APPEARANCE:
        if (nSelected < 0)
            return 0;
        if (pMenuBar != NULL)
            EditMenuBarItemAppearance(pMenuBar, nSelected);
        else
            EditButtonAppearance(pBar, nSelected);
        return 1;
    case ID_OXMENUBAR_CUSTOMIZEPOPUP: {
        const OXMENUBARPOPUP* pPopupData = (const OXMENUBARPOPUP*)pData;
        if (pMenuBar == NULL || pPopupData == NULL || m_menuOrganizer.GetFrameWnd() == NULL)
            return 0;
        // The item is the bar menu's opener of the popup.
        int nItem = -1;
        HMENU hBarMenu = pMenuBar->GetMenu();
        for (int i = 0; hBarMenu != NULL && i < ::GetMenuItemCount(hBarMenu); i++) {
            if (::GetSubMenu(hBarMenu, i) == pPopupData->hMenu)
                nItem = i;
        }
        if (nItem == m_nCustomizedPopupItem && FindPopupWnd(pPopupData->hMenu) != NULL)
            return 0;
        ClosePopups(0);
        COXBitmapMenuPopupWnd* pPopup = GetPopupWnd(pPopupData->hMenu, 0);
        COXBitmapMenu* pMenu = DYNAMIC_DOWNCAST(COXBitmapMenu, CMenu::FromHandlePermanent(pPopupData->hMenu));
        if (pPopup != NULL && pMenu != NULL)
            pPopup->TrackPopupMenu(pMenu, pPopupData->nFlags & 0x0C, pPopupData->x, pPopupData->y, this);
        m_nCustomizedPopupItem = nItem;
        return 0;
    }
    default:
        return 0;
    }
}

BOOL COXCustomizeCommandsPage::OnMenuNotify(UINT /*nID*/, NMHDR* pNMHDR, LRESULT* pResult)
{
    COXBitmapMenuPopupWnd* pPopup =
        DYNAMIC_DOWNCAST(COXBitmapMenuPopupWnd, CWnd::FromHandlePermanent(pNMHDR->hwndFrom));
    if (pPopup == NULL || GetPopupLevel(pPopup) < 0)
        return FALSE;
    *pResult = OnMenuCustomize(pPopup, ((const NMBMCUSTOMIZE*)pNMHDR)->nCommand);
    return TRUE;
}

LRESULT COXCustomizeCommandsPage::OnMenuCustomize(COXBitmapMenuPopupWnd* pPopup, int nCommand)
{
    const int nLevel = GetPopupLevel(pPopup);
    if (nCommand != OX_CUSTOMIZE_SELECTITEM && nCommand != OX_CUSTOMIZE_INSERTMARK)
        ClosePopups(nLevel + 1);
    COXBitmapMenu* pMenu = pPopup->GetBitmapMenu();
    switch (nCommand) {
    case OX_CUSTOMIZE_SELECTITEM:
        if (pMenu != NULL)
            ShowSubmenuPopup(pPopup, pMenu->GetCustomizedItem());
        return 0;
    case OX_CUSTOMIZE_INSERTMARK:
        if (pMenu != NULL) {
            CPoint pt;
            ::GetCursorPos(&pt);
            pPopup->ScreenToClient(&pt);
            ShowSubmenuPopup(pPopup, pMenu->HitTest(pt));
        }
        return 0;
    case OX_CUSTOMIZE_APPEARANCE:
        EditMenuItemAppearance(pPopup);
        return 0;
    default:
        RefreshMenuBar();
        return 0;
    }
}

void COXCustomizeCommandsPage::OnModifyDropDown(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    if (m_pCustomizedToolbar == NULL || !::IsWindow(m_pCustomizedToolbar->m_hWnd))
        return;
    CRect rect;
    m_btnModifySelection.GetWindowRect(rect);
    m_pCustomizedToolbar->DisplayCustomizeButtonContextMenu(m_pCustomizedToolbar->GetCustomizedButton(), rect.left,
                                                            rect.bottom + 1);
}

// ---------------------------------------------------------------------------
// The appearance dialog
// ---------------------------------------------------------------------------
void COXCustomizeCommandsPage::MakeDialogImages(CImageList& il, int nCurrentImage)
{
    il.Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 0, 0);
    const int nCount = m_ilImages.GetImageCount();
    for (int i = -1; i < nCount; i++) {
        const int nSource = i < 0 ? nCurrentImage : i;
        if (i >= 0 && i < kTreeImageCount)
            continue;
        HICON hIcon = nSource >= 0 && nSource < nCount ? m_ilImages.ExtractIcon(nSource) : NULL;
        if (hIcon == NULL || il.Add(hIcon) < 0)
            ImageList_SetImageCount(il.GetSafeHandle(), il.GetImageCount() + 1);
        if (hIcon != NULL)
            ::DestroyIcon(hIcon);
    }
}

void COXCustomizeCommandsPage::EditMenuBarItemAppearance(COXMenuBar* pBar, int nButton)
{
    HMENU hMenu = pBar->GetMenu();
    if (hMenu == NULL || nButton >= ::GetMenuItemCount(hMenu))
        return;
    char buf[512] = "";
    ::GetMenuStringA(hMenu, nButton, buf, sizeof buf, MF_BYPOSITION);
    COXButtonAppearanceDlg dlg(this);
    dlg.m_sText = buf;
    dlg.m_nStyle = 1;
    dlg.m_bNoImage = TRUE;
    dlg.m_bDisableOption = TRUE;
    if (dlg.DoModal() != IDOK || dlg.m_sText.IsEmpty() || dlg.m_sText == buf)
        return;
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = (LPSTR)(LPCTSTR)dlg.m_sText;
    ::SetMenuItemInfoA(hMenu, nButton, TRUE, &mii);
    pBar->RebuildButtons(TRUE);
    pBar->RedrawToolBar();
}

void COXCustomizeCommandsPage::EditButtonAppearance(COXCoolToolBar* pBar, int nButton)
{
    TBBUTTON button = {};
    if (!pBar->SendMessage(TB_GETBUTTON, nButton, (LPARAM)&button))
        return;
    CImageList il;
    COXButtonAppearanceDlg dlg(this);
    dlg.m_pImageList = &il;
    dlg.m_nImageIndex = 0;

    // A custom button's placeholder is a separator: the control's window
    // carries the registered id.
    const int nCustom = pBar->IsCustomButton(nButton) ? COXCoolToolBar::FindCustomButton(pBar->GetCustomButtonWnd(nButton))
                                                      : -1;
    OXCUSTOMBUTTONDESCRIPTOR descriptor = {};
    if (nCustom >= 0 && COXCoolToolBar::GetCustomButton(nCustom, descriptor)) {
        MakeDialogImages(il, descriptor.m_nImage);
        dlg.m_bCustomButton = TRUE;
        dlg.m_nWidth = descriptor.m_nWidth;
        dlg.m_nHeight = descriptor.m_nHeight;
        dlg.m_bShowVertDocked = (descriptor.m_nFlags & OXCBD_SHOWVERT) != 0;
        dlg.m_bShowHorzDocked = (descriptor.m_nFlags & OXCBD_SHOWHORZ) != 0;
        dlg.m_bShowFloating = (descriptor.m_nFlags & OXCBD_SHOWFLOAT) != 0;
        if (dlg.DoModal() != IDOK)
            return;
        const int nFlags = (dlg.m_bShowVertDocked ? OXCBD_SHOWVERT : 0) |
                           (dlg.m_bShowHorzDocked ? OXCBD_SHOWHORZ : 0) | (dlg.m_bShowFloating ? OXCBD_SHOWFLOAT : 0);
        const int nImage =
            dlg.m_nImageIndex > 0 ? kTreeImageCount + dlg.m_nImageIndex - 1 : descriptor.m_nImage;
        if (nFlags != descriptor.m_nFlags || dlg.m_nWidth != descriptor.m_nWidth ||
            dlg.m_nHeight != descriptor.m_nHeight || nImage != descriptor.m_nImage) {
            OXCUSTOMBUTTONDESCRIPTOR changed = descriptor;
            changed.m_nFlags = nFlags;
            changed.m_nWidth = dlg.m_nWidth;
            changed.m_nHeight = dlg.m_nHeight;
            changed.m_nImage = nImage;
            COXCoolToolBar::UpdateCustomButton(nCustom, changed);
        }
        return;
    }

    MakeDialogImages(il, button.iBitmap);
    CString sText = pBar->GetButtonText(nButton);
    const BOOL bHadText = !sText.IsEmpty();
    if (sText.IsEmpty())
        sText = CommandShortText(GetCommandString((UINT)button.idCommand));
    dlg.m_sText = sText;
    dlg.m_nStyle = bHadText ? 1 : 0;
    dlg.m_bOption = (button.fsStyle & TBSTYLE_DROPDOWN) != 0;
    if (dlg.DoModal() != IDOK)
        return;
    BOOL bChanged = FALSE;
    if (dlg.m_nStyle == 0 && bHadText) {
        pBar->SetButtonText(nButton, "");
        bChanged = TRUE;
    } else if (dlg.m_nStyle == 1) {
        pBar->SetButtonText(nButton, dlg.m_sText);
        bChanged = TRUE;
    }
    UINT nStyle = button.fsStyle;
    if ((dlg.m_bOption != FALSE) != ((nStyle & TBSTYLE_DROPDOWN) != 0))
        nStyle ^= TBSTYLE_DROPDOWN;
    const int nImage = dlg.m_nImageIndex > 0 ? kTreeImageCount + dlg.m_nImageIndex - 1 : button.iBitmap;
    if (nStyle != button.fsStyle || nImage != button.iBitmap) {
        // The bar's own style word carries the state in its high word.
        pBar->SetButtonInfo(nButton, (UINT)button.idCommand, nStyle | ((UINT)button.fsState << 16), nImage);
        bChanged = TRUE;
    }
    if (bChanged)
        pBar->RedrawToolBar();
}

void COXCustomizeCommandsPage::EditMenuItemAppearance(COXBitmapMenuPopupWnd* pPopup)
{
    COXBitmapMenu* pMenu = pPopup->GetBitmapMenu();
    if (pMenu == NULL)
        return;
    const int nItem = pMenu->GetCustomizedItem();
    HMENU hMenu = pMenu->GetSafeHmenu();
    if (nItem < 0 || nItem >= ::GetMenuItemCount(hMenu))
        return;
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_ID;
    ::GetMenuItemInfoA(hMenu, nItem, TRUE, &mii);
    if (mii.fType & MFT_SEPARATOR)
        return;
    CString sItem;
    if (!pMenu->GetStoredItemText(nItem, sItem)) {
        char buf[512] = "";
        ::GetMenuStringA(hMenu, nItem, buf, sizeof buf, MF_BYPOSITION);
        sItem = buf;
    }
    const int nTab = sItem.Find('\t');
    const CString sOldText = nTab >= 0 ? sItem.Left(nTab) : sItem;
    const CString sOldShortcut = nTab >= 0 ? sItem.Mid(nTab + 1) : CString();

    CImageList il;
    COXButtonAppearanceDlg dlg(this);
    int nImage = -1;
    if (COXImageInfo* pInfo = m_menuOrganizer.GetImageInfo(mii.wID)) {
        if (pInfo->m_pImageList != NULL)
            il.Create(pInfo->m_pImageList);
        nImage = pInfo->m_nIndex;
    }
    dlg.m_pImageList = il.GetSafeHandle() != NULL ? &il : NULL;
    dlg.m_nImageIndex = nImage;
    dlg.m_bNoImage = TRUE;
    dlg.m_nStyle = 1;
    dlg.m_sText = sOldText;
    dlg.m_arrComboStrings.RemoveAll();
    dlg.m_arrComboStrings.Add(sOldShortcut.IsEmpty() ? CString("None") : sOldShortcut);
    dlg.m_bDisableOption = TRUE;
    if (dlg.DoModal() != IDOK)
        return;
    if (dlg.m_sText != sOldText) {
        const CString sNew = sOldShortcut.IsEmpty() ? dlg.m_sText : dlg.m_sText + "\t" + sOldShortcut;
        MENUITEMINFOA set = {};
        set.cbSize = sizeof set;
        set.fMask = MIIM_STRING;
        set.dwTypeData = (LPSTR)(LPCTSTR)sNew;
        // An item drawn by the menu shows the text its data keeps.
        MENUITEMINFOA data = {};
        data.cbSize = sizeof data;
        data.fMask = MIIM_DATA;
        CString sStored;
        if ((mii.fType & MFT_OWNERDRAW) && pMenu->GetStoredItemText(nItem, sStored) &&
            ::GetMenuItemInfoA(hMenu, nItem, TRUE, &data) && data.dwItemData != 0)
            ((COXItemInfo*)data.dwItemData)->SetText(sNew);
        ::SetMenuItemInfoA(hMenu, nItem, TRUE, &set);
        pPopup->RedrawItem(nItem);
        pPopup->Refresh();
        RefreshMenuBar();
    }
}
