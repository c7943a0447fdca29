// The background customize page: which controls are enabled, as a table;
// then the page over an MDI frame with two docked tool bars: the work area
// alone or every bar painted, painting switched off, the preview following
// each choice at once (a malformed file leaves it empty), OK storing the six
// values (read back by the registry tool and by a page made anew) and Cancel
// putting back what the profile holds.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "CustomizePageRegistry.h"
#include "OXCustomizeBackgroundPage.h"
#include "OXCustomizeManager.h"
#include "TestFolder.h"
#include "customize_test_res.h"
#include "testdrawing.h"
#include "testsupport.h"

namespace {

const char* const kSection = "CustomizeBackgroundTest";
const UINT kButtons[] = {40001, 40002};

// A 24-bit image of one colour.
void MakeImage(COXDIB& dib, int cx, int cy, COLORREF clr)
{
    ASSERT_TRUE(dib.CreateEmpty(24, cx, cy));
    BYTE* pBits = (BYTE*)dib.FindDIBBits();
    const DWORD nRow = OXDIBLayout::RowBytes(24, cx);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++) {
            BYTE* p = pBits + (size_t)y * nRow + 3 * x;
            p[0] = GetBValue(clr);
            p[1] = GetGValue(clr);
            p[2] = GetRValue(clr);
        }
}

TEST(OXCustomizeBackgroundRules, ControlStates)
{
    const UINT followPainting[] = {IDC_OX_BGP_TYPE_LABEL, IDC_OX_BGP_TILED, IDC_OX_BGP_CENTER,
                                   IDC_OX_BGP_BOTTOM_RIGHT, IDC_OX_BGP_ONLY_CLIENT, IDC_OX_BGP_COLOR,
                                   IDC_OX_BGP_COLOR_LABEL, IDC_OX_BGP_DEFAULT_IMAGE, IDC_OX_BGP_IMAGE_FILE,
                                   IDC_OX_BGP_SEP_IMAGE, IDC_OX_BGP_PREVIEW};
    for (BOOL bPaint : {FALSE, TRUE})
        for (BOOL bDefault : {FALSE, TRUE}) {
            for (UINT nID : followPainting)
                EXPECT_EQ(OXBackgroundPageControlEnabled(nID, bPaint, bDefault), bPaint) << nID;
            EXPECT_EQ(OXBackgroundPageControlEnabled(IDC_OX_BGP_FILE_NAME, bPaint, bDefault), bPaint && !bDefault)
                << bPaint << bDefault;
            EXPECT_TRUE(OXBackgroundPageControlEnabled(IDC_OX_BGP_PAINT, bPaint, bDefault));
        }
    struct Row { BOOL bDefault; const char* file; BOOL bUses; } rows[] = {
        {FALSE, "a.bmp", TRUE}, {TRUE, "a.bmp", FALSE}, {FALSE, "", FALSE}, {TRUE, "", FALSE},
    };
    for (const Row& r : rows)
        EXPECT_EQ(OXBackgroundPageUsesFile(r.bDefault, r.file), r.bUses) << r.bDefault << r.file;
}

class OXCustomizeBackgroundPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteProfileSection(kSection);
        m_pApp = AfxGetApp();
        m_pSavedMain = m_pApp->m_pMainWnd;
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_CT_MDIFRAME, WS_OVERLAPPEDWINDOW));
        m_pApp->m_pMainWnd = m_pFrame;
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        for (CToolBar& bar : m_bars) {
            ASSERT_TRUE(bar.CreateEx(m_pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
            ASSERT_TRUE(bar.SetButtons(kButtons, 2));
            bar.EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
        }
        m_pFrame->MoveWindow(20, 20, 600, 400);
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pFrame->RecalcLayout();
        MakeImage(m_image, 16, 16, RGB(255, 0, 0));
        COXDIB file;
        MakeImage(file, 24, 8, RGB(0, 0, 255));
        m_sFile = m_folder.File("blue.bmp");
        ASSERT_TRUE(file.Save(m_sFile));
    }
    void TearDown() override
    {
        m_pManager.reset();
        if (::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        m_pApp->m_pMainWnd = m_pSavedMain;
        DeleteProfileSection(kSection);
    }
    void Open(COXCustomizePage* pPage)
    {
        m_pManager.reset(new COXCustomizeManager);
        m_pManager->RegisterPage(pPage, 1);
        ASSERT_TRUE(m_pManager->Open(NULL));
        ASSERT_EQ(m_pManager->GetActivePage(), pPage);
    }
    void Press(UINT nID)
    {
        m_pManager->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                                (LPARAM)m_pManager->GetDlgItem(nID)->GetSafeHwnd());
    }
    static void Click(CWnd& page, UINT nID) { page.GetDlgItem(nID)->SendMessage(BM_CLICK); }
    static COXColorPickerButton* ColourButton(CWnd& page)
    {
        return (COXColorPickerButton*)CWnd::FromHandlePermanent(page.GetDlgItem(IDC_OX_BGP_COLOR)->m_hWnd);
    }
    // A colour picked on the button, as the page hears of it once the picker closes.
    static void PickColour(CWnd& page, COLORREF clr)
    {
        ColourButton(page)->SetColor(clr);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_BGP_COLOR, BN_CLICKED), 0);
    }
    // A file name typed into the combo, as the page hears of it.
    static void TypeFile(CWnd& page, const CString& sFile)
    {
        CWnd* pCombo = page.GetDlgItem(IDC_OX_BGP_FILE_NAME);
        pCombo->SetWindowText(sFile);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OX_BGP_FILE_NAME, CBN_EDITCHANGE), (LPARAM)pCombo->m_hWnd);
    }
    CWnd* Client() { return CWnd::FromHandle(m_pFrame->m_hWndMDIClient); }
    // Which of the bars and the work area have painters.
    std::string Painted(COXBackgroundPainterOrganizer& organizer)
    {
        std::string s;
        s += organizer.IsAttached(Client()) ? "client " : "";
        s += organizer.IsAttached(&m_bars[0]) ? "bar " : "";
        s += organizer.IsAttached(&m_bars[1]) ? "bar " : "";
        return s;
    }

    CWinApp* m_pApp = NULL;
    CWnd* m_pSavedMain = NULL;
    CMDIFrameWnd* m_pFrame = NULL;
    CToolBar m_bars[2];
    COXDIB m_image;
    CTestFolder m_folder;
    CString m_sFile;
    std::unique_ptr<COXCustomizeManager> m_pManager;
};

// The work area alone, every bar, painting off: each applied from the page,
// the preview painted throughout with the look chosen.
TEST_F(OXCustomizeBackgroundPageTest, TheWorkAreaAloneOrEveryBar)
{
    COXCustomizeBackgroundPage page;
    ASSERT_TRUE(page.InitializeBackgroundPainter(TRUE, TRUE, &m_image, OXPaintCenter, kMagenta, NULL));
    COXBackgroundPainterOrganizer& organizer = page.GetOrganizer();
    EXPECT_EQ(Painted(organizer), "client ");
    EXPECT_EQ(organizer.GetPainter(Client())->GetPaintType(), OXPaintCenter);
    EXPECT_EQ(organizer.GetPainter(Client())->GetImage()->GetSize(), CSize(16, 16));
    Open(&page);
    ASSERT_TRUE(m_pManager->GetDlgItem(IDC_OX_CUSTOMIZE_APPLY)->IsWindowEnabled());
    COXBackgroundPainter* pPreview = organizer.GetPainter(&page.GetPreviewWnd());
    ASSERT_NE(pPreview, nullptr);
    EXPECT_EQ(pPreview->GetPaintType(), OXPaintCenter);
    EXPECT_EQ(pPreview->GetBackgroundColor(), kMagenta);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_OX_BGP_CENTER), BST_CHECKED);

    Click(page, IDC_OX_BGP_ONLY_CLIENT);
    Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_EQ(Painted(organizer), "client bar bar ");
    EXPECT_EQ(organizer.GetPainter(&m_bars[1])->GetPaintType(), OXPaintCenter);
    EXPECT_EQ(organizer.GetPainter(&m_bars[1])->GetOriginWnd(), m_pFrame);
    EXPECT_EQ(organizer.GetPainter(&page.GetPreviewWnd())->GetOriginWnd(), &page.GetPreviewWnd());

    Click(page, IDC_OX_BGP_ONLY_CLIENT);
    Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_EQ(Painted(organizer), "client ");

    Click(page, IDC_OX_BGP_STRETCHED);
    Click(page, IDC_OX_BGP_PAINT);
    EXPECT_FALSE(page.GetDlgItem(IDC_OX_BGP_STRETCHED)->IsWindowEnabled());
    EXPECT_FALSE(page.GetPreviewWnd().IsWindowEnabled());
    Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_EQ(Painted(organizer), "");
    pPreview = organizer.GetPainter(&page.GetPreviewWnd());
    ASSERT_NE(pPreview, nullptr) << "painting off took the preview's look away";
    EXPECT_EQ(pPreview->GetPaintType(), OXPaintStretched);
    EXPECT_EQ(pPreview->GetBackgroundColor(), kMagenta);
    Press(IDCANCEL);
}

// Each choice shows in the preview at once and in the windows only when
// applied; the program's own image clears the file name; a file that cannot
// be read keeps the preview's picture.
TEST_F(OXCustomizeBackgroundPageTest, ThePreviewFollowsEachChoiceAtOnce)
{
    COXCustomizeBackgroundPage page;
    ASSERT_TRUE(page.InitializeBackgroundPainter(TRUE, TRUE, &m_image, OXPaintTiled, kMagenta, NULL));
    COXBackgroundPainterOrganizer& organizer = page.GetOrganizer();
    Open(&page);
    COXBackgroundPainter* pPreview = organizer.GetPainter(&page.GetPreviewWnd());
    ASSERT_NE(pPreview, nullptr);
    EXPECT_FALSE(page.GetDlgItem(IDC_OX_BGP_FILE_NAME)->IsWindowEnabled());

    Click(page, IDC_OX_BGP_BOTTOM_RIGHT);
    EXPECT_EQ(pPreview->GetPaintType(), OXPaintBottomRight);
    PickColour(page, RGB(0, 128, 0));
    EXPECT_EQ(pPreview->GetBackgroundColor(), RGB(0, 128, 0));
    Click(page, IDC_OX_BGP_IMAGE_FILE);
    EXPECT_TRUE(page.GetDlgItem(IDC_OX_BGP_FILE_NAME)->IsWindowEnabled());
    TypeFile(page, m_sFile);
    EXPECT_EQ(pPreview->GetImage()->GetSize(), CSize(24, 8));
    TypeFile(page, m_folder.File("missing.bmp"));
    EXPECT_EQ(pPreview->GetImage()->GetSize(), CSize(24, 8));
    TypeFile(page, m_sFile);
    // The windows keep their look until Apply.
    COXBackgroundPainter* pClient = organizer.GetPainter(Client());
    ASSERT_NE(pClient, nullptr);
    EXPECT_EQ(pClient->GetPaintType(), OXPaintTiled);
    EXPECT_EQ(pClient->GetImage()->GetSize(), CSize(16, 16));
    Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_EQ(pClient->GetPaintType(), OXPaintBottomRight);
    EXPECT_EQ(pClient->GetBackgroundColor(), RGB(0, 128, 0));
    EXPECT_EQ(pClient->GetImage()->GetSize(), CSize(24, 8));
    // On screen: the picture in the work area's bottom-right corner, the colour elsewhere.
    auto pixel = [&](int fromRight, int fromBottom) {
        CRect rect;
        Client()->GetClientRect(&rect);
        CClientDC dc(Client());
        return dc.GetPixel(rect.right - fromRight, rect.bottom - fromBottom);
    };
    EXPECT_TRUE(PumpUntil([&] { return pixel(3, 3) == RGB(0, 0, 255) && pixel(40, 3) == RGB(0, 128, 0); }, 5000))
        << "the work area reads 0x" << std::hex << pixel(3, 3) << " and 0x" << pixel(40, 3);

    Click(page, IDC_OX_BGP_DEFAULT_IMAGE);
    EXPECT_FALSE(page.GetDlgItem(IDC_OX_BGP_FILE_NAME)->IsWindowEnabled());
    EXPECT_EQ(WindowText(page.GetDlgItem(IDC_OX_BGP_FILE_NAME)->m_hWnd), "");
    EXPECT_EQ(pPreview->GetImage()->GetSize(), CSize(16, 16));
    Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_EQ(pClient->GetImage()->GetSize(), CSize(16, 16));
    Press(IDCANCEL);
}

TEST_F(OXCustomizeBackgroundPageTest, AMalformedFileLeavesThePreviewEmpty)
{
    const CString sBad = m_folder.File("bad.bmp");
    {
        CFile file(sBad, CFile::modeCreate | CFile::modeWrite);
        const char bytes[] = "BM\x40\0\0\0\0\0\0\0\xff\xff\0\0this is not a picture";
        file.Write(bytes, sizeof bytes);
    }
    m_pApp->WriteProfileInt(kSection, "UseDefaultImage", 0);
    m_pApp->WriteProfileString(kSection, "ImageFileName", sBad);
    COXCustomizeBackgroundPage page;
    ASSERT_TRUE(page.InitializeBackgroundPainter(TRUE, TRUE, &m_image, OXPaintTiled, kMagenta, kSection));
    // The work area keeps the program's image.
    COXBackgroundPainter* pClient = page.GetOrganizer().GetPainter(Client());
    ASSERT_NE(pClient, nullptr);
    EXPECT_EQ(pClient->GetImage()->GetSize(), CSize(16, 16));
    Open(&page);
    EXPECT_FALSE(page.GetOrganizer().IsAttached(&page.GetPreviewWnd()));
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_OX_BGP_IMAGE_FILE), BST_CHECKED);
    // A good file chosen afterwards shows.
    TypeFile(page, m_sFile);
    COXBackgroundPainter* pPreview = page.GetOrganizer().GetPainter(&page.GetPreviewWnd());
    ASSERT_NE(pPreview, nullptr);
    EXPECT_EQ(pPreview->GetImage()->GetSize(), CSize(24, 8));
    Press(IDCANCEL);
}

// OK stores the six values; a page made anew reads them and paints with
// them. Cancel stores nothing and puts back what the profile holds.
TEST_F(OXCustomizeBackgroundPageTest, OkStoresWhatAFreshPageTakesAndCancelPutsItBack)
{
    {
        COXCustomizeBackgroundPage page;
        ASSERT_TRUE(page.InitializeBackgroundPainter(TRUE, TRUE, &m_image, OXPaintTiled, kMagenta, kSection));
        Open(&page);
        Click(page, IDC_OX_BGP_TOP_RIGHT);
        PickColour(page, RGB(10, 20, 30));
        Click(page, IDC_OX_BGP_ONLY_CLIENT);
        Click(page, IDC_OX_BGP_IMAGE_FILE);
        TypeFile(page, m_sFile);
        Press(IDCANCEL);
        EXPECT_TRUE(RegQuerySection(kSection).empty()) << "Cancel stored something";

        ASSERT_TRUE(m_pManager->Open(NULL));
        Click(page, IDC_OX_BGP_TOP_RIGHT);
        PickColour(page, RGB(10, 20, 30));
        Click(page, IDC_OX_BGP_ONLY_CLIENT);
        Click(page, IDC_OX_BGP_IMAGE_FILE);
        TypeFile(page, m_sFile);
        Press(IDOK);
        ASSERT_FALSE(::IsWindow(m_pManager->GetSafeHwnd()));
    }
    std::map<std::string, std::string> expected = {
        {"PaintBackground", "1"},
        {"OnlyClientArea", "0"},
        {"ImageFileName", (LPCTSTR)m_sFile},
        {"PaintType", "4"},
        {"BackgroundColor", std::to_string(RGB(10, 20, 30))},
        {"UseDefaultImage", "0"},
    };
    EXPECT_EQ(RegQuerySection(kSection), expected);

    COXCustomizeBackgroundPage next;
    ASSERT_TRUE(next.InitializeBackgroundPainter(TRUE, TRUE, &m_image, OXPaintTiled, kMagenta, kSection));
    EXPECT_EQ(Painted(next.GetOrganizer()), "client bar bar ");
    COXBackgroundPainter* pBar = next.GetOrganizer().GetPainter(&m_bars[0]);
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(pBar->GetPaintType(), OXPaintTopRight);
    EXPECT_EQ(pBar->GetBackgroundColor(), RGB(10, 20, 30));
    EXPECT_EQ(pBar->GetImage()->GetSize(), CSize(24, 8));

    // Applied, then cancelled: the profile's look comes back.
    Open(&next);
    Click(next, IDC_OX_BGP_CENTER);
    Click(next, IDC_OX_BGP_ONLY_CLIENT);
    Press(IDC_OX_CUSTOMIZE_APPLY);
    EXPECT_EQ(Painted(next.GetOrganizer()), "client ");
    EXPECT_EQ(next.GetOrganizer().GetPainter(Client())->GetPaintType(), OXPaintCenter);
    Press(IDCANCEL);
    EXPECT_EQ(Painted(next.GetOrganizer()), "client bar bar ");
    EXPECT_EQ(next.GetOrganizer().GetPainter(&m_bars[1])->GetPaintType(), OXPaintTopRight);
    EXPECT_EQ(RegQuerySection(kSection), expected);
}

}   // namespace
