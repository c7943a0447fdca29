// OK on the caption and background pages, then a real restart: a second run
// of this program, set up with other arguments, paints as the first run chose.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <string>

#include "CustomizePageTestSupport.h"
#include "OXCustomizeBackgroundPage.h"
#include "OXCustomizeCaptionPage.h"
#include "customize_test_res.h"

namespace {

const char* const kCaption = "RestartCaption";
const char* const kBackground = "RestartBackground";

// A program's start: an MDI main window with a docked tool bar, then both
// pages set up with the same arguments every run.
class CPaintedProgram
{
public:
    CPaintedProgram()
    {
        m_pSavedMain = AfxGetApp()->m_pMainWnd;
        m_pFrame = new CMDIFrameWnd;
        m_pFrame->LoadFrame(IDR_CT_MDIFRAME, WS_OVERLAPPEDWINDOW);
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_bar.CreateEx(m_pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP);
        const UINT buttons[] = {40001, 40002};
        m_bar.SetButtons(buttons, 2);
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->MoveWindow(20, 20, 500, 350);
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pFrame->RecalcLayout();
        COXDIB image;
        image.CreateEmpty(24, 8, 8);
        m_caption.InitializeCaptionPainter(TRUE, kCaption, TRUE);
        m_background.InitializeBackgroundPainter(TRUE, TRUE, &image, OXPaintTiled, RGB(255, 0, 255), kBackground);
    }
    ~CPaintedProgram()
    {
        if (::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        AfxGetApp()->m_pMainWnd = m_pSavedMain;
    }
    // What is painted, and how.
    std::string Report()
    {
        CString s;
        COXCaptionPainter* pCaption = m_caption.GetOrganizer().GetPainter(m_pFrame);
        COXBackgroundPainter* pWorkArea =
            m_background.GetOrganizer().GetPainter(CWnd::FromHandle(m_pFrame->m_hWndMDIClient));
        s.Format("caption=%06lx gradient=%d bar=%d type=%d colour=%06lx",
                 pCaption ? (unsigned long)pCaption->GetCaptionInfo(TRUE)->m_clrBackground : 0ul,
                 pCaption ? pCaption->GetCaptionInfo(TRUE)->m_bGradient : -1,
                 m_background.GetOrganizer().IsAttached(&m_bar), pWorkArea ? pWorkArea->GetPaintType() : -1,
                 pWorkArea ? (unsigned long)pWorkArea->GetBackgroundColor() : 0ul);
        return (LPCTSTR)s;
    }

    CMDIFrameWnd* m_pFrame;
    CToolBar m_bar;
    CWnd* m_pSavedMain;
    COXCustomizeCaptionPage m_caption;
    COXCustomizeBackgroundPage m_background;
};

// Runs only in the second run started by the test below.
TEST(PainterPagesRestartChild, Report)
{
    std::string args, log;
    if (!pagetest::ChildArgs(args, log))
        GTEST_SKIP() << "started by the restart test only";
    std::string report;
    {
        CPaintedProgram program;
        report = program.Report();
    }
    pagetest::AppendLog(log, report);
}

std::string RunAgain(const CString& sLog)
{
    pagetest::CChild child("PainterPagesRestartChild.Report", "run", sLog);
    if (!child.Ended(60000))
        return "did not end";
    return child.Log();
}

class PainterPagesRestart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* s : {kCaption, kBackground})
            DeleteProfileSection(s);
    }
    void TearDown() override { SetUp(); }
};

TEST_F(PainterPagesRestart, WhatOkStoredIsWhatTheNextRunPaints)
{
    ASSERT_FALSE(COXCaptionPainter::IsThemed());
    CTestFolder folder;
    CString sFirst;
    sFirst.Format("caption=%06lx gradient=1 bar=0 type=0 colour=ff00ff",
                  (unsigned long)COXCaptionInfo().m_clrBackground);
    EXPECT_EQ(RunAgain(folder.File("first.txt")), std::string(sFirst));

    {
        CPaintedProgram program;
        COXCustomizeManager manager;
        manager.RegisterPage(&program.m_caption, 1);
        manager.RegisterPage(&program.m_background, 2);
        ASSERT_TRUE(manager.Open(NULL));

        CWnd& caption = program.m_caption;
        ASSERT_TRUE(manager.ActivatePage(&program.m_caption));
        ((COXColorPickerButton*)CWnd::FromHandlePermanent(caption.GetDlgItem(IDC_OX_CPP_BACKGROUND)->m_hWnd))
            ->SetColor(RGB(200, 0, 0));
        caption.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_CPP_BACKGROUND, BN_CLICKED), 0);
        caption.GetDlgItem(IDC_OX_CPP_GRADIENT)->SendMessage(BM_CLICK);

        CWnd& background = program.m_background;
        ASSERT_TRUE(manager.ActivatePage(&program.m_background));
        background.GetDlgItem(IDC_OX_BGP_CENTER)->SendMessage(BM_CLICK);
        background.GetDlgItem(IDC_OX_BGP_ONLY_CLIENT)->SendMessage(BM_CLICK);
        ((COXColorPickerButton*)CWnd::FromHandlePermanent(background.GetDlgItem(IDC_OX_BGP_COLOR)->m_hWnd))
            ->SetColor(RGB(0, 128, 0));

        manager.SendMessage(WM_COMMAND, IDOK, (LPARAM)manager.GetDlgItem(IDOK)->GetSafeHwnd());
        ASSERT_FALSE(::IsWindow(manager.GetSafeHwnd()));
    }
    EXPECT_EQ(RunAgain(folder.File("second.txt")), "caption=0000c8 gradient=0 bar=1 type=6 colour=008000");
}

}   // namespace
