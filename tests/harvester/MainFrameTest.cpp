// The program's main frame: the auto-save period and the timed save, the Copy
// and Export bar with its drop-down menus, and the frame under an application
// that is not the framework's.
#include "ViewFixture.h"
#include <climits>
#include <set>
#include <commctrl.h>

namespace {

// ---- auto-save ----

struct PeriodCase {
    int nMinutes;
    UINT nPeriod;
};

TEST(MainFrameAutoSave, PeriodIsClampedToWholeMinutesThatFit)
{
    const PeriodCase cases[] = {
        {INT_MIN, 60000u}, {-5, 60000u}, {0, 60000u}, {1, 60000u},
        {10, 600000u}, {35791, 35791u * 60000u}, {35792, 35791u * 60000u}, {INT_MAX, 35791u * 60000u},
    };
    for (const PeriodCase& c : cases) {
        EXPECT_EQ(CMainFrame::AutoSavePeriod(c.nMinutes), c.nPeriod) << c.nMinutes << " minutes";
        EXPECT_LE(CMainFrame::AutoSavePeriod(c.nMinutes), (UINT)INT_MAX);
    }
}

// A document that records its saves and can be made to fail one.
class CSaveRecorderDoc : public CDocument
{
public:
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override
    {
        m_saves.push_back(lpszPathName);
        if (m_bThrow)
            throw CString("disk full");
        return TRUE;
    }
    std::vector<std::string> m_saves;
    bool m_bThrow = false;
};

struct SaveCase {
    bool bModified;
    const char* pszPath;
    bool bThrow;
    bool bSaved;       // what the timed save reports
    int nSaveCalls;
};

TEST(MainFrameAutoSave, SavesOnlyAModifiedDocumentWithAPathAndSwallowsFailures)
{
    const SaveCase cases[] = {
        {true, "C:\\work\\keywords.kvfile", false, true, 1},
        {false, "C:\\work\\keywords.kvfile", false, false, 0},
        {true, "", false, false, 0},        // never had a path: no prompt, no save
        {false, "", false, false, 0},
        {true, "C:\\work\\keywords.kvfile", true, false, 1},
    };
    for (const SaveCase& c : cases) {
        CSaveRecorderDoc doc;
        if (*c.pszPath)
            doc.SetPathName(c.pszPath, FALSE);
        doc.SetModifiedFlag(c.bModified);
        doc.m_bThrow = c.bThrow;
        EXPECT_EQ(CMainFrame::AutoSaveDocument(&doc) != FALSE, c.bSaved) << c.pszPath << " " << c.bModified;
        ASSERT_EQ((int)doc.m_saves.size(), c.nSaveCalls) << c.pszPath << " " << c.bModified;
        if (c.nSaveCalls)
            EXPECT_EQ(doc.m_saves[0], c.pszPath);
    }
    EXPECT_FALSE(CMainFrame::AutoSaveDocument(NULL));
}

// ---- the frame ----

// Watches for the tracked pop-up menu from a timer inside its loop, keeps
// the command ids it shows (those of its pop-ups too) and closes it.
struct MenuWatch {
    static std::set<UINT> s_ids;
    static bool s_bSeen;
    static int s_nTicks;

    static void Collect(HMENU hMenu)
    {
        for (int i = 0; i < GetMenuItemCount(hMenu); i++) {
            if (HMENU hSub = GetSubMenu(hMenu, i))
                Collect(hSub);
            else if (GetMenuItemID(hMenu, i) != 0)
                s_ids.insert(GetMenuItemID(hMenu, i));
        }
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND hMenuWnd = FindWindowA("#32768", NULL);
        if (hMenuWnd != NULL && IsWindowVisible(hMenuWnd)) {
            if (HMENU hMenu = (HMENU)SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0))
                Collect(hMenu);
            s_bSeen = true;
            EndMenu();
        } else if (++s_nTicks > 30) {
            EndMenu();
        }
    }
};
std::set<UINT> MenuWatch::s_ids;
bool MenuWatch::s_bSeen = false;
int MenuWatch::s_nTicks = 0;

class MainFrameTest : public ViewTest
{
protected:
    // The bar's arrow as the tool-bar control reports a click on it.
    void DropDown(UINT nButtonID)
    {
        MenuWatch::s_ids.clear();
        MenuWatch::s_bSeen = false;
        MenuWatch::s_nTicks = 0;
        CToolBar24& bar = m_pFrame->GetCopyExportBar();
        NMTOOLBARA nm = {};
        nm.hdr.hwndFrom = bar.m_hWnd;
        nm.hdr.idFrom = IDR_COPY_EXPORT_BAR;
        nm.hdr.code = TBN_DROPDOWN;
        nm.iItem = (int)nButtonID;
        UINT_PTR nTimer = SetTimer(NULL, 0, 100, &MenuWatch::Tick);
        ::SendMessageA(m_pFrame->m_hWnd, WM_NOTIFY, IDR_COPY_EXPORT_BAR, (LPARAM)&nm);
        KillTimer(NULL, nTimer);
    }
};

TEST_F(MainFrameTest, CaptionStatusBarAndCopyExportBar)
{
    CreateWindows();
    char szCaption[64] = "";
    ::GetWindowTextA(m_pFrame->m_hWnd, szCaption, sizeof szCaption);
    EXPECT_STREQ(szCaption, "Pellucor");
    EXPECT_TRUE(::IsWindow(m_pFrame->GetStatusBar().m_hWnd));

    CToolBar24& bar = m_pFrame->GetCopyExportBar();
    ASSERT_TRUE(::IsWindow(bar.m_hWnd));
    ASSERT_EQ(::SendMessageA(bar.m_hWnd, TB_BUTTONCOUNT, 0, 0), 11);
    const UINT ids[] = {IDC_BACK, IDC_SETTINGS, 0, IDC_CHECK_ALL, IDC_UNCHECK_ALL, 0,
                        IDC_COPY, IDC_SAVE, 0, ID_EXPORT_DROPDOWN, ID_COPY_DROPDOWN};
    for (int i = 0; i < 11; i++) {
        TBBUTTON button = {};
        ::SendMessageA(bar.m_hWnd, TB_GETBUTTON, (WPARAM)i, (LPARAM)&button);
        if (ids[i] != 0)
            EXPECT_EQ((UINT)button.idCommand, ids[i]) << "button " << i;
        bool bDropDown = (button.fsStyle & BTNS_DROPDOWN) != 0;
        EXPECT_EQ(bDropDown, i >= 9) << "button " << i;
    }
}

TEST_F(MainFrameTest, DropDownArrowsOpenTheirMenus)
{
    CreateWindows();
    const std::set<UINT> copyIds = {ID_COPY_ASTEXT, ID_COPY_ASHTMLTABLE, ID_COPY_ASCOMMALIST, ID_COPY_ASMETATAG,
                                    ID_COPY_ADWORDS_BROADMATCH, ID_COPY_ADWORDS_PHRASEMATCH,
                                    ID_COPY_ADWORDS_EXACTMATCH};
    const std::set<UINT> exportIds = {ID_EXPORT_TOHTMLFILE, ID_EXPORT_TOTEXTFILE, ID_EXPORT_TOMETATAG,
                                      ID_EXPORT_TOCSVFILE, ID_EXPORT_TOEXCEL, ID_EXPORT_ADWORDS_BROADMATCH,
                                      ID_EXPORT_ADWORDS_PHRASEMATCH, ID_EXPORT_ADWORDS_EXACTMATCH};
    DropDown(ID_COPY_DROPDOWN);
    EXPECT_TRUE(MenuWatch::s_bSeen);
    EXPECT_EQ(MenuWatch::s_ids, copyIds);

    DropDown(ID_EXPORT_DROPDOWN);
    EXPECT_TRUE(MenuWatch::s_bSeen);
    EXPECT_EQ(MenuWatch::s_ids, exportIds);

    // any other button has no menu
    UINT_PTR nTimer = SetTimer(NULL, 0, 100, &MenuWatch::Tick);
    MenuWatch::s_bSeen = false;
    NMTOOLBARA nm = {};
    nm.hdr.hwndFrom = m_pFrame->GetCopyExportBar().m_hWnd;
    nm.hdr.idFrom = IDR_COPY_EXPORT_BAR;
    nm.hdr.code = TBN_DROPDOWN;
    nm.iItem = IDC_SAVE;
    ::SendMessageA(m_pFrame->m_hWnd, WM_NOTIFY, IDR_COPY_EXPORT_BAR, (LPARAM)&nm);
    PumpAppFor(250);
    KillTimer(NULL, nTimer);
    EXPECT_FALSE(MenuWatch::s_bSeen);
}

// The tests' application is not the framework's: nothing says auto-save is
// on, so the first tick stops the timer and saves nothing.
TEST_F(MainFrameTest, AutoSaveTickWithoutFrameworkApplicationStopsTheTimer)
{
    CreateWindows();
    CDocument* pDoc = m_pFrame->GetActiveDocument();
    ASSERT_NE(pDoc, nullptr);
    pDoc->SetModifiedFlag(TRUE);
    ::SendMessageA(m_pFrame->m_hWnd, WM_TIMER, CMainFrame::nAutoSaveTimer, 0);
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_FALSE(::KillTimer(m_pFrame->m_hWnd, CMainFrame::nAutoSaveTimer));
    pDoc->SetModifiedFlag(FALSE);
}

}  // namespace
