// The tool bar skins: their rules as tables, their separators, grippers and
// frames on memory DCs, and a real bar's custom draw answered by each skin
// into a memory DC: the states' colours, the disabled silhouette, the
// gradient of 2003 with and without a visual style, the frame's veto.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include "OXCoolToolBar.h"
#include "OXToolbarSkin.h"
#include "SkinTestSupport.h"
#include "bars_test_res.h"
#include "testdrawing.h"

namespace {

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------
TEST(ToolbarSkinRules, ClassicColourSets)
{
    struct Case
    {
        UINT nState;
        int nSet;
    } cases[] = {
        {0, OXTB_COLOR_NORMAL},
        {CDIS_HOT, OXTB_COLOR_HOT},
        {CDIS_CHECKED, OXTB_COLOR_CHECKED},
        {CDIS_CHECKED | CDIS_HOT, OXTB_COLOR_SELECTED},
        {CDIS_SELECTED, OXTB_COLOR_SELECTED},
        {CDIS_SELECTED | CDIS_HOT, OXTB_COLOR_SELECTED},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nSet, COXToolbarSkin::ColorSetFor(c.nState)) << c.nState;
}

TEST(ToolbarSkinRules, ButtonCasesInOrder)
{
    typedef COXToolbarSkinXP S;
    const BYTE E = TBSTATE_ENABLED, P = TBSTATE_PRESSED, C = TBSTATE_CHECKED;
    struct Case
    {
        BYTE fsState;
        BOOL bHot, bDropped;
        S::ButtonCase nCase;
    } cases[] = {
        {E | P, TRUE, TRUE, S::caseDropped},   {E | P, TRUE, FALSE, S::casePressedHot},
        {E | C, TRUE, FALSE, S::caseCheckedHot}, {E | C, FALSE, FALSE, S::caseChecked},
        {E, TRUE, FALSE, S::caseHot},          {E | P, FALSE, FALSE, S::casePressed},
        {0, FALSE, FALSE, S::caseDisabled},    {C, FALSE, FALSE, S::caseChecked},
        {E, FALSE, FALSE, S::caseNormal},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nCase, S::ButtonCaseFor(c.fsState, c.bHot, c.bDropped))
            << (int)c.fsState << " hot " << c.bHot << " dropped " << c.bDropped;
}

TEST(ToolbarSkinRules, GripperPlaces)
{
    typedef COXToolbarSkin S;
    const CRect r(0, 0, 40, 26);
    struct Case
    {
        S::GripperForm form;
        BOOL bHorz, bDockable, bBorderBottom;
        CRect rect;
    } cases[] = {
        {S::gripperClassic, TRUE, TRUE, FALSE, CRect(3, 2, 6, 24)},
        {S::gripperClassic, TRUE, FALSE, TRUE, CRect(1, 0, 4, 24)},
        {S::gripperClassic, TRUE, FALSE, FALSE, CRect(1, 2, 4, 26)},
        {S::gripperClassic, FALSE, TRUE, FALSE, CRect(2, 2, 38, 5)},
        {S::gripperXP, TRUE, TRUE, FALSE, CRect(4, 6, 7, 19)},
        {S::gripperXP, TRUE, FALSE, TRUE, CRect(2, 4, 5, 19)},
        {S::gripperXP, FALSE, FALSE, FALSE, CRect(3, 4, 35, 7)},
        {S::gripper2003, TRUE, TRUE, FALSE, CRect(4, 6, 6, 19)},
        {S::gripper2003, FALSE, TRUE, FALSE, CRect(5, 4, 33, 6)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rect, S::GripperRect(c.form, r, c.bHorz, c.bDockable, c.bBorderBottom))
            << c.form << " horz " << c.bHorz << " dockable " << c.bDockable;
}

TEST(ToolbarSkinRules, ComboPartsAndTextPlaces)
{
    CRect rectEdit, rectButton;
    COXToolbarSkinXP::ComboParts(CRect(0, 0, 120, 22), FALSE, rectEdit, rectButton);
    EXPECT_EQ(CRect(2, 2, 101, 20), rectEdit);
    EXPECT_EQ(CRect(101, 2, 117, 20), rectButton);
    COXToolbarSkinXP::ComboParts(CRect(0, 0, 120, 22), TRUE, rectEdit, rectButton);
    EXPECT_EQ(CRect(2, 2, 104, 20), rectEdit);
    EXPECT_EQ(CRect(104, 2, 117, 20), rectButton);

    const CRect rb(10, 0, 90, 40);
    EXPECT_EQ(CRect(13, 19, 87, 37), COXToolbarSkinXP::TextRect(rb, FALSE, 16, 15, 0));   // under the image
    EXPECT_EQ(CRect(35, 0, 87, 40), COXToolbarSkinXP::TextRect(rb, TRUE, 16, 15, 0));     // beside it
    EXPECT_EQ(CRect(13, 0, 87, 40), COXToolbarSkinXP::TextRect(rb, TRUE, 16, 15, -1));    // no image
    // A wider text takes the margins, not the image's place.
    EXPECT_EQ(CRect(30, 0, 89, 40), COXToolbarSkinXP::TextRect(rb, TRUE, 16, 15, 0, 60));
    EXPECT_EQ(CRect(11, 19, 89, 37), COXToolbarSkinXP::TextRect(rb, FALSE, 16, 15, 0, 80));
}

// The space between a row that a separator ends and the next row.
TEST(ToolbarSkinRules, RowGapBelowAWrappedSeparator)
{
    const BYTE kWrap = TBSTATE_ENABLED | TBSTATE_WRAP, kHidden = TBSTATE_ENABLED | TBSTATE_HIDDEN;
    auto button = [](BYTE fsState) { return TBBUTTON{0, 1, fsState, TBSTYLE_BUTTON, {}, 0, -1}; };
    auto separator = [](BYTE fsState) { return TBBUTTON{8, 0, fsState, TBSTYLE_SEP, {}, 0, -1}; };
    struct Case
    {
        std::vector<TBBUTTON> buttons;
        std::vector<RECT> rects;
        CRect rectGap;
        const char* pszName;
    } cases[] = {
        {{button(TBSTATE_ENABLED), separator(kWrap), button(TBSTATE_ENABLED)},
         {{0, 0, 40, 35}, {40, 0, 48, 35}, {0, 40, 40, 75}}, CRect(0, 35, 200, 40), "separator in its row"},
        {{button(TBSTATE_ENABLED), separator(kWrap), button(TBSTATE_ENABLED)},
         {{0, 0, 40, 35}, {0, 35, 200, 40}, {0, 40, 40, 75}}, CRect(0, 35, 200, 40), "separator in the gap"},
        {{button(kWrap), button(TBSTATE_ENABLED), separator(kWrap), button(TBSTATE_ENABLED)},
         {{0, 0, 40, 35}, {0, 35, 40, 70}, {40, 35, 48, 70}, {0, 75, 40, 110}}, CRect(0, 70, 200, 75),
         "a row above it"},
        {{button(TBSTATE_ENABLED), separator(kWrap), button(kHidden), button(TBSTATE_ENABLED)},
         {{0, 0, 40, 35}, {40, 0, 48, 35}, {0, 0, 0, 0}, {0, 40, 40, 75}}, CRect(0, 35, 200, 40),
         "a hidden button first in the next row"},
        {{button(TBSTATE_ENABLED), separator(kWrap), button(TBSTATE_ENABLED)},
         {{0, 0, 40, 35}, {40, 0, 48, 35}, {0, 35, 40, 70}}, CRect(), "rows that touch"},
        {{button(TBSTATE_ENABLED), separator(kWrap)}, {{0, 0, 40, 35}, {40, 0, 48, 35}}, CRect(), "no next row"},
        {{button(TBSTATE_ENABLED), separator(kWrap), button(kHidden)},
         {{0, 0, 40, 35}, {40, 0, 48, 35}, {0, 0, 0, 0}}, CRect(), "only hidden buttons after it"},
    };
    for (const Case& c : cases) {
        int nIndex = 0;
        while (!(c.buttons[nIndex].fsStyle & TBSTYLE_SEP))
            ++nIndex;
        EXPECT_EQ(c.rectGap, COXToolbarSkin::RowGapBelow(c.buttons.data(), c.rects.data(), (int)c.buttons.size(),
                                                         nIndex, 200))
            << c.pszName;
    }
}

// ---------------------------------------------------------------------------
// Pieces on memory DCs
// ---------------------------------------------------------------------------
// A bar with no window: what the skins read of its style.
struct CStyledBar : COXCoolToolBar
{
    explicit CStyledBar(DWORD dwStyle, BOOL bDockable = TRUE)
    {
        m_dwStyle = dwStyle;
        m_pDockContext = bDockable ? (CDockContext*)1 : NULL;
    }
    ~CStyledBar() override { m_pDockContext = NULL; }
};

TEST(ToolbarSkinDrawing, NoGripperWhileFloating)
{
    CTestSkinXP xp;
    CTestSkin2003 s2003(FALSE);
    COXToolbarSkinClassic classic;
    COXToolbarSkin* skins[] = {&classic, xp.GetToolbarSkin(), s2003.GetToolbarSkin()};
    for (COXToolbarSkin* pSkin : skins) {
        CStyledBar floating(CBRS_ALIGN_TOP | CBRS_FLOATING | CBRS_GRIPPER), docked(CBRS_ALIGN_TOP | CBRS_GRIPPER);
        CPixelCanvas canvas(40, 26);
        pSkin->DrawGripper(&canvas.dc, CRect(0, 0, 40, 26), &floating);
        EXPECT_EQ(40 * 26, canvas.Count(kWhite));
        pSkin->DrawGripper(&canvas.dc, CRect(0, 0, 40, 26), &docked);
        EXPECT_LT(canvas.Count(kWhite), 40 * 26);
    }
    // XP: dashes on every second row of the place.
    CStyledBar docked(CBRS_ALIGN_TOP | CBRS_GRIPPER);
    CPixelCanvas canvas(40, 26);
    xp.GetToolbarSkin()->DrawGripper(&canvas.dc, CRect(0, 0, 40, 26), &docked);
    EXPECT_EQ(xp.GetGripperColor(), canvas.At(4, 6));
    EXPECT_EQ(kWhite, canvas.At(4, 7));
    EXPECT_EQ(xp.GetGripperColor(), canvas.At(6, 18));
    EXPECT_EQ(kWhite, canvas.At(7, 18));
}

TEST(ToolbarSkinDrawing, Separators)
{
    CStyledBar bar(CBRS_ALIGN_TOP);
    COXToolbarSkinClassic classic;
    {
        CPixelCanvas canvas(20, 24);
        classic.DrawSeparator(&canvas.dc, CRect(0, 0, 9, 24), &bar);
        EXPECT_EQ(20 * 24, canvas.Count(kWhite)) << "wider than 8: not drawn";
        classic.DrawSeparator(&canvas.dc, CRect(0, 0, 8, 24), &bar);
        EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.At(3, 5));
        EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas.At(4, 5));
        EXPECT_EQ(kWhite, canvas.At(5, 5));
    }
    CTestSkinXP xp;
    {
        CPixelCanvas canvas(20, 24);
        xp.GetToolbarSkin()->DrawSeparator(&canvas.dc, CRect(0, 0, 8, 24), &bar);
        EXPECT_EQ(24, canvas.Count(xp.GetSeparatorColor()));
        EXPECT_EQ(xp.GetSeparatorColor(), canvas.At(3, 0));
        CPixelCanvas across(24, 20);
        xp.GetToolbarSkin()->DrawSeparator(&across.dc, CRect(0, 0, 24, 8), &bar);
        EXPECT_EQ(xp.GetSeparatorColor(), across.At(0, 3));
        EXPECT_EQ(24, across.Count(xp.GetSeparatorColor()));
    }
    CTestSkin2003 s2003(TRUE);
    {
        CPixelCanvas canvas(20, 24, kBlack);
        s2003.GetToolbarSkin()->DrawSeparator(&canvas.dc, CRect(0, 0, 8, 24), &bar);
        EXPECT_EQ(kBlack, canvas.At(3, 3));
        EXPECT_EQ(s2003.GetSeparatorColor(), canvas.At(3, 4));
        EXPECT_EQ(s2003.GetSeparatorColor(), canvas.At(3, 19));
        EXPECT_EQ(kBlack, canvas.At(3, 20));
        EXPECT_EQ(kWhite, canvas.At(4, 5));   // the echo, one down and right
        EXPECT_EQ(kWhite, canvas.At(4, 20));
        EXPECT_EQ(16, canvas.Count(kWhite));
    }
}

TEST(ToolbarSkinDrawing, DragRectangles)
{
    CTestSkinXP xp;
    CPixelCanvas canvas(30, 30);
    xp.GetToolbarSkin()->DrawDragRect(&canvas.dc, CRect(5, 5, 25, 25));
    const COLORREF clrText = TestSysColor(COLOR_BTNTEXT);
    EXPECT_EQ(clrText, canvas.At(5, 5));
    EXPECT_EQ(clrText, canvas.At(6, 6));
    EXPECT_EQ(kWhite, canvas.At(7, 7));
    EXPECT_EQ(kWhite, canvas.At(4, 4));
    EXPECT_EQ(20 * 4 - 4 + 18 * 4 - 4, canvas.Count(clrText));

    // Classic inverts: drawing twice leaves nothing.
    COXToolbarSkinClassic classic;
    CPixelCanvas inverted(30, 30);
    classic.DrawDragRect(&inverted.dc, CRect(5, 5, 25, 25));
    EXPECT_LT(inverted.Count(kWhite), 30 * 30);
    classic.DrawDragRect(&inverted.dc, CRect(5, 5, 25, 25));
    EXPECT_EQ(30 * 30, inverted.Count(kWhite));
}

// ---------------------------------------------------------------------------
// A real bar's custom draw
// ---------------------------------------------------------------------------
const UINT kButtons[] = {IDS_BT_SEARCH, IDS_BT_EXPORT, ID_SEPARATOR, ID_BT_NOSTRING, IDS_BT_OPEN, IDS_BT_SEARCH + 50};

class CSkinFrame : public CFrameWnd
{
public:
    COXCoolToolBar m_bar;
    BOOL m_bVeto = FALSE;
    int m_nAsked = 0;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        OXTBCUSTOMDRAW* pRecord = (OXTBCUSTOMDRAW*)lParam;
        if (pRecord->hdr.code == OXTBN_CUSTOMDRAW) {
            ++m_nAsked;
            EXPECT_EQ(m_bar.m_hWnd, pRecord->hdr.hwndFrom);
            EXPECT_EQ((UINT_PTR)m_bar.GetDlgCtrlID(), (UINT_PTR)wParam);
            EXPECT_TRUE(pRecord->bDoDefault);
            if (m_bVeto) {
                pRecord->bDoDefault = FALSE;
                pRecord->lResult = CDRF_DODEFAULT;
            }
            return TRUE;
        }
        return CFrameWnd::OnNotify(wParam, lParam, pResult);
    }
};

class ToolbarSkinBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create("skinned bar", CRect(20, 50, 820, 300)));
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(Bar().Create(m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER));
        ASSERT_TRUE(Bar().SetButtons(kButtons, 6));
        // Images in one colour each, on a magenta clear colour.
        m_hImages = ImageList_Create(16, 15, ILC_COLOR24 | ILC_MASK, 5, 0);
        for (COLORREF clr : {kRed, kGreen, kBlue, kYellow, kCyan}) {
            CPixelCanvas image(16, 15, kMagenta);
            image.dc.FillSolidRect(4, 4, 8, 7, clr);
            CBitmap bitmap;
            bitmap.CreateCompatibleBitmap(&image.dc, 16, 15);
            CDC dc;
            dc.CreateCompatibleDC(&image.dc);
            CBitmap* pOld = dc.SelectObject(&bitmap);
            dc.BitBlt(0, 0, 16, 15, &image.dc, 0, 0, SRCCOPY);
            dc.SelectObject(pOld);
            ImageList_AddMasked(m_hImages, (HBITMAP)bitmap.GetSafeHandle(), kMagenta);
        }
        Bar().SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_hImages);
        Bar().EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&Bar());
        m_frame.Show();
    }
    void TearDown() override
    {
        m_frame.Destroy();
        ImageList_Destroy(m_hImages);
    }
    COXCoolToolBar& Bar() { return m_frame->m_bar; }
    CRect ItemRect(int nIndex)
    {
        CRect rect;
        Bar().GetItemRect(nIndex, rect);
        return rect;
    }
    // The skin's answer to the bar's custom draw at nStage, drawn into canvas.
    LRESULT CustomDraw(COXToolbarSkin* pSkin, CPixelCanvas& canvas, DWORD nStage, UINT nID = 0, UINT nItemState = 0,
                       const RECT& rc = CRect())
    {
        NMTBCUSTOMDRAW cd = {};
        cd.nmcd.hdr.hwndFrom = Bar().m_hWnd;
        cd.nmcd.hdr.idFrom = Bar().GetDlgCtrlID();
        cd.nmcd.hdr.code = NM_CUSTOMDRAW;
        cd.nmcd.dwDrawStage = nStage;
        cd.nmcd.hdc = canvas.dc.m_hDC;
        cd.nmcd.dwItemSpec = nID;
        cd.nmcd.uItemState = nItemState;
        cd.nmcd.rc = rc;
        if (nStage == CDDS_PREPAINT)
            Bar().GetClientRect(&cd.nmcd.rc);
        cd.clrText = kBlack;
        LRESULT lResult = -1;
        pSkin->OnCustomDraw(&cd.nmcd.hdr, &lResult, &Bar());
        m_clrText = cd.clrText;
        return lResult;
    }
    // How many pixels of a rectangle of the canvas have the colour.
    static int CountIn(const CPixelCanvas& canvas, const CRect& rect, COLORREF clr)
    {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                n += canvas.At(x, y) == clr;
        return n;
    }
    CSize ClientSize()
    {
        CRect rect;
        Bar().GetClientRect(rect);
        return rect.Size();
    }
    TBBUTTON Button(int nIndex)
    {
        TBBUTTON button = {};
        Bar().SendMessage(TB_GETBUTTON, nIndex, (LPARAM)&button);
        return button;
    }
    // Makes the frame as narrow as wraps the bar at the separator nSep, with a
    // longer row after it (the separator then lies inside the bar), and at no
    // other separator; FALSE when no width does.
    BOOL WrapInsideAt(int nSep)
    {
        const int nCount = (int)Bar().SendMessage(TB_BUTTONCOUNT);
        auto endsARow = [&](int i) {
            const TBBUTTON button = Button(i);
            return (button.fsStyle & TBSTYLE_SEP) && (button.fsState & TBSTATE_WRAP);
        };
        for (int cx = 240; cx <= 800; cx += 4) {
            m_frame->SetWindowPos(NULL, 0, 0, cx, 300, SWP_NOMOVE | SWP_NOZORDER);
            m_frame->RecalcLayout();
            Bar().RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);   // the rows are committed as it paints
            BOOL bOnlyThere = endsARow(nSep) && ItemRect(nSep).left < ClientSize().cx;
            for (int i = 0; i < nCount; ++i)
                bOnlyThere = bOnlyThere && (i == nSep || !endsARow(i));
            if (bOnlyThere)
                return TRUE;
        }
        return FALSE;
    }

    CScopedFrame<CSkinFrame> m_frame;
    HIMAGELIST m_hImages = NULL;
    COLORREF m_clrText = 0;
};

TEST_F(ToolbarSkinBarTest, XPDrawsEveryState)
{
    Bar().SendMessage(TB_CHECKBUTTON, IDS_BT_EXPORT, TRUE);
    Bar().SendMessage(TB_ENABLEBUTTON, ID_BT_NOSTRING, FALSE);
    Bar().SendMessage(TB_PRESSBUTTON, IDS_BT_SEARCH + 50, TRUE);
    Bar().SendMessage(TB_SETHOTITEM, 0);
    ASSERT_EQ(0, (int)Bar().SendMessage(TB_GETHOTITEM));

    CTestSkinXP xp;
    const CSize size = ClientSize();
    CPixelCanvas canvas(size.cx, size.cy);
    EXPECT_EQ(CDRF_SKIPDEFAULT | CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT,
              CustomDraw(xp.GetToolbarSkin(), canvas, CDDS_PREPAINT));
    EXPECT_EQ(CDRF_SKIPDEFAULT, CustomDraw(xp.GetToolbarSkin(), canvas, CDDS_ITEMPREPAINT, IDS_BT_SEARCH));
    EXPECT_EQ(1, m_frame->m_nAsked);

    const COLORREF clrBack = xp.GetToolbarBackgroundColor(), clrBorder = xp.GetHotItemBorderColor();
    struct Case
    {
        int nIndex;
        COLORREF clrInside, clrFrame;
        const char* pszName;
    } cases[] = {
        {0, xp.GetHotItemColor(), clrBorder, "hot"},
        {1, xp.GetCheckedItemColor(), clrBorder, "checked"},
        {3, clrBack, clrBack, "disabled"},
        {4, clrBack, clrBack, "normal"},
        {5, clrBack, clrBorder, "pressed, not hot"},
    };
    for (const Case& c : cases) {
        CRect rect = ItemRect(c.nIndex);
        EXPECT_EQ(c.clrInside, canvas.At(rect.left + 2, rect.top + 2)) << c.pszName;
        EXPECT_EQ(c.clrFrame, canvas.At(rect.left, rect.top + rect.Height() / 2)) << c.pszName;
    }
    // The images: the hot one raised one pixel up and left over its shadow.
    CRect rectHot = ItemRect(0), rectNormal = ItemRect(4);
    CPoint ptNormal(rectNormal.left + (rectNormal.Width() - 16) / 2, rectNormal.top + (rectNormal.Height() - 15) / 2);
    EXPECT_EQ(kYellow, canvas.At(ptNormal.x + 4, ptNormal.y + 4));
    CPoint ptHot(rectHot.left + (rectHot.Width() - 16) / 2 - 1, rectHot.top + (rectHot.Height() - 15) / 2 - 1);
    EXPECT_EQ(kRed, canvas.At(ptHot.x + 4, ptHot.y + 4));
    EXPECT_EQ(TestSysColor(COLOR_BTNSHADOW), canvas.At(ptHot.x + 12, ptHot.y + 11));
    // The disabled image: a silhouette in the grey text colour.
    CRect rectDisabled = ItemRect(3);
    CPoint ptDisabled(rectDisabled.left + (rectDisabled.Width() - 16) / 2,
                      rectDisabled.top + (rectDisabled.Height() - 15) / 2);
    EXPECT_EQ(TestSysColor(COLOR_GRAYTEXT), canvas.At(ptDisabled.x + 6, ptDisabled.y + 6));
    // The separator: a line down its middle.
    CRect rectSep = ItemRect(2);
    EXPECT_EQ(xp.GetSeparatorColor(), canvas.At(rectSep.CenterPoint().x - 1, rectSep.CenterPoint().y));
}

// The flat skins draw a text where the control measured it: a button the
// control made wide enough for its text shows it whole, beside the image
// or under it, a drop-down button's too.
TEST_F(ToolbarSkinBarTest, TextsGetTheRoomTheControlMeasured)
{
    Bar().SetButtonStyle(0, TBSTYLE_DROPDOWN);
    CTestSkinXP xp;
    COXToolbarSkinXP* pSkin = (COXToolbarSkinXP*)xp.GetToolbarSkin();
    for (DWORD dwList : {(DWORD)0, (DWORD)TBSTYLE_LIST}) {
        Bar().ModifyStyle(TBSTYLE_LIST, dwList);
        Bar().SetButtonText(0, "Search the web");
        Bar().SetButtonText(1, "Export");
        Bar().SetButtonText(4, "Open");   // the drop-down has the widest text
        Bar().SendMessage(TB_AUTOSIZE);
        m_frame->RecalcLayout();
        CClientDC dc(&Bar());
        CFont* pOld = dc.SelectObject(Bar().GetFont());
        for (int nIndex : {0, 1, 4}) {
            TBBUTTON button = {};
            Bar().SendMessage(TB_GETBUTTON, nIndex, (LPARAM)&button);
            const CString strText = Bar().GetButtonText(nIndex);
            const CRect rect = ItemRect(nIndex), rectText = pSkin->ButtonTextRect(&dc, button, rect, &Bar(), strText);
            EXPECT_GE(rectText.Width(), dc.GetTextExtent(strText).cx) << (LPCTSTR)strText << " list " << dwList;
            EXPECT_EQ(rectText, rectText & rect) << (LPCTSTR)strText << " list " << dwList;
        }
        dc.SelectObject(pOld);
    }
}

TEST_F(ToolbarSkinBarTest, TextsAndDropDownArrows)
{
    Bar().SetTextType(OXTB_TEXT_TOOLTIP);
    Bar().SetButtonStyle(0, TBSTYLE_DROPDOWN);
    Bar().SendMessage(TB_ENABLEBUTTON, IDS_BT_OPEN, FALSE);
    m_frame->RecalcLayout();
    CTestSkin2003 s2003(FALSE);
    const CSize size = ClientSize();
    CPixelCanvas canvas(size.cx, size.cy);
    CustomDraw(s2003.GetToolbarSkin(), canvas, CDDS_PREPAINT);

    // The arrow part of the drop-down button is framed apart, a Marlett
    // glyph plus 4 wide.
    CRect rect = ItemRect(0);
    const int cxArrow = COXToolbarSkin::ArrowPartWidth(&canvas.dc);
    auto count = [&](const CRect& r, COLORREF clr) { return CountIn(canvas, r, clr); };
    CRect rectArrow(rect.right - cxArrow, rect.top, rect.right, rect.bottom);
    EXPECT_GT(count(rectArrow, TestSysColor(COLOR_BTNTEXT)), 0) << "the arrow glyph";
    EXPECT_GT(count(CRect(rect.left, rect.top + 18, rect.right - cxArrow, rect.bottom), TestSysColor(COLOR_BTNTEXT)), 0)
        << "the text under the image";
    EXPECT_GT(count(ItemRect(4), s2003.GetDisabledTextColor()), 0) << "the disabled text";
    EXPECT_EQ(0, count(ItemRect(3), TestSysColor(COLOR_BTNTEXT))) << "a button without text";
}

TEST_F(ToolbarSkinBarTest, Office2003GradientFollowsTheTheme)
{
    const CSize size = ClientSize();
    CRect rectWindow;
    Bar().GetWindowRect(rectWindow);
    Bar().ScreenToClient(rectWindow);
    const CPoint pt = ItemRect(4).TopLeft() + CPoint(1, 1);   // a plain button's corner
    COLORREF answers[2];
    for (BOOL bThemed : {FALSE, TRUE}) {
        CTestSkin2003 s2003(bThemed);
        CPixelCanvas canvas(size.cx, size.cy), reference(size.cx, size.cy);
        CustomDraw(s2003.GetToolbarSkin(), canvas, CDDS_PREPAINT);
        s2003.GradientFill(&reference.dc, rectWindow, s2003.GetBarGradientStartColor(),
                           s2003.GetBarGradientEndColor(), TRUE);
        EXPECT_EQ(reference.At(pt.x, pt.y), canvas.At(pt.x, pt.y)) << "themed " << bThemed;
        answers[bThemed] = canvas.At(pt.x, pt.y);
    }
    EXPECT_NE(answers[0], answers[1]);
}

TEST_F(ToolbarSkinBarTest, TheFrameMayTakeTheDrawingOver)
{
    m_frame->m_bVeto = TRUE;
    CTestSkinXP xp;
    COXToolbarSkinClassic classic;
    for (COXToolbarSkin* pSkin : {xp.GetToolbarSkin(), (COXToolbarSkin*)&classic}) {
        const CSize size = ClientSize();
        CPixelCanvas canvas(size.cx, size.cy);
        EXPECT_EQ(CDRF_DODEFAULT, CustomDraw(pSkin, canvas, CDDS_PREPAINT));
        EXPECT_EQ(size.cx * size.cy, canvas.Count(kWhite));
    }
    EXPECT_EQ(2, m_frame->m_nAsked);
}

TEST_F(ToolbarSkinBarTest, ClassicColoursTheStatesWithTheBarsColours)
{
    Bar().SetBorderColor(kBlue, OXTB_COLOR_HOT);
    Bar().SetBkColor(kRed, OXTB_COLOR_HOT);
    Bar().SetTextColor(kGreen, OXTB_COLOR_HOT);
    Bar().SetBkColor(kYellow, OXTB_COLOR_CHECKED);
    Bar().SetBorderColor(kCyan, OXTB_COLOR_SELECTED);
    Bar().SendMessage(TB_CHECKBUTTON, IDS_BT_EXPORT, TRUE);
    COXToolbarSkinClassic classic;
    const CRect rc(10, 10, 33, 32);
    struct Case
    {
        UINT nID, nItemState;
        LRESULT lResult;
        COLORREF clrEdge, clrInside, clrText;
    } cases[] = {
        {IDS_BT_SEARCH, CDIS_HOT, CDRF_NOTIFYPOSTPAINT | TBCDRF_NOEDGES, kBlue, kRed, kGreen},
        {IDS_BT_EXPORT, CDIS_CHECKED, CDRF_NOTIFYPOSTPAINT | TBCDRF_NOETCHEDEFFECT, kYellow, kYellow, kBlack},
        {IDS_BT_SEARCH, CDIS_SELECTED, CDRF_NOTIFYPOSTPAINT | TBCDRF_NOEDGES, kCyan, kWhite, kBlack},
        {IDS_BT_SEARCH, 0, CDRF_NOTIFYPOSTPAINT, kWhite, kWhite, kBlack},
    };
    for (const Case& c : cases) {
        CPixelCanvas canvas(40, 40);
        EXPECT_EQ(c.lResult, CustomDraw(&classic, canvas, CDDS_ITEMPREPAINT, c.nID, c.nItemState, rc)) << c.nItemState;
        EXPECT_EQ(c.clrEdge, canvas.At(10, 20)) << c.nItemState;
        EXPECT_EQ(c.clrInside, canvas.At(12, 20)) << c.nItemState;
        EXPECT_EQ(c.clrText, m_clrText) << c.nItemState;
    }
    CPixelCanvas canvas(40, 40);
    EXPECT_EQ(CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT, CustomDraw(&classic, canvas, CDDS_PREPAINT));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), canvas.At(1, 1));
}

// A separator that ends a row draws its line in the space between that row
// and the next, never over a button of either: not under a label, not
// through the box of a pressed button. A row that ends at a button has no
// line below it.
TEST_F(ToolbarSkinBarTest, LinesBetweenRowsLieBetweenTheRows)
{
    Bar().SetBarStyle(Bar().GetBarStyle() | CBRS_SIZE_DYNAMIC);
    Bar().SetTextType(OXTB_TEXT_PROMPT);
    Bar().SendMessage(TB_PRESSBUTTON, IDS_BT_EXPORT, TRUE);
    CTestSkinXP xp;
    CTestSkin2003 s2003(FALSE);
    struct Case
    {
        DWORD dwList;
        UINT nDockBar;
        const char* pszName;
    } cases[] = {
        {0, AFX_IDW_DOCKBAR_TOP, "texts under the images, in rows"},
        {TBSTYLE_LIST, AFX_IDW_DOCKBAR_TOP, "texts beside the images, in rows"},
        {0, AFX_IDW_DOCKBAR_LEFT, "docked at the left"},
    };
    for (const Case& c : cases) {
        Bar().ModifyStyle(TBSTYLE_LIST, c.dwList);
        Bar().UpdateSizes();
        m_frame->SetWindowPos(NULL, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER);
        m_frame->DockControlBar(&Bar(), c.nDockBar);
        m_frame->RecalcLayout();
        Bar().RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);   // the rows are committed as it paints
        TBBUTTON separator = {};
        Bar().SendMessage(TB_GETBUTTON, 2, (LPARAM)&separator);
        ASSERT_TRUE(separator.fsState & TBSTATE_WRAP) << c.pszName;
        const int nCount = (int)Bar().SendMessage(TB_BUTTONCOUNT);
        const CRect rectGap(0, ItemRect(2).bottom, ClientSize().cx, ItemRect(3).top);
        ASSERT_GT(rectGap.Height(), 1) << c.pszName;

        for (COXSkinXP* pSkin : {(COXSkinXP*)&xp, (COXSkinXP*)&s2003}) {
            const CSize size = ClientSize();
            CPixelCanvas canvas(size.cx, size.cy);
            CustomDraw(pSkin->GetToolbarSkin(), canvas, CDDS_PREPAINT);
            const COLORREF clrLine = pSkin->GetSeparatorColor();
            const char* pszSkin = pSkin == &xp ? "XP" : "2003";
            EXPECT_GT(CountIn(canvas, rectGap, clrLine), 0) << c.pszName << ", " << pszSkin << ": the line";
            for (int i = 0; i < nCount; ++i) {
                TBBUTTON button = {};
                Bar().SendMessage(TB_GETBUTTON, i, (LPARAM)&button);
                if (button.fsStyle & TBSTYLE_SEP)
                    continue;
                EXPECT_EQ(0, CountIn(canvas, ItemRect(i), clrLine)) << c.pszName << ", " << pszSkin << ", button " << i;
                // Below a row that ends at a button no line is drawn.
                if ((button.fsState & TBSTATE_WRAP) && i + 1 < nCount) {
                    const CRect rectBelow(0, ItemRect(i).bottom, size.cx, ItemRect(i + 1).top);
                    EXPECT_EQ(0, CountIn(canvas, rectBelow, clrLine))
                        << c.pszName << ", " << pszSkin << ", row of " << i;
                }
            }
        }
    }
}

// Classic leaves the separators to the control, which draws one that ends a
// row as a stub beside the row's last button: what is right of that button
// is the bar's face, and the separator's line lies between the rows.
TEST_F(ToolbarSkinBarTest, ClassicDrawsARowsSeparatorBetweenTheRowsNotBesideTheButtons)
{
    Bar().SetBarStyle(Bar().GetBarStyle() | CBRS_SIZE_DYNAMIC);
    Bar().SetTextType(OXTB_TEXT_PROMPT);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE), clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    for (DWORD dwList : {(DWORD)0, (DWORD)TBSTYLE_LIST}) {
        const char* pszName = dwList != 0 ? "texts beside the images" : "texts under the images";
        Bar().ModifyStyle(TBSTYLE_LIST, dwList);
        Bar().UpdateSizes();
        ASSERT_TRUE(WrapInsideAt(2)) << pszName << ": no width wraps the bar at the separator";
        const CSize size = ClientSize();
        CPixelCanvas painted(size.cx, size.cy, kMagenta);
        Bar().SendMessage(WM_PRINTCLIENT, (WPARAM)painted.dc.GetSafeHdc(), PRF_CLIENT);
        const CRect rectBeside(ItemRect(1).right, ItemRect(1).top, size.cx, ItemRect(1).bottom);
        EXPECT_EQ(rectBeside.Width() * rectBeside.Height(), CountIn(painted, rectBeside, clrFace))
            << pszName << ": right of the row's last button, " << rectBeside.left << "-" << rectBeside.right;
        const CRect rectGap(0, ItemRect(1).bottom, size.cx, ItemRect(3).top);
        ASSERT_GT(rectGap.Height(), 1) << pszName;
        EXPECT_GT(CountIn(painted, rectGap, clrShadow), size.cx / 2) << pszName << ": the line between the rows";
    }
}

// Only a separator that ends a row is painted over: one inside a row keeps
// the line the control draws for it.
TEST_F(ToolbarSkinBarTest, ClassicKeepsTheLineOfASeparatorInsideAWrappedRow)
{
    Bar().SetBarStyle(Bar().GetBarStyle() | CBRS_SIZE_DYNAMIC);
    Bar().SetTextType(OXTB_TEXT_PROMPT);
    TBBUTTON separator = Button(2);
    ASSERT_TRUE(Bar().SendMessage(TB_INSERTBUTTON, 1, (LPARAM)&separator));   // between the first row's buttons
    Bar().UpdateSizes();
    ASSERT_TRUE(WrapInsideAt(3)) << "no width wraps the bar at the second separator";
    const CSize size = ClientSize();
    CPixelCanvas painted(size.cx, size.cy, kMagenta);
    Bar().SendMessage(WM_PRINTCLIENT, (WPARAM)painted.dc.GetSafeHdc(), PRF_CLIENT);
    const CRect rectInside = ItemRect(1);
    ASSERT_FALSE(rectInside.IsRectEmpty());
    // The line's colour is the control's (the theme's when one is on), so
    // what counts is that the separator is not all bar face.
    const int nFace = CountIn(painted, rectInside, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(rectInside.Width() * rectInside.Height() - nFace, rectInside.Height() / 2)
        << "the separator inside the row at " << rectInside.left << "-" << rectInside.right;
}

// The bar painted by its control shows the flat skins' picture and nothing
// else: the control draws no separator of its own over it.
TEST_F(ToolbarSkinBarTest, TheControlDrawsNothingOverTheFlatSkinsPicture)
{
    CSkinnedAppScope app;
    for (const char* pszSkin : {"Office XP", "Office 2003"}) {
        ASSERT_TRUE(app.m_pApp->SetCurrentSkin(pszSkin));
        const CSize size = ClientSize();
        CPixelCanvas painted(size.cx, size.cy, kMagenta), picture(size.cx, size.cy, kMagenta);
        Bar().SendMessage(WM_PRINTCLIENT, (WPARAM)painted.dc.GetSafeHdc(), PRF_CLIENT);
        CustomDraw(Bar().GetToolbarSkin(), picture, CDDS_PREPAINT);
        int nDiffer = 0;
        CPoint ptFirst(-1, -1);
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                if (painted.At(x, y) != picture.At(x, y) && nDiffer++ == 0)
                    ptFirst = CPoint(x, y);
        EXPECT_EQ(0, nDiffer) << pszSkin << ": first at (" << ptFirst.x << ", " << ptFirst.y << "), the separator at "
                              << ItemRect(2).left << "-" << ItemRect(2).right;
    }
}

} // namespace
