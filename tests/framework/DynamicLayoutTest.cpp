// The dynamic layout engine on a real resizable dialog and form view: controls
// follow their rows as the window is sized, the minimum size, the size grip,
// the anti-flicker class bits and the placement record in the profile.
#include <afxwin.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include "DynamicDialog.h"
#include "DynamicFormView.h"
#include "framework_res.h"
#include "ImportPatch.h"
#include "testsupport.h"

namespace {

// One layout row as the test expects it to act: the share of the width and
// height change each edge moves by.
struct Row {
  int id;
  int x1, y1, x2, y2;
};

const Row kDialogRows[] = {
    {IDC_LAYOUT_EDIT, 0, 0, 100, 0},       // stretch, fixed
    {IDC_LAYOUT_LIST, 0, 0, 100, 100},     // stretch, stretch
    {IDC_LAYOUT_HALF, 0, 100, 50, 100},    // percentages
    {IDC_LAYOUT_CENTRE, 50, 100, 50, 100}, // centre, move
    {IDOK, 100, 100, 100, 100},            // move, move
    {IDC_LAYOUT_REST, 0, 100, 0, 100},     // the row for every other child
};

class CLayoutTestDlg : public cdxCDynamicDialog {
 public:
  explicit CLayoutTestDlg(Freedom fd = fdAll) : cdxCDynamicDialog(IDD_LAYOUT_DIALOG, NULL, fd) {}
  DECLARE_DYNAMIC_MAP()
};

BEGIN_DYNAMIC_MAP(CLayoutTestDlg, cdxCDynamicDialog)
  DYNAMIC_MAP_ENTRY_EX(IDC_LAYOUT_EDIT, mdResize, mdNone)
  DYNAMIC_MAP_ENTRY_EX(IDC_LAYOUT_LIST, mdResize, mdResize)
  DYNAMIC_MAP_ENTRY(IDC_LAYOUT_HALF, 0, 100, 50, 100)
  DYNAMIC_MAP_ENTRY_EX(IDC_LAYOUT_MISSING, mdRepos, mdRepos)
  DYNAMIC_MAP_ENTRY_EX(IDC_LAYOUT_CENTRE, mdRelative, mdRepos)
  DYNAMIC_MAP_ENTRY_EX(IDOK, mdRepos, mdRepos)
  DYNAMIC_MAP_DEFAULT_ENTRY(0, 100, 0, 100)
END_DYNAMIC_MAP()

class CLayoutTestForm : public cdxCDynamicFormView {
 public:
  CLayoutTestForm() : cdxCDynamicFormView(IDD_LAYOUT_FORM) {}
  DECLARE_DYNAMIC_MAP()
};

BEGIN_DYNAMIC_MAP(CLayoutTestForm, cdxCDynamicFormView)
  DYNAMIC_MAP_ENTRY_EX(IDC_LAYOUT_EDIT, mdResize, mdNone)
  DYNAMIC_MAP_ENTRY_EX(IDC_LAYOUT_LIST, mdResize, mdResize)
  DYNAMIC_MAP_ENTRY_EX(IDOK, mdRepos, mdRepos)
END_DYNAMIC_MAP()

CRect ChildRect(HWND parent, int id)
{
  CRect rc;
  ::GetWindowRect(::GetDlgItem(parent, id), &rc);
  ::MapWindowPoints(NULL, parent, (LPPOINT)&rc, 2);
  return rc;
}

CRect WindowRect(HWND hwnd)
{
  CRect rc;
  ::GetWindowRect(hwnd, &rc);
  return rc;
}

CSize ClientSize(HWND hwnd)
{
  CRect rc;
  ::GetClientRect(hwnd, &rc);
  return rc.Size();
}

CRect Expected(const CRect& initial, const Row& row, int dx, int dy)
{
  return CRect(initial.left + row.x1 * dx / 100, initial.top + row.y1 * dy / 100,
               initial.right + row.x2 * dx / 100, initial.bottom + row.y2 * dy / 100);
}

const char kSection[] = "WindowPositions\\ID=0x00000f3d";   // IDD_LAYOUT_DIALOG

int ProfileInt(const char* key) { return (int)AfxGetApp()->GetProfileInt(kSection, key, -99); }

// Makes the process's own registry writes of one value name fail, the way a
// full or locked registry would, by replacing the imported RegSetValueExA.
class CFailingRegistryWrite {
 public:
  explicit CFailingRegistryWrite(const char* valueName)
      : m_patch("advapi32.dll", "RegSetValueExA", reinterpret_cast<ULONG_PTR>(&Failing))
  {
    s_failName = valueName;
    s_original = m_patch.Original<decltype(&RegSetValueExA)>();
  }
  bool Installed() const { return m_patch.Installed(); }

 private:
  static LONG WINAPI Failing(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
  {
    if (name != nullptr && strcmp(name, s_failName) == 0) return ERROR_ACCESS_DENIED;
    return s_original(key, name, reserved, type, data, size);
  }

  CImportPatch m_patch;
  static const char* s_failName;
  static decltype(&RegSetValueExA) s_original;
};
const char* CFailingRegistryWrite::s_failName = "";
decltype(&RegSetValueExA) CFailingRegistryWrite::s_original = nullptr;

class DynamicLayoutDialog : public ::testing::Test {
 protected:
  void SetUp() override
  {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\WindowPositions");
  }
  void TearDown() override
  {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pellucor Test\\PellucorTests\\WindowPositions");
  }
  // Opens a modeless dialog and shows it.
  static void Open(CLayoutTestDlg& dlg)
  {
    ASSERT_TRUE(dlg.Create(IDD_LAYOUT_DIALOG));
    dlg.ShowWindow(SW_SHOW);
  }
  static void Resize(HWND hwnd, int cx, int cy)
  {
    ::SetWindowPos(hwnd, NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
};

TEST_F(DynamicLayoutDialog, ControlsFollowTheirRowsAtSeveralSizes)
{
  CLayoutTestDlg dlg;
  Open(dlg);
  // A control whose left edge follows the width change but whose right edge
  // does not is squeezed; below its minimum width of 10 it goes out of sight.
  ASSERT_TRUE(dlg.AddControl(IDC_LAYOUT_SQUEEZE, 100, 0, 0, 0, CSize(10, 0), FALSE));

  const CRect window0 = WindowRect(dlg);
  const CSize client0 = ClientSize(dlg);
  std::vector<CRect> initial;
  for (const Row& row : kDialogRows) initial.push_back(ChildRect(dlg, row.id));
  const CRect squeeze0 = ChildRect(dlg, IDC_LAYOUT_SQUEEZE);

  // Besides a few sizes, the squeezed control at exactly its minimum width
  // (out of sight: the minimum is reached) and one pixel wider (shown).
  const int nSqueezeWidth = squeeze0.Width();
  ASSERT_GT(nSqueezeWidth, 11);
  const CSize deltas[] = {{100, 50}, {37, 81}, {200, 0}, {1, 3},
                          {nSqueezeWidth - 10, 0}, {nSqueezeWidth - 11, 2}, {nSqueezeWidth - 9, 0}, {0, 0}};
  for (const CSize& d : deltas) {
    Resize(dlg, window0.Width() + d.cx, window0.Height() + d.cy);
    const CSize client = ClientSize(dlg);
    const int dx = client.cx - client0.cx, dy = client.cy - client0.cy;
    ASSERT_EQ(dx, d.cx);
    ASSERT_EQ(dy, d.cy);
    for (size_t i = 0; i < std::size(kDialogRows); ++i)
      EXPECT_EQ(ChildRect(dlg, kDialogRows[i].id), Expected(initial[i], kDialogRows[i], dx, dy))
          << "control " << kDialogRows[i].id << " at +" << dx << ",+" << dy;

    CRect squeezed = ChildRect(dlg, IDC_LAYOUT_SQUEEZE);
    if (dx == nSqueezeWidth - 10) {
      EXPECT_EQ(squeezed, CRect(-20, squeeze0.top, -10, squeeze0.bottom)) << "at exactly its minimum width";
    }
    if (dx == nSqueezeWidth - 11) {
      EXPECT_EQ(squeezed.Width(), 11) << "one pixel above its minimum width";
    }
    if (squeeze0.left + dx + 10 >= squeeze0.right)
      EXPECT_EQ(squeezed, CRect(-20, squeeze0.top, -10, squeeze0.bottom)) << "+" << dx;
    else
      EXPECT_EQ(squeezed, CRect(squeeze0.left + dx, squeeze0.top, squeeze0.right, squeeze0.bottom)) << "+" << dx;

    // The grip keeps to the bottom-right corner.
    ASSERT_NE(dlg.m_pSizeIcon, nullptr);
    CRect grip = ChildRect(dlg, AFX_IDW_SIZE_BOX);
    EXPECT_EQ(grip.BottomRight(), CPoint(client.cx, client.cy));
  }
  dlg.DestroyWindow();
}

TEST_F(DynamicLayoutDialog, NeverSmallerThanItsSetUpSizeAndFixedWithoutFreedom)
{
  CLayoutTestDlg dlg(cdxCDynamicWnd::fdHoriz);
  Open(dlg);
  const CRect window0 = WindowRect(dlg);

  MINMAXINFO mmi = {};
  mmi.ptMaxTrackSize = CPoint(5000, 5000);
  dlg.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
  EXPECT_EQ(CPoint(mmi.ptMinTrackSize), CPoint(window0.Width(), window0.Height()));
  EXPECT_EQ(mmi.ptMaxTrackSize.x, 5000);                 // free horizontally, no maximum
  EXPECT_EQ(mmi.ptMaxTrackSize.y, window0.Height());     // no vertical freedom

  Resize(dlg, 60, 40);
  EXPECT_EQ(WindowRect(dlg).Size(), window0.Size());
  Resize(dlg, window0.Width() + 80, window0.Height() + 80);
  EXPECT_EQ(WindowRect(dlg).Size(), CSize(window0.Width() + 80, window0.Height()));
  dlg.DestroyWindow();
}

// Counts the pixels the grip draws over a magenta background.
int GripPixels(cdxCSizeIconCtrl* grip)
{
  CRect rc;
  grip->GetClientRect(&rc);
  HDC screen = ::GetDC(NULL);
  HDC mem = ::CreateCompatibleDC(screen);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, rc.Width(), rc.Height());
  HGDIOBJ old = ::SelectObject(mem, bmp);
  HBRUSH magenta = ::CreateSolidBrush(RGB(255, 0, 255));
  ::FillRect(mem, &rc, magenta);
  grip->SendMessage(WM_PRINTCLIENT, (WPARAM)mem, PRF_CLIENT);
  int n = 0;
  for (int y = 0; y < rc.Height(); ++y)
    for (int x = 0; x < rc.Width(); ++x)
      if (::GetPixel(mem, x, y) != RGB(255, 0, 255)) ++n;
  ::SelectObject(mem, old);
  ::DeleteObject(magenta);
  ::DeleteObject(bmp);
  ::DeleteDC(mem);
  ::ReleaseDC(NULL, screen);
  return n;
}

TEST_F(DynamicLayoutDialog, SizeGripIsNotDrawnWhileMaximised)
{
  CLayoutTestDlg dlg;
  Open(dlg);
  ASSERT_NE(dlg.m_pSizeIcon, nullptr);
  EXPECT_GT(GripPixels(dlg.m_pSizeIcon), 0);

  dlg.ShowWindow(SW_MAXIMIZE);
  ASSERT_TRUE(dlg.IsZoomed());
  EXPECT_EQ(GripPixels(dlg.m_pSizeIcon), 0);
  EXPECT_EQ(ChildRect(dlg, AFX_IDW_SIZE_BOX).BottomRight(),
            CPoint(ClientSize(dlg).cx, ClientSize(dlg).cy));

  dlg.ShowWindow(SW_RESTORE);
  EXPECT_GT(GripPixels(dlg.m_pSizeIcon), 0);
  dlg.DestroyWindow();
}

TEST_F(DynamicLayoutDialog, PlacementIsStoredOnDestroyAndRestoredOnTheNextOpen)
{
  CRect stored;
  CSize client0;
  CRect ok0;
  {
    CLayoutTestDlg dlg;
    Open(dlg);
    client0 = ClientSize(dlg);
    ok0 = ChildRect(dlg, IDOK);
    const CRect r = WindowRect(dlg);
    dlg.SetWindowPos(NULL, 120, 90, r.Width() + 60, r.Height() + 40, SWP_NOZORDER);
    stored = WindowRect(dlg);
    dlg.DestroyWindow();
  }
  EXPECT_EQ(ProfileInt("(valid)"), 1);
  EXPECT_EQ(ProfileInt("Left"), stored.left);
  EXPECT_EQ(ProfileInt("Top"), stored.top);
  EXPECT_EQ(ProfileInt("Right"), stored.right);
  EXPECT_EQ(ProfileInt("Bottom"), stored.bottom);
  EXPECT_EQ(ProfileInt("Visibility"), 1);
  EXPECT_EQ(ProfileInt("State"), -1);

  CLayoutTestDlg again;
  Open(again);
  EXPECT_EQ(WindowRect(again), stored);
  // The controls are laid out for the restored size.
  const CSize client = ClientSize(again);
  CRect ok = ok0;
  ok.OffsetRect(client.cx - client0.cx, client.cy - client0.cy);
  EXPECT_EQ(ChildRect(again, IDOK), ok);
  again.DestroyWindow();
}

// A record of a maximised or minimised window brings the window back in that
// state, with the stored rectangle as its normal place to come back to; a
// maximised window keeps its normal rectangle when it is stored.
TEST_F(DynamicLayoutDialog, StoredMaximisedAndMinimisedStatesComeBackWithTheirNormalRectangle)
{
  const CRect normal(130, 110, 530, 420);
  const struct {
    int nState;
    bool bZoomed, bIconic;
  } cases[] = {
      {1, true, false},
      {0, false, true},
      {-1, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nState);
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileInt(kSection, "(valid)", 1);
    pApp->WriteProfileInt(kSection, "Left", normal.left);
    pApp->WriteProfileInt(kSection, "Top", normal.top);
    pApp->WriteProfileInt(kSection, "Right", normal.right);
    pApp->WriteProfileInt(kSection, "Bottom", normal.bottom);
    pApp->WriteProfileInt(kSection, "Visibility", 1);
    pApp->WriteProfileInt(kSection, "State", c.nState);
    CLayoutTestDlg dlg;
    Open(dlg);
    EXPECT_EQ(dlg.IsZoomed() != FALSE, c.bZoomed);
    EXPECT_EQ(dlg.IsIconic() != FALSE, c.bIconic);
    WINDOWPLACEMENT wp = {sizeof wp};
    ASSERT_TRUE(dlg.GetWindowPlacement(&wp));
    EXPECT_EQ(CRect(wp.rcNormalPosition), normal);
    if (c.nState == -1) {
        EXPECT_EQ(WindowRect(dlg), normal);
    }
    dlg.DestroyWindow();
    // Stored again as it was: the state and the normal rectangle, not the
    // maximised or minimised one.
    EXPECT_EQ(ProfileInt("State"), c.nState);
    EXPECT_EQ(ProfileInt("Left"), normal.left);
    EXPECT_EQ(ProfileInt("Right"), normal.right);
    EXPECT_EQ(ProfileInt("Bottom"), normal.bottom);
  }
}

TEST_F(DynamicLayoutDialog, AnInterruptedOrFailedWriteLeavesValidAtZeroAndTheDialogCentred)
{
  CRect first;
  CSize size0;
  {
    CLayoutTestDlg dlg;
    Open(dlg);
    size0 = WindowRect(dlg).Size();
    dlg.SetWindowPos(NULL, 10, 20, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    first = WindowRect(dlg);
    dlg.DestroyWindow();
  }
  ASSERT_EQ(ProfileInt("(valid)"), 1);

  {
    CLayoutTestDlg dlg;
    Open(dlg);
    ASSERT_EQ(WindowRect(dlg), first);
    dlg.SetWindowPos(NULL, 200, 150, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    CFailingRegistryWrite failTop("Top");
    ASSERT_TRUE(failTop.Installed());
    EXPECT_FALSE(dlg.StorePlacement(kSection));
    dlg.DestroyWindow();
  }
  EXPECT_EQ(ProfileInt("(valid)"), 0);
  EXPECT_EQ(ProfileInt("Left"), 200);          // written before the failure
  EXPECT_EQ(ProfileInt("Top"), first.top);     // the failed write kept the old value

  CLayoutTestDlg again;
  Open(again);
  const CRect r = WindowRect(again);
  EXPECT_NE(r.TopLeft(), CPoint(200, 150));
  EXPECT_NE(r.TopLeft(), first.TopLeft());
  EXPECT_EQ(r.Size(), size0);
  CRect work;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR(r.CenterPoint().x, work.CenterPoint().x, 2);
  EXPECT_NEAR(r.CenterPoint().y, work.CenterPoint().y, 2);
  again.DestroyWindow();
}

// A modal dialog (the way every dialog of the program runs) ends through
// EndDialog: it stores its placement and opens there the next time.
class CModalLayoutDlg : public CLayoutTestDlg {
 public:
  CPoint m_moveTo{-1, -1};
  CRect m_rectAtEnd;

 protected:
  BOOL OnInitDialog() override
  {
    BOOL b = CLayoutTestDlg::OnInitDialog();
    if (m_moveTo.x >= 0) SetWindowPos(NULL, m_moveTo.x, m_moveTo.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PostMessage(WM_COMMAND, IDOK);
    return b;
  }
  void OnOK() override
  {
    m_rectAtEnd = WindowRect(m_hWnd);
    CLayoutTestDlg::OnOK();
  }
};

TEST_F(DynamicLayoutDialog, ModalDialogOpensWhereItWasClosed)
{
  CModalLayoutDlg first;
  first.m_moveTo = CPoint(130, 110);
  ASSERT_EQ(first.DoModal(), IDOK);
  EXPECT_EQ(first.m_rectAtEnd.TopLeft(), CPoint(130, 110));
  EXPECT_EQ(ProfileInt("(valid)"), 1);
  EXPECT_EQ(ProfileInt("Left"), 130);

  CModalLayoutDlg second;
  ASSERT_EQ(second.DoModal(), IDOK);
  EXPECT_EQ(second.m_rectAtEnd, first.m_rectAtEnd);
}

// Dragging a left or top edge turns the dialog class's redraw bits on (the
// class has them off); they go back when the timer fires, or at the latest
// when the window goes, since every dialog of the process shares them.
TEST_F(DynamicLayoutDialog, AntiFlickerRestoresTheClassRedrawBits)
{
  CLayoutTestDlg dlg;
  Open(dlg);
  const ULONG_PTR style0 = ::GetClassLongPtr(dlg, GCL_STYLE);
  ASSERT_EQ(style0 & (CS_HREDRAW | CS_VREDRAW), 0u);
  CRect rc = WindowRect(dlg);

  dlg.SendMessage(WM_SIZING, WMSZ_LEFT, (LPARAM)&rc);
  EXPECT_EQ(::GetClassLongPtr(dlg, GCL_STYLE), style0 | CS_HREDRAW | CS_VREDRAW);
  EXPECT_TRUE(PumpUntil([&] { return ::GetClassLongPtr(dlg, GCL_STYLE) == style0; }, kWaitMs));

  dlg.SendMessage(WM_SIZING, WMSZ_TOP, (LPARAM)&rc);
  EXPECT_EQ(::GetClassLongPtr(dlg, GCL_STYLE), style0 | CS_HREDRAW | CS_VREDRAW);
  dlg.DestroyWindow();
  HWND other = ::CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(::GetClassLongPtr(other, GCL_STYLE), style0);
  ::DestroyWindow(other);
}

// ---------------------------------------------------------------------------
// The form view
// ---------------------------------------------------------------------------
const Row kFormRows[] = {
    {IDC_LAYOUT_EDIT, 0, 0, 100, 0},
    {IDC_LAYOUT_LIST, 0, 0, 100, 100},
    {IDOK, 100, 100, 100, 100},
};

TEST(DynamicLayoutFormView, ControlsFollowTheirRowsAndScrollWhenTheViewIsSmallerThanItsForm)
{
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900,
                            700, NULL, NULL));
  auto* view = new CLayoutTestForm;   // deletes itself with its window
  ASSERT_TRUE(view->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &host, AFX_IDW_PANE_FIRST));
  std::vector<CRect> initial;
  for (const Row& row : kFormRows) initial.push_back(ChildRect(*view, row.id));
  view->OnInitialUpdate();
  const CSize form = view->GetTotalSize();

  // Larger than the form: the rows apply to the growth.
  const CSize deltas[] = {{50, 30}, {120, 0}, {0, 70}, {0, 0}};
  for (const CSize& d : deltas) {
    view->MoveWindow(0, 0, form.cx + d.cx, form.cy + d.cy);
    ASSERT_EQ(ClientSize(*view), CSize(form.cx + d.cx, form.cy + d.cy));
    for (size_t i = 0; i < std::size(kFormRows); ++i)
      EXPECT_EQ(ChildRect(*view, kFormRows[i].id), Expected(initial[i], kFormRows[i], d.cx, d.cy))
          << "control " << kFormRows[i].id << " at +" << d.cx << ",+" << d.cy;
  }

  // Narrower than the form: the controls keep their places and scroll;
  // the height change still applies.
  view->MoveWindow(0, 0, form.cx - 60, form.cy + 60);
  const int dy = ClientSize(*view).cy - form.cy;
  ASSERT_GT(dy, 0);
  for (size_t i = 0; i < std::size(kFormRows); ++i)
    EXPECT_EQ(ChildRect(*view, kFormRows[i].id), Expected(initial[i], kFormRows[i], 0, dy))
        << "control " << kFormRows[i].id;

  view->ScrollToPosition(CPoint(25, 0));
  view->Layout();
  for (size_t i = 0; i < std::size(kFormRows); ++i) {
    CRect expected = Expected(initial[i], kFormRows[i], 0, dy);
    expected.OffsetRect(-25, 0);
    EXPECT_EQ(ChildRect(*view, kFormRows[i].id), expected) << "control " << kFormRows[i].id;
  }
  host.DestroyWindow();
}

}  // namespace
