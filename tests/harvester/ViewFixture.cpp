#include "ViewFixture.h"

#include <commctrl.h>
#include "Basket.h"
#include "MainWindowDriver.h"
#include "Path.h"
#include "ProfileKeys.h"
#include "TestFolder.h"

namespace {

// The test application's own key under the current user's software key.
CString AppKeyPath(CWinApp* pApp)
{
    CString s;
    s.Format("Software\\%s\\%s", pApp->m_pszRegistryKey, pApp->m_pszProfileName);
    return s;
}

}  // namespace

std::vector<std::string> MessageTexts(const CDialogAnswerer& answerer)
{
    std::vector<std::string> texts;
    for (const ShownDialog& shown : answerer.Shown())
        if (!shown.text.empty())
            texts.push_back(shown.text);
    return texts;
}

void ViewTest::SetUp()
{
    m_pApp = AfxGetApp();
    ASSERT_NE(m_pApp, nullptr);

    // A profile with nothing of the view's, the Basket options on, and the
    // statistics host pointed at the service started here.
    RegDeleteTreeA(HKEY_CURRENT_USER, AppKeyPath(m_pApp) + "\\" + szSectionPellucorView);
    SetBasketOptions(true, true);
    ASSERT_TRUE(m_service.Start()) << m_service.LastError();
    WriteProfileKey(m_pApp, profileStatisticsHost, m_service.Host().c_str());

    // "Basket.txt" beside the program: anything there is put back afterwards.
    m_sBasketPath = GetBasketFilePath(CPath(CPath::sourceModule).GetLocation());
    m_bHadBasket = TestPathExists(m_sBasketPath);
    if (m_bHadBasket)
        m_sSavedBasket = ReadFileBytes(m_sBasketPath);
    DeleteFileA(m_sBasketPath);

    m_pSavedManager = m_pApp->m_pDocManager;
    m_pApp->m_pDocManager = NULL;
    m_pSavedMainWnd = m_pApp->m_pMainWnd;
    m_pApp->m_pMainWnd = NULL;
}

void ViewTest::TearDown()
{
    DestroyWindows();
    m_pApp->m_pDocManager = m_pSavedManager;
    m_pApp->m_pMainWnd = m_pSavedMainWnd;
    m_service.Stop();
    DeleteFileA(m_sBasketPath);
    if (m_bHadBasket)
        WriteFileBytes(m_sBasketPath, m_sSavedBasket);
}

void ViewTest::CreateWindows()
{
    m_pFrame = OpenMainWindow(m_pApp);
    ASSERT_NE(m_pFrame, nullptr);
    m_pView = m_pFrame->GetPellucorView();
    ASSERT_NE(m_pView, nullptr);
    ASSERT_EQ(m_pView->GetBasketPath(), m_sBasketPath);
    PumpAppFor(20);
}

void ViewTest::DestroyWindows()
{
    if (m_pApp->m_pDocManager == NULL)
        return;
    // Pages still on their way find no window and are freed by their threads.
    CloseMainWindow(m_pApp);
    m_pFrame = nullptr;
    m_pView = nullptr;
}

bool ViewTest::PumpApp(const std::function<bool()>& pred, DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            if (!AfxGetApp()->PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            if (pred())
                return true;
        }
        if (pred())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, (DWORD)(end - now < 10 ? end - now : 10), QS_ALLINPUT);
    }
}

void ViewTest::PumpAppFor(DWORD ms)
{
    PumpApp([] { return false; }, ms);
}

void ViewTest::SetBasketOptions(bool bSort, bool bDedupe)
{
    WriteProfileKey(AfxGetApp(), profileSortBasket, bSort ? 1 : 0);
    WriteProfileKey(AfxGetApp(), profileDedupeBasket, bDedupe ? 1 : 0);
}

void ViewTest::Click(int nID)
{
    ::SendMessageA(Item(nID), BM_CLICK, 0, 0);
}

void ViewTest::SetKeyword(const std::string& s)
{
    ::SetWindowTextA(Item(IDC_KEYWORD), s.c_str());
}

void ViewTest::PressEnter(HWND hWnd)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ::PostMessageA(hWnd, WM_KEYUP, VK_RETURN, 0xC01C0001);
    PumpAppFor(30);
}

void ViewTest::ApplySettings(int nDigMode, int nLevels, int nPages)
{
    bool bSeen = false;
    m_answerer.Handle([&](HWND dialog, const ShownDialog&) {
        bSeen = GetDlgItem(dialog, IDC_SETTINGS_PAGES) != nullptr;
        if (!bSeen) {
            CDialogAnswerer::PressButton(dialog, IDCANCEL);
            return;
        }
        FillSettingsDialog(dialog, nDigMode, nLevels, nPages);
    });
    Click(IDC_SETTINGS);
    ASSERT_TRUE(bSeen);
}

bool ViewTest::Harvest(const std::string& sSeed, DWORD ms)
{
    SetKeyword(sSeed);
    Click(IDC_GO);
    return WaitForRunEnd(ms);
}

bool ViewTest::WaitForRunEnd(DWORD ms)
{
    return PumpApp([this] { return !m_pView->GetRun().m_bRunning && GoEnabled(); }, ms);
}

int ViewTest::RowCount() const
{
    return (int)::SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0);
}

std::string ViewTest::RowText(int nRow, int nColumn) const
{
    char sz[1024] = "";
    LVITEMA item = {};
    item.iSubItem = nColumn;
    item.pszText = sz;
    item.cchTextMax = sizeof sz;
    ::SendMessageA(List(), LVM_GETITEMTEXTA, (WPARAM)nRow, (LPARAM)&item);
    return sz;
}

bool ViewTest::RowChecked(int nRow) const
{
    UINT nState = (UINT)::SendMessageA(List(), LVM_GETITEMSTATE, (WPARAM)nRow, LVIS_STATEIMAGEMASK);
    return (nState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

std::vector<bool> ViewTest::CheckedRows() const
{
    std::vector<bool> v;
    for (int i = 0; i < RowCount(); i++)
        v.push_back(RowChecked(i));
    return v;
}

void ViewTest::ClickCheckBox(int nRow)
{
    HWND hList = List();
    ::SendMessageA(hList, LVM_ENSUREVISIBLE, (WPARAM)nRow, FALSE);
    RECT rc = {};
    rc.left = LVIR_BOUNDS;
    ASSERT_TRUE(::SendMessageA(hList, LVM_GETITEMRECT, (WPARAM)nRow, (LPARAM)&rc));
    LVHITTESTINFO hit = {};
    hit.pt.x = rc.left + 8;
    hit.pt.y = (rc.top + rc.bottom) / 2;
    ::SendMessageA(hList, LVM_SUBITEMHITTEST, 0, (LPARAM)&hit);
    ASSERT_EQ(hit.iItem, nRow);
    ASSERT_TRUE(hit.flags & LVHT_ONITEMSTATEICON) << "flags " << hit.flags;
    LPARAM lPos = MAKELPARAM(hit.pt.x, hit.pt.y);
    ::SendMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON, lPos);
    ::SendMessageA(hList, WM_LBUTTONUP, 0, lPos);
    PumpAppFor(10);
}

void ViewTest::SelectRow(int nRow)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(List(), LVM_SETITEMSTATE, (WPARAM)nRow, (LPARAM)&item);
}

std::string ViewTest::BasketFile() const
{
    return ReadFileBytes(m_sBasketPath);
}

// The clipboard is shared with every process of the display: another may
// hold it open for a while on a busy machine.
static void OpenClipboardOnceFree()
{
    const ULONGLONG ullEnd = GetTickCount64() + kWaitMs;
    while (!OpenClipboard(NULL) && GetTickCount64() < ullEnd)
        Sleep(10);
}

std::string ViewTest::ClipboardText()
{
    std::string s = "<none>";
    OpenClipboardOnceFree();
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            s = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return s;
}

void ViewTest::SetClipboardText(const std::string& s)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, s.size() + 1);
    memcpy(GlobalLock(h), s.c_str(), s.size() + 1);
    GlobalUnlock(h);
    OpenClipboardOnceFree();
    EmptyClipboard();
    SetClipboardData(CF_TEXT, h);
    CloseClipboard();
}

std::vector<CStatsRow> ViewTest::Rows(const std::string& sKeyword, int nOffset) const
{
    return m_service.PageRows(sKeyword, nOffset);
}

std::vector<std::pair<std::string, int>> ViewTest::RequestedPages() const
{
    std::vector<std::pair<std::string, int>> pages;
    for (const CLoopbackRequest& request : m_service.Requests()) {
        std::string sKeyword;
        int nOffset = -1;
        CStatisticsService::ParseRequest(request, sKeyword, nOffset);
        pages.emplace_back(sKeyword, nOffset);
    }
    return pages;
}

void ViewTest::SetSlowDelay(DWORD nMs)
{
    CStatisticsService::Settings settings = m_service.GetSettings();
    settings.nSlowDelayMs = nMs;
    m_service.SetSettings(settings);
}

void ViewTest::MakeSecondPageSlow(DWORD nMs)
{
    SetSlowDelay(nMs);
    m_service.ScriptNext(StatsFault::None);
    m_service.ScriptNext(StatsFault::Slow);
}
