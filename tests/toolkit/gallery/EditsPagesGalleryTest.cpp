// The edits group's pages in their screenshot state: what they script is
// done before they say they are ready for their picture.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "Gallery.h"
#include "OXCalculatorPopup.h"
#include "testsupport.h"

namespace {

struct CReadyWatch
{
    CString path;
    bool bReady = false;
    CString sShown;   // the dropped calculator's display when the file appeared
    CString sFive;    // 5 as that display shows it
} g_watch;

BOOL CALLBACK FindShownCalculator(HWND hWnd, LPARAM lParam)
{
    COXCalculatorPopup* pPopup = dynamic_cast<COXCalculatorPopup*>(CWnd::FromHandlePermanent(hWnd));
    if (pPopup == NULL || !pPopup->IsWindowVisible())
        return TRUE;
    *(COXCalculatorPopup**)lParam = pPopup;
    return FALSE;
}

// Runs inside the pop-up's own loop: the page's ready file is looked at
// there, as the script that takes the picture would see it.
void CALLBACK WatchReadyFile(HWND, UINT, UINT_PTR nID, DWORD)
{
    if (g_watch.bReady || ::GetFileAttributesA(g_watch.path) == INVALID_FILE_ATTRIBUTES)
        return;
    g_watch.bReady = true;
    ::KillTimer(NULL, nID);
    COXCalculatorPopup* pPopup = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownCalculator, (LPARAM)&pPopup);
    if (pPopup == NULL)
        return;
    g_watch.sShown = pPopup->GetCalculator().GetDisplayText();
    g_watch.sFive = CString("5") + pPopup->GetCalculator().GetDecimalSeparator();
    pPopup->GetCalculator().PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST(GalleryDropEdits, ReadyOnlyOnceTheScriptedSumIsShown)
{
    char dir[MAX_PATH];
    ASSERT_NE(::GetTempPathA(MAX_PATH, dir), 0u);
    g_watch = CReadyWatch();
    g_watch.path = CString(dir) + "gallery-ready-drop-edits.txt";
    ::DeleteFileA(g_watch.path);
    CGalleryWindow* pGallery = new CGalleryWindow;
    ASSERT_TRUE(pGallery->CreateGallery());
    pGallery->SetReadyFile(g_watch.path);
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 20, WatchReadyFile);
    CWnd* pPage = pGallery->Open("Drop edits", TRUE);
    ASSERT_NE(pPage, (CWnd*)NULL);
    HWND hPage = pPage->GetSafeHwnd();
    EXPECT_TRUE(PumpUntil([] { return g_watch.bReady; }, 4 * kWaitMs));
    ::KillTimer(NULL, nTimer);
    // 2 in the edit, then "+ 3 =" typed into the dropped calculator.
    EXPECT_FALSE(g_watch.sFive.IsEmpty()) << "no calculator was dropped";
    EXPECT_EQ(g_watch.sShown, g_watch.sFive);
    ::DeleteFileA(g_watch.path);
    ::DestroyWindow(hPage);
    pGallery->DestroyWindow();
}

}  // namespace
