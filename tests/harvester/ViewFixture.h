// The program's main window in a test: the frame, the document and the main
// view made by a single-document template as the program makes them, against
// the statistics service on loopback (the profile's "Settings"/"StatisticsHost"
// points at it), with "Basket.txt" beside the test program as beside the
// program. Tests drive the window with real messages: button clicks, keys
// through the application's pre-translation, mouse clicks on the result
// list's check boxes, menu commands on the frame.
#pragma once

// Winsock's header must come before the platform's main header.
#include "StatisticsService.h"
#include <afxwin.h>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "MainFrame.h"
#include "PellucorView.h"
#include "resource.h"
#include "testsupport.h"

class ViewTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The frame, document and view, as File New makes them at start-up. The
    // view loads "Basket.txt" as it starts.
    void CreateWindows();
    void DestroyWindows();

    // Dispatches this thread's messages as the program's loop does (the
    // application's pre-translation first) until pred() holds or the time is
    // up; returns pred().
    static bool PumpApp(const std::function<bool()>& pred, DWORD ms);
    static void PumpAppFor(DWORD ms);

    // ---- the profile ----
    static void SetBasketOptions(bool bSort, bool bDedupe);

    // ---- the form ----
    HWND Item(int nID) const { return ::GetDlgItem(m_pView->m_hWnd, nID); }
    void Click(int nID);                        // BM_CLICK, as a user's click
    void SetKeyword(const std::string& s);
    std::string Keyword() const { return WindowText(Item(IDC_KEYWORD)); }
    // Posts Enter to the window and runs the loop over it.
    void PressEnter(HWND hWnd);
    bool GoEnabled() const { return ::IsWindowEnabled(Item(IDC_GO)) != FALSE; }
    // Runs the Settings command; the dialog gets these values and OK.
    void ApplySettings(int nDigMode, int nLevels, int nPages);
    // The service answers its slow fault after this many milliseconds.
    void SetSlowDelay(DWORD nMs);
    // The first page comes at once, the second only after nMs: a window in
    // which a test can act while a run is under way.
    void MakeSecondPageSlow(DWORD nMs);
    // Go with a seed, and the loop until the run has ended.
    bool Harvest(const std::string& sSeed, DWORD ms = 20000);
    bool WaitForRunEnd(DWORD ms = 20000);

    // ---- the result list ----
    HWND List() const { return Item(IDC_RESULTS); }
    int RowCount() const;
    std::string RowText(int nRow, int nColumn) const;
    bool RowChecked(int nRow) const;
    std::vector<bool> CheckedRows() const;
    // A left click on the row's check box.
    void ClickCheckBox(int nRow);
    void SelectRow(int nRow);

    // ---- the Basket ----
    std::string BasketBox() const { return WindowText(Item(IDC_BASKET)); }
    std::string BasketFile() const;
    // The Basket line of a row as the service made it: phrase, space, count.
    static std::string Line(const CStatsRow& row) { return row.phrase + " " + std::to_string(row.queries); }

    // The clipboard's CF_TEXT, or "<none>".
    static std::string ClipboardText();
    static void SetClipboardText(const std::string& s);

    // ---- the service ----
    // The rows of a keyword's page as the service serves them (keywords are
    // sent lower-cased).
    std::vector<CStatsRow> Rows(const std::string& sKeyword, int nOffset = 0) const;
    // The decoded keyword and offset of each request received.
    std::vector<std::pair<std::string, int>> RequestedPages() const;

    CStatisticsService m_service;
    // Answers every dialog of the thread (OK by default) and records it.
    CDialogAnswerer m_answerer;
    CWinApp* m_pApp = nullptr;
    CMainFrame* m_pFrame = nullptr;
    CPellucorView* m_pView = nullptr;
    CString m_sBasketPath;

private:
    CDocManager* m_pSavedManager = nullptr;
    CWnd* m_pSavedMainWnd = nullptr;
    bool m_bHadBasket = false;
    std::string m_sSavedBasket;
};

// Answers every box of the thread like CDialogAnswerer, and keeps the texts of
// the message boxes among them.
std::vector<std::string> MessageTexts(const CDialogAnswerer& answerer);
