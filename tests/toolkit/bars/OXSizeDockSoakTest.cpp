// A deterministic soak of the size-dock frames: from fixed seeds, a few
// hundred steps a user could take with sizing bars (dock at the end or into
// a row by a drag, float by the frame's calls or by a drag, dock back by a
// double click, hide and show, maximize in a row, drag splitters, squeeze
// the frame to nothing and back, save and load the layout), in both frames.
// After every step the frame, at its full size, must give what a user relies
// on: no fault left a layout, a shown docked bar has room unless the user
// sized it down by a splitter (a row may shrink to nothing) or left it a
// stub by a maximize in its row, or it lies in a dock bar the other dock
// bars left no length along its rows, no two bars of
// a dock bar overlap, every bar lies within its dock bar along its row and
// is no thicker than a row may be laid out (rows are bounded one by one, so
// rows together may run past the frame), and a place-holder stands only for
// a bar that floats. A failure names the seed and the steps that led there.
//
// CI runs a few fixed seeds. PELLUCOR_SOAK_SEEDS ("1-200", "5,9,40-60")
// and PELLUCOR_SOAK_STEPS choose others.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "OXDockbarSkin.h"
#include "OXFrameWndDock.h"
#include "OXSizeControlBar.h"
#include "OXSizeDockBar.h"
#include "SizeDockTestSupport.h"
#include "testsupport.h"

namespace {

const UINT kFirstBarId = AFX_IDW_CONTROLBAR_FIRST + 80;
const int kBars = 4;
const int kDefaultSteps = 250;
const char* const kDefaultSeeds = "1-3";
const char* const kSection = "SizeDockSoak";
const UINT kDockBarIds[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                             AFX_IDW_DOCKBAR_RIGHT};
const char* const kDockNames[4] = {"top", "bottom", "left", "right"};

// xorshift32: the same steps from the same seed on every machine.
class CSoakRandom
{
public:
    explicit CSoakRandom(UINT nSeed) : m_n(nSeed != 0 ? nSeed : 0x9E3779B9u) {}
    UINT Next()
    {
        m_n ^= m_n << 13;
        m_n ^= m_n >> 17;
        m_n ^= m_n << 5;
        return m_n;
    }
    int Below(int n) { return n <= 0 ? 0 : (int)(Next() % (UINT)n); }
    int Between(int nLow, int nHigh) { return nLow + Below(nHigh - nLow + 1); }

private:
    UINT m_n;
};

struct SoakCase
{
    std::string name;
    BOOL bMDI;
    UINT nSeed;
};

// The seeds a list such as "1-3,7" names, in order; a part that is no number
// or range is skipped.
std::vector<UINT> ParseSeeds(const char* psz)
{
    std::vector<UINT> seeds;
    std::stringstream ss(psz);
    std::string strPart;
    while (std::getline(ss, strPart, ',')) {
        char* pszEnd = NULL;
        const unsigned long nFirst = strtoul(strPart.c_str(), &pszEnd, 10);
        if (pszEnd == strPart.c_str())
            continue;
        unsigned long nLast = nFirst;
        if (*pszEnd == '-')
            nLast = strtoul(pszEnd + 1, NULL, 10);
        for (unsigned long n = nFirst; n <= nLast && n - nFirst < 100000; ++n)
            seeds.push_back((UINT)n);
    }
    return seeds;
}

std::vector<SoakCase> SoakCases()
{
    const char* pszSeeds = getenv("PELLUCOR_SOAK_SEEDS");
    std::vector<SoakCase> cases;
    for (BOOL bMDI : {FALSE, TRUE})
        for (UINT nSeed : ParseSeeds(pszSeeds != NULL && *pszSeeds != 0 ? pszSeeds : kDefaultSeeds))
            cases.push_back({(bMDI ? "MDIFrame" : "Frame") + std::to_string(nSeed), bMDI, nSeed});
    return cases;
}

int SoakSteps()
{
    const char* psz = getenv("PELLUCOR_SOAK_STEPS");
    const int n = psz != NULL ? atoi(psz) : 0;
    return n > 0 ? n : kDefaultSteps;
}

void PrintTo(const SoakCase& c, std::ostream* os)
{
    *os << c.name;
}

class SizeDockSoak : public ::testing::TestWithParam<SoakCase>
{
protected:
    void SetUp() override
    {
        // each frame kind makes its own dock bars
        if (GetParam().bMDI) {
            COXMDIFrameWndSizeDock* pFrame = new COXMDIFrameWndSizeDock;
            ASSERT_TRUE(pFrame->Create(NULL, "Soak", WS_OVERLAPPEDWINDOW, CRect(10, 10, 1010, 770)));
            pFrame->EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame = pFrame;
        } else {
            COXFrameWndSizeDock* pFrame = new COXFrameWndSizeDock;
            ASSERT_TRUE(pFrame->Create(NULL, "Soak", WS_OVERLAPPEDWINDOW, CRect(10, 10, 1010, 770)));
            pFrame->EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame = pFrame;
        }
        m_main.Show(m_pFrame);
        m_sizeFrame = WindowRectOf(m_pFrame).Size();
        for (int i = 0; i < kBars; ++i) {
            COXSizeControlBar* pBar = new COXSizeControlBar(0);
            m_bars.push_back(pBar);
            CString strName;
            strName.Format("S%d", i + 1);
            ASSERT_TRUE(pBar->Create(m_pFrame, strName, kFirstBarId + i, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                     CRect(0, 0, 180, 110)));
            pBar->EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame->DockControlBar(pBar, kDockBarIds[i % 4]);
        }
        Layout();
    }
    void TearDown() override
    {
        m_main.Close();
        for (COXSizeControlBar* p : m_bars)
            delete p;
        AfxGetApp()->WriteProfileInt(kSection, "Version", 0);
        PumpPending();
    }

    // The frame's layout as its idle time runs it; a throw is a fault.
    void Layout()
    {
        try {
            m_pFrame->RecalcLayout(TRUE);
        } catch (...) {
            m_pWatch->Note("the layout threw");
        }
        PumpPending();
    }
    COXSizeDockBar* DockBar(int i)
    {
        return DYNAMIC_DOWNCAST(COXSizeDockBar, m_pFrame->GetControlBar(kDockBarIds[i]));
    }
    BOOL IsDocked(COXSizeControlBar* p) { return !p->IsFloating() && p->m_pDockBar != NULL; }
    CPoint ClientCenter()
    {
        CRect r;
        m_pFrame->GetClientRect(&r);
        m_pFrame->ClientToScreen(&r);
        return r.CenterPoint();
    }
    // Room along and across: a window more than 8 pixels each way.
    static BOOL HasRoom(CWnd* pWnd)
    {
        const CRect r = WindowRectOf(pWnd);
        return r.Width() > 8 && r.Height() > 8;
    }
    COXSizeControlBar* PickBar(const std::function<bool(COXSizeControlBar*)>& pred)
    {
        std::vector<COXSizeControlBar*> v;
        for (COXSizeControlBar* p : m_bars)
            if (pred(p))
                v.push_back(p);
        return v.empty() ? NULL : v[m_pRandom->Below((int)v.size())];
    }

    // One step, chosen by the generator; returns what it did, or "" when
    // the chosen step had nothing to act on.
    std::string Step();
    // What the frame at its full size gives the user; empty when all holds.
    std::vector<std::string> Check();

    CFrameWnd* m_pFrame = NULL;
    CTestMainFrame m_main;
    CSize m_sizeFrame;
    std::vector<COXSizeControlBar*> m_bars;
    CSoakRandom* m_pRandom = NULL;
    CLayoutFaultWatch* m_pWatch = NULL;
    // Shown bars a splitter drag of the user left without room: a row or a
    // bar may be dragged down to nothing, and a bar keeps that size for its
    // orientation wherever it docks. Kept by bar and orientation (TRUE for
    // rows along the top and bottom); a bar leaves the set once it has room
    // again in that orientation. Only bars the user saw in the dragged dock
    // bar count: a drag that sizes a hidden or floating bar is a fault.
    std::set<std::pair<CWnd*, BOOL>> m_userSized;
    // Bars a maximize in their row made stubs, by orientation: a bar joining
    // the row squeezes them further. A bar leaves the set once it is more
    // than a stub long again.
    std::set<std::pair<CWnd*, BOOL>> m_stubs;
};

std::string SizeDockSoak::Step()
{
    std::ostringstream os;
    CSoakRandom& r = *m_pRandom;
    switch (r.Below(11)) {
    case 0: {   // docked at the end of a dock bar, in a row of its own
        COXSizeControlBar* p = PickBar([](COXSizeControlBar*) { return true; });
        const int d = r.Below(4);
        os << "dock " << NameOf(p) << " in a new row of the " << kDockNames[d] << " dock bar";
        m_pFrame->DockControlBar(p, kDockBarIds[d]);
        break;
    }
    case 1:
    case 2: {   // dragged onto another docked bar: into its row
        COXSizeControlBar* pTarget = PickBar([this](COXSizeControlBar* p) { return IsDocked(p) && p->IsVisible(); });
        COXSizeControlBar* p =
            PickBar([&](COXSizeControlBar* q) { return q != pTarget && q->IsVisible() && !IsDocked(q) == !!r.Below(2); });
        if (pTarget == NULL || p == NULL)
            return "";
        const CRect rectTarget = WindowRectOf(pTarget);
        const CPoint ptTo(rectTarget.left + r.Below(std::max(1, (int)rectTarget.Width())),
                          rectTarget.top + r.Below(std::max(1, (int)rectTarget.Height())));
        const CRect rectBar = WindowRectOf(p);
        const CPoint ptFrom(rectBar.left + 30, rectBar.top + 6);
        os << "drag " << NameOf(p) << (IsDocked(p) ? "" : " (floating)") << " onto " << NameOf(pTarget) << " at ("
           << ptTo.x - rectTarget.left << ", " << ptTo.y - rectTarget.top << ")";
        DragBarByMessages(p, ptFrom, ptTo);
        break;
    }
    case 3: {   // floated by a drag to the middle of the frame
        COXSizeControlBar* p = PickBar([this](COXSizeControlBar* q) { return IsDocked(q) && q->IsVisible(); });
        if (p == NULL)
            return "";
        const CRect rectBar = WindowRectOf(p);
        const CPoint ptTo = ClientCenter() + CPoint(r.Between(-60, 60), r.Between(-60, 60));
        os << "drag " << NameOf(p) << " to the middle of the frame";
        DragBarByMessages(p, CPoint(rectBar.left + 30, rectBar.top + 6), ptTo);
        break;
    }
    case 4:
    case 5: {   // floated by the frame's calls
        COXSizeControlBar* p = PickBar([this](COXSizeControlBar* q) { return IsDocked(q); });
        if (p == NULL)
            return "";
        const CPoint pt = ClientCenter() + CPoint(r.Between(-200, 200), r.Between(-150, 150));
        const BOOL bAt = r.Below(2);
        os << (bAt ? "FloatControlBarAt " : "FloatControlBar ") << NameOf(p);
        if (bAt)
            OXSizeDock::FloatControlBarAt(m_pFrame, p, pt, CBRS_ALIGN_TOP);
        else
            m_pFrame->FloatControlBar(p, pt, CBRS_ALIGN_TOP);
        break;
    }
    case 6: {   // docked back by a double click on its floating frame's caption
        COXSizeControlBar* p = PickBar([this](COXSizeControlBar* q) { return !IsDocked(q) && q->IsVisible(); });
        if (p == NULL)
            return "";
        os << "double click the caption of floating " << NameOf(p);
        DoubleClickFloatingCaption(p);
        break;
    }
    case 7: {   // hidden or shown
        COXSizeControlBar* p = PickBar([](COXSizeControlBar*) { return true; });
        const BOOL bShow = !p->IsVisible();
        os << (bShow ? "show " : "hide ") << NameOf(p);
        m_pFrame->ShowControlBar(p, bShow, FALSE);
        break;
    }
    case 8: {   // the maximize button of a docked bar, pressed and released
        COXSizeControlBar* p = PickBar([this](COXSizeControlBar* q) { return IsDocked(q) && q->IsVisible(); });
        if (p == NULL)
            return "";
        p->GetDockbarSkin()->LayoutCaption(p);
        if (p->m_rectMaximizeButton.IsRectEmpty())
            return "";
        const CPoint pt = p->m_rectMaximizeButton.CenterPoint();
        os << "maximize button of " << NameOf(p) << (p->IsMaximizedInRow() ? " (maximized)" : "");
        p->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        p->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        Layout();
        // the others of the row are stubs now, and stay so when the bar
        // moves or changes size (which ends the maximize)
        COXSizeDockBar* pDock = DYNAMIC_DOWNCAST(COXSizeDockBar, p->m_pDockBar);
        if (pDock != NULL && p->IsMaximizedInRow())
            for (COXSizeControlBar* q : m_bars)
                if (q != p && q->m_pDockBar == pDock && q->IsVisible() &&
                    pDock->RowStart(pDock->FindBar(q)) == pDock->RowStart(pDock->FindBar(p)))
                    m_stubs.insert({q, pDock->IsHorzDockBar()});
        break;
    }
    case 9: {   // a splitter dragged
        const int d = r.Below(4);
        COXSizeDockBar* pDock = DockBar(d);
        if (pDock->m_arrSplitters.GetSize() == 0)
            return "";
        const int nSplitter = r.Below((int)pDock->m_arrSplitters.GetSize());
        int nBy = r.Between(-150, 150);
        if (nBy == 0)
            nBy = 10;
        os << "drag splitter " << nSplitter << " of the " << kDockNames[d] << " dock bar by " << nBy;
        std::vector<COXSizeControlBar*> seen;
        for (COXSizeControlBar* p : m_bars)
            if (p->m_pDockBar == pDock && !p->IsFloating() && p->IsVisible() && HasRoom(p))
                seen.push_back(p);
        DragSplitterByMessages(pDock, nSplitter, nBy);
        Layout();
        for (COXSizeControlBar* p : seen)
            if (!HasRoom(p))
                m_userSized.insert({p, pDock->IsHorzDockBar()});
        break;
    }
    default: {
        if (r.Below(2)) {
            os << "squeeze the frame to nothing and back";
            m_pFrame->SetWindowPos(NULL, 0, 0, ::GetSystemMetrics(SM_CXMIN), ::GetSystemMetrics(SM_CYCAPTION) + 8,
                                   SWP_NOMOVE | SWP_NOZORDER);
            PumpPending();
            Layout();
            m_pFrame->SetWindowPos(NULL, 0, 0, m_sizeFrame.cx, m_sizeFrame.cy, SWP_NOMOVE | SWP_NOZORDER);
        } else {
            os << "save and load the layout";
            OXSizeDock::SaveSizeBarState(m_pFrame, kSection, FALSE);
            Layout();
            OXSizeDock::LoadSizeBarState(m_pFrame, kSection);
        }
        break;
    }
    }
    return os.str();
}

std::vector<std::string> SizeDockSoak::Check()
{
    std::vector<std::string> problems;
    auto problem = [&](const std::string& str) { problems.push_back(str); };
    const int cx2 = afxData.cxBorder2, cy2 = afxData.cyBorder2;
    for (int d = 0; d < 4; ++d) {
        COXSizeDockBar* pDock = DockBar(d);
        const BOOL bHorz = pDock->IsHorzDockBar();
        const std::string strDock = std::string(kDockNames[d]) + " dock bar " + DescribeRows(pDock);
        CRect rectDock = WindowRectOf(pDock);
        rectDock.InflateRect(cx2, cy2);   // bars reach over its edges by the border
        // the thickest a row is laid out, with the borders it reaches over
        const int nMaxThickness = pDock->MaxRowThickness() + (bHorz ? 2 * cy2 : 2 * cx2);
        std::vector<std::pair<std::string, CRect>> shown;
        for (int i = 0; i < pDock->m_arrBars.GetSize(); ++i) {
            void* pVoid = pDock->m_arrBars[i];
            if (pVoid == NULL)
                continue;
            CControlBar* pBar = pDock->GetDockedControlBar(i);
            if (pBar == NULL) {
                CControlBar* pOwner = m_pFrame->GetControlBar((UINT)(UINT_PTR)pVoid);
                if (pOwner == NULL || !pOwner->IsFloating())
                    problem(strDock + ": place-holder #" + std::to_string((unsigned)(UINT_PTR)pVoid) +
                            " stands for " + (pOwner == NULL ? "no bar" : NameOf(pOwner) + ", which is docked"));
                continue;
            }
            if (pBar->m_pDockBar != pDock)
                problem(strDock + ": " + NameOf(pBar) + " is in its rows but docked elsewhere");
            if (!::IsWindow(pBar->m_hWnd) || !pBar->IsVisible())
                continue;
            const CRect rect = WindowRectOf(pBar);
            std::ostringstream os;
            os << NameOf(pBar) << " (" << rect.left - rectDock.left << ", " << rect.top - rectDock.top << ", "
               << rect.Width() << " x " << rect.Height() << ")";
            // Without room by the user's doing: a splitter dragged, or a
            // maximize that left the others of the row stubs; or in a dock
            // bar whose length along its rows the other dock bars took
            // (their rows are bounded one by one, not together).
            const int nDockLength = bHorz ? pDock->m_cxLast : pDock->m_cyLast;
            if ((bHorz ? rect.Width() : rect.Height()) > 2 * COXSizeDockBar::nStubLength)
                m_stubs.erase({pBar, bHorz});
            if (HasRoom(pBar))
                m_userSized.erase({pBar, bHorz});
            else if (m_userSized.count({pBar, bHorz}) == 0 && m_stubs.count({pBar, bHorz}) == 0 && nDockLength >= 40)
                problem(strDock + ": " + os.str() + " has no room");
            // along its row within the dock bar; across it starts within the
            // dock bar and is no thicker than a row may be
            const BOOL bAlong = bHorz ? rect.left >= rectDock.left && rect.right <= rectDock.right
                                      : rect.top >= rectDock.top && rect.bottom <= rectDock.bottom;
            const BOOL bAcross = bHorz ? rect.top >= rectDock.top && rect.Height() <= nMaxThickness
                                       : rect.left >= rectDock.left && rect.Width() <= nMaxThickness;
            if ((!bAlong && nDockLength >= 40) || !bAcross)
                problem(strDock + ": " + os.str() + " lies outside its dock bar (" +
                        std::to_string(rectDock.Width()) + " x " + std::to_string(rectDock.Height()) +
                        (bAlong ? ", too thick for a row)" : ", beyond the row's end)"));
            CRect inner = rect;
            inner.DeflateRect(cx2 + 1, cy2 + 1);
            for (const auto& other : shown) {
                CRect overlap;
                if (overlap.IntersectRect(inner, other.second))
                    problem(strDock + ": " + os.str() + " lies over " + other.first);
            }
            shown.push_back({os.str(), rect});
        }
    }
    return problems;
}

TEST_P(SizeDockSoak, RandomStepsKeepEveryBarInReach)
{
    const SoakCase& c = GetParam();
    CSoakRandom random(c.nSeed);
    CLayoutFaultWatch watch;
    m_pRandom = &random;
    m_pWatch = &watch;
    std::vector<std::string> steps;
    const int nSteps = SoakSteps();
    for (int n = 0; n < nSteps; ++n) {
        std::string strStep;
        try {
            strStep = Step();
        } catch (...) {
            watch.Note("the step threw");
        }
        if (strStep.empty() && watch.Faults().empty())
            continue;
        steps.push_back(strStep);
        Layout();
        std::vector<std::string> problems = watch.Faults();
        for (const std::string& str : Check())
            problems.push_back(str);
        if (!problems.empty()) {
            std::ostringstream os;
            os << c.name << ", seed " << c.nSeed << ", after step " << n << ":\n";
            for (const std::string& str : problems)
                os << "  " << str << "\n";
            os << "steps:\n";
            for (size_t i = 0; i < steps.size(); ++i)
                os << "  " << i + 1 << ". " << steps[i] << "\n";
            ADD_FAILURE() << os.str();
            break;
        }
    }
    m_pRandom = NULL;
    m_pWatch = NULL;
}

INSTANTIATE_TEST_SUITE_P(Seeds, SizeDockSoak, ::testing::ValuesIn(SoakCases()),
                         [](const ::testing::TestParamInfo<SoakCase>& info) { return info.param.name; });

}   // namespace
